// What a click on a value list entry shows in the explanation pop-up: the entry's explanation
// from the explanation files, or in picture mode (the weapons category) the entry's picture.
#pragma once

#include "platform/program_home.h"

#include <QImage>
#include <QSize>
#include <QString>

// The library whose explanation file is asked first. On the library page that is the library
// selected there; when the page has lost its selection, the library the value list was loaded
// from (ListFilePath in "dlls\dlz\"), since the entries shown are that library's. Empty off the
// library page, or when the list did not come from a library.
QString explanationLibrary(bool dlzPageActive, const QString& selectedLibrary,
                           const QString& listFilePath);

// "dlls\cvardll\guns\" + entry + ".jpg" under the program directory, found without regard to case.
QString weaponPicturePath(const ProgramHome& home, const QString& entry);

// The error shown when an entry's picture is missing or cannot be decoded.
QString missingPictureMessage(const QString& entry);

struct WeaponPicture {
    QImage image;
    QString error; // empty when the picture loaded
    bool ok() const { return error.isEmpty(); }
};

// The entry's picture, decoded by the program's JPEG loader. A missing, truncated or foreign file
// gives the error text instead.
WeaponPicture loadWeaponPicture(const ProgramHome& home, const QString& entry);

// A picture larger than `box` scaled down to fit it, keeping its proportions; a smaller one as is.
QImage fitPicture(const QImage& picture, const QSize& box);
