#pragma once
// The cell data object of a grid that holds formulas. Every cell whose row and column are both at
// least 1 lives in an engine sheet of the formula engine; the header row and column and the row and
// column base styles stay in the arrays of CGXData. The grid calls the CGXData interface unchanged;
// the sheet answers from the engine and adds operations for formulas, values, formats, range names,
// recalculation, messages and the undo of engine cells.
//
// Coordinates: grid row r is engine row max(r, 1), grid column c engine column max(c - 1, 0); engine
// rows run 1..8388607 and columns 0..4095, so grid columns 1..4096.

#include "grid/core/Data.h"
#include "grid/core/Range.h"
#include "grid/formula/CellStore.h"
#include "grid/formula/FormulaTypes.h"

#include <vector>

struct GX_VALUE;

// String-table id of the base style that marks a violated constraint ("Constraint Violation").
constexpr UINT GX_IDS_STYLE_CONSTRAINT = 52780;

// The engine cells that an operation removed or overwrote, to be put back when it is undone. The
// cells are held apart from any sheet (a record may outlive the sheet it came from).
class CGXUndoEngineCellsInfo : public CObject
{
    DECLARE_DYNAMIC(CGXUndoEngineCellsInfo)

public:
    CGXUndoEngineCellsInfo() = default;
    ~CGXUndoEngineCellsInfo() override;

    // Chained through GX_CELL::next; detached cells (see FreeDetachedCells).
    GX_CELL* m_pCellsA = nullptr;
    GX_CELL* m_pCellsB = nullptr;
    GX_CELLREF m_range{};
    // The range is valid and a recalculation is wanted.
    int32_t m_bRangeValid = 0;
    GX_RANGE_NAME* m_pRemovedName = nullptr;

private:
    CGXUndoEngineCellsInfo(const CGXUndoEngineCellsInfo&) = delete;
    CGXUndoEngineCellsInfo& operator=(const CGXUndoEngineCellsInfo&) = delete;
};

class CGXFormulaSheet : public CGXData
{
    DECLARE_SERIAL(CGXFormulaSheet)

public:
    CGXFormulaSheet();
    ~CGXFormulaSheet() override;

    void Serialize(CArchive& ar) override;
    void DeleteContents() override;
    CGXData& operator=(const CGXData& other) override;
    CGXFormulaSheet& operator=(const CGXFormulaSheet& other)
    {
        operator=(static_cast<const CGXData&>(other));
        return *this;
    }
    // Switches on the options of the parameter object that a formula grid needs (PrepareParam).
    void InitParam(CGXGridParam* pParam) override;

    BOOL InsertRows(ROWCOL nRow, ROWCOL nCount, UINT nFlags = 0) override;
    BOOL InsertCols(ROWCOL nCol, ROWCOL nCount, UINT nFlags = 0) override;
    BOOL RemoveRows(ROWCOL nFromRow, ROWCOL nToRow, UINT nFlags = 0) override;
    BOOL RemoveCols(ROWCOL nFromCol, ROWCOL nToCol, UINT nFlags = 0) override;
    BOOL MoveRows(ROWCOL nFromRow, ROWCOL nToRow, ROWCOL nDestRow, UINT nFlags = 0) override;
    BOOL MoveCols(ROWCOL nFromCol, ROWCOL nToCol, ROWCOL nDestCol, UINT nFlags = 0) override;
    BOOL CopyCells(const CGXRange& range, ROWCOL nToRow, ROWCOL nToCol, UINT nFlags = 0) override;
    BOOL MoveCells(const CGXRange& range, ROWCOL nToRow, ROWCOL nToCol, UINT nFlags = 0) override;
    // The move of the grid's direct cut and paste and of its undo. A CGXUndoEngineCellsInfo in
    // *ppUndoInfo (the record of the move this one takes back) has its list-A cells put back where the
    // block leaves; with bCreateUndoInfo the engine cells the move removes become the list A of that
    // record, or of a new one handed back in *ppUndoInfo.
    BOOL MoveCells(const CGXRange& range, ROWCOL nToRow, ROWCOL nToCol, CObject** ppUndoInfo,
                   BOOL bCreateUndoInfo) override;
    BOOL StoreStyleRowCol(ROWCOL nRow, ROWCOL nCol, const CGXStyle* pStyle, GXModifyType mode, int nType = 0) override;
    BOOL GetStyleRowCol(ROWCOL nRow, ROWCOL nCol, CGXStyle& style, GXModifyType mode, int nType = 0) override;
    BOOL MoveDataRows(const CDWordArray& awRowIndex, ROWCOL nStartRow = 1) override;
    BOOL MoveDataCols(const CDWordArray& awColIndex, ROWCOL nStartCol = 1) override;
    // The display text of a cell (GetValueTextRowCol); the text lives until the next call.
    LPCTSTR GetValueRowCol(ROWCOL nRow, ROWCOL nCol) override;

