#include "grid/features/SpanEvaluation.h"

#include "grid/core/Range.h"
#include "grid/core/Style.h"

#include <algorithm>

namespace
{
// Columns left of a pass's first column that its neighbour steps may reach and still find cached.
const ROWCOL kCacheLead = 256;
// A pass never sizes its cache beyond this many columns; further columns are composed as needed.
const ROWCOL kMaxCachedCols = 4096;
} // namespace

CGXSpanPassScope::CGXSpanPassScope(CGXGridCore* pGrid, CGXGridCore::RowStyleCache& cache, BOOL bUpdateLocked,
                                   BOOL bNoCache, ROWCOL nLeft, ROWCOL nRight)
    : m_pGrid(pGrid), m_cache(cache), m_bUseCache(!bNoCache && cache.nDepth == 0), m_bSetLock(!bUpdateLocked)
{
    if (m_bSetLock)
        m_bOldLock = m_pGrid->SetLockUpdate(TRUE);
    ++m_cache.nDepth;
    if (!m_bUseCache)
        return;
    if (m_cache.nCount == 0)
        m_cache.nOrigin = nLeft >= kCacheLead ? nLeft - kCacheLead : 0;
    const ROWCOL nWanted = std::min<ROWCOL>(nRight >= m_cache.nOrigin ? nRight - m_cache.nOrigin + 1 : 0, kMaxCachedCols);
    if (m_cache.apStyles.GetSize() < static_cast<INT_PTR>(nWanted))
        m_cache.apStyles.SetSize(nWanted);
}

CGXSpanPassScope::~CGXSpanPassScope()
{
    if (m_bUseCache)
        m_pGrid->RecycleCachedStyles(m_cache);
    --m_cache.nDepth;
    if (m_bSetLock)
        m_pGrid->SetLockUpdate(m_bOldLock);
}

const CGXStyle* CGXSpanPassScope::CachedStyle(ROWCOL nRow, ROWCOL nCol)
{
    if (!m_bUseCache || nCol < m_cache.nOrigin ||
        static_cast<INT_PTR>(nCol - m_cache.nOrigin) >= m_cache.apStyles.GetSize())
        return nullptr;
    void*& pEntry = m_cache.apStyles[nCol - m_cache.nOrigin];
    if (pEntry == nullptr)
    {
        CGXStyle* pStyle = m_pGrid->NewStyle();
        m_pGrid->BuildEffectiveStyle(nRow, nCol, *pStyle, TRUE);
        pEntry = pStyle;
        ++m_cache.nCount;
    }
    return static_cast<const CGXStyle*>(pEntry);
}

void CGXSpanPassScope::EndRow()
{
    if (m_bUseCache)
        m_pGrid->RecycleCachedStyles(m_cache);
}

CGXComposedStyle::CGXComposedStyle(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol)
    : m_pGrid(pGrid), m_pStyle(pGrid->NewStyle())
{
    m_pGrid->BuildEffectiveStyle(nRow, nCol, *m_pStyle, TRUE);
}

CGXComposedStyle::~CGXComposedStyle()
{
    m_pGrid->RecycleStyle(m_pStyle);
}

BOOL GXCellBlockOf(CGXGridCore* pGrid, const CGXRange& range, CGXRange& block)
{
    const ROWCOL nRows = pGrid->GetRowCount();
    const ROWCOL nCols = pGrid->GetColCount();
    block = range;
    block.ExpandToCells(0, 0, nRows, nCols);
    block.bottom = std::min(block.bottom, nRows);
    block.right = std::min(block.right, nCols);
    return range.IsValid() && block.top <= block.bottom && block.left <= block.right;
}
