#include "grid/formula/FormulaSheet.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "framework/core/Archive.h"
#include "framework/core/Exceptions.h"
#include "framework/core/NumberText.h"
#include "grid/core/AppComponents.h"
#include "grid/core/AppData.h"
#include "grid/core/GridCore.h"
#include "grid/core/GridParam.h"
#include "grid/core/LibraryLinks.h"
#include "grid/core/Style.h"
#include "grid/core/StylesMap.h"
#include "grid/formula/CellReference.h"
#include "grid/formula/CellStore.h"
#include "grid/formula/EngineMemory.h"
#include "grid/formula/EngineSheet.h"
#include "grid/formula/EngineState.h"
#include "grid/formula/EngineText.h"
#include "grid/formula/ErrorTexts.h"
#include "grid/formula/Evaluator.h"
#include "grid/formula/FormulaParser.h"
#include "grid/formula/FormulaText.h"
#include "grid/formula/MoveCells.h"
#include "grid/formula/ParsedFormula.h"
#include "grid/formula/RangeNames.h"

namespace
{
// Number formats that show dates and times.
bool IsDateFormat(unsigned nFormat)
{
    switch (nFormat) {
    case 8:
    case 9:
    case 10:
    case 11:
    case 13:
    case 18:
        return true;
    default:
        return false;
    }
}

CString NumberValueText(double value)
{
    return CString(NumberText::Format("%.14g", value).c_str());
}

// The named references of a formula that leaves its sheet for an undo record: the record may outlive
// the name's entry (the name removed, the sheet emptied), so it keeps the name's text instead.
void UnbindNames(GX_EXPRESSION* expr)
{
    if (expr == nullptr || expr->nodes == nullptr)
        return;
    for (int i = 0; i < expr->nodeCount; ++i) {
        GX_NODE& node = expr->nodes[i];
        if ((node.kind != GX_NODE_NAMED_CELL && node.kind != GX_NODE_NAMED_RANGE) || node.name == nullptr)
            continue;
        char* text = DuplicateText(node.name->name);
        node.kind = GX_NODE_NAME;
        node.text = text;
    }
}

// Back in a sheet, each name is looked up again; one the sheet does not know (any more) stays a name,
// which evaluates to the undefined-name error.
void BindNames(int hSheet, GX_EXPRESSION* expr)
{
    if (expr == nullptr || expr->nodes == nullptr)
        return;
    for (int i = 0; i < expr->nodeCount; ++i) {
        GX_NODE& node = expr->nodes[i];
        if (node.kind != GX_NODE_NAME || node.text == nullptr)
            continue;
        GX_RANGE_NAME* entry = FindRangeName(hSheet, node.text);
        if (entry == nullptr)
            continue;
        EngineFree(node.text);
        node.kind = entry->ref.IsSingle() ? GX_NODE_NAMED_CELL : GX_NODE_NAMED_RANGE;
        node.name = entry;
    }
}

// A cell taken out of its sheet's pools: the record that holds it owns its content.
GX_CELL* Detach(GX_CELL* cell)
{
    UnbindNames(cell->formula);
    GX_CELL* detached = static_cast<GX_CELL*>(std::malloc(sizeof(GX_CELL)));
    if (detached == nullptr)
        AfxThrowMemoryException();
    std::memcpy(static_cast<void*>(detached), cell, sizeof(GX_CELL));
    detached->next = nullptr;
    detached->Set(GX_CF_IN_TABLE, false);
    // The pool cell lets go of what the detached one now owns.
    cell->formula = nullptr;
    cell->style = nullptr;
    if (cell->ValueType() == GX_CELL_VALUE_HEAP_STRING) {
        cell->value.heapText = nullptr;
        cell->SetValueType(GX_CELL_VALUE_NONE);
    }
    FreeCell(cell);
    return detached;
}

// Takes the sheet's chain of removed cells as detached cells, in chain order.
GX_CELL* TakeRemovedCells(GX_SHEET* pSheet)
{
    GX_CELL* head = nullptr;
    GX_CELL** tail = &head;
    for (GX_CELL* cell = pSheet->removedCells; cell != nullptr;) {
        GX_CELL* next = cell->next;
        *tail = Detach(cell);
        tail = &(*tail)->next;
        cell = next;
    }
    pSheet->removedCells = nullptr;
    return head;
}

// A pool cell of the sheet that takes over the detached cell's content; the detached cell is freed.
GX_CELL* Attach(GX_SHEET* pSheet, GX_CELL* detached)
{
    const uint32_t kind = detached->Kind();
    GX_CELL_POOL* pool = GetPool(pSheet, kind == GX_KIND_FORMULA       ? GX_POOL_FORMULA
                                         : kind == GX_KIND_PLACEHOLDER ? GX_POOL_PLACEHOLDER
                                                                       : GX_POOL_CONSTANT);
    GX_CELL* cell = AllocCell(pool);
    const uint32_t slot = cell->flags & GX_CF_SLOT_MASK;
    std::memcpy(static_cast<void*>(cell), detached, sizeof(GX_CELL));
    cell->next = nullptr;
    cell->flags = (detached->flags & ~(GX_CF_SLOT_MASK | GX_CF_IN_TABLE)) | slot;
    std::free(detached);
    return cell;
}

void Append(GX_CELL*& chain, GX_CELL* more)
{
    GX_CELL** tail = &chain;
    while (*tail != nullptr)
        tail = &(*tail)->next;
    *tail = more;
}

// Puts detached cells back into the table, each replacing the cell at its place (kept for redo
// while the sheet keeps removed cells). The cells become changed, and their places changed ranges.
void PutBackCells(int hSheet, GX_CELL*& chain)
{
    GX_SHEET* pSheet = GetSheet(hSheet);
    while (chain != nullptr) {
        GX_CELL* detached = chain;
        chain = chain->next;
        if (GX_CELL* there = FindCell(hSheet, detached->row, detached->col)) {
            RemoveCell(hSheet, there);
            if (pSheet->keepRemovedCells) {
                there->next = pSheet->removedCells;
                pSheet->removedCells = there;
            } else {
                FreeCell(there);
            }
        }
        GX_CELL* cell = Attach(pSheet, detached);
        BindNames(hSheet, cell->formula);
        cell->Set(GX_CF_CHANGED, true);
        cell->Set(GX_CF_EVALUATED | GX_CF_EVALUATING, false);
        InsertCell(hSheet, cell);
        AddChangedRange(hSheet, MakeCellReference(cell->row, cell->col, GX_REFF_SINGLE));
    }
}

// Locks every pool of a sheet for a scope.
class PoolLock
{
public:
    explicit PoolLock(int hSheet) : m_hSheet(hSheet), m_mask(LockPools(hSheet, GX_POOL_ALL)) {}
    ~PoolLock() { UnlockPools(m_hSheet, m_mask); }
    PoolLock(const PoolLock&) = delete;
    PoolLock& operator=(const PoolLock&) = delete;

private:
    int m_hSheet;
    uint32_t m_mask;
};

// Points the named nodes of a copied formula at this sheet's entries of the same names.
void RebindNames(int hSheet, GX_EXPRESSION* expr)
{
    if (expr == nullptr || expr->nodes == nullptr)
        return;
    for (int i = 0; i < expr->nodeCount; ++i) {
        GX_NODE& node = expr->nodes[i];
        if ((node.kind == GX_NODE_NAMED_CELL || node.kind == GX_NODE_NAMED_RANGE) && node.name != nullptr)
            node.name = FindRangeName(hSheet, node.name->name);
    }
}

// The engine's own spelling of formula texts for a scope, in which archives are written and read:
// the alternative spellings leave out dependency lists and comments, and a text must read back as it
// was saved whatever spelling is set when it is loaded.
class DefaultSpelling
{
public:
    DefaultSpelling() : m_state(*GetEngineState()), m_saved(m_state)
    {
        m_state.m_bAltOperators = m_state.m_bLowerCaseFunctions = FALSE;
        m_state.m_bAtSignFunctions = m_state.m_bEscapeAllBytes = FALSE;
    }
    ~DefaultSpelling()
    {
        m_state.m_bAltOperators = m_saved.alt;
        m_state.m_bLowerCaseFunctions = m_saved.lowerCase;
        m_state.m_bAtSignFunctions = m_saved.atSign;
        m_state.m_bEscapeAllBytes = m_saved.escapeAll;
    }
    DefaultSpelling(const DefaultSpelling&) = delete;
    DefaultSpelling& operator=(const DefaultSpelling&) = delete;

private:
    struct Settings
    {
        explicit Settings(const GX_ENGINE_STATE& state)
            : alt(state.m_bAltOperators), lowerCase(state.m_bLowerCaseFunctions),
              atSign(state.m_bAtSignFunctions), escapeAll(state.m_bEscapeAllBytes)
        {
        }
        BOOL alt, lowerCase, atSign, escapeAll;
    };
    GX_ENGINE_STATE& m_state;
    const Settings m_saved;
};

const CGXStyle kNoStyle;
}  // namespace