    // The grid's data undo and range names reach the engine through these.
    CObject* GetAdvancedUndoInfo() override { return TakeUndoRecord(); }
    BOOL UndoAdvanced(CObject* pRecord, BOOL bCreateInverse, BOOL bFlag) override
    {
        return ApplyUndoRecord(pRecord, bCreateInverse, bFlag);
    }
    BOOL SetAdvancedUndo(BOOL bOn) override { return SetUndoRecording(bOn); }
    BOOL GetRangeName(LPCTSTR pszName, CGXRange& range, CObject** ppObject = nullptr) override;
    BOOL SetRangeName(LPCTSTR pszName, const CGXRange& range, CObject* pObject) override;
    BOOL DeleteRangeName(LPCTSTR pszName, CObject** ppObject = nullptr) override;

    // While held, a stored cell, and an operation on rows, columns or blocks, leaves the values that
    // follow it to be worked out once, when the last hold ends.
    void HoldRecalc(BOOL bHold) override;
    BOOL IsRecalcHeld() const override { return m_nRecalcHolds > 0; }
    // While the recalculation is held: a read that is on takes a formula's value as it stands, not
    // brought up to date after the cells stored meanwhile (other reads do bring it up to date).
    void ReadValuesAsTheyStand(BOOL bOn) override;
    BOOL MarksChangedCells() const override { return TRUE; }
    // FALSE outside the engine or without a cell; a formula cell not yet evaluated in this pass counts
    // as changed.
    BOOL IsCellChanged(ROWCOL nRow, ROWCOL nCol) override;
    void MarkCellChanged(ROWCOL nRow, ROWCOL nCol, BOOL bOn) override;
    virtual void AddChangedRange(const CGXRange& range);
    BOOL RecalcSheet(BOOL bForce) override;
    void ArmMessage() override;
    // FALSE while the slot is armed (no message since).
    BOOL GetMessage(CString& text) override;
    // Ownership of the pending record passes to the caller; NULL when there is none.
    virtual CObject* TakeUndoRecord();
    virtual BOOL ApplyUndoRecord(CObject* pRecord, BOOL bCreateRedo, BOOL bOnlyListB);
    virtual BOOL SetUndoRecording(BOOL bOn);
    virtual BOOL DefineRangeName(LPCTSTR pszName, const CGXRange& range, CObject* pRecord);
    virtual BOOL LookupRangeName(LPCTSTR pszName, CGXRange& range);
    virtual BOOL RemoveRangeName(LPCTSTR pszName, CObject** ppRecord, BOOL bKeep);
    // The text must begin with "="; a parse error is written to the message buffer.
    virtual BOOL StoreFormulaRowCol(ROWCOL nRow, ROWCOL nCol, LPCTSTR pszText);
    virtual BOOL StoreTextRowCol(ROWCOL nRow, ROWCOL nCol, LPCTSTR pszText);
    virtual BOOL StoreNumberRowCol(ROWCOL nRow, ROWCOL nCol, double dValue);
    virtual BOOL StoreNumberFormatRowCol(ROWCOL nRow, ROWCOL nCol, unsigned nFormat, unsigned nPlaces);
    virtual unsigned GetNumberFormatRowCol(ROWCOL nRow, ROWCOL nCol, unsigned* pnPlaces);
    // Typed input: numbers, dates and times, "'" for text, "=" for formulas, "#N/A".
    virtual BOOL StoreTypedTextRowCol(ROWCOL nRow, ROWCOL nCol, LPCTSTR pszText);
    virtual BOOL ReadNumberRowCol(ROWCOL nRow, ROWCOL nCol, double& dValue);
    virtual BOOL GetValueTextRowCol(ROWCOL nRow, ROWCOL nCol, CString& text);
    virtual BOOL GetEditTextRowCol(ROWCOL nRow, ROWCOL nCol, CString& text);
    // The value text of a formula evaluated on an empty cell; FALSE for an error result.
    virtual BOOL EvaluateParsed(const GX_EXPRESSION* pFormula, CString& text);
    // Parses and evaluates; a parse error gives its message ("ERROR: <text> (Pos <n>)") and FALSE.
    virtual BOOL EvaluateText(CString& result, LPCTSTR pszExpression);
    virtual BOOL ParseText(LPCTSTR pszText, GX_EXPRESSION* pFormula);
    virtual void GetValueText(GX_CELL* pCell, CString& text);
    virtual void GetEditText(GX_CELL* pCell, CString& text);

