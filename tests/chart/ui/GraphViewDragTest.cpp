// Dragging data: a press on a plotted point takes it, a move stores the values under the pointer into
// the item and its partner, tells the master document and redraws.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <vector>

#include "ChartViewTestSupport.h"
#include "chart/model/GraphFeedback.h"

namespace {

// A master document that records the data commands its dependents send.
class CRecordingMaster : public CGraphDoc
{
public:
    struct Command
    {
        WPARAM nCode;
        QVGDragRecord record;
    };
    std::vector<Command> commands;

    CRecordingMaster() { m_bAutoDelete = FALSE; }
    int OnDataCommand(WPARAM nCode, LPARAM lData) override
    {
        commands.push_back({nCode, *reinterpret_cast<const QVGDragRecord*>(lData)});
        return 1;
    }
};

CScale Range(double low, double high)
{
    CScale range;
    range.Include(low);
    range.Include(high);
    return range;
}

} // namespace

class DataDragTest : public ChartViewTest
{
protected:
    CRecordingMaster master;

    void SetUp() override
    {
        ChartViewTest::SetUp();
        // Axes that do not follow the data, so that a moved point is drawn where it was dropped.
        pDisplay->SetIndexAxisRange(Range(0, 5));
        pDisplay->SetValueAxisRange(Range(0, 0.25));
        Paint();
        pDoc->SetMaster(&master);
    }
};

TEST_F(DataDragTest, APointDraggedToANewPlaceTakesTheValuesThereAndIsRedrawnThere)
{
    pView->SetShowDragTip(TRUE);
    const CPoint from = PointOf(1, 0);
    Press(from);
    ASSERT_TRUE(pView->IsDraggingData());
    EXPECT_EQ(pDisplay, pView->GetDragTarget());
    EXPECT_FALSE(pView->IsBandActive());

    const CPoint to(from.x + 40, from.y - 30);
    Move(to);
    const double x = XAt(to.x);
    const double y = YAt(to.y);
    EXPECT_NEAR(x, Chart().GetItemValue(1, 0), 1e-9);
    EXPECT_NEAR(y, Chart().GetItemValue(1, 1), 1e-9);
    EXPECT_DOUBLE_EQ(kCurveX[2], Chart().GetItemValue(2, 0));   // the others stay
    CRect update;
    EXPECT_TRUE(pView->GetUpdateRect(&update));
    char tipText[64];
    std::snprintf(tipText, sizeof tipText, "(%.2f, %.2f)", x, y);
    EXPECT_STREQ(tipText, pView->GetTip().GetText());
    EXPECT_TRUE(pView->GetTip().IsShown());

    // The master heard each value, with the item's place counted from 1.
    ASSERT_EQ(2u, master.commands.size());
    EXPECT_EQ(WPARAM(QVGraphView::dragNotification), master.commands[0].nCode);
    EXPECT_EQ(2, master.commands[0].record.nIndex);
    EXPECT_EQ(1, master.commands[0].record.nGroup);
    EXPECT_DOUBLE_EQ(Chart().GetItemValue(1, 0), master.commands[0].record.dValue);
    EXPECT_EQ(2, master.commands[1].record.nIndex);
    EXPECT_EQ(2, master.commands[1].record.nGroup);
    EXPECT_DOUBLE_EQ(Chart().GetItemValue(1, 1), master.commands[1].record.dValue);

    Release(to);
    EXPECT_FALSE(pView->IsDraggingData());
    Paint();
    const CPoint drawn = PointOf(1, 0);
    EXPECT_NEAR(to.x, drawn.x, 1);
    EXPECT_NEAR(to.y, drawn.y, 1);

    // Once released, moves change nothing.
    Move(CPoint(to.x + 20, to.y));
    EXPECT_NEAR(x, Chart().GetItemValue(1, 0), 1e-9);
}

TEST_F(DataDragTest, WithoutNotificationOrMasterTheDragOnlyChangesTheChart)
{
    pView->SetNotifyDocument(FALSE);
    const CPoint from = PointOf(3, 0);
    Press(from);
    Move(CPoint(from.x - 20, from.y + 10));
    Release(CPoint(from.x - 20, from.y + 10));
    EXPECT_TRUE(master.commands.empty());
    EXPECT_NE(kCurveX[3], Chart().GetItemValue(3, 0));

    pView->SetNotifyDocument(TRUE);
    pDoc->ReleaseMaster(&master);
    const CPoint again = PointOf(2, 0);
    Press(again);
    Move(CPoint(again.x + 10, again.y));
    Release(CPoint(again.x + 10, again.y));
    EXPECT_TRUE(master.commands.empty());
    EXPECT_NE(kCurveX[2], Chart().GetItemValue(2, 0));
}

