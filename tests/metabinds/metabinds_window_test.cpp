// The MetaBinds insertion window, driven as the user drives it; the key choice dialog's side is
// played by the test through keyChoiceRequested and fillSlot.
#include "metabinds/metabind_format.h"
#include "metabinds/metabinds_window.h"
#include "platform/cp1251.h"
#include "shell/main_window.h"
#include "test_app.h"
#include "widgets/qt_list_boxes.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLayout>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTimer>
#include <QToolButton>
#include <QtTest/QTest>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

struct MetabFixture : ::testing::Test {
    void SetUp() override {
        folder = app.programDir() + u"dlls/metabinds/"_s;
        write(u"a.mtb"_s, u"// Гранаты\nbind \"<<1>>\" he\nbind \"<<2>>\" fb <<1>>\nbind \"<<3>>\" "
                          u"sg\n[MetaBind]\nname=Гранаты\nbut=3\nlabel=Три гранаты"_s);
        write(u"b.mtb"_s, u"echo none\n[METAbind]\nname=Без кнопок\nbut=\nlabel=error"_s);
        app.createWindows();
        main = app.w().mainWindow;
        metaBinds = app.w().metaBinds;
        ASSERT_TRUE(metaBinds);
        metaBinds->ensureBuilt();
        lx_MeB = metaBinds->findChild<QListWidget*>(u"lx_MeB"_s);
        lx_bind = metaBinds->findChild<QListWidget*>(u"lx_bind"_s);
        sb_bind = metaBinds->findChild<QToolButton*>(u"sb_bind"_s);
        red_bind = metaBinds->findChild<QPlainTextEdit*>(u"red_bind"_s);
        ASSERT_TRUE(lx_MeB && lx_bind && sb_bind && red_bind);
        // The key choice dialog, in place of the program's own: answers each request with the
        // next key of `keys`.
        QObject::disconnect(metaBinds, &MetaBindsWindow::keyChoiceRequested, nullptr, nullptr);
        QObject::connect(metaBinds, &MetaBindsWindow::keyChoiceRequested, metaBinds,
                         [this](const KeyRequest& request) {
                             EXPECT_EQ(request.asker, KeyRequest::Asker::MetaBindSlot);
                             requestedSlots.append(request.index);
                             metaBinds->fillSlot(request.index, keys.takeFirst());
                         });
    }
    void write(const QString& file, const QString& text) {
        app.writeFile(folder + file, cp1251::encode(QString(text).replace(u"\n"_s, u"\r\n"_s)));
    }
    void assign(int slot, const QString& key) {
        lx_bind->setCurrentRow(slot - 1);
        keys.append(key);
        sb_bind->click();
    }
    QString fillAllAndInsert() {
        QStringList chosen;
        for (int n = 1; n <= lx_bind->count(); ++n)
            assign(n, chosen.emplaceBack(u"k%1"_s.arg(n)));
        EXPECT_EQ(sb_bind->text(), u"Вставить"_s);
        sb_bind->click();
        return chosen.join(u',');
    }

    TestApp app;
    QString folder;
    MainWindow* main = nullptr;
    MetaBindsWindow* metaBinds = nullptr;
    QListWidget* lx_MeB = nullptr;
    QListWidget* lx_bind = nullptr;
    QToolButton* sb_bind = nullptr;
    QPlainTextEdit* red_bind = nullptr;
    QStringList keys;
    QList<int> requestedSlots;
};

} // namespace

