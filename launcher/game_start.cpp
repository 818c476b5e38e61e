// The start of the game.
#include "launcher/game_start.h"

#include "language/config_set.h"
#include "launcher/config_keeper.h"
#include "launcher/mod_discovery.h"
#include "platform/log_categories.h"
#include "platform/program_paths.h"
#include "platform/shell.h"
#include "platform/text_file.h"

#include <QFileInfo>
#include <QStandardPaths>

using namespace Qt::Literals::StringLiterals;

QString chosenMap(const QString& typed, const QString& selected) {
    return typed.isEmpty() ? selected : typed;
}

QString startScript(const QString& map, bool mlook) {
    QString script = u"exec _.cfg\nmap "_s + map;
    if (mlook)
        script += u"\n+mlook"_s;
    return script;
}

GameHost currentGameHost() {
    GameHost host;
#ifdef Q_OS_WIN
    host.windows = true;
#else
    host.wine = QStandardPaths::findExecutable(u"wine"_s);
#endif
    return host;
}

GameProgram gameProgram(const QString& halfLifeDir, const QStringList& params,
                        const GameHost& host) {
    const QString exe = paths::resolve(halfLifeDir, u"hl.exe"_s);
    if (host.windows)
        return GameProgram{exe, params};
    if (QFileInfo(exe).isFile() && !host.wine.isEmpty())
        return GameProgram{host.wine, QStringList{exe} + params};
    for (const QString& native : {u"hl.sh"_s, u"hl_linux"_s}) {
        const QString path = paths::resolve(halfLifeDir, native);
        if (QFileInfo(path).isFile())
            return GameProgram{path, params};
    }
    return GameProgram{};
}

QString wrongGameFolderMessage() {
    return u"Неправильно задан путь к каталогу игры!"_s;
}

QString missingGameProgram(const QString& halfLifeDir, const GameHost& host) {
    const QString folder = halfLifeDir.isEmpty() ? u"(не задана)"_s : halfLifeDir;
    if (host.windows)
        return u"В папке "_s + folder + u" нет hl.exe."_s;
    if (QFileInfo(paths::resolve(halfLifeDir, u"hl.exe"_s)).isFile())
        return u"В папке "_s + folder +
               u" есть hl.exe, но не установлена программа wine, которая его запускает."_s;
    return u"В папке "_s + folder + u" нет ни hl.exe, ни hl.sh, ни hl_linux."_s;
}

namespace {

LaunchOutcome failure(const QString& path, const QString& reason) {
    return LaunchOutcome{false, u"Игра не запущена:\n"_s + textfile::describeFailure(path, reason)};
}

LaunchOutcome startGame(SharedState& state, Shell& shell, const QString& configFile,
                        const LaunchChoice& choice, const GameHost& host,
                        std::function<void(const QString& configPath)> whenEnded) {
    // The mod is a folder name below the Half-Life folder, nothing that leads elsewhere.
    const QString mod = choice.mod;
    if (mod.trimmed().isEmpty() || mod.contains(u'/') || mod.contains(u'\\') || mod == u"."_s ||
        mod == u".."_s)
        return LaunchOutcome{false, u"Игра не запущена:\nНеверное имя мода \""_s + mod + u'"'};
    const QString folder = modFolder(state.games.halfLifeDir, mod);
    if (!QFileInfo(folder).isDir())
        return failure(folder, u"Папка мода не найдена"_s);

    // The config as saved on disk; edits not yet saved are not part of the launch.
    const textfile::BytesResult saved = textfile::readBytes(configFile);
    if (!saved.ok())
        return failure(configFile, saved.reason);
    const QString launchCopy = folder + u'/' + launchCopyName();
    if (const textfile::WriteResult w = textfile::writeBytes(launchCopy, saved.bytes); !w.ok)
        return failure(launchCopy, w.reason);

    const QString config = paths::resolve(folder, u"config.cfg"_s);
    const StartScriptResult script =
        writeStartScript(state, config, startScript(choice.map, choice.mlook));
    if (!script.ok)
        return failure(script.failedPath, script.reason);

    const GameProgram program = gameProgram(state.games.halfLifeDir, choice.arguments, host);
    if (program.program.isEmpty() ||
        !shell.startProgram(program.program, program.arguments, state.games.halfLifeDir,
                            whenEnded
                                ? std::function<void()>([config, whenEnded] { whenEnded(config); })
                                : std::function<void()>())) {
        // No game will read the start script: the player's own config goes back now, not
        // at the end of the run, so a save into config.cfg meanwhile cannot lose it.
        QString message =
            wrongGameFolderMessage() + u'\n' +
            (program.program.isEmpty() ? missingGameProgram(state.games.halfLifeDir, host)
                                       : u"Не удалось запустить "_s + program.program);
        if (const QString failure = restoreUserConfig(state, config); !failure.isEmpty())
            message += u"\n\nНе удалось вернуть прежний config.cfg:\n"_s + failure;
        return LaunchOutcome{false, message};
    }
    qCDebug(lcLauncher) << "started" << program.program << program.arguments << "in"
                        << state.games.halfLifeDir << "with the start script in" << config;
    return LaunchOutcome{};
}

} // namespace

LaunchOutcome launchGame(SharedState& state, Shell& shell, const QString& configFile,
                         const LaunchChoice& choice, const GameHost& host,
                         std::function<void(const QString& configPath)> whenEnded) {
    const LaunchOutcome outcome =
        startGame(state, shell, configFile, choice, host, std::move(whenEnded));
    if (!outcome.ok)
        qCWarning(lcLauncher).noquote() << "the game was not started:" << outcome.message;
    return outcome;
}
