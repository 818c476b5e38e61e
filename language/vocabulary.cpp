// The known words and the document's aliases.
#include "language/vocabulary.h"

#include "reference/line_list.h"
#include "reference/reference_window_tables.h"

#include <QFileInfo>
#include <algorithm>

using namespace Qt::Literals::StringLiterals;

void Vocabulary::add(const QStringList& names, WordKind kind) {
    for (const QString& raw : names) {
        const QString name = raw.trimmed();
        if (name.isEmpty() || name.contains(u' '))
            continue;
        const QString key = name.toLower();
        if (!m_entries.contains(key))
            m_entries.insert(key, name);
        // A name on both lists counts as a command: the game runs it.
        if (!m_kinds.contains(key) || kind == WordKind::Command)
            m_kinds.insert(key, kind);
    }
}

void Vocabulary::addCommands(const QStringList& names) {
    add(names, WordKind::Command);
}
void Vocabulary::addVariables(const QStringList& names) {
    add(names, WordKind::Variable);
}

WordKind Vocabulary::kindOf(QStringView name) const {
    const QString key = name.toString().toLower();
    if (isConfigKeyword(key))
        return WordKind::Keyword;
    return m_kinds.value(key, WordKind::Unknown);
}

QString Vocabulary::entryFor(const QString& name) const {
    return m_entries.value(name.toLower(), name);
}

QStringList Vocabulary::names() const {
    QStringList all = m_entries.values();
    for (const QString& k : {u"bind"_s, u"alias"_s, u"setinfo"_s, u"exec"_s})
        if (!m_entries.contains(k))
            all.append(k);
    std::sort(all.begin(), all.end(), [](const QString& a, const QString& b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    return all;
}

Vocabulary Vocabulary::load(const ProgramHome& home) {
    Vocabulary v;
    auto readList = [&home](const QString& relative) {
        const LineListRead read = readLineList(home.find(relative));
        return read.ok() ? read.entries : QStringList();
    };
    for (const CategoryEntry& e : categoryEntries(ReferencePage::Cmd))
        v.addCommands(readList(u"DLLS\\"_s + e.file.toString()));
    for (const CategoryEntry& e : categoryEntries(ReferencePage::Cvar))
        v.addVariables(readList(u"DLLS\\CVARDLL\\"_s + e.file.toString()));
    for (const QString& file : home.listFiles(u"dlls\\dlz"_s, u"*.dlz"_s)) {
        QStringList firstWords;
        for (const QString& entry : readList(u"dlls\\dlz\\"_s + file)) {
            const ConfigLine line = parseConfigLine(entry);
            if (!line.commands.isEmpty())
                firstWords.append(line.commands.first().words.first().text);
        }
        v.addVariables(firstWords);
    }
    return v;
}

namespace {
void collectFrom(const QList<ConfigCommand>& commands, QSet<QString>& into, int depth) {
    if (depth > 8)
        return;
    for (const ConfigCommand& c : commands) {
        const QString name = c.name();
        if (name == u"alias"_s && c.argumentCount() >= 1) {
            into.insert(c.argument(0).text.toLower());
            if (c.argumentCount() >= 2)
                collectFrom(commandsInside(c.argument(1)), into, depth + 1);
        } else if (name == u"bind"_s && c.argumentCount() >= 2) {
            collectFrom(commandsInside(c.argument(1)), into, depth + 1);
        }
    }
}
} // namespace

void collectAliases(const ConfigLine& line, QSet<QString>& into) {
    collectFrom(line.commands, into, 0);
}

QSet<QString> definedAliases(const QString& text) {
    QSet<QString> names;
    // Only lines that mention "alias" can define one; on a large document this skips the rest.
    qsizetype from = 0;
    while ((from = text.indexOf(u"alias"_s, from, Qt::CaseInsensitive)) >= 0) {
        const qsizetype lineStart = text.lastIndexOf(u'\n', from) + 1;
        qsizetype lineEnd = text.indexOf(u'\n', from);
        if (lineEnd < 0)
            lineEnd = text.size();
        collectAliases(parseConfigLine(QStringView(text).mid(lineStart, lineEnd - lineStart)),
                       names);
        from = lineEnd;
    }
    return names;
}

namespace {
bool isNameChar(QChar c) {
    return c.isLetterOrNumber() || c == u'_' || c == u'+' || c == u'-' || c == u'.';
}
} // namespace

QString wordAt(QStringView line, int column, int* start) {
    if (column < 0 || column > line.size())
        return QString();
    int b = column;
    while (b > 0 && isNameChar(line[b - 1]))
        --b;
    int e = column;
    while (e < line.size() && isNameChar(line[e]))
        ++e;
    if (start)
        *start = b;
    return line.mid(b, e - b).toString();
}
