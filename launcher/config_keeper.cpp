// Keeping and restoring the user's config.cfg around a launch.
#include "launcher/config_keeper.h"

#include "language/saved_settings.h"
#include "platform/log_categories.h"
#include "platform/text_file.h"
#include "platform/user_dialogs.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>

using namespace Qt::Literals::StringLiterals;

bool isStartScript(const QByteArray& bytes) {
    QList<QByteArray> lines = bytes.split('\n');
    if (lines.size() < 2 || lines.size() > 3)
        return false;
    // Written with the line breaks of the config it stands in for: all CR LF or all LF.
    const bool crlf = lines[0].endsWith('\r');
    for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
        if (lines[i].endsWith('\r') != crlf)
            return false;
        if (crlf)
            lines[i].chop(1);
    }
    if (lines.last().endsWith('\r'))
        return false;
    if (lines[0] != "exec _.cfg" || !lines[1].startsWith("map "))
        return false;
    return lines.size() == 2 || lines[2] == "+mlook";
}

std::optional<FileVersion> newestNonScriptVersion(const VersionStore& store,
                                                  const QString& configPath, bool skipGame) {
    for (const FileVersion& v : store.versions(configPath)) {
        const bool found = v.source == VersionSource::Game && skipGame;
        // A start script is a few dozen bytes: only those are read to tell, and the changes
        // found on disk, which another editor may have made as well as the game.
        if (v.size >= 512 && !found)
            return v;
        const textfile::BytesResult b = store.bytesOf(v);
        if (!b.ok() || isStartScript(b.bytes))
            continue;
        // A file caught empty while the game wrote it is nobody's version either.
        if (found && (b.bytes.isEmpty() || startsLikeGameConfig(textfile::decodeText(
                                               b.bytes, textfile::detectForm(b.bytes)))))
            continue;
        return v;
    }
    return std::nullopt;
}

namespace {

// What the start script replaces: the user's config, also behind a script a crashed run left
// or one this run wrote for a game that never read it.
struct UserConfig {
    bool ok = true;
    bool had = false;
    QByteArray bytes;
    QString reason;
};

UserConfig userConfigBehind(const VersionStore& store, const QString& configPath,
                            const LaunchState::LaunchedConfig* previous) {
    UserConfig user;
    if (!QFileInfo::exists(configPath))
        return user;
    const textfile::BytesResult current = textfile::readBytes(configPath);
    if (!current.ok())
        return {false, false, {}, current.reason};
    if (previous && current.bytes == previous->script)
        return {true, previous->hadConfig, previous->userConfig, {}};
    if (isStartScript(current.bytes)) {
        if (const std::optional<FileVersion> v = newestNonScriptVersion(store, configPath)) {
            const textfile::BytesResult kept = store.bytesOf(*v);
            if (kept.ok())
                return {true, true, kept.bytes, {}};
        }
        return user;
    }
    return {true, true, current.bytes, {}};
}

// The record of the start script written over `configPath` (the same file by another spelling
// too), or the end.
template <typename Records> auto recordFor(Records& records, const QString& configPath) {
    const QString target = QFileInfo(configPath).absoluteFilePath();
    return std::find_if(records.begin(), records.end(), [&](const auto& r) {
        return QFileInfo(r.configPath).absoluteFilePath() == target;
    });
}

} // namespace

StartScriptResult writeStartScript(SharedState& state, const QString& configPath,
                                   const QString& script) {
    StartScriptResult result;
    auto& records = state.launch.launchedConfigs;
    auto it = recordFor(records, configPath);
    const VersionStore store = state.versions();
    const UserConfig user =
        userConfigBehind(store, configPath, it == records.end() ? nullptr : &*it);
    if (!user.ok) {
        qCWarning(lcLauncher) << "no start script over" << configPath
                              << "- its config could not be read:" << user.reason;
        result.ok = false;
        result.failedPath = configPath;
        result.reason = user.reason;
        return result;
    }
    // The script keeps the config's form, but never a byte-order mark: the game would take it
    // for part of the first command.
    textfile::TextForm form;
    if (user.had)
        form = textfile::detectForm(user.bytes);
    form.bom = false;
    const QByteArray bytes = textfile::encodeText(script, form);
    const textfile::WriteResult w =
        writeKeepingVersions(store, configPath, bytes, VersionSource::Launch);
    if (!w.ok) {
        qCWarning(lcLauncher) << "the start script could not be written over" << configPath
                              << w.reason;
        result.ok = false;
        result.failedPath = configPath;
        result.reason = w.reason;
        return result;
    }
    qCDebug(lcLauncher) << "start script written over" << configPath
                        << (user.had ? "(its config kept)" : "(no config there)");
    LaunchState::LaunchedConfig record{configPath, bytes, user.had, user.bytes};
    if (it == records.end())
        records.push_back(record);
    else
        *it = record;
    return result;
}

namespace {

// Puts back the config kept for one start script; an empty text, or why it could not.
QString restoreRecord(const VersionStore& store, const LaunchState::LaunchedConfig& r) {
    const textfile::BytesResult now = textfile::readBytes(r.configPath);
    // Gone, or rewritten by the game: that file is the newer config; leave it (the user's is
    // in the versions store).
    if (!now.ok() || now.bytes != r.script) {
        qCDebug(lcLauncher) << r.configPath << "is no longer the start script; it stays";
        return QString();
    }
    if (!r.hadConfig) {
        if (!QFile::remove(r.configPath)) {
            qCWarning(lcLauncher) << "the start script could not be removed:" << r.configPath;
            return textfile::describeFailure(r.configPath, u"Не удалось удалить файл запуска"_s);
        }
        return QString();
    }
    const textfile::WriteResult w =
        writeKeepingVersions(store, r.configPath, r.userConfig, VersionSource::Launch);
    if (!w.ok) {
        qCWarning(lcLauncher) << "the player's config could not be put back:" << r.configPath
                              << w.reason;
        return textfile::describeFailure(r.configPath, w.reason) +
               u"\nПрежний файл есть в истории версий (\"Файл\" → \"История версий\")."_s;
    }
    qCDebug(lcLauncher) << "the player's config is back in" << r.configPath;
    return QString();
}

} // namespace

QStringList restoreUserConfigs(SharedState& state) {
    QStringList failures;
    for (const auto& r : state.launch.launchedConfigs)
        if (const QString failure = restoreRecord(state.versions(), r); !failure.isEmpty())
            failures.append(failure);
    state.launch.launchedConfigs.clear();
    return failures;
}

QString restoreUserConfig(SharedState& state, const QString& configPath) {
    auto& records = state.launch.launchedConfigs;
    const auto it = recordFor(records, configPath);
    if (it == records.end())
        return QString();
    const QString failure = restoreRecord(state.versions(), *it);
    records.erase(it);
    return failure;
}

void restoreKeptConfigs(SharedState& state, UserDialogs& dialogs) {
    const QStringList failures = restoreUserConfigs(state);
    if (!failures.isEmpty())
        dialogs.error(u"Не удалось вернуть прежний config.cfg:\n"_s + failures.join(u"\n\n"_s));
}

bool startScriptStandsIn(const LaunchState& launch, const QString& configPath) {
    return recordFor(launch.launchedConfigs, configPath) != launch.launchedConfigs.end();
}
