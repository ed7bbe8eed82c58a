// The calendar: the 42 day boxes begin at the first day of week before the 1st, the month and year
// steps keep to real dates, steps past the years 100 and 9999 beep, and the pop-up reports a choice
// or a cancellation to its owner once.
#include "grid/controls/Calendar.h"

#include "framework/win/SeamRecorders.h"
#include "framework/win/Seams.h"
#include "grid/core/AppData.h"

#include "PopupTestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
COleDateTime Day(int nYear, int nMonth, int nDay)
{
    return COleDateTime(nYear, nMonth, nDay, 12, 0, 0);
}

std::string Ymd(const COleDateTime& date)
{
    char sz[32];
    std::snprintf(sz, sizeof sz, "%04d-%02d-%02d", date.GetYear(), date.GetMonth(), date.GetDay());
    return sz;
}

class CalendarTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        GXStartLibrary();
        ASSERT_TRUE(host.Open());
        pOldBeep = AfxSetBeepSeam(&beeps);
    }
    void TearDown() override { AfxSetBeepSeam(pOldBeep); }

    void Open(const COleDateTime& shown)
    {
        calendar.SetInitialDate(shown);
        ASSERT_TRUE(calendar.Create(WS_VISIBLE, CRect(0, 0, 280, 240), &host, 4));
    }

    MessageHost host;
    CGXBCalendar calendar;
    CRecordingBeep beeps;
    CBeepSeam* pOldBeep = nullptr;
};
}  // namespace

TEST_F(CalendarTest, TheBoxesBeginOnTheFirstDayOfWeekBeforeTheFirst)
{
    Open(Day(2024, 9, 10));
    struct Case
    {
        COleDateTime month;
        const char* firstBox;
        int othersBefore;
    } cases[] = {
        {Day(2024, 9, 10), "2024-09-01", 0},   // September 2024 begins on a Sunday
        {Day(2024, 6, 20), "2024-05-26", 6},   // June 2024 begins on a Saturday
        {Day(2024, 2, 1), "2024-01-28", 4},
    };
    for (const Case& c : cases)
    {
        ASSERT_TRUE(calendar.ShowDate(c.month));
        EXPECT_EQ(Ymd(calendar.GetDayBox(0)->GetDate()), c.firstBox);
        int nOthers = 0;
        while (calendar.GetDayBox(nOthers)->IsOtherMonth())
            ++nOthers;
        EXPECT_EQ(nOthers, c.othersBefore) << c.firstBox;
        EXPECT_FALSE(calendar.GetDayBox(41)->GetDate() < calendar.GetDayBox(0)->GetDate());
        EXPECT_TRUE(calendar.GetDayBox(41)->IsOtherMonth()) << "the tail is of the next month";
    }
    EXPECT_EQ(std::string(calendar.GetTitle().GetText()), "February 2024");
}

TEST_F(CalendarTest, MonthAndYearStepsKeepToRealDates)
{
    Open(Day(2004, 2, 29));
    struct Case
    {
        COleDateTime from;
        BOOL (CGXBCalendar::*step)(BOOL);
        const char* to;
    } cases[] = {
        {Day(2004, 2, 29), &CGXBCalendar::NextYear, "2005-02-28"},
        {Day(2004, 2, 29), &CGXBCalendar::PrevYear, "2003-02-28"},
        {Day(2024, 1, 31), &CGXBCalendar::NextMonth, "2024-02-01"},
        {Day(2024, 3, 31), &CGXBCalendar::PrevMonth, "2024-02-01"},
        {Day(2024, 12, 31), &CGXBCalendar::NextDay, "2025-01-01"},
        {Day(2024, 3, 1), &CGXBCalendar::PrevWeek, "2024-02-23"},
    };
    for (const Case& c : cases)
    {
        calendar.ShowDate(c.from);
        calendar.SelectDate(c.from, TRUE);
        EXPECT_TRUE((calendar.*c.step)(TRUE)) << c.to;
        ASSERT_NE(calendar.GetSelectedDate(), nullptr);
        EXPECT_EQ(Ymd(*calendar.GetSelectedDate()), c.to);
        EXPECT_EQ(calendar.GetDisplayedDate().GetMonth(), calendar.GetSelectedDate()->GetMonth())
            << "the displayed month follows the selection";
        EXPECT_EQ(Ymd(calendar.GetSelectedBoxDate()), c.to) << "its box is selected";
    }
}