void FreeDetachedCells(GX_CELL* pChain)
{
    while (pChain != nullptr) {
        GX_CELL* next = pChain->next;
        delete pChain->style;
        FreeExpression(pChain->formula);
        if (pChain->ValueType() == GX_CELL_VALUE_HEAP_STRING)
            EngineFree(pChain->value.heapText);
        std::free(pChain);
        pChain = next;
    }
}

// ---- CGXUndoEngineCellsInfo ----

IMPLEMENT_DYNAMIC(CGXUndoEngineCellsInfo, CObject)

CGXUndoEngineCellsInfo::~CGXUndoEngineCellsInfo()
{
    FreeDetachedCells(m_pCellsA);
    FreeDetachedCells(m_pCellsB);
    m_pCellsA = m_pCellsB = nullptr;
    FreeRangeNameEntry(m_pRemovedName);
}

// ---- CGXFormulaSheet ----

IMPLEMENT_SERIAL(CGXFormulaSheet, CGXData, 0)

CGXFormulaSheet::CGXFormulaSheet() : m_hSheet(CreateSheet())
{
    GetSheet(m_hSheet)->owner = this;
    // The first evaluation error is kept for the grid's first recalculation to report.
    ArmMessageSlot(m_hSheet);
}

CGXFormulaSheet::~CGXFormulaSheet()
{
    delete m_pUndoRecord;
    m_pUndoRecord = nullptr;
    DestroySheet(m_hSheet);
}

BOOL CGXFormulaSheet::EngineCell(ROWCOL nRow, ROWCOL nCol, int32_t& row, int32_t& col)
{
    const ROWCOL engineRow = std::max<ROWCOL>(nRow, 1);
    const ROWCOL engineCol = nCol > 0 ? nCol - 1 : 0;
    if (engineRow > ROWCOL(GX_MAX_ROW) || engineCol > ROWCOL(GX_MAX_COL))
        return FALSE;
    row = int32_t(engineRow);
    col = int32_t(engineCol);
    return TRUE;
}

GX_CELLREF CGXFormulaSheet::EngineRange(const CGXRange& range) const
{
    CGXRange cells = range;
    cells.ExpandToCells(1, 1, std::max<ROWCOL>(m_nRows, 1), std::max<ROWCOL>(m_nCols, 1));
    auto row = [](ROWCOL r) { return int32_t(std::clamp<ROWCOL>(std::max<ROWCOL>(r, 1), 1, GX_MAX_ROW)); };
    auto col = [](ROWCOL c) { return int32_t(std::min<ROWCOL>(c > 0 ? c - 1 : 0, GX_MAX_COL)); };
    if (cells.top == cells.bottom && cells.left == cells.right)
        return MakeCellReference(row(cells.top), col(cells.left), GX_REFF_SINGLE);
    return MakeRangeReference(row(cells.top), col(cells.left), row(cells.bottom), col(cells.right), 0);
}

void CGXFormulaSheet::GrowCounts(ROWCOL nRow, ROWCOL nCol)
{
    m_nRows = std::max(m_nRows, nRow);
    m_nCols = std::max(m_nCols, nCol);
}

GX_CELL* CGXFormulaSheet::CellAt(ROWCOL nRow, ROWCOL nCol) const
{
    int32_t row = 0, col = 0;
    return EngineCell(nRow, nCol, row, col) ? FindCell(m_hSheet, row, col) : nullptr;
}

void CGXFormulaSheet::Refresh(GX_CELL* pCell)
{
    if (pCell == nullptr || pCell->Kind() != GX_KIND_FORMULA)
        return;
    if (m_nRecalcHolds > 0) {
        // A command is storing cells: a read of a cell's attributes takes its value as it stands, and
        // a read of its value brings up to date only what that value depends on, after the stores so
        // far; the pass that the stores ask for waits for the end of the command.
        if (m_nValueReadsAsTheyStand > 0)
            return;
        if (m_bRecalcOwed && !GetManualRecalc()) {
            PoolLock lock(m_hSheet);
            RecalcHeldCell(m_hSheet, pCell, m_bRecalcAll, m_unreportedErrors);
            return;
        }
    } else if (m_bRecalcOwed) {
        // Owed by a command that ended without its pass (it failed): it runs now.
        RecalcFollowers();
        KeepRemovedForUndo(FALSE, TRUE);
    }
    if (IsStale(pCell)) {
        PoolLock lock(m_hSheet);
        RecalcCell(m_hSheet, pCell);
    }
}

CGXUndoEngineCellsInfo* CGXFormulaSheet::PendingRecord()
{
    if (m_pUndoRecord == nullptr)
        m_pUndoRecord = new CGXUndoEngineCellsInfo;
    return m_pUndoRecord;
}

void CGXFormulaSheet::Bookkeeping(BOOL bRange, BOOL bSecondPhase)
{
    if (bSecondPhase) {
        if (m_nRecalcHolds > 0)
            m_bRecalcOwed = TRUE;
        else
            RecalcFollowers();
    }
    KeepRemovedForUndo(bRange, bSecondPhase);
}

void CGXFormulaSheet::KeepRemovedForUndo(BOOL bRange, BOOL bSecondPhase)
{
    GX_SHEET* pSheet = GetSheet(m_hSheet);
    if (pSheet->removedCells == nullptr)
        return;
    CGXUndoEngineCellsInfo* pRecord = PendingRecord();
    GX_CELL* chain = TakeRemovedCells(pSheet);
    GX_CELL*& list = bSecondPhase ? pRecord->m_pCellsB : pRecord->m_pCellsA;
    Append(chain, list);
    list = chain;
    pRecord->m_range = pSheet->removedRange;
    pRecord->m_bRangeValid = pSheet->removedRangeValid && bRange ? 1 : 0;
    pSheet->removedRangeValid = 0;
    pSheet->removedRange = GX_CELLREF{};
}

void CGXFormulaSheet::RecalcFollowers()
{
    GX_SHEET* pSheet = GetSheet(m_hSheet);
    // A pass over every cell when the places listed may no longer be the cells' (an empty list
    // takes every cell).
    if (m_bRecalcAll)
        EmptyChangedRanges(pSheet);
    const int32_t keep = pSheet->keepRemovedCells;
    const int32_t method = pSheet->recalcMethod;
    pSheet->keepRemovedCells = m_bUndoRecording;
    pSheet->recalcMethod = 1;
    try {
        RecalcEngine(m_hSheet);
    } catch (...) {
        pSheet->keepRemovedCells = keep;
        pSheet->recalcMethod = method;
        throw;
    }
    pSheet->keepRemovedCells = keep;
    pSheet->recalcMethod = method;
    m_bRecalcOwed = m_bRecalcAll = FALSE;
    // The pass reports an error it finds new; one that a read met while the pass was held, and that
    // the pass found again, is one of the state it leaves all the same.
    for (const GX_CELL_POSITION& place : m_unreportedErrors) {
        if (!pSheet->messageArmed)
            break;
        const GX_CELL* cell = FindCell(m_hSheet, place.row, place.col);
        if (cell != nullptr && cell->Kind() == GX_KIND_FORMULA)
            ReportCellError(m_hSheet, cell);
    }
    m_unreportedErrors.clear();
}

void CGXFormulaSheet::MovingCellsWhileHeld()
{
    if (m_nRecalcHolds > 0)
        m_bRecalcAll = TRUE;
}

void CGXFormulaSheet::ReadValuesAsTheyStand(BOOL bOn)
{
    if (bOn)
        ++m_nValueReadsAsTheyStand;
    else if (m_nValueReadsAsTheyStand > 0)
        --m_nValueReadsAsTheyStand;
}

void CGXFormulaSheet::HoldRecalc(BOOL bHold)
{
    if (bHold) {
        ++m_nRecalcHolds;
        return;
    }
    if (m_nRecalcHolds == 0)
        return;
    if (--m_nRecalcHolds == 0 && m_bRecalcOwed)
        Bookkeeping(FALSE, TRUE);
}

