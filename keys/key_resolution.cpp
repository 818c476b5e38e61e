// Reading binds and aliases and resolving them per key.
#include "keys/key_resolution.h"

#include "keys/key_layout.h"
#include "language/config_syntax.h"

#include <QSet>

using namespace Qt::Literals::StringLiterals;

namespace {

// Whether the line holds "bind" or "alias" in any letter case: ASCII folding is enough for
// these words, and far cheaper than a general case-insensitive search.
bool mayBindOrAlias(QStringView line) {
    const qsizetype n = line.size();
    for (qsizetype i = 0; i + 3 < n; ++i) {
        const char16_t c = line[i].unicode() | 0x20;
        if (c == u'b' && (line[i + 1].unicode() | 0x20) == u'i' &&
            (line[i + 2].unicode() | 0x20) == u'n' && (line[i + 3].unicode() | 0x20) == u'd')
            return true;
        if (c == u'a' && i + 4 < n && (line[i + 1].unicode() | 0x20) == u'l' &&
            (line[i + 2].unicode() | 0x20) == u'i' && (line[i + 3].unicode() | 0x20) == u'a' &&
            (line[i + 4].unicode() | 0x20) == u's')
            return true;
    }
    return false;
}

// The command's name is `name` (lower case), letter case aside, without making a copy.
bool isCommand(const ConfigCommand& c, QStringView name) {
    return !c.words.isEmpty() && sameName(c.words.first().text, name);
}

QString argumentsFrom(const ConfigCommand& c, qsizetype first) {
    return joinedArguments(c, int(first) + 1);
}

void collectNestedAliases(QStringView body, LineFacts& facts, int depth) {
    if (depth > 8 || !body.contains(u"alias", Qt::CaseInsensitive))
        return;
    for (const ConfigCommand& c : parseConfigLine(body).commands) {
        if (!isCommand(c, u"alias") || c.argumentCount() < 2)
            continue;
        BindingFact f;
        f.kind = BindingFact::Kind::Alias;
        f.key = console::foldedName(c.argument(0).text);
        f.body = argumentsFrom(c, 1);
        f.nested = true;
        facts.append(f);
        collectNestedAliases(f.body, facts, depth + 1);
    }
}

// How a command is shown: its words, a word with blanks or a semicolon in quotes.
QString commandText(const ConfigCommand& c) {
    QStringList words;
    for (const ConfigWord& w : c.words) {
        words.append(commandValueText(w.text.toString(), true));
    }
    return words.join(u' ');
}

struct AliasDefinition {
    const QString* body = nullptr; // the last definition's, in the lines resolved
    QList<int> lines;
};

struct Expansion {
    QStringList commands;
    QStringList aliases;
    QStringList notes;
    QList<QPair<QString, QString>> binds; // key as written, command
    int visits = 0;
    bool cut = false;
};

class Resolver {
public:
    QHash<QString, AliasDefinition> topAliases;
    QHash<QString, QStringList> nestedAliases; // bodies in the order they appear
    const MetaBindAliases* metaBinds = nullptr;
    const OuterAliases* outerAliases = nullptr;

    Expansion expand(const QString& text) const {
        Expansion out;
        QStringList stack;
        run(text, stack, out);
        return out;
    }

    void describeAliases(KeyBinding& b) const {
        for (const QString& name : std::as_const(b.aliases)) {
            const auto top = topAliases.constFind(name);
            if (top != topAliases.constEnd() && top->lines.size() > 1) {
                // The last few lines say enough; a generated config may repeat one alias a lot.
                QStringList numbers;
                if (top->lines.size() > 4)
                    numbers.append(u"…"_s);
                for (int line : top->lines.mid(std::max<qsizetype>(0, top->lines.size() - 4)))
                    numbers.append(QString::number(line + 1));
                b.notes.append(u"Алиас «%1» задан %2 раз (строки %3): действует строка %4"_s.arg(
                    name, QString::number(top->lines.size()), numbers.join(u", "_s),
                    QString::number(top->lines.last() + 1)));
            } else if (top == topAliases.constEnd()) {
                const QStringList variants = nestedAliases.value(name);
                if (variants.size() > 1)
                    b.notes.append(
                        u"Алиас «%1» задаётся другими алиасами (%2 варианта): показан первый"_s.arg(
                            name, QString::number(variants.size())));
            }
            noteOuterAlias(b, name);
            if (b.script.isEmpty() && name.startsWith(u"kaz-"_s))
                b.script = u"мастер"_s;
            if (b.script.isEmpty() && metaBinds)
                if (const auto m = metaBinds->constFind(name); m != metaBinds->constEnd())
                    if (const QString* body = bodyOf(name);
                        body && body->trimmed() == m->body.trimmed())
                        b.script = u"MetaBind «%1»"_s.arg(m->name);
        }
    }

