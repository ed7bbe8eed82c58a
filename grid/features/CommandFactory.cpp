#include "grid/features/CommandFactory.h"

#include "framework/core/Exceptions.h"
#include "framework/win/CmdTarget.h"
#include "framework/win/Menu.h"
#include "framework/win/Seams.h"
#include "framework/win/WinApp.h"
#include "framework/win/Wnd.h"
#include "grid/core/AppData.h"
#include "grid/core/Control.h"
#include "grid/core/Data.h"
#include "grid/core/GridCore.h"
#include "grid/core/GridParam.h"
#include "grid/core/LongOperation.h"
#include "grid/core/Properties.h"
#include "grid/core/Range.h"
#include "grid/core/Style.h"
#include "grid/core/StylesMap.h"
#include "grid/features/GridCommand.h"

#include <memory>
#include <new>
#include <utility>

namespace
{
// Removal records are built up to this many rows and columns, and cells.
const ROWCOL maxRecordedLines = 0x7FFF;
const unsigned long long maxRecordedCells = 2147483646ull;

CGXCommand* AsCommand(CObject* pObject)
{
    return pObject != nullptr && pObject->IsKindOf(RUNTIME_CLASS(CGXCommand)) ? static_cast<CGXCommand*>(pObject)
                                                                              : nullptr;
}

CGXBlockCmd* AsBlock(void* pObject)
{
    CObject* p = static_cast<CObject*>(pObject);
    return p != nullptr && p->IsKindOf(RUNTIME_CLASS(CGXBlockCmd)) ? static_cast<CGXBlockCmd*>(p) : nullptr;
}

void DeleteHead(CPtrList& list)
{
    delete static_cast<CObject*>(list.RemoveHead());
}

void DeleteTail(CPtrList& list)
{
    delete static_cast<CObject*>(list.RemoveTail());
}

// The read-only lock is cleared while a command replays, so that a read-only grid can be restored.
class ReadOnlyLockRelease
{
public:
    explicit ReadOnlyLockRelease(CGXGridParam* pParam) : m_pParam(pParam), m_bOld(pParam->IsLockReadOnly())
    {
        m_pParam->SetLockReadOnly(FALSE);
    }
    ~ReadOnlyLockRelease() { m_pParam->SetLockReadOnly(m_bOld); }
    ReadOnlyLockRelease(const ReadOnlyLockRelease&) = delete;
    ReadOnlyLockRelease& operator=(const ReadOnlyLockRelease&) = delete;

private:
    CGXGridParam* m_pParam;
    BOOL m_bOld;
};

} // namespace

// ---- Lists and transactions ----

CPtrList* CGXCommandFactory::TargetList(CGXGridCore* pGrid, int nCommandType)
{
    CGXGridParam* pParam = pGrid->GetParam();
    if (pParam == nullptr)
        return nullptr;
    switch (nCommandType)
    {
    case gxNewAction:
    case gxRedo:
        return &pParam->GetUndoList();
    case gxUndo:
        return &pParam->GetRedoList();
    default:
        // A rollback records nothing.
        return nullptr;
    }
}

CGXCommand* CGXCommandFactory::OpenBlock(CGXGridCore* pGrid, CPtrList& list)
{
    const CGXGridParam* pParam = pGrid->GetParam();
    if (pParam->m_nTransactionLevel <= 0 && !pGrid->m_bBlockReplay && !pGrid->m_bBlockRecording)
        return nullptr;
    return list.IsEmpty() ? nullptr : AsBlock(list.GetHead());
}

BOOL CGXCommandFactory::AddCommand(CGXGridCore* pGrid, CObject* pObject, int nCommandType)
{
    CGXCommand* pCommand = AsCommand(pObject);
    CPtrList* pList = TargetList(pGrid, nCommandType);
    CGXGridParam* pParam = pGrid->GetParam();
    // Commands added while recording is locked belong to a change that records its own.
    if (pCommand == nullptr || pList == nullptr || pParam->m_bUndoRecordingLock)
    {
        delete pObject;
        return FALSE;
    }
    if (nCommandType == gxNewAction)
        pParam->EmptyRedoList();
    if (pCommand->m_pAdvUndo == nullptr)
        pCommand->m_pAdvUndo = GetDataUndoRecord(pGrid);

    try
    {
        if (CGXCommand* pBlock = OpenBlock(pGrid, *pList))
        {
            static_cast<CGXBlockCmd*>(pBlock)->m_CmdList.AddHead(pCommand);
            return TRUE;
        }
        // One command goes per addition: a list holds at most the limit plus one.
        if (static_cast<DWORD>(pList->GetCount()) > pParam->m_nUndoLimit)
            DeleteTail(*pList);
        pCommand->m_bCCell = pGrid->GetCurrentCell(pCommand->m_nRow, pCommand->m_nCol);
        pList->AddHead(pCommand);
    }
    catch (CException* e)
    {
        e->Delete();
        delete pCommand;
        return FALSE;
    }
    catch (const std::bad_alloc&)
    {
        delete pCommand;
        return FALSE;
    }
    return TRUE;
}

