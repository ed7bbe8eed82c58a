// Chart templates: the reader's keywords, blocks, annotations and errors, line ends, the source of a
// template (resource or file), and a whole chart written and read back.
#include "chart/model/DataWatcher.h"
#include "chart/model/Graph.h"
#include "chart/model/GraphBackground.h"
#include "chart/model/GraphDisplay.h"
#include "chart/model/GraphLabel.h"
#include "chart/model/GraphLegend.h"
#include "chart/model/GridLines.h"
#include "chart/model/LabelBlock.h"
#include "chart/model/TextPanel.h"

#include "ChartTestSupport.h"
#include "framework/win/SeamRecorders.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {
// Records the lines the reader hands to the unknown-command hook.
class CRecordingChart : public QVGraph
{
public:
    std::vector<std::string> unknown;
    BOOL OnUnknownTemplateCommand(LPCTSTR lpszLine) override
    {
        unknown.push_back(lpszLine);
        return FALSE;
    }
};

// A fresh path in the temporary folder, removed when the object goes.
class CTemplateFile
{
public:
    CTemplateFile()
    {
        char folder[MAX_PATH];
        ::GetTempPathA(MAX_PATH, folder);
        static int counter = 0;
        static const long long runStart = [] {
            LARGE_INTEGER now;
            ::QueryPerformanceCounter(&now);
            return now.QuadPart;
        }();
        m_path = std::string(folder) + "chart_template_" + std::to_string(::GetCurrentProcessId()) + "_" +
                 std::to_string(runStart) + "_" + std::to_string(++counter) + ".qgt";
        ::DeleteFileA(m_path.c_str());
    }
    ~CTemplateFile() { ::DeleteFileA(m_path.c_str()); }
    const char* Path() const { return m_path.c_str(); }

    void Write(const std::string& bytes) const
    {
        if (FILE* f = std::fopen(m_path.c_str(), "wb")) {
            std::fwrite(bytes.data(), 1, bytes.size(), f);
            std::fclose(f);
        }
    }
    std::string Read() const
    {
        std::string bytes;
        if (FILE* f = std::fopen(m_path.c_str(), "rb")) {
            char buffer[4096];
            size_t n = 0;
            while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
                bytes.append(buffer, n);
            std::fclose(f);
        }
        return bytes;
    }

private:
    std::string m_path;
};

// Reads the template text through a file, with message boxes recorded.
struct TemplateRun
{
    CRecordingChart chart;
    CRecordingMessageBox box;

    explicit TemplateRun(const std::string& text)
    {
        CTemplateFile file;
        file.Write(text);
        CScopedMessageBoxSeam seam(&box);
        chart.ReadChartTemplate(file.Path());
    }
    int Count() { return int(chart.GetComponentList()->GetCount()); }
    QVGraphComponent* At(int n)
    {
        CObList* pList = chart.GetComponentList();
        return static_cast<QVGraphComponent*>(pList->GetAt(pList->FindIndex(n)));
    }
};

// Common fields of a component at (0, 0, 100, 20) in pixels, without border, fill or shadow.
const std::string kPlain = "0 0 100 20 0 0 0 0 ";
const std::string kTitleFields = "0 0 0 \"Arial\" 10 0 2";

const char* ClassOf(QVGraphComponent* pComponent)
{
    return pComponent->GetRuntimeClass()->m_lpszClassName;
}
}  // namespace

TEST(ChartTemplate, CommentsAndEmptyLinesMakeNothing)
{
    TemplateRun run("// a chart\r\n\r\n   \r\n//background 0 0 1 1 0 0 0 0\r\nsurface whatever follows\r\n");
    EXPECT_EQ(0, run.Count());
    EXPECT_TRUE(run.box.calls.empty());
    EXPECT_TRUE(run.chart.unknown.empty());
}

TEST(ChartTemplate, UnknownAndReservedWordsEndReadingThroughTheHook)
{
    for (const char* line : {"rect 1 2 3 4", "font Arial", "style 3", "banner 0 0 1 1", "annotation 1 early"}) {
        TemplateRun run("background " + kPlain + "\r\n" + line + "\r\ntitle " + kPlain + kTitleFields + "\r\n");
        EXPECT_EQ(1, run.Count()) << line;   // the component before stays, none after is read
        EXPECT_STREQ("QVGraphBackground", ClassOf(run.At(0))) << line;
        ASSERT_EQ(1u, run.chart.unknown.size()) << line;
        EXPECT_EQ(line, run.chart.unknown[0]);
        EXPECT_TRUE(run.box.calls.empty()) << line;   // by default an unknown line ends the template quietly
    }
}

