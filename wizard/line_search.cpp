// The wizard's line search and line editing.
#include "wizard/line_search.h"

#include "app/shared_state.h"
#include "shell/find_primitive.h"
#include "wizard/wizard_working_set.h"

#include <QHash>
#include <QSet>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace {

bool isNameCharacter(QChar c) {
    return c.isLetterOrNumber() || c == u'_';
}

// An occurrence begins a command at the start of a line or after a separator the console knows.
bool beginsCommand(const QString& text, qsizetype position) {
    if (position == 0)
        return true;
    const QChar before = text[position - 1];
    return before == u'\n' || before == u' ' || before == u'\t' || before == u'"' || before == u';';
}

// Tells whether a position stands in a comment: after "//" outside double quotes on its line.
// The console ignores the rest of such a line, so a setting written there is no setting. The
// positions asked about only grow, and each character is looked at once per search.
class CommentTracker {
public:
    explicit CommentTracker(const QString& text) : text_(text) {}

    bool inComment(qsizetype position) {
        if (scanned_ < 0 || position < scanned_) {
            restartAtLineOf(position);
        } else {
            const qsizetype lineBreak =
                QStringView(text_).mid(scanned_, position - scanned_).lastIndexOf(u'\n');
            if (lineBreak >= 0)
                restartAt(scanned_ + lineBreak + 1);
        }
        for (; scanned_ < position && !comment_; ++scanned_) {
            const QChar c = text_[scanned_];
            if (c == u'"')
                quoted_ = !quoted_;
            else if (!quoted_ && c == u'/' && scanned_ + 1 < text_.size() &&
                     text_[scanned_ + 1] == u'/' && scanned_ + 1 < position)
                comment_ = true;
        }
        if (comment_)
            scanned_ = position;
        return comment_;
    }

private:
    void restartAt(qsizetype lineStart) {
        scanned_ = lineStart;
        quoted_ = false;
        comment_ = false;
    }
    void restartAtLineOf(qsizetype position) {
        const qsizetype lineBreak = position > 0 ? text_.lastIndexOf(u'\n', position - 1) : -1;
        restartAt(lineBreak + 1);
    }

    const QString& text_;
    qsizetype scanned_ = -1;
    bool quoted_ = false;
    bool comment_ = false;
};

int locate(const QString& text, const QString& prefix, MatchRule rule, qsizetype from) {
    if (prefix.isEmpty())
        return -1;
    // A prefix that begins with a quote or a blank carries its own boundary.
    const bool commandStart = rule == MatchRule::CommandStart && isNameCharacter(prefix[0]);
    CommentTracker comments(text);
    for (;;) {
        const qsizetype found = text.indexOf(prefix, from, Qt::CaseSensitive);
        if (found < 0)
            return -1;
        if (!commandStart || (beginsCommand(text, found) && !comments.inComment(found)))
            return int(found);
        from = found + 1;
    }
}

// One search through the shared find state, from `from` on; the match is selected and becomes
// the document's last occurrence.
int search(WizardWorkingSet& ws, WizardDocument& document, const QString& prefix, MatchRule rule,
           int from = 0) {
    ws.shared.findText = prefix;
    if (from == 0)
        document.select(0, 0);
    const int found = locate(document.content(), prefix, rule, from);
    ws.shared.lastFoundPos = found;
    if (found >= 0) {
        document.focus();
        document.select(found, int(prefix.size()));
        document.setLastOccurrence(found);
    }
    return found;
}

// FindSettingValue's reading from an occurrence at `found` on.
SettingValue valueAt(WizardWorkingSet& ws, const QString& prefix, int found) {
    ws.foundPosition = found;
    if (isBareKeyword(prefix))
        return {true, prefix};
    const QString& text = ws.mem1.content();
    const qsizetype valueStart = found + prefix.size();
    // The first character after the prefix is never taken for the closing quote: it is the
    // value's first character, or the quote of an empty value.
    const qsizetype closing =
        valueStart + 1 < text.size() ? text.indexOf(u'"', valueStart + 1) : -1;
    if (closing < 0)
        return {};
    ws.mem1.select(int(valueStart), int(closing - valueStart));
    if (text[valueStart] == u'"')
        return {true, QString()};
    return {true, text.mid(valueStart, closing - valueStart)};
}

} // namespace

QString asciiLower(const QString& text) {
    QString out = text;
    for (QChar& c : out)
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + 32);
    return out;
}

QString asciiUpper(const QString& text) {
    QString out = text;
    for (QChar& c : out)
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - 32);
    return out;
}

