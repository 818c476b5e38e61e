// The document commands of the main window, answered through scripted dialogs.
#include "app/window_wiring.h"
#include "shell/main_window.h"
#include "test_app.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QTextBlock>
#include <QtTest/QTest>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;
using Kind = ScriptedUserDialogs::Kind;
using Answer = UserDialogs::Answer;

namespace {

class DocumentCommands : public ::testing::Test {
protected:
    void SetUp() override {
        app.createWindows();
        form = app.w().mainWindow;
        app.showMain();
    }
    void type(const QString& text) { form->insertAtCaret(text); }
    QString text() const { return form->documentText(); }
    bool modified() const { return form->isDocumentModified(); }
    QString file(const QString& name) const { return app.gameDir() + u"/"_s + name; }
    QString status(int panel) const {
        return form->findChild<QLabel*>(u"StatusPanel"_s + QString::number(panel))->text();
    }

    TestApp app;
    MainWindow* form = nullptr;
};

} // namespace

TEST_F(DocumentCommands, ANewDocumentStartsWithTheDefaultConfig) {
    EXPECT_EQ(text(), u"//Unknown's configuration file\n\nunbindall\nclear\n\n"_s);
    EXPECT_EQ(form->editor()->textCursor().position(), text().size());
    EXPECT_FALSE(modified());
    EXPECT_EQ(status(2), u"Без имени"_s);
    EXPECT_EQ(form->windowTitle(), u"Tessera for Counter-Strike (версия 2.5)"_s);
}

TEST_F(DocumentCommands, NewOnAModifiedNamedDocument) {
    app.writeFile(file(u"my.cfg"_s), "bind w +forward\r\n");
    app.dialogs.expectFile(Kind::Open, file(u"my.cfg"_s));
    form->Open1Click();
    EXPECT_EQ(form->document().fileName(), file(u"my.cfg"_s));
    type(u"bind s +back\n"_s);

    // Cancel keeps everything.
    app.dialogs.expect(Kind::YesNoCancel, Answer::Cancel);
    form->New1Click();
    EXPECT_TRUE(modified());

    // Yes saves and ends the command: the text stays, the flag is clear.
    app.dialogs.expect(Kind::YesNoCancel, Answer::Yes);
    form->New1Click();
    EXPECT_FALSE(modified());
    EXPECT_EQ(app.readFile(file(u"my.cfg"_s)), QByteArray("bind w +forward\r\nbind s +back\r\n"));
    EXPECT_TRUE(text().startsWith(u"bind w"_s));

    // A second New asks nothing and gives the default text.
    form->New1Click();
    EXPECT_TRUE(text().startsWith(u"//Unknown's"_s));
    EXPECT_EQ(form->document().fileName(), u"Без имени"_s);
    EXPECT_EQ(status(2), u"Без имени"_s);
}

TEST_F(DocumentCommands, NewAnsweredNoDropsTheText) {
    type(u"junk"_s);
    app.dialogs.expect(Kind::YesNoCancel, Answer::No);
    form->New1Click();
    EXPECT_FALSE(text().contains(u"junk"_s));
    EXPECT_FALSE(modified());
}

TEST_F(DocumentCommands, NewMetaBindGivesTheTemplateWithTheCaretAtTheStart) {
    form->MetaBind1Click();
    EXPECT_EQ(text(), u"\n\n[MetaBind]\nname=\nbut=\nlabel="_s);
    EXPECT_EQ(form->editor()->textCursor().position(), 0);
    EXPECT_FALSE(modified());
    // The request does not outlive its command.
    type(u"x"_s);
    app.dialogs.expect(Kind::YesNoCancel, Answer::Cancel);
    form->MetaBind1Click();
    app.dialogs.expect(Kind::YesNoCancel, Answer::No);
    form->New1Click();
    EXPECT_TRUE(text().startsWith(u"//Unknown's"_s));
}

