// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form.h"

#include "contrast.h"
#include "menubarstyle.h"
#include "proportionalfont.h"
#include "screen.h"
#include "twips.h"
#include "windowframe.h"

#include <QMenuBar>
#include <QWindow>

Form::Form(QWidget *parent) : QMainWindow(parent), m_client(new QWidget(this))
{
    m_client->setObjectName(QStringLiteral("client"));
    setCentralWidget(m_client);
    // A fixed size: the title bar offers no maximise button.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    MenuBarStyle::install(menuBar());
}

Form::~Form() = default;

QMarginsF Form::expectedFrame() const
{
    if (!m_expectedFrame)
        m_expectedFrame = WindowFrame::expectedMargins(const_cast<Form *>(this));
    return *m_expectedFrame;
}

QMarginsF Form::frameQtLacks() const
{
    // Qt knows the frame once the window is shown, on some platforms before.
    const QWindow *handle = windowHandle();
    if (isVisible() || (handle && !handle->frameMargins().isNull()))
        return {};
    return expectedFrame();
}

double Form::Width() const
{
    const QMarginsF lacking = frameQtLacks();
    return Twips::fromPixels(frameGeometry().width() + lacking.left() + lacking.right());
}

double Form::Height() const
{
    const QMarginsF lacking = frameQtLacks();
    return Twips::fromPixels(frameGeometry().height() + lacking.top() + lacking.bottom());
}

double Form::Left() const
{
    return Twips::fromPixels(frameGeometry().x() - frameQtLacks().left() - Screen::originPixels().x());
}

double Form::Top() const
{
    return Twips::fromPixels(frameGeometry().y() - frameQtLacks().top() - Screen::originPixels().y());
}

void Form::Move(double left, double top)
{
    WindowFrame::moveFrameTo(
        this, QPointF(Screen::originPixels()) + QPointF(Twips::toPixelsF(left), Twips::toPixelsF(top)),
        isVisible() ? QMarginsF() : expectedFrame());
}

void Form::SetClientSize(double width, double height)
{
    const QSize client(Twips::toPixels(width), Twips::toPixels(height));
    m_client->setFixedSize(client);
    setFixedSize(client.width(), client.height() + menuBar()->sizeHint().height());
}

QMenu *Form::AddMenu(const QString &caption)
{
    return menuBar()->addMenu(caption);
}

QFont Form::Font(double pointSize, bool bold)
{
    return proportionalFont({QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"),
                             QStringLiteral("Liberation Sans"), QStringLiteral("Noto Sans"),
                             QStringLiteral("Arial")},
                            pointSize, bold);
}

QColor Form::BackColor() const
{
    return palette().color(QPalette::Window);
}

QColor Form::DesignColourOn(const QColor &background, const QColor &design)
{
    return Contrast::designColourOn(background, design, Contrast::Text);
}
