// The command-line forms of the check, the command list and the key list.
#include "app/command_line_tool.h"

#include "app/effective_listing.h"
#include "keys/config_set_keys.h"
#include "keys/key_resolution.h"
#include "language/config_check.h"
#include "language/config_commands.h"
#include "platform/line_diff.h"
#include "platform/text_file.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <sys/stat.h>

using namespace Qt::Literals::StringLiterals;
using Mode = CommandLineRequest::Mode;
using Format = CommandLineRequest::Format;

namespace {

// Why a path cannot be read as a config, asked before it is opened: a FIFO or a device would
// keep the read waiting.
QString unreadableKind(const QString& path) {
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return u"файл не найден"_s;
    if (S_ISDIR(st.st_mode))
        return u"это папка, а не файл"_s;
    if (!S_ISREG(st.st_mode))
        return u"это не обычный файл (канал, устройство или сокет)"_s;
    return {};
}

struct ReadConfig {
    QString text;
    CheckedFile form;
};

std::optional<ReadConfig> readConfig(const QString& path, QTextStream& err) {
    QString why = unreadableKind(path);
    textfile::ReadResult read;
    if (why.isEmpty()) {
        read = textfile::readConsoleText(path);
        if (!read.ok())
            why = read.reason.isEmpty() ? u"не удалось прочитать"_s : read.reason;
    }
    if (!why.isEmpty()) {
        err << u"tessera: %1: %2"_s.arg(QDir::toNativeSeparators(path), why) << '\n';
        return std::nullopt;
    }
    return ReadConfig{read.text,
                      {read.form.encoding == textfile::Encoding::Utf8 ? console::Bytes::Utf8
                                                                      : console::Bytes::Single,
                       read.form.lineBreak == textfile::LineBreak::CrLf, path}};
}

// Where each line of a text begins.
QList<int> lineStarts(QStringView text) {
    QList<int> starts{0};
    for (qsizetype i = 0; i < text.size(); ++i)
        if (text[i] == u'\n')
            starts.append(int(i) + 1);
    return starts;
}

QString jsonLine(const QJsonObject& object) {
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

int check(const QString& path, const QString& gameDir, Format format, const Vocabulary& words,
          GameFolderAliases& folder, QTextStream& out, QTextStream& err) {
    const std::optional<ReadConfig> config = readConfig(path, err);
    if (!config)
        return kExitUnreadable;
    const ConfigReport report =
        checkConfigReport(config->text, words, gameDir.isEmpty() ? gameFolderOf(path) : gameDir,
                          config->form, &folder);
    const QList<int> starts = lineStarts(config->text);
    int status = kExitClean;
    for (qsizetype i = 0; i < report.size(); ++i) {
        const int line = report.line(i);
        const TextSpan word = report.word(i);
        const int column = word.length > 0 ? word.start - starts.value(line) + 1 : 1;
        const bool warning = report.kind(i) == ConfigFinding::Kind::Warning;
        if (warning)
            status = kExitWarnings;
        const QString id = report.id(i);
        if (format == Format::Json) {
            out << jsonLine({{u"file"_s, path},
                             {u"line"_s, line + 1},
                             {u"column"_s, column},
                             {u"severity"_s, warning ? u"warning"_s : u"note"_s},
                             {u"id"_s, id},
                             {u"message"_s, report.message(i)}})
                << '\n';
        } else {
            out << u"%1:%2:%3: %4: %5 [%6]"_s.arg(path).arg(line + 1).arg(column).arg(
                       warning ? u"warning"_s : u"note"_s, report.message(i), id)
                << '\n';
        }
    }
    return status;
}

// A word as a command writes it, so that the printed line reads back as the game read it.
QString written(QStringView word) {
    return commandValueText(word.toString(), true);
}

int listCommands(const QString& path, Format format, QTextStream& out, QTextStream& err) {
    const std::optional<ReadConfig> config = readConfig(path, err);
    if (!config)
        return kExitUnreadable;
    const QString& text = config->text;
    const QList<int> starts = lineStarts(text);
    int line = 0;
    for (int pos = 0; pos <= text.size();) {
        QStringList words;
        int first = -1;
        const CommandReading r =
            readCommand(text, pos, config->form.bytes, [&](const CommandWord& w) {
                if (first < 0)
                    first = w.start;
                words.append(text.mid(w.textStart(), w.textLength()));
            });
        if (first >= 0) {
            while (line + 1 < starts.size() && starts[line + 1] <= first)
                ++line;
            const int column = first - starts[line] + 1;
            if (format == Format::Json) {
                out << jsonLine({{u"file"_s, path},
                                 {u"line"_s, line + 1},
                                 {u"column"_s, column},
                                 {u"words"_s, QJsonArray::fromStringList(words)}})
                    << '\n';
            } else {
                QStringList shown;
                for (const QString& w : std::as_const(words))
                    shown.append(written(w));
                out << u"%1:%2:%3: %4"_s.arg(path).arg(line + 1).arg(column).arg(shown.join(u' '))
                    << '\n';
            }
        }
        pos = r.stop + 1;
    }
    return kExitClean;
}

QJsonArray lineNumbers(const QList<int>& lines) {
    QJsonArray numbers;
    for (const int l : lines)
        numbers.append(l + 1);
    return numbers;
}

QString linesText(const QList<int>& lines) {
    QStringList numbers;
    for (const int l : lines)
        numbers.append(QString::number(l + 1));
    return numbers.join(u", "_s);
}

int listKeys(const QString& path, const QString& gameDir, Format format, const Vocabulary& words,
             QTextStream& out, QTextStream& err) {
    const std::optional<ReadConfig> config = readConfig(path, err);
    if (!config)
        return kExitUnreadable;
    BindingLines lines;
    lines.setText(config->text);
    // The rest of the game's config set, as the keyboard map takes it: a key bound to a script
    // in autoexec.cfg shows what the script runs, a bind a later file undoes what that does.
    const ConfigSetKeys set = configSetKeys(runForDocument(
        gameDir.isEmpty() ? gameFolderOf(path) : gameDir, path, config->text, words));
    const KeyMapResult map = resolveKeyMap(lines, {}, set.aliases, set.binds);
    QStringList keys = map.keys.keys();
    keys.sort(Qt::CaseInsensitive);
    int status = kExitClean;
    for (const QString& key : std::as_const(keys)) {
        const KeyBinding& b = map.keys[key];
        if (b.lines.isEmpty())
            continue;
        if (b.conflict)
            status = kExitWarnings;
        if (format == Format::Json) {
            out << jsonLine({{u"file"_s, path},
                             {u"key"_s, key},
                             {u"lines"_s, lineNumbers(b.lines)},
                             {u"command"_s, b.command},
                             {u"runs"_s, QJsonArray::fromStringList(b.pressed)},
                             {u"conflict"_s, b.conflict}})
                << '\n';
            continue;
        }
        QString shown = u"%1:%2: %3: %4"_s.arg(path).arg(b.lines.last() + 1).arg(key, b.command);
        if (!b.pressed.isEmpty() && b.pressed != QStringList{b.command})
            shown += u" → "_s + b.pressed.join(u"; "_s);
        if (b.conflict)
            shown += u" [назначена несколько раз: строки %1]"_s.arg(linesText(b.lines));
        out << shown << '\n';
    }
    for (const UnknownKeyName& unknown : map.unknown) {
        status = kExitWarnings;
        out << u"%1:%2: «%3»: игра не знает такой клавиши"_s.arg(path)
                   .arg(unknown.lines.value(0) + 1)
                   .arg(unknown.name)
            << '\n';
    }
    return status;
}

QString versionLine(int number, const FileVersion& v, const QStringList& older,
                    const QStringList& lines) {
    const DiffCounts c = countChanges(diffLines(older, lines));
    return u"%1  %2  %3  %4 байт  +%5 -%6"_s.arg(number, 3)
        .arg(v.time().toString(u"dd.MM.yyyy HH:mm:ss"_s))
        .arg(versionSourceName(v.source), -14)
        .arg(v.size, 8)
        .arg(c.added)
        .arg(c.removed);
}

QStringList linesOf(const QByteArray& bytes) {
    return textLines(textfile::decodeText(bytes, textfile::detectForm(bytes)));
}

// `--history FILE`: the versions the store keeps of the file, the newest first, numbered as
// `--diff` takes them.
int listHistory(const VersionStore& store, const QString& path, QTextStream& out) {
    const QList<FileVersion> versions = store.versions(path);
    out << QFileInfo(path).absoluteFilePath() << '\n';
    if (versions.isEmpty()) {
        out << u"  версий нет\n"_s;
        return kExitClean;
    }
    QList<QStringList> lines;
    for (const FileVersion& v : versions)
        lines.append(linesOf(store.bytesOf(v).bytes));
    for (qsizetype i = 0; i < versions.size(); ++i)
        out << versionLine(int(i + 1), versions[i],
                           i + 1 < lines.size() ? lines[i + 1] : QStringList(), lines[i])
            << (versions[i].inStore() ? QString() : u"  "_s + versions[i].file) << '\n';
    return kExitClean;
}

// `--diff FILE [VERSION]`: the file now against a version, in unified form; as diff, 1 when they
// differ.
int printDiff(const VersionStore& store, const QString& path, int number, QTextStream& out,
              QTextStream& err) {
    const QList<FileVersion> versions = store.versions(path);
    const textfile::BytesResult now = textfile::readBytes(path);
    const QStringList current = now.ok() ? linesOf(now.bytes) : QStringList();
    if (number > versions.size() || number < 0) {
        err << path << u": нет версии "_s << number << u" (версий: "_s << versions.size()
            << u")\n"_s;
        return kExitUnreadable;
    }
    for (qsizetype i = number > 0 ? number - 1 : 0; i < versions.size(); ++i) {
        const textfile::BytesResult bytes = store.bytesOf(versions[i]);
        if (!bytes.ok()) {
            err << textfile::describeFailure(versions[i].file, bytes.reason) << '\n';
            return kExitUnreadable;
        }
        if (number == 0 && now.ok() && bytes.bytes == now.bytes)
            continue;
        const QString diff =
            unifiedDiff(diffLines(linesOf(bytes.bytes), current),
                        path + u" (версия %1 от %2)"_s.arg(i + 1).arg(
                                   versions[i].time().toString(u"dd.MM.yyyy HH:mm:ss"_s)),
                        path);
        out << diff;
        return diff.isEmpty() ? kExitClean : kExitWarnings;
    }
    return kExitClean;
}

} // namespace

namespace {

// Every option the program knows. A new form of the tool is one more row here and one more
// case where its mode is run.
enum class OptionKind {
    Mode,       // chooses the tool's form
    Value,      // takes the next argument (or `=VALUE`)
    EditorFlag, // an option of the editor's start, not of the tool
};
struct KnownOption {
    QStringView name;
    OptionKind kind;
    Mode mode = Mode::Check; // for a Mode row
};
constexpr KnownOption kKnownOptions[] = {
    {u"--check", OptionKind::Mode, Mode::Check},
    {u"--commands", OptionKind::Mode, Mode::Commands},
    {u"--keys", OptionKind::Mode, Mode::Keys},
    {u"--effective", OptionKind::Mode, Mode::Effective},
    {u"--history", OptionKind::Mode, Mode::History},
    {u"--diff", OptionKind::Mode, Mode::Diff},
    {u"--help", OptionKind::Mode, Mode::Help},
    {u"-h", OptionKind::Mode, Mode::Help},
    {u"--game", OptionKind::Value},
    {u"--format", OptionKind::Value},
    {u"--self-test", OptionKind::EditorFlag},
    {u"--exit-when-idle", OptionKind::EditorFlag},
};

// The row of an option, `--name=value` looked up by its name.
const KnownOption* knownOption(QStringView argument) {
    const qsizetype equals = argument.startsWith(u"--") ? argument.indexOf(u'=') : -1;
    const QStringView name = equals > 0 ? argument.left(equals) : argument;
    for (const KnownOption& o : kKnownOptions)
        if (o.name == name)
            return &o;
    return nullptr;
}

bool looksLikeOption(QStringView argument) {
    return argument.startsWith(u"--") && argument != u"--";
}

} // namespace

bool wantsCommandLineTool(const QStringList& arguments) {
    for (const QString& a : arguments) {
        if (a == u"--"_s)
            return false;
        if (a == u"-h"_s)
            return true;
        if (!looksLikeOption(a))
            continue;
        // An option the program does not know is the tool's to refuse: the editor must not
        // open on a mistyped `--check`.
        const KnownOption* o = knownOption(a);
        if (!o || o->kind != OptionKind::EditorFlag)
            return true;
    }
    return false;
}

std::optional<CommandLineRequest> parseCommandLine(const QStringList& arguments, QString* error) {
    CommandLineRequest request;
    const auto fail = [&](const QString& why) {
        if (error)
            *error = why;
        return std::nullopt;
    };
    bool modeGiven = false;
    bool filesOnly = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments.at(i);
        if (filesOnly || !(looksLikeOption(a) || a == u"-h"_s)) {
            if (!filesOnly && a == u"--"_s)
                filesOnly = true;
            else
                request.files.append(a);
            continue;
        }
        const KnownOption* o = knownOption(a);
        if (!o)
            return fail(u"неизвестный ключ «%1»"_s.arg(a));
        switch (o->kind) {
        case OptionKind::EditorFlag:
            return fail(u"ключ «%1» — для запуска редактора, не для проверки"_s.arg(a));
        case OptionKind::Mode:
            if (a.contains(u'='))
                return fail(u"ключ «%1» не принимает значения"_s.arg(o->name.toString()));
            request.mode = o->mode;
            modeGiven = true;
            break;
        case OptionKind::Value: {
            const qsizetype equals = a.indexOf(u'=');
            QString value;
            if (equals > 0)
                value = a.mid(equals + 1);
            else if (i + 1 < arguments.size())
                value = arguments.at(++i);
            else
                return fail(u"после %1 нужно значение"_s.arg(a));
            if (o->name == u"--game") {
                if (!QFileInfo(value).isDir())
                    return fail(u"папка игры «%1» не найдена"_s.arg(value));
                request.gameDir = value;
            } else if (value == u"gcc"_s) {
                request.format = Format::Gcc;
            } else if (value == u"json"_s) {
                request.format = Format::Json;
            } else {
                return fail(u"неизвестный формат «%1»: есть gcc и json"_s.arg(value));
            }
            break;
        }
        }
    }
    if (!modeGiven)
        return fail(u"не указано, что делать: --check, --commands, --keys, --effective, "
                    u"--history или --diff"_s);
    if (request.mode == Mode::Effective && request.files.isEmpty() && request.gameDir.isEmpty())
        return fail(u"для --effective нужна папка игры (--game) или файл"_s);
    if (request.mode != Mode::Help && request.mode != Mode::Effective && request.files.isEmpty())
        return fail(u"не указан ни один файл"_s);
    if (request.mode == Mode::Diff && request.files.size() == 2) {
        bool number = false;
        request.version = request.files.takeLast().toInt(&number);
        if (!number || request.version < 1)
            return fail(u"номер версии — число от 1 (как его показывает --history)"_s);
    }
    if ((request.mode == Mode::History || request.mode == Mode::Diff) && request.files.size() > 1)
        return fail(u"%1 берёт один файл"_s.arg(request.mode == Mode::History ? u"--history"_s
                                                                              : u"--diff"_s));
    return request;
}