TEST(ChartTemplate, SyntaxErrorsShowTheMessageAndTheLine)
{
    struct Case
    {
        std::string line;
        int code;
        const char* message;
    };
    const Case cases[] = {
        {"background 0 0 10", 8, "Template syntax error\nThere is an error in the component declaration."},
        {"title 0 0 10 10 0 0 6 0 " + kTitleFields, 9,
         "Template syntax error.\nThere is an error in the fill style declaration."},
        {"title " + kPlain + "0 0 0 Arial 10 0 2", 10,
         "Template syntax error.\nThere is an error in the font declaration."},
        {"legend " + kPlain + kTitleFields + " 9 20.5 3", 11,
         "Template syntax error.\nThere is an error in the legend declaration."},
        {"data " + kPlain + kTitleFields + " 15 21", 12,
         "Template syntax error.\nThere is an error in the data component declaration."},
    };
    for (const Case& c : cases) {
        TemplateRun run(c.line + "\r\n");
        EXPECT_EQ(0, run.Count()) << c.code;
        ASSERT_EQ(2u, run.box.calls.size()) << c.code;
        EXPECT_EQ(c.message, run.box.calls[0].text) << c.code;
        EXPECT_EQ(UINT(MB_ICONEXCLAMATION), run.box.calls[0].nType & MB_ICONMASK) << c.code;
        EXPECT_EQ("Syntax error in..>" + c.line, run.box.calls[1].text) << c.code;
        EXPECT_EQ(UINT(MB_ICONEXCLAMATION), run.box.calls[1].nType & MB_ICONMASK) << c.code;
        EXPECT_TRUE(run.chart.unknown.empty());
    }
}

TEST(ChartTemplate, TitleFieldsAndFillColours)
{
    TemplateRun run("title 0 0 100 20 0 0 1 0 255 0 0 10 20 30 \"Times New Roman\" 14 3 1\r\n"
                    "title 0 0 100 20 0 0 4 0 1 2 3 4 5 6 33.5 0 0 0 \"Arial\" 10 0 2\r\n");
    ASSERT_EQ(2, run.Count());
    QVGraphTitle* pTitle = static_cast<QVGraphTitle*>(run.At(0));
    EXPECT_EQ(COLORREF(0x0000FF), pTitle->GetStyle()->m_crFill1);
    EXPECT_EQ(RGB(10, 20, 30), pTitle->GetTextColor());
    EXPECT_EQ(CString("Times New Roman"), pTitle->GetFaceName());
    EXPECT_EQ(14, pTitle->GetStoredFontSize());
    EXPECT_EQ(3, pTitle->GetFontStyle());
    EXPECT_EQ(1, pTitle->GetAlignment());
    EXPECT_EQ(CString(" "), pTitle->GetText());
    // The gradient angle keeps its fraction.
    EXPECT_DOUBLE_EQ(33.5, run.At(1)->GetStyle()->m_dFillValue);
    EXPECT_EQ(RGB(4, 5, 6), run.At(1)->GetStyle()->m_crFill2);
}

TEST(ChartTemplate, LegendSampleStyleIsOneUnlessAFifthValueGivesIt)
{
    TemplateRun run("legend " + kPlain + kTitleFields + " 9 20.000000 3 0\r\n" + "legend " + kPlain + kTitleFields +
                    " 6 20.000000 4 1 5\r\n");
    ASSERT_EQ(2, run.Count());
    QVGraphLegend* pFour = static_cast<QVGraphLegend*>(run.At(0));
    EXPECT_EQ(1, pFour->GetSampleStyle());
    EXPECT_EQ(QVGraphLegend::keyFitWidth | QVGraphLegend::keyAnchorTop, pFour->GetKeyOptions());
    EXPECT_EQ(3, pFour->GetStoredKeyKind());
    EXPECT_TRUE(pFour->GetStyle()->GetOption(QVGraphLegend::optionNoLineSamples));
    QVGraphLegend* pFive = static_cast<QVGraphLegend*>(run.At(1));
    EXPECT_EQ(5, pFive->GetSampleStyle());
    EXPECT_EQ(QVGraphLegend::keyFitHeight | QVGraphLegend::keyAnchorLeft, pFive->GetKeyOptions());
    EXPECT_EQ(4, pFive->GetStoredKeyKind());
    EXPECT_FALSE(pFive->GetStyle()->GetOption(QVGraphLegend::optionNoLineSamples));
}

