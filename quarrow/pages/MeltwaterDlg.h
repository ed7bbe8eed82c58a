#pragma once

#include "framework/core/Geometry.h"
#include "framework/win/Controls.h"
#include "framework/win/Dialog.h"

class CProjectData;

// "Evaluation of Meltwater Inflow": the meltwater inflow q_m read off a design chart of the
// average rate of heave against q_m / sqrt(k), one curve per pavement load. A horizontal line marks
// the design's heave rate, a vertical line follows the mouse; a click turns the reading under it
// into q_m, a double click also accepts it. The chart is in English units throughout.
class CMeltwaterDlg : public CDialog
{
public:
    // Where the chart picture's client area starts in the dialog's client area with the template's
    // font at 96 dpi; every pixel position below is the chart's own, relative to that origin.
    static const CPoint NominalChartOrigin;

    explicit CMeltwaterDlg(CWnd* pParent = nullptr);
    ~CMeltwaterDlg() override;

    BOOL OnInitDialog() override;
    void OnOK() override;

    // q_m / sqrt(k) under a chart x (logarithmic, calibrated on two stretches).
    static double ChartValueAt(int nChartX);
    // The chart y of a heave rate in mm/day, clamped to the chart's 0.5 to 20 mm/day.
    static int HeaveLineTop(double dHeaveMillimetresPerDay);

    CProjectData* m_pProjectData = nullptr;  // set by the caller, not owned
    double m_dChartValue = 0.0;              // the last q_m / sqrt(k) read off the chart
    double m_dChartPermeability = 0.0;       // k in ft/day
    CStatic m_wndReadingLine;                // vertical, follows the mouse
    CStatic m_wndHeaveLine;                  // horizontal, at the heave rate
    CPoint m_ptChartOrigin = NominalChartOrigin;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // The reading at a mouse position: q_m into its edit.
    void TakeReading();

    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg BOOL OnHelpInfo(HELPINFO* pHelpInfo);

    DECLARE_MESSAGE_MAP()
};
