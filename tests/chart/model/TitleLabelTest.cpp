// Titles and labels: text storage, word wrapping, anchors by justification and angle, label blocks.
#include "chart/model/Graph.h"
#include "chart/model/GraphLabel.h"
#include "chart/model/GraphTitle.h"
#include "chart/model/LabelBlock.h"

#include "ChartTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {
// A label of the chart drawing into the canvas, with the text as its current annotation.
void SetUpLabel(QVGraphLabel& label, QVGraph& chart, CMemoryCanvas& canvas, LPCTSTR text)
{
    label.SetChart(&chart);
    label.SetDrawContext(&canvas.dc, nullptr);
    label.SetFont(-16, 0, "Arial");
    label.RebuildFont();
    label.SetAnnotationText(text);
}

CRect OutlineBox(QVGraphLabel& label)
{
    const std::vector<CPoint>& outline = label.GetOutline();
    CRect box(outline.at(0), outline.at(0));
    for (const CPoint& p : outline) {
        box.left = std::min(box.left, p.x);
        box.top = std::min(box.top, p.y);
        box.right = std::max(box.right, p.x);
        box.bottom = std::max(box.bottom, p.y);
    }
    return box;
}
}  // namespace

TEST(Title, EmptyTextIsStoredAsABlank)
{
    QVGraphTitle title;
    title.SetText("", QVGraphTitle::alignLeft);
    EXPECT_EQ(CString(" "), title.GetText());
    title.SetText("Grain size", QVGraphTitle::alignCentre);
    EXPECT_EQ(CString("Grain size"), title.GetText());
    EXPECT_EQ(0, title.CountLines(""));
    EXPECT_EQ(3, title.CountLines("a\nb\nc"));
}

TEST(Title, NarrowRectangleWrapsWordsUnlessSingleLine)
{
    CMemoryCanvas canvas(200, 100);
    QVGraph chart;
    QVGraphTitle title;
    title.SetChart(&chart);
    title.SetDrawContext(&canvas.dc, nullptr);
    title.SetFont(-16, 0, "Arial");
    title.RebuildFont();
    CFont* pOld = canvas.dc.SelectObject(title.GetCurrentFont());
    const int twoWords = canvas.dc.GetTextExtent("W W", 3).cx;
    const CRect narrow(0, 0, twoWords - 1, 100);
    int starts[8], lengths[8];
    EXPECT_EQ(3, title.BreakLines("W W W", 5, narrow, TRUE, starts, lengths, 8));
    EXPECT_EQ(1, title.BreakLines("W W W", 5, narrow, FALSE, starts, lengths, 8));
    // A final line break counts one more, empty line.
    EXPECT_EQ(2, title.BreakLines("W\r\n", 3, narrow, TRUE, starts, lengths, 8));
    const CSize wrapped = title.MeasureText("W W W", TRUE, narrow.Width());
    const CSize single = title.MeasureText("W W W", FALSE, narrow.Width());
    EXPECT_EQ(3 * single.cy, wrapped.cy);
    EXPECT_GT(single.cx, wrapped.cx);
    canvas.dc.SelectObject(pOld);
}

TEST(Title, DrawsItsTextCentredInItsRectangle)
{
    CMemoryCanvas canvas(200, 60);
    QVGraph chart;
    chart.SetFixedRect(CRect(0, 0, 200, 60), 0);
    QVGraphTitle* pTitle = new QVGraphTitle;
    pTitle->SetIntRect(CRect(0, 0, 200, 60));
    pTitle->SetText("TITLE", QVGraphTitle::alignCentre);
    pTitle->SetFont(-20, QVGraphTitle::fontBold, "Arial");
    pTitle->SetTextColor(RGB(255, 0, 0));
    chart.AddComponent(pTitle);
    chart.Draw(&canvas.dc, nullptr);
    int left = 200, right = -1;
    for (int x = 0; x < 200; ++x)
        for (int y = 0; y < 60; ++y)
            if (canvas.Pixel(x, y) == RGB(255, 0, 0)) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    ASSERT_LT(left, right);
    EXPECT_NEAR(100, (left + right) / 2, 3);
}

