// The find primitive: one search step on a SearchTarget, the program's only editor-style find.
// It searches from the end of the selection (from the top when nothing is selected), matching
// case exactly, selects the match and reports its position; on no match it changes nothing.
#pragma once

#include <QString>

class SearchTarget;
struct FindState;

// The position of the match, or -1. An empty find text finds nothing.
int findNext(SearchTarget& target, const QString& findText);

// One step on find.searchTarget with find.findText; the result is also left in
// find.lastFoundPos. With no target set it finds nothing.
int findNext(FindState& find);
