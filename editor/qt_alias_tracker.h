// Keeps the aliases an editor's document defines up to date as it is edited: an edit re-reads
// only the blocks it touched (BlockNotes hold each block's aliases; a deleted block takes its
// own off the count), so typing on an alias line of a 16 MB config costs what typing anywhere
// else does.
#pragma once

#include "language/document_aliases.h"
#include "platform/side_thread.h"

#include <QObject>
#include <memory>
#include <optional>

class QTextBlock;
class QTextDocument;

class AliasTracker : public QObject {
    Q_OBJECT
public:
    // Reads the document's blocks once, then follows its edits.
    AliasTracker(QTextDocument* document, QObject* parent);

    // Every alias the document defines, lower case.
    const QSet<QString>& names() const { return m_aliases->names(); }
    // The count itself, for a reader that follows it as it changes (it outlives the tracker).
    std::shared_ptr<const DocumentAliases> live() const { return m_aliases; }
    // The document is about to be given `text` whole (setPlainText): a long one has its aliases
    // read meanwhile, on a thread of its own, and the edit that sets it only notes them.
    void expectText(const QString& text);

signals:
    // The set of names changed (not only the lines that define them): `names` came or went, or,
    // when `many` is set, too many to list did.
    void changed(const QStringList& names, bool many);

private:
    void contentsChange(int position, int removed, int added);
    void noteBlocks(const QTextBlock& first, const QTextBlock& last);
    // Notes the aliases of the blocks from position `from` (a block's start) to `to`.
    void readPiece(int from, int to);
    // Notes the lines found in a text that starts at position `from` (a block's start).
    void noteLines(QList<AliasLine> lines, int from);
    // Whether the edit was the expected text being set, its aliases noted.
    bool takeExpected(int position, int added);

    struct Expected {
        qsizetype size = 0;
        SideWork<QList<AliasLine>> lines;
    };

    QTextDocument* m_document;
    std::shared_ptr<DocumentAliases> m_aliases;
    std::optional<Expected> m_expected;
};
