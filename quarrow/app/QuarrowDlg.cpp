#include "quarrow/app/QuarrowDlg.h"

#include "framework/win/Dc.h"
#include "framework/win/Menu.h"
#include "framework/win/Seams.h"
#include "quarrow/app/AboutBoxDlg.h"
#include "quarrow/app/DlgPropSheet.h"
#include "quarrow/app/ProjectData.h"
#include "quarrow/app/QuarrowApp.h"
#include "quarrow/pages/EdgeDrain.h"
#include "quarrow/pages/Inflow.h"
#include "quarrow/pages/PageServices.h"
#include "quarrow/pages/PermeableBase.h"
#include "quarrow/pages/ResultDependencies.h"
#include "quarrow/pages/Roadway.h"
#include "quarrow/pages/Separator.h"
#include "quarrow/pages/SieveAnalysis.h"
#include "resources/quarrow/resource.h"

namespace {

const char* const RegistryKey = "Software\\Norrith\\QUARROW";
const UINT IDM_ABOUTBOX = 0x10;

// A click on a picture of the summary panel takes the engineer to the page where the
// value is entered, optionally choosing a method and naming the control to focus.
struct SummaryClick
{
    UINT nID;
    CString CProjectData::*pChoice;
    const char* pszChoice;
    int nPage;
    int nFocusControl;
    bool bRepaintSheet;
};

const SummaryClick SummaryClicks[] = {
    {IDC_PIC_BASE_WIDTH, nullptr, nullptr, CQuarrowDlg::PageRoadway, IDC_RW_W, true},
    {IDC_PIC_RESULTANT_SLOPE, nullptr, nullptr, CQuarrowDlg::PageRoadway, IDC_RW_SR, true},
    {IDC_PIC_RESULTANT_LENGTH, nullptr, nullptr, CQuarrowDlg::PageRoadway, IDC_RW_LR, true},
    {IDC_PIC_INFILTRATION, nullptr, nullptr, CQuarrowDlg::PageInflow, 0, false},
    {IDC_PIC_MELTWATER, nullptr, nullptr, CQuarrowDlg::PageInflow, 0, false},
    {IDC_PIC_BASE_THICKNESS, nullptr, nullptr, CQuarrowDlg::PagePermeableBase, IDC_PB_H, true},
    {IDC_PIC_PERCENT_DRAINED, &CProjectData::m_strBaseMethod, "TTD", CQuarrowDlg::PagePermeableBase, IDC_PB_U, true},
    {IDC_PIC_TIME_TO_DRAIN, &CProjectData::m_strBaseMethod, "TTD", CQuarrowDlg::PagePermeableBase, 0, false},
    {IDC_PIC_BASE_DISCHARGE, &CProjectData::m_strBaseMethod, "DOF", CQuarrowDlg::PagePermeableBase, 0, false},
    {IDC_BASE_STATUS, &CProjectData::m_strSieveLayer, "base", CQuarrowDlg::PageSieveAnalysis, 0, false},
    {IDC_SUBGRADE_STATUS, &CProjectData::m_strSieveLayer, "subgrade", CQuarrowDlg::PageSieveAnalysis, 0, false},
    {IDC_SEPARATOR_STATUS, nullptr, nullptr, CQuarrowDlg::PageSeparator, 0, false},
    {IDC_PIC_PIPE_DIAMETER, &CProjectData::m_strEdgeDrainType, "pipe", CQuarrowDlg::PageEdgeDrain, IDC_ED_D, true},
    {IDC_PIC_OUTLET_SPACING, nullptr, nullptr, CQuarrowDlg::PageEdgeDrain, 0, false},
    {IDC_PIC_PIPE_FLOW, nullptr, nullptr, CQuarrowDlg::PageEdgeDrain, 0, false},
    // No control of the dialog has this id; kept for commands that name it.
    {1115, nullptr, nullptr, CQuarrowDlg::PageRoadway, IDC_RW_LR, true},
};

// Unit labels of the summary panel: English and metric text. The pipe diameter is stored
// in millimetres in metric designs, so its label says so.
struct UnitLabel
{
    UINT nID;
    const char* pszEnglish;
    const char* pszMetric;
};

const UnitLabel UnitLabels[] = {
    {IDC_UNIT_BASE_WIDTH, "ft", "m"},
    {IDC_UNIT_RESULTANT_SLOPE, "ft/ft", "m/m"},
    {IDC_UNIT_RESULTANT_LENGTH, "ft", "m"},
    {IDC_UNIT_BASE_THICKNESS, "ft", "m"},
    {IDC_UNIT_PIPE_DIAMETER, "in", "mm"},
    {IDC_UNIT_OUTLET_SPACING, "ft", "m"},
};

} // namespace

