#include "grid/controls/TabbedComboBoxWnd.h"

#include "framework/win/Dc.h"
#include "grid/controls/Buttons.h"
#include "grid/controls/DIBPool.h"
#include "grid/controls/DrawnCell.h"
#include "grid/controls/GridCombo.h"
#include "grid/core/AppData.h"
#include "grid/core/ControlFactory.h"
#include "grid/core/DrawingAndFormatting.h"
#include "grid/core/GridCore.h"
#include "grid/core/GridParam.h"
#include "grid/core/Style.h"
#include "grid/core/StylesMap.h"

#include <mbstring.h>

#include <algorithm>
#include <cstring>

IMPLEMENT_DYNAMIC(CGXTabbedCBEditWnd, CEdit)
IMPLEMENT_DYNAMIC(CGXTabbedComboBoxWnd, CGXComboBoxWnd)
GRID_IMPLEMENT_CONTROL(CGXTabbedComboBoxWnd, CGXComboBoxWnd)

namespace
{
const int kMaxColumns = 10;
const int kMaxDroppedRows = 8;
// The field part of a text the edit field shows: up to its first tab (of its first 255 characters).
const int kSetTextScan = 255;

CString FirstLine(CString list, CString& rest)
{
    CString line;
    if (CGXDrawingAndFormatting::CutFirstLine(list, line) < 0)
        list.Empty();
    rest = list;
    return line;
}

BOOL CtrlHeld()
{
    return (::GetKeyState(VK_CONTROL) & 0x8000) != 0;
}

// Only one dropped list is placed at a time: moving it asks for its colours again.
BOOL g_bPlacingList = FALSE;
}  // namespace

// ---- CGXTabbedCBEditWnd ----

void CGXTabbedCBEditWnd::OnChar(UINT nChar, LPARAM lParam)
{
    // A read-only cell ignores typing.
    if (m_pCombo->IsReadOnly())
        return;
    const int nLength = ::GetWindowTextLengthA(m_hWnd);
    CString before;
    ::GetWindowTextA(m_hWnd, before.GetBuffer(nLength + 1), nLength + 1);
    before.ReleaseBuffer();
    DWORD dwStart = 0, dwEnd = 0;
    ::SendMessageA(m_hWnd, EM_GETSEL, reinterpret_cast<WPARAM>(&dwStart), reinterpret_cast<LPARAM>(&dwEnd));
    CEdit::WindowProc(WM_CHAR, nChar, lParam);
    if (!_ismbcprint(nChar))
        return;
    const int nNewLength = ::GetWindowTextLengthA(m_hWnd);
    CString typed;
    ::GetWindowTextA(m_hWnd, typed.GetBuffer(nNewLength + 1), nNewLength + 1);
    typed.ReleaseBuffer();
    const int nItem = m_pCombo->FindString(-1, typed);
    if (nItem == CB_ERR)
    {
        // No item begins so: the character is refused.
        ::SetWindowTextA(m_hWnd, before);
        ::SendMessageA(m_hWnd, EM_SETSEL, dwStart, dwEnd);
        return;
    }
    ::SetWindowTextA(m_hWnd, m_pCombo->ItemText(nItem));
    // The completion is selected, so the next character typed replaces it.
    ::SendMessageA(m_hWnd, EM_SETSEL, static_cast<WPARAM>(typed.GetLength()), -1);
}

LRESULT CGXTabbedCBEditWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_SETTEXT:
        if (lParam != 0)
        {
            // The edit field shows only the first field of an item.
            const char* pszText = reinterpret_cast<const char*>(lParam);
            const char* pTab = static_cast<const char*>(std::memchr(pszText, '\t', strnlen(pszText, kSetTextScan)));
            if (pTab != nullptr)
            {
                const CString field(pszText, static_cast<int>(pTab - pszText));
                return CEdit::WindowProc(message, wParam, reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(field)));
            }
        }
        break;
    case WM_KEYDOWN:
        if (m_pCombo->HandleKey(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)))
            return 0;
        break;
    case WM_CHAR:
        OnChar(static_cast<UINT>(wParam), lParam);
        return 0;
    case WM_KILLFOCUS:
        return GXComboEditKillFocus(*this, *m_pCombo, wParam, lParam);
    default:
        break;
    }
    return CEdit::WindowProc(message, wParam, lParam);
}