TEST(Title, AutomaticSizeFillsTheRectangle)
{
    CMemoryCanvas canvas(300, 200);
    QVGraph chart;
    QVGraphTitle title;
    title.SetChart(&chart);
    title.SetIntRect(CRect(0, 0, 300, 60));
    title.SetText("Fit", QVGraphTitle::alignCentre);
    title.SetFontStyleFlags(QVGraphTitle::fontAutoSize);
    title.SetDrawContext(&canvas.dc, nullptr);
    const int size = title.GetFontSize();
    EXPECT_LT(size, -20);   // a character height well above the 10 point default
    EXPECT_GT(size, -60);
    title.EndDrawing();
    EXPECT_EQ(-10, title.ComputeFitSize());   // no device context
}

TEST(Label, JustificationEightCentresTheTextOnTheAnchorAtAnyAngle)
{
    CMemoryCanvas canvas(300, 300);
    QVGraph chart;
    for (double angle : {0.0, 45.0, 90.0, 200.0}) {
        QVGraphLabel label;
        SetUpLabel(label, chart, canvas, "Centred text");
        label.SetJustification(8);
        label.SetTextAngle(angle);
        label.SetPosition(150, 140);
        label.ComputeAnchor();
        label.BuildOutline();
        const CPoint middle = label.GetMidpoint();
        EXPECT_NEAR(150, middle.x, 2) << angle;
        EXPECT_NEAR(140, middle.y, 2) << angle;
    }
}

TEST(Label, NinetyDegreesWithJustificationZeroRunsUpwardsFromTheAnchor)
{
    CMemoryCanvas canvas(200, 200);
    QVGraph chart;
    QVGraphLabel label;
    SetUpLabel(label, chart, canvas, "Upwards");
    label.SetJustification(0);
    label.SetTextAngle(90);
    label.SetTextColor(RGB(0, 0, 255));
    label.SetPosition(100, 150);
    label.GetStyle()->SetFillType(0);
    label.GetStyle()->SetBorderStyle(0);
    label.SetVisible(TRUE);
    label.Draw(&canvas.dc, nullptr);
    const CRect box = OutlineBox(label);
    EXPECT_LT(box.top, 150 - 40);      // the text runs up from the anchor
    EXPECT_NEAR(150, box.bottom, 4);
    EXPECT_NEAR(100, box.CenterPoint().x, 2);
    int blue = 0, blueBelow = 0;
    for (int x = 0; x < 200; ++x)
        for (int y = 0; y < 200; ++y)
            if (canvas.Pixel(x, y) == RGB(0, 0, 255)) {
                ++blue;
                if (y > 152)
                    ++blueBelow;
            }
    EXPECT_GT(blue, 20);
    EXPECT_EQ(0, blueBelow);
}

TEST(Label, AnchorFollowsTheMeasurementMode)
{
    CMemoryCanvas canvas(50, 50);
    QVGraph chart;
    QVGraphLabel label;
    SetUpLabel(label, chart, canvas, "x");
    const int logPixels = canvas.dc.GetDeviceCaps(LOGPIXELSX);
    label.SetMeasurement(QVGraphRect::inches);
    label.SetPosition(1.0, 0.5);
    label.ComputeAnchor();
    EXPECT_EQ(CPoint(logPixels, int(logPixels * 0.5 + 0.5)), label.GetAnchor());
    label.SetMeasurement(QVGraphRect::millimetres);
    label.SetPosition(10.0, 0.0);
    label.ComputeAnchor();
    EXPECT_EQ(int(10 * logPixels * 0.03937007874015748 + 0.5), label.GetAnchor().x);
}

TEST(Label, AnchorModesAndDirectionCodes)
{
    QVGraphLabel label;
    label.SetAnchorMode(3);
    EXPECT_DOUBLE_EQ(270.0, label.GetTextAngle());
    EXPECT_TRUE(label.IsSnapped());
    label.SetAnchorMode(4);
    EXPECT_FALSE(label.IsSnapped());
    label.SetDirectionCode(1);
    EXPECT_DOUBLE_EQ(-1.0, label.GetDirectionX());
    EXPECT_DOUBLE_EQ(0.0, label.GetDirectionY());
}

