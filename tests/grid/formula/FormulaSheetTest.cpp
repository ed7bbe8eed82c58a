#include "grid/formula/FormulaSheet.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "FormulaTestSupport.h"
#include "grid/core/AppComponents.h"
#include "grid/core/AppData.h"
#include "grid/formula/CellStore.h"
#include "tests/grid/core/GridTestSupport.h"

namespace
{
// A sheet with the library started (number parser, date recognizer, archive forms of styles and
// data), as a grid's sheet has it.
class FormulaSheetTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        GXStartLibrary();
        sheet.SetRowCount(100);
        sheet.SetColCount(20);
    }

    // Cell texts are given as A1 names; grid (1, 1) is A1.
    static void Cell(const char* name, ROWCOL& nRow, ROWCOL& nCol)
    {
        GX_CELLREF ref{};
        ASSERT_TRUE(ParseReference(name, &ref)) << name;
        nRow = ROWCOL(ref.FirstRow());
        nCol = ROWCOL(ref.FirstCol()) + 1;
    }
    bool Type(const char* name, const char* text)
    {
        ROWCOL nRow = 0, nCol = 0;
        Cell(name, nRow, nCol);
        return sheet.StoreTypedTextRowCol(nRow, nCol, text) != FALSE;
    }
    // Stored as a command of many cells stores a value: through the data object's style store.
    void StoreValue(ROWCOL nRow, ROWCOL nCol, const char* text)
    {
        CGXStyle typed;
        typed.SetValue(text);
        ASSERT_TRUE(static_cast<CGXData&>(sheet).StoreStyleRowCol(nRow, nCol, &typed, gxOverride, gxDetectValueType));
    }
    std::string Shown(const char* name)
    {
        ROWCOL nRow = 0, nCol = 0;
        Cell(name, nRow, nCol);
        CString text;
        sheet.GetValueTextRowCol(nRow, nCol, text);
        return static_cast<LPCTSTR>(text);
    }
    std::string Edited(const char* name)
    {
        ROWCOL nRow = 0, nCol = 0;
        Cell(name, nRow, nCol);
        CString text;
        sheet.GetEditTextRowCol(nRow, nCol, text);
        return static_cast<LPCTSTR>(text);
    }
    std::string Message()
    {
        CString text;
        if (!sheet.GetMessage(text))
            return "(armed)";
        return static_cast<LPCTSTR>(text);
    }

    CGXFormulaSheet sheet;
};

struct Shows
{
    const char* typed;
    const char* shown;
};
}  // namespace

TEST_F(FormulaSheetTest, TypedFormulasShowTheirValues)
{
    const Shows cases[] = {
        {"=2**3**2", "64"},
        {"=-2**2", "-4"},
        {"=1/3", "0.33333333333333"},
        {"=-7%2", "-1"},
        {"=50%", "0.5"},
        {"=-8>>1", "-4"},
        {"=1<<33", "2"},
        {"=6&3", "2"},
        {"=0xFFFFFFFF", "-1"},
        {"=\"abc  \"==\"abc\"", "1"},
        {"=\"ABC\"==\"abc\"", "0"},
        {"=0&&(1/0)", "0"},
        {"=0?2:0?4:5", "5"},
        {"=7%0", "Error!"},
        {"=4294967296&1", "Error!"},
        {"=-2147483648%(0-1)", "0"},
        {"=\"a\"&\"b\"", "ab"},
        {"12.5", "12.5"},
        {"'abc", "abc"},
        {"#N/A", "#N/A"},
        {"plain words", "plain words"},
        {"C:\\temp", "C:\\temp"},
    };
    for (const Shows& c : cases) {
        ASSERT_TRUE(Type("A1", c.typed)) << c.typed;
        EXPECT_EQ(Shown("A1"), c.shown) << c.typed;
    }
}

TEST_F(FormulaSheetTest, EditTextsGiveBackWhatWasTyped)
{
    const Shows cases[] = {
        {"=A2+1", "=A2+1"},
        {"=(A2 + 1)*2", "=(A2+1)*2"},
        {"=5", "5"},
        {"'abc", "'abc"},
        {"abc", "'abc"},
        {"#N/A", "#N/A"},
        {"=1/0", "=1/0"},
        {"", ""},
    };
    for (const Shows& c : cases) {
        ASSERT_TRUE(Type("B1", c.typed)) << c.typed;
        EXPECT_EQ(Edited("B1"), c.shown) << c.typed;
    }
    EXPECT_EQ(Edited("Z99"), "");
    EXPECT_EQ(Shown("Z99"), "");
}

TEST_F(FormulaSheetTest, MessagesOfErrorsAndParseFailures)
{
    sheet.ArmMessage();
    EXPECT_EQ(Message(), "(armed)");
    ASSERT_TRUE(Type("A1", "=1/0"));
    EXPECT_EQ(Shown("A1"), "Error!");
    EXPECT_EQ(Message(), "Cell A1: ERROR: divide by zero  ");

    sheet.ArmMessage();
    ASSERT_TRUE(Type("B2", "=\"ab\"&1"));
    EXPECT_EQ(FindCell(sheet.GetEngineSheet(), 2, 1)->value.errorCode, 140);
    EXPECT_EQ(Message(), "Cell B2: ERROR: operands of \"&\" must be same type  ");

    // A formula that does not parse is refused and reported whether or not the slot is armed.
    ASSERT_TRUE(Type("A1", "=3"));
    EXPECT_FALSE(Type("A1", "==1"));
    EXPECT_EQ(Message(), "Cell A1: ERROR: expected to find an operand here (Pos 1)");
    EXPECT_EQ(Shown("A1"), "3");
    EXPECT_FALSE(sheet.StoreFormulaRowCol(1, 1, "1+1"));

    CString result;
    EXPECT_TRUE(sheet.EvaluateText(result, "=2*A1"));
    EXPECT_EQ(result, "6");
    EXPECT_FALSE(sheet.EvaluateText(result, "=2*"));
    EXPECT_EQ(result, "ERROR: expected to find an operand here (Pos 3)");
    EXPECT_FALSE(sheet.EvaluateText(result, "=1/0"));
    EXPECT_EQ(result, "Error!");
}

TEST_F(FormulaSheetTest, RecalculationOfDependents)
{
    ASSERT_TRUE(Type("A1", "=5"));
    GX_CELL* five = FindCell(sheet.GetEngineSheet(), 1, 0);
    EXPECT_EQ(five->Kind(), GX_KIND_NUMBER);

    ASSERT_TRUE(Type("A1", "2"));
    ASSERT_TRUE(Type("B1", "=A1*3"));
    EXPECT_EQ(Shown("B1"), "6");
    ASSERT_TRUE(Type("A1", "5"));
    sheet.RecalcSheet(FALSE);
    EXPECT_EQ(Shown("B1"), "15");

    sheet.SetManualRecalc(TRUE);
    ASSERT_TRUE(Type("A1", "7"));
    sheet.RecalcSheet(FALSE);
    EXPECT_EQ(Shown("B1"), "15");
    sheet.RecalcSheet(TRUE);
    EXPECT_EQ(Shown("B1"), "21");
    double value = 0;
    sheet.ReadNumberRowCol(1, 2, value);
    EXPECT_EQ(value, 21);
}

