// The report of what the game changed in config.cfg, and its two ways back.
#include "launcher/config_change_report.h"

#include "language/config_commands.h"
#include "language/saved_settings.h"
#include "launcher/config_keeper.h"
#include "platform/text_file.h"

#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>

using namespace Qt::Literals::StringLiterals;

namespace {

// The binds, settings and lines of one config as the console reads it.
struct ReadConfig {
    QHash<QString, QString> binds;    // key (folded) -> commands; the last bind wins
    QStringList bindOrder;            // keys in the order first bound
    QHash<QString, QString> keyNames; // key (folded) -> as the config spells it
    QHash<QString, QString> settings;
    QStringList settingOrder;
    QStringList lines;       // every line, as written
    QList<bool> lineDropped; // a line holding a command the game does not write back
};

void setValue(QHash<QString, QString>& values, QStringList& order, const QString& name,
              const QString& value) {
    if (!values.contains(name))
        order.append(name);
    values.insert(name, value);
}

ReadConfig readConfig(QStringView text, const Vocabulary& words) {
    ReadConfig c;
    c.lines = text.toString().split(u'\n');
    c.lineDropped = QList<bool>(c.lines.size(), false);
    QList<int> lineStarts{0};
    for (int i = 0; i < text.size(); ++i)
        if (text[i] == u'\n')
            lineStarts.append(i + 1);
    CommandScanner scanner(text);
    CommandSpan span;
    int line = 0;
    while (scanner.next(span)) {
        while (line + 1 < lineStarts.size() && lineStarts[line + 1] <= span.start)
            ++line;
        const QString name = console::foldedName(span.word(text, 0));
        const QString first = span.word(text, 1).toString();
        if (name == u"bind"_s && span.wordCount >= 2) {
            setValue(c.binds, c.bindOrder, console::foldedName(first),
                     joinedArguments(text, span, 2));
            c.keyNames.insert(console::foldedName(first), first);
        } else if (name == u"unbind"_s && span.wordCount >= 2) {
            c.binds.remove(console::foldedName(first));
        } else if (name == u"unbindall"_s) {
            c.binds.clear();
        } else if (name == u"setinfo"_s && span.wordCount >= 3) {
            setValue(c.settings, c.settingOrder, u"setinfo "_s + console::foldedName(first),
                     span.word(text, 2).toString());
        } else if (words.isSaved(name) && span.wordCount >= 2) {
            setValue(c.settings, c.settingOrder, name, first);
        }
        if (!keptInConfigCfg(name, first, words))
            c.lineDropped[line] = true;
    }
    return c;
}

// An address as a server advertises itself: an IP (with a port) or a web site.
const QRegularExpression& addressPattern() {
    static const QRegularExpression re(
        u"(\\b\\d{1,3}(\\.\\d{1,3}){3}(:\\d+)?\\b)|(\\bwww\\.)|(\\b[a-z0-9-]+\\.(com|net|org|ru|"
        u"ua|su|by|kz|info|biz|de|pl|lv|lt|ee|eu|us|gg|io|tk|cz)\\b)"_s,
        QRegularExpression::CaseInsensitiveOption);
    return re;
}

// The settings a server sets to keep a player, or to show its name: a change is worth a flag.
bool pushedSetting(const QString& name) {
    static const QSet<QString> names{u"developer"_s, u"cl_timeout"_s, u"motdfile"_s, u"name"_s};
    return names.contains(name);
}

} // namespace

bool looksPushedByServer(QStringView boundCommands, const GameFileExists& exists) {
    static const QSet<QString> rare{u"connect"_s,   u"retry"_s,     u"motdfile"_s, u"cl_timeout"_s,
                                    u"unbindall"_s, u"developer"_s, u"name"_s};
    CommandScanner scanner(boundCommands);
    CommandSpan span;
    while (scanner.next(span)) {
        const QString name = console::foldedName(span.word(boundCommands, 0));
        if (rare.contains(name))
            return true;
        if ((name == u"say"_s || name == u"say_team"_s) &&
            addressPattern().match(boundCommands.mid(span.start, span.end - span.start)).hasMatch())
            return true;
        if (name == u"exec"_s && span.wordCount >= 2 && exists &&
            !exists(span.word(boundCommands, 1).toString()))
            return true;
    }
    return false;
}

