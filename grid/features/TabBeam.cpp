#include "grid/features/TabBeam.h"

#include "framework/core/Exceptions.h"
#include "framework/win/Dc.h"
#include "grid/controls/UxTheme.h"
#include "grid/core/AppData.h"
#include "grid/core/Font.h"

#include <algorithm>
#include <set>

IMPLEMENT_DYNAMIC(CGXTabInfo, CObject)
IMPLEMENT_DYNCREATE(CGXTabBeam, CWnd)

namespace
{
// Beams made by the window procedure of the class "CGXTabBeam": deleted with their windows.
std::set<const CGXTabBeam*>& SelfDeletingBeams()
{
    static std::set<const CGXTabBeam*> beams;
    return beams;
}

BOOL IsThemeOn()
{
    return GXUxTheme::IsAppThemed() && GXUxTheme::IsThemeActive();
}

// The button codes: 0 to the first tab, 1 back, 2 forward, 3 to the last tab.
BOOL ScrollsBack(int nCode)
{
    return nCode == 0 || nCode == 1;
}
} // namespace

CGXTabInfo::~CGXTabInfo()
{
    if (bDeleteExtra && pExtra != nullptr)
        delete pExtra;
}

BEGIN_MESSAGE_MAP(CGXTabBeam, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MOUSEMOVE()
    ON_WM_SYSCOLORCHANGE()
    AFX_WM(WM_MOUSELEAVE, pT->OnMouseLeave(); c.result = pT->Default(); return TRUE;)
    AFX_WM(WM_SETTINGCHANGE, c.result = pT->Default(); pT->OnSettingChange(); return TRUE;)
END_MESSAGE_MAP()

CGXTabBeam::CGXTabBeam()
{
    m_nHeight = ::GetSystemMetrics(SM_CYHSCROLL);
    m_nButtonWidth = m_nHeight;
    m_nButtonArea = m_nButtons * m_nHeight;
    m_brFrame.CreateSolidBrush(RGB(0, 0, 0));
    TakeSysColors();
}

CGXTabBeam::~CGXTabBeam()
{
    DeleteTabFonts();
    for (CGXTabInfo* pTab : m_tabs)
        delete pTab;
    SelfDeletingBeams().erase(this);
}

void CGXTabBeam::TakeSysColors()
{
    m_clrCurrentText = ::GetSysColor(COLOR_WINDOWTEXT);
    m_clrText = ::GetSysColor(COLOR_WINDOWTEXT);
    m_clrFill = ::GetSysColor(COLOR_3DFACE);
    m_clrSelectedFill = ::GetSysColor(COLOR_WINDOW);
    m_clrBackground = ::GetSysColor(COLOR_SCROLLBAR);
    m_brFill.DeleteObject();
    m_brFill.CreateSolidBrush(m_clrFill);
    m_brSelectedFill.DeleteObject();
    m_brSelectedFill.CreateSolidBrush(m_clrSelectedFill);
    m_brBackground.DeleteObject();
    m_brBackground.CreateSolidBrush(m_clrBackground);
    m_penShadow.DeleteObject();
    m_penShadow.CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_3DSHADOW));
}

BOOL CGXTabBeam::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    if (!CWnd::Create(nullptr, nullptr, dwStyle | WS_CHILD, rect, pParentWnd, nID))
        return FALSE;
    CreateTabFonts();
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, 1, m_nHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    TakeSysColors();
    return TRUE;
}

CWnd* CGXTabBeam::NotifyWnd() const
{
    return m_pNotifyWnd != nullptr ? m_pNotifyWnd : GetParent();
}

int CGXTabBeam::ClientWidth() const
{
    CRect rect;
    if (m_hWnd != nullptr)
        ::GetClientRect(m_hWnd, &rect);
    return rect.Width();
}

// ---- Fonts ----

void CGXTabBeam::DeleteTabFonts()
{
    delete m_pBoldFont;
    m_pBoldFont = nullptr;
    delete m_pNormalFont;
    m_pNormalFont = nullptr;
}

