// The known words and the document's aliases.
#include "language/vocabulary.h"

#include "language/command_lists.h"
#include "language/key_names.h"
#include "language/line_list.h"
#include "platform/cp1251.h"
#include "platform/file_identity.h"
#include "platform/program_paths.h"

#include <QDir>
#include <QFileInfo>
#include <QVarLengthArray>
#include <algorithm>
#include <array>
#include <cstring>
#include <functional>

using namespace Qt::Literals::StringLiterals;

Vocabulary::Word& Vocabulary::entry(const QString& name, bool* made) {
    int at = m_index.find(name);
    if (made)
        *made = at < 0;
    if (at < 0) {
        at = int(m_words.size());
        m_index.insert(name, at);
        m_words.push_back(Word{name, WordInfo()});
    }
    return m_words[size_t(at)];
}

void Vocabulary::add(const QStringList& names, WordKind kind) {
    for (const QString& raw : names) {
        const QString name = raw.trimmed();
        if (name.isEmpty() || name.contains(u' '))
            continue;
        bool made = false;
        WordInfo& info = entry(name, &made).info;
        if (made)
            info.kind = kind;
        else if (kind == WordKind::Command) // on both lists: a command, the game runs it
            info.kind = WordKind::Command;
    }
}

void Vocabulary::addCommands(const QStringList& names) {
    add(names, WordKind::Command);
}
void Vocabulary::addVariables(const QStringList& names) {
    add(names, WordKind::Variable);
}

void Vocabulary::addGoldSrc(const QString& name, WordKind kind, GameVersion version, bool builtIn) {
    GoldSrcFacts facts;
    facts.version = version;
    facts.builtIn = builtIn;
    addGoldSrc(name, kind, facts);
}

void Vocabulary::addGoldSrc(const QString& name, WordKind kind, const GoldSrcFacts& facts) {
    WordInfo& info = entry(name).info;
    if (info.kind != WordKind::Command)
        info.kind = kind;
    info.version = facts.version;
    info.rebuild = facts.version == GameVersion::Rebuild ? facts.rebuild : Rebuild::None;
    info.builtIn = info.builtIn || facts.builtIn;
    info.serverCommand = facts.serverCommand;
    info.saved = info.saved || facts.saved;
}

namespace {
// The version column of the GoldSrc list.
void readVersion(QByteArrayView field, GoldSrcFacts& facts) {
    static const struct {
        QByteArrayView text;
        GameVersion version;
        Rebuild rebuild;
    } known[] = {
        {"15", GameVersion::Cs15, Rebuild::None},
        {"16", GameVersion::Cs16, Rebuild::None},
        {"later", GameVersion::Later, Rebuild::None},
        {"rehlds", GameVersion::Rebuild, Rebuild::ReHlds},
        {"regamedll", GameVersion::Rebuild, Rebuild::ReGameDll},
        {"cs16client", GameVersion::Rebuild, Rebuild::CsClient},
        {"xash", GameVersion::Rebuild, Rebuild::Xash},
    };
    for (const auto& k : known)
        if (field == k.text) {
            facts.version = k.version;
            facts.rebuild = k.rebuild;
            return;
        }
    facts.version = GameVersion::Later; // a word of a newer list: not 1.5's
}
} // namespace

