// Chart templates: the reader that builds components from a template's lines, and the writer of a whole
// chart as the chart edit dialog saves it.
#include "chart/model/Graph.h"

#include "chart/model/ChartResourceIds.h"
#include "chart/model/ChartText.h"
#include "chart/model/DataWatcher.h"
#include "chart/model/GraphBackground.h"
#include "chart/model/GraphDisplay.h"
#include "chart/model/GraphException.h"
#include "chart/model/GraphLegend.h"
#include "chart/model/LabelBlock.h"
#include "chart/model/TextPanel.h"
#include "framework/core/Exceptions.h"
#include "framework/core/File.h"
#include "framework/win/Seams.h"

#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <io.h>
#include <memory>
#include <string>

namespace {
const char kTemplateType[] = "QVGRAPH_TEMPLATE";
const char kHeader[] = "//QVGraph template output system V1.0\n\n";
// As the edit dialog has always written it: a slash and an n, not line feeds.
const char kFooter[] = "// End of template/n/n";

enum Keyword {
    kwUnknown = -1,
    kwSurface,
    kwBackground,
    kwTitle,
    kwLegend,
    kwData,
    kwRect,
    kwFont,
    kwStyle,
    kwLabel,
    kwLabelBlock,
    kwAnnotation,
    kwEndBlock,
    kwTextPanel,
    kwDataWatcher
};

// The keyword table in table order; rect, font and style are reserved.
const char* const kKeywords[] = {"surface", "background", "title",  "legend",     "data",     "rect",      "font",
                                 "style",   "label",      "labelblock", "annotation", "endblock", "textpanel",
                                 "datawatcher"};

Keyword LookUp(const std::string& word)
{
    for (int i = 0; i < int(sizeof kKeywords / sizeof kKeywords[0]); ++i)
        if (word == kKeywords[i])
            return Keyword(i);
    return kwUnknown;
}

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

// Lines end at CR LF, LF or CR; a line is kept whole, whatever its length, and the last line keeps its
// last character.
template <class OnLine>
void ForEachLine(const std::string& text, OnLine onLine)
{
    size_t start = 0;
    while (start < text.size()) {
        size_t end = start;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n')
            ++end;
        if (!onLine(text.substr(start, end - start)))
            return;
        if (end < text.size() && text[end] == '\r')
            ++end;
        if (end < text.size() && text[end] == '\n')
            ++end;
        start = end;
    }
}

// What the reader keeps between lines.
class CTemplateReader
{
public:
    explicit CTemplateReader(QVGraph& chart) : m_chart(chart) {}

    // Raises the chart error of a line that cannot be read.
    void ReadLine(const std::string& line)
    {
        size_t at = 0;
        while (at < line.size() && IsBlank(line[at]))
            ++at;
        size_t end = at;
        while (end < line.size() && !IsBlank(line[end]))
            ++end;
        const std::string word = line.substr(at, end - at);
        const char* pRest = line.c_str() + end;
        switch (LookUp(word)) {
        case kwSurface:
            return;
        case kwBackground:
            AddComponent(new QVGraphBackground, pRest);
            return;
        case kwTitle:
            AddComponent(new QVGraphTitle, pRest);
            return;
        case kwLegend:
            AddComponent(new QVGraphLegend, pRest);
            return;
        case kwData:
            AddComponent(new QVGraphDisplay, pRest);
            return;
        case kwTextPanel:
            m_pBlock = NULL;
            AddComponent(new QVGTextPanel, pRest);
            return;
        case kwDataWatcher:
            m_pBlock = NULL;
            AddComponent(new QVGDataWatcher, pRest);
            return;
        case kwLabel:
            AddLabel(pRest);
            return;
        case kwLabelBlock:
            AddLabelBlock(pRest);
            return;
        case kwAnnotation:
            Annotate(pRest);
            return;
        case kwEndBlock:
            m_pBlock = NULL;
            m_pCurrentLabel = NULL;
            return;
        default:
            // Unknown words and the reserved rect, font and style.
            RaiseChartError(13);
        }
    }

private:
    // The common fields, then the class fields after them.
    static void ReadFields(QVGraphComponent* pComponent, const char* pText)
    {
        const int common = pComponent->ReadTemplateComponent(pText);
        pComponent->ReadTemplateDetails(pText + common);
    }

