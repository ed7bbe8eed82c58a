// The chart as a picture: the clipboard copy, BMP and JPEG files through the save dialogs, a target
// that cannot be written, and the view's palette.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "ChartViewTestSupport.h"
#include "chart/ui/ChartViewIds.h"
#include "chart/ui/image/Jpeg.h"
#include "framework/dialogs/FileDialog.h"
#include "framework/win/Clipboard.h"
#include "framework/win/Dc.h"
#include "framework/win/FrameworkIds.h"
#include "tests/framework/WinTestSupport.h"

namespace {

// A file in the build folder (the tests' working directory).
std::string BuildPath(const char* name)
{
    char folder[MAX_PATH] = "";
    ::GetCurrentDirectoryA(sizeof folder, folder);
    return std::string(folder) + "\\" + name;
}

LONGLONG FileSize(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return -1;
    return (LONGLONG(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

std::string FirstBytes(const std::string& path, DWORD count)
{
    HANDLE hFile = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return "";
    std::string bytes(count, '\0');
    DWORD read = 0;
    ::ReadFile(hFile, bytes.data(), count, &read, nullptr);
    ::CloseHandle(hFile);
    bytes.resize(read);
    return bytes;
}

// The filter as the dialog gets it, its NULs shown as '|'.
std::string FilterAsSeen(LPCSTR lpszFilter)
{
    std::string seen;
    for (const char* p = lpszFilter; *p != '\0'; p += std::strlen(p) + 1)
        seen += std::string(p) + "|";
    return seen;
}

} // namespace

class ChartPictureTest : public ChartViewTest
{
protected:
    std::string answer;   // the path the save dialog gives; empty: Cancel
    OPENFILENAMEA seen = {};
    std::string seenFilter;
    std::string seenDefExt;
    int nDialogs = 0;

    void SetUp() override
    {
        ChartViewTest::SetUp();
        hook.onCommonDialog = [this](CCommonDialog* pDialog, INT_PTR& nResult) -> BOOL {
            auto* pFile = dynamic_cast<CFileDialog*>(pDialog);
            if (pFile == nullptr)
                return FALSE;
            ++nDialogs;
            seen = pFile->m_ofn;
            seenFilter = FilterAsSeen(seen.lpstrFilter);
            seenDefExt = seen.lpstrDefExt != nullptr ? seen.lpstrDefExt : "";
            if (answer.empty()) {
                nResult = IDCANCEL;
                return TRUE;
            }
            lstrcpynA(pFile->m_ofn.lpstrFile, answer.c_str(), (int)pFile->m_ofn.nMaxFile);
            nResult = IDOK;
            return TRUE;
        };
    }
};

TEST_F(ChartPictureTest, CopyPutsTheChartAsTheWindowShowsItOnTheClipboard)
{
    Command(ID_EDIT_COPY);
    CClipboard clipboard(pFrame->m_hWnd);
    ASSERT_TRUE(clipboard.IsOpen());
    HBITMAP hBitmap = clipboard.GetBitmap();
    ASSERT_NE(nullptr, hBitmap);
    BITMAP info = {};
    ::GetObjectA(hBitmap, sizeof info, &info);
    const CRect client = Client();
    EXPECT_EQ(client.Width(), info.bmWidth);
    EXPECT_EQ(client.Height(), info.bmHeight);

    CDC memory;
    memory.CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(memory.m_hDC, hBitmap);
    CClientDC window(pView);
    const CPoint samples[] = {{3, 3}, {client.right - 4, 3}, {client.Width() / 2, client.Height() / 2},
                              {client.right - 4, client.bottom - 4}, PointOf(2, 0)};
    for (const CPoint& p : samples)
        EXPECT_EQ(window.GetPixel(p.x, p.y), memory.GetPixel(p.x, p.y)) << p.x << ", " << p.y;
    ::SelectObject(memory.m_hDC, hOld);
    ::DeleteObject(hBitmap);
}

TEST_F(ChartPictureTest, TheSaveDialogsAskForANewFileOfTheirKind)
{
    const struct
    {
        UINT nCommand;
        const char* defExt;
        const char* filter;
    } cases[] = {
        {ID_QVG_SAVE_DIB, "bmp", "Dib bitmap files(*.bmp)|*.bmp|All files(*.*)|*.*|"},
        {ID_QVG_SAVE_JPEG, "jpg", "Jpeg files(*.jpg)|*.jpg|All files(*.*)|*.*|"},
    };
    for (const auto& c : cases) {
        nDialogs = 0;
        Command(c.nCommand);   // cancelled: nothing is written, nothing is said
        ASSERT_EQ(1, nDialogs);
        EXPECT_FALSE(seen.Flags & OFN_FILEMUSTEXIST) << c.defExt;
        const DWORD flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_EXPLORER | OFN_LONGNAMES;
        EXPECT_EQ(flags, seen.Flags & flags) << c.defExt;
        EXPECT_EQ(c.defExt, seenDefExt);
        EXPECT_EQ(c.filter, seenFilter);
    }
    EXPECT_TRUE(messageBox.calls.empty());
}

TEST_F(ChartPictureTest, SaveAsDibWritesABmpOfTheClientArea)
{
    answer = BuildPath("chart_view_saved.bmp");
    ::DeleteFileA(answer.c_str());
    Command(ID_QVG_SAVE_DIB);
    EXPECT_TRUE(messageBox.calls.empty());
    const CRect client = Client();
    const LONGLONG stride = ((LONGLONG(client.Width()) * 24 + 31) / 32) * 4;
    EXPECT_EQ(54 + stride * client.Height(), FileSize(answer));
    EXPECT_EQ("BM", FirstBytes(answer, 2));
}

TEST_F(ChartPictureTest, SaveAsJpegWritesAFileTheDecoderReadsBack)
{
    answer = BuildPath("chart_view_saved.jpg");
    ::DeleteFileA(answer.c_str());
    Command(ID_QVG_SAVE_JPEG);
    EXPECT_TRUE(messageBox.calls.empty());
    BWKJpeg picture;
    ASSERT_TRUE(picture.LoadFromPath(answer.c_str())) << (LPCTSTR)picture.GetLastMessage();
    EXPECT_EQ(Client().Width(), picture.GetWidth());
    EXPECT_EQ(Client().Height(), picture.GetHeight());
}

TEST_F(ChartPictureTest, ATargetThatCannotBeWrittenIsReportedAndLeftAlone)
{
    answer = BuildPath("chart_view_unwritable.bmp");
    ::SetFileAttributesA(answer.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileA(answer.c_str());
    ::RemoveDirectoryA(answer.c_str());
    auto writeKeep = [&] {
        HANDLE hFile = ::CreateFileA(answer.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        ::WriteFile(hFile, "keep", 4, &written, nullptr);
        return hFile;
    };
    const struct
    {
        const char* name;
        std::function<HANDLE()> prepare;   // gives a handle to close afterwards, or none
        bool bFile;
    } cases[] = {
        {"a read-only file", [&] {
             ::CloseHandle(writeKeep());
             ::SetFileAttributesA(answer.c_str(), FILE_ATTRIBUTE_READONLY);
             return INVALID_HANDLE_VALUE;
         }, true},
        {"a file another program holds open", [&] { return writeKeep(); }, true},
        {"a folder", [&] {
             ::CreateDirectoryA(answer.c_str(), nullptr);
             return INVALID_HANDLE_VALUE;
         }, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        HANDLE hHeld = c.prepare();
        // Wine lets the superuser write a read-only file; there is nothing to refuse then.
        HANDLE hProbe = ::CreateFileA(answer.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
        const bool bWritable = hProbe != INVALID_HANDLE_VALUE;
        if (bWritable)
            ::CloseHandle(hProbe);
        if (!bWritable) {
            for (UINT nCommand : {ID_QVG_SAVE_DIB, ID_QVG_SAVE_JPEG}) {
                messageBox.calls.clear();
                Command(nCommand);
                ASSERT_EQ(1u, messageBox.calls.size()) << nCommand;
                EXPECT_FALSE(messageBox.calls[0].text.empty());
                EXPECT_NE("Create Image form bitmap failed.", messageBox.calls[0].text);
                EXPECT_NE("Can't create jpeg image.", messageBox.calls[0].text);
                EXPECT_TRUE(messageBox.calls[0].nType & MB_ICONEXCLAMATION);
            }
        }
        if (hHeld != INVALID_HANDLE_VALUE)
            ::CloseHandle(hHeld);
        if (c.bFile) {
            EXPECT_EQ("keep", FirstBytes(answer, 16));
            ::SetFileAttributesA(answer.c_str(), FILE_ATTRIBUTE_NORMAL);
            ::DeleteFileA(answer.c_str());
        } else {
            ::RemoveDirectoryA(answer.c_str());
        }
    }
}

TEST(GraphViewPalette, IsThreeBitsOfRedAndGreenAndTwoOfBlue)
{
    CPalette palette;
    ASSERT_TRUE(QVGraphView::CreateViewPalette(palette));
    ASSERT_EQ(256, palette.GetEntryCount());
    const struct
    {
        int n;
        BYTE red, green, blue;
    } cases[] = {
        {0, 0, 0, 0},       {7, 255, 0, 0},   {0x38, 0, 255, 0}, {0xC0, 0, 0, 255},
        {0x49, 36, 36, 85}, {255, 255, 255, 255}, {0x92, 72, 72, 170},
    };
    for (const auto& c : cases) {
        PALETTEENTRY entry = {};
        palette.GetPaletteEntries(UINT(c.n), 1, &entry);
        EXPECT_EQ(c.red, entry.peRed) << c.n;
        EXPECT_EQ(c.green, entry.peGreen) << c.n;
        EXPECT_EQ(c.blue, entry.peBlue) << c.n;
        EXPECT_EQ(0, entry.peFlags) << c.n;
    }
}
