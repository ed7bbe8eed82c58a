// The stock, candle and strata renderers: value histories as bars and areas, candles of four groups,
// stacked bands and columns with their percentage forms, and pictures.
#include "chart/model/AxisScale.h"
#include "chart/model/GraphBackground.h"
#include "chart/model/GraphLabel.h"
#include "chart/model/GraphTitle.h"
#include "framework/win/SeamRecorders.h"

#include "RendererTestSupport.h"

#include <gtest/gtest.h>

namespace {
template <class Display>
void FixPlotAndValues(Display* pDisplay, const CRect& plot, double low, double high)
{
    pDisplay->SetPlotRect(plot.left, plot.top, plot.right, plot.bottom, TRUE);
    pDisplay->SetOption(QVGDisplayBase::optionFixedRanges, TRUE);
    pDisplay->SetFixedValueMin(low);
    pDisplay->SetFixedValueMax(high);
}

int MappedY(const CRect& plot, double low, double high, double value)
{
    return int(plot.bottom - (value - low) * plot.Height() / (high - low) + 0.5);
}

std::vector<FeedbackRecord> Of(QVGraph& chart, int nKind)
{
    std::vector<FeedbackRecord> records;
    for (const FeedbackRecord& record : FeedbackOf(chart))
        if (record.nKind == nKind)
            records.push_back(record);
    return records;
}

QVGraphTitle* CellTitle(const CRect& cell, LPCTSTR text)
{
    QVGraphTitle* pTitle = new QVGraphTitle;
    pTitle->SetIntRect(CRect(cell.left, cell.top + 4, cell.right, cell.top + 28));
    pTitle->SetText(text, QVGraphTitle::alignCentre);
    pTitle->SetFixedText(TRUE);
    pTitle->SetFont(11, QVGraphTitle::fontBold, "Arial");
    pTitle->GetStyle()->SetFillType(0);
    pTitle->GetStyle()->SetBorderStyle(0);
    return pTitle;
}
}  // namespace

TEST(StockRenderer, TheHistoryOfAnItemIsTwoBarsMeetingAtItsCurrentValue)
{
    CMemoryCanvas canvas(300, 240);
    QVGraph chart;
    chart.SetFixedRect(CRect(0, 0, 300, 240), 0);
    for (double value : {5.0, 12.0, 2.0, 8.0})
        chart.SetValue(0, 0, value);
    CRecordingDisplay* pDisplay = AddTypedDisplay<CRecordingDisplay>(chart, 7, 0, CRect(0, 0, 300, 240));
    const CRect plot(20, 20, 280, 220);
    pDisplay->SetPlotRect(plot.left, plot.top, plot.right, plot.bottom, TRUE);
    pDisplay->SetOption(QVGDisplayBase::optionKeepZeroOut, TRUE);
    chart.Draw(&canvas.dc, nullptr);

    // The range holds the history: 2 to 12 (rounded outwards).
    EXPECT_LE(pDisplay->ValueDataRange().m_dMin, 2.0);
    EXPECT_GE(pDisplay->ValueDataRange().m_dMax, 12.0);
    const double low = pDisplay->ValueDataRange().m_dMin, high = low + pDisplay->GetValueAxisSpan();
    const std::vector<RecordedCall> shapes = pDisplay->Calls("shape");
    ASSERT_EQ(2u, shapes.size());
    EXPECT_EQ(MappedY(plot, low, high, 12.0), shapes[0].from.y);
    EXPECT_EQ(MappedY(plot, low, high, 8.0), shapes[0].to.y);
    EXPECT_EQ(0, shapes[0].nSeries);
    EXPECT_EQ(MappedY(plot, low, high, 8.0), shapes[1].from.y);
    EXPECT_EQ(MappedY(plot, low, high, 2.0), shapes[1].to.y);
    EXPECT_EQ(1, shapes[1].nSeries);
    const std::vector<RecordedCall> markers = pDisplay->Calls("marker");
    ASSERT_EQ(1u, markers.size());
    EXPECT_EQ(MappedY(plot, low, high, 8.0), markers[0].from.y);
    EXPECT_EQ(1u, Of(chart, QVGraphFeedback::point).size());
}

