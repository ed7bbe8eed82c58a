// Command targets and message maps.
//
// A message map is a table per class, read top to bottom: the first entry that matches a message (or a
// command id and notification code) handles it; when none does, the base class's table is searched.
// Each entry holds a small dispatcher made by its macro, which cracks the message parameters and calls
// the handler with the arguments its signature names, so a handler of the wrong shape does not compile.
#pragma once

#include <windows.h>

#include "framework/core/Object.h"
#include "framework/core/Geometry.h"
#include "framework/win/FrameworkIds.h"

class CCmdTarget;
class CCmdUI;
class CWnd;
class CMenu;
class CDC;
class CScrollBar;

#ifndef afx_msg
#define afx_msg
#endif

// Codes passed to OnCmdMsg besides the notification codes of controls.
#define CN_COMMAND           0
#define CN_UPDATE_COMMAND_UI ((UINT)(-1))

// OnCmdMsg of a WM_NOTIFY: nCode is MAKELONG(notification code, WM_NOTIFY), pExtra points to this.
struct AFX_NOTIFY
{
    LRESULT* pResult;
    NMHDR* pNMHDR;
};

// Not used by the framework's own routing; kept for the OnCmdMsg signature.
struct AFX_CMDHANDLERINFO
{
    CCmdTarget* pTarget;
};

// The message being dispatched, as a dispatcher sees it.
struct AFX_MSG_CALL
{
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    UINT nID;       // command or control id (commands, notifications)
    int nCode;      // notification code (commands, notifications)
    void* pExtra;   // CCmdUI* for update handlers, AFX_NOTIFY* for notifications
    LRESULT result; // what the window procedure returns
};

// Calls one handler; returns FALSE only when the handler declines (the _EX entries), so that the
// search goes on.
typedef BOOL (*AFX_MSG_DISPATCH)(CCmdTarget* pTarget, AFX_MSG_CALL& call);

struct AFX_MSGMAP_ENTRY
{
    UINT nMessage;                    // window message; 0 ends the table
    UINT nCode;                       // notification code, or CN_UPDATE_COMMAND_UI
    UINT nID;                         // first command or control id
    UINT nLastID;                     // last id of a range (nID for one id)
    const UINT* pnRegisteredMessage;  // ON_REGISTERED_MESSAGE: where the registered id is kept
    AFX_MSG_DISPATCH pfnDispatch;
};

struct AFX_MSGMAP
{
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// Message kinds of entries that are not plain window messages.
#define AFX_MSG_REGISTERED 0xC000u   // nMessage of an ON_REGISTERED_MESSAGE entry

// Automation (framework/ole/DispatchMap.h declares the maps and their macros).
struct AFX_DISPMAP;
struct AFX_INTERFACEMAP;
class CCmdTargetDispatch;

class CCmdTarget : public CObject
{
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget();
    ~CCmdTarget() override;

    // ---- Automation ----
    // Gives the object an IDispatch that serves its dispatch map (an automation object's
    // constructor calls it). Its IUnknown and IDispatch, and the interfaces of its interface map,
    // share the object's reference count.
    void EnableAutomation();
    // The object's IDispatch (NULL without EnableAutomation); with bAddRef the caller gets a reference.
    LPDISPATCH GetIDispatch(BOOL bAddRef);
    // The reference count starts at 1, the creator's reference; the release that takes it to 0
    // calls OnFinalRelease.
    DWORD InternalAddRef();
    DWORD InternalRelease();
    DWORD ExternalAddRef() { return InternalAddRef(); }
    DWORD ExternalRelease() { return InternalRelease(); }
    // IUnknown and IDispatch when automation is enabled, and the interfaces of the interface maps.
    HRESULT ExternalQueryInterface(REFIID iid, LPVOID* ppvObj);
    // The last reference went: the object deletes itself.
    virtual void OnFinalRelease();