TEST(LabelBlock, LabelsAreAddressedFromEitherEndAndTextsAppendLabels)
{
    QVGraphLabelBlock block;
    EXPECT_EQ(nullptr, block.GetLabel(-1));
    block.SetLabelTextAt("third", 2, 1);
    ASSERT_EQ(3, block.GetLabelCount());
    EXPECT_EQ(CString(""), block.GetLabel(0)->GetAnnotationText(1));
    EXPECT_EQ(CString("third"), block.GetLabel(-2)->GetAnnotationText(1));
    block.SetLabelTextAt("first", 0, 1);
    EXPECT_EQ(CString("first"), block.GetLabel(-1)->GetAnnotationText(1));
    EXPECT_EQ(CString("third"), block.GetLabel(2)->GetAnnotationText(1));
    EXPECT_EQ(CString(""), block.GetLabel(1)->GetAnnotationText(1));
    EXPECT_EQ(nullptr, block.GetLabel(3));
    EXPECT_FALSE(block.GetLabel(1)->HasOwnStyle());
    block.RemoveLastLabel();
    EXPECT_EQ(2, block.GetLabelCount());
}

TEST(LabelBlock, AnglesNearARightAngleSnap)
{
    QVGraphLabelBlock block;
    block.AddTextLabel("a");
    block.SetLabelAngle(91.0);
    EXPECT_DOUBLE_EQ(90.0, block.GetLabel(0)->GetTextAngle());
    EXPECT_TRUE(block.GetLabel(0)->IsSnapped());
    block.SetLabelAngle(45.0);
    EXPECT_DOUBLE_EQ(45.0, block.GetLabel(0)->GetTextAngle());
    EXPECT_FALSE(block.GetLabel(0)->IsSnapped());
    block.SetLabelAngle(359.9);
    EXPECT_DOUBLE_EQ(0.0, block.GetLabel(0)->GetTextAngle());
}

TEST(LabelBlock, SpreadLabelsPlacesThemEvenlyAndRecordsAnchors)
{
    CMemoryCanvas canvas(50, 50);
    QVGraph chart;
    QVGraphLabelBlock block;
    block.SetChart(&chart);
    for (const char* text : {"a", "b", "c"})
        block.AddTextLabel(text);
    block.SetRecordAnchors(TRUE);
    EXPECT_EQ(3, block.SpreadLabels(10, 20, 110, 20));
    ASSERT_NE(nullptr, block.GetAnchorList());
    EXPECT_EQ(CPoint(60, 20), block.GetAnchorList()->GetAt(block.GetAnchorList()->FindIndex(1)));
    EXPECT_EQ(CPoint(110, 20), block.GetAnchorList()->GetTail());
}

TEST(LabelBlock, AnOverlappingLabelIsHiddenOrMoved)
{
    CMemoryCanvas canvas(300, 200);
    QVGraph chart;
    chart.SetFixedRect(CRect(0, 0, 300, 200), 0);
    QVGraphLabelBlock* pBlock = new QVGraphLabelBlock;
    pBlock->SetFont(-16, 0, "Arial");
    chart.AddComponent(pBlock);
    pBlock->AddTextLabel("One")->SetPosition(100, 100);
    pBlock->AddTextLabel("Two")->SetPosition(100, 100);
    chart.Draw(&canvas.dc, nullptr);
    const CRect hidden = pBlock->GetLabelBounds();
    ASSERT_FALSE(hidden.IsRectEmpty());

    pBlock->SetOverlapMode(QVGraphLabelBlock::overlapMove);
    pBlock->SetLabelDirection(0.0, 1.0);
    chart.Draw(&canvas.dc, nullptr);
    const CRect moved = pBlock->GetLabelBounds();
    EXPECT_EQ(hidden.top, moved.top);
    EXPECT_GT(moved.Height(), hidden.Height() * 3 / 2);  // the second label sits below the first
}
