// The key pages' action button.
#include "wizard/qt_key_button.h"

#include <QStyleOptionButton>
#include <QStylePainter>

void KeyButton::setKey(const QString& key) {
    setText(key);
    setToolTip(key);
}

void KeyButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QRect room = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    option.text = fontMetrics().elidedText(text(), Qt::ElideRight, room.width() - 2);
    painter.drawControl(QStyle::CE_PushButton, option);
}