BOOL CGXCommandFactory::RemoveLastCommand(CGXGridCore* pGrid, int nCommandType)
{
    CPtrList* pList = TargetList(pGrid, nCommandType);
    if (pList == nullptr)
        return FALSE;
    if (CGXCommand* pBlock = OpenBlock(pGrid, *pList))
    {
        CObList& commands = static_cast<CGXBlockCmd*>(pBlock)->m_CmdList;
        if (commands.IsEmpty())
            return FALSE;
        delete commands.RemoveHead();
        return TRUE;
    }
    if (pList->IsEmpty())
        return FALSE;
    DeleteHead(*pList);
    return TRUE;
}

BOOL CGXCommandFactory::BeginTrans(CGXGridCore* pGrid, LPCTSTR pszName)
{
    CGXGridParam* pParam = pGrid->GetParam();
    if (pParam == nullptr || !pParam->IsEnableUndo())
        return FALSE;
    if (pParam->m_nTransactionLevel > 0)
    {
        ++pParam->m_nTransactionLevel;
        return TRUE;
    }
    CGXBlockCmd* pBlock = new (std::nothrow) CGXBlockCmd(pszName);
    if (pBlock == nullptr)
        return FALSE;
    pBlock->m_bCCell = pGrid->GetCurrentCell(pBlock->m_nRow, pBlock->m_nCol);
    pParam->GetUndoList().AddHead(pBlock);
    pParam->m_nTransactionLevel = 1;
    return TRUE;
}

BOOL CGXCommandFactory::CommitTrans(CGXGridCore* pGrid)
{
    CGXGridParam* pParam = pGrid->GetParam();
    if (pParam == nullptr || pParam->m_nTransactionLevel == 0 || !pParam->IsEnableUndo())
        return FALSE;
    if (--pParam->m_nTransactionLevel >= 1)
        return TRUE;
    pParam->m_nTransactionLevel = 0;
    CPtrList& undo = pParam->GetUndoList();
    if (undo.IsEmpty())
        return TRUE;
    CGXBlockCmd* pBlock = AsBlock(undo.GetHead());
    if (pBlock != nullptr && pBlock->m_CmdList.IsEmpty())
        DeleteHead(undo);
    else if (static_cast<DWORD>(undo.GetCount()) > pParam->m_nUndoLimit)
        DeleteTail(undo);
    return TRUE;
}

BOOL CGXCommandFactory::Rollback(CGXGridCore* pGrid)
{
    CGXGridParam* pParam = pGrid->GetParam();
    if (pParam == nullptr || pParam->m_nTransactionLevel == 0 || !pParam->IsEnableUndo())
        return FALSE;
    // An inner rollback only closes its level; the outermost undoes all the transaction recorded.
    if (--pParam->m_nTransactionLevel >= 1)
        return TRUE;
    pParam->m_nTransactionLevel = 0;
    CPtrList& undo = pParam->GetUndoList();
    if (!undo.IsEmpty())
        if (CGXBlockCmd* pHead = AsBlock(undo.GetHead()))
        {
            undo.RemoveHead();
            const std::unique_ptr<CGXBlockCmd> pBlock(pHead);
            // What follows the cells put back is worked out once they are all back.
            CGXRecalcHold hold(pGrid);
            pBlock->Execute(pGrid, gxRollback);
            hold.Release();
        }
    pGrid->Recalc(TRUE, nullptr, TRUE);
    return TRUE;
}

void CGXCommandFactory::EmptyUndoHistory(CGXGridCore* pGrid)
{
    CGXGridParam* pParam = pGrid->GetParam();
    if (pParam == nullptr)
        return;
    pParam->EmptyRedoList();
    CPtrList& undo = pParam->GetUndoList();
    // An open transaction keeps its block (for the steps still to come), but not what it holds.
    CGXBlockCmd* pOpen = pParam->m_nTransactionLevel > 0 && !undo.IsEmpty() ? AsBlock(undo.GetHead()) : nullptr;
    if (pOpen != nullptr)
        undo.RemoveHead();
    pParam->EmptyUndoList();
    if (pOpen != nullptr)
    {
        for (POSITION pos = pOpen->m_CmdList.GetHeadPosition(); pos != nullptr;)
            delete pOpen->m_CmdList.GetNext(pos);
        pOpen->m_CmdList.RemoveAll();
        undo.AddHead(pOpen);
    }
}

