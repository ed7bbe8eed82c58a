#include "framework/docview/PreviewView.h"

#include <algorithm>
#include <cstdint>
#include <numeric>

#include "framework/dialogs/PrintDialog.h"
#include "framework/docview/FrameWnd.h"
#include "framework/docview/PrintInfo.h"
#include "framework/win/FrameworkIds.h"
#include "framework/win/WinApp.h"

IMPLEMENT_DYNAMIC(CPreviewDC, CDC)
IMPLEMENT_DYNAMIC(CPreviewBar, CControlBar)
IMPLEMENT_DYNCREATE(CPreviewView, CScrollView)

BEGIN_MESSAGE_MAP(CPreviewView, CScrollView)
    ON_WM_SIZE()
    ON_WM_ERASEBKGND()
    ON_COMMAND(AFX_ID_PREVIEW_CLOSE, OnPreviewClose)
    ON_COMMAND(AFX_ID_PREVIEW_PRINT, OnPreviewPrint)
    ON_COMMAND(AFX_ID_PREVIEW_NEXT, OnNextPage)
    ON_COMMAND(AFX_ID_PREVIEW_PREV, OnPrevPage)
    ON_COMMAND(AFX_ID_PREVIEW_NUMPAGE, OnNumPageChange)
    ON_COMMAND(AFX_ID_PREVIEW_ZOOMIN, OnZoomIn)
    ON_COMMAND(AFX_ID_PREVIEW_ZOOMOUT, OnZoomOut)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_NEXT, OnUpdateNextPage)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_PREV, OnUpdatePrevPage)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_NUMPAGE, OnUpdateNumPageChange)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_ZOOMIN, OnUpdateZoomIn)
    ON_UPDATE_COMMAND_UI(AFX_ID_PREVIEW_ZOOMOUT, OnUpdateZoomOut)
END_MESSAGE_MAP()

namespace {

// Ratios are kept with this denominator at most, so that the scaled extents stay within 32 bits
// for every mapping mode (a HIMETRIC page is about 30000 units).
constexpr int kRatioDenominator = 8192;

void ReduceRatio(int64_t nNum, int64_t nDen, int& rNum, int& rDen)
{
    if (nDen <= 0 || nNum <= 0)
    {
        rNum = rDen = 1;
        return;
    }
    if (nDen > kRatioDenominator)
    {
        nNum = std::max<int64_t>(1, (nNum * kRatioDenominator + nDen / 2) / nDen);
        nDen = kRatioDenominator;
    }
    const int64_t nGcd = std::gcd(nNum, nDen);
    rNum = (int)(nNum / nGcd);
    rDen = (int)(nDen / nGcd);
}

struct PreviewButton
{
    UINT nID;
    UINT nIDText;        // a framework string, or 0 for the text below
    const char* text;
};

const PreviewButton kPreviewButtons[] = {
    {AFX_ID_PREVIEW_PRINT, 0, "&Print..."},
    {AFX_ID_PREVIEW_NEXT, 0, "&Next Page"},
    {AFX_ID_PREVIEW_PREV, 0, "Pre&v Page"},
    {AFX_ID_PREVIEW_NUMPAGE, AFX_IDS_TWOPAGE, nullptr},
    {AFX_ID_PREVIEW_ZOOMIN, 0, "Zoom &In"},
    {AFX_ID_PREVIEW_ZOOMOUT, 0, "Zoom &Out"},
    {AFX_ID_PREVIEW_CLOSE, AFX_IDS_PREVIEW_CLOSE, nullptr},
};

constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 22;
constexpr int kButtonGap = 4;
constexpr int kPageMargin = 8;

} // namespace

// ---- CPreviewDC ----

CPreviewDC::CPreviewDC()
{
    m_bPrinting = TRUE;
}

void CPreviewDC::SetScaleRatio(int nNum, int nDen)
{
    ReduceRatio(nNum, nDen, m_nScaleNum, m_nScaleDen);
    MirrorMappingMode();
}

void CPreviewDC::SetTopLeftOffset(CPoint ptOffset)
{
    m_ptTopLeft = ptOffset;
    MirrorMappingMode();
}

