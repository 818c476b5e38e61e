// Bringing windows back onto a screen.
#include "shell/screen_fit.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

ScreenLayout currentScreenLayout() {
    ScreenLayout layout;
    for (const QScreen* screen : QGuiApplication::screens())
        layout.screens.append(screen->availableGeometry());
    if (const QScreen* primary = QGuiApplication::primaryScreen())
        layout.primary = primary->availableGeometry();
    return layout;
}

QRect keptOnScreens(const QRect& window, const ScreenLayout& layout) {
    if (layout.primary.isEmpty())
        return window;
    // A window of no size still stands somewhere: it counts as its top-left pixel.
    const QRect probe(window.topLeft(), window.size().expandedTo(QSize(1, 1)));
    if (std::any_of(layout.screens.begin(), layout.screens.end(),
                    [&](const QRect& screen) { return screen.intersects(probe); }))
        return window;
    const QRect& p = layout.primary;
    const QSize size = window.size().boundedTo(p.size());
    const int left = std::clamp(window.left(), p.left(), p.left() + p.width() - size.width());
    const int top = std::clamp(window.top(), p.top(), p.top() + p.height() - size.height());
    return QRect(QPoint(left, top), size);
}

ToolGeometry keptOnScreens(const ToolGeometry& tools, const ScreenLayout& layout,
                           const QSize& popupSize) {
    ToolGeometry kept = tools;
    kept.valueList = keptOnScreens(tools.valueList, layout);
    kept.reference = keptOnScreens(tools.reference, layout);
    kept.popup = keptOnScreens(QRect(tools.popup, popupSize), layout).topLeft();
    return kept;
}
