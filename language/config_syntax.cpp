// The config line reader.
#include "language/config_syntax.h"
#include "language/config_commands.h"

using namespace Qt::Literals::StringLiterals;

QString ConfigCommand::name() const {
    return words.isEmpty() ? QString() : console::foldedName(words.first().text);
}

ConfigLine parseConfigLine(QStringView line, int offset) {
    ConfigLine result;
    ConfigCommand current;
    const ConfigLineEnd end = scanConfigLine(
        line, offset, [&](const ConfigWord& w) { current.words.append(w); },
        [&](const CommandReading&) {
            if (!current.words.isEmpty())
                result.commands.append(std::move(current));
            current = ConfigCommand();
        },
        [&](const ConfigComment& comment) { result.comments.append(comment); });
    result.unclosedQuote = end.unclosedQuote;
    return result;
}

QString joinedArguments(const ConfigCommand& command, int first) {
    QString joined;
    for (qsizetype i = first; i < command.words.size(); ++i) {
        if (i > first)
            joined.append(u' ');
        joined.append(command.words.at(i).text);
    }
    return joined;
}

QList<ConfigCommand> commandsInside(const ConfigWord& word) {
    // An unquoted word holds one command name and nothing to split.
    if (!word.quoted) {
        ConfigCommand c;
        c.words.append(word);
        return {c};
    }
    return parseConfigLine(word.text, word.start + 1).commands;
}

bool isConfigKeyword(QStringView name) {
    for (const QStringView keyword : {u"bind", u"alias", u"setinfo", u"exec"})
        if (console::sameName(name, keyword))
            return true;
    return false;
}

bool isConfigNumber(QStringView word) {
    if (word.startsWith(u'-') || word.startsWith(u'+'))
        word = word.mid(1);
    bool digit = false;
    bool point = false;
    for (QChar c : word) {
        if (c.isDigit() && c.unicode() < 128)
            digit = true;
        else if (c == u'.' && !point)
            point = true;
        else
            return false;
    }
    return digit;
}
