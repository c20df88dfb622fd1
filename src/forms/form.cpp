// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form.h"

#include "contrast.h"
#include "menubarstyle.h"
#include "proportionalfont.h"
#include "screen.h"
#include "twips.h"

#include <QMenuBar>
#include <QWindow>

Form::Form(FrameSource frameSource, QWidget *parent)
    : QMainWindow(parent), m_client(new QWidget(this)), m_frameSource(std::move(frameSource))
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
    if (!m_expectedFrame) {
        auto *self = const_cast<Form *>(this);
        if (m_frameSource) {
            m_expectedFrame = m_frameSource(self);
        } else {
            self->winId();
            m_expectedFrame = QMarginsF(windowHandle()->frameMargins());
        }
    }
    return *m_expectedFrame;
}

QMarginsF Form::frameQtLacks() const
{
    if (isVisible())
        return {};
    // Asking creates the native window, after which some platforms tell the frame themselves.
    const QMarginsF expected = expectedFrame();
    const QWindow *handle = windowHandle();
    if (handle && !handle->frameMargins().isNull())
        return {};
    return expected;
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

void Form::Move(double left, double top)
{
    // Qt places the client area at the point unless it knows the frame already.
    const QMarginsF lacking = frameQtLacks();
    const QPointF frameTopLeft =
        QPointF(Screen::originPixels()) + QPointF(Twips::toPixelsF(left), Twips::toPixelsF(top));
    move((frameTopLeft + QPointF(lacking.left(), lacking.top())).toPoint());
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