TEST_F(FormulaSheetTest, CyclesBlanksAndRelativeCells)
{
    ASSERT_TRUE(Type("A1", "=A1+1"));
    sheet.RecalcSheet(FALSE);
    EXPECT_EQ(Shown("A1"), "Cycle!");
    sheet.SetIterationLimit(1);
    EXPECT_NE(Shown("A1"), "Cycle!");

    ASSERT_TRUE(Type("C1", "=D1+1"));
    EXPECT_EQ(Shown("C1"), "Error!");
    sheet.SetBlanksAreZero(TRUE);
    sheet.RecalcSheet(TRUE);
    EXPECT_EQ(Shown("C1"), "1");

    ASSERT_TRUE(Type("F3", "10"));
    ASSERT_TRUE(Type("E1", "=#{1,2}"));
    EXPECT_EQ(Shown("E1"), "10");
    ASSERT_TRUE(Type("F3", "20"));
    sheet.RecalcSheet(FALSE);
    EXPECT_EQ(Shown("E1"), "20");
}

TEST_F(FormulaSheetTest, SettingsRefuseValuesOutOfRange)
{
    EXPECT_FALSE(sheet.SetIterationLimit(101));
    EXPECT_TRUE(sheet.SetIterationLimit(100));
    EXPECT_FALSE(sheet.SetRecalcMethod(2));
    EXPECT_FALSE(sheet.SetManualRecalc(2));
    EXPECT_EQ(sheet.GetIterationLimit(), 100);
    EXPECT_EQ(sheet.GetRecalcMethod(), 0);
}

TEST_F(FormulaSheetTest, StructureChangesAdjustReferences)
{
    ASSERT_TRUE(Type("C1", "=A7"));
    ASSERT_TRUE(Type("C2", "=A5..A6"));
    ASSERT_TRUE(Type("C3", "=A1..A10"));
    ASSERT_TRUE(Type("A7", "70"));
    sheet.InsertRows(5, 2);
    EXPECT_EQ(Edited("C1"), "=A9");
    EXPECT_EQ(Edited("C2"), "=A7..A8");
    EXPECT_EQ(Edited("C3"), "=A1..A10");
    EXPECT_EQ(Shown("C1"), "70");
    sheet.RemoveRows(5, 6);
    EXPECT_EQ(Edited("C1"), "=A7");
    EXPECT_EQ(Shown("C1"), "70");

    ASSERT_TRUE(Type("A1", "4"));
    ASSERT_TRUE(Type("A3", "1"));
    ASSERT_TRUE(Type("B1", "=A1+$A$1"));
    ASSERT_TRUE(sheet.CopyCells(CGXRange(1, 2), 3, 2));
    EXPECT_EQ(Edited("B3"), "=A3+$A$1");
    EXPECT_EQ(Shown("B3"), "5");
    ASSERT_TRUE(Type("B6", "=A2"));
    ASSERT_TRUE(sheet.CopyCells(CGXRange(6, 2), 1, 2));
    EXPECT_EQ(Edited("B1"), "=??");
    EXPECT_EQ(Shown("B1"), "Error!");
}

TEST_F(FormulaSheetTest, MovingColumns)
{
    ASSERT_TRUE(Type("A1", "=D1"));
    ASSERT_TRUE(Type("A2", "=B1"));
    ASSERT_TRUE(Type("A3", "=$C$1"));
    ASSERT_TRUE(Type("B1", "11"));
    sheet.MoveCols(2, 3, 5);  // B..C to start at E
    EXPECT_EQ(Edited("A1"), "=B1");
    EXPECT_EQ(Edited("A2"), "=E1");
    EXPECT_EQ(Edited("A3"), "=$F$1");
    EXPECT_EQ(Shown("A2"), "11");
}

TEST_F(FormulaSheetTest, SortingCarriesSingleRowReferences)
{
    ASSERT_TRUE(Type("A1", "30"));
    ASSERT_TRUE(Type("A2", "10"));
    ASSERT_TRUE(Type("A3", "20"));
    ASSERT_TRUE(Type("B1", "=A1*2"));
    ASSERT_TRUE(Type("D5", "=A1"));
    CDWordArray order;
    order.Add(1);
    order.Add(2);
    order.Add(0);
    sheet.MoveDataRows(order, 1);
    EXPECT_EQ(Shown("A1"), "10");
    EXPECT_EQ(Edited("B3"), "=A3*2");
    EXPECT_EQ(Shown("B3"), "60");
    EXPECT_EQ(Edited("D5"), "=A3");
    EXPECT_EQ(Shown("D5"), "30");
}

TEST_F(FormulaSheetTest, TypedDatesAndTimesBecomeNumbersWithADateFormat)
{
    // The library's date recognizer, in the test process's locale (English, United States).
    CGXFormulaSheet dated;
    struct
    {
        const char* typed;
        const char* value;
        unsigned format;
    } const cases[] = {
        {"1/1/2000", "36526", 11},
        {"12:00", "0.5", 13},
        {"1/1/2000 6:00", "36526.25", 18},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(dated.StoreTypedTextRowCol(2, 2, c.typed)) << c.typed;
        CString shown;
        dated.GetValueTextRowCol(2, 2, shown);
        EXPECT_EQ(shown, c.value) << c.typed;
        EXPECT_EQ(dated.GetNumberFormatRowCol(2, 2, nullptr), c.format) << c.typed;
        dated.StoreStyleRowCol(2, 2, nullptr, gxCopy);
    }
    // A number typed into a date cell turns it into a plain number cell.
    ASSERT_TRUE(dated.StoreTypedTextRowCol(3, 3, "1/1/2000"));
    ASSERT_TRUE(dated.StoreTypedTextRowCol(3, 3, "7"));
    unsigned places = 0;
    EXPECT_EQ(dated.GetNumberFormatRowCol(3, 3, &places), 3u);
    EXPECT_EQ(places, 15u);
}

