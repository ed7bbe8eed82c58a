// Fennick's two displays drawn: the sensitivity display's axes with their fixed steps and its plot
// area, and the gradation display's sieve-size scale with the grid of its unnamed sieves dotted.
#include "ChartInspection.h"

#include "chart/model/ChartResourceIds.h"
#include "chart/model/Graph.h"
#include "fennick/GradationDisplay.h"
#include "fennick/SensitivityDisplay.h"
#include "fennick/SieveSizeScale.h"
#include "framework/core/Archive.h"
#include "framework/core/File.h"
#include "framework/win/Dc.h"
#include "framework/win/Gdi.h"

#include <cmath>
#include <cstdio>
#include <array>
#include <memory>

using namespace chart_inspection;

namespace {

const COLORREF Black = RGB(0, 0, 0);
const COLORREF White = RGB(255, 255, 255);

std::vector<CPoint> Anchors(QVGDecimalScale* pScale)
{
    std::vector<CPoint> anchors;
    QVGAnchorList* pList = pScale != nullptr ? pScale->GetAnchorList() : nullptr;
    for (POSITION pos = pList != nullptr ? pList->GetHeadPosition() : nullptr; pos != nullptr;)
        anchors.push_back(pList->GetNext(pos));
    return anchors;
}

// ---- The sensitivity display ----

class SensitivityDisplayDrawing : public ::testing::Test
{
protected:
    CFennickApp app;

    std::unique_ptr<CFennickDoc> Build(int nPlotType, const std::vector<std::array<double, 3>>& rows, bool bMetric)
    {
        app.m_nPointCount = int(rows.size());
        for (size_t i = 0; i < rows.size(); ++i)
            for (int j = 0; j < 3; ++j)
                app.m_dPointTables[nPlotType][i][j] = rows[i][j];
        app.m_nCurrentPlotType = nPlotType;
        app.m_nUnits = bMetric ? 1 : 0;
        std::unique_ptr<CFennickDoc> pDoc(new CFennickDoc);
        EXPECT_TRUE(pDoc->OnNewDocument());
        return pDoc;
    }

