// Counting alias definitions line by line.
#include "language/document_aliases.h"

#include "language/vocabulary.h"

using namespace Qt::Literals::StringLiterals;

bool DocumentAliases::replace(const QStringList& before, const QStringList& after) {
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

QString DocumentAliases::heldName(const QString& name) const {
    const auto it = m_names.constFind(name);
    return it == m_names.constEnd() ? name : *it;
}

QStringList aliasesOfLine(QStringView line) {
    if (!line.contains(u"alias"_s, Qt::CaseInsensitive))
        return {};
    QStringList names;
    forEachAliasDefined(parseConfigLine(line), [&names](QStringView name) {
        QString lower = name.toString().toLower();
        if (!names.contains(lower))
            names.append(std::move(lower));
    });
    return names;
}
