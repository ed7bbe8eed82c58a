#include "grid/formula/MoveCells.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FormulaTestSupport.h"
#include "grid/formula/CellStore.h"
#include "grid/formula/FormulaText.h"
#include "grid/formula/RangeNames.h"

namespace
{
GX_CELLREF Ref(const char* text)
{
    GX_CELLREF ref{};
    EXPECT_TRUE(ParseReference(text, &ref)) << text;
    return ref;
}

void Put(int hSheet, const char* at, const char* formula)
{
    const GX_CELLREF ref = Ref(at);
    ASSERT_TRUE(StoreFormula(hSheet, ref.FirstRow(), ref.FirstCol(), formula)) << formula;
}

// The formula text at a cell; "(none)" without a cell, "(constant)" for a cell without formula.
std::string TextAt(int hSheet, const char* at)
{
    const GX_CELLREF ref = Ref(at);
    GX_CELL* cell = FindCell(hSheet, ref.FirstRow(), ref.FirstCol());
    if (cell == nullptr)
        return "(none)";
    if (cell->formula == nullptr)
        return "(constant)";
    return FormulaText(hSheet, cell->formula);
}

struct Expect
{
    const char* at;
    const char* text;
};

void Check(int hSheet, std::initializer_list<Expect> expected, const char* step)
{
    for (const Expect& e : expected)
        EXPECT_EQ(TextAt(hSheet, e.at), e.text) << step << " at " << e.at;
}
}  // namespace

TEST(MoveCells, InsertingAndRemovingRows)
{
    ScopedSheet sheet;
    const int h = sheet.handle();
    Put(h, "C1", "=A7");
    Put(h, "C2", "=A5..A6");
    Put(h, "C3", "=A1..A10");
    Put(h, "C4", "=A3");
    Put(h, "C8", "=$A$8+1");
    InsertEngineRows(h, 5, 2);
    Check(h, {{"C1", "=A9"}, {"C2", "=A7..A8"}, {"C3", "=A1..A10"}, {"C4", "=A3"}, {"C8", "(none)"},
              {"C10", "=$A$10+1"}},
          "insert 2 at 5");
    RemoveEngineRows(h, 5, 2);
    Check(h, {{"C1", "=A7"}, {"C2", "=A5..A6"}, {"C3", "=A1..A10"}, {"C8", "=$A$8+1"}, {"C10", "(none)"}},
          "remove 5-6");
    // A reference to a removed row is left alone: it names what moved up.
    Put(h, "D1", "=A5");
    RemoveEngineRows(h, 5, 2);
    Check(h, {{"D1", "=A5"}, {"C1", "=A5"}}, "remove 5-6 again");
}

TEST(MoveCells, TheSheetEdgeTurnsReferencesIntoTheErrorConstant)
{
    ScopedSheet sheet;
    const int h = sheet.handle();
    Put(h, "B1", "=A8388607");
    Put(h, "B8388607", "=1");
    StoreNumber(h, GX_MAX_ROW, 0, 3);
    InsertEngineRows(h, 1, 1);
    Check(h, {{"B2", "=??"}, {"B8388607", "(none)"}}, "insert 1 at 1");
    EXPECT_EQ(FindCell(h, GX_MAX_ROW, 0), nullptr);
}

TEST(MoveCells, InsertingAndRemovingColumnsMoveNames)
{
    ScopedSheet sheet;
    const int h = sheet.handle();
    ASSERT_TRUE(SetRangeName(h, "Total", Ref("C1..D2")));
    Put(h, "A1", "=C1+Total");
    Put(h, "A2", "=B1..D1");
    InsertEngineCols(h, 2, 1);
    Check(h, {{"A1", "=D1+Total"}, {"A2", "=B1..D1"}}, "insert column at C");
    GX_CELLREF total{};
    ASSERT_NE(FindRangeName(h, "TOTAL", &total), nullptr);
    EXPECT_STREQ(ReferenceText(total), "D1..E2");
    RemoveEngineCols(h, 1, 1);
    Check(h, {{"A1", "=C1+Total"}, {"A2", "=B1..D1"}}, "remove column B");
}

