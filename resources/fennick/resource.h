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
