// Stores 100,000 formula cells as a chain (each cell is the one above + 1) and as a fan (each is
// $A$1*2), changes A1 and prints the store time and the milliseconds per recalculation, eager and
// lazy (lazy: the pass, then every cell asked for its value); then the time a sheet takes for one
// cell in its first row and one in its last, and the time the changed-range list takes for places
// stored one by one in order and scattered, with a read of a formula between them as a command
// that holds the recalculation reads. Prints figures only; never fails.

#include <windows.h>

#include <cstdio>
#include <vector>

#include "grid/formula/CellReference.h"
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

// 20,000 number cells, each read by a formula beside it, stored again one by one (in order, or every
// 7th row round the column), each store followed by a read of the next formula, then one pass.
void ChangedPlaces(bool scattered)
{
    const int32_t kRows = 20000;
    const int hSheet = CreateSheet();
    SetMethod(hSheet, 1);
    char text[32];
    for (int32_t row = 1; row <= kRows; ++row) {
        StoreNumber(hSheet, row, 0, double(row));
        std::snprintf(text, sizeof text, "=A%d*2", row);
        StoreFormula(hSheet, row, 1, text);
    }
    RecalcEngine(hSheet);
    std::vector<GX_CELL_POSITION> unreported;
    const double start = NowMs();
    for (int32_t i = 0; i < kRows; ++i) {
        const int32_t row = scattered ? int32_t((int64_t(i) * 7) % kRows) + 1 : i + 1;
        StoreNumber(hSheet, row, 0, double(row) * 3);
        AddChangedRange(hSheet, MakeCellReference(row, 0, GX_REFF_SINGLE));
        RecalcHeldCell(hSheet, FindCell(hSheet, row % kRows + 1, 1), FALSE, unreported);
    }
    const double storesMs = NowMs() - start;
    RecalcEngine(hSheet);
    std::printf("%-9s 20,000 stores with a read each %8.1f ms, then the pass %8.1f ms (B%d = %.0f)\n",
                scattered ? "scattered" : "in order", storesMs, NowMs() - start - storesMs, kRows,
                FindCell(hSheet, kRows, 1)->value.number);
    DestroySheet(hSheet);
}
}  // namespace

int main()
{
    PrintRecalculation("chain", true);
    PrintRecalculation("fan", false);
    FarCell();
    ChangedPlaces(false);
    ChangedPlaces(true);
    return 0;
}
