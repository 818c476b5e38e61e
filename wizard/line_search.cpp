// The wizard's search and editing by commands.
#include "wizard/line_search.h"

#include "language/key_names.h"
#include "state/shared_state.h"
#include "widgets/find_primitive.h"
#include "wizard/wizard_working_set.h"

#include <QHash>
#include <QSet>
#include <array>
#include <bitset>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kBind = u"bind"_s;
const QString kAlias = u"alias"_s;
const QString kSetinfo = u"setinfo"_s;

// Where a setting's value word stands among its command's words.
int valueWordIndex(const SettingRef& setting) {
    return setting.setinfo ? 2 : 1;
}

// A setinfo of more than three words sets nothing in the game: it is no setting.
bool holds(const WizardDocument& document, const SettingRef& setting, const CommandSpan& c) {
    return !setting.setinfo || (c.wordCount <= console::kSetinfoWords &&
                                sameName(c.word(document.indexedText(), 1), setting.name));
}

// The commands of a kind whose first argument passes `test`.
template <typename Test>
QList<CommandSpan> withArgument(const WizardDocument& document, const QString& name, Test test) {
    QList<CommandSpan> found;
    document.forEachCommandWithArgument(name, test, [&](const CommandSpan& c) {
        found.append(c);
        return true;
    });
    return found;
}

// A bound command as the action buttons give it, compared letter for letter; hashed inline, as
// every binding of a large config is looked up.
struct BoundCommand {
    QStringView text;
    friend bool operator==(const BoundCommand& a, const BoundCommand& b) {
        return a.text == b.text;
    }
};

size_t qHash(const BoundCommand& key, size_t seed = 0) noexcept {
    size_t hash = seed ^ 0xCBF29CE484222325u;
    for (const QChar c : key.text)
        hash = (hash ^ c.unicode()) * 0x100000001B3u;
    return hash;
}

// A rough sketch of a set of names, by their length and three letters folded to lower case: a
// name it does not hold is mostly told apart without hashing it. A name it holds may still be
// missing from the set.
class NameSketch {
public:
    void add(QStringView name) { bits_.set(place(name)); }
    bool mayHold(QStringView name) const { return bits_.test(place(name)); }

private:
    static size_t place(QStringView name) {
        if (name.isEmpty())
            return 0;
        auto folded = [&](qsizetype i) { return size_t(name[i].unicode() | 0x20); };
        const size_t key = size_t(name.size()) * 0x9E37 + folded(0) * 0x3B1 +
                           folded(std::min<qsizetype>(1, name.size() - 1)) * 0x61 +
                           folded(name.size() - 1);
        return key % kBits;
    }
    static constexpr size_t kBits = 4096;
    std::bitset<kBits> bits_;
};

int removeAll(WizardDocument& document, QList<CommandSpan> commands) {
    const int count = int(commands.size());
    document.removeCommands(std::move(commands));
    return count;
}

} // namespace


QString asciiUpper(const QString& text) {
    QString out = text;
    for (QChar& c : out)
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - 32);
    return out;
}

int FindDialog1Find2(WizardWorkingSet& ws, WizardDocument& document) {
    ws.shared.find.lastFoundPos = findNext(document, ws.shared.find.findText);
    if (ws.shared.find.lastFoundPos >= 0)
        document.setLastOccurrence(ws.shared.find.lastFoundPos);
    return ws.shared.find.lastFoundPos;
}

std::optional<CommandSpan> findSetting(const WizardDocument& document, const SettingRef& setting) {
    if (setting.setinfo) {
        // A config may hold many setinfo commands of other keys, and reading looks up one key
        // after another: their keys are read once and kept, and only this key's commands are
        // read in full.
        std::optional<CommandSpan> last;
        document.forEachCommandWithArgument(
            kSetinfo, [&](QStringView key) { return sameName(key, setting.name); },
            [&](const CommandSpan& c) {
                if (holds(document, setting, c))
                    last = c;
                return true;
            },
            true);
        return last;
    }
    const QList<CommandSpan>& all = document.commandsNamed(setting.name);
    return all.isEmpty() ? std::nullopt : std::optional<CommandSpan>(all.last());
}

