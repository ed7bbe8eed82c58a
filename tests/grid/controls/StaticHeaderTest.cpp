// Static-text and header cells: text margins, the raised, pressed and spreadsheet looks of
// headers, and the themed look when the system reports visual styles.
#include "grid/controls/Static.h"

#include "grid/controls/UxTheme.h"
#include "grid/core/ControlFactory.h"

#include "CellTestGrid.h"

#include <gtest/gtest.h>

namespace
{
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kGrey = RGB(128, 128, 128);

FARPROC AsProc(void* pfn)
{
    return reinterpret_cast<FARPROC>(pfn);
}
BOOL WINAPI FakeTrue()
{
    return TRUE;
}
BOOL WINAPI FakeFalse()
{
    return FALSE;
}
HTHEME WINAPI FakeOpenThemeData(HWND, LPCWSTR)
{
    return nullptr;
}

// Stands in for the visual-styles engine: themed or not, and no theme part ever opens.
class FakeThemeEngine
{
public:
    explicit FakeThemeEngine(BOOL bThemed)
    {
        GXUxTheme::Load();
        void* pAnswer = bThemed ? reinterpret_cast<void*>(&FakeTrue) : reinterpret_cast<void*>(&FakeFalse);
        m_oldThemed = GXUxTheme::SetEntryPoint("IsAppThemed", AsProc(pAnswer));
        m_oldActive = GXUxTheme::SetEntryPoint("IsThemeActive", AsProc(pAnswer));
        m_oldOpen = GXUxTheme::SetEntryPoint("OpenThemeData", AsProc(reinterpret_cast<void*>(&FakeOpenThemeData)));
    }
    ~FakeThemeEngine()
    {
        GXUxTheme::SetEntryPoint("IsAppThemed", m_oldThemed);
        GXUxTheme::SetEntryPoint("IsThemeActive", m_oldActive);
        GXUxTheme::SetEntryPoint("OpenThemeData", m_oldOpen);
    }

private:
    FARPROC m_oldThemed;
    FARPROC m_oldActive;
    FARPROC m_oldOpen;
};

class StaticHeaderTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(grid.Open()); }

    // Draws header cell (row, col) into a canvas of the cell's size filled with a colour no frame uses.
    void DrawHeader(MemoryCanvas& canvas, ROWCOL nRow, ROWCOL nCol, int cx = 60, int cy = 20)
    {
        CGXStyle style;
        grid.BuildEffectiveStyle(nRow, nCol, style, TRUE);
        style.SetInterior(kFill);
        header.Draw(&canvas.dc, CRect(0, 0, cx, cy), nRow, nCol, style, nullptr);
    }

    static constexpr COLORREF kFill = RGB(10, 200, 30);
    CellTestGrid grid;
    CGXHeader header{&grid};
};

TEST_F(StaticHeaderTest, TextMarginsFollowTheAlignment)
{
    CGXStatic control(&grid);
    const int m = CGXStatic::GetTextMargin();
    EXPECT_GE(m, 2);
    struct Case
    {
        UINT nAlign;
        int nRightMargin;
    } cases[] = {{DT_LEFT, m / 2}, {DT_CENTER, m / 2}, {DT_RIGHT, m + 1}};
    for (const Case& c : cases)
    {
        CGXStyle style;
        style.SetHorizontalAlignment(c.nAlign);
        const CRect inner = control.CGXControl::GetCellRect(2, 2, CRect(0, 0, 60, 20), &style);
        const CRect text = control.GetCellRect(2, 2, CRect(0, 0, 60, 20), &style);
        EXPECT_EQ(text.left, inner.left + m) << c.nAlign;
        EXPECT_EQ(text.right, inner.right - c.nRightMargin) << c.nAlign;
    }
    CGXStyle style;
    EXPECT_EQ(control.GetBorderSize(2, 2, style).cx - grid.AddBorders(CSize(0, 0), style).cx, 2 * m + 1);
}

