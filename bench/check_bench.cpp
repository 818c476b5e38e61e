// "Проверить конфиг" (F7) on configs of 1 and 16 MB, the list of findings shown included, against
// one scan of the same text, measured two ways: a count of line ends, quotes and semicolons over
// every character (the least any reading must do; the compiler makes it a vector loop), and a
// split of the text into lines (what a line-by-line reading costs). Rounds alternate which side
// goes first; the medians, their spread and the ratios of the medians are printed.
#include "language/config_check.h"
#include "language/qt_findings_model.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QListView>
#include <QPlainTextEdit>
#include <QVBoxLayout>
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
    QString text;
    text.reserve(bytes + 64);
    for (int i = 0; text.size() < bytes; ++i)
        text += sample.at(i % sample.size()) + u'\n';
    return text;
}

// The anchor: every character read once.
qsizetype scanOnce(const QString& text) {
    qsizetype marks = 0;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        marks += (u == u'\n') + (u == u'"') + (u == u';');
    }
    return marks;
}

// The other anchor: the text split into its lines.
qsizetype splitOnce(const QString& text) {
    return text.split(u'\n').size();
}

double msSince(const QElapsedTimer& t) {
    return double(t.nsecsElapsed()) / 1e6;
}

struct Stats {
    double median, low, high;
};
Stats stats(QList<double> v) {
    std::sort(v.begin(), v.end());
    return {v.at(v.size() / 2), v.first(), v.last()};
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const Vocabulary words =
        Vocabulary::load(ProgramHome::portable(QStringLiteral(TESSERA_SOURCE_DIR) + u"/data"_s));

    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* editor = new QPlainTextEdit(&window);
    auto* model = new FindingsModel(window.style(), &window);
    QListView* list = makeFindingsView(model, &window);
    list->setMaximumHeight(130);
    layout->addWidget(editor);
    layout->addWidget(list);
    window.resize(900, 700);
    window.show();

    for (const int megabytes : {1, 16}) {
        editor->setPlainText(config(qsizetype(megabytes) * 1024 * 1024));
        QCoreApplication::processEvents();
        const QString held = editor->toPlainText();
        const int rounds = argc > 1 ? std::atoi(argv[1]) : (megabytes == 1 ? 11 : 5);
        QList<double> ours;
        QList<double> anchor;
        QList<double> split;
        qsizetype found = 0;
        qsizetype marks = 0;
        for (int r = 0; r < rounds; ++r) {
            const auto runOurs = [&] {
                QElapsedTimer t;
                t.start();
                // What F7 does: the editor's text, the check, the list filled and painted.
                QList<ConfigFinding> findings = checkConfig(editor->toPlainText(), words, {});
                found = findings.size();
                model->setFindings(std::move(findings));
                list->repaint();
                QCoreApplication::processEvents();
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
        }
        const Stats o = stats(ours);
        const Stats a = stats(anchor);
        const Stats l = stats(split);
        std::printf("F7 on %d MB (%d lines, %lld findings), %d rounds: check %.1f ms [%.1f-%.1f]; "
                    "character count %.1f ms [%.1f-%.1f], ratio %.1f; split into lines %.1f ms "
                    "[%.1f-%.1f], ratio %.1f (%lld)\n",
                    megabytes, editor->document()->blockCount(), static_cast<long long>(found),
                    rounds, o.median, o.low, o.high, a.median, a.low, a.high, o.median / a.median,
                    l.median, l.low, l.high, o.median / l.median, static_cast<long long>(marks));
    }
    return 0;
}