    const OuterAlias* outerAlias(const QString& name) const {
        if (!outerAliases)
            return nullptr;
        const auto it = outerAliases->constFind(name);
        if (it == outerAliases->constEnd() ||
            (!it->wins && (topAliases.contains(name) || nestedAliases.contains(name))))
            return nullptr;
        return &*it;
    }

    // One note per file: "Алиасы из autoexec.cfg: kaz-f, kaz-f_mes".
    void noteOuterAlias(KeyBinding& b, const QString& name) const {
        const OuterAlias* outer = outerAlias(name);
        if (!outer)
            return;
        const QString head = u"Алиасы из %1: "_s.arg(outer->file);
        for (QString& note : b.notes)
            if (note.startsWith(head)) {
                note += u", "_s + name;
                return;
            }
        b.notes.append(head + name);
    }

    const QString* bodyOf(const QString& name) const {
        if (const OuterAlias* outer = outerAlias(name); outer && outer->wins)
            return &outer->body;
        const auto top = topAliases.constFind(name);
        if (top != topAliases.constEnd())
            return top->body;
        const auto nested = nestedAliases.constFind(name);
        if (nested != nestedAliases.constEnd())
            return &nested->first();
        const OuterAlias* outer = outerAlias(name);
        return outer ? &outer->body : nullptr;
    }

    void run(QStringView text, QStringList& stack, Expansion& out) const {
        for (const ConfigCommand& c : parseConfigLine(text).commands) {
            if (out.cut)
                return;
            if (out.commands.size() >= kMaxResolvedCommands || out.visits > 4000) {
                out.notes.append(u"Список команд обрезан: их больше %1"_s.arg(
                    QString::number(kMaxResolvedCommands)));
                out.cut = true;
                return;
            }
            const QString name = c.name();
            const QString* body = bodyOf(name);
            if (!body) {
                if (name == u"bind"_s && c.argumentCount() >= 2)
                    out.binds.append({c.argument(0).text.toString(), argumentsFrom(c, 1)});
                out.commands.append(commandText(c));
                continue;
            }
            if (stack.contains(name)) {
                out.notes.append(u"Цикл: %1 → %2: дальше не раскрывается"_s.arg(
                    stack.mid(stack.indexOf(name)).join(u" → "_s), name));
                continue;
            }
            if (stack.size() >= kMaxAliasDepth) {
                out.notes.append(u"Алиасы вложены глубже %1 уровней: дальше не раскрываются"_s.arg(
                    QString::number(kMaxAliasDepth)));
                continue;
            }
            ++out.visits;
            if (!out.aliases.contains(name))
                out.aliases.append(name);
            stack.append(name);
            run(*body, stack, out);
            stack.removeLast();
        }
    }
};

void addUnknown(KeyMapResult& result, QHash<QString, qsizetype>& index, const QString& name,
                int line) {
    auto it = index.constFind(name);
    if (it == index.constEnd()) {
        it = index.insert(name, result.unknown.size());
        result.unknown.append({name, {}});
    }
    QList<int>& lines = result.unknown[*it].lines;
    if (lines.isEmpty() || lines.last() != line)
        lines.append(line);
}

} // namespace

namespace {

// The facts of one command of a line.
void addFactsOf(const ConfigCommand& c, LineFacts& facts) {
    BindingFact f;
    if (isCommand(c, u"bind") && c.argumentCount() >= 2) {
        f.kind = BindingFact::Kind::Bind;
        f.body = argumentsFrom(c, 1);
    } else if (isCommand(c, u"unbind") && c.argumentCount() >= 1) {
        f.kind = BindingFact::Kind::Unbind;
    } else if (isCommand(c, u"unbindall")) {
        f.kind = BindingFact::Kind::UnbindAll;
        facts.append(f);
        return;
    } else if (isCommand(c, u"alias") && c.argumentCount() >= 2) {
        f.kind = BindingFact::Kind::Alias;
        f.key = console::foldedName(c.argument(0).text);
        f.body = argumentsFrom(c, 1);
        facts.append(f);
        collectNestedAliases(facts.last().body, facts, 0);
        return;
    } else {
        return;
    }
    const QStringView written = c.argument(0).text;
    f.key = canonicalKeyName(written);
    if (f.key.isEmpty())
        f.written = written.toString();
    facts.append(f);
    // A bind's body may define aliases when the key is pressed.
    if (f.kind == BindingFact::Kind::Bind)
        collectNestedAliases(facts.last().body, facts, 0);
}

// The facts of a line, its commands read as parseConfigLine reads them, one at a time into
// `words`, whose list is reused from command to command and line to line: a config of a
// million lines is read without a list made for each of them.
LineFacts factsOf(QStringView line, ConfigCommand& words) {
    LineFacts facts;
    // Most lines of a config set a variable: a line without these words has nothing to read.
    if (!mayBindOrAlias(line))
        return facts;
    words.words.clear();
    scanConfigLine(
        line, 0, [&](const ConfigWord& w) { words.words.append(w); },
        [&](const CommandReading&) {
            if (!words.words.isEmpty())
                addFactsOf(words, facts);
            words.words.clear();
        });
    return facts;
}

} // namespace

