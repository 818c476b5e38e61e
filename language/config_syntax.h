// A config line as lists of commands and words, read through the one reader
// (language/config_commands.h): for the highlighter, the hover, the check and the keyboard map,
// which look at a line at a time.
#pragma once

#include "language/config_commands.h"

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
    // The command's name with its ASCII letters lowered, as the console compares names; empty
    // for none.
    QString name() const;
    // Words after the name.
    qsizetype argumentCount() const { return words.isEmpty() ? 0 : words.size() - 1; }
    const ConfigWord& argument(qsizetype i) const { return words.at(i + 1); }
};
Q_DECLARE_TYPEINFO(ConfigCommand, Q_RELOCATABLE_TYPE);

// A comment: from its "//" up to the ";" that ends its command (not included) or the line's end.
struct ConfigComment {
    int start = 0;
    int length = 0;
    bool operator==(const ConfigComment&) const = default;
};

struct ConfigLine {
    QList<ConfigCommand> commands; // empty commands (";;", blank lines) are left out
    QList<ConfigComment> comments;
    bool unclosedQuote = false;
};

// Reads one line of a config. `offset` is added to every position (for a command text that
// stands inside a quoted word, such as the body of an alias). The words are views into `line`.
ConfigLine parseConfigLine(QStringView line, int offset = 0);

// What scanConfigLine tells at the end of a line.
struct ConfigLineEnd {
    bool unclosedQuote = false;
    bool cutCommand = false; // a command runs past the console's line: its rest is another
    int droppedWord = -1;    // where the first word too long for the console begins, or -1
};

struct IgnoreComments {
    void operator()(const ConfigComment&) const {}
};

// Reads one line of a config through readCommand, without building any list: `word` is called
// with every word the console keeps in turn, `comment` with every comment, and
// `endCommand(const CommandReading&)` at the end of every command (after every ";" that ends one
// and at the end of the line, also after no word at all), with the reading's positions in `line`.
template <typename Word, typename EndCommand, typename Comment = IgnoreComments>
ConfigLineEnd scanConfigLine(QStringView line, int offset, Word&& word, EndCommand&& endCommand,
                             Comment&& comment = Comment(),
                             console::Bytes bytes = console::Bytes::Single) {
    ConfigLineEnd end;
    const int size = int(line.size());
    int start = 0;
    do {
        const CommandReading r = readCommand(line, start, bytes, [&](const CommandWord& w) {
            ConfigWord cw;
            cw.text = line.mid(w.textStart(), w.textLength());
            cw.start = offset + w.start;
            cw.length = w.length;
            cw.quoted = w.quoted;
            cw.closed = w.closed;
            word(std::as_const(cw));
        });
        if (r.comment >= 0)
            comment(ConfigComment{offset + r.comment, r.stop - r.comment});
        end.unclosedQuote = end.unclosedQuote || r.unclosedQuote;
        end.cutCommand = end.cutCommand || r.cut;
        if (r.droppedWord >= 0 && end.droppedWord < 0)
            end.droppedWord = offset + r.droppedWord;
        endCommand(r);
        start = r.stop + 1;
    } while (start <= size);
    return end;
}

// The words of a command from `first` on (the name is word 0), without their quotes, joined by
// single blanks: what `bind` and `alias` take as their command.
QString joinedArguments(const ConfigCommand& command, int first);

// The commands of an alias body or a bind's command: the text of a quoted word, read like a
// line. Positions point into the original line when `word` is from it.
QList<ConfigCommand> commandsInside(const ConfigWord& word);

// The four words that build a config rather than change a setting, in any case.
bool isConfigKeyword(QStringView name);

// A decimal number as configs write it ("3", "-1", "0.022", ".5").
bool isConfigNumber(QStringView word);