TEST_F(MetabFixture, OpensFromTheMainWindowAndLeaves) {
    EXPECT_TRUE(sb_bind->font().bold() && sb_bind->font().pixelSize() == 19);
    EXPECT_EQ(sb_bind->palette().color(QPalette::Active, QPalette::ButtonText), QColor(128, 0, 0));
    main->editor()->setPlainText(u"abc\ndef"_s);
    for (const bool viaExit : {true, false}) {
        main->editor()->moveCursor(QTextCursor::Start);
        QTimer::singleShot(0, metaBinds, [&] {
            EXPECT_TRUE(metaBinds->isVisible() && metaBinds->isModal());
            EXPECT_EQ(metaBinds->windowTitle(), u"Вставка МетаБиндов (MetaBinds)"_s);
            // At least its first size, and the player may make it larger.
            EXPECT_GE(metaBinds->width(), 391);
            EXPECT_GE(metaBinds->height(), 366);
            EXPECT_GT(metaBinds->maximumWidth(), metaBinds->width());
            EXPECT_FALSE(metaBinds->windowFlags() & Qt::MSWindowsFixedSizeDialogHint);
            EXPECT_LE((metaBinds->geometry().center() - main->geometry().center()).manhattanLength(),
                      4);
            EXPECT_EQ(listTexts(lx_MeB), (QStringList{u"Гранаты"_s, u"Без кнопок"_s}));
            lx_MeB->setCurrentRow(0);
            lx_bind->setCurrentRow(0);
            if (viaExit)
                metaBinds->findChild<QPushButton*>(u"Button1"_s)->click();
            else
                metaBinds->reject(); // the title bar's close button
        });
        main->action(u"MetaBinds1"_s)->trigger();
        EXPECT_FALSE(metaBinds->isVisible());
        // "Выход" puts the editor's caret at the end and empties the window; the close button
        // does neither.
        EXPECT_EQ(main->editor()->textCursor().atEnd(), viaExit);
        EXPECT_EQ(metaBinds->metaBindPaths().count(), viaExit ? 0 : 2);
        EXPECT_EQ(lx_bind->count(), viaExit ? 0 : 3);
        EXPECT_EQ(sb_bind->isEnabled(), !viaExit);
    }
}

TEST_F(MetabFixture, SlotsAssignedThenInserted) {
    metaBinds->FormShow();
    lx_MeB->setCurrentRow(0);
    EXPECT_EQ(listTexts(lx_bind), metabind::slotCaptions(3));
    EXPECT_EQ(metaBinds->findChild<QPlainTextEdit*>(u"mm_opis"_s)->toPlainText(), u"Три гранаты"_s);
    EXPECT_EQ(red_bind->toPlainText(),
              u"// Гранаты\nbind \"<<1>>\" he\nbind \"<<2>>\" fb <<1>>\nbind \"<<3>>\" sg"_s);
    EXPECT_FALSE(sb_bind->isEnabled());
    assign(2, u"q"_s);
    EXPECT_TRUE(sb_bind->isEnabled());
    assign(2, u"w"_s); // the same slot again: the last key stays
    assign(1, u"MOUSE1"_s);
    EXPECT_EQ(sb_bind->text(), u"BIND"_s);
    assign(3, u"KP_END"_s);
    EXPECT_EQ(requestedSlots, (QList<int>{2, 2, 1, 3}));
    EXPECT_EQ(sb_bind->text(), u"Вставить"_s);

    // Into the main editor, after what was typed, as one step of its own to undo.
    main->editor()->setPlainText(u"unbindall"_s);
    main->setDocumentModified(false);
    main->editor()->moveCursor(QTextCursor::End);
    QTest::keyClick(main->editor(), Qt::Key_Return);
    QTest::keyClicks(main->editor(), u"bind"_s);
    sb_bind->click();
    const QString filled =
        u"// Гранаты\nbind \"MOUSE1\" he\nbind \"w\" fb MOUSE1\nbind \"KP_END\" sg"_s;
    EXPECT_EQ(main->documentText(), u"unbindall\nbind\n"_s + filled);
    EXPECT_TRUE(main->isDocumentModified());
    EXPECT_EQ(red_bind->toPlainText(), filled);
    EXPECT_EQ(lx_bind->count(), 0);
    EXPECT_TRUE(sb_bind->text() == u"BIND"_s && !sb_bind->isEnabled());
    main->editor()->undo();
    EXPECT_EQ(main->documentText(), u"unbindall\nbind"_s);

    // An empty config gets a line break first; the wizard's document gets the block as it is.
    main->editor()->clear();
    metaBinds->lx_MeBClick(); // a click on the MetaBind that is still selected
    fillAllAndInsert();
    const QString block = red_bind->toPlainText();
    EXPECT_EQ(main->documentText(), u"\n"_s + block);
    QSignalSpy toWizard(metaBinds, &MetaBindsWindow::metaBindForWizard);
    metaBinds->FormShow(MetaBindsWindow::Target::Wizard);
    lx_MeB->setCurrentRow(0);
    fillAllAndInsert();
    ASSERT_EQ(toWizard.count(), 1);
    EXPECT_EQ(toWizard.at(0).at(0).toString(), block);
    EXPECT_EQ(main->documentText(), u"\n"_s + block);
}

