#include "grid/features/GridFindReplaceImp.h"

#include "framework/core/Exceptions.h"
#include "framework/dialogs/FindReplaceDialog.h"
#include "grid/core/AppData.h"
#include "grid/core/Control.h"
#include "grid/core/GridCore.h"
#include "grid/core/LongOperation.h"
#include "grid/core/SearchText.h"
#include "grid/core/Style.h"


#include <algorithm>
#include <new>

namespace
{

// The library's record, holding the texts of another record when a caller passed one.
CGXFindReplaceSettings& AdoptSettings(CGXFindReplaceSettings* pSettings)
{
    CGXFindReplaceSettings& settings = GXGetFindReplaceSettings();
    if (pSettings != nullptr && pSettings != &settings)
    {
        settings.strFind = pSettings->strFind;
        settings.strReplace = pSettings->strReplace;
        settings.bTransaction = pSettings->bTransaction;
    }
    return settings;
}

BOOL HasCells(CGXGridCore* pGrid)
{
    return pGrid->GetRowCount() > 0 && pGrid->GetColCount() > 0;
}

// The display text of a cell as a search sees it: through the published style of a column scan, or
// the cell's composed style.
CString DisplayText(CGXGridCore* pGrid, CGXControl* pControl, const CGXFindReplaceSettings& settings, ROWCOL nRow,
                    ROWCOL nCol)
{
    CGXStyle* pComposed = nullptr;
    const CGXStyle* pStyle = settings.m_pStyle;
    if (pStyle == nullptr)
    {
        pComposed = pGrid->NewStyle();
        pGrid->BuildEffectiveStyle(nRow, nCol, *pComposed);
        pStyle = pComposed;
    }
    if (pControl == nullptr)
        pControl = pGrid->GetRegisteredControl(pStyle->GetIncludeControl() ? pStyle->GetControl() : 0);
    CString text;
    if (pControl == nullptr || !pControl->GetControlText(text, nRow, nCol, nullptr, *pStyle))
        text.Empty();
    if (pComposed != nullptr)
        pGrid->RecycleStyle(pComposed);
    return text;
}

// The progress of a column scan: 100 per row, in percent of the rows to scan.
void ShowScanProgress(CGXLongOperation& operation, DWORD& nCounter, ROWCOL nRowsToScan)
{
    nCounter += 100;
    if (operation.IsTimeElapsed())
        CGXLongOperation::SetPercentDone(static_cast<int>(nCounter / (static_cast<DWORD>(nRowsToScan) + 1)));
}

// The composed style of the cell being scanned, published in the settings for the cell's control
// for a scope: never left behind, whatever ends the scope.
class ScanStyle
{
public:
    ScanStyle(CGXFindReplaceSettings& settings, const CGXStyle* pStyle) : m_settings(settings)
    {
        settings.m_pStyle = pStyle;
    }
    ~ScanStyle() { m_settings.m_pStyle = nullptr; }
    ScanStyle(const ScanStyle&) = delete;
    ScanStyle& operator=(const ScanStyle&) = delete;

private:
    CGXFindReplaceSettings& m_settings;
};

// The control that draws a cell of the given composed style.
CGXControl* ControlOfStyle(CGXGridCore* pGrid, const CGXStyle& style)
{
    return pGrid->GetRegisteredControl(style.GetIncludeControl() ? style.GetControl() : 0);
}

} // namespace

BOOL CGXGridFindReplaceImp::OnShowFindReplaceDialog(CGXGridCore* pGrid, BOOL bFindOnly)
{
    if (!HasCells(pGrid))
        return FALSE;
    CGXFindReplaceSettings& settings = GXGetFindReplaceSettings();
    settings.m_pGrid = pGrid;

    ROWCOL nRow = 0;
    ROWCOL nCol = 0;
    if (!pGrid->GetCurrentCell(nRow, nCol))
        pGrid->MoveCurrentCell(std::min(pGrid->GetTopRow(), pGrid->GetRowCount()),
                               std::min(pGrid->GetLeftCol(), pGrid->GetColCount()), GX_SCROLLINVIEW | GX_SMART);
    else
        pGrid->ScrollCellInView(nRow, nCol, GX_SMART);

    CString text;
    pGrid->GetCurrentCellText(text);
    if (text.IsEmpty())
        text = settings.strFind;
    return CreateFindDialog(pGrid, bFindOnly, text, pGrid->GridWnd());
}