void CPreviewDC::MirrorMappingMode()
{
    if (m_hDC == nullptr || m_hAttribDC == nullptr || m_hDC == m_hAttribDC)
        return;
    SIZE windowExt = {1, 1};
    SIZE viewportExt = {1, 1};
    POINT windowOrg = {0, 0};
    POINT viewportOrg = {0, 0};
    ::GetWindowExtEx(m_hAttribDC, &windowExt);
    ::GetViewportExtEx(m_hAttribDC, &viewportExt);
    ::GetWindowOrgEx(m_hAttribDC, &windowOrg);
    ::GetViewportOrgEx(m_hAttribDC, &viewportOrg);
    // Printer dots become screen pixels: the viewport grows by the ratio, the window by its
    // denominator, so the logical units of the view stay what they are on the printer.
    ::SetMapMode(m_hDC, MM_ANISOTROPIC);
    ::SetWindowExtEx(m_hDC, windowExt.cx * m_nScaleDen, windowExt.cy * m_nScaleDen, nullptr);
    ::SetViewportExtEx(m_hDC, viewportExt.cx * m_nScaleNum, viewportExt.cy * m_nScaleNum, nullptr);
    ::SetWindowOrgEx(m_hDC, windowOrg.x, windowOrg.y, nullptr);
    ::SetViewportOrgEx(m_hDC, ::MulDiv(viewportOrg.x, m_nScaleNum, m_nScaleDen) + m_ptTopLeft.x,
                       ::MulDiv(viewportOrg.y, m_nScaleNum, m_nScaleDen) + m_ptTopLeft.y, nullptr);
}

void CPreviewDC::SetOutputDC(HDC hDC)
{
    m_hDC = hDC;
    MirrorMappingMode();
}

void CPreviewDC::ReleaseOutputDC()
{
    m_hDC = nullptr;
}

BOOL CPreviewDC::RestoreDC(int nSavedDC)
{
    BOOL bRestored = CDC::RestoreDC(nSavedDC);
    MirrorMappingMode();
    return bRestored;
}

int CPreviewDC::SetMapMode(int nMapMode)
{
    int nOld = ::SetMapMode(m_hAttribDC, nMapMode);
    MirrorMappingMode();
    return nOld;
}

CPoint CPreviewDC::SetViewportOrg(int x, int y)
{
    POINT old = {0, 0};
    ::SetViewportOrgEx(m_hAttribDC, x, y, &old);
    MirrorMappingMode();
    return old;
}

CPoint CPreviewDC::OffsetViewportOrg(int nWidth, int nHeight)
{
    POINT old = {0, 0};
    ::OffsetViewportOrgEx(m_hAttribDC, nWidth, nHeight, &old);
    MirrorMappingMode();
    return old;
}

CSize CPreviewDC::SetViewportExt(int cx, int cy)
{
    SIZE old = {0, 0};
    ::SetViewportExtEx(m_hAttribDC, cx, cy, &old);
    MirrorMappingMode();
    return old;
}

CSize CPreviewDC::ScaleViewportExt(int xNum, int xDenom, int yNum, int yDenom)
{
    SIZE old = {0, 0};
    ::ScaleViewportExtEx(m_hAttribDC, xNum, xDenom, yNum, yDenom, &old);
    MirrorMappingMode();
    return old;
}

CSize CPreviewDC::SetWindowExt(int cx, int cy)
{
    SIZE old = {0, 0};
    ::SetWindowExtEx(m_hAttribDC, cx, cy, &old);
    MirrorMappingMode();
    return old;
}

CSize CPreviewDC::ScaleWindowExt(int xNum, int xDenom, int yNum, int yDenom)
{
    SIZE old = {0, 0};
    ::ScaleWindowExtEx(m_hAttribDC, xNum, xDenom, yNum, yDenom, &old);
    MirrorMappingMode();
    return old;
}

// ---- CPreviewBar ----

