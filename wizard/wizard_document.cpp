// A wizard document: text, selection and whole-line edits.
#include "wizard/wizard_document.h"

#include <QStringView>
#include <algorithm>

CommandIndex::CommandIndex(QStringView text) {
    CommandScanner scanner(text);
    CommandSpan command;
    // One key buffer for every look-up: only a name not seen before is copied into the index.
    QString key;
    while (scanner.next(command)) {
        const CommandWord& name = command.words[0];
        key.resize(name.textLength());
        for (int i = 0; i < name.textLength(); ++i) {
            char16_t c = text[name.textStart() + i].unicode();
            key[i] = QChar(c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c);
        }
        auto it = byName_.find(key);
        if (it == byName_.end())
            it = byName_.insert(key, {});
        it->append(command);
    }
}

const QList<CommandSpan>& CommandIndex::named(QStringView name) const {
    static const QList<CommandSpan> none;
    QString key = name.toString();
    for (QChar& c : key)
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + 32);
    const auto it = byName_.constFind(key);
    return it == byName_.cend() ? none : *it;
}

const CommandIndex& WizardDocument::commands() const {
    if (!index_)
        index_ = std::make_unique<CommandIndex>(content_);
    return *index_;
}

namespace {

bool isLineBlank(QChar c) {
    return c.unicode() <= u' ' && c != u'\n';
}

// What of a command's line goes when the command is removed: the command, and the ";" that
// joins it to the next command (or else to the one before), with the blanks between.
std::pair<int, int> removalRange(const QString& text, const CommandSpan& command) {
    int from = command.start;
    int to = command.end;
    int after = to;
    while (after < command.lineEnd && isLineBlank(text[after]))
        ++after;
    if (after < command.lineEnd && text[after] == u';') {
        to = after + 1;
        while (to < command.lineEnd && isLineBlank(text[to]))
            ++to;
        return {from, to};
    }
    int before = from;
    while (before > command.lineStart && isLineBlank(text[before - 1]))
        --before;
    if (before > command.lineStart && text[before - 1] == u';')
        from = before - 1;
    return {from, to};
}

// Whether nothing but blanks, ";" and a comment stands on the line once a part of it is gone.
bool onlyBlanksOrComment(QStringView line) {
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (c == u'/' && i + 1 < line.size() && line[i + 1] == u'/')
            return true;
        if (!isLineBlank(c) && c != u';')
            return false;
    }
    return true;
}

} // namespace

void WizardDocument::replaceRange(int start, int length, const QString& text) {
    changed();
    content_.replace(start, length, text);
    selectionStart_ = start;
    selectionLength_ = int(text.size());
    lastOccurrence_ = -1;
}

void WizardDocument::removeCommand(const CommandSpan& command) {
    removeCommands({command});
}

void WizardDocument::removeCommands(QList<CommandSpan> commands) {
    // Taken by value: the list may be the index's own, which the change below lets go.
    if (commands.isEmpty())
        return;
    changed();
    const qsizetype size = content_.size();
    QString kept;
    kept.reserve(size);
    qsizetype copyFrom = 0;
    int firstChange = -1;
    for (qsizetype i = 0; i < commands.size();) {
        // The commands of one line are taken together, so the line is judged once.
        const int lineStart = commands[i].lineStart;
        const int lineEnd = commands[i].lineEnd;
        QString line;
        int lineCopy = lineStart;
        for (; i < commands.size() && commands[i].lineStart == lineStart; ++i) {
            const auto [from, to] = removalRange(content_, commands[i]);
            if (from < lineCopy)
                continue; // already removed with its neighbour's separator
            line.append(QStringView(content_).mid(lineCopy, from - lineCopy));
            lineCopy = to;
        }
        line.append(QStringView(content_).mid(lineCopy, lineEnd - lineCopy));
        kept.append(QStringView(content_).mid(copyFrom, lineStart - copyFrom));
        if (firstChange < 0)
            firstChange = int(kept.size());
        if (onlyBlanksOrComment(line)) {
            copyFrom = lineEnd < size ? lineEnd + 1 : lineEnd; // the line and its break
        } else {
            kept.append(line);
            copyFrom = lineEnd;
        }
    }
    kept.append(QStringView(content_).mid(copyFrom));
    content_ = kept;
    selectionStart_ = std::min(std::max(firstChange, 0), int(content_.size()));
    selectionLength_ = 0;
    lastOccurrence_ = -1;
}

void WizardDocument::select(int start, int length) {
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
