// `tessera --check`, `--commands` and `--keys`: what they print for small configs, their exit
// statuses, and files they cannot read.
#include "app/command_line_tool.h"
#include "platform/text_file.h"
#include "print_qstring.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace Qt::Literals::StringLiterals;

namespace {

struct ToolRun {
    int status = -1;
    QString out;
    QString err;
};

class CommandLineTool : public ::testing::Test {
protected:
    CommandLineTool() {
        words.addCommands({u"+forward"_s, u"+jump"_s, u"echo"_s, u"say"_s});
        words.addVariables({u"name"_s, u"sensitivity"_s, u"fps_max"_s});
    }
    QString put(const QString& name, const QByteArray& bytes) {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(textfile::writeBytes(path, bytes).ok);
        return path;
    }
    ToolRun run(const QStringList& arguments) {
        QString error;
        std::optional<CommandLineRequest> request = parseCommandLine(arguments, &error);
        ToolRun r;
        if (!request) {
            r.err = error;
            return r;
        }
        request->versions = versions;
        QTextStream out(&r.out);
        QTextStream err(&r.err);
        r.status = runCommandLineTool(*request, words, out, err);
        out.flush();
        err.flush();
        return r;
    }

    QTemporaryDir dir;
    Vocabulary words;
    VersionStore versions{dir.filePath(u"history"_s)};
};

TEST_F(CommandLineTool, ChecksInTheCompilersFormAndInJson) {
    const QString a = put(u"a.cfg"_s, "bind w +forward\r\nname \xC2\xE0\xF1\xFF\r\nfps_mxa 1\r\n"
                                      "bind W +jump\r\n");
    const QString b = put(u"b.cfg"_s, "sensitivity 2,5 // comma\nsay \"hi\"\n");
    const ToolRun gcc = run({u"--check"_s, a, b});
    EXPECT_EQ(gcc.status, kExitWarnings);
    EXPECT_EQ(gcc.out,
              a +
                  u":2:6: warning: «Вася»: игра не прочтёт слово, начинающееся с русской буквы, "
                  u"без кавычек [non-ascii-word-start]\n"_s +
                  a +
                  u":3:1: warning: Неизвестная команда или переменная «fps_mxa» "
                  u"[unknown-command]\n"_s +
                  a +
                  u":4:6: warning: Клавиша «W» назначена дважды: строки 1 и 4 (действует "
                  u"последняя) [duplicate-bind]\n"_s +
                  b +
                  u":1:14: warning: Знак «,» делит значение «sensitivity»: игра возьмёт "
                  u"только слово до него [split-value]\n"_s);
    EXPECT_TRUE(gcc.err.isEmpty());

    const ToolRun json = run({u"--check"_s, u"--format"_s, u"json"_s, b});
    EXPECT_EQ(json.out, u"{\"column\":14,\"file\":\""_s + b +
                            u"\",\"id\":\"split-value\",\"line\":1,\"message\":\"Знак «,» делит "
                            u"значение «sensitivity»: игра возьмёт только слово до него\","
                            u"\"severity\":\"warning\"}\n"_s);
    EXPECT_EQ(run({u"--check"_s, put(u"clean.cfg"_s, "echo hi\n")}).status, kExitClean);
}

TEST_F(CommandLineTool, CommandsAndKeysAsTheGameReadsThem) {
    const QString a = put(u"c.cfg"_s, "bind k \"say hi; echo x\"; name [Pro]Me(1)\nbind k +jump\n");
    EXPECT_EQ(run({u"--commands"_s, a}).out, a + u":1:1: bind k \"say hi; echo x\"\n"_s + a +
                                                 u":1:26: name [Pro]Me \"(\" 1 \")\"\n"_s + a +
                                                 u":2:1: bind k +jump\n"_s);
    // A lone CR ends no command: the console takes it for a blank.
    const QString cr = put(u"cr.cfg"_s, "bind k a\rbind j b\r\necho\n");
    EXPECT_EQ(run({u"--commands"_s, cr}).out,
              cr + u":1:1: bind k a bind j b\n"_s + cr + u":2:1: echo\n"_s);
    const ToolRun keys = run({u"--keys"_s, a});
    EXPECT_EQ(keys.status, kExitWarnings); // bound twice, to different commands
    EXPECT_EQ(keys.out, a + u":2: k: +jump [назначена несколько раз: строки 1, 2]\n"_s);
}

// The forms a script writes: "--format=json" as "--format json", "--game=DIR" as "--game DIR",
// and the line --keys prints for a key name the game does not know, whole.
TEST_F(CommandLineTool, FormsWithAnEqualsSignAndTheUnknownKeyLine) {
    const QString b = put(u"b.cfg"_s, "sensitivity 2,5\n");
    const QString json = u"{\"column\":14,\"file\":\""_s + b +
                         u"\",\"id\":\"split-value\",\"line\":1,\"message\":\"Знак «,» делит "
                         u"значение «sensitivity»: игра возьмёт только слово до него\","
                         u"\"severity\":\"warning\"}\n"_s;
    for (const QStringList& arguments :
         {QStringList{u"--check"_s, u"--format=json"_s, b},
          QStringList{u"--format=json"_s, u"--check"_s, b},
          QStringList{u"--check"_s, u"--game="_s + dir.path(), u"--format"_s, u"json"_s, b}}) {
        SCOPED_TRACE(arguments.join(u' ').toStdString());
        const ToolRun r = run(arguments);
        EXPECT_EQ(r.status, kExitWarnings);
        EXPECT_EQ(r.out, json);
    }
    EXPECT_EQ(run({u"--check"_s, u"--format=gcc"_s, b}).out,
              b + u":1:14: warning: Знак «,» делит значение «sensitivity»: игра возьмёт только "
                  u"слово до него [split-value]\n"_s);
    EXPECT_EQ(run({u"--check"_s, u"--format=xml"_s, b}).err,
              u"неизвестный формат «xml»: есть gcc и json"_s);

    const QString keys = put(u"k.cfg"_s, "bind w +forward\nbind NOSUCHKEY +jump\n");
    const ToolRun r = run({u"--keys"_s, keys});
    EXPECT_EQ(r.status, kExitWarnings);
    EXPECT_EQ(r.out, keys + u":1: w: +forward\n"_s + keys +
                         u":2: «NOSUCHKEY»: игра не знает такой клавиши\n"_s);
    const ToolRun asJson = run({u"--keys"_s, u"--format=json"_s, keys});
    EXPECT_TRUE(asJson.out.startsWith(u"{\"command\":\"+forward\""_s)) << asJson.out.toStdString();
}

TEST_F(CommandLineTool, WhatCannotBeReadIsNamedAndNothingWaits) {
    const QString fifo = dir.filePath(u"pipe.cfg"_s);
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString binary = put(u"bin.cfg"_s, QByteArray("bind\0x", 6));
    QFile huge(dir.filePath(u"huge.cfg"_s));
    ASSERT_TRUE(huge.open(QIODevice::WriteOnly) && huge.resize(100LL * 1024 * 1024));
    huge.close();
    const QString good = put(u"good.cfg"_s, "echo hi\n");
    const ToolRun r = run({u"--check"_s, fifo, dir.path(), dir.filePath(u"none.cfg"_s), binary,
                           huge.fileName(), good});
    EXPECT_EQ(r.status, kExitUnreadable);
    const QStringList lines = r.err.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 5) << r.err.toStdString();
    EXPECT_TRUE(lines[0].startsWith(u"tessera: "_s + fifo + u": "_s));
    EXPECT_TRUE(lines[1].contains(u"папка"_s));
    EXPECT_TRUE(lines[2].contains(u"не найден"_s));
    EXPECT_TRUE(lines[3].contains(u"не текстовый"_s));
    EXPECT_TRUE(lines[4].startsWith(u"tessera: "_s + huge.fileName()));
    EXPECT_TRUE(r.out.isEmpty()); // the good file has nothing to say

