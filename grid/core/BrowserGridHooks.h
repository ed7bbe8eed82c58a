#pragma once
// What the bitmap and OLE object cells ask of a database browser grid: the bitmap it holds for a
// cell, the offer of a newly converted bitmap, the viewers it is told of and the start and end of
// a modal OLE action. The library has no browser grid: a grid answers CGXGridCore::GetBrowserGridHooks
// with NULL, and the cells then keep to what they can do alone. A grid that is one returns its hooks.

#include "grid/core/GridTypes.h"

#include <windows.h>

class CGXOleViewer;

class CGXBrowserGridHooks
{
public:
    virtual ~CGXBrowserGridHooks() = default;

    // A bitmap the grid already holds for the cell, or NULL.
    virtual HGLOBAL GetHeldBitmap(ROWCOL nRow, ROWCOL nCol) = 0;
    // A bitmap the cell converted; TRUE when the grid did not keep it (the cell frees it then).
    virtual BOOL OfferBitmap(ROWCOL nRow, ROWCOL nCol, HGLOBAL hDIB) = 0;
    // A viewer was made for the cell under the viewer id.
    virtual void OnViewerCreated(ROWCOL nRow, ROWCOL nCol, long nViewerId, CGXOleViewer* pViewer) = 0;
    // A modal OLE action (insert dialog, server activation) starts and ends on the cell.
    virtual void OnOleActionBegin(ROWCOL nRow, ROWCOL nCol) = 0;
    virtual void OnOleActionEnd(ROWCOL nRow, ROWCOL nCol) = 0;
};
