// The config checks.
#include "language/config_check.h"

#include "platform/program_paths.h"
#include "platform/text_file.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QVarLengthArray>
#include <algorithm>
#include <functional>

using namespace Qt::Literals::StringLiterals;

size_t qHash(const ConfigFinding& f, size_t seed) {
    return qHashMulti(seed, f.line, int(f.kind), f.message);
}

namespace {

using Finding = ConfigFinding;
constexpr int kMaxDepth = 8;

// The findings of one check, each once. A check walks the text in order, so a finding can only
// repeat one of its own line: the hashes of the current line's findings (a few) are kept, and a
// new finding is compared with those of equal hash.
class Findings {
public:
    void add(int line, Finding::Kind kind, const QString& message) {
        if (line != m_line) {
            m_lineHashes.clear();
            m_line = line;
        }
        Finding f{line, kind, message};
        const size_t hash = qHash(f);
        for (qsizetype i = 0; i < m_lineHashes.size(); ++i)
            if (m_lineHashes[i] == hash && m_list.at(m_list.size() - m_lineHashes.size() + i) == f)
                return;
        m_lineHashes.append(hash);
        m_list.append(std::move(f));
    }
    QList<Finding> take() { return std::move(m_list); }

private:
    QList<Finding> m_list;
    QVarLengthArray<size_t, 8> m_lineHashes; // of the last findings of m_list, in order
    int m_line = -1;
};

// One message per name as the config spells it: a config repeats its names, and the findings of
// one name share one text instead of each building its own.
class Messages {
public:
    explicit Messages(const ParsedConfig& config) : m_cache(config.names.size()) {}
    template <typename Make> const QString& of(int name, QStringView spelled, Make make) {
        Entry& e = m_cache[name];
        if (e.message.isNull() || e.spelled != spelled) {
            e.spelled = spelled.toString();
            e.message = make(spelled);
        }
        return e.message;
    }

private:
    struct Entry {
        QString spelled;
        QString message;
    };
    QList<Entry> m_cache;
};

// The ids of the names the key checks dispatch on (-1 for a name the config does not use).
struct Keywords {
    explicit Keywords(const ParsedConfig& config)
        : bind(config.idOf(u"bind"_s)), unbind(config.idOf(u"unbind"_s)),
          unbindall(config.idOf(u"unbindall"_s)) {}
    int bind, unbind, unbindall;
};

void addCommands(ParsedConfig& config, QList<ConfigCommand>& commands, int line, int depth,
                 int parent) {
    for (ConfigCommand& c : commands) {
        const qsizetype index = config.commands.size();
        ParsedCommand& p = config.commands.emplace_back();
        p.command = std::move(c);
        p.name = config.intern(p.command.words.first().text);
        p.line = line;
        p.depth = depth;
        p.parent = parent;
        const QString& name = config.names.at(p.name);
        const bool alias = name == u"alias"_s;
        if (alias && p.command.argumentCount() >= 1)
            p.defines = config.intern(p.command.argument(0).text);
        if (depth < kMaxDepth && (alias || name == u"bind"_s) && p.command.argumentCount() >= 2) {
            QList<ConfigCommand> inner = commandsInside(p.command.argument(1));
            addCommands(config, inner, line, depth + 1, int(index));
        }
    }
}

// For every name of the config, whether `test` holds: one look-up per name, not per use.
template <typename Test> QList<bool> perName(const ParsedConfig& config, Test test) {
    QList<bool> result(config.names.size());
    for (qsizetype i = 0; i < config.names.size(); ++i)
        result[i] = test(config.names.at(i));
    return result;
}

bool knownOrAlias(const ParsedConfig& config, const Vocabulary& words, const QString& name) {
    return words.knows(name) || config.aliases.contains(name);
}

void sortByLine(QList<Finding>& findings) {
    std::stable_sort(findings.begin(), findings.end(),
                     [](const Finding& a, const Finding& b) { return a.line < b.line; });
}

} // namespace

