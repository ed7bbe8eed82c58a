#include "grid/core/GridCore.h"

#include "grid/core/Control.h"
#include "grid/core/Data.h"
#include "grid/core/GridParam.h"
#include "grid/core/Style.h"
#include "grid/core/StylesMap.h"

CGXStyle* CGXGridCore::NewStyle()
{
    CGXStylesMap* pStylesMap = GetStylesMap();
    return pStylesMap != nullptr ? pStylesMap->CreateStyle() : new CGXStyle;
}

void CGXGridCore::RecycleStyle(CGXStyle* pStyle)
{
    delete pStyle;
}

BOOL CGXGridCore::GetStoredStyleRowCol(ROWCOL nRow, ROWCOL nCol, CGXStyle& style, GXModifyType mode, int nType)
{
    CGXData* pData = m_pParam != nullptr ? m_pParam->GetData() : nullptr;
    return pData != nullptr && pData->GetStyleRowCol(nRow, nCol, style, mode, nType);
}

BOOL CGXGridCore::StoreStyleRowCol(ROWCOL nRow, ROWCOL nCol, const CGXStyle* pStyle, GXModifyType mode, int nType)
{
    CGXData* pData = m_pParam != nullptr ? m_pParam->GetData() : nullptr;
    if (pData == nullptr)
        return FALSE;
    if (m_pParam->IsLockReadOnly() && IsReadOnly())
        return FALSE;
    const BOOL bStored = pData->StoreStyleRowCol(nRow, nCol, pStyle, mode, nType);
    if (bStored && m_pCurrentCellControl != nullptr && IsCurrentCell(nRow, nCol))
        m_pCurrentCellControl->FreeStyle(FALSE);
    return bStored;
}

void CGXGridCore::BuildEffectiveStyle(ROWCOL nRow, ROWCOL nCol, CGXStyle& style, BOOL bIncludeStandard)
{
    style.ClearAll();
    GetStoredStyleRowCol(nRow, nCol, style, gxCopy, 0);

    const ROWCOL nHeaderRows = GetHeaderRows();
    const ROWCOL nHeaderCols = GetHeaderCols();
    CGXStyle* pBase = NewStyle();
    if (nCol > nHeaderCols && GetStoredStyleRowCol(nRow, 0, *pBase, gxCopy, gxBaseStyleType))
        style.ApplyStyle(*pBase, gxApplyNew);
    if (nRow > nHeaderRows)
    {
        if (GetStoredStyleRowCol(0, nCol, *pBase, gxCopy, gxBaseStyleType))
            style.ApplyStyle(*pBase, gxApplyNew);
        if (nCol > nHeaderCols && GetStoredStyleRowCol(0, 0, *pBase, gxCopy, gxBaseStyleType))
            style.ApplyStyle(*pBase, gxApplyNew);
    }
    RecycleStyle(pBase);

    const CGXStylesMap* pStylesMap = GetStylesMap();
    style.ResolveBaseStyles(pStylesMap);
    if (pStylesMap != nullptr)
    {
        const CGXStyle* pHeader = nullptr;
        if (nRow <= nHeaderRows && pStylesMap->LookupStyle(pStylesMap->m_wStyleColHeader, pHeader))
            style.ApplyStyle(*pHeader, gxApplyNew);
        if (nCol <= nHeaderCols && pStylesMap->LookupStyle(pStylesMap->m_wStyleRowHeader, pHeader))
            style.ApplyStyle(*pHeader, gxApplyNew);
        if (bIncludeStandard)
            if (const CGXStyle* pStandard = pStylesMap->GetStandardStyle())
                style.ApplyStyle(*pStandard, gxApplyNew);
    }
}

const CGXStyle& CGXGridCore::LookupStyleRowCol(ROWCOL nRow, ROWCOL nCol)
{
    if (m_pLookupStyle == nullptr)
        m_pLookupStyle = NewStyle();
    BuildEffectiveStyle(nRow, nCol, *m_pLookupStyle, TRUE);
    return *m_pLookupStyle;
}

