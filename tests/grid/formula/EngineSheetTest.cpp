#include "grid/formula/EngineSheet.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FormulaTestSupport.h"
#include "grid/core/Style.h"
#include "grid/formula/EngineText.h"
#include "grid/formula/RangeNames.h"

namespace
{
int CountBlocks(const GX_CELL_POOL* pool)
{
    int count = 0;
    for (const GX_CELL_BLOCK* block = pool->first; block != nullptr; block = block->next)
        ++count;
    return count;
}

std::string Positions(GX_RANGE_ITERATOR& cells)
{
    std::string text;
    while (GX_CELL* cell = cells.Next())
        text += std::string(text.empty() ? "" : " ") + ColumnLetters(cell->col) + std::to_string(cell->row);
    return text;
}

std::string Bounds(int hSheet)
{
    GX_CELLREF bounds{};
    if (!GetBoundingRange(hSheet, &bounds))
        return "(none)";
    return ReferenceText(bounds);
}

GX_CELL* NewCell(int hSheet, uint32_t poolMask, int32_t row, int32_t col)
{
    GX_CELL* cell = AllocCell(GetPool(GetSheet(hSheet), poolMask));
    cell->row = row;
    cell->col = col;
    return cell;
}

void DeleteCell(int hSheet, GX_CELL* cell)
{
    EXPECT_TRUE(RemoveCell(hSheet, cell));
    FreeCell(cell);
}
}  // namespace

TEST(EngineSheet, HandlesStartAtOneAndAreReused)
{
    EXPECT_EQ(GetSheet(0), nullptr);
    int first = CreateSheet();
    int second = CreateSheet();
    EXPECT_EQ(first, 1);  // no other sheet lives between tests
    EXPECT_EQ(second, 2);
    DestroySheet(first);
    EXPECT_EQ(GetSheet(first), nullptr);
    int third = CreateSheet();
    EXPECT_EQ(third, first);
    EXPECT_NE(GetSheet(third), nullptr);
    DestroySheet(second);
    DestroySheet(third);
}

TEST(EngineSheet, SettingsTakeOnlyTheirRange)
{
    ScopedSheet sheet;
    const int h = sheet.handle();
    struct Flag
    {
        BOOL (*set)(int, int32_t);
        int32_t (*get)(int);
    } flags[] = {
        {SetManual, GetManual},
        {SetMethod, GetMethod},
        {SetConstraintChecking, GetConstraintChecking},
        {SetBlanksAreZero, GetBlanksAreZero},
    };
    for (const Flag& flag : flags) {
        EXPECT_EQ(flag.get(h), 0);
        EXPECT_TRUE(flag.set(h, 1));
        EXPECT_FALSE(flag.set(h, 2));
        EXPECT_FALSE(flag.set(h, -1));
        EXPECT_EQ(flag.get(h), 1);
        EXPECT_TRUE(flag.set(h, 0));
        EXPECT_EQ(flag.get(h), 0);
    }
    EXPECT_TRUE(SetIterations(h, 100));
    EXPECT_FALSE(SetIterations(h, 101));
    EXPECT_FALSE(SetIterations(h, -1));
    EXPECT_EQ(GetIterations(h), 100);
    EXPECT_TRUE(SetIterations(h, 0));
    EXPECT_EQ(GetIterations(h), 0);
}

TEST(EngineSheet, CellTableFindsByPosition)
{
    ScopedSheet sheet;
    const int h = sheet.handle();
    // Rows 32749 apart in one column share a bucket.
    ASSERT_EQ(BucketOf(5, 3), BucketOf(5 + 32749, 3));
    GX_CELL* a = NewCell(h, GX_POOL_CONSTANT, 5, 3);
    GX_CELL* b = NewCell(h, GX_POOL_CONSTANT, 5 + 32749, 3);
    EXPECT_TRUE(InsertCell(h, a));
    EXPECT_TRUE(InsertCell(h, b));
    EXPECT_TRUE(a->Is(GX_CF_IN_TABLE));
    EXPECT_EQ(FindCell(h, 5, 3), a);
    EXPECT_EQ(FindCell(h, 5 + 32749, 3), b);
    EXPECT_EQ(FindCell(h, 6, 3), nullptr);
    EXPECT_FALSE(InsertCell(h, a));  // already in the table

    DeleteCell(h, b);
    EXPECT_EQ(FindCell(h, 5, 3), a);
    EXPECT_EQ(FindCell(h, 5 + 32749, 3), nullptr);
    EXPECT_FALSE(RemoveCell(h, b = NewCell(h, GX_POOL_CONSTANT, 1, 1)));
    FreeCell(b);

    const int32_t outside[][2] = {{0, 0}, {8388608, 0}, {1, 4096}, {1, -1}};
    for (const auto& position : outside) {
        GX_CELL* cell = NewCell(h, GX_POOL_CONSTANT, position[0], position[1]);
        EXPECT_FALSE(InsertCell(h, cell)) << position[0] << "," << position[1];
        FreeCell(cell);
    }
    GX_CELL* corner = NewCell(h, GX_POOL_CONSTANT, 8388607, 4095);
    EXPECT_TRUE(InsertCell(h, corner));
    EXPECT_EQ(FindCell(h, 8388607, 4095), corner);
}

