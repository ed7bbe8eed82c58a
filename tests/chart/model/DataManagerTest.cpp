// Values addressed by (index, group): creation on demand, missing items, texts, statistics and styles.
#include "chart/model/DataManager.h"

#include "ChartTestSupport.h"
#include "framework/win/SeamRecorders.h"

#include <gtest/gtest.h>

TEST(DataManager, SetValueCreatesEveryGroupAndItemBeforeIt)
{
    QVGDataManager manager;
    manager.SetValue(5, 2, 7.5);
    EXPECT_EQ(3, manager.GetGroupCount());
    EXPECT_EQ(0, manager.GetGroupSize(0));
    EXPECT_EQ(6, manager.GetGroupSize(2));
    for (int index = 0; index < 5; ++index)
        EXPECT_TRUE(manager.GetItem(index, 2)->IsNull()) << index;
    QVGraphData* pItem = manager.GetItem(5, 2);
    EXPECT_FALSE(pItem->IsNull());
    EXPECT_EQ(7.5, pItem->GetValue());
}

TEST(DataManager, MissingGroupsAndItemsRaiseTheirErrors)
{
    QVGDataManager manager;
    manager.SetValue(1, 0, 1.0);
    EXPECT_EQ(2, ChartErrorOf([&] { manager.GetGroup(1, FALSE); }));
    EXPECT_EQ(2, ChartErrorOf([&] { manager.GetGroup(-1, TRUE); }));
    EXPECT_EQ(3, ChartErrorOf([&] { manager.GetItem(2, 0); }));
    EXPECT_EQ(3, ChartErrorOf([&] { manager.GetItem(-1, 0); }));
    EXPECT_EQ(-1, ChartErrorOf([&] { manager.GetItem(1, 0); }));
}

TEST(DataManager, HiddenGroupCountsAsMissing)
{
    QVGDataManager manager;
    manager.SetValue(0, 0, 1.0);
    manager.GetGroup(0, FALSE)->GetStyle()->SetOption(22, TRUE);
    EXPECT_EQ(2, ChartErrorOf([&] { manager.GetGroup(0, FALSE); }));
}

TEST(DataManager, FindItemGivesADeafNullDummyForMissingItems)
{
    QVGDataManager manager;
    manager.SetValue(0, 0, 3.0);
    QVGraphData* pDummy = manager.FindItem(4, 9);
    EXPECT_TRUE(pDummy->IsNull());
    EXPECT_EQ(0.0, pDummy->GetValue());
    pDummy->SetValue(42.0);
    pDummy->SetNull(FALSE);
    pDummy->SetAnnotation(1, "text");
    EXPECT_TRUE(pDummy->IsNull());
    EXPECT_EQ(0.0, pDummy->GetValue());
    EXPECT_EQ("", std::string(pDummy->GetAnnotationText(1)));
    EXPECT_EQ(1, manager.GetGroupCount());
    EXPECT_EQ(3.0, manager.FindItem(0, 0)->GetValue());
}

TEST(DataManager, SequentialAccessInBothDirectionsFindsEveryItem)
{
    QVGDataManager manager;
    for (int index = 0; index < 50; ++index)
        manager.SetValue(index, 0, index * 2.0);
    for (int index = 49; index >= 0; --index)
        EXPECT_EQ(index * 2.0, manager.GetItemValue(index, 0));
    const int jumps[] = {0, 49, 25, 24, 26, 3, 47, 0};
    for (int index : jumps)
        EXPECT_EQ(index * 2.0, manager.GetItemValue(index, 0)) << index;
}

TEST(DataManager, TextsOfItemsGroupsAndManager)
{
    QVGDataManager manager;
    manager.SetItemText(2, 1, "third");
    manager.GetGroup(1, FALSE)->GetItem(2, FALSE)->SetAnnotation(2, "second text");
    manager.SetItemText(2, 1, "3rd");
    EXPECT_EQ("3rd", std::string(manager.GetItemText(1, 2, 1)));
    EXPECT_EQ("second text", std::string(manager.GetItemText(1, 2, 2)));
    manager.SetGroupText(1, "series");
    manager.GetGroup(1, FALSE)->SetAnnotation(3, "extra");
    manager.SetGroupText(1, "renamed", TRUE);
    EXPECT_EQ("renamed", std::string(manager.GetGroupText(1, 1)));
    EXPECT_EQ("", std::string(manager.GetGroupText(1, 3)));
    EXPECT_EQ("", std::string(manager.GetGroupText(7, 1)));
    manager.SetManagerText("corner", 1);
    EXPECT_EQ("corner", std::string(manager.GetManagerText(1)));
}