BOOL CGXGridFindReplaceImp::CreateFindDialog(CGXGridCore*, BOOL bFindOnly, const CString& findText,
                                             CWnd* pParentWnd)
{
    CGXFindReplaceSettings& settings = GXGetFindReplaceSettings();
    HWND hOpen = settings.pFindReplaceDlg != nullptr ? settings.pFindReplaceDlg->GetSafeHwnd() : nullptr;
    if (hOpen != nullptr && ::IsWindow(hOpen))
    {
        if (settings.bFindOnly == bFindOnly)
        {
            ::SetActiveWindow(hOpen);
            ::ShowWindow(hOpen, SW_SHOW);
            return TRUE;
        }
        // There is one dialog per process: the other kind goes.
        ::SendMessageA(hOpen, WM_CLOSE, 0, 0);
    }
    settings.pFindReplaceDlg = nullptr;
    settings.m_pParentWnd = pParentWnd;

    auto* pDialog = new (std::nothrow) CFindReplaceDialog;
    if (pDialog == nullptr)
        return FALSE;
    DWORD dwFlags = FR_HIDEWHOLEWORD;
    if (settings.bNext)
        dwFlags |= FR_DOWN;
    if (settings.bCase)
        dwFlags |= FR_MATCHCASE;
    if (!pDialog->Create(bFindOnly, findText, settings.strReplace, dwFlags, pParentWnd))
    {
        // Without a window the object never reaches its self-deletion.
        delete pDialog;
        return FALSE;
    }
    settings.pFindReplaceDlg = pDialog;
    settings.bFindOnly = bFindOnly;
    return TRUE;
}

BOOL CGXGridFindReplaceImp::OnFindReplace(CGXGridCore* pGrid, CWnd* pDialog)
{
    CGXFindReplaceSettings& settings = GXGetFindReplaceSettings();
    // The dialog's messages reach the grid that opened it last, whichever window owns the dialog.
    if (settings.m_pGrid != nullptr && settings.m_pGrid != pGrid)
        return settings.m_pGrid->OnFindReplace(pDialog);
    auto* pFindDialog = dynamic_cast<CFindReplaceDialog*>(pDialog);
    if (pFindDialog == nullptr)
        return FALSE;

    if (pFindDialog->IsTerminating())
    {
        if (settings.pFindReplaceDlg == pFindDialog)
            settings.pFindReplaceDlg = nullptr;
        return TRUE;
    }
    settings.strFind = pFindDialog->GetFindString();
    if (pFindDialog->FindNext())
        return pGrid->OnFindNext(&settings, pFindDialog->SearchDown(), pFindDialog->MatchCase());
    if (pFindDialog->ReplaceCurrent())
        return pGrid->OnReplaceSel(&settings, pFindDialog->SearchDown(), pFindDialog->MatchCase(),
                                   pFindDialog->GetReplaceString());
    if (pFindDialog->ReplaceAll())
    {
        settings.bTransaction = TRUE;
        return pGrid->OnReplaceAll(&settings, pFindDialog->GetReplaceString(), pFindDialog->MatchCase());
    }
    return FALSE;
}

BOOL CGXGridFindReplaceImp::OnFindNext(CGXGridCore* pGrid, CGXFindReplaceSettings* pSettings, BOOL bNext,
                                       BOOL bCase)
{
    if (!HasCells(pGrid))
        return FALSE;
    CGXFindReplaceSettings& settings = AdoptSettings(pSettings);
    settings.bNext = bNext;
    settings.bCase = bCase;
    settings.PrepareSearchText();
    return pGrid->FindNextText(TRUE);
}

BOOL CGXGridFindReplaceImp::FindNextText(CGXGridCore* pGrid, BOOL bSetCell)
{
    ROWCOL nRow = 0;
    ROWCOL nCol = 0;
    if (!pGrid->GetCurrentCell(nRow, nCol))
        return FALSE;
    CGXFindReplaceSettings& settings = GXGetFindReplaceSettings();
    // An empty find text would match everywhere and never move on: it finds nothing.
    if (settings.strFind.IsEmpty())
    {
        if (bSetCell)
            pGrid->SignalTextNotFound(settings.strFind);
        return FALSE;
    }

    CGXLongOperation operation;
    pGrid->m_nLastSearchRow = nRow;
    CGXControl* pControl = pGrid->GetControl(nRow, nCol);
    BOOL bFound = pControl != nullptr && pControl->FindText(settings, nRow, nCol, FALSE, bSetCell);
    if (!bFound)
        bFound = pGrid->FindTextFromCell(nRow, nCol, bSetCell);
    if (!bFound && bSetCell)
        pGrid->SignalTextNotFound(settings.strFind);
    return bFound;
}

