// The bar renderers: where bars start and end against the zero line, their widths and places in the
// index slots, stacked columns, the three-dimensional and isometric forms, and pictures.
#include "chart/model/GraphBackground.h"
#include "chart/model/GraphTitle.h"
#include "framework/win/SeamRecorders.h"

#include "RendererTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace {
std::vector<FeedbackRecord> Regions(QVGraph& chart)
{
    std::vector<FeedbackRecord> regions;
    for (const FeedbackRecord& record : FeedbackOf(chart))
        if (record.nKind == QVGraphFeedback::region)
            regions.push_back(record);
    return regions;
}

// Where a value lies along the value axis of a drawn display: device units from the bottom (or left).
double ValueOffset(QVGraphDisplay& display, double value, int nExtent)
{
    return (value - display.ValueDataRange().m_dMin) * nExtent / display.GetValueAxisSpan();
}

void AddBackgroundAndTitle(QVGraph& chart, const CRect& cell, LPCTSTR title)
{
    QVGraphTitle* pTitle = new QVGraphTitle;
    pTitle->SetIntRect(CRect(cell.left, cell.top + 4, cell.right, cell.top + 28));
    pTitle->SetText(title, QVGraphTitle::alignCentre);
    pTitle->SetFixedText(TRUE);
    pTitle->SetFont(11, QVGraphTitle::fontBold, "Arial");
    pTitle->GetStyle()->SetFillType(0);
    pTitle->GetStyle()->SetBorderStyle(0);
    chart.AddComponent(pTitle);
}

QVGraphBackground* Background(const CRect& area)
{
    QVGraphBackground* pBackground = new QVGraphBackground;
    pBackground->SetIntRect(area);
    pBackground->GetStyle()->SetFillType(1);
    pBackground->SetFillColors(RGB(250, 250, 245), 0);
    return pBackground;
}
}  // namespace

TEST(BarRenderer, BarsStartAtTheZeroLineOrHangFromTheTopWhenNothingIsAboveZero)
{
    const struct
    {
        const char* name;
        std::vector<double> values;
        const char* baseline;   // "zero", "top" or "bottom" (left, right or left for horizontal bars)
    } cases[] = {
        {"values -5 to 10", {-5.0, 10.0, 3.0}, "zero"},
        {"all 0 or less", {-2.0, -5.0, -1.0}, "top"},
        {"all positive", {2.0, 5.0, 1.0}, "bottom"},
    };
    const CRect plot(40, 20, 340, 220);
    for (int type : {3, 2}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(type == 3 ? "vertical, " : "horizontal, ") + c.name);
            CMemoryCanvas canvas(380, 240);
            QVGraph chart;
            FillChart(chart, {c.values});
            QVGraphDisplay* pDisplay = AddTypedDisplay(chart, type, 0, CRect(0, 0, 380, 240));
            pDisplay->SetPlotRect(plot.left, plot.top, plot.right, plot.bottom, TRUE);
            chart.Draw(&canvas.dc, nullptr);

            const std::vector<FeedbackRecord> bars = Regions(chart);
            ASSERT_EQ(c.values.size(), bars.size());
            const bool vertical = type == 3;
            const int extent = vertical ? plot.Height() : plot.Width();
            for (size_t k = 0; k < bars.size(); ++k) {
                const double value = c.values[k];
                const int end = vertical ? int(plot.bottom - ValueOffset(*pDisplay, value, extent) + 0.5)
                                         : int(plot.left + ValueOffset(*pDisplay, value, extent) + 0.5);
                int base = vertical ? plot.bottom : plot.left;
                if (std::string(c.baseline) == "zero")
                    base = vertical ? int(plot.bottom - ValueOffset(*pDisplay, 0.0, extent) + 0.5)
                                    : int(plot.left + ValueOffset(*pDisplay, 0.0, extent) + 0.5);
                else if (std::string(c.baseline) == "top")
                    base = vertical ? plot.top : plot.right;
                const CRect& box = bars[k].box;
                if (vertical) {
                    EXPECT_EQ(std::min(base, end), box.top) << k;
                    EXPECT_EQ(std::max(base, end), box.bottom) << k;
                } else {
                    EXPECT_EQ(std::min(base, end), box.left) << k;
                    EXPECT_EQ(std::max(base, end), box.right) << k;
                }
            }
            if (std::string(c.baseline) == "zero") {
                // The positive bar rises above the zero line, the negative one hangs below it.
                if (vertical) {
                    EXPECT_EQ(bars[0].box.top, bars[1].box.bottom);
                } else {
                    EXPECT_EQ(bars[0].box.right, bars[1].box.left);
                }
            }
        }
    }
}

