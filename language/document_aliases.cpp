// Counting alias definitions line by line.
#include "language/document_aliases.h"

#include "language/vocabulary.h"

using namespace Qt::Literals::StringLiterals;

bool DocumentAliases::replace(const QSet<QString>& before, const QSet<QString>& after) {
    bool changed = false;
    for (const QString& name : before) {
        if (after.contains(name))
            continue;
        auto it = m_count.find(name);
        if (it == m_count.end())
            continue;
        if (--*it == 0) {
            m_count.erase(it);
            m_names.remove(name);
            changed = true;
        }
    }
    for (const QString& name : after) {
        if (before.contains(name))
            continue;
        if (++m_count[name] == 1) {
            m_names.insert(name);
            changed = true;
        }
    }
    m_changed = m_changed || changed;
    return changed;
}

QSet<QString> aliasesOfLine(QStringView line) {
    QSet<QString> names;
    if (line.contains(u"alias"_s, Qt::CaseInsensitive))
        collectAliases(parseConfigLine(line), names);
    return names;
}
