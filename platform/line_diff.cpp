// The line difference: common ends trimmed, then the greedy shortest-edit search over the rest.
#include "platform/line_diff.h"

#include <algorithm>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace {

// Beyond this many changed lines the search (time and memory growing with its square) stops.
constexpr int kMaxEdits = 2000;

void same(QList<DiffLine>& out, const QStringList& a, int i, int j) {
    out.append({DiffLine::Kind::Same, i, j, a[i]});
}

// The shortest edit of a[from..aEnd) into b[from2..bEnd), appended to `out`; false when it
// takes more than kMaxEdits.
bool shortestEdit(const QStringList& a, int a0, int n, const QStringList& b, int b0, int m,
                  QList<DiffLine>& out) {
    const int max = std::min(n + m, kMaxEdits);
    const int offset = max + 1;
    std::vector<int> v(size_t(2 * max + 3), 0);
    std::vector<std::vector<int>> trace;
    int found = -1;
    for (int d = 0; d <= max && found < 0; ++d) {
        trace.push_back(v);
        for (int k = -d; k <= d; k += 2) {
            int x = (k == -d || (k != d && v[size_t(offset + k - 1)] < v[size_t(offset + k + 1)]))
                        ? v[size_t(offset + k + 1)]
                        : v[size_t(offset + k - 1)] + 1;
            int y = x - k;
            while (x < n && y < m && a[a0 + x] == b[b0 + y]) {
                ++x;
                ++y;
            }
            v[size_t(offset + k)] = x;
            if (x >= n && y >= m) {
                found = d;
                break;
            }
        }
    }
    if (found < 0)
        return false;
    // Walked back from the end, then turned round.
    QList<DiffLine> steps;
    int x = n;
    int y = m;
    for (int d = found; d > 0; --d) {
        const std::vector<int>& pv = trace[size_t(d)];
        const int k = x - y;
        const bool down =
            k == -d || (k != d && pv[size_t(offset + k - 1)] < pv[size_t(offset + k + 1)]);
        const int prevK = down ? k + 1 : k - 1;
        const int prevX = pv[size_t(offset + prevK)];
        const int prevY = prevX - prevK;
        while (x > prevX && y > prevY) {
            --x;
            --y;
            steps.append({DiffLine::Kind::Same, a0 + x, b0 + y, a[a0 + x]});
        }
        if (down)
            steps.append({DiffLine::Kind::Added, -1, b0 + prevY, b[b0 + prevY]});
        else
            steps.append({DiffLine::Kind::Removed, a0 + prevX, -1, a[a0 + prevX]});
        x = prevX;
        y = prevY;
    }
    while (x > 0 && y > 0) {
        --x;
        --y;
        steps.append({DiffLine::Kind::Same, a0 + x, b0 + y, a[a0 + x]});
    }
    std::reverse(steps.begin(), steps.end());
    out += steps;
    return true;
}

} // namespace

QStringList textLines(const QString& text) {
    if (text.isEmpty())
        return {};
    QStringList lines = text.split(u'\n');
    if (text.endsWith(u'\n'))
        lines.removeLast();
    return lines;
}

QList<DiffLine> diffLines(const QStringList& before, const QStringList& after) {
    QList<DiffLine> out;
    const int n = int(before.size());
    const int m = int(after.size());
    int head = 0;
    while (head < n && head < m && before[head] == after[head])
        ++head;
    int tail = 0;
    while (tail < n - head && tail < m - head && before[n - 1 - tail] == after[m - 1 - tail])
        ++tail;
    for (int i = 0; i < head; ++i)
        same(out, before, i, i);
    const int midA = n - head - tail;
    const int midB = m - head - tail;
    if (!shortestEdit(before, head, midA, after, head, midB, out)) {
        for (int i = 0; i < midA; ++i)
            out.append({DiffLine::Kind::Removed, head + i, -1, before[head + i]});
        for (int j = 0; j < midB; ++j)
            out.append({DiffLine::Kind::Added, -1, head + j, after[head + j]});
    }
    for (int t = tail; t > 0; --t)
        out.append({DiffLine::Kind::Same, n - t, m - t, before[n - t]});
    return out;
}

DiffCounts countChanges(const QList<DiffLine>& diff) {
    DiffCounts c;
    for (const DiffLine& l : diff) {
        if (l.kind == DiffLine::Kind::Added)
            ++c.added;
        else if (l.kind == DiffLine::Kind::Removed)
            ++c.removed;
    }
    return c;
}

QString unifiedDiff(const QList<DiffLine>& diff, const QString& beforeName,
                    const QString& afterName, int context) {
    const qsizetype size = diff.size();
    QString out;
    qsizetype i = 0;
    while (i < size) {
        while (i < size && diff[i].kind == DiffLine::Kind::Same)
            ++i;
        if (i == size)
            break;
        // A hunk: from `context` lines before this change to `context` after the last change
        // that is no more than 2 * context same lines away.
        const qsizetype start = std::max<qsizetype>(0, i - context);
        qsizetype end = i;
        qsizetype sameRun = 0;
        for (qsizetype j = i; j < size; ++j) {
            if (diff[j].kind == DiffLine::Kind::Same) {
                if (++sameRun > 2 * context)
                    break;
            } else {
                sameRun = 0;
                end = j + 1;
            }
        }
        end = std::min(size, end + context);
        int oldStart = -1, newStart = -1, oldCount = 0, newCount = 0;
        for (qsizetype j = start; j < end; ++j) {
            const DiffLine& l = diff[j];
            if (l.kind != DiffLine::Kind::Added) {
                if (oldStart < 0)
                    oldStart = l.oldLine;
                ++oldCount;
            }
            if (l.kind != DiffLine::Kind::Removed) {
                if (newStart < 0)
                    newStart = l.newLine;
                ++newCount;
            }
        }
        // An empty side names the line before it, as diff does.
        auto range = [&](int first, int count, qsizetype from, bool old) {
            if (count == 0) {
                int before = 0;
                for (qsizetype j = from; j >= 0; --j) {
                    const int line = old ? diff[j].oldLine : diff[j].newLine;
                    if (line >= 0) {
                        before = line + 1;
                        break;
                    }
                }
                return u"%1,0"_s.arg(before);
            }
            return count == 1 ? QString::number(first + 1) : u"%1,%2"_s.arg(first + 1).arg(count);
        };
        if (out.isEmpty())
            out += u"--- "_s + beforeName + u"\n+++ "_s + afterName + u'\n';
        out += u"@@ -"_s + range(oldStart, oldCount, start - 1, true) + u" +"_s +
               range(newStart, newCount, start - 1, false) + u" @@\n"_s;
        for (qsizetype j = start; j < end; ++j) {
            const DiffLine& l = diff[j];
            out += (l.kind == DiffLine::Kind::Same      ? u' '
                    : l.kind == DiffLine::Kind::Removed ? u'-'
                                                        : u'+') +
                   l.text + u'\n';
        }
        i = end;
    }
    return out;
}
