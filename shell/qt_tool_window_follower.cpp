// Tool windows that travel with the main window.
#include "shell/qt_tool_window_follower.h"

#include "shell/tool_window_dock.h"

void ToolWindowFollower::attach(QWidget* valueList, QWidget* reference, QWidget* popup) {
    m_valueList = valueList;
    m_reference = reference;
    m_popup = popup;
}

void ToolWindowFollower::mainMoved(const QPoint& topLeft) {
    const QPoint delta = topLeft - m_lastMain;
    if (!delta.isNull()) {
        for (QWidget* w : {m_valueList.data(), m_reference.data(), m_popup.data()})
            if (w)
                w->move(w->pos() + delta);
    }
    m_lastMain = topLeft;
    rememberFromWindows();
}

void ToolWindowFollower::rememberFromWindows() {
    if (m_valueList)
        m_remembered.valueList = QRect(m_valueList->pos(), m_valueList->size());
    if (m_reference)
        m_remembered.reference = QRect(m_reference->pos(), m_reference->size());
    if (m_popup)
        m_remembered.popup = m_popup->pos();
}

static void place(QWidget* w, const QRect& r) {
    if (!w)
        return;
    w->move(r.topLeft());
    w->resize(r.size());
}

void ToolWindowFollower::applyRemembered() {
    place(m_valueList, m_remembered.valueList);
    place(m_reference, m_remembered.reference);
    if (m_popup)
        m_popup->move(m_remembered.popup);
}

void ToolWindowFollower::dock(const QRect& mainFrame) {
    const ToolGeometry g = dockedToolGeometry(mainFrame, m_popup ? m_popup->size() : QSize());
    place(m_valueList, g.valueList);
    place(m_reference, g.reference);
    if (m_popup)
        m_popup->move(g.popup);
}
