#include "quarrow/pages/WaterLossDlg.h"

#include <algorithm>

#include "grid/core/GridParam.h"
#include "grid/core/Range.h"
#include "grid/core/Style.h"
#include "quarrow/app/ProjectData.h"
#include "quarrow/app/QuarrowApp.h"
#include "quarrow/pages/MaterialLayer.h"
#include "quarrow/pages/PageNumberText.h"
#include "quarrow/pages/PickGridCommand.h"
#include "resources/quarrow/resource.h"

const CWaterLossDlg::FinesTable CWaterLossDlg::FinesTables[3] = {
    {"filler", IDC_WL_FILLER, {"80", "70", "60", "40", "-320"}, {"65", "57", "50", "25", "-425"}},
    {"silt", IDC_WL_SILT, {"80", "60", "40", "30", "-150"}, {"65", "50", "35", "18", "-288"}},
    {"clay", IDC_WL_CLAY, {"80", "40", "20", "10", "-170"}, {"65", "35", "15", "8", "-118"}},
};

const double CWaterLossDlg::FinesBreakpoints[5] = {0.0, 2.5, 5.0, 10.0, 100.0};

namespace {

const ROWCOL InterpolatedColumn = 5;

// The loss at p200 percent fines along one row of the table.
double Interpolate(const char* const values[5], double dFines)
{
    const double* b = CWaterLossDlg::FinesBreakpoints;
    int k = 1;
    while (k < 4 && dFines > b[k])
        ++k;
    const double t = (dFines - b[k - 1]) / (b[k] - b[k - 1]);
    const double dBelow = atof(values[k - 1]);
    const double dAbove = atof(values[k]);
    return dBelow - (dBelow - dAbove) * t;
}

CString TwoDecimals(double value)
{
    CString strText;
    strText.Format("%.2f", value);
    return strText;
}

} // namespace

// ---- CWaterLossGrid ----

BOOL CWaterLossGrid::OnCellLeftClicked(ROWCOL nRow, ROWCOL nCol, UINT, CPoint)
{
    // The table only picks a cell, headers included: no selection of the grid's own.
    m_nSelectedRow = nRow;
    m_nSelectedCol = nCol;
    return TRUE;
}

BOOL CWaterLossGrid::OnCellLeftDblClicked(ROWCOL, ROWCOL, UINT, CPoint)
{
    // The first click of the double click has already picked the cell.
    PickGridSendDoubleClick(*this);
    return TRUE;
}

// ---- CWaterLossDlg ----

BEGIN_MESSAGE_MAP(CWaterLossDlg, CDialog)
    ON_WM_HELPINFO()
    ON_BN_CLICKED(IDC_WL_FILLER, OnFiller)
    ON_BN_CLICKED(IDC_WL_SILT, OnSilt)
    ON_BN_CLICKED(IDC_WL_CLAY, OnClay)
    ON_CONTROL(PickGridDoubleClickCode, IDC_WL_GRID, OnGridDoubleClick)
END_MESSAGE_MAP()

CWaterLossDlg::CWaterLossDlg(CWnd* pParent) : CDialog(IDD_WATER_LOSS, pParent)
{
}

CWaterLossDlg::~CWaterLossDlg()
{
    if (m_grid.GetSafeHwnd() != nullptr)
        m_grid.DestroyWindow();
}

