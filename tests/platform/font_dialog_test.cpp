// The font dialog: the choice it starts from shows in its controls, and what the user changes
// (face, style, size, effects, colour) comes back whole, as the preview shows it.
#include "platform/font_choice.h"
#include "platform/qt_font_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontComboBox>
#include <QFontDatabase>
#include <QLabel>
#include <QListWidget>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

TEST(FontChoice, StylesAndColoursMapBothWays) {
    for (int i = 0; i < 4; ++i) {
        QFont f;
        applyFontStyleIndex(f, i);
        EXPECT_EQ(fontStyleIndex(f), i);
    }
    QFont boldItalic;
    applyFontStyleIndex(boldItalic, 3);
    EXPECT_TRUE(boldItalic.bold() && boldItalic.italic());
    EXPECT_EQ(standardColors().size(), 16u);
    EXPECT_EQ(standardColorIndex(QColor(0, 0, 128)), 4);
    EXPECT_EQ(standardColorIndex(QColor(1, 2, 3)), -1);
}

TEST(FontDialog, ShowsTheChoiceAndReturnsWhatWasChanged) {
    FontDialog dialog;
    QFont initial(QFontDatabase::systemFont(QFontDatabase::FixedFont).family(), 12);
    initial.setBold(true);
    dialog.setChoice(FontChoice{initial, QColor(Qt::red)});
    auto* style = dialog.findChild<QListWidget*>(u"StyleBox"_s);
    auto* size = dialog.findChild<QComboBox*>(u"SizeBox"_s);
    auto* color = dialog.findChild<QComboBox*>(u"ColorBox"_s);
    auto* underline = dialog.findChild<QCheckBox*>(u"Underline"_s);
    auto* strikeOut = dialog.findChild<QCheckBox*>(u"StrikeOut"_s);
    auto* preview = dialog.findChild<QLabel*>(u"Preview"_s);
    ASSERT_TRUE(style && size && color && underline && strikeOut && preview);
    EXPECT_EQ(dialog.windowTitle(), u"Шрифт"_s);
    EXPECT_EQ(style->currentItem()->text(), u"Жирный"_s);
    EXPECT_EQ(size->currentText(), u"12"_s);
    EXPECT_EQ(color->currentText(), u"Красный"_s);

    style->setCurrentRow(3);
    size->setCurrentText(u"14"_s);
    underline->setChecked(true);
    strikeOut->setChecked(true);
    color->setCurrentIndex(4);
    emit color->activated(4);
    const FontChoice chosen = dialog.choice();
    EXPECT_TRUE(chosen.font.bold() && chosen.font.italic());
    EXPECT_EQ(chosen.font.pointSize(), 14);
    EXPECT_TRUE(chosen.font.underline());
    EXPECT_TRUE(chosen.font.strikeOut());
    EXPECT_EQ(chosen.color, QColor(0, 0, 128));
    EXPECT_EQ(preview->font(), chosen.font);
    EXPECT_EQ(preview->palette().color(QPalette::WindowText), chosen.color);
}

TEST(FontDialog, AColourOutsideTheListGetsItsOwnEntry) {
    FontDialog dialog;
    dialog.setChoice(FontChoice{QFont(), QColor(10, 20, 30)});
    auto* color = dialog.findChild<QComboBox*>(u"ColorBox"_s);
    EXPECT_EQ(color->count(), 18); // sixteen, the custom one, "Другой..."
    EXPECT_EQ(color->currentIndex(), 16);
    EXPECT_EQ(color->itemText(17), u"Другой..."_s);
    // A standard colour and back to the custom entry.
    emit color->activated(0);
    EXPECT_EQ(dialog.choice().color, QColor(Qt::black));
    emit color->activated(16);
    EXPECT_EQ(dialog.choice().color, QColor(10, 20, 30));
    dialog.setChoice(FontChoice{QFont(), QColor(40, 50, 60)});
    EXPECT_EQ(color->count(), 18);
    EXPECT_EQ(dialog.choice().color, QColor(40, 50, 60));
}
