// The difference between two texts line by line (the shortest edit, as diff finds it), for the
// versions window and `tessera --diff`: which lines were removed, which added, and the unified
// form with a few lines of context around each change.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

struct DiffLine {
    enum class Kind { Same, Removed, Added };
    Kind kind = Kind::Same;
    int oldLine = -1; // 0-based line of the first text, -1 for an added line
    int newLine = -1; // 0-based line of the second text, -1 for a removed line
    QString text;
};

// A text's lines: "\n" separates them, and a final "\n" ends the last one.
QStringList textLines(const QString& text);

// Every line of both texts in order, each the same, removed or added. A difference too large to
// find the shortest edit of in good time is given as the changed stretch removed, then added.
QList<DiffLine> diffLines(const QStringList& before, const QStringList& after);

struct DiffCounts {
    int added = 0;
    int removed = 0;
};
DiffCounts countChanges(const QList<DiffLine>& diff);

// The unified form ("--- before", "+++ after", "@@ -1,3 +1,4 @@" and the lines), with `context`
// lines around each change; empty when the texts are the same.
QString unifiedDiff(const QList<DiffLine>& diff, const QString& beforeName,
                    const QString& afterName, int context = 3);
