// Simple flat pictograms painted with QPainter.
#include "widgets/qt_tool_icons.h"

#include <QHash>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int kSize = 23;

QPixmap canvas() {
    QPixmap pm(kSize, kSize);
    pm.fill(Qt::transparent);
    return pm;
}

void sheet(QPainter& p, const QColor& fill) {
    QPolygonF page({{5, 2}, {14, 2}, {18, 6}, {18, 20}, {5, 20}});
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(fill);
    p.drawPolygon(page);
    p.drawLine(QPointF(14, 2), QPointF(14, 6));
    p.drawLine(QPointF(14, 6), QPointF(18, 6));
}

void lines(QPainter& p, int from, int to) {
    p.setPen(QPen(QColor(90, 110, 160), 1));
    for (int y = from; y <= to; y += 3)
        p.drawLine(7, y, 16, y);
}

QPixmap paint(const QString& name) {
    QPixmap pm = canvas();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    if (name == u"ToolButton1"_s) { // new
        sheet(p, Qt::white);
        p.setPen(QPen(QColor(230, 160, 0), 2));
        p.drawLine(15, 13, 21, 19);
        p.drawLine(21, 13, 15, 19);
    } else if (name == u"ToolButton2"_s) { // open
        p.setPen(QPen(QColor(120, 90, 20), 1));
        p.setBrush(QColor(245, 200, 80));
        p.drawRect(2, 7, 17, 12);
        p.setBrush(QColor(255, 225, 120));
        p.drawPolygon(QPolygonF({{5, 11}, {21, 11}, {18, 19}, {2, 19}}));
    } else if (name == u"ToolButton3"_s) { // save
        p.setPen(QPen(QColor(30, 40, 90), 1));
        p.setBrush(QColor(60, 90, 180));
        p.drawRect(3, 3, 16, 16);
        p.setBrush(Qt::white);
        p.drawRect(6, 3, 10, 6);
        p.setBrush(QColor(200, 200, 200));
        p.drawRect(7, 12, 8, 7);
    } else if (name == u"ToolButton5"_s) { // cut
        p.setPen(QPen(QColor(50, 50, 50), 1.5));
        p.drawLine(7, 3, 14, 14);
        p.drawLine(15, 3, 8, 14);
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(7, 17), 3, 3);
        p.drawEllipse(QPointF(15, 17), 3, 3);
    } else if (name == u"ToolButton6"_s) { // copy
        p.setPen(QPen(QColor(60, 60, 60), 1));
        p.setBrush(QColor(235, 235, 235));
        p.drawRect(3, 3, 11, 13);
        p.setBrush(Qt::white);
        p.drawRect(8, 7, 11, 13);
        lines(p, 10, 17);
    } else if (name == u"ToolButton7"_s) { // paste
        p.setPen(QPen(QColor(90, 60, 20), 1));
        p.setBrush(QColor(190, 140, 70));
        p.drawRect(3, 4, 13, 16);
        p.setBrush(QColor(150, 150, 150));
        p.drawRect(6, 2, 7, 4);
        p.setPen(QPen(QColor(60, 60, 60), 1));
        p.setBrush(Qt::white);
        p.drawRect(10, 9, 10, 12);
    } else if (name == u"ToolButton14"_s) { // select all
        sheet(p, QColor(170, 200, 255));
        lines(p, 8, 17);
    } else if (name == u"ToolButton11"_s) { // find
        p.setPen(QPen(QColor(40, 40, 40), 2));
        p.setBrush(QColor(200, 230, 255));
        p.drawEllipse(QPointF(9, 9), 6, 6);
        p.setPen(QPen(QColor(40, 40, 40), 3));
        p.drawLine(13, 13, 20, 20);
    } else if (name == u"ToolButton10"_s) { // undo
        p.setPen(QPen(QColor(30, 90, 170), 2.5));
        QPainterPath arc;
        arc.moveTo(6, 10);
        arc.cubicTo(10, 4, 20, 6, 18, 16);
        p.drawPath(arc);
        p.setBrush(QColor(30, 90, 170));
        p.setPen(Qt::NoPen);
        p.drawPolygon(QPolygonF({{2, 10}, {9, 5}, {9, 14}}));
    } else if (name == u"ToolButton17"_s) { // start the game
        p.setPen(QPen(QColor(20, 100, 20), 1));
        p.setBrush(QColor(60, 180, 60));
        p.drawPolygon(QPolygonF({{6, 3}, {19, 11.5}, {6, 20}}));
    } else if (name == u"ToolButton21"_s) { // map cycle
        p.setPen(QPen(QColor(20, 110, 120), 2.5));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(4, 4, 15, 15), 30 * 16, 300 * 16);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(20, 110, 120));
        p.drawPolygon(QPolygonF({{15, 2}, {21, 6}, {15, 10}}));
    } else if (name == u"ToolButton19"_s) { // MetaBinds: a template card with key slots
        p.setPen(QPen(QColor(90, 40, 120), 1));
        p.setBrush(QColor(200, 170, 230));
        p.drawRoundedRect(QRectF(2, 4, 19, 15), 3, 3);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(90, 40, 120));
        for (int i = 0; i < 3; ++i)
            p.drawRoundedRect(QRectF(5 + i * 5.5, 7, 4, 4), 1, 1);
        p.drawRect(QRectF(5, 14, 13, 2));
    } else if (name == u"ToolButton22"_s) { // key map: a small keyboard
        p.setPen(QPen(QColor(60, 60, 60), 1));
        p.setBrush(QColor(235, 235, 235));
        p.drawRoundedRect(QRectF(1.5, 6.5, 20, 11), 2, 2);
        const QColor keys[] = {QColor(159, 208, 242), QColor(175, 224, 156), QColor(246, 194, 126),
                               QColor(242, 242, 242)};
        p.setPen(Qt::NoPen);
        for (int row = 0; row < 2; ++row)
            for (int col = 0; col < 5; ++col) {
                p.setBrush(keys[(row * 5 + col) % 4]);
                p.drawRect(QRectF(3.5 + col * 3.4, 8.5 + row * 3, 2.6, 2.2));
            }
        p.setBrush(QColor(120, 120, 120));
        p.drawRect(QRectF(6.5, 14.5, 10, 1.6));
    } else if (name == u"ToolButton23"_s) { // the set's final state: files in a chain to a sheet
        p.setPen(QPen(QColor(60, 60, 60), 1));
        p.setBrush(QColor(250, 250, 250));
        p.drawRect(QRectF(9.5, 2.5, 12, 18));
        p.setPen(QPen(QColor(40, 90, 160), 1.6));
        for (int i = 0; i < 4; ++i)
            p.drawLine(QPointF(12, 6.5 + i * 4), QPointF(19.5, 6.5 + i * 4));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(230, 150, 40));
        for (int i = 0; i < 3; ++i)
            p.drawRect(QRectF(1.5, 3 + i * 6.5, 5, 4.5));
    } else if (name == u"ToolButton13"_s) { // wizard
        p.setPen(QPen(QColor(120, 70, 20), 2));
        p.drawLine(4, 19, 15, 8);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(240, 190, 20));
        QPolygonF star;
        for (int i = 0; i < 10; ++i) {
            const double r = i % 2 ? 2.2 : 5.5;
            const double a = i * 3.14159265 / 5 - 3.14159265 / 2;
            star << QPointF(16 + r * std::cos(a), 7 + r * std::sin(a));
        }
        p.drawPolygon(star);
    }
    return pm;
}

} // namespace

QIcon toolButtonIcon(const QString& buttonName) {
    return QIcon(paint(buttonName));
}

QPixmap bottomPanelPicture(const QSize& size) {
    QPixmap pm(size);
    pm.fill(Qt::black);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, size.width(), 0);
    g.setColorAt(0, QColor(0, 120, 170));
    g.setColorAt(1, Qt::black);
    p.fillRect(QRect(QPoint(0, 0), size), g);
    // The same bold 15-pixel face the tool windows use, so no other font is loaded for it.
    QFont f = p.font();
    f.setPixelSize(15);
    f.setBold(true);
    p.setFont(f);
    p.setPen(QColor(255, 215, 80));
    p.drawText(QRect(QPoint(8, 0), size), Qt::AlignVCenter | Qt::AlignLeft,
               u"Tessera  ·  CS 1.5"_s);
    return pm;
}

QIcon applicationIcon() {
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor tiles[4] = {QColor(0, 168, 232), QColor(240, 190, 20), QColor(60, 180, 60),
                             QColor(220, 70, 50)};
    for (int i = 0; i < 4; ++i)
        p.fillRect(QRectF(2 + (i % 2) * 15, 2 + (i / 2) * 15, 13, 13), tiles[i]);
    return QIcon(pm);
}
