// Opens help pages and starts programs.
#include "platform/qt_shell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QSocketNotifier>
#include <QTimer>
#include <QUrl>

#include <cerrno>
#include <csignal>
#include <sys/syscall.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

bool QtShell::openDocument(const QString& path, const QString& workingFolder) {
    Q_UNUSED(workingFolder);
    if (!QFileInfo::exists(path))
        return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

namespace {

// Calls `whenEnded` once the process `pid` has ended. The process is detached (not our child,
// so it outlives this program): a pidfd tells its end without any waiting; where the system has
// none, a look every second does.
void watchEnd(qint64 pid, std::function<void()> whenEnded) {
    const int fd = int(::syscall(SYS_pidfd_open, pid_t(pid), 0));
    if (fd >= 0) {
        auto* notifier = new QSocketNotifier(fd, QSocketNotifier::Read);
        QObject::connect(notifier, &QSocketNotifier::activated, notifier,
                         [notifier, fd, whenEnded = std::move(whenEnded)] {
                             notifier->setEnabled(false);
                             notifier->deleteLater();
                             ::close(fd);
                             whenEnded();
                         });
        return;
    }
    auto* timer = new QTimer;
    timer->setInterval(1000);
    QObject::connect(timer, &QTimer::timeout, timer,
                     [timer, pid, whenEnded = std::move(whenEnded)] {
                         if (::kill(pid_t(pid), 0) == 0 || errno != ESRCH)
                             return;
                         timer->stop();
                         timer->deleteLater();
                         whenEnded();
                     });
    timer->start();
}

} // namespace

bool QtShell::startProgram(const QString& program, const QStringList& arguments,
                           const QString& folder, std::function<void()> whenEnded) {
    // Started directly, never through a command line, so no argument is read by a shell. Which
    // program to start (the game itself, or wine with the game) is the caller's decision.
    if (program.isEmpty())
        return false;
    qint64 pid = 0;
    if (!QProcess::startDetached(program, arguments, folder, &pid))
        return false;
    if (whenEnded && pid > 0)
        watchEnd(pid, std::move(whenEnded));
    return true;
}
