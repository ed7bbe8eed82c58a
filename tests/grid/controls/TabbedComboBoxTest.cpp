// The grid-drawn multi-column combo cell on a real grid: the key column is stored and the text
// column shown and completed; the list lays out its columns from measured or given widths, sorts,
// shows titles in a header directly above it, and cells of one unique choice-list id share one list
// and its lookup tables until a style change resets the id.
#include "grid/controls/TabbedComboBox.h"

#include "grid/controls/GridCombo.h"
#include "grid/core/GridParam.h"

#include "DrawnCellTestGrid.h"

#include <psapi.h>

#include <gtest/gtest.h>

#include <vector>

namespace
{
const char kFruit[] = "1\tApples\n2\tPears";

class TabbedComboBoxTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(grid.Open()); }
    void TearDown() override { PumpMessages(); }

    CGXTabbedComboBox* Combo()
    {
        return dynamic_cast<CGXTabbedComboBox*>(grid.GetRegisteredControl(GX_IDS_CTRL_TABBED_COMBOBOX));
    }
    // A style of key column 0 and text column 1 over the choices.
    static CGXStyle Columns(LPCTSTR pszChoices = kFruit)
    {
        CGXStyle style;
        style.SetChoiceList(pszChoices);
        style.SetUserAttribute(GX_IDS_UA_TABLIST_KEYCOL, "0");
        style.SetUserAttribute(GX_IDS_UA_TABLIST_TEXTCOL, "1");
        return style;
    }
    // The tabbed cell at (nRow, 1), current, with the grid holding the focus.
    CGXTabbedComboBox* Cell(LPCTSTR pszValue, const CGXStyle& style = Columns(), ROWCOL nRow = 1)
    {
        grid.SetControlCell(nRow, 1, GX_IDS_CTRL_TABBED_COMBOBOX, pszValue, style);
        grid.MoveCurrentCell(nRow, 1);
        ::SetFocus(grid.m_hWnd);
        return Combo();
    }
    void AltDown()
    {
        ::SendMessageA(grid.m_hWnd, WM_SYSKEYDOWN, VK_DOWN, 0x20000001);
        grid.UpdateWindow();
    }
    static void ListKey(CGXComboBox* pCombo, UINT nKey)
    {
        ASSERT_NE(pCombo->GetListBox(), nullptr);
        const HWND hList = pCombo->GetListBox()->GetSafeHwnd();
        ::SendMessageA(hList, WM_KEYDOWN, nKey, 1);
        ::SendMessageA(hList, WM_KEYUP, nKey, 0xC0000001);
    }
    static CString EditText(CGXTabbedComboBox* pCombo)
    {
        CString text;
        pCombo->GetCurrentText(text);
        return text;
    }
    static std::vector<CString> Items(CListBox* pList)
    {
        std::vector<CString> items;
        for (int i = 0; i < pList->GetCount(); ++i)
        {
            CString item;
            pList->GetText(i, item);
            items.push_back(item);
        }
        return items;
    }
    static CRect ScreenRect(CWnd* pWnd)
    {
        CRect rect;
        pWnd->GetWindowRect(&rect);
        return rect;
    }
    CString StoredAfterLeaving(ROWCOL nRow = 1)
    {
        grid.MoveCurrentCell(5, 3);
        PumpMessages();
        return grid.Stored(nRow, 1);
    }

    DrawnCellGrid grid;
};
}  // namespace

