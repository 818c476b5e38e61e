// The picture the launcher shows for a mod: the fixed icons of "tfc", "rewolf" and "valve",
// else the mod's first "*.ico", else the program's "dlls\unknown.jpg".
#pragma once

#include "platform/program_home.h"

#include <QImage>
#include <QString>

// The icon file for `mod`, or empty when it has none.
QString modIconFile(const QString& halfLifeDir, const QString& mod);

// The program's picture for a mod without an icon.
QString unknownModPictureFile(const ProgramHome& home);

// Loads an icon or a JPEG picture (JPEG through our own decoder); null when it cannot be read.
QImage loadPicture(const QString& path);

// The picture of `iconFile`, or the program's unknown-mod picture when that file is missing or
// unreadable. Null only when neither can be read.
QImage pictureOrUnknown(const QString& iconFile, const ProgramHome& home);
