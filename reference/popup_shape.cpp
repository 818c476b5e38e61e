// The rounded outline.
#include "reference/popup_shape.h"

#include <QPainterPath>
#include <QPolygon>

QRegion roundedRegion(const QSize& size, int ellipseWidth, int ellipseHeight) {
    QPainterPath path;
    path.addRoundedRect(QRectF(QPointF(0, 0), QSizeF(size)), ellipseWidth / 2.0,
                        ellipseHeight / 2.0);
    return QRegion(path.toFillPolygon().toPolygon(), Qt::WindingFill);
}
