// Installed maps and reading the map cycle file.
#include "mapcycle/installed_maps.h"
#include "mapcycle/map_cycle_file.h"
#include "test_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

TEST(InstalledMaps, EveryBspWhateverItsCaseAndNothingElse) {
    QTemporaryDir game;
    const QString maps = game.filePath(u"MAPS"_s); // the folder too is found without case
    for (const char* name : {"de_dust.bsp", "DE_DUST.BSP", "cs_Italy.Bsp", ".bsp", "de_dust.txt",
                             "notes.bsp.txt", "two\nlines.bsp"})
        put(maps + u'/' + QString::fromUtf8(name), "x");
    QDir(maps).mkdir(u"folder.bsp"_s);
    EXPECT_EQ(mapcycle::installedMaps(game.path()),
              (QStringList{u""_s, u"cs_Italy"_s, u"DE_DUST"_s, u"de_dust"_s}));
    EXPECT_TRUE(mapcycle::installedMaps(game.filePath(u"none"_s)).isEmpty());
    EXPECT_TRUE(mapcycle::installedMaps(QString()).isEmpty());

    QStringList known{u"zz_old"_s, u"de_dust"_s};
    mapcycle::mergeMapNames(known, {u"De_Dust"_s, u"de_dust"_s, u"as_oilrig"_s, u"as_oilrig"_s});
    EXPECT_EQ(known, (QStringList{u"as_oilrig"_s, u"De_Dust"_s, u"de_dust"_s, u"zz_old"_s}));
}

TEST(MapCycleFile, ReadsEveryLineEndAndKeepsBlankEntries) {
    QTemporaryDir game;
    put(game.filePath(u"MapCycle.TXT"_s), "de_dust\r\ncs_italy\nde_aztec\rde_dust\r\n\r\nde_nuke");
    const QString path = mapcycle::mapCyclePath(game.path());
    EXPECT_EQ(path, game.filePath(u"MapCycle.TXT"_s));
    mapcycle::MapCycleRead r = mapcycle::readMapCycle(path);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.maps, (QStringList{u"de_dust"_s, u"cs_italy"_s, u"de_aztec"_s, u"de_dust"_s, u""_s,
                                   u"de_nuke"_s}));
    put(path, "de_dust\r\n"); // the last line break adds no entry
    EXPECT_EQ(mapcycle::readMapCycle(path).maps, QStringList{u"de_dust"_s});
    put(path, "");
    r = mapcycle::readMapCycle(path);
    EXPECT_TRUE(r.ok() && r.maps.isEmpty());
    put(path, QByteArray("de\0dust", 7));
    EXPECT_FALSE(mapcycle::readMapCycle(path).ok());

    // An existing file is never replaced by the empty one.
    put(path, "de_dust\r\n");
    ASSERT_TRUE(mapcycle::ensureMapCycle(path).ok);
    EXPECT_EQ(mapcycle::readMapCycle(path).maps, QStringList{u"de_dust"_s});
    EXPECT_FALSE(mapcycle::ensureMapCycle(mapcycle::mapCyclePath(QString())).ok);
}

TEST(MapCycleFile, ARewriteKeepsTheFilesForm) {
    QTemporaryDir game;
    const QString path = game.filePath(u"mapcycle.txt"_s);
    const QByteArray utf8 = QByteArray("\xEF\xBB\xBF") + u"de_dust\nкарта_日本\n"_s.toUtf8();
    for (const QByteArray& bytes : {QByteArray("de_dust\ncs_italy\n"), utf8}) {
        put(path, bytes);
        const mapcycle::MapCycleRead r = mapcycle::readMapCycle(path);
        ASSERT_TRUE(r.ok());
        EXPECT_TRUE(mapcycle::unencodableCharacters(r.maps, r.file.form).isEmpty());
        ASSERT_TRUE(mapcycle::writeMapCycle(VersionStore(), path, r.maps, r.file.form).ok);
        EXPECT_EQ(slurp(path), bytes);
    }
}

TEST(MapCycleFile, NamesWindows1251CannotHoldAreFound) {
    EXPECT_TRUE(mapcycle::unencodableCharacters({u"de_dust"_s, u"карта"_s}).isEmpty());
    EXPECT_EQ(mapcycle::unencodableCharacters({u"de_\u4E2D"_s, u"\u4E2D\u00FC"_s}),
              u"\u4E2D\u00FC"_s);
}