TEST(BarRenderer, TwoGroupsOfThreeIndexesShareEachSlotAtElevenTwelfthsOfItsHalf)
{
    const CRect plot(40, 20, 640, 320);
    CMemoryCanvas canvas(680, 340);
    QVGraph chart;
    FillChart(chart, {{1.0, 2.0, 3.0}, {4.0, 5.0, 6.0}});
    QVGraphDisplay* pDisplay = AddTypedDisplay(chart, 3, 0, CRect(0, 0, 680, 340));
    pDisplay->SetPlotRect(plot.left, plot.top, plot.right, plot.bottom, TRUE);
    chart.Draw(&canvas.dc, nullptr);

    const std::vector<FeedbackRecord> bars = Regions(chart);
    ASSERT_EQ(6u, bars.size());
    const double width = plot.Width() / 6.0 * 0.9090909090909091;
    const double slot = plot.Width() / 3.0;
    for (const FeedbackRecord& bar : bars) {
        SCOPED_TRACE(std::to_string(bar.nIndex) + "/" + std::to_string(bar.nGroup));
        EXPECT_NEAR(width, bar.box.Width(), 1.0);
        // Group 0 left of group 1, the pair centred in its slot.
        const double left = plot.left + slot / 2 - width + bar.nGroup * width + bar.nIndex * slot;
        EXPECT_EQ(int(left), bar.box.left);
    }
}

TEST(BarRenderer, TheDisplaysOwnBarWidthIsUsedWhenItFits)
{
    const struct
    {
        double barWidth;
        double expected;
    } cases[] = {{40.0, 40.0}, {150.0, 100.0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.barWidth);
        CMemoryCanvas canvas(680, 340);
        QVGraph chart;
        FillChart(chart, {{1.0, 2.0, 3.0}, {4.0, 5.0, 6.0}});
        QVGraphDisplay* pDisplay = AddTypedDisplay(chart, 3, 0, CRect(0, 0, 680, 340));
        pDisplay->SetPlotRect(40, 20, 640, 320, TRUE);
        pDisplay->GetStyle()->SetOption(30, TRUE);
        pDisplay->GetStyle()->m_dSymbolWidth = c.barWidth;
        chart.Draw(&canvas.dc, nullptr);
        for (const FeedbackRecord& bar : Regions(chart))
            EXPECT_NEAR(c.expected, bar.box.Width(), 1.0);
    }
}

TEST(BarRenderer, AStackedColumnIsAsHighAsItsLargestValueAndEachGroupOwnsTheBandBelowIt)
{
    const struct
    {
        const char* name;
        std::vector<double> values;     // of groups 0, 1, 2 at index 0
        std::vector<std::pair<double, double>> bands;
        std::vector<int> owners;
    } cases[] = {
        {"positive", {2.0, 7.0, 4.0}, {{0.0, 2.0}, {2.0, 4.0}, {4.0, 7.0}}, {0, 2, 1}},
        {"across zero", {-3.0, 5.0, 2.0}, {{-3.0, 0.0}, {0.0, 2.0}, {2.0, 5.0}}, {0, 2, 1}},
    };
    const CRect plot(40, 20, 340, 220);
    for (int type : {11, 12}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(type == 11 ? "vertical, " : "horizontal, ") + c.name);
            CMemoryCanvas canvas(380, 240);
            QVGraph chart;
            FillChart(chart, {{c.values[0]}, {c.values[1]}, {c.values[2]}});
            QVGraphDisplay* pDisplay = AddTypedDisplay(chart, type, 0, CRect(0, 0, 380, 240));
            pDisplay->SetPlotRect(plot.left, plot.top, plot.right, plot.bottom, TRUE);
            pDisplay->SetOption(QVGDisplayBase::optionFixedRanges, TRUE);
            pDisplay->SetFixedValueMin(-10.0);
            pDisplay->SetFixedValueMax(10.0);
            chart.Draw(&canvas.dc, nullptr);

            const std::vector<FeedbackRecord> bands = Regions(chart);
            ASSERT_EQ(c.bands.size(), bands.size());
            const bool vertical = type == 11;
            const int extent = vertical ? plot.Height() : plot.Width();
            auto at = [&](double value) {
                return vertical ? int(plot.bottom - (value + 10.0) * extent / 20.0 + 0.5)
                                : int(plot.left + (value + 10.0) * extent / 20.0 + 0.5);
            };
            for (size_t k = 0; k < bands.size(); ++k) {
                EXPECT_EQ(c.owners[k], bands[k].nGroup) << k;
                if (vertical) {
                    EXPECT_EQ(at(c.bands[k].second), bands[k].box.top) << k;
                    EXPECT_EQ(at(c.bands[k].first), bands[k].box.bottom) << k;
                    EXPECT_NEAR(plot.Width() * 0.9090909090909091, bands[k].box.Width(), 1.0);
                } else {
                    EXPECT_EQ(at(c.bands[k].first), bands[k].box.left) << k;
                    EXPECT_EQ(at(c.bands[k].second), bands[k].box.right) << k;
                    EXPECT_NEAR(plot.Height() * 0.9090909090909091, bands[k].box.Height(), 1.0);
                }
            }
        }
    }
}

