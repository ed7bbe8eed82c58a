#include "grid/core/Font.h"
#include "tests/tools/HeapCount.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

TEST(CGXFont, DefaultSetsNothing)
{
    CGXFont font;
    EXPECT_TRUE(font.IsEmpty());
    EXPECT_FALSE(font.GetIncludeWeight());
    EXPECT_FALSE(font.GetIncludeSize());
    EXPECT_FALSE(font.GetIncludeItalic());
    EXPECT_FALSE(font.GetIncludeOrientation());
    EXPECT_FALSE(font.GetIncludeFaceName());
    EXPECT_EQ(font.GetWeightCode(), 15u);
    EXPECT_EQ(font.GetOrientationDegrees(), 511u);
    EXPECT_EQ(font.GetFaceId(), 1023u);
    CString text;
    EXPECT_EQ(font.GetDescription(text), ",,,,,,");
}

TEST(CGXFont, UnitConversions)
{
    struct SizeCase
    {
        double points;
        unsigned quarterPoints;
    } sizes[] = {{10, 40}, {10.6, 42}, {-10, 40}, {300, 1023}, {255.75, 1023}, {0, 0}};
    for (const SizeCase& c : sizes)
        EXPECT_EQ(CGXFont().SetSize(c.points).GetQuarterPoints(), c.quarterPoints) << c.points;
    EXPECT_DOUBLE_EQ(CGXFont().SetSize(300).GetSize(), 255.75);

    struct AngleCase
    {
        LONG tenths;
        unsigned degrees;
    } angles[] = {{-900, 270}, {3600, 0}, {900, 90}, {905, 90}, {-3601, 359}};
    for (const AngleCase& c : angles)
        EXPECT_EQ(CGXFont().SetOrientation(c.tenths).GetOrientationDegrees(), c.degrees) << c.tenths;

    EXPECT_EQ(CGXFont().SetWeight(700).GetWeightCode(), 7u);
    EXPECT_EQ(CGXFont().SetBold(TRUE).GetWeight(), 700);
    EXPECT_EQ(CGXFont().SetBold(FALSE).GetWeight(), 400);
}

TEST(CGXFont, EqualFontsShareOneDataRecord)
{
    CGXFont first, second;
    first.SetFaceName("Arial").SetSize(10).SetBold(TRUE);
    second.SetFaceName("Arial").SetSize(10).SetBold(TRUE);
    CGXFontData* pData = first.GetFontData();
    EXPECT_EQ(second.GetFontData(), pData);
    EXPECT_EQ(pData->nRefCount, 2);

    second.SetItalic(TRUE);
    EXPECT_EQ(pData->nRefCount, 1);
    EXPECT_NE(second.GetFontData(), pData);

    CGXFont copy(first);
    EXPECT_EQ(pData->nRefCount, 2);
    EXPECT_EQ(copy.GetFontData(), pData);
}

TEST(CGXFont, LogFontFollowsTheAttributes)
{
    CGXFont font;
    font.SetFaceName("Arial").SetSize(12).SetWeight(700).SetUnderline(TRUE).SetOrientation(900);
    const LOGFONT& lf = font.GetLogFont();
    EXPECT_STREQ(lf.lfFaceName, "Arial");
    EXPECT_LT(lf.lfHeight, 0);
    EXPECT_EQ(lf.lfWeight, 700);
    EXPECT_TRUE(lf.lfUnderline);
    EXPECT_FALSE(lf.lfItalic);
    EXPECT_EQ(lf.lfEscapement, 900);
    EXPECT_EQ(font.GetLogFontZoomed(200).lfHeight, lf.lfHeight * 2);

    // A LOGFONT read back gives the same record.
    CGXFont reread;
    reread.SetLogFont(lf);
    EXPECT_EQ(reread.GetLogFont().lfHeight, lf.lfHeight);
    EXPECT_EQ(reread.GetWeight(), 700);
    EXPECT_EQ(reread.GetOrientation(), 900);
}

TEST(CGXFont, StandardFontIsTenPointNormal)
{
    CGXFont font;
    font.SetStandardFont();
    EXPECT_DOUBLE_EQ(font.GetSize(), 10.0);
    EXPECT_EQ(font.GetWeight(), 400);
    EXPECT_TRUE(font.GetIncludeFaceName());
    EXPECT_TRUE(font.GetIncludeItalic());
    EXPECT_FALSE(font.GetItalic());
}

