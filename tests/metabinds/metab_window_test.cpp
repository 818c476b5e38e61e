// The MetaBinds insertion window, driven as the user drives it; the key choice dialog's side is
// played by the test through keyChoiceRequested and fillSlot.
#include "app/Project1.h"
#include "metabinds/Unit11.h"
#include "metabinds/metabind_format.h"
#include "platform/cp1251.h"
#include "shell/Unit1.h"
#include "test_app.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QToolButton>
#include <QtTest/QTest>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using Kind = ScriptedUserDialogs::Kind;

namespace {

QStringList texts(const QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out.append(list->item(i)->text());
    return out;
}

struct MetabFixture : ::testing::Test {
    void SetUp() override {
        folder = app.programDir() + u"dlls/metabinds/"_s;
        write(u"a.mtb"_s, u"// Гранаты\nbind \"<<1>>\" he\nbind \"<<2>>\" fb <<1>>\nbind \"<<3>>\" "
                          u"sg\n[MetaBind]\nname=Гранаты\nbut=3\nlabel=Три гранаты"_s);
        write(u"b.mtb"_s, u"echo none\n[METAbind]\nname=Без кнопок\nbut=\nlabel=error"_s);
        app.createWindows();
        main = app.ctx->windows.form1;
        metab = app.ctx->windows.metab;
        ASSERT_TRUE(metab);
        lx_MeB = metab->findChild<QListWidget*>(u"lx_MeB"_s);
        lx_bind = metab->findChild<QListWidget*>(u"lx_bind"_s);
        sb_bind = metab->findChild<QToolButton*>(u"sb_bind"_s);
        red_bind = metab->findChild<QPlainTextEdit*>(u"red_bind"_s);
        mm_opis = metab->findChild<QPlainTextEdit*>(u"mm_opis"_s);
        ASSERT_TRUE(lx_MeB && lx_bind && sb_bind && red_bind && mm_opis);
        // The key choice dialog: answers each request with the next key of `keys`.
        QObject::connect(metab, &TMetab::keyChoiceRequested, metab, [this] {
            requestedSlots.append(app.state.keySlot);
            metab->fillSlot(app.state.keySlot, keys.takeFirst());
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
    void fillAllAndInsert() {
        for (int n = 1; n <= lx_bind->count(); ++n)
            assign(n, u"k%1"_s.arg(n));
        ASSERT_EQ(sb_bind->text(), u"Вставить"_s);
        sb_bind->click();
    }

    TestApp app;
    QString folder;
    TForm1* main = nullptr;
    TMetab* metab = nullptr;
    QListWidget* lx_MeB = nullptr;
    QListWidget* lx_bind = nullptr;
    QToolButton* sb_bind = nullptr;
    QPlainTextEdit* red_bind = nullptr;
    QPlainTextEdit* mm_opis = nullptr;
    QStringList keys;
    QList<int> requestedSlots;
};

} // namespace

TEST_F(MetabFixture, OpensFromTheMainWindowAndLeaves) {
    const QFont font = sb_bind->font();
    EXPECT_TRUE(font.bold() && font.pixelSize() == 19);
    EXPECT_EQ(sb_bind->palette().color(QPalette::Active, QPalette::ButtonText), QColor(128, 0, 0));
    main->editor()->setPlainText(u"abc\ndef"_s);
    for (const bool viaExit : {true, false}) {
        main->editor()->moveCursor(QTextCursor::Start);
        app.state.metaBindTarget = 0;
        QTimer::singleShot(0, metab, [&] {
            EXPECT_TRUE(metab->isVisible() && metab->isModal());
            EXPECT_EQ(metab->windowTitle(), u"Вставка МетаБиндов (MetaBinds)"_s);
            EXPECT_EQ(metab->size(), QSize(391, 366));
            EXPECT_LE((metab->geometry().center() - main->geometry().center()).manhattanLength(),
                      4);
            EXPECT_EQ(texts(lx_MeB), (QStringList{u"Гранаты"_s, u"Без кнопок"_s}));
            lx_MeB->setCurrentRow(0);
            lx_bind->setCurrentRow(0);
            app.state.keySlot = 1; // a key choice under way when the window goes
            if (viaExit)
                metab->findChild<QPushButton*>(u"Button1"_s)->click();
            else
                metab->reject(); // the title bar's close button
        });
        main->action(u"MetaBinds1"_s)->trigger();
        EXPECT_FALSE(metab->isVisible());
        EXPECT_EQ(app.state.metaBindTarget, 1);
        EXPECT_EQ(app.state.keySlot, 0);
        // "Выход" puts the editor's caret at the end and empties the window; the close button
        // does neither.
        EXPECT_EQ(main->editor()->textCursor().atEnd(), viaExit);
        EXPECT_EQ(metab->metaBindPaths().count(), viaExit ? 0 : 2);
        EXPECT_EQ(lx_bind->count(), viaExit ? 0 : 3);
        EXPECT_EQ(sb_bind->isEnabled(), !viaExit);
    }
}

TEST_F(MetabFixture, SlotsAssignedThenInsertedAsOneUndoStep) {
    metab->FormShow();
    lx_MeB->setCurrentRow(0);
    EXPECT_EQ(texts(lx_bind), metabind::slotCaptions(3));
    EXPECT_EQ(mm_opis->toPlainText(), u"Три гранаты"_s);
    const QString script =
        u"// Гранаты\nbind \"<<1>>\" he\nbind \"<<2>>\" fb <<1>>\nbind \"<<3>>\" sg"_s;
    EXPECT_EQ(red_bind->toPlainText(), script);
    EXPECT_FALSE(sb_bind->isEnabled());

    assign(2, u"q"_s);
    EXPECT_TRUE(sb_bind->isEnabled());
    assign(2, u"w"_s); // the same slot again: the last key stays
    assign(1, u"MOUSE1"_s);
    EXPECT_EQ(sb_bind->text(), u"BIND"_s);
    assign(3, u"KP_END"_s);
    EXPECT_EQ(requestedSlots, (QList<int>{2, 2, 1, 3}));
    EXPECT_EQ(app.state.keySlot, 0);
    EXPECT_EQ(texts(lx_bind), (QStringList{u"MOUSE1"_s, u"w"_s, u"KP_END"_s}));
    EXPECT_EQ(sb_bind->text(), u"Вставить"_s);

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
    EXPECT_EQ(sb_bind->text(), u"BIND"_s);
    EXPECT_FALSE(sb_bind->isEnabled());
    main->editor()->undo();
    EXPECT_EQ(main->documentText(), u"unbindall\nbind"_s);
}

TEST_F(MetabFixture, EmptyEditorAndTheWizardsDocument) {
    metab->FormShow();
    main->editor()->clear();
    lx_MeB->setCurrentRow(0);
    fillAllAndInsert();
    const QString block = red_bind->toPlainText();
    EXPECT_EQ(main->documentText(), u"\n"_s + block);

    QSignalSpy toWizard(metab, &TMetab::metaBindForWizard);
    app.state.metaBindTarget = 0;
    metab->lx_MeBClick(); // a click on the MetaBind that is still selected
    fillAllAndInsert();
    ASSERT_EQ(toWizard.count(), 1);
    EXPECT_EQ(toWizard.at(0).at(0).toString(), block);
    EXPECT_EQ(main->documentText(), u"\n"_s + block);
}

TEST_F(MetabFixture, NoSlotsAndAHeaderInOtherCapitals) {
    metab->FormShow();
    lx_MeB->setCurrentRow(1);
    EXPECT_EQ(lx_bind->count(), 0);
    EXPECT_EQ(mm_opis->toPlainText(), QString());
    EXPECT_EQ(red_bind->toPlainText(),
              u"echo none\n[METAbind]\nname=Без кнопок\nbut=\nlabel=error"_s);
    metab->lx_bindClick();
    metab->fillSlot(1, u"a"_s);
    EXPECT_FALSE(sb_bind->isEnabled());
    EXPECT_EQ(sb_bind->text(), u"BIND"_s);
}

TEST_F(MetabFixture, AnUnreadableChoiceChangesNothing) {
    metab->FormShow();
    lx_MeB->setCurrentRow(0);
    assign(1, u"a"_s);
    QFile::remove(folder + u"b.mtb"_s);
    app.dialogs.expect(Kind::Error);
    lx_MeB->setCurrentRow(1);
    EXPECT_TRUE(app.dialogs.lastText().startsWith(u"Файл не открыт:\n"_s + folder + u"b.mtb"_s));
    EXPECT_EQ(lx_MeB->currentRow(), 0);
    EXPECT_EQ(texts(lx_bind), (QStringList{u"a"_s, u"Кнопка <<2>>"_s, u"Кнопка <<3>>"_s}));
    EXPECT_TRUE(red_bind->toPlainText().startsWith(u"// Гранаты"_s));
}

TEST_F(MetabFixture, ShippedMetaBindsInsert) {
    QDir().mkpath(folder);
    const QDir shipped(QStringLiteral(TESSERA_SOURCE_DIR) + u"/data/dlls/metabinds"_s);
    for (const QString& file : shipped.entryList({u"*.mtb"_s})) {
        QFile::remove(folder + file);
        ASSERT_TRUE(QFile::copy(shipped.filePath(file), folder + file));
    }
    metab->FormShow();
    ASSERT_EQ(lx_MeB->count(), shipped.entryList({u"*.mtb"_s}).size() + 2);
    for (int row = 0; row < lx_MeB->count(); ++row) {
        lx_MeB->setCurrentRow(row);
        if (lx_bind->count() == 0)
            continue; // the test's own MetaBind without slots
        const metabind::MetaBindFile file = metabind::readMetaBind(metab->metaBindPaths().at(row));
        QStringList slotKeys;
        for (int n = 1; n <= file.header.slotCount; ++n)
            slotKeys.append(u"k%1"_s.arg(n));
        const QString before = main->documentText();
        fillAllAndInsert();
        const QString inserted = main->documentText().mid(before.size());
        EXPECT_EQ(inserted, u"\n"_s + metabind::fillSlots(file.script, slotKeys));
        EXPECT_FALSE(inserted.contains(u"<<"_s)) << lx_MeB->item(row)->text().toStdString();
    }
}
