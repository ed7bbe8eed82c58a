#include "tests/fuzz/FuzzChart.h"

#include "chart/model/Graph.h"
#include "tests/chart/model/ChartTestSupport.h"

void FuzzDrawChart(QVGraph& chart, int nWidth, int nHeight)
{
    CMemoryCanvas canvas(nWidth, nHeight);
    chart.SetFixedRect(CRect(0, 0, nWidth, nHeight), 0);
    chart.Draw(&canvas.dc, nullptr);
}
