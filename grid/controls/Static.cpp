#include "grid/controls/Static.h"

#include "grid/controls/DIBPool.h"
#include "grid/controls/UxTheme.h"
#include "grid/core/AppData.h"
#include "grid/core/ControlFactory.h"
#include "grid/core/DrawingAndFormatting.h"
#include "grid/core/GridComponents.h"
#include "grid/core/GridCore.h"
#include "grid/core/GridParam.h"
#include "grid/core/Properties.h"
#include "grid/core/Range.h"
#include "grid/core/Style.h"
#include "grid/core/StylesMap.h"
#include "grid/core/UserAttribute.h"
#include "framework/win/Dc.h"
#include "framework/win/Gdi.h"
#include "framework/win/Controls.h"
#include "framework/win/Wnd.h"

#include <vssym32.h>

#include <cstdlib>
#include <cstring>

GRID_IMPLEMENT_CONTROL(CGXStatic, CGXControl)
GRID_IMPLEMENT_CONTROL(CGXHeader, CGXStatic)

namespace
{
void FillLine(CDC* pDC, int l, int t, int r, int b, COLORREF color)
{
    if (r > l && b > t)
        CGXDrawingAndFormatting::FillSolidRect(pDC, CRect(l, t, r, b), color);
}

const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kGrey = RGB(128, 128, 128);

// A printout the properties want in black and white.
BOOL IsPrintingBlackWhite(CGXGridCore* pGrid)
{
    CGXProperties* pProperties = pGrid->GetProperties();
    return pProperties != nullptr && pGrid->IsPrinting() && pProperties->GetPrintBlackWhite();
}

// Whether the font selected in the DC is made from exactly this LOGFONT. Equal LOGFONTs give the
// same glyphs, whichever font object holds them.
BOOL HoldsFont(HDC hDC, const LOGFONT& lf)
{
    LOGFONT selected;
    const HGDIOBJ hSelected = ::GetCurrentObject(hDC, OBJ_FONT);
    if (hSelected == nullptr || ::GetObjectA(hSelected, sizeof(selected), &selected) != sizeof(selected))
        return FALSE;
    return selected.lfHeight == lf.lfHeight && selected.lfWidth == lf.lfWidth &&
           selected.lfEscapement == lf.lfEscapement && selected.lfOrientation == lf.lfOrientation &&
           selected.lfWeight == lf.lfWeight && selected.lfItalic == lf.lfItalic &&
           selected.lfUnderline == lf.lfUnderline && selected.lfStrikeOut == lf.lfStrikeOut &&
           selected.lfCharSet == lf.lfCharSet && selected.lfOutPrecision == lf.lfOutPrecision &&
           selected.lfClipPrecision == lf.lfClipPrecision && selected.lfQuality == lf.lfQuality &&
           selected.lfPitchAndFamily == lf.lfPitchAndFamily &&
           std::strncmp(selected.lfFaceName, lf.lfFaceName, LF_FACESIZE) == 0;
}

// A cell's font in the DC for the time of its drawing. Most cells use the standard font, which the
// paint has selected already: then no font is selected at all. Other fonts come from the grid's font
// cache, which every paint empties first, so that a paint makes each font once instead of once per
// cell; making a font costs far more than the rest of drawing a cell.
class CellFontScope
{
public:
    CellFontScope(CGXGridCore* pGrid, HDC hDC, const CGXFont& font) : m_hDC(hDC)
    {
        const int nZoom = pGrid->GetZoom();
        const LOGFONT lf = font.GetLogFontZoomed(nZoom);
        if (HoldsFont(hDC, lf))
            return;
        HFONT hFont = nullptr;
        // Only unzoomed is the cache's font made from this very LOGFONT (the cache zooms by points).
        if (nZoom == 100)
            if (CFont* pCached = pGrid->GetCachedFont(font))
                hFont = static_cast<HFONT>(pCached->GetSafeHandle());
        if (hFont == nullptr)
            hFont = m_hOwnFont = ::CreateFontIndirectA(&lf);
        m_hOldFont = ::SelectObject(hDC, hFont);
        m_bSelected = TRUE;
    }
    ~CellFontScope()
    {
        if (!m_bSelected)
            return;
        ::SelectObject(m_hDC, m_hOldFont);
        if (m_hOwnFont != nullptr)
            ::DeleteObject(m_hOwnFont);
    }
    CellFontScope(const CellFontScope&) = delete;
    CellFontScope& operator=(const CellFontScope&) = delete;

private:
    HDC m_hDC;
    BOOL m_bSelected = FALSE;
    HFONT m_hOwnFont = nullptr;
    HGDIOBJ m_hOldFont = nullptr;
};

// The colour a cell's text is drawn in: black on a black-and-white printout, else the style's colour
// or the window text colour.
COLORREF CellTextColor(const CGXStyle& style, BOOL bBlackWhite)
{
    if (bBlackWhite)
        return kBlack;
    return style.GetIncludeTextColor() ? style.GetResolvedTextColor() : ::GetSysColor(COLOR_WINDOWTEXT);
}
}  // namespace

