#pragma once

#include "framework/win/Dialog.h"
#include "framework/win/Gdi.h"

class CProjectData;
class CDlgPropSheet;
class CRoadway;
class CSieveAnalysis;
class CInflow;
class CPermeableBase;
class CSeparator;
class CEdgeDrain;

// Quarrow's main window: the summary panel of the design beside the sheet of the six
// design pages. It owns the project record, the sheet and the pages.
class CQuarrowDlg : public CDialog
{
public:
    // Page indices of the sheet.
    enum { PageRoadway, PageSieveAnalysis, PageInflow, PagePermeableBase, PageSeparator, PageEdgeDrain };

    explicit CQuarrowDlg(CWnd* pParent = nullptr);
    ~CQuarrowDlg() override;

    // Unit labels and pictures of the summary panel, then the values and material states.
    void RefreshSummary();
    // The record's values into the summary panel and the three material status texts.
    void UpdateMaterialStatus();

    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    // HTML summary of the design (Summary.cpp): Export Summary opens the written file,
    // Print Summary prints it.
    void ExportSummary();
    afx_msg void OnPrintSummary();
    // Pass (1) or fail (0) of the separator criteria that the current separator kind prints
    // (CSeparatorCriteria::Evaluate, which the separator page shows as well).
    void EvaluateSeparatorCriteria();

    CDlgPropSheet* m_pSheet = nullptr;
    CInflow* m_pInflowPage = nullptr;
    CRoadway* m_pRoadwayPage = nullptr;
    CSieveAnalysis* m_pSievePage = nullptr;
    CPermeableBase* m_pBasePage = nullptr;
    CSeparator* m_pSeparatorPage = nullptr;
    CEdgeDrain* m_pEdgeDrainPage = nullptr;
    int m_bMetricPanel = 0;
    int m_nFileCounter = 0;
    CString m_strFilePath;
    CString m_strFileName;
    CProjectData* m_pProjectData = nullptr;

    int m_bPrintSummary = 0;                 // 1 while Print Summary runs
    int m_bCriterionPassed[5] = {};          // separator criteria verdicts, 1 = pass

    CBitmap m_bmpInflowMetric;
    CBitmap m_bmpInflowEnglish;
    CBitmap m_bmpDischargeMetric;
    CBitmap m_bmpDischargeEnglish;
    CBitmap m_bmpPipeFlowMetric;
    CBitmap m_bmpPipeFlowEnglish;
    HICON m_hIcon = nullptr;

protected:
    // The record, the sheet and the pages exist only when the registry named the
    // installation; without them every command that needs them does nothing.
    BOOL HasDesign() const { return m_pProjectData != nullptr && m_pSheet != nullptr; }
    // Reads "ExecutePath" into the application object; FALSE when the key is missing.
    BOOL ReadInstallDir();

    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg void OnPaint();
    afx_msg HCURSOR OnQueryDragIcon();
    afx_msg void OnSummaryClick(UINT nID);

    // Menu commands, closing and help (QuarrowDlgCommands.cpp).
    void OnOK() override;
    // Esc: the same unsaved-data prompt as closing the window.
    void OnCancel() override;
    afx_msg void OnClose();
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    afx_msg void OnPlotScalePow45();
    afx_msg void OnPlotScaleLog();
    afx_msg void OnSensitivityLength();
    afx_msg void OnSensitivitySlope();
    afx_msg void OnSensitivityPermeability();
    afx_msg void OnSensitivityInflow();
    afx_msg void OnSensitivityDrain();
    afx_msg void OnSensitivityThickness();
    afx_msg void OnSensitivityPorosity();
    afx_msg void OnFileExit();
    afx_msg void OnFileOpen();
    afx_msg void OnFileSave();
    afx_msg void OnFileSaveAs();
    afx_msg void OnFileNew();
    afx_msg void OnUnitsMetric();
    afx_msg void OnUnitsEnglish();
    afx_msg void OnModeNormal();
    afx_msg void OnModeExpert();
    afx_msg void OnHelpContents();
    afx_msg void OnAppAbout();

    // "Unsaved data will be lost. Save now?" while the design has unsaved changes. FALSE when
    // the command must stop: Cancel, or Yes with a save that did not happen.
    BOOL PromptSaveChanges();
    // The save-file dialog of Save As, proposing pszFileName; writes the chosen file.
    // TRUE only when the file was written.
    BOOL SaveWithDialog(LPCTSTR pszFileName);
    // Writes the record to strPath; says so when the platform refuses the file.
    BOOL WriteProjectFile(const CString& strPath);
    // Converts the record to the other units and shows the result everywhere.
    void SwitchUnits(BOOL bMetric);
    // The page in front reads the record again, without storing what it showed first: after
    // New, Open and a change of units its old values are no longer the design's.
    void ReloadActivePage();
    void ToggleSensitivity(int nFlag, UINT nMenuID);
    void CheckMenuPair(UINT nCheckedID, UINT nUncheckedID);
    // Normal checked for the record's mode word "normal", Expert for any other word.
    void CheckModeMenu();
    // Metric or English checked, the other not.
    void CheckUnitsMenu(BOOL bMetric);
    void SetFileTitle();

    DECLARE_MESSAGE_MAP()
};
