#include "grid/core/MapDWordToString.h"
#include "grid/core/UserAttribute.h"

#include "GridTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
class UserAttributeTest : public ::testing::Test
{
protected:
    ScopedNumberParser m_parser;
};

std::vector<WORD> IdsOf(const CGXUserAttributeMap& map)
{
    std::vector<WORD> ids;
    for (INT_PTR i = 0; i < map.GetSize(); ++i)
        ids.push_back(map.GetAttributeAt(i)->GetId());
    return ids;
}

CString TextOf(const CGXUserAttributeMap& map, WORD nId)
{
    const CGXAbstractUserAttribute* pAttribute = map.GetAttribute(nId);
    return pAttribute != nullptr ? CString(pAttribute->GetValue()) : CString("<none>");
}

CGXUserAttributeMap MapOf(std::initializer_list<std::pair<WORD, const char*>> entries)
{
    CGXUserAttributeMap map;
    for (const auto& entry : entries)
        map.SetAttributePtr(entry.first, new CGXUserAttribute(entry.second));
    return map;
}
}  // namespace

TEST_F(UserAttributeTest, TextsAreClassifiedByKind)
{
    struct Case
    {
        const char* text;
        int kind;
    } cases[] = {
        {"1.5", CGXUserAttribute::vtDouble},       {"-2", CGXUserAttribute::vtDouble},
        {"1.50", CGXUserAttribute::vtShortString}, {"+1", CGXUserAttribute::vtShortString},
        {"1e5", CGXUserAttribute::vtShortString},  {" 1", CGXUserAttribute::vtShortString},
        {"12345678", CGXUserAttribute::vtDouble},  {"abcdefgh", CGXUserAttribute::vtShortString},
        {"abcdefghi", CGXUserAttribute::vtString}, {"", CGXUserAttribute::vtEmpty},
    };
    for (const Case& c : cases)
    {
        CGXUserAttribute attribute;
        attribute.SetValue(c.text);
        EXPECT_EQ(attribute.GetKind(), c.kind) << c.text;
        EXPECT_EQ(attribute.GetValue(), c.text) << c.text;
    }
}

TEST_F(UserAttributeTest, EmptyTexts)
{
    CGXUserAttribute set;
    set.SetValue("");
    EXPECT_EQ(set.GetKind(), CGXUserAttribute::vtEmpty);
    EXPECT_TRUE(set.IsEmpty());
    CGXUserAttribute constructed("");
    EXPECT_EQ(constructed.GetKind(), CGXUserAttribute::vtShortString);
    EXPECT_TRUE(constructed.IsEmpty());
}

TEST_F(UserAttributeTest, NumbersNeedAParser)
{
    CGXAbstractNumberFormattingImp* pParser = GXGetLibraryLinks().pNumberFormattingImp;
    GXGetLibraryLinks().pNumberFormattingImp = nullptr;
    EXPECT_EQ(CGXUserAttribute("1.5").GetKind(), CGXUserAttribute::vtShortString);
    GXGetLibraryLinks().pNumberFormattingImp = pParser;
}

TEST_F(UserAttributeTest, NumericReadings)
{
    EXPECT_EQ(CGXUserAttribute("1.5").GetLongValue(), 1);
    EXPECT_EQ(CGXUserAttribute("-1.9").GetLongValue(), -1);
    EXPECT_DOUBLE_EQ(CGXUserAttribute("1.5").GetDoubleValue(), 1.5);
    EXPECT_EQ(CGXUserAttribute("42 apples").GetLongValue(), 42);
    EXPECT_DOUBLE_EQ(CGXUserAttribute("2.5x").GetDoubleValue(), 2.5);
}

TEST_F(UserAttributeTest, EqualityNeedsTheSameKind)
{
    CGXUserAttribute number("5");
    // A kind-2 value 5 as an archive brings it.
    const Bytes bytes = StoreToBytes([](CArchive& ar) { ar << static_cast<BYTE>(2) << static_cast<DWORD>(5) << static_cast<DWORD>(0); });
    CGXUserAttribute loaded;
    LoadFromBytes(bytes, [&](CArchive& ar) { loaded.Serialize(ar); });
    EXPECT_EQ(loaded.GetKind(), CGXUserAttribute::vtLong);
    EXPECT_EQ(loaded.GetValue(), "5");
    EXPECT_FALSE(number.IsEqual(loaded));
    EXPECT_TRUE(number.IsEqual(CGXUserAttribute("5")));
    CGXUserAttribute otherId("5");
    otherId.SetId(7);
    EXPECT_FALSE(number.IsEqual(otherId));
}

