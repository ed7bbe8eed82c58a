// The calculator: operators chain without precedence, percent takes a share of the accumulator,
// division by zero locks the display until C or CE, the display's digits, and the pop-up handing
// its result to its owner.
#include "grid/controls/Calculator.h"

#include "framework/win/SeamRecorders.h"
#include "framework/win/Seams.h"
#include "grid/core/AppData.h"

#include "PopupTestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
class CalculatorTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        GXStartLibrary();
        ASSERT_TRUE(host.Open());
        ASSERT_TRUE(calc.Create(0, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), &host, 5));
        pOldBeep = AfxSetBeepSeam(&beeps);
    }
    void TearDown() override { AfxSetBeepSeam(pOldBeep); }

    // Types the keys as characters: digits, operators, the separator, "c", "e", "=".
    void Type(const std::string& keys)
    {
        for (char ch : keys)
            ::SendMessageA(calc.m_hWnd, WM_CHAR, static_cast<BYTE>(ch), 1);
    }
    std::string Display() { return std::string(calc.GetDisplayText()); }

    MessageHost host;
    CGXBCalculator calc;
    CRecordingBeep beeps;
    CBeepSeam* pOldBeep = nullptr;
};
}  // namespace

TEST_F(CalculatorTest, KeysWorkTheCalculatorFromLeftToRight)
{
    struct Case
    {
        const char* keys;
        const char* display;
    } cases[] = {
        {"2+3*4=", "20."},   // no precedence
        {"200*5%", "10."},   // percent of the accumulator under multiply
        {"200/5%", "10."},
        {"7+5%", "0."},      // percent under add is nothing
        {"12.500=", "12.5"},
        {"12=", "12."},
        {"10-15=", "-5."},
        {"1.5*2=", "3."},
        {"9/4=", "2.25"},
        {"0", "0."},         // a zero on an empty display adds nothing
        {".", "0."},
        {"5.", "5."},
        {"12\b", "1."},      // backspace takes the last digit
        {"12+3e4=", "16."},  // CE clears only the entry
    };
    for (const Case& c : cases)
    {
        Type("c");
        Type(c.keys);
        EXPECT_EQ(Display(), c.display) << c.keys;
    }
    Type("c0");
    EXPECT_TRUE(calc.GetRawText().IsEmpty());
    Type("c.");
    EXPECT_EQ(std::string(calc.GetRawText()), "0.");
}

TEST_F(CalculatorTest, DivisionByZeroLocksTheDisplayUntilClear)
{
    for (const char* leave : {"c", "e"})
    {
        Type("c1/0=");
        EXPECT_TRUE(calc.IsError());
        EXPECT_EQ(Display(), "Error ");
        beeps.beeps.clear();
        Type("5+=.");
        EXPECT_EQ(beeps.beeps.size(), 4u) << "every key but C and CE beeps";
        EXPECT_EQ(Display(), "Error ");
        Type(leave);
        EXPECT_FALSE(calc.IsError()) << leave;
        Type("2+2=");
        EXPECT_EQ(Display(), "4.");
    }
}

TEST_F(CalculatorTest, TheDisplayTakesNoMoreDigitsThanItHolds)
{
    const int nLimit = std::min(calc.GetDigitCapacity(), 15);
    ASSERT_GT(nLimit, 3);
    Type("c");
    beeps.beeps.clear();
    Type(std::string(static_cast<size_t>(nLimit), '9'));
    EXPECT_TRUE(beeps.beeps.empty());
    Type("9");
    EXPECT_EQ(beeps.beeps.size(), 1u);
    EXPECT_EQ(calc.GetRawText().GetLength(), nLimit);
}

TEST_F(CalculatorTest, TheButtonsAreLaidOutInSixRowsUnderTheDisplay)
{
    const CGXBCalcBtn* pClear = calc.FindButton(CGXBCalculator::opClear);
    const CGXBCalcBtn* pZero = calc.FindButton(CGXBCalculator::opDigit0);
    const CGXBCalcBtn* pEquals = calc.FindButton(CGXBCalculator::opEquals);
    const CGXBCalcBtn* pPercent = calc.FindButton(CGXBCalculator::opPercent);
    ASSERT_TRUE(pClear && pZero && pEquals && pPercent);
    EXPECT_EQ(pClear->m_rect.left, 4);
    EXPECT_EQ(pClear->m_rect.top, calc.GetDisplayRect().bottom + 1);
    EXPECT_EQ(pZero->m_rect.Width(), 2 * pClear->m_rect.Width());
    EXPECT_EQ(pEquals->m_rect.Width(), 4 * pClear->m_rect.Width());
    EXPECT_EQ(pEquals->m_rect.top, pClear->m_rect.top + 5 * (pClear->m_rect.Height() + 1));
    EXPECT_EQ(calc.GetDisplayRect().right, pPercent->m_rect.right) << "the display is as wide as a row";
    EXPECT_EQ(pEquals->m_strKeys, "=");
    EXPECT_EQ(pEquals->m_nVirtKey, static_cast<UINT>(VK_RETURN));
}