TEST_F(DocumentCommands, OpenShowsTheFileAndRefusesWhatIsNotText) {
    app.writeFile(file(u"a.cfg"_s), "name \"\xC8\xE3\xF0\xEE\xEA\"\r\nbind q lastinv");
    app.dialogs.expectFile(Kind::Open, file(u"a.cfg"_s));
    form->Open1Click();
    EXPECT_EQ(text(), u"name \"Игрок\"\nbind q lastinv"_s);
    EXPECT_EQ(status(2), file(u"a.cfg"_s));
    EXPECT_NE(status(1), u"Открываем..."_s); // gone once the file is open
    EXPECT_FALSE(modified());
    ASSERT_FALSE(app.dialogs.calls().empty());
    EXPECT_EQ(
        app.dialogs.calls().back().options.filter,
        u"Конфиги (*.cfg)|*.cfg|Текстовые файлы (*.txt)|*.txt|MetaBind (*.mtb)|*.mtb|Все файлы (*.*)|*.*"_s);

    // A binary file: a message, and the current document stays.
    app.writeFile(file(u"hl.exe"_s), QByteArray("MZ\0\0\x90", 5));
    app.dialogs.expectFile(Kind::Open, file(u"hl.exe"_s)).expect(Kind::Error);
    form->Open1Click();
    EXPECT_EQ(text(), u"name \"Игрок\"\nbind q lastinv"_s);
    EXPECT_EQ(form->document().fileName(), file(u"a.cfg"_s));
}

TEST_F(DocumentCommands, OpenStopsWhenTheSaveBeforeItDoesNotHappen) {
    type(u"precious"_s);
    // Yes, then the Save As for the untitled text is cancelled: nothing is opened.
    app.dialogs.expect(Kind::YesNoCancel, Answer::Yes).expectFile(Kind::Save, QString());
    form->Open1Click();
    EXPECT_TRUE(text().contains(u"precious"_s));
    EXPECT_TRUE(modified());
}

TEST_F(DocumentCommands, SaveAsAddsTheExtensionOfTheChosenType) {
    type(u"x"_s);
    app.dialogs.expectFile(Kind::Save, file(u"a.txt"_s), 2);
    form->SaveAs1Click();
    EXPECT_TRUE(QFileInfo::exists(file(u"a.cfg"_s)));
    EXPECT_FALSE(QFileInfo::exists(file(u"a.txt"_s)));
    EXPECT_EQ(form->document().fileName(), file(u"a.cfg"_s));

    // Back on "All files": the name as typed; the dialog was reset to entry 1.
    type(u"y"_s);
    app.dialogs.expectFile(Kind::Save, file(u"b.txt"_s));
    form->SaveAs1Click();
    EXPECT_EQ(app.dialogs.calls().back().options.filterIndex, 1);
    EXPECT_EQ(app.dialogs.calls().back().options.title, u"Сохранить как"_s);
    EXPECT_TRUE(QFileInfo::exists(file(u"b.txt"_s)));

    // A typed name without extension under "MetaBind (*.mtb)".
    app.dialogs.expectFile(Kind::Save, file(u"bind"_s), 4);
    form->SaveAs1Click();
    EXPECT_TRUE(QFileInfo::exists(file(u"bind.mtb"_s)));
}

TEST_F(DocumentCommands, SaveAsOntoAnExistingFile) {
    app.writeFile(file(u"old.cfg"_s), "old");
    type(u"new"_s);
    app.dialogs.expectFile(Kind::Save, file(u"old.cfg"_s)).expect(Kind::YesNo, Answer::No);
    form->SaveAs1Click();
    EXPECT_EQ(app.readFile(file(u"old.cfg"_s)), QByteArray("old"));
    EXPECT_EQ(form->document().fileName(), u"Без имени"_s);
    EXPECT_TRUE(modified());
    EXPECT_TRUE(app.dialogs.lastText().endsWith(u"\nЗаменить данный файл?"_s));

    app.dialogs.expectFile(Kind::Save, file(u"old.cfg"_s)).expect(Kind::YesNo, Answer::Yes);
    form->SaveAs1Click();
    EXPECT_TRUE(app.readFile(file(u"old.cfg"_s)).endsWith("clear\r\n\r\nnew"));
    EXPECT_FALSE(modified());
}