// ---- Construction ----

CGXTabbedComboBoxWnd::CGXTabbedComboBoxWnd(CGXGridCore* pGrid)
    : CGXComboBoxWnd(pGrid), m_rgbListBack(::GetSysColor(COLOR_WINDOW)), m_rgbListText(::GetSysColor(COLOR_WINDOWTEXT)),
      m_pHeader(new CGXTabbedLBoxHeader)
{
    m_bDropDownOnClick = FALSE;
    m_columns.bTitles = TRUE;
}

CGXTabbedComboBoxWnd::~CGXTabbedComboBoxWnd()
{
    if (m_pEditWnd != nullptr)
    {
        if (m_pEditWnd->GetSafeHwnd() != nullptr)
            m_pEditWnd->UnsubclassWindow();
        delete m_pEditWnd;
    }
    delete[] m_pTabStops;
    delete m_pHeader;
}

CRuntimeClass* CGXTabbedComboBoxWnd::GetWndRuntimeClass()
{
    return RUNTIME_CLASS(CGXTabbedComboBoxWnd);
}

BOOL CGXTabbedComboBoxWnd::CreateControl(DWORD dwStyle, UINT nID)
{
    if (m_pButton == nullptr)
    {
        m_pButton = new CGXComboBoxWndButton(this);
        AddChild(m_pButton);
    }
    CWnd* pGridWnd = GetGridWnd();
    if (pGridWnd == nullptr || pGridWnd->GetSafeHwnd() == nullptr)
        return FALSE;
    // A drop-down list (3) keeps its kind; anything else becomes a drop-down.
    dwStyle |= WS_VSCROLL | CBS_NOINTEGRALHEIGHT | CBS_HASSTRINGS | CBS_OWNERDRAWVARIABLE | CBS_DROPDOWN;
    m_dwComboStyle = dwStyle;
    if (!CreateEx(0, "GXCOMBOBOX", "", (dwStyle | WS_CHILD) & ~WS_VISIBLE, CRect(0, 0, 0, 0), pGridWnd, nID))
        return FALSE;
    if (HWND hEdit = ::GetWindow(m_hWnd, GW_CHILD))
    {
        m_pEditWnd = new CGXTabbedCBEditWnd(this);
        m_pEditWnd->SubclassWindow(hEdit);
    }
    // Owner-drawn, but drawn like a plain combo by the cell.
    m_bNotOwnerDrawn = TRUE;
    return TRUE;
}

void CGXTabbedComboBoxWnd::SetColumnCount(int nCount)
{
    delete[] m_pTabStops;
    m_pTabStops = new int[static_cast<size_t>(std::max(nCount, 1))]();
}

CString CGXTabbedComboBoxWnd::ChoiceLines(const CGXStyle& style) const
{
    return style.GetIncludeChoiceList() ? style.GetChoiceList() : CString();
}

CString CGXTabbedComboBoxWnd::ItemText(int nIndex)
{
    CString item;
    if (m_hWnd != nullptr && nIndex >= 0)
        GetLBText(nIndex, item);
    return GXTabbedField(item, 0);
}

void CGXTabbedComboBoxWnd::SetReadOnly(BOOL bReadOnly)
{
    if (m_hWnd == nullptr)
        return;
    ::EnableWindow(m_hWnd, !bReadOnly);
    if (m_pEditWnd != nullptr && m_pEditWnd->GetSafeHwnd() != nullptr)
    {
        ::EnableWindow(m_pEditWnd->GetSafeHwnd(), TRUE);
        ::SendMessageA(m_pEditWnd->GetSafeHwnd(), EM_SETREADONLY, bReadOnly, 0);
    }
}

// ---- Filling and values ----

