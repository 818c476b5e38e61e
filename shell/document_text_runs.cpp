// Walking the text document's pieces through Qt's private document API: the public one reaches a
// block's text through tree look-ups per block, ten times slower than the save's whole encoding.
#include "shell/document_text_runs.h"

#include <QTextDocument>
#include <private/qtextdocument_p.h>

void forEachTextRun(const QTextDocument& document, const std::function<void(QStringView)>& visit,
                    qsizetype from, qsizetype to) {
    const QTextDocumentPrivate* d = QTextDocumentPrivate::get(&document);
    const QString& buffer = d->buffer();
    // The document ends in a paragraph separator of its own that is no part of its text.
    const qsizetype length = qsizetype(d->length()) - 1;
    to = to < 0 ? length : std::min(to, length);
    if (from >= to)
        return;
    auto it = d->find(int(from));
    // Where the walk starts within the first piece.
    qsizetype skip = from - it.position();
    qsizetype left = to - from;
    // Pieces that follow each other in the buffer (a text as loaded holds each line and each
    // separator as a piece of its own) go out as one run.
    qsizetype runStart = 0;
    qsizetype runSize = 0;
    for (; it != d->end() && left > 0; ++it) {
        const QTextFragmentData* fragment = *it;
        const qsizetype start = fragment->stringPosition + skip;
        const qsizetype size = std::min<qsizetype>(fragment->size_array[0] - skip, left);
        skip = 0;
        left -= size;
        if (runSize > 0 && start == runStart + runSize) {
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