    // Settings of the engine sheet: FALSE, nothing changed, for a value outside its range.
    BOOL SetIterationLimit(int nLimit);
    int GetIterationLimit() const;
    BOOL SetBlanksAreZero(BOOL bOn);
    BOOL GetBlanksAreZero() const;
    BOOL SetManualRecalc(BOOL bOn);
    BOOL GetManualRecalc() const;
    BOOL SetRecalcMethod(int nMethod);
    int GetRecalcMethod() const;
    BOOL SetConstraintCheck(BOOL bOn);
    BOOL GetConstraintCheck() const;
    BOOL SetKeepRemovedCells(BOOL bOn);

    int GetEngineSheet() const { return m_hSheet; }

protected:
    // The engine position of a grid cell; FALSE outside the engine's limits.
    static BOOL EngineCell(ROWCOL nRow, ROWCOL nCol, int32_t& row, int32_t& col);
    GX_CELLREF EngineRange(const CGXRange& range) const;
    GX_CELL* CellAt(ROWCOL nRow, ROWCOL nCol) const;
    // As for any data object: the counts reach every cell stored.
    void GrowCounts(ROWCOL nRow, ROWCOL nCol);
    // Brings a formula cell up to date for a read of its value: one that this pass has not evaluated,
    // or, while the recalculation is held, one that the cells stored meanwhile reach.
    void Refresh(GX_CELL* pCell);
    // After a change: second phase recalculates (or, while held, owes it); then what the engine
    // removed goes to the pending record.
    void Bookkeeping(BOOL bRange, BOOL bSecondPhase);
    // The recalculation of the second phase, whatever holds it.
    void RecalcFollowers();
    // What the engine removed goes to the pending record (list B in the second phase, else list A).
    void KeepRemovedForUndo(BOOL bRange, BOOL bSecondPhase);
    // An operation that moves cells about while the recalculation is held: the changed places listed
    // before it may no longer be where the cells are, so the held recalculation takes every cell.
    void MovingCellsWhileHeld();
    // Registers the constraint style when the grid has a styles map; its id, 0 when none.
    WORD ConstraintStyleId();
    CGXUndoEngineCellsInfo* PendingRecord();

    int32_t m_hSheet;
    int32_t m_bUndoRecording = 0;
    CGXUndoEngineCellsInfo* m_pUndoRecord = nullptr;
    WORD m_nConstraintStyleId = 0;
    CString m_sValueRowCol;
    int m_nRecalcHolds = 0;
    // A recalculation is owed to the end of the holds; for every formula cell with m_bRecalcAll.
    BOOL m_bRecalcOwed = FALSE;
    BOOL m_bRecalcAll = FALSE;
    int m_nValueReadsAsTheyStand = 0;
    // Cells whose new errors reads met while the recalculation was held, for the pass to report.
    std::vector<GX_CELL_POSITION> m_unreportedErrors;

private:
    CGXFormulaSheet(const CGXFormulaSheet&) = delete;
    BOOL StoreValue(const CGXStyle& style, int nType, ROWCOL nRow, ROWCOL nCol);
    // StoreStyleRowCol of an engine cell, before the recalculation.
    BOOL StoreCellStyle(ROWCOL nRow, ROWCOL nCol, const CGXStyle* pStyle, GXModifyType mode, int nType);
    BOOL SerializeCell(CArchive& ar, GX_CELL* pCell);
    void LoadCells(CArchive& ar);
};

// A detached cell (held by an undo record) freed with everything it owns.
void FreeDetachedCells(GX_CELL* pChain);
