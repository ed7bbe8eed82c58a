// Resource ids of the property sheet and common dialog tests (9300-9499).
#pragma once

#define IDD_SHEET_HOST      9300
#define IDC_SHEET_FRAME     9301
#define IDC_HOST_EDIT       9302

#define IDD_PAGE_FIRST      9310
#define IDC_FIRST_COUNT     9311
#define IDC_FIRST_NAME      9312

#define IDD_PAGE_SECOND     9320
#define IDC_SECOND_TEXT     9321

#define IDS_SHEET_CAPTION   9330
#define IDS_PAGE_CAPTION    9331
