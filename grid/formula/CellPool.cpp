// Cell pools: blocks of 32 cells with an occupancy bitmap, allocation from the head, deferred block
// moves while a pool is locked, and the pool iterator.

#include <cstdlib>
#include <cstring>

#include "framework/core/Debug.h"
#include "framework/core/Exceptions.h"
#include "grid/core/Style.h"
#include "grid/formula/EngineMemory.h"
#include "grid/formula/EngineSheet.h"
#include "grid/formula/EngineText.h"
#include "grid/formula/ParsedFormula.h"

namespace
{
constexpr uint32_t kFullBlock = 0xFFFFFFFFu;

void Unlink(GX_CELL_POOL* pool, GX_CELL_BLOCK* block)
{
    if (block->prev != nullptr)
        block->prev->next = block->next;
    else
        pool->first = block->next;
    if (block->next != nullptr)
        block->next->prev = block->prev;
    else
        pool->last = block->prev;
    block->next = block->prev = nullptr;
}

void LinkAtHead(GX_CELL_POOL* pool, GX_CELL_BLOCK* block)
{
    block->prev = nullptr;
    block->next = pool->first;
    if (pool->first != nullptr)
        pool->first->prev = block;
    else
        pool->last = block;
    pool->first = block;
}

void LinkAtTail(GX_CELL_POOL* pool, GX_CELL_BLOCK* block)
{
    block->next = nullptr;
    block->prev = pool->last;
    if (pool->last != nullptr)
        pool->last->next = block;
    else
        pool->first = block;
    pool->last = block;
}

void MoveToHead(GX_CELL_POOL* pool, GX_CELL_BLOCK* block)
{
    if (pool->first == block)
        return;
    Unlink(pool, block);
    LinkAtHead(pool, block);
}

int LowestFreeSlot(uint32_t used)
{
    return __builtin_ctz(~used);
}

// What a cell owns: its style object, its formula and its heap string.
void FreeCellContent(GX_CELL* cell)
{
    delete cell->style;
    cell->style = nullptr;
    FreeExpression(cell->formula);
    cell->formula = nullptr;
    if (cell->ValueType() == GX_CELL_VALUE_HEAP_STRING) {
        EngineFree(cell->value.heapText);
        cell->value.heapText = nullptr;
        cell->SetValueType(GX_CELL_VALUE_NONE);
    }
}

// Clears every mark, frees empty blocks and brings blocks with free slots to the head. The head is
// reorganised like any other block, so a pool left empty by a locked walk keeps no block.
void Reorganize(GX_CELL_POOL* pool)
{
    for (GX_CELL_BLOCK* block = pool->first; block != nullptr;) {
        GX_CELL_BLOCK* next = block->next;
        block->marked = 0;
        if (block->used == 0) {
            Unlink(pool, block);
            std::free(block);
        } else if (block->used != kFullBlock) {
            MoveToHead(pool, block);
        }
        block = next;
    }
    pool->reorganizePending = 0;
}
}  // namespace

GX_CELL_BLOCK* BlockOf(const GX_CELL* cell)
{
    const GX_CELL* firstSlot = cell - cell->SlotIndex();
    return reinterpret_cast<GX_CELL_BLOCK*>(
        reinterpret_cast<char*>(const_cast<GX_CELL*>(firstSlot)) - offsetof(GX_CELL_BLOCK, cells));
}

GX_CELL_POOL* PoolOf(const GX_CELL* cell)
{
    return BlockOf(cell)->pool;
}

GX_CELL* AllocCell(GX_CELL_POOL* pool)
{
    GX_CELL_BLOCK* block = nullptr;
    if (pool->locked) {
        for (GX_CELL_BLOCK* candidate = pool->first; candidate != nullptr; candidate = candidate->next) {
            if (candidate->used != kFullBlock && !candidate->marked) {
                block = candidate;
                break;
            }
        }
    } else if (pool->first != nullptr && pool->first->used != kFullBlock) {
        block = pool->first;
    }
    if (block == nullptr) {
        block = static_cast<GX_CELL_BLOCK*>(std::calloc(1, sizeof(GX_CELL_BLOCK)));
        if (block == nullptr)
            AfxThrowMemoryException();
        block->pool = pool;
        LinkAtHead(pool, block);
    }

    int slot = LowestFreeSlot(block->used);
    block->used |= 1u << slot;
    if (block->used == kFullBlock) {
        if (pool->locked) {
            pool->reorganizePending = 1;
        } else if (pool->last != block) {
            Unlink(pool, block);
            LinkAtTail(pool, block);
        }
    }
    GX_CELL* cell = &block->cells[slot];
    std::memset(static_cast<void*>(cell), 0, sizeof(GX_CELL));
    cell->flags = uint32_t(slot) << GX_CF_SLOT_SHIFT;
    ++pool->count;
    return cell;
}

