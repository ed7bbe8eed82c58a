// The pie renderer and its labels: slices and their sweeps, an empty pie, label texts by kind, exploded
// slices and their labels, the tilted pie, and pictures.
#include "chart/model/GraphBackground.h"
#include "chart/model/GraphLabel.h"
#include "chart/model/GraphTitle.h"
#include "chart/model/LabelBlock.h"

#include "RendererTestSupport.h"

#include <gtest/gtest.h>

namespace {
QVGraphLabelBlock* LabelsOf(QVGraphDisplay* pDisplay)
{
    return dynamic_cast<QVGraphLabelBlock*>(pDisplay->GetLabelBlock());
}

QVGraphStyle SliceStyle(COLORREF color, int nLabelKind, int nExplosion = 0)
{
    QVGraphStyle style = SolidStyle(color, 5);
    style.m_nFlags = (style.m_nFlags & ~0xFF0) | (nLabelKind << 4) | (nExplosion << 8);
    return style;
}

std::vector<FeedbackRecord> Regions(QVGraph& chart)
{
    std::vector<FeedbackRecord> regions;
    for (const FeedbackRecord& record : FeedbackOf(chart))
        if (record.nKind == QVGraphFeedback::region)
            regions.push_back(record);
    return regions;
}
}  // namespace

TEST(PieRenderer, ItemsThatAreAllZeroDrawNoGraph)
{
    CMemoryCanvas canvas(300, 300);
    QVGraph chart;
    chart.SetFixedRect(CRect(0, 0, 300, 300), 0);
    FillChart(chart, {{0.0, 0.0}, {0.0}});
    CRecordingDisplay* pDisplay = AddTypedDisplay<CRecordingDisplay>(chart, 4, 1, CRect(0, 0, 300, 300));
    chart.Draw(&canvas.dc, nullptr);
    EXPECT_EQ("nograph", pDisplay->Sequence());
    EXPECT_TRUE(FeedbackOf(chart).empty());
    ASSERT_NE(nullptr, LabelsOf(pDisplay));
    EXPECT_EQ(0, LabelsOf(pDisplay)->GetLabelCount());
}

TEST(PieRenderer, ASingleItemSweepsTheFullCircle)
{
    const COLORREF color = RGB(0, 150, 200);
    CMemoryCanvas canvas(300, 300);
    QVGraph chart;
    chart.SetFixedRect(CRect(0, 0, 300, 300), 0);
    FillChart(chart, {{7.0}});
    chart.ApplyStyle(0, 0, -1, -1, SliceStyle(color, 0), FALSE);
    QVGraphDisplay* pDisplay = AddTypedDisplay(chart, 4, 0, CRect(0, 0, 300, 300));
    chart.Draw(&canvas.dc, nullptr);
    const std::vector<FeedbackRecord> slices = Regions(chart);
    ASSERT_EQ(1u, slices.size());
    const CPoint centre = pDisplay->GetPlotRect().CenterPoint();
    const int radius = int(0.4 * std::min(pDisplay->GetPlotRect().Width(), pDisplay->GetPlotRect().Height()));
    for (double angle = 0; angle < 6.28; angle += 0.5) {
        const int x = centre.x + int(0.9 * radius * std::cos(angle)), y = centre.y - int(0.9 * radius * std::sin(angle));
        EXPECT_EQ(color, canvas.Pixel(x, y)) << angle;
    }
    EXPECT_NEAR(2 * radius, slices[0].box.Width(), 2);
    EXPECT_NEAR(2 * radius, slices[0].box.Height(), 2);
}

TEST(PieRenderer, SlicesFollowEachOtherFromAngleZeroInGroupThenIndexOrder)
{
    CMemoryCanvas canvas(300, 300);
    QVGraph chart;
    chart.SetFixedRect(CRect(0, 0, 300, 300), 0);
    FillChart(chart, {{1.0, 1.0}, {2.0}});
    chart.ApplyStyle(0, 1, -1, -1, SliceStyle(RGB(200, 0, 0), 0), FALSE);
    QVGraphDisplay* pDisplay = AddTypedDisplay(chart, 4, 0, CRect(0, 0, 300, 300));
    chart.Draw(&canvas.dc, nullptr);
    const std::vector<FeedbackRecord> slices = Regions(chart);
    ASSERT_EQ(3u, slices.size());
    const CPoint centre = pDisplay->GetPlotRect().CenterPoint();
    // A quarter from 0 (upper right), a quarter after it (upper left), the lower half last.
    EXPECT_EQ(0, slices[0].nGroup);
    EXPECT_EQ(0, slices[0].nIndex);
    EXPECT_GE(slices[0].box.left, centre.x - 1);
    EXPECT_LE(slices[0].box.bottom, centre.y + 1);
    EXPECT_EQ(1, slices[1].nIndex);
    EXPECT_LE(slices[1].box.right, centre.x + 1);
    EXPECT_LE(slices[1].box.bottom, centre.y + 1);
    EXPECT_EQ(1, slices[2].nGroup);
    EXPECT_GE(slices[2].box.top, centre.y - 1);
}