TEST_F(UserAttributeTest, ArchiveKindFollowsTheTextLength)
{
    const Bytes bytes = StoreToBytes([](CArchive& ar) { ar << static_cast<BYTE>(3) << CString("twelve bytes"); });
    CGXUserAttribute loaded;
    LoadFromBytes(bytes, [&](CArchive& ar) { loaded.Serialize(ar); });
    EXPECT_EQ(loaded.GetKind(), CGXUserAttribute::vtString);
    EXPECT_EQ(loaded.GetValue(), "twelve bytes");
}

TEST_F(UserAttributeTest, MapKeepsIdsInAscendingOrder)
{
    CGXUserAttributeMap map;
    map.SetAttributePtr(51022, new CGXUserAttribute("Tip"));
    map.SetAttributePtr(51011, new CGXUserAttribute("1.5"));
    map.SetAttributePtr(51013, new CGXUserAttribute("Too small"));
    EXPECT_EQ(IdsOf(map), std::vector<WORD>({51011, 51013, 51022}));

    map.SetAttribute(51011, CGXUserAttribute("2"));
    EXPECT_EQ(map.GetSize(), 3);
    EXPECT_EQ(TextOf(map, 51011), "2");
    EXPECT_EQ(map.FindIndex(51013), 1);
    EXPECT_EQ(map.FindIndex(51012), -1);
    EXPECT_EQ(CGXUserAttributeMap().FindIndex(1), -1);

    map.DeleteAttribute(51013);
    map.DeleteAttribute(4);
    EXPECT_EQ(IdsOf(map), std::vector<WORD>({51011, 51022}));
}

TEST_F(UserAttributeTest, ApplyMapModes)
{
    struct Case
    {
        GXModifyType mode;
        std::vector<WORD> ids;
        const char* text1;  // value of id 1 afterwards
    } cases[] = {
        {gxOverride, {1, 2, 3}, "new"},
        {gxApplyNew, {1, 2, 3}, "old"},
        {gxCopy, {1, 3}, "new"},
        {gxExclude, {2}, "<none>"},
    };
    for (const Case& c : cases)
    {
        CGXUserAttributeMap map = MapOf({{1, "old"}, {2, "kept"}});
        const CGXUserAttributeMap other = MapOf({{3, "three"}, {1, "new"}});
        map.ApplyMap(other, c.mode);
        EXPECT_EQ(IdsOf(map), c.ids) << c.mode;
        EXPECT_EQ(TextOf(map, 1), c.text1) << c.mode;
    }
}

TEST_F(UserAttributeTest, MapArchiveRoundTrip)
{
    CGXUserAttributeMap map = MapOf({{51022, "A tooltip longer than eight"}, {51011, "1.5"}, {51013, "short"}});
    const Bytes bytes = StoreToBytes([&](CArchive& ar) { map.Serialize(ar); });
    EXPECT_EQ(WordAt(bytes, 0), 3);

    CGXUserAttributeMap loaded = MapOf({{9, "dropped"}});
    LoadFromBytes(bytes, [&](CArchive& ar) { loaded.Serialize(ar); });
    EXPECT_EQ(IdsOf(loaded), std::vector<WORD>({51011, 51013, 51022}));
    EXPECT_EQ(TextOf(loaded, 51022), "A tooltip longer than eight");
    EXPECT_EQ(TextOf(loaded, 51013), "short");
    const auto* pNumber = static_cast<const CGXUserAttribute*>(loaded.GetAttribute(51011));
    EXPECT_EQ(pNumber->GetKind(), CGXUserAttribute::vtDouble);
    EXPECT_DOUBLE_EQ(pNumber->GetDoubleValue(), 1.5);
}

TEST_F(UserAttributeTest, EmptyMapIsACountOfZero)
{
    CGXUserAttributeMap map;
    const Bytes bytes = StoreToBytes([&](CArchive& ar) { map.Serialize(ar); });
    EXPECT_EQ(bytes, Bytes({0, 0}));
    CGXUserAttributeMap loaded = MapOf({{1, "x"}});
    LoadFromBytes(bytes, [&](CArchive& ar) { loaded.Serialize(ar); });
    EXPECT_TRUE(loaded.IsEmpty());
}

