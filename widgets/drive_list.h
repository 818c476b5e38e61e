// The drive list of a folder chooser: which of its roots holds a folder.
#pragma once

#include <QString>
#include <QStringList>

// The entry of the chooser's drive list that holds `folder`: the longest root that is the folder
// itself or one of its parents (whole folder names: "/media/a" does not hold "/media/ab");
// -1 when none does. Roots are written with "/" (or "\\" on Windows).
int driveIndexFor(const QStringList& roots, const QString& folder);
