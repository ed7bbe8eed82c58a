// The chart editing commands with their dialogs, driven through the modal seam: Titles and Labels,
// Lines/Legends and Scale on the grain-size, separator and sensitivity charts, Print Page Setup by the
// default printer's orientation, the refusals that keep a dialog open, and the colour and line-type
// conversions.
#include "ChartInspection.h"

#include "chart/model/GraphLegend.h"
#include "fennick/ChartDialogs.h"
#include "fennick/GradationDisplay.h"
#include "fennick/SensitivityDisplay.h"
#include "framework/dialogs/PrintDialog.h"
#include "framework/win/PrinterRecorder.h"
#include "framework/win/SeamRecorders.h"
#include "tests/tools/WindowPicture.h"

#include <cstddef>
#include <functional>

using namespace chart_inspection;

namespace {

const COLORREF Black = RGB(0, 0, 0);
const COLORREF Red = RGB(255, 0, 0);
const COLORREF Green = RGB(0, 128, 0);
const COLORREF Blue = RGB(0, 0, 255);

const char GradationWithBounds[] = "0 1 0 1\n"
                                   "0.075 2 5 8\n"
                                   "4.75 20 25 30\n"
                                   "19 70 80 90\n"
                                   "0 0 0 0\n"
                                   "Crushed stone";

void SetItemText(HWND hDialog, int nID, const std::string& text)
{
    ::SetDlgItemTextA(hDialog, nID, text.c_str());
}

void Press(HWND hDialog, int nID)
{
    ::SendMessageA(::GetDlgItem(hDialog, nID), BM_CLICK, 0, 0);
}

int Selection(HWND hDialog, int nID)
{
    return static_cast<int>(::SendDlgItemMessageA(hDialog, nID, CB_GETCURSEL, 0, 0));
}

void Select(HWND hDialog, int nID, int nIndex)
{
    ::SendDlgItemMessageA(hDialog, nID, CB_SETCURSEL, static_cast<WPARAM>(nIndex), 0);
}

std::vector<std::string> ComboEntries(HWND hDialog, int nID)
{
    std::vector<std::string> entries;
    const int nCount = static_cast<int>(::SendDlgItemMessageA(hDialog, nID, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < nCount; ++i)
    {
        char text[64] = {};
        ::SendDlgItemMessageA(hDialog, nID, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        entries.push_back(text);
    }
    return entries;
}

bool IsEnabled(HWND hDialog, int nID)
{
    return ::IsWindowEnabled(::GetDlgItem(hDialog, nID)) != FALSE;
}

bool IsShown(HWND hDialog, int nID)
{
    return (::GetWindowLongA(::GetDlgItem(hDialog, nID), GWL_STYLE) & WS_VISIBLE) != 0;
}

class ChartCommands : public FennickWindowsTest
{
protected:
    CRecordingMessageBox boxes;
    CScopedMessageBoxSeam boxSeam{&boxes};
    CFunctionModalHook hook;
    CScopedModalHook hookSeam{&hook};
    int nDialogs = 0;
    CWnd* m_pDialog = nullptr;

    // The running dialog has not ended (a refusal keeps it open).
    bool StillOpen() const { return m_pDialog != nullptr && (m_pDialog->m_nFlags & CWnd::WF_CONTINUEMODAL) != 0; }

    // The documents the plot file opens; the last one.
    CFennickDoc* Open(const std::string& text)
    {
        WritePlotFile(text);
        app.ReadPlotData();
        PumpPendingMessages();
        const std::vector<CFennickDoc*> docs = Documents();
        return docs.empty() ? nullptr : docs.back();
    }

    CFennickDoc* OpenGradation(const std::string& text = GradationWithBounds) { return Open(text); }

    CFennickDoc* OpenTimeToDrain()
    {
        return Open(TimeToDrainFile(0, "6100000", {{{0.1, 3, 4}, {0.2, 2, 3}, {0.3, 1, 2}}}));
    }

    // Runs the command on the document with the dialog driven by drive; a dialog left open is
    // cancelled so that a test cannot hang.
    void Run(CFennickDoc* pDoc, void (CFennickDoc::*command)(), const std::function<void(HWND)>& drive)
    {
        ASSERT_NE(pDoc, nullptr);
        hook.onDialog = [&](CWnd* pWnd) {
            ++nDialogs;
            m_pDialog = pWnd;
            drive(pWnd->GetSafeHwnd());
            if (pWnd->m_nFlags & CWnd::WF_CONTINUEMODAL)
                static_cast<CDialog*>(pWnd)->EndDialog(IDCANCEL);
        };
        (pDoc->*command)();
        hook.onDialog = nullptr;
        m_pDialog = nullptr;
    }

    static CGradationDisplay* GradationDisplay(CFennickDoc* pDoc)
    {
        return dynamic_cast<CGradationDisplay*>(pDoc->GetChart().FindComponent(0, IDS_QVG_DISPLAY));
    }
    static CSensitivityDisplay* SensitivityDisplay(CFennickDoc* pDoc)
    {
        return dynamic_cast<CSensitivityDisplay*>(pDoc->GetChart().FindComponent(0, IDS_QVG_DISPLAY));
    }
    static HWND ViewWindow(CFennickDoc* pDoc)
    {
        POSITION pos = pDoc->GetFirstViewPosition();
        return pos != nullptr ? pDoc->GetNextView(pos)->GetSafeHwnd() : nullptr;
    }
};

// ---- Conversions ----

TEST(ChartConversions, ColoursAndLineTypesBetweenTheDialogAndTheChart)
{
    struct Color
    {
        COLORREF crColor;
        int nIndex;
    };
    for (const Color& c : {Color{0x000000, 0}, Color{0x008000, 1}, Color{0x0000FF, 2}, Color{0xFF0000, 3},
                           Color{0x00FFFF, 4}})
    {
        EXPECT_EQ(CFennickDoc::ColorToIndex(c.crColor), c.nIndex) << c.crColor;
        EXPECT_EQ(CFennickDoc::IndexToColor(c.nIndex), c.crColor) << c.nIndex;
    }
    EXPECT_EQ(CFennickDoc::ColorToIndex(0x808000), 0);
    EXPECT_EQ(CFennickDoc::ColorToIndex(0xFFFFFF), 0);
    EXPECT_EQ(CFennickDoc::IndexToColor(-1), 0u);
    EXPECT_EQ(CFennickDoc::IndexToColor(7), 7u);

    struct Line
    {
        int nCode;
        int nIndex;
    };
    for (const Line& l : {Line{1, 0}, Line{2, 0}, Line{4, 0}, Line{0, 1}, Line{6, 2}, Line{5, 3}, Line{7, 4},
                          Line{3, -1}, Line{8, -1}})
        EXPECT_EQ(CFennickDoc::LineStyleToIndex(l.nCode), l.nIndex) << l.nCode;
    for (const Line& l : {Line{4, 0}, Line{0, 1}, Line{6, 2}, Line{5, 3}, Line{7, 4}, Line{2, -1}, Line{9, 9}})
        EXPECT_EQ(CFennickDoc::IndexToLineStyle(l.nIndex), l.nCode) << l.nIndex;
}

// ---- Titles and Labels ----

TEST_F(ChartCommands, TitlesAndLabelsShowAndWriteBackTextsAndSizes)
{
    CFennickDoc* pDoc = OpenGradation();
    QVGraph& chart = pDoc->GetChart();
    const HWND hView = ViewWindow(pDoc);
    PumpPendingMessages();
    EXPECT_FALSE(::GetUpdateRect(hView, nullptr, FALSE));
    Run(pDoc, &CFennickDoc::OnTitlesAndLabels, [](HWND hDialog) {
        EXPECT_EQ(WindowText(hDialog), "Titles and Labels");
        EXPECT_EQ(ItemText(hDialog, IDC_TITLE_TEXT), "Grain-size Distribution - Base Course");
        EXPECT_EQ(ItemText(hDialog, IDC_X_AXIS_TEXT), "Sieve Size");
        EXPECT_EQ(ItemText(hDialog, IDC_Y_AXIS_TEXT), "Percent Passing");
        EXPECT_EQ(ItemText(hDialog, IDC_TITLE_SIZE), "14");
        EXPECT_EQ(ItemText(hDialog, IDC_X_AXIS_SIZE), "12");
        EXPECT_EQ(ItemText(hDialog, IDC_Y_AXIS_SIZE), "12");
        PumpPendingMessages();
        SaveWindowPicture(hDialog, "fennick-titles-and-labels.bmp");
        SetItemText(hDialog, IDC_TITLE_TEXT, "Base of the east ramp");
        SetItemText(hDialog, IDC_X_AXIS_TEXT, "Sieve");
        SetItemText(hDialog, IDC_Y_AXIS_TEXT, "Passing (%)");
        SetItemText(hDialog, IDC_TITLE_SIZE, "20");
        SetItemText(hDialog, IDC_X_AXIS_SIZE, "8");
        SetItemText(hDialog, IDC_Y_AXIS_SIZE, "48");
        Press(hDialog, IDOK);
    });
    EXPECT_EQ(nDialogs, 1);
    EXPECT_TRUE(boxes.calls.empty());
    EXPECT_EQ(LabelText(chart, 0), "Passing (%)");
    EXPECT_EQ(Label(chart, 0)->GetStoredFontSize(), 48);
    EXPECT_EQ(LabelText(chart, 1), "Sieve");
    EXPECT_EQ(Label(chart, 1)->GetStoredFontSize(), 8);
    EXPECT_EQ(LabelText(chart, 2), "Base of the east ramp");
    EXPECT_EQ(Label(chart, 2)->GetStoredFontSize(), 20);
    EXPECT_TRUE(::GetUpdateRect(hView, nullptr, FALSE));

    // Cancel keeps the labels, and the view is redrawn all the same.
    PumpPendingMessages();
    Run(pDoc, &CFennickDoc::OnTitlesAndLabels, [](HWND hDialog) {
        EXPECT_EQ(ItemText(hDialog, IDC_TITLE_TEXT), "Base of the east ramp");
        SetItemText(hDialog, IDC_TITLE_TEXT, "Not kept");
        Press(hDialog, IDCANCEL);
    });
    EXPECT_EQ(LabelText(chart, 2), "Base of the east ramp");
    EXPECT_TRUE(::GetUpdateRect(hView, nullptr, FALSE));
}

TEST_F(ChartCommands, TitlesAndLabelsRefuseSizesAndLengthsOutsideTheirLimits)
{
    CFennickDoc* pDoc = OpenGradation();
    struct Case
    {
        int nID;
        std::string text;
        const char* message;
    };
    const Case cases[] = {
        {IDC_TITLE_SIZE, "7", "Please enter an integer between 8 and 48."},
        {IDC_Y_AXIS_SIZE, "49", "Please enter an integer between 8 and 48."},
        {IDC_X_AXIS_SIZE, "large", "Please enter an integer."},
        {IDC_X_AXIS_TEXT, std::string(81, 'x'), "Please enter no more than 80 characters."},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.message);
        boxes.calls.clear();
        bool bStillOpen = false;
        Run(pDoc, &CFennickDoc::OnTitlesAndLabels, [&](HWND hDialog) {
            // The edits take at most 80 characters as typed; a longer text set from outside still
            // reaches the check.
            ::SendDlgItemMessageA(hDialog, IDC_X_AXIS_TEXT, EM_LIMITTEXT, 0, 0);
            SetItemText(hDialog, c.nID, c.text);
            Press(hDialog, IDOK);
            bStillOpen = StillOpen();
            ASSERT_EQ(boxes.calls.size(), 1u);
            EXPECT_EQ(boxes.calls[0].text, c.message);
            EXPECT_EQ(::GetFocus(), ::GetDlgItem(hDialog, c.nID));
        });
        EXPECT_TRUE(bStillOpen);
        EXPECT_EQ(Label(pDoc->GetChart(), 2)->GetStoredFontSize(), 14);
        EXPECT_EQ(LabelText(pDoc->GetChart(), 1), "Sieve Size");
    }
}

// ---- Lines/Legends and Scale ----

TEST_F(ChartCommands, OnAGrainSizeChartOnlyTheYTickCanBeScaled)
{
    CFennickDoc* pDoc = OpenGradation();
    Run(pDoc, &CFennickDoc::OnLinesLegendsScale, [](HWND hDialog) {
        EXPECT_EQ(WindowText(hDialog), "Lines/Legends and Scale");
        EXPECT_EQ(ComboEntries(hDialog, IDC_COLOR1),
                  (std::vector<std::string>{"Black", "Green", "Red", "Blue", "Yellow"}));
        EXPECT_EQ(ComboEntries(hDialog, IDC_LINE_TYPE5),
                  (std::vector<std::string>{"Solid", "None", "Dotted", "Dashed", "Dash-Dot"}));
        struct Line
        {
            int n;
            const char* legend;
            int nColor;
            int nLineType;
        };
        for (const Line& line : {Line{0, "Crushed stone", 2, 0}, Line{1, "Lower Bound", 0, 3},
                                 Line{2, "Upper Bound", 1, 4}})
        {
            SCOPED_TRACE(line.n);
            EXPECT_EQ(ItemText(hDialog, LegendEditIds[line.n]), line.legend);
            EXPECT_EQ(Selection(hDialog, ColorComboIds[line.n]), line.nColor);
            EXPECT_EQ(Selection(hDialog, LineTypeComboIds[line.n]), line.nLineType);
            EXPECT_EQ(ItemText(hDialog, ThicknessEditIds[line.n]), "1");
            EXPECT_TRUE(IsEnabled(hDialog, ColorComboIds[line.n]));
        }
        for (int n : {3, 4})
            for (int nID : {LegendEditIds[n], ColorComboIds[n], LineTypeComboIds[n], ThicknessEditIds[n]})
                EXPECT_FALSE(IsEnabled(hDialog, nID)) << nID;
        EXPECT_EQ(ItemText(hDialog, IDC_LEGEND_FONT_SIZE), "10");
        for (int nID : {IDC_X_MAX, IDC_X_MIN, IDC_X_TICK, IDC_X_MAX_LABEL, IDC_X_MIN_LABEL, IDC_X_TICK_LABEL})
        {
            EXPECT_FALSE(IsShown(hDialog, nID)) << nID;
            EXPECT_FALSE(IsEnabled(hDialog, nID)) << nID;
        }
        EXPECT_FALSE(IsEnabled(hDialog, IDC_Y_MAX));
        EXPECT_FALSE(IsEnabled(hDialog, IDC_Y_MIN));
        EXPECT_EQ(ItemText(hDialog, IDC_Y_MAX), "100");
        EXPECT_TRUE(IsEnabled(hDialog, IDC_Y_TICK));
        EXPECT_EQ(ItemText(hDialog, IDC_Y_TICK), "10");
        PumpPendingMessages();
        SaveWindowPicture(hDialog, "fennick-lines-legends-grain-size.bmp");
        SetItemText(hDialog, IDC_Y_TICK, "20");
        Press(hDialog, IDOK);
    });
    EXPECT_TRUE(boxes.calls.empty());
    CGradationDisplay* pDisplay = GradationDisplay(pDoc);
    ASSERT_NE(pDisplay, nullptr);
    EXPECT_EQ(pDisplay->m_dYStep, 20.0);
    EXPECT_EQ(pDisplay->GetIndexScaleStep(), 20.0);
    // The styles stay as the chart had them.
    EXPECT_EQ(pDoc->GetChart().FindItem(0, 0)->GetStyle()->m_crLineColor, Red);
    EXPECT_EQ(pDoc->GetChart().FindItem(0, 2)->GetStyle()->GetLineType(), 5);

    Canvas canvas(800, 600);
    canvas.Draw(pDoc->GetChart());
    EXPECT_EQ(ScaleLabelTexts(pDisplay->GetSecondScale()),
              (std::vector<std::string>{"0", "20", "40", "60", "80", "100"}));
}

TEST_F(ChartCommands, LineTypeNoneRemovesTheLineAndBlanksItsLegend)
{
    CFennickDoc* pDoc = OpenGradation();
    QVGraph& chart = pDoc->GetChart();
    Run(pDoc, &CFennickDoc::OnLinesLegendsScale, [](HWND hDialog) {
        Select(hDialog, IDC_LINE_TYPE1, CLinesLegendsDlg::LineTypeNone);
        SetItemText(hDialog, IDC_LEGEND2, "Lower limit");
        Select(hDialog, IDC_COLOR2, 3);
        Select(hDialog, IDC_LINE_TYPE2, 2);
        SetItemText(hDialog, IDC_THICKNESS3, "3");
        SetItemText(hDialog, IDC_LEGEND_FONT_SIZE, "14");
        Press(hDialog, IDOK);
    });
    EXPECT_TRUE(boxes.calls.empty());
    EXPECT_EQ(GroupText(chart, 0), " ");
    EXPECT_EQ(GroupText(chart, 2), "Lower limit");
    EXPECT_EQ(GroupText(chart, 4), "Upper Bound");
    for (int nGroup : {0, 1})
        EXPECT_EQ(chart.FindItem(2, nGroup)->GetStyle()->GetLineType(), 0) << nGroup;
    for (int nGroup : {2, 3})
    {
        EXPECT_EQ(chart.FindItem(1, nGroup)->GetStyle()->GetLineType(), 6) << nGroup;
        EXPECT_EQ(chart.FindItem(1, nGroup)->GetStyle()->m_crLineColor, Blue) << nGroup;
    }
    EXPECT_EQ(chart.FindItem(0, 5)->GetStyle()->m_nLineWidth, 3);
    EXPECT_EQ(chart.FindItem(0, 5)->GetStyle()->m_crLineColor, Green);
    auto* pLegend = static_cast<QVGraphLegend*>(chart.FindComponent(0, IDS_QVG_LEGEND));
    EXPECT_EQ(pLegend->GetStoredFontSize(), 14);

    // Opened again, the blank legend keeps the line editable and shows "None".
    Run(pDoc, &CFennickDoc::OnLinesLegendsScale, [](HWND hDialog) {
        EXPECT_EQ(ItemText(hDialog, IDC_LEGEND1), " ");
        EXPECT_EQ(Selection(hDialog, IDC_LINE_TYPE1), CLinesLegendsDlg::LineTypeNone);
        EXPECT_EQ(Selection(hDialog, IDC_COLOR2), 3);
        EXPECT_EQ(ItemText(hDialog, IDC_THICKNESS3), "3");
        Press(hDialog, IDCANCEL);
    });
}

TEST_F(ChartCommands, AColourOutsideTheFiveShowsAsBlackAndIsWrittenBackBlack)
{
    CFennickDoc* pDoc = OpenTimeToDrain();
    QVGraph& chart = pDoc->GetChart();
    QVGraphStyle style(*chart.FindItem(0, 2)->GetStyle());
    style.m_crLineColor = RGB(10, 20, 30);
    chart.ApplyStyle(2, 3, -1, -1, style, TRUE);
    Run(pDoc, &CFennickDoc::OnLinesLegendsScale, [](HWND hDialog) {
        EXPECT_EQ(ItemText(hDialog, IDC_LEGEND2), "Casagrande/Shannon");
        EXPECT_EQ(Selection(hDialog, IDC_COLOR2), 0);
        EXPECT_EQ(ItemText(hDialog, IDC_THICKNESS1), "2");
        Press(hDialog, IDOK);
    });
    EXPECT_EQ(chart.FindItem(1, 3)->GetStyle()->m_crLineColor, Black);
    EXPECT_EQ(chart.FindItem(1, 3)->GetStyle()->GetLineType(), 5);
    EXPECT_EQ(chart.FindItem(1, 1)->GetStyle()->m_crLineColor, Green);
}

TEST_F(ChartCommands, OnASeparatorChartTheCriteriaAreGreyedAndKeepTheirSymbols)
{
    CFennickDoc* pDoc = Open("5 0 0 0 0\n0.075 5\n4.75 45\n19 85\n0 0\n0.002 10\n0.075 35\n0.425 70\n0 0\n"
                             "7.62 15\n1.905 50\n0 0\nBase A\nSubgrade B\nUpper bound\n");
    QVGraph& chart = pDoc->GetChart();
    ASSERT_EQ(pDoc->GetTitle(), "NoSeparator");
    Run(pDoc, &CFennickDoc::OnLinesLegendsScale, [](HWND hDialog) {
        EXPECT_EQ(ItemText(hDialog, IDC_LEGEND1), "Base");
        EXPECT_EQ(ItemText(hDialog, IDC_LEGEND2), "Subgrade");
        // The separator's own line has no data and no legend here.
        EXPECT_EQ(ItemText(hDialog, IDC_LEGEND3), "");
        for (int n : {2, 3, 4})
            for (int nID : {LegendEditIds[n], ColorComboIds[n], LineTypeComboIds[n], ThicknessEditIds[n]})
                EXPECT_FALSE(IsEnabled(hDialog, nID)) << nID;
        EXPECT_EQ(ItemText(hDialog, IDC_LEGEND4), "");
        SetItemText(hDialog, IDC_Y_TICK, "25");
        Press(hDialog, IDOK);
    });
    EXPECT_TRUE(boxes.calls.empty());
    EXPECT_EQ(GradationDisplay(pDoc)->m_dYStep, 25.0);
    QVGraphStyle* pMarker = chart.FindItem(1, 6)->GetStyle();
    EXPECT_EQ(pMarker->m_strText, "RIGHT_TRI");
    EXPECT_EQ(pMarker->GetLineType(), 0);
    EXPECT_EQ(pMarker->m_crLineColor, Red);
    EXPECT_EQ(GroupText(chart, 6), "Upper bound");
    EXPECT_EQ(chart.FindItem(0, 4)->GetStyle()->GetLineType(), 0);
    EXPECT_EQ(GroupText(chart, 4), "");
}

TEST_F(ChartCommands, ASensitivityChartKeepsItsOwnLimitsAfterAGrainSizeChartOpened)
{
    CFennickDoc* pSensitivity = OpenTimeToDrain();
    ASSERT_EQ(pSensitivity->GetTitle(), "Porosity");
    CFennickDoc* pGradation = OpenGradation();
    ASSERT_NE(pGradation, pSensitivity);
    ASSERT_EQ(app.m_nCurrentPlotType, CFennickApp::GradationPlot);

    Run(pSensitivity, &CFennickDoc::OnLinesLegendsScale, [](HWND hDialog) {
        for (int nID : {IDC_X_MAX, IDC_X_MIN, IDC_X_TICK, IDC_X_MAX_LABEL, IDC_Y_MAX, IDC_Y_MIN})
        {
            EXPECT_TRUE(IsShown(hDialog, nID)) << nID;
            EXPECT_TRUE(IsEnabled(hDialog, nID)) << nID;
        }
        EXPECT_EQ(ItemText(hDialog, IDC_Y_MAX), "6");
        EXPECT_EQ(ItemText(hDialog, IDC_Y_MIN), "0");
        EXPECT_EQ(ItemText(hDialog, IDC_X_MAX), "0.5");
        EXPECT_EQ(ItemText(hDialog, IDC_X_MIN), "0");
        EXPECT_EQ(ItemText(hDialog, IDC_X_TICK), "0.05");
        EXPECT_EQ(ItemText(hDialog, IDC_Y_TICK), "0.6");
        PumpPendingMessages();
        SaveWindowPicture(hDialog, "fennick-lines-legends-sensitivity.bmp");
        SetItemText(hDialog, IDC_Y_MAX, "12");
        SetItemText(hDialog, IDC_Y_MIN, "2");
        SetItemText(hDialog, IDC_X_MAX, "0.4");
        SetItemText(hDialog, IDC_X_MIN, "0.1");
        SetItemText(hDialog, IDC_X_TICK, "0");
        SetItemText(hDialog, IDC_Y_TICK, "2");
        Press(hDialog, IDOK);
    });
    EXPECT_TRUE(boxes.calls.empty());
    CSensitivityDisplay* pDisplay = SensitivityDisplay(pSensitivity);
    ASSERT_NE(pDisplay, nullptr);
    EXPECT_EQ(pDisplay->GetFixedValueMax(), 12.0);
    EXPECT_EQ(pDisplay->GetFixedValueMin(), 2.0);
    EXPECT_EQ(pDisplay->GetFixedIndexMax(), 0.4);
    EXPECT_EQ(pDisplay->GetFixedIndexMin(), 0.1);
    EXPECT_EQ(pDisplay->m_dXStep, 0.0);
    EXPECT_EQ(pDisplay->m_dYStep, 2.0);
    // The grain-size chart is untouched.
    EXPECT_EQ(GradationDisplay(pGradation)->m_dYStep, 10.0);
}

TEST_F(ChartCommands, TheInflowChartsXRangeLeftToTheDataIsTakenAsItWas)
{
    CFennickDoc* pDoc = Open(ThicknessFile(1, "41000", {{{0, 0.2}, {1.45e-05, 0.26}}}, {"L=30m,S=0.02,k=300m/d"}));
    ASSERT_NE(pDoc, nullptr);
    ASSERT_EQ(pDoc->GetTitle(), "Inflow");
    Run(pDoc, &CFennickDoc::OnLinesLegendsScale, [](HWND hDialog) {
        EXPECT_EQ(ItemText(hDialog, IDC_X_MIN), "0");
        EXPECT_EQ(ItemText(hDialog, IDC_X_MAX), "0");
        Select(hDialog, IDC_COLOR1, 3);
        Press(hDialog, IDOK);
    });
    EXPECT_TRUE(boxes.calls.empty());
    EXPECT_EQ(pDoc->GetChart().FindItem(0, 1)->GetStyle()->m_crLineColor, Blue);
    CSensitivityDisplay* pDisplay = SensitivityDisplay(pDoc);
    ASSERT_NE(pDisplay, nullptr);
    EXPECT_EQ(pDisplay->GetFixedIndexMax(), 0.0);
    Canvas canvas(800, 600);
    canvas.Draw(pDoc->GetChart());
    EXPECT_EQ(pDisplay->GetDrawnIndexAxisRange().m_dMax, 1.45e-05);

    // An empty range typed on an axis that had one is still refused.
    boxes.calls.clear();
    Run(pDoc, &CFennickDoc::OnLinesLegendsScale, [&](HWND hDialog) {
        SetItemText(hDialog, IDC_Y_MIN, "1");
        SetItemText(hDialog, IDC_Y_MAX, "1");
        Press(hDialog, IDOK);
        EXPECT_TRUE(StillOpen());
    });
    ASSERT_EQ(boxes.calls.size(), 1u);
    EXPECT_EQ(boxes.calls[0].text, "The minimum value of an axis must be less than its maximum value.");
}

TEST_F(ChartCommands, LinesLegendsAndScaleRefusesWhatCannotBeDrawn)
{
    struct Case
    {
        bool bGradation;
        int nID;
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {true, IDC_Y_TICK, "-10", "A tick mark step cannot be negative. Enter 0 for automatic tick marks."},
        {false, IDC_X_TICK, "-0.1", "A tick mark step cannot be negative. Enter 0 for automatic tick marks."},
        {false, IDC_Y_MIN, "6", "The minimum value of an axis must be less than its maximum value."},
        {false, IDC_X_MAX, "-1", "The minimum value of an axis must be less than its maximum value."},
        {false, IDC_Y_MAX, "six", "Please enter a number."},
        {true, IDC_LEGEND_FONT_SIZE, "5", "Please enter an integer between 6 and 20."},
        {false, IDC_THICKNESS2, "11", "Please enter an integer between 1 and 10."},
    };
    CFennickDoc* pSensitivity = OpenTimeToDrain();
    CFennickDoc* pGradation = OpenGradation();
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.text);
        boxes.calls.clear();
        bool bStillOpen = false;
        Run(c.bGradation ? pGradation : pSensitivity, &CFennickDoc::OnLinesLegendsScale, [&](HWND hDialog) {
            SetItemText(hDialog, c.nID, c.text);
            Press(hDialog, IDOK);
            bStillOpen = StillOpen();
            ASSERT_EQ(boxes.calls.size(), 1u);
            EXPECT_EQ(boxes.calls[0].text, c.message);
        });
        EXPECT_TRUE(bStillOpen);
    }
    EXPECT_EQ(GradationDisplay(pGradation)->m_dYStep, 10.0);
    EXPECT_EQ(SensitivityDisplay(pSensitivity)->GetFixedValueMax(), 6.0);
    EXPECT_EQ(SensitivityDisplay(pSensitivity)->GetFixedIndexMax(), 0.5);

