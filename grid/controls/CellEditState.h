#pragma once
// How the cells that keep their own active and modified flags change them: activating composes the
// cell's style afresh, storing clears the modified flag before the value goes to the grid; and where
// the windows of such cells may lie.

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
// The part of a window's rectangle (grid coordinates) laid over a cell of the scrolled part of the
// grid (its row past the frozen rows, or its column past the frozen columns) that does not lie over
// the frozen rows and columns: a window there would hide them, and not every window keeps to a
// window region when it paints (a combo box under Wine). Over a frozen cell the rectangle is kept.
CRect FitToScrolledPane(CGXControl& control, const CRect& rect, ROWCOL nRow, ROWCOL nCol);
}  // namespace GXCellEditState
