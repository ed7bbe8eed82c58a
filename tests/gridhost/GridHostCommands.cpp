#include "tests/gridhost/GridHostCommands.h"

#include "framework/docview/DocTemplate.h"
#include "framework/docview/MDIFrameWnd.h"
#include "framework/win/FrameworkIds.h"
#include "framework/win/Seams.h"
#include "framework/win/WinApp.h"
#include "grid/core/Font.h"
#include "grid/core/GridParam.h"
#include "grid/core/LibraryLinks.h"
#include "grid/core/Properties.h"
#include "grid/core/Style.h"
#include "grid/core/StylesMap.h"
#include "grid/core/LongOperation.h"
#include "grid/core/Range.h"
#include "grid/core/SortInfoArray.h"
#include "tests/gridhost/GridHostApp.h"
#include "tests/gridhost/GridHostDoc.h"
#include "tests/gridhost/GridHostDump.h"
#include "tests/gridhost/GridHostFrames.h"
#include "tests/gridhost/GridHostResources.h"
#include "tests/gridhost/GridHostView.h"

#include <cstdlib>
#include <cstring>
#include <string>

namespace
{
ROWCOL Number(const CGridHostValues& values, size_t nIndex)
{
    return nIndex < values.size() ? static_cast<ROWCOL>(std::strtoul(values[nIndex], nullptr, 10)) : 0;
}

// Bounds (top, left, bottom, right) as a range: all zero is the table, zero columns whole rows, zero
// rows whole columns.
CGXRange RangeOf(const CGridHostValues& values)
{
    const ROWCOL nTop = Number(values, 0);
    const ROWCOL nLeft = Number(values, 1);
    const ROWCOL nBottom = Number(values, 2);
    const ROWCOL nRight = Number(values, 3);
    CGXRange range;
    if (nTop == 0 && nLeft == 0 && nBottom == 0 && nRight == 0)
        range.SetTable();
    else if (nLeft == 0 && nRight == 0)
        range.SetRows(nTop, nBottom);
    else if (nTop == 0 && nBottom == 0)
        range.SetCols(nLeft, nRight);
    else
        range.SetCells(nTop, nLeft, nBottom, nRight);
    return range;
}

// ---- The commands ----

void Dump(CGridHostContext& context, const CGridHostValues&)
{
    GridHostWriteDump(context.app, context.app.m_strDumpPath);
}

void ResetSample(CGridHostContext& context, const CGridHostValues&)
{
    context.pDoc->ResetSample(context.app.m_nRows, context.app.m_nCols);
    for (CGridHostView* pView : context.app.GetViews())
    {
        pView->MoveCurrentCell(GX_INVALID, GX_INVALID);
        pView->SetTopRow(1, GX_INVALIDATE, FALSE, FALSE);
        pView->SetLeftCol(1, GX_INVALIDATE, FALSE, FALSE);
        pView->RedrawGrid(GX_INVALIDATE, FALSE);
    }
}

void InsertRows(CGridHostContext& context, const CGridHostValues& values)
{
    context.pView->InsertRows(Number(values, 0), Number(values, 1));
}

void RemoveRows(CGridHostContext& context, const CGridHostValues& values)
{
    context.pView->RemoveRows(Number(values, 0), Number(values, 1));
}

void ColumnWidth(CGridHostContext& context, const CGridHostValues& values)
{
    const ROWCOL nCol = Number(values, 0);
    context.pView->SetColWidth(nCol, nCol, static_cast<int>(Number(values, 1)));
}

void RowHeight(CGridHostContext& context, const CGridHostValues& values)
{
    const ROWCOL nRow = Number(values, 0);
    context.pView->SetRowHeight(nRow, nRow, static_cast<int>(Number(values, 1)));
}

// As a typed value is stored: a text that reads as a number is stored as that number.
void SetValue(CGridHostContext& context, const CGridHostValues& values)
{
    const CGXRange cell(Number(values, 0), Number(values, 1));
    const CString text = values.size() > 2 ? values[2] : CString();
    // With a formula sheet the text is read as typed: "=A1*3" is a formula.
    if (context.app.m_bFormula)
    {
        context.pView->StoreCellValueText(cell.top, cell.left, text);
        return;
    }
    double dValue = 0;
    if (GXParseNumber(text, dValue))
        context.pView->SetStyleRange(cell, CGXStyle().SetValue(dValue));
    else
        context.pView->SetValueRange(cell, text);
}

void BatchEdit(CGridHostContext& context, const CGridHostValues&)
{
    CGridHostView& grid = *context.pView;
    grid.BeginTrans("Batch Edit");
    grid.SetValueRange(CGXRange(1, 1), "x");
    grid.SetValueRange(CGXRange(2, 2), "y");
    grid.SetValueRange(CGXRange(3, 3), "z");
    grid.SetColWidth(2, 2, 100);
    grid.CommitTrans();
}

// Sets (1,1) to "slow 1" .. "slow 40", one every 100 ms, under a long operation that may be aborted
// and rolled back.
void SlowOperation(CGridHostContext& context, const CGridHostValues&)
{
    CGridHostView& grid = *context.pView;
    const int nSteps = 40;
    const DWORD dwStepMs = 100;
    CGXLongOperation operation;
    operation.SetStatusText("Slow operation ...", TRUE);
    CGXLongOperation::SetCanAbort(TRUE);
    CGXLongOperation::SetCanRollback(TRUE);
    grid.BeginTrans("Slow Operation");
    BOOL bAbort = FALSE;
    for (int i = 1; i <= nSteps && !bAbort; ++i)
    {
        CString value;
        value.Format("slow %d", i);
        grid.SetValueRange(CGXRange(1, 1), value);
        CGXLongOperation::SetPercentDone(i * 100 / nSteps);
        const DWORD dwStart = AfxGetTickCount();
        while (!bAbort && AfxGetTickCount() - dwStart < dwStepMs)
        {
            operation.DoMessagesCheckAbort(bAbort);
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
        }
    }
    if (bAbort && CGXLongOperation::GetRollbackConfirmedState())
        grid.Rollback();
    else
        grid.CommitTrans();
}

void ToggleUndo(CGridHostContext& context, const CGridHostValues&)
{
    CGXGridParam* pParam = context.pDoc->GetParam();
    pParam->EnableUndo(!pParam->IsEnableUndo());
}

void SetTopRow(CGridHostContext& context, const CGridHostValues& values)
{
    context.pView->SetTopRow(Number(values, 0));
}

void ActivateView(CGridHostContext& context, size_t nIndex)
{
    const std::vector<CGridHostView*> views = context.app.GetViews();
    if (nIndex >= views.size())
        return;
    CGridHostView* pView = views[nIndex];
    CFrameWnd* pFrame = pView->GetParentFrame();
    context.app.GetMainFrame()->MDIActivate(pFrame);
    pFrame->SetActiveView(pView);
}

void ActivateView1(CGridHostContext& context, const CGridHostValues&)
{
    ActivateView(context, 0);
}

void ActivateView2(CGridHostContext& context, const CGridHostValues&)
{
    ActivateView(context, 1);
}

void GoToCell(CGridHostContext& context, const CGridHostValues& values)
{
    context.pView->MoveCurrentCell(Number(values, 0), Number(values, 1));
}

void NewSplitWindow(CGridHostContext& context, const CGridHostValues&)
{
    CDocTemplate* pTemplate = context.app.GetSplitTemplate();
    CFrameWnd* pFrame = pTemplate->CreateNewFrame(context.pDoc, nullptr);
    if (pFrame != nullptr)
        pTemplate->InitialUpdateFrame(pFrame, context.pDoc);
}

// The selection goes through the grid's selection component; every view shows the change.
void ChangeSelection(CGridHostContext& context, BOOL bClear, const CGXRange* pRange)
{
    CGridHostView& grid = *context.pView;
    if (bClear)
        grid.SetSelection(nullptr);
    if (pRange != nullptr)
        grid.SelectRange(*pRange, TRUE);
}

void SelectRange(CGridHostContext& context, const CGridHostValues& values)
{
    const CGXRange range = RangeOf(values);
    ChangeSelection(context, TRUE, &range);
}

void AddRange(CGridHostContext& context, const CGridHostValues& values)
{
    const CGXRange range = RangeOf(values);
    ChangeSelection(context, FALSE, &range);
}

void ClearSelection(CGridHostContext& context, const CGridHostValues&)
{
    ChangeSelection(context, TRUE, nullptr);
}

void SaveGrid(CGridHostContext& context, const CGridHostValues& values)
{
    if (!values.empty())
        context.pDoc->SaveGrid(values[0]);
}

void OpenGrid(CGridHostContext& context, const CGridHostValues& values)
{
    if (!values.empty())
        context.pDoc->OpenGrid(values[0]);
}

// The styles map and the properties, in the profile the application chose at start-up.
void WriteSettings(CGridHostContext& context, const CGridHostValues&)
{
    CGXGridParam* pParam = context.pDoc->GetParam();
    if (pParam->GetStylesMap() != nullptr)
        pParam->GetStylesMap()->WriteProfile();
    if (pParam->GetProperties() != nullptr)
        pParam->GetProperties()->WriteProfile();
}

void ReadSettings(CGridHostContext& context, const CGridHostValues&)
{
    CGXGridParam* pParam = context.pDoc->GetParam();
    if (pParam->GetStylesMap() != nullptr)
        pParam->GetStylesMap()->ReadProfile();
    if (pParam->GetProperties() != nullptr)
        pParam->GetProperties()->ReadProfile();
    for (CGridHostView* pView : context.app.GetViews())
        pView->RedrawGrid(GX_INVALIDATE, FALSE);
}

void CellFormat(CGridHostContext& context, const CGridHostValues& values)
{
    CGXStyle style;
    style.SetFormat(static_cast<unsigned>(Number(values, 2))).SetPlaces(static_cast<unsigned>(Number(values, 3)));
    context.pView->SetStyleRange(CGXRange(Number(values, 0), Number(values, 1)), style);
}

// ---- Find and replace, sorting, hidden lines and fitting ----

void Find(CGridHostContext& context, const CGridHostValues&)
{
    context.pView->OnShowFindReplaceDialog(TRUE);
}

void Replace(CGridHostContext& context, const CGridHostValues&)
{
    context.pView->OnShowFindReplaceDialog(FALSE);
}

// One key: the line, descending 0/1, kind 0-3; the whole table sorts.
void Sort(CGridHostContext& context, const CGridHostValues& values, BOOL bRows)
{
    CGXSortInfoArray keys;
    keys.SetSize(1);
    keys[0].nRC = Number(values, 0);
    keys[0].sortOrder = static_cast<int>(Number(values, 1));
    keys[0].sortType = static_cast<int>(Number(values, 2));
    CGXRange table;
    table.SetTable();
    if (bRows)
        context.pView->SortRows(table, keys);
    else
        context.pView->SortCols(table, keys);
}

void SortRows(CGridHostContext& context, const CGridHostValues& values)
{
    Sort(context, values, TRUE);
}

void SortCols(CGridHostContext& context, const CGridHostValues& values)
{
    Sort(context, values, FALSE);
}

void HeaderSort(CGridHostContext& context, const CGridHostValues&)
{
    CGXGridParam* pParam = context.pDoc->GetParam();
    pParam->m_bSortRowsOnColHeaderDblClk = !pParam->m_bSortRowsOnColHeaderDblClk;
    pParam->m_bSortColsOnRowHeaderDblClk = !pParam->m_bSortColsOnRowHeaderDblClk;
}

void HideRows(CGridHostContext& context, const CGridHostValues& values)
{
    context.pView->HideRows(Number(values, 0), Number(values, 1), TRUE);
}

void ShowRows(CGridHostContext& context, const CGridHostValues& values)
{
    context.pView->HideRows(Number(values, 0), Number(values, 1), FALSE);
}

void HideCols(CGridHostContext& context, const CGridHostValues& values)
{
    context.pView->HideCols(Number(values, 0), Number(values, 1), TRUE);
}

void ShowCols(CGridHostContext& context, const CGridHostValues& values)
{
    context.pView->HideCols(Number(values, 0), Number(values, 1), FALSE);
}

void FitRows(CGridHostContext& context, const CGridHostValues& values)
{
    context.pView->ResizeRowHeightsToFit(CGXRange().SetRows(Number(values, 0), Number(values, 1)), TRUE,
                                         static_cast<UINT>(Number(values, 2)));
}

void FitCols(CGridHostContext& context, const CGridHostValues& values)
{
    context.pView->ResizeColWidthsToFit(CGXRange().SetCols(Number(values, 0), Number(values, 1)), TRUE,
                                        static_cast<UINT>(Number(values, 2)));
}

void CoverCells(CGridHostContext& context, const CGridHostValues& values)
{
    context.pView->SetCoveredCellsRowCol(Number(values, 0), Number(values, 1), Number(values, 2),
                                         Number(values, 3));
}

void UncoverCells(CGridHostContext& context, const CGridHostValues& values)
{
    const ROWCOL nTop = Number(values, 0);
    const ROWCOL nLeft = Number(values, 1);
    context.pView->SetCoveredCellsRowCol(nTop, nLeft, nTop, nLeft);
}

void MergeMode(CGridHostContext& context, const CGridHostValues& values)
{
    context.pView->SetMergeCellsMode(static_cast<WORD>(Number(values, 0)));
}

void FloatMode(CGridHostContext& context, const CGridHostValues& values)
{
    context.pView->SetFloatCellsMode(static_cast<WORD>(Number(values, 0)));
}

// The current cell's font turned by the tenths of a degree.
void RotateFont(CGridHostContext& context, const CGridHostValues& values)
{
    ROWCOL nRow = 0;
    ROWCOL nCol = 0;
    if (!context.pView->GetCurrentCell(nRow, nCol))
        return;
    CGXStyle style;
    style.SetFont(CGXFont().SetOrientation(std::strtol(values.empty() ? "0" : values[0], nullptr, 10)));
    context.pView->SetStyleRange(CGXRange(nRow, nCol), style);
}

// Switches the row-banded drawing of the sample on or off in every view.
void RowBanded(CGridHostContext& context, const CGridHostValues&)
{
    CGXGridParam* pParam = context.pDoc->GetParam();
    pParam->m_bRowBandedDrawing = !pParam->m_bRowBandedDrawing;
    for (CGridHostView* pView : context.app.GetViews())
    {
        pView->m_bOldDrawing = pParam->m_bRowBandedDrawing;
        pView->RedrawGrid(GX_INVALIDATE, FALSE);
    }
}

WORD Hex(const CGridHostValues& values, size_t nIndex)
{
    return nIndex < values.size() ? static_cast<WORD>(std::strtoul(values[nIndex], nullptr, 16)) : 0;
}

void SelectionFlags(CGridHostContext& context, const CGridHostValues& values)
{
    context.pDoc->GetParam()->SetSelectionFlags(Hex(values, 0));
}

void ListBoxMode(CGridHostContext& context, const CGridHostValues& values)
{
    context.pDoc->GetParam()->m_wListBoxSelection = static_cast<WORD>(Number(values, 0));
}

void ClickKeepsRange(CGridHostContext& context, const CGridHostValues&)
{
    CGXGridParam* pParam = context.pDoc->GetParam();
    pParam->m_bClickKeepsRange = !pParam->m_bClickKeepsRange;
}

void ResizeFlags(CGridHostContext& context, const CGridHostValues& values)
{
    CGXGridParam* pParam = context.pDoc->GetParam();
    pParam->SetRowResizeFlags(Hex(values, 0));
    pParam->SetColResizeFlags(Hex(values, 1));
}

void MoveRows(CGridHostContext& context, const CGridHostValues& values)
{
    context.pView->MoveRows(Number(values, 0), Number(values, 1), Number(values, 2));
}

void MoveCols(CGridHostContext& context, const CGridHostValues& values)
{
    context.pView->MoveCols(Number(values, 0), Number(values, 1), Number(values, 2));
}

// The switches are each view's; all views follow the active one's.
void KeyAutoScroll(CGridHostContext& context, const CGridHostValues&)
{
    const BOOL bOn = !context.pView->m_bAutoScrollKeys;
    for (CGridHostView* pView : context.app.GetViews())
        pView->m_bAutoScrollKeys = bOn;
}

void ScrollBarAutoScroll(CGridHostContext& context, const CGridHostValues&)
{
    const BOOL bOn = !context.pView->m_bAutoScrollArrows;
    for (CGridHostView* pView : context.app.GetViews())
        pView->m_bAutoScrollArrows = bOn;
}

// ---- Clipboard, direct copy and move, freezing ----

void EditCut(CGridHostContext& context, const CGridHostValues&)
{
    context.pView->Cut();
}

void EditCopy(CGridHostContext& context, const CGridHostValues&)
{
    context.pView->Copy();
}

void EditPaste(CGridHostContext& context, const CGridHostValues&)
{
    context.pView->Paste();
}

void EditClear(CGridHostContext& context, const CGridHostValues&)
{
    context.pView->Clear(FALSE);
}

void ClearStyles(CGridHostContext& context, const CGridHostValues&)
{
    context.pView->Clear(TRUE);
}

void DirectCopy(CGridHostContext& context, const CGridHostValues&)
{
    CGXGridParam* pParam = context.pDoc->GetParam();
    pParam->m_bDirectCopyPaste = !pParam->m_bDirectCopyPaste;
}

void DirectCut(CGridHostContext& context, const CGridHostValues&)
{
    CGXGridParam* pParam = context.pDoc->GetParam();
    pParam->m_bDirectCutPaste = !pParam->m_bDirectCutPaste;
}

// The flags in hex; the separators as typed (empty: TAB).
void ClipboardOptions(CGridHostContext& context, const CGridHostValues& values)
{
    for (CGridHostView* pView : context.app.GetViews())
    {
        pView->m_nClipboardFlags = values.empty() ? 0x38 : std::strtoul(values[0], nullptr, 16);
        pView->m_sClipboardCopySeparator = values.size() > 1 ? values[1] : CString();
        pView->m_sClipboardPasteSeparators = values.size() > 2 ? values[2] : CString();
    }
}

// The block of the first selected range, or the current cell.
BOOL SourceBlock(CGridHostView& grid, CGXRange& range)
{
    CGXRangeList ranges;
    if (!grid.GetSelectedRanges(ranges, TRUE))
        return FALSE;
    range = *ranges.GetHead();
    range.ExpandToCells(1, 1, grid.GetRowCount(), grid.GetColCount());
    return TRUE;
}

void CopyCellsTo(CGridHostContext& context, const CGridHostValues& values)
{
    CGXRange range;
    if (SourceBlock(*context.pView, range))
        context.pView->CopyCells(range, Number(values, 0), Number(values, 1));
}

void MoveCellsTo(CGridHostContext& context, const CGridHostValues& values)
{
    CGXRange range;
    if (SourceBlock(*context.pView, range))
        context.pView->MoveCells(range, Number(values, 0), Number(values, 1));
}

void FillOptions(CGridHostContext& context, const CGridHostValues& values)
{
    context.pDoc->GetParam()->m_wFillFlags = static_cast<WORD>(Number(values, 0));
}

void SpreadsheetFrame(CGridHostContext& context, const CGridHostValues&)
{
    CGXGridParam* pParam = context.pDoc->GetParam();
    pParam->m_bExcelLikeFrame = !pParam->m_bExcelLikeFrame;
    // The frame brings its handle: both answer the hit test only while it shows.
    context.pView->m_bSelectionFrame = pParam->m_bExcelLikeFrame;
    context.pView->m_bFillHandle = pParam->m_bExcelLikeFrame;
    context.pView->RedrawGrid(GX_INVALIDATE, TRUE);
}

void FreezeCols(CGridHostContext& context, const CGridHostValues&)
{
    context.pView->FreezeCols();
}

void UnfreezeCols(CGridHostContext& context, const CGridHostValues&)
{
    context.pView->UnfreezeCols();
}

void FreezeRows(CGridHostContext& context, const CGridHostValues&)
{
    context.pView->FreezeRows();
}

void UnfreezeRows(CGridHostContext& context, const CGridHostValues&)
{
    context.pView->UnfreezeRows();
}

void MarkHeaders(CGridHostContext& context, const CGridHostValues&)
{
    CGXProperties* pProperties = context.pView->GetProperties();
    pProperties->SetMarkRowHeader(!pProperties->GetMarkRowHeader());
    pProperties->SetMarkColHeader(!pProperties->GetMarkColHeader());
    context.pView->RedrawGrid(GX_INVALIDATE, TRUE);
}

// ---- Printing, cell tips and the tab window ----

void PageOrder(CGridHostContext& context, const CGridHostValues& values)
{
    context.pDoc->GetParam()->GetProperties()->SetPageOrder(static_cast<int>(Number(values, 0)));
}

// A comma list of line numbers ("5,9"); empty for none.
void ParseBreaks(const CGridHostValues& values, size_t nIndex, CDWordArray& breaks)
{
    breaks.RemoveAll();
    if (nIndex >= values.size())
        return;
    for (LPCTSTR p = values[nIndex]; *p != '\0';)
    {
        char* pEnd = nullptr;
        const unsigned long nLine = std::strtoul(p, &pEnd, 10);
        if (pEnd == p)
        {
            ++p;
            continue;
        }
        if (nLine != 0)
            breaks.Add(static_cast<DWORD>(nLine));
        p = pEnd;
    }
}

void PageBreaks(CGridHostContext& context, const CGridHostValues& values)
{
    CGXProperties* pProperties = context.pDoc->GetParam()->GetProperties();
    ParseBreaks(values, 0, pProperties->m_awRowBreaks);
    ParseBreaks(values, 1, pProperties->m_awColBreaks);
}

// The switch is each view's; all views follow the active one's.
void CellTips(CGridHostContext& context, const CGridHostValues&)
{
    const BOOL bOn = !context.pView->IsCellTipsEnabled();
    for (CGridHostView* pView : context.app.GetViews())
        pView->EnableCellTips(bOn);
}

void TabWindow(CGridHostContext& context, const CGridHostValues&)
{
    auto* pFrame = new CGridHostTabFrame;
    // The grid menus stay while the tab window is active.
    pFrame->m_hMenuShared = context.app.GetSplitTemplate()->m_hMenuShared;
    if (!pFrame->LoadFrame(IDR_GRIDHOST_GRIDTYPE, WS_OVERLAPPEDWINDOW, context.app.GetMainFrame(), nullptr))
        return;
    pFrame->SetWindowText("Sheets");
    pFrame->InitialUpdateFrame(nullptr, TRUE);
}

// The commands whose menu items follow the grid's own enable tests.
BOOL CommandEnabledByGrid(UINT nID, CGridHostView* pView)
{
    if (pView == nullptr)
        return TRUE;
    switch (nID)
    {
    case ID_EDIT_CUT:
        return pView->CanCut();
    case ID_EDIT_COPY:
        return pView->CanCopy();
    case ID_EDIT_PASTE:
        return pView->CanPaste();
    case ID_EDIT_CLEAR:
    case ID_GRIDHOST_CLEARSTYLES:
        return pView->CanClear();
    case ID_GRIDHOST_FREEZECOLS:
        return pView->CanFreezeCols();
    case ID_GRIDHOST_UNFREEZECOLS:
        return pView->CanUnfreezeCols();
    case ID_GRIDHOST_FREEZEROWS:
        return pView->CanFreezeRows();
    case ID_GRIDHOST_UNFREEZEROWS:
        return pView->CanUnfreezeRows();
    default:
        return TRUE;
    }
}
} // namespace