WORD CGXFormulaSheet::ConstraintStyleId()
{
    CGXGridCore* pGrid = GetGrid();
    CGXGridParam* pParam = pGrid != nullptr ? pGrid->GetParam() : nullptr;
    CGXStylesMap* pStyles = pParam != nullptr ? pParam->GetStylesMap() : nullptr;
    if (pStyles == nullptr)
        return 0;
    WORD nId = 0;
    if (!pStyles->LookupResourceStyleId(GX_IDS_STYLE_CONSTRAINT, nId)) {
        CGXStyle style;
        style.SetInterior(RGB(255, 0, 0));
        nId = pStyles->RegisterStyleName(GX_IDS_STYLE_CONSTRAINT, style);
    }
    m_nConstraintStyleId = nId;
    return nId;
}

// ---- Contents ----

void CGXFormulaSheet::DeleteContents()
{
    CGXData::DeleteContents();
    EmptySheet(m_hSheet);
}

CGXData& CGXFormulaSheet::operator=(const CGXData& other)
{
    if (&other == this)
        return *this;
    EmptySheet(m_hSheet);
    CGXData::operator=(other);

    if (const CGXFormulaSheet* pSource = dynamic_cast<const CGXFormulaSheet*>(&other)) {
        GX_SHEET* pSheet = GetSheet(m_hSheet);
        GX_SHEET* pFrom = GetSheet(pSource->m_hSheet);
        for (const GX_RANGE_NAME* name = pFrom->names; name != nullptr; name = name->next)
            ::SetRangeName(m_hSheet, name->name, name->ref);
        PoolLock lockSource(pSource->m_hSheet);
        PoolLock lock(m_hSheet);
        for (uint32_t mask : {GX_POOL_PLACEHOLDER, GX_POOL_CONSTANT, GX_POOL_FORMULA}) {
            GX_POOL_ITERATOR cells;
            cells.Start(GetPool(pFrom, mask));
            while (GX_CELL* cell = cells.Next()) {
                if (!cell->Is(GX_CF_IN_TABLE))
                    continue;
                GX_CELL* copy = CopyCellWithStyle(GetPool(pSheet, mask), cell);
                RebindNames(m_hSheet, copy->formula);
                InsertCell(m_hSheet, copy);
            }
        }
        pSheet->manualRecalc = pFrom->manualRecalc;
        pSheet->recalcMethod = pFrom->recalcMethod;
        pSheet->constraintCheck = pFrom->constraintCheck;
        pSheet->iterationLimit = pFrom->iterationLimit;
        pSheet->blanksAreZero = pFrom->blanksAreZero;
        pSheet->stamp = pFrom->stamp;
        return *this;
    }

    // A plain data object: its cell styles move into the engine; only the header column stays.
    for (INT_PTR nRow = 1; nRow < m_apapCellStyles.GetSize(); ++nRow) {
        CGXStylePtrArray* pRow = m_apapCellStyles.GetRowAt(nRow);
        if (pRow == nullptr)
            continue;
        for (INT_PTR nCol = 1; nCol < pRow->GetSize(); ++nCol) {
            CGXStyle* pStyle = pRow->GetStyleAt(nCol);
            int32_t row = 0, col = 0;
            if (pStyle == nullptr || !EngineCell(ROWCOL(nRow), ROWCOL(nCol), row, col))
                continue;
            if (pStyle->GetIncludeValue()) {
                const CString value = pStyle->GetValue();
                if (!value.IsEmpty())
                    StoreTypedTextRowCol(ROWCOL(nRow), ROWCOL(nCol), value);
                else
                    StoreText(m_hSheet, row, col, "", FALSE);
                CGXStyle rest(*pStyle);
                rest.SetIncludeValue(FALSE);
                if (rest.IsEmpty())
                    continue;
            }
            GX_CELL* cell = FindCell(m_hSheet, row, col);
            if (cell == nullptr) {
                StoreText(m_hSheet, row, col, "", FALSE);
                cell = FindCell(m_hSheet, row, col);
                SetCellValueType(cell, GX_CELL_VALUE_NONE);
            }
            CGXStyle* pOwn = pStyle->Clone();
            pOwn->SetIncludeValue(FALSE);
            delete cell->style;
            cell->style = pOwn;
        }
        pRow->DeleteRange(1, pRow->GetSize() - 1);
    }
    // Row 0 holds the column headers: it stays whatever the corner and the row headers hold.
    INT_PTR nKeep = m_apapCellStyles.GetSize();
    while (nKeep > 1) {
        CGXStylePtrArray* pRow = m_apapCellStyles.GetRowAt(nKeep - 1);
        if (pRow != nullptr && pRow->GetStyleAt(0) != nullptr)
            break;
        --nKeep;
    }
    m_apapCellStyles.DeleteRange(nKeep, m_apapCellStyles.GetSize() - nKeep);
    return *this;
}

void CGXFormulaSheet::InitParam(CGXGridParam* pParam)
{
    CGXData::InitParam(pParam);
    if (pParam == nullptr)
        return;
    // Formulas name cells by column letters and row numbers: both headers show them, and the
    // current cell's headers stand out. Pasting its own cells lets the grid adjust their references.
    pParam->m_bNumberedRowHeaders = TRUE;
    pParam->m_bNumberedColHeaders = TRUE;
    pParam->m_bSpreadsheetHeaders = TRUE;
    pParam->m_bGridPastesOwnFormat = TRUE;
}

// ---- Structure ----

BOOL CGXFormulaSheet::InsertRows(ROWCOL nRow, ROWCOL nCount, UINT nFlags)
{
    int32_t row = 0, col = 0;
    if (nCount > 0 && EngineCell(nRow, 1, row, col)) {
        MovingCellsWhileHeld();
        InsertEngineRows(m_hSheet, row, int32_t(std::min<ROWCOL>(nCount, GX_MAX_ROW)));
        Bookkeeping(FALSE, TRUE);
    }
    return CGXData::InsertRows(nRow, nCount, nFlags);
}

BOOL CGXFormulaSheet::InsertCols(ROWCOL nCol, ROWCOL nCount, UINT nFlags)
{
    int32_t row = 0, col = 0;
    if (nCount > 0 && EngineCell(1, nCol, row, col)) {
        MovingCellsWhileHeld();
        InsertEngineCols(m_hSheet, col, int32_t(std::min<ROWCOL>(nCount, GX_MAX_COL + 1)));
        Bookkeeping(FALSE, TRUE);
    }
    return CGXData::InsertCols(nCol, nCount, nFlags);
}

BOOL CGXFormulaSheet::RemoveRows(ROWCOL nFromRow, ROWCOL nToRow, UINT nFlags)
{
    int32_t row = 0, col = 0;
    if (nToRow >= nFromRow && nToRow >= 1 && EngineCell(nFromRow, 1, row, col)) {
        const ROWCOL nLast = std::min<ROWCOL>(nToRow, GX_MAX_ROW);
        MovingCellsWhileHeld();
        RemoveEngineRows(m_hSheet, row, int32_t(nLast - ROWCOL(row) + 1));
        Bookkeeping(FALSE, FALSE);
        Bookkeeping(FALSE, TRUE);
    }
    return CGXData::RemoveRows(nFromRow, nToRow, nFlags);
}

BOOL CGXFormulaSheet::RemoveCols(ROWCOL nFromCol, ROWCOL nToCol, UINT nFlags)
{
    int32_t row = 0, col = 0;
    if (nToCol >= nFromCol && nToCol >= 1 && EngineCell(1, nFromCol, row, col)) {
        const ROWCOL nLast = std::min<ROWCOL>(nToCol - 1, GX_MAX_COL);
        MovingCellsWhileHeld();
        RemoveEngineCols(m_hSheet, col, int32_t(nLast - ROWCOL(col) + 1));
        Bookkeeping(FALSE, FALSE);
        Bookkeeping(FALSE, TRUE);
    }
    return CGXData::RemoveCols(nFromCol, nToCol, nFlags);
}

BOOL CGXFormulaSheet::MoveRows(ROWCOL nFromRow, ROWCOL nToRow, ROWCOL nDestRow, UINT nFlags)
{
    int32_t first = 0, last = 0, dest = 0, col = 0;
    if (nToRow >= nFromRow && EngineCell(nFromRow, 1, first, col) && EngineCell(nToRow, 1, last, col)
        && EngineCell(nDestRow, 1, dest, col)) {
        MovingCellsWhileHeld();
        MoveEngineRows(m_hSheet, TRUE, first, last, dest);
        Bookkeeping(TRUE, FALSE);
        Bookkeeping(FALSE, TRUE);
    }
    return CGXData::MoveRows(nFromRow, nToRow, nDestRow, nFlags);
}