    static const AFX_DISPMAP* PASCAL GetThisDispatchMap();
    virtual const AFX_DISPMAP* GetDispatchMap() const;
    static const AFX_INTERFACEMAP* PASCAL GetThisInterfaceMap();
    virtual const AFX_INTERFACEMAP* GetInterfaceMap() const;

    LONG m_dwRef = 1;

    // Routes a command, an update request or a notification to this target's map.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    // Searches this object's maps (own class first, then bases) for an entry for call.message.
    // Fills call.result and returns TRUE when a handler took it.
    BOOL DispatchWindowMessage(AFX_MSG_CALL& call);
    // The same for an entry of kind nMessage (WM_COMMAND, WM_NOTIFY or a reflected one) for call.nID
    // and call.nCode. With pHandlerInfo only tells whether there is a handler, without calling it.
    BOOL DispatchCommand(UINT nMessage, AFX_MSG_CALL& call, AFX_CMDHANDLERINFO* pHandlerInfo = nullptr);

    static const AFX_MSGMAP* PASCAL GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;

    // The application's wait cursor (CWinApp::DoWaitCursor): begin, end, and show again after a
    // message box changed the cursor.
    void BeginWaitCursor();
    void EndWaitCursor();
    void RestoreWaitCursor();

private:
    CCmdTargetDispatch* m_pDispatch = nullptr;   // made by EnableAutomation
};

// ---- Map declaration and definition ----

#define DECLARE_MESSAGE_MAP()                                \
public:                                                      \
    static const AFX_MSGMAP* PASCAL GetThisMessageMap();     \
    const AFX_MSGMAP* GetMessageMap() const override;        \
protected:

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                         \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* PASCAL theClass::GetThisMessageMap()                             \
    {                                                                                  \
        using ThisClass [[maybe_unused]] = theClass;                                   \
        typedef baseClass TheBaseClass;                                                \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                          \
            {0, 0, 0, 0, nullptr, nullptr}                                         \
        };                                                                         \
        static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap,   \
                                              &_messageEntries[0]};               \
        return &messageMap;                                                        \
    }

// ---- Entry building blocks ----
// pT is the object as the map's class; c the AFX_MSG_CALL. The body says how the handler is called.
#define AFX_MSG_HANDLER(msg, code, id, lastId, regMsg, body)                               \
    {msg, code, id, lastId, regMsg,                                                        \
     [](CCmdTarget* pTarget_, AFX_MSG_CALL& c) -> BOOL {                                   \
         ThisClass* pT = static_cast<ThisClass*>(pTarget_);                                \
         (void)pT; (void)c;                                                                \
         body                                                                              \
     }},

#define AFX_WM(msg, body) AFX_MSG_HANDLER(msg, 0, 0, 0, nullptr, body)

// ---- Commands ----
// void memberFxn()
#define ON_COMMAND(id, memberFxn) \
    AFX_MSG_HANDLER(WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(id), nullptr, pT->memberFxn(); return TRUE;)
// BOOL memberFxn(UINT nID): FALSE lets the search go on
#define ON_COMMAND_EX(id, memberFxn) \
    AFX_MSG_HANDLER(WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(id), nullptr, return pT->memberFxn(c.nID);)
// void memberFxn(UINT nID)
#define ON_COMMAND_RANGE(id, idLast, memberFxn) \
    AFX_MSG_HANDLER(WM_COMMAND, CN_COMMAND, (UINT)(id), (UINT)(idLast), nullptr, pT->memberFxn(c.nID); return TRUE;)
// void memberFxn(CCmdUI* pCmdUI)
// (a handler that calls pCmdUI->ContinueRouting() lets the next target update the item too)
#define ON_UPDATE_COMMAND_UI(id, memberFxn)                                         \
    AFX_MSG_HANDLER(WM_COMMAND, CN_UPDATE_COMMAND_UI, (UINT)(id), (UINT)(id), nullptr, \
                    CCmdUI* pUI = static_cast<CCmdUI*>(c.pExtra); pUI->m_bContinueRouting = FALSE; \
                    pT->memberFxn(pUI); return !pUI->m_bContinueRouting;)
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn)                                \
    AFX_MSG_HANDLER(WM_COMMAND, CN_UPDATE_COMMAND_UI, (UINT)(id), (UINT)(idLast), nullptr, \
                    CCmdUI* pUI = static_cast<CCmdUI*>(c.pExtra); pUI->m_bContinueRouting = FALSE; \
                    pT->memberFxn(pUI); return !pUI->m_bContinueRouting;)

