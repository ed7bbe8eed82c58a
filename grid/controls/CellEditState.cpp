#include "grid/controls/CellEditState.h"

#include "grid/core/GridCore.h"
#include "grid/core/Range.h"
#include "grid/core/Style.h"

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
}  // namespace GXCellEditState
