// The private-profile INI rules and case-insensitive paths under the program directory.
#include "platform/ini_profile.h"
#include "platform/program_paths.h"
#include "test_files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

TEST(IniProfile, ReadsTheWindowsWay) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"a.ini"_s);
    put(path, "; comment\r\n[Font]\r\n  NamePr =  Courier New  \r\nSizePr=\"12\"\r\n"
              "sizepr=99\r\nColor='1;2' ; not a comment\r\n[font]\r\nExtra=x\r\n"
              "[Game]\nCatalog=C:\\Games\\cstrike\n");
    IniProfile ini(path);
    ini.load();
    EXPECT_EQ(ini.value(u"font"_s, u"namepr"_s), u"Courier New"_s);
    EXPECT_EQ(ini.value(u"FONT"_s, u"SizePr"_s), u"12"_s); // first key wins, quotes removed
    EXPECT_EQ(ini.value(u"Font"_s, u"Color"_s), u"'1;2' ; not a comment"_s);
    EXPECT_FALSE(ini.value(u"Font"_s, u"Extra"_s)); // only the first matching section counts
    EXPECT_EQ(ini.value(u"Game"_s, u"Catalog"_s), u"C:\\Games\\cstrike"_s);
    EXPECT_FALSE(ini.value(u"Nope"_s, u"x"_s));
}

TEST(IniProfile, OnePairOfQuotesGoesAndNothingElse) {
    const struct {
        QByteArray line;
        QString value;
    } cases[] = {
        {"k=\"\"", QString()},   {"k=''", QString()},       {"k=\"", u"\""_s},
        {"k='", u"'"_s},         {"k= \"a b\" ", u"a b"_s}, {"k=\"a'", u"\"a'"_s},
        {"k=\"a\"\"", u"a\""_s}, {"k=\"\"\"\"", u"\"\""_s}, {"k=a\"\"", u"a\"\""_s},
    };
    for (const auto& c : cases) {
        IniProfile ini(QString{});
        ini.loadText(u"[s]\n"_s + QString::fromLatin1(c.line));
        EXPECT_EQ(ini.value(u"s"_s, u"k"_s), c.value) << c.line.toStdString();
        EXPECT_EQ(ini.index().value(u"s"_s).value(u"k"_s), c.value) << c.line.toStdString();
    }
}

// The index is what value() finds, for every name in a file full of repeats.
TEST(IniProfile, TheIndexAgreesWithEveryLookUp) {
    IniProfile ini(QString{});
    ini.loadText(u"top=0\n[Font]\nSize=1\nsize=2\n SIZE =3\nName=a\n[font]\nSize=4\nOnly=5\n"
                 u"[ Game ]\nKey=x\nkey=\n[Game]\nKey=y\n"_s);
    const IniProfile::Index index = ini.index();
    for (const QString& section : {u"Font"_s, u"font"_s, u"Game"_s})
        for (const QString& key :
             {u"Size"_s, u"size"_s, u"Name"_s, u"Only"_s, u"Key"_s, u"top"_s}) {
            const std::optional<QString> looked = ini.value(section, key);
            const auto keys = index.value(section.toCaseFolded());
            EXPECT_EQ(keys.contains(key.toCaseFolded()), looked.has_value()) << key.toStdString();
            EXPECT_EQ(keys.value(key.toCaseFolded()), looked.value_or(QString()))
                << key.toStdString();
        }
    EXPECT_EQ(ini.value(u"Font"_s, u"size"_s), u"1"_s);
    EXPECT_EQ(ini.value(u"game"_s, u"KEY"_s), u"x"_s);
}

TEST(IniProfile, WritingKeepsTheFilesLineBreaksAndEncoding) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"a.ini"_s);
    put(path, "[Game]\nCatalog=/home/\xD0\xB8\xD0\xB3\xD1\x80\xD0\xB0\n");
    EXPECT_EQ(IniProfile::read(path, u"Game"_s, u"Catalog"_s), u"/home/игра"_s);
    ASSERT_TRUE(IniProfile::write(path, u"Game"_s, u"dadir"_s, u"1"_s).ok);
    EXPECT_EQ(slurp(path),
              QByteArray("[Game]\nCatalog=/home/\xD0\xB8\xD0\xB3\xD1\x80\xD0\xB0\ndadir=1\n"));
}

