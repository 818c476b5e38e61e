// The editor's commands on large configs, each against the least a Qt program does for the same
// result, in the same run, on the shared generator's configs of 1, 4 and 16 MB: find next through
// the find dialog against a bare main window's QPlainTextEdit::find with exactly the editor's
// QFont (its rows with quartiles, CPU time and the machine's load), EndEnter and delete line
// against one cursor operation (step by step, with the events each causes), and an explanation
// shown against a hash lookup (the save has its own, bench/save_bench.cpp). Prints the find next
// rows as medians with quartiles, and the others one line per row and size:
//   row <TAB> size <TAB> ours ms <TAB> anchor ms
// Usage: editor_commands_bench DATA_DIR (the repository's data folder, for the explanations).
#include "bench_main_window.h"
#include "bench_stats.h"
#include "gen_configs.h"
#include "platform/ini_profile.h"
#include "platform/qt_shell.h"
#include "platform/qt_user_dialogs.h"
#include "reference/explanations.h"
#include "shell/main_window.h"
#include "state/app_context.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextBlock>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace {

// Milliseconds per call of `step`, the median of `rounds` rounds of `calls` calls each.
double timePerCall(int rounds, int calls, const std::function<void()>& step,
                   const std::function<void()>& beforeRound = {}) {
    std::vector<double> perCall;
    for (int r = 0; r < rounds; ++r) {
        if (beforeRound)
            beforeRound();
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < calls; ++i)
            step();
        perCall.push_back(double(timer.nsecsElapsed()) / 1e6 / calls);
    }
    std::sort(perCall.begin(), perCall.end());
    return perCall[perCall.size() / 2];
}

struct Side {
    std::function<void()> step;
    std::function<void()> beforeRound = {};
};

// Ours and the anchor in alternating rounds, so both see the same machine load; which goes first
// alternates too, so neither always finds the memory and the disk as the other left them.
std::pair<double, double> compare(int rounds, int calls, const Side& ours, const Side& anchor) {
    std::vector<double> a, b;
    for (int r = 0; r < rounds; ++r) {
        if (r % 2 == 0)
            a.push_back(timePerCall(1, calls, ours.step, ours.beforeRound));
        b.push_back(timePerCall(1, calls, anchor.step, anchor.beforeRound));
        if (r % 2 == 1)
            a.push_back(timePerCall(1, calls, ours.step, ours.beforeRound));
    }
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    return {a[a.size() / 2], b[b.size() / 2]};
}

// Ours and the anchor step by step: each call of one is followed by the same call of the other
// (which goes first alternates), and each call is timed with the events it causes (layout and
// painting included) processed. The medians over the rounds of the milliseconds per call; the
// spread of the per-round ratio goes to the error output, beside the rows.
std::pair<double, double> compareSteps(const char* name, int megabytes, int rounds, int calls,
                                       const Side& ours, const Side& anchor) {
    const auto timed = [](const std::function<void()>& step) {
        QElapsedTimer timer;
        timer.start();
        step();
        QCoreApplication::processEvents();
        return timer.nsecsElapsed();
    };
    std::vector<double> a, b, ratio;
    for (int r = 0; r < rounds; ++r) {
        for (const Side* side : {&ours, &anchor})
            if (side->beforeRound)
                side->beforeRound();
        QCoreApplication::processEvents();
        qint64 oursNs = 0;
        qint64 anchorNs = 0;
        for (int i = 0; i < calls; ++i) {
            if ((i + r) % 2 == 0) {
                oursNs += timed(ours.step);
                anchorNs += timed(anchor.step);
            } else {
                anchorNs += timed(anchor.step);
                oursNs += timed(ours.step);
            }
        }
        a.push_back(double(oursNs) / 1e6 / calls);
        b.push_back(double(anchorNs) / 1e6 / calls);
        ratio.push_back(a.back() / b.back());
    }
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    std::sort(ratio.begin(), ratio.end());
    std::fprintf(stderr, "%s, %d MB: ratio per round %.2f-%.2f, median %.2f\n", name, megabytes,
                 ratio.front(), ratio.back(), ratio[ratio.size() / 2]);
    return {a[a.size() / 2], b[b.size() / 2]};
}

void row(const char* name, int megabytes, double ours, double anchor) {
    std::printf("%s\t%d\t%.4f\t%.4f\n", name, megabytes, ours, anchor);
    std::fflush(stdout);
}

