// Where the three tool windows (reference, value list, explanation pop-up) stand beside the main
// window: they follow its moves, dock at its right edge while it is maximized, and go back to
// their remembered places when it is restored.
#pragma once

#include "shell/settings.h"

#include <QPoint>
#include <QRect>
#include <QSize>

// The docked places along the main window's right edge. `mainFrame` is the maximized main
// window's frame; `popupSize` the explanation pop-up's size (it keeps its size when docked).
ToolGeometry dockedToolGeometry(const QRect& mainFrame, const QSize& popupSize);

// The remembered geometry shifted by the main window's move.
ToolGeometry movedToolGeometry(const ToolGeometry& tools, const QPoint& delta);