LineFacts bindingFactsOf(QStringView line) {
    ConfigCommand words;
    return factsOf(line, words);
}

void BindingLines::setText(QStringView text) {
    // The new lines are read before the old ones are freed. Read into the blocks the old ones
    // just left, a million small blocks come out of the allocator in reverse and scattered
    // order, and every later resolution walking them in line order took two to four times as
    // long; read first, they are laid out in the order they are walked.
    std::vector<LineFacts> lines;
    lines.reserve(size_t(text.count(u'\n') + 1));
    ConfigCommand words;
    qsizetype start = 0;
    while (true) {
        const qsizetype end = text.indexOf(u'\n', start);
        lines.push_back(factsOf(text.mid(start, end < 0 ? -1 : end - start), words));
        if (end < 0)
            break;
        start = end + 1;
    }
    m_lines.swap(lines);
}

bool BindingLines::replaceLines(int first, int removed, const QStringList& lines) {
    first = std::clamp(first, 0, lineCount());
    removed = std::clamp(removed, 0, lineCount() - first);
    std::vector<LineFacts> added;
    added.reserve(size_t(lines.size()));
    ConfigCommand words;
    for (const QString& line : lines)
        added.push_back(factsOf(line, words));
    const auto at = m_lines.begin() + first;
    const qsizetype common = std::min<qsizetype>(removed, qsizetype(added.size()));
    bool changed = removed != qsizetype(added.size());
    for (qsizetype i = 0; i < common && !changed; ++i)
        changed = at[i] != added[size_t(i)];
    if (!changed)
        return false;
    std::move(added.begin(), added.begin() + common, at);
    if (removed > common)
        m_lines.erase(at + common, at + removed);
    else
        m_lines.insert(at + common, std::make_move_iterator(added.begin() + common),
                       std::make_move_iterator(added.end()));
    return true;
}

const KeyBinding& KeyMapResult::binding(const QString& key) const {
    static const KeyBinding none;
    const auto it = keys.constFind(key);
    return it == keys.constEnd() ? none : *it;
}

QHash<QString, QString> aliasBodiesDefinedBy(const QString& script) {
    QHash<QString, QString> bodies;
    BindingLines lines;
    lines.setText(script);
    for (int i = 0; i < lines.lineCount(); ++i)
        for (const BindingFact& f : lines.factsAt(i))
            if (f.kind == BindingFact::Kind::Alias && !f.nested && !bodies.contains(f.key))
                bodies.insert(f.key, f.body);
    return bodies;
}

