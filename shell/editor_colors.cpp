// Selection colours for the editor.
#include "shell/editor_colors.h"

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

// Below this the selection would hardly stand out from the unselected text around it.
constexpr double kDistinct = 3.0;

} // namespace

double contrastRatio(const QColor& a, const QColor& b) {
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

SelectionColors selectionColors(const QColor& background, const QColor& text) {
    if (contrastRatio(background, text) >= kDistinct)
        return SelectionColors{text, background};
    const QColor black(Qt::black);
    const QColor white(Qt::white);
    const bool dark = contrastRatio(background, black) >= contrastRatio(background, white);
    return dark ? SelectionColors{black, white} : SelectionColors{white, black};
}
