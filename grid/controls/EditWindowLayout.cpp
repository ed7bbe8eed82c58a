#include "grid/controls/EditWindowLayout.h"

#include "framework/win/Controls.h"
#include "framework/win/Dc.h"
#include "grid/controls/Static.h"
#include "grid/core/GridCore.h"
#include "grid/core/Properties.h"
#include "grid/core/Style.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

CGXEditWindowLayout::CGXEditWindowLayout(CEdit& wnd, CGXStatic& control, CreateWindowFn createWindow,
                                         ComputeStyleFn computeStyle)
    : m_wnd(wnd), m_control(control), m_createWindow(std::move(createWindow)), m_computeStyle(std::move(computeStyle))
{
}

CGXEditWindowLayout::~CGXEditWindowLayout()
{
    if (m_hFont != nullptr)
        ::DeleteObject(m_hFont);
}

HWND CGXEditWindowLayout::GetSafeHwnd() const
{
    return m_wnd.m_hWnd;
}

BOOL CGXEditWindowLayout::HasWindow() const
{
    return m_wnd.m_hWnd != nullptr && ::IsWindow(m_wnd.m_hWnd);
}

CString CGXEditWindowLayout::WindowText() const
{
    CString text;
    if (m_wnd.m_hWnd != nullptr)
    {
        const int nLength = ::GetWindowTextLengthA(m_wnd.m_hWnd);
        if (nLength > 0)
        {
            ::GetWindowTextA(m_wnd.m_hWnd, text.GetBuffer(nLength + 1), nLength + 1);
            text.ReleaseBuffer();
        }
    }
    return text;
}

void CGXEditWindowLayout::SetSelection(int nStart, int nEnd, BOOL bScroll)
{
    ::SendMessageA(m_wnd.m_hWnd, EM_SETSEL, static_cast<WPARAM>(nStart), static_cast<LPARAM>(nEnd));
    if (bScroll)
        ::SendMessageA(m_wnd.m_hWnd, EM_SCROLLCARET, 0, 0);
}

void CGXEditWindowLayout::GetSelection(int& nStart, int& nEnd) const
{
    DWORD dwStart = 0, dwEnd = 0;
    ::SendMessageA(m_wnd.m_hWnd, EM_GETSEL, reinterpret_cast<WPARAM>(&dwStart), reinterpret_cast<LPARAM>(&dwEnd));
    nStart = static_cast<int>(dwStart);
    nEnd = static_cast<int>(dwEnd);
}

BOOL CGXEditWindowLayout::IsRightToLeftWindow() const
{
    return m_wnd.m_hWnd != nullptr && (::GetWindowLongA(m_wnd.m_hWnd, GWL_EXSTYLE) & WS_EX_RTLREADING) != 0;
}

void CGXEditWindowLayout::SetModified(BOOL bModified)
{
    if (HasWindow())
        ::SendMessageA(m_wnd.m_hWnd, EM_SETMODIFY, bModified, 0);
}

BOOL CGXEditWindowLayout::IsModified() const
{
    return HasWindow() && ::SendMessageA(m_wnd.m_hWnd, EM_GETMODIFY, 0, 0) != 0;
}

void CGXEditWindowLayout::Hide()
{
    if (!HasWindow() || !::IsWindowVisible(m_wnd.m_hWnd))
        return;
    CGXFlagScope guard(m_control.Grid()->m_bFocusChanging, TRUE);
    ::HideCaret(m_wnd.m_hWnd);
    ::MoveWindow(m_wnd.m_hWnd, 0, 0, 0, 0, FALSE);
    ::ShowWindow(m_wnd.m_hWnd, SW_HIDE);
}

