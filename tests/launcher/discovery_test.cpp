// What the launcher reads from a Half-Life folder: the Half-Life folder itself, mods, maps,
// drivers, liblist.gam and the mod icons.
#include "launcher/liblist_reader.h"
#include "launcher/mod_discovery.h"
#include "launcher/mod_picture.h"
#include "launcher_test_files.h"
#include "shell/game_directory.h"

#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

TEST(HalfLifeDir, LosesExactlyEightCharacters) {
    EXPECT_EQ(halfLifeDirOf(u"C:\\HalfLife\\cstrike"_s), u"C:\\HalfLife"_s);
    EXPECT_EQ(halfLifeDirOf(u"C:\\cstrike"_s), u"C:"_s);
    EXPECT_EQ(halfLifeDirOf(u"/games/hl/cstrike"_s), u"/games/hl"_s);
    EXPECT_EQ(halfLifeDirOf(u"/games/hl/valve"_s), u"/games/"_s); // not a parent: 8 fewer
    EXPECT_EQ(halfLifeDirOf(u"/cstrike"_s), QString());
    EXPECT_EQ(halfLifeDirOf(u"C:\\cs"_s), QString());
}

TEST(ModDiscovery, ModsAreFoldersWithSettingsInLowerCaseOnce) {
    QTemporaryDir dir;
    const QString hl = dir.path();
    putFile(hl + u"/cstrike/settings.scr"_s);
    putFile(hl + u"/Valve/SETTINGS.SCR"_s);
    putFile(hl + u"/TFC/settings.scr"_s);
    putFile(hl + u"/.hidden/settings.scr"_s);
    putFile(hl + u"/gldrv/minigl.dll"_s);
    putFile(hl + u"/logos/readme.txt"_s);
    putFile(hl + u"/settings.scr/x"_s);
    putFile(hl + u"/file.scr"_s);

    EXPECT_EQ(discoverMods(hl), (QStringList{u"cstrike"_s, u"tfc"_s, u"valve"_s}));
    // "cstrike" is the fixed first entry and is not listed a second time.
    EXPECT_EQ(modChoices(hl), (QStringList{u"cstrike"_s, u"tfc"_s, u"valve"_s}));
    EXPECT_EQ(modChoices(hl + u"/missing"_s), QStringList{u"cstrike"_s});
    EXPECT_EQ(modChoices(QString()), QStringList{u"cstrike"_s});
    // The lower-case name still finds the folder as it is spelt on disk.
    EXPECT_EQ(modFolder(hl, u"valve"_s), hl + u"/Valve"_s);
}

TEST(ModDiscovery, MapsInAnyCaseWithoutRepeatsSorted) {
    QTemporaryDir dir;
    const QString maps = dir.path() + u"/maps"_s;
    for (const QString& f : {u"de_dust.bsp"_s, u"CS_Italy.BSP"_s, u"aim_map.Bsp"_s,
                             u"de_dust.txt"_s, u"notes.bsp.txt"_s})
        putFile(maps + u'/' + f);
    putFile(maps + u"/folder.bsp/x"_s);
    const QStringList found = mapNames(maps);
    EXPECT_EQ(found, (QStringList{u"aim_map"_s, u"CS_Italy"_s, u"de_dust"_s}));
    EXPECT_TRUE(mapNames(dir.path() + u"/none"_s).isEmpty());

    QStringList list{u"de_dust"_s};
    addMaps(list, {u"zz_last"_s, u"de_dust"_s, u"De_Dust"_s, u"as_oilrig"_s});
    EXPECT_EQ(list, (QStringList{u"as_oilrig"_s, u"De_Dust"_s, u"de_dust"_s, u"zz_last"_s}));
}

TEST(ModDiscovery, DriversFollowDefault) {
    QTemporaryDir dir;
    putFile(dir.path() + u"/gldrv/minigl.dll"_s);
    putFile(dir.path() + u"/gldrv/3dfxgl.DLL"_s);
    putFile(dir.path() + u"/gldrv/readme.txt"_s);
    EXPECT_EQ(driverChoices(dir.path()),
              (QStringList{u"Default"_s, u"3dfxgl.DLL"_s, u"minigl.dll"_s}));
    EXPECT_EQ(driverChoices(dir.path() + u"/x"_s), QStringList{u"Default"_s});
}

