#include "framework/docview/ControlBars.h"

#include <algorithm>

#include "framework/docview/FrameWnd.h"
#include "framework/win/Dc.h"
#include "framework/win/FrameworkIds.h"
#include "framework/win/Gdi.h"
#include "framework/win/WinApp.h"

IMPLEMENT_DYNAMIC(CControlBar, CWnd)
IMPLEMENT_DYNAMIC(CToolBar, CControlBar)
IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CToolBar, CControlBar)
    ON_NOTIFY_REFLECT_EX(TBN_HOTITEMCHANGE, OnHotItemChange)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CStatusBar, CControlBar)
    ON_WM_SIZE()
    ON_MESSAGE(WM_SETTEXT, OnSetText)
    ON_MESSAGE(WM_GETTEXT, OnGetText)
    ON_MESSAGE(WM_GETTEXTLENGTH, OnGetTextLength)
END_MESSAGE_MAP()

namespace {

// The bar's window style: the bar styles taken out, the control's own added, and the control kept
// from placing itself (the frame lays bars out).
DWORD ControlWindowStyle(DWORD dwStyle, DWORD dwCtrlStyle)
{
    return (dwStyle & ~CBRS_ALL) | dwCtrlStyle | CCS_NOPARENTALIGN | CCS_NOMOVEY | CCS_NORESIZE | CCS_NODIVIDER;
}

void InitBarControls()
{
    INITCOMMONCONTROLSEX init = {sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&init);
}

// Asks the update handlers about a toolbar button.
class CToolCmdUI : public CCmdUI
{
public:
    CToolBar* m_pToolBar = nullptr;
    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        m_pToolBar->SendMessage(TB_ENABLEBUTTON, m_nID, MAKELPARAM(bOn ? TRUE : FALSE, 0));
    }
    void SetCheck(int nCheck) override
    {
        m_pToolBar->SendMessage(TB_CHECKBUTTON, m_nID, MAKELPARAM(nCheck != 0 ? TRUE : FALSE, 0));
    }
    void SetRadio(BOOL bOn) override { SetCheck(bOn ? 1 : 0); }
    void SetText(LPCTSTR) override {}
};

// Asks the update handlers about a status bar pane (an indicator shows its text while enabled).
class CStatusCmdUI : public CCmdUI
{
public:
    CStatusBar* m_pStatusBar = nullptr;
    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        const UINT nStyle = m_pStatusBar->GetPaneStyle((int)m_nIndex);
        m_pStatusBar->SetPaneStyle((int)m_nIndex, bOn ? (nStyle & ~SBPS_DISABLED) : (nStyle | SBPS_DISABLED));
    }
    void SetCheck(int nCheck) override
    {
        const UINT nStyle = m_pStatusBar->GetPaneStyle((int)m_nIndex);
        m_pStatusBar->SetPaneStyle((int)m_nIndex, nCheck != 0 ? (nStyle | SBPS_POPOUT) : (nStyle & ~SBPS_POPOUT));
    }
    void SetRadio(BOOL bOn) override { SetCheck(bOn ? 1 : 0); }
    void SetText(LPCTSTR lpszText) override { m_pStatusBar->SetPaneText((int)m_nIndex, lpszText); }
};

} // namespace

// ---- CControlBar ----

CControlBar::CControlBar() = default;

CSize CControlBar::CalcFixedLayout(BOOL, BOOL)
{
    CRect rect;
    GetWindowRect(&rect);
    return rect.Size();
}

