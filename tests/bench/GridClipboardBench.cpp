// The clipboard on 100,000 cells (10,000 x 10): copy and paste as text and as the style format, and
// clearing them. Prints the milliseconds of each step, the peak working set, and the ratios of paste
// to copy as text and of copy to paste as the style format.
#include <windows.h>

#include <psapi.h>

#include <cstdio>

#include "framework/win/Clipboard.h"
#include "grid/core/AppData.h"
#include "grid/core/GridCore.h"
#include "grid/core/GridParam.h"
#include "grid/core/Range.h"
#include "grid/features/GridClipboardImp.h"
#include "tests/bench/BenchSupport.h"

namespace
{
const ROWCOL Rows = 10000;
const ROWCOL Cols = 10;

unsigned long long PeakWorkingSetMb()
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    ::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters);
    return counters.PeakWorkingSetSize / (1024 * 1024);
}

struct CopyPasteTimes
{
    double dCopyMs;
    double dPasteMs;
};

// Copies the block in the format the flags choose and pastes it into the second grid.
CopyPasteTimes CopyAndPaste(CGXGridCore& source, CGXGridCore& target, DWORD dwFlags, const char* pszName)
{
    source.m_nClipboardFlags = dwFlags;
    target.m_nClipboardFlags = dwFlags;
    CGXRangeList ranges;
    ranges.AddTail(new CGXRange(1, 1, Rows, Cols));
    {
        CClipboard clipboard(nullptr);
        clipboard.Empty();
    }
    Stopwatch watch;
    const BOOL bCopied = source.CopyRangesToClipboard(ranges);
    CopyPasteTimes times;
    times.dCopyMs = watch.PreciseMilliseconds();
    std::printf("copy as %s: %.1f ms (%s)\n", pszName, times.dCopyMs, bCopied ? "copied" : "failed");
    BOOL bPasted = FALSE;
    {
        CClipboard clipboard(nullptr);
        bPasted = clipboard.IsOpen() && target.PasteFromClipboard(CGXRange(1, 1, Rows, Cols));
    }
    times.dPasteMs = watch.PreciseMilliseconds();
    std::printf("paste as %s: %.1f ms (%s, cell %lu,%lu \"%s\"); peak working set %llu MB\n", pszName,
                times.dPasteMs, bPasted ? "pasted" : "failed", static_cast<unsigned long>(Rows),
                static_cast<unsigned long>(Cols), static_cast<LPCTSTR>(target.GetStoredValueRowCol(Rows, Cols)),
                PeakWorkingSetMb());
    return times;
}
} // namespace

int main()
{
    GXStartLibrary();
    CGXGridCore source;
    FillGrid(source, Rows, Cols, "cell");
    CGXGridCore target;
    target.InitializeGrid();
    target.SetRowCount(1);
    target.SetColCount(1);
    std::printf("grid clipboard, %lu x %lu cells; peak working set %llu MB\n", static_cast<unsigned long>(Rows),
                static_cast<unsigned long>(Cols), PeakWorkingSetMb());

    const CopyPasteTimes text = CopyAndPaste(source, target, GX_CLIP_TEXT, "text");
    const CopyPasteTimes styles = CopyAndPaste(source, target, GX_CLIP_STYLES | GX_CLIP_COMPOSED, "style format");

    CGXRangeList ranges;
    ranges.AddTail(new CGXRange(1, 1, Rows, Cols));
    Stopwatch watch;
    const BOOL bCleared = target.ClearCells(ranges, FALSE);
    std::printf("clear of the values: %.1f ms (%s, cell 1,1 \"%s\"); peak working set %llu MB\n",
                watch.PreciseMilliseconds(), bCleared ? "cleared" : "failed",
                static_cast<LPCTSTR>(target.GetStoredValueRowCol(1, 1)), PeakWorkingSetMb());
    std::printf("paste / copy as text: %.1f; copy / paste as style format: %.2f\n",
                text.dCopyMs > 0 ? text.dPasteMs / text.dCopyMs : 0.0,
                styles.dPasteMs > 0 ? styles.dCopyMs / styles.dPasteMs : 0.0);
    return 0;
}
