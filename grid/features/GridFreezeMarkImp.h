#pragma once
// Freezing the selected whole columns (rows) next to the headers, and marking the current cell's
// headers. Both are stateless: a freeze remembers its columns (rows) in the parameter object.

#include "grid/core/GridComponents.h"

class CGXGridFreezeMenuHelperImp : public CGXAbstractGridFreezeMenuHelperImp
{
public:
    BOOL CanFreezeCols(CGXGridCore* pGrid) override;
    BOOL CanUnfreezeCols(CGXGridCore* pGrid) override;
    // Moves the one span of selected whole columns after the header columns and freezes them; the
    // header columns stay headers.
    BOOL FreezeCols(CGXGridCore* pGrid) override;
    // Moves them back to where they stood and freezes no column but the headers.
    BOOL UnfreezeCols(CGXGridCore* pGrid) override;
    BOOL CanFreezeRows(CGXGridCore* pGrid) override;
    BOOL CanUnfreezeRows(CGXGridCore* pGrid) override;
    BOOL FreezeRows(CGXGridCore* pGrid) override;
    BOOL UnfreezeRows(CGXGridCore* pGrid) override;
};

class CGXGridMarkEditHeaderImp : public CGXAbstractGridMarkEditHeaderImp
{
public:
    BOOL MarkEditHeader(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, int nWhich, UINT nFlags) override;
    BOOL IsHeaderMarked(CGXGridCore* pGrid, CGXControl* pControl, ROWCOL nRow, ROWCOL nCol) override;
};
