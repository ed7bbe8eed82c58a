#pragma once
// Undo and redo of a grid. The grid engine performs each change itself and then asks this factory
// for a command that holds the old state, which the factory files in the undo or redo list of the
// grid's parameter object by the command type. Transactions group commands into one block; a
// transaction rolled back replays its block at once. The factory also gives the Undo and Redo menu
// items their texts, and keeps what a removal of rows or columns loses, asking first when that
// would be too much. It holds no state: the lists, the limit, the switch and the transaction level
// live in the parameter object, the replay state in the engine; one object serves any grid.
//
// The engine knows some operations under other names: RemoveLastCommand is RemoveCommand,
// RestoreCurrentCell is OnCellUndone, SetDataUndoRecording, GetDataUndoRecord, ApplyDataUndoRecord
// and DeleteDataUndoRecord are SetAdvancedUndo, GetAdvancedUndoInfo, UndoAdvanced and
// CleanAdvancedUndo, ReplayDataUndo (command, grid, type) is ExecuteCommand, and SaveRemovedRows and
// SaveRemovedCols are RecordRemoveRows and RecordRemoveCols.

#include "grid/core/GridComponents.h"

class CGXCommand;

class CGXCommandFactory : public CGXAbstractCommandFactory
{
public:
    // ---- Lists and transactions ----
    // Replays the newest undo command (after discarding a pending edit of the current cell instead,
    // when there is one); FALSE when nothing was undone.
    BOOL Undo(CGXGridCore* pGrid) override;
    BOOL Redo(CGXGridCore* pGrid) override;
    BOOL BeginTrans(CGXGridCore* pGrid, LPCTSTR pszName) override;
    BOOL CommitTrans(CGXGridCore* pGrid) override;
    BOOL Rollback(CGXGridCore* pGrid) override;
    // Enable the items and give them "Undo <name>" and "Redo <name>" by the format of the item's
    // string (the text after its second line feed), else of the item's own text.
    BOOL UpdateUndoMenuText(CGXGridCore* pGrid, CCmdUI* pCmdUI) override;
    BOOL UpdateRedoMenuText(CGXGridCore* pGrid, CCmdUI* pCmdUI) override;
    // Files the command (owned from now on) where its type says; FALSE when it was dropped.
    BOOL AddCommand(CGXGridCore* pGrid, CObject* pCommand, int nCommandType) override;
    BOOL RemoveLastCommand(CGXGridCore* pGrid, int nCommandType) override;
    BOOL RestoreCurrentCell(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, BOOL bMove) override;
    BOOL SetDataUndoRecording(CGXGridCore* pGrid, BOOL bRecord) override;
    CObject* GetDataUndoRecord(CGXGridCore* pGrid) override;
    BOOL ApplyDataUndoRecord(CGXGridCore* pGrid, CObject* pRecord, BOOL bCreateUndo, int nFlag) override;
    BOOL DeleteDataUndoRecord(CGXGridCore* pGrid) override;
    BOOL ReplayDataUndo(CObject* pCommand, CGXGridCore* pGrid, int nCommandType) override;
    BOOL LockRecording(CGXGridCore* pGrid, BOOL bLock) override;
    // The record is a copy of the covered-cells list taken before a removal.
    BOOL RestoreCoveredCells(CGXGridCore* pGrid, CObject* pRecord, BOOL bCreateUndo, BOOL bUpdate) override;
    BOOL SaveRemovedRows(CGXGridCore* pGrid, ROWCOL nFromRow, ROWCOL nToRow, CDWordArray*& pHeights,
                         CObArray*& pCellStyles, CObArray*& pBaseStyles, ROWCOL& nColCount) override;
    BOOL SaveRemovedCols(CGXGridCore* pGrid, ROWCOL nFromCol, ROWCOL nToCol, CDWordArray*& pWidths,
                         CObArray*& pCellStyles, CObArray*& pBaseStyles, ROWCOL& nRowCount) override;
    void FreeSavedData(CDWordArray* pSizes, CObArray* pCellStyles, CObArray* pBaseStyles) override;
    void EmptyUndoHistory(CGXGridCore* pGrid) override;

