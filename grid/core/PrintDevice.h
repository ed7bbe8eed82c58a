#pragma once
// The printer settings of a grid: the DEVNAMES and DEVMODE blocks and the printer device context
// made from them. The printing work (print setup, device contexts, copies of the blocks) is the
// library's print-device component; without it every operation does nothing.

#include "framework/core/Object.h"

#include <windows.h>

class CGXPrintDevice;
class CPrintDialog;
class CView;
struct CPrintInfo;

class CGXAbstractPrintDeviceImp
{
public:
    virtual ~CGXAbstractPrintDeviceImp() = default;
    virtual void CreateDeviceHandles(CGXPrintDevice& device, const void* pNames, DWORD cbNames, const void* pMode,
                                     DWORD cbMode) = 0;
    virtual void GetDeviceInfo(CGXPrintDevice& device, HGLOBAL hNames, HGLOBAL hMode) = 0;
    virtual void DestroyDeviceHandles(CGXPrintDevice& device) = 0;
    // New heap copies of the blocks (NULL and 0 for a missing block), freed with FreeDeviceData.
    virtual void CopyDeviceData(CGXPrintDevice& device, HGLOBAL hNames, HGLOBAL hMode, void*& pNames, DWORD& cbNames,
                                void*& pMode, DWORD& cbMode) = 0;
    virtual void FreeDeviceData(CGXPrintDevice& device, void* pNames, void* pMode) = 0;
    virtual void PrintSetup(CGXPrintDevice& device) = 0;
    virtual HDC CreatePrinterDC(CGXPrintDevice& device) = 0;
    virtual void ResetPrinterDC(CGXPrintDevice& device) = 0;
    virtual void SetDeviceData(CGXPrintDevice& device, const void* pNames, const void* pMode) = 0;
    virtual BOOL CompareDevice(CGXPrintDevice& device, const void* pNames, DWORD cbNames, const void* pMode,
                               DWORD cbMode) = 0;
    // The application's printer becomes the device's (fresh copies of its blocks).
    virtual void SelectIntoApplication(CGXPrintDevice&) {}
    // The print dialog and the view's prepare-printing step on the device's printer; the user's
    // choice is kept in the device. With a NULL device only the application's step runs.
    virtual INT_PTR DoPrintDialog(CGXPrintDevice*, CPrintDialog*) { return IDCANCEL; }
    virtual BOOL DoPreparePrinting(CView*, CGXPrintDevice*, CPrintInfo*) { return FALSE; }
    // New global blocks (flags 0x0102) with copies of the device's; NULL when it holds none.
    virtual void CopyDeviceHandles(CGXPrintDevice&, HGLOBAL& hNames, HGLOBAL& hMode)
    {
        hNames = hMode = nullptr;
    }
    virtual BOOL CompareDeviceHandles(CGXPrintDevice&, HGLOBAL, HGLOBAL) { return FALSE; }
};

class CGXPrintDevice : public CObject
{
    DECLARE_SERIAL(CGXPrintDevice)

public:
    CGXPrintDevice();
    ~CGXPrintDevice() override;

    // Version word 1, then the names block and the mode block, each as a 32-bit size and its bytes.
    // Loading refuses a block whose sizes or string offsets reach outside it (badIndex).
    void Serialize(CArchive& ar) override;

    virtual HDC CreatePrinterDC();
    virtual void ResetPrinterDC();

    void CreateDeviceHandles(const void* pNames, DWORD cbNames, const void* pMode, DWORD cbMode);
    void GetDeviceInfo(HGLOBAL hNames, HGLOBAL hMode);
    void DestroyDeviceHandles();
    void CopyDeviceData(HGLOBAL hNames, HGLOBAL hMode, void*& pNames, DWORD& cbNames, void*& pMode, DWORD& cbMode);
    void GetDeviceData(void*& pNames, DWORD& cbNames, void*& pMode, DWORD& cbMode);
    void FreeDeviceData(void* pNames, void* pMode);
    void PrintSetup();
    // Print setup when no printer is chosen yet.
    void EnsureDevice();
    void SetDeviceData(const void* pNames, const void* pMode);
    BOOL CompareDevice(const void* pNames, DWORD cbNames, const void* pMode, DWORD cbMode);

    CGXPrintDevice& operator=(const CGXPrintDevice& other);

    // Held by the object; the component creates and frees them.
    HGLOBAL m_hDevMode = nullptr;
    HGLOBAL m_hDevNames = nullptr;
    HDC m_hPrintDC = nullptr;
    CGXAbstractPrintDeviceImp* m_pPrintDeviceImp;

private:
    CGXPrintDevice(const CGXPrintDevice&) = delete;
};
