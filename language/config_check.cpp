// The config checks.
#include "language/config_check.h"

#include "language/config_set.h"
#include "language/name_origins.h"
#include "language/saved_settings.h"
#include "language/set_overrides.h"

#include <QHash>
#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace {

using configset::gameDirKnown;
using configset::gameFile;
using Finding = ConfigFinding;
using Form = ConfigReport::Form;
using Entry = ConfigReport::Entry;
using Findings = FindingList;

// The ids of the names the key checks dispatch on (-1 for a name the config does not use).
struct Keywords {
    explicit Keywords(const ParsedConfig& config)
        : bind(config.idOf(u"bind"_s)), unbind(config.idOf(u"unbind"_s)),
          unbindall(config.idOf(u"unbindall"_s)) {}
    int bind, unbind, unbindall;
};


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

} // namespace
namespace {

void unknownCommands(const ParsedConfig& config, const Vocabulary& words, Findings& findings) {
    const QList<bool> unknown = perName(config, [&](const QString& name) {
        return !knownOrAlias(config, words, name) && !isPluginCommand(name);
    });
    for (const ParsedCommand& c : config.commands)
        if (c.depth == 0 && unknown.at(c.name))
            findings.add(c.line, Finding::Kind::Warning, Form::UnknownCommand, c.spelled);
}

void unclosedQuotes(const ParsedConfig& config, Findings& findings) {
    for (int line : config.unclosedQuoteLines)
        findings.add(line, Finding::Kind::Warning, Form::UnclosedQuote, {});
}

void consoleReading(const ParsedConfig& config, const Vocabulary& words, Findings& findings) {
    using Kind = ReadingNote::Kind;
    const int setinfo = config.idOf(u"setinfo"_s);
    for (const ReadingNote& n : config.readingNotes) {
        switch (n.kind) {
        case Kind::CutCommand:
            findings.add(n.line, Finding::Kind::Warning, Form::LongCommand, {});
            break;
        case Kind::DroppedWord:
            findings.add(n.line, Finding::Kind::Warning, Form::DroppedWord, n.word);
            break;
        case Kind::ForeignStart:
            findings.add(n.line, Finding::Kind::Warning, Form::ForeignStart, n.word);
            break;
        case Kind::GluedQuote:
            findings.add(n.line, Finding::Kind::Warning, Form::GluedQuote, n.word);
            break;
        case Kind::SplitValue: {
            // Only a setting takes its value from one word; a command may take them all. A
            // setinfo with the word is one of more than three words (longSetinfos says why it
            // sets nothing) or has it as its whole key or value.
            const QString& name = config.names.at(n.name);
            if (n.name == setinfo || words.kindOf(name) != WordKind::Variable)
                break;
            findings.addWritten(
                n.line, Finding::Kind::Warning, Form::SplitValue,
                u"Знак «%1» делит значение «%2»: игра возьмёт только слово до него"_s.arg(
                    config.textOf(n.word), name),
                n.word);
            break;
        }
        }
    }
}

void longSetinfos(const ParsedConfig& config, Findings& findings) {
    const int setinfo = config.idOf(u"setinfo"_s);
    if (setinfo < 0)
        return;
    for (const ParsedCommand& c : config.commands)
        if (c.name == setinfo && c.arguments + 1 > console::kSetinfoWords)
            findings.add(c.line, Finding::Kind::Warning, Form::LongSetinfo, c.argument,
                         c.arguments - 1);
}

void steamLineBreaks(const ParsedConfig& config, qint64 fileBytes, Findings& findings) {
    if (fileBytes < console::kLineByLineFileBytes)
        return;
    const QStringView text = config.text;
    qsizetype start = 0;
    for (int line = 0; start <= text.size(); ++line) {
        qsizetype end = text.indexOf(u'\n', start);
        if (end < 0)
            end = text.size();
        for (const QChar c : text.mid(start, end - start))
            if (c == u'\t' || c.unicode() >= 0x80) {
                findings.add(line, Finding::Kind::Hint, Form::SteamLineBreak, {});
                break;
            }
        start = end + 1;
    }
}

// The console refuses an alias name this long or longer.
constexpr int kAliasNameLimit = 32;

void longAliasNames(const ParsedConfig& config, Findings& findings) {
    for (const ParsedCommand& c : config.commands)
        if (c.defines >= 0 &&
            console::byteLength(config.textOf(c.argument), config.bytes) >= kAliasNameLimit)
            findings.add(c.line, Finding::Kind::Warning, Form::LongAliasName, c.argument);
}

void plusAliasesWithoutMinus(const ParsedConfig& config, const Vocabulary& words,
                             Findings& findings) {
    const QList<bool> unpaired = perName(config, [&](const QString& name) {
        if (!name.startsWith(u'+') || name.size() < 2)
            return false;
        const QString minus = u'-' + name.mid(1);
        return !config.aliases.contains(minus) && !words.knows(minus);
    });
    for (const ParsedCommand& c : config.commands)
        if (c.defines >= 0 && unpaired.at(c.defines))
            findings.add(c.line, Finding::Kind::Warning, Form::PlusWithoutMinus, c.argument);
}

void commandsAfterComments(const ParsedConfig& config, Findings& findings) {
    for (const ParsedCommand& c : config.commands)
        if (c.afterComment)
            findings.add(c.line, Finding::Kind::Warning, Form::CommandAfterComment, c.spelled);
}

void duplicateBinds(const ParsedConfig& config, Findings& findings) {
    const Keywords k(config);
    // The line of each key's last bind, valid while its round is the current one (an unbindall
    // starts a new round).
    struct Bound {
        int line = -1;
        int round = 0;
    };
    QList<Bound> boundOn(config.names.size());
    int round = 1;
    for (const ParsedCommand& p : config.commands) {
        if (p.depth != 0) // a bind inside an alias is a switch, not a duplicate
            continue;
        if (p.name == k.unbindall) { // starts afresh
            ++round;
            continue;
        }
        if ((p.name != k.bind && p.name != k.unbind) || p.arguments < 1)
            continue;
        Bound& bound = boundOn[p.key];
        if (p.name == k.unbind) {
            bound.line = -1; // an unbind in between makes the second bind deliberate
            continue;
        }
        // Two binds of one key on one line are the player's own doing, seen at a glance.
        if (bound.round == round && bound.line >= 0 && bound.line != p.line)
            findings.add(p.line, Finding::Kind::Warning, Form::DuplicateBind, p.argument,
                         bound.line);
        bound = {p.line, round};
    }
}

void aliasCycles(const ParsedConfig& config, const Vocabulary& words, Findings& findings) {
    // Each alias's calls (over all of its definitions) and whether some command inside a body
    // redefines it: such an alias can be switched off, which is the usual way out of a loop.
    // Aliases are name ids here.
    struct Node {
        bool defined = false;
        bool redefinedInside = false;
        int firstLine = 0;
        TextSpan spelled; // at the first definition
        QList<int> calls;
    };
    QList<Node> nodes(config.names.size());
    QList<int> order; // in the order of their first definitions
    for (const ParsedCommand& c : config.commands) {
        if (c.defines < 0)
            continue;
        Node& node = nodes[c.defines];
        if (c.depth > 0)
            node.redefinedInside = true;
        if (!node.defined) {
            node.defined = true; // an alias with an empty body is still a node
            node.firstLine = c.line;
            node.spelled = c.argument;
            order.append(c.defines);
        }
    }
    if (order.isEmpty())
        return;
    // A call of a command's name runs the command, whatever aliases say.
    const QList<bool> callable = perName(config, [&](const QString& name) {
        return config.aliases.contains(name) && !words.isBuiltInCommand(name);
    });
    QSet<quint64> calling; // holder << 32 | called, each pair once
    for (const ParsedCommand& inner : config.commands) {
        if (inner.parent < 0 || !callable.at(inner.name))
            continue;
        const int holder = config.commands.at(inner.parent).defines;
        if (holder < 0)
            continue;
        const quint64 pair = quint64(holder) << 32 | quint32(inner.name);
        if (!calling.contains(pair)) {
            calling.insert(pair);
            nodes[holder].calls.append(inner.name);
        }
    }

    // Depth-first search from each alias in the order the text defines them (the first lines
    // sorted, ties by name id); a call back into the current path closes a circle. The path
    // is kept on a list of its own, so a long chain of aliases needs no deep recursion.
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        return nodes.at(a).firstLine != nodes.at(b).firstLine
                   ? nodes.at(a).firstLine < nodes.at(b).firstLine
                   : a < b;
    });
    QList<bool> done(config.names.size());
    QList<int> onPath(config.names.size(), -1); // the place on the path, or -1
    QSet<QList<int>> reported;
    QList<int> path;
    QList<qsizetype> nextCall; // for each alias on the path, the next of its calls to follow
    QList<std::pair<int, QString>> circles;
    const auto shownName = [&](int id) {
        return nodes.at(id).defined ? config.textOf(nodes.at(id).spelled).toString()
                                    : config.names.at(id);
    };
    const auto enter = [&](int name) {
        onPath[name] = int(path.size());
        path.append(name);
        nextCall.append(0);
    };
    for (const int start : std::as_const(order)) {
        if (done.at(start))
            continue;
        enter(start);
        while (!path.isEmpty()) {
            const int name = path.last();
            const QList<int>& calls = nodes.at(name).calls;
            if (nextCall.last() == calls.size()) {
                path.removeLast();
                nextCall.removeLast();
                onPath[name] = -1;
                done[name] = true;
                continue;
            }
            const int next = calls.at(nextCall.last()++);
            if (const int at = onPath.at(next); at >= 0) {
                const QList<int> circle = path.mid(at);
                const bool wayOut = std::any_of(circle.begin(), circle.end(),
                                                [&](int n) { return nodes.at(n).redefinedInside; });
                QList<int> sorted = circle;
                std::sort(sorted.begin(), sorted.end());
                if (!wayOut && !reported.contains(sorted)) {
                    reported.insert(sorted);
                    QStringList shown;
                    for (const int n : circle)
                        shown.append(shownName(n));
                    shown.append(shownName(next));
                    circles.append(
                        {nodes.at(circle.first()).firstLine,
                         u"Алиас вызывает сам себя без выхода: %1"_s.arg(shown.join(u" → "_s))});
                }
            } else if (!done.at(next) && nodes.at(next).defined) {
                enter(next);
            }
        }
    }
    std::stable_sort(circles.begin(), circles.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [line, message] : std::as_const(circles))
        findings.addWritten(line, Finding::Kind::Warning, Form::AliasCycle, message);
}

