// The document's aliases, block by block.
#include "language/qt_alias_tracker.h"

#include "language/qt_block_notes.h"

#include <QTextDocument>

namespace {
// Past this many blocks an edit's blocks are found through the text (see noteBlocks).
constexpr int kBlocksReadOneByOne = 64;
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
    if (m_aliases->takeChanged())
        emit changed();
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
    // block. The last block may be an old one that an edit joined; it is read whatever it holds.
    // The raw text separates blocks with U+2029, one character each, so its positions are the
    // document's.
    const QString text = m_document->toRawText();
    const int end = last.position();
    qsizetype from = b.position();
    while ((from = text.indexOf(u"alias", from, Qt::CaseInsensitive)) >= 0 && from < end) {
        const qsizetype start = text.lastIndexOf(QChar::ParagraphSeparator, from) + 1;
        qsizetype stop = text.indexOf(QChar::ParagraphSeparator, from);
        if (stop < 0)
            stop = text.size();
        QStringList defined = aliasesOfLine(QStringView(text).mid(start, stop - start));
        if (!defined.isEmpty())
            noteAliases(m_document->findBlock(int(start)), std::move(defined), m_aliases);
        from = stop;
    }
    noteAliases(last, m_aliases);
}