TEST(StockRenderer, ATwoColourGroupStyleGivesTheUpperBarItsFirstColourAndTheLowerItsSecond)
{
    CMemoryCanvas canvas(300, 240);
    QVGraph chart;
    chart.SetFixedRect(CRect(0, 0, 300, 240), 0);
    for (double value : {2.0, 10.0, 6.0})
        chart.SetValue(0, 0, value);
    QVGraphStyle style = SolidStyle(RGB(0, 0, 0), 0);
    style.SetMarkerFill(0x30);
    style.m_crFill1 = RGB(0, 180, 0);
    style.m_crFill2 = RGB(180, 0, 0);
    chart.ApplyStyle(0, 0, -1, -1, style, TRUE);
    QVGraphDisplay* pDisplay = AddTypedDisplay(chart, 7, 0, CRect(0, 0, 300, 240));
    const CRect plot(20, 20, 280, 220);
    FixPlotAndValues(pDisplay, plot, 0.0, 12.0);
    chart.Draw(&canvas.dc, nullptr);
    const int x = plot.CenterPoint().x - 30;
    EXPECT_EQ(RGB(0, 180, 0), canvas.Pixel(x, MappedY(plot, 0, 12, 8.0)));
    EXPECT_EQ(RGB(180, 0, 0), canvas.Pixel(x, MappedY(plot, 0, 12, 4.0)));
}

TEST(StockRenderer, TheAreaFormJoinsHighsAndLowsIntoOneClosedArea)
{
    CMemoryCanvas canvas(300, 240);
    QVGraph chart;
    chart.SetFixedRect(CRect(0, 0, 300, 240), 0);
    for (int i = 0; i < 4; ++i)
        for (double value : {i + 1.0, i + 5.0, i + 3.0})
            chart.SetValue(i, 0, value);
    CRecordingDisplay* pDisplay = AddTypedDisplay<CRecordingDisplay>(chart, 24, 0, CRect(0, 0, 300, 240));
    FixPlotAndValues(pDisplay, CRect(20, 20, 280, 220), 0.0, 10.0);
    chart.Draw(&canvas.dc, nullptr);
    const std::vector<RecordedCall> fills = pDisplay->Calls("fill");
    ASSERT_EQ(1u, fills.size());
    EXPECT_EQ(2u * 4u + 1u, fills[0].points.size());
    EXPECT_EQ(4u, pDisplay->Calls("segment").size());
    EXPECT_EQ(4u, FeedbackOf(chart).size());
}

TEST(CandleRenderer, SixGroupsAreNotAWholeNumberOfCandlesAndRaiseCodeTwentyOne)
{
    CRecordingMessageBox box;
    CScopedMessageBoxSeam seam(&box);
    CMemoryCanvas canvas(300, 240);
    QVGraph chart;
    FillChart(chart, {{9.0}, {1.0}, {3.0}, {6.0}, {8.0}, {2.0}});
    AddTypedDisplay(chart, 28, 1, CRect(0, 0, 300, 240));
    chart.Draw(&canvas.dc, nullptr);
    ASSERT_EQ(1u, box.calls.size());
    EXPECT_EQ("A graph type was requested which is not compatible with the type of data or the number of data items "
              "available.",
              box.calls[0].text);
}

