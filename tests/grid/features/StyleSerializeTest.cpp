// The archive form of styles, fonts, brushes and pens: exact bytes where the form fixes them, round
// trips of every attribute, the older schemas and the refusal of newer ones.
#include "grid/features/SerializeLT5CompatibleImp.h"
#include "grid/features/StyleSerializeImp.h"

#include "grid/core/AppData.h"
#include "grid/core/Font.h"
#include "grid/core/MapDWordToString.h"
#include "grid/core/Style.h"
#include "grid/core/StylesMap.h"
#include "grid/core/UserAttribute.h"
#include "tests/grid/core/GridTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace
{

class StyleSerializeTest : public ::testing::Test
{
protected:
    void SetUp() override { GXStartLibrary(); }

    static Bytes Stored(CGXStyle& style, const CGXStylesMap* pMap = nullptr)
    {
        return StoreToBytes([&](CArchive& ar) { style.SerializeWithStylesMap(ar, pMap); });
    }
    static CGXStyle Loaded(const Bytes& bytes, const CGXStylesMap* pMap = nullptr)
    {
        CGXStyle style;
        LoadFromBytes(bytes, [&](CArchive& ar) { style.SerializeWithStylesMap(ar, pMap); });
        return style;
    }
    static CGXStyle RoundTrip(CGXStyle& style, const CGXStylesMap* pMap = nullptr)
    {
        return Loaded(Stored(style, pMap), pMap);
    }
};

// Little-endian pieces of hand-made archives.
void Put(Bytes& bytes, WORD w)
{
    bytes.push_back(LOBYTE(w));
    bytes.push_back(HIBYTE(w));
}
void Put(Bytes& bytes, DWORD dw)
{
    Put(bytes, LOWORD(dw));
    Put(bytes, HIWORD(dw));
}
void PutByte(Bytes& bytes, BYTE by) { bytes.push_back(by); }
void PutString(Bytes& bytes, const std::string& text)
{
    bytes.push_back(static_cast<BYTE>(text.size()));
    bytes.insert(bytes.end(), text.begin(), text.end());
}

} // namespace

TEST_F(StyleSerializeTest, AStyleWithNoAttributeStoresTenBytes)
{
    CGXStyle style;
    EXPECT_EQ(Stored(style), (Bytes{0x06, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}));
}

TEST_F(StyleSerializeTest, FloatAndFloodCellKeepTheirOwnValues)
{
    CGXStyle style;
    style.SetFloatCell(FALSE).SetFloodCell(TRUE);
    const Bytes bytes = Stored(style);
    // Schema, the mask with bits 21 (FloatCell) and 22 (FloodCell), no borders, no attributes, then
    // FloatCell's byte before FloodCell's.
    EXPECT_EQ(bytes, (Bytes{0x06, 0x00, 0x00, 0x00, 0x60, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01}));

    const CGXStyle loaded = Loaded(bytes);
    ASSERT_TRUE(loaded.GetIncludeFloatCell());
    ASSERT_TRUE(loaded.GetIncludeFloodCell());
    EXPECT_FALSE(loaded.GetFloatCell());
    EXPECT_TRUE(loaded.GetFloodCell());
}

TEST_F(StyleSerializeTest, ANewerSchemaIsRefusedAndNothingMoreIsRead)
{
    Bytes bytes;
    Put(bytes, WORD(7));
    Put(bytes, DWORD(0xCAFEF00D));
    CMemFile file;
    file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    CGXStyle style;
    style.SetValue("kept");
    EXPECT_EQ(ArchiveCauseOf([&] { style.SerializeWithStylesMap(ar, nullptr); }), CArchiveException::badSchema);
    DWORD dwNext = 0;
    ar >> dwNext;
    EXPECT_EQ(dwNext, 0xCAFEF00Du) << "the mask after the schema is still there to read";
    EXPECT_STREQ(style.GetValue(), "kept");
}

