// The chart's draw pass: component order, error reporting, nested passes, double buffering and banded
// printing into memory DCs.
#include "chart/model/Graph.h"
#include "chart/model/GraphBackground.h"

#include "ChartTestSupport.h"
#include "TestComponents.h"
#include "framework/win/PrinterRecorder.h"
#include "framework/win/SeamRecorders.h"

#include <gtest/gtest.h>

namespace {
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kWhite = RGB(255, 255, 255);

QVGraphBackground* SolidBackground(COLORREF color, const CRect& rect)
{
    QVGraphBackground* pBackground = new QVGraphBackground;
    pBackground->SetIntRect(rect);
    pBackground->GetStyle()->SetFillType(1);
    pBackground->GetStyle()->SetBorderStyle(0);
    pBackground->SetFillColors(color, 0);
    return pBackground;
}
}  // namespace

TEST(GraphDraw, ComponentsDrawInListOrder)
{
    CMemoryCanvas canvas(120, 80);
    QVGraph chart;
    chart.SetFixedRect(CRect(0, 0, 120, 80), 0);
    chart.AddComponent(SolidBackground(kRed, CRect(0, 0, 100, 60)));
    chart.AddComponent(SolidBackground(RGB(0, 0, 255), CRect(20, 20, 40, 40)));
    chart.Draw(&canvas.dc, nullptr);
    EXPECT_EQ(kRed, canvas.Pixel(10, 10));
    EXPECT_EQ(RGB(0, 0, 255), canvas.Pixel(30, 30));
    EXPECT_EQ(kWhite, canvas.Pixel(110, 70));
    EXPECT_FALSE(chart.IsChanged());
    EXPECT_FALSE(QVGraph::IsAnyDrawPassRunning());
}

TEST(GraphDraw, WithoutDoubleBufferingTheDcIsDrawnOnDirectly)
{
    CMemoryCanvas canvas(60, 60);
    QVGraph chart;
    chart.SetDoubleBuffering(FALSE);
    chart.AddComponent(SolidBackground(kRed, CRect(0, 0, 30, 30)));
    chart.Draw(&canvas.dc, nullptr);
    EXPECT_EQ(kRed, canvas.Pixel(5, 5));
    EXPECT_FALSE(chart.GetDoubleBuffering());
}

TEST(GraphDraw, ChartErrorIsShownAndTheNextDrawStillWorks)
{
    CRecordingMessageBox box;
    CScopedMessageBoxSeam seam(&box);
    CMemoryCanvas canvas(60, 60);
    QVGraph chart;
    CRecordingComponent* pBefore = new CRecordingComponent;
    CThrowingComponent* pThrowing = new CThrowingComponent(21);
    CRecordingComponent* pAfter = new CRecordingComponent;
    chart.AddComponent(pBefore);
    chart.AddComponent(pThrowing);
    chart.AddComponent(pAfter);

    chart.Draw(&canvas.dc, nullptr);
    ASSERT_EQ(1u, box.calls.size());
    EXPECT_EQ("A graph type was requested which is not compatible with the type of data or the number of data "
              "items available.",
              box.calls[0].text);
    EXPECT_EQ(UINT(MB_ICONEXCLAMATION), box.calls[0].nType & MB_ICONMASK);
    EXPECT_EQ(1u, pBefore->passes.size());
    EXPECT_TRUE(pAfter->passes.empty());     // the error ends the component loop
    EXPECT_FALSE(pThrowing->IsDrawing());

    pThrowing->armed = false;
    chart.Draw(&canvas.dc, nullptr);
    EXPECT_EQ(1u, box.calls.size());
    EXPECT_EQ(2u, pBefore->passes.size());
    EXPECT_EQ(1u, pAfter->passes.size());
}

TEST(GraphDraw, AnUnexpectedExceptionPassesOnAndDrawingGoesOn)
{
    CMemoryCanvas canvas(60, 60);
    QVGraph chart;
    CThrowingComponent* pThrowing = new CThrowingComponent(-1);
    chart.AddComponent(pThrowing);
    CRecordingComponent* pRecording = new CRecordingComponent;
    chart.AddComponent(pRecording);
    const int savedLevel = canvas.dc.SaveDC();
    bool passedOn = false;
    try {
        chart.Draw(&canvas.dc, nullptr);
    } catch (CNotSupportedException* e) {
        passedOn = true;
        e->Delete();
    }
    EXPECT_TRUE(passedOn);
    EXPECT_FALSE(QVGraph::IsAnyDrawPassRunning());
    EXPECT_FALSE(chart.IsDrawing());
    // The pass put the DC back: the next save is one above the level saved before it.
    EXPECT_EQ(savedLevel + 1, canvas.dc.SaveDC());

    pThrowing->armed = false;
    chart.Draw(&canvas.dc, nullptr);
    EXPECT_EQ(1u, pRecording->passes.size());
}

