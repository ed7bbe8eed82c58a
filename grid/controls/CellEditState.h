#pragma once
// How the cells that keep their own active and modified flags change them: activating composes the
// cell's style afresh, storing clears the modified flag before the value goes to the grid.

#include "grid/core/Control.h"

namespace GXCellEditState
{
// The cell active when bNew (the caller's condition, a window included), else inactive; a cell that
// becomes active drops its cached style, the grid's style cache told, and composes it again.
void SetActive(CGXControl& control, BOOL& bActive, BOOL bNew);
// Writes the value the control's window holds to its cell: the cell inactive and unmodified first.
// TRUE without writing when the window holds no value.
BOOL StoreWindowValue(CGXControl& control, BOOL& bModified);
// Writes the cached style's value (a copy edited in the cell) to the cell when bEditing and
// modified, then deactivates the cell.
BOOL StoreStyleValue(CGXControl& control, BOOL bEditing, BOOL& bModified);
}  // namespace GXCellEditState