TEST_F(CalculatorTest, TheMouseExecutesAButtonReleasedOverIt)
{
    Type("c");
    const CGXBCalcBtn* pSeven = calc.FindButton(16);
    const CPoint on = pSeven->m_rect.CenterPoint();
    const CPoint off = calc.FindButton(CGXBCalculator::opClear)->m_rect.CenterPoint();
    ::SendMessageA(calc.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(on.x, on.y));
    ::SendMessageA(calc.m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(off.x, off.y));
    EXPECT_EQ(pSeven->m_nState & CGXBCalcBtn::statePressed, 0u);
    ::SendMessageA(calc.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(off.x, off.y));
    EXPECT_EQ(Display(), "0.") << "released elsewhere: nothing";
    ::SendMessageA(calc.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(on.x, on.y));
    ::SendMessageA(calc.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(on.x, on.y));
    EXPECT_EQ(Display(), "7.");
}

TEST(PopupCalculatorTest, EqualsSendsTheResultToTheOwnerAndCloses)
{
    GXStartLibrary();
    MessageHost owner;
    ASSERT_TRUE(owner.Open());
    CGXBPopupCalculator* pCalc = new CGXBPopupCalculator;
    pCalc->SetDeleteOnDestroy(TRUE);
    pCalc->SetValue(2.0);
    ASSERT_TRUE(pCalc->Create(WS_POPUP | WS_VISIBLE | GXBCS_SENDONEQUALS, CRect(100, 100, 200, 120), &owner));
    pCalc->SetOwnerWnd(owner.m_hWnd);
    const HWND hCalc = pCalc->m_hWnd;
    RECT rect;
    ::GetWindowRect(hCalc, &rect);
    EXPECT_EQ(rect.left, 100);
    EXPECT_EQ(rect.top, 120) << "below the owner rectangle";
    EXPECT_EQ(std::string(pCalc->GetDisplayText()), "2.");
    for (char ch : std::string("+3*4"))
        ::SendMessageA(hCalc, WM_CHAR, static_cast<BYTE>(ch), 1);
    ::SendMessageA(hCalc, WM_KEYDOWN, VK_RETURN, 1);
    PumpPopupMessages();
    ASSERT_EQ(owner.Count(GXBM_CALCULATOR_RESULT), 1u);
    EXPECT_EQ(owner.messages.back().text, "20.");
    EXPECT_FALSE(::IsWindow(hCalc)) << "the pop-up closed and deleted itself";
}

TEST(PopupCalculatorTest, EscapeClosesWithoutAResultAndAnErrorSendsNone)
{
    GXStartLibrary();
    MessageHost owner;
    ASSERT_TRUE(owner.Open());
    for (UINT nKey : {static_cast<UINT>(VK_ESCAPE), static_cast<UINT>(VK_RETURN)})
    {
        CGXBPopupCalculator* pCalc = new CGXBPopupCalculator;
        pCalc->SetDeleteOnDestroy(TRUE);
        ASSERT_TRUE(pCalc->Create(WS_POPUP | WS_VISIBLE | GXBCS_SENDONEQUALS, CRect(100, 100, 200, 120), &owner));
        pCalc->SetOwnerWnd(owner.m_hWnd);
        const HWND hCalc = pCalc->m_hWnd;
        for (char ch : std::string("1/0"))
            ::SendMessageA(hCalc, WM_CHAR, static_cast<BYTE>(ch), 1);
        ::SendMessageA(hCalc, WM_KEYDOWN, nKey, 1);
        PumpPopupMessages();
        EXPECT_EQ(owner.Count(GXBM_CALCULATOR_RESULT), 0u) << nKey;
        EXPECT_FALSE(::IsWindow(hCalc));
    }
}
