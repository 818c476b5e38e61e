// The program's two homes: which one a start picks, the user layer over the shipped tree, and
// the start-up checks.
#include "platform/program_home.h"
#include "print_qstring.h"
#include "reference/library_set.h"
#include "shell/settings.h"
#include "test_files.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

const InstalledLayout kLayout{u"../share/tessera"_s, u"../lib/x86_64-linux-gnu/tessera"_s};

class InstalledHome : public ::testing::Test {
protected:
    QString at(const QString& relative) const { return dir.path() + u'/' + relative; }
    // The shipped tree holds the libraries "rates" and "zoom".
    void shipLibraries() const {
        for (const char* name : {"rates", "zoom"})
            put(at(u"usr/share/tessera/dlls/dlz/"_s + QLatin1StringView(name) + u".dlz"_s),
                "shipped");
    }
    QTemporaryDir dir;
    ProgramHome home = ProgramHome::installed(at(u"usr/share/tessera"_s), at(u"cfg/tessera"_s),
                                              at(u"data/tessera"_s), at(u"usr/lib/tessera"_s));
};

} // namespace

TEST(ProgramHomeChoice, PortableBesideTheTreeOrTheSettingsElseInstalledWhereXdgSays) {
    QTemporaryDir dir;
    const QString root = dir.path();
    put(root + u"/build/DLLS/Stcmd.dll"_s, "bind\r\n"); // a build tree: the reference tree
    put(root + u"/unpacked/Cfgneed.INI"_s, "");         // a copy that has run before
    QDir().mkpath(root + u"/usr/bin"_s);
    const HomeEnvironment env{u"/home/p"_s, u"/xdg/config"_s, u"relative/data"_s};

    for (const QString& folder : {u"build"_s, u"unpacked"_s}) {
        const ProgramHome home = ProgramHome::forExecutable(root + u'/' + folder, env, kLayout);
        const QString beside = root + u'/' + folder + u'/';
        EXPECT_TRUE(home.isPortable()) << folder.toStdString();
        EXPECT_EQ(home.settingsFile(), beside + u"Cfgneed.INI"_s);
        EXPECT_EQ(home.soundModule(), beside + u"tessera_wav"_s);
        EXPECT_EQ(home.printModule(), beside + u"tessera_print"_s);
        EXPECT_EQ(home.userDir(), beside);
        EXPECT_EQ(home.fallbackFolder(), root + u'/' + folder);
    }
    EXPECT_EQ(
        ProgramHome::forExecutable(root + u"/build"_s, env, kLayout).find(u"dlls\\stcmd.DLL"_s),
        root + u"/build/DLLS/Stcmd.dll"_s);

    // Nothing of the program beside it: the installed layout, the relative XDG value ignored.
    const ProgramHome installed = ProgramHome::forExecutable(root + u"/usr/bin"_s, env, kLayout);
    EXPECT_FALSE(installed.isPortable());
    EXPECT_EQ(installed.shippedDir(), root + u"/usr/share/tessera/"_s);
    EXPECT_EQ(installed.soundModule(), root + u"/usr/lib/x86_64-linux-gnu/tessera/tessera_wav"_s);
    EXPECT_EQ(installed.printModule(), root + u"/usr/lib/x86_64-linux-gnu/tessera/tessera_print"_s);
    EXPECT_EQ(installed.settingsFile(), u"/xdg/config/tessera/Cfgneed.INI"_s);
    EXPECT_EQ(installed.userDir(), u"/home/p/.local/share/tessera/"_s);
    EXPECT_EQ(installed.userPath(u"dlls\\dlz\\x.dlz"_s),
              u"/home/p/.local/share/tessera/dlls/dlz/x.dlz"_s);
}

