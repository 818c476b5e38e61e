// The reference data readers: line lists, the list loader, explanation lookups and what a
// category or library click decides.
#include "language/line_list.h"
#include "print_qstring.h"
#include "reference/category_choice.h"
#include "reference/explanation_cache.h"
#include "reference/explanations.h"
#include "reference/value_list_loading.h"
#include "state/shared_state.h"
#include "test_app.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

QStringList entries(const QByteArray& bytes) {
    return parseLineList(bytes);
}

} // namespace

TEST(LineList, LineEndsOfEveryKindEndOneEntry) {
    EXPECT_EQ(entries("a\r\nb\r\n"), (QStringList{u"a"_s, u"b"_s}));
    EXPECT_EQ(entries("a\rb\nc"), (QStringList{u"a"_s, u"b"_s, u"c"_s}));
    // A last line without a line end counts; a line end at the very end adds nothing.
    EXPECT_EQ(entries("a\r\nb"), (QStringList{u"a"_s, u"b"_s}));
    EXPECT_EQ(entries("a\r"), (QStringList{u"a"_s}));
    EXPECT_EQ(entries(""), QStringList());
}

TEST(LineList, EmptyLinesGiveEmptyEntries) {
    EXPECT_EQ(entries("a\r\n\r\nb\r\n"), (QStringList{u"a"_s, QString(), u"b"_s}));
    // LF then CR are two line ends, with an empty entry between them.
    EXPECT_EQ(entries("a\n\rb"), (QStringList{u"a"_s, QString(), u"b"_s}));
    EXPECT_EQ(entries("\r\n"), (QStringList{QString()}));
    EXPECT_EQ(entries("a\r\r\n"), (QStringList{u"a"_s, QString()}));
}

TEST(LineList, NulEndsTheTextAndEntriesStayAsWritten) {
    EXPECT_EQ(entries(QByteArray("a\r\nb\0c\r\nd", 9)), (QStringList{u"a"_s, u"b"_s}));
    EXPECT_EQ(entries(QByteArray("\0a", 2)), QStringList());
    // No trimming, no comments, quotes kept; Windows-1251 decoded.
    EXPECT_EQ(entries("  +attack \t\r\n// x\r\nsay \"hi\""),
              (QStringList{u"  +attack \t"_s, u"// x"_s, u"say \"hi\""_s}));
    EXPECT_EQ(entries("\xcf\xf0\xe8\xe2\xe5\xf2"), (QStringList{u"Привет"_s}));
}

TEST(ValueListLoading, MissingFileIsReportedWithItsPath) {
    TestApp app;
    const QString path = app.programDir() + u"DLLS/nothing.dll"_s;
    ValueListLoad load = loadValueList(path);
    EXPECT_FALSE(load.ok);
    EXPECT_EQ(load.message, u"Ненайден файл "_s + path);

    // A folder in the file's place cannot be loaded either; the message says why.
    QDir().mkpath(path);
    load = loadValueList(path);
    EXPECT_FALSE(load.ok);
    EXPECT_TRUE(load.message.startsWith(u"Ненайден файл "_s + path + u"\n"_s));

    const QString list = app.writeFile(app.programDir() + u"list.dll"_s, "x\r\ny");
    load = loadValueList(list);
    EXPECT_TRUE(load.ok);
    EXPECT_EQ(load.entries, (QStringList{u"x"_s, u"y"_s}));
}

class ExplanationLookup : public ::testing::Test {
protected:
    void SetUp() override {
        // Names spelled otherwise than the program spells them.
        app.writeFile(app.programDir() + u"dlls/DLZ/Rate.pro"_s,
                      "[rate 2500]\r\nq=own\r\n[rate 5000]\r\nq=????\r\n");
        app.writeFile(app.programDir() + u"dlls/Ans2.PRO"_s,
                      "[rate 2500]\r\nq=second\r\n[rate 5000]\r\nq=second 5000\r\n"
                      "[rate 7500]\r\nq=????\r\n");
        app.writeFile(app.programDir() + u"dlls/ANS1.pro"_s,
                      "[RATE 2500]\r\nQ =  general  \r\n[rate 7500]\r\nq=general 7500\r\n"
                      "[bind]\r\nq=????\r\nx=other key\r\n[Bind]\r\nq=never read\r\n");
    }
    // Every lookup is made twice, reading the files afresh and through the cache; both agree.
    QString lookUp(const QString& library, const QString& entry, bool dlz,
                   const QString& key = u"q"_s) {
        const QString fresh = ReadIni2(app.state.home, library, entry, dlz, key);
        EXPECT_EQ(ReadIni2(app.state.home, library, entry, dlz, key, &cache), fresh);
        return fresh;
    }
    TestApp app;
    ExplanationCache cache;
};

