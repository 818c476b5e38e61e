// The config checks.
#include "language/config_check.h"

#include "platform/program_paths.h"
#include "platform/text_file.h"
#include "reference/key_list.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <algorithm>
#include <functional>

using namespace Qt::Literals::StringLiterals;

ParsedConfig parseConfig(const QString& text) {
    ParsedConfig config;
    const QList<QStringView> lines = QStringView(text).split(u'\n');
    config.lines.reserve(lines.size());
    for (QStringView line : lines) {
        config.lines.append(parseConfigLine(line));
        collectAliases(config.lines.last(), config.aliases);
    }
    return config;
}

namespace {

using Finding = ConfigFinding;
constexpr int kMaxDepth = 8;

// The body a bind or an alias runs: its last argument (bind key body, alias name body).
const ConfigWord* bodyOf(const ConfigCommand& c) {
    const QString name = c.name();
    if ((name == u"alias"_s || name == u"bind"_s) && c.argumentCount() >= 2)
        return &c.argument(1);
    return nullptr;
}

// Calls `visit(command, line, nested)` for every command of the text, going into the bodies of
// binds and aliases.
void forEachCommand(const ParsedConfig& config,
                    const std::function<void(const ConfigCommand&, int, bool)>& visit) {
    std::function<void(const QList<ConfigCommand>&, int, int)> walk =
        [&](const QList<ConfigCommand>& commands, int line, int depth) {
            for (const ConfigCommand& c : commands) {
                visit(c, line, depth > 0);
                if (depth < kMaxDepth)
                    if (const ConfigWord* body = bodyOf(c))
                        walk(commandsInside(*body), line, depth + 1);
            }
        };
    for (int i = 0; i < config.lines.size(); ++i)
        walk(config.lines.at(i).commands, i, 0);
}

bool knownOrAlias(const ParsedConfig& config, const Vocabulary& words, const QString& name) {
    return words.knows(name) || config.aliases.contains(name);
}

void sortByLine(QList<Finding>& findings) {
    std::stable_sort(findings.begin(), findings.end(),
                     [](const Finding& a, const Finding& b) { return a.line < b.line; });
}

} // namespace

QList<Finding> checkUnknownCommands(const ParsedConfig& config, const Vocabulary& words) {
    QList<Finding> findings;
    for (int i = 0; i < config.lines.size(); ++i)
        for (const ConfigCommand& c : config.lines.at(i).commands)
            if (!knownOrAlias(config, words, c.name()))
                findings.append(
                    {i, Finding::Kind::Warning,
                     u"Неизвестная команда или переменная «%1»"_s.arg(c.words.first().text)});
    return findings;
}

QList<Finding> checkUnclosedQuotes(const ParsedConfig& config) {
    QList<Finding> findings;
    for (int i = 0; i < config.lines.size(); ++i)
        if (config.lines.at(i).unclosedQuote)
            findings.append({i, Finding::Kind::Warning, u"Кавычка не закрыта до конца строки"_s});
    return findings;
}

QList<Finding> checkDuplicateBinds(const ParsedConfig& config) {
    QList<Finding> findings;
    QHash<QString, int> boundOn; // lower-case key -> the line of its last bind
    for (int i = 0; i < config.lines.size(); ++i) {
        for (const ConfigCommand& c : config.lines.at(i).commands) {
            const QString name = c.name();
            if ((name != u"bind"_s && name != u"unbind"_s) || c.argumentCount() < 1)
                continue;
            const QString key = c.argument(0).text.toLower();
            if (name == u"unbind"_s) {
                boundOn.remove(key); // an unbind in between makes the second bind deliberate
                continue;
            }
            if (const auto it = boundOn.constFind(key); it != boundOn.constEnd() && *it != i)
                findings.append(
                    {i, Finding::Kind::Warning,
                     u"Клавиша «%1» назначена дважды: строки %2 и %3 (действует последняя)"_s.arg(
                         c.argument(0).text, QString::number(*it + 1), QString::number(i + 1))});
            boundOn.insert(key, i);
        }
        // "unbindall" starts afresh.
        for (const ConfigCommand& c : config.lines.at(i).commands)
            if (c.name() == u"unbindall"_s)
                boundOn.clear();
    }
    return findings;
}

QList<Finding> checkAliasCycles(const ParsedConfig& config) {
    // Each alias's calls (over all of its definitions) and whether some command inside a body
    // redefines it: such an alias can be switched off, which is the usual way out of a loop.
    QHash<QString, QStringList> calls;
    QHash<QString, int> firstLine;
    QHash<QString, QString> spelled;
    QSet<QString> redefinedInside;
    forEachCommand(config, [&](const ConfigCommand& c, int line, bool nested) {
        if (c.name() != u"alias"_s || c.argumentCount() < 1)
            return;
        const QString name = c.argument(0).text.toLower();
        if (nested)
            redefinedInside.insert(name);
        if (!firstLine.contains(name)) {
            firstLine.insert(name, line);
            spelled.insert(name, c.argument(0).text);
        }
        QStringList& out = calls[name];
        if (c.argumentCount() >= 2)
            for (const ConfigCommand& inner : commandsInside(c.argument(1)))
                if (config.aliases.contains(inner.name()) && !out.contains(inner.name()))
                    out.append(inner.name());
    });

    // Depth-first search from each alias in the order the text defines them; a call back into
    // the current path closes a circle.
    QStringList order = firstLine.keys();
    std::sort(order.begin(), order.end(), [&](const QString& a, const QString& b) {
        return firstLine.value(a) != firstLine.value(b) ? firstLine.value(a) < firstLine.value(b)
                                                        : a < b;
    });
    QList<Finding> findings;
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
                    findings.append(
                        {firstLine.value(circle.first()), Finding::Kind::Warning,
                         u"Алиас вызывает сам себя без выхода: %1"_s.arg(shown.join(u" → "_s))});
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
    sortByLine(findings);
    return findings;
}

