// Grid engine: mouse, focus and window-state messages of the grid window. Until mouse handling is
// built here, the handlers answer "not handled" and the window's default processing follows.

#include "grid/core/GridCore.h"

#include "framework/win/Wnd.h"
#include "grid/core/AppData.h"

BOOL CGXGridCore::OnGridSize(UINT, int, int) { return FALSE; }
BOOL CGXGridCore::OnMouseMove(UINT, CPoint) { return FALSE; }
BOOL CGXGridCore::HandleShowWindow(BOOL, UINT) { return FALSE; }
BOOL CGXGridCore::OnLButtonDblClk(UINT, CPoint) { return FALSE; }
BOOL CGXGridCore::OnLButtonDown(UINT, CPoint) { return FALSE; }
BOOL CGXGridCore::OnLButtonUp(UINT, CPoint) { return FALSE; }
BOOL CGXGridCore::OnMButtonDblClk(UINT, CPoint) { return FALSE; }
BOOL CGXGridCore::OnMButtonDown(UINT, CPoint) { return FALSE; }
BOOL CGXGridCore::OnMButtonUp(UINT, CPoint) { return FALSE; }
BOOL CGXGridCore::OnRButtonDblClk(UINT, CPoint) { return FALSE; }
BOOL CGXGridCore::OnRButtonDown(UINT, CPoint) { return FALSE; }
BOOL CGXGridCore::OnRButtonUp(UINT, CPoint) { return FALSE; }
HBRUSH CGXGridCore::OnGridCtlColor(CDC*, CWnd*, UINT) { return nullptr; }
BOOL CGXGridCore::OnGridCancelMode() { return FALSE; }
int CGXGridCore::OnGridMouseActivate(CWnd*, UINT, UINT) { return 0; }
BOOL CGXGridCore::OnGridCommand(WPARAM, LPARAM) { return FALSE; }
BOOL CGXGridCore::OnGridSettingChange(LPCTSTR) { return FALSE; }
BOOL CGXGridCore::HandleSetCursor(CWnd*, UINT, UINT) { return FALSE; }
BOOL CGXGridCore::OnGridKillFocus(CWnd*) { return FALSE; }
BOOL CGXGridCore::OnGridSetFocus(CWnd*) { return FALSE; }
BOOL CGXGridCore::PreTranslateGridMessage(tagMSG*) { return FALSE; }
void CGXGridCore::OnGridFocusChanged(BOOL) {}

BOOL CGXGridCore::OnGridSysColorChange()
{
    m_pAppData->m_sysColors.Update();
    if (m_pGridWnd != nullptr && m_pGridWnd->GetSafeHwnd() != nullptr)
        ::InvalidateRect(m_pGridWnd->GetSafeHwnd(), nullptr, FALSE);
    return TRUE;
}

BOOL CGXGridCore::ClosePopupWindow()
{
    CGXFindReplaceSettings& settings = GXGetFindReplaceSettings();
    if (settings.pFindReplaceDlg != nullptr && m_pGridWnd != nullptr && settings.m_pActiveGridWnd == m_pGridWnd)
    {
        if (settings.pFindReplaceDlg->GetSafeHwnd() != nullptr)
            ::SendMessageA(settings.pFindReplaceDlg->GetSafeHwnd(), WM_CLOSE, 0, 0);
        settings.pFindReplaceDlg = nullptr;
        settings.m_pActiveGridWnd = nullptr;
    }
    return FALSE;
}

BOOL CGXGridCore::ProcessPluginMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    POSITION pos = m_PluginList.GetHeadPosition();
    while (pos != nullptr)
    {
        CGXPluginComponent* pPlugin = static_cast<CGXPluginComponent*>(m_PluginList.GetNext(pos));
        pPlugin->m_bHandled = FALSE;
        pPlugin->m_bSkipGridHandling = FALSE;
        LRESULT pluginResult = 0;
        pPlugin->HandlePluginMessage(message, wParam, lParam, &pluginResult);
        if (pPlugin->m_bHandled && pPlugin->m_bSkipGridHandling)
        {
            result = pluginResult;
            return TRUE;
        }
    }
    return FALSE;
}
