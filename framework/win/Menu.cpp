#include "framework/win/Menu.h"

#include <unordered_map>

#include "framework/win/WinApp.h"
#include "framework/win/Wnd.h"

IMPLEMENT_DYNCREATE(CMenu, CObject)

namespace {

// Never destroyed: menus owned by global objects are released after static destruction began.
std::unordered_map<HMENU, CMenu*>& PermanentMenus()
{
    static auto* map = new std::unordered_map<HMENU, CMenu*>;
    return *map;
}

std::unordered_map<HMENU, CMenu*>& TemporaryMenus()
{
    static auto* map = new std::unordered_map<HMENU, CMenu*>;
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
    auto found = PermanentMenus().find(hMenu);
    return found != PermanentMenus().end() ? found->second : nullptr;
}

CMenu* PASCAL CMenu::FromHandle(HMENU hMenu)
{
    if (hMenu == nullptr)
        return nullptr;
    if (CMenu* pMenu = FromHandlePermanent(hMenu))
        return pMenu;
    CMenu*& pTemp = TemporaryMenus()[hMenu];
    if (pTemp == nullptr)
    {
        pTemp = new CMenu;
        pTemp->m_hMenu = hMenu;
    }
    return pTemp;
}

void PASCAL CMenu::DeleteTempMap()
{
    auto& temps = TemporaryMenus();
    for (auto& entry : temps)
    {
        entry.second->m_hMenu = nullptr;   // a wrapper never destroys the menu it wraps
        delete entry.second;
    }
    temps.clear();
}

BOOL CMenu::Attach(HMENU hMenu)
{
    if (hMenu == nullptr || m_hMenu != nullptr || FromHandlePermanent(hMenu) != nullptr)
        return FALSE;
    m_hMenu = hMenu;
    PermanentMenus()[hMenu] = this;
    return TRUE;
}

HMENU CMenu::Detach()
{
    HMENU hMenu = m_hMenu;
    if (hMenu != nullptr)
    {
        auto found = PermanentMenus().find(hMenu);
        if (found != PermanentMenus().end() && found->second == this)
            PermanentMenus().erase(found);
    }
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
    return ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, pWnd->GetSafeHwnd(), lpRect);
}
