// The date/time cell on a real grid: day counts are shown in the cell's format and stored with the
// cell's precision, a wholly numeric value is always a day count, Delete clears the cell and only
// the calendar variant drops its calendar.
#include "grid/controls/DateTimeCell.h"

#include "grid/controls/Calendar.h"
#include "grid/core/ControlFactory.h"
#include "grid/core/GridComponents.h"

#include "DrawnCellTestGrid.h"
#include "EditCellTestSupport.h"
#include "PopupTestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace
{
class DateTimeCellTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(grid.Open()); }

    CGXDateTimeCtrl* Control(WORD nId) { return dynamic_cast<CGXDateTimeCtrl*>(grid.GetRegisteredControl(nId)); }
    CGXDateTimeCtrl* Cell(WORD nId, LPCTSTR pszValue, CGXStyle style = CGXStyle())
    {
        grid.SetControlCell(1, 1, nId, pszValue, style);
        grid.MoveCurrentCell(1, 1);
        ::SetFocus(grid.m_hWnd);
        return Control(nId);
    }
    std::string Shown(LPCTSTR pszValue, CGXStyle style = CGXStyle())
    {
        style.SetControl(GX_IDS_CTRL_DATETIME);
        CString text;
        Control(GX_IDS_CTRL_DATETIME)->GetControlText(text, 2, 2, pszValue, style);
        return std::string(text);
    }

    DrawnCellGrid grid;
};
}  // namespace

TEST_F(DateTimeCellTest, ValuesAreShownInTheCellsFormat)
{
    Cell(GX_IDS_CTRL_DATETIME, "");
    struct Case
    {
        const char* value;
        WORD attribute;
        const char* setting;
        const char* shown;
    } cases[] = {
        {"36526", 0, nullptr, "1/1/2000"},
        {"36526.5", GX_IDS_UA_DATEFORMATTYPE, "4", "1/1/2000 12:00:00 PM"},
        {"0.25", GX_IDS_UA_DATEFORMATTYPE, "0", "6:00:00 AM"},       // a number is a day count
        {"0", GX_IDS_UA_DATEFORMATTYPE, "1", "12/30/1899"},          // 0 is a date too
        {"2000x", GX_IDS_UA_DATETIMENUMBER, "1", "6/22/1905"},       // read as the number 2000
        {"36526", GX_IDS_UA_CUSTOMFORMAT, "yyyy-MM-dd", "2000-01-01"},
        {"", 0, nullptr, ""},
    };
    for (const Case& c : cases)
    {
        CGXStyle style;
        if (c.attribute != 0)
            style.SetUserAttribute(c.attribute, c.setting);
        EXPECT_EQ(Shown(c.value, style), c.shown) << c.value;
    }
}

TEST_F(DateTimeCellTest, AnEditIsStoredAsTheDayCountWithTheCellsPrecision)
{
    struct Case
    {
        const char* precision;
        int expected;
    } cases[] = {{nullptr, 13}, {"20", 15}, {"5", 13}, {"14", 14}};
    for (const Case& c : cases)
    {
        CGXStyle style;
        style.SetUserAttribute(GX_IDS_UA_DATEFORMATTYPE, "4");
        if (c.precision != nullptr)
            style.SetUserAttribute(GX_IDS_UA_DATETIMEPRECISION, c.precision);
        CGXDateTimeCtrl* pCtrl = Cell(GX_IDS_CTRL_DATETIME, "36526.3", style);
        ASSERT_NE(pCtrl, nullptr);
        EXPECT_EQ(pCtrl->GetPrecision(), c.expected) << (c.precision ? c.precision : "none");
        grid.MoveCurrentCell(2, 2);
    }
    CGXStyle style;
    style.SetUserAttribute(GX_IDS_UA_DATEFORMATTYPE, "4");
    CGXDateTimeCtrl* pCtrl = Cell(GX_IDS_CTRL_DATETIME, "36526.3", style);
    grid.Key(VK_HOME);
    grid.UpdateWindow();
    ASSERT_TRUE(pCtrl->IsActive());
    EXPECT_EQ(pCtrl->GetCurrentGadget()->m_nId, CGXBDateTimeCtrl::idMonth);
    ::SendMessageA(pCtrl->m_hWnd, WM_KEYDOWN, VK_UP, 1);
    EXPECT_TRUE(pCtrl->GetModify());
    grid.MoveCurrentCell(2, 2);
    char expected[32];
    std::snprintf(expected, sizeof expected, "%.13g", COleDateTime(2000, 2, 1, 7, 12, 0).m_dt);
    EXPECT_EQ(std::string(grid.Stored(1, 1)), expected) << "February, same time";
}

