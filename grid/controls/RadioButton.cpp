#include "grid/controls/RadioButton.h"

#include "framework/win/Dc.h"
#include "framework/win/WinApp.h"
#include "grid/controls/CellEditState.h"
#include "grid/controls/DrawnCell.h"
#include "grid/controls/UxTheme.h"
#include "grid/core/ControlFactory.h"
#include "grid/core/GridCore.h"
#include "grid/core/Range.h"
#include "grid/core/Style.h"
#include "grid/core/StylesMap.h"

#include <vssym32.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

GRID_IMPLEMENT_CONTROL(CGXRadioButton, CGXControl)
GRID_IMPLEMENT_CONTROL(CGXRadioButtonEx, CGXControl)

namespace
{
const int kButtonSize = 12;
// The column a button takes before (or after) its text.
const int kButtonColumn = 18;

// The 3-D strip, loaded once for the process and kept until it ends.
class RadioBitmap
{
public:
    ~RadioBitmap()
    {
        if (m_hBitmap != nullptr)
            ::DeleteObject(m_hBitmap);
    }
    HBITMAP Get()
    {
        if (!m_bLoaded)
        {
            m_bLoaded = TRUE;
            LPCTSTR pszName = MAKEINTRESOURCE(GX_IDB_RADIOBUTTON);
            m_hBitmap = ::LoadBitmapA(AfxFindResourceHandle(pszName, RT_BITMAP), pszName);
        }
        return m_hBitmap;
    }

private:
    BOOL m_bLoaded = FALSE;
    HBITMAP m_hBitmap = nullptr;
};

HBITMAP GetRadioBitmap()
{
    static RadioBitmap s_bitmap;
    return s_bitmap.Get();
}

int LineHeight(CDC* pDC)
{
    TEXTMETRICA tm = {};
    ::GetTextMetricsA(pDC->GetSafeHdc(), &tm);
    return std::max<int>(kButtonSize, tm.tmHeight + tm.tmExternalLeading);
}

// The selected item of a value: its number, -1 for an empty value.
int SelectedIndex(const CGXStyle& style)
{
    if (!style.GetIncludeValue() || style.GetValue().IsEmpty())
        return -1;
    return std::atoi(style.GetValue());
}

CString IndexText(int nIndex)
{
    char sz[16];
    std::snprintf(sz, sizeof sz, "%d", nIndex);
    return sz;
}

// The item after the selected one, the first after the last; -1 for an empty list.
int NextIndex(const CGXStyle& style)
{
    const int nCount = static_cast<int>(GXRadioChoiceItems(style.GetChoiceList()).size());
    if (nCount == 0)
        return -1;
    const int nNext = SelectedIndex(style) + 1;
    return nNext >= nCount || nNext < 0 ? 0 : nNext;
}

// The layout attributes of the "Ex" cells: vertical unless 51057 is "1"; the text right of its
// button only when 52568 is "1".
void ReadLayout(const CGXStyle& style, BOOL& bHorizontal, BOOL& bTextRight)
{
    CString text;
    style.GetUserAttributeText(GX_IDS_UA_RADIOBUTTON_ALIGN, text);
    bHorizontal = text == "1";
    style.GetUserAttributeText(GX_IDS_UA_RADIOBUTTON_TEXTALIGN, text);
    bTextRight = text == "1";
}

// Draws laid-out items clipped to the cell; the number drawn, 0 when the bitmap look fails.
int DrawItems(CDC* pDC, const CRect& rect, const std::vector<GXRadioItemLayout>& items, int nSelected, BOOL bDraw3d)
{
    if (bDraw3d && GetRadioBitmap() == nullptr)
        return 0;
    const HDC hDC = pDC->GetSafeHdc();
    const int nSaved = ::SaveDC(hDC);
    ::IntersectClipRect(hDC, rect.left, rect.top, rect.right, rect.bottom);
    int nIndex = 0;
    for (const GXRadioItemLayout& item : items)
    {
        GXDrawRadioButton(pDC, item.rectButton, nIndex == nSelected, bDraw3d);
        ::TextOutA(hDC, item.rectText.left, item.rectText.top, item.text, item.text.GetLength());
        ++nIndex;
    }
    ::RestoreDC(hDC, nSaved);
    return nIndex;
}

int HitTestItems(const std::vector<GXRadioItemLayout>& items, CPoint point)
{
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i].rectButton.PtInRect(point) || items[i].rectText.PtInRect(point))
            return static_cast<int>(i);
    return -1;
}

