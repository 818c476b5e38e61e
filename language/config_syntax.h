// How the game reads a config line: commands separated by ";" outside quotes, words separated
// by blanks, a double-quoted word running to the next quote, "//" outside quotes starting a
// comment. The highlighter, the hover and the config check all read lines through this.
#pragma once

#include <QList>
#include <QString>
#include <QStringView>

struct ConfigWord {
    // Without the quotes: a view into the text given to parseConfigLine, valid while it lives.
    QStringView text;
    int start = 0;  // the first character in the line (the opening quote of a quoted word)
    int length = 0; // in the line, quotes included
    bool quoted = false;
    bool closed = true; // false for a quoted word that runs to the end of the line
};
Q_DECLARE_TYPEINFO(ConfigWord, Q_RELOCATABLE_TYPE);

struct ConfigCommand {
    QList<ConfigWord> words;
    // The command's name in lower case (the game ignores letter case); empty for none.
    QString name() const;
    // Words after the name.
    qsizetype argumentCount() const { return words.isEmpty() ? 0 : words.size() - 1; }
    const ConfigWord& argument(qsizetype i) const { return words.at(i + 1); }
};
Q_DECLARE_TYPEINFO(ConfigCommand, Q_RELOCATABLE_TYPE);

struct ConfigLine {
    QList<ConfigCommand> commands; // empty commands (";;", blank lines) are left out
    int commentStart = -1;         // where "//" starts, or -1
    bool unclosedQuote = false;
};

// Reads one line of a config. `offset` is added to every position (for a command text that
// stands inside a quoted word, such as the body of an alias). The words are views into `line`.
ConfigLine parseConfigLine(QStringView line, int offset = 0);

// The commands of an alias body or a bind's command: the text of a quoted word, read like a
// line. Positions point into the original line when `word` is from it.
QList<ConfigCommand> commandsInside(const ConfigWord& word);

// The four words that build a config rather than change a setting.
bool isConfigKeyword(const QString& lowerName);

// A decimal number as configs write it ("3", "-1", "0.022", ".5").
bool isConfigNumber(QStringView word);
