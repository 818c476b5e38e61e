// The editor's syntax highlighting. Only the blocks on screen are coloured: a block changed or
// laid out off screen is left plain and coloured when it scrolls into view, so a 16 MB config
// costs no more to open or to type in than a short one.
#pragma once

#include "language/syntax_colours.h"
#include "language/vocabulary.h"

#include <QObject>
#include <QSet>
#include <QTextCharFormat>
#include <array>
#include <functional>

class QPlainTextEdit;
class QTextBlock;

class ConfigHighlighter : public QObject {
    Q_OBJECT
public:
    // `words` gives the known names when a block is coloured (the first call may read them).
    ConfigHighlighter(QPlainTextEdit* editor, std::function<const Vocabulary&()> words);

    // On or off; off leaves the editor's text in its own colour only.
    void setActive(bool active);
    bool isActive() const { return m_active; }

    // Each of these makes every coloured block stale; the visible ones are redone at once.
    void setAliases(QSet<QString> aliases);
    void setColours(const SyntaxColours& colours);
    void vocabularyChanged();

    // Colours the blocks on screen that are plain or stale (after a scroll, a resize, a new
    // text). Cheap when there is nothing to do.
    void refreshVisible();

private:
    // The document changed: the few blocks an edit touched are coloured again at once; after a
    // change of many blocks (a new text) every block is stale and the screen is redone.
    void contentsChanged(int position, int removed, int added);
    void colour(const QTextBlock& block);
    void makePlain(const QTextBlock& block);
    void visibleRange(int& first, int& last) const;
    void invalidate();

    QPlainTextEdit* m_editor;
    std::function<const Vocabulary&()> m_words;
    QSet<QString> m_aliases;
    std::array<QTextCharFormat, kTokenKindCount> m_formats;
    bool m_active = false;
    int m_generation = 1;
    // Set while formats are put on blocks: telling the layout about them reports a change of
    // the document, which is not an edit.
    bool m_colouring = false;
    std::array<int, 4> m_lastView = {}; // scroll, height, generation, wrap at the last refresh
};
