// The aliases a document defines, kept up to date line by line: each line's definitions are
// counted by name, so an edit re-reads only the lines it touched and a name stays defined while
// any line still defines it.
#pragma once

#include <QHash>
#include <QSet>
#include <QString>

class DocumentAliases {
public:
    // A line that defined `before` now defines `after` (names in lower case). Returns whether
    // the set of defined names changed.
    bool replace(const QSet<QString>& before, const QSet<QString>& after);
    // Every name some line defines, in lower case.
    const QSet<QString>& names() const { return m_names; }
    // Set by every change of names(); the owner reads and clears it after an edit.
    bool takeChanged() { return std::exchange(m_changed, false); }

private:
    QHash<QString, int> m_count;
    QSet<QString> m_names;
    bool m_changed = false;
};

// The aliases one line of a config defines (lower case); lines that do not mention "alias" are
// not parsed.
QSet<QString> aliasesOfLine(QStringView line);
