#include "grid/controls/ComboBox.h"

#include "framework/win/Dc.h"
#include "grid/controls/Buttons.h"
#include "grid/controls/DrawnCell.h"
#include "grid/controls/GridCombo.h"
#include "grid/core/AppData.h"
#include "grid/core/DrawingAndFormatting.h"
#include "grid/core/Font.h"
#include "grid/core/GridCore.h"
#include "grid/core/GridParam.h"
#include "grid/core/Style.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

IMPLEMENT_DYNAMIC(CGXComboBox, CGXEditControl)
GRID_IMPLEMENT_CONTROL(CGXComboBox, CGXEditControl)
IMPLEMENT_DYNAMIC(CGXComboListBox, CListBox)

namespace
{
// The button's column at the cell's right edge.
const int kButtonSpace = 15;

CString IndexText(int nIndex)
{
    char sz[16];
    std::snprintf(sz, sizeof sz, "%d", nIndex);
    return sz;
}

// The lines of a choice list, empty ones included (their numbers are the entries' indexes).
void AddChoiceLines(CListBox* pListBox, const CString& choiceList)
{
    if (choiceList.IsEmpty())
        return;
    CString list = choiceList;
    CString line;
    for (;;)
    {
        const BOOL bLast = CGXDrawingAndFormatting::CutFirstLine(list, line) < 0;
        pListBox->AddString(line);
        if (bLast || list.IsEmpty())
            break;
    }
}

CString ListText(CListBox* pListBox, int nIndex)
{
    CString text;
    pListBox->GetText(nIndex, text);
    return text;
}
}  // namespace

// ---- Construction ----

CGXComboBox::CGXComboBox(CGXGridCore* pGrid, UINT nEditID, UINT nListBoxID, UINT nFlags)
    : CGXEditControl(pGrid, nEditID), m_nFlags(nFlags), m_pButton(new CGXComboBoxButton(this)),
      m_nListBoxID(nListBoxID)
{
    AddChild(m_pButton);
}

CGXComboBox::~CGXComboBox()
{
    if (m_pDropDownWnd != nullptr)
    {
        CGXGridCombo::SetDropDownFlag(TRUE);
        delete m_pDropDownWnd;
        m_pDropDownWnd = nullptr;
        CGXGridCombo::SetDropDownFlag(FALSE);
    }
    m_font.DeleteObject();
}

CRuntimeClass* CGXComboBox::GetWndRuntimeClass()
{
    return RUNTIME_CLASS(CGXComboBox);
}

HWND CGXComboBox::GridHwnd() const
{
    CWnd* pGridWnd = GetGridWnd();
    return pGridWnd != nullptr ? pGridWnd->GetSafeHwnd() : nullptr;
}

CListBox* CGXComboBox::GetListBox() const
{
    return m_pDropDownWnd != nullptr ? m_pDropDownWnd->GetListBox() : nullptr;
}

BOOL CGXComboBox::MatchesChoices(const CGXStyle& style) const
{
    return m_bFillWithChoiceList && (m_nFlags & (GXCOMBO_TEXTFIT | GXCOMBO_DISPLAYCHOICE)) != 0 &&
           style.GetIncludeChoiceList() && !style.GetChoiceList().IsEmpty();
}

// ---- State ----

void CGXComboBox::SetActive(BOOL bActive)
{
    if (!bActive && m_pDropDownWnd != nullptr && m_hWnd != nullptr)
        ::PostMessageA(m_hWnd, WM_GX_LBOXCANCEL, 0, 0);
    CGXEditControl::SetActive(bActive);
}

BOOL CGXComboBox::IsDropDownVisible()
{
    return m_pDropDownWnd != nullptr;
}

void CGXComboBox::Init(ROWCOL nRow, ROWCOL nCol)
{
    CGXEditControl::Init(nRow, nCol);
    if (CWnd* pGridWnd = GetGridWnd())
        if (pGridWnd->GetSafeHwnd() != nullptr)
            ::InvalidateRect(pGridWnd->GetSafeHwnd(), &m_pButton->GetRect(), TRUE);
}

