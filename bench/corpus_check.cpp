// Reads every config of a folder as the program does and prints what looks wrong, to try the
// program on configs players really have:
//   - a file whose bytes do not come back from reading and writing it;
//   - a wizard apply that changes a config the player did not change;
//   - one changed setting that rewrites more than its own line, or a line of another command;
//   - the check's findings (F7), counted by kind with examples, to look for false alarms;
//   - a line whose commands the two readers (the line reader of the highlighter and the check,
//     the scanner of the wizard) do not find alike;
//   - one changed setting whose new line the game would not have last (an older line of the
//     same name after it would win);
//   - a line whose first words the highlighter marks unknown where F7 does not, or the other
//     way round (server plugins' commands aside, which F7 counts apart);
//   - a key whose command in the keyboard map is not what the model of the engine's own loop
//     (tests/support/engine_model.h) gives for the bind lines (the last bind wins);
//   - a map cycle ("*mapcycle*.txt") that does not come back byte for byte from reading and
//     writing it (but for the line break the writing adds after the last name);
//   - a file opened in the main window and saved, as it is and with one character typed on its
//     second line, that is not its own bytes (with that character).
// Usage: corpus_check FOLDER [--findings]   (--findings: every finding, not only the counts)
#include "../tests/support/engine_model.h"
#include "bench_main_window.h"
#include "keys/key_layout.h"
#include "keys/key_resolution.h"
#include "language/config_check.h"
#include "language/config_commands.h"
#include "language/syntax_tokens.h"
#include "mapcycle/map_cycle_file.h"
#include "platform/cp1251.h"
#include "platform/program_home.h"
#include "platform/text_file.h"
#include "setting_change.h"
#include "state/shared_state.h"
#include "wizard/apply_settings.h"
#include "wizard/pivo.h"
#include "wizard/settings_catalogue.h"
#include "wizard/wizard_working_set.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <cstdio>
#include <cstdlib>
#include <map>

using namespace Qt::Literals::StringLiterals;

namespace {

// The command texts of the key pages' action buttons, as the wizard reads them.
QStringList actionCommands() {
    QStringList commands = {u"+forward"_s, u"+moveleft"_s, u"+moveright"_s, u"+back"_s,
                            u"+attack"_s,  u"+attack2"_s,  u"+jump"_s,      u"+duck"_s};
    for (int slot = 1; slot <= 5; ++slot)
        commands.append(u"slot"_s + QString::number(slot));
    commands << u"buy"_s << u"+reload"_s << u"+use"_s << u"messagemode"_s << u"+showscores"_s;
    for (QString& command : commands)
        command = u'"' + command + u'"';
    return commands;
}

void print(const QString& text) {
    std::printf("%s\n", qPrintable(text));
}

// The lines of `after` that `before` does not have and the other way round, counted (a line
// that moved shows as both).
struct LineChange {
    QStringList removed;
    QStringList added;
};

LineChange changeOf(const QString& before, const QString& after) {
    QHash<QString, int> count;
    for (const QString& line : before.split(u'\n'))
        ++count[line];
    for (const QString& line : after.split(u'\n'))
        --count[line];
    LineChange change;
    for (auto it = count.cbegin(); it != count.cend(); ++it)
        for (int n = 0; n < std::abs(it.value()); ++n)
            (it.value() > 0 ? change.removed : change.added).append(it.key());
    return change;
}

// The commands of a text as the console runs them: the model of the engine's own loop over the
// text's Windows-1251 bytes, each command a list of its words.
QList<QStringList> consoleCommands(const QString& text) {
    QList<QStringList> commands;
    for (const enginemodel::Words& words : enginemodel::commands(cp1251::encode(text))) {
        QStringList decoded;
        for (const QByteArray& w : words)
            decoded.append(cp1251::decode(w));
        commands.append(decoded);
    }
    return commands;
}

// Each key's command by the plain reading, by lower-case name.
QHash<QString, QString> plainBinds(const QString& text) {
    QHash<QString, QString> binds;
    for (const QStringList& words : consoleCommands(text)) {
        const QString name = console::foldedName(words.first());
        if (name == u"unbindall"_s)
            binds.clear();
        else if (name == u"unbind"_s && words.size() > 1)
            binds.remove(console::foldedName(words[1]));
        else if (name == u"bind"_s && words.size() > 2)
            binds[console::foldedName(words[1])] = words.mid(2).join(u' ');
    }
    return binds;
}

struct Wizard {
    SharedState shared;
    WizardWorkingSet ws{shared};
    explicit Wizard(const QString& text) {
        ws.chosenFileRead(text);
        clearPageValuesForNewFile(ws.values);
        pivoRead(ws, actionCommands());
    }
};

// Whether a changed line is about the setting: one of its names in it.
bool mentions(const QString& line, const WizardSetting& setting) {
    for (const QString& name : setting.configNames)
        if (line.contains(name, Qt::CaseInsensitive))
            return true;
    return false;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: corpus_check FOLDER [--findings]\n");
        return 2;
    }
    const bool allFindings = argc > 2 && QByteArray(argv[2]) == "--findings";
    QTemporaryDir home;
    const QString data = QStringLiteral(TESSERA_SOURCE_DIR) + u"/data"_s;
    for (const QString& entry : QDir(data).entryList(QDir::AllEntries | QDir::NoDotAndDotDot))
        QFile::link(data + u'/' + entry, home.path() + u'/' + entry);
    const Vocabulary words = Vocabulary::load(ProgramHome::portable(home.path()));

