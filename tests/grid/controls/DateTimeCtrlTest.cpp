// The date/time window: formats become fields, typed digits and names set them, steps wrap inside
// their field and keep to real dates, and the range snaps or refuses a change by the field's level.
#include "grid/controls/DateTimeCtrl.h"

#include "framework/win/SeamRecorders.h"
#include "framework/win/Seams.h"
#include "grid/controls/Calendar.h"
#include "grid/core/AppData.h"

#include "PopupTestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
std::string Stamp(const COleDateTime& date)
{
    char sz[40];
    std::snprintf(sz, sizeof sz, "%04d-%02d-%02d %02d:%02d:%02d", date.GetYear(), date.GetMonth(), date.GetDay(),
                  date.GetHour(), date.GetMinute(), date.GetSecond());
    return sz;
}

class DateTimeCtrlTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        GXStartLibrary();
        ASSERT_TRUE(host.Open());
        pOldBeep = AfxSetBeepSeam(&beeps);
    }
    void TearDown() override { AfxSetBeepSeam(pOldBeep); }

    void Open(LPCTSTR pszFormat, const COleDateTime& value, DWORD dwStyle = 0)
    {
        ASSERT_TRUE(ctrl.Create(0, WS_VISIBLE | dwStyle, CRect(10, 10, 260, 34), &host, 7));
        ctrl.SetCustomFormat(pszFormat);
        ctrl.SetDateTime(value);
        ::SetFocus(ctrl.m_hWnd);
    }
    // Makes the first field of the id current.
    void Field(int nId)
    {
        for (int i = 0; i < ctrl.GetGadgetCount(); ++i)
            if (ctrl.GetGadget(i)->m_nId == nId)
            {
                ASSERT_TRUE(ctrl.SetCurrentIndex(i));
                return;
            }
        FAIL() << "no field " << nId;
    }
    void Type(const char* psz)
    {
        for (; *psz != '\0'; ++psz)
            ::SendMessageA(ctrl.m_hWnd, WM_CHAR, static_cast<BYTE>(*psz), 1);
    }
    void Key(UINT nKey) { ::SendMessageA(ctrl.m_hWnd, WM_KEYDOWN, nKey, 1); }

    MessageHost host;
    CGXBDateTimeCtrl ctrl;
    CRecordingBeep beeps;
    CBeepSeam* pOldBeep = nullptr;
};
}  // namespace

TEST_F(DateTimeCtrlTest, ACustomFormatBecomesFields)
{
    struct Case
    {
        const char* format;
        std::vector<int> ids;   // -1 for literal text
        const char* text;
    } cases[] = {
        {"dd/MM/yyyy", {32, -1, 128, -1, 1024}, "05/07/2024"},
        {"'Day' d", {-1, -1, 32}, "Day 5"},   // the quoted word, the blank, the day
        {"h:mm t", {1, -1, 4, -1, 16}, "3:04 P"},
        {"MMMM d, yyyy", {256, -1, 32, -1, 1024}, "July 5, 2024"},
        {"dddd HH:mm:ss", {64, -1, 2, -1, 4, -1, 8}, "Friday 15:04:09"},
        {"", {}, ""},
    };
    ASSERT_TRUE(ctrl.Create(0, WS_VISIBLE, CRect(10, 10, 260, 34), &host, 7));
    ctrl.SetDateTime(COleDateTime(2024, 7, 5, 15, 4, 9));
    for (const Case& c : cases)
    {
        ctrl.SetCustomFormat(c.format);
        std::vector<int> ids;
        for (int i = ctrl.GetFixedCount(); i < ctrl.GetGadgetCount(); ++i)
            ids.push_back(ctrl.GetGadget(i)->m_nId);
        EXPECT_EQ(ids, c.ids) << c.format;
        EXPECT_EQ(std::string(ctrl.GetFieldsText()), c.text) << c.format;
    }
}

