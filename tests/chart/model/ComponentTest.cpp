// The component base apart from drawing: rectangles in their measurement modes, sizes, data ranges,
// archives and template fields.
#include "chart/model/CompoundComponent.h"
#include "chart/model/Graph.h"
#include "chart/model/GraphBackground.h"

#include "ChartTestSupport.h"
#include "TestComponents.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

TEST(GraphRect, MinusOneIsTheEdgeOfTheDrawingAreaInEveryMode)
{
    CMemoryCanvas canvas(10, 10);
    QVGraph chart;
    chart.SetFixedRect(CRect(0, 0, 300, 200), 0);
    chart.PrepareDrawing(&canvas.dc, nullptr);
    for (int mode = 0; mode <= 3; ++mode) {
        QVGraphRect rect;
        rect.SetChart(&chart);
        rect.SetMeasurement(mode);
        EXPECT_EQ(CRect(0, 0, 300, 200), rect.ToDeviceRect(&canvas.dc, nullptr)) << mode;
    }
}

TEST(GraphRect, MeasurementModesToDeviceAndBack)
{
    CMemoryCanvas canvas(10, 10);
    QVGraph chart;
    chart.SetFixedRect(CRect(0, 0, 400, 200), 0);
    chart.PrepareDrawing(&canvas.dc, nullptr);
    struct Case
    {
        int mode;
        double left, top, right, bottom;
        CRect device;
    };
    const Case cases[] = {
        {0, 5, 6, 70, 80, CRect(5, 6, 70, 80)},
        {1, 10, 10, 20, 20.5, CRect(37, 37, 75, 77)},
        {2, 0.5, 1, 2, 1.5, CRect(48, 96, 192, 144)},
        {3, 10, 50, 50, 100, CRect(40, 100, 200, 200)},
    };
    for (const Case& c : cases) {
        QVGraphRect rect;
        rect.SetChart(&chart);
        rect.SetMeasurement(c.mode);
        rect.SetValues(c.left, c.top, c.right, c.bottom);
        EXPECT_EQ(c.device, rect.ToDeviceRect(&canvas.dc, nullptr)) << c.mode;
        EXPECT_EQ(c.device, rect.GetDeviceRect()) << c.mode;
    }
    QVGraphRect back;
    back.SetChart(&chart);
    back.SetMeasurement(2);
    back.FromDeviceRect(CRect(48, 96, 192, 144), &canvas.dc);
    EXPECT_DOUBLE_EQ(0.5, back.m_dLeft);
    EXPECT_DOUBLE_EQ(1.5, back.m_dBottom);
}

TEST(GraphRect, FixedChartRectangleMovesComponentsByItsOrigin)
{
    CMemoryCanvas canvas(10, 10);
    QVGraph chart;
    chart.SetFixedRect(CRect(30, 40, 130, 140), 0);
    chart.PrepareDrawing(&canvas.dc, nullptr);
    QVGraphRect rect;
    rect.SetChart(&chart);
    rect.SetValues(0, 0, -1, 10);
    EXPECT_EQ(CRect(30, 40, 130, 50), rect.ToDeviceRect(&canvas.dc, nullptr));
}

TEST(Component, SizesFollowTheMeasurementMode)
{
    struct Case
    {
        int mode;
        double size, sizeXY;
    };
    const Case cases[] = {{0, 5.0, 10.0}, {1, 2.5, 5.0}, {2, 0.1, 0.2}, {3, 1.25, 2.5}};
    for (const Case& c : cases) {
        QVGraphComponent component;
        component.SetMeasurement(c.mode);
        EXPECT_EQ(c.size, component.GetSize()) << c.mode;
        EXPECT_EQ(c.sizeXY, component.GetSizeX()) << c.mode;
        EXPECT_EQ(c.sizeXY, component.GetSizeY()) << c.mode;
    }
}

TEST(Component, DataRangeLimits)
{
    QVGraphComponent component;
    EXPECT_TRUE(component.InDataRange(1000, 1000));
    component.SetDataRange(2, 5, -1, -1);
    EXPECT_TRUE(component.InDataRange(2, 9));
    EXPECT_FALSE(component.InDataRange(6, 0));
    component.SetDataRange(-1, -1, 1, 2);
    EXPECT_TRUE(component.InDataRange(99, 2));
    EXPECT_FALSE(component.InDataRange(0, 3));
    EXPECT_TRUE(component.IsChanged());
}

