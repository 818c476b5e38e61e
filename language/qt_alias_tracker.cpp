// The document's aliases, block by block.
#include "language/qt_alias_tracker.h"

#include "language/qt_block_notes.h"

#include <QTextDocument>

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
    const int end = last.blockNumber();
    for (QTextBlock b = first; b.isValid() && b.blockNumber() <= end; b = b.next())
        noteAliases(b, m_aliases);
}