TEST_F(FormulaSheetTest, AnArchiveRoundTripKeepsTheSheet)
{
    ASSERT_TRUE(sheet.DefineRangeName("Base", CGXRange(1, 1), nullptr));
    ASSERT_TRUE(Type("A1", "2"));
    ASSERT_TRUE(Type("B1", "=Base*3"));
    ASSERT_TRUE(Type("C1", "'a text longer than eight"));
    ASSERT_TRUE(Type("D1", "=1/0"));
    ASSERT_TRUE(Type("E1", "#N/A"));
    sheet.StoreNumberFormatRowCol(1, 1, 3, 2);
    CGXStyle header;
    header.SetValue("first");
    sheet.StoreStyleRowCol(1, 0, &header, gxOverride);
    sheet.SetIterationLimit(7);
    sheet.SetBlanksAreZero(TRUE);
    sheet.SetRecalcMethod(1);
    const Bytes bytes = StoreToBytes([&](CArchive& ar) { sheet.Serialize(ar); });

    CGXFormulaSheet loaded;
    LoadFromBytes(bytes, [&](CArchive& ar) { loaded.Serialize(ar); });
    const char* const names[] = {"A1", "B1", "C1", "D1", "E1"};
    for (const char* name : names) {
        ROWCOL nRow = 0, nCol = 0;
        Cell(name, nRow, nCol);
        CString shown, edited, loadedShown, loadedEdited;
        sheet.GetValueTextRowCol(nRow, nCol, shown);
        sheet.GetEditTextRowCol(nRow, nCol, edited);
        loaded.GetValueTextRowCol(nRow, nCol, loadedShown);
        loaded.GetEditTextRowCol(nRow, nCol, loadedEdited);
        EXPECT_EQ(loadedShown, shown) << name;
        EXPECT_EQ(loadedEdited, edited) << name;
    }
    CGXRange base;
    ASSERT_TRUE(loaded.LookupRangeName("BASE", base));
    EXPECT_EQ(base, CGXRange(1, 1));
    EXPECT_EQ(loaded.GetIterationLimit(), 7);
    EXPECT_TRUE(loaded.GetBlanksAreZero());
    EXPECT_EQ(loaded.GetRecalcMethod(), 1);
    unsigned places = 0;
    EXPECT_EQ(loaded.GetNumberFormatRowCol(1, 1, &places), 3u);
    EXPECT_EQ(places, 2u);
    CGXStyle loadedHeader;
    ASSERT_TRUE(loaded.GetStyleRowCol(1, 0, loadedHeader, gxCopy));
    EXPECT_EQ(loadedHeader.GetValue(), "first");
    EXPECT_EQ(loaded.GetRowCount(), sheet.GetRowCount());
    // The loaded formula follows the loaded name and cells.
    ASSERT_TRUE(loaded.StoreTypedTextRowCol(1, 1, "5"));
    loaded.RecalcSheet(FALSE);
    CString shown;
    loaded.GetValueTextRowCol(1, 2, shown);
    EXPECT_EQ(shown, "15");
}

TEST_F(FormulaSheetTest, AFormulaThatNoLongerParsesLoadsAsText)
{
    Bytes bytes;
    {
        // Saved where a worksheet function was installed; loaded where none is.
        GetEngineState()->SetFunctionTable(new TestFunctionTable);
        CGXFormulaSheet withCalls;
        const BOOL stored = withCalls.StoreTypedTextRowCol(2, 1, "=ONE(1)+A1");
        bytes = StoreToBytes([&](CArchive& ar) { withCalls.Serialize(ar); });
        GetEngineState()->SetFunctionTable(nullptr);
        ASSERT_TRUE(stored);
    }
    CGXFormulaSheet loaded;
    LoadFromBytes(bytes, [&](CArchive& ar) { loaded.Serialize(ar); });
    CString shown, edited;
    loaded.GetValueTextRowCol(2, 1, shown);
    loaded.GetEditTextRowCol(2, 1, edited);
    EXPECT_EQ(shown, "=ONE(1)+A1");
    EXPECT_EQ(edited, "'=ONE(1)+A1");
}

TEST_F(FormulaSheetTest, BadCellRecordsAreRefused)
{
    ASSERT_TRUE(sheet.StoreTypedTextRowCol(0x123456, 1, "9"));
    const Bytes bytes = StoreToBytes([&](CArchive& ar) { sheet.Serialize(ar); });
    // The cell's row as it stands in the stream.
    std::size_t at = 0;
    for (std::size_t i = 0; i + 4 <= bytes.size(); ++i)
        if (DWordAt(bytes, i) == 0x123456)
            at = i;
    ASSERT_NE(at, 0u);
    struct
    {
        std::size_t offset;
        DWORD value;
        int cause;
    } const cases[] = {
        {at, 0x7FFFFFFF, CArchiveException::badIndex},
        {at, 0, CArchiveException::badIndex},
        {at + 4, 4096, CArchiveException::badIndex},
        {at - 3, 0x09090909, CArchiveException::badIndex},  // kind 9, value type 9
        {0, 2, CArchiveException::badSchema},               // version word
    };
    for (const auto& c : cases) {
        Bytes bad = bytes;
        for (int i = 0; i < 4 && c.offset + std::size_t(i) < bad.size(); ++i)
            bad[c.offset + std::size_t(i)] = BYTE(c.value >> (8 * i));
        if (c.offset == 0)
            bad[1] = 0;  // the version word alone
        CGXFormulaSheet loaded;
        EXPECT_EQ(ArchiveCauseOf([&] { LoadFromBytes(bad, [&](CArchive& ar) { loaded.Serialize(ar); }); }), c.cause)
            << c.offset << " " << c.value;
    }
}

// A style that counts its instances, so that a test sees a style left behind or deleted twice
// (outside the unnamed namespace: the serial macros define an extraction operator it would leave
// unused).
class CCountedStyle : public CGXStyle
{
    DECLARE_SERIAL(CCountedStyle)
public:
    CCountedStyle() { ++live; }
    CCountedStyle(const CCountedStyle& other) : CGXStyle(other) { ++live; }
    ~CCountedStyle() override { --live; }
    CGXStyle* Clone() const override { return new CCountedStyle(*this); }
    static int live;
};
int CCountedStyle::live = 0;
IMPLEMENT_SERIAL(CCountedStyle, CGXStyle, 0)

namespace
{
// A sheet as its writer stores it, with cell records written by hand: one number cell in column A
// per call of the record writer, which stores the record's style object.
Bytes SheetWithCells(bool bAsObject, const std::vector<std::function<void(CArchive&)>>& styles)
{
    return StoreToBytes([&](CArchive& ar) {
        if (bAsObject)
            ar.WriteClass(RUNTIME_CLASS(CGXFormulaSheet));
        ar << WORD(1);
        CGXData noData;
        noData.Serialize(ar);
        for (int i = 0; i < 5; ++i)
            ar << WORD(0);
        CStringArray noNames;
        noNames.Serialize(ar);
        LONG nRow = 1;
        for (const auto& writeStyle : styles) {
            ar << BYTE(1) << BYTE(GX_KIND_NUMBER) << BYTE(GX_CELL_VALUE_NUMBER) << BYTE(0) << nRow++ << LONG(0);
            writeStyle(ar);
            ar << 1.5;
        }
        ar << BYTE(0);
    });
}
}  // namespace

