// The wizard's typing rules on a line edit.
#include "wizard/qt_field_typing.h"

#include "wizard/field_typing.h"

#include <QLineEdit>
#include <QToolTip>

void guardFieldTyping(QLineEdit* edit, bool number) {
    // Only what the player types or pastes: text set from a config is shown as it is.
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit, number](const QString& text) {
        const TypedField fixed = fixTypedField(text, edit->cursorPosition(), number);
        if (fixed.text != text) {
            edit->setText(fixed.text);
            edit->setCursorPosition(fixed.cursor);
        }
        if (fixed.quoteRefused)
            QToolTip::showText(edit->mapToGlobal(QPoint(0, edit->height())), quoteRefusedNote(),
                               edit);
    });
}
