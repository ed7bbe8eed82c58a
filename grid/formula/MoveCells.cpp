#include "grid/formula/MoveCells.h"

#include <algorithm>
#include <cstring>
#include <map>

#include "grid/formula/CellReference.h"
#include "grid/formula/CellStore.h"
#include "grid/formula/EngineSheet.h"
#include "grid/formula/EngineState.h"
#include "grid/formula/RangeNames.h"

namespace
{
struct Rect
{
    int64_t top, left, bottom, right;

    bool Has(int64_t row, int64_t col) const { return row >= top && row <= bottom && col >= left && col <= right; }
};

Rect RectOf(const GX_CELLREF& ref)
{
    Rect rect{ref.FirstRow(), ref.FirstCol(), ref.IsSingle() ? ref.FirstRow() : ref.LastRow(),
              ref.IsSingle() ? ref.FirstCol() : ref.LastCol()};
    if (rect.top > rect.bottom)
        std::swap(rect.top, rect.bottom);
    if (rect.left > rect.right)
        std::swap(rect.left, rect.right);
    return rect;
}

GX_CELLREF RefOf(const Rect& rect)
{
    return MakeRangeReference(int32_t(rect.top), int32_t(rect.left), int32_t(rect.bottom), int32_t(rect.right), 0);
}

bool RowInLimits(int64_t row) { return row >= 1 && row <= GX_MAX_ROW; }
bool ColInLimits(int64_t col) { return col >= 0 && col <= GX_MAX_COL; }

// Gives a reference new corners; FALSE (the reference unchanged) when one leaves the sheet.
bool SetCorners(GX_CELLREF& ref, int64_t r1, int64_t c1, int64_t r2, int64_t c2)
{
    if (!RowInLimits(r1) || !RowInLimits(r2) || !ColInLimits(c1) || !ColInLimits(c2))
        return false;
    GX_CELLREF moved = ref;
    moved.SetFirstRow(int32_t(r1));
    moved.SetFirstCol(int32_t(c1));
    moved.SetLastRow(int32_t(r2));
    moved.SetLastCol(int32_t(c2));
    if (!NormalizeReference(&moved))
        return false;
    ref = moved;
    return true;
}

void FirstCorner(const GX_CELLREF& ref, int64_t& row, int64_t& col)
{
    row = ref.FirstRow();
    col = ref.FirstCol();
}

void LastCorner(const GX_CELLREF& ref, int64_t& row, int64_t& col)
{
    row = ref.IsSingle() ? ref.FirstRow() : ref.LastRow();
    col = ref.IsSingle() ? ref.FirstCol() : ref.LastCol();
}

// The node becomes the error constant; its dependency-list link stays.
void MakeErrorNode(GX_NODE& node)
{
    node.kind = GX_NODE_OPERATOR;
    node.left = GX_NO_NODE;
    node.ref = GX_CELLREF{};
    node.op = GX_OP_ERROR;
}

bool IsReferenceNode(const GX_NODE& node)
{
    return node.kind == GX_NODE_CELL || node.kind == GX_NODE_RANGE;
}

// Restores the lock state and the flags that the insert and remove operations change.
class ShiftScope
{
public:
    ShiftScope(int hSheet, bool shifting) : m_hSheet(hSheet), m_pSheet(GetSheet(hSheet)), m_shifting(shifting)
    {
        m_locked = LockPools(hSheet, GX_POOL_ALL);
        if (m_shifting) {
            m_oldShifting = GetEngineState()->m_bShifting;
            m_oldPlaceholders = m_pSheet->leavePlaceholders;
            GetEngineState()->m_bShifting = TRUE;
            m_pSheet->leavePlaceholders = 0;
        }
    }
    ~ShiftScope()
    {
        if (m_shifting) {
            GetEngineState()->m_bShifting = m_oldShifting;
            m_pSheet->leavePlaceholders = m_oldPlaceholders;
        }
        UnlockPools(m_hSheet, m_locked);
    }
    ShiftScope(const ShiftScope&) = delete;
    ShiftScope& operator=(const ShiftScope&) = delete;

private:
    int m_hSheet;
    GX_SHEET* m_pSheet;
    bool m_shifting;
    uint32_t m_locked = 0;
    BOOL m_oldShifting = FALSE;
    int32_t m_oldPlaceholders = 0;
};

void KeepOrFree(GX_SHEET* pSheet, GX_CELL* cell)
{
    if (pSheet->keepRemovedCells) {
        cell->next = pSheet->removedCells;
        pSheet->removedCells = cell;
    } else {
        FreeCell(cell);
    }
}

void LeavePlaceholder(int hSheet, GX_SHEET* pSheet, const GX_CELL* cell, const Rect& dest)
{
    if (!pSheet->leavePlaceholders || dest.Has(cell->row, cell->col))
        return;
    GX_CELL* placeholder = AllocCell(GetPool(pSheet, GX_POOL_PLACEHOLDER));
    placeholder->row = cell->row;
    placeholder->col = cell->col;
    placeholder->SetKind(GX_KIND_PLACEHOLDER);
    InsertCell(hSheet, placeholder);
}

// Puts a cell at its new place, replacing whatever is there.
void PutBack(int hSheet, GX_CELL* cell)
{
    if (!RowInLimits(cell->row) || !ColInLimits(cell->col)) {
        FreeCell(cell);
        return;
    }
    if (GX_CELL* there = FindCell(hSheet, cell->row, cell->col)) {
        RemoveCell(hSheet, there);
        FreeCell(there);
    }
    InsertCell(hSheet, cell);
}

std::vector<GX_CELL*> TableCells(GX_SHEET* pSheet, uint32_t mask)
{
    std::vector<GX_CELL*> cells;
    GX_POOL_ITERATOR walk;
    walk.Start(GetPool(pSheet, mask));
    while (GX_CELL* cell = walk.Next())
        if (cell->Is(GX_CF_IN_TABLE))
            cells.push_back(cell);
    return cells;
}
}  // namespace

