#include "grid/core/PrintDevice.h"

#include "framework/core/Archive.h"
#include "framework/core/Exceptions.h"
#include "grid/core/AppData.h"
#include "grid/core/GridCollections.h"

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <memory>

IMPLEMENT_SERIAL(CGXPrintDevice, CObject, 1)

CGXPrintDevice::CGXPrintDevice() : m_pPrintDeviceImp(GXGetAppData()->m_pPrintDeviceImp)
{
}

CGXPrintDevice::~CGXPrintDevice()
{
    DestroyDeviceHandles();
}

HDC CGXPrintDevice::CreatePrinterDC()
{
    return m_pPrintDeviceImp != nullptr ? m_pPrintDeviceImp->CreatePrinterDC(*this) : nullptr;
}

void CGXPrintDevice::ResetPrinterDC()
{
    if (m_pPrintDeviceImp != nullptr)
        m_pPrintDeviceImp->ResetPrinterDC(*this);
    m_hPrintDC = nullptr;
}

void CGXPrintDevice::CreateDeviceHandles(const void* pNames, DWORD cbNames, const void* pMode, DWORD cbMode)
{
    if (m_pPrintDeviceImp != nullptr)
        m_pPrintDeviceImp->CreateDeviceHandles(*this, pNames, cbNames, pMode, cbMode);
}

void CGXPrintDevice::GetDeviceInfo(HGLOBAL hNames, HGLOBAL hMode)
{
    if (m_pPrintDeviceImp != nullptr)
        m_pPrintDeviceImp->GetDeviceInfo(*this, hNames, hMode);
}

void CGXPrintDevice::DestroyDeviceHandles()
{
    if (m_pPrintDeviceImp != nullptr)
        m_pPrintDeviceImp->DestroyDeviceHandles(*this);
}

void CGXPrintDevice::CopyDeviceData(HGLOBAL hNames, HGLOBAL hMode, void*& pNames, DWORD& cbNames, void*& pMode,
                                    DWORD& cbMode)
{
    pNames = pMode = nullptr;
    cbNames = cbMode = 0;
    if (m_pPrintDeviceImp != nullptr)
        m_pPrintDeviceImp->CopyDeviceData(*this, hNames, hMode, pNames, cbNames, pMode, cbMode);
}

void CGXPrintDevice::GetDeviceData(void*& pNames, DWORD& cbNames, void*& pMode, DWORD& cbMode)
{
    CopyDeviceData(m_hDevNames, m_hDevMode, pNames, cbNames, pMode, cbMode);
}

void CGXPrintDevice::FreeDeviceData(void* pNames, void* pMode)
{
    if (m_pPrintDeviceImp != nullptr)
        m_pPrintDeviceImp->FreeDeviceData(*this, pNames, pMode);
}

void CGXPrintDevice::PrintSetup()
{
    if (m_pPrintDeviceImp != nullptr)
        m_pPrintDeviceImp->PrintSetup(*this);
}

void CGXPrintDevice::EnsureDevice()
{
    if (m_hDevNames == nullptr)
        PrintSetup();
}

void CGXPrintDevice::SetDeviceData(const void* pNames, const void* pMode)
{
    if (m_pPrintDeviceImp != nullptr)
        m_pPrintDeviceImp->SetDeviceData(*this, pNames, pMode);
}

BOOL CGXPrintDevice::CompareDevice(const void* pNames, DWORD cbNames, const void* pMode, DWORD cbMode)
{
    return m_pPrintDeviceImp != nullptr ? m_pPrintDeviceImp->CompareDevice(*this, pNames, cbNames, pMode, cbMode)
                                        : FALSE;
}

CGXPrintDevice& CGXPrintDevice::operator=(const CGXPrintDevice& other)
{
    if (&other != this)
        GetDeviceInfo(other.m_hDevNames, other.m_hDevMode);
    return *this;
}

namespace
{
struct FreeBlock
{
    void operator()(void* p) const { std::free(p); }
};
typedef std::unique_ptr<void, FreeBlock> BlockPtr;

// A block read from the archive: its size is bounded by what the archive still holds.
BlockPtr ReadBlock(CArchive& ar, DWORD& cbBlock)
{
    ar >> cbBlock;
    if (cbBlock == 0)
        return BlockPtr();
    GXCheckArchiveCount(ar, cbBlock, 1);
    BlockPtr block(std::malloc(cbBlock));
    if (!block)
        AfxThrowMemoryException();
    if (ar.Read(block.get(), cbBlock) != cbBlock)
        AfxThrowArchiveException(CArchiveException::endOfFile);
    return block;
}

// Print setup and the printer device context read the names block's strings at the offsets it
// holds: each offset must lie behind the header and its string end inside the block.
bool IsSoundDevNames(const void* pBlock, DWORD cbBlock)
{
    if (pBlock == nullptr)
        return true;
    if (cbBlock < sizeof(DEVNAMES))
        return false;
    const auto* pNames = static_cast<const DEVNAMES*>(pBlock);
    const char* pBytes = static_cast<const char*>(pBlock);
    for (const WORD nOffset : {pNames->wDriverOffset, pNames->wDeviceOffset, pNames->wOutputOffset})
    {
        if (nOffset < sizeof(DEVNAMES) || nOffset >= cbBlock)
            return false;
        if (std::memchr(pBytes + nOffset, '\0', cbBlock - nOffset) == nullptr)
            return false;
    }
    return true;
}

// The device mode is read as far as its own sizes say (the public part and the driver's part): they
// must cover the fields up to dmFields and stay inside the block.
bool IsSoundDevMode(const void* pBlock, DWORD cbBlock)
{
    if (pBlock == nullptr)
        return true;
    const DWORD cbHeader = offsetof(DEVMODEA, dmFields) + sizeof(DWORD);
    if (cbBlock < cbHeader)
        return false;
    const auto* pMode = static_cast<const DEVMODEA*>(pBlock);
    return pMode->dmSize >= cbHeader && static_cast<DWORD>(pMode->dmSize) + pMode->dmDriverExtra <= cbBlock;
}
} // namespace

void CGXPrintDevice::Serialize(CArchive& ar)
{
    const WORD wVersion = 1;
    if (ar.IsStoring())
    {
        void* pNames = nullptr;
        void* pMode = nullptr;
        DWORD cbNames = 0;
        DWORD cbMode = 0;
        GetDeviceData(pNames, cbNames, pMode, cbMode);
        try
        {
            ar << wVersion;
            ar << cbNames;
            if (cbNames != 0)
                ar.Write(pNames, cbNames);
            ar << cbMode;
            if (cbMode != 0)
                ar.Write(pMode, cbMode);
        }
        catch (...)
        {
            FreeDeviceData(pNames, pMode);
            throw;
        }
        FreeDeviceData(pNames, pMode);
        return;
    }

    WORD wStored = 0;
    ar >> wStored;
    if (wStored != wVersion)
        AfxThrowArchiveException(CArchiveException::badSchema);
    DWORD cbNames = 0;
    DWORD cbMode = 0;
    BlockPtr names = ReadBlock(ar, cbNames);
    BlockPtr mode = ReadBlock(ar, cbMode);
    if (!IsSoundDevNames(names.get(), cbNames) || !IsSoundDevMode(mode.get(), cbMode))
        AfxThrowArchiveException(CArchiveException::badIndex);
    CreateDeviceHandles(names.get(), cbNames, mode.get(), cbMode);
}