// Control notifications through WM_COMMAND: void memberFxn()
#define ON_CONTROL(code, id, memberFxn) \
    AFX_MSG_HANDLER(WM_COMMAND, (UINT)(code), (UINT)(id), (UINT)(id), nullptr, pT->memberFxn(); return TRUE;)
// void memberFxn(UINT nID)
#define ON_CONTROL_RANGE(code, id, idLast, memberFxn) \
    AFX_MSG_HANDLER(WM_COMMAND, (UINT)(code), (UINT)(id), (UINT)(idLast), nullptr, pT->memberFxn(c.nID); return TRUE;)

#define ON_BN_CLICKED(id, memberFxn)       ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_BN_SETFOCUS(id, memberFxn)      ON_CONTROL(BN_SETFOCUS, id, memberFxn)
#define ON_BN_KILLFOCUS(id, memberFxn)     ON_CONTROL(BN_KILLFOCUS, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn)        ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_UPDATE(id, memberFxn)        ON_CONTROL(EN_UPDATE, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn)      ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn)     ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_EN_MAXTEXT(id, memberFxn)       ON_CONTROL(EN_MAXTEXT, id, memberFxn)
#define ON_EN_HSCROLL(id, memberFxn)       ON_CONTROL(EN_HSCROLL, id, memberFxn)
#define ON_EN_VSCROLL(id, memberFxn)       ON_CONTROL(EN_VSCROLL, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn)    ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_DBLCLK(id, memberFxn)       ON_CONTROL(CBN_DBLCLK, id, memberFxn)
#define ON_CBN_SETFOCUS(id, memberFxn)     ON_CONTROL(CBN_SETFOCUS, id, memberFxn)
#define ON_CBN_KILLFOCUS(id, memberFxn)    ON_CONTROL(CBN_KILLFOCUS, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn)   ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_CBN_EDITUPDATE(id, memberFxn)   ON_CONTROL(CBN_EDITUPDATE, id, memberFxn)
#define ON_CBN_DROPDOWN(id, memberFxn)     ON_CONTROL(CBN_DROPDOWN, id, memberFxn)
#define ON_CBN_CLOSEUP(id, memberFxn)      ON_CONTROL(CBN_CLOSEUP, id, memberFxn)
#define ON_CBN_SELENDOK(id, memberFxn)     ON_CONTROL(CBN_SELENDOK, id, memberFxn)
#define ON_CBN_SELENDCANCEL(id, memberFxn) ON_CONTROL(CBN_SELENDCANCEL, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn)    ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn)       ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_LBN_SETFOCUS(id, memberFxn)     ON_CONTROL(LBN_SETFOCUS, id, memberFxn)
#define ON_LBN_KILLFOCUS(id, memberFxn)    ON_CONTROL(LBN_KILLFOCUS, id, memberFxn)
#define ON_LBN_SELCANCEL(id, memberFxn)    ON_CONTROL(LBN_SELCANCEL, id, memberFxn)
#define ON_STN_CLICKED(id, memberFxn)      ON_CONTROL(STN_CLICKED, id, memberFxn)
#define ON_STN_DBLCLK(id, memberFxn)       ON_CONTROL(STN_DBLCLK, id, memberFxn)
#define ON_STN_ENABLE(id, memberFxn)       ON_CONTROL(STN_ENABLE, id, memberFxn)
#define ON_STN_DISABLE(id, memberFxn)      ON_CONTROL(STN_DISABLE, id, memberFxn)

