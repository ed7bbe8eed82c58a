// The real printer behind the printer seam.
#include "framework/win/PrinterSeam.h"

#include <utility>

namespace {

CPrinterSeam* g_pPrinterSeam = nullptr;

} // namespace

CPrinterSeam* AfxSetPrinterSeam(CPrinterSeam* pSeam)
{
    return std::exchange(g_pPrinterSeam, pSeam);
}

HDC AfxCreatePrinterDC(LPCTSTR lpszDriver, LPCTSTR lpszDevice, LPCTSTR lpszOutput, const DEVMODEA* pDevMode)
{
    if (g_pPrinterSeam != nullptr)
        return g_pPrinterSeam->CreateDC(lpszDriver, lpszDevice, lpszOutput, pDevMode);
    return ::CreateDCA(lpszDriver, lpszDevice, lpszOutput, pDevMode);
}

int AfxStartDoc(HDC hDC, const DOCINFOA* pDocInfo)
{
    return g_pPrinterSeam != nullptr ? g_pPrinterSeam->StartDoc(hDC, pDocInfo) : ::StartDocA(hDC, pDocInfo);
}

int AfxStartPage(HDC hDC)
{
    return g_pPrinterSeam != nullptr ? g_pPrinterSeam->StartPage(hDC) : ::StartPage(hDC);
}

int AfxEndPage(HDC hDC)
{
    return g_pPrinterSeam != nullptr ? g_pPrinterSeam->EndPage(hDC) : ::EndPage(hDC);
}

int AfxEndDoc(HDC hDC)
{
    return g_pPrinterSeam != nullptr ? g_pPrinterSeam->EndDoc(hDC) : ::EndDoc(hDC);
}

int AfxAbortDoc(HDC hDC)
{
    return g_pPrinterSeam != nullptr ? g_pPrinterSeam->AbortDoc(hDC) : ::AbortDoc(hDC);
}

int AfxSetAbortProc(HDC hDC, ABORTPROC pfnAbort)
{
    return g_pPrinterSeam != nullptr ? g_pPrinterSeam->SetAbortProc(hDC, pfnAbort) : ::SetAbortProc(hDC, pfnAbort);
}

int AfxGetDeviceCaps(HDC hDC, int nIndex)
{
    return g_pPrinterSeam != nullptr ? g_pPrinterSeam->GetDeviceCaps(hDC, nIndex) : ::GetDeviceCaps(hDC, nIndex);
}
