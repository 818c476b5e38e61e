// A file's form (encoding and line breaks): found on reading, kept on writing, so opening and
// saving gives back the same bytes; and the encoder that writes a text in pieces.
#include "platform/cp1251.h"
#include "platform/replaced_file_release.h"
#include "platform/text_file.h"
#include "platform/text_form.h"
#include "print_qstring.h"
#include "test_files.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using textfile::Encoding;
using textfile::LineBreak;
using textfile::TextForm;

namespace {

QByteArray utf8(const QString& text) {
    return text.toUtf8();
}

// One character at a time, as the encoder's fast paths must match.
QByteArray referenceBytes(QStringView text, const TextForm& form, bool paragraphBreaks) {
    const QByteArray lineBreak = form.lineBreak == LineBreak::CrLf ? "\r\n" : "\n";
    QByteArray out = form.encoding == Encoding::Utf8 && form.bom ? "\xEF\xBB\xBF" : "";
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\n' || (c == QChar::ParagraphSeparator && paragraphBreaks)) {
            out += lineBreak;
        } else if (form.encoding == Encoding::Windows1251) {
            const int b = cp1251::byteOf(c.unicode());
            out += b < 0 ? '?' : char(b);
        } else if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            out += text.mid(i, 2).toUtf8();
            ++i;
        } else {
            out += c.isSurrogate() ? QByteArray("?") : QString(c).toUtf8();
        }
    }
    return out;
}

} // namespace

TEST(TextForm, EachFileComesBackByteForByte) {
    const QByteArray cp1251Russian = "// \xCA\xEE\xED\xF4\xE8\xE3\r\nbind w \"+forward\"\r\n";
    const struct {
        const char* name;
        QByteArray bytes;
        QString text;
        QString described;
    } cases[] = {
        {"LF", "bind w +forward\nname x\n", u"bind w +forward\nname x\n"_s, u"Windows-1251, LF"_s},
        {"CR LF", "bind w +forward\r\nname x\r\n", u"bind w +forward\nname x\n"_s,
         u"Windows-1251, CR LF"_s},
        {"no final break", "a\nb", u"a\nb"_s, u"Windows-1251, LF"_s},
        {"one line", "exec x.cfg", u"exec x.cfg"_s, u"Windows-1251, CR LF"_s},
        {"empty", "", QString(), u"Windows-1251, CR LF"_s},
        {"Windows-1251 Russian", cp1251Russian, u"// Конфиг\nbind w \"+forward\"\n"_s,
         u"Windows-1251, CR LF"_s},
        {"UTF-8 Russian", utf8(u"// Конфиг 日本 😀\nbind w x\n"_s),
         u"// Конфиг 日本 😀\nbind w x\n"_s, u"UTF-8, LF"_s},
        {"UTF-8 with BOM", "\xEF\xBB\xBF" + utf8(u"// Конфиг\r\nx"_s), u"// Конфиг\nx"_s,
         u"UTF-8 с BOM, CR LF"_s},
        {"BOM over ASCII", "\xEF\xBB\xBFx\n", u"x\n"_s, u"UTF-8 с BOM, LF"_s},
        // The mark is read once: a second one is the text's own first character.
        {"two marks", "\xEF\xBB\xBF\xEF\xBB\xBF", u"\uFEFF"_s, u"UTF-8 с BOM, CR LF"_s},
        {"a mark inside", utf8(u"x\uFEFFy"_s), u"x\uFEFFy"_s, u"UTF-8, CR LF"_s},
        // Not valid UTF-8 after the mark: Windows-1251, the mark's bytes as characters.
        {"BOM then invalid", "\xEF\xBB\xBF\xCA\xEE", u"п»їКо"_s, u"Windows-1251, CR LF"_s},
        {"blank lines", "\n\n\n", u"\n\n\n"_s, u"Windows-1251, LF"_s},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const TextForm form = textfile::detectForm(c.bytes);
        EXPECT_FALSE(form.hadMixed);
        EXPECT_EQ(textfile::describeForm(form), c.described);
        const QString text = textfile::decodeText(c.bytes, form);
        EXPECT_EQ(text, c.text);
        QString lost;
        EXPECT_EQ(textfile::encodeText(text, form, &lost), c.bytes);
        EXPECT_TRUE(lost.isEmpty());
    }
}

