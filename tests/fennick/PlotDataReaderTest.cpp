// The reader of "plot.tmp": what it stores of each kind, which plots it opens, and how it copes with
// files that break the format's limits.
#include "FennickTestSupport.h"
#include "GoldenPlotFiles.h"

#include <cmath>
#include <sstream>

namespace {

// A sensitivity file: the header, then the curves (rows made by row(table, i)), each with its caption.
std::string CurveFile(int nKind, int nRows, int nUnits, const std::string& selection, int nTables, int nValues,
                      int nWrittenRows = -1)
{
    std::ostringstream text;
    text << nKind << ' ' << nRows << ' ' << nUnits << " 0 " << selection << "\n";
    const int nTableRows = nWrittenRows >= 0 ? nWrittenRows : nRows;
    for (int table = 0; table < nTables; ++table)
    {
        for (int i = 0; i < nTableRows; ++i)
        {
            text << (table + 1) * 100 + i << ' ' << (table + 1) * 1000 + i;
            if (nValues == 3)
                text << ' ' << (table + 1) * 10000 + i;
            text << "\n";
        }
        text << "caption " << table << "\n";
    }
    return text.str();
}

class PlotDataReader : public ::testing::Test
{
protected:
    CRecordingFennickApp app;
    std::string folder;

    void SetUp() override
    {
        folder = FreshFolder("reader");
        app.m_strInstallDir = folder.c_str();
    }

    void Read(const std::string& text)
    {
        WriteFile(folder + "\\plot.tmp", text);
        app.ReadPlotData();
    }

    std::vector<double> SeparatorX(int nCount) const
    {
        return std::vector<double>(app.m_dSeparatorX, app.m_dSeparatorX + nCount);
    }
    std::vector<double> SeparatorY(int nCount) const
    {
        return std::vector<double>(app.m_dSeparatorY, app.m_dSeparatorY + nCount);
    }
};

TEST_F(PlotDataReader, TimeToDrainFillsTheSixTablesAndCaptionsAndTheHeader)
{
    Read(CurveFile(3, 4, 1, "6111111", 6, 3));
    EXPECT_EQ(app.m_nPlotKind, 3);
    EXPECT_EQ(app.m_nPointCount, 4);
    EXPECT_EQ(app.m_nUnits, 1);
    EXPECT_EQ(app.m_nAxis, 0);
    for (int table = 0; table < 6; ++table)
    {
        SCOPED_TRACE(table);
        for (int i = 0; i < 4; ++i)
        {
            EXPECT_EQ(app.m_dPointTables[table][i][0], (table + 1) * 100 + i);
            EXPECT_EQ(app.m_dPointTables[table][i][1], (table + 1) * 1000 + i);
            EXPECT_EQ(app.m_dPointTables[table][i][2], (table + 1) * 10000 + i);
        }
        EXPECT_EQ(app.m_strCurveCaptions[table], CString(("caption " + std::to_string(table)).c_str()));
    }
}

TEST_F(PlotDataReader, SelectionDigitsAfterTheFirstPickThePlots)
{
    struct Case
    {
        int nKind;
        std::string selection;
        std::vector<int> opened;
        int nLastType;
    };
    const Case cases[] = {
        {3, "1000001", {5}, 5},
        {3, "1111111", {0, 1, 2, 3, 4, 5}, 5},
        {3, "6111101", {0, 1, 2, 3, 5}, 5},
        {3, "1000000", {}, 5},
        {3, "11", {0}, 5},          // positions past the end are not selected
        {3, "-1010000", {1}, 5},    // the text of the number has no sign
        {4, "10110", {7, 8}, 9},
        {4, "41000", {6}, 9},
        {4, "40000", {}, 9},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::to_string(c.nKind) + " " + c.selection);
        app.opened.clear();
        app.nFrontCalls = 0;
        Read(CurveFile(c.nKind, 2, 0, c.selection, c.nKind == 3 ? 6 : 4, c.nKind == 3 ? 3 : 2));
        EXPECT_EQ(app.opened, c.opened);
        EXPECT_EQ(app.m_nCurrentPlotType, c.nLastType);
        EXPECT_EQ(app.nFrontCalls, 1);
    }
}

TEST_F(PlotDataReader, RequiredThicknessFillsTablesSixToNineAndLeavesTheirThirdValue)
{
    for (int table = 6; table < 10; ++table)
        app.m_dPointTables[table][1][2] = -7.5;
    Read(CurveFile(4, 3, 0, "41111", 4, 2));
    for (int table = 6; table < 10; ++table)
    {
        SCOPED_TRACE(table);
        EXPECT_EQ(app.m_dPointTables[table][1][0], (table - 5) * 100 + 1);
        EXPECT_EQ(app.m_dPointTables[table][1][1], (table - 5) * 1000 + 1);
        EXPECT_EQ(app.m_dPointTables[table][1][2], -7.5);
        EXPECT_EQ(app.m_strCurveCaptions[table], CString(("caption " + std::to_string(table - 6)).c_str()));
    }
    // The time-to-drain tables keep what they held.
    EXPECT_EQ(app.m_dPointTables[0][1][0], 0.0);
}

