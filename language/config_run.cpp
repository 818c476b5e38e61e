// Running the config set as the engine's command buffer runs it.
#include "language/config_run.h"

#include "language/config_run_values.h"
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
#include <deque>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace configrun {

namespace {

// The engine's command buffer (cmd.cpp: MAX_CMD_BUFFER).
constexpr int kBufferBytes = 16384;
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

using Words = QVarLengthArray<QStringView, 8>;

// A stretch of text in the buffer: a file, a piece of one, an alias body or text the engine
// added. The buffer's front is the list's back.
struct Segment {
    QString text;
    // A file's text, held by the run until its end: pointed to rather than shared, as a big
    // file goes through the buffer a line at a time.
    const QString* held = nullptr;
    const QString& body() const { return held ? *held : text; }
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
    Runner(const Options& options, const Vocabulary& words)
        : m_options(options), m_values(words),
          m_gameDirKnown(configset::gameDirKnown(options.gameDir)),
          m_gameDir(m_gameDirKnown ? QDir(QFileInfo(options.gameDir).absoluteFilePath())
                                   : QDir()),
          m_files(options.gameDir) {
        m_buffer.reserve(64);
    }

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
    bool insert(QString text, console::Bytes bytes, Place place, int size = -1) {
        if (size < 0)
            size = bytesOf(text, bytes);
        if (bufferBytes() + size >= kBufferBytes)
            return false;
        push(std::move(text), bytes, place, false, size);
        return true;
    }
    // Cbuf_InsertTextLines: a file's text between two line breaks (the first is an empty
    // command, gone at once; the second ends the text's last command).
    // A piece of a file is the stretch [from, to) of its text, which it shares.
    bool insertLines(const FileText& file, Place place, int from = 0, int to = -1) {
        const QString& text = file.text;
        if (to < 0)
            to = int(text.size());
        const int size = bytesOf(QStringView(text).mid(from, to - from), file.bytes);
        if (bufferBytes() + size + 2 >= kBufferBytes)
            return false;
        push(QString(), file.bytes, place, true, size + 1);
        Segment& s = m_buffer.back();
        s.held = &text;
        s.closing = 1;
        s.pos = from;
        s.end = to;
        return true;
    }
    void push(QString text, console::Bytes bytes, Place place, bool fileText, int size) {
        dropReadTexts();
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

    // Texts read to their end stay in the list until a command finds them there; once no byte
    // is left they all go (a file run line by line leaves one behind for each of its lines).
    void dropReadTexts() {
        if (m_size == 0)
            m_buffer.clear();
    }

    // Cbuf_AddText: at the end.
    void append(const QString& text) {
        dropReadTexts();
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
            // Stays valid while commands insert text: a file's is held by the run, any other
            // shared here.
            const QString shared = s.held ? QString() : s.text;
            const QString& held = s.held ? *s.held : shared;
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
            // A line break always ends a command: only the consumed text's last character
            // can be one.
            if (next > r.stop && r.stop < text.size() && text[r.stop] == u'\n')
                ++s.line;
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
            execute(words, held, place);
            if (m_wait) {
                // The rest waits for the next frame (or, inside an exec run line by line, for
                // that exec's next line).
                m_wait = false;
                return;
            }
        }
    }

    // --- commands -------------------------------------------------------------------------------

    void execute(const Words& words, const QString& held, const Place& place) {
        Slot& command = m_values.slot(words.front());
        const int argc = int(words.size());
        switch (command.dispatch) {
        case Dispatch::Exec:
            if (argc == 2)
                exec(words.at(1).toString(), place);
            break;
        case Dispatch::Alias:
            if (argc >= 2)
                defineAlias(words, held, place);
            break;
        case Dispatch::Bind:
            if (argc >= 3)
                bind(words, held, place);
            break;
        case Dispatch::Unbind:
            if (argc == 2)
                if (const int key = m_values.key(words.at(1)); key >= 0)
                    m_values.setKey(key, QString(), {}, place, true);
            break;
        case Dispatch::UnbindAll:
            for (Value& key : m_values.values(Kind::Key))
                if (!key.cleared)
                    RunValues::assign(key, QString(), {}, place, true);
            break;
        case Dispatch::SetInfo:
            // Info_SetValueForKey only for exactly a key and a value; keys keep their case.
            if (argc == 3)
                m_values.setInfo(words.at(1), held, words.at(2), place);
            break;
        case Dispatch::Wait:
            m_wait = true;
            break;
        case Dispatch::StuffCmds:
            if (argc == 1)
                stuffCommandLine(place);
            break;
        case Dispatch::BuiltIn:
            break;
        case Dispatch::ByName:
            if (command.alias >= 0)
                callAlias(m_values.values(Kind::Alias)[size_t(command.alias)], place);
            else if (command.variable && argc >= 2)
                m_values.setVariable(command, held, words.at(1), place);
            break;
        }
    }