QString commandLineUsage() {
    return u"Использование:\n"
           u"  tessera [ФАЙЛ]                      открыть конфиг в редакторе\n"
           u"  tessera --check [--game ПАПКА] [--format gcc|json] ФАЙЛ...\n"
           u"      проверить конфиги, как «Проверить конфиг» (F7): одна находка в строке,\n"
           u"      ФАЙЛ:СТРОКА:СТОЛБЕЦ: warning|note: сообщение [код]\n"
           u"  tessera --commands [--format gcc|json] ФАЙЛ...\n"
           u"      каждая команда так, как её прочтёт игра: строка, столбец, слова\n"
           u"  tessera --keys [--game ПАПКА] [--format gcc|json] ФАЙЛ...\n"
           u"      каждая назначенная клавиша, её команды и повторные назначения\n"
           u"  tessera --effective [--game ПАПКА] [--format gcc|json] [ФАЙЛ...]\n"
           u"      что останется в игре после запуска: каждая переменная, клавиша, алиас и\n"
           u"      setinfo с итоговым значением, строкой, где оно задано, и строками, которые\n"
           u"      оно перекрывает; ФАЙЛ встаёт на место одноимённого файла набора\n"
           u"  tessera --history ФАЙЛ\n"
           u"      версии файла, которые хранит программа: номер, время, кто записал,\n"
           u"      размер, строк добавлено и убрано\n"
           u"  tessera --diff ФАЙЛ [ВЕРСИЯ]\n"
           u"      разница между версией (номер из --history; без него — последняя,\n"
           u"      что отличается) и файлом сейчас, в виде unified diff\n"
           u"  tessera --help                      эта справка\n"
           u"\n"
           u"--game ПАПКА  папка мода (cstrike), из которой читаются алиасы и файлы exec\n"
           u"              (у --keys — алиасы config.cfg, autoexec.cfg и того, что они exec);\n"
           u"              без него — ближайшая папка над файлом, где есть liblist.gam.\n"
           u"Код выхода: 0 — предупреждений нет, 1 — есть предупреждения,\n"
           u"2 — файл не удалось прочитать или ключи запуска неверны.\n"_s;
}

