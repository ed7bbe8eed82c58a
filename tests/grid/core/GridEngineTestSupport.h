#pragma once
// Test doubles for the grid engine: an undo component that records what the engine asks of it, and
// an update-hint component that does nothing unless a test overrides the hints it records.

#include "framework/core/Object.h"
#include "grid/core/AppData.h"
#include "grid/core/GridComponents.h"
#include "grid/core/GridCore.h"
#include "grid/core/Range.h"
#include "grid/core/Style.h"

#include <string>
#include <vector>

// A command the fake factory builds: its kind and what it was given.
class CFakeCommand : public CObject
{
public:
    CFakeCommand(std::string kind, CObArray* pStyles = nullptr) : m_kind(std::move(kind)), m_pStyles(pStyles) {}
    ~CFakeCommand() override
    {
        if (m_pStyles != nullptr)
        {
            for (INT_PTR i = 0; i < m_pStyles->GetSize(); ++i)
                delete m_pStyles->GetAt(i);
            delete m_pStyles;
        }
    }
    std::string m_kind;
    CObArray* m_pStyles;
};

class CFakeCommandFactory : public CGXAbstractCommandFactory
{
public:
    ~CFakeCommandFactory() override
    {
        for (CObject* pCommand : commands)
            delete pCommand;
    }

    std::vector<std::string> calls;
    std::vector<CObject*> commands;
    BOOL bLock = FALSE;
    BOOL bRefuseRemoval = FALSE;

    BOOL Undo(CGXGridCore*) override { return Record("Undo"); }
    BOOL Redo(CGXGridCore*) override { return Record("Redo"); }
    BOOL BeginTrans(CGXGridCore*, LPCTSTR pszName) override { return Record(std::string("BeginTrans ") + pszName); }
    BOOL CommitTrans(CGXGridCore*) override { return Record("CommitTrans"); }
    BOOL Rollback(CGXGridCore*) override { return Record("Rollback"); }
    BOOL UpdateUndoMenuText(CGXGridCore*, CCmdUI*) override { return Record("UpdateUndoMenuText"); }
    BOOL UpdateRedoMenuText(CGXGridCore*, CCmdUI*) override { return Record("UpdateRedoMenuText"); }
    BOOL AddCommand(CGXGridCore*, CObject* pCommand, int) override
    {
        commands.push_back(pCommand);
        return Record("AddCommand " + static_cast<CFakeCommand*>(pCommand)->m_kind);
    }
    BOOL RemoveLastCommand(CGXGridCore*, int) override { return Record("RemoveLastCommand"); }
    BOOL RestoreCurrentCell(CGXGridCore*, ROWCOL, ROWCOL, BOOL) override { return Record("RestoreCurrentCell"); }
    BOOL SetDataUndoRecording(CGXGridCore*, BOOL) override { return Record("SetDataUndoRecording"); }
    CObject* GetDataUndoRecord(CGXGridCore*) override { return nullptr; }
    BOOL ApplyDataUndoRecord(CGXGridCore*, CObject*, BOOL, int) override { return Record("ApplyDataUndoRecord"); }
    BOOL DeleteDataUndoRecord(CGXGridCore*) override { return Record("DeleteDataUndoRecord"); }
    BOOL ReplayDataUndo(CObject*, CGXGridCore* pGrid, int nMode) override
    {
        replayGrid = pGrid;
        replayMode = nMode;
        return Record("ReplayDataUndo");
    }
    CGXGridCore* replayGrid = nullptr;
    int replayMode = -1;

