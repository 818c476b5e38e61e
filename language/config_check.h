// "Проверить конфиг": what is wrong or suspicious in a config, each finding with its line. The
// text is read once into a list of its commands (those inside the bodies of binds and aliases
// included), each a few numbers and places in the text; every check is a function of its own
// over that list, so each is tested on its own. Messages are written when they are shown.
#pragma once

#include "language/config_syntax.h"
#include "language/vocabulary.h"

#include <QList>
#include <QSet>
#include <QString>
#include <memory>
#include <vector>

// A list kept in blocks of a fixed size, so that a long one is no single allocation of tens of
// megabytes (which the system hands out fresh, to be faulted in page by page, every time).
template <typename T, qsizetype BlockSize = 1024> class BlockList {
public:
    qsizetype size() const { return m_size; }
    const T& at(qsizetype i) const { return m_blocks[i / BlockSize][i % BlockSize]; }
    T& emplace_back() {
        if (m_size % BlockSize == 0)
            m_blocks.push_back(std::make_unique_for_overwrite<T[]>(BlockSize));
        T& item = m_blocks.back()[m_size % BlockSize];
        item = T();
        ++m_size;
        return item;
    }

    class const_iterator {
    public:
        const_iterator(const std::unique_ptr<T[]>* block, qsizetype offset)
            : m_block(block), m_offset(offset) {}
        const T& operator*() const { return (*m_block)[m_offset]; }
        const_iterator& operator++() {
            if (++m_offset == BlockSize) {
                ++m_block;
                m_offset = 0;
            }
            return *this;
        }
        bool operator==(const const_iterator&) const = default;

    private:
        const std::unique_ptr<T[]>* m_block;
        qsizetype m_offset;
    };
    const_iterator begin() const { return {m_blocks.data(), 0}; }
    const_iterator end() const {
        return {m_blocks.data() + m_size / BlockSize, m_size % BlockSize};
    }

private:
    std::vector<std::unique_ptr<T[]>> m_blocks;
    qsizetype m_size = 0;
};

struct ConfigFinding {
    enum class Kind { Warning, Hint };
    int line = 0; // 0-based
    Kind kind = Kind::Warning;
    QString message;
    bool operator==(const ConfigFinding&) const = default;
};
Q_DECLARE_TYPEINFO(ConfigFinding, Q_RELOCATABLE_TYPE);
size_t qHash(const ConfigFinding& f, size_t seed = 0);

// Where a word stands in the checked text.
struct TextSpan {
    int start = 0;
    int length = 0;
};

// A command as the checks need it: its name, the word after it, and where it stands. The words
// themselves stay in the text.
struct ParsedCommand {
    int name = 0;         // lower case, in ParsedConfig::names
    int defines = -1;     // for an alias command: the name it defines, in ParsedConfig::names
    int key = -1;         // for a bind or unbind: the key, lower case, in ParsedConfig::names
    int line = 0;         // 0-based
    int parent = -1;      // the bind or alias whose body holds it
    quint8 depth = 0;     // 0 at the top of a line, 1 in the body of a bind or alias there, ...
    quint8 arguments = 0; // the words after the name (255 for more)
    bool afterComment = false; // a comment before it on its line ends at the ";" before it
    TextSpan spelled;          // the name as written
    TextSpan argument;         // the first word after the name, without quotes (empty for none)
};
Q_DECLARE_TYPEINFO(ParsedCommand, Q_RELOCATABLE_TYPE);

// A place where the console reads a command otherwise than it looks.
struct ReadingNote {
    enum class Kind : quint8 {
        CutCommand,   // longer than the console's line: the rest runs as another command
        DroppedWord,  // a word of 515 bytes or more, dropped with every word after it
        ForeignStart, // a word outside quotes that begins with a non-ASCII letter
        GluedQuote,   // a quote inside a bare word
        SplitValue,   // a one-character word among the arguments
    };
    int line = 0;
    Kind kind = Kind::CutCommand;
    int name = -1; // the command's name, in ParsedConfig::names
    TextSpan word; // where it is in the text
};
Q_DECLARE_TYPEINFO(ReadingNote, Q_PRIMITIVE_TYPE);

// A config read once for all the checks. It holds views into the text it was read from, which
// must outlive it.
struct ParsedConfig {
    QStringView text;
    int lineCount = 0;
    // In the order of the text; the commands of a body follow the bind or alias that holds it.
    BlockList<ParsedCommand> commands;
    // The first words, alias names and keys, lower case, each once (a config repeats few names
    // many times, so the checks look each one up once).
    QStringList names;
    QList<int> unclosedQuoteLines;
    QList<ReadingNote> readingNotes;
    console::Bytes bytes = console::Bytes::Single; // how the file stores a character
    QSet<QString> aliases; // defined anywhere in the text (and the game's other files), lower case

