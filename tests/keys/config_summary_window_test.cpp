// "Итог конфига" in the program: opened from the tool bar, the set's final values with their
// files and what they undid, following the editor's text, and a double click opening a row's
// file at its line.
#include "app/window_wiring.h"
#include "keys/config_summary_window.h"
#include "shell/main_window.h"
#include "test_app.h"

#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

struct SummaryWindowTest : ::testing::Test {
    TestApp app;
    MainWindow* form = nullptr;
    ConfigSummaryWindow* summary = nullptr;

    void SetUp() override {
        // The words that tell a variable from a command.
        app.writeFile(app.programDir() + u"dlls/goldsrc.voc"_s,
                      "sensitivity\tcvar\tclient\t15\tclient\n"
                      "slot1\tcmd\tclient\t15\tclient\nslot2\tcmd\tclient\t15\tclient\n");
        app.writeFile(app.gameDir() + u"/autoexec.cfg"_s,
                      "sensitivity 5\r\nbind F2 \"slot2\"\r\nexec scripts.cfg\r\n");
        app.writeFile(app.gameDir() + u"/scripts.cfg"_s, "alias hello \"say hi\"\r\n");
        app.writeFile(app.gameDir() + u"/config.cfg"_s,
                      "unbindall\r\nbind \"F1\" \"slot1\"\r\nsensitivity \"2\"\r\n"
                      "exec userconfig.cfg\r\n");
        app.writeFile(app.gameDir() + u"/userconfig.cfg"_s, "sensitivity 3\r\n");
        app.createWindows();
        app.showMain();
        form = app.w().mainWindow;
        summary = app.w().summary;
        ASSERT_TRUE(summary);
    }
    void open() {
        form->findChild<QToolButton*>(u"ToolButton23"_s)->click();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(summary));
    }
    QTableWidget* table() const { return summary->findChild<QTableWidget*>(u"TableFinal"_s); }
    int rowOf(const QString& name) const {
        for (int r = 0; r < table()->rowCount(); ++r)
            if (table()->item(r, 1)->text() == name)
                return r;
        return -1;
    }
    QString cell(const QString& name, int column) const {
        const int r = rowOf(name);
        return r < 0 ? u"<none>"_s : table()->item(r, column)->text();
    }
};

TEST_F(SummaryWindowTest, ShowsTheFinalValuesWhereTheyComeFromAndTheChain) {
    open();
    EXPECT_EQ(summary->windowTitle(), u"Итог конфига"_s);
    EXPECT_EQ(summary->objectName(), u"Itog"_s);
    EXPECT_EQ(cell(u"sensitivity"_s, 2), u"3"_s);
    EXPECT_EQ(cell(u"sensitivity"_s, 3), u"userconfig.cfg:1"_s);
    EXPECT_EQ(cell(u"sensitivity"_s, 4), u"перекрывает autoexec.cfg:1, config.cfg:3"_s);
    EXPECT_EQ(cell(u"F2"_s, 2), u"(снята)"_s);
    EXPECT_EQ(cell(u"F2"_s, 3), u"config.cfg:1"_s);
    EXPECT_EQ(cell(u"hello"_s, 3), u"scripts.cfg:1"_s);
    const QString chain = summary->findChild<QLabel*>(u"LabelChain"_s)->text();
    EXPECT_LT(chain.indexOf(u"autoexec.cfg"_s), chain.indexOf(u"<b>config.cfg"_s)) << chain.toStdString();
    EXPECT_TRUE(chain.contains(u"userconfig.cfg</b> — 1 значение"_s)) << chain.toStdString();
    EXPECT_TRUE(chain.contains(u"exec из autoexec.cfg:3"_s)) << chain.toStdString();

    summary->findChild<QLineEdit*>(u"EditFilter"_s)->setText(u"userconfig"_s);
    EXPECT_EQ(table()->rowCount(), 1);
}

TEST_F(SummaryWindowTest, FollowsTheEditorsTextAndOpensARowsLine) {
    // The editor's text stands in for its file: an edit there is what the window shows.
    ASSERT_TRUE(form->document().openPath(app.gameDir() + u"/userconfig.cfg"_s));
    open();
    form->editor()->selectAll();
    form->editor()->insertPlainText(u"// mine\nsensitivity 4\n"_s);
    QDeadlineTimer deadline(10000);
    while (cell(u"sensitivity"_s, 2) != u"4"_s && !deadline.hasExpired())
        QTest::qWait(50);
    EXPECT_EQ(cell(u"sensitivity"_s, 3), u"userconfig.cfg:2"_s);

    // A row of another file opens it (the edited one asks first) at the row's line.
    app.dialogs.expect(ScriptedUserDialogs::Kind::YesNoCancel, ScriptedUserDialogs::Answer::No);
    const int row = rowOf(u"hello"_s);
    ASSERT_GE(row, 0);
    emit table()->cellDoubleClicked(row, 0);
    EXPECT_TRUE(form->document().fileName().endsWith(u"scripts.cfg"_s))
        << form->document().fileName().toStdString();
    EXPECT_EQ(form->editor()->textCursor().blockNumber(), 0);
    EXPECT_TRUE(app.dialogs.allUsed());
}

} // namespace
