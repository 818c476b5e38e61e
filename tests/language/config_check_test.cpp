// The config checks: each on a config that trips it and on one that must pass, and the whole
// check on the shipped demo configs (no false alarms).
#include "language/config_check.h"

#include "platform/text_file.h"
#include "print_qstring.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

// A finding in a failure message: its line, kind and message.
void PrintTo(const ConfigFinding& f, std::ostream* os) {
    *os << f.line + 1 << (f.kind == ConfigFinding::Kind::Hint ? "H " : "W ")
        << f.message.toStdString();
}

namespace {

CheckedFile named(const QString& name) {
    CheckedFile file;
    file.name = name;
    return file;
}

Vocabulary smallVocabulary() {
    Vocabulary v;
    v.addCommands({u"+attack"_s, u"-attack"_s, u"+jump"_s, u"-jump"_s, u"wait"_s, u"echo"_s,
                   u"unbind"_s, u"unbindall"_s, u"slot1"_s, u"buy"_s, u"menuselect"_s});
    v.addVariables({u"fps_max"_s, u"name"_s, u"sensitivity"_s});
    v.addGoldSrc(u"status"_s, WordKind::Command, GameVersion::Cs15, true);
    v.addGoldSrc(u"ak47"_s, WordKind::Command, GameVersion::Cs16, false);
    return v;
}

struct CheckCase {
    const char* what;
    QString config;
    QList<int> lines; // 1-based lines of the expected findings; empty for none
    QString mentions; // a text the first finding's message must contain
};

using Check = std::function<QList<ConfigFinding>(const ParsedConfig&)>;

void runCases(const Check& check, const std::vector<CheckCase>& cases) {
    for (const CheckCase& c : cases) {
        SCOPED_TRACE(c.what);
        const QList<ConfigFinding> found = check(parseConfig(c.config));
        QList<int> lines;
        for (const ConfigFinding& f : found)
            lines.append(f.line + 1);
        EXPECT_EQ(lines, c.lines);
        if (!found.isEmpty() && !c.mentions.isEmpty()) {
            EXPECT_TRUE(found.first().message.contains(c.mentions))
                << found.first().message.toStdString();
        }
    }
}

TEST(ConfigCheck, UnknownCommands) {
    const Vocabulary v = smallVocabulary();
    runCases([&](const ParsedConfig& p) { return checkUnknownCommands(p, v); },
             {
                 {"a typo", u"fps_max 100\nfps_mxa 100"_s, {2}, u"fps_mxa"_s},
                 {"any letter case is known", u"FPS_MAX 100\nEcho hi"_s, {}, {}},
                 {"a command after ;", u"echo a; jumpp"_s, {1}, u"jumpp"_s},
                 {"an alias of the document", u"alias go \"+jump\"\ngo"_s, {}, {}},
                 {"an alias defined inside a bind", u"bind x \"alias go wait\"\ngo"_s, {}, {}},
                 {"comments and blank lines", u"// nothing\n\n   \n;;"_s, {}, {}},
             });
}

TEST(ConfigCheck, UnclosedQuotes) {
    runCases(checkUnclosedQuotes,
             {
                 {"open quote", u"name \"Strelok\nfps_max \"100\""_s, {1}, {}},
                 {"closed quotes and a quote in a comment", u"name \"a b\"\n// say \"hi"_s, {}, {}},
                 {"a quote inside a comment after a command", u"echo hi // \"x"_s, {}, {}},
             });
}

TEST(ConfigCheck, CommandsAfterComments) {
    runCases(
        checkCommandsAfterComments,
        {
            {"a line commented out in part",
             u"echo\n// bind x \"a\"; bind y \"b\""_s,
             {2},
             u"«bind»"_s},
            {"a trailing comment", u"echo hi // rates; fps_max 100"_s, {1}, u"fps_max"_s},
            {"in the body of an alias", u"alias go \"wait // x; +jump\""_s, {1}, u"+jump"_s},
            {"a \";\" inside the comment's quotes", u"// say \"a; b\"\necho a; echo b"_s, {}, {}},
            {"a comment at the end", u"echo a; echo b // c"_s, {}, {}},
        });
}

TEST(ConfigCheck, TheConsolesLimits) {
    // The console runs 1023 bytes of a command; ";" in quotes splits none.
    const QString words = u"ab "_s.repeated(339); // 1017 characters
    const Vocabulary v = smallVocabulary();
    runCases([&](const ParsedConfig& p) { return checkConsoleReading(p, v); },
             {
                 {"a command of 1023 characters", u"echo "_s + words + u"x"_s, {}, {}},
                 {"one of 1024", u"echo\necho "_s + words + u"xy"_s, {2}, u"1023 байт"_s},
                 {"many short commands on one line", u"w;"_s.repeated(1100), {}, {}},
                 {"a long command after a short one", u"echo;echo "_s + words + u"xy"_s, {1}, {}},
                 // ...and the quoted word of 1020 bytes is dropped besides.
                 {"a \";\" in quotes", u"echo \"a;"_s + words + u"\""_s, {1, 1}, {}},
                 {"a word of 515 characters", u"alias a \""_s + QString(515, u'w') + u"\""_s,
                  {1}, u"514 байт"_s},
                 {"one of 514", u"alias a \""_s + QString(514, u'w') + u"\""_s, {}, {}},
             });
    runCases(checkLongAliasNames, {
                                      {"31 characters", u"alias "_s + QString(31, u'a'), {}, {}},
                                      {"32 characters in a bind",
                                       u"bind x \"alias "_s + QString(32, u'b') + u"\""_s,
                                       {1},
                                       QString(32, u'b')},
                                  });
}

// A setinfo the console sets nothing from says why; one of three words, a one-character key
// or value included, is a setting and says nothing.
TEST(ConfigCheck, ASetinfoOfMoreThanThreeWordsSetsNothing) {
    struct Case {
        QString config;
        QList<ConfigFinding> found;
    };
    const auto warning = [](int line, const QString& message) {
        return ConfigFinding{line, ConfigFinding::Kind::Warning, message};
    };
    const Case cases[] = {
        {u"setinfo dm 1"_s, {}},
        {u"setinfo dm ,"_s, {}},
        {u"setinfo \"_pw\" \"пароль админа\""_s, {}},
        {u"setinfo dm 1\nsetinfo dm 0 x"_s,
         {warning(1, u"«setinfo dm» ничего не задаёт: игра берёт только setinfo из трёх слов "
                     u"(ключ и одно слово значения), а здесь после ключа слов: 2. Возьмите "
                     u"значение в кавычки"_s)}},
        {u"setinfo _vgui_menus 1,"_s,
         {warning(0, u"«setinfo _vgui_menus» ничего не задаёт: игра берёт только setinfo из трёх "
                     u"слов (ключ и одно слово значения), а здесь после ключа слов: 2. Возьмите "
                     u"значение в кавычки"_s)}},
        {u"bind k \"setinfo name (Pro)\""_s,
         {warning(0, u"«setinfo name» ничего не задаёт: игра берёт только setinfo из трёх слов "
                     u"(ключ и одно слово значения), а здесь после ключа слов: 3. Возьмите "
                     u"значение в кавычки"_s)}},
    };
    const Vocabulary v = smallVocabulary();
    // In config.cfg, with what the game drops on the same line: each finding once, the line's
    // findings in the check's order.
    const QList<ConfigFinding> inConfigCfg =
        checkConfig(u"echo 1; setinfo dm 1 x"_s, v, QString(), named(u"config.cfg"_s));
    ASSERT_EQ(inConfigCfg.size(), 2);
    EXPECT_TRUE(inConfigCfg[0].message.contains(u"строка 1 пропадёт"_s))
        << inConfigCfg[0].message.toStdString();
    EXPECT_EQ(inConfigCfg[1].message, cases[3].found.first().message);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.config.toStdString());
        const ParsedConfig parsed = parseConfig(c.config);
        EXPECT_EQ(checkLongSetinfos(parsed), c.found);
        // The split value is not said of a setinfo as well.
        EXPECT_EQ(checkConsoleReading(parsed, v), QList<ConfigFinding>());
    }
}

