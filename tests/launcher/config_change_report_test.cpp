// What the game (or a server) changed in config.cfg, told against the player's version, and
// the dropped lines moved into autoexec.cfg.
#include "language/config_commands.h"
#include "launcher/config_change_report.h"
#include "launcher/config_keeper.h"
#include "launcher_test_files.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

const Vocabulary& shippedWords() {
    static const Vocabulary words =
        Vocabulary::load(ProgramHome::portable(QStringLiteral(TESSERA_SOURCE_DIR) + u"/data"_s));
    return words;
}

// The player's config, and what a game that was on a server that advertises itself writes back.
const QString kMine = u"// мой конфиг\n"
                      u"alias +speed \"+speed;cl_forwardspeed 200\"\n"
                      u"exec buy.cfg\n"
                      u"bind \"w\" \"+forward\"\n"
                      u"bind \"F1\" \"buy\"\n"
                      u"bind \"F2\" \"say hi\"\n"
                      u"sensitivity \"3\"\n"
                      u"name \"Vasya\"\n"
                      u"cl_updaterate \"101\"; echo done\n"_s;
const QString kGame = u"// This file is overwritten whenever you change your user settings in the "
                      u"game.\n"
                      u"unbindall\n"
                      u"bind \"w\" \"+forward\"\n"
                      u"bind \"F1\" \"connect 1.2.3.4:27015\"\n"
                      u"bind \"F2\" \"say hi\"\n"
                      u"bind \"F3\" \"say visit www.server.ru\"\n"
                      u"sensitivity \"2.5\"\n"
                      u"name \"www.server.ru Player\"\n"
                      u"cl_updaterate \"101\"\n"_s;

const ConfigChange* find(const ConfigChangeReport& r, const QString& name) {
    for (const ConfigChange& c : r.changes)
        if (c.name == name)
            return &c;
    return nullptr;
}

} // namespace

TEST(ConfigChangeReport, AGameRewrittenConfigIsToldInWords) {
    const ConfigChangeReport r =
        compareGameConfig(kMine, kGame, shippedWords(), [](const QString&) { return true; });
    // The lines the game does not write back; a line of which only part was dropped too.
    EXPECT_EQ(r.droppedLines,
              (QStringList{u"alias +speed \"+speed;cl_forwardspeed 200\""_s, u"exec buy.cfg"_s,
                           u"cl_updaterate \"101\"; echo done"_s}));
    struct Expected {
        QString name;
        QString before;
        QString after;
        bool pushed;
    };
    const Expected expected[] = {
        {u"F1"_s, u"buy"_s, u"connect 1.2.3.4:27015"_s, true},
        {u"F3"_s, QString(), u"say visit www.server.ru"_s, true},
        {u"sensitivity"_s, u"3"_s, u"2.5"_s, false},
        {u"name"_s, u"Vasya"_s, u"www.server.ru Player"_s, true},
    };
    ASSERT_EQ(r.changes.size(), qsizetype(std::size(expected)));
    for (const Expected& e : expected) {
        const ConfigChange* c = find(r, e.name);
        ASSERT_TRUE(c) << e.name.toStdString();
        EXPECT_EQ(c->before, e.before) << e.name.toStdString();
        EXPECT_EQ(c->after, e.after) << e.name.toStdString();
        EXPECT_EQ(c->pushed, e.pushed) << e.name.toStdString();
    }
    const QString text = r.text();
    EXPECT_TRUE(text.startsWith(u"Возможно, подставлено сервером"_s)) << text.toStdString();
    EXPECT_TRUE(text.contains(u"перенесите их в autoexec.cfg"_s));
    EXPECT_TRUE(text.contains(u"sensitivity: было «3», стало «2.5»"_s));
    // Nothing changed: nothing to tell.
    EXPECT_TRUE(compareGameConfig(kGame, kGame, shippedWords(), {}).isEmpty());
}

TEST(ConfigChangeReport, CommandsAPlayerRarelyBindsAreFlagged) {
    const auto exists = [](const QString& name) { return name == u"buy.cfg"_s; };
    const std::pair<QString, bool> cases[] = {
        {u"+attack"_s, false},
        {u"buy; menuselect 4"_s, false},
        {u"say gg"_s, false},
        {u"say_team cover me"_s, false},
        {u"connect 10.0.0.1"_s, true},
        {u"retry"_s, true},
        {u"say join 192.168.0.10:27016"_s, true},
        {u"say_team best-server.com"_s, true},
        {u"motdfile x.txt"_s, true},
        {u"cl_timeout 9999"_s, true},
        {u"+jump; unbindall"_s, true},
        {u"exec buy.cfg"_s, false},
        {u"exec ad.cfg"_s, true},
        {u"developer 1"_s, true},
        {u"name SERVER"_s, true},
    };
    for (const auto& [commands, pushed] : cases)
        EXPECT_EQ(looksPushedByServer(commands, exists), pushed) << commands.toStdString();
}