QList<Finding> checkUndefinedAliases(const ParsedConfig& config, const Vocabulary& words) {
    QList<Finding> findings;
    forEachCommand(config, [&](const ConfigCommand& c, int line, bool) {
        const ConfigWord* body = bodyOf(c);
        if (!body)
            return;
        for (const ConfigCommand& inner : commandsInside(*body)) {
            const QString name = inner.name();
            if (name.isEmpty() || knownOrAlias(config, words, name) || isConfigNumber(name))
                continue;
            const QString message =
                u"«%1» не определён в этом файле: может быть, он задан в другом"_s.arg(
                    inner.words.first().text);
            const Finding f{line, Finding::Kind::Hint, message};
            if (!findings.contains(f))
                findings.append(f);
        }
    });
    return findings;
}

namespace {
bool gameFileExists(const QString& gameDir, const QString& name) {
    if (QFileInfo::exists(paths::resolve(gameDir, name)))
        return true;
    // The game falls back on the base game's folder beside the mod's.
    const QString base = paths::resolve(QFileInfo(gameDir).absolutePath(), u"valve"_s);
    return QFileInfo(base).isDir() && QFileInfo::exists(paths::resolve(base, name));
}
} // namespace

QList<Finding> checkMissingExecFiles(const ParsedConfig& config, const QString& gameDir) {
    QList<Finding> findings;
    if (gameDir.isEmpty() || !QFileInfo(gameDir).isDir())
        return findings;
    forEachCommand(config, [&](const ConfigCommand& c, int line, bool) {
        if (c.name() != u"exec"_s || c.argumentCount() < 1 || c.argument(0).text.isEmpty())
            return;
        const QString file = c.argument(0).text;
        if (!gameFileExists(gameDir, file)) {
            const Finding f{line, Finding::Kind::Warning,
                            u"Файл «%1» не найден в каталоге игры"_s.arg(file)};
            if (!findings.contains(f))
                findings.append(f);
        }
    });
    return findings;
}

QList<Finding> checkUnknownKeys(const ParsedConfig& config) {
    static const QSet<QString> keys = [] {
        QSet<QString> lower;
        for (const QString& k : keyNames())
            lower.insert(k.toLower());
        return lower;
    }();
    QList<Finding> findings;
    forEachCommand(config, [&](const ConfigCommand& c, int line, bool) {
        const QString name = c.name();
        if ((name != u"bind"_s && name != u"unbind"_s) || c.argumentCount() < 1)
            return;
        const QString key = c.argument(0).text;
        if (!keys.contains(key.toLower()))
            findings.append(
                {line, Finding::Kind::Warning, u"Игра не знает клавишу «%1»"_s.arg(key)});
    });
    return findings;
}

QSet<QString> aliasesFromGameFiles(const ParsedConfig& config, const QString& gameDir) {
    QSet<QString> aliases;
    if (gameDir.isEmpty() || !QFileInfo(gameDir).isDir())
        return aliases;
    QStringList files = {u"config.cfg"_s, u"autoexec.cfg"_s};
    forEachCommand(config, [&](const ConfigCommand& c, int, bool) {
        if (c.name() == u"exec"_s && c.argumentCount() >= 1 && !files.contains(c.argument(0).text))
            files.append(c.argument(0).text);
    });
    for (const QString& file : files) {
        const QString path = paths::resolve(gameDir, file);
        if (!QFileInfo(path).isFile())
            continue;
        const textfile::ReadResult read = textfile::readEditableText(path);
        if (read.ok())
            aliases.unite(definedAliases(read.text));
    }
    return aliases;
}

QList<Finding> checkConfig(const QString& text, const Vocabulary& words, const QString& gameDir) {
    ParsedConfig config = parseConfig(text);
    config.aliases.unite(aliasesFromGameFiles(config, gameDir));
    QList<Finding> all;
    all += checkUnclosedQuotes(config);
    all += checkUnknownCommands(config, words);
    all += checkUnknownKeys(config);
    all += checkDuplicateBinds(config);
    all += checkAliasCycles(config);
    all += checkMissingExecFiles(config, gameDir);
    all += checkUndefinedAliases(config, words);
    sortByLine(all);
    return all;
}

QString findingCaption(const ConfigFinding& finding) {
    return u"Строка %1: %2"_s.arg(QString::number(finding.line + 1), finding.message);
}
