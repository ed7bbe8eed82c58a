#include "grid/core/GridCollections.h"
#include "grid/core/MapDWordToString.h"
#include "grid/core/Range.h"

#include "GridTestSupport.h"

#include <gtest/gtest.h>

#include <map>

namespace
{
std::map<DWORD, LONG> EntriesOf(const CGXCollMapDWordToLong& map)
{
    std::map<DWORD, LONG> entries;
    for (POSITION pos = map.GetStartPosition(); pos != NULL;)
    {
        DWORD key = 0;
        LONG value = 0;
        map.GetNextAssoc(pos, key, value);
        entries[key] = value;
    }
    return entries;
}

CGXMapDWordToLong MapOf(std::initializer_list<std::pair<const DWORD, LONG>> entries)
{
    CGXMapDWordToLong map;
    for (const auto& entry : entries)
        map.SetAt(entry.first, entry.second);
    return map;
}
}  // namespace

TEST(CGXMapDWordToLong, LookupSetAndRemove)
{
    CGXMapDWordToLong map;
    LONG value = 0;
    EXPECT_FALSE(map.Lookup(7, value));
    map[7] = 42;
    map[7] += 1;
    EXPECT_TRUE(map.Lookup(7, value));
    EXPECT_EQ(value, 43);
    EXPECT_EQ(map[8], 0);  // created with 0
    EXPECT_EQ(map.GetCount(), 2);
    EXPECT_TRUE(map.RemoveKey(7));
    EXPECT_FALSE(map.RemoveKey(7));
}

TEST(CGXMapDWordToLong, RemovingTheLastKeyKeepsTheBucketCountForLaterInsertions)
{
    CGXMapDWordToLong map;
    map.InitHashTable(1021);
    map.SetAt(5, 1);
    map.RemoveKey(5);
    EXPECT_TRUE(map.IsEmpty());
    EXPECT_EQ(map.GetStartPosition(), static_cast<POSITION>(NULL));
    map.SetAt(6, 2);
    EXPECT_EQ(map.GetHashTableSize(), 1021u);
    EXPECT_EQ(EntriesOf(map), (std::map<DWORD, LONG>{{6, 2}}));
}

TEST(CGXMapDWordToLong, ManyEntriesSurviveBlockRefills)
{
    CGXMapDWordToLong map;
    for (DWORD key = 0; key < 1000; ++key)
        map.SetAt(key * 7, static_cast<LONG>(key));
    for (DWORD key = 0; key < 1000; key += 2)
        map.RemoveKey(key * 7);
    EXPECT_EQ(map.GetCount(), 500);
    LONG value = 0;
    EXPECT_TRUE(map.Lookup(999 * 7, value));
    EXPECT_EQ(value, 999);
    EXPECT_FALSE(map.Lookup(998 * 7, value));
}

TEST(CGXMapDWordToLong, Renumbering)
{
    struct Case
    {
        const char* name;
        CGXMapDWordToLong map;
        void (*change)(CGXCollMapDWordToLong&);
        std::map<DWORD, LONG> expected;
    };
    Case cases[] = {
        {"remove 3..5", MapOf({{2, 20}, {4, 40}, {9, 90}}), [](CGXCollMapDWordToLong& m) { m.RemoveKeys(3, 5); },
         {{2, 20}, {6, 90}}},
        {"insert 2 at 4", MapOf({{3, 30}, {4, 40}}), [](CGXCollMapDWordToLong& m) { m.InsertKeys(4, 2); },
         {{3, 30}, {6, 40}}},
        {"move 2..3 to 6", MapOf({{2, 20}, {3, 30}, {5, 50}, {9, 90}}),
         [](CGXCollMapDWordToLong& m) { m.MoveKeys(2, 3, 6); }, {{6, 20}, {7, 30}, {3, 50}, {9, 90}}},
        {"move 6..7 to 2", MapOf({{6, 20}, {7, 30}, {3, 50}, {9, 90}}),
         [](CGXCollMapDWordToLong& m) { m.MoveKeys(6, 7, 2); }, {{2, 20}, {3, 30}, {5, 50}, {9, 90}}},
    };
    for (Case& c : cases)
    {
        c.change(c.map);
        EXPECT_EQ(EntriesOf(c.map), c.expected) << c.name;
    }
}

