// Typing on the shared generator's configs (1 and 16 MB unless told): the program's main window
// against what a user would otherwise run, a bare QMainWindow holding a QPlainTextEdit with the
// same text, the same viewport size and exactly the editor's QFont (so it shapes its lines when
// ours does, and not when ours does not). Both windows are shown; the two sides get the same keys
// at the same places, alternated key by key (which side goes first alternating too), every key
// followed by the event processing it causes on its side (layout, highlighting, painting), and
// nothing is repainted by force. Cases: the highlighting on; a bind line's command; the
// highlighting switched off; typing with it off. Prints per-key medians with quartiles, the
// median of the per-key ratios with its quartiles, the goal, the same in CPU time, the painted
// area per key and the machine's load.
// Usage: highlight_bench DATA_DIR [KEYS_PER_CASE] [MEGABYTES...]
#include "bench_main_window.h"
#include "editor/qt_config_highlighter.h"
#include "editor/qt_editor_language.h"
#include "gen_configs.h"
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
// rows.
void typeCase(const QByteArray& name, Sides sides, int position, const char* keys, int count,
              double goal) {
    placeCaret(sides.ours, position);
    placeCaret(sides.plain, position);
    const qint64 oursPx = sides.oursPainted.pixels;
    const qint64 plainPx = sides.plainPainted.pixels;
    Timed ours, plain;
    const int n = int(qstrlen(keys));
    alternate(
        count, [&](int i) { ours.run([&] { typeKeyUntimed(sides.ours, keys[i % n]); }); },
        [&](int i) { plain.run([&] { typeKeyUntimed(sides.plain, keys[i % n]); }); });
    if (sides.ours.toPlainText().size() != sides.plain.toPlainText().size())
        qFatal("the two sides typed different texts");
    printTimedRows(name.constData(), ours, plain, "ms/key", goal);
    std::printf("%-34s painted per key: ours %.0f px, anchor %.0f px\n", "",
                double(sides.oursPainted.pixels - oursPx) / count,
                double(sides.plainPainted.pixels - plainPx) / count);
}

// The start of the first line at or after line `near` that starts with `prefix`, and `offset`
// characters into it past the first `inside` of it.
int placeIn(const QPlainTextEdit& editor, int near, const QString& prefix, const QString& inside,
            int offset) {
    const int line = lineStarting(editor, near, prefix);
    const QString text = editor.document()->findBlock(line).text();
    return line + int(text.indexOf(inside)) + offset;
}

void runSize(const QString& dataDir, int megabytes, int keys) {
    QTemporaryDir dir;
    copyData(dataDir, dir.path());
    const QString path = generatedConfig(dir.path(), megabytesOf(megabytes));
    const QString text = textfile::readText(path).text;

    BenchMainWindow window(dir.path(), path, {800, 600});
    MainWindow& form = *window.form;
    QPlainTextEdit* ours = form.editor();
    auto* language = form.findChild<EditorLanguage*>();
    if (!language || !language->highlighter()->isActive())
        qFatal("the highlighting is off");
    QCoreApplication::processEvents();
    PlainWindow plain(text, ours->font(), form.size());
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
    if (!(plain.editor->font() == ours->font()))
        qFatal("the anchor's font differs from the editor's");
    std::printf("\n%s config (gen_cfg.py, seed 15): %d lines, %lld characters; %d keys per case, "
                "alternated key by key; shaping %s\n",
                sizeName(megabytesOf(megabytes)).constData(), ours->document()->blockCount(),
                static_cast<long long>(ours->document()->characterCount()), keys,
                ours->font().styleStrategy() & QFont::PreferNoShaping ? "off on both sides"
                                                                      : "on on both sides");
    printLoad("before: ");

    PaintCounter oursPainted(ours->viewport());
    PaintCounter plainPainted(plain.editor->viewport());
    const Sides sides{*ours, *plain.editor, oursPainted, plainPainted};
    const int lines = ours->document()->blockCount();
    const QByteArray size = ", " + sizeName(megabytesOf(megabytes));

    // A new line typed before a setting's line in the middle of the text.
    typeCase("typing, highlighting on" + size, sides, lineStarting(*ours, lines / 2, u"cl_bob"_s),
             "fps_max 1\n", keys, 1.3);
    if (ours->textCursor().block().previous().layout()->formats().isEmpty())
        qFatal("the typed lines were not coloured");
    // Inside the bound command: bind  "a"  "+at|tack;".
    const int bindAt = placeIn(*ours, lines / 4, u"bind  "_s, u"+attack"_s, 3);
    typeCase("a bind line, highlighting on" + size, sides, bindAt, "xyz\b\b\b", keys, 1.3);

    // The highlighting switched off with the lines just typed on on screen, then typing there
    // and elsewhere.
    language->SyntaxHighlight1Click();
    QCoreApplication::processEvents();
    if (language->highlighter()->isActive())
        qFatal("the highlighting is still on");
    typeCase("the same bind line, switched off" + size, sides, bindAt, "xyz\b\b\b", keys, 1.1);
    typeCase("typing, highlighting off" + size, sides, lineStarting(*ours, lines / 3, u"cl_bob"_s),
             "fps_max 1\n", keys, 1.1);
    printLoad("after:  ");
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2)
        qFatal("usage: highlight_bench DATA_DIR [KEYS_PER_CASE] [MEGABYTES...]");
    const QString dataDir = QString::fromLocal8Bit(argv[1]);
    const int keys = argc > 2 ? std::atoi(argv[2]) : 600;
    QList<int> sizes;
    for (int i = 3; i < argc; ++i)
        sizes.append(std::atoi(argv[i]));
    if (sizes.isEmpty())
        sizes = {1, 16};
    for (const int megabytes : sizes)
        runSize(dataDir, megabytes, keys);
    return 0;
}
