// The language services as the user reaches them in the main window: F7 and the check list, the
// highlighting switch and its setting, the hover explanation and Ctrl+Space completion.
#include "editor/qt_alias_tracker.h"
#include "editor/qt_block_notes.h"
#include "editor/qt_config_highlighter.h"
#include "editor/qt_editor_language.h"
#include "language/vocabulary_preload.h"
#include "platform/text_file.h"
#include "shell/main_window.h"
#include "shell/settings.h"
#include "test_app.h"
#include "widgets/qt_list_boxes.h"

#include <QAbstractItemView>
#include <QAction>
#include <QCompleter>
#include <QFile>
#include <QIcon>
#include <QLabel>
#include <QListView>
#include <QPaintEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QtTest/QTest>
#include <gtest/gtest.h>
#include <memory>

using namespace Qt::Literals::StringLiterals;

namespace {

class EditorLanguageWindow : public ::testing::Test {
protected:
    void SetUp() override {
        app.writeFile(app.programDir() + u"dlls/Stcmd.dll"_s,
                      "bind\r\nunbind\r\nalias\r\n+attack\r\necho\r\nwait\r\n");
        app.writeFile(app.programDir() + u"dlls/cvardll/Stcvr.dll"_s, "fps_max\r\nname\r\n");
        app.writeFile(app.programDir() + u"dlls/ans1.pro"_s,
                      textfile::toFileBytes(u"[fps_max]\nq=Предел кадров в секунду\n"_s));
        app.createWindows();
        app.showMain();
        form = app.w().mainWindow;
        memo = form->editor();
        language = form->findChild<EditorLanguage*>(u"EditorLanguage"_s);
        ASSERT_TRUE(language);
        list = form->findChild<QListView*>(u"ListCheck"_s);
        ASSERT_TRUE(list);
    }
    void setText(const QString& text) {
        form->setDocumentText(text, false);
        form->setDocumentModified(false);
        QCoreApplication::processEvents();
    }
    QStringList listed() const {
        QStringList texts;
        for (int row = 0; row < list->model()->rowCount(); ++row)
            texts.append(list->model()->index(row, 0).data().toString());
        return texts;
    }
    bool blockColoured(int number) const {
        return !memo->document()->findBlockByNumber(number).layout()->formats().isEmpty();
    }
    // Whether the line's first word is coloured as a known name (not underlined as unknown).
    bool isAlias(int number) const {
        const QTextBlock b = memo->document()->findBlockByNumber(number);
        for (const QTextLayout::FormatRange& r : b.layout()->formats())
            if (r.start == 0 && r.format.underlineStyle() != QTextCharFormat::WaveUnderline)
                return true;
        return false;
    }