    const QString& nameOf(const ParsedCommand& c) const { return names.at(c.name); }
    QStringView textOf(TextSpan span) const { return text.mid(span.start, span.length); }
    // The index of a lower-case name in `names`, or -1.
    int idOf(const QString& lowerName) const;
    int intern(QStringView name); // (used while reading)

private:
    // Where `name` (any letter case) is or would go in m_slots, and its hash.
    qsizetype slotOf(QStringView name, size_t& hash) const;

    QList<int> m_slots;     // name ids by hash (open addressing, -1 for none)
    QList<size_t> m_hashes; // of each name
};
// Every command of the text, or with `words`, those a check may report (see Reader).
ParsedConfig parseConfig(const QString& text, const Vocabulary* words = nullptr,
                         console::Bytes bytes = console::Bytes::Single);

// A first word of a line that no list knows and that is not defined as an alias.
QList<ConfigFinding> checkUnknownCommands(const ParsedConfig& config, const Vocabulary& words);
// A double quote without its closing partner on the same line.
QList<ConfigFinding> checkUnclosedQuotes(const ParsedConfig& config);
// Where the console reads a command otherwise than it looks: a command longer than its line
// (1023 bytes: the rest runs as another command; long alias lines of a pack hit it), a word of
// 515 bytes or more (dropped with the rest), a word outside quotes that begins with a Russian
// letter (skipped: `name Вася` only prints the name), a quote glued to a bare word, and a
// one-character word ("{ } ( ) ' , :") that splits a setting's value (`sensitivity 2,5` is 2).
QList<ConfigFinding> checkConsoleReading(const ParsedConfig& config, const Vocabulary& words);
// For a file of 16,382 bytes or more: the lines that hold a tab or a non-ASCII character, which
// the Steam-era engine ends there when it runs such a file line by line (an information line).
QList<ConfigFinding> checkSteamLineBreaks(const ParsedConfig& config, qint64 fileBytes);
// An alias "+name" with no "-name" anywhere: a key bound to it runs "-name" when released, and
// whatever "+name" began (a held duck, a turned-on variable) goes on.
QList<ConfigFinding> checkPlusAliasesWithoutMinus(const ParsedConfig& config,
                                                  const Vocabulary& words);
// An alias name of 32 characters or more: the game refuses to define it.
QList<ConfigFinding> checkLongAliasNames(const ParsedConfig& config);
// A command after a comment on its line: the console splits a line at ";" before it reads
// comments, so "// old; bind x y" still binds x. Usually a line commented out in part.
QList<ConfigFinding> checkCommandsAfterComments(const ParsedConfig& config);
// The same key bound on two lines: the later one wins in the game; both lines are named.
QList<ConfigFinding> checkDuplicateBinds(const ParsedConfig& config);
// Aliases that call each other round in a circle with none of them ever redefined (no way
// out: the game hangs or overflows), the circle named. A call of a name the game has as a
// command runs that command, not the alias, so it closes no circle.
QList<ConfigFinding> checkAliasCycles(const ParsedConfig& config, const Vocabulary& words);
// An alias named like a command of the game: the console runs the command, never the alias.
QList<ConfigFinding> checkShadowedAliases(const ParsedConfig& config, const Vocabulary& words);
// A command inside a bind or an alias that is neither known nor defined (a hint: it may come
// from a file the check does not see).
QList<ConfigFinding> checkUndefinedAliases(const ParsedConfig& config, const Vocabulary& words);
// A name the game of CS 1.5 does not have: one of the Steam releases (a warning: the 1.5 game
// answers "Unknown command"; an information line for a command the game server handles), or one
// open rebuild's own (an information line: no release of the game has it). An alias of that name
// the config defines is its own. A config the game itself wrote gets none: its names are those of
// the version that wrote it.
QList<ConfigFinding> checkLaterVersionNames(const ParsedConfig& config, const Vocabulary& words);
// In the game's config.cfg (see language/saved_settings.h): the lines the game drops when it
// rewrites the file on exit, in one finding for the file.
QList<ConfigFinding> checkNotKeptInConfigCfg(const ParsedConfig& config, const Vocabulary& words);
// Whether every command at the top of the config's lines is one the game writes into config.cfg
// (bindings, saved settings, setinfo, +mlook): a config the game wrote, of any release. Needs a
// config read without a vocabulary (all of its commands).
bool looksWrittenByGame(const ParsedConfig& config, const Vocabulary& words);
// Commands of server plugins (amx_*, admin_*): one information line for the whole config.
QList<ConfigFinding> checkPluginCommands(const ParsedConfig& config);
// "exec" of a file that the game directory (or the base game's folder beside it) does not have.
// No finding when the game directory is not known.
QList<ConfigFinding> checkMissingExecFiles(const ParsedConfig& config, const QString& gameDir);
// A bind or unbind of a key name the game does not know (any letter case).
QList<ConfigFinding> checkUnknownKeys(const ParsedConfig& config, const Vocabulary& words);

