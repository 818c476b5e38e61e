// A key inside an alias's name in the program's main window on the shared generator's 16 MB
// config (aliases under many different names) with the highlighting on, against the same key at
// the same place in a bare QMainWindow holding a QPlainTextEdit with the same text, the same
// viewport size and exactly the editor's QFont. Every key on the alias line changes the set of
// defined aliases ("a|123" becomes "ax123" and back). Beside it, as the bench's own second
// anchor, the same key on a bind line of ours, which changes nothing but that line. The sides
// alternate key by key (the caret is put in place before each key, untimed), every key is
// followed by the events it causes and nothing is repainted by force. Prints per-key medians with
// quartiles, the median of the per-key ratios with its quartiles, the goal, the same in CPU time
// and the machine's load. Usage: alias_typing_bench [KEYS] [MEGABYTES]
#include "bench_main_window.h"
#include "editor/qt_config_highlighter.h"
#include "editor/qt_editor_language.h"
#include "gen_configs.h"
#include "typing.h"

#include <QApplication>
#include <QDir>
#include <QMainWindow>
#include <QTemporaryDir>
#include <QTextLayout>
#include <cstdio>
#include <functional>

using namespace Qt::Literals::StringLiterals;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int keys = argc > 1 ? std::atoi(argv[1]) : 400;
    const int megabytes = argc > 2 ? std::atoi(argv[2]) : 16;
    // The program's folder: the shipped tree of the source, linked.
    QTemporaryDir dir;
    const QString data = QStringLiteral(TESSERA_SOURCE_DIR) + u"/data"_s;
    for (const QString& entry : QDir(data).entryList(QDir::AllEntries | QDir::NoDotAndDotDot))
        QFile::link(data + u'/' + entry, dir.path() + u'/' + entry);
    const QString path = generatedConfig(dir.path(), megabytesOf(megabytes));

    BenchMainWindow window(dir.path(), path, {800, 600});
    QPlainTextEdit& editor = *window.form->editor();
    auto* language = window.form->findChild<EditorLanguage*>();
    if (!language || !language->highlighter()->isActive())
        qFatal("the highlighting is off");
    QCoreApplication::processEvents();

    QMainWindow plainWindow;
    auto* plain = new QPlainTextEdit(&plainWindow);
    plain->setLineWrapMode(QPlainTextEdit::NoWrap);
    plain->setFont(editor.font());
    plain->setPlainText(textfile::readText(path).text);
    plainWindow.setCentralWidget(plain);
    plainWindow.resize(window.form->size());
    plainWindow.show();
    QCoreApplication::processEvents();
    plainWindow.resize(plainWindow.size() -
                       (plain->viewport()->size() - editor.viewport()->size()));
    QCoreApplication::processEvents();

    std::printf("%s config (gen_cfg.py, seed 15): %d lines; %d keys per side, alternated key by "
                "key\n",
                sizeName(megabytesOf(megabytes)).constData(), editor.document()->blockCount(),
                keys);
    printLoad("before: ");

    // An alias line from the middle on with a bind line a few lines under it, so both are on
    // screen; the marks move with the edits. A short alias line ("alias a123 ..."): were the
    // typed line the widest laid out, the bare editor would measure every line of the text
    // again at each Backspace (QPlainTextDocumentLayout's widest line), which ours does not.
    QTextDocument& doc = *editor.document();
    int aliasLine = doc.findBlockByNumber(doc.blockCount() / 2).position();
    int bindLine = 0;
    for (;;) {
        aliasLine = lineStarting(editor, doc.findBlock(aliasLine).blockNumber() + 1, u"alias a"_s);
        bindLine = lineStarting(editor, doc.findBlock(aliasLine).blockNumber(), u"bind"_s);
        if (aliasLine == 0 || bindLine == 0)
            qFatal("no alias line with a bind line under it");
        if (doc.findBlock(bindLine).blockNumber() - doc.findBlock(aliasLine).blockNumber() <= 8)
            break;
    }
    const QString aliasText = doc.findBlock(aliasLine).text();
    QTextCursor aliasAt(&doc);
    aliasAt.setPosition(aliasLine + 7); // alias a|123
    QTextCursor plainAt(plain->document());
    plainAt.setPosition(aliasAt.position());
    // Inside the bound command, before its closing quote.
    QTextCursor bindAt(&doc);
    bindAt.setPosition(bindLine + int(doc.findBlock(bindLine).text().lastIndexOf(u'"')) - 1);
    placeCaret(editor, bindAt.position());
    placeCaret(editor, aliasAt.position());
    placeCaret(*plain, plainAt.position());

    const char pattern[] = "x\b";
    const auto keyAt = [&](QPlainTextEdit& edit, QTextCursor& mark, int i, Timed& into) {
        QTextCursor c = edit.textCursor();
        c.setPosition(mark.position());
        edit.setTextCursor(c);
        QCoreApplication::processEvents();
        into.run([&] { typeKeyUntimed(edit, pattern[i % 2]); });
    };
    Timed onAlias, onPlain, onBind;
    for (int i = 0; i < keys; ++i) {
        // Ours on the alias, the anchor there, ours on the bind line, in a turning order.
        const std::function<void()> steps[] = {[&] { keyAt(editor, aliasAt, i, onAlias); },
                                               [&] { keyAt(*plain, plainAt, i, onPlain); },
                                               [&] { keyAt(editor, bindAt, i, onBind); }};
        for (int k = 0; k < 3; ++k)
            steps[(i + k) % 3]();
    }
    if (editor.document()->findBlock(aliasLine).text() != aliasText)
        qFatal("the alias line was not given back");
    if (plain->toPlainText().size() + 1 != editor.document()->characterCount())
        qFatal("the two sides typed different texts");
    printTimedRows("a key inside an alias name", onAlias, onPlain, "ms/key", 2.0);
    printTimedRows("  vs our key on a bind line", onAlias, onBind, "ms/key");
    printLoad("after:  ");
    return 0;
}
