// Archives of the data model: values, texts, styles and null flags come back as they were stored.
#include "chart/model/DataManager.h"

#include "ChartTestSupport.h"

#include <gtest/gtest.h>

TEST(DataArchive, ManagerRoundTripKeepsValuesTextsAndStyles)
{
    QVGDataManager source;
    source.SetValue(0, 0, 1.25);
    source.SetValue(2, 0, -3.0);
    source.SetValue(1, 1, 1e300);
    source.SetItemText(2, 0, "third item");
    source.SetGroupText(1, "second group");
    source.SetManagerText("corner", 1);
    QVGraphStyle* pStyle = source.GetItem(2, 0)->GetStyle();
    pStyle->m_crLineColor = RGB(10, 20, 30);
    pStyle->m_strText = "STAR";
    pStyle->m_dTextAngle = 45.0;
    pStyle->SetShapeType(13);
    source.GetGroup(1, FALSE)->GetStyle()->m_nLineWidth = 6;

    QVGDataManager copy;
    copy.SetValue(9, 9, 9.0);   // replaced by the load
    RoundTrip(source, copy);

    ASSERT_EQ(2, copy.GetGroupCount());
    EXPECT_EQ(3, copy.GetGroupSize(0));
    EXPECT_EQ(1.25, copy.GetItemValue(0, 0));
    EXPECT_TRUE(copy.GetItem(1, 0)->IsNull());
    EXPECT_EQ(-3.0, copy.GetItemValue(2, 0));
    EXPECT_EQ(1e300, copy.GetItemValue(1, 1));
    EXPECT_EQ("third item", std::string(copy.GetItemText(0, 2, 1)));
    EXPECT_EQ("second group", std::string(copy.GetGroupText(1, 1)));
    EXPECT_EQ("corner", std::string(copy.GetManagerText(1)));
    const QVGraphStyle* pLoaded = copy.GetItem(2, 0)->GetStyle();
    EXPECT_EQ(RGB(10, 20, 30), pLoaded->m_crLineColor);
    EXPECT_EQ("STAR", std::string(pLoaded->m_strText));
    EXPECT_EQ(45.0, pLoaded->m_dTextAngle);
    EXPECT_EQ(13, pLoaded->GetShapeType());
    EXPECT_EQ(6, copy.GetGroup(1, FALSE)->GetStyle()->m_nLineWidth);
    const CScale range = copy.GetItem(2, 0)->GetValueRange();
    EXPECT_EQ(-3.0, range.m_dMin);
}

TEST(DataArchive, TruncatedArchiveThrows)
{
    QVGDataManager source;
    for (int group = 0; group < 3; ++group)
        source.SetValue(4, group, 1.0);
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        source.Serialize(ar);
        ar.Close();
    }
    const ULONGLONG length = file.GetLength();
    file.SetLength(length / 2);
    file.SeekToBegin();
    QVGDataManager copy;
    bool threw = false;
    try {
        CArchive ar(&file, CArchive::load);
        copy.Serialize(ar);
    } catch (CException* e) {
        threw = true;
        e->Delete();
    }
    EXPECT_TRUE(threw);
}

TEST(DataArchive, StyleCopyLeavesTheModifiedFlag)
{
    QVGraphStyle source;
    source.SetLogScale(TRUE);
    source.m_crFill2 = RGB(1, 1, 1);
    QVGraphStyle target;
    target.CopyFrom(source);
    EXPECT_TRUE(target.IsLogScale());
    EXPECT_EQ(RGB(1, 1, 1), target.m_crFill2);
    EXPECT_EQ(0, target.m_bModified);
    EXPECT_EQ(1, source.m_bModified);
}
