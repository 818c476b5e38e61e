// The config checks.
#include "language/config_check.h"

#include "language/config_set.h"
#include "language/name_origins.h"
#include "language/saved_settings.h"
#include "platform/program_paths.h"
#include "platform/text_file.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QVarLengthArray>
#include <algorithm>

using namespace Qt::Literals::StringLiterals;

size_t qHash(const ConfigFinding& f, size_t seed) {
    return qHashMulti(seed, f.line, int(f.kind), f.message);
}

namespace {

using configset::gameDirKnown;
using configset::gameFile;
using Finding = ConfigFinding;
using Form = ConfigReport::Form;
using Entry = ConfigReport::Entry;
constexpr int kMaxDepth = 8;

// The forms whose message is written while checking (`number` is its place in the list).
bool hasWrittenMessage(Form form) {
    return form == Form::AliasCycle || form == Form::PluginCommands ||
           form == Form::NotKeptInConfigCfg || form == Form::SplitValue;
}

// The findings of one check, each once, with their messages unwritten. A check walks the text
// in order, so a finding can only repeat one of its own line: the new one is compared with the
// current line's findings (a few).
class Findings {
public:
    explicit Findings(const ParsedConfig& config) : m_text(config.text) {}

    void add(int line, Finding::Kind kind, Form form, TextSpan word, int number = 0) {
        if (line != m_line) {
            m_lineStart = m_entries.size();
            m_line = line;
        }
        const Entry e{line, kind, form, number, word};
        for (qsizetype i = m_lineStart; i < m_entries.size(); ++i)
            if (sameMessage(m_entries.at(i), e))
                return;
        m_entries.append(e);
    }
    // A finding whose message is written already.
    void addWritten(int line, Finding::Kind kind, Form form, const QString& message,
                    TextSpan word = {}) {
        m_written.append(message);
        add(line, kind, form, word, int(m_written.size() - 1));
    }

    const QList<Entry>& entries() const { return m_entries; }
    const QStringList& written() const { return m_written; }
    QList<Finding> toList() const {
        QList<Finding> list;
        list.reserve(m_entries.size());
        for (const Entry& e : m_entries)
            list.append({e.line, e.kind, ConfigReport::message(e, m_text, m_written)});
        return list;
    }

private:
    // Whether two findings of one line and one check read the same. Every template has a "»"
    // right after its word, so two different words (without a "»" of their own) never give one
    // message, and the same word gives one message with the same number only.
    bool sameMessage(const Entry& a, const Entry& b) const {
        if (a.kind != b.kind || a.form != b.form)
            return false;
        if (hasWrittenMessage(a.form))
            return m_written.at(a.number) == m_written.at(b.number);
        const QStringView wordA = m_text.mid(a.word.start, a.word.length);
        const QStringView wordB = m_text.mid(b.word.start, b.word.length);
        if (wordA == wordB)
            return a.number == b.number;
        if (!wordA.contains(u'»') && !wordB.contains(u'»'))
            return false;
        return ConfigReport::message(a, m_text, m_written) ==
               ConfigReport::message(b, m_text, m_written);
    }

    QStringView m_text;
    QList<Entry> m_entries;
    QStringList m_written;
    qsizetype m_lineStart = 0; // the first finding of the current line
    int m_line = -1;
};

// The ids of the names the key checks dispatch on (-1 for a name the config does not use).
struct Keywords {
    explicit Keywords(const ParsedConfig& config)
        : bind(config.idOf(u"bind"_s)), unbind(config.idOf(u"unbind"_s)),
          unbindall(config.idOf(u"unbindall"_s)) {}
    int bind, unbind, unbindall;
};

TextSpan spanOf(QStringView text, QStringView word) {
    return {int(word.data() - text.data()), int(word.size())};
}

// Reads the commands of a line or of a body into the config; a bind's or an alias's body is
// read right after the command that holds it. Read for a vocabulary, it leaves out the commands
// no check can report: a name the game has had since its first version, outside an alias's body
// (the calls there make the aliases' circles).
class Reader {
public:
    Reader(ParsedConfig& config, const Vocabulary* words)
        : m_config(config), m_words(words), m_alias(config.intern(u"alias")),
          m_bind(config.intern(u"bind")), m_unbind(config.intern(u"unbind")),
          m_unbindall(config.intern(u"unbindall")), m_exec(config.intern(u"exec")) {}