TEST_F(StaticHeaderTest, SizeAndFloatingAnswerNothingWithoutTheirComponents)
{
    // The control factory installs both components in every grid; this one goes without.
    grid.m_pCalcSizeImp = nullptr;
    grid.m_pFloatCellsImp = nullptr;
    CGXStatic control(&grid);
    CGXStyle style;
    style.SetValue("text");
    MemoryCanvas canvas(10, 10);
    EXPECT_EQ(control.CalcSize(&canvas.dc, 1, 1, style, nullptr, FALSE), CSize(0, 0));
    EXPECT_FALSE(control.CanFloatCell(1, 1, style, TRUE));
}

TEST_F(StaticHeaderTest, TheFactoryMakesStaticHeaderAndEditControls)
{
    CGXControlFactory factory;
    std::unique_ptr<CGXControl> pStatic(factory.CreateControl(GX_IDS_CTRL_STATIC, &grid));
    std::unique_ptr<CGXControl> pHeader(factory.CreateControl(GX_IDS_CTRL_HEADER, &grid));
    std::unique_ptr<CGXControl> pEdit(factory.CreateControl(GX_IDS_CTRL_EDIT, &grid));
    std::unique_ptr<CGXControl> pOther(factory.CreateControl(GX_IDS_CTRL_COLORWELL, &grid));
    EXPECT_STREQ(pStatic->GetClassInfo()->m_lpszClassName, "CGXStatic");
    EXPECT_STREQ(pHeader->GetClassInfo()->m_lpszClassName, "CGXHeader");
    EXPECT_TRUE(pHeader->IsKindOf(GRID_CONTROL_CLASSINFO(CGXStatic)));
    EXPECT_STREQ(pEdit->GetClassInfo()->m_lpszClassName, "CGXEditControl");
    EXPECT_STREQ(pOther->GetClassInfo()->m_lpszClassName, "CGXEditControl");
}

TEST_F(StaticHeaderTest, AStaticCellDrawsItsValue)
{
    CGXStatic control(&grid);
    CGXStyle style;
    grid.BuildEffectiveStyle(1, 1, style, TRUE);
    style.SetValue("WWW").SetTextColor(kBlack).SetInterior(kWhite);
    MemoryCanvas canvas(60, 20, RGB(1, 2, 3));
    control.Draw(&canvas.dc, CRect(0, 0, 60, 20), 1, 1, style, nullptr);
    int nDark = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 60; ++x)
            nDark += canvas.At(x, y) == kBlack;
    EXPECT_GT(nDark, 10);
    EXPECT_EQ(canvas.At(59, 0), kWhite);
}

// A static cell drawn by a control that adds its own drawing.
class CMarkedStatic : public CGXStatic
{
    GRID_DECLARE_CONTROL(CMarkedStatic)
public:
    using CGXStatic::CGXStatic;
};
GRID_IMPLEMENT_CONTROL(CMarkedStatic, CGXStatic)

// Only an empty static cell without a frame draws nothing but its interior as the engine's brush fill
// would, and only the static control itself says so: a derived control's drawing is not known to it.
TEST_F(StaticHeaderTest, OnlyAnEmptyPlainStaticCellDrawsItsInteriorAlone)
{
    CGXStatic control(&grid);
    CMarkedStatic marked(&grid);
    CGXStyle empty;
    grid.BuildEffectiveStyle(2, 2, empty, TRUE);
    CGXStyle text(empty);
    text.SetValue("x");
    CGXStyle frame(empty);
    frame.SetDraw3dFrame(1);
    CGXStyle hollow(empty);
    hollow.SetInterior(CGXStyleBrush(CGXStyleBrush::bsHollow, kBlack));
    CGXStyle hatched(empty);
    hatched.SetInterior(CGXStyleBrush(CGXStyleBrush::bsHatched, kBlack, HS_CROSS));
    struct Case
    {
        const char* name;
        CGXControl* pControl;
        const CGXStyle* pStyle;
        BOOL bInteriorOnly;
    } cases[] = {{"empty", &control, &empty, TRUE},
                 {"text", &control, &text, FALSE},
                 {"3-D frame", &control, &frame, FALSE},
                 {"hatched", &control, &hatched, TRUE},
                 {"hollow, which the engine fills in its back colour", &control, &hollow, FALSE},
                 {"header", &header, &empty, FALSE},
                 {"derived", &marked, &empty, FALSE}};
    for (const Case& c : cases)
        EXPECT_EQ(c.pControl->DrawsInteriorOnly(2, 2, *c.pStyle), c.bInteriorOnly) << c.name;
}

