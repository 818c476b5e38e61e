// The line reader, the highlighter's tokens, the known words and the colours.
#include "language/document_aliases.h"
#include "language/syntax_colours.h"
#include "language/syntax_tokens.h"
#include "platform/text_file.h"

#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

TEST(ConfigSyntax, LinesSplitIntoCommandsAndWords) {
    struct Case {
        QString line;
        QStringList commands; // words joined by "|", one entry per command
        QList<ConfigComment> comments;
        bool unclosed;
    };
    const Case cases[] = {
        {u"bind \"F1\" \"buy; menuselect 4\" // rifle"_s,
         {u"bind|F1|buy; menuselect 4"_s},
         {{30, 8}},
         false},
        {u"echo a;echo b ; ;"_s, {u"echo|a"_s, u"echo|b"_s}, {}, false},
        {u"say \"http://x\""_s, {u"say|http://x"_s}, {}, false},
        {u"bind \";\" \"+mlook\""_s, {u"bind|;|+mlook"_s}, {}, false},
        {u"name \"Strelok"_s, {u"name|Strelok"_s}, {}, true},
        {u"   // only a comment"_s, {}, {{3, 17}}, false},
        // A quote inside a bare word stays in it.
        {u"a\"b\""_s, {u"a\"b\""_s}, {}, false},
        // A comment ends at a ";" outside its own quotes: the console splits there first.
        {u"// buy; bind x \"say a;b\" // \"c;\"; d"_s,
         {u"bind|x|say a;b"_s, u"d"_s},
         {{0, 6}, {25, 7}},
         false},
        {u"// say \"x"_s, {}, {{0, 9}}, false},
        // Control characters are blanks to the console, as spaces are; in quotes they stay.
        {u"\x11\x02\x03"
         u"0,6 \x03\x02"
         u"bind\x01"
         u"F1\x1f\"say \x03"
         u"4hi\""_s,
         {u"0|,|6|bind|F1|say \x03"
          u"4hi"_s},
         {},
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line.toStdString());
        const ConfigLine parsed = parseConfigLine(c.line);
        QStringList commands;
        for (const ConfigCommand& cmd : parsed.commands) {
            QStringList words;
            for (const ConfigWord& w : cmd.words)
                words.append(w.text.toString());
            commands.append(words.join(u'|'));
        }
        EXPECT_EQ(commands, c.commands);
        EXPECT_EQ(parsed.comments, c.comments);
        EXPECT_EQ(parsed.unclosedQuote, c.unclosed);
    }
}

TEST(ConfigSyntax, BodyPositionsPointIntoTheLine) {
    const QString line = u"alias go \"wait; +jump\""_s;
    const ConfigLine parsed = parseConfigLine(line);
    const QList<ConfigCommand> inner = commandsInside(parsed.commands.first().argument(1));
    ASSERT_EQ(inner.size(), 2);
    const ConfigWord& jump = inner[1].words.first();
    EXPECT_EQ(line.mid(jump.start, jump.length), u"+jump"_s);
}

