// What each key of a config does: the binds and aliases of every line, kept per line so that an
// edit reads only the lines it changed, and the resolution of that into one answer per key: the
// bind lines (the later bind wins), the commands an alias finally runs, the combinations a
// modifier key makes (the wizard's "+altkey" aliases rebind a key while ALT is held) and the
// scripts the program generated.
#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <vector>

// A command of a line that matters to the key map.
struct BindingFact {
    enum class Kind { Bind, Unbind, UnbindAll, Alias };
    Kind kind = Kind::Bind;
    // Bind, Unbind: the key's canonical name (key_layout.h), empty for a name the engine does not
    // know; Alias: the alias name in lower case.
    QString key;
    QString written; // Bind, Unbind of an unknown key: the name as the line writes it
    QString body;    // Bind: the command; Alias: what the alias runs
    // An alias defined inside another alias or a bind: it exists once that one runs.
    bool nested = false;
    bool operator==(const BindingFact&) const = default;
};
using LineFacts = QList<BindingFact>;

// The binds, unbinds and aliases of one line, as the console reads it. A bind or alias with
// several words after the name takes them all, joined by blanks, as the game does.
LineFacts bindingFactsOf(QStringView line);

// A document's lines as the key map keeps them.
class BindingLines {
public:
    void setText(QStringView text);
    // Lines [first, first + removed) are replaced by `lines`. False when that changed nothing
    // the map shows (a line retyped the same, a comment edited, a block only recoloured).
    bool replaceLines(int first, int removed, const QStringList& lines);
    int lineCount() const { return int(m_lines.size()); }
    const LineFacts& factsAt(int line) const { return m_lines[size_t(line)]; }

private:
    std::vector<LineFacts> m_lines;
};

enum class KeyKind { Free, Action, Alias, Script, Modifier };
constexpr int kKeyKindCount = 5;

struct KeyCombo {
    QString key;     // the other key: the modifier, or the key the modifier rebinds
    QString command; // what the rebound key runs while the modifier is held
    QStringList pressed;
    bool operator==(const KeyCombo&) const = default;
};

struct KeyBinding {
    KeyKind kind = KeyKind::Free;
    QList<int> lines;      // 0-based lines of the binds in force (after the last "unbindall")
    QString command;       // the command of the last of them
    bool conflict = false; // bound more than once to different commands
    QStringList pressed;   // the commands a press finally runs, aliases resolved
    QStringList released;  // for a "+" command: what the release runs, when it is an alias
    QStringList aliases;   // the aliases passed through, in order
    QStringList notes;     // cycles cut, undefined or redefined aliases, ...
    QString script;        // who generated it: "мастер" or a MetaBind's name; empty if nobody
    QString where;         // another file's line that binds it ("autoexec.cfg:3"), if one does
    QList<KeyCombo> holds; // as a modifier: the keys it rebinds while held
    QList<KeyCombo> combined; // as a main key: what it runs while a modifier is held
    bool operator==(const KeyBinding&) const = default;
};

struct UnknownKeyName {
    QString name;
    QList<int> lines;
    bool operator==(const UnknownKeyName&) const = default;
};

struct KeyMapResult {
    QHash<QString, KeyBinding> keys; // by canonical name; a key with nothing to say is absent
    QList<UnknownKeyName> unknown;   // in the order they first appear
    int freeCount = 0;               // over the caps of the layout
    int boundCount = 0;
    int conflictCount = 0;
    std::array<int, kKeyKindCount> kindCounts{};
    const KeyBinding& binding(const QString& key) const;
    bool operator==(const KeyMapResult&) const = default;
};

// The aliases the installed MetaBind templates define (lower case): the template's name and
// the body it gives the alias. A key runs a MetaBind only where the alias has that body; a name
// alone may be the player's own.
struct MetaBindAlias {
    QString name;
    QString body;
};
using MetaBindAliases = QHash<QString, MetaBindAlias>;
// The aliases a MetaBind script defines at the top of its lines, by lower-case name, each with
// its first body.
QHash<QString, QString> aliasBodiesDefinedBy(const QString& script);

// An alias that another file of the config set defines (keys/config_set_keys.h reads them), by
// lower-case name. The document's own definition of a name wins over it, but for one a file run
// after the document defines again (`wins`).
struct OuterAlias {
    QString body;
    QString file; // the file's name, as the tool tip shows it
    bool wins = false;
};
using OuterAliases = QHash<QString, OuterAlias>;

// What another file of the config set does to a key, by the key's name: a bind (or an unbind)
// that runs after the document's lines and so decides the key whatever the document says, or one
// that runs before them and stands while the document neither binds the key nor unbinds all.
struct OuterBind {
    QString command;
    bool cleared = false; // unbound
    QString where;        // "autoexec.cfg:3", "движок"
    bool before = false;
};
using OuterBinds = QHash<QString, OuterBind>;

KeyMapResult resolveKeyMap(const BindingLines& lines, const MetaBindAliases& metaBinds = {},
                           const OuterAliases& outerAliases = {},
                           const OuterBinds& outerBinds = {});

// The longest list of commands one key's resolution gives; the rest is cut with a note.
constexpr int kMaxResolvedCommands = 64;
constexpr int kMaxAliasDepth = 24;