    const QDir folder(QString::fromLocal8Bit(argv[1]));
    int files = 0;
    int problems = 0;
    int saved = 0; // files saved through the main window
    // By the wording before its first quoted word.
    std::map<QString, int> findingCounts;
    std::map<QString, QStringList> findingExamples;
    for (const QString& name : folder.entryList({u"*.cfg"_s, u"*.rc"_s, u"*.txt"_s}, QDir::Files)) {
        if (name == u"INDEX.txt"_s)
            continue;
        const QString path = folder.filePath(name);
        ++files;
        if (name.contains(u"mapcycle"_s, Qt::CaseInsensitive)) {
            const QByteArray bytes = textfile::readBytes(path).bytes;
            const mapcycle::MapCycleRead cycle = mapcycle::readMapCycle(path);
            const QString copy = home.filePath(u"mapcycle.txt"_s);
            QByteArray expected = bytes;
            const QByteArray lineBreak =
                cycle.file.form.lineBreak == textfile::LineBreak::CrLf ? "\r\n" : "\n";
            if (!expected.isEmpty() && !expected.endsWith('\n'))
                expected += lineBreak;
            if (!cycle.ok()) {
                print(name + u": not read: "_s + cycle.file.reason);
                ++problems;
            } else if (!mapcycle::writeMapCycle(VersionStore(), copy, cycle.maps, cycle.file.form)
                            .ok ||
                       (!cycle.file.form.hadMixed && textfile::readBytes(copy).bytes != expected)) {
                print(name + u": the map cycle does not come back"_s);
                ++problems;
            }
            continue;
        }
        const textfile::BytesResult raw = textfile::readBytes(path);
        const textfile::ReadResult read = textfile::readEditableText(path);
        if (!read.ok()) {
            print(name + u": not read: "_s + read.reason);
            ++problems;
            continue;
        }
        // Reading and writing gives the same bytes (a file with mixed line breaks gets one kind).
        if (!read.form.hadMixed && textfile::encodeText(read.text, read.form) != raw.bytes) {
            print(name + u": the bytes do not come back"_s);
            ++problems;
        }

        // The wizard, nothing changed: the text stays as it was. (A config without a command
        // is a new one to the wizard, which writes it every setting.)
        const bool newConfig = Wizard(read.text).ws.writeEverySetting;
        if (!newConfig) {
            Wizard w(read.text);
            applySettings(w.ws);
            if (w.ws.mem1.content() != read.text) {
                const LineChange c = changeOf(read.text, w.ws.mem1.content());
                print(name + u": the wizard changed an unchanged config: -"_s +
                      c.removed.join(u" | "_s) + u" +"_s + c.added.join(u" | "_s));
                ++problems;
            }
        }
        // Each setting changed on its own: its own line or one new line, nothing else.
        for (const WizardSetting& setting :
             newConfig ? std::vector<WizardSetting>() : wizardSettings()) {
            Wizard w(read.text);
            changeSetting(setting, w.ws.values);
            applySettings(w.ws);
            const LineChange c = changeOf(read.text, w.ws.mem1.content());
            bool odd = c.removed.size() > setting.configNames.size() ||
                       c.added.size() > setting.configNames.size();
            for (const QString& line : c.removed)
                odd = odd || !mentions(line, setting);
            if (odd) {
                print(name + u": setting "_s + setting.configNames.join(u'/') + u": -"_s +
                      c.removed.join(u" | "_s) + u" +"_s + c.added.join(u" | "_s));
                ++problems;
            }
            // What the game reads last for each name the change wrote is the changed line's.
            const QList<QStringList> after = consoleCommands(w.ws.mem1.content());
            for (const QString& added : c.added) {
                const QList<QStringList> written = consoleCommands(added);
                if (written.isEmpty())
                    continue;
                const QString cvar = written.first().first().toLower();
                const bool keyword = cvar == u"bind"_s || cvar == u"alias"_s || cvar == u"unbind"_s;
                QStringList last;
                for (const QStringList& command : after) {
                    if (command.first().toLower() != cvar)
                        continue;
                    if (cvar == u"setinfo"_s &&
                        command.value(1).toLower() != written.first().value(1).toLower())
                        continue;
                    last = command;
                }
                if (!keyword && last != written.first()) {
                    print(name + u": setting "_s + setting.configNames.join(u'/') +
                          u": the game reads «"_s + last.join(u' ') + u"» last, not «"_s +
                          written.first().join(u' ') + u"»"_s);
                    ++problems;
                }
            }
        }

        // The two readers: the same command names, line by line.
        {
            QStringList scanned;
            forEachCommandFound(read.text, [&](int, int, QStringView commandName) {
                scanned.append(commandName.toString());
            });
            QStringList parsed;
            for (const QString& line : read.text.split(u'\n'))
                for (const ConfigCommand& command : parseConfigLine(line).commands)
                    parsed.append(command.words.first().text.toString());
            if (scanned != parsed) {
                qsizetype at = 0;
                while (at < scanned.size() && at < parsed.size() && scanned[at] == parsed[at])
                    ++at;
                print(name + u": the readers differ at command %1: «"_s.arg(at + 1) +
                      scanned.value(at) + u"» against «"_s + parsed.value(at) + u"»"_s);
                ++problems;
            }
        }

        // The keyboard map against the plain reading of the binds.
        {
            BindingLines bindingLines;
            bindingLines.setText(read.text);
            const KeyMapResult map = resolveKeyMap(bindingLines);
            const QHash<QString, QString> plain = plainBinds(read.text);
            for (auto it = plain.cbegin(); it != plain.cend(); ++it) {
                const QString key = canonicalKeyName(it.key());
                if (key.isEmpty())
                    continue; // a name the engine does not know: the map lists it apart
                const QString mapped = map.binding(key).command;
                if (mapped != it.value()) {
                    print(name + u": key "_s + it.key() + u": the map has «"_s + mapped +
                          u"», the plain reading «"_s + it.value() + u"»"_s);
                    ++problems;
                }
            }
        }

        // The main window: saved as opened, then with "x" typed at the start of the second line.
        if (!read.form.hadMixed) {
            const QString copy = home.filePath(u"edited.cfg"_s);
            QFile::remove(copy);
            QFile::copy(path, copy);
            QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
            BenchMainWindow window(home.path(), copy, {800, 600});
            QCoreApplication::processEvents();
            window.form->Save1Click();
            ++saved;
            if (textfile::readBytes(copy).bytes != raw.bytes) {
                print(name + u": the main window's save changed the file"_s);
                ++problems;
            }
            const qsizetype secondLine = raw.bytes.indexOf('\n') + 1;
            if (secondLine > 0) {
                QTextCursor cursor(window.form->editor()->document()->findBlockByNumber(1));
                cursor.insertText(u"x"_s);
                QCoreApplication::processEvents();
                window.form->Save1Click();
                QByteArray expected = raw.bytes;
                expected.insert(secondLine, 'x');
                if (textfile::readBytes(copy).bytes != expected) {
                    print(name + u": typing one character changed more than it"_s);
                    ++problems;
                }
            }
        }

        // The check's findings, by kind.
        const ConfigReport report = checkConfigReport(read.text, words, QString());
        const QStringList lines = read.text.split(u'\n');

        // The highlighter's unknown words against F7's, line by line.
        {
            QSet<int> checkUnknown;
            for (qsizetype i = 0; i < report.size(); ++i)
                if (report.message(i).startsWith(u"Неизвестная команда"_s))
                    checkUnknown.insert(report.line(i));
            const QSet<QString> aliases = definedAliases(read.text);
            for (int line = 0; line < lines.size(); ++line) {
                bool marked = false;
                for (const SyntaxToken& t : tokenizeLine(lines[line], words, aliases)) {
                    const QString word = lines[line].mid(t.start, t.length).toLower();
                    marked = marked || (t.kind == TokenKind::Unknown && !isPluginCommand(word));
                }
                if (marked != checkUnknown.contains(line)) {
                    print(name +
                          u":%1: the highlighter says %2 unknown word, F7 %3   <<"_s.arg(line + 1)
                              .arg(marked ? u"an"_s : u"no"_s)
                              .arg(checkUnknown.contains(line) ? u"does"_s : u"not"_s) +
                          lines[line].trimmed().left(120) + u">>"_s);
                    ++problems;
                }
            }
        }
        for (qsizetype i = 0; i < report.size(); ++i) {
            const QString message = report.message(i);
            const QString kind = report.id(i);
            ++findingCounts[kind];
            const QString example = name + u":"_s + QString::number(report.line(i) + 1) + u": "_s +
                                    message + u"   <<"_s +
                                    lines.value(report.line(i)).trimmed().left(160) + u">>"_s;
            if (allFindings)
                print(u"  finding "_s + example);
            QStringList& examples = findingExamples[kind];
            if (examples.size() < 6)
                examples.append(example);
        }
    }
    print(u"\n%1 files (%2 saved through the main window), %3 problems"_s.arg(files).arg(saved).arg(
        problems));
    for (const auto& [form, count] : findingCounts) {
        print(u"\n%1: %2"_s.arg(form).arg(count));
        for (const QString& example : findingExamples[form])
            print(u"   "_s + example);
    }
    return 0;
}