BOOL MoveBlock(int hSheet, const GX_CELLREF& block, int32_t row, int32_t col)
{
    GX_SHEET* pSheet = GetSheet(hSheet);
    ShiftScope scope(hSheet, false);
    const Rect src = RectOf(block);
    const int64_t dr = int64_t(row) - src.top;
    const int64_t dc = int64_t(col) - src.left;
    const Rect dst{src.top + dr, src.left + dc, std::min<int64_t>(src.bottom + dr, GX_MAX_ROW),
                   std::min<int64_t>(src.right + dc, GX_MAX_COL)};

    // 1. Range names: each corner inside the block moves, held inside the sheet.
    for (GX_RANGE_NAME* name = pSheet->names; name != nullptr; name = name->next) {
        int64_t r1, c1, r2, c2;
        FirstCorner(name->ref, r1, c1);
        LastCorner(name->ref, r2, c2);
        const bool first = src.Has(r1, c1);
        const bool last = src.Has(r2, c2);
        if (!first && !last)
            continue;
        if (first) {
            r1 = std::clamp<int64_t>(r1 + dr, 1, GX_MAX_ROW);
            c1 = std::clamp<int64_t>(c1 + dc, 0, GX_MAX_COL);
        }
        if (last) {
            r2 = std::clamp<int64_t>(r2 + dr, 1, GX_MAX_ROW);
            c2 = std::clamp<int64_t>(c2 + dc, 0, GX_MAX_COL);
        }
        SetCorners(name->ref, r1, c1, r2, c2);
    }
    pSheet->modified = 1;

    std::vector<GX_CELL*> moved;
    std::vector<GX_CELL*> overwritten;

    // 2. Constant cells.
    for (GX_CELL* cell : TableCells(pSheet, GX_POOL_CONSTANT)) {
        if (src.Has(cell->row, cell->col)) {
            RemoveCell(hSheet, cell);
            moved.push_back(cell);
            LeavePlaceholder(hSheet, pSheet, cell, dst);
        } else if (dst.Has(cell->row, cell->col)) {
            RemoveCell(hSheet, cell);
            overwritten.push_back(cell);
        }
    }

    // 3. Formula cells: references wholly inside the block move with it.
    for (GX_CELL* cell : TableCells(pSheet, GX_POOL_FORMULA)) {
        const bool inSrc = src.Has(cell->row, cell->col);
        const bool inDst = dst.Has(cell->row, cell->col);
        GX_EXPRESSION* expr = cell->formula;
        if (inDst && !inSrc) {
            if (expr != nullptr && expr->nodes != nullptr && expr->nodeCount >= 2
                && expr->nodes[0].kind == GX_NODE_NUMBER && expr->nodes[1].kind == GX_NODE_CELL)
                AddChangedRange(hSheet, expr->nodes[1].ref);
        } else if (expr != nullptr && expr->nodes != nullptr) {
            bool touchesDst = false;
            for (int i = 0; i < expr->nodeCount && !touchesDst; ++i) {
                const GX_NODE& node = expr->nodes[i];
                if (!IsReferenceNode(node))
                    continue;
                int64_t r1, c1, r2, c2;
                FirstCorner(node.ref, r1, c1);
                LastCorner(node.ref, r2, c2);
                const bool whollyInSrc = src.Has(r1, c1) && src.Has(r2, c2);
                touchesDst = !whollyInSrc && (dst.Has(r1, c1) || dst.Has(r2, c2));
            }
            if (touchesDst && pSheet->keepRemovedCells) {
                GX_CELL* before = CopyCellWithStyle(GetPool(pSheet, GX_POOL_FORMULA), cell);
                before->next = pSheet->removedCells;
                pSheet->removedCells = before;
            }
            bool changed = false;
            for (int i = 0; i < expr->nodeCount; ++i) {
                GX_NODE& node = expr->nodes[i];
                if (!IsReferenceNode(node))
                    continue;
                int64_t r1, c1, r2, c2;
                FirstCorner(node.ref, r1, c1);
                LastCorner(node.ref, r2, c2);
                if (!(src.Has(r1, c1) && src.Has(r2, c2)))
                    continue;
                if (!SetCorners(node.ref, r1 + dr, c1 + dc, r2 + dr, c2 + dc))
                    MakeErrorNode(node);
                changed = true;
            }
            if (changed || touchesDst)
                cell->Set(GX_CF_DIRTY, true);
        }
        if (inSrc) {
            RemoveCell(hSheet, cell);
            moved.push_back(cell);
            LeavePlaceholder(hSheet, pSheet, cell, dst);
        } else if (inDst) {
            RemoveCell(hSheet, cell);
            overwritten.push_back(cell);
        }
    }

    // 4. Overwritten cells.
    for (GX_CELL* cell : overwritten)
        KeepOrFree(pSheet, cell);

    // 5. Moved cells at their new places.
    for (GX_CELL* cell : moved) {
        const int64_t newRow = cell->row + dr;
        const int64_t newCol = cell->col + dc;
        if (!RowInLimits(newRow) || !ColInLimits(newCol)) {
            FreeCell(cell);
            continue;
        }
        cell->row = int32_t(newRow);
        cell->col = int32_t(newCol);
        PutBack(hSheet, cell);
    }
    return TRUE;
}