// WM_NOTIFY: void memberFxn(NMHDR* pNotifyStruct, LRESULT* pResult)
#define ON_NOTIFY(code, id, memberFxn)                                                          \
    AFX_MSG_HANDLER(WM_NOTIFY, (UINT)(WORD)(code), (UINT)(id), (UINT)(id), nullptr,                   \
                    AFX_NOTIFY* pN = static_cast<AFX_NOTIFY*>(c.pExtra);                        \
                    pT->memberFxn(pN->pNMHDR, pN->pResult); return TRUE;)
// BOOL memberFxn(UINT id, NMHDR* pNotifyStruct, LRESULT* pResult): FALSE lets the search go on
#define ON_NOTIFY_EX(code, id, memberFxn)                                                       \
    AFX_MSG_HANDLER(WM_NOTIFY, (UINT)(WORD)(code), (UINT)(id), (UINT)(id), nullptr,                   \
                    AFX_NOTIFY* pN = static_cast<AFX_NOTIFY*>(c.pExtra);                        \
                    return pT->memberFxn(c.nID, pN->pNMHDR, pN->pResult);)
#define ON_NOTIFY_RANGE(code, id, idLast, memberFxn)                                            \
    AFX_MSG_HANDLER(WM_NOTIFY, (UINT)(WORD)(code), (UINT)(id), (UINT)(idLast), nullptr,               \
                    AFX_NOTIFY* pN = static_cast<AFX_NOTIFY*>(c.pExtra);                        \
                    pT->memberFxn(c.nID, pN->pNMHDR, pN->pResult); return TRUE;)

// ---- Reflected notifications (handled by the control that sent them) ----
// void memberFxn()
#define ON_CONTROL_REFLECT(code, memberFxn) \
    AFX_MSG_HANDLER(WM_REFLECT_BASE + WM_COMMAND, (UINT)(code), 0, 0, nullptr, pT->memberFxn(); return TRUE;)
// BOOL memberFxn(): FALSE lets the parent handle the notification too
#define ON_CONTROL_REFLECT_EX(code, memberFxn) \
    AFX_MSG_HANDLER(WM_REFLECT_BASE + WM_COMMAND, (UINT)(code), 0, 0, nullptr, return pT->memberFxn();)
// void memberFxn(NMHDR* pNotifyStruct, LRESULT* pResult)
#define ON_NOTIFY_REFLECT(code, memberFxn)                                                  \
    AFX_MSG_HANDLER(WM_REFLECT_BASE + WM_NOTIFY, (UINT)(WORD)(code), 0, 0, nullptr,               \
                    AFX_NOTIFY* pN = static_cast<AFX_NOTIFY*>(c.pExtra);                    \
                    pT->memberFxn(pN->pNMHDR, pN->pResult); return TRUE;)
// BOOL memberFxn(NMHDR* pNotifyStruct, LRESULT* pResult)
#define ON_NOTIFY_REFLECT_EX(code, memberFxn)                                               \
    AFX_MSG_HANDLER(WM_REFLECT_BASE + WM_NOTIFY, (UINT)(WORD)(code), 0, 0, nullptr,               \
                    AFX_NOTIFY* pN = static_cast<AFX_NOTIFY*>(c.pExtra);                    \
                    return pT->memberFxn(pN->pNMHDR, pN->pResult);)
// HBRUSH CtlColor(CDC* pDC, UINT nCtlColor); a NULL brush lets the parent answer
#define ON_WM_CTLCOLOR_REFLECT()                                                             \
    AFX_WM(WM_REFLECT_BASE + WM_CTLCOLOR,                                                    \
           HBRUSH hbr = pT->CtlColor(CDC::FromHandle((HDC)c.wParam), (UINT)c.nCode);     \
           c.result = (LRESULT)hbr; return hbr != nullptr;)
// void DrawItem(LPDRAWITEMSTRUCT), void MeasureItem(LPMEASUREITEMSTRUCT)
#define ON_WM_DRAWITEM_REFLECT() \
    AFX_WM(WM_REFLECT_BASE + WM_DRAWITEM, pT->DrawItem((LPDRAWITEMSTRUCT)c.lParam); c.result = TRUE; return TRUE;)
