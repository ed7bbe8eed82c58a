// The main dialog's menu commands: project files with the unsaved-data prompt, units, mode,
// plot scale, sensitivity curves, closing, and help.
#include "quarrow/app/QuarrowDlg.h"

#include "framework/dialogs/FileDialog.h"
#include "framework/win/Menu.h"
#include "framework/win/Seams.h"
#include "quarrow/app/AboutBoxDlg.h"
#include "quarrow/app/DlgPropSheet.h"
#include "quarrow/app/ProjectData.h"
#include "quarrow/app/QuarrowApp.h"
#include "quarrow/pages/SieveAnalysis.h"
#include "resources/quarrow/resource.h"

namespace {

const char* const SavePromptText = "Unsaved data will be lost. Save now?";
const char* const UnsavedTitle = "Quarrow - Unsaved File";
const char* const TitlePrefix = "Quarrow - ";

const char* const OpenTitle = "Open previously Saved/Generated QUARROW data file.";
const char* const SaveTitle = "Save generated QUARROW data file.";
const char* const OpenFilter = "Quarrow data (*.qrw)|*.qrw|All Files (*.*)|*.*||";
const char* const SaveFilter = "QUARROW data (*.qrw)|*.qrw|All Files (*.*)|*.*||";
// The extension alone: a pattern such as "*.qrw" would end up in the saved name.
const char* const ProjectExtension = "qrw";

const char* const WriteFailedText = "The design could not be saved to this file:\n";
const char* const ReadFailedText = "This file could not be opened as a QUARROW design:\n";
const char* const ForeignFileText = "The file is not a QUARROW data file:\n";

const char* const HelpContentsTopic = "introduction.html";

// Controls of the summary panel and the text of the help file's text topic that explains them;
// the pair of zeros ends the table, as HTML Help expects.
const DWORD ContextHelpIds[] = {
    1004, 1106, 1005, 1106,
    1006, 1111, 1007, 1111,
    1009, 1114, 1010, 1114, 1038, 1114,
    1147, 1200,
    1148, 1201,
    1149, 1202,
    1102, 1300, 1012, 1300, 1104, 1300,
    1103, 1301, 1013, 1301, 1105, 1301,
    1064, 1400, 1206, 1400, 1008, 1400,
    1142, 1401, 1207, 1401, 1375, 1401,
    1143, 1402, 1208, 1402, 1376, 1402,
    1144, 1403, 1209, 1403, 1146, 1403,
    1139, 1601, 1240, 1601, 1015, 1601,
    1140, 1602, 1241, 1602, 1014, 1602,
    1141, 1603, 1242, 1603, 1145, 1603,
    0, 0,
};

void ReportFileError(LPCTSTR pszText, const CString& strPath)
{
    AfxMessageBox(CString(pszText) + strPath, MB_OK | MB_ICONEXCLAMATION);
}

} // namespace

// ---- Closing ----

BOOL CQuarrowDlg::PromptSaveChanges()
{
    if (m_pProjectData == nullptr || !m_pProjectData->m_bModified)
        return TRUE;
    switch (AfxMessageBox(SavePromptText, MB_YESNOCANCEL)) {
    case IDCANCEL:
        return FALSE;
    case IDYES:
        // Save As; a save that was cancelled or refused must not let the design be thrown away.
        if (HasDesign())
            m_pSievePage->StoreSieveTable();
        return SaveWithDialog(nullptr);
    default:
        return TRUE;
    }
}

void CQuarrowDlg::OnFileExit()
{
    if (!PromptSaveChanges())
        return;
    DestroyWindow();
}

void CQuarrowDlg::OnOK()
{
    if (!PromptSaveChanges())
        return;
    CDialog::OnOK();
}

void CQuarrowDlg::OnCancel()
{
    if (!PromptSaveChanges())
        return;
    CDialog::OnCancel();
}

void CQuarrowDlg::OnClose()
{
    // The default processing of WM_CLOSE sends IDCANCEL, which would ask a second time.
    if (!PromptSaveChanges())
        return;
    CDialog::OnCancel();
}

// ---- Project files ----

void CQuarrowDlg::SetFileTitle()
{
    SetWindowText(TitlePrefix + m_strFileName);
}

BOOL CQuarrowDlg::WriteProjectFile(const CString& strPath)
{
    if (m_pProjectData->WriteFile(strPath))
        return TRUE;
    ReportFileError(WriteFailedText, strPath);
    return FALSE;
}

BOOL CQuarrowDlg::SaveWithDialog(LPCTSTR pszFileName)
{
    if (m_pProjectData == nullptr)
        return FALSE;
    CFileDialog dlg(FALSE, ProjectExtension, pszFileName, OFN_HIDEREADONLY, SaveFilter, this);
    dlg.m_ofn.lpstrTitle = SaveTitle;
    if (dlg.DoModal() != IDOK)
        return FALSE;
    const CString strPath = dlg.GetPathName();
    if (!WriteProjectFile(strPath))
        return FALSE;
    // Remembered, so that a later Save writes the file the title names.
    m_strFilePath = strPath;
    m_strFileName = dlg.GetFileName();
    SetFileTitle();
    m_pProjectData->m_bModified = 0;
    return TRUE;
}