namespace
{
GX_CELLREF Rows(int32_t first, int32_t last)
{
    return MakeRangeReference(first, 0, last, GX_MAX_COL, 0);
}

GX_CELLREF Cols(int32_t first, int32_t last)
{
    return MakeRangeReference(1, first, GX_MAX_ROW, last, 0);
}

// The insert and remove operations run with the shifting flag set and no placeholders left.
class ShiftFlags
{
public:
    explicit ShiftFlags(GX_SHEET* pSheet) : m_pSheet(pSheet)
    {
        m_shifting = GetEngineState()->m_bShifting;
        m_placeholders = pSheet->leavePlaceholders;
        GetEngineState()->m_bShifting = TRUE;
        pSheet->leavePlaceholders = 0;
    }
    ~ShiftFlags()
    {
        GetEngineState()->m_bShifting = m_shifting;
        m_pSheet->leavePlaceholders = m_placeholders;
    }
    ShiftFlags(const ShiftFlags&) = delete;
    ShiftFlags& operator=(const ShiftFlags&) = delete;

private:
    GX_SHEET* m_pSheet;
    BOOL m_shifting;
    int32_t m_placeholders;
};

BOOL RemoveBand(int hSheet, bool rows, int32_t first, int32_t count)
{
    GX_SHEET* pSheet = GetSheet(hSheet);
    const int32_t limit = rows ? GX_MAX_ROW : GX_MAX_COL;
    if (count <= 0 || first > limit)
        return TRUE;
    ShiftFlags flags(pSheet);
    const int32_t last = int32_t(std::min<int64_t>(int64_t(first) + count - 1, limit));
    const int32_t keep = pSheet->keepRemovedCells;
    pSheet->keepRemovedCells = 0;
    try {
        ClearRange(hSheet, rows ? Rows(first, last) : Cols(first, last));
    } catch (...) {
        pSheet->keepRemovedCells = keep;
        throw;
    }
    pSheet->keepRemovedCells = keep;
    // The cells that move up keep no copies of themselves for undo: a removal's references are
    // left as they are, and a copy at its old place would land on the cell that moved there when
    // the undo puts it back before the rows return.
    if (last < limit)
        MoveBlock(hSheet, rows ? Rows(last + 1, limit) : Cols(last + 1, limit), rows ? first : 1, rows ? 0 : first);
    return TRUE;
}
}  // namespace

