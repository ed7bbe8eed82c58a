// The delayed-range pool: recording blocks, handing out the rows to evaluate once, and its archive form.
#include "grid/features/DelayedRangePool.h"

#include "framework/core/Archive.h"
#include "framework/core/Exceptions.h"
#include "framework/core/File.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
// The extents GetRowsToEvaluate gave, as "row:start-end" for each row that must be evaluated.
std::string Extents(const CGXRange& range, const CDWordArray& starts, const CDWordArray& ends)
{
    std::string text;
    for (INT_PTR i = 0; i < starts.GetSize(); ++i)
    {
        if (starts[i] == 0xFFFFFFFF)
            continue;
        if (!text.empty())
            text += ' ';
        text += std::to_string(range.top + i) + ":" + std::to_string(starts[i]) + "-" + std::to_string(ends[i]);
    }
    return text;
}

// The rows of the block that must be evaluated now ("" when none).
std::string Evaluate(CGXDelayedRangePool& pool, const CGXRange& range)
{
    CDWordArray starts;
    CDWordArray ends;
    const BOOL bAny = pool.GetRowsToEvaluate(range, starts, ends);
    const std::string text = Extents(range, starts, ends);
    EXPECT_EQ(bAny, !text.empty());
    return text;
}

std::string Pending(const CGXDelayedRangePool& pool)
{
    std::string text;
    for (INT_PTR i = 0; i < pool.GetCount(); ++i)
    {
        const CGXRange& r = pool.GetAt(i)->m_range;
        if (!text.empty())
            text += ", ";
        text += std::to_string(r.top) + " " + std::to_string(r.left) + " " + std::to_string(r.bottom) + " " +
                std::to_string(r.right) + (pool.GetAt(i)->m_bDone ? " done" : "");
    }
    return text;
}
} // namespace

TEST(DelayedRangePool, ABlockThatContinuesAPendingOneToTheRightJoinsIt)
{
    CGXDelayedRangePool pool;
    pool.AddRange(CGXRange(1, 1, 5, 3));
    pool.AddRange(CGXRange(1, 4, 5, 6));
    EXPECT_EQ(Pending(pool), "1 1 5 6");

    EXPECT_EQ(Evaluate(pool, CGXRange(2, 1, 3, 6)), "2:1-6 3:1-6");
    EXPECT_EQ(Evaluate(pool, CGXRange(2, 1, 3, 6)), "") << "the rows were handed out already";
    // Rows on both sides of the evaluated ones: the one interval grows over them all.
    EXPECT_EQ(Evaluate(pool, CGXRange(1, 1, 5, 6)), "1:1-6 2:1-6 3:1-6 4:1-6 5:1-6");
    EXPECT_EQ(pool.GetCount(), 0) << "a range whose rows are all evaluated goes";
}

TEST(DelayedRangePool, BlocksJoinOnlyWhereTheyTouchAPendingBlockWithoutEvaluatedRows)
{
    struct Case
    {
        const char* what;
        CGXRange first;
        BOOL bEvaluateFirst;
        CGXRange second;
        const char* pending;
    };
    const Case cases[] = {
        {"below", CGXRange(1, 1, 2, 4), FALSE, CGXRange(3, 1, 6, 4), "1 1 6 4"},
        {"apart", CGXRange(1, 1, 2, 4), FALSE, CGXRange(5, 1, 6, 4), "5 1 6 4, 1 1 2 4"},
        {"after evaluation", CGXRange(1, 1, 2, 4), TRUE, CGXRange(3, 1, 6, 4), "3 1 6 4, 1 1 2 4"},
        // A pending block inside the new one is done and its entry is reused for the new block.
        {"enclosing", CGXRange(2, 2, 3, 3), FALSE, CGXRange(1, 1, 6, 6), "1 1 6 6"},
    };
    for (const Case& c : cases)
    {
        CGXDelayedRangePool pool;
        pool.AddRange(c.first);
        if (c.bEvaluateFirst)
            Evaluate(pool, CGXRange(1, 1, 1, 4));
        pool.AddRange(c.second);
        EXPECT_EQ(Pending(pool), c.pending) << c.what;
    }
}

