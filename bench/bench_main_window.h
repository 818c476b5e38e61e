// The program's main window on a config file, as the benchmarks that drive it need it: the
// program's data in `programDir`, the file opened as at start, no first-show steps and no
// questions at close.
#pragma once

#include "platform/memory_reuse.h"
#include "platform/qt_shell.h"
#include "platform/qt_user_dialogs.h"
#include "shell/main_window.h"
#include "state/app_context.h"

#include <QSize>
#include <memory>

struct BenchMainWindow {
    BenchMainWindow(const QString& programDir, const QString& configPath, QSize size) {
        keepFreedMemoryForReuse(); // as the program's start does
        state.home = ProgramHome::portable(programDir);
        state.start.arguments = {configPath};
        state.start.selfTest = true;
        form = std::make_unique<MainWindow>(ctx);
        form->resize(size);
        form->show();
    }

    SharedState state;
    QtUserDialogs dialogs;
    QtShell shell;
    AppContext ctx{state, dialogs, shell};
    std::unique_ptr<MainWindow> form;
};