// The items of the control's cell as a click on it sees them. A covered cell whose first rows
// (columns) are scrolled away behind the frozen ones is drawn in its visible part as if it were
// whole: a click in that part is moved by the height (width) of the rows (columns) scrolled away,
// and the items are laid out from the top (left) of the cell as the grid shows it.
int HitTestCell(CGXGridCore* pGrid, CGXControl* pControl, const CGXStyle& style, CPoint point, BOOL bHorizontal,
                BOOL bTextRight)
{
    GXDrawnCell::GridWindowDC dc(pGrid);
    GXDrawnCell::FontScope font(pGrid, dc.Get(), style);
    const ROWCOL nRow = pControl->m_nRow;
    const ROWCOL nCol = pControl->m_nCol;
    CGXRange covered;
    const CRect shown = pGrid->GetCoveredCellsRowCol(nRow, nCol, covered)
                            ? pGrid->CalcRangeRectFromRange(CGXRange(nRow, nCol))
                            : pGrid->CalcCellRect(nRow, nCol);
    const CRect rect = pControl->GetCellRect(nRow, nCol, &shown, &style);
    const CRect gridRect = pGrid->GetGridRect();
    const ROWCOL nFrozenRows = pGrid->GetFrozenRows();
    const ROWCOL nTopRow = pGrid->GetTopRow();
    if (nRow < nTopRow && point.y >= gridRect.top + pGrid->CalcSumOfRowHeights(0, nFrozenRows))
        point.y += pGrid->CalcSumOfRowHeights(std::max(nRow, nFrozenRows + 1), nTopRow - 1);
    const ROWCOL nFrozenCols = pGrid->GetFrozenCols();
    const ROWCOL nLeftCol = pGrid->GetLeftCol();
    if (nCol < nLeftCol && point.x >= gridRect.left + pGrid->CalcSumOfColWidths(0, nFrozenCols))
        point.x += pGrid->CalcSumOfColWidths(std::max(nCol, nFrozenCols + 1), nLeftCol - 1);
    return HitTestItems(GXLayoutRadioGroup(dc.Get(), rect, style.GetChoiceList(), bHorizontal, bTextRight), point);
}

// The drawing both classes share: colours, background, the items, the children.
int DrawCell(CGXControl* pControl, CGXGridCore* pGrid, CDC* pDC, const CRect& rect, ROWCOL nRow, ROWCOL nCol,
             const CGXStyle& style, BOOL bHorizontal, BOOL bTextRight, BOOL bDraw3d)
{
    GXDrawnCell::FontScope font(pGrid, pDC, style);
    const BOOL bBlackWhite = GXDrawnCell::IsBlackWhite(pGrid);
    const HDC hDC = pDC->GetSafeHdc();
    const COLORREF oldText = ::SetTextColor(hDC, GXDrawnCell::TextColor(style, bBlackWhite));
    const COLORREF oldBack = ::SetBkColor(hDC, GXDrawnCell::InteriorColor(style, bBlackWhite));
    pControl->DrawBackground(pDC, rect, style);
    const int nOldMode = ::SetBkMode(hDC, TRANSPARENT);
    const CRect rectCell = pControl->GetCellRect(nRow, nCol, &rect, &style);
    const int nCount = DrawItems(
        pDC, rectCell, GXLayoutRadioGroup(pDC, rectCell, style.GetChoiceList(), bHorizontal, bTextRight),
        SelectedIndex(style), bDraw3d);
    ::SetBkMode(hDC, nOldMode);
    ::SetTextColor(hDC, oldText);
    ::SetBkColor(hDC, oldBack);
    return nCount;
}
}  // namespace

// ---- Free routines ----

std::vector<CString> GXRadioChoiceItems(LPCTSTR pszChoiceList)
{
    std::vector<CString> items;
    const char* p = pszChoiceList != nullptr ? pszChoiceList : "";
    while (*p != '\0')
    {
        const char* pEnd = p;
        while (*pEnd != '\0' && *pEnd != '\r' && *pEnd != '\n')
            ++pEnd;
        if (pEnd > p)
            items.emplace_back(p, static_cast<int>(pEnd - p));
        p = *pEnd != '\0' ? pEnd + 1 : pEnd;
    }
    return items;
}