TEST(DelayedRangePool, ColumnsLeftAndRightOfTheAskedBlockStayPending)
{
    CGXDelayedRangePool pool;
    pool.AddRange(CGXRange(1, 1, 4, 10));
    EXPECT_EQ(Evaluate(pool, CGXRange(1, 4, 2, 6)), "1:4-6 2:4-6");
    // The parts beside it keep the rows of the whole block; its own columns are done for rows 1-2.
    EXPECT_EQ(Evaluate(pool, CGXRange(1, 1, 2, 10)), "1:1-10 2:1-10");
    EXPECT_EQ(Evaluate(pool, CGXRange(1, 1, 4, 10)), "3:1-10 4:1-10");
    EXPECT_EQ(pool.GetCount(), 0);
}

TEST(DelayedRangePool, RowsOfOverlappingBlocksTakeTheWidestExtent)
{
    CGXDelayedRangePool pool;
    pool.AddRange(CGXRange(1, 2, 3, 3));
    pool.AddRange(CGXRange(2, 5, 6, 7));
    EXPECT_EQ(Evaluate(pool, CGXRange(1, 1, 6, 8)), "1:2-3 2:2-7 3:2-7 4:5-7 5:5-7 6:5-7");
}

TEST(DelayedRangePool, LimitsClampThePendingRangesWhenTheTableShrinks)
{
    CGXDelayedRangePool pool;
    pool.AddRange(CGXRange(5, 5, 20, 20));
    pool.LimitRows(8);
    pool.LimitCols(6);
    EXPECT_EQ(Pending(pool), "5 5 8 6");
    EXPECT_EQ(Evaluate(pool, CGXRange(1, 1, 100, 100)), "5:5-6 6:5-6 7:5-6 8:5-6");
}

TEST(DelayedRangePool, AnEmptyBlockYieldsNothing)
{
    CGXDelayedRangePool pool;
    pool.AddRange(CGXRange(1, 1, 5, 5));
    CGXRange empty;
    empty.top = 4;
    empty.bottom = 3;
    empty.left = 1;
    empty.right = 5;
    CDWordArray starts;
    CDWordArray ends;
    EXPECT_FALSE(pool.GetRowsToEvaluate(empty, starts, ends));
}

TEST(DelayedRangePool, TheArchiveKeepsRangesAndEvaluatedRowsAndRefusesUnequalIntervals)
{
    CGXDelayedRangePool pool;
    pool.AddRange(CGXRange(1, 1, 6, 3));
    Evaluate(pool, CGXRange(2, 1, 3, 3));
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        pool.Serialize(ar);
    }
    file.SeekToBegin();
    CGXDelayedRangePool loaded;
    {
        CArchive ar(&file, CArchive::load);
        loaded.Serialize(ar);
    }
    EXPECT_EQ(Pending(loaded), "1 1 6 3");
    EXPECT_EQ(Evaluate(loaded, CGXRange(2, 1, 3, 3)), "") << "rows 2-3 were evaluated before storing";
    EXPECT_EQ(Evaluate(loaded, CGXRange(3, 1, 6, 3)), "4:1-3 5:1-3 6:1-3");

    // A range whose starts and ends differ in length is damaged.
    CGXDelayedRange range;
    range.m_range = CGXRange(1, 1, 2, 2);
    range.m_awStarts.Add(1);
    CMemFile damaged;
    {
        CArchive ar(&damaged, CArchive::store);
        range.Serialize(ar);
    }
    damaged.SeekToBegin();
    CGXDelayedRange read;
    int nCause = -1;
    try
    {
        CArchive ar(&damaged, CArchive::load);
        read.Serialize(ar);
    }
    catch (CArchiveException* e)
    {
        nCause = e->m_cause;
        e->Delete();
    }
    EXPECT_EQ(nCause, CArchiveException::badSchema);
    EXPECT_TRUE(read.m_awStarts.IsEmpty());
}