CRect CGXEditWindowLayout::PlaceOverCell(CDC* pDC, const CRect& rect, ROWCOL nRow, ROWCOL nCol,
                                         const CGXStyle& style, const CGXStyle* pStandardStyle)
{
    CGXGridCore* pGrid = m_control.Grid();
    if (m_hFont != nullptr)
        ::DeleteObject(m_hFont);
    m_hFont = m_control.CreateStyleFont(style, pStandardStyle);

    CGXProperties* pProperties = pGrid->GetProperties();
    const BOOL bBlackWhite = pProperties != nullptr && pProperties->GetBlackWhite();
    m_rgbBackground = bBlackWhite ? RGB(255, 255, 255) : style.GetInterior().GetColor();

    TEXTMETRICA tm = {};
    const HDC hDC = pDC->GetSafeHdc();
    const HGDIOBJ hOldFont = ::SelectObject(hDC, m_hFont);
    ::GetTextMetricsA(hDC, &tm);
    ::SelectObject(hDC, hOldFont);
    m_nLineHeight = tm.tmHeight + tm.tmExternalLeading;
    m_nMaxCharWidth = tm.tmMaxCharWidth;

    m_bWrapText = !m_bSingleLine && style.GetWrapText();
    m_bAllowEnter = !m_bSingleLine && style.GetAllowEnter();
    if (m_bSingleLine)
        m_bVertScrollBar = FALSE;
    else if (style.GetIncludeVerticalScrollbar())
        m_bVertScrollBar = style.GetVerticalScrollbar();
    CString rtl;
    style.GetUserAttributeText(GX_IDS_UA_RTLREADING, rtl);
    m_bRightToLeft = std::atoi(rtl) != 0;

    CRect rectText = m_control.GetCellRect(nRow, nCol, &rect);
    if (!m_bWrapText)
    {
        if (style.GetIncludeVerticalAlignment())
        {
            const UINT nVert = style.GetVerticalAlignment();
            // A cell lower than one line keeps its top.
            if (nVert == DT_VCENTER)
                rectText.top += std::max(0, (rectText.Height() - m_nLineHeight) / 2);
            else if (nVert == DT_BOTTOM && rectText.bottom - m_nLineHeight >= rectText.top)
                rectText.top = rectText.bottom - m_nLineHeight;
        }
        if (rectText.top + m_nLineHeight <= rectText.bottom)
            rectText.bottom = rectText.top + m_nLineHeight;
    }
    const UINT nHorz = style.GetIncludeHorizontalAlignment() ? style.GetHorizontalAlignment() : DT_LEFT;
    if (nHorz == DT_RIGHT)
        rectText.right += 1;
    m_dwAlignStyle = nHorz == DT_RIGHT ? ES_RIGHT : nHorz == DT_CENTER ? ES_CENTER : ES_LEFT;

    m_control.DrawBackground(pDC, rect, style, TRUE);
    ::SendMessageA(m_wnd.m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(m_hFont), TRUE);
    ::MoveWindow(m_wnd.m_hWnd, rectText.left, rectText.top, rectText.Width(), rectText.Height(), FALSE);
    return rectText;
}

void CGXEditWindowLayout::Show(CDC* pDC, const CRect& rect, ROWCOL nRow, ROWCOL nCol, BOOL bReadOnly)
{
    CGXGridCore* pGrid = m_control.Grid();
    CWnd* pGridWnd = m_control.GetGridWnd();
    const HWND hGrid = pGridWnd != nullptr ? pGridWnd->GetSafeHwnd() : nullptr;
    if (hGrid != nullptr && ::GetFocus() == hGrid)
    {
        CGXFlagScope guard(pGrid->m_bFocusChanging, TRUE);
        ::SetFocus(m_wnd.m_hWnd);
    }
    ::ShowWindow(m_wnd.m_hWnd, SW_SHOW);
    ::SendMessageA(m_wnd.m_hWnd, EM_SETREADONLY, bReadOnly, 0);

    // A cell scrolled away behind the frozen rows or columns shows only through the part of the
    // grid being painted: the window repaints that part alone.
    const BOOL bBehindRows = nRow > pGrid->GetFrozenRows() && nRow < pGrid->GetTopRow();
    const BOOL bBehindCols = nCol > pGrid->GetFrozenCols() && nCol < pGrid->GetLeftCol();
    RECT clip = {};
    if ((bBehindRows || bBehindCols) && hGrid != nullptr && pDC != nullptr &&
        ::GetClipBox(pDC->GetSafeHdc(), &clip) != NULLREGION && !::IsRectEmpty(&clip))
    {
        CRect visible;
        const CRect gridRect = pGrid->GetGridRect();
        visible.IntersectRect(&rect, &gridRect);
        ::MapWindowPoints(hGrid, m_wnd.m_hWnd, reinterpret_cast<POINT*>(&visible), 2);
        ::MapWindowPoints(hGrid, m_wnd.m_hWnd, reinterpret_cast<POINT*>(&clip), 2);
        ::ValidateRect(m_wnd.m_hWnd, &visible);
        ::InvalidateRect(m_wnd.m_hWnd, &clip, TRUE);
        ::HideCaret(m_wnd.m_hWnd);
    }
    ::UpdateWindow(m_wnd.m_hWnd);
}

