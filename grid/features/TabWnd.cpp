#include "grid/features/TabWnd.h"

#include "framework/core/Exceptions.h"
#include "framework/docview/FrameWnd.h"
#include "framework/docview/View.h"
#include "framework/win/Dc.h"
#include "framework/win/FrameworkIds.h"
#include "framework/win/WinApp.h"
#include "grid/core/AppComponents.h"
#include "grid/core/DrawingAndFormatting.h"

#include <algorithm>
#include <set>

IMPLEMENT_DYNAMIC(CGXEditLabelPopup, CEdit)
IMPLEMENT_DYNCREATE(CGXTabWnd, CWnd)

namespace
{
const UINT kBeamId = 59905;
// The library's split cursor; the system's west-east arrows stand in when it is missing.
const UINT kSplitCursorId = 20197;

// Tab windows made by the window procedure of the class "CGXTabWnd": deleted with their windows.
std::set<const CGXTabWnd*>& SelfDeletingTabWnds()
{
    static std::set<const CGXTabWnd*> windows;
    return windows;
}

int NewLook()
{
    return GXGetAppData()->m_bNewLook ? 1 : 0;
}

CWnd* SheetOf(CGXTabBeam& beam, int nTab)
{
    if (nTab < 0 || nTab >= beam.GetCount())
        return nullptr;
    CObject* pExtra = beam.GetTabInfo(nTab).pExtra;
    return pExtra != nullptr && pExtra->IsKindOf(RUNTIME_CLASS(CWnd)) ? static_cast<CWnd*>(pExtra) : nullptr;
}
} // namespace

// ---- CGXEditLabelPopup ----

BEGIN_MESSAGE_MAP(CGXEditLabelPopup, CEdit)
    ON_WM_KEYDOWN()
    ON_WM_KILLFOCUS()
    AFX_WM(WM_KEYUP,
           if (c.wParam != VK_RETURN && c.wParam != VK_ESCAPE) c.result = pT->Default();
           return TRUE;)
    // The edit would beep at Enter and Escape.
    AFX_WM(WM_CHAR,
           if (c.wParam != VK_RETURN && c.wParam != VK_ESCAPE) c.result = pT->Default();
           return TRUE;)
    AFX_WM(WM_GETDLGCODE, c.result = pT->Default() | DLGC_WANTALLKEYS; return TRUE;)
END_MESSAGE_MAP()

CGXEditLabelPopup::CGXEditLabelPopup(const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL;
    if (!GXGetAppData()->m_bNewLook)
        dwStyle |= WS_DLGFRAME;
    Create(dwStyle, rect, pParentWnd, nID);
}

void CGXEditLabelPopup::OnKeyDown(UINT nChar, UINT, UINT)
{
    if (nChar == VK_RETURN)
        GetParent()->SendMessage(GX_WM_TABEDITOK, 0, 0);
    else if (nChar == VK_ESCAPE)
        GetParent()->SendMessage(GX_WM_CANCELTABEDIT, 0, 0);
    else
        Default();
}

void CGXEditLabelPopup::OnKillFocus(CWnd*)
{
    Default();
    if (CWnd* pParent = GetParent())
        pParent->SendMessage(GX_WM_CANCELTABEDIT, 0, 0);
}

void CGXEditLabelPopup::PostNcDestroy()
{
    delete this;
}

// ---- CGXTabWnd ----

BEGIN_MESSAGE_MAP(CGXTabWnd, CWnd)
    ON_WM_SIZE()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_NCPAINT()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_SETCURSOR()
    // The tab window itself takes no keys: the focus goes on to the sheet it shows.
    AFX_WM(WM_SETFOCUS,
           if (pT->m_pCurrentSheet != nullptr && pT->m_pCurrentSheet->GetSafeHwnd() != nullptr)
               pT->m_pCurrentSheet->SetFocus();
           else
               c.result = pT->Default();
           return TRUE;)
    AFX_WM(WM_SETTINGCHANGE, c.result = pT->Default(); pT->OnSettingChange(); return TRUE;)
    AFX_WM(WM_HSCROLL, pT->ForwardScroll(c.message, c.wParam, c.lParam); return TRUE;)
    AFX_WM(WM_VSCROLL, pT->ForwardScroll(c.message, c.wParam, c.lParam); return TRUE;)
    AFX_WM(GX_WM_CANTABCHANGE, c.result = pT->OnCanTabChange(c.wParam); return TRUE;)
    AFX_WM(GX_WM_TABCHANGED, c.result = pT->OnTabChanged(c.wParam); return TRUE;)
    AFX_WM(GX_WM_TABRENAME, c.result = pT->OnTabRename(c.wParam); return TRUE;)
    AFX_WM(GX_WM_TABEDITOK, c.result = pT->OnEditLabelOk(); return TRUE;)
    AFX_WM(GX_WM_CANCELTABEDIT, c.result = pT->OnEditLabelCancel(); return TRUE;)