BOOL InsertEngineRows(int hSheet, int32_t row, int32_t count)
{
    if (count <= 0 || row < 1 || row > GX_MAX_ROW)
        return TRUE;
    ShiftFlags flags(GetSheet(hSheet));
    return MoveBlock(hSheet, Rows(row, GX_MAX_ROW), int32_t(std::min<int64_t>(int64_t(row) + count, GX_MAX_ROW + 1LL)), 0);
}

BOOL InsertEngineCols(int hSheet, int32_t col, int32_t count)
{
    if (count <= 0 || col < 0 || col > GX_MAX_COL)
        return TRUE;
    ShiftFlags flags(GetSheet(hSheet));
    return MoveBlock(hSheet, Cols(col, GX_MAX_COL), 1, int32_t(std::min<int64_t>(int64_t(col) + count, GX_MAX_COL + 1LL)));
}

BOOL RemoveEngineRows(int hSheet, int32_t row, int32_t count)
{
    return RemoveBand(hSheet, true, row, count);
}

BOOL RemoveEngineCols(int hSheet, int32_t col, int32_t count)
{
    return RemoveBand(hSheet, false, col, count);
}

BOOL MoveEngineRows(int hSheet, BOOL bRows, int32_t first, int32_t last, int32_t dest)
{
    GX_SHEET* pSheet = GetSheet(hSheet);
    const int64_t n = int64_t(last) - first + 1;
    if (n <= 0 || dest == first)
        return TRUE;
    ShiftScope scope(hSheet, false);
    const int64_t zoneFirst = std::min<int64_t>(first, dest);
    const int64_t zoneLast = std::max<int64_t>(last, dest + n - 1);
    auto inZone = [&](int64_t v) { return v >= zoneFirst && v <= zoneLast; };
    // Where a row (column) of the zone goes.
    auto map = [&](int64_t v) -> int64_t {
        if (v >= first && v <= last)
            return v - first + dest;
        if (dest < first && v >= dest && v < first)
            return v + n;
        if (dest > last && v > last && v < dest + n)
            return v - n;
        return v;
    };
    auto adjust = [&](GX_CELLREF& ref) -> bool {
        int64_t r1, c1, r2, c2;
        FirstCorner(ref, r1, c1);
        LastCorner(ref, r2, c2);
        int64_t& v1 = bRows ? r1 : c1;
        int64_t& v2 = bRows ? r2 : c2;
        if (!inZone(v1) && !inZone(v2))
            return true;
        const int64_t shift = map(v1) - v1;
        v1 += shift;
        v2 += shift;
        return SetCorners(ref, r1, c1, r2, c2);
    };

    for (GX_RANGE_NAME* name = pSheet->names; name != nullptr; name = name->next) {
        int64_t r1, c1;
        FirstCorner(name->ref, r1, c1);
        if (inZone(bRows ? r1 : c1))
            adjust(name->ref);
    }

    GX_CELLREF zone = bRows ? Rows(int32_t(zoneFirst), int32_t(zoneLast)) : Cols(int32_t(zoneFirst), int32_t(zoneLast));
    GX_CELLREF bounds{};
    if (!GetBoundingRange(hSheet, &bounds) || !ReferencesIntersect(bounds, zone))
        return TRUE;
    pSheet->modified = 1;
    std::vector<GX_CELL*> taken;
    for (GX_CELL* cell : TableCells(pSheet, GX_POOL_CONSTANT)) {
        if (inZone(bRows ? cell->row : cell->col)) {
            RemoveCell(hSheet, cell);
            taken.push_back(cell);
        }
    }
    for (GX_CELL* cell : TableCells(pSheet, GX_POOL_FORMULA)) {
        GX_EXPRESSION* expr = cell->formula;
        if (expr != nullptr && expr->nodes != nullptr) {
            bool changed = false;
            for (int i = 0; i < expr->nodeCount; ++i) {
                GX_NODE& node = expr->nodes[i];
                if (!IsReferenceNode(node))
                    continue;
                const GX_CELLREF before = node.ref;
                if (!adjust(node.ref))
                    MakeErrorNode(node);
                if (node.kind != GX_NODE_OPERATOR && std::memcmp(&before, &node.ref, sizeof before) == 0)
                    continue;
                changed = true;
            }
            if (changed)
                cell->Set(GX_CF_DIRTY, true);
        }
        if (inZone(bRows ? cell->row : cell->col)) {
            RemoveCell(hSheet, cell);
            taken.push_back(cell);
        }
    }
    for (GX_CELL* cell : taken) {
        if (bRows)
            cell->row = int32_t(map(cell->row));
        else
            cell->col = int32_t(map(cell->col));
        PutBack(hSheet, cell);
    }
    return TRUE;
}