TEST_F(DateTimeCellTest, ATimeCellKeepsItsValueWhenNotEdited)
{
    CGXStyle style;
    style.SetUserAttribute(GX_IDS_UA_DATEFORMATTYPE, "0");
    CGXDateTimeCtrl* pCtrl = Cell(GX_IDS_CTRL_DATETIMENOCAL, "0.25", style);
    ASSERT_NE(pCtrl, nullptr);
    EXPECT_EQ(std::string(pCtrl->GetFieldsText()), "6:00:00 AM");
    grid.MoveCurrentCell(2, 2);
    EXPECT_EQ(std::string(grid.Stored(1, 1)), "0.25");
}

TEST_F(DateTimeCellTest, DeleteClearsTheCell)
{
    CGXDateTimeCtrl* pCtrl = Cell(GX_IDS_CTRL_DATETIME, "36526");
    grid.Key(VK_HOME);
    grid.UpdateWindow();
    ASSERT_TRUE(pCtrl->IsActive());
    ::SendMessageA(pCtrl->m_hWnd, WM_KEYDOWN, VK_DELETE, 1);
    EXPECT_FALSE(pCtrl->IsActive());
    EXPECT_EQ(std::string(grid.Stored(1, 1)), "");
}

TEST_F(DateTimeCellTest, AltDownOpensTheCalendarOnlyInTheCalendarVariant)
{
    for (WORD nId : {GX_IDS_CTRL_DATETIME, GX_IDS_CTRL_DATETIMENOCAL})
    {
        CGXDateTimeCtrl* pCtrl = Cell(nId, "36526");
        ASSERT_NE(pCtrl, nullptr);
        ::SendMessageA(grid.m_hWnd, WM_SYSKEYDOWN, VK_DOWN, kAltDown);
        grid.UpdateWindow();
        EXPECT_TRUE(pCtrl->IsActive()) << nId;
        EXPECT_EQ(pCtrl->GetCalendar() != nullptr, nId == GX_IDS_CTRL_DATETIME) << nId;
        if (CGXBPopupCalendar* pCalendar = pCtrl->GetCalendar())
        {
            pCalendar->SelectDate(COleDateTime(2000, 1, 15, 12, 0, 0), TRUE);
            ::SendMessageA(pCalendar->m_hWnd, WM_KEYDOWN, VK_RETURN, 1);
            PumpPopupMessages();
            EXPECT_EQ(pCtrl->GetCalendar(), nullptr);
            grid.MoveCurrentCell(2, 2);
            EXPECT_EQ(std::string(grid.Stored(1, 1)), "36540") << "15 January 2000";
        }
        else
            grid.MoveCurrentCell(2, 2);
    }
}

TEST_F(DateTimeCellTest, TypingADigitStartsEditingTheFirstField)
{
    CGXDateTimeCtrl* pCtrl = Cell(GX_IDS_CTRL_DATETIME, "36526");
    grid.Char('3');
    PumpPopupMessages();
    ASSERT_TRUE(pCtrl->IsActive());
    ::SendMessageA(pCtrl->m_hWnd, WM_CHAR, '/', 1);
    EXPECT_EQ(std::string(pCtrl->GetFieldsText()), "3/1/2000");
    grid.MoveCurrentCell(2, 2);
    EXPECT_EQ(std::string(grid.Stored(1, 1)), "36586") << "1 March 2000";
}

TEST_F(DateTimeCellTest, TheFactoryRegistersTheAttributes)
{
    CGXStylesMap* pMap = grid.GetParam()->GetStylesMap();
    ASSERT_NE(pMap, nullptr);
    for (WORD nId : {51034, 51035, 51036, 51037, 51038, 51039, 51044, 52571, 52572})
        EXPECT_NE(pMap->LookupUserAttributeInfo(nId), nullptr) << nId;
}

