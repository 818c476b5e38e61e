// What a click in the reference window decides: the list file to load, the texts that name the
// choice, and the reference state (LastRefPage, WeaponPictures) the value list inserts by.
#pragma once

#include "platform/program_home.h"
#include "reference/reference_tables.h"

#include <QString>
#include <optional>

struct ReferenceState;

struct CategoryChoice {
    std::optional<int> lastRefPage;      // unchanged by a library
    std::optional<bool> weaponPictures;  // changed by command categories only
    std::optional<QString> cvarListHint; // the variable list's hint ("" clears it)
    QString statusText;                  // status panel 1 of the main window
    QString caption;                     // the value list's label
    QString listFilePath;                // the line list to load

    // Records ListFilePath, LastRefPage and WeaponPictures.
    void applyTo(ReferenceState& reference) const;
};

// A click on category `index` of the command or variable page.
CategoryChoice chooseCategory(const ProgramHome& home, ReferencePage page, qsizetype index);
// A click on a value library of the library page.
CategoryChoice chooseLibrary(const ProgramHome& home, const QString& library);

// Where a library's line list lies: "dlls\dlz\" + name + ".dlz", found without regard to case.
QString libraryListPath(const ProgramHome& home, const QString& library);