bool Vocabulary::readGoldSrc(const QString& path) {
    // The list's lines are long (their sources) and it is read at every start: the bytes are
    // cut into fields where they lie, and only the name is decoded.
    const textfile::BytesResult read = textfile::readBytes(path, kMaxLineListBytes);
    if (!read.ok())
        return false;
    // Room for a word a line (a line is some ninety bytes), so the words are not moved as they
    // come.
    const qsizetype lines = read.bytes.size() / 64 + 1;
    m_words.reserve(m_words.size() + size_t(lines));
    forEachListLine(read.bytes, [this](QByteArrayView line) {
        if (line.isEmpty() || line.startsWith("//"))
            return;
        // name, kind, place, version and three more columns, separated by tabs
        std::array<QByteArrayView, 7> f;
        qsizetype count = 0;
        const char* at = line.data();
        const char* const end = at + line.size();
        while (count < qsizetype(f.size())) {
            const auto* tab = static_cast<const char*>(std::memchr(at, '\t', size_t(end - at)));
            f[size_t(count++)] = QByteArrayView(at, tab ? tab : end);
            if (!tab)
                break;
            at = tab + 1;
        }
        if (count < 4 || f[0].isEmpty())
            return;
        if (f[1] == "key")
            return; // the console's key names are the language's own list

        const WordKind kind = f[1] == "cmd" ? WordKind::Command : WordKind::Variable;
        GoldSrcFacts facts;
        readVersion(f[3], facts);
        // Commands of the engine and the client library, and those of the console's own list.
        facts.builtIn = kind == WordKind::Command &&
                        (f[2] == "engine" || f[2] == "client" || f[2] == "console");
        facts.serverCommand = kind == WordKind::Command && f[2] == "gamecmd";
        // A variable, or a command the game writes into config.cfg as a setting.
        facts.saved = count >= 7 && f[6] == "saved";
        addGoldSrc(cp1251::decode(QByteArray::fromRawData(f[0].data(), f[0].size())), kind, facts);
    });
    return true;
}

const WordInfo* Vocabulary::find(QStringView name) const {
    const int at = m_index.find(name);
    return at < 0 ? nullptr : &m_words[size_t(at)].info;
}

WordKind Vocabulary::kindOf(QStringView name) const {
    if (isConfigKeyword(name))
        return WordKind::Keyword;
    const WordInfo* info = find(name);
    return info ? info->kind : WordKind::Unknown;
}

bool Vocabulary::isBuiltInCommand(QStringView name) const {
    const WordInfo* info = find(name);
    return info && info->builtIn;
}

bool Vocabulary::isSaved(QStringView name) const {
    const WordInfo* info = find(name);
    return info && info->saved;
}

bool Vocabulary::isKey(QStringView name) const {
    return isEngineKeyName(name);
}

QString Vocabulary::entryFor(const QString& name) const {
    const int at = m_index.find(name);
    return at < 0 ? name : m_words[size_t(at)].listed;
}

