// Typing with and without the syntax highlighting on a 16 MB config: the same keystrokes into
// the same editor (shown, so layout and painting count), first plain, then highlighted; the
// ratio is what the highlighting costs a keystroke. Also the time to switch it on.
#include "language/qt_config_highlighter.h"
#include "typing.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <cstdio>

namespace {

QString sixteenMegabytes() {
    const QStringList sample = {
        QStringLiteral("// weapons and buying"),
        QStringLiteral("alias \"+jumpduck\" \"+jump;+duck\""),
        QStringLiteral("bind \"MOUSE3\" \"+jumpduck\""),
        QStringLiteral("cl_updaterate \"30\""),
        QStringLiteral("fps_max \"72\" // steady"),
        QStringLiteral("name \"Strelok\""),
        QStringLiteral("echo config loaded; unknown_thing 1"),
    };
    QString text;
    text.reserve(16 * 1024 * 1024 + 64);
    for (int i = 0; text.size() < 16 * 1024 * 1024; ++i)
        text += sample.at(i % sample.size()) + QLatin1Char('\n');
    return text;
}

// Milliseconds per keystroke for `count` keys typed from the start of line `line` (config
// lines: "fps_max 1" and Enter, over and over).
double typeAt(QPlainTextEdit& editor, int line, int count) {
    return typeKeys(editor, editor.document()->findBlockByNumber(line).position(), "fps_max 1\n",
                    count);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Vocabulary words;
    words.addCommands({QStringLiteral("bind"), QStringLiteral("alias"), QStringLiteral("echo"),
                       QStringLiteral("+jump"), QStringLiteral("+duck")});
    words.addVariables(
        {QStringLiteral("cl_updaterate"), QStringLiteral("fps_max"), QStringLiteral("name")});
    const int keys = argc > 1 ? std::atoi(argv[1]) : 300;

    QPlainTextEdit editor;
    editor.setLineWrapMode(QPlainTextEdit::NoWrap);
    editor.resize(800, 600);
    editor.show();
    QElapsedTimer load;
    load.start();
    editor.setPlainText(sixteenMegabytes());
    QCoreApplication::processEvents();
    std::printf("document: %lld characters, %d lines, loaded in %lld ms\n",
                static_cast<long long>(editor.document()->characterCount()),
                editor.document()->blockCount(), static_cast<long long>(load.elapsed()));

    // Rounds alternate, each in a fresh part of the document, so neither side gains from
    // going first or from a longer line.
    const int middle = editor.document()->blockCount() / 2;
    double plain = typeAt(editor, middle, keys);

    auto* highlighter =
        new ConfigHighlighter(&editor, [&]() -> const Vocabulary& { return words; });
    highlighter->setColours(syntaxColours(Qt::white, Qt::black));
    highlighter->setAliases({QStringLiteral("+jumpduck")});
    QObject::connect(&editor, &QPlainTextEdit::updateRequest, highlighter,
                     &ConfigHighlighter::refreshVisible, Qt::QueuedConnection);
    QElapsedTimer on;
    on.start();
    highlighter->setActive(true);
    QCoreApplication::processEvents(); // the blocks on screen are coloured here
    const qint64 switchOn = on.elapsed();

    double coloured = typeAt(editor, middle + 7000, keys);
    highlighter->setActive(false);
    QCoreApplication::processEvents();
    plain += typeAt(editor, middle + 14000, keys);
    highlighter->setActive(true);
    QCoreApplication::processEvents();
    coloured += typeAt(editor, middle + 21000, keys);
    plain /= 2;
    coloured /= 2;
    std::printf("switching the highlighting on: %lld ms\n", static_cast<long long>(switchOn));
    std::printf("typing, 2 x %d keys: plain %.3f ms/key, highlighted %.3f ms/key, ratio %.2f\n",
                keys, plain, coloured, coloured / plain);
    return 0;
}
