// The keyboard map's layout table and the resolution of binds, aliases and combinations.
#include "keys/config_set_keys.h"
#include "language/vocabulary.h"
#include "keys/key_description.h"
#include "keys/key_layout.h"
#include "keys/key_resolution.h"
#include "language/key_names.h"
#include "print_qstring.h"
#include "test_files.h"
#include "wizard/script_generator.h"

#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

KeyMapResult resolve(const QString& text, const MetaBindAliases& metaBinds = {}) {
    BindingLines lines;
    lines.setText(text);
    return resolveKeyMap(lines, metaBinds);
}

} // namespace

TEST(KeyLayout, EveryEngineKeyIsPlacedOnceAndNothingOverlaps) {
    QSet<QString> placed;
    QList<QRectF> rects;
    for (const KeyCap& cap : keyboardLayout()) {
        EXPECT_FALSE(cap.label.isEmpty()) << cap.name.toStdString();
        if (!cap.twin) {
            EXPECT_FALSE(placed.contains(cap.name)) << cap.name.toStdString();
            placed.insert(cap.name);
        }
        for (const QRectF& other : std::as_const(rects))
            EXPECT_FALSE(other.intersects(cap.rect)) << cap.name.toStdString();
        rects.append(cap.rect);
        EXPECT_GE(cap.rect.left(), 0);
        EXPECT_LE(cap.rect.right(), keyboardLayoutSize().width());
        EXPECT_LE(cap.rect.bottom(), keyboardLayoutSize().height());
    }
    EXPECT_EQ(placed.size(), engineKeyNames().size());
    // The engine's named keys, the mouse included, and every key the program lists.
    QStringList expected = {u"MOUSE1"_s,   u"MOUSE2"_s,    u"MOUSE3"_s,     u"MOUSE4"_s,
                            u"MOUSE5"_s,   u"MWHEELUP"_s,  u"MWHEELDOWN"_s, u"PAUSE"_s,
                            u"KP_ENTER"_s, u"KP_5"_s,      u"KP_SLASH"_s,   u"AUX32"_s,
                            u"CAPSLOCK"_s, u"BACKSPACE"_s, u";"_s,          u"`"_s};
    expected += keyNames();
    for (const QString& name : std::as_const(expected))
        EXPECT_TRUE(placed.contains(name)) << name.toStdString();
    for (const QString& name : keyNames())
        EXPECT_EQ(canonicalKeyName(name), name) << name.toStdString();
    // The mouse has its seven places in its own block.
    int mouse = 0;
    for (const KeyCap& cap : keyboardLayout())
        mouse += cap.block == KeyBlock::Mouse;
    EXPECT_EQ(mouse, 7);
}

TEST(KeyLayout, NamesAreMatchedAsTheGameMatchesThem) {
    const std::pair<QString, QString> cases[] = {
        {u"shift"_s, u"SHIFT"_s},
        {u"Mouse4"_s, u"MOUSE4"_s},
        {u"A"_s, u"a"_s},
        {u"semicolon"_s, u";"_s},
        {u";"_s, u";"_s},
        {u"kp_enter"_s, u"KP_ENTER"_s},
        {u"mwheelup"_s, u"MWHEELUP"_s},
        {u"LSHIFT"_s, QString()},
        {u"F13"_s, QString()},
        // Any one ASCII character is a key to the engine (none types "!", but it binds).
        {u"!"_s, u"!"_s},
        {u"SCROLLOCK"_s, u"SCROLLOCK"_s},
        {u"aux32"_s, u"AUX32"_s},
        {u"ё"_s, QString()},
        {u"Ж"_s, QString()},
        {QString(), QString()},
    };
    for (const auto& [written, canonical] : cases)
        EXPECT_EQ(canonicalKeyName(written), canonical) << written.toStdString();
}

