// The edit cell: typing, keys that start editing or leave the cell, the clipboard, alignment of
// wide texts, numbers, find and replace, refused stores.
#include "grid/controls/EditControl.h"

#include "framework/win/Clipboard.h"
#include "grid/core/LibraryLinks.h"

#include "CellTestGrid.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace
{
class EditControlTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(grid.Open());
        pEdit = dynamic_cast<CGXEditControl*>(grid.GetRegisteredControl(GX_IDS_CTRL_EDIT));
        ASSERT_NE(pEdit, nullptr);
        grid.GetParam()->m_bGridPastesOwnFormat = FALSE;
    }
    void TearDown() override { SetKeys({}); }

    // Makes the cell current with the control attached, not yet editing.
    void Attach(ROWCOL nRow, ROWCOL nCol)
    {
        grid.SetCurrentCellInfo(TRUE, nRow, nCol);
        pEdit->Init(nRow, nCol);
    }
    // Lays the active editor over its cell as the grid's painting would.
    void Show()
    {
        CClientDC dc(&grid);
        pEdit->Draw(&dc, grid.CalcCellRect(pEdit->m_nRow, pEdit->m_nCol), pEdit->m_nRow, pEdit->m_nCol,
                    pEdit->GetCachedStyle(), nullptr);
    }
    CString WindowText()
    {
        char sz[2048] = {};
        ::GetWindowTextA(pEdit->m_hWnd, sz, sizeof sz);
        return sz;
    }
    void Select(int nStart, int nEnd) { ::SendMessageA(pEdit->m_hWnd, EM_SETSEL, nStart, nEnd); }
    std::pair<int, int> Selection()
    {
        DWORD s = 0, e = 0;
        ::SendMessageA(pEdit->m_hWnd, EM_GETSEL, (WPARAM)&s, (LPARAM)&e);
        return {static_cast<int>(s), static_cast<int>(e)};
    }
    // Holds the listed keys down for this thread's key-state queries.
    static void SetKeys(std::initializer_list<int> keys)
    {
        BYTE state[256] = {};
        for (int key : keys)
            state[key] = 0x80;
        ::SetKeyboardState(state);
    }
    void KeyToWindow(UINT nKey) { ::SendMessageA(pEdit->m_hWnd, WM_KEYDOWN, nKey, 1); }
    void CharToWindow(UINT nChar) { ::SendMessageA(pEdit->m_hWnd, WM_CHAR, nChar, 1); }
    static void PutOnClipboard(const char* pszText)
    {
        CClipboard clipboard(nullptr);
        ASSERT_TRUE(clipboard.IsOpen());
        clipboard.Empty();
        clipboard.SetText(pszText);
    }
    static CString ClipboardText()
    {
        CClipboard clipboard(nullptr);
        CString text;
        clipboard.GetText(text, CF_TEXT);
        return text;
    }

    CellTestGrid grid;
    CGXEditControl* pEdit = nullptr;
};

TEST_F(EditControlTest, TypingIntoACellThatIsNotEditedReplacesItsValueAndStoringKeepsIt)
{
    grid.SetText(1, 1, "old");
    Attach(1, 1);
    EXPECT_FALSE(pEdit->IsActive());
    EXPECT_EQ(WindowText(), "old");

    ASSERT_TRUE(pEdit->DispatchKeyMessage(WM_CHAR, 'n', 1, 0));
    EXPECT_TRUE(pEdit->IsActive());
    Show();
    CharToWindow('e');
    CharToWindow('w');
    EXPECT_EQ(WindowText(), "new");
    EXPECT_TRUE(pEdit->GetModify());
    EXPECT_EQ(grid.Stored(1, 1), "old");

    EXPECT_TRUE(pEdit->Store());
    EXPECT_EQ(grid.Stored(1, 1), "new");
    EXPECT_FALSE(pEdit->IsActive());
}

