// The action buttons of the wizard's key pages: which button binds which command, under which
// label and group. The pages build their buttons and labels from this one table, and the reading
// of a config fills the buttons' captions by the same command texts.
#pragma once

#include <QString>
#include <span>

struct ActionRow {
    int page;                // wizard page, 9 to 11
    const char16_t* button;  // objectName of the key button, "Button9"
    const char16_t* label;   // objectName of the label beside it
    const char16_t* caption; // the label's text
    const char16_t* group;   // heading shared by consecutive rows, empty for none
    int column;              // column of the page the row stands in (page 10 has three)
    const char16_t* command; // command text with its own quotes, "\"+attack\""
    bool onBuyPanel;         // page 10's pop-up buy panel
};

// Every action, in the order the pages show them within their columns.
std::span<const ActionRow> actionTable();

// The row of a button name, or nullptr.
const ActionRow* actionRowForButton(const QString& buttonName);

// The command text of a row as a QString, quotes included.
QString actionCommand(const ActionRow& row);

// The text a config's bind line for this action ends with: a closing quote of the key name, a
// blank and the command text (`" "+attack"`). Looking for it finds exactly this command's key.
QString actionBindSuffix(const ActionRow& row);

// The four movement buttons of page 9, which also show their key in their hint.
bool isMovementButton(const QString& buttonName);
