// Stores 100,000 formula cells as a chain (each cell is the one above + 1) and as a fan (each is
// $A$1*2), changes A1 and prints the store time and the milliseconds per recalculation, eager and
// lazy (lazy: the pass, then every cell asked for its value); then the time a sheet takes for one
// cell in its first row and one in its last. Prints figures only; never fails.

#include <windows.h>

#include <cstdio>

#include "grid/formula/CellStore.h"
#include "grid/formula/EngineSheet.h"
#include "tests/bench/RecalcSupport.h"

namespace
{
// The per-row counts of a sheet reach its lowest cell: one cell in the last row sizes them for
// 8,388,607 rows.
void FarCell()
{
    const int kSheets = 20;
    const double start = NowMs();
    for (int i = 0; i < kSheets; ++i) {
        const int hSheet = CreateSheet();
        StoreNumber(hSheet, 1, 0, 1.0);
        StoreNumber(hSheet, GX_MAX_ROW, 0, 2.0);
        DestroySheet(hSheet);
    }
    std::printf("a cell in the first and one in the last row: %.2f ms per sheet\n", (NowMs() - start) / kSheets);
}
}  // namespace

int main()
{
    PrintRecalculation("chain", true);
    PrintRecalculation("fan", false);
    FarCell();
    return 0;
}
