// Resource ids of the window-layer tests (9100-9299).
#pragma once

#define IDD_EXCHANGE        9100
#define IDC_NAME            9101
#define IDC_COUNT           9102
#define IDC_RATIO           9103
#define IDC_ENABLED         9104
#define IDC_RADIO_FIRST     9105
#define IDC_RADIO_SECOND    9106
#define IDC_RADIO_THIRD     9107
#define IDC_CHOICE          9108
#define IDC_LIST            9109
#define IDC_AMOUNT            9112
#define IDC_LEVEL           9113

#define IDD_LIBRARY_CONTROL 9110
#define IDC_LIBRARY_WINDOW  9111

#define IDM_TEST_MENU       9120
#define ID_TEST_ALPHA       9121
#define ID_TEST_BETA        9122
#define ID_TEST_GAMMA       9123

#define IDS_TEST_PROMPT     9130

#define IDB_TREE_IMAGES     9140   // three 16 x 16 images: a red, a green and a blue square on white