TEST(Liblist, TitleAndVersionAfterTheirKeys) {
    ModInfo info = parseLiblist(u"// mod\ngamedll \"dlls\\mp.dll\"\ngame \"Counter-Strike\"\n"
                                u"version \"1.5\"\n"_s);
    EXPECT_EQ(info.title, u"Counter-Strike"_s);
    EXPECT_EQ(info.version, u"1.5"_s);
    EXPECT_GT(info.lastFoundPos, 0);

    // Keys are matched with their case and need the blank and the quote.
    info = parseLiblist(u"Game \"X\"\ngame\"Y\"\nversion 1.0\n"_s);
    EXPECT_TRUE(info.title.isEmpty());
    EXPECT_TRUE(info.version.isEmpty());
    EXPECT_EQ(info.lastFoundPos, -1);

    // No closing quote: the value runs to the end of the text, and nothing reads past it.
    info = parseLiblist(u"version \"2.0\ngame \"Half"_s);
    EXPECT_EQ(info.title, u"Half"_s);
    EXPECT_EQ(info.version, u"2.0\ngame "_s);
    EXPECT_EQ(parseLiblist(u"game \""_s).title, QString());
}

TEST(Liblist, MissingFileGivesEmptyTexts) {
    QTemporaryDir dir;
    const ModInfo missing = readModInfo(dir.path() + u"/valve"_s);
    EXPECT_FALSE(missing.readable);
    EXPECT_TRUE(missing.title.isEmpty() && missing.version.isEmpty());
    // Windows-1251 text, CR LF lines, a name spelt in another case.
    putFile(dir.path() + u"/valve/LibList.gam"_s,
            "game \"\xcf\xf0\xe8\xe2\xe5\xf2\"\r\nversion \"1\"\r\n");
    const ModInfo info = readModInfo(dir.path() + u"/valve"_s);
    EXPECT_TRUE(info.readable);
    EXPECT_EQ(info.title, u"Привет"_s);
    EXPECT_EQ(info.version, u"1"_s);
}

TEST(ModPicture, FixedIconsFirstIcoThenUnknownPicture) {
    QTemporaryDir dir;
    const QString hl = dir.path() + u"/hl"_s;
    const QString program = dir.path() + u"/program/"_s;
    const ProgramHome home = ProgramHome::portable(program);
    putFile(hl + u"/valve.ico"_s, "x");
    putFile(hl + u"/valve/other.ico"_s, "x");
    putFile(hl + u"/TeamFortressClassic.ico"_s, "x");
    putFile(hl + u"/mymod/b.ico"_s, "x");
    putFile(hl + u"/mymod/A.ICO"_s, "x");
    putFile(hl + u"/bare/liblist.gam"_s);
    EXPECT_EQ(modIconFile(hl, u"valve"_s), hl + u"/valve.ico"_s);
    EXPECT_EQ(modIconFile(hl, u"tfc"_s), hl + u"/TeamFortressClassic.ico"_s);
    EXPECT_EQ(modIconFile(hl, u"rewolf"_s), QString()); // its fixed icon is missing
    EXPECT_EQ(modIconFile(hl, u"mymod"_s), hl + u"/mymod/A.ICO"_s);
    EXPECT_EQ(modIconFile(hl, u"bare"_s), QString());
    EXPECT_EQ(modIconFile(hl, u"nothing"_s), QString());

    // A broken icon and a missing one both fall back to dlls\unknown.jpg, read by our decoder.
    EXPECT_TRUE(pictureOrUnknown(hl + u"/valve.ico"_s, home).isNull()); // no unknown.jpg yet
    putFile(program + u"DLLS/Unknown.jpg"_s, smallJpeg());
    EXPECT_EQ(pictureOrUnknown(hl + u"/valve.ico"_s, home).size(), QSize(16, 16));
    EXPECT_EQ(pictureOrUnknown(QString(), home).size(), QSize(16, 16));

    // A real icon is shown as it is.
    QImage icon(32, 32, QImage::Format_ARGB32);
    icon.fill(Qt::red);
    ASSERT_TRUE(icon.save(hl + u"/mymod/A.ICO"_s, "ICO"));
    const QImage shown = pictureOrUnknown(modIconFile(hl, u"mymod"_s), home);
    EXPECT_EQ(shown.size(), QSize(32, 32));
    EXPECT_EQ(shown.pixelColor(5, 5), QColor(Qt::red));
}