    ConfigLineEnd read(QStringView commands, int line, int depth, int parent, bool inAlias) {
        // The first three words of the command being read; the rest only count.
        ConfigWord first, second, third;
        int count = 0;
        bool commentBefore = false; // on this line, before the command being read
        bool afterComment = false;  // the command being read
        return scanConfigLine(
            commands, 0,
            [&](const ConfigWord& w) {
                if (count == 0) {
                    afterComment = commentBefore;
                    first = w;
                } else if (count == 1)
                    second = w;
                else if (count == 2)
                    third = w;
                ++count;
            },
            [&](const CommandReading& r) {
                noteReading(commands, r, count > 0 ? &first : nullptr, line);
                if (count > 0)
                    add(first, count > 1 ? &second : nullptr, count > 2 ? &third : nullptr,
                        count - 1, line, depth, parent, inAlias, afterComment);
                count = 0;
            },
            [&](const ConfigComment&) { commentBefore = true; }, m_config.bytes);
    }

private:
    void add(const ConfigWord& word, const ConfigWord* argument, const ConfigWord* body,
             int arguments, int line, int depth, int parent, bool inAlias,
             bool afterComment = false) {
        const int name = m_config.intern(word.text);
        if (!inAlias && !afterComment && !reportable(name))
            return; // (neither an alias nor a bind: it has no body)
        const int index = int(m_config.commands.size());
        ParsedCommand& p = m_config.commands.emplace_back();
        p.name = name;
        p.line = line;
        p.depth = quint8(depth);
        p.parent = parent;
        p.arguments = quint8(std::min(arguments, 255));
        p.afterComment = afterComment;
        p.spelled = spanOf(m_config.text, word.text);
        if (argument) {
            p.argument = spanOf(m_config.text, argument->text);
            if (name == m_alias)
                p.defines = m_config.intern(argument->text);
            else if (name == m_bind || name == m_unbind)
                p.key = m_config.intern(argument->text);
        }
        if (depth < kMaxDepth && body && (name == m_alias || name == m_bind)) {
            // An unquoted word holds one command name and nothing to split.
            if (body->quoted)
                read(body->text, line, depth + 1, index, name == m_alias);
            else
                add(*body, nullptr, nullptr, 0, line, depth + 1, index, name == m_alias);
        }
    }

    // Where the console reads the command otherwise than it looks.
    void noteReading(QStringView commands, const CommandReading& r, const ConfigWord* name,
                     int line) {
        const auto note = [&](ReadingNote::Kind kind, int at, int length) {
            m_config.readingNotes.append(
                {line, kind, name ? m_config.intern(name->text) : -1,
                 {int(commands.data() - m_config.text.data()) + at, length}});
        };
        const auto wordLength = [&](int at) {
            int end = at;
            while (end < commands.size() && !console::endsBareWord(commands[end].unicode()))
                ++end;
            return std::max(end - at, 1);
        };
        if (r.cut)
            note(ReadingNote::Kind::CutCommand, r.stop, 0);
        if (r.droppedWord >= 0)
            note(ReadingNote::Kind::DroppedWord, r.droppedWord, std::min(wordLength(r.droppedWord), 24));
        if (r.foreignStart >= 0)
            note(ReadingNote::Kind::ForeignStart, r.foreignStart, wordLength(r.foreignStart));
        if (r.gluedQuote >= 0)
            note(ReadingNote::Kind::GluedQuote, r.gluedQuote, wordLength(r.gluedQuote));
        if (r.oneCharWord >= 0 && name)
            note(ReadingNote::Kind::SplitValue, r.oneCharWord, 1);
    }

    // Whether some check may report a command of this name: asked once per name.
    bool reportable(int name) {
        if (!m_words)
            return true;
        if (m_reportable.size() <= name)
            m_reportable.resize(m_config.names.size(), NotAsked);
        if (m_reportable.at(name) == NotAsked) {
            const QString& n = m_config.names.at(name);
            const WordInfo* info = m_words->find(n);
            const bool keyword = name == m_alias || name == m_bind || name == m_unbind ||
                                 name == m_unbindall || name == m_exec;
            m_reportable[name] = keyword || !m_words->knows(n) || isPluginCommand(n) ||
                                         (info && info->version != GameVersion::Cs15)
                                     ? Yes
                                     : No;
        }
        return m_reportable.at(name) == Yes;
    }

    ParsedConfig& m_config;
    const Vocabulary* m_words;
    const int m_alias, m_bind, m_unbind, m_unbindall, m_exec;
    enum : qint8 { NotAsked, Yes, No };
    QList<qint8> m_reportable; // by name id
};

// For every name of the config, whether `test` holds: one look-up per name, not per use.
template <typename Test> QList<bool> perName(const ParsedConfig& config, Test test) {
    QList<bool> result(config.names.size());
    for (qsizetype i = 0; i < config.names.size(); ++i)
        result[i] = test(config.names.at(i));
    return result;
}

bool knownOrAlias(const ParsedConfig& config, const Vocabulary& words, const QString& name) {
    return words.knows(name) || config.aliases.contains(name);
}

} // namespace

namespace {
// Names are hashed with their ASCII letters lowered, as the console compares them.
constexpr size_t kHashBasis = 14695981039346656037ull;
constexpr size_t kHashPrime = 1099511628211ull;

size_t hashFolded(QStringView name) {
    size_t hash = kHashBasis;
    const char16_t* s = reinterpret_cast<const char16_t*>(name.utf16());
    for (qsizetype i = 0; i < name.size(); ++i)
        hash = (hash ^ console::foldedChar(s[i])) * kHashPrime;
    return hash;
}

} // namespace