TEST(KeyResolution, BindsAliasesAndTheirFinalCommands) {
    const KeyMapResult r = resolve(u"bind w +forward\n"
                                   u"alias \"+jd\" \"+jump;+duck\"\n"
                                   u"alias \"-jd\" \"-jump;-duck\"\n"
                                   u"bind \"SPACE\" \"+jd\" // both\n"
                                   u"alias a1 \"a2;echo one\"; alias a2 \"say hi there\"\n"
                                   u"bind f a1\n"
                                   u"bind g say hello world\n"
                                   u"bind h \"\"\n"
                                   u"BIND \"E\" \"+use\"\n"_s);
    const KeyBinding& w = r.binding(u"w"_s);
    EXPECT_EQ(w.kind, KeyKind::Action);
    EXPECT_EQ(w.pressed, QStringList{u"+forward"_s});
    EXPECT_EQ(w.lines, QList<int>{0});
    EXPECT_TRUE(w.released.isEmpty());

    const KeyBinding& space = r.binding(u"SPACE"_s);
    EXPECT_EQ(space.kind, KeyKind::Alias);
    EXPECT_EQ(space.pressed, (QStringList{u"+jump"_s, u"+duck"_s}));
    EXPECT_EQ(space.released, (QStringList{u"-jump"_s, u"-duck"_s}));
    EXPECT_EQ(space.lines, QList<int>{3});

    const KeyBinding& f = r.binding(u"f"_s);
    EXPECT_EQ(f.kind, KeyKind::Alias);
    EXPECT_EQ(f.aliases, (QStringList{u"a1"_s, u"a2"_s}));
    EXPECT_EQ(f.pressed, (QStringList{u"say hi there"_s, u"echo one"_s}));

    EXPECT_EQ(r.binding(u"g"_s).command, u"say hello world"_s);
    EXPECT_EQ(r.binding(u"h"_s).kind, KeyKind::Free);
    EXPECT_EQ(r.binding(u"h"_s).lines, QList<int>{7});
    EXPECT_EQ(r.binding(u"e"_s).kind, KeyKind::Action);
    EXPECT_EQ(r.binding(u"q"_s).kind, KeyKind::Free);
    EXPECT_EQ(r.boundCount, 5);
    EXPECT_EQ(r.freeCount, engineKeyNames().size() - 5);
    EXPECT_EQ(r.kindCounts[int(KeyKind::Alias)], 2);
}

TEST(KeyResolution, TheLaterBindWinsAndUnbindallStartsAgain) {
    const KeyMapResult r = resolve(u"bind x jump\n"
                                   u"bind q +attack\n"
                                   u"unbindall\n"
                                   u"bind a +moveleft\n"
                                   u"bind a +moveleft\n" // the same again: no conflict
                                   u"bind A +MOVELEFT\n" // names in any case: still the same
                                   u"bind b buy; bind B buyequip\n"
                                   u"bind c slot1\n"
                                   u"unbind c\n"
                                   u"bind \"SEMICOLON\" \"+mlook\"\n"
                                   u"bind \";\" \"+strafe\"\n"_s);
    EXPECT_EQ(r.binding(u"x"_s).kind, KeyKind::Free);
    EXPECT_TRUE(r.binding(u"x"_s).lines.isEmpty());
    EXPECT_FALSE(r.binding(u"a"_s).conflict);
    EXPECT_EQ(r.binding(u"a"_s).lines, (QList<int>{3, 4, 5}));
    const KeyBinding& b = r.binding(u"b"_s);
    EXPECT_TRUE(b.conflict);
    EXPECT_EQ(b.lines, (QList<int>{6, 6}));
    EXPECT_EQ(b.command, u"buyequip"_s);
    EXPECT_EQ(r.binding(u"c"_s).kind, KeyKind::Free);
    const KeyBinding& semicolon = r.binding(u";"_s);
    EXPECT_TRUE(semicolon.conflict);
    EXPECT_EQ(semicolon.command, u"+strafe"_s);
    EXPECT_EQ(semicolon.lines, (QList<int>{9, 10}));
    EXPECT_EQ(r.conflictCount, 2);
}

