#include "grid/features/GridCommand.h"

#include "framework/win/WinApp.h"
#include "grid/core/AppData.h"
#include "grid/core/GridCore.h"
#include "grid/core/GridParam.h"
#include "grid/core/LongOperation.h"
#include "grid/core/Properties.h"
#include "grid/core/Style.h"
#include "grid/core/StylesMap.h"

#include <new>
#include <optional>
#include <vector>

// String-table ids of the commands' display names.
enum : UINT
{
    GX_IDS_CMD_ROWHEIGHTS = 20158,
    GX_IDS_CMD_COLWIDTHS = 20159,
    GX_IDS_CMD_DEFAULTROWHEIGHT = 20160,
    GX_IDS_CMD_DEFAULTCOLWIDTH = 20161,
    GX_IDS_CMD_MOVEROWS = 20162,
    GX_IDS_CMD_MOVECOLS = 20163,
    GX_IDS_CMD_INSERTROWS = 20164,
    GX_IDS_CMD_INSERTCOLS = 20165,
    GX_IDS_CMD_COVERCELLS = 20166,
    GX_IDS_CMD_CELLS = 20167,
    GX_IDS_CMD_FREEZECOLS = 20168,
    GX_IDS_CMD_FREEZEROWS = 20169,
    GX_IDS_CMD_HIDEROWS = 20170,
    GX_IDS_CMD_HIDECOLS = 20171,
    GX_IDS_CMD_MOVE = 20179,
    GX_IDS_CMD_SORTROWS = 20181,
    GX_IDS_CMD_SORTCOLS = 20182,
    GX_IDS_CMD_STYLESMAP = 20185,
    GX_IDS_CMD_PROPERTIES = 20186,
    GX_IDS_CMD_SETRANGENAME = 20188,
    GX_IDS_CMD_DELETERANGENAME = 20189
};

// The display name of a command class: loaded on first use and kept for the life of the program.
#define GX_COMMAND_NAME(theClass, nId)                                                                      \
    CString theClass::GetName()                                                                             \
    {                                                                                                       \
        static const CString name = LoadName(nId);                                                         \
        return name;                                                                                        \
    }

namespace
{
// Every replay asks the grid's operation for an immediate, optimized redraw.
const UINT replayFlags = 2;

std::vector<int> ToInts(const CDWordArray* pSizes)
{
    std::vector<int> sizes;
    for (INT_PTR i = 0; pSizes != nullptr && i < pSizes->GetSize(); ++i)
        sizes.push_back(static_cast<int>(pSizes->GetAt(i)));
    return sizes;
}
} // namespace

void GXDeleteStyleArray(CObArray* pStyles)
{
    if (pStyles == nullptr)
        return;
    for (INT_PTR i = 0; i < pStyles->GetSize(); ++i)
        delete pStyles->GetAt(i);
    delete pStyles;
}

CString GXReplaceArg1(const CString& format, LPCTSTR pszArg)
{
    CString result;
    for (LPCTSTR p = format; *p != '\0'; ++p)
    {
        if (p[0] == '%' && p[1] == '1')
        {
            result += pszArg != nullptr ? pszArg : "";
            ++p;
        }
        else
            result += *p;
    }
    return result;
}

// ---- CGXCommand ----

IMPLEMENT_DYNAMIC(CGXCommand, CObject)

CGXCommand::~CGXCommand()
{
    delete m_pAdvUndo;
}

CString CGXCommand::LoadName(UINT nId)
{
    CString name;
    if (!AfxLoadString(nId, name) || name.IsEmpty())
        name = " ";
    return name;
}

// ---- CGXBlockCmd ----

IMPLEMENT_DYNAMIC(CGXBlockCmd, CGXCommand)

CGXBlockCmd::CGXBlockCmd(LPCTSTR pszName) : m_sName(pszName != nullptr ? pszName : "Block")
{
}

CGXBlockCmd::~CGXBlockCmd()
{
    for (POSITION pos = m_CmdList.GetHeadPosition(); pos != nullptr;)
        delete m_CmdList.GetNext(pos);
    m_CmdList.RemoveAll();
}

