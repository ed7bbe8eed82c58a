// Paints the visible page of a 100,000 x 50 grid 1,000 times while scrolling down and right, through
// the grid's own paint path into its window, and paints each of those pages once more with bare GDI
// calls: one background fill, the header fills, the grid lines with PatBlt and ExtTextOut for the
// headers and the filled cells, the floor that any paint of the page stands on. The grid paints
// through a new bitmap of the clip box every time (its buffered paint), so the bare paint is also
// timed that way: into a new compatible bitmap, copied to the window with one BitBlt. Prints the time
// per paint of all three and the grid's ratio to each floor. An argument sets the number of paints
// (fewer for a profiler).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "framework/win/Dc.h"
#include "grid/core/AppData.h"
#include "grid/core/GridWnd.h"
#include "grid/core/Style.h"

namespace
{
const ROWCOL Rows = 100000;
const ROWCOL Cols = 50;
const int DefaultPaints = 1000;
const char* const CellText = "12345.678";

bool IsFilled(ROWCOL nRow, ROWCOL nCol)
{
    return nRow % 97 == 0 && nRow / 97 >= 1 && nRow / 97 <= 40 && nCol >= 1 && nCol <= 10;
}

// The column header text: A..Z, AA..AZ, ...
std::string ColumnName(ROWCOL nCol)
{
    std::string name;
    for (ROWCOL n = nCol; n > 0; n = (n - 1) / 26)
        name.insert(name.begin(), static_cast<char>('A' + (n - 1) % 26));
    return name;
}

// The page's layout, read from the grid once: every row and column of the bench has its default size.
struct PageLayout
{
    RECT grid;
    int headerHeight;
    int rowHeight;
    int headerWidth;
    int colWidth;
    HBRUSH window;
    HBRUSH face;
    HBRUSH line;
    HFONT font;
};

void FillBar(HDC hdc, HBRUSH brush, int x, int y, int cx, int cy)
{
    ::SelectObject(hdc, brush);
    ::PatBlt(hdc, x, y, cx, cy, PATCOPY);
}

void TextIn(HDC hdc, const RECT& cell, const char* text, int length)
{
    ::ExtTextOutA(hdc, cell.left + 2, cell.top + 1, ETO_CLIPPED, &cell, text, static_cast<UINT>(length), nullptr);
}

void PaintBare(HDC hdc, const PageLayout& page, ROWCOL nTopRow, ROWCOL nLeftCol)
{
    const RECT& g = page.grid;
    const HGDIOBJ oldBrush = ::SelectObject(hdc, page.window);
    const HGDIOBJ oldFont = ::SelectObject(hdc, page.font);
    const int oldMode = ::SetBkMode(hdc, TRANSPARENT);
    FillBar(hdc, page.window, g.left, g.top, g.right - g.left, g.bottom - g.top);
    FillBar(hdc, page.face, g.left, g.top, g.right - g.left, page.headerHeight);
    FillBar(hdc, page.face, g.left, g.top, page.headerWidth, g.bottom - g.top);

    // Lines on the right and bottom edge of every cell.
    ::SelectObject(hdc, page.line);
    for (int x = g.left + page.headerWidth - 1; x < g.right; x += page.colWidth)
        ::PatBlt(hdc, x, g.top, 1, g.bottom - g.top, PATCOPY);
    for (int y = g.top + page.headerHeight - 1; y < g.bottom; y += page.rowHeight)
        ::PatBlt(hdc, g.left, y, g.right - g.left, 1, PATCOPY);

    char number[16];
    ROWCOL nCol = nLeftCol;
    for (int x = g.left + page.headerWidth; x < g.right && nCol <= Cols; x += page.colWidth, ++nCol)
    {
        const std::string name = ColumnName(nCol);
        const RECT cell = {x, g.top, x + page.colWidth - 1, g.top + page.headerHeight - 1};
        TextIn(hdc, cell, name.c_str(), static_cast<int>(name.size()));
    }
    ROWCOL nRow = nTopRow;
    for (int y = g.top + page.headerHeight; y < g.bottom && nRow <= Rows; y += page.rowHeight, ++nRow)
    {
        const RECT header = {g.left, y, g.left + page.headerWidth - 1, y + page.rowHeight - 1};
        TextIn(hdc, header, number, std::snprintf(number, sizeof(number), "%lu", static_cast<unsigned long>(nRow)));
        nCol = nLeftCol;
        for (int x = g.left + page.headerWidth; x < g.right && nCol <= Cols; x += page.colWidth, ++nCol)
            if (IsFilled(nRow, nCol))
            {
                const RECT cell = {x, y, x + page.colWidth - 1, y + page.rowHeight - 1};
                TextIn(hdc, cell, CellText, 9);
            }
    }
    ::SetBkMode(hdc, oldMode);
    ::SelectObject(hdc, oldFont);
    ::SelectObject(hdc, oldBrush);
}

// The bare paint the way the grid's buffered paint draws: into a memory DC holding a new bitmap of
// the clip box, then one plain copy to the window.
void PaintBareBuffered(HDC hdc, const PageLayout& page, ROWCOL nTopRow, ROWCOL nLeftCol)
{
    RECT clip;
    ::GetClipBox(hdc, &clip);
    const int cx = clip.right - clip.left;
    const int cy = clip.bottom - clip.top;
    const HDC hMemDC = ::CreateCompatibleDC(hdc);
    const HBITMAP hBitmap = ::CreateCompatibleBitmap(hdc, cx, cy);
    const HGDIOBJ oldBitmap = ::SelectObject(hMemDC, hBitmap);
    ::SetViewportOrgEx(hMemDC, -clip.left, -clip.top, nullptr);
    PaintBare(hMemDC, page, nTopRow, nLeftCol);
    ::SetViewportOrgEx(hMemDC, 0, 0, nullptr);
    ::BitBlt(hdc, clip.left, clip.top, cx, cy, hMemDC, 0, 0, SRCCOPY);
    ::SelectObject(hMemDC, oldBitmap);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hMemDC);
}

