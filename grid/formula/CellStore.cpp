#include "grid/formula/CellStore.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <unordered_set>
#include <vector>

#include "framework/core/Exceptions.h"
#include "grid/formula/CellReference.h"
#include "grid/formula/EngineMemory.h"
#include "grid/formula/EngineSheet.h"
#include "grid/formula/EngineState.h"
#include "grid/formula/ErrorTexts.h"
#include "grid/formula/Evaluator.h"
#include "grid/formula/FormulaParser.h"
#include "grid/formula/FormulaText.h"
#include "grid/formula/ParsedFormula.h"

namespace
{
bool InLimits(int32_t row, int32_t col)
{
    return row >= 1 && row <= GX_MAX_ROW && col >= 0 && col <= GX_MAX_COL;
}

void Area(const GX_CELLREF& ref, int32_t& top, int32_t& left, int32_t& bottom, int32_t& right)
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

void FreeHeapString(GX_CELL* cell)
{
    if (cell->ValueType() == GX_CELL_VALUE_HEAP_STRING) {
        EngineFree(cell->value.heapText);
        cell->value.heapText = nullptr;
    }
}

// The constant and formula cells of a sheet go to different pools by kind.
GX_CELL_POOL* PoolForKind(GX_SHEET* pSheet, uint32_t kind)
{
    switch (kind) {
    case GX_KIND_FORMULA:
        return GetPool(pSheet, GX_POOL_FORMULA);
    case GX_KIND_PLACEHOLDER:
        return GetPool(pSheet, GX_POOL_PLACEHOLDER);
    default:
        return GetPool(pSheet, GX_POOL_CONSTANT);
    }
}

// A new cell of the kind at (row, col), replacing the cell there, whose style object it takes over.
GX_CELL* ReplaceCellAt(int hSheet, int32_t row, int32_t col, uint32_t kind)
{
    GX_SHEET* pSheet = GetSheet(hSheet);
    pSheet->modified = 1;
    CGXStyle* style = nullptr;
    if (GX_CELL* old = FindCell(hSheet, row, col)) {
        style = old->style;
        old->style = nullptr;
        DeleteCell(hSheet, old);
    }
    GX_CELL* cell = AllocCell(PoolForKind(pSheet, kind));
    cell->row = row;
    cell->col = col;
    cell->SetKind(kind);
    cell->style = style;
    cell->stamp = pSheet->stamp;
    cell->Set(GX_CF_CHANGED, true);
    return cell;
}

// The kind a parsed formula gives its cell.
uint32_t FormulaKind(const GX_EXPRESSION& expr)
{
    const GX_NODE* root = expr.root < expr.nodeCount ? &expr.nodes[expr.root] : nullptr;
    if (root != nullptr && root->kind == GX_NODE_NUMBER && (root->flags & GX_NF_HEX) == 0
        && expr.constraintRoot == GX_NO_NODE && expr.dependencyRoot == GX_NO_NODE)
        return GX_KIND_NUMBER;
    // A formula that names the cell it stands in (RELATIVE) is recalculated like one with references:
    // evaluated once, it would keep a stale value.
    if (HasReferences(&expr) || HasFunctionCalls(&expr) || HasRelativeNodes(&expr))
        return GX_KIND_FORMULA;
    return GX_KIND_CONSTANT_FORMULA;
}

bool SameValue(const GX_CELL* cell, const GX_VALUE& value)
{
    switch (value.type) {
    case GX_VALUE_NUMBER:
        return cell->ValueType() == GX_CELL_VALUE_NUMBER && cell->value.number == value.number;
    case GX_VALUE_STRING:
        if (cell->ValueType() == GX_CELL_VALUE_HEAP_STRING)
            return std::strcmp(cell->value.heapText, value.text) == 0;
        if (cell->ValueType() == GX_CELL_VALUE_INLINE_STRING)
            return std::strlen(value.text) <= 8 && std::strncmp(cell->value.inlineText, value.text, 8) == 0;
        return false;
    case GX_VALUE_ERROR:
        return cell->ValueType() == GX_CELL_VALUE_ERROR && cell->value.errorCode == value.error.code
               && cell->errorDetail == value.error.detail;
    case GX_VALUE_NA:
        return cell->ValueType() == GX_CELL_VALUE_NA;
    default:
        return cell->ValueType() == GX_CELL_VALUE_NONE;
    }
}

// Puts a removed cell on the sheet's chain for undo and widens the collected range.
void CollectRemoved(GX_SHEET* pSheet, GX_CELL* cell)
{
    cell->next = pSheet->removedCells;
    pSheet->removedCells = cell;
    if (!pSheet->removedRangeValid) {
        pSheet->removedRange = MakeCellReference(cell->row, cell->col, 0);
        pSheet->removedRange.Set(GX_REF_SINGLE, false);
        pSheet->removedRangeValid = 1;
    } else {
        GX_CELLREF& range = pSheet->removedRange;
        range.SetFirstRow(std::min(range.FirstRow(), cell->row));
        range.SetLastRow(std::max(range.LastRow(), cell->row));
        range.SetFirstCol(std::min(range.FirstCol(), cell->col));
        range.SetLastCol(std::max(range.LastCol(), cell->col));
    }
}

// Smallest and largest node index under a root (links, offsets and arguments followed).
void Stretch(const GX_EXPRESSION& expr, uint16_t root, int& low, int& high)
{
    low = high = -1;
    if (root >= expr.nodeCount)
        return;
    std::vector<uint16_t> pending{root};
    std::vector<bool> seen(std::size_t(expr.nodeCount), false);
    while (!pending.empty()) {
        uint16_t index = pending.back();
        pending.pop_back();
        if (index >= expr.nodeCount || seen[index])
            continue;
        seen[index] = true;
        low = low < 0 ? index : std::min<int>(low, index);
        high = std::max<int>(high, index);
        const GX_NODE& node = expr.nodes[index];
        switch (node.kind) {
        case GX_NODE_OPERATOR:
        case GX_NODE_ARG:
        case GX_NODE_EXTENSION:
            pending.push_back(node.left);
            pending.push_back(node.right);
            break;
        case GX_NODE_FUNCTION:
            pending.push_back(node.right);
            break;
        case GX_NODE_RELATIVE:
            pending.push_back(node.relative.rowOffset);
            pending.push_back(node.relative.colOffset);
            break;
        default:
            break;
        }
    }
}

// The cell a RELATIVE node names when its offsets are absent or plain numbers; FALSE otherwise.
bool RelativeTarget(const GX_EXPRESSION& expr, const GX_NODE& node, const GX_CELL* cell, int32_t& row, int32_t& col)
{
    auto offset = [&](uint16_t index, double& value) {
        if (index == GX_NO_NODE) {
            value = 0.0;
            return true;
        }
        if (index >= expr.nodeCount || expr.nodes[index].kind != GX_NODE_NUMBER)
            return false;
        value = expr.nodes[index].number;
        return value > -1e9 && value < 1e9;
    };
    double dr = 0.0, dc = 0.0;
    if (!offset(node.relative.rowOffset, dr) || !offset(node.relative.colOffset, dc))
        return false;
    row = cell->row + int32_t(dr);
    col = cell->col + int32_t(dc);
    return InLimits(row, col);
}

struct Block
{
    int32_t top, left, bottom, right;

