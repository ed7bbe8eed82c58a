// The virtual display and Wine's USER work: a real window with an EDIT child keeps its text.
#include <windows.h>

#include <gtest/gtest.h>

TEST(WindowSmoke, EditControlKeepsItsText)
{
    HWND frame = CreateWindowExA(0, "STATIC", "Smoke", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                 10, 10, 300, 200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(frame, nullptr);
    HWND edit = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL,
                                10, 10, 200, 24, frame, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(edit, nullptr);

    SetWindowTextA(edit, "0.0125 ft/ft");
    char text[64] = {};
    GetWindowTextA(edit, text, sizeof text);
    EXPECT_STREQ(text, "0.0125 ft/ft");
    EXPECT_EQ(SendMessageA(edit, WM_GETTEXTLENGTH, 0, 0), 12);

    EXPECT_TRUE(DestroyWindow(frame));
    EXPECT_FALSE(IsWindow(edit));
}
