#pragma once

#include <QRect>

// The primary screen in twips, and its origin in pixels for positioning a window on it.
namespace Screen {
double Width();
double Height();
QPoint originPixels();
} // namespace Screen
