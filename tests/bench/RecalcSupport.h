#pragma once
// The recalculation figures that the recalculation benchmarks share: 100,000 formula cells stored as
// a chain (each cell is the one above + 1) or as a fan (each is $A$1*2) straight into an engine sheet,
// A1 changed, and the milliseconds per recalculation printed, eager and lazy (lazy: the pass, then
// every cell asked for its value).

#include <windows.h>

#include <cstdio>
#include <initializer_list>

#include "grid/formula/CellStore.h"
#include "grid/formula/EngineSheet.h"

inline double NowMs()
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

inline void PrintRecalculation(const char* shape, bool chain)
{
    const int32_t kCells = 100000;
    const int kRounds = 5;
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
