// The config set the game runs: a few files and whatever they "exec", file after file. F7 reads
// it for the aliases a config may call; the keyboard map for the aliases its keys run.
#pragma once

#include <QSet>
#include <QString>
#include <QHash>
#include <QStringList>
#include <functional>

struct ParsedConfig;

namespace configset {

// The file an "exec" of `name` runs: in the game directory, or else in the base game's folder
// beside it (the game falls back on it); empty when there is none.
QString gameFile(const QString& gameDir, const QString& name);

// The same for many names in one game directory: each folder is listed at most once, when a
// name is not there as written (a run looks up every file the set execs).
class GameFiles {
public:
    explicit GameFiles(const QString& gameDir);
    QString find(const QString& name);

private:
    struct Folder {
        QString path;
        bool exists = false;
        bool listed = false;
        QHash<QString, QString> entries; // case-folded name -> the first such entry, sorted
    };
    QString inFolder(Folder& folder, const QString& name);

    Folder m_own;
    Folder m_base;
    bool m_baseKnown = false;
};
bool gameDirKnown(const QString& gameDir);

// The names a config's "exec" commands give, in order.
QStringList execNames(const ParsedConfig& config);

// Reads each of `files` (full paths), then the files they exec, each once (the same file by
// another spelling too). `visit` gets every file's path, text and reading, in that order. A file
// that cannot be read is passed over; so is one larger than any config a player writes, and
// after 256 files the walk stops, so a folder of thousands of files does not stall it.
using Visitor =
    std::function<void(const QString& path, const QString& text, const ParsedConfig& config)>;
void walk(const QString& gameDir, const QStringList& files, const Visitor& visit);

// The game's own configs, which it runs at every start: config.cfg, then autoexec.cfg, those
// that exist in the game directory.
QStringList startConfigs(const QString& gameDir);

} // namespace configset

// "_.cfg": the copy of the edited config the launcher has the game run, in the mod's folder; the
// program makes and removes it, so the wizard lists it with no config of the player's.
QString launchCopyName();

// Aliases the game has from other files when this config runs: those of every .cfg file of the
// game directory (the game runs config.cfg and autoexec.cfg itself, the others are exec'd by
// the player's files) and of the files the config execs, wherever they are, and the files
// those exec in turn. `folder`, when given, keeps the aliases of the game directory's own files
// from one config to the next (a run over many configs of one folder reads the folder once).
struct GameFolderAliases {
    QString gameDir;
    QSet<QString> aliases;
};
QSet<QString> aliasesFromGameFiles(const ParsedConfig& config, const QString& gameDir,
                                   GameFolderAliases* folder = nullptr);