int runCommandLineTool(const CommandLineRequest& request, const Vocabulary& words, QTextStream& out,
                       QTextStream& err) {
    if (request.mode == Mode::Help) {
        out << commandLineUsage();
        return kExitClean;
    }
    if (request.mode == Mode::Effective) {
        const QString gameDir =
            request.gameDir.isEmpty() ? gameFolderOf(request.files.first()) : request.gameDir;
        bool ok = true;
        const configrun::Options options = effectiveOptions(gameDir, request.files, err, ok);
        const int status =
            listEffective(configrun::run(options, words), request.format == Format::Json, out)
                ? kExitWarnings
                : kExitClean;
        out.flush();
        err.flush();
        return ok ? status : kExitUnreadable;
    }
    int status = kExitClean;
    // The game folder's own configs are read once for all the files checked in it.
    GameFolderAliases folder;
    for (const QString& file : request.files) {
        int result = kExitClean;
        switch (request.mode) {
        case Mode::Check:
            result = check(file, request.gameDir, request.format, words, folder, out, err);
            break;
        case Mode::Commands:
            result = listCommands(file, request.format, out, err);
            break;
        case Mode::Keys:
            result = listKeys(file, request.gameDir, request.format, words, out, err);
            break;
        case Mode::History:
            result = listHistory(request.versions, file, out);
            break;
        case Mode::Diff:
            result = printDiff(request.versions, file, request.version, out, err);
            break;
        case Mode::Effective:
        case Mode::Help:
            break;
        }
        status = std::max(status, result);
        out.flush();
        err.flush();
    }
    return status;
}

QString gameFolderOf(const QString& configPath) {
    const QDir own = QFileInfo(configPath).absoluteDir();
    for (QDir dir = own;;) {
        if (QFileInfo::exists(dir.filePath(u"liblist.gam"_s)))
            return dir.absolutePath();
        if (!dir.cdUp())
            return own.absolutePath();
    }
}
