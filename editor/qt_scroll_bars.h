// Scroll bars that stay put while the text changes.
#pragma once

class QAbstractScrollArea;

// A scroll area lays its bars and viewport out again after every change of a scroll range (a
// line added or removed, a longer line). With both bars always shown that layout places
// everything where it already is, yet raising the two bars in turn repaints the area's frame,
// both bars and the parent behind them. For an area whose bars are both always on (in a style
// that does not hide them while idle) this skips that layout; resizing still lays the area out.
void keepScrollBarsInPlace(QAbstractScrollArea* area);
