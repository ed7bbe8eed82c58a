// Grid engine: row heights, column widths and size units. Until the geometry is built here, sizes
// read as 0 and every row and column counts as visible.

#include "grid/core/GridCore.h"

void CGXGridCore::CalcSizeUnits()
{
}

LONG CGXGridCore::StoreRowHeight(ROWCOL, int)
{
    return 0;
}

LONG CGXGridCore::StoreColWidth(ROWCOL, int)
{
    return 0;
}

int CGXGridCore::GetRowHeight(ROWCOL)
{
    return 0;
}

int CGXGridCore::GetColWidth(ROWCOL)
{
    return 0;
}

ROWCOL CGXGridCore::GetLastVisibleRow(BOOL* pbEndReached)
{
    if (pbEndReached != nullptr)
        *pbEndReached = TRUE;
    return GetRowCount();
}

ROWCOL CGXGridCore::GetLastVisibleCol(BOOL* pbEndReached)
{
    if (pbEndReached != nullptr)
        *pbEndReached = TRUE;
    return GetColCount();
}
