// The compound display and its axis managers: places and their ownership, the displays they hold, the
// layout of shared and secondary axes, the inner rectangle, archives, and a picture.
#include "chart/model/AxisManager.h"
#include "chart/model/AxisScale.h"
#include "chart/model/ChartResourceIds.h"
#include "chart/model/CompoundDisplay.h"
#include "chart/model/DataWatcher.h"
#include "chart/model/GraphBackground.h"
#include "chart/model/GraphLabel.h"
#include "chart/model/GraphTitle.h"
#include "chart/model/GridLines.h"
#include "chart/model/TickMarks.h"
#include "framework/win/SeamRecorders.h"

#include "RendererTestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {
QVGAxisManager* const* Managers(QVGCompoundDisplay& compound, QVGAxisManager* (&managers)[4])
{
    managers[0] = compound.GetBottomAxis();
    managers[1] = compound.GetTopAxis();
    managers[2] = compound.GetLeftAxis();
    managers[3] = compound.GetRightAxis();
    return managers;
}

QVGraphComponent* PlaceOf(QVGAxisManager* pManager, int nPlace)
{
    CObList* pList = pManager->GetComponentList();
    return static_cast<QVGraphComponent*>(pList->GetAt(pList->FindIndex(nPlace)));
}

QVGTickMarks* Ticks(int nLength)
{
    QVGTickMarks* pTicks = new QVGTickMarks;
    pTicks->SetTickSize(nLength);
    return pTicks;
}

// A compound display over the canvas with bars on the left axis, indexes along the bottom.
QVGCompoundDisplay* AddBarCompound(QVGraph& chart, const CRect& rect, int nGraphType = 3)
{
    QVGraphComponent* pComponent =
        chart.BuildStandardChart(IDS_QVG_COMPOUND_DISPLAY, 0, rect, 0, 0, 0, nGraphType << 16, 2 << 24);
    return static_cast<QVGCompoundDisplay*>(pComponent);
}
}  // namespace

TEST(AxisManager, ANewCompoundDisplayHasFourAxisManagersWithEveryPlaceEmpty)
{
    QVGCompoundDisplay compound;
    EXPECT_EQ(IDS_QVG_COMPOUND_DISPLAY, compound.GetTypeId());
    EXPECT_EQ(4, compound.GetComponentList()->GetCount());
    QVGAxisManager* managers[4];
    Managers(compound, managers);
    for (int side = 0; side < 4; ++side) {
        SCOPED_TRACE(side);
        QVGAxisManager* pManager = managers[side];
        ASSERT_NE(nullptr, pManager);
        EXPECT_EQ(IDS_QVG_AXIS_MANAGER, pManager->GetTypeId());
        EXPECT_EQ(6, pManager->GetComponentList()->GetCount());
        EXPECT_EQ(nullptr, pManager->GetScale());
        EXPECT_EQ(nullptr, pManager->GetTickMarks());
        EXPECT_EQ(nullptr, pManager->GetGridLines());
        EXPECT_EQ(nullptr, pManager->GetWatcher());
        EXPECT_EQ(nullptr, pManager->GetDisplay());
        EXPECT_EQ(nullptr, pManager->GetAxisLabel());
        for (int other = 0; other < side; ++other)
            EXPECT_NE(managers[other], pManager);
    }
}

namespace {
// The setter, remover and getter of each place, by its number.
QVGraphComponent* FillPlace(QVGAxisManager& manager, int nPlace)
{
    switch (nPlace) {
    case QVGAxisManager::placeScale: { auto* p = new QVGDecimalScale; manager.SetScale(p); return p; }
    case QVGAxisManager::placeTickMarks: { auto* p = new QVGTickMarks; manager.SetTickMarks(p); return p; }
    case QVGAxisManager::placeGridLines: { auto* p = new QVGGridLines; manager.SetGridLines(p); return p; }
    case QVGAxisManager::placeWatcher: { auto* p = new QVGDataWatcher; manager.SetWatcher(p); return p; }
    case QVGAxisManager::placeDisplay: { auto* p = new QVGraphDisplay; manager.SetDisplay(p); return p; }
    default: { auto* p = new QVGraphLabel; manager.SetAxisLabel(p); return p; }
    }
}

QVGraphComponent* EmptyPlace(QVGAxisManager& manager, int nPlace, BOOL bDelete)
{
    switch (nPlace) {
    case QVGAxisManager::placeScale: return manager.RemoveScale(bDelete);
    case QVGAxisManager::placeTickMarks: return manager.RemoveTickMarks(bDelete);
    case QVGAxisManager::placeGridLines: return manager.RemoveGridLines(bDelete);
    case QVGAxisManager::placeWatcher: return manager.RemoveWatcher(bDelete);
    case QVGAxisManager::placeDisplay: return manager.RemoveDisplay(bDelete);
    default: return manager.RemoveAxisLabel(bDelete);
    }
}

QVGraphComponent* GetPlace(QVGAxisManager& manager, int nPlace)
{
    switch (nPlace) {
    case QVGAxisManager::placeScale: return manager.GetScale();
    case QVGAxisManager::placeTickMarks: return manager.GetTickMarks();
    case QVGAxisManager::placeGridLines: return manager.GetGridLines();
    case QVGAxisManager::placeWatcher: return manager.GetWatcher();
    case QVGAxisManager::placeDisplay: return manager.GetDisplay();
    default: return manager.GetAxisLabel();
    }
}
}  // namespace

