// A wizard document: text, selection and whole-line edits.
#include "wizard/wizard_document.h"

#include "platform/memory_reuse.h"

#include <QStringView>
#include <algorithm>
#include <array>

const CommandIndex& WizardDocument::commands() const {
    if (!index_)
        index_ = std::make_unique<CommandIndex>(content_);
    return *index_;
}

using console::foldedName;

const QList<CommandSpan>& WizardDocument::commandsNamed(QStringView name) const {
    if (pending()) {
        if (addedNames_.contains(foldedName(name))) {
            settle();
        } else {
            const QList<CommandSpan>& found = commands().named(name);
            if (std::none_of(found.begin(), found.end(), [&](const CommandSpan& c) {
                    return touchesEdit(c.lineStart, c.lineEnd);
                }))
                return found;
            settle();
        }
    }
    return commands().named(name);
}

bool WizardDocument::hasCommandNamed(QStringView name) const {
    if (pending() && (addedNames_.contains(foldedName(name)) || commands().contains(name)))
        return !commandsNamed(name).isEmpty();
    return commands().contains(name);
}

void WizardDocument::gatherEdits(bool on) {
    if (!on)
        settle();
    gathering_ = on;
}

int WizardDocument::livePosition(int indexed) const {
    int live = indexed;
    for (const Edit& e : edits_) {
        if (e.start >= indexed)
            break;
        live += int(e.text.size()) - e.length;
    }
    return live;
}

bool WizardDocument::touchesEdit(int start, int end) const {
    // The last edit that begins at or before `end` is the one that may reach back to `start`.
    const auto after = std::upper_bound(edits_.begin(), edits_.end(), end,
                                        [](int p, const Edit& e) { return p < e.start; });
    if (after == edits_.begin())
        return false;
    const Edit& e = *(after - 1);
    return e.start + e.length >= start;
}

void WizardDocument::noteAddedNames(QStringView text) const {
    forEachCommandStart(
        text, [&](int, int, int, QStringView name) { addedNames_.insert(foldedName(name)); });
}

void WizardDocument::settle() const {
    if (!pending())
        return;
    if (selectionBeforeEdits_)
        selectionStart_ = livePosition(selectionStart_);
    selectionBeforeEdits_ = false;
    qsizetype size = content_.size() + appended_.size();
    for (const Edit& e : edits_)
        size += e.text.size() - e.length;
    QString text;
    text.reserve(size);
    preferLargePages(text.data(), size_t(size) * sizeof(QChar));
    qsizetype from = 0;
    for (const Edit& e : edits_) {
        text.append(QStringView(content_).mid(from, e.start - from));
        text.append(e.text);
        from = e.start + e.length;
    }
    text.append(QStringView(content_).mid(from));
    text.append(appended_);
    content_ = std::move(text);
    edits_.clear();
    appended_.clear();
    addedNames_.clear();
    index_.reset();
}

int WizardDocument::settledPosition(int position) {
    const int live = livePosition(position);
    settle();
    return live;
}

namespace {

bool isLineBlank(QChar c) {
    return c.unicode() <= u' ' && c != u'\n';
}

// What of a command's line goes when the command is removed: the command with the ";" that ends
// it and the blanks after that; a last command of its line takes the ";" before it instead,
// unless `takenUpTo` (where the removal of the command before it ends) has taken that already.
std::pair<int, int> removalRange(const QString& text, const CommandSpan& command, int takenUpTo) {
    const int from = command.start;
    if (command.stop < command.lineEnd) { // a ";", or the character lost at a cut
        int to = command.stop + 1;
        while (to < command.lineEnd && isLineBlank(text[to]))
            ++to;
        return {from, to};
    }
    int before = from;
    while (before > command.lineStart && isLineBlank(text[before - 1]))
        --before;
    if (before > std::max(command.lineStart, takenUpTo) && text[before - 1] == u';')
        return {before - 1, command.stop};
    return {from, command.stop};
}

} // namespace

void WizardDocument::replaceRange(int start, int length, const QString& text) {
    if (gathering_ && !text.contains(u'\n') &&
        !QStringView(content_).mid(start, length).contains(u'\n') &&
        !touchesEdit(start, start + length)) {
        const auto at = std::lower_bound(edits_.begin(), edits_.end(), start,
                                         [](const Edit& e, int p) { return e.start < p; });
        edits_.insert(at, Edit{start, length, text});
        noteAddedNames(text);
        selectionStart_ = start;
        selectionLength_ = int(text.size());
        selectionBeforeEdits_ = true;
        lastOccurrence_ = -1;
        return;
    }
    start = settledPosition(start);
    changed();
    content_.replace(start, length, text);
    selectionStart_ = start;
    selectionLength_ = int(text.size());
    lastOccurrence_ = -1;
}

void WizardDocument::removeCommand(const CommandSpan& command) {
    removeCommands({command});
}

