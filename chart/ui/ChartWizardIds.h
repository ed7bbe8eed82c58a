// Resource ids of the chart wizard: its pages, the settings groups of its main page, its controls and
// strings. Plain #defines so that the resource script includes this header too.
#pragma once

// Settings groups of the main page, made by CGenDialog at a placeholder control.
#define IDD_QVG_WIZ_TEXT_PANEL_GROUP    21709
#define IDD_QVG_WIZ_TITLE_GROUP         21710
#define IDD_QVG_WIZ_LEGEND_GROUP        21711
#define IDD_QVG_WIZ_DISPLAY_GROUP       21712

// The pages.
#define IDD_QVG_WIZ_MAIN                21713
#define IDD_QVG_WIZ_FILL                21714
#define IDD_QVG_WIZ_FONT                21715
#define IDD_QVG_WIZ_ADVANCED            21716
#define IDD_QVG_WIZ_LAYOUT              21717
#define IDD_QVG_WIZ_CHART_TYPE          21718
#define IDD_QVG_WIZ_FINISH              21719

// The sheet's own windows: the preview's frame, the two step buttons.
#define IDC_QVG_WIZ_PREVIEW_FRAME       101
#define IDC_QVG_WIZ_NEXT                21839
#define IDC_QVG_WIZ_BACK                21840
#define IDC_QVG_WIZ_EDIT                21847   // the finish page's switch to editing

// Controls shared by the editing pages.
#define IDC_QVG_WIZ_COMPONENT           21750   // the component choice of the main, fill and font pages
#define IDC_QVG_WIZ_PROMPT              21751   // the heading of a step page

// Main page.
#define IDC_QVG_WIZ_MEASUREMENT         21752
#define IDC_QVG_WIZ_BORDER              21753
#define IDC_QVG_WIZ_SHADOW              21754
#define IDC_QVG_WIZ_LEFT                21755
#define IDC_QVG_WIZ_TOP                 21756
#define IDC_QVG_WIZ_RIGHT               21757
#define IDC_QVG_WIZ_BOTTOM              21758
#define IDC_QVG_WIZ_FIRST_GROUP         21759
#define IDC_QVG_WIZ_LAST_GROUP          21760
#define IDC_QVG_WIZ_FIRST_INDEX         21761
#define IDC_QVG_WIZ_LAST_INDEX          21762
#define IDC_QVG_WIZ_GROUP_PLACE         21789   // where the display and legend groups stand
#define IDC_QVG_WIZ_TEXT_PLACE          21808   // where the title and text panel groups stand

// Display group.
#define IDC_QVG_WIZ_GRAPH_TYPE          21763
#define IDC_QVG_WIZ_AXIS_STYLE          21764
#define IDC_QVG_WIZ_LOG_SCALE           21765
#define IDC_QVG_WIZ_SHOW_ZERO           21766
#define IDC_QVG_WIZ_X_GRID              21767
#define IDC_QVG_WIZ_Y_GRID              21768
#define IDC_QVG_WIZ_TICKS               21769
#define IDC_QVG_WIZ_HIDE                21770
#define IDC_QVG_WIZ_EXPLICIT_SIZE       21771
#define IDC_QVG_WIZ_SIZE_VALUE          21772

// Legend group.
#define IDC_QVG_WIZ_LEGEND_TYPE         21773
#define IDC_QVG_WIZ_KEY_STYLE           21774
#define IDC_QVG_WIZ_FIT_WIDTH           21775
#define IDC_QVG_WIZ_FIT_HEIGHT          21776
#define IDC_QVG_WIZ_TEXT_WIDTH          21777
#define IDC_QVG_WIZ_ROW_FACTOR          21778
#define IDC_QVG_WIZ_KEY_SIZE            21779

// Title and text panel groups.
#define IDC_QVG_WIZ_TITLE_TEXT          21780
#define IDC_QVG_WIZ_PANEL_TITLE         21781
#define IDC_QVG_WIZ_PANEL_BODY          21782
#define IDC_QVG_WIZ_PANEL_SHOW_TITLE    21783
#define IDC_QVG_WIZ_PANEL_AUTOSIZE      21784

// Fill page.
#define IDC_QVG_WIZ_FILL_CHOICE         21790
#define IDC_QVG_WIZ_FILL_COLOR1         21791
#define IDC_QVG_WIZ_FILL_COLOR2         21792
#define IDC_QVG_WIZ_FILL_ANGLE          21793
#define IDC_QVG_WIZ_FILL_NAME           21794
#define IDC_QVG_WIZ_FILL_BROWSE         21795
#define IDC_QVG_WIZ_FILL_STRETCH        21796

