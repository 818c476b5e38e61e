// The commands of a config by name, found in one pass over its text and read in full only when
// asked for: what the wizard's documents look their settings and binds up in.
#pragma once

#include "language/config_commands.h"

#include <QList>
#include <QString>
#include <memory>
#include <utility>
#include <vector>

// A name's hash as the game compares names: without regard to ASCII letter case (each character
// is hashed with its 0x20 bit set, so "A" and "a" hash alike; "@" and "`" do too, and are told
// apart by sameName). Four characters at a time.
size_t foldedNameHash(QStringView name) noexcept;

// A command name as the game compares it: without regard to ASCII letter case. A view into the
// text, so looking a command up or indexing it allocates nothing.
struct FoldedName {
    QStringView name;
    friend bool operator==(const FoldedName& a, const FoldedName& b) {
        return sameName(a.name, b.name);
    }
};
size_t qHash(const FoldedName& key, size_t seed = 0) noexcept;

// The commands of a document by name (any letter case), each name's commands in document order.
// One pass over the text notes where each command begins; a name's commands are read in full
// the first time someone asks for them.
class CommandIndex {
public:
    // The index reads `text` as long as it lives: the text must not change meanwhile.
    explicit CommandIndex(QStringView text);
    const QList<CommandSpan>& named(QStringView name) const;
    // Reads the commands of a name one by one and hands each to `visit`, which returns false to
    // stop; nothing is kept. For the long lists (bind, alias) that a caller reads once through:
    // each command is used while its line is at hand.
    template <typename Visit> void forEachNamed(QStringView name, Visit&& visit) const;
    // The same for the commands of a name whose first argument passes `test(QStringView)`:
    // only the first argument of the others is read. With `keepArguments`, the arguments read
    // are kept for the next look-ups of the name that keep them (setinfo, asked for one key
    // after another), which then read only the commands whose argument passes.
    template <typename Test, typename Visit>
    void forEachNamedWithArgument(QStringView name, Test&& test, Visit&& visit,
                                  bool keepArguments = false) const;
    bool contains(QStringView name) const { return find(name) != nullptr; }
    // Whether the text holds any command at all.
    bool isEmpty() const { return names_.empty(); }

private:
    // How many commands ahead of the one being read a line is fetched from memory: a large
    // config's lines are far apart, and fetched one at a time each would wait for its own.
    static constexpr int kReadAhead = 24;
    // Where a command begins.
    struct Start {
        int lineStart; // the line's end is found when the command is read
        int start;
        int nameEnd; // a bare name's end, -1 for a quoted one, read again
        int stop;    // where the command ends
    };
    // A name's commands stand in blocks of the pool, in document order: each block twice as
    // long as the one before, so a name's commands are read from few places and nothing is
    // copied as they grow.
    struct Block {
        int begin; // in pool_
        int size;
        int capacity;
        int next; // in blocks_, -1 for the last
    };
    // A command's first argument, and where in pool_ the command begins.
    struct KeptArgument {
        QStringView argument;
        int start;
    };
    // A name met in the text (as first spelt there, kept among the other names: a large
    // config's names are looked at again and again, and stay near each other in memory) and its
    // commands.
    struct Name {
        QStringView name;
        size_t hash;
        int firstBlock;
        int lastBlock;
        int count;
        mutable QList<CommandSpan> spans; // read on the first look-up
        mutable bool read = false;
        // The first arguments of the commands that have one, where they are asked to be kept.
        mutable std::vector<KeptArgument> arguments;
        mutable bool argumentsKept = false;
    };
    const Name* find(QStringView name) const;
    // The index in names_ of the name's entry, added when new.
    int entryOf(QStringView name);
    // Reads the first arguments of the name's commands and keeps them.
    void keepArguments(const Name& entry) const;
    // A copy of a name's spelling among the names kept.
    QStringView keptName(QStringView name);
    void growSlots();
    // A new block for the name's next commands (the last one is full).
    const Block& addBlock(Name& entry);
    // Hands the name's starts to `visit` in order until it returns false.
    template <typename Visit> void forEachStart(const Name& entry, Visit&& visit) const;
    CommandSpan read(const Start& at) const {
        return commandWithin(text_, at.lineStart, at.start, at.stop, at.nameEnd);
    }
    // The line of a command to be read soon is fetched from memory meanwhile.
    void fetch(const Start& at) const {
#if defined(__GNUC__)
        // A short line still often spans two cache lines.
        const QChar* line = text_.data() + at.start;
        __builtin_prefetch(line);
        __builtin_prefetch(line + 32);
#else
        (void)at;
#endif
    }

    QStringView text_;
    // Grown without its new entries written first: each is written as a command is added.
    template <typename T> struct Uninitialised : std::allocator<T> {
        template <typename U> struct rebind {
            using other = Uninitialised<U>;
        };
        template <typename U> void construct(U* place) noexcept { ::new (place) U; }
        template <typename U, typename... Args> void construct(U* place, Args&&... args) {
            ::new (place) U(std::forward<Args>(args)...);
        }
    };
    std::vector<Start, Uninitialised<Start>> pool_;
    std::vector<Block> blocks_;
    std::vector<Name> names_;
    // Open addressing: each slot holds an index into names_ or -1; at most half of them are
    // taken.
    std::vector<int> slots_;
    size_t mask_ = 0;
    // The names' spellings, in chunks that never move.
    static constexpr qsizetype kNameChunk = 2048;
    std::vector<std::unique_ptr<char16_t[]>> nameChunks_;
    qsizetype chunkUsed_ = 0;
};

template <typename Visit> void CommandIndex::forEachNamed(QStringView name, Visit&& visit) const {
    const Name* entry = find(name);
    if (!entry)
        return;
    if (entry->read) {
        for (const CommandSpan& command : entry->spans)
            if (!visit(command))
                return;
        return;
    }
    forEachStart(*entry, [&](const Start& at) { return visit(read(at)); });
}

template <typename Test, typename Visit>
void CommandIndex::forEachNamedWithArgument(QStringView name, Test&& test, Visit&& visit,
                                            bool keepArguments) const {
    const Name* entry = find(name);
    if (!entry)
        return;
    if (entry->read) {
        for (const CommandSpan& command : entry->spans)
            if (command.wordCount >= 2 && test(command.word(text_, 1)) && !visit(command))
                return;
        return;
    }
    if (keepArguments && !entry->argumentsKept)
        this->keepArguments(*entry);
    if (entry->argumentsKept) {
        for (const KeptArgument& kept : entry->arguments)
            if (test(kept.argument) && !visit(read(pool_[size_t(kept.start)])))
                return;
        return;
    }
    forEachStart(*entry, [&](const Start& at) {
        QStringView argument;
        if (!firstArgumentWithin(text_, at.start, at.stop, at.nameEnd, argument) ||
            !test(argument))
            return true;
        return visit(read(at));
    });
}

template <typename Visit> void CommandIndex::forEachStart(const Name& entry, Visit&& visit) const {
    for (int b = entry.firstBlock; b >= 0; b = blocks_[size_t(b)].next) {
        const Block& block = blocks_[size_t(b)];
        const Start* starts = pool_.data() + block.begin;
        for (int i = 0; i < block.size; ++i) {
            if (i + kReadAhead < block.size)
                fetch(starts[i + kReadAhead]);
            if (!visit(starts[i]))
                return;
        }
    }
}