TEST_F(DateTimeCtrlTest, TypedDigitsFillANumberFieldAndARefusedDateBeeps)
{
    Open("dd/MM/yyyy", COleDateTime(2024, 5, 10, 0, 0, 0));
    Field(32);
    Type("3");
    EXPECT_EQ(ctrl.GetDateTime().GetDay(), 10) << "a first digit waits for the second";
    EXPECT_EQ(ctrl.GetState() & 4, 4u);
    Type("1");
    EXPECT_EQ(ctrl.GetDateTime().GetDay(), 31);
    EXPECT_EQ(ctrl.GetCurrentGadget()->m_nId, 128) << "a complete field moves on";
    EXPECT_EQ(ctrl.GetState() & 1, 1u);

    ctrl.SetDateTime(COleDateTime(2024, 4, 10, 0, 0, 0));
    Field(32);
    beeps.beeps.clear();
    Type("31");
    EXPECT_EQ(Stamp(ctrl.GetDateTime()), "2024-04-10 00:00:00") << "31 April does not exist";
    EXPECT_EQ(beeps.beeps.size(), 1u);
    EXPECT_EQ(ctrl.GetCurrentGadget()->m_nId, 32);

    Field(32);
    Type("05");
    EXPECT_EQ(ctrl.GetDateTime().GetDay(), 5) << "a leading zero completes a two-digit field";
    Type("/");
    EXPECT_EQ(ctrl.GetCurrentGadget()->m_nId, 1024) << "the separator skips to the next field";
}

TEST_F(DateTimeCtrlTest, TwoZerosSetAMinuteToZero)
{
    Open("HH:mm", COleDateTime(2024, 5, 10, 9, 45, 0));
    Field(4);
    Type("00");
    EXPECT_EQ(Stamp(ctrl.GetDateTime()), "2024-05-10 09:00:00");
}

TEST_F(DateTimeCtrlTest, MonthNamesAreFoundByTypeAhead)
{
    Open("MMMM", COleDateTime(2024, 7, 5, 0, 0, 0));
    Field(256);
    Type("j");
    EXPECT_EQ(ctrl.GetDateTime().GetMonth(), 1);
    CGXBDTGadget* pList = ctrl.GetCurrentGadget();
    EXPECT_NE(CGXBDTGadget::TimerOf(pList), 0u) << "the type-ahead runs on a timer";
    Type("j");
    EXPECT_EQ(ctrl.GetDateTime().GetMonth(), 6) << "the same initial cycles";
    // The timer runs out: the next letters start a new search.
    CGXBDTGadget::TimerTick(CGXBDTGadget::TimerOf(pList));
    EXPECT_EQ(CGXBDTGadget::TimerOf(pList), 0u);
    Type("jul");
    EXPECT_EQ(ctrl.GetDateTime().GetMonth(), 7);
    beeps.beeps.clear();
    Type("x");
    EXPECT_EQ(beeps.beeps.size(), 1u) << "no name continues with the letters";
    EXPECT_EQ(ctrl.GetDateTime().GetMonth(), 7);
}

TEST_F(DateTimeCtrlTest, StepsWrapInsideTheirFieldAndStopAtTheYearLimits)
{
    Open("dd/MM/yyyy HH:mm", COleDateTime(2024, 3, 1, 0, 0, 0));
    struct Case
    {
        COleDateTime from;
        int field;
        UINT key;
        const char* to;
    } cases[] = {
        {COleDateTime(2024, 3, 1, 0, 0, 0), 32, VK_DOWN, "2024-03-31 00:00:00"},
        {COleDateTime(2024, 3, 31, 0, 0, 0), 32, VK_UP, "2024-03-01 00:00:00"},
        {COleDateTime(2024, 1, 31, 0, 0, 0), 128, VK_UP, "2024-02-29 00:00:00"},   // the day is lowered
        {COleDateTime(2024, 12, 5, 0, 0, 0), 128, VK_UP, "2024-01-05 00:00:00"},   // the year stays
        {COleDateTime(100, 6, 1, 0, 0, 0), 1024, VK_DOWN, "0100-06-01 00:00:00"},
        {COleDateTime(9999, 6, 1, 0, 0, 0), 1024, VK_UP, "9999-06-01 00:00:00"},
        {COleDateTime(2024, 3, 1, 23, 0, 0), 2, VK_UP, "2024-03-01 00:00:00"},
        {COleDateTime(2024, 3, 1, 5, 0, 0), 4, VK_DOWN, "2024-03-01 05:59:00"},
        {COleDateTime(2024, 3, 10, 5, 0, 0), 32, VK_END, "2024-03-31 05:00:00"},
    };
    for (const Case& c : cases)
    {
        ctrl.SetDateTime(c.from);
        Field(c.field);
        Key(c.key);
        EXPECT_EQ(Stamp(ctrl.GetDateTime()), c.to) << Stamp(c.from) << " field " << c.field;
    }
}

