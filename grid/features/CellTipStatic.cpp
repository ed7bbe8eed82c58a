#include "grid/features/CellTipStatic.h"

#include "framework/win/Controls.h"
#include "framework/win/Dc.h"
#include "framework/win/Gdi.h"
#include "grid/controls/DIBPool.h"
#include "grid/core/ControlFactory.h"
#include "grid/core/Font.h"
#include "grid/core/GridCore.h"
#include "grid/core/Style.h"
#include "grid/features/GridCellTipImp.h"

#include <algorithm>

namespace
{
// The cell's font at the grid's zoom, as the grid draws it.
BOOL ZoomedLogFont(CGXGridCore* pGrid, const CGXStyle& style, LOGFONT& lf)
{
    if (!style.GetIncludeFont())
        return FALSE;
    CGXFont zoomed(style.GetFont());
    zoomed.SetSize(style.GetFont().GetSize() * pGrid->GetZoom() / 100);
    CFont* pFont = pGrid->GetCachedFont(zoomed);
    return pFont != nullptr && pFont->GetSafeHandle() != nullptr &&
           ::GetObjectA(pFont->GetSafeHandle(), sizeof(lf), &lf) != 0;
}

// Measures one line of text in the cell's font on a DC of the grid window.
CSize MeasureTextExtent(CGXGridCore* pGrid, const CGXStyle& style, const CString& text)
{
    LOGFONT lf;
    if (!ZoomedLogFont(pGrid, style, lf))
        return CSize(0, 0);
    HWND hGrid = pGrid->GridWnd()->GetSafeHwnd();
    HDC hDC = ::GetDC(hGrid);
    HFONT hFont = ::CreateFontIndirectA(&lf);
    HGDIOBJ hOld = ::SelectObject(hDC, hFont);
    SIZE size = {0, 0};
    ::GetTextExtentPoint32A(hDC, text, text.GetLength(), &size);
    if (text.IsEmpty())
    {
        TEXTMETRICA tm = {};
        ::GetTextMetricsA(hDC, &tm);
        size.cy = tm.tmHeight;
    }
    ::SelectObject(hDC, hOld);
    ::DeleteObject(hFont);
    ::ReleaseDC(hGrid, hDC);
    return CSize(size);
}

int ScreenWidth()
{
    return ::GetSystemMetrics(SM_CXSCREEN);
}

int ScreenHeight()
{
    return ::GetSystemMetrics(SM_CYSCREEN);
}

BOOL IsCentredHorz(const CGXStyle& style)
{
    return style.GetHorizontalAlignment() == DT_CENTER;
}

BOOL IsCentredVert(const CGXStyle& style)
{
    return style.GetVerticalAlignment() == DT_VCENTER;
}
} // namespace

CString CGXCellTipStatic::DisplayText(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style)
{
    CString text;
    m_pControl->GetControlText(text, nRow, nCol, nullptr, style);
    return text;
}

CRect CGXCellTipStatic::GetCellRectInBorders(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style)
{
    CGXGridCore* pGrid = m_pControl->Grid();
    CRect inner;
    pGrid->SubtractBorders(inner, pGrid->CalcCellRect(nRow, nCol), style, TRUE);
    pGrid->GridWnd()->ClientToScreen(&inner);
    return inner;
}

CRect CGXCellTipStatic::GetClientScreenRect(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style)
{
    CRect rect = m_pControl->GetCellRect(nRow, nCol, nullptr, &style);
    m_pControl->Grid()->GridWnd()->ClientToScreen(&rect);
    return rect;
}

CSize CGXCellTipStatic::GetTextSize(const CString& text, const CGXStyle& style)
{
    return MeasureTextExtent(m_pControl->Grid(), style, text);
}

CPoint CGXCellTipStatic::GetTextStart(const CString& text, const CRect& client, const CGXStyle& style)
{
    const DWORD nHorz = style.GetHorizontalAlignment();
    const DWORD nVert = style.GetVerticalAlignment();
    if (nHorz == DT_LEFT && nVert == DT_TOP)
        return client.TopLeft();
    CSize size = GetTextSize(text, style);
    if ((nHorz == DT_CENTER || nHorz == DT_RIGHT) && size.cx > client.Width() + 1)
    {
        // Shortened as the cell draws it, with the dots of the ellipsis setting.
        CString ellipsis;
        style.GetUserAttributeText(GX_IDS_UA_ELLIPSISTYPE, ellipsis);
        const BOOL bDots = ellipsis == "1";
        CString shown = text;
        int nDots = 3;
        while (size.cx > client.Width() + 1 && shown.GetLength() > 1 && (!bDots || nDots > 0))
        {
            shown = shown.Left(shown.GetLength() - 1);
            if (bDots)
            {
                CString withDots = shown;
                for (int i = 0; i < std::min(nDots, shown.GetLength()); ++i)
                    withDots += '.';
                size = GetTextSize(withDots, style);
                if (shown.GetLength() == 1)
                    --nDots;
            }
            else
                size = GetTextSize(shown, style);
        }
    }
    CPoint start = client.TopLeft();
    const int nFreeX = client.right - client.left + 1 - size.cx;
    if (nHorz == DT_RIGHT)
        start.x = client.left + std::max(0, nFreeX);
    else if (nHorz == DT_CENTER)
        start.x = client.left + std::max(0, nFreeX / 2);
    const int nFreeY = client.bottom - client.top - size.cy;
    if (nVert == DT_BOTTOM)
        start.y = client.top + std::max(0, nFreeY);
    else if (nVert == DT_VCENTER)
        start.y = client.top + std::max(0, nFreeY / 2);
    return start;
}

