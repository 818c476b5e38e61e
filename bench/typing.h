// Typing into an editor as a person does, for the typing benchmarks: one key event, followed by
// the layout, highlighting and painting it causes, and nothing repainted by force.
#pragma once

#include "bench_stats.h"

#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTextBlock>

// The key `ch` ('\n' is Enter, '\b' Backspace) pressed and released in `editor` at its caret.
inline void typeKeyUntimed(QPlainTextEdit& editor, char ch) {
    const int key = ch == '\n' ? Qt::Key_Return : ch == '\b' ? Qt::Key_Backspace : 0;
    const QString text = key ? QString() : QString(QLatin1Char(ch));
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(&editor, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(&editor, &release);
}

// Milliseconds for that key and the events it causes.
inline double typeKey(QPlainTextEdit& editor, char ch) {
    return timedWithEvents([&] { typeKeyUntimed(editor, ch); });
}

// Puts the caret at `position` with the view on it, and lets the editor settle.
inline void placeCaret(QPlainTextEdit& editor, int position) {
    QTextCursor c = editor.textCursor();
    c.setPosition(position);
    editor.setTextCursor(c);
    editor.ensureCursorVisible();
    QCoreApplication::processEvents();
}

// The start of the first line at or after line `near` that starts with `prefix`.
inline int lineStarting(const QPlainTextEdit& editor, int near, const QString& prefix) {
    QTextBlock b = editor.document()->findBlockByNumber(near);
    while (b.isValid() && !b.text().startsWith(prefix))
        b = b.next();
    return b.isValid() ? b.position() : 0;
}
