// The plot data file "plot.tmp" as Fennick reads it at its start and at every reload: the header, the
// point tables of the sensitivity plots, the point lists of the separator plots, their captions, and
// the grain-size plot; every plot the file asks for is built and drawn.
#include "tests/fuzz/Fuzz.h"
#include "tests/fuzz/FuzzChart.h"

#include "chart/model/Graph.h"
#include "chart/model/GraphException.h"
#include "fennick/FennickApp.h"
#include "fennick/FennickDoc.h"
#include "quarrow/app/ProjectData.h"
#include "quarrow/pages/PlotDataFile.h"

#include <windows.h>

namespace
{
// Fennick as a reload drives it, without its windows: each plot the reader asks for is built in a
// document of its own and drawn, as its view would draw it.
class CFuzzFennickApp : public CFennickApp
{
public:
    int nPlots = 0;
    int nBuilt = 0;

protected:
    void NewPlotDocument() override
    {
        ++nPlots;
        CFennickDoc doc;
        if (!doc.OnNewDocument())
            return;
        QVGraph& chart = doc.GetChart();
        if (chart.GetComponentList()->IsEmpty())
            return;
        ++nBuilt;
        try
        {
            FuzzDrawChart(chart, 200, 150);
        }
        catch (QVGraphException* e)
        {
            // The chart's own error: what Fennick's view would show as a message.
            e->Delete();
        }
    }
    void BringToFront() override {}
};

// The folder of the run's files, where the plot file lies as it lies in the installation folder.
std::string PlotFolder()
{
    const std::string path = FuzzTempPath("tmp");
    return path.substr(0, path.find_last_of('\\'));
}

std::vector<std::string> PlotDataSeeds()
{
    std::vector<std::string> seeds;
    auto written = [&](PlotDataWriter writer, const CProjectData& data) {
        const std::string path = FuzzTempPath("tmp");
        CString strError;
        if (!writer(data, path.c_str(), strError))
            throw FuzzFault("the plot data writer refused its own seed");
        seeds.push_back(FuzzReadFile(path));
        ::DeleteFileA(path.c_str());
    };
    auto sieve = [](CProjectData& data, int nLayer, int nPart, std::initializer_list<std::pair<int, double>> rows) {
        for (const auto& [row, value] : rows)
            data.m_dSieve[row][nLayer * 3 + nPart] = value;
    };
    // Sieve rows of the record: #200, #40, #8, #4, 3/8", 3/4", 1" and the finest two.
    const std::initializer_list<std::pair<int, double>> base = {{3, 5}, {8, 15}, {13, 30}, {14, 45}, {15, 60}, {17, 85}, {18, 100}};

    CProjectData gradation("english");
    sieve(gradation, CProjectData::LayerBase, CProjectData::SieveValue, base);
    gradation.m_strBaseDescription = "Base A";
    written(CPlotDataFile::WriteGradation, gradation);

    CProjectData range("metric");
    range.m_strSieveLayer = "subgrade";
    range.m_strSieveType = "range";
    range.m_strPlotScale = "log";
    sieve(range, CProjectData::LayerSubgrade, CProjectData::SieveLower, {{3, 2}, {8, 10}, {14, 30}});
    sieve(range, CProjectData::LayerSubgrade, CProjectData::SieveUpper, {{3, 8}, {14, 50}, {16, 70}});
    sieve(range, CProjectData::LayerSubgrade, CProjectData::SieveValue, {{3, 5}, {14, 40}, {16, 60}});
    range.m_strSubgradeDescription = "Subgrade B";
    written(CPlotDataFile::WriteGradation, range);

    CProjectData design("english");
    design.m_strBaseEffectivePorosity = "0.300";
    design.m_strBaseK = "1000.";
    design.m_strResultantSlope = "0.0200";
    design.m_strResultantLength = "16.83";
    design.m_strBaseThickness = "0.5";
    design.m_strPercentDrained = "50.";
    design.m_strInfiltrationRate = "2.";
    for (BOOL& bFlag : design.m_bSensitivity)
        bFlag = TRUE;
    written(CPlotDataFile::WriteTimeToDrain, design);
    written(CPlotDataFile::WriteDepthOfFlow, design);

    CProjectData separator("english");
    separator.m_strSeparatorType = "aggregate";
    separator.m_strPlotScale = "log";
    sieve(separator, CProjectData::LayerBase, CProjectData::SieveValue, base);
    sieve(separator, CProjectData::LayerSubgrade, CProjectData::SieveValue, {{0, 2}, {2, 10}, {3, 35}, {8, 70}, {12, 88}, {14, 100}});
    sieve(separator, CProjectData::LayerSeparator, CProjectData::SieveValue, {{3, 0}, {8, 12}, {14, 40}, {16, 75}, {18, 100}});
    separator.m_strBaseDescription = "Base A";
    separator.m_strSubgradeDescription = "Subgrade B";
    separator.m_strSeparatorDescription = "Separator C";
    separator.m_strBaseD15 = "0.0167";
    separator.m_strBaseD50 = "0.2415";
    separator.m_strSubgradeD50 = "0.0030";
    separator.m_strSubgradeD85 = "0.0600";
    written(CPlotDataFile::WriteSeparatorCriteria, separator);
    separator.m_strSeparatorType = "none";
    separator.m_strUnits = "metric";
    written(CPlotDataFile::WriteSeparatorCriteria, separator);
    return seeds;
}

std::vector<std::string> PlotDataTokens()
{
    return {"0 ", "1 ", "2 ", "3 ", "4 ", "5 ", "6 ", "7 ", "-1 ", "60 ", "61 ", "1000000 ", "2147483647 ",
            "-2147483648 ", "9999999999999999999 ", "1111111111 ", "6111111 ", "41111 ", "0 0\r\n", "0 0 0 0\r\n",
            "1e308 ", "-1e308 ", "1e-320 ", "nan ", "inf ", "0x1p3 ", "\r\n", "\n", "\r", " ", "\t",
            std::string(1, '\0'), std::string(2000, 'c') + "\r\n", std::string(600, '1') + " ", "caption\r\n"};
}

FuzzOutcome ReadPlotData(const std::string& input)
{
    const std::string folder = PlotFolder();
    const std::string path = folder + "\\plot.tmp";
    FuzzWriteFile(path, input);
    CFuzzFennickApp app;
    app.m_strInstallDir = folder.c_str();
    app.m_nGradationCount = 1;
    app.ReadPlotData();
    ::DeleteFileA(path.c_str());

    // A file asks for six plots at the most (the time-to-drain plots).
    if (app.nPlots > 6)
        throw FuzzFault("a plot file opened more than six plots");
    for (const CString& caption : app.m_strCurveCaptions)
        if (caption.GetLength() > CFennickApp::MaxCaptionLength || caption.Find('\n') >= 0)
            throw FuzzFault("a curve caption longer than a line of 1023 characters");
    for (const CString& caption : app.m_strSeparatorCaptions)
        if (caption.GetLength() > CFennickApp::MaxCaptionLength || caption.Find('\n') >= 0)
            throw FuzzFault("a separator caption longer than a line of 1023 characters");
    return app.nBuilt > 0 ? FuzzOutcome::Accepted : FuzzOutcome::Refused;
}
} // namespace

REGISTER_FUZZ_READER("plot data file", PlotDataSeeds, PlotDataTokens, ReadPlotData);
