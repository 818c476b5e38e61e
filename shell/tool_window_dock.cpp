// Tool window docking geometry and the following of the main window.
#include "shell/tool_window_dock.h"

#include <QList>
#include <algorithm>
#include <array>
#include <tuple>

ToolGeometry dockedToolGeometry(const QRect& mainFrame, const QSize& popupSize,
                                const QSize& referenceFrame, const QSize& valueListFrame,
                                const QRect& available) {
    constexpr int kMargin = 15;
    constexpr int kGap = 4;
    // Neither window shrinks below this to make room.
    constexpr int kLeast = 80;
    ToolGeometry g;
    const QRect area = available.isEmpty() ? mainFrame : mainFrame.intersected(available);
    const int right = area.left() + area.width() - kMargin;
    // Under the toolbar, never over the main window's title bar and its buttons.
    const int top = mainFrame.top() + 72;
    const int bottom = std::max(top, area.bottom());
    g.popup = QPoint(right - popupSize.width(), std::min(mainFrame.top() + mainFrame.height() - 142,
                                                         bottom + 1 - popupSize.height()));
    // The two stand one below the other from under the toolbar down to the pop-up; taller
    // together than that, both give up height in proportion, so nothing runs off the screen.
    int referenceHeight = referenceFrame.height();
    int valueListHeight = valueListFrame.height();
    const int room = g.popup.y() - kGap - top;
    if (referenceHeight + valueListHeight > room && referenceHeight + valueListHeight > 0) {
        const int total = referenceHeight + valueListHeight;
        referenceHeight = std::max(std::min(kLeast, referenceHeight),
                                   int(qint64(room) * referenceHeight / total));
        valueListHeight = std::max(std::min(kLeast, valueListHeight), room - referenceHeight);
    }
    g.reference = QRect(QPoint(right - referenceFrame.width(), top),
                        QSize(referenceFrame.width(), referenceHeight));
    g.valueList = QRect(QPoint(right - valueListFrame.width(), g.reference.bottom() + 1),
                        QSize(valueListFrame.width(), valueListHeight));
    // Where even the least heights do not fit, the pop-up stands beside the value list rather
    // than over it.
    if (g.valueList.bottom() >= g.popup.y())
        g.popup.setX(std::min(g.popup.x(), g.valueList.left() - popupSize.width() - kGap));
    return g;
}

