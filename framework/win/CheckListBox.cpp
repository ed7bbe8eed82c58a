#include "framework/win/CheckListBox.h"

#include "framework/win/Dc.h"

IMPLEMENT_DYNAMIC(CCheckListBox, CListBox)

BEGIN_MESSAGE_MAP(CCheckListBox, CListBox)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_KEYDOWN()
    ON_WM_CHAR()
END_MESSAGE_MAP()

namespace {

// The classic check box and the room around it.
const int kCheckBoxSize = 13;
const int kCheckBoxMargin = 1;
const int kTextGap = 3;

} // namespace

CCheckListBox::~CCheckListBox()
{
    if (m_hWnd != nullptr)
        FreeAllStates();
}

BOOL CCheckListBox::PreCreateWindow(CREATESTRUCT& cs)
{
    if ((cs.style & LBS_OWNERDRAWVARIABLE) == 0)
        cs.style |= LBS_OWNERDRAWFIXED;
    cs.style |= LBS_HASSTRINGS;
    return CListBox::PreCreateWindow(cs);
}

BOOL CCheckListBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    if (!CListBox::Create(dwStyle, rect, pParentWnd, nID))
        return FALSE;
    // The parent may not pass WM_MEASUREITEM on to this object: set the height here as well.
    if ((GetStyle() & LBS_OWNERDRAWFIXED) != 0)
        SetItemHeight(0, static_cast<UINT>(CalcMinimumItemHeight()));
    return TRUE;
}

// ---- Item state ----

CCheckListBox::CItemState* CCheckListBox::FindState(int nIndex) const
{
    // The raw item data, past this class's own translation of LB_GETITEMDATA.
    const LRESULT raw = const_cast<CCheckListBox*>(this)->DefWindowProc(LB_GETITEMDATA, static_cast<WPARAM>(nIndex), 0);
    if (raw == LB_ERR)
        return nullptr;
    return reinterpret_cast<CItemState*>(raw);
}

CCheckListBox::CItemState* CCheckListBox::StateOf(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return nullptr;
    if (CItemState* pState = FindState(nIndex))
        return pState;
    auto* pState = new CItemState;
    DefWindowProc(LB_SETITEMDATA, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(pState));
    return pState;
}

void CCheckListBox::FreeState(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return;
    delete FindState(nIndex);
    DefWindowProc(LB_SETITEMDATA, static_cast<WPARAM>(nIndex), 0);
}

void CCheckListBox::FreeAllStates()
{
    for (int nIndex = GetCount() - 1; nIndex >= 0; --nIndex)
        FreeState(nIndex);
}

LRESULT CCheckListBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const int nIndex = static_cast<int>(wParam);
    switch (message)
    {
    case LB_GETITEMDATA:
    {
        if (nIndex < 0 || nIndex >= GetCount())
            return LB_ERR;
        const CItemState* pState = FindState(nIndex);
        return pState != nullptr ? static_cast<LRESULT>(pState->dwUserData) : 0;
    }
    case LB_SETITEMDATA:
    {
        // -1 stands for every item.
        const int nFirst = nIndex == -1 ? 0 : nIndex;
        const int nLast = nIndex == -1 ? GetCount() - 1 : nIndex;
        if (nFirst < 0 || nLast >= GetCount())
            return LB_ERR;
        for (int i = nFirst; i <= nLast; ++i)
            StateOf(i)->dwUserData = static_cast<DWORD_PTR>(lParam);
        return 0;
    }
    // The states go before the items do, so that no WM_DELETEITEM ever carries one.
    case LB_DELETESTRING:
        FreeState(nIndex);
        break;
    case LB_RESETCONTENT:
    case WM_DESTROY:
        FreeAllStates();
        break;
    default:
        break;
    }
    return CListBox::WindowProc(message, wParam, lParam);
}

