#include "grid/formula/CellStore.h"

#include <gtest/gtest.h>

#include <string>

#include "FormulaTestSupport.h"
#include "grid/formula/Evaluator.h"

namespace
{
GX_CELL* At(int hSheet, const char* reference)
{
    GX_CELLREF ref{};
    EXPECT_TRUE(ParseReference(reference, &ref)) << reference;
    return FindCell(hSheet, ref.FirstRow(), ref.FirstCol());
}

bool Store(int hSheet, const char* reference, const char* formula)
{
    GX_CELLREF ref{};
    EXPECT_TRUE(ParseReference(reference, &ref)) << reference;
    return StoreFormula(hSheet, ref.FirstRow(), ref.FirstCol(), formula) != FALSE;
}

void Number(int hSheet, const char* reference, double value)
{
    GX_CELLREF ref{};
    ASSERT_TRUE(ParseReference(reference, &ref)) << reference;
    StoreNumber(hSheet, ref.FirstRow(), ref.FirstCol(), value);
    AddChangedRange(hSheet, ref);
}

// The number a cell holds, bringing a stale formula cell up to date first as the grid does.
double Read(int hSheet, const char* reference)
{
    GX_CELL* cell = At(hSheet, reference);
    if (cell == nullptr)
        return -999;
    if (IsStale(cell))
        RecalcCell(hSheet, cell);
    return cell->ValueType() == GX_CELL_VALUE_NUMBER ? cell->value.number : -999;
}
}  // namespace

TEST(CellStore, KindsOfStoredFormulas)
{
    ScopedSheet sheet;
    const int h = sheet.handle();
    struct
    {
        const char* formula;
        uint32_t kind;
    } const cases[] = {
        {"=5", GX_KIND_NUMBER},
        {"=0x10", GX_KIND_CONSTANT_FORMULA},
        {"=1+2", GX_KIND_CONSTANT_FORMULA},
        {"=5;1", GX_KIND_CONSTANT_FORMULA},  // a constraint keeps the formula
        {"=A2", GX_KIND_FORMULA},
        {"=#{1}", GX_KIND_FORMULA},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(Store(h, "C1", c.formula)) << c.formula;
        GX_CELL* cell = At(h, "C1");
        ASSERT_NE(cell, nullptr);
        EXPECT_EQ(cell->Kind(), c.kind) << c.formula;
        EXPECT_EQ(cell->formula == nullptr, c.kind == GX_KIND_NUMBER) << c.formula;
    }
    // A constant formula is evaluated once, when stored.
    ASSERT_TRUE(Store(h, "C1", "=1+2"));
    EXPECT_EQ(Read(h, "C1"), 3);
}

TEST(CellStore, RefusedStoresKeepTheOldCell)
{
    ScopedSheet sheet;
    const int h = sheet.handle();
    ASSERT_TRUE(Store(h, "A1", "=2"));
    EXPECT_FALSE(Store(h, "A1", "==1"));
    EXPECT_EQ(GetLastErrorCode(), 274);
    EXPECT_EQ(GetLastErrorPosition(), 1);
    EXPECT_FALSE(StoreFormula(h, 0, 0, "=1"));
    EXPECT_FALSE(StoreNumber(h, 1, 4096, 1));
    EXPECT_FALSE(StoreText(h, 8388608, 0, "x"));
    EXPECT_EQ(Read(h, "A1"), 2);
    EXPECT_EQ(CountPoolCells(h, GX_POOL_ALL), 1);
}

TEST(CellStore, LazyAndEagerPassesFollowChangedRanges)
{
    for (int32_t method : {0, 1}) {
        ScopedSheet sheet;
        const int h = sheet.handle();
        SetMethod(h, method);
        Number(h, "A1", 2);
        ASSERT_TRUE(Store(h, "B1", "=A1*3"));
        ASSERT_TRUE(Store(h, "C1", "=B1+A1"));
        ASSERT_TRUE(Store(h, "D1", "=A5+A6"));  // not affected by A1
        RecalcEngine(h);
        EXPECT_EQ(Read(h, "C1"), 8) << method;

        Number(h, "A1", 5);
        RecalcEngine(h);
        // Eager: up to date right after the pass; lazy: once asked for.
        if (method == 1) {
            EXPECT_FALSE(IsStale(At(h, "B1")));
            EXPECT_EQ(At(h, "C1")->value.number, 20);
        }
        EXPECT_EQ(Read(h, "C1"), 20) << method;
        EXPECT_EQ(Read(h, "B1"), 15) << method;
    }
}