namespace {
// Group 0: 1, null, 3; group 1: 10, 20; group 2: all null.
void FillStatistics(QVGDataManager& manager)
{
    manager.SetValue(0, 0, 1.0);
    manager.SetValue(2, 0, 3.0);
    manager.SetValue(0, 1, 10.0);
    manager.SetValue(1, 1, 20.0);
    manager.GetGroup(2, TRUE)->GetItem(1, TRUE);
}
}  // namespace

TEST(DataManager, SumsAndAveragesSkipNullItems)
{
    QVGDataManager manager;
    FillStatistics(manager);
    EXPECT_EQ(4.0, manager.GetGroupSum(0));
    EXPECT_EQ(0.0, manager.GetGroupSum(5));
    manager.SetCurrentGroup(1);
    EXPECT_EQ(30.0, manager.GetGroupSum(-1));
    EXPECT_EQ(2.0, manager.GetGroupAverage(0));
    EXPECT_EQ(15.0, manager.GetGroupAverage(1));
    EXPECT_EQ(0.0, manager.GetGroupAverage(9));
    EXPECT_EQ(2.0, manager.GetIndexAverage(0, 99, 0));
    EXPECT_EQ(3.0, manager.GetIndexAverage(1, 2, 0));
    EXPECT_EQ(0.0, manager.GetIndexAverage(5, 6, 0));
    EXPECT_EQ(34.0, manager.GetTotal());
    EXPECT_EQ(34.0, manager.GetRangeSum(0, 0, 99, 99));
    EXPECT_EQ(23.0, manager.GetRangeSum(0, 1, 1, 2));
    EXPECT_EQ(0.0, manager.GetRangeSum(3, 0, 5, 5));
}

TEST(DataManager, AveragesOfOnlyNullItemsAreZero)
{
    QVGDataManager manager;
    FillStatistics(manager);
    EXPECT_EQ(0.0, manager.GetGroupAverage(2));
    EXPECT_EQ(0.0, manager.GetIndexAverage(0, 1, 2));
    EXPECT_EQ(0.0, manager.GetIndexAverage(1, 1, 0));
}

TEST(DataManager, IndexSumAcrossGroups)
{
    QVGDataManager manager;
    FillStatistics(manager);
    EXPECT_EQ(11.0, manager.GetIndexSum(0, 0, 0));      // 0, 0 means all groups
    EXPECT_EQ(10.0, manager.GetIndexSum(0, 1, 9));
    EXPECT_EQ(0.0, manager.GetIndexSum(0, 5, 9));
    EXPECT_EQ(3, ChartErrorOf([&] { manager.GetIndexSum(3, 0, 0); }));
}

TEST(DataManager, ValueRangeOverValuesOrItemHistories)
{
    QVGDataManager manager;
    manager.SetValue(0, 0, 5.0);
    manager.SetValue(0, 0, 2.0);    // the item has held 5 and 2
    manager.SetValue(1, 0, 3.0);
    CScale range;
    manager.GetValueRange(range, FALSE);
    EXPECT_EQ(2.0, range.m_dMin);
    EXPECT_EQ(3.0, range.m_dMax);
    manager.GetValueRange(range, TRUE);
    EXPECT_EQ(2.0, range.m_dMin);
    EXPECT_EQ(5.0, range.m_dMax);
}

TEST(DataManager, ApplyStyleToGroupsAndItemRanges)
{
    QVGDataManager manager;
    for (int group = 0; group < 3; ++group)
        for (int index = 0; index < 4; ++index)
            manager.SetValue(index, group, 1.0);
    QVGraphStyle style;
    style.m_crLineColor = RGB(1, 2, 3);
    manager.ApplyStyle(1, -1, 2, 99, style, TRUE);
    EXPECT_EQ(RGB(1, 2, 3), manager.GetGroup(1, FALSE)->GetStyle()->m_crLineColor);
    EXPECT_EQ(RGB(1, 2, 3), manager.GetGroup(2, FALSE)->GetStyle()->m_crLineColor);
    EXPECT_NE(RGB(1, 2, 3), manager.GetGroup(0, FALSE)->GetStyle()->m_crLineColor);
    EXPECT_NE(RGB(1, 2, 3), manager.GetItem(1, 1)->GetStyle()->m_crLineColor);
    EXPECT_EQ(RGB(1, 2, 3), manager.GetItem(2, 1)->GetStyle()->m_crLineColor);
    EXPECT_EQ(RGB(1, 2, 3), manager.GetItem(3, 2)->GetStyle()->m_crLineColor);
}

