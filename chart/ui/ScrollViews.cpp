// The scrolling chart views: the scroll sizes of the chart, the view that holds its own chart, and that
// view's print loop.
#include "chart/ui/ScrollViews.h"

#include <algorithm>

#include "chart/model/Graph.h"
#include "chart/model/GraphComponent.h"
#include "chart/ui/ChartViewIds.h"
#include "framework/dialogs/FileDialog.h"
#include "framework/dialogs/PrintDialog.h"
#include "framework/docview/PrintInfo.h"
#include "framework/win/Dc.h"
#include "framework/win/FrameworkIds.h"
#include "framework/win/PrinterSeam.h"
#include "framework/win/WinApp.h"

// ---- QVGScrollView ----

IMPLEMENT_DYNCREATE(QVGScrollView, CScrollView)

BEGIN_MESSAGE_MAP(QVGScrollView, CScrollView)
    QVG_GRAPH_VIEW_MESSAGE_ENTRIES()
END_MESSAGE_MAP()

QVGScrollView::QVGScrollView() = default;

QVGScrollView::~QVGScrollView() = default;

void QVGScrollView::OnInitialUpdate()
{
    QVGraphViewImpl<CScrollView>::OnInitialUpdate();
    CSize size(defaultWidth, defaultHeight);
    if (QVGraph* pChart = GetGraph()) {
        if (pChart->HasFixedRect())
            size = pChart->GetFixedRect().Size();
        else
            pChart->SetFixedRect(CRect(0, 0, defaultWidth, defaultHeight), pChart->GetPlacement());
    }
    SetScrollSizes(MM_TEXT, size);
}

// ---- QVEScrollView ----

IMPLEMENT_DYNCREATE(QVEScrollView, QVGScrollView)

BEGIN_MESSAGE_MAP(QVEScrollView, QVGScrollView)
    ON_WM_CREATE()
    ON_WM_MOUSEACTIVATE()
    // Outside the document/view pairing the view prints with its own loop.
    ON_COMMAND_RANGE(ID_FILE_PRINT, ID_FILE_PRINT, OnFilePrint)
    ON_COMMAND_RANGE(ID_FILE_PRINT_DIRECT, ID_FILE_PRINT_DIRECT, OnFilePrint)
END_MESSAGE_MAP()

QVEScrollView::QVEScrollView() : m_pChart(nullptr), m_bDeleteOnDestroy(0), m_nReserved1(0), m_nReserved2(0)
{
}

QVEScrollView::~QVEScrollView() = default;

QVGraph* QVEScrollView::GetGraph()
{
    return m_pChart;
}

int QVEScrollView::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    // No palette: the window that holds the view realizes its own.
    return CScrollView::OnCreate(lpCreateStruct) == -1 ? -1 : 0;
}

int QVEScrollView::OnMouseActivate(CWnd*, UINT, UINT)
{
    // Not in a frame: a click activates without looking for one.
    return MA_ACTIVATE;
}

void QVEScrollView::PostNcDestroy()
{
    // Its owner deletes a view that is a member of something.
    if (m_bDeleteOnDestroy)
        delete this;
}

QVGraphComponent* QVEScrollView::ComponentAt(int x, int y)
{
    QVGraph* pChart = GetGraph();
    if (pChart == nullptr)
        return nullptr;
    QVGraphComponent* pFound = nullptr;
    CObList* pList = pChart->GetComponentList();
    for (POSITION pos = pList->GetHeadPosition(); pos != nullptr;) {
        auto* pComponent = static_cast<QVGraphComponent*>(pList->GetNext(pos));
        CRect rect = pComponent->GetRectObject()->ToDeviceRect(nullptr, this);
        rect.NormalizeRect();
        if (rect.PtInRect(CPoint(x, y)))
            pFound = pComponent;
    }
    return pFound;
}

void QVEScrollView::OnFilePrint(UINT nID)
{
    PrintChart(nID == ID_FILE_PRINT_DIRECT);
}

namespace {

// Keeps the program responsive between pages; FALSE ends the job (the program is closing).
BOOL CALLBACK ChartPrintAbortProc(HDC, int)
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
        if (!AfxGetThread()->PumpMessage())
            return FALSE;
    }
    return TRUE;
}

// The printer of the application's printer names, or NULL.
HDC CreateApplicationPrinterDC(CWinApp* pApp)
{
    auto* pNames = static_cast<DEVNAMES*>(::GlobalLock(pApp->m_hDevNames));
    if (pNames == nullptr)
        return nullptr;
    const char* pText = reinterpret_cast<const char*>(pNames);
    auto* pMode = pApp->m_hDevMode != nullptr ? static_cast<DEVMODEA*>(::GlobalLock(pApp->m_hDevMode)) : nullptr;
    HDC hDC = AfxCreatePrinterDC(pText + pNames->wDriverOffset, pText + pNames->wDeviceOffset,
                                 pText + pNames->wOutputOffset, pMode);
    if (pMode != nullptr)
        ::GlobalUnlock(pApp->m_hDevMode);
    ::GlobalUnlock(pApp->m_hDevNames);
    return hDC;
}

} // namespace

