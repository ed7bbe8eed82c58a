// The currency edit: its Format writes and reads amounts (sign patterns, grouping, integer digits,
// padding), and the window edits digit by digit so that its text always stays a formatted amount.
#include "grid/controls/CurrencyEdit.h"

#include "grid/controls/Calculator.h"

#include "framework/win/FrameworkIds.h"
#include "framework/win/Menu.h"
#include "grid/core/AppData.h"

#include "PopupTestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
using Format = CGXBCurrencyEdit::Format;

std::string Formatted(const Format& format, double magnitude, BOOL negative)
{
    CString text;
    format.FormatValue(magnitude, text, negative);
    return std::string(text);
}

class CurrencyEditTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        GXStartLibrary();
        ASSERT_TRUE(host.Open());
        ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 210, 34), &host, 9));
    }
    std::string Text() { return std::string(edit.GetText()); }
    void Key(UINT nKey) { ::SendMessageA(edit.m_hWnd, WM_KEYDOWN, nKey, 1); }
    void Type(const char* psz)
    {
        for (; *psz != '\0'; ++psz)
            ::SendMessageA(edit.m_hWnd, WM_CHAR, static_cast<BYTE>(*psz), 1);
    }
    // The caret set without selecting.
    void CaretAt(int nIndex)
    {
        edit.SetSel(-1, 0);
        edit.SetCaretPos(nIndex, FALSE);
    }

    MessageHost host;
    CGXBCurrencyEdit edit;
};
}  // namespace

TEST(CurrencyFormatTest, AmountsAreWrittenByTheFormat)
{
    struct Case
    {
        const char* what;
        void (*setup)(Format&);
        double magnitude;
        BOOL negative;
        const char* text;
    } cases[] = {
        {"default", [](Format&) {}, 1234567.891, FALSE, "$1,234,567.89"},
        {"negative", [](Format&) {}, 1234567.891, TRUE, "($1,234,567.89)"},
        {"negative format 1", [](Format& f) { f.negativeFormat = 1; }, 1234567.891, TRUE, "-$1,234,567.89"},
        {"negative format 15", [](Format& f) { f.negativeFormat = 15; }, 5, TRUE, "(5.00 $)"},
        {"positive format 3", [](Format& f) { f.positiveFormat = 3; }, 5, FALSE, "5.00 $"},
        {"no leading zero", [](Format& f) { f.leadingZero = 0; }, 0.5, FALSE, "$.50"},
        {"leading zero", [](Format&) {}, 0.5, FALSE, "$0.50"},
        {"integer digits 4", [](Format& f) { f.integerDigits = 4; }, 123456.78, FALSE, "$1,234.78"},
        {"pad 0 before grouping",
         [](Format& f) {
             f.integerDigits = 4;
             f.SetPadChar('0');
             f.padBeforeGrouping = 1;
         },
         12.5, FALSE, "$0,012.50"},
        {"pad after grouping",
         [](Format& f) {
             f.integerDigits = 4;
             f.SetPadChar('*');
         },
         12.5, FALSE, "$**12.50"},
        {"no grouping", [](Format& f) { f.thousandSeparator = 0; }, 1234567, FALSE, "$1234567.00"},
        {"group of 2", [](Format& f) { f.grouping = "2;0"; }, 1234567, FALSE, "$1,23,45,67.00"},
        {"three places", [](Format& f) { f.decimalPlaces = 3; }, 1.5, FALSE, "$1.500"},
        {"no places", [](Format& f) { f.decimalPlaces = 0; }, 1234.4, FALSE, "$1,234"},
        {"German separators",
         [](Format& f) {
             f.thousandSeparator = '.';
             f.decimalSeparator = ',';
             f.currencySymbol = "DM";
             f.positiveFormat = 3;
         },
         1234.5, FALSE, "1.234,50 DM"},
    };
    for (const Case& c : cases)
    {
        Format format;
        c.setup(format);
        EXPECT_EQ(Formatted(format, c.magnitude, c.negative), c.text) << c.what;
    }
}