// ---- Undo and redo ----

BOOL CGXCommandFactory::Replay(CGXGridCore* pGrid, BOOL bRedo)
{
    CGXGridParam* pParam = pGrid->GetParam();
    if (pParam == nullptr)
        return FALSE;
    if (pGrid->IsActiveCurrentCell())
    {
        // Undo first takes back a pending edit of the current cell, and only that; Redo gives it up.
        CGXControl* pControl = pGrid->GetCurrentCellControl();
        const BOOL bModified = pControl != nullptr && pControl->GetModify();
        if (!pGrid->EndCurrentCellEditing(FALSE))
            return FALSE;
        if (bModified && !bRedo)
            return TRUE;
    }

    CPtrList& list = bRedo ? pParam->GetRedoList() : pParam->GetUndoList();
    if (list.IsEmpty())
        return FALSE;
    CGXCommand* pCommand = AsCommand(static_cast<CObject*>(list.RemoveHead()));
    if (pCommand == nullptr)
        return FALSE;
    BOOL bDone = FALSE;
    {
        // A step of many cells (a paste, a move, a block of commands) is recalculated once, when every
        // cell is back; the evaluation error of the state it leaves is reported below, by Recalc.
        CGXRecalcHold hold(pGrid);
        try
        {
            bDone = pGrid->ReplayDataUndo(pCommand, pGrid, bRedo ? gxRedo : gxUndo);
        }
        catch (...)
        {
            list.AddHead(pCommand);
            throw;
        }
        if (!bDone)
        {
            list.AddHead(pCommand);
            hold.Release();
        }
        else
        {
            // The step is done: what the recalculation it owes may throw no longer puts it back.
            const std::unique_ptr<CGXCommand> pDone(pCommand);
            hold.Release();
            if (bRedo && pDone->m_bCCell)
                pGrid->MoveCurrentCell(pDone->m_nRow, pDone->m_nCol, GX_SMART | GX_SCROLLINVIEW);
        }
    }
    pGrid->Recalc(TRUE, nullptr, TRUE);
    pGrid->UpdateScrollbars(FALSE, FALSE);
    return bDone;
}

BOOL CGXCommandFactory::Undo(CGXGridCore* pGrid)
{
    return Replay(pGrid, FALSE);
}

BOOL CGXCommandFactory::Redo(CGXGridCore* pGrid)
{
    return Replay(pGrid, TRUE);
}

BOOL CGXCommandFactory::ReplayDataUndo(CObject* pObject, CGXGridCore* pGrid, int nCommandType)
{
    CGXCommand* pCommand = AsCommand(pObject);
    CGXGridParam* pParam = pGrid->GetParam();
    if (pCommand == nullptr || pParam == nullptr)
        return FALSE;
    ReadOnlyLockRelease release(pParam);
    const BOOL bEngineRecord = pGrid->GetData() != nullptr && pCommand->m_pAdvUndo != nullptr;
    auto applyEngineRecord = [&]() {
        const BOOL bSwitch = nCommandType != gxRollback;
        const BOOL bOld = bSwitch ? SetDataUndoRecording(pGrid, TRUE) : FALSE;
        ApplyDataUndoRecord(pGrid, pCommand->m_pAdvUndo, TRUE, FALSE);
        if (bSwitch)
            SetDataUndoRecording(pGrid, bOld);
    };
    // A command that sets stored styles back keeps the cells as it finds them for its inverse, and
    // writes the cells as text: the engine's own cells go back after it, so that its inverse holds
    // what the undone change had made and the engine's cells (formulas) are restored as they were.
    if (bEngineRecord && pCommand->IsKindOf(RUNTIME_CLASS(CGXSetStyleRangeCmd)))
    {
        const BOOL bResult = pCommand->Execute(pGrid, static_cast<GXCommandType>(nCommandType));
        applyEngineRecord();
        return bResult;
    }
    if (bEngineRecord)
        applyEngineRecord();
    return pCommand->Execute(pGrid, static_cast<GXCommandType>(nCommandType));
}

