// Resource ids of the document/view, frame, bar, printing and splitter tests (9500-9699).
#pragma once

#define IDR_TEST_MAINFRAME      9500
#define IDR_TEST_DOCTYPE        9501
#define IDR_FENNIC_STRINGS      9502

#define ID_TEST_VIEW_CMD        9510
#define ID_TEST_DOC_CMD         9511
#define ID_TEST_DOCFRAME_CMD    9512
#define ID_TEST_FRAME_CMD       9513
#define ID_TEST_MAIN_CMD        9514
#define ID_TEST_APP_CMD         9515
#define ID_TEST_SHARED_CMD      9516
#define ID_TEST_UNHANDLED_CMD   9517

#define IDR_TEST_TOOLBAR        9520
#define IDR_TOOLBAR_BAD_VERSION 9521
#define IDR_TOOLBAR_TRUNCATED   9522
#define IDR_TOOLBAR_NO_BITMAP   9523
#define IDR_TOOLBAR_MISSING     9529
