#pragma once
// Keys typed through the system's keyboard input (SendInput), at a chosen pace. Such keys wait in
// the thread's input queue, and the system hands each to the window that has the focus when the
// program takes it from the queue, as it does with a person's keys.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

// A key script: digits, '.' and '-' are typed as they stand; D, U, E, T, L, B and X press Down, Up,
// Enter, Tab, Left, Backspace and Esc.
inline WORD KeyScriptVirtualKey(char c)
{
    switch (c)
    {
    case 'D': return VK_DOWN;
    case 'U': return VK_UP;
    case 'E': return VK_RETURN;
    case 'T': return VK_TAB;
    case 'L': return VK_LEFT;
    case 'B': return VK_BACK;
    case 'X': return VK_ESCAPE;
    case '.': return VK_OEM_PERIOD;
    case '-': return VK_OEM_MINUS;
    default: return static_cast<WORD>(c);
    }
}

// The press and the release of each key of the script.
inline std::vector<INPUT> KeyScriptInput(const std::string& script)
{
    std::vector<INPUT> inputs;
    for (char c : script)
    {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = KeyScriptVirtualKey(c);
        input.ki.wScan = static_cast<WORD>(::MapVirtualKeyA(input.ki.wVk, MAPVK_VK_TO_VSC));
        // The arrows are extended keys of the keyboard.
        if (input.ki.wVk == VK_DOWN || input.ki.wVk == VK_UP || input.ki.wVk == VK_LEFT)
            input.ki.dwFlags = KEYEVENTF_EXTENDEDKEY;
        inputs.push_back(input);
        input.ki.dwFlags |= KEYEVENTF_KEYUP;
        inputs.push_back(input);
    }
    return inputs;
}

enum class KeyPace
{
    Slow,       // each key handled, and the windows painted, before the next one comes
    Burst,      // every key queued before the first one is handled
    TypeAhead,  // the first key handled and painted, then all the others queued at once
    Typist,     // a key every 5 ms from another thread while the program handles them as they come
};

inline const char* KeyPaceName(KeyPace pace)
{
    switch (pace)
    {
    case KeyPace::Slow: return "slow";
    case KeyPace::Burst: return "all keys queued at once";
    case KeyPace::TypeAhead: return "keys queued while the first one's cell editor shows";
    default: return "a key every 5 ms";
    }
}

// Types the script at the pace; pumpUntilIdle dispatches the program's messages until none is left.
// Call it under ASSERT_NO_FATAL_FAILURE.
inline void TypeKeyScript(const std::string& script, KeyPace pace, const std::function<void()>& pumpUntilIdle)
{
    const std::vector<INPUT> inputs = KeyScriptInput(script);
    auto send = [&](size_t nFirst, size_t nCount) {
        return nCount == 0 ||
               ::SendInput(static_cast<UINT>(nCount), const_cast<INPUT*>(inputs.data()) + nFirst, sizeof(INPUT)) ==
                   nCount;
    };
    switch (pace)
    {
    case KeyPace::Slow:
        for (size_t i = 0; i < inputs.size(); i += 2)
        {
            ASSERT_TRUE(send(i, 2));
            pumpUntilIdle();
        }
        break;
    case KeyPace::Burst:
    case KeyPace::TypeAhead:
    {
        const size_t nFirst = pace == KeyPace::TypeAhead ? 2 : 0;
        ASSERT_TRUE(send(0, nFirst));
        pumpUntilIdle();
        ASSERT_TRUE(send(nFirst, inputs.size() - nFirst));
        pumpUntilIdle();
        break;
    }
    case KeyPace::Typist:
    {
        std::atomic<bool> bDone{false};
        std::atomic<bool> bSent{true};
        std::thread typist([&] {
            for (size_t i = 0; i < inputs.size(); i += 2)
            {
                bSent = bSent && send(i, 2);
                ::Sleep(5);
            }
            bDone = true;
        });
        while (!bDone)
        {
            MSG msg;
            if (::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE))
                pumpUntilIdle();
            else
                ::Sleep(1);
        }
        typist.join();
        pumpUntilIdle();
        ASSERT_TRUE(bSent);
        break;
    }
    }
}
