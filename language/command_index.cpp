// The command index: one pass over the text, each name's commands read on the first look-up.
#include "language/command_index.h"

#include <algorithm>
#include <cstring>
#include <vector>

size_t foldedNameHash(QStringView name) noexcept {
    constexpr quint64 kLowerBits = 0x0020002000200020u;
    constexpr quint64 kMultiplier = 0x9E3779B97F4A7C15u;
    const char16_t* s = reinterpret_cast<const char16_t*>(name.data());
    const qsizetype size = name.size();
    quint64 hash = quint64(size) * kMultiplier;
    qsizetype i = 0;
    for (; i + 4 <= size; i += 4) {
        quint64 chunk;
        std::memcpy(&chunk, s + i, sizeof chunk);
        hash = (hash ^ (chunk | kLowerBits)) * kMultiplier;
        hash ^= hash >> 29;
    }
    if (i < size) {
        quint64 chunk = 0;
        for (qsizetype k = i; k < size; ++k)
            chunk |= quint64(s[k]) << (16 * (k - i));
        hash = (hash ^ (chunk | kLowerBits)) * kMultiplier;
    }
    return size_t(hash ^ (hash >> 32));
}

size_t qHash(const FoldedName& key, size_t seed) noexcept {
    return foldedNameHash(key.name) ^ seed;
}

namespace {

// A name's place among the names met last: by its length, its first letter and its last four
// (where names made by numbering differ: cl_bob1 to cl_bob999 mostly take places of their own).
size_t recentSlot(QStringView name, size_t count) {
    const qsizetype size = name.size();
    if (size == 0)
        return 0;
    const char16_t* s = reinterpret_cast<const char16_t*>(name.data());
    const qsizetype tailSize = std::min<qsizetype>(size, 4);
    quint64 tail = 0;
    std::memcpy(&tail, s + size - tailSize, size_t(tailSize) * sizeof(char16_t));
    const quint64 mixed =
        (tail ^ (quint64(size) << 48) ^ (quint64(s[0]) << 40)) * 0x9E3779B97F4A7C15u;
    // The top bits of the product: those depend on every character.
    return size_t(mixed >> 48) % count;
}

// Letter for letter, four at a time: how a config mostly repeats a name. (Another spelling of
// the same name is found by hashing.)
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
    // A generated or long-grown config averages a command in some thirty characters; the blocks
    // leave some places free.
    pool_.reserve(size_t(text.size() / 24 + 16));
    // A player's config uses some dozens of names; a long-grown one a few thousand.
    names_.reserve(128);
    slots_.assign(256, -1);
    mask_ = slots_.size() - 1;
    // The entries of the names met last, by their length and first and last letters: a config
    // repeats a few names (bind, alias, echo) line after line, and these answer without hashing.
    // A large config may use a thousand names or more, which want more places to stay apart.
    std::vector<int> recent(text.size() < 256 * 1024 ? 1024 : 8192, -1);
    // Where each name's next command goes, beside its spelling: all that a command found needs,
    // in one place. The blocks learn their sizes when they are full and at the end.
    struct Filling {
        QStringView name;
        int next = 0;
        int end = 0;
    };
    std::vector<Filling> filling;
    filling.reserve(names_.capacity());
    forEachCommandFound(text, [&](int lineStart, int start, QStringView name, int stop) {
        int& seen = recent[recentSlot(name, recent.size())];
        if (seen < 0 || !sameSpelling(name, filling[size_t(seen)].name)) {
            seen = entryOf(name);
            if (filling.size() < names_.size())
                filling.push_back({names_.back().name, 0, 0});
        }
        Filling& place = filling[size_t(seen)];
        if (place.next == place.end) {
            const Block& block = addBlock(names_[size_t(seen)]);
            place.next = block.begin;
            place.end = block.begin + block.capacity;
        }
        Start& at = pool_[size_t(place.next++)];
        at.lineStart = lineStart;
        at.start = start;
        // A bare name is read once: the command's reading goes on after it.
        at.nameEnd = text[start] != u'"' ? start + int(name.size()) : -1;
        at.stop = stop;
    });
    for (size_t i = 0; i < names_.size(); ++i) {
        Block& last = blocks_[size_t(names_[i].lastBlock)];
        last.size = filling[i].next - last.begin;
        names_[i].count += last.size;
    }
}