void CGXComboBox::Reset()
{
    ShowDropDown(FALSE);
    CGXControl::Reset();
}

BOOL CGXComboBox::Store()
{
    return CGXEditControl::Store();
}

// ---- Geometry ----

CRect CGXComboBox::GetCellRect(ROWCOL nRow, ROWCOL nCol, LPCRECT pRectItem, const CGXStyle* pStyle)
{
    CRect rect = CGXStatic::GetCellRect(nRow, nCol, pRectItem, pStyle);
    if (!(m_bDispBtnCurrentCellOnly && !m_bDisplayEveryCell && !m_pGrid->IsCurrentCell(nRow, nCol)))
        rect.right -= kButtonSpace;
    return rect;
}

CSize CGXComboBox::GetBorderSize(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style)
{
    return CGXStatic::GetBorderSize(nRow, nCol, style) + CSize(kButtonSpace, 0);
}

CSize CGXComboBox::CalcSize(CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
                            const CGXStyle* pStandardStyle, BOOL bVert)
{
    const CSize base = CGXStatic::CalcSize(pDC, nRow, nCol, style, pStandardStyle, bVert);
    if (pDC == nullptr)
        return base;
    GXDrawnCell::FontScope font(m_pGrid, pDC, style);
    CSize size(0, 0);
    if (!bVert)
    {
        if (m_bFillWithChoiceList && style.GetIncludeChoiceList())
        {
            CString list = style.GetChoiceList();
            CString line;
            while (!list.IsEmpty())
            {
                if (CGXDrawingAndFormatting::CutFirstLine(list, line) < 0)
                    list.Empty();
                SIZE extent = {};
                ::GetTextExtentPoint32A(pDC->GetSafeHdc(), line, line.GetLength(), &extent);
                size.cx = std::max<int>(size.cx, extent.cx);
            }
        }
    }
    else
    {
        TEXTMETRICA tm = {};
        ::GetTextMetricsA(pDC->GetSafeHdc(), &tm);
        size.cy = tm.tmHeight + tm.tmExternalLeading + 1;
    }
    size += GetBorderSize(nRow, nCol, style);
    return CSize(std::max(base.cx, size.cx), std::max(base.cy, size.cy));
}

void CGXComboBox::LayoutChildren(ROWCOL nRow, ROWCOL nCol, const CRect& rect)
{
    CRect button(std::max<int>(rect.left + 1, rect.right - 16), rect.top, rect.right - 1, rect.bottom - 1);
    const CGXStyle* pStyle = nullptr;
    if (IsInitAt(nRow, nCol))
        pStyle = &GetCachedStyle();
    else if (m_bDisplayEveryCell)
        pStyle = &m_pGrid->LookupStyleRowCol(nRow, nCol);
    if (pStyle != nullptr && m_nTextHeight == 0)
    {
        GXDrawnCell::GridWindowDC dc(m_pGrid);
        m_pGrid->PrepareGridDC(dc.Get());
        GXDrawnCell::FontScope font(m_pGrid, dc.Get(), *pStyle);
        TEXTMETRICA tm = {};
        ::GetTextMetricsA(dc.Get()->GetSafeHdc(), &tm);
        m_nTextHeight = tm.tmHeight;
    }
    if (m_bButtonHeightFollowsText && pStyle != nullptr && m_nTextHeight > 0)
    {
        const int h = std::min<int>(m_nTextHeight + 2, rect.bottom - 2 * m_nButtonMargin - rect.top);
        if (pStyle->GetIncludeVerticalAlignment())
        {
            if (pStyle->GetVerticalAlignment() == DT_VCENTER)
                button.top += (rect.Height() - h) / 2 - m_nButtonMargin;
            else if (pStyle->GetVerticalAlignment() == DT_BOTTOM)
                button.top = rect.bottom - 2 * m_nButtonMargin - h;
        }
        button.bottom = button.top + 2 * m_nButtonMargin - 1 + h;
    }
    m_pButton->SetRect(button);
}

