// Painting the keyboard map.
#include "keys/qt_keyboard_view.h"

#include "keys/key_description.h"
#include "keys/key_layout.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolTip>
#include <array>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr double kMargin = 8;
const QColor kText(0x20, 0x20, 0x20);
const QColor kConflict(0xd0, 0x10, 0x10);
const QColor kLit(0xff, 0xc4, 0x00);

QColor kindColour(KeyKind kind) {
    static const std::array<QColor, kKeyKindCount> colours = {
        QColor(0xf2, 0xf2, 0xf2), // free
        QColor(0x9f, 0xd0, 0xf2), // a game action
        QColor(0xaf, 0xe0, 0x9c), // an alias of the config
        QColor(0xf6, 0xc2, 0x7e), // a script the program generated
        QColor(0xcf, 0xaa, 0xf0), // the modifier of a combination
    };
    return colours[size_t(kind)];
}

QFont pixelFont(const QFont& base, double pixels, bool bold) {
    QFont f = base;
    f.setPixelSize(std::max(6, int(pixels)));
    f.setBold(bold);
    return f;
}

// The text a cap shows under its label: what the config binds it to.
QString capCommand(const KeyBinding& b) {
    if (!b.lines.isEmpty() && b.command.trimmed().isEmpty())
        return u"\"\""_s;
    return b.command;
}

} // namespace

