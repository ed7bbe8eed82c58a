#pragma once
// What the evaluation passes of merged and floating cells share: the pass's hold on the update lock
// and on its per-row style cache, and composed styles that go back to the grid after use.

#include "grid/core/GridCore.h"

class CGXStyle;

// One evaluation pass over columns nLeft..nRight. Unless the caller holds the update lock already,
// the pass sets it (the spans it changes are not redrawn one by one). The row cache serves the
// cells of the row being evaluated; EndRow hands its styles back. A pass nested in another on the
// same cache, or one asked to, composes without it.
class CGXSpanPassScope
{
public:
    CGXSpanPassScope(CGXGridCore* pGrid, CGXGridCore::RowStyleCache& cache, BOOL bUpdateLocked, BOOL bNoCache,
                     ROWCOL nLeft, ROWCOL nRight);
    ~CGXSpanPassScope();
    CGXSpanPassScope(const CGXSpanPassScope&) = delete;
    CGXSpanPassScope& operator=(const CGXSpanPassScope&) = delete;

    // The cached composed style of a cell of the current row; NULL when the column is not cached
    // (the caller composes the style itself then).
    const CGXStyle* CachedStyle(ROWCOL nRow, ROWCOL nCol);
    void EndRow();

private:
    CGXGridCore* m_pGrid;
    CGXGridCore::RowStyleCache& m_cache;
    BOOL m_bUseCache;
    BOOL m_bSetLock;
    BOOL m_bOldLock = FALSE;
};

// A composed style of a cell, from the grid's pool of styles and given back at the end of its life.
class CGXComposedStyle
{
public:
    CGXComposedStyle(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol);
    ~CGXComposedStyle();
    CGXComposedStyle(const CGXComposedStyle&) = delete;
    CGXComposedStyle& operator=(const CGXComposedStyle&) = delete;

    CGXStyle& Get() { return *m_pStyle; }

private:
    CGXGridCore* m_pGrid;
    CGXStyle* m_pStyle;
};

// The cell block of a range, bounded by the counts (rows and columns from 0); FALSE when empty.
BOOL GXCellBlockOf(CGXGridCore* pGrid, const CGXRange& range, CGXRange& block);