TEST_F(DocumentCommands, ACancelledSaveAsKeepsEverythingAndRemembersTheType) {
    type(u"x"_s);
    app.dialogs.expectFile(Kind::Save, QString(), 3);
    form->SaveAs1Click();
    EXPECT_TRUE(modified());
    EXPECT_EQ(form->document().fileName(), u"Без имени"_s);
    // Save on the untitled document opens the same dialog titled "Сохранить", on the last type.
    app.dialogs.expectFile(Kind::Save, file(u"c"_s));
    form->Save1Click();
    EXPECT_EQ(app.dialogs.calls().back().options.title, u"Сохранить"_s);
    EXPECT_EQ(app.dialogs.calls().back().options.filterIndex, 3);
    EXPECT_TRUE(QFileInfo::exists(file(u"c.txt"_s)));
}

TEST_F(DocumentCommands, AFailedSaveKeepsTheNameTheFlagAndTheOldFile) {
    app.writeFile(file(u"a.cfg"_s), "old");
    app.dialogs.expectFile(Kind::Open, file(u"a.cfg"_s));
    form->Open1Click();
    type(u"more"_s);
    // The file's folder disappears under the program (replaced by a file of the same name).
    ASSERT_TRUE(QDir(app.gameDir()).removeRecursively());
    app.writeFile(app.gameDir(), "not a folder");
    // The error offers "Сохранить как…"; declined, nothing changes.
    app.dialogs.expect(Kind::YesNoCancel, Answer::Cancel);
    form->Save1Click();
    EXPECT_TRUE(modified());
    EXPECT_EQ(form->document().fileName(), file(u"a.cfg"_s));
    EXPECT_TRUE(app.dialogs.lastText().contains(file(u"a.cfg"_s)));
    EXPECT_TRUE(app.dialogs.lastText().contains(u"в другой файл"_s));
    // Taken, the text goes where the player says, and the document is named so.
    const QString elsewhere = app.root.path() + u"/elsewhere.cfg"_s;
    app.dialogs.expect(Kind::YesNoCancel, Answer::Yes).expectFile(Kind::Save, elsewhere);
    form->Save1Click();
    EXPECT_FALSE(modified());
    EXPECT_EQ(form->document().fileName(), elsewhere);
    EXPECT_EQ(app.readFile(elsewhere), "oldmore");
    EXPECT_TRUE(app.dialogs.allUsed());
}

// A file the player may not write says so when it is opened (root writes any file: skipped).
TEST_F(DocumentCommands, AReadOnlyFileSaysSoWhenOpened) {
    if (geteuid() == 0)
        GTEST_SKIP() << "root may write a read-only file";
    const QString path = app.writeFile(file(u"ro.cfg"_s), "echo hi\r\n");
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    app.dialogs.expectFile(Kind::Open, path);
    form->Open1Click();
    EXPECT_EQ(status(1), ConfigDocument::readOnlyNotice());
}

// The save question answered "Отмена" ends Open: the status bar does not go on saying it opens.
TEST_F(DocumentCommands, ACancelledOpenLeavesNoProgressWord) {
    type(u"x"_s);
    app.dialogs.expect(Kind::YesNoCancel, Answer::Cancel);
    form->Open1Click();
    EXPECT_NE(status(1), u"Открываем..."_s);
    EXPECT_TRUE(modified());
    EXPECT_TRUE(app.dialogs.allUsed());
}

TEST_F(DocumentCommands, OpeningAndSavingChangesNoByteTheUserDidNotChange) {
    QByteArray all;
    for (int b = 1; b < 256; ++b)
        if (b != '\r' && b != '\n')
            all.append(char(b));
    const QByteArray original = "name \xA0\xA0x\r\n" + all + "\r\n\r\nlast";
    app.writeFile(file(u"bytes.cfg"_s), original);
    app.dialogs.expectFile(Kind::Open, file(u"bytes.cfg"_s));
    form->Open1Click();
    type(u"!"_s);
    form->Save1Click();
    EXPECT_EQ(app.readFile(file(u"bytes.cfg"_s)), original + "!");
}

TEST_F(DocumentCommands, CharactersTheCodePageCannotHoldAreNamedBeforeTheSave) {
    type(u"say 日本"_s);
    app.dialogs.expectFile(Kind::Save, file(u"u.cfg"_s)).expect(Kind::YesNo, Answer::No);
    form->SaveAs1Click();
    EXPECT_FALSE(QFileInfo::exists(file(u"u.cfg"_s)));
    EXPECT_TRUE(app.dialogs.lastText().contains(u"日本"_s));
    EXPECT_TRUE(modified());
}

