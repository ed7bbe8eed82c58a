// The span-cell pool: storing, finding and clearing spans, the structure steps, its archive form
// and what a damaged archive does to it.
#include "grid/features/SpanCellPool.h"

#include "framework/core/Archive.h"
#include "framework/core/Exceptions.h"
#include "framework/core/File.h"
#include "grid/core/Range.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
// The span found at a cell as "T L B R", or "-" when none.
std::string SpanAt(const CGXSpanCellPool& pool, ROWCOL nRow, ROWCOL nCol)
{
    CGXRange range(nRow, nCol);
    if (!pool.GetSpanCellsRowCol(nRow, nCol, range))
        return "-";
    return std::to_string(range.top) + " " + std::to_string(range.left) + " " + std::to_string(range.bottom) + " " +
           std::to_string(range.right);
}

std::vector<BYTE> Store(CGXSpanCellPool& pool)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        pool.Serialize(ar);
    }
    std::vector<BYTE> bytes(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    if (!bytes.empty())
        file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

// Loads the bytes into the pool; the archive exception's cause, or -1 when none was thrown.
int Load(CGXSpanCellPool& pool, const std::vector<BYTE>& bytes)
{
    CMemFile file;
    file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    try
    {
        pool.Serialize(ar);
    }
    catch (CArchiveException* e)
    {
        const int nCause = e->m_cause;
        e->Delete();
        return nCause;
    }
    return -1;
}

void AppendDWord(std::vector<BYTE>& bytes, DWORD value)
{
    for (int i = 0; i < 4; ++i)
        bytes.push_back(static_cast<BYTE>(value >> (8 * i)));
}

void AppendWord(std::vector<BYTE>& bytes, WORD value)
{
    bytes.push_back(static_cast<BYTE>(value));
    bytes.push_back(static_cast<BYTE>(value >> 8));
}
} // namespace

TEST(SpanCellPool, ABlockIsFoundWholeFromEachOfItsCellsAndClearedFromItsCorner)
{
    CGXSpanCellPool pool;
    ASSERT_TRUE(pool.SetSpanCellsRowCol(3, 2, 4, 4, TRUE));
    for (ROWCOL nRow = 3; nRow <= 4; ++nRow)
        for (ROWCOL nCol = 2; nCol <= 4; ++nCol)
            EXPECT_EQ(SpanAt(pool, nRow, nCol), "3 2 4 4") << nRow << "," << nCol;
    EXPECT_EQ(SpanAt(pool, 3, 5), "-");
    EXPECT_EQ(SpanAt(pool, 2, 2), "-");

    EXPECT_TRUE(pool.SetSpanCellsRowCol(3, 2, 4, 4, FALSE));
    for (ROWCOL nRow = 3; nRow <= 4; ++nRow)
        for (ROWCOL nCol = 2; nCol <= 4; ++nCol)
            EXPECT_EQ(SpanAt(pool, nRow, nCol), "-") << nRow << "," << nCol;
}

TEST(SpanCellPool, WhichTableASpanGoesToFollowsItsShape)
{
    struct Case
    {
        ROWCOL top, left, bottom, right;
        BOOL bStored;
        INT_PTR nHorzLines, nVertLines;
    };
    const Case cases[] = {
        {5, 5, 5, 5, FALSE, 0, 0},  // a single cell is stored nowhere
        {2, 1, 2, 3, TRUE, 3, 0},   // one row high: the horizontal table only
        {1, 4, 6, 4, TRUE, 0, 5},   // one column wide: the vertical table only
        {1, 1, 2, 2, TRUE, 3, 3},   // a block: both
    };
    for (const Case& c : cases)
    {
        CGXSpanCellPool pool;
        EXPECT_EQ(pool.SetSpanCellsRowCol(c.top, c.left, c.bottom, c.right, TRUE), c.bStored) << c.top << c.left;
        EXPECT_EQ(pool.GetHorzTable().GetSize(), c.nHorzLines) << c.top << c.left;
        EXPECT_EQ(pool.GetVertTable().GetSize(), c.nVertLines) << c.top << c.left;
        EXPECT_EQ(SpanAt(pool, c.top, c.left) != "-", c.bStored);
    }
}