// ---- CGXStatic ----

CGXStatic::CGXStatic(CGXGridCore* pGrid) : CGXControl(pGrid)
{
}

int CGXStatic::GetTextMargin()
{
    const int nMargin = ::GetSystemMetrics(SM_CXFRAME) / 2;
    return nMargin < 2 ? 2 : nMargin;
}

CRect CGXStatic::GetCellRect(ROWCOL nRow, ROWCOL nCol, LPCRECT pRectItem, const CGXStyle* pStyle)
{
    const CGXStyle& style = pStyle != nullptr ? *pStyle : m_pGrid->LookupStyleRowCol(nRow, nCol);
    CRect rect = CGXControl::GetCellRect(nRow, nCol, pRectItem, &style);
    const int m = GetTextMargin();
    rect.left += m;
    if (style.GetIncludeHorizontalAlignment() && style.GetHorizontalAlignment() == DT_RIGHT)
        rect.right -= m + 1;
    else
        rect.right -= m / 2;
    return rect;
}

CSize CGXStatic::GetBorderSize(ROWCOL, ROWCOL, const CGXStyle& style)
{
    const int m = GetTextMargin();
    return m_pGrid->AddBorders(CSize(2 * m + 1, 0), style);
}

CSize CGXStatic::CalcSize(CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, const CGXStyle* pStandardStyle,
                          BOOL bVert)
{
    if (m_pGrid->m_pCalcSizeImp == nullptr)
        return CSize(0, 0);
    return m_pGrid->m_pCalcSizeImp->CalcCellSize(m_pGrid, this, pDC, nRow, nCol, style, pStandardStyle, bVert);
}

BOOL CGXStatic::CanFloatCell(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, BOOL bFloatCell)
{
    // The component's own CanFloatCell asks the control: the control answers with the rule.
    return m_pGrid->CanFloatCellDefault(nRow, nCol, style, bFloatCell);
}

CGXFont CGXStatic::StyleFont(const CGXStyle& style, const CGXStyle* pStandardStyle)
{
    CGXFont font;
    if (pStandardStyle == nullptr && m_pGrid->GetStylesMap() != nullptr)
        pStandardStyle = m_pGrid->GetStylesMap()->GetStandardStyle();
    if (pStandardStyle != nullptr && pStandardStyle->GetIncludeFont())
        font = pStandardStyle->GetFont();
    if (style.GetIncludeFont())
        font.ChangeFont(style.GetFont(), gxOverride);
    return font;
}

LOGFONT CGXStatic::StyleLogFont(const CGXStyle& style, const CGXStyle* pStandardStyle)
{
    // The engine's zoom is 100 while printing and while the printer layout is shown.
    return StyleFont(style, pStandardStyle).GetLogFontZoomed(m_pGrid->GetZoom());
}