    bool Meets(const Block& other) const
    {
        return top <= other.bottom && other.top <= bottom && left <= other.right && other.left <= right;
    }
    bool Contains(const Block& other) const
    {
        return other.top >= top && other.bottom <= bottom && other.left >= left && other.right <= right;
    }
};

Block AreaOf(const GX_CELLREF& ref)
{
    Block block;
    Area(ref, block.top, block.left, block.bottom, block.right);
    return block;
}
}  // namespace

// The changed places of a sheet, kept as they are listed, for the question whether a block meets
// one of them. A paste or a clear lists many places, and a pass asks about every formula cell and
// every reference of it, as does every read of a formula while a command holds the recalculation:
// the narrow places are kept per column, as disjoint row spans in order, and found by search.
struct GX_CHANGED_PLACES
{
    // Places wider than this many columns are few (whole rows, wide blocks) and asked one by one.
    static constexpr int32_t kNarrowColumns = 16;

    // The list's entries in order, for the joins of the last ones.
    std::vector<GX_RANGE_LIST*> entries;
    std::vector<Block> wide;
    // Column -> first row of a span -> its last row.
    std::map<int32_t, std::map<int32_t, int32_t>> columns;

    void Add(const Block& block)
    {
        if (block.right - block.left >= kNarrowColumns) {
            // A place beside the last wide one widens it (whole rows cleared one after the other).
            if (!wide.empty()) {
                Block& last = wide.back();
                const bool sameCols = last.left == block.left && last.right == block.right;
                if (sameCols && block.top <= last.bottom + 1 && block.bottom + 1 >= last.top) {
                    last.top = std::min(last.top, block.top);
                    last.bottom = std::max(last.bottom, block.bottom);
                    return;
                }
            }
            wide.push_back(block);
            return;
        }
        for (int32_t col = block.left; col <= block.right; ++col)
            AddSpan(columns[col], block.top, block.bottom);
    }

    bool Meets(const Block& block) const
    {
        for (const Block& place : wide)
            if (place.Meets(block))
                return true;
        for (auto col = columns.lower_bound(block.left); col != columns.end() && col->first <= block.right; ++col)
            if (const auto* span = SpanAtOrAbove(col->second, block.bottom); span != nullptr && span->second >= block.top)
                return true;
        return false;
    }

