// Command, string and message ids of the framework itself. IDOK, IDCANCEL and the other dialog
// answers come from <windows.h>.
#pragma once

#include <windows.h>

// Standard commands.
#define ID_FILE_NEW                 0xE100
#define ID_FILE_OPEN                0xE101
#define ID_FILE_CLOSE               0xE102
#define ID_FILE_SAVE                0xE103
#define ID_FILE_SAVE_AS             0xE104
#define ID_FILE_PAGE_SETUP          0xE105
#define ID_FILE_PRINT_SETUP         0xE106
#define ID_FILE_PRINT               0xE107
#define ID_FILE_PRINT_DIRECT        0xE108
#define ID_FILE_PRINT_PREVIEW       0xE109
#define ID_FILE_MRU_FILE1           0xE110
#define ID_APP_ABOUT                0xE140
#define ID_APP_EXIT                 0xE141
#define ID_HELP_INDEX               0xE142
#define ID_HELP_FINDER              0xE143
#define ID_HELP_USING               0xE144
#define ID_CONTEXT_HELP             0xE145
#define ID_HELP                     0xE146   // 57670: F1 in a dialog or a frame
#define ID_DEFAULT_HELP             0xE147
#define ID_EDIT_CLEAR               0xE120
#define ID_EDIT_CLEAR_ALL           0xE121
#define ID_EDIT_COPY                0xE122
#define ID_EDIT_CUT                 0xE123
#define ID_EDIT_FIND                0xE124
#define ID_EDIT_PASTE               0xE125
#define ID_EDIT_REPEAT              0xE128
#define ID_EDIT_REPLACE             0xE129
#define ID_EDIT_SELECT_ALL          0xE12A
#define ID_EDIT_UNDO                0xE12B
#define ID_EDIT_REDO                0xE12C
#define ID_WINDOW_NEW               0xE130
#define ID_VIEW_TOOLBAR             0xE800
#define ID_VIEW_STATUS_BAR          0xE801
#define ID_SEPARATOR                0

// Framework strings. An application's string table may define them; otherwise the framework's own
// text is used (AfxLoadFrameworkString).
#define AFX_IDS_APP_TITLE                0xE000
#define AFX_IDS_IDLEMESSAGE              0xE001
#define AFX_IDP_NO_ERROR_AVAILABLE       0xF020
#define AFX_IDP_FAILED_TO_START_PRINT    0xF106   // 61702
#define AFX_IDP_FAILED_TO_LAUNCH_HELP    0xF107
#define AFX_IDP_INTERNAL_FAILURE         0xF108
#define AFX_IDP_COMMAND_FAILURE          0xF109
#define AFX_IDP_FAILED_MEMORY_ALLOC      0xF10A
#define AFX_IDP_PARSE_INT                0xF110
#define AFX_IDP_PARSE_REAL               0xF111
#define AFX_IDP_PARSE_INT_RANGE          0xF112
#define AFX_IDP_PARSE_REAL_RANGE         0xF113
#define AFX_IDP_PARSE_STRING_SIZE        0xF114
#define AFX_IDP_PARSE_RADIO_BUTTON       0xF115
#define AFX_IDP_PARSE_BYTE               0xF116
#define AFX_IDP_PARSE_UINT               0xF117

// Private framework messages.
#define WM_SETMESSAGESTRING  0x0362   // wParam: string id, or lParam: text
#define WM_IDLEUPDATECMDUI   0x0363
#define WM_KICKIDLE          0x036A
#define WM_REFLECT_BASE      0xBC00   // a message reflected back to the child control that caused it
#ifndef WM_CTLCOLOR
#define WM_CTLCOLOR          0x0019   // the WM_CTLCOLOR* messages as one map entry
#endif

// The framework's own text for one of its string ids, or NULL when it has none.
LPCTSTR AfxGetFrameworkString(UINT nID);