void CCheckListBox::SetCheckStyle(UINT nStyle)
{
    if (nStyle == BS_CHECKBOX || nStyle == BS_AUTOCHECKBOX || nStyle == BS_3STATE || nStyle == BS_AUTO3STATE)
        m_nCheckStyle = nStyle;
}

void CCheckListBox::SetCheck(int nIndex, int nCheck)
{
    if (CItemState* pState = StateOf(nIndex))
    {
        pState->nCheck = nCheck;
        InvalidateItem(nIndex);
    }
}

int CCheckListBox::GetCheck(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetCount())
        return 0;
    const CItemState* pState = FindState(nIndex);
    return pState != nullptr ? pState->nCheck : 0;
}

void CCheckListBox::Enable(int nIndex, BOOL bEnabled)
{
    if (CItemState* pState = StateOf(nIndex))
    {
        pState->bEnabled = bEnabled;
        InvalidateItem(nIndex);
    }
}

BOOL CCheckListBox::IsEnabled(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetCount())
        return FALSE;
    const CItemState* pState = FindState(nIndex);
    return pState == nullptr || pState->bEnabled;
}

void CCheckListBox::InvalidateItem(int nIndex)
{
    CRect rectItem;
    if (GetItemRect(nIndex, &rectItem) != LB_ERR)
        InvalidateRect(&rectItem, FALSE);
}

// ---- Drawing ----

CRect CCheckListBox::CheckBoxRect(const CRect& rectItem)
{
    const int top = rectItem.top + (rectItem.Height() - kCheckBoxSize) / 2;
    const int left = rectItem.left + kCheckBoxMargin;
    return CRect(left, top, left + kCheckBoxSize, top + kCheckBoxSize);
}

int CCheckListBox::CalcMinimumItemHeight()
{
    int nTextHeight = 0;
    HDC hDC = ::GetDC(m_hWnd);
    if (hDC != nullptr)
    {
        auto hFont = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
        HGDIOBJ hOldFont = hFont != nullptr ? ::SelectObject(hDC, hFont) : nullptr;
        TEXTMETRICA metrics = {};
        ::GetTextMetricsA(hDC, &metrics);
        nTextHeight = metrics.tmHeight;
        if (hOldFont != nullptr)
            ::SelectObject(hDC, hOldFont);
        ::ReleaseDC(m_hWnd, hDC);
    }
    const int nBoxHeight = kCheckBoxSize + 2 * kCheckBoxMargin;
    return nTextHeight > nBoxHeight ? nTextHeight : nBoxHeight;
}

void CCheckListBox::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    lpMeasureItemStruct->itemHeight = static_cast<UINT>(CalcMinimumItemHeight());
}

void CCheckListBox::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    HDC hDC = lpDrawItemStruct->hDC;
    const CRect rectItem = lpDrawItemStruct->rcItem;
    const int nIndex = static_cast<int>(lpDrawItemStruct->itemID);
    const CRect rectCheck = CheckBoxRect(rectItem);
    CRect rectText = rectItem;
    rectText.left = rectCheck.right + kTextGap;
    const bool bFocus = (lpDrawItemStruct->itemState & ODS_FOCUS) != 0;
    if (nIndex < 0)
    {
        // An empty list with the focus shows only the focus rectangle.
        if (bFocus)
            ::DrawFocusRect(hDC, &rectText);
        return;
    }

    const bool bSelected = (lpDrawItemStruct->itemState & ODS_SELECTED) != 0;
    const BOOL bEnabled = IsEnabled(nIndex) && IsWindowEnabled();
    ::FillRect(hDC, &rectItem, ::GetSysColorBrush(COLOR_WINDOW));
    ::FillRect(hDC, &rectText, ::GetSysColorBrush(bSelected ? COLOR_HIGHLIGHT : COLOR_WINDOW));

    const int nCheck = GetCheck(nIndex);
    UINT nFrame = DFCS_BUTTONCHECK;
    if (nCheck == 1)
        nFrame |= DFCS_CHECKED;
    else if (nCheck == 2)
        nFrame = DFCS_BUTTON3STATE | DFCS_CHECKED;
    if (!bEnabled)
        nFrame |= DFCS_INACTIVE;
    CRect rectBox = rectCheck;
    ::DrawFrameControl(hDC, &rectBox, DFC_BUTTON, nFrame);

    CString text;
    GetText(nIndex, text);
    const COLORREF crText = !bEnabled ? ::GetSysColor(COLOR_GRAYTEXT)
                            : bSelected ? ::GetSysColor(COLOR_HIGHLIGHTTEXT)
                                        : ::GetSysColor(COLOR_WINDOWTEXT);
    const COLORREF crOldText = ::SetTextColor(hDC, crText);
    const int nOldMode = ::SetBkMode(hDC, TRANSPARENT);
    CRect rectLabel = rectText;
    rectLabel.left += 1;
    ::DrawTextA(hDC, text, text.GetLength(), &rectLabel, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    ::SetBkMode(hDC, nOldMode);
    ::SetTextColor(hDC, crOldText);
    if (bFocus)
        ::DrawFocusRect(hDC, &rectText);
}