    TestApp app;
    MainWindow* form = nullptr;
    QPlainTextEdit* memo = nullptr;
    EditorLanguage* language = nullptr;
    QListView* list = nullptr;
};

TEST_F(EditorLanguageWindow, F7ListsFindingsAndDoubleClickGoesToTheLine) {
    EXPECT_TRUE(list->isHidden());
    setText(u"fps_max 100\nbind MOUSE9 +attack\nfps_mxa 1\nname \"x"_s);
    QTest::keyClick(memo, Qt::Key_F7);
    ASSERT_TRUE(list->isVisible());
    EXPECT_EQ(listed(), (QStringList{u"Строка 2: Игра не знает клавишу «MOUSE9»"_s,
                                     u"Строка 3: Неизвестная команда или переменная «fps_mxa»"_s,
                                     u"Строка 4: Кавычка не закрыта до конца строки"_s}));
    // Each finding shows the style's icon of its kind.
    for (int row = 0; row < 3; ++row)
        EXPECT_FALSE(list->model()->index(row, 0).data(Qt::DecorationRole).value<QIcon>().isNull());
    QCoreApplication::processEvents();
    const QRect second = list->visualRect(list->model()->index(1, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, second.center());
    EXPECT_EQ(memo->textCursor().blockNumber(), 2);
    EXPECT_EQ(memo->textCursor().positionInBlock(), 0);

    // Fixed and run again: the list follows; the text itself was never touched by the check.
    setText(u"fps_max 100"_s);
    form->action(u"CheckConfig1"_s)->trigger();
    EXPECT_EQ(listed(), QStringList{u"Замечаний нет"_s});
    EXPECT_EQ(memo->toPlainText(), u"fps_max 100"_s);
    EXPECT_FALSE(form->isDocumentModified());
}

TEST_F(EditorLanguageWindow, F7ReadsTheWordsAgainOnlyWhenTheirFilesChanged) {
    setText(u"fps_max 1\ncl_newword 1"_s);
    form->action(u"CheckConfig1"_s)->trigger();
    ASSERT_EQ(listed().size(), 1);
    EXPECT_TRUE(listed().first().contains(u"cl_newword"_s));

    // A library installed between two checks: its words are known at the next one.
    app.writeFile(app.programDir() + u"dlls/dlz/new.dlz"_s, "cl_newword \"1\"\r\n");
    form->action(u"CheckConfig1"_s)->trigger();
    EXPECT_EQ(listed(), QStringList{u"Замечаний нет"_s});
    // And removed again.
    ASSERT_TRUE(QFile::remove(app.programDir() + u"dlls/dlz/new.dlz"_s));
    form->action(u"CheckConfig1"_s)->trigger();
    EXPECT_EQ(listed().size(), 1);
}

TEST(EditorLanguageAtStart, TheWordsReadAheadAreTheEditorsAndAFileChangedSinceIsNoticed) {
    // With highlighting on, the first colouring takes the words; with it off, the first check.
    for (const bool highlighting : {true, false}) {
        SCOPED_TRACE(highlighting ? "highlighting on" : "highlighting off");
        TestApp app;
        app.writeFile(app.programDir() + u"dlls/Stcmd.dll"_s, "bind\r\necho\r\n");
        app.writeFile(app.programDir() + u"dlls/dlz/early.dlz"_s, "cl_early \"1\"\r\n");
        if (!highlighting)
            app.writeFile(app.programDir() + u"Cfgneed.INI"_s,
                          "[Game]\r\ndadir=1\r\n[Syntax]\r\nHighlight=0\r\n");
        // Read ahead as the program's start does; then a library is installed before the first
        // check.
        app.state.vocabularyAhead = std::make_shared<VocabularyPreload>(app.state.home);
        app.createWindows();
        app.showMain();
        MainWindow* form = app.w().mainWindow;
        form->setDocumentText(u"cl_early 1\ncl_late 1"_s, false);
        QCoreApplication::processEvents();
        EXPECT_EQ(!app.state.vocabularyAhead, highlighting);
        app.writeFile(app.programDir() + u"dlls/dlz/late.dlz"_s, "cl_late \"1\"\r\n");
        form->action(u"CheckConfig1"_s)->trigger();
        EXPECT_FALSE(app.state.vocabularyAhead);
        auto* list = form->findChild<QListView*>(u"ListCheck"_s);
        ASSERT_TRUE(list);
        EXPECT_EQ(list->model()->index(0, 0).data().toString(), u"Замечаний нет"_s);
    }
}

TEST_F(EditorLanguageWindow, ALongListScrollsAndItsLastRowLeadsToItsLine) {
    QStringList lines;
    for (int i = 0; i < 20000; ++i)
        lines.append(i % 2 ? u"fps_max 1"_s : u"typo_%1 1"_s.arg(i));
    setText(lines.join(u'\n'));
    form->action(u"CheckConfig1"_s)->trigger();
    ASSERT_EQ(list->model()->rowCount(), 10000);
    QCoreApplication::processEvents();
    const QModelIndex last = list->model()->index(9999, 0);
    EXPECT_EQ(last.data().toString(),
              u"Строка 19999: Неизвестная команда или переменная «typo_19998»"_s);
    list->scrollTo(last);
    QCoreApplication::processEvents();
    const QRect row = list->visualRect(last);
    ASSERT_TRUE(list->viewport()->rect().contains(row.center()));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row.center());
    EXPECT_EQ(memo->textCursor().blockNumber(), 19998);
}

TEST_F(EditorLanguageWindow, HighlightingSwitchKeepsTextAndSettings) {
    QAction* item = form->action(u"SyntaxHighlight1"_s);
    ASSERT_TRUE(item);
    EXPECT_TRUE(item->isCheckable());
    EXPECT_TRUE(item->isChecked()) << "on when the settings say nothing";
    setText(u"// comment\nfps_max \"72\"\necho hi"_s);
    language->highlighter()->refreshVisible();
    EXPECT_TRUE(blockColoured(0));
    EXPECT_TRUE(blockColoured(1));
    const QColor text = memo->palette().color(QPalette::Text);

    item->trigger();
    EXPECT_FALSE(item->isChecked());
    EXPECT_FALSE(blockColoured(1));
    const Settings settings(app.programDir() + Settings::fileName());
    EXPECT_EQ(settings.readInt(u"Syntax"_s, u"Highlight"_s), 0);
    EXPECT_EQ(settings.readText(u"Game"_s, u"dadir"_s), u"1"_s) << "other keys stay";

    item->trigger();
    EXPECT_TRUE(blockColoured(1));
    EXPECT_EQ(settings.readInt(u"Syntax"_s, u"Highlight"_s), 1);
    EXPECT_EQ(memo->toPlainText(), u"// comment\nfps_max \"72\"\necho hi"_s);
    EXPECT_FALSE(form->isDocumentModified());
    EXPECT_EQ(memo->palette().color(QPalette::Text), text);
}

TEST_F(EditorLanguageWindow, OnlyBlocksOnScreenAreColoured) {
    QStringList lines;
    for (int i = 0; i < 5000; ++i)
        lines.append(u"fps_max \"%1\""_s.arg(i));
    setText(lines.join(u'\n'));
    language->highlighter()->refreshVisible();
    EXPECT_TRUE(blockColoured(0));
    EXPECT_FALSE(blockColoured(4000));
    QTextCursor c = memo->textCursor();
    c.setPosition(memo->document()->findBlockByNumber(4000).position());
    memo->setTextCursor(c);
    memo->ensureCursorVisible();
    QCoreApplication::processEvents();
    language->highlighter()->refreshVisible();
    EXPECT_TRUE(blockColoured(4000));
}

TEST_F(EditorLanguageWindow, AnEditRecoloursItsBlockAndUndoGivesTheColoursBack) {
    const auto underlined = [this](int number) {
        for (const QTextLayout::FormatRange& r :
             memo->document()->findBlockByNumber(number).layout()->formats())
            if (r.format.underlineStyle() == QTextCharFormat::WaveUnderline)
                return true;
        return false;
    };
    setText(u"echo hi\nfps_max 1\necho bye"_s);
    language->highlighter()->refreshVisible();
    ASSERT_TRUE(blockColoured(1));
    EXPECT_FALSE(underlined(1));
    QTextCursor c(memo->document()->findBlockByNumber(1));
    c.setPosition(c.position() + 7);
    c.insertText(u"x"_s); // "fps_maxx": no longer a known name
    EXPECT_TRUE(underlined(1));
    EXPECT_FALSE(underlined(0));
    memo->undo();
    EXPECT_EQ(memo->document()->findBlockByNumber(1).text(), u"fps_max 1"_s);
    EXPECT_FALSE(underlined(1));
    EXPECT_TRUE(blockColoured(1));
}

TEST_F(EditorLanguageWindow, ARenamedAliasRecoloursTheLinesThatNameItInAnyCase) {
    setText(u"alias go wait\necho hi\nGO"_s);
    language->highlighter()->refreshVisible();
    ASSERT_TRUE(isAlias(2));
    QTextCursor c(memo->document());
    c.setPosition(8);
    c.insertText(u"o"_s); // "alias goo wait": GO is no longer defined
    QCoreApplication::processEvents();
    EXPECT_FALSE(isAlias(2));
    EXPECT_TRUE(blockColoured(1));
    c.deletePreviousChar(); // and is again
    QCoreApplication::processEvents();
    EXPECT_TRUE(isAlias(2));
}

TEST_F(EditorLanguageWindow, AliasesFollowEditsOfTheLinesThatDefineThem) {
    setText(u"alias go \"+attack\"\nalias go \"wait\"\ngo"_s);
    language->highlighter()->refreshVisible();
    ASSERT_TRUE(isAlias(2));
    // One definition deleted: go is still defined by the other line.
    QTextCursor c(memo->document()->firstBlock());
    c.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor);
    c.removeSelectedText();
    EXPECT_TRUE(isAlias(1));
    // The last one renamed: go is unknown now, everywhere.
    c.setPosition(8);
    c.insertText(u"o"_s); // "alias goo"
    EXPECT_FALSE(isAlias(1));
    memo->undo();
    EXPECT_TRUE(isAlias(1));
    // A new line that defines it in a pasted block.
    memo->selectAll();
    memo->insertPlainText(u"echo\ngo\nalias go wait\n"_s);
    language->highlighter()->refreshVisible();
    EXPECT_TRUE(isAlias(1));
    // A long paste is searched through its text: an alias far down in it counts, and so does
    // one on the line the paste ends in.
    QStringList lines(300, u"echo"_s);
    lines[0] = u"far"_s;
    lines[1] = u"near"_s;
    lines[250] = u"bind x y; ALIAS far wait"_s;
    memo->moveCursor(QTextCursor::End);
    memo->insertPlainText(lines.join(u'\n') + u" ; alias near wait"_s);
    language->highlighter()->refreshVisible();
    EXPECT_TRUE(isAlias(3));
    EXPECT_TRUE(isAlias(4));
}