#define ON_WM_MEASUREITEM_REFLECT() \
    AFX_WM(WM_REFLECT_BASE + WM_MEASUREITEM, pT->MeasureItem((LPMEASUREITEMSTRUCT)c.lParam); c.result = TRUE; return TRUE;)
// void HScroll(UINT nSBCode, UINT nPos), VScroll
#define ON_WM_HSCROLL_REFLECT() \
    AFX_WM(WM_REFLECT_BASE + WM_HSCROLL, pT->HScroll(LOWORD(c.wParam), HIWORD(c.wParam)); return TRUE;)
#define ON_WM_VSCROLL_REFLECT() \
    AFX_WM(WM_REFLECT_BASE + WM_VSCROLL, pT->VScroll(LOWORD(c.wParam), HIWORD(c.wParam)); return TRUE;)

// ---- User and registered messages ----
// LRESULT memberFxn(WPARAM wParam, LPARAM lParam)
#define ON_MESSAGE(message, memberFxn) \
    AFX_WM((UINT)(message), c.result = pT->memberFxn(c.wParam, c.lParam); return TRUE;)
// nMessageVariable is a UINT holding the id from RegisterWindowMessage.
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn)                           \
    AFX_MSG_HANDLER(AFX_MSG_REGISTERED, 0, 0, 0, &(nMessageVariable),                \
                    c.result = pT->memberFxn(c.wParam, c.lParam); return TRUE;)

// ---- Window messages (handler names and signatures are the framework's usual ones) ----
#define ON_WM_CREATE() \
    AFX_WM(WM_CREATE, c.result = (LRESULT)pT->OnCreate((LPCREATESTRUCT)c.lParam); return TRUE;)
#define ON_WM_DESTROY()         AFX_WM(WM_DESTROY, pT->OnDestroy(); return TRUE;)
#define ON_WM_NCDESTROY()       AFX_WM(WM_NCDESTROY, pT->OnNcDestroy(); return TRUE;)
#define ON_WM_CLOSE()           AFX_WM(WM_CLOSE, pT->OnClose(); return TRUE;)
#define ON_WM_PAINT()           AFX_WM(WM_PAINT, pT->OnPaint(); return TRUE;)
#define ON_WM_NCPAINT()         AFX_WM(WM_NCPAINT, pT->OnNcPaint(); return TRUE;)
#define ON_WM_ERASEBKGND() \
    AFX_WM(WM_ERASEBKGND, c.result = pT->OnEraseBkgnd(CDC::FromHandle((HDC)c.wParam)); return TRUE;)
#define ON_WM_ICONERASEBKGND() \
    AFX_WM(WM_ICONERASEBKGND, pT->OnIconEraseBkgnd(CDC::FromHandle((HDC)c.wParam)); return TRUE;)
#define ON_WM_SIZE() \
    AFX_WM(WM_SIZE, pT->OnSize((UINT)c.wParam, (short)LOWORD(c.lParam), (short)HIWORD(c.lParam)); return TRUE;)
#define ON_WM_MOVE() \
    AFX_WM(WM_MOVE, pT->OnMove((short)LOWORD(c.lParam), (short)HIWORD(c.lParam)); return TRUE;)
#define ON_WM_GETMINMAXINFO() \
    AFX_WM(WM_GETMINMAXINFO, pT->OnGetMinMaxInfo((MINMAXINFO*)c.lParam); return TRUE;)
#define ON_WM_SHOWWINDOW() \
    AFX_WM(WM_SHOWWINDOW, pT->OnShowWindow((BOOL)c.wParam, (UINT)c.lParam); return TRUE;)
#define ON_WM_ENABLE()          AFX_WM(WM_ENABLE, pT->OnEnable((BOOL)c.wParam); return TRUE;)
#define ON_WM_ACTIVATE() \
    AFX_WM(WM_ACTIVATE, pT->OnActivate(LOWORD(c.wParam), CWnd::FromHandle((HWND)c.lParam), (BOOL)HIWORD(c.wParam)); return TRUE;)