int dockedStripWidth(const ToolGeometry& docked, const QRect& mainFrame, const QSize& popupSize) {
    constexpr int kGap = 4;
    int left = std::min(docked.reference.left(), docked.valueList.left());
    // The pop-up's column counts where it stands below the other two.
    if (QRect(docked.popup, popupSize).top() > docked.valueList.bottom())
        left = std::min(left, docked.popup.x());
    return std::max(0, mainFrame.left() + mainFrame.width() - left + kGap);
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

namespace {

// `r` moved as little as it takes to lie inside `area` (where it fits).
QRect clampedInto(QRect r, const QRect& area) {
    if (area.isEmpty())
        return r;
    if (r.right() > area.right())
        r.moveRight(area.right());
    if (r.bottom() > area.bottom())
        r.moveBottom(area.bottom());
    if (r.left() < area.left())
        r.moveLeft(area.left());
    if (r.top() < area.top())
        r.moveTop(area.top());
    return r;
}

// The nearest place for `want` that stands over none of `settled`, on the available area and
// beside the main window rather than over it, as far as each of those can be had in that order.
QRect freePlace(const QRect& want, const QList<QRect>& settled, const QRect& main,
                const QRect& available) {
    constexpr int kGap = 4;
    QList<QRect> candidates{want, clampedInto(want, available)};
    QList<QRect> neighbours = settled;
    neighbours.append(main);
    const QSize size = want.size();
    for (const QRect& o : std::as_const(neighbours)) {
        const int rightOf = o.right() + 1 + kGap;
        const int leftOf = o.left() - kGap - size.width();
        const int below = o.bottom() + 1 + kGap;
        const int above = o.top() - kGap - size.height();
        for (const QPoint at :
             {QPoint(rightOf, want.top()), QPoint(rightOf, o.top()), QPoint(want.left(), below),
              QPoint(o.left(), below), QPoint(leftOf, want.top()), QPoint(leftOf, o.top()),
              QPoint(want.left(), above)}) {
            const QRect r(at, size);
            candidates.append(r);
            candidates.append(clampedInto(r, available));
        }
    }
    const auto cost = [&](const QRect& r) {
        const bool overOther = std::any_of(settled.begin(), settled.end(),
                                           [&](const QRect& o) { return o.intersects(r); });
        const bool offScreen = !available.isEmpty() && !available.contains(r);
        const int distance = (r.topLeft() - want.topLeft()).manhattanLength();
        return std::tuple(overOther, offScreen, r.intersects(main), distance);
    };
    return *std::min_element(candidates.begin(), candidates.end(),
                             [&](const QRect& a, const QRect& b) { return cost(a) < cost(b); });
}

} // namespace

ToolGeometry keptApart(const ToolGeometry& tools, const ToolGeometry& was, const QRect& main,
                       const QRect& available, const QSize& popupSize, const QSize& frameExtra) {
    const auto outer = [&](const ToolGeometry& g) {
        // In the order the windows are settled.
        return std::array<QRect, 3>{QRect(g.valueList.topLeft(), g.valueList.size() + frameExtra),
                                    QRect(g.reference.topLeft(), g.reference.size() + frameExtra),
                                    QRect(g.popup, popupSize)};
    };
    std::array<QRect, 3> now = outer(tools);
    const std::array<QRect, 3> before = outer(was);
    QList<QRect> settled;
    for (size_t i = 0; i < now.size(); ++i) {
        QRect& r = now[i];
        // Only what the move did: windows the player put over each other, or off the screen,
        // stay so.
        bool overOther = false;
        for (size_t j = 0; j < i; ++j)
            overOther |= now[j].intersects(r) && !before[j].intersects(before[i]);
        const bool offScreen = !available.isEmpty() && !available.contains(r) &&
                               (available.contains(before[i]) || !available.intersects(r));
        if (overOther || offScreen)
            r = freePlace(r, settled, main, available);
        settled.append(r);
    }
    ToolGeometry kept = tools;
    kept.valueList.moveTopLeft(now[0].topLeft());
    kept.reference.moveTopLeft(now[1].topLeft());
    kept.popup = now[2].topLeft();
    return kept;
}

std::optional<ToolPlacement>
ToolWindowPlacement::mainSeen(const QRect& mainFrame, MainWindowMode mode,
                              const ToolGeometry& actual, const QSize& popupSize,
                              const QSize& frameExtra, const QRect& available) {
    // A frame that fills the screen is maximized, whatever its state says: a maximize whose
    // state has not been seen yet, or a window made as large as the screen, where the tool
    // windows have no room beside it.
    if (mode == MainWindowMode::Normal && !available.isEmpty() &&
        mainFrame.width() >= available.width() && mainFrame.height() >= available.height())
        mode = MainWindowMode::Maximized;
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
        return ToolPlacement{
            dockedToolGeometry(mainFrame, popupSize, m_remembered.reference.size() + frameExtra,
                               m_remembered.valueList.size() + frameExtra, available),
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
    // A resize carries the windows by different amounts (the right edge's, the corner's): none
    // may come to stand over another, and none is pushed off the screen. (A move carries all
    // three alike.)
    if (resized)
        m_remembered = keptApart(m_remembered, from, mainFrame, available, popupSize, frameExtra);
    if (!fromRemembered && m_remembered == from)
        return std::nullopt;
    return ToolPlacement{m_remembered, false};
}

ToolGeometry ToolWindowPlacement::normalPlaces(const ToolGeometry& actual) const {
    return m_docked ? m_remembered : actual;
}
