// Walking the text document's pieces through Qt's private document API: the public one reaches a
// block's text through tree look-ups per block, ten times slower than the save's whole encoding.
#include "shell/document_text_runs.h"

#include <QTextDocument>
#include <private/qtextdocument_p.h>

void forEachTextRun(const QTextDocument& document, const std::function<void(QStringView)>& visit) {
    const QTextDocumentPrivate* d = QTextDocumentPrivate::get(&document);
    const QString buffer = d->buffer();
    // The document ends in a paragraph separator of its own that is no part of its text.
    qsizetype left = qsizetype(d->length()) - 1;
    for (auto it = d->begin(); it != d->end() && left > 0; ++it) {
        const QTextFragmentData* fragment = *it;
        const qsizetype size = std::min<qsizetype>(fragment->size_array[0], left);
        visit(QStringView(buffer).sliced(fragment->stringPosition, size));
        left -= size;
    }
}