BEGIN_MESSAGE_MAP(CQuarrowDlg, CDialog)
    ON_WM_SYSCOMMAND()
    ON_WM_PAINT()
    ON_WM_QUERYDRAGICON()
    ON_WM_CONTEXTMENU()
    ON_WM_CLOSE()
    ON_COMMAND_RANGE(IDC_PIC_BASE_WIDTH, IDC_SEPARATOR_STATUS, OnSummaryClick)
    ON_WM_HELPINFO()
    ON_COMMAND(ID_PLOT_SCALE_POW45, OnPlotScalePow45)
    ON_COMMAND(ID_PLOT_SCALE_LOG, OnPlotScaleLog)
    ON_COMMAND(ID_SENSITIVITY_DRAIN, OnSensitivityDrain)
    ON_COMMAND(ID_SENSITIVITY_INFLOW, OnSensitivityInflow)
    ON_COMMAND(ID_SENSITIVITY_LENGTH, OnSensitivityLength)
    ON_COMMAND(ID_SENSITIVITY_PERMEABILITY, OnSensitivityPermeability)
    ON_COMMAND(ID_SENSITIVITY_POROSITY, OnSensitivityPorosity)
    ON_COMMAND(ID_SENSITIVITY_SLOPE, OnSensitivitySlope)
    ON_COMMAND(ID_SENSITIVITY_THICKNESS, OnSensitivityThickness)
    ON_COMMAND(ID_FILE_EXIT, OnFileExit)
    ON_COMMAND(ID_FILE_OPEN_QRW, OnFileOpen)
    ON_COMMAND(ID_FILE_SAVE_QRW, OnFileSave)
    ON_COMMAND(ID_FILE_SAVE_AS_QRW, OnFileSaveAs)
    ON_COMMAND(ID_FILE_NEW_QRW, OnFileNew)
    ON_COMMAND(ID_UNITS_METRIC, OnUnitsMetric)
    ON_COMMAND(ID_UNITS_ENGLISH, OnUnitsEnglish)
    ON_COMMAND(ID_MODE_NORMAL, OnModeNormal)
    ON_COMMAND(ID_MODE_EXPERT, OnModeExpert)
    ON_COMMAND(ID_HELP_CONTENTS, OnHelpContents)
    ON_COMMAND(ID_APP_ABOUT_QUARROW, OnAppAbout)
    ON_COMMAND(ID_EXPORT_SUMMARY, ExportSummary)
    ON_COMMAND(ID_PRINT_SUMMARY, OnPrintSummary)
END_MESSAGE_MAP()

CQuarrowDlg::CQuarrowDlg(CWnd* pParent) : CDialog(IDD_QUARROW_DIALOG, pParent)
{
    m_hIcon = AfxGetApp()->LoadIcon(IDR_MAINFRAME);
}

CQuarrowDlg::~CQuarrowDlg()
{
    delete m_pInflowPage;
    delete m_pRoadwayPage;
    delete m_pSievePage;
    delete m_pBasePage;
    delete m_pSeparatorPage;
    delete m_pEdgeDrainPage;
    delete m_pSheet;
    delete m_pProjectData;
}

BOOL CQuarrowDlg::ReadInstallDir()
{
    HKEY hKey = nullptr;
    if (::RegOpenKeyA(HKEY_CURRENT_USER, RegistryKey, &hKey) != ERROR_SUCCESS)
        return FALSE;
    // The value may be stored without its terminating zero: keep room for one.
    char szPath[512] = {};
    DWORD dwType = 0;
    DWORD cbPath = sizeof szPath - 1;
    LONG lResult = ::RegQueryValueExA(hKey, "ExecutePath", nullptr, &dwType,
                                      reinterpret_cast<BYTE*>(szPath), &cbPath);
    ::RegCloseKey(hKey);
    if (lResult == ERROR_SUCCESS && (dwType == REG_SZ || dwType == REG_EXPAND_SZ)) {
        szPath[cbPath < sizeof szPath ? cbPath : sizeof szPath - 1] = '\0';
        if (CQuarrowApp* pApp = QuarrowApp())
            pApp->m_strInstallDir = szPath;
    }
    return TRUE;
}

