#include "editor/qt_caret_label.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {

// The index of `c` among the characters the panel keeps drawn, or -1.
int characterIndex(QChar c) {
    if (c >= u'0' && c <= u'9')
        return c.unicode() - u'0';
    return c == u' ' ? 10 : c == u':' ? 11 : -1;
}

} // namespace

CaretLabel::CaretLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    // Every pixel it repaints is its own, so nothing behind it is painted first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QSize CaretLabel::sizeHint() const {
    const QSize hint = QLabel::sizeHint();
    return QSize(std::max(hint.width(), 60), hint.height());
}

void CaretLabel::changeEvent(QEvent* event) {
    switch (event->type()) {
    case QEvent::FontChange:
    case QEvent::PaletteChange:
    case QEvent::StyleChange:
    case QEvent::EnabledChange:
        m_characters = {};
        break;
    default:
        break;
    }
    QLabel::changeEvent(event);
}

const QPixmap* CaretLabel::character(QChar c) {
    const int index = characterIndex(c);
    if (index < 0)
        return nullptr;
    const qreal ratio = devicePixelRatioF();
    if (ratio != m_pixelRatio) {
        m_characters = {};
        m_pixelRatio = ratio;
    }
    QPixmap& drawn = m_characters[size_t(index)];
    if (drawn.isNull()) {
        const QFontMetricsF metrics(font());
        const QString text(c);
        m_advances[size_t(index)] = metrics.horizontalAdvance(text);
        // Whole device pixels wide, so neighbours leave no gap between them.
        const int width = int(std::ceil(m_advances[size_t(index)] * ratio));
        const int height = int(std::ceil(metrics.height() * ratio));
        drawn = QPixmap(std::max(width, 1), std::max(height, 1));
        drawn.setDevicePixelRatio(ratio);
        drawn.fill(palette().color(backgroundRole()));
        QPainter painter(&drawn);
        painter.setFont(font());
        painter.setPen(palette().color(foregroundRole()));
        painter.drawText(QPointF(0, metrics.ascent()), text);
    }
    return &drawn;
}

void CaretLabel::paintEvent(QPaintEvent* event) {
    const QString shown = text();
    std::array<const QPixmap*, 32> pieces{};
    bool kept = shown.size() <= qsizetype(pieces.size());
    for (qsizetype i = 0; kept && i < shown.size(); ++i)
        kept = (pieces[size_t(i)] = character(shown[i])) != nullptr;

    QPainter painter(this);
    const QRect inside = contentsRect();
    // A new text repaints the inside only; the frame is drawn when the panel is shown or
    // resized.
    const bool whole = !inside.contains(event->rect());
    painter.fillRect(whole ? rect() : event->rect(), palette().brush(backgroundRole()));
    if (!kept) {
        painter.end();
        QLabel::paintEvent(event);
        return;
    }
    if (whole)
        drawFrame(&painter);
    if (shown.isEmpty())
        return;
    // Centred as a label centres its text, each character on the device pixel nearest to
    // where the text's layout would put it.
    const qreal ratio = m_pixelRatio;
    qreal width = 0;
    for (qsizetype i = 0; i < shown.size(); ++i)
        width += m_advances[size_t(characterIndex(shown[i]))];
    const qreal lineHeight = pieces[0]->height() / ratio;
    const auto onPixel = [ratio](qreal v) { return std::round(v * ratio) / ratio; };
    qreal x = inside.left() + (inside.width() - width) / 2;
    const qreal y = onPixel(inside.top() + (inside.height() - lineHeight) / 2);
    for (qsizetype i = 0; i < shown.size(); ++i) {
        painter.drawPixmap(QPointF(onPixel(x), y), *pieces[size_t(i)]);
        x += m_advances[size_t(characterIndex(shown[i]))];
    }
}
