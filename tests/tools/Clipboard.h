// Puts data on the real clipboard, as another program would, for tests of pasting. Tests that use it
// take the "clipboard" resource lock.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

// Puts one block on the emptied clipboard.
inline void PutOnClipboard(UINT nFormat, const void* pData, size_t nSize)
{
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    HGLOBAL hData = ::GlobalAlloc(GMEM_MOVEABLE, nSize);
    std::memcpy(::GlobalLock(hData), pData, nSize);
    ::GlobalUnlock(hData);
    EXPECT_NE(::SetClipboardData(nFormat, hData), nullptr);
    ::CloseClipboard();
}

// Text with its NUL as CF_TEXT.
inline void PutText(const std::string& text)
{
    PutOnClipboard(CF_TEXT, text.c_str(), text.size() + 1);
}