void CGXTabBeam::CreateTabFonts()
{
    DeleteTabFonts();
    LOGFONTA lf = {};
    lstrcpynA(lf.lfFaceName, "Arial", LF_FACESIZE);
    lf.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfClipPrecision = CLIP_LH_ANGLES | CLIP_STROKE_PRECIS;
    if (::GetSystemMetrics(SM_DBCSENABLED) != 0)
    {
        HGDIOBJ hStock = ::GetStockObject(DEFAULT_GUI_FONT);
        if (hStock == nullptr)
            hStock = ::GetStockObject(SYSTEM_FONT);
        if (hStock != nullptr)
            ::GetObjectA(hStock, sizeof(lf), &lf);
    }
    const unsigned nFaceId = GXFindOrAddFontFace(lf.lfFaceName, 0, 0);
    if (const GXFontFaceEntry* pEntry = GXGetFontFaceEntry(nFaceId))
        lf.lfCharSet = pEntry->nCharSet;
    lf.lfItalic = FALSE;
    lf.lfUnderline = FALSE;
    // A positive height is the cell height, so the labels fill the beam less one pixel above and below.
    lf.lfHeight = m_nHeight - 2;
    lf.lfWeight = FW_NORMAL;
    m_pNormalFont = new CFont;
    m_pNormalFont->CreateFontIndirect(&lf);
    lf.lfWeight = FW_BOLD;
    m_pBoldFont = new CFont;
    m_pBoldFont->CreateFontIndirect(&lf);
}

// ---- Tabs ----

void CGXTabBeam::InsertTab(BOOL bBeforeCurrent, LPCTSTR pszLabel, CObject* pExtra, BOOL bDeleteExtra, int nWidth,
                           int nUserValue)
{
    CGXTabInfo* pTab = new CGXTabInfo;
    pTab->sLabel = pszLabel != nullptr ? pszLabel : "";
    pTab->pExtra = pExtra;
    pTab->bDeleteExtra = bDeleteExtra;
    pTab->nUserValue = nUserValue;
    pTab->nWidth = nWidth;
    pTab->nFlags = 0;
    pTab->clrOwnFill[0] = m_clrFill;
    pTab->clrOwnFill[1] = m_clrSelectedFill;
    pTab->brOwnFill[0].CreateSolidBrush(pTab->clrOwnFill[0]);
    pTab->brOwnFill[1].CreateSolidBrush(pTab->clrOwnFill[1]);
    int nIndex = GetCount();
    if (m_nCurrent >= 0 && bBeforeCurrent)
    {
        nIndex = m_nCurrent;
        ++m_nCurrent;
    }
    m_tabs.insert(m_tabs.begin() + nIndex, pTab);
    if (nWidth < 0)
        FitTabWidth(nIndex);
    if (m_hWnd != nullptr)
        Invalidate();
    if (m_nCurrent < 0)
    {
        m_nCurrent = GetCount() - 1;
        MakeTabVisible(m_nCurrent);
    }
}

void CGXTabBeam::DeleteTab(int nTab)
{
    if (nTab < 0 || nTab >= GetCount())
        return;
    if (nTab == m_nCurrent)
    {
        m_nCurrent = 0;
        m_nFirstTab = 0;
    }
    else if (nTab < m_nCurrent)
        --m_nCurrent;
    delete m_tabs[static_cast<size_t>(nTab)];
    m_tabs.erase(m_tabs.begin() + nTab);
    if (m_tabs.empty())
        m_nCurrent = -1;
    if (m_nFirstTab >= GetCount())
        m_nFirstTab = std::max(0, GetCount() - 1);
    if (m_hWnd != nullptr)
        Invalidate();
}

void CGXTabBeam::FitTabWidth(int nTab)
{
    if (nTab < 0 || nTab >= GetCount())
        return;
    CGXTabInfo& tab = GetTabInfo(nTab);
    // Measured in the bold font, so the current tab's label fits as well as the others'.
    HDC hDC = ::GetDC(m_hWnd);
    HGDIOBJ hOld = nullptr;
    if (m_pBoldFont != nullptr && m_pBoldFont->GetSafeHandle() != nullptr)
        hOld = ::SelectObject(hDC, m_pBoldFont->GetSafeHandle());
    SIZE size = {0, 0};
    ::GetTextExtentPoint32A(hDC, tab.sLabel, tab.sLabel.GetLength(), &size);
    if (hOld != nullptr)
        ::SelectObject(hDC, hOld);
    ::ReleaseDC(m_hWnd, hDC);
    tab.nWidth = size.cx + m_nSlant;
    if (m_hWnd != nullptr)
        Invalidate();
}

int CGXTabBeam::FindTab(const CObject* pExtra) const
{
    for (size_t i = 0; i < m_tabs.size(); ++i)
        if (m_tabs[i]->pExtra == pExtra)
            return static_cast<int>(i);
    return -1;
}

