// The zoom band: dragged over a display it narrows the display's ranges (or its indices and groups)
// and pushes a record per display; Zoom Out and Reset give the displays back what they showed.
#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "ChartViewTestSupport.h"
#include "chart/ui/ChartViewIds.h"
#include "chart/ui/GraphZoom.h"
#include "chart/ui/PageSetup.h"
#include "framework/win/Dc.h"
#include "tests/framework/WinTestSupport.h"

namespace {

// Two corners of a band in the upper left of the plot, where the curve does not pass.
struct Band
{
    CPoint start;
    CPoint end;
};

Band UpperLeftBand(const CRect& plot)
{
    return {CPoint(plot.left + plot.Width() / 10, plot.top + plot.Height() / 10),
            CPoint(plot.left + 2 * plot.Width() / 5, plot.top + 2 * plot.Height() / 5)};
}

int StackSize(QVGraphView* pView)
{
    return int(pView->GetZoomStack().GetCount());
}

} // namespace

TEST_F(ChartViewTest, ABandOverPartOfThePlotNarrowsBothRangesAndZoomOutRestoresThem)
{
    const CRect plot = pDisplay->GetPlotRect();
    const CScale xBefore = pDisplay->GetDrawnIndexAxisRange();
    const CScale yBefore = pDisplay->GetDrawnValueAxisRange();
    EXPECT_FALSE(IsEnabled(ID_QVG_ZOOM_OUT));
    EXPECT_FALSE(IsEnabled(ID_QVG_ZOOM_RESET));
    const Band band = UpperLeftBand(plot);
    const double x0 = XAt(band.start.x), x1 = XAt(band.end.x);
    const double y0 = YAt(band.end.y), y1 = YAt(band.start.y);

    Drag(band.start, band.end);
    EXPECT_FALSE(pView->IsBandActive());
    ASSERT_EQ(1, StackSize(pView));
    auto* pZoom = static_cast<QVGZoom*>(pView->GetZoomStack().Peek());
    EXPECT_EQ(0, pZoom->m_nPlace);
    EXPECT_EQ(&Chart(), pZoom->m_pChart);
    EXPECT_NEAR(x0, pDisplay->GetIndexAxisRange().m_dMin, 1e-12);
    EXPECT_NEAR(x1, pDisplay->GetIndexAxisRange().m_dMax, 1e-12);
    EXPECT_NEAR(y0, pDisplay->GetValueAxisRange().m_dMin, 1e-12);
    EXPECT_NEAR(y1, pDisplay->GetValueAxisRange().m_dMax, 1e-12);
    EXPECT_TRUE(IsEnabled(ID_QVG_ZOOM_OUT));
    EXPECT_TRUE(IsEnabled(ID_QVG_ZOOM_RESET));

    // Drawn, the ranges are the band's, rounded outwards a little.
    Paint();
    const CScale xZoomed = pDisplay->GetDrawnIndexAxisRange();
    const CScale yZoomed = pDisplay->GetDrawnValueAxisRange();
    EXPECT_LE(xZoomed.m_dMin, x0);
    EXPECT_GE(xZoomed.m_dMax, x1);
    EXPECT_LT(xZoomed.GetRange(), 0.75 * xBefore.GetRange());
    EXPECT_LE(yZoomed.m_dMin, y0);
    EXPECT_GE(yZoomed.m_dMax, y1);
    EXPECT_LT(yZoomed.GetRange(), 0.75 * yBefore.GetRange());

    Command(ID_QVG_ZOOM_OUT);
    EXPECT_EQ(0, StackSize(pView));
    EXPECT_TRUE(pDisplay->GetIndexAxisRange().IsEmpty());
    EXPECT_TRUE(pDisplay->GetValueAxisRange().IsEmpty());
    Paint();
    EXPECT_DOUBLE_EQ(xBefore.m_dMin, pDisplay->GetDrawnIndexAxisRange().m_dMin);
    EXPECT_DOUBLE_EQ(xBefore.m_dMax, pDisplay->GetDrawnIndexAxisRange().m_dMax);
    EXPECT_DOUBLE_EQ(yBefore.m_dMin, pDisplay->GetDrawnValueAxisRange().m_dMin);
    EXPECT_DOUBLE_EQ(yBefore.m_dMax, pDisplay->GetDrawnValueAxisRange().m_dMax);
    EXPECT_FALSE(IsEnabled(ID_QVG_ZOOM_OUT));
    EXPECT_FALSE(IsEnabled(ID_QVG_ZOOM_RESET));
}