    QString error;
    EXPECT_FALSE(parseCommandLine({u"--check"_s}, &error).has_value());
    EXPECT_FALSE(parseCommandLine({u"--check"_s, u"--format"_s, u"xml"_s, good}, &error));
    EXPECT_TRUE(error.contains(u"xml"_s));
}

// Which arguments go to the tool, and what it refuses: every `--word` it does not know, named,
// and a game folder that is not there. Nothing refused ever reaches the editor.
TEST_F(CommandLineTool, UnknownOptionsAndMissingGameFoldersAreRefusedByName) {
    const QString cfg = put(u"k.cfg"_s, "echo hi\n");
    const struct {
        QStringList arguments;
        bool tool;
    } routes[] = {
        {{u"config.cfg"_s}, false},
        {{}, false},
        {{u"--self-test"_s}, false},
        {{u"--exit-when-idle"_s, u"a.cfg"_s}, false},
        {{u"--"_s, u"--check"_s}, false}, // a file of that name
        {{u"--check"_s}, true},
        {{u"a.cfg"_s, u"--keys"_s}, true},
        {{u"--chek"_s, u"config.cfg"_s}, true},
        {{u"config.cfg"_s, u"--gmae=x"_s}, true},
        {{u"-h"_s}, true},
    };
    for (const auto& r : routes)
        EXPECT_EQ(wantsCommandLineTool(r.arguments), r.tool)
            << r.arguments.join(u' ').toStdString();

    const QString missing = dir.filePath(u"нет-такой"_s);
    const struct {
        QStringList arguments;
        QString named; // empty: accepted
    } parses[] = {
        {{u"--chek"_s, cfg}, u"«--chek»"_s},
        {{u"--check"_s, u"--frmat"_s, u"json"_s, cfg}, u"«--frmat»"_s},
        {{u"--check"_s, u"--gmae=x"_s, cfg}, u"«--gmae=x»"_s},
        {{u"--check"_s, u"--game"_s, missing, cfg}, missing},
        {{u"--keys"_s, u"--game="_s + missing, cfg}, missing},
        {{u"--check"_s, u"--game"_s, cfg}, cfg}, // a file, not a folder
        {{u"--check"_s, u"--self-test"_s, cfg}, u"«--self-test»"_s},
        {{u"--check=1"_s, cfg}, u"--check"_s},
        {{u"--game"_s, dir.path(), cfg}, u"--check"_s}, // nothing to do
        {{u"--check"_s, u"--game"_s}, u"--game"_s},
        {{u"--check"_s, u"--game"_s, dir.path(), u"--format=json"_s, cfg}, QString()},
        {{u"--check"_s, u"--"_s, u"--odd.cfg"_s}, QString()},
    };
    for (const auto& p : parses) {
        QString error;
        const std::optional<CommandLineRequest> request = parseCommandLine(p.arguments, &error);
        const std::string shown = p.arguments.join(u' ').toStdString();
        if (p.named.isEmpty()) {
            EXPECT_TRUE(request.has_value()) << shown << ": " << error.toStdString();
            continue;
        }
        EXPECT_FALSE(request.has_value()) << shown;
        EXPECT_TRUE(error.contains(p.named)) << shown << ": " << error.toStdString();
    }
    const auto request = parseCommandLine({u"--check"_s, u"--"_s, u"--odd.cfg"_s}, nullptr);
    ASSERT_TRUE(request);
    EXPECT_EQ(request->files, QStringList{u"--odd.cfg"_s});
}

