// What the language services note on each block of the editor's document: the generation the
// highlighter coloured it in, and the aliases the block defines. Qt deletes a block's notes with
// the block, and the notes then take the block's aliases off the document's count, so an edit
// that deletes lines needs no look at what they held.
#pragma once

#include "language/document_aliases.h"

#include <QTextBlock>
#include <QTextBlockUserData>
#include <memory>

struct BlockNotes : QTextBlockUserData {
    ~BlockNotes() override;
    int colouredIn = 0; // the highlighter's generation; 0 for a plain block
    // The aliasWordBit of each word the colouring looked up among the aliases: a change of
    // aliases leaves the colours of a block whose mask holds none of the changed names' bits.
    quint64 aliasWords = 0;
    // The names the block defines, one per line of this text (a config line holds no line
    // break). A block that defines one name holds the count's own copy of it, so a hundred
    // thousand alias lines cost a note each and no strings of their own.
    QString aliases;
    std::shared_ptr<DocumentAliases> counted; // where `aliases` are counted
};

// The block's notes, or nullptr.
BlockNotes* notesOf(const QTextBlock& block);
// The block's notes, made when it has none.
BlockNotes& makeNotes(QTextBlock block);

// Reads the aliases the block defines now and counts them in `aliases` in place of what it
// defined before.
void noteAliases(const QTextBlock& block, const std::shared_ptr<DocumentAliases>& aliases);
// The same when the caller has read the block's aliases (`now`, as aliasesOfLine gives them).
void noteAliases(const QTextBlock& block, QStringList now,
                 const std::shared_ptr<DocumentAliases>& aliases);
