// The cell table of an engine sheet: buckets by row and column, the per-row and per-column counts,
// the bounding range they keep, and the range iterator.

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "framework/core/Debug.h"
#include "grid/formula/EngineSheet.h"

namespace
{
bool InLimits(int32_t row, int32_t col)
{
    return row >= 1 && row <= GX_MAX_ROW && col >= 0 && col <= GX_MAX_COL;
}

// Grows a count array to at least `needed` entries: the first allocation has exactly that size,
// later ones add an eighth of the old capacity (4 to 1024 entries) at least. A growth larger than
// what the array holds takes a block that comes zeroed from the allocator, which leaves the pages
// no count is written to untouched: one cell far down (row 8388607 takes 32 MB of counts) costs
// no more than the pages of its counts. Smaller steps grow the block in place when they can.
bool GrowCounts(uint32_t*& counts, uint32_t& capacity, uint32_t needed)
{
    if (needed <= capacity)
        return true;
    uint32_t newCapacity = needed;
    if (capacity != 0) {
        uint32_t step = std::clamp<uint32_t>(capacity / 8, 4, 1024);
        newCapacity = std::max(needed, capacity + step);
    }
    if (newCapacity - capacity > capacity) {
        auto* fresh = static_cast<uint32_t*>(std::calloc(newCapacity, sizeof(uint32_t)));
        if (fresh == nullptr)
            return false;
        if (capacity != 0)
            std::memcpy(fresh, counts, sizeof(uint32_t) * capacity);
        std::free(counts);
        counts = fresh;
        capacity = newCapacity;
        return true;
    }
    void* grown = std::realloc(counts, sizeof(uint32_t) * newCapacity);
    if (grown == nullptr)
        return false;
    counts = static_cast<uint32_t*>(grown);
    std::memset(counts + capacity, 0, sizeof(uint32_t) * (newCapacity - capacity));
    capacity = newCapacity;
    return true;
}

// The nearest index from `from` towards `to` (inclusive, either direction) whose count is nonzero; -1 when none.
int32_t NearestUsed(const uint32_t* counts, int32_t from, int32_t to)
{
    int32_t step = from <= to ? 1 : -1;
    for (int32_t i = from;; i += step) {
        if (counts[i] != 0)
            return i;
        if (i == to)
            return -1;
    }
}

void ShrinkBounds(GX_SHEET* pSheet)
{
    GX_CELLREF& bounds = pSheet->bounds;
    int32_t top = bounds.FirstRow(), bottom = bounds.LastRow();
    int32_t left = bounds.FirstCol(), right = bounds.LastCol();
    int32_t newTop = NearestUsed(pSheet->rowCounts, top - 1, bottom - 1);
    int32_t newLeft = NearestUsed(pSheet->colCounts, left, right);
    if (newTop < 0 || newLeft < 0) {
        bounds = GX_CELLREF{};
        pSheet->boundsValid = 0;
        return;
    }
    bounds.SetFirstRow(newTop + 1);
    bounds.SetLastRow(NearestUsed(pSheet->rowCounts, bottom - 1, newTop) + 1);
    bounds.SetFirstCol(newLeft);
    bounds.SetLastCol(NearestUsed(pSheet->colCounts, right, newLeft));
}

GX_SHEET* CheckedSheet(int hSheet)
{
    GX_SHEET* pSheet = GetSheet(hSheet);
    ASSERT(pSheet != nullptr);
    return pSheet;
}

// The rows and columns a reference covers, whether or not it was normalised.
void CoveredArea(const GX_CELLREF& ref, int32_t& top, int32_t& left, int32_t& bottom, int32_t& right)
{
    top = ref.FirstRow();
    left = ref.FirstCol();
    bottom = ref.IsSingle() ? top : ref.LastRow();
    right = ref.IsSingle() ? left : ref.LastCol();
    if (top > bottom)
        std::swap(top, bottom);
    if (left > right)
        std::swap(left, right);
}

bool Contains(const GX_CELLREF& ref, int32_t row, int32_t col)
{
    int32_t top, left, bottom, right;
    CoveredArea(ref, top, left, bottom, right);
    return row >= top && row <= bottom && col >= left && col <= right;
}
}  // namespace

uint32_t BucketOf(int32_t row, int32_t col)
{
    // Unsigned 32-bit arithmetic: the product wraps.
    return (uint32_t(col) * 8388607u + uint32_t(row)) % GX_BUCKET_COUNT;
}

GX_CELL* FindCell(int hSheet, int32_t row, int32_t col)
{
    GX_SHEET* pSheet = CheckedSheet(hSheet);
    for (GX_CELL* cell = pSheet->buckets[BucketOf(row, col)]; cell != nullptr; cell = cell->next)
        if (cell->row == row && cell->col == col)
            return cell;
    return nullptr;
}