int ParsedConfig::intern(QStringView name) {
    toLowerName(name, m_buffer);
    const auto it = m_ids.constFind(m_buffer);
    if (it != m_ids.constEnd())
        return *it;
    const int id = int(names.size());
    names.append(m_buffer);
    m_ids.insert(m_buffer, id);
    return id;
}

ParsedConfig parseConfig(const QString& text) {
    ParsedConfig config;
    // About one command a line: one allocation for the lot rather than many as it grows.
    const qsizetype lines = text.count(u'\n') + 1;
    config.commands.reserve(lines + lines / 2);
    int line = 0;
    for (QStringView lineText : QStringView(text).tokenize(u'\n')) {
        ConfigLine parsed = parseConfigLine(lineText);
        if (parsed.unclosedQuote)
            config.unclosedQuoteLines.append(line);
        addCommands(config, parsed.commands, line, 0, -1);
        ++line;
    }
    QList<bool> defined(config.names.size());
    for (const ParsedCommand& c : std::as_const(config.commands))
        if (c.defines >= 0 && !defined[c.defines]) {
            defined[c.defines] = true;
            config.aliases.insert(config.names.at(c.defines));
        }
    return config;
}

bool isPluginCommand(QStringView lowerName) {
    return lowerName.startsWith(u"amx_") || lowerName.startsWith(u"admin_");
}

QList<Finding> checkUnknownCommands(const ParsedConfig& config, const Vocabulary& words) {
    const QList<bool> unknown = perName(config, [&](const QString& name) {
        return !knownOrAlias(config, words, name) && !isPluginCommand(name);
    });
    Findings findings;
    Messages messages(config);
    for (const ParsedCommand& c : config.commands)
        if (c.depth == 0 && unknown.at(c.name))
            findings.add(c.line, Finding::Kind::Warning,
                         messages.of(c.name, c.command.words.first().text, [](QStringView w) {
                             return u"Неизвестная команда или переменная «%1»"_s.arg(w);
                         }));
    return findings.take();
}

QList<Finding> checkUnclosedQuotes(const ParsedConfig& config) {
    QList<Finding> findings;
    for (int line : config.unclosedQuoteLines)
        findings.append({line, Finding::Kind::Warning, u"Кавычка не закрыта до конца строки"_s});
    return findings;
}

