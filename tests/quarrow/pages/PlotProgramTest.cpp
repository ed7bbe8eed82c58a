// A plot button's one call: the plot data file, then the start of Fennick or its reload, through the
// recorded process and automation seams, and once with real processes and real automation.
#include "quarrow/pages/PlotDataFile.h"
#include "quarrow/pages/PlotProgram.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "framework/ole/AutomationRecorder.h"
#include "framework/win/OutsideCallRecorders.h"
#include "framework/win/SeamRecorders.h"
#include "quarrow/app/QuarrowApp.h"
#include "tests/quarrow/pages/PlotTestData.h"

namespace {

const char* const FennickPath = "C:\\Quarrow\\fennick.exe";
const char* const PlotPath = "C:\\Quarrow\\plot.tmp";

// The installation folder of the recorded tests, made for them when it is missing.
class CInstallFolder
{
public:
    explicit CInstallFolder(const char* pszFolder) : m_strFolder(pszFolder)
    {
        m_bMade = ::CreateDirectoryA(pszFolder, nullptr) != FALSE;
    }
    ~CInstallFolder()
    {
        const std::string strPlot = m_strFolder + "\\plot.tmp";
        ::SetFileAttributesA(strPlot.c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileA(strPlot.c_str());
        if (m_bMade)
            ::RemoveDirectoryA(m_strFolder.c_str());
    }

private:
    std::string m_strFolder;
    bool m_bMade;
};

class RecordedPlotTest : public ::testing::Test
{
protected:
    RecordedPlotTest()
    {
        m_app.m_strInstallDir = "C:\\Quarrow";
        SetBaseGradation(m_data);
        SetEnglishBase(m_data);
    }

    // The one pretend Fennick that runs, or the newest.
    CRecordingProcessSeam::Process& Fennick() { return m_processes.processes.back(); }

