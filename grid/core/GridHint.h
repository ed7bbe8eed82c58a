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
    CGXGridHint(UINT nHintId, DWORD dwSenderId);

    UINT m_id;
    CGXRange range;
    ROWCOL nRow1 = 0;
    ROWCOL nRow2 = 0;
    ROWCOL nCol1 = 0;
    ROWCOL nCol2 = 0;
    UINT flags = 0;
    DWORD dwParam = 0;
    void* pData = nullptr;
    DWORD m_dwSenderId;
};
