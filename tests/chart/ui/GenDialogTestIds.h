// Resource ids of the control-group tests: a host dialog with a placeholder, and the groups' templates.
#pragma once

#define IDD_GEN_HOST            30100
#define IDC_GEN_PLACE           30101
#define IDD_GEN_PLAIN           30110
#define IDD_GEN_EXTENDED        30111
#define IDD_GEN_MISSING         30119

#define IDC_GEN_EDIT            30120
#define IDC_GEN_LABEL           30121
#define IDC_GEN_ACTIVEX         30122
#define IDC_GEN_UNKNOWN         30123
#define IDC_GEN_BUTTON          30124
#define IDC_GEN_LIST            30125
#define IDC_GEN_COMBO           30126
