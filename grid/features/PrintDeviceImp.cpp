#include "grid/features/PrintDeviceImp.h"

#include "framework/core/Exceptions.h"
#include "framework/dialogs/PrintDialog.h"
#include "framework/docview/PrintInfo.h"
#include "framework/docview/View.h"
#include "framework/win/PrinterSeam.h"
#include "framework/win/WinApp.h"
#include "grid/core/AppData.h"

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <new>

namespace
{
// Movable, discardable global memory.
const UINT kBlockFlags = GMEM_MOVEABLE | GMEM_DISCARDABLE;
// The flags of the print-setup dialog that fetches the default printer.
const DWORD kDefaultPrinterFlags = 0x14000C;

HGLOBAL NewBlock(const void* pBytes, DWORD cbBytes)
{
    HGLOBAL hBlock = ::GlobalAlloc(kBlockFlags, cbBytes);
    if (hBlock == nullptr)
        return nullptr;
    if (void* p = ::GlobalLock(hBlock))
    {
        std::memcpy(p, pBytes, cbBytes);
        ::GlobalUnlock(hBlock);
        return hBlock;
    }
    ::GlobalFree(hBlock);
    return nullptr;
}

// A copy of a global block on the heap (NULL and 0 for a NULL handle).
void* CopyBlock(HGLOBAL hBlock, DWORD& cbBlock)
{
    cbBlock = 0;
    if (hBlock == nullptr)
        return nullptr;
    const SIZE_T nSize = ::GlobalSize(hBlock);
    const void* pSource = ::GlobalLock(hBlock);
    if (pSource == nullptr || nSize == 0)
    {
        if (pSource != nullptr)
            ::GlobalUnlock(hBlock);
        return nullptr;
    }
    void* pCopy = std::malloc(nSize);
    if (pCopy != nullptr)
    {
        std::memcpy(pCopy, pSource, nSize);
        cbBlock = static_cast<DWORD>(nSize);
    }
    ::GlobalUnlock(hBlock);
    return pCopy;
}

BOOL SameBlock(HGLOBAL hHeld, const void* pBytes, DWORD cbBytes)
{
    DWORD cbHeld = 0;
    void* pHeld = CopyBlock(hHeld, cbHeld);
    // A missing block equals an empty buffer.
    const BOOL bSame = cbHeld == cbBytes && (cbBytes == 0 || std::memcmp(pHeld, pBytes, cbBytes) == 0);
    std::free(pHeld);
    return bSame;
}

// The byte size of a DEVNAMES record: up to the end of its last string.
DWORD DevNamesSize(const void* pNames)
{
    const auto* pDevNames = static_cast<const DEVNAMES*>(pNames);
    const char* pBase = static_cast<const char*>(pNames);
    WORD nEnd = sizeof(DEVNAMES);
    for (WORD nOffset : {pDevNames->wDriverOffset, pDevNames->wDeviceOffset, pDevNames->wOutputOffset})
    {
        const WORD nStringEnd = static_cast<WORD>(nOffset + std::strlen(pBase + nOffset) + 1);
        if (nStringEnd > nEnd)
            nEnd = nStringEnd;
    }
    return nEnd;
}
} // namespace

void CGXPrintDeviceImp::CreateDeviceHandles(CGXPrintDevice& device, const void* pNames, DWORD cbNames,
                                            const void* pMode, DWORD cbMode)
{
    DestroyDeviceHandles(device);
    BOOL bFailed = FALSE;
    if (pNames != nullptr && cbNames != 0)
    {
        device.m_hDevNames = NewBlock(pNames, cbNames);
        bFailed = device.m_hDevNames == nullptr;
    }
    if (pMode != nullptr && cbMode != 0)
    {
        device.m_hDevMode = NewBlock(pMode, cbMode);
        bFailed = bFailed || device.m_hDevMode == nullptr;
    }
    if (bFailed)
        AfxThrowMemoryException();
}

void CGXPrintDeviceImp::GetDeviceInfo(CGXPrintDevice& device, HGLOBAL hNames, HGLOBAL hMode)
{
    void* pNames = nullptr;
    void* pMode = nullptr;
    DWORD cbNames = 0;
    DWORD cbMode = 0;
    // Copied first: the handles may be the device's own.
    CopyDeviceData(device, hNames, hMode, pNames, cbNames, pMode, cbMode);
    try
    {
        CreateDeviceHandles(device, pNames, cbNames, pMode, cbMode);
    }
    catch (...)
    {
        FreeDeviceData(device, pNames, pMode);
        throw;
    }
    FreeDeviceData(device, pNames, pMode);
}

