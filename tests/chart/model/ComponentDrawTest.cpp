// What components draw: fills of every kind, borders, shadows, markers, symbols, line ends and shapes,
// into memory DCs, with pictures in the build folder for a person to look at.
#include "chart/model/CompiledPolygon.h"
#include "chart/model/Graph.h"
#include "chart/model/GraphBackground.h"
#include "chart/model/GraphData.h"
#include "chart/model/GraphFeedback.h"

#include "ChartTestSupport.h"
#include "TestComponents.h"

#include <gtest/gtest.h>

#include <cmath>

#include <cstdlib>

namespace {
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kWhite = RGB(255, 255, 255);

int Brightness(COLORREF c)
{
    return GetRValue(c) + GetGValue(c) + GetBValue(c);
}

// A chart whose drawing area is the whole canvas.
struct ChartOnCanvas
{
    ChartOnCanvas(int width, int height) : canvas(width, height) { chart.SetFixedRect(CRect(0, 0, width, height), 0); }
    void Draw() { chart.Draw(&canvas.dc, nullptr); }
    CMemoryCanvas canvas;
    QVGraph chart;
};

QVGraphBackground* AddBackground(QVGraph& chart, const CRect& rect, int fill, int border, int shadow)
{
    QVGraphBackground* pBackground = new QVGraphBackground;
    pBackground->SetIntRect(rect);
    QVGraphStyle* pStyle = pBackground->GetStyle();
    pStyle->SetFillType(fill);
    pStyle->SetBorderStyle(border);
    pStyle->SetShadowStyle(shadow);
    chart.AddComponent(pBackground);
    return pBackground;
}

// A component that draws one thing through the base's services while the chart draws it.
class CProbeComponent : public QVGraphComponent
{
public:
    std::function<void(CProbeComponent&)> content;
    void DrawContent() override
    {
        if (content)
            content(*this);
    }
};

CProbeComponent* AddProbe(QVGraph& chart, std::function<void(CProbeComponent&)> content)
{
    CProbeComponent* pProbe = new CProbeComponent;
    pProbe->GetStyle()->SetFillType(0);
    pProbe->content = std::move(content);
    chart.AddComponent(pProbe);
    return pProbe;
}

std::string TempBmpPath(const char* name)
{
    char folder[MAX_PATH];
    ::GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + name + std::to_string(::GetCurrentProcessId()) + ".bmp";
}
}  // namespace

// An angled gradient fills only the cells that can show (a rectangle read from a chart file may be
// millions of pixels high), and they keep the colours of their places in the whole rectangle: a panel
// that reaches past the canvas shows what the same panel shows on a larger canvas.
TEST(ComponentDraw, AngledGradientBeyondTheCanvasShowsTheSameCells)
{
    ChartOnCanvas whole(300, 300);
    QVGraphBackground* pWhole = AddBackground(whole.chart, CRect(10, 10, 290, 290), 4, 0, 0);
    pWhole->SetFillColors(kRed, kBlue);
    pWhole->SetFillValue(30);
    whole.Draw();

    ChartOnCanvas part(200, 200);
    QVGraphBackground* pPart = AddBackground(part.chart, CRect(-40, -40, 240, 240), 4, 0, 0);
    pPart->SetFillColors(kRed, kBlue);
    pPart->SetFillValue(30);
    part.Draw();

    int differing = 0;
    for (int y = 0; y < 200; y += 7)
        for (int x = 0; x < 200; x += 7)
            differing += part.canvas.Pixel(x, y) != whole.canvas.Pixel(x + 50, y + 50);
    EXPECT_EQ(0, differing);
    EXPECT_NE(part.canvas.Pixel(0, 0), part.canvas.Pixel(199, 199));
}

