// Every chart Fennick opens shows whole in the chart window it opens in, on a 1024 x 768 and on a
// 1280 x 1024 screen, where the main window opens over the screen's work area: the legend's frame and
// every key lie inside the window, and the legend covers neither the plot nor the chart's texts.
#include "FennickTestSupport.h"

#include "chart/model/ChartResourceIds.h"
#include "chart/model/GraphDisplay.h"
#include "chart/model/GraphLabel.h"
#include "chart/model/GraphLegend.h"
#include "framework/win/Dc.h"
#include "tests/tools/WindowPicture.h"

#include <algorithm>
#include <sstream>

namespace {

struct FitCase
{
    const char* name;
    CSize mainFrame;        // the screen's work area, where the main window opens
    const char* plotFile;
};

// A time-to-drain file that opens only its first plot.
std::string OneTimeToDrainPlot()
{
    return TimeToDrainFile(0, "6100000", {{{0.1, 3, 4}, {0.3, 1, 2}}});
}

std::string SeparatorFile(int nKind)
{
    std::ostringstream text;
    text << nKind << " 0 0 0 1\n"
         << "0.075 5\n4.75 50\n25 100\n0 0\n"
         << "0.075 10\n1.18 40\n19 100\n0 0\n";
    if (nKind == 6)
        text << "0.075 2\n2.36 30\n37.5 100\n0 0\n0.3 20\n0 0\n9.5 80\n0 0\n"
             << "Base\nSubgrade\nSeparator\nD15 of the separator\nD85 of the separator\n";
    else
        text << "0.3 20\n9.5 60\n0 0\nBase\nSubgrade\nD15 of the subgrade\n";
    return text.str();
}

const char kGradationWithBounds[] = "0 1 0 0\n0.075 2 5 8\n0.3 10 15 20\n4.75 40 50 60\n19 80 85 90\n25 90 95 100\n"
                                    "0 0 0 0\nCrushed stone base\n";
const char kMetricGradationOnTheLogAxis[] = "1 1 1 1\n0.002 5 10 15\n0.075 20 30 40\n4.75 60 70 80\n25 90 95 100\n"
                                            "0 0 0 0\nSilty sand\n";

std::string PlotFile(const std::string& name)
{
    if (name == "all_time_to_drain")
        return TimeToDrainFile(0, "6111111", std::vector<std::vector<std::array<double, 3>>>(6, {{0.1, 3, 4}, {0.3, 1, 2}}));
    if (name == "grain_size")
        return kGradationWithBounds;
    if (name == "grain_size_log")
        return kMetricGradationOnTheLogAxis;
    if (name == "time_to_drain")
        return OneTimeToDrainPlot();
    if (name == "thickness")
        return ThicknessFile(1, "11000", {{{0.1, 0.2}, {0.3, 0.5}}},
                             {"Base course permeability of 3000 ft/day and more"});
    if (name == "no_separator")
        return SeparatorFile(5);
    return SeparatorFile(6);
}

class ChartFit : public FennickWindowsTest, public ::testing::WithParamInterface<FitCase>
{
};

bool Inside(const CRect& inner, const CRect& outer)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

TEST(MainWindow, OpensOverTheScreensWorkArea)
{
    CFennickApp app;
    auto* pMainFrame = new CMainFrame;
    ASSERT_TRUE(pMainFrame->LoadFrame(IDR_MAINFRAME, 0x00CF8000));
    RECT work;
    ASSERT_TRUE(::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
    CRect window;
    pMainFrame->GetWindowRect(&window);
    EXPECT_EQ(window, CRect(work));
    pMainFrame->DestroyWindow();
    PumpPendingMessages();
}

// Checks one chart window: the legend's frame and keys inside the view, clear of the plot and the texts,
// and the texts inside the view.
void ExpectWholeChart(CView* pView, CFennickDoc* pDoc)
{
    CRect client;
    pView->GetClientRect(&client);
    // The last row and column a frame line can take.
    const CRect lines(client.left, client.top, client.right - 1, client.bottom - 1);
    QVGraph& chart = pDoc->GetChart();
    auto* pLegend = static_cast<QVGraphLegend*>(chart.FindComponent(0, IDS_QVG_LEGEND));
    auto* pDisplay = static_cast<QVGraphDisplay*>(chart.FindComponent(0, IDS_QVG_DISPLAY));
    ASSERT_NE(pLegend, nullptr);
    ASSERT_NE(pDisplay, nullptr);

    const CRect frame = pLegend->GetDrawnRect();
    EXPECT_TRUE(Inside(frame, lines)) << "legend " << frame.left << "," << frame.top << "," << frame.right << ","
                                      << frame.bottom << " in " << client.right << " x " << client.bottom;
    ASSERT_GT(pLegend->GetKeyCount(), 0);
    const CSize cell = pLegend->GetCellSize();
    for (int key = 0; key < pLegend->GetKeyCount(); ++key)
    {
        QVGraphLabel* pKey = pLegend->GetKeyBlock().GetLabel(key);
        ASSERT_NE(pKey, nullptr);
        const CRect keyCell(int(pKey->GetX()), int(pKey->GetY()), int(pKey->GetX()) + cell.cx,
                            int(pKey->GetY()) + cell.cy);
        EXPECT_TRUE(Inside(keyCell, frame)) << "key " << key;
    }

    CRect overlap;
    const CRect plot = pDisplay->GetPlotRect();
    EXPECT_FALSE(overlap.IntersectRect(&frame, &plot)) << "the legend covers the plot";
    for (int n = 0; QVGraphLabel* pLabel = static_cast<QVGraphLabel*>(chart.FindComponent(n, IDS_QVG_LABEL)); ++n)
    {
        SCOPED_TRACE(static_cast<LPCTSTR>(pLabel->GetCurrentText()));
        // The label's outline is its text's box grown by a sixth of the text's height on every side.
        CRect text = pLabel->GetOutlineBounds();
        const int grown = std::min(text.Width(), text.Height()) / 8;
        text.DeflateRect(grown, grown);
        std::ostringstream where;
        where << text.left << "," << text.top << "," << text.right << "," << text.bottom << " legend " << frame.left
              << "," << frame.top << "," << frame.right << "," << frame.bottom << " in " << client.right << " x "
              << client.bottom;
        EXPECT_TRUE(Inside(text, client)) << where.str();
        EXPECT_FALSE(overlap.IntersectRect(&frame, &text)) << "the legend covers a text " << where.str();
    }
}

TEST_P(ChartFit, TheChartShowsWholeInTheWindowItOpensIn)
{
    const FitCase& c = GetParam();
    pMainFrame->SetWindowPos(nullptr, 0, 0, c.mainFrame.cx, c.mainFrame.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    PumpPendingMessages();
    WritePlotFile(PlotFile(c.plotFile));
    app.ReadPlotData();
    PumpPendingMessages();
    const std::vector<CFennickDoc*> docs = Documents();
    ASSERT_FALSE(docs.empty());
    CRect mdiClient;
    ::GetWindowRect(pMainFrame->m_hWndMDIClient, &mdiClient);
    for (size_t n = 0; n < docs.size(); ++n)
    {
        SCOPED_TRACE(static_cast<LPCTSTR>(docs[n]->GetTitle()));
        POSITION pos = docs[n]->GetFirstViewPosition();
        CView* pView = docs[n]->GetNextView(pos);
        ASSERT_NE(pView, nullptr);
        pView->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        PumpPendingMessages();
        if (n + 1 == docs.size())
            SaveWindowPicture(pView->GetSafeHwnd(), (std::string("fennick-fit-") + c.name + ".bmp").c_str());
        // Every window the plots open lies inside the main window's client area, cascaded.
        CRect window;
        pView->GetParent()->GetWindowRect(&window);
        EXPECT_TRUE(Inside(window, mdiClient));
        ExpectWholeChart(pView, docs[n]);
    }
}

// Main windows over the two screens (Wine's desktop has no task bar: the work area is the screen).
INSTANTIATE_TEST_SUITE_P(
    Plots, ChartFit,
    ::testing::Values(FitCase{"grain_size", {1024, 768}, "grain_size"},
                      FitCase{"grain_size_log", {1024, 768}, "grain_size_log"},
                      FitCase{"time_to_drain", {1024, 768}, "time_to_drain"},
                      FitCase{"all_time_to_drain", {1024, 768}, "all_time_to_drain"},
                      FitCase{"thickness", {1024, 768}, "thickness"},
                      FitCase{"no_separator", {1024, 768}, "no_separator"},
                      FitCase{"separator", {1024, 768}, "separator"},
                      FitCase{"grain_size_1280", {1280, 1024}, "grain_size"},
                      FitCase{"time_to_drain_1280", {1280, 1024}, "time_to_drain"},
                      FitCase{"thickness_1280", {1280, 1024}, "thickness"},
                      FitCase{"no_separator_1280", {1280, 1024}, "no_separator"},
                      FitCase{"separator_1280", {1280, 1024}, "separator"}),
    [](const ::testing::TestParamInfo<FitCase>& info) { return std::string(info.param.name); });

} // namespace
