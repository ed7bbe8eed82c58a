// The reader of the plot data file "plot.tmp": its header, the point tables of the sensitivity
// plots, the point lists of the separator plots and their captions, and the plots it opens.
#include "fennick/FennickApp.h"

#include <cstdlib>
#include <fstream>
#include <limits>
#include <string>

namespace {

// The next line becomes the caption, cut at the longest caption the file may hold and without a
// carriage return left at its end; after numbers, the rest of their line is skipped first. False at
// the end of the file: the caption keeps what it held.
bool ReadCaption(std::istream& file, CString& caption, bool bAfterNumbers)
{
    if (bAfterNumbers)
        file.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
    std::string line;
    if (!std::getline(file, line))
        return false;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    if (line.size() > CFennickApp::MaxCaptionLength)
        line.resize(CFennickApp::MaxCaptionLength);
    caption = line.c_str();
    return true;
}

} // namespace

void CFennickApp::ReadPlotData()
{
    std::ifstream file(static_cast<LPCTSTR>(GetPlotFilePath()));

    // A number the file does not hold (no file, a word, the end) leaves the field as it was.
    int nValue = 0;
    if (file >> nValue)
        m_nPlotKind = nValue;
    if (file >> nValue)
        m_nPointCount = nValue;
    if (file >> nValue)
        m_nUnits = nValue;
    if (file >> nValue)
        m_nAxis = nValue;
    long nSelection = 0;
    if (!(file >> nSelection))
        nSelection = 0;

    if (m_nPlotKind <= 2)
    {
        file.close();
        OpenGradationPlot();
        return;
    }

    const std::string selection = std::to_string(std::llabs(static_cast<long long>(nSelection)));
    auto isSelected = [&selection](size_t nPosition) {
        return nPosition < selection.size() && selection[nPosition] == '1';
    };

    // Curves of n rows each, then a caption. Rows beyond a table's 60 are read and dropped, so the
    // curves after them stay in step; a row that cannot be read ends the body. Without rows a caption
    // follows the one before at once.
    auto readCurves = [&](int nFirstTable, int nTables, int nValues) {
        const int nRows = m_nPointCount > 0 ? m_nPointCount : 0;
        bool bAfterNumbers = true;   // the header's line
        for (int table = nFirstTable; table < nFirstTable + nTables; ++table)
        {
            for (int row = 0; row < nRows; ++row)
            {
                double values[3] = {};
                for (int j = 0; j < nValues; ++j)
                    if (!(file >> values[j]))
                        return;
                if (row < PointRows)
                    for (int j = 0; j < nValues; ++j)
                        m_dPointTables[table][row][j] = values[j];
            }
            if (!ReadCaption(file, m_strCurveCaptions[table], bAfterNumbers || nRows > 0))
                return;
            bAfterNumbers = false;
        }
    };

    // Point lists back to back, each ended by a pair whose x is 0 (stored too). The arrays start
    // empty, so the lists after one that runs to the end of the file stay empty; entries beyond the
    // arrays are read and dropped.
    auto readLists = [&](int nLists) {
        for (int i = 0; i < SeparatorEntries; ++i)
            m_dSeparatorX[i] = m_dSeparatorY[i] = 0.0;
        int nEntry = 0;
        for (int list = 0; list < nLists; ++list)
        {
            for (;;)
            {
                double x = 0.0, y = 0.0;
                if (!(file >> x >> y))
                    return;
                if (nEntry < SeparatorEntries)
                {
                    m_dSeparatorX[nEntry] = x;
                    m_dSeparatorY[nEntry] = y;
                }
                if (x == 0.0)
                    break;
                ++nEntry;
            }
            ++nEntry;
        }
        for (int caption = 0; caption < nLists; ++caption)
            if (!ReadCaption(file, m_strSeparatorCaptions[caption], caption == 0))
                return;
    };

    switch (m_nPlotKind)
    {
    case 3:
        readCurves(0, 6, 3);
        break;
    case 4:
        readCurves(6, 4, 2);
        break;
    case 5:
        readLists(3);
        break;
    case 6:
        readLists(5);
        break;
    default:
        break;
    }

    switch (m_nPlotKind)
    {
    case 6:
        m_nCurrentPlotType = SeparatorPlot;
        NewPlotDocument();
        break;
    case 5:
        m_nCurrentPlotType = NoSeparatorPlot;
        NewPlotDocument();
        break;
    case 4:
        for (int k = 1; k <= 4; ++k)
        {
            m_nCurrentPlotType = 5 + k;
            if (isSelected(k))
                NewPlotDocument();
        }
        break;
    case 3:
        for (int k = 1; k <= 6; ++k)
        {
            m_nCurrentPlotType = k - 1;
            if (isSelected(k))
                NewPlotDocument();
        }
        break;
    default:
        break;
    }
    BringToFront();
}