BOOL CGXBlockCmd::Execute(CGXGridCore* pGrid, GXCommandType ctType)
{
    CGXGridParam* pParam = pGrid->GetParam();
    if (pParam == nullptr)
        return FALSE;

    CGXLongOperation operation;
    const CGXAppData* pAppData = GXGetAppData();
    if (ctType == gxUndo)
        operation.SetStatusText(GXReplaceArg1(pAppData->GetOperationText(GX_IDS_UNDOING), m_sName), TRUE);
    else if (ctType == gxRedo)
        operation.SetStatusText(GXReplaceArg1(pAppData->GetOperationText(GX_IDS_REDOING), m_sName), TRUE);
    else
        operation.SetStatusText(m_sName, TRUE);

    // The inverse commands gather in a block of the same name on the other list.
    CGXBlockCmd* pInverse = nullptr;
    CPtrList* pInverseList = nullptr;
    if ((ctType == gxUndo || ctType == gxRedo) && pParam->IsEnableUndo())
    {
        pInverse = new (std::nothrow) CGXBlockCmd(m_sName);
        if (pInverse != nullptr)
        {
            pInverse->m_bCCell = pGrid->GetCurrentCell(pInverse->m_nRow, pInverse->m_nCol);
            pInverseList = ctType == gxUndo ? &pParam->GetRedoList() : &pParam->GetUndoList();
            pInverseList->AddHead(pInverse);
        }
    }

    const BOOL bOuterReplay = pGrid->m_bBlockReplay;
    if (!bOuterReplay)
        pGrid->m_bPendingCell = FALSE;
    // Replaying, and (for several commands) under the redraw lock, however the replay ends.
    std::optional<CGXFlagScope> replaying(std::in_place, pGrid->m_bBlockReplay, TRUE);
    const INT_PTR nCount = m_CmdList.GetCount();
    CGXLockUpdateScope lock(pGrid, nCount > 1);
    if (nCount > 1)
        CGXLongOperation::IgnoreNestedLevels(TRUE);

    BOOL bResult = TRUE;
    INT_PTR nProgress = 0;
    for (POSITION pos = m_CmdList.GetHeadPosition(); pos != nullptr && bResult;)
    {
        bResult = pGrid->ReplayDataUndo(m_CmdList.GetNext(pos), pGrid, ctType);
        nProgress += 100;
        if (operation.IsTimeElapsed())
        {
            CGXLongOperation::SetPercentDone(static_cast<int>(nProgress / nCount));
            operation.DoMessages();
        }
    }

    // A block that failed part-way takes back what it replayed, so that the grid is as before and the
    // block can go back on its list.
    if (!bResult && pInverse != nullptr)
    {
        if (POSITION pos = pInverseList->Find(pInverse))
            pInverseList->RemoveAt(pos);
        pInverse->Execute(pGrid, gxRollback);
        delete pInverse;
    }

    if (nCount > 1)
    {
        CGXLongOperation::IgnoreNestedLevels(FALSE);
        lock.Restore();
        pGrid->RedrawGrid(GX_SMART, TRUE);
    }

    replaying.reset();
    if (!bOuterReplay && pGrid->m_bPendingCell)
    {
        pGrid->m_bPendingCell = FALSE;
        pGrid->RestoreCurrentCell(pGrid->m_nPendingRow, pGrid->m_nPendingCol, pGrid->m_bPendingSetCurrent);
    }
    return bResult;
}

// ---- Sizes and hidden lines ----

IMPLEMENT_DYNAMIC(CGXSetRowHeightCmd, CGXCommand)

CGXSetRowHeightCmd::CGXSetRowHeightCmd(ROWCOL nFromRow, ROWCOL nToRow, CDWordArray* pOldHeights)
    : m_nFromRow(nFromRow), m_nToRow(nToRow), m_pOldHeights(pOldHeights)
{
}

CGXSetRowHeightCmd::~CGXSetRowHeightCmd()
{
    delete m_pOldHeights;
}

