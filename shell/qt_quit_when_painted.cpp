// Quitting after the first paint.
#include "shell/qt_quit_when_painted.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstdio>

namespace {

class PaintWatcher : public QObject {
public:
    explicit PaintWatcher(QWidget* window) : QObject(window), m_window(window) {}

protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (e->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget*>(watched)->window() == m_window) {
            QCoreApplication::instance()->removeEventFilter(this);
            QTimer::singleShot(0, QCoreApplication::instance(), [] {
                const auto now = std::chrono::steady_clock::now().time_since_epoch();
                std::printf("painted-and-idle %lld\n",
                            static_cast<long long>(
                                std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
                std::fflush(stdout);
                QCoreApplication::quit();
            });
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