#define ON_WM_ACTIVATEAPP() \
    AFX_WM(WM_ACTIVATEAPP, pT->OnActivateApp((BOOL)c.wParam, (DWORD)c.lParam); return TRUE;)
#define ON_WM_NCACTIVATE() \
    AFX_WM(WM_NCACTIVATE, c.result = pT->OnNcActivate((BOOL)c.wParam); return TRUE;)
#define ON_WM_MOUSEACTIVATE() \
    AFX_WM(WM_MOUSEACTIVATE, c.result = pT->OnMouseActivate(CWnd::FromHandle((HWND)c.wParam), LOWORD(c.lParam), HIWORD(c.lParam)); return TRUE;)
#define ON_WM_SETFOCUS()        AFX_WM(WM_SETFOCUS, pT->OnSetFocus(CWnd::FromHandle((HWND)c.wParam)); return TRUE;)
#define ON_WM_KILLFOCUS()       AFX_WM(WM_KILLFOCUS, pT->OnKillFocus(CWnd::FromHandle((HWND)c.wParam)); return TRUE;)
#define ON_WM_CANCELMODE()      AFX_WM(WM_CANCELMODE, pT->OnCancelMode(); return TRUE;)
#define ON_WM_CAPTURECHANGED()  AFX_WM(WM_CAPTURECHANGED, pT->OnCaptureChanged(CWnd::FromHandle((HWND)c.lParam)); return TRUE;)
#define ON_WM_TIMER()           AFX_WM(WM_TIMER, pT->OnTimer((UINT_PTR)c.wParam); return TRUE;)
#define ON_WM_SYSCOMMAND()      AFX_WM(WM_SYSCOMMAND, pT->OnSysCommand((UINT)c.wParam, c.lParam); return TRUE;)
#define ON_WM_QUERYDRAGICON()   AFX_WM(WM_QUERYDRAGICON, c.result = (LRESULT)pT->OnQueryDragIcon(); return TRUE;)
#define ON_WM_CONTEXTMENU() \
    AFX_WM(WM_CONTEXTMENU, pT->OnContextMenu(CWnd::FromHandle((HWND)c.wParam), CPoint((short)LOWORD(c.lParam), (short)HIWORD(c.lParam))); return TRUE;)
#define ON_WM_HELPINFO()        AFX_WM(WM_HELP, c.result = pT->OnHelpInfo((HELPINFO*)c.lParam); return TRUE;)
#define ON_WM_SETCURSOR() \
    AFX_WM(WM_SETCURSOR, c.result = pT->OnSetCursor(CWnd::FromHandle((HWND)c.wParam), LOWORD(c.lParam), HIWORD(c.lParam)); return TRUE;)
#define ON_WM_GETDLGCODE()      AFX_WM(WM_GETDLGCODE, c.result = (LRESULT)pT->OnGetDlgCode(); return TRUE;)
#define ON_WM_NCHITTEST() \
    AFX_WM(WM_NCHITTEST, c.result = (LRESULT)pT->OnNcHitTest(CPoint((short)LOWORD(c.lParam), (short)HIWORD(c.lParam))); return TRUE;)
#define ON_WM_NCCALCSIZE() \
    AFX_WM(WM_NCCALCSIZE, pT->OnNcCalcSize((BOOL)c.wParam, (NCCALCSIZE_PARAMS*)c.lParam); return TRUE;)
#define ON_WM_SYSCOLORCHANGE()  AFX_WM(WM_SYSCOLORCHANGE, pT->OnSysColorChange(); return TRUE;)
#define ON_WM_SETTINGCHANGE() \
    AFX_WM(WM_SETTINGCHANGE, pT->OnSettingChange((UINT)c.wParam, (LPCTSTR)c.lParam); return TRUE;)
