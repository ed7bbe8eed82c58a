#pragma once
// The hint that goes with a document's view update when one grid tells the others of a change.
// The hint codes and the meaning of the parameters are the update-hint component's.

#include "framework/core/Object.h"
#include "grid/core/GridTypes.h"
#include "grid/core/Range.h"

class CGXGridHint : public CObject
{
    DECLARE_DYNAMIC(CGXGridHint)

public:
    // The id names the step (1 to 36); the target is the sending grid's id, which the receiving
    // views of the same grid share (GX_ALLGRIDS reaches every grid).
    CGXGridHint(UINT nHintId, DWORD dwSenderId);

    static const DWORD GX_ALLGRIDS = 0xFFFFFFFF;

    UINT m_id;
    CGXRange range;
    // Passed on with the range; not set by the constructor.
    DWORD dwWord1;
    DWORD dwWord2;
    // Rows and columns of the step: first, last and destination.
    ROWCOL nRow1 = 0;
    ROWCOL nRow2 = 0;
    ROWCOL nRow3 = 0;
    ROWCOL nCol1 = 0;
    ROWCOL nCol2 = 0;
    ROWCOL nCol3 = 0;
    UINT flags = 0;
    // Value 1 (an old state, a zoom), value 2 (a count, a base-style id, a combined result) and
    // value 3 (an array of old sizes, a pane id, a window or another pointer of the step).
    DWORD dwParam = 0;
    DWORD dwValue2 = 0;
    void* pData = nullptr;
    // The target grid id.
    DWORD m_dwSenderId;
};