// Away from its active cell the edit control draws as a static cell: an empty one is its interior alone.
TEST_F(EditControlTest, OnlyTheActiveCellOfAnEmptyColumnDrawsMoreThanItsInterior)
{
    Attach(1, 1);
    pEdit->SetActive(TRUE);
    Show();
    CGXStyle empty;
    grid.BuildEffectiveStyle(2, 1, empty, TRUE);
    CGXStyle text(empty);
    text.SetValue("x");
    EXPECT_TRUE(pEdit->DrawsInteriorOnly(2, 1, empty));
    EXPECT_FALSE(pEdit->DrawsInteriorOnly(2, 1, text));
    EXPECT_FALSE(pEdit->DrawsInteriorOnly(1, 1, empty));
}

TEST_F(EditControlTest, AnUnmodifiedCellStoresNothing)
{
    grid.SetText(1, 1, "keep");
    Attach(1, 1);
    pEdit->SetActive(TRUE);
    EXPECT_TRUE(pEdit->Store());
    EXPECT_EQ(grid.Stored(1, 1), "keep");
}

TEST_F(EditControlTest, HomeAndEndStartEditingAtTheStartOrEndAndDeleteClears)
{
    grid.SetText(2, 2, "abcd");
    Attach(2, 2);
    ASSERT_TRUE(pEdit->KeyDown(VK_END, 1, 0));
    EXPECT_TRUE(pEdit->IsActive());
    EXPECT_EQ(Selection(), std::make_pair(4, 4));

    Attach(2, 2);
    ASSERT_TRUE(pEdit->KeyDown(VK_HOME, 1, 0));
    EXPECT_TRUE(pEdit->IsActive());
    EXPECT_EQ(Selection(), std::make_pair(0, 0));

    Attach(2, 2);
    ASSERT_TRUE(pEdit->KeyDown(VK_DELETE, 1, 0));
    EXPECT_EQ(WindowText(), "");
    EXPECT_TRUE(pEdit->Store());
    EXPECT_EQ(grid.Stored(2, 2), "");
}

TEST_F(EditControlTest, DeleteIsTheGridsWhenItClearsCellsItself)
{
    grid.GetParam()->m_bGridPastesOwnFormat = TRUE;
    grid.SetText(2, 2, "abcd");
    Attach(2, 2);
    EXPECT_FALSE(pEdit->KeyDown(VK_DELETE, 1, 0));
    EXPECT_FALSE(pEdit->IsActive());
}

TEST_F(EditControlTest, LeftAndRightLeaveTheCellOnlyAtItsEdgesWithoutASelection)
{
    grid.bKeepKeys = TRUE;
    grid.SetText(1, 1, "abc");
    Attach(1, 1);
    pEdit->KeyDown(VK_HOME, 1, 0);
    Show();
    struct Case
    {
        UINT nKey;
        int nStart, nEnd;
        BOOL bToGrid;
    } cases[] = {
        {VK_LEFT, 0, 0, TRUE},  {VK_LEFT, 0, 2, FALSE},  {VK_LEFT, 1, 1, FALSE},
        {VK_RIGHT, 3, 3, TRUE}, {VK_RIGHT, 1, 3, FALSE}, {VK_RIGHT, 2, 2, FALSE},
        {VK_UP, 1, 1, TRUE},    {VK_DOWN, 1, 1, TRUE},   {VK_TAB, 1, 1, TRUE},
        {VK_ESCAPE, 1, 1, TRUE}, {VK_HOME, 2, 2, FALSE}, {VK_END, 1, 1, FALSE},
    };
    for (const Case& c : cases)
    {
        grid.keysToGrid.clear();
        Select(c.nStart, c.nEnd);
        KeyToWindow(c.nKey);
        EXPECT_EQ(grid.keysToGrid.size(), c.bToGrid ? 1u : 0u) << c.nKey << " " << c.nStart << "-" << c.nEnd;
    }
}

