// The theme wrapper: failure values without the engine, colour arithmetic, the derived table, and
// themed against classic drawing of a header and a check-box frame.
#include "grid/controls/UxTheme.h"

#include "FakeThemeEngine.h"

#include "framework/win/Dc.h"
#include "grid/core/DrawingAndFormatting.h"

#include <gtest/gtest.h>
#include <vsstyle.h>

#include <cmath>
#include <string>

namespace
{
const COLORREF kWhite = RGB(255, 255, 255);
const COLORREF kThemeRed = RGB(200, 0, 0);

// Puts the module back into its loaded state whatever a test did to it.
class UxThemeTest : public ::testing::Test
{
protected:
    void TearDown() override
    {
        GXUxTheme::Unload();
        GXUxTheme::Load();
    }
};
}  // namespace

TEST_F(UxThemeTest, WithoutTheEngineEveryWrapperAnswersItsFailureValue)
{
    GXUxTheme::Unload();
    EXPECT_EQ(nullptr, GXUxTheme::GetEntryPoint("OpenThemeData"));
    EXPECT_EQ(nullptr, GXUxTheme::OpenThemeData(nullptr, L"BUTTON"));
    EXPECT_EQ(E_FAIL, GXUxTheme::CloseThemeData(nullptr));
    RECT rect = {0, 0, 10, 10};
    EXPECT_EQ(E_FAIL, GXUxTheme::DrawThemeBackground(nullptr, nullptr, 1, 1, &rect, nullptr));
    EXPECT_EQ(E_FAIL, GXUxTheme::DrawThemeEdge(nullptr, nullptr, 1, 1, &rect, EDGE_RAISED, BF_RECT, nullptr));
    EXPECT_FALSE(GXUxTheme::IsThemeActive());
    EXPECT_FALSE(GXUxTheme::IsAppThemed());
    TRACKMOUSEEVENT track = {};
    EXPECT_FALSE(GXUxTheme::TrackMouseEvent(&track));
    EXPECT_FALSE(GXUxTheme::DrawThemedBackground(nullptr, L"BUTTON", nullptr, 1, 1, &rect));
    EXPECT_TRUE(GXUxTheme::Unload()) << "unloading twice does nothing";
}

TEST_F(UxThemeTest, LoadBindsWhatTheSystemOffersOnce)
{
    ASSERT_TRUE(GXUxTheme::Load());
    // Wine ships uxtheme, msimg32 and user32.
    const FARPROC pfnOpen = GXUxTheme::GetEntryPoint("OpenThemeData");
    EXPECT_NE(nullptr, pfnOpen);
    EXPECT_NE(nullptr, GXUxTheme::GetEntryPoint("TransparentBlt"));
    EXPECT_NE(nullptr, GXUxTheme::GetEntryPoint("TrackMouseEvent"));
    EXPECT_EQ(nullptr, GXUxTheme::GetEntryPoint("NoSuchEntry"));
    EXPECT_TRUE(GXUxTheme::Load());
    EXPECT_EQ(pfnOpen, GXUxTheme::GetEntryPoint("OpenThemeData"));
}

TEST_F(UxThemeTest, BlendWeightsArePerCentBelow100AndPerMilleAbove)
{
    struct
    {
        BYTE nWeight;
        COLORREF expected;
    } const cases[] = {
        {100, RGB(20, 0, 0)},   // 10 % of 200
        {99, RGB(198, 0, 0)},   // 99 % of 200
        {50, RGB(100, 0, 0)},
        {0, RGB(0, 0, 0)},
        {165, RGB(33, 0, 0)},   // 16.5 %
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, GXUxTheme::BlendColors(RGB(200, 0, 0), RGB(0, 0, 0), c.nWeight)) << int(c.nWeight);
    EXPECT_EQ(RGB(128, 128, 128), GXUxTheme::BlendColors(kWhite, RGB(0, 0, 0), 50));
}

TEST_F(UxThemeTest, DistanceFromBlackIsBrightness)
{
    EXPECT_NEAR(440.85, GXUxTheme::ColorDistance(kWhite, 0), 0.01);
    EXPECT_NEAR(195.0, GXUxTheme::ColorDistance(RGB(255, 0, 0), 0), 0.01);
    EXPECT_DOUBLE_EQ(0.0, GXUxTheme::ColorDistance(RGB(10, 20, 30), RGB(10, 20, 30)));
}

