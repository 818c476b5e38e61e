// Whether a text needs a shaper to be drawn right. In a fixed-pitch font, Latin, Greek and
// Cyrillic letters, digits, punctuation and the common symbols are drawn glyph by glyph, each
// from the font's own table, whether or not a shaper (HarfBuzz) lays them out first; the shaper
// only matters for marks that sit on another letter, letters that join or change with their
// neighbours (Arabic, the scripts of India and South-East Asia, ...), joiners and emoji
// sequences. Laying a line out without it costs a fraction of the time.
#pragma once

#include <QStringView>

// True when some character of `text` is one a shaper must lay out (anything outside the
// ranges drawn alone, surrogates included).
bool needsShaper(QStringView text);