TEST(Component, RotatePointAndLineGeometry)
{
    QVGraphComponent component;
    EXPECT_EQ(CPoint(10, 0), component.RotatePoint(0, 10, 90.0, FALSE));
    EXPECT_EQ(CPoint(7, 7), component.RotatePoint(10, 0, -45.0, FALSE));
    EXPECT_EQ(5.0, LineLength(0, 0, 3, 4));
    EXPECT_EQ(0.0, LineAngle(2, 2, 2, 2));
    EXPECT_DOUBLE_EQ(3.14159265358979323846 / 2, LineAngle(0, 0, 0, 5));
}

TEST(Component, LabelDirectionTurnsByTheRotation)
{
    QVGraphComponent component;
    QVGraphStyle style;
    struct Case
    {
        int direction, rotation, expected;
    };
    // Directions 0-7 at 0, 315, 270 ... 45 degrees; rotations in steps of 45.
    const Case cases[] = {{0, 0, 0}, {4, 0, 4}, {0, 2, 2}, {4, 1, 5}, {7, 1, 0}, {8, 3, 8}};
    for (const Case& c : cases) {
        style.SetLabelDirection(c.direction);
        style.m_nFlags = (style.m_nFlags & ~0x0F000000) | (c.rotation << 24);
        EXPECT_EQ(c.expected, component.RotateLabelDirection(&style, nullptr)) << c.direction << "," << c.rotation;
        EXPECT_EQ(c.direction, style.GetLabelDirection());
    }
}

TEST(Component, ArchiveRoundTripKeepsFieldsAndClass)
{
    QVGraphBackground* pSource = new QVGraphBackground;
    pSource->SetMeasurement(QVGraphRect::percent);
    pSource->SetRect(1, 2, 3, 4);
    pSource->SetDataRange(0, 9, 1, 2);
    pSource->SetIndexStride(3);
    pSource->SetGroupStride(2);
    pSource->SetTag("backdrop");
    pSource->GetStyle()->SetShadowStyle(2);
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar << static_cast<CObject*>(pSource);
        ar.Close();
    }
    delete pSource;
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    CObject* pObject = nullptr;
    ar >> pObject;
    ASSERT_NE(nullptr, pObject);
    ASSERT_TRUE(pObject->IsKindOf(RUNTIME_CLASS(QVGraphBackground)));
    QVGraphBackground* pCopy = static_cast<QVGraphBackground*>(pObject);
    EXPECT_EQ(53527, pCopy->GetTypeId());
    EXPECT_EQ(QVGraphRect::percent, pCopy->GetRectObject()->GetMeasurement());
    EXPECT_EQ(4.0, pCopy->GetRectObject()->m_dBottom);
    EXPECT_EQ(9, pCopy->m_nMaxIndex);
    EXPECT_EQ(3, pCopy->GetIndexStride());
    EXPECT_EQ(2, pCopy->GetGroupStride());
    EXPECT_EQ("backdrop", std::string(pCopy->GetTag()));
    EXPECT_EQ(2, pCopy->GetStyle()->GetShadowStyle());
    delete pCopy;
}

namespace {
std::string WriteTemplateLine(QVGraphComponent& component)
{
    char folder[MAX_PATH];
    ::GetTempPathA(MAX_PATH, folder);
    const std::string path = std::string(folder) + "chart_template_" + std::to_string(::GetCurrentProcessId()) + ".txt";
    {
        CStdioFile file(path.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeText);
        component.WriteTemplate(&file);
        file.Close();
    }
    std::string text;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        char buffer[512];
        text.assign(buffer, std::fread(buffer, 1, sizeof buffer, f));
        std::fclose(f);
    }
    ::DeleteFileA(path.c_str());
    return text;
}
}  // namespace