BOOL CopyBlock(int hSheet, const GX_CELLREF& block, int32_t row, int32_t col, BOOL bNoRecalc)
{
    GX_SHEET* pSheet = GetSheet(hSheet);
    const Rect src = RectOf(block);
    const int64_t dr = int64_t(row) - src.top;
    const int64_t dc = int64_t(col) - src.left;
    const Rect dst{src.top + dr, src.left + dc, std::min<int64_t>(src.bottom + dr, GX_MAX_ROW),
                   std::min<int64_t>(src.right + dc, GX_MAX_COL)};
    GX_CELLREF bounds{};
    if (!GetBoundingRange(hSheet, &bounds) || !ReferencesIntersect(bounds, RefOf(src)))
        return TRUE;
    {
        ShiftScope scope(hSheet, false);
        pSheet->modified = 1;
        std::vector<GX_CELL*> copies;
        for (uint32_t mask : {GX_POOL_CONSTANT, GX_POOL_FORMULA}) {
            for (GX_CELL* cell : TableCells(pSheet, mask)) {
                if (!src.Has(cell->row, cell->col))
                    continue;
                const int64_t newRow = cell->row + dr;
                const int64_t newCol = cell->col + dc;
                if (!RowInLimits(newRow) || !ColInLimits(newCol))
                    continue;
                GX_CELL* copy = CopyCellWithStyle(GetPool(pSheet, mask), cell);
                copy->row = int32_t(newRow);
                copy->col = int32_t(newCol);
                copy->Set(GX_CF_EVALUATED | GX_CF_EVALUATING | GX_CF_CYCLE, false);
                if (GX_EXPRESSION* expr = copy->formula; expr != nullptr && expr->nodes != nullptr) {
                    for (int i = 0; i < expr->nodeCount; ++i) {
                        GX_NODE& node = expr->nodes[i];
                        if (!IsReferenceNode(node))
                            continue;
                        int64_t r1, c1, r2, c2;
                        FirstCorner(node.ref, r1, c1);
                        LastCorner(node.ref, r2, c2);
                        const bool single = node.ref.IsSingle();
                        if (!node.ref.Has(GX_REF_FIRST_ROW_ABS))
                            r1 += dr;
                        if (!node.ref.Has(GX_REF_FIRST_COL_ABS))
                            c1 += dc;
                        if (single) {
                            r2 = r1;
                            c2 = c1;
                        } else {
                            if (!node.ref.Has(GX_REF_LAST_ROW_ABS))
                                r2 += dr;
                            if (!node.ref.Has(GX_REF_LAST_COL_ABS))
                                c2 += dc;
                        }
                        if (!SetCorners(node.ref, r1, c1, r2, c2))
                            MakeErrorNode(node);
                    }
                    copy->Set(GX_CF_DIRTY, true);
                }
                copies.push_back(copy);
            }
        }
        bool overwritten = false;
        for (uint32_t mask : {GX_POOL_CONSTANT, GX_POOL_FORMULA}) {
            for (GX_CELL* cell : TableCells(pSheet, mask)) {
                if (dst.Has(cell->row, cell->col)) {
                    RemoveCell(hSheet, cell);
                    KeepOrFree(pSheet, cell);
                    overwritten = true;
                }
            }
        }
        for (GX_CELL* copy : copies)
            PutBack(hSheet, copy);
        // Undoing the copy clears the destination before the kept cells go back. Without kept cells
        // there is nothing to undo here, and a collected range left behind would widen the next
        // operation's: its undo would clear this destination too.
        if (pSheet->keepRemovedCells && overwritten) {
            Rect collected = dst;
            if (pSheet->removedRangeValid) {
                const Rect before = RectOf(pSheet->removedRange);
                collected = Rect{std::min(before.top, dst.top), std::min(before.left, dst.left),
                                 std::max(before.bottom, dst.bottom), std::max(before.right, dst.right)};
            }
            pSheet->removedRange = RefOf(collected);
            pSheet->removedRangeValid = 1;
        }
    }
    if (!bNoRecalc) {
        AddChangedRange(hSheet, RefOf(src));
        AddChangedRange(hSheet, RefOf(dst));
        RecalcEngine(hSheet);
    }
    return TRUE;
}