TEST(MoveCells, MovingColumnsRemapsEveryReferenceInTheZone)
{
    ScopedSheet sheet;
    const int h = sheet.handle();
    Put(h, "A1", "=D1");
    Put(h, "A2", "=B1");
    Put(h, "A3", "=$C$1");
    Put(h, "A4", "=G1");
    StoreNumber(h, 1, 1, 11);  // B1
    StoreNumber(h, 1, 3, 33);  // D1
    MoveEngineRows(h, FALSE, 1, 2, 4);  // columns B..C to start at E
    Check(h, {{"A1", "=B1"}, {"A2", "=E1"}, {"A3", "=$F$1"}, {"A4", "=G1"}}, "move B..C to E");
    EXPECT_EQ(FindCell(h, 1, 4)->value.number, 11);  // E1
    EXPECT_EQ(FindCell(h, 1, 1)->value.number, 33);  // B1
    MoveEngineRows(h, FALSE, 4, 5, 1);  // and back
    Check(h, {{"A1", "=D1"}, {"A2", "=B1"}, {"A3", "=$C$1"}}, "move E..F back to B");
}

TEST(MoveCells, CopyingShiftsRelativeParts)
{
    ScopedSheet sheet;
    const int h = sheet.handle();
    Put(h, "B1", "=A1+$A$1");
    Put(h, "B6", "=A2");
    Put(h, "C6", "=A$1..$B7");
    CopyBlock(h, Ref("B1"), 3, 1, FALSE);
    CopyBlock(h, Ref("B6..C6"), 1, 1, FALSE);
    Check(h, {{"B3", "=A3+$A$1"}, {"B1", "=??"}, {"C1", "=A$1..$B2"}, {"B6", "=A2"}}, "copies");
    GX_CELL* error = FindCell(h, 1, 1);
    if (IsStale(error))
        RecalcCell(h, error);
    EXPECT_EQ(error->ValueType(), GX_CELL_VALUE_ERROR);
    EXPECT_EQ(error->value.errorCode, 89);
}

TEST(MoveCells, MovingABlockOntoUsedCellsKeepsTheirReaders)
{
    ScopedSheet sheet;
    const int h = sheet.handle();
    SetMethod(h, 1);
    StoreNumber(h, 1, 0, 1);  // A1
    StoreNumber(h, 2, 0, 2);  // A2
    StoreNumber(h, 5, 0, 50); // A5
    Put(h, "C1", "=A5*10");
    Put(h, "C2", "=A1..A2");
    Put(h, "C3", "=A1");
    RecalcEngine(h);
    GetSheet(h)->keepRemovedCells = 1;
    MoveBlock(h, Ref("A1..A2"), 5, 0);  // onto A5..A6
    // Wholly inside the block: moves; onto the destination: kept and marked dirty, its old form kept.
    Check(h, {{"C1", "=A5*10"}, {"C2", "=A5..A6"}, {"C3", "=A5"}}, "block moved");
    EXPECT_TRUE(FindCell(h, 1, 2)->Is(GX_CF_DIRTY));
    int copies = 0, numbers = 0;
    for (GX_CELL* cell = GetSheet(h)->removedCells; cell != nullptr; cell = cell->next)
        (cell->formula != nullptr ? copies : numbers) += 1;
    EXPECT_EQ(copies, 1);   // C1 as it was
    EXPECT_EQ(numbers, 1);  // the overwritten A5
    GetSheet(h)->keepRemovedCells = 0;
    RecalcEngine(h);
    EXPECT_EQ(FindCell(h, 1, 2)->value.number, 10);
}

TEST(MoveCells, PermutingRowsCarriesSingleRowReferences)
{
    ScopedSheet sheet;
    const int h = sheet.handle();
    StoreNumber(h, 1, 0, 30);
    StoreNumber(h, 2, 0, 10);
    StoreNumber(h, 3, 0, 20);
    Put(h, "B1", "=A1*2");
    Put(h, "D1", "=A1+A3");
    Put(h, "D2", "=A1..A3");
    // Sorted ascending: new row 1 is old row 2, new 2 old 3, new 3 old 1.
    PermuteEngineCells(h, Ref("A1..B3"), TRUE, {1, 2, 0});
    Check(h, {{"B3", "=A3*2"}, {"D1", "=A3+A2"}, {"D2", "=A1..A3"}}, "sorted");
    EXPECT_EQ(FindCell(h, 1, 0)->value.number, 10);
    EXPECT_EQ(FindCell(h, 3, 0)->value.number, 30);
}