TEST_F(DateTimeCellTest, AnInactiveCellDrawsItsFieldsAndTheCurrentCellItsButtons)
{
    Cell(GX_IDS_CTRL_DATETIME, "");
    CGXDateTimeCtrl* pCtrl = Control(GX_IDS_CTRL_DATETIME);
    auto inkIn = [](MemoryCanvas& canvas, int left, int right) {
        int n = 0;
        for (int x = left; x < right; ++x)
            for (int y = 0; y < 20; ++y)
                n += canvas.At(x, y) != RGB(255, 255, 255) ? 1 : 0;
        return n;
    };
    struct Case
    {
        const char* value;
        ROWCOL row;   // (1, 1) is the current cell
        BOOL fields;
        BOOL buttons;
    } cases[] = {
        {"36526", 3, TRUE, FALSE},
        {"36526", 1, TRUE, TRUE},
        {"", 1, FALSE, TRUE},
        {"", 3, FALSE, FALSE},
    };
    for (const Case& c : cases)
    {
        grid.SetControlCell(c.row, 1, GX_IDS_CTRL_DATETIME, c.value);
        const CGXStyle& style = grid.LookupStyleRowCol(c.row, 1);
        MemoryCanvas canvas(140, 20);
        pCtrl->Draw(&canvas.dc, CRect(0, 0, 140, 20), c.row, 1, style, nullptr);
        EXPECT_EQ(inkIn(canvas, 2, 90) > 0, c.fields) << c.value << " row " << c.row;
        EXPECT_EQ(inkIn(canvas, 110, 138) > 0, c.buttons) << c.value << " row " << c.row;
    }
}

TEST_F(DateTimeCellTest, AClickActivatesTheFieldUnderIt)
{
    grid.SetColWidth(1, 1, 200);
    CGXStyle style;
    style.SetUserAttribute(GX_IDS_UA_CUSTOMFORMAT, "dd/MM/yyyy");
    grid.SetControlCell(1, 1, GX_IDS_CTRL_DATETIMENOCAL, "36526", style);
    grid.SetControlCell(2, 1, GX_IDS_CTRL_DATETIMENOCAL, "36526", style);
    CGXDateTimeCtrl* pCtrl = Control(GX_IDS_CTRL_DATETIMENOCAL);
    ASSERT_NE(pCtrl, nullptr);
    struct Case
    {
        ROWCOL row;
        int dx;
        int field;
    } cases[] = {{1, 4, CGXBDateTimeCtrl::idDay}, {2, 150, CGXBDateTimeCtrl::idYear4}};
    for (const Case& c : cases)
    {
        const CRect cell = grid.CalcCellRect(c.row, 1);
        grid.Click(CPoint(cell.left + c.dx, cell.CenterPoint().y));
        grid.UpdateWindow();
        ASSERT_TRUE(pCtrl->IsActive()) << c.row;
        EXPECT_EQ(pCtrl->GetCurrentGadget()->m_nId, c.field) << c.row;
    }
}

TEST_F(DateTimeCellTest, FindTextMatchesFieldsInOrderAndGoesOnBehindTheLastMatch)
{
    CGXStyle style;
    style.SetUserAttribute(GX_IDS_UA_CUSTOMFORMAT, "d MMMM yyyy, d");
    CGXDateTimeCtrl* pCtrl = Cell(GX_IDS_CTRL_DATETIME, "36526", style);
    grid.Key(VK_HOME);
    grid.UpdateWindow();
    ASSERT_TRUE(pCtrl->IsActive());
    ASSERT_EQ(std::string(pCtrl->GetFieldsText()), "1 January 2000, 1");
    struct Step
    {
        const char* find;
        BOOL found;
        int field;   // the current field after a match
    } steps[] = {
        {"1", TRUE, 1},      // the first day field (after the two buttons)
        {"1", TRUE, 7},      // then the second one
        {"1", FALSE, 7},     // nothing more: the search ends
        {"jan", TRUE, 3},    // a name by its beginning, whatever the case
        {"2000", TRUE, 5},
        {"Feb", FALSE, 5},
    };
    for (const Step& s : steps)
    {
        CGXFindReplaceSettings settings;
        settings.strFind = s.find;
        EXPECT_EQ(pCtrl->FindText(settings, 1, 1, FALSE, TRUE), s.found) << s.find;
        EXPECT_EQ(pCtrl->GetCurrentIndex() - pCtrl->GetFixedCount() + 1, s.field) << s.find;
    }
}