TEST_F(StyleSerializeTest, EveryAttributeComesBack)
{
    CGXStylesMap map;
    map.CreateStandardStyles();
    CGXStyle base;
    base.SetValue("base");
    const WORD nBaseId = map.RegisterStyle("Mine", base);

    CGXStyle style;
    CGXStyleBrush interior;
    interior.SetPattern(12).SetColor(RGB(10, 20, 30)).SetBkColor(RGB(200, 100, 50));
    CGXFont font;
    font.SetFaceName("Arial").SetSize(12).SetBold(TRUE).SetItalic(TRUE).SetOrientation(900);
    style.SetHorizontalAlignment(DT_RIGHT)
        .SetVerticalAlignment(DT_BOTTOM)
        .SetReadOnly(TRUE)
        .SetControl(52517)
        .SetInterior(interior)
        .SetTextColor(RGB(1, 2, 3))
        .SetWrapText(FALSE)
        .SetAllowEnter(TRUE)
        .SetBorders(gxBorderLeft, CGXStylePen(PS_DOT, 2, RGB(255, 0, 0)))
        .SetBorders(gxBorderBottom, CGXStylePen(PS_SOLID, 1, GXSysColorValue(COLOR_WINDOWTEXT)))
        .SetFont(font)
        .SetValue(-12.25)
        .SetChoiceList("one\ntwo")
        .SetVerticalScrollbar(TRUE)
        .SetMaxLength(40)
        .SetBaseStyle(nBaseId)
        .SetEnabled(FALSE)
        .SetTriState(TRUE)
        .SetDraw3dFrame(2)
        .SetUserAttribute(51011, "1.5")
        .SetUserAttribute(51013, "Too small")
        .SetAutoSize(TRUE)
        .SetItemDataPtr(reinterpret_cast<void*>(0x1234))
        .SetFloatCell(TRUE)
        .SetFloodCell(FALSE)
        .SetMergeCell(5)
        .SetFormat(4)
        .SetPlaces(3);

    const CGXStyle loaded = RoundTrip(style, &map);
    EXPECT_EQ(loaded.GetIncludeBits().GetMask(), style.GetIncludeBits().GetMask());
    EXPECT_TRUE(loaded.CompareSubset(style));
    EXPECT_TRUE(style.CompareSubset(loaded));
    EXPECT_EQ(loaded.GetHorizontalAlignment(), static_cast<DWORD>(DT_RIGHT));
    EXPECT_EQ(loaded.GetInterior(), interior);
    EXPECT_EQ(loaded.GetBorders(gxBorderLeft), CGXStylePen(PS_DOT, 2, RGB(255, 0, 0)));
    EXPECT_FALSE(loaded.IsBorderIncluded(gxBorderTop));
    EXPECT_STREQ(loaded.GetFont().GetFaceName(), "Arial");
    EXPECT_EQ(loaded.GetFont().GetQuarterPoints(), 48u);
    EXPECT_EQ(loaded.GetFont().GetOrientation(), 900);
    EXPECT_STREQ(loaded.GetValue(), "-12.25");
    EXPECT_EQ(loaded.GetValueType(), static_cast<unsigned>(GX_VT_NUMERIC));
    EXPECT_EQ(loaded.GetBaseStyle(), nBaseId);
    EXPECT_STREQ(loaded.GetUserAttribute(51013).GetValue(), "Too small");
    EXPECT_EQ(loaded.GetUserAttribute(51011).GetDoubleValue(), 1.5);
    EXPECT_EQ(loaded.GetItemDataPtr(), reinterpret_cast<void*>(0x1234));
    EXPECT_EQ(loaded.GetMergeCell(), 5u);
    EXPECT_EQ(loaded.GetPlaces(), 3u);
}

TEST_F(StyleSerializeTest, ABaseStyleTravelsByItsStringTableIdOrByItsName)
{
    CGXStylesMap map;
    map.CreateStandardStyles();
    const WORD nMine = map.RegisterStyle("Mine", CGXStyle());
    WORD nRowHeader = 0;
    ASSERT_TRUE(map.LookupResourceStyleId(GX_IDS_STYLE_ROWHEADER, nRowHeader));

    CGXStyle byResource;
    byResource.SetBaseStyle(nRowHeader);
    const Bytes resourceBytes = Stored(byResource, &map);
    // Schema, mask (bit 14), no borders, then the string-table id and no name.
    EXPECT_EQ(DWordAt(resourceBytes, 8), DWORD(GX_IDS_STYLE_ROWHEADER));
    EXPECT_EQ(resourceBytes.size(), 14u);

    CGXStyle byName;
    byName.SetBaseStyle(nMine);
    const Bytes nameBytes = Stored(byName, &map);
    EXPECT_EQ(DWordAt(nameBytes, 8), 0u);
    EXPECT_EQ(nameBytes.at(12), 4) << "the name's length";

    // Another map registers the same names under other ids: the ids follow the names.
    CGXStylesMap other;
    other.RegisterStyle("Filler", CGXStyle());
    const WORD nOtherMine = other.RegisterStyle("Mine", CGXStyle());
    other.CreateStandardStyles();
    WORD nOtherRowHeader = 0;
    ASSERT_TRUE(other.LookupResourceStyleId(GX_IDS_STYLE_ROWHEADER, nOtherRowHeader));
    EXPECT_EQ(Loaded(resourceBytes, &other).GetBaseStyle(), nOtherRowHeader);
    EXPECT_EQ(Loaded(nameBytes, &other).GetBaseStyle(), nOtherMine);

    // A styles map that the archive's document pointer carries serves a style stored without one.
    const Bytes viaDocument = StoreToBytes([&](CArchive& ar) {
        GXSetArchiveStylesMap(ar, &map);
        byName.Serialize(ar);
    });
    EXPECT_EQ(viaDocument, nameBytes);
}

