// The main of every test program: a QApplication on the offscreen platform, then GoogleTest.
// QT_QPA_PLATFORM=offscreen:configfile=FILE gives that platform a screen of another size.
// TESSERA_TEST_PLATFORM=xcb runs the windows on a display instead, to measure them in the
// fonts a desktop has (the offscreen platform's font is narrower).
#include <QApplication>
#include <csignal>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // The offscreen platform's own options (a screen of a given size) are kept.
    const QByteArray platform = qgetenv("TESSERA_TEST_PLATFORM");
    if (!platform.isEmpty())
        qputenv("QT_QPA_PLATFORM", platform);
    else if (!qgetenv("QT_QPA_PLATFORM").startsWith("offscreen:"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