BOOL CGXGridFindReplaceImp::FindTextFromCell(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, BOOL bSetCell)
{
    CGXFindReplaceSettings& settings = GXGetFindReplaceSettings();
    if (settings.strFind.IsEmpty())
        return FALSE;
    const BOOL bDown = settings.bNext;
    const ROWCOL nRowsToScan = bDown ? pGrid->GetRowCount() - std::min(nRow, pGrid->GetRowCount()) : nRow;

    CGXLongOperation operation;
    operation.SetStatusText(pGrid->GetAppData()->GetOperationText(GX_IDS_SEARCHINGVALUES));
    pGrid->m_bSearchAborted = FALSE;
    DWORD nCounter = 0;

    ROWCOL nScanRow = bDown ? nRow + 1 : nRow - 1;
    BOOL bFound = FALSE;
    CGXStyle* pStyle = pGrid->NewStyle();
    while (nScanRow != 0 && nScanRow <= pGrid->GetRowCount())
    {
        ShowScanProgress(operation, nCounter, nRowsToScan);
        BOOL bAbort = FALSE;
        operation.DoMessagesCheckAbort(bAbort);
        if (bAbort)
        {
            pGrid->m_bSearchAborted = TRUE;
            break;
        }
        pGrid->BuildEffectiveStyle(nScanRow, nCol, *pStyle);
        if (!pStyle->GetIncludeEnabled() || pStyle->GetEnabled())
        {
            CGXControl* pControl = ControlOfStyle(pGrid, *pStyle);
            const ScanStyle published(settings, pStyle);
            bFound = pControl != nullptr && pControl->FindText(settings, nScanRow, nCol, FALSE, bSetCell);
        }
        if (bFound)
            break;
        nScanRow = bDown ? nScanRow + 1 : nScanRow - 1;
        pGrid->EnsureGridDimension(nScanRow + 1, 0);
    }
    pGrid->RecycleStyle(pStyle);
    return bFound;
}

BOOL CGXGridFindReplaceImp::FindInCell(CGXGridCore* pGrid, CGXControl* pControl,
                                       const CGXFindReplaceSettings& settings, ROWCOL nRow, ROWCOL nCol,
                                       BOOL bCurrentPos, BOOL bSetCell)
{
    // The current cell is left to its control's own search.
    if (!bCurrentPos && pGrid->IsCurrentCell(nRow, nCol))
        return FALSE;
    if (settings.strFindUpper.IsEmpty())
        return FALSE;
    CString text = DisplayText(pGrid, pControl, settings, nRow, nCol);
    if (!settings.bCase)
        text = GXUpperCased(text);
    if (GXFindFrom(text, settings.strFindUpper, 0) < 0)
        return FALSE;
    if (bSetCell)
        pGrid->MoveCurrentCell(nRow, nCol, GX_SCROLLINVIEW | GX_SMART);
    return TRUE;
}

BOOL CGXGridFindReplaceImp::ReplaceInCell(CGXGridCore* pGrid, CGXControl* pControl,
                                          const CGXFindReplaceSettings& settings, ROWCOL nRow, ROWCOL nCol)
{
    const CString& search = settings.strFindUpper;
    if (search.IsEmpty())
        return FALSE;
    const CString text = DisplayText(pGrid, pControl, settings, nRow, nCol);
    const CString work = settings.bCase ? text : GXUpperCased(text);

    // Built in a string of any length; the parts between the hits keep their case.
    CString result;
    int nPos = 0;
    BOOL bHit = FALSE;
    for (int nHit = GXFindFrom(work, search, nPos); nHit >= 0; nHit = GXFindFrom(work, search, nPos))
    {
        bHit = TRUE;
        result += text.Mid(nPos, nHit - nPos);
        result += settings.strReplace;
        nPos = nHit + search.GetLength();
    }
    if (!bHit)
        return FALSE;
    result += text.Mid(nPos);
    return pGrid->SetControlTextRowCol(nRow, nCol, result, GX_SMART, settings.m_pStyle);
}

BOOL CGXGridFindReplaceImp::OnReplaceSel(CGXGridCore* pGrid, CGXFindReplaceSettings* pSettings, BOOL bNext,
                                         BOOL bCase, LPCTSTR pszReplace)
{
    ROWCOL nRow = 0;
    ROWCOL nCol = 0;
    if (!HasCells(pGrid) || !pGrid->GetCurrentCell(nRow, nCol))
        return FALSE;
    CGXFindReplaceSettings& settings = AdoptSettings(pSettings);
    settings.strReplace = pszReplace != nullptr ? pszReplace : "";
    settings.bCase = bCase;
    settings.bNext = bNext;
    settings.PrepareSearchText();
    if (settings.strFind.IsEmpty())
    {
        pGrid->SignalTextNotFound(settings.strFind);
        return FALSE;
    }

    CGXLongOperation operation;
    pGrid->m_nLastSearchRow = nRow;
    BOOL bFound = FALSE;
    CGXControl* pControl = pGrid->GetControl(nRow, nCol);
    if (pControl != nullptr && pControl->FindText(settings, nRow, nCol, TRUE, TRUE))
    {
        pControl->ReplaceSel(settings.strReplace);
        // A further hit in the same cell comes first.
        if (pControl->FindText(settings, nRow, nCol, TRUE, FALSE))
        {
            pControl->FindText(settings, nRow, nCol, TRUE, TRUE);
            return TRUE;
        }
    }
    bFound = pGrid->FindTextFromCell(nRow, nCol, TRUE);
    if (!bFound)
        pGrid->SignalTextNotFound(settings.strFind);
    return bFound;
}

