// The editor's syntax highlighting. Only the blocks the editor lays out (those on screen and the
// few it passes on its way to them) are coloured: a block changed off screen is left plain and
// coloured when it comes into view, so a 16 MB config costs no more to open or to type in than a
// short one.
#pragma once

#include "language/syntax_colours.h"
#include "language/vocabulary.h"

#include <QObject>
#include <QSet>
#include <QTextCharFormat>
#include <QTextLayout>
#include <array>
#include <functional>
#include <memory>

class ColouringLayout;
class DocumentAliases;
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
    // The same when only `changed` came or went: a block on screen that looked none of them up
    // keeps its colours (those off screen are redone when they come on screen).
    void setAliases(QSet<QString> aliases, const QStringList& changed);
    // Reads the aliases where `live` keeps them up to date, holding no copy of its set: a copy
    // would share the set, and the next edit of an alias name would copy it whole. Each change
    // of the set is then told with aliasesChanged.
    void followAliases(std::shared_ptr<const DocumentAliases> live);
    // The followed set changed: `changed` came or went, or, with `many`, too many to list did.
    void aliasesChanged(const QStringList& changed, bool many);
    void setColours(const SyntaxColours& colours);
    void vocabularyChanged();

    // Colours the blocks on screen that are plain or stale (after a scroll, a resize, a new
    // text), and has the lines near the view keep their shapes (with the highlighting off too).
    // Cheap when there is nothing to do.
    void refreshVisible();

private:
    // Colours the stale blocks of the view's blocks `first` to `last` (see visibleRange) and
    // notes the view as refreshed.
    void colourView(int first, int last);
    // A block an edit made or changed within the view keeps its shapes, as the view's others do.
    void keepShapeIfInView(const QTextBlock& block);
    std::array<int, 4> currentView() const; // as m_lastView holds it
    // The document changed: the few blocks an edit touched are noted and coloured as the layout
    // takes in the edit (one block) or as soon as the edit is over (colouring inside it would
    // widen the edit the layout sees to the whole screen); after a change of many blocks (a new
    // text) every block is stale and the screen is redone.
    void contentsChange(int position, int removed, int added);
    void editFinished();
    void colour(const QTextBlock& block);
    // The block's colours; notes it as coloured in this generation.
    QList<QTextLayout::FormatRange> rangesFor(const QTextBlock& block);
    // Called by the document layout about to lay out a block an edit changed: colours it when
    // it is the block of that edit. Returns whether its colours changed (the block then needs
    // laying out).
    bool colourBeforeLayout(const QTextBlock& block);
    friend class ColouringLayout;
    // Colours a block that is not laid out, if its colours are stale, before the layout takes
    // it (see ColouringLayout).
    void colourBeforeFirstLayout(const QTextBlock& block);
    // Puts `ranges` on the block without the document layout redoing any block for it.
    void putFormats(const QTextBlock& block, const QList<QTextLayout::FormatRange>& ranges);
    // Whether a change the document layout is told of is only putFormats' block.
    bool isOwnColourChange(int from, int removed, int added) const;
    void makePlain(const QTextBlock& block);
    // Puts `ranges` on the block and has the editor redraw that block only.
    void setFormats(const QTextBlock& block, const QList<QTextLayout::FormatRange>& ranges);
    void visibleRange(int& first, int& last) const;
    // Lines that kept their shapes for painting and are no longer in the view from `first` to
    // `last` let them go, so scrolling through a large config does not pile them up.
    void releaseShapes(int first, int last);
    void releaseShape(const QTextBlock& block);
    void invalidate();
    // The blocks that looked up a name of `changed` are recoloured (see setAliases).
    void recolourForAliases(const QStringList& changed);
    const QSet<QString>& aliases() const;

    QPlainTextEdit* m_editor;
    std::function<const Vocabulary&()> m_words;
    QSet<QString> m_aliases; // set by setAliases; unused while following m_liveAliases
    std::shared_ptr<const DocumentAliases> m_liveAliases;
    std::array<QTextCharFormat, kTokenKindCount> m_formats;
    bool m_active = false;
    int m_generation = 1;
    // Set while formats are put on blocks: telling the layout about them reports a change of
    // the document, which is not an edit.
    bool m_colouring = false;
    std::array<int, 4> m_lastView = {}; // scroll, height, generation, wrap at the last refresh
    std::pair<int, int> m_shapesKept = {-1, -1}; // the view whose lines keep their shapes
    // Blocks that keep their shapes since they were coloured for their first layout, until the
    // next view (by number: an edit may shift them, and then one is let go with the next view).
    QList<int> m_shapesKeptAhead;
    int m_settledRevision = 0; // the document's revision when its last edit was over
    std::pair<int, int> m_ownChange = {-1, -1}; // position and length putFormats reports
    int m_pendingFrom = -1; // the characters the current edit touched, when it is over
    int m_pendingTo = -1;
};
