// Quarrow and Fennick together, each the real program in a process of its own, as an engineer uses
// them: a design opened in Quarrow, the base gradation plotted from the sieve page (Quarrow starts
// Fennick), a time-to-drain sensitivity and the separator criteria plotted into the running Fennick
// through automation, and after Fennick is closed the next plot starting it again.
//
// The session is one test: each step goes on from the state the one before left, so no test order
// (a shuffled run's included) can take them apart.
#include "FennickTestSupport.h"

#include "ProgramDriver.h"
#include "framework/ole/ObjectFactory.h"
#include "framework/ole/OleInit.h"

#include <commctrl.h>
#include <prsht.h>

#include <cstdio>
#include <memory>

using namespace program_driver;

namespace {

// Commands and controls of Quarrow (its resource ids, which the two programs' headers would not
// share without clashes).
enum QuarrowIds
{
    QuarrowFileOpen = 57601,
    QuarrowSensitivityThickness = 32794,
    QuarrowSensitivityPorosity = 32795,
    QuarrowSensitivitySlope = 32790,
    QuarrowSensitivityLength = 32791,
    QuarrowSensitivityDrain = 32793,
    SieveGradationAnalysis = 1137,
    SievePlot = 1153,
    BasePlotTimeToDrain = 1183,
    SeparatorPlot = 1366,
};
enum QuarrowPages { SievePage = 1, BasePage = 3, SeparatorPage = 4 };

const char OpenTitle[] = "Open previously Saved/Generated QUARROW data file.";
const char SavePrompt[] = "Unsaved data will be lost. Save now?";

// An English design of the pages the plots read: the base and subgrade gradations with the
// subgrade's grain sizes, the permeable base and the path through it, no separator layer.
const char Design[] = "[Units]\r\nVALUE=english\r\n"
                      "[Resultant slope]\r\nVALUE=0.0200\r\n"
                      "[Resultant length of flow through base]\r\nVALUE=16.83\r\n"
                      "[Percent drained]\r\nVALUE=50.\r\n"
                      "[Base]\r\nThickness=0.5\r\nk=1000.\r\nEffective Porosity=0.300\r\nDescription=Base A\r\n"
                      "#200_1=5\r\n#40_1=15\r\n#8_1=30\r\n#4_1=45\r\n3/8\"_1=60\r\n3/4\"_1=85\r\n1\"_1=100\r\n"
                      "[Subgrade]\r\nD50=0.003\r\nD85=0.06\r\nDescription=Subgrade B\r\n"
                      "0.001mm_1=2\r\n0.020mm_1=10\r\n#200_1=35\r\n#40_1=70\r\n#10_1=88\r\n#4_1=100\r\n"
                      "[Controls]\r\nBase=TTD\r\nSeperator=none\r\nSieve=sieve\r\nSieve Type=value\r\n"
                      "Sieve Layer=base\r\n";

std::string QuarrowPath()
{
    return WindowsPath(QUARROW_EXE_PATH);
}

std::string FennickPath()
{
    return WindowsPath(FENNICK_EXE_PATH);
}

// One session: the installation folder with both programs, its registry value, and Quarrow.
struct Session
{
    std::string folder = FreshFolder("session");
    TestInstallation installation{folder};
    Process quarrow;
    HWND main = nullptr;
    bool bReady = false;
};

class QuarrowAndFennick : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        AfxOleInit();
        // A registration of an earlier run must not start a server of its own.
        AfxOleUnregisterClass(CLSID_FennickDocument, "Fennick.Document");
        s_session = std::make_unique<Session>();
        Session& s = *s_session;
        ::CreateDirectoryA((s.folder + "\\GradFiles").c_str(), nullptr);
        if (!::CopyFileA(QuarrowPath().c_str(), (s.folder + "\\quarrow.exe").c_str(), FALSE) ||
            !::CopyFileA(FennickPath().c_str(), (s.folder + "\\fennick.exe").c_str(), FALSE))
            return;
        WriteFile(s.folder + "\\design.qrw", Design);
        if (!s.quarrow.Start(s.folder + "\\quarrow.exe", s.folder))
            return;
        s.main = WaitForTopWindow(s.quarrow.Id(), [](HWND window) { return WindowText(window).rfind("Quarrow - ", 0) == 0; });
        s.bReady = s.main != nullptr;
    }

    static void TearDownTestSuite()
    {
        for (DWORD id : ProcessesNamed("fennick.exe"))
            CloseFennick(id);
        s_session.reset();
        AfxOleUnregisterClass(CLSID_FennickDocument, "Fennick.Document");
    }

    void SetUp() override
    {
        ASSERT_TRUE(s_session != nullptr && s_session->bReady) << "Quarrow did not start";
        ASSERT_TRUE(s_session->quarrow.IsRunning()) << "Quarrow has ended";
    }

    static Session& S() { return *s_session; }

    // The sheet of pages in Quarrow's main dialog, showing the page of the index; the page.
    static HWND ShowPage(int nPage)
    {
        HWND sheet = nullptr;
        ::EnumChildWindows(
            S().main,
            [](HWND window, LPARAM lParam) -> BOOL {
                if (ClassOf(window) != "#32770" || FindChildOfClass(window, "SysTabControl32") == nullptr)
                    return TRUE;
                *reinterpret_cast<HWND*>(lParam) = window;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&sheet));
        if (sheet == nullptr)
            return nullptr;
        DWORD_PTR result = 0;
        ::SendMessageTimeoutA(sheet, PSM_SETCURSEL, static_cast<WPARAM>(nPage), 0, SMTO_NORMAL, 10000, &result);
        HWND page = nullptr;
        WaitUntil([&] {
            ::SendMessageTimeoutA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0, SMTO_NORMAL, 5000, &result);
            page = reinterpret_cast<HWND>(result);
            HWND tabs = FindChildOfClass(sheet, "SysTabControl32");
            return page != nullptr && ::SendMessageA(tabs, TCM_GETCURSEL, 0, 0) == nPage;
        });
        return page;
    }

    // The running Fennick's id once there is exactly one whose main frame shows the charts.
    static DWORD WaitForFennickWith(const std::vector<std::string>& captions)
    {
        DWORD found = 0;
        WaitUntil([&] {
            const std::vector<DWORD> ids = ProcessesNamed("fennick.exe");
            if (ids.size() != 1)
                return false;
            HWND frame = FennickMainFrame(ids[0]);
            found = ids[0];
            return frame != nullptr && ChartCaptions(frame) == captions;
        });
        return found;
    }

    static std::vector<std::string> FennickCharts(DWORD id)
    {
        HWND frame = FennickMainFrame(id);
        return frame != nullptr ? ChartCaptions(frame) : std::vector<std::string>{"(no Fennick)"};
    }

    static void CloseFennick(DWORD id)
    {
        if (HWND frame = FennickMainFrame(id))
            ::PostMessageA(frame, WM_CLOSE, 0, 0);
        if (!WaitUntil([&] { return ProcessesNamed("fennick.exe").empty(); }, 20000))
            EndProcess(id);
    }