// The table: later features add their lines (ids 32830-32859, 32860-32889, then 32890 on).
const std::vector<CGridHostCommand>& GridHostCommands()
{
    static const std::vector<CGridHostCommand> commands = {
        {ID_GRIDHOST_DUMP, "&Grid", "Dump", {}, FALSE, Dump},
        {ID_GRIDHOST_RESETSAMPLE, "&Grid", "Reset Sample", {}, FALSE, ResetSample},
        {ID_GRIDHOST_INSERTROWS, "&Grid", "Insert Rows", {"Before", "Count"}, TRUE, InsertRows},
        {ID_GRIDHOST_REMOVEROWS, "&Grid", "Remove Rows", {"First", "Last"}, TRUE, RemoveRows},
        {ID_GRIDHOST_COLWIDTH, "&Grid", "Column Width", {"Column", "Pixels"}, TRUE, ColumnWidth},
        {ID_GRIDHOST_ROWHEIGHT, "&Grid", "Row Height", {"Row", "Pixels"}, TRUE, RowHeight},
        {ID_GRIDHOST_SETVALUE, "&Grid", "Set Value", {"Row", "Column", "Text"}, TRUE, SetValue},
        {ID_GRIDHOST_BATCHEDIT, "&Grid", "Batch Edit", {}, TRUE, BatchEdit},
        {ID_GRIDHOST_SLOWOPERATION, "&Grid", "Slow Operation", {}, TRUE, SlowOperation},
        {ID_GRIDHOST_TOGGLEUNDO, "&Grid", "Toggle Undo", {}, FALSE, ToggleUndo},
        {ID_GRIDHOST_SETTOPROW, "&Grid", "Set Top Row", {"Row"}, TRUE, SetTopRow},
        {ID_GRIDHOST_ACTIVATEVIEW1, "&Grid", "Activate View 1", {}, FALSE, ActivateView1},
        {ID_GRIDHOST_ACTIVATEVIEW2, "&Grid", "Activate View 2", {}, FALSE, ActivateView2},
        {ID_GRIDHOST_GOTOCELL, "&Grid", "Go To Cell", {"Row", "Column"}, TRUE, GoToCell},
        {ID_GRIDHOST_NEWSPLITWINDOW, "&Window", "New Split Window", {}, FALSE, NewSplitWindow},
        {ID_GRIDHOST_SELECTRANGE, "&Grid", "Select Range", {"Top", "Left", "Bottom", "Right"}, TRUE, SelectRange},
        {ID_GRIDHOST_ADDRANGE, "&Grid", "Add Range", {"Top", "Left", "Bottom", "Right"}, TRUE, AddRange},
        {ID_GRIDHOST_CLEARSELECTION, "&Grid", "Clear Selection", {}, TRUE, ClearSelection},
        {ID_GRIDHOST_SAVEGRID, "&Grid", "Save Grid", {"Path"}, FALSE, SaveGrid},
        {ID_GRIDHOST_OPENGRID, "&Grid", "Open Grid", {"Path"}, FALSE, OpenGrid},
        {ID_GRIDHOST_WRITESETTINGS, "&Grid", "Write Settings", {}, FALSE, WriteSettings},
        {ID_GRIDHOST_READSETTINGS, "&Grid", "Read Settings", {}, FALSE, ReadSettings},
        {ID_GRIDHOST_CELLFORMAT, "&Grid", "Cell Format", {"Row", "Column", "Format", "Places"}, TRUE, CellFormat},
        {ID_GRIDHOST_COVERCELLS, "&Grid", "Cover Cells", {"Top", "Left", "Bottom", "Right"}, TRUE, CoverCells},
        {ID_GRIDHOST_UNCOVERCELLS, "&Grid", "Uncover Cells", {"Top", "Left"}, TRUE, UncoverCells},
        {ID_GRIDHOST_MERGEMODE, "&Grid", "Merge Mode", {"Mode"}, TRUE, MergeMode},
        {ID_GRIDHOST_FLOATMODE, "&Grid", "Float Mode", {"Mode"}, TRUE, FloatMode},
        {ID_GRIDHOST_ROTATEFONT, "&Grid", "Rotate Font", {"Tenths"}, TRUE, RotateFont},
        {ID_GRIDHOST_ROWBANDED, "&Grid", "Row-Banded Drawing", {}, FALSE, RowBanded},
        {ID_EDIT_FIND, "&Edit", "Find", {}, TRUE, Find},
        {ID_EDIT_REPLACE, "&Edit", "Replace", {}, TRUE, Replace},
        {ID_GRIDHOST_SORTROWS, "&Grid", "Sort Rows", {"Key Column", "Descending", "Kind"}, TRUE, SortRows},
        {ID_GRIDHOST_SORTCOLS, "&Grid", "Sort Columns", {"Key Row", "Descending", "Kind"}, TRUE, SortCols},
        {ID_GRIDHOST_HEADERSORT, "&Grid", "Header Sort", {}, FALSE, HeaderSort},
        {ID_GRIDHOST_HIDEROWS, "&Grid", "Hide Rows", {"First", "Last"}, TRUE, HideRows},
        {ID_GRIDHOST_SHOWROWS, "&Grid", "Show Rows", {"First", "Last"}, TRUE, ShowRows},
        {ID_GRIDHOST_HIDECOLS, "&Grid", "Hide Columns", {"First", "Last"}, TRUE, HideCols},
        {ID_GRIDHOST_SHOWCOLS, "&Grid", "Show Columns", {"First", "Last"}, TRUE, ShowCols},
        {ID_GRIDHOST_FITROWS, "&Grid", "Fit Rows", {"First", "Last", "Flags"}, TRUE, FitRows},
        {ID_GRIDHOST_FITCOLS, "&Grid", "Fit Columns", {"First", "Last", "Flags"}, TRUE, FitCols},
        {ID_GRIDHOST_SELECTIONFLAGS, "&Grid", "Selection Flags", {"Flags (hex)"}, FALSE, SelectionFlags},
        {ID_GRIDHOST_LISTBOXMODE, "&Grid", "List-Box Mode", {"Mode"}, FALSE, ListBoxMode},
        {ID_GRIDHOST_CLICKKEEPSRANGE, "&Grid", "Click Keeps Range", {}, FALSE, ClickKeepsRange},
        {ID_GRIDHOST_RESIZEFLAGS, "&Grid", "Resize Flags", {"Rows (hex)", "Columns (hex)"}, FALSE, ResizeFlags},
        {ID_GRIDHOST_MOVEROWS, "&Grid", "Move Rows", {"First", "Last", "Destination"}, TRUE, MoveRows},
        {ID_GRIDHOST_MOVECOLS, "&Grid", "Move Columns", {"First", "Last", "Destination"}, TRUE, MoveCols},
        {ID_GRIDHOST_KEYAUTOSCROLL, "&Grid", "Key Autoscroll", {}, TRUE, KeyAutoScroll},
        {ID_GRIDHOST_SCROLLBARAUTOSCROLL, "&Grid", "Scroll-Bar Autoscroll", {}, TRUE, ScrollBarAutoScroll},
        {ID_EDIT_CUT, "&Edit", "Cut", {}, TRUE, EditCut},
        {ID_EDIT_COPY, "&Edit", "Copy", {}, TRUE, EditCopy},
        {ID_EDIT_PASTE, "&Edit", "Paste", {}, TRUE, EditPaste},
        {ID_EDIT_CLEAR, "&Edit", "Clear", {}, TRUE, EditClear},
        {ID_GRIDHOST_CLEARSTYLES, "&Grid", "Clear Styles", {}, TRUE, ClearStyles},
        {ID_GRIDHOST_DIRECTCOPY, "&Grid", "Direct Copy", {}, FALSE, DirectCopy},
        {ID_GRIDHOST_DIRECTCUT, "&Grid", "Direct Cut", {}, FALSE, DirectCut},
        {ID_GRIDHOST_CLIPBOARDOPTIONS, "&Grid", "Clipboard Options",
         {"Flags (hex)", "Copy Separator", "Paste Separators"}, TRUE, ClipboardOptions},
        {ID_GRIDHOST_COPYCELLSTO, "&Grid", "Copy Cells To", {"Row", "Column"}, TRUE, CopyCellsTo},
        {ID_GRIDHOST_MOVECELLSTO, "&Grid", "Move Cells To", {"Row", "Column"}, TRUE, MoveCellsTo},
        {ID_GRIDHOST_FILLOPTIONS, "&Grid", "Fill Options", {"Fill Flags"}, FALSE, FillOptions},
        {ID_GRIDHOST_SPREADSHEETFRAME, "&Grid", "Spreadsheet Frame", {}, TRUE, SpreadsheetFrame},
        {ID_GRIDHOST_FREEZECOLS, "&Grid", "Freeze Columns", {}, TRUE, FreezeCols},
        {ID_GRIDHOST_UNFREEZECOLS, "&Grid", "Unfreeze Columns", {}, TRUE, UnfreezeCols},
        {ID_GRIDHOST_FREEZEROWS, "&Grid", "Freeze Rows", {}, TRUE, FreezeRows},
        {ID_GRIDHOST_UNFREEZEROWS, "&Grid", "Unfreeze Rows", {}, TRUE, UnfreezeRows},
        {ID_GRIDHOST_MARKHEADERS, "&Grid", "Mark Headers", {}, TRUE, MarkHeaders},
        {ID_GRIDHOST_PAGEORDER, "&Grid", "Page Order", {"Order (1: Down First)"}, FALSE, PageOrder},
        {ID_GRIDHOST_PAGEBREAKS, "&Grid", "Page Breaks", {"Rows", "Columns"}, FALSE, PageBreaks},
        {ID_GRIDHOST_CELLTIPS, "&Grid", "Cell Tips", {}, TRUE, CellTips},
        {ID_GRIDHOST_TABWINDOW, "&Window", "Tab Window", {}, FALSE, TabWindow},
    };
    return commands;
}