BOOL CGXCommandFactory::RestoreCurrentCell(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol, BOOL bMove)
{
    if (pGrid->m_bBlockReplay)
    {
        pGrid->m_nPendingRow = nRow;
        pGrid->m_nPendingCol = nCol;
        pGrid->m_bPendingSetCurrent = bMove;
        pGrid->m_bPendingCell = TRUE;
        return TRUE;
    }
    if (bMove && !pGrid->IsCurrentCell(nRow, nCol))
        pGrid->MoveCurrentCell(nRow, nCol, GX_SMART | GX_SCROLLINVIEW);
    else
        pGrid->ScrollCellInView(nRow, nCol, GX_SMART);
    if (HWND hWnd = pGrid->GridWnd() != nullptr ? pGrid->GridWnd()->GetSafeHwnd() : nullptr)
        ::UpdateWindow(hWnd);
    return TRUE;
}

// ---- The data object's own undo ----

BOOL CGXCommandFactory::SetDataUndoRecording(CGXGridCore* pGrid, BOOL bRecord)
{
    CGXData* pData = pGrid->GetData();
    return pData != nullptr ? pData->SetAdvancedUndo(bRecord) : FALSE;
}

CObject* CGXCommandFactory::GetDataUndoRecord(CGXGridCore* pGrid)
{
    CGXData* pData = pGrid->GetData();
    return pData != nullptr ? pData->GetAdvancedUndoInfo() : nullptr;
}

BOOL CGXCommandFactory::ApplyDataUndoRecord(CGXGridCore* pGrid, CObject* pRecord, BOOL bCreateUndo, int nFlag)
{
    CGXData* pData = pGrid->GetData();
    return pRecord != nullptr && pData != nullptr && pData->UndoAdvanced(pRecord, bCreateUndo, nFlag);
}

BOOL CGXCommandFactory::DeleteDataUndoRecord(CGXGridCore* pGrid)
{
    delete GetDataUndoRecord(pGrid);
    return TRUE;
}

BOOL CGXCommandFactory::LockRecording(CGXGridCore* pGrid, BOOL bLock)
{
    CGXGridParam* pParam = pGrid->GetParam();
    if (pParam == nullptr)
        return FALSE;
    const BOOL bOld = pParam->m_bUndoRecordingLock;
    pParam->m_bUndoRecordingLock = bLock;
    return bOld;
}

BOOL CGXCommandFactory::RestoreCoveredCells(CGXGridCore* pGrid, CObject* pRecord, BOOL, BOOL bUpdate)
{
    CGXGridParam* pParam = pGrid->GetParam();
    if (pParam == nullptr || pRecord == nullptr || !pRecord->IsKindOf(RUNTIME_CLASS(CGXRangeList)))
        return FALSE;
    pParam->m_CoveredCellsList = *static_cast<CGXRangeList*>(pRecord);
    pParam->SyncCoveredCellPool();
    if (bUpdate)
        pGrid->RedrawGrid(GX_INVALIDATE, FALSE);
    return TRUE;
}

// ---- Menu texts ----

BOOL CGXCommandFactory::UpdateMenuText(CGXGridCore* pGrid, CCmdUI* pCmdUI, BOOL bRedo)
{
    CGXGridParam* pParam = pGrid->GetParam();
    if (pParam == nullptr)
    {
        if (pCmdUI != nullptr)
            pCmdUI->Enable(FALSE);
        return FALSE;
    }
    CGXControl* pControl = pGrid->IsActiveCurrentCell() ? pGrid->GetCurrentCellControl() : nullptr;
    const BOOL bEditModified = !bRedo && pControl != nullptr && pControl->GetModify();
    CPtrList& list = bRedo ? pParam->GetRedoList() : pParam->GetUndoList();
    const BOOL bEnable = bEditModified || !list.IsEmpty();

    if (pCmdUI == nullptr)
        return bEnable;
    if (pCmdUI->m_pMenu != nullptr)
    {
        CString& format = bRedo ? pGrid->m_strRedoMenuFormat : pGrid->m_strUndoMenuFormat;
        if (format.IsEmpty())
        {
            // The item's string: prompt, tip and then the menu text with "%1" for the name.
            CString itemString;
            AfxLoadString(pCmdUI->m_nID, itemString);
            const int nFirst = itemString.Find('\n');
            const int nSecond = nFirst >= 0 ? itemString.Find('\n', nFirst + 1) : -1;
            if (nSecond >= 0)
                format = itemString.Mid(nSecond + 1);
            else
            {
                char szText[256] = {};
                ::GetMenuStringA(pCmdUI->m_pMenu->GetSafeHmenu(), pCmdUI->m_nIndex, szText, sizeof szText,
                                 MF_BYPOSITION);
                format = szText;
                if (format.IsEmpty())
                    format = bRedo ? "Redo %1" : "Undo %1";
            }
        }
        CString name;
        if (bEditModified)
            name = GXGetAppData()->GetOperationText(GX_IDS_CURRENTCELLCMD);
        else if (!list.IsEmpty())
            if (CGXCommand* pNewest = AsCommand(static_cast<CObject*>(list.GetHead())))
                name = pNewest->GetName();
        pCmdUI->SetText(GXReplaceArg1(format, name));
    }
    pCmdUI->Enable(bEnable);
    return bEnable;
}