HFONT CGXStatic::CreateStyleFont(const CGXStyle& style, const CGXStyle* pStandardStyle)
{
    const LOGFONT lf = StyleLogFont(style, pStandardStyle);
    return ::CreateFontIndirectA(&lf);
}

UINT CGXStatic::TextFormat(const CGXStyle& style)
{
    UINT nFormat = DT_NOPREFIX | (style.GetWrapText() ? DT_WORDBREAK : DT_SINGLELINE);
    if (style.GetIncludeVerticalAlignment())
        nFormat |= style.GetVerticalAlignment();
    if (style.GetIncludeHorizontalAlignment())
        nFormat |= style.GetHorizontalAlignment();
    return nFormat;
}

void CGXStatic::DrawCellText(CDC* pDC, const CString& text, CRect rectText, const CRect& rectCell, UINT nFormat,
                             const CGXStyle& style, BOOL bPictures)
{
    if (text.IsEmpty())
        return;
    CGXDrawingAndFormatting* pDrawing = CGXDrawingAndFormatting::GetInstance();
    if (bPictures)
    {
        if (HGLOBAL hDIB = GXGetDIBPool()->LookupDIB(text))
        {
            // The pool's drawing takes the DrawText alignment flags.
            const UINT nDrawAlign = nFormat & (DT_CENTER | DT_RIGHT | DT_VCENTER | DT_BOTTOM);
            const int nSaved = ::SaveDC(pDC->GetSafeHdc());
            ::IntersectClipRect(pDC->GetSafeHdc(), rectText.left, rectText.top, rectText.right, rectText.bottom);
            CGXDIB::Draw(pDC, hDIB, rectText, CGXDIB::drawNatural, nDrawAlign);
            ::RestoreDC(pDC->GetSafeHdc(), nSaved);
            return;
        }
    }
    if (style.GetIncludeFont() && style.GetFont().GetIncludeOrientation() && style.GetFont().GetOrientation() != 0)
        pDrawing->DrawRotatedText(pDC, text, text.GetLength(), rectText, nFormat, style.GetFont().GetOrientation(),
                                  &rectCell);
    else if (style.HasUserAttribute(GX_IDS_UA_ELLIPSISTYPE))
    {
        CString ellipsis;
        style.GetUserAttributeText(GX_IDS_UA_ELLIPSISTYPE, ellipsis);
        pDrawing->DrawTextEllipsis(pDC, text, text.GetLength(), rectText, nFormat, &rectCell, std::atoi(ellipsis));
    }
    else
        pDrawing->DrawText(pDC, text, text.GetLength(), &rectText, nFormat, &rectCell);
}

void CGXStatic::GetDrawnText(CString& text, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style)
{
    CGXGridParam* pParam = m_pGrid->GetParam();
    if (pParam != nullptr && pParam->m_bShowStoredValues)
        text = style.GetValue();
    else
        GetControlText(text, nRow, nCol, nullptr, style);
}

BOOL CGXStatic::ShowsInteriorOnly(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style)
{
    // A hollow interior is left as it is here, where the engine's brush fill shows its back colour.
    if ((style.GetIncludeDraw3dFrame() && style.GetDraw3dFrame() != 0) || GetChildCount() > 0 ||
        style.GetInterior().GetStyle() == CGXStyleBrush::bsHollow)
        return FALSE;
    CString text;
    GetDrawnText(text, nRow, nCol, style);
    return text.IsEmpty();
}

BOOL CGXStatic::DrawsInteriorOnly(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style)
{
    // A derived control may draw more than this class: it answers for itself.
    return GetClassInfo() == GRID_CONTROL_CLASSINFO(CGXStatic) && ShowsInteriorOnly(nRow, nCol, style);
}