void shadowedAliases(const ParsedConfig& config, const Vocabulary& words, Findings& findings) {
    const QList<bool> builtIn =
        perName(config, [&](const QString& name) { return words.isBuiltInCommand(name); });
    for (const ParsedCommand& c : config.commands)
        if (c.defines >= 0 && builtIn.at(c.defines))
            findings.add(c.line, Finding::Kind::Warning, Form::ShadowedAlias, c.argument);
}

void undefinedAliases(const ParsedConfig& config, const Vocabulary& words, Findings& findings) {
    const QList<bool> undefined = perName(config, [&](const QString& name) {
        return !name.isEmpty() && !knownOrAlias(config, words, name) && !isConfigNumber(name) &&
               !isPluginCommand(name);
    });
    for (const ParsedCommand& c : config.commands)
        if (c.depth > 0 && undefined.at(c.name))
            findings.add(c.line, Finding::Kind::Hint, Form::UndefinedAlias, c.spelled);
}

void laterVersionNames(const ParsedConfig& config, const Vocabulary& words, Findings& findings) {
    // The origin of each name the 1.5 game lacks (-1 for the others), asked once per name.
    QList<int> origin(config.names.size(), -1);
    QList<bool> warning(config.names.size());
    for (qsizetype i = 0; i < config.names.size(); ++i) {
        const QString& name = config.names.at(i);
        const WordInfo* info = words.find(name);
        if (info && info->version != GameVersion::Cs15 && !config.aliases.contains(name)) {
            origin[i] = int(originOf(*info));
            warning[i] = originIsWarning(*info);
        }
    }
    for (const ParsedCommand& c : config.commands)
        if (origin.at(c.name) >= 0)
            findings.add(c.line, warning.at(c.name) ? Finding::Kind::Warning : Finding::Kind::Hint,
                         Form::LaterVersionName, c.spelled, origin.at(c.name));
}