TEST(ConfigSyntax, Tokens) {
    Vocabulary v;
    v.addCommands({u"+attack"_s, u"echo"_s});
    v.addVariables({u"fps_max"_s, u"name"_s});
    const QSet<QString> aliases = {u"go"_s};
    using K = TokenKind;
    struct Case {
        QString line;
        QList<SyntaxToken> tokens;
    };
    const Case cases[] = {
        {u"fps_max \"72\" // cap"_s, {{0, 7, K::Variable}, {8, 4, K::Number}, {13, 6, K::Comment}}},
        {u"// off; echo 1"_s, {{0, 6, K::Comment}, {8, 4, K::Command}, {13, 1, K::Number}}},
        {u"BIND a \"+attack\""_s, {{0, 4, K::Keyword}, {7, 9, K::String}}},
        {u"go; nope 1"_s, {{0, 2, K::Alias}, {4, 4, K::Unknown}, {9, 1, K::Number}}},
        {u"echo hello"_s, {{0, 4, K::Command}}}, // plain words keep the text colour
        {u"name \"Str"_s, {{0, 4, K::Variable}, {5, 4, K::String}}},
        // A comment ends its command; a ";" in quotes does not, and one after a comment does.
        {u"bind x \"a;b\" // c; echo 2"_s,
         {{0, 4, K::Keyword},
          {7, 5, K::String},
          {13, 4, K::Comment},
          {19, 4, K::Command},
          {24, 1, K::Number}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line.toStdString());
        EXPECT_EQ(tokenizeLine(c.line, v, aliases), c.tokens);
    }
    // The words looked up among the aliases, in lower case: unknown first words and aliases,
    // not known names, strings or later words (a bind's quoted command is a string).
    const struct {
        QString line;
        quint64 aliasWords;
    } lookups[] = {
        {u"GO; nope 1"_s, aliasWordBit(u"go") | aliasWordBit(u"nope")},
        {u"echo go; bind a \"go\""_s, 0},
    };
    for (const auto& l : lookups) {
        SCOPED_TRACE(l.line.toStdString());
        quint64 aliasWords = ~quint64(0);
        tokenizeLine(l.line, v, aliases, &aliasWords);
        EXPECT_EQ(aliasWords, l.aliasWords);
    }
}

TEST(ConfigSyntax, BlanksJoinTheRunsWhoseLookIsAColourAlone) {
    using K = TokenKind;
    const quint32 colourOnly = 1u << int(K::String) | 1u << int(K::Number) | 1u << int(K::Command);
    struct Case {
        QString line;
        QList<SyntaxToken> tokens;
        QList<SyntaxToken> runs;
    };
    const Case cases[] = {
        // The blank before a string joins it, and the two strings become one run.
        {u"bind \"F7\" \"say\""_s,
         {{0, 4, K::Keyword}, {5, 4, K::String}, {10, 5, K::String}},
         {{0, 4, K::Keyword}, {4, 11, K::String}}},
        // Before a kind that is more than a colour (a comment, in this mask) the blank joins
        // the command before it; tabs are blanks.
        {u"echo\t // x"_s,
         {{0, 4, K::Command}, {6, 4, K::Comment}},
         {{0, 6, K::Command}, {6, 4, K::Comment}}},
        // A plain word between keeps the text colour, and so do the blanks around it.
        {u"alias buy5 \"x\""_s,
         {{0, 5, K::Keyword}, {11, 3, K::String}},
         {{0, 5, K::Keyword}, {11, 3, K::String}}},
        // Blanks that open the line join a first run of a colour alone; trailing ones stay.
        {u"  echo 1  "_s,
         {{2, 4, K::Command}, {7, 1, K::Number}},
         {{0, 6, K::Command}, {6, 2, K::Number}}},
        // Between two runs that are more than a colour the blank stays plain.
        {u"bind nope"_s,
         {{0, 4, K::Keyword}, {5, 4, K::Unknown}},
         {{0, 4, K::Keyword}, {5, 4, K::Unknown}}},
        // Two kinds of one look stay two runs.
        {u"echo 5"_s,
         {{0, 4, K::Command}, {5, 1, K::Number}},
         {{0, 4, K::Command}, {4, 2, K::Number}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line.toStdString());
        EXPECT_EQ(joinedForLayout(c.line, c.tokens, colourOnly), c.runs);
    }
}

TEST(ConfigSyntax, AliasesAndWords) {
    EXPECT_EQ(definedAliases(u"alias A \"x\"\nbind k \"alias b c\"\n// alias c d\necho alias"_s),
              (QSet<QString>{u"a"_s, u"b"_s}));
    // Inside bodies, nested, in any case; a body that only mentions the word defines nothing.
    EXPECT_EQ(definedAliases(u"BIND k \"ALIAS Up wait\"\n"
                             u"alias outer \"alias inner 'x'; echo\"\n"
                             u"alias e \"echo alias_text\"\nbind j \"say Alias\""_s),
              (QSet<QString>{u"up"_s, u"outer"_s, u"inner"_s, u"e"_s}));
    int start = -1;
    EXPECT_EQ(wordAt(u"bind f1 \"+attack\""_s, 12, &start), u"+attack"_s);
    EXPECT_EQ(start, 9);
    EXPECT_EQ(wordAt(u"a  b"_s, 2), QString());
    Vocabulary v;
    v.addVariables({u"Fps_Max"_s});
    v.addCommands({u"fps_max"_s, u"echo"_s});
    EXPECT_EQ(v.kindOf(u"FPS_MAX"), WordKind::Command) << "a name on both lists runs as a command";
    EXPECT_EQ(v.entryFor(u"FPS_MAX"_s), u"Fps_Max"_s);
    EXPECT_EQ(v.kindOf(u"Exec"), WordKind::Keyword);
    EXPECT_TRUE(v.names().contains(u"bind"_s));
}

TEST(ConfigSyntax, GoldSrcListGivesKindsVersionsAndCommandsThatShadowAliases) {
    QTemporaryDir dir;
    const QString path = dir.path() + u"/goldsrc.voc"_s;
    ASSERT_TRUE(textfile::writeBytes(path, "// comment\r\n"
                                           "status\tcmd\tengine\t15\tr:e.cpp\r\n"
                                           "cl_crosshair_size\tcvar\tclient\t16\tr:a.cpp\r\n"
                                           "ak47\tcmd\tgamecmd\t16\tr:w.cpp\r\n"
                                           "sv_region\tcvar\tengine\t16\tr:s.cpp\r\n"
                                           "fps_override\tcvar\tengine\tlater\tr:h.cpp\r\n"
                                           "MOUSE5\tkey\tengine\t15\tr:k.cpp\r\n"
                                           "broken line\r\n")
                    .ok);
    Vocabulary v;
    v.addVariables({u"sv_region"_s});
    ASSERT_TRUE(v.readGoldSrc(path));
    EXPECT_TRUE(v.isBuiltInCommand(u"STATUS"));
    EXPECT_FALSE(v.isBuiltInCommand(u"ak47")) << "the game server handles it";
    EXPECT_TRUE(v.find(u"ak47")->serverCommand);
    EXPECT_EQ(v.kindOf(u"cl_crosshair_size"), WordKind::Variable);
    EXPECT_EQ(v.find(u"cl_crosshair_size")->version, GameVersion::Cs16);
    EXPECT_EQ(v.find(u"fps_override")->version, GameVersion::Later);
    EXPECT_EQ(v.find(u"sv_region")->version, GameVersion::Cs16) << "the list's version stands";
    EXPECT_FALSE(v.isSaved(u"cl_crosshair_size")) << "a line of five fields says nothing of it";
    EXPECT_EQ(v.find(u"MOUSE5"), nullptr) << "key names are not commands";
    EXPECT_TRUE(v.isKey(u"mouse5"));
    EXPECT_TRUE(v.isKey(u"KP_END")) << "the program's own key list";
    EXPECT_FALSE(v.isKey(u"MOUSE9"));
    EXPECT_FALSE(v.readGoldSrc(dir.path() + u"/none.voc"_s));
}

// The lines of seven fields: what a name is (a version of the game or one rebuild's own), the
// rule that decided it, and whether the game keeps the setting in config.cfg.
TEST(ConfigSyntax, GoldSrcListGivesOriginsAndSavedSettings) {
    QTemporaryDir dir;
    const QString path = dir.path() + u"/goldsrc.voc"_s;
    ASSERT_TRUE(textfile::writeBytes(
                    path, "sensitivity\tcvar\tclient\t15\tr:i.cpp\tsdk-seed\tsaved\r\n"
                          "_windowed_mouse\tcvar\tconfig\t15\tr:config.cfg\tera-config\tsaved\r\n"
                          "developer\tcvar\tengine\t15\tr:h.cpp\tengine\t-\r\n"
                          "m_rawinput\tcvar\tengine\tlater\tr:c.cpp\tsteam-update\tsaved\r\n"
                          "http_download\tcmd\tengine\txash\tr:h.c\txash-own\t-\r\n"
                          "xhair_gap\tcvar\tclient\tcs16client\tr:x.cpp\tcs16client-own\t-\r\n"
                          "mp_freeforall\tcvar\tgame\tregamedll\tr:g.cpp\tregamedll-own\t-\r\n"
                          "sv_tags\tcvar\tengine\trehlds\tr:s.cpp\trehlds-own\t-\r\n"
                          "newer\tcvar\tengine\t17\tr:n.cpp\tsomething\t-\r\n")
                    .ok);
    Vocabulary v;
    ASSERT_TRUE(v.readGoldSrc(path));
    EXPECT_TRUE(v.isSaved(u"Sensitivity"));
    EXPECT_TRUE(v.isSaved(u"_windowed_mouse")) << "the pre-Steam game's own setting";
    EXPECT_EQ(v.find(u"_windowed_mouse")->version, GameVersion::Cs15);
    EXPECT_FALSE(v.isSaved(u"developer"));
    EXPECT_EQ(v.find(u"m_rawinput")->version, GameVersion::Later);
    const struct {
        const char16_t* name;
        Rebuild rebuild;
    } rebuilds[] = {{u"http_download", Rebuild::Xash},
                    {u"xhair_gap", Rebuild::CsClient},
                    {u"mp_freeforall", Rebuild::ReGameDll},
                    {u"sv_tags", Rebuild::ReHlds}};
    for (const auto& r : rebuilds) {
        SCOPED_TRACE(QString::fromUtf16(r.name).toStdString());
        ASSERT_NE(v.find(r.name), nullptr);
        EXPECT_EQ(v.find(r.name)->version, GameVersion::Rebuild);
        EXPECT_EQ(v.find(r.name)->rebuild, r.rebuild);
    }
    EXPECT_EQ(v.find(u"sensitivity")->rebuild, Rebuild::None);
    EXPECT_EQ(v.find(u"newer")->version, GameVersion::Later) << "a version this reader lacks";
}

// The list is cut into lines and fields where its bytes lie: every kind of line end, a comment,
// a short line, and the NUL that ends a line list.
TEST(ConfigSyntax, GoldSrcListIsCutAtEveryLineEndAndEndsAtNul) {
    QTemporaryDir dir;
    const QString path = dir.path() + u"/goldsrc.voc"_s;
    static const char list[] = "a_cr\tcvar\tengine\t15\tr:a\tx\tsaved\r"
                               "b_lf\tcmd\tengine\t16\n"
                               "// c_comment\tcvar\tengine\t15\r\n"
                               "d_short\tcvar\tengine\n\r"
                               "e_tabs\tcvar\tgame\t15\t\t\tsaved\textra\r\n"
                               "f_last\tcvar\tengine\t15\0"
                               "g_after_nul\tcvar\tengine\t15\n";
    const QByteArray bytes(list, sizeof(list) - 1);
    ASSERT_TRUE(textfile::writeBytes(path, bytes).ok);
    Vocabulary v;
    ASSERT_TRUE(v.readGoldSrc(path));
    ASSERT_NE(v.find(u"a_cr"), nullptr);
    EXPECT_TRUE(v.isSaved(u"a_cr")) << "a lone CR ends the line after its seventh field";
    ASSERT_NE(v.find(u"b_lf"), nullptr);
    EXPECT_EQ(v.find(u"b_lf")->version, GameVersion::Cs16);
    EXPECT_TRUE(v.isBuiltInCommand(u"b_lf"));
    EXPECT_EQ(v.find(u"c_comment"), nullptr);
    EXPECT_EQ(v.find(u"// c_comment"), nullptr);
    EXPECT_EQ(v.find(u"d_short"), nullptr) << "three fields are too few";
    ASSERT_NE(v.find(u"e_tabs"), nullptr);
    EXPECT_TRUE(v.isSaved(u"e_tabs")) << "empty fields count as fields";
    ASSERT_NE(v.find(u"f_last"), nullptr) << "a last line without a line end counts";
    EXPECT_EQ(v.find(u"g_after_nul"), nullptr) << "the NUL ends the list";
}

TEST(ConfigSyntax, DocumentAliasesCountDefinitionsLineByLine) {
    DocumentAliases aliases;
    const QStringList lineA =
        aliasesOfLine(u"alias Go \"+jump\"; bind x \"alias stop wait\"; alias go wait"_s);
    EXPECT_EQ(lineA, (QStringList{u"go"_s, u"stop"_s})) << "each once, in the order of the line";
    EXPECT_TRUE(aliasesOfLine(u"echo go"_s).isEmpty());
    EXPECT_TRUE(aliases.replace({}, lineA));
    EXPECT_TRUE(aliases.takeChanged());
    EXPECT_FALSE(aliases.replace({}, {u"go"_s})) << "a second line defining go changes no name";
    EXPECT_FALSE(aliases.takeChanged());
    EXPECT_TRUE(aliases.replace(lineA, {})) << "stop goes; go is still defined by the other line";
    EXPECT_EQ(aliases.names(), QSet<QString>{u"go"_s});
    aliases.takeChanged();
    EXPECT_TRUE(aliases.replace({u"go"_s}, {u"gone"_s}));
    EXPECT_EQ(aliases.names(), QSet<QString>{u"gone"_s});
    EXPECT_EQ(aliases.changedNames(), (QStringList{u"go"_s, u"gone"_s})) << "what came and went";
    aliases.takeChanged();
    EXPECT_TRUE(aliases.changedNames().isEmpty());
    QStringList many;
    for (int i = 0; i < 100; ++i)
        many.append(u"a"_s + QString::number(i));
    aliases.replace({}, many);
    EXPECT_TRUE(aliases.manyChanged()) << "a large paste is not listed name by name";
    EXPECT_TRUE(aliases.changedNames().isEmpty());
    EXPECT_TRUE(aliases.takeChanged());
    EXPECT_FALSE(aliases.manyChanged());
    aliases.replace(many, {});
    EXPECT_FALSE(aliases.replace({u"never"_s}, {})) << "taking off what was never counted";

    // An alias pack joined with ";" on one line: each name once, and an edit of the line counts
    // the names that come and go.
    QString pack;
    for (int i = 0; i < 40; ++i)
        pack += u"alias a%1 wait;ALIAS A%1 x;"_s.arg(i % 30);
    const QStringList packNames = aliasesOfLine(pack);
    ASSERT_EQ(packNames.size(), 30);
    EXPECT_EQ(packNames.first(), u"a0"_s);
    EXPECT_EQ(packNames.last(), u"a29"_s);
    EXPECT_TRUE(aliases.replace({}, packNames));
    QStringList edited = packNames.mid(1);
    edited.append(u"b"_s);
    EXPECT_TRUE(aliases.replace(packNames, edited));
    EXPECT_FALSE(aliases.names().contains(u"a0"_s));
    EXPECT_TRUE(aliases.names().contains(u"a29"_s) && aliases.names().contains(u"b"_s));
    EXPECT_TRUE(aliases.replace(edited, {}));
    EXPECT_EQ(aliases.names(), QSet<QString>{u"gone"_s});
}

TEST(SyntaxColours, ReadableOnAnyBackground) {
    // White, black, the editor's default blue, mid grey, a dark red, a pale yellow.
    const QColor backgrounds[] = {Qt::white,           Qt::black,
                                  QColor(0, 168, 232), QColor(128, 128, 128),
                                  QColor(90, 0, 0),    QColor(255, 250, 200)};
    const QColor texts[] = {Qt::black, Qt::white, QColor(128, 128, 128)};
    for (const QColor& bg : backgrounds) {
        for (const QColor& text : texts) {
            SCOPED_TRACE((bg.name() + u" on text "_s + text.name()).toStdString());
            const SyntaxColours s = syntaxColours(bg, text);
            for (int k = 0; k < kTokenKindCount; ++k) {
                const double minimum =
                    k == int(TokenKind::Comment) ? kMinCommentContrast : kMinSyntaxContrast;
                EXPECT_GE(contrastRatio(s.colour[size_t(k)], bg), minimum - 0.01) << k;
            }
            EXPECT_NE(s.of(TokenKind::Keyword), s.of(TokenKind::Unknown));
        }
    }
    EXPECT_NEAR(contrastRatio(Qt::black, Qt::white), 21.0, 0.01);
}

} // namespace