TEST(BarRenderer, ThreeDimensionalBarsAreBoxesInTheFrontPlane)
{
    const struct
    {
        int nGraphType;
        int nAxisStyle;
        int nShape;
    } cases[] = {{15, 1, 6}, {3, 11, 6}, {16, 1, 6}, {2, 16, 6}, {3, 2, 5}};
    const CRect plot(40, 20, 340, 220);
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.nGraphType) + "/" + std::to_string(c.nAxisStyle));
        CMemoryCanvas canvas(380, 240);
        QVGraph chart;
        FillChart(chart, {{10.0}});
        CRecordingDisplay* pDisplay = AddTypedDisplay<CRecordingDisplay>(chart, c.nGraphType, c.nAxisStyle,
                                                                         CRect(0, 0, 380, 240));
        pDisplay->SetPlotRect(plot.left, plot.top, plot.right, plot.bottom, TRUE);
        pDisplay->SetOption(QVGDisplayBase::optionFixedRanges, TRUE);
        pDisplay->SetFixedValueMin(0.0);
        pDisplay->SetFixedValueMax(10.0);
        chart.Draw(&canvas.dc, nullptr);
        const std::vector<RecordedCall> shapes = pDisplay->Calls("shape");
        ASSERT_EQ(1u, shapes.size());
        EXPECT_EQ(c.nShape, shapes[0].nKind);
        // The value 10 reaches the top of the front plane: one depth of 10 below the plot's top, or
        // short of its right edge.
        const bool vertical = c.nGraphType == 3 || c.nGraphType == 15;
        const int depth = c.nShape == 6 ? 10 : 0;
        if (vertical)
            EXPECT_EQ(plot.top + depth, shapes[0].from.y);
        else
            EXPECT_EQ(plot.right - depth, shapes[0].to.x);
    }
}

TEST(IsoRenderer, ValuesBelowZeroTurnTheChartIntoVerticalBarsForTheNextDrawing)
{
    for (int type : {9, 10, 17}) {
        SCOPED_TRACE(type);
        CMemoryCanvas canvas(380, 240);
        QVGraph chart;
        FillChart(chart, {{3.0, -2.0, 5.0}});
        QVGraphDisplay* pDisplay = AddTypedDisplay(chart, type, 4, CRect(0, 0, 380, 240));
        chart.Draw(&canvas.dc, nullptr);
        EXPECT_EQ(3, pDisplay->GetGraphType());
        EXPECT_EQ(2, pDisplay->GetAxisStyle());
        EXPECT_TRUE(FeedbackOf(chart).empty());
        chart.Draw(&canvas.dc, nullptr);
        EXPECT_EQ(3u, Regions(chart).size());
    }
}

