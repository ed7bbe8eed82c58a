#include "quarrow/pages/HeaveDlg.h"

#include <algorithm>

#include "framework/core/NumberText.h"
#include "grid/core/Control.h"
#include "grid/core/Font.h"
#include "grid/core/GridParam.h"
#include "grid/core/Range.h"
#include "grid/core/Style.h"
#include "quarrow/app/ProjectData.h"
#include "quarrow/app/QuarrowApp.h"
#include "quarrow/pages/PickGridCommand.h"
#include "resources/quarrow/resource.h"

namespace {

const double InchesPerMillimetre = 0.03937007874015748;

bool IsEnglish(const CProjectData* pData)
{
    return pData != nullptr && pData->m_strUnits == "english";
}

bool IsMetric(const CProjectData* pData)
{
    return pData != nullptr && pData->IsMetric();
}

} // namespace

const CHeaveDlg::SoilClass CHeaveDlg::SoilClasses[SoilClassCount] = {
    {"Gravel and sandy gravel", "GP", 0.4, 0.4, 3.0, 3.0, "Medium"},
    {"Gravel and sandy gravel", "GW", 0.7, 1.0, 0.3, 1.0, "Negligible to low"},
    {"Gravel and sandy gravel", "GW", 1.0, 1.5, 1.0, 3.5, "Low to medium"},
    {"Gravel and sandy gravel", "GW", 1.5, 4.0, 2.0, 3.5, "Medium"},
    {"Silty and sandy gravel", "GP-GM", 2.0, 3.0, 1.0, 3.0, "Low to medium"},
    {"Silty and sandy gravel", "GW-GM", 3.0, 7.0, 3.0, 4.5, "Medium to high"},
    {"Silty and sandy gravel", "GM", 7.0, 10.0, 3.0, 4.5, "High to medium"},
    {"Clayey and sandy gravel", "GW-GC", 4.2, 4.2, 2.5, 2.5, "Medium"},
    {"Clayey and sandy gravel", "GM-GC", 15.0, 15.0, 5.0, 5.0, "High"},
    {"Clayey and sandy gravel", "GC", 15.0, 30.0, 2.5, 5.0, "Medium to high"},
    {"Sand and gravelly sand", "SP", 1.0, 2.0, 0.8, 0.8, "Very low"},
    {"Sand and gravelly sand", "SW", 2.0, 2.0, 3.0, 3.0, "Medium"},
    {"Silty and gravelly sand", "SP-SM", 1.5, 2.0, 0.2, 1.5, "Negligible to low"},
    {"Silty and gravelly sand", "SW-SM", 2.0, 5.0, 1.5, 6.0, "Low to high"},
    {"Silty and gravelly sand", "SM", 5.0, 9.0, 6.0, 9.0, "High to very high"},
    {"Silty and gravelly sand", "SM", 9.0, 22.0, 5.5, 9.0, "Very high to high"},
    {"Clayey and silty sand", "SM-SC", 9.5, 35.0, 5.0, 7.0, "High"},
    {"Clayey and silty sand", "SC", 9.5, 35.0, 5.0, 7.0, "High"},
    {"Silt and organic silt", "ML-OL", 23.0, 33.0, 1.1, 14.0, "Low to very high"},
    {"Silt and organic silt", "ML", 33.0, 45.0, 14.0, 25.0, "Very high"},
    {"Silt and organic silt", "ML", 45.0, 65.0, 25.0, 25.0, "Very high"},
    {"Clayey silt", "ML-CL", 60.0, 75.0, 13.0, 13.0, "Very high"},
    {"Gravelly and sandy clay", "CL", 38.0, 65.0, 7.0, 10.0, "High to very high"},
    {"Lean clay", "CL", 65.0, 65.0, 5.0, 5.0, "High"},
    {"Lean clay", "CL-OL", 30.0, 70.0, 4.0, 4.0, "High"},
    {"Fat clay", "CH", 60.0, 60.0, 0.8, 0.8, "Very low"},
};

// ---- CHeaveGrid ----

BOOL CHeaveGrid::OnCellLeftClicked(ROWCOL nRow, ROWCOL, UINT, CPoint)
{
    // The table only picks a row: no selection, no current-cell moves of the grid's own.
    m_nSelectedRow = nRow;
    return TRUE;
}

BOOL CHeaveGrid::OnCellLeftDblClicked(ROWCOL, ROWCOL, UINT, CPoint)
{
    // The first click of the double click has already picked the row.
    PickGridSendDoubleClick(*this);
    return TRUE;
}

// ---- CHeaveDlg ----

