// The command index: one pass over the text, each name's commands read on the first look-up.
#include "language/command_index.h"

#include <array>
#include <cstring>

size_t qHash(const FoldedName& key, size_t seed) noexcept {
    // FNV-1a over the letters folded to lower case.
    size_t hash = seed ^ 0xCBF29CE484222325u;
    for (const QChar ch : key.name) {
        const char16_t c = ch.unicode();
        hash = (hash ^ (c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c)) * 0x100000001B3u;
    }
    return hash;
}

namespace {

// A name's place among the names met last: by its length and its first and last letters,
// folded.
size_t recentSlot(QStringView name, size_t count) {
    if (name.isEmpty())
        return 0;
    const size_t first = name.front().unicode() | 0x20;
    const size_t last = name.back().unicode() | 0x20;
    return (size_t(name.size()) * 67 + first * 7 + last) % count;
}

// Letter for letter, four at a time: how a config mostly repeats a name.
bool sameSpelling(QStringView a, QStringView b) {
    if (a.size() != b.size())
        return false;
    const char16_t* x = reinterpret_cast<const char16_t*>(a.data());
    const char16_t* y = reinterpret_cast<const char16_t*>(b.data());
    qsizetype i = 0;
    for (; i + 4 <= a.size(); i += 4) {
        quint64 u, v;
        std::memcpy(&u, x + i, sizeof u);
        std::memcpy(&v, y + i, sizeof v);
        if (u != v)
            return false;
    }
    for (; i < a.size(); ++i)
        if (x[i] != y[i])
            return false;
    return true;
}

} // namespace

CommandIndex::CommandIndex(QStringView text) : text_(text) {
    // The entries of the names met last: a config repeats a few names (bind, alias, echo) line
    // after line, and these answer without hashing.
    std::array<std::pair<QStringView, Commands*>, 256> recent{};
    forEachCommandFound(text, [&](int lineStart, int start, QStringView name, int stop) {
        auto& [recentName, entryOfName] = recent[recentSlot(name, recent.size())];
        if (!entryOfName || !(sameSpelling(name, recentName) || sameName(name, recentName))) {
            Commands*& entry = byName_[FoldedName{name}];
            if (!entry)
                entry = &store_.emplace_back();
            recentName = name;
            entryOfName = entry;
        }
        // A bare name without a quote is read once: the command's reading goes on after it.
        const bool bare = text[start] != u'"' && !name.contains(u'"');
        entryOfName->starts.push_back(
            {lineStart, start, bare ? start + int(name.size()) : -1, stop});
    });
}

const CommandIndex::Commands* CommandIndex::find(QStringView name) const {
    const auto it = byName_.constFind(FoldedName{name});
    return it == byName_.cend() ? nullptr : *it;
}

CommandSpan CommandIndex::read(const Commands& commands, qsizetype i) const {
    const std::vector<Commands::Start>& starts = commands.starts;
#if defined(__GNUC__)
    // A short line still often spans two cache lines.
    if (size_t(i + kReadAhead) < starts.size()) {
        const QChar* ahead = text_.data() + starts[size_t(i + kReadAhead)].start;
        __builtin_prefetch(ahead);
        __builtin_prefetch(ahead + 32);
    }
#endif
    const Commands::Start& at = starts[size_t(i)];
    return commandWithin(text_, at.lineStart, at.start, at.stop, at.nameEnd);
}

const QList<CommandSpan>& CommandIndex::named(QStringView name) const {
    static const QList<CommandSpan> none;
    const Commands* commands = find(name);
    if (!commands)
        return none;
    if (!commands->read) {
        const qsizetype count = qsizetype(commands->starts.size());
        commands->spans.reserve(count);
        for (qsizetype i = 0; i < count; ++i)
            commands->spans.append(read(*commands, i));
        commands->read = true;
    }
    return commands->spans;
}
