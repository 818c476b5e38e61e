// The status bar's caret panel ("12 : 345"). It changes at every keystroke, so it does not lay
// its text out and shape it anew each time: each digit, the blank and the colon are drawn once
// for its font and colours and then copied into place. It repaints only its text, over its own
// background: the status bar under it and its frame are left as they are.
#pragma once

#include <QLabel>
#include <QPixmap>
#include <array>

class CaretLabel : public QLabel {
public:
    explicit CaretLabel(const QString& text, QWidget* parent = nullptr);

    // At least 60 pixels, so short positions do not make it jump, and never narrower than its
    // text, so a long line number widens it while the other panels give way.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // The drawn character for `c`, or null when the panel does not keep one (any other
    // character: the panel then paints as a label does).
    const QPixmap* character(QChar c);

    // "0123456789 :", in that order; drawn when first needed, dropped when the font, the
    // colours or the screen's pixel ratio change.
    std::array<QPixmap, 12> m_characters;
    std::array<qreal, 12> m_advances = {}; // how far each moves the next one on, in pixels
    qreal m_pixelRatio = 0;                // the ratio m_characters were drawn for
};
