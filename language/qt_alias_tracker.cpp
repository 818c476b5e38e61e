// The document's aliases, block by block.
#include "language/qt_alias_tracker.h"

#include "language/config_commands.h"
#include "language/qt_block_notes.h"
#include "platform/document_text_runs.h"

#include <QTextCursor>
#include <QTextDocument>

namespace {
// Past this many blocks an edit's blocks are found through the text (see noteBlocks).
constexpr int kBlocksReadOneByOne = 64;
// The characters of a large edit searched at a time.
constexpr int kPieceChars = 1 << 20;
} // namespace

AliasTracker::AliasTracker(QTextDocument* document, QObject* parent)
    : QObject(parent), m_document(document), m_aliases(std::make_shared<DocumentAliases>()) {
    noteBlocks(document->begin(), document->lastBlock());
    m_aliases->takeChanged();
    connect(document, &QTextDocument::contentsChange, this, &AliasTracker::contentsChange);
}

void AliasTracker::contentsChange(int position, int, int added) {
    // The blocks the edit left or made are read again; the blocks it deleted took their
    // aliases with them.
    const QTextBlock last = m_document->findBlock(position + added);
    noteBlocks(m_document->findBlock(position), last.isValid() ? last : m_document->lastBlock());
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
    const auto isBreak = [](QChar c) { return c == u'\n' || c == QChar::ParagraphSeparator; };
    qsizetype at = 0;
    while ((at = console::findName(text, at, u"alias")) >= 0) {
        // Back to the line's start: the text since the last line read holds no "alias", so
        // each character is passed over once.
        qsizetype start = at;
        while (start > 0 && !isBreak(text[start - 1]))
            --start;
        qsizetype stop = at;
        while (stop < text.size() && !isBreak(text[stop]))
            ++stop;
        QStringList defined = aliasesOfLine(QStringView(text).mid(start, stop - start));
        if (!defined.isEmpty())
            noteAliases(m_document->findBlock(from + int(start)), std::move(defined), m_aliases);
        at = stop;
    }
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
