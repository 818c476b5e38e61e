// The document's aliases, block by block.
#include "editor/qt_alias_tracker.h"

#include "editor/qt_block_notes.h"
#include "language/config_commands.h"
#include "platform/document_text_runs.h"

#include <QTextCursor>
#include <QTextDocument>
#include <system_error>

namespace {
// Past this many blocks an edit's blocks are found through the text (see noteBlocks).
constexpr int kBlocksReadOneByOne = 64;
// The characters of a large edit searched at a time.
constexpr int kPieceChars = 1 << 20;
// A text to be set from this many characters on has its aliases read while the document
// takes it.
constexpr qsizetype kCharsReadAhead = 1 << 16;
} // namespace

AliasTracker::AliasTracker(QTextDocument* document, QObject* parent)
    : QObject(parent), m_document(document), m_aliases(std::make_shared<DocumentAliases>()) {
    noteBlocks(document->begin(), document->lastBlock());
    m_aliases->takeChanged();
    connect(document, &QTextDocument::contentsChange, this, &AliasTracker::contentsChange);
    // Emitted before the document deletes its blocks and their notes.
    connect(document, &QObject::destroyed, [aliases = m_aliases] { aliases->stopCounting(); });
}

void AliasTracker::contentsChange(int position, int, int added) {
    // The blocks the edit left or made are read again; the blocks it deleted took their
    // aliases with them.
    if (!takeExpected(position, added)) {
        const QTextBlock last = m_document->findBlock(position + added);
        noteBlocks(m_document->findBlock(position),
                   last.isValid() ? last : m_document->lastBlock());
    }
    const QStringList names = m_aliases->changedNames();
    const bool many = m_aliases->manyChanged();
    if (m_aliases->takeChanged())
        emit changed(names, many);
}

void AliasTracker::readPiece(int from, int to) {
    // The piece as the document stores it: each line ends in one character ("\n" or U+2029),
    // so its positions are the document's less `from`; it starts at a block's start and ends
    // after a block. (A cursor's selected text gives the same, an order of magnitude slower: it
    // looks up each line's piece of the document again.)
    QString text;
    text.reserve(to - from);
    forEachTextRun(
        *m_document, [&text](QStringView run) { text.append(run); }, from, to);
    noteLines(aliasLinesOf(text), from);
}

void AliasTracker::noteLines(QList<AliasLine> lines, int from) {
    for (AliasLine& line : lines)
        noteAliases(m_document->findBlock(from + int(line.start)), std::move(line.names),
                    m_aliases);
}

void AliasTracker::expectText(const QString& text) {
    m_expected.reset();
    if (text.size() < kCharsReadAhead)
        return;
    try {
        // The text is shared, not copied; the document gets a copy of its own.
        m_expected = Expected{text.size(), startSideWork([text] { return aliasLinesOf(text); })};
    } catch (const std::system_error&) {
        // No thread: the document's blocks are read after the text is set, as for any edit.
    }
}

bool AliasTracker::takeExpected(int position, int added) {
    if (!m_expected)
        return false;
    // Setting a text first empties the document, an edit of its own.
    if (added == 0)
        return false;
    Expected expected = std::move(*m_expected);
    m_expected.reset();
    // Each of its line breaks became one block's end (a CR LF would have made one of two).
    if (position != 0 || m_document->characterCount() != expected.size + 1)
        return false;
    noteLines(expected.lines.result.get(), 0);
    return true;
}

void AliasTracker::noteBlocks(const QTextBlock& first, const QTextBlock& last) {
    if (!first.isValid())
        return;
    // A few blocks (typing, a short paste) are read one by one.
    QTextBlock b = first;
    for (int count = 0; b.isValid() && count < kBlocksReadOneByOne; b = b.next(), ++count) {
        noteAliases(b, m_aliases);
        if (b == last)
            return;
    }
    if (!b.isValid())
        return;
    // Many (a new text, a large paste): the blocks in between are new, so only those that
    // mention "alias" can define one, and the text finds them faster than a walk over every
    // block. The text is read a piece of whole blocks at a time, so a large document is never
    // held twice. The last block may be an old one that an edit joined; it is read whatever
    // it holds.
    const int end = last.position();
    int from = b.position();
    while (from < end) {
        int to = m_document->findBlock(std::min(from + kPieceChars, end)).position();
        if (to <= from) // one block longer than a piece
            to = std::min(from + m_document->findBlock(from).length(), end);
        readPiece(from, to);
        from = to;
    }
    noteAliases(last, m_aliases);
}
