// One of the wizard's two working documents: the text of a config held in memory with "\n"
// between lines, and a selection that the line search uses as its cursor. No widget sits behind
// it; the wizard window shows the working document's text in its preview.
#pragma once

#include "language/command_index.h"
#include "widgets/search_target.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <deque>
#include <memory>
#include <vector>

class WizardDocument final : public SearchTarget {
public:
    // SearchTarget. text() hands out a shared copy; the line operations below read content().
    QString text() const override { return content(); }
    int selectionStart() const override {
        settle();
        return selectionStart_;
    }
    int selectionLength() const override {
        settle();
        return selectionLength_;
    }
    void select(int start, int length) override;
    // Nothing to focus: the document has no control of its own.
    void focus() override {}

    const QString& content() const {
        settle();
        return content_;
    }
    bool isEmpty() const { return content().isEmpty(); }
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
    // The commands of a name (any letter case), in the positions of indexedText(). While edits
    // are gathered, those they touch or add are first written.
    const QList<CommandSpan>& commandsNamed(QStringView name) const;
    // The same commands handed one by one to `visit` (which returns false to stop), without a
    // list kept of them.
    template <typename Visit> void forEachCommandNamed(QStringView name, Visit&& visit) const;
    // The same for the commands whose first argument passes `test(QStringView)`; of the others
    // only that argument is read (`keepArguments`: as CommandIndex::forEachNamedWithArgument).
    template <typename Test, typename Visit>
    void forEachCommandWithArgument(QStringView name, Test&& test, Visit&& visit,
                                    bool keepArguments = false) const;
    bool hasCommandNamed(QStringView name) const;
    // The text that the commands' positions refer to; the same as content() unless edits are
    // being gathered, when it is the text before them. Positions handed to the edits below
    // are positions in it.
    const QString& indexedText() const { return content_; }

    // While edits are gathered (applying the settings), replaceRange and appendLine only note
    // theirs: the text is rewritten once, when gathering ends or when something reads the text
    // as it now is, so many small edits of a large config do not each copy the whole text and
    // read its commands anew. Every other operation writes the gathered edits first.
    void gatherEdits(bool on);
    // Where a position of indexedText() now stands in the text with the gathered edits.
    int livePosition(int indexed) const;
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
    struct Edit {
        int start;
        int length;
        QString text;
    };

    void changed() {
        settle();
        index_.reset();
    }
    bool pending() const { return !edits_.empty() || !appended_.isEmpty(); }
    // Writes the gathered edits into the text in one rewrite.
    void settle() const;
    // `position` of indexedText() in the text once the gathered edits are written; writes them.
    int settledPosition(int position);
    // Whether a gathered edit touches the characters from `start` to `end`, either end included.
    bool touchesEdit(int start, int end) const;
    void noteAddedNames(QStringView text) const;

    // The text, and while gathering the text before the gathered edits (written in settle(),
    // which reading may call: hence mutable).
    mutable QString content_;
    mutable std::unique_ptr<CommandIndex> index_;
    mutable int selectionStart_ = 0;
    mutable int selectionLength_ = 0;
    // The selection is the last gathered edit's replacement, in positions of the text before.
    mutable bool selectionBeforeEdits_ = false;
    int lastOccurrence_ = -1;
    bool gathering_ = false;
    mutable std::vector<Edit> edits_;  // in text order, none touching another
    mutable QString appended_;         // lines appended after the text
    mutable QSet<QString> addedNames_; // the names, in lower case, of commands the edits write
};

template <typename Visit>
void WizardDocument::forEachCommandNamed(QStringView name, Visit&& visit) const {
    if (pending()) {
        for (const CommandSpan& command : commandsNamed(name))
            if (!visit(command))
                return;
        return;
    }
    commands().forEachNamed(name, visit);
}

template <typename Test, typename Visit>
void WizardDocument::forEachCommandWithArgument(QStringView name, Test&& test, Visit&& visit,
                                                bool keepArguments) const {
    if (pending()) {
        for (const CommandSpan& command : commandsNamed(name))
            if (command.wordCount >= 2 && test(command.word(content_, 1)) && !visit(command))
                return;
        return;
    }
    commands().forEachNamedWithArgument(name, test, visit, keepArguments);
}
