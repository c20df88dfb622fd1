// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "drawgeometry.h"

#include <algorithm>
#include <cmath>

namespace {
bool finite(const QPointF &p)
{
    return std::isfinite(p.x()) && std::isfinite(p.y());
}
} // namespace

std::optional<QLineF> clipSegment(const QLineF &segment, const QRectF &bounds)
{
    if (!finite(segment.p1()) || !finite(segment.p2()))
        return std::nullopt;
    // Liang-Barsky: keep the parameter range [t0, t1] of the segment that lies inside.
    const double x0 = segment.x1();
    const double y0 = segment.y1();
    const double dx = segment.dx();
    const double dy = segment.dy();
    double t0 = 0.0;
    double t1 = 1.0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x0 - bounds.left(), bounds.right() - x0, y0 - bounds.top(), bounds.bottom() - y0};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0)
                return std::nullopt;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return std::nullopt;
    }
    return QLineF(x0 + t0 * dx, y0 + t0 * dy, x0 + t1 * dx, y0 + t1 * dy);
}

std::optional<QRectF> clipBox(const QPointF &a, const QPointF &b, const QRectF &bounds)
{
    if (!finite(a) || !finite(b))
        return std::nullopt;
    const double left = std::min(a.x(), b.x());
    const double right = std::max(a.x(), b.x());
    const double top = std::min(a.y(), b.y());
    const double bottom = std::max(a.y(), b.y());
    if (right < bounds.left() || left > bounds.right() || bottom < bounds.top() || top > bounds.bottom())
        return std::nullopt;
    const double clippedLeft = std::max(left, bounds.left());
    const double clippedTop = std::max(top, bounds.top());
    return QRectF(QPointF(clippedLeft, clippedTop),
                  QPointF(std::min(right, bounds.right()), std::min(bottom, bounds.bottom())));
}

namespace {
double usableRatio(double devicePixelRatio)
{
    return std::isfinite(devicePixelRatio) && devicePixelRatio > 0 ? devicePixelRatio : 1.0;
}
} // namespace

int deviceLineWidth(int width, double devicePixelRatio)
{
    return std::max(1, static_cast<int>(std::lround(width * usableRatio(devicePixelRatio))));
}

double snapToDeviceCell(double coordinate, int width, double devicePixelRatio)
{
    // The pen is centred on the line, so its centre sits half its width into the first cell.
    const double firstCell = std::floor(coordinate) - (width - 1) / 2;
    return std::round(firstCell * usableRatio(devicePixelRatio)) +
           deviceLineWidth(width, devicePixelRatio) / 2.0;
}