QString settingValueText(const WizardDocument& document, const SettingRef& setting,
                         const CommandSpan& command) {
    return command.word(document.indexedText(), valueWordIndex(setting)).toString();
}

SettingValue FindSettingValue(WizardWorkingSet& ws, const SettingRef& setting) {
    // The main window's find dialog shows what the wizard looked for last.
    ws.shared.find.findText = setting.name;
    const std::optional<CommandSpan> command = findSetting(ws.mem1, setting);
    if (!command) {
        ws.shared.find.lastFoundPos = -1;
        return {};
    }
    ws.shared.find.lastFoundPos = command->start;
    ws.foundPosition = command->start;
    ws.mem1.setLastOccurrence(command->start);
    const int index = valueWordIndex(setting);
    if (index < command->wordCount) {
        const CommandWord& word = command->words[size_t(index)];
        ws.mem1.select(word.textStart(), word.textLength());
    } else {
        ws.mem1.select(command->start, command->end - command->start);
    }
    return {true, settingValueText(ws.mem1, setting, *command)};
}

bool hasCommand(const WizardDocument& document, const QString& name) {
    return document.hasCommandNamed(name);
}

std::optional<CommandSpan> lastCommand(const WizardDocument& document, const QString& name) {
    const QList<CommandSpan>& all = document.commandsNamed(name);
    if (all.isEmpty())
        return std::nullopt;
    return all.last();
}

void Savy(WizardWorkingSet& ws, const SettingRef& setting, const QString& value, bool noAdd) {
    WizardDocument& document = ws.mem1;
    ws.shared.find.findText = setting.name;
    const std::optional<CommandSpan> command = findSetting(document, setting);
    if (!command) {
        ws.shared.find.lastFoundPos = -1;
        ws.lineWritten = false;
        if (!noAdd)
            document.appendLine(
                setting.setinfo ? u"setinfo \"%1\" %2"_s.arg(setting.name, commandValueText(value))
                                : setting.name + u' ' + commandValueText(value));
        return;
    }
    // Positions as the text now is, edits gathered while applying included.
    const int found = document.livePosition(command->start);
    ws.shared.find.lastFoundPos = found;
    ws.foundPosition = found;
    ws.lineWritten = true;
    const int index = valueWordIndex(setting);
    if (index >= command->wordCount) {
        // A command without a value (or a setinfo without one) gets it after its last word.
        document.replaceRange(command->end, 0, u' ' + commandValueText(value));
        return;
    }
    const CommandWord& word = command->words[size_t(index)];
    const QStringView old = command->word(document.indexedText(), index);
    if (old == value && word.closed)
        return; // the file keeps its own spelling of the same value
    document.replaceRange(word.start, word.length,
                          valueOverWord(document.indexedText(), *command, index, value));
    ws.foundPosition = found;
}

bool replaceCommand(WizardDocument& document, const QString& name, const QString& replacement) {
    const std::optional<CommandSpan> command = lastCommand(document, name);
    if (!command)
        return false;
    document.replaceRange(command->start, command->end - command->start, replacement);
    return true;
}

int removeCommandsNamed(WizardDocument& document, const QString& name) {
    return removeAll(document, document.commandsNamed(name));
}

QString FindKeyFor(WizardWorkingSet& ws, const QString& command) {
    return findKeysFor(ws, {command}).value(0);
}

namespace {

// The commands a reading looks the keys of up, by their text: made once for the list the
// window gives (the same list at every reading) and kept until another comes.
struct WantedCommands {
    QStringList commands;
    QHash<BoundCommand, qsizetype> first; // each text's first place in the list
    std::vector<qsizetype> firstOf;       // for each place, the first place of its text
    NameSketch sketch;
};

const WantedCommands& wantedCommands(const QStringList& commands) {
    thread_local WantedCommands wanted;
    if (wanted.commands == commands)
        return wanted;
    WantedCommands made;
    made.commands = commands;
    for (qsizetype i = commands.size() - 1; i >= 0; --i) {
        made.first.insert(BoundCommand{made.commands[i]}, i);
        made.sketch.add(made.commands[i]);
    }
    for (const QString& command : made.commands)
        made.firstOf.push_back(made.first.value(BoundCommand{command}));
    // The texts the table views stay where they are: the list's data moves whole.
    wanted = std::move(made);
    return wanted;
}

// The keys bound to exactly the given commands: for each, the key of its first binding.
class ActionKeyFinder {
public:
    explicit ActionKeyFinder(const QStringList& commands)
        : wanted_(wantedCommands(commands)), keys_(commands.size()),
          remaining_(wanted_.first.size()) {}