void CQuarrowDlg::OnFileSaveAs()
{
    if (!HasDesign())
        return;
    m_pSievePage->StoreSieveTable();
    SaveWithDialog(nullptr);
}

void CQuarrowDlg::OnFileSave()
{
    if (!HasDesign())
        return;
    CString strDefaultName;
    strDefaultName.Format("pavement%d.%s", m_nFileCounter, ProjectExtension);
    m_pSievePage->StoreSieveTable();
    if (m_strFilePath.IsEmpty()) {
        SaveWithDialog(strDefaultName);
        return;
    }
    if (WriteProjectFile(m_strFilePath))
        m_pProjectData->m_bModified = 0;
}

void CQuarrowDlg::ReloadActivePage()
{
    if (CPropertyPage* pPage = m_pSheet->GetActivePage())
        pPage->OnSetActive();
}

void CQuarrowDlg::OnFileNew()
{
    if (!HasDesign())
        return;
    m_pSheet->SetActivePage(PageSeparator);
    if (!PromptSaveChanges())
        return;
    m_pProjectData->m_bModified = 1;
    const CString strUnits = m_bMetricPanel ? "metric" : "english";
    m_strFilePath.Empty();
    // A new design has no file: the summary must not name the last one.
    m_strFileName.Empty();
    m_pProjectData->SetDefaults(strUnits);
    // The new design is in normal mode; the menu must not go on showing expert mode.
    CheckModeMenu();
    SetWindowText(UnsavedTitle);
    UpdateMaterialStatus();
    ReloadActivePage();
    m_pSheet->SetActivePage(PageRoadway);
    m_pSievePage->m_bReloadSieveTable = 1;
}

void CQuarrowDlg::OnFileOpen()
{
    if (!HasDesign())
        return;
    if (!PromptSaveChanges())
        return;
    CFileDialog dlg(TRUE, nullptr, nullptr, OFN_HIDEREADONLY, OpenFilter, this);
    dlg.m_ofn.lpstrTitle = OpenTitle;
    // A cancelled dialog changes nothing, the unsaved-changes flag included.
    if (dlg.DoModal() != IDOK)
        return;
    const CString strPath = dlg.GetPathName();
    // A file that is no project file (a picture, a text) is refused before anything changes, so the
    // design, the title and the file a later Save writes stay the ones before.
    if (!m_pProjectData->ReadFile(strPath)) {
        const BOOL bForeign = CProjectData::ExamineFile(strPath) == CProjectData::FileForeign;
        ReportFileError(bForeign ? ForeignFileText : ReadFailedText, strPath);
        return;
    }
    m_strFilePath = strPath;
    m_strFileName = dlg.GetFileName();
    SetFileTitle();
    m_pProjectData->m_bModified = 0;
    // Verdicts shown for the design before are not those of the opened one: the separator page
    // clears them when it is next shown. Nor is the geotextile thickness worked out for it, which
    // the file does not hold; the summary would print it for the opened design.
    m_pProjectData->m_bSeparatorChecked = 0;
    m_pProjectData->m_strGeotextileLength.Empty();

    CheckModeMenu();
    const BOOL bMetric = m_pProjectData->IsMetric();
    CheckUnitsMenu(bMetric);
    m_bMetricPanel = bMetric ? 1 : 0;

    ReloadActivePage();
    RefreshSummary();
    UpdateMaterialStatus();
    m_pSievePage->m_bReloadSieveTable = 1;
}

// ---- Units and choices ----

void CQuarrowDlg::CheckMenuPair(UINT nCheckedID, UINT nUncheckedID)
{
    if (CMenu* pMenu = GetMenu()) {
        pMenu->CheckMenuItem(nCheckedID, MF_BYCOMMAND | MF_CHECKED);
        pMenu->CheckMenuItem(nUncheckedID, MF_BYCOMMAND | MF_UNCHECKED);
    }
}

void CQuarrowDlg::CheckModeMenu()
{
    if (m_pProjectData->m_strMode == "normal")
        CheckMenuPair(ID_MODE_NORMAL, ID_MODE_EXPERT);
    else
        CheckMenuPair(ID_MODE_EXPERT, ID_MODE_NORMAL);
}

void CQuarrowDlg::CheckUnitsMenu(BOOL bMetric)
{
    if (bMetric)
        CheckMenuPair(ID_UNITS_METRIC, ID_UNITS_ENGLISH);
    else
        CheckMenuPair(ID_UNITS_ENGLISH, ID_UNITS_METRIC);
}

