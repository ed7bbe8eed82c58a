#include "grid/formula/EngineSheet.h"

#include <cstdlib>
#include <cstring>

#include "framework/core/Debug.h"
#include "framework/core/Exceptions.h"
#include "grid/formula/CellStore.h"
#include "grid/formula/EngineState.h"
#include "grid/formula/RangeNames.h"

namespace
{
void InitPools(GX_SHEET* pSheet)
{
    for (int i = 0; i < 3; ++i) {
        pSheet->pools[i] = GX_CELL_POOL{};
        pSheet->pools[i].mask = 1u << i;
    }
}

// Everything the sheet owns; the record is left as at creation but for its settings.
void FreeContent(GX_SHEET* pSheet)
{
    EmptyChangedRanges(pSheet);
    std::free(pSheet->rowCounts);
    std::free(pSheet->colCounts);
    pSheet->rowCounts = pSheet->colCounts = nullptr;
    pSheet->rowCapacity = pSheet->colCapacity = 0;
    // Removed cells are pool cells: the pools free them.
    pSheet->removedCells = nullptr;
    pSheet->removedRangeValid = 0;
    pSheet->removedRange = GX_CELLREF{};
    for (GX_CELL_POOL& pool : pSheet->pools)
        FreePool(&pool);
    std::memset(pSheet->buckets, 0, sizeof pSheet->buckets);
    FreeRangeNames(pSheet);
    pSheet->bounds = GX_CELLREF{};
    pSheet->boundsValid = 0;
}

GX_SHEET* CheckedSheet(int hSheet)
{
    GX_SHEET* pSheet = GetSheet(hSheet);
    ASSERT(pSheet != nullptr);
    return pSheet;
}

BOOL SetFlag(int hSheet, int32_t GX_SHEET::*field, int32_t value, int32_t maximum)
{
    GX_SHEET* pSheet = CheckedSheet(hSheet);
    if (pSheet == nullptr || value < 0 || value > maximum)
        return FALSE;
    pSheet->*field = value;
    return TRUE;
}

int32_t GetFlag(int hSheet, int32_t GX_SHEET::*field)
{
    GX_SHEET* pSheet = CheckedSheet(hSheet);
    return pSheet != nullptr ? pSheet->*field : 0;
}
}  // namespace

int CreateSheet()
{
    GX_SHEET* pSheet = static_cast<GX_SHEET*>(std::calloc(1, sizeof(GX_SHEET)));
    if (pSheet == nullptr)
        AfxThrowMemoryException();
    InitPools(pSheet);
    std::vector<GX_SHEET*>& sheets = GetEngineState()->m_sheets;
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        if (sheets[i] == nullptr) {
            sheets[i] = pSheet;
            return int(i + 1);
        }
    }
    sheets.push_back(pSheet);
    return int(sheets.size());
}

void DestroySheet(int hSheet)
{
    GX_SHEET* pSheet = GetSheet(hSheet);
    if (pSheet == nullptr)
        return;
    FreeContent(pSheet);
    std::free(pSheet);
    GetEngineState()->m_sheets[std::size_t(hSheet - 1)] = nullptr;
}

void EmptySheet(int hSheet)
{
    GX_SHEET* pSheet = GetSheet(hSheet);
    if (pSheet == nullptr)
        return;
    FreeContent(pSheet);
    InitPools(pSheet);
}

GX_SHEET* GetSheet(int hSheet)
{
    const std::vector<GX_SHEET*>& sheets = GetEngineState()->m_sheets;
    if (hSheet < 1 || std::size_t(hSheet) > sheets.size())
        return nullptr;
    return sheets[std::size_t(hSheet - 1)];
}

uint32_t LockPools(int hSheet, uint32_t mask)
{
    GX_SHEET* pSheet = CheckedSheet(hSheet);
    uint32_t wasUnlocked = 0;
    for (GX_CELL_POOL& pool : pSheet->pools) {
        if ((mask & pool.mask) != 0 && !pool.locked) {
            pool.locked = 1;
            wasUnlocked |= pool.mask;
        }
    }
    return wasUnlocked;
}

int32_t CountPoolCells(int hSheet, uint32_t mask)
{
    GX_SHEET* pSheet = CheckedSheet(hSheet);
    int32_t count = 0;
    for (const GX_CELL_POOL& pool : pSheet->pools)
        if ((mask & pool.mask) != 0)
            count += pool.count;
    return count;
}

GX_CELL_POOL* GetPool(GX_SHEET* pSheet, uint32_t mask)
{
    switch (mask) {
    case GX_POOL_CONSTANT:
        return &pSheet->pools[0];
    case GX_POOL_FORMULA:
        return &pSheet->pools[1];
    case GX_POOL_PLACEHOLDER:
        return &pSheet->pools[2];
    default:
        return nullptr;
    }
}

BOOL SetManual(int hSheet, int32_t value) { return SetFlag(hSheet, &GX_SHEET::manualRecalc, value, 1); }
BOOL SetMethod(int hSheet, int32_t value) { return SetFlag(hSheet, &GX_SHEET::recalcMethod, value, 1); }
BOOL SetConstraintChecking(int hSheet, int32_t value) { return SetFlag(hSheet, &GX_SHEET::constraintCheck, value, 1); }
BOOL SetBlanksAreZero(int hSheet, int32_t value) { return SetFlag(hSheet, &GX_SHEET::blanksAreZero, value, 1); }
BOOL SetIterations(int hSheet, int32_t value) { return SetFlag(hSheet, &GX_SHEET::iterationLimit, value, 100); }
int32_t GetManual(int hSheet) { return GetFlag(hSheet, &GX_SHEET::manualRecalc); }
int32_t GetMethod(int hSheet) { return GetFlag(hSheet, &GX_SHEET::recalcMethod); }
int32_t GetConstraintChecking(int hSheet) { return GetFlag(hSheet, &GX_SHEET::constraintCheck); }
int32_t GetBlanksAreZero(int hSheet) { return GetFlag(hSheet, &GX_SHEET::blanksAreZero); }
int32_t GetIterations(int hSheet) { return GetFlag(hSheet, &GX_SHEET::iterationLimit); }

void ArmMessageSlot(int hSheet)
{
    if (GX_SHEET* pSheet = CheckedSheet(hSheet))
        pSheet->messageArmed = 1;
}
