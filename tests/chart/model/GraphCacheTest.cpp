// What the chart caches: pens and fonts by their text keys, stock shapes and compiled polygons.
#include "chart/model/CompiledPolygon.h"
#include "chart/model/Graph.h"

#include "ChartTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <utility>
#include <vector>

namespace {
using Points = std::vector<std::pair<LONG, LONG>>;

Points PointsOf(QVGCompiledPolygon* pPolygon)
{
    POINT* pPoints = pPolygon->GetPoints();
    Points points;
    for (int i = 0; i < pPolygon->GetPointCount(); ++i)
        points.emplace_back(pPoints[i].x, pPoints[i].y);
    return points;
}
}  // namespace

TEST(GraphCache, WideDashedPensAreGeometricWithPatternsInUnitsOfTheWidth)
{
    QVGraph chart;
    CPen* pThin = chart.GetPen(PS_DASH, 1, RGB(1, 2, 3));
    LOGPEN thin = {};
    ASSERT_EQ(int(sizeof thin), ::GetObjectA(pThin->GetSafeHandle(), sizeof thin, &thin));
    EXPECT_EQ(UINT(PS_DASH), thin.lopnStyle);

    CPen* pWide = chart.GetPen(PS_DASH, 3, RGB(1, 2, 3));
    BYTE buffer[sizeof(EXTLOGPEN) + 8 * sizeof(DWORD)] = {};
    ASSERT_GT(::GetObjectA(pWide->GetSafeHandle(), sizeof buffer, buffer), 0);
    const EXTLOGPEN* pExt = reinterpret_cast<const EXTLOGPEN*>(buffer);
    EXPECT_EQ(DWORD(PS_GEOMETRIC), pExt->elpPenStyle & PS_TYPE_MASK);
    EXPECT_EQ(DWORD(PS_USERSTYLE), pExt->elpPenStyle & PS_STYLE_MASK);
    ASSERT_EQ(2u, pExt->elpNumEntries);
    EXPECT_EQ(6u, pExt->elpStyleEntry[0]);
    EXPECT_EQ(12u, pExt->elpStyleEntry[1]);

    CPen* pDot = chart.GetPen(PS_DOT, 4, 0);
    ASSERT_GT(::GetObjectA(pDot->GetSafeHandle(), sizeof buffer, buffer), 0);
    EXPECT_EQ(1u, pExt->elpStyleEntry[0]);     // a one stays one unit
    EXPECT_EQ(12u, pExt->elpStyleEntry[1]);

    EXPECT_EQ(pWide, chart.GetPen(PS_DASH, 3, RGB(1, 2, 3)));
    EXPECT_NE(pWide, chart.GetPen(PS_DASH, 3, RGB(1, 2, 4)));
}

TEST(GraphCache, PensOfWidthsAFullCharacterApartStayApart)
{
    QVGraph chart;
    CPen* pThin = chart.GetPen(PS_SOLID, 1, 0);
    CPen* pWide = chart.GetPen(PS_SOLID, 257, 0);
    EXPECT_NE(pThin, pWide);
    LOGPEN pen = {};
    ::GetObjectA(pWide->GetSafeHandle(), sizeof pen, &pen);
    EXPECT_EQ(257, pen.lopnWidth.x);
}

// A width read from a chart file may be anything: the platform takes seconds over a pen a million
// pixels wide, so widths stay between 0 and 2000.
TEST(GraphCache, PenWidthsStayWithinTheLargestPage)
{
    QVGraph chart;
    const struct
    {
        int nAsked;
        LONG nMade;
    } cases[] = {{754974721, 2000}, {2001, 2000}, {2000, 2000}, {-5, 0}, {INT_MIN, 0}};
    for (const auto& c : cases) {
        LOGPEN pen = {};
        ::GetObjectA(chart.GetPen(PS_SOLID, c.nAsked, 0)->GetSafeHandle(), sizeof pen, &pen);
        EXPECT_EQ(c.nMade, pen.lopnWidth.x) << c.nAsked;
    }
    EXPECT_EQ(chart.GetPen(PS_SOLID, 754974721, 0), chart.GetPen(PS_SOLID, 2000, 0));
}