void FreeCell(GX_CELL* cell)
{
    if (cell == nullptr)
        return;
    ASSERT(!cell->Is(GX_CF_IN_TABLE));
    GX_CELL_BLOCK* block = BlockOf(cell);
    GX_CELL_POOL* pool = block->pool;
    uint32_t kind = cell->Kind();
    FreeCellContent(cell);
    // A walk over a locked pool must not meet a new formula cell in a slot it has passed.
    if (pool->locked && (kind == GX_KIND_FORMULA || kind == GX_KIND_CONSTANT_FORMULA))
        block->marked = 1;

    block->used &= ~(1u << cell->SlotIndex());
    --pool->count;
    if (pool->locked) {
        pool->reorganizePending = 1;
    } else if (block->used != 0) {
        MoveToHead(pool, block);
    } else {
        Unlink(pool, block);
        std::free(block);
    }
}

void FreePool(GX_CELL_POOL* pool)
{
    for (GX_CELL_BLOCK* block = pool->first; block != nullptr;) {
        GX_CELL_BLOCK* next = block->next;
        for (int slot = 0; slot < GX_BLOCK_CELLS; ++slot)
            if ((block->used & (1u << slot)) != 0)
                FreeCellContent(&block->cells[slot]);
        std::free(block);
        block = next;
    }
    pool->first = pool->last = nullptr;
    pool->count = 0;
    pool->reorganizePending = 0;
}

void UnlockPools(int hSheet, uint32_t mask)
{
    GX_SHEET* pSheet = GetSheet(hSheet);
    ASSERT(pSheet != nullptr);
    for (GX_CELL_POOL& pool : pSheet->pools) {
        if ((mask & pool.mask) == 0 || !pool.locked)
            continue;
        pool.locked = 0;
        if (pool.reorganizePending)
            Reorganize(&pool);
    }
}

GX_CELL* CopyCell(GX_CELL_POOL* pool, const GX_CELL* cell)
{
    GX_CELL* copy = AllocCell(pool);
    copy->row = cell->row;
    copy->col = cell->col;
    copy->stamp = cell->stamp;
    copy->errorDetail = cell->errorDetail;
    try {
        if (cell->formula != nullptr)
            copy->formula = CopyExpression(cell->formula);
        if (cell->ValueType() == GX_CELL_VALUE_HEAP_STRING)
            copy->value.heapText = DuplicateText(cell->value.heapText);
        else
            copy->value = cell->value;
    } catch (...) {
        FreeCell(copy);
        throw;
    }
    const uint32_t own = GX_CF_SLOT_MASK;
    copy->flags = (cell->flags & ~(own | GX_CF_IN_TABLE)) | (copy->flags & own);
    return copy;
}

GX_CELL* CopyCellWithStyle(GX_CELL_POOL* pool, const GX_CELL* cell)
{
    GX_CELL* copy = CopyCell(pool, cell);
    if (cell->style != nullptr) {
        try {
            copy->style = cell->style->Clone();
        } catch (...) {
            FreeCell(copy);
            throw;
        }
    }
    return copy;
}

void GX_POOL_ITERATOR::Start(GX_CELL_POOL* pool)
{
    block = pool != nullptr ? pool->first : nullptr;
    slot = 0;
}

GX_CELL* GX_POOL_ITERATOR::Next()
{
    while (block != nullptr) {
        while (slot < GX_BLOCK_CELLS) {
            int current = slot++;
            if ((block->used & (1u << current)) != 0)
                return &block->cells[current];
        }
        block = block->next;
        slot = 0;
    }
    return nullptr;
}
