#pragma once
// The contents of one table: its row and column counts and the styles stored for single cells,
// whole rows (row base styles) and whole columns (column base styles). Every operation is virtual:
// the grid engine reaches the data only through them, so that a subclass (the formula sheet) can
// keep the cells elsewhere.

#include "framework/core/Collections.h"
#include "framework/core/Object.h"
#include "grid/core/GridTypes.h"
#include "grid/core/Style.h"

class CGXAppData;
class CGXGridCore;
class CGXGridParam;
class CGXRange;

// Owned pointers by row or column index: an entry's object goes with the entry, and a NULL entry
// stores nothing. Made for the two style arrays below.
template <class TOwned>
class CGXOwningPtrArray : public CPtrArray
{
public:
    CGXOwningPtrArray() = default;
    ~CGXOwningPtrArray() override { DeleteAll(); }

    TOwned* GetOwnedAt(INT_PTR nIndex) const
    {
        return nIndex >= 0 && nIndex < GetSize() ? static_cast<TOwned*>(GetAt(nIndex)) : nullptr;
    }
    // Deletes the objects of entries nFrom..nFrom + nCount - 1 (those that exist) and removes the entries.
    void DeleteRange(INT_PTR nFrom, INT_PTR nCount);
    // Deletes every object and empties the array.
    void DeleteAll();
    // Moves nCount entries from nSrc so that the first lands at nDest of the final array.
    void MoveRange(INT_PTR nSrc, INT_PTR nCount, INT_PTR nDest);
    // Inserts nCount NULL entries at nIndex, growing the array first when it ends before nIndex.
    void InsertEmpty(INT_PTR nIndex, INT_PTR nCount);
    // Makes the array reach nIndex (NULL entries added).
    void EnsureIndex(INT_PTR nIndex);
};

// Defined for these two element types only (in Data.cpp).
extern template class CGXOwningPtrArray<CGXStyle>;

// Owned styles by row or column index.
class CGXStylePtrArray : public CGXOwningPtrArray<CGXStyle>
{
public:
    CGXStyle* GetStyleAt(INT_PTR nIndex) const { return GetOwnedAt(nIndex); }
    // A deep copy: every style cloned.
    void CopyFrom(const CGXStylePtrArray& other);
    // Through the document serializer component; nothing while it is not installed.
    void Serialize(CArchive& ar) override;
};

extern template class CGXOwningPtrArray<CGXStylePtrArray>;

// Owned row arrays of cell styles by row index; a NULL entry is a row without cell styles.
class CGXStylePtrArrayPtrArray : public CGXOwningPtrArray<CGXStylePtrArray>
{
public:
    CGXStylePtrArray* GetRowAt(INT_PTR nIndex) const { return GetOwnedAt(nIndex); }
    void CopyFrom(const CGXStylePtrArrayPtrArray& other);
    // Through the document serializer component; nothing while it is not installed.
    void Serialize(CArchive& ar) override;
};

// Value type for StoreStyleRowCol and GetStyleRowCol: base styles of rows and columns.
const int gxBaseStyleType = -1;
// A cell style whose value text is to be checked for a date or time (stored as a number then).
const int gxDetectValueType = 1;

class CGXData : public CObject
{
    DECLARE_SERIAL(CGXData)

public:
    CGXData();
    ~CGXData() override;

    // Through the document serializer component; nothing while it is not installed.
    void Serialize(CArchive& ar) override;

    // Deletes every stored style; the counts stay.
    virtual void DeleteContents();
    // A deep copy of the counts and every stored style.
    virtual CGXData& operator=(const CGXData& other);
    // Called once by the grid that creates the object for its parameter object; nothing here.
    virtual void InitParam(CGXGridParam* pParam);

