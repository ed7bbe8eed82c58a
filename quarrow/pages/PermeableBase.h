#pragma once

#include "framework/win/Controls.h"
#include "framework/win/Gdi.h"
#include "framework/win/PropertySheet.h"
#include "quarrow/pages/PageServices.h"
#include "quarrow/pages/PageTableGrid.h"

class CProjectData;

// Page 3: the permeable base, by time to drain (Barber and Sawyer or Casagrande and Shannon, judged
// in the quality-of-drainage table by the AASHTO or the rehabilitation manual's criterion) or by
// depth of flow (minimum thickness for the design inflow, discharge capacity of the base). Every
// value lives in the record; the page computes through CPermeableBaseCalc and only shows and edits.
class CPermeableBase : public CPropertyPage
{
    DECLARE_DYNCREATE(CPermeableBase)
public:
    CPermeableBase();
    ~CPermeableBase() override;

    // Warnings about values typed by hand, and about a typed thickness.
    static const char PorosityWarning[];
    static const char InflowWarning[];
    static const char TotalInflowWarning[];
    static const char SlopeWarning[];
    static const char LengthWarning[];
    static const char MeltwaterWarning[];
    static const char ThicknessWarning[];

    // The texts of the quality table's second column, rows 1-5, by drainage criterion.
    static const char* const AashtoTimes[5];
    static const char* const SaturationTimes[5];

    // Every edit gets its record text; the percent fields' read-only states and buttons follow the
    // drainage criterion.
    void RefreshFields();
    // Each compute and plot button is enabled while the record holds what it needs (an edit that
    // has the focus counts as holding its value).
    void UpdateButtonStates();
    // Base thickness, percent drained, time to drain, discharge rate and infiltration rate into the
    // main dialog's summary panel.
    void RefreshSummary();
    // The controls of the record's analysis type shown and the other type's hidden.
    void ApplyAnalysisType();
    // The quality table's row of the record's time to drain marked, or none.
    void MarkVerdictRow();
    // The page, its buttons, the marked row and the whole summary panel from the record.
    void ShowRecord();

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;

    CProjectData* m_pProjectData = nullptr;   // the main dialog's record, not owned
    CPropertySheet* m_pSheetOfPage = nullptr; // the sheet that holds the page, to switch pages

    CPageTableGrid m_gridQuality;             // the quality-of-drainage table
    CBitmap m_bmpCalculator;                  // on the seven compute buttons
    CBitmap m_bmpPlot;                        // on the two plot buttons
    CBitmap m_bmpInflow;                      // q_i, the first input of depth of flow without meltwater
    CBitmap m_bmpTotalInflow;                 // q_i + q_m, with meltwater
    CBitmap m_bmpPorosity;                    // Ne, the first input of time to drain
    CBitmap m_bmpInflowMetric, m_bmpInflowEnglish;
    CBitmap m_bmpDischargeMetric, m_bmpDischargeEnglish;
    CStatic m_picDischargeUnit;               // the unit of Q
    CHandEditWarning m_warning;
    // The selection rectangle of the quality table's parameter object that marks the verdict row.
    POSITION m_posVerdict = nullptr;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // Every command: what it changed empties the results computed from it (CRecordChange).
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    // The quality table's header, names, sizes and protection; column 2 by the criterion.
    void InitQualityTable();
    void ShowQualityTimes(bool bAashto);
    void SelectDrainCriterion(const char* pszCriterion);
    void SelectTimeToDrainMethod(const char* pszMethod);
    void SelectAnalysis(const char* pszAnalysis);
    // Sends the engineer to another page; the page shown focuses nFocus.
    void GoToPage(int nPage, int nFocus, bool bBaseLayer, bool bRepaintSheet);
    void ShowCalcResult(const CPageCalcResult& result);

    afx_msg void OnPaint();
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    afx_msg void OnTimeToDrainAnalysis();
    afx_msg void OnDepthOfFlowAnalysis();
    afx_msg void OnBarber();
    afx_msg void OnCasagrande();
    afx_msg void OnAashto();
    afx_msg void OnRehabilitationManual();
    afx_msg void OnCalcTimeToDrain();
    afx_msg void OnCalcPercentDrained();
    afx_msg void OnCalcPercentSaturation();
    afx_msg void OnCalcMinThickness();
    afx_msg void OnCalcDischarge();
    afx_msg void PlotTimeToDrainSensitivity();
    afx_msg void PlotDepthOfFlowSensitivity();
    afx_msg void OnSieveAnalysisButton();
    afx_msg void OnInputLink();
    afx_msg void OnPermeabilityLink();
    afx_msg void OnPorosityLink();
    afx_msg void OnSlopeLink();
    afx_msg void OnLengthLink();
    afx_msg void OnQualityTableTab();
    afx_msg void OnEnterEdit(UINT nID);
    afx_msg void OnLeaveEdit(UINT nID);

    DECLARE_MESSAGE_MAP()
};