BEGIN_MESSAGE_MAP(CHeaveDlg, CDialog)
    ON_WM_HELPINFO()
    ON_CONTROL(PickGridDoubleClickCode, IDC_HEAVE_GRID, OnGridDoubleClick)
END_MESSAGE_MAP()

CHeaveDlg::CHeaveDlg(CWnd* pParent) : CDialog(IDD_HEAVE, pParent)
{
}

CHeaveDlg::~CHeaveDlg()
{
    if (m_grid.GetSafeHwnd() != nullptr)
        m_grid.DestroyWindow();
}

BOOL CHeaveDlg::OnInitDialog()
{
    m_grid.SubclassDlgItem(IDC_HEAVE_GRID, this);
    m_grid.Initialize();

    CGXGridParam* pParam = m_grid.GetParam();
    pParam->EnableUndo(FALSE);
    m_grid.SetRowCount(SoilClassCount);
    m_grid.SetColCount(6);
    pParam->EnableUndo(TRUE);
    pParam->SetRowResizeFlags(0);
    pParam->SetColResizeFlags(0);

    const bool bMetric = IsMetric(m_pProjectData);
    const char* const headers[] = {
        "Soil Type", "Symbol", "Pass #200 >", "Pass #200 <",
        bMetric ? "Min. Heave mm/day" : "Min. Heave in/day",
        bMetric ? "Max Heave mm/day" : "Max Heave in/day",
        "Frost Susceptibility",
    };
    for (ROWCOL nCol = 0; nCol <= 6; ++nCol)
        m_grid.SetValueRange(CGXRange(0, nCol), headers[nCol]);

    const int nUnit = m_grid.GetColSizeUnit();
    m_grid.SetRowHeight(0, 0, 6 * nUnit);

    if (IsEnglish(m_pProjectData))
    {
        CGXStyle twoPlaces;
        twoPlaces.SetFormat(2).SetPlaces(2);
        m_grid.SetStyleRange(CGXRange().SetCols(4, 5), twoPlaces, gxOverride);
    }

    const double dHeaveFactor = bMetric ? 1.0 : InchesPerMillimetre;
    for (ROWCOL nRow = 1; nRow <= SoilClassCount; ++nRow)
    {
        const SoilClass& soil = SoilClasses[nRow - 1];
        m_grid.SetValueRange(CGXRange(nRow, 0), soil.pszSoilType);
        m_grid.SetValueRange(CGXRange(nRow, 1), soil.pszSymbol);
        const double numbers[] = {soil.dPassing200Above, soil.dPassing200Below, soil.dMinHeave * dHeaveFactor,
                                  soil.dMaxHeave * dHeaveFactor};
        for (ROWCOL nCol = 2; nCol <= 5; ++nCol)
        {
            CGXStyle number;
            number.SetValue(numbers[nCol - 2]);
            m_grid.SetStyleRange(CGXRange(nRow, nCol), number, gxOverride);
        }
        m_grid.SetValueRange(CGXRange(nRow, 6), soil.pszFrostSusceptibility);
    }

    CGXStyle staticText;
    staticText.SetControl(GX_IDS_CTRL_STATIC);
    m_grid.SetStyleRange(CGXRange(1, 1, SoilClassCount, 6), staticText, gxOverride);
    FitColumns();
    m_grid.SetReadOnly(TRUE);

    CDialog::OnInitDialog();
    return TRUE;
}