    // Every cell of the block is a changed place already.
    bool Covers(const Block& block) const
    {
        for (const Block& place : wide)
            if (place.Contains(block))
                return true;
        if (block.right - block.left >= kNarrowColumns)
            return false;
        for (int32_t col = block.left; col <= block.right; ++col) {
            auto spans = columns.find(col);
            if (spans == columns.end())
                return false;
            const auto* span = SpanAtOrAbove(spans->second, block.top);
            if (span == nullptr || span->second < block.bottom)
                return false;
        }
        return true;
    }

private:
    using Spans = std::map<int32_t, int32_t>;

    // The span that starts at the row or nearest above it.
    static const Spans::value_type* SpanAtOrAbove(const Spans& spans, int32_t row)
    {
        auto span = spans.upper_bound(row);
        return span == spans.begin() ? nullptr : &*std::prev(span);
    }

    // Spans that overlap or touch the new one merge with it.
    static void AddSpan(Spans& spans, int32_t top, int32_t bottom)
    {
        auto span = spans.upper_bound(top);
        if (span != spans.begin()) {
            auto before = std::prev(span);
            if (before->second + 1 >= top) {
                top = before->first;
                bottom = std::max(bottom, before->second);
                span = before;
            }
        }
        while (span != spans.end() && span->first <= bottom + 1) {
            bottom = std::max(bottom, span->second);
            span = spans.erase(span);
        }
        spans.emplace_hint(span, top, bottom);
    }
};

namespace
{
// A listed changed range touches the formula (or the cell itself). Without places every cell is touched.
bool IsAffected(const GX_CHANGED_PLACES* places, const GX_CELL* cell)
{
    if (places == nullptr)
        return true;
    if (places->Meets(Block{cell->row, cell->col, cell->row, cell->col}))
        return true;
    const GX_EXPRESSION* expr = cell->formula;
    if (expr == nullptr || expr->nodes == nullptr)
        return false;
    for (int i = 0; i < expr->nodeCount; ++i) {
        const GX_NODE& node = expr->nodes[i];
        const GX_CELLREF* ref = nullptr;
        bool single = false;
        switch (node.kind) {
        case GX_NODE_CELL:
            ref = &node.ref;
            single = true;
            break;
        case GX_NODE_RANGE:
            ref = &node.ref;
            break;
        case GX_NODE_NAMED_CELL:
        case GX_NODE_NAMED_RANGE:
            if (node.name == nullptr)
                continue;
            ref = &node.name->ref;
            single = node.kind == GX_NODE_NAMED_CELL;
            break;
        case GX_NODE_RELATIVE:
            return true;  // the cell it names is known only when it runs
        default:
            continue;
        }
        const Block area = single ? Block{ref->FirstRow(), ref->FirstCol(), ref->FirstRow(), ref->FirstCol()} : AreaOf(*ref);
        if (places->Meets(area))
            return true;
    }
    return false;
}

// Widens a listed place by another when the two make one block; FALSE (nothing changed) otherwise.
bool JoinPlaces(GX_CELLREF& listed, const GX_CELLREF& added)
{
    int32_t top, left, bottom, right, addTop, addLeft, addBottom, addRight;
    Area(listed, top, left, bottom, right);
    Area(added, addTop, addLeft, addBottom, addRight);
    const bool sameCols = addLeft == left && addRight == right;
    const bool sameRows = addTop == top && addBottom == bottom;
    const bool inside = addTop >= top && addBottom <= bottom && addLeft >= left && addRight <= right;
    const bool touchRows = addTop <= bottom + 1 && addBottom + 1 >= top;
    const bool touchCols = addLeft <= right + 1 && addRight + 1 >= left;
    if (inside)
        return true;
    if (!(sameCols && touchRows) && !(sameRows && touchCols))
        return false;
    listed = MakeRangeReference(std::min(top, addTop), std::min(left, addLeft), std::max(bottom, addBottom),
                                std::max(right, addRight), 0);
    return true;
}

// One cell on the work stack of RecalcCell: where its scan of references stands.
struct RecalcFrame
{
    GX_CELL* cell;
    int node;            // next node to scan
    int skipLow;         // the constraint's node stretch
    int skipHigh;
    bool inRange;
    GX_RANGE_ITERATOR range;
    GX_CELL* pending;    // the referenced cell being brought up to date
    bool needs;
};

// A cell on its way onto the work stack: its frame starts the scan of its formula.
void StartFrame(GX_CELL* cell, RecalcFrame& frame)
{
    cell->Set(GX_CF_EVALUATING, true);
    frame = RecalcFrame{};
    frame.cell = cell;
    frame.needs = cell->Is(GX_CF_DIRTY);
    frame.skipLow = frame.skipHigh = -1;
    if (cell->formula != nullptr && cell->formula->constraintRoot != GX_NO_NODE)
        Stretch(*cell->formula, cell->formula->constraintRoot, frame.skipLow, frame.skipHigh);
}

// The next formula cell the frame's formula refers to, or null when the scan is over.
GX_CELL* NextReference(int hSheet, RecalcFrame& frame)
{
    const GX_EXPRESSION* expr = frame.cell->formula;
    for (;;) {
        if (frame.inRange) {
            if (GX_CELL* cell = frame.range.Next())
                return cell;
            frame.inRange = false;
        }
        if (expr == nullptr || expr->nodes == nullptr || frame.node >= expr->nodeCount)
            return nullptr;
        const int index = frame.node++;
        if (index >= frame.skipLow && index <= frame.skipHigh)
            continue;
        const GX_NODE& node = expr->nodes[index];
        if ((node.flags & GX_NF_NOT_FOLLOWED) != 0)
            continue;
        int32_t row = 0, col = 0;
        switch (node.kind) {
        case GX_NODE_CELL:
            row = node.ref.FirstRow();
            col = node.ref.FirstCol();
            break;
        case GX_NODE_NAMED_CELL:
            if (node.name == nullptr)
                continue;
            row = node.name->ref.FirstRow();
            col = node.name->ref.FirstCol();
            break;
        case GX_NODE_RELATIVE:
            if (!RelativeTarget(*expr, node, frame.cell, row, col))
                continue;
            break;
        case GX_NODE_RANGE:
        case GX_NODE_NAMED_RANGE: {
            const GX_CELLREF* ref = node.kind == GX_NODE_RANGE ? &node.ref : (node.name ? &node.name->ref : nullptr);
            if (ref == nullptr)
                continue;
            frame.range.Start(hSheet, *ref, GX_POOL_FORMULA);
            frame.inRange = true;
            continue;
        }
        default:
            continue;
        }
        GX_CELL* cell = FindCell(hSheet, row, col);
        if (cell != nullptr && cell->Kind() == GX_KIND_FORMULA)
            return cell;
    }
}

void WriteReport(int hSheet, const GX_CELL* cell, int32_t code, const char* detail)
{
    char report[256];
    std::snprintf(report, sizeof report, "ERROR: %s %s ", ErrorText(code), detail != nullptr ? detail : "");
    char message[256];
    const char* letters = ColumnLetters(cell->col);
    std::snprintf(message, sizeof message, "Cell %s%d: %s", letters != nullptr ? letters : "", cell->row, report);
    WriteSheetMessage(hSheet, message);
}
}  // namespace

