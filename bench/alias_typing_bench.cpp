// A key inside an alias's name against the same key on a bind line, in the program's main window
// on a 16 MB config with the highlighting on: every key on the alias line changes the set of
// defined aliases ("+jumpd|uck" becomes "+jumpdxuck" and back), a key on the bind line below it
// changes nothing but that line. Both lines are on screen; the sides alternate key by key (the
// caret is put in place before each key, untimed), every key is followed by the events it
// causes and nothing is repainted by force. Prints per-key medians with quartiles, the ratio,
// the goal and the machine's load. Usage: alias_typing_bench [KEYS]
#include "bench_main_window.h"
#include "editor/qt_config_highlighter.h"
#include "editor/qt_editor_language.h"
#include "platform/text_file.h"
#include "typing.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTextLayout>
#include <cstdio>

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
    qsizetype onDisk = 0; // every line break is two bytes on disk
    for (int i = 0; onDisk + 64 < size; ++i) {
        text += sample[i % std::size(sample)] + u'\n';
        onDisk = text.size() + i + 1;
    }
    return text;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const int keys = argc > 1 ? std::atoi(argv[1]) : 400;
    // The program's folder: the shipped tree of the source, linked.
    QTemporaryDir dir;
    const QString data = QStringLiteral(TESSERA_SOURCE_DIR) + u"/data"_s;
    for (const QString& entry : QDir(data).entryList(QDir::AllEntries | QDir::NoDotAndDotDot))
        QFile::link(data + u'/' + entry, dir.path() + u'/' + entry);
    const QString path = dir.path() + u"/big.cfg"_s;
    if (!textfile::writeText(path, sixteenMegabytes()).ok)
        qFatal("cannot write %s", qPrintable(path));

    BenchMainWindow window(dir.path(), path, {800, 600});
    QPlainTextEdit& editor = *window.form->editor();
    auto* language = window.form->findChild<EditorLanguage*>();
    if (!language || !language->highlighter()->isActive())
        qFatal("the highlighting is off");
    QCoreApplication::processEvents();
    std::printf("document: %d lines; %d keys per side, alternated key by key\n",
                editor.document()->blockCount(), keys);
    printLoad("before: ");

    // The alias line and the bind line under it; the marks move with the edits.
    const int aliasLine = lineStarting(editor, editor.document()->blockCount() / 2, u"alias"_s);
    QTextCursor aliasAt(editor.document());
    aliasAt.setPosition(aliasLine + 12); // alias "+jumpd|uck"
    QTextCursor bindAt(editor.document());
    bindAt.setPosition(editor.document()->findBlock(aliasLine).next().position() + 20);
    if (!editor.document()->findBlock(bindAt.position()).text().startsWith(u"bind"_s))
        qFatal("no bind line under the alias line");
    placeCaret(editor, aliasAt.position());

    const char pattern[] = "x\b";
    const auto keyAt = [&](QTextCursor& mark, int i) {
        QTextCursor c = editor.textCursor();
        c.setPosition(mark.position());
        editor.setTextCursor(c);
        QCoreApplication::processEvents();
        return typeKey(editor, pattern[i % 2]);
    };
    std::vector<double> onAlias, onBind;
    alternate(
        keys, [&](int i) { onAlias.push_back(keyAt(aliasAt, i)); },
        [&](int i) { onBind.push_back(keyAt(bindAt, i)); });
    if (!editor.document()->findBlock(aliasLine).text().startsWith(u"alias \"+jumpduck\""_s))
        qFatal("the alias line was not given back");
    printRatioRow("a key inside an alias name", onAlias, onBind, "ms/key", 2.0);
    printLoad("after:  ");
    return 0;
}
