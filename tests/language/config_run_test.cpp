// The config set run as the game runs it at start: the order of its files, the last value
// winning, what undid what, and the engine's buffer limits, on a hand-made set and against a
// byte-level model of the engine's command buffer on random sets.
#include "language/config_run.h"

#include "engine_run_model.h"
#include "test_files.h"

#include "language/config_check.h"
#include "language/key_names.h"
#include "language/vocabulary.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using configrun::Kind;

namespace {

Vocabulary startVocabulary() {
    Vocabulary v;
    for (const char* c : {"echo", "+jump", "-jump", "+duck", "-duck", "slot1", "slot2", "+mlook",
                          "stuffcmds", "toggleconsole", "cancelselect"})
        v.addGoldSrc(QString::fromLatin1(c), WordKind::Command, GameVersion::Cs15, true);
    v.addVariables({u"sensitivity"_s, u"fps_max"_s, u"name"_s, u"volume"_s});
    return v;
}

struct Expected {
    Kind kind;
    QString name;
    QString value; // empty and `cleared` for a key unbound at the end
    QString place;
    QStringList overridden;
    bool cleared = false;
};

void expectFinals(const configrun::Result& r, const std::vector<Expected>& expected) {
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.name.toStdString());
        const configrun::Final* f = r.find(e.kind, e.name);
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(f->value, e.value);
        EXPECT_EQ(f->cleared, e.cleared);
        EXPECT_EQ(r.placeText(f->place), e.place);
        QStringList overridden;
        for (const configrun::Place& p : f->overridden)
            overridden.append(r.placeText(p));
        EXPECT_EQ(overridden, e.overridden);
    }
}

class ConfigRun : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        game = dir.path() + u"/Half-Life/cstrike"_s;
        put(dir.path() + u"/Half-Life/valve/valve.rc"_s,
            "// load the user configuration\nexec autoexec.cfg\nstuffcmds\n");
    }
    void file(const QString& name, const QByteArray& bytes) { put(game + u'/' + name, bytes); }
    configrun::Result run(configrun::Options o = {}) {
        o.gameDir = game;
        return configrun::run(o, words);
    }

    QTemporaryDir dir;
    QString game;
    const Vocabulary words = startVocabulary();
};

TEST_F(ConfigRun, RunsTheSetInTheGamesOrderAndTheLastValueWins) {
    file(u"config.cfg"_s, "unbindall\r\nbind \"F1\" \"slot1\"\r\nsensitivity \"2\"\r\n"
                          "bind semicolon slot1\r\nexec userconfig.cfg\r\n");
    file(u"autoexec.cfg"_s, "bind F2 +ng\nalias +ng \"+jump;+duck\"\nsensitivity 5\n"
                            "name Player\nexec scripts.cfg\nsetup\nsetinfo dm 1\n");
    file(u"scripts.cfg"_s, "alias setup \"fps_max 101; bind F3 slot2\"\n");
    file(u"userconfig.cfg"_s,
         "sensitivity 3 // mine\nexec userconfig.cfg\nexec missing.cfg\nbind \";\" slot2\n");
    const configrun::Result r = run();

    QStringList chain;
    for (const configrun::ChainFile& f : r.chain)
        chain.append(f.shown + (f.missing ? u" (нет)"_s : QString()));
    EXPECT_EQ(chain, (QStringList{u"../valve/valve.rc"_s, u"autoexec.cfg"_s, u"scripts.cfg"_s,
                                  u"config.cfg"_s, u"userconfig.cfg"_s, u"missing.cfg (нет)"_s}));
    EXPECT_EQ(r.chain.at(2).parent, 1);
    EXPECT_EQ(r.chain.at(2).execLine, 4);

    const QString f2 = canonicalKeyName(u"F2"), f3 = canonicalKeyName(u"F3");
    expectFinals(
        r, {
               // userconfig.cfg runs last, called from the end of config.cfg; its self-exec
               // stops when the buffer is full and changes nothing.
               {Kind::Variable, u"sensitivity"_s, u"3"_s, u"userconfig.cfg:1"_s,
                {u"autoexec.cfg:3"_s, u"config.cfg:3"_s}},
               // config.cfg's unbindall undoes the binds autoexec.cfg made before it.
               {Kind::Key, f2, QString(), u"config.cfg:1"_s, {u"autoexec.cfg:1"_s}, true},
               {Kind::Key, f3, QString(), u"config.cfg:1"_s, {u"autoexec.cfg:6"_s}, true},
               {Kind::Key, canonicalKeyName(u"F1"), u"slot1"_s, u"config.cfg:2"_s, {}},
               // Two names of one key bind the same key.
               {Kind::Key, canonicalKeyName(u";"), u"slot2"_s, u"userconfig.cfg:4"_s,
                {u"config.cfg:4"_s}},
               // What an alias sets stands at the line that called it.
               {Kind::Variable, u"fps_max"_s, u"101"_s, u"autoexec.cfg:6"_s, {}},
               {Kind::Variable, u"name"_s, u"Player"_s, u"autoexec.cfg:4"_s, {}},
               {Kind::Alias, u"+ng"_s, u"+jump;+duck"_s, u"autoexec.cfg:2"_s, {}},
               {Kind::Alias, u"setup"_s, u"fps_max 101; bind F3 slot2"_s, u"scripts.cfg:1"_s, {}},
               {Kind::UserInfo, u"dm"_s, u"1"_s, u"autoexec.cfg:7"_s, {}},
               // The profile load binds Escape and the console keys itself.
               {Kind::Key, canonicalKeyName(u"escape"), u"cancelselect"_s, u"движок"_s, {}},
           });
    EXPECT_EQ(r.chain.at(3).decides, 1); // config.cfg: F1 (its unbindall clears, decides nothing)
    EXPECT_EQ(r.chain.at(4).decides, 2); // userconfig.cfg: sensitivity and ";"
    EXPECT_EQ(std::count_if(r.finals.cbegin(), r.finals.cend(),
                            [](const configrun::Final& f) { return f.kind == Kind::Key; }),
              7); // F1, F2, F3, ";", Escape and the two console keys
}

