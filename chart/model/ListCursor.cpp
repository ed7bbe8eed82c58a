#include "chart/model/ListCursor.h"

#include <algorithm>
#include <cstdlib>

POSITION FindListPosition(CObList& list, int nIndex, POSITION& posCursor, int& nCursorIndex)
{
    const int count = int(list.GetCount());
    if (nIndex < 0 || nIndex >= count)
        return NULL;
    POSITION pos;
    int at;
    const int fromTail = count - 1 - nIndex;
    const bool cursorValid = posCursor != NULL && nCursorIndex >= 0 && nCursorIndex < count;
    if (cursorValid && std::abs(nIndex - nCursorIndex) <= std::min(nIndex, fromTail)) {
        pos = posCursor;
        at = nCursorIndex;
    } else if (nIndex <= fromTail) {
        pos = list.GetHeadPosition();
        at = 0;
    } else {
        pos = list.GetTailPosition();
        at = count - 1;
    }
    while (at < nIndex) {
        list.GetNext(pos);
        ++at;
    }
    while (at > nIndex) {
        list.GetPrev(pos);
        --at;
    }
    posCursor = pos;
    nCursorIndex = nIndex;
    return pos;
}