BOOL CGXCommandFactory::UpdateUndoMenuText(CGXGridCore* pGrid, CCmdUI* pCmdUI)
{
    return UpdateMenuText(pGrid, pCmdUI, FALSE);
}

BOOL CGXCommandFactory::UpdateRedoMenuText(CGXGridCore* pGrid, CCmdUI* pCmdUI)
{
    return UpdateMenuText(pGrid, pCmdUI, TRUE);
}

// ---- What a removal loses ----

BOOL CGXCommandFactory::SaveRemoved(CGXGridCore* pGrid, BOOL bRows, ROWCOL nFrom, ROWCOL nTo, CDWordArray*& pSizes,
                                    CObArray*& pCellStyles, CObArray*& pBaseStyles, ROWCOL& nOtherCount)
{
    pSizes = nullptr;
    pCellStyles = nullptr;
    pBaseStyles = nullptr;
    nOtherCount = 0;
    CGXGridParam* pParam = pGrid->GetParam();
    if (pParam == nullptr || nTo < nFrom)
        return FALSE;
    const WORD wKeep = bRows ? pParam->m_nUndoRemoveRowsLimit : pParam->m_nUndoRemoveColsLimit;
    const BOOL bKeepCells = (wKeep & 2) != 0;
    const BOOL bKeepBaseStyles = (wKeep & 1) != 0;
    const ROWCOL nCount = nTo - nFrom + 1;
    // The other dimension with its header (row 0 or column 0), so that header cells come back too.
    const ROWCOL nOther = (bRows ? pGrid->GetColCount() : pGrid->GetRowCount()) + 1;
    const unsigned long long nCells = static_cast<unsigned long long>(nCount) * nOther;

    auto freeKept = [&]() {
        FreeSavedData(pSizes, pCellStyles, pBaseStyles);
        pSizes = nullptr;
        pCellStyles = nullptr;
        pBaseStyles = nullptr;
    };
    // A change the engineer lets go on without a record leaves nothing older to replay against it.
    auto goOnWithoutRecord = [&]() {
        freeKept();
        if (AfxMessageBox(GX_IDS_UNDOTOOLARGE, MB_OKCANCEL) == IDCANCEL)
            return FALSE;
        EmptyUndoHistory(pGrid);
        return TRUE;
    };
    if (bKeepCells && (nCount > maxRecordedLines || nOther - 1 > maxRecordedLines || nCells > maxRecordedCells))
        return goOnWithoutRecord();

    const CGXMapDWordToLong& storedSizes = bRows ? pParam->m_RowHeights : pParam->m_ColWidths;
    CGXLongOperation operation;
    operation.SetStatusText(GXGetAppData()->GetOperationText(GX_IDS_GENERATINGUNDO), TRUE);
    BOOL bAbort = FALSE;
    const unsigned long long nTotal = (bKeepCells ? nCells : 0) + (bKeepBaseStyles ? nCount : 0) + 1;
    unsigned long long nDone = 0;
    auto stepDone = [&]() {
        ++nDone;
        if (operation.IsTimeElapsed())
        {
            CGXLongOperation::SetPercentDone(static_cast<int>(nDone * 100 / nTotal));
            operation.DoMessagesCheckAbort(bAbort);
        }
        return !bAbort;
    };

    try
    {
        pSizes = new CDWordArray;
        pSizes->SetSize(static_cast<INT_PTR>(nCount));
        for (ROWCOL i = 0; i < nCount; ++i)
        {
            LONG nStored = 0;
            (*pSizes)[static_cast<INT_PTR>(i)] =
                storedSizes.Lookup(nFrom + i, nStored) ? static_cast<DWORD>(nStored) : 0;
        }

        if (bKeepCells)
        {
            pCellStyles = new CObArray;
            pCellStyles->SetSize(static_cast<INT_PTR>(nCells));
            for (ROWCOL i = 0; i < nCount && !bAbort; ++i)
                for (ROWCOL j = 0; j < nOther && stepDone(); ++j)
                {
                    const ROWCOL nRow = bRows ? nFrom + i : j;
                    const ROWCOL nCol = bRows ? j : nFrom + i;
                    // Rows: row by row of the removed rows; columns: row by row of the removed block.
                    const INT_PTR nIndex = bRows ? static_cast<INT_PTR>(i) * nOther + j
                                                 : static_cast<INT_PTR>(j) * nCount + i;
                    CGXStyle* pStyle = pGrid->NewStyle();
                    // As typed, so that a data object that computes values gives back what computes them.
                    if (pGrid->GetStoredStyleRowCol(nRow, nCol, *pStyle, gxCopy, gxDetectValueType))
                        pCellStyles->SetAt(nIndex, pStyle);
                    else
                        pGrid->RecycleStyle(pStyle);
                }
            // The covered ranges as they were, which the removal cuts.
            if (!bAbort && !pParam->m_CoveredCellsList.IsEmpty())
                pCellStyles->Add(new CGXRangeList(pParam->m_CoveredCellsList));
        }

        if (bKeepBaseStyles && !bAbort)
        {
            // Only sizes are kept by now (more lines would have asked above): OK goes on with them.
            if (nCount > maxRecordedLines)
            {
                if (AfxMessageBox(GX_IDS_UNDOTOOLARGE, MB_OKCANCEL) == IDCANCEL)
                {
                    freeKept();
                    return FALSE;
                }
                nOtherCount = nOther;
                return TRUE;
            }
            pBaseStyles = new CObArray;
            pBaseStyles->SetSize(static_cast<INT_PTR>(nCount));
            for (ROWCOL i = 0; i < nCount && stepDone(); ++i)
            {
                CGXStyle* pStyle = pGrid->NewStyle();
                if (pGrid->GetStoredStyleRowCol(bRows ? nFrom + i : 0, bRows ? 0 : nFrom + i, *pStyle, gxCopy,
                                                gxBaseStyleType))
                    pBaseStyles->SetAt(static_cast<INT_PTR>(i), pStyle);
                else
                    pGrid->RecycleStyle(pStyle);
            }
        }
    }
    catch (CMemoryException* e)
    {
        e->Delete();
        return goOnWithoutRecord();
    }
    catch (const std::bad_alloc&)
    {
        return goOnWithoutRecord();
    }

    if (bAbort)
    {
        freeKept();
        return FALSE;
    }
    nOtherCount = nOther;
    return TRUE;
}