qsizetype ParsedConfig::slotOf(QStringView name, size_t& hash) const {
    hash = hashFolded(name);
    if (m_slots.isEmpty())
        return -1;
    const qsizetype mask = m_slots.size() - 1;
    for (qsizetype slot = qsizetype(hash) & mask;; slot = (slot + 1) & mask) {
        const int id = m_slots.at(slot);
        if (id < 0 || (m_hashes.at(id) == hash && sameName(names.at(id), name)))
            return slot;
    }
}

int ParsedConfig::idOf(const QString& lowerName) const {
    size_t hash = 0;
    const qsizetype slot = slotOf(lowerName, hash);
    return slot < 0 ? -1 : m_slots.at(slot);
}

int ParsedConfig::intern(QStringView name) {
    size_t hash = 0;
    qsizetype slot = slotOf(name, hash);
    if (slot >= 0 && m_slots.at(slot) >= 0)
        return m_slots.at(slot);
    const int id = int(names.size());
    names.append(console::foldedName(name));
    m_hashes.append(hash);
    // At most half full: the table doubles and every name goes in again.
    if (2 * names.size() > m_slots.size()) {
        qsizetype size = 64;
        while (size < 4 * names.size())
            size *= 2;
        m_slots.fill(-1, size);
        const qsizetype mask = m_slots.size() - 1;
        for (int other = 0; other < int(names.size()); ++other) {
            qsizetype s = qsizetype(m_hashes.at(other)) & mask;
            while (m_slots.at(s) >= 0)
                s = (s + 1) & mask;
            m_slots[s] = other;
        }
        return id;
    }
    m_slots[slot] = id;
    return id;
}

ParsedConfig parseConfig(const QString& text, const Vocabulary* words, console::Bytes bytes) {
    ParsedConfig config;
    config.text = text;
    config.bytes = bytes;
    Reader reader(config, words);
    const QStringView all(text);
    qsizetype start = 0;
    int line = 0;
    for (;; ++line) {
        const qsizetype end = all.indexOf(u'\n', start);
        const QStringView lineText = all.mid(start, (end < 0 ? all.size() : end) - start);
        if (reader.read(lineText, line, 0, -1, false).unclosedQuote)
            config.unclosedQuoteLines.append(line);
        if (end < 0)
            break;
        start = end + 1;
    }
    config.lineCount = line + 1;
    QList<bool> defined(config.names.size());
    for (const ParsedCommand& c : std::as_const(config.commands))
        if (c.defines >= 0 && !defined[c.defines]) {
            defined[c.defines] = true;
            config.aliases.insert(config.names.at(c.defines));
        }
    return config;
}

bool isPluginCommand(QStringView lowerName) {
    // The server plugins that configs set most: the two admin plugins, deathmatch, zombie and
    // gun game modes, their statistics and the two bots. A server loads their settings from its
    // own files, and the game itself knows none of them.
    static const char16_t* const prefixes[] = {u"amx_", u"admin_",   u"csdm_", u"zp_",
                                               u"gg_",  u"csstats_", u"pb_",   u"yb_"};
    for (const char16_t* prefix : prefixes)
        if (lowerName.startsWith(QStringView(prefix)))
            return true;
    return false;
}