TEST(DataManager, ApplyStyleSkipsHiddenGroupsSilently)
{
    CRecordingMessageBox box;
    CScopedMessageBoxSeam seam(&box);
    QVGDataManager manager;
    manager.SetValue(0, 0, 1.0);
    manager.SetValue(0, 1, 1.0);
    manager.GetGroup(0, FALSE)->GetStyle()->SetOption(22, TRUE);
    QVGraphStyle style;
    style.m_nLineWidth = 4;
    manager.ApplyStyle(-1, -1, -1, -1, style, FALSE);
    EXPECT_TRUE(box.calls.empty());
    EXPECT_EQ(4, manager.GetItem(0, 1)->GetStyle()->m_nLineWidth);
}

TEST(DataManager, DefaultStyleIsCopiedWhenAsked)
{
    QVGDataManager manager;
    QVGraphStyle style;
    style.m_crFill1 = RGB(9, 8, 7);
    manager.SetDefaultStyle(style);
    manager.SetValue(0, 0, 1.0, TRUE);
    manager.SetValue(1, 0, 1.0, FALSE);
    EXPECT_EQ(RGB(9, 8, 7), manager.GetItem(0, 0)->GetStyle()->m_crFill1);
    EXPECT_NE(RGB(9, 8, 7), manager.GetItem(1, 0)->GetStyle()->m_crFill1);
}

TEST(DataGroup, PushValueRotatesTheItems)
{
    QVGraphDataList group;
    for (int index = 0; index < 3; ++index)
        group.GetItem(index, TRUE)->SetValue(index + 1.0);      // 1 2 3
    group.PushValue(9.0, FALSE);                                // 2 3 9
    EXPECT_EQ(2.0, group.GetItem(0, FALSE)->GetValue());
    EXPECT_EQ(9.0, group.GetItem(2, FALSE)->GetValue());
    group.PushValue(7.0, TRUE);                                 // 7 2 3
    EXPECT_EQ(7.0, group.GetItem(0, FALSE)->GetValue());
    EXPECT_EQ(2.0, group.GetItem(1, FALSE)->GetValue());
    EXPECT_EQ(3.0, group.GetItem(2, FALSE)->GetValue());
}

TEST(DataGroup, InsertItemAtEndsInsideAndBeyond)
{
    QVGraphDataList group;
    group.GetItem(1, TRUE)->SetValue(1.0);
    QVGraphData* pFirst = new QVGraphData;
    pFirst->SetValue(-1.0);
    group.InsertItem(pFirst, -2);
    EXPECT_EQ(-1.0, group.GetItem(0, FALSE)->GetValue());
    QVGraphData* pReplacement = new QVGraphData;
    pReplacement->SetValue(5.0);
    group.InsertItem(pReplacement, 2);
    EXPECT_EQ(3, group.GetCount());
    EXPECT_EQ(5.0, group.GetItem(2, FALSE)->GetValue());
    QVGraphData* pFar = new QVGraphData;
    pFar->SetValue(8.0);
    group.InsertItem(pFar, 6);
    EXPECT_EQ(7, group.GetCount());
    EXPECT_TRUE(group.GetItem(5, FALSE)->IsNull());
    EXPECT_EQ(8.0, group.GetItem(6, FALSE)->GetValue());
}

TEST(DataItem, LogValueOfZeroOrLessIsMinus99)
{
    QVGraphData item;
    item.SetValue(100.0);
    EXPECT_DOUBLE_EQ(2.0, item.GetValue(TRUE));
    item.SetValue(0.0);
    EXPECT_EQ(-99.0, item.GetLogValue());
    item.SetValue(-5.0);
    EXPECT_EQ(-99.0, item.GetLogValue());
}

TEST(RangeRecord, IncludeWidensAndLogRangeGuardsNonPositiveEnds)
{
    CScale range;
    EXPECT_TRUE(range.IsEmpty());
    range.Include(4.0);
    EXPECT_FALSE(range.IsEmpty());
    EXPECT_EQ(4.0, range.m_dMin);
    EXPECT_EQ(4.0, range.m_dMax);
    range.Include(1000.0);
    range.Include(10.0);
    EXPECT_EQ(4.0, range.m_dMin);
    EXPECT_EQ(996.0, range.GetRange());
    range.Include(1.0);
    EXPECT_DOUBLE_EQ(3.0, range.GetLogRange());
    range.Include(0.0);
    EXPECT_EQ(1.0, range.GetLogRange());
}
