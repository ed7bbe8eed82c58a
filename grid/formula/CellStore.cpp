#include "grid/formula/CellStore.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
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

// The changed places of a pass, for the question whether a block meets one of them. A paste or a
// clear lists many places, and a pass asks about every formula cell and every reference of it: the
// narrow places are held per column, as sorted row spans, and found by search.
class ChangedPlaces
{
public:
    explicit ChangedPlaces(const GX_RANGE_LIST* list) : m_everything(list == nullptr)
    {
        std::map<int32_t, std::vector<Span>> columns;
        for (const GX_RANGE_LIST* entry = list; entry != nullptr; entry = entry->next) {
            Block block;
            Area(entry->ref, block.top, block.left, block.bottom, block.right);
            if (block.right - block.left >= kNarrowColumns) {
                m_wide.push_back(block);
                continue;
            }
            for (int32_t col = block.left; col <= block.right; ++col)
                columns[col].push_back(Span{block.top, block.bottom});
        }
        for (auto& [col, spans] : columns) {
            std::sort(spans.begin(), spans.end(), [](const Span& a, const Span& b) { return a.top < b.top; });
            std::vector<Span> merged;
            for (const Span& span : spans) {
                if (!merged.empty() && span.top <= merged.back().bottom)
                    merged.back().bottom = std::max(merged.back().bottom, span.bottom);
                else
                    merged.push_back(span);
            }
            m_columns.push_back(col);
            m_spans.push_back(std::move(merged));
        }
    }

    // Every cell counts as changed (no place is listed).
    bool Everything() const { return m_everything; }

    bool Meets(int32_t top, int32_t left, int32_t bottom, int32_t right) const
    {
        for (const Block& block : m_wide)
            if (block.top <= bottom && top <= block.bottom && block.left <= right && left <= block.right)
                return true;
        for (auto col = std::lower_bound(m_columns.begin(), m_columns.end(), left);
             col != m_columns.end() && *col <= right; ++col) {
            const std::vector<Span>& spans = m_spans[std::size_t(col - m_columns.begin())];
            // The spans are disjoint and sorted: the first one not ending above the top decides.
            auto span = std::lower_bound(spans.begin(), spans.end(), top,
                                         [](const Span& s, int32_t row) { return s.bottom < row; });
            if (span != spans.end() && span->top <= bottom)
                return true;
        }
        return false;
    }

private:
    // Places wider than this many columns are few (whole rows, wide blocks) and asked one by one.
    static constexpr int32_t kNarrowColumns = 16;
    struct Block
    {
        int32_t top, left, bottom, right;
    };
    struct Span
    {
        int32_t top, bottom;
    };
    bool m_everything;
    std::vector<Block> m_wide;
    std::vector<int32_t> m_columns;
    std::vector<std::vector<Span>> m_spans;
};

