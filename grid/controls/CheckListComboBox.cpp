#include "grid/controls/CheckListComboBox.h"

#include "grid/controls/GridCombo.h"
#include "grid/core/DrawingAndFormatting.h"
#include "grid/core/GridCore.h"
#include "grid/core/Range.h"
#include "grid/core/Style.h"

#include <cstdlib>
#include <mbstring.h>

IMPLEMENT_DYNAMIC(CGXCheckListComboBox, CGXComboBox)
GRID_IMPLEMENT_CONTROL(CGXCheckListComboBox, CGXComboBox)
IMPLEMENT_DYNAMIC(CGXCheckListComboLBox, CCheckListBox)

CGXCheckListComboBox::CGXCheckListComboBox(CGXGridCore* pGrid, UINT nEditID, UINT nListBoxID)
    : CGXComboBox(pGrid, nEditID, nListBoxID, GXCOMBO_NOTEXTFIT)
{
}

CRuntimeClass* CGXCheckListComboBox::GetWndRuntimeClass()
{
    return RUNTIME_CLASS(CGXCheckListComboBox);
}

DWORD CGXCheckListComboBox::ReadMask(const CString& value)
{
    return static_cast<DWORD>(std::strtoul(value, nullptr, 10));
}

void CGXCheckListComboBox::Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
                                const CGXStyle* pStandardStyle)
{
    const BOOL bOwnActiveCell = IsInitAt(nRow, nCol) && m_bActive && !m_pGrid->IsPrinting();
    if (bOwnActiveCell)
        Hide();
    CGXStatic::Draw(pDC, rect, nRow, nCol, style, pStandardStyle);
    if (bOwnActiveCell)
        DrawFrame(pDC, rect, nRow, nCol, style);
}

BOOL CGXCheckListComboBox::GetControlText(CString& text, ROWCOL, ROWCOL, LPCTSTR, const CGXStyle& style)
{
    text.Empty();
    if (style.GetIncludeChoiceList())
    {
        CString list = style.GetChoiceList();
        CGXDrawingAndFormatting::CutFirstLine(list, text);
    }
    return TRUE;
}

BOOL CGXCheckListComboBox::LButtonUp(UINT nFlags, CPoint point, UINT nHitState)
{
    return CGXControl::LButtonUp(nFlags, point, nHitState);
}

BOOL CGXCheckListComboBox::DispatchKeyMessage(UINT nMessage, UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nMessage != WM_SYSKEYDOWN)
        return FALSE;
    return CGXControl::DispatchKeyMessage(nMessage, nChar, nRepCnt, nFlags);
}

DWORD CGXCheckListComboBox::ComputeEditStyle(RECT* pRect, int* pLineHeight)
{
    return CGXComboBox::ComputeEditStyle(pRect, pLineHeight) | ES_READONLY;
}

BOOL CGXCheckListComboBox::PreprocessChar(UINT, UINT, UINT)
{
    m_strPending.Empty();
    return FALSE;
}

CListBox* CGXCheckListComboBox::CreateListBox(CWnd* pPopupWnd, UINT nID)
{
    CGXCheckListComboLBox* pListBox = new CGXCheckListComboLBox(this);
    if (m_dwListBoxStyle == 0)
        m_dwListBoxStyle = WS_VSCROLL | LBS_NOTIFY;
    CRect rect;
    pPopupWnd->GetClientRect(&rect);
    rect.DeflateRect(1, 0);
    pListBox->Create(m_dwListBoxStyle, rect, pPopupWnd, nID);
    return pListBox;
}

void CGXCheckListComboBox::FillListBox(CListBox* pListBox)
{
    CCheckListBox* pChecks = dynamic_cast<CCheckListBox*>(pListBox);
    if (pChecks == nullptr || !m_bInit)
        return;
    const CGXStyle& style = m_pGrid->LookupStyleRowCol(m_nRow, m_nCol);
    m_nCount = 0;
    CString list = style.GetIncludeChoiceList() ? style.GetChoiceList() : CString();
    CString line;
    if (CGXDrawingAndFormatting::CutFirstLine(list, line) < 0)
        list.Empty();
    while (!list.IsEmpty())
    {
        if (CGXDrawingAndFormatting::CutFirstLine(list, line) < 0)
            list.Empty();
        pChecks->AddString(line);
        ++m_nCount;
    }
    if (!style.GetIncludeValue() || style.GetValue().IsEmpty())
        return;
    // Only the first 32 items have a bit; the others open unchecked.
    const DWORD dwMask = ReadMask(style.GetValue());
    for (int i = 0; i < m_nCount && i < kMaskBits; ++i)
        pChecks->SetCheck(i, (dwMask & (DWORD{1} << i)) != 0 ? 1 : 0);
}

void CGXCheckListComboBox::GetListBoxValue(CListBox* pListBox)
{
    CCheckListBox* pChecks = dynamic_cast<CCheckListBox*>(pListBox);
    if (pChecks == nullptr || !m_bInit)
        return;
    CGXStyle* pStyle = m_pGrid->NewStyle();
    m_pGrid->BuildEffectiveStyle(m_nRow, m_nCol, *pStyle, TRUE);
    const DWORD dwOld = ReadMask(pStyle->GetValue());
    DWORD dwNew = 0;
    for (int i = 0; i < pChecks->GetCount() && i < kMaskBits; ++i)
        if (pChecks->GetCheck(i) == 1)
            dwNew |= DWORD{1} << i;
    m_pGrid->RecycleStyle(pStyle);
    if (dwNew == dwOld)
        return;
    SetModify(TRUE);
    if (dwNew == 0)
    {
        m_pGrid->SetValueRange(CGXRange(m_nRow, m_nCol), "");
        return;
    }
    CGXStyle* pValue = m_pGrid->NewStyle();
    pValue->SetValue(static_cast<unsigned long>(dwNew));
    m_pGrid->SetStyleRange(CGXRange(m_nRow, m_nCol), pValue, gxOverride);
    m_pGrid->RecycleStyle(pValue);
}

