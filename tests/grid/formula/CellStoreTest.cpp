#include "grid/formula/CellStore.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

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

// A paste or a clear lists many changed places before one pass: the pass recomputes exactly the
// formulas that read one of them (or stand in one), however many there are and in whatever order
// they came; places that come in order are listed as one block.
TEST(CellStore, APassAfterManyChangedPlacesRecomputesTheFormulasThatReadThem)
{
    const char* const formulas[][2] = {
        {"H1", "=A5"}, {"H2", "=B7"}, {"H3", "=A20..C22"}, {"H4", "=D100"}, {"H5", "=C30"}, {"H6", "=E1"},
        {"H9", "=K41"},
    };
    auto column = [](char letter, int first, int last) {
        std::vector<std::string> places;
        for (int row = first; first <= last ? row <= last : row >= last; row += first <= last ? 1 : -1)
            places.push_back(letter + std::to_string(row));
        return places;
    };
    auto block = [](bool rowsFirst) {
        std::vector<std::string> places;
        for (int outer = 0; outer < (rowsFirst ? 30 : 3); ++outer)
            for (int inner = 0; inner < (rowsFirst ? 3 : 30); ++inner) {
                const int row = 1 + (rowsFirst ? outer : inner);
                const char letter = static_cast<char>('A' + (rowsFirst ? inner : outer));
                places.push_back(letter + std::to_string(row));
            }
        return places;
    };
    struct Case
    {
        const char* name;
        std::vector<std::string> places;  // single cells, or one range "X1..Y2"
        std::set<std::string> recomputed;
        int listed;  // entries of the changed-range list, -1: not asked
    } const cases[] = {
        {"a column top down", column('A', 1, 30), {"H1", "H3"}, 1},
        {"a column bottom up", column('A', 30, 1), {"H1", "H3"}, 1},
        {"a block row by row", block(true), {"H1", "H2", "H3", "H5"}, 1},
        {"a block column by column", block(false), {"H1", "H2", "H3", "H5"}, 1},
        {"scattered, one twice, one a formula's own place", {"C30", "H6", "B8", "A4", "C30", "A6", "B21"},
         {"H3", "H5", "H6"}, -1},
        {"a wide row", {"A7..Z7"}, {"H2"}, 1},
        {"a wide block beside a narrow one", {"B100..U100", "E2"}, {"H4"}, 2},
        {"nothing near", {"G1", "A8", "D99", "D101"}, {}, -1},
        {"all around, never on", {"A4", "A6", "B6", "B8", "C19", "C23", "D20..D22", "D99", "D101", "K40..Z40"}, {}, -1},
        // Spans that overlap, touch or lie inside one another become one, in whatever order they came.
        {"spans joined out of order", {"A6..A9", "A1..A3", "A3..A4", "A5", "B9", "B1..B6", "B8", "B7"}, {"H1", "H2"}, -1},
        {"places inside a listed one", {"A1..A30", "A5", "A10..A12", "A1..A30"}, {"H1", "H3"}, 1},
        {"wide rows one after the other", {"A40..Z40", "A41..Z41", "A42..Z42"}, {"H9"}, 1},
    };
    for (const Case& c : cases) {
        ScopedSheet sheet;
        const int h = sheet.handle();
        SetMethod(h, 1);
        for (const auto& formula : formulas)
            ASSERT_TRUE(Store(h, formula[0], formula[1]));
        RecalcEngine(h);
        for (const std::string& place : c.places) {
            GX_CELLREF ref{};
            ASSERT_TRUE(ParseReference(place.c_str(), &ref)) << place;
            // A formula's own place is listed as it stands (as after a change of its style).
            GX_CELL* there = FindCell(h, ref.FirstRow(), ref.FirstCol());
            if (ref.IsSingle() && (there == nullptr || there->formula == nullptr))
                StoreNumber(h, ref.FirstRow(), ref.FirstCol(), 1.0);
            AddChangedRange(h, ref);
        }
        if (c.listed >= 0) {
            int listed = 0;
            for (const GX_RANGE_LIST* entry = sheet.record()->changedRanges; entry != nullptr; entry = entry->next)
                ++listed;
            EXPECT_EQ(listed, c.listed) << c.name;
        }
        // A cell evaluated by the pass takes its stamp, which is higher than any before it.
        const uint32_t stampBefore = sheet.record()->stamp;
        RecalcEngine(h);
        for (const auto& formula : formulas)
            EXPECT_EQ(At(h, formula[0])->stamp > stampBefore, c.recomputed.count(formula[0]) == 1)
                << c.name << ": " << formula[0];
    }
}

