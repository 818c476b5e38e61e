// How the game reads a config line: commands separated by ";" outside quotes, words separated
// by blanks, a double-quoted word running to the next quote, "//" outside quotes starting a
// comment that runs to the end of its command. The console splits a line at each ";" before it
// looks for comments, so a ";" after "//" (outside quotes) ends the comment and what follows it
// runs. The highlighter, the hover and the config check all read lines through this.
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
    // The command's name in lower case (the game ignores letter case); empty for none.
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
};

struct IgnoreComments {
    void operator()(const ConfigComment&) const {}
};

// Reads one line of a config as parseConfigLine does, without building any list: `word` is
// called with every word in turn, `comment` with every comment, and `endCommand` at every ";"
// and at the end of the line (also after no word at all).
template <typename Word, typename EndCommand, typename Comment = IgnoreComments>
ConfigLineEnd scanConfigLine(QStringView line, int offset, Word&& word, EndCommand&& endCommand,
                             Comment&& comment = Comment()) {
    // Blanks, ";", '"' and "/" end an unquoted word (a "/" only when another follows): one test
    // against a bit mask for each character. A blank is any character up to the space, control
    // characters included (colour codes of chat scripts): the console skips them all.
    constexpr quint64 kStops = (1ull << ';') | (1ull << '"') | (1ull << '/');
    const auto stops = [](char16_t c) { return c <= u' ' || (c < 64 && ((kStops >> c) & 1)); };
    ConfigLineEnd end;
    const char16_t* const s = reinterpret_cast<const char16_t*>(line.utf16());
    const int n = int(line.size());
    int i = 0;
    while (i < n) {
        const char16_t c = s[i];
        if (c <= u' ') {
            ++i;
        } else if (c == u';') {
            endCommand();
            ++i;
        } else if (c == u'/' && i + 1 < n && s[i + 1] == u'/') {
            const int stop = commentEnd(line, i, n);
            comment(ConfigComment{offset + i, stop - i});
            i = stop;
        } else if (c == u'"') {
            ConfigWord w;
            w.start = offset + i;
            w.quoted = true;
            const int close = int(line.indexOf(u'"', i + 1));
            if (close < 0) {
                w.closed = false;
                end.unclosedQuote = true;
                w.text = line.mid(i + 1);
                w.length = n - i;
                i = n;
            } else {
                w.text = line.mid(i + 1, close - i - 1);
                w.length = close - i + 1;
                i = close + 1;
            }
            word(std::as_const(w));
        } else {
            int stop = i + 1;
            while (stop < n &&
                   !(stops(s[stop]) && (s[stop] != u'/' || (stop + 1 < n && s[stop + 1] == u'/'))))
                ++stop;
            ConfigWord w;
            w.start = offset + i;
            w.length = stop - i;
            w.text = line.mid(i, stop - i);
            word(std::as_const(w));
            i = stop;
        }
    }
    endCommand();
    return end;
}

// The commands of an alias body or a bind's command: the text of a quoted word, read like a
// line. Positions point into the original line when `word` is from it.
QList<ConfigCommand> commandsInside(const ConfigWord& word);

// The four words that build a config rather than change a setting.
bool isConfigKeyword(const QString& lowerName);

// A decimal number as configs write it ("3", "-1", "0.022", ".5").
bool isConfigNumber(QStringView word);