END_MESSAGE_MAP()

CGXTabWnd::CGXTabWnd(CRuntimeClass* pBeamClass) : m_pBeamClass(pBeamClass)
{
    TakeMetrics();
    m_hCursor = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
    m_brBackground.CreateSolidBrush(::GetSysColor(COLOR_3DFACE));
    CGXAppData* pAppData = GXGetAppData();
    pAppData->RegisterScrollParentClass(RUNTIME_CLASS(CGXTabWnd));
    if (pAppData->m_pTabWndInterface == nullptr)
    {
        CGXTabWndInterfaceImp* pInterface = new CGXTabWndInterfaceImp;
        pAppData->AddOwnedObject(pInterface);
        pAppData->m_pTabWndInterface = pInterface;
    }
}

CGXTabWnd::~CGXTabWnd()
{
    SelfDeletingTabWnds().erase(this);
    delete m_pBeam;
}

void CGXTabWnd::TakeMetrics()
{
    m_nScrollBarHeight = ::GetSystemMetrics(SM_CYHSCROLL);
    m_nStripHeight = m_nScrollBarHeight + 2 * NewLook();
}

BOOL CGXTabWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= WS_CLIPCHILDREN;
    return CWnd::PreCreateWindow(cs);
}

BOOL CGXTabWnd::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    m_bHorzScrollBar = (dwStyle & WS_HSCROLL) != 0;
    m_bVertScrollBar = (dwStyle & WS_VSCROLL) != 0;
    dwStyle &= ~(WS_HSCROLL | WS_VSCROLL);
    if (m_hWnd == nullptr &&
        !CreateEx(0, "GxMdiFrame", nullptr, dwStyle, 0, 0, 0, 0, pParentWnd->GetSafeHwnd(),
                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), nullptr))
        return FALSE;
    try
    {
        if (!CreateScrollBarCtrl(SBS_HORZ, AFX_IDW_HSCROLL_FIRST) || !CreateScrollBarCtrl(SBS_VERT, AFX_IDW_VSCROLL_FIRST))
            AfxThrowResourceException();
        ::ShowWindow(::GetDlgItem(m_hWnd, AFX_IDW_HSCROLL_FIRST), m_bHorzScrollBar ? SW_SHOW : SW_HIDE);
        ::ShowWindow(::GetDlgItem(m_hWnd, AFX_IDW_VSCROLL_FIRST), m_bVertScrollBar ? SW_SHOW : SW_HIDE);
        if (NewLook() && (m_bHorzScrollBar || m_bVertScrollBar) && pParentWnd != nullptr && pParentWnd->IsFrameWnd() &&
            !CreateScrollBarCtrl(SBS_SIZEBOX, AFX_IDW_SIZE_BOX))
            AfxThrowResourceException();
    }
    catch (CException* e)
    {
        e->Delete();
        DestroyWindow();
        return FALSE;
    }
    if (m_pBeam == nullptr)
    {
        m_pBeam = static_cast<CGXTabBeam*>(m_pBeamClass->CreateObject());
        m_pBeam->Create(WS_VISIBLE, CRect(0, 0, 1, 1), this, kBeamId);
    }
    m_bChildrenMade = TRUE;
    return TRUE;
}

