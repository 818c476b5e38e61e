// The insert dialog's fixed content: its three pages (setinfo, bind, alias) with the buttons
// each page confirms and cancels with and the insertion its confirmation makes, the setinfo
// parameters offered at start, and the rule by which confirmed names join a combo box's history.
#pragma once

#include <QString>
#include <QStringList>
#include <span>

struct InsertDialogPage {
    QStringView name;   // object name of the page
    QStringView ok;     // its "ОК" button
    QStringView cancel; // its "Отмена" button
    int insertMode = 0; // what its "ОК" inserts
};

// In page order: 0 setinfo, 1 bind, 2 alias.
std::span<const InsertDialogPage> insertDialogPages();

// The parameters the setinfo page offers before the user has confirmed any.
QStringList setinfoParameters();

// Whether a confirmed `text` joins the history `items`: it must be non-empty and not there yet
// (compared exactly, letter case included).
bool joinsHistory(const QStringList& items, const QString& text);
