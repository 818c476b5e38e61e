// Tool window docking geometry and the following of the main window.
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

std::optional<ToolPlacement> ToolWindowPlacement::mainSeen(const QRect& mainFrame,
                                                           MainWindowMode mode,
                                                           const ToolGeometry& actual,
                                                           const QSize& popupSize) {
    switch (mode) {
    case MainWindowMode::Minimized:
        return std::nullopt;
    case MainWindowMode::Maximized:
        // Only on entering: later repaints while maximized must not take the docked places
        // for the normal ones.
        if (!m_docked)
            m_remembered = actual;
        m_docked = true;
        return ToolPlacement{dockedToolGeometry(mainFrame, popupSize), true};
    case MainWindowMode::Normal:
        break;
    }
    // Restored: from the remembered places; seen for the first time: they are the places.
    // Either way the main window's move since it was last seen in the normal state carries the
    // windows along. A sighting during a restore may still read the maximized position; the
    // next one then moves them back by the same amount.
    const QPoint pos = mainFrame.topLeft();
    const QPoint delta = m_lastNormalPos ? pos - *m_lastNormalPos : QPoint();
    const bool fromRemembered = m_docked || !m_lastNormalPos;
    m_lastNormalPos = pos;
    m_docked = false;
    m_remembered = movedToolGeometry(fromRemembered ? m_remembered : actual, delta);
    if (!fromRemembered && delta.isNull())
        return std::nullopt;
    return ToolPlacement{m_remembered, false};
}

ToolGeometry ToolWindowPlacement::normalPlaces(const ToolGeometry& actual) const {
    return m_docked ? m_remembered : actual;
}
