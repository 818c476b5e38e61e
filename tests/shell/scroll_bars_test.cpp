// An editor whose scroll bars are always on keeps them in place as lines come and go, without
// repainting its frame and what lies behind it, and still lays them out when it is resized; an
// editor whose bars come and go is left to do so.
#include "shell/qt_scroll_bars.h"

#include <QApplication>
#include <QPaintEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

// Paints of a widget that reach beyond the vertical bar (with its container), which has to show
// its new range.
class PaintsBesideBar : public QObject {
public:
    PaintsBesideBar(QWidget* w, const QWidget* bar) : m_widget(w), m_bar(bar) {
        w->installEventFilter(this);
    }
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() != QEvent::Paint)
            return false;
        const QRect bar(m_bar->mapTo(m_widget, QPoint(0, 0)), m_bar->size());
        if (!(static_cast<QPaintEvent*>(e)->region() - bar).isEmpty())
            ++paints;
        return false;
    }

private:
    QWidget* m_widget;
    const QWidget* m_bar;
};

void addLines(QPlainTextEdit& edit, int count, const QString& line) {
    for (int i = 0; i < count; ++i) {
        edit.appendPlainText(line);
        QApplication::processEvents();
    }
}

} // namespace

TEST(ScrollBars, AlwaysShownBarsStayWithoutRepaintingTheFrame) {
    struct Case {
        Qt::ScrollBarPolicy policy;
        bool kept;
        int framePaints; // beside the vertical bar while lines are added; -1: any number
    };
    const Case cases[] = {
        {Qt::ScrollBarAlwaysOn, true, 0},
        {Qt::ScrollBarAlwaysOn, false, -1}, // the layout is redone at every new range
        {Qt::ScrollBarAsNeeded, true, -1},  // not kept: the bars must come and go
    };
    for (const Case& c : cases) {
        QWidget window;
        window.resize(300, 200);
        QPlainTextEdit edit(&window);
        edit.setLineWrapMode(QPlainTextEdit::NoWrap);
        edit.setHorizontalScrollBarPolicy(c.policy);
        edit.setVerticalScrollBarPolicy(c.policy);
        edit.setGeometry(0, 0, 300, 200);
        if (c.kept)
            keepScrollBarsInPlace(&edit);
        window.show();
        addLines(edit, 30, u"bind x +attack"_s);
        PaintsBesideBar frame(&edit, edit.verticalScrollBar()->parentWidget());
        PaintsBesideBar behind(&window, edit.verticalScrollBar()->parentWidget());
        addLines(edit, 10, u"bind y +jump"_s);
        const auto where = ::testing::Message() << int(c.policy) << " kept " << c.kept;
        if (c.framePaints >= 0) {
            EXPECT_EQ(frame.paints, c.framePaints) << where;
            EXPECT_EQ(behind.paints, c.framePaints) << where;
        } else if (!c.kept) {
            EXPECT_GT(frame.paints, 0) << where;
        }
        // A line too long for the view still gets its bar, and the bars follow a resize.
        addLines(edit, 1, QString(200, u'x'));
        EXPECT_TRUE(edit.horizontalScrollBar()->isVisible()) << where;
        EXPECT_TRUE(edit.verticalScrollBar()->isVisible()) << where;
        edit.setGeometry(0, 0, 250, 150);
        QApplication::processEvents();
        const QRect inside = edit.rect();
        const QScrollBar* h = edit.horizontalScrollBar();
        const QScrollBar* v = edit.verticalScrollBar();
        EXPECT_EQ(h->mapTo(&edit, QPoint(0, h->height())).y(),
                  inside.bottom() - edit.frameWidth() + 1)
            << where;
        EXPECT_EQ(v->mapTo(&edit, QPoint(v->width(), 0)).x(),
                  inside.right() - edit.frameWidth() + 1)
            << where;
        EXPECT_LE(edit.viewport()->geometry().bottom(), h->mapTo(&edit, QPoint(0, 0)).y()) << where;
    }
}
