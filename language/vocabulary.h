// The words the editor knows: the whole GoldSrc console (engine, client and game libraries, the
// HLTV demo player, key names; "dlls\goldsrc.voc", each name with the first game version that
// has it), the commands and variables of the reference's category lists, the first words of the
// installed value libraries, and the aliases a document defines.
#pragma once

#include "language/config_syntax.h"
#include "language/name_table.h"
#include "platform/program_home.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

enum class WordKind { Unknown, Keyword, Command, Variable, Alias };

// The first game version that has a name: CS 1.5 or earlier, the CS 1.6 / first Steam releases,
// the Steam updates after those; or none at all: the name is one open rebuild's own addition.
enum class GameVersion : quint8 { Cs15, Cs16, Later, Rebuild };

// The open rebuild whose own additions are a name's only source (GameVersion::Rebuild).
enum class Rebuild : quint8 { None, ReHlds, ReGameDll, CsClient, Xash };

struct WordInfo {
    WordKind kind = WordKind::Unknown;
    GameVersion version = GameVersion::Cs15;
    Rebuild rebuild = Rebuild::None;
    // A command of the engine or the client library: the console finds it before any alias of
    // the same name, so such an alias never runs. Commands the game server handles (buying,
    // radio, "say") are sent to the server and do not count.
    bool builtIn = false;
    // A command the game server handles: the client sends it on, so a client that lacks it
    // answers nothing.
    bool serverCommand = false;
    // A setting the game keeps in config.cfg when it rewrites it on exit.
    bool saved = false;
};

// What the GoldSrc list says of one name besides its kind.
struct GoldSrcFacts {
    GameVersion version = GameVersion::Cs15;
    Rebuild rebuild = Rebuild::None;
    bool builtIn = false;
    bool serverCommand = false;
    bool saved = false;
};

class Vocabulary {
public:
    // Names are matched without regard to letter case, as the game matches them. The reference's
    // names are CS 1.5 names; a name the GoldSrc list has keeps that list's version.
    void addCommands(const QStringList& names);
    void addVariables(const QStringList& names);
    // One name of the GoldSrc list; a name already known keeps its spelling.
    void addGoldSrc(const QString& name, WordKind kind, GameVersion version, bool builtIn);
    void addGoldSrc(const QString& name, WordKind kind, const GoldSrcFacts& facts);
    // Reads the GoldSrc list ("name<TAB>kind<TAB>place<TAB>version<TAB>source" lines, then the
    // rule and "saved" or "-" on lines that have them; "//" comments); false when the file cannot
    // be read. The version is 15, 16, later, or the rebuild that alone has the name: rehlds,
    // regamedll, cs16client, xash.
    bool readGoldSrc(const QString& path);

    // Keyword, Command or Variable for a known name; Unknown otherwise (aliases are the
    // document's, see DocumentAliases).
    WordKind kindOf(QStringView name) const;
    bool knows(QStringView name) const { return kindOf(name) != WordKind::Unknown; }
    // What is known of a name, or nullptr. The pointer stays valid until the next change.
    const WordInfo* find(QStringView name) const;
    bool isBuiltInCommand(QStringView name) const;
    // A setting the game keeps in config.cfg.
    bool isSaved(QStringView name) const;
    bool isKey(QStringView name) const;
    // The name as the list writes it (the section its explanation is filed under), or the
    // word itself when no list has it.
    QString entryFor(const QString& name) const;
    // Every known name, sorted without regard to case, for completion.
    QStringList names() const;
    bool isEmpty() const { return m_words.empty(); }

    // "dlls\goldsrc.voc", the category lists under "dlls" (commands from the command page's
    // categories, variables from the variable page's) and the first word of every entry of every
    // ".dlz" library in "dlls\dlz". Missing files are skipped.
    static Vocabulary load(const ProgramHome& home);
    // The names, sizes and times of the files of the folders load() reads, in both layers of the
    // home: when it is the same as before, so are the words (and reading it costs far less
    // than reading them).
    static QString sourcesStamp(const ProgramHome& home);
    // The words of `home` whose sources have the stamp `stamp`: from the program's own copy of
    // them when it was made for that stamp, otherwise read by load() and kept for the next time.
    static Vocabulary loadKept(const ProgramHome& home, const QString& stamp);
    // That copy's bytes under `key`, and the words back from them (nothing when they are not a
    // whole copy made under `key`).
    QByteArray toCache(const QString& key) const;
    static std::optional<Vocabulary> fromCache(QByteArrayView bytes, const QString& key);

private:
    void add(const QStringList& names, WordKind kind);
    // The entry of a name met for the first time is made.
    struct Word {
        QString listed; // the name as the list writes it
        WordInfo info;
    };
    Word& entry(const QString& name, bool* made = nullptr);
    NameTable m_index{true}; // the name, ASCII capitals lowered -> m_words
    std::vector<Word> m_words;
};

// The alias names a config defines, in lower case: every "alias" command, at the top of a line
// or inside another alias or bind.
QSet<QString> definedAliases(const QString& text);
// Calls `found` with every alias name one line defines, as written.
void forEachAliasDefined(QStringView line, const std::function<void(QStringView)>& found);

// The word of a line that spans `column` (its end included) as the console reads it, inside a
// quoted bind or alias body the word of that body, or an empty string; `start` receives its
// first column (after an opening quote).
QString wordAt(QStringView line, int column, int* start = nullptr);
