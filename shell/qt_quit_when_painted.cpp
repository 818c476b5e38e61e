// Quitting after the first paint.
#include "shell/qt_quit_when_painted.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace {

class PaintWatcher : public QObject {
public:
    explicit PaintWatcher(QWidget* window) : QObject(window), m_window(window) {}

protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (e->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->window() == m_window) {
            QCoreApplication::instance()->removeEventFilter(this);
            QTimer::singleShot(0, QCoreApplication::instance(), &QCoreApplication::quit);
        }
        return false;
    }

private:
    QWidget* m_window;
};

} // namespace

void quitAfterNextPaint(QWidget* window) {
    QCoreApplication::instance()->installEventFilter(new PaintWatcher(window));
    window->update();
}
