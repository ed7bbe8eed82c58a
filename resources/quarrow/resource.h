// Resource ids of Quarrow. The numbers are fixed: project files, help topics and
// the pages refer to them.
#pragma once

#ifndef IDC_STATIC
#define IDC_STATIC                  (-1)
#endif

#define IDD_ABOUTBOX                100
#define IDS_ABOUTBOX                101
#define IDD_QUARROW_DIALOG          102
#define IDR_MAINFRAME               128
#define IDD_SPLASH                  129
#define IDR_MAIN_MENU               130

// Property page templates, in page order.
#define IDD_ROADWAY                 130
#define IDD_SIEVE_ANALYSIS          131
#define IDD_INFLOW                  108
#define IDD_PERMEABLE_BASE          233
#define IDD_SEPARATOR               234
#define IDD_EDGE_DRAIN              235

// Bitmaps of the splash dialog and the summary panel.
#define IDB_PIPE_DIAMETER           160
#define IDB_BASE_THICKNESS          172
#define IDB_OUTLET_SPACING          182
#define IDB_RESULTANT_LENGTH        183
#define IDB_PIPE_FLOW               190
#define IDB_BASE_DISCHARGE          191
#define IDB_INFILTRATION            192
#define IDB_MELTWATER               193
#define IDB_BASE_WIDTH              196
#define IDB_RESULTANT_SLOPE         201
#define IDB_SPLASH                  236
#define IDB_PERCENT_DRAINED         237
#define IDB_TIME_TO_DRAIN           238
#define IDB_INFLOW_UNITS_METRIC     151
#define IDB_INFLOW_UNITS_ENGLISH    189
#define IDB_DISCHARGE_UNITS_METRIC  239
#define IDB_DISCHARGE_UNITS_ENGLISH 240
#define IDB_PIPEFLOW_UNITS_METRIC   198
#define IDB_PIPEFLOW_UNITS_ENGLISH  197

// Main dialog controls.
#define IDC_SHEET_FRAME             1001
#define IDC_UNIT_BASE_WIDTH         1003
#define IDC_PIC_BASE_WIDTH          1004
#define IDC_BASE_WIDTH              1005
#define IDC_PIC_RESULTANT_SLOPE     1006
#define IDC_RESULTANT_SLOPE         1007
#define IDC_UNIT_BASE_THICKNESS     1008
#define IDC_PIC_RESULTANT_LENGTH    1009
#define IDC_RESULTANT_LENGTH        1010
#define IDC_UNIT_RESULTANT_LENGTH   1011
#define IDC_INFILTRATION_RATE       1012
#define IDC_MELTWATER_FLOW          1013
#define IDC_UNIT_OUTLET_SPACING     1014
#define IDC_UNIT_PIPE_DIAMETER      1015
#define IDC_UNIT_RESULTANT_SLOPE    1026
#define IDC_PIC_BASE_THICKNESS      1064
#define IDC_PIC_INFILTRATION        1102
#define IDC_PIC_MELTWATER           1103
#define IDC_UNIT_INFILTRATION       1104
#define IDC_UNIT_MELTWATER          1105
#define IDC_PIC_PIPE_DIAMETER       1139
#define IDC_PIC_OUTLET_SPACING      1140
#define IDC_PIC_PIPE_FLOW           1141
#define IDC_PIC_PERCENT_DRAINED     1142
#define IDC_PIC_TIME_TO_DRAIN       1143
#define IDC_PIC_BASE_DISCHARGE      1144
#define IDC_UNIT_PIPE_FLOW          1145
#define IDC_UNIT_BASE_DISCHARGE     1146
#define IDC_BASE_STATUS             1147
#define IDC_SUBGRADE_STATUS         1148
#define IDC_SEPARATOR_STATUS        1149
#define IDC_BASE_THICKNESS          1206
#define IDC_PERCENT_DRAINED         1207
#define IDC_TIME_TO_DRAIN           1208
#define IDC_BASE_DISCHARGE          1209
#define IDC_PIPE_DIAMETER           1240
#define IDC_OUTLET_SPACING          1241
#define IDC_PIPE_FLOW               1242
#define IDC_UNIT_PERCENT_DRAINED    1375
#define IDC_UNIT_TIME_TO_DRAIN      1376

