#include "grid/core/AppData.h"
#include "grid/core/GridHint.h"
#include "grid/core/PrintDevice.h"
#include "grid/core/SortInfoArray.h"

#include "GridTestSupport.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <functional>
#include <string>

TEST(CGXSortInfoArray, GrowsByAnEighthBetween4And1024Records)
{
    struct Case
    {
        int size;
        int expectedCapacity;
    } cases[] = {
        {1, 1},            // the first allocation is exact
        {10, 10 + 4},      // 10 / 8 is below the minimum
        {100, 100 + 12},   // 100 / 8
        {10000, 10000 + 1024},  // 1250 is above the maximum
    };
    for (const Case& c : cases)
    {
        CGXSortInfoArray array;
        array.SetSize(c.size);
        if (c.size > 1)
            array.SetSize(c.size + 1);
        EXPECT_EQ(array.GetCapacity(), c.expectedCapacity) << c.size;
        EXPECT_EQ(array.GetSize(), c.size > 1 ? c.size + 1 : 1);
    }
}

TEST(CGXSortInfoArray, KeepsRecordsWhenGrowingAndZeroesNewOnes)
{
    CGXSortInfoArray array;
    array.SetSize(3);
    array[2].nRC = 7;
    array.SetSize(20);
    EXPECT_EQ(array[2].nRC, 7u);
    EXPECT_EQ(array[19].nRC, 0u);
    // Shrinking within the capacity and growing again zeroes what comes back.
    array[10].nRC = 5;
    array.SetSize(5);
    array.SetSize(11);
    EXPECT_EQ(array[10].nRC, 0u);
}

TEST(CGXSortInfoArray, SizeZeroFreesTheRecords)
{
    CGXSortInfoArray array;
    array.SetSize(4);
    array[0].nRC = 9;
    array.SetSize(0);
    EXPECT_EQ(array.GetData(), nullptr);
    EXPECT_EQ(array.GetCapacity(), 0);
    array.SetSize(3);
    EXPECT_EQ(array[0].nRC, 0u);
    EXPECT_EQ(array.GetCapacity(), 3);
}

TEST(CGXSortInfoArray, AGivenGrowStepIsKept)
{
    CGXSortInfoArray array;
    array.SetSize(2, 50);
    array.SetSize(3);
    EXPECT_EQ(array.GetCapacity(), 52);
    EXPECT_EQ(array.GetGrowBy(), 50);
}

TEST(CGXGridHint, StartsWithAnEmptyRangeAndZeroParameters)
{
    CGXGridHint hint(12, 0xABCD);
    EXPECT_EQ(hint.m_id, 12u);
    EXPECT_EQ(hint.m_dwSenderId, 0xABCDu);
    EXPECT_FALSE(hint.range.IsValid());
    EXPECT_EQ(hint.nRow1 | hint.nRow2 | hint.nCol1 | hint.nCol2 | hint.flags | hint.dwParam, 0u);
    EXPECT_TRUE(hint.IsKindOf(RUNTIME_CLASS(CGXGridHint)));
}

TEST(CGXPrintDevice, WithoutSettingsArchivesAsVersion1AndTwoZeroSizes)
{
    CGXPrintDevice device;
    const Bytes bytes = StoreToBytes([&](CArchive& ar) { device.Serialize(ar); });
    ASSERT_EQ(bytes.size(), 10u);
    EXPECT_EQ(WordAt(bytes, 0), 1);
    EXPECT_EQ(DWordAt(bytes, 2), 0u);
    EXPECT_EQ(DWordAt(bytes, 6), 0u);

    CGXPrintDevice loaded;
    LoadFromBytes(bytes, [&](CArchive& ar) { loaded.Serialize(ar); });
    EXPECT_EQ(loaded.m_hDevNames, nullptr);
    EXPECT_EQ(loaded.m_hDevMode, nullptr);
}