KeyMapResult resolveKeyMap(const BindingLines& lines, const MetaBindAliases& metaBinds,
                           const OuterAliases& outerAliases, const OuterBinds& outerBinds) {
    KeyMapResult result;
    Resolver resolver;
    resolver.metaBinds = &metaBinds;
    resolver.outerAliases = &outerAliases;
    QHash<QString, qsizetype> unknownIndex;
    // The binds in force per key. The commands are the facts' own, which outlive the resolution.
    struct KeyBinds {
        QList<int> lines;
        QStringView first; // trimmed
        const QString* last = nullptr;
        bool differ = false;
    };
    QHash<QString, KeyBinds> binds;
    bool unbindsAll = false;
    QSet<QString> unbound;
    for (int line = 0; line < lines.lineCount(); ++line) {
        for (const BindingFact& f : lines.factsAt(line)) {
            switch (f.kind) {
            case BindingFact::Kind::UnbindAll:
                // Emptied in place: a config that starts with "unbindall" binds the same keys
                // again at once.
                for (KeyBinds& k : binds)
                    k.lines.resize(0);
                unbindsAll = true;
                break;
            case BindingFact::Kind::Unbind:
                if (const auto it = binds.find(f.key); it != binds.end())
                    it->lines.resize(0);
                unbound.insert(f.key);
                break;
            case BindingFact::Kind::Bind:
                if (f.key.isEmpty())
                    addUnknown(result, unknownIndex, f.written, line);
                else {
                    KeyBinds& k = binds[f.key];
                    if (k.lines.isEmpty()) {
                        k.first = QStringView(f.body).trimmed();
                        k.differ = false;
                    } else if (!k.differ)
                        k.differ = !sameName(k.first, QStringView(f.body).trimmed());
                    k.lines.append(line);
                    k.last = &f.body;
                }
                break;
            case BindingFact::Kind::Alias:
                if (f.nested) {
                    QStringList& variants = resolver.nestedAliases[f.key];
                    if (!variants.contains(f.body))
                        variants.append(f.body);
                } else {
                    AliasDefinition& d = resolver.topAliases[f.key];
                    d.body = &f.body;
                    d.lines.append(line);
                }
                break;
            }
        }
    }

    // The rest of the config set: a later file's bind decides the key; an earlier one's stands
    // where the document leaves the key alone.
    QHash<QString, const OuterBind*> outer;
    for (auto it = outerBinds.cbegin(); it != outerBinds.cend(); ++it) {
        const bool documentDecides =
            it->before && (unbindsAll || unbound.contains(it.key()) ||
                           !binds.value(it.key()).lines.isEmpty());
        // An unbind elsewhere matters only to a key the document binds.
        if (!documentDecides && !(it->cleared && binds.value(it.key()).lines.isEmpty()))
            outer.insert(it.key(), &*it);
    }
    QSet<QString> keys;
    for (auto it = binds.cbegin(); it != binds.cend(); ++it)
        if (!it->lines.isEmpty())
            keys.insert(it.key());
    for (auto it = outer.cbegin(); it != outer.cend(); ++it)
        keys.insert(it.key());

    QList<QPair<QString, QList<QPair<QString, QString>>>> modifiers;
    for (const QString& key : std::as_const(keys)) {
        const KeyBinds own = binds.value(key);
        const OuterBind* other = outer.value(key);
        KeyBinding& b = result.keys[key];
        b.lines = own.lines;
        b.conflict = own.differ;
        if (other) {
            b.where = other->where;
            b.command = other->cleared ? QString() : other->command;
            if (!own.lines.isEmpty())
                b.notes.append(other->cleared
                                   ? u"Снята: %1 выполняется после этого файла"_s.arg(other->where)
                                   : u"Перекрыта: %1 назначает «%2» после этого файла"_s.arg(
                                         other->where, other->command));
            else if (!other->cleared)
                b.notes.append(u"Назначена в %1: «%2»"_s.arg(other->where, other->command));
        } else {
            b.command = *own.last;
        }
        if (b.command.trimmed().isEmpty())
            continue;
        const Expansion pressed = resolver.expand(b.command);
        b.pressed = pressed.commands;
        b.aliases = pressed.aliases;
        b.notes += pressed.notes;
        if (b.command.startsWith(u'+')) {
            const Expansion released = resolver.expand(u'-' + b.command.mid(1));
            if (!released.aliases.isEmpty()) {
                b.released = released.commands;
                b.notes += released.notes;
            }
        }
        resolver.describeAliases(b);
        if (!pressed.binds.isEmpty()) {
            b.kind = KeyKind::Modifier;
            modifiers.append({key, pressed.binds});
        } else if (!b.script.isEmpty()) {
            b.kind = KeyKind::Script;
        } else if (!b.aliases.isEmpty()) {
            b.kind = KeyKind::Alias;
        } else {
            b.kind = KeyKind::Action;
        }
    }

    // A modifier rebinds its keys while held: each of them shows the combination.
    for (const auto& [modifier, rebinds] : std::as_const(modifiers)) {
        for (const auto& [written, command] : rebinds) {
            const QString key = canonicalKeyName(written);
            if (key.isEmpty()) {
                addUnknown(result, unknownIndex, written,
                           result.keys[modifier].lines.value(result.keys[modifier].lines.size() - 1));
                continue;
            }
            const Expansion e = resolver.expand(command);
            result.keys[modifier].holds.append({key, command, e.commands});
            KeyBinding& target = result.keys[key];
            target.combined.append({modifier, command, e.commands});
            KeyBinding scratch;
            scratch.aliases = e.aliases;
            resolver.describeAliases(scratch);
            if (!scratch.script.isEmpty() && !target.notes.contains(scratch.script))
                target.notes.append(u"С %1: сценарий (%2)"_s.arg(modifier, scratch.script));
        }
    }

    for (const KeyCap& cap : keyboardLayout()) {
        if (cap.twin)
            continue;
        const KeyBinding& b = result.binding(cap.name);
        if (b.kind == KeyKind::Free && b.combined.isEmpty()) {
            ++result.freeCount;
        } else {
            ++result.boundCount;
            ++result.kindCounts[int(b.kind)];
        }
        if (b.conflict)
            ++result.conflictCount;
    }
    result.kindCounts[int(KeyKind::Free)] = result.freeCount;
    return result;
}