std::string Ratio(long long value, long long floor)
{
    const long long tenths = floor > 0 ? (value * 10 + floor / 2) / floor : 0;
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}
}  // namespace

int main(int argc, char** argv)
{
    const int paints = argc > 1 && std::atoi(argv[1]) > 0 ? std::atoi(argv[1]) : DefaultPaints;
    GXStartLibrary();
    CGXGridWnd grid;
    if (!grid.CreateEx(0, "GXWND", "Grid paint", WS_POPUP | WS_VISIBLE, CRect(0, 0, 1024, 768), nullptr, 0))
    {
        std::printf("the grid window could not be created\n");
        return 1;
    }
    grid.Initialize();
    grid.SetRowCount(Rows);
    grid.SetColCount(Cols);
    for (ROWCOL nRow = 1; nRow <= 40; ++nRow)
        for (ROWCOL nCol = 1; nCol <= 10; ++nCol)
            grid.SetValueRange(CGXRange(nRow * 97, nCol), CellText);

    PageLayout page;
    page.grid = grid.GetGridRect();
    page.headerHeight = grid.GetRowHeight(0);
    page.rowHeight = grid.GetRowHeight(1);
    page.headerWidth = grid.GetColWidth(0);
    page.colWidth = grid.GetColWidth(1);
    page.window = ::CreateSolidBrush(::GetSysColor(COLOR_WINDOW));
    page.face = ::CreateSolidBrush(::GetSysColor(COLOR_BTNFACE));
    page.line = ::CreateSolidBrush(RGB(192, 192, 192));
    page.font = ::CreateFontIndirectA(&grid.GetStandardStyle()->GetFont().GetLogFont());

    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    CClientDC dc(&grid);
    long long paintTicks = 0;
    long long scrollTicks = 0;
    long long bareTicks = 0;
    long long bufferedTicks = 0;
    for (int i = 0; i < paints; ++i)
    {
        LARGE_INTEGER start;
        LARGE_INTEGER scrolled;
        LARGE_INTEGER painted;
        LARGE_INTEGER bare;
        LARGE_INTEGER buffered;
        ::QueryPerformanceCounter(&start);
        grid.SetTopRow(1 + static_cast<ROWCOL>(i) * 97 % (Rows - 100), GX_INVALIDATE);
        grid.SetLeftCol(1 + static_cast<ROWCOL>(i) % (Cols - 20), GX_INVALIDATE);
        ::QueryPerformanceCounter(&scrolled);
        grid.DrawGridArea(&dc);
        ::GdiFlush();
        ::QueryPerformanceCounter(&painted);
        PaintBare(dc.GetSafeHdc(), page, grid.GetTopRow(), grid.GetLeftCol());
        ::GdiFlush();
        ::QueryPerformanceCounter(&bare);
        PaintBareBuffered(dc.GetSafeHdc(), page, grid.GetTopRow(), grid.GetLeftCol());
        ::GdiFlush();
        ::QueryPerformanceCounter(&buffered);
        scrollTicks += scrolled.QuadPart - start.QuadPart;
        paintTicks += painted.QuadPart - scrolled.QuadPart;
        bareTicks += bare.QuadPart - painted.QuadPart;
        bufferedTicks += buffered.QuadPart - bare.QuadPart;
    }
    const long long paintMicros = paintTicks * 1000000 / frequency.QuadPart / paints;
    const long long scrollMicros = scrollTicks * 1000000 / frequency.QuadPart / paints;
    const long long bareMicros = bareTicks * 1000000 / frequency.QuadPart / paints;
    const long long bufferedMicros = bufferedTicks * 1000000 / frequency.QuadPart / paints;
    std::printf("grid paint, 100000 x 50, 1024 x 768 window: %lld us per paint, %lld us per scroll step (%d paints)\n",
                paintMicros, scrollMicros, paints);
    std::printf("bare GDI paint of the same pages:           %lld us per paint\n", bareMicros);
    std::printf("bare GDI through a new bitmap per paint:    %lld us per paint\n", bufferedMicros);
    std::printf("ratio grid / bare GDI: %s\n", Ratio(paintTicks, bareTicks).c_str());
    std::printf("ratio grid / bare GDI through a new bitmap: %s\n", Ratio(paintTicks, bufferedTicks).c_str());
    grid.DestroyWindow();
    for (HGDIOBJ object : {static_cast<HGDIOBJ>(page.window), static_cast<HGDIOBJ>(page.face),
                           static_cast<HGDIOBJ>(page.line), static_cast<HGDIOBJ>(page.font)})
        ::DeleteObject(object);
    return 0;
}