// ---- Drawing ----

void CGXComboBox::Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
                       const CGXStyle* pStandardStyle)
{
    if (m_bStaticDisplay && IsInitAt(nRow, nCol) && m_bActive && !m_pGrid->IsPrinting())
    {
        CGXStyle* pCopy = m_pGrid->NewStyle();
        *pCopy = style;
        CString value;
        GetValue(value);
        pCopy->SetValue(value);
        CGXStatic::Draw(pDC, rect, nRow, nCol, *pCopy, pStandardStyle);
        m_pGrid->RecycleStyle(pCopy);
        return;
    }
    CGXEditControl::Draw(pDC, rect, nRow, nCol, style, pStandardStyle);
}

// ---- Values ----

BOOL CGXComboBox::GetValue(CString& value)
{
    if (!CGXEditControl::GetValue(value))
        return FALSE;
    if (m_bInit && MatchesChoices(GetCachedStyle()))
        ConvertTextToValue(value, m_nRow, m_nCol, &GetCachedStyle());
    return TRUE;
}

BOOL CGXComboBox::GetControlText(CString& text, ROWCOL nRow, ROWCOL nCol, LPCTSTR pszValue, const CGXStyle& style)
{
    if ((m_nFlags & GXCOMBO_DISPLAYCHOICE) == 0 || !m_bFillWithChoiceList || !style.GetIncludeChoiceList())
        return CGXControl::GetControlText(text, nRow, nCol, pszValue, style);
    const CString value = pszValue != nullptr ? CString(pszValue) : style.GetValue();
    text.Empty();
    if (value.IsEmpty() || (pszValue == nullptr && !style.GetIncludeValue()))
        return FALSE;
    // Read as a 32-bit number: an index of 65536 is no entry 0.
    int nIndex = std::atoi(value);
    if ((m_nFlags & GXCOMBO_ONEBASED) != 0 && nIndex != -1)
        --nIndex;
    CString item;
    if (!GetChoiceListItem(item, style.GetChoiceList(), nIndex))
        return TRUE;
    return CGXControl::GetControlText(text, nRow, nCol, item, style);
}

BOOL CGXComboBox::ConvertTextToValue(CString& text, ROWCOL nRow, ROWCOL nCol, const CGXStyle* pOldStyle)
{
    if (!m_bFillWithChoiceList || (m_nFlags & (GXCOMBO_TEXTFIT | GXCOMBO_DISPLAYCHOICE)) == 0)
        return TRUE;
    const CGXCellStyleScope cellStyle(m_pGrid, nRow, nCol, pOldStyle);
    const CGXStyle* pStyle = cellStyle.Get();
    if (pStyle->GetIncludeChoiceList())
    {
        CString item;
        const int nIndex = FindStringInChoiceList(item, text, pStyle->GetChoiceList(), FALSE);
        if ((m_nFlags & GXCOMBO_DISPLAYCHOICE) == 0)
            text = nIndex >= 0 ? item : CString();
        else
            text = nIndex >= 0 ? IndexText(nIndex + ((m_nFlags & GXCOMBO_ONEBASED) != 0 ? 1 : 0)) : CString();
    }
    return TRUE;
}

BOOL CGXComboBox::ValidateString(const CString& text)
{
    if (text.IsEmpty() || !m_bFillWithChoiceList || (m_nFlags & (GXCOMBO_TEXTFIT | GXCOMBO_DISPLAYCHOICE)) == 0 ||
        !m_bInit)
        return TRUE;
    const CGXStyle& style = GetCachedStyle();
    if (!style.GetIncludeChoiceList() || style.GetChoiceList().IsEmpty())
        return TRUE;
    CString item;
    return FindStringInChoiceList(item, text, style.GetChoiceList(), FALSE) >= 0;
}