    BOOL LockRecording(CGXGridCore*, BOOL bNewLock) override
    {
        const BOOL bOld = bLock;
        bLock = bNewLock;
        return bOld;
    }
    BOOL RestoreCoveredCells(CGXGridCore*, CObject*, BOOL, BOOL) override { return FALSE; }
    BOOL SaveRemovedRows(CGXGridCore*, ROWCOL nFrom, ROWCOL nTo, CDWordArray*& pHeights, CObArray*&, CObArray*&,
                         ROWCOL&) override
    {
        Record("SaveRemovedRows " + std::to_string(nFrom) + ".." + std::to_string(nTo));
        pHeights = new CDWordArray;
        return !bRefuseRemoval;
    }
    BOOL SaveRemovedCols(CGXGridCore*, ROWCOL, ROWCOL, CDWordArray*&, CObArray*&, CObArray*&, ROWCOL&) override
    {
        return !bRefuseRemoval;
    }
    void FreeSavedData(CDWordArray* pSizes, CObArray*, CObArray*) override
    {
        Record("FreeSavedData");
        delete pSizes;
    }
    CObject* CreateRemoveRowsCmd(CGXGridCore*, ROWCOL nFrom, ROWCOL nTo, int) override
    {
        return new CFakeCommand("RemoveRows " + std::to_string(nFrom) + ".." + std::to_string(nTo));
    }
    CObject* CreateRemoveColsCmd(CGXGridCore*, ROWCOL, ROWCOL, int) override { return new CFakeCommand("RemoveCols"); }
    CObject* CreateInsertRowsCmd(CGXGridCore*, ROWCOL nRow, ROWCOL nCount, CDWordArray* pHeights, CObArray*,
                                 CObArray*, ROWCOL, int) override
    {
        delete pHeights;
        return new CFakeCommand("InsertRows " + std::to_string(nRow) + "+" + std::to_string(nCount));
    }
    CObject* CreateInsertColsCmd(CGXGridCore*, ROWCOL, ROWCOL, CDWordArray* pWidths, CObArray*, CObArray*, ROWCOL,
                                 int) override
    {
        delete pWidths;
        return new CFakeCommand("InsertCols");
    }
    CObject* CreateFrozenRowsCmd(CGXGridCore*, ROWCOL nOldFrozen, ROWCOL, int) override
    {
        return new CFakeCommand("FrozenRows " + std::to_string(nOldFrozen));
    }
    CObject* CreateFrozenColsCmd(CGXGridCore*, ROWCOL, ROWCOL, int) override { return new CFakeCommand("FrozenCols"); }
    CObject* CreateSetStyleRangeCmd(CGXGridCore*, const CGXRange&, int, CObArray* pSavedStyles, int) override
    {
        return new CFakeCommand("SetStyleRange " + std::to_string(pSavedStyles->GetSize()), pSavedStyles);
    }
    CObject* CreateChangeStylesMapCmd(CGXGridCore*, CObject* pOld, int) override
    {
        delete pOld;
        return new CFakeCommand("ChangeStylesMap");
    }
    CObject* CreateChangePropertiesCmd(CGXGridCore*, CObject* pOld, int) override
    {
        delete pOld;
        return new CFakeCommand("ChangeProperties");
    }
    CObject* CreateChangeBaseStyleCmd(CGXGridCore*, WORD, CGXStyle* pOld, LPCTSTR, int) override
    {
        delete pOld;
        return new CFakeCommand("ChangeBaseStyle");
    }
    CObject* CreateSetRowHeightCmd(CGXGridCore*, ROWCOL, ROWCOL, CDWordArray* p, int) override
    {
        delete p;
        return new CFakeCommand("SetRowHeight");
    }
    CObject* CreateSetDefaultRowHeightCmd(CGXGridCore*, int, int) override { return new CFakeCommand("DefaultRowHeight"); }
    CObject* CreateSetColWidthCmd(CGXGridCore*, ROWCOL, ROWCOL, CDWordArray* p, int) override
    {
        delete p;
        return new CFakeCommand("SetColWidth");
    }
    CObject* CreateSetDefaultColWidthCmd(CGXGridCore*, int, int) override { return new CFakeCommand("DefaultColWidth"); }
    CObject* CreateHideRowsCmd(CGXGridCore*, ROWCOL nFrom, ROWCOL nTo, CByteArray* pOld, int) override
    {
        return new CFakeCommand("HideRows " + std::to_string(nFrom) + ".." + std::to_string(nTo) + " " + Flags(pOld));
    }
    CObject* CreateHideColsCmd(CGXGridCore*, ROWCOL nFrom, ROWCOL nTo, CByteArray* pOld, int) override
    {
        return new CFakeCommand("HideCols " + std::to_string(nFrom) + ".." + std::to_string(nTo) + " " + Flags(pOld));
    }
    CObject* CreateBlockCmd(LPCTSTR pszName) override { return new CFakeCommand(std::string("Block ") + pszName); }
    CObject* CreateMoveRowsCmd(CGXGridCore*, ROWCOL, ROWCOL, ROWCOL, int) override
    {
        return new CFakeCommand("MoveRows");
    }
    CObject* CreateMoveColsCmd(CGXGridCore*, ROWCOL, ROWCOL, ROWCOL, int) override
    {
        return new CFakeCommand("MoveCols");
    }
    CObject* CreateSetCoveredCellsCmd(CGXGridCore*, ROWCOL, ROWCOL, ROWCOL, ROWCOL, int) override
    {
        return new CFakeCommand("SetCoveredCells");
    }
    CObject* CreateMoveDataRowsCmd(CGXGridCore*, const CGXRange&, CDWordArray* pIndex, int) override
    {
        delete pIndex;
        return new CFakeCommand("MoveDataRows");
    }
    CObject* CreateMoveDataColsCmd(CGXGridCore*, const CGXRange&, CDWordArray* pIndex, int) override
    {
        delete pIndex;
        return new CFakeCommand("MoveDataCols");
    }
    CObject* CreateMoveCellsCmd(CGXGridCore*, const CGXRange&, ROWCOL, ROWCOL, CObject* pOverwritten, int) override
    {
        delete pOverwritten;
        return new CFakeCommand("MoveCells");
    }
    CObject* CreateSetRangeNameCmd(CGXGridCore*, LPCTSTR pszName, BOOL, const CGXRange&, int) override
    {
        return new CFakeCommand(std::string("SetRangeName ") + pszName);
    }
    CObject* CreateDeleteRangeNameCmd(CGXGridCore*, LPCTSTR pszName, const CGXRange&, CObject* pObject, int) override
    {
        delete pObject;
        return new CFakeCommand(std::string("DeleteRangeName ") + pszName);
    }
    void EmptyUndoHistory(CGXGridCore*) override { Record("EmptyUndoHistory"); }

private:
    // The saved states of a hide command as "0110", taken over and freed here.
    static std::string Flags(CByteArray* pFlags)
    {
        std::string text;
        for (INT_PTR i = 0; pFlags != nullptr && i < pFlags->GetSize(); ++i)
            text += pFlags->GetAt(i) != 0 ? '1' : '0';
        delete pFlags;
        return text;
    }
    BOOL Record(const std::string& call)
    {
        calls.push_back(call);
        return TRUE;
    }
};