TEST(CGXFont, MergeModes)
{
    CGXFont base;
    base.SetFaceName("Arial").SetSize(10);
    CGXFont other;
    other.SetSize(14).SetBold(TRUE);

    CGXFont overridden(base);
    overridden.ChangeFont(other, gxOverride);
    EXPECT_DOUBLE_EQ(overridden.GetSize(), 14.0);
    EXPECT_EQ(overridden.GetWeight(), 700);
    EXPECT_STREQ(overridden.GetFaceName(), "Arial");

    CGXFont applied(base);
    applied.ChangeFont(other, gxApplyNew);
    EXPECT_DOUBLE_EQ(applied.GetSize(), 10.0);
    EXPECT_EQ(applied.GetWeight(), 700);

    CGXFont copied(base);
    copied.ChangeFont(other, gxCopy);
    EXPECT_FALSE(copied.GetIncludeFaceName());
    EXPECT_DOUBLE_EQ(copied.GetSize(), 14.0);

    CGXFont excluded(overridden);
    excluded.ChangeFont(other, gxExclude);
    EXPECT_FALSE(excluded.GetIncludeSize());
    EXPECT_FALSE(excluded.GetIncludeWeight());
    EXPECT_STREQ(excluded.GetFaceName(), "Arial");

    EXPECT_TRUE(overridden.CompareSubset(other));
    EXPECT_FALSE(base.CompareSubset(other));
}

TEST(CGXFont, TextForms)
{
    struct Case
    {
        const char* text;
        const char* written;
    } cases[] = {
        {"Arial,10,700,1,0,0,900", "Arial,10,700,1,0,0,900"},
        {"Arial,10.5", "Arial,10,,,,,"},
        {",12", ",12,,,,,"},
        {"Arial", "Arial,,,,,,"},
        {"Arial,10,", "Arial,10,0,,,,"},
        {"Arial,,,,1", "Arial,,,,1,,"},
        {"", ",,,,,,"},
    };
    for (const Case& c : cases)
    {
        CString text;
        EXPECT_EQ(CGXFont(c.text).GetDescription(text), c.written) << c.text;
    }
    CGXFont font("Arial,10,700,1,0,0,900");
    EXPECT_DOUBLE_EQ(font.GetSize(), 10.0);
    EXPECT_EQ(font.GetWeight(), 700);
    EXPECT_TRUE(font.GetItalic());
    EXPECT_TRUE(font.GetIncludeUnderline());
    EXPECT_FALSE(font.GetUnderline());
    EXPECT_EQ(font.GetOrientation(), 900);

    char buffer[128];
    font.FormatDescription(buffer);
    EXPECT_STREQ(buffer, "Arial,10,700,1,0,0,900");
}

TEST(CGXFont, TextFormReplacesTheWholeFont)
{
    CGXFont font;
    font.SetBold(TRUE).SetItalic(TRUE);
    font.SetDescription(",12");
    EXPECT_FALSE(font.GetIncludeWeight());
    EXPECT_FALSE(font.GetIncludeItalic());
    font.SetDescription(nullptr);
    EXPECT_DOUBLE_EQ(font.GetSize(), 12.0);
}

TEST(CGXFont, LongFaceNameIsCutToWhatALogFontHolds)
{
    const std::string longFace(200, 'Q');
    CGXFont font((longFace + ",9").c_str());
    EXPECT_EQ(std::string(font.GetFaceName()), std::string(31, 'Q'));
    EXPECT_STREQ(font.GetLogFont().lfFaceName, std::string(31, 'Q').c_str());
    EXPECT_DOUBLE_EQ(font.GetSize(), 9.0);
}

TEST(CGXFontFaceRegistry, IdsAreStableAndNamesCompareWithoutCase)
{
    const unsigned id = GXFindOrAddFontFace("Grid Test Face");
    ASSERT_NE(id, 1023u);
    EXPECT_EQ(GXFindOrAddFontFace("grid test face"), id);
    ASSERT_NE(GXGetFontFaceEntry(id), nullptr);
    EXPECT_STREQ(GXGetFontFaceEntry(id)->szFaceName, "Grid Test Face");
    EXPECT_EQ(GXFindOrAddFontFace(""), 1023u);
    EXPECT_EQ(GXGetFontFaceEntry(1023), nullptr);
    EXPECT_EQ(GXGetFontFaceRegistry().GetPitchAndFamily(1023), 0);
}

TEST(CGXFontFaceRegistry, FacesNamedByDocumentsTakeNoBlockOfTheirOwn)
{
    // Damaged documents can name faces until every id is taken: the registry's memory must not
    // grow with each of them.
    GXFindOrAddFontFace("Grid Test Face Before The Count");
    std::vector<std::string> names;
    for (int i = 0; i < 200; ++i)
        names.push_back("Face of a damaged document " + std::to_string(i));
    const long long nBefore = CountHeap().blocks;
    for (const std::string& name : names)
        ASSERT_NE(GXFindOrAddFontFace(name.c_str()), 1023u);
    EXPECT_LT(CountHeap().blocks - nBefore, 20);
}
