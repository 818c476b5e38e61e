// A model of the game's start written straight from the engine's command buffer (cmd.cpp:
// Cbuf_InsertText, Cbuf_InsertTextLines, Cbuf_AddText, Cbuf_Execute, Cmd_Exec_f, Cmd_Alias_f,
// COM_ParseLine; host.cpp and sys_dll.cpp for the start) over bytes, kept apart from the
// program's run of the config set so the two can be held against each other on random sets.
#pragma once

#include "engine_model.h"

#include <QByteArray>
#include <QHash>
#include <QSet>

namespace enginemodel {

struct StartWorld {
    QHash<QByteArray, QByteArray> files; // by lower-case name: what "exec" finds
    QSet<QByteArray> variables;          // lower case
    QSet<QByteArray> commands;           // the engine's own, lower case
    QSet<QByteArray> keys;               // key names, lower case
    int maxFrames = 2000;                // frames after the first, as the program's run stops
};

struct StartState {
    QHash<QByteArray, QByteArray> variables; // lower case name -> value
    QHash<QByteArray, QByteArray> binds;     // lower case key -> command
    QHash<QByteArray, QByteArray> aliases;   // lower case name -> the value as kept, less "\n"
    QHash<QByteArray, QByteArray> userinfo;
};

class StartModel {
public:
    explicit StartModel(const StartWorld& world) : w(world) {}

    StartState run() {
        insertText("exec valve.rc\n");
        addText("exec config.cfg\n");
        addText("+mlook\n");
        execute();
        s.binds["`"] = "toggleconsole";
        s.binds["~"] = "toggleconsole";
        s.binds["escape"] = "cancelselect";
        for (int frame = 0; frame < w.maxFrames && !buf.isEmpty() && !hung; ++frame)
            execute();
        return s;
    }

private:
    static constexpr int kMax = 16384;

    void addText(const QByteArray& t) {
        if (buf.size() + t.size() >= kMax)
            return;
        buf += t;
    }
    void insertText(const QByteArray& t) {
        if (buf.size() + t.size() >= kMax)
            return;
        buf.prepend(t);
    }
    void insertTextLines(const QByteArray& t) {
        if (buf.size() + t.size() + 2 >= kMax)
            return;
        buf.prepend("\n" + t + "\n");
    }

    void execute() {
        while (!buf.isEmpty() && !hung) {
            int quotes = 0;
            qsizetype i = 0;
            for (; i < buf.size(); ++i) {
                if (buf[i] == '"')
                    ++quotes;
                if (!(quotes & 1) && buf[i] == ';')
                    break;
                if (buf[i] == '\n')
                    break;
            }
            if (i > 1023)
                i = 1023;
            const QByteArray line = buf.left(i);
            if (i == buf.size())
                buf.clear();
            else
                buf.remove(0, i + 1);
            const Words words = detail::tokenize(line);
            if (words.isEmpty())
                continue;
            if (++count > 100000 + 2 * textBytes) {
                hung = true;
                return;
            }
            if (trace)
                trace->append(words.join(' '));
            command(words);
            if (wait) {
                wait = false;
                return;
            }
        }
    }

    static QByteArray lower(QByteArray b) { return b.toLower(); }

    void command(const Words& a) {
        const QByteArray name = lower(a[0]);
        const qsizetype argc = a.size();
        if (name == "exec") {
            if (argc == 2)
                exec(a[1]);
        } else if (name == "alias") {
            if (argc < 2)
                return;
            const QByteArray n = lower(a[1]);
            if (a[1].size() >= 32 || w.variables.contains(n))
                return;
            QByteArray v;
            for (qsizetype i = 2; i < argc; ++i) {
                v += a[i].left(std::max<qsizetype>(0, 1022 - v.size()));
                v += ' ';
            }
            s.aliases[n] = v;
        } else if (name == "bind") {
            if (argc < 3 || !w.keys.contains(lower(a[1])))
                return;
            QByteArray v;
            for (qsizetype i = 2; i < argc; ++i)
                v += (i > 2 ? " " : "") + a[i];
            s.binds[lower(a[1])] = lower(a[1]) == "escape" ? QByteArray("cancelselect") : v;
        } else if (name == "unbind") {
            if (argc == 2)
                s.binds.remove(lower(a[1]));
        } else if (name == "unbindall") {
            s.binds.clear();
        } else if (name == "setinfo") {
            if (argc == 3)
                s.userinfo[a[1]] = a[2];
        } else if (name == "wait") {
            wait = true;
        } else if (w.commands.contains(name)) {
        } else if (s.aliases.contains(name)) {
            insertText(s.aliases[name] + "\n");
        } else if (w.variables.contains(name)) {
            if (argc >= 2)
                s.variables[name] = a[1];
        }
    }

    void exec(const QByteArray& file) {
        const auto it = w.files.constFind(lower(file));
        if (it == w.files.constEnd())
            return;
        const QByteArray& data = *it;
        if (!counted.contains(it.key())) {
            counted.insert(it.key());
            textBytes += data.size();
        }
        if (buf.size() + data.size() + 2 < kMax) {
            insertTextLines(data);
            return;
        }
        // COM_ParseLine over the file, with a signed char. (Files that do this in a circle
        // nest without end; the program's run stops at the same depth.)
        if (depth >= 48) {
            hung = true;
            return;
        }
        ++depth;
        const char* p = data.constData();
        while (p && *p && !hung) {
            execute();
            QByteArray token;
            signed char c = static_cast<signed char>(*p);
            do {
                token += char(c);
                ++p;
                c = static_cast<signed char>(*p);
            } while (c >= ' ' && token.size() < 1023);
            if (c == 0) {
                p = nullptr;
            } else {
                while ((c = static_cast<signed char>(*p)) < ' ' && c != '\t') {
                    if (c == 0) {
                        p = nullptr;
                        break;
                    }
                    ++p;
                }
            }
            insertTextLines(token);
        }
        --depth;
    }

    const StartWorld& w;
    StartState s;
    QByteArray buf;
    qint64 count = 0;
    qint64 textBytes = 0; // of the files exec'd, each once (the program's run allows as many more)
    QSet<QByteArray> counted;
    int depth = 0;
public:
    QList<QByteArray>* trace = nullptr;
private:
    bool wait = false;
    bool hung = false;
};

inline StartState runStart(const StartWorld& world) {
    return StartModel(world).run();
}

} // namespace enginemodel
