#pragma once
// The per-grid feature components as the grid engine sees them. A grid reaches each through one
// pointer that stays NULL until the control factory installs the component; the engine's forwarders
// answer 0 while it is missing. The components themselves are built with the grid's features; every
// operation takes the grid first, and results are 32-bit values the engine passes on unchanged.

#include "framework/core/Collections.h"
#include "framework/core/CString.h"
#include "framework/core/Geometry.h"
#include "grid/core/GridTypes.h"

class CArchive;
class CCmdUI;
class CDC;
class CGXControl;
class CGXGridCore;
class CGXGridHint;
class CGXRange;
class CGXRangeList;
class CGXSortInfoArray;
class CGXStyle;
class CObject;
class CPrintInfo;
class CWnd;

// Base of every per-grid component: the engine owns them through this destructor.
class CGXGridComponent
{
public:
    virtual ~CGXGridComponent() = default;
};

class CGXAbstractGridPrintImp : public CGXGridComponent
{
public:
    virtual BOOL OnGridBeginPrinting(CGXGridCore* pGrid, CDC* pDC, CPrintInfo* pInfo) = 0;
    virtual BOOL OnGridEndPrinting(CGXGridCore* pGrid, CDC* pDC, CPrintInfo* pInfo) = 0;
    virtual BOOL OnGridPrint(CGXGridCore* pGrid, CDC* pDC, CPrintInfo* pInfo) = 0;
};

// Sorting. The key lines are CGXSortKeyLine objects (keys holds their pointers); GetSortKeyRow and
// GetSortKeyCol fill a key line's texts, StoreMoveDataRows and StoreMoveDataCols hand the new order
// to the data object (index i: the offset from nStartRow of the line that comes to position i).
class CGXAbstractGridSortImp : public CGXGridComponent
{
public:
    virtual BOOL SortKeys(CGXGridCore* pGrid, CPtrArray& keys, const CGXSortInfoArray& sortInfo) = 0;
    virtual BOOL SortRows(CGXGridCore* pGrid, CGXRange* pSortRange, CGXSortInfoArray& sortInfo, UINT nFlags) = 0;
    virtual BOOL MoveDataRows(CGXGridCore* pGrid, const CGXRange& sortRange, const CDWordArray& awRowIndex,
                              UINT nFlags, int nCommandType) = 0;
    virtual BOOL StoreMoveDataRows(CGXGridCore* pGrid, const CDWordArray& awRowIndex, ROWCOL nStartRow) = 0;
    virtual BOOL UpdateMoveDataRows(CGXGridCore* pGrid, const CGXRange& sortRange, UINT nFlags,
                                    BOOL bCreateHint) = 0;
    virtual BOOL GetSortKeyRow(CGXGridCore* pGrid, ROWCOL nRow, const CGXSortInfoArray& sortInfo,
                               CStringArray& keys) = 0;
    virtual BOOL SortCols(CGXGridCore* pGrid, CGXRange* pSortRange, CGXSortInfoArray& sortInfo, UINT nFlags) = 0;
    virtual BOOL MoveDataCols(CGXGridCore* pGrid, const CGXRange& sortRange, const CDWordArray& awColIndex,
                              UINT nFlags, int nCommandType) = 0;
    virtual BOOL StoreMoveDataCols(CGXGridCore* pGrid, const CDWordArray& awColIndex, ROWCOL nStartCol) = 0;
    virtual BOOL UpdateMoveDataCols(CGXGridCore* pGrid, const CGXRange& sortRange, UINT nFlags,
                                    BOOL bCreateHint) = 0;
    virtual BOOL GetSortKeyCol(CGXGridCore* pGrid, ROWCOL nCol, const CGXSortInfoArray& sortInfo,
                               CStringArray& keys) = 0;
    // The left double click on a header that the base of OnCellLeftDblClicked hands on.
    virtual BOOL OnLButtonDblClkRowCol(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, UINT nFlags,
                                       CPoint point) = 0;
};

class CGXAbstractGridCoveredCellsImp : public CGXGridComponent
{
public:
    virtual BOOL SetCoveredCells(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, ROWCOL nToRow, ROWCOL nToCol,
                                 UINT nFlags, int nCommandType) = 0;
    virtual BOOL GetCoveredCellsRowCol(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, CGXRange& range) = 0;
    virtual BOOL StoreCoveredCells(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, ROWCOL nToRow, ROWCOL nToCol,
                                   BOOL bSet) = 0;
    virtual BOOL UpdateCoveredCellsRowCol(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, ROWCOL nToRow,
                                          ROWCOL nToCol, UINT nFlags, BOOL bCreateHint) = 0;
    virtual BOOL ExpandToCoveredCells(CGXGridCore* pGrid, const CGXRange& range, CGXRange& rangeOut) = 0;
    // Told before rows or columns are removed (PrepareRemoveRows/Cols): covered ranges that reach
    // into them are cut back or uncovered, with undo. Acts only on a user's change (command type 0);
    // TRUE when it changed a range.
    virtual BOOL OnRemovingRows(CGXGridCore* pGrid, ROWCOL nFromRow, ROWCOL nToRow, int nCommandType) = 0;
    virtual BOOL OnRemovingCols(CGXGridCore* pGrid, ROWCOL nFromCol, ROWCOL nToCol, int nCommandType) = 0;
};

