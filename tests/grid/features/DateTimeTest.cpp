// Dates and times of cell values: the short-date pattern's order, the parser of the variant without
// automation dates (both outputs), its fixed formats, and which variant the start-up installs.
#include "grid/features/DateTimeImp.h"

#include "grid/core/AppData.h"
#include "grid/core/GridCore.h"
#include "grid/core/Range.h"
#include "grid/core/Style.h"

#include <gtest/gtest.h>

#include <cstring>
#include <ctime>
#include <string>
#include <vector>

namespace
{

class DateTimeTest : public ::testing::Test
{
protected:
    void SetUp() override { GXStartLibrary(); }

    CGXNoOleDateTimeImp imp;
};

struct ParseCase
{
    const char* pszText;
    int nOrder;
    BOOL bResult;
    // Year, month, day, hour, minute, second of the record (when the parse succeeds).
    int fields[6];
};

TEST_F(DateTimeTest, TheParserReadsDatesAndTimesInTheGivenOrder)
{
    const ParseCase cases[] = {
        {"12/31/2002 10:30", 1, TRUE, {2002, 12, 31, 10, 30, 0}},
        {"12/31/2002 10:30:45", 1, TRUE, {2002, 12, 31, 10, 30, 45}},
        {"2/29/2000", 1, TRUE, {2000, 2, 29, 0, 0, 0}},
        {"2/29/1900", 1, FALSE, {}},
        {"2/30/2002", 1, FALSE, {}},
        // A time alone falls on the default date, and the record holds no date (month 0).
        {"10:30 PM", 1, TRUE, {70, 0, 1, 22, 30, 0}},
        {"12:00 AM", 1, TRUE, {70, 0, 1, 0, 0, 0}},
        {"12:15 pm", 1, TRUE, {70, 0, 1, 12, 15, 0}},
        {"13:00 AM", 1, FALSE, {}},
        {"24:00", 1, TRUE, {70, 0, 1, 24, 0, 0}},
        {"10:75", 1, FALSE, {}},
        // Six digits are three groups of two; two-digit years are 1901 to 1999.
        {"311202", 0, TRUE, {1902, 12, 31, 0, 0, 0}},
        {"31.12.2002", 0, TRUE, {2002, 12, 31, 0, 0, 0}},
        {"2002-12-31", 2, TRUE, {2002, 12, 31, 0, 0, 0}},
        {"12/31/05", 1, TRUE, {1905, 12, 31, 0, 0, 0}},
        {"12/31/2002/5", 1, TRUE, {2002, 12, 31, 0, 0, 0}},
        {"abc", 1, FALSE, {}},
        {"31/12/2002", 1, FALSE, {}},
        {"12/31/20021", 1, FALSE, {}},
        {"", 1, TRUE, {0, 0, 0, 0, 0, 0}},
    };
    for (const ParseCase& c : cases)
    {
        SCOPED_TRACE(c.pszText);
        GXDateTimeRecord record;
        std::memset(&record, 0xCD, sizeof record);
        EXPECT_EQ(imp.ParseDateTimeFields(record, c.pszText, c.nOrder), c.bResult);
        EXPECT_EQ(record.fraction, 0u);
        if (!c.bResult)
            continue;
        const int actual[6] = {record.year, record.month, record.day, record.hour, record.minute, record.second};
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(actual[i], c.fields[i]) << "field " << i;
    }
}

TEST_F(DateTimeTest, TheCalendarStructureCountsYearsFrom1900)
{
    struct TmCase
    {
        const char* pszText;
        int nYear;  // years since 1900
        int nMonth; // 0 to 11
        int nDay;
        int nHour;
    };
    const TmCase cases[] = {
        {"12/31/2002 10:30", 102, 11, 31, 10},
        {"1/2/1850", -50, 0, 2, 0}, // a full year counts from 1900, whatever its century
        {"1/2/05", 5, 0, 2, 0},     // 1905
        {"1/2/37", 37, 0, 2, 0},    // 1937: two digits are always 1901 to 1999
        {"1/2/0", 100, 0, 2, 0},    // year 0 stands for 2000
        {"3:04 PM", 70, 0, 1, 15},  // a time alone falls on 1 January 1970
    };
    for (const TmCase& c : cases)
    {
        SCOPED_TRACE(c.pszText);
        struct tm time;
        std::memset(&time, 0x5A, sizeof time);
        ASSERT_TRUE(imp.ParseDateTimeTm(time, c.pszText, 1));
        EXPECT_EQ(time.tm_year, c.nYear);
        EXPECT_EQ(time.tm_mon, c.nMonth);
        EXPECT_EQ(time.tm_mday, c.nDay);
        EXPECT_EQ(time.tm_hour, c.nHour);
        EXPECT_EQ(time.tm_wday, 0);
        EXPECT_EQ(time.tm_yday, 0);
        EXPECT_EQ(time.tm_isdst, 0);
    }
    struct tm time;
    EXPECT_FALSE(imp.ParseDateTimeTm(time, "2/29/1900", 1));
}

TEST_F(DateTimeTest, TheShortDatePatternGivesTheOrderTheSeparatorAndTheYearDigits)
{
    struct PatternCase
    {
        const char* pszPattern;
        int nOrder;
        char cSeparator;
        BOOL bFourDigitYear;
    };
    const PatternCase cases[] = {
        {"dd.MM.yyyy", 0, '.', TRUE},
        {"M/d/yy", 1, '/', FALSE},
        {"yyyy-MM-dd", 2, '-', TRUE},
        {"d MMM yyyy", 0, ' ', TRUE},
        {"ddMMyy", 0, '\0', FALSE},
    };
    for (const PatternCase& c : cases)
    {
        SCOPED_TRACE(c.pszPattern);
        BOOL bFourDigitYear = 7;
        char cSeparator = 'x';
        EXPECT_EQ(GXDateOrderFromPattern(c.pszPattern, bFourDigitYear, cSeparator), c.nOrder);
        EXPECT_EQ(cSeparator, c.cSeparator);
        EXPECT_EQ(bFourDigitYear, c.bFourDigitYear);
    }
    BOOL bFourDigitYear = 7;
    char cSeparator = 'x';
    EXPECT_EQ(GXDateOrderFromPattern("", bFourDigitYear, cSeparator), 1);
    EXPECT_EQ(bFourDigitYear, 7) << "an empty pattern leaves the outputs alone";
    EXPECT_EQ(cSeparator, 'x');
}

TEST_F(DateTimeTest, FixedFormatsFollowTheLocalesOrder)
{
    // The test program runs in English (United States): month first, '/', years of four digits
    // only when the locale's pattern has them.
    BOOL bFourDigitYear = FALSE;
    char cSeparator = 0;
    ASSERT_EQ(imp.GetDateOrder(TRUE, bFourDigitYear, cSeparator), 1);
    ASSERT_EQ(cSeparator, '/');
    ASSERT_EQ(imp.GetTimeSeparator(TRUE), ':');
    const std::string year = bFourDigitYear ? "2002" : "02";

    struct FormatCase
    {
        GXDateTimeRecord record;
        std::string text;
    };
    const FormatCase cases[] = {
        {{2002, 12, 31, 10, 30, 5, 0}, "12/31/" + year + " 10:30:05"},
        {{2002, 1, 2, 0, 0, 0, 0}, "01/02/" + year},
        {{70, 0, 1, 22, 5, 0, 0}, "22:05:00"}, // month 0: the time alone
        {{0, 0, 0, 0, 0, 0, 0}, ""},
    };
    for (const FormatCase& c : cases)
    {
        CString text = "old";
        imp.FormatDateTimeFields(text, c.record);
        EXPECT_EQ(std::string(text), c.text);
    }
}

TEST_F(DateTimeTest, ATimeValueShowsItsLocalDateAndTimeInTheCLocale)
{
    struct tm local = {};
    local.tm_year = 102;
    local.tm_mon = 11;
    local.tm_mday = 31;
    local.tm_hour = 10;
    local.tm_min = 30;
    local.tm_sec = 5;
    local.tm_isdst = -1;
    const __time64_t withTime = _mktime64(&local);
    local.tm_hour = local.tm_min = local.tm_sec = 0;
    local.tm_isdst = -1;
    const __time64_t midnight = _mktime64(&local);
    ASSERT_NE(withTime, -1);

    CGXOleDateTimeImp ole;
    CGXAbstractDateTimeImp* const imps[] = {&imp, &ole};
    for (CGXAbstractDateTimeImp* pImp : imps)
    {
        CString text;
        pImp->FormatTimeValue(text, withTime);
        EXPECT_EQ(std::string(text), "12/31/02 10:30:05");
        pImp->FormatTimeValue(text, midnight);
        EXPECT_EQ(std::string(text), "12/31/02") << "midnight shows the date alone";
        pImp->FormatTimeValue(text, -1000000000000LL);
        EXPECT_EQ(std::string(text), "") << "a time the runtime cannot convert";
    }
}

TEST_F(DateTimeTest, TheStartUpInstallsTheAutomationVariantAndTheCoreParsesThroughIt)
{
    CGXAbstractDateTimeImp* pImp = GXGetAppData()->m_pDateTimeImp;
    ASSERT_NE(pImp, nullptr);
    EXPECT_NE(dynamic_cast<CGXOleDateTimeImp*>(pImp), nullptr);
    // Installing either again keeps the one in force.
    InstallNoOleDateTimeImp();
    InstallOleDateTimeImp();
    EXPECT_EQ(GXGetAppData()->m_pDateTimeImp, pImp);

    BOOL bFourDigitYear = 7;
    char cSeparator = 'x';
    EXPECT_EQ(GXGetDateOrder(FALSE, bFourDigitYear, cSeparator), 3);
    EXPECT_EQ(cSeparator, 'x') << "the automation variant writes nothing";

    GXDateTimeRecord record;
    ASSERT_TRUE(pImp->ParseDateTimeFields(record, "12/31/2002 10:30", 3));
    EXPECT_EQ(record.year, 2002);
    EXPECT_EQ(record.month, 12);
    EXPECT_EQ(record.day, 31);
    EXPECT_EQ(record.hour, 10);
    EXPECT_EQ(record.minute, 30);
    EXPECT_FALSE(pImp->ParseDateTimeFields(record, "no date", 3));

    double dValue = 0;
    ASSERT_TRUE(pImp->ParseDateTime("1/1/2000", dValue));
    EXPECT_DOUBLE_EQ(dValue, 36526.0);
    CString text;
    pImp->FormatDateTimeFields(text, GXDateTimeRecord{2002, 2, 30, 0, 0, 0, 0});
    EXPECT_EQ(std::string(text), "Invalid DateTime");
}

// Counts the re-reads of the locale's formats.
class CCountingDateTimeImp : public CGXNoOleDateTimeImp
{
public:
    void InitDateTimeFormats() override { ++nInits; }
    int nInits = 0;
};

TEST_F(DateTimeTest, AChangeOfTheSystemSettingsRereadsTheLocalesFormats)
{
    CGXAppData* pAppData = GXGetAppData();
    CCountingDateTimeImp counting;
    CGXAbstractDateTimeImp* pInstalled = pAppData->m_pDateTimeImp;
    pAppData->m_pDateTimeImp = &counting;
    CGXGridCore grid;
    grid.InitializeGrid();
    grid.OnGridSettingChange("intl");
    pAppData->m_pDateTimeImp = pInstalled;
    EXPECT_EQ(counting.nInits, 1);
}

// Notes every text that the automation-date parser is asked about.
class CRecordingDateTimeImp : public CGXOleDateTimeImp
{
public:
    BOOL ParseDateTime(LPCTSTR pszText, double& dValue) override
    {
        texts.emplace_back(pszText);
        return CGXOleDateTimeImp::ParseDateTime(pszText, dValue);
    }
    std::vector<std::string> texts;
};

class ScopedRecordingDates
{
public:
    ScopedRecordingDates() : m_pPrevious(GXGetAppData()->m_pDateTimeImp) { GXGetAppData()->m_pDateTimeImp = &imp; }
    ~ScopedRecordingDates() { GXGetAppData()->m_pDateTimeImp = m_pPrevious; }
    ScopedRecordingDates(const ScopedRecordingDates&) = delete;
    ScopedRecordingDates& operator=(const ScopedRecordingDates&) = delete;