LRESULT CControlBar::OnSizeParent(WPARAM, LPARAM lParam)
{
    auto* pLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    if (!(GetStyle() & WS_VISIBLE))
        return 0;
    CRect room(pLayout->rect);
    CSize size = CalcFixedLayout(pLayout->bStretch, TRUE);
    size.cx = std::min((int)size.cx, room.Width());
    size.cy = std::min((int)size.cy, room.Height());
    CRect rect = room;
    // At the bottom when it was made or docked there; every other bar at the top.
    if (m_dwStyle & CBRS_ALIGN_BOTTOM)
    {
        rect.top = rect.bottom - size.cy;
        pLayout->rect.bottom -= size.cy;
    }
    else
    {
        rect.bottom = rect.top + size.cy;
        pLayout->rect.top += size.cy;
    }
    rect.right = rect.left + size.cx;
    pLayout->sizeTotal.cy += size.cy;
    pLayout->sizeTotal.cx = std::max(pLayout->sizeTotal.cx, size.cx);
    if (pLayout->hDWP != nullptr)
        pLayout->hDWP = ::DeferWindowPos(pLayout->hDWP, m_hWnd, nullptr, rect.left, rect.top, rect.Width(),
                                         rect.Height(), SWP_NOACTIVATE | SWP_NOZORDER);
    return 0;
}

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    if (!(GetStyle() & WS_VISIBLE))
        return 0;
    CFrameWnd* pTarget = GetParentFrame();
    if (pTarget != nullptr)
        OnUpdateCmdUI(pTarget, (BOOL)wParam);
    return 0;
}

// ---- CToolBar ----

CToolBar::CToolBar() = default;

CToolBar::~CToolBar()
{
    DestroyWindow();
    if (m_hbmImageWell != nullptr)
        ::DeleteObject(m_hbmImageWell);
}

BOOL CToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    return CreateEx(pParentWnd, 0, dwStyle, CRect(0, 0, 0, 0), nID);
}

BOOL CToolBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, CRect, UINT nID)
{
    InitBarControls();
    m_dwStyle = dwStyle & CBRS_ALL;
    DWORD dwWindowStyle = ControlWindowStyle(dwStyle, dwCtrlStyle);
    if (m_dwStyle & CBRS_TOOLTIPS)
        dwWindowStyle |= TBSTYLE_TOOLTIPS;
    if (!CWnd::CreateEx(0, TOOLBARCLASSNAMEA, nullptr, dwWindowStyle, CRect(0, 0, 0, 0), pParentWnd, nID))
        return FALSE;
    SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    return TRUE;
}

void CToolBar::SetSizes(SIZE sizeButton, SIZE sizeImage)
{
    m_sizeButton = CSize(sizeButton.cx, sizeButton.cy);
    m_sizeImage = CSize(sizeImage.cx, sizeImage.cy);
    SendMessage(TB_SETBITMAPSIZE, 0, MAKELPARAM(sizeImage.cx, sizeImage.cy));
    SendMessage(TB_SETBUTTONSIZE, 0, MAKELPARAM(sizeButton.cx, sizeButton.cy));
}

BOOL CToolBar::LoadToolBar(UINT nIDResource)
{
    return LoadToolBar(MAKEINTRESOURCEA(nIDResource));
}

BOOL CToolBar::LoadToolBar(LPCTSTR lpszResourceName)
{
    // The toolbar resource type, written as a user-defined resource since windres has no statement
    // for it: WORD version (1), WORD width, WORD height, WORD count, count WORDs of command ids.
    LPCTSTR lpszType = MAKEINTRESOURCEA(241);
    HINSTANCE hModule = AfxFindResourceHandle(lpszResourceName, lpszType);
    HRSRC hResource = ::FindResourceA(hModule, lpszResourceName, lpszType);
    if (hResource == nullptr)
        return FALSE;
    const DWORD cbSize = ::SizeofResource(hModule, hResource);
    HGLOBAL hGlobal = ::LoadResource(hModule, hResource);
    const auto* pData = static_cast<const WORD*>(::LockResource(hGlobal));
    if (pData == nullptr || cbSize < 4 * sizeof(WORD))
        return FALSE;
    const WORD wVersion = pData[0];
    const WORD wWidth = pData[1];
    const WORD wHeight = pData[2];
    const WORD wCount = pData[3];
    if (wVersion != 1 || wWidth == 0 || wHeight == 0 || cbSize < (4u + wCount) * sizeof(WORD))
        return FALSE;
    std::vector<UINT> items(pData + 4, pData + 4 + wCount);

    // Buttons are as large as their images and a border of 7 pixels.
    SetSizes(CSize(wWidth + 7, wHeight + 7), CSize(wWidth, wHeight));
    if (!LoadBitmap(lpszResourceName))
        return FALSE;
    return SetButtons(items.data(), (int)items.size());
}

