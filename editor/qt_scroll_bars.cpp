#include "editor/qt_scroll_bars.h"

#include <QAbstractScrollArea>
#include <QScrollBar>
#include <QStyleOptionSlider>

namespace {

bool alwaysShown(QAbstractScrollArea* area, QScrollBar* bar, Qt::ScrollBarPolicy policy) {
    if (policy != Qt::ScrollBarAlwaysOn)
        return false;
    QStyleOptionSlider option;
    option.initFrom(bar);
    return !area->style()->styleHint(QStyle::SH_ScrollBar_Transient, &option, bar);
}

} // namespace

void keepScrollBarsInPlace(QAbstractScrollArea* area) {
    QScrollBar* h = area->horizontalScrollBar();
    QScrollBar* v = area->verticalScrollBar();
    if (!alwaysShown(area, h, area->horizontalScrollBarPolicy()) ||
        !alwaysShown(area, v, area->verticalScrollBarPolicy()))
        return;
    // The area's own reaction to a new range: a queued call of its layout.
    for (QScrollBar* bar : {h, v})
        QObject::disconnect(bar, SIGNAL(rangeChanged(int, int)), area,
                            SLOT(_q_showOrHideScrollBars()));
}