TEST_F(ChartViewTest, AClickOrABandWithoutHeightOrWidthZoomsNothing)
{
    const CRect plot = pDisplay->GetPlotRect();
    const Band band = UpperLeftBand(plot);
    const struct
    {
        const char* name;
        CPoint end;
    } cases[] = {
        {"a click", band.start},
        {"same y", CPoint(band.end.x, band.start.y)},
        {"same x", CPoint(band.start.x, band.end.y)},
    };
    for (const auto& c : cases) {
        if (c.end == band.start) {
            Press(band.start);
            Release(band.start);
        } else {
            Drag(band.start, c.end);
        }
        EXPECT_EQ(0, StackSize(pView)) << c.name;
        EXPECT_TRUE(pDisplay->GetValueAxisRange().IsEmpty()) << c.name;
        EXPECT_TRUE(pDisplay->GetIndexAxisRange().IsEmpty()) << c.name;
        EXPECT_FALSE(pView->IsBandActive()) << c.name;
    }
}

TEST_F(ChartViewTest, TheBandIsInvertedOnTheWindowAndAMoveToTheSamePointLeavesItAlone)
{
    const CRect plot = pDisplay->GetPlotRect();
    const Band band = UpperLeftBand(plot);
    const CPoint inside((band.start.x + band.end.x) / 2, (band.start.y + band.end.y) / 2 + 3);
    CClientDC dc(pView);
    const COLORREF before = dc.GetPixel(inside.x, inside.y);

    Press(band.start);
    EXPECT_TRUE(pView->IsBandActive());
    Move(band.end);
    EXPECT_EQ(band.end, pView->GetBandEnd());
    EXPECT_EQ(before ^ 0xFFFFFF, dc.GetPixel(inside.x, inside.y));

    pView->SendMessage(WM_TIMER, QVGraphView::hoverTimerId);
    Move(band.end);
    EXPECT_FALSE(pView->IsHoverTimerRunning());
    EXPECT_EQ(band.end, pView->GetBandEnd());
    EXPECT_EQ(before ^ 0xFFFFFF, dc.GetPixel(inside.x, inside.y));

    // A point outside the plot does not move the band.
    Move(CPoint(plot.right + 5, band.end.y));
    EXPECT_EQ(band.end, pView->GetBandEnd());
    Release(band.end);
    EXPECT_EQ(1, StackSize(pView));
}

TEST_F(ChartViewTest, ZoomOutUndoesOneStepAndResetUndoesThemAll)
{
    const Band first = UpperLeftBand(pDisplay->GetPlotRect());
    Drag(first.start, first.end);
    Paint();
    const CScale xFirst = pDisplay->GetIndexAxisRange();
    const Band second = UpperLeftBand(pDisplay->GetPlotRect());
    Drag(second.start, second.end);
    ASSERT_EQ(2, StackSize(pView));
    EXPECT_LT(pDisplay->GetIndexAxisRange().GetRange(), xFirst.GetRange());

    Command(ID_QVG_ZOOM_OUT);
    EXPECT_EQ(1, StackSize(pView));
    EXPECT_DOUBLE_EQ(xFirst.m_dMin, pDisplay->GetIndexAxisRange().m_dMin);
    EXPECT_DOUBLE_EQ(xFirst.m_dMax, pDisplay->GetIndexAxisRange().m_dMax);

    Drag(second.start, second.end);
    ASSERT_EQ(2, StackSize(pView));
    Command(ID_QVG_ZOOM_RESET);
    EXPECT_EQ(0, StackSize(pView));
    EXPECT_TRUE(pDisplay->GetIndexAxisRange().IsEmpty());
    EXPECT_FALSE(IsEnabled(ID_QVG_ZOOM_RESET));
}

