// Grid engine: storing styles and values for cells, rows, columns and the table, recording them for
// undo, and composing the effective style of a cell.

#include "grid/core/GridCore.h"

#include "framework/win/Seams.h"
#include "grid/core/AppData.h"
#include "grid/core/Properties.h"

#include "grid/core/Control.h"
#include "grid/core/Data.h"
#include "grid/core/GridParam.h"
#include "grid/core/Style.h"
#include "grid/core/StylesMap.h"

#include <cstdlib>

void GXBuildStyleAsItStands(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, CGXStyle& style)
{
    struct AsTheyStand
    {
        CGXData* pData;
        explicit AsTheyStand(CGXData* pTheData) : pData(pTheData)
        {
            if (pData != nullptr)
                pData->ReadValuesAsTheyStand(TRUE);
        }
        ~AsTheyStand()
        {
            if (pData != nullptr)
                pData->ReadValuesAsTheyStand(FALSE);
        }
        AsTheyStand(const AsTheyStand&) = delete;
        AsTheyStand& operator=(const AsTheyStand&) = delete;
    } const asTheyStand(pGrid->GetData());
    pGrid->BuildEffectiveStyle(nRow, nCol, style, TRUE);
}

BOOL CGXGridCore::GetStoredStyleRowCol(ROWCOL nRow, ROWCOL nCol, CGXStyle& style, GXModifyType mode, int nType)
{
    CGXData* pData = GetData();
    return pData != nullptr && pData->GetStyleRowCol(nRow, nCol, style, mode, nType);
}

BOOL CGXGridCore::StoreStyleRowCol(ROWCOL nRow, ROWCOL nCol, const CGXStyle* pStyle, GXModifyType mode, int nType)
{
    CGXData* pData = GetData();
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
    if (m_bValueOnly && style.GetIncludeValue())
        return;

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
    }

    if (!style.GetIncludeValue())
        GenerateHeaderText(nRow, nCol, style);

    if (bIncludeStandard && pStylesMap != nullptr)
        if (const CGXStyle* pStandard = pStylesMap->GetStandardStyle())
            style.ApplyStyle(*pStandard, gxApplyNew);

    // The cells of a direct cut are marked until their paste.
    if (m_pParam != nullptr && m_pParam->m_bDirectCutPaste && m_pParam->m_bCutPending &&
        m_pParam->m_MarkedRanges.IsCellInList(nRow, nCol))
    {
        CGXStyleBrush brush;
        brush.SetPattern(17);
        brush.SetColor(RGB(0xC0, 0xC0, 0xC0));
        style.SetInterior(brush);
    }

    // The active control of the current cell shows the text as it is being edited.
    if (style.GetIncludeControl() && m_pCurrentCellControl != nullptr && IsCurrentCell(nRow, nCol) &&
        m_pCurrentCellControl->IsActive())
        return;

    if (style.GetIncludeValue() && style.HasUserAttribute(idNegativeColorAttribute))
    {
        const CString value = style.GetValue();
        if (!value.IsEmpty() && atof(value) < 0)
            style.SetTextColor(style.GetUserAttribute(idNegativeColorAttribute).GetDWordValue());
    }
}

void CGXGridCore::GenerateHeaderText(ROWCOL nRow, ROWCOL nCol, CGXStyle& style)
{
    if (m_pParam == nullptr)
        return;
    if (nRow == 0 && nCol > 0 && m_pParam->m_bNumberedColHeaders)
    {
        // Bijective base 26: 1 = A, 26 = Z, 27 = AA, 702 = ZZ, 703 = AAA; at most 10 letters.
        char letters[11];
        int nLetters = 0;
        ROWCOL n = nCol;
        while (n != 0 && nLetters < 10)
        {
            const ROWCOL d = n - 1;
            letters[nLetters++] = static_cast<char>('A' + d % 26);
            n = d / 26;
        }
        CString text;
        for (int i = nLetters - 1; i >= 0; --i)
            text += letters[i];
        style.SetValue(text);
    }
    else if (nCol == 0 && nRow > 0 && m_pParam->m_bNumberedRowHeaders)
    {
        CString text;
        text.Format("%lu", static_cast<unsigned long>(nRow));
        style.SetValue(text);
        style.SetValueType(GX_VT_NUMERIC);
    }
}

