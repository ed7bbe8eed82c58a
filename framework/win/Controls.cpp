#include "framework/win/Controls.h"

IMPLEMENT_DYNAMIC(CStatic, CWnd)
IMPLEMENT_DYNAMIC(CButton, CWnd)
IMPLEMENT_DYNAMIC(CEdit, CWnd)
IMPLEMENT_DYNAMIC(CListBox, CWnd)
IMPLEMENT_DYNAMIC(CComboBox, CWnd)
IMPLEMENT_DYNAMIC(CScrollBar, CWnd)

namespace {

// Answers the owner-draw messages of a list or combo box through the control's own operations.
template <class Control>
BOOL NotifyOwnerDrawItem(Control& control, UINT message, LPARAM lParam, LRESULT* pResult)
{
    LRESULT result = TRUE;
    switch (message)
    {
    case WM_DRAWITEM: control.DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam)); break;
    case WM_MEASUREITEM: control.MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam)); break;
    case WM_COMPAREITEM: result = control.CompareItem(reinterpret_cast<LPCOMPAREITEMSTRUCT>(lParam)); break;
    case WM_DELETEITEM: control.DeleteItem(reinterpret_cast<LPDELETEITEMSTRUCT>(lParam)); break;
    default: return FALSE;
    }
    if (pResult != nullptr)
        *pResult = result;
    return TRUE;
}

}  // namespace

// ---------------------------------------------------------------- CStatic

BOOL CStatic::Create(LPCTSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create("STATIC", lpszText, dwStyle, rect, pParentWnd, nID);
}

// ---------------------------------------------------------------- CButton

BOOL CButton::Create(LPCTSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create("BUTTON", lpszCaption, dwStyle, rect, pParentWnd, nID);
}

void CButton::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message != WM_DRAWITEM)
        return CWnd::OnChildNotify(message, wParam, lParam, pResult);
    DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    if (pResult != nullptr)
        *pResult = TRUE;
    return TRUE;
}

// ---------------------------------------------------------------- CEdit

BOOL CEdit::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create("EDIT", nullptr, dwStyle, rect, pParentWnd, nID);
}

void CEdit::GetSel(int& nStartChar, int& nEndChar) const
{
    DWORD start = 0;
    DWORD end = 0;
    ::SendMessageA(m_hWnd, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    nStartChar = static_cast<int>(start);
    nEndChar = static_cast<int>(end);
}

int CEdit::GetLine(int nIndex, LPTSTR lpszBuffer, int nMaxLength) const
{
    if (lpszBuffer == nullptr || nMaxLength <= 0)
        return 0;
    // EM_GETLINE reads the buffer's size from its first word, so a buffer of one byte cannot carry it.
    char small[sizeof(WORD)] = {};
    LPTSTR target = nMaxLength >= static_cast<int>(sizeof(WORD)) ? lpszBuffer : small;
    int room = nMaxLength >= static_cast<int>(sizeof(WORD)) ? nMaxLength : static_cast<int>(sizeof small);
    *reinterpret_cast<WORD*>(target) = static_cast<WORD>(room > 0xFFFF ? 0xFFFF : room);
    int copied = static_cast<int>(::SendMessageA(m_hWnd, EM_GETLINE, nIndex, reinterpret_cast<LPARAM>(target)));
    if (copied > nMaxLength)
        copied = nMaxLength;
    if (target == small && copied > 0)
        lpszBuffer[0] = small[0];
    if (copied < nMaxLength)
        lpszBuffer[copied] = '\0';
    return copied;
}

int CEdit::GetLine(int nIndex, CString& rString) const
{
    int lineStart = LineIndex(nIndex);
    if (lineStart < 0)
    {
        rString.Empty();
        return 0;
    }
    int length = LineLength(lineStart);
    LPTSTR buffer = rString.GetBuffer(length + 1);
    int copied = GetLine(nIndex, buffer, length + 1);
    rString.ReleaseBuffer(copied);
    return copied;
}

void CEdit::SetSel(DWORD dwSelection, BOOL bNoScroll)
{
    SetSel(static_cast<int>(static_cast<short>(LOWORD(dwSelection))),
           static_cast<int>(static_cast<short>(HIWORD(dwSelection))), bNoScroll);
}

void CEdit::SetSel(int nStartChar, int nEndChar, BOOL bNoScroll)
{
    ::SendMessageA(m_hWnd, EM_SETSEL, nStartChar, nEndChar);
    if (!bNoScroll)
        ::SendMessageA(m_hWnd, EM_SCROLLCARET, 0, 0);
}

CPoint CEdit::PosFromChar(UINT nChar) const
{
    LRESULT position = ::SendMessageA(m_hWnd, EM_POSFROMCHAR, nChar, 0);
    return CPoint(static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position)));
}