TEST(CurrencyFormatTest, TextsAreReadBackAsAmounts)
{
    struct Case
    {
        const char* text;
        BOOL reads;
        double magnitude;
        BOOL negative;
    } cases[] = {
        {"1,2,3.5", TRUE, 123.5, FALSE}, {"-5", TRUE, 5, TRUE},          {"(5", FALSE, 0, FALSE},
        {"5)", FALSE, 0, FALSE},         {"", TRUE, 0, FALSE},           {"($1,234.50)", TRUE, 1234.5, TRUE},
        {"$12.", TRUE, 12, FALSE},       {"$.", FALSE, 0, FALSE},        {"abc", FALSE, 0, FALSE},
        {"5-", TRUE, 5, TRUE},           {"  $ 7.25 ", TRUE, 7.25, FALSE},
    };
    const Format format;
    for (const Case& c : cases)
    {
        double magnitude = -1;
        BOOL negative = 2;
        EXPECT_EQ(format.Parse(c.text, magnitude, negative), c.reads) << c.text;
        if (c.reads)
        {
            EXPECT_DOUBLE_EQ(magnitude, c.magnitude) << c.text;
            EXPECT_EQ(negative, c.negative) << c.text;
        }
    }
}

TEST(CurrencyFormatTest, ThePadCharacterRefusesDigitsButZeroAndFormatsCompareByValue)
{
    Format format;
    EXPECT_FALSE(format.SetPadChar('5'));
    EXPECT_EQ(format.padChar, ' ');
    EXPECT_TRUE(format.SetPadChar('0'));
    Format other;
    EXPECT_TRUE(format != other);
    other = format;
    EXPECT_TRUE(format == other);
    other.currencySymbol = "EUR";
    EXPECT_FALSE(format == other);
}

TEST(CurrencyFormatTest, TheLocaleFormatOfTheTestRunnerIsEnglishWithUnlimitedIntegerDigits)
{
    const Format format(TRUE);
    EXPECT_EQ(format.integerDigits, -1);
    EXPECT_EQ(Formatted(format, 1234.56, FALSE), "$1,234.56");
}

TEST_F(CurrencyEditTest, TextSetFromOutsideIsParsedAndFormatted)
{
    EXPECT_EQ(Text(), "$0.00");
    EXPECT_TRUE(::SetWindowTextA(edit.m_hWnd, "-1234.5"));
    EXPECT_EQ(Text(), "($1,234.50)");
    double value = 0;
    edit.GetSignedValue(value);
    EXPECT_DOUBLE_EQ(value, -1234.5);
    EXPECT_FALSE(::SetWindowTextA(edit.m_hWnd, "(12"));
    EXPECT_EQ(Text(), "($1,234.50)") << "a text that does not read changes nothing";
}

TEST_F(CurrencyEditTest, BackspaceAndDeleteKeepTheDecimals)
{
    struct Case
    {
        const char* start;
        int caret;
        UINT key;
        const char* text;
        int caretAfter;
    } cases[] = {
        {"1234", 5, VK_BACK, "$124.00", 3},     // behind the 3 of "$1,234.00"
        {"1.25", 5, VK_BACK, "$1.20", 4},       // in the fraction the digit becomes 0
        {"1234", 3, VK_BACK, "$234.00", 1},     // behind the comma: the 1 goes
        {"5", 2, VK_BACK, "$0.00", 2},          // the last digit gone: zero, caret before the point
        {"1234", 1, VK_DELETE, "$234.00", 1},
        {"1.25", 3, VK_DELETE, "$1.05", 4},
    };
    for (const Case& c : cases)
    {
        ::SetWindowTextA(edit.m_hWnd, c.start);
        CaretAt(c.caret);
        Key(c.key);
        EXPECT_EQ(Text(), c.text) << c.start << " " << c.key;
        EXPECT_EQ(edit.GetCaret(), c.caretAfter) << c.start << " " << c.key;
    }
}

TEST_F(CurrencyEditTest, TypingFillsTheIntegerPartAndOverwritesTheFraction)
{
    host.messages.clear();
    edit.SetSel(0, -1);
    Type("12");
    EXPECT_EQ(Text(), "$12.00") << "the first digit replaces the whole amount";
    Type(".5");
    EXPECT_EQ(Text(), "$12.50") << "the separator jumps behind the point, then digits overwrite";
    Type("77");
    EXPECT_EQ(Text(), "$12.57") << "behind the last decimal nothing more goes in";
    Type("-");
    EXPECT_EQ(Text(), "($12.57)");
    double value = 0;
    edit.GetSignedValue(value);
    EXPECT_DOUBLE_EQ(value, -12.57);
    EXPECT_GE(host.Count(WM_COMMAND), 2u);
    EXPECT_EQ(HIWORD(host.messages.back().wParam), EN_CHANGE);
}