TEST_F(ConfigRun, CommandsTheConsoleRefusesSetNothing) {
    file(u"autoexec.cfg"_s,
         "setinfo dm 1 x\nsetinfo _vgui_menus 0\nbind NOSUCHKEY slot1\nalias sensitivity echo\n"
         "exec ../evil.cfg\nexec notes.txt\nexec a.cfg b\nalias waytoolongaliasnamewaytoolongname x\n"
         "bind escape slot1\nsensitivity\nunknowncommand 5\necho;name Вася\n");
    file(u"notes.txt"_s, "fps_max 1\n");
    const configrun::Result r = run();
    EXPECT_EQ(r.find(Kind::UserInfo, u"dm"_s), nullptr);
    EXPECT_NE(r.find(Kind::UserInfo, u"_vgui_menus"_s), nullptr);
    EXPECT_EQ(r.find(Kind::Key, u"NOSUCHKEY"_s), nullptr);
    EXPECT_EQ(r.find(Kind::Alias, u"sensitivity"_s), nullptr);
    EXPECT_EQ(r.find(Kind::Variable, u"fps_max"_s), nullptr);
    EXPECT_EQ(r.find(Kind::Variable, u"sensitivity"_s), nullptr);
    EXPECT_EQ(r.find(Kind::Alias, u"waytoolongaliasnamewaytoolongname"_s), nullptr);
    // "name Вася" gives the console the name alone: it prints the value and sets nothing.
    EXPECT_EQ(r.find(Kind::Variable, u"name"_s), nullptr);
    const configrun::Final* escape = r.find(Kind::Key, canonicalKeyName(u"escape"));
    ASSERT_NE(escape, nullptr);
    EXPECT_EQ(escape->value, u"cancelselect"_s);
    for (const configrun::ChainFile& f : r.chain)
        EXPECT_NE(f.name, u"notes.txt"_s);
}

TEST_F(ConfigRun, AStandInTakesItsNamesakesPlaceAndTheStandardRcStandsInForAMissingOne) {
    QDir(dir.path() + u"/Half-Life/valve"_s).removeRecursively();
    file(u"config.cfg"_s, "sensitivity 2\n");
    file(u"autoexec.cfg"_s, "sensitivity 9\n");
    configrun::Options o;
    o.standIns.insert(u"config.cfg"_s, {u"sensitivity 4\nbind \"h\" \"slot1\"\n"_s,
                                        console::Bytes::Single, u"new/config.cfg"_s});
    o.commandLine = {u"-game"_s, u"cstrike"_s, u"+fps_max"_s, u"72"_s, u"+name"_s, u"x"_s};
    const configrun::Result r = run(o);
    ASSERT_FALSE(r.chain.isEmpty());
    EXPECT_TRUE(r.chain.front().standard);
    expectFinals(r, {{Kind::Variable, u"sensitivity"_s, u"4"_s, u"new/config.cfg:1"_s,
                      {u"autoexec.cfg:1"_s}},
                     {Kind::Key, canonicalKeyName(u"h"), u"slot1"_s, u"new/config.cfg:2"_s, {}},
                     // "stuffcmds" in valve.rc runs the command line's "+" commands.
                     {Kind::Variable, u"fps_max"_s, u"72"_s, u"valve.rc:2"_s, {}},
                     {Kind::Variable, u"name"_s, u"x"_s, u"valve.rc:2"_s, {}}});
}

