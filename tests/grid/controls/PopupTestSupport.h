#pragma once
// A top-level window on the display that hosts the windows under test (drop edits, calculators,
// calendars) and records what they tell it: WM_COMMAND, the calendar's 2005-2008 and the
// calculator's result (2019, its text copied when it arrives).

#include "framework/win/WinApp.h"
#include "framework/win/Wnd.h"

#include <string>
#include <vector>

class MessageHost : public CWnd
{
public:
    struct Message
    {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        std::string text;   // the result text of 2019
    };

    BOOL Open(const CRect& rect = CRect(40, 40, 440, 340))
    {
        return CreateEx(0, AfxRegisterWndClass(0, ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)),
                                               reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1)),
                        "Host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, rect, nullptr, 0);
    }
    ~MessageHost() override
    {
        if (m_hWnd != nullptr)
            DestroyWindow();
    }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_COMMAND || (message >= 2005 && message <= 2008))
            messages.push_back({message, wParam, lParam, {}});
        else if (message == 2019)
        {
            messages.push_back({message, wParam, lParam, lParam != 0 ? reinterpret_cast<LPCSTR>(lParam) : ""});
            return TRUE;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }

    size_t Count(UINT message) const
    {
        size_t n = 0;
        for (const Message& m : messages)
            n += m.message == message ? 1 : 0;
        return n;
    }

    std::vector<Message> messages;
};

// Pumps the thread's messages until none is waiting.
inline void PumpPopupMessages()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
    {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

// Alt held: the context code bit of a WM_SYSKEYDOWN.
const LPARAM kAltDown = 0x20000001;

// The first visible pop-up window of this thread whose object is of the class, NULL when none.
template <class T>
T* FindPopupOfClass()
{
    struct Search
    {
        T* pFound = nullptr;
        static BOOL CALLBACK Visit(HWND hWnd, LPARAM lParam)
        {
            Search* pSearch = reinterpret_cast<Search*>(lParam);
            if (::IsWindowVisible(hWnd))
                if (T* pWnd = dynamic_cast<T*>(CWnd::FromHandlePermanent(hWnd)))
                {
                    pSearch->pFound = pWnd;
                    return FALSE;
                }
            return TRUE;
        }
    } search;
    ::EnumThreadWindows(::GetCurrentThreadId(), &Search::Visit, reinterpret_cast<LPARAM>(&search));
    return search.pFound;
}
