// Tool windows that travel with the main window.
#include "shell/qt_tool_window_follower.h"

#include <QScreen>

void ToolWindowFollower::attach(QWidget* valueList, QWidget* reference, QWidget* popup) {
    m_valueList = valueList;
    m_reference = reference;
    m_popup = popup;
}

static MainWindowMode modeOf(const QWidget& main) {
    if (main.isMinimized())
        return MainWindowMode::Minimized;
    if (main.isMaximized() || main.isFullScreen())
        return MainWindowMode::Maximized;
    return MainWindowMode::Normal;
}

void ToolWindowFollower::mainSeen(const QWidget& main) {
    // The frame the window manager puts around a tool window (the same for all three).
    QSize frameExtra(0, 0);
    for (const QWidget* w : {m_reference.data(), m_valueList.data()})
        if (w && w->isVisible())
            frameExtra = w->frameGeometry().size() - w->size();
    const QRect available = main.screen() ? main.screen()->availableGeometry() : QRect();
    const QSize popup = m_popup ? m_popup->size() : QSize();
    if (const auto placement = m_placement.mainSeen(main.frameGeometry(), modeOf(main), actual(),
                                                    popup, frameExtra, available)) {
        apply(*placement);
        m_dockedStrip = placement->docked
                            ? dockedStripWidth(placement->places, main.frameGeometry(), popup)
                            : 0;
    }
}

ToolGeometry ToolWindowFollower::actual() const {
    ToolGeometry g = m_placement.remembered();
    if (m_valueList)
        g.valueList = QRect(m_valueList->pos(), m_valueList->size());
    if (m_reference)
        g.reference = QRect(m_reference->pos(), m_reference->size());
    if (m_popup)
        g.popup = m_popup->pos();
    return g;
}

ToolGeometry ToolWindowFollower::backToNormal() {
    m_dockedStrip = 0;
    const ToolGeometry normal = m_placement.normalPlaces(actual());
    m_placement.setRemembered(normal);
    apply(ToolPlacement{normal, false});
    return normal;
}

void ToolWindowFollower::applyRemembered() {
    apply(ToolPlacement{m_placement.remembered(), false});
}

void ToolWindowFollower::showAll() {
    for (QWidget* w : {m_reference.data(), m_valueList.data(), m_popup.data()})
        if (w)
            w->show();
}

QSize ToolWindowFollower::popupSize() const {
    return m_popup ? m_popup->size() : QSize();
}

// Docked places are outer rectangles: the title bar and borders the window manager adds come
// off the size of the inside, so the docked windows meet without overlapping.
static void place(QWidget* w, const QRect& r, bool outer) {
    if (!w)
        return;
    QSize inside = r.size();
    if (outer && w->isVisible())
        inside -= w->frameGeometry().size() - w->size();
    w->move(r.topLeft());
    w->resize(inside.expandedTo(QSize(1, 1)));
}

void ToolWindowFollower::apply(const ToolPlacement& p) {
    place(m_valueList, p.places.valueList, p.docked);
    place(m_reference, p.places.reference, p.docked);
    if (m_popup)
        m_popup->move(p.places.popup);
}