TEST_F(UxThemeTest, EnsureContrastMovesOnlyColoursThatAreTooClose)
{
    const COLORREF reference = RGB(240, 240, 240);  // bright: the threshold is the amount itself
    const COLORREF farColor = RGB(0, 0, 0);
    EXPECT_EQ(farColor, GXUxTheme::EnsureContrast(farColor, reference, 50));
    const COLORREF nearColor = RGB(230, 230, 230);
    const COLORREF pushed = GXUxTheme::EnsureContrast(nearColor, reference, 50);
    EXPECT_NE(nearColor, pushed);
    EXPECT_NEAR(50.0, GXUxTheme::ColorDistance(pushed, reference), 2.0);
    EXPECT_LT(GXUxTheme::ColorDistance(pushed, 0), GXUxTheme::ColorDistance(reference, 0)) << "away towards black";

    // A dark reference asks for more distance and pushes towards white.
    const COLORREF dark = RGB(20, 20, 20);
    const COLORREF lifted = GXUxTheme::EnsureContrast(RGB(30, 30, 30), dark, 50);
    EXPECT_GT(GXUxTheme::ColorDistance(lifted, 0), GXUxTheme::ColorDistance(dark, 0));
    EXPECT_GT(GXUxTheme::ColorDistance(lifted, dark), 50.0);
}

TEST_F(UxThemeTest, DerivedTableFollowsTheSystemColours)
{
    GXUxTheme::InitThemeColors();
    const COLORREF window = ::GetSysColor(COLOR_WINDOW);
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    const COLORREF k = GXUxTheme::BlendColors(window, face, 165);
    EXPECT_EQ(k, GXUxTheme::GetThemeColor(0));
    EXPECT_EQ(face, GXUxTheme::GetThemeColor(28));
    EXPECT_EQ(::GetSysColor(COLOR_HIGHLIGHT), GXUxTheme::GetThemeColor(8));
    EXPECT_EQ(GXUxTheme::BlendColors(0, GXUxTheme::GetThemeColor(5), 25), GXUxTheme::GetThemeColor(30));
    EXPECT_EQ(kWhite, GXUxTheme::GetThemeColor(33));
    EXPECT_EQ(kWhite, GXUxTheme::GetThemeColor(-1));
}

// ---------------------------------------------------------------------------------------------
// Themed and classic drawing

namespace
{
// A header frame and a check-box frame as the header and check-box cells draw them: themed when the
// wrapper draws, else the classic raised header and the classic check box.
bool DrawHeaderFrame(CDC& dc, const RECT& rect)
{
    if (GXUxTheme::DrawThemedBackground(nullptr, L"HEADER", dc.m_hDC, HP_HEADERITEM, HIS_NORMAL, &rect))
        return true;
    CGXDrawingAndFormatting::FillSolidRect(&dc, rect, ::GetSysColor(COLOR_BTNFACE));
    CGXDrawingAndFormatting::GetInstance()->Draw3dFrame(&dc, rect.left, rect.top, rect.right, rect.bottom, 1,
                                                        ::GetSysColor(COLOR_BTNHIGHLIGHT), RGB(0, 0, 0));
    return false;
}

bool DrawCheckBoxFrame(CDC& dc, const RECT& rect)
{
    if (GXUxTheme::DrawThemedBackground(nullptr, L"BUTTON", dc.m_hDC, BP_CHECKBOX, CBS_UNCHECKEDNORMAL, &rect))
        return true;
    RECT box = rect;
    ::DrawFrameControl(dc.m_hDC, &box, DFC_BUTTON, DFCS_BUTTONCHECK);
    return false;
}

class ThemedDrawing : public UxThemeTest
{
protected:
    CDC dc;
    CBitmap bitmap;
    CBitmap* pOld = nullptr;
    const CRect header{0, 0, 60, 20};
    const CRect checkBox{70, 2, 83, 15};

    void SetUp() override
    {
        ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
        ASSERT_TRUE(bitmap.CreateBitmap(100, 30, 1, 32, nullptr));
        pOld = dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, 100, 30, kWhite);
        FakeEngine::Reset();
    }
    void TearDown() override
    {
        dc.SelectObject(pOld);
        UxThemeTest::TearDown();
    }
    void InstallFakeEngine() { FakeEngine::Install(); }
    void ExpectClassicLook()
    {
        EXPECT_EQ(::GetSysColor(COLOR_BTNHIGHLIGHT), dc.GetPixel(header.left, header.top));
        EXPECT_EQ(RGB(0, 0, 0), dc.GetPixel(header.right - 1, header.bottom - 1));
        EXPECT_EQ(::GetSysColor(COLOR_BTNFACE), dc.GetPixel(header.CenterPoint()));
        EXPECT_EQ(::GetSysColor(COLOR_WINDOW), dc.GetPixel(checkBox.CenterPoint())) << "an empty box";
        EXPECT_NE(kWhite, dc.GetPixel(checkBox.left, checkBox.top)) << "with a frame";
    }
};
}  // namespace