TEST_F(TabbedComboBoxTest, TheCellShowsTheTextFieldOfTheValuesLine)
{
    CGXTabbedComboBox* pCombo = Cell("");
    ASSERT_NE(pCombo, nullptr);
    const struct
    {
        const char* pszChoices;
        const char* pszKeyCol;
        const char* pszTextCol;
        const char* pszTitles;
        const char* pszUniqueId;
        const char* pszValue;
        BOOL bFound;
        const char* pszShown;
    } cases[] = {
        {kFruit, "0", "1", "0", "0", "2", TRUE, "Pears"},
        {kFruit, "0", "1", "0", "0", "1", TRUE, "Apples"},
        {kFruit, "0", "1", "0", "0", "3", FALSE, ""},
        {kFruit, "1", "0", "0", "0", "Pears", TRUE, "2"},
        {kFruit, "0", "0", "0", "0", "2", TRUE, "2"},
        // A field is compared whole and with its case.
        {kFruit, "1", "0", "0", "0", "pears", FALSE, ""},
        {kFruit, "1", "0", "0", "0", "Pear", FALSE, ""},
        // The title line is never a choice.
        {"Id\tName\n1\tApples", "0", "1", "1", "0", "Id", FALSE, ""},
        {"Id\tName\n1\tApples", "0", "1", "1", "0", "1", TRUE, "Apples"},
        // The same through the lookup tables of a unique id.
        {"Id\tName\n1\tApples", "0", "1", "1", "7", "1", TRUE, "Apples"},
        {"Id\tName\n1\tApples", "0", "1", "1", "7", "Id", FALSE, ""},
        // A later line of the same key replaces an earlier one in the tables...
        {"1\tOne\n1\tUno", "0", "1", "0", "8", "1", TRUE, "Uno"},
        // ...while the line-by-line search finds the first.
        {"1\tOne\n1\tUno", "0", "1", "0", "0", "1", TRUE, "One"},
    };
    for (const auto& c : cases)
    {
        CGXStyle style;
        style.SetChoiceList(c.pszChoices);
        style.SetUserAttribute(GX_IDS_UA_TABLIST_KEYCOL, c.pszKeyCol);
        style.SetUserAttribute(GX_IDS_UA_TABLIST_TEXTCOL, c.pszTextCol);
        style.SetUserAttribute(GX_IDS_UA_TABLIST_TITLES, c.pszTitles);
        style.SetUserAttribute(GX_IDS_UA_TABLIST_UNIQUEID, c.pszUniqueId);
        style.SetValue(c.pszValue);
        CString shown = "untouched";
        EXPECT_EQ(pCombo->GetControlText(shown, 1, 1, nullptr, style), c.bFound) << c.pszValue;
        EXPECT_EQ(shown, c.pszShown) << c.pszChoices << " value " << c.pszValue;
    }
}

TEST_F(TabbedComboBoxTest, TypingCompletesFromTheTextColumnAndStoresTheKey)
{
    CGXTabbedComboBox* pCombo = Cell("");
    grid.Char('p');
    grid.UpdateWindow();
    ASSERT_TRUE(pCombo->IsActive());
    EXPECT_EQ(EditText(pCombo), "Pears");
    DWORD nStart = 0, nEnd = 0;
    ::SendMessageA(pCombo->m_hWnd, EM_GETSEL, reinterpret_cast<WPARAM>(&nStart), reinterpret_cast<LPARAM>(&nEnd));
    EXPECT_EQ(nStart, 1u) << "the completion is selected";
    EXPECT_EQ(nEnd, 5u);
    EXPECT_EQ(StoredAfterLeaving(), "2");

    // The next character replaces the completion; a character that leaves no line is refused.
    pCombo = Cell("");
    grid.Char('a');
    ::SendMessageA(pCombo->m_hWnd, WM_CHAR, 'P', 1);
    EXPECT_EQ(EditText(pCombo), "Apples") << "completed again to the field as the list has it";
    ::SendMessageA(pCombo->m_hWnd, EM_GETSEL, reinterpret_cast<WPARAM>(&nStart), reinterpret_cast<LPARAM>(&nEnd));
    EXPECT_EQ(nStart, 2u);
    EXPECT_EQ(nEnd, 6u);
    ::SendMessageA(pCombo->m_hWnd, WM_CHAR, 'x', 1);
    EXPECT_EQ(EditText(pCombo), "Apples");
    EXPECT_EQ(StoredAfterLeaving(), "1");
}