BOOL HasRelativeNodes(const GX_EXPRESSION* expr)
{
    if (expr == nullptr || expr->nodes == nullptr)
        return FALSE;
    for (int i = 0; i < expr->nodeCount; ++i)
        if (expr->nodes[i].kind == GX_NODE_RELATIVE)
            return TRUE;
    return FALSE;
}

BOOL StoreFormula(int hSheet, int32_t row, int32_t col, const char* text, const GX_VALUE* value)
{
    if (!InLimits(row, col) || text == nullptr)
        return FALSE;
    GX_EXPRESSION parsed{};
    if (!ParseFormula(hSheet, text, &parsed)) {
        ClearExpression(parsed);
        return FALSE;
    }
    const uint32_t kind = FormulaKind(parsed);
    if (kind == GX_KIND_NUMBER) {
        const double number = parsed.nodes[parsed.root].number;
        ClearExpression(parsed);
        return StoreNumber(hSheet, row, col, number);
    }
    GX_EXPRESSION* formula = nullptr;
    try {
        formula = static_cast<GX_EXPRESSION*>(EngineAlloc(sizeof(GX_EXPRESSION)));
    } catch (...) {
        ClearExpression(parsed);
        throw;
    }
    *formula = parsed;
    GX_CELL* cell = ReplaceCellAt(hSheet, row, col, kind);
    cell->formula = formula;
    cell->Set(GX_CF_CHANGED, false);
    // Not evaluated yet: the first look at it evaluates it, whatever pass is running.
    cell->Set(GX_CF_DIRTY, kind == GX_KIND_FORMULA && value == nullptr);
    if (value != nullptr && kind == GX_KIND_FORMULA) {
        switch (value->type) {
        case GX_VALUE_NUMBER:
            SetCellNumber(cell, value->number);
            break;
        case GX_VALUE_STRING:
            SetCellString(cell, value->text);
            break;
        case GX_VALUE_NA:
            SetCellValueType(cell, GX_CELL_VALUE_NA);
            break;
        case GX_VALUE_ERROR:
            SetCellValueType(cell, GX_CELL_VALUE_ERROR, value->error.code, value->error.detail);
            break;
        default:
            break;
        }
        cell->Set(GX_CF_EVALUATED, true);
        cell->Set(GX_CF_CHANGED, true);
    }
    InsertCell(hSheet, cell);
    if (kind == GX_KIND_CONSTANT_FORMULA)
        EvaluateCell(hSheet, cell);
    return TRUE;
}

BOOL StoreNumber(int hSheet, int32_t row, int32_t col, double number)
{
    if (!InLimits(row, col))
        return FALSE;
    GX_CELL* cell = ReplaceCellAt(hSheet, row, col, GX_KIND_NUMBER);
    SetCellNumber(cell, number);
    return InsertCell(hSheet, cell);
}