BOOL CGXFormulaSheet::MoveCols(ROWCOL nFromCol, ROWCOL nToCol, ROWCOL nDestCol, UINT nFlags)
{
    int32_t first = 0, last = 0, dest = 0, row = 0;
    if (nToCol >= nFromCol && EngineCell(1, nFromCol, row, first) && EngineCell(1, nToCol, row, last)
        && EngineCell(1, nDestCol, row, dest)) {
        MovingCellsWhileHeld();
        MoveEngineRows(m_hSheet, FALSE, first, last, dest);
        Bookkeeping(TRUE, FALSE);
        Bookkeeping(FALSE, TRUE);
    }
    return CGXData::MoveCols(nFromCol, nToCol, nDestCol, nFlags);
}

BOOL CGXFormulaSheet::CopyCells(const CGXRange& range, ROWCOL nToRow, ROWCOL nToCol, UINT)
{
    int32_t row = 0, col = 0;
    if (!range.IsValid() || !EngineCell(nToRow, nToCol, row, col))
        return FALSE;
    const GX_CELLREF source = EngineRange(range);
    GX_SHEET* pSheet = GetSheet(m_hSheet);
    const int32_t keep = pSheet->keepRemovedCells;
    pSheet->keepRemovedCells = m_bUndoRecording;
    CopyBlock(m_hSheet, source, row, col, TRUE);
    pSheet->keepRemovedCells = keep;
    ::AddChangedRange(m_hSheet, BlockAt(source, row, col));
    Bookkeeping(TRUE, TRUE);
    return TRUE;
}

BOOL CGXFormulaSheet::MoveCells(const CGXRange& range, ROWCOL nToRow, ROWCOL nToCol, UINT)
{
    return MoveCells(range, nToRow, nToCol, nullptr, FALSE);
}

BOOL CGXFormulaSheet::MoveCells(const CGXRange& range, ROWCOL nToRow, ROWCOL nToCol, CObject** ppUndoInfo,
                                BOOL bCreateUndoInfo)
{
    int32_t row = 0, col = 0;
    if (!range.IsValid() || !EngineCell(nToRow, nToCol, row, col))
        return FALSE;
    GX_SHEET* pSheet = GetSheet(m_hSheet);
    const GX_CELLREF source = EngineRange(range);
    CGXUndoEngineCellsInfo* pGiven =
        ppUndoInfo != nullptr ? dynamic_cast<CGXUndoEngineCellsInfo*>(*ppUndoInfo) : nullptr;
    // What the move removes goes into the move's own record; without one, into the pending record
    // while undo is recorded.
    const BOOL bOwnRecord = ppUndoInfo != nullptr && bCreateUndoInfo;
    std::unique_ptr<CGXUndoEngineCellsInfo> pNew(bOwnRecord && pGiven == nullptr ? new CGXUndoEngineCellsInfo : nullptr);
    const int32_t keep = pSheet->keepRemovedCells;
    GX_CELL* removed = nullptr;
    try {
        if (bOwnRecord)
            FreeDetachedCells(TakeRemovedCells(pSheet));
        pSheet->keepRemovedCells = bOwnRecord ? 1 : m_bUndoRecording;
        MovingCellsWhileHeld();
        MoveBlock(m_hSheet, source, row, col);
        if (bOwnRecord) {
            removed = TakeRemovedCells(pSheet);
            pSheet->removedRangeValid = 0;
        } else {
            Bookkeeping(FALSE, FALSE);
        }
        // Moving back: what the first move overwrote returns to the place the block leaves, after
        // the block has left it.
        if (pGiven != nullptr) {
            PoolLock lock(m_hSheet);
            pSheet->keepRemovedCells = 0;
            PutBackCells(m_hSheet, pGiven->m_pCellsA);
        }
        pSheet->keepRemovedCells = keep;
        // Formulas over the place the block left see it empty now.
        ::AddChangedRange(m_hSheet, source);
        ::AddChangedRange(m_hSheet, BlockAt(source, row, col));
        Bookkeeping(FALSE, TRUE);
    } catch (...) {
        pSheet->keepRemovedCells = keep;
        FreeDetachedCells(removed);
        throw;
    }
    if (bOwnRecord) {
        if (pGiven == nullptr) {
            // Another object in its place is no record of this sheet's: the caller gets the new one.
            delete *ppUndoInfo;
            pGiven = pNew.release();
            *ppUndoInfo = pGiven;
        }
        FreeDetachedCells(pGiven->m_pCellsA);
        pGiven->m_pCellsA = removed;
    }
    return TRUE;
}

BOOL CGXFormulaSheet::MoveDataRows(const CDWordArray& awRowIndex, ROWCOL nStartRow)
{
    int32_t row = 0, col = 0;
    const INT_PTR nCount = awRowIndex.GetSize();
    if (nCount > 0 && EngineCell(nStartRow, 1, row, col)) {
        std::vector<int32_t> order(static_cast<std::size_t>(nCount));
        for (INT_PTR i = 0; i < nCount; ++i)
            order[std::size_t(i)] = int32_t(awRowIndex[i]);
        const int32_t last = int32_t(std::min<int64_t>(int64_t(row) + nCount - 1, GX_MAX_ROW));
        const GX_CELLREF block = MakeRangeReference(row, 0, last, GX_MAX_COL, 0);
        MovingCellsWhileHeld();
        PermuteEngineCells(m_hSheet, block, TRUE, order);
        ::AddChangedRange(m_hSheet, block);
        Bookkeeping(FALSE, TRUE);
    }
    CGXData::MoveDataRows(awRowIndex, nStartRow);
    return TRUE;
}

BOOL CGXFormulaSheet::MoveDataCols(const CDWordArray& awColIndex, ROWCOL nStartCol)
{
    int32_t row = 0, col = 0;
    const INT_PTR nCount = awColIndex.GetSize();
    if (nCount > 0 && EngineCell(1, nStartCol, row, col)) {
        std::vector<int32_t> order(static_cast<std::size_t>(nCount));
        for (INT_PTR i = 0; i < nCount; ++i)
            order[std::size_t(i)] = int32_t(awColIndex[i]);
        const int32_t last = int32_t(std::min<int64_t>(int64_t(col) + nCount - 1, GX_MAX_COL));
        const GX_CELLREF block = MakeRangeReference(1, col, GX_MAX_ROW, last, 0);
        MovingCellsWhileHeld();
        PermuteEngineCells(m_hSheet, block, FALSE, order);
        ::AddChangedRange(m_hSheet, block);
        Bookkeeping(FALSE, TRUE);
    }
    CGXData::MoveDataCols(awColIndex, nStartCol);
    return TRUE;
}

// ---- Styles and values ----

BOOL CGXFormulaSheet::StoreValue(const CGXStyle& style, int nType, ROWCOL nRow, ROWCOL nCol)
{
    const CString value = style.GetValue();
    if (style.GetValueType() == GX_VT_NUMERIC)
        return StoreNumberRowCol(nRow, nCol, std::atof(value));
    // A formula handed out as edit text (type 1) goes back in as one, whatever the type given now.
    if (!value.IsEmpty() && (nType == gxDetectValueType || style.GetValueType() == GX_VT_EXPRESSION))
        return StoreTypedTextRowCol(nRow, nCol, value);
    return StoreTextRowCol(nRow, nCol, value);
}

BOOL CGXFormulaSheet::StoreStyleRowCol(ROWCOL nRow, ROWCOL nCol, const CGXStyle* pStyle, GXModifyType mode, int nType)
{
    if (nRow == 0 || nCol == 0 || nType < 0)
        return CGXData::StoreStyleRowCol(nRow, nCol, pStyle, mode, nType);
    const BOOL bStored = StoreCellStyle(nRow, nCol, pStyle, mode, nType);
    // A value stored through the grid (typed, pasted, replaced, undone) takes the formulas that follow
    // it along: at once, or once at the end of the command that holds the recalculation. A style
    // alone changes no value and costs no recalculation.
    if (GetSheet(m_hSheet)->changedRanges != nullptr)
        Bookkeeping(FALSE, TRUE);
    return bStored;
}