TEST_F(TabbedComboBoxTest, ATextOfNoLineFailsValidationAndKeepsTheCell)
{
    // Without completion a prefix of a text stays as typed: it is no text of a line.
    CGXTabbedComboBox* pCombo = Cell("1");
    pCombo->m_bAutoComplete = FALSE;
    grid.Char('p');
    ::SendMessageA(pCombo->m_hWnd, WM_CHAR, 'e', 1);
    EXPECT_EQ(EditText(pCombo), "pe");
    EXPECT_FALSE(pCombo->OnValidate());
    grid.MoveCurrentCell(5, 3);
    ROWCOL nRow = 0, nCol = 0;
    grid.GetCurrentCell(nRow, nCol);
    EXPECT_EQ(nRow, 1u) << "the cell is not left";
    EXPECT_EQ(grid.Stored(1, 1), "1");
    // Clearing the text is a valid empty value.
    ::SetWindowTextA(pCombo->m_hWnd, "");
    pCombo->SetModify(TRUE);
    EXPECT_EQ(StoredAfterLeaving(), "");
}

TEST_F(TabbedComboBoxTest, AChoiceTakenFromTheListIsStoredAsItsKey)
{
    CGXStyle style = Columns("Id\tName\n10\tApples\n20\tPears\n30\tPlums");
    style.SetUserAttribute(GX_IDS_UA_TABLIST_TITLES, "1");
    CGXTabbedComboBox* pCombo = Cell("10", style);
    AltDown();
    ASSERT_NE(pCombo->GetListBox(), nullptr);
    const std::vector<CString> items = Items(pCombo->GetListBox());
    ASSERT_EQ(items.size(), 3u) << "the title line is no item";
    EXPECT_EQ(items[0], "Apples\t10\tApples") << "the text field leads every item";
    EXPECT_EQ(pCombo->GetListBox()->GetCurSel(), 0);
    ListKey(pCombo, VK_DOWN);
    ListKey(pCombo, VK_DOWN);
    ListKey(pCombo, VK_RETURN);
    EXPECT_EQ(EditText(pCombo), "Plums");
    EXPECT_EQ(StoredAfterLeaving(), "30");
}

TEST_F(TabbedComboBoxTest, TheTitlesShowDirectlyAboveTheListBelowTheCell)
{
    CGXStyle style = Columns("Id\tName\n1\tApples\n2\tPears");
    style.SetUserAttribute(GX_IDS_UA_TABLIST_TITLES, "1");
    CGXTabbedComboBox* pCombo = Cell("1", style);
    AltDown();
    ASSERT_NE(pCombo->GetDropDownWnd(), nullptr);
    CGXTabbedLBoxHeader* pHeader = pCombo->GetHeader();
    ASSERT_NE(pHeader->GetSafeHwnd(), nullptr);
    EXPECT_TRUE(::IsWindowVisible(pHeader->GetSafeHwnd()));
    EXPECT_EQ(pHeader->m_strTitle, "Name\tId\tName");
    const CRect header = ScreenRect(pHeader);
    const CRect list = ScreenRect(pCombo->GetDropDownWnd());
    CRect cell = grid.CalcCellRect(1, 1);
    grid.ClientToScreen(&cell);
    EXPECT_EQ(header.bottom, list.top);
    EXPECT_EQ(header.left, list.left);
    EXPECT_EQ(header.Width(), list.Width());
    EXPECT_GE(header.top, cell.bottom - 2) << "the header opens the list below the cell";
    EXPECT_LE(header.top, cell.bottom + 1);
    EXPECT_GT(header.Height(), 4);
    // The header never takes the activation from the list.
    EXPECT_EQ(::GetFocus(), pCombo->GetListBox()->GetSafeHwnd());
    ListKey(pCombo, VK_ESCAPE);
    EXPECT_FALSE(::IsWindowVisible(pHeader->GetSafeHwnd())) << "closing hides the header";
    EXPECT_FALSE(::IsWindowVisible(pCombo->GetKeptListBox()->GetSafeHwnd()));
}