BOOL CToolBar::LoadBitmap(LPCTSTR lpszResourceName)
{
    HINSTANCE hModule = AfxFindResourceHandle(lpszResourceName, MAKEINTRESOURCEA(2) /* RT_BITMAP */);
    // The button-face colours of the image stand for the system's.
    auto hBitmap = static_cast<HBITMAP>(::LoadImageA(hModule, lpszResourceName, IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS));
    if (hBitmap == nullptr)
        return FALSE;
    BITMAP info = {};
    ::GetObjectA(hBitmap, sizeof info, &info);
    const int nImages = m_sizeImage.cx > 0 ? info.bmWidth / m_sizeImage.cx : 0;
    TBADDBITMAP add = {nullptr, reinterpret_cast<UINT_PTR>(hBitmap)};
    if (SendMessage(TB_ADDBITMAP, (WPARAM)nImages, reinterpret_cast<LPARAM>(&add)) == -1)
    {
        ::DeleteObject(hBitmap);
        return FALSE;
    }
    if (m_hbmImageWell != nullptr)
        ::DeleteObject(m_hbmImageWell);
    m_hbmImageWell = hBitmap;
    return TRUE;
}

BOOL CToolBar::SetButtons(const UINT* lpIDArray, int nIDCount)
{
    // The buttons of an earlier call go first.
    while (SendMessage(TB_BUTTONCOUNT) > 0)
        SendMessage(TB_DELETEBUTTON, 0);
    if (lpIDArray == nullptr || nIDCount <= 0)
        return TRUE;
    std::vector<TBBUTTON> buttons((size_t)nIDCount);
    int nImage = 0;
    for (int i = 0; i < nIDCount; ++i)
    {
        TBBUTTON& button = buttons[(size_t)i];
        button = {};
        button.idCommand = (int)lpIDArray[i];
        if (lpIDArray[i] == ID_SEPARATOR)
        {
            button.fsStyle = TBSTYLE_SEP;
            button.iBitmap = 6;   // the separator's width
        }
        else
        {
            button.fsStyle = TBSTYLE_BUTTON;
            button.fsState = TBSTATE_ENABLED;
            button.iBitmap = nImage++;
        }
    }
    if (!SendMessage(TB_ADDBUTTONSA, (WPARAM)nIDCount, reinterpret_cast<LPARAM>(buttons.data())))
        return FALSE;
    if (CFrameWnd* pFrame = GetParentFrame())
        pFrame->RecalcLayout();
    return TRUE;
}

int CToolBar::GetCount() const
{
    return (int)SendMessage(TB_BUTTONCOUNT);
}

UINT CToolBar::GetItemID(int nIndex) const
{
    TBBUTTON button = {};
    if (!SendMessage(TB_GETBUTTON, (WPARAM)nIndex, reinterpret_cast<LPARAM>(&button)))
        return 0;
    return (button.fsStyle & TBSTYLE_SEP) ? ID_SEPARATOR : (UINT)button.idCommand;
}

int CToolBar::CommandToIndex(UINT nIDFind) const
{
    return (int)SendMessage(TB_COMMANDTOINDEX, nIDFind);
}

void CToolBar::GetItemRect(int nIndex, LPRECT lpRect) const
{
    if (!SendMessage(TB_GETITEMRECT, (WPARAM)nIndex, reinterpret_cast<LPARAM>(lpRect)))
        ::SetRectEmpty(lpRect);
}

UINT CToolBar::GetButtonStyle(int nIndex) const
{
    TBBUTTON button = {};
    if (!SendMessage(TB_GETBUTTON, (WPARAM)nIndex, reinterpret_cast<LPARAM>(&button)))
        return 0;
    return button.fsStyle | ((UINT)button.fsState << 16);
}

