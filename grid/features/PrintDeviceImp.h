#pragma once
// A grid's own printer settings: the DEVNAMES and DEVMODE blocks of its printer object, the default
// printer when it holds none, the printer device context made from them, and the hand-over to the
// application around the print dialog and the prepare-printing step, so the dialog opens on the
// grid's printer and the user's choice goes back into the grid's settings.

#include "grid/core/PrintDevice.h"

class CGXPrintDeviceImp : public CGXAbstractPrintDeviceImp
{
public:
    void CreateDeviceHandles(CGXPrintDevice& device, const void* pNames, DWORD cbNames, const void* pMode,
                             DWORD cbMode) override;
    // Copies the blocks behind the handles into the device.
    void GetDeviceInfo(CGXPrintDevice& device, HGLOBAL hNames, HGLOBAL hMode) override;
    void DestroyDeviceHandles(CGXPrintDevice& device) override;
    void CopyDeviceData(CGXPrintDevice& device, HGLOBAL hNames, HGLOBAL hMode, void*& pNames, DWORD& cbNames,
                        void*& pMode, DWORD& cbMode) override;
    void FreeDeviceData(CGXPrintDevice& device, void* pNames, void* pMode) override;
    // The default printer's settings, TrueType fonts printed as graphics.
    void PrintSetup(CGXPrintDevice& device) override;
    HDC CreatePrinterDC(CGXPrintDevice& device) override;
    void ResetPrinterDC(CGXPrintDevice& device) override;
    void SetDeviceData(CGXPrintDevice& device, const void* pNames, const void* pMode) override;
    BOOL CompareDevice(CGXPrintDevice& device, const void* pNames, DWORD cbNames, const void* pMode,
                       DWORD cbMode) override;
    void SelectIntoApplication(CGXPrintDevice& device) override;
    INT_PTR DoPrintDialog(CGXPrintDevice* pDevice, CPrintDialog* pPD) override;
    BOOL DoPreparePrinting(CView* pView, CGXPrintDevice* pDevice, CPrintInfo* pInfo) override;
    void CopyDeviceHandles(CGXPrintDevice& device, HGLOBAL& hNames, HGLOBAL& hMode) override;
    BOOL CompareDeviceHandles(CGXPrintDevice& device, HGLOBAL hNames, HGLOBAL hMode) override;
};

// Creates the application-wide component once and hands it to the library's application data.
void InstallPrintDeviceImp();