TEST_F(FormulaSheetTest, ACellStyleThatIsNotTheCellsOwnIsRefused)
{
    CCountedStyle style;
    style.SetTextColor(RGB(0, 0, 255));
    const int nBefore = CCountedStyle::live;
    auto ownStyle = [&](CArchive& ar) { ar << static_cast<const CObject*>(&style); };
    CGXData notAStyle;
    // The first object a sheet read as an object registers after its class: the sheet itself.
    const WORD wTheSheet = 2;
    struct
    {
        const char* what;
        bool bAsObject;
        std::vector<std::function<void(CArchive&)>> styles;
        int cause;
    } const cases[] = {
        {"its own style", false, {ownStyle}, -1},
        {"the style of the cell before", false, {ownStyle, ownStyle}, CArchiveException::badIndex},
        {"the sheet being loaded", true, {[&](CArchive& ar) { ar << wTheSheet; }}, CArchiveException::badIndex},
        {"an object that is not a style", false, {[&](CArchive& ar) { ar << static_cast<const CObject*>(&notAStyle); }},
         CArchiveException::badClass},
    };
    for (const auto& c : cases) {
        const Bytes bytes = SheetWithCells(c.bAsObject, c.styles);
        if (c.bAsObject) {
            EXPECT_EQ(ArchiveCauseOf([&] {
                          LoadFromBytes(bytes, [&](CArchive& ar) {
                              delete ar.ReadObject(RUNTIME_CLASS(CGXFormulaSheet));
                          });
                      }),
                      c.cause)
                << c.what;
        } else {
            CGXFormulaSheet loaded;
            EXPECT_EQ(ArchiveCauseOf([&] { LoadFromBytes(bytes, [&](CArchive& ar) { loaded.Serialize(ar); }); }), c.cause)
                << c.what;
            if (c.cause == -1) {
                CGXStyle cell;
                ASSERT_TRUE(loaded.GetStyleRowCol(1, 1, cell, gxCopy)) << c.what;
                EXPECT_EQ(cell.GetTextColor(), RGB(0, 0, 255)) << c.what;
            }
        }
        // The cells read before the refusal went with the sheet, each style once.
        EXPECT_EQ(CCountedStyle::live, nBefore) << c.what;
    }
}

TEST_F(FormulaSheetTest, AssignmentCopiesCellsNamesAndSettings)
{
    ASSERT_TRUE(sheet.DefineRangeName("Base", CGXRange(1, 1), nullptr));
    ASSERT_TRUE(Type("A1", "2"));
    ASSERT_TRUE(Type("B1", "=Base*3"));
    sheet.SetIterationLimit(4);
    CGXFormulaSheet copy;
    copy = static_cast<const CGXData&>(sheet);
    // The copy's formulas name the copy's own entries: they outlive the source's.
    sheet.DefineRangeName("Base", CGXRange(9, 1), nullptr);
    ASSERT_TRUE(copy.StoreTypedTextRowCol(1, 1, "5"));
    copy.RecalcSheet(FALSE);
    CString shown, edited;
    copy.GetValueTextRowCol(1, 2, shown);
    copy.GetEditTextRowCol(1, 2, edited);
    EXPECT_EQ(shown, "15");
    EXPECT_EQ(edited, "=Base*3");
    EXPECT_EQ(copy.GetIterationLimit(), 4);
}

TEST_F(FormulaSheetTest, AssignmentFromPlainDataMovesCellsIntoTheEngine)
{
    CGXData plain;
    CGXStyle value;
    value.SetValue("=A1*2");
    plain.StoreStyleRowCol(1, 2, &value, gxOverride);
    value.SetValue("4");
    plain.StoreStyleRowCol(1, 1, &value, gxOverride);
    CGXStyle header;
    header.SetValue("row one");
    plain.StoreStyleRowCol(1, 0, &header, gxOverride);
    CGXStyle bold;
    bold.SetInterior(RGB(1, 2, 3));
    plain.StoreStyleRowCol(3, 3, &bold, gxOverride);

    sheet = plain;
    EXPECT_EQ(Shown("B1"), "8");
    EXPECT_EQ(Edited("B1"), "=A1*2");
    CGXStyle style;
    ASSERT_TRUE(sheet.GetStyleRowCol(1, 0, style, gxCopy));
    EXPECT_EQ(style.GetValue(), "row one");
    ASSERT_TRUE(sheet.GetStyleRowCol(3, 3, style, gxCopy));
    EXPECT_TRUE(style.GetIncludeInterior());
    // Only the header column is left in the inherited arrays.
    ASSERT_GE(sheet.GetCellStyles().GetSize(), 2);
    EXPECT_EQ(sheet.GetCellStyles().GetRowAt(1)->GetSize(), 1);
}

TEST_F(FormulaSheetTest, StylesOfCells)
{
    CGXStyle style;
    style.SetValue("=2+3");
    style.SetInterior(RGB(0, 0, 255));
    ASSERT_TRUE(sheet.StoreStyleRowCol(2, 2, &style, gxOverride, gxDetectValueType));
    CGXStyle read;
    ASSERT_TRUE(sheet.GetStyleRowCol(2, 2, read, gxCopy));
    EXPECT_EQ(read.GetValue(), "5");
    EXPECT_EQ(read.GetValueType(), unsigned(GX_VT_NUMERIC));
    EXPECT_TRUE(read.GetIncludeInterior());
    ASSERT_TRUE(sheet.GetStyleRowCol(2, 2, read, gxCopy, gxDetectValueType));
    EXPECT_EQ(read.GetValue(), "=2+3");
    EXPECT_EQ(read.GetValueType(), unsigned(GX_VT_EXPRESSION));

    // Stored with any type, a formula handed out as edit text comes back as a formula.
    ASSERT_TRUE(sheet.StoreStyleRowCol(4, 4, &read, gxCopy, 0));
    EXPECT_EQ(Edited("D4"), "=2+3");
    // Without the type, other text stays text.
    CGXStyle text;
    text.SetValue("=1");
    ASSERT_TRUE(sheet.StoreStyleRowCol(5, 5, &text, gxOverride, 0));
    EXPECT_EQ(Edited("E5"), "'=1");

    // Excluding the value of a cell without a style object removes the cell.
    ASSERT_TRUE(sheet.StoreStyleRowCol(5, 5, &text, gxExclude));
    EXPECT_FALSE(sheet.GetStyleRowCol(5, 5, read, gxCopy));
    // A value-only copy takes the cell's own style away.
    CGXStyle only;
    only.SetValue("7");
    ASSERT_TRUE(sheet.StoreStyleRowCol(2, 2, &only, gxCopy));
    ASSERT_TRUE(sheet.GetStyleRowCol(2, 2, read, gxCopy));
    EXPECT_FALSE(read.GetIncludeInterior());
    EXPECT_EQ(read.GetValue(), "7");

    // Row 0 and column 0 stay with the inherited arrays.
    CGXStyle header;
    header.SetValue("=1+1");
    ASSERT_TRUE(sheet.StoreStyleRowCol(0, 3, &header, gxOverride, gxDetectValueType));
    EXPECT_EQ(FindCell(sheet.GetEngineSheet(), 1, 2), nullptr);
    ASSERT_TRUE(sheet.GetStyleRowCol(0, 3, read, gxCopy));
    EXPECT_EQ(read.GetValue(), "=1+1");
}

