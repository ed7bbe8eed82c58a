// Buffered items: ring buffers, growth, data types and the dynamic group that addresses them.
#include "chart/model/DataManager.h"
#include "chart/model/DynamicData.h"

#include "ChartTestSupport.h"
#include "framework/win/SeamRecorders.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
std::vector<double> Slots(QVGraphDynamicData& data)
{
    std::vector<double> values;
    data.SetReadPosition(0);
    for (int i = 0; i < data.GetCapacity(); ++i)
        values.push_back(data.GetValue());
    return values;
}
}  // namespace

TEST(DynamicData, WrappingBufferKeepsTheLastValues)
{
    QVGraphDynamicData data;
    ASSERT_TRUE(data.SetCapacity(4));
    data.SetWrap(TRUE);
    for (int i = 1; i <= 6; ++i)
        data.SetValue(i);
    EXPECT_EQ((std::vector<double>{5, 6, 3, 4}), Slots(data));
    EXPECT_EQ(4, data.GetCount());
    EXPECT_EQ(2, data.GetWritePosition());
}

TEST(DynamicData, FullBufferWithoutGrowthDropsTheValueAndSaysSo)
{
    CRecordingMessageBox box;
    CScopedMessageBoxSeam seam(&box);
    QVGraphDynamicData data;
    data.SetCapacity(2);
    data.SetValue(1);
    data.SetValue(2);
    data.SetValue(3);
    EXPECT_EQ((std::vector<double>{1, 2}), Slots(data));
    ASSERT_EQ(1u, box.calls.size());
    EXPECT_EQ("QVGraphDynamicData data access error\nAttempt to access data outside of buffer.\n"
              "Call SetGrowSize() to enable buffer growth.",
              box.calls[0].text);
    EXPECT_EQ(UINT(MB_ICONSTOP), box.calls[0].nType & MB_ICONMASK);
}

TEST(DynamicData, GrowSizeGrowsTheBufferAndKeepsValues)
{
    QVGraphDynamicData data;
    data.SetCapacity(2);
    data.SetGrowSize(3);
    for (int i = 1; i <= 4; ++i)
        data.SetValue(i * 10);
    EXPECT_EQ(5, data.GetCapacity());
    EXPECT_EQ(4, data.GetCount());
    EXPECT_EQ((std::vector<double>{10, 20, 30, 40, 0}), Slots(data));
}

TEST(DynamicData, DataTypesAndTheirLimits)
{
    QVGraphDynamicData bytes;
    bytes.SetCapacity(4);
    bytes.AppendByte(200);
    bytes.SetValue(255.0);
    EXPECT_EQ(5, ChartErrorOf([&] { bytes.SetValue(300.0); }));
    EXPECT_EQ(5, ChartErrorOf([&] { bytes.SetValue(-1.0); }));
    EXPECT_EQ(15, ChartErrorOf([&] { bytes.AppendInt(1); }));
    EXPECT_EQ((std::vector<double>{200, 255, 0, 0}), Slots(bytes));

    QVGraphDynamicData ints;
    ints.SetCapacity(2);
    ints.AppendInt(-7);
    ints.SetValue(3.9);     // truncated
    EXPECT_EQ(5, ChartErrorOf([&] { ints.SetValue(3e10); }));
    EXPECT_EQ((std::vector<double>{-7, 3}), Slots(ints));

    QVGraphDynamicData doubles;
    doubles.SetCapacity(1);
    doubles.SetValue(0.5);
    EXPECT_EQ(15, ChartErrorOf([&] { doubles.AppendByte(1); }));
}

TEST(DynamicData, UnallocatedBufferRaisesError6)
{
    QVGraphDynamicData data;
    EXPECT_EQ(6, ChartErrorOf([&] { data.SetValue(1.0); }));
    EXPECT_EQ(3, ChartErrorOf([&] { data.SetReadPosition(1); }));
}

TEST(DynamicData, KeptRangesFollowEachSlot)
{
    QVGraphDynamicData data;
    data.SetCapacity(2);
    data.SetKeepRanges(TRUE);
    data.SetWrap(TRUE);
    data.SetValue(5);
    data.SetValue(1);
    data.SetValue(9);       // slot 0 has held 5 and 9
    data.SetReadPosition(0);
    const CScale range = data.GetValueRange();
    EXPECT_EQ(5.0, range.m_dMin);
    EXPECT_EQ(9.0, range.m_dMax);
}

TEST(DynamicData, ScrollValueMovesEverySlot)
{
    QVGraphDynamicData data;
    data.SetCapacity(3);
    for (int i = 1; i <= 3; ++i)
        data.SetValue(i);
    data.ScrollValue(9, TRUE);
    EXPECT_EQ((std::vector<double>{9, 1, 2}), Slots(data));
    data.ScrollValue(7, FALSE);
    EXPECT_EQ((std::vector<double>{1, 2, 7}), Slots(data));
}

TEST(DynamicGroup, IndexesAddressTheBuffer)
{
    QVGDataManager manager;
    QVGraphDataList* pGroup = manager.GetGroup(0, TRUE);
    pGroup->SetDynamic(TRUE);
    EXPECT_EQ(6, ChartErrorOf([&] { pGroup->GetItem(0, FALSE); }));
    QVGraphDynamicData* pData = static_cast<QVGraphDynamicData*>(pGroup->GetItemList().GetHead());
    pData->SetCapacity(8);
    for (int i = 0; i < 5; ++i)
        pData->SetValue(i * 1.5);
    EXPECT_EQ(5, pGroup->GetCount());
    EXPECT_EQ(3.0, pGroup->GetItem(2, FALSE)->GetValue());
    EXPECT_EQ(6.0, pGroup->GetItem(-1, FALSE)->GetValue());
    EXPECT_EQ(0.0, pGroup->GetItem(-2, FALSE)->GetValue());
    manager.PushValue(0, 100.0, TRUE);
    EXPECT_EQ(100.0, pGroup->GetItem(0, FALSE)->GetValue());
}

TEST(DynamicData, ArchiveRoundTripKeepsSlotsAndRanges)
{
    QVGraphDynamicData source;
    source.SetCapacity(3);
    source.SetKeepRanges(TRUE);
    source.SetGrowSize(2);
    source.AppendInt(4);
    source.AppendInt(-8);
    QVGraphDynamicData copy;
    RoundTrip(source, copy);
    EXPECT_EQ(2, copy.GetCapacity());
    EXPECT_EQ(2, copy.GetCount());
    EXPECT_EQ(2, copy.GetGrowSize());
    EXPECT_TRUE(copy.GetKeepRanges());
    EXPECT_EQ(QVGraphDynamicData::typeInt, copy.GetDataType());
    EXPECT_EQ((std::vector<double>{4, -8}), Slots(copy));
}