qsizetype ConfigChangeReport::pushedCount() const {
    return std::count_if(changes.begin(), changes.end(),
                         [](const ConfigChange& c) { return c.pushed; });
}

ConfigChangeReport compareGameConfig(QStringView mine, QStringView now, const Vocabulary& words,
                                     const GameFileExists& exists) {
    ConfigChangeReport report;
    const ReadConfig before = readConfig(mine, words);
    const ReadConfig after = readConfig(now, words);

    QSet<QString> kept;
    for (const QString& l : after.lines)
        kept.insert(l.trimmed());
    QSet<QString> listed;
    for (qsizetype i = 0; i < before.lines.size(); ++i) {
        const QString line = before.lines[i].trimmed();
        if (before.lineDropped[i] && !kept.contains(line) && !listed.contains(line)) {
            report.droppedLines.append(before.lines[i]);
            listed.insert(line);
        }
    }

    auto compare = [&](ConfigChange::Kind kind, const QHash<QString, QString>& was,
                       const QStringList& wasOrder, const QHash<QString, QString>& is,
                       const QStringList& isOrder) {
        QStringList names = wasOrder;
        for (const QString& n : isOrder)
            if (!was.contains(n))
                names.append(n);
        for (const QString& n : names) {
            const QString a = was.value(n);
            const QString b = is.value(n);
            if (was.contains(n) == is.contains(n) && a == b)
                continue;
            ConfigChange c;
            c.kind = kind;
            c.name = kind == ConfigChange::Kind::Bind
                         ? after.keyNames.value(n, before.keyNames.value(n, n))
                         : n;
            c.before = a;
            c.after = b;
            c.pushed =
                is.contains(n) && (kind == ConfigChange::Kind::Bind ? looksPushedByServer(b, exists)
                                                                    : pushedSetting(n));
            report.changes.append(c);
        }
    };
    compare(ConfigChange::Kind::Bind, before.binds, before.bindOrder, after.binds, after.bindOrder);
    compare(ConfigChange::Kind::Setting, before.settings, before.settingOrder, after.settings,
            after.settingOrder);
    return report;
}

namespace {

QString quoted(const QString& value) {
    return value.isEmpty() ? u"—"_s : u"«"_s + value + u"»"_s;
}

QString describe(const ConfigChange& c) {
    const QString what = c.kind == ConfigChange::Kind::Bind ? u"клавиша "_s + c.name : c.name;
    if (c.before.isEmpty() && !c.after.isEmpty())
        return u"    "_s + what + u": добавлено "_s + quoted(c.after);
    if (c.after.isEmpty())
        return u"    "_s + what + u": было "_s + quoted(c.before) + u", теперь нет"_s;
    return u"    "_s + what + u": было "_s + quoted(c.before) + u", стало "_s + quoted(c.after);
}

} // namespace

QString ConfigChangeReport::text() const {
    if (isEmpty())
        return u"Игра не изменила ничего из вашей версии config.cfg."_s;
    QStringList out;
    if (pushedCount() > 0) {
        out.append(u"Возможно, подставлено сервером (такие команды игрок пишет редко):"_s);
        for (const ConfigChange& c : changes)
            if (c.pushed)
                out.append(describe(c));
        out.append(QString());
    }
    if (!droppedLines.isEmpty()) {
        out.append(
            u"Игра перезаписала config.cfg и оставила в нём только клавиши и свои "
            u"сохраняемые настройки. Пропали строки (%1), перенесите их в autoexec.cfg:"_s.arg(
                droppedLines.size()));
        for (const QString& l : droppedLines)
            out.append(u"    "_s + l.trimmed());
        out.append(QString());
    }
    QStringList binds;
    QStringList settings;
    for (const ConfigChange& c : changes)
        if (!c.pushed)
            (c.kind == ConfigChange::Kind::Bind ? binds : settings).append(describe(c));
    if (!binds.isEmpty())
        out += QStringList{u"Изменились клавиши:"_s} + binds + QStringList{QString()};
    if (!settings.isEmpty())
        out += QStringList{u"Изменились настройки:"_s} + settings + QStringList{QString()};
    while (!out.isEmpty() && out.last().isEmpty())
        out.removeLast();
    return out.join(u'\n');
}