TEST_F(EditControlTest, UpAndDownMoveBetweenLinesOfAWrappedCellBeforeLeavingIt)
{
    CGXStyle style;
    style.SetValue("one\r\ntwo").SetWrapText(TRUE).SetAllowEnter(TRUE);
    grid.SetCell(3, 1, style);
    grid.bKeepKeys = TRUE;
    Attach(3, 1);
    pEdit->KeyDown(VK_HOME, 1, 0);
    Show();
    ASSERT_EQ(::SendMessageA(pEdit->m_hWnd, EM_GETLINECOUNT, 0, 0), 2);
    struct Case
    {
        UINT nKey;
        int nCaret;
        BOOL bToGrid;
    } cases[] = {{VK_UP, 1, TRUE}, {VK_DOWN, 1, FALSE}, {VK_UP, 6, FALSE}, {VK_DOWN, 6, TRUE}};
    for (const Case& c : cases)
    {
        grid.keysToGrid.clear();
        Select(c.nCaret, c.nCaret);
        KeyToWindow(c.nKey);
        EXPECT_EQ(grid.keysToGrid.size(), c.bToGrid ? 1u : 0u) << c.nKey << " at " << c.nCaret;
    }
}

TEST_F(EditControlTest, CtrlKeysCopyCutAndPasteTheCellsText)
{
    grid.SetText(1, 1, "hello world");
    Attach(1, 1);
    pEdit->KeyDown(VK_HOME, 1, 0);
    Show();

    Select(0, 5);
    SetKeys({VK_CONTROL});
    CharToWindow(3);
    EXPECT_EQ(ClipboardText(), "hello");

    Select(5, 11);
    CharToWindow(0x18);
    EXPECT_EQ(ClipboardText(), " world");
    EXPECT_EQ(WindowText(), "hello");

    PutOnClipboard(" there");
    Select(5, 5);
    CharToWindow(0x16);
    EXPECT_EQ(WindowText(), "hello there");
    SetKeys({});
}

TEST_F(EditControlTest, ShiftInsertPastesAndShiftDeleteCuts)
{
    grid.SetText(1, 1, "abc");
    Attach(1, 1);
    pEdit->KeyDown(VK_END, 1, 0);
    Show();
    PutOnClipboard("XY");
    SetKeys({VK_SHIFT});
    KeyToWindow(VK_INSERT);
    EXPECT_EQ(WindowText(), "abcXY");
    Select(0, 2);
    KeyToWindow(VK_DELETE);
    SetKeys({});
    EXPECT_EQ(WindowText(), "cXY");
    EXPECT_EQ(ClipboardText(), "ab");
}

TEST_F(EditControlTest, ARightAlignedTextWiderThanItsCellIsEditedLeftAligned)
{
    CGXStyle style;
    style.SetValue("1").SetHorizontalAlignment(DT_RIGHT);
    grid.SetCell(1, 1, style);
    Attach(1, 1);
    pEdit->KeyDown(VK_END, 1, 0);
    Show();
    pEdit->UpdateEditStyle();
    EXPECT_EQ(::GetWindowLongA(pEdit->m_hWnd, GWL_STYLE) & (ES_RIGHT | ES_CENTER), ES_RIGHT);

    ::SetWindowTextA(pEdit->m_hWnd, "a text far too wide for a cell of sixty pixels");
    pEdit->UpdateEditStyle();
    EXPECT_EQ(::GetWindowLongA(pEdit->m_hWnd, GWL_STYLE) & (ES_RIGHT | ES_CENTER), 0);

    ::SetWindowTextA(pEdit->m_hWnd, "12");
    pEdit->UpdateEditStyle();
    EXPECT_EQ(::GetWindowLongA(pEdit->m_hWnd, GWL_STYLE) & (ES_RIGHT | ES_CENTER), ES_RIGHT);
    EXPECT_EQ(WindowText(), "12");
}

TEST_F(EditControlTest, ReplaceAllWithoutAHitStoresNothing)
{
    grid.SetText(1, 1, "alpha");
    Attach(1, 1);
    EXPECT_FALSE(pEdit->ReplaceAllRowCol("zz", "y", FALSE, 1, 1));
    EXPECT_FALSE(pEdit->ReplaceAllRowCol("", "y", FALSE, 1, 1));
    EXPECT_EQ(grid.Stored(1, 1), "alpha");
}

