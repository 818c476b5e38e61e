// Reading and writing the map cycle file.
#include "mapcycle/map_cycle_file.h"

#include "platform/program_paths.h"

#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

namespace mapcycle {

QString mapCyclePath(const QString& folder) {
    // An unset folder must not become the root's file; an empty path fails on use.
    if (folder.isEmpty())
        return QString();
    return paths::resolve(folder, u"mapcycle.txt"_s);
}

MapCycleRead readMapCycle(const QString& path) {
    MapCycleRead result;
    result.file = textfile::readEditableText(path);
    if (!result.ok())
        return result;
    QString text = result.file.text;
    if (text.isEmpty())
        return result;
    if (text.endsWith(u'\n'))
        text.chop(1);
    result.maps = text.split(u'\n');
    return result;
}

textfile::WriteResult ensureMapCycle(const QString& path) {
    if (QFileInfo::exists(path))
        return {};
    return textfile::writeBytes(path, QByteArray());
}

QString mapCycleText(const QStringList& maps) {
    QString text;
    for (const QString& name : maps)
        text += name + u'\n';
    return text;
}

QString unencodableCharacters(const QStringList& maps, const textfile::TextForm& form) {
    return textfile::unencodableCharacters(mapCycleText(maps), form);
}

textfile::WriteResult writeMapCycle(const VersionStore& versions, const QString& path,
                                    const QStringList& maps, const textfile::TextForm& form) {
    return writeKeepingVersions(versions, path, textfile::encodeText(mapCycleText(maps), form),
                                VersionSource::MapCycle);
}

} // namespace mapcycle
