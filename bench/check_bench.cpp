// "Проверить конфиг" (F7) in the program's main window on the shared generator's configs of
// 20 KB, 1 and 16 MB, the list of findings shown included, against two anchors over the same
// text: a count of its line ends (the least any reading must do) and one pass of the program's
// own reader (every command found, language/config_commands.h). The sides alternate call by call
// (which goes first alternating); per side the median with its quartiles, the median of the
// per-call ratios with its quartiles, the same in CPU time, the machine's load, and where F7's
// time goes (each part timed on its own). Usage: check_bench [ROUNDS]
#include "bench_main_window.h"
#include "bench_stats.h"
#include "editor/qt_findings_model.h"
#include "gen_configs.h"
#include "language/config_check.h"
#include "language/config_commands.h"
#include "platform/text_file.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QListView>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

using namespace Qt::Literals::StringLiterals;

namespace {

// The anchor: the line ends counted.
qsizetype scanOnce(const QString& text) {
    return text.count(u'\n');
}

// The other anchor: one pass of the reader, every command of the text found.
qsizetype readOnce(const QString& text) {
    qsizetype commands = 0;
    forEachCommandFound(text, [&](int, int, QStringView, int) { ++commands; });
    return commands;
}

double msSince(const QElapsedTimer& t) {
    return double(t.nsecsElapsed()) / 1e6;
}

struct Stats {
    double median, low, high; // the median and the quartiles
};
Stats stats(const QList<double>& v) {
    const Quartiles q = quartilesOf(std::vector<double>(v.begin(), v.end()));
    return {q.median, q.q1, q.q3};
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // The program's folder: the shipped tree of the source, linked.
    QTemporaryDir dir;
    const QString data = QStringLiteral(TESSERA_SOURCE_DIR) + u"/data"_s;
    for (const QString& entry : QDir(data).entryList(QDir::AllEntries | QDir::NoDotAndDotDot))
        QFile::link(data + u'/' + entry, dir.path() + u'/' + entry);
    const ProgramHome home = ProgramHome::portable(dir.path());

    printLoad("before: ");
    for (const qint64 bytes : {qint64(20 * 1024), megabytesOf(1), megabytesOf(16)}) {
        const QString path = generatedConfig(dir.path(), bytes);
        BenchMainWindow window(dir.path(), path, {900, 700});
        MainWindow& form = *window.form;
        QPlainTextEdit* editor = form.editor();
        QAction* check = form.action(u"CheckConfig1"_s);
        auto* list = form.findChild<QListView*>(u"ListCheck"_s);
        auto* model = list ? qobject_cast<FindingsModel*>(list->model()) : nullptr;
        if (!check || !model)
            qFatal("no check in the main window");
        QCoreApplication::processEvents();
        const auto press = [&] {
            check->trigger();
            list->repaint();
            QCoreApplication::processEvents();
        };
        // The first F7 reads the words of the game too.
        QElapsedTimer first;
        first.start();
        press();
        const double firstMs = msSince(first);

        const QString held = editor->toPlainText();
        const Vocabulary words = Vocabulary::load(home);
        const int rounds = argc > 1 ? std::atoi(argv[1])
                                    : (bytes < 1024 * 1024   ? 41
                                       : bytes < 4096 * 1024 ? 21
                                                             : 7);
        Timed ours, counted, read;
        QList<double> text, stamp, parse, checks, shown;
        qsizetype marks = 0;
        for (int r = 0; r < rounds; ++r) {
            const auto runOurs = [&] { ours.run(press); };
            const auto runAnchor = [&] {
                counted.run([&] { marks += scanOnce(held); });
                read.run([&] { marks += readOnce(held); });
            };
            if (r % 2 == 0) {
                runOurs();
                runAnchor();
            } else {
                runAnchor();
                runOurs();
            }
            // The parts of F7, each on its own.
            QElapsedTimer t;
            t.start();
            marks += editor->toPlainText().size();
            text.append(msSince(t));
            t.start();
            marks += Vocabulary::sourcesStamp(home).size();
            stamp.append(msSince(t));
            t.start();
            marks += parseConfig(held, &words).commands.size();
            parse.append(msSince(t));
            t.start();
            ConfigReport report = checkConfigReport(held, words, {});
            checks.append(msSince(t));
            t.start();
            model->setReport(std::move(report));
            list->repaint();
            QCoreApplication::processEvents();
            shown.append(msSince(t));
        }
        const qsizetype found = list->model()->rowCount();
        std::printf("\nF7 on %s (gen_cfg.py, seed 15; %d lines, %lld findings), %d rounds (%lld)\n",
                    sizeName(bytes).constData(), editor->document()->blockCount(),
                    static_cast<long long>(found), rounds, static_cast<long long>(marks));
        printTimedRows("F7 / a line-end count", ours, counted, "ms", 15.0);
        printTimedRows("F7 / one pass of the reader", ours, read, "ms");
        const double oursMedian = quartilesOf(ours.wall).median;
        const double p = stats(parse).median;
        const double c = stats(checks).median;
        const double x = stats(text).median;
        const double v = stats(stamp).median;
        const double s = stats(shown).median;
        std::printf("  parts (medians): the editor's text %.1f ms, words unchanged? %.1f ms, "
                    "reading the commands %.1f ms, the checks %.1f ms, the list %.1f ms (the rest "
                    "%.1f ms); the first F7 (words read) %.1f ms\n",
                    x, v, p, c - p, s, oursMedian - x - v - c - s, firstMs);
    }
    printLoad("after:  ");
    return 0;
}