namespace {

void unknownCommands(const ParsedConfig& config, const Vocabulary& words, Findings& findings) {
    const QList<bool> unknown = perName(config, [&](const QString& name) {
        return !knownOrAlias(config, words, name) && !isPluginCommand(name);
    });
    for (const ParsedCommand& c : config.commands)
        if (c.depth == 0 && unknown.at(c.name))
            findings.add(c.line, Finding::Kind::Warning, Form::UnknownCommand, c.spelled);
}

void unclosedQuotes(const ParsedConfig& config, Findings& findings) {
    for (int line : config.unclosedQuoteLines)
        findings.add(line, Finding::Kind::Warning, Form::UnclosedQuote, {});
}

void consoleReading(const ParsedConfig& config, const Vocabulary& words, Findings& findings) {
    using Kind = ReadingNote::Kind;
    const int setinfo = config.idOf(u"setinfo"_s);
    for (const ReadingNote& n : config.readingNotes) {
        switch (n.kind) {
        case Kind::CutCommand:
            findings.add(n.line, Finding::Kind::Warning, Form::LongCommand, {});
            break;
        case Kind::DroppedWord:
            findings.add(n.line, Finding::Kind::Warning, Form::DroppedWord, n.word);
            break;
        case Kind::ForeignStart:
            findings.add(n.line, Finding::Kind::Warning, Form::ForeignStart, n.word);
            break;
        case Kind::GluedQuote:
            findings.add(n.line, Finding::Kind::Warning, Form::GluedQuote, n.word);
            break;
        case Kind::SplitValue: {
            // Only a setting takes its value from one word; a command may take them all.
            const QString& name = config.names.at(n.name);
            if (n.name != setinfo && words.kindOf(name) != WordKind::Variable)
                break;
            findings.addWritten(
                n.line, Finding::Kind::Warning, Form::SplitValue,
                u"Знак «%1» делит значение «%2»: игра возьмёт только слово до него"_s.arg(
                    config.textOf(n.word), name),
                n.word);
            break;
        }
        }
    }
}

void steamLineBreaks(const ParsedConfig& config, qint64 fileBytes, Findings& findings) {
    if (fileBytes < console::kLineByLineFileBytes)
        return;
    const QStringView text = config.text;
    qsizetype start = 0;
    for (int line = 0; start <= text.size(); ++line) {
        qsizetype end = text.indexOf(u'\n', start);
        if (end < 0)
            end = text.size();
        for (const QChar c : text.mid(start, end - start))
            if (c == u'\t' || c.unicode() >= 0x80) {
                findings.add(line, Finding::Kind::Hint, Form::SteamLineBreak, {});
                break;
            }
        start = end + 1;
    }
}

// The console refuses an alias name this long or longer.
constexpr int kAliasNameLimit = 32;

void longAliasNames(const ParsedConfig& config, Findings& findings) {
    for (const ParsedCommand& c : config.commands)
        if (c.defines >= 0 &&
            console::byteLength(config.textOf(c.argument), config.bytes) >= kAliasNameLimit)
            findings.add(c.line, Finding::Kind::Warning, Form::LongAliasName, c.argument);
}

void plusAliasesWithoutMinus(const ParsedConfig& config, const Vocabulary& words,
                             Findings& findings) {
    const QList<bool> unpaired = perName(config, [&](const QString& name) {
        if (!name.startsWith(u'+') || name.size() < 2)
            return false;
        const QString minus = u'-' + name.mid(1);
        return !config.aliases.contains(minus) && !words.knows(minus);
    });
    for (const ParsedCommand& c : config.commands)
        if (c.defines >= 0 && unpaired.at(c.defines))
            findings.add(c.line, Finding::Kind::Warning, Form::PlusWithoutMinus, c.argument);
}

void commandsAfterComments(const ParsedConfig& config, Findings& findings) {
    for (const ParsedCommand& c : config.commands)
        if (c.afterComment)
            findings.add(c.line, Finding::Kind::Warning, Form::CommandAfterComment, c.spelled);
}

void duplicateBinds(const ParsedConfig& config, Findings& findings) {
    const Keywords k(config);
    // The line of each key's last bind, valid while its round is the current one (an unbindall
    // starts a new round).
    struct Bound {
        int line = -1;
        int round = 0;
    };
    QList<Bound> boundOn(config.names.size());
    int round = 1;
    for (const ParsedCommand& p : config.commands) {
        if (p.depth != 0) // a bind inside an alias is a switch, not a duplicate
            continue;
        if (p.name == k.unbindall) { // starts afresh
            ++round;
            continue;
        }
        if ((p.name != k.bind && p.name != k.unbind) || p.arguments < 1)
            continue;
        Bound& bound = boundOn[p.key];
        if (p.name == k.unbind) {
            bound.line = -1; // an unbind in between makes the second bind deliberate
            continue;
        }
        // Two binds of one key on one line are the player's own doing, seen at a glance.
        if (bound.round == round && bound.line >= 0 && bound.line != p.line)
            findings.add(p.line, Finding::Kind::Warning, Form::DuplicateBind, p.argument,
                         bound.line);
        bound = {p.line, round};
    }
}

void aliasCycles(const ParsedConfig& config, const Vocabulary& words, Findings& findings) {
    // Each alias's calls (over all of its definitions) and whether some command inside a body
    // redefines it: such an alias can be switched off, which is the usual way out of a loop.
    // Aliases are name ids here.
    struct Node {
        bool defined = false;
        bool redefinedInside = false;
        int firstLine = 0;
        TextSpan spelled; // at the first definition
        QList<int> calls;
    };
    QList<Node> nodes(config.names.size());
    QList<int> order; // in the order of their first definitions
    for (const ParsedCommand& c : config.commands) {
        if (c.defines < 0)
            continue;
        Node& node = nodes[c.defines];
        if (c.depth > 0)
            node.redefinedInside = true;
        if (!node.defined) {
            node.defined = true; // an alias with an empty body is still a node
            node.firstLine = c.line;
            node.spelled = c.argument;
            order.append(c.defines);
        }
    }
    if (order.isEmpty())
        return;
    // A call of a command's name runs the command, whatever aliases say.
    const QList<bool> callable = perName(config, [&](const QString& name) {
        return config.aliases.contains(name) && !words.isBuiltInCommand(name);
    });
    QSet<quint64> calling; // holder << 32 | called, each pair once
    for (const ParsedCommand& inner : config.commands) {
        if (inner.parent < 0 || !callable.at(inner.name))
            continue;
        const int holder = config.commands.at(inner.parent).defines;
        if (holder < 0)
            continue;
        const quint64 pair = quint64(holder) << 32 | quint32(inner.name);
        if (!calling.contains(pair)) {
            calling.insert(pair);
            nodes[holder].calls.append(inner.name);
        }
    }

    // Depth-first search from each alias in the order the text defines them (the first lines
    // sorted, ties by name id); a call back into the current path closes a circle. The path
    // is kept on a list of its own, so a long chain of aliases needs no deep recursion.
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return nodes.at(a).firstLine != nodes.at(b).firstLine
                   ? nodes.at(a).firstLine < nodes.at(b).firstLine
                   : a < b;
    });
    QList<bool> done(config.names.size());
    QList<int> onPath(config.names.size(), -1); // the place on the path, or -1
    QSet<QList<int>> reported;
    QList<int> path;
    QList<qsizetype> nextCall; // for each alias on the path, the next of its calls to follow
    QList<std::pair<int, QString>> circles;
    const auto shownName = [&](int id) {
        return nodes.at(id).defined ? config.textOf(nodes.at(id).spelled).toString()
                                    : config.names.at(id);
    };
    const auto enter = [&](int name) {
        onPath[name] = int(path.size());
        path.append(name);
        nextCall.append(0);
    };
    for (const int start : std::as_const(order)) {
        if (done.at(start))
            continue;
        enter(start);
        while (!path.isEmpty()) {
            const int name = path.last();
            const QList<int>& calls = nodes.at(name).calls;
            if (nextCall.last() == calls.size()) {
                path.removeLast();
                nextCall.removeLast();
                onPath[name] = -1;
                done[name] = true;
                continue;
            }
            const int next = calls.at(nextCall.last()++);
            if (const int at = onPath.at(next); at >= 0) {
                const QList<int> circle = path.mid(at);
                const bool wayOut = std::any_of(circle.begin(), circle.end(),
                                                [&](int n) { return nodes.at(n).redefinedInside; });
                QList<int> sorted = circle;
                std::sort(sorted.begin(), sorted.end());
                if (!wayOut && !reported.contains(sorted)) {
                    reported.insert(sorted);
                    QStringList shown;
                    for (const int n : circle)
                        shown.append(shownName(n));
                    shown.append(shownName(next));
                    circles.append(
                        {nodes.at(circle.first()).firstLine,
                         u"Алиас вызывает сам себя без выхода: %1"_s.arg(shown.join(u" → "_s))});
                }
            } else if (!done.at(next) && nodes.at(next).defined) {
                enter(next);
            }
        }
    }
    std::stable_sort(circles.begin(), circles.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [line, message] : std::as_const(circles))
        findings.addWritten(line, Finding::Kind::Warning, Form::AliasCycle, message);
}

