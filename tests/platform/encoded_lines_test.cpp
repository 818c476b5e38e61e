// A save made from the bytes kept of the lines not edited since gives the same bytes as encoding
// the whole text, whatever the edits were; what cannot be kept is not.
#include "platform/encoded_lines.h"

#include <QPlainTextEdit>
#include <QRandomGenerator>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using textfile::Encoding;
using textfile::LineBreak;
using textfile::TextForm;

namespace {

// The text a save writes: the document's, its paragraph separators as line breaks.
QString savedText(const QTextDocument& document) {
    return document.toRawText().replace(QChar::ParagraphSeparator, u'\n');
}

std::optional<QByteArray> written(EncodedLines& lines, EncodedLines::Written* result = nullptr) {
    QByteArray bytes;
    const auto w = lines.write([&bytes](QByteArrayView piece) {
        bytes += piece;
        return true;
    });
    if (!w)
        return std::nullopt;
    if (result)
        *result = *w;
    return bytes;
}

QByteArray joined(const EncodedLines::Bytes& bytes) {
    QByteArray all;
    bytes([&all](QByteArrayView piece) { all += piece; });
    return all;
}

QString configLines(int count) {
    QString text;
    for (int i = 0; i < count; ++i)
        text += i % 5 == 4 ? u"\n"_s : u"bind \"k%1\" \"say привет %1\"\n"_s.arg(i);
    return text;
}

// The editor's document with `text`, opened from its bytes in `form`, as a file is opened.
void openText(QPlainTextEdit& editor, EncodedLines& lines, const QString& text,
              const TextForm& form) {
    editor.setPlainText(text);
    lines.keepRead(textfile::encodeText(text, form), form);
}

// One random edit of the kinds an editor makes: typing, line breaks, deleting across lines,
// pastes, undo and redo, colours put on a line.
void editAtRandom(QTextDocument& document, QRandomGenerator& random) {
    QTextCursor cursor(&document);
    const int length = document.characterCount() - 1;
    cursor.setPosition(random.bounded(length + 1));
    switch (random.bounded(9)) {
    case 0:
        cursor.insertText(u"x"_s);
        break;
    case 1:
        cursor.insertText(u"\n"_s);
        break;
    case 2:
        cursor.insertText(u"alias w \"+forward\"\nэхо\n\n"_s);
        break;
    case 3:
        cursor.setPosition(std::min(length, cursor.position() + random.bounded(60)),
                           QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
        break;
    case 4:
        cursor.setPosition(std::min(length, cursor.position() + random.bounded(30)),
                           QTextCursor::KeepAnchor);
        cursor.insertText(u"ё;y"_s);
        break;
    case 5:
        document.undo();
        break;
    case 6:
        document.redo();
        break;
    case 7: {
        // A colour change, announced as a change of the block's contents.
        const QTextBlock block = document.findBlock(cursor.position());
        document.markContentsDirty(block.position(), block.length());
        break;
    }
    default:
        cursor.movePosition(random.bounded(2) ? QTextCursor::End : QTextCursor::Start);
        cursor.insertText(random.bounded(2) ? u"\nlast"_s : u"first\n"_s);
        break;
    }
}

} // namespace

TEST(EncodedLines, SavesAfterAnyEditsGiveTheWholeTextsBytes) {
    const TextForm forms[] = {
        {Encoding::Windows1251, LineBreak::CrLf, false, false},
        {Encoding::Utf8, LineBreak::Lf, false, false},
        {Encoding::Utf8, LineBreak::CrLf, true, false},
    };
    for (const TextForm& form : forms) {
        for (const bool breakAtEnd : {true, false}) {
            SCOPED_TRACE(int(form.encoding) * 10 + int(form.lineBreak) + (breakAtEnd ? 100 : 0));
            QPlainTextEdit editor;
            QTextDocument& document = *editor.document();
            EncodedLines lines(&document);
            QString text = configLines(300);
            if (!breakAtEnd)
                text.chop(1);
            openText(editor, lines, text, form);
            ASSERT_TRUE(lines.holds(form));
            QRandomGenerator random(int(form.encoding) * 7 + int(form.lineBreak) + breakAtEnd);
            for (int edit = 0; edit < 600; ++edit) {
                editAtRandom(document, random);
                if (edit % 7 != 0)
                    continue;
                const QByteArray expected = textfile::encodeText(savedText(document), form);
                const std::optional<QByteArray> bytes = written(lines);
                // Every change was followed, so what is kept always adds up.
                ASSERT_TRUE(bytes.has_value()) << edit;
                ASSERT_TRUE(*bytes == expected) << edit;
                EXPECT_TRUE(joined(lines.keptBytes()) == expected) << edit;
                EXPECT_LE(size_t(lines.pieceCount()), EncodedLines::kMostPieces);
            }
            // Without a save for a long while the edits are followed all the same.
            for (int edit = 0; edit < 300; ++edit)
                editAtRandom(document, random);
            EXPECT_TRUE(written(lines) == textfile::encodeText(savedText(document), form));
        }
    }
}

TEST(EncodedLines, WhatDoesNotReadBackAsItsBytesIsNotKept) {
    QPlainTextEdit editor;
    QTextDocument& document = *editor.document();
    EncodedLines lines(&document);
    const TextForm utf8{Encoding::Utf8, LineBreak::Lf, false, false};

    // Mixed line breaks: a save writes one kind everywhere.
    TextForm mixed = utf8;
    mixed.hadMixed = true;
    editor.setPlainText(u"a\nb"_s);
    lines.keepRead("a\r\nb", mixed);
    EXPECT_FALSE(lines.holds(utf8));

    // A paragraph separator in a UTF-8 file is a line of the document's but not of the file's.
    const QString separated = u"a\u2029b\nc"_s;
    editor.setPlainText(separated);
    lines.keepRead(separated.toUtf8(), utf8);
    EXPECT_FALSE(written(lines).has_value());
    EXPECT_FALSE(lines.holds(utf8));

    // A byte-order mark the bytes do not have.
    TextForm bom = utf8;
    bom.bom = true;
    editor.setPlainText(u"a"_s);
    lines.keepRead("a", bom);
    EXPECT_FALSE(lines.holds(bom));

    // Only the form kept is served.
    lines.keepWritten("a", utf8);
    EXPECT_TRUE(lines.holds(utf8));
    EXPECT_FALSE(lines.holds({}));

    // A whole new text is encoded whole.
    editor.setPlainText(configLines(3000));
    EXPECT_FALSE(lines.holds(utf8));
}

// A change the document did not announce (its signals blocked) is not followed; a line that no
// longer reads as its bytes where the check looks makes the save encode the whole text.
TEST(EncodedLines, ALineChangedUnannouncedIsNotTakenFromWhatIsKept) {
    QPlainTextEdit editor;
    QTextDocument& document = *editor.document();
    EncodedLines lines(&document);
    const TextForm form;
    QString text = configLines(21);
    text.chop(1); // 21 lines: the first, middle and last are looked at
    for (const int line : {0, 10, 20}) {
        SCOPED_TRACE(line);
        openText(editor, lines, text, form);
        {
            const QSignalBlocker quiet(&document);
            QTextCursor cursor(document.findBlockByNumber(line));
            cursor.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor);
            cursor.insertText(u"Q"_s); // as many characters and lines as before
        }
        EXPECT_FALSE(written(lines).has_value());
        EXPECT_FALSE(lines.holds(form));
    }
}

