#pragma once

#include "framework/win/Controls.h"
#include "framework/win/Gdi.h"
#include "framework/win/PropertySheet.h"
#include "quarrow/pages/PageServices.h"

class CProjectData;

// Page 2: the rate of pavement infiltration q_i, by the infiltration ratio method (q_i = C R F) or
// the crack infiltration method (q_i = Ic (Nc/W + Wc/(W Cs)) + kp), and, with meltwater included,
// the meltwater inflow q_m from frost heave (heave dialog, pavement load, meltwater chart) and the
// total inflow q_i + q_m. Every value lives in the record; the page only shows and edits it.
class CInflow : public CPropertyPage
{
    DECLARE_DYNCREATE(CInflow)
public:
    CInflow();
    ~CInflow() override;

    // Hand-edit warnings.
    static const char JointLengthWarning[];
    static const char WidthWarning[];
    static const char InflowWarning[];

    // Marks the design changed, writes the record's values into the edits and q_i and q_m into the
    // summary panel.
    void RefreshFields();
    // The page and the whole summary panel from the record.
    void ShowRecord();
    // The controls of the chosen method shown, the other method's hidden.
    void ShowMethodControls();
    void UpdateInflowButton();
    void UpdateLoadButton();
    void UpdateMeltwaterButton();

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;

    CProjectData* m_pProjectData = nullptr;   // the main dialog's record, not owned
    CPropertySheet* m_pSheetOfPage = nullptr; // the sheet that holds the page, to switch pages

    CBitmap m_bmpCalculator;                  // on the six compute and dialog buttons
    CBitmap m_bmpMean;                        // on the typical-ratio button
    CButton m_btnHeave;
    CButton m_btnSubgrade;
    CButton m_btnLoad;
    CButton m_btnMeltwater;
    CButton m_btnInflow;
    CButton m_btnMean;
    CButton m_btnRainfallMap;
    // Unit pictures, English and metric.
    CBitmap m_bmpInflowEnglish, m_bmpInflowMetric;
    CBitmap m_bmpLoadEnglish, m_bmpLoadMetric;
    CBitmap m_bmpDensityEnglish, m_bmpDensityMetric;
    CBitmap m_bmpCrackEnglish, m_bmpCrackMetric;
    CHandEditWarning m_warning;
    CButton m_chkMeltwater;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // Every command: what it changed empties the results computed from it (CRecordChange), and
    // with meltwater the total inflow follows q_i and q_m.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    // The record's values into their edits.
    void ShowRecordInEdits();
    // Concrete radio buttons and the note on C.
    void ShowConcrete();
    // Rainfall radio buttons by the record's choice.
    void ShowRainfallChoice();
    // The meltwater group, its eight edits and four buttons by the record's choice.
    void EnableMeltwaterControls(bool bIncluded);
    // With meltwater, the total inflow is q_i + q_m, or nothing while either is missing. Run when
    // meltwater is included and after every change on the page; bOnlyWhenEmpty keeps a total
    // already there, which the change of q_i or q_m would have emptied. Without meltwater a change
    // of q_i or q_m leaves the total empty until meltwater is included again.
    void StoreTotalInflow(bool bOnlyWhenEmpty);

    afx_msg void OnPaint();
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    afx_msg void OnRatioMethod();
    afx_msg void OnCrackMethod();
    afx_msg void OnPortlandCement();
    afx_msg void OnAsphaltCement();
    afx_msg void OnOneYearRain();
    afx_msg void OnTwoYearRain();
    afx_msg void OnTypicalRatio();
    afx_msg void OnCalcInflow();
    afx_msg void OnRainfallMap();
    afx_msg void OnMeltwaterCheck();
    afx_msg void OnHeave();
    afx_msg void OnSubgradeLink();
    afx_msg void OnCalcLoad();
    afx_msg void OnMeltwater();
    afx_msg void OnJointLengthLink();
    afx_msg void OnWidthLink();
    afx_msg void OnThicknessLink();
    afx_msg void OnEnterEdit(UINT nID);
    afx_msg void OnLeaveEdit(UINT nID);
    afx_msg void OnLeaveInflow();

    DECLARE_MESSAGE_MAP()
};