TEST(ChartTemplate, LabelsBetweenLabelBlockAndEndBlockGoIntoTheBlock)
{
    const std::string label = "label " + kPlain + kTitleFields + " 5 6 1 0 0 1 0";
    TemplateRun run("labelblock " + kPlain + kTitleFields + " 1 2 1 0 0 1 0\r\n" + "annotation 7 block text\r\n" +
                    label + "\r\nannotation 1 first label\r\nannotation 2 its second\r\n" + label + "\r\n" +
                    "endblock\r\n" + label + "\r\nannotation 1 free label\r\n");
    ASSERT_EQ(2, run.Count());
    QVGraphLabelBlock* pBlock = dynamic_cast<QVGraphLabelBlock*>(run.At(0));
    ASSERT_NE(nullptr, pBlock);
    EXPECT_EQ(CString("block text"), pBlock->GetAnnotationText(7));
    ASSERT_EQ(2, pBlock->GetLabelCount());
    QVGraphLabel* pFirst = pBlock->GetLabel(0);
    EXPECT_EQ(CString("first label"), pFirst->GetAnnotationText(1));
    EXPECT_EQ(CString("its second"), pFirst->GetAnnotationText(2));
    EXPECT_FALSE(pFirst->HasOwnStyle());
    EXPECT_EQ(pBlock, pFirst->GetBlock());
    QVGraphLabel* pFree = dynamic_cast<QVGraphLabel*>(run.At(1));
    ASSERT_NE(nullptr, pFree);
    EXPECT_EQ(nullptr, dynamic_cast<QVGraphLabelBlock*>(pFree));
    EXPECT_EQ(CString("free label"), pFree->GetAnnotationText(1));
    EXPECT_DOUBLE_EQ(5.0, pFree->GetX());
    EXPECT_DOUBLE_EQ(6.0, pFree->GetY());
    // An annotation after endblock has no label to go to.
    TemplateRun after("labelblock " + kPlain + kTitleFields + "\r\nendblock\r\nannotation 1 lost\r\n");
    EXPECT_EQ(1u, after.chart.unknown.size());
}

TEST(ChartTemplate, EveryLineEndEndsALineAndTheLastLineIsKeptWhole)
{
    // The last line carries the title's alignment as its last character, without a line end.
    const std::string lines[] = {"// comment", "background " + kPlain, "title " + kPlain + "0 0 0 \"Arial\" 10 0 1"};
    for (const char* end : {"\r\n", "\n", "\r"}) {
        const std::string text = lines[0] + end + lines[1] + end + lines[2];
        TemplateRun run(text);
        ASSERT_EQ(2, run.Count()) << int(end[0]) << int(end[1]);
        EXPECT_EQ(1, static_cast<QVGraphTitle*>(run.At(1))->GetAlignment());
        EXPECT_TRUE(run.box.calls.empty());
    }
    // A line of any length is read whole.
    const std::string text(600, 'x');
    TemplateRun longLine("label " + kPlain + kTitleFields + "\r\nannotation 3 " + text + "\r\nbackground " + kPlain);
    ASSERT_EQ(2, longLine.Count());
    EXPECT_EQ(CString(text.c_str()), static_cast<QVGraphLabel*>(longLine.At(0))->GetAnnotationText(3));
}

TEST(ChartTemplate, ResourceComesBeforeAFileAndAMissingOneIsReported)
{
    CRecordingMessageBox box;
    CScopedMessageBoxSeam seam(&box);
    QVGraph chart;
    chart.ReadChartTemplate("TESTCHART");
    ASSERT_EQ(2, int(chart.GetComponentList()->GetCount()));
    EXPECT_TRUE(box.calls.empty());
    EXPECT_EQ(53527, chart.FindComponent(0, -1)->GetTypeId());
    EXPECT_EQ(53530, chart.FindComponent(1, -1)->GetTypeId());

    chart.ReadChartTemplate("no such template.qgt");
    ASSERT_EQ(1u, box.calls.size());
    EXPECT_EQ("QVGraph template not found", box.calls[0].text);
    EXPECT_EQ(UINT(MB_ICONSTOP), box.calls[0].nType & MB_ICONMASK);
    EXPECT_EQ(2, int(chart.GetComponentList()->GetCount()));
}