// The keys resolve the aliases the rest of the config set defines, as the keyboard map does.
TEST_F(CommandLineTool, KeysRunWhatTheConfigSetsAliasesRun) {
    ASSERT_TRUE(QDir(dir.path()).mkpath(u"cstrike"_s));
    put(u"cstrike/liblist.gam"_s, "game \"CS\"\n");
    put(u"cstrike/autoexec.cfg"_s, "alias autobuy_rifle \"buy; menuselect 4\"\n");
    const QString cfg = put(u"cstrike/config.cfg"_s, "bind F1 autobuy_rifle\nbind F2 +jump\n");
    const ToolRun r = run({u"--keys"_s, cfg});
    EXPECT_EQ(r.out,
              cfg + u":1: F1: autobuy_rifle → buy; menuselect 4\n"_s + cfg + u":2: F2: +jump\n"_s);
    // Elsewhere, --game names the folder whose set is read.
    const QString loose = put(u"loose.cfg"_s, "bind F1 autobuy_rifle\n");
    EXPECT_EQ(run({u"--keys"_s, loose}).out, loose + u":1: F1: autobuy_rifle\n"_s);
    EXPECT_EQ(run({u"--keys"_s, u"--game"_s, dir.filePath(u"cstrike"_s), loose}).out,
              loose + u":1: F1: autobuy_rifle → buy; menuselect 4\n"_s);
}

