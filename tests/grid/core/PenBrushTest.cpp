#include "grid/core/StylePenBrush.h"

#include <gtest/gtest.h>

TEST(CGXStylePen, ConstructedNotSet)
{
    CGXStylePen pen;
    EXPECT_EQ(pen.GetStyle(), 7u);
    EXPECT_FALSE(pen.GetInclude());
    EXPECT_EQ(pen.GetWidth(), 1u);
    pen.SetInclude(TRUE);
    EXPECT_EQ(pen.GetStyle(), static_cast<UINT>(PS_SOLID));
    EXPECT_EQ(pen.GetWidth(), 1u);
    pen.SetStyle(PS_DOT).SetInclude(TRUE);
    EXPECT_EQ(pen.GetStyle(), static_cast<UINT>(PS_DOT));
    pen.SetInclude(FALSE);
    EXPECT_FALSE(pen.GetInclude());
}

TEST(CGXStylePen, SettingWidthOrColourMarksItSet)
{
    EXPECT_TRUE(CGXStylePen().SetWidth(3).GetInclude());
    EXPECT_TRUE(CGXStylePen().SetColor(RGB(1, 2, 3)).GetInclude());
}

TEST(CGXStylePen, SystemColourResolvesWhenTheLogPenIsMade)
{
    CGXStylePen pen(PS_SOLID, 2, 0xF6000000);
    EXPECT_EQ(pen.GetColorKind(), static_cast<unsigned>(gxColorSystem));
    EXPECT_EQ(pen.GetColorValue(), static_cast<DWORD>(COLOR_WINDOWTEXT));
    LOGPEN logPen = {};
    pen.GetLogPen(logPen);
    EXPECT_EQ(logPen.lopnColor, ::GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(logPen.lopnWidth.x, 2);
    EXPECT_EQ(logPen.lopnStyle, static_cast<UINT>(PS_SOLID));
    EXPECT_EQ(pen.GetLogPen()->lopnColor, ::GetSysColor(COLOR_WINDOWTEXT));
    // The stored form keeps the system colour's top byte.
    EXPECT_EQ(pen.GetColor() >> 24, 0xF6u);
}

TEST(CGXStylePen, TextForms)
{
    struct Case
    {
        const char* text;
        UINT style;
        UINT width;
        COLORREF color;
        BOOL include;
    } cases[] = {
        {"0 1 255 0 0 0", PS_SOLID, 1, RGB(255, 0, 0), TRUE},
        {"0 1 0 0", 7, 1, 0, FALSE},
        {"7 2 0 0 0", PS_SOLID, 2, 0, TRUE},
        {"  2   3 1 2 3", PS_DOT, 3, RGB(1, 2, 3), TRUE},
        {"", 7, 1, 0, FALSE},
    };
    for (const Case& c : cases)
    {
        CGXStylePen pen;
        pen.SetDescription(c.text);
        EXPECT_EQ(pen.GetStyle(), c.style) << c.text;
        EXPECT_EQ(pen.GetWidth(), c.width) << c.text;
        EXPECT_EQ(pen.GetColor(), c.color) << c.text;
        EXPECT_EQ(pen.GetInclude(), c.include) << c.text;
    }
    CString text;
    EXPECT_EQ(CGXStylePen().SetDescription("0 1 255 0 0 0").GetDescription(text), "0 1 255 0 0 0");
}

TEST(CGXStylePen, SystemColourTextFormCarriesTheCurrentColour)
{
    CGXStylePen pen;
    pen.SetDescription("0 1 0 0 0 249");
    EXPECT_EQ(pen.GetColorKind(), static_cast<unsigned>(gxColorSystem));
    EXPECT_EQ(pen.GetColorValue(), 5u);
    const COLORREF window = ::GetSysColor(COLOR_WINDOW);
    CString expected;
    expected.Format("0 1 %d %d %d 249", GetRValue(window), GetGValue(window), GetBValue(window));
    CString text;
    EXPECT_EQ(pen.GetDescription(text), expected);
}

TEST(CGXStyleBrush, DefaultsAndSetter)
{
    CGXStyleBrush brush;
    EXPECT_EQ(brush.GetStyle(), static_cast<UINT>(CGXStyleBrush::bsSolid));
    EXPECT_EQ(brush.GetBkColor(), RGB(255, 255, 255));
    EXPECT_EQ(brush.GetPattern(), 63u);
    brush.SetBrush(CGXStyleBrush::bsHatched, RGB(1, 2, 3), HS_CROSS);
    EXPECT_EQ(brush.GetStyle(), static_cast<UINT>(CGXStyleBrush::bsHatched));
    EXPECT_EQ(brush.GetColor(), RGB(1, 2, 3));
    EXPECT_EQ(brush.GetHatch(), static_cast<UINT>(HS_CROSS));
    EXPECT_EQ(CGXStyleBrush(CGXStyleBrush::bsSolid, 0xF9000000).GetColor(), ::GetSysColor(COLOR_WINDOW));
}

TEST(CGXStyleBrush, TextForms)
{
    struct Case
    {
        const char* text;
        UINT style;
        UINT hatch;
        COLORREF fore;
        COLORREF back;
    } cases[] = {
        {"0 0 255 255 255", CGXStyleBrush::bsSolid, 0, RGB(255, 255, 255), RGB(0, 0, 0)},
        {"2 3 0 0 0 255 255 255 0", CGXStyleBrush::bsHatched, 3, RGB(0, 0, 0), RGB(255, 255, 255)},
        {"0 0 1 2 3 4 5 6 1", CGXStyleBrush::bsSolid, 0, PALETTEINDEX(1 + 256 * 2), RGB(4, 5, 6)},
        {"0 0 1 2 3 4 5 6 2", CGXStyleBrush::bsSolid, 0, PALETTERGB(1, 2, 3), RGB(4, 5, 6)},
        {"1 2", CGXStyleBrush::bsSolid, 0, 0, 0},
    };
    for (const Case& c : cases)
    {
        CGXStyleBrush brush;
        brush.SetDescription(c.text);
        EXPECT_EQ(brush.GetStyle(), c.style) << c.text;
        EXPECT_EQ(brush.GetHatch(), c.hatch) << c.text;
        EXPECT_EQ(brush.GetStoredColor(), c.fore) << c.text;
        EXPECT_EQ(brush.GetBkColor(), c.back) << c.text;
    }
    CString text;
    EXPECT_EQ(CGXStyleBrush().SetDescription("2 3 0 0 0 255 255 255 0").GetDescription(text), "2 3 0 0 0 255 255 255 0");
}

TEST(CGXStyleBrush, PatternNumberTravelsInTheHatchField)
{
    CGXStyleBrush brush;
    brush.SetDescription("3 41 0 0 0 255 255 255 0");
    EXPECT_EQ(brush.GetStyle(), static_cast<UINT>(CGXStyleBrush::bsPattern));
    EXPECT_EQ(brush.GetPattern(), 41u);
    CString text;
    EXPECT_EQ(brush.GetDescription(text), "3 41 0 0 0 255 255 255 0");
}

TEST(CGXStyleBrush, SystemColoursInTheTextForm)
{
    CGXStyleBrush brush;
    brush.SetColor(0xF9000000);
    brush.SetBkColor(0xF6000000);
    CString text;
    EXPECT_EQ(brush.GetDescription(text), "0 0 5 0 0 8 0 0 249");
    // The back colour comes back as a plain colour.
    CGXStyleBrush read;
    read.SetDescription(text);
    EXPECT_EQ(read.GetColorKind(), static_cast<unsigned>(gxColorSystem));
    EXPECT_EQ(read.GetColor(), ::GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(read.GetBkColorKind(), static_cast<unsigned>(gxColorRGB));
    EXPECT_EQ(read.GetBkColor(), RGB(8, 0, 0));
}