// The evaluation passes of merged and floating cells: bUpdateLocked tells that the caller holds
// the parameter object's update lock already (else the pass sets it, and the spans it changes are
// not redrawn one by one); bNoCache composes styles without the per-row style cache. pRangeChanged,
// when given, is widened to every span that changed.
class CGXAbstractGridMergeCellsImp : public CGXGridComponent
{
public:
    // May the cell merge with its neighbour (nOtherRow, nOtherCol): the direction is horizontal when
    // both lie in one row. The style is the cell's composed style.
    virtual BOOL CanMergeCell(CGXGridCore* pGrid, const CGXStyle& style, ROWCOL nRow, ROWCOL nCol,
                              ROWCOL nOtherRow, ROWCOL nOtherCol) = 0;
    // Do two cells show equal content (CompareMergeCells).
    virtual BOOL CanMergeCellsStyles(CGXGridCore* pGrid, const CGXStyle& style, const CGXStyle& otherStyle) = 0;
    // A count of GX_INVALID leaves the pending ranges as they are; another clamps them to it.
    virtual BOOL DelayMergeCells(CGXGridCore* pGrid, const CGXRange& range, ROWCOL nRowCount, ROWCOL nColCount) = 0;
    virtual BOOL EvalMergeCells(CGXGridCore* pGrid, const CGXRange& range, BOOL bUpdateLocked,
                                CGXRange* pRangeChanged, BOOL bNoCache) = 0;
    // nDirection: -1 both, 0 horizontal, 1 vertical.
    virtual BOOL GetMergeRange(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, CGXRange& range, int nDirection) = 0;
    // Stores the block as a span of the direction's pool (0 horizontal, 1 vertical); a block of one
    // cell clears the cell's span there. TRUE on a change.
    virtual BOOL UpdateMergeCellsRowCol(CGXGridCore* pGrid, int nDirection, ROWCOL nRow, ROWCOL nCol,
                                        ROWCOL nToRow, ROWCOL nToCol, UINT nFlags) = 0;
    virtual BOOL RedrawMergeCellsRowCol(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, ROWCOL nToRow,
                                        ROWCOL nToCol, UINT nFlags, BOOL bCreateHint) = 0;
    virtual BOOL ExpandToMergedCells(CGXGridCore* pGrid, const CGXRange& range, CGXRange& rangeOut) = 0;
    // Stores the mode (bits 0-1: 0 off, 1 delayed, 2 immediate; 4 no vertical, 8 no horizontal
    // merging) with fresh pools; bRedraw redraws the grid, also when the mode stays.
    virtual BOOL SetMergeCellsMode(CGXGridCore* pGrid, WORD wMode, BOOL bRedraw) = 0;
};

class CGXAbstractGridFloatCellsImp : public CGXGridComponent
{
public:
    // May the cell's text float over its neighbours (bFloatCell), or may the cell be covered by a
    // neighbour's text. With bCheckMerged a merged cell does neither.
    virtual BOOL CanFloatCell(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
                              BOOL bFloatCell, BOOL bCheckMerged) = 0;
    virtual BOOL DelayFloatCells(CGXGridCore* pGrid, const CGXRange& range, ROWCOL nColCount) = 0;
    virtual BOOL EvalFloatCells(CGXGridCore* pGrid, const CGXRange& range, BOOL bUpdateLocked,
                                CGXRange* pRangeChanged, BOOL bNoCache) = 0;
    virtual BOOL GetFloatRange(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, CGXRange& range) = 0;
    virtual BOOL UpdateFloatCellsRowCol(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, ROWCOL nToRow,
                                        ROWCOL nToCol, UINT nFlags) = 0;
    virtual BOOL RedrawFloatCellsRowCol(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, ROWCOL nToRow,
                                        ROWCOL nToCol, UINT nFlags, BOOL bCreateHint) = 0;
    virtual BOOL ExpandToFloatCells(CGXGridCore* pGrid, const CGXRange& range, CGXRange& rangeOut) = 0;
    // 0 off, 1 delayed, 2 immediate evaluation; bRedraw redraws the grid.
    virtual BOOL SetFloatCellsMode(CGXGridCore* pGrid, WORD wMode, BOOL bRedraw) = 0;
    // The answer of text cells to the float question (their CGXControl::CanFloatCell): covered when
    // empty, floating when not empty and not rotated.
    virtual BOOL CanFloatCellDefault(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
                                     BOOL bFloatCell) = 0;
};

// The size of a cell's content (width, or height with bVert), borders included: for floating text
// and for fitting rows and columns.
class CGXAbstractGridCalcSizeImp : public CGXGridComponent
{
public:
    virtual CSize CalcCellSize(CGXGridCore* pGrid, CGXControl* pControl, CDC* pDC, ROWCOL nRow, ROWCOL nCol,
                               const CGXStyle& style, const CGXStyle* pStandardStyle, BOOL bVert) = 0;
};

// Undo and redo. Commands are framework objects that own their saved arrays; saved cell styles are
// CGXStyle objects (NULL for a cell without style), optionally followed by one covered-cells record.
class CGXAbstractCommandFactory : public CGXGridComponent
{
public:
    virtual BOOL Undo(CGXGridCore* pGrid) = 0;
    virtual BOOL Redo(CGXGridCore* pGrid) = 0;
    virtual BOOL BeginTrans(CGXGridCore* pGrid, LPCTSTR pszName) = 0;
    virtual BOOL CommitTrans(CGXGridCore* pGrid) = 0;
    virtual BOOL Rollback(CGXGridCore* pGrid) = 0;
    virtual BOOL UpdateUndoMenuText(CGXGridCore* pGrid, CCmdUI* pCmdUI) = 0;
    virtual BOOL UpdateRedoMenuText(CGXGridCore* pGrid, CCmdUI* pCmdUI) = 0;
    virtual BOOL AddCommand(CGXGridCore* pGrid, CObject* pCommand, int nCommandType) = 0;
    virtual BOOL RemoveLastCommand(CGXGridCore* pGrid, int nCommandType) = 0;
    virtual BOOL RestoreCurrentCell(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, BOOL bMove) = 0;
    virtual BOOL SetDataUndoRecording(CGXGridCore* pGrid, BOOL bRecord) = 0;
    virtual CObject* GetDataUndoRecord(CGXGridCore* pGrid) = 0;
    virtual BOOL ApplyDataUndoRecord(CGXGridCore* pGrid, CObject* pRecord, BOOL bCreateUndo, int nCommandType) = 0;
    virtual BOOL DeleteDataUndoRecord(CGXGridCore* pGrid) = 0;
    // The one operation without the grid in front.
    virtual BOOL ReplayDataUndo(CObject* pCommand, CGXGridCore* pGrid, int nMode) = 0;