BOOL CGXCommandFactory::SaveRemovedRows(CGXGridCore* pGrid, ROWCOL nFromRow, ROWCOL nToRow, CDWordArray*& pHeights,
                                        CObArray*& pCellStyles, CObArray*& pBaseStyles, ROWCOL& nColCount)
{
    return SaveRemoved(pGrid, TRUE, nFromRow, nToRow, pHeights, pCellStyles, pBaseStyles, nColCount);
}

BOOL CGXCommandFactory::SaveRemovedCols(CGXGridCore* pGrid, ROWCOL nFromCol, ROWCOL nToCol, CDWordArray*& pWidths,
                                        CObArray*& pCellStyles, CObArray*& pBaseStyles, ROWCOL& nRowCount)
{
    return SaveRemoved(pGrid, FALSE, nFromCol, nToCol, pWidths, pCellStyles, pBaseStyles, nRowCount);
}

void CGXCommandFactory::FreeSavedData(CDWordArray* pSizes, CObArray* pCellStyles, CObArray* pBaseStyles)
{
    delete pSizes;
    GXDeleteStyleArray(pCellStyles);
    GXDeleteStyleArray(pBaseStyles);
}

// ---- The creators: each takes over what it is given, also when the command cannot be made ----

namespace
{
template <class TCommand, class... TArgs>
TCommand* NewCommand(TArgs&&... args)
{
    return new (std::nothrow) TCommand(std::forward<TArgs>(args)...);
}
} // namespace

CObject* CGXCommandFactory::CreateBlockCmd(LPCTSTR pszName)
{
    return NewCommand<CGXBlockCmd>(pszName);
}

CObject* CGXCommandFactory::CreateSetRowHeightCmd(CGXGridCore*, ROWCOL nFromRow, ROWCOL nToRow,
                                                  CDWordArray* pOldHeights, int)
{
    CObject* pCommand = NewCommand<CGXSetRowHeightCmd>(nFromRow, nToRow, pOldHeights);
    if (pCommand == nullptr)
        delete pOldHeights;
    return pCommand;
}