TEST(AxisManager, RemovingWithoutDeletingHandsTheComponentBackAndLeavesAPlaceholder)
{
    for (int place = 0; place < QVGAxisManager::placeCount; ++place) {
        SCOPED_TRACE(place);
        QVGraph chart;
        QVGAxisManager manager;
        manager.SetChart(&chart);
        QVGraphComponent* pSet = FillPlace(manager, place);
        EXPECT_EQ(pSet, GetPlace(manager, place));
        EXPECT_EQ(pSet, PlaceOf(&manager, place));
        EXPECT_TRUE(pSet->IsSubComponent());
        EXPECT_EQ(&chart, pSet->GetChart());

        QVGraphComponent* pBack = EmptyPlace(manager, place, FALSE);
        ASSERT_EQ(pSet, pBack);
        EXPECT_FALSE(pBack->IsSubComponent());
        EXPECT_EQ(nullptr, GetPlace(manager, place));
        EXPECT_EQ(6, manager.GetComponentList()->GetCount());
        QVGraphComponent* pPlaceholder = PlaceOf(&manager, place);
        EXPECT_NE(pSet, pPlaceholder);
        EXPECT_EQ(RUNTIME_CLASS(QVGraphComponent), pPlaceholder->GetRuntimeClass());
        // An empty place gives none and stays as it is; the caller owns what came back.
        EXPECT_EQ(nullptr, EmptyPlace(manager, place, FALSE));
        EXPECT_EQ(pPlaceholder, PlaceOf(&manager, place));
        delete pBack;

        FillPlace(manager, place);
        EXPECT_EQ(nullptr, EmptyPlace(manager, place, TRUE));
        EXPECT_EQ(nullptr, GetPlace(manager, place));
    }
}

TEST(AxisManager, AHeldDisplayDrawsWithoutFrameTicksGridsOrScalesOfItsOwn)
{
    QVGAxisManager manager;
    QVGraphDisplay* pDisplay = new QVGraphDisplay;
    pDisplay->GetStyle()->SetBorderStyle(1);
    pDisplay->GetStyle()->SetShadowStyle(2);
    pDisplay->GetStyle()->SetFillType(1);
    pDisplay->GetStyle()->m_nFlags |= 0xF0;
    manager.SetDisplay(pDisplay);
    EXPECT_EQ(0, pDisplay->GetStyle()->m_nComponentStyle & 0xFFF);
    EXPECT_EQ(0, pDisplay->GetStyle()->m_nFlags & 0xF0);
    EXPECT_EQ(0, pDisplay->GetScaleFlags());
    for (int bit : {11, 12, 15, 16})
        EXPECT_TRUE(pDisplay->GetOption(bit)) << bit;
}

TEST(AxisManager, TheLimitsOfTheManagerGoToEveryPlace)
{
    QVGAxisManager manager;
    QVGDecimalScale* pScale = new QVGDecimalScale;
    manager.SetScale(pScale);
    manager.SetDataRange(1, 4, 2, 3);
    for (int place = 0; place < 6; ++place) {
        int minIndex = 0, maxIndex = 0, minGroup = 0, maxGroup = 0;
        PlaceOf(&manager, place)->GetDataRange(minIndex, maxIndex, minGroup, maxGroup);
        EXPECT_EQ(1, minIndex);
        EXPECT_EQ(4, maxIndex);
        EXPECT_EQ(2, minGroup);
        EXPECT_EQ(3, maxGroup);
    }
}

