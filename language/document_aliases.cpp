// Counting alias definitions line by line.
#include "language/document_aliases.h"

#include "language/config_commands.h"
#include "language/vocabulary.h"

using namespace Qt::Literals::StringLiterals;

namespace {

// A line's list of names this long or shorter is searched as it is, a longer one through a set.
constexpr qsizetype kFewNames = 8;
// Past this many names that came or went, they are not kept (a new text, a large paste).
constexpr qsizetype kChangedNamesKept = 32;

// Whether a list holds a name: a line's list of one or two is searched as it is, a long one (an
// alias pack joined with ";" on one line) through a set, so a keystroke on such a line does not
// compare every name with every other.
class NameLookup {
public:
    explicit NameLookup(const QStringList& names) : m_names(names) {
        if (names.size() > kFewNames)
            m_set = QSet<QString>(names.begin(), names.end());
    }
    bool contains(const QString& name) const {
        return m_names.size() > kFewNames ? m_set.contains(name) : m_names.contains(name);
    }

private:
    const QStringList& m_names;
    QSet<QString> m_set;
};

} // namespace

bool DocumentAliases::replace(const QStringList& before, const QStringList& after) {
    bool changed = false;
    const NameLookup inBefore(before);
    const NameLookup inAfter(after);
    for (const QString& name : before) {
        if (inAfter.contains(name))
            continue;
        auto it = m_count.find(name);
        if (it == m_count.end())
            continue;
        if (--*it == 0) {
            m_count.erase(it);
            m_names.remove(name);
            noteChange(name);
            changed = true;
        }
    }
    for (const QString& name : after) {
        if (inBefore.contains(name))
            continue;
        if (++m_count[name] == 1) {
            m_names.insert(name);
            noteChange(name);
            changed = true;
        }
    }
    m_changed = m_changed || changed;
    return changed;
}

void DocumentAliases::noteChange(const QString& name) {
    if (m_manyChanged)
        return;
    if (m_changedNames.size() == kChangedNamesKept) {
        m_changedNames.clear();
        m_manyChanged = true;
        return;
    }
    m_changedNames.append(name);
}

QString DocumentAliases::heldName(const QString& name) const {
    const auto it = m_names.constFind(name);
    return it == m_names.constEnd() ? name : *it;
}

QStringList aliasesOfLine(QStringView line) {
    if (console::findName(line, 0, u"alias") < 0)
        return {};
    QStringList names;
    QSet<QString> seen; // filled only for a line that defines many
    forEachAliasDefined(line, [&](QStringView name) {
        QString lower = console::foldedName(name);
        if (names.size() < kFewNames) {
            if (names.contains(lower))
                return;
        } else {
            if (seen.isEmpty())
                seen = QSet<QString>(names.begin(), names.end());
            if (seen.contains(lower))
                return;
            seen.insert(lower);
        }
        names.append(std::move(lower));
    });
    return names;
}

QList<AliasLine> aliasLinesOf(QStringView text) {
    const auto isBreak = [](QChar c) {
        return c == u'\n' || c == u'\r' || c == QChar::ParagraphSeparator || c == QChar(0xFDD0) ||
               c == QChar(0xFDD1);
    };
    QList<AliasLine> lines;
    qsizetype at = 0;
    while ((at = console::findName(text, at, u"alias")) >= 0) {
        // Back to the line's start: the text since the last line read holds no "alias", so
        // each character is passed over once.
        qsizetype start = at;
        while (start > 0 && !isBreak(text[start - 1]))
            --start;
        qsizetype stop = at;
        while (stop < text.size() && !isBreak(text[stop]))
            ++stop;
        QStringList names = aliasesOfLine(text.mid(start, stop - start));
        if (!names.isEmpty())
            lines.append({start, std::move(names)});
        at = stop;
    }
    return lines;
}