// Sizes read from a chart file may be anything: the platform takes seconds over letters forty thousand
// pixels high, so fonts stay within 2000 pixels.
TEST(GraphCache, FontHeightsStayWithinTheLargestPage)
{
    QVGraph chart;
    CMemoryCanvas canvas(10, 10);
    const int logPixelsY = canvas.dc.GetDeviceCaps(LOGPIXELSY);
    const struct
    {
        int nSize;
        LONG nHeight;
    } cases[] = {{32778, -2000}, {INT_MAX, -2000}, {-100000, -2000}, {INT_MIN, -2000}, {10, -::MulDiv(10, logPixelsY, 72)}};
    for (const auto& c : cases) {
        LOGFONT font = {};
        ::GetObjectA(chart.GetFont("Arial", c.nSize, 0, 0, &canvas.dc)->GetSafeHandle(), sizeof font, &font);
        EXPECT_EQ(c.nHeight, font.lfHeight) << c.nSize;
    }
    LOGFONT huge = {};
    huge.lfHeight = 50000;
    LOGFONT made = {};
    ::GetObjectA(chart.GetFont("Arial", 0, 0, 0, &canvas.dc, &huge)->GetSafeHandle(), sizeof made, &made);
    EXPECT_EQ(2000, made.lfHeight);
}

TEST(GraphCache, FontSizesInPointsAndPixelsAreDifferentFonts)
{
    CMemoryCanvas canvas(10, 10);
    QVGraph chart;
    CFont* pPoints = chart.GetFont("Arial", 10, 1, 0, &canvas.dc);
    CFont* pPixels = chart.GetFont("Arial", -10, 1, 0, &canvas.dc);
    EXPECT_NE(pPoints, pPixels);
    EXPECT_EQ(pPoints, chart.GetFont("Arial", 10, 1, 0, &canvas.dc));
    LOGFONT font = {};
    pPoints->GetLogFont(&font);
    EXPECT_EQ(-13, font.lfHeight);      // 10 points at 96 pixels an inch
    EXPECT_EQ(FW_BOLD, font.lfWeight);
    pPixels->GetLogFont(&font);
    EXPECT_EQ(-10, font.lfHeight);
    CFont* pTurned = chart.GetFont("Arial", 10, 2 | 4, 90, &canvas.dc);
    pTurned->GetLogFont(&font);
    EXPECT_EQ(900, font.lfEscapement);
    EXPECT_TRUE(font.lfItalic);
    EXPECT_TRUE(font.lfUnderline);
    EXPECT_FALSE(font.lfStrikeOut);
}

TEST(GraphCache, FontsAreStrokePrecisionAndTurnWithTheirOrientation)
{
    // The ink of a text drawn with a chart font: wider than high when level, higher than wide turned,
    // for the faces the chart library and its dialogs name.
    const struct
    {
        const char* face;
        int nOrientation;
        bool bUpright;
    } cases[] = {
        {"Arial", 0, false},           {"Arial", 90, true},           {"Arial", 270, true},
        {"Times New Roman", 90, true}, {"Courier New", 270, true},    {"MS Sans Serif", 90, true},
        {"MS Sans Serif", 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.face) + " " + std::to_string(c.nOrientation));
        CMemoryCanvas canvas(300, 300);
        QVGraph chart;
        CFont* pFont = chart.GetFont(c.face, 14, 0, c.nOrientation, &canvas.dc);
        LOGFONT font = {};
        pFont->GetLogFont(&font);
        EXPECT_EQ(OUT_STROKE_PRECIS, font.lfOutPrecision);
        CFont* pOld = canvas.dc.SelectObject(pFont);
        canvas.dc.SetBkMode(TRANSPARENT);
        canvas.dc.SetTextColor(RGB(0, 0, 0));
        canvas.dc.TextOut(150, 150, "Turned text");
        canvas.dc.SelectObject(pOld);
        CRect ink(300, 300, 0, 0);
        for (int y = 0; y < canvas.height; ++y)
            for (int x = 0; x < canvas.width; ++x)
                if (canvas.Pixel(x, y) != RGB(255, 255, 255)) {
                    ink.left = std::min(ink.left, long(x));
                    ink.top = std::min(ink.top, long(y));
                    ink.right = std::max(ink.right, long(x + 1));
                    ink.bottom = std::max(ink.bottom, long(y + 1));
                }
        ASSERT_LT(ink.left, ink.right);
        if (c.bUpright)
            EXPECT_GT(ink.Height(), 3 * ink.Width());
        else
            EXPECT_GT(ink.Width(), 3 * ink.Height());
    }
}

