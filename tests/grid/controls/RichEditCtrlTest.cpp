// The rich-edit cell in a real grid window: values as RTF (plain text wrapped and escaped), typing,
// formatting through styles, drawing inactive cells from RTF, measuring and growing the row,
// keys that leave the cell, the clipboard, find and replace.
#include "grid/controls/RichEditCtrl.h"

#include "grid/core/ControlFactory.h"
#include "grid/core/Range.h"

#include "EditCellTestSupport.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{
// The cell grid with the grid's own geometry, so rows that grow show taller.
class RichTestGrid : public ButtonHookGrid
{
public:
    CRect CalcCellRect(ROWCOL nRow, ROWCOL nCol) override { return CGXGridCore::CalcCellRect(nRow, nCol); }
};

class RichEditCtrlTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(grid.Open());
        grid.GetParam()->m_bGridPastesOwnFormat = FALSE;
        pRich = dynamic_cast<CGXRichEditCtrl*>(grid.GetRegisteredControl(GX_IDS_CTRL_RICHEDIT));
        ASSERT_NE(pRich, nullptr);
        ::SetFocus(grid.m_hWnd);
        PumpMessages();
    }
    void TearDown() override { HoldKeys({}); }

    CGXStyle RichStyle(LPCTSTR pszValue)
    {
        CGXStyle style;
        style.SetControl(GX_IDS_CTRL_RICHEDIT).SetValue(pszValue);
        return style;
    }
    void SetRichCell(ROWCOL nRow, ROWCOL nCol, LPCTSTR pszValue) { grid.SetCell(nRow, nCol, RichStyle(pszValue)); }
    void MakeCurrent(ROWCOL nRow, ROWCOL nCol)
    {
        ASSERT_TRUE(grid.MoveCurrentCell(nRow, nCol));
        PumpMessages();
    }
    CString PlainTextOf(LPCTSTR pszValue)
    {
        CString text;
        EXPECT_TRUE(pRich->GetControlText(text, 1, 1, pszValue, grid.LookupStyleRowCol(1, 1)));
        return text;
    }
    CString StoredStyleValue(ROWCOL nRow, ROWCOL nCol, CGXStyle& stored)
    {
        stored = CGXStyle();
        grid.GetStoredStyleRowCol(nRow, nCol, stored, gxCopy, 0);
        return stored.GetValue();
    }
    void KeyToWindow(UINT nKey)
    {
        ::SendMessageA(pRich->m_hWnd, WM_KEYDOWN, nKey, 1);
        PumpMessages();
    }
    void CharToWindow(UINT nChar)
    {
        ::SendMessageA(pRich->m_hWnd, WM_CHAR, nChar, 1);
        PumpMessages();
    }
    // Pixels of the text colour in a cell drawn into a memory picture.
    int DarkPixelsOfCell(ROWCOL nRow, ROWCOL nCol)
    {
        MemoryCanvas canvas(200, 100);
        const CRect rect(10, 10, 110, 40);
        pRich->Draw(&canvas.dc, rect, nRow, nCol, grid.LookupStyleRowCol(nRow, nCol), nullptr);
        int nDark = 0;
        for (int y = rect.top; y < rect.bottom; ++y)
            for (int x = rect.left; x < rect.right; ++x)
                nDark += (canvas.At(x, y) & 0xFFFFFF) == 0;
        return nDark;
    }

    RichTestGrid grid;
    CGXRichEditCtrl* pRich = nullptr;
};
}  // namespace

TEST_F(RichEditCtrlTest, PlainTextIsStoredAsAnEscapedRtfGroupCutToTheMaximumLength)
{
    struct Case
    {
        const char* pszText;
        UINT nMaxLength;
        const char* pszValue;
        const char* pszShown;
    } cases[] = {
        {"abcdef", 3, "{abc}", "abc"},
        {"abcdef", 0, "{abcdef}", "abcdef"},
        {"a\\par b", 0, "{a\\\\par b}", "a\\par b"},   // a control word typed as text stays text
        {"x{y}", 0, "{x\\{y\\}}", "x{y}"},
        {"ab\\cd", 3, "{ab\\\\}", "ab\\"},             // cut before escaping: no half escape
    };
    ROWCOL nRow = 1;
    for (const Case& c : cases)
    {
        CGXStyle style = RichStyle("");
        if (c.nMaxLength > 0)
            style.SetMaxLength(c.nMaxLength);
        grid.SetCell(nRow, 2, style);
        EXPECT_TRUE(pRich->SetControlText(nRow, 2, c.pszText, GX_INVALIDATE, nullptr)) << c.pszText;
        EXPECT_EQ(grid.Stored(nRow, 2), c.pszValue) << c.pszText;
        EXPECT_EQ(PlainTextOf(grid.Stored(nRow, 2)), c.pszShown) << c.pszText;
        ++nRow;
    }
}

