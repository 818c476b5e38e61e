// Walking the config set.
#include "language/config_set.h"

#include "language/parsed_config.h"
#include "platform/program_paths.h"
#include "platform/text_file.h"

#include <QFileInfo>
#include <QSet>

using namespace Qt::Literals::StringLiterals;

namespace configset {

QString gameFile(const QString& gameDir, const QString& name) {
    return GameFiles(gameDir).find(name);
}

GameFiles::GameFiles(const QString& gameDir) {
    m_own.path = gameDir;
    while (m_own.path.size() > 1 && m_own.path.endsWith(u'/'))
        m_own.path.chop(1);
    m_own.exists = QFileInfo(m_own.path).isDir();
}

// `name` in one folder, found as paths::resolve finds it: as written, or else the first entry,
// in sorted order, that differs from it only in case; empty unless that is a file.
QString GameFiles::inFolder(Folder& folder, const QString& name) {
    if (!folder.exists)
        return QString();
    if (name.contains(u'/') || name.contains(u'\\')) {
        const QString path = paths::resolve(folder.path, name);
        return QFileInfo(path).isFile() ? path : QString();
    }
    const QString asWritten = folder.path + u'/' + name;
    if (const QFileInfo written(asWritten); written.exists())
        return written.isFile() ? asWritten : QString();
    if (!folder.listed) {
        folder.listed = true;
        for (const QString& entry : paths::listEntries(folder.path))
            if (QString& first = folder.entries[entry.toCaseFolded()]; first.isNull())
                first = entry;
    }
    const auto found = folder.entries.constFind(name.toCaseFolded());
    if (found == folder.entries.constEnd())
        return QString();
    const QString path = folder.path + u'/' + *found;
    return QFileInfo(path).isFile() ? path : QString();
}

QString GameFiles::find(const QString& name) {
    if (QString own = inFolder(m_own, name); !own.isEmpty())
        return own;
    if (!m_baseKnown) {
        m_baseKnown = true;
        m_base.path = paths::resolve(QFileInfo(m_own.path).absolutePath(), u"valve"_s);
        m_base.exists = QFileInfo(m_base.path).isDir();
    }
    return inFolder(m_base, name);
}

bool gameDirKnown(const QString& gameDir) {
    return !gameDir.isEmpty() && QFileInfo(gameDir).isDir();
}

QStringList execNames(const ParsedConfig& config) {
    QStringList names;
    const int exec = config.idOf(u"exec"_s);
    if (exec < 0)
        return names;
    for (const ParsedCommand& c : config.commands)
        if (c.name == exec && c.arguments >= 1)
            names.append(config.textOf(c.argument).toString());
    return names;
}

void walk(const QString& gameDir, const QStringList& files, const Visitor& visit) {
    constexpr qint64 kMaxFileBytes = 4 * 1024 * 1024;
    constexpr int kMaxFiles = 256;
    QStringList queue = files;
    QSet<QString> read;
    for (qsizetype i = 0; i < queue.size() && read.size() < kMaxFiles; ++i) {
        const QString path = QFileInfo(queue.at(i)).canonicalFilePath();
        if (path.isEmpty() || read.contains(path) || QFileInfo(path).size() > kMaxFileBytes)
            continue;
        read.insert(path);
        const textfile::ReadResult file = textfile::readEditableText(path);
        if (!file.ok())
            continue;
        const ParsedConfig config = parseConfig(file.text);
        visit(path, file.text, config);
        if (!gameDirKnown(gameDir))
            continue;
        for (const QString& name : execNames(config))
            if (const QString exec = gameFile(gameDir, name); !exec.isEmpty())
                queue.append(exec);
    }
}

QStringList startConfigs(const QString& gameDir) {
    QStringList files;
    if (!gameDirKnown(gameDir))
        return files;
    for (const QString& name : {u"config.cfg"_s, u"autoexec.cfg"_s})
        if (const QString path = gameFile(gameDir, name); !path.isEmpty())
            files.append(path);
    return files;
}

} // namespace configset

QSet<QString> aliasesFromGameFiles(const ParsedConfig& config, const QString& gameDir,
                                   GameFolderAliases* folder) {
    QSet<QString> aliases;
    if (!configset::gameDirKnown(gameDir))
        return aliases;
    const auto walk = [&](const QStringList& files, QSet<QString>& into) {
        configset::walk(gameDir, files,
                        [&](const QString&, const QString&, const ParsedConfig& other) {
                            into.unite(other.aliases);
                        });
    };
    // Every .cfg of the game directory, then what the config and those files exec, each once.
    QStringList files;
    for (const QString& file : paths::listFiles(gameDir, u"*.cfg"_s))
        files.append(paths::resolve(gameDir, QFileInfo(file).fileName()));
    QStringList execs;
    for (const QString& name : configset::execNames(config))
        if (const QString path = configset::gameFile(gameDir, name); !path.isEmpty())
            execs.append(path);
    if (!folder) {
        walk(files + execs, aliases);
        return aliases;
    }
    if (folder->gameDir != gameDir) {
        folder->gameDir = gameDir;
        folder->aliases.clear();
        walk(files, folder->aliases);
    }
    aliases = folder->aliases;
    if (!execs.isEmpty())
        walk(execs, aliases);
    return aliases;
}

QString launchCopyName() {
    return u"_.cfg"_s;
}