UINT CGXCellTipStatic::GetOutsideFlags(const CRect& rect)
{
    UINT nFlags = 0;
    CRect grid;
    m_pControl->Grid()->GetGridClientRect(grid);
    m_pControl->Grid()->GridWnd()->ClientToScreen(&grid);
    if (rect.left < grid.left || rect.right > grid.right)
        nFlags |= GX_TIP_OUTSIDEGRIDX;
    if (rect.top < grid.top || rect.bottom > grid.bottom)
        nFlags |= GX_TIP_OUTSIDEGRIDY;
    if (rect.left < 0 || rect.right > ScreenWidth())
        nFlags |= GX_TIP_OUTSIDESCREENX;
    if (rect.top < 0 || rect.bottom > ScreenHeight())
        nFlags |= GX_TIP_OUTSIDESCREENY;
    return nFlags;
}

BOOL CGXCellTipStatic::GetBitmapSize(const CString& text, CSize& size, HGLOBAL* phDIB)
{
    HGLOBAL hDIB = GXGetDIBPool()->LookupDIB(text);
    if (hDIB == nullptr)
        return FALSE;
    CGXDIB dib;
    dib.Attach(hDIB);
    size = CSize(dib.GetWidth(), dib.GetHeight());
    dib.Detach();
    if (phDIB != nullptr)
        *phDIB = hDIB;
    return TRUE;
}

int CGXCellTipStatic::GetTipKind(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style)
{
    CWnd* pWnd = m_pControl->GetWnd();
    const BOOL bEditWindow = pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CEdit));
    if (!bEditWindow && DisplayText(nRow, nCol, style).Left(4) == "#BMP")
        return GX_TIP_BITMAP;
    return GX_TIP_TEXT;
}

UINT CGXCellTipStatic::GetTipFlags(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style)
{
    return GetTipKind(nRow, nCol, style) == GX_TIP_BITMAP ? GetBitmapTipFlags(nRow, nCol, style)
                                                           : GetTextTipFlags(nRow, nCol, style);
}

UINT CGXCellTipStatic::GetTextTipFlags(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style)
{
    if (style.GetIncludeWrapText() && style.GetWrapText())
        return 0;
    if (style.GetIncludeFont() && style.GetFont().GetIncludeOrientation() && style.GetFont().GetOrientation() > 0)
        return 0;
    const CString text = DisplayText(nRow, nCol, style);
    // An empty cell has nothing to show.
    if (text.IsEmpty())
        return 0;
    const CRect client = GetClientScreenRect(nRow, nCol, style);
    const CSize size = GetTextSize(text, style);
    const CPoint start = GetTextStart(text, client, style);
    const CRect visible(start.x, start.y, std::min(start.x + size.cx, client.right),
                        std::min(start.y + size.cy, client.bottom));
    UINT nFlags = 0;
    if (size.cx > visible.Width() + 1)
        nFlags |= GX_TIP_WIDER;
    if (size.cy > visible.Height())
        nFlags |= GX_TIP_TALLER;
    return nFlags | GetOutsideFlags(visible);
}

UINT CGXCellTipStatic::GetBitmapTipFlags(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style)
{
    CSize bitmap;
    if (!GetBitmapSize(DisplayText(nRow, nCol, style), bitmap))
        return 0;
    const CRect cell = GetCellRectInBorders(nRow, nCol, style);
    UINT nFlags = 0;
    if (bitmap.cx > cell.Width())
        nFlags |= GX_TIP_WIDER;
    if (bitmap.cy > cell.Height())
        nFlags |= GX_TIP_TALLER;
    CPoint at = cell.TopLeft();
    if (style.GetHorizontalAlignment() == DT_RIGHT)
        at.x = cell.right - bitmap.cx;
    else if (IsCentredHorz(style))
        at.x = cell.left + (cell.Width() - bitmap.cx) / 2;
    if (style.GetVerticalAlignment() == DT_BOTTOM)
        at.y = cell.bottom - bitmap.cy;
    else if (IsCentredVert(style))
        at.y = cell.top + (cell.Height() - bitmap.cy) / 2;
    return nFlags | GetOutsideFlags(CRect(at, bitmap));
}

