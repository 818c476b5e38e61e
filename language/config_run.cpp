// Running the config set as the engine's command buffer runs it.
#include "language/config_run.h"

#include "language/config_set.h"
#include "language/key_names.h"
#include "language/vocabulary.h"
#include "platform/log_categories.h"
#include "platform/program_paths.h"
#include "platform/text_file.h"

#include <QDir>
#include <QSet>
#include <QVarLengthArray>
#include <QFileInfo>
#include <algorithm>
#include <array>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace configrun {

namespace {

// The engine's command buffer (cmd.cpp: MAX_CMD_BUFFER).
constexpr int kBufferBytes = 16384;
// COM_ParseLine's token: a line of a file run line by line keeps this many characters.
constexpr int kLineTokenChars = 1023;
// A run that never empties its buffer: an alias that calls itself without "wait" hangs the game,
// files that exec each other in a circle hang or crash it, and one with "wait" runs again every
// frame. Past these the run stops and says so. A long config runs each of its commands once: the
// commands allowed grow with the text of the files read (each once).
constexpr qint64 kMaxCommands = 100000;
constexpr int kMaxFrames = 2000;
// Each file run line by line runs the buffer from inside its exec; files that do so in a circle
// nest without end, and the game's stack runs out.
constexpr int kMaxLineByLineDepth = 48;
// The valve.rc the game ships, for an installation without one.
constexpr QStringView kStandardRc = u"exec autoexec.cfg\nstuffcmds\n";
// Names the Steam engine refuses as alias names in Counter-Strike (Cmd_Alias_f).
constexpr QStringView kRefusedAliasNames[] = {u"cl_autobuy", u"cl_rebuy", u"gl_ztrick",
                                               u"gl_ztrick_old", u"gl_d3dflip"};

quint64 placeId(const Place& p) {
    return (quint64(quint32(p.file)) << 32) | quint32(p.line);
}

QString keyOf(Kind kind, const QString& name) {
    return QString(QChar(u'0' + int(kind))) + name;
}

using Words = QVarLengthArray<QStringView, 8>;

// A stretch of text in the buffer: a file, a piece of one, an alias body or text the engine
// added. The buffer's front is the list's back.
struct Segment {
    QString text;
    int pos = 0;
    int end = 0;       // the text read ends here (a piece of a file stops before the file's end)
    int line = 0;      // of `pos`, counted in the text
    console::Bytes bytes = console::Bytes::Single;
    int size = 0;      // bytes still in the buffer, the closing line break included
    Place place;       // for a file's text: the file and its first line; otherwise where it ran
    bool fileText = false;
    QString alias;     // an alias body: the alias
    int closing = 0;   // the line break the engine added after the text, while unread
};

} // namespace

class Runner {
public:
    Runner(const Options& options, const Vocabulary& words) : m_options(options), m_words(words) {}

    Result run() {
        // Host_Init: Cbuf_InsertText("exec valve.rc\n").
        insert(u"exec valve.rc\n"_s, console::Bytes::Single, {});
        // ForceReloadProfile: Cbuf_AddText("exec config.cfg\n"), Cbuf_AddText("+mlook\n"),
        // Cbuf_Execute(), then the console keys and Escape bound.
        append(u"exec config.cfg\n"_s);
        if (m_options.steam)
            append(u"+mlook\n"_s);
        runFrame();
        bindForced();
        int frames = 0;
        while (m_size > 0 && !m_stopped) {
            if (++frames > kMaxFrames) {
                note(m_buffer.back().place,
                     u"Сценарий с wait повторяется каждый кадр и держит очередь команд: "
                     u"команды после него при запуске не выполнятся"_s);
                break;
            }
            runFrame();
        }
        return finish();
    }

private:
    // --- the buffer ---------------------------------------------------------------------------

    int bufferBytes() const { return m_size; }

    static int bytesOf(QStringView text, console::Bytes bytes) {
        return console::byteLength(text, bytes);
    }