KeyboardView::KeyboardView(QWidget* parent) : QWidget(parent) {
    setObjectName(u"MapView"_s);
    setMouseTracking(true);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void KeyboardView::setMap(KeyMapResult map) {
    m_map = std::move(map);
    setFilter(m_filter);
    updateGeometry();
    update();
}

void KeyboardView::setFilter(const QString& filter) {
    m_filter = filter.trimmed();
    m_lit.clear();
    if (!m_filter.isEmpty())
        for (auto it = m_map.keys.cbegin(); it != m_map.keys.cend(); ++it)
            if (bindingMatches(*it, m_filter))
                m_lit.insert(it.key());
    m_matchCount = int(m_lit.size());
    update();
}

double KeyboardView::minimumUnit() const {
    // The caps' own text scales with the cap; below this size it could not be read.
    return fontMetrics().height() * 1.9;
}

QSize KeyboardView::minimumSizeHint() const {
    const QSizeF keys = keyboardLayoutSize() * minimumUnit();
    return QSize(int(keys.width() + 2 * kMargin),
                 int(keys.height() + 2 * kMargin + fontMetrics().height() * 5));
}

QSize KeyboardView::sizeHint() const {
    const QSize least = minimumSizeHint();
    return QSize(least.width() * 5 / 4, least.height() * 5 / 4);
}

QString KeyboardView::unknownText() const {
    return unknownKeysText(m_map.unknown);
}

KeyboardView::Geometry KeyboardView::geometryFor(const QRectF& area) const {
    Geometry g;
    const QRectF inner = area.adjusted(kMargin, kMargin, -kMargin, -kMargin);
    const QFontMetricsF fm(font());
    const QString unknown = unknownText();
    const double unknownHeight =
        unknown.isEmpty()
            ? 0
            : fm.boundingRect(QRectF(0, 0, inner.width(), 1e6), Qt::TextWordWrap, unknown)
                      .height() +
                  fm.height() * 0.5;
    // The legend wraps on a narrow window or a large font: its height is that of a dry run.
    const double legendHeight = paintLegend(nullptr, inner) + fm.height() * 1.1;
    const QSizeF size = keyboardLayoutSize();
    const double keysHeight = std::max(1.0, inner.height() - legendHeight - unknownHeight);
    g.unit = std::max(1.0, std::min(inner.width() / size.width(), keysHeight / size.height()));
    const double keysWidth = size.width() * g.unit;
    g.origin = QPointF(inner.left() + (inner.width() - keysWidth) / 2, inner.top());
    const double below = g.origin.y() + size.height() * g.unit + fm.height() * 0.5;
    g.legend = QRectF(inner.left(), below, inner.width(), legendHeight - fm.height() * 0.5);
    g.unknown = QRectF(inner.left(), g.legend.bottom(), inner.width(), unknownHeight);
    return g;
}

void KeyboardView::paintCap(QPainter& p, const Geometry& g, const KeyCap& cap) const {
    const double u = g.unit;
    const QRectF r(g.origin + cap.rect.topLeft() * u, cap.rect.size() * u);
    const QRectF face = r.adjusted(u * 0.04, u * 0.04, -u * 0.04, -u * 0.04);
    const KeyBinding& b = m_map.binding(cap.name);
    const bool dimmed = !m_filter.isEmpty() && !m_lit.contains(cap.name);
    p.save();
    if (dimmed)
        p.setOpacity(0.3);
    const double radius = u * 0.12;
    QPen border(b.conflict ? kConflict : QColor(0x70, 0x70, 0x70));
    border.setWidthF(b.conflict ? std::max(2.0, u * 0.08) : 1.0);
    if (cap.name == m_hovered)
        border = QPen(palette().color(QPalette::Highlight), std::max(2.0, u * 0.07));
    p.setPen(border);
    p.setBrush(kindColour(b.kind));
    p.drawRoundedRect(face, radius, radius);
    if (m_lit.contains(cap.name)) {
        p.setPen(QPen(kLit, std::max(2.5, u * 0.1)));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(face.adjusted(-u * 0.02, -u * 0.02, u * 0.02, u * 0.02), radius, radius);
    }
    // A key some modifier rebinds while held: a corner in the modifier's colour.
    if (!b.combined.isEmpty()) {
        const double s = u * 0.32;
        QPainterPath corner;
        corner.moveTo(face.right() - s, face.top());
        corner.lineTo(face.right() - radius / 2, face.top());
        corner.lineTo(face.right(), face.top() + radius / 2);
        corner.lineTo(face.right(), face.top() + s);
        corner.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(kindColour(KeyKind::Modifier).darker(130));
        p.drawPath(corner);
    }
    const QRectF text = face.adjusted(u * 0.08, u * 0.04, -u * 0.08, -u * 0.04);
    p.setPen(kText);
    QFont label = pixelFont(font(), u * 0.28, true);
    while (label.pixelSize() > 6 &&
           QFontMetricsF(label).horizontalAdvance(cap.label) > text.width())
        label.setPixelSize(label.pixelSize() - 1);
    p.setFont(label);
    p.drawText(text, Qt::AlignLeft | Qt::AlignTop, cap.label);
    if (b.conflict) {
        p.setPen(kConflict);
        p.setFont(pixelFont(font(), u * 0.22, true));
        p.drawText(text, Qt::AlignRight | Qt::AlignTop, u"×"_s + QString::number(b.lines.size()));
    }
    // The command on one line under the label: a smaller letter before a cut-off one.
    const QString command = capCommand(b);
    if (!command.isEmpty()) {
        QFont small = pixelFont(font(), u * 0.24, false);
        for (double size = u * 0.24; size > u * 0.17; size -= 1) {
            small = pixelFont(font(), size, false);
            if (QFontMetricsF(small).horizontalAdvance(command) <= text.width())
                break;
        }
        p.setFont(small);
        p.setPen(kText);
        p.drawText(text, Qt::AlignLeft | Qt::AlignBottom,
                   QFontMetricsF(small).elidedText(command, Qt::ElideRight, text.width()));
    }
    p.restore();
}

double KeyboardView::paintLegend(QPainter* p, const QRectF& area) const {
    const QFontMetricsF fm(font());
    const double box = fm.height() * 0.9;
    double x = area.left();
    double y = area.top();
    auto item = [&](const QColor& fill, const QColor& edge, const QString& text) {
        const double width = box + fm.horizontalAdvance(text) + fm.height() * 1.2;
        if (x > area.left() && x + width > area.right()) {
            x = area.left();
            y += fm.height() * 1.2;
        }
        if (p) {
            const QRectF swatch(x, y + (fm.height() - box) / 2, box, box);
            p->setPen(QPen(edge, edge == kConflict ? 2 : 1));
            p->setBrush(fill);
            p->drawRoundedRect(swatch, 2, 2);
            p->setPen(palette().color(QPalette::WindowText));
            p->drawText(QPointF(x + box + fm.height() * 0.3, y + fm.ascent()), text);
        }
        x += width;
    };
    if (p)
        p->setFont(font());
    for (int k = 0; k < kKeyKindCount; ++k) {
        const auto kind = KeyKind(k);
        item(kindColour(kind), QColor(0x70, 0x70, 0x70),
             u"%1: %2"_s.arg(keyKindCaption(kind), QString::number(m_map.kindCounts[size_t(k)])));
    }
    item(kindColour(KeyKind::Free), kConflict,
         u"Назначена несколько раз: %1"_s.arg(QString::number(m_map.conflictCount)));
    QString totals = u"Назначено клавиш: %1, свободно: %2"_s.arg(QString::number(m_map.boundCount),
                                                                 QString::number(m_map.freeCount));
    if (!m_filter.isEmpty())
        totals += u", подходит под фильтр: %1"_s.arg(QString::number(m_matchCount));
    item(Qt::transparent, Qt::transparent, totals);
    return y + fm.height() - area.top();
}

void KeyboardView::paintPicture(QPainter& p, const QRectF& area) const {
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const Geometry g = geometryFor(area);
    // The mouse's body around its buttons.
    QRectF mouse;
    for (const KeyCap& cap : keyboardLayout())
        if (cap.block == KeyBlock::Mouse)
            mouse = mouse.united(cap.rect);
    const double u = g.unit;
    p.setPen(QPen(palette().color(QPalette::Mid), 1.5));
    p.setBrush(palette().color(QPalette::Base));
    const QRectF body(g.origin + mouse.topLeft() * u, mouse.size() * u);
    p.drawRoundedRect(body.adjusted(-u * 0.12, -u * 0.12, u * 0.12, u * 0.12), u * 0.8, u * 0.6);
    for (const KeyCap& cap : keyboardLayout())
        paintCap(p, g, cap);
    paintLegend(&p, g.legend);
    const QString unknown = unknownText();
    if (!unknown.isEmpty()) {
        p.setFont(font());
        p.setPen(kConflict);
        p.drawText(g.unknown, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, unknown);
    }
}

void KeyboardView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    paintPicture(p, rect());
}

