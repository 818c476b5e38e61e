// Tool window docking geometry and the following of the main window.
#include "shell/tool_window_dock.h"

#include <algorithm>

ToolGeometry dockedToolGeometry(const QRect& mainFrame, const QSize& popupSize,
                                const QSize& referenceFrame, const QSize& valueListFrame) {
    constexpr int kMargin = 15;
    ToolGeometry g;
    const int x0 = mainFrame.left();
    const int y0 = mainFrame.top();
    const int right = x0 + mainFrame.width() - kMargin;
    // The two stand one below the other from under the toolbar; taller together than the main
    // window, they go up as far as its top rather than past its bottom.
    const int top =
        std::max(y0, std::min(y0 + 72, y0 + mainFrame.height() - referenceFrame.height() -
                                           valueListFrame.height()));
    g.reference = QRect(QPoint(right - referenceFrame.width(), top), referenceFrame);
    g.valueList =
        QRect(QPoint(right - valueListFrame.width(), g.reference.bottom() + 1), valueListFrame);
    g.popup =
        QPoint(x0 + mainFrame.width() - popupSize.width() - kMargin, y0 + mainFrame.height() - 142);
    // A value list that reaches down to the pop-up has it beside it rather than over it.
    if (g.valueList.bottom() >= g.popup.y())
        g.popup.setX(std::min(g.popup.x(), g.valueList.left() - popupSize.width() - 4));
    return g;
}

ToolGeometry movedToolGeometry(const ToolGeometry& tools, const QPoint& delta) {
    ToolGeometry g = tools;
    g.valueList.translate(delta);
    g.reference.translate(delta);
    g.popup += delta;
    return g;
}

ToolGeometry followedToolGeometry(const ToolGeometry& tools, const QRect& before,
                                  const QRect& after, const QSize& popupSize, bool stepOut) {
    // A window whose left edge is at most this far inside the main window's right edge stands
    // beside it.
    constexpr int kBeside = 16;
    constexpr int kGap = 4;
    const QPoint byCorner = after.topLeft() - before.topLeft();
    const QPoint byEdge = after.topRight() - before.topRight();
    const auto follow = [&](QRect r) {
        // A window the player put over the main window stays there.
        const bool wasCovered = r.intersects(before);
        r.translate(r.left() >= before.right() - kBeside ? byEdge : byCorner);
        // Newly covered by the main window's right part: out beside its right edge.
        if (stepOut && !wasCovered && r.intersects(after) && r.center().x() > after.center().x())
            r.moveLeft(after.right() + 1 + kGap);
        return r;
    };
    ToolGeometry g = tools;
    g.valueList = follow(tools.valueList);
    g.reference = follow(tools.reference);
    g.popup = follow(QRect(tools.popup, popupSize)).topLeft();
    return g;
}

std::optional<ToolPlacement> ToolWindowPlacement::mainSeen(const QRect& mainFrame,
                                                           MainWindowMode mode,
                                                           const ToolGeometry& actual,
                                                           const QSize& popupSize,
                                                           const QSize& frameExtra) {
    switch (mode) {
    case MainWindowMode::Minimized:
        return std::nullopt;
    case MainWindowMode::Maximized:
        // Only on entering: later repaints while maximized must not take the docked places
        // for the normal ones.
        if (!m_docked)
            m_remembered = actual;
        m_docked = true;
        // Docking moves the windows and never resizes them: the size a window comes back with
        // after the restore is the one the user gave it.
        return ToolPlacement{dockedToolGeometry(mainFrame, popupSize,
                                                m_remembered.reference.size() + frameExtra,
                                                m_remembered.valueList.size() + frameExtra),
                             true};
    case MainWindowMode::Normal:
        break;
    }
    // Restored: from the remembered places; seen for the first time: they are the places.
    // Either way the main window's move since it was last seen in the normal state carries the
    // windows along. A sighting during a restore may still read the maximized position; the
    // next one then moves them back by the same amount.
    const QRect before = m_lastNormalFrame.value_or(mainFrame);
    const bool fromRemembered = m_docked || !m_lastNormalFrame;
    m_lastNormalFrame = mainFrame;
    m_docked = false;
    const ToolGeometry from = fromRemembered ? m_remembered : actual;
    // Only a resize the user made pushes a covered window out: the sightings of a maximize or
    // a restore come in any order, and must leave the windows where they were.
    const bool resized = !fromRemembered && before.size() != mainFrame.size();
    m_remembered = followedToolGeometry(from, before, mainFrame, popupSize, resized);
    if (!fromRemembered && m_remembered == from)
        return std::nullopt;
    return ToolPlacement{m_remembered, false};
}

ToolGeometry ToolWindowPlacement::normalPlaces(const ToolGeometry& actual) const {
    return m_docked ? m_remembered : actual;
}
