// Resource ids of the chart views: commands, the page setup dialogs and their controls. Plain
// #defines so that the resource script includes this header too.
#pragma once

// Commands of the chart view (their texts are command strings: prompt, newline, tooltip).
#define ID_QVG_ZOOM_RESET               53500
#define ID_QVG_EDIT_GRAPH               53505
#define ID_QVG_ZOOM_OUT                 53506
#define ID_QVG_PAGE_SETUP               53507
#define ID_QVG_CHART_WIZARD             53508
#define ID_QVG_SAVE_DIB                 53509
#define ID_QVG_SAVE_JPEG                53510
#define ID_QVG_PRINT_PAGE_SETUP         53572

// Caption of the chart wizard.
#define IDS_QVG_WIZARD_CAPTION          53559

// Dialogs.
#define IDD_QVG_PAGE_SETUP              21563
#define IDD_QVG_SELECT_QUERY            21564
#define IDD_QVG_PAGE_SETUP2             21624

// Alignment radios (also the three choices of the select query).
#define IDC_QVG_TOP                     21502
#define IDC_QVG_CENTER                  21503
#define IDC_QVG_BOTTOM                  21504
#define IDC_QVG_LEFT                    21505
#define IDC_QVG_MIDDLE                  21506
#define IDC_QVG_RIGHT                   21507
#define IDC_QVG_USE_MAX_SIZE            21508
#define IDC_QVG_SIZE_LIST               21509

// Page setup for printing.
#define IDC_QVG_VERTICAL_CUSTOM         21612
#define IDC_QVG_VERTICAL_MARGIN         21613
#define IDC_QVG_HORIZONTAL_CUSTOM       21614
#define IDC_QVG_HORIZONTAL_MARGIN       21615
#define IDC_QVG_FULL_PAGE               21616
#define IDC_QVG_FULL_WIDTH              21617
#define IDC_QVG_FULL_HEIGHT             21618
#define IDC_QVG_CUSTOM_SIZE             21619
#define IDC_QVG_CUSTOM_WIDTH            21620
#define IDC_QVG_CUSTOM_HEIGHT           21621
#define IDC_QVG_INCHES                  21622
#define IDC_QVG_CENTIMETERS             21623
#define IDC_QVG_VERTICAL_MARGIN_UNIT    1016
#define IDC_QVG_HORIZONTAL_MARGIN_UNIT  1017
#define IDC_QVG_WIDTH_UNIT              1018
#define IDC_QVG_HEIGHT_UNIT             1019

// The chart wizard's preview view: its window id, its commands and its context menu.
#define IDC_QVG_WIZARD_VIEW             21700
#define ID_QVG_WIZ_COPY                 21701
#define ID_QVG_WIZ_SAVE_LAYOUT          21702
#define ID_QVG_WIZ_CANCEL_TRACKING      21703
#define ID_QVG_WIZ_PRINT                21704
#define IDR_QVG_WIZ_VIEW_MENU           21845