TEST(SpanCellPool, AShorterSpanAtTheSameStartClearsTheRestOfTheLongerOne)
{
    CGXSpanCellPool pool;
    pool.SetSpanCellsRowCol(2, 1, 2, 6, TRUE);
    pool.SetSpanCellsRowCol(2, 1, 2, 3, TRUE);
    EXPECT_EQ(SpanAt(pool, 2, 3), "2 1 2 3");
    EXPECT_EQ(SpanAt(pool, 2, 4), "-");
    EXPECT_EQ(SpanAt(pool, 2, 6), "-");
}

TEST(SpanCellPool, NumbersAbove0x7FFFFFFFAreRefused)
{
    CGXSpanCellPool pool;
    EXPECT_FALSE(pool.SetSpanCellsRowCol(1, 1, 0x80000000, 1, TRUE));
    EXPECT_FALSE(pool.SetSpanCellsRowCol(1, 1, 1, 0x80000000, TRUE));
    EXPECT_EQ(pool.GetVertTable().GetSize(), 0);
    CGXRange range(1, 1);
    EXPECT_FALSE(pool.GetSpanCellsRowCol(0x80000000, 1, range));
}

TEST(SpanCellPool, RemovingRowsPastTheTableTakesOnlyTheLinesThatExist)
{
    CGXSpanCellPool pool;
    pool.SetSpanCellsRowCol(3, 1, 3, 2, TRUE);  // horizontal lines 0..3
    pool.SetSpanCellsRowCol(0, 5, 1, 5, TRUE);  // a vertical line of length 2
    ASSERT_EQ(pool.GetHorzTable().GetSize(), 4);
    pool.RemoveRows(3, 5);
    EXPECT_EQ(pool.GetHorzTable().GetSize(), 3);
    EXPECT_EQ(SpanAt(pool, 3, 1), "-");
    EXPECT_EQ(SpanAt(pool, 1, 5), "0 5 1 5") << "the short vertical line is untouched";
}

TEST(SpanCellPool, StructureStepsCarrySpansWithTheirLinesWithoutRenumberingThem)
{
    // A horizontal span in row 2 (columns 1-3) and a vertical one in column 5 (rows 4-6).
    auto make = [](CGXSpanCellPool& pool) {
        pool.SetSpanCellsRowCol(2, 1, 2, 3, TRUE);
        pool.SetSpanCellsRowCol(4, 5, 6, 5, TRUE);
    };
    struct Case
    {
        const char* step;
        void (*apply)(CGXSpanCellPool&);
        ROWCOL nRow, nCol;
        const char* expected;
    };
    const Case cases[] = {
        {"insert 2 rows at 1", [](CGXSpanCellPool& p) { p.InsertRows(1, 2); }, 4, 2, "4 1 4 3"},
        {"insert 2 rows at 1", [](CGXSpanCellPool& p) { p.InsertRows(1, 2); }, 2, 2, "-"},
        {"remove row 1", [](CGXSpanCellPool& p) { p.RemoveRows(1, 1); }, 1, 1, "1 1 1 3"},
        {"move row 2 to 7", [](CGXSpanCellPool& p) { p.MoveRows(2, 2, 7); }, 7, 3, "7 1 7 3"},
        {"move row 2 to 7", [](CGXSpanCellPool& p) { p.MoveRows(2, 2, 7); }, 2, 2, "-"},
        {"move rows 4-6 up to 1", [](CGXSpanCellPool& p) { p.MoveRows(4, 6, 1); }, 5, 5, "-"},
        {"insert a column at 2", [](CGXSpanCellPool& p) { p.InsertCols(2, 1); }, 5, 6, "4 6 6 6"},
        {"insert a column at 2", [](CGXSpanCellPool& p) { p.InsertCols(2, 1); }, 5, 5, "-"},
        {"remove columns from 3 on", [](CGXSpanCellPool& p) { p.RemoveCols(3, GX_MAXROWCOL); }, 2, 2, "2 1 2 2"},
        {"move column 5 to 1", [](CGXSpanCellPool& p) { p.MoveCols(5, 5, 1); }, 5, 1, "4 1 6 1"},
    };
    for (const Case& c : cases)
    {
        CGXSpanCellPool pool;
        make(pool);
        c.apply(pool);
        EXPECT_EQ(SpanAt(pool, c.nRow, c.nCol), c.expected) << c.step << " at " << c.nRow << "," << c.nCol;
    }
}

