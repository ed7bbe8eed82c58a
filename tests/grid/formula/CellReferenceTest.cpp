#include "grid/formula/CellReference.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
std::string TextOf(const GX_CELLREF& ref)
{
    const char* text = ReferenceText(ref);
    return text != nullptr ? text : "(invalid)";
}

std::string Parsed(const char* text)
{
    GX_CELLREF ref{};
    return ParseReference(text, &ref) ? TextOf(ref) : "(none)";
}
}  // namespace

TEST(ColumnLetters, BijectiveBase26)
{
    struct Case
    {
        int32_t col;
        const char* letters;
    } cases[] = {
        {0, "A"}, {25, "Z"}, {26, "AA"}, {51, "AZ"}, {52, "BA"}, {701, "ZZ"}, {702, "AAA"}, {4095, "FAN"},
    };
    for (const Case& c : cases) {
        EXPECT_STREQ(ColumnLetters(c.col), c.letters) << c.col;
        EXPECT_EQ(ColumnFromLetters(c.letters), c.col) << c.letters;
    }
    EXPECT_EQ(ColumnLetters(4096), nullptr);
    EXPECT_EQ(ColumnLetters(-1), nullptr);
}

TEST(ColumnLetters, ReadingLetters)
{
    struct Case
    {
        const char* text;
        int32_t col;
    } cases[] = {
        {"fan", 4095}, {"Ab1", 27}, {"B$2", 1}, {"FAO", -1}, {"ZZZZZZZZZZZZ", -1}, {"1A", -1}, {"", -1}, {"$A", -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ColumnFromLetters(c.text), c.col) << c.text;
}

TEST(ParseReference, TextsAndTheirNormalForm)
{
    struct Case
    {
        const char* text;
        const char* expected;
    } cases[] = {
        {"A1", "A1"},
        {"b2", "B2"},
        {"$B$2", "$B$2"},
        {"B$2", "B$2"},
        {"$B2", "$B2"},
        {"FAN8388607", "FAN8388607"},
        {"B5..A1", "A1..B5"},
        {"B5:A1", "A1..B5"},
        {"B5.A1", "A1..B5"},
        // Each absolute mark travels with its own row or column.
        {"A$5:$B1", "A1..$B$5"},
        {"$C3..A$1", "A$1..$C3"},
        {"A1..A1", "A1..A1"},
        {"FAO1", "(none)"},
        {"A0", "(none)"},
        {"A8388608", "(none)"},
        {"A99999999999", "(none)"},
        {"A1B", "(none)"},
        {"A1..", "(none)"},
        {"A1:B2x", "(none)"},
        {"A1...B2", "(none)"},
        {"$$A1", "(none)"},
        {"A 1", "(none)"},
        {"1A", "(none)"},
        {"", "(none)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Parsed(c.text), c.expected) << c.text;
}

TEST(ParseReference, PackedFields)
{
    GX_CELLREF ref{};
    ASSERT_TRUE(ParseReference("$B$2", &ref));
    EXPECT_EQ(ref.FirstRow(), 2);
    EXPECT_EQ(ref.FirstCol(), 1);
    EXPECT_EQ(ref.LastRow(), 2);
    EXPECT_EQ(ref.LastCol(), 1);
    EXPECT_EQ(ref.w3 & 0x70006000u,
              GX_REF_SINGLE | GX_REF_FIRST_ROW_ABS | GX_REF_FIRST_COL_ABS | GX_REF_LAST_ROW_ABS | GX_REF_LAST_COL_ABS);

    ASSERT_TRUE(ParseReference("FAN8388607..A1", &ref));
    EXPECT_EQ(ref.w1, 1u);
    EXPECT_EQ(ref.w2, 8388607u);
    EXPECT_EQ(ref.w3, 4095u << 15);
}

TEST(CellReference, Validity)
{
    GX_CELLREF ref = MakeCellReference(8388607, 4095, 0);
    EXPECT_TRUE(IsValidReference(ref));
    ref.SetFirstCol(4096);
    EXPECT_FALSE(IsValidReference(ref));
    EXPECT_FALSE(NormalizeReference(&ref));
    ref = MakeCellReference(0, 0, 0);  // row 0 is stored as 0: no cell
    EXPECT_FALSE(IsValidReference(ref));
    EXPECT_EQ(ReferenceText(ref), nullptr);
    GX_CELLREF range = MakeRangeReference(1, 0, 3, 2, 0);
    range.SetLastRow(0);
    EXPECT_FALSE(IsValidReference(range));
}

TEST(CellReference, Builders)
{
    struct Case
    {
        GX_CELLREF ref;
        const char* text;
    } cases[] = {
        {MakeCellReference(5, 2, 0), "C5"},
        {MakeCellReference(5, 2, GX_REFF_FIRST_COL_ABS | GX_REFF_FIRST_ROW_ABS), "$C$5"},
        {MakeRangeReference(5, 2, 1, 0, GX_REFF_FIRST_ROW_ABS | GX_REFF_LAST_COL_ABS), "$A1..C$5"},
        {MakeRangeReference(5, 2, 9, 9, GX_REFF_SINGLE), "C5"},
        {MakeRangeReference(1, 5000, 2, 1, 0), "A1..B2"},  // a column beyond the sheet is stored as 0
        {MakeRangeReference(1, 0, 9000000, 0, 0), "(invalid)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TextOf(c.ref), c.text);
}

TEST(CellReference, IntersectAndEqual)
{
    struct Case
    {
        const char* a;
        const char* b;
        bool intersect;
        bool equal;
    } cases[] = {
        {"A1..C3", "C3..E5", true, false},
        {"A1..C3", "D1..E5", false, false},
        {"B2", "A1..C3", true, false},
        {"$B$2", "B2", true, true},
        {"A1..B2", "B2:A1", true, true},
        {"A4", "A1..A3", false, false},
    };
    for (const Case& c : cases) {
        GX_CELLREF a{}, b{};
        ASSERT_TRUE(ParseReference(c.a, &a));
        ASSERT_TRUE(ParseReference(c.b, &b));
        EXPECT_EQ(ReferencesIntersect(a, b) != FALSE, c.intersect) << c.a << " " << c.b;
        EXPECT_EQ(ReferencesIntersect(b, a) != FALSE, c.intersect) << c.b << " " << c.a;
        EXPECT_EQ(ReferencesEqual(a, b) != FALSE, c.equal) << c.a << " " << c.b;
    }
}

TEST(CellReference, BlockAtKeepsTheSizeWithinTheSheet)
{
    GX_CELLREF block{};
    ASSERT_TRUE(ParseReference("B2..D5", &block));
    EXPECT_EQ(TextOf(BlockAt(block, 10, 10)), "K10..M13");
    EXPECT_EQ(TextOf(BlockAt(block, 8388606, 4094)), "FAM8388606..FAN8388607");
}