BOOL StoreText(int hSheet, int32_t row, int32_t col, const char* text, BOOL bDecode)
{
    if (!InLimits(row, col))
        return FALSE;
    char decoded[GX_MAX_STRING + 1];
    if (text == nullptr)
        text = "";
    if (bDecode) {
        int length = UnescapeText(decoded, text);
        decoded[length] = '\0';
    } else {
        std::strncpy(decoded, text, GX_MAX_STRING);
        decoded[GX_MAX_STRING] = '\0';
    }
    GX_CELL* cell = ReplaceCellAt(hSheet, row, col, GX_KIND_TEXT);
    SetCellString(cell, decoded);
    return InsertCell(hSheet, cell);
}

BOOL StoreNotAvailable(int hSheet, int32_t row, int32_t col)
{
    if (!InLimits(row, col))
        return FALSE;
    GX_CELL* cell = ReplaceCellAt(hSheet, row, col, GX_KIND_TEXT);
    SetCellValueType(cell, GX_CELL_VALUE_NA);
    return InsertCell(hSheet, cell);
}

void DeleteCell(int hSheet, GX_CELL* cell)
{
    if (cell == nullptr)
        return;
    if (cell->Is(GX_CF_IN_TABLE))
        RemoveCell(hSheet, cell);
    FreeCell(cell);
}

BOOL ClearRange(int hSheet, const GX_CELLREF& range)
{
    GX_SHEET* pSheet = GetSheet(hSheet);
    GX_CELLREF clipped = range;
    if (!ClipToBounding(hSheet, &clipped))
        return FALSE;
    pSheet->modified = 1;
    const uint32_t locked = LockPools(hSheet, GX_POOL_ALL);
    std::vector<GX_CELL*> removed;
    GX_RANGE_ITERATOR cells;
    cells.Start(hSheet, clipped, GX_POOL_CONSTANT | GX_POOL_FORMULA);
    while (GX_CELL* cell = cells.Next())
        removed.push_back(cell);
    for (GX_CELL* cell : removed) {
        const GX_EXPRESSION* expr = cell->formula;
        if (expr != nullptr && expr->nodes != nullptr && expr->nodeCount >= 2
            && expr->nodes[0].kind == GX_NODE_NUMBER && expr->nodes[0].flags == 0 && expr->nodes[1].kind == GX_NODE_CELL)
            AddChangedRange(hSheet, expr->nodes[1].ref);
        RemoveCell(hSheet, cell);
        if (pSheet->keepRemovedCells)
            CollectRemoved(pSheet, cell);
        else
            FreeCell(cell);
    }
    UnlockPools(hSheet, locked);
    AddChangedRange(hSheet, clipped);
    return TRUE;
}

void SetCellNumber(GX_CELL* cell, double number)
{
    FreeHeapString(cell);
    cell->SetValueType(GX_CELL_VALUE_NUMBER);
    cell->value.number = number;
    cell->errorDetail = nullptr;
}

void SetCellString(GX_CELL* cell, const char* text)
{
    FreeHeapString(cell);
    cell->errorDetail = nullptr;
    const std::size_t length = strnlen(text, GX_MAX_STRING);
    if (length > 8) {
        cell->SetValueType(GX_CELL_VALUE_NONE);
        cell->value.heapText = EngineAllocText(text, length);
        cell->SetValueType(GX_CELL_VALUE_HEAP_STRING);
    } else {
        std::memset(cell->value.inlineText, 0, 8);
        std::memcpy(cell->value.inlineText, text, length);
        cell->SetValueType(GX_CELL_VALUE_INLINE_STRING);
    }
}

void SetCellValueType(GX_CELL* cell, uint32_t valueType, int32_t errorCode, const char* detail)
{
    FreeHeapString(cell);
    cell->value.number = 0.0;
    cell->errorDetail = nullptr;
    cell->SetValueType(valueType);
    if (valueType == GX_CELL_VALUE_ERROR) {
        cell->value.errorCode = errorCode;
        cell->errorDetail = detail;
    }
}

void CellStringValue(const GX_CELL* cell, char* buffer)
{
    buffer[0] = '\0';
    if (cell->ValueType() == GX_CELL_VALUE_HEAP_STRING) {
        std::strncpy(buffer, cell->value.heapText, GX_MAX_STRING);
        buffer[GX_MAX_STRING] = '\0';
    } else if (cell->ValueType() == GX_CELL_VALUE_INLINE_STRING) {
        std::memcpy(buffer, cell->value.inlineText, 8);
        buffer[8] = '\0';
    }
}

void ReplaceFormula(GX_CELL* cell, const GX_EXPRESSION* formula)
{
    GX_EXPRESSION* copy = CopyExpression(formula);
    FreeExpression(cell->formula);
    cell->formula = copy;
}

