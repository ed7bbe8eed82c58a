// CToolTipCtrl: the common tooltip control. A tool is either a whole window (nIDTool 0, no
// rectangle: identified by its handle) or a rectangle of a window with an id of its own; its text
// is given, taken from the string table by id, or asked for with TTN_NEEDTEXT (LPSTR_TEXTCALLBACK).
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "framework/core/CString.h"
#include "framework/core/Geometry.h"
#include "framework/win/Wnd.h"

class CToolTipCtrl : public CWnd
{
    DECLARE_DYNAMIC(CToolTipCtrl)
public:
    CToolTipCtrl() = default;
    // A pop-up tooltip window owned by pParentWnd; dwStyle adds TTS_ALWAYSTIP, TTS_NOPREFIX, ...
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);

    BOOL AddTool(CWnd* pWnd, LPCTSTR lpszText = LPSTR_TEXTCALLBACK, LPCRECT lpRectTool = nullptr, UINT_PTR nIDTool = 0);
    // The text is the string nIDText of the resource module.
    BOOL AddTool(CWnd* pWnd, UINT nIDText, LPCRECT lpRectTool = nullptr, UINT_PTR nIDTool = 0);
    void DelTool(CWnd* pWnd, UINT_PTR nIDTool = 0);
    int GetToolCount() const { return (int)::SendMessageA(m_hWnd, TTM_GETTOOLCOUNT, 0, 0); }
    // Fill a TOOLINFO with the tool's settings / change them (cbSize, hwnd and uId name the tool).
    BOOL GetToolInfo(TTTOOLINFOA* pToolInfo, CWnd* pWnd, UINT_PTR nIDTool = 0) const;
    void SetToolInfo(TTTOOLINFOA* pToolInfo) { ::SendMessageA(m_hWnd, TTM_SETTOOLINFOA, 0, (LPARAM)pToolInfo); }
    void SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect);
    void GetText(CString& str, CWnd* pWnd, UINT_PTR nIDTool = 0) const;
    void UpdateTipText(LPCTSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool = 0);
    void UpdateTipText(UINT nIDText, CWnd* pWnd, UINT_PTR nIDTool = 0);
    // The tool at pt (client coordinates of pWnd); fills pToolInfo when given.
    BOOL HitTest(CWnd* pWnd, CPoint pt, TTTOOLINFOA* pToolInfo) const;

    void Activate(BOOL bActivate) { ::SendMessageA(m_hWnd, TTM_ACTIVATE, bActivate, 0); }
    // Mouse messages of the tools' windows, for a tooltip that does not subclass them.
    void RelayEvent(LPMSG lpMsg) { ::SendMessageA(m_hWnd, TTM_RELAYEVENT, 0, (LPARAM)lpMsg); }
    // Initial delay in milliseconds; the other delays follow from it.
    void SetDelayTime(UINT nDelay) { ::SendMessageA(m_hWnd, TTM_SETDELAYTIME, TTDT_AUTOMATIC, (LPARAM)nDelay); }
    // dwDuration: TTDT_AUTOPOP, TTDT_INITIAL or TTDT_RESHOW.
    void SetDelayTime(DWORD dwDuration, int iTime) { ::SendMessageA(m_hWnd, TTM_SETDELAYTIME, dwDuration, MAKELPARAM(iTime, 0)); }
    int GetDelayTime(DWORD dwDuration) const { return (int)::SendMessageA(m_hWnd, TTM_GETDELAYTIME, dwDuration, 0); }
    int SetMaxTipWidth(int iWidth) { return (int)::SendMessageA(m_hWnd, TTM_SETMAXTIPWIDTH, 0, iWidth); }
    void Pop() { ::SendMessageA(m_hWnd, TTM_POP, 0, 0); }
    void Update() { ::SendMessageA(m_hWnd, TTM_UPDATE, 0, 0); }

protected:
    // cbSize, hwnd, uId and the flags of the tool (pWnd, nIDTool).
    void FillInToolInfo(TTTOOLINFOA& ti, CWnd* pWnd, UINT_PTR nIDTool) const;
};