DWORD CGXEditWindowLayout::ComputeStyle(RECT* pRect, int* pLineHeight)
{
    DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
    DWORD dwAlign = m_bForceLeft ? ES_LEFT : m_dwAlignStyle;

    CRect rectClient;
    ::GetClientRect(m_wnd.m_hWnd, &rectClient);
    const CString text = WindowText();
    const HDC hDC = ::GetDC(m_wnd.m_hWnd);
    const HGDIOBJ hOldFont = m_hFont != nullptr ? ::SelectObject(hDC, m_hFont) : nullptr;
    SIZE extent = {};
    ::GetTextExtentPoint32A(hDC, text, text.GetLength(), &extent);
    TEXTMETRICA tm = {};
    ::GetTextMetricsA(hDC, &tm);
    if (hOldFont != nullptr)
        ::SelectObject(hDC, hOldFont);
    ::ReleaseDC(m_wnd.m_hWnd, hDC);
    m_nLineHeight = tm.tmHeight + tm.tmExternalLeading;
    m_nMaxCharWidth = tm.tmMaxCharWidth;
    if (pLineHeight != nullptr)
        *pLineHeight = m_nLineHeight;

    DWORD dwEs = ES_MULTILINE | ES_AUTOVSCROLL | ES_NOHIDESEL;
    if (m_bAllowEnter)
        dwEs |= ES_WANTRETURN;
    if (!m_bWrapText || (!m_bVertScrollBar && rectClient.Height() - m_nLineHeight / 3 <= m_nLineHeight))
    {
        dwEs |= ES_AUTOHSCROLL;
        // A text wider than the cell is edited left-aligned.
        if (extent.cx > rectClient.Width() - m_nMaxCharWidth)
            dwAlign = ES_LEFT;
    }
    else if (m_bVertScrollBar)
        dwStyle = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP;

    if (pRect != nullptr)
    {
        *pRect = rectClient;
        if (pRect->bottom < m_nLineHeight + 1)
            pRect->bottom = m_nLineHeight + 1;
    }
    return dwStyle | dwEs | dwAlign;
}

BOOL CGXEditWindowLayout::Update()
{
    if (!HasWindow() || m_bRecreating)
        return FALSE;
    const HWND hOld = m_wnd.m_hWnd;
    RECT rectFormat = {};
    int nLineHeight = 0;
    const DWORD dwStyle = m_computeStyle(&rectFormat, &nLineHeight);
    const BOOL bChanged = dwStyle != m_dwCurrentStyle || IsRightToLeftWindow() != m_bRightToLeft;
    int nStart = 0, nEnd = 0;
    GetSelection(nStart, nEnd);
    int nCaretLine = 0;
    if (!bChanged)
    {
        nCaretLine = static_cast<int>(::SendMessageA(hOld, EM_LINEFROMCHAR, static_cast<WPARAM>(-1), 0));
        ::SendMessageA(hOld, EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&rectFormat));
    }
    else
    {
        m_bRecreating = TRUE;
        const BOOL bModified = ::SendMessageA(hOld, EM_GETMODIFY, 0, 0) != 0;
        const BOOL bReadOnly = (::GetWindowLongA(hOld, GWL_STYLE) & ES_READONLY) != 0;
        CRect rectWindow;
        ::GetWindowRect(hOld, &rectWindow);
        ::MapWindowPoints(nullptr, ::GetParent(hOld), reinterpret_cast<POINT*>(&rectWindow), 2);
        const CString text = WindowText();
        const BOOL bHadFocus = ::GetFocus() == hOld;
        ::HideCaret(hOld);
        ::MoveWindow(hOld, 0, 0, 0, 0, FALSE);
        CGXFlagScope guard(m_control.Grid()->m_bFocusChanging, TRUE);
        m_wnd.DestroyWindow();
        m_dwCurrentStyle = dwStyle;
        m_createWindow(dwStyle, &rectWindow);
        const HWND hNew = m_wnd.m_hWnd;
        ::SendMessageA(hNew, EM_SETRECT, 0, reinterpret_cast<LPARAM>(&rectFormat));
        ::SendMessageA(hNew, WM_SETFONT, reinterpret_cast<WPARAM>(m_hFont), TRUE);
        ::SetWindowTextA(hNew, text);
        SetSelection(nStart, nEnd);
        ::SendMessageA(hNew, EM_SETMODIFY, bModified, 0);
        ::SendMessageA(hNew, EM_SETREADONLY, bReadOnly, 0);
        ::SendMessageA(hNew, EM_LIMITTEXT, static_cast<WPARAM>(m_nMaxLength), 0);
        m_bRecreating = FALSE;
        nCaretLine = static_cast<int>(::SendMessageA(hNew, EM_LINEFROMCHAR, static_cast<WPARAM>(nEnd), 0));
        ::UpdateWindow(hNew);
        ::SendMessageA(hNew, EM_SCROLLCARET, 0, 0);
        if (bHadFocus)
            ::SetFocus(hNew);
    }

    const HWND hWnd = m_wnd.m_hWnd;
    CRect rectClient;
    ::GetClientRect(hWnd, &rectClient);
    const int nFirst = static_cast<int>(::SendMessageA(hWnd, EM_GETFIRSTVISIBLELINE, 0, 0));
    int nLast = nFirst + (m_nLineHeight > 0 ? rectClient.Height() / m_nLineHeight : 0);
    if (nLast < nFirst)
        nLast = nFirst;
    if (nCaretLine > nLast)
        ::SendMessageA(hWnd, EM_LINESCROLL, 0, nCaretLine - nLast);
    else if (nCaretLine < nFirst)
        ::SendMessageA(hWnd, EM_LINESCROLL, 0, nCaretLine - nFirst);
    ::SendMessageA(hWnd, EM_SCROLLCARET, 0, 0);
    return bChanged;
}