TEST_F(FormulaSheetTest, UndoRecordsOfCopiesMovesAndNames)
{
    ASSERT_TRUE(Type("A1", "1"));
    ASSERT_TRUE(Type("A2", "2"));
    ASSERT_TRUE(Type("C1", "9"));
    ASSERT_TRUE(Type("C2", "=C1-1"));
    ASSERT_TRUE(Type("E1", "=C1+C2"));
    EXPECT_EQ(Shown("E1"), "17");
    sheet.SetUndoRecording(TRUE);

    // A copy over C1..C2, undone and redone.
    ASSERT_TRUE(sheet.CopyCells(CGXRange(1, 1, 2, 1), 1, 3));
    EXPECT_EQ(Shown("E1"), "3");
    CObject* pRecord = sheet.TakeUndoRecord();
    ASSERT_NE(pRecord, nullptr);
    EXPECT_EQ(sheet.TakeUndoRecord(), nullptr);
    ASSERT_TRUE(sheet.ApplyUndoRecord(pRecord, TRUE, FALSE));
    EXPECT_EQ(Edited("C1"), "9");
    EXPECT_EQ(Edited("C2"), "=C1-1");
    EXPECT_EQ(Shown("E1"), "17");
    ASSERT_TRUE(sheet.ApplyUndoRecord(pRecord, TRUE, FALSE));
    EXPECT_EQ(Edited("C2"), "2");
    EXPECT_EQ(Shown("E1"), "3");
    ASSERT_TRUE(sheet.ApplyUndoRecord(pRecord, TRUE, FALSE));
    EXPECT_EQ(Shown("E1"), "17");
    delete pRecord;
    EXPECT_FALSE(sheet.ApplyUndoRecord(nullptr, TRUE, FALSE));

    // A move onto C1..C2, and the move back with its record.
    ASSERT_TRUE(sheet.MoveCells(CGXRange(1, 1, 2, 1), 1, 3));
    EXPECT_EQ(Edited("C1"), "1");
    EXPECT_EQ(Edited("A1"), "");
    pRecord = sheet.TakeUndoRecord();
    ASSERT_NE(pRecord, nullptr);
    ASSERT_TRUE(sheet.MoveCells(CGXRange(1, 3, 2, 3), 1, 1, &pRecord, FALSE));
    delete pRecord;
    EXPECT_EQ(Edited("A1"), "1");
    EXPECT_EQ(Edited("A2"), "2");
    EXPECT_EQ(Edited("C1"), "9");
    EXPECT_EQ(Edited("C2"), "=C1-1");
    EXPECT_EQ(Shown("E1"), "17");
    delete sheet.TakeUndoRecord();

    // A removed name, put back with the formulas that used it.
    ASSERT_TRUE(sheet.DefineRangeName("Base", CGXRange(1, 1), nullptr));
    ASSERT_TRUE(Type("F1", "=Base*10"));
    CObject* pNameRecord = nullptr;
    ASSERT_TRUE(sheet.RemoveRangeName("BASE", &pNameRecord, TRUE));
    ASSERT_NE(pNameRecord, nullptr);
    EXPECT_EQ(Edited("F1"), "=A1*10");
    CGXRange range;
    EXPECT_FALSE(sheet.LookupRangeName("Base", range));
    ASSERT_TRUE(sheet.DefineRangeName("Base", CGXRange(1, 1), pNameRecord));  // the sheet keeps the record
    EXPECT_EQ(Edited("F1"), "=Base*10");
    EXPECT_TRUE(sheet.LookupRangeName("Base", range));
    EXPECT_EQ(Shown("F1"), "10");
    EXPECT_FALSE(sheet.RemoveRangeName("Nothing", nullptr, FALSE));
}

TEST_F(FormulaSheetTest, ChangedCells)
{
    ASSERT_TRUE(Type("A1", "1"));
    ASSERT_TRUE(Type("B1", "=A1*2"));
    EXPECT_FALSE(sheet.IsCellChanged(9, 9));
    EXPECT_FALSE(sheet.IsCellChanged(1, 5000));
    sheet.MarkCellChanged(1, 1, FALSE);
    EXPECT_FALSE(sheet.IsCellChanged(1, 1));
    sheet.MarkCellChanged(1, 1, TRUE);
    EXPECT_TRUE(sheet.IsCellChanged(1, 1));
    // A formula cell the pass has not brought up to date counts as changed until it is shown.
    ASSERT_TRUE(Type("A1", "3"));
    sheet.RecalcSheet(FALSE);
    EXPECT_TRUE(sheet.IsCellChanged(1, 2));
    EXPECT_EQ(Shown("B1"), "6");
    sheet.MarkCellChanged(1, 2, FALSE);
    EXPECT_FALSE(sheet.IsCellChanged(1, 2));
    sheet.RecalcSheet(FALSE);  // nothing changed: B1 is brought up to date without a new value
    EXPECT_EQ(Shown("B1"), "6");
    EXPECT_FALSE(sheet.IsCellChanged(1, 2));
}

TEST_F(FormulaSheetTest, AValueStoredAsTheGridStoresItTakesItsFormulasAlong)
{
    ASSERT_TRUE(Type("A1", "2"));
    ASSERT_TRUE(Type("B1", "=A1*3"));
    EXPECT_EQ(Shown("B1"), "6");
    // What the grid calls for a typed, pasted or replaced value.
    CGXData& data = sheet;
    CGXStyle typed;
    typed.SetValue("5");
    ASSERT_TRUE(data.StoreStyleRowCol(1, 1, &typed, gxOverride, gxDetectValueType));
    EXPECT_TRUE(data.IsCellChanged(1, 2)) << "the grid is told to show it again";
    EXPECT_EQ(Shown("B1"), "15");
    // A cleared input counts as well.
    ASSERT_TRUE(data.StoreStyleRowCol(1, 1, nullptr, gxCopy));
    EXPECT_EQ(Shown("B1"), "Error!");

    // In manual mode the formulas wait for a forced recalculation.
    ASSERT_TRUE(data.StoreStyleRowCol(1, 1, &typed, gxOverride, gxDetectValueType));
    ASSERT_TRUE(sheet.SetManualRecalc(TRUE));
    typed.SetValue("7");
    ASSERT_TRUE(data.StoreStyleRowCol(1, 1, &typed, gxOverride, gxDetectValueType));
    EXPECT_EQ(Shown("B1"), "15");
    sheet.RecalcSheet(TRUE);
    EXPECT_EQ(Shown("B1"), "21");
}

