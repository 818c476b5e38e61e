// The Half-Life installations the game folder chooser proposes: Steam's library folders, Wine
// prefixes (~/.wine, $WINEPREFIX) and the prefixes Lutris, Bottles and PlayOnLinux make. An
// installation is a folder holding the game's executable and at least one mod folder (a folder
// holding "liblist.gam"); names on disk are matched without regard to letter case.
#pragma once

#include "platform/game_search_places.h"

#include <QList>
#include <QString>
#include <QStringList>

struct FoundGame {
    QString source;   // "Steam", "Wine", "Lutris", "Bottles", "PlayOnLinux"
    QString folder;   // the Half-Life folder, as found
    QStringList mods; // its mod folders as spelled on disk: "cstrike" first, then by name
    bool operator==(const FoundGame&) const = default;
};

// Every installation found, each once (by its real path), Steam's first.
QList<FoundGame> findGames(const GameSearchPlaces& places);

// The library folders a Steam "libraryfolders.vdf" names (its "path" values, or the numbered
// values of the older form), backslash escapes undone.
QStringList libraryFoldersFromVdf(const QString& vdfText);

// The "prefix:" values of a Lutris game's YAML file.
QString lutrisPrefixFromYaml(const QString& yamlText);

// The mod folders of `folder`, as FoundGame::mods orders them; empty when it holds no game
// executable ("hl.exe", "hl_linux" or "hl.sh").
QStringList halfLifeMods(const QString& folder);
