// Keeps the three tool windows beside the main window: they move with it in the normal state,
// dock at its right edge while it is maximized and go back to their remembered places when it is
// restored. The windows are attached as they come into being; until then only the remembered
// geometry (which is what the settings store) is kept.
#pragma once

#include "shell/tool_window_dock.h"

#include <QPointer>
#include <QWidget>

class ToolWindowFollower {
public:
    void attach(QWidget* valueList, QWidget* reference, QWidget* popup);

    const ToolGeometry& remembered() const { return m_placement.remembered(); }
    void setRemembered(const ToolGeometry& g) { m_placement.setRemembered(g); }

    // The main window `main` was seen (moved, resized, maximized, restored, first activated):
    // the tool windows follow it.
    void mainSeen(const QWidget& main);
    // Where the tool windows stand now: frame positions and the sizes of their insides.
    ToolGeometry actual() const;
    // The normal places, docked or not (for the settings at close); puts the windows there.
    ToolGeometry backToNormal();
    // Puts the remembered geometry on the windows (before the first activation).
    void applyRemembered();
    // Shows the attached windows: reference, value list, pop-up.
    void showAll();
    // The pop-up's size (empty before it is attached).
    QSize popupSize() const;
    // While docked, the width of the main window's right side the windows stand in; else 0.
    int dockedStrip() const { return m_dockedStrip; }

private:
    void apply(const ToolPlacement& placement);

    ToolWindowPlacement m_placement;
    QPointer<QWidget> m_valueList;
    QPointer<QWidget> m_reference;
    QPointer<QWidget> m_popup;
    int m_dockedStrip = 0;
};