void CGXTabbedComboBoxWnd::FillListBox()
{
    if (m_hWnd == nullptr)
        return;
    ResetContent();
    int measured[kMaxColumns];
    std::fill(std::begin(measured), std::end(measured), -1);
    SetColumnCount(kMaxColumns);
    m_nTabStops = 0;
    m_nTotalWidth = 0;
    m_pHeader->m_strTitle.Empty();
    const CGXStyle& style = GetCachedStyle();
    CString list = ChoiceLines(style);
    if (!m_bFillWithChoiceList || list.IsEmpty())
        return;
    // A copy is sorted; no style is changed.
    if (m_columns.nSortCol >= 0)
        CGXDrawingAndFormatting::SortChoiceList(list, m_columns.nSortCol, m_columns.bTitles);
    {
        GXDrawnCell::GridWindowDC dc(m_pGrid);
        GXDrawnCell::FontScope font(m_pGrid, dc.Get(), style);
        BOOL bFirst = TRUE;
        while (!list.IsEmpty())
        {
            const CString line = FirstLine(list, list);
            GXMeasureTabbedColumns(dc.Get(), line, kMaxColumns, measured);
            const CString item = GXTabbedItem(line, m_columns.nTextCol);
            if (bFirst && m_columns.bTitles)
                m_pHeader->m_strTitle = item;
            else
            {
                m_strItemText = item;
                AddString(item);
            }
            bFirst = FALSE;
        }
        m_strItemText.Empty();
    }
    m_nTabStops = GXTabbedTabStops(measured, m_columns, m_pTabStops, m_nTotalWidth);
}

void CGXTabbedComboBoxWnd::Init(ROWCOL nRow, ROWCOL nCol)
{
    m_nTextHeight = 0;
    CGXControl::Init(nRow, nCol);
    m_nEditSelStart = 0;
    m_nEditSelEnd = -1;
    m_bDropPending = FALSE;
    if (m_hWnd != nullptr && !IsDropDownList())
        SetEditSel(0, -1);
    SetReadOnly(FALSE);
    SetActive(FALSE);
    const CGXStyle& style = GetCachedStyle();
    m_columns.Read(style);
    FillListBox();
    SetValue(style.GetValue());
    m_bModified = FALSE;
    CGXGridParam* pParam = m_pGrid->GetParam();
    if (pParam != nullptr && (pParam->m_wActivateCell & 4) != 0 && OnStartEditing())
        SetActive(TRUE);
    SetReadOnly(m_pGrid->IsReadOnly() || (style.GetIncludeReadOnly() && style.GetReadOnly()));
    if (!m_bActive && m_pButton != nullptr)
        if (CWnd* pGridWnd = GetGridWnd())
            if (pGridWnd->GetSafeHwnd() != nullptr)
                ::InvalidateRect(pGridWnd->GetSafeHwnd(), &m_pButton->GetRect(), TRUE);
}

void CGXTabbedComboBoxWnd::SetValue(LPCTSTR pszValue)
{
    if (m_hWnd == nullptr || !m_bInit)
        return;
    CString list = ChoiceLines(GetCachedStyle());
    if (m_columns.nSortCol >= 0)
        CGXDrawingAndFormatting::SortChoiceList(list, m_columns.nSortCol, m_columns.bTitles);
    const int nIndex = CGXDrawingAndFormatting::FindChoiceListItem(pszValue != nullptr ? pszValue : "",
                                                                   m_columns.nKeyCol, list, TRUE, m_columns.bTitles);
    SetCurSel(nIndex);
}

BOOL CGXTabbedComboBoxWnd::GetCurrentText(CString& text)
{
    text.Empty();
    if (!m_bInit || m_hWnd == nullptr)
        return FALSE;
    if (IsDropDownList())
        text = ItemText(GetCurSel());
    else
        text = WindowText();
    return TRUE;
}

BOOL CGXTabbedComboBoxWnd::GetValue(CString& value)
{
    if (!m_bInit || m_hWnd == nullptr)
        return FALSE;
    const CString text = WindowText();
    if (text.IsEmpty())
    {
        value.Empty();
        return TRUE;
    }
    const int nItem = FindString(-1, text);
    if (nItem == CB_ERR)
        return FALSE;
    CString item;
    GetLBText(nItem, item);
    value = GXTabbedField(item, m_columns.nKeyCol + (m_columns.nTextCol > 0 ? 1 : 0));
    return TRUE;
}

