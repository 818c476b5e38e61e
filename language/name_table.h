// A table from names to small numbers, for what looks up a name for every command it meets
// (the set's run, the vocabulary): found by the name as written, folded as the console folds it
// (or, for user-info keys, as it is) while it is hashed, so a look-up makes no string.
#pragma once

#include <QString>
#include <QStringView>
#include <vector>

class NameTable {
public:
    explicit NameTable(bool folded) : m_folded(folded) {}

    // The number given to the name, or -1.
    int find(QStringView name) const;
    // Gives the name a number (the name not yet in the table); returns the key as kept
    // (folded when the table folds).
    const QString& insert(QStringView name, int value);
    // The same, keeping `name` itself (shared, not copied) when it is already in kept form.
    const QString& insert(const QString& name, int value);
    qsizetype size() const { return m_count; }
    // Room for `count` names in all, so that filling the table does not move it again and again.
    void reserve(qsizetype count);

private:
    struct Entry {
        QString key;
        int value = -1;
    };
    quint32 hashOf(QStringView name) const;
    bool same(const QString& key, QStringView name) const;
    Entry& place(QStringView name, int value);
    void grow();
    void rehash(size_t size);

    bool m_folded;
    // A power of two in size, at most half full. The hashes stand apart from the keys, so a
    // look-up goes through a few bytes of each entry until the hash matches (0: a free entry).
    std::vector<quint32> m_hashes;
    std::vector<Entry> m_entries;
    qsizetype m_count = 0;
};
