// The notes on the editor's blocks.
#include "editor/qt_block_notes.h"

namespace {

QStringList namesIn(const QString& aliases) {
    return aliases.isEmpty() ? QStringList() : aliases.split(u'\n');
}

} // namespace

BlockNotes::~BlockNotes() {
    if (counted && counted->counting() && !aliases.isEmpty())
        counted->replace(namesIn(aliases), {});
}

BlockNotes* notesOf(const QTextBlock& block) {
    return static_cast<BlockNotes*>(block.userData());
}

BlockNotes& makeNotes(QTextBlock block) {
    if (BlockNotes* notes = notesOf(block))
        return *notes;
    auto* notes = new BlockNotes;
    block.setUserData(notes);
    return *notes;
}

void noteAliases(const QTextBlock& block, const std::shared_ptr<DocumentAliases>& aliases) {
    noteAliases(block, aliasesOfLine(block.text()), aliases);
}

void noteAliases(const QTextBlock& block, QStringList now,
                 const std::shared_ptr<DocumentAliases>& aliases) {
    BlockNotes* notes = notesOf(block);
    if (!notes) {
        if (now.isEmpty())
            return;
        notes = &makeNotes(block);
    }
    if (notes->counted && notes->counted != aliases) { // counted in another list before
        notes->counted->replace(namesIn(notes->aliases), {});
        notes->aliases.clear();
    }
    notes->counted = aliases;
    const QStringList before = namesIn(notes->aliases);
    if (before == now)
        return;
    aliases->replace(before, now);
    notes->aliases = now.size() == 1 ? aliases->heldName(now.front()) : now.join(u'\n');
}