TEST_F(TabbedComboBoxTest, NearTheBottomOfTheScreenTheTitlesSitAboveTheListOverTheCell)
{
    const int nScreenHeight = ::GetSystemMetrics(SM_CYSCREEN);
    ::SetWindowPos(grid.m_hWnd, nullptr, 10, nScreenHeight - 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    CGXStyle style = Columns("Id\tName\n1\tApples\n2\tPears");
    style.SetUserAttribute(GX_IDS_UA_TABLIST_TITLES, "1");
    CGXTabbedComboBox* pCombo = Cell("1", style);
    AltDown();
    ASSERT_NE(pCombo->GetDropDownWnd(), nullptr);
    const CRect header = ScreenRect(pCombo->GetHeader());
    const CRect list = ScreenRect(pCombo->GetDropDownWnd());
    CRect cell = grid.CalcCellRect(1, 1);
    grid.ClientToScreen(&cell);
    EXPECT_LE(list.bottom, cell.top + 1) << "the list opens above the cell";
    EXPECT_EQ(header.bottom, list.top) << "with its titles directly above it";
    ListKey(pCombo, VK_ESCAPE);
}

TEST_F(TabbedComboBoxTest, ColumnWidthsComeFromTheWidthsTextOrTheMeasuredFields)
{
    const int measured[10] = {20, 30, 40, -1, -1, -1, -1, -1, -1, -1};
    const struct
    {
        const char* pszWidths;
        BOOL bShowAll;
        int nTextCol;
        int nColumns;
        int widths[3];
    } cases[] = {
        {"", TRUE, 0, 3, {24, 34, 44}},
        {"50,0,80", TRUE, 0, 3, {50, 0, 80}},
        {"50; 0 ;80", TRUE, 0, 3, {50, 0, 80}},
        // Given widths run out: the rest are measured.
        {"50", TRUE, 0, 3, {50, 34, 44}},
        // A text that does not start with a digit gives no widths at all.
        {",50", TRUE, 0, 3, {24, 34, 44}},
        // Only the text column is shown...
        {"", FALSE, 1, 3, {0, 34, 0}},
        // ...unless widths are given.
        {"10,20,30", FALSE, 1, 3, {10, 20, 30}},
        {"5,x", FALSE, 2, 3, {5, 0, 44}},
    };
    for (const auto& c : cases)
    {
        int widths[10] = {};
        EXPECT_EQ(GXTabbedColumnWidths(measured, c.pszWidths, c.bShowAll, c.nTextCol, widths), c.nColumns)
            << c.pszWidths;
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(widths[i], c.widths[i]) << "\"" << c.pszWidths << "\" column " << i;
    }
    const int none[10] = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    int widths[10] = {};
    EXPECT_EQ(GXTabbedColumnWidths(none, "50", TRUE, 0, widths), 0);
}

TEST_F(TabbedComboBoxTest, TheListIsAsWideAsItsColumnsAndAScrollBar)
{
    CGXStyle style = Columns("1\tApples\tred\n2\tPears\tgreen");
    style.SetUserAttribute(GX_IDS_UA_TABLIST_COLWIDTHS, "50,0,80");
    CGXTabbedComboBox* pCombo = Cell("1", style);
    AltDown();
    ASSERT_NE(pCombo->GetDropDownWnd(), nullptr);
    ASSERT_EQ(pCombo->GetTabStopCount(), 2);
    EXPECT_EQ(pCombo->GetTabStops()[0], 50);
    EXPECT_EQ(pCombo->GetTabStops()[1], 50) << "the second column is hidden";
    const int nScrollBar = ::GetSystemMetrics(SM_CXVSCROLL);
    EXPECT_EQ(pCombo->GetTotalListWidth(), 130 + nScrollBar);
    CRect cell = grid.CalcCellRect(1, 1);
    grid.ClientToScreen(&cell);
    const CRect list = ScreenRect(pCombo->GetDropDownWnd());
    EXPECT_NEAR(list.left, cell.left, 1);
    EXPECT_GE(list.right, cell.left + 130 + nScrollBar) << "wider than the cell";
    ListKey(pCombo, VK_ESCAPE);

    // The text column alone: only that column's measured width.
    style = Columns("1\tApples\tred\n2\tPears\tgreen");
    style.SetUserAttribute(GX_IDS_UA_TABLIST_SHOWALLCOLS, "0");
    pCombo = Cell("1", style, 2);
    AltDown();
    ASSERT_NE(pCombo->GetListBox(), nullptr);
    CClientDC dc(&grid);
    CFont font;
    const LOGFONT lf = grid.LookupStyleRowCol(2, 1).GetFont().GetLogFontZoomed(grid.GetZoom());
    font.CreateFontIndirect(&lf);
    CFont* pOld = dc.SelectObject(&font);
    const int nApples = dc.GetTextExtent("Apples").cx;
    dc.SelectObject(pOld);
    EXPECT_EQ(pCombo->GetTotalListWidth(), nApples + 4 + nScrollBar);
    ListKey(pCombo, VK_ESCAPE);
}

TEST_F(TabbedComboBoxTest, ASortColumnSortsTheListOncePerFill)
{
    CGXStyle style = Columns("Key\tName\n3\tcherry\n1\tApple\n2\tbanana");
    style.SetUserAttribute(GX_IDS_UA_TABLIST_TITLES, "1");
    style.SetUserAttribute(GX_IDS_UA_TABLIST_SORTCOL, "1");
    CGXTabbedComboBox* pCombo = Cell("3", style);
    EXPECT_EQ(EditText(pCombo), "cherry");
    AltDown();
    ASSERT_NE(pCombo->GetListBox(), nullptr);
    const std::vector<CString> items = Items(pCombo->GetListBox());
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0], "Apple\t1\tApple");
    EXPECT_EQ(items[1], "banana\t2\tbanana");
    EXPECT_EQ(items[2], "cherry\t3\tcherry");
    EXPECT_EQ(pCombo->GetHeader()->m_strTitle, "Name\tKey\tName") << "the titles stay first";
    EXPECT_EQ(pCombo->GetListBox()->GetCurSel(), 2) << "the value's line in the sorted list";
    ListKey(pCombo, VK_UP);
    ListKey(pCombo, VK_RETURN);
    EXPECT_EQ(StoredAfterLeaving(), "2");
    EXPECT_EQ(grid.LookupStyleRowCol(1, 1).GetChoiceList(), "Key\tName\n3\tcherry\n1\tApple\n2\tbanana")
        << "the stored choice list is not sorted";
}

