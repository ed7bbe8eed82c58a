// Resource ids of the chart edit dialog and the component style editors: dialogs, the tree's bitmap,
// the pop-up menus with their commands, strings and controls. Plain #defines so that the resource script
// includes this header too.
#pragma once

// Dialogs and property pages.
#define IDD_QVG_ANNOTATION_EDIT         21538
#define IDB_QVG_TREE_IMAGES             21539
#define IDD_QVG_COMPONENT_CHOICE        21540
#define IDD_QVG_TYPE_AND_POS            21541
#define IDD_QVG_FILL_STYLE              21542
#define IDD_QVG_BORDER_STYLE            21543
#define IDD_QVG_SHADOW_STYLE            21544
#define IDD_QVG_FONT_STYLE              21545
#define IDD_QVG_GRAPH_EDIT              21546
#define IDD_QVG_ITEM_EDIT               21547
#define IDD_QVG_VALUE_EDIT              21549
#define IDD_QVG_DISPLAY_STYLE           21550
#define IDD_QVG_LEGEND_EDIT             21551
#define IDD_QVG_LABEL_STYLE             21552
#define IDD_QVG_OBJECT_STYLE            21554
#define IDD_QVG_INTERIOR_EDIT           21555
#define IDR_QVG_GRAPH_EDIT_MENU         21556

// Commands of the edit dialog's pop-up menus (their prompts are strings of the same ids).
#define ID_QVG_ADD_TEXT                 21572
#define ID_QVG_ADD_LABEL                21573
#define ID_QVG_LOAD_COMPONENTS          21588
#define ID_QVG_SAVE_COMPONENTS          21589
#define ID_QVG_PROPERTIES               21592
#define ID_QVG_DELETE_COMPONENT         21593
#define ID_QVG_ADD_COMPONENT            21594
#define ID_QVG_BRING_TO_TOP             21596
#define ID_QVG_ADD_ANNOTATION           21597
#define ID_QVG_SEND_TO_BACK             21598
#define ID_QVG_FORWARD_ONE              21599
#define ID_QVG_BACK_ONE                 21600

// Strings.
#define IDS_QVG_COMPONENTS              53554
#define IDS_QVG_DATA_LIST               53555
#define IDS_QVG_DATA_ITEM               53556
#define IDS_QVG_VALUE                   53557
#define IDS_QVG_PROPERTIES_CAPTION      21595

// Controls of the edit dialog and its small dialogs.
#define IDC_QVG_TREE                    21514
#define IDC_QVG_COMPONENT_LIST          21515
#define IDC_QVG_ANNOTATION_TEXT         1100
#define IDC_QVG_ANNOTATION_CODE         1101
#define IDC_QVG_DRAW_IN_BACKGROUND      1102
#define IDC_QVG_FEEDBACK_LOGGING        1103
#define IDC_QVG_DATA_VALUE              1104

// Type and position page.
#define IDC_QVG_TYPE_NAME               1110
#define IDC_QVG_RECT_LEFT               1111
#define IDC_QVG_RECT_TOP                1112
#define IDC_QVG_RECT_RIGHT              1113
#define IDC_QVG_RECT_BOTTOM             1114
#define IDC_QVG_PIXELS                  1115   // then millimetres, inches, percent
#define IDC_QVG_MILLIMETERS             1116
#define IDC_QVG_INCHES_UNIT             1117
#define IDC_QVG_PERCENT                 1118
#define IDC_QVG_VIEW_X                  1119
#define IDC_QVG_VIEW_Y                  1120
#define IDC_QVG_VIEW_Z                  1121

// Fill, border and shadow pages: the first radio of each group; the others follow in order.
#define IDC_QVG_FILL_NONE               1130   // to 1135
#define IDC_QVG_FILL_COLOR1             1136
#define IDC_QVG_FILL_COLOR2             1137
#define IDC_QVG_FILL_ANGLE              1138
#define IDC_QVG_FILL_RESOURCE           1139
#define IDC_QVG_FILL_BROWSE             1140
#define IDC_QVG_BORDER_NONE             1145   // to 1152
#define IDC_QVG_SHADOW_NONE             1155   // to 1158

// Font page.
#define IDC_QVG_FONT_FACE               1160
#define IDC_QVG_FONT_CHOOSE             1161
#define IDC_QVG_FONT_SIZE               1162
#define IDC_QVG_FONT_POINTS             1163
#define IDC_QVG_FONT_PIXELS             1164
#define IDC_QVG_FONT_AUTOSIZE           1165
#define IDC_QVG_FONT_BOLD               1166
#define IDC_QVG_FONT_ITALIC             1167
#define IDC_QVG_FONT_UNDERLINE          1168
#define IDC_QVG_FONT_STRIKEOUT          1169
#define IDC_QVG_JUSTIFY_RIGHT           1170
#define IDC_QVG_JUSTIFY_LEFT            1171
#define IDC_QVG_JUSTIFY_CENTER          1172
#define IDC_QVG_FONT_COLOR              1173

// Display page.
#define IDC_QVG_GRAPH_STYLE             1180
#define IDC_QVG_AXIS_STYLE              1181
#define IDC_QVG_LABEL_STYLE             1182
#define IDC_QVG_FIRST_GROUP             1183
#define IDC_QVG_LAST_GROUP              1184
#define IDC_QVG_FIRST_INDEX             1185
#define IDC_QVG_LAST_INDEX              1186
#define IDC_QVG_LOG_SCALE               1187
#define IDC_QVG_SHOW_ZERO               1188
#define IDC_QVG_SHOW_X_LABELS           1189
#define IDC_QVG_SHOW_Y_LABELS           1190
#define IDC_QVG_SHOW_Z_LABELS           1191
#define IDC_QVG_SHOW_X_GRID             1192
#define IDC_QVG_SHOW_Y_GRID             1193
#define IDC_QVG_SHOW_Z_GRID             1194
#define IDC_QVG_SHOW_TICKS              1195
#define IDC_QVG_GRID_ON_TOP             1196

// Legend page.
#define IDC_QVG_LEGEND_TYPE             1200
#define IDC_QVG_KEY_STYLE               1201

// Label page: the nine location radios in order, then orientation and text position.
#define IDC_QVG_LOCATION_FIRST          1210   // to 1218
#define IDC_QVG_ORIENTATION             1219
#define IDC_QVG_TEXT_X                  1220
#define IDC_QVG_TEXT_Y                  1221

// Object style and interior pages.
#define IDC_QVG_OBJECT                  1230
#define IDC_QVG_FRAME                   1231
#define IDC_QVG_FRAME_WIDTH             1232
#define IDC_QVG_FRAME_COLOR             1233
#define IDC_QVG_OBJECT_WIDTH            1234
#define IDC_QVG_OBJECT_HEIGHT           1235
#define IDC_QVG_OBJECT_DEPTH            1236
#define IDC_QVG_USE_MAX_DIMENSIONS      1237
#define IDC_QVG_ALL_OBJECTS             1238
#define IDC_QVG_INTERIOR                1240
#define IDC_QVG_INTERIOR_COLOR1         1241
#define IDC_QVG_INTERIOR_COLOR2         1242
#define IDC_QVG_INTERIOR_ANGLE          1243
#define IDC_QVG_INTERIOR_RESOURCE       1244
#define IDC_QVG_INTERIOR_NAME           1245
#define IDC_QVG_INTERIOR_STRETCH        1246