TEST(SpanCellPool, TheSpansAreListedRunByRun)
{
    CGXSpanCellPool pool;
    pool.SetSpanCellsRowCol(4, 2, 4, 3, TRUE);
    pool.SetSpanCellsRowCol(1, 5, 1, 7, TRUE);
    pool.SetSpanCellsRowCol(2, 1, 6, 1, TRUE);
    CArray<CGXRange, const CGXRange&> spans;
    pool.GetSpans(spans);
    ASSERT_EQ(spans.GetSize(), 3);
    EXPECT_EQ(spans[0], CGXRange(1, 5, 1, 7));
    EXPECT_EQ(spans[1], CGXRange(4, 2, 4, 3));
    EXPECT_EQ(spans[2], CGXRange(2, 1, 6, 1));
}

TEST(SpanCellPool, ACopyIsDeepAndSelfCopyChangesNothing)
{
    CGXSpanCellPool pool;
    pool.SetSpanCellsRowCol(1, 1, 2, 2, TRUE);
    CGXSpanCellPool copy;
    copy = pool;
    pool.SetSpanCellsRowCol(1, 1, 1, 1, FALSE);
    EXPECT_EQ(SpanAt(copy, 2, 2), "1 1 2 2");
    copy = copy;
    EXPECT_EQ(SpanAt(copy, 2, 2), "1 1 2 2");
}

TEST(SpanCellPool, TheArchiveFormListsTheLinesThatExist)
{
    CGXSpanCellPool pool;
    pool.SetSpanCellsRowCol(1, 1, 1, 2, TRUE);
    std::vector<BYTE> expected;
    // Horizontal table: version, two lines, line 1 with three entries, the end mark.
    AppendWord(expected, 1);
    AppendDWord(expected, 2);
    AppendDWord(expected, 1);
    AppendWord(expected, 3);
    AppendDWord(expected, 0xFFFFFFFF);
    AppendDWord(expected, 1);
    AppendDWord(expected, 1);
    AppendDWord(expected, 0xFFFFFFFF);
    // Vertical table: empty.
    AppendWord(expected, 1);
    AppendDWord(expected, 0);
    AppendDWord(expected, 0xFFFFFFFF);
    EXPECT_EQ(Store(pool), expected);

    CGXSpanCellPool loaded;
    EXPECT_EQ(Load(loaded, expected), -1);
    EXPECT_EQ(SpanAt(loaded, 1, 2), "1 1 1 2");
    EXPECT_EQ(Store(loaded), expected);
}

TEST(SpanCellPool, ADamagedArchiveIsRefusedAndLeavesThePoolAsItWas)
{
    auto table = [](WORD nVersion, DWORD nLines, DWORD nIndex, WORD nCount) {
        std::vector<BYTE> bytes;
        AppendWord(bytes, nVersion);
        AppendDWord(bytes, nLines);
        AppendDWord(bytes, nIndex);
        AppendWord(bytes, nCount);
        for (WORD i = 0; i < nCount && i < 4; ++i)
            AppendDWord(bytes, 7);
        AppendDWord(bytes, 0xFFFFFFFF);
        return bytes;
    };
    struct Case
    {
        const char* what;
        std::vector<BYTE> bytes;
        int nCause;
    };
    const Case cases[] = {
        {"another version", table(2, 4, 1, 2), CArchiveException::badSchema},
        {"an index at the line count", table(1, 4, 4, 2), CArchiveException::badSchema},
        {"a line count above 0x80000000", table(1, 0x80000001, 1, 2), CArchiveException::badSchema},
        {"a line longer than the file", table(1, 4, 1, 30000), CArchiveException::endOfFile},
        {"a line far past the rows of any grid", table(1, 0x7FFFFFFF, 0x7FFFFFF0, 2), CArchiveException::badSchema},
    };
    for (const Case& c : cases)
    {
        CGXSpanCellPool pool;
        pool.SetSpanCellsRowCol(2, 2, 2, 3, TRUE);
        EXPECT_EQ(Load(pool, c.bytes), c.nCause) << c.what;
        EXPECT_EQ(SpanAt(pool, 2, 3), "2 2 2 3") << c.what;
        EXPECT_EQ(pool.GetHorzTable().GetSize(), 3) << c.what;
    }
}