// Roadway geometry page (template 130). b and c are the pavement width and the base
// beyond each edge; W the base width, S and Sx the slopes, Sr and Lr the flow path.
#define IDC_RW_B                    1012
#define IDC_RW_C                    1013
#define IDC_RW_PIC_B                1014
#define IDC_RW_PIC_C                1015
#define IDC_RW_GEOMETRY_A           1016
#define IDC_RW_GEOMETRY_B           1017
#define IDC_RW_FORMULA_W            1018
#define IDC_RW_PIC_W                1019
#define IDC_RW_S                    1020
#define IDC_RW_UNIT_W               1021
#define IDC_RW_UNIT_B               1022
#define IDC_RW_UNIT_C               1023
#define IDC_RW_CALC_W               1024
#define IDC_RW_W                    1025
#define IDC_RW_CALC_SR              1026
#define IDC_RW_PIC_S                1027
#define IDC_RW_PIC_SX               1028
#define IDC_RW_FORMULA_SR           1029
#define IDC_RW_SR                   1030
#define IDC_RW_PIC_SR               1031
#define IDC_RW_SX                   1032
#define IDC_RW_UNIT_S               1033
#define IDC_RW_UNIT_SX              1034
#define IDC_RW_UNIT_SR              1035
#define IDC_RW_CALC_LR              1036
#define IDC_RW_LR                   1037
#define IDC_RW_PIC_LR               1038
#define IDC_RW_UNIT_LR              1039
#define IDC_RW_FORMULA_LR           1040
#define IDC_RW_PLAN_A               1042
#define IDC_RW_PLAN_B               1043
#define IDC_RW_CUTAWAY_A            1044
#define IDC_RW_FLOW_PATH            1045
#define IDC_RW_CUTAWAY_B            1389
#define IDC_RW_FOCUS_SINK           1396

// Pictures of the design pages: the calculator of the compute buttons, and the roadway
// page's formulas, symbols and sketches.
#define IDB_FORMULA_WIDTH_A         204
#define IDB_CALCULATOR              206
#define IDB_FORMULA_WIDTH_B         210
#define IDB_RW_SYMBOL_B             300
#define IDB_RW_SYMBOL_C             301
#define IDB_RW_SYMBOL_S             302
#define IDB_RW_SYMBOL_SX            303
#define IDB_FORMULA_SLOPE           304
#define IDB_FORMULA_LENGTH          305
#define IDB_RW_PLAN_A               306
#define IDB_RW_PLAN_B               307
#define IDB_RW_CUTAWAY_A            308
#define IDB_RW_CUTAWAY_B            309
#define IDB_RW_FLOW_PATH            310

// Inflow page (template 108): the infiltration ratio method (C, R), the crack infiltration
// method (Ic, Nc, Wc, W, Cs, kp) and the meltwater inflow (heave rate, k_sub, unit weights
// and thicknesses of pavement and base, load sigma, q_m).
#define IDC_IN_RAIN_ONE             1046
#define IDC_IN_RAIN_TWO             1047
#define IDC_IN_PCC                  1048
#define IDC_IN_ACC                  1049
#define IDC_IN_MELT_GROUP           1051
#define IDC_IN_MELTWATER            1052
#define IDC_IN_RATIO                1053
#define IDC_IN_CRACK                1054
#define IDC_IN_HEAVE                1057
#define IDC_IN_CALC_HEAVE           1058
#define IDC_IN_SUBGRADE_LINK        1059
#define IDC_IN_PIC_KSUB             1060
#define IDC_IN_KSUB                 1061
#define IDC_IN_PIC_GAMMA_B          1062
#define IDC_IN_PIC_GAMMA_S          1063
#define IDC_IN_PIC_HB               1064
#define IDC_IN_PIC_HS               1065
#define IDC_IN_PIC_HEAVE            1066
#define IDC_IN_FORMULA_LOAD         1067
#define IDC_IN_PIC_LOAD             1068
#define IDC_IN_CALC_LOAD            1069
#define IDC_IN_UNIT_HEAVE           1070
#define IDC_IN_UNIT_KSUB            1071
#define IDC_IN_CALC_QM              1072
#define IDC_IN_UNIT_GAMMA_S         1073
#define IDC_IN_UNIT_GAMMA_B         1074
#define IDC_IN_UNIT_HS              1075
#define IDC_IN_GAMMA_S              1076
#define IDC_IN_UNIT_HB              1077
#define IDC_IN_UNIT_LOAD            1078
#define IDC_IN_PIC_QM               1079
#define IDC_IN_UNIT_QM              1080
#define IDC_IN_GAMMA_B              1081
#define IDC_IN_HS                   1082
#define IDC_IN_HB                   1083
#define IDC_IN_LOAD                 1084
#define IDC_IN_QM                   1085
#define IDC_IN_NOTE_C               1086
#define IDC_IN_PIC_C                1087
#define IDC_IN_C                    1088
#define IDC_IN_MEAN_C               1089
#define IDC_IN_CALC_QI              1090
#define IDC_IN_FRAME_C              1091
#define IDC_IN_FRAME_R              1092
#define IDC_IN_PIC_R                1093
#define IDC_IN_R                    1094
#define IDC_IN_FORMULA_RATIO        1095
#define IDC_IN_PIC_QI               1096
#define IDC_IN_QI                   1097
#define IDC_IN_RAIN_MAP             1098
#define IDC_IN_UNIT_QI              1099
#define IDC_IN_NOTE_R               1100
#define IDC_IN_UNIT_R               1101
#define IDC_IN_IC                   1102
#define IDC_IN_NC                   1103
#define IDC_IN_WC                   1104
#define IDC_IN_W                    1105
#define IDC_IN_UNIT_WC              1106
#define IDC_IN_CS                   1107
#define IDC_IN_KP                   1108
#define IDC_IN_UNIT_W               1109
#define IDC_IN_UNIT_CS              1110
#define IDC_IN_UNIT_KP              1111
#define IDC_IN_PIC_NC               1112
#define IDC_IN_PIC_IC               1113
#define IDC_IN_PIC_WC               1114
#define IDC_IN_PIC_W                1115
#define IDC_IN_PIC_CS               1116
#define IDC_IN_PIC_KP               1117
#define IDC_IN_FORMULA_CRACK        1119
#define IDC_IN_UNIT_IC              1120
#define IDC_IN_FOCUS_SINK           1395