// What a command of many cells stores under a hold is worked out once, when the hold ends, from the
// cells as the command left them.
TEST_F(FormulaSheetTest, StoresUnderAHoldAreWorkedOutOnceWhenItEnds)
{
    CGXData& data = sheet;
    ASSERT_TRUE(Type("A1", "2"));
    ASSERT_TRUE(Type("B1", "=A1*3"));
    ASSERT_EQ(Shown("B1"), "6");
    sheet.MarkCellChanged(1, 2, FALSE);

    data.HoldRecalc(TRUE);
    data.HoldRecalc(TRUE);
    StoreValue(1, 1, "5");
    EXPECT_TRUE(data.IsRecalcHeld());
    EXPECT_FALSE(data.IsCellChanged(1, 2)) << "nothing worked out yet";
    data.HoldRecalc(FALSE);
    EXPECT_FALSE(data.IsCellChanged(1, 2)) << "the outer hold still holds";
    data.HoldRecalc(FALSE);
    EXPECT_FALSE(data.IsRecalcHeld());
    EXPECT_TRUE(data.IsCellChanged(1, 2));
    EXPECT_EQ(Shown("B1"), "15");
    data.HoldRecalc(FALSE);  // an end without a hold changes nothing
    EXPECT_FALSE(data.IsRecalcHeld());

    // A formula read while held (Replace All reads on after a replaced cell) shows the stores so far.
    data.HoldRecalc(TRUE);
    StoreValue(1, 1, "7");
    EXPECT_EQ(Shown("B1"), "21");
    data.HoldRecalc(FALSE);

    // In manual mode the end of a hold works nothing out either.
    ASSERT_TRUE(sheet.SetManualRecalc(TRUE));
    data.HoldRecalc(TRUE);
    StoreValue(1, 1, "1");
    data.HoldRecalc(FALSE);
    EXPECT_EQ(Shown("B1"), "21");
    sheet.RecalcSheet(TRUE);
    EXPECT_EQ(Shown("B1"), "3");
}

// A read of a formula's value while a command holds the recalculation (Clear, a fill, Replace All read
// the cells they store over) brings up to date what that value depends on and no more, and reports
// nothing of the half-done state; a read of a cell's attributes (its control, the style a store hands
// it) takes the value as it stands. The end of the hold works out the rest and reports an error of the
// state it leaves, also one that a read met first, once.
TEST_F(FormulaSheetTest, AReadUnderAHoldBringsUpToDateWhatItsValueDependsOnAndReportsNothingHalfDone)
{
    CGXData& data = sheet;
    ASSERT_TRUE(Type("A1", "2"));
    ASSERT_TRUE(Type("A2", "3"));
    ASSERT_TRUE(Type("B1", "=A1*10"));
    ASSERT_TRUE(Type("C1", "=B1+1"));
    ASSERT_TRUE(Type("D1", "=A1+A2"));
    ASSERT_TRUE(Type("E1", "=1/(A1-A2)"));
    sheet.RecalcSheet(FALSE);
    ASSERT_EQ(Shown("C1"), "21");
    ASSERT_EQ(Shown("D1"), "5");
    ASSERT_EQ(Shown("E1"), "-1");
    for (ROWCOL nCol = 2; nCol <= 5; ++nCol)
        sheet.MarkCellChanged(1, nCol, FALSE);
    sheet.ArmMessage();

    data.HoldRecalc(TRUE);
    StoreValue(1, 1, "3");
    data.ReadValuesAsTheyStand(TRUE);
    EXPECT_EQ(Shown("C1"), "21") << "as it stands";
    data.ReadValuesAsTheyStand(FALSE);
    EXPECT_EQ(Shown("C1"), "31");
    EXPECT_EQ(Shown("B1"), "30");
    EXPECT_FALSE(data.IsCellChanged(1, 4)) << "D1 is neither read nor worked out yet";
    EXPECT_EQ(Shown("E1"), "Error!") << "the cells as they are half-way";
    StoreValue(2, 1, "5");
    EXPECT_EQ(Shown("E1"), "-0.5");
    data.HoldRecalc(FALSE);
    EXPECT_TRUE(data.IsCellChanged(1, 4));
    EXPECT_EQ(Shown("D1"), "8");
    EXPECT_EQ(Message(), "(armed)") << "nothing of the half-done state";

    data.HoldRecalc(TRUE);
    StoreValue(1, 1, "5");
    EXPECT_EQ(Shown("E1"), "Error!");
    EXPECT_EQ(Message(), "(armed)");
    data.HoldRecalc(FALSE);
    EXPECT_EQ(Message(), "Cell E1: ERROR: divide by zero  ");
    sheet.ArmMessage();
    sheet.RecalcSheet(FALSE);
    EXPECT_EQ(Message(), "(armed)") << "reported once";
}

// A formula stored before the cells it reads (a pasted block of formulas and their inputs) reports no
// error of the cells as they were in between: held, it is evaluated from the cells the command left.
TEST_F(FormulaSheetTest, AFormulaStoredUnderAHoldIsEvaluatedFromTheCellsTheCommandLeaves)
{
    for (const bool bHeld : {false, true}) {
        SCOPED_TRACE(bHeld ? "held" : "not held");
        sheet.DeleteContents();
        ASSERT_TRUE(Type("A2", "'abc"));
        sheet.ArmMessage();
        CGXData& data = sheet;
        if (bHeld)
            data.HoldRecalc(TRUE);
        CGXStyle formula;
        formula.SetValue("=A2*3");
        ASSERT_TRUE(data.StoreStyleRowCol(2, 2, &formula, gxOverride, gxDetectValueType));
        CGXStyle number;
        number.SetValue("4");
        ASSERT_TRUE(data.StoreStyleRowCol(2, 1, &number, gxOverride, gxDetectValueType));
        if (bHeld)
            data.HoldRecalc(FALSE);
        EXPECT_EQ(Shown("B2"), "12");
        EXPECT_EQ(Message(), bHeld ? "(armed)" : "Cell B2: ERROR: non-numeric operand  ");
    }
}

// Rows inserted, removed or moved under a hold move the places stored before them: what follows
// every stored cell is still worked out, wherever the cells went.
TEST_F(FormulaSheetTest, RowsMovedUnderAHoldLeaveNoStoredCellBehind)
{
    ASSERT_TRUE(Type("A5", "1"));
    ASSERT_TRUE(Type("C1", "=A5*10"));
    ASSERT_TRUE(Type("C9", "=A5+A6"));
    CGXData& data = sheet;
    data.HoldRecalc(TRUE);
    CGXStyle typed;
    typed.SetValue("2");
    ASSERT_TRUE(data.StoreStyleRowCol(5, 1, &typed, gxOverride, gxDetectValueType));
    ASSERT_TRUE(data.InsertRows(3, 2));
    ASSERT_TRUE(data.MoveRows(7, 7, 1));
    data.HoldRecalc(FALSE);
    EXPECT_EQ(Edited("A1"), "2");
    EXPECT_EQ(Edited("C2"), "=A1*10");
    EXPECT_EQ(Shown("C2"), "20");
    EXPECT_EQ(Edited("C11"), "=A1+A8");
    EXPECT_EQ(Shown("C11"), "Error!") << "A8 is empty";
}

