// The main editor saves a file in the form it was opened in, names that form in the status bar,
// and changes it from the "Файл" menu.
#include "app/window_wiring.h"
#include "shell/document_encoding.h"
#include "platform/document_text_runs.h"
#include "platform/encoded_lines.h"
#include "shell/main_window.h"
#include "test_app.h"
#include "widgets/qt_widget_helpers.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QRandomGenerator>
#include <QTextCursor>
#include <QTextDocument>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;
using Kind = ScriptedUserDialogs::Kind;
using Answer = UserDialogs::Answer;

namespace {

class DocumentForm : public ::testing::Test {
protected:
    void SetUp() override {
        app.createWindows();
        form = app.w().mainWindow;
        app.showMain();
    }
    QString file(const QString& name) const { return app.gameDir() + u"/"_s + name; }
    QString formPanel() const { return form->findChild<QLabel*>(u"StatusPanel3"_s)->text(); }
    bool checked(const QString& name) const { return form->action(name)->isChecked(); }
    void open(const QString& path) {
        app.dialogs.expectFile(Kind::Open, path);
        form->Open1Click();
        ASSERT_EQ(form->document().fileName(), path);
    }

    TestApp app;
    MainWindow* form = nullptr;
};

QByteArray utf8(const QString& text) {
    return text.toUtf8();
}

} // namespace

