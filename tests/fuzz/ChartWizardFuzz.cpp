// The chart wizard's texts: its layout file (one layout a line, read whole from a file when the
// program has no "LAYOUT" resource) and the lines of its "GRAPHTYPE" resources (choice lists and
// graph types). What was read is built into charts as the wizard builds them, and drawn.
#include "tests/fuzz/Fuzz.h"
#include "tests/fuzz/FuzzChart.h"

#include "chart/model/ChartResourceIds.h"
#include "chart/model/Graph.h"
#include "chart/model/GraphBackground.h"
#include "chart/model/GraphDisplay.h"
#include "chart/model/GraphException.h"
#include "chart/model/GraphLegend.h"
#include "chart/model/GraphTitle.h"
#include "chart/ui/WizSheet.h"
#include "chart/ui/WizardText.h"

#include <windows.h>

#include <cctype>
#include <cstring>

namespace
{
// The wizard's preview draws its charts small; the fuzz canvas is as small.
void DrawChart(QVGraph& chart)
{
    FuzzDrawChart(chart, 160, 120);
}

// Four series of sample values, as the wizard fills a chart without data.
void SampleData(QVGraph& chart)
{
    for (int group = 0; group < 4; ++group)
        for (int index = 0; index < 6; ++index)
            chart.SetValue(index, group, (group * 37 + index * 11) % 150);
}

// The chart's own error is a clear refusal of what was drawn; anything else escapes as a fault.
template <class Draw>
bool DrawsOrRefuses(Draw draw)
{
    try
    {
        draw();
        return true;
    }
    catch (QVGraphException* e)
    {
        e->Delete();
        return false;
    }
}

bool HasSpace(const CString& text)
{
    for (int i = 0; i < text.GetLength(); ++i)
        if (std::isspace(static_cast<unsigned char>(text[i])))
            return true;
    return false;
}

// Every line the wizard takes from a text: no comment, no leading blank, within its length.
std::vector<CString> WizardLines(const CString& text)
{
    std::vector<CString> lines;
    QVGWizardLines reader(text);
    CString line;
    while (reader.Next(line))
    {
        if (line.IsEmpty() || line[0] == '/' || std::isspace(static_cast<unsigned char>(line[0])))
            throw FuzzFault("a wizard line that is empty, a comment or starts with a blank");
        if (line.GetLength() > 1023)
            throw FuzzFault("a wizard line longer than 1023 characters");
        lines.push_back(line);
    }
    return lines;
}

std::string ResourceText(const char* name)
{
    CString text;
    if (!LoadWizardResource(name, text))
        throw FuzzFault(std::string("the program lacks its wizard resource ") + name);
    return std::string(static_cast<LPCTSTR>(text), static_cast<size_t>(text.GetLength()));
}

// ---- The layout file ----

// The sheet whose layout builder the reader uses; it is never shown.
QVGWizSheet& LayoutBuilder()
{
    static QVGraph chart;
    static QVGWizSheet sheet(&chart, "Chart Wizard", nullptr, 0, 0, 0, TRUE);
    return sheet;
}

std::vector<std::string> LayoutSeeds()
{
    LayoutBuilder();
    const std::string resource = ResourceText("LAYOUT");
    // The save-layout command of the wizard's preview appends the chart's arrangement to a file.
    QVGraph chart;
    auto* pBackground = new QVGraphBackground;
    pBackground->SetRect(-1, -1, -1, -1);
    chart.AddComponent(pBackground);
    auto* pTitle = new QVGraphTitle;
    pTitle->SetMeasurement(3);
    pTitle->SetRect(5, 2, 95, 14);
    chart.AddComponent(pTitle);
    auto* pDisplay = new QVGraphDisplay;
    pDisplay->SetRect(10, 20, 300, 200);
    chart.AddComponent(pDisplay);
    auto* pLegend = new QVGraphLegend;
    pLegend->SetMeasurement(1);
    pLegend->SetRect(2, 60, 40, 80);
    chart.AddComponent(pLegend);
    const std::string path = FuzzTempPath("txt");
    FuzzWriteFile(path, "// Layouts saved from the preview\r\n");
    if (!AppendToLayoutFile(path.c_str(), FormatLayoutLine(&chart, CSize(320, 240))))
        throw FuzzFault("the layout writer refused its own seed");
    const std::string saved = FuzzReadFile(path);
    ::DeleteFileA(path.c_str());
    return {resource, saved, "Background 3 0 0 1 0 0 100 100 Title 3 0 0 1 5 2 95 14 Display 3"};
}

std::vector<std::string> LayoutTokens()
{
    return {"Background ", "Title ", "Display ", "Legend ", "Text ", "background ", "DISPLAY ", " 3 0 0 1 ",
            "0 0 100 100 ", "-1 ", "2147483647 ", "-2147483648 ", "99999999999 ", "0x10 ", "1e9 ", "\n", "\r\n",
            "//", "/", " ", "\t", std::string(1, '\0'), std::string(1100, 'x'), std::string(300, 'y') + " ",
            "7 ", "15 ", "16 ", "255 "};
}

FuzzOutcome ReadLayoutFile(const std::string& input)
{
    QVGWizSheet& sheet = LayoutBuilder();
    const std::string path = FuzzTempPath("txt");
    FuzzWriteFile(path, input);
    CString text;
    const BOOL bRead = LoadLayoutText(path.c_str(), text);
    ::DeleteFileA(path.c_str());
    if (!bRead)
        throw FuzzFault("a layout file that is there was not read");

    std::vector<CLayout> layouts;
    for (const CString& line : WizardLines(text))
        layouts.push_back(ParseLayoutLine(line));
    const std::vector<CLayout> parsed = ParseLayouts(text);
    if (parsed.size() != layouts.size())
        throw FuzzFault("the layouts of a text are not its lines");
    size_t nItems = 0;
    for (const CLayout& layout : parsed)
        for (const CLayoutItem& item : layout)
        {
            if (item.m_strName.IsEmpty() || item.m_strName.GetLength() > 255 || HasSpace(item.m_strName))
                throw FuzzFault("a layout item whose name is no word of at most 255 characters");
            ++nItems;
        }

    // The layout page shows six layouts at a time, each built as a chart; the first is drawn (each
    // input's layouts take the same path, and a display far larger than its chart is drawn with
    // thousands of scale labels).
    const COLORREF colors[4] = {RGB(125, 125, 0), RGB(255, 128, 64), RGB(235, 237, 211), RGB(255, 255, 0)};
    for (size_t n = 0; n < parsed.size() && n < 6; ++n)
    {
        QVGraph chart;
        SampleData(chart);
        DrawsOrRefuses([&] {
            sheet.BuildLayoutChart(chart, parsed[n], colors);
            if (n == 0)
                DrawChart(chart);
        });
    }
    return nItems != 0 ? FuzzOutcome::Accepted : FuzzOutcome::Refused;
}

// ---- The lines of the "GRAPHTYPE" resources ----

const char* const ResourceNames[] = {"MEASUREMENT", "BORDERSTYLE", "SHADOWSTYLE", "LEGENDSTYLE", "KEYSTYLE",
                                     "GRAPH_TYPES", "AXES_CLASSIC", "AXES_3D", "AXES_PIE", "AXES_SCATTER"};

std::vector<std::string> ResourceLineSeeds()
{
    std::vector<std::string> seeds;
    for (const char* name : ResourceNames)
        seeds.push_back(ResourceText(name));
    return seeds;
}

std::vector<std::string> ResourceLineTokens()
{
    return {"0 ", "1 ", "FFFFFFFF ", "1000000 ", "190000 ", "FF0000 ", "2E0000 ", "100000000 ", "-1 ", "0x ", "g ",
            "AXES_NONE ", "AXES_CLASSIC ", "AXES_PIE ", "LAYOUT ", "GRAPH_TYPES ", "#1 ", "#65535 ", "NOSUCH ",
            std::string(300, 'W') + " ", " ", "\t", "\n", "\r\n", "//", std::string(1, '\0'), std::string(1100, 'x'),
            "Line plot", "  \r\n"};
}

// What the wizard's main page does with its entries: a choice's value goes to the setting of its list
// (measurement, border, shadow, legend type and key style), a graph type's value and the first axis
// style of the resource its word names go to the display.
void DrawEntries(const std::vector<DWORD>& choices, DWORD nGraphType, const CString& word)
{
    QVGraph chart;
    SampleData(chart);
    auto* pDisplay = new QVGraphDisplay;
    pDisplay->SetMeasurement(3);
    pDisplay->SetRect(5, 5, 95, 70);
    chart.AddComponent(pDisplay);
    auto* pLegend = new QVGraphLegend;
    pLegend->SetMeasurement(3);
    pLegend->SetRect(5, 75, 95, 95);
    chart.AddComponent(pLegend);
    auto choice = [&](size_t n, DWORD dwDefault) { return n < choices.size() ? choices[n] : dwDefault; };

    pDisplay->SetMeasurement(int(choice(0, 3)));
    pDisplay->GetStyle()->SetBorderStyle(int(choice(1, 0)));
    const int nShadow = int(choice(2, 0));
    pDisplay->GetStyle()->SetShadowStyle(nShadow >= 1 && nShadow <= 3 ? nShadow : 0);
    pLegend->SetKeyKind(int(choice(3, 1)));
    pLegend->SetSampleStyle(int(choice(4, 1)));

    pDisplay->SetGraphType(int((nGraphType >> 16) & 0xFF));
    int nAxisStyle = 1;
    CString axes;
    if (!word.IsEmpty() && LoadWizardResource(word, axes))
    {
        for (const CString& line : WizardLines(axes))
        {
            DWORD value = 0;
            CString entry;
            if (ParseChoiceLine(line, value, entry))
            {
                nAxisStyle = int(value >> 24);
                break;
            }
        }
    }
    pDisplay->SetAxisStyle(nAxisStyle);
    DrawsOrRefuses([&] { DrawChart(chart); });
}

FuzzOutcome ReadResourceLines(const std::string& input)
{
    const CString text(input.data(), static_cast<int>(input.size()));
    std::vector<DWORD> choices;
    std::vector<CGraphTypeEntry> types;
    for (const CString& line : WizardLines(text))
    {
        DWORD value = 0;
        CString entry;
        if (ParseChoiceLine(line, value, entry))
        {
            if (!entry.IsEmpty() && std::isspace(static_cast<unsigned char>(entry[entry.GetLength() - 1])))
                throw FuzzFault("a choice entry that ends in a blank");
            choices.push_back(value);
        }
        CGraphTypeEntry type;
        if (ParseGraphTypeLine(line, type.m_nValue, type.m_strWord, entry))
        {
            if (type.m_strWord.IsEmpty() || type.m_strWord.GetLength() > 255 || HasSpace(type.m_strWord))
                throw FuzzFault("a graph type whose resource name is no word of at most 255 characters");
            types.push_back(type);
        }
    }
    if (choices.empty() && types.empty())
        return FuzzOutcome::Refused;
    // The main page's choices; then each of the first graph types the chart-type step offers.
    DrawEntries(choices, types.empty() ? 0x10000 : types[0].m_nValue, types.empty() ? "AXES_CLASSIC" : types[0].m_strWord);
    for (size_t n = 1; n < types.size() && n < 3; ++n)
        DrawEntries({}, types[n].m_nValue, types[n].m_strWord);
    return FuzzOutcome::Accepted;
}
} // namespace

REGISTER_FUZZ_READER("chart wizard layout file", LayoutSeeds, LayoutTokens, ReadLayoutFile);
REGISTER_FUZZ_READER("chart wizard resource lines", ResourceLineSeeds, ResourceLineTokens, ReadResourceLines);
