// Finding the player's Half-Life installations.
#include "shell/game_discovery.h"

#include "platform/program_home.h"
#include "platform/program_paths.h"
#include "platform/text_file.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

// A Wine prefix's drive is searched this deep ("Program Files (x86)/Steam/steamapps/common/
// Half-Life" is five levels) and no further than this many folders, so a large prefix cannot
// hold the chooser up.
constexpr int kPrefixDepth = 6;
constexpr int kPrefixFolderBudget = 4000;

bool isFileIn(const QString& folder, const QString& name) {
    return QFileInfo(paths::resolve(folder, name)).isFile();
}

bool isFolder(const QString& path) {
    return !path.isEmpty() && QFileInfo(path).isDir();
}

QString unescapeVdf(QString value) {
    QString out;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] == u'\\' && i + 1 < value.size())
            ++i;
        out += value[i];
    }
    return out;
}

class Search {
public:
    explicit Search(QList<FoundGame>& found) : m_found(found) {}

    // `folder` itself when it is an installation.
    bool offer(const QString& source, const QString& folder) {
        const QStringList mods = halfLifeMods(folder);
        if (mods.isEmpty())
            return false;
        const QString real = QFileInfo(folder).canonicalFilePath();
        if (!m_seen.contains(real)) {
            m_seen.insert(real);
            m_found.append({source, QDir::cleanPath(folder), mods});
        }
        return true;
    }

    void steamRoot(const QString& root) {
        if (!isFolder(root))
            return;
        QStringList libraries{root};
        for (const QString& vdf :
             {u"steamapps/libraryfolders.vdf"_s, u"config/libraryfolders.vdf"_s}) {
            const textfile::ReadResult read = textfile::readText(paths::resolve(root, vdf));
            if (read.ok())
                libraries += libraryFoldersFromVdf(read.text);
        }
        for (const QString& library : libraries) {
            const QString common = paths::resolve(library, u"steamapps/common"_s);
            if (!isFolder(common))
                continue;
            for (const QString& game : paths::listFolders(common))
                offer(u"Steam"_s, common + u'/' + game);
        }
    }

    // The installations on a Wine prefix's drive C.
    void winePrefix(const QString& source, const QString& prefix) {
        const QString drive = paths::resolve(prefix, u"drive_c"_s);
        if (!isFolder(drive))
            return;
        QStringList level{drive};
        int budget = kPrefixFolderBudget;
        for (int depth = 0; depth < kPrefixDepth && !level.isEmpty() && budget > 0; ++depth) {
            QStringList next;
            for (const QString& folder : level) {
                for (const QString& sub : paths::listFolders(folder)) {
                    if (--budget < 0)
                        return;
                    // The system's own folder is large and never holds the game.
                    if (depth == 0 && sub.compare(u"windows"_s, Qt::CaseInsensitive) == 0)
                        continue;
                    const QString path = folder + u'/' + sub;
                    if (!QFileInfo(path).isSymLink() && !offer(source, path))
                        next.append(path);
                }
            }
            level = next;
        }
    }

    // Every prefix folder directly below `parent`.
    void prefixesIn(const QString& source, const QString& parent) {
        if (!isFolder(parent))
            return;
        for (const QString& sub : paths::listFolders(parent))
            winePrefix(source, parent + u'/' + sub);
    }

    void lutrisGames(const QString& gamesFolder, const QString& home) {
        if (!isFolder(gamesFolder))
            return;
        for (const QString& file : paths::listFiles(gamesFolder, u"*.yml"_s)) {
            const textfile::ReadResult read = textfile::readText(gamesFolder + u'/' + file);
            QString prefix = read.ok() ? lutrisPrefixFromYaml(read.text) : QString();
            if (prefix.startsWith(u"~/"_s))
                prefix = home + prefix.mid(1);
            if (!prefix.isEmpty())
                winePrefix(u"Lutris"_s, prefix);
        }
    }

private:
    QList<FoundGame>& m_found;
    QSet<QString> m_seen;
};

} // namespace

QStringList libraryFoldersFromVdf(const QString& vdfText) {
    static const QRegularExpression pair(
        uR"re(^\s*"((?:[^"\\]|\\.)*)"\s+"((?:[^"\\]|\\.)*)"\s*$)re"_s,
        QRegularExpression::MultilineOption);
    QStringList folders;
    for (const QRegularExpressionMatch& m : pair.globalMatch(vdfText)) {
        const QString key = m.captured(1);
        const QString value = unescapeVdf(m.captured(2));
        bool numbered = false;
        key.toInt(&numbered);
        const bool looksLikePath = value.startsWith(u'/') || value.contains(u":\\"_s);
        if ((key.compare(u"path"_s, Qt::CaseInsensitive) == 0 || numbered) && looksLikePath &&
            !folders.contains(value))
            folders.append(value);
    }
    return folders;
}

QString lutrisPrefixFromYaml(const QString& yamlText) {
    static const QRegularExpression line(uR"re(^\s*prefix:\s*(.*?)\s*$)re"_s,
                                         QRegularExpression::MultilineOption);
    const QRegularExpressionMatch m = line.match(yamlText);
    if (!m.hasMatch())
        return QString();
    QString value = m.captured(1);
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
        value.back() == value.front())
        value = value.mid(1, value.size() - 2);
    return value;
}

QStringList halfLifeMods(const QString& folder) {
    QStringList mods;
    if (!isFolder(folder) || !(isFileIn(folder, u"hl.exe"_s) || isFileIn(folder, u"hl_linux"_s) ||
                               isFileIn(folder, u"hl.sh"_s)))
        return mods;
    for (const QString& sub : paths::listFolders(folder))
        if (isFileIn(folder + u'/' + sub, u"liblist.gam"_s))
            mods.append(sub);
    // listFolders sorts by name; the game players look for comes first.
    std::stable_partition(mods.begin(), mods.end(), [](const QString& mod) {
        return mod.compare(u"cstrike"_s, Qt::CaseInsensitive) == 0;
    });
    return mods;
}

QList<FoundGame> findGames(const GameSearchPlaces& places) {
    QList<FoundGame> found;
    if (places.home.isEmpty())
        return found;
    const QString& home = places.home;
    Search search(found);
    search.steamRoot(home + u"/.steam/steam"_s);
    search.steamRoot(places.dataHome + u"/Steam"_s);
    search.steamRoot(home + u"/.var/app/com.valvesoftware.Steam/.local/share/Steam"_s);
    search.winePrefix(u"Wine"_s, home + u"/.wine"_s);
    if (!places.winePrefix.isEmpty())
        search.winePrefix(u"Wine"_s, places.winePrefix);
    search.lutrisGames(places.configHome + u"/lutris/games"_s, home);
    search.lutrisGames(home + u"/.var/app/net.lutris.Lutris/config/lutris/games"_s, home);
    search.prefixesIn(u"Lutris"_s, home + u"/Games"_s);
    search.prefixesIn(u"Bottles"_s, places.dataHome + u"/bottles/bottles"_s);
    search.prefixesIn(u"Bottles"_s,
                      home + u"/.var/app/com.usebottles.bottles/data/bottles/bottles"_s);
    search.prefixesIn(u"PlayOnLinux"_s, home + u"/.PlayOnLinux/wineprefix"_s);
    return found;
}
