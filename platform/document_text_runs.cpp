// Walking the text document's pieces through Qt's private document API: the public one reaches a
// block's text through tree look-ups per block, ten times slower than the save's whole encoding.
#include "platform/document_text_runs.h"

#include <QTextDocument>
#include <private/qtextdocument_p.h>

#include <array>

void forEachTextRun(const QTextDocument& document, const std::function<void(QStringView)>& visit,
                    qsizetype from, qsizetype to) {
    const QTextDocumentPrivate* d = QTextDocumentPrivate::get(&document);
    const QString& buffer = d->buffer();
    // The document ends in a paragraph separator of its own that is no part of its text.
    const qsizetype length = qsizetype(d->length()) - 1;
    to = to < 0 ? length : std::min(to, length);
    if (from >= to)
        return;
    // The pieces are the nodes of a balanced tree, in the document's order from left to right;
    // a node knows the length of its left subtree. Qt's iterator finds each next piece by
    // climbing and descending the tree again; this walk keeps the nodes still to visit on a
    // stack and so reads each node once. A red-black tree of 2^32 nodes is at most 64 deep.
    const auto& pieces = d->fragmentMap();
    quint32 root = quint32(pieces.firstNode());
    if (root == 0)
        return;
    while (pieces.fragment(root)->parent != 0)
        root = pieces.fragment(root)->parent;
    std::array<quint32, 128> pending{};
    size_t depth = 0;
    // Down to the piece holding `from`, keeping the nodes to the right of the path.
    qsizetype skip = 0;
    for (quint32 n = root, base = 0; n != 0;) {
        const QTextFragmentData* piece = pieces.fragment(n);
        const qsizetype start = qsizetype(base) + piece->size_left_array[0];
        if (from < start) {
            pending[depth++] = n;
            n = piece->left;
        } else if (from < start + qsizetype(piece->size_array[0])) {
            pending[depth++] = n;
            skip = from - start;
            break;
        } else {
            base = quint32(start + piece->size_array[0]);
            n = piece->right;
        }
    }
    qsizetype left = to - from;
    // Pieces that follow each other in the buffer go out as one run. A text as loaded is one
    // string in the buffer, "\n" included, but each line's separator is a piece of its own at
    // the buffer's end; where the run so far is followed in the buffer by that "\n", the run
    // takes it in the separator's place, so a file as loaded is read in a few long runs.
    qsizetype runStart = 0;
    qsizetype runSize = 0;
    while (depth > 0 && left > 0) {
        const quint32 n = pending[--depth];
        const QTextFragmentData* piece = pieces.fragment(n);
        for (quint32 m = piece->right; m != 0; m = pieces.fragment(m)->left)
            pending[depth++] = m;
        const qsizetype start = piece->stringPosition + skip;
        const qsizetype size = std::min<qsizetype>(piece->size_array[0] - skip, left);
        skip = 0;
        left -= size;
        const qsizetype runEnd = runStart + runSize;
        if (runSize > 0 &&
            (start == runEnd || (size == 1 && buffer[start] == QChar::ParagraphSeparator &&
                                 runEnd < buffer.size() && buffer[runEnd] == u'\n'))) {
            runSize += size;
            continue;
        }
        if (runSize > 0)
            visit(QStringView(buffer).sliced(runStart, runSize));
        runStart = start;
        runSize = size;
    }
    if (runSize > 0)
        visit(QStringView(buffer).sliced(runStart, runSize));
}
