// Tool window docking geometry.
#include "shell/tool_window_dock.h"

ToolGeometry dockedToolGeometry(const QRect& mainFrame, const QSize& popupSize) {
    constexpr int kWidth = 157;
    constexpr int kMargin = 15;
    ToolGeometry g;
    const int x0 = mainFrame.left();
    const int y0 = mainFrame.top();
    const int left = x0 + mainFrame.width() - kWidth - kMargin;
    g.reference = QRect(left, y0 + 72, kWidth, 194);
    g.valueList = QRect(left, y0 + 266, kWidth, 200);
    g.popup =
        QPoint(x0 + mainFrame.width() - popupSize.width() - kMargin, y0 + mainFrame.height() - 142);
    return g;
}

ToolGeometry movedToolGeometry(const ToolGeometry& tools, const QPoint& delta) {
    ToolGeometry g = tools;
    g.valueList.translate(delta);
    g.reference.translate(delta);
    g.popup += delta;
    return g;
}