TEST(EncodedLines, LinesWithLostCharactersOrAFailedWriteAreNotKept) {
    QPlainTextEdit editor;
    QTextDocument& document = *editor.document();
    EncodedLines lines(&document);
    const TextForm windows1251;
    openText(editor, lines, configLines(20), windows1251);

    QTextCursor cursor(document.findBlockByNumber(3));
    cursor.insertText(u"日本"_s);
    EncodedLines::Written result;
    const std::optional<QByteArray> bytes = written(lines, &result);
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(result.unencodable, u"日本"_s);
    EXPECT_TRUE(bytes->contains("??"));
    // The next save asks about them again.
    EXPECT_FALSE(lines.holds(windows1251));

    lines.keepWritten(textfile::encodeText(savedText(document), windows1251), windows1251);
    cursor.insertText(u"x"_s);
    const auto failed = lines.write([](QByteArrayView) { return false; });
    ASSERT_TRUE(failed.has_value());
    EXPECT_FALSE(failed->ok);
    EXPECT_FALSE(lines.holds(windows1251));
}

// The document's order of changes, not their number, decides: a hundred scattered edits between
// two saves are written right, and what is kept is joined again when it gets scattered.
TEST(EncodedLines, ScatteredEditsStayFewPieces) {
    QPlainTextEdit editor;
    QTextDocument& document = *editor.document();
    EncodedLines lines(&document);
    const TextForm form{Encoding::Utf8, LineBreak::CrLf, false, false};
    openText(editor, lines, configLines(2000), form);
    for (int round = 0; round < 4; ++round) {
        for (int line = round; line < 2000; line += 7) {
            QTextCursor cursor(document.findBlockByNumber(line));
            cursor.insertText(u"z"_s);
        }
        const std::optional<QByteArray> bytes = written(lines);
        ASSERT_TRUE(bytes.has_value());
        EXPECT_TRUE(*bytes == textfile::encodeText(savedText(document), form)) << round;
        EXPECT_LE(size_t(lines.pieceCount()), EncodedLines::kMostPieces) << round;
    }
}