TEST(CGXMapDWordToLong, MovingKeysAgreesWithMovingRanges)
{
    CGXMapDWordToLong heights = MapOf({{1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}, {7, 7}});
    CGXRangeList ranges;
    for (ROWCOL row = 1; row <= 7; ++row)
        ranges.AddTail(new CGXRange(CGXRange().SetRows(row, row)));
    heights.MoveKeys(5, 6, 2);
    ranges.MoveRows(5, 6, 2, 7);
    // Range n started as row n with height n: both must have gone to the same row.
    ROWCOL original = 0;
    for (POSITION pos = ranges.GetHeadPosition(); pos != NULL;)
    {
        const CGXRange* pRange = ranges.GetNext(pos);
        LONG height = 0;
        ASSERT_TRUE(heights.Lookup(pRange->top, height));
        EXPECT_EQ(static_cast<ROWCOL>(height), ++original);
    }
}

TEST(CGXMapDWordToLong, ArchiveRoundTrip)
{
    CGXMapDWordToLong map = MapOf({{0, 1400}, {5, -3}, {100000, 77}});
    const Bytes bytes = StoreToBytes([&](CArchive& ar) { map.Serialize(ar); });
    ASSERT_EQ(bytes.size(), 2u + 3u * 8u);
    EXPECT_EQ(WordAt(bytes, 0), 3);

    CGXMapDWordToLong loaded = MapOf({{5, 99}, {6, 66}});
    LoadFromBytes(bytes, [&](CArchive& ar) { loaded.Serialize(ar); });
    EXPECT_EQ(EntriesOf(loaded), (std::map<DWORD, LONG>{{0, 1400}, {5, -3}, {6, 66}, {100000, 77}}));
}

// All entries are read before the first goes in: an archive cut inside its last entry changes nothing.
TEST(CGXMapDWordToLong, ARefusedArchiveLeavesTheMapsAsTheyWere)
{
    CGXMapDWordToLong sizes = MapOf({{1, 20}, {2, 30}});
    const Bytes sizeBytes = StoreToBytes([&](CArchive& ar) { sizes.Serialize(ar); });
    CGXMapDWordToLong loadedSizes = MapOf({{9, 99}});
    EXPECT_EQ(ArchiveCauseOf([&] {
                  LoadFromBytes(Bytes(sizeBytes.begin(), sizeBytes.end() - 1),
                                [&](CArchive& ar) { loadedSizes.Serialize(ar); });
              }),
              CArchiveException::endOfFile);
    EXPECT_EQ(EntriesOf(loadedSizes), (std::map<DWORD, LONG>{{9, 99}}));

    CGXCollMapDWordToString texts;
    texts.SetAt(1, "one");
    texts.SetAt(2, "two");
    const Bytes textBytes = StoreToBytes([&](CArchive& ar) { texts.Serialize(ar); });
    CGXCollMapDWordToString loadedTexts;
    loadedTexts.SetAt(9, "kept");
    EXPECT_EQ(ArchiveCauseOf([&] {
                  LoadFromBytes(Bytes(textBytes.begin(), textBytes.end() - 1),
                                [&](CArchive& ar) { loadedTexts.Serialize(ar); });
              }),
              CArchiveException::endOfFile);
    CString text;
    EXPECT_EQ(loadedTexts.GetCount(), 1);
    EXPECT_TRUE(loadedTexts.Lookup(9, text));
    EXPECT_EQ(text, "kept");
}

TEST(CGXMapDWordToLong, MoreEntriesThanASixteenBitCountAreRefused)
{
    CGXMapDWordToLong map;
    for (DWORD key = 0; key <= 0x10000; ++key)
        map.SetAt(key, 1);
    CMemFile file;
    const int cause = ArchiveCauseOf([&] {
        CArchive ar(&file, CArchive::store);
        map.Serialize(ar);
        ar.Close();
    });
    EXPECT_EQ(cause, CArchiveException::genericException);
    EXPECT_EQ(file.GetLength(), 0u);
}