TEST_F(EditorLanguageWindow, AliasesOfALargeTextAreFoundWhereverTheyStand) {
    // A text of a few megabytes is searched in pieces: a definition before, on and after the
    // border of two pieces counts, and so does one at the end of a line longer than a piece.
    QStringList lines(150000, u"echo 1234567890"_s);
    const std::pair<int, QString> defined[] = {
        {100, u"alias first wait"_s},
        {61679, u"alias before wait"_s},
        {61680, u"alias boundary wait"_s}, // holds the text's 2^20th character
        {61681, u"echo; alias after wait"_s},
        {90000, QString(1200000, u'x') + u" ; alias long wait"_s},
        {149998, u"alias last wait"_s},
    };
    for (const auto& [line, text] : defined)
        lines[line] = text;
    setText(lines.join(u'\n'));
    const auto* aliases = language->findChild<AliasTracker*>();
    ASSERT_TRUE(aliases);
    EXPECT_EQ(aliases->names(), (QSet<QString>{u"first"_s, u"before"_s, u"boundary"_s, u"after"_s,
                                               u"long"_s, u"last"_s}));
}

TEST_F(EditorLanguageWindow, OnlyTheLinesNearTheViewKeepTheirShapedText) {
    const auto kept = [this](int number) {
        return memo->document()->findBlockByNumber(number).layout()->cacheEnabled();
    };
    setText(QStringList(3000, u"fps_max 100"_s).join(u'\n'));
    language->highlighter()->refreshVisible();
    EXPECT_TRUE(kept(0));
    EXPECT_FALSE(kept(2000));
    // A line made in the view keeps its shapes from the start; one made far below does not.
    for (const int number : {5, 2500}) {
        QTextCursor c(memo->document()->findBlockByNumber(number));
        c.movePosition(QTextCursor::EndOfBlock);
        c.insertText(u"\nbind x +attack"_s);
    }
    EXPECT_TRUE(kept(6));
    EXPECT_TRUE(blockColoured(6));
    EXPECT_FALSE(kept(2502));
    // Scrolled far down: the lines left behind let their shapes go and keep their colours.
    memo->verticalScrollBar()->setValue(2000);
    QCoreApplication::processEvents();
    language->highlighter()->refreshVisible();
    EXPECT_FALSE(kept(0));
    EXPECT_TRUE(blockColoured(0));
    EXPECT_TRUE(kept(2001));
    EXPECT_TRUE(blockColoured(2001));
    // The highlighting off: the colours go, the view's lines keep their shapes, and so do a
    // line typed there and one Enter makes; the lines left behind let theirs go.
    language->SyntaxHighlight1Click();
    EXPECT_FALSE(blockColoured(2001));
    EXPECT_TRUE(kept(2001));
    QTextCursor c(memo->document()->findBlockByNumber(2001));
    c.movePosition(QTextCursor::EndOfBlock);
    c.insertText(u"\nbind x +attack"_s);
    EXPECT_TRUE(kept(2002));
    EXPECT_FALSE(blockColoured(2002));
    memo->verticalScrollBar()->setValue(0);
    QCoreApplication::processEvents();
    language->highlighter()->refreshVisible();
    EXPECT_FALSE(kept(2001));
    EXPECT_TRUE(kept(0));
    EXPECT_FALSE(blockColoured(0));
}

