#include "grid/core/Style.h"

#include "GridTestSupport.h"

#include <gtest/gtest.h>

namespace
{
CGXStyle Centred() { return CGXStyle().SetHorizontalAlignment(DT_CENTER).SetWrapText(TRUE).SetValue("x"); }
}  // namespace

TEST(CGXStyle, NewStyleSetsNothing)
{
    CGXStyle style;
    EXPECT_TRUE(style.IsEmpty());
    EXPECT_EQ(style.GetIncludeBits().GetMask(), 0u);
    EXPECT_EQ(style.GetUserAttributeMap(), nullptr);
    EXPECT_EQ(style.GetFontPtr(), nullptr);
}

TEST(CGXStyle, ApplyStyleModes)
{
    struct Case
    {
        GXModifyType mode;
        BOOL includeAlign;
        DWORD align;
        BOOL includeWrap;
        BOOL includeValue;
        BOOL readOnly;
    } cases[] = {
        {gxOverride, TRUE, DT_LEFT, TRUE, TRUE, TRUE},
        {gxApplyNew, TRUE, DT_CENTER, TRUE, TRUE, TRUE},
        {gxCopy, TRUE, DT_LEFT, FALSE, FALSE, TRUE},
        {gxExclude, FALSE, DT_CENTER, TRUE, TRUE, FALSE},
    };
    const CGXStyle other = CGXStyle().SetHorizontalAlignment(DT_LEFT).SetReadOnly(TRUE);
    for (const Case& c : cases)
    {
        CGXStyle style = Centred();
        style.ApplyStyle(other, c.mode);
        EXPECT_EQ(style.GetIncludeHorizontalAlignment(), c.includeAlign) << c.mode;
        EXPECT_EQ(style.GetHorizontalAlignment(), c.align) << c.mode;
        EXPECT_EQ(style.GetIncludeWrapText(), c.includeWrap) << c.mode;
        EXPECT_EQ(style.GetIncludeValue(), c.includeValue) << c.mode;
        EXPECT_EQ(style.GetIncludeReadOnly() && style.GetReadOnly(), c.readOnly) << c.mode;
    }
}

TEST(CGXStyle, ApplyingAnEmptyStyleChangesNothing)
{
    for (GXModifyType mode : {gxOverride, gxApplyNew})
    {
        CGXStyle style = Centred();
        style.ApplyStyle(CGXStyle(), mode);
        EXPECT_EQ(style.GetIncludeBits().GetMask(), Centred().GetIncludeBits().GetMask());
        EXPECT_EQ(style.GetValue(), "x");
    }
}

TEST(CGXStyle, ExcludingTheValueKeepsItsType)
{
    CGXStyle style;
    style.SetValue(2.5);
    style.ApplyStyle(CGXStyle().SetValue("y"), gxExclude);
    EXPECT_FALSE(style.GetIncludeValue());
    EXPECT_TRUE(style.GetValue().IsEmpty());
    EXPECT_EQ(style.GetValueType(), static_cast<unsigned>(GX_VT_NUMERIC));
}

TEST(CGXStyle, NumbersAreStoredAsThirteenDigitTexts)
{
    struct Case
    {
        double value;
        const char* text;
    } cases[] = {{1.0 / 3.0, "0.3333333333333"}, {0.1, "0.1"}, {1e20, "1e+020"}, {-2.0, "-2"}};
    for (const Case& c : cases)
    {
        CGXStyle style;
        style.SetValue(c.value);
        EXPECT_EQ(style.GetValue(), c.text);
        EXPECT_EQ(style.GetValueType(), static_cast<unsigned>(GX_VT_NUMERIC));
        EXPECT_TRUE(style.GetIncludeValue());
    }
    CGXStyle style;
    style.SetValue(4000000000ul);
    EXPECT_EQ(style.GetValue(), "4000000000");
    style.SetValue("text");
    EXPECT_EQ(style.GetValueType(), static_cast<unsigned>(GX_VT_TEXT));
}