void CGXComboBox::ReplaceSel(LPCTSTR pszText)
{
    if (!m_bActive || !HasWindow())
    {
        CGXControl::ReplaceSel(pszText);
        return;
    }
    ::SendMessageA(m_hWnd, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(pszText != nullptr ? pszText : ""));
    SetModify(TRUE);
    OnModifyCell();
}

// ---- Keys and clicks ----

BOOL CGXComboBox::Char(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    // Only an opening parenthesis picks an entry of a cell shown as static text.
    if (m_bStaticDisplay && nChar == '(')
    {
        CString item;
        const CString typed = "(";
        if (m_bInit && FindStringInChoiceList(item, typed, GetCachedStyle().GetChoiceList(), FALSE) < 0)
            item.Empty();
        SetCurrentText(item);
        return TRUE;
    }
    return CGXEditControl::Char(nChar, nRepCnt, nFlags);
}

BOOL CGXComboBox::SysKeyDown(UINT nChar, UINT, UINT)
{
    const HWND hGrid = GridHwnd();
    if (nChar != VK_DOWN || hGrid == nullptr || ::GetFocus() != hGrid || !OnStartEditing())
        return FALSE;
    SetActive(TRUE);
    if (!m_pGrid->ScrollCellInView(m_nRow, m_nCol, GX_SMART, FALSE))
        Refresh();
    ::UpdateWindow(hGrid);
    ShowDropDown(TRUE);
    return TRUE;
}

BOOL CGXComboBox::DropDownFromKey()
{
    if (!OnStartEditing())
        return FALSE;
    m_pGrid->ScrollCellInView(m_nRow, m_nCol, GX_SMART, FALSE);
    ::UpdateWindow(GridHwnd());
    ShowDropDown(TRUE);
    return TRUE;
}

void CGXComboBox::OnClickedButton(CGXChild* pChild)
{
    if (!m_bActive)
    {
        if (!OnStartEditing())
            return;
        SetActive(TRUE);
        Refresh();
    }
    ::UpdateWindow(GridHwnd());
    // The button opens the list and closes it again.
    ShowDropDown(!IsDropDownVisible());
    CGXControl::OnClickedButton(pChild);
}

int CGXComboBox::OnGridMouseActivate(CWnd*, UINT, UINT)
{
    if (m_pDropDownWnd == nullptr || m_hWnd == nullptr)
        return 0;
    ::SendMessageA(m_hWnd, WM_GX_LBOXCANCEL, 0, TRUE);
    return MA_ACTIVATEANDEAT;
}

void CGXComboBox::OnGridScroll(UINT nMessage, UINT nSBCode, UINT nPos)
{
    if (nMessage == WM_HSCROLL || nMessage == WM_VSCROLL)
        ShowDropDown(FALSE);
    CGXEditControl::OnGridScroll(nMessage, nSBCode, nPos);
}

// ---- The list ----

CGXGridCombo* CGXComboBox::CreateDropDownWnd(CWnd* pParentWnd, const CRect& rect)
{
    return new CGXGridCombo(pParentWnd, this, rect);
}

CListBox* CGXComboBox::CreateListBox(CWnd* pPopupWnd, UINT nID)
{
    CGXComboListBox* pListBox = new CGXComboListBox(this);
    if (m_dwListBoxStyle == 0)
        m_dwListBoxStyle = WS_VSCROLL | LBS_NOTIFY;
    CRect rect;
    pPopupWnd->GetClientRect(&rect);
    rect.DeflateRect(1, 0);
    pListBox->Create(m_dwListBoxStyle, rect, pPopupWnd, nID);
    return pListBox;
}

void CGXComboBox::GetDropDownRect(CRect& rect, const CRect& rectCell)
{
    CGXGridParam* pParam = m_pGrid->GetParam();
    const int nHeight = pParam != nullptr ? pParam->m_nDropDownHeight : 100;
    rect.SetRect(rectCell.left, rectCell.bottom, rectCell.right, rectCell.bottom + nHeight);
}