TEST_F(EditorLanguageWindow, ALineIsColouredAsItIsFirstLaidOutAndLetsItsShapesGoWhenLeftBehind) {
    const auto layoutOf = [this](int number) {
        return memo->document()->findBlockByNumber(number).layout();
    };
    setText(QStringList(5000, u"fps_max 100"_s).join(u'\n'));
    language->highlighter()->refreshVisible();
    ASSERT_EQ(layoutOf(3000)->lineCount(), 0);
    EXPECT_FALSE(blockColoured(3000));
    // Laid out (as a jump to it does before it is painted): coloured first, no event needed.
    memo->document()->documentLayout()->blockBoundingRect(
        memo->document()->findBlockByNumber(3000));
    EXPECT_GT(layoutOf(3000)->lineCount(), 0);
    EXPECT_TRUE(blockColoured(3000));
    EXPECT_TRUE(layoutOf(3000)->cacheEnabled());
    EXPECT_FALSE(blockColoured(2999)) << "only the line laid out";
    // The next view, elsewhere, lets its shapes go; its colours stay.
    memo->verticalScrollBar()->setValue(10);
    QCoreApplication::processEvents();
    language->highlighter()->refreshVisible();
    EXPECT_FALSE(layoutOf(3000)->cacheEnabled());
    EXPECT_TRUE(blockColoured(3000));
    // Its shapes and lines went with them; laid out again, it is its own text in its colours.
    EXPECT_EQ(layoutOf(3000)->lineCount(), 0);
    const QTextBlock again = memo->document()->findBlockByNumber(3000);
    memo->document()->documentLayout()->blockBoundingRect(again);
    ASSERT_EQ(layoutOf(3000)->lineCount(), 1);
    EXPECT_EQ(layoutOf(3000)->lineAt(0).textLength(), again.length() - 1);
    EXPECT_TRUE(blockColoured(3000));
}

