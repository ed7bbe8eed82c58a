// Resource ids of the grid engine tests.
#pragma once

#define IDD_GRID_TEST 9301
#define IDC_GRID_FIRST 9302
#define IDC_GRID_SECOND 9303
#define IDC_GRID_CLASS 9304