TEST_F(ConfigRun, AFileTooLongForTheBufferRunsAfterEverythingQueuedAndLineByLine) {
    QByteArray big = "sensitivity 7\nbind\tF5 slot1\nname \xc0\xc1 fps_max 99\n";
    while (big.size() < 17000)
        big += "// padding to pass the engine's buffer of 16384 bytes\n";
    big += "volume 0.3\n";
    file(u"autoexec.cfg"_s, big);
    file(u"config.cfg"_s, "sensitivity 2\nvolume 1\n");
    const configrun::Result r = run();
    // config.cfg was already in the buffer, so it ran before the long autoexec.cfg's lines.
    expectFinals(r, {{Kind::Variable, u"sensitivity"_s, u"7"_s, u"autoexec.cfg:1"_s,
                      {u"config.cfg:1"_s}},
                     {Kind::Variable, u"volume"_s, u"0.3"_s,
                      u"autoexec.cfg:%1"_s.arg(big.count('\n')), {u"config.cfg:2"_s}},
                     // A non-ASCII letter ends the line there: "fps_max 99" runs on its own.
                     {Kind::Variable, u"fps_max"_s, u"99"_s, u"autoexec.cfg:3"_s, {}}});
    // A tab ends the line too: "bind" alone binds nothing.
    EXPECT_EQ(r.find(Kind::Key, canonicalKeyName(u"F5")), nullptr);
}

TEST(ConfigRunPieces, LinesEndAtTabsAndNonAsciiLettersAsTheEnginesLineReaderEndsThem) {
    const QString text = u"a b\r\n\r\nc\td\nsay Привет all\n\n"_s;
    const QList<configrun::Piece> pieces = configrun::lineByLinePieces(text);
    QStringList texts;
    QList<int> lines;
    for (const configrun::Piece& p : pieces) {
        texts.append(text.mid(p.start, p.length));
        lines.append(p.line);
    }
    EXPECT_EQ(texts, (QStringList{u"a b"_s, u"c"_s, u"\td"_s, u"say "_s, u" all"_s}));
    EXPECT_EQ(lines, (QList<int>{0, 2, 2, 3, 3}));
}

TEST_F(ConfigRun, AnAliasThatCallsItselfWithoutWaitIsReportedNotRunForever) {
    file(u"autoexec.cfg"_s, "alias spin \"fps_max 1;spin\"\nspin\n");
    file(u"config.cfg"_s, "sensitivity 2\n");
    const configrun::Result r = run();
    ASSERT_EQ(r.notes.size(), 1);
    EXPECT_EQ(r.notes.front().text,
              u"Алиас «spin» вызывает себя без wait: игра зависнет при запуске"_s);
    EXPECT_EQ(r.placeText(r.notes.front().place), u"autoexec.cfg:2"_s);
}

// --- random sets against the engine model --------------------------------------------------

