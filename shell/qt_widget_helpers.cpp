// Shared widget pieces.
#include "shell/qt_widget_helpers.h"

#include <QApplication>
#include <QMouseEvent>

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QLabel::mouseReleaseEvent(event);
}

void runOnFocusedEdit(const char* operation) {
    QWidget* w = QApplication::focusWidget();
    if (!w)
        return;
    const QMetaObject* meta = w->metaObject();
    const QByteArray signature = QByteArray(operation) + "()";
    if (meta->indexOfMethod(signature.constData()) >= 0)
        QMetaObject::invokeMethod(w, operation);
}