// A listed changed range touches the formula (or the cell itself).
bool IsAffected(const ChangedPlaces& places, const GX_CELL* cell)
{
    if (places.Everything())
        return true;
    if (places.Meets(cell->row, cell->col, cell->row, cell->col))
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
        int32_t top, left, bottom, right;
        if (single) {
            top = bottom = ref->FirstRow();
            left = right = ref->FirstCol();
        } else {
            Area(*ref, top, left, bottom, right);
        }
        if (places.Meets(top, left, bottom, right))
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

bool Enter(GX_SHEET* pSheet, GX_CELL* cell, RecalcFrame& frame)
{
    (void)pSheet;
    if (cell->Is(GX_CF_EVALUATED))
        return false;
    cell->Set(GX_CF_EVALUATED, true);
    cell->Set(GX_CF_EVALUATING, true);
    frame = RecalcFrame{};
    frame.cell = cell;
    frame.needs = cell->Is(GX_CF_DIRTY);
    frame.skipLow = frame.skipHigh = -1;
    if (cell->formula != nullptr && cell->formula->constraintRoot != GX_NO_NODE)
        Stretch(*cell->formula, cell->formula->constraintRoot, frame.skipLow, frame.skipHigh);
    return true;
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
    GX_RANGE_LIST** link = &pSheet->changedRanges;
    GX_RANGE_LIST* last = nullptr;
    GX_RANGE_LIST* beforeLast = nullptr;
    for (; *link != nullptr; link = &(*link)->next) {
        if (ReferencesEqual((*link)->ref, range))
            return;
        beforeLast = last;
        last = *link;
    }
    // A command stores its cells in order: a place beside the last one listed widens it, and the
    // widened one joins the one before it when the two make one block (a row of a pasted block
    // under the rows before it). The list stays short, and the places it covers are the same.
    if (last != nullptr && JoinPlaces(last->ref, range)) {
        if (beforeLast != nullptr && JoinPlaces(beforeLast->ref, last->ref)) {
            beforeLast->next = nullptr;
            std::free(last);
        }
        return;
    }
    GX_RANGE_LIST* entry = static_cast<GX_RANGE_LIST*>(std::calloc(1, sizeof(GX_RANGE_LIST)));
    if (entry == nullptr)
        AfxThrowMemoryException();
    entry->ref = range;
    *link = entry;
}

void EmptyChangedRanges(GX_SHEET* pSheet)
{
    for (GX_RANGE_LIST* entry = pSheet->changedRanges; entry != nullptr;) {
        GX_RANGE_LIST* next = entry->next;
        std::free(entry);
        entry = next;
    }
    pSheet->changedRanges = nullptr;
}

void EvaluateCell(int hSheet, GX_CELL* cell)
{
    if (cell == nullptr || cell->formula == nullptr)
        return;
    GX_VALUE value = EvaluateFormula(hSheet, cell->row, cell->col, cell->formula, cell->formula->root, TRUE);
    if (SameValue(cell, value)) {
        FreeValue(value);
        return;
    }
    switch (value.type) {
    case GX_VALUE_NUMBER:
        SetCellNumber(cell, value.number);
        break;
    case GX_VALUE_STRING:
        SetCellString(cell, value.text);
        break;
    case GX_VALUE_NA:
        SetCellValueType(cell, GX_CELL_VALUE_NA);
        return;  // #N/A does not ask for a redraw
    case GX_VALUE_ERROR:
        SetCellValueType(cell, GX_CELL_VALUE_ERROR, value.error.code, value.error.detail);
        WriteReport(hSheet, cell, value.error.code, value.error.detail);
        break;
    default:
        SetCellValueType(cell, GX_CELL_VALUE_NONE);
        break;
    }
    FreeValue(value);
    cell->Set(GX_CF_CHANGED, true);
}

void RecalcCell(int hSheet, GX_CELL* cell)
{
    GX_SHEET* pSheet = GetSheet(hSheet);
    // An explicit work stack in place of a recursion per reference: no chain of cells, however
    // long, can exhaust the stack.
    std::vector<RecalcFrame> stack;
    stack.emplace_back();
    if (!Enter(pSheet, cell, stack.back()))
        return;

    auto finish = [&](RecalcFrame& frame, bool evaluate) {
        GX_CELL* done = frame.cell;
        if (evaluate && frame.needs) {
            EvaluateCell(hSheet, done);
            done->Set(GX_CF_DIRTY, false);
            done->stamp = pSheet->stamp;
        }
        done->Set(GX_CF_EVALUATING, false);
    };

    while (!stack.empty()) {
        const std::size_t top = stack.size() - 1;
        GX_CELL* referenced = stack[top].pending;
        if (referenced != nullptr) {
            stack[top].pending = nullptr;
        } else {
            referenced = NextReference(hSheet, stack[top]);
            if (referenced == nullptr) {
                finish(stack[top], true);
                stack.pop_back();
                continue;
            }
            if (referenced->Is(GX_CF_EVALUATING)) {
                stack[top].cell->Set(GX_CF_CYCLE, true);
                pSheet->cycleFound = 1;
            } else if (!referenced->Is(GX_CF_EVALUATED)) {
                stack[top].pending = referenced;
                RecalcFrame inner;
                if (Enter(pSheet, referenced, inner)) {
                    stack.push_back(inner);
                    continue;
                }
                stack[top].pending = nullptr;
            }
        }
        RecalcFrame& frame = stack[top];
        if (referenced->Is(GX_CF_CYCLE))
            pSheet->cycleFound = 1;
        if (!frame.cell->Is(GX_CF_IN_TABLE)) {
            finish(frame, false);
            stack.pop_back();
            continue;
        }
        if (frame.cell->stamp < referenced->stamp)
            frame.needs = true;
    }
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
    const ChangedPlaces places(pSheet->changedRanges);
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