    // A tick of 0 is automatic and taken.
    Run(pGradation, &CFennickDoc::OnLinesLegendsScale, [](HWND hDialog) {
        SetItemText(hDialog, IDC_Y_TICK, "0");
        Press(hDialog, IDOK);
    });
    EXPECT_EQ(GradationDisplay(pGradation)->m_dYStep, 0.0);
}

// ---- Print Page Setup ----

class PrintPageSetup : public ChartCommands
{
protected:
    // The default printer the framework asks for, with the orientation; none without one. A mode
    // shorter than the platform's keeps the rest of its bytes as the driver's own.
    void SetPrinter(bool bPrinter, short nOrientation, WORD nModeSize = sizeof(DEVMODEA))
    {
        hook.onCommonDialog = [bPrinter, nOrientation, nModeSize](CCommonDialog* pDialog, INT_PTR& nResult) -> BOOL {
            auto* pPrint = dynamic_cast<CPrintDialog*>(pDialog);
            if (pPrint == nullptr)
                return FALSE;
            nResult = IDCANCEL;
            if (bPrinter)
            {
                pPrint->m_pd.hDevNames = CRecordingPrinter::MakeDevNames("winspool", "Recorded Printer", "LPT1:");
                pPrint->m_pd.hDevMode = CRecordingPrinter::MakeDevMode("Recorded Printer", nOrientation);
                auto* pMode = static_cast<DEVMODEA*>(::GlobalLock(pPrint->m_pd.hDevMode));
                pMode->dmSize = nModeSize;
                pMode->dmDriverExtra = static_cast<WORD>(sizeof(DEVMODEA) - nModeSize);
                ::GlobalUnlock(pPrint->m_pd.hDevMode);
                nResult = IDOK;
            }
            return TRUE;
        };
    }
};

