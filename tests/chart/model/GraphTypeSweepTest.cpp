// Every graph type of the display draws its data, except the reserved ones, under its automatic axes;
// and one picture of them all for a person to look at.
#include "chart/model/GraphBackground.h"
#include "chart/model/GraphTitle.h"
#include "framework/core/NumberText.h"
#include "framework/win/SeamRecorders.h"

#include "RendererTestSupport.h"

#include <gtest/gtest.h>

namespace {
// Eight groups of six positive items: enough for every pairing (twos, threes, fours) and every spoke.
// The freestyle chart draws what its items' styles say: lines and symbols for some, bars for others (the
// default style's drawing mode, 1, draws nothing there).
void FillSweepData(QVGraph& chart)
{
    for (int g = 0; g < 8; ++g)
        for (int i = 0; i < 6; ++i)
            chart.SetValue(i, g, 2.0 + ((g * 7 + i * 3) % 11) + (g == 2 || g == 6 ? 0.0 : 0.5 * i));
}

void GiveFreeStyleModes(QVGraph& chart, int nFirstGroup)
{
    QVGraphStyle line;
    line.SetShapeType(3);
    line.SetLineType(1);
    QVGraphStyle bar;
    bar.SetShapeType(5);
    bar.SetMarkerFill(0x10);
    chart.ApplyStyle(nFirstGroup, nFirstGroup, -1, -1, line, FALSE);
    chart.ApplyStyle(nFirstGroup + 1, nFirstGroup + 1, -1, -1, bar, FALSE);
}
}  // namespace

TEST(GraphTypeSweep, EveryGraphTypeButTheReservedOnesLeavesFeedbackForItsData)
{
    CRecordingMessageBox box;
    CScopedMessageBoxSeam seam(&box);
    for (int type = 1; type <= 50; ++type) {
        SCOPED_TRACE(type);
        const bool reserved = type == 5 || type == 8 || type == 22;
        CMemoryCanvas canvas(300, 240);
        QVGraph chart;
        chart.SetFixedRect(CRect(0, 0, 300, 240), 0);
        FillSweepData(chart);
        if (type == 25)
            GiveFreeStyleModes(chart, 0);
        AddTypedDisplay(chart, type, 1, CRect(0, 0, 300, 240));
        chart.Draw(&canvas.dc, nullptr);
        EXPECT_TRUE(box.calls.empty()) << (box.calls.empty() ? "" : box.calls[0].text);
        box.calls.clear();
        EXPECT_EQ(reserved, FeedbackOf(chart).empty());
    }
}

TEST(GraphTypeSweep, PictureOfEveryGraphType)
{
    const int columns = 10, rows = 5, cellWidth = 180, cellHeight = 150;
    CMemoryCanvas canvas(columns * cellWidth, rows * cellHeight);
    QVGraph chart;
    chart.SetFixedRect(CRect(0, 0, canvas.width, canvas.height), 0);
    FillSweepData(chart);
    QVGraphBackground* pBackground = new QVGraphBackground;
    pBackground->SetIntRect(CRect(0, 0, canvas.width, canvas.height));
    pBackground->GetStyle()->SetFillType(1);
    pBackground->SetFillColors(RGB(250, 250, 245), 0);
    chart.AddComponent(pBackground);
    for (int type = 1; type <= 50; ++type) {
        const CRect cell(((type - 1) % columns) * cellWidth, ((type - 1) / columns) * cellHeight,
                         ((type - 1) % columns + 1) * cellWidth, ((type - 1) / columns + 1) * cellHeight);
        QVGraphTitle* pTitle = new QVGraphTitle;
        pTitle->SetIntRect(CRect(cell.left, cell.top + 2, cell.right, cell.top + 18));
        pTitle->SetText(NumberText::Format("Type %d", type).c_str(), QVGraphTitle::alignCentre);
        pTitle->SetFixedText(TRUE);
        pTitle->SetFont(8, QVGraphTitle::fontBold, "Arial");
        pTitle->GetStyle()->SetFillType(0);
        pTitle->GetStyle()->SetBorderStyle(0);
        chart.AddComponent(pTitle);
        QVGraphDisplay* pDisplay =
            AddTypedDisplay(chart, type, 1, CRect(cell.left + 2, cell.top + 18, cell.right - 2, cell.bottom - 2));
        pDisplay->SetFont(6, 0, "Arial");
        pDisplay->SetDataRange(-1, -1, 0, 7);
        if (type == 25) {
            // Its own two groups, so the other charts keep the default styles.
            for (int i = 0; i < 6; ++i) {
                chart.SetValue(i, 8, 3.0 + i);
                chart.SetValue(i, 9, 9.0 - i);
            }
            GiveFreeStyleModes(chart, 8);
            pDisplay->SetDataRange(-1, -1, 8, 9);
        }
    }
    CRecordingMessageBox box;
    CScopedMessageBoxSeam seam(&box);
    chart.Draw(&canvas.dc, nullptr);
    EXPECT_TRUE(box.calls.empty());
    canvas.SaveBmp("chart_all_types.bmp");
}
