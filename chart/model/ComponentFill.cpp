// Fills and outlines of the component base: colour-code pens and brushes, solid, hatched, gradient and
// image fills, polygon outlines and region frames.
#include "chart/model/GraphComponent.h"

#include "chart/model/Graph.h"
#include "framework/win/Dc.h"
#include "framework/win/Gdi.h"
#include "framework/win/WinApp.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {
enum FillKind
{
    fillNone,
    fillColorCode,
    fillSolid,
    fillVertical,
    fillHorizontal,
    fillAngled,
    fillResourceImage,
    fillFileImage,
    fillCustom
};

// A kind as callers give it: a component fill type in bits 8-11 or a marker fill mode in bits 4-7.
FillKind ResolveFillKind(int nKind, const QVGraphStyle* pStyle)
{
    if (nKind == QVGraphComponent::kindFromStyle)
        nKind = pStyle->IsComponentStyle() ? (pStyle->m_nComponentStyle & 0xF00) : pStyle->GetMarkerFill();
    if (nKind >= 0x100) {
        switch ((nKind >> 8) & 0xF) {
        case 1: return fillSolid;
        case 2: return fillVertical;
        case 3: return fillHorizontal;
        case 4: return fillAngled;
        case 5: return fillResourceImage;
        case 6: return fillFileImage;
        case 12: return fillCustom;
        default: return fillNone;
        }
    }
    switch ((nKind >> 4) & 0xF) {
    case 1: return fillColorCode;
    case 2: return fillSolid;
    case 3: return fillVertical;
    case 4: return fillHorizontal;
    case 5: return fillAngled;
    case 6: return fillResourceImage;
    case 7: return fillFileImage;
    case 12: return fillCustom;
    default: return fillNone;
    }
}

double Channel(COLORREF color, int shift)
{
    return double((color >> shift) & 0xFF);
}

COLORREF MixColor(double r, double g, double b)
{
    auto clamp = [](double v) { return BYTE(std::clamp(int(v), 0, 255)); };
    return RGB(clamp(r), clamp(g), clamp(b));
}

// Polygon with the given brush and no outline; the DC's objects are put back.
void FillPolygonWith(CDC* pDC, const POINT* pPoints, int nCount, CBrush* pBrush)
{
    CBrush* pOldBrush = pDC->SelectObject(pBrush);
    CGdiObject* pOldPen = pDC->SelectStockObject(NULL_PEN);
    pDC->Polygon(pPoints, nCount);
    pDC->SelectObject(pOldPen);
    pDC->SelectObject(pOldBrush);
}
}  // namespace

BOOL LoadChartBitmap(CBitmap& bitmap, LPCTSTR lpszName)
{
    HINSTANCE hModule = AfxFindResourceHandle(lpszName, RT_BITMAP);
    HBITMAP hBitmap = ::LoadBitmapA(hModule, lpszName);
    return hBitmap != NULL && bitmap.Attach(hBitmap);
}

BOOL LoadChartBitmap(CBitmap& bitmap, UINT nId)
{
    return LoadChartBitmap(bitmap, MAKEINTRESOURCE(nId));
}

void QVGraphComponent::SelectColorBrush(int nCode, int nColorCount)
{
    if (m_pBrush != NULL && nCode == m_nBrushCode) {
        if (m_pDC != NULL)
            m_pDC->SelectObject(m_pBrush);
        return;
    }
    if (m_pBrush != NULL) {
        // A brush still selected cannot be deleted: put the stock brush in first.
        if (m_pDC != NULL)
            m_pDC->SelectStockObject(WHITE_BRUSH);
        delete m_pBrush;
        m_pBrush = NULL;
    }
    m_pBrush = new CBrush;
    if (nColorCount == 16 || nColorCount < 1) {
        static const int kHatches[8] = {HS_DIAGCROSS, HS_BDIAGONAL, HS_CROSS,      HS_DIAGCROSS,
                                        HS_FDIAGONAL, HS_HORIZONTAL, HS_VERTICAL, HS_DIAGCROSS};
        const int hatch = (nCode >> 4) & 7;
        const COLORREF color = g_qvgColorTable[nCode & 15];
        if (nCode > 15 && hatch != 0)
            m_pBrush->CreateHatchBrush(kHatches[hatch], color);
        else
            m_pBrush->CreateSolidBrush(color);
    } else {
        const int code = ((nCode % nColorCount) + nColorCount) % nColorCount;
        m_pBrush->CreateSolidBrush(COLORREF(code * (16777215 / nColorCount)));
    }
    m_nBrushCode = nCode;
    if (m_pDC != NULL)
        m_pDC->SelectObject(m_pBrush);
}

