// A grid's own printer settings: comparing, copying, the default printer taken again after the
// settings were dropped, and two grids' settings kept apart through a print dialog on one of them.
#include "grid/features/PrintDeviceImp.h"

#include "framework/dialogs/PrintDialog.h"
#include "framework/win/PrinterRecorder.h"
#include "framework/win/SeamRecorders.h"
#include "framework/win/WinApp.h"
#include "grid/core/AppData.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

namespace
{
// A DEVNAMES record for a printer of the given name, with its strings behind it.
std::vector<char> DevNames(const std::string& device)
{
    const std::string driver = "winspool";
    const std::string port = "FILE:";
    std::vector<char> bytes(sizeof(DEVNAMES) + driver.size() + device.size() + port.size() + 3, '\0');
    auto* pNames = reinterpret_cast<DEVNAMES*>(bytes.data());
    pNames->wDriverOffset = sizeof(DEVNAMES);
    pNames->wDeviceOffset = static_cast<WORD>(pNames->wDriverOffset + driver.size() + 1);
    pNames->wOutputOffset = static_cast<WORD>(pNames->wDeviceOffset + device.size() + 1);
    std::memcpy(bytes.data() + pNames->wDriverOffset, driver.c_str(), driver.size());
    std::memcpy(bytes.data() + pNames->wDeviceOffset, device.c_str(), device.size());
    std::memcpy(bytes.data() + pNames->wOutputOffset, port.c_str(), port.size());
    return bytes;
}

class PrintDeviceTest : public ::testing::Test
{
protected:
    void SetUp() override { GXStartLibrary(); }
};

TEST_F(PrintDeviceTest, TheComponentIsInstalledAtStartAndEveryPrinterObjectUsesIt)
{
    ASSERT_NE(dynamic_cast<CGXPrintDeviceImp*>(GXGetAppData()->m_pPrintDeviceImp), nullptr);
    CGXPrintDevice device;
    EXPECT_EQ(device.m_pPrintDeviceImp, GXGetAppData()->m_pPrintDeviceImp);
}

TEST_F(PrintDeviceTest, ADeviceWithoutSettingsEqualsEmptyBuffersOnly)
{
    CGXPrintDevice device;
    const DWORD dwFour = 4;
    EXPECT_TRUE(device.CompareDevice(nullptr, 0, nullptr, 0));
    EXPECT_FALSE(device.CompareDevice(&dwFour, sizeof(dwFour), nullptr, 0));
    EXPECT_FALSE(device.CompareDevice(nullptr, 0, &dwFour, sizeof(dwFour)));
}

TEST_F(PrintDeviceTest, HeldSettingsCompareAndCopyBytewise)
{
    CGXPrintDevice device;
    const std::vector<char> names = DevNames("Drainage plotter");
    DEVMODEA mode = {};
    mode.dmSize = sizeof(mode);
    device.CreateDeviceHandles(names.data(), static_cast<DWORD>(names.size()), &mode, sizeof(mode));
    EXPECT_TRUE(device.CompareDevice(names.data(), static_cast<DWORD>(names.size()), &mode, sizeof(mode)));
    mode.dmCopies = 2;
    EXPECT_FALSE(device.CompareDevice(names.data(), static_cast<DWORD>(names.size()), &mode, sizeof(mode)));

    HGLOBAL hNames = nullptr;
    HGLOBAL hMode = nullptr;
    device.m_pPrintDeviceImp->CopyDeviceHandles(device, hNames, hMode);
    ASSERT_NE(hNames, nullptr);
    EXPECT_NE(hNames, device.m_hDevNames) << "a copy of its own";
    EXPECT_EQ(::GlobalFlags(hNames) & GMEM_DISCARDABLE, static_cast<UINT>(GMEM_DISCARDABLE));
    EXPECT_TRUE(device.m_pPrintDeviceImp->CompareDeviceHandles(device, hNames, hMode));
    ::GlobalFree(hNames);
    ::GlobalFree(hMode);
}

TEST_F(PrintDeviceTest, AfterDroppingItsSettingsTheDeviceTakesTheDefaultPrinterAgain)
{
    CGXPrintDevice device;
    const std::vector<char> names = DevNames("No such printer");
    device.CreateDeviceHandles(names.data(), static_cast<DWORD>(names.size()), nullptr, 0);
    device.DestroyDeviceHandles();
    EXPECT_EQ(device.m_hDevNames, nullptr);

    HDC hDC = device.CreatePrinterDC();
    // Wine may have a printer (to FILE:) or none; either way the default is asked for again.
    PRINTDLGA defaults = {};
    defaults.lStructSize = sizeof(defaults);
    defaults.Flags = PD_RETURNDEFAULT;
    const BOOL bHasDefault = ::PrintDlgA(&defaults);
    if (bHasDefault)
    {
        EXPECT_EQ(CRecordingPrinter::DevNamesDevice(device.m_hDevNames),
                  CRecordingPrinter::DevNamesDevice(defaults.hDevNames));
        ::GlobalFree(defaults.hDevNames);
        ::GlobalFree(defaults.hDevMode);
    }
    else
    {
        EXPECT_EQ(hDC, nullptr);
        EXPECT_EQ(device.m_hDevNames, nullptr);
    }
    device.ResetPrinterDC();
}

TEST_F(PrintDeviceTest, APrintDialogOnOneGridsPrinterChangesOnlyThatGridsSettings)
{
    CGXPrintDevice first;
    CGXPrintDevice second;
    const std::vector<char> firstNames = DevNames("First plotter");
    const std::vector<char> secondNames = DevNames("Second plotter");
    const std::vector<char> chosenNames = DevNames("Chosen plotter");
    first.CreateDeviceHandles(firstNames.data(), static_cast<DWORD>(firstNames.size()), nullptr, 0);
    second.CreateDeviceHandles(secondNames.data(), static_cast<DWORD>(secondNames.size()), nullptr, 0);

    std::string offered;
    CFunctionModalHook hook;
    hook.onCommonDialog = [&](CCommonDialog* pDialog, INT_PTR& nResult) {
        auto* pPD = static_cast<CPrintDialog*>(pDialog);
        offered = CRecordingPrinter::DevNamesDevice(pPD->m_pd.hDevNames);
        pPD->m_pd.hDevNames = ::GlobalAlloc(GMEM_MOVEABLE, chosenNames.size());
        std::memcpy(::GlobalLock(pPD->m_pd.hDevNames), chosenNames.data(), chosenNames.size());
        ::GlobalUnlock(pPD->m_pd.hDevNames);
        nResult = IDOK;
        return TRUE;
    };
    CScopedModalHook scopedHook(&hook);
    CWinApp app{"Print Device Test"};
    CPrintDialog dialog(FALSE);
    EXPECT_EQ(first.m_pPrintDeviceImp->DoPrintDialog(&first, &dialog), IDOK);

    EXPECT_EQ(offered, "First plotter") << "the dialog opens on the grid's printer";
    EXPECT_EQ(CRecordingPrinter::DevNamesDevice(first.m_hDevNames), "Chosen plotter");
    EXPECT_EQ(CRecordingPrinter::DevNamesDevice(second.m_hDevNames), "Second plotter");
    EXPECT_EQ(CRecordingPrinter::DevNamesDevice(app.m_hDevNames), "Chosen plotter")
        << "the application's printer follows the dialog";
}

// The default printer's mode is asked to print TrueType text as bitmaps, but only when it holds that
// field: a driver's mode may be shorter, and what follows it is the driver's own.
TEST_F(PrintDeviceTest, TheDefaultPrintersModeGetsTheTrueTypeOptionOnlyWhenItHoldsTheField)
{
    struct Case
    {
        WORD nModeSize;
        bool bSet;
    };
    for (const Case& c : {Case{sizeof(DEVMODEA), true}, Case{offsetof(DEVMODEA, dmTTOption), false}})
    {
        SCOPED_TRACE(c.nModeSize);
        CFunctionModalHook hook;
        hook.onCommonDialog = [&c](CCommonDialog* pDialog, INT_PTR& nResult) {
            auto* pPD = static_cast<CPrintDialog*>(pDialog);
            pPD->m_pd.hDevNames = CRecordingPrinter::MakeDevNames("winspool", "Drainage plotter", "FILE:");
            pPD->m_pd.hDevMode = CRecordingPrinter::MakeDevMode("Drainage plotter", DMORIENT_PORTRAIT);
            auto* pMode = static_cast<DEVMODEA*>(::GlobalLock(pPD->m_pd.hDevMode));
            pMode->dmSize = c.nModeSize;
            pMode->dmDriverExtra = static_cast<WORD>(sizeof(DEVMODEA) - c.nModeSize);
            ::GlobalUnlock(pPD->m_pd.hDevMode);
            nResult = IDOK;
            return TRUE;
        };
        CScopedModalHook scopedHook(&hook);
        CWinApp app{"Print Device Test"};
        CGXPrintDevice device;
        device.m_pPrintDeviceImp->PrintSetup(device);
        ASSERT_NE(device.m_hDevMode, nullptr);
        const auto* pMode = static_cast<const DEVMODEA*>(::GlobalLock(device.m_hDevMode));
        EXPECT_EQ(c.nModeSize, pMode->dmSize);
        EXPECT_EQ(c.bSet, (pMode->dmFields & DM_TTOPTION) != 0);
        EXPECT_EQ(c.bSet ? DMTT_BITMAP : 0, pMode->dmTTOption) << "the driver's bytes stay as they were";
        ::GlobalUnlock(device.m_hDevMode);
    }
}
} // namespace
