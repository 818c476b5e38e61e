// One of the wizard's two working documents: the text of a config held in memory with "\n"
// between lines, and a selection that the line search uses as its cursor. No widget sits behind
// it; the wizard window shows the working document's text in its preview.
#pragma once

#include "shell/search_target.h"

#include <QList>
#include <QString>

class WizardDocument final : public SearchTarget {
public:
    // SearchTarget. text() hands out a shared copy; the line operations below read content().
    QString text() const override { return content_; }
    int selectionStart() const override { return selectionStart_; }
    int selectionLength() const override { return selectionLength_; }
    void select(int start, int length) override;
    // Nothing to focus: the document has no control of its own.
    void focus() override {}

    const QString& content() const { return content_; }
    bool isEmpty() const { return content_.isEmpty(); }
    // Replaces the whole text; the selection goes back to the top and no occurrence is found.
    void setText(const QString& text);
    void clear() { setText(QString()); }

    // The text becomes a new last line. A text that ends with a line break keeps ending with one.
    void appendLine(const QString& line);
    // The text becomes a new first line.
    void insertAtStart(const QString& line);

    // Lines are counted from 0; a final line break does not open another line.
    int lineCount() const;
    QString line(int index) const;
    // Where the line that holds `position` begins and ends (its end is the "\n" or the text's end).
    int lineStartOf(int position) const;
    int lineEndOf(int position) const;
    // The index of the line that holds `position`.
    int lineIndexOf(int position) const;

    // Replaces the text of the line that holds `position` (its line break stays).
    void replaceLineAt(int position, const QString& line);
    // Deletes the line that holds `position` together with its line break.
    void deleteLineAt(int position);
    // Deletes the lines beginning at the given positions (ascending) in one rewrite of the text.
    void deleteLinesStartingAt(const QList<int>& lineStarts);

    // The start of the last occurrence a wizard search found in this document, or -1. The
    // search operations set it; DeleteFoundLine deletes its line.
    int lastOccurrence() const { return lastOccurrence_; }
    void setLastOccurrence(int position) { lastOccurrence_ = position; }

private:
    QString content_;
    int selectionStart_ = 0;
    int selectionLength_ = 0;
    int lastOccurrence_ = -1;
};
