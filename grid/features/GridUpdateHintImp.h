#pragma once
// Update hints between the views of a document: each redraw step of a grid that is asked for a hint
// describes itself in a CGXGridHint and hands it to the document's other views; each of them replays
// the same step on its own grid, with no hint of its own. The panes of a splitter window follow each
// other's scroll position the same way. One object serves any grid; a grid not linked to a document
// sends nothing.

#include "grid/core/GridComponents.h"

class CGXGridHint;

// Hint ids, one per step.
enum : UINT
{
    GX_HINT_REDRAWGRID = 1,
    GX_HINT_REDRAWRANGE = 2,
    GX_HINT_ROWCOUNT = 3,
    GX_HINT_COLCOUNT = 4,
    GX_HINT_ROWHEIGHTS = 5,
    GX_HINT_COLWIDTHS = 6,
    GX_HINT_INSERTCOLS = 7,
    GX_HINT_INSERTROWS = 8,
    GX_HINT_REMOVECOLS = 9,
    GX_HINT_REMOVEROWS = 10,
    GX_HINT_MOVECOLS = 11,
    GX_HINT_MOVEROWS = 12,
    GX_HINT_UPDATESELECTION = 13,
    GX_HINT_INVERTSELECTION = 14,
    GX_HINT_FROZENROWS = 15,
    GX_HINT_FROZENCOLS = 16,
    GX_HINT_STYLERANGE = 17,
    GX_HINT_COVEREDCELLS = 18,
    GX_HINT_ZOOM = 19,
    GX_HINT_STOREZOOM = 20,
    GX_HINT_READONLY = 21,
    GX_HINT_TABNAME = 22,
    GX_HINT_SELECTRANGE = 23,
    GX_HINT_TRANSFERCURRENTCELL = 24,
    GX_HINT_TOPROW = 25,
    GX_HINT_LEFTCOL = 26,
    GX_HINT_MOVECURRENTCELL = 27,
    GX_HINT_FLOATCELLS = 28,
    GX_HINT_MERGECELLS = 29,
    GX_HINT_LOCKFRAME = 30,
    GX_HINT_MOVEDATAROWS = 31,
    GX_HINT_MOVEDATACOLS = 32,
    GX_HINT_PROPERTIES = 33,
    GX_HINT_STYLESMAP = 34,
    GX_HINT_BASESTYLE = 35,
    GX_HINT_RECALC = 36
};

class CGXGridUpdateHintImp : public CGXAbstractGridUpdateHintImp
{
public:
    // The receiver (OnHint): replays the hint's step with no hint of its own. Hints for another grid
    // id, of unknown ids or that are no grid hints change nothing (FALSE).
    BOOL HintUpdate(CGXGridCore* pGrid, CGXGridHint* pHint) override;

    // ---- The senders ----
    void HintReadOnlyChanged(CGXGridCore* pGrid, BOOL bOldReadOnly) override;
    void HintMoveCurrentCell(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, UINT nFlags) override;
    // FALSE when any receiving view failed.
    BOOL HintTransferCurrentCell(CGXGridCore* pGrid, BOOL bSave, UINT nFlags) override;
    void HintChangedRowCount(CGXGridCore* pGrid, ROWCOL nOldCount, UINT nFlags) override;
    void HintChangedColCount(CGXGridCore* pGrid, ROWCOL nOldCount, UINT nFlags) override;
    void HintFrozenCols(CGXGridCore* pGrid, ROWCOL nOldFrozen, ROWCOL nOldHeader, UINT nFlags) override;
    void HintFrozenRows(CGXGridCore* pGrid, ROWCOL nOldFrozen, ROWCOL nOldHeader, UINT nFlags) override;
    // Only to the other pane of the splitter row (column), when there is one.
    void HintTopRow(CGXGridCore* pGrid, ROWCOL nRow, UINT nFlags) override;
    void HintLeftCol(CGXGridCore* pGrid, ROWCOL nCol, UINT nFlags) override;
    void HintInsertRows(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCount, UINT nFlags) override;
    void HintInsertCols(CGXGridCore* pGrid, ROWCOL nCol, ROWCOL nCount, UINT nFlags) override;
    void HintRedrawRange(CGXGridCore* pGrid, const CGXRange& range, UINT nFlags) override;
    void HintRedrawGrid(CGXGridCore* pGrid, UINT nFlags) override;
    void HintRecalc(CGXGridCore* pGrid, CString* pErrorText) override;
    void HintTabName(CGXGridCore* pGrid) override;
    // Codes 1 and 3 move the other pane column's top row, 2 and 4 the other pane row's left column.
    void HintScrollPanes(CGXGridCore* pGrid, int nDirection) override;
    void HintSelectRange(CGXGridCore* pGrid, const CGXRange& range, void* pValue) override;
    void HintLockFrame(CGXGridCore* pGrid, BOOL bLock) override;
    void HintUpdateSelection(CGXGridCore* pGrid, void* pValue, ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom,
                             ROWCOL nRight) override;
    void HintInvertAllSelectedCells(CGXGridCore* pGrid) override;
    void HintChangedRowHeights(CGXGridCore* pGrid, ROWCOL nFromRow, ROWCOL nToRow, const CDWordArray* pOldHeights,
                               UINT nFlags) override;
    void HintChangedColWidths(CGXGridCore* pGrid, ROWCOL nFromCol, ROWCOL nToCol, const CDWordArray* pOldWidths,
                              UINT nFlags) override;
    void HintStoreZoom(CGXGridCore* pGrid, int nZoom) override;
    void HintZoom(CGXGridCore* pGrid, int nZoom, UINT nFlags) override;
    void HintStyleRange(CGXGridCore* pGrid, const CGXRange& range, const CGXStyle* pStyle, GXModifyType mode,
                        int nType, UINT nFlags) override;
    void HintStylesMap(CGXGridCore* pGrid, UINT nFlags) override;
    void HintProperties(CGXGridCore* pGrid, UINT nFlags) override;
    void HintBaseStyle(CGXGridCore* pGrid, WORD nBaseStyleId, UINT nFlags) override;
    void HintCoveredCells(CGXGridCore* pGrid, ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight,
                          UINT nFlags) override;
    void HintFloatCells(CGXGridCore* pGrid, ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight,
                        UINT nFlags) override;
    void HintMergeCells(CGXGridCore* pGrid, ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight,
                        UINT nFlags) override;
    void HintMoveDataRows(CGXGridCore* pGrid, const CGXRange& sortRange, UINT nFlags) override;
    void HintMoveDataCols(CGXGridCore* pGrid, const CGXRange& sortRange, UINT nFlags) override;
    void HintRemoveRows(CGXGridCore* pGrid, ROWCOL nFromRow, ROWCOL nToRow, const CDWordArray* pOldHeights,
                        UINT nFlags) override;
    void HintRemoveCols(CGXGridCore* pGrid, ROWCOL nFromCol, ROWCOL nToCol, const CDWordArray* pOldWidths,
                        UINT nFlags) override;
    void HintMoveRows(CGXGridCore* pGrid, ROWCOL nFromRow, ROWCOL nToRow, ROWCOL nDestRow, UINT nFlags) override;
    void HintMoveCols(CGXGridCore* pGrid, ROWCOL nFromCol, ROWCOL nToCol, ROWCOL nDestCol, UINT nFlags) override;

private:
    static void Send(CGXGridCore* pGrid, CGXGridHint& hint);
};