TEST_F(StyleSerializeTest, FontSizesInTenthsOfAPoint)
{
    struct Case
    {
        WORD nStoredTenths;
        unsigned nQuarterPoints;
    } cases[] = {{100, 40}, {125, 50}, {3000, 1023}, {0, 0}};
    for (const Case& c : cases)
    {
        Bytes bytes;
        Put(bytes, WORD(2));
        Put(bytes, DWORD(1u << 7));
        Put(bytes, c.nStoredTenths);
        CGXFont font;
        font.SetBold(TRUE);
        LoadFromBytes(bytes, [&](CArchive& ar) { font.Serialize(ar); });
        EXPECT_EQ(font.GetQuarterPoints(), c.nQuarterPoints) << c.nStoredTenths;
        EXPECT_FALSE(font.GetIncludeWeight()) << "a loaded font holds only what was stored";
    }

    CGXFont tenPoints;
    tenPoints.SetSize(10);
    const Bytes stored = StoreToBytes([&](CArchive& ar) { tenPoints.Serialize(ar); });
    EXPECT_EQ(stored, (Bytes{0x02, 0x00, 0x80, 0x00, 0x00, 0x00, 100, 0x00}));
}

TEST_F(StyleSerializeTest, AnOldFontKeepsOnlyWhatItSetAndAShortFaceName)
{
    Bytes bytes;
    Put(bytes, WORD(1));
    Put(bytes, DWORD(0xFFFFFFF3));  // height
    Put(bytes, DWORD(700));
    PutByte(bytes, 1);  // italic
    PutByte(bytes, 0);  // underline
    PutByte(bytes, 0);  // pitch and family
    PutString(bytes, std::string(40, 'F'));
    Put(bytes, DWORD(0x01 | 0x02 | 0x20 | 0x40));  // weight, italic, face, orientation
    Put(bytes, DWORD(450));
    CGXFont font;
    LoadFromBytes(bytes, [&](CArchive& ar) { font.Serialize(ar); });
    EXPECT_EQ(font.GetWeight(), 700);
    EXPECT_TRUE(font.GetItalic());
    EXPECT_FALSE(font.GetIncludeUnderline());
    EXPECT_FALSE(font.GetIncludeSize());
    EXPECT_EQ(font.GetOrientation(), 450);
    EXPECT_EQ(std::string(font.GetFaceName()), std::string(31, 'F')) << "31 characters and the terminating zero";
}

TEST_F(StyleSerializeTest, APatternBeyondTheLibrarysPatternsLoadsHollow)
{
    for (DWORD dwPattern : {40u, 41u, 63u})
    {
        Bytes bytes;
        Put(bytes, DWORD(CGXStyleBrush::bsPattern));
        Put(bytes, DWORD(RGB(0, 0, 255)));
        Put(bytes, DWORD(0));
        Put(bytes, dwPattern);
        Put(bytes, DWORD(RGB(255, 255, 255)));
        CGXStyleBrush brush;
        LoadFromBytes(bytes, [&](CArchive& ar) { GXSerializeBrush(ar, brush); });
        EXPECT_EQ(brush.GetStyle(), dwPattern < 41 ? UINT(CGXStyleBrush::bsPattern) : UINT(CGXStyleBrush::bsHollow))
            << dwPattern;
        EXPECT_EQ(brush.GetColor(), RGB(0, 0, 255));
        EXPECT_EQ(brush.GetBkColor(), RGB(255, 255, 255));
    }
}

