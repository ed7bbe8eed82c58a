#include "grid/controls/ProgressCtrl.h"

#include "framework/win/Dc.h"
#include "grid/controls/DrawnCell.h"
#include "grid/controls/UxTheme.h"
#include "grid/core/DrawingAndFormatting.h"
#include "grid/core/GridCore.h"
#include "grid/core/Style.h"
#include "grid/core/StylesMap.h"

#include <vssym32.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

GRID_IMPLEMENT_CONTROL(CGXProgressCtrl, CGXControl)

namespace
{
long AttributeLong(const CGXStyle& style, WORD nId)
{
    CString text;
    style.GetUserAttributeText(nId, text);
    return std::atol(text);
}

// The bound of the style, else of the composed cell; FALSE when neither sets it.
BOOL ReadBound(const CGXStyle& style, const CGXStyle* pComposed, WORD nId, long& nBound)
{
    if (style.HasUserAttribute(nId))
        nBound = AttributeLong(style, nId);
    else if (pComposed != nullptr && pComposed->HasUserAttribute(nId))
        nBound = AttributeLong(*pComposed, nId);
    else
        return FALSE;
    return TRUE;
}

// Reads one conversion "%[flags][width][l|h]c" at p (p points after the "%"); its length, or 0 when
// it is no integer conversion this format honours.
size_t ParseIntegerConversion(const char* p, std::string& directive, char& conversion)
{
    const char* q = p;
    directive = "%";
    while (*q != '\0' && std::strchr("-+ #0", *q) != nullptr)
        directive += *q++;
    int nWidthDigits = 0;
    while (*q >= '0' && *q <= '9')
    {
        // A caption wider than a cell ever is serves nobody.
        if (++nWidthDigits > 3)
            return 0;
        directive += *q++;
    }
    if (*q == 'l' || *q == 'h')
        ++q;
    if (*q == '\0' || std::strchr("diuoxX", *q) == nullptr)
        return 0;
    conversion = *q;
    directive += 'l';
    directive += conversion;
    return static_cast<size_t>(q - p + 1);
}
}  // namespace

CString GXFormatProgressCaption(LPCTSTR pszFormat, long nValue)
{
    CString caption;
    if (pszFormat == nullptr)
        return caption;
    BOOL bConverted = FALSE;
    for (const char* p = pszFormat; *p != '\0';)
    {
        if (*p != '%')
        {
            caption += *p++;
            continue;
        }
        if (p[1] == '%')
        {
            caption += '%';
            p += 2;
            continue;
        }
        std::string directive;
        char conversion = 0;
        const size_t nLength = bConverted ? 0 : ParseIntegerConversion(p + 1, directive, conversion);
        if (nLength == 0)
        {
            caption += *p++;
            continue;
        }
        char sz[64];
        if (conversion == 'd' || conversion == 'i')
            std::snprintf(sz, sizeof sz, directive.c_str(), nValue);
        else
            std::snprintf(sz, sizeof sz, directive.c_str(), static_cast<unsigned long>(nValue));
        caption += sz;
        bConverted = TRUE;
        p += 1 + nLength;
    }
    return caption;
}

CGXProgressCtrl::CGXProgressCtrl(CGXGridCore* pGrid) : CGXControl(pGrid)
{
}

int CGXProgressCtrl::BarWidth(long nValue, long nLower, long nUpper, int nCellWidth)
{
    if (nCellWidth <= 0)
        return 0;
    // No range (or an upside-down one): the bar is empty at the lower bound and full past it.
    if (nUpper <= nLower)
        return nValue > nLower ? nCellWidth : 0;
    const double dScale = (static_cast<double>(nUpper) - nLower) / nCellWidth;
    const double dWidth = (static_cast<double>(std::max(nValue, nLower)) - nLower) / dScale;
    return static_cast<int>(std::min<double>(dWidth, nCellWidth));
}

COLORREF CGXProgressCtrl::GetBarColor(int nWhich, const CGXStyle& style)
{
    return nWhich == 1 ? GXDrawnCell::TextColor(style, FALSE) : GXDrawnCell::InteriorColor(style, FALSE);
}

COLORREF CGXProgressCtrl::GetCaptionColor(int nWhich, const CGXStyle& style)
{
    return nWhich == 1 ? GXDrawnCell::InteriorColor(style, FALSE) : GXDrawnCell::TextColor(style, FALSE);
}

void CGXProgressCtrl::GetCaption(CString& caption, ROWCOL, ROWCOL, const CGXStyle& style)
{
    CString format;
    style.GetUserAttributeText(GX_IDS_UA_PROGRESS_CAPTIONMASK, format);
    caption = GXFormatProgressCaption(format, std::atol(style.GetValue()));
}

