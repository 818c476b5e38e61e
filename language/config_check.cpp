// The config checks.
#include "language/config_check.h"

#include "platform/program_paths.h"
#include "platform/text_file.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <algorithm>
#include <functional>

using namespace Qt::Literals::StringLiterals;

size_t qHash(const ConfigFinding& f, size_t seed) {
    return qHashMulti(seed, f.line, int(f.kind), f.message);
}

namespace {

using Finding = ConfigFinding;
constexpr int kMaxDepth = 8;

// The findings of one check, each once, in the order found.
class Findings {
public:
    void add(int line, Finding::Kind kind, const QString& message) {
        Finding f{line, kind, message};
        if (m_seen.contains(f))
            return;
        m_seen.insert(f);
        m_list.append(std::move(f));
    }
    QList<Finding> take() { return std::move(m_list); }

private:
    QList<Finding> m_list;
    QSet<Finding> m_seen;
};

bool holdsBody(const ParsedCommand& c) {
    return (c.name == u"alias"_s || c.name == u"bind"_s) && c.command.argumentCount() >= 2;
}

void addCommands(ParsedConfig& config, QList<ConfigCommand>& commands, int line, int depth,
                 int parent) {
    for (ConfigCommand& c : commands) {
        const qsizetype index = config.commands.size();
        ParsedCommand& p = config.commands.emplace_back();
        p.command = std::move(c);
        toLowerName(p.command.words.first().text, p.name);
        p.line = line;
        p.depth = depth;
        p.parent = parent;
        if (p.name == u"alias"_s && p.command.argumentCount() >= 1)
            config.aliases.insert(p.command.argument(0).text.toLower());
        if (depth < kMaxDepth && holdsBody(p)) {
            QList<ConfigCommand> inner = commandsInside(p.command.argument(1));
            addCommands(config, inner, line, depth + 1, int(index));
        }
    }
}

bool knownOrAlias(const ParsedConfig& config, const Vocabulary& words, const QString& name) {
    return words.knows(name) || config.aliases.contains(name);
}

void sortByLine(QList<Finding>& findings) {
    std::stable_sort(findings.begin(), findings.end(),
                     [](const Finding& a, const Finding& b) { return a.line < b.line; });
}

} // namespace

ParsedConfig parseConfig(const QString& text) {
    ParsedConfig config;
    int line = 0;
    for (QStringView lineText : QStringView(text).tokenize(u'\n')) {
        ConfigLine parsed = parseConfigLine(lineText);
        if (parsed.unclosedQuote)
            config.unclosedQuoteLines.append(line);
        addCommands(config, parsed.commands, line, 0, -1);
        ++line;
    }
    return config;
}

bool isPluginCommand(QStringView lowerName) {
    return lowerName.startsWith(u"amx_") || lowerName.startsWith(u"admin_");
}

QList<Finding> checkUnknownCommands(const ParsedConfig& config, const Vocabulary& words) {
    Findings findings;
    for (const ParsedCommand& c : config.commands)
        if (c.depth == 0 && !knownOrAlias(config, words, c.name) && !isPluginCommand(c.name))
            findings.add(
                c.line, Finding::Kind::Warning,
                u"Неизвестная команда или переменная «%1»"_s.arg(c.command.words.first().text));
    return findings.take();
}

QList<Finding> checkUnclosedQuotes(const ParsedConfig& config) {
    QList<Finding> findings;
    for (int line : config.unclosedQuoteLines)
        findings.append({line, Finding::Kind::Warning, u"Кавычка не закрыта до конца строки"_s});
    return findings;
}

QList<Finding> checkDuplicateBinds(const ParsedConfig& config) {
    Findings findings;
    QHash<QString, int> boundOn; // lower-case key -> the line of its last bind
    for (const ParsedCommand& p : config.commands) {
        if (p.depth != 0) // a bind inside an alias is a switch, not a duplicate
            continue;
        const ConfigCommand& c = p.command;
        if (p.name == u"unbindall"_s) { // starts afresh
            boundOn.clear();
            continue;
        }
        if ((p.name != u"bind"_s && p.name != u"unbind"_s) || c.argumentCount() < 1)
            continue;
        const QString key = c.argument(0).text.toLower();
        if (p.name == u"unbind"_s) {
            boundOn.remove(key); // an unbind in between makes the second bind deliberate
            continue;
        }
        // Two binds of one key on one line are the player's own doing, seen at a glance.
        if (const auto it = boundOn.constFind(key); it != boundOn.constEnd() && *it != p.line)
            findings.add(
                p.line, Finding::Kind::Warning,
                u"Клавиша «%1» назначена дважды: строки %2 и %3 (действует последняя)"_s.arg(
                    c.argument(0).text, QString::number(*it + 1), QString::number(p.line + 1)));
        boundOn.insert(key, p.line);
    }
    return findings.take();
}

