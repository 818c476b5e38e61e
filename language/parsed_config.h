// A config read once for the checks: the list of its commands (those inside the bodies of binds
// and aliases included), each a few numbers and places in the text, and the names it uses, each
// interned once.
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

// A command of a server plugin rather than of the game.
bool isPluginCommand(QStringView lowerName);
