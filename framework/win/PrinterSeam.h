// The printer seam: making a printer's device context, the calls of a print job and the page
// metrics that GetDeviceCaps reports. The real printer by default; tests install a recorded printer
// (PrinterRecorder.h), since Wine has none here. Installing nullptr restores the default.
#pragma once

#include "framework/win/Seams.h"

#include <windows.h>

class CPrinterSeam
{
public:
    virtual ~CPrinterSeam() = default;
    // CreateDCA for the printer of the driver, device and port names with its device mode (which
    // may be NULL); NULL when there is no such printer.
    virtual HDC CreateDC(LPCTSTR lpszDriver, LPCTSTR lpszDevice, LPCTSTR lpszOutput, const DEVMODEA* pDevMode) = 0;
    // The job calls, with the answers of the Win32 functions (a positive value on success).
    virtual int StartDoc(HDC hDC, const DOCINFOA* pDocInfo) = 0;
    virtual int StartPage(HDC hDC) = 0;
    virtual int EndPage(HDC hDC) = 0;
    virtual int EndDoc(HDC hDC) = 0;
    virtual int AbortDoc(HDC hDC) = 0;
    virtual int SetAbortProc(HDC hDC, ABORTPROC pfnAbort) = 0;
    // GetDeviceCaps of any device context; a seam answers the metrics of its own printer's.
    virtual int GetDeviceCaps(HDC hDC, int nIndex) = 0;
};

CPrinterSeam* AfxSetPrinterSeam(CPrinterSeam* pSeam);
using CScopedPrinterSeam = CScopedSeam<CPrinterSeam, AfxSetPrinterSeam>;

// The seam as the framework calls it.
HDC AfxCreatePrinterDC(LPCTSTR lpszDriver, LPCTSTR lpszDevice, LPCTSTR lpszOutput, const DEVMODEA* pDevMode);
int AfxStartDoc(HDC hDC, const DOCINFOA* pDocInfo);
int AfxStartPage(HDC hDC);
int AfxEndPage(HDC hDC);
int AfxEndDoc(HDC hDC);
int AfxAbortDoc(HDC hDC);
int AfxSetAbortProc(HDC hDC, ABORTPROC pfnAbort);
int AfxGetDeviceCaps(HDC hDC, int nIndex);