void AddChangedRange(int hSheet, const GX_CELLREF& range)
{
    GX_SHEET* pSheet = GetSheet(hSheet);
    if (pSheet->changedPlaces == nullptr)
        pSheet->changedPlaces = new GX_CHANGED_PLACES;
    GX_CHANGED_PLACES& places = *pSheet->changedPlaces;
    const Block area = AreaOf(range);
    // A range whose every cell is listed already (an equal one among them) adds nothing.
    if (places.Covers(area))
        return;
    places.Add(area);
    // A command stores its cells in order: a place beside the last one listed widens it, and the
    // widened one joins the one before it when the two make one block (a row of a pasted block
    // under the rows before it). The list stays short, and the places it covers are the same.
    std::vector<GX_RANGE_LIST*>& entries = places.entries;
    if (!entries.empty() && JoinPlaces(entries.back()->ref, range)) {
        if (entries.size() > 1 && JoinPlaces(entries[entries.size() - 2]->ref, entries.back()->ref)) {
            std::free(entries.back());
            entries.pop_back();
            entries.back()->next = nullptr;
        }
        return;
    }
    GX_RANGE_LIST* entry = static_cast<GX_RANGE_LIST*>(std::calloc(1, sizeof(GX_RANGE_LIST)));
    if (entry == nullptr)
        AfxThrowMemoryException();
    entry->ref = range;
    try {
        entries.push_back(entry);
    } catch (...) {
        std::free(entry);
        throw;
    }
    (entries.size() > 1 ? entries[entries.size() - 2]->next : pSheet->changedRanges) = entry;
}

void EmptyChangedRanges(GX_SHEET* pSheet)
{
    for (GX_RANGE_LIST* entry = pSheet->changedRanges; entry != nullptr;) {
        GX_RANGE_LIST* next = entry->next;
        std::free(entry);
        entry = next;
    }
    pSheet->changedRanges = nullptr;
    delete pSheet->changedPlaces;
    pSheet->changedPlaces = nullptr;
}

BOOL EvaluateCell(int hSheet, GX_CELL* cell)
{
    if (cell == nullptr || cell->formula == nullptr)
        return FALSE;
    GX_VALUE value = EvaluateFormula(hSheet, cell->row, cell->col, cell->formula, cell->formula->root, TRUE);
    if (SameValue(cell, value)) {
        FreeValue(value);
        return FALSE;
    }
    BOOL bNewError = FALSE;
    switch (value.type) {
    case GX_VALUE_NUMBER:
        SetCellNumber(cell, value.number);
        break;
    case GX_VALUE_STRING:
        SetCellString(cell, value.text);
        break;
    case GX_VALUE_NA:
        SetCellValueType(cell, GX_CELL_VALUE_NA);
        return FALSE;  // #N/A does not ask for a redraw
    case GX_VALUE_ERROR:
        SetCellValueType(cell, GX_CELL_VALUE_ERROR, value.error.code, value.error.detail);
        WriteReport(hSheet, cell, value.error.code, value.error.detail);
        bNewError = TRUE;
        break;
    default:
        SetCellValueType(cell, GX_CELL_VALUE_NONE);
        break;
    }
    FreeValue(value);
    cell->Set(GX_CF_CHANGED, true);
    return bNewError;
}

void ReportCellError(int hSheet, const GX_CELL* cell)
{
    if (cell != nullptr && cell->ValueType() == GX_CELL_VALUE_ERROR)
        WriteReport(hSheet, cell, cell->value.errorCode, cell->errorDetail);
}

namespace
{
// Brings a cell up to date after the formula cells it reads, depth first. An explicit work stack in
// place of a recursion per reference: no chain of cells, however long, can exhaust the stack. The
// walk tells its walker when it meets a cell (Enter: FALSE when the cell is up to date already in
// this walk), a cycle (a cell that reads one still being brought up to date), a cell read (Read) and
// a cell done (Finish, with whether it may be evaluated: not when it left the table meanwhile).
template <class Walker>
void Walk(int hSheet, GX_CELL* cell, Walker& walker)
{
    std::vector<RecalcFrame> stack;
    stack.emplace_back();
    if (!walker.Enter(cell, stack.back()))
        return;
    while (!stack.empty()) {
        const std::size_t top = stack.size() - 1;
        GX_CELL* referenced = stack[top].pending;
        if (referenced != nullptr) {
            stack[top].pending = nullptr;
        } else {
            referenced = NextReference(hSheet, stack[top]);
            if (referenced == nullptr) {
                walker.Finish(stack[top], true);
                stack.pop_back();
                continue;
            }
            if (referenced->Is(GX_CF_EVALUATING)) {
                walker.Cycle(stack[top].cell);
            } else {
                RecalcFrame inner;
                if (walker.Enter(referenced, inner)) {
                    stack[top].pending = referenced;
                    stack.push_back(inner);
                    continue;
                }
            }
        }
        RecalcFrame& frame = stack[top];
        walker.Read(referenced);
        if (!frame.cell->Is(GX_CF_IN_TABLE)) {
            walker.Finish(frame, false);
            stack.pop_back();
            continue;
        }
        if (frame.cell->stamp < referenced->stamp)
            frame.needs = true;
    }
}

// The walk of a pass (or of a read under the lazy method): a cell is evaluated once per pass, when it
// is dirty or reads a cell evaluated after it; cycles are flagged for the iterations.
class PassWalker
{
public:
    explicit PassWalker(int hSheet) : m_hSheet(hSheet), m_pSheet(GetSheet(hSheet)) {}