TEST_F(RichEditCtrlTest, TheControlTextOfAValueIsItsPlainText)
{
    struct Case
    {
        const char* pszValue;
        const char* pszText;
    } cases[] = {
        {"{\\rtf1 Hello}", "Hello"},
        {"{\\rtf1\\ansi {\\b Hello} {\\i world}}", "Hello world"},
        {"{plain}", "plain"},
        {"{one\\par two}", "one\rtwo"},
        {"not rtf at all", "not rtf at all"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PlainTextOf(c.pszValue), c.pszText) << c.pszValue;
}

TEST_F(RichEditCtrlTest, ALetterTypedIntoAnInactiveCellIsStoredInBraces)
{
    SetRichCell(1, 1, "{\\rtf1 old}");
    MakeCurrent(1, 1);
    EXPECT_FALSE(pRich->IsActive());
    ::SendMessageA(grid.m_hWnd, WM_CHAR, 'a', 1);
    PumpMessages();
    EXPECT_TRUE(pRich->IsActive());
    EXPECT_TRUE(::IsWindowVisible(pRich->m_hWnd));
    CString text;
    pRich->GetCurrentText(text);
    EXPECT_EQ(text, "a");
    MakeCurrent(1, 2);
    EXPECT_EQ(grid.Stored(1, 1), "{a}");
}

TEST_F(RichEditCtrlTest, TypingGoesOnInTheWindowAndFormattingKeepsTheRtf)
{
    SetRichCell(1, 1, "");
    MakeCurrent(1, 1);
    ::SendMessageA(grid.m_hWnd, WM_CHAR, 'a', 1);
    PumpMessages();
    ASSERT_EQ(::GetFocus(), pRich->m_hWnd);
    CharToWindow('b');
    CharToWindow('{');
    MakeCurrent(1, 2);
    EXPECT_EQ(grid.Stored(1, 1), "{ab\\{}");

    // Formatting of its own in the window is kept as RTF.
    MakeCurrent(1, 1);
    pRich->KeyDown(VK_END, 1, 0);
    PumpMessages();
    ::SendMessageA(pRich->m_hWnd, EM_SETSEL, 0, 1);
    CHARFORMAT cf = {};
    cf.cbSize = sizeof cf;
    cf.dwMask = CFM_ITALIC;
    cf.dwEffects = CFE_ITALIC;
    ::SendMessageA(pRich->m_hWnd, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    pRich->SetModify(TRUE);
    MakeCurrent(1, 2);
    const CString value = grid.Stored(1, 1);
    EXPECT_EQ(value.Left(5), "{\\rtf");
    EXPECT_GE(value.Find("\\i"), 0);
    EXPECT_EQ(PlainTextOf(value), "ab{");
}

TEST_F(RichEditCtrlTest, FontAlignmentAndColourOfAStyleGoIntoTheRtfNotTheStyle)
{
    SetRichCell(2, 1, "{\\rtf1 Hello}");
    CGXStyle bold;
    bold.SetFont(CGXFont().SetBold(TRUE));
    ASSERT_TRUE(grid.SetStyleRange(CGXRange(2, 1), bold, gxOverride));
    CGXStyle stored;
    const CString value = StoredStyleValue(2, 1, stored);
    EXPECT_FALSE(stored.GetIncludeFont());
    EXPECT_GE(value.Find("\\b"), 0) << static_cast<LPCTSTR>(value);
    EXPECT_EQ(PlainTextOf(value), "Hello");

    CGXStyle centred;
    centred.SetHorizontalAlignment(DT_CENTER).SetTextColor(RGB(255, 0, 0)).SetInterior(RGB(0, 255, 0));
    ASSERT_TRUE(grid.SetStyleRange(CGXRange(2, 1), centred, gxOverride));
    const CString centredValue = StoredStyleValue(2, 1, stored);
    EXPECT_FALSE(stored.GetIncludeHorizontalAlignment());
    EXPECT_FALSE(stored.GetIncludeTextColor());
    EXPECT_TRUE(stored.GetIncludeInterior()) << "what is no text format stays in the style";
    EXPECT_GE(centredValue.Find("\\qc"), 0);
    EXPECT_GE(centredValue.Find("\\cf"), 0);
    EXPECT_GE(centredValue.Find("\\b"), 0) << "the earlier bold stays";

    // The formats of the cell read back into a style.
    MakeCurrent(2, 1);
    CGXStyle read;
    EXPECT_TRUE(pRich->GetModifiedValue(read));
    EXPECT_EQ(read.GetHorizontalAlignment(), static_cast<DWORD>(DT_CENTER));
    EXPECT_TRUE(read.GetFont().GetBold());
    EXPECT_EQ(read.GetResolvedTextColor(), RGB(255, 0, 0));
}

TEST_F(RichEditCtrlTest, StylesAndFormatsConvertBothWays)
{
    CGXStyle style;
    CGXFont font;
    font.SetBold(TRUE).SetItalic(TRUE).SetUnderline(FALSE).SetSize(12).SetFaceName("Arial");
    style.SetFont(font).SetHorizontalAlignment(DT_RIGHT).SetTextColor(RGB(0, 0, 255));
    PARAFORMAT2 pf;
    CHARFORMAT cf;
    pRich->StyleToFormats(pf, cf, style);
    EXPECT_EQ(pf.dwMask, static_cast<DWORD>(PFM_ALIGNMENT));
    EXPECT_EQ(pf.wAlignment, PFA_RIGHT);
    EXPECT_EQ(cf.dwMask & (CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_SIZE | CFM_FACE | CFM_COLOR),
              static_cast<DWORD>(CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_SIZE | CFM_FACE | CFM_COLOR));
    EXPECT_EQ(cf.dwEffects & (CFE_BOLD | CFE_ITALIC | CFE_UNDERLINE), static_cast<DWORD>(CFE_BOLD | CFE_ITALIC));
    EXPECT_EQ(cf.yHeight, 240);
    EXPECT_STREQ(cf.szFaceName, "Arial");
    EXPECT_EQ(cf.crTextColor, RGB(0, 0, 255));

    CGXStyle back;
    pRich->FormatsToStyle(pf, cf, back);
    EXPECT_EQ(back.GetHorizontalAlignment(), static_cast<DWORD>(DT_RIGHT));
    EXPECT_TRUE(back.GetFont().GetBold());
    EXPECT_TRUE(back.GetFont().GetItalic());
    EXPECT_TRUE(back.GetFont().GetIncludeUnderline());
    EXPECT_FALSE(back.GetFont().GetUnderline());
    EXPECT_EQ(back.GetFont().GetSize(), 12.0);
    EXPECT_STREQ(back.GetFont().GetFaceName(), "Arial");
    EXPECT_EQ(back.GetResolvedTextColor(), RGB(0, 0, 255));

    const CGXStyle empty;
    pRich->StyleToFormats(pf, cf, empty);
    EXPECT_EQ(pf.dwMask, 0u);
    EXPECT_EQ(cf.dwMask, 0u);
}

TEST_F(RichEditCtrlTest, InactiveCellsAreDrawnFromTheirRtfAndAnEmptyOneShowsNothing)
{
    SetRichCell(3, 1, "{\\rtf1 WWWWW}");
    SetRichCell(3, 2, "");
    EXPECT_GT(DarkPixelsOfCell(3, 1), 20);
    // The helper that drew the first cell still holds its text.
    EXPECT_EQ(DarkPixelsOfCell(3, 2), 0);
    SetRichCell(3, 3, "{\\rtf1 \\ul WWWWW}");
    EXPECT_GT(DarkPixelsOfCell(3, 3), DarkPixelsOfCell(3, 1)) << "the formatting of the RTF shows";
}

TEST_F(RichEditCtrlTest, MeasuringGivesMoreHeightToMoreLines)
{
    SetRichCell(4, 1, "{\\rtf1 one}");
    SetRichCell(4, 2, "{\\rtf1 one\\par two\\par three}");
    CClientDC dc(&grid);
    const CSize one = pRich->CalcSize(&dc, 4, 1, grid.LookupStyleRowCol(4, 1), nullptr, TRUE);
    const CSize three = pRich->CalcSize(&dc, 4, 2, grid.LookupStyleRowCol(4, 2), nullptr, TRUE);
    EXPECT_GT(one.cy, 5);
    EXPECT_GT(three.cy, 2 * one.cy);
    EXPECT_GE(one.cx, pRich->GetBorderSize(4, 1, grid.LookupStyleRowCol(4, 1)).cx);
}

TEST_F(RichEditCtrlTest, WithAutoSizeTheRowGrowsWhileTypingAndShrinksBackNoLowerThanItWas)
{
    CGXStyle style = RichStyle("{x}");
    style.SetAutoSize(TRUE).SetAllowEnter(TRUE);
    grid.SetCell(2, 2, style);
    ASSERT_TRUE(grid.SetRowHeight(2, 2, 30));
    MakeCurrent(2, 2);
    ASSERT_TRUE(pRich->KeyDown(VK_END, 1, 0));
    PumpMessages();
    ASSERT_EQ(::GetFocus(), pRich->m_hWnd);
    EXPECT_EQ(pRich->GetInitialRowHeight(), 30);

    for (int i = 0; i < 4; ++i)
    {
        KeyToWindow(VK_RETURN);
        CharToWindow('\r');
        CharToWindow('y');
    }
    const int nGrown = grid.GetRowHeight(2);
    EXPECT_GT(nGrown, 60);

    for (int i = 0; i < 8; ++i)
    {
        KeyToWindow(VK_BACK);
        CharToWindow(8);
    }
    CString text;
    pRich->GetCurrentText(text);
    EXPECT_EQ(text, "x");
    EXPECT_EQ(grid.GetRowHeight(2), 30) << "back to the height it had when editing began";
}

TEST_F(RichEditCtrlTest, WithoutAutoSizeTheRowKeepsItsHeight)
{
    CGXStyle style = RichStyle("{x}");
    style.SetAllowEnter(TRUE);
    grid.SetCell(2, 3, style);
    MakeCurrent(2, 3);
    pRich->KeyDown(VK_END, 1, 0);
    PumpMessages();
    const int nHeight = grid.GetRowHeight(2);
    for (int i = 0; i < 4; ++i)
    {
        KeyToWindow(VK_RETURN);
        CharToWindow('\r');
    }
    EXPECT_EQ(grid.GetRowHeight(2), nHeight);
}

TEST_F(RichEditCtrlTest, KeysLeaveTheCellOnlyAtTheEdgesOfItsText)
{
    grid.bKeepKeys = TRUE;
    SetRichCell(1, 1, "{abc}");
    MakeCurrent(1, 1);
    pRich->KeyDown(VK_HOME, 1, 0);
    PumpMessages();
    struct Case
    {
        UINT nKey;
        int nStart, nEnd;
        BOOL bToGrid;
    } cases[] = {
        {VK_LEFT, 0, 0, TRUE},  {VK_LEFT, 0, 2, TRUE},   {VK_LEFT, 1, 1, FALSE}, {VK_RIGHT, 3, 3, TRUE},
        {VK_RIGHT, 1, 1, FALSE}, {VK_UP, 1, 1, TRUE},    {VK_DOWN, 1, 1, TRUE},  {VK_TAB, 1, 1, TRUE},
        {VK_RETURN, 1, 1, TRUE}, {VK_ESCAPE, 1, 1, TRUE}, {VK_HOME, 2, 2, FALSE}, {VK_F2, 1, 1, TRUE},
    };
    for (const Case& c : cases)
    {
        grid.keysToGrid.clear();
        ::SendMessageA(pRich->m_hWnd, EM_SETSEL, c.nStart, c.nEnd);
        ::SendMessageA(pRich->m_hWnd, WM_KEYDOWN, c.nKey, 1);
        EXPECT_EQ(grid.keysToGrid.size(), c.bToGrid ? 1u : 0u) << c.nKey << " " << c.nStart << "-" << c.nEnd;
    }
}

TEST_F(RichEditCtrlTest, PastingRtfReplacesAllOfAnInactiveCell)
{
    SetRichCell(3, 1, "{\\rtf1 \\b pasted}");
    SetRichCell(3, 2, "{\\rtf1 old text}");
    MakeCurrent(3, 1);
    ASSERT_FALSE(pRich->IsActive());
    ASSERT_TRUE(pRich->Copy());
    EXPECT_TRUE(::IsClipboardFormatAvailable(::RegisterClipboardFormatA("Rich Text Format")));

    MakeCurrent(3, 2);
    EXPECT_TRUE(pRich->CanPaste());
    EXPECT_TRUE(pRich->Paste());
    EXPECT_TRUE(pRich->IsActive());
    CString text;
    pRich->GetCurrentText(text);
    EXPECT_EQ(text.TrimRight(), "pasted");
    MakeCurrent(1, 1);
    const CString value = grid.Stored(3, 2);
    EXPECT_EQ(PlainTextOf(value).TrimRight(), "pasted");
    EXPECT_GE(value.Find("\\b"), 0) << "the formatting came along";
}

TEST_F(RichEditCtrlTest, FindAndReplaceWorkOnThePlainTextAndRefuseAnEmptySearch)
{
    SetRichCell(4, 1, "{\\rtf1 Hello yellow}");
    EXPECT_FALSE(pRich->ReplaceAllRowCol("", "x", FALSE, 4, 1));
    EXPECT_FALSE(pRich->FindTextRowCol("", FALSE, 4, 1, TRUE, TRUE));
    EXPECT_FALSE(pRich->ReplaceAllRowCol("zz", "x", FALSE, 4, 1));
    EXPECT_EQ(grid.Stored(4, 1), "{\\rtf1 Hello yellow}");
    EXPECT_TRUE(pRich->ReplaceAllRowCol("LLO", "p", FALSE, 4, 1));
    EXPECT_EQ(PlainTextOf(grid.Stored(4, 1)), "Hep yepw");

    MakeCurrent(1, 1);
    EXPECT_TRUE(pRich->FindTextRowCol("yep", FALSE, 4, 1, TRUE, TRUE));
    ROWCOL nRow = 0, nCol = 0;
    grid.GetCurrentCell(nRow, nCol);
    EXPECT_EQ(std::make_pair(nRow, nCol), std::make_pair(ROWCOL(4), ROWCOL(1)));
    EXPECT_TRUE(pRich->IsActive());
    long nStart = 0, nEnd = 0;
    pRich->GetSel(nStart, nEnd);
    EXPECT_EQ(std::make_pair(nStart, nEnd), std::make_pair(4L, 7L));
    EXPECT_FALSE(pRich->FindTextRowCol("Yep", TRUE, 4, 1, FALSE, TRUE)) << "case matters when asked";
}

TEST_F(RichEditCtrlTest, TheFactoryMakesTheCellWithItsEditWindowAndFourHiddenHelpers)
{
    CGXControlFactory factory;
    std::unique_ptr<CGXControl> pControl(factory.CreateControl(GX_IDS_CTRL_RICHEDIT, &grid));
    CGXRichEditCtrl* pMade = dynamic_cast<CGXRichEditCtrl*>(pControl.get());
    ASSERT_NE(pMade, nullptr);
    ASSERT_NE(pMade->m_hWnd, nullptr);
    EXPECT_EQ(::GetParent(pMade->m_hWnd), grid.m_hWnd);
    EXPECT_EQ(::GetDlgCtrlID(pMade->m_hWnd), static_cast<int>(GX_IDS_CTRL_RICHEDIT));
    EXPECT_FALSE(::IsWindowVisible(pMade->m_hWnd));
    int nHelpers = 0;
    for (HWND hChild = ::GetWindow(pMade->m_hWnd, GW_CHILD); hChild != nullptr; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
    {
        ++nHelpers;
        EXPECT_FALSE(::IsWindowVisible(hChild));
    }
    EXPECT_EQ(nHelpers, 4);
    EXPECT_TRUE(pMade->IsKindOf(GRID_CONTROL_CLASSINFO(CGXControl)));
    EXPECT_STREQ(pMade->GetClassInfo()->m_lpszClassName, "CGXRichEditCtrl");
}