void CGXCellTipStatic::InitTipWindow(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, CGXCellTipWnd* pTipWnd)
{
    if (pTipWnd == nullptr)
        return;
    const int W = ScreenWidth();
    const int H = ScreenHeight();
    const CString text = DisplayText(nRow, nCol, style);
    const CRect cell = GetCellRectInBorders(nRow, nCol, style);
    const UINT nFlags = GetTipFlags(nRow, nCol, style);
    pTipWnd->m_strText = text;

    if (pTipWnd->m_nKind == GX_TIP_BITMAP)
    {
        CSize bitmap;
        HGLOBAL hDIB = nullptr;
        if (!GetBitmapSize(text, bitmap, &hDIB))
            return;
        const int cx = std::max(static_cast<int>(cell.Width()), static_cast<int>(bitmap.cx) + 1);
        const int cy = std::max(static_cast<int>(cell.Height()), static_cast<int>(bitmap.cy) + 1);
        int left = std::max(0, std::min(static_cast<int>(cell.left), W - cx));
        int top = std::max(0, std::min(static_cast<int>(cell.top), H - cy));
        if (style.GetVerticalAlignment() == DT_BOTTOM && cell.Height() <= bitmap.cy)
            top = cell.bottom - cy;
        UINT nAlign = 0;
        if (cell.Width() > bitmap.cx)
            nAlign |= style.GetHorizontalAlignment() == DT_RIGHT ? DT_RIGHT : IsCentredHorz(style) ? DT_CENTER : 0;
        if (cell.Height() > bitmap.cy)
            nAlign |= style.GetVerticalAlignment() == DT_BOTTOM ? DT_BOTTOM : IsCentredVert(style) ? DT_VCENTER : 0;
        pTipWnd->m_hBitmap = hDIB;
        pTipWnd->m_nBitmapAlign = nAlign;
        pTipWnd->m_rectWindow = CRect(left, top, left + cx, top + cy);
        pTipWnd->m_rectText = CRect(0, 0, cx, cy);
        pTipWnd->PlaceHidden();
        return;
    }

    LOGFONT lf;
    pTipWnd->SetTipFont(ZoomedLogFont(m_pControl->Grid(), style, lf) ? &lf : nullptr);
    const CSize size = GetTextSize(text, style);
    const int cx = size.cx + 6;
    const int cy = size.cy + 2;
    const CPoint start = GetTextStart(text, GetClientScreenRect(nRow, nCol, style), style);
    const int nOffsetX = start.x - cell.left;
    const int nOffsetY = start.y - cell.top;

    int width;
    if (nFlags & GX_TIP_OUTSIDESCREENX)
        width = cx;
    else if ((nFlags & GX_TIP_OUTSIDEGRIDX) && !IsCentredHorz(style))
        width = nOffsetX + cx;
    else
        width = std::max(nOffsetX + cx, std::min(static_cast<int>(cell.Width()) + 1, W - static_cast<int>(cell.left) + 1));
    int height;
    if (nFlags & GX_TIP_OUTSIDESCREENY)
        height = cy;
    else if ((nFlags & GX_TIP_OUTSIDEGRIDY) && !IsCentredVert(style))
        height = nOffsetY + cy;
    else
        height = std::max(nOffsetY + cy, std::min(static_cast<int>(cell.Height()), H - static_cast<int>(cell.top)));

    int left = (nFlags & GX_TIP_OUTSIDESCREENX) ? (cell.left + width <= W ? 0 : W) : cell.left;
    left = std::max(0, std::min(left, W - width));
    int top = (nFlags & GX_TIP_OUTSIDESCREENY) ? (cell.top + height <= H ? 0 : H) : cell.top;
    top = std::max(0, std::min(top, H - height));

    const int textX = std::min(static_cast<int>(start.x), W - cx + 2) - left;
    const int textY = std::min(static_cast<int>(start.y), H - cy + 2) - top;
    CRect textRect(0, 0, width, height);
    textRect.left = (nFlags & GX_TIP_OUTSIDESCREENX) ? 2 : textX;
    textRect.top = (nFlags & GX_TIP_OUTSIDESCREENY) ? 0 : textY;
    if (style.GetVerticalAlignment() == DT_BOTTOM)
        textRect.top = std::max(0, static_cast<int>(textRect.top) - 1);
    pTipWnd->m_rectWindow = CRect(left, top, left + width, top + height);
    pTipWnd->m_rectText = textRect;
    pTipWnd->PlaceHidden();
}