// A typed or pasted text is a date text or the values of the fields in their order: a plain number
// fills the first field. What the cell stores is a day count, and a cell's text pasted back gives
// the same day count, 30 December 1899 (day count 0) included.
TEST_F(DateTimeCellTest, APastedNumberFillsTheFirstFieldAndShownValuesPasteBackToTheirDayCounts)
{
    CGXDateTimeCtrl* pCtrl = Cell(GX_IDS_CTRL_DATETIME, "");
    CGXStyle dayFirst;
    dayFirst.SetUserAttribute(GX_IDS_UA_CUSTOMFORMAT, "d.M.yyyy");
    grid.SetControlCell(2, 1, GX_IDS_CTRL_DATETIME, "36526", dayFirst);   // 1 January 2000
    auto dayCount = [](int nYear, int nMonth, int nDay) {
        char text[32];
        std::snprintf(text, sizeof text, "%.13g", COleDateTime(nYear, nMonth, nDay, 0, 0, 0).m_dt);
        return std::string(text);
    };
    const struct
    {
        const char* typed;
        std::string stored;
    } typed[] = {
        {"15", dayCount(2000, 1, 15)},
        {"1/2/2000", dayCount(2000, 1, 2)},   // a date text of the user's locale
    };
    for (const auto& c : typed)
    {
        grid.SetControlCell(2, 1, GX_IDS_CTRL_DATETIME, "36526", dayFirst);
        EXPECT_TRUE(pCtrl->SetControlText(2, 1, c.typed)) << c.typed;
        EXPECT_EQ(std::string(grid.Stored(2, 1)), c.stored) << c.typed;
    }

    CGXStyle dateAndTime;
    dateAndTime.SetUserAttribute(GX_IDS_UA_DATEFORMATTYPE, "4");
    for (const char* pszStored : {"0", "0.5", "36526.25"})
    {
        grid.SetControlCell(3, 1, GX_IDS_CTRL_DATETIME, pszStored, dateAndTime);
        CString shown;
        ASSERT_TRUE(pCtrl->GetControlText(shown, 3, 1, nullptr, grid.LookupStyleRowCol(3, 1))) << pszStored;
        EXPECT_TRUE(pCtrl->SetControlText(3, 1, shown)) << pszStored;
        EXPECT_EQ(std::string(grid.Stored(3, 1)), pszStored) << std::string(shown);
    }
}

// CalcSize lays out the cell's fields as the cell draws them: every number field as wide as its
// digits, a name field as its widest name, the buttons.
TEST_F(DateTimeCellTest, TheSizeOfACellIsTheSumOfItsFieldWidths)
{
    CGXStyle format;
    const struct
    {
        WORD control;
        const char* format;
        std::vector<std::string> fields;
        int buttons;   // the spin pair, and the drop-down button of the calendar variant
    } cases[] = {
        {GX_IDS_CTRL_DATETIMENOCAL, "d/M/yyyy", {"00", "/", "00", "/", "0000"}, 1},
        {GX_IDS_CTRL_DATETIME, "d/M/yyyy", {"00", "/", "00", "/", "0000"}, 2},
        {GX_IDS_CTRL_DATETIMENOCAL, "d MMMM yyyy", {"00", " ", "September", " ", "0000"}, 1},
    };
    for (const auto& c : cases)
    {
        CGXStyle style;
        style.SetUserAttribute(GX_IDS_UA_CUSTOMFORMAT, c.format);
        grid.SetControlCell(2, 1, c.control, "36526", style);   // 1 January 2000
        const CGXStyle& composed = grid.LookupStyleRowCol(2, 1);
        CGXDateTimeCtrl* pCtrl = Control(c.control);
        ASSERT_NE(pCtrl, nullptr);
        MemoryCanvas canvas(10, 10);
        CFont* pOld = grid.SelectCellFont(&canvas.dc, composed);
        int nWidth = 16 * c.buttons;
        for (const std::string& field : c.fields)
            nWidth += canvas.dc.GetTextExtent(field.c_str(), static_cast<int>(field.size())).cx;
        TEXTMETRIC tm = {};
        canvas.dc.GetTextMetrics(&tm);
        if (pOld != nullptr)
            canvas.dc.SelectObject(pOld);
        const CSize borders = pCtrl->GetBorderSize(2, 1, composed);
        const CSize size = pCtrl->CalcSize(&canvas.dc, 2, 1, composed, nullptr, FALSE);
        EXPECT_EQ(size.cx, nWidth + borders.cx) << c.format << " " << c.control;
        EXPECT_EQ(size.cy, tm.tmHeight + tm.tmExternalLeading + 1 + borders.cy) << c.format;
    }
    grid.SetControlCell(2, 1, GX_IDS_CTRL_DATETIME, "");
    MemoryCanvas canvas(10, 10);
    EXPECT_EQ(Control(GX_IDS_CTRL_DATETIME)->CalcSize(&canvas.dc, 2, 1, grid.LookupStyleRowCol(2, 1), nullptr, FALSE),
              CSize(0, 0))
        << "an empty cell has no fields to show";
}