TEST_F(ChartViewTest, ABandOverThreeDisplaysIsOneStepOfThreeRecords)
{
    QVGraph& chart = Chart();
    QVGraphDisplay* displays[3] = {pDisplay, nullptr, nullptr};
    for (int n = 1; n < 3; ++n) {
        displays[n] = new QVGraphDisplay;
        displays[n]->SetMeasurement(QVGraphRect::pixels);
        displays[n]->SetIntRect(Client());
        displays[n]->SetGraphType(21);
        displays[n]->SetAxisStyle(15);
        chart.AddComponent(displays[n]);
    }
    Paint();
    const Band band = UpperLeftBand(pDisplay->GetPlotRect());
    Drag(band.start, band.end);
    ASSERT_EQ(3, StackSize(pView));
    // The first display's record lies lowest; the others say that more of the step lies below them.
    CObStack& stack = pView->GetZoomStack();
    std::vector<int> places;
    for (POSITION pos = stack.GetHeadPosition(); pos != nullptr;)
        places.push_back(static_cast<QVGZoom*>(stack.GetNext(pos))->m_nPlace);
    EXPECT_EQ(std::vector<int>({~2, ~1, 0}), places);
    for (QVGraphDisplay* pZoomed : displays)
        EXPECT_FALSE(pZoomed->GetValueAxisRange().IsEmpty());

    Command(ID_QVG_ZOOM_OUT);
    EXPECT_EQ(0, StackSize(pView));
    for (QVGraphDisplay* pZoomed : displays)
        EXPECT_TRUE(pZoomed->GetValueAxisRange().IsEmpty());
}

// A grouped column chart: a band over indices and groups asks which of them to zoom.
class GroupedZoomTest : public ChartViewTest
{
protected:
    // Four index slots of 80 across, two groups of 40 in each.
    const CRect plot{40, 20, 360, 220};
    int nDialogs = 0;
    int nPreselected = -1;

    void SetUp() override
    {
        ChartViewTest::SetUp();
        pDisplay->SetGraphType(3);
        pDisplay->SetAxisStyle(0);
        pDisplay->SetPlotRect(plot.left, plot.top, plot.right, plot.bottom, TRUE);
        pView->SetDataDragEnabled(FALSE);
        Paint();
    }
    // Answers the question with the radio button (or Cancel).
    void Answer(int nChoiceId)
    {
        hook.onDialog = [this, nChoiceId](CWnd* pDialog) {
            ASSERT_NE(nullptr, dynamic_cast<CSelectQuery*>(pDialog));
            ++nDialogs;
            EXPECT_EQ("Selecting", WindowText(pDialog->m_hWnd));
            nPreselected = pDialog->GetCheckedRadioButton(IDC_QVG_TOP, IDC_QVG_BOTTOM);
            if (nChoiceId == IDCANCEL) {
                PressButton(pDialog->m_hWnd, IDCANCEL);
                return;
            }
            pDialog->CheckRadioButton(IDC_QVG_TOP, IDC_QVG_BOTTOM, nChoiceId);
            PressButton(pDialog->m_hWnd, IDOK);
        };
    }
};

