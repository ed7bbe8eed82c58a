#include "framework/win/Menu.h"

#include "framework/win/HandleMap.h"
#include "framework/win/Seams.h"
#include "framework/win/WinApp.h"
#include "framework/win/Wnd.h"

IMPLEMENT_DYNCREATE(CMenu, CObject)

namespace {

// Never destroyed: menus owned by global objects are released after static destruction began.
CHandleMap<HMENU, CMenu, &CMenu::m_hMenu>& Menus()
{
    static auto* map = new CHandleMap<HMENU, CMenu, &CMenu::m_hMenu>;
    return *map;
}

} // namespace

CMenu::CMenu() = default;

CMenu::~CMenu()
{
    DestroyMenu();
}

CMenu* PASCAL CMenu::FromHandlePermanent(HMENU hMenu)
{
    return Menus().LookupPermanent(hMenu);
}

CMenu* PASCAL CMenu::FromHandle(HMENU hMenu)
{
    return Menus().FromHandle(hMenu);
}

void PASCAL CMenu::DeleteTempMap()
{
    Menus().DeleteTemporaries();
}

BOOL CMenu::Attach(HMENU hMenu)
{
    if (m_hMenu != nullptr || !Menus().SetPermanent(hMenu, this))
        return FALSE;
    m_hMenu = hMenu;
    return TRUE;
}

HMENU CMenu::Detach()
{
    HMENU hMenu = m_hMenu;
    if (hMenu != nullptr)
        Menus().RemovePermanent(hMenu, this);
    m_hMenu = nullptr;
    return hMenu;
}

BOOL CMenu::CreateMenu()
{
    return Attach(::CreateMenu());
}

BOOL CMenu::CreatePopupMenu()
{
    return Attach(::CreatePopupMenu());
}

BOOL CMenu::LoadMenu(LPCTSTR lpszResourceName)
{
    return Attach(::LoadMenuA(AfxGetResourceHandle(), lpszResourceName));
}

BOOL CMenu::LoadMenu(UINT nIDResource)
{
    return LoadMenu(MAKEINTRESOURCEA(nIDResource));
}

BOOL CMenu::DestroyMenu()
{
    if (m_hMenu == nullptr)
        return FALSE;
    return ::DestroyMenu(Detach());
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect)
{
    // The menu's loop is modal: a test answers it through the modal hook.
    BOOL nResult = FALSE;
    if (AfxAnswerPopupMenu(this, nFlags, CPoint(x, y), pWnd, nResult))
        return nResult;
    return ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, pWnd->GetSafeHwnd(), lpRect);
}
