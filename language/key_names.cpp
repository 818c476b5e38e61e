// The key names of the console.
#include "language/key_names.h"

#include "language/config_commands.h"

#include <QHash>
#include <array>

using namespace Qt::Literals::StringLiterals;

namespace {

QStringList buildKeyNames() {
    QStringList keys = {
        u"SHIFT"_s, u"CTRL"_s,    u"ALT"_s,       u"SPACE"_s,     u"BACKSPACE"_s,
        u"ENTER"_s, u"TAB"_s,     u"CAPSLOCK"_s,  u"PAUSE"_s,     u"ESCAPE"_s,
        u"INS"_s,   u"HOME"_s,    u"PGUP"_s,      u"PGDN"_s,      u"DEL"_s,
        u"END"_s,   u"UPARROW"_s, u"DOWNARROW"_s, u"LEFTARROW"_s, u"RIGHTARROW"_s,
    };
    for (char digit = '1'; digit <= '9'; ++digit)
        keys.append(QString(QChar::fromLatin1(digit)));
    keys.append(u"0"_s);
    for (char letter = 'a'; letter <= 'z'; ++letter)
        keys.append(QString(QChar::fromLatin1(letter)));
    keys << u"-"_s << u"="_s << u"+"_s << u"`"_s << u"~"_s << u"\\"_s << u"["_s << u"]"_s << u";"_s
         << u"'"_s << u","_s << u"."_s << u"/"_s;
    for (int f = 1; f <= 12; ++f)
        keys.append(u"F"_s + QString::number(f));
    keys << u"MOUSE1"_s << u"MOUSE2"_s << u"MOUSE3"_s << u"MOUSE4"_s << u"MWHEELUP"_s
         << u"MWHEELDOWN"_s << u"JOY1"_s << u"JOY2"_s << u"JOY3"_s << u"JOY4"_s << u"AUX5"_s
         << u"AUX6"_s << u"KP_HOME"_s << u"KP_END"_s << u"KP_INS"_s << u"KP_DEL"_s << u"KP_PGUP"_s
         << u"KP_PGDN"_s << u"KP_UPARROW"_s << u"KP_DOWNARROW"_s << u"KP_LEFTARROW"_s
         << u"KP_RIGHTARROW"_s << u"KP_5"_s << u"*"_s << u"KP_ENTER"_s << u"KP_PLUS"_s
         << u"KP_MINUS"_s << u"KP_SLASH"_s;
    return keys;
}

QStringList buildNamedKeys() {
    QStringList keys = {
        u"TAB"_s,           u"ENTER"_s,      u"ESCAPE"_s,       u"SPACE"_s,        u"BACKSPACE"_s,
        u"UPARROW"_s,       u"DOWNARROW"_s,  u"LEFTARROW"_s,    u"RIGHTARROW"_s,   u"ALT"_s,
        u"CTRL"_s,          u"SHIFT"_s,      u"CAPSLOCK"_s,     u"SCROLLOCK"_s,    u"INS"_s,
        u"DEL"_s,           u"PGDN"_s,       u"PGUP"_s,         u"HOME"_s,         u"END"_s,
        u"KP_HOME"_s,       u"KP_UPARROW"_s, u"KP_PGUP"_s,      u"KP_LEFTARROW"_s, u"KP_5"_s,
        u"KP_RIGHTARROW"_s, u"KP_END"_s,     u"KP_DOWNARROW"_s, u"KP_PGDN"_s,      u"KP_ENTER"_s,
        u"KP_INS"_s,        u"KP_DEL"_s,     u"KP_SLASH"_s,     u"KP_MINUS"_s,     u"KP_PLUS"_s,
        u"PAUSE"_s,         u"MOUSE1"_s,     u"MOUSE2"_s,       u"MOUSE3"_s,       u"MOUSE4"_s,
        u"MOUSE5"_s,        u"MWHEELUP"_s,   u"MWHEELDOWN"_s,   u"SEMICOLON"_s,
    };
    for (int f = 1; f <= 12; ++f)
        keys.append(u"F"_s + QString::number(f));
    for (int j = 1; j <= 4; ++j)
        keys.append(u"JOY"_s + QString::number(j));
    for (int a = 1; a <= 32; ++a)
        keys.append(u"AUX"_s + QString::number(a));
    return keys;
}

} // namespace

const QStringList& namedEngineKeys() {
    static const QStringList keys = buildNamedKeys();
    return keys;
}

QString canonicalKeyName(QStringView written) {
    // The names come from tables made once and are handed out shared: a config binds keys
    // hundreds of thousands of times, and a name costs no string of its own.
    if (written.size() == 1) {
        const char16_t c = written.front().unicode();
        if (c <= u' ' || c >= 0x7F)
            return QString();
        static const std::array<QString, 0x7F> characters = [] {
            std::array<QString, 0x7F> names;
            for (char16_t n = u' ' + 1; n < 0x7F; ++n)
                names[n] = QString(QChar(console::foldedChar(n)));
            return names;
        }();
        return characters[c];
    }
    static const QHash<QString, QString> byFolded = [] {
        QHash<QString, QString> index;
        for (const QString& name : namedEngineKeys())
            index.insert(console::foldedName(name), name);
        index.insert(u"semicolon"_s, u";"_s);
        return index;
    }();
    // Folded into a buffer each thread keeps, so a look-up allocates nothing.
    thread_local QString folded;
    console::foldName(written, folded);
    return byFolded.value(folded);
}

const QStringList& keyNames() {
    static const QStringList keys = buildKeyNames();
    return keys;
}