const CGridHostCommand* GridHostFindCommand(UINT nID)
{
    for (const CGridHostCommand& command : GridHostCommands())
        if (command.nID == nID)
            return &command;
    return nullptr;
}

BOOL GridHostCanRunCommand(UINT nID)
{
    const CGridHostCommand* pCommand = GridHostFindCommand(nID);
    const CGridHostApp* pApp = static_cast<CGridHostApp*>(AfxGetApp());
    return pCommand != nullptr && pApp->GetDocument() != nullptr &&
           (!pCommand->bNeedsView || pApp->GetActiveGridView() != nullptr) &&
           CommandEnabledByGrid(nID, pApp->GetActiveGridView());
}

void GridHostRunCommand(UINT nID)
{
    const CGridHostCommand* pCommand = GridHostFindCommand(nID);
    if (pCommand == nullptr || !GridHostCanRunCommand(nID))
        return;
    CGridHostValues values;
    if (pCommand->apszFields[0] != nullptr)
    {
        CGridHostValuesDlg dialog(*pCommand);
        if (dialog.DoModal() != IDOK)
            return;
        values = dialog.m_values;
    }
    CGridHostApp& app = *static_cast<CGridHostApp*>(AfxGetApp());
    CGridHostContext context{app, app.GetDocument(), app.GetActiveGridView()};
    pCommand->pfnRun(context, values);
}