BOOL PermuteEngineCells(int hSheet, const GX_CELLREF& block, BOOL bRows, const std::vector<int32_t>& newOrder)
{
    GX_SHEET* pSheet = GetSheet(hSheet);
    const Rect area = RectOf(block);
    const int64_t start = bRows ? area.top : area.left;
    // Old position -> new position, for the positions the order names.
    std::map<int64_t, int64_t> target;
    for (std::size_t i = 0; i < newOrder.size(); ++i)
        target[start + newOrder[i]] = start + int64_t(i);
    auto mapped = [&](int64_t v) {
        auto found = target.find(v);
        return found != target.end() ? found->second : v;
    };
    ShiftScope scope(hSheet, false);
    pSheet->modified = 1;

    std::vector<GX_CELL*> taken;
    for (uint32_t mask : {GX_POOL_CONSTANT, GX_POOL_FORMULA})
        for (GX_CELL* cell : TableCells(pSheet, mask))
            if (area.Has(cell->row, cell->col)) {
                RemoveCell(hSheet, cell);
                taken.push_back(cell);
            }
    auto follow = [&](GX_CELL* cell) {
        GX_EXPRESSION* expr = cell->formula;
        if (expr == nullptr || expr->nodes == nullptr)
            return;
        bool changed = false;
        for (int i = 0; i < expr->nodeCount; ++i) {
            GX_NODE& node = expr->nodes[i];
            if (!IsReferenceNode(node))
                continue;
            int64_t r1, c1, r2, c2;
            FirstCorner(node.ref, r1, c1);
            LastCorner(node.ref, r2, c2);
            // Only references of one row (column) inside the block follow their data.
            if ((bRows ? r1 != r2 : c1 != c2) || !area.Has(r1, c1) || !area.Has(r2, c2))
                continue;
            int64_t& v1 = bRows ? r1 : c1;
            int64_t& v2 = bRows ? r2 : c2;
            const int64_t moved = mapped(v1);
            if (moved == v1)
                continue;
            v1 = v2 = moved;
            SetCorners(node.ref, r1, c1, r2, c2);
            changed = true;
        }
        if (changed)
            cell->Set(GX_CF_DIRTY, true);
    };
    for (GX_CELL* cell : TableCells(pSheet, GX_POOL_FORMULA))
        follow(cell);
    for (GX_CELL* cell : taken) {
        follow(cell);
        if (bRows)
            cell->row = int32_t(mapped(cell->row));
        else
            cell->col = int32_t(mapped(cell->col));
    }
    for (GX_CELL* cell : taken)
        PutBack(hSheet, cell);
    return TRUE;
}
