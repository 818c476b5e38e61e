// Keeping and restoring the user's config.cfg around a launch.
#include "launcher/config_keeper.h"

#include "platform/text_file.h"
#include "platform/user_dialogs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

// The number of a kept copy's name: 1 for "config.cfg.bak", n for "config.cfg.bak<n>".
int keptCopyNumber(const QString& configName, const QString& fileName) {
    static const QRegularExpression suffix(u"^\\.bak([0-9]{0,6})$"_s,
                                           QRegularExpression::CaseInsensitiveOption);
    if (!fileName.startsWith(configName, Qt::CaseInsensitive))
        return 0;
    const auto m = suffix.match(fileName.mid(configName.size()));
    if (!m.hasMatch())
        return 0;
    return m.captured(1).isEmpty() ? 1 : m.captured(1).toInt();
}

QString keptCopyName(const QString& configPath, int number) {
    return configPath + u".bak"_s + (number <= 1 ? QString() : QString::number(number));
}

} // namespace

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

QStringList keptCopies(const QString& configPath) {
    const QFileInfo info(configPath);
    std::vector<std::pair<int, QString>> found;
    const QStringList entries = QDir(info.absolutePath()).entryList(QDir::Files | QDir::Hidden);
    for (const QString& e : entries)
        if (const int n = keptCopyNumber(info.fileName(), e); n > 0)
            found.emplace_back(n, info.absolutePath() + u'/' + e);
    std::sort(found.begin(), found.end());
    QStringList copies;
    for (const auto& f : found)
        copies.append(f.second);
    return copies;
}

KeepResult keepUserConfig(const QString& configPath, const SharedState::LaunchedConfig* previous) {
    KeepResult result;
    if (!QFileInfo::exists(configPath))
        return result;
    const textfile::BytesResult current = textfile::readBytes(configPath);
    if (!current.ok()) {
        result.ok = false;
        result.failedPath = configPath;
        result.reason = current.reason;
        return result;
    }
    const QStringList copies = keptCopies(configPath);
    if (previous && current.bytes == previous->script) {
        result.keptCopy = previous->keptCopy;
        return result;
    }
    if (isStartScript(current.bytes)) {
        result.keptCopy = copies.isEmpty() ? QString() : copies.last();
        return result;
    }
    if (!copies.isEmpty()) {
        const textfile::BytesResult newest = textfile::readBytes(copies.last());
        if (newest.ok() && newest.bytes == current.bytes) {
            result.keptCopy = copies.last();
            return result;
        }
    }
    const int next = copies.isEmpty() ? 1
                                      : keptCopyNumber(QFileInfo(configPath).fileName(),
                                                       QFileInfo(copies.last()).fileName()) +
                                            1;
    const QString target = keptCopyName(configPath, next);
    const textfile::WriteResult w = textfile::writeBytes(target, current.bytes);
    if (!w.ok) {
        result.ok = false;
        result.failedPath = target;
        result.reason = w.reason;
        return result;
    }
    result.keptCopy = target;
    return result;
}

StartScriptResult writeStartScript(SharedState& state, const QString& configPath,
                                   const QString& script) {
    StartScriptResult result;
    auto& records = state.launchedConfigs;
    auto it = std::find_if(records.begin(), records.end(), [&](const auto& r) {
        return QFileInfo(r.configPath).absoluteFilePath() ==
               QFileInfo(configPath).absoluteFilePath();
    });
    const KeepResult kept = keepUserConfig(configPath, it == records.end() ? nullptr : &*it);
    if (!kept.ok) {
        result.ok = false;
        result.failedPath = kept.failedPath;
        result.reason = kept.reason;
        return result;
    }
    // The script keeps the config's form, but never a byte-order mark: the game would take it
    // for part of the first command.
    textfile::TextForm form;
    if (QFileInfo::exists(configPath))
        form = textfile::detectForm(textfile::readBytes(configPath).bytes);
    form.bom = false;
    const QByteArray bytes = textfile::encodeText(script, form);
    const textfile::WriteResult w = textfile::writeBytes(configPath, bytes);
    if (!w.ok) {
        result.ok = false;
        result.failedPath = configPath;
        result.reason = w.reason;
        return result;
    }
    SharedState::LaunchedConfig record{configPath, bytes, kept.keptCopy};
    if (it == records.end())
        records.push_back(record);
    else
        *it = record;
    return result;
}

namespace {

// Puts back the config kept for one start script; an empty text, or why it could not.
QString restoreRecord(const SharedState::LaunchedConfig& r) {
    const textfile::BytesResult now = textfile::readBytes(r.configPath);
    // Gone, or rewritten by the game: that file is the newer config; leave it and the copy.
    if (!now.ok() || now.bytes != r.script)
        return QString();
    if (r.keptCopy.isEmpty()) {
        if (!QFile::remove(r.configPath))
            return textfile::describeFailure(r.configPath, u"Не удалось удалить файл запуска"_s);
        return QString();
    }
    const textfile::WriteResult w = textfile::copyFile(r.keptCopy, r.configPath);
    if (!w.ok)
        return textfile::describeFailure(r.configPath, w.reason) +
               u"\nПрежний файл сохранён как "_s + r.keptCopy;
    QFile::remove(r.keptCopy);
    return QString();
}

} // namespace

QStringList restoreUserConfigs(SharedState& state) {
    QStringList failures;
    for (const auto& r : state.launchedConfigs)
        if (const QString failure = restoreRecord(r); !failure.isEmpty())
            failures.append(failure);
    state.launchedConfigs.clear();
    return failures;
}

QString restoreUserConfig(SharedState& state, const QString& configPath) {
    auto& records = state.launchedConfigs;
    const QString target = QFileInfo(configPath).absoluteFilePath();
    auto it = std::find_if(records.begin(), records.end(), [&](const auto& r) {
        return QFileInfo(r.configPath).absoluteFilePath() == target;
    });
    if (it == records.end())
        return QString();
    const QString failure = restoreRecord(*it);
    records.erase(it);
    return failure;
}

void restoreKeptConfigs(SharedState& state, UserDialogs& dialogs) {
    const QStringList failures = restoreUserConfigs(state);
    if (!failures.isEmpty())
        dialogs.error(u"Не удалось вернуть прежний config.cfg:\n"_s + failures.join(u"\n\n"_s));
}