// The check's own byte limits at their edges, in both encodings: an alias name of 31 bytes is
// taken and one of 32 refused; a file of 16,381 bytes is run whole by the Steam-era engine and
// one of 16,382 line by line (its CR LF line breaks counted).
TEST(ConfigCheck, ByteLimitsAtTheirEdgesInBothEncodings) {
    const Vocabulary v = smallVocabulary();
    const auto file = [](console::Bytes bytes, bool crLf) {
        CheckedFile f;
        f.bytes = bytes;
        f.crLf = crLf;
        return f;
    };
    const auto longName = [](const QString& name) {
        return ConfigFinding{0, ConfigFinding::Kind::Warning,
                             u"Имя алиаса «%1» длиннее 31 символа: игра его не примет"_s.arg(name)};
    };
    struct AliasCase {
        QString name;
        console::Bytes bytes;
        bool refused;
    };
    const AliasCase names[] = {
        {QString(31, u'a'), console::Bytes::Single, false},
        {QString(32, u'a'), console::Bytes::Utf8, true},
        {QString(31, u'ж'), console::Bytes::Single, false},
        {QString(32, u'ж'), console::Bytes::Single, true},
        {QString(15, u'ж') + u"a"_s, console::Bytes::Utf8, false}, // 31 bytes
        {QString(16, u'ж'), console::Bytes::Utf8, true},           // 32 bytes
    };
    for (const AliasCase& c : names) {
        SCOPED_TRACE(c.name.toStdString());
        const QList<ConfigFinding> found =
            checkConfig(u"alias \""_s + c.name + u"\" wait"_s, v, QString(), file(c.bytes, false));
        EXPECT_EQ(found,
                  c.refused ? QList<ConfigFinding>{longName(c.name)} : QList<ConfigFinding>());
    }

    const ConfigFinding steam{
        0, ConfigFinding::Kind::Hint,
        u"В версиях Steam файл длиннее 16 382 байт читается по строкам, и табуляция или буква не "
        u"из ASCII обрывает строку: остаток выполнится как отдельная команда"_s};
    struct SizeCase {
        qint64 size; // of the file, in bytes
        console::Bytes bytes;
        bool crLf;
    };
    const SizeCase sizes[] = {{16381, console::Bytes::Single, false},
                              {16382, console::Bytes::Single, false},
                              {16381, console::Bytes::Utf8, true},
                              {16382, console::Bytes::Utf8, true},
                              {16382, console::Bytes::Single, true}};
    for (const SizeCase& c : sizes) {
        SCOPED_TRACE(std::to_string(c.size) + (c.bytes == console::Bytes::Utf8 ? " utf-8" : ""));
        // A tab on the first line, 100 Russian letters on the second, comments of Latin ones
        // filling the rest.
        QString text = u"echo\tx\n// "_s + QString(100, u'ж');
        const auto bytesOf = [&](const QString& t) {
            return qint64(console::byteLength(t, c.bytes)) + (c.crLf ? t.count(u'\n') : 0);
        };
        while (c.size - bytesOf(text) > 100)
            text += u"\n//"_s + QString(90, u'a');
        const qint64 last = c.size - bytesOf(text) - (c.crLf ? 2 : 1) - 2;
        ASSERT_GE(last, 0);
        text += u"\n//"_s + QString(int(last), u'a');
        ASSERT_EQ(bytesOf(text), c.size);
        const QList<ConfigFinding> found = checkConfig(text, v, QString(), file(c.bytes, c.crLf));
        const QList<ConfigFinding> wanted = {steam, {1, steam.kind, steam.message}};
        EXPECT_EQ(found, c.size >= 16382 ? wanted : QList<ConfigFinding>());
    }
}

// Each way the console reads a line otherwise than it looks is said once, in its own words.
TEST(ConfigCheck, EachMisreadingIsSaidOnce) {
    const Vocabulary v = smallVocabulary();
    const auto warning = [](const QString& message) {
        return QList<ConfigFinding>{{0, ConfigFinding::Kind::Warning, message}};
    };
    struct Case {
        QString config;
        QList<ConfigFinding> found;
    };
    const Case cases[] = {
        {u"name Pro\"1\""_s,
         warning(u"Кавычка внутри слова «Pro\"1\"»: игра прочтёт её как часть слова"_s)},
        {u"name Вася"_s,
         warning(u"«Вася»: игра не прочтёт слово, начинающееся с русской буквы, без кавычек"_s)},
        {u"sensitivity 2,5"_s,
         warning(u"Знак «,» делит значение «sensitivity»: игра возьмёт только слово до него"_s)},
        {u"echo a,b"_s, {}}, // a command takes all its words
        {u"name \"Pro\"1"_s, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.config.toStdString());
        EXPECT_EQ(checkConsoleReading(parseConfig(c.config), v), c.found);
    }
}