namespace
{
CString MenuText(HMENU hMenu, int nPos)
{
    char szText[256] = {};
    ::GetMenuStringA(hMenu, static_cast<UINT>(nPos), szText, sizeof szText, MF_BYPOSITION);
    return szText;
}

HMENU FindOrAddPopup(HMENU hMenuBar, LPCTSTR pszName)
{
    const int nCount = ::GetMenuItemCount(hMenuBar);
    int nWindowPos = nCount;
    for (int i = 0; i < nCount; ++i)
    {
        const CString text = MenuText(hMenuBar, i);
        if (text == pszName)
            return ::GetSubMenu(hMenuBar, i);
        if (text == "&Window")
            nWindowPos = i;
    }
    HMENU hPopup = ::CreatePopupMenu();
    ::InsertMenuA(hMenuBar, static_cast<UINT>(nWindowPos), MF_BYPOSITION | MF_POPUP | MF_STRING,
                  reinterpret_cast<UINT_PTR>(hPopup), pszName);
    return hPopup;
}
} // namespace

void GridHostAddCommandMenus(HMENU hMenuBar)
{
    if (hMenuBar == nullptr)
        return;
    for (const CGridHostCommand& command : GridHostCommands())
    {
        HMENU hPopup = FindOrAddPopup(hMenuBar, command.pszMenu);
        if (::GetMenuState(hPopup, command.nID, MF_BYCOMMAND) == static_cast<UINT>(-1))
            ::AppendMenuA(hPopup, MF_STRING, command.nID, command.pszName);
    }
}