TEST_F(MetabFixture, NoSlotsOtherCapitalsAndAnUnreadableFile) {
    metaBinds->FormShow();
    lx_MeB->setCurrentRow(1);
    EXPECT_EQ(lx_bind->count(), 0);
    EXPECT_EQ(red_bind->toPlainText(),
              u"echo none\n[METAbind]\nname=Без кнопок\nbut=\nlabel=error"_s);
    metaBinds->lx_bindClick();
    EXPECT_FALSE(sb_bind->isEnabled());

    lx_MeB->setCurrentRow(0);
    assign(1, u"a"_s);
    QFile::remove(folder + u"b.mtb"_s);
    app.dialogs.expect(ScriptedUserDialogs::Kind::Error);
    lx_MeB->setCurrentRow(1);
    EXPECT_TRUE(app.dialogs.lastText().startsWith(u"Файл не открыт:\n"_s + folder + u"b.mtb"_s));
    EXPECT_EQ(lx_MeB->currentRow(), 0);
    EXPECT_EQ(listTexts(lx_bind), (QStringList{u"a"_s, u"Кнопка <<2>>"_s, u"Кнопка <<3>>"_s}));
    EXPECT_TRUE(red_bind->toPlainText().startsWith(u"// Гранаты"_s));
}

TEST_F(MetabFixture, ShippedMetaBindsListShowAndInsert) {
    const QDir shipped(QStringLiteral(TESSERA_SOURCE_DIR) + u"/data/dlls/metabinds"_s);
    const QStringList files = shipped.entryList({u"*.mtb"_s});
    ASSERT_FALSE(files.isEmpty());
    QDir(folder).removeRecursively();
    QDir().mkpath(folder);
    for (const QString& file : files)
        ASSERT_TRUE(QFile::copy(shipped.filePath(file), folder + file));
    metaBinds->FormShow();
    ASSERT_EQ(lx_MeB->count(), files.size());
    // The window opens wide enough for every template's name.
    metaBinds->show();
    QCoreApplication::processEvents();
    for (int row = 0; row < lx_MeB->count(); ++row)
        EXPECT_LE(lx_MeB->fontMetrics().horizontalAdvance(lx_MeB->item(row)->text()),
                  lx_MeB->width() - 2 * lx_MeB->frameWidth() -
                      lx_MeB->verticalScrollBar()->sizeHint().width())
            << lx_MeB->item(row)->text().toStdString() << " in a window " << metaBinds->width()
            << " wide";
    metaBinds->hide();
    for (int row = 0; row < lx_MeB->count(); ++row) {
        const std::string name = lx_MeB->item(row)->text().toStdString();
        lx_MeB->setCurrentRow(row);
        ASSERT_GE(lx_bind->count(), 1) << name;
        EXPECT_FALSE(metaBinds->findChild<QPlainTextEdit*>(u"mm_opis"_s)->toPlainText().isEmpty());
        const QString script = red_bind->toPlainText();
        EXPECT_FALSE(script.contains(u"[MetaBind]"_s, Qt::CaseInsensitive)) << name;
        for (int n = 1; n <= lx_bind->count(); ++n)
            EXPECT_TRUE(script.contains(metabind::placeholder(n))) << name << " slot " << n;
        const QString before = main->documentText();
        const QStringList chosen = fillAllAndInsert().split(u',');
        EXPECT_EQ(main->documentText(), before + u"\n"_s + metabind::fillSlots(script, chosen));
        EXPECT_FALSE(main->documentText().contains(u"<<"_s)) << name;
    }
}