BOOL CGXStatic::FillsBackground(ROWCOL, ROWCOL, const CGXStyle& style)
{
    // Draw below fills the background first, unless the paint's interior run has painted it.
    return GetClassInfo() == GRID_CONTROL_CLASSINFO(CGXStatic) &&
           style.GetInterior().GetStyle() == CGXStyleBrush::bsSolid;
}

void CGXStatic::Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
                     const CGXStyle* pStandardStyle)
{
    if (pDC == nullptr)
        return;
    // The background does not depend on the DC's font or colours: it comes first, unless the paint
    // has filled it already, and a cell with neither text nor children is done with it.
    if (!m_pGrid->IsInteriorPainted())
        DrawBackground(pDC, rect, style, FALSE);
    CString text;
    GetDrawnText(text, nRow, nCol, style);
    if (text.IsEmpty() && GetChildCount() == 0)
    {
        CGXControl::Draw(pDC, rect, nRow, nCol, style, pStandardStyle);
        return;
    }

    const HDC hDC = pDC->GetSafeHdc();
    const CellFontScope font(m_pGrid, hDC, StyleFont(style, pStandardStyle));
    if (!text.IsEmpty())
    {
        const BOOL bBlackWhite = IsPrintingBlackWhite(m_pGrid);
        const COLORREF oldText = ::SetTextColor(hDC, CellTextColor(style, bBlackWhite));
        const COLORREF oldBack = ::SetBkColor(hDC, bBlackWhite ? kWhite : style.GetInterior().GetColor());
        CString rtl;
        style.GetUserAttributeText(GX_IDS_UA_RTLREADING, rtl);
        const UINT oldAlign = std::atoi(rtl) != 0 ? ::SetTextAlign(hDC, ::GetTextAlign(hDC) | TA_RTLREADING)
                                                  : ::GetTextAlign(hDC);
        const int oldMode = ::SetBkMode(hDC, TRANSPARENT);
        // Pictures belong to cells without an edit window of their own.
        CWnd* pWnd = GetWnd();
        const BOOL bPictures = pWnd == nullptr || !pWnd->IsKindOf(RUNTIME_CLASS(CEdit));
        DrawCellText(pDC, text, GetCellRect(nRow, nCol, &rect, &style), rect, TextFormat(style), style, bPictures);
        ::SetBkMode(hDC, oldMode);
        ::SetTextAlign(hDC, oldAlign);
        ::SetBkColor(hDC, oldBack);
        ::SetTextColor(hDC, oldText);
    }
    CGXControl::Draw(pDC, rect, nRow, nCol, style, pStandardStyle);
}

// ---- CGXHeader ----

CGXHeader::CGXHeader(CGXGridCore* pGrid) : CGXStatic(pGrid)
{
}

void CGXHeader::DrawFrame(CDC* pDC, const CRect& rect, ROWCOL, ROWCOL, const CGXStyle&)
{
    if (pDC != nullptr)
        ::DrawFocusRect(pDC->GetSafeHdc(), &rect);
}

void CGXHeader::OnGridSysColorChange()
{
    GXUxTheme::InitThemeColors();
}