BOOL CGXGridCore::SetStyleRange(const CGXRange& range, const CGXStyle* pStyle, GXModifyType mode, int nType,
                                UINT nFlags)
{
    if (!range.IsValid())
        return FALSE;
    // Whole rows, columns or the table address base styles.
    if (nType == 0 && !range.IsCells())
        nType = gxBaseStyleType;
    CGXRange cells(range);
    if (nType == gxBaseStyleType)
    {
        if (range.IsRows())
            cells.SetCells(range.top, 0, range.bottom, 0);
        else if (range.IsCols())
            cells.SetCells(0, range.left, 0, range.right);
        else if (range.IsTable())
            cells.SetCells(0, 0, 0, 0);
    }

    BOOL bChanged = FALSE;
    for (ROWCOL nRow = cells.top; nRow <= cells.bottom; ++nRow)
    {
        for (ROWCOL nCol = cells.left; nCol <= cells.right; ++nCol)
        {
            if (nType == gxBaseStyleType)
                bChanged |= StoreStyleRowCol(nRow, nCol, pStyle, mode, nType);
            else
            {
                CGXStyle* pComposed = NewStyle();
                BuildEffectiveStyle(nRow, nCol, *pComposed, TRUE);
                const WORD nControl = pStyle != nullptr && pStyle->GetIncludeControl() ? pStyle->GetControl()
                                      : pComposed->GetIncludeControl()                 ? pComposed->GetControl()
                                                                                       : 0;
                CGXControl* pControl = GetRegisteredControl(nControl);
                if (pControl != nullptr)
                    bChanged |= pControl->ApplyStyleToCell(nRow, nCol, pStyle, mode, nType, pComposed);
                else
                    bChanged |= StoreStyleRowCol(nRow, nCol, pStyle, mode, nType);
                RecycleStyle(pComposed);
            }
            if (nCol == cells.right)
                break;
        }
        if (nRow == cells.bottom)
            break;
    }
    if (bChanged)
        RedrawRowCol(cells.top == cells.bottom ? cells.top : GX_INVALID,
                     cells.left == cells.right ? cells.left : GX_INVALID, nFlags);
    return bChanged;
}

BOOL CGXGridCore::SetValueRange(const CGXRange& range, LPCTSTR pszValue, GXModifyType mode, UINT nFlags)
{
    CGXStyle* pStyle = NewStyle();
    pStyle->SetValue(pszValue != nullptr ? pszValue : "");
    pStyle->SetValueType(GX_VT_TEXT);
    const BOOL bDone = SetStyleRange(range, pStyle, mode, 0, nFlags);
    RecycleStyle(pStyle);
    return bDone;
}

CString CGXGridCore::GetValueRowCol(ROWCOL nRow, ROWCOL nCol)
{
    return LookupStyleRowCol(nRow, nCol).GetValue();
}

BOOL CGXGridCore::StoreCellValueText(ROWCOL nRow, ROWCOL nCol, const CString& text, UINT nFlags)
{
    return SetValueRange(CGXRange(nRow, nCol), text, gxOverride, nFlags);
}

BOOL CGXGridCore::SetControlTextRowCol(ROWCOL nRow, ROWCOL nCol, const CString& text, UINT nFlags,
                                       const CGXStyle* pOldStyle)
{
    CGXStyle* pComposed = NewStyle();
    BuildEffectiveStyle(nRow, nCol, *pComposed, TRUE);
    CGXControl* pControl = GetRegisteredControl(pComposed->GetIncludeControl() ? pComposed->GetControl() : 0);
    const BOOL bDone =
        pControl != nullptr && pControl->SetControlText(nRow, nCol, text, nFlags, pOldStyle ? pOldStyle : pComposed);
    RecycleStyle(pComposed);
    return bDone;
}
