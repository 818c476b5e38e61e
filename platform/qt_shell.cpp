// Opens help pages and starts programs.
#include "platform/qt_shell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

using namespace Qt::Literals::StringLiterals;

bool QtShell::openDocument(const QString& path, const QString& workingFolder) {
    Q_UNUSED(workingFolder);
    if (!QFileInfo::exists(path))
        return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool QtShell::startProgram(const QString& program, const QStringList& arguments,
                           const QString& folder) {
    // Started directly, never through a command line, so no argument is read by a shell. Which
    // program to start (the game itself, or wine with the game) is the caller's decision.
    if (program.isEmpty())
        return false;
    return QProcess::startDetached(program, arguments, folder);
}