// --effective prints what the game ends up with after its start, and a file given stands in for
// its namesake of the set.
TEST_F(CommandLineTool, EffectivePrintsTheFinalStateOfTheSet) {
    ASSERT_TRUE(QDir(dir.path()).mkpath(u"cstrike"_s));
    const QString game = dir.filePath(u"cstrike"_s);
    put(u"cstrike/autoexec.cfg"_s, "sensitivity 5\nbind F2 +jump\n");
    put(u"cstrike/config.cfg"_s, "unbindall\nsensitivity 2\nexec userconfig.cfg\n");
    put(u"cstrike/userconfig.cfg"_s, "sensitivity 3\n");
    const ToolRun r = run({u"--effective"_s, u"--game"_s, game});
    EXPECT_EQ(r.status, kExitClean) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains(
        u"userconfig.cfg:1: variable sensitivity \"3\" [перекрывает autoexec.cfg:1, config.cfg:2]\n"_s))
        << r.out.toStdString();
    EXPECT_TRUE(r.out.contains(u"config.cfg:1: key F2 (снята) [перекрывает autoexec.cfg:2]\n"_s))
        << r.out.toStdString();
    EXPECT_TRUE(r.out.contains(u"valve.rc → autoexec.cfg → config.cfg → userconfig.cfg"_s))
        << r.out.toStdString();

    ASSERT_TRUE(QDir(dir.path()).mkpath(u"new"_s));
    const QString tried = put(u"new/userconfig.cfg"_s, "sensitivity 4\n");
    const ToolRun json = run({u"--effective"_s, u"--format"_s, u"json"_s, u"--game"_s, game, tried});
    EXPECT_TRUE(json.out.contains(
        u"{\"file\":\"%1\",\"kind\":\"variable\",\"line\":1,\"name\":\"sensitivity\","
        u"\"overrides\":[{\"file\":\"autoexec.cfg\",\"line\":1},{\"file\":\"config.cfg\","
        u"\"line\":2}],\"value\":\"4\"}"_s.arg(tried)))
        << json.out.toStdString();
    // Without a folder or a file there is no set to run.
    EXPECT_EQ(run({u"--effective"_s}).status, -1);
    // A file that cannot be read is named, and the status says so.
    const ToolRun missing = run({u"--effective"_s, u"--game"_s, game, dir.filePath(u"no.cfg"_s)});
    EXPECT_EQ(missing.status, kExitUnreadable);
    EXPECT_TRUE(missing.err.contains(u"no.cfg"_s)) << missing.err.toStdString();
}