void CGXEditWindowLayout::EraseBackground(HDC hDC, const CGXStyle* pStyle)
{
    RECT rect;
    ::GetClientRect(m_wnd.m_hWnd, &rect);
    ::FillRect(hDC, &rect, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    if (pStyle != nullptr && pStyle->GetInterior().GetStyle() == BS_SOLID)
    {
        const HBRUSH hBrush = ::CreateSolidBrush(pStyle->GetInterior().GetColor());
        ::FillRect(hDC, &rect, hBrush);
        ::DeleteObject(hBrush);
    }
}

BOOL CGXEditWindowLayout::HandleWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, const CGXStyle* pStyle,
                                              BOOL bKeepOnCaretKeys, LRESULT& lResult)
{
    const UINT nChar = static_cast<UINT>(wParam);
    const UINT nRepCnt = LOWORD(lParam);
    const UINT nFlags = HIWORD(lParam);
    CGXGridCore* pGrid = m_control.Grid();
    switch (message)
    {
    case WM_KEYUP:
        lResult = 0;
        if (!pGrid->DispatchKeyMessage(&m_wnd, message, nChar, nRepCnt, nFlags))
        {
            lResult = m_wnd.CEdit::WindowProc(message, wParam, lParam);
            const BOOL bCaretKey =
                nChar == VK_SHIFT || nChar == VK_HOME || nChar == VK_END || nChar == VK_DOWN || nChar == VK_UP;
            if (!bKeepOnCaretKeys || !bCaretKey)
                Update();
        }
        return TRUE;
    case WM_SYSKEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSCHAR:
        lResult = 0;
        return pGrid->DispatchKeyMessage(&m_wnd, message, nChar, nRepCnt, nFlags);
    case WM_KILLFOCUS:
        lResult = m_wnd.CEdit::WindowProc(message, wParam, lParam);
        m_control.NotifyKillFocus(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)));
        return TRUE;
    case WM_GETDLGCODE:
        lResult = m_wnd.CEdit::WindowProc(message, wParam, lParam) | DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTALLKEYS;
        return TRUE;
    case WM_ERASEBKGND:
        EraseBackground(reinterpret_cast<HDC>(wParam), pStyle);
        lResult = TRUE;
        return TRUE;
    case WM_SHOWWINDOW:
        if (wParam)
            Update();
        return FALSE;
    case WM_SETFOCUS:
        lResult = m_wnd.CEdit::WindowProc(message, wParam, lParam);
        Update();
        return TRUE;
    case WM_CONTEXTMENU:
        lResult = 0;
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL CGXEditWindowLayout::CreateOverGrid(DWORD dwStyle, const RECT* pRect, UINT nID)
{
    CWnd* pGridWnd = m_control.GetGridWnd();
    if (pGridWnd == nullptr || pGridWnd->GetSafeHwnd() == nullptr)
        return FALSE;
    const RECT rect = pRect != nullptr ? *pRect : RECT{0, 0, 0, 0};
    return m_wnd.CreateEx(m_bRightToLeft ? WS_EX_RTLREADING : 0, "GXEDIT", "", dwStyle | WS_CHILD, rect, pGridWnd,
                          nID);
}

BOOL CGXEditWindowLayout::GetSelectedText(CString& text, BOOL bActive) const
{
    if (!bActive || !HasWindow())
    {
        m_control.GetCurrentText(text);
        return FALSE;
    }
    int nStart = 0, nEnd = 0;
    GetSelection(nStart, nEnd);
    const CString all = WindowText();
    if (nStart == nEnd)
    {
        text = all;
        return FALSE;
    }
    text = all.Mid(nStart, nEnd - nStart);
    return TRUE;
}
