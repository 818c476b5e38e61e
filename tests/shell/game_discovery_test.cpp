// Finding the player's Half-Life installations in a home folder built for the test.
#include "print_qstring.h"
#include "shell/game_discovery.h"
#include "test_files.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// A Half-Life folder at `folder` with the given executable and mods.
void makeGame(const QString& folder, const QString& executable, const QStringList& mods) {
    put(folder + u'/' + executable, "");
    for (const QString& mod : mods)
        put(folder + u'/' + mod + u"/liblist.gam"_s, "game \"x\"\r\n");
}

} // namespace

TEST(GameDiscovery, SteamLibrariesWinePrefixesLutrisAndBottlesEachOnce) {
    QTemporaryDir dir;
    const QString home = dir.path() + u"/home"_s;
    const QString data = home + u"/.local/share"_s;
    // Steam: its own library and a second one named in libraryfolders.vdf; ~/.steam/steam is
    // the usual link to the same Steam folder and must not list it twice.
    makeGame(data + u"/Steam/steamapps/common/Half-Life"_s, u"hl_linux"_s,
             {u"valve"_s, u"cstrike"_s, u"dmc"_s});
    put(data + u"/Steam/steamapps/libraryfolders.vdf"_s,
        ("\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"path\"\t\t\"" + data.toUtf8() +
         "/Steam\"\n\t\t\"apps\"\n\t\t{\n\t\t\t\"70\"\t\t\"123\"\n\t\t}\n\t}\n\t\"1\"\n\t{\n"
         "\t\t\"path\"\t\t\"" +
         dir.path().toUtf8() + "/games/SteamLibrary\"\n\t}\n}\n"));
    makeGame(dir.path() + u"/games/SteamLibrary/SteamApps/common/Half-Life 2"_s, u"hl.sh"_s,
             {u"valve"_s});
    QDir().mkpath(home + u"/.steam"_s);
    QFile::link(data + u"/Steam"_s, home + u"/.steam/steam"_s);
    // Wine: the default prefix (the system folder is skipped, links are not followed) and
    // $WINEPREFIX.
    makeGame(home + u"/.wine/drive_c/Sierra/Half-Life"_s, u"HL.EXE"_s, {u"cstrike"_s});
    makeGame(home + u"/.wine/drive_c/windows/Half-Life"_s, u"hl.exe"_s, {u"valve"_s});
    QDir().mkpath(home + u"/.wine/drive_c/users/p"_s);
    QFile::link(home, home + u"/.wine/drive_c/users/p/Desktop"_s);
    makeGame(dir.path() + u"/cs15/drive_c/Program Files/Valve/Half-Life"_s, u"hl.exe"_s,
             {u"cstrike"_s});
    // Lutris: a prefix named in a game's YAML file (with "~"), and one in ~/Games.
    put(home + u"/.config/lutris/games/cs-1.yml"_s,
        "game:\n  exe: drive_c/HL/hl.exe\n  prefix: '~/lutris/cs'\nsystem: {}\n");
    makeGame(home + u"/lutris/cs/drive_c/HL"_s, u"hl.exe"_s, {u"cstrike"_s, u"valve"_s});
    makeGame(home + u"/Games/half-life/drive_c/Games/Half-Life"_s, u"hl.exe"_s, {u"tfc"_s});
    // Bottles; and a folder that holds mods but no game executable is no installation.
    makeGame(data + u"/bottles/bottles/CS/drive_c/Half-Life"_s, u"hl.exe"_s, {u"cstrike"_s});
    makeGame(data + u"/bottles/bottles/Other/drive_c/NotAGame"_s, u"readme.txt"_s, {u"valve"_s});

    const GameSearchPlaces places{home, data, home + u"/.config"_s, dir.path() + u"/cs15"_s};
    const QList<FoundGame> found = findGames(places);
    const QList<FoundGame> expected{
        {u"Steam"_s,
         home + u"/.steam/steam/steamapps/common/Half-Life"_s,
         {u"cstrike"_s, u"dmc"_s, u"valve"_s}},
        {u"Steam"_s,
         dir.path() + u"/games/SteamLibrary/SteamApps/common/Half-Life 2"_s,
         {u"valve"_s}},
        {u"Wine"_s, home + u"/.wine/drive_c/Sierra/Half-Life"_s, {u"cstrike"_s}},
        {u"Wine"_s, dir.path() + u"/cs15/drive_c/Program Files/Valve/Half-Life"_s, {u"cstrike"_s}},
        {u"Lutris"_s, home + u"/lutris/cs/drive_c/HL"_s, {u"cstrike"_s, u"valve"_s}},
        {u"Lutris"_s, home + u"/Games/half-life/drive_c/Games/Half-Life"_s, {u"tfc"_s}},
        {u"Bottles"_s, data + u"/bottles/bottles/CS/drive_c/Half-Life"_s, {u"cstrike"_s}},
    };
    ASSERT_EQ(found.size(), expected.size());
    for (qsizetype i = 0; i < found.size(); ++i) {
        EXPECT_EQ(found[i].source, expected[i].source) << i;
        EXPECT_EQ(found[i].folder, expected[i].folder) << i;
        EXPECT_EQ(found[i].mods, expected[i].mods) << i;
    }

    // No home folder (the tests' programs): nothing is searched.
    EXPECT_TRUE(findGames(GameSearchPlaces{}).isEmpty());
}

TEST(GameDiscovery, LibraryFoldersOfBothVdfFormsAndLutrisPrefixes) {
    // The older form numbers the folders directly; Windows paths come escaped.
    EXPECT_EQ(libraryFoldersFromVdf(
                  u"\"LibraryFolders\"\n{\n\t\"TimeNextStatsReport\"\t\t\"16\"\n"
                  "\t\"1\"\t\t\"/mnt/games\"\n\t\"2\"\t\t\"D:\\\\Steam Library\"\n}\n"_s),
              (QStringList{u"/mnt/games"_s, u"D:\\Steam Library"_s}));
    EXPECT_EQ(libraryFoldersFromVdf(u"garbage \"path\"\n"_s), QStringList());
    EXPECT_EQ(lutrisPrefixFromYaml(u"game:\n  prefix: \"/home/p/Games/cs\"\n"_s),
              u"/home/p/Games/cs"_s);
    EXPECT_EQ(lutrisPrefixFromYaml(u"game:\n  exe: x\n"_s), QString());
}
