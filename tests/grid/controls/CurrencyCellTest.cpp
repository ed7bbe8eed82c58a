// The currency cell on a real grid: values are stored as plain numbers and shown formatted by the
// cell's attributes, Space flips the sign of an editable cell, the calculator button follows the
// look attribute, and a limited integer part cuts only what is shown.
#include "grid/controls/CurrencyCell.h"

#include "grid/controls/Calculator.h"
#include "grid/core/ControlFactory.h"
#include "grid/core/GridComponents.h"
#include "grid/core/Range.h"

#include "DrawnCellTestGrid.h"
#include "PopupTestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
class CurrencyCellTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(grid.Open()); }

    CGXCurrencyEdit* Currency()
    {
        return dynamic_cast<CGXCurrencyEdit*>(grid.GetRegisteredControl(GX_IDS_CTRL_CURRENCY));
    }
    // A currency cell at (1, 1), current, with the grid holding the focus.
    CGXCurrencyEdit* Cell(LPCTSTR pszValue, CGXStyle style = CGXStyle())
    {
        grid.SetControlCell(1, 1, GX_IDS_CTRL_CURRENCY, pszValue, style);
        grid.MoveCurrentCell(1, 1);
        ::SetFocus(grid.m_hWnd);
        return Currency();
    }
    std::string Shown(LPCTSTR pszValue, CGXStyle style = CGXStyle())
    {
        style.SetControl(GX_IDS_CTRL_CURRENCY);
        CString text;
        Currency()->GetControlText(text, 2, 2, pszValue, style);
        return std::string(text);
    }

    DrawnCellGrid grid;
};
}  // namespace

TEST_F(CurrencyCellTest, TheFactoryMakesTheCellAndRegistersItsAttributes)
{
    ASSERT_NE(Currency(), nullptr);
    CGXStylesMap* pMap = grid.GetParam()->GetStylesMap();
    ASSERT_NE(pMap, nullptr);
    for (WORD nId : {51045, 51046, 51047, 51048, 51049, 51050, 51054})
        EXPECT_NE(pMap->LookupUserAttributeInfo(nId), nullptr) << nId;
    EXPECT_EQ(pMap->LookupUserAttributeInfo(51051), nullptr) << "the string exists but is no attribute";
}

TEST_F(CurrencyCellTest, ValuesAreShownByTheAttributes)
{
    Cell("");
    struct Case
    {
        const char* value;
        WORD attribute;
        const char* setting;
        const char* shown;
    } cases[] = {
        {"1234.5", 0, nullptr, "$1,234.50"},
        {"-0.75", 0, nullptr, "($0.75)"},
        {"", 0, nullptr, ""},
        {"1234.5", GX_IDS_UA_CURRENCYSEPARATORS, "0.", "$1234.50"},      // no grouping
        {"1234.5", GX_IDS_UA_CURRENCYSEPARATORS, ".,", "$1.234,50"},
        {"1234.5", GX_IDS_UA_CURRENCYSEPARATORS, "x", "$1,234.50"},      // another length counts as ",."
        {"1234.5", GX_IDS_UA_CURRENCYSYMBOL, "0", "1,234.50"},           // no symbol
        {"1234.5", GX_IDS_UA_CURRENCYSYMBOL, "EUR ", "EUR 1,234.50"},
        {"-5", GX_IDS_UA_CURRENCYNEGFORMAT, "1", "-$5.00"},
        {"5", GX_IDS_UA_CURRENCYPOSFORMAT, "3", "5.00 $"},
        {"5", GX_IDS_UA_CURRENCYNUMFRACT, "3", "$5.000"},
        {"0.5", GX_IDS_UA_CURRENCYATTRIBUTES, "0111", "$.50"},           // no leading zero
        {"12.5", GX_IDS_UA_CURRENCYATTRIBUTES, "1", "$12.50"},           // one character counts as "11 1"
        {"123456.78", GX_IDS_UA_CURRENCYNUMDIGITS, "4", "$1,234.78"},
    };
    for (const Case& c : cases)
    {
        CGXStyle style;
        if (c.attribute != 0)
            style.SetUserAttribute(c.attribute, c.setting);
        EXPECT_EQ(Shown(c.value, style), c.shown) << c.value << " " << c.attribute << " " << (c.setting ? c.setting : "");
    }
}

TEST_F(CurrencyCellTest, TypedTextIsStoredAsAPlainNumber)
{
    CGXCurrencyEdit* pCurrency = Cell("");
    struct Case
    {
        const char* typed;
        BOOL reads;
        const char* stored;
    } cases[] = {
        {"($1,234.50)", TRUE, "-1234.50"},
        {"", TRUE, ""},
        {"7", TRUE, "7.00"},
        {"(7", FALSE, nullptr},
    };
    for (const Case& c : cases)
    {
        CString text = c.typed;
        EXPECT_EQ(pCurrency->ConvertTextToValue(text, 1, 1, nullptr), c.reads) << c.typed;
        if (c.reads)
        {
            EXPECT_EQ(std::string(text), c.stored) << c.typed;
        }
    }
    // Through the grid: the cell's value after a paste-like store.
    EXPECT_TRUE(pCurrency->SetControlText(1, 1, "($1,234.50)"));
    EXPECT_EQ(std::string(grid.Stored(1, 1)), "-1234.50");
}