TEST(CandleRenderer, EachCandleRecordsItsFourPointsAndDrawsByType)
{
    const struct
    {
        int nGraphType;
        size_t lines;
        size_t shapes;
    } cases[] = {{28, 1u, 1u}, {29, 3u, 0u}, {46, 1u, 1u}};
    const CRect plot(20, 20, 280, 220);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nGraphType);
        CMemoryCanvas canvas(300, 240);
        QVGraph chart;
        chart.SetFixedRect(CRect(0, 0, 300, 240), 0);
        FillChart(chart, {{9.0, 8.0}, {1.0, 2.0}, {3.0, 6.0}, {6.0, 3.0}});
        CRecordingDisplay* pDisplay = AddTypedDisplay<CRecordingDisplay>(chart, c.nGraphType, 0, CRect(0, 0, 300, 240));
        FixPlotAndValues(pDisplay, plot, 0.0, 10.0);
        chart.Draw(&canvas.dc, nullptr);
        EXPECT_EQ(2 * c.lines, pDisplay->Calls("line").size());
        EXPECT_EQ(2 * c.shapes, pDisplay->Calls("shape").size());
        const std::vector<FeedbackRecord> points = Of(chart, QVGraphFeedback::point);
        ASSERT_EQ(8u, points.size());
        for (int k = 0; k < 4; ++k) {
            EXPECT_EQ(k, points[size_t(k)].nGroup);
            EXPECT_EQ(0, points[size_t(k)].nIndex);
            EXPECT_EQ(points[0].point.x, points[size_t(k)].point.x);
        }
        EXPECT_EQ(MappedY(plot, 0, 10, 9.0), points[0].point.y);
        EXPECT_EQ(MappedY(plot, 0, 10, 6.0), points[3].point.y);
    }
}

TEST(CandleRenderer, ShadedCandlesTakeTheirSeriesColoursInTheOrderOfTheirDirection)
{
    // A rising candle (3 to 6), a falling one (6 to 3) and an unchanged one; series 0 takes the colours
    // 0xFF0000 and 0x800000 (as 0x00BBGGRR).
    const CRect plot(20, 20, 320, 220);
    CMemoryCanvas canvas(340, 240);
    QVGraph chart;
    chart.SetFixedRect(CRect(0, 0, 340, 240), 0);
    FillChart(chart, {{9.0, 9.0, 9.0}, {1.0, 1.0, 1.0}, {3.0, 6.0, 5.0}, {6.0, 3.0, 5.0}});
    chart.ApplyStyle(0, 3, -1, -1, SolidStyle(RGB(0, 0, 0), 5), TRUE);
    QVGraphDisplay* pDisplay = AddTypedDisplay(chart, 46, 0, CRect(0, 0, 340, 240));
    FixPlotAndValues(pDisplay, plot, 0.0, 10.0);
    chart.Draw(&canvas.dc, nullptr);
    const int slot = plot.Width() / 3;
    auto colourAt = [&](int index, double value) {
        return canvas.Pixel(plot.left + slot * index + slot / 2 - 10, MappedY(plot, 0, 10, value));
    };
    // A vertical two-colour fill runs from the first colour at the top to the second at the bottom.
    EXPECT_EQ(COLORREF(0x800000), colourAt(0, 5.95));   // rising: entry 8 on top
    EXPECT_EQ(COLORREF(0xFF0000), colourAt(1, 5.95));   // falling: entry 0 on top
    const std::vector<FeedbackRecord> bodies = Of(chart, QVGraphFeedback::region);
    ASSERT_EQ(3u, bodies.size());
    EXPECT_EQ(bodies[2].box.top, bodies[2].box.bottom);  // unchanged: a body of no height
}

TEST(StrataRenderer, GroupsStackAsBandsBetweenTheirRunningTotals)
{
    CMemoryCanvas canvas(300, 240);
    QVGraph chart;
    chart.SetFixedRect(CRect(0, 0, 300, 240), 0);
    FillChart(chart, {{1.0, 2.0, 3.0}, {4.0, 1.0, 2.0}});
    CRecordingDisplay* pDisplay = AddTypedDisplay<CRecordingDisplay>(chart, 14, 0, CRect(0, 0, 300, 240));
    const CRect plot(20, 20, 280, 220);
    pDisplay->SetPlotRect(plot.left, plot.top, plot.right, plot.bottom, TRUE);
    chart.Draw(&canvas.dc, nullptr);
    EXPECT_GE(pDisplay->ValueDataRange().m_dMax, 5.0);   // the largest running total
    const double low = pDisplay->ValueDataRange().m_dMin, high = low + pDisplay->GetValueAxisSpan();
    const std::vector<RecordedCall> fills = pDisplay->Calls("fill");
    ASSERT_EQ(2u, fills.size());
    ASSERT_EQ(7u, fills[1].points.size());
    const double totals[3] = {5.0, 3.0, 5.0}, below[3] = {1.0, 2.0, 3.0};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(MappedY(plot, low, high, totals[i]), fills[1].points[size_t(i)].y) << i;
        EXPECT_EQ(MappedY(plot, low, high, below[i]), fills[1].points[size_t(5 - i)].y) << i;
    }
    const std::vector<FeedbackRecord> points = FeedbackOf(chart);
    ASSERT_EQ(6u, points.size());
    EXPECT_EQ(1, points[3].nGroup);
    EXPECT_EQ(MappedY(plot, low, high, 5.0), points[3].point.y);
}

