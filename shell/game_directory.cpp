// The game directory at start-up.
#include "shell/game_directory.h"

#include "shell/settings.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

GameDirStart settleGameDirectory(int gameDirChosen, const QString& catalog,
                                 const QString& fallbackFolder,
                                 bool (*folderExists)(const QString&)) {
    GameDirStart start;
    if (gameDirChosen != 1) {
        start.showChooser = true;
        return start;
    }
    if (catalog == Settings::absentText()) {
        // No stored folder: the program directory stands in for the game's.
        QString dir = fallbackFolder;
        while (dir.size() > 1 && dir.endsWith(u'/'))
            dir.chop(1);
        start.wizardFolder = dir;
        start.chooserFolder = dir;
        return start;
    }
    start.wizardFolder = catalog;
    start.chooserFolder = catalog;
    // A stored folder that no longer exists: ask again, starting from what is left of it.
    if (!folderExists(catalog)) {
        start.showChooser = true;
        const QString nearest = nearestExistingFolder(catalog);
        start.wizardFolder = nearest;
        start.chooserFolder = nearest;
    }
    return start;
}

QString halfLifeDirOf(const QString& gameDir) {
    return gameDir.size() <= 8 ? QString() : gameDir.left(gameDir.size() - 8);
}

QString nearestExistingFolder(const QString& path) {
    QString p = QDir::cleanPath(path);
    while (!p.isEmpty()) {
        if (QFileInfo(p).isDir())
            return p;
        const qsizetype slash = p.lastIndexOf(u'/');
        if (slash < 0)
            return QString();
        p = slash == 0 ? QStringLiteral("/") : p.left(slash);
        if (p == QStringLiteral("/"))
            return p;
    }
    return QString();
}

QString cannotStoreFolderMessage(const QString& folder) {
    QString shown = folder;
    shown.replace(u'\r', u' ').replace(u'\n', u' ');
    return u"Этот каталог нельзя сохранить в настройках: в его имени есть перевод строки.\n"_s +
           shown + u"\nВыберите другой каталог."_s;
}

