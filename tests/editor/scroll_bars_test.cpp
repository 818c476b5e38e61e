// An editor whose scroll bars are always on keeps them in place as lines come and go, without
// repainting its frame and what lies behind it, and still lays them out when it is resized; an
// editor whose bars come and go is left to do so.
#include "editor/qt_scroll_bars.h"

#include <QApplication>
#include <QPaintEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// Counts the paints of a widget that reach beyond `bar`, which has to show its new range.
class PaintsBeside : public QObject {
public:
    PaintsBeside(QWidget* w, const QWidget* bar) : m_widget(w), m_bar(bar) {
        w->installEventFilter(this);
    }
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        const QRect bar(m_bar->mapTo(m_widget, QPoint(0, 0)), m_bar->size());
        if (e->type() == QEvent::Paint && !(static_cast<QPaintEvent*>(e)->region() - bar).isEmpty())
            ++paints;
        return false;
    }

private:
    QWidget* m_widget;
    const QWidget* m_bar;
};

} // namespace

TEST(ScrollBars, AlwaysShownBarsStayWithoutRepaintingTheFrame) {
    const std::tuple<Qt::ScrollBarPolicy, bool> cases[] = {
        {Qt::ScrollBarAlwaysOn, true},
        {Qt::ScrollBarAlwaysOn, false}, // the frame is repainted at every new range
        {Qt::ScrollBarAsNeeded, true},  // left alone: the bars must come and go
    };
    for (const auto& [policy, kept] : cases) {
        QWidget window;
        QPlainTextEdit edit(&window);
        edit.setLineWrapMode(QPlainTextEdit::NoWrap);
        edit.setHorizontalScrollBarPolicy(policy);
        edit.setVerticalScrollBarPolicy(policy);
        edit.setGeometry(0, 0, 300, 200);
        if (kept)
            keepScrollBarsInPlace(&edit);
        window.show();
        const auto add = [&edit](int lines, const QString& line) {
            for (int i = 0; i < lines; ++i) {
                edit.appendPlainText(line);
                QApplication::processEvents();
            }
        };
        add(30, u"bind x +attack"_s);
        const QWidget* bar = edit.verticalScrollBar()->parentWidget();
        PaintsBeside frame(&edit, bar);
        PaintsBeside behind(&window, bar);
        add(10, u"bind y +jump"_s);
        const auto where = ::testing::Message() << int(policy) << " kept " << kept;
        if (policy == Qt::ScrollBarAlwaysOn) {
            EXPECT_EQ(frame.paints == 0, kept) << where;
            EXPECT_EQ(behind.paints == 0, kept) << where;
        }
        // A line too long for the view shows its bar; after a resize the bars stand at the
        // new edges.
        add(1, QString(200, u'x'));
        EXPECT_TRUE(edit.horizontalScrollBar()->isVisible()) << where;
        edit.setGeometry(0, 0, 250, 150);
        QApplication::processEvents();
        const QRect inside = edit.contentsRect();
        EXPECT_EQ(edit.horizontalScrollBar()->mapTo(&edit, QPoint(0, 0)).y() +
                      edit.horizontalScrollBar()->height() - 1,
                  inside.bottom())
            << where;
        EXPECT_EQ(bar->geometry().right(), inside.right()) << where;
    }
}
