// The visible-only highlighter. A coloured block carries the generation it was coloured in (in
// its BlockNotes); a change of colours, aliases or known words starts a new generation, so every
// block is redone the next time it is on screen. The colours are the block layout's additional
// formats, which never touch the text or the undo history.
//
// An edit within one block (a keystroke) has the block coloured by the document layout itself,
// between the edit and laying the block out. A block the editor lays out for the first time
// (scrolled or jumped to) is coloured just before, so it is laid out once. Every other block is
// coloured outside any edit and its layout told alone: the document layout would take the new
// formats for a change of twice the block's length, reaching into the next block, drop both
// layouts and redraw the whole screen; so it lets that report go (the formats have dropped the
// block's lines themselves), and the editor redraws that block only.
#include "editor/qt_config_highlighter.h"

#include "editor/qt_block_notes.h"
#include "language/document_aliases.h"

#include <QAbstractTextDocumentLayout>
#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QTimer>
#include <utility>

namespace {
// How many blocks above and below the screen are coloured as well, so that a short scroll
// finds them ready.
constexpr int kMargin = 40;
// An edit that touches more blocks than this (a pasted or newly opened text) only makes the
// blocks stale; the ones on screen are then coloured.
constexpr int kBlocksColouredAtOnce = 200;
// The kinds drawn in a colour alone (setColours makes keywords bold and unknown words
// underlined), so a blank may join their runs. Comments are not slanted: a slanted face is a
// second font to load at every start (the new config's text opens with a comment), and a
// fixed-pitch font seldom has a true italic, so it would be a slanted copy of the upright one.
constexpr quint32 kColourOnlyKinds = 1u << int(TokenKind::Comment) | 1u << int(TokenKind::String) |
                                     1u << int(TokenKind::Number) | 1u << int(TokenKind::Command) |
                                     1u << int(TokenKind::Variable) | 1u << int(TokenKind::Alias);
} // namespace

// The editor's document layout, which has the highlighter colour the block an edit changed
// just before laying it out: the block is laid out once, in its colours, and redrawn alone.
// (Coloured after the edit, it would be laid out again, and the next block with it.)
class ColouringLayout : public QPlainTextDocumentLayout {
public:
    ColouringLayout(QTextDocument* document, ConfigHighlighter* highlighter)
        : QPlainTextDocumentLayout(document), m_highlighter(highlighter) {}

    // A block about to be laid out with stale colours or none is coloured first, so it is laid
    // out once, in its colours (coloured after the editor laid it out to scroll to it, it would
    // be laid out again to be painted).
    QRectF blockBoundingRect(const QTextBlock& block) const override {
        if (m_highlighter && !m_inChange && block.isValid() && block.layout()->lineCount() == 0)
            m_highlighter->colourBeforeFirstLayout(block);
        return QPlainTextDocumentLayout::blockBoundingRect(block);
    }

protected:
    void documentChanged(int from, int removed, int added) override {
        // New colours of one block: they have let go of its lines already, and no other block
        // changed.
        if (m_highlighter && m_highlighter->isOwnColourChange(from, removed, added))
            return;
        const QScopedValueRollback inChange(m_inChange, true);
        QTextDocument* doc = document();
        // What the plain layout does for a change within one block, with the colours put on
        // the block in between.
        if (m_highlighter && m_highlighter->isActive() && doc->blockCount() == m_blockCount) {
            const QTextBlock block = doc->findBlock(from);
            if (block.isValid() &&
                doc->findBlock(std::max(0, from + removed + added - 1)) == block &&
                block.layout()->lineCount() > 0) {
                const qreal height = blockBoundingRect(block).height();
                if (m_highlighter->colourBeforeLayout(block)) {
                    if (blockBoundingRect(block).height() == height)
                        emit updateBlock(block);
                    else
                        requestUpdate();
                    return;
                }
            }
        }
        QPlainTextDocumentLayout::documentChanged(from, removed, added);
        m_blockCount = doc->blockCount();
    }

private:
    QPointer<ConfigHighlighter> m_highlighter;
    int m_blockCount = -1;   // as the plain layout last counted the blocks
    bool m_inChange = false; // while it takes in a change of the document
};

