// The console language's writing side: how a value is written so that the reader, and the game,
// read it back as itself.
#include "language/config_commands.h"

using namespace Qt::Literals::StringLiterals;

bool valueNeedsQuotes(QStringView value) {
    if (value.isEmpty())
        return true;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const char16_t c = value[i].unicode();
        if (c <= u' ' || c >= 0x80 || c == u';' || c == u'"' || console::isOneCharWord(c) ||
            (c == u'/' && i + 1 < value.size() && value[i + 1] == u'/'))
            return true;
    }
    return false;
}

QString commandValueText(const QString& value, bool bare) {
    if (bare && !valueNeedsQuotes(value))
        return value;
    return u'"' + value + u'"';
}

bool valueFitsInQuotes(QStringView value) {
    return !value.contains(u'"') && !value.contains(u'\n');
}

namespace {

// Whether a word read as `word` ends where the next character may not continue it: a closed
// quoted word and a one-character word do, a bare word of more letters does not.
bool endsOnItsOwn(QStringView text, const CommandWord& word) {
    return (word.quoted && word.closed) ||
           (!word.quoted && word.length == 1 && console::isOneCharWord(text[word.start].unicode()));
}

} // namespace

QString valueOverWord(QStringView text, const CommandSpan& command, int index,
                      const QString& value) {
    const CommandWord& word = command.words[size_t(index)];
    const bool bare = !word.quoted && !valueNeedsQuotes(value);
    QString written = commandValueText(value, bare);
    // A bare word or a quote right after a bare word would continue it (`ghosts)` set to a
    // quoted value would give `ghosts"..."`, one word).
    if (index > 0) {
        const CommandWord& before = command.words[size_t(index - 1)];
        if (before.end() == word.start && !endsOnItsOwn(text, before))
            written.prepend(u' ');
    }
    // What followed a word that ended on its own (`(2`, `)x`) would continue a bare value
    // written there; a ";" or the line's end is the command's own end.
    const int after = word.end();
    if (bare && after < command.stop && !console::endsBareWord(text[after].unicode()))
        written.append(u' ');
    return written;
}