BOOL CGXSetRowHeightCmd::Execute(CGXGridCore* pGrid, GXCommandType ctType)
{
    const std::vector<int> heights = ToInts(m_pOldHeights);
    if (heights.size() < static_cast<size_t>(m_nToRow - m_nFromRow) + 1)
        return FALSE;
    return pGrid->SetRowHeight(m_nFromRow, m_nToRow, 0, heights.data(), replayFlags, ctType);
}

GX_COMMAND_NAME(CGXSetRowHeightCmd, GX_IDS_CMD_ROWHEIGHTS)

IMPLEMENT_DYNAMIC(CGXHideRowsCmd, CGXCommand)

CGXHideRowsCmd::CGXHideRowsCmd(ROWCOL nFromRow, ROWCOL nToRow, CByteArray* pOldHidden)
    : m_nFromRow(nFromRow), m_nToRow(nToRow), m_pOldHidden(pOldHidden)
{
}

CGXHideRowsCmd::~CGXHideRowsCmd()
{
    delete m_pOldHidden;
}

BOOL CGXHideRowsCmd::Execute(CGXGridCore* pGrid, GXCommandType ctType)
{
    return pGrid->HideRows(m_nFromRow, m_nToRow, FALSE, m_pOldHidden, replayFlags, ctType);
}

GX_COMMAND_NAME(CGXHideRowsCmd, GX_IDS_CMD_HIDEROWS)

IMPLEMENT_DYNAMIC(CGXSetDefaultRowHeightCmd, CGXCommand)

CGXSetDefaultRowHeightCmd::CGXSetDefaultRowHeightCmd(int nOldHeight) : m_nOldHeight(nOldHeight)
{
}

BOOL CGXSetDefaultRowHeightCmd::Execute(CGXGridCore* pGrid, GXCommandType ctType)
{
    return pGrid->ChangeDefaultRowHeight(m_nOldHeight, replayFlags, ctType);
}

GX_COMMAND_NAME(CGXSetDefaultRowHeightCmd, GX_IDS_CMD_DEFAULTROWHEIGHT)

IMPLEMENT_DYNAMIC(CGXSetColWidthCmd, CGXCommand)

CGXSetColWidthCmd::CGXSetColWidthCmd(ROWCOL nFromCol, ROWCOL nToCol, CDWordArray* pOldWidths)
    : m_nFromCol(nFromCol), m_nToCol(nToCol), m_pOldWidths(pOldWidths)
{
}

CGXSetColWidthCmd::~CGXSetColWidthCmd()
{
    delete m_pOldWidths;
}

BOOL CGXSetColWidthCmd::Execute(CGXGridCore* pGrid, GXCommandType ctType)
{
    const std::vector<int> widths = ToInts(m_pOldWidths);
    if (widths.size() < static_cast<size_t>(m_nToCol - m_nFromCol) + 1)
        return FALSE;
    return pGrid->SetColWidth(m_nFromCol, m_nToCol, 0, widths.data(), replayFlags, ctType);
}

GX_COMMAND_NAME(CGXSetColWidthCmd, GX_IDS_CMD_COLWIDTHS)

IMPLEMENT_DYNAMIC(CGXHideColsCmd, CGXCommand)

CGXHideColsCmd::CGXHideColsCmd(ROWCOL nFromCol, ROWCOL nToCol, CByteArray* pOldHidden)
    : m_nFromCol(nFromCol), m_nToCol(nToCol), m_pOldHidden(pOldHidden)
{
}

CGXHideColsCmd::~CGXHideColsCmd()
{
    delete m_pOldHidden;
}

BOOL CGXHideColsCmd::Execute(CGXGridCore* pGrid, GXCommandType ctType)
{
    return pGrid->HideCols(m_nFromCol, m_nToCol, FALSE, m_pOldHidden, replayFlags, ctType);
}

GX_COMMAND_NAME(CGXHideColsCmd, GX_IDS_CMD_HIDECOLS)

IMPLEMENT_DYNAMIC(CGXSetDefaultColWidthCmd, CGXCommand)

