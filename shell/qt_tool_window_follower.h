// Keeps the three tool windows beside the main window: they move with it in the normal state,
// dock at its right edge while it is maximized and go back to their remembered places when it is
// restored. The windows are attached as they come into being; until then only the remembered
// geometry (which is what the settings store) is kept.
#pragma once

#include "shell/settings.h"

#include <QPoint>
#include <QPointer>
#include <QWidget>

class ToolWindowFollower {
public:
    void attach(QWidget* valueList, QWidget* reference, QWidget* popup);

    const ToolGeometry& remembered() const { return m_remembered; }
    void setRemembered(const ToolGeometry& g) { m_remembered = g; }

    // The main window moved to `topLeft` in the normal state: the tool windows move by the same
    // amount and the remembered geometry is refreshed.
    void mainMoved(const QPoint& topLeft);
    void setLastMainPosition(const QPoint& p) { m_lastMain = p; }

    // Takes the remembered geometry from the windows themselves.
    void rememberFromWindows();
    // Normal state: the remembered geometry is put on the windows.
    void applyRemembered();
    // Maximized state: the windows stand docked along the main window's right edge.
    void dock(const QRect& mainFrame);

private:
    ToolGeometry m_remembered;
    QPoint m_lastMain;
    QPointer<QWidget> m_valueList;
    QPointer<QWidget> m_reference;
    QPointer<QWidget> m_popup;
};
