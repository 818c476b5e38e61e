// The tool windows on the screen the program runs on: maximized, they stand in a strip of the
// main window that its controls keep out of, wholly on the screen and under the title bar; after
// resizes none stands over another; their × hides them and the menu brings them back. CTest runs
// these again on a 1366x768 screen, at the scale of 1 and of 1.25.
#include "app/window_wiring.h"
#include "reference/explanation_window.h"
#include "reference/reference_window.h"
#include "reference/value_list_window.h"
#include "shell/main_window.h"
#include "test_app.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTest>
#include <QtTest/qtestspontaneevent.h>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

struct ToolWindowsOnTheScreen : ::testing::Test {
    TestApp app;
    MainWindow* form = nullptr;

    void SetUp() override {
        app.createWindows();
        app.showMain();
        form = app.w().mainWindow;
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form));
        settle();
    }
    // The tool windows follow a moment after the main window's events.
    static void settle() {
        for (int i = 0; i < 5; ++i) {
            QTest::qWait(20);
            QCoreApplication::processEvents();
        }
    }
    QList<QWidget*> tools() const { return {app.w().reference, app.w().valueList, app.w().explanation}; }
    QRect available() const { return form->screen()->availableGeometry(); }
    static QRect globalRect(const QWidget* w) {
        return QRect(w->mapToGlobal(QPoint(0, 0)), w->size());
    }
    // No two of the tool windows over each other.
    std::string overlaps() const {
        const QList<QWidget*> t = tools();
        for (int i = 0; i < t.size(); ++i)
            for (int j = i + 1; j < t.size(); ++j)
                if (t[i]->frameGeometry().intersects(t[j]->frameGeometry()))
                    return t[i]->objectName().toStdString() + " over " +
                           t[j]->objectName().toStdString();
        return {};
    }
};

TEST_F(ToolWindowsOnTheScreen, MaximizedTheyStandOnTheScreenBesideEveryControl) {
    const ToolGeometry before = form->toolWindows().actual();
    const bool popupShown = app.w().explanation->isVisible();
    form->showMaximized();
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->isMaximized(); }));
    settle();
    const QRect screen = available();
    const std::string scale = std::to_string(form->devicePixelRatioF());
    for (QWidget* w : tools()) {
        const std::string name = w->objectName().toStdString() + " at " + scale;
        EXPECT_TRUE(w->isVisible() || (w == app.w().explanation && !popupShown)) << name;
        EXPECT_TRUE(screen.contains(w->frameGeometry())) << name;
        // Below the main window's title bar, its buttons and its menus.
        EXPECT_GT(w->frameGeometry().top(), globalRect(form->menuBar()).bottom()) << name;
    }
    EXPECT_EQ(overlaps(), std::string());
    // None of the main window's controls lies under a tool window: the editor, the bottom
    // panel's labels, the status bar's panels.
    QList<QWidget*> controls{form->editor(), form->statusBar()};
    for (const char* label : {"Label1", "Label2", "Label3", "Label4"})
        controls.append(form->findChild<QWidget*>(QString::fromLatin1(label)));
    controls.append(form->findChild<QWidget*>(u"StatusPanel3"_s));
    for (QWidget* control : std::as_const(controls)) {
        ASSERT_TRUE(control);
        for (QWidget* w : tools())
            EXPECT_FALSE(w->frameGeometry().intersects(globalRect(control)))
                << w->objectName().toStdString() << " over " << control->objectName().toStdString()
                << " at " << scale;
    }
    // The value list's "Добавить" can be reached.
    auto* add = app.w().valueList->findChild<QPushButton*>(u"Button1"_s);
    ASSERT_TRUE(add);
    EXPECT_TRUE(screen.contains(globalRect(add)));
    EXPECT_TRUE(QRect(QPoint(0, 0), app.w().valueList->size()).contains(add->geometry()));

    // Restored, they are back where they were, and the editor has its width again.
    form->showNormal();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !form->isMaximized(); }));
    settle();
    EXPECT_EQ(form->toolWindows().actual(), before);
    EXPECT_EQ(form->centralWidget()->contentsMargins(), QMargins());
}

TEST_F(ToolWindowsOnTheScreen, ResizedToNearlyTheScreensWidthAndBackNoneStacks) {
    const QRect screen = available();
    for (const int width : {screen.width() - 40, screen.width() - 16, 700, 560}) {
        form->resize(width, form->height());
        settle();
        EXPECT_EQ(overlaps(), std::string()) << "width " << width;
        for (QWidget* w : tools())
            EXPECT_TRUE(screen.intersects(w->frameGeometry()))
                << w->objectName().toStdString() << " width " << width;
    }
}

// The × of a tool window hides it (a window manager may show one whatever the window asks);
// "Инструменты" brings the windows back.
TEST_F(ToolWindowsOnTheScreen, TheirCloseBoxHidesThemAndTheMenuShowsThemAgain) {
    for (QWidget* w : {static_cast<QWidget*>(app.w().reference), static_cast<QWidget*>(app.w().valueList)}) {
        QCloseEvent close;
        QSpontaneKeyEvent::setSpontaneous(&close); // as the window manager's × sends it
        QCoreApplication::sendEvent(w, &close);
        EXPECT_TRUE(close.isAccepted()) << w->objectName().toStdString();
        w->hide(); // what an accepted close does
    }
    QAction* back = form->action(u"ToolWindows1"_s);
    ASSERT_TRUE(back);
    back->trigger();
    settle();
    EXPECT_TRUE(app.w().reference->isVisible());
    EXPECT_TRUE(app.w().valueList->isVisible());
}

} // namespace