TEST_F(EditorLanguageWindow, ALineLaidOutDuringAnEditWaitsForTheEditToBeAnnounced) {
    const auto underlined = [this](int number) {
        for (const QTextLayout::FormatRange& r :
             memo->document()->findBlockByNumber(number).layout()->formats())
            if (r.format.underlineStyle() == QTextCharFormat::WaveUnderline)
                return true;
        return false;
    };
    setText(QStringList(5000, u"fps_max 100"_s).join(u'\n'));
    language->highlighter()->refreshVisible();
    QTextCursor c(memo->document());
    c.beginEditBlock();
    c.setPosition(7);
    c.insertText(u"x"_s); // "fps_maxx": unknown
    memo->document()->documentLayout()->blockBoundingRect(
        memo->document()->findBlockByNumber(4000));
    EXPECT_FALSE(blockColoured(4000)) << "colouring it now would pass the edit on unannounced";
    c.endEditBlock();
    QCoreApplication::processEvents();
    EXPECT_TRUE(underlined(0)) << "the edit was heard of and its line coloured";
    EXPECT_EQ(memo->document()->findBlockByNumber(0).text(), u"fps_maxx 100"_s);
}

TEST_F(EditorLanguageWindow, RecolouringALineKeepsTheLayoutOfTheLinesAroundIt) {
    setText(u"fps_max 1\nfoo\necho hi"_s);
    language->highlighter()->refreshVisible();
    QCoreApplication::processEvents();
    const auto layoutOf = [this](int number) {
        return memo->document()->findBlockByNumber(number).layout();
    };
    ASSERT_GT(layoutOf(2)->lineCount(), 0);
    const QList<QTextLayout::FormatRange> before = layoutOf(1)->formats();
    language->highlighter()->setAliases({u"foo"_s}, {u"foo"_s}); // "foo" is now an alias
    EXPECT_NE(layoutOf(1)->formats(), before);
    EXPECT_GT(layoutOf(0)->lineCount(), 0);
    EXPECT_GT(layoutOf(2)->lineCount(), 0);
}