    // Cbuf_InsertText: in front of what is left, or dropped when it does not fit.
    bool insert(QString text, console::Bytes bytes, Place place) {
        const int size = bytesOf(text, bytes);
        if (bufferBytes() + size >= kBufferBytes)
            return false;
        push(std::move(text), bytes, place, false, size);
        return true;
    }
    // Cbuf_InsertTextLines: a file's text between two line breaks (the first is an empty
    // command, gone at once; the second ends the text's last command).
    // A piece of a file is the stretch [from, to) of its text, which it shares.
    bool insertLines(const QString& text, console::Bytes bytes, Place place, int from = 0,
                     int to = -1) {
        if (to < 0)
            to = int(text.size());
        const int size = bytesOf(QStringView(text).mid(from, to - from), bytes);
        if (bufferBytes() + size + 2 >= kBufferBytes)
            return false;
        push(text, bytes, place, true, size + 1);
        Segment& s = m_buffer.back();
        s.closing = 1;
        s.pos = from;
        s.end = to;
        return true;
    }
    void push(QString text, console::Bytes bytes, Place place, bool fileText, int size) {
        Segment s;
        s.end = int(text.size());
        s.text = std::move(text);
        s.bytes = bytes;
        s.size = size;
        s.place = place;
        s.line = place.line;
        s.fileText = fileText;
        m_size += size;
        m_buffer.push_back(std::move(s));
    }

    // Cbuf_AddText: at the end.
    void append(const QString& text) {
        Segment s;
        s.text = text;
        s.size = int(text.size());
        s.end = s.size;
        m_size += s.size;
        m_buffer.insert(m_buffer.begin(), std::move(s));
    }

    // Cbuf_Execute: commands from the front until the buffer is empty or a "wait" ran.
    void runFrame() {
        // Empty once no byte is left (a text read to its end may still stand in the list).
        while (m_size > 0 && !m_stopped) {
            Segment& s = m_buffer.back();
            if (s.pos >= s.end) {
                m_size -= s.size;
                m_buffer.pop_back();
                continue;
            }
            const QString held = s.text; // shared, stays valid while commands insert text
            const QStringView text = QStringView(held).first(s.end);
            Words words;
            const CommandReading r = readCommand(text, s.pos, s.bytes, [&](const CommandWord& w) {
                words.append(text.mid(w.textStart(), w.textLength()));
            });
            const int next = std::min(int(text.size()), r.stop + 1);
            const console::Bytes commandBytes = s.bytes;
            const QString running = s.alias;
            Place place = s.place;
            if (s.fileText)
                place.line = s.line;
            const QStringView consumed = text.mid(s.pos, next - s.pos);
            s.line += int(consumed.count(u'\n'));
            int used = bytesOf(consumed, s.bytes);
            if (r.stop >= text.size() && s.closing) {
                // The line break the engine put after a text that has none ends this command.
                used += s.closing;
                s.closing = 0;
            }
            s.size -= used;
            m_size -= used;
            s.pos = next; // a file's closing line break stays until it is read in turn
            if (words.isEmpty())
                continue;
            if (++m_commands > kMaxCommands + 2 * m_textChars) {
                stop(place, running);
                return;
            }
            m_bytes = commandBytes;
            if (m_options.trace) {
                QStringList all;
                for (QStringView w : words)
                    all.append(w.toString());
                m_options.trace(all, place);
            }
            execute(words, place);
            if (m_wait) {
                // The rest waits for the next frame (or, inside an exec run line by line, for
                // that exec's next line).
                m_wait = false;
                return;
            }
        }
    }

    // --- commands -------------------------------------------------------------------------------