void shadowedAliases(const ParsedConfig& config, const Vocabulary& words, Findings& findings) {
    const QList<bool> builtIn =
        perName(config, [&](const QString& name) { return words.isBuiltInCommand(name); });
    for (const ParsedCommand& c : config.commands)
        if (c.defines >= 0 && builtIn.at(c.defines))
            findings.add(c.line, Finding::Kind::Warning, Form::ShadowedAlias, c.argument);
}

void undefinedAliases(const ParsedConfig& config, const Vocabulary& words, Findings& findings) {
    const QList<bool> undefined = perName(config, [&](const QString& name) {
        return !name.isEmpty() && !knownOrAlias(config, words, name) && !isConfigNumber(name) &&
               !isPluginCommand(name);
    });
    for (const ParsedCommand& c : config.commands)
        if (c.depth > 0 && undefined.at(c.name))
            findings.add(c.line, Finding::Kind::Hint, Form::UndefinedAlias, c.spelled);
}

void laterVersionNames(const ParsedConfig& config, const Vocabulary& words, Findings& findings) {
    // The origin of each name the 1.5 game lacks (-1 for the others), asked once per name.
    QList<int> origin(config.names.size(), -1);
    QList<bool> warning(config.names.size());
    for (qsizetype i = 0; i < config.names.size(); ++i) {
        const QString& name = config.names.at(i);
        const WordInfo* info = words.find(name);
        if (info && info->version != GameVersion::Cs15 && !config.aliases.contains(name)) {
            origin[i] = int(originOf(*info));
            warning[i] = originIsWarning(*info);
        }
    }
    for (const ParsedCommand& c : config.commands)
        if (origin.at(c.name) >= 0)
            findings.add(c.line, warning.at(c.name) ? Finding::Kind::Warning : Finding::Kind::Hint,
                         Form::LaterVersionName, c.spelled, origin.at(c.name));
}

// The lines of config.cfg with a command at their top that the game drops: known names and the
// config's aliases (an unknown name or a plugin's command has its own finding).
QList<int> linesNotKept(const ParsedConfig& config, const Vocabulary& words) {
    const QList<bool> reportedApart = perName(config, [&](const QString& name) {
        return name.isEmpty() || isPluginCommand(name) || !knownOrAlias(config, words, name);
    });
    QList<int> lines;
    for (const ParsedCommand& c : config.commands) {
        if (c.depth != 0 || reportedApart.at(c.name) ||
            keptInConfigCfg(config.nameOf(c), config.textOf(c.argument), words))
            continue;
        if (lines.isEmpty() || lines.last() != c.line + 1)
            lines.append(c.line + 1);
    }
    return lines;
}

