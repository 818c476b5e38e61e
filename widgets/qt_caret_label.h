// The status bar's caret panel ("12 : 345"). It changes at every keystroke, so it paints its
// digits from glyphs looked up once for its font instead of laying its text out anew each time,
// and repaints only its text, over its own background: the status bar under it and its frame
// are left as they are.
#pragma once

#include <QGlyphRun>
#include <QLabel>

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
    // The glyphs of text(), placed on one line from x = 0 on the baseline; false when the font
    // lacks one of them (the label then paints as any label does).
    bool prepareGlyphs();

    QString m_glyphsOf; // the text m_glyphs were made for
    bool m_glyphsValid = false;
    qreal m_width = 0; // of the glyphs, from the first one's origin
    QGlyphRun m_glyphs;
};