TEST(AliasNotes, LinesDefiningOneOrSeveralNamesCountAndUncountThem) {
    QTextDocument document;
    document.documentLayout(); // a document tells of its edits once it has a layout
    document.setPlainText(u"alias a x; alias b y\nalias a z\nalias c w\necho"_s);
    const AliasTracker tracker(&document, nullptr);
    EXPECT_EQ(tracker.names(), (QSet<QString>{u"a"_s, u"b"_s, u"c"_s}));
    // A line with one name holds the count's own copy of it.
    const auto* notes = notesOf(document.findBlockByNumber(2));
    ASSERT_TRUE(notes);
    EXPECT_EQ(notes->aliases.constData(), tracker.names().constFind(u"c"_s)->constData());
    struct Step {
        QString text; // the first line's new text; empty: the line is deleted
        QSet<QString> after;
    };
    const Step steps[] = {
        {QString(), {u"a"_s, u"c"_s}}, // a is still defined on the next line
        {u"alias a z; alias d v"_s, {u"a"_s, u"c"_s, u"d"_s}},
        {QString(), {u"c"_s}},
        {u"echo"_s, {}},
    };
    for (const Step& step : steps) {
        QTextCursor c(document.firstBlock());
        c.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        if (step.text.isEmpty())
            c.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor);
        c.insertText(step.text);
        EXPECT_EQ(tracker.names(), step.after) << step.text.toStdString();
    }
}

TEST(AliasNotes, ADocumentGoingAwayWholeLeavesItsCountAlone) {
    // Deleting lines takes their names off the count; deleting the whole document does not go
    // through them one by one (at a 16 MB config's close that is a hundred thousand lines).
    auto document = std::make_unique<QTextDocument>();
    document->documentLayout();
    document->setPlainText(u"alias a x\nalias b y"_s);
    const AliasTracker tracker(document.get(), nullptr);
    QTextCursor c(document->firstBlock());
    c.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor);
    c.removeSelectedText();
    EXPECT_EQ(tracker.names(), (QSet<QString>{u"b"_s}));
    document.reset();
    EXPECT_EQ(tracker.names(), (QSet<QString>{u"b"_s}));
}

TEST(AliasNotes, APasteOfManyLinesIntoAnEditedTextFindsItsNamesAtTheirLines) {
    // A paste of more lines than are read one by one is searched as text; the document then
    // stores its lines in pieces out of order, and each name must still be noted on its own line.
    QTextDocument document;
    document.documentLayout();
    document.setPlainText(QStringList(100, u"echo 1"_s).join(u'\n'));
    const AliasTracker tracker(&document, nullptr);
    for (const int line : {10, 50, 90}) { // edits that split the document's pieces
        QTextCursor c(document.findBlockByNumber(line));
        c.insertText(u"x"_s);
    }
    QStringList pasted(300, u"wait"_s);
    pasted[0] = u"alias first +attack"_s;
    pasted[150] = u"bind x y; ALIAS middle wait"_s;
    pasted[299] = u"alias last"_s;
    QTextCursor c(document.findBlockByNumber(50));
    c.movePosition(QTextCursor::EndOfBlock);
    c.insertText(u"\n"_s + pasted.join(u'\n') + u"\n"_s);
    EXPECT_EQ(tracker.names(), (QSet<QString>{u"first"_s, u"middle"_s, u"last"_s}));
    for (const int line : {51, 201, 350})
        EXPECT_TRUE(notesOf(document.findBlockByNumber(line))) << line;
    EXPECT_FALSE(notesOf(document.findBlockByNumber(52)));
}

