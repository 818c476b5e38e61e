// Installing, listing and removing value libraries and MetaBinds.
#include "print_qstring.h"
#include "reference/library_set.h"
#include "test_app.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

class LibrarySetTest : public ::testing::Test {
protected:
    QString dlz(const QString& name) const { return app.programDir() + u"dlls/dlz/"_s + name; }
    QString outside(const QString& name) const { return app.root.path() + u"/mine/"_s + name; }
    TestApp app;
    LibrarySet set{app.state.home};
};

TEST_F(LibrarySetTest, ListingKeepsFurtherDotsAndAddsOnlyNewNames) {
    app.writeFile(dlz(u"my.rates.v2.dlz"_s), "rate 2500\r\n");
    app.writeFile(dlz(u"Zoom.dlz"_s), "");
    app.writeFile(dlz(u"alpha.DLZ"_s), "");
    app.writeFile(dlz(u"notes.txt"_s), "");
    EXPECT_EQ(set.listLibraries(), (QStringList{u"alpha"_s, u"my.rates.v2"_s, u"Zoom"_s}));
    EXPECT_EQ(set.libraries(), (QStringList{u"alpha"_s, u"my.rates.v2"_s, u"Zoom"_s}));
    // A second listing (an upper-case extension included) adds nothing; a new file is added.
    EXPECT_EQ(set.listLibraries(), QStringList());
    app.writeFile(dlz(u"beta.dlz"_s), "");
    EXPECT_EQ(set.listLibraries(), (QStringList{u"beta"_s}));
    EXPECT_EQ(set.libraries(), (QStringList{u"alpha"_s, u"beta"_s, u"my.rates.v2"_s, u"Zoom"_s}));
}

TEST_F(LibrarySetTest, ALibraryDeletedOutsideStaysListedAndRemovesCleanly) {
    app.writeFile(dlz(u"gone.dlz"_s), "");
    set.listLibraries();
    QFile::remove(dlz(u"gone.dlz"_s));
    set.listLibraries();
    EXPECT_EQ(set.libraries(), QStringList{u"gone"_s});
    // Its file is gone already: removing the entry is all that is left to do.
    EXPECT_TRUE(set.removeLibrary(u"gone"_s).ok);
    EXPECT_TRUE(set.libraries().isEmpty());
}

TEST_F(LibrarySetTest, AddingCopiesTheExplanationsAlongWhenThereAreAny) {
    app.writeFile(outside(u"net.cfg.dlz"_s), "rate 9999\r\n");
    app.writeFile(outside(u"net.cfg.pro"_s), "[rate 9999]\r\nq=fast\r\n");
    app.writeFile(outside(u"plain.dlz"_s), "x\r\n");
    EXPECT_TRUE(set.install(outside(u"net.cfg.dlz"_s), LibraryKind::Library).ok);
    EXPECT_TRUE(set.install(outside(u"plain.dlz"_s), LibraryKind::Library).ok);
    EXPECT_EQ(app.readFile(dlz(u"net.cfg.dlz"_s)), "rate 9999\r\n");
    EXPECT_EQ(app.readFile(dlz(u"net.cfg.pro"_s)), "[rate 9999]\r\nq=fast\r\n");
    EXPECT_TRUE(QFile::exists(dlz(u"plain.dlz"_s)));
    EXPECT_FALSE(QFile::exists(dlz(u"plain.pro"_s)));
    EXPECT_EQ(set.libraries(), (QStringList{u"net.cfg"_s, u"plain"_s}));
}

TEST_F(LibrarySetTest, AddingTwiceCopiesAgainButListsOnce) {
    app.writeFile(outside(u"rates.dlz"_s), "old\r\n");
    EXPECT_TRUE(set.install(outside(u"rates.dlz"_s), LibraryKind::Library).ok);
    app.writeFile(outside(u"rates.dlz"_s), "new\r\n");
    EXPECT_TRUE(set.install(outside(u"rates.dlz"_s), LibraryKind::Library).ok);
    EXPECT_EQ(app.readFile(dlz(u"rates.dlz"_s)), "new\r\n");
    EXPECT_EQ(set.libraries(), QStringList{u"rates"_s});
    // A later listing finds the installed file listed already.
    EXPECT_TRUE(set.listLibraries().isEmpty());
}