TEST(ConfigCheck, PlusAliasesWithoutMinus) {
    const Vocabulary v = smallVocabulary();
    runCases([&](const ParsedConfig& p) { return checkPlusAliasesWithoutMinus(p, v); },
             {
                 {"a pair", u"alias +jd \"+jump;+duck\"\nalias -JD \"-jump;-duck\""_s, {}, {}},
                 {"no pair", u"echo\nalias +JD \"+jump;+duck\"\nbind x +jd"_s, {2}, u"«-JD»"_s},
                 {"the pair defined inside a bind",
                  u"alias +a wait\nbind k \"alias -a wait\""_s,
                  {},
                  {}},
                 {"named like a command of the game", u"alias +attack wait"_s, {}, {}},
                 {"a bare plus", u"alias + wait"_s, {}, {}},
             });
}

TEST(ConfigCheck, DuplicateBinds) {
    runCases(checkDuplicateBinds,
             {
                 {"same key twice, any case",
                  u"bind \"F1\" \"buy\"\necho\nbind f1 slot1"_s,
                  {3},
                  u"строки 1 и 3"_s},
                 {"different keys", u"bind a +attack\nbind b +jump"_s, {}, {}},
                 {"unbind in between", u"bind a +attack\nunbind a\nbind a +jump"_s, {}, {}},
                 {"unbindall in between", u"bind a +attack\nunbindall\nbind a +jump"_s, {}, {}},
                 {"a bind inside an alias is a switch, not a duplicate",
                  u"bind a +attack\nalias s \"bind a +jump\""_s,
                  {},
                  {}},
                 {"twice on one line is the player's own doing",
                  u"bind a +attack; bind a +jump"_s,
                  {},
                  {}},
                 {"reported once per line", u"bind a x\nbind a y; unbind b; bind a y"_s, {2}, {}},
             });
}

TEST(ConfigCheck, AliasCycles) {
    const Vocabulary v = smallVocabulary();
    runCases([&](const ParsedConfig& p) { return checkAliasCycles(p, v); },
             {
                 {"direct", u"alias loop \"echo x; loop\""_s, {1}, u"loop → loop"_s},
                 {"through others",
                  u"alias a \"b\"\nalias b \"wait; c\"\nalias c \"a\""_s,
                  {1},
                  u"a → b → c → a"_s},
                 {"no circle", u"alias a \"b\"\nalias b \"wait\"\nalias c \"a; b\""_s, {}, {}},
                 {"switched off by another alias (a way out)",
                  u"alias +spin \"alias spinloop spin1; spin1\"\n"
                  u"alias spin1 \"+attack; wait; spinloop\"\n"
                  u"alias -spin \"alias spinloop; -attack\""_s,
                  {},
                  {}},
                 {"one report per circle", u"alias a b\nalias b a\nalias c a"_s, {1}, {}},
                 {"a call of a command's name runs the command",
                  u"alias \"status\" \"status1\"\nalias status1 \"echo; status\""_s,
                  {},
                  {}},
             });
}