namespace {

// What removing commands does to one line: the rest of the line, or the whole line gone.
struct LineRemoval {
    int lineStart;
    int lineEnd;
    QString rest;
    bool whole;
};

// The commands (in document order) line by line: each line is judged once.
QList<LineRemoval> lineRemovals(const QString& text, const QList<CommandSpan>& commands) {
    QList<LineRemoval> removals;
    for (qsizetype i = 0; i < commands.size();) {
        const int lineStart = commands[i].lineStart;
        const int lineEnd = commands[i].lineEnd;
        QString line;
        int lineCopy = lineStart;
        for (; i < commands.size() && commands[i].lineStart == lineStart; ++i) {
            const auto [from, to] = removalRange(text, commands[i], lineCopy);
            line.append(QStringView(text).mid(lineCopy, from - lineCopy));
            lineCopy = to;
        }
        if (lineCopy == lineEnd) {
            // The commands to the line's end are gone: so is the ";" that joined them to the
            // one kept before them.
            qsizetype end = line.size();
            while (end > 0 && isLineBlank(line[end - 1]))
                --end;
            if (end > 0 && line[end - 1] == u';') {
                --end;
                while (end > 0 && isLineBlank(line[end - 1]))
                    --end;
                line.truncate(end);
            }
        }
        line.append(QStringView(text).mid(lineCopy, lineEnd - lineCopy));
        const bool whole = holdsNoCommand(line);
        removals.append({lineStart, lineEnd, whole ? QString() : line, whole});
    }
    return removals;
}

} // namespace

void WizardDocument::removeCommands(QList<CommandSpan> commands) {
    // Taken by value: the list may be the index's own, which the change below lets go.
    if (commands.isEmpty())
        return;
    const qsizetype size = content_.size();
    // Gathered as edits of whole lines, unless a line holds a gathered edit already or is the
    // last (whose removal would change how the text ends).
    if (gathering_ && std::none_of(commands.begin(), commands.end(), [&](const CommandSpan& c) {
            return c.lineEnd >= size || touchesEdit(c.lineStart, c.lineEnd + 1);
        })) {
        for (const LineRemoval& r : lineRemovals(content_, commands)) {
            const auto at = std::lower_bound(edits_.begin(), edits_.end(), r.lineStart,
                                             [](const Edit& e, int p) { return e.start < p; });
            edits_.insert(at,
                          Edit{r.lineStart, r.lineEnd - r.lineStart + (r.whole ? 1 : 0), r.rest});
        }
        selectionStart_ = commands.front().lineStart;
        selectionLength_ = 0;
        selectionBeforeEdits_ = true;
        lastOccurrence_ = -1;
        return;
    }
    if (pending()) {
        // Read again where the gathered edits have put them.
        QList<std::array<int, 3>> starts;
        for (const CommandSpan& c : commands)
            starts.append({livePosition(c.lineStart), livePosition(c.lineEnd + 1) - 1,
                           livePosition(c.start)});
        settle();
        for (qsizetype i = 0; i < commands.size(); ++i) {
            CommandScanner scanner(content_, starts[i][0], starts[i][1], starts[i][2]);
            scanner.next(commands[i]);
        }
    }
    changed();
    const qsizetype textSize = content_.size();
    QString kept;
    kept.reserve(textSize);
    qsizetype copyFrom = 0;
    int firstChange = -1;
    for (const LineRemoval& r : lineRemovals(content_, commands)) {
        kept.append(QStringView(content_).mid(copyFrom, r.lineStart - copyFrom));
        if (firstChange < 0)
            firstChange = int(kept.size());
        if (r.whole) {
            copyFrom = r.lineEnd < textSize ? r.lineEnd + 1 : r.lineEnd; // the line and its break
        } else {
            kept.append(r.rest);
            copyFrom = r.lineEnd;
        }
    }
    kept.append(QStringView(content_).mid(copyFrom));
    content_ = kept;
    selectionStart_ = std::min(std::max(firstChange, 0), int(content_.size()));
    selectionLength_ = 0;
    lastOccurrence_ = -1;
}

void WizardDocument::select(int start, int length) {
    start = settledPosition(start);
    const int size = int(content_.size());
    selectionStart_ = std::clamp(start, 0, size);
    selectionLength_ = std::clamp(length, 0, size - selectionStart_);
}

void WizardDocument::setText(const QString& text) {
    changed();
    content_ = text;
    selectionStart_ = 0;
    selectionLength_ = 0;
    lastOccurrence_ = -1;
}

void WizardDocument::appendLine(const QString& line) {
    if (gathering_ && !line.contains(u'\n')) {
        // The edits gathered so far never reach the end of the text: it ends as it did.
        const bool empty = content_.isEmpty() && appended_.isEmpty();
        const bool endsWithBreak =
            appended_.isEmpty() ? content_.endsWith(u'\n') : appended_.endsWith(u'\n');
        if (empty)
            appended_ = line;
        else if (endsWithBreak)
            appended_ += line + u'\n';
        else
            appended_ += u'\n' + line;
        noteAddedNames(line);
        return;
    }
    changed();
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
    changed();
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
    settle();
    if (content_.isEmpty())
        return 0;
    const int breaks = int(content_.count(u'\n'));
    return content_.endsWith(u'\n') ? breaks : breaks + 1;
}

QString WizardDocument::line(int index) const {
    settle();
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
    settle();
    if (position <= 0)
        return 0;
    const qsizetype previous = content_.lastIndexOf(u'\n', position - 1);
    return previous < 0 ? 0 : int(previous) + 1;
}

int WizardDocument::lineEndOf(int position) const {
    settle();
    const qsizetype next = content_.indexOf(u'\n', std::max(position, 0));
    return next < 0 ? int(content_.size()) : int(next);
}

int WizardDocument::lineIndexOf(int position) const {
    settle();
    const int end = std::clamp(position, 0, int(content_.size()));
    return int(QStringView(content_).left(end).count(u'\n'));
}

void WizardDocument::replaceLineAt(int position, const QString& line) {
    changed();
    const int start = lineStartOf(position);
    const int end = lineEndOf(start);
    content_.replace(start, end - start, line);
    selectionStart_ = start;
    selectionLength_ = int(line.size());
}

void WizardDocument::deleteLineAt(int position) {
    changed();
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
    changed();
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