BOOL CGXTabWnd::CreateScrollBarCtrl(DWORD dwStyle, UINT nID)
{
    CScrollBar& bar = nID == AFX_IDW_HSCROLL_FIRST ? m_wndHorzBar : nID == AFX_IDW_VSCROLL_FIRST ? m_wndVertBar : m_wndSizeBox;
    if (bar.m_hWnd != nullptr)
        return TRUE;
    return bar.Create(dwStyle | WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1), this, nID);
}

void CGXTabWnd::GetSheetRect(LPRECT lpRect)
{
    ::GetClientRect(m_hWnd, lpRect);
    const int nRaise = m_nStripHeight - NewLook() - 1;
    lpRect->bottom -= nRaise;
    if (m_bVertScrollBar)
        lpRect->right -= nRaise;
}

void CGXTabWnd::RecalcLayout(BOOL)
{
    if (m_hWnd == nullptr)
        return;
    if (!m_bChildrenMade)
        Create(GetParent(), WS_CHILD | WS_HSCROLL | WS_VSCROLL, static_cast<UINT>(GetDlgCtrlID()));
    CRect client;
    GetClientRect(&client);
    if (m_nBeamWidth == 0 && m_nDividerPos == 0)
        m_nBeamWidth = client.Width() / 2;
    CRect sheet;
    GetSheetRect(&sheet);
    if (m_pBeam != nullptr)
        for (int i = 0; i < m_pBeam->GetCount(); ++i)
            if (CWnd* pSheet = SheetOf(*m_pBeam, i); pSheet != nullptr && pSheet->m_hWnd != nullptr)
                pSheet->MoveWindow(&sheet, TRUE);

    const int nStripTop = sheet.bottom;
    const int nStrip = client.bottom - nStripTop;
    const int nBarRight = m_bVertScrollBar ? sheet.right : client.right;
    const int nBarLeft = m_nBeamWidth + m_nDividerWidth;
    if (HWND hHorz = ::GetDlgItem(m_hWnd, AFX_IDW_HSCROLL_FIRST))
        ::MoveWindow(hHorz, nBarLeft, nStripTop, std::max(0, nBarRight - nBarLeft), nStrip, TRUE);
    if (HWND hVert = ::GetDlgItem(m_hWnd, AFX_IDW_VSCROLL_FIRST); hVert != nullptr && m_bVertScrollBar)
        ::MoveWindow(hVert, sheet.right, 0, client.right - sheet.right, sheet.bottom, TRUE);
    if (HWND hBox = ::GetDlgItem(m_hWnd, AFX_IDW_SIZE_BOX))
    {
        const BOOL bCorner = NewLook() && m_bHorzScrollBar && m_bVertScrollBar;
        ::ShowWindow(hBox, bCorner ? SW_SHOW : SW_HIDE);
        if (bCorner)
        {
            ::MoveWindow(hBox, sheet.right, sheet.bottom, client.right - sheet.right, nStrip, TRUE);
            const LONG_PTR style = ::GetWindowLongPtrA(hBox, GWL_STYLE);
            const BOOL bGrip = CanShowSizeGrip();
            const LONG_PTR newStyle = bGrip ? (style | SBS_SIZEGRIP) : (style & ~static_cast<LONG_PTR>(SBS_SIZEGRIP));
            ::EnableWindow(hBox, bGrip);
            if (newStyle != style)
            {
                ::SetWindowLongPtrA(hBox, GWL_STYLE, newStyle);
                ::InvalidateRect(hBox, nullptr, TRUE);
            }
        }
    }
    if (m_pBeam != nullptr && m_pBeam->m_hWnd != nullptr)
        m_pBeam->MoveWindow(0, nStripTop, m_nBeamWidth, nStrip, TRUE);
    CRect divider(m_nBeamWidth, nStripTop, m_nBeamWidth + m_nDividerWidth + 1, client.bottom);
    InvalidateRect(&divider, FALSE);
}

BOOL CGXTabWnd::CanShowSizeGrip()
{
    if (!NewLook())
        return FALSE;
    CWnd* pFrame = (GetStyle() & WS_THICKFRAME) != 0 ? this : GetParent();
    if (pFrame == nullptr)
        return FALSE;
    const DWORD dwStyle = pFrame->GetStyle();
    if ((dwStyle & WS_THICKFRAME) == 0 || (dwStyle & WS_MAXIMIZE) != 0)
        return FALSE;
    CRect mine;
    GetClientRect(&mine);
    CRect frame;
    pFrame->GetClientRect(&frame);
    pFrame->ClientToScreen(&frame);
    ScreenToClient(&frame);
    return mine.BottomRight() == frame.BottomRight();
}

