// "Карта клавиш" in the program on a 16 MB config, as the player meets it, against one plain
// reading of the same text in the same run.
//
// The program's windows are made as at its start (app/window_wiring), the main window opens the
// config file, and the map is opened by the main window's command. Then, round by round:
// - reopened after an edit: the map is closed, one line in the middle of the editor's document is
//   replaced (as the player edits it), and the map is opened again: timed from the command until
//   the map's picture has been painted;
// - re-shown after an edit: the same with the map left open behind the main window, brought to
//   the front by the command;
// - from scratch: the map is opened after it was told to follow the document anew (as after a
//   file is opened): it reads the whole document;
// - the anchor: the editor's text read out of its document, and every command of it found by
//   the console's reader (language/config_commands.h), each bind's key and command kept: the
//   least any reading of a config's binds does.
// The sides take turns going first. The edit itself (the editor's work and the map's following of
// it) is timed on its own and printed beside. Medians with their quartiles, the ratios of the
// medians and the machine's load are printed.
// Two configs: the demo game's config.cfg and autoexec.cfg repeated to 16 MB (settings and binds
// as players write them), and a worst case where every line binds or defines an alias.
// Usage: key_map_bench [ROUNDS [demo|binds]]
#include "app/window_wiring.h"
#include "bench_stats.h"
#include "keys/key_resolution.h"
#include "keys/keyboard_map_window.h"
#include "keys/qt_keyboard_view.h"
#include "language/config_commands.h"
#include "platform/memory_reuse.h"
#include "platform/qt_shell.h"
#include "platform/qt_user_dialogs.h"
#include "platform/text_file.h"
#include "shell/main_window.h"
#include "state/app_context.h"

#include <QAction>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace {

// The most the editor opens, less a margin; line feeds only and one byte a character on disk.
constexpr qsizetype kCharacters = textfile::kMaxEditableBytes - 4096;

QString repeatedTo16MB(const QString& piece) {
    QString text;
    text.reserve(kCharacters);
    while (text.size() + piece.size() <= kCharacters)
        text += piece;
    return text;
}

QString demoConfig() {
    const QString game = QStringLiteral(TESSERA_SOURCE_DIR "/demo/Half-Life/cstrike/");
    return textfile::readText(game + u"config.cfg"_s).text + u'\n' +
           textfile::readText(game + u"autoexec.cfg"_s).text + u'\n';
}

QString bindsOnly() {
    const QStringList keys = {u"w"_s,      u"a"_s,     u"MOUSE1"_s, u"F5"_s,
                              u"KP_END"_s, u"SPACE"_s, u"x"_s,      u"MWHEELUP"_s};
    const QStringList sample = {
        u"// weapons and buying"_s,
        u"alias \"+jumpduck\" \"+jump;+duck\""_s,
        u"alias \"-jumpduck\" \"-jump;-duck\""_s,
        u"bind \"MOUSE3\" \"+jumpduck\""_s,
        u"alias \"Kaz-f\" \"buy;menuselect 4;menuselect 1;ww;slot10\""_s,
        u"bind \"f\" \"Kaz-f\""_s,
        u"alias \"+altkey\" \"bind f Kaz-alt-f\""_s,
        u"alias \"-altkey\" \"bind f Kaz-f\""_s,
        u"bind \"alt\" \"+altkey\""_s,
        u"cl_updaterate \"30\""_s,
        u"fps_max \"72\" // steady"_s,
        u"name \"Strelok\""_s,
    };
    QString text;
    text.reserve(kCharacters);
    for (int i = 0;; ++i) {
        const QString line =
            i % 3 == 0 ? u"bind \"%1\" \"slot%2\""_s.arg(keys.at(i % keys.size())).arg(i % 10)
                       : sample.at(i % sample.size());
        if (text.size() + line.size() + 1 > kCharacters)
            break;
        text += line + u'\n';
    }
    return text;
}