void CGXComboBox::FillListBox(CListBox* pListBox)
{
    if (pListBox == nullptr || !m_bInit)
        return;
    const CGXStyle& style = m_pGrid->LookupStyleRowCol(m_nRow, m_nCol);
    if (m_bFillWithChoiceList && style.GetIncludeChoiceList())
        AddChoiceLines(pListBox, style.GetChoiceList());
    const CString text = m_bActive && HasWindow() ? WindowText() : style.GetValue();
    if ((m_nFlags & GXCOMBO_TEXTFIT) != 0 || ((m_nFlags & GXCOMBO_DISPLAYCHOICE) != 0 && m_bActive))
    {
        const int nExact = static_cast<int>(::SendMessageA(pListBox->GetSafeHwnd(), LB_FINDSTRINGEXACT,
                                                           static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(text))));
        if (nExact != LB_ERR)
            pListBox->SetCurSel(nExact);
        else
            pListBox->SelectString(-1, text);
    }
    else if ((m_nFlags & GXCOMBO_ZEROBASED) != 0)
        pListBox->SetCurSel(std::atoi(text));
    else if ((m_nFlags & GXCOMBO_ONEBASED) != 0)
        pListBox->SetCurSel(std::atoi(text) - 1);
    else
        pListBox->SelectString(-1, text);
}

void CGXComboBox::ShowDropDown(BOOL bShow)
{
    if (!bShow)
    {
        if (m_pDropDownWnd != nullptr && m_hWnd != nullptr)
            ::SendMessageA(m_hWnd, WM_GX_LBOXCANCEL, 0, IsActive());
        return;
    }
    if (m_pDropDownWnd != nullptr || !m_bInit)
        return;
    const HWND hGrid = GridHwnd();
    if (hGrid == nullptr)
        return;
    m_pGrid->m_bDropDownCell = TRUE;
    const CGXStyle& style = GetCachedStyle();
    const CRect rectCell = CGXControl::GetCellRect(m_nRow, m_nCol);
    CRect desktop;
    ::GetClientRect(::GetDesktopWindow(), &desktop);

    CListBox* pListBox = nullptr;
    m_pGrid->m_bCreatingDropDown = TRUE;
    {
        CGXFlagScope focusChange(m_pGrid->m_bFocusChanging, TRUE);
        m_pDropDownWnd = CreateDropDownWnd(GetGridWnd(), CRect(0, 0, 1, 1));
        pListBox = CreateListBox(m_pDropDownWnd, m_nListBoxID);
    }
    m_pDropDownWnd->SetListBox(pListBox);

    m_font.DeleteObject();
    const LOGFONT lf = style.GetFont().GetLogFontZoomed(m_pGrid->GetZoom());
    m_font.CreateFontIndirect(&lf);
    pListBox->SetFont(&m_font);

    const BOOL bBlackWhite = GXDrawnCell::IsBlackWhite(m_pGrid);
    m_pDropDownWnd->SetColors(GXDrawnCell::TextColor(style, bBlackWhite), GXDrawnCell::InteriorColor(style, bBlackWhite));

    FillListBox(pListBox);
    CRect rect;
    GetDropDownRect(rect, rectCell);
    ::MapWindowPoints(hGrid, nullptr, reinterpret_cast<LPPOINT>(&rect), 2);
    CRect rectScreenCell = rectCell;
    ::MapWindowPoints(hGrid, nullptr, reinterpret_cast<LPPOINT>(&rectScreenCell), 2);

    PlaceDropDown(rect, rectScreenCell, desktop, pListBox);

    CGXGridCombo::SetDropDownFlag(TRUE);
    ::SetWindowPos(m_pDropDownWnd->GetSafeHwnd(), HWND_TOPMOST, rect.left, rect.top, rect.Width(), rect.Height(),
                   SWP_SHOWWINDOW);
    ::MoveWindow(pListBox->GetSafeHwnd(), 0, 0, rect.Width(), rect.Height(), TRUE);
    pListBox->SetFocus();
    if (pListBox->GetCurSel() == LB_ERR)
        pListBox->SetCurSel(0);
    pListBox->UpdateWindow();
    OnDropDownShown(pListBox, rect);
    CGXGridCombo::SetDropDownFlag(FALSE);
    m_pGrid->m_bCreatingDropDown = FALSE;
}

