// The list files of the game's commands and variables, by category, as the reference's command
// and variable pages show them; the vocabulary reads the same files.
#pragma once

#include <QString>
#include <span>

enum class ReferencePage { Cmd = 0, Cvar = 1, Dlz = 2 };

struct CategoryEntry {
    QStringView caption; // as the list shows it
    QStringView file;    // the line list it loads
    QStringView hint;    // set on the variable list after a click; empty for none
    bool weaponPictures = false;
};

// The categories of the command or variable page; the library page has none of its own.
std::span<const CategoryEntry> categoryEntries(ReferencePage page);
