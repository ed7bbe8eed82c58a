#include "framework/core/Time.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

TEST(COleDateTime, SetDateTimeGivesTheAutomationDate)
{
    struct Case { int y, mo, d, h, mi, s; double date; };
    const Case cases[] = {
        {1899, 12, 30, 0, 0, 0, 0.0},
        {2002, 12, 31, 18, 0, 0, 37621.75},
        {1900, 3, 1, 0, 0, 0, 61.0},
        {1899, 12, 29, 6, 0, 0, -1.25},
        {100, 1, 1, 0, 0, 0, -657434.0},
        {9999, 12, 31, 0, 0, 0, 2958465.0},
    };
    for (const Case& c : cases) {
        COleDateTime date;
        EXPECT_EQ(date.SetDateTime(c.y, c.mo, c.d, c.h, c.mi, c.s), 0);
        EXPECT_EQ(date.GetStatus(), COleDateTime::valid);
        EXPECT_DOUBLE_EQ(date.m_dt, c.date) << c.y << "-" << c.mo << "-" << c.d;
        EXPECT_EQ(date.GetYear(), c.y);
        EXPECT_EQ(date.GetMonth(), c.mo);
        EXPECT_EQ(date.GetDay(), c.d);
        EXPECT_EQ(date.GetHour(), c.h);
    }
}