// The lines of config.cfg with a command at their top that the game drops: known names and the
// config's aliases (an unknown name or a plugin's command has its own finding; an alias of the
// config named like a plugin's command has none, so its line is counted here).
QList<int> linesNotKept(const ParsedConfig& config, const Vocabulary& words) {
    const QList<bool> reportedApart = perName(config, [&](const QString& name) {
        return name.isEmpty() || !knownOrAlias(config, words, name) ||
               (isPluginCommand(name) && !config.aliases.contains(name));
    });
    QList<int> lines;
    for (const ParsedCommand& c : config.commands) {
        if (c.depth != 0 || reportedApart.at(c.name) ||
            keptInConfigCfg(config.nameOf(c), config.textOf(c.argument), words))
            continue;
        if (lines.isEmpty() || lines.last() != c.line + 1)
            lines.append(c.line + 1);
    }
    return lines;
}

void notKeptInConfigCfg(const ParsedConfig& config, const Vocabulary& words, Findings& findings) {
    const QList<int> lines = linesNotKept(config, words);
    if (!lines.isEmpty())
        findings.addWritten(lines.first() - 1, Finding::Kind::Warning, Form::NotKeptInConfigCfg,
                            notKeptMessage(lines));
}

void pluginCommands(const ParsedConfig& config, Findings& findings) {
    const QList<bool> plugin = perName(config, [&](const QString& name) {
        return isPluginCommand(name) && !config.aliases.contains(name);
    });
    QStringList names;
    QList<bool> seen(config.names.size());
    int firstLine = -1;
    for (const ParsedCommand& c : config.commands) {
        if (!plugin.at(c.name))
            continue;
        if (firstLine < 0)
            firstLine = c.line;
        if (!seen.at(c.name)) {
            seen[c.name] = true;
            names.append(config.textOf(c.spelled).toString());
        }
    }
    if (firstLine < 0)
        return;
    constexpr qsizetype kShown = 5;
    QString listed = u"«"_s + names.mid(0, kShown).join(u"», «"_s) + u"»"_s;
    if (names.size() > kShown)
        listed += u" и ещё %1"_s.arg(names.size() - kShown);
    findings.addWritten(firstLine, Finding::Kind::Hint, Form::PluginCommands,
                        u"Команды серверных дополнений: %1. Их выполняет дополнение на "
                        u"сервере, а не сама игра"_s.arg(listed));
}