TEST(ComponentTemplate, BackgroundLineWithEachFill)
{
    struct Case
    {
        int fill;
        const char* line;
    };
    const Case cases[] = {
        {0, "background 10 20 110 80.5 1 3 0 2 \r\n"},
        {1, "background 10 20 110 80.5 1 3 1 2 255 0 0 \r\n"},
        {2, "background 10 20 110 80.5 1 3 2 2 255 0 0 0 128 255 \r\n"},
        {4, "background 10 20 110 80.5 1 3 4 2 255 0 0 0 128 255 45 \r\n"},
        {5, "background 10 20 110 80.5 1 3 5 2 \"tile.bmp\" 1 \r\n"},
    };
    for (const Case& c : cases) {
        QVGraphBackground background;
        background.SetMeasurement(1);
        background.SetRect(10, 20, 110, 80.5);
        QVGraphStyle* pStyle = background.GetStyle();
        pStyle->m_nComponentStyle = (c.fill << 8) | (2 << 4) | 3;
        background.SetFillColors(RGB(255, 0, 0), RGB(0, 128, 255));
        background.SetFillValue(45);
        background.SetFillImageName("tile.bmp");
        pStyle->SetImageStretched(TRUE);
        const std::string line = WriteTemplateLine(background);
        EXPECT_EQ(c.line, line) << c.fill;

        QVGraphBackground read;
        const std::string fields = line.substr(std::string("background ").size());
        const int consumed = read.ReadTemplateComponent(fields.c_str());
        EXPECT_EQ(fields.size(), size_t(consumed)) << c.fill;    // the last blank takes the line end
        EXPECT_EQ(pStyle->m_nComponentStyle & 0xFFF, read.GetStyle()->m_nComponentStyle & 0xFFF) << c.fill;
        EXPECT_EQ(80.5, read.GetRectObject()->m_dBottom);
        EXPECT_EQ(1, read.GetRectObject()->GetMeasurement());
        EXPECT_EQ(2.5, read.GetSize());    // sizes recalculated for millimetres
        if (c.fill >= 1 && c.fill <= 4) {
            EXPECT_EQ(RGB(255, 0, 0), read.GetStyle()->m_crFill1) << c.fill;
        }
        if (c.fill == 4) {
            EXPECT_EQ(45.0, read.GetStyle()->m_dFillValue);
        }
        if (c.fill == 5) {
            EXPECT_EQ("tile.bmp", std::string(read.GetStyle()->m_strFillImage));
            EXPECT_TRUE(read.GetStyle()->IsImageStretched());
        }
    }
}

TEST(ComponentTemplate, ReadingErrors)
{
    QVGraphComponent component;
    EXPECT_EQ(8, ChartErrorOf([&] { component.ReadTemplateComponent("1 2 3 4 0 0"); }));
    EXPECT_EQ(9, ChartErrorOf([&] { component.ReadTemplateComponent("1 2 3 4 0 0 6 0 "); }));
    EXPECT_EQ(9, ChartErrorOf([&] { component.ReadTemplateComponent("1 2 3 4 0 0 2 0 1 2 3"); }));
    EXPECT_EQ(-1, ChartErrorOf([&] { component.ReadTemplateComponent("-1 -1 -1 -1 0 0 1 0 0 0 255"); }));
    EXPECT_EQ(RGB(0, 0, 255), component.GetStyle()->m_crFill1);
    EXPECT_EQ(0x100, component.GetStyle()->m_nComponentStyle);
}

TEST(CompoundComponent, TwoPassDrawingAndDrawAfterChildren)
{
    CMemoryCanvas canvas(60, 60);
    QVGraph chart;
    QVGCompoundComponent* pCompound = new QVGCompoundComponent;
    pCompound->GetStyle()->SetFillType(0);
    CRecordingComponent* pPlain = new CRecordingComponent;
    CRecordingComponent* pLate = new CRecordingComponent;
    pLate->GetStyle()->SetOption(0, TRUE);
    pCompound->AddSubComponent(pPlain);
    pCompound->AddSubComponent(pLate);
    pCompound->SetTwoPass(TRUE);
    pCompound->SetAfterPass(TRUE);
    chart.AddComponent(pCompound);
    EXPECT_TRUE(pPlain->IsSubComponent());
    EXPECT_EQ(&chart, pPlain->GetChart());

    chart.Draw(&canvas.dc, nullptr);
    EXPECT_EQ((std::vector<int>{0, 1}), pPlain->passes);
    // With the after pass on, a draw-after child is drawn in both passes and once more afterwards.
    EXPECT_EQ((std::vector<int>{0, 1, 1}), pLate->passes);

    pCompound->SetAfterPass(FALSE);
    pPlain->passes.clear();
    pLate->passes.clear();
    chart.Draw(&canvas.dc, nullptr);
    EXPECT_EQ((std::vector<int>{0, 1}), pPlain->passes);
    EXPECT_EQ((std::vector<int>{0}), pLate->passes);
}