CGXSetDefaultColWidthCmd::CGXSetDefaultColWidthCmd(int nOldWidth) : m_nOldWidth(nOldWidth)
{
}

BOOL CGXSetDefaultColWidthCmd::Execute(CGXGridCore* pGrid, GXCommandType ctType)
{
    return pGrid->ChangeDefaultColWidth(m_nOldWidth, replayFlags, ctType);
}

GX_COMMAND_NAME(CGXSetDefaultColWidthCmd, GX_IDS_CMD_DEFAULTCOLWIDTH)

// ---- Moving, inserting and removing rows and columns ----

IMPLEMENT_DYNAMIC(CGXMoveRowsCmd, CGXCommand)

CGXMoveRowsCmd::CGXMoveRowsCmd(ROWCOL nFromRow, ROWCOL nToRow, ROWCOL nDestRow)
    : m_nFromRow(nFromRow), m_nToRow(nToRow), m_nDestRow(nDestRow)
{
}

BOOL CGXMoveRowsCmd::Execute(CGXGridCore* pGrid, GXCommandType ctType)
{
    return pGrid->MoveRows(m_nFromRow, m_nToRow, m_nDestRow, replayFlags, ctType);
}

GX_COMMAND_NAME(CGXMoveRowsCmd, GX_IDS_CMD_MOVEROWS)

IMPLEMENT_DYNAMIC(CGXMoveColsCmd, CGXCommand)

CGXMoveColsCmd::CGXMoveColsCmd(ROWCOL nFromCol, ROWCOL nToCol, ROWCOL nDestCol)
    : m_nFromCol(nFromCol), m_nToCol(nToCol), m_nDestCol(nDestCol)
{
}

BOOL CGXMoveColsCmd::Execute(CGXGridCore* pGrid, GXCommandType ctType)
{
    return pGrid->MoveCols(m_nFromCol, m_nToCol, m_nDestCol, replayFlags, ctType);
}

GX_COMMAND_NAME(CGXMoveColsCmd, GX_IDS_CMD_MOVECOLS)

IMPLEMENT_DYNAMIC(CGXRemoveRowsCmd, CGXCommand)

CGXRemoveRowsCmd::CGXRemoveRowsCmd(ROWCOL nFromRow, ROWCOL nToRow) : m_nFromRow(nFromRow), m_nToRow(nToRow)
{
}

BOOL CGXRemoveRowsCmd::Execute(CGXGridCore* pGrid, GXCommandType ctType)
{
    return pGrid->RemoveRows(m_nFromRow, m_nToRow, replayFlags, ctType);
}

GX_COMMAND_NAME(CGXRemoveRowsCmd, GX_IDS_CMD_INSERTROWS)

IMPLEMENT_DYNAMIC(CGXRemoveColsCmd, CGXCommand)

CGXRemoveColsCmd::CGXRemoveColsCmd(ROWCOL nFromCol, ROWCOL nToCol) : m_nFromCol(nFromCol), m_nToCol(nToCol)
{
}

BOOL CGXRemoveColsCmd::Execute(CGXGridCore* pGrid, GXCommandType ctType)
{
    return pGrid->RemoveCols(m_nFromCol, m_nToCol, replayFlags, ctType);
}

GX_COMMAND_NAME(CGXRemoveColsCmd, GX_IDS_CMD_INSERTCOLS)

IMPLEMENT_DYNAMIC(CGXInsertRowsCmd, CGXCommand)

CGXInsertRowsCmd::CGXInsertRowsCmd(ROWCOL nRow, ROWCOL nCount, CDWordArray* pHeights, CObArray* pCellStyles,
                                   CObArray* pRowStyles, ROWCOL nColCount)
    : m_nRow(nRow),
      m_nCount(nCount),
      m_pHeights(pHeights),
      m_pCellStyles(pCellStyles),
      m_pRowStyles(pRowStyles),
      m_nColCount(nColCount)
{
}

CGXInsertRowsCmd::~CGXInsertRowsCmd()
{
    delete m_pHeights;
    GXDeleteStyleArray(m_pCellStyles);
    GXDeleteStyleArray(m_pRowStyles);
}