void QVGraphComponent::SelectColorPen(int nCode, int nWidth)
{
    if (m_pPen == NULL || nCode != m_nPenCode || nWidth != m_nPenWidth) {
        static const int kStyles[8] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_SOLID, PS_DASHDOT, PS_DASHDOTDOT,
                                       PS_NULL};
        m_pPen = GetPen(kStyles[(nCode >> 3) & 7], nWidth, g_qvgColorTable[nCode & 15]);
        m_nPenCode = nCode;
        m_nPenWidth = nWidth;
    }
    if (m_pDC != NULL && m_pPen != NULL)
        m_pDC->SelectObject(m_pPen);
}

void QVGraphComponent::FillPolygon(const POINT* pPoints, int nCount, QVGraphStyle* pStyle, int nKind)
{
    if (m_pDC == NULL || pPoints == NULL || nCount < 2)
        return;
    if (pStyle == NULL)
        pStyle = &m_style;
    const FillKind kind = ResolveFillKind(nKind, pStyle);
    switch (kind) {
    case fillNone:
        return;
    case fillColorCode: {
        CBrush* pOldBrush = m_pDC->GetCurrentBrush();
        SelectColorBrush(m_nColorCode, m_pChart != NULL ? m_pChart->GetPaletteSize() : 16);
        CGdiObject* pOldPen = m_pDC->SelectStockObject(NULL_PEN);
        m_pDC->Polygon(pPoints, nCount);
        m_pDC->SelectObject(pOldPen);
        m_pDC->SelectObject(pOldBrush);
        return;
    }
    case fillSolid: {
        CBrush brush;
        brush.CreateSolidBrush(pStyle->m_crFill1);
        FillPolygonWith(m_pDC, pPoints, nCount, &brush);
        return;
    }
    default:
        break;
    }
    const CRect bounds = BoundsOfPoints(pPoints, nCount);
    if (m_pChart != NULL) {
        m_pChart->SaveClip();
        m_pChart->ClipToPolygon(pPoints, nCount, RGN_AND);
    }
    switch (kind) {
    case fillVertical:
        FillGradient(bounds, pStyle->m_crFill1, pStyle->m_crFill2, TRUE);
        break;
    case fillHorizontal:
        FillGradient(bounds, pStyle->m_crFill1, pStyle->m_crFill2, FALSE);
        break;
    case fillAngled:
        FillAngledGradient(bounds, pStyle->m_crFill1, pStyle->m_crFill2, pStyle->m_dFillValue);
        break;
    case fillResourceImage:
        FillImage(bounds, pStyle, FALSE);
        break;
    case fillFileImage:
        FillImage(bounds, pStyle, TRUE);
        break;
    case fillCustom: {
        CRgn region;
        region.CreatePolygonRgn(pPoints, nCount, ALTERNATE);
        FillCustom(&region, pStyle, bounds);
        break;
    }
    default:
        break;
    }
    if (m_pChart != NULL)
        m_pChart->RestoreClip();
}

void QVGraphComponent::FillGradient(const CRect& rect, COLORREF crFrom, COLORREF crTo, BOOL bVertical)
{
    const int extent = std::max(1, bVertical ? rect.Height() : rect.Width());
    const double stepR = (Channel(crTo, 0) - Channel(crFrom, 0)) / extent;
    const double stepG = (Channel(crTo, 8) - Channel(crFrom, 8)) / extent;
    const double stepB = (Channel(crTo, 16) - Channel(crFrom, 16)) / extent;
    const double largest = std::max({std::fabs(stepR), std::fabs(stepG), std::fabs(stepB)});
    // Bands as wide as one colour step, never thinner than 3 units.
    int band = largest < 1.0 / extent ? 3 * extent : 3 * std::max(1, int(std::floor(1.0 / largest)));
    band = std::max(band, 3);
    double r = Channel(crFrom, 0), g = Channel(crFrom, 8), b = Channel(crFrom, 16);
    for (int offset = 0; offset < extent; offset += band) {
        const int end = std::min(offset + band, extent);
        CRect piece = bVertical ? CRect(rect.left, rect.top + offset, rect.right, rect.top + end)
                                : CRect(rect.left + offset, rect.top, rect.left + end, rect.bottom);
        CBrush brush;
        brush.CreateSolidBrush(MixColor(r, g, b));
        m_pDC->FillRect(&piece, &brush);
        r += band * stepR;
        g += band * stepG;
        b += band * stepB;
    }
}