CSize CToolBar::CalcFixedLayout(BOOL bStretch, BOOL)
{
    // One row of buttons, with a margin above and below.
    int nWidth = 0;
    int nHeight = m_sizeButton.cy > 0 ? (int)m_sizeButton.cy : HIWORD(SendMessage(TB_GETBUTTONSIZE));
    const int nCount = GetCount();
    if (nCount > 0)
    {
        CRect last;
        GetItemRect(nCount - 1, &last);
        nWidth = last.right;
        nHeight = std::max(nHeight, (int)last.Height());
    }
    if (bStretch)
        nWidth = 32767;
    return CSize(nWidth, nHeight + 4);
}

void CToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    CToolCmdUI state;
    state.m_pToolBar = this;
    state.m_pOther = this;
    state.m_nIndexMax = (UINT)GetCount();
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex)
    {
        state.m_nID = GetItemID((int)state.m_nIndex);
        if (state.m_nID == ID_SEPARATOR)
            continue;
        state.DoUpdate(pTarget, bDisableIfNoHndler);
    }
}

BOOL CToolBar::OnHotItemChange(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    if (!(m_dwStyle & CBRS_FLYBY))
        return FALSE;
    // The prompt of the button under the mouse, "Ready" once it leaves the buttons.
    auto* pHot = reinterpret_cast<NMTBHOTITEM*>(pNMHDR);
    CFrameWnd* pFrame = GetTopLevelFrame();
    if (pFrame == nullptr)
        return FALSE;
    if ((pHot->dwFlags & HICF_LEAVING) || pHot->idNew == 0)
        pFrame->SetMessageText(AFX_IDS_IDLEMESSAGE);
    else
        pFrame->SetMessageText((UINT)pHot->idNew);
    return FALSE;
}

// ---- CStatusBar ----

CStatusBar::CStatusBar() = default;

BOOL CStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    return CreateEx(pParentWnd, 0, dwStyle, nID);
}

BOOL CStatusBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, UINT nID)
{
    InitBarControls();
    m_dwStyle = dwStyle & CBRS_ALL;
    DWORD dwWindowStyle = ControlWindowStyle(dwStyle, dwCtrlStyle);
    // A frame that can be resized gets the grip in the bar's corner.
    if (pParentWnd != nullptr && (pParentWnd->GetStyle() & WS_THICKFRAME))
        dwWindowStyle |= SBARS_SIZEGRIP;
    return CWnd::CreateEx(0, STATUSCLASSNAMEA, nullptr, dwWindowStyle, CRect(0, 0, 0, 0), pParentWnd, nID);
}

int CStatusBar::TextWidth(LPCTSTR lpszText) const
{
    HWND hWnd = m_hWnd;
    HDC hDC = ::GetDC(hWnd);
    auto hFont = reinterpret_cast<HFONT>(::SendMessageA(hWnd, WM_GETFONT, 0, 0));
    HGDIOBJ hOldFont = ::SelectObject(hDC, hFont != nullptr ? static_cast<HGDIOBJ>(hFont) : ::GetStockObject(DEFAULT_GUI_FONT));
    SIZE size = {0, 0};
    ::GetTextExtentPoint32A(hDC, lpszText, lstrlenA(lpszText), &size);
    ::SelectObject(hDC, hOldFont);
    ::ReleaseDC(hWnd, hDC);
    return size.cx;
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount)
{
    m_panes.clear();
    for (int i = 0; i < nIDCount; ++i)
    {
        Pane pane;
        pane.nID = lpIDArray != nullptr ? lpIDArray[i] : ID_SEPARATOR;
        if (pane.nID == ID_SEPARATOR)
        {
            // The message pane: as wide as the others leave it.
            pane.nStyle = i == 0 ? SBPS_STRETCH | SBPS_NOBORDERS : SBPS_NORMAL;
        }
        else
        {
            if (!AfxLoadString(pane.nID, pane.strText))
                return FALSE;
            pane.cxText = TextWidth(pane.strText);
        }
        m_panes.push_back(pane);
    }
    UpdateAllPanes(TRUE, TRUE);
    return TRUE;
}