TEST_F(PrintPageSetup, TheDefaultPrintersOrientationChoosesThePositions)
{
    struct Case
    {
        bool bPrinter;
        short nOrientation;
        WORD nModeSize;
        bool bLandscape;
    };
    // A mode that ends before its orientation field is read as portrait.
    const WORD nFull = sizeof(DEVMODEA);
    const WORD nBeforeOrientation = offsetof(DEVMODEA, dmOrientation);
    for (const Case& c : {Case{true, DMORIENT_LANDSCAPE, nFull, true}, Case{true, DMORIENT_PORTRAIT, nFull, false},
                          Case{false, 0, nFull, false}, Case{true, DMORIENT_LANDSCAPE, nBeforeOrientation, false}})
    {
        SCOPED_TRACE(std::to_string(c.bPrinter) + " " + std::to_string(c.nOrientation) + " " +
                     std::to_string(c.nModeSize));
        CFennickDoc* pDoc = OpenGradation();
        SetPrinter(c.bPrinter, c.nOrientation, c.nModeSize);
        if (app.m_hDevNames != nullptr)
            ::GlobalFree(app.m_hDevNames);
        if (app.m_hDevMode != nullptr)
            ::GlobalFree(app.m_hDevMode);
        app.m_hDevNames = app.m_hDevMode = nullptr;
        const double portrait[4] = {10, 60, 10, 90};
        const double landscape[4] = {10, 90, 10, 90};
        for (int i = 0; i < 4; ++i)
        {
            app.m_dPortraitPositions[i] = portrait[i];
            app.m_dLandscapePositions[i] = landscape[i];
        }
        Run(pDoc, &CFennickDoc::OnPrintPageSetup, [&](HWND hDialog) {
            EXPECT_EQ(WindowText(hDialog), "Print Page Setup");
            EXPECT_EQ(ItemText(hDialog, IDC_PRINT_TOP), "10");
            EXPECT_EQ(ItemText(hDialog, IDC_PRINT_BOTTOM), c.bLandscape ? "90" : "60");
            EXPECT_EQ(ItemText(hDialog, IDC_PRINT_LEFT), "10");
            EXPECT_EQ(ItemText(hDialog, IDC_PRINT_RIGHT), "90");
            PumpPendingMessages();
            SaveWindowPicture(hDialog, "fennick-print-page-setup.bmp");
            SetItemText(hDialog, IDC_PRINT_TOP, "0");
            SetItemText(hDialog, IDC_PRINT_BOTTOM, "100");
            SetItemText(hDialog, IDC_PRINT_LEFT, "12.5");
            SetItemText(hDialog, IDC_PRINT_RIGHT, "87.5");
            Press(hDialog, IDOK);
        });
        const double edited[4] = {0, 100, 12.5, 87.5};
        for (int i = 0; i < 4; ++i)
        {
            EXPECT_EQ(app.m_dLandscapePositions[i], c.bLandscape ? edited[i] : landscape[i]) << i;
            EXPECT_EQ(app.m_dPortraitPositions[i], c.bLandscape ? portrait[i] : edited[i]) << i;
        }
    }
}