CWnd* CGXTabWnd::AttachSheet(CWnd* pSheetWnd, LPCTSTR pszLabel)
{
    if (!m_bChildrenMade)
        RecalcLayout();
    CRect sheet;
    GetSheetRect(&sheet);
    pSheetWnd->MoveWindow(&sheet, TRUE);
    m_pBeam->InsertTab(FALSE, pszLabel, pSheetWnd, FALSE, -1);
    pSheetWnd->ShowScrollBar(SB_BOTH, FALSE);
    if (m_pCurrentSheet == nullptr)
    {
        m_pCurrentSheet = pSheetWnd;
        pSheetWnd->ShowWindow(SW_SHOW);
        ::SetActiveWindow(pSheetWnd->m_hWnd);
    }
    else
        pSheetWnd->ShowWindow(SW_HIDE);
    pSheetWnd->SendMessage(GX_WM_SHEETADDED, static_cast<WPARAM>(m_pBeam->FindTab(pSheetWnd)), 0);
    SaveSheetScrollState(pSheetWnd);
    return pSheetWnd;
}

BOOL CGXTabWnd::MaySwitchTo(CWnd* pSheetWnd)
{
    if (pSheetWnd == m_pCurrentSheet)
        return TRUE;
    if (m_pCurrentSheet != nullptr && m_pCurrentSheet->SendMessage(GX_WM_SHEETACTIVATE, 0, 0) != 0)
        return FALSE;
    return pSheetWnd == nullptr || pSheetWnd->SendMessage(GX_WM_SHEETACTIVATE, 1, 0) == 0;
}

LRESULT CGXTabWnd::OnCanTabChange(WPARAM wParam)
{
    return MaySwitchTo(SheetOf(*m_pBeam, static_cast<int>(wParam))) ? 0 : 1;
}

LRESULT CGXTabWnd::OnTabChanged(WPARAM wParam)
{
    CWnd* pSheet = SheetOf(*m_pBeam, static_cast<int>(wParam));
    if (pSheet == nullptr)
        return 0;
    MSG msg;
    if (pSheet == m_pCurrentSheet && !::PeekMessageA(&msg, m_hWnd, GX_WM_TABRENAME, GX_WM_TABRENAME, PM_NOREMOVE))
    {
        if (::GetFocus() != pSheet->m_hWnd)
            pSheet->SetFocus();
        pSheet->Invalidate();
    }
    else
        SwitchToSheet(pSheet);
    return 0;
}

void CGXTabWnd::SwitchToSheet(CWnd* pSheetWnd)
{
    const int nTab = m_pBeam->FindTab(pSheetWnd);
    if (nTab < 0)
        return;
    if (m_pCurrentSheet != nullptr)
    {
        if (!MaySwitchTo(pSheetWnd))
            return;
        if (m_pCurrentSheet != pSheetWnd)
        {
            SaveSheetScrollState(m_pCurrentSheet);
            m_pCurrentSheet->ShowWindow(SW_HIDE);
        }
    }
    m_pBeam->MakeTabVisible(nTab);
    if (m_pBeam->GetCurSel() != nTab)
    {
        m_pBeam->SetCurSel(nTab);
        m_pBeam->Invalidate(FALSE);
    }
    m_pBeam->UpdateWindow();

    m_pCurrentSheet = pSheetWnd;
    ::SetActiveWindow(pSheetWnd->m_hWnd);
    pSheetWnd->ShowWindow(SW_SHOW);
    pSheetWnd->SetFocus();
    if (pSheetWnd->IsKindOf(RUNTIME_CLASS(CView)))
        if (CFrameWnd* pFrame = pSheetWnd->GetParentFrame())
            pFrame->SetActiveView(static_cast<CView*>(pSheetWnd), TRUE);

    RestoreSheetScrollState(pSheetWnd);
    pSheetWnd->Invalidate(TRUE);
    CRect own;
    pSheetWnd->GetClientRect(&own);
    pSheetWnd->MoveWindow(&own, TRUE);
    RecalcLayout(FALSE);
}

