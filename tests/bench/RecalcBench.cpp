// Stores 100,000 formula cells as a chain (each cell is the one above + 1) and as a fan (each is
// $A$1*2), changes A1 and prints the store time and the milliseconds per recalculation, eager and
// lazy (lazy: the pass, then every cell asked for its value); then the time a sheet takes for one
// cell in its first row and one in its last. Prints figures only; never fails.

#include <windows.h>

#include <cstdio>
#include <initializer_list>

#include "grid/formula/CellStore.h"
#include "grid/formula/EngineSheet.h"

namespace
{
double NowMs()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return double(counter.QuadPart) * 1e3 / double(frequency.QuadPart);
}

const int32_t kCells = 100000;
const int kRounds = 5;

void Run(const char* shape, bool chain)
{
    for (int32_t method : {1, 0}) {
        const int hSheet = CreateSheet();
        SetMethod(hSheet, method);
        StoreNumber(hSheet, 1, 0, 1.0);
        char text[32];
        const double storeStart = NowMs();
        for (int32_t row = 2; row <= kCells + 1; ++row) {
            if (chain)
                std::snprintf(text, sizeof text, "=A%d+1", row - 1);
            else
                std::snprintf(text, sizeof text, "=$A$1*2");
            StoreFormula(hSheet, row, 0, text);
        }
        const double storeMs = NowMs() - storeStart;
        RecalcEngine(hSheet);

        double recalcMs = 0.0;
        double last = 0.0;
        for (int round = 0; round < kRounds; ++round) {
            StoreNumber(hSheet, 1, 0, double(round + 2));
            AddChangedRange(hSheet, GX_CELLREF{1, 1, GX_REF_SINGLE});
            const double start = NowMs();
            RecalcEngine(hSheet);
            if (method == 0) {
                for (int32_t row = 2; row <= kCells + 1; ++row) {
                    GX_CELL* cell = FindCell(hSheet, row, 0);
                    if (IsStale(cell))
                        RecalcCell(hSheet, cell);
                }
            }
            recalcMs += NowMs() - start;
            last = FindCell(hSheet, kCells + 1, 0)->value.number;
        }
        std::printf("%-6s %-6s store %8.1f ms   recalculation %8.2f ms   (last cell %.0f)\n", shape,
                    method == 1 ? "eager" : "lazy", storeMs, recalcMs / kRounds, last);
        DestroySheet(hSheet);
    }
}
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
    Run("chain", true);
    Run("fan", false);
    FarCell();
    return 0;
}