// Font page.
#define IDC_QVG_WIZ_FONT                21797
#define IDC_QVG_WIZ_FONT_COLOR          21798
#define IDC_QVG_WIZ_FONT_SAMPLE         21799
#define IDC_QVG_WIZ_FONT_TITLE          21800   // a text panel's title font, or
#define IDC_QVG_WIZ_FONT_BODY           21801   // its body font
#define IDC_QVG_WIZ_JUSTIFICATION       21802

// Advanced page.
#define IDC_QVG_WIZ_COMPONENTS          21810
#define IDC_QVG_WIZ_KINDS               21811
#define IDC_QVG_WIZ_ADD                 21812
#define IDC_QVG_WIZ_DELETE              21813
#define IDC_QVG_WIZ_UP                  21814
#define IDC_QVG_WIZ_DOWN                21815
#define IDC_QVG_WIZ_TOP_OF_LIST         21816
#define IDC_QVG_WIZ_BOTTOM_OF_LIST      21817
#define IDC_QVG_WIZ_USE_PREVIEW_SIZE    21818
#define IDC_QVG_WIZ_SHOW_GRID           21819
#define IDC_QVG_WIZ_GRID_STEP           21820
#define IDC_QVG_WIZ_SNAP                21821
#define IDC_QVG_WIZ_ALLOW_EDITING       21822
#define IDC_QVG_WIZ_LIVE_RESULT         21823

// Layout page: six layout cells, the previous and next six, four colours.
#define IDC_QVG_WIZ_CELL_FIRST          21824   // to 21829
#define IDC_QVG_WIZ_PREVIOUS_LAYOUTS    21830
#define IDC_QVG_WIZ_NEXT_LAYOUTS        21831
#define IDC_QVG_WIZ_BACKGROUND_COLOR    21832
#define IDC_QVG_WIZ_TITLE_COLOR         21833
#define IDC_QVG_WIZ_DISPLAY_COLOR       21834
#define IDC_QVG_WIZ_LEGEND_COLOR        21835

// Chart-type page.
#define IDC_QVG_WIZ_CHART_TYPES         21836

// Strings.
#define IDS_QVG_WIZ_DELETE              53600   // then a newline and the component's name
#define IDS_QVG_WIZ_ADD                 53601   // then a newline and the kind's name
#define IDS_QVG_WIZ_DELETE_HOLDER       53602
#define IDS_QVG_WIZ_IMAGE_NOT_LOADED    53603
#define IDS_QVG_WIZ_KEEP_EDITING        53604   // Yes keeps the sheet open
#define IDS_QVG_WIZ_CANDLE              53605
#define IDS_QVG_WIZ_HI_LO               53606
#define IDS_QVG_WIZ_FINISH_PROMPT       53607
#define IDS_QVG_WIZ_LAYOUT_PROMPT       53608
#define IDS_QVG_WIZ_TYPE_PROMPT         53609
#define IDS_QVG_WIZ_NEXT                53610
#define IDS_QVG_WIZ_BACK                53611
#define IDS_QVG_WIZ_TIP_BACKGROUND      53612
#define IDS_QVG_WIZ_TIP_TITLE           53613
#define IDS_QVG_WIZ_TIP_DISPLAY         53614
#define IDS_QVG_WIZ_TIP_LEGEND          53615
#define IDS_QVG_WIZ_TIP_PREVIOUS        53616
#define IDS_QVG_WIZ_TIP_NEXT            53617
#define IDS_QVG_WIZ_STEP_LAYOUT         53618
#define IDS_QVG_WIZ_STEP_TYPE           53619
#define IDS_QVG_WIZ_FINISH              53620
#define IDS_QVG_WIZ_TITLE_TEXT          53621   // a layout's title
#define IDS_QVG_WIZ_TIP_FIRST           53623   // to 53670: tips of the editing pages' controls
#define IDS_QVG_WIZ_BROWSE_FILE         53672
#define IDS_QVG_WIZ_BROWSE_RESOURCE     53673
#define IDS_QVG_WIZ_CAPTION_FIRST       53674   // to 53678: the caption's turns
#define IDS_QVG_WIZ_STEP_FINISH         53679
#define IDS_QVG_WIZ_EDITING             53680

// What the pages tell their sheet (SendMessage to the sheet).
#define WM_QVG_WIZ_CHOICE_CHANGED       (WM_USER + 7)    // 0x407: a page's component choice changed
#define WM_QVG_WIZ_SETTING_CHANGED      (WM_USER + 8)    // 0x408: a setting control changed
#define WM_QVG_WIZ_GRAPH_TYPE_CHANGED   (WM_USER + 11)   // 0x40B: the main page's graph type
#define WM_QVG_WIZ_AXIS_STYLE_CHANGED   (WM_USER + 12)   // 0x40C: the main page's axis style
#define WM_QVG_WIZ_RENAMED              (WM_USER + 13)   // 0x40D: lParam the new name (LPCTSTR)
#define WM_QVG_WIZ_MOVE                 (WM_USER + 14)   // 0x40E: wParam from, lParam before