    void execute(const Words& words, const Place& place) {
        console::foldName(words.front(), m_name);
        const QString& name = m_name;
        const int argc = int(words.size());
        if (name == QStringView(u"exec")) {
            if (argc == 2)
                exec(words.at(1).toString(), place);
        } else if (name == QStringView(u"alias")) {
            if (argc >= 2)
                defineAlias(words, place);
        } else if (name == QStringView(u"bind")) {
            if (argc >= 3)
                bind(words, place);
        } else if (name == QStringView(u"unbind")) {
            if (argc == 2)
                if (const QString key = canonicalKeyName(words.at(1)); !key.isEmpty())
                    set(Kind::Key, key, QString(), place, true);
        } else if (name == QStringView(u"unbindall")) {
            QHash<QString, Value>& keys = valuesOf(Kind::Key);
            for (auto it = keys.begin(); it != keys.end(); ++it)
                if (!it->cleared)
                    set(Kind::Key, it->name, QString(), place, true);
        } else if (name == QStringView(u"setinfo")) {
            // Info_SetValueForKey only for exactly a key and a value; keys keep their case.
            if (argc == 3)
                set(Kind::UserInfo, words.at(1).toString(), words.at(2).toString(), place);
        } else if (name == QStringView(u"wait")) {
            m_wait = true;
        } else if (name == QStringView(u"stuffcmds")) {
            if (argc == 1)
                stuffCommandLine(place);
        } else if (const WordInfo* known = m_words.find(name); known && known->builtIn) {
            // A command of the engine or client: found before any alias of its name.
        } else if (const auto alias = valuesOf(Kind::Alias).constFind(name);
                   alias != valuesOf(Kind::Alias).constEnd()) {
            // Cbuf_InsertText(a->value): the body and its line break, in front of what is left.
            if (insert(alias->stored, alias->bytes, place))
                m_buffer.back().alias = alias->name;
            else
                note(place, u"Алиас «%1» не помещается в очередь команд игры (16 384 байта): "
                            u"игра его не выполнит"_s.arg(name));
        } else if (known && known->kind == WordKind::Variable) {
            if (argc >= 2)
                set(Kind::Variable, name, words.at(1).toString(), place);
        }
    }

    void stop(const Place& place, const QString& alias) {
        note(place, alias.isEmpty() ? u"Файлы выполняют друг друга по кругу (exec): игра "
                                      u"зависнет или упадёт при запуске"_s
                                    : u"Алиас «%1» вызывает себя без wait: игра зависнет при "
                                      u"запуске"_s.arg(alias));
        m_stopped = true;
    }

    void defineAlias(const Words& words, const Place& place) {
        const QString name = console::foldedName(words.at(1));
        if (console::byteLength(words.at(1), console::Bytes::Single) >= console::kAliasNameBytes + 1)
            return;
        if (m_words.kindOf(name) == WordKind::Variable)
            return;
        for (QStringView refused : kRefusedAliasNames)
            if (name == refused)
                return;
        // Cmd_Alias_f keeps each word after the name followed by a blank, cut to the console's
        // line, and a line break; the value shown leaves the last blank out.
        QString stored;
        for (qsizetype i = 2; i < words.size(); ++i) {
            stored += words.at(i).left(std::max(0, console::kAliasBodyBytes - int(stored.size())));
            stored += u' ';
        }
        QString shown = stored;
        shown.chop(shown.isEmpty() ? 0 : 1);
        stored += u'\n';
        set(Kind::Alias, name, shown, place);
        Value& v = valuesOf(Kind::Alias)[name];
        v.stored = stored;
        v.bytes = m_bytes;
    }

    void bind(const Words& words, const Place& place) {
        const QString key = canonicalKeyName(words.at(1));
        if (key.isEmpty())
            return;
        // Key_Bind_f binds Escape to cancelselect whatever it is given.
        const bool escape = console::foldedName(words.at(1)) == u"escape";
        QString command;
        for (qsizetype i = 2; i < words.size(); ++i) {
            if (i > 2)
                command += u' ';
            command += words.at(i);
        }
        set(Kind::Key, key, escape ? u"cancelselect"_s : command, place);
    }

    void bindForced() {
        if (m_forcedBound)
            return;
        m_forcedBound = true;
        const Place engine;
        if (m_options.steam) {
            set(Kind::Key, canonicalKeyName(u"~"), u"toggleconsole"_s, engine);
            set(Kind::Key, canonicalKeyName(u"`"), u"toggleconsole"_s, engine);
        }
        set(Kind::Key, canonicalKeyName(u"escape"), u"cancelselect"_s, engine);
    }

    // Cmd_StuffCmds_f: each "+" argument and the words after it up to the next "+" or "-".
    void stuffCommandLine(const Place& place) {
        QString commands;
        const QStringList& args = m_options.commandLine;
        for (qsizetype i = 0; i < args.size(); ++i) {
            if (!args.at(i).startsWith(u'+'))
                continue;
            commands += args.at(i).mid(1);
            while (i + 1 < args.size() && !args.at(i + 1).startsWith(u'+') &&
                   !args.at(i + 1).startsWith(u'-'))
                commands += u' ' + args.at(++i);
            commands += u'\n';
        }
        if (!commands.isEmpty())
            insert(commands, console::Bytes::Single, place);
    }