int FindDialog1Find2(WizardWorkingSet& ws, WizardDocument& document) {
    ws.shared.lastFoundPos = findNext(document, ws.shared.findText);
    if (ws.shared.lastFoundPos >= 0)
        document.setLastOccurrence(ws.shared.lastFoundPos);
    return ws.shared.lastFoundPos;
}

bool isBareKeyword(const QString& prefix) {
    return prefix == u"drawradar"_s || prefix == u"hideradar"_s ||
           prefix == u"adjust_crosshair"_s || prefix == u"unbindall"_s;
}

SettingValue FindSettingValue(WizardWorkingSet& ws, const QString& prefix, MatchRule rule) {
    const int found = search(ws, ws.mem1, prefix, rule);
    if (found < 0)
        return {};
    return valueAt(ws, prefix, found);
}

QString FindInMem2(WizardWorkingSet& ws, const QString& text) {
    return search(ws, ws.mem2, text, MatchRule::Anywhere) >= 0 ? u"1"_s : QString();
}

QString FindKeyFor(WizardWorkingSet& ws, const QString& commandText) {
    const QString& text = ws.mem1.content();
    int from = 0;
    for (;;) {
        const int found = search(ws, ws.mem1, commandText, MatchRule::Anywhere, from);
        if (found < 0)
            return QString();
        // The match begins with the quote that closes the key name; the name runs back to the
        // quote before it.
        const qsizetype opening = found > 0 ? text.lastIndexOf(u'"', found - 1) : -1;
        if (opening >= 0 && found - opening > 1)
            return text.mid(opening + 1, found - opening - 1);
        from = found + int(commandText.size());
    }
}

QStringList findKeysFor(WizardWorkingSet& ws, const QStringList& commandTexts) {
    // Every match of a command text `" "<command>"` begins with `" "`, so one walk over those
    // places, looking the command after each up, finds what one search per command would.
    static const QString separator = u"\" \""_s;
    const qsizetype count = commandTexts.size();
    QStringList keys(count);
    // Command text -> its first index; only texts of that one shape (no quote inside the command).
    QHash<QStringView, qsizetype> wanted;
    for (qsizetype i = count - 1; i >= 0; --i) {
        const QStringView command(commandTexts[i]);
        if (command.size() > separator.size() + 1 && command.startsWith(separator) &&
            command.endsWith(u'"') &&
            !command.mid(separator.size(), command.size() - separator.size() - 1).contains(u'"'))
            wanted.insert(command, i);
    }
    // Per command: where its last match began, and where a search after a match with an empty
    // key name goes on.
    std::vector<int> lastMatch(size_t(count), -1);
    std::vector<qsizetype> resumeAt(size_t(count), 0);
    const QString& text = ws.mem1.content();
    qsizetype remaining = wanted.size();
    qsizetype from = 0;
    while (remaining > 0) {
        const qsizetype at = text.indexOf(separator, from);
        if (at < 0)
            break;
        from = at + 1;
        const qsizetype closing = text.indexOf(u'"', at + separator.size());
        if (closing < 0)
            break;
        const auto it = wanted.constFind(QStringView(text).mid(at, closing + 1 - at));
        if (it == wanted.cend())
            continue;
        const size_t index = size_t(it.value());
        if (!keys[it.value()].isEmpty() || at < resumeAt[index])
            continue;
        lastMatch[index] = int(at);
        const qsizetype opening = at > 0 ? text.lastIndexOf(u'"', at - 1) : -1;
        if (opening >= 0 && at - opening > 1) {
            keys[it.value()] = text.mid(opening + 1, at - opening - 1);
            --remaining;
        } else {
            resumeAt[index] = closing + 1;
        }
    }
    // Other texts are searched one by one; a text given twice gets the same key.
    for (qsizetype i = 0; i < count; ++i) {
        const auto it = wanted.constFind(QStringView(commandTexts[i]));
        if (it == wanted.cend())
            keys[i] = FindKeyFor(ws, commandTexts[i]);
        else if (it.value() != i)
            keys[i] = keys[it.value()];
    }
    // The find state as the last search leaves it.
    if (count > 0 && wanted.contains(QStringView(commandTexts.last()))) {
        const QString& last = commandTexts.last();
        const size_t index = size_t(wanted.value(QStringView(last)));
        ws.shared.findText = last;
        ws.shared.lastFoundPos = keys.last().isEmpty() ? -1 : lastMatch[index];
        if (ws.shared.lastFoundPos >= 0) {
            ws.mem1.select(ws.shared.lastFoundPos, int(last.size()));
            ws.mem1.setLastOccurrence(ws.shared.lastFoundPos);
        }
    }
    return keys;
}