TEST(CellStore, ManualModeWaitsForAForcedRecalculation)
{
    ScopedSheet sheet;
    const int h = sheet.handle();
    Number(h, "A1", 5);
    ASSERT_TRUE(Store(h, "B1", "=A1*3"));
    RecalcEngine(h);
    EXPECT_EQ(Read(h, "B1"), 15);
    SetManual(h, 1);
    Number(h, "A1", 7);
    EXPECT_FALSE(RecalcEngine(h));
    EXPECT_EQ(Read(h, "B1"), 15);
    EXPECT_TRUE(ForceRecalcEngine(h));
    EXPECT_EQ(Read(h, "B1"), 21);
    EXPECT_EQ(GetManual(h), 1);
}

TEST(CellStore, TheCellReachedSecondOnACycleIsFlagged)
{
    ScopedSheet sheet;
    const int h = sheet.handle();
    SetMethod(h, 1);
    ASSERT_TRUE(Store(h, "A1", "=B1+1"));
    ASSERT_TRUE(Store(h, "B1", "=A1+1"));
    ASSERT_TRUE(Store(h, "C1", "=C1"));
    RecalcEngine(h);
    // Pool order reaches A1 first: B1 finds it being evaluated.
    EXPECT_FALSE(At(h, "A1")->Is(GX_CF_CYCLE));
    EXPECT_TRUE(At(h, "B1")->Is(GX_CF_CYCLE));
    EXPECT_TRUE(At(h, "C1")->Is(GX_CF_CYCLE));
    EXPECT_EQ(GetSheet(h)->recalcState, 0u);
}

TEST(CellStore, IterationPassesRunUpToTheLimit)
{
    ScopedSheet sheet;
    const int h = sheet.handle();
    SetMethod(h, 1);
    SetBlanksAreZero(h, 1);
    ASSERT_TRUE(Store(h, "A1", "=A1+1"));
    SetIterations(h, 0);
    RecalcEngine(h);
    const double once = Read(h, "A1");
    SetIterations(h, 5);
    RecalcEngine(h);
    // One pass and five iterations: six more evaluations.
    EXPECT_EQ(Read(h, "A1"), once + 6);
}

TEST(CellStore, SameValueAgainLeavesTheChangedFlagAlone)
{
    ScopedSheet sheet;
    const int h = sheet.handle();
    SetMethod(h, 1);
    Number(h, "A1", 2);
    ASSERT_TRUE(Store(h, "B1", "=A1>1"));
    ASSERT_TRUE(Store(h, "C1", "=\"a long text value\""));
    RecalcEngine(h);
    At(h, "B1")->Set(GX_CF_CHANGED, false);
    At(h, "C1")->Set(GX_CF_CHANGED, false);
    Number(h, "A1", 3);
    RecalcEngine(h);
    EXPECT_FALSE(At(h, "B1")->Is(GX_CF_CHANGED));
    ForceRecalcEngine(h);
    EXPECT_FALSE(At(h, "C1")->Is(GX_CF_CHANGED));
    Number(h, "A1", 0);
    RecalcEngine(h);
    EXPECT_TRUE(At(h, "B1")->Is(GX_CF_CHANGED));
}

TEST(CellStore, OnlyTheFirstMessageAfterArmingIsKept)
{
    ScopedSheet sheet;
    const int h = sheet.handle();
    ArmMessageSlot(h);
    ASSERT_TRUE(Store(h, "A1", "=1/0"));
    EXPECT_STREQ(GetSheet(h)->message, "Cell A1: ERROR: divide by zero  ");
    ASSERT_TRUE(Store(h, "B2", "=7%0"));
    EXPECT_STREQ(GetSheet(h)->message, "Cell A1: ERROR: divide by zero  ");
    ArmMessageSlot(h);
    ASSERT_TRUE(Store(h, "B2", "=7%0"));
    EXPECT_STREQ(GetSheet(h)->message, "Cell B2: ERROR: modulo divide by zero  ");
}

