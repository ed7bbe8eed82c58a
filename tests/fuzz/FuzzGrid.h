// What a program does with grid data it read: a grid window shows it and prints it.
#pragma once

class CGXGridParam;

// The grid library's start-up (its archive forms, components and window classes); once for the run.
void FuzzStartGridLibrary();

// A hidden grid window on the parameter object (a new one of the grid's own when NULL, which reads
// the application's profile as every new grid does), with the span features installed: it paints
// once, and with bPrint runs print setup on the object's own printer (when it has one, the dialog
// confirmed as offered) and prints its first page to a recording printer.
void FuzzShowGrid(CGXGridParam* pParam, bool bPrint);