TEST_F(DataDragTest, APressStartsABandWhenDataDragIsOffAndNothingOnANegativeRecord)
{
    pView->SetDataDragEnabled(FALSE);
    const CPoint point = PointOf(1, 0);
    Press(point);
    EXPECT_FALSE(pView->IsDraggingData());
    EXPECT_TRUE(pView->IsBandActive());
    EXPECT_EQ(point, pView->GetBandStart());
    Release(point);

    pView->SetZoomEnabled(FALSE);
    Press(point);
    EXPECT_FALSE(pView->IsBandActive());
    Release(point);

    // A record that names no item starts neither a drag nor a band.
    pView->SetDataDragEnabled(TRUE);
    pView->SetZoomEnabled(TRUE);
    const CPoint free(point.x, point.y - 60);
    Chart().AddFeedbackPoint(free.x, free.y, -1, -1);
    Press(free);
    EXPECT_FALSE(pView->IsDraggingData());
    EXPECT_FALSE(pView->IsBandActive());
    Release(free);
}

TEST_F(ChartViewTest, TheDraggedValuesGoWhereTheGraphTypeKeepsThem)
{
    // Four groups of four items, v(i, g) = 10 g + i + 1; the plot (100, 100, 300, 200) shows 0 .. 10
    // upwards and 0 .. 4 across, so the pointer at (150, 150) stands for the value 5 and the value 1.
    const CRect plot(100, 100, 300, 200);
    const CPoint press(120, 180);
    const CPoint pointer(150, 150);
    CScale values;
    values.Include(0);
    values.Include(10);
    CScale across;
    across.Include(0);
    across.Include(4);
    const double angleUp = 90 - 1.5707963267948966 * 57.295780490442965;
    struct Stored
    {
        int i;
        int g;
        double value;
    };
    const struct
    {
        const char* name;
        int nGraphType;
        int i;
        int g;
        CPoint to;
        std::vector<Stored> stored;
    } cases[] = {
        {"alternate scatter: the next item", 20, 1, 0, pointer, {{1, 0, 1.0}, {2, 0, 5.0}}},
        {"alternate scatter: after the last index, the next group", 19, 3, 0, pointer, {{3, 0, 1.0}, {0, 1, 5.0}}},
        {"group scatter", 34, 1, 2, pointer, {{1, 2, 1.0}, {1, 3, 5.0}}},
        {"bubble", 41, 1, 0, pointer, {{1, 0, 1.0}, {1, 1, 5.0}}},
        // Radius into the first group of the pair, the angle from the top into the second.
        {"polar", 26, 1, 0, CPoint(200, 130), {{1, 0, 5.0}, {1, 1, angleUp}}},
        // The direction handle: from the start (2, 12) to the pointer (1, 5).
        {"vector from its start", 43, 1, 2, pointer, {{1, 2, 90 - std::atan2(-7.0, -1.0) * 57.29578}, {1, 3, std::sqrt(50.0)}}},
        {"vector round its centre", 44, 1, 2, pointer, {{1, 2, 90 - std::atan2(-7.0, -1.0) * 57.29578}, {1, 3, 2 * std::sqrt(50.0)}}},
        {"two-point vector, second end", 45, 1, 2, pointer, {{1, 2, 1.0}, {1, 3, 5.0}}},
        {"two-point vector, first end", 45, 1, 0, pointer, {{1, 0, 1.0}, {1, 1, 5.0}}},
        {"a single value", 1, 2, 3, pointer, {{2, 3, 5.0}}},
    };
    pDisplay->SetPlotRect(plot.left, plot.top, plot.right, plot.bottom, TRUE);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QVGraph& chart = Chart();
        chart.RemoveAllData();
        for (int g = 0; g < 4; ++g)
            for (int i = 0; i < 4; ++i)
                chart.SetValue(i, g, 10.0 * g + i + 1);
        pDisplay->SetGraphType(c.nGraphType);
        pDisplay->SetDrawnValueAxisRange(values);
        pDisplay->SetDrawnIndexAxisRange(across);
        chart.AddFeedbackPoint(press.x, press.y, c.g, c.i);
        Press(press);
        ASSERT_TRUE(pView->IsDraggingData());
        ASSERT_EQ(pDisplay, pView->GetDragTarget());
        Move(c.to);
        Release(c.to);
        int nChanged = 0;
        for (int g = 0; g < 4; ++g)
            for (int i = 0; i < 4; ++i)
                nChanged += chart.GetItemValue(i, g) != 10.0 * g + i + 1;
        EXPECT_EQ(int(c.stored.size()), nChanged);
        for (const Stored& s : c.stored)
            EXPECT_NEAR(s.value, chart.GetItemValue(s.i, s.g), 1e-9) << s.i << ", " << s.g;
    }
}