TEST(CellStore, ConstraintViolationsAreCountedAndFlagged)
{
    ScopedSheet sheet;
    const int h = sheet.handle();
    SetMethod(h, 1);
    SetConstraintChecking(h, 1);
    Number(h, "A1", 0);
    ASSERT_TRUE(Store(h, "B1", "=1;A1>0"));
    ArmMessageSlot(h);
    RecalcEngine(h);
    EXPECT_STREQ(GetSheet(h)->message, "There is 1 constraint violation!");
    EXPECT_TRUE(At(h, "B1")->Is(GX_CF_VIOLATED));
    ASSERT_TRUE(Store(h, "B2", "=2;A1>1"));
    ArmMessageSlot(h);
    RecalcEngine(h);
    EXPECT_STREQ(GetSheet(h)->message, "There are 2 constraint violations!");
    Number(h, "A1", 5);
    ArmMessageSlot(h);
    RecalcEngine(h);
    EXPECT_FALSE(At(h, "B1")->Is(GX_CF_VIOLATED));
    EXPECT_EQ(GetSheet(h)->messageArmed, 1);
}

TEST(CellStore, ClearRangeKeepsRemovedCellsWhenAsked)
{
    ScopedSheet sheet;
    const int h = sheet.handle();
    Number(h, "A1", 1);
    Number(h, "A2", 2);
    ASSERT_TRUE(Store(h, "B2", "=A2"));
    GetSheet(h)->keepRemovedCells = 1;
    GX_CELLREF second{};
    ASSERT_TRUE(ParseReference("A2..C2", &second));
    EXPECT_TRUE(ClearRange(h, second));
    EXPECT_EQ(At(h, "A2"), nullptr);
    EXPECT_EQ(At(h, "B2"), nullptr);
    int kept = 0;
    for (GX_CELL* cell = GetSheet(h)->removedCells; cell != nullptr; cell = cell->next)
        ++kept;
    EXPECT_EQ(kept, 2);
    EXPECT_STREQ(ReferenceText(GetSheet(h)->removedRange), "A2..B2");
    GX_CELLREF outside{};
    ASSERT_TRUE(ParseReference("X100..Y200", &outside));
    EXPECT_FALSE(ClearRange(h, outside));
}

TEST(CellStore, AChainOfAHundredThousandCellsStoredBottomUp)
{
    const int32_t length = 100000;
    for (int32_t method : {0, 1}) {
        ScopedSheet sheet;
        const int h = sheet.handle();
        SetMethod(h, method);
        StoreNumber(h, 1, 0, 1);
        char formula[32];
        for (int32_t row = length; row >= 2; --row) {
            std::snprintf(formula, sizeof formula, "=A%d+1", row - 1);
            ASSERT_TRUE(StoreFormula(h, row, 0, formula));
        }
        RecalcEngine(h);
        GX_CELL* last = FindCell(h, length, 0);
        if (IsStale(last))
            RecalcCell(h, last);
        EXPECT_EQ(last->value.number, double(length)) << method;
    }
}

TEST(CellStore, AStoredFormulaIsEvaluatedAtItsFirstReading)
{
    ScopedSheet sheet;
    const int h = sheet.handle();
    StoreNumber(h, 1, 0, 4);
    ASSERT_TRUE(Store(h, "B1", "=A1+1"));
    EXPECT_TRUE(IsStale(At(h, "B1")));
    EXPECT_EQ(Read(h, "B1"), 5);
    // With a value given, the cell counts as evaluated and holds that value.
    GX_VALUE given{};
    given.type = GX_VALUE_NUMBER;
    given.number = 42;
    ASSERT_TRUE(StoreFormula(h, 1, 2, "=A1*2", &given));
    EXPECT_FALSE(IsStale(At(h, "C1")));
    EXPECT_EQ(Read(h, "C1"), 42);
}