TEST(IniProfile, WritingKeepsEveryOtherLine) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"a.ini"_s);
    put(path, "; my notes\r\n[Font]\r\nNamePr=Arial\r\nUnknown=1\r\n\r\n[Game]\r\ndadir=0\r\n");
    ASSERT_TRUE(IniProfile::write(path, u"font"_s, u"namepr"_s, u"Courier"_s).ok);
    ASSERT_TRUE(IniProfile::write(path, u"Font"_s, u"SizePr"_s, u"10"_s).ok);
    ASSERT_TRUE(IniProfile::write(path, u"Color"_s, u"PrEdit"_s, u"15247360"_s).ok);
    EXPECT_EQ(slurp(path), QByteArray("; my notes\r\n[Font]\r\nNamePr=Courier\r\nUnknown=1\r\n"
                                      "SizePr=10\r\n\r\n[Game]\r\ndadir=0\r\n"
                                      "[Color]\r\nPrEdit=15247360\r\n"));
}

TEST(IniProfile, TheFileIsCreatedAtTheFirstWrite) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Cfgneed.INI"_s);
    EXPECT_FALSE(IniProfile::read(path, u"Game"_s, u"dadir"_s));
    EXPECT_FALSE(QFile::exists(path));
    ASSERT_TRUE(IniProfile::write(path, u"Game"_s, u"dadir"_s, u"1"_s).ok);
    EXPECT_EQ(slurp(path), QByteArray("[Game]\r\ndadir=1\r\n"));
}

// A line break would end the line early and start a new key or section with the rest.
TEST(IniProfile, AValueWithALineBreakIsRefusedAndTheOldLineStays) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"Cfgneed.INI"_s);
    const QByteArray before = "[Game]\r\ndadir=1\r\nCatalog=/games/cstrike\r\n";
    put(path, before);
    const QString refused[][3] = {
        {u"Game"_s, u"Catalog"_s, u"/games/a\n[Game]\ndadir=0"_s},
        {u"Game"_s, u"Catalog"_s, u"/games/a\rb"_s},
        {u"Game"_s, u"Cata\nlog"_s, u"x"_s},
        {u"Ga\r\nme"_s, u"Catalog"_s, u"x"_s},
    };
    for (const auto& [section, key, value] : refused) {
        const auto w = IniProfile::write(path, section, key, value);
        EXPECT_FALSE(w.ok);
        EXPECT_EQ(w.reason, IniProfile::refusedReason());
        EXPECT_EQ(slurp(path), before);
    }
    IniProfile ini(path);
    ini.load();
    EXPECT_FALSE(ini.setValue(u"Game"_s, u"Catalog"_s, u"a\nb"_s));
    EXPECT_EQ(ini.value(u"Game"_s, u"Catalog"_s), u"/games/cstrike"_s);
    EXPECT_TRUE(IniProfile::canStore(u"C:\\Games\\cstrike ;=\"\t"_s));
}

TEST(ProgramPaths, NamesResolveWithoutRegardToCase) {
    QTemporaryDir dir;
    put(dir.filePath(u"dlls/cvardll/guns/weapon_ak47.jpg"_s), "x");
    put(dir.filePath(u"dlls/ans1.pro"_s), "x");
    const QString base = dir.path() + u"/"_s;
    EXPECT_EQ(paths::resolve(base, u"DLLS\\CVARDLL\\Guns\\WEAPON_AK47.JPG"_s),
              dir.path() + u"/dlls/cvardll/guns/weapon_ak47.jpg"_s);
    EXPECT_EQ(paths::resolve(base, u"dlls\\ANS1.PRO"_s), dir.path() + u"/dlls/ans1.pro"_s);
    // What does not exist keeps its spelling, below the part that does.
    EXPECT_EQ(paths::resolve(base, u"DLLS\\dlz\\New.dlz"_s), dir.path() + u"/dlls/dlz/New.dlz"_s);
    EXPECT_EQ(paths::resolve(base, u"dlls\\dlz\\"_s), dir.path() + u"/dlls/dlz/"_s);
}

TEST(ProgramPaths, WildcardListingsAreSortedAndIgnoreCase) {
    QTemporaryDir dir;
    for (const char* name : {"b.BSP", "a.bsp", "C.bsp", "readme.txt", "x.bsp.txt", ".bsp"})
        put(dir.filePath(QString::fromUtf8(name)), "");
    QDir(dir.path()).mkdir(u"folder.bsp"_s);
    EXPECT_EQ(paths::listFiles(dir.path(), u"*.bsp"_s),
              (QStringList{u".bsp"_s, u"a.bsp"_s, u"b.BSP"_s, u"C.bsp"_s}));
}