// Compounds within compounds: each draws what is below it once for each of its own passes, so the
// drawings of a child do not multiply with every level above it. A two-pass compound drawn in the
// layout pass of another lays its children out only; a compound child drawn after its siblings is
// drawn then, once.
TEST(CompoundComponent, NestedCompoundsDrawWhatIsBelowThemOncePerPass)
{
    const struct
    {
        const char* what;
        bool bOuterTwoPass, bOuterAfterPass, bInnerTwoPass, bInnerDrawnAfter;
        std::vector<int> leafPasses;
    } cases[] = {
        {"one pass in one pass", false, false, false, false, {1}},
        {"two passes in one pass", false, false, true, false, {0, 1}},
        {"two passes in two passes", true, false, true, false, {0, 0, 1}},
        {"drawn after, in one pass", false, true, false, true, {1}},
        {"two passes drawn after, in two passes", true, true, true, true, {0, 0, 1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CMemoryCanvas canvas(60, 60);
        QVGraph chart;
        QVGCompoundComponent* pOuter = new QVGCompoundComponent;
        QVGCompoundComponent* pInner = new QVGCompoundComponent;
        CRecordingComponent* pLeaf = new CRecordingComponent;
        for (QVGCompoundComponent* p : {pOuter, pInner})
            p->GetStyle()->SetFillType(0);
        pOuter->SetTwoPass(c.bOuterTwoPass);
        pOuter->SetAfterPass(c.bOuterAfterPass);
        pInner->SetTwoPass(c.bInnerTwoPass);
        pInner->GetStyle()->SetOption(0, c.bInnerDrawnAfter);
        pInner->AddSubComponent(pLeaf);
        pOuter->AddSubComponent(pInner);
        chart.AddComponent(pOuter);
        chart.Draw(&canvas.dc, nullptr);
        EXPECT_EQ(c.leafPasses, pLeaf->passes);
    }

    // Thirty levels of two-pass compounds, each with an after pass and drawn after: three drawings of
    // every level for each above it would never end.
    CMemoryCanvas canvas(60, 60);
    QVGraph chart;
    QVGCompoundComponent* pLevel = new QVGCompoundComponent;
    chart.AddComponent(pLevel);
    for (int nDepth = 0; nDepth < 30; ++nDepth) {
        pLevel->GetStyle()->SetFillType(0);
        pLevel->SetTwoPass(TRUE);
        pLevel->SetAfterPass(TRUE);
        QVGCompoundComponent* pInner = new QVGCompoundComponent;
        pInner->GetStyle()->SetOption(0, TRUE);
        pLevel->AddSubComponent(pInner);
        pLevel = pInner;
    }
    CRecordingComponent* pLeaf = new CRecordingComponent;
    pLevel->AddSubComponent(pLeaf);
    chart.Draw(&canvas.dc, nullptr);
    EXPECT_LE(pLeaf->passes.size(), 3u * 30);
    EXPECT_EQ(1, pLeaf->passes.back());
}

TEST(CompoundComponent, ChartFindsComponentsAmongChildren)
{
    QVGraph chart;
    QVGCompoundComponent* pCompound = new QVGCompoundComponent;
    QVGraphBackground* pInner = new QVGraphBackground;
    pCompound->AddSubComponent(pInner);
    QVGraphBackground* pOuter = new QVGraphBackground;
    chart.AddComponent(pCompound);
    chart.AddComponent(pOuter);
    EXPECT_EQ(pInner, chart.FindComponent(0, 53527));
    EXPECT_EQ(pOuter, chart.FindComponent(1, 53527));
    EXPECT_EQ(nullptr, chart.FindComponent(2, 53527));
    EXPECT_EQ(pOuter, chart.FindComponent(1, -1));
    chart.SetComponentMaxIndex(1, 7, 53527);
    EXPECT_EQ(7, pOuter->m_nMaxIndex);
    POSITION pos = chart.GetFirstComponentPosition(53527);
    EXPECT_EQ(pOuter, chart.GetNextComponent(pos, 53527));
    EXPECT_EQ(nullptr, pos);
}

TEST(GraphArchive, ChartRoundTripKeepsComponentsAndData)
{
    QVGraph source;
    QVGraphBackground* pBackground = new QVGraphBackground;
    pBackground->SetFillColors(RGB(1, 2, 3), 0);
    source.AddComponent(pBackground);
    QVGCompoundComponent* pCompound = new QVGCompoundComponent;
    pCompound->AddSubComponent(new QVGraphBackground);
    source.AddComponent(pCompound);
    source.ReadDataText("1,2\r\n3,4");
    source.SetLabelAnnotation(2);
    QVGraph copy;
    RoundTrip(source, copy);
    ASSERT_EQ(2, copy.GetComponentList()->GetCount());
    QVGraphComponent* pFirst = static_cast<QVGraphComponent*>(copy.GetComponentList()->GetHead());
    EXPECT_EQ(&copy, pFirst->GetChart());
    EXPECT_EQ(RGB(1, 2, 3), pFirst->GetStyle()->m_crFill1);
    QVGraphComponent* pChild = copy.FindComponent(1, 53527);
    ASSERT_NE(nullptr, pChild);
    EXPECT_EQ(&copy, pChild->GetChart());
    EXPECT_TRUE(pChild->IsSubComponent());
    EXPECT_EQ(4.0, copy.GetItemValue(1, 1));
    EXPECT_EQ("B", std::string(copy.GetItemText(0, 1, 1)));
    EXPECT_EQ(2, copy.GetLabelAnnotation());
    EXPECT_FALSE(copy.HasNoData());
}

// Lists that own their elements take each object once: an archive that names a component again (in the
// chart's list or in a compound's children) is refused, and the half-read chart goes without deleting
// anything twice.
TEST(GraphArchive, AComponentNamedTwiceIsRefused)
{
    for (bool bInCompound : {false, true}) {
        SCOPED_TRACE(bInCompound ? "a compound's child names a component of the chart" : "the chart names it twice");
        QVGraph source;
        QVGraphBackground* pBackground = new QVGraphBackground;
        source.AddComponent(pBackground);
        QVGCompoundComponent* pCompound = new QVGCompoundComponent;
        source.AddComponent(pCompound);
        // The second naming is written as a reference back to the first.
        CObList* pNames = bInCompound ? pCompound->GetComponentList() : source.GetComponentList();
        pNames->AddTail(pBackground);
        CMemFile file;
        {
            CArchive ar(&file, CArchive::store);
            source.Serialize(ar);
            ar.Close();
        }
        pNames->RemoveTail();

        file.SeekToBegin();
        int cause = -1;
        {
            QVGraph copy;
            try {
                CArchive ar(&file, CArchive::load);
                copy.Serialize(ar);
            } catch (CArchiveException* e) {
                cause = e->m_cause;
                e->Delete();
            }
        }
        EXPECT_EQ(int(CArchiveException::badIndex), cause);
    }
}

TEST(GraphStandardChart, BackgroundWithStyleNibbles)
{
    QVGraph chart;
    QVGraphComponent* pComponent =
        chart.BuildStandardChart(53527, QVGraphRect::millimetres, CRect(1, 2, 3, 4), 0x3, 0x20, 0x400, 0, 0);
    ASSERT_NE(nullptr, pComponent);
    EXPECT_EQ(0x423, pComponent->GetStyle()->m_nComponentStyle & 0xFFF);
    EXPECT_EQ(QVGraphRect::millimetres, pComponent->GetRectObject()->GetMeasurement());
    EXPECT_EQ(3.0, pComponent->GetRectObject()->m_dRight);
    EXPECT_EQ(pComponent, chart.FindComponent(0, -1));
    EXPECT_EQ(nullptr, chart.BuildStandardChart(99, 0, CRect(), 0, 0, 0, 0, 0));
}

TEST(GraphStandardChart, EachComponentKindAndTheDisplaysTypeBytes)
{
    struct Case
    {
        int typeId;
        const char* className;
    };
    const Case cases[] = {{53527, "QVGraphBackground"}, {53528, "QVGraphDisplay"}, {53529, "QVGraphTitle"},
                          {53530, "QVGraphLegend"},     {53531, "QVGraphLabel"},   {53532, "QVGraphLabelBlock"},
                          {53533, "QVGTextPanel"}};
    QVGraph chart;
    for (const Case& c : cases) {
        QVGraphComponent* pComponent =
            chart.BuildStandardChart(c.typeId, QVGraphRect::percent, CRect(0, 0, 50, 50), 0, 0, 0, 0x22 << 16, 0xC0 << 24);
        ASSERT_NE(nullptr, pComponent) << c.typeId;
        EXPECT_STREQ(c.className, pComponent->GetRuntimeClass()->m_lpszClassName);
        EXPECT_EQ(c.typeId, pComponent->GetTypeId());
        EXPECT_EQ(&chart, pComponent->GetChart());
    }
    QVGraphStyle* pDisplayStyle = chart.FindComponent(0, 53528)->GetStyle();
    EXPECT_EQ(0x22, pDisplayStyle->GetGraphType());
    EXPECT_EQ(0xC0, pDisplayStyle->GetAxisStyle());
    EXPECT_EQ(1, pDisplayStyle->m_bModified);
    EXPECT_EQ(7, int(chart.GetComponentList()->GetCount()));
}
