// Rows and chain of "Итог конфига".
#include "keys/config_summary.h"

#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;
using configrun::Kind;

namespace {

QString kindCaption(Kind kind) {
    switch (kind) {
    case Kind::Variable:
        return u"Переменная"_s;
    case Kind::Key:
        return u"Клавиша"_s;
    case Kind::Alias:
        return u"Алиас"_s;
    case Kind::UserInfo:
        return u"setinfo"_s;
    }
    return {};
}

QString escaped(const QString& text) {
    return text.toHtmlEscaped();
}

QString valuesWord(int n) {
    const int tens = n % 100, ones = n % 10;
    if (tens >= 11 && tens <= 14)
        return u"значений"_s;
    return ones == 1 ? u"значение"_s : (ones >= 2 && ones <= 4 ? u"значения"_s : u"значений"_s);
}

} // namespace

QList<SummaryRow> summaryRows(const configrun::Result& run) {
    QList<SummaryRow> rows;
    rows.reserve(run.finals.size());
    for (const configrun::Final& f : run.finals) {
        SummaryRow row;
        row.kind = kindCaption(f.kind);
        row.name = f.name;
        row.value = f.cleared ? u"(снята)"_s : f.value;
        row.where = run.placeText(f.place);
        QStringList places;
        for (const configrun::Place& p : f.overridden)
            places.append(run.placeText(p));
        if (!places.isEmpty())
            row.overrides = u"перекрывает "_s + places.join(u", "_s);
        if (f.place.file >= 0) {
            row.path = run.chain.at(f.place.file).path;
            row.line = f.place.line;
        }
        rows.append(row);
    }
    return rows;
}

bool rowMatches(const SummaryRow& row, const QString& filter) {
    return filter.isEmpty() || row.name.contains(filter, Qt::CaseInsensitive) ||
           row.value.contains(filter, Qt::CaseInsensitive) ||
           row.where.contains(filter, Qt::CaseInsensitive);
}

QString chainText(const configrun::Result& run, const QString& documentPath) {
    const QString document = QFileInfo(documentPath).canonicalFilePath();
    QStringList items;
    for (qsizetype i = 0; i < run.chain.size(); ++i) {
        const configrun::ChainFile& f = run.chain.at(i);
        QString item = u"<b>%1</b>"_s.arg(escaped(f.shown));
        if (!document.isEmpty() && QFileInfo(f.path).canonicalFilePath() == document)
            item += u" (открыт)"_s;
        if (f.missing)
            item = u"<span style=\"color:#909090\"><s>%1</s> — нет файла</span>"_s.arg(
                escaped(f.shown));
        else if (f.standard)
            item += u" — стандартный, в папке игры его нет"_s;
        else
            item += u" — %1 %2"_s.arg(f.decides).arg(valuesWord(f.decides));
        if (f.parent >= 0)
            item += u" <small>(exec из %1:%2)</small>"_s.arg(escaped(run.chain.at(f.parent).shown))
                        .arg(f.execLine + 1);
        items.append(item);
    }
    QString text = u"Порядок запуска: "_s + items.join(u" → "_s);
    for (const configrun::Note& n : run.notes)
        text += u"<br><span style=\"color:#b00000\">%1: %2</span>"_s.arg(
            escaped(run.placeText(n.place)), escaped(n.text));
    return text;
}

QString startOrderNote() {
    return u"Порядок взят из кода движка: valve.rc (с autoexec.cfg) выполняется до config.cfg, "
           u"а userconfig.cfg — в конце config.cfg. В движке CS 1.5 (1.1.0.7) те же шаги, но "
           u"порядок двух вызовов при запуске по его файлам не установлен: принят порядок "
           u"Steam-версии."_s;
}