TEST_F(DocumentCommands, TheCloseQuery) {
    // Not modified: never asks.
    EXPECT_TRUE(form->document().closeQuery());

    // Untitled and modified: the question too; Нет closes without saving, Да goes through
    // Save As, and a cancelled Save As keeps the program open.
    type(u"x"_s);
    app.dialogs.expect(Kind::YesNoCancel, Answer::Cancel);
    EXPECT_FALSE(form->document().closeQuery());
    app.dialogs.expect(Kind::YesNoCancel, Answer::No);
    EXPECT_TRUE(form->document().closeQuery());
    app.dialogs.expect(Kind::YesNoCancel, Answer::Yes).expectFile(Kind::Save, QString());
    EXPECT_FALSE(form->document().closeQuery());
    app.dialogs.expect(Kind::YesNoCancel, Answer::Yes)
        .expectFile(Kind::Save, file(u"closing.cfg"_s));
    EXPECT_TRUE(form->document().closeQuery());
    EXPECT_TRUE(QFileInfo::exists(file(u"closing.cfg"_s)));

    // Named and modified: Yes / No / Cancel.
    type(u"y"_s);
    app.dialogs.expect(Kind::YesNoCancel, Answer::Cancel);
    EXPECT_FALSE(form->document().closeQuery());
    app.dialogs.expect(Kind::YesNoCancel, Answer::No);
    EXPECT_TRUE(form->document().closeQuery());
    app.dialogs.expect(Kind::YesNoCancel, Answer::Yes);
    EXPECT_TRUE(form->document().closeQuery());
    EXPECT_TRUE(app.readFile(file(u"closing.cfg"_s)).endsWith("xy"));
}

// Another program (the wizard) wrote the open file meanwhile.
TEST_F(DocumentCommands, AFileChangedOnDiskIsReloadedOrAskedAbout) {
    const QString path = app.writeFile(file(u"my.cfg"_s), "a\r\nb\r\nc\r\nd\r\n");
    app.dialogs.expectFile(Kind::Open, path);
    form->Open1Click();
    // The caret on the third line.
    QTextCursor caret(form->editor()->document()->findBlockByNumber(2));
    form->editor()->setTextCursor(caret);

    // No unsaved change: taken over quietly, the caret keeps its line.
    app.writeFile(path, "a\r\nb\r\nC\r\nd\r\ne\r\n");
    EXPECT_TRUE(form->document().takeChangesFromDisk());
    EXPECT_EQ(text(), u"a\nb\nC\nd\ne\n"_s);
    EXPECT_EQ(form->caretPosition().y(), 2);
    EXPECT_FALSE(modified());
    EXPECT_FALSE(form->document().takeChangesFromDisk()); // nothing new

    // Our own save is no change by another program.
    type(u"x"_s);
    form->Save1Click();
    type(u"y"_s);
    form->Save1Click();
    EXPECT_TRUE(app.dialogs.allUsed());

    // Unsaved changes stay; the save asks.
    type(u"z"_s);
    const QByteArray theirs = "wizard\r\n";
    app.writeFile(path, theirs);
    EXPECT_FALSE(form->document().takeChangesFromDisk());
    EXPECT_TRUE(text().contains(u"xyz"_s));
    app.dialogs.expect(Kind::YesNoCancel, Answer::Cancel); // Отмена: nothing happens
    form->Save1Click();
    EXPECT_EQ(app.dialogs.lastText(), ConfigDocument::changedOnDiskQuestion(path));
    EXPECT_EQ(app.readFile(path), theirs);
    EXPECT_TRUE(modified());
    app.dialogs.expect(Kind::YesNoCancel, Answer::Yes); // Загрузить заново
    form->Save1Click();
    EXPECT_EQ(text(), u"wizard\n"_s);
    EXPECT_FALSE(modified());
    type(u"!"_s);
    app.writeFile(path, "third\r\n");
    app.dialogs.expect(Kind::YesNoCancel, Answer::No); // Сохранить поверх
    form->Save1Click();
    EXPECT_EQ(app.readFile(path), "wizard\r\n!");
    EXPECT_FALSE(modified());

    // A file rewritten with the same bytes, or deleted, is no reason to ask.
    app.writeFile(path, "wizard\r\n!");
    type(u"?"_s);
    form->Save1Click();
    QFile::remove(path);
    type(u"."_s);
    form->Save1Click();
    EXPECT_EQ(app.readFile(path), "wizard\r\n!?.");
}