TEST(IsoRenderer, BlocksStandInRowsBackToFrontByAverageWithThreeFacesEach)
{
    const struct
    {
        bool bGroupOrder;
        std::vector<int> rowsBackToFront;
    } cases[] = {{false, {1, 2, 0}}, {true, {0, 1, 2}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bGroupOrder);
        CMemoryCanvas canvas(400, 300);
        QVGraph chart;
        FillChart(chart, {{1.0, 2.0}, {6.0, 4.0}, {3.0, 3.0}});
        QVGraphDisplay* pDisplay = AddTypedDisplay(chart, 9, 4, CRect(0, 0, 400, 300));
        pDisplay->SetOption(9, c.bGroupOrder);
        chart.Draw(&canvas.dc, nullptr);
        const std::vector<FeedbackRecord> faces = Regions(chart);
        ASSERT_EQ(3u * 6u, faces.size());
        for (size_t row = 0; row < 3; ++row)
            for (size_t f = 0; f < 6; ++f)
                EXPECT_EQ(c.rowsBackToFront[row], faces[row * 6 + f].nGroup) << row << " " << f;
        // Each row lies further back (higher and further right) than the one drawn after it.
        EXPECT_LT(faces[1].box.bottom, faces[7].box.bottom);
        EXPECT_GT(faces[1].box.left, faces[7].box.left);
        // The front faces of one row stand on one floor line, their heights in proportion to the values.
        const FeedbackRecord& first = faces[1];
        const FeedbackRecord& second = faces[4];
        EXPECT_EQ(first.box.bottom, second.box.bottom);
        const double values[3][2] = {{1.0, 2.0}, {6.0, 4.0}, {3.0, 3.0}};
        const int g = first.nGroup;
        EXPECT_NEAR(values[g][0] / values[g][1], double(first.box.Height()) / second.box.Height(), 0.05);
    }
}

TEST(IsoRenderer, RibbonsAndRooftopsJoinNeighbouringItemsOfAGroup)
{
    const struct
    {
        int nGraphType;
        size_t facesPerGroup;   // roofs between neighbours, and for the rooftop its end and front face
    } cases[] = {{17, 3u}, {10, 5u}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nGraphType);
        CMemoryCanvas canvas(400, 300);
        QVGraph chart;
        FillChart(chart, {{1.0, 2.0, 4.0, 3.0}, {2.0, 2.0, 1.0, 1.0}});
        AddTypedDisplay(chart, c.nGraphType, 1, CRect(0, 0, 400, 300));
        chart.Draw(&canvas.dc, nullptr);
        EXPECT_EQ(2 * c.facesPerGroup, Regions(chart).size());
    }
}

namespace {
// Raises a chart error from the isometric layout the first time the scales lay themselves out.
class CFailingLayoutDisplay : public QVGraphDisplay
{
public:
    int code = 17;
    int calls = 0;
    void ComputeIsoLayout() override
    {
        if (++calls == 1)
            RaiseChartError(code);
        QVGraphDisplay::ComputeIsoLayout();
    }
};
}  // namespace