#define ON_WM_WININICHANGE()    AFX_WM(WM_WININICHANGE, pT->OnWinIniChange((LPCTSTR)c.lParam); return TRUE;)
#define ON_WM_QUERYNEWPALETTE() AFX_WM(WM_QUERYNEWPALETTE, c.result = pT->OnQueryNewPalette(); return TRUE;)
#define ON_WM_PALETTECHANGED()  AFX_WM(WM_PALETTECHANGED, pT->OnPaletteChanged(CWnd::FromHandle((HWND)c.wParam)); return TRUE;)
#define ON_WM_STYLECHANGED() \
    AFX_WM(WM_STYLECHANGED, pT->OnStyleChanged((int)c.wParam, (LPSTYLESTRUCT)c.lParam); return TRUE;)
#define ON_WM_DROPFILES()       AFX_WM(WM_DROPFILES, pT->OnDropFiles((HDROP)c.wParam); return TRUE;)
#define ON_WM_INITMENUPOPUP() \
    AFX_WM(WM_INITMENUPOPUP, pT->OnInitMenuPopup(CMenu::FromHandle((HMENU)c.wParam), LOWORD(c.lParam), (BOOL)HIWORD(c.lParam)); return TRUE;)
#define ON_WM_MENUSELECT() \
    AFX_WM(WM_MENUSELECT, pT->OnMenuSelect(LOWORD(c.wParam), HIWORD(c.wParam), (HMENU)c.lParam); return TRUE;)
#define ON_WM_CTLCOLOR()                                                                        \
    AFX_MSG_HANDLER(WM_CTLCOLOR, 0, 0, 0, nullptr,                                              \
                    c.result = (LRESULT)pT->OnCtlColor(CDC::FromHandle((HDC)c.wParam),          \
                                                       CWnd::FromHandle((HWND)c.lParam),        \
                                                       (UINT)c.nCode);                          \
                    return TRUE;)
#define ON_WM_DRAWITEM() \
    AFX_WM(WM_DRAWITEM, pT->OnDrawItem((int)c.wParam, (LPDRAWITEMSTRUCT)c.lParam); c.result = TRUE; return TRUE;)
#define ON_WM_MEASUREITEM() \
    AFX_WM(WM_MEASUREITEM, pT->OnMeasureItem((int)c.wParam, (LPMEASUREITEMSTRUCT)c.lParam); c.result = TRUE; return TRUE;)

// Scrolling: void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
#define ON_WM_HSCROLL() \
    AFX_WM(WM_HSCROLL, pT->OnHScroll(LOWORD(c.wParam), HIWORD(c.wParam), (CScrollBar*)CWnd::FromHandle((HWND)c.lParam)); return TRUE;)
#define ON_WM_VSCROLL() \
    AFX_WM(WM_VSCROLL, pT->OnVScroll(LOWORD(c.wParam), HIWORD(c.wParam), (CScrollBar*)CWnd::FromHandle((HWND)c.lParam)); return TRUE;)
#define ON_WM_MOUSEWHEEL() \
    AFX_WM(WM_MOUSEWHEEL, c.result = pT->OnMouseWheel(LOWORD(c.wParam), (short)HIWORD(c.wParam), CPoint((short)LOWORD(c.lParam), (short)HIWORD(c.lParam))); return TRUE;)

// Keyboard: void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
#define AFX_WM_KEY(msg, fn) \
    AFX_WM(msg, pT->fn((UINT)c.wParam, LOWORD(c.lParam), HIWORD(c.lParam)); return TRUE;)
#define ON_WM_KEYDOWN()     AFX_WM_KEY(WM_KEYDOWN, OnKeyDown)
#define ON_WM_KEYUP()       AFX_WM_KEY(WM_KEYUP, OnKeyUp)
#define ON_WM_CHAR()        AFX_WM_KEY(WM_CHAR, OnChar)
#define ON_WM_DEADCHAR()    AFX_WM_KEY(WM_DEADCHAR, OnDeadChar)
#define ON_WM_SYSKEYDOWN()  AFX_WM_KEY(WM_SYSKEYDOWN, OnSysKeyDown)
#define ON_WM_SYSKEYUP()    AFX_WM_KEY(WM_SYSKEYUP, OnSysKeyUp)
#define ON_WM_SYSCHAR()     AFX_WM_KEY(WM_SYSCHAR, OnSysChar)
#define ON_WM_SYSDEADCHAR() AFX_WM_KEY(WM_SYSDEADCHAR, OnSysDeadChar)

