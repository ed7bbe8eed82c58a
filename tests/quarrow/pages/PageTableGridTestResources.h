#pragma once

#define IDD_TABLE_HOST       9100
#define IDC_TABLE_HOST_GRID  9101