void putCaret(QPlainTextEdit* edit, int position) {
    QTextCursor c = edit->textCursor();
    c.setPosition(position);
    edit->setTextCursor(c);
}

int middleOf(QPlainTextEdit* edit) {
    return edit->document()->findBlockByNumber(edit->document()->blockCount() / 2).position();
}

// The bare Qt program find next is measured against: a main window holding a plain-text edit,
// and a dialog whose button runs QPlainTextEdit::find on it, case matched, as ours does.
struct FindAnchor {
    QMainWindow window;
    QPlainTextEdit* edit = new QPlainTextEdit;
    QDialog dialog{&window};
    QLineEdit* findEdit = new QLineEdit(&dialog);
    QPushButton* button = new QPushButton(u"Найти далее"_s, &dialog);

    FindAnchor(const QString& text, const QFont& font) {
        edit->setLineWrapMode(QPlainTextEdit::NoWrap);
        edit->setFont(font);
        edit->setPlainText(text);
        window.setCentralWidget(edit);
        auto* grid = new QGridLayout(&dialog);
        grid->addWidget(findEdit, 0, 0);
        grid->addWidget(button, 0, 1);
        QObject::connect(button, &QPushButton::clicked, edit, [this] {
            edit->find(findEdit->text(), QTextDocument::FindCaseSensitively);
        });
    }
};

// One anchor window sized so its edit shows exactly as many lines and columns as ours.
void matchViewport(FindAnchor& anchor, QPlainTextEdit* memo) {
    anchor.window.resize(memo->size());
    anchor.window.show();
    QCoreApplication::processEvents();
    anchor.window.resize(anchor.window.size() + memo->viewport()->size() -
                         anchor.edit->viewport()->size());
    QCoreApplication::processEvents();
    if (anchor.edit->viewport()->size() != memo->viewport()->size())
        qFatal("the anchor's viewport differs from the editor's");
    anchor.dialog.show();
    QCoreApplication::processEvents();
}

// Find next as the user runs it: the find dialog open on a find text, each step a click of its
// "Найти далее", timed until the match is selected, scrolled to and painted (the events it
// causes processed). Both walk down the same matches, call by call, which goes first
// alternating; the anchor is a bare editor as a plain Qt program has it, with the editor's font.
void findNextRows(int megabytes, MainWindow& form, const QString& text) {
    QPlainTextEdit* memo = form.editor();
    FindAnchor bare(text, memo->font());
    matchViewport(bare, memo);

    form.N12Click();
    auto* dialog = form.findChild<QDialog*>(u"FindDialog1"_s);
    auto* findEdit = dialog ? dialog->findChild<QLineEdit*>(u"FindEdit"_s) : nullptr;
    auto* findButton = dialog ? dialog->findChild<QPushButton*>(u"FindNextButton"_s) : nullptr;
    if (!findEdit || !findButton)
        qFatal("no find dialog");

    // Sparse: a text on about every 90th line, so each step scrolls a new screen in; dense: a
    // word on about every tenth line, so most steps scroll a few lines.
    const struct {
        const char* name;
        QString needle;
    } cases[] = {{"find next, sparse matches", u"готово 1"_s},
                 {"find next, dense matches", u"+attack"_s}};
    FindAnchor* anchor = &bare;
    for (const auto& c : cases) {
        {
            findEdit->setText(c.needle);
            anchor->findEdit->setText(c.needle);
            Timed ours, theirs;
            const int rounds = 5;
            const int calls = 40;
            // From the top, as after a click into the text at its start; then on down the
            // text, so each step, like a user's, comes to lines neither editor has shown yet.
            putCaret(memo, 0);
            putCaret(anchor->edit, 0);
            QCoreApplication::processEvents();
            for (int r = 0; r < rounds; ++r) {
                alternate(
                    calls, [&](int) { ours.run([&] { findButton->click(); }); },
                    [&](int) { theirs.run([&] { anchor->button->click(); }); });
                const QTextCursor a = memo->textCursor();
                const QTextCursor b = anchor->edit->textCursor();
                if (!a.hasSelection() || a.selectionStart() != b.selectionStart() ||
                    a.selectionEnd() != b.selectionEnd())
                    qFatal("the two finds stopped at different places");
            }
            char name[80];
            std::snprintf(name, sizeof name, "%s, %d MB", c.name, megabytes);
            printTimedRows(name, ours, theirs, "ms", 1.2);
        }
    }
    dialog->hide();
    bare.dialog.hide();
    QCoreApplication::processEvents();
}