TEST_F(ThemedDrawing, ThemedPathDrawsThroughTheEngineAndClosesTheTheme)
{
    InstallFakeEngine();
    EXPECT_TRUE(DrawHeaderFrame(dc, header));
    EXPECT_EQ(L"HEADER", FakeEngine::s_lastClass);
    EXPECT_EQ(HP_HEADERITEM, FakeEngine::s_nPart);
    EXPECT_EQ(HIS_NORMAL, FakeEngine::s_nState);
    EXPECT_TRUE(DrawCheckBoxFrame(dc, checkBox));
    EXPECT_EQ(L"BUTTON", FakeEngine::s_lastClass);
    EXPECT_EQ(BP_CHECKBOX, FakeEngine::s_nPart);
    EXPECT_EQ(2, FakeEngine::s_nOpened);
    EXPECT_EQ(2, FakeEngine::s_nClosed);
    EXPECT_EQ(kThemeRed, dc.GetPixel(header.CenterPoint()));
    EXPECT_EQ(kThemeRed, dc.GetPixel(checkBox.CenterPoint()));
}

TEST_F(ThemedDrawing, APartReachingFarBeyondTheDCIsCutToWhatTheDCCanShow)
{
    // The DC shows 100 x 30 pixels; parts are cut 512 pixels beyond that.
    InstallFakeEngine();
    struct
    {
        CRect part;
        CRect drawn;   // empty: the engine is not asked
    } const cases[] = {
        {{0, 0, 60, 20}, {0, 0, 60, 20}},
        {{-400, -10, 400, 40}, {-400, -10, 400, 40}},
        {{-5000000, 0, 5000000, 20}, {-512, 0, 612, 20}},
        {{10, -2000000000, 50, 2000000000}, {10, -512, 50, 542}},
        {{900, 0, 960, 20}, {}},
    };
    for (const auto& c : cases)
    {
        FakeEngine::s_nDrawn = 0;
        dc.FillSolidRect(0, 0, 100, 30, kWhite);
        EXPECT_TRUE(GXUxTheme::DrawThemedBackground(nullptr, L"HEADER", dc.m_hDC, HP_HEADERITEM, HIS_NORMAL, &c.part));
        if (c.drawn.IsRectEmpty())
        {
            EXPECT_EQ(FakeEngine::s_nDrawn, 0);
            continue;
        }
        EXPECT_EQ(FakeEngine::s_nDrawn, 1);
        EXPECT_EQ(CRect(FakeEngine::s_lastRect), c.drawn);
        EXPECT_EQ(dc.GetPixel(CRect(c.part & CRect(0, 0, 100, 30)).CenterPoint()), kThemeRed);
    }
    EXPECT_EQ(FakeEngine::s_nOpened, FakeEngine::s_nClosed);
}

TEST_F(ThemedDrawing, ClassicPathWhenTheEngineReportsNoTheme)
{
    InstallFakeEngine();
    struct
    {
        BOOL bAppThemed, bActive, bOpens;
        int nOpened;
    } const cases[] = {{TRUE, FALSE, TRUE, 0}, {FALSE, TRUE, TRUE, 0}, {TRUE, TRUE, FALSE, 2}};
    for (const auto& c : cases)
    {
        FakeEngine::s_bAppThemed = c.bAppThemed;
        FakeEngine::s_bActive = c.bActive;
        FakeEngine::s_bOpens = c.bOpens;
        FakeEngine::s_nOpened = FakeEngine::s_nClosed = 0;
        dc.FillSolidRect(0, 0, 100, 30, kWhite);
        EXPECT_FALSE(DrawHeaderFrame(dc, header));
        EXPECT_FALSE(DrawCheckBoxFrame(dc, checkBox));
        EXPECT_EQ(c.nOpened, FakeEngine::s_nOpened);
        EXPECT_EQ(0, FakeEngine::s_nClosed) << "no theme, nothing to close";
        ExpectClassicLook();
    }
}

TEST_F(ThemedDrawing, TheSystemsOwnEngineRunsEitherPath)
{
    // Wine draws with its built-in theme when it reports one active, else the classic look follows.
    const COLORREF kGreen = RGB(0, 255, 0);
    dc.FillSolidRect(0, 0, 100, 30, kGreen);
    const bool bThemed = GXUxTheme::IsAppThemed() && GXUxTheme::IsThemeActive();
    const bool bHeaderThemed = DrawHeaderFrame(dc, header);
    const bool bCheckThemed = DrawCheckBoxFrame(dc, checkBox);
    EXPECT_TRUE(bThemed || (!bHeaderThemed && !bCheckThemed));
    if (!bHeaderThemed && !bCheckThemed)
        ExpectClassicLook();
    // Either way every pixel of both parts was drawn over.
    for (const CRect& part : {header, checkBox})
    {
        int nGreen = 0;
        for (int y = part.top; y < part.bottom; ++y)
            for (int x = part.left; x < part.right; ++x)
                nGreen += dc.GetPixel(x, y) == kGreen;
        EXPECT_LT(nGreen, part.Width() * part.Height() / 4);
    }
}