BOOL CGXInsertRowsCmd::Execute(CGXGridCore* pGrid, GXCommandType ctType)
{
    return pGrid->InsertRows(m_nRow, m_nCount, m_pHeights, m_pCellStyles, m_pRowStyles, m_nColCount, replayFlags,
                             ctType);
}

CString CGXInsertRowsCmd::GetName()
{
    return GXGetAppData()->GetOperationText(GX_IDS_REMOVINGROWS);
}

IMPLEMENT_DYNAMIC(CGXInsertColsCmd, CGXCommand)

CGXInsertColsCmd::CGXInsertColsCmd(ROWCOL nCol, ROWCOL nCount, CDWordArray* pWidths, CObArray* pCellStyles,
                                   CObArray* pColStyles, ROWCOL nRowCount)
    : m_nCol(nCol),
      m_nCount(nCount),
      m_pWidths(pWidths),
      m_pCellStyles(pCellStyles),
      m_pColStyles(pColStyles),
      m_nRowCount(nRowCount)
{
}

CGXInsertColsCmd::~CGXInsertColsCmd()
{
    delete m_pWidths;
    GXDeleteStyleArray(m_pCellStyles);
    GXDeleteStyleArray(m_pColStyles);
}

BOOL CGXInsertColsCmd::Execute(CGXGridCore* pGrid, GXCommandType ctType)
{
    return pGrid->InsertCols(m_nCol, m_nCount, m_pWidths, m_pCellStyles, m_pColStyles, m_nRowCount, replayFlags,
                             ctType);
}

CString CGXInsertColsCmd::GetName()
{
    return GXGetAppData()->GetOperationText(GX_IDS_REMOVINGCOLS);
}

// ---- Cells ----

IMPLEMENT_DYNAMIC(CGXSetCoveredCellsCmd, CGXCommand)

CGXSetCoveredCellsCmd::CGXSetCoveredCellsCmd(ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight)
    : m_nTop(nTop), m_nLeft(nLeft), m_nBottom(nBottom), m_nRight(nRight)
{
}

BOOL CGXSetCoveredCellsCmd::Execute(CGXGridCore* pGrid, GXCommandType ctType)
{
    return pGrid->SetCoveredCellsRowCol(m_nTop, m_nLeft, m_nBottom, m_nRight, replayFlags, ctType);
}

GX_COMMAND_NAME(CGXSetCoveredCellsCmd, GX_IDS_CMD_COVERCELLS)

IMPLEMENT_DYNAMIC(CGXSetStyleRangeCmd, CGXCommand)

CGXSetStyleRangeCmd::CGXSetStyleRangeCmd(const CGXRange& range, int nType, CObArray* pOldStyles)
    : m_range(range), m_nType(nType), m_pOldStyles(pOldStyles)
{
}

CGXSetStyleRangeCmd::~CGXSetStyleRangeCmd()
{
    GXDeleteStyleArray(m_pOldStyles);
}

BOOL CGXSetStyleRangeCmd::Execute(CGXGridCore* pGrid, GXCommandType ctType)
{
    return pGrid->SetStyleRange(m_range, nullptr, gxCopy, m_nType, m_pOldStyles, replayFlags, ctType);
}

GX_COMMAND_NAME(CGXSetStyleRangeCmd, GX_IDS_CMD_CELLS)

IMPLEMENT_DYNAMIC(CGXSetFrozenRowsCmd, CGXCommand)

CGXSetFrozenRowsCmd::CGXSetFrozenRowsCmd(ROWCOL nFrozenRows, ROWCOL nHeaderRows)
    : m_nFrozenRows(nFrozenRows), m_nHeaderRows(nHeaderRows)
{
}

BOOL CGXSetFrozenRowsCmd::Execute(CGXGridCore* pGrid, GXCommandType ctType)
{
    return pGrid->SetFrozenRows(m_nFrozenRows, m_nHeaderRows, replayFlags, ctType);
}