TEST(PieLabels, TextsByLabelKind)
{
    // The first slice is 1 of a total of 3, the second 2 of 3.
    const struct
    {
        int nKind;
        const char* first;
        const char* second;
    } cases[] = {
        {0, "", ""},
        {1, "1 (33%)", "2 (67%)"},
        {2, "1", "2"},
        {3, "33.33%", "66.67%"},
        {4, "1 (33%)", "2 (67%)"},
        {5, "North", "South"},
        {6, "North (1)", "South (2)"},
        {7, "North=1 (33%)", "South=2 (67%)"},
        {8, "North (33.33%)", "South (66.67%)"},
        {9, "1 (33%)", "2 (67%)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nKind);
        CMemoryCanvas canvas(300, 300);
        QVGraph chart;
        chart.SetFixedRect(CRect(0, 0, 300, 300), 0);
        FillChart(chart, {{1.0, 2.0}});
        chart.SetItemText(0, 0, "North");
        chart.SetItemText(1, 0, "South");
        chart.ApplyStyle(0, 0, -1, -1, SliceStyle(RGB(200, 0, 0), c.nKind), FALSE);
        QVGraphDisplay* pDisplay = AddTypedDisplay(chart, 4, 9, CRect(0, 0, 300, 300));
        chart.Draw(&canvas.dc, nullptr);
        QVGraphLabelBlock* pLabels = LabelsOf(pDisplay);
        ASSERT_NE(nullptr, pLabels);
        ASSERT_EQ(2, pLabels->GetLabelCount());
        EXPECT_EQ(std::string(c.first), static_cast<LPCTSTR>(pLabels->GetLabel(0)->GetCurrentText()));
        EXPECT_EQ(std::string(c.second), static_cast<LPCTSTR>(pLabels->GetLabel(1)->GetCurrentText()));
    }
}

TEST(PieLabels, TheDisplaysOwnValueFormatReplacesPercentG)
{
    CMemoryCanvas canvas(300, 300);
    QVGraph chart;
    chart.SetFixedRect(CRect(0, 0, 300, 300), 0);
    FillChart(chart, {{1.0, 2.0}});
    chart.ApplyStyle(0, 0, -1, -1, SliceStyle(RGB(200, 0, 0), 2), FALSE);
    QVGraphDisplay* pDisplay = AddTypedDisplay(chart, 4, 9, CRect(0, 0, 300, 300));
    pDisplay->GetIndexScaleFormat() = "%.1f t";
    chart.Draw(&canvas.dc, nullptr);
    EXPECT_EQ(std::string("2.0 t"), static_cast<LPCTSTR>(LabelsOf(pDisplay)->GetLabel(1)->GetCurrentText()));
}

TEST(PieLabels, LabelsSitOutsideTheirSlicesAndKeepTheirDistanceFromExplodedOnes)
{
    // Explosion kinds 0-4 with the label distances 1.0, 1.1, 1.05, 1.1, 1.2 of the radius.
    const double distances[5] = {1.0, 1.1, 1.05, 1.1, 1.2};
    const double explosions[5] = {0.0, 0.1, 0.05, 0.1, 0.2};
    for (int kind = 0; kind <= 4; ++kind) {
        SCOPED_TRACE(kind);
        CMemoryCanvas canvas(400, 400);
        QVGraph chart;
        chart.SetFixedRect(CRect(0, 0, 400, 400), 0);
        FillChart(chart, {{1.0, 1.0, 1.0, 1.0}});
        chart.ApplyStyle(0, 0, -1, -1, SliceStyle(RGB(200, 0, 0), 2), FALSE);
        chart.ApplyStyle(0, 0, 0, 0, SliceStyle(RGB(0, 0, 200), 2, kind), FALSE);
        QVGraphDisplay* pDisplay = AddTypedDisplay(chart, 4, 9, CRect(0, 0, 400, 400));
        pDisplay->SetFont(8, 0, "Arial");
        chart.Draw(&canvas.dc, nullptr);
        const CPoint centre = pDisplay->GetPlotRect().CenterPoint();
        const double radius = 0.4 * std::min(pDisplay->GetPlotRect().Width(), pDisplay->GetPlotRect().Height());
        QVGraphLabel* pLabel = LabelsOf(pDisplay)->GetLabel(0);
        pLabel->ComputeAnchor();
        const CPoint anchor = pLabel->GetAnchor();
        // The first slice's middle lies at 45 degrees.
        EXPECT_NEAR(radius * distances[kind], std::hypot(anchor.x - centre.x, anchor.y - centre.y), 2.0);
        EXPECT_NEAR(anchor.x - centre.x, centre.y - anchor.y, 2);
        // The slice moved out along the same line.
        const std::vector<FeedbackRecord> slices = Regions(chart);
        ASSERT_EQ(4u, slices.size());
        EXPECT_NEAR(centre.x + radius * explosions[kind] * std::cos(0.785398), slices[0].box.left, 2.0);
    }
}

TEST(PieLabels, SmallSlicesGetNoLabel)
{
    CMemoryCanvas canvas(300, 300);
    QVGraph chart;
    chart.SetFixedRect(CRect(0, 0, 300, 300), 0);
    FillChart(chart, {{1000.0, 4.0, 6.0}});
    chart.ApplyStyle(0, 0, -1, -1, SliceStyle(RGB(200, 0, 0), 2), FALSE);
    QVGraphDisplay* pDisplay = AddTypedDisplay(chart, 4, 9, CRect(0, 0, 300, 300));
    chart.Draw(&canvas.dc, nullptr);
    QVGraphLabelBlock* pLabels = LabelsOf(pDisplay);
    ASSERT_EQ(3, pLabels->GetLabelCount());
    EXPECT_EQ(std::string(""), static_cast<LPCTSTR>(pLabels->GetLabel(1)->GetCurrentText()));   // 0.4 % of the pie
    EXPECT_EQ(std::string("6"), static_cast<LPCTSTR>(pLabels->GetLabel(2)->GetCurrentText()));  // 0.6 %
}

TEST(PieRenderer, ATiltedPieShowsItsFrontWallBelowAFlattenedTop)
{
    CMemoryCanvas canvas(400, 300);
    QVGraph chart;
    chart.SetFixedRect(CRect(0, 0, 400, 300), 0);
    FillChart(chart, {{1.0, 1.0, 2.0}});
    QVGraphDisplay* pDisplay = AddTypedDisplay(chart, 13, 0, CRect(0, 0, 400, 300));
    pDisplay->GetStyle()->m_dValue1 = 30.0;
    chart.Draw(&canvas.dc, nullptr);
    const std::vector<FeedbackRecord> faces = Regions(chart);
    const double radius = 0.4 * pDisplay->GetPlotRect().Height();
    // Three tops, and walls along the front half of the rim in steps of five degrees.
    ASSERT_GT(faces.size(), 3u + 30u);
    int topHeight = 0;
    for (const FeedbackRecord& face : faces)
        topHeight = std::max(topHeight, int(face.box.Height()));
    // The tops are half as high as wide (30 degrees), the walls a quarter of the radius deep.
    CRect all(0, 0, 0, 0);
    for (const FeedbackRecord& face : faces)
        all.UnionRect(&all, &face.box);
    EXPECT_NEAR(2 * radius, all.Width(), 2);
    EXPECT_NEAR(radius + radius / 4, all.Height(), 3);
}

TEST(PieRenderers, PicturesOfTheFamily)
{
    CMemoryCanvas canvas(800, 400);
    QVGraph chart;
    chart.SetFixedRect(CRect(0, 0, 800, 400), 0);
    const double values[6] = {35.0, 20.0, 15.0, 12.0, 10.0, 8.0};
    const char* names[6] = {"Base", "Subbase", "Filter", "Pipe", "Outlet", "Other"};
    for (int i = 0; i < 6; ++i) {
        chart.SetValue(i, 0, values[i]);
        chart.SetItemText(i, 0, names[i]);
        QVGraphStyle style;
        style.SetLineType(2);
        style.SetMarkerFill(0x10);
        style.m_nFlags = (style.m_nFlags & ~0xFF0) | (8 << 4) | ((i == 0 ? 4 : 0) << 8);
        chart.ApplyStyle(0, 0, i, i, style, FALSE);
    }
    QVGraphBackground* pBackground = new QVGraphBackground;
    pBackground->SetIntRect(CRect(0, 0, 800, 400));
    pBackground->GetStyle()->SetFillType(1);
    pBackground->SetFillColors(RGB(250, 250, 245), 0);
    chart.AddComponent(pBackground);
    for (int k = 0; k < 2; ++k) {
        QVGraphTitle* pTitle = new QVGraphTitle;
        pTitle->SetIntRect(CRect(400 * k, 4, 400 * k + 400, 30));
        pTitle->SetText(k == 0 ? "Pie chart" : "3D pie chart", QVGraphTitle::alignCentre);
        pTitle->SetFixedText(TRUE);
        pTitle->SetFont(12, QVGraphTitle::fontBold, "Arial");
        pTitle->GetStyle()->SetFillType(0);
        pTitle->GetStyle()->SetBorderStyle(0);
        chart.AddComponent(pTitle);
        AddTypedDisplay(chart, k == 0 ? 4 : 13, 1, CRect(400 * k + 10, 30, 400 * k + 390, 390));
    }
    chart.Draw(&canvas.dc, nullptr);
    EXPECT_GT(Regions(chart).size(), 12u);
    canvas.SaveBmp("chart_pies.bmp");
}