    static CSensitivityDisplay* Display(CFennickDoc& doc)
    {
        return dynamic_cast<CSensitivityDisplay*>(doc.GetChart().FindComponent(0, IDS_QVG_DISPLAY));
    }
};

TEST_F(SensitivityDisplayDrawing, AxesShowTheFixedLimitsInTenSteps)
{
    // All times below 1.2 hours: the curves stay out of the upper plot area.
    std::unique_ptr<CFennickDoc> pDoc = Build(0, {{0.1, 1.0, 1.2}, {0.3, 0.5, 0.6}}, false);
    Canvas canvas(800, 600);
    canvas.Draw(pDoc->GetChart());
    canvas.SaveBmp("fennick-time-to-drain.bmp");
    CSensitivityDisplay* pDisplay = Display(*pDoc);
    ASSERT_NE(pDisplay, nullptr);

    EXPECT_EQ(pDisplay->GetDrawnIndexAxisRange().m_dMin, 0.0);
    EXPECT_EQ(pDisplay->GetDrawnIndexAxisRange().m_dMax, 0.5);
    EXPECT_EQ(pDisplay->GetDrawnValueAxisRange().m_dMin, 0.0);
    EXPECT_EQ(pDisplay->GetDrawnValueAxisRange().m_dMax, 6.0);
    EXPECT_EQ(ScaleLabelTexts(pDisplay->GetFirstScale()),
              (std::vector<std::string>{"0", "0.05", "0.1", "0.15", "0.2", "0.25", "0.3", "0.35", "0.4", "0.45", "0.5"}));
    EXPECT_EQ(ScaleLabelTexts(pDisplay->GetSecondScale()),
              (std::vector<std::string>{"0", "0.6", "1.2", "1.8", "2.4", "3", "3.6", "4.2", "4.8", "5.4", "6"}));

    // Solid black grid lines at every tick and a black frame.
    const CRect plot = pDisplay->GetPlotRect();
    const int yUpper = plot.top + plot.Height() / 8;
    for (const CPoint& anchor : Anchors(pDisplay->GetFirstScale()))
    {
        SCOPED_TRACE(anchor.x);
        EXPECT_EQ(canvas.Pixel(anchor.x, yUpper), Black);
        EXPECT_EQ(canvas.Pixel(anchor.x, yUpper + 3), Black);
    }
    const int xRight = plot.right - plot.Width() / 8 + 2;
    for (const CPoint& anchor : Anchors(pDisplay->GetSecondScale()))
        EXPECT_EQ(canvas.Pixel(xRight, anchor.y), Black) << anchor.y;
    EXPECT_EQ(canvas.Pixel(plot.left, plot.top), Black);
    EXPECT_EQ(canvas.Pixel(plot.right, plot.bottom), Black);
    EXPECT_EQ(canvas.Pixel((plot.left + plot.right) / 2 + 3, plot.top), Black);
    // Between the grid lines the plot area is the display's white.
    EXPECT_EQ(canvas.Pixel(Anchors(pDisplay->GetFirstScale())[9].x + 4, yUpper + 4), White);
}

TEST_F(SensitivityDisplayDrawing, InflowsXAxisRunsFromTheSmallestToTheLargestX)
{
    std::unique_ptr<CFennickDoc> pDoc = Build(6, {{0, 0.2, 0}, {1.45e-05, 0.26, 0}, {2.5e-07, 0.01, 0}}, true);
    Canvas canvas(800, 600);
    canvas.Draw(pDoc->GetChart());
    CSensitivityDisplay* pDisplay = Display(*pDoc);
    ASSERT_NE(pDisplay, nullptr);
    EXPECT_EQ(pDisplay->GetDrawnIndexAxisRange().m_dMin, 0.0);
    EXPECT_EQ(pDisplay->GetDrawnIndexAxisRange().m_dMax, 1.45e-05);
    EXPECT_EQ(pDisplay->GetDrawnValueAxisRange().m_dMax, 1.0);
    EXPECT_GE(pDisplay->GetFirstScale()->GetLabelCount(), 2);
}

// ---- The gradation display and its sieve-size scale ----

class SieveSizeAxis : public ::testing::Test
{
protected:
    CFennickApp app;
    QVGraph chart;
    CGradationDisplay* pDisplay = nullptr;

    // A gradation display on the 0.45-power axis from 0 to the maximum, Y from 0 to 100 in steps of
    // 10, no horizontal grid lines (so a column shows only its vertical line).
    void Draw(double xMax, int nUnits, Canvas& canvas)
    {
        pDisplay = new CGradationDisplay;
        pDisplay->SetMillimetres(nUnits != 0);
        pDisplay->SetGraphType(21);
        pDisplay->SetAxisStyle(0xC0);
        pDisplay->SetGridColor(Black);
        pDisplay->SetIntRect(CRect(0, 0, canvas.width, canvas.height));
        pDisplay->SetYStep(10);
        pDisplay->SetOption(QVGDisplayBase::optionFixedRanges, TRUE);
        pDisplay->SetOption(QVGDisplayBase::optionNoValueGrid, TRUE);
        pDisplay->SetFixedIndexMax(xMax);
        pDisplay->SetFixedValueMax(100);
        chart.AddComponent(pDisplay);
        canvas.Draw(chart);
    }

    CSieveSizeScale* Scale() { return dynamic_cast<CSieveSizeScale*>(pDisplay->GetFirstScale()); }

