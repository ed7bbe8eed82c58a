#include "tests/fuzz/FuzzGrid.h"

#include "tests/fuzz/Fuzz.h"

#include "framework/dialogs/PrintDialog.h"
#include "framework/docview/PrintInfo.h"
#include "framework/win/Dc.h"
#include "framework/win/PrinterRecorder.h"
#include "framework/win/SeamRecorders.h"
#include "framework/win/WinApp.h"
#include "grid/core/AppData.h"
#include "grid/core/GridParam.h"
#include "grid/core/GridWnd.h"
#include "grid/core/PrintDevice.h"

#include <windows.h>

#include <optional>

namespace
{
const int CanvasWidth = 240;
const int CanvasHeight = 160;

void PaintGrid(CGXGridWnd& grid)
{
    HDC hScreen = ::GetDC(nullptr);
    HDC hMem = ::CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, CanvasWidth, CanvasHeight);
    ::ReleaseDC(nullptr, hScreen);
    HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
    CDC dc;
    dc.Attach(hMem);
    grid.DrawGridArea(&dc);
    dc.Detach();
    ::SelectObject(hMem, hOld);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hMem);
}

// Print setup answers as a user who confirms the printer offered; the default printer is the
// recording printer's.
BOOL ConfirmPrintDialog(CCommonDialog* pDialog, INT_PTR& nResult)
{
    auto* pPrint = dynamic_cast<CPrintDialog*>(pDialog);
    if (pPrint == nullptr)
        return FALSE;
    if (pPrint->m_pd.Flags & PD_RETURNDEFAULT)
    {
        pPrint->m_pd.hDevNames = CRecordingPrinter::MakeDevNames("winspool", "Fuzz Printer", "FILE:");
        pPrint->m_pd.hDevMode = CRecordingPrinter::MakeDevMode("Fuzz Printer", DMORIENT_PORTRAIT);
    }
    else
    {
        // The dialog shows the printer it was given.
        CRecordingPrinter::DevNamesDevice(pPrint->m_pd.hDevNames);
    }
    nResult = IDOK;
    return TRUE;
}

void PrintFirstPage(CGXGridWnd& grid)
{
    // A small page keeps the run fast: a tenth of a letter page at 20 dots per inch.
    CRecordingPrinter printer(170, 220, 20);
    CScopedPrinterSeam scopedPrinter(&printer);
    CFunctionModalHook hook;
    hook.onCommonDialog = ConfirmPrintDialog;
    CScopedModalHook scopedHook(&hook);
    // Print setup hands the grid's printer to the application's print dialog.
    std::optional<CWinApp> app;
    if (AfxGetApp() == nullptr)
        app.emplace("Fuzz");

    CGXPrintDevice* pDevice = grid.GetParam()->GetPrintDevice();
    HDC hPrinter = nullptr;
    if (pDevice != nullptr)
    {
        if (CGXAbstractPrintDeviceImp* pImp = GXGetAppData()->m_pPrintDeviceImp)
        {
            CPrintDialog dialog(TRUE);
            pImp->DoPrintDialog(pDevice, &dialog);
        }
        hPrinter = pDevice->CreatePrinterDC();
    }
    if (hPrinter == nullptr)
        hPrinter = printer.CreateDC("winspool", "Fuzz Printer", "FILE:", nullptr);

    CDC dc;
    dc.Attach(hPrinter);
    dc.m_bPrinting = TRUE;
    DOCINFOA job = {};
    job.cbSize = sizeof job;
    job.lpszDocName = "Fuzz";
    AfxStartDoc(hPrinter, &job);
    AfxStartPage(hPrinter);
    CPrintInfo info;
    grid.OnGridBeginPrinting(&dc, &info);
    info.m_nCurPage = 1;
    grid.OnGridPrint(&dc, &info);
    grid.OnGridEndPrinting(&dc, &info);
    AfxEndPage(hPrinter);
    AfxEndDoc(hPrinter);
    dc.Detach();
    if (pDevice != nullptr)
        pDevice->ResetPrinterDC();
}
} // namespace

void FuzzStartGridLibrary()
{
    static const bool started = [] {
        GXStartLibrary();
        return true;
    }();
    (void)started;
}

void FuzzShowGrid(CGXGridParam* pParam, bool bPrint)
{
    FuzzStartGridLibrary();
    CGXGridWnd grid;
    if (!grid.CreateEx(0, "GXWND", "", WS_POPUP | WS_VSCROLL | WS_HSCROLL, 0, 0, CanvasWidth, CanvasHeight, nullptr,
                       nullptr, nullptr))
        throw FuzzFault("no grid window could be made");
    struct Destroy
    {
        CGXGridWnd& grid;
        ~Destroy() { grid.DestroyWindow(); }
    } destroy{grid};
    if (pParam != nullptr)
        grid.SetParam(pParam, FALSE);
    grid.Initialize();
    grid.InstallCoveredCells();
    grid.InstallMergeCells();
    grid.InstallFloatCells();
    PaintGrid(grid);
    if (bPrint)
        PrintFirstPage(grid);
}