BOOL CGXTabbedComboBoxWnd::GetControlText(CString& text, ROWCOL, ROWCOL, LPCTSTR pszValue, const CGXStyle& style)
{
    GXTabbedColumns columns;
    columns.Read(style);
    text.Empty();
    const CString list = ChoiceLines(style);
    if (list.IsEmpty())
        return FALSE;
    const int nIndex = CGXDrawingAndFormatting::FindChoiceListItem(
        pszValue != nullptr ? pszValue : static_cast<LPCTSTR>(style.GetValue()), columns.nKeyCol, list, TRUE,
        columns.bTitles);
    if (nIndex < 0)
        return FALSE;
    CString rest = list;
    CString line;
    for (int i = 0; i <= nIndex + (columns.bTitles ? 1 : 0); ++i)
        line = FirstLine(rest, rest);
    text = GXTabbedField(line, columns.nTextCol);
    return TRUE;
}

BOOL CGXTabbedComboBoxWnd::ConvertTextToValue(CString& text, ROWCOL nRow, ROWCOL nCol, const CGXStyle* pOldStyle)
{
    if (text.IsEmpty())
        return TRUE;
    const CGXCellStyleScope cellStyle(m_pGrid, nRow, nCol, pOldStyle);
    const CGXStyle* pStyle = cellStyle.Get();
    GXTabbedColumns columns;
    columns.Read(*pStyle);
    const CString list = ChoiceLines(*pStyle);
    const int nIndex = CGXDrawingAndFormatting::FindChoiceListItem(text, columns.nTextCol, list, TRUE, columns.bTitles);
    BOOL bFound = FALSE;
    if (nIndex >= 0)
    {
        CString rest = list;
        CString line;
        for (int i = 0; i <= nIndex + (columns.bTitles ? 1 : 0); ++i)
            line = FirstLine(rest, rest);
        text = GXTabbedField(line, columns.nKeyCol);
        bFound = TRUE;
    }
    return bFound;
}

BOOL CGXTabbedComboBoxWnd::ValidateString(const CString& text)
{
    if (text.IsEmpty() || !m_bFillWithChoiceList || !m_bInit)
        return TRUE;
    return CGXDrawingAndFormatting::FindChoiceListItem(text, m_columns.nTextCol, ChoiceLines(GetCachedStyle()), FALSE,
                                                       m_columns.bTitles) >= 0;
}

BOOL CGXTabbedComboBoxWnd::OnValidate()
{
    return GXValidateTabbedCombo(*this);
}

BOOL CGXTabbedComboBoxWnd::ApplyStyleToCell(ROWCOL nRow, ROWCOL nCol, const CGXStyle* pStyle, GXModifyType mode,
                                            int nType, const CGXStyle* pComposedStyle)
{
    if (!CGXComboBoxWnd::ApplyStyleToCell(nRow, nCol, pStyle, mode, nType, pComposedStyle))
        return FALSE;
    if (pStyle == nullptr || (mode != gxOverride && mode != gxApplyNew) || !m_bInit || !m_pGrid->IsCurrentCell(nRow, nCol))
        return TRUE;
    BOOL bReset = pStyle->GetIncludeChoiceList() || pStyle->GetIncludeControl() ||
                  (pStyle->GetIncludeValue() && !GetModify());
    for (WORD nId = GX_IDS_UA_TABLIST_KEYCOL; nId <= GX_IDS_UA_TABLIST_SORTCOL; ++nId)
        bReset = bReset || pStyle->HasUserAttribute(nId);
    if (bReset)
        Reset();
    return TRUE;
}

// ---- Drawing ----

void CGXTabbedComboBoxWnd::PrepareActiveDraw(const CGXStyle& style, const TEXTMETRICA& tm)
{
    m_rgbListBack = GXDrawnCell::InteriorColor(style, GXDrawnCell::IsBlackWhite(m_pGrid));
    m_rgbListText = GXDrawnCell::TextColor(style, GXDrawnCell::IsBlackWhite(m_pGrid));
    SetBackgroundColor(m_rgbListBack);
    for (int i = 0; i < GetCount(); ++i)
        SetItemHeight(i, static_cast<UINT>(tm.tmHeight));
}

int CGXTabbedComboBoxWnd::GetDroppedHeight(const TEXTMETRICA& tm)
{
    return (tm.tmHeight + 2) * std::min(GetCount(), kMaxDroppedRows) + 3;
}