CObject* CGXCommandFactory::CreateHideRowsCmd(CGXGridCore*, ROWCOL nFromRow, ROWCOL nToRow, CByteArray* pabOldHidden,
                                              int)
{
    CObject* pCommand = NewCommand<CGXHideRowsCmd>(nFromRow, nToRow, pabOldHidden);
    if (pCommand == nullptr)
        delete pabOldHidden;
    return pCommand;
}

CObject* CGXCommandFactory::CreateSetDefaultRowHeightCmd(CGXGridCore*, int nOldHeight, int)
{
    return NewCommand<CGXSetDefaultRowHeightCmd>(nOldHeight);
}

CObject* CGXCommandFactory::CreateSetColWidthCmd(CGXGridCore*, ROWCOL nFromCol, ROWCOL nToCol, CDWordArray* pOldWidths,
                                                 int)
{
    CObject* pCommand = NewCommand<CGXSetColWidthCmd>(nFromCol, nToCol, pOldWidths);
    if (pCommand == nullptr)
        delete pOldWidths;
    return pCommand;
}

CObject* CGXCommandFactory::CreateHideColsCmd(CGXGridCore*, ROWCOL nFromCol, ROWCOL nToCol, CByteArray* pabOldHidden,
                                              int)
{
    CObject* pCommand = NewCommand<CGXHideColsCmd>(nFromCol, nToCol, pabOldHidden);
    if (pCommand == nullptr)
        delete pabOldHidden;
    return pCommand;
}

CObject* CGXCommandFactory::CreateSetDefaultColWidthCmd(CGXGridCore*, int nOldWidth, int)
{
    return NewCommand<CGXSetDefaultColWidthCmd>(nOldWidth);
}

CObject* CGXCommandFactory::CreateMoveRowsCmd(CGXGridCore*, ROWCOL nFromRow, ROWCOL nToRow, ROWCOL nDestRow, int)
{
    return NewCommand<CGXMoveRowsCmd>(nFromRow, nToRow, nDestRow);
}

CObject* CGXCommandFactory::CreateMoveColsCmd(CGXGridCore*, ROWCOL nFromCol, ROWCOL nToCol, ROWCOL nDestCol, int)
{
    return NewCommand<CGXMoveColsCmd>(nFromCol, nToCol, nDestCol);
}

CObject* CGXCommandFactory::CreateRemoveRowsCmd(CGXGridCore*, ROWCOL nFromRow, ROWCOL nToRow, int)
{
    return NewCommand<CGXRemoveRowsCmd>(nFromRow, nToRow);
}

CObject* CGXCommandFactory::CreateRemoveColsCmd(CGXGridCore*, ROWCOL nFromCol, ROWCOL nToCol, int)
{
    return NewCommand<CGXRemoveColsCmd>(nFromCol, nToCol);
}

CObject* CGXCommandFactory::CreateInsertRowsCmd(CGXGridCore*, ROWCOL nRow, ROWCOL nCount, CDWordArray* pHeights,
                                                CObArray* pCellStyles, CObArray* pBaseStyles, ROWCOL nColCount, int)
{
    CObject* pCommand = NewCommand<CGXInsertRowsCmd>(nRow, nCount, pHeights, pCellStyles, pBaseStyles, nColCount);
    if (pCommand == nullptr)
        FreeSavedData(pHeights, pCellStyles, pBaseStyles);
    return pCommand;
}

CObject* CGXCommandFactory::CreateInsertColsCmd(CGXGridCore*, ROWCOL nCol, ROWCOL nCount, CDWordArray* pWidths,
                                                CObArray* pCellStyles, CObArray* pBaseStyles, ROWCOL nRowCount, int)
{
    CObject* pCommand = NewCommand<CGXInsertColsCmd>(nCol, nCount, pWidths, pCellStyles, pBaseStyles, nRowCount);
    if (pCommand == nullptr)
        FreeSavedData(pWidths, pCellStyles, pBaseStyles);
    return pCommand;
}

CObject* CGXCommandFactory::CreateSetCoveredCellsCmd(CGXGridCore*, ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom,
                                                     ROWCOL nRight, int)
{
    return NewCommand<CGXSetCoveredCellsCmd>(nTop, nLeft, nBottom, nRight);
}

CObject* CGXCommandFactory::CreateSetStyleRangeCmd(CGXGridCore*, const CGXRange& range, int nType,
                                                   CObArray* pSavedStyles, int)
{
    CObject* pCommand = NewCommand<CGXSetStyleRangeCmd>(range, nType, pSavedStyles);
    if (pCommand == nullptr)
        GXDeleteStyleArray(pSavedStyles);
    return pCommand;
}