// What the console reads decides the map: an alias a bind's body defines is the config's alias,
// and a Russian letter where a word begins is skipped ("bind жw +jump" binds w).
TEST(KeyResolution, ReadsBindsAsTheConsoleReadsThem) {
    const KeyMapResult r = resolve(u"bind F5 \"alias go +attack\"\n"
                                   u"bind k go\n"
                                   u"bind жw +jump\n"
                                   u"bind m say,hi\n"_s);
    EXPECT_EQ(r.binding(u"k"_s).kind, KeyKind::Alias);
    EXPECT_EQ(r.binding(u"w"_s).command, u"+jump"_s);
    EXPECT_EQ(r.binding(u"m"_s).command, u"say , hi"_s);
}

TEST(KeyResolution, CyclesAreCutWithANoteAndLongExpansionsStop) {
    const KeyMapResult r = resolve(u"alias a \"b;echo a\"\nalias b \"c\"\nalias c \"a\"\n"
                                   u"bind k a\n"
                                   u"alias self self\nbind j self\n"
                                   u"alias w2 \"w1;w1\"\nalias w3 \"w2;w2\"\nalias w4 \"w3;w3\"\n"
                                   u"alias w5 \"w4;w4\"\nalias w6 \"w5;w5\"\nalias w7 \"w6;w6\"\n"
                                   u"alias w8 \"w7;w7\"\nbind l w8\n"_s);
    const KeyBinding& k = r.binding(u"k"_s);
    EXPECT_EQ(k.pressed, QStringList{u"echo a"_s});
    ASSERT_EQ(k.notes.size(), 1);
    EXPECT_EQ(k.notes[0], u"Цикл: a → b → c → a: дальше не раскрывается"_s);
    EXPECT_TRUE(r.binding(u"j"_s).pressed.isEmpty());
    EXPECT_EQ(r.binding(u"j"_s).notes.size(), 1);
    const KeyBinding& l = r.binding(u"l"_s);
    EXPECT_EQ(l.pressed.size(), kMaxResolvedCommands);
    EXPECT_TRUE(l.notes.last().startsWith(u"Список команд обрезан"_s));

    // An alias written again and again names only its last lines.
    const KeyMapResult again = resolve(u"alias r1 x\n"_s.repeated(6) + u"bind p r1"_s);
    EXPECT_EQ(again.binding(u"p"_s).notes,
              QStringList{u"Алиас «r1» задан 6 раз (строки …, 3, 4, 5, 6): действует строка 6"_s});
}

TEST(KeyResolution, TheWizardsCombinationsAndScripts) {
    // What the wizard writes for a one-key buy script on "f" and a combination ALT + f.
    const script::AliasNames single = script::aliasNamesFor(u"f"_s);
    script::Fragments buy;
    buy.rifle = u"buy;menuselect 4;menuselect 1;"_s;
    const script::AliasNames combo = script::aliasNamesFor(u"ALT-f"_s);
    script::Fragments radio;
    radio.radio = u"radio3;menuselect 1;"_s;
    QStringList text = script::aliasBlock(single, buy);
    text << script::keyBindLine(u"f"_s, single);
    text += script::aliasBlock(combo, radio);
    text << script::plusModifierLine(u"ALT"_s, u"f"_s)
         << script::minusModifierLine(u"ALT"_s, u"f"_s, u"Kaz-f"_s)
         << script::modifierBindLine(u"ALT"_s);
    const KeyMapResult r = resolve(text.join(u'\n'));

    const KeyBinding& f = r.binding(u"f"_s);
    EXPECT_EQ(f.kind, KeyKind::Script);
    EXPECT_EQ(f.script, u"мастер"_s);
    EXPECT_EQ(f.pressed.first(), u"buy"_s);
    ASSERT_EQ(f.combined.size(), 1);
    EXPECT_EQ(f.combined[0].key, u"ALT"_s);
    EXPECT_EQ(f.combined[0].command, u"Kaz-alt-f"_s);
    EXPECT_EQ(f.combined[0].pressed.first(), u"radio3"_s);

    const KeyBinding& alt = r.binding(u"ALT"_s);
    EXPECT_EQ(alt.kind, KeyKind::Modifier);
    ASSERT_EQ(alt.holds.size(), 1);
    EXPECT_EQ(alt.holds[0].key, u"f"_s);
    // The release puts the key's own script back.
    EXPECT_EQ(alt.released, (QStringList{u"bind f Kaz-f"_s}));
    EXPECT_EQ(r.kindCounts[int(KeyKind::Modifier)], 1);
    EXPECT_EQ(r.kindCounts[int(KeyKind::Script)], 1);
}