void CGXTabbedComboBoxWnd::Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
                                const CGXStyle* pStandardStyle)
{
    if (pDC == nullptr)
        return;
    const BOOL bActiveCell = IsInitAt(nRow, nCol) && m_bActive && m_hWnd != nullptr && !m_pGrid->IsPrinting();
    if (bActiveCell)
    {
        // The list the button just asked for must not be closed by this paint.
        if (m_bSkipNextDraw)
        {
            m_bSkipNextDraw = FALSE;
            return;
        }
        CGXComboBoxWnd::Draw(pDC, rect, nRow, nCol, style, pStandardStyle);
        return;
    }
    if (m_bSizeToContent)
        MeasureTextHeight(style);
    CString text;
    HGLOBAL hDIB = nullptr;
    if (GetControlText(text, nRow, nCol, nullptr, style))
        hDIB = GXFieldBitmap(text);
    if (hDIB == nullptr)
    {
        CGXStatic::Draw(pDC, rect, nRow, nCol, style, pStandardStyle);
        return;
    }
    DrawBackground(pDC, rect, style);
    CGXDIB::Draw(pDC, hDIB, GetCellRect(nRow, nCol, &rect, &style), CGXDIB::drawNatural,
                 GXDrawnCell::AlignmentFlags(style));
    CGXControl::Draw(pDC, rect, nRow, nCol, style, pStandardStyle);
}

CSize CGXTabbedComboBoxWnd::CalcSize(CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
                                     const CGXStyle*, BOOL)
{
    if (pDC == nullptr)
        return CSize(0, 0);
    GXDrawnCell::FontScope font(m_pGrid, pDC, style);
    TEXTMETRICA tm = {};
    ::GetTextMetricsA(pDC->GetSafeHdc(), &tm);
    CSize size(0, tm.tmHeight + tm.tmExternalLeading + 1);
    if (m_bFillWithChoiceList)
    {
        GXTabbedColumns columns;
        columns.Read(style);
        CString list = ChoiceLines(style);
        BOOL bFirst = TRUE;
        while (!list.IsEmpty())
        {
            const CString line = FirstLine(list, list);
            if (bFirst && columns.bTitles)
            {
                bFirst = FALSE;
                continue;
            }
            bFirst = FALSE;
            const CString field = GXTabbedField(line, columns.nTextCol);
            SIZE extent = {};
            ::GetTextExtentPoint32A(pDC->GetSafeHdc(), field, field.GetLength(), &extent);
            size.cx = std::max<int>(size.cx, extent.cx);
            size.cy = std::max<int>(size.cy, extent.cy);
        }
    }
    return size + GetBorderSize(nRow, nCol, style);
}

// ---- Items ----

void CGXTabbedComboBoxWnd::MeasureItem(LPMEASUREITEMSTRUCT lpMeasure)
{
    if (lpMeasure == nullptr || lpMeasure->itemID == static_cast<UINT>(-1))
        return;
    CString text;
    if (m_hWnd != nullptr && static_cast<int>(lpMeasure->itemID) < GetCount())
        GetLBText(static_cast<int>(lpMeasure->itemID), text);
    if (text.IsEmpty())
        text = m_strItemText;
    int nHeight = static_cast<int>(lpMeasure->itemHeight);
    GXCalcTabbedRowHeight(text, nHeight, !m_columns.bShowAllCols, m_columns.nTextCol, m_nTabStops);
    lpMeasure->itemHeight = static_cast<UINT>(std::max(nHeight, 1));
}