BOOL CQuarrowDlg::OnInitDialog()
{
    auto loadBitmap = [](CBitmap& bitmap, UINT nID) {
        bitmap.Attach(::LoadBitmapA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nID)));
    };
    loadBitmap(m_bmpInflowEnglish, IDB_INFLOW_UNITS_ENGLISH);
    loadBitmap(m_bmpInflowMetric, IDB_INFLOW_UNITS_METRIC);
    loadBitmap(m_bmpDischargeMetric, IDB_DISCHARGE_UNITS_METRIC);
    loadBitmap(m_bmpDischargeEnglish, IDB_DISCHARGE_UNITS_ENGLISH);
    loadBitmap(m_bmpPipeFlowMetric, IDB_PIPEFLOW_UNITS_METRIC);
    loadBitmap(m_bmpPipeFlowEnglish, IDB_PIPEFLOW_UNITS_ENGLISH);

    const CString strUnits = "english";
    m_bMetricPanel = 0;

    if (!ReadInstallDir()) {
        AfxMessageBox("Registry Error. Reinstall the QUARROW application.", MB_OKCANCEL);
        return FALSE;
    }
    m_nFileCounter = 1;
    m_pProjectData = new CProjectData(strUnits);

    if (m_pProjectData->m_strMode == "expert")
        CheckMenuPair(ID_MODE_EXPERT, ID_MODE_NORMAL);
    else
        CheckMenuPair(ID_MODE_NORMAL, ID_MODE_EXPERT);

    m_pSheet = new CDlgPropSheet;
    m_pRoadwayPage = new CRoadway;
    m_pInflowPage = new CInflow;
    m_pSievePage = new CSieveAnalysis;
    m_pBasePage = new CPermeableBase;
    m_pSeparatorPage = new CSeparator;
    m_pEdgeDrainPage = new CEdgeDrain;

    m_pSheet->AddPage(m_pRoadwayPage);
    m_pSheet->AddPage(m_pSievePage);
    m_pSheet->AddPage(m_pInflowPage);
    m_pSheet->AddPage(m_pBasePage);
    m_pSheet->AddPage(m_pSeparatorPage);
    m_pSheet->AddPage(m_pEdgeDrainPage);

    m_pRoadwayPage->m_pProjectData = m_pProjectData;
    m_pSievePage->m_pProjectData = m_pProjectData;
    m_pInflowPage->m_pProjectData = m_pProjectData;
    m_pBasePage->m_pProjectData = m_pProjectData;
    m_pSeparatorPage->m_pProjectData = m_pProjectData;
    m_pEdgeDrainPage->m_pProjectData = m_pProjectData;
    m_pRoadwayPage->m_pSheetOfPage = m_pSheet;
    m_pInflowPage->m_pSheetOfPage = m_pSheet;
    m_pBasePage->m_pSheetOfPage = m_pSheet;
    m_pSeparatorPage->m_pSheetOfPage = m_pSheet;
    m_pEdgeDrainPage->m_pSheetOfPage = m_pSheet;

    if (!m_pSheet->Create(this, WS_CHILD | WS_VISIBLE, 0)) {
        delete m_pSheet;
        m_pSheet = nullptr;
        return FALSE;
    }

    // The frame control marks the sheet's place; measured in the dialog's client
    // coordinates so the sheet's size does not depend on where the window is.
    m_pSheet->GetTabControl();
    CRect rcFrame;
    if (CWnd* pFrame = GetDlgItem(IDC_SHEET_FRAME)) {
        pFrame->GetWindowRect(&rcFrame);
        ScreenToClient(&rcFrame);
    }
    const int nSheetLeft = 140;
    m_pSheet->MoveWindow(nSheetLeft, 0, rcFrame.right - nSheetLeft, rcFrame.bottom, TRUE);

    CheckUnitsMenu(m_pProjectData->IsMetric());

    RefreshSummary();
    CDialog::OnInitDialog();

    // Both pages are shown once; the roadway page ends in front.
    m_pProjectData->m_nFocusControl = 0;
    m_pSheet->SetActivePage(PageSieveAnalysis);
    m_pProjectData->m_nFocusControl = 0;
    m_pSheet->SetActivePage(PageRoadway);

    CString strAboutMenu;
    strAboutMenu.LoadString(IDS_ABOUTBOX);
    if (!strAboutMenu.IsEmpty()) {
        if (CMenu* pSysMenu = GetSystemMenu(FALSE)) {
            pSysMenu->AppendMenu(MF_SEPARATOR);
            pSysMenu->AppendMenu(MF_STRING, IDM_ABOUTBOX, strAboutMenu);
        }
    }

    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hIcon, FALSE);

    m_pProjectData->m_bModified = 1;
    return TRUE;
}

