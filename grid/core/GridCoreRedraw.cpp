// Grid engine: the per-grid caches of composed styles and drawing objects, the grid DC, and the
// redraw operations every other part of the engine calls after a change.

#include "grid/core/GridCore.h"

#include "framework/win/Dc.h"
#include "framework/win/Wnd.h"
#include "framework/win/Gdi.h"
#include "grid/core/Font.h"
#include "grid/core/GridParam.h"
#include "grid/core/Style.h"

#include <cstring>

// ---- Styles and drawing objects ----

const CGXStyle& CGXGridCore::LookupCellStyle(ROWCOL nRow, ROWCOL nCol)
{
    CObject* pCached = nullptr;
    const BOOL bCurrent = IsCurrentCell(nRow, nCol);
    if (!bCurrent && m_StyleCache.Lookup(nRow, nCol, pCached))
        return *static_cast<CGXStyle*>(pCached);
    CGXStyle* pStyle = NewStyle();
    BuildEffectiveStyle(nRow, nCol, *pStyle);
    if (IsReadOnly())
        pStyle->SetReadOnly(TRUE);
    if (bCurrent)
        m_CurrentCellStyles.Add(pStyle);
    else
        m_StyleCache.SetAt(nRow, nCol, pStyle);
    return *pStyle;
}

HBRUSH CGXGridCore::GetCachedBrush(const CGXStyleBrush& brush)
{
    void* pKey = reinterpret_cast<void*>((static_cast<UINT_PTR>(brush.GetWord1()) << 32) | brush.GetWord0());
    void* pBrush = nullptr;
    if (m_BrushCache.Lookup(pKey, pBrush) && pBrush != nullptr)
        return static_cast<HBRUSH>(pBrush);
    HBRUSH hBrush = nullptr;
    switch (brush.GetStyle())
    {
    case 1:
        hBrush = static_cast<HBRUSH>(::GetStockObject(HOLLOW_BRUSH));
        return hBrush;
    case 2:
        hBrush = ::CreateHatchBrush(static_cast<int>(brush.GetHatch()), brush.GetColor());
        break;
    default:
        hBrush = ::CreateSolidBrush(brush.GetColor());
        break;
    }
    if (hBrush != nullptr)
        m_BrushCache.SetAt(pKey, hBrush);
    return hBrush;
}

CFont* CGXGridCore::GetCachedFont(const CGXFont& font)
{
    const LOGFONT& lf = font.GetLogFont();
    const auto* pBytes = reinterpret_cast<const BYTE*>(&lf);
    CString key;
    LPTSTR pszKey = key.GetBuffer(2 * static_cast<int>(sizeof(LOGFONT)));
    for (size_t i = 0; i < sizeof(LOGFONT); ++i)
    {
        pszKey[2 * i] = static_cast<char>('A' + (pBytes[i] >> 4));
        pszKey[2 * i + 1] = static_cast<char>('A' + (pBytes[i] & 0xF));
    }
    key.ReleaseBuffer(2 * static_cast<int>(sizeof(LOGFONT)));
    void* pCached = nullptr;
    auto* pFont = m_FontCache.Lookup(key, pCached) ? static_cast<CFont*>(pCached) : nullptr;
    if (pFont == nullptr)
    {
        pFont = new CFont;
        m_FontCache.SetAt(key, pFont);
    }
    // A font whose handle is gone is made again in the same object.
    if (pFont->GetSafeHandle() == nullptr)
        pFont->CreateFontIndirect(&lf);
    return pFont;
}

CFont* CGXGridCore::SelectZoomedFont(CDC* pDC, const CGXFont& font)
{
    if (pDC == nullptr)
        return nullptr;
    CGXFont zoomed(font);
    zoomed.SetSize(font.GetSize() * GetZoom() / 100);
    CFont* pFont = GetCachedFont(zoomed);
    if (pFont == nullptr || pFont->GetSafeHandle() == nullptr)
        return nullptr;
    const HGDIOBJ hOld = ::SelectObject(pDC->GetSafeHdc(), pFont->GetSafeHandle());
    return hOld != nullptr ? CFont::FromHandle(static_cast<HFONT>(hOld)) : nullptr;
}