TEST(KeyResolution, MetaBindScriptsUnknownKeysAndRedefinedAliases) {
    const QString template_ = u"alias \"ng_on\" \"net_graph 3;alias ng_toggle ng_off\"\n"
                              u"alias \"ng_off\" \"net_graph 0;alias ng_toggle ng_on\"\n"
                              u"alias \"ng_toggle\" \"ng_on\"\n"
                              u"bind \"<<1>>\" \"ng_toggle\"\n"_s;
    const QHash<QString, QString> bodies = aliasBodiesDefinedBy(template_);
    EXPECT_EQ(QSet<QString>(bodies.keyBegin(), bodies.keyEnd()),
              (QSet<QString>{u"ng_on"_s, u"ng_off"_s, u"ng_toggle"_s}));
    EXPECT_EQ(bodies.value(u"ng_toggle"_s), u"ng_on"_s);
    MetaBindAliases known;
    for (auto it = bodies.cbegin(); it != bodies.cend(); ++it)
        known.insert(it.key(), {u"График сети"_s, it.value()});
    const KeyMapResult r = resolve(u"alias ng_toggle ng_on\n"_s + template_ +
                                       u"bind n ng_toggle\nbind \"LWIN\" x\nbind \"<<2>>\" y\n"
                                       u"bind LWIN z\nalias +m \"bind NOKEY slot1\"\nbind m +m\n"_s,
                                   known);
    const KeyBinding& n = r.binding(u"n"_s);
    EXPECT_EQ(n.kind, KeyKind::Script);
    EXPECT_EQ(n.script, u"MetaBind «График сети»"_s);
    EXPECT_EQ(n.pressed, (QStringList{u"net_graph 3"_s, u"alias ng_toggle ng_off"_s}));
    ASSERT_FALSE(n.notes.isEmpty());
    EXPECT_EQ(n.notes[0], u"Алиас «ng_toggle» задан 2 раз (строки 1, 4): действует строка 4"_s);
    ASSERT_EQ(r.unknown.size(), 4);
    EXPECT_EQ(r.unknown[0].name, u"<<1>>"_s);
    EXPECT_EQ(r.unknown[1].name, u"LWIN"_s);
    EXPECT_EQ(r.unknown[1].lines, (QList<int>{6, 8}));
    EXPECT_EQ(r.unknown[3].name, u"NOKEY"_s);
}