    // The recording lock: while set, stores nested in a change record no command of their own.
    // Returns the previous state.
    virtual BOOL LockRecording(CGXGridCore* pGrid, BOOL bLock) = 0;
    // Hands back a saved covered-cells record; TRUE when it changed cells.
    virtual BOOL RestoreCoveredCells(CGXGridCore* pGrid, CObject* pRecord, BOOL bCreateUndo, BOOL bUpdate) = 0;
    // Saves what a removal loses; FALSE when the engineer refuses an undo record that large. The
    // caller owns what comes back until it hands it to a command or frees it with FreeSavedData.
    virtual BOOL SaveRemovedRows(CGXGridCore* pGrid, ROWCOL nFromRow, ROWCOL nToRow, CDWordArray*& pHeights,
                                 CObArray*& pCellStyles, CObArray*& pBaseStyles, ROWCOL& nColCount) = 0;
    virtual BOOL SaveRemovedCols(CGXGridCore* pGrid, ROWCOL nFromCol, ROWCOL nToCol, CDWordArray*& pWidths,
                                 CObArray*& pCellStyles, CObArray*& pBaseStyles, ROWCOL& nRowCount) = 0;
    virtual void FreeSavedData(CDWordArray* pSizes, CObArray* pCellStyles, CObArray* pBaseStyles) = 0;
    // Inverse commands; each takes over the arrays it is given.
    virtual CObject* CreateRemoveRowsCmd(CGXGridCore* pGrid, ROWCOL nFromRow, ROWCOL nToRow, int nCommandType) = 0;
    virtual CObject* CreateRemoveColsCmd(CGXGridCore* pGrid, ROWCOL nFromCol, ROWCOL nToCol, int nCommandType) = 0;
    virtual CObject* CreateInsertRowsCmd(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCount, CDWordArray* pHeights,
                                         CObArray* pCellStyles, CObArray* pBaseStyles, ROWCOL nColCount,
                                         int nCommandType) = 0;
    virtual CObject* CreateInsertColsCmd(CGXGridCore* pGrid, ROWCOL nCol, ROWCOL nCount, CDWordArray* pWidths,
                                         CObArray* pCellStyles, CObArray* pBaseStyles, ROWCOL nRowCount,
                                         int nCommandType) = 0;
    virtual CObject* CreateFrozenRowsCmd(CGXGridCore* pGrid, ROWCOL nOldFrozen, ROWCOL nOldHeader,
                                         int nCommandType) = 0;
    virtual CObject* CreateFrozenColsCmd(CGXGridCore* pGrid, ROWCOL nOldFrozen, ROWCOL nOldHeader,
                                         int nCommandType) = 0;
    virtual CObject* CreateSetStyleRangeCmd(CGXGridCore* pGrid, const CGXRange& range, int nType,
                                            CObArray* pSavedStyles, int nCommandType) = 0;
    virtual CObject* CreateChangeStylesMapCmd(CGXGridCore* pGrid, CObject* pOldStylesMap, int nCommandType) = 0;
    virtual CObject* CreateChangePropertiesCmd(CGXGridCore* pGrid, CObject* pOldProperties, int nCommandType) = 0;
    virtual CObject* CreateChangeBaseStyleCmd(CGXGridCore* pGrid, WORD nBaseStyleId, CGXStyle* pOldStyle,
                                              LPCTSTR pszName, int nCommandType) = 0;
    virtual CObject* CreateSetRowHeightCmd(CGXGridCore* pGrid, ROWCOL nFromRow, ROWCOL nToRow,
                                           CDWordArray* pOldHeights, int nUndoMode) = 0;
    virtual CObject* CreateSetDefaultRowHeightCmd(CGXGridCore* pGrid, int nOldHeight, int nUndoMode) = 0;
    virtual CObject* CreateSetColWidthCmd(CGXGridCore* pGrid, ROWCOL nFromCol, ROWCOL nToCol,
                                          CDWordArray* pOldWidths, int nUndoMode) = 0;
    virtual CObject* CreateSetDefaultColWidthCmd(CGXGridCore* pGrid, int nOldWidth, int nUndoMode) = 0;
    // pabOldHidden holds the previous state of each line of the run (1 hidden); the command takes it over.
    virtual CObject* CreateHideRowsCmd(CGXGridCore* pGrid, ROWCOL nFromRow, ROWCOL nToRow, CByteArray* pabOldHidden,
                                       int nCommandType) = 0;
    virtual CObject* CreateHideColsCmd(CGXGridCore* pGrid, ROWCOL nFromCol, ROWCOL nToCol, CByteArray* pabOldHidden,
                                       int nCommandType) = 0;
    // A block of commands that undo as one step under the name.
    virtual CObject* CreateBlockCmd(LPCTSTR pszName) = 0;
    // The move that takes the rows (columns) back: the block nFrom..nTo goes before nDest.
    virtual CObject* CreateMoveRowsCmd(CGXGridCore* pGrid, ROWCOL nFromRow, ROWCOL nToRow, ROWCOL nDestRow,
                                       int nCommandType) = 0;
    virtual CObject* CreateMoveColsCmd(CGXGridCore* pGrid, ROWCOL nFromCol, ROWCOL nToCol, ROWCOL nDestCol,
                                       int nCommandType) = 0;
    // The covered range to set back.
    virtual CObject* CreateSetCoveredCellsCmd(CGXGridCore* pGrid, ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom,
                                              ROWCOL nRight, int nCommandType) = 0;
    // The index array that restores the former order (taken over).
    virtual CObject* CreateMoveDataRowsCmd(CGXGridCore* pGrid, const CGXRange& sortRange, CDWordArray* pawIndex,
                                           int nCommandType) = 0;
    virtual CObject* CreateMoveDataColsCmd(CGXGridCore* pGrid, const CGXRange& sortRange, CDWordArray* pawIndex,
                                           int nCommandType) = 0;
    // The source of a move of cells, where it went and what it overwrote there (taken over; may be NULL).
    virtual CObject* CreateMoveCellsCmd(CGXGridCore* pGrid, const CGXRange& source, ROWCOL nDestRow,
                                        ROWCOL nDestCol, CObject* pOverwritten, int nCommandType) = 0;
    // Setting a name: whether it existed and its former range. Deleting one: its range and the
    // attached object (taken over; may be NULL).
    virtual CObject* CreateSetRangeNameCmd(CGXGridCore* pGrid, LPCTSTR pszName, BOOL bExisted,
                                           const CGXRange& oldRange, int nCommandType) = 0;
    virtual CObject* CreateDeleteRangeNameCmd(CGXGridCore* pGrid, LPCTSTR pszName, const CGXRange& range,
                                              CObject* pObject, int nCommandType) = 0;
    // A change went on without an undo record (the engineer allowed it): the recorded commands
    // would replay against a changed grid, so they go, in both lists.
    virtual void EmptyUndoHistory(CGXGridCore* pGrid) = 0;
};