TEST_F(DateTimeCtrlTest, TheMaximumSnapsAMinuteStepAndRefusesAnHourStep)
{
    Open("HH:mm:ss", COleDateTime(2024, 5, 1, 12, 29, 40));
    const COleDateTime maximum(2024, 5, 1, 12, 30, 15);
    ASSERT_TRUE(ctrl.SetRange(COleDateTime(2024, 1, 1, 0, 0, 0), maximum, 3));
    struct Case
    {
        COleDateTime from;
        int field;
        const char* to;
    } cases[] = {
        {COleDateTime(2024, 5, 1, 12, 29, 40), 4, "2024-05-01 12:30:15"},   // seconds snap to the maximum's
        {COleDateTime(2024, 5, 1, 12, 45, 0), 2, "2024-05-01 12:45:00"},    // another hour: refused
        {COleDateTime(2024, 5, 1, 11, 45, 0), 2, "2024-05-01 12:30:15"},    // the maximum's hour: snapped
        {COleDateTime(2024, 5, 1, 12, 30, 10), 8, "2024-05-01 12:30:11"},
    };
    for (const Case& c : cases)
    {
        ctrl.SetDateTime(c.from);
        Field(c.field);
        Key(VK_UP);
        EXPECT_EQ(Stamp(ctrl.GetDateTime()), c.to) << Stamp(c.from) << " field " << c.field;
    }
    EXPECT_FALSE(ctrl.SetRange(maximum, COleDateTime(2024, 1, 1, 0, 0, 0), 3)) << "minimum after maximum";
}

TEST_F(DateTimeCtrlTest, ChangesAreReportedToTheParent)
{
    Open("dd", COleDateTime(2024, 5, 10, 0, 0, 0));
    host.messages.clear();
    Field(32);
    Key(VK_UP);
    ASSERT_EQ(host.Count(WM_COMMAND), 1u);
    EXPECT_EQ(host.messages[0].wParam, MAKEWPARAM(7, GXDT_DTN_CHANGED));
}

TEST_F(DateTimeCtrlTest, TheCalendarButtonOpensTheCalendarAndItsChoiceKeepsTheTime)
{
    Open("dd/MM/yyyy HH:mm", COleDateTime(2024, 5, 10, 8, 30, 0), GXDT_DTS_CALENDAR | GXDT_DTS_UPDOWN);
    EXPECT_EQ(ctrl.GetGadget(0)->m_nId, CGXBDateTimeCtrl::idButton);
    EXPECT_EQ(ctrl.GetGadget(1)->m_nId, CGXBDateTimeCtrl::idSpin);
    EXPECT_LT(ctrl.GetGadget(1)->m_rect.right, ctrl.GetGadget(0)->m_rect.right) << "the button stands rightmost";
    ::SendMessageA(ctrl.m_hWnd, WM_SYSKEYDOWN, VK_DOWN, kAltDown);
    CGXBPopupCalendar* pCalendar = ctrl.GetCalendar();
    ASSERT_NE(pCalendar, nullptr);
    pCalendar->SelectDate(COleDateTime(2024, 5, 20, 12, 0, 0), TRUE);
    ::SendMessageA(pCalendar->m_hWnd, WM_KEYDOWN, VK_RETURN, 1);
    PumpPopupMessages();
    EXPECT_EQ(Stamp(ctrl.GetDateTime()), "2024-05-20 08:30:00");
    EXPECT_EQ(ctrl.GetCalendar(), nullptr);
    // A late second report finds no calendar and changes nothing.
    ::SendMessageA(ctrl.m_hWnd, GXBM_CALENDAR_CHOSEN, 1, 0);
    EXPECT_EQ(Stamp(ctrl.GetDateTime()), "2024-05-20 08:30:00");
}

TEST_F(DateTimeCtrlTest, TheSpinStepsTheCurrentFieldAndRepeatsOnItsTimer)
{
    Open("dd/MM/yyyy", COleDateTime(2024, 5, 10, 0, 0, 0), GXDT_DTS_UPDOWN);
    Field(32);
    CGXBDTGadget* pSpin = ctrl.GetGadget(0);
    const CPoint up(pSpin->m_rect.CenterPoint().x, pSpin->m_rect.top + 2);
    ::SendMessageA(ctrl.m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(up.x, up.y));
    EXPECT_EQ(ctrl.GetDateTime().GetDay(), 11);
    const UINT_PTR nTimer = CGXBDTGadget::TimerOf(pSpin);
    ASSERT_NE(nTimer, 0u);
    for (int i = 0; i < 3; ++i)
        CGXBDTGadget::TimerTick(CGXBDTGadget::TimerOf(pSpin));
    EXPECT_EQ(ctrl.GetDateTime().GetDay(), 14);
    ::SendMessageA(ctrl.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(up.x, up.y));
    EXPECT_EQ(CGXBDTGadget::TimerOf(pSpin), 0u) << "the release stops the timer";
    EXPECT_EQ(ctrl.GetCurrentGadget()->m_nId, 32);
}