void CGXTabBeam::SetCurSel(int nTab)
{
    if (nTab < 0 || nTab >= GetCount() || nTab == m_nCurrent)
        return;
    m_nCurrent = nTab;
    if (m_hWnd != nullptr)
        Invalidate(FALSE);
}

void CGXTabBeam::MakeTabVisible(int nTab)
{
    if (nTab < 0 || nTab >= GetCount())
        return;
    if (nTab < m_nFirstTab)
    {
        m_nFirstTab = nTab;
        if (m_hWnd != nullptr)
            Invalidate();
        return;
    }
    while (m_nFirstTab < nTab && GetLastVisibleTab() < nTab)
    {
        ++m_nFirstTab;
        if (m_hWnd != nullptr)
            Invalidate();
    }
}

// ---- Geometry ----

int CGXTabBeam::GetTabPosition(int nTab) const
{
    int x = m_bShowButtons ? m_nButtonArea + 1 : 0;
    for (int i = m_nFirstTab; i < nTab && i < GetCount(); ++i)
        x += m_tabs[static_cast<size_t>(i)]->nWidth + m_nSlant;
    for (int i = std::max(nTab, 0); i < m_nFirstTab && i < GetCount(); ++i)
        x -= m_tabs[static_cast<size_t>(i)]->nWidth + m_nSlant;
    return x;
}

int CGXTabBeam::TabFromPosition(int x) const
{
    int nPos = GetTabPosition(m_nFirstTab);
    for (int i = m_nFirstTab; i < GetCount(); ++i)
    {
        nPos += m_tabs[static_cast<size_t>(i)]->nWidth + m_nSlant;
        if (x < nPos)
            return i;
    }
    return -1;
}

int CGXTabBeam::GetLastVisibleTab() const
{
    const int nClient = ClientWidth();
    int nLast = m_nFirstTab;
    for (int i = m_nFirstTab; i < GetCount(); ++i)
    {
        if (GetTabPosition(i) + m_tabs[static_cast<size_t>(i)]->nWidth + 2 * m_nSlant > nClient)
            break;
        nLast = i;
    }
    return nLast;
}

int CGXTabBeam::HitTestScrollButton(int x, int y, int nExpected, BOOL bPerform)
{
    if (!m_bShowButtons || y < 0 || y > m_nHeight || x < 0 || x >= m_nButtonArea || m_nButtonWidth <= 0)
        return -1;
    int nCode = x / m_nButtonWidth;
    if (m_nButtons == 2)
        ++nCode;
    if (ScrollsBack(nCode) && m_nFirstTab == 0)
        return -1;
    if (!ScrollsBack(nCode) && (GetCount() == 0 || GetLastVisibleTab() >= GetCount() - 1))
        return -1;
    if (nExpected != -1 && nExpected != nCode)
        return -1;
    if (bPerform)
        ScrollTabs(nCode);
    return nCode;
}

void CGXTabBeam::ScrollTabs(int nCode)
{
    if (CWnd* pParent = GetParent())
        pParent->SendMessage(GX_WM_CANCELTABEDIT, 0, 0);
    int nFirst = m_nFirstTab;
    switch (nCode)
    {
    case 0: nFirst = 0; break;
    case 1: nFirst = m_nFirstTab - 1; break;
    case 2: nFirst = m_nFirstTab + 1; break;
    case 3: nFirst = GetCount() - 1; break;
    default: return;
    }
    // The last first tab is the one from which the remaining tabs still fill the beam.
    const int nAvailable = ClientWidth() - (m_bShowButtons ? m_nButtonArea + 1 : 0);
    int nMaxFirst = GetCount() - 1;
    if (nMaxFirst >= 0)
    {
        int nSpan = m_tabs[static_cast<size_t>(nMaxFirst)]->nWidth + 2 * m_nSlant;
        while (nMaxFirst > 0 && nSpan < nAvailable)
        {
            --nMaxFirst;
            nSpan += m_tabs[static_cast<size_t>(nMaxFirst)]->nWidth + m_nSlant;
        }
    }
    nFirst = std::max(0, std::min(nFirst, std::max(nMaxFirst, 0)));
    if (nFirst != m_nFirstTab)
    {
        m_nFirstTab = nFirst;
        Invalidate();
    }
}