LRESULT CGXCheckListComboBox::CloseList()
{
    if (m_pDropDownWnd == nullptr)
        return 0;
    CGXFlagScope focusChange(m_pGrid->m_bFocusChanging, TRUE);
    m_pGrid->m_bDropDownCell = FALSE;
    CGXGridCombo::SetDropDownFlag(TRUE);
    GetCachedStyle();
    if (!IsReadOnly())
        GetListBoxValue(m_pDropDownWnd->GetListBox());
    const HWND hFocus = ::GetFocus();
    const HWND hPopup = m_pDropDownWnd->GetSafeHwnd();
    const BOOL bFocusInList = hFocus != nullptr && (hFocus == hPopup || ::IsChild(hPopup, hFocus));
    CGXGridCombo* pPopup = m_pDropDownWnd;
    m_pDropDownWnd = nullptr;
    DestroyDropDownWnd(pPopup);
    CGXGridCombo::SetDropDownFlag(FALSE);
    OnModifyCell();
    // The read-only edit window never keeps the focus: it goes to the grid.
    if (bFocusInList || hFocus == GridHwnd() || ::GetFocus() == nullptr)
        ::SetFocus(GridHwnd());
    SetModify(FALSE);
    SetActive(FALSE);
    Refresh();
    return 0;
}

LRESULT CGXCheckListComboBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_GX_LBOXEND:
    case WM_GX_LBOXCANCEL:
        return CloseList();
    case WM_GX_LBOXKILLFOCUS:
    {
        const HWND hFocus = ::GetFocus();
        const HWND hGrid = GridHwnd();
        if (hFocus != hGrid && (hFocus == nullptr || !::IsChild(hGrid, hFocus)))
            ::SendMessageA(m_hWnd, WM_GX_LBOXCANCEL, 0, 0);
        return 0;
    }
    case WM_SETFOCUS:
        if (m_pDropDownWnd != nullptr)
            ::SendMessageA(m_hWnd, WM_GX_LBOXCANCEL, 0, TRUE);
        if (HWND hGrid = GridHwnd())
        {
            CGXFlagScope focusChange(m_pGrid->m_bFocusChanging, TRUE);
            ::SetFocus(hGrid);
        }
        return 0;
    default:
        return CGXComboBox::WindowProc(message, wParam, lParam);
    }
}

// ---- CGXCheckListComboLBox ----

CGXCheckListComboLBox::CGXCheckListComboLBox(CWnd* pOwner) : m_pOwner(pOwner)
{
}

BOOL CGXCheckListComboLBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CCheckListBox::Create(dwStyle | WS_CHILD | WS_VISIBLE | WS_BORDER | LBS_HASSTRINGS, rect, pParentWnd, nID);
}

void CGXCheckListComboLBox::SendToOwner(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pOwner != nullptr && m_pOwner->GetSafeHwnd() != nullptr)
        ::SendMessageA(m_pOwner->GetSafeHwnd(), message, wParam, lParam);
}

LRESULT CGXCheckListComboLBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // A message that closes the list destroys this window (and object): nothing of it is touched
    // after one is sent.
    switch (message)
    {
    case WM_KEYDOWN:
        m_bKeyDown = TRUE;
        m_nSel = GetCurSel();
        m_bAlnum = _ismbcalnum(static_cast<unsigned int>(wParam)) != 0;
        break;
    case WM_LBUTTONDOWN:
        m_bMouseDown = TRUE;
        m_nSel = GetCurSel();
        break;
    case WM_LBUTTONUP:
    {
        // A click toggles a box; it never closes the list.
        const LRESULT lResult = CCheckListBox::WindowProc(message, wParam, lParam);
        m_bMouseDown = FALSE;
        return lResult;
    }
    case WM_KEYUP:
    {
        const LRESULT lResult = CCheckListBox::WindowProc(message, wParam, lParam);
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
        case VK_ESCAPE:
            SendToOwner(WM_GX_LBOXEND);
            return lResult;
        default:
            m_bKeyDown = FALSE;
            return lResult;
        }
    }
    case WM_SYSKEYDOWN:
        m_bKeyDown = TRUE;
        break;
    case WM_SYSKEYUP:
        if (wParam == VK_DOWN && m_bKeyDown)
        {
            SendToOwner(WM_GX_LBOXEND);
            return 0;
        }
        break;
    case WM_KILLFOCUS:
    {
        // Losing the focus takes the checks, as Enter does.
        const LRESULT lResult = CCheckListBox::WindowProc(message, wParam, lParam);
        if (m_pOwner != nullptr && m_pOwner->GetSafeHwnd() != nullptr)
            ::PostMessageA(m_pOwner->GetSafeHwnd(), WM_GX_LBOXEND, 0, 0);
        return lResult;
    }
    case WM_ERASEBKGND:
    {
        const HBRUSH hBrush = reinterpret_cast<HBRUSH>(::SendMessageA(
            ::GetParent(m_hWnd), WM_CTLCOLORLISTBOX, wParam, reinterpret_cast<LPARAM>(m_hWnd)));
        if (hBrush != nullptr)
        {
            RECT rect;
            ::GetClientRect(m_hWnd, &rect);
            ::FillRect(reinterpret_cast<HDC>(wParam), &rect, hBrush);
            return TRUE;
        }
        break;
    }
    default:
        break;
    }
    return CCheckListBox::WindowProc(message, wParam, lParam);
}