TEST(GraphDraw, NoPassStartsInsideAnother)
{
    CMemoryCanvas canvas(60, 60);
    QVGraph other;
    CRecordingComponent* pOtherComponent = new CRecordingComponent;
    other.AddComponent(pOtherComponent);
    QVGraph chart;
    chart.AddComponent(new CNestedDrawComponent(&other));
    chart.Draw(&canvas.dc, nullptr);
    EXPECT_TRUE(pOtherComponent->passes.empty());
    other.Draw(&canvas.dc, nullptr);
    EXPECT_EQ(1u, pOtherComponent->passes.size());
}

TEST(GraphDraw, ComponentsAddedWhileDrawingAreDrawnInTheSamePass)
{
    CMemoryCanvas canvas(60, 60);
    QVGraph chart;
    CRecordingComponent* pAdded = new CRecordingComponent;
    chart.AddComponent(new CAddingComponent(pAdded));
    chart.Draw(&canvas.dc, nullptr);
    EXPECT_EQ(2, chart.GetComponentList()->GetCount());
    EXPECT_EQ((std::vector<int>{1}), pAdded->passes);
}

TEST(GraphDraw, TemporaryLabelComponentsGoAtTheStartOfAPass)
{
    CMemoryCanvas canvas(60, 60);
    QVGraph chart;
    chart.AddComponent(new CRecordingComponent);
    QVGraphComponent* pTemporary = new CRecordingComponent;
    pTemporary->SetTag(QVG_TEMPORARY_TAG);
    chart.AddComponent(pTemporary);
    QVGraphComponent* pBlock = new CRecordingComponent;
    pBlock->SetTag(QVG_BLOCK_TAG);
    chart.AddComponent(pBlock);
    chart.Draw(&canvas.dc, nullptr);
    EXPECT_EQ(1, chart.GetComponentList()->GetCount());

    QVGraphComponent* pKept = new CRecordingComponent;
    pKept->SetTag(QVG_TEMPORARY_TAG);
    chart.AddComponent(pKept);
    chart.GetChartStyle()->SetDataLabelMode(1);
    chart.Draw(&canvas.dc, nullptr);
    EXPECT_EQ(pKept, chart.FindComponentByTag(QVG_TEMPORARY_TAG));
}

TEST(GraphDraw, FeedbackRecordsAreRenewedEachPass)
{
    CMemoryCanvas canvas(60, 60);
    QVGraph chart;
    chart.AddComponent(new CRecordingComponent);
    chart.AddFeedbackPoint(5, 5, 0, 0);
    chart.Draw(&canvas.dc, nullptr);
    EXPECT_EQ(0, chart.GetFeedbackList()->GetCount());
}

TEST(GraphDraw, CachedImageIsCopiedWithoutDrawing)
{
    CMemoryCanvas first(80, 80), second(80, 80);
    QVGraph chart;
    chart.SetFixedRect(CRect(0, 0, 80, 80), 0);
    chart.AddComponent(SolidBackground(kRed, CRect(0, 0, 40, 40)));
    CRecordingComponent* pRecording = new CRecordingComponent;
    chart.AddComponent(pRecording);
    chart.Draw(&first.dc, nullptr);
    chart.SetImageCached(TRUE);
    chart.Draw(&second.dc, nullptr);
    EXPECT_EQ(1u, pRecording->passes.size());
    EXPECT_EQ(kRed, second.Pixel(10, 10));
}

TEST(GraphDraw, FixedRectangleIsPlacedByItsPlacementWord)
{
    struct Case
    {
        int placement;
        CPoint topLeft;
    };
    // Target 200 x 100, fixed rectangle 50 x 20 at (5, 7).
    const Case cases[] = {
        {0x00, CPoint(5, 7)},   {0x04, CPoint(5, 7)},   {0x01, CPoint(5, 0)},   {0x03, CPoint(5, 80)},
        {0x02, CPoint(5, 40)},  {0x10, CPoint(0, 7)},   {0x30, CPoint(150, 7)}, {0x20, CPoint(75, 7)},
        {0x22, CPoint(75, 40)},
    };
    for (const Case& c : cases) {
        QVGraph chart;
        chart.SetFixedRect(CRect(5, 7, 55, 27), c.placement);
        CRect rect(5, 7, 55, 27);
        chart.PlaceFixedRect(CRect(0, 0, 200, 100), rect);
        EXPECT_EQ(c.topLeft, rect.TopLeft()) << c.placement;
        EXPECT_EQ(CSize(50, 20), rect.Size()) << c.placement;
    }
}