    // ---- The creators, one per command class ----
    CObject* CreateBlockCmd(LPCTSTR pszName) override;
    CObject* CreateSetRowHeightCmd(CGXGridCore* pGrid, ROWCOL nFromRow, ROWCOL nToRow, CDWordArray* pOldHeights,
                                   int nCommandType) override;
    CObject* CreateHideRowsCmd(CGXGridCore* pGrid, ROWCOL nFromRow, ROWCOL nToRow, CByteArray* pabOldHidden,
                               int nCommandType) override;
    CObject* CreateSetDefaultRowHeightCmd(CGXGridCore* pGrid, int nOldHeight, int nCommandType) override;
    CObject* CreateSetColWidthCmd(CGXGridCore* pGrid, ROWCOL nFromCol, ROWCOL nToCol, CDWordArray* pOldWidths,
                                  int nCommandType) override;
    CObject* CreateHideColsCmd(CGXGridCore* pGrid, ROWCOL nFromCol, ROWCOL nToCol, CByteArray* pabOldHidden,
                               int nCommandType) override;
    CObject* CreateSetDefaultColWidthCmd(CGXGridCore* pGrid, int nOldWidth, int nCommandType) override;
    CObject* CreateMoveRowsCmd(CGXGridCore* pGrid, ROWCOL nFromRow, ROWCOL nToRow, ROWCOL nDestRow,
                               int nCommandType) override;
    CObject* CreateMoveColsCmd(CGXGridCore* pGrid, ROWCOL nFromCol, ROWCOL nToCol, ROWCOL nDestCol,
                               int nCommandType) override;
    CObject* CreateRemoveRowsCmd(CGXGridCore* pGrid, ROWCOL nFromRow, ROWCOL nToRow, int nCommandType) override;
    CObject* CreateRemoveColsCmd(CGXGridCore* pGrid, ROWCOL nFromCol, ROWCOL nToCol, int nCommandType) override;
    CObject* CreateInsertRowsCmd(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCount, CDWordArray* pHeights,
                                 CObArray* pCellStyles, CObArray* pBaseStyles, ROWCOL nColCount,
                                 int nCommandType) override;
    CObject* CreateInsertColsCmd(CGXGridCore* pGrid, ROWCOL nCol, ROWCOL nCount, CDWordArray* pWidths,
                                 CObArray* pCellStyles, CObArray* pBaseStyles, ROWCOL nRowCount,
                                 int nCommandType) override;
    CObject* CreateSetCoveredCellsCmd(CGXGridCore* pGrid, ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight,
                                      int nCommandType) override;
    CObject* CreateSetStyleRangeCmd(CGXGridCore* pGrid, const CGXRange& range, int nType, CObArray* pSavedStyles,
                                    int nCommandType) override;
    CObject* CreateFrozenRowsCmd(CGXGridCore* pGrid, ROWCOL nOldFrozen, ROWCOL nOldHeader, int nCommandType) override;
    CObject* CreateFrozenColsCmd(CGXGridCore* pGrid, ROWCOL nOldFrozen, ROWCOL nOldHeader, int nCommandType) override;
    CObject* CreateMoveDataRowsCmd(CGXGridCore* pGrid, const CGXRange& sortRange, CDWordArray* pawIndex,
                                   int nCommandType) override;
    CObject* CreateMoveDataColsCmd(CGXGridCore* pGrid, const CGXRange& sortRange, CDWordArray* pawIndex,
                                   int nCommandType) override;
    CObject* CreateChangeStylesMapCmd(CGXGridCore* pGrid, CObject* pOldStylesMap, int nCommandType) override;
    CObject* CreateChangePropertiesCmd(CGXGridCore* pGrid, CObject* pOldProperties, int nCommandType) override;
    CObject* CreateChangeBaseStyleCmd(CGXGridCore* pGrid, WORD nBaseStyleId, CGXStyle* pOldStyle, LPCTSTR pszName,
                                      int nCommandType) override;
    CObject* CreateMoveCellsCmd(CGXGridCore* pGrid, const CGXRange& source, ROWCOL nDestRow, ROWCOL nDestCol,
                                CObject* pOverwritten, int nCommandType) override;
    CObject* CreateSetRangeNameCmd(CGXGridCore* pGrid, LPCTSTR pszName, BOOL bExisted, const CGXRange& oldRange,
                                   int nCommandType) override;
    CObject* CreateDeleteRangeNameCmd(CGXGridCore* pGrid, LPCTSTR pszName, const CGXRange& range, CObject* pObject,
                                      int nCommandType) override;

private:
    // The list a command of the type goes to (NULL for a rollback), and the block that takes it
    // instead while a transaction is open, a block replays or the engine records into a block.
    static CPtrList* TargetList(CGXGridCore* pGrid, int nCommandType);
    static CGXCommand* OpenBlock(CGXGridCore* pGrid, CPtrList& list);
    static BOOL Replay(CGXGridCore* pGrid, BOOL bRedo);
    static BOOL UpdateMenuText(CGXGridCore* pGrid, CCmdUI* pCmdUI, BOOL bRedo);
    BOOL SaveRemoved(CGXGridCore* pGrid, BOOL bRows, ROWCOL nFrom, ROWCOL nTo, CDWordArray*& pSizes,
                     CObArray*& pCellStyles, CObArray*& pBaseStyles, ROWCOL& nOtherCount);
};