BOOL InsertCell(int hSheet, GX_CELL* cell)
{
    GX_SHEET* pSheet = CheckedSheet(hSheet);
    if (cell == nullptr || cell->Is(GX_CF_IN_TABLE) || !InLimits(cell->row, cell->col))
        return FALSE;
    if (!GrowCounts(pSheet->rowCounts, pSheet->rowCapacity, uint32_t(cell->row))
        || !GrowCounts(pSheet->colCounts, pSheet->colCapacity, uint32_t(cell->col) + 1))
        return FALSE;

    GX_CELL*& head = pSheet->buckets[BucketOf(cell->row, cell->col)];
    cell->next = head;
    head = cell;
    cell->Set(GX_CF_IN_TABLE, true);

    ++pSheet->rowCounts[cell->row - 1];
    ++pSheet->colCounts[cell->col];
    GX_CELLREF& bounds = pSheet->bounds;
    if (!pSheet->boundsValid) {
        bounds = GX_CELLREF{};
        bounds.SetFirstRow(cell->row);
        bounds.SetLastRow(cell->row);
        bounds.SetFirstCol(cell->col);
        bounds.SetLastCol(cell->col);
        pSheet->boundsValid = 1;
    } else {
        bounds.SetFirstRow(std::min(bounds.FirstRow(), cell->row));
        bounds.SetLastRow(std::max(bounds.LastRow(), cell->row));
        bounds.SetFirstCol(std::min(bounds.FirstCol(), cell->col));
        bounds.SetLastCol(std::max(bounds.LastCol(), cell->col));
    }
    pSheet->modified = 1;
    return TRUE;
}

BOOL RemoveCell(int hSheet, GX_CELL* cell)
{
    GX_SHEET* pSheet = CheckedSheet(hSheet);
    if (cell == nullptr || !cell->Is(GX_CF_IN_TABLE))
        return FALSE;
    GX_CELL** link = &pSheet->buckets[BucketOf(cell->row, cell->col)];
    while (*link != nullptr && *link != cell)
        link = &(*link)->next;
    if (*link == nullptr)
        return FALSE;
    *link = cell->next;
    cell->next = nullptr;
    cell->Set(GX_CF_IN_TABLE, false);

    --pSheet->rowCounts[cell->row - 1];
    --pSheet->colCounts[cell->col];
    const GX_CELLREF& bounds = pSheet->bounds;
    if (pSheet->rowCounts[bounds.FirstRow() - 1] == 0 || pSheet->rowCounts[bounds.LastRow() - 1] == 0
        || pSheet->colCounts[bounds.FirstCol()] == 0 || pSheet->colCounts[bounds.LastCol()] == 0)
        ShrinkBounds(pSheet);
    pSheet->modified = 1;
    return TRUE;
}

BOOL GetBoundingRange(int hSheet, GX_CELLREF* range)
{
    GX_SHEET* pSheet = CheckedSheet(hSheet);
    if (!pSheet->boundsValid)
        return FALSE;
    if (range != nullptr)
        *range = pSheet->bounds;
    return TRUE;
}

BOOL ClipToBounding(int hSheet, GX_CELLREF* range)
{
    GX_SHEET* pSheet = CheckedSheet(hSheet);
    if (!pSheet->boundsValid || range == nullptr)
        return FALSE;
    int32_t top, left, bottom, right;
    CoveredArea(*range, top, left, bottom, right);
    const GX_CELLREF& bounds = pSheet->bounds;
    top = std::max(top, bounds.FirstRow());
    bottom = std::min(bottom, bounds.LastRow());
    left = std::max(left, bounds.FirstCol());
    right = std::min(right, bounds.LastCol());
    if (top > bottom || left > right)
        return FALSE;
    range->SetFirstRow(top);
    range->SetLastRow(bottom);
    range->SetFirstCol(left);
    range->SetLastCol(right);
    return TRUE;
}

void GX_RANGE_ITERATOR::Start(int hSheet, const GX_CELLREF& range, uint32_t poolMask)
{
    sheet = CheckedSheet(hSheet);
    ref = range;
    mask = poolMask;
    int32_t top, left, bottom, right;
    CoveredArea(ref, top, left, bottom, right);
    int64_t positions = int64_t(bottom - top + 1) * int64_t(right - left + 1);
    byPositions = positions < int64_t(CountPoolCells(hSheet, mask));
    poolIndex = 0;
    pools.Start(nullptr);
    if (!byPositions) {
        for (; poolIndex < 3 && (sheet->pools[poolIndex].mask & mask) == 0; ++poolIndex) {
        }
        if (poolIndex < 3)
            pools.Start(&sheet->pools[poolIndex]);
    }
    row = top;
    col = left;
}

GX_CELL* GX_RANGE_ITERATOR::Next()
{
    if (sheet == nullptr)
        return nullptr;
    if (!byPositions) {
        while (poolIndex < 3) {
            while (GX_CELL* cell = pools.Next())
                if (cell->Is(GX_CF_IN_TABLE) && Contains(ref, cell->row, cell->col))
                    return cell;
            for (++poolIndex; poolIndex < 3 && (sheet->pools[poolIndex].mask & mask) == 0; ++poolIndex) {
            }
            if (poolIndex < 3)
                pools.Start(&sheet->pools[poolIndex]);
        }
        return nullptr;
    }

    int32_t top, left, bottom, right;
    CoveredArea(ref, top, left, bottom, right);
    while (col <= right) {
        while (row <= bottom) {
            int32_t current = row++;
            for (GX_CELL* cell = sheet->buckets[BucketOf(current, col)]; cell != nullptr; cell = cell->next)
                if (cell->row == current && cell->col == col && (PoolOf(cell)->mask & mask) != 0)
                    return cell;
        }
        ++col;
        row = top;
    }
    return nullptr;
}
