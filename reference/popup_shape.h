// The explanation pop-up's outline: a rectangle with rounded corners, the way the system cuts a
// window to a rounded-rectangle region given the width and height of its corner ellipses.
#pragma once

#include <QRegion>
#include <QSize>

// The corner ellipses of the pop-up.
constexpr int kPopupCornerWidth = 35;
constexpr int kPopupCornerHeight = 25;

QRegion roundedRegion(const QSize& size, int ellipseWidth = kPopupCornerWidth,
                      int ellipseHeight = kPopupCornerHeight);