namespace {
// Background, title, legend, display, label with two annotations, text panel and watcher, with grid
// lines among them that no template line can carry.
void BuildChart(QVGraph& chart)
{
    QVGraphBackground* pBackground = new QVGraphBackground;
    pBackground->SetMeasurement(QVGraphRect::percent);
    pBackground->SetRect(-1, -1, -1, -1);
    pBackground->GetStyle()->m_nComponentStyle = 0x213;   // vertical gradient, shadow 1, border 3
    pBackground->SetFillColors(RGB(255, 255, 255), RGB(200, 210, 250));
    chart.AddComponent(pBackground);

    QVGraphTitle* pTitle = new QVGraphTitle;
    pTitle->SetMeasurement(QVGraphRect::percent);
    pTitle->SetRect(0, 0, 100, 10.5);
    pTitle->SetFont(16, QVGraphTitle::fontBold | QVGraphTitle::fontRaised, "Times New Roman");
    pTitle->SetTextColor(RGB(0, 0, 128));
    pTitle->GetStyle()->m_nComponentStyle = 0x400;           // angled gradient
    pTitle->SetFillColors(RGB(250, 250, 250), RGB(10, 20, 30));
    pTitle->GetStyle()->m_dFillValue = 22.5;
    chart.AddComponent(pTitle);

    QVGGridLines* pGrid = new QVGGridLines;
    chart.AddComponent(pGrid);

    QVGraphLegend* pLegend = new QVGraphLegend;
    pLegend->SetMeasurement(QVGraphRect::percent);
    pLegend->SetRect(5, 90, 95, 100);
    pLegend->SetKeyOptions(QVGraphLegend::keyFitWidth | QVGraphLegend::keyAnchorLeft);
    pLegend->SetKeyKind(QVGraphLegend::keyPerGroup);
    pLegend->SetSampleStyle(QVGraphLegend::sampleFromItem);
    pLegend->GetStyle()->SetOption(QVGraphLegend::optionNoLineSamples, TRUE);
    pLegend->GetStyle()->SetBorderStyle(7);
    chart.AddComponent(pLegend);

    QVGraphDisplay* pDisplay = new QVGraphDisplay;
    pDisplay->SetMeasurement(QVGraphRect::millimetres);
    pDisplay->SetRect(10, 20, 150.25, 90);
    pDisplay->SetGraphType(34);
    pDisplay->SetAxisStyle(15);
    pDisplay->SetOption(QVGDisplayBase::optionFirstLabelsTurned, TRUE);
    pDisplay->SetOption(QVGDisplayBase::optionLogValues, TRUE);
    pDisplay->GetStyle()->m_nComponentStyle = 0;
    chart.AddComponent(pDisplay);

    QVGraphLabel* pLabel = new QVGraphLabel;
    pLabel->SetRect(0, 0, 0, 0);
    pLabel->SetPosition(40.5, 60);
    pLabel->SetTextAngle(90);
    pLabel->SetAnnotation(1, "Percent passing");
    pLabel->SetAnnotation(4, "second text");
    pLabel->SetFont(12, 0, "Arial");
    chart.AddComponent(pLabel);

    QVGTextPanel* pPanel = new QVGTextPanel;
    pPanel->SetMeasurement(QVGraphRect::inches);
    pPanel->SetRect(0.5, 0.25, 2, 1.5);
    pPanel->SetBodyFace("Courier New");
    pPanel->SetBodyFontSize(9);
    pPanel->SetBodyColor(RGB(1, 2, 3));
    pPanel->SetBodyJustification(QVGTextPanel::justifyCentre);
    pPanel->SetTitleFace("Arial");
    pPanel->SetTitleFontSize(11);
    pPanel->SetTitleFontStyle(QVGraphTitle::fontItalic);
    pPanel->SetTitleColor(RGB(200, 0, 0));
    pPanel->SetTitleJustification(QVGTextPanel::justifyEnd);
    chart.AddComponent(pPanel);

    QVGDataWatcher* pWatcher = new QVGDataWatcher;
    pWatcher->SetRect(1, 2, 3, 4);
    chart.AddComponent(pWatcher);
}

void ExpectSameTitleFields(QVGraphTitle* pWritten, QVGraphTitle* pRead)
{
    EXPECT_EQ(pWritten->GetFaceName(), pRead->GetFaceName());
    EXPECT_EQ(pWritten->GetStoredFontSize(), pRead->GetStoredFontSize());
    EXPECT_EQ(pWritten->GetFontStyle(), pRead->GetFontStyle());
    EXPECT_EQ(pWritten->GetAlignment(), pRead->GetAlignment());
    EXPECT_EQ(pWritten->m_crText, pRead->m_crText);
}

void ExpectSameChart(QVGraph& written, QVGraph& read)
{
    // The grid lines write no line; everything else comes back in order.
    std::vector<QVGraphComponent*> expected;
    CObList* pWritten = written.GetComponentList();
    for (POSITION pos = pWritten->GetHeadPosition(); pos != NULL;) {
        QVGraphComponent* pComponent = static_cast<QVGraphComponent*>(pWritten->GetNext(pos));
        if (!pComponent->IsKindOf(RUNTIME_CLASS(QVGGridLines)) || pComponent->IsKindOf(RUNTIME_CLASS(QVGDataWatcher)))
            expected.push_back(pComponent);
    }
    CObList* pRead = read.GetComponentList();
    ASSERT_EQ(expected.size(), size_t(pRead->GetCount()));
    POSITION pos = pRead->GetHeadPosition();
    for (QVGraphComponent* pWrittenComponent : expected) {
        QVGraphComponent* pReadComponent = static_cast<QVGraphComponent*>(pRead->GetNext(pos));
        const char* name = ClassOf(pWrittenComponent);
        ASSERT_STREQ(name, ClassOf(pReadComponent));
        const QVGraphRect* a = pWrittenComponent->GetRectObject();
        const QVGraphRect* b = pReadComponent->GetRectObject();
        EXPECT_DOUBLE_EQ(a->m_dLeft, b->m_dLeft) << name;
        EXPECT_DOUBLE_EQ(a->m_dTop, b->m_dTop) << name;
        EXPECT_DOUBLE_EQ(a->m_dRight, b->m_dRight) << name;
        EXPECT_DOUBLE_EQ(a->m_dBottom, b->m_dBottom) << name;
        EXPECT_EQ(a->m_nMeasurement, b->m_nMeasurement) << name;
        const QVGraphStyle* s = pWrittenComponent->GetStyle();
        const QVGraphStyle* t = pReadComponent->GetStyle();
        EXPECT_EQ(s->m_nComponentStyle & 0xFFF, t->m_nComponentStyle & 0xFFF) << name;
        const int fill = s->GetFillType();
        if (fill >= 1 && fill <= 4) {
            EXPECT_EQ(s->m_crFill1, t->m_crFill1) << name;
        }
        if (fill >= 2 && fill <= 4) {
            EXPECT_EQ(s->m_crFill2, t->m_crFill2) << name;
        }
        if (fill == 4) {
            EXPECT_DOUBLE_EQ(s->m_dFillValue, t->m_dFillValue) << name;
        }
        if (QVGTextPanel* pPanel = dynamic_cast<QVGTextPanel*>(pWrittenComponent)) {
            QVGTextPanel* pBack = static_cast<QVGTextPanel*>(pReadComponent);
            EXPECT_EQ(pPanel->GetBodyFace(), pBack->GetBodyFace());
            EXPECT_EQ(pPanel->GetBodyFontSize(), pBack->GetBodyFontSize());
            EXPECT_EQ(pPanel->GetBodyColor(), pBack->GetBodyColor());
            EXPECT_EQ(pPanel->GetBodyJustification(), pBack->GetBodyJustification());
            EXPECT_EQ(pPanel->GetTitleFace(), pBack->GetTitleFace());
            EXPECT_EQ(pPanel->GetTitleFontSize(), pBack->GetTitleFontSize());
            EXPECT_EQ(pPanel->GetTitleFontStyle(), pBack->GetTitleFontStyle());
            EXPECT_EQ(pPanel->GetTitleColor(), pBack->GetTitleColor());
            EXPECT_EQ(pPanel->GetTitleJustification(), pBack->GetTitleJustification());
        } else if (QVGraphTitle* pTitle = dynamic_cast<QVGraphTitle*>(pWrittenComponent)) {
            ExpectSameTitleFields(pTitle, static_cast<QVGraphTitle*>(pReadComponent));
        }
        if (QVGraphLegend* pLegend = dynamic_cast<QVGraphLegend*>(pWrittenComponent)) {
            QVGraphLegend* pBack = static_cast<QVGraphLegend*>(pReadComponent);
            EXPECT_EQ(pLegend->GetKeyOptions(), pBack->GetKeyOptions());
            EXPECT_EQ(pLegend->GetStoredKeyKind(), pBack->GetStoredKeyKind());
            EXPECT_EQ(pLegend->GetSampleStyle(), pBack->GetSampleStyle());
            EXPECT_EQ(pLegend->GetStyle()->GetOption(QVGraphLegend::optionNoLineSamples),
                      pBack->GetStyle()->GetOption(QVGraphLegend::optionNoLineSamples));
            EXPECT_DOUBLE_EQ(pLegend->GetKeySize(), pBack->GetKeySize());
        }
        if (QVGraphDisplay* pDisplay = dynamic_cast<QVGraphDisplay*>(pWrittenComponent)) {
            QVGraphDisplay* pBack = static_cast<QVGraphDisplay*>(pReadComponent);
            EXPECT_EQ(pDisplay->GetGraphType(), pBack->GetGraphType());
            EXPECT_EQ(pDisplay->GetAxisStyle(), pBack->GetAxisStyle());
            EXPECT_EQ(pDisplay->GetStyle()->m_nOptions, pBack->GetStyle()->m_nOptions);
            EXPECT_EQ(pDisplay->GetStyle()->m_nAxisOptions, pBack->GetStyle()->m_nAxisOptions);
        }
        if (QVGraphLabel* pLabel = dynamic_cast<QVGraphLabel*>(pWrittenComponent)) {
            QVGraphLabel* pBack = static_cast<QVGraphLabel*>(pReadComponent);
            EXPECT_DOUBLE_EQ(pLabel->GetX(), pBack->GetX());
            EXPECT_DOUBLE_EQ(pLabel->GetY(), pBack->GetY());
            EXPECT_DOUBLE_EQ(pLabel->GetTextAngle(), pBack->GetTextAngle());
            EXPECT_EQ(CString("Percent passing"), pBack->GetAnnotationText(1));
            EXPECT_EQ(CString("second text"), pBack->GetAnnotationText(4));
        }
    }
}
}  // namespace

