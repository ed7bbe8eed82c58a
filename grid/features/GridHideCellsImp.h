#pragma once
// Hidden rows and columns: a hidden line is 0 pixels high or wide while its stored size stays, so
// showing it again brings its old size back. The flags are two bit arrays of the parameter object
// (bit n mod 8 of byte n div 8, 1 = hidden; a line past the end is visible), and they follow the
// lines when rows or columns are inserted, removed or moved. One object serves any grid.

#include "grid/core/GridComponents.h"

class CByteArray;

class CGXGridHideCellsImp : public CGXAbstractGridHideCellsImp
{
public:
    void RemoveRowHiddenFlags(CGXGridCore* pGrid, ROWCOL nFromRow, ROWCOL nToRow) override;
    void RemoveColHiddenFlags(CGXGridCore* pGrid, ROWCOL nFromCol, ROWCOL nToCol) override;
    void InsertRowHiddenFlags(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCount) override;
    void InsertColHiddenFlags(CGXGridCore* pGrid, ROWCOL nCol, ROWCOL nCount) override;
    // The block first..last lands at nDest..nDest + count - 1 with its flags.
    void MoveRowHiddenFlags(CGXGridCore* pGrid, ROWCOL nFromRow, ROWCOL nToRow, ROWCOL nDestRow) override;
    void MoveColHiddenFlags(CGXGridCore* pGrid, ROWCOL nFromCol, ROWCOL nToCol, ROWCOL nDestCol) override;
    // Hides (bHide) or shows the run, or gives each line its own state from pabHide (one byte per
    // line, non-zero hidden). A last line of 0 means the first alone. Redraws for the changed sizes
    // and records undo when the grid records it. FALSE, with nothing redrawn or recorded, when no
    // line changed (a last line before the first changes none).
    BOOL HideRows(CGXGridCore* pGrid, ROWCOL nFromRow, ROWCOL nToRow, BOOL bHide, CByteArray* pabHide, UINT nFlags,
                  int nCommandType) override;
    // Lower splitter panes hide the header rows; while printing without column headers row 0 is
    // hidden; otherwise the row's flag decides.
    BOOL IsRowHidden(CGXGridCore* pGrid, ROWCOL nRow) override;
    BOOL StoreHideRow(CGXGridCore* pGrid, ROWCOL nRow, BOOL bHide) override;
    BOOL HideCols(CGXGridCore* pGrid, ROWCOL nFromCol, ROWCOL nToCol, BOOL bHide, CByteArray* pabHide, UINT nFlags,
                  int nCommandType) override;
    BOOL IsColHidden(CGXGridCore* pGrid, ROWCOL nCol) override;
    BOOL StoreHideCol(CGXGridCore* pGrid, ROWCOL nCol, BOOL bHide) override;
};