    // Whether the vertical line at x has gaps between the top and the bottom of the plot.
    static bool IsBroken(Canvas& canvas, int x, const CRect& plot)
    {
        for (int y = plot.top + 3; y < plot.bottom - 3; ++y)
            if (canvas.Pixel(x, y) == White)
                return true;
        return false;
    }
};

TEST_F(SieveSizeAxis, InchNamesRunToTheFirstSieveAtTheMaximum)
{
    Canvas canvas(900, 600);
    Draw(std::pow(37.5, 0.45), 0, canvas);
    ASSERT_NE(Scale(), nullptr);
    EXPECT_EQ(ScaleLabelTexts(Scale()), (std::vector<std::string>{"#200", "", "", "", "#50", "", "", "", "#16", "", "",
                                                              "#4", "", "1/2\"", "3/4\"", "1\"", "1 1/2\""}));
    // The Y axis has the display's step.
    EXPECT_EQ(pDisplay->GetSecondScale()->GetLabelCount(), 11);
}

TEST_F(SieveSizeAxis, LabelsSitAtTheSizesPowerOfNearlyAHalf)
{
    Canvas canvas(900, 600);
    const double xMax = std::pow(37.5, 0.45);
    Draw(xMax, 0, canvas);
    const CRect plot = pDisplay->GetPlotRect();
    const std::vector<CPoint> anchors = Anchors(Scale());
    ASSERT_EQ(anchors.size(), 17u);
    for (int i : {0, 4, 11, 16})
    {
        SCOPED_TRACE(i);
        const double expected = plot.left + std::pow(CSieveSizeScale::SieveSize(i), 0.45) / xMax * plot.Width();
        EXPECT_NEAR(anchors[i].x, expected, 1.5);
    }
}

TEST_F(SieveSizeAxis, MillimetreNamesLeave63And90UnnamedWithSolidLines)
{
    Canvas canvas(1200, 500);
    Draw(std::pow(100.0, 0.45), 1, canvas);
    canvas.SaveBmp("fennick-sieve-sizes-mm.bmp");
    // 90^0.45 is the first size past the maximum less half a unit: the last label.
    const std::vector<std::string> texts = ScaleLabelTexts(Scale());
    ASSERT_EQ(texts.size(), 21u);
    EXPECT_EQ(texts[0], "0.075mm");
    EXPECT_EQ(texts[4], "0.300mm");
    EXPECT_EQ(texts[17], "50.0mm");
    EXPECT_EQ(texts[18], "");
    EXPECT_EQ(texts[19], "75.0mm");
    EXPECT_EQ(texts[20], "");

    const CRect plot = pDisplay->GetPlotRect();
    const std::vector<CPoint> anchors = Anchors(Scale());
    for (size_t place = 0; place < anchors.size(); ++place)
    {
        SCOPED_TRACE(place);
        const bool bDotted = place == 1 || place == 2 || place == 3 || place == 5 || place == 6 || place == 7 ||
                             place == 9 || place == 10 || place == 12;
        EXPECT_EQ(IsBroken(canvas, anchors[place].x, plot), bDotted);
    }
}

TEST_F(SieveSizeAxis, NoSieveNamesWhenTheAxisIsShorterThanHalfAUnit)
{
    Canvas canvas(900, 600);
    Draw(0.4, 0, canvas);
    EXPECT_EQ(Scale()->GetLabelCount(), 0);
}

} // namespace

namespace {

TEST(GradationDisplayArchive, AStoredDisplayKeepsItsUnitsAndYStep)
{
    for (BOOL bMillimetres : {FALSE, TRUE})
    {
        SCOPED_TRACE(bMillimetres);
        CGradationDisplay stored;
        stored.SetYStep(20);
        stored.SetMillimetres(bMillimetres);
        CMemFile file;
        {
            CArchive ar(&file, CArchive::store);
            ar << &stored;
            ar.Close();
        }
        file.SeekToBegin();
        CArchive ar(&file, CArchive::load);
        CObject* pLoaded = nullptr;
        ar >> pLoaded;
        ar.Close();
        auto* pDisplay = dynamic_cast<CGradationDisplay*>(pLoaded);
        ASSERT_NE(pDisplay, nullptr);
        EXPECT_EQ(pDisplay->IsMillimetres(), bMillimetres);
        EXPECT_EQ(pDisplay->m_dYStep, 20.0);
        delete pLoaded;
    }
}

} // namespace
