// Shared widget pieces.
#include "shell/qt_widget_helpers.h"

using namespace Qt::Literals::StringLiterals;

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QLabel::mouseReleaseEvent(event);
}

QSize ElidedLabel::minimumSizeHint() const {
    // Any width will do: the text is elided to fit.
    const QSize hint = QLabel::minimumSizeHint();
    return QSize(frameWidth() * 2 + fontMetrics().horizontalAdvance(u"…"_s) * 3, hint.height());
}

QString ElidedLabel::shownText() const {
    return fontMetrics().elidedText(text(), Qt::ElideMiddle, contentsRect().width() - 2 * margin());
}

void ElidedLabel::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event); // the frame; the text is drawn here, elided
    QPainter painter(this);
    const QRect r = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    style()->drawItemText(&painter, r, int(alignment()), palette(), isEnabled(), shownText(),
                          foregroundRole());
}

namespace {

class DialogPlaceKeeper : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (e->type() == QEvent::Hide && !e->spontaneous() && watched->isWidgetType()) {
            auto* w = static_cast<QWidget*>(watched);
            if (w->isWindow() && w->windowType() == Qt::Dialog)
                w->setGeometry(w->geometry()); // from now on placed by its inside
        }
        return false;
    }
};

} // namespace

void keepDialogPlacesWhenHidden(QObject* owner) {
    QCoreApplication::instance()->installEventFilter(new DialogPlaceKeeper(owner));
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
