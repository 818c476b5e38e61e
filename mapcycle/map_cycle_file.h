// The server's map rotation, "mapcycle.txt" in the game folder: one map name per line, read with
// any line end and written whole with a line break after every line, the last one included, in
// the encoding and line breaks the file had (Windows-1251 and CR LF for a new one).
#pragma once

#include "platform/text_file.h"
#include "platform/version_store.h"

#include <QString>
#include <QStringList>

namespace mapcycle {

// folder + "\mapcycle.txt", found whatever its letter case on disk.
QString mapCyclePath(const QString& folder);

struct MapCycleRead {
    textfile::ReadResult file; // the failure, when there is one; the file's form
    QStringList maps;
    bool ok() const { return file.ok(); }
};

// The lines of the map cycle file; a line break at the end of the file does not add an empty
// entry, blank lines inside it are kept as they stand.
MapCycleRead readMapCycle(const QString& path);

// Creates an empty map cycle file when there is none; an existing one is left as it is.
textfile::WriteResult ensureMapCycle(const QString& path);

// The file's text for `maps`: each name followed by a line break.
QString mapCycleText(const QStringList& maps);

// The characters of `maps` that `form` cannot hold (they would be written as "?").
QString unencodableCharacters(const QStringList& maps, const textfile::TextForm& form = {});

// Replaces the file with `maps` in `form`; on failure the old file stays whole.
textfile::WriteResult writeMapCycle(const VersionStore& versions, const QString& path,
                                    const QStringList& maps, const textfile::TextForm& form = {});

} // namespace mapcycle