    virtual ROWCOL GetRowCount();
    virtual ROWCOL GetColCount();
    virtual BOOL SetRowCount(ROWCOL nRows, UINT nFlags = 0);
    virtual BOOL SetColCount(ROWCOL nCols, UINT nFlags = 0);
    virtual BOOL InsertRows(ROWCOL nRow, ROWCOL nCount, UINT nFlags = 0);
    virtual BOOL InsertCols(ROWCOL nCol, ROWCOL nCount, UINT nFlags = 0);
    virtual BOOL RemoveRows(ROWCOL nFromRow, ROWCOL nToRow, UINT nFlags = 0);
    virtual BOOL RemoveCols(ROWCOL nFromCol, ROWCOL nToCol, UINT nFlags = 0);
    virtual BOOL MoveRows(ROWCOL nFromRow, ROWCOL nToRow, ROWCOL nDestRow, UINT nFlags = 0);
    virtual BOOL MoveCols(ROWCOL nFromCol, ROWCOL nToCol, ROWCOL nDestCol, UINT nFlags = 0);
    // Through the application's data copy-and-move component; FALSE while it is not installed.
    virtual BOOL CopyCells(const CGXRange& range, ROWCOL nToRow, ROWCOL nToCol, UINT nFlags = 0);
    virtual BOOL MoveCells(const CGXRange& range, ROWCOL nToRow, ROWCOL nToCol, UINT nFlags = 0);
    // The move with its undo information: what it overwrites is kept when asked (in a new object
    // when *ppUndoInfo is NULL), and the cells of a given record are put back.
    virtual BOOL MoveCells(const CGXRange& range, ROWCOL nToRow, ROWCOL nToCol, CObject** ppUndoInfo,
                           BOOL bCreateUndoInfo);
    // pStyle NULL removes what is stored. nType is gxBaseStyleType for row and column base styles
    // (row 0 addresses the column's); any other value a cell, gxDetectValueType with date detection.
    virtual BOOL StoreStyleRowCol(ROWCOL nRow, ROWCOL nCol, const CGXStyle* pStyle, GXModifyType mode, int nType = 0);
    // mode gxCopy replaces the caller's style, any other mode merges the stored one into it.
    virtual BOOL GetStyleRowCol(ROWCOL nRow, ROWCOL nCol, CGXStyle& style, GXModifyType mode, int nType = 0);
    // Through the application's sort-and-move-data component; FALSE while it is not installed.
    virtual BOOL MoveDataRows(const CDWordArray& awRowIndex, ROWCOL nStartRow = 1);
    virtual BOOL MoveDataCols(const CDWordArray& awColIndex, ROWCOL nStartCol = 1);
    // A value the data object computes for a cell: clears the first scratch style's value, 0 here.
    virtual LPCTSTR GetValueRowCol(ROWCOL nRow, ROWCOL nCol);

    // Hooks the grid engine calls around drawing and committing; the meaning of the values is the
    // subclass's. Nothing here: no cell answers, no state, nothing to validate.
    virtual BOOL OnCellQuery(ROWCOL, ROWCOL) { return FALSE; }
    virtual void OnCellNotify(ROWCOL, ROWCOL, DWORD) {}
    virtual void OnNotify(DWORD) {}
    virtual void OnSetState(DWORD) {}
    virtual void OnResetState() {}
    // The cells of the range are about to change; the flag says that a change is pending or over.
    virtual void OnRangeChanging(const CGXRange&) {}
    virtual void OnUpdateFlag(BOOL) {}
    // TRUE with a message when the data holds a problem.
    virtual BOOL OnValidate(CString&) { return FALSE; }
    // While TRUE, CommitDataChanges leaves the data alone.
    virtual BOOL IsReadOnlyState() { return FALSE; }

    // Undo of a data object that keeps state of its own (the formula engine), beside the grid's
    // commands. A plain data object gathers nothing: every hook answers 0.
    // Hands over, and forgets, what was gathered since the last call; NULL when nothing.
    virtual CObject* GetAdvancedUndoInfo() { return nullptr; }
    // Replays gathered information; with bCreateInverse gathers the inverse into the same object.
    virtual BOOL UndoAdvanced(CObject*, BOOL /*bCreateInverse*/, BOOL /*bFlag*/) { return FALSE; }
    // Turns the gathering on or off; returns the previous state.
    virtual BOOL SetAdvancedUndo(BOOL) { return FALSE; }