TEST_F(StaticHeaderTest, StaticTextFollowsTheGridsZoomButNotInThePrinterLayout)
{
    auto darkPixels = [&] {
        CGXStatic control(&grid);
        CGXStyle style;
        grid.BuildEffectiveStyle(1, 1, style, TRUE);
        style.SetValue("W").SetTextColor(kBlack).SetInterior(kWhite);
        MemoryCanvas canvas(120, 80);
        control.Draw(&canvas.dc, CRect(0, 0, 120, 80), 1, 1, style, nullptr);
        int nDark = 0;
        for (int y = 0; y < 80; ++y)
            for (int x = 0; x < 120; ++x)
                nDark += canvas.At(x, y) == kBlack;
        return nDark;
    };
    const int nPlain = darkPixels();
    grid.SetZoom(200, FALSE);
    const int nZoomed = darkPixels();
    EXPECT_GT(nZoomed, 2 * nPlain);
    grid.GetParam()->SetDisplayPrinterLayout(TRUE);
    EXPECT_EQ(darkPixels(), nPlain);
}

TEST_F(StaticHeaderTest, AHeaderOnePixelWideOrHighDrawsNothing)
{
    MemoryCanvas canvas(60, 20, RGB(1, 2, 3));
    DrawHeader(canvas, 0, 1, 1, 20);
    DrawHeader(canvas, 0, 1, 60, 1);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 60; ++x)
            ASSERT_EQ(canvas.At(x, y), RGB(1, 2, 3)) << x << "," << y;
}

TEST_F(StaticHeaderTest, ClassicHeadersAreRaisedAndTheCurrentCellsArePressed)
{
    grid.SetCurrentCellInfo(TRUE, 2, 2);
    MemoryCanvas raised(60, 20);
    DrawHeader(raised, 3, 0);
    MemoryCanvas pressed(60, 20);
    DrawHeader(pressed, 2, 0);

    CRect frame;
    CGXStyle style;
    grid.BuildEffectiveStyle(3, 0, style, TRUE);
    grid.SubtractBorders(frame, CRect(0, 0, 60, 20), style, TRUE);
    const int midX = (frame.left + frame.right) / 2;
    const int midY = (frame.top + frame.bottom) / 2;
    const COLORREF highlight = ::GetSysColor(COLOR_BTNHIGHLIGHT) & 0xFFFFFF;
    // Raised: highlight top and left, black bottom and right.
    EXPECT_EQ(raised.At(midX, frame.top), highlight);
    EXPECT_EQ(raised.At(frame.left, midY), highlight);
    EXPECT_EQ(raised.At(midX, frame.bottom - 1), kBlack);
    EXPECT_EQ(raised.At(frame.right - 1, midY), kBlack);
    // Pressed: no highlight, black bottom and right.
    EXPECT_EQ(pressed.At(midX, frame.top), kFill);
    EXPECT_EQ(pressed.At(frame.left, midY), kFill);
    EXPECT_EQ(pressed.At(midX, frame.bottom - 1), kBlack);
    EXPECT_EQ(pressed.At(frame.right - 1, midY), kBlack);
}

TEST_F(StaticHeaderTest, WithoutTheHeaderPropertyOnlyBackgroundAndTextAreDrawn)
{
    grid.GetProperties()->SetDisplay3dHeader(FALSE);
    MemoryCanvas canvas(60, 20);
    DrawHeader(canvas, 3, 0);
    EXPECT_EQ(canvas.At(30, 19), kFill);
    EXPECT_EQ(canvas.At(59, 10), kFill);
    EXPECT_EQ(canvas.At(30, 0), kFill);
}