TEST_F(CurrencyEditTest, UndoPutsBackTheTextAndASecondUndoRedoes)
{
    ::SetWindowTextA(edit.m_hWnd, "1234");
    CaretAt(5);
    Key(VK_BACK);
    ASSERT_EQ(Text(), "$124.00");
    EXPECT_TRUE(::SendMessageA(edit.m_hWnd, EM_CANUNDO, 0, 0));
    ::SendMessageA(edit.m_hWnd, WM_UNDO, 0, 0);
    EXPECT_EQ(Text(), "$1,234.00");
    ::SendMessageA(edit.m_hWnd, WM_UNDO, 0, 0);
    EXPECT_EQ(Text(), "$124.00");
}

TEST_F(CurrencyEditTest, AReadOnlyWindowRefusesEveryEdit)
{
    ::SetWindowTextA(edit.m_hWnd, "5");
    ::SendMessageA(edit.m_hWnd, EM_SETREADONLY, TRUE, 0);
    edit.SetSel(0, -1);
    Type("9-");
    Key(VK_BACK);
    Key(VK_DELETE);
    EXPECT_EQ(Text(), "$5.00");
}

TEST_F(CurrencyEditTest, TheContextMenuGraysWhatCannotBeDone)
{
    struct Case
    {
        BOOL select;
        BOOL readOnly;
        UINT undo, cut, copy, del, all;
    } cases[] = {
        {FALSE, FALSE, MF_GRAYED, MF_GRAYED, MF_GRAYED, MF_GRAYED, MF_ENABLED},
        {TRUE, FALSE, MF_GRAYED, MF_ENABLED, MF_ENABLED, MF_ENABLED, MF_ENABLED},
        {TRUE, TRUE, MF_GRAYED, MF_GRAYED, MF_ENABLED, MF_GRAYED, MF_ENABLED},
    };
    for (const Case& c : cases)
    {
        ::SendMessageA(edit.m_hWnd, EM_SETREADONLY, c.readOnly, 0);
        edit.SetSel(c.select ? 0 : -1, c.select ? -1 : 0);
        CMenu* pMenu = edit.BuildContextMenu();
        auto state = [&](UINT nId) { return pMenu->GetMenuState(nId, MF_BYCOMMAND) & MF_GRAYED; };
        EXPECT_EQ(pMenu->GetMenuItemCount(), 8);
        EXPECT_EQ(state(ID_EDIT_UNDO), c.undo);
        EXPECT_EQ(state(ID_EDIT_CUT), c.cut);
        EXPECT_EQ(state(ID_EDIT_COPY), c.copy);
        EXPECT_EQ(state(ID_EDIT_CLEAR), c.del);
        EXPECT_EQ(state(ID_EDIT_SELECT_ALL), c.all);
        char label[64] = {};
        pMenu->GetMenuString(ID_EDIT_CUT, label, sizeof label, MF_BYCOMMAND);
        EXPECT_EQ(std::string(label), "Cu&t\tCtrl+X");
        edit.DestroyContextMenu(pMenu);
    }
    ::SendMessageA(edit.m_hWnd, EM_SETREADONLY, FALSE, 0);
    ::SetWindowTextA(edit.m_hWnd, "7");
    CMenu* pMenu = edit.BuildContextMenu();
    EXPECT_EQ(pMenu->GetMenuState(ID_EDIT_UNDO, MF_BYCOMMAND) & MF_GRAYED, 0u) << "a change can be undone";
    edit.DestroyContextMenu(pMenu);
}

TEST_F(CurrencyEditTest, TheCalculatorOpensFromTheButtonAndItsResultIsLeftToTheCell)
{
    ::SetWindowTextA(edit.m_hWnd, "-12");
    edit.SetBitmap(20036u);
    ASSERT_NE(edit.GetBitmapHandle(), nullptr);
    Key(VK_F2);
    CGXBPopupCalculator* pCalc = FindPopupOfClass<CGXBPopupCalculator>();
    ASSERT_NE(pCalc, nullptr);
    EXPECT_EQ(pCalc->GetOwnerWnd(), edit.m_hWnd);
    EXPECT_EQ(std::string(pCalc->GetDisplayText()), "-12.") << "the calculator starts from the signed value";
    const HWND hCalc = pCalc->m_hWnd;
    ::SendMessageA(hCalc, WM_CHAR, '=', 1);
    PumpPopupMessages();
    EXPECT_FALSE(::IsWindow(hCalc));
    EXPECT_EQ(Text(), "($12.00)") << "the bare window ignores the result";
}