TEST(EngineSheet, BoundingRangeFollowsTheCells)
{
    ScopedSheet sheet;
    const int h = sheet.handle();
    EXPECT_EQ(Bounds(h), "(none)");
    GX_CELL* c5 = NewCell(h, GX_POOL_CONSTANT, 5, 2);
    GX_CELL* h2 = NewCell(h, GX_POOL_FORMULA, 2, 7);
    GX_CELL* b9 = NewCell(h, GX_POOL_CONSTANT, 9, 1);
    GX_CELL* b9below = NewCell(h, GX_POOL_CONSTANT, 12, 1);
    ASSERT_TRUE(InsertCell(h, c5));
    EXPECT_EQ(Bounds(h), "C5..C5");
    ASSERT_TRUE(InsertCell(h, h2));
    ASSERT_TRUE(InsertCell(h, b9));
    ASSERT_TRUE(InsertCell(h, b9below));
    EXPECT_EQ(Bounds(h), "B2..H12");
    EXPECT_EQ(sheet.record()->rowCounts[9 - 1], 1u);
    EXPECT_EQ(sheet.record()->colCounts[1], 2u);

    GX_CELLREF clip = MakeRangeReference(1, 0, 6, 3, 0);
    EXPECT_TRUE(ClipToBounding(h, &clip));
    EXPECT_EQ(std::string(ReferenceText(clip)), "B2..D6");
    GX_CELLREF outside = MakeRangeReference(13, 0, 20, 10, 0);
    EXPECT_FALSE(ClipToBounding(h, &outside));

    DeleteCell(h, h2);
    EXPECT_EQ(Bounds(h), "B5..C12");
    DeleteCell(h, b9below);
    EXPECT_EQ(Bounds(h), "B5..C9");
    DeleteCell(h, c5);
    EXPECT_EQ(Bounds(h), "B9..B9");
    // Removing the only cell leaves no bounding range.
    DeleteCell(h, b9);
    EXPECT_EQ(Bounds(h), "(none)");
    GX_CELLREF any = MakeRangeReference(1, 0, 20, 10, 0);
    EXPECT_FALSE(ClipToBounding(h, &any));
}

TEST(EngineSheet, PoolsFillBlocksOf32)
{
    ScopedSheet sheet;
    const int h = sheet.handle();
    GX_CELL_POOL* pool = GetPool(sheet.record(), GX_POOL_CONSTANT);
    std::vector<GX_CELL*> cells;
    for (int i = 0; i < 33; ++i)
        cells.push_back(NewCell(h, GX_POOL_CONSTANT, i + 1, 0));
    EXPECT_EQ(CountBlocks(pool), 2);
    EXPECT_EQ(CountPoolCells(h, GX_POOL_CONSTANT), 33);
    EXPECT_EQ(cells[0]->SlotIndex(), 0u);
    EXPECT_EQ(cells[31]->SlotIndex(), 31u);
    EXPECT_EQ(BlockOf(cells[31]), BlockOf(cells[0]));
    EXPECT_NE(BlockOf(cells[32]), BlockOf(cells[0]));
    EXPECT_EQ(PoolOf(cells[32]), pool);
    // The full block went to the tail; the head has room.
    EXPECT_EQ(pool->first, BlockOf(cells[32]));
    EXPECT_EQ(pool->last, BlockOf(cells[0]));

    // A freed slot brings its block to the head, and the lowest free slot is taken next.
    FreeCell(cells[7]);
    EXPECT_EQ(pool->first, BlockOf(cells[0]));
    GX_CELL* again = NewCell(h, GX_POOL_CONSTANT, 100, 0);
    EXPECT_EQ(again, cells[7]);
    EXPECT_EQ(again->row, 100);

    // Freeing the last cell of a block of an unlocked pool frees the block.
    FreeCell(cells[32]);
    EXPECT_EQ(CountBlocks(pool), 1);
    for (int i = 0; i < 32; ++i)
        FreeCell(cells[i]);
    EXPECT_EQ(CountBlocks(pool), 0);
    EXPECT_EQ(CountPoolCells(h, GX_POOL_ALL), 0);
}

