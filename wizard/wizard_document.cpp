// A wizard document: text, selection and whole-line edits.
#include "wizard/wizard_document.h"

#include <QStringView>
#include <algorithm>

void WizardDocument::select(int start, int length) {
    const int size = int(content_.size());
    selectionStart_ = std::clamp(start, 0, size);
    selectionLength_ = std::clamp(length, 0, size - selectionStart_);
}

void WizardDocument::setText(const QString& text) {
    content_ = text;
    selectionStart_ = 0;
    selectionLength_ = 0;
    lastOccurrence_ = -1;
}

void WizardDocument::appendLine(const QString& line) {
    if (content_.isEmpty()) {
        content_ = line;
    } else if (content_.endsWith(u'\n')) {
        content_.append(line);
        content_.append(u'\n');
    } else {
        content_.append(u'\n');
        content_.append(line);
    }
}

void WizardDocument::insertAtStart(const QString& line) {
    const int inserted = int(line.size()) + (content_.isEmpty() ? 0 : 1);
    if (content_.isEmpty())
        content_ = line;
    else
        content_.insert(0, line + u'\n');
    // The selection and the found occurrence keep pointing at the same text.
    if (selectionLength_ > 0 || selectionStart_ > 0)
        selectionStart_ += inserted;
    if (lastOccurrence_ >= 0)
        lastOccurrence_ += inserted;
}

int WizardDocument::lineCount() const {
    if (content_.isEmpty())
        return 0;
    const int breaks = int(content_.count(u'\n'));
    return content_.endsWith(u'\n') ? breaks : breaks + 1;
}

QString WizardDocument::line(int index) const {
    int start = 0;
    for (int i = 0; i < index; ++i) {
        const qsizetype next = content_.indexOf(u'\n', start);
        if (next < 0)
            return QString();
        start = int(next) + 1;
    }
    return content_.mid(start, lineEndOf(start) - start);
}

int WizardDocument::lineStartOf(int position) const {
    if (position <= 0)
        return 0;
    const qsizetype previous = content_.lastIndexOf(u'\n', position - 1);
    return previous < 0 ? 0 : int(previous) + 1;
}

int WizardDocument::lineEndOf(int position) const {
    const qsizetype next = content_.indexOf(u'\n', std::max(position, 0));
    return next < 0 ? int(content_.size()) : int(next);
}

int WizardDocument::lineIndexOf(int position) const {
    const int end = std::clamp(position, 0, int(content_.size()));
    return int(QStringView(content_).left(end).count(u'\n'));
}

void WizardDocument::replaceLineAt(int position, const QString& line) {
    const int start = lineStartOf(position);
    const int end = lineEndOf(start);
    content_.replace(start, end - start, line);
    selectionStart_ = start;
    selectionLength_ = int(line.size());
}

void WizardDocument::deleteLineAt(int position) {
    if (content_.isEmpty())
        return;
    const int start = lineStartOf(position);
    const int end = lineEndOf(start);
    if (end < content_.size()) {
        content_.remove(start, end - start + 1); // the line and its break
    } else if (start > 0) {
        content_.remove(start - 1, end - start + 1); // the last line and the break before it
    } else {
        content_.clear();
    }
    selectionStart_ = std::min(start, int(content_.size()));
    selectionLength_ = 0;
    lastOccurrence_ = -1;
}

void WizardDocument::deleteLinesStartingAt(const QList<int>& lineStarts) {
    if (lineStarts.isEmpty())
        return;
    const qsizetype size = content_.size();
    QString kept;
    kept.reserve(size);
    qsizetype copyFrom = 0;
    bool lastLineGone = false;
    for (const int start : lineStarts) {
        const int end = lineEndOf(start);
        kept.append(QStringView(content_).mid(copyFrom, start - copyFrom));
        copyFrom = end < size ? end + 1 : end;
        lastLineGone = end == size;
    }
    kept.append(QStringView(content_).mid(copyFrom));
    // The last line had no break of its own: the one before it goes with it.
    if (lastLineGone && kept.endsWith(u'\n'))
        kept.chop(1);
    content_ = kept;
    selectionStart_ = std::min(lineStarts.first(), int(content_.size()));
    selectionLength_ = 0;
    lastOccurrence_ = -1;
}