TEST_F(DocumentForm, OpeningAndSavingGivesBackTheSameBytes) {
    QByteArray all; // every byte but the line breaks, in Windows-1251
    for (int b = 1; b < 256; ++b)
        if (b != '\r' && b != '\n')
            all.append(char(b));
    const struct {
        const char* name;
        QByteArray bytes;
        QString panel;
        QByteArray saved; // when the save changes the file
    } cases[] = {
        {"LF", "bind w +forward\nname x\n", u"1251, LF"_s, {}},
        {"CR LF", "bind w +forward\r\nname x\r\n", u"1251, CRLF"_s, {}},
        {"no final break", "bind w +forward\nname x", u"1251, LF"_s, {}},
        {"Windows-1251",
         "// \xCA\xEE\xED\xF4\xE8\xE3\r\n" + all + "\r\n\r\nlast",
         u"1251, CRLF"_s,
         {}},
        {"UTF-8", utf8(u"// Конфиг ✓ 😀\nbind w x\n"_s), u"UTF-8, LF"_s, {}},
        {"UTF-8 with BOM",
         "\xEF\xBB\xBF" + utf8(u"// Конфиг\r\nbind w x"_s),
         u"UTF-8 BOM, CRLF"_s,
         {}},
        {"mixed", "a\r\nb\nc\r\nd", u"1251, CRLF *"_s, "a\r\nb\r\nc\r\nd"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = app.writeFile(file(u"form.cfg"_s), c.bytes);
        open(path);
        EXPECT_EQ(formPanel(), c.panel);
        form->Save1Click();
        EXPECT_EQ(app.readFile(path), c.saved.isEmpty() ? c.bytes : c.saved);
        EXPECT_FALSE(formPanel().endsWith(u'*')); // the file has one kind now
    }
}

// A paragraph separator in a UTF-8 file would silently become a line break: opening it says so.
TEST_F(DocumentForm, OpeningAFileWithParagraphSeparatorsWarnsOfTheChange) {
    const QString path =
        app.writeFile(file(u"p.cfg"_s), utf8(u"bind w x\u2029name y\nsay \uFDD0\n"_s));
    app.dialogs.expectFile(Kind::Open, path);
    app.dialogs.expect(Kind::Warning);
    form->Open1Click();
    EXPECT_EQ(form->document().fileName(), path);
    EXPECT_TRUE(app.dialogs.lastText().contains(u"(U+2029, U+FDD0)"_s));
    EXPECT_TRUE(app.dialogs.lastText().contains(path));
    const QString plain = app.writeFile(file(u"plain.cfg"_s), utf8(u"bind w x\u2028\n"_s));
    open(plain); // no box for a file without them
}

TEST_F(DocumentForm, TypedTextIsWrittenInTheFilesForm) {
    const QString path = app.writeFile(file(u"u.cfg"_s), utf8(u"// мой\nbind w x\n"_s));
    open(path);
    EXPECT_TRUE(checked(u"Utf81"_s) && checked(u"Lf1"_s) && !checked(u"Cp12511"_s));
    form->caretToEnd();
    form->insertAtCaret(u"say 日本\nbind q \"+attack\""_s);
    form->Save1Click(); // no question: UTF-8 holds every character
    EXPECT_EQ(app.readFile(path), utf8(u"// мой\nbind w x\nsay 日本\nbind q \"+attack\""_s));
}

TEST_F(DocumentForm, TheFileMenuChangesTheFormOfTheNextSave) {
    EXPECT_EQ(formPanel(), u"1251, CRLF"_s);
    EXPECT_TRUE(checked(u"Cp12511"_s) && checked(u"CrLf1"_s));
    form->insertAtCaret(u"say 日本"_s);
    form->action(u"Utf8Bom1"_s)->trigger();
    form->action(u"Lf1"_s)->trigger();
    EXPECT_EQ(formPanel(), u"UTF-8 BOM, LF"_s);
    EXPECT_TRUE(checked(u"Utf8Bom1"_s) && !checked(u"Utf81"_s) && checked(u"Lf1"_s));
    const QString path = file(u"new.cfg"_s);
    app.dialogs.expectFile(Kind::Save, path);
    form->SaveAs1Click();
    const QByteArray utf8File =
        "\xEF\xBB\xBF" + utf8(ConfigDocument::defaultText() + u"say 日本"_s);
    EXPECT_EQ(app.readFile(path), utf8File);

    // Back to Windows-1251: the characters it lacks are named at once and again before the
    // save, which may be refused.
    app.dialogs.expect(Kind::Warning);
    form->action(u"Cp12511"_s)->trigger();
    EXPECT_TRUE(app.dialogs.lastText().contains(u"日本"_s));
    EXPECT_TRUE(form->isDocumentModified());
    EXPECT_EQ(formPanel(), u"1251, LF"_s);
    app.dialogs.expect(Kind::YesNo, Answer::No);
    form->Save1Click();
    EXPECT_EQ(app.readFile(path), utf8File);
    app.dialogs.expect(Kind::YesNo, Answer::Yes);
    form->Save1Click();
    EXPECT_TRUE(app.readFile(path).endsWith("say ??"));

    // A new document is Windows-1251 with CR LF again.
    form->New1Click();
    EXPECT_EQ(formPanel(), u"1251, CRLF"_s); // said as for an opened file
}

// The form panel shows at the main window's default width, also for a file in a folder of a
// long path; in a narrower one it goes, so the file name keeps its room.
TEST_F(DocumentForm, TheFormPanelGivesWayToTheFileName) {
    auto* panel = form->findChild<GivingWayLabel*>(u"StatusPanel3"_s);
    auto* name = form->findChild<QLabel*>(u"StatusPanel2"_s);
    const int nameRoom = name->fontMetrics().horizontalAdvance(u"config.cfg"_s);
    const QString deep = app.gameDir() + u"/a folder of a long name/and one more of them"_s;
    ASSERT_TRUE(QDir().mkpath(deep));
    const QString untitled = name->text();
    for (const QString& path : {QString(), app.writeFile(deep + u"/config.cfg"_s, "name x\r\n")}) {
        if (!path.isEmpty())
            open(path);
        const struct {
            int width;
            QString shown;
        } cases[] = {{1100, u"1251, CRLF"_s}, {560, u"1251, CRLF"_s}, {420, QString()}};
        for (const auto& c : cases) {
            SCOPED_TRACE((path.isEmpty() ? untitled : path).toStdString());
            SCOPED_TRACE(c.width);
            form->resize(c.width, 500);
            QCoreApplication::processEvents();
            EXPECT_EQ(panel->shownText(), c.shown);
            EXPECT_GE(name->width(), std::min(nameRoom, name->sizeHint().width()));
        }
    }
}

// A large text is saved whole in every form, with the characters the form lacks named once each
// in order of appearance; encoded in stretches on two threads (their least size lowered to reach
// them with this text), it gives the same bytes and characters as one pass.
TEST_F(DocumentForm, ALargeTextIsSavedWholeInEachForm) {
    QString text;
    for (int i = 0; text.size() < 1100 * 1024; ++i) // three stretches of lines
        text += u"bind \"KEY%1\" \"say привет\" // №%1\n"_s.arg(i);
    // Characters the code page lacks: in the first, second and last stretch, some twice.
    text.insert(100, u"日"_s);
    text.insert(600 * 1024, u"本"_s);
    text.insert(text.size() - 100, u"本日"_s);
    text += u"😀"_s;
    const QString path = file(u"large.cfg"_s);
    app.writeFile(path, "old");
    open(path);
    form->setDocumentText(text, false);
    const struct {
        const char* action;
        textfile::TextForm form;
    } cases[] = {
        {"Utf8Bom1", {textfile::Encoding::Utf8, textfile::LineBreak::CrLf, true, false}},
        {"Cp12511", {textfile::Encoding::Windows1251, textfile::LineBreak::CrLf, false, false}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.action);
        const bool windows1251 = c.form.encoding == textfile::Encoding::Windows1251;
        if (windows1251)
            app.dialogs.expect(Kind::Warning); // the characters it lacks, named at once
        form->action(QString::fromLatin1(c.action))->trigger();
        form->action(u"CrLf1"_s)->trigger();
        if (windows1251)
            app.dialogs.expect(Kind::YesNo, Answer::Yes);
        form->Save1Click();
        QString lost;
        const QByteArray expected = textfile::encodeText(text, c.form, &lost);
        EXPECT_TRUE(app.readFile(path) == expected); // a megabyte is too long to print
        if (windows1251) {
            EXPECT_TRUE(app.dialogs.lastText().contains(u": 日本😀\n"_s)) << qPrintable(lost);
        }
        // The whole text, not the lines the save kept.
        form->encodedLines()->forget();
        QByteArray threaded;
        const DocumentEncoding onTwoThreads = encodeDocument(
            *form, c.form,
            [&](QByteArrayView bytes) {
                threaded += bytes;
                return true;
            },
            0);
        EXPECT_TRUE(onTwoThreads.ok);
        EXPECT_TRUE(threaded == expected);
        EXPECT_EQ(onTwoThreads.unencodable, lost);
    }
}

namespace {

// The runs joined, their line breaks as the document's own.
QString joinedRuns(const QTextDocument& document, qsizetype from = 0, qsizetype to = -1,
                   int* count = nullptr) {
    QString joined;
    forEachTextRun(
        document,
        [&](QStringView run) {
            joined += run;
            if (count)
                ++*count;
        },
        from, to);
    return joined.replace(u'\n', QChar::ParagraphSeparator);
}

} // namespace

// The runs the save encodes are the document's whole text, also after edits and undo, and any
// two stretches of it together are the whole. A text as loaded comes in one run.
TEST(DocumentTextRuns, TogetherTheyAreTheDocumentsText) {
    QTextDocument document;
    auto runs = [&] {
        const QString all = document.toRawText();
        for (qsizetype split = 0; split <= all.size(); ++split)
            EXPECT_EQ(joinedRuns(document, 0, split) + joinedRuns(document, split), all) << split;
        return joinedRuns(document);
    };
    EXPECT_EQ(runs(), QString());
    document.setPlainText(u"bind w +forward\nname игрок\n\nlast"_s);
    EXPECT_EQ(runs(), document.toRawText());
    int count = 0;
    joinedRuns(document, 0, -1, &count);
    EXPECT_EQ(count, 1);
    QTextCursor cursor(&document);
    cursor.setPosition(5);
    cursor.insertText(u"x\ny"_s);
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(u"\n😀"_s);
    cursor.setPosition(2);
    cursor.setPosition(9, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    EXPECT_EQ(runs(), document.toRawText());
    document.undo();
    EXPECT_EQ(runs(), document.toRawText());
    document.setPlainText(QString());
    EXPECT_EQ(runs(), QString());
}

// The walk reads the document's tree of pieces itself: after many scattered edits, which keep
// rebalancing that tree, every stretch of the runs is still the same stretch of the text.
TEST(DocumentTextRuns, StretchesStayTrueAfterManyEdits) {
    QTextDocument document;
    QString lines;
    for (int i = 0; i < 400; ++i)
        lines += u"bind k%1 \"say %1\"\n"_s.arg(i);
    document.setPlainText(lines);
    QRandomGenerator random(28);
    QTextCursor cursor(&document);
    for (int edit = 0; edit < 300; ++edit) {
        const int length = document.characterCount() - 1;
        cursor.setPosition(random.bounded(length + 1));
        if (edit % 3 == 2) {
            cursor.setPosition(std::min(length, cursor.position() + random.bounded(40)),
                               QTextCursor::KeepAnchor);
            cursor.removeSelectedText();
        } else {
            cursor.insertText(edit % 2 ? u"x;y\n"_s : u"ё"_s);
        }
        if (edit % 30 != 0)
            continue;
        const QString all = document.toRawText();
        for (int probe = 0; probe < 40; ++probe) {
            const int from = random.bounded(int(all.size()) + 1);
            const int to = from + random.bounded(int(all.size()) - from + 1);
            ASSERT_EQ(joinedRuns(document, from, to), all.mid(from, to - from))
                << edit << ' ' << from << ' ' << to;
        }
    }
}