class CGXAbstractGridUpdateHintImp : public CGXGridComponent
{
public:
    // Replays the change a hint describes (CGXGridCore::OnGridUpdate).
    virtual BOOL HintUpdate(CGXGridCore* pGrid, CGXGridHint* pHint) = 0;
    virtual void HintInsertRows(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCount, UINT nFlags) = 0;
    virtual void HintInsertCols(CGXGridCore* pGrid, ROWCOL nCol, ROWCOL nCount, UINT nFlags) = 0;
    // pOldSizes: the pixel sizes of the removed lines, or NULL.
    virtual void HintRemoveRows(CGXGridCore* pGrid, ROWCOL nFromRow, ROWCOL nToRow, const CDWordArray* pOldSizes,
                                UINT nFlags) = 0;
    virtual void HintRemoveCols(CGXGridCore* pGrid, ROWCOL nFromCol, ROWCOL nToCol, const CDWordArray* pOldSizes,
                                UINT nFlags) = 0;
    virtual void HintFrozenRows(CGXGridCore* pGrid, ROWCOL nOldFrozen, ROWCOL nOldHeader, UINT nFlags) = 0;
    virtual void HintFrozenCols(CGXGridCore* pGrid, ROWCOL nOldFrozen, ROWCOL nOldHeader, UINT nFlags) = 0;
    virtual void HintChangedRowCount(CGXGridCore* pGrid, ROWCOL nOldCount, UINT nFlags) = 0;
    virtual void HintChangedColCount(CGXGridCore* pGrid, ROWCOL nOldCount, UINT nFlags) = 0;
    virtual void HintStyleRange(CGXGridCore* pGrid, const CGXRange& range, const CGXStyle* pStyle,
                                GXModifyType mode, int nType, UINT nFlags) = 0;
    virtual void HintStylesMap(CGXGridCore* pGrid, UINT nFlags) = 0;
    virtual void HintProperties(CGXGridCore* pGrid, UINT nFlags) = 0;
    virtual void HintBaseStyle(CGXGridCore* pGrid, WORD nBaseStyleId, UINT nFlags) = 0;
    // After a range redraw and a whole-grid redraw asked for a hint, and after a recalculation or
    // committed data changes. (grid, range, flags), (grid, flags) and (grid, the recalculation's error
    // text or NULL); nothing here.
    virtual void HintRedrawRange(CGXGridCore*, const CGXRange&, UINT) {}
    virtual void HintRedrawGrid(CGXGridCore*, UINT) {}
    virtual void HintRecalc(CGXGridCore*, CString*) {}
    // After changed row heights and column widths (old sizes in pixels, or NULL after a changed
    // default) and after a zoom change; nothing by default.
    // (grid, first, last, old sizes, flags) and (grid, percent, flags).
    virtual void HintChangedRowHeights(CGXGridCore*, ROWCOL, ROWCOL, const CDWordArray*, UINT) {}
    virtual void HintChangedColWidths(CGXGridCore*, ROWCOL, ROWCOL, const CDWordArray*, UINT) {}
    virtual void HintZoom(CGXGridCore*, int, UINT) {}
    // After the grid scrolled in a direction (1 up, 2 left, 3 down, 4 right): other panes follow.
    virtual void HintScrollPanes(CGXGridCore*, int) {}
    // The other steps a view tells the others of; nothing by default.
    // (grid, old read-only state)
    virtual void HintReadOnlyChanged(CGXGridCore*, BOOL) {}
    // (grid, row, column, flags)
    virtual void HintMoveCurrentCell(CGXGridCore*, ROWCOL, ROWCOL, UINT) {}
    // (grid, store flag, flags): FALSE when a receiving view failed.
    virtual BOOL HintTransferCurrentCell(CGXGridCore*, BOOL, UINT) { return TRUE; }
    // (grid, top row or left column, flags): the other pane of the splitter row (column) follows.
    virtual void HintTopRow(CGXGridCore*, ROWCOL, UINT) {}
    virtual void HintLeftCol(CGXGridCore*, ROWCOL, UINT) {}
    virtual void HintTabName(CGXGridCore*) {}
    // (grid, range, value), (grid, lock state), (grid, value, top, left, bottom, right), (grid).
    virtual void HintSelectRange(CGXGridCore*, const CGXRange&, void*) {}
    virtual void HintLockFrame(CGXGridCore*, BOOL) {}
    virtual void HintUpdateSelection(CGXGridCore*, void*, ROWCOL, ROWCOL, ROWCOL, ROWCOL) {}
    virtual void HintInvertAllSelectedCells(CGXGridCore*) {}
    // (grid, percent): the zoom stored, before the redraw that HintZoom tells.
    virtual void HintStoreZoom(CGXGridCore*, int) {}
    // (grid, top, left, bottom, right, flags).
    virtual void HintCoveredCells(CGXGridCore*, ROWCOL, ROWCOL, ROWCOL, ROWCOL, UINT) {}
    virtual void HintFloatCells(CGXGridCore*, ROWCOL, ROWCOL, ROWCOL, ROWCOL, UINT) {}
    virtual void HintMergeCells(CGXGridCore*, ROWCOL, ROWCOL, ROWCOL, ROWCOL, UINT) {}
    // (grid, sorted range, flags), (grid, first, last, destination, flags).
    virtual void HintMoveDataRows(CGXGridCore*, const CGXRange&, UINT) {}
    virtual void HintMoveDataCols(CGXGridCore*, const CGXRange&, UINT) {}
    virtual void HintMoveRows(CGXGridCore*, ROWCOL, ROWCOL, ROWCOL, UINT) {}
    virtual void HintMoveCols(CGXGridCore*, ROWCOL, ROWCOL, ROWCOL, UINT) {}
};