// The file an "exec" command names, or an empty string for any other command.
QString execFile(const ParsedConfig& config, const ParsedCommand& c, int exec) {
    return c.name == exec && c.arguments >= 1 ? config.textOf(c.argument).toString() : QString();
}

void missingExecFiles(const ParsedConfig& config, const QString& gameDir, Findings& findings) {
    const int exec = config.idOf(u"exec"_s);
    if (!gameDirKnown(gameDir) || exec < 0)
        return;
    for (const ParsedCommand& c : config.commands) {
        const QString file = execFile(config, c, exec);
        if (!file.isEmpty() && gameFile(gameDir, file).isEmpty())
            findings.add(c.line, Finding::Kind::Warning, Form::MissingExecFile, c.argument);
    }
}

void unknownKeys(const ParsedConfig& config, const Vocabulary& words, Findings& findings) {
    const Keywords k(config);
    // Whether each key name is known, asked once per name.
    enum : quint8 { NotAsked, Known, Unknown };
    QList<quint8> known(config.names.size(), NotAsked);
    for (const ParsedCommand& c : config.commands) {
        if ((c.name != k.bind && c.name != k.unbind) || c.arguments < 1)
            continue;
        quint8& answer = known[c.key];
        if (answer == NotAsked)
            answer = words.isKey(config.names.at(c.key)) ? Known : Unknown;
        if (answer == Unknown)
            findings.add(c.line, Finding::Kind::Warning, Form::UnknownKey, c.argument);
    }
}

} // namespace

namespace {
// The findings of one check, each with its message.
template <typename Check, typename... Inputs>
QList<Finding> listed(const ParsedConfig& config, Check check, const Inputs&... inputs) {
    Findings findings(config);
    check(config, inputs..., findings);
    return findings.toList();
}
} // namespace

QList<Finding> checkUnknownCommands(const ParsedConfig& config, const Vocabulary& words) {
    return listed(config, unknownCommands, words);
}

QList<Finding> checkUnclosedQuotes(const ParsedConfig& config) {
    return listed(config, unclosedQuotes);
}

QList<Finding> checkConsoleReading(const ParsedConfig& config, const Vocabulary& words) {
    return listed(config, consoleReading, words);
}

QList<Finding> checkSteamLineBreaks(const ParsedConfig& config, qint64 fileBytes) {
    return listed(config, steamLineBreaks, fileBytes);
}

QList<Finding> checkPlusAliasesWithoutMinus(const ParsedConfig& config, const Vocabulary& words) {
    return listed(config, plusAliasesWithoutMinus, words);
}

QList<Finding> checkLongAliasNames(const ParsedConfig& config) {
    return listed(config, longAliasNames);
}

QList<Finding> checkLongSetinfos(const ParsedConfig& config) {
    return listed(config, longSetinfos);
}

QList<Finding> checkCommandsAfterComments(const ParsedConfig& config) {
    return listed(config, commandsAfterComments);
}

QList<Finding> checkDuplicateBinds(const ParsedConfig& config) {
    return listed(config, duplicateBinds);
}

QList<Finding> checkAliasCycles(const ParsedConfig& config, const Vocabulary& words) {
    return listed(config, aliasCycles, words);
}

