// What the launcher finds in a Half-Life installation: the mods (folders holding
// "settings.scr"), the maps of a mod or of any folder, and the OpenGL drivers of "gldrv".
// Names on disk are matched without regard to letter case, as the game does on Windows.
#pragma once

#include <QString>
#include <QStringList>

// The mod choice's fixed first entry and the driver choice's.
QString defaultMod();
QString defaultDriver();

// The folder of mod `mod` below the Half-Life folder, whatever its letter case on disk.
QString modFolder(const QString& halfLifeDir, const QString& mod);

// The mods below `halfLifeDir`: its plain (not hidden) sub-folders holding "settings.scr", in
// lower case, sorted, each once.
QStringList discoverMods(const QString& halfLifeDir);

// The mod choice's entries: "cstrike" first, then the discovered mods, with no repeats.
QStringList modChoices(const QString& halfLifeDir);

// Map names (".bsp" files in any letter case, without the extension) of `mapsFolder`.
QStringList mapNames(const QString& mapsFolder);

// Adds the names not already present (compared exactly) and keeps the list sorted as the map
// list shows it (by name, without regard to case).
void addMaps(QStringList& maps, const QStringList& names);

// The driver choice's entries: "Default", then the file names of "gldrv\*.dll".
QStringList driverChoices(const QString& halfLifeDir);