CFont* CGXGridCore::SelectCellFont(CDC* pDC, const CGXStyle& style, const CGXStyle* pPreviousStyle)
{
    if (pPreviousStyle != nullptr &&
        (!style.GetIncludeFont() ||
         (pPreviousStyle->GetIncludeFont() &&
          memcmp(&style.GetFont().GetLogFont(), &pPreviousStyle->GetFont().GetLogFont(), sizeof(LOGFONT)) == 0)))
        return nullptr;
    return SelectZoomedFont(pDC, style.GetFont());
}

void CGXGridCore::FlushDrawingCaches()
{
    for (POSITION pos = m_FontCache.GetStartPosition(); pos != nullptr;)
    {
        CString key;
        void* pFont = nullptr;
        m_FontCache.GetNextAssoc(pos, key, pFont);
        delete static_cast<CFont*>(pFont);
    }
    m_FontCache.RemoveAll();
    for (POSITION pos = m_BrushCache.GetStartPosition(); pos != nullptr;)
    {
        void* pKey = nullptr;
        void* pBrush = nullptr;
        m_BrushCache.GetNextAssoc(pos, pKey, pBrush);
        ::DeleteObject(static_cast<HBRUSH>(pBrush));
    }
    m_BrushCache.RemoveAll();
    for (POSITION pos = m_StyleCache.GetStartPosition(); pos != nullptr;)
    {
        ROWCOL nRow = 0;
        ROWCOL nCol = 0;
        CObject* pStyle = nullptr;
        m_StyleCache.GetNextAssoc(pos, nRow, nCol, pStyle);
        RecycleStyle(static_cast<CGXStyle*>(pStyle));
    }
    m_StyleCache.RemoveAll();
    for (INT_PTR i = 0; i < m_CurrentCellStyles.GetSize(); ++i)
        RecycleStyle(static_cast<CGXStyle*>(m_CurrentCellStyles.GetAt(i)));
    m_CurrentCellStyles.RemoveAll();
}

// ---- Redraw ----

void CGXGridCore::RedrawGrid(UINT nFlags, BOOL)
{
    m_nLastVisibleRow = GX_INVALID;
    m_nLastVisibleCol = GX_INVALID;
    HWND hWnd = m_pGridWnd != nullptr ? m_pGridWnd->GetSafeHwnd() : nullptr;
    if (hWnd == nullptr || IsLockUpdate())
        return;
    // A table that shrank below the scrolled position is shown from its end.
    if (m_nTopRow > GetRowCount() && GetRowCount() > GetFrozenRows())
        m_nTopRow = GetRowCount();
    if (m_nLeftCol > GetColCount() && GetColCount() > GetFrozenCols())
        m_nLeftCol = GetColCount();
    if (m_nPaintDepth == 0)
        FlushDrawingCaches();
    ::InvalidateRect(hWnd, nullptr, FALSE);
    if (nFlags == GX_UPDATENOW)
        ::UpdateWindow(hWnd);
}

void CGXGridCore::RedrawCellRange(ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight, UINT nFlags, BOOL)
{
    HWND hWnd = m_pGridWnd != nullptr ? m_pGridWnd->GetSafeHwnd() : nullptr;
    if (hWnd == nullptr || IsLockUpdate() || !::IsWindowVisible(hWnd))
        return;
    const CGXRange range(nTop, nLeft, nBottom, nRight);
    const CRect rectCovered = CalcRangeRectFromRange(range);
    const CRect rectSpanned = CalcSpanRect(range);
    CRect rect;
    rect.UnionRect(&rectCovered, &rectSpanned);
    if (!rect.IsRectEmpty())
        ::InvalidateRect(hWnd, &rect, FALSE);
    if (nFlags == GX_UPDATENOW)
        ::UpdateWindow(hWnd);
}

void CGXGridCore::RedrawRange(const CGXRange& range, UINT nFlags, BOOL bCreateHint)
{
    CGXRange cells = range;
    cells.ExpandToCells(0, 0, GetRowCount(), GetColCount());
    RedrawCellRange(cells.top, cells.left, cells.bottom, cells.right, nFlags, bCreateHint);
}

void CGXGridCore::ReleaseGridDC()
{
}

BOOL CGXGridCore::SetLockUpdate(BOOL bLock)
{
    if (m_pParam == nullptr)
        return FALSE;
    const BOOL bOld = m_pParam->m_bLockUpdate;
    m_pParam->m_bLockUpdate = bLock;
    return bOld;
}

BOOL CGXGridCore::IsLockUpdate() const
{
    return m_pParam != nullptr && m_pParam->m_bLockUpdate;
}