void CGXPrintDeviceImp::DestroyDeviceHandles(CGXPrintDevice& device)
{
    ResetPrinterDC(device);
    if (device.m_hDevNames != nullptr)
        ::GlobalFree(device.m_hDevNames);
    if (device.m_hDevMode != nullptr)
        ::GlobalFree(device.m_hDevMode);
    device.m_hDevNames = nullptr;
    device.m_hDevMode = nullptr;
}

void CGXPrintDeviceImp::CopyDeviceData(CGXPrintDevice&, HGLOBAL hNames, HGLOBAL hMode, void*& pNames, DWORD& cbNames,
                                       void*& pMode, DWORD& cbMode)
{
    pNames = CopyBlock(hNames, cbNames);
    pMode = CopyBlock(hMode, cbMode);
}

void CGXPrintDeviceImp::FreeDeviceData(CGXPrintDevice&, void* pNames, void* pMode)
{
    std::free(pNames);
    std::free(pMode);
}

void CGXPrintDeviceImp::PrintSetup(CGXPrintDevice& device)
{
    CPrintDialog dialog(TRUE, kDefaultPrinterFlags);
    if (!dialog.GetDefaults())
        return;
    if (auto* pMode = static_cast<DEVMODEA*>(::GlobalLock(dialog.m_pd.hDevMode)))
    {
        // A driver's mode may be shorter than this platform's: what lies past its size is not the field.
        if (AfxDevModeHolds(pMode, offsetof(DEVMODEA, dmTTOption) + sizeof pMode->dmTTOption))
        {
            pMode->dmTTOption = DMTT_BITMAP;
            pMode->dmFields |= DM_TTOPTION;
        }
        ::GlobalUnlock(dialog.m_pd.hDevMode);
    }
    GetDeviceInfo(device, dialog.m_pd.hDevNames, dialog.m_pd.hDevMode);
    if (dialog.m_pd.hDevNames != nullptr)
        ::GlobalFree(dialog.m_pd.hDevNames);
    if (dialog.m_pd.hDevMode != nullptr)
        ::GlobalFree(dialog.m_pd.hDevMode);
}

HDC CGXPrintDeviceImp::CreatePrinterDC(CGXPrintDevice& device)
{
    if (device.m_hPrintDC != nullptr)
        return device.m_hPrintDC;
    if (device.m_hDevNames == nullptr)
        PrintSetup(device);
    if (device.m_hDevNames == nullptr)
        return nullptr;
    const auto* pNames = static_cast<const DEVNAMES*>(::GlobalLock(device.m_hDevNames));
    if (pNames == nullptr)
        return nullptr;
    const char* pBase = reinterpret_cast<const char*>(pNames);
    const auto* pMode = device.m_hDevMode != nullptr ? static_cast<const DEVMODEA*>(::GlobalLock(device.m_hDevMode))
                                                     : nullptr;
    device.m_hPrintDC = AfxCreatePrinterDC(pBase + pNames->wDriverOffset, pBase + pNames->wDeviceOffset,
                                           pBase + pNames->wOutputOffset, pMode);
    if (pMode != nullptr)
        ::GlobalUnlock(device.m_hDevMode);
    ::GlobalUnlock(device.m_hDevNames);
    return device.m_hPrintDC;
}

void CGXPrintDeviceImp::ResetPrinterDC(CGXPrintDevice& device)
{
    if (device.m_hPrintDC != nullptr)
        ::DeleteDC(device.m_hPrintDC);
    device.m_hPrintDC = nullptr;
}

void CGXPrintDeviceImp::SetDeviceData(CGXPrintDevice& device, const void* pNames, const void* pMode)
{
    const DWORD cbNames = pNames != nullptr ? DevNamesSize(pNames) : 0;
    DWORD cbMode = 0;
    if (pMode != nullptr)
    {
        const auto* pDevMode = static_cast<const DEVMODEA*>(pMode);
        cbMode = pDevMode->dmSize + pDevMode->dmDriverExtra;
    }
    CreateDeviceHandles(device, pNames, cbNames, pMode, cbMode);
}

BOOL CGXPrintDeviceImp::CompareDevice(CGXPrintDevice& device, const void* pNames, DWORD cbNames, const void* pMode,
                                      DWORD cbMode)
{
    return SameBlock(device.m_hDevNames, pNames, cbNames) && SameBlock(device.m_hDevMode, pMode, cbMode);
}