public:
    // The steps of the session, in the order they run.
    void OpenADesign();
    void PlotTheBaseGradationWhichStartsFennick();
    void PlotTheTimeToDrainWithOneSensitivityIntoTheRunningFennick();
    void PlotTheSeparatorWhichAddsTheNoSeparatorChart();
    void CloseFennickAndPlotWhichStartsItAgain();

protected:
    static inline std::unique_ptr<Session> s_session;
    static inline DWORD s_firstFennick = 0;
};

void QuarrowAndFennick::OpenADesign()
{
    ChooseCommand(S().main, QuarrowFileOpen);
    // A new design counts as changed: Quarrow offers to save it first.
    HWND box = nullptr;
    WaitUntil(
        [&] {
            box = FindMessageBox(S().quarrow.Id(), SavePrompt);
            return box != nullptr || !TopWindows(S().quarrow.Id(), [](HWND w) { return WindowText(w) == OpenTitle; }).empty();
        },
        10000);
    if (box != nullptr)
        ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDNO, BN_CLICKED), 0);
    ASSERT_TRUE(AnswerFileDialog(S().quarrow.Id(), OpenTitle, S().folder + "\\design.qrw"));
    EXPECT_TRUE(WaitUntil([] { return WindowText(S().main) == "Quarrow - design.qrw"; }, 10000)) << WindowText(S().main);
}

void QuarrowAndFennick::PlotTheBaseGradationWhichStartsFennick()
{
    ASSERT_TRUE(ProcessesNamed("fennick.exe").empty());
    HWND page = ShowPage(SievePage);
    ASSERT_NE(page, nullptr);
    ASSERT_TRUE(ClickButton(page, SieveGradationAnalysis));
    ASSERT_TRUE(WaitUntil([&] { return ::IsWindowEnabled(::GetDlgItem(page, SievePlot)) != FALSE; }, 10000))
        << "the plot button stays off";
    ASSERT_TRUE(ClickButton(page, SievePlot));
    s_firstFennick = WaitForFennickWith({"Base1"});
    ASSERT_NE(s_firstFennick, 0u) << "no Fennick with the chart Base1";
    EXPECT_EQ(FennickCharts(s_firstFennick), std::vector<std::string>{"Base1"});
}

