// The main of every test program: a QApplication on the offscreen platform, then GoogleTest.
// TESSERA_TEST_PLATFORM=xcb runs the windows on a display instead, to measure them in the
// fonts a desktop has (the offscreen platform's font is narrower).
#include <QApplication>
#include <csignal>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    const QByteArray platform = qgetenv("TESSERA_TEST_PLATFORM");
    qputenv("QT_QPA_PLATFORM", platform.isEmpty() ? QByteArray("offscreen") : platform);
    std::signal(SIGXFSZ, SIG_IGN);
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
