// Versions in the whole program: every writer keeps what it replaces, the close with a file
// changed on disk, and the versions window worked with the keyboard.
#include "app/window_wiring.h"
#include "launcher/config_change_report.h"
#include "launcher/config_keeper.h"
#include "mapcycle/map_cycle_file.h"
#include "shell/main_window.h"
#include "shell/version_history_window.h"
#include "test_app.h"
#include "wizard/apply_settings.h"
#include "wizard/wizard_files.h"
#include "wizard/wizard_working_set.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTreeWidget>
#include <QtTest/QTest>
#include <functional>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using Kind = ScriptedUserDialogs::Kind;
using Answer = UserDialogs::Answer;

namespace {

struct VersionsApp : ::testing::Test {
    void SetUp() override {
        app.createWindows();
        form = app.w().mainWindow;
        app.showMain();
    }
    QString file(const QString& name) const { return app.gameDir() + u"/"_s + name; }
    QList<FileVersion> versions(const QString& path) const {
        return app.state.versions().versions(path);
    }
    QByteArray bytesOf(const FileVersion& v) const { return app.state.versions().bytesOf(v).bytes; }
    void open(const QString& path) {
        app.dialogs.expectFile(Kind::Open, path);
        form->Open1Click();
    }

    TestApp app;
    MainWindow* form = nullptr;
};

} // namespace

// Each writer over a file the player has: the bytes it replaced are the version below the new
// one, which names the writer.
TEST_F(VersionsApp, EveryWriterKeepsTheBytesItReplaces) {
    struct Writer {
        const char* name;
        VersionSource source;
        std::function<bool(const QString& path)> write;
    };
    const Writer writers[] = {
        {"the editor's save", VersionSource::Save,
         [&](const QString& path) {
             open(path);
             form->insertAtCaret(u"bind x +jump\n"_s);
             return form->document().save();
         }},
        {"the wizard's apply", VersionSource::Wizard,
         [&](const QString& path) {
             WizardWorkingSet ws(app.state);
             loadDocuments(ws, app.gameDir(), QFileInfo(path).fileName());
             ws.mem1.appendLine(u"sensitivity \"2\""_s);
             return saveChosenFile(ws).ok();
         }},
        {"BIND", VersionSource::Bind,
         [&](const QString& path) {
             WizardWorkingSet ws(app.state);
             loadDocuments(ws, app.gameDir(), QFileInfo(path).fileName());
             ws.mem1.appendLine(u"bind \"k\" \"Kaz-k\""_s);
             return saveChosenFile(ws, VersionSource::Bind).ok();
         }},
        {"the map cycle", VersionSource::MapCycle,
         [&](const QString& path) {
             return mapcycle::writeMapCycle(app.state.versions(), path, {u"de_dust"_s}).ok;
         }},
        {"the launcher's start script", VersionSource::Launch,
         [&](const QString& path) {
             return writeStartScript(app.state, path, u"exec _.cfg\nmap de_dust"_s).ok;
         }},
        {"the dropped lines moved", VersionSource::Moved,
         [&](const QString& path) {
             return moveLinesToAutoexec(app.state.versions(), path, {u"alias a b"_s}).ok;
         }},
        {"a restore", VersionSource::Restore,
         [&](const QString& path) {
             const VersionStore store = app.state.versions();
             if (!writeKeepingVersions(store, path, "older\r\n", VersionSource::Save).ok)
                 return false;
             app.writeFile(path, "before\r\n"); // changed on disk again
             return restoreVersion(store, path, store.versions(path).first()).ok;
         }},
    };
    for (const Writer& w : writers) {
        const QString path = file(u"w_%1.cfg"_s.arg(qHash(QByteArray(w.name))));
        app.writeFile(path, "before\r\n");
        ASSERT_TRUE(w.write(path)) << w.name;
        const QList<FileVersion> kept = versions(path);
        ASSERT_GE(kept.size(), 2) << w.name;
        EXPECT_EQ(kept[0].source, w.source) << w.name;
        EXPECT_EQ(bytesOf(kept[0]), app.readFile(path)) << w.name;
        EXPECT_EQ(bytesOf(kept[1]), "before\r\n") << w.name;
    }
    // The launcher's restore writes through the store as well.
    const QString launched = file(u"w_launch.cfg"_s);
    app.writeFile(launched, "mine\r\n");
    ASSERT_TRUE(writeStartScript(app.state, launched, u"exec _.cfg\nmap de_dust"_s).ok);
    EXPECT_TRUE(restoreUserConfig(app.state, launched).isEmpty());
    EXPECT_EQ(app.readFile(launched), "mine\r\n");
    EXPECT_EQ(versions(launched).first().source, VersionSource::Launch);
}