TEST_F(GroupedZoomTest, TheAnswerChoosesIndicesGroupsOrBothAndCancelKeepsEverything)
{
    // From index 0, group 0 to index 2, group 1.
    const CPoint start(plot.left + 10, 100);
    const CPoint end(plot.left + 2 * 80 + 50, 150);
    const struct
    {
        const char* name;
        int nChoiceId;
        int records;
        int limits[4];   // min index, max index, min group, max group
    } cases[] = {
        {"cancel", IDCANCEL, 0, {-1, -1, -1, -1}},
        {"indices only", IDC_QVG_TOP, 1, {0, 2, -1, -1}},
        {"groups only", IDC_QVG_CENTER, 1, {-1, -1, 0, 1}},
        {"both", IDC_QVG_BOTTOM, 1, {0, 2, 0, 1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Answer(c.nChoiceId);
        nDialogs = 0;
        Drag(start, end);
        EXPECT_EQ(1, nDialogs);
        EXPECT_EQ(IDC_QVG_TOP, nPreselected);
        EXPECT_EQ(c.records, StackSize(pView));
        int limits[4] = {};
        pDisplay->GetDataRange(limits[0], limits[1], limits[2], limits[3]);
        for (int k = 0; k < 4; ++k)
            EXPECT_EQ(c.limits[k], limits[k]) << k;
        Command(ID_QVG_ZOOM_RESET);
        pDisplay->GetDataRange(limits[0], limits[1], limits[2], limits[3]);
        EXPECT_EQ(-1, limits[0]);
        EXPECT_EQ(-1, limits[2]);
    }
}

TEST_F(ChartViewTest, TheBandTakesTheShapeOfTheDisplaysCoordinateMode)
{
    // Plot (100, 100, 300, 200); the band from (140, 120) to (180, 160).
    const CRect plot(100, 100, 300, 200);
    pDisplay->SetAxisStyle(0);
    pDisplay->SetPlotRect(plot.left, plot.top, plot.right, plot.bottom, TRUE);
    pView->SetDataDragEnabled(FALSE);
    // A bar chart asks whether to zoom indices or groups; the band is all this test looks at.
    hook.onDialog = [](CWnd* pDialog) { pDialog->SendMessage(WM_COMMAND, IDCANCEL); };
    const CPoint start(140, 120);
    const CPoint end(180, 160);
    const CPoint inBand(160, 140);            // inside every band
    const CPoint inColumn(160, 190);          // below the band, within its columns
    const CPoint inRow(250, 140);             // right of the band, within its rows
    const CPoint outside(250, 190);
    const struct
    {
        const char* name;
        int nGraphType;
        bool column;
        bool row;
    } cases[] = {
        {"a strip across the index axis", 1, true, false},
        {"a strip across the vertical axis", 2, false, true},
        {"a rectangle", 21, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        pDisplay->SetGraphType(c.nGraphType);
        Paint();
        CClientDC dc(pView);
        auto colours = [&] {
            return std::vector<COLORREF>{dc.GetPixel(inBand.x, inBand.y), dc.GetPixel(inColumn.x, inColumn.y),
                                         dc.GetPixel(inRow.x, inRow.y), dc.GetPixel(outside.x, outside.y)};
        };
        const std::vector<COLORREF> before = colours();
        Press(start);
        Move(end);
        const std::vector<COLORREF> during = colours();
        EXPECT_EQ(before[0] ^ 0xFFFFFF, during[0]);
        EXPECT_EQ(c.column ? before[1] ^ 0xFFFFFF : before[1], during[1]);
        EXPECT_EQ(c.row ? before[2] ^ 0xFFFFFF : before[2], during[2]);
        EXPECT_EQ(before[3], during[3]);
        Release(end);
        Command(ID_QVG_ZOOM_RESET);
    }

    // Polar: the ring sector round the centre (200, 150) between the two points' distances from it (15
    // and 35) and their angles (straight up and straight right).
    pDisplay->SetGraphType(26);
    Paint();
    CClientDC dc(pView);
    const CPoint polarStart(200, 135);
    const CPoint polarEnd(235, 150);
    const CPoint probes[] = {
        {218, 132},   // 25 from the centre, half way round: inside
        {200, 150},   // the centre
        {182, 132},   // 25 from the centre, on the other side of the start
        {227, 123},   // half way round, but 38 from the centre
    };
    const bool inverted[] = {true, false, false, false};
    std::vector<COLORREF> before;
    for (const CPoint& p : probes)
        before.push_back(dc.GetPixel(p.x, p.y));
    Press(polarStart);
    Move(CPoint(polarStart.x + 3, polarStart.y + 3));
    Move(polarEnd);
    for (size_t k = 0; k < std::size(probes); ++k)
        EXPECT_EQ(inverted[k] ? before[k] ^ 0xFFFFFF : before[k], dc.GetPixel(probes[k].x, probes[k].y)) << k;
    Release(polarEnd);
}