TEST(CompoundDisplay, HeldPiesWebsAndPolarChartsBecomeBarsAndIsometricChartsThreeDBars)
{
    const struct
    {
        int nGraphType;
        int nAxisStyle;
        int nDrawnType;
        int nDrawnStyle;
    } cases[] = {{4, 1, 3, 2},  {13, 9, 3, 2},  {18, 1, 3, 2},  {23, 14, 3, 2}, {26, 1, 3, 2},
                 {27, 17, 3, 2}, {9, 4, 15, 11}, {10, 1, 15, 11}, {17, 6, 15, 11}, {1, 2, 1, 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nGraphType);
        CMemoryCanvas canvas(300, 240);
        QVGraph chart;
        chart.SetFixedRect(CRect(0, 0, 300, 240), 0);
        FillChart(chart, {{1.0, 2.0, 3.0}, {3.0, 2.0, 1.0}});
        QVGCompoundDisplay* pCompound = new QVGCompoundDisplay;
        chart.AddComponent(pCompound);
        QVGraphDisplay* pDisplay = new QVGraphDisplay;
        pDisplay->SetGraphType(c.nGraphType);
        pDisplay->SetAxisStyle(c.nAxisStyle);
        pCompound->SetLeftDisplay(pDisplay);
        chart.Draw(&canvas.dc, nullptr);
        EXPECT_EQ(c.nDrawnType, pDisplay->GetGraphType());
        EXPECT_EQ(c.nDrawnStyle, pDisplay->GetAxisStyle());
        EXPECT_FALSE(FeedbackOf(chart).empty());
    }
}

TEST(CompoundDisplay, TheSecondaryValueAxisShowsThePrimaryValuesTimesItsFactor)
{
    const struct
    {
        double factor;
        double low;
        double high;
    } cases[] = {{2.5, 0.0, 25.0}, {0.0, 0.0, 10.0}, {-1.0, -10.0, 0.0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.factor);
        CMemoryCanvas canvas(400, 300);
        QVGraph chart;
        chart.SetFixedRect(CRect(0, 0, 400, 300), 0);
        FillChart(chart, {{2.0, 8.0, 5.0}});
        QVGCompoundDisplay* pCompound = AddBarCompound(chart, CRect(0, 0, 400, 300));
        QVGDisplayBase* pDisplay = pCompound->GetLeftAxis()->GetDisplay();
        pDisplay->SetOption(QVGDisplayBase::optionFixedRanges, TRUE);
        pDisplay->SetFixedValueMin(0.0);
        pDisplay->SetFixedValueMax(10.0);
        QVGDecimalScale* pSecondary = new QVGDecimalScale;
        pCompound->SetRightScale(pSecondary);
        pCompound->SetSecondaryValueAxis(1);
        pCompound->SetSecondaryValueFactor(c.factor);
        chart.Draw(&canvas.dc, nullptr);
        EXPECT_DOUBLE_EQ(c.low, pSecondary->GetMin());
        EXPECT_DOUBLE_EQ(c.high, pSecondary->GetMax());
        EXPECT_DOUBLE_EQ(0.0, pCompound->GetLeftAxis()->GetScale()->GetMin());
        EXPECT_DOUBLE_EQ(10.0, pCompound->GetLeftAxis()->GetScale()->GetMax());
        EXPECT_GT(pSecondary->GetLabelCount(), 1);
    }
}

TEST(CompoundDisplay, AnInnerRectangleTheAxesWouldTurnInsideOutCollapsesToItsMiddleLine)
{
    const struct
    {
        int horizontal;     // tick length of the left and right axes
        int vertical;       // of the bottom and top axes
        CRect inner;
    } cases[] = {{30, 20, CRect(30, 25, 30, 25)}, {5, 5, CRect(15, 15, 45, 35)}, {30, 5, CRect(30, 15, 30, 35)}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.horizontal);
        QVGCompoundDisplay compound;
        compound.SetLeftTickMarks(Ticks(c.horizontal));
        compound.SetRightTickMarks(Ticks(c.horizontal));
        compound.SetBottomTickMarks(Ticks(c.vertical));
        compound.SetTopTickMarks(Ticks(c.vertical));
        compound.SetInnerRect(10, 10, 50, 40, FALSE);
        compound.FitInnerRect();
        EXPECT_EQ(c.inner, compound.GetInnerDeviceRect());
    }
}