void CGXPrintDeviceImp::CopyDeviceHandles(CGXPrintDevice& device, HGLOBAL& hNames, HGLOBAL& hMode)
{
    hNames = nullptr;
    hMode = nullptr;
    if (device.m_hDevNames == nullptr)
        return;
    void* pNames = nullptr;
    void* pMode = nullptr;
    DWORD cbNames = 0;
    DWORD cbMode = 0;
    CopyDeviceData(device, device.m_hDevNames, device.m_hDevMode, pNames, cbNames, pMode, cbMode);
    hNames = cbNames != 0 ? NewBlock(pNames, cbNames) : nullptr;
    hMode = cbMode != 0 ? NewBlock(pMode, cbMode) : nullptr;
    FreeDeviceData(device, pNames, pMode);
    if ((cbNames != 0 && hNames == nullptr) || (cbMode != 0 && hMode == nullptr))
    {
        if (hNames != nullptr)
            ::GlobalFree(hNames);
        if (hMode != nullptr)
            ::GlobalFree(hMode);
        hNames = hMode = nullptr;
        AfxThrowMemoryException();
    }
}

BOOL CGXPrintDeviceImp::CompareDeviceHandles(CGXPrintDevice& device, HGLOBAL hNames, HGLOBAL hMode)
{
    void* pNames = nullptr;
    void* pMode = nullptr;
    DWORD cbNames = 0;
    DWORD cbMode = 0;
    CopyDeviceData(device, hNames, hMode, pNames, cbNames, pMode, cbMode);
    const BOOL bSame = CompareDevice(device, pNames, cbNames, pMode, cbMode);
    FreeDeviceData(device, pNames, pMode);
    return bSame;
}

void CGXPrintDeviceImp::SelectIntoApplication(CGXPrintDevice& device)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
        return;
    HGLOBAL hNames = nullptr;
    HGLOBAL hMode = nullptr;
    CopyDeviceHandles(device, hNames, hMode);
    if (pApp->m_hDevNames != nullptr)
        ::GlobalFree(pApp->m_hDevNames);
    if (pApp->m_hDevMode != nullptr)
        ::GlobalFree(pApp->m_hDevMode);
    pApp->m_hDevNames = hNames;
    pApp->m_hDevMode = hMode;
}

INT_PTR CGXPrintDeviceImp::DoPrintDialog(CGXPrintDevice* pDevice, CPrintDialog* pPD)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr || pPD == nullptr)
        return IDCANCEL;
    if (pDevice == nullptr)
        return pApp->DoPrintDialog(pPD);
    CWaitCursor wait;
    if (pDevice->m_hDevNames == nullptr)
        PrintSetup(*pDevice);
    SelectIntoApplication(*pDevice);
    const INT_PTR nResult = pApp->DoPrintDialog(pPD);
    if (nResult == IDOK)
        GetDeviceInfo(*pDevice, pPD->m_pd.hDevNames, pPD->m_pd.hDevMode);
    return nResult;
}

BOOL CGXPrintDeviceImp::DoPreparePrinting(CView* pView, CGXPrintDevice* pDevice, CPrintInfo* pInfo)
{
    if (pView == nullptr || pInfo == nullptr)
        return FALSE;
    if (pDevice == nullptr)
        return pView->DoPreparePrinting(pInfo);
    CWaitCursor wait;
    if (pDevice->m_hDevNames == nullptr)
        PrintSetup(*pDevice);
    SelectIntoApplication(*pDevice);
    const BOOL bPrepared = pView->DoPreparePrinting(pInfo);
    if (bPrepared && pInfo->m_pPD != nullptr &&
        !CompareDeviceHandles(*pDevice, pInfo->m_pPD->m_pd.hDevNames, pInfo->m_pPD->m_pd.hDevMode))
        GetDeviceInfo(*pDevice, pInfo->m_pPD->m_pd.hDevNames, pInfo->m_pPD->m_pd.hDevMode);
    return bPrepared;
}

void InstallPrintDeviceImp()
{
    CGXAppData* pAppData = GXGetAppData();
    if (pAppData->m_pPrintDeviceImp != nullptr)
        return;
    auto* pImp = new (std::nothrow) CGXPrintDeviceImp;
    if (pImp == nullptr)
        return;
    pAppData->AddOwnedObject(pImp);
    pAppData->m_pPrintDeviceImp = pImp;
}