QString randomLine(QRandomGenerator& rng, int depth = 0) {
    static const QStringList keys = {u"a"_s, u"F1"_s, u"mouse1"_s, u"SPACE"_s, u"escape"_s, u"x"_s};
    static const QStringList vars = {u"sensitivity"_s, u"fps_max"_s, u"Name"_s, u"volume"_s};
    static const QStringList files = {u"config.cfg"_s, u"autoexec.cfg"_s, u"userconfig.cfg"_s,
                                      u"a.cfg"_s, u"B.cfg"_s, u"none.cfg"_s};
    const auto pick = [&](const QStringList& l) { return l.at(rng.bounded(int(l.size()))); };
    const QString value = QString::number(rng.bounded(100));
    switch (rng.bounded(depth > 1 ? 9 : 12)) {
    case 0:
        return pick(vars) + u' ' + value;
    case 1:
        return pick(vars) + u" \""_s + value + u"\" // c"_s;
    case 2:
        return u"bind "_s + pick(keys) + u" \"slot"_s + value + u'"';
    case 3:
        return u"unbind "_s + pick(keys);
    case 4:
        return rng.bounded(4) == 0 ? u"unbindall"_s : u"wait"_s;
    case 5:
        return u"exec "_s + pick(files);
    case 6:
        return u"setinfo k"_s + QString::number(rng.bounded(3)) + u' ' + value;
    case 7:
        return u"al"_s + QString::number(rng.bounded(4)); // a call
    case 8:
        return pick(vars) + u" \xc0\xe9"_s + value + u";echo \xff x"_s;
    default: {
        // An alias calls only aliases numbered above it, so no alias runs forever.
        const int n = rng.bounded(4);
        QString body;
        for (int i = 0, count = 1 + rng.bounded(3); i < count; ++i) {
            QString inner = randomLine(rng, depth + 2);
            if (inner.startsWith(u"al"_s) && inner.size() == 3)
                inner = u"al"_s + QString::number(n + 1 + rng.bounded(3));
            inner.remove(u'"');
            body += (i ? u";"_s : QString()) + inner;
        }
        return u"alias al"_s + QString::number(n) + u" \""_s + body + u'"';
    }
    }
}

TEST(ConfigRunModel, FinalVariablesBindsAliasesAndUserInfoMatchTheEngineModel) {
    QRandomGenerator rng(51);
    Vocabulary words = startVocabulary();
    enginemodel::StartWorld world;
    for (const char* v : {"sensitivity", "fps_max", "name", "volume"})
        world.variables.insert(v);
    for (const char* c : {"echo", "+jump", "-jump", "+duck", "-duck", "slot1", "slot2", "+mlook",
                          "stuffcmds", "toggleconsole", "cancelselect", "exec", "alias", "bind",
                          "unbind", "unbindall", "setinfo", "wait"})
        world.commands.insert(c);
    for (const char* k : {"a", "f1", "mouse1", "space", "escape", "x", "`", "~"})
        world.keys.insert(k);
    for (int round = 0; round < 150; ++round) {
        SCOPED_TRACE(round);
        configrun::Options options;
        world.files.clear();
        const auto add = [&](const QString& name, const QString& text) {
            options.standIns.insert(name, {text, console::Bytes::Single, name});
            world.files.insert(name.toLatin1(), text.toLatin1());
        };
        add(u"valve.rc"_s, u"exec autoexec.cfg\nstuffcmds\n"_s);
        for (const QString& name :
             {u"config.cfg"_s, u"autoexec.cfg"_s, u"userconfig.cfg"_s, u"a.cfg"_s, u"b.cfg"_s}) {
            if (rng.bounded(5) == 0)
                continue;
            QString text;
            for (int i = 0, lines = rng.bounded(12); i < lines; ++i)
                text += randomLine(rng) + (rng.bounded(6) == 0 ? u";"_s : u"\n"_s);
            if (rng.bounded(8) == 0)
                while (text.size() < 16500)
                    text += u"// long\n"_s + randomLine(rng) + u'\n';
            add(name, text);
        }
        const configrun::Result ours = configrun::run(options, words);
        const enginemodel::StartState engine = enginemodel::runStart(world);

        QHash<QByteArray, QByteArray> variables, binds, aliases, userinfo;
        for (const configrun::Final& f : ours.finals) {
            const QByteArray name = f.name.toLatin1().toLower(), value = f.value.toLatin1();
            switch (f.kind) {
            case Kind::Variable:
                variables.insert(name, value);
                break;
            case Kind::Key:
                if (!f.cleared)
                    binds.insert(name, value);
                break;
            case Kind::Alias:
                aliases.insert(name, value);
                break;
            case Kind::UserInfo:
                userinfo.insert(f.name.toLatin1(), value);
                break;
            }
        }
        QHash<QByteArray, QByteArray> engineAliases;
        for (auto it = engine.aliases.cbegin(); it != engine.aliases.cend(); ++it)
            engineAliases.insert(it.key(), it.value().chopped(it.value().isEmpty() ? 0 : 1));
        EXPECT_EQ(variables, engine.variables);
        EXPECT_EQ(binds, engine.binds);
        EXPECT_EQ(aliases, engineAliases);
        EXPECT_EQ(userinfo, engine.userinfo);
        if (HasFailure()) {
            QList<QByteArray> ourTrace, engineTrace;
            options.trace = [&](const QStringList& w, const configrun::Place&) {
                ourTrace.append(w.join(u' ').toLatin1());
            };
            configrun::run(options, words);
            enginemodel::StartModel model(world);
            model.trace = &engineTrace;
            model.run();
            qsizetype i = 0;
            while (i < ourTrace.size() && i < engineTrace.size() && ourTrace[i] == engineTrace[i])
                ++i;
            ADD_FAILURE() << "diverge at " << i << " of " << ourTrace.size() << "/" << engineTrace.size();
            for (qsizetype k = std::max<qsizetype>(0, i - 8); k < i + 4; ++k)
                ADD_FAILURE() << k << " ours: " << ourTrace.value(k).toStdString() << " | engine: " << engineTrace.value(k).toStdString();
            break;
        }
    }
}

} // namespace

