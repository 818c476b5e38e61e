// Keeping windows where a person can reach them: a window placed from the settings file that
// would stand wholly off every screen (a monitor since unplugged, a hand-edited file) comes back
// onto the primary screen.
#pragma once

#include "shell/settings.h"

#include <QList>
#include <QRect>
#include <QSize>

struct ScreenLayout {
    QList<QRect> screens; // the available area of each screen
    QRect primary;
};

// The screens as the window system reports them now.
ScreenLayout currentScreenLayout();

// `window` unchanged when any part of it lies on a screen; otherwise moved onto the primary
// screen, at the edge nearest to where it was, and trimmed to that screen's size.
QRect keptOnScreens(const QRect& window, const ScreenLayout& layout);

// The same for the three tool windows; the pop-up is taken at `popupSize`.
ToolGeometry keptOnScreens(const ToolGeometry& tools, const ScreenLayout& layout,
                           const QSize& popupSize);