void notKeptInConfigCfg(const ParsedConfig& config, const Vocabulary& words, Findings& findings) {
    const QList<int> lines = linesNotKept(config, words);
    if (!lines.isEmpty())
        findings.addWritten(lines.first() - 1, Finding::Kind::Warning, Form::NotKeptInConfigCfg,
                            notKeptMessage(lines));
}

void pluginCommands(const ParsedConfig& config, Findings& findings) {
    const QList<bool> plugin = perName(config, [&](const QString& name) {
        return isPluginCommand(name) && !config.aliases.contains(name);
    });
    QStringList names;
    QList<bool> seen(config.names.size());
    int firstLine = -1;
    for (const ParsedCommand& c : config.commands) {
        if (!plugin.at(c.name))
            continue;
        if (firstLine < 0)
            firstLine = c.line;
        if (!seen.at(c.name)) {
            seen[c.name] = true;
            names.append(config.textOf(c.spelled).toString());
        }
    }
    if (firstLine < 0)
        return;
    constexpr qsizetype kShown = 5;
    QString listed = u"«"_s + names.mid(0, kShown).join(u"», «"_s) + u"»"_s;
    if (names.size() > kShown)
        listed += u" и ещё %1"_s.arg(names.size() - kShown);
    findings.addWritten(firstLine, Finding::Kind::Hint, Form::PluginCommands,
                        u"Команды серверных дополнений: %1. Их выполняет дополнение на "
                        u"сервере, а не сама игра"_s.arg(listed));
}

// The file an "exec" command names, or an empty string for any other command.
QString execFile(const ParsedConfig& config, const ParsedCommand& c, int exec) {
    return c.name == exec && c.arguments >= 1 ? config.textOf(c.argument).toString() : QString();
}

void missingExecFiles(const ParsedConfig& config, const QString& gameDir, Findings& findings) {
    const int exec = config.idOf(u"exec"_s);
    if (!gameDirKnown(gameDir) || exec < 0)
        return;
    for (const ParsedCommand& c : config.commands) {
        const QString file = execFile(config, c, exec);
        if (!file.isEmpty() && gameFile(gameDir, file).isEmpty())
            findings.add(c.line, Finding::Kind::Warning, Form::MissingExecFile, c.argument);
    }
}

void unknownKeys(const ParsedConfig& config, const Vocabulary& words, Findings& findings) {
    const Keywords k(config);
    // Whether each key name is known, asked once per name.
    enum : quint8 { NotAsked, Known, Unknown };
    QList<quint8> known(config.names.size(), NotAsked);
    for (const ParsedCommand& c : config.commands) {
        if ((c.name != k.bind && c.name != k.unbind) || c.arguments < 1)
            continue;
        quint8& answer = known[c.key];
        if (answer == NotAsked)
            answer = words.isKey(config.names.at(c.key)) ? Known : Unknown;
        if (answer == Unknown)
            findings.add(c.line, Finding::Kind::Warning, Form::UnknownKey, c.argument);
    }
}

} // namespace

namespace {
// The findings of one check, each with its message.
template <typename Check, typename... Inputs>
QList<Finding> listed(const ParsedConfig& config, Check check, const Inputs&... inputs) {
    Findings findings(config);
    check(config, inputs..., findings);
    return findings.toList();
}
} // namespace

QList<Finding> checkUnknownCommands(const ParsedConfig& config, const Vocabulary& words) {
    return listed(config, unknownCommands, words);
}

QList<Finding> checkUnclosedQuotes(const ParsedConfig& config) {
    return listed(config, unclosedQuotes);
}

QList<Finding> checkConsoleReading(const ParsedConfig& config, const Vocabulary& words) {
    return listed(config, consoleReading, words);
}

QList<Finding> checkSteamLineBreaks(const ParsedConfig& config, qint64 fileBytes) {
    return listed(config, steamLineBreaks, fileBytes);
}

QList<Finding> checkPlusAliasesWithoutMinus(const ParsedConfig& config, const Vocabulary& words) {
    return listed(config, plusAliasesWithoutMinus, words);
}

QList<Finding> checkLongAliasNames(const ParsedConfig& config) {
    return listed(config, longAliasNames);
}

QList<Finding> checkCommandsAfterComments(const ParsedConfig& config) {
    return listed(config, commandsAfterComments);
}

QList<Finding> checkDuplicateBinds(const ParsedConfig& config) {
    return listed(config, duplicateBinds);
}

QList<Finding> checkAliasCycles(const ParsedConfig& config, const Vocabulary& words) {
    return listed(config, aliasCycles, words);
}

QList<Finding> checkShadowedAliases(const ParsedConfig& config, const Vocabulary& words) {
    return listed(config, shadowedAliases, words);
}

QList<Finding> checkUndefinedAliases(const ParsedConfig& config, const Vocabulary& words) {
    return listed(config, undefinedAliases, words);
}

QList<Finding> checkLaterVersionNames(const ParsedConfig& config, const Vocabulary& words) {
    return listed(config, laterVersionNames, words);
}

QList<Finding> checkPluginCommands(const ParsedConfig& config) {
    return listed(config, pluginCommands);
}

