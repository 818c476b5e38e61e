// Typing on a 16 MB config: the program's main window with the syntax highlighting on, against
// what a user would otherwise run, a plain QPlainTextEdit in a main window with the same status
// bar (the caret position kept up to date in it). Both windows are shown; every key is followed
// by the event processing it causes on its side (layout, highlighting, painting), and nothing
// is repainted by force. Each row types the same keys into both, in alternating order, so both
// see the same machine load; the medians and the spread over the rows are printed, and the
// painted area per key, which tells a repainted line from a repainted screen.
// Usage: highlight_bench DATA_DIR [ROWS] [KEYS_PER_ROW]
#include "app/app_context.h"
#include "bench_main_window.h"
#include "language/qt_config_highlighter.h"
#include "language/qt_editor_language.h"
#include "platform/qt_shell.h"
#include "platform/qt_user_dialogs.h"
#include "platform/text_file.h"
#include "shell/main_window.h"
#include "shell/qt_widget_helpers.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMainWindow>
#include <QPaintEvent>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTextBlock>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace {

QString sixteenMegabytes() {
    const QString sample[] = {
        u"// weapons and buying"_s,
        u"alias \"+jumpduck\" \"+jump;+duck\""_s,
        u"bind \"MOUSE3\" \"+jumpduck\""_s,
        u"cl_updaterate \"30\""_s,
        u"fps_max \"72\" // steady"_s,
        u"name \"Strelok\""_s,
        u"echo config loaded; unknown_thing 1"_s,
    };
    QString text;
    const qsizetype size = textfile::kMaxEditableBytes - 1024;
    text.reserve(size);
    // On disk every line break is two bytes.
    qsizetype onDisk = 0;
    for (int i = 0; onDisk + 64 < size; ++i) {
        text += sample[i % std::size(sample)] + u'\n';
        onDisk = text.size() + i + 1;
    }
    return text;
}

// The data folder's files beside the program, so the highlighting knows the game's names.
void copyData(const QString& from, const QString& to) {
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        const QString target = to + file.mid(from.size());
        QDir().mkpath(QFileInfo(target).path());
        QFile::copy(file, target);
    }
}

// Sums the area painted on a viewport.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* viewport) { viewport->installEventFilter(this); }
    qint64 pixels = 0;
    bool counting = true;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (counting && event->type() == QEvent::Paint) {
            for (const QRect& r : static_cast<QPaintEvent*>(event)->region())
                pixels += qint64(r.width()) * r.height();
        }
        return false;
    }
};

// The anchor: a main window holding a plain editor and the same three status panels, the
// first showing the caret position as the program does.
class PlainWindow : public QMainWindow {
public:
    PlainWindow() {
        editor = new QPlainTextEdit(this);
        editor->setLineWrapMode(QPlainTextEdit::NoWrap);
        setCentralWidget(editor);
        QLabel* panels[3];
        for (QLabel*& p : panels) {
            p = new QLabel(statusBar());
            p->setFrameShape(QFrame::Panel);
            p->setFrameShadow(QFrame::Sunken);
        }
        panels[0]->setText(u"1 : 1"_s);
        fixCaretLabelSize(panels[0]);
        panels[0]->setAlignment(Qt::AlignCenter);
        panels[1]->setFixedWidth(280);
        panels[2]->setText(u"big.cfg"_s);
        statusBar()->addWidget(panels[0]);
        statusBar()->addWidget(panels[1]);
        statusBar()->addWidget(panels[2], 1);
        connect(editor, &QPlainTextEdit::cursorPositionChanged, this, [this, panels] {
            const QTextCursor c = editor->textCursor();
            panels[0]->setText(QString::number(c.positionInBlock() + 1) + u" : "_s +
                               QString::number(c.blockNumber() + 1));
        });
    }
    QPlainTextEdit* editor;
};

void putCaretOnLine(QPlainTextEdit* editor, int line) {
    QTextCursor c = editor->textCursor();
    c.setPosition(editor->document()->findBlockByNumber(line).position());
    editor->setTextCursor(c);
    editor->ensureCursorVisible();
    QCoreApplication::processEvents();
}