BOOL CGXFormulaSheet::StoreCellStyle(ROWCOL nRow, ROWCOL nCol, const CGXStyle* pStyle, GXModifyType mode, int nType)
{
    int32_t row = 0, col = 0;
    if (!EngineCell(nRow, nCol, row, col))
        return FALSE;
    GrowCounts(nRow, nCol);
    GX_CELL* cell = FindCell(m_hSheet, row, col);
    if (pStyle == nullptr) {
        if (cell != nullptr)
            DeleteCell(m_hSheet, cell);
        ::AddChangedRange(m_hSheet, MakeCellReference(row, col, GX_REFF_SINGLE));
        return TRUE;
    }
    const BOOL bValue = pStyle->GetIncludeValue();
    CGXStyle rest(*pStyle);
    rest.SetIncludeValue(FALSE);
    const BOOL bValueOnly = rest.IsEmpty();

    if (mode == gxCopy) {
        if (pStyle->IsEmpty()) {
            if (cell != nullptr)
                DeleteCell(m_hSheet, cell);
            ::AddChangedRange(m_hSheet, MakeCellReference(row, col, GX_REFF_SINGLE));
            return TRUE;
        }
        if (bValueOnly && cell != nullptr) {
            delete cell->style;
            cell->style = nullptr;
        }
    } else if (mode == gxExclude) {
        if (cell == nullptr)
            return TRUE;
        if (bValue) {
            if (cell->style == nullptr) {
                DeleteCell(m_hSheet, cell);
                ::AddChangedRange(m_hSheet, MakeCellReference(row, col, GX_REFF_SINGLE));
                return TRUE;
            }
            StoreText(m_hSheet, row, col, "", FALSE);
            SetCellValueType(FindCell(m_hSheet, row, col), GX_CELL_VALUE_NONE);
            ::AddChangedRange(m_hSheet, MakeCellReference(row, col, GX_REFF_SINGLE));
        }
    } else if (int(mode) == 4) {
        if (cell != nullptr) {
            DeleteCell(m_hSheet, cell);
            ::AddChangedRange(m_hSheet, MakeCellReference(row, col, GX_REFF_SINGLE));
        }
        return TRUE;
    }

    if (mode != gxExclude && bValue) {
        StoreValue(*pStyle, nType, nRow, nCol);
        if (bValueOnly)
            return TRUE;
    }
    cell = FindCell(m_hSheet, row, col);
    if (cell == nullptr) {
        StoreText(m_hSheet, row, col, "", FALSE);
        cell = FindCell(m_hSheet, row, col);
        SetCellValueType(cell, GX_CELL_VALUE_NONE);
    }
    if (cell->style != nullptr) {
        cell->style->ChangeStyle(rest, mode);
    } else {
        cell->style = rest.Clone();
    }
    cell->style->SetIncludeValue(FALSE);
    return TRUE;
}

BOOL CGXFormulaSheet::GetStyleRowCol(ROWCOL nRow, ROWCOL nCol, CGXStyle& style, GXModifyType mode, int nType)
{
    if (nRow == 0 || nCol == 0 || nType < 0)
        return CGXData::GetStyleRowCol(nRow, nCol, style, mode, nType);
    GX_CELL* cell = CellAt(nRow, nCol);
    if (cell == nullptr)
        return CGXData::GetStyleRowCol(nRow, nCol, style, mode, nType);
    if (mode == gxCopy)
        style.ClearAll();
    if (cell->style != nullptr)
        style.ApplyStyle(*cell->style, mode == gxCopy ? gxOverride : mode);
    CString text;
    if (nType == gxDetectValueType) {
        GetEditText(cell, text);
        style.SetValue(text);
        style.SetValueType(GX_VT_EXPRESSION);
    } else {
        GetValueText(cell, text);
        style.SetValue(text);
        switch (cell->ValueType()) {
        case GX_CELL_VALUE_NUMBER:
            style.SetValueType(GX_VT_NUMERIC);
            break;
        case GX_CELL_VALUE_ERROR:
            style.SetValueType(GX_VT_ERROR);
            break;
        default:
            style.SetValueType(GX_VT_TEXT);
            break;
        }
    }
    if (GetSheet(m_hSheet)->constraintCheck && cell->Is(GX_CF_VIOLATED)) {
        const WORD nId = ConstraintStyleId();
        CGXGridCore* pGrid = GetGrid();
        CGXStylesMap* pStyles = pGrid != nullptr && pGrid->GetParam() != nullptr ? pGrid->GetParam()->GetStylesMap() : nullptr;
        const CGXStyle* pViolation = nullptr;
        if (nId != 0 && pStyles != nullptr && pStyles->LookupStyle(nId, pViolation) && pViolation != nullptr) {
            CGXStyle marks(*pViolation);
            marks.SetIncludeValue(FALSE);
            style.ApplyStyle(marks, gxOverride);
        }
        // The mark is not set again here: a style read for any other purpose than drawing would
        // leave the cell marked as changed, and it would be drawn again after every store. The
        // constraint check marks the cell when its state changes.
    }
    return TRUE;
}

LPCTSTR CGXFormulaSheet::GetValueRowCol(ROWCOL nRow, ROWCOL nCol)
{
    if (nRow == 0 || nCol == 0)
        return CGXData::GetValueRowCol(nRow, nCol);
    GetValueTextRowCol(nRow, nCol, m_sValueRowCol);
    return m_sValueRowCol;
}

BOOL CGXFormulaSheet::IsCellChanged(ROWCOL nRow, ROWCOL nCol)
{
    GX_CELL* cell = CellAt(nRow, nCol);
    if (cell == nullptr)
        return FALSE;
    if (cell->Kind() == GX_KIND_FORMULA && !cell->Is(GX_CF_EVALUATED))
        return TRUE;
    return cell->Is(GX_CF_CHANGED) ? TRUE : FALSE;
}

void CGXFormulaSheet::MarkCellChanged(ROWCOL nRow, ROWCOL nCol, BOOL bOn)
{
    if (GX_CELL* cell = CellAt(nRow, nCol))
        cell->Set(GX_CF_CHANGED, bOn != FALSE);
}

void CGXFormulaSheet::AddChangedRange(const CGXRange& range)
{
    if (range.IsValid())
        ::AddChangedRange(m_hSheet, EngineRange(range));
}

BOOL CGXFormulaSheet::RecalcSheet(BOOL bForce)
{
    // What held stores owe comes first, as it would have come after each of them.
    if (m_bRecalcOwed) {
        RecalcFollowers();
        KeepRemovedForUndo(FALSE, TRUE);
    }
    PoolLock lock(m_hSheet);
    return bForce ? ForceRecalcEngine(m_hSheet) : RecalcEngine(m_hSheet);
}

void CGXFormulaSheet::ArmMessage()
{
    ArmMessageSlot(m_hSheet);
}

BOOL CGXFormulaSheet::GetMessage(CString& text)
{
    GX_SHEET* pSheet = GetSheet(m_hSheet);
    if (pSheet->messageArmed)
        return FALSE;
    text = pSheet->message;
    return TRUE;
}

// ---- Undo ----

CObject* CGXFormulaSheet::TakeUndoRecord()
{
    CGXUndoEngineCellsInfo* pRecord = m_pUndoRecord;
    m_pUndoRecord = nullptr;
    return pRecord;
}

BOOL CGXFormulaSheet::ApplyUndoRecord(CObject* pObject, BOOL bCreateRedo, BOOL bOnlyListB)
{
    CGXUndoEngineCellsInfo* pRecord = dynamic_cast<CGXUndoEngineCellsInfo*>(pObject);
    if (pRecord == nullptr)
        return FALSE;
    GX_SHEET* pSheet = GetSheet(m_hSheet);
    const int32_t keep = pSheet->keepRemovedCells;
    {
        PoolLock lock(m_hSheet);
        FreeDetachedCells(TakeRemovedCells(pSheet));
        pSheet->removedRangeValid = 0;
        pSheet->keepRemovedCells = bCreateRedo ? 1 : 0;
        try {
            if (pRecord->m_bRangeValid)
                ClearRange(m_hSheet, pRecord->m_range);
            PutBackCells(m_hSheet, pRecord->m_pCellsB);
            if (!bOnlyListB)
                PutBackCells(m_hSheet, pRecord->m_pCellsA);
            if (pRecord->m_bRangeValid)
                ::AddChangedRange(m_hSheet, pRecord->m_range);
            if (bCreateRedo) {
                GX_CELL* replaced = TakeRemovedCells(pSheet);
                GX_CELL*& list = bOnlyListB ? pRecord->m_pCellsB : pRecord->m_pCellsA;
                FreeDetachedCells(list);
                list = replaced;
                pRecord->m_bRangeValid = 0;
            }
        } catch (...) {
            pSheet->keepRemovedCells = keep;
            throw;
        }
        pSheet->keepRemovedCells = keep;
        pSheet->removedRangeValid = 0;
    }
    // An undo of several steps recalculates once, after the last of them.
    if (m_nRecalcHolds > 0)
        m_bRecalcOwed = TRUE;
    else
        RecalcEngine(m_hSheet);
    return TRUE;
}

BOOL CGXFormulaSheet::SetUndoRecording(BOOL bOn)
{
    const BOOL bOld = m_bUndoRecording;
    m_bUndoRecording = bOn ? 1 : 0;
    return bOld;
}

// ---- Range names ----