BOOL CGXGridFindReplaceImp::OnReplaceAll(CGXGridCore* pGrid, CGXFindReplaceSettings* pSettings, LPCTSTR pszReplace,
                                         BOOL bCase)
{
    ROWCOL nRow = 0;
    ROWCOL nCol = 0;
    if (!HasCells(pGrid) || !pGrid->GetCurrentCell(nRow, nCol))
        return FALSE;
    CGXFindReplaceSettings& settings = AdoptSettings(pSettings);
    settings.strReplace = pszReplace != nullptr ? pszReplace : "";
    settings.bCase = bCase;
    settings.bNext = TRUE;
    settings.PrepareSearchText();
    // An empty find text would match everywhere: it changes nothing.
    if (settings.strFind.IsEmpty())
    {
        pGrid->SignalTextNotFound(settings.strFind);
        return FALSE;
    }

    CGXLongOperation operation;
    operation.SetStatusText(pGrid->GetAppData()->GetOperationText(GX_IDS_REPLACINGVALUES));
    const BOOL bOldCanRollback = CGXLongOperation::SetCanRollback(TRUE);
    CGXLongOperation::IgnoreNestedLevels(TRUE);
    const BOOL bGroup = settings.bTransaction;
    CGXTransactionScope transaction(pGrid, pGrid->GetAppData()->GetOperationText(GX_IDS_REPLACEALL), bGroup);

    pGrid->m_bSearchAborted = FALSE;
    const ROWCOL nRowsToScan = pGrid->GetRowCount() - std::min(nRow, pGrid->GetRowCount());
    DWORD nCounter = 0;
    BOOL bReplaced = FALSE;
    {
        const CGXPoolStyle style(pGrid);
        // The grid is redrawn once, at the end, and what follows the replaced cells is worked out
        // then (the redraw lock holds the recalculation). A formula the scan reads on the way is
        // brought up to date as it is read: what it depends on, after the cells replaced so far.
        CGXLockUpdateScope lock(pGrid);
        for (ROWCOL nScanRow = nRow; nScanRow <= pGrid->GetRowCount();)
        {
            ShowScanProgress(operation, nCounter, nRowsToScan);
            BOOL bAbort = FALSE;
            operation.DoMessagesCheckAbort(bAbort);
            if (bAbort)
            {
                pGrid->m_bSearchAborted = TRUE;
                break;
            }
            // Disabled cells are not skipped here.
            pGrid->BuildEffectiveStyle(nScanRow, nCol, *style);
            CGXControl* pControl = ControlOfStyle(pGrid, *style);
            const ScanStyle published(settings, style.Get());
            if (pControl != nullptr && pControl->ReplaceAll(settings, nScanRow, nCol))
                bReplaced = TRUE;
            if (nScanRow == GX_MAXROWCOL)
                break;
            ++nScanRow;
            pGrid->EnsureGridDimension(nScanRow + 1, 0);
        }
        lock.Restore();
    }
    CGXLongOperation::SetPercentDone(-1);
    CGXLongOperation::IgnoreNestedLevels(FALSE);

    const BOOL bAborted = pGrid->m_bSearchAborted;
    if (bAborted && bGroup && CGXLongOperation::GetRollbackConfirmedState())
    {
        transaction.Rollback();
        bReplaced = FALSE;
    }
    else
    {
        if (!bReplaced && !bAborted)
            pGrid->SignalTextNotFound(settings.strFind);
        transaction.Commit();
    }
    CGXLongOperation::SetCanRollback(bOldCanRollback);
    // Also after an abort: what was replaced stays, and the values that follow it must too.
    pGrid->Recalc(TRUE, nullptr, TRUE);
    if (bAborted && !bGroup)
        AfxThrowUserException();
    return bReplaced;
}

void CGXGridCore::InstallFindReplace()
{
    if (m_pFindReplaceImp != nullptr)
        return;
    // Without memory the feature is simply missing.
    auto* pImp = new (std::nothrow) CGXGridFindReplaceImp;
    if (pImp == nullptr)
        return;
    m_pFindReplaceImp = pImp;
    AddImplementationObject(pImp);
}