BOOL CPreviewBar::Create(CFrameWnd* pParentFrame)
{
    m_dwStyle = CBRS_TOP;
    if (!CWnd::CreateEx(0,
                        AfxRegisterWndClass(0, ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)),
                                            reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)),
                        nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, CRect(0, 0, 0, 0), pParentFrame,
                        AFX_IDW_PREVIEW_BAR))
        return FALSE;
    auto hFont = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    int x = kButtonGap;
    for (size_t i = 0; i < std::size(kPreviewButtons); ++i)
    {
        const PreviewButton& button = kPreviewButtons[i];
        CString text = button.text != nullptr ? button.text : "";
        if (button.nIDText != 0)
            AfxLoadString(button.nIDText, text);
        if (!m_buttons[i].Create(text, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON,
                                 CRect(x, 3, x + kButtonWidth, 3 + kButtonHeight), this, button.nID))
            return FALSE;
        ::SendMessageA(m_buttons[i].m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(hFont), FALSE);
        x += kButtonWidth + kButtonGap;
    }
    return TRUE;
}

CSize CPreviewBar::CalcFixedLayout(BOOL bStretch, BOOL)
{
    const int nWidth = (int)std::size(kPreviewButtons) * (kButtonWidth + kButtonGap) + kButtonGap;
    return CSize(bStretch ? 32767 : nWidth, kButtonHeight + 6);
}

void CPreviewBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL)
{
    CCmdUI state;
    state.m_nIndexMax = (UINT)std::size(kPreviewButtons);
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex)
    {
        state.m_nID = kPreviewButtons[state.m_nIndex].nID;
        state.m_pOther = &m_buttons[state.m_nIndex];
        state.DoUpdate(pTarget, TRUE);
    }
}

BOOL CPreviewBar::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (lParam != 0 && HIWORD(wParam) == BN_CLICKED)
    {
        // Posted: the command may close preview and with it this bar and its button.
        if (CFrameWnd* pFrame = GetParentFrame())
            pFrame->PostMessage(WM_COMMAND, LOWORD(wParam));
        return TRUE;
    }
    return CControlBar::OnCommand(wParam, lParam);
}

void CPreviewBar::PostNcDestroy()
{
    delete this;
}

// ---- CPreviewView ----

CPreviewView::CPreviewView() = default;

CPreviewView::~CPreviewView()
{
    if (m_hWndToolBar != nullptr && ::IsWindow(m_hWndToolBar))
        ::DestroyWindow(m_hWndToolBar);
    delete m_pPreviewDC;     // its handles belong to the screen and to the print information
    delete m_pPreviewInfo;   // with the printer's device context
    delete m_pPreviewState;
}

BOOL CPreviewView::SetPrintView(CView* pPrintView)
{
    m_pPrintView = pPrintView;
    m_pPreviewInfo = new CPrintInfo;
    m_pPreviewInfo->m_bPreview = TRUE;
    if (!pPrintView->OnPreparePrinting(m_pPreviewInfo))
        return FALSE;
    HDC hPrinterDC = m_pPreviewInfo->m_pPD->m_pd.hDC;
    if (hPrinterDC == nullptr)
        return FALSE;
    m_pPreviewDC = new CPreviewDC;
    m_pPreviewDC->SetAttribDC(hPrinterDC);
    pPrintView->OnBeginPrinting(m_pPreviewDC, m_pPreviewInfo);

    m_nPages = m_pPreviewInfo->m_nNumPreviewPages;
    if (m_nPages == 0)
    {
        CWinApp* pApp = AfxGetApp();
        m_nPages = pApp != nullptr ? pApp->m_nNumPreviewPages : 1;
    }
    if (m_nPages < 1 || m_nPages > 2)
        m_nPages = 1;
    // The view may have chosen the first page to show (OnBeginPrinting).
    m_nCurrentPage = std::clamp(m_pPreviewInfo->m_nCurPage, m_pPreviewInfo->GetMinPage(),
                                std::max(m_pPreviewInfo->GetMinPage(), m_pPreviewInfo->GetMaxPage()));
    PositionPages();
    return TRUE;
}

CSize CPreviewView::PaperSize() const
{
    int cx = m_pPreviewDC->GetDeviceCaps(PHYSICALWIDTH);
    int cy = m_pPreviewDC->GetDeviceCaps(PHYSICALHEIGHT);
    if (cx <= 0 || cy <= 0)
    {
        cx = m_pPreviewDC->GetDeviceCaps(HORZRES);
        cy = m_pPreviewDC->GetDeviceCaps(VERTRES);
    }
    return CSize(cx, cy);
}