namespace {

// F7 says where a later file of the set undoes a line of this one.
TEST_F(ConfigRun, TheCheckNamesTheLinesALaterFileUndoes) {
    file(u"config.cfg"_s, "unbindall\nbind F1 slot1\nsensitivity 2\nexec userconfig.cfg\n");
    file(u"userconfig.cfg"_s, "sensitivity 3\n");
    // The file's own second fps_max undoes its first: that is no later file's doing.
    const QString autoexec =
        u"bind F2 slot2\nsensitivity 5\nalias own slot1\nfps_max 60\nfps_max 100\n"_s;
    CheckedFile form;
    form.name = game + u"/autoexec.cfg"_s;
    QStringList found;
    for (const ConfigFinding& f : checkConfig(autoexec, words, game, form))
        if (f.kind == ConfigFinding::Kind::Hint && f.message.startsWith(u"Перекрыто"_s))
            found.append(u"%1: %2"_s.arg(f.line + 1).arg(f.message));
    EXPECT_EQ(found, (QStringList{
                         u"1: Перекрыто: config.cfg:1 снимает клавишу F2 после этого файла"_s,
                         u"2: Перекрыто: userconfig.cfg:1 задаёт «sensitivity 3» после этого файла"_s,
                     }));
    // A file the game does not run is checked as before.
    form.name = game + u"/spare.cfg"_s;
    for (const ConfigFinding& f : checkConfig(autoexec, words, game, form))
        EXPECT_FALSE(f.message.startsWith(u"Перекрыто"_s)) << f.message.toStdString();
}

} // namespace

namespace {

// A long config runs each of its commands once: however many it has, that is no endless run.
TEST_F(ConfigRun, ALongConfigIsNoEndlessRun) {
    QString text;
    for (int i = 0; i < 120000; ++i)
        text += u"fps_max %1\n"_s.arg(i);
    configrun::Options o;
    o.standIns.insert(u"config.cfg"_s, {text, console::Bytes::Single, {}});
    const configrun::Result r = run(o);
    EXPECT_TRUE(r.notes.isEmpty()) << (r.notes.isEmpty() ? "" : r.notes.front().text.toStdString());
    const configrun::Final* f = r.find(Kind::Variable, u"fps_max"_s);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->value, u"119999"_s);
    EXPECT_EQ(r.placeText(f->place), u"config.cfg:120000"_s);
}

} // namespace

// A file runs whole when it fits the command buffer with what is queued, else line by line after
// the rest: around the buffer's size, which of two files decides a setting turns on one byte.
TEST(ConfigRunModel, AFileOfTheBuffersSizeRunsAsTheEngineRunsIt) {
    const Vocabulary words = startVocabulary();
    enginemodel::StartWorld world;
    world.variables.insert("sensitivity");
    for (const char* c : {"exec", "stuffcmds", "+mlook"})
        world.commands.insert(c);
    QSet<QByteArray> seen;
    for (int size = 16330; size <= 16400; ++size) {
        SCOPED_TRACE(size);
        QByteArray autoexec = "// " + QByteArray(size - 3 - 15 - 1, 'x') + "\nsensitivity 1\n";
        configrun::Options options;
        world.files.clear();
        for (const auto& [name, text] :
             {std::pair<QByteArray, QByteArray>{"valve.rc", "exec autoexec.cfg\nstuffcmds\n"},
              {"autoexec.cfg", autoexec},
              {"config.cfg", "sensitivity 2\n"}}) {
            const QString n = QString::fromLatin1(name);
            options.standIns.insert(n, {QString::fromLatin1(text), console::Bytes::Single, n});
            world.files.insert(name, text);
        }
        const configrun::Result run = configrun::run(options, words);
        const configrun::Final* ours = run.find(Kind::Variable, u"sensitivity"_s);
        ASSERT_NE(ours, nullptr);
        const QByteArray engine = enginemodel::runStart(world).variables.value("sensitivity");
        EXPECT_EQ(ours->value.toLatin1(), engine);
        seen.insert(engine);
    }
    EXPECT_EQ(seen.size(), 2); // both ways were run
}

