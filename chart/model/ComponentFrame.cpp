// The component's drawing frame: the draw sequence, interior, border, shadow and invalidation.
#include "chart/model/GraphComponent.h"

#include "chart/model/ChartResourceIds.h"
#include "chart/model/Graph.h"
#include "framework/win/Dc.h"
#include "framework/win/Gdi.h"
#include "framework/win/Wnd.h"

#include <algorithm>

namespace {
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kLightGrey = RGB(0xC0, 0xC0, 0xC0);

int ShadowOffset(int nShadowStyle)
{
    switch (nShadowStyle) {
    case 1: return 3;
    case 2: return 8;
    case 3: return 16;
    default: return 0;
    }
}

// The strips along the right and bottom edges, shifted by the offset.
void ShadowStrips(const CRect& rect, int offset, CRect& right, CRect& bottom)
{
    right.SetRect(rect.right, rect.top + offset, rect.right + offset, rect.bottom + offset);
    bottom.SetRect(rect.left + offset, rect.bottom, rect.right, rect.bottom + offset);
}
}  // namespace

void QVGraphComponent::Draw(CDC* pDC, CWnd* pView)
{
    SetDrawContext(pDC, pView);
    m_rect.ToDeviceRect(pDC, pView);
    DrawInterior();
    DrawShadow();
    DrawBorder();
    DrawContent();
    m_bDrawing = 0;
    m_bChanged = 0;
}

void QVGraphComponent::DrawInterior()
{
    const CRect rect = m_rect.GetDeviceRect();
    FillRect(rect.left, rect.top, rect.right, rect.bottom);
}

void QVGraphComponent::DrawContent() {}

void QVGraphComponent::DrawBevel(const CRect& rect, COLORREF crTopLeft, COLORREF crBottomRight)
{
    // The rectangle's last row and column are its right and bottom edges.
    m_pDC->Draw3dRect(rect.left, rect.top, rect.Width() + 1, rect.Height() + 1, crTopLeft, crBottomRight);
}

void QVGraphComponent::DrawBorder()
{
    if (m_pDC == NULL)
        return;
    const int style = m_style.GetBorderStyle();
    CRect rect = m_rect.GetDeviceRect();
    if (style & 0x8) {
        DrawCustomBorder(rect);
        return;
    }
    switch (style) {
    case 1:
        DrawBevel(rect, kWhite, kBlack);
        break;
    case 2:
        DrawBevel(rect, kBlack, kWhite);
        break;
    case 3:
    case 6: {
        const int steps = style == 3 ? 1 : 3;
        for (int i = 0; i < steps; ++i) {
            DrawBevel(rect, kWhite, kBlack);
            rect.DeflateRect(1, 1);
            DrawBevel(rect, kLightGrey, kLightGrey);
            rect.DeflateRect(1, 1);
        }
        break;
    }
    case 4:
    case 5:
        for (int i = 0; i < 3; ++i) {
            if (style == 4)
                DrawBevel(rect, kWhite, kBlack);
            else
                DrawBevel(rect, kBlack, kWhite);
            rect.DeflateRect(1, 1);
        }
        break;
    case 7: {
        CPen* pPen = GetPen(PS_SOLID, 1, m_style.m_crLineColor);
        if (pPen == NULL)
            break;
        CPen* pOldPen = m_pDC->SelectObject(pPen);
        CGdiObject* pOldBrush = m_pDC->SelectStockObject(NULL_BRUSH);
        m_pDC->Rectangle(rect.left, rect.top, rect.right + 1, rect.bottom + 1);
        m_pDC->SelectObject(pOldBrush);
        m_pDC->SelectObject(pOldPen);
        break;
    }
    default:
        break;
    }
}

void QVGraphComponent::DrawCustomBorder(const CRect&) {}

int QVGraphComponent::GetBorderWidth()
{
    const int style = m_style.GetBorderStyle();
    if (style & 0x8)
        return GetCustomBorderWidth();
    switch (style) {
    case 0: return 0;
    case 3: return 2;
    case 4:
    case 5: return 3;
    case 6: return 6;
    default: return 1;
    }
}

int QVGraphComponent::GetCustomBorderWidth()
{
    return 6;
}

CRect QVGraphComponent::GetInnerRect(const CRect& rect)
{
    CRect inner(rect);
    const int border = GetBorderWidth();
    inner.DeflateRect(border + int(GetSizeX()), border + int(GetSizeY()));
    return inner;
}

void QVGraphComponent::DrawShadow()
{
    if (m_pDC == NULL)
        return;
    const int style = m_style.GetShadowStyle();
    if (style == 0)
        return;
    const CRect rect = m_rect.GetDeviceRect();
    if (style > 3) {
        DrawCustomShadow(rect, style);
        return;
    }
    const int offset = GetShadowExtent();
    CRect right, bottom;
    ShadowStrips(rect, offset, right, bottom);
    CBitmap pattern;
    CBrush brush;
    if (!LoadChartBitmap(pattern, IDB_QVG_SHADOW) || !brush.CreatePatternBrush(&pattern))
        brush.CreateSolidBrush(RGB(0x80, 0x80, 0x80));
    CBrush* pOldBrush = m_pDC->SelectObject(&brush);
    CGdiObject* pOldPen = m_pDC->SelectStockObject(NULL_PEN);
    const int oldMode = m_pDC->SetROP2(R2_MASKPEN);
    // A null pen leaves out the last row and column: one more on each side.
    m_pDC->Rectangle(right.left, right.top, right.right + 1, right.bottom + 1);
    m_pDC->Rectangle(bottom.left, bottom.top, bottom.right + 1, bottom.bottom + 1);
    m_pDC->SetROP2(oldMode);
    m_pDC->SelectObject(pOldPen);
    m_pDC->SelectObject(pOldBrush);
}

void QVGraphComponent::DrawCustomShadow(const CRect&, int) {}

int QVGraphComponent::GetShadowExtent()
{
    int offset = ShadowOffset(m_style.GetShadowStyle());
    if (m_pDC != NULL && IsPrinting())
        offset = int(offset * GetDeviceScaleX(m_pDC));
    return offset;
}

void QVGraphComponent::InvalidateOnView(CWnd* pView)
{
    if (pView == NULL || pView->GetSafeHwnd() == NULL || m_pChart == NULL)
        return;
    const CRect rect = m_rect.GetDeviceRect();
    switch (m_pChart->GetInvalidateMode()) {
    case 1:
    case 256: {
        CRect whole(rect.left, rect.top, rect.right + 1, rect.bottom + 1);
        ::InvalidateRect(pView->GetSafeHwnd(), &whole, FALSE);
        break;
    }
    case 16: {
        const int offset = ShadowOffset(m_style.GetShadowStyle());
        if (offset == 0)
            break;
        CRect right, bottom;
        ShadowStrips(rect, offset, right, bottom);
        right.InflateRect(0, 0, 1, 1);
        bottom.InflateRect(0, 0, 1, 1);
        ::InvalidateRect(pView->GetSafeHwnd(), &right, FALSE);
        ::InvalidateRect(pView->GetSafeHwnd(), &bottom, FALSE);
        break;
    }
    default:
        break;
    }
}
