#pragma once
// Which covered range holds a cell, at once: a table of lines [row][column] whose entries are the
// list position of the range in the parameter object's covered-cells list (every cell of a range,
// its top-left one too, holds it). The list is the stored truth; the pool is rebuilt from it
// whenever the list changed under it.

#include "framework/core/Object.h"
#include "grid/core/AppComponents.h"
#include "grid/core/GridCollections.h"
#include "grid/core/GridTypes.h"

class CGXRangeList;

class CGXCoveredCellPool : public CObject
{
    DECLARE_DYNAMIC(CGXCoveredCellPool)

public:
    CGXCoveredCellPool() = default;

    // The position stored for the cell; NULL when none.
    virtual POSITION GetCoveredCell(ROWCOL nRow, ROWCOL nCol) const;
    // With a position, stores it for every cell of the block; with NULL, clears the block. Storing
    // refuses a block of one cell, and stops (FALSE) at a row whose first cell holds another range.
    // TRUE when anything changed.
    virtual BOOL SetCoveredCell(ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight, POSITION pos);

    // Whether any cell of the block holds a position other than pos.
    BOOL HoldsOtherRange(ROWCOL nTop, ROWCOL nLeft, ROWCOL nBottom, ROWCOL nRight, POSITION pos) const;
    // Stores every range of the list with its position, after deleting all lines.
    void Rebuild(const CGXRangeList& list);

private:
    CGXPtrArrayPtrArray m_lines;
};

// The application-wide maker of covered-cell pools (CGXAppData::m_pCoveredCellPoolImp).
class CGXCoveredCellPoolImp : public CGXAbstractCoveredCellPoolImp
{
public:
    CObject* CreateCoveredCellPool(CGXGridParam& param) override;
    // Rebuilds the parameter object's pool from its covered ranges (making it when it has none).
    void SyncCoveredCellPool(CGXGridParam& param) override;
};

CGXCoveredCellPool* GXAsCoveredCellPool(CObject* pObject);

void InstallCoveredCellPoolImp();
