#pragma once
// One engine sheet: its cell table (hashed by row and column), the three pools its cells come from
// (32 cells to a block, free slots found by a bitmap), the per-row and per-column cell counts that
// keep its bounding range, its settings and the bookkeeping of recalculation and undo.
//
// Cells are never allocated one by one. Blocks with free slots stay at the front of their pool so
// that allocation looks at the head only; full blocks drift to the tail. While a walk may free
// cells the pool is locked, and every block move waits for the unlock.

#include <windows.h>

#include <cstdint>

#include "grid/formula/FormulaTypes.h"

class CGXFormulaSheet;
// The places of the changed-range list, indexed for search (CellStore.cpp).
struct GX_CHANGED_PLACES;

constexpr uint32_t GX_BUCKET_COUNT = 32749;
constexpr int GX_BLOCK_CELLS = 32;

// Pool masks (and indices 0, 1, 2 of GX_SHEET::pools).
enum : uint32_t
{
    GX_POOL_CONSTANT = 1,     // kinds 1, 2 and 4
    GX_POOL_FORMULA = 2,      // kind 3
    GX_POOL_PLACEHOLDER = 4,  // kind 0
    GX_POOL_ALL = 7,
};

// Recalculation-state bits of a sheet.
enum : uint32_t
{
    GX_RECALC_RUNNING = 0x01,
    GX_RECALC_FORCED = 0x02,
    GX_RECALC_ITERATING = 0x40,
};

struct GX_CELL_BLOCK;

struct GX_CELL_POOL
{
    GX_CELL_BLOCK* first;
    GX_CELL_BLOCK* last;
    int32_t count;              // cells in use
    int32_t locked;
    int32_t reorganizePending;
    uint32_t mask;              // GX_POOL_CONSTANT, ...
};

struct GX_CELL_BLOCK
{
    uint32_t used;     // bit i: slot i in use
    int32_t marked;    // a formula cell was freed while the pool was locked: no new cells until unlock
    GX_CELL_BLOCK* next;
    GX_CELL_BLOCK* prev;
    GX_CELL_POOL* pool;
    GX_CELL cells[GX_BLOCK_CELLS];
};

struct GX_SHEET
{
    GX_CELL* buckets[GX_BUCKET_COUNT];
    GX_CELL_POOL pools[3];  // constant, formula, placeholder

    GX_RANGE_NAME* names;            // appended at the end
    GX_RANGE_NAME* lastRemovedName;  // kept for undo when removed cells are kept

    // Settings.
    int32_t manualRecalc;     // 0 or 1
    int32_t recalcMethod;     // 0 or 1
    int32_t constraintCheck;  // 0 or 1
    int32_t iterationLimit;   // 0..100
    int32_t blanksAreZero;    // 0 or 1

    int32_t modified;
    uint32_t stamp;

    uint32_t* rowCounts;  // indexed by row - 1
    uint32_t rowCapacity;
    uint32_t* colCounts;  // indexed by column
    uint32_t colCapacity;

    GX_CELLREF bounds;
    int32_t boundsValid;

    GX_RANGE_LIST* changedRanges;
    GX_CHANGED_PLACES* changedPlaces;  // what the list covers; null with the list
    uint32_t recalcState;
    int32_t messageArmed;
    int32_t keepRemovedCells;
    GX_CELLREF removedRange;
    int32_t removedRangeValid;
    GX_CELL* removedCells;  // chained through GX_CELL::next
    int32_t cycleFound;
    int32_t leavePlaceholders;

    char message[256];

    CGXFormulaSheet* owner;
};

// Sheets.
int CreateSheet();
void DestroySheet(int hSheet);
// Frees the sheet's content and keeps the record and its settings.
void EmptySheet(int hSheet);
// The record of a handle; null for a handle that names no sheet.
GX_SHEET* GetSheet(int hSheet);

// Locking: returns the mask of the pools that were unlocked before; unlock with that mask, so nested
// locking leaves the outermost holder in charge.
uint32_t LockPools(int hSheet, uint32_t mask);
void UnlockPools(int hSheet, uint32_t mask);
int32_t CountPoolCells(int hSheet, uint32_t mask);
GX_CELL_POOL* GetPool(GX_SHEET* pSheet, uint32_t mask);  // the pool of one mask bit

// The cell table.
GX_CELL* FindCell(int hSheet, int32_t row, int32_t col);
// FALSE for a position outside the engine limits or a cell that is already in the table.
BOOL InsertCell(int hSheet, GX_CELL* cell);
// FALSE for a cell that is not in the table.
BOOL RemoveCell(int hSheet, GX_CELL* cell);
uint32_t BucketOf(int32_t row, int32_t col);

// Pools. A cell leaves the table before it is freed.
GX_CELL* AllocCell(GX_CELL_POOL* pool);
void FreeCell(GX_CELL* cell);
void FreePool(GX_CELL_POOL* pool);
GX_CELL_BLOCK* BlockOf(const GX_CELL* cell);
GX_CELL_POOL* PoolOf(const GX_CELL* cell);
// A new cell with the same content (heap string and formula duplicated), not in the table, without
// a style object; CopyCellWithStyle also clones the style object.
GX_CELL* CopyCell(GX_CELL_POOL* pool, const GX_CELL* cell);
GX_CELL* CopyCellWithStyle(GX_CELL_POOL* pool, const GX_CELL* cell);

// Walks the cells in use of a pool: blocks from head to tail, slots in order.
struct GX_POOL_ITERATOR
{
    void Start(GX_CELL_POOL* pool);
    GX_CELL* Next();

    GX_CELL_BLOCK* block = nullptr;
    int slot = 0;
};

// Walks the table cells of a range that belong to the masked pools: through the pools when the range
// has at least as many positions as the pools have cells, else position by position, column by column.
struct GX_RANGE_ITERATOR
{
    void Start(int hSheet, const GX_CELLREF& range, uint32_t mask);
    GX_CELL* Next();
    bool WalksPositions() const { return byPositions; }

    GX_SHEET* sheet = nullptr;
    GX_CELLREF ref = {};
    uint32_t mask = 0;
    bool byPositions = false;
    int poolIndex = 0;
    GX_POOL_ITERATOR pools;
    int32_t row = 0;
    int32_t col = 0;
};

// Bounding range of the table cells; FALSE when the sheet has none.
BOOL GetBoundingRange(int hSheet, GX_CELLREF* range);
// FALSE when the range misses the bounding range; else cuts the range to it.
BOOL ClipToBounding(int hSheet, GX_CELLREF* range);

// Settings: the flags accept 0 and 1, the iteration limit 0..100; anything else is FALSE and
// changes nothing.
BOOL SetManual(int hSheet, int32_t value);
BOOL SetMethod(int hSheet, int32_t value);
BOOL SetConstraintChecking(int hSheet, int32_t value);
BOOL SetBlanksAreZero(int hSheet, int32_t value);
BOOL SetIterations(int hSheet, int32_t value);
int32_t GetManual(int hSheet);
int32_t GetMethod(int hSheet);
int32_t GetConstraintChecking(int hSheet);
int32_t GetBlanksAreZero(int hSheet);
int32_t GetIterations(int hSheet);

// Sets the sheet's message-slot flag.
void ArmMessageSlot(int hSheet);