TEST(CompoundDisplay, AFixedInnerRectangleIsNotFitted)
{
    QVGCompoundDisplay compound;
    compound.SetLeftTickMarks(Ticks(30));
    compound.SetInnerRect(10, 10, 50, 40, TRUE);
    compound.FitInnerRect();
    EXPECT_EQ(CRect(10, 10, 50, 40), compound.GetInnerDeviceRect());
}

TEST(CompoundDisplay, TheDisplaysDrawInTheInnerRectangleLeftByTheSharedAxes)
{
    CMemoryCanvas canvas(400, 300);
    QVGraph chart;
    chart.SetFixedRect(CRect(0, 0, 400, 300), 0);
    FillChart(chart, {{2.0, 8.0, 5.0, 3.0}});
    for (int i = 0; i < 4; ++i)
        chart.SetItemText(i, 0, (std::string("Q") + char('1' + i)).c_str());
    QVGCompoundDisplay* pCompound = AddBarCompound(chart, CRect(0, 0, 400, 300));
    chart.Draw(&canvas.dc, nullptr);

    const CRect inner = pCompound->GetInnerDeviceRect();
    QVGDisplayBase* pDisplay = pCompound->GetLeftAxis()->GetDisplay();
    EXPECT_EQ(inner, pDisplay->GetPlotRect());
    EXPECT_TRUE(pDisplay->GetOption(QVGDisplayBase::optionFixedPlotRect));
    // Room for the value labels on the left and the index labels below.
    QVGDecimalScale* pValues = pCompound->GetLeftAxis()->GetScale();
    QVGDecimalScale* pIndexes = pCompound->GetBottomAxis()->GetScale();
    EXPECT_GT(inner.left, 10);
    EXPECT_LT(inner.bottom, 290);
    EXPECT_LE(pValues->GetLabelBounds().right, inner.left);
    EXPECT_GE(pIndexes->GetLabelBounds().top, inner.bottom);
    EXPECT_EQ(4, pIndexes->GetLabelCount());
    EXPECT_EQ(CString("Q3"), pIndexes->GetLabel(2)->GetCurrentText());
    EXPECT_EQ(CPoint(inner.left, inner.bottom), pValues->GetStartPoint());
    EXPECT_EQ(CPoint(inner.left, inner.top), pValues->GetEndPoint());
    // The bars stand in it, on its bottom.
    std::vector<FeedbackRecord> bars = FeedbackOf(chart);
    ASSERT_EQ(4u, bars.size());
    for (const FeedbackRecord& bar : bars) {
        EXPECT_GE(bar.box.left, inner.left);
        EXPECT_LE(bar.box.right, inner.right);
        EXPECT_EQ(inner.bottom, bar.box.bottom);
    }
    // The index labels sit below the middles of the bars.
    const QVGAnchorList* pAnchors = pIndexes->GetAnchorList();
    ASSERT_NE(nullptr, pAnchors);
    ASSERT_EQ(4, pAnchors->GetCount());
    EXPECT_NEAR(bars[1].box.CenterPoint().x, pAnchors->GetAt(pAnchors->FindIndex(1)).x, 2);
    // Ticks below the bottom axis, grid lines across the plot at the value ticks.
    const CPoint tick = pAnchors->GetAt(pAnchors->FindIndex(1));
    EXPECT_NE(RGB(255, 255, 255), canvas.Pixel(tick.x, inner.bottom + 3));
}

