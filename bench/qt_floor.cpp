// The floor for the start-up benchmark: the least a Qt Widgets program does to show a main
// window with a text editor and become idle, built with the same flags as the program.
#include "shell/qt_quit_when_painted.h"

#include <QApplication>
#include <QMainWindow>
#include <QPlainTextEdit>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setCentralWidget(new QPlainTextEdit(&window));
    window.resize(560, 450);
    window.show();
    // Quit once the window has painted itself and the event queue has run dry, as the program
    // does under --exit-when-idle.
    quitAfterNextPaint(&window);
    return app.exec();
}
