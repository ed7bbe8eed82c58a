#include "grid/formula/RangeNames.h"

#include <gtest/gtest.h>

#include <string>

#include "FormulaTestSupport.h"
#include "grid/formula/FormulaText.h"

namespace
{
GX_CELLREF Ref(const char* text)
{
    GX_CELLREF ref{};
    EXPECT_TRUE(ParseReference(text, &ref)) << text;
    return ref;
}

std::string NameText(int hSheet, const char* name)
{
    GX_CELLREF ref{};
    GX_RANGE_NAME* entry = FindRangeName(hSheet, name, &ref);
    if (entry == nullptr)
        return "(none)";
    return std::string(entry->name) + "=" + ReferenceText(ref);
}
}  // namespace

TEST(RangeNames, ValidNames)
{
    struct Case
    {
        const char* name;
        bool valid;
    } cases[] = {
        {"Total", true}, {"_x", true}, {"$y", true}, {"a.b_c$1", true}, {"A1", true},
        {"1abc", false}, {"a b", false}, {"", false}, {"a-b", false}, {".a", false}, {"\xE9t\xE9", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsValidName(c.name) != FALSE, c.valid) << c.name;
}

TEST(RangeNames, DefineFindAndRedefine)
{
    ScopedSheet sheet;
    const int h = sheet.handle();
    EXPECT_TRUE(SetRangeName(h, "Total", Ref("A1")));
    EXPECT_EQ(NameText(h, "TOTAL"), "Total=A1");
    EXPECT_EQ(NameText(h, "total"), "Total=A1");

    // The same name in another case takes the new reference; the entry keeps its spelling.
    EXPECT_TRUE(SetRangeName(h, "TOTAL", Ref("B2:C3")));
    EXPECT_EQ(NameText(h, "Total"), "Total=B2..C3");
    EXPECT_EQ(sheet.record()->names->next, nullptr);

    const std::string longName(40, 'n');
    EXPECT_TRUE(SetRangeName(h, longName.c_str(), Ref("D4")));
    EXPECT_EQ(NameText(h, longName.c_str()), std::string(31, 'n') + "=D4");
    EXPECT_EQ(NameText(h, std::string(31, 'N').c_str()), std::string(31, 'n') + "=D4");

    EXPECT_FALSE(SetRangeName(h, "1st", Ref("A1")));
    EXPECT_FALSE(SetRangeName(h, "bad name", Ref("A1")));
    GX_CELLREF noCell = MakeCellReference(0, 0, 0);
    EXPECT_FALSE(SetRangeName(h, "Nowhere", noCell));
    EXPECT_EQ(NameText(h, "Nowhere"), "(none)");
    EXPECT_EQ(NameText(h, "Missing"), "(none)");

    // New names go to the end of the list.
    EXPECT_STREQ(sheet.record()->names->name, "Total");
    EXPECT_EQ(sheet.record()->modified, 1);
}

// Deleting a name turns the formulas that use it into plain references.
TEST(RangeNames, DeletingANameRewritesTheFormulas)
{
    ScopedSheet sheet;
    const int h = sheet.handle();
    ASSERT_TRUE(SetRangeName(h, "TOTAL", Ref("A1")));
    ASSERT_TRUE(SetRangeName(h, "Block", Ref("A1..B2")));
    GX_CELL* uses = PutFormulaCell(h, 3, 0, "=Total*2");
    GX_CELL* usesTwice = PutFormulaCell(h, 4, 0, "=total+Total\\TOTAL");
    GX_CELL* other = PutFormulaCell(h, 5, 0, "=Block:C3");
    ASSERT_NE(uses, nullptr);
    ASSERT_NE(usesTwice, nullptr);
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(FormulaText(h, uses->formula), "=TOTAL*2");

    EXPECT_TRUE(DeleteRangeName(h, "TOTAL"));
    EXPECT_EQ(FormulaText(h, uses->formula), "=A1*2");
    EXPECT_EQ(FormulaText(h, usesTwice->formula), "=A1+A1\\A1");
    EXPECT_EQ(FormulaText(h, other->formula), "=Block:C3");
    EXPECT_EQ(NameText(h, "Total"), "(none)");
    EXPECT_FALSE(DeleteRangeName(h, "TOTAL"));
    // Nothing was kept for undo.
    EXPECT_EQ(sheet.record()->removedCells, nullptr);
    EXPECT_EQ(sheet.record()->lastRemovedName, nullptr);

    EXPECT_TRUE(DeleteRangeName(h, "block"));
    EXPECT_EQ(FormulaText(h, other->formula), "=A1..B2:C3");
    EXPECT_EQ(other->formula->nodes[other->formula->root].kind, GX_NODE_OPERATOR);
    EXPECT_EQ(other->formula->nodes[other->formula->nodes[other->formula->root].left].kind, GX_NODE_RANGE);
}

// A name redefined from a cell to a range leaves a range behind, whatever the formula first saw.
TEST(RangeNames, DeletedNameLeavesItsCurrentReference)
{
    ScopedSheet sheet;
    const int h = sheet.handle();
    ASSERT_TRUE(SetRangeName(h, "X", Ref("A1")));
    GX_CELL* cell = PutFormulaCell(h, 1, 1, "=X");
    ASSERT_NE(cell, nullptr);
    ASSERT_EQ(cell->formula->nodes[cell->formula->root].kind, GX_NODE_NAMED_CELL);
    ASSERT_TRUE(SetRangeName(h, "x", Ref("A1..A3")));
    ASSERT_TRUE(DeleteRangeName(h, "X"));
    EXPECT_EQ(cell->formula->nodes[cell->formula->root].kind, GX_NODE_RANGE);
    EXPECT_EQ(FormulaText(h, cell->formula), "=A1..A3");
}

// With removed cells kept, each rewritten cell leaves one copy as it was, and the entry is kept.
TEST(RangeNames, KeepingRemovedCellsForUndo)
{
    ScopedSheet sheet;
    const int h = sheet.handle();
    sheet.record()->keepRemovedCells = 1;
    ASSERT_TRUE(SetRangeName(h, "Rate", Ref("B1")));
    GX_CELL* cell = PutFormulaCell(h, 2, 1, "=Rate*Rate");
    ASSERT_NE(cell, nullptr);
    PutFormulaCell(h, 3, 1, "=B1");
    const int32_t formulaCells = CountPoolCells(h, GX_POOL_FORMULA);

    ASSERT_TRUE(DeleteRangeName(h, "Rate"));
    GX_CELL* kept = sheet.record()->removedCells;
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(kept->next, nullptr);
    EXPECT_FALSE(kept->Is(GX_CF_IN_TABLE));
    EXPECT_EQ(kept->row, 2);
    EXPECT_EQ(FormulaText(h, kept->formula), "=Rate*Rate");
    EXPECT_EQ(FormulaText(h, cell->formula), "=B1*B1");
    EXPECT_EQ(CountPoolCells(h, GX_POOL_FORMULA), formulaCells + 1);
    EXPECT_EQ(FindCell(h, 2, 1), cell);

    GX_RANGE_NAME* entry = sheet.record()->lastRemovedName;
    ASSERT_NE(entry, nullptr);
    EXPECT_STREQ(entry->name, "Rate");
    // Undo puts the entry back at the head of the list.
    ASSERT_TRUE(SetRangeName(h, "Other", Ref("C1")));
    EXPECT_TRUE(InsertRangeNameEntry(h, entry));
    EXPECT_EQ(sheet.record()->lastRemovedName, nullptr);
    EXPECT_EQ(sheet.record()->names, entry);
    EXPECT_EQ(NameText(h, "RATE"), "Rate=B1");
    EXPECT_FALSE(InsertRangeNameEntry(h, nullptr));
}
