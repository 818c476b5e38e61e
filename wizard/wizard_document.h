// One of the wizard's two working documents: the text of a config held in memory with "\n"
// between lines, and a selection that the line search uses as its cursor. No widget sits behind
// it; the wizard window shows the working document's text in its preview.
#pragma once

#include "language/config_commands.h"
#include "shell/search_target.h"

#include <QHash>
#include <QList>
#include <QString>
#include <memory>

// The commands of a document by name (any letter case), each name's commands in document order.
class CommandIndex {
public:
    explicit CommandIndex(QStringView text);
    const QList<CommandSpan>& named(QStringView name) const;
    // Whether the text holds any command at all.
    bool isEmpty() const { return byName_.isEmpty(); }

private:
    QHash<QString, QList<CommandSpan>> byName_;
};

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

    // The document's commands, read once after each change of the text.
    const CommandIndex& commands() const;
    // Replaces `length` characters at `start`; the replaced text becomes the selection.
    void replaceRange(int start, int length, const QString& text);
    // Removes one command with the ";" that joins it to its neighbour, and its whole line when
    // nothing but blanks, ";" or a comment is left of it. A last line without a line break of
    // its own goes alone: the line break before it stays.
    void removeCommand(const CommandSpan& command);
    // Removes several commands (in document order, none overlapping) by the same rule, in one
    // rewrite of the text.
    void removeCommands(QList<CommandSpan> commands);

    // The start of the last occurrence a wizard search found in this document, or -1. The
    // search operations set it; DeleteFoundLine deletes its line.
    int lastOccurrence() const { return lastOccurrence_; }
    void setLastOccurrence(int position) { lastOccurrence_ = position; }

private:
    void changed() { index_.reset(); }

    QString content_;
    mutable std::unique_ptr<CommandIndex> index_;
    int selectionStart_ = 0;
    int selectionLength_ = 0;
    int lastOccurrence_ = -1;
};