    void exec(const QString& written, const Place& place) {
        // Cmd_Exec_f refuses paths that leave the game's folders and files of other kinds.
        if (written.contains(u'\\') || written.contains(u':') || written.contains(u'~') ||
            written.contains(u"..") || written.startsWith(u'/'))
            return;
        const QString ext = QFileInfo(written).suffix();
        if (ext.compare(u"cfg"_s, Qt::CaseInsensitive) != 0 &&
            ext.compare(u"rc"_s, Qt::CaseInsensitive) != 0)
            return;
        const QString name = execName(written);
        int file = -1;
        const std::optional<FileText> text = read(name, place, file);
        if (!text)
            return;
        const Place start{file, 0};
        const int bytes = bytesOf(text->text, text->bytes);
        if (bufferBytes() + bytes + 2 < kBufferBytes) {
            insertLines(text->text, text->bytes, start);
            return;
        }
        // Too long for the buffer: everything left runs first, then each line on its own.
        if (m_lineByLineDepth >= kMaxLineByLineDepth) {
            stop(place, QString());
            return;
        }
        ++m_lineByLineDepth;
        const QList<Piece> pieces = lineByLinePieces(text->text);
        for (const Piece& piece : pieces) {
            runFrame();
            if (m_stopped)
                break;
            if (!insertLines(text->text, text->bytes, {file, piece.line}, piece.start,
                             piece.start + piece.length))
                note({file, piece.line},
                     u"Строка не помещается в очередь команд игры (16 384 байта): игра её "
                     u"пропустит"_s);
        }
        --m_lineByLineDepth;
    }

    std::optional<FileText> read(const QString& name, const Place& from, int& file) {
        ChainFile entry;
        entry.name = name;
        entry.parent = from.file;
        entry.execLine = from.line;
        std::optional<FileText> text;
        if (const auto standIn = m_options.standIns.constFind(name);
            standIn != m_options.standIns.constEnd()) {
            text = *standIn;
            entry.shown = standIn->shown.isEmpty() ? name : standIn->shown;
        } else if (const auto known = m_read.constFind(name); known != m_read.constEnd()) {
            text = *known;
        } else if (const QString path = configset::gameDirKnown(m_options.gameDir)
                                            ? configset::gameFile(m_options.gameDir, name)
                                            : QString();
                   !path.isEmpty()) {
            entry.path = path;
            entry.shown = shownName(path, name);
            const textfile::ReadResult r = textfile::readEditableText(path);
            if (r.ok())
                text = FileText{r.text,
                                r.form.encoding == textfile::Encoding::Utf8 ? console::Bytes::Utf8
                                                                            : console::Bytes::Single,
                                entry.shown};
            m_read.insert(name, text);
        } else if (name == u"valve.rc") {
            entry.shown = name;
            entry.standard = true;
            text = FileText{kStandardRc.toString(), console::Bytes::Single, name};
        } else {
            entry.shown = name;
        }
        entry.missing = !text.has_value();
        if (text && !m_counted.contains(name)) {
            m_counted.insert(name);
            m_textChars += text->text.size();
        }
        if (text && name == m_options.watch && m_watched < 0) {
            // The watched file starts here (its index is the one this read appends or finds).
            for (const QHash<QString, Value>& values : m_values)
                for (const Value& v : values)
                    if (!v.cleared)
                        m_beforeWatched.insert(keyOf(v.kind, v.name), v.place);
            m_watchPending = true;
        }
        // A file the chain already has (a second exec of it) keeps its first entry.
        file = -1;
        for (qsizetype i = 0; i < m_chain.size() && file < 0; ++i)
            if (m_chain.at(i).name == name && m_chain.at(i).missing == entry.missing)
                file = int(i);
        if (file < 0) {
            file = int(m_chain.size());
            m_chain.append(entry);
        }
        if (m_watchPending) {
            m_watchPending = false;
            m_watched = file;
        }
        return text;
    }