TEST(COleDateTime, DatesThatDoNotExistAreInvalid)
{
    struct Case { int y, mo, d, h, mi, s; };
    const Case cases[] = {
        {2001, 2, 29, 0, 0, 0}, {1900, 2, 29, 0, 0, 0}, {99, 12, 31, 0, 0, 0}, {10000, 1, 1, 0, 0, 0},
        {2002, 13, 1, 0, 0, 0}, {2002, 4, 31, 0, 0, 0}, {2002, 1, 1, 24, 0, 0}, {2002, 1, 1, 0, 60, 0},
        {2002, 1, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        COleDateTime date(c.y, c.mo, c.d, c.h, c.mi, c.s);
        EXPECT_EQ(date.GetStatus(), COleDateTime::invalid) << c.y << "-" << c.mo << "-" << c.d;
        EXPECT_EQ(date.GetYear(), -1);
        EXPECT_STREQ(date.Format("%Y"), "Invalid DateTime");
    }
    EXPECT_EQ(COleDateTime(2000, 2, 29, 0, 0, 0).GetStatus(), COleDateTime::valid);
    EXPECT_EQ(COleDateTime(1e9).GetStatus(), COleDateTime::invalid);
}

TEST(COleDateTime, FieldsRoundToTheSecondAndCountWeekdays)
{
    const COleDateTime almostMidnight(0.99999999);
    EXPECT_EQ(almostMidnight.GetDay(), 31);
    EXPECT_EQ(almostMidnight.GetHour(), 0);
    EXPECT_EQ(COleDateTime(2002, 12, 31, 0, 0, 0).GetDayOfWeek(), 3);  // Tuesday
    EXPECT_EQ(COleDateTime(1899, 12, 30, 0, 0, 0).GetDayOfWeek(), 7);  // Saturday
    EXPECT_EQ(COleDateTime(1899, 12, 29, 0, 0, 0).GetDayOfWeek(), 6);
    EXPECT_EQ(COleDateTime(2004, 12, 31, 0, 0, 0).GetDayOfYear(), 366);
    // -0.5 is noon of day 0, as is 0.5.
    EXPECT_EQ(COleDateTime(-0.5).GetDay(), 30);
    EXPECT_EQ(COleDateTime(-0.5).GetHour(), 12);
}

TEST(COleDateTime, ComparesAndStepsAcrossTheNegativeScale)
{
    const COleDateTime morning(1899, 12, 29, 6, 0, 0);  // -1.25
    const COleDateTime noon(1899, 12, 29, 12, 0, 0);    // -1.5
    EXPECT_TRUE(morning < noon);
    EXPECT_TRUE(noon > morning);
    EXPECT_FALSE(morning == noon);
    const COleDateTime nextMorning = morning + COleDateTimeSpan(1, 0, 0, 0);
    EXPECT_DOUBLE_EQ(nextMorning.m_dt, 0.25);
    EXPECT_EQ(nextMorning.GetDay(), 30);
    EXPECT_DOUBLE_EQ((noon - morning).GetTotalHours(), 6.0);
    const COleDateTime back = COleDateTime(2003, 1, 1, 0, 0, 0) - COleDateTimeSpan(1, 12, 0, 0);
    EXPECT_EQ(back.GetDay(), 30);
    EXPECT_EQ(back.GetHour(), 12);
}

TEST(COleDateTime, FormatsWithStrftimeCodes)
{
    const COleDateTime date(2002, 12, 31, 18, 5, 9);
    EXPECT_STREQ(date.Format("%Y-%m-%d %H:%M:%S"), "2002-12-31 18:05:09");
    EXPECT_STREQ(date.Format("%A %B %j"), "Tuesday December 365");
    EXPECT_STREQ(date.Format("%d.%m.%y 100%%"), "31.12.02 100%");
    // Codes the runtime does not know are kept instead of reaching its invalid-parameter handler.
    EXPECT_STREQ(date.Format("%Q %Y %"), "%Q 2002 %");
    EXPECT_FALSE(date.Format("%#c").IsEmpty());
    COleDateTime nothing;
    nothing.SetStatus(COleDateTime::null);
    EXPECT_TRUE(nothing.Format("%Y").IsEmpty());
}

TEST(COleDateTime, ParsesWhatItFormats)
{
    const COleDateTime date(2002, 12, 31, 18, 5, 9);
    const CString text = date.Format();
    ASSERT_FALSE(text.IsEmpty());
    COleDateTime parsed;
    EXPECT_TRUE(parsed.ParseDateTime(text));
    EXPECT_EQ(parsed.GetStatus(), COleDateTime::valid);
    EXPECT_NEAR(parsed.m_dt, date.m_dt, 1.0 / 86400) << text;

    COleDateTime bad(2002, 1, 1, 0, 0, 0);
    EXPECT_FALSE(bad.ParseDateTime("no date at all"));
    EXPECT_EQ(bad.GetStatus(), COleDateTime::invalid);
    EXPECT_FALSE(bad.ParseDateTime(""));
}

TEST(COleDateTime, CurrentTimeAgreesWithTheClock)
{
    const COleDateTime now = COleDateTime::GetCurrentTime();
    const COleDateTime fromTime(CTime::GetCurrentTime().GetTime());
    EXPECT_EQ(now.GetStatus(), COleDateTime::valid);
    EXPECT_LT(std::fabs((now - fromTime).GetTotalSeconds()), 5.0);
}

TEST(CTime, HoldsLocalTimeAndFormats)
{
    const CTime time(2002, 12, 31, 18, 5, 9);
    EXPECT_EQ(time.GetYear(), 2002);
    EXPECT_EQ(time.GetMonth(), 12);
    EXPECT_EQ(time.GetDay(), 31);
    EXPECT_EQ(time.GetHour(), 18);
    EXPECT_EQ(time.GetMinute(), 5);
    EXPECT_EQ(time.GetSecond(), 9);
    EXPECT_EQ(time.GetDayOfWeek(), 3);
    EXPECT_STREQ(time.Format("%d.%m.%Y %H:%M"), "31.12.2002 18:05");
    EXPECT_STREQ(time.Format("{%Y}"), "{2002}");
    const CTime later = time + CTimeSpan(1, 0, 0, 30);
    EXPECT_EQ(later.GetDay(), 1);
    EXPECT_EQ((later - time).GetTotalSeconds(), 86430);
    EXPECT_TRUE(later > time);
    EXPECT_GT(CTime::GetCurrentTime().GetYear(), 2020);
}
