#include "fennick/ChartDialogs.h"

#include "framework/win/DataExchange.h"
#include "framework/win/Seams.h"
#include "resources/fennick/resource.h"

const int LegendEditIds[CLinesLegendsDlg::LineCount] = {IDC_LEGEND1, IDC_LEGEND2, IDC_LEGEND3, IDC_LEGEND4,
                                                        IDC_LEGEND5};
const int ColorComboIds[CLinesLegendsDlg::LineCount] = {IDC_COLOR1, IDC_COLOR2, IDC_COLOR3, IDC_COLOR4, IDC_COLOR5};
const int LineTypeComboIds[CLinesLegendsDlg::LineCount] = {IDC_LINE_TYPE1, IDC_LINE_TYPE2, IDC_LINE_TYPE3,
                                                           IDC_LINE_TYPE4, IDC_LINE_TYPE5};
const int ThicknessEditIds[CLinesLegendsDlg::LineCount] = {IDC_THICKNESS1, IDC_THICKNESS2, IDC_THICKNESS3,
                                                           IDC_THICKNESS4, IDC_THICKNESS5};

namespace {

const char NegativeTickText[] = "A tick mark step cannot be negative. Enter 0 for automatic tick marks.";
const char AxisLimitsText[] = "The minimum value of an axis must be less than its maximum value.";
const char TopBottomText[] = "The top margin must be less than the bottom margin.";
const char LeftRightText[] = "The left margin must be less than the right margin.";

// The limits of an axis can be drawn when the minimum is below the maximum. An axis whose limits were
// equal when the dialog opened (the inflow chart's X axis, whose range comes from its data) may keep
// them as they were.
bool IsDrawableRange(double min, double max, double shownMin, double shownMax)
{
    return min < max || (min == max && shownMin == shownMax && min == shownMin);
}

// A refusal of the value just exchanged: the message, then the focus back on its field.
void Refuse(CDataExchange* pDX, const char* pszText)
{
    AfxMessageBox(pszText, MB_ICONEXCLAMATION);
    pDX->Fail();
}

void EnableControl(CWnd* pDialog, int nID, BOOL bEnable)
{
    if (CWnd* pControl = pDialog->GetDlgItem(nID))
        pControl->EnableWindow(bEnable);
}

} // namespace

// ---- Titles and Labels ----

BEGIN_MESSAGE_MAP(CTitlesDlg, CDialog)
END_MESSAGE_MAP()

CTitlesDlg::CTitlesDlg(CWnd* pParent) : CDialog(IDD_TITLES, pParent)
{
}

void CTitlesDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_TITLE_TEXT, m_strTitle);
    DDV_MaxChars(pDX, m_strTitle, 80);
    DDX_Text(pDX, IDC_X_AXIS_TEXT, m_strXAxis);
    DDV_MaxChars(pDX, m_strXAxis, 80);
    DDX_Text(pDX, IDC_Y_AXIS_TEXT, m_strYAxis);
    DDV_MaxChars(pDX, m_strYAxis, 80);
    DDX_Text(pDX, IDC_TITLE_SIZE, m_nTitleSize);
    DDV_MinMaxInt(pDX, m_nTitleSize, 8, 48);
    DDX_Text(pDX, IDC_X_AXIS_SIZE, m_nXAxisSize);
    DDV_MinMaxInt(pDX, m_nXAxisSize, 8, 48);
    DDX_Text(pDX, IDC_Y_AXIS_SIZE, m_nYAxisSize);
    DDV_MinMaxInt(pDX, m_nYAxisSize, 8, 48);
}

// ---- Lines/Legends and Scale ----

BEGIN_MESSAGE_MAP(CLinesLegendsDlg, CDialog)
END_MESSAGE_MAP()

CLinesLegendsDlg::CLinesLegendsDlg(CWnd* pParent) : CDialog(IDD_LINES_LEGENDS, pParent)
{
}

void CLinesLegendsDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    for (int i = 0; i < LineCount; ++i)
    {
        DDX_Text(pDX, LegendEditIds[i], m_strLegend[i]);
        DDV_MaxChars(pDX, m_strLegend[i], 60);
    }
    DDX_Text(pDX, IDC_LEGEND_FONT_SIZE, m_nLegendFontSize);
    DDV_MinMaxInt(pDX, m_nLegendFontSize, 6, 20);
    for (int i = 0; i < LineCount; ++i)
    {
        DDX_Text(pDX, ThicknessEditIds[i], m_nThickness[i]);
        DDV_MinMaxInt(pDX, m_nThickness[i], 1, 10);
    }

    // The limits are checked only where they can be edited. A negative step would never end the
    // labelling of its axis; 0 leaves the step to the chart.
    const bool bSaving = pDX->m_bSaveAndValidate != FALSE;
    if (!bSaving)
    {
        m_dShownYMin = m_dYMin;
        m_dShownYMax = m_dYMax;
        m_dShownXMin = m_dXMin;
        m_dShownXMax = m_dXMax;
    }
    DDX_Text(pDX, IDC_Y_MIN, m_dYMin);
    DDX_Text(pDX, IDC_Y_MAX, m_dYMax);
    if (bSaving && m_bAxisEdit && !IsDrawableRange(m_dYMin, m_dYMax, m_dShownYMin, m_dShownYMax))
        Refuse(pDX, AxisLimitsText);
    DDX_Text(pDX, IDC_Y_TICK, m_dYTick);
    if (bSaving && m_dYTick < 0)
        Refuse(pDX, NegativeTickText);
    DDX_Text(pDX, IDC_X_MIN, m_dXMin);
    DDX_Text(pDX, IDC_X_MAX, m_dXMax);
    if (bSaving && m_bAxisEdit && !IsDrawableRange(m_dXMin, m_dXMax, m_dShownXMin, m_dShownXMax))
        Refuse(pDX, AxisLimitsText);
    DDX_Text(pDX, IDC_X_TICK, m_dXTick);
    if (bSaving && m_bAxisEdit && m_dXTick < 0)
        Refuse(pDX, NegativeTickText);
}