// Copying the current cell puts on the clipboard what the cell shows, not the day count it stores.
TEST_F(DateTimeCellTest, CopyingTheCurrentCellCopiesWhatItShows)
{
    grid.InstallTextDataExchange();
    grid.InstallCutPaste();
    CGXDateTimeCtrl* pCtrl = Cell(GX_IDS_CTRL_DATETIME, "36526");
    grid.Key(VK_HOME);
    grid.UpdateWindow();
    ASSERT_TRUE(pCtrl->IsActive());
    EXPECT_TRUE(pCtrl->Copy());
    ASSERT_TRUE(::OpenClipboard(nullptr));
    HGLOBAL hText = ::GetClipboardData(CF_TEXT);
    const std::string copied = hText != nullptr ? static_cast<const char*>(::GlobalLock(hText)) : "";
    if (hText != nullptr)
        ::GlobalUnlock(hText);
    ::CloseClipboard();
    EXPECT_EQ(copied, "1/1/2000");
}

// Replacing works field by field: a field that the search finds takes the replacement, and the
// date the fields then make is the cell's value, in the current cell and in any other.
TEST_F(DateTimeCellTest, ReplacingChangesTheFieldsTheSearchFinds)
{
    CGXStyle style;
    style.SetUserAttribute(GX_IDS_UA_CUSTOMFORMAT, "d MMMM yyyy");
    auto dayCount = [](int nYear, int nMonth, int nDay) {
        char text[32];
        std::snprintf(text, sizeof text, "%.13g", COleDateTime(nYear, nMonth, nDay, 0, 0, 0).m_dt);
        return std::string(text);
    };
    const struct
    {
        const char* find;
        const char* replace;
        BOOL replaced;
        std::string stored;
    } cases[] = {
        {"jan", "mar", TRUE, dayCount(2000, 3, 1)},
        {"2000", "2001", TRUE, dayCount(2001, 1, 1)},
        {"1", "15", TRUE, dayCount(2000, 1, 15)},
        {"feb", "mar", FALSE, "36526"},
    };
    for (ROWCOL nRow : {ROWCOL(1), ROWCOL(2)})   // the active current cell, another cell
        for (const auto& c : cases)
        {
            CGXDateTimeCtrl* pCtrl = Cell(GX_IDS_CTRL_DATETIME, "36526", style);
            grid.SetControlCell(2, 1, GX_IDS_CTRL_DATETIME, "36526", style);
            grid.Key(VK_HOME);
            grid.UpdateWindow();
            ASSERT_TRUE(pCtrl->IsActive());
            CGXFindReplaceSettings settings;
            settings.strFind = c.find;
            settings.strReplace = c.replace;
            EXPECT_EQ(pCtrl->ReplaceAll(settings, nRow, 1), c.replaced) << c.find << " row " << nRow;
            grid.MoveCurrentCell(5, 3);
            EXPECT_EQ(std::string(grid.Stored(nRow, 1)), c.stored) << c.find << " row " << nRow;
        }
}

namespace
{
// The day count a cell stores for a date, with the default precision.
std::string StoredDay(int nYear, int nMonth, int nDay)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.13g", COleDateTime(nYear, nMonth, nDay, 0, 0, 0).m_dt);
    return text;
}
}  // namespace