CPoint CPreviewView::PrintableOffset() const
{
    return CPoint(m_pPreviewDC->GetDeviceCaps(PHYSICALOFFSETX), m_pPreviewDC->GetDeviceCaps(PHYSICALOFFSETY));
}

void CPreviewView::PositionPages()
{
    if (m_pPreviewDC == nullptr || m_hWnd == nullptr || m_bInsideUpdate)
        return;
    const CSize paper = PaperSize();
    if (paper.cx <= 0 || paper.cy <= 0)
        return;
    CRect client;
    GetClientRect(&client);
    const int nShown = (int)PagesShown();

    // Fit: the pages side by side within the window, each with a margin round it.
    const int64_t nAvailWidth = std::max(1, ((int)client.Width() - (nShown + 1) * kPageMargin) / nShown);
    const int64_t nAvailHeight = std::max(1, (int)client.Height() - 2 * kPageMargin);
    int64_t nFitNum = nAvailHeight;
    int64_t nFitDen = paper.cy;
    if (nAvailWidth * paper.cy < nAvailHeight * paper.cx)
    {
        nFitNum = nAvailWidth;
        nFitDen = paper.cx;
    }
    // True size: an inch of paper is an inch of screen.
    CClientDC screen(this);
    const int64_t nTrueNum = std::max(1, screen.GetDeviceCaps(LOGPIXELSX));
    const int64_t nTrueDen = std::max(1, m_pPreviewDC->GetDeviceCaps(LOGPIXELSX));
    switch (m_nZoomState)
    {
    case ZOOM_IN:
        ReduceRatio(nTrueNum, nTrueDen, m_nScaleNum, m_nScaleDen);
        break;
    case ZOOM_MIDDLE:
        ReduceRatio(nFitNum * nTrueDen + nTrueNum * nFitDen, 2 * nFitDen * nTrueDen, m_nScaleNum, m_nScaleDen);
        break;
    default:
        ReduceRatio(nFitNum, nFitDen, m_nScaleNum, m_nScaleDen);
        break;
    }

    const int nPageWidth = ::MulDiv(paper.cx, m_nScaleNum, m_nScaleDen);
    const int nPageHeight = ::MulDiv(paper.cy, m_nScaleNum, m_nScaleDen);
    const int nTotalWidth = nShown * nPageWidth + (nShown + 1) * kPageMargin;
    const int nTotalHeight = nPageHeight + 2 * kPageMargin;
    // Centred while they fit, from the margin when they are larger than the window.
    const int nLeft = (nTotalWidth < client.Width() ? (client.Width() - nTotalWidth) / 2 : 0) + kPageMargin;
    const int nTop = (nTotalHeight < client.Height() ? (client.Height() - nTotalHeight) / 2 : 0) + kPageMargin;
    for (int i = 0; i < 2; ++i)
    {
        if (i < nShown)
            m_rectPages[i] = CRect(nLeft + i * (nPageWidth + kPageMargin), nTop,
                                   nLeft + i * (nPageWidth + kPageMargin) + nPageWidth, nTop + nPageHeight);
        else
            m_rectPages[i].SetRectEmpty();
    }
    if (m_nZoomState == ZOOM_OUT)
        SetScrollSizes(MM_TEXT, CSize(1, 1));
    else
        SetScrollSizes(MM_TEXT, CSize(nTotalWidth, nTotalHeight), CSize(client.Width(), client.Height()),
                       CSize(16, 16));
}

CRect CPreviewView::GetPageRect(int nIndex) const
{
    if (nIndex < 0 || nIndex > 1 || m_rectPages[nIndex].IsRectEmpty())
        return CRect();
    CRect rect = m_rectPages[nIndex];
    rect.OffsetRect(-GetDeviceScrollPosition());
    return rect;
}

