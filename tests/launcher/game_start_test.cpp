// The start of the game: the start script, the program chosen for this system, and the whole
// launch against a fake game that records where and with what it was started.
#include "launcher/config_keeper.h"
#include "launcher/game_start.h"
#include "launcher_test_files.h"
#include "platform/qt_shell.h"
#include "tests/support/test_app.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest/QTest>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// A shell script that writes its folder and arguments, one per line, to `record`.
void putRecordingProgram(const QString& path, const QString& record) {
    putFile(path,
            ("#!/bin/sh\n{ pwd; for a in \"$@\"; do echo \"$a\"; done; } > '" + record.toUtf8() +
             ".part' && mv '" + record.toUtf8() + ".part' '" + record.toUtf8() + "'\n"));
    QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner | QFile::ExeUser);
}

QStringList waitForRecord(const QString& record) {
    QElapsedTimer timer;
    timer.start();
    while (!QFileInfo::exists(record) && timer.elapsed() < 10000)
        QThread::msleep(20);
    return QString::fromUtf8(fileBytes(record)).split(u'\n', Qt::SkipEmptyParts);
}

struct Installation {
    QTemporaryDir dir;
    SharedState state;
    QString hl() const { return dir.path() + u"/Half-Life"_s; }
    QString mod() const { return hl() + u"/cstrike"_s; }
    QString edited() const { return dir.path() + u"/my.cfg"_s; }
    Installation() {
        state.games.halfLifeDir = hl();
        state.home = ProgramHome::portable(dir.path() + u"/program"_s);
        putFile(mod() + u"/settings.scr"_s);
        putFile(mod() + u"/config.cfg"_s, "bind w +forward\r\n");
        putFile(edited(), "// edited\r\nbind x +jump\r\n");
    }
    LaunchChoice choice() const {
        return LaunchChoice{
            u"cstrike"_s, u"de_dust"_s, true, {u"-game"_s, u"cstrike"_s, u"+maxplayers"_s, u"8"_s}};
    }
};

} // namespace

TEST(StartScript, MapAndMlookLines) {
    EXPECT_EQ(startScript(u"de_dust"_s, true), u"exec _.cfg\nmap de_dust\n+mlook"_s);
    EXPECT_EQ(startScript(u"de_dust"_s, false), u"exec _.cfg\nmap de_dust"_s);
    EXPECT_EQ(chosenMap(u"fy_pool_day"_s, u"de_dust"_s), u"fy_pool_day"_s);
    EXPECT_EQ(chosenMap(QString(), u"de_dust"_s), u"de_dust"_s);
}

TEST(GameProgramChoice, ByHostAndInstallation) {
    QTemporaryDir dir;
    const QString hl = dir.path();
    const QStringList params{u"-game"_s, u"cstrike"_s};
    const GameHost windows{true, QString()};
    const GameHost withWine{false, u"/usr/bin/wine"_s};
    const GameHost noWine{false, QString()};

    EXPECT_EQ(gameProgram(hl, params, windows).program, hl + u"/hl.exe"_s);
    EXPECT_TRUE(gameProgram(hl, params, withWine).program.isEmpty()); // nothing there

    putFile(hl + u"/HL.EXE"_s);
    GameProgram p = gameProgram(hl, params, withWine);
    EXPECT_EQ(p.program, u"/usr/bin/wine"_s);
    EXPECT_EQ(p.arguments, (QStringList{hl + u"/HL.EXE"_s, u"-game"_s, u"cstrike"_s}));
    EXPECT_TRUE(gameProgram(hl, params, noWine).program.isEmpty());

    putFile(hl + u"/hl_linux"_s);
    EXPECT_EQ(gameProgram(hl, params, noWine).program, hl + u"/hl_linux"_s);
    putFile(hl + u"/hl.sh"_s);
    p = gameProgram(hl, params, noWine);
    EXPECT_EQ(p.program, hl + u"/hl.sh"_s);
    EXPECT_EQ(p.arguments, params);
    EXPECT_EQ(gameProgram(hl, params, withWine).program, u"/usr/bin/wine"_s);
}