void CGXTabWnd::SaveSheetScrollState(CWnd* pSheetWnd)
{
    const int nTab = m_pBeam->FindTab(pSheetWnd);
    if (nTab < 0 || pSheetWnd->m_hWnd == nullptr)
        return;
    CGXTabInfo& tab = m_pBeam->GetTabInfo(nTab);
    for (int nBar : {SB_VERT, SB_HORZ})
    {
        SCROLLINFO& info = nBar == SB_VERT ? tab.siVert : tab.siHorz;
        info = {};
        info.cbSize = sizeof(info);
        if (!pSheetWnd->GetScrollInfo(nBar, &info, SIF_ALL))
            pSheetWnd->GetScrollRange(nBar, &info.nMin, &info.nMax);
        info.nTrackPos = pSheetWnd->GetScrollPos(nBar);
    }
}

void CGXTabWnd::RestoreSheetScrollState(CWnd* pSheetWnd)
{
    const int nTab = m_pBeam->FindTab(pSheetWnd);
    if (nTab < 0)
        return;
    CGXTabInfo& tab = m_pBeam->GetTabInfo(nTab);
    for (int nBar : {SB_VERT, SB_HORZ})
    {
        HWND hBar = ::GetDlgItem(m_hWnd, nBar == SB_VERT ? AFX_IDW_VSCROLL_FIRST : AFX_IDW_HSCROLL_FIRST);
        if (hBar == nullptr)
            continue;
        SCROLLINFO info = nBar == SB_VERT ? tab.siVert : tab.siHorz;
        if (info.nMax == 0)
        {
            ::EnableWindow(hBar, FALSE);
            continue;
        }
        ::EnableWindow(hBar, TRUE);
        info.cbSize = sizeof(info);
        info.fMask = SIF_ALL | SIF_DISABLENOSCROLL;
        if (!pSheetWnd->SetScrollInfo(nBar, &info, TRUE))
            pSheetWnd->SetScrollRange(nBar, info.nMin, info.nMax, TRUE);
        pSheetWnd->SetScrollPos(nBar, info.nTrackPos, TRUE);
    }
}

void CGXTabWnd::ForwardScroll(UINT nMessage, WPARAM wParam, LPARAM lParam)
{
    OnEditLabelCancel();
    if (m_pCurrentSheet != nullptr && m_pCurrentSheet->m_hWnd != nullptr)
        m_pCurrentSheet->SendMessage(nMessage, wParam, lParam);
}

void CGXTabWnd::SetTabName(int nTab, LPCTSTR pszText)
{
    if (m_pBeam == nullptr || nTab < 0 || nTab >= m_pBeam->GetCount())
        return;
    m_pBeam->GetTabInfo(nTab).sLabel = pszText != nullptr ? pszText : "";
    m_pBeam->FitTabWidth(nTab);
    m_pBeam->Invalidate(TRUE);
}

// ---- Renaming ----