QList<Finding> checkAliasCycles(const ParsedConfig& config, const Vocabulary& words) {
    // Each alias's calls (over all of its definitions) and whether some command inside a body
    // redefines it: such an alias can be switched off, which is the usual way out of a loop.
    QHash<QString, QStringList> calls;
    QHash<QString, int> firstLine;
    QHash<QString, QString> spelled;
    QSet<QString> redefinedInside;
    const auto aliasName = [&](const ParsedCommand& c) {
        return c.name == u"alias"_s && c.command.argumentCount() >= 1
                   ? c.command.argument(0).text.toLower()
                   : QString();
    };
    for (const ParsedCommand& c : config.commands) {
        const QString name = aliasName(c);
        if (name.isEmpty())
            continue;
        if (c.depth > 0)
            redefinedInside.insert(name);
        if (!firstLine.contains(name)) {
            firstLine.insert(name, c.line);
            spelled.insert(name, c.command.argument(0).text);
        }
        calls[name]; // an alias with an empty body is still a node
    }
    for (const ParsedCommand& inner : config.commands) {
        if (inner.parent < 0)
            continue;
        const ParsedCommand& holder = config.commands.at(inner.parent);
        const QString name = aliasName(holder);
        // A call of a command's name runs the command, whatever aliases say.
        if (name.isEmpty() || !config.aliases.contains(inner.name) ||
            words.isBuiltInCommand(inner.name))
            continue;
        QStringList& out = calls[name];
        if (!out.contains(inner.name))
            out.append(inner.name);
    }

    // Depth-first search from each alias in the order the text defines them; a call back into
    // the current path closes a circle.
    QStringList order = firstLine.keys();
    std::sort(order.begin(), order.end(), [&](const QString& a, const QString& b) {
        return firstLine.value(a) != firstLine.value(b) ? firstLine.value(a) < firstLine.value(b)
                                                        : a < b;
    });
    Findings findings;
    QSet<QString> done;
    QSet<QString> reported;
    QStringList path;
    std::function<void(const QString&)> visit = [&](const QString& name) {
        path.append(name);
        for (const QString& next : calls.value(name)) {
            const qsizetype at = path.indexOf(next);
            if (at >= 0) {
                const QStringList circle = path.mid(at);
                const bool wayOut =
                    std::any_of(circle.begin(), circle.end(),
                                [&](const QString& n) { return redefinedInside.contains(n); });
                QStringList sorted = circle;
                sorted.sort();
                const QString id = sorted.join(u' ');
                if (!wayOut && !reported.contains(id)) {
                    reported.insert(id);
                    QStringList shown;
                    for (const QString& n : circle)
                        shown.append(spelled.value(n, n));
                    shown.append(spelled.value(next, next));
                    findings.add(
                        firstLine.value(circle.first()), Finding::Kind::Warning,
                        u"Алиас вызывает сам себя без выхода: %1"_s.arg(shown.join(u" → "_s)));
                }
            } else if (!done.contains(next)) {
                visit(next);
            }
        }
        path.removeLast();
        done.insert(name);
    };
    for (const QString& name : order)
        if (!done.contains(name))
            visit(name);
    QList<Finding> list = findings.take();
    sortByLine(list);
    return list;
}

QList<Finding> checkShadowedAliases(const ParsedConfig& config, const Vocabulary& words) {
    Findings findings;
    for (const ParsedCommand& c : config.commands) {
        if (c.name != u"alias"_s || c.command.argumentCount() < 1)
            continue;
        const QString& name = c.command.argument(0).text;
        if (words.isBuiltInCommand(name))
            findings.add(c.line, Finding::Kind::Warning,
                         u"Алиас «%1» никогда не выполнится: игра сначала выполняет свою "
                         u"команду «%1»"_s.arg(name));
    }
    return findings.take();
}

QList<Finding> checkUndefinedAliases(const ParsedConfig& config, const Vocabulary& words) {
    Findings findings;
    for (const ParsedCommand& c : config.commands) {
        if (c.depth == 0 || c.name.isEmpty() || knownOrAlias(config, words, c.name) ||
            isConfigNumber(c.name) || isPluginCommand(c.name))
            continue;
        findings.add(c.line, Finding::Kind::Hint,
                     u"«%1» не определён в этом файле: может быть, он задан в другом"_s.arg(
                         c.command.words.first().text));
    }
    return findings.take();
}

QList<Finding> checkLaterVersionNames(const ParsedConfig& config, const Vocabulary& words) {
    Findings findings;
    for (const ParsedCommand& c : config.commands) {
        const WordInfo* info = words.find(c.name);
        if (!info || info->version == GameVersion::Cs15 || config.aliases.contains(c.name))
            continue;
        findings.add(c.line, Finding::Kind::Hint,
                     u"«%1» есть только в CS 1.6 и новее"_s.arg(c.command.words.first().text));
    }
    return findings.take();
}