TEST_F(TabbedComboBoxTest, CellsOfOneUniqueIdShareTheFirstListUntilAStyleChangeResetsIt)
{
    CGXStyle first = Columns("1\tApples\n2\tPears");
    first.SetUserAttribute(GX_IDS_UA_TABLIST_UNIQUEID, "3");
    CGXStyle second = Columns("1\tOranges\n2\tLemons");
    second.SetUserAttribute(GX_IDS_UA_TABLIST_UNIQUEID, "3");
    grid.SetControlCell(2, 1, GX_IDS_CTRL_TABBED_COMBOBOX, "2", second);

    CGXTabbedComboBox* pCombo = Cell("1", first);
    AltDown();
    ASSERT_NE(pCombo->GetListBox(), nullptr);
    EXPECT_EQ(Items(pCombo->GetListBox())[0], "Apples\t1\tApples");
    ListKey(pCombo, VK_ESCAPE);

    // The second cell finds its value in the first cell's tables and keeps the first cell's rows.
    grid.MoveCurrentCell(2, 1);
    ::SetFocus(grid.m_hWnd);
    EXPECT_EQ(EditText(pCombo), "Pears");
    AltDown();
    ASSERT_NE(pCombo->GetListBox(), nullptr);
    EXPECT_EQ(Items(pCombo->GetListBox())[1], "Pears\t2\tPears");
    ListKey(pCombo, VK_ESCAPE);
    CString shown;
    pCombo->GetControlText(shown, 2, 1, nullptr, grid.LookupStyleRowCol(2, 1));
    EXPECT_EQ(shown, "Pears");

    // A change of the second cell's choice list resets id 3: its own lines count from then on.
    const int nGeneration = grid.GetParam()->m_nChoiceListGeneration;
    grid.MoveCurrentCell(5, 3);
    CGXStyle change;
    change.SetChoiceList("1\tOranges\n2\tLemons\n3\tLimes");
    grid.SetStyleRange(CGXRange(2, 1), &change, gxOverride);
    EXPECT_GT(grid.GetParam()->m_nChoiceListGeneration, nGeneration);
    pCombo->GetControlText(shown, 2, 1, nullptr, grid.LookupStyleRowCol(2, 1));
    EXPECT_EQ(shown, "Lemons");
    grid.MoveCurrentCell(2, 1);
    ::SetFocus(grid.m_hWnd);
    AltDown();
    ASSERT_NE(pCombo->GetListBox(), nullptr);
    const std::vector<CString> items = Items(pCombo->GetListBox());
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[2], "Limes\t3\tLimes");
    ListKey(pCombo, VK_ESCAPE);
}