QList<Finding> checkNotKeptInConfigCfg(const ParsedConfig& config, const Vocabulary& words) {
    return listed(config, notKeptInConfigCfg, words);
}

bool looksWrittenByGame(const ParsedConfig& config, const Vocabulary& words) {
    bool any = false;
    for (const ParsedCommand& c : config.commands) {
        if (c.depth != 0)
            continue;
        if (c.defines >= 0 || !keptInConfigCfg(config.nameOf(c), config.textOf(c.argument), words))
            return false;
        any = true;
    }
    return any && linesNotKept(config, words).isEmpty();
}

QList<Finding> checkMissingExecFiles(const ParsedConfig& config, const QString& gameDir) {
    return listed(config, missingExecFiles, gameDir);
}

QList<Finding> checkUnknownKeys(const ParsedConfig& config, const Vocabulary& words) {
    return listed(config, unknownKeys, words);
}

QSet<QString> aliasesFromGameFiles(const ParsedConfig& config, const QString& gameDir,
                                   GameFolderAliases* folder) {
    QSet<QString> aliases;
    if (!gameDirKnown(gameDir))
        return aliases;
    const auto walk = [&](const QStringList& files, QSet<QString>& into) {
        configset::walk(gameDir, files,
                        [&](const QString&, const QString&, const ParsedConfig& other) {
                            into.unite(other.aliases);
                        });
    };
    // Every .cfg of the game directory, then what the config and those files exec, each once.
    QStringList files;
    for (const QString& file : paths::listFiles(gameDir, u"*.cfg"_s))
        files.append(paths::resolve(gameDir, QFileInfo(file).fileName()));
    QStringList execs;
    for (const QString& name : configset::execNames(config))
        if (const QString path = gameFile(gameDir, name); !path.isEmpty())
            execs.append(path);
    if (!folder) {
        walk(files + execs, aliases);
        return aliases;
    }
    if (folder->gameDir != gameDir) {
        folder->gameDir = gameDir;
        folder->aliases.clear();
        walk(files, folder->aliases);
    }
    aliases = folder->aliases;
    if (!execs.isEmpty())
        walk(execs, aliases);
    return aliases;
}

qint64 fileBytes(const QString& text, const CheckedFile& file) {
    const qint64 breaks = text.count(u'\n');
    return console::byteLength(text, file.bytes) + (file.crLf ? breaks : 0);
}

ConfigReport checkConfigReport(const QString& text, const Vocabulary& words,
                               const QString& gameDir, const CheckedFile& file,
                               GameFolderAliases* folder) {
    // config.cfg, or a text that starts as the game writes it, is read whole: what the game
    // keeps of it is asked of every command.
    const bool gameConfig = isConfigCfg(file.name) || startsLikeGameConfig(text);
    ParsedConfig config = parseConfig(text, gameConfig ? nullptr : &words, file.bytes);
    config.aliases.unite(aliasesFromGameFiles(config, gameDir, folder));
    const bool writtenByGame = gameConfig && looksWrittenByGame(config, words);
    // Each check's findings come ordered by line; within a line they keep the order of the
    // checks.
    std::vector<Findings> checks(16, Findings(config));
    unclosedQuotes(config, checks[0]);
    consoleReading(config, words, checks[1]);
    commandsAfterComments(config, checks[2]);
    unknownCommands(config, words, checks[3]);
    unknownKeys(config, words, checks[4]);
    duplicateBinds(config, checks[5]);
    aliasCycles(config, words, checks[6]);
    shadowedAliases(config, words, checks[7]);
    longAliasNames(config, checks[8]);
    plusAliasesWithoutMinus(config, words, checks[9]);
    missingExecFiles(config, gameDir, checks[10]);
    undefinedAliases(config, words, checks[11]);
    if (!writtenByGame)
        laterVersionNames(config, words, checks[12]);
    pluginCommands(config, checks[13]);
    steamLineBreaks(config, fileBytes(text, file), checks[14]);
    if (isConfigCfg(file.name))
        notKeptInConfigCfg(config, words, checks[15]);

    // Placed by line: the findings of each line counted first, then laid out check by check.
    ConfigReport report;
    report.m_text = text;
    QList<qsizetype> at(config.lineCount + 1);
    qsizetype total = 0;
    for (const Findings& check : checks) {
        total += check.entries().size();
        for (const Entry& e : check.entries())
            ++at[e.line + 1];
    }
    for (int line = 1; line <= config.lineCount; ++line)
        at[line] += at[line - 1];
    report.m_entries.resize(total);
    for (const Findings& check : checks) {
        const int writtenBefore = int(report.m_written.size());
        report.m_written.append(check.written());
        for (Entry e : check.entries()) {
            if (hasWrittenMessage(e.form))
                e.number += writtenBefore;
            report.m_entries[at[e.line]++] = e;
        }
    }
    return report;
}

QList<Finding> checkConfig(const QString& text, const Vocabulary& words, const QString& gameDir,
                           const CheckedFile& file) {
    return checkConfigReport(text, words, gameDir, file).toList();
}

