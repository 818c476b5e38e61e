// Highlighting colours: a fixed hue per kind, the lightness pushed away from the background
// until the contrast is enough.
#include "language/syntax_colours.h"

#include <algorithm>
#include <cmath>

namespace {

double relativeLuminance(const QColor& c) {
    auto channel = [](double v) {
        v /= 255.0;
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
}

} // namespace

double contrastRatio(const QColor& a, const QColor& b) {
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

namespace {

// The colour of `hue` with the lightness moved towards black or white (whichever stands
// further from the background) until it reaches `minimum` contrast.
QColor readable(int hue, double saturation, const QColor& background, double minimum) {
    const bool darken =
        contrastRatio(Qt::black, background) >= contrastRatio(Qt::white, background);
    double lightness = darken ? 0.45 : 0.7;
    QColor c = QColor::fromHslF(hue / 360.0f, float(saturation), float(lightness));
    while (contrastRatio(c, background) < minimum && lightness > 0.0 && lightness < 1.0) {
        lightness += darken ? -0.02 : 0.02;
        c = QColor::fromHslF(hue / 360.0f, float(saturation),
                             float(std::clamp(lightness, 0.0, 1.0)));
    }
    return c;
}

QColor mix(const QColor& a, const QColor& b, double t) {
    return QColor::fromRgbF(float(a.redF() * (1 - t) + b.redF() * t),
                            float(a.greenF() * (1 - t) + b.greenF() * t),
                            float(a.blueF() * (1 - t) + b.blueF() * t));
}

} // namespace

SyntaxColours syntaxColours(const QColor& background, const QColor& text) {
    SyntaxColours s;
    // Comments: the text colour faded towards the background, but never below readable.
    double t = 0.45;
    QColor comment = mix(text, background, t);
    while (contrastRatio(comment, background) < kMinCommentContrast && t > 0.0) {
        t -= 0.05;
        comment = mix(text, background, std::max(t, 0.0));
    }
    if (contrastRatio(comment, background) < kMinCommentContrast)
        comment = readable(0, 0.0, background, kMinCommentContrast); // text itself is faint
    s.colour[size_t(TokenKind::Comment)] = comment;
    s.colour[size_t(TokenKind::String)] = readable(28, 0.85, background, kMinSyntaxContrast);
    s.colour[size_t(TokenKind::Number)] = readable(280, 0.7, background, kMinSyntaxContrast);
    s.colour[size_t(TokenKind::Keyword)] = readable(225, 0.9, background, kMinSyntaxContrast);
    s.colour[size_t(TokenKind::Command)] = readable(190, 0.9, background, kMinSyntaxContrast);
    s.colour[size_t(TokenKind::Variable)] = readable(130, 0.75, background, kMinSyntaxContrast);
    s.colour[size_t(TokenKind::Alias)] = readable(320, 0.8, background, kMinSyntaxContrast);
    s.colour[size_t(TokenKind::Unknown)] = readable(0, 0.9, background, kMinSyntaxContrast);
    return s;
}
