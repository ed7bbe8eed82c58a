// The chart library's archive form: a chart with its components, styles and data, as a plotting
// document stores it.
#include "tests/fuzz/Fuzz.h"
#include "tests/fuzz/FuzzChart.h"
#include "tests/fuzz/FuzzArchive.h"

#include "chart/model/AxisManager.h"
#include "chart/model/AxisScale.h"
#include "chart/model/ChartResourceIds.h"
#include "chart/model/CompoundComponent.h"
#include "chart/model/CompoundDisplay.h"
#include "chart/model/DataWatcher.h"
#include "chart/model/Graph.h"
#include "chart/model/GraphBackground.h"
#include "chart/model/GraphDisplay.h"
#include "chart/model/GraphLabel.h"
#include "chart/model/GraphTitle.h"
#include "chart/model/LabelBlock.h"
#include "framework/core/Archive.h"
#include "framework/core/File.h"

#include <cmath>

namespace
{
std::string StoredChart(QVGraph& chart)
{
    return StoredBytes([&](CArchive& ar) { chart.Serialize(ar); });
}

QVGraphDisplay* Display(int nGraphType, const RECT& rect)
{
    QVGraphDisplay* pDisplay = new QVGraphDisplay;
    pDisplay->SetIntRect(rect);
    pDisplay->SetGraphType(nGraphType);
    pDisplay->SetAxisStyle(15);
    return pDisplay;
}

std::vector<std::string> ChartSeeds()
{
    std::vector<std::string> seeds;
    {
        // A scatter chart of two series with a frame, a title and an axis label.
        QVGraph chart;
        for (int i = 0; i < 6; ++i)
        {
            chart.SetValue(i, 0, i * 1.5);
            chart.SetValue(i, 1, std::sin(i) * 40.0 + 50.0);
            chart.SetValue(i, 2, i + 0.25);
            chart.SetValue(i, 3, i * i);
        }
        QVGraphBackground* pBackground = new QVGraphBackground;
        pBackground->SetIntRect(CRect(0, 0, 320, 240));
        chart.AddComponent(pBackground);
        QVGraphTitle* pTitle = new QVGraphTitle;
        pTitle->SetIntRect(CRect(0, 4, 320, 30));
        pTitle->SetText("Grain size distribution", QVGraphTitle::alignCentre);
        chart.AddComponent(pTitle);
        chart.AddComponent(Display(21, CRect(20, 30, 310, 230)));
        QVGraphLabel* pLabel = new QVGraphLabel;
        pLabel->SetAnnotation(1, "Percent passing");
        pLabel->SetPosition(10, 120);
        chart.AddComponent(pLabel);
        seeds.push_back(StoredChart(chart));
    }
    {
        // A bar chart with texts on items and groups.
        QVGraph chart;
        for (int group = 0; group < 3; ++group)
            for (int i = 0; i < 4; ++i)
                chart.SetValue(i, group, group * 10.0 + i);
        chart.SetItemText(1, 0, "second");
        chart.SetGroupText(2, "third group");
        chart.AddComponent(Display(1, CRect(0, 0, 200, 150)));
        seeds.push_back(StoredChart(chart));
    }
    {
        // A compound display: bars on the left axis with their scales, tick marks and grid lines, a
        // line on the right axis, an axis label and a data watcher.
        QVGraph chart;
        for (int group = 0; group < 2; ++group)
            for (int i = 0; i < 5; ++i)
                chart.SetValue(i, group, 3.0 + group * 2.0 + i);
        QVGCompoundDisplay* pCompound = static_cast<QVGCompoundDisplay*>(
            chart.BuildStandardChart(IDS_QVG_COMPOUND_DISPLAY, 0, CRect(0, 0, 320, 240), 0, 0, 0, 3 << 16, 2 << 24));
        QVGraphDisplay* pLine = Display(1, CRect(0, 0, 0, 0));
        pLine->SetDataRange(-1, -1, 1, 1);
        pCompound->SetRightDisplay(pLine);
        pCompound->SetRightScale(new QVGDecimalScale);
        pCompound->SetSecondaryValueAxis(1);
        QVGraphLabel* pLabel = new QVGraphLabel;
        pLabel->SetAnnotation(1, "Flow");
        pCompound->GetLeftAxis()->SetAxisLabel(pLabel);
        pCompound->SetLeftWatcher(new QVGDataWatcher);
        seeds.push_back(StoredChart(chart));
    }
    {
        QVGraph empty;
        seeds.push_back(StoredChart(empty));
    }
    {
        // Label blocks within label blocks, as deep as an archive may nest them: a level more is refused.
        QVGraph chart;
        chart.SetValue(0, 0, 1.0);
        QVGraphLabelBlock* pBlock = new QVGraphLabelBlock;
        chart.AddComponent(pBlock);
        for (UINT nDepth = 1; nDepth < CArchive::nMaxLoadNesting; ++nDepth)
        {
            QVGraphLabelBlock* pInner = new QVGraphLabelBlock;
            pBlock->AddLabel(pInner, FALSE);
            pBlock = pInner;
        }
        seeds.push_back(StoredChart(chart));
    }
    {
        // Compound components within compound components, as deep.
        QVGraph chart;
        QVGCompoundComponent* pCompound = new QVGCompoundComponent;
        chart.AddComponent(pCompound);
        for (UINT nDepth = 1; nDepth < CArchive::nMaxLoadNesting; ++nDepth)
        {
            QVGCompoundComponent* pInner = new QVGCompoundComponent;
            pCompound->AddSubComponent(pInner);
            pCompound = pInner;
        }
        seeds.push_back(StoredChart(chart));
    }
    return seeds;
}

std::vector<std::string> ChartTokens()
{
    return {
        FuzzWord(0xFFFF) + FuzzWord(0) + FuzzWord(14) + "QVGraphDisplay",
        FuzzWord(0xFFFF) + FuzzWord(0) + FuzzWord(12) + "QVGraphTitle",
        FuzzWord(0xFFFF) + FuzzWord(0) + FuzzWord(14) + "QVGAxisManager",
        FuzzWord(0xFFFF) + FuzzWord(0) + FuzzWord(15) + "QVGDecimalScale",
        FuzzWord(0xFFFF) + FuzzWord(0) + FuzzWord(12) + "CStringArray",
        FuzzWord(0x8001), FuzzWord(0x8002), FuzzWord(0x0001), FuzzWord(0x0003),
        FuzzDWord(0x7FFFFFFF), FuzzDWord(0x80000000), FuzzDWord(0xFFFFFFFF),
        std::string("\x00\x00\x00\x00\x00\x00\xF0\x7F", 8),   // infinity
        std::string("\x00\x00\x00\x00\x00\x00\xF8\x7F", 8),   // not a number
        std::string("\xFF\xFF\xFF\xFF\xFF\xFF\xEF\x7F", 8),   // the largest double
        std::string(1, '\xFF') + FuzzWord(0xFFFF) + FuzzDWord(0x7FFFFFF0),
    };
}

FuzzOutcome ReadChart(const std::string& input)
{
    QVGraph chart;
    std::string copy = input;
    CMemFile file(reinterpret_cast<BYTE*>(copy.data()), static_cast<UINT>(copy.size()));
    try
    {
        CArchive ar(&file, CArchive::load);
        chart.Serialize(ar);
        ar.Close();
    }
    catch (CArchiveException* e)
    {
        e->Delete();
        return FuzzOutcome::Refused;
    }
    // A loaded chart draws.
    FuzzDrawChart(chart, 320, 240);
    return FuzzOutcome::Accepted;
}
} // namespace

REGISTER_FUZZ_READER("chart", ChartSeeds, ChartTokens, ReadChart);
