#pragma once
// The spreadsheet look of the selection: a thick frame with a fill handle round the selected block,
// and the drag of that handle, which repeats the block's values or styles into the cells it grows
// over and clears the cells it gives up.

#include "grid/core/GridComponents.h"
#include "grid/core/Range.h"

class CGXGridExcelLikeFrameImp : public CGXAbstractGridExcelLikeFrameImp
{
public:
    // All-zero bounds draw the stored frame; bErase and bFocus are not read.
    BOOL DrawExcelLikeFrame(CGXGridCore* pGrid, CDC* pDC, ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom,
                            ROWCOL nRight, BOOL bErase, BOOL bFocus) override;
    // Takes the frame from the last selected range; a frame that moved has its old and new places
    // repainted (pOldRange, bErase: not read).
    BOOL RefreshExcelLikeFrame(CGXGridCore* pGrid, BOOL bRedraw, const CGXRange* pOldRange, BOOL bErase) override;
    BOOL RedrawExcelLikeFrame(CGXGridCore* pGrid) override;
    BOOL LockExcelLikeFrame(CGXGridCore* pGrid, BOOL bLock, BOOL bRedraw) override;

    // Inverts the frame's rectangles within the clip, so drawing it twice removes it. Edges whose
    // range goes on beyond the view stay open.
    virtual void DrawFrame(CGXGridCore* pGrid, CDC* pDC, const CRect& frame, const CRect& clip, BOOL bTopHere,
                           BOOL bLeftHere, int nHandle, BOOL bHandleOnly);

    // The frame's cells and handle code for a selected range.
    static CGXRange FrameRange(CGXGridCore* pGrid, const CGXRange& selected, int& nHandle);
};

class CGXGridExcelLikeFillImp : public CGXAbstractGridExcelLikeFillImp
{
public:
    // StartFill: the selected block of cells under the press becomes the source.
    BOOL OnLButtonDown(CGXGridCore* pGrid, CPoint point, UINT nFlags, int nHit, ROWCOL nRow, ROWCOL nCol) override;
    // TrackFill: TRUE while a drag runs.
    BOOL OnMoveTo(CGXGridCore* pGrid, CPoint point, UINT nFlags, ROWCOL nRow, ROWCOL nCol) override;
    // EndFill: fills the target and selects it.
    BOOL OnLButtonUp(CGXGridCore* pGrid, CPoint point, UINT nFlags) override;
    void RemoveDragFrame(CGXGridCore* pGrid) override;
    // DoFill.
    BOOL DoExcelLikeFill(CGXGridCore* pGrid, const CGXRange& sourceRange, const CGXRange& fillRange) override;
    BOOL StartExcelLikeFill(CGXGridCore* pGrid, UINT nFlags) override;
    BOOL CancelFill(CGXGridCore* pGrid) override;
    BOOL SelectFilledRange(CGXGridCore* pGrid, const CGXRange& range) override;

    virtual void DrawFillFeedback(CGXGridCore* pGrid, const CGXRange& range, BOOL bErase, BOOL bDraw);

private:
    BOOL m_bDragging = FALSE;
    CGXRange m_source;
    CRect m_rectFeedback;
    // All zero while no feedback is shown.
    CGXRange m_target{0, 0, 0, 0};
};