QString ConfigReport::message(const Entry& e, QStringView text, const QStringList& written) {
    const QStringView word = text.mid(e.word.start, e.word.length);
    switch (e.form) {
    case Form::UnknownCommand:
        return u"Неизвестная команда или переменная «%1»"_s.arg(word);
    case Form::UnclosedQuote:
        return u"Кавычка не закрыта до конца строки"_s;
    case Form::LongCommand:
        return u"Команда длиннее 1023 байт: игра выполнит её начало, а остаток — как отдельную "
               u"команду"_s;
    case Form::DroppedWord:
        return u"Слово «%1…» длиннее 514 байт: игра отбросит его и все слова после него"_s.arg(
            word);
    case Form::ForeignStart:
        return u"«%1»: игра не прочтёт слово, начинающееся с русской буквы, без кавычек"_s.arg(
            word);
    case Form::GluedQuote:
        return u"Кавычка внутри слова «%1»: игра прочтёт её как часть слова"_s.arg(word);
    case Form::SteamLineBreak:
        return u"В версиях Steam файл длиннее 16 382 байт читается по строкам, и табуляция или "
               u"буква не из ASCII обрывает строку: остаток выполнится как отдельная команда"_s;
    case Form::LongAliasName:
        return u"Имя алиаса «%1» длиннее 31 символа: игра его не примет"_s.arg(word);
    case Form::PlusWithoutMinus:
        return u"Алиас «%1» без пары «-%2»: при отпускании клавиши игре нечего выполнить"_s.arg(
            word, word.mid(1));
    case Form::CommandAfterComment:
        return u"Комментарий кончается на «;»: игра выполнит «%1»"_s.arg(word);
    case Form::DuplicateBind:
        return u"Клавиша «%1» назначена дважды: строки %2 и %3 (действует последняя)"_s.arg(
            word, QString::number(e.number + 1), QString::number(e.line + 1));
    case Form::ShadowedAlias:
        return u"Алиас «%1» никогда не выполнится: игра сначала выполняет свою команду «%1»"_s.arg(
            word);
    case Form::MissingExecFile:
        return u"Файл «%1» не найден в каталоге игры"_s.arg(word);
    case Form::UnknownKey:
        return u"Игра не знает клавишу «%1»"_s.arg(word);
    case Form::UndefinedAlias:
        return u"«%1» не определён в этом файле: может быть, он задан в другом"_s.arg(word);
    case Form::LaterVersionName:
        return originMessage(NameOrigin(e.number), word);
    case Form::AliasCycle:
    case Form::PluginCommands:
    case Form::SplitValue:
    case Form::NotKeptInConfigCfg:
        return written.at(e.number);
    }
    return QString();
}

QString ConfigReport::id(qsizetype i) const {
    const Entry& e = m_entries.at(i);
    switch (e.form) {
    case Form::UnknownCommand:
        return u"unknown-command"_s;
    case Form::UnclosedQuote:
        return u"unclosed-quote"_s;
    case Form::CommandAfterComment:
        return u"command-after-comment"_s;
    case Form::LongCommand:
        return u"long-command"_s;
    case Form::DroppedWord:
        return u"dropped-word"_s;
    case Form::ForeignStart:
        return u"non-ascii-word-start"_s;
    case Form::GluedQuote:
        return u"quote-in-word"_s;
    case Form::SplitValue:
        return u"split-value"_s;
    case Form::SteamLineBreak:
        return u"steam-line-break"_s;
    case Form::LongAliasName:
        return u"long-alias-name"_s;
    case Form::PlusWithoutMinus:
        return u"plus-without-minus"_s;
    case Form::DuplicateBind:
        return u"duplicate-bind"_s;
    case Form::AliasCycle:
        return u"alias-cycle"_s;
    case Form::ShadowedAlias:
        return u"shadowed-alias"_s;
    case Form::MissingExecFile:
        return u"missing-exec-file"_s;
    case Form::UnknownKey:
        return u"unknown-key"_s;
    case Form::UndefinedAlias:
        return u"undefined-alias"_s;
    case Form::LaterVersionName:
        return NameOrigin(e.number) == NameOrigin::Steam16 ||
                       NameOrigin(e.number) == NameOrigin::SteamLater
                   ? u"steam-version-name"_s
                   : u"rebuild-only-name"_s;
    case Form::PluginCommands:
        return u"plugin-commands"_s;
    case Form::NotKeptInConfigCfg:
        return u"not-kept-in-config-cfg"_s;
    }
    return u"finding"_s;
}

QString ConfigReport::message(qsizetype i) const {
    return message(m_entries.at(i), m_text, m_written);
}

QList<Finding> ConfigReport::toList() const {
    QList<Finding> list;
    list.reserve(size());
    for (qsizetype i = 0; i < size(); ++i)
        list.append(at(i));
    return list;
}

QString findingCaption(int line, const QString& message) {
    return u"Строка %1: %2"_s.arg(QString::number(line + 1), message);
}

QString findingCaption(const ConfigFinding& finding) {
    return findingCaption(finding.line, finding.message);
}
