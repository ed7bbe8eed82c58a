// The style subset test: every attribute the subset sets must be set equally in the style.
#include "grid/features/StyleCompareSubsetImp.h"

#include "grid/core/AppData.h"
#include "grid/core/Style.h"

#include <gtest/gtest.h>

#include <functional>

namespace
{

class StyleCompareSubsetTest : public ::testing::Test
{
protected:
    void SetUp() override { GXStartLibrary(); }
};

} // namespace

TEST_F(StyleCompareSubsetTest, EmptyStylesAreSubsetsOfAnyStyle)
{
    CGXStyle empty, other, full;
    full.SetValue("x").SetReadOnly(TRUE).SetFont(CGXFont().SetBold(TRUE));
    EXPECT_TRUE(empty.CompareSubset(other));
    EXPECT_TRUE(other.CompareSubset(empty));
    EXPECT_TRUE(full.CompareSubset(empty));
    EXPECT_FALSE(empty.CompareSubset(full));
}

TEST_F(StyleCompareSubsetTest, EachAttributeMustBeSetAlikeInTheStyle)
{
    struct Case
    {
        const char* pszAttribute;
        std::function<void(CGXStyle&)> setSubset;
        std::function<void(CGXStyle&)> setOther;
    } cases[] = {
        {"alignment", [](CGXStyle& s) { s.SetHorizontalAlignment(DT_CENTER); },
         [](CGXStyle& s) { s.SetHorizontalAlignment(DT_RIGHT); }},
        {"float cell", [](CGXStyle& s) { s.SetFloatCell(TRUE); }, [](CGXStyle& s) { s.SetFloatCell(FALSE); }},
        {"merge cell", [](CGXStyle& s) { s.SetMergeCell(3); }, [](CGXStyle& s) { s.SetMergeCell(1); }},
        {"text colour", [](CGXStyle& s) { s.SetTextColor(RGB(1, 2, 3)); },
         [](CGXStyle& s) { s.SetTextColor(RGB(1, 2, 4)); }},
        {"control", [](CGXStyle& s) { s.SetControl(52517); }, [](CGXStyle& s) { s.SetControl(52512); }},
        {"interior", [](CGXStyle& s) { s.SetInterior(RGB(9, 9, 9)); }, [](CGXStyle& s) { s.SetInterior(RGB(9, 9, 8)); }},
        {"border", [](CGXStyle& s) { s.SetBorders(gxBorderTop, CGXStylePen(PS_SOLID, 1, 0)); },
         [](CGXStyle& s) { s.SetBorders(gxBorderTop, CGXStylePen(PS_SOLID, 2, 0)); }},
        {"font", [](CGXStyle& s) { s.SetFont(CGXFont().SetBold(TRUE)); },
         [](CGXStyle& s) { s.SetFont(CGXFont().SetBold(FALSE)); }},
        {"value", [](CGXStyle& s) { s.SetValue("abc"); }, [](CGXStyle& s) { s.SetValue("abC"); }},
        {"places", [](CGXStyle& s) { s.SetPlaces(2); }, [](CGXStyle& s) { s.SetPlaces(3); }},
        {"choice list", [](CGXStyle& s) { s.SetChoiceList("a\nb"); }, [](CGXStyle& s) { s.SetChoiceList("a\nc"); }},
        {"user attribute", [](CGXStyle& s) { s.SetUserAttribute(51011, "5"); },
         [](CGXStyle& s) { s.SetUserAttribute(51011, "6"); }},
    };
    for (const Case& c : cases)
    {
        CGXStyle subset;
        c.setSubset(subset);
        CGXStyle same;
        same.SetValue("more").SetWrapText(TRUE);
        c.setSubset(same);
        CGXStyle different;
        c.setOther(different);
        CGXStyle missing;
        missing.SetWrapText(TRUE);
        EXPECT_TRUE(same.CompareSubset(subset)) << c.pszAttribute;
        EXPECT_FALSE(different.CompareSubset(subset)) << c.pszAttribute;
        EXPECT_FALSE(missing.CompareSubset(subset)) << c.pszAttribute;
    }
}

TEST_F(StyleCompareSubsetTest, AFontContainsTheSubsetsFontAttributes)
{
    CGXStyle style;
    style.SetFont(CGXFont().SetBold(TRUE).SetSize(12).SetFaceName("Arial"));
    CGXStyle subset;
    subset.SetFont(CGXFont().SetSize(12));
    EXPECT_TRUE(style.CompareSubset(subset));
    EXPECT_FALSE(subset.CompareSubset(style));
}

TEST_F(StyleCompareSubsetTest, UserAttributesAreFoundByTheirIds)
{
    CGXStyle style;
    style.SetUserAttribute(51011, "1").SetUserAttribute(51013, "warn").SetUserAttribute(51022, "tip");
    CGXStyle subset;
    subset.SetUserAttribute(51013, "warn").SetUserAttribute(51022, "tip");
    EXPECT_TRUE(style.CompareSubset(subset)) << "the style's first attribute is not in the subset";

    subset.SetUserAttribute(51030, "extra");
    EXPECT_FALSE(style.CompareSubset(subset));
}