TEST(ComponentDraw, BackgroundWithEveryFillBorderAndShadow)
{
    // A 4 x 2 board of panels: each fill type once, with the border and shadow styles in turn.
    ChartOnCanvas board(560, 300);
    const std::string tile = TempBmpPath("chart_tile");
    {
        CMemoryCanvas image(12, 12);
        image.dc.FillSolidRect(0, 0, 6, 6, kBlue);
        image.dc.FillSolidRect(6, 6, 6, 6, RGB(0, 160, 0));
        image.SaveBmp(tile.c_str());
    }
    struct Panel
    {
        int fill, border, shadow;
    };
    const Panel panels[] = {{0, 7, 0}, {1, 1, 1}, {2, 2, 2}, {3, 3, 3}, {4, 4, 1}, {5, 5, 2}, {6, 6, 3}, {1, 9, 0}};
    for (int i = 0; i < 8; ++i) {
        const CRect rect(20 + (i % 4) * 135, 20 + (i / 4) * 140, 130 + (i % 4) * 135, 130 + (i / 4) * 140);
        QVGraphBackground* pPanel = AddBackground(board.chart, rect, panels[i].fill, panels[i].border, panels[i].shadow);
        pPanel->SetFillColors(kRed, kBlue);
        pPanel->GetStyle()->m_crLineColor = RGB(0, 128, 0);
        if (panels[i].fill == 4)
            pPanel->SetFillValue(30);
        if (panels[i].fill == 5)
            pPanel->SetFillImageName("#21609");
        if (panels[i].fill == 6) {
            pPanel->SetFillImageName(tile.c_str());
            pPanel->GetStyle()->SetImageStretched(TRUE);
        }
    }
    board.Draw();
    board.canvas.SaveBmp("chart_backgrounds.bmp");
    CMemoryCanvas& c = board.canvas;

    EXPECT_EQ(kWhite, c.Pixel(75, 75));                      // fill 0: none
    EXPECT_EQ(RGB(0, 128, 0), c.Pixel(20, 75));              // border 7: a frame in the line colour
    EXPECT_EQ(kRed, c.Pixel(210, 75));                       // fill 1: solid
    EXPECT_EQ(kBlack, c.Pixel(265, 75));                     // border 1: black right edge
    EXPECT_LT(Brightness(c.Pixel(267, 75)), 3 * 255);        // shadow 1: 3 units right of the edge
    EXPECT_EQ(kWhite, c.Pixel(270, 75));
    const COLORREF top = c.Pixel(345, 22), bottom = c.Pixel(345, 128);   // fill 2: red at the top to blue
    EXPECT_GT(GetRValue(top), 200);
    EXPECT_GT(GetBValue(bottom), 200);
    const COLORREF left = c.Pixel(427, 75), right = c.Pixel(533, 75);    // fill 3: red at the left to blue
    EXPECT_GT(GetRValue(left), 200);
    EXPECT_GT(GetBValue(right), 200);
    EXPECT_NE(c.Pixel(25, 165), c.Pixel(125, 265));         // fill 4: angled, corners differ
    int patterned = 0;                                       // fill 5: the pattern bitmap, tiled
    for (int x = 160; x < 168; ++x)
        patterned += c.Pixel(x, 175) == kBlack;
    EXPECT_EQ(2, patterned);
    EXPECT_EQ(kBlue, c.Pixel(300, 175));                     // fill 6: the file image, stretched
    EXPECT_EQ(RGB(0, 160, 0), c.Pixel(380, 250));
    EXPECT_EQ(kRed, c.Pixel(480, 220));                      // border 9: the custom hook, nothing drawn
    ::DeleteFileA(tile.c_str());
}

TEST(ComponentDraw, TenMillimetresAt96DpiAre37Pixels)
{
    ChartOnCanvas target(100, 100);
    ASSERT_EQ(96, target.canvas.dc.GetDeviceCaps(LOGPIXELSX));
    QVGraphBackground* pBackground = AddBackground(target.chart, CRect(0, 0, 0, 0), 1, 0, 0);
    pBackground->SetMeasurement(QVGraphRect::millimetres);
    pBackground->SetRect(0, 0, 10, 10);
    pBackground->SetFillColors(kRed, 0);
    target.Draw();
    EXPECT_EQ(CRect(0, 0, 37, 37), pBackground->GetDeviceRect());
    EXPECT_EQ(kRed, target.canvas.Pixel(36, 36));
    EXPECT_EQ(kWhite, target.canvas.Pixel(37, 20));
}

TEST(ComponentDraw, GradientWithoutColourChangeIsOneColour)
{
    ChartOnCanvas target(60, 60);
    QVGraphBackground* pBackground = AddBackground(target.chart, CRect(5, 5, 55, 55), 2, 0, 0);
    pBackground->SetFillColors(kBlack, kBlack);
    target.Draw();
    for (int y = 5; y < 55; y += 7)
        EXPECT_EQ(kBlack, target.canvas.Pixel(30, y)) << y;
}

