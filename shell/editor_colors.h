// The colours of the editor's selection, chosen against the background and text colours the user
// set, so a selection shows on any of them.
#pragma once

#include <QColor>

struct SelectionColors {
    QColor background;
    QColor text;
};

// WCAG's contrast ratio of two colours, 1 (equal) to 21 (black on white).
double contrastRatio(const QColor& a, const QColor& b);

// The selection in the text's colour with the background's colour on it (as readable as the
// text itself); where those two are too alike to tell apart, black or white, whichever stands
// out more from the background.
SelectionColors selectionColors(const QColor& background, const QColor& text);
