// Typing on a 16 MB config with the highlighting and the alias tracking on, as the editor has
// them: the same keystrokes typed into the name of an alias on an alias line (every key changes
// the set of defined aliases) and into the name of a setting on a plain line. Each keystroke is
// followed by the layout, colouring and painting it causes. Rounds alternate, each in a fresh
// part of the document; the medians, their spread and the ratio of the medians are printed.
#include "language/qt_alias_tracker.h"
#include "language/qt_config_highlighter.h"
#include "typing.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <algorithm>
#include <cstdio>

using namespace Qt::Literals::StringLiterals;

namespace {

const QStringList& sample() {
    static const QStringList lines = {
        u"// weapons and buying"_s,
        u"alias \"+jumpduck\" \"+jump;+duck\""_s,
        u"bind \"MOUSE3\" \"+jumpduck\""_s,
        u"cl_updaterate \"30\""_s,
        u"fps_max \"72\" // steady"_s,
        u"name \"Strelok\""_s,
        u"echo config loaded; unknown_thing 1"_s,
    };
    return lines;
}

QString sixteenMegabytes() {
    QString text;
    text.reserve(16 * 1024 * 1024 + 64);
    for (int i = 0; text.size() < 16 * 1024 * 1024; ++i)
        text += sample().at(i % sample().size()) + u'\n';
    return text;
}

// Milliseconds per keystroke for `count` keys ("x") typed at `column` of the first line at or
// after `near` that starts with `prefix`.
double typeAt(QPlainTextEdit& editor, int near, const QString& prefix, int column, int count) {
    QTextBlock b = editor.document()->findBlockByNumber(near);
    while (b.isValid() && !b.text().startsWith(prefix))
        b = b.next();
    return typeKeys(editor, b.position() + column, "x", count);
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Vocabulary words;
    words.addCommands(
        {u"bind"_s, u"alias"_s, u"echo"_s, u"+jump"_s, u"+duck"_s, u"-jump"_s, u"-duck"_s});
    words.addVariables({u"cl_updaterate"_s, u"fps_max"_s, u"name"_s});
    const int keys = argc > 1 ? std::atoi(argv[1]) : 100;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 5;

    QPlainTextEdit editor;
    editor.setLineWrapMode(QPlainTextEdit::NoWrap);
    editor.resize(800, 600);
    editor.show();
    editor.setPlainText(sixteenMegabytes());
    // As the editor wires them: aliases counted first, the highlighter told when names change.
    // For scale: one parse of every line that mentions "alias", over a copy of the whole text.
    QElapsedTimer load;
    load.start();
    const qsizetype wholeText = definedAliases(editor.toPlainText()).size();
    const qint64 wholeTextRead = load.restart();
    auto* aliases = new AliasTracker(editor.document(), &editor);
    const qint64 firstRead = load.elapsed();
    auto* highlighter =
        new ConfigHighlighter(&editor, [&]() -> const Vocabulary& { return words; });
    highlighter->setColours(syntaxColours(Qt::white, Qt::black));
    highlighter->setAliases(aliases->names());
    QObject::connect(aliases, &AliasTracker::changed, highlighter,
                     [&] { highlighter->setAliases(aliases->names()); });
    QObject::connect(&editor, &QPlainTextEdit::updateRequest, highlighter,
                     &ConfigHighlighter::refreshVisible, Qt::QueuedConnection);
    highlighter->setActive(true);
    QCoreApplication::processEvents();
    std::printf("document: %d lines; aliases read block by block in %lld ms (%lld names), "
                "from a copy of the whole text in %lld ms\n",
                editor.document()->blockCount(), static_cast<long long>(firstRead),
                static_cast<long long>(aliases->names().size()),
                static_cast<long long>(wholeTextRead));
    if (aliases->names().size() != wholeText)
        return 1;

    QList<double> onAlias;
    QList<double> onPlain;
    const int step = editor.document()->blockCount() / (2 * rounds + 1);
    for (int r = 0; r < rounds; ++r) {
        const int aliasAt = step * (2 * r + (r % 2 ? 2 : 1));
        const int plainAt = step * (2 * r + (r % 2 ? 1 : 2));
        // Inside the alias's name ("alias \"+jumpd|uck\"") and inside the setting's name.
        const auto alias = [&] { onAlias.append(typeAt(editor, aliasAt, u"alias"_s, 12, keys)); };
        const auto plain = [&] {
            onPlain.append(typeAt(editor, plainAt, u"cl_updaterate"_s, 6, keys));
        };
        if (r % 2 == 0) {
            alias();
            plain();
        } else {
            plain();
            alias();
        }
    }
    std::sort(onAlias.begin(), onAlias.end());
    std::sort(onPlain.begin(), onPlain.end());
    const double a = onAlias.at(onAlias.size() / 2);
    const double p = onPlain.at(onPlain.size() / 2);
    std::printf("typing %d keys x %d rounds: alias line %.3f ms/key [%.3f-%.3f], plain line "
                "%.3f ms/key [%.3f-%.3f], ratio %.2f\n",
                keys, rounds, a, onAlias.first(), onAlias.last(), p, onPlain.first(),
                onPlain.last(), a / p);
    return 0;
}
