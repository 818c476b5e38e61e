// Test program set-up.
#include "test_app.h"

#include "app/window_wiring.h"
#include "shell/main_window.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

TestApp::TestApp(bool withSettings) {
    QDir(root.path()).mkpath(u"program"_s);
    QDir(root.path()).mkpath(u"Half-Life/cstrike/maps"_s);
    state.home = ProgramHome::portable(programDir());
    // The reference window loads this list when the main window is first shown.
    writeFile(programDir() + u"dlls/Stcmd.dll"_s, "bind\r\nunbind\r\nalias\r\n");
    if (withSettings)
        writeFile(programDir() + u"Cfgneed.INI"_s,
                  "[Game]\r\ndadir=1\r\nCatalog=" + gameDir().toUtf8() + "\r\n");
    ctx = std::make_unique<AppContext>(AppContext{state, dialogs, shell});
}

TestApp::~TestApp() {
    windows.reset();
}

void TestApp::createWindows(const QStringList& arguments) {
    state.start.arguments = arguments;
    windows = std::make_unique<ProgramWindows>(*ctx);
}

const AppWindows& TestApp::w() const {
    return windows->windows();
}

void TestApp::showMain() {
    w().mainWindow->show();
    w().mainWindow->FormShow();
}

QString TestApp::programDir() const {
    return root.path() + u"/program/"_s;
}
QString TestApp::gameDir() const {
    return root.path() + u"/Half-Life/cstrike"_s;
}

QString TestApp::writeFile(const QString& path, const QByteArray& bytes) const {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    f.write(bytes);
    return path;
}

QByteArray TestApp::readFile(const QString& path) const {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}