    void AddComponent(QVGraphComponent* pNew, const char* pText)
    {
        std::unique_ptr<QVGraphComponent> pComponent(pNew);
        ReadFields(pComponent.get(), pText);
        pComponent->Recalculate();
        m_chart.AddComponent(pComponent.release());
        m_pCurrentLabel = NULL;
    }

    void AddLabel(const char* pText)
    {
        std::unique_ptr<QVGraphLabel> pLabel(new QVGraphLabel);
        ReadFields(pLabel.get(), pText);
        m_pCurrentLabel = pLabel.get();
        if (m_pBlock != NULL) {
            m_pBlock->AddLabel(pLabel.release(), FALSE);
            return;
        }
        pLabel->Recalculate();
        m_chart.AddComponent(pLabel.release());
    }

    void AddLabelBlock(const char* pText)
    {
        std::unique_ptr<QVGraphLabelBlock> pBlock(new QVGraphLabelBlock);
        ReadFields(pBlock.get(), pText);
        pBlock->Recalculate();
        m_pBlock = pBlock.get();
        m_pCurrentLabel = m_pBlock;
        m_chart.AddComponent(pBlock.release());
    }

    // An annotation of the label (or label block) read last: its number, then the rest of the line.
    void Annotate(const char* pText)
    {
        int number = 0, consumed = 0;
        if (m_pCurrentLabel == NULL || std::sscanf(pText, "%d %n", &number, &consumed) < 1)
            RaiseChartError(13);
        m_pCurrentLabel->SetAnnotation(number, pText + consumed);
    }

    QVGraph& m_chart;
    QVGraphLabelBlock* m_pBlock = NULL;     // the open label block
    QVGraphLabel* m_pCurrentLabel = NULL;   // what annotation lines apply to
};
}  // namespace

void QVGraph::ReadChartTemplate(LPCTSTR lpszName)
{
    std::string text;
    ChartTextSource source = ChartTextSource::none;
    try {
        source = ReadChartText(lpszName, kTemplateType, text);
    } catch (CFileException* e) {
        e->Delete();
        source = ChartTextSource::none;
    }
    if (source == ChartTextSource::unlockable) {
        AfxMessageBox(IDS_QVG_TEMPLATE_LOCK, MB_OK | MB_ICONSTOP);
        return;
    }
    if (source == ChartTextSource::none) {
        AfxMessageBox(IDS_QVG_TEMPLATE_NOT_FOUND, MB_OK | MB_ICONSTOP);
        return;
    }
    CTemplateReader reader(*this);
    ForEachLine(text, [&](const std::string& line) {
        size_t first = 0;
        while (first < line.size() && IsBlank(line[first]))
            ++first;
        if (first == line.size() || line.compare(0, 2, "//") == 0)
            return true;
        try {
            reader.ReadLine(line);
        } catch (QVGraphException* e) {
            if (e->GetErrorCode() == 13) {
                OnUnknownTemplateCommand(line.c_str());
            } else {
                e->ReportError();
                ShowTemplateError(line.c_str());
            }
            e->Delete();
            return false;
        }
        return true;
    });
}

void QVGraph::WriteChartTemplate(LPCTSTR lpszPath)
{
    CStdioFile file(lpszPath, CFile::modeCreate | CFile::modeWrite | CFile::typeText);
    // The header's line feeds go out bare, as the edit dialog has always written them; the component
    // lines end in CR LF.
    file.Flush();
    const int descriptor = _fileno(file.m_pStream);
    const int oldMode = _setmode(descriptor, _O_BINARY);
    file.WriteString(kHeader);
    file.Flush();
    if (oldMode != -1)
        _setmode(descriptor, oldMode);
    for (POSITION pos = m_components.GetHeadPosition(); pos != NULL;)
        static_cast<QVGraphComponent*>(m_components.GetNext(pos))->WriteTemplate(&file);
    file.WriteString(kFooter);
    file.Close();
}