TEST_F(TabbedComboBoxTest, APrefixOfAMappedListValidatesAndStandsForALineFromThenOn)
{
    CGXStyle style = Columns("1\tPeach\n2\tPear\n3\tPlum");
    style.SetUserAttribute(GX_IDS_UA_TABLIST_UNIQUEID, "4");
    CGXTabbedComboBox* pCombo = Cell("", style);
    EXPECT_TRUE(pCombo->ValidateString("Pea"));
    EXPECT_TRUE(pCombo->ValidateString("pL"));
    EXPECT_FALSE(pCombo->ValidateString("Pr"));
    EXPECT_TRUE(pCombo->ValidateString(""));
    CMapStringToString* pTexts = pCombo->GetTextMap(grid.LookupStyleRowCol(1, 1));
    ASSERT_NE(pTexts, nullptr);
    CString line;
    ASSERT_TRUE(pTexts->Lookup("Pea", line));
    EXPECT_TRUE(line == "1\tPeach" || line == "2\tPear") << line;
    EXPECT_FALSE(pTexts->Lookup("Pr", line));
    // Without tables every line's text field is tried, case-insensitively.
    CGXStyle plain = Columns("1\tPeach\n2\tPear\n3\tPlum");
    pCombo = Cell("", plain, 2);
    EXPECT_TRUE(pCombo->ValidateString("pLu"));
    EXPECT_FALSE(pCombo->ValidateString("Plx"));
}

TEST_F(TabbedComboBoxTest, ResettingTheTablesOfAnIdOrOfAll)
{
    CGXGridParam* pParam = grid.GetParam();
    CGXTabbedComboBox* pCombo = Cell("");
    for (const char* pszId : {"1", "2"})
    {
        CGXStyle style = Columns();
        style.SetUserAttribute(GX_IDS_UA_TABLIST_UNIQUEID, pszId);
        ASSERT_NE(pCombo->GetKeyMap(style), nullptr);
        ASSERT_NE(pCombo->GetTextMap(style), nullptr);
    }
    CGXStyle noId = Columns();
    EXPECT_EQ(pCombo->GetKeyMap(noId), nullptr) << "no id, no tables";
    const int nGeneration = pParam->m_nChoiceListGeneration;
    CGXTabbedComboBox::ResetChoiceListMaps(pParam, 0);
    EXPECT_EQ(pParam->m_nChoiceListGeneration, nGeneration) << "id 0 names no tables";
    CGXTabbedComboBox::ResetChoiceListMaps(pParam, 2);
    EXPECT_EQ(pParam->m_nChoiceListGeneration, nGeneration + 1);
    EXPECT_EQ(pParam->m_tabbedKeyMaps.count(1), 1u);
    EXPECT_EQ(pParam->m_tabbedKeyMaps.count(2), 0u);
    EXPECT_EQ(pParam->m_tabbedTextMaps.count(2), 0u);
    CGXTabbedComboBox::ResetChoiceListMaps(pParam, 9);
    EXPECT_EQ(pParam->m_nChoiceListGeneration, nGeneration + 2) << "an id without tables still counts";
    CGXTabbedComboBox::ResetChoiceListMaps(pParam, -1);
    EXPECT_TRUE(pParam->m_tabbedKeyMaps.empty());
    EXPECT_TRUE(pParam->m_tabbedTextMaps.empty());
    EXPECT_EQ(pParam->m_nChoiceListGeneration, nGeneration + 3);
}

