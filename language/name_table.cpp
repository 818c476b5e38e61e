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
    if (m_entries.empty())
        return -1;
    const quint32 h = hashOf(name);
    const size_t mask = m_entries.size() - 1;
    for (size_t i = h & mask;; i = (i + 1) & mask) {
        const Entry& e = m_entries[i];
        if (e.hash == 0)
            return -1;
        if (e.hash == h && same(e.key, name))
            return e.value;
    }
}

void NameTable::grow() {
    std::vector<Entry> old = std::move(m_entries);
    m_entries.assign(old.empty() ? 256 : old.size() * 2, Entry());
    const size_t mask = m_entries.size() - 1;
    for (Entry& e : old) {
        if (e.hash == 0)
            continue;
        size_t i = e.hash & mask;
        while (m_entries[i].hash != 0)
            i = (i + 1) & mask;
        m_entries[i] = std::move(e);
    }
}

NameTable::Entry& NameTable::place(QStringView name, int value) {
    if (size_t(m_count + 1) * 2 > m_entries.size())
        grow();
    const quint32 h = hashOf(name);
    const size_t mask = m_entries.size() - 1;
    size_t i = h & mask;
    while (m_entries[i].hash != 0)
        i = (i + 1) & mask;
    Entry& e = m_entries[i];
    e.hash = h;
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
