// A program set up for window tests: a temporary program directory (with the settings file
// and whatever the test writes there), a game folder, scripted dialogs and a recording shell.
#pragma once

#include "app/window_wiring.h"
#include "platform/shell.h"
#include "scripted_user_dialogs.h"
#include "state/app_context.h"

#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <utility>

class RecordingShell final : public Shell {
public:
    struct Started {
        QString program;
        QStringList arguments;
        QString folder;
    };
    bool openDocument(const QString& path, const QString& workingFolder) override {
        opened.append(path);
        openedIn.append(workingFolder);
        return true;
    }
    bool startProgram(const QString& program, const QStringList& arguments, const QString& folder,
                      std::function<void()> whenEnded) override {
        started.push_back({program, arguments, folder});
        if (startResult)
            ended = std::move(whenEnded);
        return startResult;
    }
    // The program last started ends (what it was told to do then runs).
    void endProgram() {
        if (auto call = std::exchange(ended, {}))
            call();
    }
    QStringList opened;
    QStringList openedIn;
    std::vector<Started> started;
    bool startResult = true;
    std::function<void()> ended;
};

struct TestApp {
    // Makes the folders; `withSettings` writes a settings file that marks the game directory as
    // chosen, so no chooser opens at the first show.
    explicit TestApp(bool withSettings = true);
    ~TestApp();

    // Creates the windows (the main window first, as the program does).
    void createWindows(const QStringList& arguments = {});
    // Shows the main window and runs its first-show steps.
    void showMain();

    // The windows, once created.
    const AppWindows& w() const;

    QString programDir() const; // with a trailing "/"
    QString gameDir() const;
    QString writeFile(const QString& path, const QByteArray& bytes) const;
    QByteArray readFile(const QString& path) const;

    QTemporaryDir root;
    SharedState state;
    ScriptedUserDialogs dialogs;
    RecordingShell shell;
    std::unique_ptr<AppContext> ctx;
    std::unique_ptr<ProgramWindows> windows;
};