TEST(CGXStyle, SystemTextColourKeepsItsTopByte)
{
    CGXStyle style;
    style.SetTextColor(0xF9000000);
    EXPECT_EQ(style.GetTextColorKind(), static_cast<unsigned>(gxColorSystem));
    EXPECT_EQ(style.GetTextColorValue(), 5u);
    EXPECT_EQ(style.GetTextColor(), (::GetSysColor(COLOR_WINDOW) & 0xFFFFFF) | 0xF9000000);
    EXPECT_EQ(style.GetResolvedTextColor(), ::GetSysColor(COLOR_WINDOW));

    // Stored again unchanged: still the system colour.
    CGXStyle copy;
    copy.SetTextColor(style.GetTextColor());
    EXPECT_EQ(copy.GetTextColorValue(), 5u);

    style.SetTextColor(RGB(10, 20, 30));
    EXPECT_EQ(style.GetTextColor(), RGB(10, 20, 30));
}

TEST(CGXStyle, Alignments)
{
    CGXStyle style;
    EXPECT_EQ(style.SetHorizontalAlignment(DT_RIGHT).GetHorizontalAlignment(), static_cast<DWORD>(DT_RIGHT));
    EXPECT_EQ(style.SetHorizontalAlignment(12345).GetHorizontalAlignment(), static_cast<DWORD>(DT_LEFT));
    EXPECT_EQ(style.SetVerticalAlignment(DT_VCENTER).GetVerticalAlignment(), static_cast<DWORD>(DT_VCENTER));
    EXPECT_EQ(style.SetVerticalAlignment(DT_BOTTOM).GetVerticalAlignment(), static_cast<DWORD>(DT_BOTTOM));
    EXPECT_EQ(style.SetVerticalAlignment(DT_CENTER).GetVerticalAlignment(), static_cast<DWORD>(DT_TOP));
}

TEST(CGXStyle, OneBorderCreatesAllFourPens)
{
    CGXStyle style;
    style.SetBorders(gxBorderBottom, CGXStylePen(PS_SOLID, 2, RGB(0, 0, 0)));
    EXPECT_TRUE(style.GetIncludeBorders());
    EXPECT_TRUE(style.IsBorderIncluded(gxBorderBottom));
    EXPECT_FALSE(style.IsBorderIncluded(gxBorderTop));
    EXPECT_FALSE(style.IsBorderIncluded(gxBorderLeft));
    EXPECT_FALSE(style.IsBorderIncluded(gxBorderRight));
    EXPECT_EQ(style.GetBorders(gxBorderBottom).GetWidth(), 2u);

    style.SetIncludeBorders(gxBorderBottom, FALSE);
    EXPECT_FALSE(style.GetIncludeBorders());
    style.SetIncludeBorders(gxBorderAll, TRUE);
    EXPECT_TRUE(style.IsBorderIncluded(gxBorderLeft));
    style.SetBorders(nullptr);
    EXPECT_FALSE(style.GetIncludeBorders());
}

TEST(CGXStyle, BordersMergeEdgeByEdge)
{
    CGXStyle style;
    style.SetBorders(gxBorderTop, CGXStylePen(PS_SOLID, 1, RGB(1, 1, 1)));
    CGXStyle other;
    other.SetBorders(gxBorderTop, CGXStylePen(PS_SOLID, 3, RGB(2, 2, 2)));
    other.SetBorders(gxBorderLeft, CGXStylePen(PS_DOT, 1, RGB(3, 3, 3)));

    CGXStyle applied(style);
    applied.ApplyStyle(other, gxApplyNew);
    EXPECT_EQ(applied.GetBorders(gxBorderTop).GetWidth(), 1u);
    EXPECT_EQ(applied.GetBorders(gxBorderLeft).GetStyle(), static_cast<UINT>(PS_DOT));

    CGXStyle excluded(applied);
    excluded.ApplyStyle(CGXStyle().SetBorders(gxBorderLeft, CGXStylePen(PS_SOLID, 1, 0)), gxExclude);
    EXPECT_TRUE(excluded.IsBorderIncluded(gxBorderTop));
    EXPECT_FALSE(excluded.IsBorderIncluded(gxBorderLeft));
}

