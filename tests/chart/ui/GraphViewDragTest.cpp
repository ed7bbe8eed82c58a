// Dragging data: a press on a plotted point takes it, a move stores the values under the pointer into
// the item and its partner, tells the master document and redraws.
#include <gtest/gtest.h>

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