class CGXAbstractGridResizeToFitImp : public CGXGridComponent
{
public:
    virtual BOOL ResizeRowHeightsToFit(CGXGridCore* pGrid, CGXRange* pRange, BOOL bResizeCoveredCells,
                                       UINT nFlags) = 0;
    virtual BOOL ResizeColWidthsToFit(CGXGridCore* pGrid, CGXRange* pRange, BOOL bResizeCoveredCells,
                                      UINT nFlags) = 0;
};

// Hidden rows and columns. The flags live in the parameter object; the core's insert and remove
// steps and the mover of rows and columns keep them in step with the lines.
class CGXAbstractGridHideCellsImp : public CGXGridComponent
{
public:
    virtual void RemoveRowHiddenFlags(CGXGridCore* pGrid, ROWCOL nFromRow, ROWCOL nToRow) = 0;
    virtual void RemoveColHiddenFlags(CGXGridCore* pGrid, ROWCOL nFromCol, ROWCOL nToCol) = 0;
    virtual void InsertRowHiddenFlags(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCount) = 0;
    virtual void InsertColHiddenFlags(CGXGridCore* pGrid, ROWCOL nCol, ROWCOL nCount) = 0;
    virtual void MoveRowHiddenFlags(CGXGridCore* pGrid, ROWCOL nFromRow, ROWCOL nToRow, ROWCOL nDestRow) = 0;
    virtual void MoveColHiddenFlags(CGXGridCore* pGrid, ROWCOL nFromCol, ROWCOL nToCol, ROWCOL nDestCol) = 0;
    virtual BOOL HideRows(CGXGridCore* pGrid, ROWCOL nFromRow, ROWCOL nToRow, BOOL bHide, CByteArray* pabHide,
                          UINT nFlags, int nCommandType) = 0;
    virtual BOOL IsRowHidden(CGXGridCore* pGrid, ROWCOL nRow) = 0;
    virtual BOOL StoreHideRow(CGXGridCore* pGrid, ROWCOL nRow, BOOL bHide) = 0;
    virtual BOOL HideCols(CGXGridCore* pGrid, ROWCOL nFromCol, ROWCOL nToCol, BOOL bHide, CByteArray* pabHide,
                          UINT nFlags, int nCommandType) = 0;
    virtual BOOL IsColHidden(CGXGridCore* pGrid, ROWCOL nCol) = 0;
    virtual BOOL StoreHideCol(CGXGridCore* pGrid, ROWCOL nCol, BOOL bHide) = 0;
};

class CGXFindReplaceSettings;

// Find and replace. The settings record holds the texts and flags of a search; NULL stands for the
// library's one record. FindInCell and ReplaceInCell are what the base cell control does for a cell.
class CGXAbstractGridFindReplaceImp : public CGXGridComponent
{
public:
    // Searches on from the current cell for the settings' find text (bNext: down).
    virtual BOOL OnFindNext(CGXGridCore* pGrid, CGXFindReplaceSettings* pSettings, BOOL bNext, BOOL bCase) = 0;
    // Replaces the found text in the current cell and searches on.
    virtual BOOL OnReplaceSel(CGXGridCore* pGrid, CGXFindReplaceSettings* pSettings, BOOL bNext, BOOL bCase,
                              LPCTSTR pszReplace) = 0;
    // Replaces every occurrence in the current cell's column from the current row down.
    virtual BOOL OnReplaceAll(CGXGridCore* pGrid, CGXFindReplaceSettings* pSettings, LPCTSTR pszReplace,
                              BOOL bCase) = 0;
    virtual BOOL OnShowFindReplaceDialog(CGXGridCore* pGrid, BOOL bFindOnly) = 0;
    // A notification of the find/replace dialog (a CFindReplaceDialog).
    virtual BOOL OnFindReplace(CGXGridCore* pGrid, CWnd* pDialog) = 0;
    virtual BOOL FindTextFromCell(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, BOOL bSetCell) = 0;
    virtual BOOL FindNextText(CGXGridCore* pGrid, BOOL bSetCell) = 0;
    virtual BOOL FindInCell(CGXGridCore* pGrid, CGXControl* pControl, const CGXFindReplaceSettings& settings,
                            ROWCOL nRow, ROWCOL nCol, BOOL bCurrentPos, BOOL bSetCell) = 0;
    virtual BOOL ReplaceInCell(CGXGridCore* pGrid, CGXControl* pControl, const CGXFindReplaceSettings& settings,
                               ROWCOL nRow, ROWCOL nCol) = 0;
};

