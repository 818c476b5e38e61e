// The keyboard map's picture: every cap of the layout table coloured by what the key holds, the
// legend with its counts and the unknown key names under it. It scales with its size (the caps)
// and its font (the legend, and the smallest size it asks for); the same painting makes the
// exported picture.
#pragma once

#include "keys/key_resolution.h"

#include <QSet>
#include <QWidget>
#include <functional>

struct KeyCap;

class KeyboardView : public QWidget {
    Q_OBJECT
public:
    explicit KeyboardView(QWidget* parent = nullptr);

    void setMap(KeyMapResult map);
    const KeyMapResult& map() const { return m_map; }
    // Keys whose commands hold the text are lit, the others dimmed; empty lights none.
    void setFilter(const QString& filter);
    int matchCount() const { return m_matchCount; }
    // The hover text of a key.
    void setDescriber(std::function<QString(const QString&)> describe) {
        m_describe = std::move(describe);
    }

    // The picture at `size`, on the window's background, as "Сохранить картинку" writes it.
    QImage picture(const QSize& size) const;
    // Where a key's cap is drawn now (the first cap of a key with twins); empty for none.
    QRectF capRect(const QString& key) const;
    // The key whose cap is under a point, or an empty string.
    QString keyAt(const QPointF& pos) const;

    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

signals:
    void keyClicked(const QString& key);

protected:
    void paintEvent(QPaintEvent*) override;
    bool event(QEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void leaveEvent(QEvent* e) override;

private:
    struct Geometry {
        QPointF origin;
        double unit = 1;
        QRectF legend;
        QRectF unknown;
    };
    Geometry geometryFor(const QRectF& area) const;
    void paintPicture(QPainter& p, const QRectF& area) const;
    void paintCap(QPainter& p, const Geometry& g, const KeyCap& cap) const;
    // Paints the legend from the top of `area` (nothing when `p` is null); returns its height.
    double paintLegend(QPainter* p, const QRectF& area) const;
    QString unknownText() const;
    double minimumUnit() const;

    KeyMapResult m_map;
    QString m_filter;
    QSet<QString> m_lit;
    int m_matchCount = 0;
    QString m_hovered;
    std::function<QString(const QString&)> m_describe;
};
