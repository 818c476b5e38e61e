// The find primitive over the SearchTarget interface.
#include "widgets/find_primitive.h"

#include "state/shared_state.h"
#include "widgets/search_target.h"

int findNext(SearchTarget& target, const QString& findText) {
    if (findText.isEmpty())
        return -1;
    // After a click into the text (nothing selected) the search starts again at the top; with
    // the last match still selected it goes on after it, so repeated steps walk down the text.
    const int length = target.selectionLength();
    const int from = length > 0 ? target.selectionStart() + length : 0;
    const int found = target.indexOf(findText, from);
    if (found < 0)
        return -1;
    target.focus();
    target.select(found, int(findText.size()));
    return found;
}

int findNext(FindState& find) {
    find.lastFoundPos = find.searchTarget ? findNext(*find.searchTarget, find.findText) : -1;
    return find.lastFoundPos;
}
