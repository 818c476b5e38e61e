// Reading a config once for the checks: its commands, the bodies of binds and aliases, and the
// names it uses, each interned once.
#include "language/parsed_config.h"

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kMaxDepth = 8;

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
            note(ReadingNote::Kind::DroppedWord, r.droppedWord,
                 std::min(wordLength(r.droppedWord), 24));
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
