#include "grid/controls/CellEditState.h"

#include "grid/core/GridCore.h"
#include "grid/core/Range.h"
#include "grid/core/Style.h"

#include <algorithm>

namespace GXCellEditState
{
void SetActive(CGXControl& control, BOOL& bActive, BOOL bNew)
{
    if (bNew && !bActive)
    {
        control.FreeStyle(TRUE);
        control.GetCachedStyle();
    }
    bActive = bNew;
}

BOOL StoreWindowValue(CGXControl& control, BOOL& bModified)
{
    CString value;
    if (!control.GetValue(value))
        return TRUE;
    control.SetActive(FALSE);
    bModified = FALSE;
    return control.Grid()->SetValueRange(CGXRange(control.m_nRow, control.m_nCol), value);
}

BOOL StoreStyleValue(CGXControl& control, BOOL bEditing, BOOL& bModified)
{
    BOOL bStored = TRUE;
    if (bEditing && bModified)
    {
        const CString value = control.GetCachedStyle().GetValue();
        bModified = FALSE;
        bStored = control.Grid()->SetValueRange(CGXRange(control.m_nRow, control.m_nCol), value);
    }
    control.SetActive(FALSE);
    return bStored;
}

CRect FitToScrolledPane(CGXControl& control, const CRect& rect, ROWCOL nRow, ROWCOL nCol)
{
    CGXGridCore* pGrid = control.Grid();
    const CRect gridRect = pGrid->GetGridRect();
    CRect fitted = rect;
    if (nRow > pGrid->GetFrozenRows())
        fitted.top = std::max<LONG>(fitted.top, gridRect.top + pGrid->CalcSumOfRowHeights(0, pGrid->GetFrozenRows()));
    if (nCol > pGrid->GetFrozenCols())
        fitted.left = std::max<LONG>(fitted.left, gridRect.left + pGrid->CalcSumOfColWidths(0, pGrid->GetFrozenCols()));
    // A window wholly behind the frozen panes keeps no size at all.
    fitted.bottom = std::max(fitted.bottom, fitted.top);
    fitted.right = std::max(fitted.right, fitted.left);
    return fitted;
}
}  // namespace GXCellEditState