TEST(ProgramHomeChoice, AReadOnlyCopyOfTheTreeIsShippedDataWithTheUserFilesElsewhere) {
    if (geteuid() == 0)
        GTEST_SKIP() << "root writes into any folder";
    QTemporaryDir dir;
    put(dir.path() + u"/ro/dlls/Stcmd.dll"_s, "bind\r\n");
    QFile::setPermissions(dir.path() + u"/ro"_s, QFile::ReadOwner | QFile::ExeOwner);
    const HomeEnvironment env{u"/home/p"_s, QString(), QString()};
    const ProgramHome home = ProgramHome::forExecutable(dir.path() + u"/ro"_s, env, kLayout);
    QFile::setPermissions(dir.path() + u"/ro"_s,
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_FALSE(home.isPortable());
    EXPECT_EQ(home.shippedDir(), dir.path() + u"/ro/"_s);
    EXPECT_EQ(home.settingsFile(), u"/home/p/.config/tessera/Cfgneed.INI"_s);
}

TEST_F(InstalledHome, TheUserLayerCoversTheShippedTreeAndListingsMergeBoth) {
    shipLibraries();
    put(at(u"usr/share/tessera/dlls/ans1.pro"_s), "shipped");
    put(at(u"data/tessera/dlls/DLZ/Rates.dlz"_s), "mine");
    put(at(u"data/tessera/dlls/DLZ/alpha.dlz"_s), "mine");

    EXPECT_EQ(home.listFiles(u"dlls\\dlz"_s, u"*.dlz"_s),
              (QStringList{u"alpha.dlz"_s, u"Rates.dlz"_s, u"zoom.dlz"_s}));
    EXPECT_EQ(slurp(home.find(u"dlls\\dlz\\rates.dlz"_s)), "mine");
    EXPECT_EQ(slurp(home.find(u"dlls\\dlz\\zoom.dlz"_s)), "shipped");
    EXPECT_EQ(slurp(home.find(u"DLLS\\ANS1.PRO"_s)), "shipped");
    // Neither has it: the shipped path, for the message that names it.
    EXPECT_EQ(home.find(u"dlls\\ans2.pro"_s), at(u"usr/share/tessera/dlls/ans2.pro"_s));
    EXPECT_TRUE(home.isShippedOnly(u"dlls\\dlz\\zoom.dlz"_s));
    EXPECT_FALSE(home.isShippedOnly(u"dlls\\dlz\\rates.dlz"_s));
    EXPECT_FALSE(home.isShippedOnly(u"dlls\\dlz\\alpha.dlz"_s));
}

TEST_F(InstalledHome, LibrariesGoToTheUserLayerAndOnlyTheUsersFilesAreRemoved) {
    shipLibraries();
    put(at(u"mine/rates.dlz"_s), "mine");
    put(at(u"mine/rates.pro"_s), "[x]\r\nq=y\r\n");
    put(at(u"mine/jump.mtb"_s), "[MetaBind]\r\n");
    LibrarySet set(home);
    set.listLibraries();

    ASSERT_TRUE(set.install(at(u"mine/rates.dlz"_s), LibraryKind::Library).ok);
    ASSERT_TRUE(set.install(at(u"mine/jump.mtb"_s), LibraryKind::MetaBind).ok);
    EXPECT_EQ(slurp(at(u"data/tessera/dlls/dlz/rates.dlz"_s)), "mine");
    EXPECT_EQ(slurp(at(u"data/tessera/dlls/dlz/rates.pro"_s)), "[x]\r\nq=y\r\n");
    EXPECT_EQ(slurp(at(u"data/tessera/dlls/metabinds/jump.mtb"_s)), "[MetaBind]\r\n");
    EXPECT_EQ(slurp(at(u"usr/share/tessera/dlls/dlz/rates.dlz"_s)), "shipped");

    // A shipped library alone cannot go; the user's copy goes and the shipped one shows again.
    const LibraryChange shipped = set.removeLibrary(u"zoom"_s);
    EXPECT_FALSE(shipped.ok);
    EXPECT_TRUE(shipped.error.contains(at(u"usr/share/tessera/dlls/dlz/zoom.dlz"_s)));
    EXPECT_TRUE(set.removeLibrary(u"rates"_s).ok);
    EXPECT_FALSE(QFile::exists(at(u"data/tessera/dlls/dlz/rates.dlz"_s)));
    EXPECT_EQ(set.libraries(), (QStringList{u"rates"_s, u"zoom"_s}));
    EXPECT_EQ(slurp(at(u"usr/share/tessera/dlls/dlz/zoom.dlz"_s)), "shipped");
    EXPECT_TRUE(set.removeMetaBind(u"jump.mtb"_s).ok);
    EXPECT_EQ(set.metaBinds(), QStringList());
}

TEST_F(InstalledHome, StartUpChecksNameTheMissingTreeAndAnUncreatableUserFolder) {
    // The user folders are made; a missing tree is named.
    QStringList problems = home.prepare();
    ASSERT_EQ(problems.size(), 1);
    EXPECT_TRUE(problems[0].contains(at(u"usr/share/tessera/dlls"_s))) << problems[0].toStdString();
    EXPECT_TRUE(QFileInfo(at(u"cfg/tessera"_s)).isDir());
    EXPECT_TRUE(QFileInfo(at(u"data/tessera/dlls"_s)).isDir());
    EXPECT_FALSE(home.settingsReadOnly());

    // A file where the settings folder should be: said once, and the settings become read-only.
    put(at(u"usr/share/tessera/dlls/Stcmd.dll"_s), "bind\r\n");
    put(at(u"blocked"_s), "");
    ProgramHome blocked =
        ProgramHome::installed(at(u"usr/share/tessera"_s), at(u"blocked/tessera"_s),
                               at(u"data/tessera"_s), at(u"usr/lib/tessera"_s));
    problems = blocked.prepare();
    ASSERT_EQ(problems.size(), 1);
    EXPECT_TRUE(problems[0].contains(at(u"blocked/tessera"_s))) << problems[0].toStdString();
    EXPECT_TRUE(blocked.settingsReadOnly());
    const Settings settings(blocked.settingsFile(), blocked.settingsReadOnly());
    EXPECT_TRUE(writeCloseSettings(settings, CloseSettings{}).ok);
    EXPECT_TRUE(settings.writeInt(u"Syntax"_s, u"Highlight"_s, 0).ok);
    EXPECT_FALSE(QFileInfo::exists(blocked.settingsFile()));

    // Portable, only the tree is checked.
    EXPECT_EQ(ProgramHome::portable(at(u"usr/share/tessera"_s)).prepare(), QStringList());
}