void QVGraphComponent::FillAngledGradient(const CRect& rect, COLORREF crFrom, COLORREF crTo, double angleDegrees)
{
    const double angle = std::fabs(std::fmod(angleDegrees, 90.0));
    const double radians = angle * 3.14159265358979323846 / 180.0;
    const int width = rect.Width(), height = rect.Height();
    if (angle < 5.0 || std::sin(radians) * height < 1.1) {
        FillGradient(rect, crFrom, crTo, FALSE);
        return;
    }
    if (angle > 85.0 || std::cos(radians) * width < 1.1) {
        FillGradient(rect, crFrom, crTo, TRUE);
        return;
    }
    const double diagonal = std::sqrt(double(width) * width + double(height) * height);
    const double length = diagonal * std::cos(radians - std::asin(height / diagonal)) * 1.2;
    const double deltaR = Channel(crTo, 0) - Channel(crFrom, 0);
    const double deltaG = Channel(crTo, 8) - Channel(crFrom, 8);
    const double deltaB = Channel(crTo, 16) - Channel(crFrom, 16);
    if (std::max({std::fabs(deltaR), std::fabs(deltaG), std::fabs(deltaB)}) < 2.0 || length <= 0.0) {
        m_pDC->FillSolidRect(&rect, crFrom);
        return;
    }
    // Small cells, each coloured by its distance along the angle from the top-left corner. Only the cells
    // that can show are filled: a rectangle read from a chart file may be millions of pixels high.
    const int cell = 3;
    const double dirX = std::cos(radians), dirY = std::sin(radians);
    int firstX = 0, firstY = 0, endX = width, endY = height;
    CRect clip;
    const int clipKind = m_pDC->GetClipBox(&clip);
    if (clipKind == NULLREGION)
        return;
    if (clipKind != ERROR) {
        // The cells keep their places in the whole rectangle, so the visible ones get the same colours.
        auto firstCell = [cell](long long offset, int extent) {
            return int(std::clamp<long long>(offset <= 0 ? 0 : offset / cell * cell, 0, extent));
        };
        firstX = firstCell(static_cast<long long>(clip.left) - rect.left, width);
        firstY = firstCell(static_cast<long long>(clip.top) - rect.top, height);
        endX = int(std::clamp<long long>(static_cast<long long>(clip.right) - rect.left, 0, width));
        endY = int(std::clamp<long long>(static_cast<long long>(clip.bottom) - rect.top, 0, height));
    }
    for (int y = firstY; y < endY; y += cell) {
        for (int x = firstX; x < endX; x += cell) {
            const double along = std::clamp(((x + cell / 2.0) * dirX + (y + cell / 2.0) * dirY) / length, 0.0, 1.0);
            const COLORREF color = MixColor(Channel(crFrom, 0) + deltaR * along, Channel(crFrom, 8) + deltaG * along,
                                            Channel(crFrom, 16) + deltaB * along);
            m_pDC->FillSolidRect(rect.left + x, rect.top + y, std::min(cell, width - x), std::min(cell, height - y),
                                 color);
        }
    }
}