TEST(CGXMapCellToOb, ArchiveRoundTripWithObjects)
{
    CGXMapCellToOb map;
    CGXRangeList* pList = new CGXRangeList;
    pList->AddTail(new CGXRange(3, 4));
    map.SetAt(2, 9, pList);
    map.SetAt(2, 10, nullptr);
    const Bytes bytes = StoreToBytes([&](CArchive& ar) { map.Serialize(ar); });
    delete pList;

    CGXMapCellToOb loaded;
    LoadFromBytes(bytes, [&](CArchive& ar) { loaded.Serialize(ar); });
    EXPECT_EQ(loaded.GetCount(), 2);
    CObject* pObject = nullptr;
    ASSERT_TRUE(loaded.Lookup(2, 9, pObject));
    ASSERT_NE(pObject, nullptr);
    ASSERT_TRUE(pObject->IsKindOf(RUNTIME_CLASS(CGXRangeList)));
    EXPECT_EQ(*static_cast<CGXRangeList*>(pObject)->GetHead(), CGXRange(3, 4));
    delete pObject;
    ASSERT_TRUE(loaded.Lookup(2, 10, pObject));
    EXPECT_EQ(pObject, nullptr);
}

TEST(CGXMapByte8ToPtr, KeysCompareBothWords)
{
    CGXMapByte8ToPtr map;
    int a = 0, b = 0;
    map.SetAt(GXByte8Key{1, 2}, &a);
    map.SetAt(GXByte8Key{2, 1}, &b);
    void* p = nullptr;
    ASSERT_TRUE(map.Lookup(GXByte8Key{1, 2}, p));
    EXPECT_EQ(p, &a);
    ASSERT_TRUE(map.Lookup(GXByte8Key{2, 1}, p));
    EXPECT_EQ(p, &b);
    EXPECT_FALSE(map.Lookup(GXByte8Key{1, 1}, p));
}

TEST(CGXPtrArrayPtrArray, DeletesItsLines)
{
    CGXPtrArrayPtrArray lines;
    lines.Add(new CPtrArray);
    lines.GetLine(0)->Add(&lines);
    lines.Add(new CPtrArray);
    lines.DeleteAll();
    EXPECT_EQ(lines.GetSize(), 0);
}

TEST(CGXCollMapDWordToString, KeysOfOneBucketComeNewestFirst)
{
    CGXCollMapDWordToString map;
    map.SetAt(16, "sixteen");
    map.SetAt(17, "seventeen");
    UINT nBucket = 0;
    ASSERT_NE(map.Lookup(16, nBucket), nullptr);
    EXPECT_EQ(nBucket, 1u);
    POSITION pos = map.GetStartPosition();
    DWORD key = 0;
    CString value;
    map.GetNextAssoc(pos, key, value);
    EXPECT_EQ(key, 17u);
    EXPECT_EQ(value, "seventeen");
    map.GetNextAssoc(pos, key, value);
    EXPECT_EQ(key, 16u);
    EXPECT_EQ(pos, static_cast<POSITION>(NULL));
}

TEST(CGXCollMapDWordToString, EmptyMapIsOneZeroWord)
{
    CGXCollMapDWordToString map;
    const Bytes bytes = StoreToBytes([&](CArchive& ar) { map.Serialize(ar); });
    EXPECT_EQ(bytes, Bytes({0, 0}));
}

TEST(CGXCollMapDWordToString, ArchiveRoundTrip)
{
    CGXCollMapDWordToString map;
    map.SetAt(51011, "1.5");
    map[51022] = "Tip";
    const Bytes bytes = StoreToBytes([&](CArchive& ar) { map.Serialize(ar); });

    CGXCollMapDWordToString loaded;
    LoadFromBytes(bytes, [&](CArchive& ar) { loaded.Serialize(ar); });
    EXPECT_EQ(loaded.GetCount(), 2);
    CString value;
    EXPECT_TRUE(loaded.Lookup(51011, value));
    EXPECT_EQ(value, "1.5");
    EXPECT_TRUE(loaded.Lookup(51022, value));
    EXPECT_EQ(value, "Tip");
}