void QuarrowAndFennick::PlotTheTimeToDrainWithOneSensitivityIntoTheRunningFennick()
{
    ASSERT_NE(s_firstFennick, 0u);
    // Every sensitivity starts chosen: all but the permeability are turned off.
    for (UINT id : {QuarrowSensitivityPorosity, QuarrowSensitivitySlope, QuarrowSensitivityLength,
                    QuarrowSensitivityThickness, QuarrowSensitivityDrain})
        ChooseCommand(S().main, id);
    HWND page = ShowPage(BasePage);
    ASSERT_NE(page, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return ::IsWindowEnabled(::GetDlgItem(page, BasePlotTimeToDrain)) != FALSE; }, 10000))
        << "the time-to-drain plot button stays off";
    ASSERT_TRUE(ClickButton(page, BasePlotTimeToDrain));
    EXPECT_EQ(WaitForFennickWith({"Base1", "Permeability"}), s_firstFennick) << "the same Fennick, reloaded";
    EXPECT_EQ(FennickCharts(s_firstFennick), (std::vector<std::string>{"Base1", "Permeability"}));
    EXPECT_EQ(ProcessesNamed("fennick.exe").size(), 1u);
}

void QuarrowAndFennick::PlotTheSeparatorWhichAddsTheNoSeparatorChart()
{
    ASSERT_NE(s_firstFennick, 0u);
    HWND page = ShowPage(SeparatorPage);
    ASSERT_NE(page, nullptr);
    ASSERT_TRUE(ClickButton(page, SeparatorPlot));
    EXPECT_EQ(WaitForFennickWith({"Base1", "NoSeparator", "Permeability"}), s_firstFennick);
    EXPECT_EQ(FennickCharts(s_firstFennick), (std::vector<std::string>{"Base1", "NoSeparator", "Permeability"}));
    EXPECT_EQ(ProcessesNamed("fennick.exe").size(), 1u);
    // What Quarrow wrote for it.
    std::string plot(4096, '\0');
    if (FILE* pFile = std::fopen((S().folder + "\\plot.tmp").c_str(), "rb"))
    {
        plot.resize(std::fread(plot.data(), 1, plot.size(), pFile));
        std::fclose(pFile);
    }
    EXPECT_EQ(plot.substr(0, 10), "5 0 0 0 0\r") << plot;
}

void QuarrowAndFennick::CloseFennickAndPlotWhichStartsItAgain()
{
    ASSERT_NE(s_firstFennick, 0u);
    CloseFennick(s_firstFennick);
    ASSERT_TRUE(ProcessesNamed("fennick.exe").empty()) << "Fennick did not close";
    HWND page = ShowPage(SeparatorPage);
    ASSERT_NE(page, nullptr);
    ASSERT_TRUE(ClickButton(page, SeparatorPlot));
    const DWORD second = WaitForFennickWith({"NoSeparator"});
    ASSERT_NE(second, 0u) << "Fennick was not started again";
    EXPECT_EQ(FennickCharts(second), std::vector<std::string>{"NoSeparator"});
    EXPECT_EQ(ProcessesNamed("fennick.exe").size(), 1u);
}

TEST_F(QuarrowAndFennick, AnEngineersSessionPlotsIntoOneFennickAndStartsItAgainOnceItIsClosed)
{
    const struct
    {
        const char* pszStep;
        void (QuarrowAndFennick::*pfnStep)();
    } steps[] = {
        {"ADesignIsOpened", &QuarrowAndFennick::OpenADesign},
        {"TheBaseGradationPlotStartsFennick", &QuarrowAndFennick::PlotTheBaseGradationWhichStartsFennick},
        {"ATimeToDrainPlotWithOneSensitivityAddsItsChartToTheRunningFennick",
         &QuarrowAndFennick::PlotTheTimeToDrainWithOneSensitivityIntoTheRunningFennick},
        {"ASeparatorPlotAddsTheNoSeparatorChart", &QuarrowAndFennick::PlotTheSeparatorWhichAddsTheNoSeparatorChart},
        {"AfterFennickIsClosedTheNextPlotStartsItAgain", &QuarrowAndFennick::CloseFennickAndPlotWhichStartsItAgain},
    };
    for (const auto& step : steps)
    {
        SCOPED_TRACE(step.pszStep);
        (this->*step.pfnStep)();
        if (HasFatalFailure())
            return;
    }
}

} // namespace
