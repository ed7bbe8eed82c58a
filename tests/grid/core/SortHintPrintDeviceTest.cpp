#include "grid/core/AppData.h"
#include "grid/core/GridHint.h"
#include "grid/core/PrintDevice.h"
#include "grid/core/SortInfoArray.h"

#include "GridTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>

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

TEST(CGXPrintDevice, BlocksRoundTripThroughTheComponent)
{
    RecordingPrintDevice component;
    CGXAbstractPrintDeviceImp* pPrevious = GXGetAppData()->m_pPrintDeviceImp;
    GXGetAppData()->m_pPrintDeviceImp = &component;
    {
        CGXPrintDevice device;
        const char names[] = "names";
        const char mode[] = "mode-block";
        device.CreateDeviceHandles(names, sizeof names, mode, sizeof mode);
        const Bytes bytes = StoreToBytes([&](CArchive& ar) { device.Serialize(ar); });
        ASSERT_EQ(bytes.size(), 2u + 4u + sizeof names + 4u + sizeof mode);
        EXPECT_EQ(DWordAt(bytes, 2), sizeof names);

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
