// The floor for the start-up benchmark: the least a Qt Widgets program does to show a main
// window with a text editor and become idle, built with the same flags as the program.
#include <QApplication>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QTimer>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setCentralWidget(new QPlainTextEdit(&window));
    window.resize(560, 450);
    window.show();
    // Quit once the window is shown and the event queue has run dry.
    QTimer::singleShot(0, &app, &QCoreApplication::quit);
    return app.exec();
}
