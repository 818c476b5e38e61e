// The config line reader.
#include "language/config_syntax.h"

using namespace Qt::Literals::StringLiterals;

QString ConfigCommand::name() const {
    return words.isEmpty() ? QString() : words.first().text.toString().toLower();
}

namespace {
bool isBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}
} // namespace

ConfigLine parseConfigLine(QStringView line, int offset) {
    ConfigLine result;
    ConfigCommand current;
    auto finishCommand = [&] {
        if (!current.words.isEmpty())
            result.commands.append(std::move(current));
        current = ConfigCommand();
    };
    const int n = int(line.size());
    int i = 0;
    while (i < n) {
        const QChar c = line[i];
        if (isBlank(c)) {
            ++i;
        } else if (c == u';') {
            finishCommand();
            ++i;
        } else if (c == u'/' && i + 1 < n && line[i + 1] == u'/') {
            result.commentStart = offset + i;
            break;
        } else if (c == u'"') {
            ConfigWord w;
            w.start = offset + i;
            w.quoted = true;
            const int close = int(line.indexOf(u'"', i + 1));
            if (close < 0) {
                w.closed = false;
                result.unclosedQuote = true;
                w.text = line.mid(i + 1);
                w.length = n - i;
                i = n;
            } else {
                w.text = line.mid(i + 1, close - i - 1);
                w.length = close - i + 1;
                i = close + 1;
            }
            current.words.append(std::move(w));
        } else {
            int end = i;
            while (end < n && !isBlank(line[end]) && line[end] != u';' && line[end] != u'"' &&
                   !(line[end] == u'/' && end + 1 < n && line[end + 1] == u'/'))
                ++end;
            ConfigWord w;
            w.start = offset + i;
            w.length = end - i;
            w.text = line.mid(i, end - i);
            current.words.append(std::move(w));
            i = end;
        }
    }
    finishCommand();
    return result;
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

bool isConfigKeyword(const QString& lowerName) {
    return lowerName == u"bind"_s || lowerName == u"alias"_s || lowerName == u"setinfo"_s ||
           lowerName == u"exec"_s;
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
