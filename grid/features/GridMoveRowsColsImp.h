#pragma once
// Moving a block of rows or columns to another place with everything that travels with it: cells,
// sizes, hidden flags, selected and covered ranges, floating and merged spans; redraw and undo.
// The destination is the index the block's first line has after the move.

#include "grid/core/GridComponents.h"

class CGXGridMoveRowsColsImp : public CGXAbstractGridMoveRowsColsImp
{
public:
    BOOL StoreMoveRows(CGXGridCore* pGrid, ROWCOL nFromRow, ROWCOL nToRow, ROWCOL nDestRow, BOOL bProcessed) override;
    BOOL UpdateMoveRows(CGXGridCore* pGrid, ROWCOL nFromRow, ROWCOL nToRow, ROWCOL nDestRow, UINT nFlags,
                        BOOL bCreateHint) override;
    BOOL StoreMoveCols(CGXGridCore* pGrid, ROWCOL nFromCol, ROWCOL nToCol, ROWCOL nDestCol, BOOL bProcessed) override;
    BOOL UpdateMoveCols(CGXGridCore* pGrid, ROWCOL nFromCol, ROWCOL nToCol, ROWCOL nDestCol, UINT nFlags,
                        BOOL bCreateHint) override;
    BOOL MoveRows(CGXGridCore* pGrid, ROWCOL nFromRow, ROWCOL nToRow, ROWCOL nDestRow, UINT nFlags,
                  int nCommandType) override;
    BOOL MoveCols(CGXGridCore* pGrid, ROWCOL nFromCol, ROWCOL nToCol, ROWCOL nDestCol, UINT nFlags,
                  int nCommandType) override;
};
