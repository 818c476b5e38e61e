// The reference window's fixed content as tables: its three pages, the categories of the command
// and variable pages (language/command_lists.h), and the three buttons at its foot with
// the insert dialog page each one opens. The window builds its controls from these.
#pragma once

#include "language/command_lists.h"

#include <QString>
#include <span>


// LastRefPage after a click on a variable or a command category; the value list inserts in the
// matching form.
constexpr int kLastRefPageCvar = 1;
constexpr int kLastRefPageCmd = 2;

struct ReferencePageEntry {
    QStringView sheet;   // the page's object name
    QStringView caption; // the tab's caption
    QStringView list;    // the object name of the page's list
};


struct InsertButtonEntry {
    QStringView name;          // object name
    QStringView caption;       // the button's caption
    QStringView dialogCaption; // the insert dialog's caption
    int dialogPage = 0;        // the insert dialog's page: 0 setinfo, 1 bind, 2 alias
};

std::span<const ReferencePageEntry> referencePageEntries();
std::span<const InsertButtonEntry> insertButtonEntries();
