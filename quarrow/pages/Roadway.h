#pragma once

#include "framework/win/Controls.h"
#include "framework/win/Gdi.h"
#include "framework/win/PropertySheet.h"
#include "quarrow/pages/PageServices.h"

class CProjectData;

// Page 0: the geometry of the roadway and the drainage path through the base. It turns b and c
// into the base width W, the slopes S and Sx into the resultant slope Sr, and W, S and Sx into
// the resultant length Lr. Every value lives in the record; the page only shows and edits it.
class CRoadway : public CPropertyPage
{
    DECLARE_DYNCREATE(CRoadway)
public:
    CRoadway();
    ~CRoadway() override;

    // Hand-edit warnings.
    static const char WidthWarning[];
    static const char SlopeWarning[];
    static const char LengthWarning[];

    // Marks the design changed, writes the record's values into the edits and W, Sr, Lr and
    // the pavement infiltration rate into the summary panel.
    void RefreshValues();
    // The page and the whole summary panel from the record.
    void ShowRecord();

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;

    CProjectData* m_pProjectData = nullptr;   // the main dialog's record, not owned
    CPropertySheet* m_pSheetOfPage = nullptr; // the sheet that holds the page, to switch pages

    CBitmap m_bmpCalculator;                  // on the three compute buttons
    CButton m_btnCalcWidth;
    CButton m_btnCalcLength;
    CButton m_btnCalcSlope;
    CBitmap m_bmpFormulaA;                    // W = b/2 + c
    CBitmap m_bmpFormulaB;                    // W = b + 2c
    CHandEditWarning m_warning;
    CStatic m_picFormula;                     // the W formula of the chosen geometry

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // Every command: what it changed empties the results computed from it (CRecordChange).
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    // The seven values of the record into their edits.
    void ShowRecordInEdits();
    // The formula and the cut-away of the record's geometry.
    void ShowGeometryPictures();
    // The summary fields that the geometry buttons empty and the compute buttons fill.
    void UpdateSummaryGeometry();
    void EnableLengthButtonFromRecord();
    // The geometry radio buttons: "A" or "B".
    void SelectGeometry(const char* pszGeometry);

    afx_msg void OnPaint();
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    afx_msg void OnGeometryA();
    afx_msg void OnGeometryB();
    afx_msg void OnCalcWidth();
    afx_msg void OnCalcResultantSlope();
    afx_msg void OnCalcResultantLength();
    afx_msg void OnEnterCoefficientB();
    afx_msg void OnEnterCoefficientC();
    afx_msg void OnEnterLongitudinalSlope();
    afx_msg void OnEnterCrossSlope();
    afx_msg void OnLeaveCoefficientB();
    afx_msg void OnLeaveCoefficientC();
    afx_msg void OnLeaveBaseWidth();
    afx_msg void OnLeaveCrossSlope();
    afx_msg void OnLeaveLongitudinalSlope();
    afx_msg void OnLeaveResultantSlope();
    afx_msg void OnLeaveResultantLength();

    DECLARE_MESSAGE_MAP()
};