    // Cbuf_InsertText(a->value): the body and its line break, in front of what is left.
    void callAlias(Value& alias, const Place& place) {
        if (alias.stored.isEmpty()) {
            // Cmd_Alias_f kept each word after the name followed by a blank, and a line break.
            alias.stored = alias.bodyWords ? alias.value.toString() + u" \n"_s : u"\n"_s;
            alias.storedBytes = bytesOf(alias.stored, alias.bytes);
        }
        if (insert(alias.stored, alias.bytes, place, alias.storedBytes))
            m_buffer.back().alias = alias.name;
        else
            note(place, u"Алиас «%1» не помещается в очередь команд игры (16 384 байта): "
                        u"игра его не выполнит"_s.arg(alias.name));
    }

    void stop(const Place& place, const QString& alias) {
        note(place, alias.isEmpty() ? u"Файлы выполняют друг друга по кругу (exec): игра "
                                      u"зависнет или упадёт при запуске"_s
                                    : u"Алиас «%1» вызывает себя без wait: игра зависнет при "
                                      u"запуске"_s.arg(alias));
        m_stopped = true;
    }

    void defineAlias(const Words& words, const QString& held, const Place& place) {
        if (console::byteLength(words.at(1), console::Bytes::Single) >= console::kAliasNameBytes + 1)
            return;
        Slot& alias = m_values.slot(words.at(1));
        if (alias.refusedAsAlias)
            return;
        // Cmd_Alias_f keeps each word after the name followed by a blank, cut to the console's
        // line; the value shown leaves the last blank out. One word (the usual quoted body) is
        // shown as it stands in the text.
        QString text = held;
        QStringView shown;
        if (words.size() == 3) {
            shown = words.at(2).left(std::max(0, console::kAliasBodyBytes));
        } else {
            QString stored;
            for (qsizetype i = 2; i < words.size(); ++i) {
                stored +=
                    words.at(i).left(std::max(0, console::kAliasBodyBytes - int(stored.size())));
                stored += u' ';
            }
            stored.chop(stored.isEmpty() ? 0 : 1);
            text = stored;
            shown = text;
        }
        Value& v = m_values.defineAlias(alias, text, shown, place);
        v.bodyWords = words.size() > 2;
        v.bytes = m_bytes;
    }

    void bind(const Words& words, const QString& held, const Place& place) {
        const int key = m_values.key(words.at(1));
        if (key < 0)
            return;
        // Key_Bind_f binds Escape to cancelselect whatever it is given.
        static const QString escape = canonicalKeyName(u"escape");
        static const QString cancelSelect = u"cancelselect"_s;
        if (m_values.keyName(key) == escape) {
            m_values.setKey(key, cancelSelect, cancelSelect, place);
        } else if (words.size() == 3) {
            m_values.setKey(key, held, words.at(2), place);
        } else {
            QString command;
            for (qsizetype i = 2; i < words.size(); ++i) {
                if (i > 2)
                    command += u' ';
                command += words.at(i);
            }
            m_values.setKey(key, command, command, place);
        }
    }

    void bindForced() {
        if (m_forcedBound)
            return;
        m_forcedBound = true;
        const Place engine;
        const QString toggle = u"toggleconsole"_s, cancel = u"cancelselect"_s;
        if (m_options.steam) {
            m_values.setKey(m_values.key(u"~"), toggle, toggle, engine);
            m_values.setKey(m_values.key(u"`"), toggle, toggle, engine);
        }
        m_values.setKey(m_values.key(u"escape"), cancel, cancel, engine);
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
        const FileText* text = read(name, place, file);
        if (!text)
            return;
        const Place start{file, 0};
        const int bytes = bytesOf(text->text, text->bytes);
        if (bufferBytes() + bytes + 2 < kBufferBytes) {
            insertLines(*text, start);
            return;
        }
        // Too long for the buffer: everything left runs first, then each line on its own.
        if (m_lineByLineDepth >= kMaxLineByLineDepth) {
            stop(place, QString());
            return;
        }
        ++m_lineByLineDepth;
        LineByLine cut(text->text);
        for (Piece piece; cut.next(piece);) {
            runFrame();
            if (m_stopped)
                break;
            if (!insertLines(*text, {file, piece.line}, piece.start, piece.start + piece.length))
                note({file, piece.line},
                     u"Строка не помещается в очередь команд игры (16 384 байта): игра её "
                     u"пропустит"_s);
        }
        --m_lineByLineDepth;
    }