void CGXTabBeam::SelectTabAt(int x, int)
{
    const int nStart = m_bShowButtons ? m_nButtonArea : 0;
    if (x < nStart)
        return;
    int nTab = x < nStart + m_nSlant ? std::max(m_nFirstTab - 1, 0) : TabFromPosition(x);
    if (nTab < 0 || nTab >= GetCount())
        return;
    if (NotifyWnd()->SendMessage(GX_WM_CANTABCHANGE, static_cast<WPARAM>(nTab), 0) != 0)
        return;
    const int nOld = m_nCurrent;
    m_nCurrent = nTab;
    if (!GetTabInfo(nTab).bSelected)
        for (CGXTabInfo* pTab : m_tabs)
            pTab->bSelected = 0;
    MakeTabVisible(nTab);
    if (nTab != nOld)
    {
        Invalidate();
        UpdateWindow();
    }
    NotifyWnd()->PostMessage(GX_WM_TABCHANGED, static_cast<WPARAM>(nTab), 0);
}

void CGXTabBeam::TrackScrollButton(UINT nEndMessage)
{
    SetCapture();
    DWORD nInterval = 200;
    DWORD nLast = ::GetTickCount();
    for (;;)
    {
        // A lost capture (a box, Alt+Tab) ends the repeat as the release would.
        if (::GetCapture() != m_hWnd)
            break;
        MSG msg;
        if (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        {
            if (msg.message == nEndMessage)
            {
                ::DispatchMessageA(&msg);
                break;
            }
            if (msg.message == WM_MOUSEMOVE)
                continue;
            if (msg.message == WM_QUIT)
            {
                ::PostQuitMessage(static_cast<int>(msg.wParam));
                break;
            }
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
            continue;
        }
        if (::GetTickCount() - nLast >= nInterval)
        {
            POINT pt;
            ::GetCursorPos(&pt);
            ::ScreenToClient(m_hWnd, &pt);
            OnMouseMove(MK_LBUTTON, CPoint(pt));
            nLast = ::GetTickCount();
            if (nInterval > 100)
                nInterval -= 20;
        }
        else
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    m_nHeldButton = -1;
}

// ---- Mouse ----

void CGXTabBeam::OnLButtonDown(UINT nFlags, CPoint point)
{
    const int nCode = HitTestScrollButton(point.x, point.y, -1, TRUE);
    if (nCode >= 0)
    {
        {
            CClientDC dc(this);
            DrawScrollButtons(&dc, nCode, TRUE);
        }
        m_nHeldButton = nCode;
        TrackScrollButton(WM_LBUTTONUP);
        return;
    }
    const BOOL bCtrl = (nFlags & MK_CONTROL) != 0;
    const BOOL bShift = (nFlags & MK_SHIFT) != 0;
    if (!bCtrl && !bShift)
    {
        SelectTabAt(point.x, point.y);
        return;
    }
    const int nTab = TabFromPosition(point.x);
    if (bCtrl)
    {
        if (nTab >= 0)
            GetTabInfo(nTab).bSelected = !GetTabInfo(nTab).bSelected;
    }
    else if (m_nCurrent >= 0 && nTab >= 0)
    {
        const int nStep = nTab < m_nCurrent ? 1 : -1;
        for (int i = nTab; i != m_nCurrent; i += nStep)
            GetTabInfo(i).bSelected = 1;
    }
    CRect rect;
    GetClientRect(&rect);
    rect.left = GetButtonAreaWidth();
    InvalidateRect(&rect);
}

void CGXTabBeam::OnLButtonUp(UINT, CPoint)
{
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    m_nHeldButton = -1;
    CClientDC dc(this);
    for (int nCode = m_nButtons == 2 ? 1 : 0; nCode < (m_nButtons == 2 ? 3 : 4); ++nCode)
        DrawScrollButtons(&dc, nCode, FALSE);
}

void CGXTabBeam::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    const BOOL bOnTab = point.x > GetButtonAreaWidth() && TabFromPosition(point.x) != -1;
    const BOOL bCurrentVisible = m_nCurrent >= m_nFirstTab && m_nCurrent <= GetLastVisibleTab();
    if (bOnTab && bCurrentVisible && m_nCurrent >= 0)
        NotifyWnd()->PostMessage(GX_WM_TABRENAME, static_cast<WPARAM>(m_nCurrent), 0);
    else
        OnLButtonDown(nFlags, point);
}

void CGXTabBeam::OnMouseMove(UINT, CPoint point)
{
    if (IsThemeOn())
    {
        CClientDC dc(this);
        BOOL bAnyHot = FALSE;
        for (int nCode = 0; nCode < 4; ++nCode)
        {
            const BOOL bHot = HitTestScrollButton(point.x, point.y, nCode, FALSE) == nCode;
            bAnyHot = bAnyHot || bHot;
            if (bHot != m_abHotButton[nCode])
            {
                m_abHotButton[nCode] = bHot;
                DrawScrollButtons(&dc, nCode, nCode == m_nHeldButton);
            }
        }
        const int nUnder = point.x > GetButtonAreaWidth() ? TabFromPosition(point.x) : -1;
        for (int i = 0; i < GetCount(); ++i)
        {
            const BOOL bHot = i == nUnder && i != m_nCurrent;
            if (bHot != GetTabInfo(i).bHot)
            {
                GetTabInfo(i).bHot = bHot;
                Invalidate(FALSE);
            }
        }
        if (!m_bTrackingLeave)
        {
            TRACKMOUSEEVENT tme = {sizeof(tme), TME_LEAVE, m_hWnd, 0};
            m_bTrackingLeave = GXUxTheme::TrackMouseEvent(&tme);
        }
    }
    if (m_nHeldButton >= 0)
    {
        CClientDC dc(this);
        if (HitTestScrollButton(point.x, point.y, m_nHeldButton, TRUE) == m_nHeldButton)
            DrawScrollButtons(&dc, m_nHeldButton, TRUE);
        else
            DrawScrollButtons(&dc, m_nHeldButton, FALSE);
    }
}

void CGXTabBeam::OnMouseLeave()
{
    m_bTrackingLeave = FALSE;
    if (!IsThemeOn())
        return;
    UpdateWindow();
    CClientDC dc(this);
    for (int nCode = 0; nCode < 4; ++nCode)
        if (m_abHotButton[nCode])
        {
            m_abHotButton[nCode] = FALSE;
            DrawScrollButtons(&dc, nCode, FALSE);
        }
    HGDIOBJ hOld = m_pNormalFont != nullptr ? ::SelectObject(dc.m_hDC, m_pNormalFont->GetSafeHandle()) : nullptr;
    for (int i = 0; i < GetCount(); ++i)
        if (i != m_nCurrent && GetTabInfo(i).bHot && GetTabPosition(i) >= GetButtonAreaWidth() + 1)
        {
            GetTabInfo(i).bHot = 0;
            DrawTab(&dc, i);
        }
    if (hOld != nullptr)
        ::SelectObject(dc.m_hDC, hOld);
}

// ---- Colours and settings ----

void CGXTabBeam::OnSysColorChange()
{
    Default();
    TakeSysColors();
    Invalidate();
}

void CGXTabBeam::OnSettingChange()
{
    const int nHeight = ::GetSystemMetrics(SM_CYHSCROLL);
    if (nHeight != m_nHeight)
    {
        m_nHeight = nHeight;
        m_nButtonWidth = nHeight;
        m_nButtonArea = m_nButtons * nHeight;
        CreateTabFonts();
        for (int i = 0; i < GetCount(); ++i)
            FitTabWidth(i);
    }
    Invalidate();
}

// ---- Painting ----

BOOL CGXTabBeam::OnEraseBkgnd(CDC* pDC)
{
    CRect rect;
    GetClientRect(&rect);
    ::FillRect(pDC->m_hDC, &rect, static_cast<HBRUSH>(m_brBackground.GetSafeHandle()));
    return TRUE;
}

void CGXTabBeam::OnPaint()
{
    CPaintDC dc(this);
    CRect rect;
    GetClientRect(&rect);
    ::FillRect(dc.m_hDC, &rect, static_cast<HBRUSH>(m_brBackground.GetSafeHandle()));
    RedrawTabsAndButtons(&dc);
}

void CGXTabBeam::RedrawTabsAndButtons(CDC* pDC)
{
    HDC hDC = pDC->m_hDC;
    CRect rect;
    GetClientRect(&rect);
    const int nStart = GetButtonAreaWidth();
    HGDIOBJ hOldPen = ::SelectObject(hDC, ::GetStockObject(BLACK_PEN));
    ::MoveToEx(hDC, nStart, 0, nullptr);
    ::LineTo(hDC, rect.right, 0);
    ::SelectObject(hDC, hOldPen);
    if (m_bShowButtons)
        for (int nCode = m_nButtons == 2 ? 1 : 0; nCode < (m_nButtons == 2 ? 3 : 4); ++nCode)
            DrawScrollButtons(pDC, nCode, FALSE);
    // Clip off the buttons so a tab scrolled half out of view does not draw over them.
    const int nSaved = ::SaveDC(hDC);
    ::IntersectClipRect(hDC, nStart, 0, rect.right, rect.bottom);
    const int nLast = std::min(GetLastVisibleTab() + 1, GetCount() - 1);
    for (int i = nLast; i >= m_nFirstTab; --i)
        if (i != m_nCurrent)
            DrawTab(pDC, i);
    if (m_nCurrent >= 0 && m_nCurrent < GetCount())
        DrawTab(pDC, m_nCurrent);
    ::RestoreDC(hDC, nSaved);
}

void CGXTabBeam::DrawTab(CDC* pDC, int nTab)
{
    if (nTab < 0 || nTab >= GetCount())
        return;
    HDC hDC = pDC->m_hDC;
    CGXTabInfo& tab = GetTabInfo(nTab);
    const BOOL bCurrent = nTab == m_nCurrent;
    const BOOL bSelectedLook = bCurrent || tab.bSelected;
    const int x = GetTabPosition(nTab);
    const int w = tab.nWidth;
    const int s = m_nSlant;
    const int h = m_nHeight - (GXGetAppData()->m_bOldLook ? 1 : 0);
    POINT points[4] = {{x, 0}, {x + w + 2 * s, 0}, {x + w + s, h}, {x + s, h}};
    HRGN hRgn = ::CreatePolygonRgn(points, 4, ALTERNATE);
    HBRUSH hFill = static_cast<HBRUSH>(bSelectedLook ? m_brSelectedFill.GetSafeHandle() : m_brFill.GetSafeHandle());
    if (!bSelectedLook && (tab.nFlags & 1) != 0)
        hFill = static_cast<HBRUSH>(tab.brOwnFill[0].GetSafeHandle());
    if (bSelectedLook && (tab.nFlags & 2) != 0)
        hFill = static_cast<HBRUSH>(tab.brOwnFill[1].GetSafeHandle());
    ::FillRgn(hDC, hRgn, hFill);
    if ((bCurrent || tab.bHot) && IsThemeOn())
    {
        RECT rcLabel = {x + s, 0, x + w + s, h};
        GXUxTheme::DrawThemedBackground(m_hWnd, L"HEADER", hDC, 1, 2, &rcLabel);
    }
    ::FrameRgn(hDC, hRgn, static_cast<HBRUSH>(m_brFrame.GetSafeHandle()), 1, 1);
    ::DeleteObject(hRgn);
    if (bCurrent)
    {
        RECT rcJoin = {x, 0, x + w + 2 * s, 1};
        ::FillRect(hDC, &rcJoin, static_cast<HBRUSH>(m_brSelectedFill.GetSafeHandle()));
    }
    HGDIOBJ hOldPen = ::SelectObject(hDC, m_penShadow.GetSafeHandle());
    ::MoveToEx(hDC, x + s + 1, h - 1, nullptr);
    ::LineTo(hDC, x + w + s - 1, h - 1);
    ::LineTo(hDC, x + w + 2 * s - 2, 0);
    ::SelectObject(hDC, hOldPen);

    ::SetTextColor(hDC, bCurrent ? m_clrCurrentText : m_clrText);
    ::SetBkColor(hDC, tab.bSelected ? m_clrSelectedFill : m_clrFill);
    ::SetBkMode(hDC, TRANSPARENT);
    CFont* pFont = bCurrent ? m_pBoldFont : m_pNormalFont;
    HGDIOBJ hOldFont = pFont != nullptr ? ::SelectObject(hDC, pFont->GetSafeHandle()) : nullptr;
    SIZE sizeT = {0, 0};
    ::GetTextExtentPoint32A(hDC, "t", 1, &sizeT);
    RECT rcText = {x + s, std::max(0, static_cast<int>(m_nHeight - sizeT.cy)) / 2, x + s + w, m_nHeight};
    ::DrawTextA(hDC, tab.sLabel, tab.sLabel.GetLength(), &rcText, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (hOldFont != nullptr)
        ::SelectObject(hDC, hOldFont);
}

void CGXTabBeam::DrawScrollButtons(CDC* pDC, int nCode, BOOL bPressed)
{
    if (!m_bShowButtons || nCode < 0 || nCode > 3)
        return;
    HDC hDC = pDC->m_hDC;
    const int nSlot = m_nButtons == 2 ? nCode - 1 : nCode;
    if (nSlot < 0 || nSlot >= m_nButtons)
        return;
    RECT rc = {nSlot * m_nButtonWidth, 0, (nSlot + 1) * m_nButtonWidth, m_nHeight};
    BOOL bDisabled = GetCount() < 2;
    if (ScrollsBack(nCode) && m_nFirstTab == 0)
        bDisabled = TRUE;
    if (!ScrollsBack(nCode) && TabFromPosition(ClientWidth()) == -1)
        bDisabled = TRUE;

    BOOL bThemed = FALSE;
    if (IsThemeOn())
    {
        const int nState = bPressed ? 3 : bDisabled ? 4 : m_abHotButton[nCode] ? 2 : 1;
        bThemed = GXUxTheme::DrawThemedBackground(m_hWnd, L"BUTTON", hDC, 1 /* push button */, nState, &rc);
    }
    if (!bThemed)
    {
        RECT rcFace = rc;
        ::FillRect(hDC, &rcFace, ::GetSysColorBrush(COLOR_3DFACE));
        ::DrawEdge(hDC, &rcFace, bPressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
        if (GXGetAppData()->m_bNewLook)
        {
            HGDIOBJ hOld = ::SelectObject(hDC, ::GetStockObject(BLACK_PEN));
            ::MoveToEx(hDC, rc.left, rc.bottom - 1, nullptr);
            ::LineTo(hDC, rc.right, rc.bottom - 1);
            ::SelectObject(hDC, hOld);
        }
    }
    // The arrow: bars of heights 1, 3, 5, 7 (and 9 on a tall beam), the short one at the tip.
    const int nBars = m_nHeight >= 20 ? 5 : 4;
    const int nGlyphWidth = nBars + ((nCode == 0 || nCode == 3) ? 1 : 0);
    int x0 = rc.left + (m_nButtonWidth - nGlyphWidth) / 2;
    int yMid = (m_nHeight - 9) / 2 + 4;
    if (bPressed)
    {
        ++x0;
        ++yMid;
    }
    HBRUSH hGlyph = ::CreateSolidBrush(bDisabled ? RGB(0x60, 0x60, 0x60) : RGB(0, 0, 0));
    auto bar = [&](int x, int nHalf) {
        RECT r = {x, yMid - nHalf, x + 1, yMid + nHalf + 1};
        ::FillRect(hDC, &r, hGlyph);
    };
    const BOOL bLeft = ScrollsBack(nCode);
    int x = x0;
    if (nCode == 0)
        bar(x++, nBars - 1);
    for (int i = 0; i < nBars; ++i)
        bar(x++, bLeft ? i : nBars - 1 - i);
    if (nCode == 3)
        bar(x, nBars - 1);
    ::DeleteObject(hGlyph);
}

// ---- Window class for dialog templates ----

LPCTSTR CGXTabBeam::RegisterTabBeamClass(HINSTANCE hInstance)
{
    static const char kClassName[] = "CGXTabBeam";
    WNDCLASSA wndcls;
    if (::GetClassInfoA(hInstance, kClassName, &wndcls))
        return kClassName;
    wndcls = {};
    wndcls.style = CS_DBLCLKS | CS_GLOBALCLASS;
    wndcls.lpfnWndProc = &CGXTabBeam::TabBeamWndProc;
    wndcls.hInstance = hInstance;
    wndcls.lpszClassName = kClassName;
    if (!::RegisterClassA(&wndcls))
        AfxThrowResourceException();
    return kClassName;
}

void CGXTabBeam::UnregisterTabBeamClass(HINSTANCE hInstance)
{
    ::UnregisterClassA("CGXTabBeam", hInstance);
}

LRESULT CALLBACK CGXTabBeam::TabBeamWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (CWnd::FromHandlePermanent(hWnd) == nullptr)
    {
        CGXTabBeam* pBeam = new CGXTabBeam;
        pBeam->Attach(hWnd);
        pBeam->CreateTabFonts();
        SelfDeletingBeams().insert(pBeam);
    }
    ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AfxGetAfxWndProc()));
    return AfxWndProc(hWnd, nMsg, wParam, lParam);
}

void CGXTabBeam::PostNcDestroy()
{
    if (SelfDeletingBeams().erase(this) != 0)
        delete this;
}