// Aliases the game has from other files when this config runs: those of every .cfg file of the
// game directory (the game runs config.cfg and autoexec.cfg itself, the others are exec'd by
// the player's files) and of the files the config execs, wherever they are, and the files
// those exec in turn.
// `folder`, when given, keeps the aliases of the game directory's own files from one config to the
// next (a run over many configs of one folder reads the folder once).
struct GameFolderAliases {
    QString gameDir;
    QSet<QString> aliases;
};
QSet<QString> aliasesFromGameFiles(const ParsedConfig& config, const QString& gameDir,
                                   GameFolderAliases* folder = nullptr);

// The checked file: how its text is stored (the encoding's bytes per character, and whether its
// lines end in CR LF, for the byte limits and the size the game reads) and its path or name.
struct CheckedFile {
    console::Bytes bytes = console::Bytes::Single;
    bool crLf = true;
    QString name;
};

// The findings of a check run, ordered by line. A message is written only when it is asked
// for: a long config has hundreds of thousands of findings, and the list shows a few at a time.
class ConfigReport {
public:
    qsizetype size() const { return m_entries.size(); }
    bool isEmpty() const { return m_entries.isEmpty(); }
    int line(qsizetype i) const { return m_entries.at(i).line; }
    ConfigFinding::Kind kind(qsizetype i) const { return m_entries.at(i).kind; }
    QString message(qsizetype i) const;
    ConfigFinding at(qsizetype i) const { return {line(i), kind(i), message(i)}; }
    QList<ConfigFinding> toList() const;

    // How a finding is worded: a template filled with a word of the text (and a line), or a
    // message written while checking.
    enum class Form : quint8 {
        UnknownCommand,
        UnclosedQuote,
        CommandAfterComment,
        LongCommand,
        DroppedWord,
        ForeignStart,
        GluedQuote,
        SplitValue, // `number`: the message in `written`
        SteamLineBreak,
        LongAliasName,
        PlusWithoutMinus,
        DuplicateBind, // `number`: the line of the earlier bind
        AliasCycle,    // `number`: the message in `written`
        ShadowedAlias,
        MissingExecFile,
        UnknownKey,
        UndefinedAlias,
        LaterVersionName,   // `number`: the NameOrigin
        PluginCommands,     // `number`: the message in `written`
        NotKeptInConfigCfg, // `number`: the message in `written`
    };
    Form form(qsizetype i) const { return m_entries.at(i).form; }
    // Where the finding's word stands in the checked text (empty for a finding of a whole line).
    TextSpan word(qsizetype i) const { return m_entries.at(i).word; }
    // The short English id of a finding's kind, stable between versions ("unknown-command"):
    // for the command line and the tools that read what it prints.
    QString id(qsizetype i) const;

    struct Entry {
        int line = 0;
        ConfigFinding::Kind kind = ConfigFinding::Kind::Warning;
        Form form = Form::UnclosedQuote;
        int number = 0;
        TextSpan word;
    };
    // The message of an entry whose word is in `text`.
    static QString message(const Entry& e, QStringView text, const QStringList& written);

private:
    friend ConfigReport checkConfigReport(const QString&, const Vocabulary&, const QString&,
                                          const CheckedFile&, GameFolderAliases*);
    QString m_text; // the words of the findings are spans of it
    QList<Entry> m_entries;
    QStringList m_written;
};
Q_DECLARE_TYPEINFO(ConfigReport::Entry, Q_RELOCATABLE_TYPE);

// Every check, ordered by line; aliases from the game's other files count as defined. `file`
// says how the text is stored and its path or name (empty for an unsaved text): the game's
// config.cfg gets the check of the lines it does not keep.
ConfigReport checkConfigReport(const QString& text, const Vocabulary& words,
                               const QString& gameDir, const CheckedFile& file = {},
                               GameFolderAliases* folder = nullptr);
// The same with every message written.
QList<ConfigFinding> checkConfig(const QString& text, const Vocabulary& words,
                                 const QString& gameDir, const CheckedFile& file = {});

// "Строка 12: ..." as the check list shows a finding.
QString findingCaption(const ConfigFinding& finding);
QString findingCaption(int line, const QString& message);

// A command of a server plugin rather than of the game.
bool isPluginCommand(QStringView lowerName);
