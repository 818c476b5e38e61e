// The editor's syntax highlighting. Only the blocks on screen are coloured: a block changed or
// laid out off screen is left plain and coloured when it scrolls into view, so a 16 MB config
// costs no more to type in than a short one.
#pragma once

#include "language/syntax_colours.h"
#include "language/vocabulary.h"

#include <QSet>
#include <QSyntaxHighlighter>

class QPlainTextEdit;

class ConfigHighlighter : public QSyntaxHighlighter {
    Q_OBJECT
public:
    ConfigHighlighter(QPlainTextEdit* editor, const Vocabulary& words);

    // On or off; off leaves the editor's text in its own colour only.
    void setActive(bool active);
    bool isActive() const { return document() != nullptr; }

    // Each of these makes every coloured block stale; the visible ones are redone at once.
    void setAliases(QSet<QString> aliases);
    void setColours(const SyntaxColours& colours);
    void vocabularyChanged();

    // Colours the blocks on screen that are plain or stale (after a scroll, a resize, a new
    // text). Cheap when there is nothing to do.
    void refreshVisible();

protected:
    void highlightBlock(const QString& text) override;

private:
    void visibleRange(int& first, int& last) const;
    void invalidate();

    QPlainTextEdit* m_editor;
    const Vocabulary& m_words;
    QSet<QString> m_aliases;
    std::array<QTextCharFormat, kTokenKindCount> m_formats;
    int m_generation = 1;
    int m_first = 0; // the blocks on screen, as of the last refresh
    int m_last = 0;
    bool m_refreshing = false;
    std::array<int, 4> m_lastView = {}; // scroll, height, generation, wrap at the last refresh
};
