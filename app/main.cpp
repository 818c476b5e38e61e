// The program's start: the application, its shared values, the windows, the event loop.
#include "app/command_line_tool.h"
#include "app/window_wiring.h"
#include "editor/qt_editor_language.h"
#include "language/vocabulary_preload.h"
#include "platform/memory_reuse.h"
#include "platform/qt_shell.h"
#include "platform/qt_translations.h"
#include "platform/qt_user_dialogs.h"
#include "shell/main_menu_tables.h"
#include "shell/main_window.h"
#include "shell/settings.h"
#include "widgets/qt_tool_icons.h"

#include <QApplication>
#include <QTextStream>
#include <QTimer>
#include <csignal>

using namespace Qt::Literals::StringLiterals;

namespace {

// `tessera --check` and its kin: no display, no window, no settings written.
int runWithoutWindows(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    QString error;
    std::optional<CommandLineRequest> request =
        parseCommandLine(QCoreApplication::arguments().mid(1), &error);
    if (!request) {
        err << u"tessera: "_s << error << u"\n\n"_s << commandLineUsage();
        return kExitUnreadable;
    }
    Vocabulary words;
    if (request->mode != CommandLineRequest::Mode::Help) {
        const ProgramHome home = ProgramHome::forExecutable(QCoreApplication::applicationDirPath(),
                                                            HomeEnvironment::systemEnvironment(),
                                                            InstalledLayout::ofThisBuild());
        words = Vocabulary::load(home);
        request->versions = VersionStore(home.historyDir());
    }
    return runCommandLineTool(*request, words, out, err);
}

} // namespace

int main(int argc, char** argv) {
    // A write past a file-size limit must fail as an error, not end the program.
    std::signal(SIGXFSZ, SIG_IGN);
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    if (wantsCommandLineTool(arguments))
        return runWithoutWindows(argc, argv);
    keepFreedMemoryForReuse();
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"Tessera"_s);

    SharedState state;
    state.home = ProgramHome::forExecutable(QApplication::applicationDirPath(),
                                            HomeEnvironment::systemEnvironment(),
                                            InstalledLayout::ofThisBuild());
    // Told once, before the windows read anything: a missing shipped tree, or user folders
    // that cannot be made (the program then runs without writing its settings).
    const QStringList homeProblems = state.home.prepare();
    // The editor colours its first screen with its words: they are read while the rest of the
    // start goes on. With the highlighting off nothing needs them at start, and they are read
    // when first used (a hint, a completion, the check).
    if (EditorLanguage::highlightingOn(
            Settings(state.home.settingsFile())
                .readInt(EditorLanguage::settingsSection(), EditorLanguage::settingsKey())))
        state.vocabularyAhead = std::make_shared<VocabularyPreload>(state.home);

    // No display name: Qt would append it to every window title.
    installRussianQtTranslation(app);
    QApplication::setWindowIcon(applicationIcon());
    QApplication::setQuitOnLastWindowClosed(false);
    state.games.gameSearch = GameSearchPlaces::fromEnvironment();
    QStringList args = QApplication::arguments().mid(1);
    if (args.contains(u"--self-test"_s)) {
        state.start.selfTest = true;
        args.removeAll(u"--self-test"_s);
    }
    if (args.contains(u"--exit-when-idle"_s)) {
        state.start.exitWhenIdle = true;
        args.removeAll(u"--exit-when-idle"_s);
    }
    // `tessera -- --odd.cfg` opens the file of that name.
    if (!args.isEmpty() && args.first() == u"--"_s)
        args.removeFirst();
    state.start.arguments = args;

    QtUserDialogs dialogs;
    dialogs.setMessageTitle(applicationTitle());
    dialogs.setPrintModule(state.home.printModule());
    QtShell shell;
    AppContext ctx{state, dialogs, shell};
    ProgramWindows windows(ctx);
    MainWindow* main = windows.windows().mainWindow;
    dialogs.setParent(main);
    if (!state.start.selfTest)
        for (const QString& problem : homeProblems)
            dialogs.error(problem);
    main->show();
    if (state.start.selfTest) {
        // Every window was created and the main one shown: quit once the loop has run.
        QTimer::singleShot(0, &app, [&] {
            const bool ok = main->isVisible() && windows.all().size() >= 4;
            QCoreApplication::exit(ok ? 0 : 1);
        });
    }
    return app.exec();
}