TEST(AliasNotes, ATextReadAheadNotesWhatReadingItsBlocksWould) {
    // A long text set whole has its aliases read on a thread while the document takes it; its
    // lines end where the document's blocks do (a lone CR and U+2029 among them), and each name
    // is noted on its own block, as a tracker reading the blocks notes it. A CR LF, one block
    // end of two characters, makes the text's places differ from the document's: then the
    // blocks are read.
    QStringList lines(6000, u"echo 1234567890"_s);
    lines[0] = u"alias first wait"_s;
    lines[1] = u"bind x y\ralias cr wait"_s;
    lines[2999] = u"echo; ALIAS Middle wait\u2029alias para wait"_s;
    lines[5999] = u"alias a x; alias last y"_s;
    for (const QString& breakChars : {u"\n"_s, u"\r\n"_s}) {
        const QString text = lines.join(breakChars);
        QTextDocument ahead;
        ahead.documentLayout();
        AliasTracker readAhead(&ahead, nullptr);
        readAhead.expectText(text);
        ahead.setPlainText(text);
        QTextDocument read;
        read.documentLayout();
        AliasTracker readBlocks(&read, nullptr);
        read.setPlainText(text);

        const QSet<QString> names{u"first"_s, u"cr"_s, u"middle"_s, u"para"_s, u"a"_s, u"last"_s};
        EXPECT_EQ(readAhead.names(), names);
        EXPECT_EQ(readBlocks.names(), names);
        ASSERT_EQ(ahead.blockCount(), read.blockCount());
        for (QTextBlock a = ahead.begin(), b = read.begin(); a.isValid();
             a = a.next(), b = b.next()) {
            const BlockNotes* na = notesOf(a);
            const BlockNotes* nb = notesOf(b);
            ASSERT_EQ(bool(na), bool(nb)) << a.blockNumber();
            if (na) {
                EXPECT_EQ(na->aliases, nb->aliases) << a.blockNumber();
            }
        }
        // The notes are where the names are: deleting the line takes its names off.
        QTextCursor c(ahead.lastBlock());
        c.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        c.removeSelectedText();
        EXPECT_EQ(readAhead.names(), (QSet<QString>{u"first"_s, u"cr"_s, u"middle"_s, u"para"_s}));
    }
}

// Collects what is painted on a widget.
class PaintedRegion : public QObject {
public:
    explicit PaintedRegion(QWidget* widget) { widget->installEventFilter(this); }
    QRegion region;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            region += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
};

TEST_F(EditorLanguageWindow, AKeystrokeRepaintsOnlyItsOwnLine) {
    QStringList lines;
    for (int i = 0; i < 200; ++i)
        lines.append(u"fps_max \"%1\""_s.arg(i));
    setText(lines.join(u'\n'));
    language->highlighter()->refreshVisible();
    QTextCursor c(memo->document()->findBlockByNumber(5));
    c.setPosition(c.position() + 7);
    memo->setTextCursor(c);
    QCoreApplication::processEvents();
    const int lineHeight = memo->cursorRect().height();
    ASSERT_GT(memo->viewport()->height(), 6 * lineHeight);

    PaintedRegion painted(memo->viewport());
    QTest::keyClick(memo, Qt::Key_X); // "fps_maxx": now unknown, so coloured anew
    QCoreApplication::processEvents();
    ASSERT_FALSE(painted.region.isEmpty());
    EXPECT_LE(painted.region.boundingRect().height(), 2 * lineHeight);
    bool underlined = false;
    for (const QTextLayout::FormatRange& r :
         memo->document()->findBlockByNumber(5).layout()->formats())
        underlined |= r.format.underlineStyle() == QTextCharFormat::WaveUnderline;
    EXPECT_TRUE(underlined);
}

TEST_F(EditorLanguageWindow, AKeystrokeLaysOutOnlyItsOwnLineInItsNewColours) {
    setText(u"fps_max 1\nname x\necho hi"_s);
    language->highlighter()->refreshVisible();
    QCoreApplication::processEvents();
    const auto layoutOf = [this](int number) {
        return memo->document()->findBlockByNumber(number).layout();
    };
    ASSERT_GT(layoutOf(1)->lineCount(), 0);
    struct Key {
        int position;
        Qt::Key key;
        bool underlined; // the first line's name is unknown afterwards
    };
    const Key keys[] = {{7, Qt::Key_X, true}, {8, Qt::Key_Backspace, false}};
    for (const Key& k : keys) {
        QTextCursor c = memo->textCursor();
        c.setPosition(k.position);
        memo->setTextCursor(c);
        QTest::keyClick(memo, k.key);
        // Coloured and laid out with the keystroke, before any event; the next line untouched.
        bool underlined = false;
        for (const QTextLayout::FormatRange& r : layoutOf(0)->formats())
            underlined |= r.format.underlineStyle() == QTextCharFormat::WaveUnderline;
        EXPECT_EQ(underlined, k.underlined) << k.position;
        EXPECT_GT(layoutOf(0)->lineCount(), 0) << k.position;
        EXPECT_GT(layoutOf(1)->lineCount(), 0) << k.position;
    }
}

