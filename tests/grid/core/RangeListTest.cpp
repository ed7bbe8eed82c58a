#include "grid/core/Range.h"

#include "GridTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
std::vector<CGXRange> RangesOf(const CGXRangeList& list)
{
    std::vector<CGXRange> ranges;
    for (POSITION pos = list.GetHeadPosition(); pos != NULL;)
        ranges.push_back(*list.GetNext(pos));
    return ranges;
}

std::vector<DWORD> ValuesOf(const CDWordArray& array)
{
    std::vector<DWORD> values;
    for (INT_PTR i = 0; i < array.GetSize(); ++i)
        values.push_back(array[i]);
    return values;
}
}  // namespace

TEST(CGXRangeList, RemovedRowsShrinkOrInvalidateRanges)
{
    CGXRangeList list;
    list.AddTail(new CGXRange(3, 1, 5, 4));
    list.AddTail(new CGXRange(2, 1, 8, 4));
    list.AddTail(new CGXRange(6, 1, 9, 4));
    list.RemoveRows(3, 5, 20);

    const std::vector<CGXRange> ranges = RangesOf(list);
    ASSERT_EQ(ranges.size(), 3u);
    EXPECT_FALSE(ranges[0].valid);
    EXPECT_EQ(ranges[1], CGXRange(2, 1, 5, 4));
    EXPECT_EQ(ranges[2], CGXRange(3, 1, 6, 4));
}

TEST(CGXRangeList, RemovedColumnsClampToTheNewCount)
{
    CGXRangeList list;
    list.AddTail(new CGXRange(1, 2, 1, 9));
    list.RemoveCols(3, 4, 5);
    EXPECT_EQ(*list.GetHead(), CGXRange(1, 2, 1, 5));
}

TEST(CGXRangeList, InsertedRowsMoveEveryRangeEvenInvalidOnes)
{
    CGXRangeList list;
    list.AddTail(new CGXRange(2, 1, 5, 1));
    CGXRange* pInvalid = new CGXRange(6, 1, 7, 1);
    pInvalid->valid = FALSE;
    list.AddTail(pInvalid);
    list.InsertRows(4, 3);

    const std::vector<CGXRange> ranges = RangesOf(list);
    EXPECT_EQ(ranges[0].top, 2u);
    EXPECT_EQ(ranges[0].bottom, 8u);
    EXPECT_EQ(ranges[1].top, 9u);
    EXPECT_EQ(ranges[1].bottom, 10u);
}

TEST(CGXRangeList, MovedRowsCarryRangesByTheirTop)
{
    CGXRangeList list;
    list.AddTail(new CGXRange(2, 1, 3, 1));
    list.AddTail(new CGXRange(5, 1, 5, 1));
    list.AddTail(new CGXRange(9, 1, 9, 1));
    list.MoveRows(2, 3, 6, 20);

    const std::vector<CGXRange> ranges = RangesOf(list);
    EXPECT_EQ(ranges[0].top, 6u);
    EXPECT_EQ(ranges[0].bottom, 7u);
    EXPECT_EQ(ranges[1].top, 3u);
    EXPECT_EQ(ranges[2].top, 9u);

    // And back again.
    list.MoveRows(6, 7, 2, 20);
    EXPECT_EQ(RangesOf(list)[0].top, 2u);
    EXPECT_EQ(RangesOf(list)[1].top, 5u);
}

TEST(CGXRangeList, ColumnSpansAreMergedAndSorted)
{
    CGXRangeList list;
    list.AddTail(new CGXRange(CGXRange().SetCols(1, 3)));
    list.AddTail(new CGXRange(CGXRange().SetCols(5, 6)));
    list.AddTail(new CGXRange(CGXRange().SetCols(4, 4)));
    CDWordArray starts, ends;
    EXPECT_TRUE(list.GetColArray(10, starts, ends, FALSE));
    EXPECT_EQ(ValuesOf(starts), std::vector<DWORD>({1}));
    EXPECT_EQ(ValuesOf(ends), std::vector<DWORD>({6}));
}

TEST(CGXRangeList, SpansKeepGapsAndUseTheLastIndexForWholeRanges)
{
    CGXRangeList list;
    list.AddTail(new CGXRange(1, 8, 1, 9));
    list.AddTail(new CGXRange(1, 2, 1, 3));
    list.AddTail(new CGXRange(CGXRange().SetRows(4, 4)));  // every column
    CDWordArray starts, ends;
    EXPECT_TRUE(list.GetColArray(12, starts, ends, FALSE));
    EXPECT_EQ(ValuesOf(starts), std::vector<DWORD>({0}));
    EXPECT_EQ(ValuesOf(ends), std::vector<DWORD>({12}));

    list.DeleteAt(list.GetTailPosition());
    EXPECT_TRUE(list.GetColArray(12, starts, ends, FALSE));
    EXPECT_EQ(ValuesOf(starts), std::vector<DWORD>({2, 8}));
    EXPECT_EQ(ValuesOf(ends), std::vector<DWORD>({3, 9}));
}

