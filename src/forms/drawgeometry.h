// SPDX-FileCopyrightText: 2026 Taktlogin-Team
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLineF>
#include <QRectF>

#include <optional>

// Clipping done in double precision before anything reaches the raster engine, so that a bar
// millions of units tall neither overflows pixel integers nor makes the painter walk it.

// The part of the segment inside bounds, or nothing if it misses them or is not finite.
std::optional<QLineF> clipSegment(const QLineF &segment, const QRectF &bounds);

// The rectangle with opposite corners a and b, its edges pulled into bounds. Edges that lie
// outside stay outside (on the bounds), so with bounds a little larger than the visible area
// the visible part of the outline is unchanged. Nothing if it misses bounds or is not finite.
std::optional<QRectF> clipBox(const QPointF &a, const QPointF &b, const QRectF &bounds);

// A line `width` device-independent pixels wide, in whole device pixels (at least one): at a
// ratio of 1.5 every one-pixel line is two device pixels wide, not one or two by where it falls.
int deviceLineWidth(int width, double devicePixelRatio);

// The pen position, in device pixels, that makes a line of the given width (in pixels) cover
// whole cells: the pixel cell holding the coordinate and the next width - 1 cells, the even
// widths towards larger coordinates, starting at the device pixel where its first cell starts
// and deviceLineWidth() device pixels wide. Lines then look the same at any device pixel ratio,
// never smeared.
double snapToDeviceCell(double coordinate, int width, double devicePixelRatio);