// While a pool is locked, blocks stay where they are and a block that lost a formula cell takes no
// new cells; the unlock reorganises.
TEST(EngineSheet, LockedPoolsDeferBlockMoves)
{
    ScopedSheet sheet;
    const int h = sheet.handle();
    GX_CELL_POOL* pool = GetPool(sheet.record(), GX_POOL_FORMULA);
    GX_CELL* first = NewCell(h, GX_POOL_FORMULA, 1, 0);
    first->SetKind(GX_KIND_FORMULA);
    GX_CELL* second = NewCell(h, GX_POOL_FORMULA, 2, 0);
    second->SetKind(GX_KIND_FORMULA);
    GX_CELL_BLOCK* block = BlockOf(first);

    EXPECT_EQ(LockPools(h, GX_POOL_ALL), GX_POOL_ALL);
    EXPECT_EQ(LockPools(h, GX_POOL_ALL), 0u);  // nested: the outer holder unlocks
    FreeCell(first);
    EXPECT_TRUE(block->marked);
    GX_CELL* during = NewCell(h, GX_POOL_FORMULA, 3, 0);
    EXPECT_NE(BlockOf(during), block);
    EXPECT_EQ(CountBlocks(pool), 2);
    FreeCell(second);
    EXPECT_EQ(CountBlocks(pool), 2);  // empty, but freed only at the unlock
    EXPECT_TRUE(pool->reorganizePending);

    UnlockPools(h, 0);
    EXPECT_TRUE(pool->locked);
    UnlockPools(h, GX_POOL_ALL);
    EXPECT_FALSE(pool->locked);
    EXPECT_FALSE(pool->reorganizePending);
    EXPECT_EQ(CountBlocks(pool), 1);
    EXPECT_EQ(pool->first, BlockOf(during));
    EXPECT_FALSE(BlockOf(during)->marked);
    FreeCell(during);
    EXPECT_EQ(CountBlocks(pool), 0);
}

TEST(EngineSheet, PoolIteratorVisitsCellsInUse)
{
    ScopedSheet sheet;
    const int h = sheet.handle();
    std::vector<GX_CELL*> cells;
    for (int i = 0; i < 40; ++i)
        cells.push_back(NewCell(h, GX_POOL_CONSTANT, i + 1, 0));
    uint32_t locked = LockPools(h, GX_POOL_ALL);
    GX_POOL_ITERATOR walk;
    walk.Start(GetPool(sheet.record(), GX_POOL_CONSTANT));
    int visited = 0;
    // Freeing during a walk is allowed while the pool is locked.
    while (GX_CELL* cell = walk.Next()) {
        ++visited;
        if (cell->row % 2 == 0)
            FreeCell(cell);
    }
    UnlockPools(h, locked);
    EXPECT_EQ(visited, 40);
    walk.Start(GetPool(sheet.record(), GX_POOL_CONSTANT));
    int odd = 0;
    while (GX_CELL* cell = walk.Next()) {
        EXPECT_EQ(cell->row % 2, 1);
        ++odd;
    }
    EXPECT_EQ(odd, 20);
}

// A small range on a full sheet is probed position by position; a large range on a sparse sheet is
// found by walking the pools.
TEST(EngineSheet, RangeIteratorPicksTheCheaperWalk)
{
    ScopedSheet dense;
    for (int32_t row = 1; row <= 100; ++row)
        for (int32_t col = 0; col < 10; ++col)
            ASSERT_TRUE(InsertCell(dense.handle(), NewCell(dense.handle(), GX_POOL_CONSTANT, row, col)));
    GX_RANGE_ITERATOR small;
    small.Start(dense.handle(), MakeRangeReference(3, 1, 7, 2, 0), GX_POOL_ALL);
    EXPECT_TRUE(small.WalksPositions());
    EXPECT_EQ(Positions(small), "B3 B4 B5 B6 B7 C3 C4 C5 C6 C7");
    GX_RANGE_ITERATOR formulasOnly;
    formulasOnly.Start(dense.handle(), MakeRangeReference(3, 1, 7, 2, 0), GX_POOL_FORMULA);
    EXPECT_EQ(Positions(formulasOnly), "");

    ScopedSheet sparse;
    const int h = sparse.handle();
    ASSERT_TRUE(InsertCell(h, NewCell(h, GX_POOL_CONSTANT, 9, 2)));
    ASSERT_TRUE(InsertCell(h, NewCell(h, GX_POOL_FORMULA, 4, 2)));
    ASSERT_TRUE(InsertCell(h, NewCell(h, GX_POOL_CONSTANT, 1, 2)));
    ASSERT_TRUE(InsertCell(h, NewCell(h, GX_POOL_CONSTANT, 1, 3)));
    ASSERT_TRUE(InsertCell(h, NewCell(h, GX_POOL_PLACEHOLDER, 8, 2)));
    GX_CELL* notInTable = NewCell(h, GX_POOL_CONSTANT, 5, 2);
    GX_RANGE_ITERATOR column;
    column.Start(h, MakeRangeReference(1, 2, 8388607, 2, 0), GX_POOL_ALL);
    EXPECT_FALSE(column.WalksPositions());
    // Pool order: constant, formula, placeholder.
    EXPECT_EQ(Positions(column), "C9 C1 C4 C8");
    GX_RANGE_ITERATOR constants;
    constants.Start(h, MakeRangeReference(1, 2, 8388607, 2, 0), GX_POOL_CONSTANT);
    EXPECT_EQ(Positions(constants), "C9 C1");
    FreeCell(notInTable);
}

