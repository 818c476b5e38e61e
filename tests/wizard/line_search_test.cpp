// The wizard's documents and search by commands: finding a setting's value, rewriting only its
// value, deleting only its command, and the keys a document binds.
#include "engine_model.h"
#include "language/key_names.h"
#include "platform/cp1251.h"
#include "wizard/line_search.h"
#include "wizard/wizard_working_set.h"
#include "wizard_test_support.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

TEST(ConfigCommands, ScannerReadsLinesAsTheConsoleDoes) {
    struct Case {
        QString text;
        QStringList commands; // each command's words, joined by "|"
    };
    const Case cases[] = {
        {u"rate\t\t\"25000\""_s, {u"rate|25000"_s}},
        {u"  con_color   \"255 255 255\""_s, {u"con_color|255 255 255"_s}},
        {u"mp_timelimit 20"_s, {u"mp_timelimit|20"_s}},
        {u"a \"1\"; b 2 ;c"_s, {u"a|1"_s, u"b|2"_s, u"c"_s}},
        // The console splits a line at ";" before it reads comments: a comment ends there.
        {u"rate \"2500\" // modem; name x"_s, {u"rate|2500"_s, u"name|x"_s}},
        {u"// bind \"F1\" \"autobuy\"; bind \"F2\" \"rebuy\""_s, {u"bind|F2|rebuy"_s}},
        {u"// say \"a;b\"; c // d \"e; f\"\ng"_s, {u"c"_s, u"g"_s}},
        {u"echo \"a;b // c\"; d"_s, {u"echo|a;b // c"_s, u"d"_s}},
        {u"name \"Player\nrate \"2500\""_s, {u"name|Player"_s, u"rate|2500"_s}},
        {u"// rate 1\n;;\n\n  ; x"_s, {u"x"_s}},
        {u"bind \"x\" \"name y\""_s, {u"bind|x|name y"_s}},
        {u"rate 2500//x"_s, {u"rate|2500//x"_s}},
        {u"rate \"\"\r\n"_s, {u"rate|"_s}},
    };
    for (const Case& c : cases) {
        QStringList got;
        CommandScanner scanner(c.text);
        CommandSpan span;
        while (scanner.next(span)) {
            QStringList words;
            for (int i = 0; i < span.wordCount; ++i)
                words.append(span.word(c.text, i).toString());
            got.append(words.join(u'|'));
        }
        EXPECT_EQ(got, c.commands) << c.text.toStdString();
    }
}

TEST(ConfigCommands, TheOnePassIndexFindsTheScannersCommands) {
    // Pieces that change how a line reads, in random order: quotes (closed or not), ";", "//",
    // a lone "/", blanks and tabs, CR, empty lines and long words that span the eight
    // characters the search reads at once.
    const QString pieces[] = {
        u"bind"_s,
        u"\"x y\""_s,
        u"\""_s,
        u";"_s,
        u"//"_s,
        u"/"_s,
        u" "_s,
        u"\t"_s,
        u"\r"_s,
        u"\n"_s,
        u"\n\n"_s,
        u"Rate"_s,
        u"cl_updaterate_with_a_long_name"_s,
        u"\"a;b//c\""_s,
        u"ё"_s,
        u"\"\""_s,
        u","_s,
        u"{x}"_s,
        u"a\"b"_s,
        u"жж"_s,
        u"'"_s,
        u":"_s,
        // Long enough, a few in a row, for the console to cut a command or drop a word.
        QString(300, u'x'),
        u"\""_s + QString(400, u'y'),
    };
    QRandomGenerator random(11);
    for (int round = 0; round < 400; ++round) {
        QString text;
        for (int i = random.bounded(0, 40); i > 0; --i)
            text += pieces[random.bounded(int(std::size(pieces)))];
        QStringList expected;
        CommandScanner scanner(text);
        CommandSpan span;
        while (scanner.next(span))
            expected.append(u"%1 %2 %3 %4"_s.arg(span.lineStart)
                                .arg(span.lineEnd)
                                .arg(span.start)
                                .arg(span.word(text, 0).toString()));
        QStringList found;
        forEachCommandStart(text, [&](int lineStart, int lineEnd, int start, QStringView name) {
            found.append(
                u"%1 %2 %3 %4"_s.arg(lineStart).arg(lineEnd).arg(start).arg(name.toString()));
        });
        ASSERT_EQ(found, expected) << qPrintable(text);
        // The index gives each name's commands in full, as the scanner reads them, in any case.
        const CommandIndex index(text);
        for (const QString& name : {u"bind"_s, u"RATE"_s, u"x y"_s, u"ё"_s}) {
            QStringList byName;
            for (const CommandSpan& c : index.named(name))
                byName.append(u"%1 %2 %3"_s.arg(c.start).arg(c.end).arg(c.wordCount));
            QStringList wanted;
            CommandScanner again(text);
            while (again.next(span))
                if (sameName(span.word(text, 0), name))
                    wanted.append(u"%1 %2 %3"_s.arg(span.start).arg(span.end).arg(span.wordCount));
            EXPECT_EQ(byName, wanted) << qPrintable(text) << " " << qPrintable(name);
            EXPECT_EQ(index.contains(name), !wanted.isEmpty());
        }
    }
}

