// The feature forwarders of the grid engine answer neutrally while their components are missing.

#include "framework/core/Archive.h"
#include "framework/core/File.h"
#include "grid/core/GridParam.h"
#include "grid/core/SortInfoArray.h"
#include "tests/grid/core/GridEngineTestSupport.h"

#include <gtest/gtest.h>

#include <functional>

namespace
{
TEST(GridForwarders, EveryForwarderAnswersZeroWithoutItsComponent)
{
    CGXGridCore grid;
    InitializeEngine(grid, 5, 5);
    // The control factory installs its components in every grid it sees made; this one goes without.
    grid.m_pHideCellsImp = nullptr;
    grid.m_pUpdateHintImp = nullptr;
    grid.m_pUndoImp = nullptr;
    grid.m_pOptimizedUpdateImp = nullptr;
    grid.m_pOldDrawingImp = nullptr;
    grid.m_pCoveredCellsImp = nullptr;
    grid.m_pMergeCellsImp = nullptr;
    grid.m_pFloatCellsImp = nullptr;
    grid.m_pDrawSpannedCellsImp = nullptr;
    grid.m_pCalcSizeImp = nullptr;
    grid.m_pSortImp = nullptr;
    grid.m_pFindReplaceImp = nullptr;
    grid.m_pResizeToFitImp = nullptr;
    grid.m_pUserSelectRangeImp = nullptr;
    grid.m_pUserDragSelectRangeImp = nullptr;
    grid.m_pMoveRowsColsImp = nullptr;
    grid.m_pUserResizeCellsImp = nullptr;
    grid.m_pDirectCopyMoveCellsImp = nullptr;
    grid.m_pTextDataExchangeImp = nullptr;
    grid.m_pStyleDataExchangeImp = nullptr;
    grid.m_pCutPasteImp = nullptr;
    grid.m_pClearCellsImp = nullptr;
    grid.m_pFreezeMenuHelperImp = nullptr;
    grid.m_pMarkEditHeaderImp = nullptr;
    grid.m_pPrintImp = nullptr;
    CGXRange range(1, 1, 2, 2);
    CGXRange out;
    CGXRangeList ranges;
    ranges.AddTail(new CGXRange(range));
    CGXStyle style;
    CGXSortInfoArray sortInfo;
    CPtrArray keys;
    CStringArray keyTexts;
    CDWordArray index;
    CString text;
    ROWCOL nRows = 0;
    ROWCOL nCols = 0;
    CObject* pUndoInfo = nullptr;
    CGXFindReplaceSettings settings;
    CMemFile file;
    CArchive ar(&file, CArchive::store);

    const std::vector<std::pair<const char*, std::function<BOOL()>>> forwarders = {
        {"OnFindNext", [&] { return grid.OnFindNext(&settings, TRUE, FALSE); }},
        {"OnReplaceSel", [&] { return grid.OnReplaceSel(&settings, TRUE, FALSE, "r"); }},
        {"OnReplaceAll", [&] { return grid.OnReplaceAll(&settings, "r", FALSE); }},
        {"OnShowFindReplaceDialog", [&] { return grid.OnShowFindReplaceDialog(TRUE); }},
        {"OnFindReplace", [&] { return grid.OnFindReplace(nullptr); }},
        {"FindTextFromCell", [&] { return grid.FindTextFromCell(1, 1, TRUE); }},
        {"FindNextText", [&] { return grid.FindNextText(TRUE); }},
        {"HideRows", [&] { return grid.HideRows(1, 2); }},
        {"HideCols", [&] { return grid.HideCols(1, 2); }},
        {"IsRowHidden", [&] { return grid.IsRowHidden(1); }},
        {"IsColHidden", [&] { return grid.IsColHidden(1); }},
        {"StoreHideRow", [&] { return grid.StoreHideRow(1, TRUE); }},
        {"StoreHideCol", [&] { return grid.StoreHideCol(1, TRUE); }},
        {"ResizeRowHeightsToFit", [&] { return grid.ResizeRowHeightsToFit(range); }},
        {"ResizeColWidthsToFit", [&] { return grid.ResizeColWidthsToFit(range); }},
        {"Undo", [&] { return grid.Undo(); }},
        {"Redo", [&] { return grid.Redo(); }},
        {"BeginTrans", [&] { return grid.BeginTrans("t"); }},
        {"CommitTrans", [&] { return grid.CommitTrans(); }},
        {"Rollback", [&] { return grid.Rollback(); }},
        {"UpdateUndoMenuText", [&] { return grid.UpdateUndoMenuText(nullptr); }},
        {"UpdateRedoMenuText", [&] { return grid.UpdateRedoMenuText(nullptr); }},
        {"AddCommand", [&] { return grid.AddCommand(nullptr, 0); }},
        {"RemoveLastCommand", [&] { return grid.RemoveLastCommand(0); }},
        {"RestoreCurrentCell", [&] { return grid.RestoreCurrentCell(1, 1); }},
        {"SetDataUndoRecording", [&] { return grid.SetDataUndoRecording(TRUE); }},
        {"GetDataUndoRecord", [&] { return static_cast<BOOL>(grid.GetDataUndoRecord() != nullptr); }},
        {"ApplyDataUndoRecord", [&] { return grid.ApplyDataUndoRecord(nullptr, FALSE, 0); }},
        {"DeleteDataUndoRecord", [&] { return grid.DeleteDataUndoRecord(); }},
        {"ReplayDataUndo", [&] { return grid.ReplayDataUndo(nullptr, &grid, 0); }},
        {"SortRows", [&] { return grid.SortRows(range, sortInfo); }},
        {"MoveDataRows", [&] { return grid.MoveDataRows(range, index); }},
        {"StoreMoveDataRows", [&] { return grid.StoreMoveDataRows(index, 1); }},
        {"UpdateMoveDataRows", [&] { return grid.UpdateMoveDataRows(range, 0, TRUE); }},
        {"GetSortKeyRow", [&] { return grid.GetSortKeyRow(1, sortInfo, keyTexts); }},
        {"SortCols", [&] { return grid.SortCols(range, sortInfo); }},
        {"MoveDataCols", [&] { return grid.MoveDataCols(range, index); }},
        {"StoreMoveDataCols", [&] { return grid.StoreMoveDataCols(index, 1); }},
        {"UpdateMoveDataCols", [&] { return grid.UpdateMoveDataCols(range, 0, TRUE); }},
        {"GetSortKeyCol", [&] { return grid.GetSortKeyCol(1, sortInfo, keyTexts); }},
        {"SortKeys", [&] { return grid.SortKeys(keys, sortInfo); }},
        {"SortKeysOfGrid", [&] { return grid.SortKeysOfGrid(&grid, keys, sortInfo); }},
        {"SetCoveredCellsRowCol", [&] { return grid.SetCoveredCellsRowCol(1, 1, 2, 2); }},
        {"GetCoveredCellsRowCol", [&] { return grid.GetCoveredCellsRowCol(1, 1, out); }},
        {"StoreCoveredCellsRowCol", [&] { return grid.StoreCoveredCellsRowCol(1, 1, 2, 2, TRUE); }},
        {"UpdateCoveredCellsRowCol", [&] { return grid.UpdateCoveredCellsRowCol(1, 1, 2, 2, 0, TRUE); }},
        {"ExpandToCoveredCells", [&] { return grid.ExpandToCoveredCells(range, out); }},
        {"CanMergeCell", [&] { return grid.CanMergeCell(style, 1, 1, 1, 2); }},
        {"CanMergeCellsStyles", [&] { return grid.CanMergeCellsStyles(style, style); }},
        {"DelayMergeCells", [&] { return grid.DelayMergeCells(range); }},
        {"EvalMergeCells", [&] { return grid.EvalMergeCells(range); }},
        {"GetMergeRange", [&] { return grid.GetMergeRange(1, 1, out); }},
        {"UpdateMergeCellsRowCol", [&] { return grid.UpdateMergeCellsRowCol(0, 1, 1, 1, 2, 0); }},
        {"RedrawMergeCellsRowCol", [&] { return grid.RedrawMergeCellsRowCol(1, 1, 2, 2, 0, TRUE); }},
        {"ExpandToMergedCells", [&] { return grid.ExpandToMergedCells(range, out); }},
        {"CanFloatCell", [&] { return grid.CanFloatCell(1, 1, style, TRUE); }},
        {"DelayFloatCells", [&] { return grid.DelayFloatCells(range); }},
        {"EvalFloatCells", [&] { return grid.EvalFloatCells(range); }},
        {"GetFloatRange", [&] { return grid.GetFloatRange(1, 1, out); }},
        {"UpdateFloatCellsRowCol", [&] { return grid.UpdateFloatCellsRowCol(1, 1, 2, 2, 0); }},
        {"RedrawFloatCellsRowCol", [&] { return grid.RedrawFloatCellsRowCol(1, 1, 2, 2, 0, TRUE); }},
        {"ExpandToFloatCells", [&] { return grid.ExpandToFloatCells(range, out); }},
        {"SetMergeCellsMode", [&] { return grid.SetMergeCellsMode(1); }},
        {"SetFloatCellsMode", [&] { return grid.SetFloatCellsMode(1); }},
        {"CanFloatCellDefault", [&] { return grid.CanFloatCellDefault(1, 1, style, TRUE); }},
        {"GetCellRangeRowCol", [&] { return grid.GetCellRangeRowCol(1, 1, out); }},
        {"OnGridBeginPrinting", [&] { return grid.OnGridBeginPrinting(nullptr, nullptr); }},
        {"OnGridEndPrinting", [&] { return grid.OnGridEndPrinting(nullptr, nullptr); }},
        {"OnGridPrint", [&] { return grid.OnGridPrint(nullptr, nullptr); }},
        {"SelectRange", [&] { return grid.SelectRange(range); }},
        {"SetSelection", [&] { return grid.SetSelection(nullptr); }},
        {"CopyRangeToSelection", [&] { return grid.CopyRangeToSelection(range, out); }},
        {"DrawInvertedSelection", [&] { return grid.DrawInvertedSelection(nullptr, CRect(), TRUE); }},
        {"RedrawSelectionChange", [&] { return grid.RedrawSelectionChange(range, range, TRUE, TRUE, 0, TRUE); }},
        {"RedrawSelection", [&] { return grid.RedrawSelection(0); }},
        {"StoreSelectRange", [&] { return grid.StoreSelectRange(range); }},
        {"UpdateSelectRange", [&] { return grid.UpdateSelectRange(range, nullptr); }},
        {"UpdateSelection", [&] { return grid.UpdateSelection(nullptr, 1, 1, 2, 2); }},
        {"InvertAllSelectedCells", [&] { return grid.InvertAllSelectedCells(); }},
        {"DrawExcelLikeFrame", [&] { return grid.DrawExcelLikeFrame(nullptr, 1, 1, 2, 2, FALSE, TRUE); }},
        {"RefreshExcelLikeFrame", [&] { return grid.RefreshExcelLikeFrame(); }},
        {"RedrawExcelLikeFrame", [&] { return grid.RedrawExcelLikeFrame(); }},
        {"LockExcelLikeFrame", [&] { return grid.LockExcelLikeFrame(TRUE, FALSE); }},
        {"DoExcelLikeFill", [&] { return grid.DoExcelLikeFill(range, range); }},
        {"StartExcelLikeFill", [&] { return grid.StartExcelLikeFill(0); }},
        {"StartDragSelection", [&] { return grid.StartDragSelection(0, 2); }},
        {"DoDragSelection", [&] { return grid.DoDragSelection(0, 2, 0, 4); }},
        {"DropSelection", [&] { return grid.DropSelection(0, 2, 0, 4); }},
        {"MoveRows", [&] { return grid.MoveRows(1, 2, 4); }},
        {"MoveCols", [&] { return grid.MoveCols(1, 2, 4); }},
        {"StoreMoveRows", [&] { return grid.StoreMoveRows(1, 2, 4); }},
        {"StoreMoveCols", [&] { return grid.StoreMoveCols(1, 2, 4); }},
        {"UpdateMoveRows", [&] { return grid.UpdateMoveRows(1, 2, 4); }},
        {"UpdateMoveCols", [&] { return grid.UpdateMoveCols(1, 2, 4); }},
        {"StartResizeTracking", [&] { return grid.StartResizeTracking(0, 1, GX_TRACKWIDTH); }},
        {"MoveResizeTracking", [&] { return grid.MoveResizeTracking(0, 1, GX_TRACKWIDTH, 30); }},
        {"EndResizeTracking", [&] { return grid.EndResizeTracking(0, 1, GX_TRACKWIDTH, 30); }},
        {"CancelResizeTracking", [&] { return grid.CancelResizeTracking(); }},
        {"CanResizeCol", [&] { return grid.CanResizeCol(); }},
        {"CanResizeRow", [&] { return grid.CanResizeRow(); }},
        {"FreezeCols", [&] { return grid.FreezeCols(); }},
        {"CanFreezeCols", [&] { return grid.CanFreezeCols(); }},
        {"UnfreezeCols", [&] { return grid.UnfreezeCols(); }},
        {"CanUnfreezeCols", [&] { return grid.CanUnfreezeCols(); }},
        {"FreezeRows", [&] { return grid.FreezeRows(); }},
        {"CanFreezeRows", [&] { return grid.CanFreezeRows(); }},
        {"UnfreezeRows", [&] { return grid.UnfreezeRows(); }},
        {"CanUnfreezeRows", [&] { return grid.CanUnfreezeRows(); }},
        {"CopyCells", [&] { return grid.CopyCells(range, 3, 3); }},
        {"CopyCellsData", [&] { return grid.CopyCellsData(range, 3, 3); }},
        {"MoveCells", [&] { return grid.MoveCells(range, 3, 3); }},
        {"MoveCellsData", [&] { return grid.MoveCellsData(range, 3, 3, &pUndoInfo, TRUE, 0); }},
        {"CopyTextToFile", [&] { return grid.CopyTextToFile(file, ranges); }},
        {"PasteTextFromBuffer", [&] { return grid.PasteTextFromBuffer("a\tb", 3, range); }},
        {"CalcTextSize", [&] { return grid.CalcTextSize("a\tb", 3, nRows, nCols); }},
        {"PasteTextRowCol", [&] { return grid.PasteTextRowCol(1, 1, "t", 0, nullptr); }},
        {"CopyStylesToArchive", [&] { return grid.CopyStylesToArchive(ar, ranges); }},
        {"GetStyleForCopy", [&] { return grid.GetStyleForCopy(1, 1, style); }},
        {"PasteStylesFromArchive", [&] { return grid.PasteStylesFromArchive(ar, range); }},
        {"CopyRangesToClipboard", [&] { return grid.CopyRangesToClipboard(ranges); }},
        {"CopyRangeToClipboard", [&] { return grid.CopyRangeToClipboard(range); }},
        {"CutRanges", [&] { return grid.CutRanges(ranges, FALSE); }},
        {"CutRange", [&] { return grid.CutRange(range); }},
        {"PasteDirect", [&] { return grid.PasteDirect(range); }},
        {"PasteFromClipboard", [&] { return grid.PasteFromClipboard(range); }},
        {"IsPasteFormatAvailable", [&] { return grid.IsPasteFormatAvailable(); }},
        {"ConfirmSizeMismatch", [&] { return grid.ConfirmSizeMismatch(); }},
        {"Copy", [&] { return grid.Copy(); }},
        {"Paste", [&] { return grid.Paste(); }},
        {"Cut", [&] { return grid.Cut(); }},
        {"CanCopy", [&] { return grid.CanCopy(); }},
        {"CanCut", [&] { return grid.CanCut(); }},
        {"CanPaste", [&] { return grid.CanPaste(); }},
        {"CopyCellsAsStyles", [&] { return grid.CopyCellsAsStyles(ranges); }},
        {"CopyCellsAsText", [&] { return grid.CopyCellsAsText(ranges); }},
        {"ClearCells", [&] { return grid.ClearCells(ranges); }},
        {"Clear", [&] { return grid.Clear(); }},
        {"CanClear", [&] { return grid.CanClear(); }},
        {"IsHeaderMarked", [&] { return grid.IsHeaderMarked(nullptr, 1, 1); }},
        {"MarkEditHeader", [&] { return grid.MarkEditHeader(1, 1); }},
        {"SpareHookA1", [&] { return grid.SpareHookA1(1, 1, 1, 1, 0); }},
        {"SpareHookA2", [&] { return grid.SpareHookA2(1, 1); }},
        {"SpareHookA3", [&] { return grid.SpareHookA3(1, 1, 0); }},
        {"SpareHookC1", [&] { return grid.SpareHookC1(1, 1); }},
        {"SpareHookC2", [&] { return grid.SpareHookC2(1, 1, 1, 1); }},
        {"SpareHookB1", [&] { return grid.SpareHookB1(1, 1, 0); }},
        {"SpareHookB2", [&] { return grid.SpareHookB2(0); }},
        {"SpareHookB3", [&] { return grid.SpareHookB3(1, 1, 0); }},
        {"SpareHookB4", [&] { return grid.SpareHookB4(1, 1, 1, 1); }},
        {"SpareHookB5", [&] { return grid.SpareHookB5(1, 1, 1, 1); }},
        {"SpareHookB6", [&] { return grid.SpareHookB6(); }},
        {"SpareHookB7", [&] { return grid.SpareHookB7(1, 1, 1, 1); }},
        {"SpareHookB8", [&] { return grid.SpareHookB8(1, 1, 1, 1, 0); }},
        {"SpareHookB9", [&] { return grid.SpareHookB9(1, 1, 0); }},
        {"SpareHookB10", [&] { return grid.SpareHookB10(1, 1, 1, 1); }},
    };
    for (const auto& [name, call] : forwarders)
        EXPECT_EQ(call(), FALSE) << name;
    // Nothing changed on the way.
    EXPECT_EQ(grid.GetRowCount(), 5u);
    EXPECT_EQ(grid.GetValueRowCol(1, 1), "");
    ar.Abort();
}

TEST(GridForwarders, TheFrameLockRestoresWhatTheMissingFrameAnswered)
{
    CGXGridCore grid;
    InitializeEngine(grid, 2, 2);
    CGXExcelLikeFrameLock lock(&grid);
    EXPECT_FALSE(lock.GetOldLock());
}

TEST(GridForwarders, ReplayDataUndoHandsTheGridSecond)
{
    CGXGridCore grid;
    CGXGridCore other;
    InitializeEngine(grid, 2, 2);
    auto* pUndo = new CFakeCommandFactory;
    grid.m_pUndoImp = pUndo;
    grid.AddImplementationObject(pUndo);
    EXPECT_TRUE(grid.ReplayDataUndo(nullptr, &other, 3));
    EXPECT_EQ(pUndo->replayGrid, &other);
    EXPECT_EQ(pUndo->replayMode, 3);
}

TEST(GridForwarders, SelectedRangesComeAsCopiesOrAsTheCurrentCell)
{
    CGXGridCore grid;
    InitializeEngine(grid, 6, 6);
    CGXRangeList ranges;
    EXPECT_FALSE(grid.GetSelectedRanges(ranges, TRUE));
    EXPECT_TRUE(ranges.IsEmpty());

    grid.SetCurrentCellInfo(TRUE, 2, 3);
    EXPECT_TRUE(grid.GetSelectedRanges(ranges, TRUE));
    EXPECT_EQ(*ranges.GetHead(), CGXRange(2, 3));
    CDWordArray rows;
    EXPECT_TRUE(grid.GetSelectedRowList(rows));
    ASSERT_EQ(rows.GetSize(), 1);
    EXPECT_EQ(rows[0], 2u);

    grid.GetParam()->m_SelRects.AddTail(new CGXRange(4, 1, 5, 2));
    EXPECT_TRUE(grid.GetSelectedRanges(ranges, TRUE));
    ASSERT_EQ(ranges.GetCount(), 1);
    EXPECT_EQ(*ranges.GetHead(), CGXRange(4, 1, 5, 2));
    EXPECT_NE(ranges.GetHead(), grid.GetParam()->m_SelRects.GetHead());
    EXPECT_TRUE(grid.GetSelectedRowList(rows));
    ASSERT_EQ(rows.GetSize(), 2);
    EXPECT_EQ(rows[1], 5u);
}

TEST(GridForwarders, TheSearchTextIsUpperCasedUnlessCaseMatters)
{
    CGXFindReplaceSettings settings;
    settings.strFind = "Sand";
    settings.PrepareSearchText();
    EXPECT_EQ(settings.strFindUpper, "SAND");
    settings.bCase = TRUE;
    settings.PrepareSearchText();
    EXPECT_EQ(settings.strFindUpper, "Sand");
}
// A sort component that records the arguments of SortKeys.
class CRecordingSortImp : public CGXAbstractGridSortImp
{
public:
    CGXGridCore* pGrid = nullptr;
    const CPtrArray* pKeys = nullptr;
    const CGXSortInfoArray* pInfo = nullptr;
    BOOL SortKeys(CGXGridCore* pSortGrid, CPtrArray& keys, const CGXSortInfoArray& sortInfo) override
    {
        pGrid = pSortGrid;
        pKeys = &keys;
        pInfo = &sortInfo;
        return 7;
    }
    BOOL SortRows(CGXGridCore*, CGXRange* pRange, CGXSortInfoArray&, UINT) override
    {
        sortRange = *pRange;
        return 3;
    }
    CGXRange sortRange;
    BOOL MoveDataRows(CGXGridCore*, const CGXRange&, const CDWordArray&, UINT, int) override { return 0; }
    BOOL StoreMoveDataRows(CGXGridCore*, const CDWordArray&, ROWCOL) override { return 0; }
    BOOL UpdateMoveDataRows(CGXGridCore*, const CGXRange&, UINT, BOOL) override { return 0; }
    BOOL GetSortKeyRow(CGXGridCore*, ROWCOL, const CGXSortInfoArray&, CStringArray&) override { return 0; }
    BOOL SortCols(CGXGridCore*, CGXRange*, CGXSortInfoArray&, UINT) override { return 0; }
    BOOL MoveDataCols(CGXGridCore*, const CGXRange&, const CDWordArray&, UINT, int) override { return 0; }
    BOOL StoreMoveDataCols(CGXGridCore*, const CDWordArray&, ROWCOL) override { return 0; }
    BOOL UpdateMoveDataCols(CGXGridCore*, const CGXRange&, UINT, BOOL) override { return 0; }
    BOOL GetSortKeyCol(CGXGridCore*, ROWCOL, const CGXSortInfoArray&, CStringArray&) override { return 0; }
    BOOL OnLButtonDblClkRowCol(CGXGridCore*, ROWCOL, ROWCOL, UINT, CPoint) override { return 0; }
};

TEST(GridForwarders, AComponentGetsTheGridFirstAndItsResultComesBackUnchanged)
{
    CGXGridCore grid;
    InitializeEngine(grid, 4, 4);
    auto* pSort = new CRecordingSortImp;
    grid.m_pSortImp = pSort;
    grid.AddImplementationObject(pSort);
    CGXSortInfoArray sortInfo;
    EXPECT_EQ(grid.SortRows(CGXRange(1, 1, 3, 2), sortInfo), 3);
    EXPECT_EQ(pSort->sortRange, CGXRange(1, 1, 3, 2));

    // Sorting keys through another grid hands that grid's component exactly the two arguments.
    CGXGridCore other;
    InitializeEngine(other, 1, 1);
    CPtrArray keys;
    EXPECT_EQ(other.SortKeysOfGrid(&grid, keys, sortInfo), 7);
    EXPECT_EQ(pSort->pGrid, &grid);
    EXPECT_EQ(pSort->pKeys, &keys);
    EXPECT_EQ(pSort->pInfo, &sortInfo);
}
} // namespace