void CQuarrowDlg::SwitchUnits(BOOL bMetric)
{
    if (!HasDesign())
        return;
    const char* pszUnits = bMetric ? "metric" : "english";
    if (m_pProjectData->m_strUnits == pszUnits)
        return;
    m_pProjectData->m_strUnits = pszUnits;
    CheckUnitsMenu(bMetric);

    // Leaving the page in front and entering it again stores what it shows, in the old units.
    const int nActive = m_pSheet->GetActiveIndex();
    m_pSheet->SetActivePage(nActive != PageRoadway ? PageRoadway : PageSeparator);
    m_pSheet->SetActivePage(nActive);

    if (bMetric)
        m_pProjectData->ConvertToMetric();
    else
        m_pProjectData->ConvertToEnglish();
    // The page in front still shows the old units; it must never store them back.
    ReloadActivePage();

    m_bMetricPanel = bMetric ? 1 : 0;
    m_pSievePage->m_bReloadSieveTable = 1;
    RefreshSummary();
}

void CQuarrowDlg::OnUnitsMetric()
{
    SwitchUnits(TRUE);
}

void CQuarrowDlg::OnUnitsEnglish()
{
    SwitchUnits(FALSE);
}

void CQuarrowDlg::OnModeNormal()
{
    if (m_pProjectData == nullptr)
        return;
    CheckMenuPair(ID_MODE_NORMAL, ID_MODE_EXPERT);
    m_pProjectData->m_strMode = "normal";
}

void CQuarrowDlg::OnModeExpert()
{
    if (m_pProjectData == nullptr)
        return;
    CheckMenuPair(ID_MODE_EXPERT, ID_MODE_NORMAL);
    m_pProjectData->m_strMode = "expert";
}

void CQuarrowDlg::OnPlotScalePow45()
{
    if (m_pProjectData == nullptr)
        return;
    CheckMenuPair(ID_PLOT_SCALE_POW45, ID_PLOT_SCALE_LOG);
    m_pProjectData->m_strPlotScale = "pow45";
}

void CQuarrowDlg::OnPlotScaleLog()
{
    if (m_pProjectData == nullptr)
        return;
    CheckMenuPair(ID_PLOT_SCALE_LOG, ID_PLOT_SCALE_POW45);
    m_pProjectData->m_strPlotScale = "log";
}

void CQuarrowDlg::ToggleSensitivity(int nFlag, UINT nMenuID)
{
    if (m_pProjectData == nullptr)
        return;
    BOOL& bFlag = m_pProjectData->m_bSensitivity[nFlag];
    bFlag = bFlag ? 0 : 1;
    if (CMenu* pMenu = GetMenu())
        pMenu->CheckMenuItem(nMenuID, MF_BYCOMMAND | (bFlag ? MF_CHECKED : MF_UNCHECKED));
}

void CQuarrowDlg::OnSensitivityLength()
{
    ToggleSensitivity(CProjectData::SensitivityLength, ID_SENSITIVITY_LENGTH);
}

void CQuarrowDlg::OnSensitivitySlope()
{
    ToggleSensitivity(CProjectData::SensitivitySlope, ID_SENSITIVITY_SLOPE);
}

void CQuarrowDlg::OnSensitivityPermeability()
{
    ToggleSensitivity(CProjectData::SensitivityPermeability, ID_SENSITIVITY_PERMEABILITY);
}

void CQuarrowDlg::OnSensitivityInflow()
{
    ToggleSensitivity(CProjectData::SensitivityInflow, ID_SENSITIVITY_INFLOW);
}

void CQuarrowDlg::OnSensitivityDrain()
{
    ToggleSensitivity(CProjectData::SensitivityDrain, ID_SENSITIVITY_DRAIN);
}

void CQuarrowDlg::OnSensitivityThickness()
{
    ToggleSensitivity(CProjectData::SensitivityThickness, ID_SENSITIVITY_THICKNESS);
}

void CQuarrowDlg::OnSensitivityPorosity()
{
    ToggleSensitivity(CProjectData::SensitivityPorosity, ID_SENSITIVITY_POROSITY);
}

// ---- Help ----

void CQuarrowDlg::OnHelpContents()
{
    QuarrowShowHelpTopic(nullptr, HelpContentsTopic);
}

BOOL CQuarrowDlg::OnHelpInfo(HELPINFO* pHelpInfo)
{
    HWND hOwner = pHelpInfo != nullptr ? static_cast<HWND>(pHelpInfo->hItemHandle) : nullptr;
    QuarrowShowHelpTopic(hOwner, HelpContentsTopic);
    return TRUE;
}

void CQuarrowDlg::OnContextMenu(CWnd* pWnd, CPoint point)
{
    QuarrowShowContextHelp(this, pWnd, point, ContextHelpIds);
}

void CQuarrowDlg::OnAppAbout()
{
    CAboutBoxDlg dlgAbout;
    dlgAbout.DoModal();
}