TEST_F(EditorLanguageWindow, HoverShowsTheLookUpText) {
    setText(u"fps_max 100\necho hi"_s);
    const QTextBlock first = memo->document()->firstBlock();
    QTextCursor c(first);
    c.setPosition(2);
    const QPoint overName = memo->cursorRect(c).center();
    EXPECT_EQ(language->explanationAt(overName), u" Предел кадров в секунду"_s);
    c.setPosition(9); // over "100"
    EXPECT_EQ(language->explanationAt(memo->cursorRect(c).center()), QString());
    QTextCursor second(memo->document()->findBlockByNumber(1));
    second.setPosition(second.position() + 1);
    EXPECT_EQ(language->explanationAt(memo->cursorRect(second).center()), QString())
        << "a known command without an explanation shows nothing";
}

TEST_F(EditorLanguageWindow, CtrlSpaceCompletesFromKnownNamesAndAliases) {
    setText(u"alias +jumpduck \"+attack\"\nfps_m"_s);
    memo->moveCursor(QTextCursor::End);
    QTest::keyClick(memo, Qt::Key_Space, Qt::ControlModifier);
    QCompleter* completer = language->completer();
    ASSERT_TRUE(completer->popup()->isVisible());
    EXPECT_EQ(completer->currentCompletion(), u"fps_max"_s);
    QTest::keyClick(completer->popup(), Qt::Key_Return);
    EXPECT_EQ(memo->toPlainText(), u"alias +jumpduck \"+attack\"\nfps_max"_s);

    memo->moveCursor(QTextCursor::End);
    memo->insertPlainText(u"\n+jum"_s);
    QTest::keyClick(memo, Qt::Key_Space, Qt::ControlModifier);
    ASSERT_TRUE(completer->popup()->isVisible());
    EXPECT_EQ(completer->currentCompletion(), u"+jumpduck"_s);
    QTest::keyClick(completer->popup(), Qt::Key_Enter);
    EXPECT_TRUE(memo->toPlainText().endsWith(u"\n+jumpduck"_s));
}

// A name the 1.5 game lacks is marked in the list as the check tells it; the name alone goes in.
TEST_F(EditorLanguageWindow, CompletionMarksTheNamesOfLaterVersions) {
    app.writeFile(app.programDir() + u"dlls/goldsrc.voc"_s,
                  "cl_autobuy\tcmd\tclient\t16\tsteam\n"
                  "cl_allowdownload\tcvar\tengine\t15\tengine\n");
    form->action(u"CheckConfig1"_s)->trigger(); // the words are read again
    setText(u"cl_a"_s);
    memo->moveCursor(QTextCursor::End);
    QTest::keyClick(memo, Qt::Key_Space, Qt::ControlModifier);
    QCompleter* completer = language->completer();
    ASSERT_TRUE(completer->popup()->isVisible());
    QStringList shown;
    for (int row = 0; row < completer->completionModel()->rowCount(); ++row)
        shown.append(completer->completionModel()->index(row, 0).data().toString());
    EXPECT_TRUE(shown.contains(u"cl_allowdownload"_s)) << shown.join(u" | ").toStdString();
    EXPECT_TRUE(shown.contains(u"cl_autobuy   — CS 1.6 (Steam), в 1.5 нет"_s))
        << shown.join(u" | ").toStdString();
    completer->popup()->setCurrentIndex(completer->completionModel()->index(
        int(shown.indexOf(u"cl_autobuy   — CS 1.6 (Steam), в 1.5 нет"_s)), 0));
    QTest::keyClick(completer->popup(), Qt::Key_Return);
    EXPECT_EQ(memo->toPlainText(), u"cl_autobuy"_s);
}

// A long finding is cut in its row: the line under the list and the row's tool tip hold it whole.
TEST_F(EditorLanguageWindow, ALongFindingReadsWholeUnderTheList) {
    setText(u"fps_max 100\nbind MOUSE9 +attack"_s);
    form->action(u"CheckConfig1"_s)->trigger();
    auto* whole = form->findChild<QLabel*>(u"LabelFinding"_s);
    ASSERT_TRUE(whole);
    EXPECT_TRUE(whole->isVisible());
    EXPECT_TRUE(whole->wordWrap());
    const QModelIndex first = list->model()->index(0, 0);
    EXPECT_EQ(whole->text(), first.data().toString());
    EXPECT_EQ(first.data(Qt::ToolTipRole).toString(), first.data().toString());
    QTest::keyClick(list, Qt::Key_Escape);
    EXPECT_FALSE(whole->isVisible());
}

} // namespace
