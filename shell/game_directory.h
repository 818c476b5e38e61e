// Settling the game directory at start-up from the settings, and the folders derived from it.
#pragma once

#include <QString>
#include <QStringList>

struct GameDirStart {
    bool showChooser = false; // first start, or the stored folder is gone
    QString wizardFolder;     // the wizard folder to use
    QString chooserFolder;    // the chooser's folder; empty keeps the one it was created with
};

// `catalog` is the stored Game/Catalog text ("error" when absent); `fallbackFolder` stands in
// when none is stored (the program's folder when it runs portable).
GameDirStart settleGameDirectory(int gameDirChosen, const QString& catalog,
                                 const QString& fallbackFolder,
                                 bool (*folderExists)(const QString&));

// The Half-Life folder above the game directory: the game directory without its last 8
// characters ("\cstrike" is 8), empty when it has 8 characters or fewer.
QString halfLifeDirOf(const QString& gameDir);

// The nearest folder that exists, walking up from `path`; empty when none does.
QString nearestExistingFolder(const QString& path);

// The chooser's answer to a folder whose name holds a line break, which the settings file
// cannot store.
QString cannotStoreFolderMessage(const QString& folder);