TEST_F(StaticHeaderTest, SpreadsheetHeadersRaiseTheCurrentCellsAndTheSelectionsOnly)
{
    FakeThemeEngine engine(FALSE);
    grid.GetParam()->m_bSpreadsheetHeaders = TRUE;
    grid.SetCurrentCellInfo(TRUE, 2, 2);
    grid.GetParam()->m_SelRects.AddTail(new CGXRange(5, 4));
    CRect frame;
    CGXStyle style;
    grid.BuildEffectiveStyle(3, 0, style, TRUE);
    grid.SubtractBorders(frame, CRect(0, 0, 60, 20), style, TRUE);
    const int midY = (frame.top + frame.bottom) / 2;

    struct Case
    {
        ROWCOL nRow, nCol;
        BOOL bRaised;
    } cases[] = {{2, 0, TRUE}, {0, 2, TRUE}, {5, 0, TRUE}, {0, 4, TRUE}, {3, 0, FALSE}, {0, 3, FALSE}};
    for (const Case& c : cases)
    {
        MemoryCanvas canvas(60, 20);
        DrawHeader(canvas, c.nRow, c.nCol);
        // Raised: a two-pixel dark edge at the right (grey inside black); flat: grey line only.
        EXPECT_EQ(canvas.At(frame.right - 1, midY), c.bRaised ? kBlack : kGrey) << c.nRow << "," << c.nCol;
        EXPECT_EQ(canvas.At(frame.right - 2, midY), c.bRaised ? kGrey : kFill) << c.nRow << "," << c.nCol;
        EXPECT_EQ(canvas.At(frame.left, midY), kWhite) << c.nRow << "," << c.nCol;
    }
}

TEST_F(StaticHeaderTest, ASelectedRowRaisesItsHeaderAndEveryColumnHeader)
{
    FakeThemeEngine engine(FALSE);
    grid.GetParam()->m_bSpreadsheetHeaders = TRUE;
    grid.SetCurrentCellInfo(FALSE);
    CRect frame;
    CGXStyle style;
    grid.BuildEffectiveStyle(3, 0, style, TRUE);
    grid.SubtractBorders(frame, CRect(0, 0, 60, 20), style, TRUE);
    const int midY = (frame.top + frame.bottom) / 2;
    auto raised = [&](ROWCOL nRow, ROWCOL nCol) {
        MemoryCanvas canvas(60, 20);
        DrawHeader(canvas, nRow, nCol);
        return canvas.At(frame.right - 1, midY) == kBlack;
    };
    // Nothing current and nothing selected: every header is flat.
    EXPECT_FALSE(raised(5, 0));
    EXPECT_FALSE(raised(0, 1));

    grid.GetParam()->m_SelRects.AddTail(new CGXRange(CGXRange().SetRows(5)));
    EXPECT_TRUE(raised(5, 0));
    EXPECT_FALSE(raised(4, 0));
    EXPECT_TRUE(raised(0, 1));
    EXPECT_TRUE(raised(0, 5));
}

TEST_F(StaticHeaderTest, ThemedHeadersWithoutAThemePartFillTheCurrentCellsHeaderWithTheDerivedColour)
{
    FakeThemeEngine engine(TRUE);
    GXUxTheme::InitThemeColors();
    grid.GetParam()->m_bSpreadsheetHeaders = TRUE;
    grid.SetCurrentCellInfo(TRUE, 2, 2);

    MemoryCanvas current(60, 20);
    DrawHeader(current, 2, 0);
    MemoryCanvas other(60, 20);
    DrawHeader(other, 3, 0);

    EXPECT_EQ(current.At(3, 3), GXUxTheme::GetThemeColor(5) & 0xFFFFFF);
    EXPECT_EQ(other.At(3, 3), kFill);
    CRect frame;
    CGXStyle style;
    grid.BuildEffectiveStyle(3, 0, style, TRUE);
    grid.SubtractBorders(frame, CRect(0, 0, 60, 20), style, TRUE);
    EXPECT_EQ(other.At(30, frame.bottom - 1), kGrey);
    EXPECT_EQ(other.At(frame.right - 1, 10), kGrey);
}
}  // namespace