TEST_F(FormulaSheetTest, ANewFormulaReadsItsInputsUpToDate)
{
    ASSERT_EQ(sheet.GetRecalcMethod(), 0) << "values are computed when they are read";
    ASSERT_TRUE(Type("A1", "2"));
    ASSERT_TRUE(Type("B1", "=A1*3"));
    EXPECT_EQ(Shown("B1"), "6");
    ASSERT_TRUE(Type("A1", "5"));
    sheet.RecalcSheet(FALSE);  // B1 is marked, not read
    ASSERT_TRUE(Type("C1", "=B1+1"));
    EXPECT_EQ(Shown("C1"), "16");
    EXPECT_EQ(Shown("B1"), "15");
}

TEST_F(FormulaSheetTest, TheGridsMoveOfCellsReachesTheEngineAndItsRecordTakesItBack)
{
    ASSERT_TRUE(Type("A1", "5"));
    ASSERT_TRUE(Type("B1", "=A1*3"));
    ASSERT_TRUE(Type("E5", "'was here"));
    ASSERT_TRUE(Type("G1", "=E5"));
    // The operation the grid's direct cut and paste calls, with its undo record.
    CGXData& data = sheet;
    CObject* pRecord = nullptr;
    ASSERT_TRUE(data.MoveCells(CGXRange(1, 1, 1, 2), 5, 4, &pRecord, TRUE));
    ASSERT_NE(dynamic_cast<CGXUndoEngineCellsInfo*>(pRecord), nullptr);
    EXPECT_EQ(Edited("D5"), "5");
    EXPECT_EQ(Edited("E5"), "=D5*3");
    EXPECT_EQ(Shown("E5"), "15");
    EXPECT_EQ(Edited("A1"), "");
    EXPECT_EQ(Edited("B1"), "");
    EXPECT_EQ(Edited("G1"), "=E5") << "a formula over the overwritten cell sees the moved data";
    EXPECT_EQ(Shown("G1"), "15");

    // Undone: the block goes back and what it overwrote returns.
    ASSERT_TRUE(data.MoveCells(CGXRange(5, 4, 5, 5), 1, 1, &pRecord, TRUE));
    EXPECT_EQ(Edited("A1"), "5");
    EXPECT_EQ(Edited("B1"), "=A1*3");
    EXPECT_EQ(Shown("B1"), "15");
    EXPECT_EQ(Edited("D5"), "");
    EXPECT_EQ(Edited("E5"), "'was here");
    EXPECT_EQ(Edited("G1"), "=E5");
    EXPECT_EQ(Shown("G1"), "was here");

    // Redone with the same record.
    ASSERT_TRUE(data.MoveCells(CGXRange(1, 1, 1, 2), 5, 4, &pRecord, TRUE));
    EXPECT_EQ(Edited("E5"), "=D5*3");
    EXPECT_EQ(Shown("G1"), "15");
    delete pRecord;
}

TEST_F(FormulaSheetTest, AnUndoneCopyClearsOnlyWhatThatCopyOverwrote)
{
    ASSERT_TRUE(Type("A1", "1"));
    ASSERT_TRUE(Type("A2", "2"));
    ASSERT_TRUE(Type("D1", "9"));
    sheet.SetUndoRecording(TRUE);
    // Onto an empty cell: nothing there to take back.
    ASSERT_TRUE(sheet.CopyCells(CGXRange(1, 1), 1, 3));
    EXPECT_EQ(sheet.TakeUndoRecord(), nullptr);
    ASSERT_TRUE(sheet.CopyCells(CGXRange(2, 1), 1, 4));
    CObject* pRecord = sheet.TakeUndoRecord();
    ASSERT_NE(pRecord, nullptr);
    ASSERT_TRUE(sheet.ApplyUndoRecord(pRecord, FALSE, FALSE));
    delete pRecord;
    EXPECT_EQ(Edited("D1"), "9");
    EXPECT_EQ(Edited("C1"), "1") << "the earlier copy stays";
}

TEST_F(FormulaSheetTest, UndoRecordsKeepNoEntryOfARemovedNameOrAnEmptiedSheet)
{
    // Every name a record's formulas point at is an entry that is still allocated.
    auto pointsAtLiveEntries = [](const CGXUndoEngineCellsInfo& record) {
        const auto& blocks = GetEngineMemObjState()->m_blocks;
        for (GX_CELL* list : {record.m_pCellsA, record.m_pCellsB})
            for (GX_CELL* cell = list; cell != nullptr; cell = cell->next)
                for (int i = 0; cell->formula != nullptr && i < cell->formula->nodeCount; ++i) {
                    const GX_NODE& node = cell->formula->nodes[i];
                    if ((node.kind == GX_NODE_NAMED_CELL || node.kind == GX_NODE_NAMED_RANGE) && node.name != nullptr
                        && blocks.count(node.name) == 0)
                        return false;
                }
        return true;
    };
    struct
    {
        const char* how;
        bool emptied;
    } const cases[] = {{"name removed", false}, {"sheet emptied", true}};
    for (const auto& c : cases) {
        sheet.DeleteContents();
        ASSERT_TRUE(sheet.DefineRangeName("Base", CGXRange(1, 1), nullptr)) << c.how;
        ASSERT_TRUE(Type("A1", "2"));
        ASSERT_TRUE(Type("A2", "7"));
        ASSERT_TRUE(Type("F1", "=Base*10"));
        sheet.SetUndoRecording(TRUE);
        ASSERT_TRUE(sheet.CopyCells(CGXRange(2, 1), 1, 6));
        sheet.SetUndoRecording(FALSE);
        std::unique_ptr<CObject> pRecord(sheet.TakeUndoRecord());
        auto* pCells = dynamic_cast<CGXUndoEngineCellsInfo*>(pRecord.get());
        ASSERT_NE(pCells, nullptr) << c.how;
        if (c.emptied)
            sheet.DeleteContents();
        else
            ASSERT_TRUE(sheet.RemoveRangeName("Base", nullptr, FALSE)) << c.how;
        ASSERT_TRUE(pointsAtLiveEntries(*pCells)) << c.how;

        // Put back, the formula names the entry the sheet has now.
        ASSERT_TRUE(sheet.DefineRangeName("Base", CGXRange(3, 1), nullptr)) << c.how;
        ASSERT_TRUE(Type("A3", "5"));
        ASSERT_TRUE(sheet.ApplyUndoRecord(pRecord.get(), FALSE, FALSE)) << c.how;
        EXPECT_EQ(Edited("F1"), "=Base*10") << c.how;
        EXPECT_EQ(Shown("F1"), "50") << c.how;
    }
}