TEST_F(PrintPageSetup, PositionsOutsideThePageOrUpturnedAreRefused)
{
    CFennickDoc* pDoc = OpenGradation();
    SetPrinter(false, 0);
    struct Case
    {
        int nID;
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {IDC_PRINT_TOP, "-1", "Please enter a number between 0 and 100."},
        {IDC_PRINT_RIGHT, "100.5", "Please enter a number between 0 and 100."},
        {IDC_PRINT_TOP, "60", "The top margin must be less than the bottom margin."},
        {IDC_PRINT_LEFT, "95", "The left margin must be less than the right margin."},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.text);
        boxes.calls.clear();
        bool bStillOpen = false;
        Run(pDoc, &CFennickDoc::OnPrintPageSetup, [&](HWND hDialog) {
            SetItemText(hDialog, c.nID, c.text);
            Press(hDialog, IDOK);
            bStillOpen = StillOpen();
            ASSERT_EQ(boxes.calls.size(), 1u);
            EXPECT_EQ(boxes.calls[0].text, c.message);
        });
        EXPECT_TRUE(bStillOpen);
        EXPECT_EQ(app.m_dPortraitPositions[CFennickApp::PositionTop], 10.0);
        EXPECT_EQ(app.m_dPortraitPositions[CFennickApp::PositionLeft], 10.0);
        EXPECT_EQ(app.m_dPortraitPositions[CFennickApp::PositionRight], 90.0);
    }
}