TEST(IsoRenderer, TheScalesAbsorbOnlyErrorSeventeen)
{
    const struct
    {
        int code;
        size_t messages;
        bool bDrawn;
    } cases[] = {{17, 0u, true}, {21, 1u, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        CRecordingMessageBox box;
        CScopedMessageBoxSeam seam(&box);
        CMemoryCanvas canvas(400, 300);
        QVGraph chart;
        FillChart(chart, {{1.0, 2.0}, {3.0, 4.0}});
        CFailingLayoutDisplay* pDisplay = AddTypedDisplay<CFailingLayoutDisplay>(chart, 9, 4, CRect(0, 0, 400, 300));
        pDisplay->code = c.code;
        chart.Draw(&canvas.dc, nullptr);
        EXPECT_EQ(c.messages, box.calls.size());
        EXPECT_EQ(c.bDrawn, !Regions(chart).empty());
    }
}

TEST(BarRenderers, PicturesOfTheFamily)
{
    const struct
    {
        int nGraphType;
        int nAxisStyle;
        const char* title;
    } flat[] = {{3, 2, "Vertical bar chart"}, {2, 10, "Horizontal bar chart"},
                {11, 2, "2D vertical stacked bar chart"}, {12, 10, "2D horizontal stacked bar chart"}},
      deep[] = {{15, 1, "3D Vertical bars"}, {16, 1, "3D Horizontal bars"}, {9, 4, "Manhattan, platform SE"},
                {9, 7, "Manhattan, stage SW"}, {10, 4, "Rooftop"}, {17, 5, "Ribbon, platform SW"}};
    const COLORREF colors[3] = {RGB(200, 60, 60), RGB(60, 150, 60), RGB(60, 60, 200)};
    auto fill = [&](QVGraph& chart, bool bNegative) {
        std::vector<std::vector<double>> rows(3);
        for (int i = 0; i < 5; ++i) {
            rows[0].push_back(10 + 6 * std::sin(i * 0.9) - (bNegative && i == 3 ? 22 : 0));
            rows[1].push_back(4 + i * 2.5);
            rows[2].push_back(14 - i * 2.0);
        }
        FillChart(chart, rows);
        for (int g = 0; g < 3; ++g) {
            QVGraphStyle style = SolidStyle(colors[g], 5);
            chart.ApplyStyle(g, g, -1, -1, style, TRUE);
            chart.SetGroupText(g, (std::string("Series ") + char('A' + g)).c_str());
        }
        for (int i = 0; i < 5; ++i)
            chart.SetItemText(i, 0, (std::string("Q") + char('1' + i)).c_str());
    };
    {
        CMemoryCanvas canvas(800, 600);
        QVGraph chart;
        chart.SetFixedRect(CRect(0, 0, 800, 600), 0);
        fill(chart, true);
        chart.AddComponent(Background(CRect(0, 0, 800, 600)));
        for (int k = 0; k < 4; ++k) {
            const CRect cell(400 * (k % 2), 300 * (k / 2), 400 * (k % 2) + 400, 300 * (k / 2) + 300);
            AddBackgroundAndTitle(chart, cell, flat[k].title);
            AddTypedDisplay(chart, flat[k].nGraphType, flat[k].nAxisStyle,
                            CRect(cell.left + 10, cell.top + 30, cell.right - 10, cell.bottom - 10));
        }
        chart.Draw(&canvas.dc, nullptr);
        EXPECT_GT(Regions(chart).size(), 40u);
        canvas.SaveBmp("chart_bars.bmp");
    }
    {
        CMemoryCanvas canvas(900, 600);
        QVGraph chart;
        chart.SetFixedRect(CRect(0, 0, 900, 600), 0);
        fill(chart, false);
        chart.AddComponent(Background(CRect(0, 0, 900, 600)));
        for (int k = 0; k < 6; ++k) {
            const CRect cell(300 * (k % 3), 300 * (k / 3), 300 * (k % 3) + 300, 300 * (k / 3) + 300);
            AddBackgroundAndTitle(chart, cell, deep[k].title);
            QVGraphDisplay* pDisplay = AddTypedDisplay(chart, deep[k].nGraphType, deep[k].nAxisStyle,
                                                       CRect(cell.left + 10, cell.top + 30, cell.right - 10,
                                                             cell.bottom - 10));
            pDisplay->SetOption(28, TRUE);
            pDisplay->SetOption(QVGDisplayBase::optionFillPlotArea, TRUE);
            pDisplay->GetStyle()->m_crColor = RGB(235, 235, 225);
        }
        chart.Draw(&canvas.dc, nullptr);
        EXPECT_GT(Regions(chart).size(), 100u);
        canvas.SaveBmp("chart_bars_3d.bmp");
    }
}

TEST(BarRenderer, FarValuesAreClampedIntoTheDrawingRangeNeverWrapped)
{
    // A fixed value range of 0 to 1 and a value a billion times beyond it.
    for (int type : {3, 2, 11, 12}) {
        SCOPED_TRACE(type);
        CMemoryCanvas canvas(300, 200);
        QVGraph chart;
        FillChart(chart, {{1e12}});
        CRecordingDisplay* pDisplay = AddTypedDisplay<CRecordingDisplay>(chart, type, 0, CRect(0, 0, 300, 200));
        pDisplay->SetPlotRect(20, 20, 280, 180, TRUE);
        pDisplay->SetOption(QVGDisplayBase::optionFixedRanges, TRUE);
        pDisplay->SetFixedValueMin(0.0);
        pDisplay->SetFixedValueMax(1.0);
        chart.Draw(&canvas.dc, nullptr);
        const std::vector<RecordedCall> shapes = pDisplay->Calls("shape");
        ASSERT_EQ(1u, shapes.size());
        const int half = canvas.dc.GetDeviceCaps(LOGPIXELSX) / 2;
        const bool vertical = type == 3 || type == 11;
        if (vertical)
            EXPECT_EQ(half - 32768, shapes[0].from.y);
        else
            EXPECT_EQ(32767 - half, shapes[0].to.x);
    }
}