std::vector<GXRadioItemLayout> GXLayoutRadioGroup(CDC* pDC, const CRect& rect, LPCTSTR pszChoiceList,
                                                  BOOL bHorizontal, BOOL bTextRight)
{
    std::vector<GXRadioItemLayout> layout;
    if (pDC == nullptr)
        return layout;
    const HDC hDC = pDC->GetSafeHdc();
    const int nLine = LineHeight(pDC);
    int x = rect.left;
    int y = rect.top;
    for (const CString& text : GXRadioChoiceItems(pszChoiceList))
    {
        SIZE extent = {};
        ::GetTextExtentPoint32A(hDC, text, text.GetLength(), &extent);
        GXRadioItemLayout item;
        item.text = text;
        const int nTop = bHorizontal ? rect.top : y;
        const int nLeft = bHorizontal ? x : rect.left;
        if (bTextRight)
        {
            item.rectButton.SetRect(nLeft, nTop, nLeft + kButtonColumn, nTop + nLine);
            const int nTextLeft = nLeft + kButtonColumn;
            const int nTextRight = bHorizontal ? nTextLeft + extent.cx : std::min<int>(rect.right, nTextLeft + extent.cx);
            item.rectText.SetRect(nTextLeft, nTop, std::max(nTextLeft, nTextRight), nTop + extent.cy);
            x = nTextLeft + extent.cx + 2;
        }
        else
        {
            item.rectText.SetRect(nLeft + 3, nTop, nLeft + 3 + extent.cx, nTop + extent.cy);
            item.rectButton.SetRect(item.rectText.right, nTop, item.rectText.right + kButtonColumn, nTop + nLine);
            x = item.rectButton.right + nLine;
        }
        y += nLine;
        layout.push_back(item);
    }
    return layout;
}

BOOL GXDrawRadioButton(CDC* pDC, const CRect& rect, BOOL bChecked, BOOL bUseBitmap)
{
    if (pDC == nullptr)
        return FALSE;
    const HDC hDC = pDC->GetSafeHdc();
    CRect button(rect.left + 3, rect.top + (rect.Height() - kButtonSize) / 2, 0, 0);
    button.right = button.left + kButtonSize;
    button.bottom = button.top + kButtonSize;
    if (GXUxTheme::DrawThemedBackground(::WindowFromDC(hDC), L"BUTTON", hDC, BP_RADIOBUTTON,
                                        bChecked ? RBS_CHECKEDNORMAL : RBS_UNCHECKEDNORMAL, &button))
        return TRUE;
    if (bUseBitmap)
    {
        HBITMAP hBitmap = GetRadioBitmap();
        if (hBitmap == nullptr)
            return FALSE;
        const HDC hMemDC = ::CreateCompatibleDC(hDC);
        if (hMemDC == nullptr)
            return FALSE;
        const HGDIOBJ hOld = ::SelectObject(hMemDC, hBitmap);
        ::BitBlt(hDC, button.left, button.top, 14, 13, hMemDC, bChecked ? 14 : 0, 0, SRCCOPY);
        ::SelectObject(hMemDC, hOld);
        ::DeleteDC(hMemDC);
        return TRUE;
    }
    const HGDIOBJ hOldPen = ::SelectObject(hDC, ::GetStockObject(BLACK_PEN));
    const HGDIOBJ hOldBrush = ::SelectObject(hDC, ::GetStockObject(WHITE_BRUSH));
    ::Ellipse(hDC, button.left, button.top, button.right, button.bottom);
    if (bChecked)
    {
        button.DeflateRect(2, 2);
        ::SelectObject(hDC, ::GetStockObject(BLACK_BRUSH));
        ::Ellipse(hDC, button.left, button.top, button.right, button.bottom);
    }
    ::SelectObject(hDC, hOldBrush);
    ::SelectObject(hDC, hOldPen);
    return TRUE;
}

int GXDrawRadioGroup(CDC* pDC, int left, int top, int right, int bottom, LPCTSTR pszChoiceList, int nSelected,
                     BOOL bDraw3d)
{
    if (pDC == nullptr)
        return 0;
    const CRect rect(left, top, right, bottom);
    return DrawItems(pDC, rect, GXLayoutRadioGroup(pDC, rect, pszChoiceList, FALSE, TRUE), nSelected, bDraw3d);
}

int GXHitTestRadioGroup(CDC* pDC, int left, int top, int right, int bottom, LPCTSTR pszChoiceList, CPoint point)
{
    return HitTestItems(GXLayoutRadioGroup(pDC, CRect(left, top, right, bottom), pszChoiceList, FALSE, TRUE), point);
}

// ---- CGXRadioButton ----

CGXRadioButton::CGXRadioButton(CGXGridCore* pGrid, BOOL bDraw3dFrame) : CGXControl(pGrid), m_bDraw3dFrame(bDraw3dFrame)
{
}

void CGXRadioButton::Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
                          const CGXStyle* pStandardStyle)
{
    if (pDC == nullptr)
        return;
    m_nItemCount = DrawCell(this, m_pGrid, pDC, rect, nRow, nCol, style, FALSE, TRUE, m_bDraw3dFrame);
    CGXControl::Draw(pDC, rect, nRow, nCol, style, pStandardStyle);
}