const CGXStyle& CGXGridCore::LookupStyleRowCol(ROWCOL nRow, ROWCOL nCol)
{
    if (m_pLookupStyle == nullptr)
        m_pLookupStyle = NewStyle();
    BuildEffectiveStyle(nRow, nCol, *m_pLookupStyle, TRUE);
    return *m_pLookupStyle;
}

BOOL CGXGridCore::StoreStyleRangeCells(const CGXRange& cells, const CGXStyle* pStyle, GXModifyType mode, int nType,
                                       const CObArray* pSavedStyles, ROWCOL nCurRow, ROWCOL nCurCol)
{
    const ROWCOL nCols = cells.right - cells.left + 1;
    BOOL bChanged = FALSE;
    for (ROWCOL nRow = cells.top;; ++nRow)
    {
        for (ROWCOL nCol = cells.left;; ++nCol)
        {
            const CGXStyle* pCellStyle = pStyle;
            if (pSavedStyles != nullptr)
            {
                const INT_PTR nIndex = static_cast<INT_PTR>(nCols) * (nRow - cells.top) + (nCol - cells.left);
                pCellStyle = nIndex < pSavedStyles->GetSize()
                                 ? static_cast<const CGXStyle*>(pSavedStyles->GetAt(nIndex))
                                 : nullptr;
            }
            if (nType < 0 || (pSavedStyles != nullptr && pCellStyle == nullptr))
            {
                // A missing saved style removes what the cell holds.
                bChanged |= StoreStyleRowCol(nRow, nCol, pCellStyle, mode, nType);
                if (m_pCurrentCellControl != nullptr &&
                    ((nRow == 0 && nCol == 0) || nRow == nCurRow || nCol == nCurCol))
                    m_pCurrentCellControl->FreeStyle(FALSE);
            }
            else
            {
                const CGXPoolStyle composed(this);
                GXBuildStyleAsItStands(this, nRow, nCol, *composed);
                const WORD nControl = pCellStyle->GetIncludeControl() ? pCellStyle->GetControl()
                                      : composed->GetIncludeControl() ? composed->GetControl()
                                                                      : 0;
                CGXControl* pControl = GetRegisteredControl(nControl);
                if (pControl != nullptr)
                    bChanged |= pControl->ApplyStyleToCell(nRow, nCol, pCellStyle, mode, nType, composed.Get());
                else
                    bChanged |= StoreStyleRowCol(nRow, nCol, pCellStyle, mode, nType);
                if (m_pCurrentCellControl != nullptr && nRow == nCurRow && nCol == nCurCol)
                    m_pCurrentCellControl->FreeStyle(FALSE);
            }
            if (nCol == cells.right)
                break;
        }
        if (nRow == cells.bottom)
            break;
    }
    return bChanged;
}

