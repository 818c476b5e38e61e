#include "widgets/qt_caret_label.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QPaintEvent>
#include <QPainter>
#include <QRawFont>
#include <algorithm>

CaretLabel::CaretLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    // Every pixel it repaints is its own, so nothing behind it is painted first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAutoFillBackground(false);
}

QSize CaretLabel::sizeHint() const {
    const QSize hint = QLabel::sizeHint();
    return QSize(std::max(hint.width(), 60), hint.height());
}

void CaretLabel::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        m_glyphsValid = false;
    QLabel::changeEvent(event);
}

bool CaretLabel::prepareGlyphs() {
    const QString shown = text();
    if (m_glyphsValid && shown == m_glyphsOf)
        return true;
    m_glyphsOf = shown;
    m_glyphsValid = false;
    const QRawFont raw = QRawFont::fromFont(font());
    if (!raw.isValid())
        return false;
    const QList<quint32> indexes = raw.glyphIndexesForString(shown);
    if (indexes.size() != shown.size() || indexes.contains(0u))
        return false; // a character the font does not have, or one of two code units
    const QList<QPointF> advances = raw.advancesForGlyphIndexes(indexes);
    QList<QPointF> positions;
    positions.reserve(advances.size());
    qreal x = 0;
    for (const QPointF& advance : advances) {
        positions.append(QPointF(x, 0));
        x += advance.x();
    }
    m_glyphs.setRawFont(raw);
    m_glyphs.setGlyphIndexes(indexes);
    m_glyphs.setPositions(positions);
    m_width = x;
    m_glyphsValid = true;
    return true;
}

void CaretLabel::paintEvent(QPaintEvent* event) {
    if (!prepareGlyphs()) {
        QPainter painter(this);
        painter.fillRect(rect(), palette().brush(backgroundRole()));
        painter.end();
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    const QRect inside = contentsRect();
    // A new text repaints the inside only; the frame is drawn when the label is shown or
    // resized.
    if (!inside.contains(event->rect())) {
        painter.fillRect(rect(), palette().brush(backgroundRole()));
        drawFrame(&painter);
    } else {
        painter.fillRect(event->rect(), palette().brush(backgroundRole()));
    }
    const QFontMetricsF metrics(font());
    // Centred as a label centres its text: the line's height in the middle, the glyphs on
    // its baseline.
    const qreal x = inside.left() + (inside.width() - m_width) / 2;
    const qreal y = inside.top() + (inside.height() - metrics.height()) / 2 + metrics.ascent();
    painter.setPen(palette().color(foregroundRole()));
    painter.drawGlyphRun(QPointF(qRound(x), qRound(y)), m_glyphs);
}