TEST_F(LibrarySetTest, MetaBindsAreTestedForDuplicatesInTheirOwnList) {
    app.writeFile(outside(u"jump.mtb"_s), "a\r\n");
    app.writeFile(outside(u"rates.mtb"_s), "b\r\n");
    app.writeFile(outside(u"rates.dlz"_s), "c\r\n");
    EXPECT_TRUE(set.install(outside(u"rates.dlz"_s), LibraryKind::Library).ok);
    EXPECT_TRUE(set.install(outside(u"jump.mtb"_s), LibraryKind::MetaBind).ok);
    EXPECT_TRUE(set.install(outside(u"jump.mtb"_s), LibraryKind::MetaBind).ok);
    // Its base name equals a library's, and it is still listed as a MetaBind.
    EXPECT_TRUE(set.install(outside(u"rates.mtb"_s), LibraryKind::MetaBind).ok);
    EXPECT_EQ(set.metaBinds(), (QStringList{u"jump.mtb"_s, u"rates.mtb"_s}));
    EXPECT_EQ(set.libraries(), QStringList{u"rates"_s});
    EXPECT_EQ(app.readFile(app.programDir() + u"dlls/metabinds/jump.mtb"_s), "a\r\n");

    app.writeFile(app.programDir() + u"dlls/metabinds/other.MTB"_s, "");
    set.listMetaBinds();
    set.listMetaBinds();
    EXPECT_EQ(set.metaBinds(), (QStringList{u"jump.mtb"_s, u"other.MTB"_s, u"rates.mtb"_s}));
    EXPECT_TRUE(set.removeMetaBind(u"jump.mtb"_s).ok);
    EXPECT_FALSE(QFile::exists(app.programDir() + u"dlls/metabinds/jump.mtb"_s));
    EXPECT_EQ(set.metaBinds(), (QStringList{u"other.MTB"_s, u"rates.mtb"_s}));
}

// A name typed into the dialog does not follow its file type: the extension decides, and a file
// of neither extension gets its kind's, so nothing is listed that no window can read.
TEST_F(LibrarySetTest, TheExtensionDecidesTheKindAndAnotherGetsTheKindsOwn) {
    app.writeFile(outside(u"jump.MTB"_s), "a\r\n");
    app.writeFile(outside(u"rates.dlz"_s), "b\r\n");
    app.writeFile(outside(u"net.txt"_s), "c\r\n");
    app.writeFile(outside(u"duck.cfg"_s), "d\r\n");
    EXPECT_TRUE(set.install(outside(u"jump.MTB"_s), LibraryKind::Library).ok);
    EXPECT_TRUE(set.install(outside(u"rates.dlz"_s), LibraryKind::MetaBind).ok);
    EXPECT_TRUE(set.install(outside(u"net.txt"_s), LibraryKind::Library).ok);
    EXPECT_TRUE(set.install(outside(u"duck.cfg"_s), LibraryKind::MetaBind).ok);
    EXPECT_EQ(set.libraries(), (QStringList{u"net.txt"_s, u"rates"_s}));
    EXPECT_EQ(set.metaBinds(), (QStringList{u"duck.cfg.mtb"_s, u"jump.MTB"_s}));
    EXPECT_EQ(app.readFile(dlz(u"net.txt.dlz"_s)), "c\r\n");
    EXPECT_EQ(app.readFile(app.programDir() + u"dlls/metabinds/jump.MTB"_s), "a\r\n");
    EXPECT_FALSE(QFile::exists(dlz(u"jump.MTB"_s)));
    // What was installed is what the next listings find.
    EXPECT_TRUE(set.listLibraries().isEmpty());
    const QStringList metaBinds = set.metaBinds();
    set.listMetaBinds();
    EXPECT_EQ(set.metaBinds(), metaBinds);
}

TEST_F(LibrarySetTest, FailedCopiesAndDeletionsLeaveTheListsAsTheDiskIs) {
    app.writeFile(outside(u"blocked.dlz"_s), "x\r\n");
    // A folder where the library should go: the copy cannot replace it.
    QDir().mkpath(dlz(u"blocked.dlz"_s));
    const LibraryChange copy = set.install(outside(u"blocked.dlz"_s), LibraryKind::Library);
    EXPECT_FALSE(copy.ok);
    EXPECT_TRUE(copy.error.contains(outside(u"blocked.dlz"_s)));
    EXPECT_TRUE(set.libraries().isEmpty());

    // The chosen file vanished before the copy.
    EXPECT_FALSE(set.install(outside(u"vanished.mtb"_s), LibraryKind::MetaBind).ok);
    EXPECT_TRUE(set.metaBinds().isEmpty());

    app.writeFile(outside(u"kept.dlz"_s), "x\r\n");
    ASSERT_TRUE(set.install(outside(u"kept.dlz"_s), LibraryKind::Library).ok);
    ASSERT_TRUE(QFile::remove(dlz(u"kept.dlz"_s)));
    QDir().mkpath(dlz(u"kept.dlz/inside"_s));
    const LibraryChange removal = set.removeLibrary(u"kept"_s);
    EXPECT_FALSE(removal.ok);
    EXPECT_TRUE(removal.error.contains(dlz(u"kept.dlz"_s)));
    EXPECT_EQ(set.libraries(), QStringList{u"kept"_s});
}
