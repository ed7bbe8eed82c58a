#include "quarrow/pages/PageServices.h"

#include "framework/win/OutsideCalls.h"
#include "framework/win/PropertySheet.h"
#include "framework/win/Seams.h"
#include "framework/win/WinApp.h"
#include "framework/win/Wnd.h"
#include "quarrow/app/ProjectData.h"
#include "quarrow/app/QuarrowApp.h"

namespace {

CString HelpFilePath()
{
    CString strPath;
    if (CQuarrowApp* pApp = QuarrowApp())
        strPath = pApp->m_strInstallDir;
    return strPath + "\\quarrow.chm";
}

} // namespace

void CHandEditWarning::Queue(const CProjectData& data, const char* pszText)
{
    if (data.m_strMode != "normal")
        return;
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

void PageShowHelpTopic(CWnd* pPage, const char* pszTopic)
{
    CString strPath = HelpFilePath() + "::/" + pszTopic;
    AfxHtmlHelp(pPage->GetSafeHwnd(), strPath, HH_DISPLAY_TOPIC, 0);
}

void PageShowContextHelp(CWnd* pControl, const DWORD* pHelpIds)
{
    CString strPath = HelpFilePath() + "::/quarrow.txt";
    AfxHtmlHelp(pControl->GetSafeHwnd(), strPath, HH_TP_HELP_CONTEXTMENU, reinterpret_cast<DWORD_PTR>(pHelpIds));
}

void PageHonourFocusRequest(CWnd* pPage, CProjectData& data)
{
    if (data.m_nFocusControl == 0)
        return;
    if (HWND hControl = ::GetDlgItem(pPage->GetSafeHwnd(), data.m_nFocusControl))
        ::SetFocus(hControl);
    data.m_nFocusControl = 0;
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
    if (result.nShowPage >= 0 && pSheet != nullptr && pSheet->GetSafeHwnd() != nullptr)
    {
        pSheet->SetActivePage(result.nShowPage);
        pSheet->Invalidate(TRUE);
    }
}
