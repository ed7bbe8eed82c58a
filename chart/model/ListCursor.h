// Indexed access to a CObList that remembers where the last access ended.
#pragma once

#include "framework/core/Lists.h"

// The position of element nIndex (NULL outside the list), walked from the nearest of the cursor, the
// head and the tail. The cursor is left on the element, so sequential access is one step per element;
// a cursor that no longer lies inside the list is not used.
POSITION FindListPosition(CObList& list, int nIndex, POSITION& posCursor, int& nCursorIndex);
