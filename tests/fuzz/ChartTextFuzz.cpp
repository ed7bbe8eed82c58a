// The chart library's text readers: data text (rows of values), the component line of a chart
// template, and polygon shape files.
#include "tests/fuzz/Fuzz.h"
#include "tests/fuzz/FuzzChart.h"

#include "chart/model/CompiledPolygon.h"
#include "chart/model/Graph.h"
#include "chart/model/GraphBackground.h"
#include "chart/model/GraphException.h"

#include <windows.h>

#include <cmath>

namespace
{
// Draws the chart on a small canvas: what was read must draw.
void DrawChart(QVGraph& chart)
{
    FuzzDrawChart(chart, 160, 120);
}

// The chart's own error is its clear error; any other exception escapes to the driver as a fault.
template <class Read>
FuzzOutcome ChartRead(Read read)
{
    try
    {
        read();
        return FuzzOutcome::Accepted;
    }
    catch (QVGraphException* e)
    {
        e->Delete();
        return FuzzOutcome::Refused;
    }
}

// ---- Data text ----

std::vector<std::string> DataTextSeeds()
{
    return {
        "1,2\r\n3,4\r\n",
        "Sieve,Base,Subgrade\r\n0.075,2,14\r\n4.75,40,88\r\n25,100,100\r\n",
        "\r\n1\t2\t3\r\n4\t\t6\r\n",
        ",\"quoted, text\",7\r\nrow,1e300,-1e-300\r\n",
    };
}

std::vector<std::string> DataTextTokens()
{
    return {",", "\t", "\r\n", "\n", "\"", "\"\"", "1e999", "-1e999", "nan", "inf", "0x10", " ", ",,,,,,,,",
            std::string(4000, ','), std::string(2000, '\n'), "text", std::string(1, '\0')};
}

FuzzOutcome ReadDataText(const std::string& input)
{
    QVGraph chart;
    QVGraphBackground* pBackground = new QVGraphBackground;
    pBackground->SetIntRect(CRect(0, 0, 160, 120));
    chart.AddComponent(pBackground);
    return ChartRead([&] {
        chart.ReadDataText(input.c_str());
        for (int group = 0; group < chart.GetGroupCount() && group < 4; ++group)
            for (int index = 0; index < chart.GetGroupSize(group) && index < 4; ++index)
                chart.GetItemValue(index, group);
        DrawChart(chart);
    });
}

// ---- The component line of a chart template ----

std::vector<std::string> TemplateSeeds()
{
    return {
        "-1 -1 -1 -1 0 0 1 0 0 0 255",
        "0 0 100 80 1 3 2 1 255 0 0 0 0 255",
        "10 10 50 50 0 1 4 0 1 2 3 4 5 6 0.5",
        "0 0 1 1 2 0 5 0 \"bricks.bmp\" 1",
        "1 2 3 4 0 0 0 0 ",
    };
}

std::vector<std::string> TemplateTokens()
{
    return {"1e999", "-1e999", "nan", "2147483647", "-2147483648", "\"", "\"" + std::string(60, 'a') + "\"", " ",
            "0 ", "5 ", "99 ", std::string(1, '\0')};
}

FuzzOutcome ReadTemplate(const std::string& input)
{
    QVGraph chart;
    QVGraphBackground* pComponent = new QVGraphBackground;
    chart.AddComponent(pComponent);
    return ChartRead([&] {
        pComponent->ReadTemplateComponent(input.c_str());
        DrawChart(chart);
    });
}

// ---- Polygon shape files ----

std::vector<std::string> PolygonSeeds()
{
    return {"4\r\n0 0\r\n10 0\r\n5 10\r\n0 0\r\n", "3\n-1 -1\n1 -1\n0 1\n", "0\r\n"};
}

std::vector<std::string> PolygonTokens()
{
    return {"1e999 ", "-1e30 ", "nan ", "2147483647\r\n", "-1\r\n", "100000\r\n", " ", "\r\n",
            std::string(1, '\0'), std::string(3000, '1') + " "};
}

FuzzOutcome ReadPolygon(const std::string& input)
{
    const std::string path = FuzzTempPath("shape");
    FuzzWriteFile(path, input);
    QVGraph chart;
    const FuzzOutcome outcome = ChartRead([&] {
        QVGCompiledPolygon* pPolygon = chart.LoadPolygon(path.c_str(), "POLYGON");
        if (pPolygon == nullptr)
            throw FuzzFault("a readable shape file gave no polygon and no error");
        // A shape is drawn fitted into a marker's box.
        pPolygon->FitToRect(CRect(10, 10, 30, 30));
        pPolygon->Transform(20, 20);
    });
    ::DeleteFileA(path.c_str());
    return outcome;
}
} // namespace

REGISTER_FUZZ_READER("chart data text", DataTextSeeds, DataTextTokens, ReadDataText);
REGISTER_FUZZ_READER("chart template component", TemplateSeeds, TemplateTokens, ReadTemplate);
REGISTER_FUZZ_READER("chart polygon file", PolygonSeeds, PolygonTokens, ReadPolygon);