QImage KeyboardView::picture(const QSize& size) const {
    QImage image(size, QImage::Format_RGB32);
    image.fill(palette().color(QPalette::Window));
    QPainter p(&image);
    paintPicture(p, QRectF(QPointF(0, 0), size));
    return image;
}

QRectF KeyboardView::capRect(const QString& key) const {
    const KeyCap* cap = keyCapFor(key);
    if (!cap)
        return {};
    const Geometry g = geometryFor(rect());
    return QRectF(g.origin + cap->rect.topLeft() * g.unit, cap->rect.size() * g.unit);
}

QString KeyboardView::keyAt(const QPointF& pos) const {
    const Geometry g = geometryFor(rect());
    const QPointF at = (pos - g.origin) / g.unit;
    for (const KeyCap& cap : keyboardLayout())
        if (cap.rect.contains(at))
            return cap.name;
    return QString();
}

bool KeyboardView::event(QEvent* e) {
    if (e->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(e);
        const QString key = keyAt(help->pos());
        if (key.isEmpty() || !m_describe)
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), m_describe(key), this,
                               capRect(key).toAlignedRect());
        return true;
    }
    return QWidget::event(e);
}

void KeyboardView::mouseMoveEvent(QMouseEvent* e) {
    const QString key = keyAt(e->position());
    if (key != m_hovered) {
        m_hovered = key;
        setCursor(key.isEmpty() ? Qt::ArrowCursor : Qt::PointingHandCursor);
        update();
    }
    QWidget::mouseMoveEvent(e);
}

void KeyboardView::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) {
        const QString key = keyAt(e->position());
        if (!key.isEmpty())
            emit keyClicked(key);
    }
    QWidget::mouseReleaseEvent(e);
}

void KeyboardView::leaveEvent(QEvent* e) {
    m_hovered.clear();
    update();
    QWidget::leaveEvent(e);
}