TEST(CompoundDisplay, AxisLabelsStandOutsideTheScalesTurnedAlongTheirSide)
{
    CMemoryCanvas canvas(400, 300);
    QVGraph chart;
    chart.SetFixedRect(CRect(0, 0, 400, 300), 0);
    FillChart(chart, {{2.0, 8.0, 5.0}});
    QVGCompoundDisplay* pCompound = AddBarCompound(chart, CRect(0, 0, 400, 300));
    QVGraphLabel* pLeft = new QVGraphLabel;
    pLeft->SetAnnotation(1, "Flow (cfs)");
    pCompound->GetLeftAxis()->SetAxisLabel(pLeft);
    QVGraphLabel* pBottom = new QVGraphLabel;
    pBottom->SetAnnotation(1, "Station");
    pCompound->GetBottomAxis()->SetAxisLabel(pBottom);
    chart.Draw(&canvas.dc, nullptr);
    const CRect inner = pCompound->GetInnerDeviceRect();
    EXPECT_DOUBLE_EQ(90.0, pLeft->GetTextAngle());
    EXPECT_DOUBLE_EQ(0.0, pBottom->GetTextAngle());
    const CRect leftBox = pLeft->GetOutlineBounds(), bottomBox = pBottom->GetOutlineBounds();
    const CRect values = pCompound->GetLeftAxis()->GetScale()->GetLabelBounds();
    EXPECT_LE(leftBox.right, values.left + 1);
    EXPECT_NEAR(inner.CenterPoint().y, leftBox.CenterPoint().y, 2);
    EXPECT_GE(bottomBox.top, pCompound->GetBottomAxis()->GetScale()->GetLabelBounds().bottom - 1);
    EXPECT_NEAR(inner.CenterPoint().x, bottomBox.CenterPoint().x, 2);
}

TEST(CompoundDisplay, ArchivesKeepThePlacesTheirComponentsAndTheSecondaryAxes)
{
    QVGCompoundDisplay compound;
    QVGraphDisplay* pDisplay = new QVGraphDisplay;
    pDisplay->SetGraphType(11);
    compound.SetLeftDisplay(pDisplay);
    QVGDecimalScale* pScale = new QVGDecimalScale;
    pScale->SetMax(42.0);
    compound.SetLeftScale(pScale);
    compound.SetBottomScale(new QVGIndexScale);
    compound.SetBottomTickMarks(Ticks(7));
    compound.SetSecondaryValueAxis(1);
    compound.SetSecondaryValueFactor(2.5);
    compound.SetSecondaryIndexFactor(0.5);
    compound.SetValueSide(0);
    compound.GetLeftAxis()->SetAxisStart(3, 4);
    compound.GetLeftAxis()->SetAxisEnd(5, 6);

    QVGCompoundDisplay loaded;
    RoundTrip(compound, loaded);
    ASSERT_NE(nullptr, loaded.GetLeftAxis());
    ASSERT_NE(nullptr, loaded.GetLeftAxis()->GetDisplay());
    EXPECT_EQ(11, loaded.GetLeftAxis()->GetDisplay()->GetGraphType());
    ASSERT_NE(nullptr, loaded.GetLeftAxis()->GetScale());
    EXPECT_DOUBLE_EQ(42.0, loaded.GetLeftAxis()->GetScale()->GetMax());
    EXPECT_TRUE(loaded.GetBottomAxis()->GetScale()->IsKindOf(RUNTIME_CLASS(QVGIndexScale)));
    EXPECT_EQ(7, loaded.GetBottomAxis()->GetTickMarks()->GetTickSize());
    EXPECT_EQ(nullptr, loaded.GetTopAxis()->GetScale());
    EXPECT_EQ(nullptr, loaded.GetRightAxis()->GetDisplay());
    EXPECT_TRUE(loaded.GetLeftAxis()->GetDisplay()->IsSubComponent());
    EXPECT_EQ(1, loaded.GetSecondaryValueAxis());
    EXPECT_DOUBLE_EQ(2.5, loaded.GetSecondaryValueFactor());
    EXPECT_DOUBLE_EQ(0.5, loaded.GetSecondaryIndexFactor());
    EXPECT_EQ(0, loaded.GetValueSide());
    EXPECT_EQ(CPoint(3, 4), loaded.GetLeftAxis()->GetAxisStart());
    EXPECT_EQ(CPoint(5, 6), loaded.GetLeftAxis()->GetAxisEnd());
    EXPECT_EQ(4, loaded.GetComponentList()->GetCount());
}

TEST(CompoundDisplay, ATemplateOfAChartWithACompoundDisplayReadsBackWhole)
{
    // The compound display has no template keyword: it writes no line, so the lines after it still
    // read (a line of only its common fields would stop the reader there).
    QVGraph chart;
    QVGraphBackground* pBackground = new QVGraphBackground;
    pBackground->SetIntRect(CRect(0, 0, 100, 100));
    chart.AddComponent(pBackground);
    AddBarCompound(chart, CRect(0, 0, 100, 100));
    QVGraphTitle* pTitle = new QVGraphTitle;
    pTitle->SetIntRect(CRect(0, 0, 100, 20));
    chart.AddComponent(pTitle);
    char path[MAX_PATH];
    ::GetTempPathA(MAX_PATH, path);
    const std::string file = std::string(path) + "compound_display.qgt";
    chart.WriteChartTemplate(file.c_str());

    CRecordingMessageBox box;
    CScopedMessageBoxSeam seam(&box);
    QVGraph loaded;
    loaded.ReadChartTemplate(file.c_str());
    std::remove(file.c_str());
    EXPECT_TRUE(box.calls.empty());
    ASSERT_EQ(2, loaded.GetComponentList()->GetCount());
    EXPECT_EQ(IDS_QVG_TITLE, static_cast<QVGraphComponent*>(loaded.GetComponentList()->GetTail())->GetTypeId());
}