void CGXTabbedComboBoxWnd::DrawItem(LPDRAWITEMSTRUCT lpDraw)
{
    if (lpDraw == nullptr || lpDraw->itemID == static_cast<UINT>(-1))
        return;
    CDC dc;
    dc.Attach(lpDraw->hDC);
    const CRect rect(lpDraw->rcItem);
    const BOOL bSelected = (lpDraw->itemState & ODS_SELECTED) != 0;
    const COLORREF back = bSelected ? ::GetSysColor(COLOR_HIGHLIGHT) : m_rgbListBack;
    const COLORREF text = bSelected ? ::GetSysColor(COLOR_HIGHLIGHTTEXT) : m_rgbListText;
    CString row;
    GetLBText(static_cast<int>(lpDraw->itemID), row);
    // The edit field of a drop-down list shows the text column only.
    const BOOL bTextOnly = !m_columns.bShowAllCols || (lpDraw->itemState & ODS_COMBOBOXEDIT) != 0;
    if ((lpDraw->itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) != 0)
        GXDrawTabbedRow(&dc, rect, row, bTextOnly, m_columns.nTextCol, m_nTabStops, m_pTabStops, m_rgbGridLine, back,
                        text);
    if ((lpDraw->itemState & ODS_FOCUS) != 0 || (lpDraw->itemAction & ODA_FOCUS) != 0)
        ::DrawFocusRect(lpDraw->hDC, &rect);
    dc.Detach();
}

int CGXTabbedComboBoxWnd::CompareItem(LPCOMPAREITEMSTRUCT)
{
    return -1;
}

// ---- Keys and mouse ----

BOOL CGXTabbedComboBoxWnd::HandleKey(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    m_pGrid->ScrollCellInView(m_nRow, m_nCol, GX_SMART, FALSE);
    if (CtrlHeld())
        return m_pGrid->DispatchKeyMessage(GetGridWnd(), WM_KEYDOWN, nChar, nRepCnt, nFlags);
    if (nChar == VK_ESCAPE)
    {
        if (m_hWnd != nullptr && GetDroppedState())
            ShowDropDown(FALSE);
        if (OnCancelEditing())
        {
            Init(m_nRow, m_nCol);
            Refresh();
            OnCanceledEditing();
            if (CWnd* pGridWnd = GetGridWnd())
                ::SetFocus(pGridWnd->GetSafeHwnd());
        }
        return TRUE;
    }
    return CGXComboBoxWnd::HandleKey(nChar, nRepCnt, nFlags);
}