BOOL CGXHeader::MarkEditHeader(BOOL bEditing, ROWCOL nRow, ROWCOL nCol)
{
    BOOL bMarked = CGXControl::MarkEditHeader(bEditing, nRow, nCol);
    ROWCOL nCurRow = 0, nCurCol = 0;
    CGXProperties* pProperties = m_pGrid->GetProperties();
    // Without the grid's mark component the header still marks the current cell's row and column.
    if (!bMarked && m_pGrid->m_pMarkEditHeaderImp == nullptr && pProperties != nullptr &&
        m_pGrid->GetCurrentCell(nCurRow, nCurCol) && nCurRow > m_pGrid->GetHeaderRows() &&
        nCurCol > m_pGrid->GetHeaderCols())
    {
        bMarked = (nCol <= m_pGrid->GetHeaderCols() && nRow == nCurRow && pProperties->GetMarkRowHeader()) ||
                  (nRow <= m_pGrid->GetHeaderRows() && nCol == nCurCol && pProperties->GetMarkColHeader());
    }
    CGXGridParam* pParam = m_pGrid->GetParam();
    if (bMarked || pParam == nullptr || !pParam->m_bSpreadsheetHeaders)
        return bMarked;
    for (POSITION pos = pParam->m_SelRects.GetHeadPosition(); pos != nullptr;)
    {
        const CGXRange* pRange = static_cast<const CGXRange*>(pParam->m_SelRects.GetNext(pos));
        if (pRange == nullptr || !pRange->IsValid())
            continue;
        const BOOL bTouchesRow = pRange->IsCols() || pRange->IsTable() ||
                                 (nRow >= pRange->top && nRow <= pRange->bottom);
        const BOOL bTouchesCol = pRange->IsRows() || pRange->IsTable() ||
                                 (nCol >= pRange->left && nCol <= pRange->right);
        if ((nCol <= m_pGrid->GetHeaderCols() && bTouchesRow) || (nRow <= m_pGrid->GetHeaderRows() && bTouchesCol))
            return TRUE;
    }
    return FALSE;
}

BOOL CGXHeader::FillsBackground(ROWCOL, ROWCOL, const CGXStyle& style)
{
    // Draw below fills the background before its frame and text; the weighted copy of a
    // spreadsheet header keeps the style's interior.
    return GetClassInfo() == GRID_CONTROL_CLASSINFO(CGXHeader) &&
           style.GetInterior().GetStyle() == CGXStyleBrush::bsSolid;
}

