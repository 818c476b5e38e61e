// The MetaBinds the program offers: the ".mtb" files of its "dlls\metabinds" folder that have a
// name, listed with their paths kept in step with the names.
#pragma once

#include "platform/program_home.h"

#include <QString>
#include <QStringList>

namespace metabind {

// The table of listed files' paths. It holds at most kCapacity entries; a file past them is not
// listed, so nothing is ever written beyond the table.
class MetaBindPaths {
public:
    static constexpr int kCapacity = 10000;

    explicit MetaBindPaths(int capacity = kCapacity) : m_capacity(capacity) {}
    // False, and nothing stored, when the table is full.
    bool append(const QString& path);
    void clear() { m_paths.clear(); }
    int count() const { return int(m_paths.size()); }
    bool isFull() const { return count() >= m_capacity; }
    // The path at `index`, or empty when there is none.
    QString at(int index) const;

private:
    int m_capacity;
    QStringList m_paths;
};

struct Listing {
    QStringList names; // names[i] is the name of the file at paths.at(i)
    MetaBindPaths paths;
};

// Every "*.mtb" file of the program's "dlls\metabinds" folder (the user's and the shipped ones)
// in listing order (by name, without regard to case) whose header gives a name; a file that
// cannot be read has none. Stops when the table is full.
Listing listMetaBinds(const ProgramHome& home, int capacity = MetaBindPaths::kCapacity);

} // namespace metabind