TEST(KeyResolution, EditedLinesAreReadAgainAndNothingElse) {
    BindingLines lines;
    lines.setText(u"bind a +moveleft\n\nalias x \"echo x\"\nbind b x"_s);
    ASSERT_EQ(lines.lineCount(), 4);
    // Typing on one line, a new line, and lines deleted.
    EXPECT_TRUE(lines.replaceLines(1, 1, {u"bind c +duck"_s}));
    // Retyping a line the same, or a comment, changes nothing the map shows.
    EXPECT_FALSE(lines.replaceLines(1, 1, {u"bind  c \"+duck\" // crouch"_s}));
    EXPECT_EQ(resolveKeyMap(lines).binding(u"c"_s).lines, QList<int>{1});
    lines.replaceLines(0, 1, {u"bind a +moveleft"_s, u"bind d +moveright"_s});
    ASSERT_EQ(lines.lineCount(), 5);
    KeyMapResult r = resolveKeyMap(lines);
    EXPECT_EQ(r.binding(u"b"_s).lines, QList<int>{4});
    EXPECT_EQ(r.binding(u"b"_s).pressed, QStringList{u"echo x"_s});
    lines.replaceLines(2, 2, {u"alias x \"echo y\""_s});
    r = resolveKeyMap(lines);
    EXPECT_EQ(lines.lineCount(), 4);
    EXPECT_EQ(r.binding(u"c"_s).kind, KeyKind::Free);
    EXPECT_EQ(r.binding(u"b"_s).pressed, QStringList{u"echo y"_s});
    // Out-of-range requests are clipped rather than trusted.
    lines.replaceLines(3, 10, {});
    EXPECT_EQ(lines.lineCount(), 3);
    lines.replaceLines(99, 0, {u"bind z jump"_s});
    EXPECT_EQ(resolveKeyMap(lines).binding(u"z"_s).lines, QList<int>{3});
}

TEST(KeyDescription, HoverTextFilterAndClickTarget) {
    const KeyMapResult r = resolve(u"bind e +use\nbind e +attack\n"
                                   u"alias \"+x\" \"bind k slot1\"\nalias \"-x\" \"bind k slot2\"\n"
                                   u"bind ALT +x\nbind \"<b>\" y\n"
                                   u"alias w3 \"wait;wait;wait;jump\"\nbind j w3\n"_s);
    KeyDescriptionSources sources;
    const QStringList lines = {u"bind e +use"_s, u"bind e +attack"_s};
    sources.lineText = [&](int line) { return lines.value(line); };
    sources.explanation = [](const QString& name) {
        return name == u"+attack"_s ? u" Стрелять"_s : QString();
    };
    const QString e = keyDescription(u"e"_s, r.binding(u"e"_s), sources);
    EXPECT_TRUE(e.contains(u"Строка 2: <code>bind e +attack</code>"_s)) << e.toStdString();
    EXPECT_TRUE(e.contains(u"Назначена 2 раз: действует строка 2"_s));
    EXPECT_TRUE(e.contains(u"<b>+attack</b>: Стрелять"_s));
    const QString k = keyDescription(u"k"_s, r.binding(u"k"_s), sources);
    EXPECT_TRUE(k.contains(u"С ALT: <code>slot1</code>"_s)) << k.toStdString();
    EXPECT_FALSE(k.contains(u"Щелчок добавит"_s));
    EXPECT_TRUE(keyDescription(u"j"_s, r.binding(u"j"_s), sources)
                    .contains(u"Выполняет: <code>wait ×3; jump</code>"_s));
    const QString free = keyDescription(u"F4"_s, r.binding(u"F4"_s), sources);
    EXPECT_TRUE(
        free.contains(u"Щелчок добавит строку <code>bind &quot;F4&quot; &quot;&quot;</code>"_s))
        << free.toStdString();

    EXPECT_TRUE(bindingMatches(r.binding(u"e"_s), u"ATTACK"_s));
    EXPECT_TRUE(bindingMatches(r.binding(u"k"_s), u"slot1"_s));
    EXPECT_TRUE(bindingMatches(r.binding(u"ALT"_s), u"slot2"_s)); // its release
    EXPECT_FALSE(bindingMatches(r.binding(u"e"_s), QString()));

    EXPECT_EQ(lineForKey(r, u"e"_s), 1);
    EXPECT_EQ(lineForKey(r, u"k"_s), 4); // only the modifier's bind binds it
    EXPECT_EQ(lineForKey(r, u"F4"_s), -1);
    EXPECT_EQ(unknownKeysText(r.unknown), u"Неизвестные имена клавиш: <b> (строка 6)"_s);
}