void CGXHeader::Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
                     const CGXStyle* pStandardStyle)
{
    if (pDC == nullptr)
        return;
    CRect rectText = CGXStatic::GetCellRect(nRow, nCol, &rect, nullptr);
    if (rect.IsRectEmpty() || rect.Width() <= 1 || rect.Height() <= 1)
        return;

    CGXGridParam* pParam = m_pGrid->GetParam();
    CGXProperties* pProperties = m_pGrid->GetProperties();
    const BOOL bSpreadsheet = pParam != nullptr && pParam->m_bSpreadsheetHeaders;
    BOOL bMarked = MarkEditHeader(FALSE, nRow, nCol);
    if (bSpreadsheet)
        bMarked = !bMarked;
    const BOOL bThemed = bSpreadsheet && GXUxTheme::IsAppThemed() && GXUxTheme::IsThemeActive();

    // Only spreadsheet headers change the style they draw with: the others draw with it as it is,
    // without the cost of a copy for every header.
    CGXStyle weighted;
    if (bSpreadsheet && !bThemed)
    {
        CGXFont weight;
        weight.SetWeight(bMarked ? FW_NORMAL : FW_BOLD);
        weighted = style;
        weighted.SetFont(weight, gxOverride);
    }
    const CGXStyle& drawStyle = bSpreadsheet && !bThemed ? weighted : style;

    const HDC hDC = pDC->GetSafeHdc();
    const CellFontScope font(m_pGrid, hDC, StyleFont(drawStyle, pStandardStyle));
    const COLORREF oldText = ::SetTextColor(hDC, CellTextColor(drawStyle, IsPrintingBlackWhite(m_pGrid)));
    DrawBackground(pDC, rect, drawStyle, FALSE);

    CRect frame;
    m_pGrid->SubtractBorders(frame, rect, drawStyle, TRUE);
    const int L = frame.left, T = frame.top, R = frame.right, B = frame.bottom;
    const BOOL bOwn3dFrame = drawStyle.GetIncludeDraw3dFrame() && drawStyle.GetDraw3dFrame() != 0;
    if (!bOwn3dFrame && pProperties != nullptr && pProperties->GetDisplay3dHeader())
    {
        const COLORREF dark = bSpreadsheet ? kGrey : kBlack;
        if (!m_pGrid->IsPrinting())
        {
            if (bThemed)
            {
                CWnd* pGridWnd = GetGridWnd();
                const BOOL bDrawn = pGridWnd != nullptr &&
                                    GXUxTheme::DrawThemedBackground(pGridWnd->GetSafeHwnd(), L"HEADER", hDC,
                                                                    HP_HEADERITEM, bMarked ? HIS_NORMAL : HIS_HOT,
                                                                    &frame);
                if (!bDrawn && !bMarked)
                    FillLine(pDC, L, T, R, B, GXUxTheme::GetThemeColor(5));
                FillLine(pDC, L, B - 1, R - 1, B, kGrey);
                FillLine(pDC, R - 1, T, R, B, kGrey);
            }
            else if (!bMarked)
            {
                const COLORREF highlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
                FillLine(pDC, L, T, R - 1, T + 1, highlight);
                FillLine(pDC, L, T, L + 1, B - 1, highlight);
                FillLine(pDC, L, B - 1, R, B, dark);
                FillLine(pDC, R - 1, T, R, B - 1, dark);
                if (bSpreadsheet)
                {
                    FillLine(pDC, L, T, L + 1, B, kWhite);
                    FillLine(pDC, L, B - 1, R - 1, B, kBlack);
                    FillLine(pDC, R - 1, T, R, B, kBlack);
                    FillLine(pDC, L, B - 2, R - 1, B - 1, kGrey);
                    FillLine(pDC, R - 2, T + 1, R - 1, B - 1, kGrey);
                }
            }
            else
            {
                FillLine(pDC, L, B - 1, R - 1, B, dark);
                FillLine(pDC, R - 1, T, R, B, dark);
                if (bSpreadsheet)
                    FillLine(pDC, L, T, L + 1, B - 1, kWhite);
            }
        }
        else if (nRow <= m_pGrid->GetHeaderRows() || nCol <= m_pGrid->GetHeaderCols())
        {
            const HPEN hPen = ::CreatePen(PS_SOLID, 1, kBlack);
            const HGDIOBJ hOldPen = ::SelectObject(hDC, hPen);
            if (drawStyle.IsBorderIncluded(gxBorderBottom) &&
                drawStyle.GetBorders(gxBorderBottom).GetStyle() == PS_NULL && pProperties->GetDisplayHorzLines())
            {
                ::MoveToEx(hDC, rect.left, rect.bottom - 1, nullptr);
                ::LineTo(hDC, rect.right, rect.bottom - 1);
            }
            if (drawStyle.IsBorderIncluded(gxBorderRight) &&
                drawStyle.GetBorders(gxBorderRight).GetStyle() == PS_NULL && pProperties->GetDisplayVertLines())
            {
                ::MoveToEx(hDC, rect.right - 1, rect.top, nullptr);
                ::LineTo(hDC, rect.right - 1, rect.bottom);
            }
            ::SelectObject(hDC, hOldPen);
            ::DeleteObject(hPen);
        }
    }

    // A pressed header's text moves with it.
    if (bMarked && !bThemed)
        rectText.OffsetRect(1, 1);

    const int oldMode = ::SetBkMode(hDC, TRANSPARENT);
    CString text;
    GetControlText(text, nRow, nCol, nullptr, drawStyle);
    const UINT nFormat = TextFormat(drawStyle);
    if (!text.IsEmpty() && GXGetDIBPool()->LookupDIB(text) != nullptr)
        DrawCellText(pDC, text, CGXStatic::GetCellRect(nRow, nCol, &rect, &drawStyle), rect, nFormat, drawStyle, TRUE);
    else
        DrawCellText(pDC, text, rectText, rect, nFormat, drawStyle, FALSE);
    ::SetBkMode(hDC, oldMode);
    ::SetTextColor(hDC, oldText);

    CGXControl::Draw(pDC, rect, nRow, nCol, drawStyle, pStandardStyle);
}