TEST_F(CurrencyCellTest, SpaceFlipsTheSignUnlessTheCellIsReadOnly)
{
    for (BOOL bReadOnly : {FALSE, TRUE})
    {
        CGXStyle style;
        style.SetReadOnly(bReadOnly);
        CGXCurrencyEdit* pCurrency = Cell("12.5", style);
        ASSERT_NE(pCurrency, nullptr);
        grid.Key(VK_SPACE);
        grid.UpdateWindow();
        grid.MoveCurrentCell(2, 2);
        EXPECT_EQ(std::string(grid.Stored(1, 1)), bReadOnly ? "12.5" : "-12.50") << bReadOnly;
    }
}

TEST_F(CurrencyCellTest, SpaceInAnActiveCellFlipsTheSignAndTheCellStoresIt)
{
    CGXCurrencyEdit* pCurrency = Cell("12.5");
    grid.Char('3');
    grid.UpdateWindow();
    ASSERT_TRUE(pCurrency->IsActive());
    EXPECT_EQ(std::string(pCurrency->GetText()), "$3.00");
    ::SendMessageA(pCurrency->m_hWnd, WM_KEYDOWN, VK_SPACE, 1);
    EXPECT_EQ(std::string(pCurrency->GetText()), "($3.00)");
    grid.MoveCurrentCell(2, 2);
    EXPECT_EQ(std::string(grid.Stored(1, 1)), "-3.00");
}

TEST_F(CurrencyCellTest, TheCalculatorButtonFollowsTheLookAttributeAndItsResultIsStored)
{
    struct Case
    {
        const char* look;
        BOOL button;
    } cases[] = {{"10 1", TRUE}, {"10 0", FALSE}, {"1", FALSE}};
    for (const Case& c : cases)
    {
        CGXStyle style;
        style.SetUserAttribute(GX_IDS_UA_CURRENCYATTRIBUTES, c.look);
        CGXCurrencyEdit* pCurrency = Cell("2", style);
        ::SendMessageA(grid.m_hWnd, WM_SYSKEYDOWN, VK_DOWN, 0x20000001);
        grid.UpdateWindow();
        PumpPopupMessages();
        ASSERT_TRUE(pCurrency->IsActive()) << c.look;
        EXPECT_EQ(pCurrency->GetBitmapHandle() != nullptr, c.button) << c.look;
        CGXBPopupCalculator* pCalc = FindPopupOfClass<CGXBPopupCalculator>();
        EXPECT_EQ(pCalc != nullptr, c.button) << c.look;
        if (pCalc != nullptr)
        {
            for (char ch : std::string("*21="))
                ::SendMessageA(pCalc->m_hWnd, WM_CHAR, static_cast<BYTE>(ch), 1);
            PumpPopupMessages();
            EXPECT_EQ(std::string(pCurrency->GetText()), "$42.00");
        }
        grid.MoveCurrentCell(2, 2);
        EXPECT_EQ(std::string(grid.Stored(1, 1)), c.button ? "42.00" : "2") << c.look;
    }
}

TEST_F(CurrencyCellTest, ALimitedIntegerPartCutsOnlyWhatIsShown)
{
    CGXStyle style;
    style.SetUserAttribute(GX_IDS_UA_CURRENCYNUMDIGITS, "4");
    CGXCurrencyEdit* pCurrency = Cell("1", style);
    grid.Key(VK_END);
    grid.UpdateWindow();
    ASSERT_TRUE(pCurrency->IsActive());
    pCurrency->SetValue("123456.78");
    EXPECT_EQ(std::string(pCurrency->GetText()), "$1,234.78");
    pCurrency->SetModify(TRUE);
    CString value;
    ASSERT_TRUE(pCurrency->GetValue(value));
    EXPECT_EQ(std::string(value), "123456.78");
    grid.MoveCurrentCell(2, 2);
    EXPECT_EQ(std::string(grid.Stored(1, 1)), "123456.78");
}

TEST_F(CurrencyCellTest, AReplacementLongerThanAKilobyteIsStoredWhole)
{
    CGXStyle style;
    style.SetUserAttribute(GX_IDS_UA_CURRENCYSYMBOL, CString('X', 1100));
    CGXCurrencyEdit* pCurrency = Cell("5", style);
    ASSERT_NE(pCurrency, nullptr);
    grid.Key(VK_HOME);
    grid.UpdateWindow();
    ASSERT_TRUE(pCurrency->IsActive());
    CGXFindReplaceSettings settings;
    settings.strFind = "5";
    settings.strReplace = "7";
    EXPECT_TRUE(pCurrency->ReplaceAll(settings, 1, 1));
    EXPECT_EQ(std::string(grid.Stored(1, 1)), "7.00");
}

