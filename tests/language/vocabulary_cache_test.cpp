// The program's own copy of the words: read back as written, refused when it is not whole or not
// made for the sources at hand, and made again when refused.
#include "language/vocabulary.h"
#include "platform/text_file.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

void expectSameWords(const Vocabulary& a, const Vocabulary& b) {
    ASSERT_EQ(a.names(), b.names());
    for (const QString& name : a.names()) {
        SCOPED_TRACE(name.toStdString());
        const WordInfo* x = a.find(name);
        const WordInfo* y = b.find(name);
        ASSERT_EQ(x == nullptr, y == nullptr);
        if (!x)
            continue; // a keyword names() adds
        EXPECT_EQ(x->kind, y->kind);
        EXPECT_EQ(x->version, y->version);
        EXPECT_EQ(x->rebuild, y->rebuild);
        EXPECT_EQ(x->builtIn, y->builtIn);
        EXPECT_EQ(x->serverCommand, y->serverCommand);
        EXPECT_EQ(x->saved, y->saved);
        EXPECT_EQ(a.entryFor(name), b.entryFor(name));
    }
}

Vocabulary smallVocabulary() {
    Vocabulary v;
    v.addCommands({u"Bind"_s, u"status"_s});
    v.addVariables({u"sensitivity"_s});
    GoldSrcFacts facts;
    facts.version = GameVersion::Rebuild;
    facts.rebuild = Rebuild::Xash;
    facts.serverCommand = true;
    facts.saved = true;
    v.addGoldSrc(u"http_download"_s, WordKind::Command, facts);
    return v;
}

// A portable home with a command list and a GoldSrc list.
struct Home {
    QTemporaryDir dir;
    ProgramHome home = ProgramHome::portable(dir.path());
    Home() {
        QDir(dir.path()).mkpath(u"dlls/cvardll"_s);
        write(u"dlls/Stcmd.dll"_s, "bind\r\nstatus\r\n");
        write(u"dlls/goldsrc.voc"_s, "sensitivity\tcvar\tclient\t15\tr:i.cpp\tsdk-seed\tsaved\r\n");
    }
    void write(const QString& relative, const QByteArray& bytes) const {
        ASSERT_TRUE(textfile::writeBytes(dir.path() + u'/' + relative, bytes).ok);
    }
    QString cacheFile() const { return home.cacheDir() + u"vocabulary.bin"_s; }
    Vocabulary kept() const { return Vocabulary::loadKept(home, Vocabulary::sourcesStamp(home)); }
};

} // namespace

TEST(VocabularyCache, TheShippedWordsReadBackAsTheyWere) {
    const Vocabulary shipped =
        Vocabulary::load(ProgramHome::portable(QStringLiteral(TESSERA_SOURCE_DIR) + u"/data"_s));
    ASSERT_FALSE(shipped.isEmpty());
    const std::optional<Vocabulary> back =
        Vocabulary::fromCache(shipped.toCache(u"key"_s), u"key"_s);
    ASSERT_TRUE(back);
    expectSameWords(shipped, *back);
}

TEST(VocabularyCache, ACopyNotWholeOrMadeUnderAnotherKeyIsRefused) {
    const QByteArray bytes = smallVocabulary().toCache(u"key"_s);
    ASSERT_TRUE(Vocabulary::fromCache(bytes, u"key"_s));
    EXPECT_FALSE(Vocabulary::fromCache(bytes, u"other key"_s));
    EXPECT_FALSE(Vocabulary::fromCache(bytes, u"ke"_s));
    for (qsizetype size = 0; size < bytes.size(); ++size)
        EXPECT_FALSE(Vocabulary::fromCache(bytes.first(size), u"key"_s)) << "cut at " << size;
    EXPECT_FALSE(Vocabulary::fromCache(bytes + '\0', u"key"_s)) << "a byte too many";
    QByteArray badMagic = bytes;
    badMagic[3] = '2';
    EXPECT_FALSE(Vocabulary::fromCache(badMagic, u"key"_s));
    // The first word's kind, version, rebuild and flags, each one past what they can be.
    const qsizetype firstWord = 4 + 4 + 3 * 2 + 4;
    for (qsizetype field = 0; field < 4; ++field) {
        QByteArray bad = bytes;
        bad[firstWord + field] = char(0x7f);
        EXPECT_FALSE(Vocabulary::fromCache(bad, u"key"_s)) << "field " << field;
    }
}

TEST(VocabularyCache, TheCopyIsMadeAtTheFirstReadAndUsedWhileTheSourcesStay) {
    Home h;
    const Vocabulary first = h.kept();
    expectSameWords(first, Vocabulary::load(h.home));
    ASSERT_TRUE(QFileInfo::exists(h.cacheFile()));

    // Read from the copy: a name changed in it in place comes back changed.
    textfile::BytesResult copy = textfile::readBytes(h.cacheFile());
    ASSERT_TRUE(copy.ok());
    const QByteArray status(reinterpret_cast<const char*>(u"status"), 12);
    const qsizetype at = copy.bytes.indexOf(status);
    ASSERT_GE(at, 0);
    copy.bytes.replace(at, 12, QByteArray(reinterpret_cast<const char*>(u"statux"), 12));
    ASSERT_TRUE(textfile::writeBytes(h.cacheFile(), copy.bytes).ok);
    EXPECT_NE(h.kept().find(u"statux"), nullptr);

    // A changed source makes the copy stale: the words are read again, and kept anew.
    h.write(u"dlls/Otcmd.dll"_s, "kill\r\n");
    const Vocabulary changed = h.kept();
    EXPECT_NE(changed.find(u"kill"), nullptr);
    EXPECT_NE(changed.find(u"status"), nullptr);
    EXPECT_EQ(changed.find(u"statux"), nullptr);
    expectSameWords(changed, h.kept());
}

TEST(VocabularyCache, ABrokenOrUnwritableCopyCostsOnlyTheFullRead) {
    Home h;
    h.kept();
    ASSERT_TRUE(textfile::writeBytes(h.cacheFile(), "TVC1 and then nothing of use").ok);
    expectSameWords(h.kept(), Vocabulary::load(h.home));
    EXPECT_TRUE(Vocabulary::fromCache(textfile::readBytes(h.cacheFile()).bytes, u"not the key"_s) ==
                std::nullopt);
    EXPECT_GT(QFileInfo(h.cacheFile()).size(), 64) << "written whole again";

    // A file where the folder would be: nothing can be kept, the words are read all the same.
    Home blocked;
    blocked.write(u"cache"_s, "not a folder");
    expectSameWords(blocked.kept(), Vocabulary::load(blocked.home));
    EXPECT_TRUE(QFileInfo(blocked.dir.path() + u"/cache"_s).isFile());
}