// A column size unit is a character of the font, whose average width differs much from font to
// font: columns of fixed units were wider than the table under some fonts and cut the soil types.
// Each column takes what its texts need (a header that wraps, its longest word), the soil type
// what the others leave in a table that shows its vertical scroll bar, and the header row the
// height its wrapped texts need.
void CHeaveDlg::FitColumns()
{
    HDC hDC = ::GetDC(m_grid.GetSafeHwnd());
    const CGXStyle* pStandard = m_grid.GetStandardStyle();
    auto textSize = [&](ROWCOL nRow, ROWCOL nCol, const CString& strText, int nWidth) {
        const CGXStyle& style = m_grid.LookupStyleRowCol(nRow, nCol);
        CGXFont font;
        if (pStandard != nullptr && pStandard->GetIncludeFont())
            font = pStandard->GetFont();
        if (style.GetIncludeFont())
            font.ChangeFont(style.GetFont(), gxOverride);
        const LOGFONT lf = font.GetLogFontZoomed(m_grid.GetZoom());
        const HFONT hFont = ::CreateFontIndirectA(&lf);
        const HGDIOBJ hOld = ::SelectObject(hDC, hFont);
        RECT rect{0, 0, nWidth, 0};
        ::DrawTextA(hDC, strText, -1, &rect, DT_CALCRECT | DT_NOPREFIX | (nWidth > 0 ? DT_WORDBREAK : DT_SINGLELINE));
        ::SelectObject(hDC, hOld);
        ::DeleteObject(hFont);
        return CSize(rect.right, rect.bottom);
    };
    // What the cell's borders and margins take of its width and height.
    auto margins = [&](ROWCOL nRow, ROWCOL nCol) {
        CRect rcCell(0, 0, 100, 100);
        const CRect rcText = m_grid.GetControl(nRow, nCol)->GetCellRect(nRow, nCol, &rcCell, &m_grid.LookupStyleRowCol(nRow, nCol));
        return CSize(rcCell.Width() - rcText.Width(), rcCell.Height() - rcText.Height());
    };
    auto cellText = [&](ROWCOL nRow, ROWCOL nCol) {
        CString strText;
        m_grid.GetControl(nRow, nCol)->GetControlText(strText, nRow, nCol, nullptr, m_grid.LookupStyleRowCol(nRow, nCol));
        return strText;
    };

    int widths[7] = {};
    for (ROWCOL nCol = 0; nCol <= 6; ++nCol)
    {
        const CString strHeader = cellText(0, nCol);
        const bool bWraps = m_grid.LookupStyleRowCol(0, nCol).GetWrapText() != FALSE;
        int nStart = 0;
        while (nStart <= strHeader.GetLength())
        {
            int nEnd = bWraps ? strHeader.Find(' ', nStart) : -1;
            if (nEnd < 0)
                nEnd = strHeader.GetLength();
            const CString strWord = strHeader.Mid(nStart, nEnd - nStart);
            widths[nCol] = std::max(widths[nCol], static_cast<int>(textSize(0, nCol, strWord, 0).cx + margins(0, nCol).cx));
            nStart = nEnd + 1;
        }
        for (ROWCOL nRow = 1; nRow <= SoilClassCount; ++nRow)
            widths[nCol] = std::max(widths[nCol], static_cast<int>(textSize(nRow, nCol, cellText(nRow, nCol), 0).cx +
                                                                   margins(nRow, nCol).cx));
    }
    CRect rcClient;
    m_grid.GetClientRect(&rcClient);
    int nOthers = 0;
    for (ROWCOL nCol = 1; nCol <= 6; ++nCol)
    {
        m_grid.SetColWidth(nCol, nCol, widths[nCol]);
        nOthers += widths[nCol];
    }
    // The rows are more than the table shows at once.
    const int nScrollBar = (m_grid.GetStyle() & WS_VSCROLL) != 0 ? 0 : ::GetSystemMetrics(SM_CXVSCROLL);
    m_grid.SetColWidth(0, 0, std::max(widths[0], rcClient.Width() - nScrollBar - nOthers - 1));

    int nHeader = m_grid.GetRowHeight(0);
    for (ROWCOL nCol = 0; nCol <= 6; ++nCol)
    {
        const CSize margin = margins(0, nCol);
        nHeader = std::max(nHeader, static_cast<int>(textSize(0, nCol, cellText(0, nCol),
                                                               m_grid.GetColWidth(nCol) - margin.cx).cy + margin.cy));
    }
    m_grid.SetRowHeight(0, 0, nHeader);
    ::ReleaseDC(m_grid.GetSafeHwnd(), hDC);
}

void CHeaveDlg::OnOK()
{
    if (m_pProjectData != nullptr)
    {
        CProjectData& data = *m_pProjectData;
        data.m_nFocusControl = IDC_IN_HEAVE;
        const ROWCOL nRow = m_grid.m_nSelectedRow;
        if (nRow >= 1 && nRow <= SoilClassCount)
        {
            const SoilClass& soil = SoilClasses[nRow - 1];
            double dRate = (soil.dMinHeave + soil.dMaxHeave) * 0.5;
            if (IsEnglish(m_pProjectData))
                dRate *= InchesPerMillimetre;
            data.m_strHeaveRate = NumberText::Gcvt(dRate, 2).c_str();
        }
        else
        {
            data.m_strHeaveRate.Empty();
        }
    }
    CDialog::OnOK();
}

void CHeaveDlg::OnGridDoubleClick()
{
    OnOK();
}

BOOL CHeaveDlg::OnHelpInfo(HELPINFO* pHelpInfo)
{
    QuarrowShowHelpTopic(static_cast<HWND>(pHelpInfo->hItemHandle), "heave.htm");
    return TRUE;
}