void QVGraphComponent::FillImage(const CRect& rect, QVGraphStyle* pStyle, BOOL bFromFile)
{
    const CString& name = pStyle->m_strFillImage;
    if (name.IsEmpty())
        return;
    if (!bFromFile) {
        if (m_pImageBitmap == NULL || m_strImageName != name || m_bImageFile) {
            delete m_pImageBitmap;
            m_pImageBitmap = new CBitmap;
            m_bImageFile = 0;
            if (!LoadChartBitmap(*m_pImageBitmap, name)) {
                delete m_pImageBitmap;
                m_pImageBitmap = NULL;
            }
            m_strImageName = name;
        }
    } else {
        const BOOL keep = pStyle->GetAxisOption(24) && m_bImageFile && m_strImageName == name;
        if (!keep) {
            delete m_pImageBitmap;
            m_pImageBitmap = NULL;
            m_bImageFile = 0;
            HANDLE hImage = ::LoadImageA(NULL, name, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION);
            if (hImage != NULL) {
                m_pImageBitmap = new CBitmap;
                m_pImageBitmap->Attach(hImage);
                m_bImageFile = 1;
            }
            m_strImageName = name;
        }
    }
    if (m_pImageBitmap == NULL)
        return;
    BITMAP info = {};
    m_pImageBitmap->GetBitmap(&info);
    if (info.bmWidth <= 0 || info.bmHeight <= 0)
        return;
    CDC memoryDC;
    if (!memoryDC.CreateCompatibleDC(m_pDC))
        return;
    CBitmap* pOld = memoryDC.SelectObject(m_pImageBitmap);
    if (pStyle->IsImageStretched()) {
        m_pDC->StretchBlt(rect.left, rect.top, rect.Width(), rect.Height(), &memoryDC, 0, 0, info.bmWidth,
                          info.bmHeight, SRCCOPY);
    } else {
        const int tileWidth = std::max(1, int(info.bmWidth * GetDeviceScaleX(m_pDC)));
        const int tileHeight = std::max(1, int(info.bmHeight * GetDeviceScaleY(m_pDC)));
        for (int y = rect.top; y < rect.bottom; y += tileHeight)
            for (int x = rect.left; x < rect.right; x += tileWidth)
                m_pDC->StretchBlt(x, y, tileWidth, tileHeight, &memoryDC, 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
    }
    memoryDC.SelectObject(pOld);
}

void QVGraphComponent::OutlinePolygon(const POINT* pPoints, int nCount, QVGraphStyle* pStyle, int nKind)
{
    if (m_pDC == NULL || pPoints == NULL || nCount < 2)
        return;
    if (pStyle == NULL)
        pStyle = &m_style;
    if (nKind == kindFromStyle)
        nKind = pStyle->IsComponentStyle() ? pStyle->GetBorderStyle() : pStyle->GetLineType();
    CPen* pPen = NULL;
    switch (nKind) {
    case 0:
        return;
    case 1:
        SelectColorPen(m_nColorCode, pStyle->m_nLineWidth);
        pPen = m_pPen;
        break;
    case 2:
        pPen = GetPen(PS_SOLID, pStyle->m_nLineWidth, RGB(0, 0, 0));
        break;
    case 4:
        pPen = GetPen(PS_SOLID, pStyle->m_nLineWidth, pStyle->m_crLineColor);
        break;
    default: {
        CRgn region;
        if (nCount >= 3 && region.CreatePolygonRgn(pPoints, nCount, ALTERNATE))
            FrameRegion(&region, pStyle, nKind);
        return;
    }
    }
    if (pPen == NULL)
        return;
    CPen* pOldPen = m_pDC->SelectObject(pPen);
    m_pDC->Polyline(pPoints, nCount);
    if (pPoints[0].x != pPoints[nCount - 1].x || pPoints[0].y != pPoints[nCount - 1].y)
        m_pDC->LineTo(pPoints[0]);
    m_pDC->SelectObject(pOldPen);
}

void QVGraphComponent::FrameRegion(CRgn* pRegion, QVGraphStyle* pStyle, int nKind)
{
    if (m_pDC == NULL || pRegion == NULL)
        return;
    if (pStyle == NULL)
        pStyle = &m_style;
    CBrush brush;
    int width = std::max(1, pStyle->m_nLineWidth);
    CBitmap pattern;
    if (nKind == 3) {
        CBitmap* pBitmap = NULL;
        if (!pStyle->m_strPatternImage.IsEmpty() && LoadChartBitmap(pattern, pStyle->m_strPatternImage))
            pBitmap = &pattern;
        else
            pBitmap = GetPatternBitmap();
        if (pBitmap == NULL || !brush.CreatePatternBrush(pBitmap))
            brush.CreateSolidBrush(pStyle->m_crLineColor);
    } else if (nKind == 4) {
        brush.CreateSolidBrush(pStyle->m_crLineColor);
    } else {
        brush.CreateSolidBrush(RGB(0, 0, 0));
        width = 1;
    }
    m_pDC->FrameRgn(pRegion, &brush, width, width);
}

void ClosedCornersOf(const RECT& rect, POINT corners[5])
{
    corners[0] = {rect.left, rect.top};
    corners[1] = {rect.right, rect.top};
    corners[2] = {rect.right, rect.bottom};
    corners[3] = {rect.left, rect.bottom};
    corners[4] = corners[0];
}

void QVGraphComponent::FillRect(int left, int top, int right, int bottom)
{
    POINT corners[5];
    ClosedCornersOf(CRect(left, top, right, bottom), corners);
    FillPolygon(corners, 5, &m_style);
}

void QVGraphComponent::FillCustom(CRgn*, QVGraphStyle*, const CRect&) {}
