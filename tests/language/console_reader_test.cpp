// The one reader of the console language: readings the game gives, held against a model of the
// engine's own loop on random texts, and every value the program writes read back as itself.
#include "engine_model.h"
#include "language/block_marks.h"
#include "language/command_index.h"
#include "language/config_commands.h"
#include "language/config_syntax.h"
#include "language/key_names.h"
#include "platform/cp1251.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>
#include <vector>

using namespace Qt::Literals::StringLiterals;
using console::Bytes;

namespace {

// Every command of a text with all its words, as the reader gives them.
QList<QStringList> readAll(const QString& text, Bytes bytes = Bytes::Single) {
    QList<QStringList> commands;
    for (int pos = 0; pos <= text.size();) {
        QStringList words;
        const CommandReading r = readCommand(text, pos, bytes, [&](const CommandWord& w) {
            words.append(text.mid(w.textStart(), w.textLength()));
        });
        if (!words.isEmpty())
            commands.append(words);
        pos = r.stop + 1;
    }
    return commands;
}

QList<QStringList> joined(std::initializer_list<QString> commands) {
    QList<QStringList> out;
    for (const QString& c : commands)
        out.append(c.split(u'|'));
    return out;
}

TEST(ConsoleReader, ReadsAsTheGameReads) {
    struct Case {
        const char* what;
        QString text;
        QList<QStringList> commands; // each command's words
    };
    const Case cases[] = {
        {"a word never begins with a Russian letter", u"name Вася"_s, joined({u"name"_s})},
        {"so a chat line sends nothing", u"say Привет мир"_s, joined({u"say"_s})},
        {"in quotes it stays", u"name \"Вася\""_s, joined({u"name|Вася"_s})},
        {"inside a bare word it continues it", u"name Vasя1 2"_s, joined({u"name|Vasя1|2"_s})},
        {"four words, no setinfo", u"setinfo _pw пароль админа x"_s, joined({u"setinfo|_pw|x"_s})},
        {"brackets and commas are words", u"name [Pro]Player(1)"_s,
         joined({u"name|[Pro]Player|(|1|)"_s})},
        {"a decimal comma splits", u"sensitivity 2,5"_s, joined({u"sensitivity|2|,|5"_s})},
        {"braces, quote and colon", u"a{b}'c':d"_s, joined({u"a|{|b|}|'|c|'|:|d"_s})},
        {"a glued quote stays in the word", u"cl_allowupload\"0\""_s,
         joined({u"cl_allowupload\"0\""_s})},
        {"and keeps the next \";\" in the command", u"bind k -jump\"; x"_s,
         joined({u"bind|k|-jump\";|x"_s})},
        {"\"//\" inside a word is no comment", u"rate 2500//x; y"_s,
         joined({u"rate|2500//x"_s, u"y"_s})},
        {"\"//\" where a word begins is one", u"rate 2500 //x; y"_s,
         joined({u"rate|2500"_s, u"y"_s})},
        {"a lone CR is a blank", u"a 1\rb 2"_s, joined({u"a|1|b|2"_s})},
        {"\";\" in quotes splits nothing", u"echo \"a;b\"; c"_s, joined({u"echo|a;b"_s, u"c"_s})},
        {"the quotes count from the command's start", u"a\"b \"c;d\"; e"_s,
         joined({u"a\"b|c"_s, u"d\";|e"_s})},
        {"a quote open to the line's end", u"name \"Strelok\nrate 1"_s,
         joined({u"name|Strelok"_s, u"rate|1"_s})},
        {"an empty quoted word counts", u"bind k \"\" x"_s, joined({u"bind|k||x"_s})},
        {"control characters are blanks", u"\x03say\x01hi"_s, joined({u"say|hi"_s})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(readAll(c.text), c.commands) << c.text.toStdString();
    }
}

TEST(ConsoleReader, LimitsAreCountedInTheFilesBytes) {
    // A command of 1024 bytes runs 1023, loses the next, and the rest is a command of its own.
    const QString cut = u"echo "_s + QString(1017, u'a') + u" xyz"_s; // "x" is byte 1023
    EXPECT_EQ(readAll(cut), joined({u"echo"_s, u"yz"_s})); // the word of 1017 bytes is dropped
    // 300 Russian letters in quotes: 300 bytes in Windows-1251, 600 in UTF-8 (dropped).
    const QString word = u"say \""_s + QString(300, u'ж') + u"\" x"_s;
    EXPECT_EQ(readAll(word, Bytes::Single).value(0).size(), 3);
    EXPECT_EQ(readAll(word, Bytes::Utf8).value(0), QStringList{u"say"_s});
    // At most 80 words are kept.
    EXPECT_EQ(readAll(u"w "_s.repeated(100)).value(0).size(), 80);
    // A name of 515 bytes is dropped, and the command with it.
    EXPECT_TRUE(readAll(QString(515, u'n') + u" 1"_s).isEmpty());
    EXPECT_EQ(console::byteLength(u"жx😀"_s, Bytes::Utf8), 2 + 1 + 4);
}

// Each of the console's byte limits one byte under, at and over its edge, in Windows-1251 (a
// letter one byte) and in UTF-8 (a Russian letter two bytes, "€" three). Each command read is
// shown as its count of words and the length of its last word.
TEST(ConsoleReader, EveryLimitAtItsEdgeInBothEncodings) {
    struct Case {
        const char* what;
        QString text;
        Bytes bytes;
        QString read;
    };
    // 1007 bytes of "echo" and two long words, then a word of b.
    const QString latin = u"echo "_s + QString(500, u'a') + u' ' + QString(500, u'a') + u' ';
    const auto echo = [&](int b) { return latin + QString(b, u'b'); };
    // 1011 bytes in UTF-8: two quoted words of 250 Russian letters (500 bytes each).
    const QString russian = u"\""_s + QString(250, u'ж') + u"\""_s;
    const auto echoUtf8 = [&](int b) {
        return u"echo "_s + russian + u' ' + russian + u' ' + QString(b, u'b');
    };
    const Case cases[] = {
        {"a word of 514 bytes", u"say "_s + QString(514, u'w'), Bytes::Single, u"2:514"_s},
        {"a word of 515 bytes", u"say "_s + QString(515, u'w'), Bytes::Single, u"1:3"_s},
        {"257 letters: 514 bytes", u"say \""_s + QString(257, u'ж') + u"\" x"_s, Bytes::Utf8,
         u"3:1"_s},
        {"and one more", u"say \""_s + QString(257, u'ж') + u"w\" x"_s, Bytes::Utf8, u"1:3"_s},
        {"171 euros and a letter: 514", u"say \""_s + QString(171, u'€') + u"w\" x"_s, Bytes::Utf8,
         u"3:1"_s},
        {"and two: 515", u"say \""_s + QString(171, u'€') + u"ww\" x"_s, Bytes::Utf8, u"1:3"_s},
        {"the same in Windows-1251", u"say \""_s + QString(171, u'€') + u"ww\" x"_s, Bytes::Single,
         u"3:1"_s},
        {"a command of 1022 bytes", echo(15), Bytes::Single, u"4:15"_s},
        {"of 1023", echo(16), Bytes::Single, u"4:16"_s},
        {"of 1024: the byte after 1023 is lost", echo(17), Bytes::Single, u"4:16"_s},
        {"of 1025: the rest is a command", echo(18), Bytes::Single, u"4:16; 1:1"_s},
        {"1022 bytes in UTF-8", echoUtf8(11), Bytes::Utf8, u"4:11"_s},
        {"1023 in UTF-8", echoUtf8(12), Bytes::Utf8, u"4:12"_s},
        {"1024 in UTF-8", echoUtf8(13), Bytes::Utf8, u"4:12"_s},
        {"1025 in UTF-8", echoUtf8(14), Bytes::Utf8, u"4:12; 1:1"_s},
        {"the same in Windows-1251", echoUtf8(14), Bytes::Single, u"4:14"_s},
        {"80 words", u"w "_s.repeated(79) + u"ww"_s, Bytes::Single, u"80:2"_s},
        {"81 words", u"w "_s.repeated(80) + u"ww"_s, Bytes::Utf8, u"80:1"_s},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QStringList read;
        for (const QStringList& words : readAll(c.text, c.bytes))
            read.append(u"%1:%2"_s.arg(words.size()).arg(words.last().size()));
        EXPECT_EQ(read.join(u"; "_s), c.read);
    }
    // The byte counts the limits are held against.
    EXPECT_EQ(console::byteLength(u"ж€w"_s, Bytes::Utf8), 2 + 3 + 1);
    EXPECT_EQ(console::byteLength(u"ж€w"_s, Bytes::Single), 3);
}

TEST(ConsoleReader, AgreesWithTheEnginesLoopOnRandomTexts) {
    const QString pieces[] = {
        u"bind"_s,
        u"\""_s,
        u";"_s,
        u"//"_s,
        u"/"_s,
        u" "_s,
        u"\t"_s,
        u"\n"_s,
        u"\r"_s,
        u"ж"_s,
        u"Вася"_s,
        u"{"_s,
        u"}"_s,
        u"("_s,
        u")"_s,
        u"'"_s,
        u","_s,
        u":"_s,
        u"\x01"_s,
        u"a"_s,
        u"x1"_s,
        u"\"\""_s,
        u"€"_s,
        QString(200, u'w'),
        QString(520, u'q'),
        u"\"a;b\""_s,
    };
    QRandomGenerator random(39);
    for (int round = 0; round < 3000; ++round) {
        QString text;
        for (int i = random.bounded(0, 30); i > 0; --i)
            text += pieces[random.bounded(int(std::size(pieces)))];
        // In UTF-8 a cut may fall inside a letter, which the reader keeps whole: those texts
        // are compared in Windows-1251 only.
        bool shortLines = true;
        for (const QString& line : text.split(u'\n'))
            shortLines = shortLines && line.toUtf8().size() <= console::kCommandBytes;
        for (const Bytes bytes : {Bytes::Single, Bytes::Utf8}) {
            if (bytes == Bytes::Utf8 && !shortLines)
                continue;
            const QByteArray encoded =
                bytes == Bytes::Single ? cp1251::encode(text) : text.toUtf8();
            QList<QStringList> expected;
            for (const enginemodel::Words& words : enginemodel::commands(encoded)) {
                QStringList decoded;
                for (const QByteArray& w : words)
                    decoded.append(bytes == Bytes::Single ? cp1251::decode(w)
                                                          : QString::fromUtf8(w));
                expected.append(decoded);
            }
            ASSERT_EQ(readAll(text, bytes), expected) << qPrintable(text);
        }
    }
}

TEST(ConsoleReader, EveryValueWrittenReadsBackAsItself) {
    const QString alphabet = u"aZ09 ;/\\{}()',:.-+_\t\x01жЖё€[]<>=!?#"_s;
    QRandomGenerator random(4);
    for (int round = 0; round < 5000; ++round) {
        QString value;
        for (int i = random.bounded(0, 12); i > 0; --i)
            value += alphabet.at(random.bounded(int(alphabet.size())));
        ASSERT_TRUE(valueFitsInQuotes(value));
        for (const bool bare : {false, true}) {
            const QString line = u"name "_s + commandValueText(value, bare) + u"; next"_s;
            const QList<QStringList> read = readAll(line);
            ASSERT_EQ(read.size(), 2) << qPrintable(line);
            ASSERT_EQ(read.first().value(1), value) << qPrintable(line);
            ASSERT_EQ(read.first().size(), 2) << qPrintable(line);
        }
    }
    // Written over a word of a command, between neighbours glued to it or not: the value is
    // read there, and the words before and after it as they were.
    const QString around[] = {u""_s,    u" "_s, u"("_s,  u"x"_s, u"\"q\""_s,
                              u"//c"_s, u"Ж"_s, u";n"_s, u":"_s, u"/"_s};
    const QString olds[] = {u"("_s, u","_s, u"}"_s, u"2"_s, u"\"2\""_s, u"\"\""_s};
    for (int round = 0; round < 5000; ++round) {
        QString value;
        for (int i = random.bounded(0, 6); i > 0; --i)
            value += alphabet.at(random.bounded(int(alphabet.size())));
        const QString before = around[random.bounded(int(std::size(around)))];
        const QString line = u"name"_s + (before == u"x"_s ? u" "_s : before) +
                             olds[random.bounded(int(std::size(olds)))] +
                             around[random.bounded(int(std::size(around)))];
        const CommandSpan command = commandAt(line, 0, 0);
        QList<QStringList> wanted = readAll(line);
        const int index = before == u"("_s ? 2 : 1; // the word after the one-character word
        if (command.wordCount <= index)
            continue;
        wanted.first()[index] = value;
        const CommandWord& word = command.words[size_t(index)];
        const QString written = QString(line).replace(word.start, word.length,
                                                      valueOverWord(line, command, index, value));
        ASSERT_EQ(readAll(written), wanted) << qPrintable(line) << " -> " << qPrintable(written);
    }
    // The values an issue found written bare and read as something else.
    for (const QString& value : {u"Вася"_s, u"[Pro]Player(1)"_s, u"a//b"_s, u"2,5"_s, u""_s})
        EXPECT_TRUE(commandValueText(value, true).startsWith(u'"')) << qPrintable(value);
    // What nothing splits stays bare: a lone "/" begins no comment.
    for (const QString& value : {u"Player1"_s, u"a/b"_s, u"1/"_s, u"/"_s, u"-0.5"_s})
        EXPECT_EQ(commandValueText(value, true), value);
    EXPECT_FALSE(valueFitsInQuotes(u"a\"b"_s));
}

TEST(ConsoleReader, NamesCompareAsTheConsoleCompares) {
    EXPECT_TRUE(sameName(u"Rate", u"rATE"));
    EXPECT_TRUE(sameName(u"ZOOM_SENSITIVITY_RATIO", u"zoom_sensitivity_ratio"));
    EXPECT_FALSE(sameName(u"Огонь", u"огонь"));
    EXPECT_FALSE(sameName(u"\u212A", u"k"));
    EXPECT_EQ(console::foldedName(u"Bind F1 Ж"), u"bind f1 Ж"_s);
}

TEST(ConsoleReader, ANameIsFoundAsTheConsoleComparesIt) {
    // Against a plain walk, on texts of characters that look alike to a quick test: capitals,
    // letters whose low byte is a capital's or a small letter's, and "alias" cut short.
    const auto plainFind = [](QStringView text, qsizetype from, QStringView name) -> qsizetype {
        for (qsizetype i = std::max<qsizetype>(from, 0); i + name.size() <= text.size(); ++i)
            if (sameName(text.mid(i, name.size()), name))
                return i;
        return -1;
    };
    const char16_t alphabet[] = {u'a',
                                 u'A',
                                 u'l',
                                 u'L',
                                 u'i',
                                 u'I',
                                 u's',
                                 u'S',
                                 u' ',
                                 u'\n',
                                 u'\u0141',
                                 u'\u0161',
                                 u'\u0141' + 0x20,
                                 u'\uFF41',
                                 u'\u212A'};
    QRandomGenerator random(5);
    for (int round = 0; round < 3000; ++round) {
        QString text;
        const int length = int(random.bounded(40));
        for (int i = 0; i < length; ++i)
            text += random.bounded(4) == 0
                        ? QString(u"alias"_s.left(int(random.bounded(6))))
                        : QString(QChar(alphabet[random.bounded(int(std::size(alphabet)))]));
        const qsizetype from = random.bounded(qsizetype(text.size()) + 2) - 1;
        for (const QStringView name : {QStringView(u"alias"), QStringView(u"li")})
            ASSERT_EQ(console::findName(text, from, name), plainFind(text, from, name))
                << qPrintable(text) << " from " << from;
    }
    EXPECT_EQ(console::findName(u"echo ALIAS; Alias", 0, u"alias"), 5);
    EXPECT_EQ(console::findName(u"echo ALIAS; Alias", 6, u"alias"), 12);
    EXPECT_EQ(console::findName(u"aliaſ \u0430lias", 0, u"alias"), -1); // long s, Cyrillic a
}

TEST(ConsoleReader, OneListOfKeyNames) {
    for (const QString& key : keyNames())
        EXPECT_FALSE(canonicalKeyName(key).isEmpty()) << qPrintable(key);
    for (const QString& key : namedEngineKeys())
        EXPECT_EQ(canonicalKeyName(key.toLower()), key == u"SEMICOLON"_s ? u";"_s : key);
    EXPECT_EQ(canonicalKeyName(u"W"), u"w"_s);
    EXPECT_TRUE(canonicalKeyName(u"ж").isEmpty());
    EXPECT_TRUE(canonicalKeyName(u"MOUSE6").isEmpty());
}

namespace {
QStringList scannedCommands(const QString& text) {
    QStringList all;
    CommandScanner scanner(text);
    CommandSpan span;
    while (scanner.next(span))
        all.append(u"%1 %2 %3"_s.arg(span.start).arg(span.stop).arg(span.word(text, 0).toString()));
    return all;
}
QStringList foundCommands(const QString& text) {
    QStringList all;
    forEachCommandFound(text, [&](int, int start, QStringView name, int stop) {
        all.append(u"%1 %2 %3"_s.arg(start).arg(stop).arg(name.toString()));
    });
    return all;
}
} // namespace

// The index's pass reads 64 characters at a time: every printable ASCII character, blanks,
// line breaks and letters beyond ASCII, anywhere in a block, end names where the reader ends them.
TEST(ConsoleReader, TheIndexFindsTheCommandsTheScannerReadsInAnyText) {
    QRandomGenerator random(54);
    QString alphabet = u"\t\n\n \"\";;/ab\u0436\u00e9"_s;
    for (char16_t c = u'!'; c < 0x7F; ++c)
        alphabet += QChar(c);
    for (int round = 0; round < 400; ++round) {
        QString text;
        for (int i = 0, length = int(random.bounded(300)); i < length; ++i)
            text += alphabet[random.bounded(int(alphabet.size()))];
        ASSERT_EQ(foundCommands(text), scannedCommands(text)) << qPrintable(text);
    }
}

#if defined(__SSE2__)
// The marks are read many characters at a time: each character, ASCII or not (above 0x7F,
// 0xFF and 0x7FFF the wide instructions see it otherwise), anywhere in a block, is marked as
// the reader's rules class it.
TEST(ConsoleReader, TheMarksOfABlockClassEachCharacterAsTheReaderDoes) {
    std::vector<char16_t> alphabet = {0x80, 0xFF, 0x100, 0x436, 0x7F7F, 0x7FFF, 0x8000, 0xFFFF};
    for (char16_t c = 0; c < 0x80; ++c)
        alphabet.push_back(c);
    QRandomGenerator random(61);
    for (int round = 0; round < 2000; ++round) {
        char16_t block[kMarkBlock];
        for (char16_t& c : block)
            c = alphabet[random.bounded(int(alphabet.size()))];
        // Each way of making them, the one this processor would not take too.
        std::vector<BlockMarksFunction> ways = {blockMarks, blockMarksBy16};
        if (const BlockMarksFunction by32 = blockMarksBy32IfAny())
            ways.push_back(by32);
        for (size_t way = 0; way < ways.size(); ++way) {
            const BlockMarks marks = ways[way](block);
            for (int i = 0; i < kMarkBlock; ++i) {
                const char16_t c = block[i];
                const auto at = [&](quint64 mask) { return ((mask >> i) & 1) != 0; };
                ASSERT_EQ(at(marks.quotes), c == u'"') << way << " " << round << " " << i;
                ASSERT_EQ(at(marks.breaks), c == u'\n') << way << " " << round << " " << i;
                ASSERT_EQ(at(marks.semicolons), c == u';') << way << " " << round << " " << i;
                ASSERT_EQ(at(marks.blanks), console::skippedBeforeWord(c) && c < 0x80)
                    << way << " " << round << " " << i;
                ASSERT_EQ(at(marks.singles), console::isOneCharWord(c))
                    << way << " " << round << " " << i;
            }
        }
    }
}
#endif

// The index keeps the names it meets apart from the text: thousands of numbered names, as a
// long-grown config has them, each spelt in other letter cases further on, still find their
// commands and no other name's.
TEST(ConsoleReader, TheIndexKeepsThousandsOfNamesApart) {
    QString text;
    constexpr int kNames = 3000;
    for (int round = 0; round < 3; ++round)
        for (int n = 0; n < kNames; ++n)
            text += (round == 1 ? u"CL_Bob"_s : u"cl_bob"_s) + QString::number(n) + u" "_s +
                    QString::number(round) + u'\n';
    const CommandIndex index(text);
    for (const int n : {0, 7, 1000, 2047, 2999}) {
        const QString name = u"Cl_bOb"_s + QString::number(n);
        QStringList values;
        for (const CommandSpan& c : index.named(name))
            values.append(c.word(text, 0).toString() + u'=' + c.word(text, 1).toString());
        const QString number = QString::number(n);
        EXPECT_EQ(values,
                  (QStringList{u"cl_bob"_s + number + u"=0"_s, u"CL_Bob"_s + number + u"=1"_s,
                               u"cl_bob"_s + number + u"=2"_s}));
    }
    EXPECT_FALSE(index.contains(u"cl_bob3000"_s));
}

// Arguments kept from one look-up answer the next ones as reading them again would: commands of
// one word, empty and quoted arguments, other spellings of the name.
TEST(ConsoleReader, TheIndexAnswersFromKeptArgumentsAsFromTheText) {
    const QString pieces[] = {u"setinfo"_s, u"SetInfo"_s, u" "_s, u"\"\""_s, u"\"_a\""_s,
                              u"_a"_s,      u"_b"_s,      u";"_s, u"\n"_s,   u"\"x y\""_s,
                              u"//"_s,      u"1"_s,       u"ж"_s};
    QRandomGenerator random(62);
    for (int round = 0; round < 300; ++round) {
        QString text;
        for (int i = random.bounded(0, 60); i > 0; --i)
            text += pieces[random.bounded(int(std::size(pieces)))];
        const CommandIndex keeping(text);
        const CommandIndex reading(text);
        const auto found = [&](const CommandIndex& index, QStringView key, bool keep) {
            QStringList all;
            index.forEachNamedWithArgument(
                u"setinfo", [&](QStringView argument) { return argument == key; },
                [&](const CommandSpan& c) {
                    all.append(u"%1 %2 %3"_s.arg(c.start).arg(c.end).arg(c.wordCount));
                    return true;
                },
                keep);
            return all;
        };
        for (const QString& key : {u"_a"_s, QString(), u"_b"_s, u"x y"_s})
            ASSERT_EQ(found(keeping, key, true), found(reading, key, false)) << qPrintable(text);
    }
}

TEST(ConsoleReader, TheIndexCutsLongCommandsAsTheScannerDoes) {
    // A command over the console's line changes where the rest of its line splits.
    const QString text = u"alias a \"x"_s + QString(1100, u'y') + u"\"; bind k v\necho "_s +
                         QString(2000, u'w') + u";e 1\nlast"_s;
    const QStringList found = foundCommands(text);
    EXPECT_EQ(found, scannedCommands(text));
    EXPECT_GE(found.size(), 5);
}

} // namespace