    bool done() const { return remaining_ == 0; }

    void take(QStringView text, const CommandSpan& c) {
        const QStringView key = c.word(text, 1);
        if (c.wordCount < 3 || key.isEmpty())
            return;
        // A command of one word is looked up where it stands; more words are joined first.
        const QString joined = c.wordCount > 3 ? joinedArguments(text, c, 2) : QString();
        const QStringView command = c.wordCount > 3 ? QStringView(joined) : c.word(text, 2);
        if (!wanted_.sketch.mayHold(command))
            return;
        const auto it = wanted_.first.constFind(BoundCommand{command});
        if (it == wanted_.first.cend() || !keys_[it.value()].isEmpty())
            return;
        keys_[it.value()] = key.toString();
        lastMatch_ = c.start;
        --remaining_;
    }

    // The keys in the commands' order; the shared find state tells of the last command.
    QStringList finish(WizardWorkingSet& ws) {
        const QStringList& commands = wanted_.commands;
        for (qsizetype i = 0; i < commands.size(); ++i)
            keys_[i] = keys_[wanted_.firstOf[size_t(i)]];
        if (!commands.isEmpty()) {
            ws.shared.find.findText = commands.last();
            ws.shared.find.lastFoundPos = keys_.last().isEmpty() ? -1 : lastMatch_;
        }
        return keys_;
    }

private:
    const WantedCommands& wanted_;
    QStringList keys_;
    qsizetype remaining_ = 0;
    int lastMatch_ = -1;
};

// Free keys by name in any letter case: each name's place in `counts`, which says how many items
// of the list are spelt so. The places stay as they are while keys leave the list: only the
// counts change, so the table of the whole key list is made once and each reading copies its
// counts alone.
struct FreeKeys {
    QHash<FoldedName, int> places;
    std::vector<int> counts;
    NameSketch sketch;
};

FreeKeys freeKeysOf(const QStringList& keys) {
    FreeKeys free;
    free.places.reserve(keys.size());
    for (const QString& item : keys) {
        const auto place = free.places.constFind(FoldedName{item});
        if (place != free.places.cend()) {
            ++free.counts[size_t(*place)];
        } else {
            free.places.insert(FoldedName{item}, int(free.counts.size()));
            free.counts.push_back(1);
        }
        free.sketch.add(item);
    }
    return free;
}

// Whether `item` (as long as `key`) is `key` all in lower case (`upper` false) or all in upper
// case: a-z and A-Z changed, nothing else.
bool spelledInCase(QStringView item, QStringView key, bool upper) {
    for (qsizetype i = 0; i < key.size(); ++i) {
        char16_t c = key[i].unicode();
        if (upper && c >= u'a' && c <= u'z')
            c = char16_t(c - 32);
        else if (!upper)
            c = console::foldedChar(c);
        if (item[i].unicode() != c)
            return false;
    }
    return true;
}

// Moves each key a binding binds from the free-key list to the used-key list.
class BoundKeyCollector {
public:
    // The free keys by name in any letter case: a binding's key matches a free key spelt as
    // the binding has it, or all in lower or all in upper case. Most bindings are of keys
    // already moved or unknown: one look-up without a copy of the key answers those. The keys
    // are views into the list as it was, which stays whole while items leave it.
    explicit BoundKeyCollector(WizardWorkingSet& ws) : ws_(ws), names_(ws.freeKeys) {
        // The whole key list, as reading starts from it, has its table made once.
        const QStringList& all = keyNames();
        if (names_.constData() == all.constData() && names_.size() == all.size()) {
            static const FreeKeys allFree = freeKeysOf(all);
            table_ = &allFree;
        } else {
            own_ = freeKeysOf(names_);
            table_ = &own_;
        }
        counts_ = table_->counts;
    }