TEST(ConfigChangeReport, ThePlayersVersionIsNeitherTheGamesNorAStartScript) {
    QTemporaryDir dir;
    const VersionStore store(dir.filePath(u"history"_s));
    const QString config = dir.filePath(u"config.cfg"_s);
    ASSERT_TRUE(writeKeepingVersions(store, config, "bind w +forward\r\n", VersionSource::Save).ok);
    ASSERT_TRUE(
        writeKeepingVersions(store, config, "exec _.cfg\r\nmap de_dust", VersionSource::Launch).ok);
    // The game's exit, caught once half-way: the file truncated before it is written.
    putFile(config, "");
    ASSERT_TRUE(store.notice(config).changed);
    putFile(config, "unbindall\r\nbind w +back\r\n");
    ASSERT_TRUE(store.notice(config).changed);
    const std::optional<FileVersion> mine = playersVersion(store, config);
    ASSERT_TRUE(mine);
    EXPECT_EQ(store.bytesOf(*mine).bytes, "bind w +forward\r\n");
    const ConfigChangeReport r = reportGameChange(store, config, shippedWords());
    ASSERT_EQ(r.changes.size(), 1);
    EXPECT_EQ(r.changes[0].after, u"+back"_s);
}

TEST(ConfigChangeReport, DroppedLinesMovedIntoAutoexecReadBackAsThemselves) {
    QTemporaryDir dir;
    const VersionStore store(dir.filePath(u"history"_s));
    const QString autoexec = dir.filePath(u"autoexec.cfg"_s);
    const QStringList lines{u"alias +speed \"+speed;cl_forwardspeed 200\""_s, u"exec buy.cfg"_s,
                            u"echo \"Привет\""_s};
    struct Case {
        QByteArray before; // the autoexec.cfg there was (empty: none)
        QByteArray after;
        int moved;
    };
    const Case cases[] = {
        {QByteArray(),
         "alias +speed \"+speed;cl_forwardspeed 200\"\r\nexec buy.cfg\r\necho \"\xCF\xF0\xE8\xE2"
         "\xE5\xF2\"\r\n",
         3},
        // The last line had no line break: it gets one, and a line already there is not doubled.
        {"// mine\nexec buy.cfg",
         "// mine\nexec buy.cfg\nalias +speed "
         "\"+speed;cl_forwardspeed 200\"\necho \"\xCF\xF0\xE8\xE2\xE5\xF2\"\n",
         2},
    };
    for (const Case& c : cases) {
        QFile::remove(autoexec);
        if (!c.before.isEmpty())
            putFile(autoexec, c.before);
        const MoveResult r = moveLinesToAutoexec(store, autoexec, lines);
        EXPECT_TRUE(r.ok) << r.message.toStdString();
        EXPECT_EQ(r.moved, c.moved);
        EXPECT_EQ(fileBytes(autoexec), c.after);
        // Each moved line is a command of the file, word for word.
        const textfile::ReadResult read = textfile::readText(autoexec);
        QStringList commands;
        CommandScanner scanner(read.text);
        CommandSpan span;
        while (scanner.next(span))
            commands.append(read.text.mid(span.start, span.end - span.start));
        for (const QString& l : lines)
            EXPECT_TRUE(read.text.contains(l)) << l.toStdString();
        EXPECT_TRUE(commands.contains(u"exec buy.cfg"_s));
    }
    // The autoexec.cfg there was is a version: the move can be undone.
    EXPECT_EQ(store.bytesOf(store.versions(autoexec).at(1)).bytes, cases[1].before);

    // A line that would join the one before it, unclosed quote and all, is refused whole.
    putFile(autoexec, "echo \"open");
    const QByteArray before = fileBytes(autoexec);
    EXPECT_TRUE(moveLinesToAutoexec(store, autoexec, {u"bind x y"_s}).ok); // a line break ends it
    putFile(autoexec, before);
    const MoveResult joined =
        moveLinesToAutoexec(store, autoexec, {u"bind x \"y"_s + QChar(0x2713)});
    EXPECT_FALSE(joined.ok); // a character Windows-1251 cannot hold
    EXPECT_EQ(fileBytes(autoexec), before);
}
