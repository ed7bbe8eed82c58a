#include "grid/formula/RangeNames.h"

#include <cstring>

#include "grid/formula/CellReference.h"
#include "grid/formula/EngineMemory.h"
#include "grid/formula/EngineSheet.h"
#include "grid/formula/EngineText.h"

namespace
{
bool IsLetter(int c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// The first 31 characters of a name, any case.
bool SameName(const char* stored, const char* name)
{
    for (int i = 0; i < GX_MAX_NAME; ++i) {
        int a = stored[i], b = name[i];
        if (a >= 'a' && a <= 'z')
            a -= 'a' - 'A';
        if (b >= 'a' && b <= 'z')
            b -= 'a' - 'A';
        if (a != b)
            return false;
        if (a == 0)
            return true;
    }
    return true;
}

GX_RANGE_NAME* FindEntry(GX_SHEET* pSheet, const char* name)
{
    for (GX_RANGE_NAME* entry = pSheet->names; entry != nullptr; entry = entry->next)
        if (SameName(entry->name, name))
            return entry;
    return nullptr;
}

// Turns the nodes of one cell's formula that point at entry into plain references; TRUE when any did.
bool RewriteNamedNodes(GX_EXPRESSION* formula, const GX_RANGE_NAME* entry, bool dryRun)
{
    bool found = false;
    for (int i = 0; i < formula->nodeCount; ++i) {
        GX_NODE& node = formula->nodes[i];
        if ((node.kind != GX_NODE_NAMED_CELL && node.kind != GX_NODE_NAMED_RANGE) || node.name != entry)
            continue;
        found = true;
        if (dryRun)
            return true;
        // The reference decides: the name may have been redefined since the formula was parsed.
        node.kind = entry->ref.IsSingle() ? GX_NODE_CELL : GX_NODE_RANGE;
        node.ref = entry->ref;
    }
    return found;
}
}  // namespace

BOOL IsNameChar(int c)
{
    return IsLetter(c) || (c >= '0' && c <= '9') || c == '.' || c == '_' || c == '$';
}

BOOL IsValidName(const char* text)
{
    if (text == nullptr || !(IsLetter(*text) || *text == '_' || *text == '$'))
        return FALSE;
    for (const char* p = text + 1; *p != '\0'; ++p)
        if (!IsNameChar(static_cast<unsigned char>(*p)))
            return FALSE;
    return TRUE;
}

BOOL SetRangeName(int hSheet, const char* name, const GX_CELLREF& ref)
{
    GX_SHEET* pSheet = GetSheet(hSheet);
    if (pSheet == nullptr || name == nullptr)
        return FALSE;
    char cut[GX_MAX_NAME + 1];
    std::strncpy(cut, name, GX_MAX_NAME);
    cut[GX_MAX_NAME] = '\0';
    GX_CELLREF normalized = ref;
    // A name for no cell would leave formulas that use it nothing to refer to.
    if (!IsValidName(cut) || !NormalizeReference(&normalized))
        return FALSE;

    if (GX_RANGE_NAME* entry = FindEntry(pSheet, cut)) {
        entry->ref = normalized;
    } else {
        GX_RANGE_NAME* added = static_cast<GX_RANGE_NAME*>(EngineAlloc(sizeof(GX_RANGE_NAME)));
        added->next = nullptr;
        added->ref = normalized;
        try {
            added->name = DuplicateText(cut);
        } catch (...) {
            EngineFree(added);
            throw;
        }
        GX_RANGE_NAME** link = &pSheet->names;
        while (*link != nullptr)
            link = &(*link)->next;
        *link = added;
    }
    pSheet->modified = 1;
    return TRUE;
}

GX_RANGE_NAME* FindRangeName(int hSheet, const char* name, GX_CELLREF* ref)
{
    GX_SHEET* pSheet = GetSheet(hSheet);
    if (pSheet == nullptr || name == nullptr)
        return nullptr;
    GX_RANGE_NAME* entry = FindEntry(pSheet, name);
    if (entry != nullptr && ref != nullptr)
        *ref = entry->ref;
    return entry;
}

BOOL DeleteRangeName(int hSheet, const char* name)
{
    GX_SHEET* pSheet = GetSheet(hSheet);
    if (pSheet == nullptr || name == nullptr)
        return FALSE;
    GX_RANGE_NAME* entry = FindEntry(pSheet, name);
    if (entry == nullptr)
        return FALSE;

    // Copies for undo are allocated while the pools are walked: locked, no block moves under the walk,
    // and the walk passes only table cells, never the copies.
    uint32_t locked = LockPools(hSheet, GX_POOL_ALL);
    for (uint32_t mask : {GX_POOL_FORMULA, GX_POOL_CONSTANT}) {
        GX_CELL_POOL* pool = GetPool(pSheet, mask);
        GX_POOL_ITERATOR cells;
        cells.Start(pool);
        while (GX_CELL* cell = cells.Next()) {
            if (!cell->Is(GX_CF_IN_TABLE) || cell->formula == nullptr || cell->formula->nodes == nullptr)
                continue;
            if (!RewriteNamedNodes(cell->formula, entry, true))
                continue;
            if (pSheet->keepRemovedCells) {
                GX_CELL* before = CopyCellWithStyle(pool, cell);
                before->next = pSheet->removedCells;
                pSheet->removedCells = before;
            }
            RewriteNamedNodes(cell->formula, entry, false);
        }
    }
    UnlockPools(hSheet, locked);

    GX_RANGE_NAME** link = &pSheet->names;
    while (*link != entry)
        link = &(*link)->next;
    *link = entry->next;
    entry->next = nullptr;
    if (pSheet->keepRemovedCells) {
        FreeRangeNameEntry(pSheet->lastRemovedName);
        pSheet->lastRemovedName = entry;
    } else {
        FreeRangeNameEntry(entry);
    }
    pSheet->modified = 1;
    return TRUE;
}

BOOL InsertRangeNameEntry(int hSheet, GX_RANGE_NAME* entry)
{
    GX_SHEET* pSheet = GetSheet(hSheet);
    if (pSheet == nullptr || entry == nullptr)
        return FALSE;
    if (pSheet->lastRemovedName == entry)
        pSheet->lastRemovedName = nullptr;
    entry->next = pSheet->names;
    pSheet->names = entry;
    pSheet->modified = 1;
    return TRUE;
}

void FreeRangeNameEntry(GX_RANGE_NAME* entry)
{
    if (entry == nullptr)
        return;
    EngineFree(entry->name);
    EngineFree(entry);
}

void FreeRangeNames(GX_SHEET* pSheet)
{
    if (pSheet == nullptr)
        return;
    for (GX_RANGE_NAME* entry = pSheet->names; entry != nullptr;) {
        GX_RANGE_NAME* next = entry->next;
        FreeRangeNameEntry(entry);
        entry = next;
    }
    pSheet->names = nullptr;
    FreeRangeNameEntry(pSheet->lastRemovedName);
    pSheet->lastRemovedName = nullptr;
}

void FreeRangeNames(int hSheet)
{
    FreeRangeNames(GetSheet(hSheet));
}
