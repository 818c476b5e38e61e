// The editor's small text tools as plain operations on text and positions, and the two pieces
// every tool needs to work on the editor's QTextDocument: its text with "\n" line breaks and an
// edit that touches only what changed.
#pragma once

#include <QString>

class QTextDocument;

struct TextRange {
    int start = 0;
    int length = 0;
    bool operator==(const TextRange&) const = default;
};

// The document's characters with "\n" between lines, indexed as QTextCursor positions.
// Unlike toPlainText() it keeps no-break spaces, which Windows-1251 configs may hold.
QString plainTextOf(const QTextDocument& document);

// What "delete line" removes for a caret at `caret`: its line together with the "\n" that ends
// it; the last line has none and is only emptied. Empty on an empty text.
TextRange lineToDelete(QStringView text, int caret);

// Select all / none: a selection shorter than 2 characters becomes the whole text; a longer
// one is cancelled, the caret staying at its start.
TextRange selectAllOrNone(int textLength, TextRange selection);

// The position at the end of 0-based line `line`; a line past the end counts as the last one.
int endOfLine(QStringView text, int line);

// The smallest change that turns `before` into `after`: the range of `before` to replace and
// the text to put there (common start and end left alone).
struct TextChange {
    TextRange removed;
    QString inserted;
    bool isEmpty() const { return removed.length == 0 && inserted.isEmpty(); }
};
TextChange smallestChange(QStringView before, QStringView after);

// Makes `document` read `after` as one undo step, rewriting only the part that differs (so the
// rest keeps its place and a 5 MB config is not re-laid out whole); false when nothing differs.
// The edit sets the document's modified flag.
bool replaceDocumentText(QTextDocument& document, const QString& after);