void CollectBoundKeys(WizardWorkingSet& ws) {
    static const QString bindPrefix = u"bind \""_s;
    const QString& text = ws.mem1.content();
    QSet<QString> free(ws.freeKeys.begin(), ws.freeKeys.end());
    int from = 0;
    for (;;) {
        const int found = search(ws, ws.mem1, bindPrefix, MatchRule::Anywhere, from);
        if (found < 0)
            return;
        const qsizetype keyStart = found + bindPrefix.size();
        if (keyStart >= text.size())
            return;
        // The key's first character always belongs to it, even a quote or a blank.
        qsizetype keyEnd = keyStart + 1;
        while (keyEnd < text.size() && text[keyEnd] != u'"' && text[keyEnd] != u' ')
            ++keyEnd;
        const QString key = text.mid(keyStart, keyEnd - keyStart);
        const QString lower = asciiLower(key);
        const QString upper = asciiUpper(key);
        // Most bindings are of keys already moved or unknown: the set answers those at once,
        // and the list is walked only for a key that leaves it.
        if (!free.contains(key) && !free.contains(lower) && !free.contains(upper)) {
            ws.mem1.select(int(keyStart), int(keyEnd - keyStart));
            from = int(keyEnd);
            continue;
        }
        for (qsizetype i = 0; i < ws.freeKeys.size(); ++i) {
            const QString& item = ws.freeKeys[i];
            if (item == key || item == lower || item == upper) {
                free.remove(item);
                ws.freeKeys.removeAt(i);
                ws.usedKeys.append(key);
                break;
            }
        }
        ws.mem1.select(int(keyStart), int(keyEnd - keyStart));
        from = int(keyEnd);
    }
}

void DeleteFoundLine(WizardDocument& document) {
    if (document.lastOccurrence() >= 0)
        document.deleteLineAt(document.lastOccurrence());
}

void Savy(WizardWorkingSet& ws, const QString& prefix, const QString& value, bool noAdd) {
    const QString plainLine = prefix + value + u'"';
    const int found = search(ws, ws.mem1, prefix, MatchRule::CommandStart);
    if (found < 0) {
        if (!noAdd)
            ws.mem1.appendLine(ws.exactLineMode ? value : plainLine);
        ws.lineWritten = false;
        return;
    }
    ws.foundPosition = found;
    const int start = ws.mem1.lineStartOf(found);
    const int length = ws.mem1.lineEndOf(found) - start;
    ws.mem1.select(start, length);
    if (!ws.exactLineMode) {
        ws.mem1.replaceLineAt(found, plainLine);
        ws.lineWritten = true;
    } else if (length >= ws.exactLineMin && length <= ws.exactLineMax) {
        ws.mem1.replaceLineAt(found, value);
        ws.lineWritten = true;
    } else if (noAdd) {
        ws.lineWritten = false;
    } else {
        ws.mem1.appendLine(value);
        ws.lineWritten = true;
    }
}

bool deleteSettingLine(WizardWorkingSet& ws, const QString& prefix, MatchRule rule) {
    if (!FindSettingValue(ws, prefix, rule).found)
        return false;
    DeleteFoundLine(ws.mem1);
    return true;
}

bool deleteMem2Line(WizardWorkingSet& ws, const QString& text) {
    if (FindInMem2(ws, text).isEmpty())
        return false;
    DeleteFoundLine(ws.mem2);
    return true;
}

int deleteEveryLineWith(WizardWorkingSet& ws, const QString& prefix, bool inMem2) {
    WizardDocument& document = inMem2 ? ws.mem2 : ws.mem1;
    // The lines are gathered in one walk down the document and cut out together, so many lines
    // cost one rewrite of the text, not one each.
    QList<int> lineStarts;
    int from = 0;
    for (;;) {
        const int found = search(ws, document, prefix, MatchRule::Anywhere, from);
        if (found < 0)
            break;
        if (!inMem2 && !valueAt(ws, prefix, found).found)
            break;
        const int lineStart = document.lineStartOf(found);
        if (lineStarts.isEmpty() || lineStarts.last() != lineStart)
            lineStarts.append(lineStart);
        from = found + 1;
    }
    document.deleteLinesStartingAt(lineStarts);
    return int(lineStarts.size());
}

int WizardWorkingSet::foundLine() const {
    return foundPosition < 0 ? -1 : mem1.lineIndexOf(foundPosition);
}

int WizardWorkingSet::foundColumn() const {
    return foundPosition < 0 ? -1 : foundPosition - mem1.lineStartOf(foundPosition);
}

QString WizardWorkingSet::foundLineText() const {
    if (foundPosition < 0 || foundPosition > mem1.content().size())
        return QString();
    const int start = mem1.lineStartOf(foundPosition);
    return mem1.content().mid(start, mem1.lineEndOf(start) - start);
}
