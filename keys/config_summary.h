// What "Итог конфига" shows of a run of the config set: a row per final value, and the start as
// a chain of files in the order the game runs them.
#pragma once

#include "language/config_run.h"

#include <QList>
#include <QString>

struct SummaryRow {
    QString kind;       // "Переменная", "Клавиша", "Алиас", "setinfo"
    QString name;
    QString value;      // "(снята)" for a key unbound at the end
    QString where;      // "autoexec.cfg:12", "движок"
    QString overrides;  // "перекрывает config.cfg:3, autoexec.cfg:9", or empty
    QString path;       // the file to open for it (empty for the engine or a stand-in)
    int line = -1;      // 0-based
};

QList<SummaryRow> summaryRows(const configrun::Result& run);
// Whether a row holds `filter` in its name, value or file (any letter case).
bool rowMatches(const SummaryRow& row, const QString& filter);

// The start as rich text: each file with the file that ran it and the count of final values it
// decides, a missing file marked, and the run's warnings.
QString chainText(const configrun::Result& run, const QString& documentPath);

// The one line that says where the order of the start comes from.
QString startOrderNote();