// An initialised engine without a window, with rows and columns.
inline void InitializeEngine(CGXGridCore& grid, ROWCOL nRows, ROWCOL nCols)
{
    GXStartLibrary();
    grid.InitializeGrid();
    grid.SetRowCount(nRows);
    grid.SetColCount(nCols);
}

// Update hints that go nowhere; a test double overrides the hints it wants to see.
class CNullUpdateHintImp : public CGXAbstractGridUpdateHintImp
{
public:
    BOOL HintUpdate(CGXGridCore*, CGXGridHint*) override { return FALSE; }
    void HintInsertRows(CGXGridCore*, ROWCOL, ROWCOL, UINT) override {}
    void HintInsertCols(CGXGridCore*, ROWCOL, ROWCOL, UINT) override {}
    void HintRemoveRows(CGXGridCore*, ROWCOL, ROWCOL, const CDWordArray*, UINT) override {}
    void HintRemoveCols(CGXGridCore*, ROWCOL, ROWCOL, const CDWordArray*, UINT) override {}
    void HintFrozenRows(CGXGridCore*, ROWCOL, ROWCOL, UINT) override {}
    void HintFrozenCols(CGXGridCore*, ROWCOL, ROWCOL, UINT) override {}
    void HintChangedRowCount(CGXGridCore*, ROWCOL, UINT) override {}
    void HintChangedColCount(CGXGridCore*, ROWCOL, UINT) override {}
    void HintStyleRange(CGXGridCore*, const CGXRange&, const CGXStyle*, GXModifyType, int, UINT) override {}
    void HintStylesMap(CGXGridCore*, UINT) override {}
    void HintProperties(CGXGridCore*, UINT) override {}
    void HintBaseStyle(CGXGridCore*, WORD, UINT) override {}
};