    // Values computed from other cells, which only a data object that evaluates formulas keeps (the
    // formula sheet). A plain data object computes nothing: every hook answers 0.
    // Brings what depends on changed cells up to date (bForce: in manual mode too); FALSE when nothing ran.
    virtual BOOL RecalcSheet(BOOL /*bForce*/) { return FALSE; }
    // From now on the first evaluation error is kept for GetMessage, which answers FALSE until one came.
    virtual void ArmMessage() {}
    virtual BOOL GetMessage(CString&) { return FALSE; }
    // While held, what the data object works out after each stored cell (the values that follow it)
    // waits; it runs once when the last hold ends. Holds nest: each TRUE is ended by one FALSE.
    virtual void HoldRecalc(BOOL /*bHold*/) {}
    virtual BOOL IsRecalcHeld() const { return FALSE; }
    // While on (calls nest, each TRUE ended by one FALSE), a read of a cell's style wants its
    // attributes (its control, what it stores), not a value worked out from other cells: a value that
    // waits for a held recalculation is given as it stands.
    virtual void ReadValuesAsTheyStand(BOOL /*bOn*/) {}
    // TRUE when the data object marks the cells whose values changed since the grid drew them; only
    // then are the two below worth asking.
    virtual BOOL MarksChangedCells() const { return FALSE; }
    // The cell's value changed since the grid drew it (the grid has to show it again).
    virtual BOOL IsCellChanged(ROWCOL, ROWCOL) { return FALSE; }
    // Sets or clears the mark; the grid clears it as it draws the cell.
    virtual void MarkCellChanged(ROWCOL, ROWCOL, BOOL /*bOn*/) {}

    // Named ranges, which only a data object that evaluates references keeps. The attached object
    // belongs to the data object once stored; a deletion hands it back through ppObject (when given).
    virtual BOOL GetRangeName(LPCTSTR, CGXRange&, CObject** /*ppObject*/ = nullptr) { return FALSE; }
    virtual BOOL SetRangeName(LPCTSTR, const CGXRange&, CObject* /*pObject*/) { return FALSE; }
    virtual BOOL DeleteRangeName(LPCTSTR, CObject** /*ppObject*/ = nullptr) { return FALSE; }

    // The first grid registered in the application data as a user of this object, or NULL.
    CGXGridCore* GetGrid() const;

    // Read access for subclasses and the feature components.
    const CGXStylePtrArray& GetRowBaseStyles() const { return m_apRowBaseStyles; }
    const CGXStylePtrArray& GetColBaseStyles() const { return m_apColBaseStyles; }
    const CGXStylePtrArrayPtrArray& GetCellStyles() const { return m_apapCellStyles; }
    // Write access for the document serializer, which loads counts and arrays as they were stored.
    CGXStylePtrArray& GetRowBaseStyles() { return m_apRowBaseStyles; }
    CGXStylePtrArray& GetColBaseStyles() { return m_apColBaseStyles; }
    CGXStylePtrArrayPtrArray& GetCellStyles() { return m_apapCellStyles; }
    void StoreCounts(ROWCOL nRows, ROWCOL nCols)
    {
        m_nRows = nRows;
        m_nCols = nCols;
    }

protected:
    ROWCOL m_nRows = 0;
    ROWCOL m_nCols = 0;
    CGXStylePtrArray m_apRowBaseStyles;
    CGXStylePtrArray m_apColBaseStyles;
    CGXStylePtrArrayPtrArray m_apapCellStyles;
    CGXStyle m_styleScratch1;
    CGXStyle m_styleScratch2;
    CGXAppData* m_pAppData;

private:
    CGXData(const CGXData&) = delete;
    BOOL DetectDateValue(const CGXStyle& style, GXModifyType mode, int nType) const;
};
