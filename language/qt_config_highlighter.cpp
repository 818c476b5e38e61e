// The visible-only highlighter. A coloured block carries the generation it was coloured in; a
// change of colours, aliases or known words starts a new generation, so every block is redone
// the next time it is on screen. Block states are not used: a state change would make Qt run on
// into the following blocks, down the whole document.
#include "language/qt_config_highlighter.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>

namespace {
// How many blocks above and below the screen are coloured as well, so that a short scroll
// finds them ready.
constexpr int kMargin = 40;

struct ColouredIn : QTextBlockUserData {
    explicit ColouredIn(int g) : generation(g) {}
    int generation;
};
} // namespace

ConfigHighlighter::ConfigHighlighter(QPlainTextEdit* editor, const Vocabulary& words)
    : QSyntaxHighlighter(static_cast<QObject*>(editor)), m_editor(editor), m_words(words) {}

void ConfigHighlighter::setActive(bool active) {
    if (active == isActive())
        return;
    ++m_generation;
    m_lastView = {};
    if (active) {
        visibleRange(m_first, m_last);
        setDocument(m_editor->document()); // blocks off screen are passed over quickly
        refreshVisible();
    } else {
        setDocument(nullptr); // takes the colours off
    }
}

void ConfigHighlighter::setAliases(QSet<QString> aliases) {
    if (aliases == m_aliases)
        return;
    m_aliases = std::move(aliases);
    invalidate();
}

void ConfigHighlighter::setColours(const SyntaxColours& colours) {
    for (int k = 0; k < kTokenKindCount; ++k) {
        QTextCharFormat f;
        f.setForeground(colours.colour[size_t(k)]);
        if (k == int(TokenKind::Keyword))
            f.setFontWeight(QFont::Bold);
        if (k == int(TokenKind::Comment))
            f.setFontItalic(true);
        if (k == int(TokenKind::Unknown)) {
            f.setUnderlineStyle(QTextCharFormat::WaveUnderline);
            f.setUnderlineColor(colours.colour[size_t(k)]);
        }
        m_formats[size_t(k)] = f;
    }
    invalidate();
}

void ConfigHighlighter::vocabularyChanged() {
    invalidate();
}

void ConfigHighlighter::invalidate() {
    ++m_generation;
    m_lastView = {};
    refreshVisible();
}

void ConfigHighlighter::visibleRange(int& first, int& last) const {
    const QTextBlock top = m_editor->cursorForPosition(QPoint(0, 0)).block();
    const QTextBlock bottom =
        m_editor->cursorForPosition(QPoint(0, m_editor->viewport()->height())).block();
    first = std::max(0, top.blockNumber() - kMargin);
    last = bottom.blockNumber() + kMargin;
}

void ConfigHighlighter::refreshVisible() {
    if (!isActive() || m_refreshing)
        return;
    // Typing changes none of these; the block typed in is coloured by Qt's own pass.
    const std::array<int, 4> view = {m_editor->verticalScrollBar()->value(),
                                     m_editor->viewport()->height(), m_generation,
                                     int(m_editor->lineWrapMode())};
    if (view == m_lastView)
        return;
    m_lastView = view;
    m_refreshing = true;
    visibleRange(m_first, m_last);
    QTextDocument* doc = m_editor->document();
    for (QTextBlock b = doc->findBlockByNumber(m_first); b.isValid() && b.blockNumber() <= m_last;
         b = b.next()) {
        const auto* mark = static_cast<const ColouredIn*>(b.userData());
        if (!mark || mark->generation != m_generation)
            rehighlightBlock(b);
    }
    m_refreshing = false;
}

void ConfigHighlighter::highlightBlock(const QString& text) {
    const int number = currentBlock().blockNumber();
    if (number < m_first || number > m_last) {
        setCurrentBlockUserData(nullptr); // plain until it is on screen
        return;
    }
    for (const SyntaxToken& t : tokenizeLine(text, m_words, m_aliases))
        setFormat(t.start, t.length, m_formats[size_t(t.kind)]);
    setCurrentBlockUserData(new ColouredIn(m_generation));
}
