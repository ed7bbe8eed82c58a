// The text panel: its box kept inside the chart while its rectangle stays, the title strip on each side,
// the box fitted to its text, the automatic body font and the archive.
#include "chart/model/Graph.h"
#include "chart/model/TextPanel.h"

#include "ChartTestSupport.h"

#include <gtest/gtest.h>

namespace {
const COLORREF kBodyFill = RGB(0xFF, 0xFF, 0xC0);
const COLORREF kTitleFill = RGB(0xC0, 0xE0, 0xFF);
const COLORREF kTitleText = RGB(0xC0, 0, 0);

QVGTextPanel* AddPanel(QVGraph& chart, const CRect& rect)
{
    QVGTextPanel* pPanel = new QVGTextPanel;
    pPanel->SetIntRect(rect);
    pPanel->GetStyle()->m_crFill1 = kBodyFill;
    pPanel->GetTitleStyle()->m_crFill1 = kTitleFill;
    pPanel->SetTitleColor(kTitleText);
    pPanel->SetTitleLine(1, "Criteria");
    pPanel->SetBodyLine(1, "D15 / d85 < 5");
    pPanel->SetBodyLine(2, "D50 / d50 < 25");
    chart.AddComponent(pPanel);
    return pPanel;
}

int CountPixels(CMemoryCanvas& canvas, const CRect& rect, COLORREF color)
{
    int count = 0;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
            if (canvas.Pixel(x, y) == color)
                ++count;
    return count;
}

void Draw(QVGraph& chart, CMemoryCanvas& canvas)
{
    chart.SetFixedRect(CRect(0, 0, canvas.width, canvas.height), 0);
    chart.Draw(&canvas.dc, nullptr);
}
}  // namespace

TEST(TextPanel, PastTheRightEdgeItIsDrawnShiftedLeftAndKeepsItsRectangle)
{
    CMemoryCanvas canvas(400, 300);
    QVGraph chart;
    QVGTextPanel* pPanel = AddPanel(chart, CRect(300, 50, 460, 150));
    pPanel->SetAutoSize(FALSE);
    Draw(chart, canvas);
    canvas.SaveBmp("chart_text_panel_shifted.bmp");

    // The box is the rectangle within border and margin (5 pixels): 305 to 455, moved left by 55.
    const int margin = int(pPanel->GetSizeX());
    const CRect placed = pPanel->GetPlacedRect();
    EXPECT_EQ(400, placed.right);
    EXPECT_EQ(160 - 2 * margin, placed.Width());
    EXPECT_EQ(CRect(250, 55, 400, 145), placed);
    EXPECT_EQ(kBodyFill, canvas.Pixel(399, placed.bottom - 2));
    EXPECT_EQ(RGB(255, 255, 255), canvas.Pixel(placed.left - 2, placed.bottom - 2));
    // The stored rectangle is the one it was given.
    const QVGraphRect* pRect = pPanel->GetRectObject();
    EXPECT_DOUBLE_EQ(300.0, pRect->m_dLeft);
    EXPECT_DOUBLE_EQ(460.0, pRect->m_dRight);
    EXPECT_DOUBLE_EQ(50.0, pRect->m_dTop);
    // The title strip spans the body's width above it, the body text below it.
    const CRect title = pPanel->GetTitleRect();
    EXPECT_EQ(placed.left, title.left);
    EXPECT_EQ(placed.right, title.right);
    EXPECT_EQ(title.bottom, pPanel->GetBodyRect().top);
    EXPECT_GT(CountPixels(canvas, title, kTitleText), 10);
    EXPECT_GT(CountPixels(canvas, pPanel->GetTextRect(), RGB(0, 0, 0)), 20);
}

TEST(TextPanel, WiderThanTheChartItKeepsItsStartInView)
{
    CMemoryCanvas canvas(400, 300);
    QVGraph chart;
    QVGTextPanel* pPanel = AddPanel(chart, CRect(-50, 250, 500, 400));
    pPanel->SetAutoSize(FALSE);
    Draw(chart, canvas);
    const CRect placed = pPanel->GetPlacedRect();
    EXPECT_EQ(0, placed.left);
    EXPECT_EQ(300, placed.bottom);
    EXPECT_EQ(550 - 2 * int(pPanel->GetSizeX()), placed.Width());
}

TEST(TextPanel, HiddenTitleLeavesOnlyTheBody)
{
    CMemoryCanvas canvas(400, 300);
    QVGraph chart;
    QVGTextPanel* pPanel = AddPanel(chart, CRect(20, 20, 220, 200));
    pPanel->ShowTitle(FALSE);
    Draw(chart, canvas);
    EXPECT_TRUE(pPanel->GetTitleRect().IsRectEmpty());
    EXPECT_EQ(pPanel->GetBodyRect(), pPanel->GetPlacedRect());
    EXPECT_EQ(0, CountPixels(canvas, CRect(0, 0, 400, 300), kTitleFill));
    EXPECT_EQ(0, CountPixels(canvas, CRect(0, 0, 400, 300), kTitleText));
    EXPECT_GT(CountPixels(canvas, pPanel->GetTextRect(), RGB(0, 0, 0)), 20);
}

