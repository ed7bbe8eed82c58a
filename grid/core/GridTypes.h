#pragma once
// Small types shared by every part of the grid library.

#include <windows.h>

// Row and column indices: unsigned 32-bit, row 0 and column 0 are the headers.
typedef DWORD ROWCOL;

// How one style (or font, or user-attribute map) is merged into another.
enum GXModifyType
{
    gxOverride = 0,  // take every attribute the other one sets
    gxApplyNew = 1,  // take only attributes not set here yet
    gxCopy = 2,      // become a copy of the other one
    gxExclude = 3    // remove every attribute the other one sets
};

// A row or column index that names no cell.
const ROWCOL GX_INVALID = 0xFFFFFFFF;
// The largest row or column count: every index up to it names a cell.
const ROWCOL GX_MAXROWCOL = GX_INVALID - 1;

// Why a changing operation runs; every recording operation takes it last, and the inverse command it
// records goes where the table of the undo framework says.
enum GXCommandType
{
    gxNewAction = 0,  // a new action: to the undo list, the redo list emptied
    gxRollback = 1,   // a transaction rolled back: recorded nowhere
    gxUndo = 2,       // a command of the undo list replayed: to the redo list
    gxRedo = 3        // a command of the redo list replayed: to the undo list
};
