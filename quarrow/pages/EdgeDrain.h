#pragma once

#include "framework/win/Controls.h"
#include "framework/win/Gdi.h"
#include "framework/win/PropertySheet.h"
#include "quarrow/pages/PageCalcResult.h"
#include "quarrow/pages/PageTableGrid.h"

class CProjectData;

// Page 5: the edge drain, a pipe (capacity by Manning's equation) or a geocomposite fin drain
// (capacity from a product's flow factor), and the spacing of its outlets by one of three discharge
// approaches. Every value lives in the record; the page computes through CEdgeDrainCalc.
class CEdgeDrain : public CPropertyPage
{
    DECLARE_DYNCREATE(CEdgeDrain)
public:
    CEdgeDrain();
    ~CEdgeDrain() override;

    // Warnings about values typed by hand, shown at once in normal mode.
    static const char WidthWarning[];
    static const char PorosityWarning[];
    static const char DrainedWarning[];
    static const char TimeToDrainWarning[];

    // The flow-factor table: product names and factors (English, metric) of rows 1-6.
    struct FlowFactor
    {
        const char* pszProduct;
        const char* pszMetric;
        const char* pszEnglish;
    };
    static const FlowFactor FlowFactors[6];

    // The record into the edits, and the design inflow q_i (with q_m when meltwater is included).
    void UpdateFields();
    void UpdateButtonStates();
    void UpdateControlVisibility();
    // Pipe diameter, outlet spacing and pipe flow into the main dialog's summary panel.
    void RefreshSummaryPanel();
    // The page, its buttons and the whole summary panel from the record.
    void ShowRecord();

    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;

    CProjectData* m_pProjectData = nullptr;   // the main dialog's record, not owned
    CPropertySheet* m_pSheetOfPage = nullptr; // the sheet that holds the page, to switch pages

    CPageTableGrid m_gridFactors;             // the flow-factor table
    CBitmap m_bmpCalculator;                  // on the three calculate buttons
    CBitmap m_bmpFlowMetric, m_bmpFlowEnglish;
    CBitmap m_bmpInflowMetric, m_bmpInflowEnglish;
    CBitmap m_bmpDischargeMetric, m_bmpDischargeEnglish;
    CBitmap m_bmpInflowLink, m_bmpTotalInflowLink;
    // The design inflow of the infiltration approach, as last shown.
    double m_dDesignInflow = 0.0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // Every command: what it changed empties the results computed from it (CRecordChange).
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    void InitFactorTable();
    void SelectApproach(const char* pszApproach);
    void PickRoughness(int nChecked, int nOther, const char* pszRoughness);
    void GoToPage(int nPage, int nFocus, const char* pszBaseMethod, bool bBaseLayer, bool bRepaintSheet);
    void ShowCalcResult(const CPageCalcResult& result);

    afx_msg void OnPaint();
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    afx_msg void OnGeocomposite();
    afx_msg void OnPipe();
    afx_msg void OnInfiltrationApproach();
    afx_msg void OnPermeableApproach();
    afx_msg void OnTimeToDrainApproach();
    afx_msg void OnSmoothPipe();
    afx_msg void OnCorrugatedPipe();
    afx_msg void OnCalcPipeCapacity();
    afx_msg void OnCalcGeocomposite();
    afx_msg void OnCalcPipeSpacing();
    afx_msg void OnFlowFactorPicked();
    afx_msg void OnInflowLink();
    afx_msg void OnWidthLink();
    afx_msg void OnThicknessLink();
    afx_msg void OnDischargeLink();
    afx_msg void OnPorosityLink();
    afx_msg void OnPermeabilityLink();
    afx_msg void OnPercentDrainedLink();
    afx_msg void OnTimeToDrainLink();
    afx_msg void OnPipeFlowKillFocus();
    afx_msg void OnEnterEdit(UINT nID);
    afx_msg void OnLeaveEdit(UINT nID);

    // Controls bound by data exchange (pictures, frame, roughness boxes and the buttons).
    CStatic m_picDischargeUnit, m_picInflowLink, m_picInflowUnit, m_picFlowUnit;
    CStatic m_picFormulaTimeToDrain, m_picFormulaPermeable, m_picFormulaInfiltration;
    CButton m_frameRoughness, m_chkSmooth, m_chkCorrugated, m_btnCalcPipe, m_btnCalcGeocomposite, m_btnCalcSpacing;
    CStatic m_picFormulaPipe, m_picFormulaFin;

    DECLARE_MESSAGE_MAP()
};