std::optional<FileVersion> playersVersion(const VersionStore& store, const QString& configPath) {
    return newestNonScriptVersion(store, configPath, true);
}

ConfigChangeReport reportGameChange(const VersionStore& store, const QString& configPath,
                                    const Vocabulary& words) {
    const std::optional<FileVersion> mine = playersVersion(store, configPath);
    if (!mine)
        return {};
    const textfile::BytesResult mineBytes = store.bytesOf(*mine);
    const textfile::ReadResult now = textfile::readText(configPath);
    if (!mineBytes.ok() || !now.ok())
        return {};
    const textfile::TextForm form = textfile::detectForm(mineBytes.bytes);
    const QString folder = QFileInfo(configPath).absolutePath();
    return compareGameConfig(textfile::decodeText(mineBytes.bytes, form), now.text, words,
                             [folder](const QString& name) {
                                 return QFileInfo(folder + u'/' + name).isFile() ||
                                        QFileInfo(folder + u'/' + name + u".cfg"_s).isFile();
                             });
}

namespace {

// Every command of a text as the console runs it: its words joined by blanks.
QStringList commandsOf(QStringView text) {
    QStringList commands;
    CommandScanner scanner(text);
    CommandSpan span;
    while (scanner.next(span))
        commands.append(joinedArguments(text, span, 0));
    return commands;
}

} // namespace

MoveResult moveLinesToAutoexec(const VersionStore& store, const QString& autoexecPath,
                               const QStringList& lines) {
    MoveResult result;
    QString text;
    textfile::TextForm form;
    if (QFileInfo::exists(autoexecPath)) {
        const textfile::ReadResult read = textfile::readEditableText(autoexecPath);
        if (!read.ok())
            return {false, 0, textfile::notOpenedMessage(autoexecPath, read)};
        text = read.text;
        form = read.form;
    }
    QSet<QString> present;
    for (const QString& l : text.split(u'\n'))
        present.insert(l.trimmed());
    QString added;
    for (const QString& l : lines) {
        const QString line = l.trimmed();
        if (line.isEmpty() || present.contains(line))
            continue;
        present.insert(line);
        added += line + u'\n';
        ++result.moved;
    }
    if (result.moved == 0) {
        result.message = u"Все эти строки уже есть в autoexec.cfg."_s;
        return result;
    }
    const QString joined = (text.isEmpty() || text.endsWith(u'\n') ? text : text + u'\n') + added;
    // Only the lines asked for, each read back as the commands it was.
    if (commandsOf(joined) != commandsOf(text) + commandsOf(added))
        return {false, 0,
                u"Строки не перенесены: в autoexec.cfg они прочитались бы иначе, чем были "
                u"написаны."_s};
    const QString lost = textfile::unencodableCharacters(joined, form);
    if (!lost.isEmpty())
        return {false, 0,
                u"Строки не перенесены: кодировка autoexec.cfg не может сохранить символы "_s +
                    lost};
    const textfile::WriteResult w = writeKeepingVersions(
        store, autoexecPath, textfile::encodeText(joined, form), VersionSource::Moved);
    if (!w.ok)
        return {false, 0,
                u"Строки не перенесены:\n"_s + textfile::describeFailure(autoexecPath, w.reason)};
    result.message = u"В autoexec.cfg перенесено строк: %1."_s.arg(result.moved);
    return result;
}