TEST_F(PlotDataReader, SeparatorListsLieBackToBackWithTheirEndMarks)
{
    Read("5 0 0 0 0\n1 2\n3 4\n0 0\n5 6\n0 0\n7 8\n0 0\nBase A\nSubgrade B\nUpper bound\n");
    EXPECT_EQ(SeparatorX(8), (std::vector<double>{1, 3, 0, 5, 0, 7, 0, 0}));
    EXPECT_EQ(SeparatorY(8), (std::vector<double>{2, 4, 0, 6, 0, 8, 0, 0}));
    EXPECT_EQ(app.m_strSeparatorCaptions[0], "Base A");
    EXPECT_EQ(app.m_strSeparatorCaptions[1], "Subgrade B");
    EXPECT_EQ(app.m_strSeparatorCaptions[2], "Upper bound");
    EXPECT_EQ(app.opened, (std::vector<int>{CFennickApp::NoSeparatorPlot}));
}

TEST_F(PlotDataReader, AggregateSeparatorReadsFiveListsAndCaptions)
{
    Read("6 0 1 1 0\n1 10\n0 0\n2 20\n0 0\n3 30\n0 0\n4 40\n0 0\n5 50\n0 0\nb\ns\nsep\nLower bound\nUpper bound\n");
    EXPECT_EQ(SeparatorX(10), (std::vector<double>{1, 0, 2, 0, 3, 0, 4, 0, 5, 0}));
    EXPECT_EQ(app.m_strSeparatorCaptions[3], "Lower bound");
    EXPECT_EQ(app.m_strSeparatorCaptions[4], "Upper bound");
    EXPECT_EQ(app.m_nUnits, 1);
    EXPECT_EQ(app.m_nAxis, 1);
    EXPECT_EQ(app.opened, (std::vector<int>{CFennickApp::SeparatorPlot}));
}

TEST_F(PlotDataReader, AListThatRunsToTheEndLeavesTheListsAfterItEmpty)
{
    // A separator read before leaves values where the new lists do not reach.
    Read("5 0 0 0 0\n9 9\n9 9\n9 9\n0 0\n0 0\n0 0\na\nb\nc\n");
    Read("5 0 0 0 0\n1 2\n3 4");
    EXPECT_EQ(SeparatorX(6), (std::vector<double>{1, 3, 0, 0, 0, 0}));
    EXPECT_EQ(SeparatorY(6), (std::vector<double>{2, 4, 0, 0, 0, 0}));
    EXPECT_EQ(app.opened.back(), CFennickApp::NoSeparatorPlot);
}

TEST_F(PlotDataReader, EntriesPastTheArraysAreReadAndDroppedAndTheCaptionsStillFollow)
{
    std::ostringstream text;
    text << "5 0 0 0 0\n";
    for (int i = 1; i <= 130; ++i)
        text << i << ' ' << i * 2 << "\n";
    text << "0 0\n7 8\n0 0\n9 10\n0 0\nfirst\nsecond\nthird\n";
    Read(text.str());
    EXPECT_EQ(app.m_dSeparatorX[CFennickApp::SeparatorEntries - 1], 120.0);
    EXPECT_EQ(app.m_dSeparatorY[CFennickApp::SeparatorEntries - 1], 240.0);
    EXPECT_EQ(app.m_strSeparatorCaptions[0], "first");
    EXPECT_EQ(app.m_strSeparatorCaptions[2], "third");
}

TEST_F(PlotDataReader, RowsPastTheSixtiethAreDroppedAndTheCurvesStayInStep)
{
    Read(CurveFile(3, 62, 0, "1111111", 6, 3));
    EXPECT_EQ(app.m_dPointTables[0][59][0], 159.0);
    EXPECT_EQ(app.m_dPointTables[1][0][0], 200.0);
    EXPECT_EQ(app.m_dPointTables[5][59][2], 60059.0);
    EXPECT_EQ(app.m_strCurveCaptions[5], "caption 5");
}

TEST_F(PlotDataReader, ANegativeCountReadsNoRows)
{
    Read(CurveFile(4, -3, 0, "41111", 4, 2, 0));
    EXPECT_EQ(app.m_strCurveCaptions[6], "caption 0");
    EXPECT_EQ(app.m_strCurveCaptions[9], "caption 3");
    EXPECT_EQ(app.opened, (std::vector<int>{6, 7, 8, 9}));
}

TEST_F(PlotDataReader, AWordWhereANumberBelongsEndsTheBodyAndKeepsWhatWasStored)
{
    app.m_dPointTables[6][1][0] = 42.0;
    app.m_strCurveCaptions[7] = "old";
    Read("4 3 0 0 41100\n1 2\nthree 4\n5 6\ncaption\n");
    EXPECT_EQ(app.m_dPointTables[6][0][0], 1.0);
    EXPECT_EQ(app.m_dPointTables[6][1][0], 42.0);
    EXPECT_EQ(app.m_strCurveCaptions[7], "old");
    // The plots still open, from what there is.
    EXPECT_EQ(app.opened, (std::vector<int>{6, 7}));

    Read("6 0 0 0 0\n1 2\nx y\n");
    EXPECT_EQ(SeparatorX(3), (std::vector<double>{1, 0, 0}));
    EXPECT_EQ(app.opened.back(), CFennickApp::SeparatorPlot);
}