// The open file is watched: a write by another program reaches the editor without a command.
TEST_F(DocumentCommands, TheWatchedFileIsTakenOverWhenItChanges) {
    const QString path = app.writeFile(file(u"w.cfg"_s), "one\r\n");
    app.dialogs.expectFile(Kind::Open, path);
    form->Open1Click();
    // Written as every program's safe save does: a new file renamed over the old one.
    app.writeFile(path + u".new"_s, "two\r\n");
    QFile::remove(path);
    QFile::rename(path + u".new"_s, path);
    EXPECT_TRUE(QTest::qWaitFor([&] { return text() == u"two\n"_s; }, 5000));
    app.writeFile(path, "three\r\n");
    EXPECT_TRUE(QTest::qWaitFor([&] { return text() == u"three\n"_s; }, 5000));
}

TEST(DocumentStart, TheCommandLineFileIsTheFirstDocumentOnly) {
    TestApp app;
    const QString path = app.writeFile(app.gameDir() + u"/start.cfg"_s, "exec userconfig.cfg\r\n");
    app.createWindows({path});
    MainWindow* form = app.w().mainWindow;
    app.showMain();
    EXPECT_EQ(form->documentText(), u"exec userconfig.cfg\n"_s);
    EXPECT_EQ(form->document().fileName(), path);
    EXPECT_FALSE(form->isDocumentModified());
    form->New1Click();
    EXPECT_TRUE(form->documentText().startsWith(u"//Unknown's"_s));
}

TEST(DocumentStart, AnArgumentNamingNoFileGivesTheDefaultText) {
    TestApp app;
    app.createWindows({app.gameDir() + u"/missing.cfg"_s});
    app.showMain();
    EXPECT_TRUE(app.w().mainWindow->documentText().startsWith(u"//Unknown's"_s));
    EXPECT_EQ(app.w().mainWindow->document().fileName(), u"Без имени"_s);
}

// A FIFO with no writer and an endless device: refused with a message, never waited on or read.
TEST(DocumentStart, OnlyRegularFilesAreOpened) {
    TestApp app;
    const QString fifo = app.gameDir() + u"/pipe.cfg"_s;
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const QString& path : {fifo, u"/dev/zero"_s}) {
        app.windows.reset();
        app.dialogs.expect(Kind::Error);
        app.createWindows({path});
        MainWindow* form = app.w().mainWindow;
        EXPECT_TRUE(app.dialogs.lastText().contains(path));
        EXPECT_TRUE(form->documentText().startsWith(u"//Unknown's"_s));
        EXPECT_EQ(form->document().fileName(), u"Без имени"_s);

        app.dialogs.expectFile(Kind::Open, path).expect(Kind::Error);
        form->Open1Click();
        EXPECT_EQ(form->document().fileName(), u"Без имени"_s);
        EXPECT_TRUE(app.dialogs.allUsed());
    }
}

TEST(ConfigDocumentNames, ExtensionReplacement) {
    EXPECT_EQ(ConfigDocument::withExtension(u"/a/my"_s, u"cfg"_s), u"/a/my.cfg"_s);
    EXPECT_EQ(ConfigDocument::withExtension(u"/a/my.txt"_s, u"cfg"_s), u"/a/my.cfg"_s);
    EXPECT_EQ(ConfigDocument::withExtension(u"/a.b/my"_s, u"cfg"_s), u"/a.b/my.cfg"_s);
    EXPECT_EQ(ConfigDocument::withExtension(u"/a/my.x.txt"_s, u"mtb"_s), u"/a/my.x.mtb"_s);
    EXPECT_EQ(ConfigDocument::withExtension(u"/a/my.txt"_s, QString()), u"/a/my.txt"_s);
}