TEST(GraphDraw, BandedPrintingDrawsEveryBand)
{
    // A memory DC taken as a printer: the page is the device's HORZRES x VERTRES, in bands of 128 rows.
    CMemoryCanvas printer(200, 420);
    printer.dc.m_bPrinting = TRUE;
    QVGraph chart;
    chart.AddComponent(SolidBackground(kRed, CRect(10, 10, 150, 400)));
    chart.AddFeedbackPoint(1, 1, 0, 0);
    chart.SetBanding(TRUE);
    chart.Draw(&printer.dc, nullptr);
    for (int y : {12, 127, 128, 250, 300, 399})
        EXPECT_EQ(kRed, printer.Pixel(50, y)) << y;
    EXPECT_EQ(kWhite, printer.Pixel(160, 50));
    EXPECT_EQ(kWhite, printer.Pixel(50, 405));
    EXPECT_FALSE(chart.GetBanding());
    EXPECT_TRUE(chart.GetFeedbackEnabled());
    EXPECT_TRUE(chart.GetDoubleBuffering());
    EXPECT_FALSE(chart.HasFixedRect());
    printer.SaveBmp("chart_banded_print.bmp");
}

TEST(GraphDraw, AFixedRectangleIsPlacedAQuarterInchInFromThePrintableArea)
{
    // A page of 850 x 1100 dots at 100 dots an inch: the margin is 25 dots, printed whole or in bands.
    const struct
    {
        const char* name;
        BOOL bBanding;
        int nPlacement;
        CRect placed;
    } cases[] = {
        {"top left", FALSE, 0x11, {25, 25, 225, 125}},
        {"bottom right", FALSE, 0x33, {625, 975, 825, 1075}},
        {"top left, banded", TRUE, 0x11, {25, 25, 225, 125}},
        {"bottom right, banded", TRUE, 0x33, {625, 975, 825, 1075}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CRecordingPrinter printer;
        CScopedPrinterSeam printerSeam(&printer);
        CDC dc;
        dc.Attach(printer.CreateDC("winspool", "Recorded Printer", "LPT1:", nullptr));
        dc.m_bPrinting = TRUE;
        QVGraph chart;
        chart.AddComponent(SolidBackground(kRed, CRect(0, 0, 200, 100)));
        chart.SetFixedRect(CRect(0, 0, 200, 100), c.nPlacement);
        chart.SetBanding(c.bBanding);
        chart.Draw(&dc, nullptr);
        const CRect& placed = c.placed;
        EXPECT_EQ(kRed, dc.GetPixel(placed.left, placed.top));
        EXPECT_EQ(kRed, dc.GetPixel(placed.right - 1, placed.bottom - 1));
        EXPECT_EQ(kWhite, dc.GetPixel(placed.left - 1, placed.top + 10));
        EXPECT_EQ(kWhite, dc.GetPixel(placed.left + 10, placed.top - 1));
        EXPECT_EQ(kWhite, dc.GetPixel(placed.right + 1, placed.bottom - 10));
        EXPECT_EQ(kWhite, dc.GetPixel(placed.right - 10, placed.bottom + 1));
        dc.Detach();
    }
}

TEST(GraphDraw, EmptyChartDrawsNothing)
{
    CMemoryCanvas canvas(20, 20);
    QVGraph chart;
    chart.AddFeedbackPoint(1, 1, 0, 0);
    chart.Draw(&canvas.dc, nullptr);
    EXPECT_EQ(1, chart.GetFeedbackList()->GetCount());
    EXPECT_TRUE(chart.IsChanged());
}

TEST(GraphDraw, DrawingAreaWithoutViewOrFixedRectangle)
{
    CMemoryCanvas canvas(300, 200);
    QVGraph chart;
    CRecordingComponent* pComponent = new CRecordingComponent;
    chart.AddComponent(pComponent);
    chart.Draw(&canvas.dc, nullptr);
    EXPECT_EQ(CRect(0, 0, 200, 150), chart.GetDrawingArea());
    EXPECT_EQ(CRect(0, 0, 200, 150), pComponent->GetDeviceRect());
    chart.PrepareDrawing(&canvas.dc, nullptr);
    EXPECT_EQ(CRect(0, 0, 250, 150), chart.GetDrawingArea());
}

TEST(GraphDraw, ClearEmptiesComponentsDataAndFeedback)
{
    QVGraph chart;
    chart.AddComponent(new CRecordingComponent);
    chart.SetValue(0, 0, 1.0);
    chart.AddFeedbackPoint(1, 1, 0, 0);
    EXPECT_FALSE(chart.HasNoData());
    chart.Clear();
    EXPECT_EQ(0, chart.GetComponentList()->GetCount());
    EXPECT_EQ(0, chart.GetGroupCount());
    EXPECT_EQ(0, chart.GetFeedbackList()->GetCount());
    EXPECT_TRUE(chart.HasNoData());
}

TEST(GraphDraw, ChartWithoutDataManagerAnswersEmpty)
{
    QVGraph chart;
    chart.SetDataManager(nullptr, FALSE);
    EXPECT_EQ(0, chart.GetGroupCount());
    EXPECT_EQ(0.0, chart.GetGroupAverage(0));
    EXPECT_EQ("", std::string(chart.GetItemText(0, 0, 1)));
    CScale range;
    range.Include(5.0);
    chart.GetValueRange(range, FALSE);
    EXPECT_TRUE(range.IsEmpty());
    EXPECT_EQ(nullptr, chart.GetDefaultStyle());
}
