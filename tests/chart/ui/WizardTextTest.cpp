// The wizard's text lines and layout lines: comments and empty lines, the bounds of lines and names,
// groups that end a layout line when they do not parse in full, and where the layouts are read from.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "chart/ui/WizardText.h"

namespace {

std::vector<std::string> AllLines(const std::string& text)
{
    QVGWizardLines lines(text.c_str());
    std::vector<std::string> result;
    CString line;
    while (lines.Next(line))
        result.emplace_back(line);
    return result;
}

TEST(WizardLines, CommentsEmptyLinesAndLeadingBlanksAreSkipped)
{
    const std::string text = "// layouts of the wizard\r\n\r\n   first line\r\n/second comment\n\n\tsecond line";
    EXPECT_EQ(AllLines(text), (std::vector<std::string>{"first line\r", "second line"}));
    EXPECT_TRUE(AllLines("").empty());
    EXPECT_TRUE(AllLines("   \n\n// only a comment").empty());
}

TEST(WizardLines, ALineLongerThan1023CharactersGoesOnAsTheNextLine)
{
    const std::string text = std::string(1500, 'x') + "\nlast";
    const std::vector<std::string> lines = AllLines(text);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].size(), 1023u);
    EXPECT_EQ(lines[1].size(), 477u);
    EXPECT_EQ(lines[2], "last");
}

TEST(LayoutLine, EveryGroupBecomesAnItem)
{
    const CLayout layout = ParseLayoutLine("Background 3 0 0 1 0 0 100 100 Title 3 1 2 1 10 0 90 15\r");
    ASSERT_EQ(layout.size(), 2u);
    EXPECT_EQ(std::string(layout[1].m_strName), "Title");
    EXPECT_EQ(layout[1].m_nMeasurement, 3);
    EXPECT_EQ(layout[1].m_nBorderStyle, 1);
    EXPECT_EQ(layout[1].m_nShadowStyle, 2);
    EXPECT_EQ(layout[1].m_nFill, 1);
    EXPECT_EQ(layout[1].m_nLeft, 10);
    EXPECT_EQ(layout[1].m_nTop, 0);
    EXPECT_EQ(layout[1].m_nRight, 90);
    EXPECT_EQ(layout[1].m_nBottom, 15);
}

TEST(LayoutLine, AGroupThatDoesNotParseInFullEndsTheLine)
{
    const struct
    {
        const char* name;
        std::string line;
        size_t items;
    } cases[] = {
        {"a trailing group without numbers", "Background 3 0 0 1 0 0 100 100 Display", 1},
        {"a trailing group with too few numbers", "Background 3 0 0 1 0 0 100 100 Display 3 0 0", 1},
        {"a word among the numbers", "Title 3 0 0 1 x 0 100 100 Legend 3 0 0 1 0 0 100 100", 0},
        {"a name of 300 characters", std::string(300, 'N') + " 3 0 0 1 0 0 100 100", 0},
        {"nothing", "", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseLayoutLine(c.line.c_str()).size(), c.items) << c.name;
}

TEST(LayoutLine, ALayoutTextHoldsOneLayoutPerLine)
{
    const std::vector<CLayout> layouts =
        ParseLayouts("// two layouts\n\nBackground 3 0 0 1 0 0 100 100 Title 3 0 0 1 0 0 100 10\n"
                     "Display 3 1 1 1 5 5 95 95\n");
    ASSERT_EQ(layouts.size(), 2u);
    EXPECT_EQ(layouts[0].size(), 2u);
    EXPECT_EQ(layouts[1].size(), 1u);
}

} // namespace

namespace {

TEST(LayoutText, TheResourceComesFirstThenAFileOfThatName)
{
    const char* const fileName = "wizard_layouts_test.txt";
    const std::string fileText = "// from a file\nDisplay 3 0 0 1 5 5 95 95\n";
    FILE* file = std::fopen(fileName, "wb");
    ASSERT_NE(file, nullptr);
    std::fwrite(fileText.data(), 1, fileText.size(), file);
    std::fclose(file);

    CString text;
    // The chart library's own layouts are a resource.
    ASSERT_TRUE(LoadLayoutText("LAYOUT", text));
    EXPECT_GE(ParseLayouts(text).size(), 12u);
    // Without a resource of the name, the file of that name, read whole.
    ASSERT_TRUE(LoadLayoutText(fileName, text));
    EXPECT_EQ(std::string(text), fileText);
    // Neither: no text.
    EXPECT_FALSE(LoadLayoutText("no_such_layouts.txt", text));
    EXPECT_TRUE(text.IsEmpty());
    std::remove(fileName);
}

} // namespace