TEST(ConfigCommands, TheIndexKeepsManyNamesApartAsTheConsoleComparesThem) {
    // Many short names of letters in both cases and of the characters that differ from others
    // only in the bit that tells a capital ("@" and "`", "[" and "{", "1" and "Q"... ), each
    // with a few commands or many, so that names share places in the index's tables and a
    // name's commands fill several of its blocks. Every name's commands, and those whose first
    // argument is asked for, come out as the scanner reads them, in document order.
    const QString letters = u"aAbB@`[{1Q;\"/ x"_s;
    QRandomGenerator random(57);
    for (int round = 0; round < 60; ++round) {
        QString text;
        QStringList names;
        for (int n = random.bounded(1, 400); n > 0; --n) {
            QString name;
            for (int k = random.bounded(1, 4); k > 0; --k)
                name += letters[random.bounded(int(letters.size()))];
            QString argument;
            for (int k = random.bounded(0, 3); k > 0; --k)
                argument += letters[random.bounded(int(letters.size()))];
            // Often the name of the line before: long runs of one name.
            if (!names.isEmpty() && random.bounded(3) == 0)
                name = names.last();
            names.append(name);
            text += name + u' ' + argument + (random.bounded(4) == 0 ? u";"_s : u"\n"_s);
        }
        names << u"absent"_s << u"A"_s << u"@"_s << u"`"_s << u"{"_s << u"["_s;
        const CommandIndex index(text);
        for (const QString& name : names) {
            QStringList wanted, wantedWithA;
            CommandScanner scanner(text);
            CommandSpan span;
            while (scanner.next(span)) {
                if (!sameName(span.word(text, 0), name))
                    continue;
                const QString read = u"%1 %2 %3 %4"_s.arg(span.lineStart)
                                         .arg(span.start)
                                         .arg(span.end)
                                         .arg(span.wordCount);
                wanted.append(read);
                if (span.wordCount >= 2 && span.word(text, 1).startsWith(u'a'))
                    wantedWithA.append(read);
            }
            const auto reading = [&](const CommandSpan& c) {
                return u"%1 %2 %3 %4"_s.arg(c.lineStart).arg(c.start).arg(c.end).arg(c.wordCount);
            };
            const auto withA = [&] {
                QStringList found;
                index.forEachNamedWithArgument(
                    name, [](QStringView argument) { return argument.startsWith(u'a'); },
                    [&](const CommandSpan& c) {
                        found.append(reading(c));
                        return true;
                    });
                return found;
            };
            ASSERT_EQ(withA(), wantedWithA) << qPrintable(text) << " " << qPrintable(name);
            QStringList byName;
            for (const CommandSpan& c : index.named(name))
                byName.append(reading(c));
            ASSERT_EQ(byName, wanted) << qPrintable(text) << " " << qPrintable(name);
            // Once read in full, the same from the list kept.
            EXPECT_EQ(withA(), wantedWithA) << qPrintable(text) << " " << qPrintable(name);
            EXPECT_EQ(index.contains(name), !wanted.isEmpty()) << qPrintable(name);
        }
    }
}