// The wizard writes its scripts into autoexec.cfg and binds their keys in config.cfg: the map of
// config.cfg runs them through the rest of the config set, and says where each alias comes from.
Vocabulary setVocabulary() {
    Vocabulary v;
    for (const char* c : {"buy", "wait", "say_team", "slot1", "slot9", "+jump", "+duck",
                          "toggleconsole", "cancelselect", "+mlook"})
        v.addGoldSrc(QString::fromLatin1(c), WordKind::Command, GameVersion::Cs15, true);
    v.addVariables({u"sensitivity"_s});
    return v;
}

ConfigSetKeys setKeysFor(const QString& game, const QString& documentPath, const QString& text) {
    return configSetKeys(runForDocument(game, documentPath, text, setVocabulary()));
}

TEST(KeyResolution, AliasesOfTheConfigSetAndWhereTheyComeFrom) {
    QTemporaryDir dir;
    const QString game = dir.path() + u"/cstrike"_s;
    put(game + u"/config.cfg"_s, "bind \"f\" \"Kaz-f\"\r\nbind \"g\" \"own\"\r\nalias own \"slot1\"\r\n");
    put(game + u"/Autoexec.cfg"_s, "alias \"Kaz-f\" \"buy;ww;Kaz-f_mes\"\r\nalias own \"slot9\"\r\n"
                                   "exec scripts/wait.cfg\r\nexec missing.cfg\r\n");
    put(game + u"/scripts/wait.cfg"_s, "alias ww \"wait\"\r\nalias \"Kaz-f_mes\" \"say_team go\"\r\n");
    put(game + u"/other.cfg"_s, "alias \"Kaz-f\" \"never\"\r\n"); // not run by the game

    const QString document = u"bind \"f\" \"Kaz-f\"\nbind \"g\" \"own\"\nalias own \"slot1\"\n"_s;
    BindingLines lines;
    lines.setText(document);
    const ConfigSetKeys set = setKeysFor(game, game + u"/config.cfg"_s, document);
    EXPECT_EQ(set.aliases.value(u"kaz-f"_s).file, u"Autoexec.cfg"_s);
    EXPECT_EQ(set.aliases.value(u"ww"_s).file, u"scripts/wait.cfg"_s);
    EXPECT_FALSE(set.aliases.contains(u"own"_s)); // config.cfg runs after autoexec.cfg: its own
    const KeyMapResult map = resolveKeyMap(lines, {}, set.aliases, set.binds);

    const KeyBinding& f = map.binding(u"f"_s);
    EXPECT_EQ(f.kind, KeyKind::Script);
    EXPECT_EQ(f.pressed, (QStringList{u"buy"_s, u"wait"_s, u"say_team go"_s}));
    EXPECT_TRUE(f.notes.contains(u"Алиасы из Autoexec.cfg: kaz-f"_s)) << f.notes.join(u'|').toStdString();
    EXPECT_TRUE(f.notes.contains(u"Алиасы из scripts/wait.cfg: ww, kaz-f_mes"_s))
        << f.notes.join(u'|').toStdString();
    EXPECT_EQ(map.kindCounts[int(KeyKind::Script)], 1);
    // The document's own alias wins over the other file's, and gets no note.
    const KeyBinding& g = map.binding(u"g"_s);
    EXPECT_EQ(g.pressed, QStringList{u"slot1"_s});
    EXPECT_TRUE(g.notes.isEmpty()) << g.notes.join(u'|').toStdString();

    // Without a game folder nothing is lent; as the map of autoexec.cfg, the aliases config.cfg
    // defines after it win over autoexec.cfg's own.
    EXPECT_TRUE(setKeysFor(QString(), QString(), QString()).aliases.isEmpty());
    const ConfigSetKeys fromAutoexec =
        setKeysFor(game, game + u"/Autoexec.cfg"_s, QString::fromLatin1(slurp(game + u"/Autoexec.cfg"_s)));
    EXPECT_TRUE(fromAutoexec.aliases.value(u"own"_s).wins);
    EXPECT_EQ(fromAutoexec.aliases.value(u"own"_s).body, u"slot1"_s);
    // A file the document execs defines its aliases after the document's earlier lines.
    EXPECT_TRUE(fromAutoexec.aliases.value(u"ww"_s).wins);
}