QStringList Vocabulary::names() const {
    QStringList all;
    all.reserve(qsizetype(m_words.size()) + 4);
    for (const Word& w : m_words)
        all.append(w.listed);
    for (const QString& k : {u"bind"_s, u"alias"_s, u"setinfo"_s, u"exec"_s})
        if (m_index.find(k) < 0)
            all.append(k);
    std::sort(all.begin(), all.end(), [](const QString& a, const QString& b) {
        const int c = a.compare(b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    return all;
}

Vocabulary Vocabulary::load(const ProgramHome& home) {
    Vocabulary v;
    auto readList = [&home](const QString& relative) {
        const LineListRead read = readLineList(home.find(relative));
        return read.ok() ? read.entries : QStringList();
    };
    // The folders spelled as the shipped tree spells them: a path that matches on disk as it
    // stands is found without listing its folder for another letter case.
    for (const CategoryEntry& e : categoryEntries(ReferencePage::Cmd))
        v.addCommands(readList(u"dlls\\"_s + e.file.toString()));
    for (const CategoryEntry& e : categoryEntries(ReferencePage::Cvar))
        v.addVariables(readList(u"dlls\\cvardll\\"_s + e.file.toString()));
    for (const QString& file : home.listFiles(u"dlls\\dlz"_s, u"*.dlz"_s)) {
        QStringList firstWords;
        for (const QString& entry : readList(u"dlls\\dlz\\"_s + file)) {
            const ConfigLine line = parseConfigLine(entry);
            if (!line.commands.isEmpty())
                firstWords.append(line.commands.first().words.first().text.toString());
        }
        v.addVariables(firstWords);
    }
    // Last, so that its versions and places stand over the reference's.
    v.readGoldSrc(home.find(u"dlls\\goldsrc.voc"_s));
    return v;
}

QString Vocabulary::sourcesStamp(const ProgramHome& home) {
    QStringList layers = {home.userDir()};
    if (home.shippedDir() != home.userDir())
        layers.append(home.shippedDir());
    QString stamp;
    for (const QString& layer : std::as_const(layers))
        for (const QString& folder : {u"dlls"_s, u"dlls/cvardll"_s, u"dlls/dlz"_s}) {
            const QString path = paths::resolve(layer, folder);
            stamp += path + u'\n';
            const QFileInfoList files =
                QDir(path).entryInfoList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
            for (const QFileInfo& f : files) {
                // Not the QFileInfo's time: in local time it takes the lock Qt reads the
                // environment under, and the stamp is taken on a thread while the windows,
                // which read it often, are built.
                const FileIdentity identity = fileIdentity(f.filePath());
                stamp += f.fileName() + u'\t' + QString::number(identity.size) + u'\t' +
                         QString::number(identity.modifiedNs) + u'\n';
            }
        }
    return stamp;
}

namespace {
void collectFrom(const QList<ConfigCommand>& commands,
                 const std::function<void(QStringView)>& found, int depth);

// The aliases one command (its words, name first) defines, its bodies included.
void collectFromCommand(const ConfigWord* words, qsizetype count,
                        const std::function<void(QStringView)>& found, int depth) {
    if (depth > 8 || count == 0)
        return;
    // A body defines an alias only where it names the command, so one that does not is not read.
    const auto collectInside = [&](const ConfigWord& body) {
        if (console::findName(body.text, 0, u"alias") >= 0)
            collectFrom(commandsInside(body), found, depth + 1);
    };
    const QStringView name = words[0].text;
    if (sameName(name, u"alias") && count >= 2) {
        found(words[1].text);
        if (count >= 3)
            collectInside(words[2]);
    } else if (sameName(name, u"bind") && count >= 3) {
        collectInside(words[2]);
    }
}

void collectFrom(const QList<ConfigCommand>& commands,
                 const std::function<void(QStringView)>& found, int depth) {
    for (const ConfigCommand& c : commands)
        collectFromCommand(c.words.constData(), c.words.size(), found, depth);
}
} // namespace

void forEachAliasDefined(QStringView line, const std::function<void(QStringView)>& found) {
    // Read as the console reads it, keeping only the words of the command at hand: a document's
    // hundred thousand alias lines make no lists.
    QVarLengthArray<ConfigWord, 16> words;
    scanConfigLine(
        line, 0, [&words](const ConfigWord& w) { words.append(w); },
        [&](const CommandReading&) {
            collectFromCommand(words.constData(), words.size(), found, 0);
            words.clear();
        },
        IgnoreComments{});
}

QSet<QString> definedAliases(const QString& text) {
    QSet<QString> names;
    // Only lines that mention "alias" can define one; on a large document this skips the rest.
    qsizetype from = 0;
    while ((from = console::findName(text, from, u"alias")) >= 0) {
        const qsizetype lineStart = text.lastIndexOf(u'\n', from) + 1;
        qsizetype lineEnd = text.indexOf(u'\n', from);
        if (lineEnd < 0)
            lineEnd = text.size();
        forEachAliasDefined(
            QStringView(text).mid(lineStart, lineEnd - lineStart),
            [&names](QStringView name) { names.insert(console::foldedName(name)); });
        from = lineEnd;
    }
    return names;
}

namespace {
// The word of `line` that spans `column` (its end included), looked for inside quoted words
// too, as the console reads a bind's or an alias's body when it runs it.
QStringView wordIn(QStringView line, int offset, int column, int depth, int* start) {
    QStringView found;
    scanConfigLine(
        line, offset,
        [&](const ConfigWord& w) {
            if (!found.isNull() || column < w.start || column > w.start + w.length)
                return;
            found = w.text;
            if (start)
                *start = w.start + (w.quoted ? 1 : 0);
            if (w.quoted && depth < 4 && column > w.start) {
                int inner = 0;
                const QStringView word = wordIn(w.text, w.start + 1, column, depth + 1, &inner);
                if (!word.isNull()) {
                    found = word;
                    if (start)
                        *start = inner;
                }
            }
        },
        [](const CommandReading&) {});
    return found;
}
} // namespace

QString wordAt(QStringView line, int column, int* start) {
    if (column < 0 || column > line.size())
        return QString();
    return wordIn(line, 0, column, 0, start).toString();
}