TEST(CGXPrintDevice, AnotherVersionRaisesTheBadSchemaException)
{
    const Bytes bytes = {2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    CGXPrintDevice device;
    EXPECT_EQ(ArchiveCauseOf([&] { LoadFromBytes(bytes, [&](CArchive& ar) { device.Serialize(ar); }); }),
              CArchiveException::badSchema);
}

TEST(CGXPrintDevice, ABlockLongerThanTheArchiveIsRefusedBeforeAllocation)
{
    // Version 1, then a names block claiming 0x7FFFFFF0 bytes.
    const Bytes bytes = {1, 0, 0xF0, 0xFF, 0xFF, 0x7F, 0, 0};
    CGXPrintDevice device;
    EXPECT_NE(ArchiveCauseOf([&] { LoadFromBytes(bytes, [&](CArchive& ar) { device.Serialize(ar); }); }), -1);
}

namespace
{
// A print-device component that keeps copies of the blocks in plain heap memory.
class RecordingPrintDevice : public CGXAbstractPrintDeviceImp
{
public:
    static HGLOBAL Copy(const void* p, DWORD cb)
    {
        if (p == nullptr || cb == 0)
            return nullptr;
        HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, cb);
        std::memcpy(::GlobalLock(h), p, cb);
        ::GlobalUnlock(h);
        return h;
    }
    void CreateDeviceHandles(CGXPrintDevice& device, const void* pNames, DWORD cbNames, const void* pMode,
                             DWORD cbMode) override
    {
        DestroyDeviceHandles(device);
        device.m_hDevNames = Copy(pNames, cbNames);
        device.m_hDevMode = Copy(pMode, cbMode);
    }
    void GetDeviceInfo(CGXPrintDevice&, HGLOBAL, HGLOBAL) override {}
    void DestroyDeviceHandles(CGXPrintDevice& device) override
    {
        if (device.m_hDevNames != nullptr)
            ::GlobalFree(device.m_hDevNames);
        if (device.m_hDevMode != nullptr)
            ::GlobalFree(device.m_hDevMode);
        device.m_hDevNames = device.m_hDevMode = nullptr;
    }
    void CopyDeviceData(CGXPrintDevice&, HGLOBAL hNames, HGLOBAL hMode, void*& pNames, DWORD& cbNames, void*& pMode,
                        DWORD& cbMode) override
    {
        auto take = [](HGLOBAL h, void*& p, DWORD& cb) {
            if (h == nullptr)
                return;
            cb = static_cast<DWORD>(::GlobalSize(h));
            p = std::malloc(cb);
            std::memcpy(p, ::GlobalLock(h), cb);
            ::GlobalUnlock(h);
        };
        take(hNames, pNames, cbNames);
        take(hMode, pMode, cbMode);
    }
    void FreeDeviceData(CGXPrintDevice&, void* pNames, void* pMode) override
    {
        std::free(pNames);
        std::free(pMode);
        ++nFrees;
    }
    void PrintSetup(CGXPrintDevice&) override { ++nSetups; }
    HDC CreatePrinterDC(CGXPrintDevice&) override { return nullptr; }
    void ResetPrinterDC(CGXPrintDevice&) override {}
    void SetDeviceData(CGXPrintDevice&, const void*, const void*) override {}
    BOOL CompareDevice(CGXPrintDevice&, const void*, DWORD, const void*, DWORD) override { return TRUE; }
    int nFrees = 0;
    int nSetups = 0;
};
} // namespace

namespace
{
// Printer names as the print dialogs give them: the header, then the driver, device and port names.
Bytes DevNamesBlock(const char* pszDevice)
{
    const std::string strings[] = {"winspool", pszDevice, "FILE:"};
    Bytes block(sizeof(DEVNAMES));
    for (int i = 0; i < 3; ++i)
    {
        // The offsets are the header's first three words (the block may move as it grows).
        const WORD nOffset = static_cast<WORD>(block.size());
        block[2 * i] = static_cast<BYTE>(nOffset);
        block[2 * i + 1] = static_cast<BYTE>(nOffset >> 8);
        block.insert(block.end(), strings[i].begin(), strings[i].end());
        block.push_back(0);
    }
    return block;
}

// A device mode of the platform's size for the device, with nDriverBytes of the driver's own behind it.
Bytes DevModeBlock(const char* pszDevice, WORD nDriverBytes = 0)
{
    DEVMODEA mode = {};
    std::strncpy(reinterpret_cast<char*>(mode.dmDeviceName), pszDevice, CCHDEVICENAME - 1);
    mode.dmSize = sizeof mode;
    mode.dmDriverExtra = nDriverBytes;
    Bytes block(reinterpret_cast<const BYTE*>(&mode), reinterpret_cast<const BYTE*>(&mode) + sizeof mode);
    block.resize(block.size() + nDriverBytes, 0x5A);
    return block;
}

// The stored form of a device: version 1, then each block as its size and its bytes.
Bytes StoredDevice(const Bytes& names, const Bytes& mode)
{
    return StoreToBytes([&](CArchive& ar) {
        ar << static_cast<WORD>(1) << static_cast<DWORD>(names.size());
        if (!names.empty())
            ar.Write(names.data(), static_cast<UINT>(names.size()));
        ar << static_cast<DWORD>(mode.size());
        if (!mode.empty())
            ar.Write(mode.data(), static_cast<UINT>(mode.size()));
    });
}

std::string HeldDevice(const CGXPrintDevice& device)
{
    if (device.m_hDevNames == nullptr)
        return "(none)";
    const auto* pNames = static_cast<const DEVNAMES*>(::GlobalLock(device.m_hDevNames));
    const std::string name = reinterpret_cast<const char*>(pNames) + pNames->wDeviceOffset;
    ::GlobalUnlock(device.m_hDevNames);
    return name;
}

// The test's component in the library's place for one scope.
class ScopedPrintDeviceComponent
{
public:
    explicit ScopedPrintDeviceComponent(CGXAbstractPrintDeviceImp* pComponent)
        : m_pPrevious(GXGetAppData()->m_pPrintDeviceImp)
    {
        GXGetAppData()->m_pPrintDeviceImp = pComponent;
    }
    ~ScopedPrintDeviceComponent() { GXGetAppData()->m_pPrintDeviceImp = m_pPrevious; }

private:
    CGXAbstractPrintDeviceImp* m_pPrevious;
};
} // namespace