    bool Enter(GX_CELL* cell, RecalcFrame& frame)
    {
        if (cell->Is(GX_CF_EVALUATED))
            return false;
        cell->Set(GX_CF_EVALUATED, true);
        StartFrame(cell, frame);
        return true;
    }
    void Cycle(GX_CELL* cell)
    {
        cell->Set(GX_CF_CYCLE, true);
        m_pSheet->cycleFound = 1;
    }
    void Read(const GX_CELL* referenced)
    {
        if (referenced->Is(GX_CF_CYCLE))
            m_pSheet->cycleFound = 1;
    }
    void Finish(RecalcFrame& frame, bool evaluate)
    {
        GX_CELL* done = frame.cell;
        if (evaluate && frame.needs) {
            EvaluateCell(m_hSheet, done);
            done->Set(GX_CF_DIRTY, false);
            done->stamp = m_pSheet->stamp;
        }
        done->Set(GX_CF_EVALUATING, false);
    }

private:
    int m_hSheet;
    GX_SHEET* m_pSheet;
};

// The walk of a read while the pass of the changed places is held: besides a dirty cell, one that a
// changed place meets (or any, without places) is evaluated, once per read. Cycles wait for the pass.
// Nothing is reported: the report belongs to the state the pass leaves, and the cells whose new
// errors went unreported are kept for it.
class HeldWalker
{
public:
    HeldWalker(int hSheet, const GX_CHANGED_PLACES* places, std::vector<GX_CELL_POSITION>& unreported)
        : m_hSheet(hSheet), m_pSheet(GetSheet(hSheet)), m_places(places), m_unreported(unreported)
    {
    }

    bool Enter(GX_CELL* cell, RecalcFrame& frame)
    {
        if (!m_seen.insert(cell).second)
            return false;
        StartFrame(cell, frame);
        frame.needs = frame.needs || IsAffected(m_places, cell);
        return true;
    }
    void Cycle(GX_CELL*) {}
    void Read(const GX_CELL*) {}
    void Finish(RecalcFrame& frame, bool evaluate)
    {
        GX_CELL* done = frame.cell;
        if (evaluate && frame.needs) {
            // The cells evaluated now come after every cell evaluated before.
            if (!m_bStamped) {
                ++m_pSheet->stamp;
                m_bStamped = true;
            }
            const int32_t armed = m_pSheet->messageArmed;
            m_pSheet->messageArmed = 0;
            bool newError = false;
            try {
                newError = EvaluateCell(m_hSheet, done) != FALSE;
            } catch (...) {
                m_pSheet->messageArmed = armed;
                done->Set(GX_CF_EVALUATING, false);
                throw;
            }
            m_pSheet->messageArmed = armed;
            if (newError && armed)
                m_unreported.push_back(GX_CELL_POSITION{done->row, done->col});
            done->Set(GX_CF_DIRTY, false);
            done->stamp = m_pSheet->stamp;
        }
        done->Set(GX_CF_EVALUATING, false);
    }

private:
    int m_hSheet;
    GX_SHEET* m_pSheet;
    const GX_CHANGED_PLACES* m_places;
    std::vector<GX_CELL_POSITION>& m_unreported;
    std::unordered_set<const GX_CELL*> m_seen;
    bool m_bStamped = false;
};
}  // namespace

void RecalcCell(int hSheet, GX_CELL* cell)
{
    PassWalker walker(hSheet);
    Walk(hSheet, cell, walker);
}

void RecalcHeldCell(int hSheet, GX_CELL* cell, BOOL bEverything, std::vector<GX_CELL_POSITION>& unreported)
{
    const GX_SHEET* pSheet = GetSheet(hSheet);
    const GX_CHANGED_PLACES* places = bEverything || pSheet->changedRanges == nullptr ? nullptr : pSheet->changedPlaces;
    HeldWalker walker(hSheet, places, unreported);
    Walk(hSheet, cell, walker);
}

BOOL IsStale(const GX_CELL* cell)
{
    return cell != nullptr && cell->Kind() == GX_KIND_FORMULA && !cell->Is(GX_CF_EVALUATED);
}