LRESULT CGXTabWnd::OnTabRename(WPARAM wParam)
{
    const int nTab = static_cast<int>(wParam);
    CWnd* pSheet = SheetOf(*m_pBeam, nTab);
    if (m_pRenamePopup != nullptr || pSheet == nullptr)
        return 0;
    if (pSheet->SendMessage(GX_WM_SHEETCANRENAME, wParam, 0) == 0)
        return 0;
    CRect client;
    GetClientRect(&client);
    HDC hDC = ::GetDC(m_hWnd);
    CFont* pFont = m_pBeam->GetNormalFont();
    HGDIOBJ hOld = pFont != nullptr ? ::SelectObject(hDC, pFont->GetSafeHandle()) : nullptr;
    SIZE sizeW = {0, 0};
    ::GetTextExtentPoint32A(hDC, "W", 1, &sizeW);
    TEXTMETRICA tm = {};
    ::GetTextMetricsA(hDC, &tm);
    if (hOld != nullptr)
        ::SelectObject(hDC, hOld);
    ::ReleaseDC(m_hWnd, hDC);

    const int nWidth = std::min(15 * static_cast<int>(sizeW.cx), client.Width());
    int nLeft = m_pBeam->GetTabPosition(nTab);
    if (nLeft + nWidth > client.right)
        nLeft = std::max(0, static_cast<int>(client.right) - nWidth);
    const int nHeight = tm.tmHeight + 4 * ::GetSystemMetrics(SM_CYDLGFRAME);
    const int nTop = std::max(0, static_cast<int>(client.bottom) - nHeight);
    m_pRenamePopup = new CGXEditLabelPopup(CRect(nLeft, nTop, nLeft + nWidth, nTop + nHeight), this);
    if (m_pRenamePopup->m_hWnd == nullptr)
    {
        delete m_pRenamePopup;
        m_pRenamePopup = nullptr;
        return 0;
    }
    if (pFont != nullptr)
        m_pRenamePopup->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(pFont->GetSafeHandle()), FALSE);
    m_pRenamePopup->SetWindowText(m_pBeam->GetTabInfo(nTab).sLabel);
    m_pRenamePopup->SetSel(0, -1);
    m_pRenamePopup->SetFocus();
    return 0;
}

LRESULT CGXTabWnd::OnEditLabelOk()
{
    CGXEditLabelPopup* pPopup = m_pRenamePopup;
    if (pPopup == nullptr)
        return 0;
    CString text;
    pPopup->GetWindowText(text);
    // Cleared first: destroying the pop-up takes its focus away, which asks for a cancel.
    m_pRenamePopup = nullptr;
    pPopup->DestroyWindow();
    const int nTab = m_pBeam->GetCurSel();
    if (nTab < 0)
        return 0;
    m_pBeam->GetTabInfo(nTab).sLabel = text;
    m_pBeam->FitTabWidth(nTab);
    if (CWnd* pSheet = SheetOf(*m_pBeam, nTab))
        pSheet->SendMessage(GX_WM_SHEETRENAMED, static_cast<WPARAM>(nTab), 0);
    return 0;
}

LRESULT CGXTabWnd::OnEditLabelCancel()
{
    CGXEditLabelPopup* pPopup = m_pRenamePopup;
    if (pPopup == nullptr)
        return 0;
    m_pRenamePopup = nullptr;
    pPopup->DestroyWindow();
    return 0;
}

// ---- Size and divider ----

void CGXTabWnd::OnSize(UINT nType, int cx, int cy)
{
    Default();
    OnEditLabelCancel();
    if (m_pCurrentSheet != nullptr)
        m_pCurrentSheet->SendMessage(GX_WM_SHEETRESIZING, 1, 0);
    if (nType != SIZE_MINIMIZED && cx >= 1 && cx <= 32766 && cy >= 1 && cy <= 32766)
    {
        if (m_nDividerPos != 0 && m_nClientWidth != 0)
        {
            // The part of the beam right of its buttons keeps its share of the width.
            const long long nBase = (m_pBeam != nullptr ? m_pBeam->GetButtonAreaWidth() - 20 : -20) * 100LL;
            m_nDividerPos = static_cast<int>((m_nDividerPos - nBase) * cx / m_nClientWidth + nBase);
        }
        else
            m_nDividerPos = cx * 50;
        m_nBeamWidth = m_nDividerPos / 100;
        m_nClientWidth = cx;
        RecalcLayout();
    }
    if (m_pCurrentSheet != nullptr && m_pCurrentSheet->m_hWnd != nullptr)
    {
        m_pCurrentSheet->SendMessage(GX_WM_SHEETRESIZING, 0, 0);
        CRect sheet;
        m_pCurrentSheet->GetClientRect(&sheet);
        m_pCurrentSheet->SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(sheet.Width(), sheet.Height()));
    }
}

BOOL CGXTabWnd::IsOnDivider(CPoint point) const
{
    CRect client;
    ::GetClientRect(m_hWnd, &client);
    return m_bHorzScrollBar && point.x >= m_nBeamWidth + 1 && point.x < m_nBeamWidth + m_nDividerWidth &&
           point.y >= client.bottom - m_nScrollBarHeight && point.y <= client.bottom;
}