BOOL CWaterLossDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_grid.SubclassDlgItem(IDC_WL_GRID, this);
    m_grid.Initialize();

    CGXGridParam* pParam = m_grid.GetParam();
    pParam->EnableUndo(FALSE);
    m_grid.SetRowCount(2);
    m_grid.SetColCount(5);
    pParam->SetRowResizeFlags(0);
    pParam->SetColResizeFlags(0);
    const char* const headers[] = {"Amount of Fines", "0", "2.5", "5", "10"};
    for (ROWCOL nCol = 0; nCol <= 4; ++nCol)
        m_grid.SetValueRange(CGXRange(0, nCol), headers[nCol]);
    m_grid.SetValueRange(CGXRange(1, 0), "Gravel");
    m_grid.SetValueRange(CGXRange(2, 0), "Sand");

    // The table fills the window: the header row takes the two lines of the p200 column's header and
    // what the two rows leave, the amount of fines a quarter of the width, the five columns the rest.
    const CRect rcGrid = m_grid.GetGridRect();
    const int nRowHeight = m_grid.GetRowHeight(1);
    m_grid.SetRowHeight(0, 0, std::max(2 * nRowHeight, static_cast<int>(rcGrid.Height()) - 2 * nRowHeight - 1));
    const int nHeaderWidth = rcGrid.Width() / 4;
    m_grid.SetColWidth(0, 0, nHeaderWidth);
    m_grid.SetColWidth(1, 5, (rcGrid.Width() - nHeaderWidth - 1) / 5);
    CGXStyle staticText;
    staticText.SetControl(GX_IDS_CTRL_STATIC);
    m_grid.SetStyleRange(CGXRange(1, 1, 2, 5), staticText, gxOverride);
    pParam->EnableUndo(TRUE);

    m_hFiller = ::GetDlgItem(m_hWnd, IDC_WL_FILLER);
    m_hSilt = ::GetDlgItem(m_hWnd, IDC_WL_SILT);
    m_hClay = ::GetDlgItem(m_hWnd, IDC_WL_CLAY);
    m_grid.SetReadOnly(TRUE);
    FillTable();
    return TRUE;
}

void CWaterLossDlg::FillTable()
{
    if (m_pProjectData == nullptr || m_grid.GetSafeHwnd() == nullptr)
        return;
    const CProjectData& data = *m_pProjectData;
    const CMaterialLayer* pLayer = CMaterialLayer::Find(data.m_strSieveLayer);
    const CString strFines = pLayer != nullptr ? data.*pLayer->p200 : CString();

    m_grid.SetReadOnly(FALSE);
    m_grid.SetValueRange(CGXRange(0, InterpolatedColumn), "P200%\n" + strFines);
    // Above 100 % fines the table's last segment ends: the loss there is the one at 100 %.
    const double dFines = std::min(TypedNumber(strFines), 100.0);
    for (const FinesTable& table : FinesTables)
    {
        if (data.m_strFillType != table.pszWord)
            continue;
        for (ROWCOL nCol = 1; nCol <= 4; ++nCol)
        {
            m_grid.SetValueRange(CGXRange(1, nCol), table.gravel[nCol - 1]);
            m_grid.SetValueRange(CGXRange(2, nCol), table.sand[nCol - 1]);
        }
        m_grid.SetValueRange(CGXRange(1, InterpolatedColumn), TwoDecimals(Interpolate(table.gravel, dFines)));
        m_grid.SetValueRange(CGXRange(2, InterpolatedColumn), TwoDecimals(Interpolate(table.sand, dFines)));
        for (HWND hRadio : {m_hFiller, m_hSilt, m_hClay})
            ::SendMessageA(hRadio, BM_SETCHECK, ::GetDlgCtrlID(hRadio) == table.nRadio ? BST_CHECKED : BST_UNCHECKED,
                           0);
    }
    m_grid.SetReadOnly(TRUE);
}

void CWaterLossDlg::SelectFines(const char* pszWord)
{
    if (m_pProjectData == nullptr)
        return;
    m_pProjectData->m_strFillType = pszWord;
    FillTable();
}

void CWaterLossDlg::OnFiller()
{
    SelectFines("filler");
}

void CWaterLossDlg::OnSilt()
{
    SelectFines("silt");
}

void CWaterLossDlg::OnClay()
{
    SelectFines("clay");
}

void CWaterLossDlg::OnOK()
{
    if (m_pProjectData != nullptr)
    {
        // A header click picks the interpolated loss of a gravel.
        const ROWCOL nRow = m_grid.m_nSelectedRow != 0 ? m_grid.m_nSelectedRow : 1;
        const ROWCOL nCol = m_grid.m_nSelectedCol != 0 ? m_grid.m_nSelectedCol : InterpolatedColumn;
        if (const CMaterialLayer* pLayer = CMaterialLayer::Find(m_pProjectData->m_strSieveLayer))
            m_pProjectData->*pLayer->water = m_grid.GetValueRowCol(nRow, nCol);
    }
    CDialog::OnOK();
}

void CWaterLossDlg::OnGridDoubleClick()
{
    OnOK();
}

BOOL CWaterLossDlg::OnHelpInfo(HELPINFO* pHelpInfo)
{
    QuarrowShowHelpTopic(static_cast<HWND>(pHelpInfo->hItemHandle), "water_loss_method.htm");
    return TRUE;
}