    CInstallFolder m_folder{"C:\\Quarrow"};
    CQuarrowApp m_app;
    CProjectData m_data{"english"};
    CRecordingProcessSeam m_processes;
    CScopedProcessSeam m_scopedProcesses{&m_processes};
    CRecordingAutomation m_automation;
    CScopedAutomationSeam m_scopedAutomation{&m_automation};
    CRecordingMessageBox m_messages;
    CScopedMessageBoxSeam m_scopedMessages{&m_messages};
};

} // namespace

TEST_F(RecordedPlotTest, FirstPlotStartsFennickAndTheNextOnesAskItToReload)
{
    EXPECT_TRUE(PlotToFennick(CPlotDataFile::WriteGradation, m_data));

    ASSERT_EQ(m_processes.starts.size(), 1u);
    const CRecordingProcessSeam::StartCall& start = m_processes.starts[0];
    EXPECT_EQ(start.applicationName, FennickPath);
    EXPECT_FALSE(start.hasCommandLine);
    EXPECT_FALSE(start.bInheritHandles);
    EXPECT_EQ(start.dwCreationFlags, 0u);
    EXPECT_EQ(start.currentDirectory, "");
    EXPECT_EQ(start.cbStartupInfo, sizeof(STARTUPINFOA));
    EXPECT_EQ(start.cbStartupInfo, 104u);
    EXPECT_TRUE(m_automation.calls.empty());
    EXPECT_EQ(m_app.m_piFennick.hProcess, CRecordingProcessSeam::ProcessHandle(Fennick()));
    EXPECT_EQ(m_app.m_piFennick.dwProcessId, Fennick().processId);
    EXPECT_EQ(ReadBytes(PlotPath).substr(0, 9), "0 0 0 0\r\n");

    EXPECT_TRUE(PlotToFennick(CPlotDataFile::WriteTimeToDrain, m_data));

    EXPECT_EQ(m_processes.starts.size(), 1u);
    EXPECT_TRUE(m_processes.closed.empty());
    // The kept handle tells whether it runs; no process is opened by its id.
    EXPECT_TRUE(m_processes.opens.empty());
    ASSERT_EQ(m_automation.calls.size(), 3u);
    EXPECT_EQ(m_automation.calls[0].kind, CRecordingAutomation::Call::createDispatch);
    EXPECT_EQ(m_automation.calls[0].progID, "Fennick.Document");
    EXPECT_EQ(m_automation.calls[1].kind, CRecordingAutomation::Call::invoke);
    EXPECT_EQ(m_automation.calls[1].dispID, 1);
    EXPECT_EQ(m_automation.calls[1].wFlags, DISPATCH_PROPERTYPUT);
    ASSERT_EQ(m_automation.calls[1].args.size(), 1u);
    EXPECT_EQ(m_automation.calls[1].args[0].vt, VT_R4);
    EXPECT_EQ(m_automation.calls[1].args[0].fltVal, 1.0f);
    EXPECT_EQ(m_automation.calls[2].kind, CRecordingAutomation::Call::release);
    EXPECT_EQ(m_automation.OpenConnections(), 0);
    // Fennick reloads the file the second plot wrote.
    EXPECT_EQ(ReadBytes(PlotPath).substr(0, 18), "3 60 0 0 6111111\r\n");
    EXPECT_TRUE(m_messages.calls.empty());
}

TEST_F(RecordedPlotTest, AfterFennickEndsTheNextPlotClosesTheOldHandlesAndStartsOnce)
{
    PlotToFennick(CPlotDataFile::WriteGradation, m_data);
    const PROCESS_INFORMATION piFirst = m_app.m_piFennick;
    m_processes.End(piFirst.dwProcessId);   // its handle is still open: the id could still be opened

    EXPECT_TRUE(PlotToFennick(CPlotDataFile::WriteDepthOfFlow, m_data));

    ASSERT_EQ(m_processes.starts.size(), 2u);
    EXPECT_EQ(m_processes.starts[1].applicationName, FennickPath);
    EXPECT_TRUE(m_automation.calls.empty());
    ASSERT_EQ(m_processes.closed.size(), 2u);
    EXPECT_NE(std::find(m_processes.closed.begin(), m_processes.closed.end(), piFirst.hProcess),
              m_processes.closed.end());
    EXPECT_NE(std::find(m_processes.closed.begin(), m_processes.closed.end(), piFirst.hThread),
              m_processes.closed.end());
    EXPECT_EQ(m_app.m_piFennick.hProcess, CRecordingProcessSeam::ProcessHandle(Fennick()));
    EXPECT_NE(m_app.m_piFennick.dwProcessId, piFirst.dwProcessId);
}

TEST_F(RecordedPlotTest, RefusedStartIsReportedAndTheNextPlotStartsAgain)
{
    m_processes.startSucceeds = FALSE;
    EXPECT_FALSE(PlotToFennick(CPlotDataFile::WriteGradation, m_data));

    ASSERT_EQ(m_messages.calls.size(), 1u);
    EXPECT_EQ(m_messages.calls[0].text, "Fennick could not be started:\nC:\\Quarrow\\fennick.exe");
    EXPECT_EQ(m_messages.calls[0].nType, static_cast<UINT>(MB_OKCANCEL));
    EXPECT_EQ(m_app.m_piFennick.hProcess, nullptr);
    EXPECT_EQ(m_app.m_piFennick.hThread, nullptr);

    m_processes.startSucceeds = TRUE;
    EXPECT_TRUE(PlotToFennick(CPlotDataFile::WriteGradation, m_data));

    EXPECT_EQ(m_processes.starts.size(), 2u);
    EXPECT_TRUE(m_automation.calls.empty());
    EXPECT_TRUE(m_processes.closed.empty());
    EXPECT_EQ(m_messages.calls.size(), 1u);
    EXPECT_EQ(m_app.m_piFennick.hProcess, CRecordingProcessSeam::ProcessHandle(Fennick()));
}

TEST_F(RecordedPlotTest, FennickThatCannotBeReachedIsStartedAgain)
{
    struct Case
    {
        const char* name;
        HRESULT createResult;
        const char* putException;   // "" when the put succeeds
        size_t automationCalls;     // create, put, release as far as they come
    };
    const Case cases[] = {
        {"no server registered", REGDB_E_CLASSNOTREG, "", 1},
        {"the put raises an exception", S_OK, "Fennick is busy", 3},
    };
    for (const Case& entry : cases)
    {
        CRecordingProcessSeam processes;
        CScopedProcessSeam scopedProcesses(&processes);
        CRecordingAutomation automation;
        CScopedAutomationSeam scopedAutomation(&automation);
        m_app.m_piFennick = PROCESS_INFORMATION{};
        PlotToFennick(CPlotDataFile::WriteGradation, m_data);
        const PROCESS_INFORMATION piFirst = m_app.m_piFennick;
        automation.createResult = entry.createResult;
        automation.exceptionDescription = entry.putException;

        EXPECT_TRUE(PlotToFennick(CPlotDataFile::WriteGradation, m_data)) << entry.name;

        EXPECT_EQ(automation.calls.size(), entry.automationCalls) << entry.name;
        EXPECT_EQ(automation.OpenConnections(), 0) << entry.name;
        EXPECT_EQ(processes.starts.size(), 2u) << entry.name;
        EXPECT_EQ(processes.closed.size(), 2u) << entry.name;
        EXPECT_NE(m_app.m_piFennick.dwProcessId, piFirst.dwProcessId) << entry.name;
        EXPECT_TRUE(m_messages.calls.empty()) << entry.name;
    }
}

TEST_F(RecordedPlotTest, PlotThatCannotBeWrittenStartsNothing)
{
    struct Case
    {
        const char* name;
        PlotDataWriter writer;
        std::function<void(CProjectData&)> arrange;
        bool bReadOnly;
        const char* message;   // "" for none
    };
    const Case cases[] = {
        {"read-only plot data file", CPlotDataFile::WriteGradation, [](CProjectData&) {}, true,
         "The plot data file could not be written:\nC:\\Quarrow\\plot.tmp"},
        {"100 % drained", CPlotDataFile::WriteTimeToDrain,
         [](CProjectData& data) { data.m_strPercentDrained = "100."; }, false,
         "Percent drained must be at least 0 and less than 100 to plot the time to drain."},
        {"no permeability: nothing happens", CPlotDataFile::WriteDepthOfFlow,
         [](CProjectData& data) { data.m_strBaseK = "0"; }, false, ""},
    };
    for (const Case& entry : cases)
    {
        CRecordingMessageBox messages;
        CScopedMessageBoxSeam scopedMessages(&messages);
        CProjectData data("english");
        SetEnglishBase(data);
        entry.arrange(data);
        ::SetFileAttributesA(PlotPath, FILE_ATTRIBUTE_NORMAL);
        WriteBytes(PlotPath, "0 0 0 0\r\n0 0\r\nearlier plot");
        if (entry.bReadOnly)
            ::SetFileAttributesA(PlotPath, FILE_ATTRIBUTE_READONLY);

        EXPECT_FALSE(PlotToFennick(entry.writer, data)) << entry.name;

        EXPECT_EQ(ReadBytes(PlotPath), "0 0 0 0\r\n0 0\r\nearlier plot") << entry.name;
        if (entry.message[0] == '\0')
            EXPECT_TRUE(messages.calls.empty()) << entry.name;
        else
        {
            ASSERT_EQ(messages.calls.size(), 1u) << entry.name;
            EXPECT_EQ(messages.calls[0].text, entry.message) << entry.name;
            EXPECT_EQ(messages.calls[0].nType, static_cast<UINT>(MB_OKCANCEL)) << entry.name;
        }
    }
    EXPECT_TRUE(m_processes.starts.empty());
    EXPECT_TRUE(m_automation.calls.empty());
}

namespace {

// The stand-in Fennick (built beside this test program) installed as fennick.exe in a folder of
// its own; removes its class registration and its files afterwards.
class StandInFennickTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        char szTests[MAX_PATH] = {};
        ::GetModuleFileNameA(nullptr, szTests, MAX_PATH);
        std::string strStandIn = szTests;
        strStandIn.replace(strStandIn.find_last_of('\\') + 1, std::string::npos, "fennick_standin.exe");