TEST(TextForm, MixedLineBreaksKeepTheMajorityAndSaySo) {
    const struct {
        QByteArray bytes;
        LineBreak kept;
        QByteArray written;
    } cases[] = {
        {"a\r\nb\nc\r\n", LineBreak::CrLf, "a\r\nb\r\nc\r\n"},
        {"a\nb\r\nc\n", LineBreak::Lf, "a\nb\nc\n"},
        {"a\nb\r\n", LineBreak::CrLf, "a\r\nb\r\n"}, // a tie goes to CR LF
        {"a\rb\nc\n", LineBreak::Lf, "a\nb\nc\n"},   // a lone CR still ends a line
        {"a\rb\r", LineBreak::CrLf, "a\r\nb\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes.toStdString());
        const TextForm form = textfile::detectForm(c.bytes);
        EXPECT_EQ(form.lineBreak, c.kept);
        EXPECT_TRUE(form.hadMixed);
        EXPECT_FALSE(textfile::mixedBreaksNote(form).isEmpty());
        EXPECT_EQ(textfile::encodeText(textfile::decodeText(c.bytes, form), form), c.written);
    }
    EXPECT_TRUE(textfile::mixedBreaksNote(textfile::detectForm("a\nb\n")).isEmpty());

    // Long texts, their breaks at every place of a block of sixteen bytes (and a pair split
    // across two blocks): one CR LF more than LFs keeps CR LF, one fewer keeps LF, and a lone CR
    // at the very end is no pair.
    for (int lines : {20, 21, 33, 47, 59, 3000}) {
        QByteArray bytes;
        for (int i = 0; i < lines; ++i)
            bytes += QByteArray(i % 16, 'x') + "\r\n";
        for (int i = 0; i < lines - 1; ++i)
            bytes += QByteArray(i % 13, 'y') + "\n";
        EXPECT_EQ(textfile::detectForm(bytes).lineBreak, LineBreak::CrLf) << lines;
        EXPECT_EQ(textfile::detectForm(bytes + "\n\n").lineBreak, LineBreak::Lf) << lines;
        const TextForm alone = textfile::detectForm(QByteArray(lines, 'z') + "\r");
        EXPECT_TRUE(alone.hadMixed) << lines;
    }
}

TEST(TextForm, OnlyValidUtf8IsReadAsUtf8) {
    const struct {
        QByteArray bytes;
        bool valid;
    } cases[] = {
        {"plain", true},
        {"\xD0\x9A", true},
        {"\xF0\x9F\x98\x80", true},  // past the basic plane
        {"\xEF\xBF\xBF", true},      // a noncharacter is still a character
        {"\xF4\x8F\xBF\xBF", true},  // U+10FFFF
        {"\xC0\x80", false},         // overlong
        {"\xE0\x80\x80", false},     // overlong
        {"\xF0\x80\x80\x80", false}, // overlong
        {"\xED\xA0\x80", false},     // a surrogate
        {"\xF4\x90\x80\x80", false}, // past U+10FFFF
        {"\xD0", false},             // cut short
        {"abcdefgh\xD0", false},     // cut short after the fast ASCII run
        {"\xD0\x41", false},         // no continuation byte
        {"\x80", false},             // a continuation byte alone
        {"\xFF", false},
        {"\xEF\xF0\xE8\xE2\xE5\xF2", false}, // "привет" in Windows-1251
    };
    for (const auto& c : cases) {
        EXPECT_EQ(textfile::isValidUtf8(c.bytes), c.valid) << c.bytes.toHex().toStdString();
        EXPECT_EQ(textfile::detectForm(c.bytes).encoding,
                  c.valid && c.bytes != "plain" ? Encoding::Utf8 : Encoding::Windows1251);
    }
}

// Any bytes with one kind of line break come back unchanged: Windows-1251 holds every byte,
// and what is read as UTF-8 was valid UTF-8.
TEST(TextForm, RandomFilesSurviveARoundTrip) {
    QRandomGenerator random(27);
    const QByteArray breaks[] = {"\r\n", "\n"};
    for (int round = 0; round < 400; ++round) {
        const QByteArray& lineBreak = breaks[round % 2];
        QByteArray bytes = round % 3 == 0 ? "\xEF\xBB\xBF" : "";
        const int lines = random.bounded(6);
        for (int l = 0; l < lines; ++l) {
            if (round % 4 < 2) { // any bytes but line breaks
                for (int n = random.bounded(12); n > 0; --n) {
                    const char b = char(random.bounded(256));
                    bytes += b == '\r' || b == '\n' ? 'x' : b;
                }
            } else { // UTF-8 of any characters but line breaks and surrogates
                QString line;
                for (int n = random.bounded(8); n > 0; --n) {
                    char32_t c = random.bounded(0x110000);
                    if ((c >= 0xD800 && c <= 0xDFFF) || c == '\r' || c == '\n')
                        c = u'ё';
                    line += QString::fromUcs4(&c, 1);
                }
                bytes += line.toUtf8();
            }
            if (l + 1 < lines || round % 5 != 0)
                bytes += lineBreak;
        }
        const TextForm form = textfile::detectForm(bytes);
        ASSERT_FALSE(form.hadMixed);
        EXPECT_EQ(textfile::encodeText(textfile::decodeText(bytes, form), form), bytes)
            << bytes.toHex().toStdString();
    }
}

TEST(TextEncoder, PiecesAndChunksGiveTheSameBytesAsTheWholeText) {
    // Long enough for several chunks; pairs and unencodable characters fall on every boundary.
    QString text;
    const QString line = u"bind ё 😀\n日"_s; // nine units, ten bytes or more
    while (text.size() < 2 * textfile::TextEncoder::kChunkBytes)
        text += line;
    text += u"\u2029end"_s;
    for (const TextForm form : {TextForm{}, TextForm{Encoding::Utf8, LineBreak::Lf, true, false}}) {
        QString wholeLost;
        const QByteArray whole = textfile::encodeText(text, form, &wholeLost);
        QByteArray chunked;
        int chunks = 0;
        textfile::TextEncoder encoder(form, [&](QByteArrayView b) {
            chunked += b;
            ++chunks;
            return true;
        });
        for (qsizetype at = 0; at < text.size(); at += 7)
            encoder.append(QStringView(text).mid(at, 7));
        ASSERT_TRUE(encoder.finish());
        EXPECT_EQ(chunked, whole);
        EXPECT_GE(chunks, 3);
        EXPECT_EQ(encoder.unencodable(), wholeLost);
    }
    // Windows-1251 names each character it lacks once; U+2029 is a character in a file's text
    // and a line break in the editor's document.
    QString lost;
    EXPECT_EQ(textfile::encodeText(u"a日😀日\u2029"_s, {}, &lost), QByteArray("a?????"));
    EXPECT_EQ(lost, u"日\xD83D\xDE00\u2029"_s);
    textfile::TextEncoder document(TextForm{Encoding::Utf8, LineBreak::CrLf, false, false});
    document.setParagraphBreaks(true);
    document.append(u"a\u2029b\nc"_s);
    EXPECT_EQ(document.take(), QByteArray("a\r\nb\r\nc"));
    // UTF-8 holds everything but a surrogate without its pair.
    textfile::TextEncoder halves(TextForm{Encoding::Utf8, LineBreak::Lf, false, false});
    halves.append(u"\xD83D"_s);
    halves.append(u"\xDE00 \xDE00 \xD83D"_s);
    EXPECT_EQ(halves.take(), QByteArray("\xF0\x9F\x98\x80 ? ?"));
    EXPECT_EQ(halves.unencodable(), u"\xDE00\xD83D"_s);
}

TEST(TextEncoder, EveryKindOfCharacterAtEveryPlaceGivesTheSameBytesAsOneAtATime) {
    // Runs of ASCII, letters, line breaks and the characters between them (the last of UTF-8's
    // two bytes and the first of three among them), so each kind falls at every place in the
    // eight or sixteen characters the fast path takes at once.
    const QString alphabet =
        u"ab \"09;Яяёё\u2029\n№—\u00A0日\xD83D\xDE00\xDE00\xD83D\u0098\u07FF\u0800"_s;
    QRandomGenerator random(5);
    for (int round = 0; round < 300; ++round) {
        QString text;
        const int length = random.bounded(1, 90);
        while (text.size() < length) {
            const QChar c = alphabet[random.bounded(int(alphabet.size()))];
            text += QString(random.bounded(1, 12), c);
        }
        for (const TextForm form : {TextForm{}, TextForm{Encoding::Windows1251, LineBreak::Lf},
                                    TextForm{Encoding::Utf8, LineBreak::CrLf, true},
                                    TextForm{Encoding::Utf8, LineBreak::Lf}}) {
            for (const bool paragraphBreaks : {false, true}) {
                textfile::TextEncoder encoder(form);
                encoder.setParagraphBreaks(paragraphBreaks);
                encoder.append(text);
                ASSERT_EQ(encoder.take(), referenceBytes(text, form, paragraphBreaks))
                    << qPrintable(text) << " " << int(form.encoding) << int(form.lineBreak)
                    << paragraphBreaks;
            }
        }
    }
}

TEST(TextEncoder, AFailedSinkStopsTheEncoding) {
    int calls = 0;
    textfile::TextEncoder encoder({}, [&](QByteArrayView) { return ++calls < 2; });
    for (qsizetype given = 0; given < 4 * textfile::TextEncoder::kChunkBytes; given += 10000)
        encoder.append(QString(10000, u'x'));
    EXPECT_FALSE(encoder.finish());
    EXPECT_EQ(calls, 2);
}

TEST(TextFile, ReadingNotesTheFormAndWritingKeepsIt) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"c.cfg"_s);
    const QByteArray bytes = "\xEF\xBB\xBF" + utf8(u"// Привет\nbind w x"_s);
    put(path, bytes);
    const textfile::ReadResult r = textfile::readEditableText(path);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.text, u"// Привет\nbind w x"_s);
    EXPECT_EQ(r.form, (TextForm{Encoding::Utf8, LineBreak::Lf, true, false}));
    ASSERT_TRUE(textfile::writeText(path, r.text + u"\nname y"_s, r.form).ok);
    EXPECT_EQ(slurp(path), bytes + "\nname y");
    // A new file is Windows-1251 with CR LF.
    ASSERT_TRUE(textfile::writeText(path, u"// Привет\n"_s).ok);
    EXPECT_EQ(slurp(path), QByteArray("// \xCF\xF0\xE8\xE2\xE5\xF2\r\n"));
}

