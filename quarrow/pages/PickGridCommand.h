#pragma once

#include <windows.h>

class CGXGridWnd;

// The dialog tables from which the engineer picks a row (heave classes, water losses) accept a
// double click as the dialog's OK: the grid sends the nearest dialog above it (minimised ones too)
// a command from its control id with notification code 1, its own window as the sender.
const WORD PickGridDoubleClickCode = 1;
void PickGridSendDoubleClick(CGXGridWnd& grid);