BOOL CGXGridCore::SetStyleRange(const CGXRange& range, const CGXStyle* pStyle, GXModifyType mode, int nType,
                                const CObArray* pSavedStyles, UINT nFlags, int nCommandType)
{
    if (!range.IsValid())
        return FALSE;
    const int nUndoType = nType != 0 ? nType : m_nDefaultStyleType;
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
    if (cells.bottom < cells.top || cells.right < cells.left)
        return FALSE;
    const ROWCOL nRows = cells.bottom - cells.top + 1;
    const ROWCOL nCols = cells.right - cells.left + 1;

    CObArray* pUndoStyles = nullptr;
    if (IsUndoRecorded(nCommandType))
    {
        const unsigned long long nCells = static_cast<unsigned long long>(nRows) * nCols;
        if (nCells < 0x7FFFFFFFull && nRows < 0x8000 && nCols < 0x8000)
        {
            // Cells are kept as typed, so that a data object that computes values (a formula sheet)
            // gets back the formulas, not the values they showed.
            if (!SaveStylesForUndo(cells, nType == 0 ? gxDetectValueType : nType, pUndoStyles))
                return FALSE;
        }
        else if (AfxMessageBox(GX_IDS_UNDOTOOLARGE, MB_OKCANCEL) == IDCANCEL)
            return FALSE;
        else
            m_pUndoImp->EmptyUndoHistory(this);
    }

    if (!m_bStoringStyles)
        OnChangingStyleRange(cells);
    // However it ends (an exception included), the grid records and announces its changes again as
    // before, and a record of what the cells held that no command took is freed.
    struct StoringScope
    {
        CGXGridCore* pGrid;
        BOOL bWasStoring;
        BOOL bOldRecordingLock;
        CObArray*& pUndoStyles;
        ~StoringScope()
        {
            if (pUndoStyles != nullptr)
                FreeSavedStyles(pUndoStyles);
            if (pGrid->m_pUndoImp != nullptr)
                pGrid->m_pUndoImp->LockRecording(pGrid, bOldRecordingLock);
            pGrid->m_bStoringStyles = bWasStoring;
        }
    } const storing{this, m_bStoringStyles,
                    m_pUndoImp != nullptr ? m_pUndoImp->LockRecording(this, IsUndoRecorded(nCommandType)) : FALSE,
                    pUndoStyles};
    m_bStoringStyles = TRUE;

    const INT_PTR nSavedCells = static_cast<INT_PTR>(nRows) * static_cast<INT_PTR>(nCols);
    if (pSavedStyles != nullptr && pSavedStyles->GetSize() > nSavedCells && m_pUndoImp != nullptr &&
        m_pUndoImp->RestoreCoveredCells(this, pSavedStyles->GetAt(nSavedCells), FALSE, TRUE))
        RedrawGrid(GX_INVALIDATE, FALSE);

    ROWCOL nCurRow = GX_INVALID;
    ROWCOL nCurCol = GX_INVALID;
    GetCurrentCell(nCurRow, nCurCol);
    // The values that follow the stored cells are worked out once all of them are stored (before the
    // redraw, which shows them).
    CGXRecalcHold hold(this);
    const BOOL bChanged = StoreStyleRangeCells(cells, pStyle, mode, nType, pSavedStyles, nCurRow, nCurCol);
    hold.Release();

    if (bChanged)
    {
        if (m_pUndoImp != nullptr)
            m_pUndoImp->LockRecording(this, storing.bOldRecordingLock);
        DelayFloatCells(cells);
        DelayMergeCells(cells);
        UpdateStyleRange(cells, pStyle, mode, nType, nFlags, TRUE);
        SetModifiedFlag();
        // Base styles are replayed as base styles: the record's range is the cells that hold them.
        if (pUndoStyles != nullptr)
        {
            CObArray* pRecord = pUndoStyles;
            pUndoStyles = nullptr;
            AddCommand(m_pUndoImp->CreateSetStyleRangeCmd(this, cells, nType == gxBaseStyleType ? nType : nUndoType,
                                                          pRecord, nCommandType),
                       nCommandType);
        }
        if ((nCommandType == 2 || nCommandType == 3) && cells.top > 0 && cells.left > 0)
            RestoreCurrentCell(cells.top, cells.left);
    }
    return bChanged;
}

BOOL CGXGridCore::SaveStylesForUndo(const CGXRange& range, int nType, CObArray*& pSavedStyles)
{
    pSavedStyles = new CObArray;
    pSavedStyles->SetSize(0, 64);
    for (ROWCOL nRow = range.top;; ++nRow)
    {
        for (ROWCOL nCol = range.left;; ++nCol)
        {
            CGXStyle* pSaved = NewStyle();
            if (!GetStoredStyleRowCol(nRow, nCol, *pSaved, gxCopy, nType))
            {
                // Back to the pool: a paste saves one cell at a time, mostly empty ones.
                RecycleStyle(pSaved);
                pSaved = nullptr;
            }
            pSavedStyles->Add(pSaved);
            if (nCol == range.right)
                break;
        }
        if (nRow == range.bottom)
            break;
    }
    return TRUE;
}

void CGXGridCore::FreeSavedStyles(CObArray* pSavedStyles)
{
    for (INT_PTR i = 0; i < pSavedStyles->GetSize(); ++i)
        delete pSavedStyles->GetAt(i);
    delete pSavedStyles;
}

