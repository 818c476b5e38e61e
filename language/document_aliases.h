// The aliases a document defines, kept up to date line by line: each line's definitions are
// counted by name, so an edit re-reads only the lines it touched and a name stays defined while
// any line still defines it.
#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

class DocumentAliases {
public:
    // A line that defined `before` now defines `after` (names in lower case, each once). Returns
    // whether the set of defined names changed.
    bool replace(const QStringList& before, const QStringList& after);
    // Every name some line defines, in lower case.
    const QSet<QString>& names() const { return m_names; }
    // The count's own copy of `name` (sharing its characters), or `name` when it is not counted.
    QString heldName(const QString& name) const;
    // Set by every change of names(); the owner reads and clears it after an edit.
    bool takeChanged() {
        m_changedNames.clear();
        m_manyChanged = false;
        return std::exchange(m_changed, false);
    }
    // The names that came or went since the last takeChanged(), so that only lines mentioning
    // them need a new look; empty with manyChanged() when there were too many to keep.
    const QStringList& changedNames() const { return m_changedNames; }
    bool manyChanged() const { return m_manyChanged; }
    // The document is going away as a whole: its lines' notes, deleted with it, need not take
    // their names off the count one by one.
    void stopCounting() { m_stopped = true; }
    bool counting() const { return !m_stopped; }

private:
    void noteChange(const QString& name);

    QHash<QString, int> m_count;
    QSet<QString> m_names;
    bool m_changed = false;
    QStringList m_changedNames;
    bool m_manyChanged = false;
    bool m_stopped = false;
};

// The aliases one line of a config defines (lower case, each once, in the order of the line);
// lines that do not mention "alias" are not parsed. A list, not a set: a line defines one or
// two, and a document may have a hundred thousand such lines.
QStringList aliasesOfLine(QStringView line);

// A line of a text that defines aliases: where it starts, and what aliasesOfLine gives for it.
struct AliasLine {
    qsizetype start = 0;
    QStringList names;
};
// Every line of `text` that defines an alias, in order. Lines end where a text document's
// blocks do: at LF, CR, U+2029 and the frame marks U+FDD0 and U+FDD1. Only the lines that
// mention "alias" are looked at.
QList<AliasLine> aliasLinesOf(QStringView text);
