// The main window's menus, pop-up menu, toolbar and bottom-panel labels as tables: names,
// captions, shortcuts and hints in one place. The window builds its controls from these.
#pragma once

#include <QString>
#include <span>

struct MenuItemEntry {
    QStringView name;     // object name
    QStringView parent;   // the menu it stands in; empty for a top-level menu
    QStringView caption;  // with "&" marking the accelerator
    QStringView shortcut; // portable key text ("Ctrl+Alt+N"); empty for none
    QStringView hint;     // shown in status panel 1
    bool separatorBefore = false;
    // Shown beside the caption but not taken: another item owns the same keys.
    bool shortcutShownOnly = false;
};

struct ToolButtonEntry {
    QStringView name;
    QStringView hint;
    QStringView action; // the menu item whose operation it runs
    bool separatorAfter = false;
};

struct BottomLabelEntry {
    QStringView name;
    QStringView caption;
    QStringView hint;
};

std::span<const MenuItemEntry> mainMenuEntries();
std::span<const MenuItemEntry> editorPopupEntries();
std::span<const ToolButtonEntry> toolButtonEntries();
std::span<const BottomLabelEntry> bottomLabelEntries();

QString applicationTitle();
QString mainWindowCaption();
