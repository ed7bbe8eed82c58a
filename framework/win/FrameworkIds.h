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
#define ID_FILE_MRU_FILE1           0xE110   // 57616: the recent-file list's place in a menu
#define ID_FILE_MRU_LAST            0xE11F   // the sixteenth recent file
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
#define ID_WINDOW_NEW               0xE130   // 57648
#define ID_WINDOW_ARRANGE           0xE131   // 57649: arrange icons
#define ID_WINDOW_CASCADE           0xE132   // 57650
#define ID_WINDOW_TILE_HORZ         0xE133   // 57651
#define ID_WINDOW_TILE_VERT         0xE134
#define ID_WINDOW_SPLIT             0xE135
#define ID_NEXT_PANE                0xE150
#define ID_PREV_PANE                0xE151
#define ID_VIEW_TOOLBAR             0xE800   // 59392
#define ID_VIEW_STATUS_BAR          0xE801   // 59393
#define ID_SEPARATOR                0

// Status bar indicators (their strings are the texts shown while the key is on).
#define ID_INDICATOR_EXT            0xE700
#define ID_INDICATOR_CAPS           0xE701   // 59137 "CAP"
#define ID_INDICATOR_NUM            0xE702   // 59138 "NUM"
#define ID_INDICATOR_SCRL           0xE703   // 59139 "SCRL"
#define ID_INDICATOR_OVR            0xE704
#define ID_INDICATOR_REC            0xE705

// Print preview commands.
#define AFX_ID_PREVIEW_CLOSE        0xE300
#define AFX_ID_PREVIEW_NUMPAGE      0xE301   // one page / two pages
#define AFX_ID_PREVIEW_NEXT         0xE302
#define AFX_ID_PREVIEW_PREV         0xE303
#define AFX_ID_PREVIEW_PRINT        0xE304
#define AFX_ID_PREVIEW_ZOOMIN       0xE305
#define AFX_ID_PREVIEW_ZOOMOUT      0xE306

// Child window ids of frames, splitters and their bars.
#define AFX_IDW_CONTROLBAR_FIRST    0xE800
#define AFX_IDW_CONTROLBAR_LAST     0xE8FF
#define AFX_IDW_TOOLBAR             0xE800   // 59392
#define AFX_IDW_STATUS_BAR          0xE801   // 59393
#define AFX_IDW_PREVIEW_BAR         0xE802
#define AFX_IDW_PANE_FIRST          0xE900   // 59648: the view (or the splitter, or the MDI client)
#define AFX_IDW_PANE_LAST           0xE9FF
#define AFX_IDW_HSCROLL_FIRST       0xEA00   // 59904
#define AFX_IDW_VSCROLL_FIRST       0xEA10   // 59920
#define AFX_IDW_SIZE_BOX            0xEA20   // 59936
#define AFX_IDW_PANE_SAVE           0xEA21   // the hidden pane while print preview shows
#define AFX_IDM_FIRST_MDICHILD      0xFF00   // the MDI client's window list in the "Window" menu

// Framework strings. An application's string table may define them; otherwise the framework's own
// text is used (AfxLoadFrameworkString).
#define AFX_IDS_APP_TITLE                0xE000
#define AFX_IDS_IDLEMESSAGE              0xE001   // "Ready"
#define AFX_IDS_UNTITLED                 0xF000
#define AFX_IDS_ALLFILTER                0xF001
#define AFX_IDS_OPENFILE                 0xF002
#define AFX_IDS_SAVEFILE                 0xF003
#define AFX_IDS_SAVEFILECOPY             0xF004
#define AFX_IDS_PREVIEW_CLOSE            0xF005
#define AFX_IDS_ONEPAGE                  0xF041
#define AFX_IDS_TWOPAGE                  0xF042
#define AFX_IDS_PRINTPAGENUM             0xF043
#define AFX_IDS_PREVIEWPAGEDESC          0xF044
#define AFX_IDS_PRINTDEFAULTEXT          0xF045
#define AFX_IDS_PRINTDEFAULT             0xF046
#define AFX_IDS_PRINTFILTER              0xF047
#define AFX_IDS_PRINTCAPTION             0xF048
#define AFX_IDP_INVALID_FILENAME         0xF100
#define AFX_IDP_FAILED_TO_OPEN_DOC       0xF101
#define AFX_IDP_FAILED_TO_SAVE_DOC       0xF102
#define AFX_IDP_ASK_TO_SAVE              0xF103
#define AFX_IDP_FAILED_TO_CREATE_DOC     0xF104
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
#define WM_SIZEPARENT        0x0361   // a frame asks its bars for room: lParam AFX_SIZEPARENTPARAMS*
#define WM_SETMESSAGESTRING  0x0362   // wParam: string id, or lParam: text
#define WM_IDLEUPDATECMDUI   0x0363
#define WM_INITIALUPDATE     0x0364   // sent to a new frame's views before it shows
#define WM_RECALCPARENT      0x0368   // a bar changed size: its frame lays out again
#define WM_KICKIDLE          0x036A
#define WM_REFLECT_BASE      0xBC00   // a message reflected back to the child control that caused it
#ifndef WM_CTLCOLOR
#define WM_CTLCOLOR          0x0019   // the WM_CTLCOLOR* messages as one map entry
#endif

// The framework's own text for one of its string ids, or NULL when it has none.
LPCTSTR AfxGetFrameworkString(UINT nID);