TEST(ChartTemplate, WholeChartWrittenAndReadBack)
{
    QVGraph written;
    BuildChart(written);
    CTemplateFile file;
    written.WriteChartTemplate(file.Path());
    const std::string bytes = file.Read();
    const std::string header = "//QVGraph template output system V1.0\n\n";
    const std::string footer = "// End of template/n/n";
    ASSERT_EQ(header, bytes.substr(0, header.size()));
    EXPECT_EQ(footer, bytes.substr(bytes.size() - footer.size()));
    EXPECT_EQ("background -1 -1 -1 -1 3 3 2 1 255 255 255 200 210 250 \r\n",
              bytes.substr(header.size(), bytes.find('\n', header.size()) + 1 - header.size()));
    EXPECT_NE(std::string::npos, bytes.find("\r\nannotation 1 Percent passing\r\nannotation 4 second text\r\n\r\n"));

    for (bool lineFeedsOnly : {false, true}) {
        std::string text = bytes;
        if (lineFeedsOnly) {
            std::string plain;
            for (char c : text)
                if (c != '\r')
                    plain += c;
            text = plain;
        }
        TemplateRun run(text);
        EXPECT_TRUE(run.box.calls.empty()) << lineFeedsOnly;
        EXPECT_TRUE(run.chart.unknown.empty()) << lineFeedsOnly;
        ExpectSameChart(written, run.chart);
    }
}

TEST(ChartTemplate, AnnotationOfSeveralLinesIsWrittenAsOneLine)
{
    QVGraph written;
    QVGraphLabel* pLabel = new QVGraphLabel;
    pLabel->SetAnnotation(1, "Percent\r\npassing\nby weight");
    written.AddComponent(pLabel);
    written.AddComponent(new QVGraphBackground);
    CTemplateFile file;
    written.WriteChartTemplate(file.Path());
    TemplateRun run(file.Read());
    ASSERT_EQ(2, run.Count());
    EXPECT_EQ(CString("Percent  passing by weight"), static_cast<QVGraphLabel*>(run.At(0))->GetAnnotationText(1));
}

TEST(ChartTemplate, WriterOfAnUnwritableFileThrows)
{
    QVGraph chart;
    chart.AddComponent(new QVGraphBackground);
    bool thrown = false;
    try {
        chart.WriteChartTemplate("Z:\\no such folder\\chart.qgt");
    } catch (CFileException* e) {
        thrown = true;
        e->Delete();
    }
    EXPECT_TRUE(thrown);
}