TEST(StrataRenderer, APercentageColumnWhoseGroupsSumToZeroStaysEmptyWhileThePlainOneDrawsItsSegments)
{
    const struct
    {
        int nGraphType;
        size_t segmentsAtTheEmptyIndex;
    } cases[] = {{37, 2u}, {47, 0u}, {38, 2u}, {48, 0u}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nGraphType);
        CMemoryCanvas canvas(300, 240);
        QVGraph chart;
        chart.SetFixedRect(CRect(0, 0, 300, 240), 0);
        FillChart(chart, {{1.0, 0.0, 2.0}, {3.0, 0.0, 2.0}});
        AddTypedDisplay(chart, c.nGraphType, 0, CRect(0, 0, 300, 240));
        chart.Draw(&canvas.dc, nullptr);
        std::map<int, size_t> segments;
        for (const FeedbackRecord& record : Of(chart, QVGraphFeedback::region))
            ++segments[record.nIndex];
        EXPECT_EQ(2u, segments[0]);
        EXPECT_EQ(c.segmentsAtTheEmptyIndex, segments[1]);
        EXPECT_EQ(2u, segments[2]);
    }
}

TEST(StrataRenderer, PercentageColumnsFillThePlotAndTheirScaleRunsToOneHundredInFives)
{
    CMemoryCanvas canvas(400, 300);
    QVGraph chart;
    chart.SetFixedRect(CRect(0, 0, 400, 300), 0);
    FillChart(chart, {{1.0, 2.0}, {3.0, 2.0}});
    QVGraphDisplay* pDisplay = AddTypedDisplay(chart, 47, 1, CRect(0, 0, 400, 300));
    chart.Draw(&canvas.dc, nullptr);
    const CRect plot = pDisplay->GetPlotRect();
    const std::vector<FeedbackRecord> segments = Of(chart, QVGraphFeedback::region);
    ASSERT_EQ(4u, segments.size());
    EXPECT_EQ(plot.bottom, segments[0].box.bottom);
    EXPECT_NEAR(plot.Height() / 4.0, segments[0].box.Height(), 1.0);    // 1 of 4
    EXPECT_NEAR(plot.Height() * 3 / 4.0, segments[1].box.Height(), 1.0);
    EXPECT_EQ(plot.top, segments[1].box.top);
    QVGDecimalScale* pValues = pDisplay->GetSecondScale();
    ASSERT_NE(nullptr, pValues);
    EXPECT_DOUBLE_EQ(100.0, pValues->GetMax());
    ASSERT_GE(pValues->GetLabelCount(), 2);
    EXPECT_EQ(5, std::atoi(static_cast<LPCTSTR>(pValues->GetLabel(1)->GetCurrentText())));
}

TEST(StrataRenderer, GroupStrataBarsStandOnePerGroupLabelledByTheirGroups)
{
    CMemoryCanvas canvas(400, 300);
    QVGraph chart;
    chart.SetFixedRect(CRect(0, 0, 400, 300), 0);
    FillChart(chart, {{1.0, 2.0, 3.0}, {3.0, 2.0, 1.0}});
    chart.SetGroupText(0, "North");
    chart.SetGroupText(1, "South");
    QVGraphDisplay* pDisplay = AddTypedDisplay(chart, 39, 1, CRect(0, 0, 400, 300));
    chart.Draw(&canvas.dc, nullptr);
    const std::vector<FeedbackRecord> segments = Of(chart, QVGraphFeedback::region);
    ASSERT_EQ(6u, segments.size());
    // Group 0's column holds its three indexes, stacked up to 6, left of group 1's.
    EXPECT_EQ(0, segments[2].nGroup);
    EXPECT_EQ(2, segments[2].nIndex);
    EXPECT_LT(segments[0].box.right, segments[3].box.left);
    EXPECT_EQ(segments[0].box.top, segments[1].box.bottom);
    QVGDecimalScale* pGroups = pDisplay->GetFirstScale();
    ASSERT_NE(nullptr, pGroups);
    EXPECT_TRUE(pGroups->IsKindOf(RUNTIME_CLASS(QVGGroupScale)));
    ASSERT_EQ(2, pGroups->GetLabelCount());
    EXPECT_EQ(CString("South"), pGroups->GetLabel(1)->GetCurrentText());
}

