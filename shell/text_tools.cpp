// Text tools on plain text and the editor's document.
#include "shell/text_tools.h"

#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

QString plainTextOf(const QTextDocument& document) {
    QString text = document.toRawText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    return text;
}

TextRange lineToDelete(QStringView text, int caret) {
    caret = std::clamp(caret, 0, int(text.size()));
    const int start = caret == 0 ? 0 : int(text.lastIndexOf(u'\n', caret - 1)) + 1;
    const qsizetype lineEnd = text.indexOf(u'\n', caret);
    const int end = lineEnd < 0 ? int(text.size()) : int(lineEnd) + 1;
    return {start, end - start};
}

TextRange selectAllOrNone(int textLength, TextRange selection) {
    if (selection.length < 2)
        return {0, textLength};
    return {selection.start, 0};
}

int endOfLine(QStringView text, int line) {
    qsizetype pos = 0;
    for (int i = 0; i < line; ++i) {
        const qsizetype next = text.indexOf(u'\n', pos);
        if (next < 0)
            break;
        pos = next + 1;
    }
    const qsizetype end = text.indexOf(u'\n', pos);
    return int(end < 0 ? text.size() : end);
}

TextChange smallestChange(QStringView before, QStringView after) {
    const qsizetype shorter = std::min(before.size(), after.size());
    qsizetype head = 0;
    while (head < shorter && before[head] == after[head])
        ++head;
    qsizetype tail = 0;
    while (tail < shorter - head &&
           before[before.size() - 1 - tail] == after[after.size() - 1 - tail])
        ++tail;
    TextChange change;
    change.removed = {int(head), int(before.size() - head - tail)};
    change.inserted = after.mid(head, after.size() - head - tail).toString();
    return change;
}

bool replaceDocumentText(QTextDocument& document, const QString& after) {
    const TextChange change = smallestChange(plainTextOf(document), after);
    if (change.isEmpty())
        return false;
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    cursor.setPosition(change.removed.start);
    cursor.setPosition(change.removed.start + change.removed.length, QTextCursor::KeepAnchor);
    cursor.insertText(change.inserted);
    cursor.endEditBlock();
    return true;
}