TEST(CGXStyle, StandardDefaultsSetAllButBordersBaseStyleAndUserAttributes)
{
    CGXStyle style;
    style.SetUserAttribute(51011, "x");
    style.SetStandardDefaults();
    const DWORD notSet = (1u << CGXStyle::ibBorders) | (1u << CGXStyle::ibBaseStyle) | (1u << CGXStyle::ibUserAttributes);
    EXPECT_EQ(style.GetIncludeBits().GetMask(), CGXStyleIncludeBits::allBits & ~notSet);
    EXPECT_EQ(style.GetControl(), GX_IDS_CTRL_EDIT);
    EXPECT_EQ(style.GetTextColorValue(), static_cast<DWORD>(COLOR_WINDOWTEXT));
    EXPECT_EQ(style.GetInterior().GetColor(), ::GetSysColor(COLOR_WINDOW));
    EXPECT_TRUE(style.GetWrapText());
    EXPECT_TRUE(style.GetEnabled());
    EXPECT_TRUE(style.GetFloatCell());
    EXPECT_EQ(style.GetPlaces(), 13u);
    EXPECT_DOUBLE_EQ(style.GetFont().GetSize(), 10.0);
    EXPECT_EQ(style.GetUserAttributeMap(), nullptr);
}

TEST(CGXStyle, FontsMergeByMode)
{
    CGXStyle style;
    style.SetFont(CGXFont().SetSize(10).SetFaceName("Arial"));
    style.SetFont(CGXFont().SetBold(TRUE));
    EXPECT_DOUBLE_EQ(style.GetFont().GetSize(), 10.0);
    EXPECT_EQ(style.GetFont().GetWeight(), 700);

    style.SetFont(CGXFont().SetSize(12), gxApplyNew);
    EXPECT_DOUBLE_EQ(style.GetFont().GetSize(), 10.0);
    style.SetFont(CGXFont().SetSize(12), gxExclude);
    EXPECT_FALSE(style.GetFont().GetIncludeSize());

    CGXStyle other;
    other.SetFont(CGXFont().SetItalic(TRUE));
    style.ApplyStyle(other, gxOverride);
    EXPECT_TRUE(style.GetFont().GetItalic());
    EXPECT_EQ(style.GetFont().GetWeight(), 700);
}

TEST(CGXStyle, CopiesAreDeep)
{
    ScopedNumberParser parser;
    CGXStyle original;
    original.SetUserAttribute(51011, "1.5");
    original.SetFont(CGXFont().SetSize(9));
    original.SetBorders(gxBorderTop, CGXStylePen(PS_SOLID, 1, 0));
    CGXStyle* pClone = original.Clone();
    original.SetUserAttribute(51011, "2");
    original.SetFont(CGXFont().SetSize(11));
    original.SetBorders(nullptr);

    EXPECT_EQ(CString(pClone->GetUserAttribute(51011).GetValue()), "1.5");
    EXPECT_DOUBLE_EQ(pClone->GetFont().GetSize(), 9.0);
    EXPECT_TRUE(pClone->IsBorderIncluded(gxBorderTop));
    delete pClone;

    CGXStyle assigned = Centred();
    assigned = CGXStyle();
    EXPECT_TRUE(assigned.IsEmpty());
    EXPECT_TRUE(assigned.GetValue().IsEmpty());
}