TEST_F(ExplanationLookup, LibraryPageAsksTheLibraryThenTheSecondThenTheGeneralFile) {
    EXPECT_EQ(lookUp(u"rate"_s, u"rate 2500"_s, true), u" own"_s);
    // "????" in a file counts as missing there.
    EXPECT_EQ(lookUp(u"rate"_s, u"rate 5000"_s, true), u" second 5000"_s);
    EXPECT_EQ(lookUp(u"rate"_s, u"rate 7500"_s, true), u" general 7500"_s);
    EXPECT_EQ(lookUp(u"rate"_s, u"rate 9999"_s, true), u" ????"_s);
    // No library named (the define command): "dlls\dlz\.pro" does not exist, so on to ans2.
    EXPECT_EQ(lookUp(QString(), u"rate 2500"_s, true), u" second"_s);
    EXPECT_EQ(lookUp(u"nosuch"_s, u"rate 2500"_s, true), u" second"_s);
}

TEST_F(ExplanationLookup, OtherPagesAskOnlyTheGeneralFile) {
    // Section and key without regard to case, the value trimmed.
    EXPECT_EQ(lookUp(u"rate"_s, u"rate 2500"_s, false), u" general"_s);
    EXPECT_EQ(lookUp(u"rate"_s, u"rate 5000"_s, false), u" ????"_s);
    EXPECT_EQ(lookUp(QString(), u"bind"_s, false), u" ????"_s);
    EXPECT_EQ(lookUp(QString(), u"bind"_s, false, u" X "_s), u" other key"_s);
}

TEST_F(ExplanationLookup, FilesAreParsedOnceUntilTheyChangeOrLibrariesDo) {
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(lookUp(u"rate"_s, u"rate 7500"_s, true), u" general 7500"_s);
        EXPECT_EQ(lookUp(u"nosuch"_s, u"rate 2500"_s, true), u" second"_s);
    }
    EXPECT_EQ(cache.loads(), 3); // the library's file, ans2 and ans1, once each
    app.writeFile(app.programDir() + u"dlls/ANS1.pro"_s, "[rate 7500]\r\nq=changed on disk\r\n");
    EXPECT_EQ(lookUp(u"rate"_s, u"rate 7500"_s, true), u" changed on disk"_s);
    EXPECT_EQ(cache.loads(), 4);
    // A library installed under a name the cache saw missing is found once the cache is dropped.
    app.writeFile(app.programDir() + u"dlls/dlz/NoSuch.pro"_s, "[rate 2500]\r\nq=installed\r\n");
    cache.clear();
    EXPECT_EQ(lookUp(u"nosuch"_s, u"rate 2500"_s, true), u" installed"_s);
}

TEST_F(ExplanationLookup, StateFormFollowsTheActivePageAndKeepsTheResult) {
    app.state.reference.dlzPageActive = true;
    EXPECT_EQ(ReadIni2(app.state, u"rate"_s, u"rate 2500"_s), u" own"_s);
    EXPECT_EQ(app.state.reference.explanationText, u" own"_s);
    app.state.reference.dlzPageActive = false;
    ReadIni2(app.state, u"rate"_s, u"rate 2500"_s);
    EXPECT_EQ(app.state.reference.explanationText, u" general"_s);
}

TEST_F(ExplanationLookup, LongValuesAreCut) {
    app.writeFile(app.programDir() + u"dlls/ANS1.pro"_s,
                  "[long]\r\nq=" + QByteArray(3000, 'x') + "\r\n");
    EXPECT_EQ(lookUp(QString(), u"long"_s, false), u" "_s + QString(2047, u'x'));
}

TEST(CategoryChoice, LibrariesLeaveTheInsertionFormAndPictureModeAlone) {
    TestApp app;
    app.writeFile(app.programDir() + u"dlls/dlz/my.rates.dlz"_s, "rate 2500\r\n");
    const CategoryChoice library = chooseLibrary(app.state.home, u"my.rates"_s);
    EXPECT_FALSE(library.lastRefPage.has_value());
    EXPECT_FALSE(library.weaponPictures.has_value());
    EXPECT_EQ(library.listFilePath, app.programDir() + u"dlls/dlz/my.rates.dlz"_s);
    EXPECT_EQ(library.caption, u"Выбор: (DLZ) my.rates"_s);
    app.state.reference.lastRefPage = kLastRefPageCvar;
    app.state.reference.weaponPictures = true;
    library.applyTo(app.state.reference);
    EXPECT_EQ(app.state.reference.lastRefPage, kLastRefPageCvar);
    EXPECT_TRUE(app.state.reference.weaponPictures);
}