        m_strFolder = static_cast<LPCTSTR>(FreshTempPath("install"));
        ASSERT_TRUE(::CreateDirectoryA(m_strFolder.c_str(), nullptr));
        ASSERT_TRUE(::CopyFileA(strStandIn.c_str(), (m_strFolder + "\\fennick.exe").c_str(), FALSE))
            << strStandIn;
        m_app.m_strInstallDir = m_strFolder.c_str();
        SetBaseGradation(m_data);
        SetEnglishBase(m_data);
        m_data.m_strSubgradeD85 = "0.06";
    }

    void TearDown() override
    {
        EndFennick();
        for (HANDLE hKept : {m_app.m_piFennick.hProcess, m_app.m_piFennick.hThread})
            if (hKept != nullptr)
                ::CloseHandle(hKept);
        // The stand-in's class id is its folder's own; the program id names it.
        char szClsid[64] = {};
        LONG cbClsid = sizeof szClsid;
        if (::RegQueryValueA(HKEY_CLASSES_ROOT, "Fennick.Document\\CLSID", szClsid, &cbClsid) == ERROR_SUCCESS &&
            szClsid[0] != '\0')
        {
            std::string strClsidKey = std::string("CLSID\\") + szClsid;
            ::RegDeleteTreeA(HKEY_CLASSES_ROOT, strClsidKey.c_str());
            ::RegDeleteKeyA(HKEY_CLASSES_ROOT, strClsidKey.c_str());
        }
        ::RegDeleteTreeA(HKEY_CLASSES_ROOT, "Fennick.Document");
        ::RegDeleteKeyA(HKEY_CLASSES_ROOT, "Fennick.Document");
        for (const char* pszName : {"\\fennick.exe", "\\plot.tmp", "\\fennick-standin.log"})
            ::DeleteFileA((m_strFolder + pszName).c_str());
        ::RemoveDirectoryA(m_strFolder.c_str());
    }

