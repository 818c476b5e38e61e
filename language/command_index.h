// The commands of a config by name, found in one pass over its text and read in full only when
// asked for: what the wizard's documents look their settings and binds up in.
#pragma once

#include "language/config_commands.h"

#include <QHash>
#include <QList>
#include <QString>
#include <deque>
#include <vector>

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
    bool contains(QStringView name) const { return byName_.contains(FoldedName{name}); }
    // Whether the text holds any command at all.
    bool isEmpty() const { return byName_.isEmpty(); }

private:
    // How many commands ahead of the one being read a line is fetched from memory: a large
    // config's lines are far apart, and fetched one at a time each would wait for its own.
    static constexpr qsizetype kReadAhead = 24;
    struct Commands {
        struct Start {
            int lineStart; // the line's end is found when the command is read
            int start;
            int nameEnd; // a bare name's end, -1 for one to read again
            int stop;    // where the command ends
        };
        std::vector<Start> starts;        // where each command begins
        mutable QList<CommandSpan> spans; // read from `starts` on the first look-up
        mutable bool read = false;
    };
    const Commands* find(QStringView name) const;
    // Reads the i-th command of a name; the line of one to be read soon is fetched meanwhile.
    CommandSpan read(const Commands& commands, qsizetype i) const;

    QStringView text_;
    std::deque<Commands> store_; // where the entries stay put while names are added
    QHash<FoldedName, Commands*> byName_;
};

template <typename Visit> void CommandIndex::forEachNamed(QStringView name, Visit&& visit) const {
    const Commands* commands = find(name);
    if (!commands)
        return;
    if (commands->read) {
        for (const CommandSpan& command : commands->spans)
            if (!visit(command))
                return;
        return;
    }
    for (qsizetype i = 0; i < qsizetype(commands->starts.size()); ++i)
        if (!visit(read(*commands, i)))
            return;
}