BOOL CGXFormulaSheet::DefineRangeName(LPCTSTR pszName, const CGXRange& range, CObject* pObject)
{
    CGXUndoEngineCellsInfo* pRecord = dynamic_cast<CGXUndoEngineCellsInfo*>(pObject);
    if (pRecord != nullptr && pRecord->m_pRemovedName != nullptr) {
        InsertRangeNameEntry(m_hSheet, pRecord->m_pRemovedName);
        pRecord->m_pRemovedName = nullptr;
    } else {
        if (pszName == nullptr || !::SetRangeName(m_hSheet, pszName, EngineRange(range)))
            return FALSE;
        ForceRecalcEngine(m_hSheet);
    }
    if (pRecord != nullptr) {
        {
            PoolLock lock(m_hSheet);
            GX_SHEET* pSheet = GetSheet(m_hSheet);
            const int32_t keep = pSheet->keepRemovedCells;
            pSheet->keepRemovedCells = 0;
            PutBackCells(m_hSheet, pRecord->m_pCellsA);
            pSheet->keepRemovedCells = keep;
        }
        RecalcEngine(m_hSheet);
    }
    // The data object keeps the attached record: nothing is left to keep in it.
    delete pObject;
    return TRUE;
}

BOOL CGXFormulaSheet::LookupRangeName(LPCTSTR pszName, CGXRange& range)
{
    GX_CELLREF ref{};
    if (pszName == nullptr || FindRangeName(m_hSheet, pszName, &ref) == nullptr)
        return FALSE;
    const ROWCOL last = ref.IsSingle() ? ROWCOL(ref.FirstRow()) : ROWCOL(ref.LastRow());
    const ROWCOL right = ref.IsSingle() ? ROWCOL(ref.FirstCol()) : ROWCOL(ref.LastCol());
    range.SetCells(ROWCOL(ref.FirstRow()), ROWCOL(ref.FirstCol()) + 1, last, right + 1);
    return TRUE;
}

BOOL CGXFormulaSheet::RemoveRangeName(LPCTSTR pszName, CObject** ppRecord, BOOL bKeep)
{
    if (pszName == nullptr)
        return FALSE;
    GX_SHEET* pSheet = GetSheet(m_hSheet);
    FreeDetachedCells(TakeRemovedCells(pSheet));
    const int32_t keep = pSheet->keepRemovedCells;
    pSheet->keepRemovedCells = 1;
    const BOOL bDeleted = ::DeleteRangeName(m_hSheet, pszName);
    pSheet->keepRemovedCells = keep;
    GX_CELL* collected = TakeRemovedCells(pSheet);
    GX_RANGE_NAME* entry = pSheet->lastRemovedName;
    pSheet->lastRemovedName = nullptr;
    if (!bDeleted || !bKeep || ppRecord == nullptr) {
        FreeDetachedCells(collected);
        FreeRangeNameEntry(entry);
    } else {
        CGXUndoEngineCellsInfo* pRecord = dynamic_cast<CGXUndoEngineCellsInfo*>(*ppRecord);
        if (pRecord == nullptr) {
            pRecord = new CGXUndoEngineCellsInfo;
            *ppRecord = pRecord;
        }
        Append(collected, pRecord->m_pCellsA);
        pRecord->m_pCellsA = collected;
        FreeRangeNameEntry(pRecord->m_pRemovedName);
        pRecord->m_pRemovedName = entry;
    }
    if (bDeleted)
        ForceRecalcEngine(m_hSheet);
    return bDeleted;
}

BOOL CGXFormulaSheet::GetRangeName(LPCTSTR pszName, CGXRange& range, CObject**)
{
    return LookupRangeName(pszName, range);
}

BOOL CGXFormulaSheet::SetRangeName(LPCTSTR pszName, const CGXRange& range, CObject* pObject)
{
    return DefineRangeName(pszName, range, pObject);
}

BOOL CGXFormulaSheet::DeleteRangeName(LPCTSTR pszName, CObject** ppObject)
{
    if (ppObject != nullptr)
        *ppObject = nullptr;
    return RemoveRangeName(pszName, ppObject, ppObject != nullptr);
}

// ---- Storing ----

BOOL CGXFormulaSheet::StoreFormulaRowCol(ROWCOL nRow, ROWCOL nCol, LPCTSTR pszText)
{
    int32_t row = 0, col = 0;
    if (pszText == nullptr || pszText[0] != '=' || !EngineCell(nRow, nCol, row, col))
        return FALSE;
    if (!StoreFormula(m_hSheet, row, col, pszText)) {
        char report[256];
        std::snprintf(report, sizeof report, "ERROR: %s (Pos %d)", ErrorText(GetLastErrorCode()), GetLastErrorPosition());
        GX_SHEET* pSheet = GetSheet(m_hSheet);
        const char* letters = ColumnLetters(col);
        std::snprintf(pSheet->message, sizeof pSheet->message, "Cell %s%d: %s", letters != nullptr ? letters : "", row,
                      report);
        pSheet->messageArmed = 0;
        return FALSE;
    }
    GX_CELL* cell = FindCell(m_hSheet, row, col);
    // While the recalculation is held, the cells the command has still to store may be its inputs:
    // the held recalculation evaluates it (it is dirty and its place is a changed range).
    if (cell != nullptr && cell->Kind() == GX_KIND_FORMULA && m_nRecalcHolds == 0) {
        // Its inputs first: under the lazy method a formula it reads may not be up to date yet.
        PoolLock lock(m_hSheet);
        RecalcCell(m_hSheet, cell);
    }
    ::AddChangedRange(m_hSheet, MakeCellReference(row, col, GX_REFF_SINGLE));
    GrowCounts(nRow, nCol);
    Bookkeeping(TRUE, FALSE);
    return TRUE;
}

BOOL CGXFormulaSheet::StoreTextRowCol(ROWCOL nRow, ROWCOL nCol, LPCTSTR pszText)
{
    int32_t row = 0, col = 0;
    if (!EngineCell(nRow, nCol, row, col))
        return FALSE;
    // Typed text is kept as typed: a backslash in it is no escape.
    if (!StoreText(m_hSheet, row, col, pszText != nullptr ? pszText : "", FALSE))
        return FALSE;
    GX_CELL* cell = FindCell(m_hSheet, row, col);
    if (pszText == nullptr || pszText[0] == '\0')
        SetCellValueType(cell, GX_CELL_VALUE_NONE);
    ::AddChangedRange(m_hSheet, MakeCellReference(row, col, GX_REFF_SINGLE));
    GrowCounts(nRow, nCol);
    return TRUE;
}

BOOL CGXFormulaSheet::StoreNumberRowCol(ROWCOL nRow, ROWCOL nCol, double dValue)
{
    int32_t row = 0, col = 0;
    if (!EngineCell(nRow, nCol, row, col) || !StoreNumber(m_hSheet, row, col, dValue))
        return FALSE;
    ::AddChangedRange(m_hSheet, MakeCellReference(row, col, GX_REFF_SINGLE));
    GrowCounts(nRow, nCol);
    return TRUE;
}

BOOL CGXFormulaSheet::StoreNumberFormatRowCol(ROWCOL nRow, ROWCOL nCol, unsigned nFormat, unsigned nPlaces)
{
    int32_t row = 0, col = 0;
    if (!EngineCell(nRow, nCol, row, col))
        return FALSE;
    GX_CELL* cell = FindCell(m_hSheet, row, col);
    if (cell == nullptr) {
        StoreText(m_hSheet, row, col, "", FALSE);
        cell = FindCell(m_hSheet, row, col);
    }
    if (cell->style == nullptr)
        cell->style = new CGXStyle;
    cell->style->SetFormat(nFormat);
    cell->style->SetPlaces(nPlaces);
    return TRUE;
}

unsigned CGXFormulaSheet::GetNumberFormatRowCol(ROWCOL nRow, ROWCOL nCol, unsigned* pnPlaces)
{
    GX_CELL* cell = CellAt(nRow, nCol);
    const CGXStyle* pStyle = cell != nullptr ? cell->style : nullptr;
    if (pnPlaces != nullptr)
        *pnPlaces = pStyle != nullptr && pStyle->GetIncludePlaces() ? pStyle->GetPlaces() : 0;
    return pStyle != nullptr && pStyle->GetIncludeFormat() ? pStyle->GetFormat() : 0;
}