TEST(CompoundDisplay, PictureWithASecondaryAxisAndAxisLabels)
{
    CMemoryCanvas canvas(640, 420);
    QVGraph chart;
    chart.SetFixedRect(CRect(0, 0, 640, 420), 0);
    QVGraphBackground* pBackground = new QVGraphBackground;
    pBackground->SetIntRect(CRect(0, 0, 640, 420));
    pBackground->GetStyle()->SetFillType(1);
    pBackground->SetFillColors(RGB(250, 250, 245), 0);
    chart.AddComponent(pBackground);
    std::vector<std::vector<double>> rows(2);
    for (int i = 0; i < 8; ++i) {
        rows[0].push_back(3 + 2 * std::sin(i * 0.7) + i * 0.4);
        rows[1].push_back(2 + i * 0.5);
    }
    FillChart(chart, rows);
    // Both displays feed the bottom axis (the right one last): its labels come from either group.
    for (int i = 0; i < 8; ++i)
        for (int g = 0; g < 2; ++g)
            chart.SetItemText(i, g, (std::string("S") + char('1' + i)).c_str());
    chart.ApplyStyle(0, 0, -1, -1, SolidStyle(RGB(70, 110, 190), 5), TRUE);
    QVGraphStyle line = SolidStyle(RGB(200, 60, 40), 12);
    line.m_nLineWidth = 2;
    chart.ApplyStyle(1, 1, -1, -1, line, TRUE);
    QVGCompoundDisplay* pCompound = AddBarCompound(chart, CRect(10, 40, 630, 410));
    QVGDisplayBase* pDisplay = pCompound->GetLeftAxis()->GetDisplay();
    pDisplay->SetDataRange(-1, -1, 0, 0);
    // A line of the second group on the right axis.
    QVGraphDisplay* pLine = new QVGraphDisplay;
    pLine->SetGraphType(1);
    pLine->SetAxisStyle(2);
    pLine->SetDataRange(-1, -1, 1, 1);
    pCompound->SetRightDisplay(pLine);
    pCompound->SetRightScale(new QVGDecimalScale);
    pCompound->SetRightTickMarks(new QVGTickMarks);
    QVGraphLabel* pLeft = new QVGraphLabel;
    pLeft->SetAnnotation(1, "Inflow (cfs/ft)");
    pCompound->GetLeftAxis()->SetAxisLabel(pLeft);
    QVGraphLabel* pRight = new QVGraphLabel;
    pRight->SetAnnotation(1, "Drain time (h)");
    pCompound->GetRightAxis()->SetAxisLabel(pRight);
    QVGraphLabel* pBottom = new QVGraphLabel;
    pBottom->SetAnnotation(1, "Section");
    pCompound->GetBottomAxis()->SetAxisLabel(pBottom);
    QVGraphTitle* pTitle = new QVGraphTitle;
    pTitle->SetIntRect(CRect(0, 6, 640, 36));
    pTitle->SetText("Compound display: bars on the left axis, a line on the right", QVGraphTitle::alignCentre);
    pTitle->SetFixedText(TRUE);
    pTitle->SetFont(12, QVGraphTitle::fontBold, "Arial");
    pTitle->GetStyle()->SetFillType(0);
    pTitle->GetStyle()->SetBorderStyle(0);
    chart.AddComponent(pTitle);
    CRecordingMessageBox box;
    CScopedMessageBoxSeam seam(&box);
    chart.Draw(&canvas.dc, nullptr);
    EXPECT_TRUE(box.calls.empty());
    EXPECT_EQ(16u, FeedbackOf(chart).size());
    EXPECT_EQ(pCompound->GetInnerDeviceRect(), pLine->GetPlotRect());
    canvas.SaveBmp("chart_compound.bmp");
}