TEST_F(UserAttributeTest, LoadedMapIsSortedWhateverTheFileOrder)
{
    // Entries out of order, one id twice: the later one wins.
    CGXUserAttribute c("c"), a("a"), b("b"), a2("a2");
    const Bytes bytes = StoreToBytes([&](CArchive& ar) {
        ar << static_cast<WORD>(4);
        ar << static_cast<const CObject*>(&c) << static_cast<WORD>(30);
        ar << static_cast<const CObject*>(&a) << static_cast<WORD>(10);
        ar << static_cast<const CObject*>(&b) << static_cast<WORD>(20);
        ar << static_cast<const CObject*>(&a2) << static_cast<WORD>(10);
    });
    CGXUserAttributeMap loaded;
    LoadFromBytes(bytes, [&](CArchive& ar) { loaded.Serialize(ar); });
    EXPECT_EQ(IdsOf(loaded), std::vector<WORD>({10, 20, 30}));
    EXPECT_EQ(TextOf(loaded, 10), "a2");
    EXPECT_EQ(TextOf(loaded, 30), "c");
}

TEST_F(UserAttributeTest, ObjectsOfOtherClassesAreRefused)
{
    CGXUserAttributeMap notAnAttribute;
    const Bytes bytes = StoreToBytes([&](CArchive& ar) {
        ar << static_cast<WORD>(1);
        ar << static_cast<const CObject*>(&notAnAttribute) << static_cast<WORD>(1);
    });
    CGXUserAttributeMap loaded;
    const int cause = ArchiveCauseOf([&] { LoadFromBytes(bytes, [&](CArchive& ar) { loaded.Serialize(ar); }); });
    EXPECT_EQ(cause, CArchiveException::badClass);
    EXPECT_TRUE(loaded.IsEmpty());
}

// A refused archive leaves the map as it was: an archive cut short, and one that names the same
// attribute object for two entries (which would leave the map deleting it twice).
TEST_F(UserAttributeTest, ARefusedArchiveLeavesTheMapAsItWas)
{
    CGXUserAttribute first("first"), second("second");
    const Bytes whole = StoreToBytes([&](CArchive& ar) {
        ar << static_cast<WORD>(2);
        ar << static_cast<const CObject*>(&first) << static_cast<WORD>(10);
        ar << static_cast<const CObject*>(&second) << static_cast<WORD>(20);
    });
    const Bytes cut(whole.begin(), whole.end() - 1);
    const Bytes twice = StoreToBytes([&](CArchive& ar) {
        ar << static_cast<WORD>(2);
        ar << static_cast<const CObject*>(&first) << static_cast<WORD>(10);
        ar << static_cast<const CObject*>(&first) << static_cast<WORD>(20);
    });
    const struct
    {
        const char* name;
        Bytes bytes;
        int cause;
    } cases[] = {
        {"cut short", cut, CArchiveException::endOfFile},
        {"one object for two entries", twice, CArchiveException::badIndex},
    };
    for (const auto& c : cases)
    {
        CGXUserAttributeMap loaded = MapOf({{9, "kept"}});
        const int cause = ArchiveCauseOf([&] { LoadFromBytes(c.bytes, [&](CArchive& ar) { loaded.Serialize(ar); }); });
        EXPECT_EQ(cause, c.cause) << c.name;
        EXPECT_EQ(IdsOf(loaded), std::vector<WORD>({9})) << c.name;
        EXPECT_EQ(TextOf(loaded, 9), "kept") << c.name;
    }
}

TEST_F(UserAttributeTest, ImportedStringMapIsSorted)
{
    CGXCollMapDWordToString strings;
    strings.SetAt(51022, "Tip");
    strings.SetAt(51011, "1.5");
    CGXUserAttributeMap map;
    map.ImportStringMap(strings);
    EXPECT_EQ(IdsOf(map), std::vector<WORD>({51011, 51022}));
    EXPECT_EQ(static_cast<const CGXUserAttribute*>(map.GetAttribute(51011))->GetKind(), CGXUserAttribute::vtDouble);
}
