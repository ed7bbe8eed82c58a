#include "quarrow/pages/PageServices.h"

#include "framework/win/PropertySheet.h"
#include "framework/win/Seams.h"
#include "framework/win/WinApp.h"
#include "framework/win/Wnd.h"
#include "quarrow/app/ProjectData.h"
#include "quarrow/pages/MaterialLayer.h"
#include "resources/quarrow/resource.h"

void CHandEditWarning::Queue(const CProjectData& data, const char* pszText)
{
    if (data.m_strMode != "normal")
        return;
    QueueInAnyMode(pszText);
}

void CHandEditWarning::QueueInAnyMode(const char* pszText)
{
    m_strText = pszText;
    m_bPending = 1;
}

void CHandEditWarning::Drop()
{
    m_bPending = 0;
    m_strText.Empty();
}

void CHandEditWarning::ShowPending(CWnd* pPage)
{
    if (!m_bPending)
        return;
    CString strText = m_strText;
    Drop();
    pPage->MessageBox(strText, "Warning", MB_OK | MB_ICONEXCLAMATION);
}

void PageSetSummaryText(int nID, const CString& strText)
{
    if (CWnd* pMainWnd = AfxGetMainWnd(); pMainWnd != nullptr && pMainWnd->GetSafeHwnd() != nullptr)
        pMainWnd->SetDlgItemText(nID, strText);
}

std::vector<CSummaryText> PageSummaryTexts(const CProjectData& data)
{
    return {
        {IDC_BASE_WIDTH, data.m_strBaseWidth},
        {IDC_RESULTANT_SLOPE, data.m_strResultantSlope},
        {IDC_RESULTANT_LENGTH, data.m_strResultantLength},
        {IDC_INFILTRATION_RATE, data.m_strInfiltrationRate},
        {IDC_MELTWATER_FLOW, data.m_strMeltwaterFlow},
        {IDC_BASE_THICKNESS, data.m_strBaseThickness},
        {IDC_PERCENT_DRAINED, data.m_strPercentDrained},
        {IDC_TIME_TO_DRAIN, data.m_strTimeToDrain},
        {IDC_BASE_DISCHARGE, data.m_strBaseDischargeRate},
        {IDC_PIPE_DIAMETER, data.m_strPipeDiameter},
        {IDC_OUTLET_SPACING, data.m_strOutletSpacing},
        {IDC_PIPE_FLOW, data.m_strPipeFlow},
        {IDC_BASE_STATUS, MaterialStatusText(data, CProjectData::LayerBase)},
        {IDC_SUBGRADE_STATUS, MaterialStatusText(data, CProjectData::LayerSubgrade)},
        {IDC_SEPARATOR_STATUS, MaterialStatusText(data, CProjectData::LayerSeparator)},
    };
}

void PageShowSummary(const CProjectData& data)
{
    for (const CSummaryText& text : PageSummaryTexts(data))
        PageSetSummaryText(text.nID, text.strText);
}

void PageHonourFocusRequest(CWnd* pPage, CProjectData& data)
{
    if (data.m_nFocusControl == 0)
        return;
    if (HWND hControl = ::GetDlgItem(pPage->GetSafeHwnd(), data.m_nFocusControl))
        ::SetFocus(hControl);
    data.m_nFocusControl = 0;
}

void PageGoTo(CPropertySheet* pSheet, CProjectData& data, int nPage, int nFocusControl, bool bRepaintSheet)
{
    if (pSheet == nullptr || pSheet->GetSafeHwnd() == nullptr)
        return;
    data.m_nFocusControl = nFocusControl;
    pSheet->SetActivePage(nPage);
    if (bRepaintSheet)
        pSheet->Invalidate(TRUE);
}

bool PageFieldFilled(const CWnd* pPage, int nEditID, const CString& strField)
{
    if (!strField.IsEmpty())
        return true;
    HWND hEdit = ::GetDlgItem(pPage->GetSafeHwnd(), nEditID);
    return hEdit != nullptr && ::GetFocus() == hEdit;
}

void PageShowCalcResult(CPropertySheet* pSheet, const CPageCalcResult& result)
{
    if (!result.strMessage.IsEmpty())
        AfxMessageBox(result.strMessage, MB_OKCANCEL);
    if (result.pRecord != nullptr && !result.strSieveLayer.IsEmpty())
        result.pRecord->m_strSieveLayer = result.strSieveLayer;
    const bool bChangePage = result.nShowPage >= 0 && pSheet != nullptr && pSheet->GetSafeHwnd() != nullptr;
    if (bChangePage)
        pSheet->SetActivePage(result.nShowPage);
    if (result.pRecord != nullptr && result.nFocusControl != 0)
        result.pRecord->m_nFocusControl = result.nFocusControl;
    if (bChangePage)
        pSheet->Invalidate(TRUE);
}

CString PageItemText(const CWnd* pPage, int nID)
{
    CString strText;
    pPage->GetDlgItemText(nID, strText);
    return strText;
}

void PageSetTextIfDifferent(CWnd* pPage, int nID, const char* pszText)
{
    if (PageItemText(pPage, nID) != pszText)
        pPage->SetDlgItemText(nID, pszText);
}

void PageSetPictureIfDifferent(CWnd* pPage, int nID, HBITMAP hBitmap)
{
    HWND hPicture = ::GetDlgItem(pPage->GetSafeHwnd(), nID);
    if (hPicture != nullptr &&
        reinterpret_cast<HBITMAP>(::SendMessageA(hPicture, STM_GETIMAGE, IMAGE_BITMAP, 0)) != hBitmap)
        ::SendMessageA(hPicture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(hBitmap));
}

void PageEnableControl(CWnd* pPage, int nID, bool bEnable)
{
    if (HWND hControl = ::GetDlgItem(pPage->GetSafeHwnd(), nID))
        ::EnableWindow(hControl, bEnable);
}

void PageFocusSink(CWnd* pPage, int nSinkID)
{
    if (HWND hSink = ::GetDlgItem(pPage->GetSafeHwnd(), nSinkID))
        ::SetFocus(hSink);
}

void PageShowControl(CWnd* pPage, int nID, bool bShow)
{
    HWND hControl = ::GetDlgItem(pPage->GetSafeHwnd(), nID);
    if (hControl == nullptr)
        return;
    const bool bShown = (::GetWindowLongPtrA(hControl, GWL_STYLE) & WS_VISIBLE) != 0;
    if (bShown != bShow)
        ::ShowWindow(hControl, bShow ? SW_SHOW : SW_HIDE);
}

void PageShowControls(CWnd* pPage, std::initializer_list<int> ids, bool bShow)
{
    for (int nID : ids)
        PageShowControl(pPage, nID, bShow);
}

void PageClearFields(CProjectData& data, std::span<CString CProjectData::* const> fields)
{
    for (CString CProjectData::*field : fields)
        (data.*field).Empty();
}

void PageClearFields(CProjectData& data, std::initializer_list<CString CProjectData::*> fields)
{
    PageClearFields(data, std::span<CString CProjectData::* const>(fields.begin(), fields.size()));
}