    // The file's text, held until the run ends; nullptr when there is none.
    const FileText* read(const QString& name, const Place& from, int& file) {
        ChainFile entry;
        entry.name = name;
        entry.parent = from.file;
        entry.execLine = from.line;
        const FileText* text = nullptr;
        if (const auto standIn = m_options.standIns.constFind(name);
            standIn != m_options.standIns.constEnd()) {
            text = hold(name, *standIn);
            entry.shown = standIn->shown.isEmpty() ? name : standIn->shown;
        } else if (const auto known = m_read.constFind(name); known != m_read.constEnd()) {
            text = *known;
        } else if (const QString path =
                       m_gameDirKnown ? m_files.find(name) : QString();
                   !path.isEmpty()) {
            entry.path = path;
            entry.shown = shownName(path, name);
            const textfile::ReadResult r = textfile::readEditableText(path);
            if (r.ok())
                text = hold(name, FileText{r.text,
                                           r.form.encoding == textfile::Encoding::Utf8
                                               ? console::Bytes::Utf8
                                               : console::Bytes::Single,
                                           entry.shown});
            else
                m_read.insert(name, nullptr);
        } else if (name == u"valve.rc") {
            entry.shown = name;
            entry.standard = true;
            text = hold(name, FileText{kStandardRc.toString(), console::Bytes::Single, name});
        } else {
            entry.shown = name;
        }
        entry.missing = !text;
        if (text && !m_counted.contains(name)) {
            m_counted.insert(name);
            m_textChars += text->text.size();
        }
        if (text && name == m_options.watch && m_watched < 0) {
            // The watched file starts here (its index is the one this read appends or finds).
            m_beforeWatched = m_values.snapshot();
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
        const QString relative = m_gameDir.relativeFilePath(QFileInfo(path).absoluteFilePath());
        if (relative.isEmpty())
            return name;
        return relative.count(u"../"_s) <= 1 && !QFileInfo(relative).isAbsolute() ? relative : path;
    }

    // --- values ---------------------------------------------------------------------------------

    void note(const Place& place, const QString& text) { m_notes.append({place, text}); }

    Result finish() {
        Result result;
        result.chain = m_chain;
        result.notes = m_notes;
        result.watched = m_watched;
        result.beforeWatched = m_beforeWatched;
        result.finals = m_values.finals();
        for (const Final& f : result.finals)
            if (f.place.file >= 0 && !f.cleared)
                ++result.chain[f.place.file].decides;
        return result;
    }

    const Options& m_options;
    std::vector<Segment> m_buffer;
    int m_size = 0; // bytes in the buffer
    RunValues m_values;
    bool m_gameDirKnown = false;
    QDir m_gameDir; // absolute, when known
    QList<ChainFile> m_chain;
    QList<Note> m_notes;
    console::Bytes m_bytes = console::Bytes::Single; // of the command being run
    qint64 m_commands = 0;  // run so far
    qint64 m_textChars = 0; // of the files read, each once
    QSet<QString> m_counted;
    int m_lineByLineDepth = 0;
    int m_watched = -1;
    bool m_watchPending = false;
    QHash<QString, Place> m_beforeWatched;
    // Each file is read once and held until the end (nullptr: it could not be read).
    const FileText* hold(const QString& name, FileText text) {
        m_texts.push_back(std::move(text));
        m_read.insert(name, &m_texts.back());
        return &m_texts.back();
    }
    QHash<QString, const FileText*> m_read;
    std::deque<FileText> m_texts;
    configset::GameFiles m_files;
    bool m_wait = false;
    bool m_forcedBound = false;
    bool m_stopped = false;
};

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

} // namespace configrun