// The map shows what the game ends up with: a bind of autoexec.cfg stands where config.cfg (run
// after it) leaves the key alone and is undone by its unbindall; a bind of userconfig.cfg (run
// from config.cfg's end) decides the key whatever config.cfg says.
TEST(KeyResolution, BindsOfTheConfigSetDecideAsTheGameRunsThem) {
    QTemporaryDir dir;
    const QString game = dir.path() + u"/cstrike"_s;
    put(game + u"/autoexec.cfg"_s, "bind F2 \"+ng\"\nalias +ng \"+jump;+duck\"\nalias -ng \"-jump\"\n"
                                   "bind F3 slot9\n");
    put(game + u"/userconfig.cfg"_s, "bind h slot1\nunbind j\n");
    const auto mapOf = [&](const QString& document) {
        BindingLines lines;
        lines.setText(document);
        const ConfigSetKeys set = setKeysFor(game, game + u"/config.cfg"_s, document);
        return resolveKeyMap(lines, {}, set.aliases, set.binds);
    };

    const KeyMapResult plain = mapOf(u"bind j slot9\nbind h buy\nexec userconfig.cfg\n"_s);
    EXPECT_EQ(plain.binding(u"F2"_s).kind, KeyKind::Alias);
    EXPECT_EQ(plain.binding(u"F2"_s).pressed, (QStringList{u"+jump"_s, u"+duck"_s}));
    EXPECT_EQ(plain.binding(u"F2"_s).where, u"autoexec.cfg:1"_s);
    EXPECT_EQ(plain.binding(u"h"_s).command, u"slot1"_s);
    EXPECT_TRUE(plain.binding(u"h"_s).notes.contains(
        u"Перекрыта: userconfig.cfg:1 назначает «slot1» после этого файла"_s))
        << plain.binding(u"h"_s).notes.join(u'|').toStdString();
    EXPECT_EQ(plain.binding(u"j"_s).kind, KeyKind::Free);
    EXPECT_EQ(plain.binding(u"j"_s).notes.value(0),
              u"Снята: userconfig.cfg:2 выполняется после этого файла"_s);

    // As the game writes it, config.cfg begins with unbindall: autoexec.cfg's binds are gone.
    const KeyMapResult written = mapOf(u"unbindall\nbind F3 slot1\nexec userconfig.cfg\n"_s);
    EXPECT_EQ(written.binding(u"F2"_s).kind, KeyKind::Free);
    EXPECT_EQ(written.binding(u"F3"_s).command, u"slot1"_s);
    EXPECT_TRUE(written.binding(u"F3"_s).where.isEmpty());
}

// A key runs an installed MetaBind only where its alias has the template's body: the same name
// with the player's own body is the player's.
TEST(KeyResolution, AMetaBindIsNamedOnlyWhereTheAliasIsTheTemplates) {
    const MetaBindAliases templates{{u"+jumpduck"_s, {u"Прыжок с приседом"_s, u"+jump;+duck"_s}}};
    BindingLines own, installed;
    own.setText(u"bind MOUSE3 +jumpduck\nalias +jumpduck \"+jump;wait;+duck\"\n"_s);
    installed.setText(u"bind MOUSE3 +jumpduck\nalias +jumpduck \"+jump;+duck\"\n"_s);
    EXPECT_EQ(resolveKeyMap(own, templates).binding(u"MOUSE3"_s).kind, KeyKind::Alias);
    const KeyBinding b = resolveKeyMap(installed, templates).binding(u"MOUSE3"_s);
    EXPECT_EQ(b.kind, KeyKind::Script);
    EXPECT_EQ(b.script, u"MetaBind «Прыжок с приседом»"_s);
}