TEST(CGXStyle, UserAttributes)
{
    ScopedNumberParser parser;
    CGXStyle style;
    EXPECT_FALSE(style.HasUserAttribute(51011));
    EXPECT_TRUE(style.GetUserAttribute(51011).IsEmpty());
    style.SetUserAttribute(51022, "Tip").SetUserAttribute(51011, "1.5").SetUserAttribute(51013, "Warning");
    EXPECT_TRUE(style.GetIncludeUserAttributes());
    EXPECT_TRUE(style.HasUserAttribute(51013));
    CString text;
    style.GetUserAttributeText(51022, text);
    EXPECT_EQ(text, "Tip");
    style.GetUserAttributeText(4, text);
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_DOUBLE_EQ(style.GetUserAttribute(51011).GetDoubleValue(), 1.5);

    // Applying another style's attributes keeps the existing ones in mode 1.
    CGXStyle other;
    other.SetUserAttribute(51011, "3").SetUserAttribute(51025, "0");
    style.ApplyStyle(other, gxApplyNew);
    EXPECT_EQ(style.GetUserAttributeMap()->GetSize(), 4);
    EXPECT_DOUBLE_EQ(style.GetUserAttribute(51011).GetDoubleValue(), 1.5);

    style.SetUserAttributeMap(nullptr);
    EXPECT_FALSE(style.GetIncludeUserAttributes());
    EXPECT_EQ(style.GetUserAttributeMap(), nullptr);
}

TEST(CGXStyle, AbsentComponentsAnswerNeutrally)
{
    const ScopedNoLibraryComponents noComponents;
    CGXStyle style = Centred();
    EXPECT_FALSE(style.CompareSubset(CGXStyle()));
    EXPECT_FALSE(style.ReadProfile("Section"));
    const Bytes bytes = StoreToBytes([&](CArchive& ar) { style.Serialize(ar); });
    EXPECT_TRUE(bytes.empty());
    style.ResolveBaseStyles(nullptr);
    EXPECT_EQ(style.GetValue(), "x");
}

TEST(CGXStyle, ProfileNamesPutTheFontBeforeTheBorders)
{
    EXPECT_STREQ(CGXStyle::ProfileNames[8], "Font");
    EXPECT_STREQ(CGXStyle::ProfileNames[9], "Borders");
    EXPECT_STREQ(CGXStyle::ProfileNames[13], "Right");
    EXPECT_STREQ(CGXStyle::ProfileNames[27], "Places");
}

namespace
{
// Records what the style hands to the application-wide components.
class RecordingComponents : public CGXAbstractStyleSerializeImp, public CGXAbstractStyleCompareSubsetImp
{
public:
    void SerializeFont(CGXFont& font, CArchive&) override { pFont = &font; }
    COLORREF SerializeBrush(CGXStyleBrush&, CArchive&) override { return 0; }
    COLORREF SerializePen(CGXStylePen&, CArchive&) override { return 0; }
    void SerializeStyle(CGXStyle& style, CArchive& ar, const CGXStylesMap* pMap) override
    {
        pStyle = &style;
        pStylesMap = pMap;
        ar << static_cast<BYTE>(0x5A);
    }
    BOOL IsSubset(const CGXStyle& style, const CGXStyle& subset) override
    {
        pStyle = &style;
        pSubset = &subset;
        return TRUE;
    }

    const CGXStyle* pStyle = nullptr;
    const CGXStyle* pSubset = nullptr;
    const CGXStylesMap* pStylesMap = reinterpret_cast<const CGXStylesMap*>(1);
    const CGXFont* pFont = nullptr;
};
}  // namespace

TEST(CGXStyle, InstalledComponentsReceiveTheStyle)
{
    RecordingComponents components;
    GXLibraryLinks& links = GXGetLibraryLinks();
    links.pStyleSerializeImp = &components;
    links.pStyleCompareSubsetImp = &components;

    CGXStyle style, subset;
    EXPECT_TRUE(style.CompareSubset(subset));
    EXPECT_EQ(components.pStyle, &style);
    EXPECT_EQ(components.pSubset, &subset);

    const Bytes bytes = StoreToBytes([&](CArchive& ar) { subset.Serialize(ar); });
    EXPECT_EQ(bytes, Bytes({0x5A}));
    EXPECT_EQ(components.pStyle, &subset);
    EXPECT_EQ(components.pStylesMap, nullptr);

    CGXFont font;
    StoreToBytes([&](CArchive& ar) { font.Serialize(ar); });
    EXPECT_EQ(components.pFont, &font);

    links.pStyleSerializeImp = nullptr;
    links.pStyleCompareSubsetImp = nullptr;
}