TEST(ConfigCommands, TheIndexReadsAcrossItsBlocksAsTheScannerDoes) {
    // The index reads the text 64 characters at a time: each piece is put at every place
    // around the end of the first block, after a line of filler or after blanks.
    const QString pieces[] = {
        u"bind \"a b\" x"_s,
        u"name \"open quote; // no comment\nrate 1; cl 2 // c; d"_s,
        u"a//b; c\nd"_s,
        u"x \"a;b\"; y"_s,
        u"\t \t\r\n  z"_s,
        u"\"quoted name\" 1; ;; w"_s,
        u"p/q r; // s \"t\nu"_s,
        u"// \"\n\"x\"y z"_s,
        u"a_name_that_runs_on_past_the_end_of_a_block_of_sixty_four_characters_and_more 1"_s,
        u"v \"\"//"_s,
        u"e; \"f"_s,
        u"g,h {i} j:k 'l'"_s,
        u"жж a\"b;c\" d"_s,
    };
    auto scanned = [](const QString& text) {
        QStringList commands;
        CommandScanner scanner(text);
        CommandSpan c;
        while (scanner.next(c))
            commands.append(u"%1 %2 %3 %4 %5 %6"_s.arg(c.lineStart)
                                .arg(c.lineEnd)
                                .arg(c.start)
                                .arg(c.end)
                                .arg(c.wordCount)
                                .arg(c.word(text, 0).toString()));
        return commands;
    };
    for (const QString& piece : pieces) {
        for (int filler = 40; filler <= 72; ++filler) {
            for (const QString& before : {QString(filler, u'x') + u'\n', QString(filler, u' ')}) {
                const QString text = before + piece;
                const QStringList expected = scanned(text);
                QStringList found;
                const CommandIndex index(text);
                forEachCommandStart(text,
                                    [&](int lineStart, int lineEnd, int start, QStringView name) {
                                        // The index's own reading of the command, from its list of
                                        // that name.
                                        for (const CommandSpan& c : index.named(name))
                                            if (c.start == start)
                                                found.append(u"%1 %2 %3 %4 %5 %6"_s.arg(lineStart)
                                                                 .arg(lineEnd)
                                                                 .arg(start)
                                                                 .arg(c.end)
                                                                 .arg(c.wordCount)
                                                                 .arg(name.toString()));
                                    });
                ASSERT_EQ(found, expected) << qPrintable(text);
            }
        }
    }
}

TEST(WizardLineSearch, FindsASettingOnlyWhereItIsACommand) {
    struct Case {
        QString text;
        SettingRef setting;
        bool found;
        QString value;
    };
    const Case cases[] = {
        {u"rate \"2500\""_s, cvarSetting(u"rate"_s), true, u"2500"_s},
        {u"Rate \"2500\""_s, cvarSetting(u"rate"_s), true, u"2500"_s}, // the game ignores case
        {u"rate\t\t\"25000\""_s, cvarSetting(u"rate"_s), true, u"25000"_s},
        {u"mp_timelimit 20"_s, cvarSetting(u"mp_timelimit"_s), true, u"20"_s},
        {u"rate"_s, cvarSetting(u"rate"_s), true, QString()},
        {u"x\nname \"Player"_s, cvarSetting(u"name"_s), true, u"Player"_s}, // to the line's end
        {u"name \"\"\nrate \"1\""_s, cvarSetting(u"name"_s), true, QString()},
        {u"cl_updaterate \"30\""_s, cvarSetting(u"rate"_s), false, {}},
        {u"rcon mp_buytime \"0.25\""_s, cvarSetting(u"mp_buytime"_s), false, {}},
        {u"bind \"x\" \"name y\""_s, cvarSetting(u"name"_s), false, {}},
        {u"echo rate \"1\""_s, cvarSetting(u"rate"_s), false, {}},
        {u"// rate \"1\""_s, cvarSetting(u"rate"_s), false, {}},
        {u"a \"//\" ; rate \"4\""_s, cvarSetting(u"rate"_s), true, u"4"_s},
        {u"setinfo dm \"1\""_s, cvarSetting(u"dm"_s), false, {}},
        {u"setinfo dm \"1\""_s, userInfoSetting(u"dm"_s), true, u"1"_s},
        {u"setinfo \"_ah\" \"0\""_s, userInfoSetting(u"_ah"_s), true, u"0"_s},
        {u"setinfo \"_ahx\" \"0\""_s, userInfoSetting(u"_ah"_s), false, {}},
        // A setinfo of more than three words sets nothing: the one before it counts.
        {u"setinfo dm 1 x"_s, userInfoSetting(u"dm"_s), false, {}},
        {u"setinfo dm 1\nsetinfo dm 0 x"_s, userInfoSetting(u"dm"_s), true, u"1"_s},
        {u"setinfo _vgui_menus 1,"_s, userInfoSetting(u"_vgui_menus"_s), false, {}},
        // What the game takes as the value, a one-character word too.
        {u"sensitivity (2"_s, cvarSetting(u"sensitivity"_s), true, u"("_s},
        // The game keeps the last value: that is the one read.
        {u"rate \"2500\"\nrate \"25000\""_s, cvarSetting(u"rate"_s), true, u"25000"_s},
        {u"cl_cmdrate \"101\"; rate \"25000\"; x"_s, cvarSetting(u"rate"_s), true, u"25000"_s},
    };
    for (const Case& c : cases) {
        Wizard w(c.text);
        const SettingValue v = FindSettingValue(w.ws, c.setting);
        EXPECT_EQ(v.found, c.found) << c.text.toStdString();
        EXPECT_EQ(v.value, c.value) << c.text.toStdString();
    }
}