BOOL CGXFormulaSheet::StoreTypedTextRowCol(ROWCOL nRow, ROWCOL nCol, LPCTSTR pszText)
{
    int32_t row = 0, col = 0;
    if (!EngineCell(nRow, nCol, row, col))
        return FALSE;
    const CString text = pszText != nullptr ? pszText : "";
    if (text.IsEmpty())
        return StoreTextRowCol(nRow, nCol, text);

    double dValue = 0.0;
    CGXAbstractNumberFormattingImp* pNumbers = GXGetLibraryLinks().pNumberFormattingImp;
    if (text[0] != '=' && text[0] != '\'' && pNumbers != nullptr && pNumbers->ParseValue(text, dValue, nullptr, nullptr)) {
        if (!StoreNumberRowCol(nRow, nCol, dValue))
            return FALSE;
        if (IsDateFormat(GetNumberFormatRowCol(nRow, nCol, nullptr)))
            StoreNumberFormatRowCol(nRow, nCol, 3, 15);
        return TRUE;
    }
    // The #N/A value itself: the formula "=NA()" would not parse without worksheet functions.
    if (text == "#N/A") {
        if (!StoreNotAvailable(m_hSheet, row, col))
            return FALSE;
        ::AddChangedRange(m_hSheet, MakeCellReference(row, col, GX_REFF_SINGLE));
        return TRUE;
    }
    if (text[0] == '\'')
        return StoreTextRowCol(nRow, nCol, text.Mid(1));
    if (text[0] == '=')
        return StoreFormulaRowCol(nRow, nCol, text);
    CGXAbstractDateTimeImp* pDates = m_pAppData != nullptr ? m_pAppData->m_pDateTimeImp : nullptr;
    if (pDates != nullptr && pDates->ParseDateTime(text, dValue)) {
        if (!StoreNumberRowCol(nRow, nCol, dValue))
            return FALSE;
        if (!IsDateFormat(GetNumberFormatRowCol(nRow, nCol, nullptr))) {
            double whole = 0.0;
            const double fraction = std::modf(dValue, &whole);
            const unsigned nFormat = fraction == 0.0 ? 11 : whole != 0.0 ? 18 : 13;
            StoreNumberFormatRowCol(nRow, nCol, nFormat, 0);
        }
        return TRUE;
    }
    return StoreTextRowCol(nRow, nCol, text);
}

BOOL CGXFormulaSheet::ReadNumberRowCol(ROWCOL nRow, ROWCOL nCol, double& dValue)
{
    GX_CELL* cell = CellAt(nRow, nCol);
    Refresh(cell);
    dValue = cell != nullptr && cell->ValueType() == GX_CELL_VALUE_NUMBER ? cell->value.number : 0.0;
    return TRUE;
}

BOOL CGXFormulaSheet::GetValueTextRowCol(ROWCOL nRow, ROWCOL nCol, CString& text)
{
    GetValueText(CellAt(nRow, nCol), text);
    return TRUE;
}

BOOL CGXFormulaSheet::GetEditTextRowCol(ROWCOL nRow, ROWCOL nCol, CString& text)
{
    GetEditText(CellAt(nRow, nCol), text);
    return TRUE;
}

BOOL CGXFormulaSheet::EvaluateParsed(const GX_EXPRESSION* pFormula, CString& text)
{
    text.Empty();
    if (pFormula == nullptr)
        return FALSE;
    GX_CELL_POOL* pool = GetPool(GetSheet(m_hSheet), GX_POOL_CONSTANT);
    GX_CELL* cell = AllocCell(pool);
    cell->row = 1;
    cell->col = 0;
    GX_VALUE value = EvaluateFormula(m_hSheet, cell->row, cell->col, pFormula, pFormula->root, TRUE);
    switch (value.type) {
    case GX_VALUE_NUMBER:
        SetCellNumber(cell, value.number);
        break;
    case GX_VALUE_STRING:
        SetCellString(cell, value.text);
        break;
    case GX_VALUE_NA:
        SetCellValueType(cell, GX_CELL_VALUE_NA);
        break;
    case GX_VALUE_ERROR:
        SetCellValueType(cell, GX_CELL_VALUE_ERROR, value.error.code, value.error.detail);
        break;
    default:
        break;
    }
    FreeValue(value);
    GetValueText(cell, text);
    const BOOL bResult = cell->ValueType() != GX_CELL_VALUE_ERROR;
    FreeCell(cell);
    return bResult;
}

BOOL CGXFormulaSheet::EvaluateText(CString& result, LPCTSTR pszExpression)
{
    GX_SHEET* pSheet = GetSheet(m_hSheet);
    pSheet->message[0] = '\0';
    pSheet->messageArmed = 1;
    GX_EXPRESSION formula{};
    BOOL bResult = FALSE;
    if (ParseText(pszExpression, &formula)) {
        bResult = EvaluateParsed(&formula, result);
    } else {
        // The parse error in the words of a stored formula's report.
        char report[256];
        std::snprintf(report, sizeof report, "ERROR: %s (Pos %d)", ErrorText(GetLastErrorCode()), GetLastErrorPosition());
        WriteSheetMessage(m_hSheet, report);
        GetMessage(result);
    }
    ClearExpression(formula);
    return bResult;
}

BOOL CGXFormulaSheet::ParseText(LPCTSTR pszText, GX_EXPRESSION* pFormula)
{
    return pszText != nullptr && pFormula != nullptr && ParseFormula(m_hSheet, pszText, pFormula);
}

void CGXFormulaSheet::GetValueText(GX_CELL* pCell, CString& text)
{
    text.Empty();
    if (pCell == nullptr)
        return;
    Refresh(pCell);
    if (pCell->Is(GX_CF_CYCLE) && GetSheet(m_hSheet)->iterationLimit == 0) {
        text = "Cycle!";
        return;
    }
    char buffer[GX_MAX_STRING + 1];
    switch (pCell->ValueType()) {
    case GX_CELL_VALUE_NONE:
        break;
    case GX_CELL_VALUE_NA:
        text = "#N/A";
        break;
    case GX_CELL_VALUE_ERROR:
        text = "Error!";
        break;
    case GX_CELL_VALUE_NUMBER:
        text = NumberValueText(pCell->value.number);
        break;
    case GX_CELL_VALUE_HEAP_STRING:
    case GX_CELL_VALUE_INLINE_STRING:
        CellStringValue(pCell, buffer);
        text = buffer;
        break;
    default:
        text = "Value?";
        break;
    }
}

void CGXFormulaSheet::GetEditText(GX_CELL* pCell, CString& text)
{
    text.Empty();
    if (pCell == nullptr)
        return;
    if (pCell->formula != nullptr) {
        text = FormulaText(m_hSheet, pCell->formula).c_str();
        return;
    }
    char buffer[GX_MAX_STRING + 1];
    switch (pCell->ValueType()) {
    case GX_CELL_VALUE_NUMBER: {
        text = NumberValueText(pCell->value.number);
        const CGXStyle* pStyle = pCell->style;
        CGXAbstractNumberFormattingImp* pNumbers = GXGetLibraryLinks().pNumberFormattingImp;
        if (pStyle != nullptr && pStyle->GetIncludeFormat() && IsDateFormat(pStyle->GetFormat()) && pNumbers != nullptr)
            text = pNumbers->FormatValue(pStyle, text, GX_VT_NUMERIC, 0, 0);
        break;
    }
    case GX_CELL_VALUE_HEAP_STRING:
    case GX_CELL_VALUE_INLINE_STRING:
        CellStringValue(pCell, buffer);
        text = CString("'") + buffer;
        break;
    case GX_CELL_VALUE_NA:
        text = "#N/A";
        break;
    case GX_CELL_VALUE_ERROR:
        text = "Error!";
        break;
    case GX_CELL_VALUE_NONE:
        break;
    default:
        text = "Value?";
        break;
    }
}

// ---- Settings ----

BOOL CGXFormulaSheet::SetIterationLimit(int nLimit) { return SetIterations(m_hSheet, nLimit); }
int CGXFormulaSheet::GetIterationLimit() const { return GetIterations(m_hSheet); }
BOOL CGXFormulaSheet::SetBlanksAreZero(BOOL bOn) { return ::SetBlanksAreZero(m_hSheet, bOn); }
BOOL CGXFormulaSheet::GetBlanksAreZero() const { return ::GetBlanksAreZero(m_hSheet); }
BOOL CGXFormulaSheet::SetManualRecalc(BOOL bOn) { return SetManual(m_hSheet, bOn); }
BOOL CGXFormulaSheet::GetManualRecalc() const { return GetManual(m_hSheet); }
BOOL CGXFormulaSheet::SetRecalcMethod(int nMethod) { return SetMethod(m_hSheet, nMethod); }
int CGXFormulaSheet::GetRecalcMethod() const { return GetMethod(m_hSheet); }
BOOL CGXFormulaSheet::GetConstraintCheck() const { return GetConstraintChecking(m_hSheet); }

