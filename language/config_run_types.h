// What the set's run says of one name: where a command stands and a name's final state.
#pragma once

#include <QList>
#include <QString>
#include <string_view>

namespace configrun {

// Where a command of the run stands: the file (as the chain shows it) and its 0-based line.
// Commands run from an alias body stand where the alias was called.
struct Place {
    int file = -1; // in Result::chain, or -1 for the engine itself
    int line = 0;
    bool operator==(const Place&) const = default;
};

enum class Kind : quint8 { Variable, Key, Alias, UserInfo };

// The order of names in the finals: by their UTF-16 units.
inline bool nameBefore(const QString& a, const QString& b) {
    return std::u16string_view(reinterpret_cast<const char16_t*>(a.utf16()), size_t(a.size())) <
           std::u16string_view(reinterpret_cast<const char16_t*>(b.utf16()), size_t(b.size()));
}

// One name's final state.
struct Final {
    Kind kind = Kind::Variable;
    QString name;  // variables, aliases: lower case; keys: the key map's name; user info: as set
    QString value; // a variable's value, a key's command, an alias's body, a user-info value
    bool cleared = false; // a key unbound at the end (by "unbind" or "unbindall")
    Place place;          // what set the final value
    QList<Place> overridden; // earlier places that set it, in the order they ran
};

} // namespace configrun
