// A view's printing: the printer (DoPreparePrinting), the print job's page loop and print preview.
#include "framework/docview/View.h"

#include <algorithm>

#include "framework/dialogs/FileDialog.h"
#include "framework/dialogs/PrintDialog.h"
#include "framework/docview/Document.h"
#include "framework/docview/FrameWnd.h"
#include "framework/docview/PreviewView.h"
#include "framework/docview/PrintInfo.h"
#include "framework/win/Dc.h"
#include "framework/win/FrameworkIds.h"
#include "framework/win/WinApp.h"

namespace {

// Keeps the program responsive between pages; FALSE ends the job (the program is closing).
BOOL CALLBACK AfxPrintAbortProc(HDC, int)
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE))
    {
        if (!AfxGetThread()->PumpMessage())
            return FALSE;
    }
    return TRUE;
}

// Closing the frame while it shows print preview closes the preview.
BOOL CALLBACK ClosePreviewOfFrame(CFrameWnd* pFrame)
{
    if (auto* pPreview = dynamic_cast<CPreviewView*>(pFrame->GetActiveView()))
        pPreview->OnPreviewClose();
    return TRUE;
}

} // namespace

// ---- The printer ----

BOOL CView::OnPreparePrinting(CPrintInfo* pInfo)
{
    return DoPreparePrinting(pInfo);
}

void CView::OnBeginPrinting(CDC*, CPrintInfo*)
{
}

void CView::OnPrint(CDC* pDC, CPrintInfo*)
{
    OnDraw(pDC);
}

void CView::OnEndPrinting(CDC*, CPrintInfo*)
{
}

BOOL CView::DoPreparePrinting(CPrintInfo* pInfo)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
        return FALSE;
    CPrintDialog* pPD = pInfo->m_pPD;
    // Without any printer the user hears it at once, not from an empty print dialog.
    PRINTDLGA defaults = {};
    if (!pApp->GetPrinterDeviceDefaults(&defaults))
    {
        AfxMessageBox(AFX_IDP_FAILED_TO_START_PRINT);
        return FALSE;
    }
    if (pInfo->m_bPreview || pInfo->m_bDirect)
    {
        // The application's printer, no dialog.
        pPD->m_pd.hDevNames = pApp->m_hDevNames;
        pPD->m_pd.hDevMode = pApp->m_hDevMode;
        pPD->m_pd.nFromPage = (WORD)pInfo->GetMinPage();
        pPD->m_pd.nToPage = (WORD)pInfo->GetMaxPage();
    }
    else
    {
        pPD->m_pd.nFromPage = (WORD)pInfo->GetMinPage();
        pPD->m_pd.nToPage = (WORD)pInfo->GetMaxPage();
        if (pApp->DoPrintDialog(pPD) != IDOK)
            return FALSE;
        // All pages unless the user gave a range.
        if (!(pPD->m_pd.Flags & PD_PAGENUMS))
        {
            pPD->m_pd.nFromPage = (WORD)pInfo->GetMinPage();
            pPD->m_pd.nToPage = (WORD)pInfo->GetMaxPage();
        }
    }
    if (pPD->m_pd.hDC == nullptr && pPD->CreatePrinterDC() == nullptr)
    {
        AfxMessageBox(AFX_IDP_FAILED_TO_START_PRINT);
        return FALSE;
    }
    return TRUE;
}

// ---- The print job ----