QList<Finding> checkShadowedAliases(const ParsedConfig& config, const Vocabulary& words) {
    return listed(config, shadowedAliases, words);
}

QList<Finding> checkUndefinedAliases(const ParsedConfig& config, const Vocabulary& words) {
    return listed(config, undefinedAliases, words);
}

QList<Finding> checkLaterVersionNames(const ParsedConfig& config, const Vocabulary& words) {
    return listed(config, laterVersionNames, words);
}

QList<Finding> checkPluginCommands(const ParsedConfig& config) {
    return listed(config, pluginCommands);
}

QList<Finding> checkNotKeptInConfigCfg(const ParsedConfig& config, const Vocabulary& words) {
    return listed(config, notKeptInConfigCfg, words);
}

bool looksWrittenByGame(const ParsedConfig& config, const Vocabulary& words) {
    bool any = false;
    for (const ParsedCommand& c : config.commands) {
        if (c.depth != 0)
            continue;
        if (c.defines >= 0 || !keptInConfigCfg(config.nameOf(c), config.textOf(c.argument), words))
            return false;
        any = true;
    }
    return any && linesNotKept(config, words).isEmpty();
}

QList<Finding> checkMissingExecFiles(const ParsedConfig& config, const QString& gameDir) {
    return listed(config, missingExecFiles, gameDir);
}

QList<Finding> checkUnknownKeys(const ParsedConfig& config, const Vocabulary& words) {
    return listed(config, unknownKeys, words);
}

qint64 fileBytes(const QString& text, const CheckedFile& file) {
    const qint64 breaks = text.count(u'\n');
    return console::byteLength(text, file.bytes) + (file.crLf ? breaks : 0);
}

ConfigReport checkConfigReport(const QString& text, const Vocabulary& words,
                               const QString& gameDir, const CheckedFile& file,
                               GameFolderAliases* folder) {
    // config.cfg, or a text that starts as the game writes it, is read whole: what the game
    // keeps of it is asked of every command.
    const bool gameConfig = isConfigCfg(file.name) || startsLikeGameConfig(text);
    ParsedConfig config = parseConfig(text, gameConfig ? nullptr : &words, file.bytes);
    config.aliases.unite(aliasesFromGameFiles(config, gameDir, folder));
    const bool writtenByGame = gameConfig && looksWrittenByGame(config, words);
    // Each check's findings come ordered by line; within a line they keep the order of the
    // checks.
    std::vector<Findings> checks(18, Findings(config));
    unclosedQuotes(config, checks[0]);
    consoleReading(config, words, checks[1]);
    longSetinfos(config, checks[17]);
    commandsAfterComments(config, checks[2]);
    unknownCommands(config, words, checks[3]);
    unknownKeys(config, words, checks[4]);
    duplicateBinds(config, checks[5]);
    aliasCycles(config, words, checks[6]);
    shadowedAliases(config, words, checks[7]);
    longAliasNames(config, checks[8]);
    plusAliasesWithoutMinus(config, words, checks[9]);
    missingExecFiles(config, gameDir, checks[10]);
    undefinedAliases(config, words, checks[11]);
    if (!writtenByGame)
        laterVersionNames(config, words, checks[12]);
    pluginCommands(config, checks[13]);
    steamLineBreaks(config, fileBytes(text, file), checks[14]);
    if (isConfigCfg(file.name))
        notKeptInConfigCfg(config, words, checks[15]);
    setOverrides(config, gameDir, file, words, checks[16]);

    // Placed by line: the findings of each line counted first, then laid out check by check.
    ConfigReport report;
    report.m_text = text;
    QList<qsizetype> at(config.lineCount + 1);
    qsizetype total = 0;
    for (const Findings& check : checks) {
        total += check.entries().size();
        for (const Entry& e : check.entries())
            ++at[e.line + 1];
    }
    for (int line = 1; line <= config.lineCount; ++line)
        at[line] += at[line - 1];
    report.m_entries.resize(total);
    for (const Findings& check : checks) {
        const int writtenBefore = int(report.m_written.size());
        report.m_written.append(check.written());
        for (Entry e : check.entries()) {
            if (ConfigReport::hasWrittenMessage(e.form))
                e.number += writtenBefore;
            report.m_entries[at[e.line]++] = e;
        }
    }
    return report;
}

QList<Finding> checkConfig(const QString& text, const Vocabulary& words, const QString& gameDir,
                           const CheckedFile& file) {
    return checkConfigReport(text, words, gameDir, file).toList();
}