UINT CStatusBar::GetItemID(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_panes[(size_t)nIndex].nID : 0;
}

int CStatusBar::CommandToIndex(UINT nIDFind) const
{
    for (int i = 0; i < GetCount(); ++i)
        if (m_panes[(size_t)i].nID == nIDFind)
            return i;
    return -1;
}

void CStatusBar::GetItemRect(int nIndex, LPRECT lpRect) const
{
    if (!SendMessage(SB_GETRECT, (WPARAM)nIndex, reinterpret_cast<LPARAM>(lpRect)))
        ::SetRectEmpty(lpRect);
}

CString CStatusBar::GetPaneText(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_panes[(size_t)nIndex].strText : CString();
}

BOOL CStatusBar::SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return FALSE;
    Pane& pane = m_panes[(size_t)nIndex];
    CString text = lpszNewText != nullptr ? lpszNewText : "";
    if (pane.strText == text)
        return TRUE;
    pane.strText = text;
    if (bUpdate)
        ShowPaneText(nIndex);
    return TRUE;
}

void CStatusBar::GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const
{
    if (nIndex < 0 || nIndex >= GetCount())
    {
        nID = nStyle = 0;
        cxWidth = 0;
        return;
    }
    const Pane& pane = m_panes[(size_t)nIndex];
    nID = pane.nID;
    nStyle = pane.nStyle;
    cxWidth = pane.cxText;
}

void CStatusBar::SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return;
    Pane& pane = m_panes[(size_t)nIndex];
    pane.nID = nID;
    pane.nStyle = nStyle;
    pane.cxText = cxWidth;
    UpdateAllPanes(TRUE, TRUE);
}

UINT CStatusBar::GetPaneStyle(int nIndex) const
{
    return nIndex >= 0 && nIndex < GetCount() ? m_panes[(size_t)nIndex].nStyle : 0;
}

void CStatusBar::SetPaneStyle(int nIndex, UINT nStyle)
{
    if (nIndex < 0 || nIndex >= GetCount() || m_panes[(size_t)nIndex].nStyle == nStyle)
        return;
    const bool bWidthChanged = (m_panes[(size_t)nIndex].nStyle ^ nStyle) & SBPS_STRETCH;
    m_panes[(size_t)nIndex].nStyle = nStyle;
    if (bWidthChanged)
        UpdateAllPanes(TRUE, FALSE);
    ShowPaneText(nIndex);
}

void CStatusBar::ShowPaneText(int nIndex)
{
    const Pane& pane = m_panes[(size_t)nIndex];
    // A disabled pane keeps its text but shows none.
    const UINT nDrawStyle = pane.nStyle & (SBT_NOBORDERS | SBT_POPOUT);
    LPCTSTR lpszShown = (pane.nStyle & SBPS_DISABLED) ? "" : (LPCTSTR)pane.strText;
    SendMessage(SB_SETTEXTA, (WPARAM)nIndex | nDrawStyle, reinterpret_cast<LPARAM>(lpszShown));
}

void CStatusBar::UpdateAllPanes(BOOL bUpdateRects, BOOL bUpdateText)
{
    if (m_hWnd == nullptr || m_panes.empty())
        return;
    if (bUpdateRects)
    {
        CRect client;
        GetClientRect(&client);
        // Each indicator as wide as its text and a margin; the stretched pane gets the rest.
        const int nMargin = 2 * ::GetSystemMetrics(SM_CXEDGE) + 8;
        const int nGrip = (GetStyle() & SBARS_SIZEGRIP) ? ::GetSystemMetrics(SM_CXVSCROLL) : 0;
        int nFixed = 0;
        for (const Pane& pane : m_panes)
            if (!(pane.nStyle & SBPS_STRETCH))
                nFixed += pane.cxText + nMargin;
        const int nStretch = std::max(0, (int)client.Width() - nFixed - nGrip);
        std::vector<int> edges;
        int nRight = 0;
        for (const Pane& pane : m_panes)
        {
            nRight += (pane.nStyle & SBPS_STRETCH) ? nStretch : pane.cxText + nMargin;
            edges.push_back(nRight);
        }
        edges.back() = -1;   // the last part reaches the bar's end
        SendMessage(SB_SETPARTS, (WPARAM)edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    }
    if (bUpdateText)
        for (int i = 0; i < GetCount(); ++i)
            ShowPaneText(i);
}

CSize CStatusBar::CalcFixedLayout(BOOL bStretch, BOOL)
{
    // As high as a line of its font and the borders.
    HDC hDC = ::GetDC(m_hWnd);
    auto hFont = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT));
    HGDIOBJ hOldFont = ::SelectObject(hDC, hFont != nullptr ? static_cast<HGDIOBJ>(hFont) : ::GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICA metrics = {};
    ::GetTextMetricsA(hDC, &metrics);
    ::SelectObject(hDC, hOldFont);
    ::ReleaseDC(m_hWnd, hDC);
    return CSize(bStretch ? 32767 : 0, metrics.tmHeight + 2 * ::GetSystemMetrics(SM_CYBORDER) + 6);
}

void CStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL)
{
    // Indicators with no handler stay as they are.
    CStatusCmdUI state;
    state.m_pStatusBar = this;
    state.m_pOther = this;
    state.m_nIndexMax = (UINT)GetCount();
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex)
    {
        state.m_nID = GetItemID((int)state.m_nIndex);
        if (state.m_nID == ID_SEPARATOR)
            continue;
        state.DoUpdate(pTarget, FALSE);
    }
}

void CStatusBar::OnSize(UINT nType, int cx, int cy)
{
    Default();
    (void)nType;
    (void)cx;
    (void)cy;
    UpdateAllPanes(TRUE, FALSE);
}

LRESULT CStatusBar::OnSetText(WPARAM, LPARAM lParam)
{
    const int nIndex = CommandToIndex(ID_SEPARATOR);
    if (nIndex < 0)
        return FALSE;
    SetPaneText(nIndex, reinterpret_cast<LPCTSTR>(lParam));
    return TRUE;
}

LRESULT CStatusBar::OnGetText(WPARAM wParam, LPARAM lParam)
{
    const CString text = GetPaneText(CommandToIndex(ID_SEPARATOR));
    auto* pBuffer = reinterpret_cast<LPTSTR>(lParam);
    if (pBuffer == nullptr || wParam == 0)
        return 0;
    lstrcpynA(pBuffer, text, (int)wParam);
    return lstrlenA(pBuffer);
}

LRESULT CStatusBar::OnGetTextLength(WPARAM, LPARAM)
{
    return GetPaneText(CommandToIndex(ID_SEPARATOR)).GetLength();
}

// ---- The frame's bars ----

void CFrameWnd::EnableDocking(DWORD dwDockStyle)
{
    m_dwDockStyle = dwDockStyle & CBRS_ALIGN_ANY;
}

void CFrameWnd::DockControlBar(CControlBar* pBar, UINT nDockBarID, LPCRECT)
{
    if (pBar == nullptr)
        return;
    // Bars do not move: only an explicit top or bottom changes the side.
    DWORD dwStyle = pBar->GetBarStyle();
    if (nDockBarID == AFX_IDW_DOCKBAR_TOP)
        dwStyle = (dwStyle & ~CBRS_ALIGN_ANY) | CBRS_ALIGN_TOP;
    else if (nDockBarID == AFX_IDW_DOCKBAR_BOTTOM)
        dwStyle = (dwStyle & ~CBRS_ALIGN_ANY) | CBRS_ALIGN_BOTTOM;
    pBar->SetBarStyle(dwStyle);
    RecalcLayout();
}

void CFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay)
{
    if (pBar == nullptr || pBar->GetSafeHwnd() == nullptr)
        return;
    pBar->ShowWindow(bShow ? SW_SHOWNA : SW_HIDE);
    if (!bDelay)
        RecalcLayout();
}

CControlBar* CFrameWnd::GetControlBar(UINT nID)
{
    return dynamic_cast<CControlBar*>(GetDescendantWindow((int)nID, TRUE));
}
