// Typing on a large config (16 MB unless told): the program's main window against what a user would
// otherwise run, a bare QMainWindow holding a QPlainTextEdit with the same file, font and size (Qt
// shapes its lines; ours does not while its text needs no shaper). Both windows are shown; the two
// sides get the same keys at the same places, alternated key by key (which side goes first
// alternating too), every key followed by the event processing it causes on its side (layout,
// highlighting, painting), and nothing is repainted by force. Cases: the highlighting on; the
// highlighting switched off; a bind line's command edited with the highlighting off. Prints per-key
// medians with quartiles, the ratio, the goal, the painted area per key (a repainted line from a
// repainted screen) and the machine's load.
// Usage: highlight_bench DATA_DIR [KEYS_PER_CASE] [MEGABYTES]
#include "bench_main_window.h"
#include "editor/qt_config_highlighter.h"
#include "editor/qt_editor_language.h"
#include "platform/text_file.h"
#include "typing.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMainWindow>
#include <QPaintEvent>
#include <QTemporaryDir>
#include <QTextLayout>
#include <cstdio>

using namespace Qt::Literals::StringLiterals;

namespace {

QString configOf(qsizetype megabytes) {
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
    const qsizetype size = std::min(megabytes * 1024 * 1024, textfile::kMaxEditableBytes) - 1024;
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

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            for (const QRect& r : static_cast<QPaintEvent*>(event)->region())
                pixels += qint64(r.width()) * r.height();
        return false;
    }
};

// The anchor: a bare main window with a plain editor in it.
struct PlainWindow {
    PlainWindow(const QString& text, const QFont& font, QSize size) {
        editor = new QPlainTextEdit(&window);
        editor->setLineWrapMode(QPlainTextEdit::NoWrap);
        editor->setFont(font);
        editor->setPlainText(text);
        window.setCentralWidget(editor);
        window.resize(size);
        window.show();
    }
    QMainWindow window;
    QPlainTextEdit* editor;
};

struct Sides {
    QPlainTextEdit& ours;
    QPlainTextEdit& plain;
    PaintCounter& oursPainted;
    PaintCounter& plainPainted;
};

// `count` keys from `keys` typed on both sides at `position`, alternated key by key; prints the
// row.
void typeCase(const char* name, Sides sides, int position, const char* keys, int count,
              double goal) {
    placeCaret(sides.ours, position);
    placeCaret(sides.plain, position);
    const qint64 oursPx = sides.oursPainted.pixels;
    const qint64 plainPx = sides.plainPainted.pixels;
    std::vector<double> ours, plain;
    const int n = int(qstrlen(keys));
    alternate(
        count, [&](int i) { ours.push_back(typeKey(sides.ours, keys[i % n])); },
        [&](int i) { plain.push_back(typeKey(sides.plain, keys[i % n])); });
    if (sides.ours.toPlainText().size() != sides.plain.toPlainText().size())
        qFatal("the two sides typed different texts");
    printRatioRow(name, ours, plain, "ms/key", goal);
    std::printf("%-34s painted per key: ours %.0f px, anchor %.0f px\n", "",
                double(sides.oursPainted.pixels - oursPx) / count,
                double(sides.plainPainted.pixels - plainPx) / count);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2)
        qFatal("usage: highlight_bench DATA_DIR [KEYS_PER_CASE] [MEGABYTES]");
    const QString dataDir = QString::fromLocal8Bit(argv[1]);
    const int keys = argc > 2 ? std::atoi(argv[2]) : 600;
    const int megabytes = argc > 3 ? std::atoi(argv[3]) : 16;

    QTemporaryDir dir;
    copyData(dataDir, dir.path());
    const QString text = configOf(megabytes);
    const QString path = dir.path() + u"/big.cfg"_s;
    if (!textfile::writeText(path, text).ok)
        qFatal("cannot write %s", qPrintable(path));

    BenchMainWindow window(dir.path(), path, {800, 600});
    MainWindow& form = *window.form;
    QPlainTextEdit* ours = form.editor();
    auto* language = form.findChild<EditorLanguage*>();
    if (!language || !language->highlighter()->isActive())
        qFatal("the highlighting is off");
    PlainWindow plain(text, bareEditorFont(ours->font()), form.size());
    QCoreApplication::processEvents();
    // The same area of text on screen on both sides: the anchor's window is made smaller by what
    // our window's tool bars, status bar and panels take.
    plain.window.resize(plain.window.size() -
                        (plain.editor->viewport()->size() - ours->viewport()->size()));
    QCoreApplication::processEvents();
    if (ours->viewport()->size() != plain.editor->viewport()->size())
        std::printf("note: viewports differ: ours %d x %d, anchor %d x %d\n",
                    ours->viewport()->width(), ours->viewport()->height(),
                    plain.editor->viewport()->width(), plain.editor->viewport()->height());
    std::printf("document: %d lines, %lld characters; %d keys per case, alternated key by key\n",
                ours->document()->blockCount(),
                static_cast<long long>(ours->document()->characterCount()), keys);
    printLoad("before: ");

    PaintCounter oursPainted(ours->viewport());
    PaintCounter plainPainted(plain.editor->viewport());
    const Sides sides{*ours, *plain.editor, oursPainted, plainPainted};
    const int lines = ours->document()->blockCount();

    const int settingLine = lineStarting(*ours, lines / 2, u"fps_max"_s);
    typeCase("typing, highlighting on", sides, settingLine, "fps_max 1\n", keys, 1.3);
    if (ours->textCursor().block().previous().layout()->formats().isEmpty())
        qFatal("the typed lines were not coloured");
    // Inside the bound command: bind "MOUSE3" "+jump|duck".
    const int bindLine = lineStarting(*ours, lines / 4, u"bind"_s);
    typeCase("a bind line, highlighting on", sides, bindLine + 20, "xyz\b\b\b", keys, 1.3);

    // The highlighting switched off with the lines just typed on on screen, then typing there
    // and elsewhere.
    language->SyntaxHighlight1Click();
    QCoreApplication::processEvents();
    if (language->highlighter()->isActive())
        qFatal("the highlighting is still on");
    typeCase("the same bind line, switched off", sides, bindLine + 20, "xyz\b\b\b", keys, 1.1);
    typeCase("typing, highlighting off", sides, lineStarting(*ours, lines / 3, u"fps_max"_s),
             "fps_max 1\n", keys, 1.1);
    printLoad("after:  ");
    return 0;
}