void CView::OnFilePrint()
{
    CPrintInfo printInfo;
    const MSG* pMsg = GetCurrentMessage();
    if (pMsg->message == WM_COMMAND && LOWORD(pMsg->wParam) == ID_FILE_PRINT_DIRECT)
        printInfo.m_bDirect = TRUE;
    if (!OnPreparePrinting(&printInfo))
        return;

    // Printing to a file asks for the file's name.
    CString output;
    if (!printInfo.m_bDirect && (printInfo.m_pPD->m_pd.Flags & PD_PRINTTOFILE))
    {
        CString defaultExt;
        CString defaultName;
        CString filter;
        CString caption;
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

    // The job is named by the document, or by the frame's caption without one.
    CString title;
    if (m_pDocument != nullptr)
        title = m_pDocument->GetTitle();
    else if (CFrameWnd* pFrame = GetParentFrame())
        pFrame->GetWindowText(title);

    DOCINFOA docInfo = {};
    docInfo.cbSize = sizeof docInfo;
    docInfo.lpszDocName = title;
    docInfo.lpszOutput = output.IsEmpty() ? nullptr : (LPCTSTR)output;

    CDC dcPrint;
    dcPrint.Attach(printInfo.m_pPD->m_pd.hDC);
    dcPrint.m_bPrinting = TRUE;
    OnBeginPrinting(&dcPrint, &printInfo);
    dcPrint.SetAbortProc(AfxPrintAbortProc);

    // The program waits for the job; its main window takes no input meanwhile.
    CWnd* pMainWnd = AfxGetMainWnd();
    const BOOL bEnableMain = pMainWnd != nullptr && pMainWnd->GetSafeHwnd() != nullptr && pMainWnd->IsWindowEnabled();
    if (bEnableMain)
        pMainWnd->EnableWindow(FALSE);

    if (dcPrint.StartDoc(&docInfo) <= 0)
    {
        if (bEnableMain)
            pMainWnd->EnableWindow(TRUE);
        OnEndPrinting(&dcPrint, &printInfo);
        dcPrint.Detach();   // the print information deletes it
        AfxMessageBox(AFX_IDP_FAILED_TO_START_PRINT);
        return;
    }

    // The pages asked for, within the pages the view has (backwards when asked so).
    const UINT nMin = printInfo.GetMinPage();
    const UINT nMax = printInfo.GetMaxPage();
    const UINT nStartPage = std::clamp(printInfo.GetFromPage(), nMin, std::max(nMin, nMax));
    UINT nEndPage = std::clamp(printInfo.GetToPage(), nMin, std::max(nMin, nMax));
    const int nStep = nEndPage >= nStartPage ? 1 : -1;
    // A last page of 0xFFFF is not known: the view's OnPrepareDC ends the job.
    nEndPage = nEndPage == 0xFFFF ? 0xFFFF : (UINT)((int)nEndPage + nStep);

    BOOL bError = FALSE;
    for (printInfo.m_nCurPage = nStartPage; printInfo.m_nCurPage != nEndPage; printInfo.m_nCurPage += nStep)
    {
        OnPrepareDC(&dcPrint, &printInfo);
        if (!printInfo.m_bContinuePrinting)
            break;
        printInfo.m_rectDraw.SetRect(0, 0, dcPrint.GetDeviceCaps(HORZRES), dcPrint.GetDeviceCaps(VERTRES));
        dcPrint.DPtoLP(&printInfo.m_rectDraw);
        if (dcPrint.StartPage() <= 0)
        {
            bError = TRUE;
            break;
        }
        // A printer may reset the device context at the start of a page.
        OnPrepareDC(&dcPrint, &printInfo);
        OnPrint(&dcPrint, &printInfo);
        if (dcPrint.EndPage() <= 0 || !AfxPrintAbortProc(dcPrint.m_hDC, 0))
        {
            bError = TRUE;
            break;
        }
    }
    if (bError)
        dcPrint.AbortDoc();
    else
        dcPrint.EndDoc();

    if (bEnableMain)
        pMainWnd->EnableWindow(TRUE);
    OnEndPrinting(&dcPrint, &printInfo);
    dcPrint.Detach();
}

// ---- Print preview ----

void CView::OnFilePrintPreview()
{
    auto* pState = new CPrintPreviewState;
    if (!DoPrintPreview(0, this, RUNTIME_CLASS(CPreviewView), pState))
        delete pState;
}

BOOL CView::DoPrintPreview(UINT, CView* pPrintView, CRuntimeClass* pPreviewViewClass, CPrintPreviewState* pState)
{
    // Preview takes the place of the main frame's client area (in an MDI program, of all documents).
    CFrameWnd* pParent = dynamic_cast<CFrameWnd*>(AfxGetMainWnd());
    if (pParent == nullptr)
        pParent = GetTopLevelFrame();
    if (pParent == nullptr || pParent->IsInPreview() || pState == nullptr || pPrintView == nullptr)
        return FALSE;
    if (pPreviewViewClass == nullptr)
        pPreviewViewClass = RUNTIME_CLASS(CPreviewView);
    auto* pView = AfxCreateObjectAs<CPreviewView>(pPreviewViewClass);
    if (pView == nullptr)
        return FALSE;

    pState->pViewActiveOld = pParent->GetActiveView();
    pState->lpfnCloseProc = ClosePreviewOfFrame;
    pParent->OnSetPreviewMode(TRUE, pState);

    auto* pBar = new CPreviewBar;
    HWND hWndBar = pBar->Create(pParent) ? pBar->m_hWnd : nullptr;   // a failed bar has deleted itself
    CCreateContext context;
    context.m_pCurrentFrame = pParent;
    context.m_pLastView = this;
    if (!pView->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 0, 0), pParent, AFX_IDW_PANE_FIRST,
                       &context))
    {
        if (hWndBar != nullptr)
            ::DestroyWindow(hWndBar);
        pParent->OnSetPreviewMode(FALSE, pState);
        return FALSE;
    }
    pView->m_hWndToolBar = hWndBar;
    pParent->SetActiveView(pView);
    if (!pView->SetPrintView(pPrintView))
    {
        // The view refused or there is no printer (the user has been told): all as before.
        pParent->SetActiveView(static_cast<CView*>(pState->pViewActiveOld), FALSE);
        pView->DestroyWindow();
        pParent->OnSetPreviewMode(FALSE, pState);
        return FALSE;
    }
    pView->m_pPreviewState = pState;
    pParent->RecalcLayout();
    pView->SetCurrentPage(pView->GetCurrentPage());
    pView->SetFocus();
    return TRUE;
}

void CView::OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT, CPreviewView* pView)
{
    OnEndPrinting(pDC, pInfo);
    CFrameWnd* pParent = pView->GetParentFrame();
    CPrintPreviewState* pState = pView->m_pPreviewState;
    pView->m_pPreviewState = nullptr;
    // The preview view, its bar and its device contexts go; pDC and pInfo with them.
    pView->DestroyWindow();
    if (pParent != nullptr && pState != nullptr)
    {
        pParent->OnSetPreviewMode(FALSE, pState);
        pParent->SetActiveView(static_cast<CView*>(pState->pViewActiveOld));
        // The view is the active one of its own frame again.
        CFrameWnd* pOwnFrame = GetParentFrame();
        if (pOwnFrame != nullptr && pOwnFrame != pParent)
        {
            pOwnFrame->SetActiveView(this, FALSE);
            OnActivateView(TRUE, this, this);
        }
        pParent->RecalcLayout();
        pParent->SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
        pParent->UpdateWindow();
    }
    delete pState;
}