TEST(ComponentDraw, BorderWidthsAndInnerRectangle)
{
    struct Case
    {
        int border, width;
    };
    const Case cases[] = {{0, 0}, {1, 1}, {2, 1}, {3, 2}, {4, 3}, {5, 3}, {6, 6}, {7, 1}, {9, 6}, {15, 6}};
    for (const Case& c : cases) {
        QVGraphComponent component;
        component.GetStyle()->SetBorderStyle(c.border);
        EXPECT_EQ(c.width, component.GetBorderWidth()) << c.border;
    }
    QVGraphComponent component;
    component.GetStyle()->SetBorderStyle(4);
    component.Recalculate();    // pixels: sizes 10 across, 10 down
    EXPECT_EQ(CRect(13, 23, 87, 77), component.GetInnerRect(CRect(0, 10, 100, 90)));
}

TEST(ComponentDraw, CustomBorderHookForBorderStylesWithBit3)
{
    ChartOnCanvas target(40, 40);
    CRecordingComponent* pComponent = new CRecordingComponent;
    pComponent->GetStyle()->SetBorderStyle(9);
    target.chart.AddComponent(pComponent);
    target.Draw();
    EXPECT_EQ(1, pComponent->customBorders);
}

TEST(ComponentDraw, ColourCodeBrushesAndPens)
{
    ChartOnCanvas target(120, 40);
    AddProbe(target.chart, [](CProbeComponent& probe) {
        QVGraphStyle style;         // an item style: fills follow the marker fill mode
        style.SetMarkerFill(0x10);
        style.SetLineType(0);
        probe.SetColorCode(2);      // colour table entry 2: blue
        const POINT square[5] = {{0, 0}, {40, 0}, {40, 40}, {0, 40}, {0, 0}};
        probe.FillPolygon(square, 5, &style);
        probe.SetColorCode(0x10 | 1);   // a hatch of entry 1 (dark green)
        const POINT second[5] = {{40, 0}, {80, 0}, {80, 40}, {40, 40}, {40, 0}};
        probe.FillPolygon(second, 5, &style);
        probe.SelectColorPen(3, 1);     // entry 3: yellow, solid
        probe.GetDC()->MoveTo(85, 20);
        probe.GetDC()->LineTo(115, 20);
    });
    target.Draw();
    EXPECT_EQ(RGB(0, 0, 255), target.canvas.Pixel(20, 20));
    int hatched = 0;
    for (int x = 41; x < 79; ++x)
        hatched += target.canvas.Pixel(x, 20) == RGB(0, 128, 0);
    EXPECT_GT(hatched, 0);
    EXPECT_LT(hatched, 38);
    EXPECT_EQ(RGB(255, 255, 0), target.canvas.Pixel(100, 20));
}

TEST(ComponentDraw, MarkersAndSymbolsOfAnySizeCoverWhatTheyReachAndNoMore)
{
    // A stored chart can give a marker any size: one of millions covers the canvas, one of no
    // number draws as the smallest marker.
    struct Case
    {
        double size;
        COLORREF corner;   // what the canvas's corner shows afterwards
        COLORREF centre;
    };
    const Case cases[] = {{3.0e9, kRed, kRed}, {1.0e300, kRed, kRed}, {std::nan(""), kWhite, kRed}};
    for (const Case& c : cases)
    {
        for (const int shape : {12, 13, 5})
        {
            ChartOnCanvas board(60, 40);
            QVGraphData item;
            AddProbe(board.chart, [&](CProbeComponent& probe) {
                QVGraphStyle style;
                style.SetMarkerFill(0x20);
                style.m_crFill1 = kRed;
                style.SetLineType(0);
                style.SetOption(30, TRUE);   // explicit sizes
                style.m_dMarkerSize = c.size;
                style.m_dSymbolWidth = c.size;
                style.SetShapeType(shape);
                style.m_strText = "SQUARE";
                probe.DrawSymbol(30, 20, &style, &item);
            });
            board.Draw();
            EXPECT_EQ(board.canvas.Pixel(0, 0), c.corner) << c.size << " " << shape;
            if (shape != 5)
                EXPECT_EQ(board.canvas.Pixel(30, 20), c.centre) << c.size << " " << shape;
        }
    }
}

