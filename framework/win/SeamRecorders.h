// Test doubles for the seams of Seams.h: a message box that records and answers, a modal hook that
// runs a function, a clock that moves only when told, and a beep that only counts.
#pragma once

#include "framework/win/Seams.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

class CRecordingMessageBox : public CMessageBoxSeam
{
public:
    struct Call
    {
        HWND hWndOwner;
        std::string text;
        std::string caption;
        UINT nType;
    };

    std::vector<Call> calls;
    std::deque<int> answers;      // given in order; when empty, defaultAnswer
    int defaultAnswer = IDOK;

    int Show(HWND hWndOwner, LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType) override
    {
        calls.push_back({hWndOwner, lpszText ? lpszText : "", lpszCaption ? lpszCaption : "", nType});
        if (answers.empty())
            return defaultAnswer;
        int answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

class CFunctionModalHook : public CModalHook
{
public:
    std::function<void(CWnd*)> onDialog;
    std::function<void(CWnd*)> onMessageBox;
    // Answers common dialogs (see CModalHook::OnCommonDialog); unset, the real dialog runs.
    std::function<BOOL(CCommonDialog*, INT_PTR&)> onCommonDialog;
    // Answers pop-up menus (see CModalHook::OnPopupMenu); unset, the real menu shows.
    std::function<BOOL(CMenu*, UINT, CPoint, CWnd*, BOOL&)> onPopupMenu;

    explicit CFunctionModalHook(std::function<void(CWnd*)> dialog = {}, std::function<void(CWnd*)> box = {})
        : onDialog(std::move(dialog)), onMessageBox(std::move(box)) {}

    void OnModalDialog(CWnd* pDialog) override
    {
        if (onDialog)
            onDialog(pDialog);
    }
    void OnMessageBox(CWnd* pBox) override
    {
        if (onMessageBox)
            onMessageBox(pBox);
    }
    BOOL OnCommonDialog(CCommonDialog* pDialog, INT_PTR& nResult) override
    {
        return onCommonDialog ? onCommonDialog(pDialog, nResult) : FALSE;
    }
    BOOL OnPopupMenu(CMenu* pMenu, UINT nFlags, CPoint point, CWnd* pWnd, BOOL& nResult) override
    {
        return onPopupMenu ? onPopupMenu(pMenu, nFlags, point, pWnd, nResult) : FALSE;
    }
};

class CManualTickClock : public CTickClock
{
public:
    DWORD now = 0;
    DWORD step = 0;   // added after every read, so that a wait loop moves on
    DWORD GetTickCount() override
    {
        DWORD value = now;
        now += step;
        return value;
    }
};

class CRecordingBeep : public CBeepSeam
{
public:
    std::vector<UINT> beeps;   // the sound type of every beep, in order
    BOOL MessageBeep(UINT uType) override
    {
        beeps.push_back(uType);
        return TRUE;
    }
};