TEST(WizardLineSearch, SavyRewritesOnlyTheValueAndKeepsTheRestOfTheLine) {
    struct Case {
        QString text;
        SettingRef setting;
        QString value;
        bool noAdd;
        QString expected;
        bool written;
    };
    const Case cases[] = {
        {u"a\nrate \"2500\" // modem\nb"_s, cvarSetting(u"rate"_s), u"3400"_s, false,
         u"a\nrate \"3400\" // modem\nb"_s, true},
        {u"cl_updaterate \"101\"; cl_cmdrate \"101\"; rate \"25000\""_s, cvarSetting(u"rate"_s),
         u"20000"_s, false, u"cl_updaterate \"101\"; cl_cmdrate \"101\"; rate \"20000\""_s, true},
        {u"cl_updaterate \"101\"; cl_cmdrate \"101\"; rate \"25000\""_s,
         cvarSetting(u"cl_cmdrate"_s), u"60"_s, false,
         u"cl_updaterate \"101\"; cl_cmdrate \"60\"; rate \"25000\""_s, true},
        {u"rate\t\t\"25000\""_s, cvarSetting(u"rate"_s), u"9999"_s, false, u"rate\t\t\"9999\""_s,
         true},
        {u"mp_timelimit 20"_s, cvarSetting(u"mp_timelimit"_s), u"25"_s, false, u"mp_timelimit 25"_s,
         true},
        {u"name Me"_s, cvarSetting(u"name"_s), u"The Pro"_s, false, u"name \"The Pro\""_s, true},
        {u"name \"Player\nrate 1"_s, cvarSetting(u"name"_s), u"Me"_s, false,
         u"name \"Me\"\nrate 1"_s, true},
        {u"rate"_s, cvarSetting(u"rate"_s), u"1"_s, false, u"rate \"1\""_s, true},
        {u"rate \"2500.000000\""_s, cvarSetting(u"rate"_s), u"2500.000000"_s, false,
         u"rate \"2500.000000\""_s, true},
        {u"rcon mp_buytime \"0.25\""_s, cvarSetting(u"mp_buytime"_s), u"1"_s, false,
         u"rcon mp_buytime \"0.25\"\nmp_buytime \"1\""_s, false},
        {u"a\n"_s, cvarSetting(u"mp_roundtime"_s), u"5"_s, false, u"a\nmp_roundtime \"5\"\n"_s,
         false},
        {u"a"_s, cvarSetting(u"mp_roundtime"_s), u"5"_s, true, u"a"_s, false},
        {u""_s, cvarSetting(u"rate"_s), u"1"_s, false, u"rate \"1\""_s, false},
        {u"setinfo dm 1"_s, userInfoSetting(u"dm"_s), u"0"_s, false, u"setinfo dm 0"_s, true},
        {u"x"_s, userInfoSetting(u"dm"_s), u"0"_s, false, u"x\nsetinfo \"dm\" \"0\""_s, false},
        {u"rate \"1\"\nrate \"2\""_s, cvarSetting(u"rate"_s), u"3"_s, false,
         u"rate \"1\"\nrate \"3\""_s, true},
    };
    for (const Case& c : cases) {
        Wizard w(c.text);
        w.ws.lineWritten = !c.written;
        Savy(w.ws, c.setting, c.value, c.noAdd);
        EXPECT_EQ(w.ws.mem1.content(), c.expected) << c.text.toStdString();
        EXPECT_EQ(w.ws.lineWritten, c.written) << c.text.toStdString();
    }
}