    CRecordingDateTimeImp imp;

private:
    CGXAbstractDateTimeImp* m_pPrevious;
};

TEST_F(DateTimeTest, APasteAsksTheParserOncePerDistinctTextAndTypesEveryCell)
{
    ScopedRecordingDates dates;
    CGXGridCore grid;
    grid.InitializeGrid();
    grid.SetRowCount(3);
    grid.SetColCount(2);
    const char text[] = "1/2/2003\tx\r\n1/2/2003\tx\r\n1/2/2003\ty\r\n";
    ASSERT_TRUE(grid.PasteTextFromBuffer(text, sizeof text - 1, CGXRange(1, 1, 3, 2)));
    EXPECT_EQ(dates.imp.texts, (std::vector<std::string>{"1/2/2003", "x", "y"}));
    CGXStyle stored;
    for (ROWCOL nRow = 1; nRow <= 3; ++nRow)
    {
        ASSERT_TRUE(grid.GetStoredStyleRowCol(nRow, 1, stored, gxCopy, 0));
        EXPECT_EQ(stored.GetValueType(), static_cast<unsigned>(GX_VT_NUMERIC)) << nRow;
        ASSERT_TRUE(grid.GetStoredStyleRowCol(nRow, 2, stored, gxCopy, 0));
        EXPECT_EQ(stored.GetValueType(), static_cast<unsigned>(GX_VT_TEXT)) << nRow;
    }

    // The answers last for one paste: the next asks again.
    dates.imp.texts.clear();
    const char again[] = "1/2/2003";
    ASSERT_TRUE(grid.PasteTextFromBuffer(again, sizeof again - 1, CGXRange(1, 1)));
    EXPECT_EQ(dates.imp.texts, std::vector<std::string>{"1/2/2003"});
}

TEST_F(DateTimeTest, AChangeOfTheSystemSettingsForgetsTheKeptAnswers)
{
    ScopedRecordingDates dates;
    CGXGridCore grid;
    grid.InitializeGrid();
    grid.SetRowCount(1);
    grid.SetColCount(3);
    const CGXDateTestMemoScope memo(grid.GetAppData());
    grid.StoreCellValueText(1, 1, "1/2/2003", GX_INVALIDATE);
    grid.StoreCellValueText(1, 2, "1/2/2003", GX_INVALIDATE);
    // The locale's date order may have changed with the settings.
    grid.OnGridSettingChange("intl");
    grid.StoreCellValueText(1, 3, "1/2/2003", GX_INVALIDATE);
    EXPECT_EQ(dates.imp.texts, (std::vector<std::string>{"1/2/2003", "1/2/2003"}));
}

} // namespace