QList<Finding> checkPluginCommands(const ParsedConfig& config) {
    QStringList names;
    QSet<QString> seen;
    int firstLine = -1;
    for (const ParsedCommand& c : config.commands) {
        if (!isPluginCommand(c.name) || config.aliases.contains(c.name))
            continue;
        if (firstLine < 0)
            firstLine = c.line;
        if (!seen.contains(c.name)) {
            seen.insert(c.name);
            names.append(c.command.words.first().text);
        }
    }
    if (firstLine < 0)
        return {};
    constexpr qsizetype kShown = 5;
    QString listed = u"«"_s + names.mid(0, kShown).join(u"», «"_s) + u"»"_s;
    if (names.size() > kShown)
        listed += u" и ещё %1"_s.arg(names.size() - kShown);
    return {{firstLine, Finding::Kind::Hint,
             u"Команды серверных дополнений (amx_*, admin_*): %1. Их выполняет дополнение "
             u"на сервере, а не сама игра"_s.arg(listed)}};
}

namespace {
// The file an "exec" of `name` runs: in the game directory, or else in the base game's folder
// beside it (the game falls back on it); empty when there is none.
QString gameFile(const QString& gameDir, const QString& name) {
    const QString own = paths::resolve(gameDir, name);
    if (QFileInfo(own).isFile())
        return own;
    const QString base = paths::resolve(QFileInfo(gameDir).absolutePath(), u"valve"_s);
    if (!QFileInfo(base).isDir())
        return QString();
    const QString inBase = paths::resolve(base, name);
    return QFileInfo(inBase).isFile() ? inBase : QString();
}

bool gameDirKnown(const QString& gameDir) {
    return !gameDir.isEmpty() && QFileInfo(gameDir).isDir();
}

bool isExecOf(const ParsedCommand& c) {
    return c.name == u"exec"_s && c.command.argumentCount() >= 1 &&
           !c.command.argument(0).text.isEmpty();
}
} // namespace

QList<Finding> checkMissingExecFiles(const ParsedConfig& config, const QString& gameDir) {
    Findings findings;
    if (!gameDirKnown(gameDir))
        return {};
    for (const ParsedCommand& c : config.commands) {
        if (!isExecOf(c))
            continue;
        const QString file = c.command.argument(0).text;
        if (gameFile(gameDir, file).isEmpty())
            findings.add(c.line, Finding::Kind::Warning,
                         u"Файл «%1» не найден в каталоге игры"_s.arg(file));
    }
    return findings.take();
}

QList<Finding> checkUnknownKeys(const ParsedConfig& config, const Vocabulary& words) {
    Findings findings;
    for (const ParsedCommand& c : config.commands) {
        if ((c.name != u"bind"_s && c.name != u"unbind"_s) || c.command.argumentCount() < 1)
            continue;
        const QString& key = c.command.argument(0).text;
        if (!words.isKey(key))
            findings.add(c.line, Finding::Kind::Warning, u"Игра не знает клавишу «%1»"_s.arg(key));
    }
    return findings.take();
}

QSet<QString> aliasesFromGameFiles(const ParsedConfig& config, const QString& gameDir) {
    QSet<QString> aliases;
    if (!gameDirKnown(gameDir))
        return aliases;
    // Every .cfg of the game directory, then what the config and those files exec, each once.
    QStringList queue;
    for (const QString& file : paths::listFiles(gameDir, u"*.cfg"_s))
        queue.append(paths::resolve(gameDir, QFileInfo(file).fileName()));
    const auto addExecs = [&](const QList<ParsedCommand>& commands) {
        for (const ParsedCommand& c : commands)
            if (isExecOf(c))
                if (const QString path = gameFile(gameDir, c.command.argument(0).text);
                    !path.isEmpty())
                    queue.append(path);
    };
    addExecs(config.commands);
    QSet<QString> read;
    // Files the game itself refuses are not read either (a config larger than this is not a
    // config); the count keeps a folder of thousands of files from stalling the check.
    constexpr qint64 kMaxFileBytes = 4 * 1024 * 1024;
    constexpr int kMaxFiles = 256;
    for (qsizetype i = 0; i < queue.size() && read.size() < kMaxFiles; ++i) {
        const QString path = QFileInfo(queue.at(i)).canonicalFilePath();
        if (path.isEmpty() || read.contains(path) || QFileInfo(path).size() > kMaxFileBytes)
            continue;
        read.insert(path);
        const textfile::ReadResult file = textfile::readEditableText(path);
        if (!file.ok())
            continue;
        const ParsedConfig other = parseConfig(file.text);
        aliases.unite(other.aliases);
        addExecs(other.commands);
    }
    return aliases;
}

QList<Finding> checkConfig(const QString& text, const Vocabulary& words, const QString& gameDir) {
    ParsedConfig config = parseConfig(text);
    config.aliases.unite(aliasesFromGameFiles(config, gameDir));
    QList<Finding> all;
    all += checkUnclosedQuotes(config);
    all += checkUnknownCommands(config, words);
    all += checkUnknownKeys(config, words);
    all += checkDuplicateBinds(config);
    all += checkAliasCycles(config, words);
    all += checkShadowedAliases(config, words);
    all += checkMissingExecFiles(config, gameDir);
    all += checkUndefinedAliases(config, words);
    all += checkLaterVersionNames(config, words);
    all += checkPluginCommands(config);
    sortByLine(all);
    return all;
}

QString findingCaption(const ConfigFinding& finding) {
    return u"Строка %1: %2"_s.arg(QString::number(finding.line + 1), finding.message);
}
