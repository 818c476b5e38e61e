// The words the editor knows: the commands and variables of the reference's category lists, the
// first words of the installed value libraries, and the aliases a document defines.
#pragma once

#include "language/config_syntax.h"
#include "platform/program_home.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

enum class WordKind { Unknown, Keyword, Command, Variable, Alias };

class Vocabulary {
public:
    // Names are matched without regard to letter case, as the game matches them.
    void addCommands(const QStringList& names);
    void addVariables(const QStringList& names);

    // Keyword, Command or Variable for a known name; Unknown otherwise (aliases are the
    // document's, see DocumentAliases).
    WordKind kindOf(QStringView name) const;
    bool knows(QStringView name) const { return kindOf(name) != WordKind::Unknown; }
    // The name as the list writes it (the section its explanation is filed under), or the
    // word itself when no list has it.
    QString entryFor(const QString& name) const;
    // Every known name, sorted without regard to case, for completion.
    QStringList names() const;
    bool isEmpty() const { return m_entries.isEmpty(); }

    // The category lists under "dlls" (commands from the command page's categories, variables
    // from the variable page's) and the first word of every entry of every ".dlz" library in
    // "dlls\dlz". Missing files are skipped.
    static Vocabulary load(const ProgramHome& home);

private:
    void add(const QStringList& names, WordKind kind);
    QHash<QString, QString> m_entries; // lower-case name -> the name as listed
    QHash<QString, WordKind> m_kinds;
};

// The alias names a config defines, in lower case: every "alias" command, at the top of a line
// or inside another alias or bind.
QSet<QString> definedAliases(const QString& text);
// The same for one line (the highlighter collects these line by line).
void collectAliases(const ConfigLine& line, QSet<QString>& into);

// The word of a line that spans `column` (letters, digits and "_+-.", as names are written), or
// an empty string; `start` receives its first column.
QString wordAt(QStringView line, int column, int* start = nullptr);