void CQuarrowDlg::RefreshSummary()
{
    if (!HasDesign())
        return;
    const int nActive = m_pSheet->GetActiveIndex();

    const bool bMetric = m_bMetricPanel == 1;
    for (const UnitLabel& label : UnitLabels)
        SetDlgItemText(label.nID, bMetric ? label.pszMetric : label.pszEnglish);
    auto setPicture = [this](UINT nID, CBitmap& bitmap) {
        SendDlgItemMessage(nID, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap.GetSafeHandle()));
    };
    setPicture(IDC_UNIT_INFILTRATION, bMetric ? m_bmpInflowMetric : m_bmpInflowEnglish);
    setPicture(IDC_UNIT_MELTWATER, bMetric ? m_bmpInflowMetric : m_bmpInflowEnglish);
    setPicture(IDC_UNIT_BASE_DISCHARGE, bMetric ? m_bmpDischargeMetric : m_bmpDischargeEnglish);
    setPicture(IDC_UNIT_PIPE_FLOW, bMetric ? m_bmpPipeFlowMetric : m_bmpPipeFlowEnglish);
    m_pSheet->Invalidate(TRUE);

    UpdateMaterialStatus();
    m_pSheet->SetActivePage(nActive);
}

void CQuarrowDlg::UpdateMaterialStatus()
{
    if (m_pProjectData == nullptr)
        return;
    for (const CSummaryText& text : PageSummaryTexts(*m_pProjectData))
        SetDlgItemText(text.nID, text.strText);
}

BOOL CQuarrowDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    CDialog::OnCommand(wParam, lParam);
    return TRUE;
}

void CQuarrowDlg::OnSummaryClick(UINT nID)
{
    if (!HasDesign())
        return;
    for (const SummaryClick& click : SummaryClicks) {
        if (click.nID != nID)
            continue;
        // The choice word is stored in the project file: a click that changes it is a change to save.
        if (click.pChoice != nullptr && m_pProjectData->*click.pChoice != click.pszChoice) {
            // A choice that results are computed from (the drain type) takes them along.
            CRecordChange change(m_pProjectData);
            m_pProjectData->*click.pChoice = click.pszChoice;
            m_pProjectData->m_bModified = 1;
            if (change.ClearStaleResults())
                UpdateMaterialStatus();
        }
        m_pSheet->SetActivePage(click.nPage);
        m_pProjectData->m_nFocusControl = click.nFocusControl;
        if (click.bRepaintSheet)
            m_pSheet->Invalidate(TRUE);
        return;
    }
}

void CQuarrowDlg::OnSysCommand(UINT nID, LPARAM lParam)
{
    if ((nID & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutBoxDlg dlgAbout;
        dlgAbout.DoModal();
        return;
    }
    CDialog::OnSysCommand(nID, lParam);
}

void CQuarrowDlg::OnPaint()
{
    if (!IsIconic()) {
        CDialog::OnPaint();
        return;
    }
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    CRect rect;
    GetClientRect(&rect);
    const int x = (rect.Width() - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (rect.Height() - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    dc.DrawIcon(x, y, m_hIcon);
}

HCURSOR CQuarrowDlg::OnQueryDragIcon()
{
    return static_cast<HCURSOR>(m_hIcon);
}