// Closing with unsaved changes to a file another program changed meanwhile asks the editor's
// three-way question, naming the file, instead of "Сохранить файл?".
TEST_F(VersionsApp, TheCloseAsksAboutAFileChangedOnDisk) {
    const QString path = app.writeFile(file(u"my.cfg"_s), "mine\r\n");
    open(path);
    form->insertAtCaret(u"edit "_s);
    app.writeFile(path, "theirs\r\n");
    app.dialogs.expect(Kind::YesNoCancel, Answer::Cancel); // Отмена
    EXPECT_FALSE(form->document().closeQuery());
    EXPECT_EQ(app.dialogs.lastText(), ConfigDocument::changedOnDiskQuestion(path));
    EXPECT_TRUE(app.dialogs.lastText().contains(path));
    app.dialogs.expect(Kind::YesNoCancel, Answer::Yes); // Загрузить заново: shown, not closed
    EXPECT_FALSE(form->document().closeQuery());
    EXPECT_EQ(form->documentText(), u"theirs\n"_s);
    form->insertAtCaret(u"x"_s);
    app.writeFile(path, "third\r\n");
    app.dialogs.expect(Kind::YesNoCancel, Answer::No); // Сохранить поверх
    EXPECT_TRUE(form->document().closeQuery());
    EXPECT_EQ(app.readFile(path), "theirs\r\nx");
    // What the other program wrote is a version: written over, not lost.
    bool third = false;
    for (const FileVersion& v : versions(path))
        third = third || bytesOf(v) == "third\r\n";
    EXPECT_TRUE(third);
    // Without a change on disk the question names the file too.
    form->insertAtCaret(u"y"_s);
    app.dialogs.expect(Kind::YesNoCancel, Answer::Cancel);
    EXPECT_FALSE(form->document().closeQuery());
    EXPECT_EQ(app.dialogs.lastText(), u"Сохранить файл?\n"_s + path);
    EXPECT_TRUE(app.dialogs.allUsed());
}

TEST_F(VersionsApp, TheHistoryWindowListsDiffsAndRestoresFromTheKeyboard) {
    const QString path = app.writeFile(file(u"my.cfg"_s), "bind w +forward\r\n");
    open(path);
    form->insertAtCaret(u"bind x +jump\n"_s);
    ASSERT_TRUE(form->document().save());
    form->action(u"Versions1"_s)->trigger();
    VersionHistoryWindow* history = app.w().history;
    ASSERT_TRUE(history->isVisible());
    auto* list = history->findChild<QTreeWidget*>(u"VersionList1"_s);
    ASSERT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(list->topLevelItem(0)->text(1), u"сохранение"_s);
    EXPECT_EQ(list->topLevelItem(0)->text(3), u"1"_s); // a line added
    EXPECT_EQ(list->topLevelItem(1)->text(1), u"прежний файл"_s);
    EXPECT_EQ(history->focusWidget(), list);

    // The older version against the file now: its missing line added in colour, in the
    // editor's font.
    QTest::keyClick(list, Qt::Key_Down);
    auto* diff = history->findChild<QPlainTextEdit*>(u"DiffView1"_s);
    EXPECT_TRUE(diff->toPlainText().contains(u"+bind x +jump"_s))
        << diff->toPlainText().toStdString();
    EXPECT_EQ(diff->font().family(), form->editor()->font().family());
    bool coloured = false;
    for (QTextBlock b = diff->document()->begin(); b.isValid(); b = b.next())
        coloured = coloured || (b.text() == u"+bind x +jump"_s &&
                                b.blockFormat().background().style() != Qt::NoBrush);
    EXPECT_TRUE(coloured);
    // Side by side.
    auto* mode = history->findChild<QComboBox*>(u"DiffMode1"_s);
    mode->setCurrentIndex(1);
    EXPECT_TRUE(history->findChild<QPlainTextEdit*>(u"DiffRight1"_s)
                    ->toPlainText()
                    .contains(u"bind x +jump"_s));
    mode->setCurrentIndex(0);

    // "&Восстановить" (Alt+В), or Space on it, restores it; the text it replaced is a version.
    auto* restore = history->findChild<QPushButton*>(u"RestoreButton1"_s);
    EXPECT_EQ(restore->shortcut(), QKeySequence::mnemonic(restore->text()));
    EXPECT_FALSE(restore->shortcut().isEmpty());
    app.dialogs.expect(Kind::YesNo, Answer::Yes);
    restore->setFocus();
    QTest::keyClick(restore, Qt::Key_Space);
    EXPECT_EQ(app.readFile(path), "bind w +forward\r\n");
    EXPECT_EQ(list->topLevelItemCount(), 2); // the same two texts, now the other way round
    EXPECT_EQ(list->topLevelItem(0)->text(1), u"восстановление"_s);
    EXPECT_TRUE(app.dialogs.allUsed());
}