void CGXTabbedComboBoxWnd::OpenOnClick()
{
    if (!m_bActive)
    {
        if (!OnStartEditing())
            return;
        SetActive(TRUE);
        Refresh();
    }
    if (!m_bDropDownOnClick || m_hWnd == nullptr || GetDroppedState())
        return;
    if (GXGetAppData()->m_nWinVersion < 0x400)
    {
        m_bDropPending = TRUE;
        return;
    }
    const CRect cell = CGXControl::GetCellRect(m_nRow, m_nCol);
    const CRect button = m_pButton->GetRect();
    if (CWnd* pGridWnd = GetGridWnd())
        ::UpdateWindow(pGridWnd->GetSafeHwnd());
    const LPARAM at = MAKELPARAM(button.left - cell.left + 5, button.top - cell.top + 5);
    ::PostMessageA(m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::PostMessageA(m_hWnd, WM_LBUTTONUP, MK_LBUTTON, at);
}

BOOL CGXTabbedComboBoxWnd::LButtonUp(UINT nFlags, CPoint point, UINT nHitState)
{
    const BOOL bResult = CGXControl::LButtonUp(nFlags, point, nHitState);
    if ((nHitState & 2) != 0)
        return bResult;
    if (m_bDropDownOnClick && m_bInit)
        OpenOnClick();
    return TRUE;
}

void CGXTabbedComboBoxWnd::OnClickedButton(CGXChild* pChild)
{
    if (m_bInit && m_hWnd != nullptr && (m_bActive || !m_bDropDownOnClick))
    {
        BOOL bGo = TRUE;
        if (!m_bActive)
        {
            bGo = OnStartEditing();
            if (bGo)
            {
                SetActive(TRUE);
                Refresh();
            }
        }
        if (bGo && !GetDroppedState() && !m_bDropDownOnClick)
        {
            const CRect cell = CGXControl::GetCellRect(m_nRow, m_nCol);
            const CRect button = m_pButton->GetRect();
            HWND hGrid = GetGridWnd() != nullptr ? GetGridWnd()->GetSafeHwnd() : nullptr;
            // The window stands over the cell first; the next paint must not hide the list it opens.
            ::UpdateWindow(hGrid);
            m_bSkipNextDraw = TRUE;
            const LPARAM at = MAKELPARAM(button.left - cell.left + 5, button.top - cell.top + 5);
            ::PostMessageA(m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
            ::PostMessageA(m_hWnd, WM_LBUTTONUP, MK_LBUTTON, at);
        }
    }
    CGXControl::OnClickedButton(pChild);
}

// ---- The dropped list and its header ----

int CGXTabbedComboBoxWnd::HeaderHeight()
{
    int nHeight = m_nTextHeight > 0 ? m_nTextHeight : GetItemHeight(0);
    GXCalcTabbedRowHeight(m_pHeader->m_strTitle, nHeight, !m_columns.bShowAllCols, m_columns.nTextCol, m_nTabStops);
    return nHeight + 4;
}

void CGXTabbedComboBoxWnd::PlaceDroppedList(HWND hList)
{
    CRect list;
    ::GetWindowRect(hList, &list);
    CRect combo;
    GetWindowRect(&combo);
    CRect desktop;
    ::GetClientRect(::GetDesktopWindow(), &desktop);
    const int nWidth = std::max(combo.Width(), m_nTotalWidth);
    list.right = list.left + nWidth;
    if (list.right > desktop.right)
        list.OffsetRect(combo.right - list.right, 0);
    CRect header;
    if (m_columns.bTitles && !::IsWindowVisible(m_pHeader->GetSafeHwnd()))
    {
        const int nHeader = HeaderHeight();
        GXPrepareTabbedHeader(*m_pHeader, GetGridWnd(), m_columns, m_nTabStops, m_pTabStops, GetFont());
        if (list.top >= combo.bottom - 1)
        {
            header.SetRect(list.left, list.top, list.right, list.top + nHeader);
            list.OffsetRect(0, nHeader);
        }
        else
            header.SetRect(list.left, list.top - nHeader, list.right, list.top);
        m_pHeader->ShowAt(header);
    }
    list.IntersectRect(&list, &desktop);
    if (list != m_rectList)
    {
        m_rectList = list;
        ::MoveWindow(hList, list.left, list.top, list.Width(), list.Height(), TRUE);
        if (m_columns.bTitles && m_pHeader->GetSafeHwnd() != nullptr)
            ::UpdateWindow(m_pHeader->GetSafeHwnd());
    }
}

HBRUSH CGXTabbedComboBoxWnd::OnGridCtlColor(CDC*, CWnd* pWnd, UINT nCtlColor)
{
    if (!m_bActive || pWnd == nullptr || m_hWnd == nullptr)
        return nullptr;
    if (nCtlColor == CTLCOLOR_LISTBOX && !g_bPlacingList)
    {
        char className[16] = {};
        ::GetClassNameA(pWnd->GetSafeHwnd(), className, sizeof className);
        if (lstrcmpiA(className, "ComboLBox") == 0)
        {
            g_bPlacingList = TRUE;
            PlaceDroppedList(pWnd->GetSafeHwnd());
            g_bPlacingList = FALSE;
        }
    }
    else if (nCtlColor == CTLCOLOR_EDIT && !GetDroppedState())
        m_pHeader->HideHeader();
    return nullptr;
}

BOOL CGXTabbedComboBoxWnd::OnGridCommand(WPARAM wParam, LPARAM lParam)
{
    if (reinterpret_cast<HWND>(lParam) == m_hWnd && m_hWnd != nullptr && m_bActive)
    {
        const UINT nCode = HIWORD(wParam);
        if (nCode == CBN_CLOSEUP)
            m_pHeader->HideHeader();
        if (nCode == CBN_DROPDOWN || nCode == CBN_CLOSEUP)
            m_rectList.SetRectEmpty();
    }
    return CGXComboBoxWnd::OnGridCommand(wParam, lParam);
}

void CGXTabbedComboBoxWnd::Hide()
{
    m_pHeader->HideHeader();
    CGXComboBoxWnd::Hide();
}

LRESULT CGXTabbedComboBoxWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SHOWWINDOW && !wParam)
        m_pHeader->HideHeader();
    return CGXComboBoxWnd::WindowProc(message, wParam, lParam);
}

void CGXTabbedComboBoxWnd::AddUserAttributes(CGXStylesMap* pStylesMap)
{
    if (pStylesMap != nullptr)
        GXAddTabbedUserAttributes(pStylesMap);
}