int CGXComboBox::GetDropDownRowHeight(CListBox* pListBox)
{
    return m_nTextHeight > 0 ? m_nTextHeight
                             : static_cast<int>(::SendMessageA(pListBox->GetSafeHwnd(), LB_GETITEMHEIGHT, 0, 0));
}

void CGXComboBox::PlaceDropDown(CRect& rect, const CRect& rectScreenCell, const CRect& desktop, CListBox* pListBox)
{
    const int nItemHeight = static_cast<int>(::SendMessageA(pListBox->GetSafeHwnd(), LB_GETITEMHEIGHT, 0, 0));
    const int nWanted = pListBox->GetCount() * GetDropDownRowHeight(pListBox) + nItemHeight / 2;
    if (nWanted < rect.Height())
        rect.bottom = rect.top + nWanted;
    if (rect.right > desktop.right)
        rect.OffsetRect(-(rect.Width() - rectScreenCell.Width()), 0);
    // No room below: the list opens above the cell.
    if (rect.bottom > desktop.bottom)
        rect.OffsetRect(0, -(rect.Height() + rectScreenCell.Height()));
    rect.IntersectRect(&rect, &desktop);
}

void CGXComboBox::OnDropDownShown(CListBox* pListBox, const CRect&)
{
    if (pListBox->GetCurSel() != LB_ERR)
        pListBox->SetTopIndex(pListBox->GetCurSel());
}

void CGXComboBox::DestroyDropDownWnd(CGXGridCombo* pPopupWnd)
{
    delete pPopupWnd;
    m_font.DeleteObject();
}

void CGXComboBox::GetListBoxValue(CListBox* pListBox)
{
    if (pListBox == nullptr)
        return;
    const int nSel = pListBox->GetCurSel();
    if (nSel == LB_ERR)
        return;
    CString value;
    if ((m_nFlags & GXCOMBO_ZEROBASED) != 0)
        value = IndexText(nSel);
    else if ((m_nFlags & GXCOMBO_ONEBASED) != 0)
        value = IndexText(nSel + 1);
    else
        value = ListText(pListBox, nSel);
    SetActive(TRUE);
    SetValue(value);
    SetSelection(0, -1);
    SetModify(TRUE);
    if (!m_bStaticDisplay)
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
    else
        Refresh();
}

// ---- The list's messages ----

LRESULT CGXComboBox::OnListBoxEnd()
{
    CGXFlagScope focusChange(m_pGrid->m_bFocusChanging, TRUE);
    m_pGrid->m_bDropDownCell = FALSE;
    if (m_pDropDownWnd == nullptr)
        return 0;
    CGXGridCombo::SetDropDownFlag(TRUE);
    GetCachedStyle();
    if (!IsReadOnly())
        GetListBoxValue(m_pDropDownWnd->GetListBox());
    const HWND hFocus = ::GetFocus();
    const HWND hPopup = m_pDropDownWnd->GetSafeHwnd();
    const BOOL bFocusHere = hFocus == m_hWnd || hFocus == hPopup || (hFocus != nullptr && ::IsChild(hPopup, hFocus));
    CGXGridCombo* pPopup = m_pDropDownWnd;
    m_pDropDownWnd = nullptr;
    DestroyDropDownWnd(pPopup);
    CGXGridCombo::SetDropDownFlag(FALSE);
    OnModifyCell();
    if (bFocusHere || ::GetFocus() == GridHwnd() || ::GetFocus() == nullptr)
        ::SetFocus(m_hWnd);
    return 0;
}