void QVEScrollView::PrintChart(BOOL bDirect)
{
    CPrintInfo printInfo;
    printInfo.m_bDirect = bDirect;
    CWinApp* pApp = AfxGetApp();
    if (bDirect && pApp != nullptr && pApp->m_hDevNames != nullptr) {
        HDC hDC = CreateApplicationPrinterDC(pApp);
        if (hDC == nullptr) {
            AfxMessageBox(AFX_IDP_FAILED_TO_START_PRINT);
            return;
        }
        printInfo.m_pPD->m_pd.hDC = hDC;   // the print information deletes it
    }
    if (!OnPreparePrinting(&printInfo))
        return;

    CString output;
    if (!printInfo.m_bDirect && (printInfo.m_pPD->m_pd.Flags & PD_PRINTTOFILE)) {
        CString defaultExt, defaultName, filter, caption;
        AfxLoadString(AFX_IDS_PRINTDEFAULTEXT, defaultExt);
        AfxLoadString(AFX_IDS_PRINTDEFAULT, defaultName);
        AfxLoadString(AFX_IDS_PRINTFILTER, filter);
        AfxLoadString(AFX_IDS_PRINTCAPTION, caption);
        CFileDialog dialog(FALSE, defaultExt, defaultName, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, filter);
        dialog.m_ofn.lpstrTitle = caption;
        if (dialog.DoModal() != IDOK)
            return;
        output = dialog.GetPathName();
    }

    CString title = "No name document";
    if (m_hWnd != nullptr) {
        if (HWND hParent = ::GetParent(m_hWnd)) {
            char text[256] = "";
            ::GetWindowTextA(hParent, text, sizeof text);
            title = text;
        }
    }
    DOCINFOA docInfo = {};
    docInfo.cbSize = sizeof docInfo;
    docInfo.lpszDocName = title;
    docInfo.lpszOutput = output.IsEmpty() ? nullptr : (LPCTSTR)output;

    CDC dcPrint;
    dcPrint.Attach(printInfo.m_pPD->m_pd.hDC);
    dcPrint.m_bPrinting = TRUE;
    OnBeginPrinting(&dcPrint, &printInfo);
    dcPrint.SetAbortProc(ChartPrintAbortProc);
    CWnd* pMainWnd = AfxGetMainWnd();
    const BOOL bEnableMain = pMainWnd != nullptr && pMainWnd->GetSafeHwnd() != nullptr && pMainWnd->IsWindowEnabled();
    if (bEnableMain)
        pMainWnd->EnableWindow(FALSE);

    if (dcPrint.StartDoc(&docInfo) <= 0) {
        if (bEnableMain)
            pMainWnd->EnableWindow(TRUE);
        OnEndPrinting(&dcPrint, &printInfo);
        dcPrint.Detach();
        AfxMessageBox(AFX_IDP_FAILED_TO_START_PRINT);
        return;
    }

    const int nMin = int(printInfo.GetMinPage());
    const int nMax = int(printInfo.GetMaxPage());
    BOOL bError = FALSE;
    if (nMin <= nMax) {
        const int nFrom = std::clamp(int(printInfo.GetFromPage()), nMin, nMax);
        const int nTo = std::clamp(int(printInfo.GetToPage()), nMin, nMax);
        const int nStep = nTo >= nFrom ? 1 : -1;
        for (int nPage = nFrom; nPage != nTo + nStep; nPage += nStep) {
            printInfo.m_nCurPage = UINT(nPage);
            OnPrepareDC(&dcPrint, &printInfo);
            if (!printInfo.m_bContinuePrinting)
                break;
            printInfo.m_rectDraw.SetRect(0, 0, dcPrint.GetDeviceCaps(HORZRES), dcPrint.GetDeviceCaps(VERTRES));
            dcPrint.DPtoLP(&printInfo.m_rectDraw);
            if (dcPrint.StartPage() <= 0) {
                bError = TRUE;
                break;
            }
            OnPrepareDC(&dcPrint, &printInfo);
            OnPrint(&dcPrint, &printInfo);
            if (dcPrint.EndPage() <= 0 || !ChartPrintAbortProc(dcPrint.m_hDC, 0)) {
                bError = TRUE;
                break;
            }
        }
    }
    if (bError)
        dcPrint.AbortDoc();
    else
        dcPrint.EndDoc();

    if (bEnableMain)
        pMainWnd->EnableWindow(TRUE);
    OnEndPrinting(&dcPrint, &printInfo);
    dcPrint.Detach();   // the print information deletes the printer DC
}