ConfigHighlighter::ConfigHighlighter(QPlainTextEdit* editor,
                                     std::function<const Vocabulary&()> words)
    : QObject(editor), m_editor(editor), m_words(std::move(words)) {
    QTextDocument* document = editor->document();
    document->setDocumentLayout(new ColouringLayout(document, this));
    editor->setDocument(document); // the editor takes the new layout as its own
    connect(editor->document(), &QTextDocument::contentsChange, this,
            &ConfigHighlighter::contentsChange);
    // Emitted once the edit is over and the layout has taken it in.
    connect(editor->document(), &QTextDocument::contentsChanged, this,
            &ConfigHighlighter::editFinished);
    m_settledRevision = document->revision();
}

void ConfigHighlighter::setActive(bool active) {
    if (active == m_active)
        return;
    m_active = active;
    ++m_generation;
    m_lastView = {};
    if (active) {
        refreshVisible();
        return;
    }
    // Only coloured blocks carry a mark, so the walk touches no layout of a plain block.
    for (QTextBlock b = m_editor->document()->begin(); b.isValid(); b = b.next())
        if (const BlockNotes* notes = notesOf(b); notes && notes->colouredIn != 0)
            makePlain(b);
    m_shapesKept = {-1, -1};
    // Plain lines on screen keep their shapes too: a keystroke then shapes its line once.
    refreshVisible();
}

void ConfigHighlighter::setAliases(QSet<QString> aliases) {
    if (aliases == this->aliases())
        return;
    m_liveAliases.reset();
    m_aliases = std::move(aliases);
    invalidate();
}

void ConfigHighlighter::setAliases(QSet<QString> aliases, const QStringList& changed) {
    if (aliases == this->aliases())
        return;
    m_liveAliases.reset();
    m_aliases = std::move(aliases);
    recolourForAliases(changed);
}

void ConfigHighlighter::followAliases(std::shared_ptr<const DocumentAliases> live) {
    const bool same = live && live->names() == aliases();
    m_liveAliases = std::move(live);
    m_aliases.clear();
    if (!same)
        invalidate();
}

void ConfigHighlighter::aliasesChanged(const QStringList& changed, bool many) {
    if (many)
        invalidate();
    else
        recolourForAliases(changed);
}

const QSet<QString>& ConfigHighlighter::aliases() const {
    return m_liveAliases ? m_liveAliases->names() : m_aliases;
}

void ConfigHighlighter::recolourForAliases(const QStringList& changed) {
    const int previous = m_generation++;
    m_lastView = {};
    if (!m_active || m_colouring)
        return;
    // A block's colours change with the aliases only through the words it looked up among
    // them, so a block on screen whose looked-up words hold none of the changed names (as far
    // as their bits tell) keeps its colours, and its text is not read.
    quint64 changedBits = 0;
    for (const QString& name : changed)
        changedBits |= aliasWordBit(name);
    int first = 0;
    int last = 0;
    visibleRange(first, last);
    int number = first;
    for (QTextBlock b = m_editor->document()->findBlockByNumber(first);
         b.isValid() && number <= last; b = b.next(), ++number) {
        BlockNotes* notes = notesOf(b);
        if (notes && notes->colouredIn == previous && !(notes->aliasWords & changedBits))
            notes->colouredIn = m_generation;
    }
    colourView(first, last);
}