TEST_F(FormulaSheetTest, AssignmentFromPlainDataKeepsTheColumnHeaders)
{
    struct
    {
        const char* how;
        bool corner;
        bool rowHeader;
    } const cases[] = {
        {"column headers alone", false, false},
        {"with a corner style", true, false},
        {"with a row header", false, true},
    };
    for (const auto& c : cases) {
        CGXData plain;
        CGXStyle header;
        header.SetValue("Price");
        plain.StoreStyleRowCol(0, 2, &header, gxOverride);
        if (c.corner) {
            CGXStyle corner;
            corner.SetInterior(RGB(1, 2, 3));
            plain.StoreStyleRowCol(0, 0, &corner, gxOverride);
        }
        if (c.rowHeader) {
            CGXStyle row;
            row.SetValue("first");
            plain.StoreStyleRowCol(1, 0, &row, gxOverride);
        }
        CGXStyle value;
        value.SetValue("4");
        plain.StoreStyleRowCol(2, 2, &value, gxOverride);

        CGXFormulaSheet assigned;
        assigned = plain;
        CGXStyle read;
        ASSERT_TRUE(assigned.GetStyleRowCol(0, 2, read, gxCopy)) << c.how;
        EXPECT_EQ(read.GetValue(), "Price") << c.how;
        CString shown;
        assigned.GetValueTextRowCol(2, 2, shown);
        EXPECT_EQ(shown, "4") << c.how;
    }
}

TEST_F(FormulaSheetTest, FormulasComeBackWholeFromAnArchiveOrItIsRefused)
{
    // 700 characters: the sum of 100 cells.
    std::string formula = "=A10000";
    for (int row = 10001; row <= 10099; ++row)
        formula += "+A" + std::to_string(row);
    ASSERT_EQ(formula.size(), 700u);
    for (ROWCOL nRow = 10000; nRow <= 10099; ++nRow)
        ASSERT_TRUE(sheet.StoreNumberRowCol(nRow, 1, 1.0));
    ASSERT_TRUE(Type("B1", formula.c_str()));
    ASSERT_EQ(Shown("B1"), "100");
    const Bytes bytes = StoreToBytes([&](CArchive& ar) { sheet.Serialize(ar); });
    CGXFormulaSheet loaded;
    LoadFromBytes(bytes, [&](CArchive& ar) { loaded.Serialize(ar); });
    CString shown, edited;
    loaded.GetEditTextRowCol(1, 2, edited);
    loaded.GetValueTextRowCol(1, 2, shown);
    EXPECT_EQ(std::string(edited), formula);
    EXPECT_EQ(shown, "100");

    // One the reader cannot parse is kept as text, which cannot hold it whole: refused, not cut.
    std::string withOne = "=ONE(1)";
    for (int row = 10000; row <= 10096; ++row)
        withOne += "+A" + std::to_string(row);
    ASSERT_GT(withOne.size(), 511u);
    Bytes withCall;
    {
        GetEngineState()->SetFunctionTable(new TestFunctionTable);
        CGXFormulaSheet saved;
        const BOOL stored = saved.StoreTypedTextRowCol(1, 2, withOne.c_str());
        withCall = StoreToBytes([&](CArchive& ar) { saved.Serialize(ar); });
        GetEngineState()->SetFunctionTable(nullptr);
        ASSERT_TRUE(stored);
    }
    CGXFormulaSheet refused;
    EXPECT_EQ(ArchiveCauseOf([&] { LoadFromBytes(withCall, [&](CArchive& ar) { refused.Serialize(ar); }); }),
              CArchiveException::badIndex);
}

TEST_F(FormulaSheetTest, ASavedFormulaReadsBackTheSameWhateverSpellingIsSet)
{
    ASSERT_TRUE(Type("A1", "3"));
    const char* const names[] = {"B1", "C1", "D1", "E1"};
    ASSERT_TRUE(Type("B1", "=A1**2"));
    ASSERT_TRUE(Type("C1", "=A1==3"));
    ASSERT_TRUE(Type("D1", "=A1*2//doubled"));
    ASSERT_TRUE(Type("E1", "=A1^1"));
    struct
    {
        BOOL atSave;
        BOOL atLoad;
    } const cases[] = {{TRUE, FALSE}, {FALSE, TRUE}, {TRUE, TRUE}};
    for (const auto& c : cases) {
        Bytes bytes;
        {
            ScopedSpelling spelling(c.atSave, c.atSave, c.atSave, c.atSave);
            bytes = StoreToBytes([&](CArchive& ar) { sheet.Serialize(ar); });
        }
        CGXFormulaSheet loaded;
        {
            ScopedSpelling spelling(c.atLoad, c.atLoad, c.atLoad, c.atLoad);
            LoadFromBytes(bytes, [&](CArchive& ar) { loaded.Serialize(ar); });
        }
        for (const char* name : names) {
            ROWCOL nRow = 0, nCol = 0;
            Cell(name, nRow, nCol);
            CString shown, edited;
            loaded.GetValueTextRowCol(nRow, nCol, shown);
            loaded.GetEditTextRowCol(nRow, nCol, edited);
            EXPECT_EQ(std::string(edited), Edited(name)) << name << " saved " << c.atSave << " loaded " << c.atLoad;
            EXPECT_EQ(std::string(shown), Shown(name)) << name << " saved " << c.atSave << " loaded " << c.atLoad;
        }
    }
}

// Editing a formula and pressing Enter changes nothing, whichever spelling the edit text is in.
TEST_F(FormulaSheetTest, AnEditedFormulaTypedBackKeepsItsValueInEitherSpelling)
{
    ASSERT_TRUE(Type("A1", "3"));
    const Shows cases[] = {
        {"=A1**2", "9"},
        {"=A1^1", "2"},
        {"=A1^1**2", "2"},
        {"=A1==3&&A1!=2", "1"},
        {"=0x10|A1", "19"},
    };
    for (BOOL alt : {FALSE, TRUE}) {
        for (const Shows& c : cases) {
            ASSERT_TRUE(Type("B1", c.typed)) << c.typed;
            ASSERT_EQ(Shown("B1"), c.shown) << c.typed;
            ScopedSpelling spelling(alt, FALSE, FALSE, FALSE);
            const std::string edited = Edited("B1");
            ASSERT_TRUE(Type("B1", edited.c_str())) << edited;
            EXPECT_EQ(Shown("B1"), c.shown) << edited;
            EXPECT_EQ(Edited("B1"), edited);
        }
    }
}