TEST(EngineSheet, CopyCellDuplicatesWhatItOwns)
{
    ScopedSheet sheet;
    const int h = sheet.handle();
    GX_CELL* original = PutFormulaCell(h, 4, 2, "=\"abc\"&A1");
    ASSERT_NE(original, nullptr);
    original->SetValueType(GX_CELL_VALUE_HEAP_STRING);
    original->value.heapText = DuplicateText("a text of more than eight");
    original->style = new CGXStyle;
    original->Set(GX_CF_DIRTY, true);

    GX_CELL_POOL* pool = GetPool(sheet.record(), GX_POOL_FORMULA);
    GX_CELL* copy = CopyCell(pool, original);
    EXPECT_EQ(copy->row, 4);
    EXPECT_EQ(copy->col, 2);
    EXPECT_EQ(copy->Kind(), uint32_t(GX_KIND_FORMULA));
    EXPECT_TRUE(copy->Is(GX_CF_DIRTY));
    EXPECT_FALSE(copy->Is(GX_CF_IN_TABLE));
    EXPECT_NE(copy->SlotIndex(), original->SlotIndex());
    EXPECT_EQ(copy->style, nullptr);
    EXPECT_NE(copy->formula, original->formula);
    EXPECT_NE(copy->value.heapText, original->value.heapText);

    GX_CELL* withStyle = CopyCellWithStyle(pool, original);
    ASSERT_NE(withStyle->style, nullptr);
    EXPECT_NE(withStyle->style, original->style);

    DeleteCell(h, original);
    EXPECT_STREQ(copy->value.heapText, "a text of more than eight");
    EXPECT_EQ(TreeText(*copy->formula, copy->formula->root), "OP11(\"abc\",CELL:A1)");
    FreeCell(copy);
    FreeCell(withStyle);
    EXPECT_EQ(CountPoolCells(h, GX_POOL_ALL), 0);
}

TEST(EngineSheet, EmptySheetKeepsTheSettings)
{
    ScopedSheet sheet;
    const int h = sheet.handle();
    ASSERT_TRUE(SetIterations(h, 7));
    ASSERT_TRUE(SetBlanksAreZero(h, 1));
    PutFormulaCell(h, 2, 2, "=A1");
    PutNumberCell(h, 3, 3, 1.5);
    ASSERT_TRUE(SetRangeName(h, "N", MakeCellReference(1, 0, 0)));

    EmptySheet(h);
    EXPECT_EQ(CountPoolCells(h, GX_POOL_ALL), 0);
    EXPECT_EQ(FindCell(h, 2, 2), nullptr);
    EXPECT_EQ(Bounds(h), "(none)");
    EXPECT_EQ(FindRangeName(h, "N"), nullptr);
    EXPECT_EQ(sheet.record()->rowCounts, nullptr);
    EXPECT_EQ(GetIterations(h), 7);
    EXPECT_EQ(GetBlanksAreZero(h), 1);
    // The sheet takes cells again.
    GX_CELL* cell = PutNumberCell(h, 1, 0, 2.0);
    EXPECT_EQ(FindCell(h, 1, 0), cell);
    EXPECT_EQ(Bounds(h), "A1..A1");
}

TEST(EngineSheet, ArmMessageSlot)
{
    ScopedSheet sheet;
    EXPECT_EQ(sheet.record()->messageArmed, 0);
    ArmMessageSlot(sheet.handle());
    EXPECT_EQ(sheet.record()->messageArmed, 1);
}