CObject* CGXCommandFactory::CreateFrozenRowsCmd(CGXGridCore*, ROWCOL nOldFrozen, ROWCOL nOldHeader, int)
{
    return NewCommand<CGXSetFrozenRowsCmd>(nOldFrozen, nOldHeader);
}

CObject* CGXCommandFactory::CreateFrozenColsCmd(CGXGridCore*, ROWCOL nOldFrozen, ROWCOL nOldHeader, int)
{
    return NewCommand<CGXSetFrozenColsCmd>(nOldFrozen, nOldHeader);
}

CObject* CGXCommandFactory::CreateMoveDataRowsCmd(CGXGridCore*, const CGXRange& sortRange, CDWordArray* pawIndex, int)
{
    CObject* pCommand = NewCommand<CGXMoveDataRowsCmd>(sortRange, pawIndex);
    if (pCommand == nullptr)
        delete pawIndex;
    return pCommand;
}

CObject* CGXCommandFactory::CreateMoveDataColsCmd(CGXGridCore*, const CGXRange& sortRange, CDWordArray* pawIndex, int)
{
    CObject* pCommand = NewCommand<CGXMoveDataColsCmd>(sortRange, pawIndex);
    if (pCommand == nullptr)
        delete pawIndex;
    return pCommand;
}

CObject* CGXCommandFactory::CreateChangeStylesMapCmd(CGXGridCore*, CObject* pOldStylesMap, int)
{
    CGXStylesMap* pStylesMap = pOldStylesMap != nullptr && pOldStylesMap->IsKindOf(RUNTIME_CLASS(CGXStylesMap))
                                   ? static_cast<CGXStylesMap*>(pOldStylesMap)
                                   : nullptr;
    CObject* pCommand = pStylesMap != nullptr ? NewCommand<CGXChangeStylesMapCmd>(pStylesMap) : nullptr;
    if (pCommand == nullptr)
        delete pOldStylesMap;
    return pCommand;
}

CObject* CGXCommandFactory::CreateChangePropertiesCmd(CGXGridCore*, CObject* pOldProperties, int)
{
    CGXProperties* pProperties = pOldProperties != nullptr && pOldProperties->IsKindOf(RUNTIME_CLASS(CGXProperties))
                                     ? static_cast<CGXProperties*>(pOldProperties)
                                     : nullptr;
    CObject* pCommand = pProperties != nullptr ? NewCommand<CGXChangePropertiesCmd>(pProperties) : nullptr;
    if (pCommand == nullptr)
        delete pOldProperties;
    return pCommand;
}

CObject* CGXCommandFactory::CreateChangeBaseStyleCmd(CGXGridCore*, WORD nBaseStyleId, CGXStyle* pOldStyle,
                                                     LPCTSTR pszName, int)
{
    CObject* pCommand = NewCommand<CGXChangeBaseStyleCmd>(nBaseStyleId, pOldStyle, pszName);
    if (pCommand == nullptr)
        delete pOldStyle;
    return pCommand;
}

CObject* CGXCommandFactory::CreateMoveCellsCmd(CGXGridCore*, const CGXRange& source, ROWCOL nDestRow, ROWCOL nDestCol,
                                               CObject* pOverwritten, int)
{
    CObject* pCommand = NewCommand<CGXMoveCellsCmd>(source, nDestRow, nDestCol, pOverwritten);
    if (pCommand == nullptr)
        delete pOverwritten;
    return pCommand;
}

CObject* CGXCommandFactory::CreateSetRangeNameCmd(CGXGridCore*, LPCTSTR pszName, BOOL bExisted,
                                                  const CGXRange& oldRange, int)
{
    return NewCommand<CGXSetRangeNameCmd>(pszName, bExisted, oldRange);
}

CObject* CGXCommandFactory::CreateDeleteRangeNameCmd(CGXGridCore*, LPCTSTR pszName, const CGXRange& range,
                                                     CObject* pObject, int)
{
    CObject* pCommand = NewCommand<CGXDeleteRangeNameCmd>(pszName, range, pObject);
    if (pCommand == nullptr)
        delete pObject;
    return pCommand;
}

void CGXGridCore::InstallCommandFactory()
{
    if (m_pUndoImp != nullptr)
        return;
    // Without memory the feature is simply missing.
    auto* pImp = new (std::nothrow) CGXCommandFactory;
    if (pImp == nullptr)
        return;
    m_pUndoImp = pImp;
    AddImplementationObject(pImp);
}