class CGXAbstractGridUserSelectRangeImp : public CGXGridComponent
{
public:
    // The selection list is the parameter object's; the gesture's position and anchor are the
    // engine's. bUpdate of the selection steps: the window shows the change at once.
    virtual BOOL SelectRange(CGXGridCore* pGrid, const CGXRange& range, BOOL bSelect, BOOL bStrictly,
                             UINT nFlags, BOOL bCreateHint) = 0;
    // No position clears the selection; otherwise the range at the position takes the range's bounds
    // (NULL: the table), its kind following from the zero bounds.
    virtual BOOL SetSelection(CGXGridCore* pGrid, POSITION pos, const CGXRange* pRange, BOOL bCreateHint) = 0;
    virtual BOOL CopyRangeToSelection(CGXGridCore* pGrid, const CGXRange& range, CGXRange& rangeOut) = 0;
    virtual BOOL DrawInvertedSelection(CGXGridCore* pGrid, CDC* pDC, const CRect& rect, BOOL bInvert) = 0;
    virtual BOOL RedrawSelectionChange(CGXGridCore* pGrid, const CGXRange& oldRange, const CGXRange& newRange,
                                       BOOL bRowHeaders, BOOL bColHeaders, UINT nFlags, BOOL bCreateHint) = 0;
    virtual BOOL RedrawSelection(CGXGridCore* pGrid, UINT nFlags) = 0;
    // Mouse: a left press in a cell or header, each move to another cell while tracking, the release.
    virtual BOOL OnLButtonDown(CGXGridCore* pGrid, CPoint point, UINT nFlags, int nHit, ROWCOL nRow,
                               ROWCOL nCol) = 0;
    virtual BOOL OnMoveTo(CGXGridCore* pGrid, CPoint point, UINT nFlags, ROWCOL nRow, ROWCOL nCol) = 0;
    virtual BOOL OnLButtonUp(CGXGridCore* pGrid, CPoint point, UINT nFlags) = 0;
    // The click that the base of OnCellLeftClicked hands on.
    virtual BOOL OnCellLeftClicked(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, UINT nFlags, CPoint point) = 0;
    // A move key (arrows, pages, Ctrl+arrows) with the selection it extends; FALSE when declined.
    virtual BOOL MoveCurrentCellEx(CGXGridCore* pGrid, int nDirection, UINT nCount) = 0;
    // The list alone, no drawing.
    virtual BOOL StoreSelectRange(CGXGridCore* pGrid, const CGXRange& range, BOOL bSelect) = 0;
    // Redraws the cells of the area whose selected state differs between the old list and the list.
    virtual BOOL UpdateSelectRange(CGXGridCore* pGrid, const CGXRange& area, const CGXRangeList* pOldList,
                                   BOOL bCreateHint) = 0;
    // The drawing step of SetSelection for the range at the position.
    virtual BOOL UpdateSelection(CGXGridCore* pGrid, POSITION pos, ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom,
                                 ROWCOL nRight, BOOL bCreateHint) = 0;
    virtual BOOL InvertAllSelectedCells(CGXGridCore* pGrid, BOOL bCreateHint) = 0;
};

class CGXAbstractGridExcelLikeFrameImp : public CGXGridComponent
{
public:
    virtual BOOL DrawExcelLikeFrame(CGXGridCore* pGrid, CDC* pDC, ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom,
                                    ROWCOL nRight, BOOL bErase, BOOL bFocus) = 0;
    virtual BOOL RefreshExcelLikeFrame(CGXGridCore* pGrid, BOOL bRedraw, const CGXRange* pOldRange,
                                       BOOL bErase) = 0;
    virtual BOOL RedrawExcelLikeFrame(CGXGridCore* pGrid) = 0;
    // Returns the previous lock state.
    virtual BOOL LockExcelLikeFrame(CGXGridCore* pGrid, BOOL bLock, BOOL bRedraw) = 0;
};

class CGXAbstractGridExcelLikeFillImp : public CGXGridComponent
{
public:
    virtual BOOL OnLButtonDown(CGXGridCore* pGrid, CPoint point, UINT nFlags, int nHit, ROWCOL nRow,
                               ROWCOL nCol) = 0;
    virtual BOOL OnMoveTo(CGXGridCore* pGrid, CPoint point, UINT nFlags, ROWCOL nRow, ROWCOL nCol) = 0;
    virtual BOOL OnLButtonUp(CGXGridCore* pGrid, CPoint point, UINT nFlags) = 0;
    // Removes the drag frame before the grid scrolls its window.
    virtual void RemoveDragFrame(CGXGridCore* pGrid) = 0;
    virtual BOOL DoExcelLikeFill(CGXGridCore* pGrid, const CGXRange& sourceRange, const CGXRange& fillRange) = 0;
    virtual BOOL StartExcelLikeFill(CGXGridCore* pGrid, UINT nFlags) = 0;
    // Ends a drag without filling: only its feedback goes.
    virtual BOOL CancelFill(CGXGridCore* pGrid) = 0;
    // Makes the filled block the selection.
    virtual BOOL SelectFilledRange(CGXGridCore* pGrid, const CGXRange& range) = 0;
};

class CGXAbstractGridUserDragSelectRangeImp : public CGXGridComponent
{
public:
    virtual BOOL OnLButtonDown(CGXGridCore* pGrid, CPoint point, UINT nFlags, int nHit, ROWCOL nRow,
                               ROWCOL nCol) = 0;
    virtual BOOL OnMouseMove(CGXGridCore* pGrid, CPoint point, UINT nFlags) = 0;
    virtual BOOL OnLButtonUp(CGXGridCore* pGrid, CPoint point, UINT nFlags) = 0;
    // Row 0 drags columns, column 0 rows.
    virtual BOOL StartDragSelection(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol) = 0;
    virtual BOOL DoDragSelection(CGXGridCore* pGrid, ROWCOL nFromRow, ROWCOL nFromCol, ROWCOL nToRow,
                                 ROWCOL nToCol) = 0;
    virtual BOOL DropSelection(CGXGridCore* pGrid, ROWCOL nFromRow, ROWCOL nFromCol, ROWCOL nToRow,
                               ROWCOL nToCol) = 0;
    virtual BOOL CancelDragSelection(CGXGridCore* pGrid) = 0;
};

class CGXAbstractGridMoveRowsColsImp : public CGXGridComponent
{
public:
    virtual BOOL StoreMoveRows(CGXGridCore* pGrid, ROWCOL nFromRow, ROWCOL nToRow, ROWCOL nDestRow,
                               BOOL bProcessed) = 0;
    virtual BOOL UpdateMoveRows(CGXGridCore* pGrid, ROWCOL nFromRow, ROWCOL nToRow, ROWCOL nDestRow, UINT nFlags,
                                BOOL bCreateHint) = 0;
    virtual BOOL StoreMoveCols(CGXGridCore* pGrid, ROWCOL nFromCol, ROWCOL nToCol, ROWCOL nDestCol,
                               BOOL bProcessed) = 0;
    virtual BOOL UpdateMoveCols(CGXGridCore* pGrid, ROWCOL nFromCol, ROWCOL nToCol, ROWCOL nDestCol, UINT nFlags,
                                BOOL bCreateHint) = 0;
    virtual BOOL MoveRows(CGXGridCore* pGrid, ROWCOL nFromRow, ROWCOL nToRow, ROWCOL nDestRow, UINT nFlags,
                          int nCommandType) = 0;
    virtual BOOL MoveCols(CGXGridCore* pGrid, ROWCOL nFromCol, ROWCOL nToCol, ROWCOL nDestCol, UINT nFlags,
                          int nCommandType) = 0;
};

