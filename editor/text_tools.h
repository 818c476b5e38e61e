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

// What "delete line" removes for a caret at `caret`: its line together with the line break that
// ends it; the last line has none and is only emptied. Empty on an empty text. Only the caret's
// block is looked at, so the cost does not grow with the document.
TextRange lineToDelete(const QTextDocument& document, int caret);

// Select all / none: a selection shorter than 2 characters becomes the whole text; a longer
// one is cancelled, the caret staying at its start.
TextRange selectAllOrNone(int textLength, TextRange selection);

// The position at the end of 0-based line `line`; a line past the end counts as the last one.
int endOfLine(const QTextDocument& document, int line);

// The position of the first occurrence of `needle` at or after `from` in the document's text
// (as plainTextOf gives it), case matched exactly and no-break spaces kept, or -1. A needle
// with "\n" in it matches across line ends. Searches block by block from `from`, copying only
// the blocks it passes.
int findInDocument(const QTextDocument& document, const QString& needle, int from);

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
