// Selection colours for the editor.
#include "shell/editor_colors.h"

#include <algorithm>

namespace {

// Below this the selection would hardly stand out from the unselected text around it.
constexpr double kDistinct = 3.0;

} // namespace

SelectionColors selectionColors(const QColor& background, const QColor& text) {
    if (contrastRatio(background, text) >= kDistinct)
        return SelectionColors{text, background};
    const QColor black(Qt::black);
    const QColor white(Qt::white);
    const bool dark = contrastRatio(background, black) >= contrastRatio(background, white);
    return dark ? SelectionColors{black, white} : SelectionColors{white, black};
}
