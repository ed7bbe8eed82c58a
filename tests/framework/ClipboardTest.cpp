// CClipboard on the system clipboard of the virtual display: text, a registered format carrying an
// archive in a CSharedFile, a bitmap, and the refusal while another window holds it open.
#include "framework/core/Archive.h"
#include "framework/win/Clipboard.h"
#include "framework/win/Wnd.h"

#include <gtest/gtest.h>

namespace {

class ClipboardTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_hWnd = CreateWindowExA(0, "STATIC", "Clipboard owner", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                                 nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(m_hWnd, nullptr);
    }
    void TearDown() override
    {
        if (m_hWnd != nullptr)
            DestroyWindow(m_hWnd);
    }

    HWND m_hWnd = nullptr;
};

TEST_F(ClipboardTest, TextIsReadBackInItsFormat)
{
    const struct
    {
        UINT nFormat;
        const char* text;
    } cases[] = {
        {CF_TEXT, "1.5\t2.25\r\n3\t\r\n"},
        {CF_OEMTEXT, "sieve"},
        {CF_TEXT, ""},
    };
    for (const auto& c : cases)
    {
        {
            CClipboard clipboard(m_hWnd);
            ASSERT_TRUE(clipboard.IsOpen());
            ASSERT_TRUE(clipboard.Empty());
            ASSERT_TRUE(clipboard.SetText(c.text, c.nFormat));
        }
        EXPECT_TRUE(CClipboard::IsFormatAvailable(c.nFormat));
        CClipboard clipboard(m_hWnd);
        ASSERT_TRUE(clipboard.IsOpen());
        CString text("left over");
        EXPECT_TRUE(clipboard.GetText(text, c.nFormat));
        EXPECT_STREQ(text, c.text);
    }
}

TEST_F(ClipboardTest, ArchiveInARegisteredFormatIsReadBack)
{
    const UINT nFormat = CClipboard::RegisterFormat("Quarrow Test Styles");
    ASSERT_GE(nFormat, 0xC000u);
    EXPECT_EQ(CClipboard::RegisterFormat("Quarrow Test Styles"), nFormat);
    EXPECT_NE(CClipboard::RegisterFormat("Quarrow Test Other"), nFormat);

    {
        CSharedFile file(GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_DDESHARE, 4096);
        {
            CArchive ar(&file, CArchive::store);
            ar << static_cast<DWORD>(3) << static_cast<DWORD>(2) << CString("Standard");
            ar.Close();
        }
        CClipboard clipboard(m_hWnd);
        ASSERT_TRUE(clipboard.Empty());
        ASSERT_TRUE(clipboard.SetText("as text too"));
        ASSERT_TRUE(clipboard.SetFile(nFormat, file));
        EXPECT_EQ(file.GetLength(), 0u);
    }
    EXPECT_TRUE(CClipboard::IsFormatAvailable(nFormat));
    EXPECT_TRUE(CClipboard::IsFormatAvailable(CF_TEXT));

    CClipboard clipboard(m_hWnd);
    CSharedFile file;
    ASSERT_TRUE(clipboard.GetFile(nFormat, file));
    CArchive ar(&file, CArchive::load);
    DWORD rows = 0, cols = 0;
    CString name;
    ar >> rows >> cols >> name;
    EXPECT_EQ(rows, 3u);
    EXPECT_EQ(cols, 2u);
    EXPECT_STREQ(name, "Standard");
}

TEST_F(ClipboardTest, EmptyRemovesEveryFormat)
{
    const UINT nFormat = CClipboard::RegisterFormat("GX_DIRECTCOPY");
    {
        CClipboard clipboard(m_hWnd);
        ASSERT_TRUE(clipboard.Empty());
        ASSERT_TRUE(clipboard.SetText("x"));
        HGLOBAL hWord = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_DDESHARE, 4);
        ASSERT_TRUE(clipboard.SetData(nFormat, hWord));
    }
    ASSERT_TRUE(CClipboard::IsFormatAvailable(nFormat));
    {
        CClipboard clipboard(m_hWnd);
        ASSERT_TRUE(clipboard.Empty());
    }
    EXPECT_FALSE(CClipboard::IsFormatAvailable(nFormat));
    EXPECT_FALSE(CClipboard::IsFormatAvailable(CF_TEXT));
    CClipboard clipboard(m_hWnd);
    CString text;
    EXPECT_FALSE(clipboard.GetText(text));
    EXPECT_EQ(clipboard.GetData(nFormat), nullptr);
}

TEST_F(ClipboardTest, AnotherWindowCannotOpenItMeanwhile)
{
    HWND hOther = CreateWindowExA(0, "STATIC", "Other", WS_OVERLAPPEDWINDOW, 0, 0, 50, 50, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(hOther, nullptr);
    {
        CClipboard clipboard(m_hWnd);
        ASSERT_TRUE(clipboard.IsOpen());
        EXPECT_EQ(CClipboard::GetOpenWindow(), m_hWnd);
        CClipboard refused(hOther);
        EXPECT_FALSE(refused.IsOpen());
        EXPECT_FALSE(refused.Empty());
        EXPECT_FALSE(refused.SetText("lost"));
    }
    EXPECT_EQ(CClipboard::GetOpenWindow(), nullptr);
    CClipboard clipboard(hOther);
    EXPECT_TRUE(clipboard.IsOpen());
    clipboard.Close();
    DestroyWindow(hOther);
}

TEST_F(ClipboardTest, WindowOpensTheClipboardForItself)
{
    CWnd* pWnd = CWnd::FromHandle(m_hWnd);
    ASSERT_TRUE(pWnd->OpenClipboard());
    EXPECT_EQ(CWnd::GetOpenClipboardWindow(), pWnd);
    EXPECT_TRUE(EmptyClipboard());
    EXPECT_TRUE(CloseClipboard());
    EXPECT_EQ(CWnd::GetOpenClipboardWindow(), nullptr);
}

TEST_F(ClipboardTest, BitmapIsReadBackAsACopy)
{
    HDC hScreen = GetDC(nullptr);
    HBITMAP hBitmap = CreateCompatibleBitmap(hScreen, 7, 5);
    HDC hMem = CreateCompatibleDC(hScreen);
    HGDIOBJ hOld = SelectObject(hMem, hBitmap);
    RECT all = {0, 0, 7, 5};
    HBRUSH hBrush = CreateSolidBrush(RGB(200, 40, 10));
    FillRect(hMem, &all, hBrush);
    DeleteObject(hBrush);
    SelectObject(hMem, hOld);
    {
        CClipboard clipboard(m_hWnd);
        ASSERT_TRUE(clipboard.Empty());
        ASSERT_TRUE(clipboard.SetBitmap(hBitmap));
    }
    EXPECT_TRUE(CClipboard::IsFormatAvailable(CF_BITMAP));
    HBITMAP hCopy = nullptr;
    {
        CClipboard clipboard(m_hWnd);
        hCopy = clipboard.GetBitmap();
    }
    ASSERT_NE(hCopy, nullptr);
    BITMAP info = {};
    ASSERT_TRUE(GetObjectA(hCopy, sizeof info, &info));
    EXPECT_EQ(info.bmWidth, 7);
    EXPECT_EQ(info.bmHeight, 5);
    hOld = SelectObject(hMem, hCopy);
    EXPECT_EQ(GetPixel(hMem, 3, 2), RGB(200, 40, 10));
    SelectObject(hMem, hOld);
    DeleteDC(hMem);
    ReleaseDC(nullptr, hScreen);
    EXPECT_TRUE(DeleteObject(hCopy));
}

} // namespace