void ConfigHighlighter::setColours(const SyntaxColours& colours) {
    for (int k = 0; k < kTokenKindCount; ++k) {
        QTextCharFormat f;
        f.setForeground(colours.colour[size_t(k)]);
        if (k == int(TokenKind::Keyword))
            f.setFontWeight(QFont::Bold);
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

std::array<int, 4> ConfigHighlighter::currentView() const {
    return {m_editor->verticalScrollBar()->value(), m_editor->viewport()->height(), m_generation,
            int(m_editor->lineWrapMode())};
}

void ConfigHighlighter::refreshVisible() {
    if (m_colouring)
        return;
    // Typing changes none of these; the block typed in is coloured as it changes.
    if (currentView() == m_lastView)
        return;
    int first = 0;
    int last = 0;
    visibleRange(first, last);
    colourView(first, last);
}

void ConfigHighlighter::colourView(int first, int last) {
    m_lastView = currentView();
    releaseShapes(first, last);
    // Counted, not asked: a block's number is a walk up the document's tree.
    int number = first;
    for (QTextBlock b = m_editor->document()->findBlockByNumber(first);
         b.isValid() && number <= last; b = b.next(), ++number) {
        // A block not laid out yet is coloured as it is laid out (colourBeforeFirstLayout).
        const BlockNotes* notes = notesOf(b);
        if (m_active && (!notes || notes->colouredIn != m_generation) &&
            b.layout()->lineCount() > 0)
            colour(b);
        // While a line is on or near the screen it keeps its shapes (a coloured line's several
        // pieces) from its layout to its painting instead of shaping them at every paint.
        b.layout()->setCacheEnabled(true);
    }
    m_shapesKept = {first, last};
}

void ConfigHighlighter::releaseShapes(int first, int last) {
    // The lines that kept their shapes for the last view, and a few more, as edits since
    // may have moved them.
    QTextDocument* doc = m_editor->document();
    for (const int number : std::exchange(m_shapesKeptAhead, {}))
        if (number < first || number > last)
            if (const QTextBlock b = doc->findBlockByNumber(number);
                b.isValid() && b.layout()->cacheEnabled())
                releaseShape(b);
    if (m_shapesKept.first < 0)
        return;
    const int from = std::max(0, m_shapesKept.first - kMargin);
    const int to = m_shapesKept.second + kMargin;
    int number = from;
    for (QTextBlock b = doc->findBlockByNumber(from); b.isValid() && number <= to;
         b = b.next(), ++number)
        if ((number < first || number > last) && b.layout()->cacheEnabled())
            releaseShape(b);
}

void ConfigHighlighter::releaseShape(const QTextBlock& block) {
    QTextLayout* layout = block.layout();
    layout->setCacheEnabled(false);
    // Setting its text again (a block's layout reads the block's text and keeps none of its own)
    // lets the layout go of its shapes and lines, and leaves its colours as they are; nothing is
    // redrawn, as the block is off screen.
    layout->setText(layout->text());
}

void ConfigHighlighter::putFormats(const QTextBlock& block,
                                   const QList<QTextLayout::FormatRange>& ranges) {
    // The layout reports new formats as a change of the block, which the document passes on
    // to its layout at once when told the block is dirty. The editor's layout lets that report
    // go (isOwnColourChange); were an edit's change still pending, it would arrive with it and
    // be laid out as usual.
    m_colouring = true;
    m_ownChange = {block.position(), block.length()};
    block.layout()->setFormats(ranges);
    m_editor->document()->markContentsDirty(m_ownChange.first, m_ownChange.second);
    m_ownChange = {-1, -1};
    m_colouring = false;
}

bool ConfigHighlighter::isOwnColourChange(int from, int removed, int added) const {
    return m_colouring && from == m_ownChange.first && removed == m_ownChange.second &&
           added == m_ownChange.second;
}

void ConfigHighlighter::colourBeforeFirstLayout(const QTextBlock& block) {
    // Only while no edit is under way (the document's revision moves as one starts, and the
    // last edit is over when the document says its contents changed): the colours' change
    // would carry an edit's change along to the layout before the document announced it.
    if (!m_active || m_colouring || m_pendingFrom >= 0 ||
        m_editor->document()->revision() != m_settledRevision)
        return;
    if (const BlockNotes* notes = notesOf(block); notes && notes->colouredIn == m_generation)
        return;
    const QList<QTextLayout::FormatRange> ranges = rangesFor(block);
    if (block.layout()->formats() != ranges)
        putFormats(block, ranges);
    // Laid out now, it is mostly to be shown: it keeps its shapes for painting until the next
    // view lets it go (releaseShapes).
    if (!block.layout()->cacheEnabled()) {
        block.layout()->setCacheEnabled(true);
        m_shapesKeptAhead.append(block.blockNumber());
    }
}

void ConfigHighlighter::contentsChange(int position, int removed, int added) {
    Q_UNUSED(removed);
    if (m_colouring)
        return;
    QTextDocument* doc = m_editor->document();
    if (!m_active) {
        // Typing: the line typed in (and one Enter made) keeps its shapes.
        int count = 0;
        for (QTextBlock b = doc->findBlock(position);
             b.isValid() && b.position() <= position + added && count < kBlocksColouredAtOnce;
             b = b.next(), ++count)
            keepShapeIfInView(b);
        return;
    }
    const QTextBlock first = doc->findBlock(position);
    const QTextBlock last = doc->findBlock(position + added);
    if (!first.isValid())
        return;
    const int endNumber = last.isValid() ? last.blockNumber() : doc->blockCount() - 1;
    if (endNumber - first.blockNumber() > kBlocksColouredAtOnce) {
        // Blocks that kept old colours are redone when they come on screen.
        m_pendingFrom = m_pendingTo = -1;
        ++m_generation;
        m_lastView = {};
        QTimer::singleShot(0, this, &ConfigHighlighter::refreshVisible);
        return;
    }
    m_pendingFrom = m_pendingFrom < 0 ? position : std::min(m_pendingFrom, position);
    m_pendingTo = std::max(m_pendingTo, position + added);
}

void ConfigHighlighter::editFinished() {
    m_settledRevision = m_editor->document()->revision();
    if (m_pendingFrom < 0)
        return;
    const int from = m_pendingFrom;
    const int to = m_pendingTo;
    m_pendingFrom = m_pendingTo = -1;
    if (!m_active)
        return;
    QTextDocument* doc = m_editor->document();
    const QTextBlock last = doc->findBlock(to);
    const int endNumber = last.isValid() ? last.blockNumber() : doc->blockCount() - 1;
    for (QTextBlock b = doc->findBlock(from); b.isValid() && b.blockNumber() <= endNumber;
         b = b.next())
        colour(b);
}

void ConfigHighlighter::keepShapeIfInView(const QTextBlock& block) {
    // Otherwise each keystroke on a line made since the view was last refreshed would shape it
    // twice, for its layout and for its painting.
    if (m_shapesKept.first >= 0 && !block.layout()->cacheEnabled()) {
        const int number = block.blockNumber();
        if (number >= m_shapesKept.first && number <= m_shapesKept.second)
            block.layout()->setCacheEnabled(true);
    }
}

QList<QTextLayout::FormatRange> ConfigHighlighter::rangesFor(const QTextBlock& block) {
    keepShapeIfInView(block);
    QList<QTextLayout::FormatRange> ranges;
    quint64 aliasWords = 0;
    const QString text = block.text();
    const QList<SyntaxToken> runs = joinedForLayout(
        text, tokenizeLine(text, m_words(), aliases(), &aliasWords), kColourOnlyKinds);
    ranges.reserve(runs.size());
    for (const SyntaxToken& t : runs)
        ranges.append({t.start, t.length, m_formats[size_t(t.kind)]});
    BlockNotes& notes = makeNotes(block);
    notes.colouredIn = m_generation;
    notes.aliasWords = aliasWords;
    return ranges;
}

bool ConfigHighlighter::colourBeforeLayout(const QTextBlock& block) {
    // Only the block of the edit just made, when the edit stayed within it.
    if (!m_active || m_colouring || m_pendingFrom < block.position() ||
        m_pendingTo >= block.position() + block.length())
        return false;
    m_pendingFrom = m_pendingTo = -1;
    const QList<QTextLayout::FormatRange> ranges = rangesFor(block);
    if (block.layout()->formats() == ranges)
        return false;
    // The document hears of the new colours as part of the edit it is laying out.
    block.layout()->setFormats(ranges);
    return true;
}

void ConfigHighlighter::colour(const QTextBlock& block) {
    const QList<QTextLayout::FormatRange> ranges = rangesFor(block);
    QTextBlock b = block;
    // A block recoloured after a change elsewhere (a new alias) mostly keeps its colours; the
    // layout is only told of real changes.
    if (b.layout()->formats() == ranges)
        return;
    setFormats(b, ranges);
}

void ConfigHighlighter::makePlain(const QTextBlock& block) {
    QTextBlock b = block;
    if (BlockNotes* notes = notesOf(b))
        notes->colouredIn = 0;
    if (b.layout()->formats().isEmpty()) {
        if (b.layout()->cacheEnabled())
            releaseShape(b);
        return;
    }
    b.layout()->setCacheEnabled(false);
    setFormats(b, {});
}

void ConfigHighlighter::setFormats(const QTextBlock& block,
                                   const QList<QTextLayout::FormatRange>& ranges) {
    QAbstractTextDocumentLayout* layout = m_editor->document()->documentLayout();
    // Bold or italic text may wrap differently, and then the lines below move.
    const bool wraps = m_editor->lineWrapMode() != QPlainTextEdit::NoWrap;
    const qreal height = wraps ? layout->blockBoundingRect(block).height() : 0;
    putFormats(block, ranges);
    if (wraps && layout->blockBoundingRect(block).height() != height)
        emit layout->update();
    else
        emit layout->updateBlock(block);
}
