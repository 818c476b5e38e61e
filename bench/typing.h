// Typing into an editor as a person does, for the typing benchmarks: key events, each followed
// by the layout, highlighting and painting it causes.
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTextBlock>

// Milliseconds per keystroke for `count` keys typed at `position` of the document, taken in turn
// from `keys` ("\n" is Enter).
inline double typeKeys(QPlainTextEdit& editor, int position, const char* keys, int count) {
    QTextCursor c = editor.textCursor();
    c.setPosition(position);
    editor.setTextCursor(c);
    editor.ensureCursorVisible();
    QCoreApplication::processEvents();
    const int n = int(qstrlen(keys));
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < count; ++i) {
        const char ch = keys[i % n];
        QKeyEvent press(QEvent::KeyPress, ch == '\n' ? Qt::Key_Return : 0, Qt::NoModifier,
                        ch == '\n' ? QString() : QString(QLatin1Char(ch)));
        QCoreApplication::sendEvent(&editor, &press);
        editor.viewport()->repaint();
        QCoreApplication::processEvents();
    }
    return double(timer.nsecsElapsed()) / 1e6 / count;
}