TEST_F(StyleSerializeTest, ASystemTextColourLoadsPlainWhileAnInteriorKeepsItsSystemColour)
{
    CGXStyle style;
    style.SetTextColor(GXSysColorValue(COLOR_WINDOWTEXT)).SetInterior(GXSysColorValue(COLOR_WINDOW));
    const CGXStyle loaded = RoundTrip(style);
    EXPECT_EQ(loaded.GetTextColorKind(), static_cast<unsigned>(gxColorRGB));
    EXPECT_EQ(loaded.GetTextColorValue(), static_cast<DWORD>(GXGetSysColor(COLOR_WINDOWTEXT) & 0xFFFFFF));
    EXPECT_EQ(loaded.GetInterior().GetColorKind(), static_cast<unsigned>(gxColorSystem));
    EXPECT_EQ(loaded.GetInterior().GetColorValue(), static_cast<DWORD>(COLOR_WINDOW));
}

TEST_F(StyleSerializeTest, APenStoresItsStyleWidthSetFlagAndColour)
{
    CGXStylePen pen(PS_DASH, 3, RGB(1, 2, 3));
    const Bytes bytes = StoreToBytes([&](CArchive& ar) { GXSerializePen(ar, pen); });
    EXPECT_EQ(bytes, (Bytes{1, 0, 0, 0, 3, 0, 1, 0, 1, 2, 3, 0}));
    CGXStylePen loaded;
    LoadFromBytes(bytes, [&](CArchive& ar) { GXSerializePen(ar, loaded); });
    EXPECT_EQ(loaded, pen);

    Bytes notSet = bytes;
    notSet[6] = 0;
    LoadFromBytes(notSet, [&](CArchive& ar) { GXSerializePen(ar, loaded); });
    EXPECT_FALSE(loaded.GetInclude());
}

// Styles of older schemas, written by hand: the attributes each schema held.
TEST_F(StyleSerializeTest, OlderSchemasLoadWhatTheyHeld)
{
    const DWORD dwValueAndFormat = (1u << CGXStyle::ibValue) | (1u << CGXStyle::ibFormat);
    auto older = [&](WORD nSchema) {
        Bytes bytes;
        Put(bytes, nSchema);
        Put(bytes, dwValueAndFormat);
        PutString(bytes, "2.5");
        Put(bytes, WORD(0));  // borders
        Put(bytes, WORD(0));  // no user attributes
        if (nSchema >= 4)
        {
            PutByte(bytes, 2);  // Format
            PutByte(bytes, 1);  // Places
            PutByte(bytes, GX_VT_NUMERIC);
        }
        return bytes;
    };
    // Schemas 4 and 5 keep Places under the Format bit.
    for (WORD nSchema : {4, 5})
    {
        const CGXStyle loaded = Loaded(older(nSchema));
        EXPECT_EQ(loaded.GetFormat(), 2u) << nSchema;
        ASSERT_TRUE(loaded.GetIncludePlaces()) << nSchema;
        EXPECT_EQ(loaded.GetPlaces(), 1u) << nSchema;
        EXPECT_EQ(loaded.GetValueType(), static_cast<unsigned>(GX_VT_NUMERIC)) << nSchema;
    }
    // Schema 3 held neither format nor value type: the number is text.
    const CGXStyle loaded3 = Loaded(older(3));
    EXPECT_STREQ(loaded3.GetValue(), "2.5");
    EXPECT_EQ(loaded3.GetValueType(), static_cast<unsigned>(GX_VT_TEXT));
}

TEST_F(StyleSerializeTest, OldUserAttributesNeedTheVersion5Reader)
{
    CGXCollMapDWordToString oldMap;
    oldMap.SetAt(51011, "1.5");
    oldMap.SetAt(51013, "Too small");
    const Bytes bytes = StoreToBytes([&](CArchive& ar) {
        ar << WORD(4) << DWORD(1u << CGXStyle::ibUserAttributes) << WORD(0);
        ar << static_cast<const CObject*>(&oldMap);
    });

    const CGXStyle loaded = Loaded(bytes);
    ASSERT_NE(loaded.GetUserAttributeMap(), nullptr);
    EXPECT_EQ(loaded.GetUserAttributeMap()->GetSize(), 2);
    EXPECT_EQ(loaded.GetUserAttribute(51011).GetDoubleValue(), 1.5);
    EXPECT_STREQ(loaded.GetUserAttribute(51013).GetValue(), "Too small");

    GXLibraryLinks& links = GXGetLibraryLinks();
    CGXAbstractSerializeLT5CompatibleImp* pInstalled = links.pSerializeLT5CompatibleImp;
    links.pSerializeLT5CompatibleImp = nullptr;
    EXPECT_EQ(ArchiveCauseOf([&] { Loaded(bytes); }), CArchiveException::badSchema);
    links.pSerializeLT5CompatibleImp = pInstalled;
}