TEST(TextPanel, AutoSizeFitsTheBoxToTheTextWithTheStripBeside)
{
    struct Case
    {
        int position;
        const char* picture;
    };
    for (const Case& c : {Case{QVGTextPanel::titleAbove, "chart_text_panel_above.bmp"},
                          Case{QVGTextPanel::titleLeft, "chart_text_panel_left.bmp"},
                          Case{QVGTextPanel::titleRight, "chart_text_panel_right.bmp"},
                          Case{QVGTextPanel::titleBelow, "chart_text_panel_below.bmp"}}) {
        CMemoryCanvas canvas(400, 300);
        QVGraph chart;
        QVGTextPanel* pPanel = AddPanel(chart, CRect(20, 20, 380, 280));
        pPanel->SetTitlePosition(c.position);
        Draw(chart, canvas);
        canvas.SaveBmp(c.picture);

        const CRect body = pPanel->GetBodyRect();
        const CRect title = pPanel->GetTitleRect();
        // Far smaller than the rectangle given: the box follows the two short lines.
        EXPECT_LT(body.Width(), 200) << c.position;
        EXPECT_LT(body.Height(), 100) << c.position;
        EXPECT_GT(CountPixels(canvas, title, kTitleText), 10) << c.position;
        switch (c.position) {
        case QVGTextPanel::titleAbove:
            EXPECT_EQ(title.bottom, body.top);
            EXPECT_EQ(title.Width(), body.Width());
            break;
        case QVGTextPanel::titleBelow:
            EXPECT_EQ(body.bottom, title.top);
            EXPECT_EQ(title.Width(), body.Width());
            break;
        case QVGTextPanel::titleLeft:
            EXPECT_EQ(title.right, body.left);
            EXPECT_EQ(title.Height(), body.Height());
            EXPECT_LT(title.Width(), title.Height());   // an upright strip
            break;
        default:
            EXPECT_EQ(body.right, title.left);
            EXPECT_EQ(title.Height(), body.Height());
            EXPECT_LT(title.Width(), title.Height());
            break;
        }
    }
}

TEST(TextPanel, BoundingRectangleIsWhereItWouldBeDrawn)
{
    CMemoryCanvas canvas(400, 300);
    QVGraph chart;
    QVGTextPanel* pPanel = AddPanel(chart, CRect(330, 200, 480, 290));
    chart.SetFixedRect(CRect(0, 0, 400, 300), 0);
    chart.PrepareDrawing(&canvas.dc, nullptr);
    const CRect measured = pPanel->GetBoundingRect();
    chart.ResetDrawContext();
    EXPECT_EQ(400, measured.right);          // already moved inside
    EXPECT_DOUBLE_EQ(330.0, pPanel->GetRectObject()->m_dLeft);
    chart.Draw(&canvas.dc, nullptr);
    EXPECT_EQ(measured, pPanel->GetPlacedRect());
}

TEST(TextPanel, AutomaticBodyFontGrowsWithTheBody)
{
    QVGTextPanel outside;
    outside.SetBodyFontStyle(QVGraphTitle::fontAutoSize);
    EXPECT_EQ(-10, outside.GetFontSize());   // nothing to measure outside a drawing

    int heights[2] = {0, 0};
    const CRect rects[2] = {CRect(10, 10, 150, 80), CRect(10, 10, 390, 290)};
    for (int i = 0; i < 2; ++i) {
        CMemoryCanvas canvas(400, 300);
        QVGraph chart;
        QVGTextPanel* pPanel = AddPanel(chart, rects[i]);
        pPanel->ShowTitle(FALSE);
        pPanel->SetAutoSize(FALSE);
        pPanel->SetBodyFontStyle(QVGraphTitle::fontAutoSize);
        Draw(chart, canvas);
        heights[i] = -pPanel->m_logFont.lfHeight;
        // The lines fit the body.
        CFont* pOld = canvas.dc.SelectObject(pPanel->GetCurrentFont());
        pPanel->SetDrawContext(&canvas.dc, nullptr);
        const CSize text = pPanel->MeasureText(pPanel->GetBodyText(), TRUE, pPanel->GetBodyRect().Width());
        canvas.dc.SelectObject(pOld);
        EXPECT_LE(text.cx, pPanel->GetBodyRect().Width()) << i;
        EXPECT_LE(text.cy, pPanel->GetBodyRect().Height()) << i;
    }
    EXPECT_GT(heights[1], heights[0] + 5);
}

TEST(TextPanel, ArchiveKeepsLinesFontsAndPlacement)
{
    QVGTextPanel source;
    source.SetTitleLine(1, "Title");
    source.SetBodyLine(1, "one");
    source.SetBodyLine(3, "three");
    source.SetTitlePosition(QVGTextPanel::titleRight);
    source.SetTitleJustification(QVGTextPanel::justifyEnd);
    source.SetBodyJustification(QVGTextPanel::justifyCentre);
    source.SetBodyFace("Courier New");
    source.SetTitleFontSize(14);
    source.SetBodyColor(RGB(1, 2, 3));
    source.ShowTitle(FALSE);
    QVGTextPanel target;
    RoundTrip(source, target);
    EXPECT_EQ(CString("Title"), target.GetTitleLine(1));
    EXPECT_EQ(CString("one\n\nthree"), target.GetBodyText());
    EXPECT_EQ(QVGTextPanel::titleRight, target.GetTitlePosition());
    EXPECT_EQ(QVGTextPanel::justifyEnd, target.GetTitleJustification());
    EXPECT_EQ(QVGTextPanel::justifyCentre, target.GetBodyJustification());
    EXPECT_EQ(CString("Courier New"), target.GetBodyFace());
    EXPECT_EQ(14, target.GetTitleFontSize());
    EXPECT_EQ(RGB(1, 2, 3), target.GetBodyColor());
    EXPECT_EQ(0, target.IsTitleShown());
}