BOOL CGXFormulaSheet::SetConstraintCheck(BOOL bOn)
{
    if (bOn != 0 && bOn != 1)
        return FALSE;
    ConstraintStyleId();
    return SetConstraintChecking(m_hSheet, bOn);
}

BOOL CGXFormulaSheet::SetKeepRemovedCells(BOOL bOn)
{
    GX_SHEET* pSheet = GetSheet(m_hSheet);
    const BOOL bOld = pSheet->keepRemovedCells;
    pSheet->keepRemovedCells = bOn ? 1 : 0;
    return bOld;
}

// ---- Archive ----

BOOL CGXFormulaSheet::SerializeCell(CArchive& ar, GX_CELL* pCell)
{
    Refresh(pCell);
    ar << BYTE(1) << BYTE(pCell->Kind()) << BYTE(pCell->ValueType()) << BYTE((pCell->flags >> 15) & 0xFF);
    ar << LONG(pCell->row) << LONG(pCell->col);
    ar << static_cast<const CObject*>(pCell->style);
    if (pCell->Kind() == GX_KIND_FORMULA || pCell->Kind() == GX_KIND_CONSTANT_FORMULA) {
        const DefaultSpelling spelling;
        ar << CString(FormulaText(m_hSheet, pCell->formula).c_str());
    }
    char buffer[GX_MAX_STRING + 1];
    switch (pCell->ValueType()) {
    case GX_CELL_VALUE_ERROR:
        ar << WORD(pCell->value.errorCode);
        break;
    case GX_CELL_VALUE_NUMBER:
        ar << pCell->value.number;
        break;
    case GX_CELL_VALUE_HEAP_STRING:
    case GX_CELL_VALUE_INLINE_STRING:
        CellStringValue(pCell, buffer);
        ar << CString(buffer);
        break;
    default:
        break;
    }
    return TRUE;
}

void CGXFormulaSheet::LoadCells(CArchive& ar)
{
    GX_SHEET* pSheet = GetSheet(m_hSheet);
    PoolLock lock(m_hSheet);
    for (;;) {
        BYTE lead = 0, kind = 0, valueType = 0, flags = 0;
        ar >> lead;
        if (lead == 0)
            break;
        ar >> kind >> valueType >> flags;
        LONG row = 0, col = 0;
        ar >> row >> col;
        // A record that no cell can hold ends the load before anything is made of it.
        if (kind > GX_KIND_CONSTANT_FORMULA || valueType > GX_CELL_VALUE_INLINE_STRING || row < 1 || row > GX_MAX_ROW
            || col < 0 || col > GX_MAX_COL)
            AfxThrowArchiveException(CArchiveException::badIndex);
        // The cell owns its style: a reference back to an object read before (another cell's style,
        // or the sheet itself) or an object of another class would be deleted twice or while in use.
        CGXStyle* pStyle = static_cast<CGXStyle*>(ar.ReadOwnedObject(RUNTIME_CLASS(CGXStyle)));
        CString formulaText;
        CString stringValue;
        double number = 0.0;
        WORD errorCode = 0;
        try {
            if (kind == GX_KIND_FORMULA || kind == GX_KIND_CONSTANT_FORMULA)
                ar >> formulaText;
            switch (valueType) {
            case GX_CELL_VALUE_ERROR:
                ar >> errorCode;
                break;
            case GX_CELL_VALUE_NUMBER:
                ar >> number;
                break;
            case GX_CELL_VALUE_HEAP_STRING:
            case GX_CELL_VALUE_INLINE_STRING:
                ar >> stringValue;
                break;
            default:
                break;
            }
        } catch (...) {
            delete pStyle;
            throw;
        }
        if (stringValue.GetLength() > GX_MAX_STRING)
            stringValue = stringValue.Left(GX_MAX_STRING);

        GX_EXPRESSION* formula = nullptr;
        uint32_t cellKind = kind;
        if (kind == GX_KIND_FORMULA || kind == GX_KIND_CONSTANT_FORMULA) {
            GX_EXPRESSION parsed{};
            const DefaultSpelling spelling;
            if (ParseFormula(m_hSheet, formulaText, &parsed)) {
                formula = static_cast<GX_EXPRESSION*>(EngineAlloc(sizeof(GX_EXPRESSION)));
                *formula = parsed;
            } else {
                // A formula this engine no longer reads is kept as its text, which a text cell holds
                // only up to its limit: a longer one cannot be kept whole, and a cut copy would pass
                // for what was saved, so the archive is refused.
                ClearExpression(parsed);
                if (formulaText.GetLength() > GX_MAX_STRING) {
                    delete pStyle;
                    AfxThrowArchiveException(CArchiveException::badIndex);
                }
                cellKind = GX_KIND_TEXT;
                stringValue = formulaText;
                valueType = GX_CELL_VALUE_HEAP_STRING;
            }
        }
        const uint32_t mask = cellKind == GX_KIND_PLACEHOLDER ? GX_POOL_PLACEHOLDER
                              : cellKind == GX_KIND_FORMULA   ? GX_POOL_FORMULA
                                                              : GX_POOL_CONSTANT;
        GX_CELL* existing = FindCell(m_hSheet, int32_t(row), int32_t(col));
        if (cellKind == GX_KIND_PLACEHOLDER && existing != nullptr) {
            delete pStyle;
            FreeExpression(formula);
            continue;
        }
        GX_CELL* cell = AllocCell(GetPool(pSheet, mask));
        cell->row = int32_t(row);
        cell->col = int32_t(col);
        cell->SetKind(cellKind);
        cell->style = pStyle;
        cell->formula = formula;
        cell->stamp = pSheet->stamp;
        cell->flags |= (uint32_t(flags) << 15) & (GX_CF_DIRTY | GX_CF_CHANGED | GX_CF_CYCLE | GX_CF_VIOLATED);
        switch (valueType) {
        case GX_CELL_VALUE_ERROR:
            SetCellValueType(cell, GX_CELL_VALUE_ERROR, errorCode);
            break;
        case GX_CELL_VALUE_NUMBER:
            SetCellNumber(cell, number);
            break;
        case GX_CELL_VALUE_HEAP_STRING:
        case GX_CELL_VALUE_INLINE_STRING:
            SetCellString(cell, stringValue);
            break;
        default:
            SetCellValueType(cell, valueType);
            break;
        }
        if (existing != nullptr)
            DeleteCell(m_hSheet, existing);
        InsertCell(m_hSheet, cell);
    }
}

void CGXFormulaSheet::Serialize(CArchive& ar)
{
    GX_SHEET* pSheet = GetSheet(m_hSheet);
    if (ar.IsStoring()) {
        ar << WORD(1);
        CGXData::Serialize(ar);
        ar << WORD(pSheet->iterationLimit) << WORD(pSheet->blanksAreZero) << WORD(pSheet->manualRecalc)
           << WORD(pSheet->recalcMethod) << WORD(pSheet->constraintCheck);
        CStringArray names;
        for (const GX_RANGE_NAME* name = pSheet->names; name != nullptr; name = name->next) {
            const char* range = ReferenceText(name->ref);
            CString entry;
            entry.Format("%s=%s", name->name, range != nullptr ? range : "");
            names.Add(entry);
        }
        names.Serialize(ar);
        for (uint32_t mask : {GX_POOL_CONSTANT, GX_POOL_FORMULA, GX_POOL_PLACEHOLDER}) {
            std::vector<GX_CELL*> cells;
            GX_POOL_ITERATOR walk;
            walk.Start(GetPool(pSheet, mask));
            while (GX_CELL* cell = walk.Next())
                if (cell->Is(GX_CF_IN_TABLE))
                    cells.push_back(cell);
            for (GX_CELL* cell : cells)
                SerializeCell(ar, cell);
        }
        ar << BYTE(0);
        return;
    }

    WORD version = 0;
    ar >> version;
    if (version != 1)
        AfxThrowArchiveException(CArchiveException::badSchema);
    CGXData::Serialize(ar);
    WORD settings[5] = {};
    for (WORD& setting : settings)
        ar >> setting;
    SetIterations(m_hSheet, settings[0]);
    ::SetBlanksAreZero(m_hSheet, settings[1]);
    SetManual(m_hSheet, settings[2]);
    SetMethod(m_hSheet, settings[3]);
    SetConstraintChecking(m_hSheet, settings[4]);
    CStringArray names;
    names.Serialize(ar);
    for (INT_PTR i = 0; i < names.GetSize(); ++i) {
        const CString& entry = names[i];
        const int equals = entry.Find('=');
        if (equals <= 0)
            continue;
        GX_CELLREF ref{};
        if (ParseReference(entry.Mid(equals + 1), &ref))
            ::SetRangeName(m_hSheet, entry.Left(equals), ref);
    }
    LoadCells(ar);
}