BOOL CLinesLegendsDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    static const LPCTSTR Colors[ColorCount] = {"Black", "Green", "Red", "Blue", "Yellow"};
    static const LPCTSTR LineTypes[LineTypeCount] = {"Solid", "None", "Dotted", "Dashed", "Dash-Dot"};
    for (int i = 0; i < LineCount; ++i)
    {
        const HWND hColor = ::GetDlgItem(m_hWnd, ColorComboIds[i]);
        const HWND hLineType = ::GetDlgItem(m_hWnd, LineTypeComboIds[i]);
        for (LPCTSTR lpszColor : Colors)
            ::SendMessageA(hColor, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lpszColor));
        for (LPCTSTR lpszLineType : LineTypes)
            ::SendMessageA(hLineType, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(lpszLineType));

        if (m_strLegend[i].IsEmpty())
        {
            EnableControl(this, LegendEditIds[i], FALSE);
            EnableControl(this, ColorComboIds[i], FALSE);
            EnableControl(this, LineTypeComboIds[i], FALSE);
            EnableControl(this, ThicknessEditIds[i], FALSE);
        }
        else
        {
            ::SendMessageA(hColor, CB_SETCURSEL, static_cast<WPARAM>(m_nColor[i]), 0);
            ::SendMessageA(hLineType, CB_SETCURSEL, static_cast<WPARAM>(m_nLineType[i]), 0);
        }
    }

    if (!m_bAxisEdit)
    {
        for (int nID : {IDC_X_MAX, IDC_X_MIN, IDC_X_TICK, IDC_X_MAX_LABEL, IDC_X_MIN_LABEL, IDC_X_TICK_LABEL})
        {
            EnableControl(this, nID, FALSE);
            if (CWnd* pControl = GetDlgItem(nID))
                pControl->ShowWindow(SW_HIDE);
        }
        EnableControl(this, IDC_Y_MAX, FALSE);
        EnableControl(this, IDC_Y_MIN, FALSE);
    }
    return TRUE;
}

void CLinesLegendsDlg::OnOK()
{
    for (int i = 0; i < LineCount; ++i)
    {
        m_nColor[i] = static_cast<int>(::SendMessageA(::GetDlgItem(m_hWnd, ColorComboIds[i]), CB_GETCURSEL, 0, 0));
        m_nLineType[i] =
            static_cast<int>(::SendMessageA(::GetDlgItem(m_hWnd, LineTypeComboIds[i]), CB_GETCURSEL, 0, 0));
    }
    CDialog::OnOK();
}

// ---- Print Page Setup ----

BEGIN_MESSAGE_MAP(CPrintPageSetupDlg, CDialog)
END_MESSAGE_MAP()

CPrintPageSetupDlg::CPrintPageSetupDlg(CWnd* pParent) : CDialog(IDD_PRINT_PAGE_SETUP, pParent)
{
}

void CPrintPageSetupDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    const bool bSaving = pDX->m_bSaveAndValidate != FALSE;
    DDX_Text(pDX, IDC_PRINT_TOP, m_dTop);
    DDV_MinMaxDouble(pDX, m_dTop, 0.0, 100.0);
    DDX_Text(pDX, IDC_PRINT_BOTTOM, m_dBottom);
    DDV_MinMaxDouble(pDX, m_dBottom, 0.0, 100.0);
    // An empty or upturned rectangle would print nothing, or the chart mirrored.
    if (bSaving && !(m_dTop < m_dBottom))
        Refuse(pDX, TopBottomText);
    DDX_Text(pDX, IDC_PRINT_LEFT, m_dLeft);
    DDV_MinMaxDouble(pDX, m_dLeft, 0.0, 100.0);
    DDX_Text(pDX, IDC_PRINT_RIGHT, m_dRight);
    DDV_MinMaxDouble(pDX, m_dRight, 0.0, 100.0);
    if (bSaving && !(m_dLeft < m_dRight))
        Refuse(pDX, LeftRightText);
}