LRESULT CGXComboBox::OnListBoxCancel(BOOL bKeepFocus)
{
    m_pGrid->m_bDropDownCell = FALSE;
    if (m_pDropDownWnd == nullptr)
        return 0;
    CGXFlagScope focusChange(m_pGrid->m_bFocusChanging, TRUE);
    CGXGridCombo::SetDropDownFlag(TRUE);
    const HWND hFocus = ::GetFocus();
    const HWND hPopup = m_pDropDownWnd->GetSafeHwnd();
    const BOOL bFocusInList = hFocus != nullptr && (hFocus == hPopup || ::IsChild(hPopup, hFocus));
    const BOOL bKeep = bKeepFocus || (bFocusInList && m_pGrid->m_bRefocus);
    CGXGridCombo* pPopup = m_pDropDownWnd;
    m_pDropDownWnd = nullptr;
    DestroyDropDownWnd(pPopup);
    CGXGridCombo::SetDropDownFlag(FALSE);
    if (bKeep)
    {
        ::SetFocus(m_hWnd);
        if (GetModify())
            OnModifyCell();
    }
    else
    {
        SetActive(FALSE);
        SetModify(FALSE);
        Refresh();
        // The focus was in the list that is gone: it goes back to the grid, not nowhere.
        if (bFocusInList || ::GetFocus() == nullptr)
            ::SetFocus(GridHwnd());
    }
    return 0;
}

LRESULT CGXComboBox::OnListBoxChanged()
{
    if (m_pDropDownWnd != nullptr && !IsReadOnly())
    {
        GetListBoxValue(m_pDropDownWnd->GetListBox());
        OnModifyCell();
    }
    return 0;
}

LRESULT CGXComboBox::OnListBoxKillFocus()
{
    // A list closed meanwhile has nothing left to close.
    if (m_pDropDownWnd == nullptr)
        return 0;
    const HWND hFocus = ::GetFocus();
    const HWND hGrid = GridHwnd();
    const HWND hPopup = m_pDropDownWnd->GetSafeHwnd();
    if (hFocus == nullptr)
    {
        ::SendMessageA(m_hWnd, WM_GX_LBOXCANCEL, 0, 0);
        return 0;
    }
    if (hFocus == hGrid || ::IsChild(hGrid, hFocus) || hFocus == hPopup || ::IsChild(hPopup, hFocus))
        return 0;
    CGXFlagScope focusChange(m_pGrid->m_bFocusChanging, TRUE);
    ::SetFocus(hGrid);
    ::SendMessageA(m_hWnd, WM_GX_LBOXCANCEL, 0, 0);
    ::SetFocus(hFocus);
    return 0;
}

LRESULT CGXComboBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_GX_LBOXEND:
        return OnListBoxEnd();
    case WM_GX_LBOXCANCEL:
        return OnListBoxCancel(static_cast<BOOL>(lParam));
    case WM_GX_LBOXCHANGED:
        return OnListBoxChanged();
    case WM_GX_LBOXKILLFOCUS:
        return OnListBoxKillFocus();
    case WM_SYSKEYDOWN:
        if (wParam == VK_DOWN && DropDownFromKey())
            return 0;
        break;
    case WM_SETFOCUS:
        if (m_pDropDownWnd != nullptr)
            ::SendMessageA(m_hWnd, WM_GX_LBOXCANCEL, 0, TRUE);
        break;
    default:
        break;
    }
    return CGXEditControl::WindowProc(message, wParam, lParam);
}

// ---- CGXComboListBox ----

CGXComboListBox::CGXComboListBox(CWnd* pOwner) : m_pOwner(pOwner)
{
}