// Heave determination dialog (template 232) and meltwater dialog (template 274).
#define IDD_HEAVE                   232
#define IDC_HEAVE_GRID              1121
#define IDD_MELTWATER               274
#define IDC_MW_CHART                1367
#define IDC_MW_HEAVE_LINE           1368
#define IDC_MW_READING_LINE         1369
#define IDC_MW_LOAD                 1370
#define IDC_MW_K                    1371
#define IDC_MW_HEAVE                1372
#define IDC_MW_READING              1373
#define IDC_MW_QM                   1374

// Pictures of the inflow page and its dialogs: the mean and unit pictures, the meltwater chart
// with its two reading lines (numbered as the dialogs use them), and symbols and formulas.
#define IDB_UNIT_DENSITY_METRIC     221
#define IDB_UNIT_DENSITY_ENGLISH    222
#define IDB_UNIT_LOAD_METRIC        223
#define IDB_UNIT_LOAD_ENGLISH       224
#define IDB_MEAN                    225
#define IDB_UNIT_CRACK_ENGLISH      230
#define IDB_UNIT_CRACK_METRIC       231
#define IDB_MELTWATER_CHART         275
#define IDB_MELTWATER_VLINE         276
#define IDB_MELTWATER_HLINE         277
#define IDB_IN_SYMBOL_C             420
#define IDB_IN_SYMBOL_R             421
#define IDB_IN_SYMBOL_IC            422
#define IDB_IN_SYMBOL_NC            423
#define IDB_IN_SYMBOL_WC            424
#define IDB_IN_SYMBOL_W             425
#define IDB_IN_SYMBOL_CS            426
#define IDB_IN_SYMBOL_KP            427
#define IDB_IN_SYMBOL_HEAVE         428
#define IDB_IN_SYMBOL_KSUB          429
#define IDB_IN_SYMBOL_GAMMA_S       430
#define IDB_IN_SYMBOL_GAMMA_B       431
#define IDB_IN_SYMBOL_HS            432
#define IDB_IN_SYMBOL_HB            433
#define IDB_IN_SYMBOL_LOAD          434
#define IDB_IN_SYMBOL_QM_ROOT_K     435
#define IDB_FORMULA_RATIO           436
#define IDB_FORMULA_CRACK           437
#define IDB_FORMULA_LOAD            438