// A single Replace changes the field the search finds, as Replace All does: in "d MMMM yyyy" cells
// "jan" replaced by "mar" makes the month March and keeps the day and the year, in a cell being edited
// or not, after a Find Next or not, and once the search has moved to the cell; then the search goes
// on to the next cell that holds the text.
TEST_F(DateTimeCellTest, ASingleReplaceChangesTheFieldTheSearchFinds)
{
    ASSERT_EQ(LANGIDFROMLCID(::GetUserDefaultLCID()), MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US))
        << "the month names are English";
    grid.InstallFindReplace();
    CGXStyle style;
    style.SetUserAttribute(GX_IDS_UA_CUSTOMFORMAT, "d MMMM yyyy");
    const struct
    {
        const char* name;
        ROWCOL nFromRow;   // the current cell when Replace is first pressed
        BOOL bEditing;     // the current cell is being edited
        BOOL bFindFirst;   // Find Next is pressed before
        int nReplaces;     // presses of Replace
    } cases[] = {
        {"in the cell being edited", 2, TRUE, FALSE, 1},
        {"after Find Next", 2, TRUE, TRUE, 1},
        {"in a current cell not being edited", 2, FALSE, FALSE, 1},
        {"after Find Next in a cell not being edited", 2, FALSE, TRUE, 1},
        {"once the first press has found the cell", 1, FALSE, FALSE, 2},
    };
    for (const auto& c : cases)
    {
        grid.SetText(1, 1, "start");
        grid.SetControlCell(2, 1, GX_IDS_CTRL_DATETIME, "36526", style);   // 1 January 2000
        grid.SetControlCell(3, 1, GX_IDS_CTRL_DATETIME, "36526", style);
        grid.MoveCurrentCell(c.nFromRow, 1);
        ::SetFocus(grid.m_hWnd);
        if (c.bEditing)
        {
            grid.Key(VK_HOME);
            grid.UpdateWindow();
        }
        if (c.nFromRow == 2)
        {
            ASSERT_EQ(Control(GX_IDS_CTRL_DATETIME)->IsActive() != FALSE, c.bEditing != FALSE) << c.name;
        }
        CGXFindReplaceSettings settings;
        settings.strFind = "jan";
        if (c.bFindFirst)
        {
            EXPECT_TRUE(grid.OnFindNext(&settings, TRUE, FALSE)) << c.name;
        }
        for (int i = 0; i < c.nReplaces; ++i)
            grid.OnReplaceSel(&settings, TRUE, FALSE, "mar");
        ROWCOL nRow = 0, nCol = 0;
        grid.GetCurrentCell(nRow, nCol);
        EXPECT_EQ(nRow, 3u) << c.name << ": the next cell that holds the text";
        grid.MoveCurrentCell(5, 3);
        EXPECT_EQ(std::string(grid.Stored(2, 1)), StoredDay(2000, 3, 1)) << c.name;
        EXPECT_EQ(std::string(grid.Stored(3, 1)), "36526") << c.name << ": found, not replaced";
    }
}

// A paste into the cell takes the whole date, also right after a search has selected a field.
TEST_F(DateTimeCellTest, APasteAfterASearchStillTakesTheWholeDate)
{
    grid.InstallTextDataExchange();
    grid.InstallCutPaste();
    grid.InstallFindReplace();
    CGXStyle style;
    style.SetUserAttribute(GX_IDS_UA_CUSTOMFORMAT, "d MMMM yyyy");
    CGXDateTimeCtrl* pCtrl = Cell(GX_IDS_CTRL_DATETIME, "36526", style);
    grid.Key(VK_HOME);
    grid.UpdateWindow();
    ASSERT_TRUE(pCtrl->IsActive());
    CGXFindReplaceSettings settings;
    settings.strFind = "jan";
    ASSERT_TRUE(grid.OnFindNext(&settings, TRUE, FALSE));
    PutTextOnClipboard("2/3/2001");
    HoldKeys({VK_CONTROL});
    ::SendMessageA(pCtrl->m_hWnd, WM_CHAR, 22, 1);   // Ctrl+V
    HoldKeys({});
    grid.MoveCurrentCell(5, 3);
    EXPECT_EQ(std::string(grid.Stored(1, 1)), StoredDay(2001, 2, 3));
}

