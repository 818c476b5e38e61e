// The value list window, the explanation pop-up and the insert dialog, driven as a user drives
// them: entries explained and inserted at the editor's caret, weapon pictures, the insert
// dialog's three pages, and the three tool windows travelling with the main window.
#include "keys/keyboard_map_window.h"
#include "platform/cp1251.h"
#include "print_qstring.h"
#include "reference/explanation_window.h"
#include "reference/insert_dialog.h"
#include "reference/reference_window.h"
#include "reference/value_list_window.h"
#include "shell/main_window.h"
#include "shell/tool_window_dock.h"
#include "test_app.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using Kind = ScriptedUserDialogs::Kind;

namespace {

void clickItem(QListWidget* list, const QString& text) {
    const auto found = list->findItems(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    ASSERT_EQ(found.size(), 1) << text.toStdString();
    list->scrollToItem(found.first());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(found.first()).center());
}

void doubleClickItem(QListWidget* list, const QString& text) {
    const auto found = list->findItems(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    ASSERT_EQ(found.size(), 1) << text.toStdString();
    const QPoint at = list->visualItemRect(found.first()).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

} // namespace

class ValueListTest : public ::testing::Test {
protected:
    void SetUp() override {
        app.writeFile(dlls(u"ans1.pro"_s), cp1251::encode(u"[bind]\r\nq=Привязка клавиши\r\n"_s));
        app.writeFile(dlls(u"cvardll/Stcvr.dll"_s), "cl_bob\r\n");
        app.writeFile(dlls(u"Pushki.dll"_s), "weapon_ak47\r\nweapon_broken\r\nweapon_none\r\n");
        app.createWindows();
        app.showMain();
        const AppWindows& w = app.w();
        main = w.mainWindow;
        valueList = w.valueList;
        explanation = w.explanation;
        insertDialog = w.insertDialog;
        ASSERT_TRUE(main && valueList && explanation && insertDialog && w.reference);
        entries = valueList->findChild<QListWidget*>(u"ListBox1"_s);
        add = valueList->findChild<QPushButton*>(u"Button1"_s);
        pages = w.reference->findChild<QTabWidget*>(u"PC1"_s);
        ASSERT_TRUE(entries && add && pages);
    }
    QString dlls(const QString& relative) const { return app.programDir() + u"dlls/"_s + relative; }
    QPlainTextEdit* editor() const { return main->editor(); }
    QString text() const { return editor()->toPlainText(); }
    int caret() const { return editor()->textCursor().position(); }
    void setText(const QString& t) {
        editor()->setPlainText(t);
        QTextCursor c = editor()->textCursor();
        c.movePosition(QTextCursor::End);
        editor()->setTextCursor(c);
    }
    void chooseCategory(int page, const QString& category) {
        pages->setCurrentIndex(page);
        const char16_t* lists[] = {u"ListBox1", u"ListBox2", u"ListBox3"};
        clickItem(app.w().reference->findChild<QListWidget*>(QString::fromUtf16(lists[page])), category);
    }
    QString popupText() const { return explanation->findChild<QLabel*>(u"lbl"_s)->text(); }

    TestApp app;
    MainWindow* main = nullptr;
    ValueListWindow* valueList = nullptr;
    ExplanationWindow* explanation = nullptr;
    InsertDialog* insertDialog = nullptr;
    QListWidget* entries = nullptr;
    QPushButton* add = nullptr;
    QTabWidget* pages = nullptr;
};

TEST_F(ValueListTest, ShownBesideTheEditorWithTheChosenCategory) {
    EXPECT_TRUE(valueList->isVisible());
    // The pop-up comes with the tool windows, but has nothing to say yet.
    EXPECT_TRUE(explanation->isRequested());
    EXPECT_FALSE(explanation->isVisible());
    // Owned by the main window, so the program's dialogs come above them and other programs'
    // windows too; a title bar with nothing to press.
    for (QWidget* tool : {static_cast<QWidget*>(valueList), static_cast<QWidget*>(explanation)}) {
        const Qt::WindowFlags flags = tool->windowFlags();
        EXPECT_EQ(tool->parentWidget(), main);
        EXPECT_TRUE(flags.testFlag(Qt::Tool));
        EXPECT_FALSE(flags.testFlag(Qt::WindowStaysOnTopHint));
        for (const auto button : {Qt::WindowCloseButtonHint, Qt::WindowMinimizeButtonHint,
                                  Qt::WindowMaximizeButtonHint})
            EXPECT_FALSE(flags.testFlag(button));
    }
    EXPECT_TRUE(valueList->windowFlags().testFlag(Qt::CustomizeWindowHint));
    EXPECT_TRUE(explanation->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(explanation->windowTitle(), u"Пояснение"_s);
    // The pop-up is cut to its rounded outline.
    EXPECT_FALSE(explanation->mask().contains(QPoint(0, 0)));
    EXPECT_TRUE(explanation->mask().contains(explanation->rect().center()));

    auto* label = valueList->findChild<QLabel*>(u"Label3"_s);
    EXPECT_EQ(label->text(), u"Выбор: (CMD) Standart"_s);
    EXPECT_EQ(entries->count(), 3);
    EXPECT_FALSE(add->isEnabled());
    valueList->resize(200, 300);
    EXPECT_EQ(add->width(), valueList->width() - 2);

    // With no hint under the pointer the status bar names the chosen category.
    QStatusTipEvent none{QString()};
    QCoreApplication::sendEvent(main, &none);
    EXPECT_EQ(main->statusLine(), u"Выбор: (CMD) Standart"_s);
    QStatusTipEvent listHint(entries->statusTip());
    QCoreApplication::sendEvent(entries, &listHint);
    EXPECT_EQ(main->statusLine(), u"Список значений"_s);
}

TEST_F(ValueListTest, ACommandIsExplainedAndInsertedWithItsSemicolon) {
    clickItem(entries, u"bind"_s);
    EXPECT_TRUE(add->isEnabled());
    EXPECT_EQ(popupText(), u" Привязка клавиши"_s);
    clickItem(entries, u"alias"_s);
    EXPECT_EQ(popupText(), u" ????"_s);

    setText(u"x"_s);
    editor()->document()->setModified(false);
    doubleClickItem(entries, u"unbind"_s);
    EXPECT_EQ(text(), u"xunbind ;"_s);
    EXPECT_EQ(caret(), text().size());
    EXPECT_TRUE(editor()->document()->isModified());
    EXPECT_EQ(main->focusWidget(), editor());

    // "Добавить" inserts the selected entry the same way.
    setText(u"          "_s);
    QTest::mouseClick(add, Qt::LeftButton);
    EXPECT_EQ(text(), u"          unbind ;"_s);
}

TEST_F(ValueListTest, AVariableTakesItsFormFromTheCaretColumn) {
    chooseCategory(1, u"Standart"_s);
    setText(u"1234567"_s);
    doubleClickItem(entries, u"cl_bob"_s);
    EXPECT_EQ(text(), u"1234567cl_bob \"\""_s);
    EXPECT_EQ(text().mid(caret()), u"\""_s); // between the quotes

    setText(u"12345678"_s);
    doubleClickItem(entries, u"cl_bob"_s);
    EXPECT_EQ(text(), u"12345678cl_bob ;"_s);
    EXPECT_EQ(text().mid(caret()), u";"_s);

    // The selection is replaced; its start decides the form.
    editor()->setPlainText(u"ab OLD_VALUE_HERE\nnext"_s);
    QTextCursor c = editor()->textCursor();
    c.setPosition(3);
    c.setPosition(17, QTextCursor::KeepAnchor);
    editor()->setTextCursor(c);
    QTest::mouseClick(add, Qt::LeftButton);
    EXPECT_EQ(text(), u"ab cl_bob \"\"\nnext"_s);
}

TEST_F(ValueListTest, LibraryEntriesInheritTheFormOfTheLastCategoryClick) {
    app.writeFile(dlls(u"dlz/rates.dlz"_s), "rate 2500\r\n");
    app.writeFile(dlls(u"dlz/rates.pro"_s), cp1251::encode(u"[rate 2500]\r\nq=Для модема\r\n"_s));
    // The start-up selection chose a command category.
    chooseCategory(2, u"rates"_s);
    clickItem(entries, u"rate 2500"_s);
    EXPECT_EQ(popupText(), u" Для модема"_s);
    setText(QString());
    doubleClickItem(entries, u"rate 2500"_s);
    EXPECT_EQ(text(), u"rate 2500 ;"_s);

    chooseCategory(1, u"Standart"_s);
    chooseCategory(2, u"rates"_s);
    setText(QString());
    doubleClickItem(entries, u"rate 2500"_s);
    EXPECT_EQ(text(), u"rate 2500 \"\""_s);

    // The library page lost its selection: the entries are still the library's own.
    app.w().reference->TabSheet3Exit();
    ASSERT_EQ(app.w().reference->selectedLibrary(), QString());
    explanation->showExplanation(QString());
    clickItem(entries, u"rate 2500"_s);
    EXPECT_EQ(popupText(), u" Для модема"_s);
}

TEST_F(ValueListTest, NothingIsInsertedWithoutASelectedEntry) {
    clickItem(entries, u"bind"_s);
    ASSERT_TRUE(add->isEnabled());
    // The reference window loads another list: nothing is selected in it.
    chooseCategory(0, u"Standart"_s);
    EXPECT_TRUE(add->isEnabled());
    setText(u"keep"_s);
    QTest::mouseClick(add, Qt::LeftButton);
    QTest::mouseDClick(entries->viewport(), Qt::LeftButton, {},
                       QPoint(5, entries->viewport()->height() - 3));
    EXPECT_EQ(text(), u"keep"_s);
}

TEST_F(ValueListTest, WeaponPicturesShowAndABrokenOneIsReported) {
    QFile shipped(QStringLiteral(TESSERA_SOURCE_DIR) +
                  u"/data/dlls/cvardll/guns/weapon_ak47.jpg"_s);
    ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
    const QByteArray jpeg = shipped.readAll();
    app.writeFile(dlls(u"cvardll/guns/weapon_ak47.jpg"_s), jpeg);
    app.writeFile(dlls(u"cvardll/guns/weapon_broken.jpg"_s), jpeg.left(jpeg.size() / 3));
    chooseCategory(0, u"Weapons"_s);
    explanation->showExplanation(u" before"_s);

    clickItem(entries, u"weapon_ak47"_s);
    EXPECT_TRUE(explanation->pictureShown());
    const QPixmap shown = explanation->findChild<QLabel*>(u"Image1"_s)->pixmap();
    EXPECT_FALSE(shown.isNull());
    EXPECT_LE(shown.width(), 205);
    EXPECT_LE(shown.height(), 65);
    // The picture replaces the text, which is kept for later.
    EXPECT_EQ(popupText(), u" before"_s);
    EXPECT_FALSE(explanation->findChild<QLabel*>(u"lbl"_s)->isVisible());

    for (const QString& entry : {u"weapon_broken"_s, u"weapon_none"_s}) {
        app.dialogs.expect(Kind::Error);
        clickItem(entries, entry);
        EXPECT_TRUE(app.dialogs.allUsed());
        EXPECT_EQ(app.dialogs.lastText(), u"Ненайден файл соответствующий значению "_s + entry);
        EXPECT_FALSE(explanation->pictureShown());
    }

    // Another page turns picture mode off: the same entry is explained instead.
    clickItem(entries, u"weapon_ak47"_s);
    pages->setCurrentIndex(1);
    pages->setCurrentIndex(0);
    clickItem(entries, u"weapon_ak47"_s);
    EXPECT_FALSE(explanation->pictureShown());
    EXPECT_EQ(popupText(), u" ????"_s);
}

// The pop-up stands only with something to show, and steps aside while the player works in a
// window other than the main window and its tool windows (the keyboard map here).
TEST_F(ValueListTest, ThePopUpShowsWithAnExplanationAndNeverOverAnotherWindow) {
    // The offscreen platform activates no window by itself: the window system's part is played
    // here.
    QApplication::setActiveWindow(main);
    EXPECT_FALSE(explanation->isVisible());
    clickItem(entries, entries->item(0)->text());
    EXPECT_TRUE(explanation->isVisible());
    EXPECT_FALSE(explanation->explanation().isEmpty());

    KeyboardMapWindow* keyMap = app.w().keyMap;
    keyMap->showMap();
    QApplication::setActiveWindow(keyMap);
    EXPECT_FALSE(explanation->isVisible());
    QApplication::setActiveWindow(main);
    EXPECT_TRUE(explanation->isVisible());
    // A tool window of the main window counts as the main window.
    QApplication::setActiveWindow(valueList);
    EXPECT_TRUE(explanation->isVisible());
    keyMap->close();
}

TEST_F(ValueListTest, TheEditorsLookUpShowsInThePopUp) {
    explanation->showPicture(QImage(10, 10, QImage::Format_RGB32));
    editor()->setPlainText(u"bind x"_s);
    QTextCursor c = editor()->textCursor();
    c.setPosition(0);
    c.setPosition(4, QTextCursor::KeepAnchor);
    editor()->setTextCursor(c);
    main->action(u"N18"_s)->trigger();
    EXPECT_FALSE(explanation->pictureShown());
    EXPECT_EQ(popupText(), u" Привязка клавиши"_s);
}

TEST_F(ValueListTest, ALongExplanationWrapsScrollsAndShowsWholeAsItsTip) {
    const QString longText =
        u" Задаёт, сколько раз в секунду клиент отправляет серверу свои команды; чем больше, тем "
        u"точнее сервер видит движения игрока, но тем больше нужен канал. Обычное значение для "
        u"модема 30, для выделенной линии 100."_s;
    const QSize before = explanation->size();
    explanation->showExplanation(longText);
    QCoreApplication::processEvents();
    auto* area = explanation->findChild<QScrollArea*>(u"TextArea"_s);
    auto* label = explanation->findChild<QLabel*>(u"lbl"_s);
    ASSERT_TRUE(area && label);
    EXPECT_EQ(explanation->size(), before); // the pop-up keeps its size
    EXPECT_TRUE(label->wordWrap());
    EXPECT_GT(area->verticalScrollBar()->maximum(), 0); // the rest is a scroll away
    EXPECT_LE(label->width(), area->viewport()->width());
    EXPECT_TRUE(label->toolTip().contains(longText.trimmed().toHtmlEscaped()));
    // The pop-up never becomes the active window; its tip shows all the same.
    EXPECT_TRUE(explanation->testAttribute(Qt::WA_AlwaysShowToolTips));
    explanation->showExplanation(u" ????"_s);
    QCoreApplication::processEvents();
    EXPECT_EQ(area->verticalScrollBar()->maximum(), 0);
}

TEST_F(ValueListTest, ThePopUpIsDraggedByItsText) {
    // Placed from the settings at the main window's first activation.
    main->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main));
    QCoreApplication::processEvents();
    explanation->move(300, 200);
    QWidget* text = explanation->findChild<QLabel*>(u"lbl"_s);
    QTest::mousePress(text, Qt::LeftButton, {}, QPoint(40, 20));
    QTest::mouseMove(text, QPoint(70, 45));
    QTest::mouseRelease(text, Qt::LeftButton, {}, QPoint(70, 45));
    EXPECT_EQ(explanation->pos(), QPoint(330, 225));
    // Without a button held the pointer moves over it freely.
    QTest::mouseMove(text, QPoint(10, 10));
    EXPECT_EQ(explanation->pos(), QPoint(330, 225));
}

// --- the insert dialog

class InsertDialogTest : public ValueListTest {
protected:
    void open(const QString& button) {
        QPushButton* b = app.w().reference->findChild<QPushButton*>(button);
        ASSERT_NE(b, nullptr);
        QTest::mouseClick(b, Qt::LeftButton);
        ASSERT_TRUE(insertDialog->isVisible());
    }
    template <typename T> T* control(const QString& name) const {
        T* c = insertDialog->findChild<T*>(name);
        EXPECT_NE(c, nullptr) << name.toStdString();
        return c;
    }
    QWidget* currentPage() const { return control<QStackedWidget>(u"pg2"_s)->currentWidget(); }
};

TEST_F(InsertDialogTest, BindNeedsAKeyAndInsertsItBare) {
    setText(QString());
    open(u"SBut7"_s);
    EXPECT_EQ(insertDialog->windowTitle(), u"Bind - выберите клавишу для присвоения"_s);
    EXPECT_EQ(currentPage()->objectName(), u"tb2"_s);
    EXPECT_FALSE(insertDialog->isModal());
    auto* keys = control<QListWidget>(u"ListBox1"_s);
    EXPECT_EQ(keys->count(), 109);

    app.dialogs.expect(Kind::Message);
    QTest::mouseClick(control<QPushButton>(u"Button3"_s), Qt::LeftButton);
    EXPECT_EQ(app.dialogs.lastText(), u"Для продолжения выберите клавишу!"_s);
    EXPECT_TRUE(insertDialog->isVisible());
    EXPECT_EQ(text(), QString());

    // Enter in the key list confirms.
    keys->setCurrentItem(keys->findItems(u";"_s, Qt::MatchExactly).first());
    QTest::keyClick(keys, Qt::Key_Return);
    EXPECT_FALSE(insertDialog->isVisible());
    EXPECT_EQ(text(), u"bind \";\" \"\""_s);
    EXPECT_EQ(text().mid(caret()), u"\""_s);

    // Inline, the key "*" stays bare too; the key stays selected for the next opening.
    setText(u"alias a \""_s);
    open(u"SBut7"_s);
    keys->setCurrentItem(keys->findItems(u"*"_s, Qt::MatchExactly).first());
    QTest::mouseClick(control<QPushButton>(u"Button3"_s), Qt::LeftButton);
    EXPECT_EQ(text(), u"alias a \"bind * ;"_s);
    EXPECT_EQ(text().mid(caret()), u";"_s);
}

TEST_F(InsertDialogTest, TheKeysStandInTwoColumnsOfOneList) {
    open(u"SBut7"_s);
    auto* keys = control<QListWidget>(u"ListBox1"_s);
    EXPECT_EQ(keys->selectionMode(), QAbstractItemView::SingleSelection);
    const int half = keys->viewport()->width() / 2;
    int secondColumn = -1;
    for (int i = 0; i < keys->count() && secondColumn < 0; ++i)
        if (keys->visualItemRect(keys->item(i)).left() > 0)
            secondColumn = i;
    ASSERT_GT(secondColumn, 0);
    // The second column starts at the middle and continues the first one downwards.
    EXPECT_NEAR(keys->visualItemRect(keys->item(secondColumn)).left(), half, 2);
    EXPECT_EQ(keys->visualItemRect(keys->item(secondColumn)).top(),
              keys->visualItemRect(keys->item(0)).top());
}

TEST_F(InsertDialogTest, SetinfoInsertsTheLineThenBreaksIt) {
    setText(u"// top"_s);
    QTextCursor c = editor()->textCursor();
    c.setPosition(0);
    editor()->setTextCursor(c);
    open(u"SBut10"_s);
    EXPECT_EQ(insertDialog->windowTitle(), u"SetInfo - выберите из списка"_s);
    EXPECT_EQ(currentPage()->objectName(), u"tb1"_s);
    auto* parameter = control<QComboBox>(u"ComboBox3"_s);
    auto* value = control<QLineEdit>(u"Edi1"_s);
    EXPECT_EQ(parameter->currentText(), QString());
    EXPECT_EQ(parameter->count(), 4);

    // Keys reach the combo box, which hands them to its line edit.
    QTest::keyClicks(parameter, u"name"_s);
    QTest::keyClick(parameter, Qt::Key_Return);
    EXPECT_FALSE(insertDialog->isVisible());
    // An empty value ends in two quotes; the line break goes after the caret's whole line.
    EXPECT_EQ(text(), u"setinfo \"name\" \"\"// top\n"_s);
    EXPECT_EQ(caret(), text().size());
    EXPECT_EQ(parameter->count(), 5);

    // Reopened: the parameter is empty again, the value stays.
    value->setText(u"Player"_s);
    open(u"SBut10"_s);
    EXPECT_EQ(parameter->currentText(), QString());
    EXPECT_EQ(value->text(), u"Player"_s);
    parameter->setEditText(u"name"_s);
    QTest::keyClick(value, Qt::Key_Enter);
    EXPECT_EQ(text(), u"setinfo \"name\" \"\"// top\nsetinfo \"name\" \"Player\"\n"_s);
    // Confirmed twice, kept once; an empty parameter is inserted but never kept.
    EXPECT_EQ(parameter->count(), 5);
    open(u"SBut10"_s);
    QTest::mouseClick(control<QPushButton>(u"Button1"_s), Qt::LeftButton);
    EXPECT_EQ(parameter->count(), 5);
    EXPECT_TRUE(text().endsWith(u"setinfo \"\" \"Player\"\n"_s));

    // Far from the line start the inline form, without a blank before the ";".
    setText(u"exec a.cfg "_s);
    open(u"SBut10"_s);
    parameter->setEditText(u"_ah"_s);
    QTest::mouseClick(control<QPushButton>(u"Button1"_s), Qt::LeftButton);
    EXPECT_EQ(text(), u"exec a.cfg setinfo _ah Player;\n"_s);
}

TEST_F(InsertDialogTest, AliasLeavesTheCaretBetweenTheQuotes) {
    setText(QString());
    open(u"SBut8"_s);
    EXPECT_EQ(insertDialog->windowTitle(), u"Alias - наберите имя команды"_s);
    EXPECT_EQ(currentPage()->objectName(), u"tb3"_s);
    auto* name = control<QComboBox>(u"ComboBox4"_s);
    EXPECT_EQ(name->count(), 0);
    QTest::keyClicks(name, u"+jump2"_s);
    QTest::keyClick(name, Qt::Key_Return);
    EXPECT_FALSE(insertDialog->isVisible());
    EXPECT_EQ(text(), u"alias \"+jump2\" \"\""_s); // no line break
    EXPECT_EQ(text().mid(caret()), u"\""_s);
    EXPECT_EQ(name->count(), 1);

    open(u"SBut8"_s);
    EXPECT_EQ(name->currentText(), QString());
    QTest::keyClicks(name, u"+jump2"_s);
    QTest::mouseClick(control<QPushButton>(u"Button5"_s), Qt::LeftButton);
    EXPECT_EQ(name->count(), 1);
}

TEST_F(InsertDialogTest, CancelAndEscapeInsertNothing) {
    setText(u"keep"_s);
    // Esc pressed in each page's field reaches the dialog.
    const std::pair<const char16_t*, const char16_t*> fields[] = {
        {u"SBut10", u"ComboBox3"}, {u"SBut7", u"ListBox1"}, {u"SBut8", u"ComboBox4"}};
    for (const auto& [button, field] : fields) {
        open(QString::fromUtf16(button));
        QTest::keyClick(insertDialog->findChild<QWidget*>(QString::fromUtf16(field)), Qt::Key_Escape);
        EXPECT_FALSE(insertDialog->isVisible()) << QString::fromUtf16(field).toStdString();
    }
    const char16_t* cancels[] = {u"Button2", u"Button4", u"Button6"};
    const char16_t* openers[] = {u"SBut10", u"SBut7", u"SBut8"};
    for (int i = 0; i < 3; ++i) {
        open(QString::fromUtf16(openers[i]));
        QTest::mouseClick(control<QPushButton>(QString::fromUtf16(cancels[i])), Qt::LeftButton);
        EXPECT_FALSE(insertDialog->isVisible()) << i;
    }
    EXPECT_EQ(text(), u"keep"_s);
}

// --- the three tool windows beside the main window

TEST_F(ValueListTest, TheToolWindowsFollowDockAndComeBack) {
    const AppWindows& w = app.w();
    QWidget* tools[] = {w.valueList, w.reference, w.explanation};
    main->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main));
    // The settings' defaults are placed at the first activation, beside the main window and
    // none over another.
    EXPECT_EQ(w.valueList->pos(), QPoint(575, 10));
    EXPECT_EQ(w.valueList->size(), QSize(150, 385));
    EXPECT_EQ(w.reference->pos(), QPoint(740, 10));
    EXPECT_EQ(explanation->pos(), QPoint(575, 435));
    for (int i = 0; i < 3; ++i)
        for (int j = i + 1; j < 3; ++j)
            EXPECT_FALSE(tools[i]->frameGeometry().intersects(tools[j]->frameGeometry())) << i << j;
    for (QWidget* tool : tools)
        EXPECT_FALSE(tool->frameGeometry().intersects(main->frameGeometry()));

    QPoint before[3];
    for (int i = 0; i < 3; ++i)
        before[i] = tools[i]->pos();
    main->move(main->pos() + QPoint(30, 20));
    QTRY_COMPARE(w.valueList->pos(), before[0] + QPoint(30, 20));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(tools[i]->pos(), before[i] + QPoint(30, 20)) << i;
    for (int i = 0; i < 3; ++i)
        before[i] = tools[i]->pos();

    // The reference window fits its docked 194 pixels with a title bar of up to 32.
    EXPECT_LE(w.reference->minimumSizeHint().height(), 194 - 32);
    // Docked at the right edge with the fixed outer sizes, however often the maximized window
    // is repainted; restored, back where they were, cycle after cycle.
    for (int cycle = 0; cycle < 3; ++cycle) {
        main->showMaximized();
        QTRY_COMPARE(main->frameGeometry().topLeft(), QPoint(0, 0));
        const int width = main->frameGeometry().width();
        const int height = main->frameGeometry().height();
        QTRY_COMPARE(w.valueList->frameGeometry(), QRect(width - 157 - 15, 266, 157, 200));
        EXPECT_EQ(w.reference->frameGeometry(), QRect(width - 157 - 15, 72, 157, 194));
        EXPECT_EQ(explanation->pos(), QPoint(width - explanation->width() - 15, height - 142));
        main->update();
        QCoreApplication::processEvents();
        EXPECT_EQ(w.reference->frameGeometry(), QRect(width - 157 - 15, 72, 157, 194));

        main->showNormal();
        QTRY_VERIFY(!main->isMaximized());
        QTRY_COMPARE(w.valueList->pos(), before[0]);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(tools[i]->pos(), before[i]) << "cycle " << cycle << " window " << i;
        EXPECT_EQ(w.valueList->size(), QSize(150, 385));
    }

    // Closing stores where they stand.
    w.valueList->move(before[0] + QPoint(1, 2));
    explanation->move(before[2] + QPoint(3, 4));
    main->close();
    const QByteArray ini = app.readFile(app.programDir() + u"Cfgneed.INI"_s);
    const QByteArray pani1L = "pani1L=" + QByteArray::number(before[0].x() + 1);
    const QByteArray f6T = "f6T=" + QByteArray::number(before[2].y() + 4);
    EXPECT_TRUE(ini.contains(pani1L)) << ini.toStdString();
    EXPECT_TRUE(ini.contains(f6T)) << ini.toStdString();
}