BOOL CPreviewView::PageExists(UINT nPage)
{
    if (m_pPreviewInfo == nullptr || nPage < m_pPreviewInfo->GetMinPage() || nPage > m_pPreviewInfo->GetMaxPage())
        return FALSE;
    if (m_pPreviewInfo->GetMaxPage() != 0xFFFF)
        return TRUE;
    // The last page is not known: the view says whether this one exists.
    const UINT nSaved = m_pPreviewInfo->m_nCurPage;
    m_pPreviewInfo->m_nCurPage = nPage;
    m_pPreviewInfo->m_bContinuePrinting = TRUE;
    m_pPrintView->OnPrepareDC(m_pPreviewDC, m_pPreviewInfo);
    const BOOL bExists = m_pPreviewInfo->m_bContinuePrinting;
    m_pPreviewInfo->m_nCurPage = nSaved;
    return bExists;
}

void CPreviewView::OnDraw(CDC* pDC)
{
    CRect clip;
    pDC->GetClipBox(&clip);
    pDC->FillSolidRect(&clip, ::GetSysColor(COLOR_APPWORKSPACE));
    if (m_pPreviewDC == nullptr)
        return;
    const CPoint scroll = GetDeviceScrollPosition();
    const CPoint offset = PrintableOffset();
    const int nHorzRes = m_pPreviewDC->GetDeviceCaps(HORZRES);
    const int nVertRes = m_pPreviewDC->GetDeviceCaps(VERTRES);
    for (int i = 0; i < 2; ++i)
    {
        const CRect page = m_rectPages[i];
        const UINT nPage = m_nCurrentPage + (UINT)i;
        if (page.IsRectEmpty() || !PageExists(nPage))
            continue;
        // The sheet: white, framed, with a shadow.
        pDC->FillSolidRect(page.left + 3, page.top + 3, page.Width(), page.Height(), ::GetSysColor(COLOR_BTNSHADOW));
        pDC->FillSolidRect(&page, RGB(255, 255, 255));
        CRect frame = page;
        frame.InflateRect(1, 1);
        CBrush black(RGB(0, 0, 0));
        pDC->FrameRect(&frame, &black);

        // The page itself, drawn by the view as on paper, within the printable part of the sheet.
        HDC hScreen = pDC->m_hDC;
        const int nSaved = ::SaveDC(hScreen);
        const CPoint origin(page.left + ::MulDiv(offset.x, m_nScaleNum, m_nScaleDen) - scroll.x,
                            page.top + ::MulDiv(offset.y, m_nScaleNum, m_nScaleDen) - scroll.y);
        CRect printable(origin.x, origin.y, origin.x + ::MulDiv(nHorzRes, m_nScaleNum, m_nScaleDen),
                        origin.y + ::MulDiv(nVertRes, m_nScaleNum, m_nScaleDen));
        CRect sheet = page;
        sheet.OffsetRect(-scroll);
        printable.IntersectRect(&printable, &sheet);
        HRGN hClip = ::CreateRectRgnIndirect(&printable);
        ::SelectClipRgn(hScreen, hClip);
        ::DeleteObject(hClip);

        m_pPreviewDC->SetOutputDC(hScreen);
        m_pPreviewDC->SetScaleRatio(m_nScaleNum, m_nScaleDen);
        m_pPreviewDC->SetTopLeftOffset(origin);
        m_pPreviewInfo->m_nCurPage = nPage;
        m_pPreviewInfo->m_bContinuePrinting = TRUE;
        m_pPrintView->OnPrepareDC(m_pPreviewDC, m_pPreviewInfo);
        m_pPreviewInfo->m_rectDraw.SetRect(0, 0, nHorzRes, nVertRes);
        m_pPreviewDC->DPtoLP(&m_pPreviewInfo->m_rectDraw);
        m_pPrintView->OnPrint(m_pPreviewDC, m_pPreviewInfo);
        m_pPreviewDC->ReleaseOutputDC();
        ::RestoreDC(hScreen, nSaved);
    }
}

BOOL CPreviewView::OnEraseBkgnd(CDC*)
{
    return TRUE;   // OnDraw paints all of it
}

void CPreviewView::OnSize(UINT nType, int cx, int cy)
{
    CScrollView::OnSize(nType, cx, cy);
    PositionPages();
    Invalidate(FALSE);
}