// The anchor's reading: every command of the text found by the console's reader
// (language/config_commands.h), and each bind's key and command kept.
qsizetype scanBinds(const QString& text) {
    QList<QPair<QString, QString>> binds;
    forEachCommandFound(text, [&](int lineStart, int start, QStringView name, int stop) {
        if (!sameName(name, u"bind"))
            return;
        const CommandSpan bind = commandWithin(text, lineStart, start, stop);
        if (bind.wordCount >= 3)
            binds.append({bind.word(text, 1).toString(), bind.word(text, 2).toString()});
    });
    return binds.size();
}

double msSince(const QElapsedTimer& t) {
    return double(t.nsecsElapsed()) / 1e6;
}

// Notes every paint of a widget.
class PaintWatch : public QObject {
public:
    explicit PaintWatch(QWidget* w) { w->installEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

// The program as it starts, its main window on `configPath`, the game in `gameDir`.
struct BenchProgram {
    BenchProgram(const QString& programDir, const QString& configPath, const QString& gameDir) {
        keepFreedMemoryForReuse(); // as the program's start does
        state.home = ProgramHome::portable(programDir);
        state.start.arguments = {configPath};
        state.start.selfTest = true; // no first-show steps (settings, game chooser, tool windows)
        state.games.gameDir = gameDir;
        windows = std::make_unique<ProgramWindows>(ctx);
        windows->windows().mainWindow->resize(900, 700);
        windows->windows().mainWindow->show();
    }
    SharedState state;
    QtUserDialogs dialogs;
    QtShell shell;
    AppContext ctx{state, dialogs, shell};
    std::unique_ptr<ProgramWindows> windows;
};

void runCase(const char* title, const QString& text, const QString& programDir,
             const QString& gameDir, int rounds) {
    const QString path = gameDir + u"/big.cfg"_s;
    const textfile::TextForm lf{textfile::Encoding::Windows1251, textfile::LineBreak::Lf};
    if (!textfile::writeText(path, text, lf).ok)
        qFatal("cannot write %s", qPrintable(path));
    BenchProgram program(programDir, path, gameDir);
    MainWindow& form = *program.windows->windows().mainWindow;
    KeyboardMapWindow& map = *program.windows->windows().keyMap;
    QPlainTextEdit& editor = *form.editor();
    QTextDocument& document = *editor.document();
    QAction* command = form.action(u"KeyMap1"_s);
    if (!command)
        qFatal("no keyboard map command in the main window");
    QCoreApplication::processEvents();
    if (document.characterCount() < text.size())
        qFatal("the editor did not open the config (%d characters)", document.characterCount());
    std::printf("\n%s: %lld characters, %d lines\n", title, static_cast<long long>(text.size()),
                document.blockCount());

    // The command, then events until the map's picture has been painted.
    std::unique_ptr<PaintWatch> watch;
    const auto openMap = [&] {
        QElapsedTimer t;
        t.start();
        const int before = watch ? watch->paints : 0;
        command->trigger();
        if (!watch)
            watch = std::make_unique<PaintWatch>(map.view());
        QDeadlineTimer deadline(20000);
        while (watch->paints == before && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        if (watch->paints == before)
            qFatal("the map was not painted");
        return msSince(t);
    };
    const double firstOpening = openMap();

    // One line in the middle replaced by another bind, as the player edits it; its own time.
    const int middle = document.blockCount() / 2;
    std::vector<double> edits;
    const auto editOneLine = [&](int round) {
        QElapsedTimer t;
        t.start();
        QTextCursor c(document.findBlockByNumber(middle));
        c.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        c.insertText(u"bind \"k\" \"say round %1\""_s.arg(round));
        QCoreApplication::processEvents();
        edits.push_back(msSince(t));
    };

    std::vector<double> reopened, reshown, scratch, anchor;
    qsizetype found = 0;
    const auto runReopened = [&](int r) {
        map.close();
        QCoreApplication::processEvents();
        editOneLine(r);
        reopened.push_back(openMap());
    };
    const auto runReshown = [&](int r) {
        if (!map.isVisible())
            openMap();
        form.activateWindow();
        form.raise();
        QCoreApplication::processEvents();
        editOneLine(r);
        reshown.push_back(openMap());
    };
    const auto runScratch = [&](int) {
        map.close();
        map.followDocument(&document); // as after a file is opened: the whole document is read
        QCoreApplication::processEvents();
        scratch.push_back(openMap());
    };
    const auto runAnchor = [&](int) {
        QElapsedTimer t;
        t.start();
        const QString held = document.toPlainText();
        found = scanBinds(held);
        anchor.push_back(msSince(t));
    };
    const std::vector<std::function<void(int)>> sides = {runReopened, runAnchor, runReshown,
                                                         runScratch};
    for (int r = 0; r < rounds; ++r)
        for (size_t i = 0; i < sides.size(); ++i)
            sides[(i + size_t(r)) % sides.size()](r);

    // The map must follow the edits: the same as one read from scratch of the edited text.
    BindingLines fresh;
    fresh.setText(document.toPlainText());
    const KeyMapResult truth = resolveKeyMap(fresh);
    const KeyMapResult& shown = map.map();
    if (shown.boundCount != truth.boundCount || shown.conflictCount != truth.conflictCount ||
        shown.binding(u"k"_s).command != truth.binding(u"k"_s).command ||
        shown.binding(u"k"_s).lines != truth.binding(u"k"_s).lines)
        qFatal("the map shown differs from one read from scratch");

    std::printf("bind lines: %lld; keys bound: %d, conflicts: %d; the first opening %.1f ms\n",
                static_cast<long long>(found), shown.boundCount, shown.conflictCount, firstOpening);
    printRatioRow("reopened after an edit", reopened, anchor, "ms", 2.0);
    printRatioRow("re-shown after an edit", reshown, anchor, "ms", 2.0);
    printRatioRow("opened from scratch", scratch, anchor, "ms");
    const Quartiles e = quartilesOf(edits);
    std::printf("  the edit itself (editor and map following it, not in the rows above): "
                "%.2f ms (%.2f-%.2f)\n",
                e.median, e.q1, e.q3);

    // Where a reading from scratch goes, once each.
    QElapsedTimer t;
    t.start();
    const QString held = document.toPlainText();
    const double copy = msSince(t);
    t.restart();
    BindingLines once;
    once.setText(held);
    const double read = msSince(t);
    t.restart();
    KeyMapResult resolved = resolveKeyMap(once);
    const double resolve = msSince(t);
    t.restart();
    KeyboardView view;
    view.setMap(std::move(resolved));
    const QImage picture = view.picture(map.view()->size());
    const double paint = msSince(t);
    std::printf("  parts, once: the text out of the document %.1f ms, its lines read %.1f ms, "
                "resolved %.1f ms, a picture painted %.1f ms\n",
                copy, read, resolve, paint);
    std::fflush(stdout);
    map.close();
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    // The program's folder: the shipped tree of the source, linked; the game: the demo's
    // configs, which the map reads for the aliases the document calls.
    QTemporaryDir dir;
    const QString data = QStringLiteral(TESSERA_SOURCE_DIR) + u"/data"_s;
    for (const QString& entry : QDir(data).entryList(QDir::AllEntries | QDir::NoDotAndDotDot))
        QFile::link(data + u'/' + entry, dir.path() + u'/' + entry);
    const QString gameDir = dir.path() + u"/game/cstrike"_s;
    QDir().mkpath(gameDir);
    const QString demo = QStringLiteral(TESSERA_SOURCE_DIR "/demo/Half-Life/cstrike/");
    for (const QString& name : {u"config.cfg"_s, u"autoexec.cfg"_s, u"liblist.gam"_s})
        QFile::copy(demo + name, gameDir + u'/' + name);

    std::printf("%d rounds; the anchor: the editor's text read out and its commands found by the "
                "console's reader, binds kept\n",
                rounds);
    printLoad("before: ");
    const QString only = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    if (only.isEmpty() || only == u"demo"_s)
        runCase("the demo config repeated", repeatedTo16MB(demoConfig()), dir.path(), gameDir,
                rounds);
    if (only.isEmpty() || only == u"binds"_s)
        runCase("every line a bind or an alias", bindsOnly(), dir.path(), gameDir, rounds);
    printLoad("after:  ");
    return 0;
}