TEST(LaunchGame, StartsTheGameInItsFolderWithTheParameters) {
    Installation in;
    const QString record = in.dir.path() + u"/started.txt"_s;
    putRecordingProgram(in.hl() + u"/hl.sh"_s, record);
    QtShell shell;
    QString ended;
    const LaunchOutcome r =
        launchGame(in.state, shell, in.edited(), in.choice(), GameHost{false, QString()},
                   [&](const QString& config) { ended = config; });
    ASSERT_TRUE(r.ok) << r.message.toStdString();
    EXPECT_EQ(waitForRecord(record),
              (QStringList{in.hl(), u"-game"_s, u"cstrike"_s, u"+maxplayers"_s, u"8"_s}));
    EXPECT_EQ(fileBytes(in.mod() + u"/_.cfg"_s), "// edited\r\nbind x +jump\r\n");
    EXPECT_EQ(fileBytes(in.mod() + u"/config.cfg"_s), "exec _.cfg\r\nmap de_dust\r\n+mlook");
    // The player's config is in the versions store, nothing beside it.
    EXPECT_FALSE(QFileInfo::exists(in.mod() + u"/config.cfg.bak"_s));
    EXPECT_TRUE(newestNonScriptVersion(in.state.versions(), in.mod() + u"/config.cfg"_s));
    // The program that was started has ended, and the launch is told so (nothing waited).
    EXPECT_TRUE(QTest::qWaitFor([&] { return !ended.isEmpty(); }, 10000));
    EXPECT_EQ(ended, in.mod() + u"/config.cfg"_s);
}

TEST(LaunchGame, WindowsProgramGoesThroughWine) {
    Installation in;
    const QString record = in.dir.path() + u"/wine.txt"_s;
    const QString wine = in.dir.path() + u"/bin/wine"_s;
    putRecordingProgram(wine, record);
    putFile(in.hl() + u"/hl.exe"_s);
    QtShell shell;
    ASSERT_TRUE(launchGame(in.state, shell, in.edited(), in.choice(), GameHost{false, wine}).ok);
    EXPECT_EQ(waitForRecord(record), (QStringList{in.hl(), in.hl() + u"/hl.exe"_s, u"-game"_s,
                                                  u"cstrike"_s, u"+maxplayers"_s, u"8"_s}));
}

TEST(LaunchGame, TheMissingProgramIsNamed) {
    EXPECT_EQ(missingGameProgram(u"/g"_s, GameHost{}),
              u"В папке /g нет ни hl.exe, ни hl.sh, ни hl_linux."_s);
    // hl.exe is there, wine is not.
    Installation in;
    putFile(in.hl() + u"/hl.exe"_s, "MZ");
    EXPECT_EQ(missingGameProgram(in.hl(), GameHost{}),
              u"В папке "_s + in.hl() +
                  u" есть hl.exe, но не установлена программа wine, которая его запускает."_s);
}

TEST(LaunchGame, FailuresAreReportedAndStartNothing) {
    Installation in;
    QtShell shell;
    // No game program at all; then one that cannot be run. Each time the player's config.cfg
    // is back at once, with nothing left beside it.
    LaunchOutcome r = launchGame(in.state, shell, in.edited(), in.choice(), GameHost{});
    EXPECT_FALSE(r.ok);
    // The message says what is missing.
    EXPECT_EQ(r.message, u"Неправильно задан путь к каталогу игры!\nВ папке "_s + in.hl() +
                             u" нет ни hl.exe, ни hl.sh, ни hl_linux."_s);
    EXPECT_EQ(fileBytes(in.mod() + u"/config.cfg"_s), "bind w +forward\r\n");
    EXPECT_FALSE(QFileInfo::exists(in.mod() + u"/config.cfg.bak"_s));
    EXPECT_TRUE(in.state.launch.launchedConfigs.empty());
    putFile(in.hl() + u"/hl.sh"_s, "not executable");
    r = launchGame(in.state, shell, in.edited(), in.choice(), GameHost{});
    EXPECT_EQ(r.message, u"Неправильно задан путь к каталогу игры!\nНе удалось запустить "_s +
                             in.hl() + u"/hl.sh"_s);
    EXPECT_EQ(fileBytes(in.mod() + u"/config.cfg"_s), "bind w +forward\r\n");

    RecordingShell recording;
    // The saved config is gone: nothing is copied or written.
    QFile::remove(in.edited());
    QFile::remove(in.mod() + u"/_.cfg"_s);
    r = launchGame(in.state, recording, in.edited(), in.choice(), GameHost{});
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.message.contains(in.edited()));
    EXPECT_FALSE(QFileInfo::exists(in.mod() + u"/_.cfg"_s));

    // A mod folder that does not exist, and a mod name that leads out of the Half-Life folder.
    putFile(in.edited(), "x");
    LaunchChoice c = in.choice();
    c.mod = u"nomod"_s;
    r = launchGame(in.state, recording, in.edited(), c, GameHost{});
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.message.contains(in.hl() + u"/nomod"_s));
    c.mod = u"../Half-Life/cstrike"_s;
    EXPECT_FALSE(launchGame(in.state, recording, in.edited(), c, GameHost{}).ok);
    EXPECT_TRUE(recording.started.empty());
}