class CGXAbstractGridUserResizeCellsImp : public CGXGridComponent
{
public:
    // Every mouse move while no press is tracked; TRUE when it took it.
    virtual BOOL OnMouseMove(CGXGridCore* pGrid, CPoint point, UINT nFlags) = 0;
    // A left press on a border or outside the cells; TRUE when a resize started.
    virtual BOOL OnLButtonDown(CGXGridCore* pGrid, CPoint point, UINT nFlags, int nHit, ROWCOL nRow,
                               ROWCOL nCol) = 0;
    virtual BOOL OnLButtonUp(CGXGridCore* pGrid, CPoint point, UINT nFlags) = 0;
    virtual BOOL OnLButtonDblClk(CGXGridCore* pGrid, CPoint point, UINT nFlags, int nHit, ROWCOL nRow,
                                 ROWCOL nCol) = 0;
    // Mode 1 rows, 2 columns; the other index is 0. Sizes in pixels.
    virtual BOOL StartResizeTracking(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, int nMode) = 0;
    virtual BOOL MoveResizeTracking(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, int nMode, int nSize) = 0;
    virtual BOOL CancelResizeTracking(CGXGridCore* pGrid) = 0;
    virtual BOOL EndResizeTracking(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, int nMode, int nSize) = 0;
};

class CGXAbstractGridOptimizedUpdateImp : public CGXGridComponent
{
public:
    // After the sizes of nFrom..nTo (0: nFrom alone) changed; pOldSizes holds their former pixel
    // sizes, or is NULL (a changed default).
    virtual void OnRowHeightsChanged(CGXGridCore* pGrid, ROWCOL nFromRow, ROWCOL nToRow,
                                     const CDWordArray* pOldHeights, UINT nFlags) = 0;
    virtual void OnColWidthsChanged(CGXGridCore* pGrid, ROWCOL nFromCol, ROWCOL nToCol,
                                    const CDWordArray* pOldWidths, UINT nFlags) = 0;
    // Called instead of a full redraw after a structure change. pOldSizes holds the sizes of removed
    // rows or columns in pixels, or is NULL.
    virtual void UpdateInsertRows(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCount, UINT nFlags) = 0;
    virtual void UpdateInsertCols(CGXGridCore* pGrid, ROWCOL nCol, ROWCOL nCount, UINT nFlags) = 0;
    virtual void UpdateRemoveRows(CGXGridCore* pGrid, ROWCOL nFromRow, ROWCOL nToRow, const CDWordArray* pOldSizes,
                                  UINT nFlags) = 0;
    virtual void UpdateRemoveCols(CGXGridCore* pGrid, ROWCOL nFromCol, ROWCOL nToCol, const CDWordArray* pOldSizes,
                                  UINT nFlags) = 0;
};

class CGXAbstractGridMarkEditHeaderImp : public CGXGridComponent
{
public:
    // Invalidates the header cells of a cell the current cell left or entered; nWhich 0 both, 1 the
    // column's header only, 2 the row's only.
    virtual BOOL MarkEditHeader(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, int nWhich, UINT nFlags) = 0;
    // Whether the header cell draws marked.
    virtual BOOL IsHeaderMarked(CGXGridCore* pGrid, CGXControl* pControl, ROWCOL nRow, ROWCOL nCol) = 0;
};

class CGXAbstractGridFreezeMenuHelperImp : public CGXGridComponent
{
public:
    virtual BOOL CanFreezeCols(CGXGridCore* pGrid) = 0;
    virtual BOOL CanUnfreezeCols(CGXGridCore* pGrid) = 0;
    virtual BOOL FreezeCols(CGXGridCore* pGrid) = 0;
    virtual BOOL UnfreezeCols(CGXGridCore* pGrid) = 0;
    virtual BOOL CanFreezeRows(CGXGridCore* pGrid) = 0;
    virtual BOOL CanUnfreezeRows(CGXGridCore* pGrid) = 0;
    virtual BOOL FreezeRows(CGXGridCore* pGrid) = 0;
    virtual BOOL UnfreezeRows(CGXGridCore* pGrid) = 0;
};

// Copies and moves blocks of cells inside one grid, with undo records. The data steps pass the call
// to the data object. The undo information of a move is a CGXDataUndoMoveCellsInfo: what the move
// overwrote, put back when the move is undone.
class CGXAbstractGridDirectCopyMoveCellsImp : public CGXGridComponent
{
public:
    virtual BOOL CopyCells(CGXGridCore* pGrid, CGXRange range, ROWCOL nDestRow, ROWCOL nDestCol, UINT nFlags) = 0;
    virtual BOOL CopyCellsData(CGXGridCore* pGrid, const CGXRange& range, ROWCOL nDestRow, ROWCOL nDestCol) = 0;
    virtual BOOL MoveCells(CGXGridCore* pGrid, CGXRange range, ROWCOL nDestRow, ROWCOL nDestCol, CObject* pUndoInfo,
                           UINT nFlags, int nCommandType) = 0;
    virtual BOOL MoveCellsData(CGXGridCore* pGrid, const CGXRange& range, ROWCOL nDestRow, ROWCOL nDestCol,
                               CObject** ppUndoInfo, BOOL bCreateUndoInfo, int nCommandType) = 0;
};

class CFile;