const CommandIndex::Block& CommandIndex::addBlock(Name& entry) {
    // The first block holds four commands, and each further one twice the one before, up to
    // a few thousand.
    constexpr int kFirstBlock = 4;
    constexpr int kLargestBlock = 4096;
    int capacity = kFirstBlock;
    if (entry.lastBlock >= 0) {
        // The block before is full.
        Block& full = blocks_[size_t(entry.lastBlock)];
        full.size = full.capacity;
        entry.count += full.size;
        capacity = std::min(full.capacity * 2, kLargestBlock);
    }
    const int added = int(blocks_.size());
    blocks_.push_back({int(pool_.size()), 0, capacity, -1});
    pool_.resize(pool_.size() + size_t(capacity));
    if (entry.lastBlock < 0)
        entry.firstBlock = added;
    else
        blocks_[size_t(entry.lastBlock)].next = added;
    entry.lastBlock = added;
    return blocks_.back();
}

int CommandIndex::entryOf(QStringView name) {
    const size_t hash = foldedNameHash(name);
    for (size_t slot = hash & mask_;; slot = (slot + 1) & mask_) {
        const int taken = slots_[slot];
        if (taken < 0) {
            const int added = int(names_.size());
            slots_[slot] = added;
            names_.push_back({keptName(name), hash, -1, -1, 0, {}, false, {}, false});
            if (names_.size() * 2 > slots_.size())
                growSlots();
            return added;
        }
        const Name& entry = names_[size_t(taken)];
        if (entry.hash == hash && sameName(entry.name, name))
            return taken;
    }
}

void CommandIndex::keepArguments(const Name& entry) const {
    entry.arguments.reserve(size_t(entry.count));
    forEachStart(entry, [&](const Start& at) {
        QStringView argument;
        if (firstArgumentWithin(text_, at.start, at.stop, at.nameEnd, argument))
            entry.arguments.push_back({argument, int(&at - pool_.data())});
        return true;
    });
    entry.argumentsKept = true;
}

QStringView CommandIndex::keptName(QStringView name) {
    if (name.size() > kNameChunk)
        return name; // a name this long is read where the text spells it
    if (nameChunks_.empty() || chunkUsed_ + name.size() > kNameChunk) {
        nameChunks_.push_back(std::make_unique<char16_t[]>(size_t(kNameChunk)));
        chunkUsed_ = 0;
    }
    char16_t* place = nameChunks_.back().get() + chunkUsed_;
    std::copy(name.utf16(), name.utf16() + name.size(), place);
    chunkUsed_ += name.size();
    return QStringView(place, name.size());
}

void CommandIndex::growSlots() {
    slots_.assign(slots_.size() * 2, -1);
    mask_ = slots_.size() - 1;
    for (size_t i = 0; i < names_.size(); ++i) {
        size_t slot = names_[i].hash & mask_;
        while (slots_[slot] >= 0)
            slot = (slot + 1) & mask_;
        slots_[slot] = int(i);
    }
}

const CommandIndex::Name* CommandIndex::find(QStringView name) const {
    const size_t hash = foldedNameHash(name);
    for (size_t slot = hash & mask_;; slot = (slot + 1) & mask_) {
        const int taken = slots_[slot];
        if (taken < 0)
            return nullptr;
        const Name& entry = names_[size_t(taken)];
        if (entry.hash == hash && sameName(entry.name, name))
            return &entry;
    }
}

const QList<CommandSpan>& CommandIndex::named(QStringView name) const {
    static const QList<CommandSpan> none;
    const Name* entry = find(name);
    if (!entry)
        return none;
    if (!entry->read) {
        entry->spans.reserve(entry->count);
        forEachNamed(name, [&](const CommandSpan& command) {
            entry->spans.append(command);
            return true;
        });
        entry->read = true;
    }
    return entry->spans;
}