// Mouse: void OnLButtonDown(UINT nFlags, CPoint point)
#define AFX_WM_MOUSE(msg, fn) \
    AFX_WM(msg, pT->fn((UINT)c.wParam, CPoint((short)LOWORD(c.lParam), (short)HIWORD(c.lParam))); return TRUE;)
#define ON_WM_MOUSEMOVE()     AFX_WM_MOUSE(WM_MOUSEMOVE, OnMouseMove)
#define ON_WM_LBUTTONDOWN()   AFX_WM_MOUSE(WM_LBUTTONDOWN, OnLButtonDown)
#define ON_WM_LBUTTONUP()     AFX_WM_MOUSE(WM_LBUTTONUP, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() AFX_WM_MOUSE(WM_LBUTTONDBLCLK, OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN()   AFX_WM_MOUSE(WM_RBUTTONDOWN, OnRButtonDown)
#define ON_WM_RBUTTONUP()     AFX_WM_MOUSE(WM_RBUTTONUP, OnRButtonUp)
#define ON_WM_RBUTTONDBLCLK() AFX_WM_MOUSE(WM_RBUTTONDBLCLK, OnRButtonDblClk)
#define ON_WM_MBUTTONDOWN()   AFX_WM_MOUSE(WM_MBUTTONDOWN, OnMButtonDown)
#define ON_WM_MBUTTONUP()     AFX_WM_MOUSE(WM_MBUTTONUP, OnMButtonUp)
#define ON_WM_MBUTTONDBLCLK() AFX_WM_MOUSE(WM_MBUTTONDBLCLK, OnMButtonDblClk)
// Non-client mouse: void OnNcLButtonDown(UINT nHitTest, CPoint point)
#define ON_WM_NCMOUSEMOVE()     AFX_WM_MOUSE(WM_NCMOUSEMOVE, OnNcMouseMove)
#define ON_WM_NCLBUTTONDOWN()   AFX_WM_MOUSE(WM_NCLBUTTONDOWN, OnNcLButtonDown)
#define ON_WM_NCLBUTTONUP()     AFX_WM_MOUSE(WM_NCLBUTTONUP, OnNcLButtonUp)
#define ON_WM_NCLBUTTONDBLCLK() AFX_WM_MOUSE(WM_NCLBUTTONDBLCLK, OnNcLButtonDblClk)

// ---- Command user-interface state ----
// Set by update handlers for a menu item or a control before it is shown.
class CCmdUI
{
public:
    CCmdUI();
    virtual ~CCmdUI() = default;

    UINT m_nID = 0;
    UINT m_nIndex = 0;          // position in m_pMenu
    CMenu* m_pMenu = nullptr;   // the menu being updated, or NULL
    CMenu* m_pSubMenu = nullptr;
    CWnd* m_pOther = nullptr;   // the control being updated, or NULL
    UINT m_nIndexMax = 0;
    BOOL m_bEnableChanged = FALSE;
    BOOL m_bContinueRouting = FALSE;

    virtual void Enable(BOOL bOn = TRUE);
    virtual void SetCheck(int nCheck = 1);   // 0 unchecked, 1 checked, 2 indeterminate
    virtual void SetRadio(BOOL bOn = TRUE);
    virtual void SetText(LPCTSTR lpszText);
    void ContinueRouting() { m_bContinueRouting = TRUE; }

    // Asks pTarget's routing for an update handler of m_nID; with bDisableIfNoHandler an item that
    // has no update handler is enabled exactly when it has a command handler. Returns TRUE when an
    // update handler ran.
    BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHandler);
};