// ---------------------------------------------------------------- CListBox

BOOL CListBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create("LISTBOX", nullptr, dwStyle, rect, pParentWnd, nID);
}

UINT CListBox::ItemFromPoint(CPoint pt, BOOL& bOutside) const
{
    LRESULT found = ::SendMessageA(m_hWnd, LB_ITEMFROMPOINT, 0, MAKELPARAM(pt.x, pt.y));
    bOutside = HIWORD(found) != 0;
    return LOWORD(found);
}

void CListBox::GetText(int nIndex, CString& rString) const
{
    int length = GetTextLen(nIndex);
    if (length == LB_ERR)
    {
        rString.Empty();
        return;
    }
    LPTSTR buffer = rString.GetBuffer(length + 1);
    int copied = GetText(nIndex, buffer);
    rString.ReleaseBuffer(copied == LB_ERR ? 0 : copied);
}

int CListBox::SelItemRange(BOOL bSelect, int nFirstItem, int nLastItem)
{
    return static_cast<int>(::SendMessageA(m_hWnd, LB_SELITEMRANGE, bSelect, MAKELPARAM(nFirstItem, nLastItem)));
}

void CListBox::DrawItem(LPDRAWITEMSTRUCT) {}

void CListBox::MeasureItem(LPMEASUREITEMSTRUCT) {}

int CListBox::CompareItem(LPCOMPAREITEMSTRUCT)
{
    return 0;
}

void CListBox::DeleteItem(LPDELETEITEMSTRUCT) {}

BOOL CListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (NotifyOwnerDrawItem(*this, message, lParam, pResult))
        return TRUE;
    return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

// ---------------------------------------------------------------- CComboBox

BOOL CComboBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create("COMBOBOX", nullptr, dwStyle, rect, pParentWnd, nID);
}

void CComboBox::GetLBText(int nIndex, CString& rString) const
{
    int length = GetLBTextLen(nIndex);
    if (length == CB_ERR)
    {
        rString.Empty();
        return;
    }
    LPTSTR buffer = rString.GetBuffer(length + 1);
    int copied = GetLBText(nIndex, buffer);
    rString.ReleaseBuffer(copied == CB_ERR ? 0 : copied);
}

void CComboBox::DrawItem(LPDRAWITEMSTRUCT) {}

void CComboBox::MeasureItem(LPMEASUREITEMSTRUCT) {}

int CComboBox::CompareItem(LPCOMPAREITEMSTRUCT)
{
    return 0;
}

void CComboBox::DeleteItem(LPDELETEITEMSTRUCT) {}

BOOL CComboBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (NotifyOwnerDrawItem(*this, message, lParam, pResult))
        return TRUE;
    return CWnd::OnChildNotify(message, wParam, lParam, pResult);
}

// ---------------------------------------------------------------- CScrollBar

BOOL CScrollBar::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create("SCROLLBAR", nullptr, dwStyle, rect, pParentWnd, nID);
}

BOOL CScrollBar::SetScrollInfo(LPSCROLLINFO lpScrollInfo, BOOL bRedraw)
{
    return CWnd::SetScrollInfo(SB_CTL, lpScrollInfo, bRedraw);
}

BOOL CScrollBar::GetScrollInfo(LPSCROLLINFO lpScrollInfo, UINT nMask) const
{
    return CWnd::GetScrollInfo(SB_CTL, lpScrollInfo, nMask);
}

int CScrollBar::GetScrollLimit() const
{
    return CWnd::GetScrollLimit(SB_CTL);
}