// A read of a formula while the pass that the changed places ask for is held (a command still storing
// cells) brings up to date the formulas its value depends on, after the changes so far, and no other;
// with every cell counted as changed it evaluates what its value depends on all the same. An error
// it meets is not reported: the cell goes to the list for the pass.
TEST(CellStore, AReadWhileThePassIsHeldBringsUpToDateOnlyWhatItsValueDependsOn)
{
    ScopedSheet sheet;
    const int h = sheet.handle();
    SetMethod(h, 1);
    Number(h, "A1", 1);
    Number(h, "A2", 1);
    ASSERT_TRUE(Store(h, "B1", "=A1*2"));
    ASSERT_TRUE(Store(h, "C1", "=B1+1"));
    ASSERT_TRUE(Store(h, "D1", "=A1+100"));  // follows A1, not read by C1 or F1
    ASSERT_TRUE(Store(h, "E1", "=A2*2"));
    ASSERT_TRUE(Store(h, "F1", "=C1+E1"));
    ASSERT_TRUE(Store(h, "G1", "=1/(A2-7)"));
    RecalcEngine(h);
    ASSERT_EQ(Read(h, "F1"), 5);
    ArmMessageSlot(h);
    std::vector<GX_CELL_POSITION> unreported;
    auto stamp = [&](const char* name) { return At(h, name)->stamp; };

    Number(h, "A1", 5);
    const uint32_t before = GetSheet(h)->stamp;
    RecalcHeldCell(h, At(h, "C1"), FALSE, unreported);
    EXPECT_EQ(At(h, "C1")->value.number, 11);
    EXPECT_EQ(At(h, "B1")->value.number, 10);
    EXPECT_EQ(At(h, "D1")->value.number, 101);
    EXPECT_LE(stamp("D1"), before) << "not looked at";
    // A second change before the pass: a read follows both.
    Number(h, "A1", 7);
    RecalcHeldCell(h, At(h, "F1"), FALSE, unreported);
    EXPECT_EQ(At(h, "F1")->value.number, 17);
    EXPECT_LE(stamp("E1"), before) << "E1 reads nothing that changed";
    EXPECT_EQ(At(h, "D1")->value.number, 101);
    // Every cell counted as changed (cells moved about): E1 is evaluated too.
    RecalcHeldCell(h, At(h, "F1"), TRUE, unreported);
    EXPECT_GT(stamp("E1"), before);
    EXPECT_EQ(At(h, "F1")->value.number, 17);

    Number(h, "A2", 7);
    RecalcHeldCell(h, At(h, "G1"), FALSE, unreported);
    EXPECT_EQ(At(h, "G1")->ValueType(), uint32_t(GX_CELL_VALUE_ERROR));
    EXPECT_EQ(GetSheet(h)->messageArmed, 1) << "nothing reported";
    ASSERT_EQ(unreported.size(), 1u);
    EXPECT_EQ(unreported[0].row, 1);
    EXPECT_EQ(unreported[0].col, 6);
    EXPECT_EQ(At(h, "D1")->value.number, 101);

    RecalcEngine(h);
    EXPECT_EQ(Read(h, "D1"), 107);
    EXPECT_EQ(Read(h, "F1"), 29);
}

// Cells that read one another do not keep a held read going: it ends, and the pass flags the cycle.
TEST(CellStore, AHeldReadOfACycleEnds)
{
    ScopedSheet sheet;
    const int h = sheet.handle();
    SetMethod(h, 1);
    Number(h, "C1", 1);
    ASSERT_TRUE(Store(h, "A1", "=B1+C1"));
    ASSERT_TRUE(Store(h, "B1", "=A1+1"));
    RecalcEngine(h);
    Number(h, "C1", 2);
    std::vector<GX_CELL_POSITION> unreported;
    RecalcHeldCell(h, At(h, "A1"), FALSE, unreported);
    RecalcHeldCell(h, At(h, "B1"), TRUE, unreported);
    EXPECT_FALSE(At(h, "A1")->Is(GX_CF_EVALUATING));
    EXPECT_FALSE(At(h, "B1")->Is(GX_CF_EVALUATING));
    RecalcEngine(h);
    EXPECT_TRUE(At(h, "B1")->Is(GX_CF_CYCLE));
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