TEST_F(CalendarTest, StepsPastTheFirstAndLastYearsBeepAndChangeNothing)
{
    Open(Day(2000, 1, 1));
    struct Case
    {
        COleDateTime from;
        BOOL (CGXBCalendar::*step)(BOOL);
    } cases[] = {
        {Day(100, 6, 1), &CGXBCalendar::PrevYear},
        {Day(9999, 6, 1), &CGXBCalendar::NextYear},
        {Day(9999, 11, 15), &CGXBCalendar::NextMonth},
    };
    for (const Case& c : cases)
    {
        ASSERT_TRUE(calendar.ShowDate(c.from));
        beeps.beeps.clear();
        EXPECT_FALSE((calendar.*c.step)(FALSE));
        EXPECT_EQ(beeps.beeps, std::vector<UINT>{MB_ICONEXCLAMATION});
        EXPECT_EQ(Ymd(calendar.GetDisplayedDate()), Ymd(c.from));
    }
    beeps.beeps.clear();
    EXPECT_FALSE(calendar.NextDay(TRUE)) << "no selection to move";
    EXPECT_EQ(beeps.beeps.size(), 1u);
}

TEST_F(CalendarTest, KeysMoveTheSelectionAndEnterChoosesIt)
{
    Open(Day(2024, 5, 15));
    calendar.SelectDate(Day(2024, 5, 15), TRUE);
    PumpPopupMessages();
    host.messages.clear();
    for (UINT nKey : {static_cast<UINT>(VK_RIGHT), static_cast<UINT>(VK_DOWN), static_cast<UINT>(VK_NEXT)})
        ::SendMessageA(calendar.m_hWnd, WM_KEYDOWN, nKey, 1);
    EXPECT_EQ(Ymd(*calendar.GetSelectedDate()), "2024-06-01");
    ::SendMessageA(calendar.m_hWnd, WM_KEYDOWN, VK_END, 1);
    EXPECT_EQ(Ymd(*calendar.GetSelectedDate()), "2024-06-30");
    ::SendMessageA(calendar.m_hWnd, WM_KEYDOWN, VK_RETURN, 1);
    PumpPopupMessages();
    EXPECT_EQ(host.Count(GXBM_CALENDAR_CHOSEN), 1u);
    EXPECT_GE(host.Count(GXBM_CALENDAR_SELECTED), 1u);
    EXPECT_FALSE(::IsWindowVisible(calendar.m_hWnd)) << "a choice hides the calendar";
}

TEST_F(CalendarTest, TheTitleButtonsMoveTheDisplayedMonth)
{
    Open(Day(2024, 5, 15));
    struct Case
    {
        UINT nId;
        const char* shown;
    } cases[] = {{GX_IDC_CAL_NEXTMONTH, "2024-06"}, {GX_IDC_CAL_PREVYEAR, "2023-06"},
                 {GX_IDC_CAL_NEXTYEAR, "2024-06"}, {GX_IDC_CAL_PREVMONTH, "2024-05"}};
    for (const Case& c : cases)
    {
        CButton* pButton = calendar.GetTitle().GetButton(c.nId);
        ASSERT_NE(pButton, nullptr) << c.nId;
        ::SendMessageA(calendar.m_hWnd, WM_COMMAND, MAKEWPARAM(c.nId, BN_CLICKED),
                       reinterpret_cast<LPARAM>(pButton->m_hWnd));
        EXPECT_EQ(Ymd(calendar.GetDisplayedDate()).substr(0, 7), c.shown);
    }
}

TEST(PopupCalendarTest, EscapeCancelsAndDeactivationWithASelectionChoosesOnce)
{
    GXStartLibrary();
    MessageHost owner;
    ASSERT_TRUE(owner.Open());
    {
        CGXBPopupCalendar popup;
        popup.SetInitialDate(Day(2024, 5, 15));
        ASSERT_TRUE(popup.Create(WS_VISIBLE | 0x1, CRect(50, 50, 150, 70), &owner));
        RECT rect;
        ::GetWindowRect(popup.m_hWnd, &rect);
        EXPECT_EQ(rect.left, 50);
        EXPECT_EQ(rect.top, 70) << "below the owner rectangle";
        ::SendMessageA(popup.m_hWnd, WM_KEYDOWN, VK_ESCAPE, 1);
        PumpPopupMessages();
        EXPECT_EQ(owner.Count(GXBM_CALENDAR_CANCELLED), 1u);
        EXPECT_EQ(owner.Count(GXBM_CALENDAR_CHOSEN), 0u);
        EXPECT_FALSE(::IsWindowVisible(popup.m_hWnd));
    }
    owner.messages.clear();
    {
        CGXBPopupCalendar popup;
        popup.SetInitialDate(Day(2024, 5, 15));
        ASSERT_TRUE(popup.Create(WS_VISIBLE | 0x1, CRect(50, 50, 150, 70), &owner));
        popup.SelectDate(Day(2024, 5, 20), TRUE);
        ::SendMessageA(popup.m_hWnd, WM_ACTIVATE, WA_INACTIVE, 0);
        PumpPopupMessages();
        EXPECT_EQ(owner.Count(GXBM_CALENDAR_CHOSEN), 1u);
        EXPECT_EQ(owner.Count(GXBM_CALENDAR_CANCELLED), 0u);
        EXPECT_EQ(Ymd(popup.GetSelectedBoxDate()), "2024-05-20");
    }
}