// ---- The commands as the menus send them ----

TEST_F(ChartCommands, TheMenuCommandsReachTheActiveChartsDocument)
{
    CFennickDoc* pFirst = OpenTimeToDrain();
    CFennickDoc* pActive = OpenGradation();
    ASSERT_NE(pFirst, pActive);
    struct Case
    {
        UINT nCommand;
        const char* caption;
    };
    for (const Case& c : {Case{ID_CHART_TITLES, "Titles and Labels"}, Case{ID_CHART_LINES_LEGENDS,
                                                                          "Lines/Legends and Scale"},
                          Case{ID_FILE_PRINT_PAGE_SETUP, "Print Page Setup"}})
    {
        SCOPED_TRACE(c.caption);
        std::string caption;
        std::string yTick;
        hook.onDialog = [&](CWnd* pWnd) {
            caption = WindowText(pWnd->GetSafeHwnd());
            if (c.nCommand == ID_CHART_LINES_LEGENDS)
                yTick = ItemText(pWnd->GetSafeHwnd(), IDC_Y_TICK);
            static_cast<CDialog*>(pWnd)->EndDialog(IDCANCEL);
        };
        pMainFrame->SendMessage(WM_COMMAND, c.nCommand);
        EXPECT_EQ(caption, c.caption);
        // The grain-size chart in front, not the time-to-drain chart behind it.
        if (c.nCommand == ID_CHART_LINES_LEGENDS)
        {
            EXPECT_EQ(yTick, "10");
        }
    }
    hook.onDialog = nullptr;
}

} // namespace
