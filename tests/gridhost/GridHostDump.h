// The dump: the state of the host's grid as lines of text, for checks from outside. One function
// builds it; later features add their lines to it.
//
//   rows N / cols N / frozen R C / headers R C
//   undo N "NAME" / redo N "NAME"                   (count and newest command's name)
//   undomenu "TEXT" E / redomenu "TEXT" E             (the Edit items as the menu shows them)
//   enabled ID E                                      (each item of the Edit and Grid menus)
//   selection N, then per range: range cells T L B R | rows T B | cols L R | table
//   widths W0 .. Wn / heights H0 .. Hn                (pixels, from the header on)
//   view I pane R C top T left L current R C|none     (each view of the document)
//   cell R C "VALUE"                                  (each cell that holds a value; with /formula the
//                                                      value a formula shows)
//   text R C "DISPLAY"                                (its control's display text, for the same cells)
//   pages N                                           (the pages of the grid's last print or preview)
//   tabs N current I / tab I "LABEL"                  (each tab-window child: its tabs from 0)
// Texts are quoted with \\ \" \t \r \n escaped.
#pragma once

#include "framework/core/CString.h"

class CGridHostApp;

// Without cells, the dump leaves out the cell and text lines (a large table has many).
CString GridHostDumpText(CGridHostApp& app, bool bCells = true);
// FALSE when the file cannot be written.
BOOL GridHostWriteDump(CGridHostApp& app, LPCTSTR pszPath);
// A text quoted and escaped as the dump writes it.
CString GridHostQuote(LPCTSTR pszText);
