// The dialogs of Fennick's chart editing commands: the titles and axis labels with their font sizes,
// the lines with their legends and the axis scaling, and the print positions of the chart on paper.
#pragma once

#include "framework/core/CString.h"
#include "framework/win/Dialog.h"

class CDataExchange;

// "Titles and Labels" (dialog 131): three texts of at most 80 characters, three font sizes 8 to 48.
class CTitlesDlg : public CDialog
{
public:
    explicit CTitlesDlg(CWnd* pParent = nullptr);

    CString m_strTitle;
    CString m_strXAxis;
    CString m_strYAxis;
    int m_nTitleSize = 14;
    int m_nXAxisSize = 12;
    int m_nYAxisSize = 12;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    DECLARE_MESSAGE_MAP()
};

// "Lines/Legends and Scale" (dialog 132): lines 1 to 5 are the chart's series whose x values are the
// groups 0, 2, 4, 6 and 8. A line without a legend is greyed. Without the axis-edit flag only the Y
// tick step can be edited: the X fields are hidden and the Y limits greyed.
class CLinesLegendsDlg : public CDialog
{
public:
    enum { LineCount = 5 };
    // Colour combo entries ("Black", "Green", "Red", "Blue", "Yellow") and line-type combo entries
    // ("Solid", "None", "Dotted", "Dashed", "Dash-Dot"), in these orders.
    enum { ColorCount = 5, LineTypeCount = 5 };
    enum { LineTypeNone = 1 };

    explicit CLinesLegendsDlg(CWnd* pParent = nullptr);

    BOOL OnInitDialog() override;
    // Keeps the combos' selections (-1 for none), then exchanges the data and ends the dialog.
    void OnOK() override;

    CString m_strLegend[LineCount];
    int m_nLegendFontSize = 10;
    int m_nThickness[LineCount] = {1, 1, 1, 1, 1};
    double m_dYMin = 0.0;
    double m_dYMax = 0.0;
    double m_dYTick = 0.0;
    double m_dXMin = 0.0;
    double m_dXMax = 0.0;
    double m_dXTick = 0.0;
    int m_nColor[LineCount] = {};
    int m_nLineType[LineCount] = {};
    int m_bAxisEdit = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    DECLARE_MESSAGE_MAP()

private:
    // The limits as the dialog showed them: an axis whose range was empty may be left so.
    double m_dShownYMin = 0.0;
    double m_dShownYMax = 0.0;
    double m_dShownXMin = 0.0;
    double m_dShownXMax = 0.0;
};

// "Print Page Setup" (dialog 133): the chart's top, bottom, left and right edge on the printed page,
// in percent of the printable height or width from its top-left corner.
class CPrintPageSetupDlg : public CDialog
{
public:
    explicit CPrintPageSetupDlg(CWnd* pParent = nullptr);

    double m_dTop = 0.0;
    double m_dBottom = 0.0;
    double m_dLeft = 0.0;
    double m_dRight = 0.0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    DECLARE_MESSAGE_MAP()
};

// The control ids of the three dialogs' rows (line 1 first).
extern const int LegendEditIds[CLinesLegendsDlg::LineCount];
extern const int ColorComboIds[CLinesLegendsDlg::LineCount];
extern const int LineTypeComboIds[CLinesLegendsDlg::LineCount];
extern const int ThicknessEditIds[CLinesLegendsDlg::LineCount];
