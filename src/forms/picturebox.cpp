// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "picturebox.h"

#include "contrast.h"
#include "drawgeometry.h"

#include <QAccessibleWidget>
#include <QFontMetricsF>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

#include <cmath>

namespace {

#if defined(Q_OS_WASM)
// Qt's bridge to the page's accessibility tree mirrors only some roles, and a picture is not
// among them. As static text a picture box reaches the page with its name, and with its
// description (the bars of a chart, the verdict) as the element's ARIA description.
QAccessibleInterface *pictureBoxAccessible(const QString &className, QObject *object)
{
    if (className != QLatin1String("PictureBox") || !object || !object->isWidgetType())
        return nullptr;
    return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::StaticText);
}
#endif

} // namespace

PictureBox::PictureBox(Border border, Unit unit, QWidget *parent)
    : Control<QFrame>(parent), m_unit(unit), m_backColor(palette().color(QPalette::Window))
{
#if defined(Q_OS_WASM)
    static const bool factoryInstalled = (QAccessible::installFactory(pictureBoxAccessible), true);
    Q_UNUSED(factoryInstalled);
#endif
    if (border == Border::Sunken) {
        setFrameShape(QFrame::StyledPanel);
        setFrameShadow(QFrame::Sunken);
        setLineWidth(2);
    } else {
        setFrameShape(QFrame::NoFrame);
    }
    setFocusPolicy(Qt::StrongFocus);
    updateDefaultForeColor();
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QSizeF PictureBox::drawingSize() const
{
    const QRect area = contentsRect();
    return QSizeF(std::max(area.width(), 1), std::max(area.height(), 1));
}

void PictureBox::Scale(double x1, double y1, double x2, double y2)
{
    m_userScale = true;
    m_scaleLeft = x1;
    m_scaleTop = y1;
    m_scaleWidth = x2 - x1;
    m_scaleHeight = y2 - y1;
    notify({DrawCall::Kind::Scale, {x1, y1}, {x2, y2}, {}, 0, {}});
}

double PictureBox::ScaleLeft() const
{
    return m_userScale ? m_scaleLeft : 0.0;
}

double PictureBox::ScaleTop() const
{
    return m_userScale ? m_scaleTop : 0.0;
}

double PictureBox::ScaleWidth() const
{
    if (m_userScale)
        return m_scaleWidth;
    const double pixels = contentsRect().width();
    return m_unit == Unit::Twip ? Twips::fromPixels(pixels) : pixels;
}

double PictureBox::ScaleHeight() const
{
    if (m_userScale)
        return m_scaleHeight;
    const double pixels = contentsRect().height();
    return m_unit == Unit::Twip ? Twips::fromPixels(pixels) : pixels;
}

QColor PictureBox::ForeColor() const
{
    return m_foreColor.value_or(m_defaultForeColor);
}

void PictureBox::updateDefaultForeColor()
{
    // Worked out here, not on every drawing call: for a failing colour it is a search.
    m_defaultForeColor = Contrast::readableOn(m_backColor, palette().color(QPalette::ButtonText),
                                              Contrast::Text, Contrast::ClearText);
}

void PictureBox::changeEvent(QEvent *event)
{
    Control<QFrame>::changeEvent(event);
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::ApplicationPaletteChange)
        updateDefaultForeColor();
}

void PictureBox::SetDrawWidth(int width)
{
    m_drawWidth = std::max(width, 1);
}

void PictureBox::SetBackColor(const QColor &colour)
{
    m_backColor = colour;
    updateDefaultForeColor();
    update();
}

QPointF PictureBox::toPixel(double x, double y) const
{
    const QSizeF size = drawingSize();
    const double width = ScaleWidth();
    const double height = ScaleHeight();
    const double px = width != 0 ? (x - ScaleLeft()) * size.width() / width : 0.0;
    const double py = height != 0 ? (y - ScaleTop()) * size.height() / height : 0.0;
    return {px, py};
}

void PictureBox::ensureImage()
{
    const qreal ratio = devicePixelRatioF();
    const QSizeF logical = drawingSize();
    const QSize wanted(static_cast<int>(std::ceil(logical.width() * ratio)),
                       static_cast<int>(std::ceil(logical.height() * ratio)));
    if (m_image.size() == wanted && m_image.devicePixelRatio() == ratio)
        return;
    QImage image(wanted, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(m_backColor);
    if (!m_image.isNull()) {
        // Keep what was drawn when the box moves to a screen with another pixel ratio.
        QPainter painter(&image);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRectF(QPointF(0, 0), m_image.deviceIndependentSize()), m_image);
    }
    m_image = std::move(image);
}