// ---- The values dialog ----

CGridHostValuesDlg::CGridHostValuesDlg(const CGridHostCommand& command)
    : CDialog(IDD_GRIDHOST_VALUES), m_command(command)
{
}

BOOL CGridHostValuesDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetWindowText(m_command.pszName);
    int nFields = 0;
    while (nFields < 4 && m_command.apszFields[nFields] != nullptr)
        ++nFields;
    for (int i = 0; i < 4; ++i)
    {
        if (i < nFields)
            ::SetDlgItemTextA(m_hWnd, IDC_GRIDHOST_LABEL1 + i, m_command.apszFields[i]);
        ::ShowWindow(::GetDlgItem(m_hWnd, IDC_GRIDHOST_LABEL1 + i), i < nFields ? SW_SHOW : SW_HIDE);
        ::ShowWindow(::GetDlgItem(m_hWnd, IDC_GRIDHOST_VALUE1 + i), i < nFields ? SW_SHOW : SW_HIDE);
    }
    return TRUE;
}

void CGridHostValuesDlg::OnOK()
{
    m_values.clear();
    for (int i = 0; i < 4 && m_command.apszFields[i] != nullptr; ++i)
    {
        // The whole text, however long it was typed or pasted.
        const HWND hEdit = ::GetDlgItem(m_hWnd, IDC_GRIDHOST_VALUE1 + i);
        std::string value(static_cast<size_t>(::GetWindowTextLengthA(hEdit)) + 1, '\0');
        value.resize(static_cast<size_t>(::GetWindowTextA(hEdit, value.data(), static_cast<int>(value.size()))));
        m_values.push_back(value.c_str());
    }
    CDialog::OnOK();
}