// One size: the program's main window with the config as its command-line file, and a bare
// QPlainTextEdit with the same text.
void runSize(int megabytes, const QString& dir, bool commands) {
    const QString path = generatedConfig(dir, megabytesOf(megabytes));
    const QString text = textfile::readText(path).text;

    BenchMainWindow window(dir, path, {560, 450});
    MainWindow& form = *window.form;
    QPlainTextEdit* memo = form.editor();

    QCoreApplication::processEvents();
    if (!commands)
        return;

    findNextRows(megabytes, form, text);

    QPlainTextEdit anchor;
    anchor.setLineWrapMode(QPlainTextEdit::NoWrap);
    anchor.setFont(memo->font());
    anchor.setPlainText(text);
    anchor.resize(memo->size());
    anchor.show();
    QCoreApplication::processEvents();

    // EndEnter on a line in the middle, against moving to the line's end and inserting.
    const int calls = 50;
    const auto [endEnter, endEnterAnchor] =
        compareSteps("EndEnter", megabytes, 5, calls,
                     {[&] { form.Label3Click(); }, [&] { putCaret(memo, middleOf(memo)); }},
                     {[&] {
                          QTextCursor c = anchor.textCursor();
                          c.movePosition(QTextCursor::EndOfBlock);
                          c.insertText(u"\n"_s);
                          anchor.setTextCursor(c);
                      },
                      [&] { putCaret(&anchor, middleOf(&anchor)); }});
    row("EndEnter", megabytes, endEnter, endEnterAnchor);

    // Delete line in the middle, against selecting the block and removing it.
    const auto [deleteLine, deleteAnchor] =
        compareSteps("delete line", megabytes, 5, calls,
                     {[&] { form.N21Click(); }, [&] { putCaret(memo, middleOf(memo)); }},
                     {[&] {
                          QTextCursor c = anchor.textCursor();
                          c.movePosition(QTextCursor::StartOfBlock);
                          c.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor);
                          c.removeSelectedText();
                          anchor.setTextCursor(c);
                      },
                      [&] { putCaret(&anchor, middleOf(&anchor)); }});
    row("delete line", megabytes, deleteLine, deleteAnchor);
}

// An explanation shown: the lookup the value list makes on a click, and the text put on a
// label, against a hash lookup of the same entries put on a label.
void runExplanations(const QString& dataDir) {
    SharedState state;
    state.home = ProgramHome::portable(dataDir);
    IniProfile general(dataDir + u"/dlls/ans1.pro"_s);
    general.load();
    const IniProfile::Index index = general.index();
    QHash<QString, QString> hash;
    QStringList entries;
    for (auto it = index.begin(); it != index.end(); ++it) {
        entries.append(it.key());
        hash.insert(it.key(), it->value(u"q"_s));
    }
    QLabel ours, anchor;
    int next = 0;
    auto entry = [&] { return entries[next++ % entries.size()]; };
    const int calls = 2000;
    for (const bool dlz : {false, true}) {
        state.reference.dlzPageActive = dlz;
        const auto [lookUp, hashed] =
            compare(5, calls, {[&] { ours.setText(ReadIni2(state, u"rate"_s, entry())); }},
                    {[&] { anchor.setText(u" "_s + hash.value(entry(), u"????"_s)); }});
        row(dlz ? "explanation (library page)" : "explanation", 0, lookUp, hashed);
    }
    // For comparison: the lookup that reads and parses the files at every call.
    const double uncached =
        timePerCall(3, 50, [&] { ours.setText(ReadIni2(state.home, u"rate"_s, entry(), false)); });
    row("explanation, files read every time", 0, uncached,
        timePerCall(3, 50, [&] { anchor.setText(u" "_s + hash.value(entry(), u"????"_s)); }));
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2)
        qFatal("usage: editor_commands_bench DATA_DIR");
    const QString dataDir = QString::fromLocal8Bit(argv[1]);
    QTemporaryDir dir;
    printLoad("before: ");
    runExplanations(dataDir);
    for (const int megabytes : {1, 4, 16})
        runSize(megabytes, dir.path(), true);
    printLoad("after:  ");
    return 0;
}
