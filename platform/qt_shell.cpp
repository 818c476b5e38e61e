// Opens help pages and starts programs.
#include "platform/qt_shell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
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
#ifndef Q_OS_WIN
    // A Windows program is started through wine when it is installed.
    if (program.endsWith(u".exe"_s, Qt::CaseInsensitive)) {
        const QString wine = QStandardPaths::findExecutable(u"wine"_s);
        if (wine.isEmpty())
            return false;
        return QProcess::startDetached(wine, QStringList{program} + arguments, folder);
    }
#endif
    return QProcess::startDetached(program, arguments, folder);
}
