// Tick marks and grid lines drawn at a scale's anchor points.
#include "chart/model/Graph.h"
#include "chart/model/GridLines.h"
#include "chart/model/TickMarks.h"

#include "ChartTestSupport.h"

#include <gtest/gtest.h>

namespace {
const COLORREF kBlack = RGB(0, 0, 0);
const COLORREF kWhite = RGB(255, 255, 255);

void Fill(QVGAnchorList& anchors, std::initializer_list<CPoint> points)
{
    for (const CPoint& p : points)
        anchors.AddTail(p);
}

void DrawPart(QVGraphComponent& part, QVGraph& chart, CMemoryCanvas& canvas)
{
    part.SetChart(&chart);
    part.SetVisible(TRUE);
    part.Draw(&canvas.dc, nullptr);
}
}  // namespace

TEST(TickMarks, MinorLengthIsTheRoundedRatioOfTheMajor)
{
    QVGTickMarks ticks;
    EXPECT_EQ(5, ticks.GetTickSize());
    EXPECT_DOUBLE_EQ(0.75, ticks.GetMinorRatio());
    EXPECT_EQ(4, ticks.GetMinorLength());
    CPoint from(0, 100), to(200, 100);
    ticks.SetSide(1);
    ticks.OffsetByTickLength(from, to);
    EXPECT_EQ(CPoint(0, 105), from);
    EXPECT_EQ(CPoint(200, 105), to);
}

TEST(TickMarks, MajorAndMinorMarksAlongAHorizontalAxis)
{
    CMemoryCanvas canvas(160, 80);
    QVGraph chart;
    QVGAnchorList anchors;
    Fill(anchors, {CPoint(20, 40), CPoint(70, 40), CPoint(120, 40)});
    QVGTickMarks ticks;
    ticks.SetScaleSource(&anchors);
    ticks.SetSide(1);   // downwards from a left-to-right axis
    ticks.SetMinorCount(1);
    DrawPart(ticks, chart, canvas);
    EXPECT_EQ(kBlack, canvas.Pixel(70, 44));   // major: 5 pixels
    EXPECT_EQ(kWhite, canvas.Pixel(70, 45));
    EXPECT_EQ(kWhite, canvas.Pixel(70, 36));   // nothing on the other side
    EXPECT_EQ(kBlack, canvas.Pixel(45, 43));   // minor between anchors: 4 pixels
    EXPECT_EQ(kWhite, canvas.Pixel(45, 44));
    // No lead-in or lead-out beyond the extent of the anchors.
    EXPECT_EQ(kWhite, canvas.Pixel(15, 42));
    EXPECT_EQ(kWhite, canvas.Pixel(145, 41));
}

TEST(TickMarks, LeadInAndOutInsideTheExtentAndAlongAVerticalAxis)
{
    CMemoryCanvas canvas(120, 160);
    QVGraph chart;
    QVGAnchorList anchors;
    Fill(anchors, {CPoint(60, 130), CPoint(60, 90), CPoint(60, 50)});
    QVGTickMarks ticks;
    ticks.SetScaleSource(&anchors);
    ticks.SetMinorCount(1);
    ticks.SetExtentRect(CRect(10, 10, 110, 150));
    DrawPart(ticks, chart, canvas);
    EXPECT_EQ(kBlack, canvas.Pixel(56, 90));    // side 0 on an upward axis points left
    EXPECT_EQ(kBlack, canvas.Pixel(57, 110));   // minor between anchors, along y
    EXPECT_EQ(kBlack, canvas.Pixel(57, 30));    // lead-out above the last anchor, inside the extent
    EXPECT_EQ(kWhite, canvas.Pixel(57, 150));   // lead-in at 150 is not below the extent's bottom
    EXPECT_EQ(kWhite, canvas.Pixel(63, 90));
}

TEST(TickMarks, OneAnchorDrawsOneMark)
{
    CMemoryCanvas canvas(60, 60);
    QVGraph chart;
    QVGAnchorList anchors;
    anchors.AddTail(CPoint(30, 30));
    QVGTickMarks ticks;
    ticks.SetScaleSource(&anchors);
    ticks.SetMinorCount(3);
    DrawPart(ticks, chart, canvas);
    int black = 0;
    for (int x = 0; x < 60; ++x)
        for (int y = 0; y < 60; ++y)
            black += canvas.Pixel(x, y) == kBlack;
    EXPECT_EQ(5, black);
}

