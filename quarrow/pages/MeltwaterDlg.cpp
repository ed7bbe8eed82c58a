#include "quarrow/pages/MeltwaterDlg.h"

#include <cmath>

#include "framework/win/DataExchange.h"
#include "quarrow/app/ProjectData.h"
#include "quarrow/app/QuarrowApp.h"
#include "quarrow/pages/PageNumberText.h"
#include "resources/quarrow/resource.h"

namespace {

const double PsfPerKilogramPerSquareMetre = 0.20483408439164277;
const double FeetPerMetre = 3.280839895013123;
const double MillimetresPerInch = 25.4;
const double MetresPerSecondPerFootPerDay = 3.528e-06;

// The chart's calibration, in its own pixels: q_m / sqrt(k) = 0.1, 0.5 and 2.0 at x = 84, 267 and
// 418 (a logarithmic stretch each side of 0.5); heave 0.5 and 20 mm/day at y = 453 and 57.
const int ChartX01 = 84;
const int ChartX05 = 267;
const double ChartPixelsPerFactorFiveInverse = 0.00546448087431694;  // 1 / 183
const double ChartPixelsPerFactorFourInverse = 0.006622516556291391; // 1 / 151
const int HeaveLineBottom = 453;
const int HeaveScalePixels = 396;
const double HeaveScaleLow = 0.5;
const double HeaveScaleHigh = 20.0;
// The reading line moves only while the mouse is over the plot (chart x strictly between these);
// its top and the heave line's left edge.
const int ReadingLeftLimit = 18;
const int ReadingRightLimit = 488;
const int ReadingLineTop = 8;
const int HeaveLineLeft = 63;

CString Formatted(const char* pszFormat, double value)
{
    CString strText;
    strText.Format(pszFormat, value);
    return strText;
}

// Moves a control to a place in the dialog's client area, keeping its size, and paints it now.
void MoveControlTo(CWnd& control, int x, int y)
{
    if (control.GetSafeHwnd() == nullptr)
        return;
    CRect rcControl;
    control.GetWindowRect(&rcControl);
    control.MoveWindow(x, y, rcControl.Width(), rcControl.Height(), TRUE);
}

} // namespace

const CPoint CMeltwaterDlg::NominalChartOrigin(12, 12);

BEGIN_MESSAGE_MAP(CMeltwaterDlg, CDialog)
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_HELPINFO()
END_MESSAGE_MAP()

CMeltwaterDlg::CMeltwaterDlg(CWnd* pParent) : CDialog(IDD_MELTWATER, pParent)
{
}

CMeltwaterDlg::~CMeltwaterDlg() = default;

void CMeltwaterDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_MW_READING_LINE, m_wndReadingLine);
    DDX_Control(pDX, IDC_MW_HEAVE_LINE, m_wndHeaveLine);
}

double CMeltwaterDlg::ChartValueAt(int nChartX)
{
    if (nChartX <= ChartX05)
        return std::pow(10.0, std::log10(0.1) + (std::log10(0.5) - std::log10(0.1)) * (nChartX - ChartX01) *
                                                    ChartPixelsPerFactorFiveInverse);
    return std::pow(10.0, std::log10(0.5) + (std::log10(2.0) - std::log10(0.5)) * (nChartX - ChartX05) *
                                                ChartPixelsPerFactorFourInverse);
}

int CMeltwaterDlg::HeaveLineTop(double dHeave)
{
    if (!(dHeave >= HeaveScaleLow))
        dHeave = HeaveScaleLow;
    if (dHeave > HeaveScaleHigh)
        dHeave = HeaveScaleHigh;
    const int nRise = static_cast<int>(HeaveScalePixels * (std::log(dHeave) - std::log(HeaveScaleLow)) /
                                       (std::log(HeaveScaleHigh) - std::log(HeaveScaleLow)));
    return HeaveLineBottom - nRise;
}