QList<Finding> checkDuplicateBinds(const ParsedConfig& config) {
    const Keywords k(config);
    Findings findings;
    QHash<QString, int> boundOn; // lower-case key -> the line of its last bind
    for (const ParsedCommand& p : config.commands) {
        if (p.depth != 0) // a bind inside an alias is a switch, not a duplicate
            continue;
        const ConfigCommand& c = p.command;
        if (p.name == k.unbindall) { // starts afresh
            boundOn.clear();
            continue;
        }
        if ((p.name != k.bind && p.name != k.unbind) || c.argumentCount() < 1)
            continue;
        const QString key = c.argument(0).text.toString().toLower();
        if (p.name == k.unbind) {
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
    // Aliases are name ids here.
    QHash<int, QList<int>> calls;
    QHash<int, int> firstLine;
    QHash<int, QString> spelled;
    QSet<int> redefinedInside;
    for (const ParsedCommand& c : config.commands) {
        if (c.defines < 0)
            continue;
        if (c.depth > 0)
            redefinedInside.insert(c.defines);
        if (!firstLine.contains(c.defines)) {
            firstLine.insert(c.defines, c.line);
            spelled.insert(c.defines, c.command.argument(0).text.toString());
        }
        calls[c.defines]; // an alias with an empty body is still a node
    }
    // A call of a command's name runs the command, whatever aliases say.
    const QList<bool> callable = perName(config, [&](const QString& name) {
        return config.aliases.contains(name) && !words.isBuiltInCommand(name);
    });
    for (const ParsedCommand& inner : config.commands) {
        if (inner.parent < 0 || !callable.at(inner.name))
            continue;
        const int holder = config.commands.at(inner.parent).defines;
        if (holder < 0)
            continue;
        QList<int>& out = calls[holder];
        if (!out.contains(inner.name))
            out.append(inner.name);
    }

    // Depth-first search from each alias in the order the text defines them; a call back into
    // the current path closes a circle.
    QList<int> order = firstLine.keys();
    std::sort(order.begin(), order.end(), [&](int a, int b) {
        return firstLine.value(a) != firstLine.value(b) ? firstLine.value(a) < firstLine.value(b)
                                                        : a < b;
    });
    Findings findings;
    QSet<int> done;
    QSet<QList<int>> reported;
    QList<int> path;
    const auto shownName = [&](int id) { return spelled.value(id, config.names.at(id)); };
    std::function<void(int)> visit = [&](int name) {
        path.append(name);
        for (const int next : calls.value(name)) {
            const qsizetype at = path.indexOf(next);
            if (at >= 0) {
                const QList<int> circle = path.mid(at);
                const bool wayOut = std::any_of(circle.begin(), circle.end(),
                                                [&](int n) { return redefinedInside.contains(n); });
                QList<int> sorted = circle;
                std::sort(sorted.begin(), sorted.end());
                if (!wayOut && !reported.contains(sorted)) {
                    reported.insert(sorted);
                    QStringList shown;
                    for (const int n : circle)
                        shown.append(shownName(n));
                    shown.append(shownName(next));
                    findings.add(
                        firstLine.value(circle.first()), Finding::Kind::Warning,
                        u"Алиас вызывает сам себя без выхода: %1"_s.arg(shown.join(u" → "_s)));
                }
            } else if (!done.contains(next) && calls.contains(next)) {
                visit(next);
            }
        }
        path.removeLast();
        done.insert(name);
    };
    for (const int name : order)
        if (!done.contains(name))
            visit(name);
    QList<Finding> list = findings.take();
    sortByLine(list);
    return list;
}

QList<Finding> checkShadowedAliases(const ParsedConfig& config, const Vocabulary& words) {
    const QList<bool> builtIn =
        perName(config, [&](const QString& name) { return words.isBuiltInCommand(name); });
    Findings findings;
    for (const ParsedCommand& c : config.commands) {
        if (c.defines < 0 || !builtIn.at(c.defines))
            continue;
        findings.add(c.line, Finding::Kind::Warning,
                     u"Алиас «%1» никогда не выполнится: игра сначала выполняет свою "
                     u"команду «%1»"_s.arg(c.command.argument(0).text));
    }
    return findings.take();
}

QList<Finding> checkUndefinedAliases(const ParsedConfig& config, const Vocabulary& words) {
    const QList<bool> undefined = perName(config, [&](const QString& name) {
        return !name.isEmpty() && !knownOrAlias(config, words, name) && !isConfigNumber(name) &&
               !isPluginCommand(name);
    });
    Findings findings;
    Messages messages(config);
    for (const ParsedCommand& c : config.commands) {
        if (c.depth == 0 || !undefined.at(c.name))
            continue;
        findings.add(
            c.line, Finding::Kind::Hint,
            messages.of(c.name, c.command.words.first().text, [](QStringView w) {
                return u"«%1» не определён в этом файле: может быть, он задан в другом"_s.arg(w);
            }));
    }
    return findings.take();
}

QList<Finding> checkLaterVersionNames(const ParsedConfig& config, const Vocabulary& words) {
    const QList<bool> later = perName(config, [&](const QString& name) {
        const WordInfo* info = words.find(name);
        return info && info->version != GameVersion::Cs15 && !config.aliases.contains(name);
    });
    Findings findings;
    Messages messages(config);
    for (const ParsedCommand& c : config.commands)
        if (later.at(c.name))
            findings.add(c.line, Finding::Kind::Hint,
                         messages.of(c.name, c.command.words.first().text, [](QStringView w) {
                             return u"«%1» есть только в CS 1.6 и новее"_s.arg(w);
                         }));
    return findings.take();
}

QList<Finding> checkPluginCommands(const ParsedConfig& config) {
    const QList<bool> plugin = perName(config, [&](const QString& name) {
        return isPluginCommand(name) && !config.aliases.contains(name);
    });
    QStringList names;
    QSet<int> seen;
    int firstLine = -1;
    for (const ParsedCommand& c : config.commands) {
        if (!plugin.at(c.name))
            continue;
        if (firstLine < 0)
            firstLine = c.line;
        if (!seen.contains(c.name)) {
            seen.insert(c.name);
            names.append(c.command.words.first().text.toString());
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

// The file an "exec" command names, or an empty string for any other command.
QString execFile(const ParsedCommand& c, int exec) {
    return c.name == exec && c.command.argumentCount() >= 1 ? c.command.argument(0).text.toString()
                                                            : QString();
}
} // namespace

QList<Finding> checkMissingExecFiles(const ParsedConfig& config, const QString& gameDir) {
    Findings findings;
    const int exec = config.idOf(u"exec"_s);
    if (!gameDirKnown(gameDir) || exec < 0)
        return {};
    for (const ParsedCommand& c : config.commands) {
        const QString file = execFile(c, exec);
        if (!file.isEmpty() && gameFile(gameDir, file).isEmpty())
            findings.add(c.line, Finding::Kind::Warning,
                         u"Файл «%1» не найден в каталоге игры"_s.arg(file));
    }
    return findings.take();
}

QList<Finding> checkUnknownKeys(const ParsedConfig& config, const Vocabulary& words) {
    const Keywords k(config);
    Findings findings;
    for (const ParsedCommand& c : config.commands) {
        if ((c.name != k.bind && c.name != k.unbind) || c.command.argumentCount() < 1)
            continue;
        const QStringView key = c.command.argument(0).text;
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
    const auto addExecs = [&](const ParsedConfig& from) {
        const int exec = from.idOf(u"exec"_s);
        for (const ParsedCommand& c : from.commands)
            if (const QString file = execFile(c, exec); !file.isEmpty())
                if (const QString path = gameFile(gameDir, file); !path.isEmpty())
                    queue.append(path);
    };
    addExecs(config);
    QSet<QString> read;
    // A file larger than this is no config a player wrote; the count keeps a folder of
    // thousands of files from stalling the check.
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
        addExecs(other);
    }
    return aliases;
}

QList<Finding> checkConfig(const QString& text, const Vocabulary& words, const QString& gameDir) {
    ParsedConfig config = parseConfig(text);
    config.aliases.unite(aliasesFromGameFiles(config, gameDir));
    // Each check's findings come ordered by line; merging them keeps the order of the checks
    // within a line.
    QList<Finding> all;
    const auto add = [&all](QList<Finding> more) {
        const qsizetype middle = all.size();
        all.append(std::move(more));
        std::inplace_merge(all.begin(), all.begin() + middle, all.end(),
                           [](const Finding& a, const Finding& b) { return a.line < b.line; });
    };
    add(checkUnclosedQuotes(config));
    add(checkUnknownCommands(config, words));
    add(checkUnknownKeys(config, words));
    add(checkDuplicateBinds(config));
    add(checkAliasCycles(config, words));
    add(checkShadowedAliases(config, words));
    add(checkMissingExecFiles(config, gameDir));
    add(checkUndefinedAliases(config, words));
    add(checkLaterVersionNames(config, words));
    add(checkPluginCommands(config));
    return all;
}

QString findingCaption(const ConfigFinding& finding) {
    return u"Строка %1: %2"_s.arg(QString::number(finding.line + 1), finding.message);
}