namespace {

// Every command of a text as the game runs it, its words joined by "|", the commands by "; ".
QString gameReading(const QString& text) {
    QStringList commands;
    for (const enginemodel::Words& words : enginemodel::commands(cp1251::encode(text))) {
        QStringList decoded;
        for (const QByteArray& w : words)
            decoded.append(cp1251::decode(w));
        commands.append(decoded.join(u'|'));
    }
    return commands.join(u"; "_s);
}

} // namespace

// A value written over a one-character word, or over a word glued to the name or to what
// follows it, stands as a word of its own: the game reads the new value, and the rest as before.
// A setinfo of more than three words is passed over: the game sets nothing from it.
TEST(WizardLineSearch, WhatSavyWritesIsWhatTheGameReads) {
    struct Case {
        QString text;
        SettingRef setting;
        QString value;
        QString expected;
        QString gameBefore; // what the game reads before and after
        QString gameAfter;
        bool written;
    };
    const SettingRef sensitivity = cvarSetting(u"sensitivity"_s);
    const Case cases[] = {
        {u"sensitivity (2"_s, sensitivity, u"3"_s, u"sensitivity 3 2"_s, u"sensitivity|(|2"_s,
         u"sensitivity|3|2"_s, true},
        {u"sensitivity(2)"_s, sensitivity, u"3"_s, u"sensitivity 3 2)"_s, u"sensitivity|(|2|)"_s,
         u"sensitivity|3|2|)"_s, true},
        {u"ghosts)"_s, cvarSetting(u"ghosts"_s), u"Игрок"_s, u"ghosts \"Игрок\""_s, u"ghosts|)"_s,
         u"ghosts|Игрок"_s, true},
        {u"sensitivity (\"2\""_s, sensitivity, u"3"_s, u"sensitivity 3 \"2\""_s,
         u"sensitivity|(|2"_s, u"sensitivity|3|2"_s, true},
        {u"sensitivity (//x\nrate 1"_s, sensitivity, u"3"_s, u"sensitivity 3 //x\nrate 1"_s,
         u"sensitivity|(; rate|1"_s, u"sensitivity|3; rate|1"_s, true},
        {u"sensitivity ,Ж2;x"_s, sensitivity, u"3"_s, u"sensitivity 3 Ж2;x"_s,
         u"sensitivity|,|2; x"_s, u"sensitivity|3|2; x"_s, true},
        {u"\"sensitivity\"(2"_s, sensitivity, u"3"_s, u"\"sensitivity\"3 2"_s, u"sensitivity|(|2"_s,
         u"sensitivity|3|2"_s, true},
        // Nothing glued: no blank is added.
        {u"sensitivity 2(x"_s, sensitivity, u"3"_s, u"sensitivity 3(x"_s, u"sensitivity|2|(|x"_s,
         u"sensitivity|3|(|x"_s, true},
        {u"rate \"1\"x"_s, cvarSetting(u"rate"_s), u"2"_s, u"rate \"2\"x"_s, u"rate|1|x"_s,
         u"rate|2|x"_s, true},
        {u"setinfo dm(;"_s, userInfoSetting(u"dm"_s), u"0"_s, u"setinfo dm 0;"_s, u"setinfo|dm|("_s,
         u"setinfo|dm|0"_s, true},
        // A one-character word ends on its own: the value after it stays glued to it.
        {u"setinfo (1"_s, userInfoSetting(u"("_s), u"0"_s, u"setinfo (0"_s, u"setinfo|(|1"_s,
         u"setinfo|(|0"_s, true},
        // setinfo lines of more than three words set nothing, and are not counted as written.
        {u"setinfo dm 1\nsetinfo dm 0 x"_s, userInfoSetting(u"dm"_s), u"0"_s,
         u"setinfo dm 0\nsetinfo dm 0 x"_s, u"setinfo|dm|1; setinfo|dm|0|x"_s,
         u"setinfo|dm|0; setinfo|dm|0|x"_s, true},
        {u"setinfo dm 1 x"_s, userInfoSetting(u"dm"_s), u"0"_s,
         u"setinfo dm 1 x\nsetinfo \"dm\" \"0\""_s, u"setinfo|dm|1|x"_s,
         u"setinfo|dm|1|x; setinfo|dm|0"_s, false},
        {u"setinfo _vgui_menus 1,"_s, userInfoSetting(u"_vgui_menus"_s), u"0"_s,
         u"setinfo _vgui_menus 1,\nsetinfo \"_vgui_menus\" \"0\""_s, u"setinfo|_vgui_menus|1|,"_s,
         u"setinfo|_vgui_menus|1|,; setinfo|_vgui_menus|0"_s, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        EXPECT_EQ(gameReading(c.text), c.gameBefore);
        Wizard w(c.text);
        w.ws.lineWritten = !c.written;
        Savy(w.ws, c.setting, c.value, false);
        EXPECT_EQ(w.ws.mem1.content(), c.expected);
        EXPECT_EQ(w.ws.lineWritten, c.written);
        EXPECT_EQ(gameReading(w.ws.mem1.content()), c.gameAfter);
        Wizard again(w.ws.mem1.content());
        EXPECT_EQ(FindSettingValue(again.ws, c.setting).value, c.value);
    }
}

// Whatever stands around a setting's value (one-character words, quotes, comments, Russian
// letters, glued or apart) and however many words its setinfo has, the value written is the one
// the game keeps afterwards, and every other command reads as before.
TEST(WizardLineSearch, AValueWrittenAnywhereIsTheValueTheGameKeeps) {
    const QString glue[] = {u""_s, u" "_s, u"\t"_s};
    const QString olds[] = {u"("_s, u")"_s,   u","_s,     u":"_s,    u"'"_s,     u"{"_s,
                            u"2"_s, u"2.5"_s, u"\"2\""_s, u"\"\""_s, u"x\"y\""_s};
    const QString tails[] = {u""_s,   u"2"_s,  u"("_s,     u"\"q\""_s, u"//c"_s, u"Ж"_s,
                             u"Жz"_s, u" 7"_s, u";echo"_s, u"'"_s,     u"/"_s,   u"x y"_s};
    const QString values[] = {u"3"_s,    u"0.5"_s, u"Игрок"_s, u"a b"_s, u"(1)"_s,
                              u"a//b"_s, u""_s,    u"x;y"_s,   u"{"_s};
    QRandomGenerator random(53);
    const auto pick = [&](const auto& list) { return list[random.bounded(int(std::size(list)))]; };
    // What the game keeps for a setting: the value word of its last command that sets it.
    const auto kept = [](const QString& text, const SettingRef& s) -> std::optional<QString> {
        std::optional<QString> value;
        for (const enginemodel::Words& words : enginemodel::commands(cp1251::encode(text))) {
            const QString name = cp1251::decode(words.value(0));
            if (s.setinfo ? sameName(name, u"setinfo") && words.size() == 3 &&
                                sameName(cp1251::decode(words[1]), s.name)
                          : sameName(name, s.name) && words.size() >= 2)
                value = cp1251::decode(words[s.setinfo ? 2 : 1]);
        }
        return value;
    };
    for (int round = 0; round < 3000; ++round) {
        const bool setinfo = random.bounded(2) == 0;
        const SettingRef setting = setinfo ? userInfoSetting(u"dm"_s) : cvarSetting(u"rate"_s);
        QString line = setinfo ? u"setinfo dm"_s : u"rate"_s;
        line += pick(glue) + pick(olds);
        // Setinfo lines of every word count: none to four words more.
        for (int extra = setinfo ? random.bounded(5) : 1; extra > 0; --extra)
            line += pick(tails);
        QString text = line;
        if (random.bounded(3) == 0)
            text.prepend(setinfo ? u"setinfo dm 9\n"_s : u"rate 9\n"_s);
        if (random.bounded(2) == 0)
            text += u"\nfps_max (1"_s;
        const QString value = pick(values);
        Wizard w(text);
        const SettingValue read = FindSettingValue(w.ws, setting);
        const std::optional<QString> keptBefore = kept(text, setting);
        // The wizard reads what the game keeps (a setting without a value word aside).
        if (keptBefore) {
            ASSERT_EQ(read.value, *keptBefore) << qPrintable(text);
        }
        Savy(w.ws, setting, value, false);
        const QString after = w.ws.mem1.content();
        ASSERT_EQ(kept(after, setting), std::optional<QString>(value))
            << qPrintable(text) << " -> " << qPrintable(after);
        // One command changed, and only in its value word, or one appended; the rest reads as
        // before.
        QList<enginemodel::Words> game = enginemodel::commands(cp1251::encode(text));
        const QList<enginemodel::Words> gameAfter = enginemodel::commands(cp1251::encode(after));
        const int valueWord = setinfo ? 2 : 1;
        if (gameAfter.size() == game.size() + 1) {
            enginemodel::Words added =
                setinfo ? enginemodel::Words{"setinfo", "dm"} : enginemodel::Words{"rate"};
            added.append(cp1251::encode(value));
            game.append(added);
        } else {
            ASSERT_EQ(gameAfter.size(), game.size())
                << qPrintable(text) << " -> " << qPrintable(after);
            for (qsizetype i = 0; i < game.size(); ++i)
                if (game[i] != gameAfter[i] && game[i].size() > valueWord)
                    game[i][valueWord] = cp1251::encode(value);
        }
        ASSERT_EQ(gameAfter, game) << qPrintable(text) << " -> " << qPrintable(after);
    }
}

TEST(WizardLineSearch, RemovingACommandKeepsItsNeighboursAndOnlyItsLineGoes) {
    struct Case {
        QString text;
        QString key;
        QString expected;
    };
    const Case cases[] = {
        {u"a\nbind \"f\" \"+use\"\nb"_s, u"f"_s, u"a\nb"_s},
        {u"bind f +use; rate 1"_s, u"f"_s, u"rate 1"_s},
        {u"rate 1; bind f +use"_s, u"f"_s, u"rate 1"_s},
        {u"rate 1; bind f +use; x 2"_s, u"f"_s, u"rate 1; x 2"_s},
        // A comment belongs to the command it ends.
        {u"rate 1; bind f +use // use"_s, u"f"_s, u"rate 1"_s},
        {u"  bind f +use // use\nx"_s, u"f"_s, u"x"_s},
        // A ";" ends a comment, and the console runs what follows it.
        {u"bind f +use // use; rate 1\nx"_s, u"f"_s, u"rate 1\nx"_s},
        // Two bindings joined by one ";" both go, with the line.
        {u"bind \"F\" x; bind \"f\" y\nz"_s, u"f"_s, u"z"_s},
        {u"rate 1; bind f x;bind f y"_s, u"f"_s, u"rate 1"_s},
        // A ";" inside a quote that a bare word opened does not end the command.
        {u"bind f a\"b; bind g c\"\nz"_s, u"f"_s, u"z"_s},
        {u"bind f +use // \"a;\"; bind f y\nx"_s, u"f"_s, u"x"_s},
        // A last line without a line break of its own goes alone.
        {u"unbindall\n\nbind \"f\" \"+use\""_s, u"f"_s, u"unbindall\n\n"_s},
        {u"bind \"f\" \"+use\""_s, u"f"_s, QString()},
        // Every binding of the key goes, in any spelling; other keys stay.
        {u"bind \"f\" \"+use\"\nbind \"F\" \"x\"\nbind \"F1\" \"y\"\nbind f z"_s, u"f"_s,
         u"bind \"F1\" \"y\"\n"_s},
        {u"bind \"Mouse1\" \"+attack\"\n// bind \"mouse1\" \"x\""_s, u"MOUSE1"_s,
         u"// bind \"mouse1\" \"x\""_s},
    };
    for (const Case& c : cases) {
        WizardDocument d;
        d.setText(c.text);
        removeBindings(d, c.key);
        EXPECT_EQ(d.content(), c.expected) << c.text.toStdString();
    }
}

TEST(WizardLineSearch, FindKeyForTakesOnlyThatExactCommand) {
    Wizard w(
        u"bind \"\" \"+attack\"\nbind \"w\" \"+forward;+jump\"\n// bind \"q\" \"+jump\"\n"
        u"bind \"MOUSE1\" \"+attack\"\nbind \"UPARROW\" \"+forward\"\nbind \"w\" \"+forward\"\n"
        u"bind k impulse 100"_s);
    EXPECT_EQ(FindKeyFor(w.ws, u"+attack"_s), u"MOUSE1"_s);   // the empty key passed over
    EXPECT_EQ(FindKeyFor(w.ws, u"+forward"_s), u"UPARROW"_s); // the first binding wins
    EXPECT_EQ(FindKeyFor(w.ws, u"+jump"_s), QString());       // a comment binds nothing
    EXPECT_EQ(findKeysFor(w.ws, {u"+jump"_s, u"+attack"_s, u"+attack"_s}),
              (QStringList{QString(), u"MOUSE1"_s, u"MOUSE1"_s}));
    // The console joins the words after the key: `bind k impulse 100` binds "impulse 100".
    EXPECT_EQ(FindKeyFor(w.ws, u"impulse"_s), QString());
    EXPECT_EQ(FindKeyFor(w.ws, u"impulse 100"_s), u"k"_s);
}

TEST(WizardLineSearch, CollectBoundKeysMovesEachKeyOnce) {
    Wizard w(u"bind \"A\" \"+moveleft\"\nbind \"a\" \"x\"\nbind mouse1 \"+attack\"\n"
             u"bind \"NOSUCH\" \"x\"\nbind \"F1\" \"y\"\n// bind \"F2\" \"z\"\necho bind F3 x"_s);
    w.ws.freeKeys = keyNames();
    CollectBoundKeys(w.ws);
    EXPECT_EQ(w.ws.usedKeys, (QStringList{u"A"_s, u"mouse1"_s, u"F1"_s}));
    EXPECT_FALSE(w.ws.freeKeys.contains(u"a"_s));
    EXPECT_FALSE(w.ws.freeKeys.contains(u"MOUSE1"_s));
    EXPECT_TRUE(w.ws.freeKeys.contains(u"F10"_s));
    EXPECT_TRUE(w.ws.freeKeys.contains(u"F2"_s));
    EXPECT_EQ(w.ws.freeKeys.size(), kKeyCount - 3);
}

TEST(WizardLineSearch, AliasesByNameAndByPrefix) {
    WizardDocument d;
    d.setText(u"alias \"Kaz-f-1\" \"a\"\nx\nalias Kaz-F-2 \"b\"; y\nalias \"Kaz-f1-1\" \"c\"\n"
              u"alias \"Kaz-f\" \"d\""_s);
    EXPECT_EQ(aliasBody(d, u"kaz-f"_s), u"d"_s);
    EXPECT_EQ(removeAliasesStartingWith(d, u"Kaz-f-"_s), 2);
    EXPECT_EQ(d.content(), u"x\ny\nalias \"Kaz-f1-1\" \"c\"\nalias \"Kaz-f\" \"d\""_s);
    EXPECT_EQ(removeAliases(d, u"Kaz-f"_s), 1);
    EXPECT_EQ(d.content(), u"x\ny\nalias \"Kaz-f1-1\" \"c\"\n"_s);
}

TEST(WizardDocument, LineEditsKeepTheFinalLineBreakAsItWas) {
    WizardDocument d;
    d.appendLine(u"a"_s);
    EXPECT_EQ(d.content(), u"a"_s);
    d.appendLine(u"b"_s);
    EXPECT_EQ(d.content(), u"a\nb"_s);
    d.setText(u"a\n"_s);
    d.appendLine(u"b"_s);
    EXPECT_EQ(d.content(), u"a\nb\n"_s);
    EXPECT_EQ(d.lineCount(), 2);
    d.insertAtStart(u"unbindall"_s);
    EXPECT_EQ(d.content(), u"unbindall\na\nb\n"_s);
    EXPECT_EQ(d.line(1), u"a"_s);
    // The index follows every edit.
    EXPECT_TRUE(hasCommand(d, u"unbindall"_s));
    d.replaceRange(0, 9, u"x"_s);
    EXPECT_FALSE(hasCommand(d, u"unbindall"_s));
    EXPECT_TRUE(hasCommand(d, u"X"_s));
}

TEST(WizardLineSearch, FindDialog1Find2WalksOnFromTheSelection) {
    Wizard w(u"ab ab ab"_s);
    w.shared.find.findText = u"ab"_s;
    EXPECT_EQ(FindDialog1Find2(w.ws, w.ws.mem1), 0);
    EXPECT_EQ(FindDialog1Find2(w.ws, w.ws.mem1), 3);
    EXPECT_EQ(FindDialog1Find2(w.ws, w.ws.mem1), 6);
    EXPECT_EQ(FindDialog1Find2(w.ws, w.ws.mem1), -1);
    EXPECT_EQ(w.ws.mem1.selectionStart(), 6); // kept on no match
    EXPECT_EQ(w.shared.find.lastFoundPos, -1);
}
