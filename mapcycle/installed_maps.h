// The maps installed in a game folder ("maps\*.bsp"), their descriptions, and the sorted lists
// of map names the map windows keep from one showing to the next.
#pragma once

#include <QString>
#include <QStringList>

namespace mapcycle {

// The names of the maps in folder's "maps" subfolder, in the order the folder listing returns
// them. A map's name is its file name without the last four characters (".bsp" in any letter
// case), so a file named just ".bsp" gives an empty name. Names holding a line break are left
// out: written to the map cycle file they would turn into two entries.
QStringList installedMaps(const QString& folder);

// Adds to `known` each name of `found` that `known` does not already hold exactly (letter case
// counts, so "de_dust" and "DE_DUST" are two maps), then sorts `known` alphabetically without
// regard to case, as the lists show them.
void mergeMapNames(QStringList& known, const QStringList& found);

// What the description box shows for `name`: the text of folder + "maps\" + name + ".txt",
// unchanged, or "Нет файла описания для данной карты!" when that file cannot be read.
QString mapDescription(const QString& folder, const QString& name);

} // namespace mapcycle