TEST(StockStrataRenderers, PicturesOfTheFamily)
{
    const struct
    {
        int nGraphType;
        int nAxisStyle;
        const char* title;
    } charts[] = {{7, 2, "High - Low - Quotes"}, {24, 2, "Area Stock"}, {28, 2, "Candle chart"},
                  {29, 2, "Hi-Lo-Open-Close"},   {46, 2, "Shaded Candle"}, {14, 2, "Strata graph"},
                  {37, 2, "Strata VBar"},        {48, 10, "Strata HBar percentages"}, {39, 2, "Strata VBar (group)"}};
    CMemoryCanvas canvas(900, 900);
    QVGraph chart;
    chart.SetFixedRect(CRect(0, 0, 900, 900), 0);
    QVGraphBackground* pBackground = new QVGraphBackground;
    pBackground->SetIntRect(CRect(0, 0, 900, 900));
    pBackground->GetStyle()->SetFillType(1);
    pBackground->SetFillColors(RGB(250, 250, 245), 0);
    chart.AddComponent(pBackground);
    // Eight groups: four quotes of a stock that moves, their histories kept by each item.
    for (int i = 0; i < 6; ++i) {
        const double mid = 20 + 6 * std::sin(i * 0.8);
        chart.SetValue(i, 0, mid + 5);
        chart.SetValue(i, 1, mid - 5);
        chart.SetValue(i, 2, mid + (i % 2 ? 2 : -2));
        chart.SetValue(i, 3, mid + (i % 2 ? -3 : 3));
        for (int g = 4; g < 8; ++g)
            chart.SetValue(i, g, 3 + g + 2 * std::cos(i + g));
        for (int g = 0; g < 8; ++g)
            chart.GetItem(i, g)->SetValue(chart.GetItemValue(i, g) + 1.5);
        chart.SetItemText(i, 0, (std::string("D") + char('1' + i)).c_str());
    }
    const COLORREF colors[4] = {RGB(200, 60, 60), RGB(60, 150, 60), RGB(60, 60, 200), RGB(200, 160, 40)};
    for (int g = 0; g < 8; ++g) {
        QVGraphStyle style = SolidStyle(colors[g % 4], 5);
        chart.ApplyStyle(g, g, -1, -1, style, TRUE);
        chart.SetGroupText(g, (std::string("G") + char('0' + g)).c_str());
    }
    for (int k = 0; k < 9; ++k) {
        const CRect cell(300 * (k % 3), 300 * (k / 3), 300 * (k % 3) + 300, 300 * (k / 3) + 300);
        chart.AddComponent(CellTitle(cell, charts[k].title));
        QVGraphDisplay* pDisplay = AddTypedDisplay(chart, charts[k].nGraphType, charts[k].nAxisStyle,
                                                   CRect(cell.left + 10, cell.top + 30, cell.right - 10, cell.bottom - 10));
        const bool fourGroups = charts[k].nGraphType == 28 || charts[k].nGraphType == 29 || charts[k].nGraphType == 46;
        pDisplay->SetDataRange(-1, -1, fourGroups ? 0 : 4, fourGroups ? 3 : 7);
    }
    chart.Draw(&canvas.dc, nullptr);
    EXPECT_GT(FeedbackOf(chart).size(), 100u);
    canvas.SaveBmp("chart_stock_strata.bmp");
}