TEST(ComponentDraw, MarkersSymbolsLineEndsAndShapes)
{
    ChartOnCanvas board(400, 240);
    QVGraphData item;
    AddProbe(board.chart, [&](CProbeComponent& probe) {
        QVGraphStyle style;
        style.SetMarkerFill(0x20);      // solid fill colour 1
        style.m_crFill1 = kRed;
        const int markerShapes[] = {12, 13, 14, 21, 22};
        for (int i = 0; i < 5; ++i) {
            style.SetShapeType(markerShapes[i]);
            probe.DrawMarker(30 + i * 40, 30, &style, &item);
        }
        // Symbols: shape type 1 picks its name by the colour code (2 = SQUARE); others name it.
        style.SetShapeType(1);
        style.m_crFill1 = kBlue;
        probe.SetColorCode(2);
        probe.DrawSymbol(30, 90, &style, &item);
        style.SetShapeType(5);
        const char* names[] = {"STAR", "HEX", "CROSS", "PLUS", "TRIANGLE", "LEFT_TRI"};
        for (int i = 0; i < 6; ++i) {
            style.m_strText = names[i];
            probe.DrawSymbol(70 + i * 40, 90, &style, &item);
        }
        // A line with an arrow at its start and a tail at its end.
        QVGraphStyle line;
        line.SetShapeType(1);
        line.m_strText = "ARROWA|TAILA";
        line.SetLineType(2);
        line.SetMarkerFill(0x20);
        line.m_crFill1 = RGB(0, 128, 0);
        line.m_crLineColor = RGB(0, 128, 0);
        line.m_nLineWidth = 2;
        probe.SetColorCode(0);
        probe.DrawLineEnd(40, 150, &line, 1, 180.0);
        probe.DrawLine(40, 150, 200, 150, &line, -1, 2);
        probe.DrawLineEnd(200, 150, &line, 2, 180.0);
        // Shapes: a box with depth, a rectangle, the stock circle, a polygon resource.
        QVGraphStyle shape;
        shape.SetMarkerFill(0x20);
        shape.m_crFill1 = RGB(255, 160, 0);
        shape.SetLineType(2);
        probe.DrawShape(240, 130, 280, 200, 0, 0, &shape, 6, nullptr);
        probe.DrawShape(300, 130, 330, 200, 1, 0, &shape, 5, nullptr);
        probe.DrawShape(340, 130, 390, 180, 2, 0, &shape, 17, nullptr);
        shape.m_strText = "TESTSHAPE";
        probe.DrawShape(20, 180, 80, 230, 3, 0, &shape, 10, nullptr);
    });
    board.Draw();
    board.canvas.SaveBmp("chart_symbols.bmp");
    CMemoryCanvas& c = board.canvas;
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(kRed, c.Pixel(30 + i * 40, 30 + (i == 1 ? 0 : 1))) << i;
    EXPECT_EQ(kWhite, c.Pixel(30 + 40, 30 - 7));             // the square marker is 5 units from its centre
    EXPECT_EQ(kBlue, c.Pixel(30, 90));                        // SQUARE symbol at 30, 90
    EXPECT_EQ(kBlue, c.Pixel(34, 94));
    EXPECT_EQ(kWhite, c.Pixel(38, 98));
    EXPECT_EQ(RGB(0, 128, 0), c.Pixel(120, 150));             // the line
    EXPECT_EQ(RGB(255, 160, 0), c.Pixel(260, 160));           // the box's front face
    EXPECT_EQ(RGB(255, 160, 0), c.Pixel(365, 155));           // the circle
    // Each filled shape face is a feedback polygon for its item.
    QVGraphFeedback* pFace = board.chart.FindFeedback(315, 160);
    ASSERT_NE(nullptr, pFace);
    EXPECT_EQ(1, pFace->GetIndex());
    EXPECT_EQ(6, board.chart.GetFeedbackList()->GetCount());
}

TEST(ComponentDraw, PolygonResourceThatDoesNotParseRaisesError19)
{
    QVGraph chart;
    EXPECT_EQ(19, ChartErrorOf([&] { chart.LoadPolygon("BADSHAPE", "POLYGON"); }));
    EXPECT_EQ(nullptr, chart.LoadPolygon("NO_SUCH_SHAPE_ANYWHERE", "POLYGON"));
    QVGCompiledPolygon* pTriangle = chart.LoadPolygon("TESTSHAPE", "POLYGON");
    ASSERT_NE(nullptr, pTriangle);
    EXPECT_EQ(4, pTriangle->GetPointCount());
    EXPECT_EQ("TESTSHAPE", std::string(pTriangle->GetName()));
}