const QImage &PictureBox::image()
{
    ensureImage();
    return m_image;
}

void PictureBox::Line(double x1, double y1, double x2, double y2, Shape shape, std::optional<QColor> colour)
{
    const QColor pen = colour.value_or(ForeColor());
    m_currentX = x2;
    m_currentY = y2;
    notify({shape == Shape::Box ? DrawCall::Kind::Box : DrawCall::Kind::Line,
            {x1, y1},
            {x2, y2},
            pen,
            m_drawWidth,
            {}});

    ensureImage();
    // Drawn in device pixels, snapped to whole ones: at any ratio every line of one width is
    // equally wide on screen, and a box's four sides match.
    const double ratio = m_image.devicePixelRatio();
    const int width = deviceLineWidth(m_drawWidth, ratio);
    const QSizeF size = drawingSize();
    const double margin = m_drawWidth + 2.0;
    const QRectF bounds(-margin, -margin, size.width() + 2 * margin, size.height() + 2 * margin);
    const QPointF a = toPixel(x1, y1);
    const QPointF b = toPixel(x2, y2);

    const auto snap = [this, ratio](QPointF p) {
        return QPointF(snapToDeviceCell(p.x(), m_drawWidth, ratio),
                       snapToDeviceCell(p.y(), m_drawWidth, ratio));
    };
    m_image.setDevicePixelRatio(1.0);
    {
        QPainter painter(&m_image);
        painter.setPen(QPen(pen, width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        painter.setBrush(Qt::NoBrush);
        if (shape == Shape::Box) {
            if (const auto box = clipBox(a, b, bounds))
                painter.drawRect(QRectF(snap(box->topLeft()), snap(box->bottomRight())));
        } else if (const auto segment = clipSegment(QLineF(a, b), bounds)) {
            // A square cap covers the end cells too; a line of no length is a single dot.
            painter.drawLine(snap(segment->p1()), snap(segment->p2()));
        }
    }
    m_image.setDevicePixelRatio(ratio);
    update();
}

void PictureBox::Print(const QString &text)
{
    const QColor foreColor = ForeColor();
    notify({DrawCall::Kind::Print, {m_currentX, m_currentY}, {}, foreColor, 0, text});
    ensureImage();
    const QFontMetricsF metrics(font());
    const QPointF topLeft = toPixel(m_currentX, m_currentY);
    const QSizeF size = drawingSize();
    // Text that starts far outside the box cannot reach into it.
    const double reach = metrics.horizontalAdvance(text) + metrics.height();
    if (std::isfinite(topLeft.x()) && std::isfinite(topLeft.y()) && topLeft.x() > -reach &&
        topLeft.x() < size.width() && topLeft.y() > -reach && topLeft.y() < size.height()) {
        QPainter painter(&m_image);
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.setFont(font());
        painter.setPen(foreColor);
        painter.drawText(QPointF(topLeft.x(), topLeft.y() + metrics.ascent()), text);
        update();
    }
    const double height = ScaleHeight();
    m_currentX = ScaleLeft();
    m_currentY += metrics.height() * height / size.height();
}

void PictureBox::Cls()
{
    notify({DrawCall::Kind::Cls, {}, {}, m_backColor, 0, {}});
    ensureImage();
    m_image.fill(m_backColor);
    m_currentX = ScaleLeft();
    m_currentY = ScaleTop();
    update();
}

double PictureBox::TextWidth(const QString &text) const
{
    return QFontMetricsF(font()).horizontalAdvance(text) * std::fabs(ScaleWidth()) / drawingSize().width();
}

double PictureBox::TextHeight(const QString &text) const
{
    const int lines = static_cast<int>(text.count(QLatin1Char('\n'))) + 1;
    return QFontMetricsF(font()).height() * lines * std::fabs(ScaleHeight()) / drawingSize().height();
}

void PictureBox::paintEvent(QPaintEvent *event)
{
    ensureImage();
    {
        QPainter painter(this);
        painter.fillRect(rect(), palette().color(QPalette::Window));
        painter.drawImage(contentsRect().topLeft(), m_image);
    }
    QFrame::paintEvent(event);
    if (hasFocus()) {
        QStylePainter painter(this);
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = contentsRect().adjusted(1, 1, -1, -1);
        option.backgroundColor = m_backColor;
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
    }
}

void PictureBox::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    ensureImage();
}

void PictureBox::notify(DrawCall call) const
{
    if (m_observer)
        m_observer(call);
}
