// "Проверить конфиг" (F7) in the program's main window on configs of 1 and 16 MB, the list of
// findings shown included, against two anchors over the same text: a count of its line ends
// (the least any reading must do) and a split of it into lines as views of the text (what a
// line-by-line reading costs before it looks at a line). Rounds alternate which side goes first;
// the medians, their quartiles, the ratios of the medians and the machine's load are printed,
// and where F7's time goes (each part timed on its own).
#include "bench_main_window.h"
#include "bench_stats.h"
#include "editor/qt_findings_model.h"
#include "language/config_check.h"
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

// A player's config, over and over: aliases, binds, settings, comments, and a few lines the
// check reports (an unknown name, a 1.6 name, a bind to an alias no file defines).
QString config(qsizetype bytes) {
    const QStringList sample = {
        u"// movement"_s,
        u"alias \"+jumpduck\" \"+jump;+duck\""_s,
        u"alias \"-jumpduck\" \"-jump;-duck\""_s,
        u"bind \"MOUSE3\" \"+jumpduck\""_s,
        u"bind \"F1\" \"buy; menuselect 4; menuselect 1\""_s,
        u"cl_updaterate \"30\""_s,
        u"fps_max \"72\" // steady"_s,
        u"name \"Strelok\""_s,
        u"cl_crosshair_size \"small\""_s,
        u"echo config loaded; unknown_thing 1"_s,
        u"bind \"F2\" \"rifle_buy\""_s,
    };
    // Up to `bytes` (ASCII: as many characters), the most the editor opens.
    QString text;
    text.reserve(bytes);
    for (int i = 0; text.size() + sample.at(i % sample.size()).size() < bytes; ++i)
        text += sample.at(i % sample.size()) + u'\n';
    return text;
}

// The anchor: the line ends counted.
qsizetype scanOnce(const QString& text) {
    return text.count(u'\n');
}

// The other anchor: the text split into its lines, each a view of the text.
qsizetype splitOnce(const QString& text) {
    return QStringView(text).split(u'\n').size();
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
    for (const int megabytes : {1, 16}) {
        const QString path = dir.path() + u"/big.cfg"_s;
        // Line feeds only, so that 16 MB of text is a file the editor opens.
        const textfile::TextForm lf{textfile::Encoding::Windows1251, textfile::LineBreak::Lf};
        if (!textfile::writeText(path, config(qsizetype(megabytes) * 1024 * 1024), lf).ok)
            qFatal("cannot write %s", qPrintable(path));
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
        const int rounds = argc > 1 ? std::atoi(argv[1]) : (megabytes == 1 ? 11 : 5);
        QList<double> ours, anchor, split, text, stamp, parse, checks, shown;
        qsizetype marks = 0;
        for (int r = 0; r < rounds; ++r) {
            const auto runOurs = [&] {
                QElapsedTimer t;
                t.start();
                press();
                ours.append(msSince(t));
            };
            const auto runAnchor = [&] {
                QElapsedTimer t;
                t.start();
                marks += scanOnce(held);
                anchor.append(msSince(t));
                t.start();
                marks += splitOnce(held);
                split.append(msSince(t));
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
        const Stats o = stats(ours);
        const Stats a = stats(anchor);
        const Stats l = stats(split);
        std::printf("F7 on %d MB (%d lines, %lld findings), %d rounds: check %.1f ms [%.1f-%.1f]; "
                    "line ends counted %.1f ms [%.1f-%.1f], ratio %.1f; lines split as views "
                    "%.1f ms [%.1f-%.1f], ratio %.1f (%lld)\n",
                    megabytes, editor->document()->blockCount(), static_cast<long long>(found),
                    rounds, o.median, o.low, o.high, a.median, a.low, a.high, o.median / a.median,
                    l.median, l.low, l.high, o.median / l.median, static_cast<long long>(marks));
        const double p = stats(parse).median;
        const double c = stats(checks).median;
        const double x = stats(text).median;
        const double v = stats(stamp).median;
        const double s = stats(shown).median;
        std::printf("  parts (medians): the editor's text %.1f ms, words unchanged? %.1f ms, "
                    "reading the commands %.1f ms, the checks %.1f ms, the list %.1f ms (the rest "
                    "%.1f ms); the first F7 (words read) %.1f ms\n",
                    x, v, p, c - p, s, o.median - x - v - c - s, firstMs);
    }
    printLoad("after:  ");
    return 0;
}