GX_COMMAND_NAME(CGXSetFrozenRowsCmd, GX_IDS_CMD_FREEZEROWS)

IMPLEMENT_DYNAMIC(CGXSetFrozenColsCmd, CGXCommand)

CGXSetFrozenColsCmd::CGXSetFrozenColsCmd(ROWCOL nFrozenCols, ROWCOL nHeaderCols)
    : m_nFrozenCols(nFrozenCols), m_nHeaderCols(nHeaderCols)
{
}

BOOL CGXSetFrozenColsCmd::Execute(CGXGridCore* pGrid, GXCommandType ctType)
{
    return pGrid->SetFrozenCols(m_nFrozenCols, m_nHeaderCols, replayFlags, ctType);
}

GX_COMMAND_NAME(CGXSetFrozenColsCmd, GX_IDS_CMD_FREEZECOLS)

IMPLEMENT_DYNAMIC(CGXMoveDataRowsCmd, CGXCommand)

CGXMoveDataRowsCmd::CGXMoveDataRowsCmd(const CGXRange& sortRange, CDWordArray* pawIndex)
    : m_sortRange(sortRange), m_pawIndex(pawIndex)
{
}

CGXMoveDataRowsCmd::~CGXMoveDataRowsCmd()
{
    delete m_pawIndex;
}

BOOL CGXMoveDataRowsCmd::Execute(CGXGridCore* pGrid, GXCommandType ctType)
{
    return m_pawIndex != nullptr && pGrid->MoveDataRows(m_sortRange, *m_pawIndex, replayFlags, ctType);
}

GX_COMMAND_NAME(CGXMoveDataRowsCmd, GX_IDS_CMD_SORTROWS)

IMPLEMENT_DYNAMIC(CGXMoveDataColsCmd, CGXCommand)

CGXMoveDataColsCmd::CGXMoveDataColsCmd(const CGXRange& sortRange, CDWordArray* pawIndex)
    : m_sortRange(sortRange), m_pawIndex(pawIndex)
{
}

CGXMoveDataColsCmd::~CGXMoveDataColsCmd()
{
    delete m_pawIndex;
}

BOOL CGXMoveDataColsCmd::Execute(CGXGridCore* pGrid, GXCommandType ctType)
{
    return m_pawIndex != nullptr && pGrid->MoveDataCols(m_sortRange, *m_pawIndex, replayFlags, ctType);
}

GX_COMMAND_NAME(CGXMoveDataColsCmd, GX_IDS_CMD_SORTCOLS)

// ---- Styles map, properties and base styles ----

IMPLEMENT_DYNAMIC(CGXChangeStylesMapCmd, CGXCommand)

CGXChangeStylesMapCmd::CGXChangeStylesMapCmd(CGXStylesMap* pStylesMap) : m_pStylesMap(pStylesMap)
{
}

CGXChangeStylesMapCmd::~CGXChangeStylesMapCmd()
{
    delete m_pStylesMap;
}

BOOL CGXChangeStylesMapCmd::Execute(CGXGridCore* pGrid, GXCommandType ctType)
{
    if (m_pStylesMap == nullptr || !pGrid->ChangeStylesMap(m_pStylesMap, replayFlags, ctType))
        return FALSE;
    // The parameter object owns the map now.
    m_pStylesMap = nullptr;
    return TRUE;
}

GX_COMMAND_NAME(CGXChangeStylesMapCmd, GX_IDS_CMD_STYLESMAP)

IMPLEMENT_DYNAMIC(CGXChangePropertiesCmd, CGXCommand)

CGXChangePropertiesCmd::CGXChangePropertiesCmd(CGXProperties* pProperties) : m_pProperties(pProperties)
{
}

CGXChangePropertiesCmd::~CGXChangePropertiesCmd()
{
    delete m_pProperties;
}

BOOL CGXChangePropertiesCmd::Execute(CGXGridCore* pGrid, GXCommandType ctType)
{
    if (m_pProperties == nullptr || !pGrid->ChangeProperties(m_pProperties, replayFlags, ctType))
        return FALSE;
    m_pProperties = nullptr;
    return TRUE;
}

