// Plain data text read into a chart: layouts with and without a header row, and the generated texts.
#include "chart/model/Graph.h"

#include <gtest/gtest.h>

#include <string>

namespace {
std::string ItemText(QVGraph& chart, int group, int index)
{
    return std::string(chart.GetItemText(group, index, 1));
}
}  // namespace

TEST(GraphDataText, RowsAreGroupsAndCellsIndexes)
{
    QVGraph chart;
    chart.ReadDataText("1,2\r\n3,4");
    EXPECT_EQ(2, chart.GetGroupCount());
    EXPECT_EQ(1.0, chart.GetItemValue(0, 0));
    EXPECT_EQ(2.0, chart.GetItemValue(1, 0));
    EXPECT_EQ(3.0, chart.GetItemValue(0, 1));
    EXPECT_EQ(4.0, chart.GetItemValue(1, 1));
    EXPECT_EQ("0", std::string(chart.GetGroupText(0, 1)));
    EXPECT_EQ("1", std::string(chart.GetGroupText(1, 1)));
    EXPECT_EQ("A", ItemText(chart, 0, 0));
    EXPECT_EQ("B", ItemText(chart, 0, 1));
    EXPECT_FALSE(chart.HasNoData());
}

TEST(GraphDataText, IndexTextsCountInBase26)
{
    std::string row;
    for (int i = 0; i < 28; ++i) {
        if (i > 0)
            row += '\t';
        row += std::to_string(i);
    }
    QVGraph chart;
    chart.ReadDataText(row.c_str());
    EXPECT_EQ(28, chart.GetGroupSize(0));
    EXPECT_EQ("Z", ItemText(chart, 0, 25));
    EXPECT_EQ("BA", ItemText(chart, 0, 26));
    EXPECT_EQ("BB", ItemText(chart, 0, 27));
    EXPECT_EQ(27.0, chart.GetItemValue(27, 0));
}

TEST(GraphDataText, TextAndEmptyCellsMakeNullItems)
{
    QVGraph chart;
    chart.ReadDataText("1,x,,4|5");
    EXPECT_EQ(1.0, chart.GetItemValue(0, 0));
    EXPECT_TRUE(chart.GetItem(1, 0)->IsNull());
    EXPECT_TRUE(chart.GetItem(2, 0)->IsNull());
    EXPECT_EQ(4.0, chart.GetItemValue(3, 0));
    EXPECT_EQ(5.0, chart.GetItemValue(0, 1));
}

TEST(GraphDataText, HeaderRowGivesCornerIndexAndGroupTexts)
{
    QVGraph chart;
    chart.ReadDataText("Size\tJan\tFeb\r\nNorth\t1.5\t\r\nSouth\tn/a\t7\r\n");
    EXPECT_EQ("Size", std::string(chart.GetManagerText(1)));
    EXPECT_EQ("Jan", ItemText(chart, 0, 0));
    EXPECT_EQ("Feb", ItemText(chart, 0, 1));
    EXPECT_EQ("North", std::string(chart.GetGroupText(0, 1)));
    EXPECT_EQ("South", std::string(chart.GetGroupText(1, 1)));
    EXPECT_EQ(1.5, chart.GetItemValue(0, 0));
    EXPECT_TRUE(chart.GetItem(1, 0)->IsNull());
    EXPECT_TRUE(chart.GetItem(0, 1)->IsNull());
    EXPECT_EQ(7.0, chart.GetItemValue(1, 1));
}

TEST(GraphDataText, LeadingSeparatorLeavesTheCornerEmpty)
{
    QVGraph chart;
    chart.ReadDataText(",a,b\nrow,1,2");
    EXPECT_EQ("", std::string(chart.GetManagerText(1)));
    EXPECT_EQ("a", ItemText(chart, 0, 0));
    EXPECT_EQ(2.0, chart.GetItemValue(1, 0));
}

TEST(GraphDataText, EmptyFirstRowStartsTheValuesInGroupOne)
{
    QVGraph chart;
    chart.ReadDataText("\r\n1,2\r\n3");
    EXPECT_EQ(3, chart.GetGroupCount());
    EXPECT_EQ(1.0, chart.GetItemValue(0, 1));
    EXPECT_EQ(3.0, chart.GetItemValue(0, 2));
}

TEST(GraphDataText, ReadingAgainReplacesTheData)
{
    QVGraph chart;
    chart.ReadDataText("1,2,3\r\n4,5,6\r\n7");
    chart.ReadDataText("9");
    EXPECT_EQ(1, chart.GetGroupCount());
    EXPECT_EQ(9.0, chart.GetItemValue(0, 0));
}

TEST(GraphDataText, BlankLinesMakeNoGroup)
{
    const struct
    {
        const char* text;
        int groups;
        double lastGroupFirstValue;
    } cases[] = {
        {"Name,A\nS1,1\n\n", 1, 1.0},
        {"Name,A\r\nS1,1\r\n\r\n  \r\nS2,2\r\n", 2, 2.0},
        {"1,2\n\n3,4\n\n", 2, 3.0},
        {"1,2|  |3,4", 2, 3.0},
        // An empty first row still starts the values in group one; later blank lines add nothing.
        {"\n1,2\n\n3", 3, 3.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        QVGraph chart;
        chart.ReadDataText(c.text);
        ASSERT_EQ(c.groups, chart.GetGroupCount());
        EXPECT_EQ(c.lastGroupFirstValue, chart.GetItemValue(0, c.groups - 1));
        EXPECT_NE("", std::string(chart.GetGroupText(c.groups - 1, 1)));
    }
}
