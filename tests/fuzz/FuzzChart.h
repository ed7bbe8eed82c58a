// What a program does with a chart it read: it draws it.
#pragma once

class QVGraph;

// Draws the chart on a white 32-bit canvas of the size, placed at its origin. An exception of the
// drawing goes to the caller.
void FuzzDrawChart(QVGraph& chart, int nWidth, int nHeight);