TEST_F(EditControlTest, ReplaceAllIgnoringCaseKeepsTheCaseAroundTheHits)
{
    struct Case
    {
        const char* pszText;
        const char* pszFind;
        const char* pszReplace;
        BOOL bCase;
        const char* pszResult;
    } cases[] = {
        {"Hello WORLD and World", "world", "x", FALSE, "Hello x and x"},
        {"aBcABCabc", "b", "-", FALSE, "a-cA-Ca-c"},
        {"aBcABCabc", "b", "-", TRUE, "aBcABCa-c"},
        {"aaaa", "aa", "b", FALSE, "bb"},
    };
    for (const Case& c : cases)
    {
        grid.SetText(1, 2, c.pszText);
        EXPECT_TRUE(pEdit->ReplaceAllRowCol(c.pszFind, c.pszReplace, c.bCase, 1, 2)) << c.pszText;
        EXPECT_EQ(grid.Stored(1, 2), c.pszResult) << c.pszText;
    }
}

TEST_F(EditControlTest, ReplaceAllBuildsResultsOfAnyLength)
{
    grid.SetText(1, 1, CString('a', 900));
    ASSERT_TRUE(pEdit->ReplaceAllRowCol("a", "bcd", FALSE, 1, 1));
    EXPECT_EQ(grid.Stored(1, 1).GetLength(), 2700);
}

// A search for a text, as the find/replace component hands it to a control.
CGXFindReplaceSettings SearchFor(const char* pszFind, BOOL bCase)
{
    CGXFindReplaceSettings settings;
    settings.strFind = pszFind;
    settings.bCase = bCase;
    settings.PrepareSearchText();
    return settings;
}

TEST_F(EditControlTest, FindInTheActiveEditorSelectsTheHit)
{
    grid.SetText(1, 1, "one Two two");
    Attach(1, 1);
    pEdit->KeyDown(VK_HOME, 1, 0);
    EXPECT_TRUE(pEdit->FindText(SearchFor("two", FALSE), 1, 1, TRUE, TRUE));
    EXPECT_EQ(Selection(), std::make_pair(4, 7));
    EXPECT_TRUE(pEdit->FindText(SearchFor("two", FALSE), 1, 1, FALSE, TRUE));
    EXPECT_EQ(Selection(), std::make_pair(8, 11));
    EXPECT_FALSE(pEdit->FindText(SearchFor("two", FALSE), 1, 1, FALSE, TRUE));
    EXPECT_FALSE(pEdit->FindText(SearchFor("", FALSE), 1, 1, TRUE, TRUE));
    Select(0, 0);
    EXPECT_FALSE(pEdit->FindText(SearchFor("TWO", TRUE), 1, 1, TRUE, TRUE));
    EXPECT_TRUE(pEdit->FindText(SearchFor("Two", TRUE), 1, 1, TRUE, TRUE));
    EXPECT_EQ(Selection(), std::make_pair(4, 7));
}

TEST_F(EditControlTest, FindInAnotherCellMakesItCurrentAndSelectsTheHit)
{
    grid.SetText(4, 3, "needle in hay");
    Attach(1, 1);
    EXPECT_TRUE(pEdit->FindTextRowCol("HAY", FALSE, 4, 3, TRUE, TRUE));
    EXPECT_TRUE(grid.IsCurrentCell(4, 3));
    EXPECT_TRUE(pEdit->IsActive());
    EXPECT_EQ(Selection(), std::make_pair(10, 13));
}

// Reads numbers with either separator, as a number-formatting component would.
class CommaNumbers : public CGXAbstractNumberFormattingImp
{
public:
    CString FormatValue(const CGXStyle*, LPCTSTR pszValue, unsigned, int, int) override { return pszValue; }
    BOOL ParseValue(LPCTSTR pszText, double& dValue, unsigned*, unsigned*) override
    {
        std::string text = pszText;
        for (char& c : text)
            if (c == ',')
                c = '.';
        char* pEnd = nullptr;
        dValue = std::strtod(text.c_str(), &pEnd);
        return pEnd != text.c_str() && *pEnd == 0;
    }
};

