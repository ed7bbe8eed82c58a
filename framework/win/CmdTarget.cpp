#include "framework/win/CmdTarget.h"

#include "framework/ole/CmdTargetDispatch.h"
#include "framework/win/Menu.h"
#include "framework/win/WinApp.h"
#include "framework/win/Wnd.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

CCmdTarget::CCmdTarget() = default;

CCmdTarget::~CCmdTarget()
{
    delete m_pDispatch;
}

const AFX_MSGMAP* PASCAL CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, nullptr, nullptr}};
    static const AFX_MSGMAP messageMap = {nullptr, &entries[0]};
    return &messageMap;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

BOOL CCmdTarget::DispatchWindowMessage(AFX_MSG_CALL& call)
{
    for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap != nullptr;
         pMap = pMap->pfnGetBaseMap != nullptr ? pMap->pfnGetBaseMap() : nullptr)
    {
        for (const AFX_MSGMAP_ENTRY* pEntry = pMap->lpEntries; pEntry->pfnDispatch != nullptr; ++pEntry)
        {
            bool bMatch = pEntry->pnRegisteredMessage != nullptr
                              ? *pEntry->pnRegisteredMessage != 0 && *pEntry->pnRegisteredMessage == call.message
                              : pEntry->nMessage == call.message && pEntry->nID == 0 && pEntry->nLastID == 0;
            if (bMatch && pEntry->pfnDispatch(this, call))
                return TRUE;
        }
    }
    return FALSE;
}

BOOL CCmdTarget::DispatchCommand(UINT nMessage, AFX_MSG_CALL& call, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap != nullptr;
         pMap = pMap->pfnGetBaseMap != nullptr ? pMap->pfnGetBaseMap() : nullptr)
    {
        for (const AFX_MSGMAP_ENTRY* pEntry = pMap->lpEntries; pEntry->pfnDispatch != nullptr; ++pEntry)
        {
            if (pEntry->pnRegisteredMessage != nullptr || pEntry->nMessage != nMessage ||
                pEntry->nCode != (UINT)call.nCode || call.nID < pEntry->nID || call.nID > pEntry->nLastID)
                continue;
            if (pHandlerInfo != nullptr)
            {
                pHandlerInfo->pTarget = this;
                return TRUE;
            }
            if (pEntry->pfnDispatch(this, call))
                return TRUE;
        }
    }
    return FALSE;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    // WM_NOTIFY arrives as MAKELONG(code, WM_NOTIFY); commands and update requests as the code alone.
    UINT nMessage = WM_COMMAND;
    UINT nEntryCode = (UINT)nCode;
    if (nCode != (int)CN_UPDATE_COMMAND_UI && HIWORD((UINT)nCode) != 0)
    {
        nMessage = HIWORD((UINT)nCode);
        nEntryCode = LOWORD((UINT)nCode);
    }
    AFX_MSG_CALL call = {nMessage, 0, 0, nID, (int)nEntryCode, pExtra, 0};
    return DispatchCommand(nMessage, call, pHandlerInfo);
}

void CCmdTarget::BeginWaitCursor()
{
    if (CWinApp* pApp = AfxGetApp())
        pApp->DoWaitCursor(1);
}

void CCmdTarget::EndWaitCursor()
{
    if (CWinApp* pApp = AfxGetApp())
        pApp->DoWaitCursor(-1);
}

void CCmdTarget::RestoreWaitCursor()
{
    if (CWinApp* pApp = AfxGetApp())
        pApp->DoWaitCursor(0);
}

// ---- CCmdUI ----

CCmdUI::CCmdUI() = default;

void CCmdUI::Enable(BOOL bOn)
{
    if (m_pMenu != nullptr)
    {
        if (m_pSubMenu == nullptr)
            m_pMenu->EnableMenuItem(m_nIndex, MF_BYPOSITION | (bOn ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
    }
    else if (m_pOther != nullptr)
    {
        // A control that loses its enabling must not keep the focus.
        if (!bOn && ::GetFocus() == m_pOther->GetSafeHwnd())
        {
            HWND hParent = ::GetParent(m_pOther->GetSafeHwnd());
            if (hParent != nullptr)
                ::SendMessageA(hParent, WM_NEXTDLGCTL, 0, FALSE);
        }
        m_pOther->EnableWindow(bOn);
    }
    m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int nCheck)
{
    if (m_pMenu != nullptr)
    {
        if (m_pSubMenu == nullptr)
            m_pMenu->CheckMenuItem(m_nIndex, MF_BYPOSITION | (nCheck ? MF_CHECKED : MF_UNCHECKED));
    }
    else if (m_pOther != nullptr && (m_pOther->SendMessage(WM_GETDLGCODE) & DLGC_BUTTON))
    {
        m_pOther->SendMessage(BM_SETCHECK, (WPARAM)nCheck);
    }
}

void CCmdUI::SetRadio(BOOL bOn)
{
    if (m_pMenu != nullptr)
    {
        if (m_pSubMenu != nullptr)
            return;
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STATE;
        HMENU hMenu = m_pMenu->GetSafeHmenu();
        if (!::GetMenuItemInfoA(hMenu, m_nIndex, TRUE, &info))
            return;
        info.fType |= MFT_RADIOCHECK;
        info.fState = bOn ? (info.fState | MFS_CHECKED) : (info.fState & ~MFS_CHECKED);
        ::SetMenuItemInfoA(hMenu, m_nIndex, TRUE, &info);
    }
    else
    {
        SetCheck(bOn ? 1 : 0);
    }
}

void CCmdUI::SetText(LPCTSTR lpszText)
{
    if (m_pMenu != nullptr)
    {
        if (m_pSubMenu != nullptr)
            return;
        // Keep the item's state (checked, grayed) while its text changes.
        UINT nState = m_pMenu->GetMenuState(m_nIndex, MF_BYPOSITION) & ~(MF_BITMAP | MF_OWNERDRAW | MF_SEPARATOR | MF_POPUP);
        ::ModifyMenuA(m_pMenu->GetSafeHmenu(), m_nIndex, MF_BYPOSITION | MF_STRING | nState, m_nID, lpszText);
    }
    else if (m_pOther != nullptr)
    {
        m_pOther->SetWindowText(lpszText);
    }
}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHandler)
{
    if (m_nID == 0 || LOWORD(m_nID) == 0xFFFF)
        return TRUE;   // separators and pop-up items are not commands
    m_bEnableChanged = FALSE;
    BOOL bResult = pTarget->OnCmdMsg(m_nID, (int)CN_UPDATE_COMMAND_UI, this, nullptr);
    if (bDisableIfNoHandler && !m_bEnableChanged)
    {
        // Enabled exactly while somebody handles it: an item greyed before gets its handler back.
        AFX_CMDHANDLERINFO info = {nullptr};
        Enable(pTarget->OnCmdMsg(m_nID, CN_COMMAND, this, &info));
    }
    return bResult;
}