CSize CGXRadioButton::CalcSize(CDC* pDC, ROWCOL, ROWCOL, const CGXStyle& style, const CGXStyle*, BOOL)
{
    if (pDC == nullptr)
        return CSize(0, 0);
    GXDrawnCell::FontScope font(m_pGrid, pDC, style);
    const int nLine = LineHeight(pDC);
    int nWidest = 0;
    const std::vector<CString> items = GXRadioChoiceItems(style.GetChoiceList());
    for (const CString& text : items)
    {
        SIZE extent = {};
        ::GetTextExtentPoint32A(pDC->GetSafeHdc(), text, text.GetLength(), &extent);
        nWidest = std::max<int>(nWidest, extent.cx);
    }
    return m_pGrid->AddBorders(CSize(nWidest + 22, static_cast<int>(items.size()) * nLine + 4), style);
}

BOOL CGXRadioButton::LButtonDown(UINT nFlags, CPoint point, UINT nHitState)
{
    return CGXControl::LButtonDown(nFlags, point, nHitState);
}

BOOL CGXRadioButton::LButtonUp(UINT nFlags, CPoint point, UINT nHitState)
{
    if ((nHitState & GX_HITINCELL) == 0 || !m_bInit)
        return CGXControl::LButtonUp(nFlags, point, nHitState);
    if (IsReadOnly())
        return FALSE;
    const CGXStyle& style = GetCachedStyle();
    const int nHit = HitTestCell(m_pGrid, this, style, point, FALSE, TRUE);
    if (nHit >= 0 && nHit != SelectedIndex(style) && OnStartEditing())
        m_pGrid->SetValueRange(CGXRange(m_nRow, m_nCol), IndexText(nHit));
    if (nHit >= 0)
        OnClickedButton(nullptr);
    CGXControl::LButtonUp(nFlags, point, nHitState);
    return TRUE;
}

BOOL CGXRadioButton::DispatchKeyMessage(UINT nMessage, UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (CGXControl::DispatchKeyMessage(nMessage, nChar, nRepCnt, nFlags))
        return TRUE;
    if (nMessage != WM_CHAR || nChar != VK_SPACE || !m_bInit)
        return FALSE;
    if (IsReadOnly() || !OnStartEditing())
        return FALSE;
    // The wrap counts the choice list's items, so it holds before the cell was ever drawn.
    const int nNext = NextIndex(GetCachedStyle());
    if (nNext >= 0)
        m_pGrid->SetValueRange(CGXRange(m_nRow, m_nCol), IndexText(nNext));
    return TRUE;
}

// ---- CGXRadioButtonEx ----

CGXRadioButtonEx::CGXRadioButtonEx(CGXGridCore* pGrid, BOOL bDraw3dFrame)
    : CGXControl(pGrid), m_bDraw3dFrame(bDraw3dFrame)
{
}

void CGXRadioButtonEx::SetActive(BOOL bActive)
{
    // Editing starts on a fresh copy of the cell's style.
    if (bActive && !m_bActive)
        FreeStyle(FALSE);
    m_bActive = bActive;
}

BOOL CGXRadioButtonEx::IsActive()
{
    return m_bActive;
}

void CGXRadioButtonEx::SetModify(BOOL bModified)
{
    m_bModified = bModified;
}

BOOL CGXRadioButtonEx::GetModify()
{
    return m_bModified;
}

void CGXRadioButtonEx::Init(ROWCOL nRow, ROWCOL nCol)
{
    m_bActive = FALSE;
    m_bModified = FALSE;
    CGXControl::Init(nRow, nCol);
}

BOOL CGXRadioButtonEx::Store()
{
    return GXCellEditState::StoreStyleValue(*this, m_bInit && m_bActive, m_bModified);
}

CSize CGXRadioButtonEx::CalcSize(CDC* pDC, ROWCOL, ROWCOL, const CGXStyle& style, const CGXStyle*, BOOL)
{
    if (pDC == nullptr)
        return CSize(0, 0);
    GXDrawnCell::FontScope font(m_pGrid, pDC, style);
    BOOL bHorizontal = FALSE;
    BOOL bTextRight = FALSE;
    ReadLayout(style, bHorizontal, bTextRight);
    const int nLine = LineHeight(pDC);
    int nWidth = 0;
    int nHeight = 0;
    for (const CString& text : GXRadioChoiceItems(style.GetChoiceList()))
    {
        SIZE extent = {};
        ::GetTextExtentPoint32A(pDC->GetSafeHdc(), text, text.GetLength(), &extent);
        const int nItem = kButtonColumn + extent.cx + (bTextRight ? 2 : nLine + 3);
        nWidth = bHorizontal ? nWidth + nItem : std::max(nWidth, nItem);
        nHeight = bHorizontal ? nLine : nHeight + nLine;
    }
    CString textAlign;
    style.GetUserAttributeText(GX_IDS_UA_RADIOBUTTON_TEXTALIGN, textAlign);
    if (textAlign == "0")
        nWidth -= 4 + nLine;
    return m_pGrid->AddBorders(CSize(nWidth + 4, nHeight + 4), style);
}

