// The colours of the editor's selection, chosen against the background and text colours the user
// set, so a selection shows on any of them.
#pragma once

#include "language/syntax_colours.h"

#include <QColor>

struct SelectionColors {
    QColor background;
    QColor text;
};

// The selection in the text's colour with the background's colour on it (as readable as the
// text itself); where those two are too alike to tell apart, black or white, whichever stands
// out more from the background.
SelectionColors selectionColors(const QColor& background, const QColor& text);
