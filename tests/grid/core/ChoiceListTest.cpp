// Choice lists of the drawing toolbox: fields, lines, search and sort.
#include "grid/core/DrawingAndFormatting.h"

#include <gtest/gtest.h>

#include <cstring>

namespace
{
typedef CGXDrawingAndFormatting Toolbox;
}

TEST(ChoiceList, TabbedFields)
{
    struct
    {
        LPCTSTR pszEntry;
        int nField;
        LPCTSTR pszExpected;
    } const cases[] = {
        {"one\ttwo\tthree", 0, "one"}, {"one\ttwo\tthree", 1, "two"}, {"one\ttwo\tthree", 2, "three"},
        {"one\ttwo", 2, ""},           {"", 0, ""},                  {"\t\tlast", 2, "last"},
    };
    for (const auto& c : cases)
    {
        char buffer[32];
        Toolbox::GetTabbedField(c.pszEntry, c.nField, buffer, sizeof(buffer));
        EXPECT_STREQ(c.pszExpected, buffer) << c.pszEntry << " field " << c.nField;
        EXPECT_STREQ(c.pszExpected, Toolbox::GetTabbedField(c.pszEntry, c.nField));
    }
}

TEST(ChoiceList, TabbedFieldIsCutToItsBuffer)
{
    char buffer[8];
    std::memset(buffer, 'x', sizeof(buffer));
    Toolbox::GetTabbedField("abcdefghijkl\tz", 0, buffer, 5);
    EXPECT_STREQ("abcd", buffer);
    EXPECT_EQ('x', buffer[5]) << "nothing written beyond the buffer";
}

TEST(ChoiceList, CutFirstLine)
{
    struct
    {
        LPCTSTR pszList;
        int nResult;
        LPCTSTR pszLine;
        LPCTSTR pszRest;
    } const cases[] = {
        {"first\r\nsecond", 5, "first", "second"},
        {"first\nsecond\n", 5, "first", "second\n"},
        {"first\rsecond", 5, "first", "second"},
        {"\r\nsecond", 0, "", "second"},
        {"only", -1, "only", "only"},
    };
    for (const auto& c : cases)
    {
        CString list = c.pszList;
        CString line;
        EXPECT_EQ(c.nResult, Toolbox::CutFirstLine(list, line)) << c.pszList;
        EXPECT_STREQ(c.pszLine, line);
        EXPECT_STREQ(c.pszRest, list);
    }
}

TEST(ChoiceList, FindItem)
{
    const LPCTSTR pszList = "Header\r\nApple\t1\nbanana\t2\r\nCherry\t3";
    struct
    {
        LPCTSTR pszText;
        int nField;
        BOOL bExact;
        BOOL bSkipFirst;
        int nExpected;
    } const cases[] = {
        {"Apple", 0, TRUE, FALSE, 1},   {"apple", 0, TRUE, FALSE, -1},  {"apple", 0, FALSE, FALSE, 1},
        {"BAN", 0, FALSE, FALSE, 2},    {"2", 1, TRUE, FALSE, 2},       {"Cherry\t3", -1, TRUE, FALSE, 3},
        {"Apple", 0, TRUE, TRUE, 0},    {"Header", 0, TRUE, TRUE, -1},  {"Grape", 0, FALSE, FALSE, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.nExpected, Toolbox::FindChoiceListItem(c.pszText, c.nField, pszList, c.bExact, c.bSkipFirst))
            << c.pszText;
}

TEST(ChoiceList, CompareLinesIgnoresCaseAndCanUseAField)
{
    EXPECT_EQ(0, Toolbox::CompareChoiceLines("apple", "APPLE", 0));
    EXPECT_LT(Toolbox::CompareChoiceLines("apple\t9", "Banana\t1", 0), 0);
    EXPECT_GT(Toolbox::CompareChoiceLines("apple\t9", "Banana\t1", 1), 0);
}

TEST(ChoiceList, CompareOfLongFieldsStaysWithinItsBuffers)
{
    // Fields longer than the comparison buffers compare by their first 127 characters.
    const CString longA = CString('a', 400) + "\tX" ;
    const CString longB = CString('a', 400) + "\tY";
    EXPECT_EQ(0, Toolbox::CompareChoiceLines("k\t" + CString('q', 300) + "1", "k\t" + CString('q', 300) + "2", 1));
    EXPECT_LT(Toolbox::CompareChoiceLines(longA, longB, 0), 0);
    EXPECT_EQ(-1, Toolbox::FindChoiceListItem(CString('z', 200), 0, CString('z', 300), TRUE));
    EXPECT_EQ(0, Toolbox::FindChoiceListItem(CString('z', 100), 0, CString('z', 300), FALSE));
}

TEST(ChoiceList, SortEndsEveryLineWithCrLf)
{
    struct
    {
        LPCTSTR pszList;
        int nField;
        BOOL bKeepFirst;
        LPCTSTR pszExpected;
    } const cases[] = {
        {"pear\r\nApple\nfig\r", 0, FALSE, "Apple\r\nfig\r\npear\r\n"},
        {"Fruit\r\npear\nApple", 0, TRUE, "Fruit\r\nApple\r\npear\r\n"},
        {"a\t3\nb\t1\nc\t2", 1, FALSE, "b\t1\r\nc\t2\r\na\t3\r\n"},
        {"only", 0, FALSE, "only\r\n"},
        {"", 0, FALSE, ""},
    };
    for (const auto& c : cases)
    {
        CString list = c.pszList;
        Toolbox::SortChoiceList(list, c.nField, c.bKeepFirst);
        EXPECT_STREQ(c.pszExpected, list) << c.pszList;
    }
}
