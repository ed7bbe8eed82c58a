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

    DECLARE_MESSAGE_MAP()
};
