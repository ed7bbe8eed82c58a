#pragma once
// Moving the cells of an engine sheet when rows or columns are inserted, removed or moved, or a block
// of cells is moved or copied, with the cell and range references of every formula rewritten so that
// formulas keep pointing at the same data. Engine coordinates throughout (rows from 1, columns from 0).
//
// A reference pushed outside the sheet becomes the error constant ("??"); a cell pushed outside is freed.

#include <windows.h>

#include <cstdint>
#include <vector>

#include "grid/formula/FormulaTypes.h"

// Moves the cells of a block so that its first cell lands on (row, col). References wholly inside
// the block move with it; a range that only partly overlaps it neither grows nor shrinks.
BOOL MoveBlock(int hSheet, const GX_CELLREF& block, int32_t row, int32_t col);
BOOL InsertEngineRows(int hSheet, int32_t row, int32_t count);
BOOL InsertEngineCols(int hSheet, int32_t col, int32_t count);
// References to the removed rows are left as they are (they now name the data that moved up).
BOOL RemoveEngineRows(int hSheet, int32_t row, int32_t count);
BOOL RemoveEngineCols(int hSheet, int32_t col, int32_t count);
// Moves rows (columns) first..last so that they start at dest of the result, shifting those between.
BOOL MoveEngineRows(int hSheet, BOOL bRows, int32_t first, int32_t last, int32_t dest);
// Copies a block to (row, col) with its relative references shifted; recalculates unless asked not to.
BOOL CopyBlock(int hSheet, const GX_CELLREF& block, int32_t row, int32_t col, BOOL bNoRecalc);
// Reorders the rows (bRows) or columns of a block: newOrder[i] is the old position (counted from the
// block's first row or column) of what lands at position i. Cells and single-row (single-column)
// references inside the block follow; the cells whose formulas changed become dirty.
BOOL PermuteEngineCells(int hSheet, const GX_CELLREF& block, BOOL bRows, const std::vector<int32_t>& newOrder);