namespace
{
// A date/time cell that records the fields its drawing hooks are handed.
class CRecordingDateTimeCtrl : public CGXDateTimeCtrl
{
public:
    using CGXDateTimeCtrl::CGXDateTimeCtrl;
    void DrawSpin(CDC* pDC, CGXBDTGadget* pGadget, const CRect& rect) override
    {
        drawn.push_back("spin");
        CGXDateTimeCtrl::DrawSpin(pDC, pGadget, rect);
    }
    void DrawNumber(CDC* pDC, CGXBDTGadget* pGadget, const CRect& rect) override
    {
        drawn.push_back("number " + std::string(pGadget->GetText()));
        CGXDateTimeCtrl::DrawNumber(pDC, pGadget, rect);
    }
    void DrawList(CDC* pDC, CGXBDTGadget* pGadget, const CRect& rect) override
    {
        drawn.push_back("list " + std::string(pGadget->GetText()));
        CGXDateTimeCtrl::DrawList(pDC, pGadget, rect);
    }
    void DrawStatic(CDC* pDC, CGXBDTGadget* pGadget, const CRect& rect) override
    {
        drawn.push_back("static " + std::string(pGadget->GetText()));
        CGXDateTimeCtrl::DrawStatic(pDC, pGadget, rect);
    }
    void DrawButton(CDC* pDC, CGXBDTGadget* pGadget, const CRect& rect) override
    {
        drawn.push_back("button");
        CGXDateTimeCtrl::DrawButton(pDC, pGadget, rect);
    }
    std::vector<std::string> drawn;
};
}  // namespace

// An inactive cell draws each field through the hook of its kind, from the last field to the
// first; the current cell adds its buttons.
TEST_F(DateTimeCellTest, AnInactiveCellDrawsEachFieldThroughTheHookOfItsKind)
{
    CRecordingDateTimeCtrl ctrl(&grid, GX_IDS_CTRL_DATETIME + 100, GXDT_DTS_CALENDAR | GXDT_DTS_UPDOWN);
    CGXStyle style;
    style.SetUserAttribute(GX_IDS_UA_CUSTOMFORMAT, "d MMM yyyy");
    const struct
    {
        ROWCOL row;   // (1, 1) is the current cell
        const char* value;
        std::vector<std::string> drawn;
    } cases[] = {
        {3, "36526", {"number 2000", "static  ", "list Jan", "static  ", "number 1"}},
        {1, "36526", {"number 2000", "static  ", "list Jan", "static  ", "number 1", "spin", "button"}},
        {1, "", {"spin", "button"}},
    };
    grid.MoveCurrentCell(1, 1);
    for (const auto& c : cases)
    {
        grid.SetControlCell(c.row, 1, GX_IDS_CTRL_DATETIME, c.value, style);
        CGXStyle composed;
        grid.BuildEffectiveStyle(c.row, 1, composed, TRUE);
        ctrl.drawn.clear();
        MemoryCanvas canvas(200, 20);
        ctrl.Draw(&canvas.dc, CRect(0, 0, 200, 20), c.row, 1, composed, nullptr);
        EXPECT_EQ(ctrl.drawn, c.drawn) << c.value << " row " << c.row;
    }
}

namespace
{
class ModifyCountingGrid : public DrawnCellGrid
{
public:
    void OnCellModified(ROWCOL nRow, ROWCOL nCol) override
    {
        ++nModified;
        DrawnCellGrid::OnCellModified(nRow, nCol);
    }
    int nModified = 0;
};
}  // namespace

// A released key that the grid does not take reports a modified cell again.
TEST(DateTimeCellKeys, AReleasedKeyReportsAModifiedCell)
{
    ModifyCountingGrid grid;
    ASSERT_TRUE(grid.Open());
    grid.SetControlCell(1, 1, GX_IDS_CTRL_DATETIME, "36526");
    grid.MoveCurrentCell(1, 1);
    ::SetFocus(grid.m_hWnd);
    grid.Key(VK_HOME);
    grid.UpdateWindow();
    auto* pCtrl = dynamic_cast<CGXDateTimeCtrl*>(grid.GetRegisteredControl(GX_IDS_CTRL_DATETIME));
    ASSERT_TRUE(pCtrl != nullptr && pCtrl->IsActive());
    ::SendMessageA(pCtrl->m_hWnd, WM_KEYDOWN, VK_UP, 1);
    ASSERT_TRUE(pCtrl->GetModify());
    const int nBefore = grid.nModified;
    ::SendMessageA(pCtrl->m_hWnd, WM_KEYUP, VK_UP, 0xC0000001);
    EXPECT_EQ(grid.nModified, nBefore + 1);
}