// ---- Mouse and keys ----

int CCheckListBox::NextCheck(int nCheck) const
{
    switch (m_nCheckStyle)
    {
    case BS_AUTOCHECKBOX: return nCheck == 0 ? 1 : 0;
    case BS_AUTO3STATE: return (nCheck + 1) % 3;
    default: return nCheck;   // the parent decides on its notification
    }
}

void CCheckListBox::NotifyCheckChange()
{
    ::SendMessageA(::GetParent(m_hWnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), CLBN_CHKCHANGE),
                   reinterpret_cast<LPARAM>(m_hWnd));
}

void CCheckListBox::ClickCheckBox(CPoint point)
{
    BOOL bOutside = TRUE;
    const int nIndex = static_cast<int>(ItemFromPoint(point, bOutside));
    if (bOutside || nIndex >= GetCount() || !IsEnabled(nIndex))
        return;
    CRect rectItem;
    if (GetItemRect(nIndex, &rectItem) == LB_ERR)
        return;
    // The whole column of the box counts, not only its square.
    CRect rectColumn = rectItem;
    rectColumn.right = CheckBoxRect(rectItem).right + kCheckBoxMargin;
    if (!rectColumn.PtInRect(point))
        return;
    SetCheck(nIndex, NextCheck(GetCheck(nIndex)));
    NotifyCheckChange();
}

void CCheckListBox::OnLButtonDown(UINT, CPoint point)
{
    // The list box selects the item first, so the parent's handler sees the clicked item current.
    Default();
    ClickCheckBox(point);
}

void CCheckListBox::OnLButtonDblClk(UINT, CPoint point)
{
    // The second click of a double click changes the box once more, as two clicks would.
    Default();
    ClickCheckBox(point);
}

void CCheckListBox::OnKeyDown(UINT nChar, UINT, UINT)
{
    if (nChar != VK_SPACE)
    {
        Default();
        return;
    }
    const int nCaret = GetCaretIndex();
    if (nCaret < 0 || nCaret >= GetCount() || !IsEnabled(nCaret))
        return;
    const int nCheck = NextCheck(GetCheck(nCaret));
    if ((GetStyle() & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0 && GetSel(nCaret) > 0)
    {
        // Every selected item takes the caret item's new check.
        for (int nIndex = 0; nIndex < GetCount(); ++nIndex)
            if (GetSel(nIndex) > 0 && IsEnabled(nIndex))
                SetCheck(nIndex, nCheck);
    }
    else
    {
        SetCheck(nCaret, nCheck);
    }
    NotifyCheckChange();
}

void CCheckListBox::OnChar(UINT nChar, UINT, UINT)
{
    // The space bar has done its work in OnKeyDown; the list box would search for an item with it.
    if (nChar != ' ')
        Default();
}