    // Relative to the game folder: "autoexec.cfg", "../valve/valve.rc".
    QString shownName(const QString& path, const QString& name) const {
        const QString relative = QDir(QFileInfo(m_options.gameDir).absoluteFilePath())
                                     .relativeFilePath(QFileInfo(path).absoluteFilePath());
        if (relative.isEmpty())
            return name;
        return relative.count(u"../"_s) <= 1 && !QFileInfo(relative).isAbsolute() ? relative : path;
    }

    // --- values ---------------------------------------------------------------------------------

    struct Value {
        Kind kind;
        QString name;
        QString value;
        bool cleared = false;
        Place place;
        QList<Place> overridden;
        QString stored; // an alias: the text the engine puts in the buffer when it is called
        console::Bytes bytes = console::Bytes::Single; // of the file that defined the alias
    };

    void set(Kind kind, const QString& name, const QString& value, const Place& place,
             bool cleared = false) {
        QHash<QString, Value>& values = valuesOf(kind);
        auto it = values.find(name);
        if (it == values.end()) {
            if (cleared)
                return; // unbinding a key nothing bound changes nothing
            values.insert(name, Value{kind, name, value, false, place, {}, {}, {}});
            return;
        }
        // Each earlier place once, in the order they ran (kept in order here, made distinct at
        // the end: a key bound a thousand times must not cost a thousand looks each time).
        if (it->place != place && (it->overridden.isEmpty() || it->overridden.last() != it->place))
            it->overridden.append(it->place);
        it->value = value;
        it->cleared = cleared;
        it->place = place;
    }

    // The earlier places, each once, the final one left out.
    static QList<Place> distinctOverridden(const Value& v) {
        if (v.overridden.size() == 1 && v.overridden.front() != v.place)
            return v.overridden;
        QList<Place> distinct;
        QSet<quint64> seen{placeId(v.place)};
        for (const Place& p : v.overridden)
            if (!seen.contains(placeId(p))) {
                seen.insert(placeId(p));
                distinct.append(p);
            }
        return distinct;
    }

    void note(const Place& place, const QString& text) { m_notes.append({place, text}); }

    Result finish() {
        Result result;
        result.chain = m_chain;
        result.notes = m_notes;
        result.watched = m_watched;
        result.beforeWatched = m_beforeWatched;
        for (const QHash<QString, Value>& values : m_values)
            for (const Value& v : values)
                result.finals.append(
                    {v.kind, v.name, v.value, v.cleared, v.place, distinctOverridden(v)});
        std::sort(result.finals.begin(), result.finals.end(), [](const Final& a, const Final& b) {
            return a.kind != b.kind ? a.kind < b.kind : a.name < b.name;
        });
        for (qsizetype i = 0; i < result.finals.size(); ++i) {
            const Final& f = result.finals.at(i);
            result.m_index.insert(keyOf(f.kind, f.name), int(i));
            if (f.place.file >= 0 && !f.cleared)
                ++result.chain[f.place.file].decides;
        }
        return result;
    }

    const Options& m_options;
    const Vocabulary& m_words;
    std::vector<Segment> m_buffer;
    int m_size = 0; // bytes in the buffer
    // By kind, then name.
    std::array<QHash<QString, Value>, 4> m_values;
    QHash<QString, Value>& valuesOf(Kind kind) { return m_values[size_t(kind)]; }
    QList<ChainFile> m_chain;
    QList<Note> m_notes;
    console::Bytes m_bytes = console::Bytes::Single; // of the command being run
    qint64 m_commands = 0;  // run so far
    qint64 m_textChars = 0; // of the files read, each once
    QSet<QString> m_counted;
    QString m_name;     // the command being run, folded
    int m_lineByLineDepth = 0;
    int m_watched = -1;
    bool m_watchPending = false;
    QHash<QString, Place> m_beforeWatched;
    QHash<QString, std::optional<FileText>> m_read; // each file is read once
    bool m_wait = false;
    bool m_forcedBound = false;
    bool m_stopped = false;
};

const Final* Result::find(Kind kind, const QString& name) const {
    const auto it = m_index.constFind(keyOf(kind, name));
    return it == m_index.constEnd() ? nullptr : &finals.at(*it);
}

