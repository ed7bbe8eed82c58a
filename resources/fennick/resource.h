// Resource ids of Fennick. Plain #defines: the resource script includes this header too.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC                  (-1)
#endif

// The about box and the message of a failed OLE start share the number 100 in their own tables.
#define IDD_ABOUTBOX                100
#define IDP_OLE_INIT_FAILED         100

// Main frame (menu, toolbar, icon, accelerators) and the chart document's menu and strings.
#define IDR_MAINFRAME               128
#define IDR_FENNICTYPE              129

// Document commands.
#define ID_RELOAD_PLOT              32771   // in no menu: what the automation property does
#define ID_CHART_TITLES             32772
#define ID_CHART_LINES_LEGENDS      32773
#define ID_FILE_PRINT_PAGE_SETUP    32774

// Controls of the about box.
#define IDC_ABOUT_NAME              1000
#define IDC_ABOUT_VERSION           1001

// The chart editing dialogs.
#define IDD_TITLES                  131
#define IDD_LINES_LEGENDS           132
#define IDD_PRINT_PAGE_SETUP        133

// Titles and Labels.
#define IDC_TITLE_TEXT              1000
#define IDC_X_AXIS_TEXT             1001
#define IDC_Y_AXIS_TEXT             1002
#define IDC_TITLE_SIZE              1003
#define IDC_X_AXIS_SIZE             1004
#define IDC_Y_AXIS_SIZE             1005

// Lines/Legends and Scale: lines 1 to 5.
#define IDC_LEGEND1                 1004
#define IDC_LEGEND2                 1005
#define IDC_LEGEND3                 1006
#define IDC_LEGEND4                 1007
#define IDC_LEGEND5                 1008
#define IDC_LEGEND_FONT_SIZE        1009
#define IDC_THICKNESS1              1015
#define IDC_THICKNESS2              1016
#define IDC_THICKNESS3              1017
#define IDC_THICKNESS4              1018
#define IDC_THICKNESS5              1021
#define IDC_COLOR1                  1025
#define IDC_COLOR2                  1026
#define IDC_COLOR3                  1027
#define IDC_COLOR4                  1028
#define IDC_COLOR5                  1029
#define IDC_LINE_TYPE1              1030
#define IDC_LINE_TYPE2              1031
#define IDC_LINE_TYPE3              1032
#define IDC_LINE_TYPE4              1033
#define IDC_LINE_TYPE5              1034
// ... and its scaling group, with the labels of the X fields.
#define IDC_Y_MAX                   1035
#define IDC_X_MAX                   1036
#define IDC_X_TICK                  1037
#define IDC_Y_TICK                  1038
#define IDC_Y_MIN                   1039
#define IDC_X_MIN                   1040
#define IDC_X_MIN_LABEL             1041
#define IDC_X_MAX_LABEL             1042
#define IDC_X_TICK_LABEL            1043

// Print Page Setup.
#define IDC_PRINT_TOP               1036
#define IDC_PRINT_BOTTOM            1037
#define IDC_PRINT_LEFT              1038
#define IDC_PRINT_RIGHT             1039
