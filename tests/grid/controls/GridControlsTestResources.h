// Resource ids of the grid control tests.
#pragma once

#define IDD_CELLS_TEST 9401
#define IDC_CELLS_GRID 9402
