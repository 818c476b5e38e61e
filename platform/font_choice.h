// What the font dialog offers: the four styles of a face, the sixteen standard colours, and the
// font and colour the user settles on.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <vector>

// The font the editor writes in and the colour of its text.
struct FontChoice {
    QFont font;
    QColor color;
};

// The style list: regular, italic, bold, bold italic, in that order.
struct FontStyleEntry {
    QString caption;
    bool bold = false;
    bool italic = false;
};
const std::vector<FontStyleEntry>& fontStyleEntries();
// The entry of the style list that `font` has.
int fontStyleIndex(const QFont& font);
void applyFontStyleIndex(QFont& font, int index);

// The colour list: the sixteen standard colours with their names; a colour outside it is a
// custom one.
struct NamedColor {
    QColor color;
    QString caption;
};
const std::vector<NamedColor>& standardColors();
// -1 when `color` is none of the standard ones.
int standardColorIndex(const QColor& color);
// The caption of the colour list's last entry, which opens the full colour dialog.
QString customColorCaption();
