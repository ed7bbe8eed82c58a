#pragma once
// Copying and moving blocks of cells inside one grid. The grid-level object records undo, shows the
// status text and redraws; the application-wide data object copies and moves the stored styles.

#include "framework/core/Object.h"
#include "grid/core/AppComponents.h"
#include "grid/core/GridComponents.h"

#include <memory>
#include <vector>

class CGXStyle;

// What a move overwrote: its cells go back when the move is undone.
class CGXDataUndoMoveCellsInfo : public CObject
{
    DECLARE_DYNAMIC(CGXDataUndoMoveCellsInfo)
public:
    CGXDataUndoMoveCellsInfo() = default;
    ~CGXDataUndoMoveCellsInfo() override = default;

    struct SavedCell
    {
        ROWCOL nRow;
        ROWCOL nCol;
        std::unique_ptr<CGXStyle> pStyle;
    };
    std::vector<SavedCell> m_cells;
};

class CGXGridDirectCopyMoveCellsImp : public CGXAbstractGridDirectCopyMoveCellsImp
{
public:
    // One undo step "Copy"; the destination's former styles are what the undo puts back.
    BOOL CopyCells(CGXGridCore* pGrid, CGXRange range, ROWCOL nDestRow, ROWCOL nDestCol, UINT nFlags) override;
    BOOL CopyCellsData(CGXGridCore* pGrid, const CGXRange& range, ROWCOL nDestRow, ROWCOL nDestCol) override;
    // Answers the data move's result; a failed move records nothing.
    BOOL MoveCells(CGXGridCore* pGrid, CGXRange range, ROWCOL nDestRow, ROWCOL nDestCol, CObject* pUndoInfo,
                   UINT nFlags, int nCommandType) override;
    BOOL MoveCellsData(CGXGridCore* pGrid, const CGXRange& range, ROWCOL nDestRow, ROWCOL nDestCol,
                       CObject** ppUndoInfo, BOOL bCreateUndoInfo, int nCommandType) override;
};

// The stored styles of a data object: a copy reads the source as it was before, a move takes the
// whole source out before it writes, so overlapping blocks come out exact.
class CGXDataCopyMoveCellsImp : public CGXAbstractDataCopyMoveCellsImp
{
public:
    BOOL CopyCells(CGXData& data, const CGXRange& range, ROWCOL nToRow, ROWCOL nToCol) override;
    BOOL MoveCells(CGXData& data, const CGXRange& range, ROWCOL nToRow, ROWCOL nToCol, CObject** ppUndoInfo,
                   BOOL bCreateUndoInfo) override;
};

// Installs the application-wide data copier once.
void InstallDataCopyMoveCellsImp();