// A value that came in as text ("N/A" through SetValueRange, or a text column switched to currency)
// shows as it is stored, between cells that do read, and the editor starts from it: a typed digit
// stores that digit and Space flips no other cell's amount.
TEST_F(CurrencyCellTest, AValueThatDoesNotReadShowsAsStoredAndIsEditedFromItself)
{
    const CRect cell = grid.CalcCellRect(2, 1);
    // The static text "N/A" in the next column, in a cell of the same size.
    auto drawsLikeStaticText = [&]() {
        MemoryCanvas canvas(400, 300);
        grid.DrawGridArea(&canvas.dc);
        const CRect reference = grid.CalcCellRect(2, 2);
        int nDifferent = 0;
        for (int y = 1; y < cell.Height() - 1; ++y)
            for (int x = 1; x < cell.Width() - 1; ++x)
                nDifferent += canvas.At(cell.left + x, cell.top + y) != canvas.At(reference.left + x, reference.top + y);
        return nDifferent == 0;
    };
    struct Case
    {
        const char* what;
        UINT nChar;   // typed into the current cell (row 2) after the cell above was edited
        UINT nKey;
        const char* stored;
    } cases[] = {
        {"a digit", '5', 0, "5.00"},
        {"Space", 0, VK_SPACE, "N/A"},
        {"nothing", 0, 0, "N/A"},
    };
    for (const Case& c : cases)
    {
        grid.SetControlCell(1, 1, GX_IDS_CTRL_CURRENCY, "12.50");
        grid.SetControlCell(2, 1, GX_IDS_CTRL_CURRENCY, nullptr);
        grid.SetValueRange(CGXRange(2, 1), "N/A");
        grid.SetControlCell(3, 1, GX_IDS_CTRL_CURRENCY, "7.25");
        grid.SetControlCell(2, 2, GX_IDS_CTRL_STATIC, "N/A");
        grid.MoveCurrentCell(5, 4);
        EXPECT_TRUE(drawsLikeStaticText()) << c.what;

        CGXCurrencyEdit* pCurrency = Cell("12.50");
        grid.Key(VK_HOME);
        grid.UpdateWindow();
        ASSERT_TRUE(pCurrency->IsActive());
        grid.MoveCurrentCell(2, 1);
        ::SetFocus(grid.m_hWnd);
        if (c.nChar != 0)
            grid.Char(c.nChar);
        if (c.nKey != 0)
            grid.Key(c.nKey);
        grid.UpdateWindow();
        const std::string editor(pCurrency->GetText());
        EXPECT_EQ(editor.find("12"), std::string::npos) << c.what << ": " << editor;
        grid.MoveCurrentCell(5, 4);
        EXPECT_EQ(std::string(grid.Stored(2, 1)), c.stored) << c.what;
    }
    // Sorted by the text as it is stored, whatever the cell's decimal separator.
    CGXStyle decimalComma;
    decimalComma.SetControl(GX_IDS_CTRL_CURRENCY).SetUserAttribute(GX_IDS_UA_CURRENCYSEPARATORS, ".,");
    decimalComma.SetValue("n.a.");
    EXPECT_EQ(std::string(Currency()->GetStyleValue(decimalComma)), "n.a.");
}

// A currency cell covering two columns, its first column scrolled away behind the frozen column:
// the edit window shows only beside the frozen column, which it would hide if laid over the whole
// cell.
TEST_F(CurrencyCellTest, AnActiveCellScrolledPartlyBehindTheFrozenColumnsLeavesThemShowing)
{
    const COLORREF kFrozen = RGB(255, 255, 0);
    CGXStyle right;
    right.SetHorizontalAlignment(DT_RIGHT);
    grid.SetControlCell(2, 2, GX_IDS_CTRL_CURRENCY, "12345678.5", right);
    ASSERT_TRUE(grid.CoverBesideFrozenPane(2, 2, FALSE, kFrozen));
    grid.MoveCurrentCell(2, 2);
    ::SetFocus(grid.m_hWnd);
    grid.Key(VK_END);
    grid.UpdateWindow();
    CGXCurrencyEdit* pCurrency = Currency();
    ASSERT_TRUE(pCurrency->IsActive());
    grid.ScrollHalfBehindFrozenPane(2, 2, FALSE);
    ASSERT_TRUE(pCurrency->IsActive());
    ::UpdateWindow(pCurrency->m_hWnd);
    CRect window;
    pCurrency->GetWindowRect(&window);
    grid.ScreenToClient(&window);
    const CRect shown = grid.CalcCellRect(2, 3);
    EXPECT_EQ(grid.ScreenPixel(CPoint(shown.left - 4, window.CenterPoint().y)), kFrozen);
    EXPECT_GE(window.left, shown.left);
    EXPECT_GT(window.Width(), CellTestGrid::kCellWidth / 2) << "the edit window shows beside it";
}