void CPreviewView::SetCurrentPage(UINT nPage, BOOL)
{
    if (m_pPreviewInfo == nullptr)
        return;
    const UINT nMin = m_pPreviewInfo->GetMinPage();
    nPage = std::clamp(nPage, nMin, std::max(nMin, m_pPreviewInfo->GetMaxPage()));
    while (nPage > nMin && !PageExists(nPage))
        --nPage;
    m_nCurrentPage = nPage;
    Invalidate(FALSE);
    OnDisplayPageNumber(m_nCurrentPage, PagesShown() == 2 && PageExists(m_nCurrentPage + 1) ? 2 : 1);
}

void CPreviewView::SetZoomState(int nNewState)
{
    m_nZoomState = std::clamp(nNewState, (int)ZOOM_OUT, (int)ZOOM_IN);
    PositionPages();
    SetCurrentPage(m_nCurrentPage);
}

void CPreviewView::OnDisplayPageNumber(UINT nPage, UINT nPagesDisplayed)
{
    // "Page %u\nPages %u-%u\n" and whatever the view added after the second line.
    const CString& description = m_pPreviewInfo->m_strPageDesc;
    const int nFirstEnd = description.Find('\n');
    const int nSecondEnd = nFirstEnd >= 0 ? description.Find('\n', nFirstEnd + 1) : -1;
    CString onePage = nFirstEnd >= 0 ? description.Left(nFirstEnd) : description;
    CString twoPages = nFirstEnd < 0 ? onePage
                       : nSecondEnd >= 0 ? description.Mid(nFirstEnd + 1, nSecondEnd - nFirstEnd - 1)
                                         : description.Mid(nFirstEnd + 1);
    CString suffix = nSecondEnd >= 0 ? description.Mid(nSecondEnd + 1) : CString();
    CString text;
    if (nPagesDisplayed == 1)
        text.Format(onePage, nPage);
    else
        text.Format(twoPages, nPage, nPage + nPagesDisplayed - 1);
    text += suffix;
    if (CFrameWnd* pFrame = GetParentFrame())
        pFrame->SetMessageText(text);
}

void CPreviewView::OnPreviewClose()
{
    // The print view ends preview and destroys this view: nothing of it may be used afterwards.
    m_pPrintView->OnEndPrintPreview(m_pPreviewDC, m_pPreviewInfo, CPoint(0, 0), this);
}

void CPreviewView::OnPreviewPrint()
{
    CView* pPrintView = m_pPrintView;
    OnPreviewClose();
    // Printed as from the menu, once preview is gone.
    pPrintView->PostMessage(WM_COMMAND, ID_FILE_PRINT);
}

void CPreviewView::OnNextPage()
{
    if (PageExists(m_nCurrentPage + PagesShown()))
        SetCurrentPage(m_nCurrentPage + 1);
}

void CPreviewView::OnPrevPage()
{
    if (m_nCurrentPage > m_pPreviewInfo->GetMinPage())
        SetCurrentPage(m_nCurrentPage - 1);
}

void CPreviewView::OnNumPageChange()
{
    m_nPages = 3 - m_nPages;
    if (CWinApp* pApp = AfxGetApp())
        pApp->m_nNumPreviewPages = m_nPages;
    PositionPages();
    SetCurrentPage(m_nCurrentPage);
}

void CPreviewView::OnZoomIn()
{
    SetZoomState(m_nZoomState + 1);
}

void CPreviewView::OnZoomOut()
{
    SetZoomState(m_nZoomState - 1);
}

void CPreviewView::OnUpdateNextPage(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(PageExists(m_nCurrentPage + PagesShown()));
}

void CPreviewView::OnUpdatePrevPage(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_pPreviewInfo != nullptr && m_nCurrentPage > m_pPreviewInfo->GetMinPage());
}

void CPreviewView::OnUpdateNumPageChange(CCmdUI* pCmdUI)
{
    CString text;
    AfxLoadString(m_nPages == 1 ? AFX_IDS_TWOPAGE : AFX_IDS_ONEPAGE, text);
    pCmdUI->SetText(text);
    pCmdUI->Enable(m_nZoomState == ZOOM_OUT);
}

void CPreviewView::OnUpdateZoomIn(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_nZoomState != ZOOM_IN);
}

void CPreviewView::OnUpdateZoomOut(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_nZoomState != ZOOM_OUT);
}
