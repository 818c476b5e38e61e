// The desktop's shell: opening a document with its default handler and starting a program.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class Shell {
public:
    virtual ~Shell() = default;
    // Opens a file (a help page) with the desktop's default handler; false when that failed.
    virtual bool openDocument(const QString& path, const QString& workingFolder) = 0;
    // Starts a program in `folder` with `arguments` without waiting for it; false when it could
    // not be started. `whenEnded`, when given, is called on the windows' thread once the program
    // has ended (it keeps running when this program ends first).
    virtual bool startProgram(const QString& program, const QStringList& arguments,
                              const QString& folder, std::function<void()> whenEnded) = 0;
};