void CGXRadioButtonEx::Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
                            const CGXStyle* pStandardStyle)
{
    if (pDC == nullptr)
        return;
    // The cell being edited shows the own copy's value.
    const BOOL bOwnCopy = m_bActive && IsInitAt(nRow, nCol) && !m_pGrid->IsPrinting();
    const CGXStyle& drawn = bOwnCopy ? GetCachedStyle() : style;
    BOOL bHorizontal = FALSE;
    BOOL bTextRight = FALSE;
    ReadLayout(drawn, bHorizontal, bTextRight);
    m_nItemCount = DrawCell(this, m_pGrid, pDC, rect, nRow, nCol, drawn, bHorizontal, bTextRight, m_bDraw3dFrame);
    CGXControl::Draw(pDC, rect, nRow, nCol, drawn, pStandardStyle);
}

BOOL CGXRadioButtonEx::StartEdit()
{
    if (m_bActive)
        return TRUE;
    if (!OnStartEditing())
        return FALSE;
    SetActive(TRUE);
    return TRUE;
}

void CGXRadioButtonEx::ChangeEditedValue(const CString& value)
{
    GetCachedStyle().SetValue(value);
    m_pGrid->RedrawRowCol(m_nRow, m_nCol);
    m_bModified = TRUE;
    OnModifyCell();
}

BOOL CGXRadioButtonEx::LButtonDown(UINT nFlags, CPoint point, UINT nHitState)
{
    return CGXControl::LButtonDown(nFlags, point, nHitState);
}

BOOL CGXRadioButtonEx::LButtonUp(UINT nFlags, CPoint point, UINT nHitState)
{
    if ((nHitState & GX_HITINCELL) == 0 || !m_bInit)
        return CGXControl::LButtonUp(nFlags, point, nHitState);
    if (IsReadOnly())
        return FALSE;
    BOOL bHorizontal = FALSE;
    BOOL bTextRight = FALSE;
    ReadLayout(GetCachedStyle(), bHorizontal, bTextRight);
    const int nHit = HitTestCell(m_pGrid, this, GetCachedStyle(), point, bHorizontal, bTextRight);
    if (nHit >= 0 && nHit != SelectedIndex(GetCachedStyle()) && StartEdit())
        ChangeEditedValue(IndexText(nHit));
    if (nHit >= 0)
        OnClickedButton(nullptr);
    CGXControl::LButtonUp(nFlags, point, nHitState);
    return TRUE;
}

BOOL CGXRadioButtonEx::DispatchKeyMessage(UINT nMessage, UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (CGXControl::DispatchKeyMessage(nMessage, nChar, nRepCnt, nFlags))
        return TRUE;
    if (!m_bInit)
        return FALSE;
    if (nMessage == WM_KEYDOWN && nChar == VK_DELETE && m_bActive && !IsReadOnly())
    {
        ChangeEditedValue(CString());
        return TRUE;
    }
    if (nMessage != WM_CHAR || nChar != VK_SPACE)
        return FALSE;
    if (IsReadOnly() || !StartEdit())
        return FALSE;
    const int nNext = NextIndex(GetCachedStyle());
    if (nNext >= 0)
        ChangeEditedValue(IndexText(nNext));
    return TRUE;
}

void CGXRadioButtonEx::AddUserAttributes(CGXStylesMap* pStylesMap)
{
    if (pStylesMap == nullptr)
        return;
    // Both are chosen from a list by the zero-based display-choice combo.
    CGXStyle alignment;
    alignment.SetControl(GX_IDS_CTRL_ZEROBASED_EX).SetChoiceList("Vertical\nHorizontal");
    pStylesMap->AddUserAttribute(GX_IDS_UA_RADIOBUTTON_ALIGN, &alignment);
    CGXStyle textAlignment;
    textAlignment.SetControl(GX_IDS_CTRL_ZEROBASED_EX).SetChoiceList("Left\nRight");
    pStylesMap->AddUserAttribute(GX_IDS_UA_RADIOBUTTON_TEXTALIGN, &textAlignment);
}