int RecalcPass(int hSheet)
{
    GX_SHEET* pSheet = GetSheet(hSheet);
    GX_CELL_POOL* formulas = GetPool(pSheet, GX_POOL_FORMULA);
    bool anyDirty = false;
    const GX_CHANGED_PLACES* places = pSheet->changedRanges != nullptr ? pSheet->changedPlaces : nullptr;
    GX_POOL_ITERATOR cells;
    cells.Start(formulas);
    while (GX_CELL* cell = cells.Next()) {
        if (!cell->Is(GX_CF_IN_TABLE))
            continue;
        cell->Set(GX_CF_EVALUATED | GX_CF_EVALUATING | GX_CF_CYCLE, false);
        if (IsAffected(places, cell)) {
            cell->Set(GX_CF_DIRTY, true);
            anyDirty = true;
        }
    }
    const uint32_t locked = LockPools(hSheet, GX_POOL_ALL);
    try {
        if (anyDirty) {
            ++pSheet->stamp;
            if (pSheet->recalcMethod == 1) {
                cells.Start(formulas);
                while (GX_CELL* cell = cells.Next())
                    if (cell->Is(GX_CF_IN_TABLE) && !cell->Is(GX_CF_EVALUATED))
                        RecalcCell(hSheet, cell);
            }
        }
    } catch (...) {
        UnlockPools(hSheet, locked);
        throw;
    }
    UnlockPools(hSheet, locked);

    int violations = 0;
    if (pSheet->constraintCheck && pSheet->messageArmed) {
        violations = CountViolations(hSheet, GX_POOL_CONSTANT) + CountViolations(hSheet, GX_POOL_FORMULA);
        if (violations == 1) {
            WriteSheetMessage(hSheet, "There is 1 constraint violation!");
        } else if (violations > 1) {
            char message[64];
            std::snprintf(message, sizeof message, "There are %d constraint violations!", violations);
            WriteSheetMessage(hSheet, message);
        }
    }
    return violations;
}

BOOL RecalcEngine(int hSheet)
{
    GX_SHEET* pSheet = GetSheet(hSheet);
    if (pSheet->manualRecalc == 1) {
        EmptyChangedRanges(pSheet);
        return FALSE;
    }
    pSheet->recalcState |= GX_RECALC_RUNNING;
    pSheet->cycleFound = 0;
    int violations = RecalcPass(hSheet);
    if (pSheet->cycleFound) {
        pSheet->recalcState |= GX_RECALC_ITERATING;
        for (int i = 1; i <= pSheet->iterationLimit; ++i) {
            violations = RecalcPass(hSheet);
            if (pSheet->constraintCheck && violations == 0)
                break;
        }
    }
    EmptyChangedRanges(pSheet);
    pSheet->recalcState = 0;
    return TRUE;
}

BOOL ForceRecalcEngine(int hSheet)
{
    GX_SHEET* pSheet = GetSheet(hSheet);
    const int32_t manual = pSheet->manualRecalc;
    pSheet->manualRecalc = 0;
    const uint32_t state = pSheet->recalcState;
    pSheet->recalcState |= GX_RECALC_FORCED;
    BOOL result = FALSE;
    try {
        result = RecalcEngine(hSheet);
    } catch (...) {
        pSheet->manualRecalc = manual;
        pSheet->recalcState = state;
        throw;
    }
    pSheet->manualRecalc = manual;
    pSheet->recalcState = state;
    return result;
}

BOOL CheckConstraint(int hSheet, GX_CELL* cell)
{
    if (cell == nullptr || cell->formula == nullptr || cell->formula->constraintRoot == GX_NO_NODE)
        return TRUE;
    GX_VALUE value = EvaluateFormula(hSheet, cell->row, cell->col, cell->formula, cell->formula->constraintRoot, TRUE);
    const bool violated = value.type == GX_VALUE_NUMBER && value.number == 0.0;
    FreeValue(value);
    if (violated != cell->Is(GX_CF_VIOLATED)) {
        cell->Set(GX_CF_VIOLATED, violated);
        cell->Set(GX_CF_CHANGED, true);
    }
    return violated ? FALSE : TRUE;
}

int CountViolations(int hSheet, uint32_t poolMask)
{
    GX_SHEET* pSheet = GetSheet(hSheet);
    int count = 0;
    GX_POOL_ITERATOR cells;
    cells.Start(GetPool(pSheet, poolMask));
    while (GX_CELL* cell = cells.Next())
        if (cell->Is(GX_CF_IN_TABLE) && cell->ValueType() != GX_CELL_VALUE_ERROR && !CheckConstraint(hSheet, cell))
            ++count;
    return count;
}

void WriteSheetMessage(int hSheet, const char* text)
{
    GX_SHEET* pSheet = GetSheet(hSheet);
    if (pSheet == nullptr || !pSheet->messageArmed)
        return;
    std::strncpy(pSheet->message, text, sizeof pSheet->message - 1);
    pSheet->message[sizeof pSheet->message - 1] = '\0';
    pSheet->messageArmed = 0;
}