void CGXTabWnd::MoveDivider(int x)
{
    CRect client;
    GetClientRect(&client);
    const int nMin = (m_pBeam != nullptr ? m_pBeam->GetButtonAreaWidth() : 0) + 20;
    const int nMax = client.Width() - 2 * m_nDividerWidth;
    // The divider stops short of the scroll buttons and of the right edge.
    x = std::max(nMin, std::min(x, nMax));
    if (x == m_nBeamWidth)
        return;
    CRect old(m_nBeamWidth, client.bottom - m_nStripHeight, m_nBeamWidth + m_nDividerWidth + 1, client.bottom);
    InvalidateRect(&old, FALSE);
    m_nBeamWidth = x;
    m_nDividerPos = x * 100;
    RecalcLayout();
    UpdateWindow();
}

void CGXTabWnd::OnLButtonDown(UINT, CPoint point)
{
    if (m_pCurrentSheet != nullptr)
        m_pCurrentSheet->SetFocus();
    if (IsOnDivider(point))
    {
        SetCapture();
        m_bDragging = TRUE;
    }
    else
        Default();
}

void CGXTabWnd::OnMouseMove(UINT, CPoint point)
{
    if (m_bDragging)
        MoveDivider(point.x);
    else
        Default();
}

void CGXTabWnd::OnLButtonUp(UINT, CPoint point)
{
    if (!m_bDragging)
    {
        Default();
        return;
    }
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    m_bDragging = FALSE;
    MoveDivider(point.x);
    if (m_pBeam != nullptr)
        m_pBeam->Invalidate(TRUE);
}

BOOL CGXTabWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    POINT pt;
    ::GetCursorPos(&pt);
    ::ScreenToClient(m_hWnd, &pt);
    if (m_bDragging || (nHitTest == HTCLIENT && IsOnDivider(CPoint(pt))))
    {
        HCURSOR hSplit = ::LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(kSplitCursorId));
        if (hSplit == nullptr)
            hSplit = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32644));   // IDC_SIZEWE
        m_hCursor = hSplit;
        ::SetCursor(hSplit);
        return TRUE;
    }
    (void)pWnd;
    (void)message;
    return static_cast<BOOL>(Default());
}

// ---- Painting ----

BOOL CGXTabWnd::OnEraseBkgnd(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    CRect column(client.right - m_nStripHeight, client.top, client.right, client.bottom);
    ::FillRect(pDC->m_hDC, &column, static_cast<HBRUSH>(m_brBackground.GetSafeHandle()));
    return TRUE;
}

void CGXTabWnd::OnPaint()
{
    if (!m_bChildrenMade)
        RecalcLayout();
    CPaintDC dc(this);
    if (!m_bHorzScrollBar)
        return;
    CRect sheet;
    GetSheetRect(&sheet);
    CRect client;
    GetClientRect(&client);
    const int x = m_nBeamWidth + 1;
    static const int kLineColors[5] = {-1, COLOR_3DHIGHLIGHT, COLOR_3DFACE, COLOR_3DSHADOW, -1};
    for (int i = 0; i < 5; ++i)
    {
        const COLORREF color = kLineColors[i] < 0 ? RGB(0, 0, 0) : ::GetSysColor(kLineColors[i]);
        RECT line = {x + i, sheet.bottom, x + i + 1, client.bottom};
        ::SetBkColor(dc.m_hDC, color);
        ::ExtTextOutA(dc.m_hDC, 0, 0, ETO_OPAQUE, &line, nullptr, 0, nullptr);
    }
    if (NewLook())
    {
        RECT top = {x, sheet.bottom, x + 5, sheet.bottom + 1};
        ::SetBkColor(dc.m_hDC, RGB(0, 0, 0));
        ::ExtTextOutA(dc.m_hDC, 0, 0, ETO_OPAQUE, &top, nullptr, 0, nullptr);
    }
}