TEST(CGXRangeList, WholeOnlySpansIgnoreCellRanges)
{
    CGXRangeList list;
    list.AddTail(new CGXRange(1, 1, 2, 2));
    CDWordArray starts, ends;
    starts.Add(99);
    EXPECT_FALSE(list.GetColArray(10, starts, ends, TRUE));
    EXPECT_EQ(starts.GetSize(), 0);
    EXPECT_EQ(ends.GetSize(), 0);

    list.AddTail(new CGXRange(CGXRange().SetRows(3, 5)));
    EXPECT_TRUE(list.GetRowArray(10, starts, ends, TRUE));
    EXPECT_EQ(ValuesOf(starts), std::vector<DWORD>({3}));
    EXPECT_EQ(ValuesOf(ends), std::vector<DWORD>({5}));
}

TEST(CGXRangeList, CellLookups)
{
    CGXRangeList list;
    const POSITION first = list.AddTail(new CGXRange(1, 1, 3, 3));
    list.AddTail(new CGXRange(CGXRange().SetCols(5, 5)));
    EXPECT_EQ(list.FindRange(2, 2), first);
    EXPECT_EQ(list.FindRange(9, 4), static_cast<POSITION>(NULL));
    EXPECT_TRUE(list.IsCellInList(2, 2));
    EXPECT_FALSE(list.IsCellInList(2, 2, first));
    EXPECT_TRUE(list.IsAnyCellInRow(1000));  // the column range reaches every row
    EXPECT_TRUE(list.IsAnyCellInCol(2));
    EXPECT_FALSE(list.IsAnyCellInCol(4));
}

TEST(CGXRangeList, AssignmentCopiesOnlyValidRanges)
{
    CGXRangeList source;
    source.AddTail(new CGXRange(1, 1));
    source.AddTail(new CGXRange());
    source.AddTail(new CGXRange(2, 2));
    CGXRangeList copy;
    copy.AddTail(new CGXRange(7, 7));
    copy = source;
    EXPECT_EQ(RangesOf(copy), std::vector<CGXRange>({CGXRange(1, 1), CGXRange(2, 2)}));
    EXPECT_EQ(source.GetCount(), 3);
}

TEST(CGXRangeList, ArchiveFormIsVersionCountAndEighteenBytesPerRange)
{
    CGXRangeList list;
    list.AddTail(new CGXRange(0x01020304, 5, 0x01020305, 6));
    list.AddTail(new CGXRange());  // not valid: dropped when stored
    const Bytes bytes = StoreToBytes([&](CArchive& ar) { list.Serialize(ar); });

    ASSERT_EQ(bytes.size(), 2u + 4u + 18u);
    EXPECT_EQ(WordAt(bytes, 0), 1);
    EXPECT_EQ(DWordAt(bytes, 2), 1u);
    EXPECT_EQ(DWordAt(bytes, 6), 0x01020304u);
    EXPECT_EQ(DWordAt(bytes, 10), 5u);
    EXPECT_EQ(DWordAt(bytes, 14), 0x01020305u);
    EXPECT_EQ(DWordAt(bytes, 18), 6u);
    EXPECT_EQ(bytes[22], CGXRange::rtCells);
    EXPECT_EQ(bytes[23], 1);
    EXPECT_EQ(list.GetCount(), 1);
}

TEST(CGXRangeList, LoadingAppendsTheStoredRanges)
{
    CGXRangeList list;
    list.AddTail(new CGXRange(CGXRange().SetRows(2, 4)));
    list.AddTail(new CGXRange(CGXRange().SetCols(1, 1)));
    const Bytes bytes = StoreToBytes([&](CArchive& ar) { list.Serialize(ar); });

    CGXRangeList loaded;
    loaded.AddTail(new CGXRange(9, 9));
    LoadFromBytes(bytes, [&](CArchive& ar) { loaded.Serialize(ar); });
    EXPECT_EQ(RangesOf(loaded),
              std::vector<CGXRange>({CGXRange(9, 9), CGXRange().SetRows(2, 4), CGXRange().SetCols(1, 1)}));
}

TEST(CGXRangeList, LoadingAnotherVersionRaisesBadSchemaAndKeepsTheList)
{
    Bytes bytes = StoreToBytes([](CArchive& ar) { ar << static_cast<WORD>(2) << static_cast<DWORD>(0); });
    CGXRangeList list;
    list.AddTail(new CGXRange(1, 1));
    const int cause = ArchiveCauseOf([&] { LoadFromBytes(bytes, [&](CArchive& ar) { list.Serialize(ar); }); });
    EXPECT_EQ(cause, CArchiveException::badSchema);
    EXPECT_EQ(cause, 7);
    EXPECT_EQ(list.GetCount(), 1);
}

TEST(CGXRangeList, AHugeCountInATruncatedFileAddsNothing)
{
    // Version 1, a count of four billion, and a single range behind it.
    Bytes bytes = StoreToBytes([](CArchive& ar) {
        ar << static_cast<WORD>(1) << static_cast<DWORD>(0xFFFFFFF0);
        ar << CGXRange(1, 1);
    });
    CGXRangeList list;
    const int cause = ArchiveCauseOf([&] { LoadFromBytes(bytes, [&](CArchive& ar) { list.Serialize(ar); }); });
    EXPECT_EQ(cause, CArchiveException::endOfFile);
    EXPECT_EQ(list.GetCount(), 0);
}