void CGXGridCore::UpdateStyleRange(const CGXRange& range, const CGXStyle* pStyle, GXModifyType mode, int nType,
                                   UINT nFlags, BOOL bCreateHint)
{
    if (!IsLockUpdate())
    {
        CGXRange redraw(range);
        CGXRange span;
        if (range.top == range.bottom && range.left == range.right && range.top > 0 && range.left > 0 &&
            GetCellRangeRowCol(range.top, range.left, span))
            redraw = span;
        // A base style reaches every cell of its rows or columns.
        if (nType == gxBaseStyleType)
        {
            if (redraw.left == 0 && redraw.right == 0)
                redraw.right = GetColCount();
            if (redraw.top == 0 && redraw.bottom == 0)
                redraw.bottom = GetRowCount();
        }
        RedrawCellRange(redraw.top, redraw.left, redraw.bottom, redraw.right, nFlags, FALSE);
        // Formulas elsewhere may follow the stored values.
        RedrawChangedCells(nFlags);
    }
    if (bCreateHint && m_bHintsEnabled && m_pUpdateHintImp != nullptr)
        m_pUpdateHintImp->HintStyleRange(this, range, pStyle, mode, nType, nFlags);
}

void CGXGridCore::OnChangingStyleRange(const CGXRange&)
{
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
    // Typed text: the data object may read it (a date, a formula) rather than keep it as text.
    CGXStyle* pStyle = NewStyle();
    pStyle->SetValue(text);
    pStyle->SetValueType(GX_VT_TEXT);
    const BOOL bDone = SetStyleRange(CGXRange(nRow, nCol), pStyle, gxOverride, m_nValueStoreType, nFlags);
    RecycleStyle(pStyle);
    return bDone;
}

BOOL CGXGridCore::SetControlTextRowCol(ROWCOL nRow, ROWCOL nCol, const CString& text, UINT nFlags,
                                       const CGXStyle* pOldStyle)
{
    const CGXPoolStyle composed(this);
    GXBuildStyleAsItStands(this, nRow, nCol, *composed);
    CGXControl* pControl = GetRegisteredControl(composed->GetIncludeControl() ? composed->GetControl() : 0);
    return pControl != nullptr &&
           pControl->SetControlText(nRow, nCol, text, nFlags, pOldStyle ? pOldStyle : composed.Get());
}

CString CGXGridCore::GetStoredValueRowCol(ROWCOL nRow, ROWCOL nCol)
{
    CGXStyle* pStyle = NewStyle();
    GetStoredStyleRowCol(nRow, nCol, *pStyle, gxCopy, 0);
    const CString value = pStyle->GetIncludeValue() ? pStyle->GetValue() : CString();
    RecycleStyle(pStyle);
    return value;
}

// ---- Styles map, properties and base styles ----

BOOL CGXGridCore::ChangeStylesMap(CGXStylesMap* pStylesMap, UINT nFlags, int nCommandType)
{
    if (m_pParam == nullptr || pStylesMap == nullptr || (m_pParam->IsLockReadOnly() && IsReadOnly()))
        return FALSE;
    CGXStylesMap* pOld = m_pParam->GetStylesMap();
    if (IsUndoRecorded(nCommandType) && pOld != nullptr)
    {
        // The command keeps a copy of the old map; the parameter object lets go of its own.
        CGXStylesMap* pCopy = new CGXStylesMap(*pOld);
        AddCommand(m_pUndoImp->CreateChangeStylesMapCmd(this, pCopy, nCommandType), nCommandType);
    }
    if (pOld != pStylesMap)
        m_pParam->SetStylesMap(pStylesMap, TRUE);
    SetModifiedFlag();
    DelayFloatCells(CGXRange().SetTable());
    // Other grids on the same parameter object keep base styles of the old map: they look them up
    // again before the old map's styles can be used.
    if (const CPtrList* pUsers = m_pAppData->GetGridUsers(m_pParam))
        for (POSITION pos = pUsers->GetHeadPosition(); pos != nullptr;)
        {
            CGXGridCore* pGrid = static_cast<CGXGridCore*>(pUsers->GetNext(pos));
            if (pGrid != this)
                pGrid->UpdateStylesMap(nFlags, FALSE);
        }
    UpdateStylesMap(nFlags, TRUE);
    return TRUE;
}

void CGXGridCore::UpdateStylesMap(UINT nFlags, BOOL bCreateHint)
{
    LookupBaseStyles();
    if (!IsLockUpdate())
        RedrawGrid(nFlags, FALSE);
    if (bCreateHint && m_bHintsEnabled && m_pUpdateHintImp != nullptr)
        m_pUpdateHintImp->HintStylesMap(this, nFlags);
}