GX_COMMAND_NAME(CGXChangePropertiesCmd, GX_IDS_CMD_PROPERTIES)

IMPLEMENT_DYNAMIC(CGXChangeBaseStyleCmd, CGXCommand)

CGXChangeBaseStyleCmd::CGXChangeBaseStyleCmd(WORD nBaseStyleId, CGXStyle* pOldStyle, LPCTSTR pszName)
    : m_pBaseStyle(pOldStyle), m_sName(pszName != nullptr ? pszName : ""), m_nBaseStyleId(nBaseStyleId)
{
}

CGXChangeBaseStyleCmd::~CGXChangeBaseStyleCmd()
{
    delete m_pBaseStyle;
}

BOOL CGXChangeBaseStyleCmd::Execute(CGXGridCore* pGrid, GXCommandType ctType)
{
    return m_pBaseStyle != nullptr &&
           pGrid->ChangeBaseStyle(m_nBaseStyleId, *m_pBaseStyle, gxCopy, replayFlags, ctType);
}

IMPLEMENT_DYNAMIC(CGXMoveCellsCmd, CGXCommand)

CGXMoveCellsCmd::CGXMoveCellsCmd(const CGXRange& source, ROWCOL nDestRow, ROWCOL nDestCol, CObject* pOverwritten)
    : m_source(source), m_nDestRow(nDestRow), m_nDestCol(nDestCol), m_pOverwritten(pOverwritten)
{
}

CGXMoveCellsCmd::~CGXMoveCellsCmd()
{
    delete m_pOverwritten;
}

BOOL CGXMoveCellsCmd::Execute(CGXGridCore* pGrid, GXCommandType ctType)
{
    const CGXRange moved(m_nDestRow, m_nDestCol, m_nDestRow + (m_source.bottom - m_source.top),
                         m_nDestCol + (m_source.right - m_source.left));
    CObject* pOverwritten = m_pOverwritten;
    m_pOverwritten = nullptr;
    return pGrid->MoveCells(moved, m_source.top, m_source.left, pOverwritten, replayFlags, ctType);
}

GX_COMMAND_NAME(CGXMoveCellsCmd, GX_IDS_CMD_MOVE)

// ---- Named ranges ----

IMPLEMENT_DYNAMIC(CGXSetRangeNameCmd, CGXCommand)

CGXSetRangeNameCmd::CGXSetRangeNameCmd(LPCTSTR pszName, BOOL bExisted, const CGXRange& oldRange)
    : m_sName(pszName != nullptr ? pszName : ""), m_bExisted(bExisted), m_oldRange(oldRange)
{
}

BOOL CGXSetRangeNameCmd::Execute(CGXGridCore* pGrid, GXCommandType ctType)
{
    if (!m_bExisted)
        return pGrid->DeleteRangeName(m_sName, 0, ctType);
    return pGrid->SetRangeName(m_sName, m_oldRange, nullptr, replayFlags, ctType);
}

GX_COMMAND_NAME(CGXSetRangeNameCmd, GX_IDS_CMD_SETRANGENAME)

IMPLEMENT_DYNAMIC(CGXDeleteRangeNameCmd, CGXCommand)

CGXDeleteRangeNameCmd::CGXDeleteRangeNameCmd(LPCTSTR pszName, const CGXRange& range, CObject* pObject)
    : m_sName(pszName != nullptr ? pszName : ""), m_range(range), m_pObject(pObject)
{
}

CGXDeleteRangeNameCmd::~CGXDeleteRangeNameCmd()
{
    delete m_pObject;
}

BOOL CGXDeleteRangeNameCmd::Execute(CGXGridCore* pGrid, GXCommandType ctType)
{
    if (!pGrid->SetRangeName(m_sName, m_range, m_pObject, replayFlags, ctType))
        return FALSE;
    // The data object keeps the attached object now.
    m_pObject = nullptr;
    return TRUE;
}

GX_COMMAND_NAME(CGXDeleteRangeNameCmd, GX_IDS_CMD_DELETERANGENAME)