    // Ends the Fennick that Quarrow keeps, by its handle, and waits until it is gone.
    void EndFennick()
    {
        HANDLE hProcess = m_app.m_piFennick.hProcess;
        if (hProcess != nullptr && ::WaitForSingleObject(hProcess, 0) == WAIT_TIMEOUT)
        {
            ::TerminateProcess(hProcess, 0);
            ::WaitForSingleObject(hProcess, 10000);
        }
    }

    std::vector<std::string> Log() { return Lines(ReadBytes((m_strFolder + "\\fennick-standin.log").c_str())); }

    // Waits until the stand-in has logged nLines lines (its start is logged once its class can be
    // reached); a person would not plot again sooner.
    std::vector<std::string> WaitForLog(size_t nLines)
    {
        for (int i = 0; i < 300 && Log().size() < nLines; ++i)
            ::Sleep(100);
        return Log();
    }

    std::string m_strFolder;
    CQuarrowApp m_app;
    CProjectData m_data{"english"};
    CRecordingMessageBox m_messages;
    CScopedMessageBoxSeam m_scopedMessages{&m_messages};
};

} // namespace

TEST_F(StandInFennickTest, TwoPlotsStartOneFennickAndReloadItOnceAndAnEndedOneIsStartedAgain)
{
    ASSERT_TRUE(PlotToFennick(CPlotDataFile::WriteGradation, m_data));
    const PROCESS_INFORMATION piFirst = m_app.m_piFennick;
    ASSERT_NE(piFirst.hProcess, nullptr);
    ASSERT_EQ(WaitForLog(1), std::vector<std::string>{"start 0"});   // it read the complete file

    EXPECT_TRUE(PlotToFennick(CPlotDataFile::WriteTimeToDrain, m_data));

    EXPECT_EQ(Log(), (std::vector<std::string>{"start 0", "put 1 VT_R4 1.000"}));
    EXPECT_EQ(m_app.m_piFennick.hProcess, piFirst.hProcess);
    EXPECT_EQ(::WaitForSingleObject(piFirst.hProcess, 0), static_cast<DWORD>(WAIT_TIMEOUT));

    EndFennick();
    EXPECT_TRUE(PlotToFennick(CPlotDataFile::WriteSeparatorCriteria, m_data));

    EXPECT_NE(m_app.m_piFennick.hProcess, piFirst.hProcess);
    EXPECT_EQ(WaitForLog(3), (std::vector<std::string>{"start 0", "put 1 VT_R4 1.000", "start 5"}));
    ::Sleep(300);
    EXPECT_EQ(Log().size(), 3u);
    EXPECT_TRUE(m_messages.calls.empty());
}