BOOL CMeltwaterDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    // The chart's pixels start inside its border wherever the dialog's font and resolution put it;
    // readings and lines follow the picture, not fixed dialog pixels.
    if (CWnd* pChart = GetDlgItem(IDC_MW_CHART))
    {
        CPoint ptOrigin(0, 0);
        pChart->ClientToScreen(&ptOrigin);
        ScreenToClient(&ptOrigin);
        m_ptChartOrigin = ptOrigin;

        // The chart keeps its pixels while the dialog's units follow the font: where they come out
        // smaller, the dialog grows until the whole chart shows, with the margin it has above.
        CRect rcChart;
        pChart->GetWindowRect(&rcChart);
        ScreenToClient(&rcChart);
        CRect rcMargin(0, 0, 7, 7);
        MapDialogRect(&rcMargin);
        CRect rcClient;
        GetClientRect(&rcClient);
        const int nMissing = rcChart.bottom + rcMargin.bottom - rcClient.bottom;
        if (nMissing > 0)
        {
            CRect rcWindow;
            GetWindowRect(&rcWindow);
            SetWindowPos(nullptr, 0, 0, rcWindow.Width(), rcWindow.Height() + nMissing,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }

    double dHeave = 0.0;
    if (m_pProjectData != nullptr)
    {
        const CProjectData& data = *m_pProjectData;
        const double dLoad = TypedNumber(data.m_strPavementLoad);
        const double dPermeability = TypedNumber(data.m_strSubgradeK);
        if (data.IsMetric())
        {
            SetDlgItemText(IDC_MW_LOAD, Formatted("%.1f", dLoad * PsfPerKilogramPerSquareMetre));
            m_dChartPermeability = dPermeability * FeetPerMetre;
            SetDlgItemText(IDC_MW_K, Formatted(m_dChartPermeability > 0.1 ? "%.1f" : "%.2e", m_dChartPermeability));
            SetDlgItemText(IDC_MW_HEAVE, data.m_strHeaveRate);
            dHeave = TypedNumber(data.m_strHeaveRate);
        }
        else
        {
            SetDlgItemText(IDC_MW_LOAD, data.m_strPavementLoad);
            SetDlgItemText(IDC_MW_K, data.m_strSubgradeK);
            m_dChartPermeability = dPermeability;
            dHeave = TypedNumber(data.m_strHeaveRate) * MillimetresPerInch;
            SetDlgItemText(IDC_MW_HEAVE, Formatted("%.1f", dHeave));
        }
    }
    MoveControlTo(m_wndHeaveLine, m_ptChartOrigin.x + HeaveLineLeft, m_ptChartOrigin.y + HeaveLineTop(dHeave));
    if (m_wndHeaveLine.GetSafeHwnd() != nullptr)
        m_wndHeaveLine.UpdateWindow();
    return TRUE;
}

void CMeltwaterDlg::OnMouseMove(UINT, CPoint point)
{
    const int nChartX = point.x - m_ptChartOrigin.x;
    if (nChartX > ReadingLeftLimit && nChartX < ReadingRightLimit)
        MoveControlTo(m_wndReadingLine, point.x, m_ptChartOrigin.y + ReadingLineTop);
    if (m_wndReadingLine.GetSafeHwnd() != nullptr)
        m_wndReadingLine.UpdateWindow();
    m_dChartValue = ChartValueAt(nChartX);
    SetDlgItemText(IDC_MW_READING, Formatted("%.2f", m_dChartValue));
    Default();
}

void CMeltwaterDlg::TakeReading()
{
    // A permeability below zero is no permeability: it reads as none.
    const double dPermeability = m_dChartPermeability > 0 ? m_dChartPermeability : 0.0;
    SetDlgItemText(IDC_MW_QM, Formatted("%.2f", std::sqrt(dPermeability) * m_dChartValue));
}

void CMeltwaterDlg::OnLButtonUp(UINT, CPoint)
{
    TakeReading();
    Default();
}

void CMeltwaterDlg::OnLButtonDblClk(UINT, CPoint)
{
    TakeReading();
    OnOK();
    Default();
}

void CMeltwaterDlg::OnOK()
{
    if (m_pProjectData != nullptr)
    {
        CString strFlow;
        GetDlgItemText(IDC_MW_QM, strFlow);
        // Without a reading there is no q_m in either unit system: an empty text converted would
        // become an inflow of 0 that nobody read off the chart.
        if (m_pProjectData->IsMetric() && !strFlow.IsEmpty())
            strFlow = Formatted("%.2e", TypedNumber(strFlow) * MetresPerSecondPerFootPerDay);
        m_pProjectData->m_strMeltwaterFlow = strFlow;
    }
    CDialog::OnOK();
}

BOOL CMeltwaterDlg::OnHelpInfo(HELPINFO* pHelpInfo)
{
    QuarrowShowHelpTopic(static_cast<HWND>(pHelpInfo->hItemHandle), "meltwater_q.htm");
    return TRUE;
}
