#include "grid/core/Range.h"

#include <gtest/gtest.h>

namespace
{
struct Bounds
{
    LONG kind;
    ROWCOL top, left, bottom, right;
    BOOL valid;
};

void ExpectRange(const CGXRange& range, const Bounds& expected)
{
    EXPECT_EQ(range.kind, expected.kind);
    EXPECT_EQ(range.top, expected.top);
    EXPECT_EQ(range.left, expected.left);
    EXPECT_EQ(range.bottom, expected.bottom);
    EXPECT_EQ(range.right, expected.right);
    EXPECT_EQ(range.valid, expected.valid);
}

CGXRange Rows(ROWCOL r1, ROWCOL r2) { return CGXRange().SetRows(r1, r2); }
CGXRange Cols(ROWCOL c1, ROWCOL c2) { return CGXRange().SetCols(c1, c2); }
CGXRange Table() { return CGXRange().SetTable(); }
}  // namespace

TEST(CGXRange, SetCellsOrdersTheCorners)
{
    ExpectRange(CGXRange().SetCells(5, 7, 2, 3), {CGXRange::rtCells, 2, 3, 5, 7, TRUE});
    ExpectRange(CGXRange(4, 6), {CGXRange::rtCells, 4, 6, 4, 6, TRUE});
    ExpectRange(CGXRange(), {CGXRange::rtCells, 0, 0, 0, 0, FALSE});
    ExpectRange(CGXRange(static_cast<const CGXRange*>(nullptr)), {CGXRange::rtCells, 0, 0, 0, 0, FALSE});
}

TEST(CGXRange, RowsAndColumnsZeroTheOtherAxis)
{
    ExpectRange(Rows(9, 3), {CGXRange::rtRows, 3, 0, 9, 0, TRUE});
    ExpectRange(Cols(8, 2), {CGXRange::rtCols, 0, 2, 0, 8, TRUE});
    // The table keeps whatever bounds it had.
    ExpectRange(CGXRange(1, 2, 3, 4).SetTable(), {CGXRange::rtTable, 1, 2, 3, 4, TRUE});
}

TEST(CGXRange, ContainsCell)
{
    struct Case
    {
        CGXRange range;
        ROWCOL row, col;
        BOOL expected;
    } cases[] = {
        {CGXRange(), 0, 0, FALSE},
        {CGXRange(2, 2, 4, 4), 3, 3, TRUE},
        {CGXRange(2, 2, 4, 4), 5, 3, FALSE},
        {CGXRange(2, 2, 4, 4), 3, 1, FALSE},
        {Rows(2, 4), 3, 1000, TRUE},
        {Rows(2, 4), 1, 0, FALSE},
        {Cols(2, 4), 1000, 2, TRUE},
        {Cols(2, 4), 0, 5, FALSE},
        {CGXRange(1, 1).SetTable(), 77777, 88888, TRUE},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.range.ContainsCell(c.row, c.col), c.expected) << c.row << "," << c.col;
}

TEST(CGXRange, Intersect)
{
    struct Case
    {
        CGXRange r1, r2;
        Bounds expected;
    } cases[] = {
        {Rows(2, 4), Cols(3, 6), {CGXRange::rtCells, 2, 3, 4, 6, TRUE}},
        {Cols(3, 6), Rows(2, 4), {CGXRange::rtCells, 2, 3, 4, 6, TRUE}},
        {CGXRange(1, 1, 2, 2), CGXRange(5, 5, 6, 6), {CGXRange::rtCells, 5, 5, 2, 2, FALSE}},
        {CGXRange(1, 1, 4, 4), CGXRange(3, 2, 9, 3), {CGXRange::rtCells, 3, 2, 4, 3, TRUE}},
        {Table(), CGXRange(1, 1, 3, 3), {CGXRange::rtCells, 1, 1, 3, 3, TRUE}},
        {CGXRange(1, 1, 3, 3), Table(), {CGXRange::rtCells, 1, 1, 3, 3, TRUE}},
        {Cols(2, 5), CGXRange(1, 3, 4, 8), {CGXRange::rtCells, 1, 3, 4, 5, TRUE}},
        {Cols(1, 2), Cols(4, 5), {CGXRange::rtCols, 0, 4, 0, 2, FALSE}},
        {Rows(2, 6), Rows(4, 9), {CGXRange::rtRows, 4, 0, 6, 0, TRUE}},
        {CGXRange(1, 2, 3, 4), Rows(5, 7), {CGXRange::rtCells, 5, 2, 3, 4, FALSE}},
    };
    for (const Case& c : cases)
    {
        CGXRange result;
        const BOOL bValid = result.Intersect(c.r1, c.r2);
        ExpectRange(result, c.expected);
        EXPECT_EQ(bValid, c.expected.valid);
    }
}

TEST(CGXRange, IntersectMayOverwriteAnOperand)
{
    CGXRange range = Rows(2, 4);
    range.Intersect(range, Cols(3, 6));
    ExpectRange(range, {CGXRange::rtCells, 2, 3, 4, 6, TRUE});
}

TEST(CGXRange, Union)
{
    struct Case
    {
        CGXRange r1, r2;
        Bounds expected;
    } cases[] = {
        {Rows(1, 2), Cols(3, 4), {CGXRange::rtTable, 0, 0, 0, 0, TRUE}},
        {CGXRange(1, 1, 2, 2), CGXRange(5, 5, 6, 6), {CGXRange::rtCells, 1, 1, 6, 6, TRUE}},
        {Cols(2, 3), CGXRange(1, 7, 1, 9), {CGXRange::rtCols, 0, 2, 0, 9, TRUE}},
        {Rows(3, 4), CGXRange(8, 1, 9, 1), {CGXRange::rtRows, 3, 0, 9, 0, TRUE}},
        {CGXRange(1, 1), Table(), {CGXRange::rtTable, 0, 0, 0, 0, TRUE}},
    };
    for (const Case& c : cases)
    {
        CGXRange result;
        EXPECT_TRUE(result.Union(c.r1, c.r2));
        ExpectRange(result, c.expected);
    }
}

TEST(CGXRange, ExpandToCells)
{
    ExpectRange(Rows(2, 3).ExpandToCells(1, 1, 10, 20), {CGXRange::rtCells, 2, 1, 3, 20, TRUE});
    ExpectRange(Cols(4, 5).ExpandToCells(1, 1, 10, 20), {CGXRange::rtCells, 1, 4, 10, 5, TRUE});
    ExpectRange(Table().ExpandToCells(1, 1, 10, 20), {CGXRange::rtCells, 1, 1, 10, 20, TRUE});
    ExpectRange(CGXRange(2, 2, 3, 3).ExpandToCells(1, 1, 10, 20), {CGXRange::rtCells, 2, 2, 3, 3, TRUE});
}