TEST_F(EditControlTest, ANumberCellEditedWithACommaIsStoredAsANumberWithAPoint)
{
    CommaNumbers numbers;
    GXLibraryLinks& links = GXGetLibraryLinks();
    CGXAbstractNumberFormattingImp* pOldImp = links.pNumberFormattingImp;
    links.pNumberFormattingImp = &numbers;
    const char cOldSeparator = GXGetAppData()->m_cDecimalSeparator;
    GXGetAppData()->m_cDecimalSeparator = ',';

    CGXStyle style;
    style.SetFormat(1);
    grid.SetCell(1, 1, style);
    Attach(1, 1);
    pEdit->DispatchKeyMessage(WM_CHAR, '1', 1, 0);
    Show();
    CharToWindow(',');
    CharToWindow('5');
    EXPECT_EQ(WindowText(), "1,5");
    EXPECT_TRUE(pEdit->Store());

    links.pNumberFormattingImp = pOldImp;
    GXGetAppData()->m_cDecimalSeparator = cOldSeparator;
    CGXStyle stored;
    ASSERT_TRUE(grid.GetStoredStyleRowCol(1, 1, stored, gxCopy, 0));
    EXPECT_EQ(stored.GetValue(), "1.5");
    EXPECT_EQ(stored.GetValueType(), static_cast<unsigned>(GX_VT_NUMERIC));
}

TEST_F(EditControlTest, WithoutANumberComponentEveryValueIsText)
{
    CGXStyle style;
    style.SetFormat(1);
    CString text = "1,5";
    EXPECT_FALSE(pEdit->ParseNumberText(text, style, nullptr));
    EXPECT_EQ(text, "1,5");
}

TEST_F(EditControlTest, ARefusedStoreLeavesTheCurrentCellsEditorAlone)
{
    CGXStyle readOnly;
    readOnly.SetValue("locked").SetReadOnly(TRUE);
    grid.SetCell(2, 2, readOnly);
    grid.SetText(1, 1, "mine");
    Attach(1, 1);
    pEdit->KeyDown(VK_END, 1, 0);

    EXPECT_FALSE(pEdit->SetControlText(2, 2, "new", GX_INVALIDATE, nullptr));
    EXPECT_EQ(grid.Stored(2, 2), "locked");
    EXPECT_EQ(WindowText(), "mine");
    EXPECT_FALSE(pEdit->GetModify());
}

TEST_F(EditControlTest, ARefusedCharacterIsDropped)
{
    CGXStyle style;
    style.SetValue("ab").SetMaxLength(3);
    grid.SetCell(1, 1, style);
    Attach(1, 1);
    pEdit->KeyDown(VK_END, 1, 0);
    Show();
    CharToWindow('c');
    CharToWindow('d');
    EXPECT_EQ(WindowText(), "abc");
}

TEST_F(EditControlTest, TheEditWindowIsAGxeditChildOverTheCellsText)
{
    grid.SetText(2, 3, "x");
    Attach(2, 3);
    pEdit->KeyDown(VK_END, 1, 0);
    Show();
    char szClass[32] = {};
    ::GetClassNameA(pEdit->m_hWnd, szClass, sizeof szClass);
    EXPECT_STREQ(szClass, "GXEDIT");
    EXPECT_EQ(::GetParent(pEdit->m_hWnd), grid.m_hWnd);
    EXPECT_TRUE(::IsWindowVisible(pEdit->m_hWnd));
    CRect rect;
    ::GetWindowRect(pEdit->m_hWnd, &rect);
    ::MapWindowPoints(nullptr, grid.m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_TRUE(grid.CalcCellRect(2, 3).PtInRect(rect.TopLeft()));
    EXPECT_EQ(::SendMessageA(pEdit->m_hWnd, WM_GETDLGCODE, 0, 0) & 0x83, 0x83);

    pEdit->Hide();
    EXPECT_FALSE(::IsWindowVisible(pEdit->m_hWnd));
}
}  // namespace