TEST(TextFile, AStreamedWriteReplacesTheFileOnlyAtCommit) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"config.cfg"_s);
    put(path, "old");
    {
        textfile::AtomicWrite file(path);
        ASSERT_TRUE(file.append("new "));
        ASSERT_TRUE(file.append("text"));
        EXPECT_EQ(slurp(path), QByteArray("old"));
        file.cancel();
        EXPECT_FALSE(file.append("more"));
    }
    EXPECT_EQ(slurp(path), QByteArray("old"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);
    {
        textfile::AtomicWrite abandoned(path); // never committed: the same as cancelled
        abandoned.append("lost");
    }
    EXPECT_EQ(slurp(path), QByteArray("old"));
    textfile::AtomicWrite file(path);
    ASSERT_TRUE(file.append("new"));
    ASSERT_TRUE(file.commit().ok);
    EXPECT_EQ(slurp(path), QByteArray("new"));

    // A large file is started on its way to the disk stretch by stretch as it is written;
    // cancelled then, the old file stays, and committed, every byte is there.
    QByteArray large;
    for (int i = 0; large.size() < ReplacedFileRelease::kLeastSize + 1024 * 1024; ++i)
        large += "bind \"KEY" + QByteArray::number(i) + "\" \"+attack\"\r\n";
    for (const bool keep : {false, true}) {
        textfile::AtomicWrite big(path);
        for (qsizetype at = 0; at < large.size(); at += 100 * 1024)
            ASSERT_TRUE(big.append(QByteArrayView(large).sliced(at).first(
                std::min<qsizetype>(100 * 1024, large.size() - at))));
        if (keep) {
            ASSERT_TRUE(big.commit().ok);
        }
        EXPECT_EQ(slurp(path), keep ? large : QByteArray("new"));
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);
    // The large file a save replaces is closed by another thread after the save: once that is
    // done, no descriptor of the program still holds its blocks.
    auto holdsReplaced = [&path] {
        const QDir fds(u"/proc/self/fd"_s);
        for (const QString& fd : fds.entryList(QDir::AllEntries | QDir::System))
            if (QFile::symLinkTarget(fds.filePath(fd)) == path + u" (deleted)"_s)
                return true;
        return false;
    };
    ASSERT_TRUE(textfile::writeBytes(path, "small").ok);
    ReplacedFileRelease::waitForAll();
    EXPECT_FALSE(holdsReplaced());
    EXPECT_EQ(slurp(path), QByteArray("small"));

    textfile::AtomicWrite nowhere(dir.filePath(u"no/such/folder/x.cfg"_s));
    EXPECT_FALSE(nowhere.append("x"));
    const textfile::WriteResult failed = nowhere.commit();
    EXPECT_FALSE(failed.ok);
    EXPECT_FALSE(failed.reason.isEmpty());
}