BOOL CGXGridCore::ChangeProperties(CGXProperties* pProperties, UINT nFlags, int nCommandType)
{
    if (m_pParam == nullptr || pProperties == nullptr || (m_pParam->IsLockReadOnly() && IsReadOnly()))
        return FALSE;
    CGXProperties* pOld = m_pParam->GetProperties();
    if (IsUndoRecorded(nCommandType) && pOld != nullptr)
        AddCommand(m_pUndoImp->CreateChangePropertiesCmd(this, new CGXProperties(*pOld), nCommandType),
                   nCommandType);
    if (pOld != pProperties)
        m_pParam->SetProperties(pProperties, TRUE);
    SetModifiedFlag();
    UpdateProperties(nFlags, TRUE);
    return TRUE;
}

void CGXGridCore::UpdateProperties(UINT nFlags, BOOL bCreateHint)
{
    if (!IsLockUpdate())
        RedrawGrid(nFlags, FALSE);
    if (bCreateHint && m_bHintsEnabled && m_pUpdateHintImp != nullptr)
        m_pUpdateHintImp->HintProperties(this, nFlags);
}

BOOL CGXGridCore::ChangeBaseStyle(WORD nBaseStyleId, const CGXStyle& style, GXModifyType mode, UINT nFlags,
                                  int nCommandType)
{
    CGXStylesMap* pStylesMap = GetStylesMap();
    if (pStylesMap == nullptr || (m_pParam->IsLockReadOnly() && IsReadOnly()))
        return FALSE;
    CGXStyle* pBaseStyle = nullptr;
    if (!pStylesMap->LookupStyle(nBaseStyleId, pBaseStyle) || pBaseStyle == nullptr)
        return FALSE;
    if (IsUndoRecorded(nCommandType))
    {
        UINT nResourceId = 0;
        const CString name = pStylesMap->GetStyleName(nBaseStyleId, nResourceId);
        CGXStyle* pOldCopy = pBaseStyle->Clone();
        AddCommand(m_pUndoImp->CreateChangeBaseStyleCmd(this, nBaseStyleId, pOldCopy, name, nCommandType),
                   nCommandType);
    }
    pBaseStyle->ApplyStyle(style, mode);
    SetModifiedFlag();
    DelayFloatCells(CGXRange().SetTable());
    UpdateBaseStyle(nBaseStyleId, nFlags, TRUE);
    return TRUE;
}

void CGXGridCore::UpdateBaseStyle(WORD nBaseStyleId, UINT nFlags, BOOL bCreateHint)
{
    LookupBaseStyles();
    ReleaseGridDC();
    if (!IsLockUpdate())
        RedrawGrid(nFlags, FALSE);
    if (bCreateHint && m_bHintsEnabled && m_pUpdateHintImp != nullptr)
        m_pUpdateHintImp->HintBaseStyle(this, nBaseStyleId, nFlags);
}

// ---- Named ranges ----

BOOL CGXGridCore::SetRangeName(LPCTSTR pszName, const CGXRange& range, CObject* pObject, UINT, int nCommandType)
{
    CGXData* pData = GetData();
    if (pData == nullptr || pszName == nullptr || (m_pParam->IsLockReadOnly() && IsReadOnly()))
        return FALSE;
    CGXRange oldRange;
    const BOOL bExisted = pData->GetRangeName(pszName, oldRange);
    if (!pData->SetRangeName(pszName, range, pObject))
        return FALSE;
    SetModifiedFlag();
    if (IsUndoRecorded(nCommandType))
        AddCommand(m_pUndoImp->CreateSetRangeNameCmd(this, pszName, bExisted, oldRange, nCommandType), nCommandType);
    return TRUE;
}

BOOL CGXGridCore::DeleteRangeName(LPCTSTR pszName, UINT, int nCommandType)
{
    CGXData* pData = GetData();
    if (pData == nullptr || pszName == nullptr || (m_pParam->IsLockReadOnly() && IsReadOnly()))
        return FALSE;
    CGXRange range;
    if (!pData->GetRangeName(pszName, range))
        return FALSE;
    CObject* pObject = nullptr;
    if (!pData->DeleteRangeName(pszName, &pObject))
        return FALSE;
    SetModifiedFlag();
    if (IsUndoRecorded(nCommandType))
        AddCommand(m_pUndoImp->CreateDeleteRangeNameCmd(this, pszName, range, pObject, nCommandType), nCommandType);
    else
        delete pObject;
    return TRUE;
}
