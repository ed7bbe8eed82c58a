// The object stack that owns what is left on it, and the zoom record that gives a display back what it
// showed.
#include <gtest/gtest.h>

#include <vector>

#include "chart/model/Graph.h"
#include "chart/model/GraphDisplay.h"
#include "chart/ui/GraphZoom.h"
#include "chart/ui/ObStack.h"

namespace {

class CCounted : public CObject
{
public:
    explicit CCounted(int nId, std::vector<int>& deleted) : m_nId(nId), m_deleted(deleted) {}
    ~CCounted() override { m_deleted.push_back(m_nId); }
    int m_nId;
    std::vector<int>& m_deleted;
};

CScale Range(double low, double high)
{
    CScale range;
    range.Include(low);
    range.Include(high);
    return range;
}

} // namespace

TEST(ObStack, PopsLastInFirstOutAndDeletesWhatIsLeft)
{
    std::vector<int> deleted;
    {
        CObStack stack;
        EXPECT_EQ(nullptr, stack.Pop());
        for (int n = 1; n <= 3; ++n)
            stack.Push(new CCounted(n, deleted));
        CObject* pTop = stack.Pop();
        ASSERT_NE(nullptr, pTop);
        EXPECT_EQ(3, static_cast<CCounted*>(pTop)->m_nId);
        EXPECT_TRUE(deleted.empty());
        delete pTop;
        EXPECT_EQ(std::vector<int>({3}), deleted);
    }
    EXPECT_EQ(std::vector<int>({3, 2, 1}), deleted);
}

TEST(ZoomRecord, GivesTheDisplayBackItsLimitsRangesAndFixedValues)
{
    QVGraph chart;
    auto* pDisplay = new QVGraphDisplay;
    chart.AddComponent(pDisplay);
    pDisplay->SetDataRange(2, 7, -1, 3);
    pDisplay->SetFixedValueMin(-1.5);
    pDisplay->SetFixedValueMax(8.5);
    pDisplay->SetFixedIndexMin(0.25);
    pDisplay->SetFixedIndexMax(4.75);
    pDisplay->SetValueAxisRange(Range(1, 9));   // the index axis stays automatic

    QVGZoom zoom;
    zoom.Capture(pDisplay, ~2, &chart);
    EXPECT_TRUE(zoom.IsFurtherDisplay());
    EXPECT_EQ(2, zoom.GetDisplayPlace());

    pDisplay->SetDataRange(3, 4, 0, 1);
    pDisplay->SetFixedValueMin(0);
    pDisplay->SetFixedValueMax(1);
    pDisplay->SetFixedIndexMin(0);
    pDisplay->SetFixedIndexMax(1);
    pDisplay->SetValueAxisRange(Range(4, 5));
    pDisplay->SetIndexAxisRange(Range(2, 3));
    pDisplay->SetChanged(FALSE);

    zoom.Restore(pDisplay);
    int minIndex = 0, maxIndex = 0, minGroup = 0, maxGroup = 0;
    pDisplay->GetDataRange(minIndex, maxIndex, minGroup, maxGroup);
    EXPECT_EQ(2, minIndex);
    EXPECT_EQ(7, maxIndex);
    EXPECT_EQ(-1, minGroup);
    EXPECT_EQ(3, maxGroup);
    EXPECT_DOUBLE_EQ(-1.5, pDisplay->GetFixedValueMin());
    EXPECT_DOUBLE_EQ(8.5, pDisplay->GetFixedValueMax());
    EXPECT_DOUBLE_EQ(0.25, pDisplay->GetFixedIndexMin());
    EXPECT_DOUBLE_EQ(4.75, pDisplay->GetFixedIndexMax());
    EXPECT_DOUBLE_EQ(1, pDisplay->GetValueAxisRange().m_dMin);
    EXPECT_DOUBLE_EQ(9, pDisplay->GetValueAxisRange().m_dMax);
    EXPECT_TRUE(pDisplay->GetIndexAxisRange().IsEmpty());
    EXPECT_TRUE(pDisplay->IsChanged());

    QVGZoom first;
    first.Capture(pDisplay, 0, &chart);
    EXPECT_FALSE(first.IsFurtherDisplay());
    EXPECT_EQ(0, first.GetDisplayPlace());
}