    void take(QStringView text, const CommandSpan& c) {
        if (c.wordCount < 2)
            return;
        const QStringView key = c.word(text, 1);
        if (key.isEmpty())
            return;
        // A spelling that moved no key once never does: the free keys only grow fewer.
        QStringView& refused = refused_[refusedSlot(key)];
        if (!refused.isEmpty() && key == refused)
            return;
        if (!table_->sketch.mayHold(key) || freeOf(key) == nullptr) {
            refused = key;
            return;
        }
        for (qsizetype i = 0; i < ws_.freeKeys.size(); ++i) {
            const QString& item = ws_.freeKeys[i];
            if (item.size() != key.size())
                continue;
            if (item == key || spelledInCase(item, key, false) || spelledInCase(item, key, true)) {
                --*freeOf(item);
                ws_.freeKeys.removeAt(i);
                ws_.usedKeys.append(key.toString());
                return;
            }
        }
        refused = key;
    }

private:
    static constexpr size_t kRefused = 64;
    static size_t refusedSlot(QStringView key) {
        return (size_t(key.size()) * 31 + key.front().unicode() * 7 + key.back().unicode()) %
               kRefused;
    }

    // How many free keys are spelt as `name` in any letter case, or null for none.
    int* freeOf(QStringView name) {
        const auto place = table_->places.constFind(FoldedName{name});
        if (place == table_->places.cend() || counts_[size_t(*place)] == 0)
            return nullptr;
        return &counts_[size_t(*place)];
    }

    WizardWorkingSet& ws_;
    const QStringList names_;
    FreeKeys own_;
    const FreeKeys* table_ = nullptr; // of the keys that were free at the start
    std::vector<int> counts_;
    // Spellings of keys that moved nothing, met last: a config binds the same keys again and
    // again, and these are answered without a look-up.
    std::array<QStringView, kRefused> refused_{};
};

} // namespace

QStringList findKeysFor(WizardWorkingSet& ws, const QStringList& commands) {
    ActionKeyFinder finder(commands);
    const QString& text = ws.mem1.indexedText();
    ws.mem1.forEachCommandNamed(kBind, [&](const CommandSpan& c) {
        if (finder.done())
            return false;
        finder.take(text, c);
        return true;
    });
    return finder.finish(ws);
}

void CollectBoundKeys(WizardWorkingSet& ws) {
    BoundKeyCollector collector(ws);
    const QString& text = ws.mem1.indexedText();
    ws.mem1.forEachCommandNamed(kBind, [&](const CommandSpan& c) {
        collector.take(text, c);
        return true;
    });
}

QStringList collectBoundKeysAndFindKeysFor(WizardWorkingSet& ws, const QStringList& commands) {
    BoundKeyCollector collector(ws);
    ActionKeyFinder finder(commands);
    const QString& text = ws.mem1.indexedText();
    ws.mem1.forEachCommandNamed(kBind, [&](const CommandSpan& c) {
        collector.take(text, c);
        if (!finder.done())
            finder.take(text, c);
        return true;
    });
    return finder.finish(ws);
}

QList<CommandSpan> bindingsOf(const WizardDocument& document, const QString& key) {
    return withArgument(document, kBind, [&](QStringView k) { return sameName(k, key); });
}

QString boundCommand(const WizardDocument& document, const QString& key) {
    const QList<CommandSpan> bindings = bindingsOf(document, key);
    return bindings.isEmpty() ? QString()
                              : joinedArguments(document.indexedText(), bindings.last(), 2);
}

int removeBindings(WizardDocument& document, const QString& key) {
    return removeAll(document, bindingsOf(document, key));
}

QList<CommandSpan> aliasesNamed(const WizardDocument& document, const QString& name) {
    return withArgument(document, kAlias, [&](QStringView n) { return sameName(n, name); });
}

int removeAliases(WizardDocument& document, const QString& name) {
    return removeAll(document, aliasesNamed(document, name));
}

int removeAliasesStartingWith(WizardDocument& document, const QString& prefix) {
    return removeAll(document, withArgument(document, kAlias, [&](QStringView n) {
                         return n.size() > prefix.size() && sameName(n.left(prefix.size()), prefix);
                     }));
}

QString aliasBody(const WizardDocument& document, const QString& name) {
    const QList<CommandSpan> aliases = aliasesNamed(document, name);
    return aliases.isEmpty() ? QString()
                             : joinedArguments(document.indexedText(), aliases.last(), 2);
}