// The text form of cells (TAB between cells, CR LF between rows).
class CGXAbstractGridTextDataExchangeImp : public CGXGridComponent
{
public:
    // Writes the text of the ranges' row and column spans; TRUE when some cell had text.
    virtual BOOL CopyTextToFile(CGXGridCore* pGrid, CFile& file, const CGXRangeList& ranges) = 0;
    virtual CString GetCopyTextRowCol(CGXGridCore* pGrid, CString& text, ROWCOL nRow, ROWCOL nCol) = 0;
    // The bytes fill cells from the target's top-left cell on, as many as they hold.
    virtual BOOL PasteTextFromBuffer(CGXGridCore* pGrid, LPCSTR pszBuffer, DWORD dwSize,
                                     const CGXRange& target) = 0;
    virtual BOOL PasteTextRowCol(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, const CString& text, UINT nFlags,
                                 const CGXStyle* pStyle) = 0;
    virtual BOOL CalcTextSize(CGXGridCore* pGrid, LPCSTR pszBuffer, DWORD dwSize, ROWCOL& nRows,
                              ROWCOL& nCols) = 0;
};

// The private style form of cells: rows, columns and an object array of their styles.
class CGXAbstractGridStyleDataExchangeImp : public CGXGridComponent
{
public:
    virtual BOOL CopyStylesToArchive(CGXGridCore* pGrid, CArchive& ar, const CGXRangeList& ranges,
                                     BOOL bComposed) = 0;
    virtual BOOL GetStyleForCopy(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, CGXStyle& style,
                                 BOOL bComposed) = 0;
    virtual BOOL PasteStylesFromArchive(CGXGridCore* pGrid, CArchive& ar, const CGXRange& target,
                                        BOOL bNoSizeCheck) = 0;
};

class CGXAbstractGridCutPasteImp : public CGXGridComponent
{
public:
    virtual BOOL CanCopy(CGXGridCore* pGrid) = 0;
    virtual BOOL Copy(CGXGridCore* pGrid) = 0;
    virtual BOOL CopyRangesToClipboard(CGXGridCore* pGrid, const CGXRangeList& ranges) = 0;
    virtual BOOL CopyCellsAsText(CGXGridCore* pGrid, const CGXRangeList& ranges) = 0;
    virtual BOOL CopyCellsAsStyles(CGXGridCore* pGrid, const CGXRangeList& ranges, BOOL bComposed) = 0;
    virtual BOOL CanCut(CGXGridCore* pGrid) = 0;
    virtual BOOL Cut(CGXGridCore* pGrid) = 0;
    virtual BOOL CutRanges(CGXGridCore* pGrid, const CGXRangeList& ranges, BOOL bStyles) = 0;
    virtual BOOL CanPaste(CGXGridCore* pGrid) = 0;
    virtual BOOL IsPasteFormatAvailable(CGXGridCore* pGrid) = 0;
    virtual BOOL Paste(CGXGridCore* pGrid) = 0;
    virtual BOOL PasteDirect(CGXGridCore* pGrid, const CGXRange& target) = 0;
    virtual BOOL PasteFromClipboard(CGXGridCore* pGrid, const CGXRange& target) = 0;
    virtual BOOL ConfirmSizeMismatch(CGXGridCore* pGrid) = 0;
};

class CGXAbstractGridClearCellsImp : public CGXGridComponent
{
public:
    virtual BOOL CanClear(CGXGridCore* pGrid) = 0;
    virtual BOOL Clear(CGXGridCore* pGrid, BOOL bStyles) = 0;
    virtual BOOL ClearCells(CGXGridCore* pGrid, const CGXRangeList& ranges, BOOL bStyles) = 0;
};

// Components of painting that the drawing code defines with its own files.
class CGXAbstractGridOldDrawingImp;
class CGXAbstractDrawSpannedCellsImp;
// Three slots that no installer of this system fills.
class CGXAbstractGridSpareAImp;
class CGXAbstractGridSpareBImp;
class CGXAbstractGridSpareCImp;

// A plug-in window on the engine's plug-in list (the auto-scroll helper is one).
class CGXPluginComponent
{
public:
    virtual ~CGXPluginComponent() = default;
    // Handed the grid window at initialisation.
    virtual void PlugIn(CWnd* pGridWnd) = 0;
    // Lets the plug-in see a message; afterwards the engine reads the two flags.
    virtual BOOL HandlePluginMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) = 0;
    BOOL m_bHandled = FALSE;          // the message was handled
    BOOL m_bSkipGridHandling = FALSE; // the grid's own handling is skipped
};

// The grid's cell-tip window: it sees the moves over the grid and the messages the grid window
// pre-translates, asks the cells' controls for their tips, and times, shows and hides the tip.
class CGXAbstractGridCellTipImp : public CGXGridComponent
{
public:
    // A mouse move while the grid does not hold the capture (client coordinates).
    virtual void OnMouseMove(CGXGridCore* pGrid, CPoint point, UINT nFlags) = 0;
    virtual void RelayMessage(CGXGridCore* pGrid, const MSG* pMsg) = 0;
    virtual void HideTip(CGXGridCore* pGrid) = 0;
};

// The texts and flags of a search; the library keeps one record (GXGetFindReplaceSettings) that all
// grids share with the one find/replace dialog.
class CGXFindReplaceSettings
{
public:
    CGXFindReplaceSettings() = default;
    // The search text: the find text, upper-cased unless case matters.
    void PrepareSearchText();

    // The open find/replace dialog (a CFindReplaceDialog), or NULL, and whether it is the find dialog.
    CWnd* pFindReplaceDlg = nullptr;
    BOOL bFindOnly = FALSE;
    CString strFind;
    // The search text.
    CString strFindUpper;
    CString strReplace;
    BOOL bCase = FALSE;
    // The search goes toward higher row numbers.
    BOOL bNext = TRUE;
    // Replace All forms one undo step.
    BOOL bTransaction = TRUE;
    // The grid that opened the dialog, and the dialog's owner window.
    CGXGridCore* m_pGrid = nullptr;
    CWnd* m_pParentWnd = nullptr;
    // The composed style of the cell a column scan examines; NULL outside a scan.
    const CGXStyle* m_pStyle = nullptr;
};

// The library's one search record.
CGXFindReplaceSettings& GXGetFindReplaceSettings();