// Hundreds of names: each keeps one final state, and a name set again after many others still
// knows where it was set before.
TEST_F(ConfigRun, ManyNamesKeepOneStateEach) {
    QByteArray autoexec = "bind x slot1\n";
    for (int i = 0; i < 600; ++i)
        autoexec += "alias a" + QByteArray::number(i) + " slot1\n";
    autoexec += "alias a0 slot2\nsetinfo k599 1\n";
    for (int i = 0; i < 600; ++i)
        autoexec += "setinfo k" + QByteArray::number(i) + " " + QByteArray::number(i) + "\n";
    autoexec += "bind x slot2\n";
    file(u"autoexec.cfg"_s, autoexec);
    const configrun::Result r = run();
    qsizetype aliases = 0, infos = 0;
    for (const configrun::Final& f : r.finals) {
        aliases += f.kind == Kind::Alias;
        infos += f.kind == Kind::UserInfo;
    }
    EXPECT_EQ(aliases, 600);
    EXPECT_EQ(infos, 600);
    expectFinals(r, {
                        {Kind::Alias, u"a0"_s, u"slot2"_s, u"autoexec.cfg:602"_s,
                         {u"autoexec.cfg:2"_s}},
                        {Kind::UserInfo, u"k599"_s, u"599"_s, u"autoexec.cfg:1203"_s,
                         {u"autoexec.cfg:603"_s}},
                        {Kind::Key, canonicalKeyName(u"x"), u"slot2"_s, u"autoexec.cfg:1204"_s,
                         {u"autoexec.cfg:1"_s}},
                    });
}

// The finals stand sorted by kind and name, and each is found by its name: short names, names
// that share their first letters, user-info keys that differ only in case.
TEST_F(ConfigRun, EveryFinalIsFoundByItsKindAndName) {
    file(u"autoexec.cfg"_s,
         "alias a \"echo\"\nalias ab \"echo\"\nalias abcd \"echo\"\nalias abcde \"echo\"\n"
         "alias abcdf \"echo\"\nalias abc \"echo\"\nalias b \"echo\"\nalias Abce \"echo\"\n"
         "setinfo Key 1\nsetinfo key 2\nsetinfo KEY 3\nsetinfo _k 4\nsetinfo k~ 5\n"
         "bind F1 slot1\nbind a slot2\nsensitivity 2\nfps_max 100\n");
    const configrun::Result r = run();
    QStringList infos;
    for (qsizetype i = 0; i < r.finals.size(); ++i) {
        const configrun::Final& f = r.finals.at(i);
        SCOPED_TRACE(f.name.toStdString());
        EXPECT_EQ(r.find(f.kind, f.name), &f);
        if (i > 0) {
            const configrun::Final& before = r.finals.at(i - 1);
            EXPECT_TRUE(before.kind < f.kind ||
                        (before.kind == f.kind && configrun::nameBefore(before.name, f.name)));
        }
        if (f.kind == Kind::UserInfo)
            infos.append(f.name);
    }
    EXPECT_EQ(infos, (QStringList{u"KEY"_s, u"Key"_s, u"_k"_s, u"key"_s, u"k~"_s}));
    EXPECT_NE(r.find(Kind::Alias, u"abce"_s), nullptr);
    EXPECT_EQ(r.find(Kind::Alias, u"abcdg"_s), nullptr);
}

// A setting made at many places, some of them twice (a file run twice), overrides each of them
// once, in the order they first ran; the place that wins is not among them.
TEST_F(ConfigRun, ManyOverriddenPlacesAreEachGivenOnce) {
    QByteArray lines;
    QStringList expected;
    for (int i = 0; i < 20; ++i) {
        lines += "sensitivity " + QByteArray::number(i) + "\n";
        expected.append(u"s.cfg:%1"_s.arg(i + 1));
    }
    file(u"s.cfg"_s, lines + "sensitivity 7\n");
    file(u"autoexec.cfg"_s, "exec s.cfg\nsensitivity 5\nexec s.cfg\n");
    expected.append(u"autoexec.cfg:2"_s);
    const configrun::Result r = run();
    expectFinals(r, {{Kind::Variable, u"sensitivity"_s, u"7"_s, u"s.cfg:21"_s, expected}});
}