TEST_F(TabbedComboBoxTest, TheListRowsDrawTheirColumnsWithLinesBetween)
{
    CGXStyle style = Columns("1\tApples\tred\n2\tPears\tgreen");
    style.SetUserAttribute(GX_IDS_UA_TABLIST_COLWIDTHS, "40,50,60");
    style.SetInterior(RGB(255, 255, 0));
    CGXTabbedComboBox* pCombo = Cell("1", style);
    grid.UpdateWindow();
    AltDown();
    ASSERT_NE(pCombo->GetListBox(), nullptr);
    CListBox* pList = pCombo->GetListBox();
    CRect item;
    pList->GetItemRect(1, &item);
    CClientDC dc(pList);
    // The unselected row: the cell's interior, lines at the column boundaries in the grid-line colour.
    EXPECT_EQ(dc.GetPixel(item.left + 20, item.top + 1) & 0xFFFFFF, RGB(255, 255, 0));
    int nLines = 0;
    for (int x = item.left; x < item.left + 100; ++x)
        if ((dc.GetPixel(x, item.top + 1) & 0xFFFFFF) == pCombo->m_rgbGridLine)
            ++nLines;
    EXPECT_EQ(nLines, 2);
    ListKey(pCombo, VK_ESCAPE);
}

TEST_F(TabbedComboBoxTest, TheRowsTakeTheCellFontsHeight)
{
    CGXStyle style = Columns();
    style.SetFont(CGXFont().SetSize(20));
    CGXTabbedComboBox* pCombo = Cell("1", style);
    ::SendMessageA(grid.m_hWnd, WM_SYSKEYDOWN, VK_DOWN, 0x20000001);
    ASSERT_NE(pCombo->GetListBox(), nullptr);
    CClientDC dc(&grid);
    CFont font;
    const LOGFONT lf = grid.LookupStyleRowCol(1, 1).GetFont().GetLogFontZoomed(grid.GetZoom());
    font.CreateFontIndirect(&lf);
    CFont* pOld = dc.SelectObject(&font);
    TEXTMETRICA tm = {};
    ::GetTextMetricsA(dc.GetSafeHdc(), &tm);
    dc.SelectObject(pOld);
    ASSERT_GT(tm.tmHeight, 20);
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(pCombo->GetListBox()->GetItemHeight(i), tm.tmHeight) << i;
    ListKey(pCombo, VK_ESCAPE);
}

// The unique choice-list id is a number a user types into the attribute sheet: the largest one
// costs no memory beyond the lists of its own tables.
TEST_F(TabbedComboBoxTest, AnyUniqueIdCostsNoMoreThanItsOwnTables)
{
    // The committed memory of the process (Wine leaves the private-bytes counter at 0).
    auto committedBytes = []() {
        PROCESS_MEMORY_COUNTERS counters = {};
        counters.cb = sizeof counters;
        ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters);
        return static_cast<long long>(counters.PagefileUsage);
    };
    // The windows and lists of a small id first, so that only the tables of the large one are new.
    CGXStyle small = Columns();
    small.SetUserAttribute(GX_IDS_UA_TABLIST_UNIQUEID, "1");
    Cell("2", small, 3);
    AltDown();
    grid.MoveCurrentCell(5, 3);
    PumpMessages();

    CGXStyle large = Columns();
    large.SetUserAttribute(GX_IDS_UA_TABLIST_UNIQUEID, "2000000000");
    grid.SetControlCell(2, 1, GX_IDS_CTRL_TABBED_COMBOBOX, "2", large);
    const long long nBefore = committedBytes();
    grid.Invalidate();
    grid.UpdateWindow();
    CGXTabbedComboBox* pCombo = Cell("1", large);
    AltDown();
    const long long nAfter = committedBytes();
    CString shown;
    pCombo->GetControlText(shown, 2, 1, nullptr, grid.LookupStyleRowCol(2, 1));
    EXPECT_EQ(shown, "Pears");
    ASSERT_NE(pCombo->GetListBox(), nullptr);
    EXPECT_EQ(Items(pCombo->GetListBox()), (std::vector<CString>{"Apples\t1\tApples", "Pears\t2\tPears"}));
    EXPECT_LT(nAfter - nBefore, 1024 * 1024);
}
