// Text tools on plain text and the editor's document.
#include "editor/text_tools.h"

#include <QStringList>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

QString plainTextOf(const QTextDocument& document) {
    QString text = document.toRawText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    return text;
}

TextRange lineToDelete(const QTextDocument& document, int caret) {
    const int length = document.characterCount() - 1;
    const QTextBlock block = document.findBlock(std::clamp(caret, 0, length));
    if (!block.isValid())
        return {};
    const int start = block.position();
    // The block's length counts its line break; the last block's stands for the end of the text.
    const int end = block.next().isValid() ? start + block.length() : start + block.length() - 1;
    return {start, end - start};
}

TextRange selectAllOrNone(int textLength, TextRange selection) {
    if (selection.length < 2)
        return {0, textLength};
    return {selection.start, 0};
}

int endOfLine(const QTextDocument& document, int line) {
    QTextBlock block = document.findBlockByNumber(line);
    if (!block.isValid())
        block = document.lastBlock();
    return block.position() + block.length() - 1;
}

int findInDocument(const QTextDocument& document, const QString& needle, int from) {
    from = std::max(from, 0);
    if (needle.isEmpty() || from > document.characterCount() - 1 - needle.size())
        return -1;
    QTextBlock block = document.findBlock(from);
    if (!needle.contains(u'\n')) {
        // A match lies within one line.
        for (; block.isValid(); block = block.next()) {
            const qsizetype at = block.text().indexOf(needle, std::max(0, from - block.position()),
                                                      Qt::CaseSensitive);
            if (at >= 0)
                return block.position() + int(at);
        }
        return -1;
    }
    // A needle across line ends: its first part ends a line, the parts between are whole lines
    // and the last part begins a line.
    const QStringList parts = needle.split(u'\n');
    for (; block.isValid(); block = block.next()) {
        const QString text = block.text();
        if (!text.endsWith(parts.front()))
            continue;
        const int start = block.position() + int(text.size() - parts.front().size());
        if (start < from)
            continue;
        QTextBlock next = block.next();
        bool matches = true;
        for (qsizetype i = 1; matches && i < parts.size(); ++i, next = next.next()) {
            if (!next.isValid())
                return -1; // too few lines left for this or any later start
            const QString line = next.text();
            matches = i + 1 < parts.size() ? line == parts[i] : line.startsWith(parts[i]);
        }
        if (matches)
            return start;
    }
    return -1;
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