BOOL CGXComboListBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateEx(0, "COMBOLBOX", "", dwStyle | WS_CHILD | WS_VISIBLE | WS_BORDER, rect, pParentWnd, nID);
}

void CGXComboListBox::SendToOwner(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pOwner != nullptr && m_pOwner->GetSafeHwnd() != nullptr)
        ::SendMessageA(m_pOwner->GetSafeHwnd(), message, wParam, lParam);
}

BOOL CGXComboListBox::EraseBackground(HDC hDC)
{
    const HWND hParent = ::GetParent(m_hWnd);
    const HBRUSH hBrush = reinterpret_cast<HBRUSH>(
        ::SendMessageA(hParent, WM_CTLCOLORLISTBOX, reinterpret_cast<WPARAM>(hDC), reinterpret_cast<LPARAM>(m_hWnd)));
    if (hBrush == nullptr)
        return FALSE;
    RECT rect;
    ::GetClientRect(m_hWnd, &rect);
    ::FillRect(hDC, &rect, hBrush);
    return TRUE;
}

LRESULT CGXComboListBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // A message that takes the choice or closes destroys this window (and object): nothing of it is
    // touched after one is sent.
    switch (message)
    {
    case WM_KEYDOWN:
        m_bKeyDown = TRUE;
        if (m_nKeyRepeat == 0)
            m_nSelAtKeyDown = GetCurSel();
        ++m_nKeyRepeat;
        break;
    case WM_KEYUP:
    {
        const LRESULT lResult = CListBox::WindowProc(message, wParam, lParam);
        if (!m_bKeyDown)
            return lResult;
        switch (wParam)
        {
        case VK_TAB:
            if (m_pOwner != nullptr && m_pOwner->GetSafeHwnd() != nullptr)
            {
                ::PostMessageA(m_pOwner->GetSafeHwnd(), WM_KEYDOWN, VK_TAB, 1);
                ::PostMessageA(m_pOwner->GetSafeHwnd(), WM_KEYUP, VK_TAB, 0xC0000001);
            }
            SendToOwner(WM_GX_LBOXEND);
            return lResult;
        case VK_RETURN:
            SendToOwner(WM_GX_LBOXEND);
            return lResult;
        case VK_ESCAPE:
            SendToOwner(WM_GX_LBOXCANCEL, 0, 0);
            return lResult;
        default:
            m_nKeyRepeat = 0;
            if (GetCurSel() != m_nSelAtKeyDown)
            {
                m_nSelAtKeyDown = GetCurSel();
                SendToOwner(WM_GX_LBOXCHANGED);
            }
            return lResult;
        }
    }
    case WM_LBUTTONDOWN:
        m_bMouseDown = TRUE;
        m_nSelAtKeyDown = GetCurSel();
        break;
    case WM_LBUTTONUP:
    {
        const LRESULT lResult = CListBox::WindowProc(message, wParam, lParam);
        if (m_bMouseDown && GetCurSel() != LB_ERR)
            SendToOwner(WM_GX_LBOXEND);
        return lResult;
    }
    case WM_SYSKEYDOWN:
        m_bKeyDown = TRUE;
        break;
    case WM_SYSKEYUP:
        if (wParam == VK_DOWN && m_bKeyDown)
        {
            SendToOwner(WM_GX_LBOXCANCEL, 0, 0);
            return 0;
        }
        break;
    case WM_KILLFOCUS:
    {
        const LRESULT lResult = CListBox::WindowProc(message, wParam, lParam);
        if (m_pOwner != nullptr && m_pOwner->GetSafeHwnd() != nullptr)
            ::PostMessageA(m_pOwner->GetSafeHwnd(), WM_GX_LBOXKILLFOCUS, 0, 0);
        return lResult;
    }
    case WM_ERASEBKGND:
        if (EraseBackground(reinterpret_cast<HDC>(wParam)))
            return TRUE;
        break;
    default:
        break;
    }
    return CListBox::WindowProc(message, wParam, lParam);
}