TEST(CGXPrintDevice, BlocksRoundTripThroughTheComponent)
{
    RecordingPrintDevice component;
    CGXAbstractPrintDeviceImp* pPrevious = GXGetAppData()->m_pPrintDeviceImp;
    GXGetAppData()->m_pPrintDeviceImp = &component;
    {
        CGXPrintDevice device;
        const Bytes names = DevNamesBlock("names");
        const Bytes mode = DevModeBlock("mode-block", 6);
        device.CreateDeviceHandles(names.data(), static_cast<DWORD>(names.size()), mode.data(),
                                   static_cast<DWORD>(mode.size()));
        const Bytes bytes = StoreToBytes([&](CArchive& ar) { device.Serialize(ar); });
        ASSERT_EQ(bytes.size(), 2u + 4u + names.size() + 4u + mode.size());
        EXPECT_EQ(DWordAt(bytes, 2), names.size());

        CGXPrintDevice loaded;
        LoadFromBytes(bytes, [&](CArchive& ar) { loaded.Serialize(ar); });
        ASSERT_NE(loaded.m_hDevMode, nullptr);
        EXPECT_STREQ(static_cast<const char*>(::GlobalLock(loaded.m_hDevMode)), "mode-block");
        ::GlobalUnlock(loaded.m_hDevMode);
        EXPECT_EQ(component.nFrees, 1);

        // A device without printer names asks for the print setup; one with names does not.
        CGXPrintDevice empty;
        empty.EnsureDevice();
        loaded.EnsureDevice();
        EXPECT_EQ(component.nSetups, 1);
    }
    GXGetAppData()->m_pPrintDeviceImp = pPrevious;
}

TEST(CGXPrintDevice, DamagedBlocksAreRefusedOnLoadAndTheHeldSettingsStay)
{
    RecordingPrintDevice component;
    ScopedPrintDeviceComponent scoped(&component);
    auto setWord = [](Bytes& block, size_t offset, WORD value) {
        block[offset] = static_cast<BYTE>(value);
        block[offset + 1] = static_cast<BYTE>(value >> 8);
    };
    const size_t nDriverExtraAt = offsetof(DEVMODEA, dmDriverExtra);
    const size_t nSizeAt = offsetof(DEVMODEA, dmSize);
    struct Case
    {
        const char* what;
        std::function<void(Bytes& names, Bytes& mode)> damage;
        int cause;
    };
    const Case cases[] = {
        {"sound blocks", [](Bytes&, Bytes&) {}, -1},
        {"no blocks at all", [](Bytes& names, Bytes& mode) { names.clear(); mode.clear(); }, -1},
        {"names shorter than their header", [](Bytes& names, Bytes&) { names.resize(6); }, CArchiveException::badIndex},
        {"a device offset past the block",
         [&](Bytes& names, Bytes&) { setWord(names, 2, static_cast<WORD>(names.size())); }, CArchiveException::badIndex},
        {"a driver offset far outside the block", [&](Bytes& names, Bytes&) { setWord(names, 0, 0xFFF0); },
         CArchiveException::badIndex},
        {"an output offset inside the header", [&](Bytes& names, Bytes&) { setWord(names, 4, 2); },
         CArchiveException::badIndex},
        {"a last name without its terminator", [](Bytes& names, Bytes&) { names.pop_back(); },
         CArchiveException::badIndex},
        {"a mode shorter than its fields word", [](Bytes&, Bytes& mode) { mode.resize(40); },
         CArchiveException::badIndex},
        {"a driver part reaching past the mode block",
         [&](Bytes&, Bytes& mode) { setWord(mode, nDriverExtraAt, 16); }, CArchiveException::badIndex},
        {"a mode whose own size stops before its fields", [&](Bytes&, Bytes& mode) { setWord(mode, nSizeAt, 8); },
         CArchiveException::badIndex},
    };
    for (const Case& c : cases)
    {
        Bytes names = DevNamesBlock("Stored plotter");
        Bytes mode = DevModeBlock("Stored plotter", 8);
        c.damage(names, mode);
        CGXPrintDevice device;
        const Bytes held = DevNamesBlock("Held plotter");
        device.CreateDeviceHandles(held.data(), static_cast<DWORD>(held.size()), nullptr, 0);
        EXPECT_EQ(ArchiveCauseOf([&] {
                      LoadFromBytes(StoredDevice(names, mode), [&](CArchive& ar) { device.Serialize(ar); });
                  }),
                  c.cause)
            << c.what;
        const char* pszExpected = c.cause != -1 ? "Held plotter" : names.empty() ? "(none)" : "Stored plotter";
        EXPECT_EQ(HeldDevice(device), pszExpected) << c.what;
    }
}