const Place* Result::placeBeforeWatched(Kind kind, const QString& name) const {
    const auto it = beforeWatched.constFind(keyOf(kind, name));
    return it == beforeWatched.constEnd() ? nullptr : &*it;
}

QString Result::fileOf(const Place& place) const {
    return place.file >= 0 && place.file < chain.size() ? chain.at(place.file).shown : QString();
}

QString Result::placeText(const Place& place) const {
    return place.file < 0 ? u"движок"_s : u"%1:%2"_s.arg(fileOf(place)).arg(place.line + 1);
}

Result run(const Options& options, const Vocabulary& words) {
    Result result = Runner(options, words).run();
    if (lcConfigRun().isDebugEnabled()) {
        qCDebug(lcConfigRun) << "ran the set of" << options.gameDir << "-" << result.chain.size()
                             << "files," << result.finals.size() << "final values";
        for (const ChainFile& f : std::as_const(result.chain))
            if (f.missing)
                qCDebug(lcConfigRun) << "exec of a missing file:" << f.shown;
        for (const Note& n : std::as_const(result.notes))
            qCDebug(lcConfigRun).noquote() << result.placeText(n.place) << n.text;
    }
    return result;
}

Result runWithStandIn(const QString& gameDir, const QString& path, const QString& text,
                      console::Bytes bytes, const Vocabulary& words) {
    Options options;
    options.gameDir = gameDir;
    if (!path.isEmpty() && configset::gameDirKnown(gameDir)) {
        options.watch = standInName(gameDir, path, true);
        if (!options.watch.isEmpty())
            options.standIns.insert(options.watch, {text, bytes, {}});
    }
    return run(options, words);
}

QList<DecidedLater> decidedAfterWatched(const Result& run) {
    QList<DecidedLater> later;
    if (run.watched < 0)
        return later;
    for (const Final& f : run.finals) {
        if (f.place.file == run.watched)
            continue;
        const Place* before = run.placeBeforeWatched(f.kind, f.name);
        if (before && *before == f.place)
            continue; // set before the watched file ran, and left alone by it
        DecidedLater d{&f, {}};
        for (const Place& p : f.overridden)
            if (p.file == run.watched)
                d.undoneLines.append(p.line);
        if (!d.undoneLines.isEmpty())
            later.append(d);
    }
    return later;
}

QString execName(QStringView written) {
    return console::foldedName(written).replace(u'\\', u'/');
}

QString standInName(const QString& gameDir, const QString& path, bool inside) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    for (const QString& folder :
         {QFileInfo(gameDir).absoluteFilePath(),
          QFileInfo(QFileInfo(gameDir).absolutePath() + u"/valve"_s).absoluteFilePath()}) {
        if (folder.isEmpty())
            continue;
        const QString relative = QDir(folder).relativeFilePath(absolute);
        if (!relative.startsWith(u"../"_s) && !QFileInfo(relative).isAbsolute())
            return execName(relative);
    }
    return inside ? QString() : execName(QFileInfo(path).fileName());
}

QList<Piece> lineByLinePieces(QStringView text) {
    // COM_ParseLine: the first character as it is, then every character from the blank up to
    // the token's length (a tab, a control character or a non-ASCII byte ends the line: the
    // engine compares a signed char); then every such character but a tab is passed over.
    QList<Piece> pieces;
    const qsizetype size = text.size();
    qsizetype at = 0;
    int line = 0;
    const auto countLines = [&](qsizetype from, qsizetype to) {
        for (qsizetype i = from; i < to; ++i)
            if (text[i] == u'\n')
                ++line;
    };
    while (at < size) {
        const qsizetype start = at;
        const int pieceLine = line;
        ++at;
        while (at < size && at - start < kLineTokenChars) {
            const char16_t c = text[at].unicode();
            if (c < u' ' || c >= 0x80)
                break;
            ++at;
        }
        countLines(start, at);
        pieces.append({int(start), int(at - start), pieceLine});
        const qsizetype skipFrom = at;
        while (at < size) {
            const char16_t c = text[at].unicode();
            if (!((c < u' ' || c >= 0x80) && c != u'\t'))
                break;
            ++at;
        }
        countLines(skipFrom, at);
    }
    return pieces;
}

} // namespace configrun
