// The caret panel paints from glyphs it keeps between paints; a new text must never show the
// glyphs of the one before.
#include "editor/qt_caret_label.h"

#include <QImage>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

QImage shown(CaretLabel& label) {
    return label.grab().toImage();
}

void setUp(CaretLabel& label) {
    label.setFrameShape(QFrame::Panel);
    label.setFrameShadow(QFrame::Sunken);
    label.setAlignment(Qt::AlignCenter);
    label.resize(90, 22);
}

} // namespace

TEST(CaretLabel, PaintsANewTextAsAFreshPanelWould) {
    CaretLabel label(u"1 : 1"_s);
    setUp(label);
    const QImage first = shown(label);

    label.setText(u"12 : 345"_s);
    CaretLabel fresh(u"12 : 345"_s);
    setUp(fresh);
    EXPECT_EQ(shown(label), shown(fresh));
    EXPECT_NE(shown(label), first);

    // Back to the first text, and a new font: both redone.
    label.setText(u"1 : 1"_s);
    EXPECT_EQ(shown(label), first);
    QFont bigger = label.font();
    bigger.setPointSize(bigger.pointSize() + 6);
    label.setFont(bigger);
    fresh.setText(u"1 : 1"_s);
    fresh.setFont(bigger);
    EXPECT_EQ(shown(label), shown(fresh));
    EXPECT_NE(shown(label), first);
}

TEST(CaretLabel, ATextItsFontLacksIsStillPainted) {
    CaretLabel empty(QString{});
    setUp(empty);
    // A character outside the first plane, and one no Latin font has: the panel falls back to a
    // label's own painting rather than showing nothing.
    for (const QString& text : {u"😀 : 1"_s, u"一 : 1"_s}) {
        CaretLabel label(text);
        setUp(label);
        EXPECT_NE(shown(label), shown(empty)) << qPrintable(text);
    }
}