// Milliseconds per key for `count` keys ("fps_max 1" and Enter, over and over), each followed
// by the events it causes.
double type(QPlainTextEdit* editor, int count) {
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < count; ++i) {
        const char ch = "fps_max 1\n"[i % 10];
        QKeyEvent press(QEvent::KeyPress, ch == '\n' ? Qt::Key_Return : 0, Qt::NoModifier,
                        ch == '\n' ? QString() : QString(QLatin1Char(ch)));
        QCoreApplication::sendEvent(editor, &press);
        QCoreApplication::processEvents();
    }
    return double(timer.nsecsElapsed()) / 1e6 / count;
}

double quantile(std::vector<double> v, double q) {
    std::sort(v.begin(), v.end());
    return v[size_t(q * double(v.size() - 1) + 0.5)];
}

void printRow(const char* name, const std::vector<double>& v, const char* unit) {
    std::printf("%-22s median %8.3f %s   (min %.3f, quartiles %.3f-%.3f, max %.3f)\n", name,
                quantile(v, 0.5), unit, quantile(v, 0), quantile(v, 0.25), quantile(v, 0.75),
                quantile(v, 1));
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2)
        qFatal("usage: highlight_bench DATA_DIR [ROWS] [KEYS_PER_ROW]");
    const QString dataDir = QString::fromLocal8Bit(argv[1]);
    const int rows = argc > 2 ? std::atoi(argv[2]) : 15;
    const int keys = argc > 3 ? std::atoi(argv[3]) : 50;

    QTemporaryDir dir;
    copyData(dataDir, dir.path());
    const QString text = sixteenMegabytes();
    const QString path = dir.path() + u"/big.cfg"_s;
    if (!textfile::writeText(path, text).ok)
        qFatal("cannot write %s", qPrintable(path));

    BenchMainWindow window(dir.path(), path, {800, 600});
    TForm1& form = *window.form;
    QPlainTextEdit* ours = form.editor();
    auto* language = form.findChild<EditorLanguage*>();
    if (!language || !language->highlighter()->isActive())
        qFatal("the highlighting is off");

    PlainWindow plain;
    plain.editor->setFont(ours->font());
    plain.editor->setPlainText(text);
    plain.resize(form.size());
    plain.show();
    QCoreApplication::processEvents();
    std::printf("document: %d lines, %lld characters; %d rows of %d keys\n",
                ours->document()->blockCount(),
                static_cast<long long>(ours->document()->characterCount()), rows, keys);

    const int middle = ours->document()->blockCount() / 2;
    putCaretOnLine(ours, middle);
    putCaretOnLine(plain.editor, middle);
    PaintCounter oursPainted(ours->viewport());
    PaintCounter plainPainted(plain.editor->viewport());

    // For what the highlighting itself costs: the program's window with it off, in the same
    // rows, after both.
    std::vector<double> oursMs, plainMs, ratio, offMs, offRatio;
    for (int r = 0; r < rows; ++r) {
        double a = 0;
        double b = 0;
        if (r % 2 == 0)
            a = type(ours, keys);
        b = type(plain.editor, keys);
        if (r % 2 == 1)
            a = type(ours, keys);
        oursMs.push_back(a);
        plainMs.push_back(b);
        ratio.push_back(a / b);
        oursPainted.counting = false;
        language->highlighter()->setActive(false);
        QCoreApplication::processEvents();
        offMs.push_back(type(ours, keys));
        offRatio.push_back(offMs.back() / b);
        language->highlighter()->setActive(true);
        QCoreApplication::processEvents();
        oursPainted.counting = true;
    }
    if (ours->textCursor().block().previous().layout()->formats().isEmpty())
        qFatal("the typed lines were not coloured");

    std::printf("typing at 16 MB, ms per key, each key's events processed:\n");
    printRow("highlighted (ours)", oursMs, "ms");
    printRow("plain Qt editor", plainMs, "ms");
    printRow("ratio per row", ratio, "x ");
    printRow("ours, highlighting off", offMs, "ms");
    printRow("  ratio per row", offRatio, "x ");
    const double allKeys = double(rows) * keys;
    std::printf("painted per key: ours highlighted %.0f px, plain %.0f px (viewport %d x %d)\n",
                double(oursPainted.pixels) / allKeys, double(plainPainted.pixels) / allKeys,
                ours->viewport()->width(), ours->viewport()->height());
    return 0;
}
