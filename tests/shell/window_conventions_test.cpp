// What makes the main window's small parts readable: a selection that shows on any editor
// colours, a status bar that keeps the file name and long line numbers in sight, the chooser's
// drive list following the folder.
#include "shell/editor_colors.h"
#include "shell/game_directory.h"
#include "shell/main_window.h"
#include "test_app.h"
#include "widgets/drive_list.h"
#include "widgets/qt_widget_helpers.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLayout>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

TEST(EditorColors, TheSelectionStandsOutFromTextAndBackground) {
    const QColor defaultBlue(0x00, 0xA8, 0xE8); // the settings' default background
    const std::pair<QColor, QColor> cases[] = {
        {defaultBlue, Qt::black},
        {Qt::white, Qt::black},
        {Qt::black, Qt::white},
        {QColor(0, 0, 128), Qt::yellow},
        {defaultBlue, QColor(0, 160, 230)}, // text hardly visible
        {Qt::gray, Qt::gray},
        {QColor(250, 250, 250), QColor(240, 240, 240)},
    };
    for (const auto& [background, text] : cases) {
        const SelectionColors s = selectionColors(background, text);
        const auto where = background.name().toStdString() + " / " + text.name().toStdString();
        // Selected text is readable, and the selection shows against the unselected text.
        EXPECT_GE(contrastRatio(s.background, s.text), 3.0) << where;
        EXPECT_GE(contrastRatio(s.background, background), 3.0) << where;
    }
}

TEST(ChooserDrives, TheLongestRootHoldingTheFolder) {
    const QStringList roots{u"/"_s, u"/media/usb"_s, u"/home/player"_s, u"/media/usb2/"_s};
    const std::pair<QString, int> cases[] = {
        {u"/home/player/games/cstrike"_s, 2},
        {u"/home/player"_s, 2},
        {u"/home/player2/cstrike"_s, 0}, // a whole folder name, not a prefix of one
        {u"/media/usb2/hl"_s, 3},
        {u"/media/usb/hl"_s, 1},
        {u"/usr/share"_s, 0},
    };
    for (const auto& [folder, index] : cases)
        EXPECT_EQ(driveIndexFor(roots, folder), index) << folder.toStdString();
    EXPECT_EQ(driveIndexFor({u"C:\\"_s, u"D:\\"_s}, u"D:/Games/Half-Life"_s), 1);
    EXPECT_EQ(driveIndexFor({u"/media/usb"_s}, u"/home"_s), -1);
}

TEST(StatusBar, ThePathKeepsItsFileNameAndLongLineNumbersFit) {
    TestApp app;
    app.createWindows();
    app.showMain();
    MainWindow* form = app.w().mainWindow;
    const QString path = u"/home/player/very/long/folder/names/that/go/on/and/on/"_s
                         u"Half-Life/cstrike/my_config.cfg"_s;
    form->showFileName(path);
    auto* panel = form->findChild<PathLabel*>(u"StatusPanel2"_s);
    ASSERT_TRUE(panel);
    panel->resize(200, panel->height());
    EXPECT_EQ(panel->text(), path);
    EXPECT_EQ(panel->toolTip(), path);
    EXPECT_NE(panel->shownText(), path);
    EXPECT_TRUE(panel->shownText().endsWith(u"…/my_config.cfg"_s))
        << panel->shownText().toStdString();
    EXPECT_TRUE(panel->shownText().startsWith(u"/home"_s));
    EXPECT_LE(panel->fontMetrics().horizontalAdvance(panel->shownText()),
              panel->contentsRect().width());
    // Room for the name alone: every folder goes.
    panel->resize(panel->fontMetrics().horizontalAdvance(u"…/my_config.cfg"_s) + panel->width() -
                      panel->contentsRect().width() + 2 * panel->margin(),
                  panel->height());
    EXPECT_EQ(panel->shownText(), u"…/my_config.cfg"_s);
    // Too narrow even for the name: its middle goes.
    panel->resize(60, panel->height());
    EXPECT_TRUE(panel->shownText().contains(u"…"_s));
    EXPECT_TRUE(panel->shownText().endsWith(u"cfg"_s));

    // The caret panel starts narrow (four digits a number) and widens once when a longer line
    // number comes; moving the caret back keeps its size, so the status bar is not laid out
    // again at each keystroke.
    auto* caret = form->findChild<QLabel*>(u"StatusPanel0"_s);
    const QSize narrow = caret->size();
    EXPECT_LT(narrow.width(), caret->fontMetrics().horizontalAdvance(u"12345 : 12345"_s));
    form->editor()->setPlainText(QString(123456, u'\n') + u"bind x"_s);
    form->caretToEnd();
    QCoreApplication::processEvents(); // the panel is shown once per turn of the event loop
    EXPECT_EQ(caret->text(), u"7 : 123457"_s);
    form->statusBar()->layout()->activate();
    EXPECT_GE(caret->contentsRect().width(), caret->fontMetrics().horizontalAdvance(caret->text()));
    const QSize wide = caret->size();
    EXPECT_GT(wide.width(), narrow.width());
    QTextCursor start = form->editor()->textCursor();
    start.movePosition(QTextCursor::Start);
    form->editor()->setTextCursor(start);
    QCoreApplication::processEvents();
    form->statusBar()->layout()->activate();
    EXPECT_EQ(caret->text(), u"1 : 1"_s);
    EXPECT_EQ(caret->size(), wide);
}