TEST_F(StyleSerializeTest, TheStartUpInstallsEachSerializerOnce)
{
    GXLibraryLinks& links = GXGetLibraryLinks();
    CGXAbstractStyleSerializeImp* pStyles = links.pStyleSerializeImp;
    ASSERT_NE(dynamic_cast<CGXStyleSerializeImp*>(pStyles), nullptr);
    ASSERT_NE(dynamic_cast<CGXSerializeLT5CompatibleImp*>(links.pSerializeLT5CompatibleImp), nullptr);
    const INT_PTR nOwned = GXGetAppData()->GetOwnedObjectCount();
    InstallStyleSerializeImp();
    InstallSerializeLT5CompatibleImp();
    EXPECT_EQ(links.pStyleSerializeImp, pStyles);
    EXPECT_EQ(GXGetAppData()->GetOwnedObjectCount(), nOwned);
}

TEST_F(StyleSerializeTest, EveryQuarterPointFontSizeComesBack)
{
    // The archive holds tenths of a point: a quarter that is no whole tenth is stored cut short.
    for (double dSize : {10.25, 11.75, 8.5, 12.0, 0.25, 255.75})
    {
        CGXStyle style;
        style.SetFont(CGXFont().SetSize(dSize));
        const CGXStyle loaded = RoundTrip(style);
        EXPECT_EQ(loaded.GetFont().GetSize(), dSize);
        EXPECT_TRUE(loaded.CompareSubset(style)) << dSize;
    }
}

TEST_F(StyleSerializeTest, AUserAttributeOfAnyLoadedValueEqualsItsCopy)
{
    CGXStyle style;
    style.SetUserAttribute(51011, "1.5");
    const Bytes bytes = Stored(style);
    // The attribute as stored: the double kind, then 1.5 as two words.
    const Bytes number = {0x05, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF8, 0x3F};
    const auto at = std::search(bytes.begin(), bytes.end(), number.begin(), number.end());
    ASSERT_NE(at, bytes.end());
    struct Case
    {
        const char* pszWhat;
        Bytes attribute;
    } cases[] = {
        {"a NaN", {0x05, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF8, 0x7F}},
        {"a kind of a later version", {0x09, 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08}},
    };
    for (const Case& c : cases)
    {
        Bytes damaged = bytes;
        std::copy(c.attribute.begin(), c.attribute.end(), damaged.begin() + (at - bytes.begin()));
        const CGXStyle loaded = Loaded(damaged);
        CGXStyle copy(loaded);
        EXPECT_TRUE(copy.CompareSubset(loaded)) << c.pszWhat;
        EXPECT_TRUE(RoundTrip(copy).CompareSubset(loaded)) << c.pszWhat;
    }
}

TEST_F(StyleSerializeTest, AColourWhoseTopByteNamesNoKindLoadsAsPlainRgb)
{
    for (COLORREF color : {0x033264C8u, 0xFF3264C8u, 0x3F3264C8u})
    {
        CGXStyleBrush interior;
        interior.SetColor(color).SetBkColor(color);
        CGXStyle style;
        style.SetInterior(interior).SetTextColor(color);
        const Bytes bytes = Stored(style);
        CGXStyle loaded = Loaded(bytes);
        EXPECT_EQ(loaded.GetInterior().GetBkColor(), 0x3264C8u) << std::hex << color;
        EXPECT_EQ(loaded.GetInterior().GetColor(), 0x3264C8u) << std::hex << color;
        EXPECT_EQ(loaded.GetResolvedTextColor(), 0x3264C8u) << std::hex << color;
        EXPECT_EQ(Stored(loaded), bytes) << "stored again unchanged: " << std::hex << color;
    }
}
