// What a run of the config set has set so far: every variable, key, alias and user-info key with
// its value, the place that set it and the places it undid; and, for each name a command begins
// with, what the console does with it, looked up once a run.
#pragma once

#include "language/config_commands.h"
#include "language/config_run_types.h"
#include "language/name_table.h"

#include <QHash>
#include <QString>
#include <array>
#include <deque>

class Vocabulary;

namespace configrun {

// What the console does with a command's first word (in the order Cmd_ExecuteString looks).
enum class Dispatch : quint8 {
    Exec,
    Alias,
    Bind,
    Unbind,
    UnbindAll,
    SetInfo,
    Wait,
    StuffCmds,
    BuiltIn,  // a command of the engine or client: found before any alias of its name
    ByName,   // an alias of the name when there is one, else a variable when it is one
};

struct Value {
    Kind kind = Kind::Variable;
    QString name;
    // The value is a view into `held`, the text it came from (a file's, an alias body's),
    // shared rather than copied: a config sets the same names tens of thousands of times.
    QString held;
    QStringView value;
    bool cleared = false;
    Place place;
    QList<Place> overridden; // in the order they ran, repeats kept until the end
    // An alias: the text the engine puts in the buffer when it is called, made at the first
    // call; whether the definition had body words; the bytes of the file that defined it.
    QString stored;
    int storedBytes = 0;
    bool bodyWords = false;
    console::Bytes bytes = console::Bytes::Single;
};

// A command name (folded) and what it stands for in this run.
struct Slot {
    QString name;
    Dispatch dispatch = Dispatch::ByName;
    bool variable = false;      // the vocabulary's variable: a command of this name sets it
    bool refusedAsAlias = false; // no alias of this name can be made
    int alias = -1;             // in values(Kind::Alias)
    int variableValue = -1;     // in values(Kind::Variable)
};

class RunValues {
public:
    explicit RunValues(const Vocabulary& words) : m_words(words) {}

    // The slot of a command name as written, made on its first use.
    Slot& slot(QStringView written);

    // The key a word names (-1: none), and its name in the key map.
    int key(QStringView written);
    const QString& keyName(int key) const { return m_keyList[size_t(key)].name; }
    // A key's or user-info key's value set at `place` (`cleared`: a key unbound).
    void setKey(int key, const QString& held, QStringView value, const Place& place,
                bool cleared = false);
    void setInfo(QStringView name, const QString& held, QStringView value, const Place& place);
    void setVariable(Slot& slot, const QString& held, QStringView value, const Place& place);
    Value& defineAlias(Slot& slot, const QString& held, QStringView shown, const Place& place);

    std::deque<Value>& values(Kind kind) { return m_values[size_t(kind)]; }
    const std::deque<Value>& values(Kind kind) const { return m_values[size_t(kind)]; }

    // Where each name not cleared stands now, by keyOf().
    QHash<QString, Place> snapshot() const;
    // Every name's final state, sorted by kind and name.
    QList<Final> finals() const;

    static QString keyOf(Kind kind, const QString& name);
    static void assign(Value& v, const QString& held, QStringView value, const Place& place,
                       bool cleared);

private:
    struct KeyEntry {
        QString name;
        int value = -1; // in values(Kind::Key), once bound
    };
    int add(Kind kind, const QString& name);
    // Sets `index`'s value (made when -1, unless `cleared`).
    void setIn(Kind kind, int& index, const QString& name, const QString& held,
               QStringView value, const Place& place, bool cleared);

    const Vocabulary& m_words;
    // Deques: a value or slot found stays where it is while others are added.
    std::array<std::deque<Value>, 4> m_values;
    std::deque<Slot> m_slots;
    NameTable m_slotIndex{true};
    std::vector<KeyEntry> m_keyList;
    NameTable m_keyWords{true};  // a word as written -> m_keyList, or -1 for no key
    NameTable m_keyNames{false}; // a key map name -> m_keyList
    NameTable m_infos{false};    // user-info key -> values(Kind::UserInfo)
};

} // namespace configrun