TEST(GraphCache, StockShapesAndUnknownNames)
{
    QVGraph chart;
    QVGCompiledPolygon* pBox = nullptr;
    ASSERT_TRUE(chart.FindStockShape(QVG_STOCK_SHAPE_PREFIX "BOX", "POLYGON", pBox, 0.0));
    QVGCompiledPolygon* pUnknown = nullptr;
    ASSERT_TRUE(chart.FindStockShape(QVG_STOCK_SHAPE_PREFIX "STAR", "POLYGON", pUnknown, 0.0));
    EXPECT_NE(pBox, pUnknown);
    EXPECT_EQ(PointsOf(pBox), PointsOf(pUnknown));     // index 7 is drawn as the box
    QVGCompiledPolygon* pAgain = nullptr;
    chart.FindStockShape(QVG_STOCK_SHAPE_PREFIX "BOX", "POLYGON", pAgain, 30.0);
    EXPECT_EQ(pBox, pAgain);
    EXPECT_TRUE(pBox->IsRotated());
    EXPECT_EQ(30.0, pBox->GetAngle());

    QVGCompiledPolygon* pDiamond = nullptr;
    chart.FindStockShape(QVG_STOCK_SHAPE_PREFIX "DIAMOND", "POLYGON", pDiamond, 0.0);
    const Points diamond = {{0, -10}, {10, 0}, {0, -10}, {-10, 0}, {0, -10}};
    EXPECT_EQ(diamond, PointsOf(pDiamond));
}

TEST(GraphCache, SymbolsAndLineEndsComeFromTheirResources)
{
    QVGraph chart;
    QVGCompiledPolygon* pCircle = nullptr;
    ASSERT_TRUE(chart.FindStockShape("CIRCLE", "WIGETS", pCircle, 0.0));
    EXPECT_EQ(13, pCircle->GetPointCount());
    EXPECT_EQ((std::pair<LONG, LONG>{-3, -8}), PointsOf(pCircle).front());
    QVGCompiledPolygon* pTail = nullptr;
    ASSERT_TRUE(chart.FindStockShape("TAILA", "LINE_ENDS", pTail, 0.0));
    EXPECT_EQ(15, pTail->GetPointCount());
    QVGCompiledPolygon* pNone = nullptr;
    EXPECT_FALSE(chart.FindStockShape("NO_SUCH_SYMBOL", "WIGETS", pNone, 0.0));
}

TEST(CompiledPolygon, CapacityInStepsOf128)
{
    for (int count : {1, 128, 129, 256, 257}) {
        QVGCompiledPolygon polygon;
        for (int i = 0; i < count; ++i)
            polygon.AddPointInt(i, i);
        polygon.EnsureCapacity();
        EXPECT_EQ(count <= 128 ? 128 : (count <= 256 ? 256 : 384), polygon.GetCapacity()) << count;
    }
}

TEST(CompiledPolygon, RegularPolygonIsClosed)
{
    QVGCompiledPolygon pentagon;
    pentagon.MakeRegular(5);
    const Points points = PointsOf(&pentagon);
    ASSERT_EQ(6u, points.size());
    EXPECT_EQ(points.front(), points.back());
    EXPECT_EQ((std::pair<LONG, LONG>{-50, 50}), points.front());    // angle 0: 100 x sin - 50, 100 x cos - 50
}

TEST(CompiledPolygon, TransformScalesRotatesAndMoves)
{
    QVGCompiledPolygon polygon;
    polygon.AddPoint(1, 0);
    polygon.AddPoint(0, 2);
    polygon.SetScaleX(10);
    polygon.SetScaleY(10);
    polygon.Transform(100, 50);
    EXPECT_EQ((Points{{110, 50}, {100, 70}}), PointsOf(&polygon));
    polygon.SetRotation(90);
    polygon.Transform(0, 0);
    EXPECT_EQ((Points{{0, -10}, {20, 0}}), PointsOf(&polygon));
}

TEST(CompiledPolygon, FitToRectGrowsUpwards)
{
    QVGCompiledPolygon polygon;
    polygon.AddPoint(0, 0);
    polygon.AddPoint(10, 0);
    polygon.AddPoint(5, 10);
    polygon.FitToRect(CRect(100, 100, 200, 150));
    EXPECT_EQ((Points{{100, 150}, {200, 150}, {150, 100}}), PointsOf(&polygon));
}

TEST(CompiledPolygon, ArchiveRoundTrip)
{
    QVGCompiledPolygon source(QVGCompiledPolygon::flash);
    source.SetName("flash");
    QVGCompiledPolygon copy;
    RoundTrip(source, copy);
    EXPECT_EQ("flash", std::string(copy.GetName()));
    EXPECT_EQ(PointsOf(&source), PointsOf(&copy));
}
