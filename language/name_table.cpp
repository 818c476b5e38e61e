#include "language/name_table.h"

#include "language/config_commands.h"

#include <algorithm>

quint32 NameTable::hashOf(QStringView name) const {
    // FNV-1a over the characters: names are short, and Qt's own string hash costs more than
    // the rest of a command's run.
    quint32 h = 2166136261u;
    for (const QChar c : name) {
        h ^= m_folded ? console::foldedChar(c.unicode()) : c.unicode();
        h *= 16777619u;
    }
    return h | 1; // never 0, so a free entry's hash matches nothing
}

bool NameTable::same(const QString& key, QStringView name) const {
    if (key.size() != name.size())
        return false;
    if (!m_folded)
        return key == name;
    const char16_t* k = reinterpret_cast<const char16_t*>(key.constData());
    for (qsizetype i = 0; i < name.size(); ++i)
        if (k[i] != console::foldedChar(name[i].unicode()))
            return false;
    return true;
}

int NameTable::find(QStringView name) const {
    if (m_hashes.empty())
        return -1;
    const quint32 h = hashOf(name);
    const size_t mask = m_hashes.size() - 1;
    for (size_t i = h & mask;; i = (i + 1) & mask) {
        const quint32 at = m_hashes[i];
        if (at == 0)
            return -1;
        if (at == h && same(m_entries[i].key, name))
            return m_entries[i].value;
    }
}

void NameTable::reserve(qsizetype count) {
    size_t size = m_hashes.empty() ? 256 : m_hashes.size();
    while (size_t(count) * 2 > size)
        size *= 2;
    if (size > m_hashes.size())
        rehash(size);
}

void NameTable::grow() {
    rehash(m_hashes.empty() ? 256 : m_hashes.size() * 2);
}

void NameTable::rehash(size_t size) {
    std::vector<quint32> oldHashes = std::move(m_hashes);
    std::vector<Entry> old = std::move(m_entries);
    m_hashes.assign(size, 0);
    m_entries.assign(size, Entry());
    const size_t mask = size - 1;
    for (size_t k = 0; k < oldHashes.size(); ++k) {
        const quint32 h = oldHashes[k];
        if (h == 0)
            continue;
        size_t i = h & mask;
        while (m_hashes[i] != 0)
            i = (i + 1) & mask;
        m_hashes[i] = h;
        m_entries[i] = std::move(old[k]);
    }
}

NameTable::Entry& NameTable::place(QStringView name, int value) {
    if (size_t(m_count + 1) * 2 > m_hashes.size())
        grow();
    const quint32 h = hashOf(name);
    const size_t mask = m_hashes.size() - 1;
    size_t i = h & mask;
    while (m_hashes[i] != 0)
        i = (i + 1) & mask;
    m_hashes[i] = h;
    Entry& e = m_entries[i];
    e.value = value;
    ++m_count;
    return e;
}

const QString& NameTable::insert(QStringView name, int value) {
    Entry& e = place(name, value);
    e.key = m_folded ? console::foldedName(name) : name.toString();
    return e.key;
}

const QString& NameTable::insert(const QString& name, int value) {
    Entry& e = place(name, value);
    const bool kept = !m_folded || std::none_of(name.cbegin(), name.cend(), [](QChar c) {
        return console::foldedChar(c.unicode()) != c.unicode();
    });
    e.key = kept ? name : console::foldedName(name);
    return e.key;
}
