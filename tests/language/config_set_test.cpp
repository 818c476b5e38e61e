// The game's own config and the set it runs: which texts read as written by the game, and how
// far the walk over exec'd files goes.
#include "language/config_set.h"
#include "language/saved_settings.h"
#include "platform/text_file.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

// The game writes config.cfg with its header, or, in older releases, starting with unbindall;
// the player may have changed the letter case of either.
TEST(GameConfig, StartsAsTheGameWritesItInAnyLetterCase) {
    struct Case {
        QString text;
        bool game;
    };
    const Case cases[] = {
        {u"unbindall\nbind \"w\" \"+forward\"\n"_s, true},
        {u"UNBINDALL\nbind \"w\" \"+forward\"\n"_s, true},
        {u"\n  UnBindAll\n"_s, true},
        {u"// This file is overwritten whenever you change your user settings in the game.\n"_s,
         true},
        {u"// THIS FILE IS OVERWRITTEN WHENEVER YOU CHANGE YOUR USER SETTINGS IN THE GAME.\n"_s,
         true},
        {u"unbind w\nunbindall\n"_s, false},
        {u"bind w +forward\nunbindall\n"_s, false},
        {u"// my own config\nunbindall\n"_s, false},
        {u""_s, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(startsLikeGameConfig(c.text), c.game) << c.text.toStdString();
}

// A chain of files each exec'ing the next is read to its 256th file and no further.
TEST(ConfigSet, TheWalkStopsAfter256Files) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const auto name = [](int i) { return u"c%1.cfg"_s.arg(i); };
    for (int i = 0; i < 300; ++i)
        ASSERT_TRUE(
            textfile::writeBytes(dir.filePath(name(i)), "exec " + name(i + 1).toLatin1() + "\n")
                .ok);
    QStringList visited;
    configset::walk(dir.path(), {dir.filePath(name(0))},
                    [&](const QString& path, const QString&, const ParsedConfig&) {
                        visited.append(QDir(dir.path()).relativeFilePath(path));
                    });
    ASSERT_EQ(visited.size(), 256);
    EXPECT_EQ(visited.first(), name(0));
    EXPECT_EQ(visited.last(), name(255));
    // Each file once, however often it is exec'd.
    ASSERT_TRUE(textfile::writeBytes(dir.filePath(name(3)), "exec c0.cfg\nexec c1.cfg\n").ok);
    visited.clear();
    configset::walk(dir.path(), {dir.filePath(name(0))},
                    [&](const QString& path, const QString&, const ParsedConfig&) {
                        visited.append(QDir(dir.path()).relativeFilePath(path));
                    });
    EXPECT_EQ(visited, (QStringList{name(0), name(1), name(2), name(3)}));
}

// exec finds a file as written, else in another letter case (the first such name in sorted
// order), in the game's folder first and the base game's beside it second; a folder of the
// name is no file. Many look-ups in one folder find what one look-up finds.
TEST(ConfigSet, ExecFindsAFileInAnyLetterCaseInTheGameFolderThenTheBaseGames) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString game = dir.path() + u"/cstrike"_s;
    const QString base = dir.path() + u"/Valve"_s;
    for (const QString& folder : {game, base, game + u"/Sub.cfg"_s, game + u"/CFG"_s})
        ASSERT_TRUE(QDir().mkpath(folder));
    for (const QString& file :
         {game + u"/config.cfg"_s, game + u"/Autoexec.CFG"_s, game + u"/autoexec.Cfg"_s,
          base + u"/valve.rc"_s, base + u"/sub.cfg"_s, base + u"/USERCONFIG.cfg"_s,
          game + u"/CFG/Buy.cfg"_s})
        ASSERT_TRUE(textfile::writeBytes(file, "echo\r\n").ok);

    const struct {
        QString name;
        QString found; // empty: none
    } cases[] = {
        {u"config.cfg"_s, game + u"/config.cfg"_s},
        {u"CONFIG.CFG"_s, game + u"/config.cfg"_s},
        {u"autoexec.cfg"_s, game + u"/Autoexec.CFG"_s}, // "A" sorts before "a"
        {u"valve.rc"_s, base + u"/valve.rc"_s},
        {u"sub.cfg"_s, base + u"/sub.cfg"_s}, // the game folder's Sub.cfg is a folder
        {u"userconfig.cfg"_s, base + u"/USERCONFIG.cfg"_s},
        {u"cfg/buy.cfg"_s, game + u"/CFG/Buy.cfg"_s},
        {u"cfg\\BUY.cfg"_s, game + u"/CFG/Buy.cfg"_s},
        {u"missing.cfg"_s, QString()},
    };
    configset::GameFiles files(game);
    for (const auto& c : cases) {
        EXPECT_EQ(configset::gameFile(game, c.name), c.found) << c.name.toStdString();
        EXPECT_EQ(files.find(c.name), c.found) << c.name.toStdString();
    }
}