// Menu 130.
#define ID_HELP_CONTENTS            32771
#define ID_APP_ABOUT_QUARROW        32772
#define ID_UNITS_METRIC             32773
#define ID_UNITS_ENGLISH            32774
#define ID_MODE_EXPERT              32776
#define ID_MODE_NORMAL              32777
#define ID_FILE_SAVE_AS_QRW         32781
#define ID_EXPORT_SUMMARY           32785
#define ID_PLOT_SCALE_POW45         32787
#define ID_SENSITIVITY_INFLOW       32789
#define ID_SENSITIVITY_SLOPE        32790
#define ID_SENSITIVITY_LENGTH       32791
#define ID_SENSITIVITY_PERMEABILITY 32792
#define ID_SENSITIVITY_DRAIN        32793
#define ID_SENSITIVITY_THICKNESS    32794
#define ID_SENSITIVITY_POROSITY     32795
#define ID_PLOT_SCALE_LOG           32797
#define ID_PRINT_SUMMARY            32798
#define ID_FILE_NEW_QRW             57600
#define ID_FILE_OPEN_QRW            57601
#define ID_FILE_EXIT                57602
#define ID_FILE_SAVE_QRW            57603

// Permeable base page (template 233). The first input is Ne (time to drain) or the design inflow q
// (depth of flow); k, S, L, H, then n, Psat, U and t (time to drain) or Hmin and Q (depth of flow).
#define IDC_PB_FORMULA_TTD          1027
#define IDC_PB_PIC_H                1064
#define IDC_PB_PIC_HMIN             1065
#define IDC_PB_PIC_U                1142
#define IDC_PB_PIC_T                1143
#define IDC_PB_PIC_N                1153
#define IDC_PB_PIC_K                1157
#define IDC_PB_PIC_S                1158
#define IDC_PB_TTD                  1159
#define IDC_PB_DOF                  1160
#define IDC_PB_PIC_L                1161
#define IDC_PB_SIEVE_INPUT          1165
#define IDC_PB_INPUT                1166
#define IDC_PB_SIEVE_K              1167
#define IDC_PB_K                    1168
#define IDC_PB_S                    1169
#define IDC_PB_L                    1170
#define IDC_PB_H                    1171
#define IDC_PB_HMIN                 1172
#define IDC_PB_CALC_HMIN            1174
#define IDC_PB_PLOT_DOF             1175
#define IDC_PB_Q                    1176
#define IDC_PB_PSAT                 1177
#define IDC_PB_NOTE                 1178
#define IDC_PB_N                    1179
#define IDC_PB_UNIT_PSAT            1180
#define IDC_PB_T                    1181
#define IDC_PB_CALC_T               1182
#define IDC_PB_PLOT_TTD             1183
#define IDC_PB_U                    1184
#define IDC_PB_CALC_U               1185
#define IDC_PB_PIC_PSAT             1186
#define IDC_PB_BARBER               1187
#define IDC_PB_CASAGRANDE           1188
#define IDC_PB_PIC_INPUT            1189
#define IDC_PB_PIC_Q                1190
#define IDC_PB_CALC_Q               1192
#define IDC_PB_CALC_PSAT            1193
#define IDC_PB_AASHTO               1194
#define IDC_PB_QUALITY              1195
#define IDC_PB_PRM                  1196
#define IDC_PB_UNIT_K               1197
#define IDC_PB_UNIT_S               1198
#define IDC_PB_UNIT_L               1199
#define IDC_PB_UNIT_H               1200
#define IDC_PB_UNIT_T               1201
#define IDC_PB_UNIT_U               1202
#define IDC_PB_UNIT_HMIN            1203
#define IDC_PB_UNIT_Q               1204
#define IDC_PB_UNIT_INPUT           1205
#define IDC_PB_GROUP_METHOD         1390
#define IDC_PB_GROUP_CRITERION      1391
#define IDC_PB_FOCUS_SINK           1398

// Pictures of the permeable base page: the plot buttons' chart, the underlined symbols that lead to
// the pages where a value is found, and the page's own symbols and formula.
#define IDB_SYMBOL_K_LINK           177
#define IDB_SYMBOL_NE_LINK          187
#define IDB_PLOT                    247
#define IDB_TOTAL_INFLOW_LINK       264
#define IDB_PB_SYMBOL_N             440
#define IDB_PB_SYMBOL_S             441
#define IDB_PB_SYMBOL_L             442
#define IDB_PB_SYMBOL_PSAT          443
#define IDB_PB_SYMBOL_HMIN          444
#define IDB_PB_FORMULA_TTD          445
