// Mods, maps and drivers of a Half-Life installation.
#include "launcher/mod_discovery.h"

#include "platform/program_paths.h"

#include <QFileInfo>
#include <algorithm>

using namespace Qt::Literals::StringLiterals;

QString defaultMod() {
    return u"cstrike"_s;
}
QString defaultDriver() {
    return u"Default"_s;
}

QString modFolder(const QString& halfLifeDir, const QString& mod) {
    return paths::resolve(halfLifeDir, mod);
}

QStringList discoverMods(const QString& halfLifeDir) {
    QStringList mods;
    if (halfLifeDir.isEmpty() || !QFileInfo(halfLifeDir).isDir())
        return mods;
    for (const QString& folder : paths::listFolders(halfLifeDir)) {
        if (folder.startsWith(u'.'))
            continue;
        const QString marker = paths::resolve(halfLifeDir, folder + u"/settings.scr"_s);
        const QString name = folder.toLower();
        if (QFileInfo(marker).isFile() && !mods.contains(name))
            mods.append(name);
    }
    return mods;
}

QStringList modChoices(const QString& halfLifeDir) {
    QStringList choices{defaultMod()};
    for (const QString& mod : discoverMods(halfLifeDir))
        if (!choices.contains(mod))
            choices.append(mod);
    return choices;
}

QStringList mapNames(const QString& mapsFolder) {
    QStringList names;
    if (mapsFolder.isEmpty() || !QFileInfo(mapsFolder).isDir())
        return names;
    for (const QString& file : paths::listFiles(mapsFolder, u"*.bsp"_s))
        names.append(file.left(file.size() - 4));
    return names;
}

void addMaps(QStringList& maps, const QStringList& names) {
    for (const QString& name : names)
        if (!maps.contains(name))
            maps.append(name);
    std::stable_sort(maps.begin(), maps.end(), [](const QString& a, const QString& b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
}

QStringList driverChoices(const QString& halfLifeDir) {
    QStringList choices{defaultDriver()};
    const QString folder = paths::resolve(halfLifeDir, u"gldrv"_s);
    if (!halfLifeDir.isEmpty() && QFileInfo(folder).isDir())
        for (const QString& dll : paths::listFiles(folder, u"*.dll"_s))
            if (!choices.contains(dll))
                choices.append(dll);
    return choices;
}