TEST_F(CommandLineTool, TheGameFolderIsTheNearestWithAGameList) {
    ASSERT_TRUE(QDir(dir.path()).mkpath(u"cstrike/cfg"_s));
    put(u"cstrike/liblist.gam"_s, "game \"CS\"\n");
    EXPECT_EQ(gameFolderOf(dir.filePath(u"cstrike/cfg/x.cfg"_s)), dir.filePath(u"cstrike"_s));
    EXPECT_EQ(gameFolderOf(dir.filePath(u"other.cfg"_s)), QDir(dir.path()).absolutePath());
    // Aliases of the game folder's other files count as defined.
    put(u"cstrike/autoexec.cfg"_s, "alias go +jump\n");
    const QString cfg = put(u"cstrike/cfg/x.cfg"_s, "bind g go\ngo\n");
    EXPECT_EQ(run({u"--check"_s, cfg}).status, kExitClean);
    // The folder is read once for many files; each file's own exec still counts for it alone.
    put(u"cstrike/extra.rc"_s, "alias far +jump\n");
    const QString a = put(u"cstrike/cfg/a.cfg"_s, "go\nfar\n");
    const QString b = put(u"cstrike/cfg/b.cfg"_s, "exec extra.rc\nfar\n");
    const QString c = put(u"cstrike/cfg/c.cfg"_s, "go\nfar\n");
    const ToolRun r = run({u"--check"_s, a, b, c});
    EXPECT_EQ(r.status, kExitWarnings);
    EXPECT_TRUE(r.out.contains(a + u":2:1:"_s)) << r.out.toStdString();
    EXPECT_FALSE(r.out.contains(b)) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains(c + u":2:1:"_s)) << r.out.toStdString();
}

} // namespace

TEST_F(CommandLineTool, HistoryListsTheVersionsAndDiffPrintsOneAgainstTheFile) {
    const QString cfg = dir.filePath(u"config.cfg"_s);
    ASSERT_TRUE(writeKeepingVersions(versions, cfg, "bind w +forward\r\n", VersionSource::Save).ok);
    ASSERT_TRUE(writeKeepingVersions(versions, cfg, "bind w +forward\r\nbind x +jump\r\n",
                                     VersionSource::Wizard)
                    .ok);
    const ToolRun history = run({u"--history"_s, cfg});
    EXPECT_EQ(history.status, kExitClean);
    const QStringList lines = history.out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3) << history.out.toStdString();
    EXPECT_EQ(lines[0], cfg);
    EXPECT_TRUE(lines[1].contains(u"мастер"_s) && lines[1].endsWith(u"+1 -0"_s))
        << lines[1].toStdString();
    EXPECT_TRUE(lines[2].contains(u"сохранение"_s) && lines[2].endsWith(u"+1 -0"_s))
        << lines[2].toStdString();

    // Without a number: the newest version that differs from the file (the first is the file).
    const ToolRun diff = run({u"--diff"_s, cfg});
    EXPECT_EQ(diff.status, kExitWarnings);
    EXPECT_TRUE(diff.out.endsWith(u"@@ -1 +1,2 @@\n bind w +forward\n+bind x +jump\n"_s))
        << diff.out.toStdString();
    EXPECT_TRUE(diff.out.startsWith(u"--- "_s + cfg + u" (версия 2 от "_s));
    EXPECT_EQ(run({u"--diff"_s, cfg, u"1"_s}).out, QString()); // the file as it is
    EXPECT_EQ(run({u"--diff"_s, cfg, u"1"_s}).status, kExitClean);
    const ToolRun missing = run({u"--diff"_s, cfg, u"7"_s});
    EXPECT_EQ(missing.status, kExitUnreadable);
    EXPECT_TRUE(missing.err.contains(u"нет версии 7"_s));
    EXPECT_FALSE(run({u"--diff"_s, cfg, u"x"_s}).err.isEmpty());
    EXPECT_FALSE(run({u"--history"_s, cfg, cfg}).err.isEmpty());
    EXPECT_TRUE(wantsCommandLineTool({u"--history"_s, cfg}));
    EXPECT_TRUE(run({u"--history"_s, dir.filePath(u"none.cfg"_s)}).out.contains(u"версий нет"_s));
}