TEST(GridLines, KindZeroDrawsNothing)
{
    CMemoryCanvas canvas(100, 100);
    QVGraph chart;
    QVGAnchorList anchors;
    Fill(anchors, {CPoint(10, 80), CPoint(10, 50), CPoint(10, 20)});
    QVGGridLines grid;
    grid.SetAnchorList(&anchors);
    grid.SetExtentRect(CRect(10, 10, 90, 80));
    DrawPart(grid, chart, canvas);
    for (int x = 0; x < 100; ++x)
        for (int y = 0; y < 100; ++y)
            ASSERT_EQ(kWhite, canvas.Pixel(x, y));
}

TEST(GridLines, StraightLinesCrossTheExtentWithMinorLinesBetween)
{
    CMemoryCanvas canvas(100, 100);
    QVGraph chart;
    QVGAnchorList anchors;
    Fill(anchors, {CPoint(10, 80), CPoint(10, 50), CPoint(10, 20)});
    QVGGridLines grid;
    grid.GetStyle()->SetAxisStyle(2);
    grid.SetAnchorList(&anchors);
    grid.SetExtentRect(CRect(10, 10, 90, 80));
    grid.SetMajorColour(RGB(255, 0, 0));
    grid.SetMinorColour(RGB(0, 0, 255));
    grid.SetMinorCount(1);
    DrawPart(grid, chart, canvas);
    EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(50, 50));
    EXPECT_EQ(RGB(255, 0, 0), canvas.Pixel(89, 20));
    EXPECT_EQ(kWhite, canvas.Pixel(95, 20));
    EXPECT_EQ(RGB(0, 0, 255), canvas.Pixel(50, 65));   // minor halfway between 80 and 50
    EXPECT_EQ(RGB(0, 0, 255), canvas.Pixel(50, 35));
    EXPECT_EQ(kWhite, canvas.Pixel(50, 95));            // lead-in below the extent is not drawn
}

TEST(GridLines, AutomaticKindIsChosenFromTheGraphType)
{
    CMemoryCanvas canvas(100, 100);
    QVGraph chart;
    QVGAnchorList anchors;
    Fill(anchors, {CPoint(20, 90), CPoint(60, 90)});
    QVGGridLines grid;
    grid.GetStyle()->SetGraphType(21);
    grid.GetStyle()->SetAxisStyle(1);
    grid.SetOrientation(1);
    grid.SetAnchorList(&anchors);
    grid.SetExtentRect(CRect(10, 10, 90, 90));
    DrawPart(grid, chart, canvas);
    EXPECT_EQ(2, grid.GetStyle()->GetAxisStyle());
    EXPECT_NE(kWhite, canvas.Pixel(60, 50));   // vertical lines up from the bottom edge
    EXPECT_NE(kWhite, canvas.Pixel(20, 20));
}

namespace {
class CCountingGridLines : public QVGGridLines
{
public:
    int lines = 0;
    void DrawHorizontalGridLine(int x, int y, CPen* pPen) override
    {
        ++lines;
        QVGGridLines::DrawHorizontalGridLine(x, y, pPen);
    }
};
}  // namespace

TEST(GridLines, MinorLinesAreNeverDenserThanOnePerDeviceUnit)
{
    // A minor count read from an archive can be anything: between anchors 30 units apart no more than
    // 30 minor lines are drawn, before, between and after them.
    CMemoryCanvas canvas(100, 100);
    QVGraph chart;
    QVGAnchorList anchors;
    Fill(anchors, {CPoint(10, 80), CPoint(10, 50), CPoint(10, 20)});
    CCountingGridLines grid;
    grid.GetStyle()->SetAxisStyle(2);
    grid.SetAnchorList(&anchors);
    grid.SetExtentRect(CRect(10, 0, 90, 100));
    grid.SetMinorCount(100000);
    DrawPart(grid, chart, canvas);
    EXPECT_GT(grid.lines, 3);
    EXPECT_LE(grid.lines, 3 + 4 * 30);
}