TEST_F(PlotDataReader, LongCaptionsAreCutAndCarriageReturnsDropped)
{
    const std::string longCaption(1500, 'c');
    Read("4 1 0 0 41111\r\n1 2\r\n" + longCaption + "\r\n3 4\r\nsecond\r\r\n5 6\r\nthird\r\n7 8\r\nfourth\r\n");
    EXPECT_EQ(app.m_strCurveCaptions[6].GetLength(), CFennickApp::MaxCaptionLength);
    EXPECT_EQ(app.m_strCurveCaptions[7], "second");
    EXPECT_EQ(app.m_dPointTables[9][0][0], 7.0);
    EXPECT_EQ(app.m_strCurveCaptions[9], "fourth");
}

TEST_F(PlotDataReader, GradationKindsOpenTheGradationPlotWithoutCountingIt)
{
    app.m_nGradationCount = 3;
    for (int nKind : {0, 1, 2})
    {
        SCOPED_TRACE(nKind);
        app.opened.clear();
        Read(std::to_string(nKind) + " 0 1 0\n0.075 5\n0 0\nA gradation");
        EXPECT_EQ(app.opened, (std::vector<int>{CFennickApp::GradationPlot}));
        EXPECT_EQ(app.m_nGradationCount, 3);
    }
}

TEST_F(PlotDataReader, AnUnknownKindReadsTheHeaderAndOpensNothing)
{
    Read("7 5 1 1 111111\n1 2 3\n");
    EXPECT_EQ(app.m_nPlotKind, 7);
    EXPECT_EQ(app.m_nPointCount, 5);
    EXPECT_TRUE(app.opened.empty());
}

TEST_F(PlotDataReader, AMissingFileKeepsTheHeaderSoAFirstStartGoesTheGradationWay)
{
    app.ReadPlotData();
    EXPECT_EQ(app.m_nPlotKind, 0);
    EXPECT_EQ(app.opened, (std::vector<int>{CFennickApp::GradationPlot}));

    Read("7 5 1 1 111111\n");
    ::DeleteFileA((folder + "\\plot.tmp").c_str());
    app.opened.clear();
    app.ReadPlotData();
    EXPECT_EQ(app.m_nPlotKind, 7);
    EXPECT_TRUE(app.opened.empty());
}

// The files Quarrow's writer makes (its golden files) read back as the charts need them.
std::string GoldenFile(int nResource)
{
    HRSRC hResource = ::FindResourceA(nullptr, MAKEINTRESOURCEA(nResource), MAKEINTRESOURCEA(10) /* RT_RCDATA */);
    if (hResource == nullptr)
        return std::string();
    const char* pData = static_cast<const char*>(::LockResource(::LoadResource(nullptr, hResource)));
    return std::string(pData, ::SizeofResource(nullptr, hResource));
}

TEST_F(PlotDataReader, QuarrowsTimeToDrainFileReadsBack)
{
    const std::string text = GoldenFile(IDR_PLOT_TIME_TO_DRAIN_ENGLISH);
    ASSERT_FALSE(text.empty());
    Read(text);
    EXPECT_EQ(app.m_nPointCount, 60);
    EXPECT_EQ(app.opened, (std::vector<int>{0, 1, 2, 3, 5}));
    EXPECT_EQ(app.m_dPointTables[0][1][0], 0.0125);
    EXPECT_EQ(app.m_dPointTables[0][1][1], 0.0510598);
    EXPECT_EQ(app.m_dPointTables[0][1][2], 0.0504759);
    EXPECT_EQ(app.m_strCurveCaptions[0], "U%=50.,S=0.0200,H=0.5ft,L=16.83ft,k=1000.ft/d");
    EXPECT_EQ(app.m_dPointTables[1][0][0], 10.0);
    EXPECT_FALSE(app.m_strCurveCaptions[5].IsEmpty());
}

TEST_F(PlotDataReader, QuarrowsSeparatorFileReadsBack)
{
    const std::string text = GoldenFile(IDR_PLOT_SEPARATOR_NONE_ENGLISH);
    ASSERT_FALSE(text.empty());
    Read(text);
    EXPECT_EQ(SeparatorX(4), (std::vector<double>{0.075, 0.425, 2.36, 4.75}));
    EXPECT_EQ(app.m_strSeparatorCaptions[0], "Base A");
    EXPECT_EQ(app.m_strSeparatorCaptions[2], "Upper bound");
    EXPECT_EQ(app.opened, (std::vector<int>{CFennickApp::NoSeparatorPlot}));
}

} // namespace