// Alias trees that branch, with and without circles, every circle named whole: the search
// follows each branch to its end and comes back to the next sibling.
TEST(ConfigCheck, AliasTreesWithAndWithoutCircles) {
    const Vocabulary v = smallVocabulary();
    const auto circle = [](int line, const QString& names) {
        return ConfigFinding{line, ConfigFinding::Kind::Warning,
                             u"Алиас вызывает сам себя без выхода: "_s + names};
    };
    struct Case {
        const char* what;
        QString config;
        QList<ConfigFinding> found;
    };
    const Case cases[] = {
        {"a tree of two branches, no circle",
         u"alias a b\nalias b \"x;y\"\nalias x \"echo 1\"\nalias y \"echo 2\"\na"_s,
         {}},
        {"a diamond: two ways to one alias",
         u"alias a \"b;c\"\nalias b d\nalias c d\nalias d \"echo\"\na"_s,
         {}},
        {"a circle after a finished sibling",
         u"alias a \"b;c\"\nalias b \"echo\"\nalias c a"_s,
         {circle(0, u"a → c → a"_s)}},
        {"a circle deep in the second branch",
         u"alias a \"b;c\"\nalias b \"x;y\"\nalias x echo\nalias y b\nalias c echo"_s,
         {circle(1, u"b → y → b"_s)}},
        {"two circles on two branches",
         u"alias a \"b;c\"\nalias b \"wait;b\"\nalias c \"d\"\nalias d \"echo;c\""_s,
         {circle(1, u"b → b"_s), circle(2, u"c → d → c"_s)}},
        {"a branch that leads back to the root past a finished one",
         u"alias a \"x;y;z\"\nalias x echo\nalias y echo\nalias z \"w;a\"\nalias w echo"_s,
         {circle(0, u"a → z → a"_s)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(checkAliasCycles(parseConfig(c.config), v), c.found);
    }
}

TEST(ConfigCheck, UndefinedAliases) {
    const Vocabulary v = smallVocabulary();
    runCases(
        [&](const ParsedConfig& p) { return checkUndefinedAliases(p, v); },
        {
            {"bound to nothing defined", u"bind f1 \"buyrifle\""_s, {1}, u"buyrifle"_s},
            {"called by an alias", u"alias a \"wait; b\""_s, {1}, u"«b»"_s},
            {"defined later in the file", u"bind f1 rifle\nalias rifle \"buy\""_s, {}, {}},
            {"known commands with arguments", u"alias a \"menuselect 4; echo b\""_s, {}, {}},
            {"an empty alias", u"alias nothing \"\"\nbind f1 nothing"_s, {}, {}},
            {"numbers are arguments left bare, not names", u"bind f1 \"wait; 3; -1\""_s, {}, {}},
            {"one hint per name and line", u"bind f1 \"foo; wait; foo\""_s, {1}, u"foo"_s},
            {"plugin commands are counted apart", u"bind f1 \"amx_kick x\""_s, {}, {}},
        });
}

TEST(ConfigCheck, MissingExecFiles) {
    QTemporaryDir root;
    ASSERT_TRUE(QDir(root.path()).mkpath(u"cstrike"_s));
    ASSERT_TRUE(QDir(root.path()).mkpath(u"valve"_s));
    const QString game = root.path() + u"/cstrike"_s;
    ASSERT_TRUE(textfile::writeBytes(game + u"/Buy.CFG"_s, "echo\r\n").ok);
    ASSERT_TRUE(textfile::writeBytes(root.path() + u"/valve/valve.rc"_s, "echo\r\n").ok);
    runCases([&](const ParsedConfig& p) { return checkMissingExecFiles(p, game); },
             {
                 {"missing", u"exec nothere.cfg"_s, {1}, u"nothere.cfg"_s},
                 {"missing inside a bind", u"bind f1 \"exec gone.cfg\""_s, {1}, u"gone.cfg"_s},
                 {"present, other letter case", u"exec buy.cfg"_s, {}, {}},
                 {"in the base game's folder", u"exec valve.rc"_s, {}, {}},
             });
    EXPECT_TRUE(checkMissingExecFiles(parseConfig(u"exec nothere.cfg"_s), QString()).isEmpty())
        << "no game directory: nothing to compare with";
}

TEST(ConfigCheck, AliasesFromTheGamesOtherFilesCountAsDefined) {
    QTemporaryDir game;
    ASSERT_TRUE(
        textfile::writeBytes(game.path() + u"/AUTOEXEC.cfg"_s, "alias rifle \"buy\"\r\n").ok);
    ASSERT_TRUE(textfile::writeBytes(game.path() + u"/mine.cfg"_s, "alias pistol buy\r\n").ok);
    const QString text = u"exec mine.cfg\nbind f1 rifle\nbind f2 pistol\nbind f3 knife"_s;
    const QList<ConfigFinding> found = checkConfig(text, smallVocabulary(), game.path());
    ASSERT_EQ(found.size(), 1);
    EXPECT_EQ(found[0].line, 3);
    EXPECT_TRUE(found[0].message.contains(u"knife"_s));
}

TEST(ConfigCheck, UnknownKeys) {
    const Vocabulary v = smallVocabulary();
    runCases(
        [&](const ParsedConfig& p) { return checkUnknownKeys(p, v); },
        {
            {"unknown name", u"bind \"MOUSE9\" +attack"_s, {1}, u"MOUSE9"_s},
            {"inside an alias", u"alias s \"bind kp_foo +jump\""_s, {1}, u"kp_foo"_s},
            {"any letter case", u"bind mouse1 +attack\nbind Space +jump\nbind \";\" x"_s, {}, {}},
            {"unbind too", u"unbind ctrlx"_s, {1}, {}},
            {"the engine's own key names and any single character",
             u"bind mouse5 +jump\nbind \"^\" +attack\nbind aux32 x"_s,
             {},
             {}},
            // The console skips a letter outside ASCII where a word begins: "echo" is the key.
            {"a Russian key name", u"bind \u00e9 echo"_s, {1}, u"«echo»"_s},
            {"a quoted one", u"bind \"ж\" +jump"_s, {1}, u"«ж»"_s},
        });
}

TEST(ConfigCheck, WholeCheckIsOrderedByLineAndShipsCaptions) {
    const QList<ConfigFinding> found =
        checkConfig(u"bind MOUSE9 boom\nfps_mxa 1\nname \"x"_s, smallVocabulary(), QString());
    ASSERT_EQ(found.size(), 4);
    EXPECT_EQ(found[0].line, 0);
    EXPECT_EQ(found.last().line, 2);
    EXPECT_EQ(findingCaption(found[2]),
              u"Строка 2: Неизвестная команда или переменная «fps_mxa»"_s);
    EXPECT_EQ(found[1].kind, ConfigFinding::Kind::Hint); // "boom" may come from another file
}

// Shapes of real configs (players' configs, script packs, server configs) checked against the
// shipped vocabulary: each cause of a false alarm, with a true finding beside it that must stay.
// "3W" is a warning on line 3, "2H" an information line on line 2.
TEST(ConfigCheck, RealConfigShapes) {
    const Vocabulary v =
        Vocabulary::load(ProgramHome::portable(QStringLiteral(TESSERA_SOURCE_DIR) + u"/data"_s));
    QTemporaryDir game;
    ASSERT_TRUE(textfile::writeBytes(game.path() + u"/buyscripts.cfg"_s,
                                     "alias rifle \"buy; menuselect 4\"\r\n")
                    .ok);
    struct Shape {
        const char* cause;
        QString config;
        QStringList found;
        QString mentions; // in the message of the first finding
    };
    const std::vector<Shape> shapes = {
        {"names the game writes into config.cfg",
         u"room_off \"0\"\nskin \"\"\nteam \"\"\nhisound \"1\"\ncl_idealpitchscale \"0.8\"\n"
         u"fps_mxa 100"_s,
         {u"6W"_s},
         u"fps_mxa"_s},
        {"1.6 names of the engine are the Steam releases' names, never unknown; the 2001 "
         "engine's own pass",
         u"r_detailtextures 1\ncl_download_ingame \"1\"\nsv_rcon_banpenalty 0"_s,
         {u"1W"_s},
         u"«r_detailtextures» появилась в версиях Steam (CS 1.6)"_s},
        {"the CS client library",
         u"cl_crosshair_size \"small\"\nhud_colour \"1\"\nbind f5 rebuy"_s,
         {u"1W"_s, u"2W"_s, u"3W"_s},
         u"CS 1.6"_s},
        {"buy and bot commands",
         u"bind f1 \"vesthelm; primammo\"\nbot_add_ct\nbind f2 \"buy; menuselect 4; ak74\""_s,
         {u"1H"_s, u"1H"_s, u"2W"_s, u"3H"_s},
         u"vesthelm"_s},
        {"Half-Life weapon names",
         u"bind 1 weapon_crossbow\nweapon_357\nweapon_bfg"_s,
         {u"3W"_s},
         u"weapon_bfg"_s},
        {"the HL SDK's client and game code: the 1.5 client's names pass, the 2013 seed's later",
         u"hud_classautokill 0\nm_customaccel 0\nbind f3 spectate\nbind e \"use weapon_knife\"\n"
         u"hud_clasautokill 0"_s,
         {u"2W"_s, u"5W"_s},
         u"«m_customaccel» появилась в поздних обновлениях Steam"_s},
        {"the engine, the dedicated server and the HLTV demo player",
         u"fakelag 0\nrcon_password x\nsv_rcon_banpenalty 0\ndem_pause\nfake_lag 1"_s,
         {u"4W"_s, u"5W"_s},
         u"«dem_pause» появилась в версиях Steam (CS 1.6)"_s},
        {"key names the engine knows",
         u"bind MOUSE5 +jump\nbind SEMICOLON \"say hi\"\nbind \"^\" +duck\nbind MOUSE8 +jump"_s,
         {u"4W"_s},
         u"MOUSE8"_s},
        {"an alias of another file of the game folder",
         u"bind f1 rifle\nbind f2 pistol"_s,
         {u"2H"_s},
         u"pistol"_s},
        {"an alias named like a command never runs, and makes no circle",
         u"alias \"status\" \"status1\"\nalias status1 \"echo; status\"\n"
         u"alias a b\nalias b a"_s,
         {u"1W"_s, u"3W"_s},
         u"никогда не выполнится"_s},
        {"server plugins: one line for the config",
         u"amx_kick x\namx_ban y\nadmin_slay z\nbind f4 \"amx_who\""_s,
         {u"1H"_s},
         u"«amx_kick», «amx_ban», «admin_slay», «amx_who»"_s},
        {"the settings of a mode's or a bot's plugin, and a name like theirs the game has",
         u"zp_delay 10\ngg_enabled 1\npb_maxbots 5\ncsdm_active 1\ngg 1\nbind f5 yb_add"_s,
         {u"1H"_s},
         u"«zp_delay», «gg_enabled», «pb_maxbots», «csdm_active», «yb_add»"_s},
    };
    for (const Shape& shape : shapes) {
        SCOPED_TRACE(shape.cause);
        const QList<ConfigFinding> found = checkConfig(shape.config, v, game.path());
        QStringList summary;
        for (const ConfigFinding& f : found)
            summary.append(QString::number(f.line + 1) +
                           (f.kind == ConfigFinding::Kind::Warning ? u'W' : u'H'));
        QStringList captions;
        for (const ConfigFinding& f : found)
            captions.append(findingCaption(f));
        EXPECT_EQ(summary, shape.found) << captions.join(u'\n').toStdString();
        if (!found.isEmpty()) {
            EXPECT_TRUE(found.first().message.contains(shape.mentions))
                << found.first().message.toStdString();
        }
    }
}

TEST(ConfigCheck, AnAliasTheConfigDefinesIsItsOwnWhateverTheVersion) {
    // A 1.5 buy script defines "ak47" itself; the game then runs the alias.
    const QList<ConfigFinding> found = checkConfig(
        u"alias ak47 \"buy; menuselect 4; menuselect 1\"\nbind f1 ak47"_s, smallVocabulary(), {});
    EXPECT_TRUE(found.isEmpty()) << findingCaption(found.value(0)).toStdString();
}

TEST(ConfigCheck, AliasesOfExecdFilesAndOfWhatTheyExec) {
    QTemporaryDir root;
    const QString game = root.path() + u"/cstrike"_s;
    ASSERT_TRUE(QDir(root.path()).mkpath(u"cstrike/scripts"_s));
    ASSERT_TRUE(textfile::writeBytes(game + u"/scripts/a.txt"_s, "exec scripts/b.txt\r\n").ok);
    ASSERT_TRUE(textfile::writeBytes(game + u"/scripts/b.txt"_s, "alias deep wait\r\n").ok);
    const QList<ConfigFinding> found = checkConfig(
        u"exec scripts/a.txt\nbind f1 deep\nbind f2 shallow"_s, smallVocabulary(), game);
    ASSERT_EQ(found.size(), 1);
    EXPECT_EQ(found[0].line, 2);
}

// Names are one name in any ASCII letter case, as the console compares them (other letters are
// compared as they are), however many the config has.
TEST(ConfigCheck, NamesAreInternedWithoutRegardToCase) {
    ParsedConfig config;
    struct Same {
        QString a, b;
        bool same;
    };
    const std::vector<Same> pairs = {
        {u"Bind"_s, u"BIND"_s, true},
        {u"Ключ"_s, u"кЛЮЧ"_s, false},
        {u"Ключ"_s, u"Ключ"_s, true},
        {u"\u212A"_s, u"K"_s, false}, // the Kelvin sign is no "k" to the console
        {u"fps_max"_s, u"fps_maxx"_s, false},
        {u""_s, u""_s, true},
        {u"ä"_s, u"a"_s, false},
    };
    for (const Same& p : pairs) {
        SCOPED_TRACE(p.a.toStdString());
        const int a = config.intern(p.a);
        EXPECT_EQ(config.intern(p.b) == a, p.same);
        EXPECT_EQ(config.idOf(console::foldedName(p.a)), a);
    }
    // Thousands of names: the table grows and every name keeps its id.
    QList<int> ids;
    for (int i = 0; i < 5000; ++i)
        ids.append(config.intern(u"Name%1"_s.arg(i)));
    for (int i = 0; i < 5000; ++i)
        ASSERT_EQ(config.intern(u"nAME%1"_s.arg(i)), ids.at(i));
    EXPECT_EQ(config.idOf(u"name4999"_s), ids.last());
    EXPECT_EQ(config.idOf(u"name5000"_s), -1);
}

// Read for a vocabulary, a config leaves out the commands no check reports: every check finds
// the same either way.
TEST(ConfigCheck, ReadingForAVocabularyFindsTheSame) {
    const Vocabulary v = smallVocabulary();
    const QString text =
        u"bind f1 \"buy; foo; ak47\"\nalias a \"echo; b\"\nalias b \"wait; a\"\n"
        u"alias echo x\nfoo; AK47 1; amx_kick x\nunbind f1\nbind f1 x; bind MOUSE9 wait\n"
        u"alias ak47 \"bind f1 ak47\"\nalias wait \"wait; status\"\nstatus; unbindall\n"_s;
    const ParsedConfig all = parseConfig(text);
    const ParsedConfig reportable = parseConfig(text, &v);
    EXPECT_LT(reportable.commands.size(), all.commands.size());
    const std::vector<std::pair<const char*, Check>> checks = {
        {"unknown", [&](const ParsedConfig& p) { return checkUnknownCommands(p, v); }},
        {"keys", [&](const ParsedConfig& p) { return checkUnknownKeys(p, v); }},
        {"twice", checkDuplicateBinds},
        {"circles", [&](const ParsedConfig& p) { return checkAliasCycles(p, v); }},
        {"shadowed", [&](const ParsedConfig& p) { return checkShadowedAliases(p, v); }},
        {"undefined", [&](const ParsedConfig& p) { return checkUndefinedAliases(p, v); }},
        {"later", [&](const ParsedConfig& p) { return checkLaterVersionNames(p, v); }},
        {"plugins", checkPluginCommands},
    };
    qsizetype found = 0;
    for (const auto& [what, check] : checks) {
        SCOPED_TRACE(what);
        EXPECT_EQ(check(reportable), check(all));
        found += check(all).size();
    }
    EXPECT_GT(found, 6);
}

TEST(ConfigCheck, ALongChainOfAliasesIsFollowedToItsEnd) {
    // Twenty thousand aliases, each calling the next, the last calling the first.
    QString text;
    constexpr int kChain = 20000;
    for (int i = 0; i < kChain; ++i)
        text += u"alias a%1 a%2\n"_s.arg(i).arg((i + 1) % kChain);
    const QList<ConfigFinding> found = checkAliasCycles(parseConfig(text), smallVocabulary());
    ASSERT_EQ(found.size(), 1);
    EXPECT_EQ(found[0].line, 0);
    EXPECT_TRUE(found[0].message.endsWith(u"a19999 → a0"_s));
}

Vocabulary shippedVocabulary() {
    return Vocabulary::load(ProgramHome::portable(QStringLiteral(TESSERA_SOURCE_DIR) + u"/data"_s));
}

// "1W 2H" for the findings of a text: line and kind of each.
QStringList summaryOf(const QList<ConfigFinding>& found) {
    QStringList summary;
    for (const ConfigFinding& f : found)
        summary.append(QString::number(f.line + 1) +
                       (f.kind == ConfigFinding::Kind::Warning ? u'W' : u'H'));
    return summary;
}

QString captionsOf(const QList<ConfigFinding>& found) {
    QStringList captions;
    for (const ConfigFinding& f : found)
        captions.append(findingCaption(f));
    return captions.join(u'\n');
}

// Names the game of CS 1.5 does not have, against the shipped vocabulary: a rebuild's own is an
// information line, one of the Steam releases a warning (the 1.5 game answers "Unknown
// command") unless the game server handles it; the 1.5 era's own names pass.
TEST(ConfigCheck, NamesTheGameOf15Lacks) {
    const Vocabulary v = shippedVocabulary();
    struct Case {
        const char* what;
        QString config;
        QStringList found;
        QString mentions;
    };
    const std::vector<Case> cases = {
        {"Xash3D's own download command",
         u"http_download maps/x.bsp"_s,
         {u"1H"_s},
         u"«http_download» есть только в Xash3D, в игре её нет"_s},
        {"Xash3D's script words",
         u"echo\nif 1\nelse"_s,
         {u"2H"_s, u"3H"_s},
         u"«if» есть только в Xash3D, в игре её нет"_s},
        {"the CS client rebuild's crosshair",
         u"xhair_enable 1\ncscl_mapprefix 1"_s,
         {u"1H"_s, u"2H"_s},
         u"«xhair_enable» есть только в cs16-client (клиенте CS 1.6 для Xash3D), в игре её нет"_s},
        {"the game library rebuild's additions",
         u"mp_freeforall 1"_s,
         {u"1H"_s},
         u"«mp_freeforall» есть только в ReGameDLL (пересборке игровой библиотеки), в игре её "
         u"нет"_s},
        {"the engine rebuild's additions",
         u"sv_rehlds_force_dlmax 1"_s,
         {u"1H"_s},
         u"«sv_rehlds_force_dlmax» есть только в ReHLDS (пересборке сервера), в игре её нет"_s},
        {"Steam's later updates",
         u"m_rawinput 1\ngl_ansio 16\nfps_override 1"_s,
         {u"1W"_s, u"2W"_s, u"3W"_s},
         u"«m_rawinput» появилась в поздних обновлениях Steam: в CS 1.5 её нет"_s},
        {"the game library's latest builds",
         u"mp_infinite_ammo 1\nmp_scoreboard_showmoney 1"_s,
         {u"1W"_s, u"2W"_s},
         u"«mp_infinite_ammo» появилась в поздних обновлениях Steam: в CS 1.5 её нет"_s},
        {"the first Steam releases",
         u"r_detailtextures 1\nhttpstop"_s,
         {u"1W"_s, u"2W"_s},
         u"«r_detailtextures» появилась в версиях Steam (CS 1.6): в CS 1.5 её нет"_s},
        {"the 2001 engine's names the rebuilds carry as Steam's or their own",
         u"cl_download_ingame 1\nresetrcon\nsv_lan 1\ncl_nodelta 0\nr_shadows 0\ntracerred 1\n"
         u"sv_rollangle 0\ngl_cull 1\nd_mipscale 1\nbind k +voicerecord"_s,
         {},
         {}},
        {"CS 1.6's names the rebuilds register in code of the 1.5 game; Half-Life's own",
         u"jointeam 1\nbind f1 weapon_famas\nmp_maxmoney 16000\n_setrenderer gl\n"
         u"weapon_crowbar"_s,
         {u"1H"_s, u"2H"_s, u"3W"_s, u"4W"_s, u"5W"_s},
         u"«jointeam» появилась в версиях Steam (CS 1.6): в CS 1.5 её нет"_s},
        {"a 1.6 buy command goes to the server",
         u"bind f1 vesthelm"_s,
         {u"1H"_s},
         u"«vesthelm» появилась в версиях Steam (CS 1.6): в CS 1.5 её нет"_s},
        {"the 1.5 era's own settings",
         u"_windowed_mouse 1\nd_spriteskip 0\nvoice_scale 1"_s,
         {},
         {}},
        {"an alias of the config is its own",
         u"alias m_rawinput wait\nbind f1 m_rawinput"_s,
         {},
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QList<ConfigFinding> found = checkConfig(c.config, v, QString());
        EXPECT_EQ(summaryOf(found), c.found) << captionsOf(found).toStdString();
        if (!found.isEmpty()) {
            EXPECT_EQ(found.first().message, c.mentions);
        }
    }
}

// The shipped vocabulary as the era's files date it (tools/data/era_names.txt, what the files of
// Half-Life 1.1.0.7 and CS 1.5 hold): each of their names is 1.5's, and the names the review of
// the dating found in none of them are not, whatever the rebuilds' code says.
TEST(ConfigCheck, TheEraFilesDateTheShippedVocabulary) {
    const Vocabulary v = shippedVocabulary();
    const textfile::ReadResult era =
        textfile::readText(QStringLiteral(TESSERA_SOURCE_DIR) + u"/tools/data/era_names.txt"_s);
    ASSERT_TRUE(era.ok());
    int names = 0;
    for (const QString& line : era.text.split(u'\n')) {
        if (line.isEmpty() || line.startsWith(u"//"_s))
            continue;
        const QString name = line.section(u'\t', 0, 0);
        const WordInfo* info = v.find(name);
        ASSERT_NE(info, nullptr) << name.toStdString();
        EXPECT_EQ(info->version, GameVersion::Cs15) << name.toStdString();
        ++names;
    }
    EXPECT_GT(names, 800);
    for (const char16_t* later :
         {u"m_customaccel", u"m_customaccel_scale", u"weapon_famas", u"weapon_shield",
          u"jointeam", u"bot_quota", u"career", u"tutor_enable", u"_setrenderer",
          u"fs_startup_timings", u"cl_filterstuffcmd", u"mp_maxmoney"}) {
        SCOPED_TRACE(QString::fromUtf16(later).toStdString());
        ASSERT_NE(v.find(later), nullptr);
        EXPECT_NE(v.find(later)->version, GameVersion::Cs15);
    }
    EXPECT_EQ(v.find(u"weapon_crowbar"), nullptr) << "Half-Life's, not Counter-Strike's";
    EXPECT_EQ(v.find(u"hud_filtered"), nullptr) << "a name of an engine's unit test";
    EXPECT_EQ(v.kindOf(u"spec_pip"), WordKind::Variable) << "1.6 made it a command";
}

// A config the game wrote, of any release, as config.cfg: no finding at all.
TEST(ConfigCheck, AConfigTheGameWroteGetsNoFinding) {
    const Vocabulary v = shippedVocabulary();
    const QString binds =
        u"unbindall\nbind \"TAB\" \"+showscores\"\nbind \"ENTER\" \"+attack\"\n"
        u"bind \"ESCAPE\" \"cancelselect\"\nbind \"SPACE\" \"+jump\"\nbind \"b\" \"buy\"\n"
        u"bind \"c\" \"radio3\"\nbind \"MOUSE2\" \"+attack2\"\nbind \"PAUSE\" \"pause\"\n"_s;
    const QString header = u"// This file is overwritten whenever you change your user settings "
                           u"in the game.\n// Add custom configurations to the file "
                           u"\"userconfig.cfg\".\n\n"_s;
    struct Era {
        const char* what;
        QString config;
    };
    const std::vector<Era> eras = {
        // The pre-Steam launcher writes the binds, its settings with six decimals, the
        // +commands.
        {"pre-Steam (the launcher's settings)",
         binds +
             u"voice_modenable \"1.000000\"\nvoice_scale \"0.750000\"\nMP3Volume \"0.800000\"\n"
             u"name \"Player\"\nbottomcolor \"6\"\ntopcolor \"30\"\nmodel \"gordon\"\n"
             u"rate \"2500.000000\"\ns_eax \"0.000000\"\ns_a3d \"0.000000\"\nvolume \"0.800000\"\n"
             u"hisound \"1.000000\"\nsuitvolume \"0.250000\"\nbgmvolume \"1.000000\"\n"
             u"gamma \"2.500000\"\nbrightness \"1.000000\"\nviewsize \"120.000000\"\n"
             u"sensitivity \"3.000000\"\nd_spriteskip \"0.000000\"\ncl_himodels \"0.000000\"\n"
             u"console \"1.000000\"\nsv_aim \"1.000000\"\njoystick \"0.000000\"\n"
             u"m_filter \"0.000000\"\n_windowed_mouse \"0.000000\"\ncrosshair \"1.000000\"\n"
             u"lookspring \"0.000000\"\nm_pitch \"0.022000\"\nlookstrafe \"0.000000\"\n"
             u"+jlook\n+mlook\n"_s},
        {"the first Steam releases",
         header + binds +
             u"_cl_autowepswitch \"1\"\n_snd_mixahead \"0.1\"\nati_npatch \"1.0\"\n"
             u"cl_allowdownload \"1\"\ncl_cmdrate \"101\"\ncl_crosshair_size \"small\"\n"
             u"cl_download_ingame \"1\"\ncl_dynamiccrosshair \"1\"\ncl_radartype \"0\"\n"
             u"cl_updaterate \"101\"\ncon_color \"255 180 30\"\nfps_max \"72.0\"\n"
             u"fps_modem \"0.0\"\ngl_dither \"1\"\nhud_saytext_internal \"1\"\nmp_decals \"300\"\n"
             u"r_detailtextures \"0\"\ns_a3d \"0\"\ns_eax \"0\"\ns_verbwet \"0.25\"\n"
             u"spec_mode_internal \"1\"\nsv_voiceenable \"1\"\nvoice_forcemicrecord \"1\"\n"
             u"setinfo \"_vgui_menus\" \"0\"\nsetinfo \"_ah\" \"0\"\n+mlook\n+jlook\n"
             u"exec userconfig.cfg\n"_s},
        {"the Steam updates of 2013 and 2023",
         header + binds +
             u"cl_filterstuffcmd \"0\"\ncl_min_ct \"2\"\ncl_mousegrab \"1\"\n"
             u"default_fov \"90\"\nfps_override \"0\"\ngl_ansio \"16\"\ngl_vsync \"1\"\n"
             u"m_customaccel \"0\"\nm_rawinput \"1\"\nm_mousethread_sleep \"10\"\n"
             u"scoreboard_showavatars \"1\"\nscoreboard_showmoney \"1\"\nsp_decals \"4096\"\n"
             u"violence_hblood \"1\"\nzoom_sensitivity_ratio \"1.2\"\n"
             u"setinfo \"_vgui_menus\" \"1\"\n+mlook\n+jlook\nexec userconfig.cfg\n"_s},
    };
    for (const Era& era : eras) {
        SCOPED_TRACE(era.what);
        const QList<ConfigFinding> found = checkConfig(era.config, v, QString(), named(u"config.cfg"_s));
        EXPECT_TRUE(found.isEmpty()) << captionsOf(found).toStdString();
    }
    // Every setting the vocabulary has as saved, as the game would write it.
    QString all = header + binds;
    int saved = 0;
    for (const QString& name : v.names())
        if (v.isSaved(name)) {
            all += name + u" \"1\"\n"_s;
            ++saved;
        }
    EXPECT_GT(saved, 150);
    const QList<ConfigFinding> found = checkConfig(all, v, QString(), named(u"config.cfg"_s));
    EXPECT_TRUE(found.isEmpty()) << captionsOf(found).toStdString();
}

// The game rewrites config.cfg on exit with only the bindings and the settings it saves: the
// rest of the file is named once, with its lines, and autoexec.cfg is the place for it.
TEST(ConfigCheck, ConfigCfgKeepsOnlyBindingsAndSavedSettings) {
    const Vocabulary v = shippedVocabulary();
    const QString mixed =
        u"unbindall\nbind \"w\" \"+forward\"\nsensitivity \"2.5\"\nalias +jd \"+jump;+duck\"\n"
        u"alias -jd \"-jump;-duck\"\nexec buy.cfg\ndeveloper 1\nsetinfo \"_vgui_menus\" \"0\"\n"
        u"+mlook\nmp_autokick 0\ndrawradar; hud_fastswitch 1\nexec userconfig.cfg\nfoo_bar 1\n"_s;
    const QList<ConfigFinding> found =
        checkConfig(mixed, v, QString(), named(u"C:/Games/Half-Life/cstrike/Config.CFG"_s));
    QList<ConfigFinding> notKept;
    for (const ConfigFinding& f : found)
        if (f.message.contains(u"autoexec.cfg"_s))
            notKept.append(f);
    ASSERT_EQ(notKept.size(), 1) << captionsOf(found).toStdString();
    EXPECT_EQ(notKept[0].line, 3);
    EXPECT_EQ(notKept[0].kind, ConfigFinding::Kind::Warning);
    EXPECT_TRUE(notKept[0].message.contains(u"строки 4, 5, 6, 7, 10, 11 пропадут"_s))
        << notKept[0].message.toStdString();
    // The unknown name has its own finding, and no second one here.
    EXPECT_EQ(summaryOf(found), (QStringList{u"4W"_s, u"13W"_s}))
        << captionsOf(found).toStdString();

    // The same lines in autoexec.cfg, or in an unsaved text: nothing is lost.
    for (const QString& name : {u"autoexec.cfg"_s, QString()}) {
        SCOPED_TRACE(name.toStdString());
        for (const ConfigFinding& f : checkConfig(mixed, v, QString(), named(name)))
            EXPECT_FALSE(f.message.contains(u"autoexec.cfg"_s)) << findingCaption(f).toStdString();
    }
    runCases(
        [&](const ParsedConfig& p) { return checkNotKeptInConfigCfg(p, v); },
        {
            {"one line", u"bind a +attack\nalias go \"+jump\""_s, {2}, u"строка 2 пропадёт"_s},
            {"many lines, some shown",
             u"echo 1\necho 2\necho 3\necho 4\necho 5\necho 6\necho 7\necho 8\necho 9\necho 10"_s,
             {1},
             u"строки 1, 2, 3, 4, 5, 6, 7, 8 и ещё 2 пропадут"_s},
            // The plugin's command has a finding of its own; the alias named like one has
            // none, and the game drops its line all the same.
            {"an alias named like a plugin's command",
             u"bind a +attack\namx_menu\nalias amx_x \"echo\"\namx_x"_s,
             {3},
             u"строки 3, 4 пропадут"_s},
            {"what the game writes itself",
             u"unbindall\nbind \"a\" \"+attack\"\nunbind b\nsetinfo x y\n+mlook\n+jlook\n"
             u"exec userconfig.cfg\nvolume \"0.5\"\nname \"Strelok\""_s,
             {},
             {}},
        });
}

TEST(ConfigCheck, DemoConfigsAreClean) {
    const QString source = QStringLiteral(TESSERA_SOURCE_DIR);
    const Vocabulary v = Vocabulary::load(ProgramHome::portable(source + u"/data/"_s));
    ASSERT_FALSE(v.isEmpty());
    const QString game = source + u"/demo/Half-Life/cstrike"_s;
    for (const QString& name : {u"config.cfg"_s, u"autoexec.cfg"_s}) {
        SCOPED_TRACE(name.toStdString());
        const textfile::ReadResult read = textfile::readText(game + u'/' + name);
        ASSERT_TRUE(read.ok());
        // The demo's config.cfg is a player's config written in the wizard's way, with the
        // listen server's settings and the radar among the bindings: the game would drop those
        // lines on exit, which the check of config.cfg says (asked here under another name).
        for (const ConfigFinding& f : checkConfig(read.text, v, game, named(name + u".txt"_s)))
            ADD_FAILURE() << findingCaption(f).toStdString();
    }
    // Nor do the shipped MetaBinds run a command their comments only mention.
    const QDir metaBinds(source + u"/data/dlls/metabinds"_s);
    const QStringList files = metaBinds.entryList({u"*.mtb"_s}, QDir::Files);
    ASSERT_FALSE(files.isEmpty());
    for (const QString& name : files) {
        const textfile::ReadResult read = textfile::readText(metaBinds.filePath(name));
        ASSERT_TRUE(read.ok()) << name.toStdString();
        const QString commands = read.text.section(u"[MetaBind]"_s, 0, 0);
        for (const ConfigFinding& f : checkCommandsAfterComments(parseConfig(commands)))
            ADD_FAILURE() << name.toStdString() << ": " << findingCaption(f).toStdString();
    }
}

} // namespace