void CGXTabWnd::OnNcPaint()
{
    Default();
    if (!m_bFrameAlways && (GetExStyle() & WS_EX_CLIENTEDGE) == 0)
        return;
    CWnd* pParent = GetParent();
    if (pParent == nullptr)
        return;
    CRect rect;
    GetWindowRect(&rect);
    pParent->ScreenToClient(&rect);
    rect.left -= 2;
    rect.top -= 2;
    rect.right += 3;
    rect.bottom += 3;
    CClientDC dc(pParent);
    CGXDrawingAndFormatting::GetInstance()->DrawEdgeFrame(&dc, rect, TRUE, TRUE);
}

void CGXTabWnd::OnSysColorChange()
{
    Default();
    GXGetAppData()->m_sysColors.Update();
    m_brBackground.DeleteObject();
    m_brBackground.CreateSolidBrush(::GetSysColor(COLOR_3DFACE));
    Invalidate();
}

void CGXTabWnd::OnSettingChange()
{
    if (CGXAbstractDateTimeImp* pDateTime = GXGetAppData()->m_pDateTimeImp)
        pDateTime->InitDateTimeFormats();
    TakeMetrics();
    RecalcLayout();
}

// ---- Window class for dialog templates ----

LPCTSTR CGXTabWnd::RegisterTabWndClass(HINSTANCE hInstance)
{
    static const char kClassName[] = "CGXTabWnd";
    WNDCLASSA wndcls;
    if (::GetClassInfoA(hInstance, kClassName, &wndcls))
        return kClassName;
    wndcls = {};
    wndcls.style = CS_DBLCLKS | CS_GLOBALCLASS;
    wndcls.lpfnWndProc = &CGXTabWnd::TabWndProc;
    wndcls.hInstance = hInstance;
    wndcls.lpszClassName = kClassName;
    if (!::RegisterClassA(&wndcls))
        AfxThrowResourceException();
    return kClassName;
}

void CGXTabWnd::UnregisterTabWndClass(HINSTANCE hInstance)
{
    ::UnregisterClassA("CGXTabWnd", hInstance);
}

LRESULT CALLBACK CGXTabWnd::TabWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (CWnd::FromHandlePermanent(hWnd) == nullptr)
    {
        CGXTabWnd* pWnd = new CGXTabWnd(RUNTIME_CLASS(CGXTabBeam));
        pWnd->Attach(hWnd);
        SelfDeletingTabWnds().insert(pWnd);
    }
    ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AfxGetAfxWndProc()));
    return AfxWndProc(hWnd, nMsg, wParam, lParam);
}

void CGXTabWnd::PostNcDestroy()
{
    if (SelfDeletingTabWnds().erase(this) != 0)
        delete this;
}

// ---- Sheets and their names ----

CGXTabWnd* GXGetParentTabWnd(const CWnd* pSheetWnd, BOOL bAnyState)
{
    return static_cast<CGXTabWnd*>(GXGetParentOfClass(pSheetWnd, RUNTIME_CLASS(CGXTabWnd), bAnyState));
}

void CGXTabWndInterfaceImp::SetTabName(CWnd* pSheetWnd, LPCTSTR pszName, BOOL)
{
    CGXTabWnd* pTabWnd = GXGetParentTabWnd(pSheetWnd, TRUE);
    if (pTabWnd == nullptr)
        return;
    const int nTab = pTabWnd->GetBeam().FindTab(pSheetWnd);
    if (nTab >= 0)
        pTabWnd->SetTabName(nTab, pszName);
}

BOOL CGXTabWndInterfaceImp::GetTabName(CWnd* pSheetWnd, CString& name)
{
    CGXTabWnd* pTabWnd = GXGetParentTabWnd(pSheetWnd, TRUE);
    if (pTabWnd == nullptr)
        return FALSE;
    return GetTabNameAt(pSheetWnd, pTabWnd->GetBeam().FindTab(pSheetWnd), name);
}

BOOL CGXTabWndInterfaceImp::GetTabNameAt(CWnd* pSheetWnd, int nTab, CString& name)
{
    CGXTabWnd* pTabWnd = GXGetParentTabWnd(pSheetWnd, TRUE);
    if (pTabWnd == nullptr || nTab < 0 || nTab >= pTabWnd->GetBeam().GetCount())
        return FALSE;
    name = pTabWnd->GetBeam().GetTabInfo(nTab).sLabel;
    return TRUE;
}
