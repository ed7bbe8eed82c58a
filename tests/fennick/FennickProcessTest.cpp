// fennick.exe as a process of its own, as Quarrow uses it: started on a plot data file it opens the
// plots, and another program that sets "SieveSize" by its ProgID makes it read the file again, in the
// same process.
#include "FennickTestSupport.h"

#include "framework/ole/DispatchDriver.h"
#include "framework/ole/ObjectFactory.h"
#include "framework/ole/OleInit.h"
#include "tests/tools/ProgramProcess.h"

#include <tlhelp32.h>

#include <algorithm>

namespace {

const DWORD StartTimeoutMs = 30000;
const DWORD ExitTimeoutMs = 20000;

// The program where the build put it; a path of the build machine's file system is reached through
// Wine's drive Z:.
std::string FennickPath()
{
    std::string path = FENNICK_EXE_PATH;
    if (!path.empty() && path[0] == '/')
    {
        std::replace(path.begin(), path.end(), '/', '\\');
        path.insert(0, "Z:");
    }
    return path;
}

// The captions of the chart windows in the main frame, sorted.
std::vector<std::string> ChildCaptions(HWND hMainFrame)
{
    std::vector<std::string> captions;
    HWND hClient = ::FindWindowExA(hMainFrame, nullptr, "MDIClient", nullptr);
    for (HWND hChild = hClient != nullptr ? ::GetWindow(hClient, GW_CHILD) : nullptr; hChild != nullptr;
         hChild = ::GetWindow(hChild, GW_HWNDNEXT))
        captions.push_back(WindowText(hChild));
    std::sort(captions.begin(), captions.end());
    return captions;
}

int RunningCopies(const char* pszExeName)
{
    int nCount = 0;
    HANDLE hSnapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL bMore = ::Process32First(hSnapshot, &entry); bMore; bMore = ::Process32Next(hSnapshot, &entry))
        if (::lstrcmpiA(entry.szExeFile, pszExeName) == 0)
            ++nCount;
    ::CloseHandle(hSnapshot);
    return nCount;
}

class FennickProcess : public ::testing::Test
{
protected:
    std::string folder = FreshFolder("process");
    TestInstallation installation{folder};
    StartedProgram m_fennick;

    void SetUp() override { ASSERT_TRUE(AfxOleInit()); }

    void Start()
    {
        // A registration of an earlier run must not start a server of its own.
        AfxOleUnregisterClass(CLSID_FennickDocument, "Fennick.Document");
        ASSERT_TRUE(m_fennick.Start(FennickPath())) << "cannot start " << FennickPath();
        ASSERT_TRUE(m_fennick.WaitForMainFrame(StartTimeoutMs)) << "Fennick did not start";
    }

    void TearDown() override
    {
        m_fennick.Close(ExitTimeoutMs);
        AfxOleUnregisterClass(CLSID_FennickDocument, "Fennick.Document");
    }
};

TEST_F(FennickProcess, AReloadByProgIDAddsThePlotInTheRunningFennick)
{
    WriteFile(folder + "\\plot.tmp", TimeToDrainFile(0, "6110000", {{{0.1, 3, 4}, {0.2, 2, 3}}}));
    ASSERT_NO_FATAL_FAILURE(Start());
    // A window shows its caption a moment after it is made: wait for the captions.
    const std::vector<std::string> first = {"Permeability", "Porosity"};
    WaitFor([&] { return ChildCaptions(m_fennick.hMainFrame) == first; }, StartTimeoutMs);
    ASSERT_EQ(ChildCaptions(m_fennick.hMainFrame), first);

    const std::vector<std::array<double, 2>> inflow = {{0, 0.01}, {2.5e-07, 0.014}, {1.45e-05, 0.26}};
    WriteFile(folder + "\\plot.tmp", ThicknessFile(1, "41000", {inflow, inflow, inflow, inflow}, {"i", "k", "S", "L"}));
    {
        COleDispatchDriver driver;
        ASSERT_TRUE(driver.CreateDispatch("Fennick.Document"));
        driver.SetProperty(1, VT_R4, 1.0f);
        float fValue = -1.0f;
        driver.GetProperty(1, VT_R4, &fValue);
        EXPECT_EQ(fValue, 0.0f);
    }
    const std::vector<std::string> reloaded = {"Inflow", "Permeability", "Porosity"};
    WaitFor([&] { return ChildCaptions(m_fennick.hMainFrame) == reloaded; }, StartTimeoutMs);
    EXPECT_EQ(ChildCaptions(m_fennick.hMainFrame), reloaded);
    EXPECT_EQ(RunningCopies("fennick.exe"), 1);
    EXPECT_FALSE(m_fennick.HasEnded());
}

} // namespace