void CGXProgressCtrl::Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
                           const CGXStyle* pStandardStyle)
{
    if (pDC == nullptr)
        return;
    const HDC hDC = pDC->GetSafeHdc();
    const BOOL bBlackWhite = GXDrawnCell::IsBlackWhite(m_pGrid);
    const COLORREF bar = bBlackWhite ? RGB(0, 0, 0) : GetBarColor(1, style);
    const COLORREF back = bBlackWhite ? RGB(255, 255, 255) : GetBarColor(0, style);
    const COLORREF captionOnBar = bBlackWhite ? RGB(255, 255, 255) : GetCaptionColor(1, style);
    const COLORREF captionOnBack = bBlackWhite ? RGB(0, 0, 0) : GetCaptionColor(0, style);

    const long nLower = AttributeLong(style, GX_IDS_UA_PROGRESS_MIN);
    const long nUpper = AttributeLong(style, GX_IDS_UA_PROGRESS_MAX);
    const long nValue = std::atol(style.GetValue());
    m_dScale = rect.Width() == 0 ? 1.0 : (static_cast<double>(nUpper) - nLower) / rect.Width();
    const CRect rectBar(rect.left, rect.top, rect.left + BarWidth(nValue, nLower, nUpper, rect.Width()), rect.bottom);
    CRect rectRest;
    if (!rectRest.SubtractRect(&rect, &rectBar))
        rectRest.SetRectEmpty();

    HTHEME hTheme = nullptr;
    if (GXUxTheme::IsAppThemed() && GXUxTheme::IsThemeActive())
        hTheme = GXUxTheme::OpenThemeData(GXDrawnCell::GridWindow(m_pGrid), L"PROGRESS");
    if (hTheme != nullptr)
    {
        GXUxTheme::DrawThemeBackground(hTheme, hDC, PP_BAR, 0, &rect, nullptr);
        if (!rectBar.IsRectEmpty())
            GXUxTheme::DrawThemeBackground(hTheme, hDC, PP_CHUNK, 0, &rectBar, nullptr);
        GXUxTheme::CloseThemeData(hTheme);
    }
    else
    {
        if (!rectRest.IsRectEmpty())
            CGXDrawingAndFormatting::FillSolidRect(pDC, rectRest, back);
        if (!rectBar.IsRectEmpty())
            CGXDrawingAndFormatting::FillSolidRect(pDC, rectBar, bar);
        const unsigned nFrame = style.GetIncludeDraw3dFrame() ? style.GetDraw3dFrame() : 0;
        if (rectBar.Width() > 1 && (nFrame == 1 || nFrame == 2))
            CGXDrawingAndFormatting::DrawEdgeRect(pDC, rectBar.left, rectBar.top, rectBar.right, rectBar.bottom,
                                                  nFrame == 1 ? EDGE_RAISED : EDGE_SUNKEN);
    }

    CString caption;
    GetCaption(caption, nRow, nCol, style);
    if (!caption.IsEmpty())
    {
        GXDrawnCell::FontScope font(m_pGrid, pDC, style);
        SIZE extent = {};
        ::GetTextExtentPoint32A(hDC, caption, caption.GetLength(), &extent);
        if (extent.cx < rect.Width())
        {
            const int x = rect.left + (rect.Width() - extent.cx) / 2;
            const int y = rect.top + (rect.Height() - extent.cy) / 2;
            const int nOldMode = ::SetBkMode(hDC, TRANSPARENT);
            const COLORREF oldText = ::GetTextColor(hDC);
            // Each part of the caption contrasts with what lies under it.
            if (x >= rectBar.right || x + extent.cx <= rectBar.right)
            {
                ::SetTextColor(hDC, x >= rectBar.right ? captionOnBack : captionOnBar);
                ::TextOutA(hDC, x, y, caption, caption.GetLength());
            }
            else
            {
                ::SetTextColor(hDC, captionOnBack);
                ::TextOutA(hDC, x, y, caption, caption.GetLength());
                const int nSaved = ::SaveDC(hDC);
                ::IntersectClipRect(hDC, rectBar.left, rectBar.top, rectBar.right, rectBar.bottom);
                ::SetTextColor(hDC, captionOnBar);
                ::TextOutA(hDC, x, y, caption, caption.GetLength());
                ::RestoreDC(hDC, nSaved);
            }
            ::SetTextColor(hDC, oldText);
            ::SetBkMode(hDC, nOldMode);
        }
    }
    CGXControl::Draw(pDC, rect, nRow, nCol, style, pStandardStyle);
}

BOOL CGXProgressCtrl::ApplyStyleToCell(ROWCOL nRow, ROWCOL nCol, const CGXStyle* pStyle, GXModifyType mode, int nType,
                                       const CGXStyle* pComposedStyle)
{
    if (pStyle == nullptr || mode == gxExclude || !pStyle->GetIncludeValue())
        return CGXControl::ApplyStyleToCell(nRow, nCol, pStyle, mode, nType, pComposedStyle);
    const long nValue = std::atol(pStyle->GetValue());
    long nClamped = nValue;
    // Only a bound that a style sets clamps: a cell without an upper bound keeps its values.
    long nUpper = 0;
    if (ReadBound(*pStyle, pComposedStyle, GX_IDS_UA_PROGRESS_MAX, nUpper) && nClamped > nUpper)
        nClamped = nUpper;
    long nLower = 0;
    ReadBound(*pStyle, pComposedStyle, GX_IDS_UA_PROGRESS_MIN, nLower);
    if (nClamped < nLower)
        nClamped = nLower;
    if (nClamped == nValue)
        return CGXControl::ApplyStyleToCell(nRow, nCol, pStyle, mode, nType, pComposedStyle);
    CGXStyle* pCopy = m_pGrid->NewStyle();
    *pCopy = *pStyle;
    char sz[16];
    std::snprintf(sz, sizeof sz, "%ld", nClamped);
    pCopy->SetValue(sz);
    const BOOL bStored = CGXControl::ApplyStyleToCell(nRow, nCol, pCopy, mode, nType, pComposedStyle);
    m_pGrid->RecycleStyle(pCopy);
    return bStored;
}

void CGXProgressCtrl::AddUserAttributes(CGXStylesMap* pStylesMap)
{
    if (pStylesMap == nullptr)
        return;
    pStylesMap->AddUserAttribute(GX_IDS_UA_PROGRESS_MAX);
    pStylesMap->AddUserAttribute(GX_IDS_UA_PROGRESS_MIN);
    pStylesMap->AddUserAttribute(GX_IDS_UA_PROGRESS_CAPTIONMASK);
}
