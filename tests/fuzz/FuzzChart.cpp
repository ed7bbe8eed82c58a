#include "tests/fuzz/FuzzChart.h"

#include "chart/model/Graph.h"
#include "framework/win/Dc.h"
#include "framework/win/Gdi.h"

#include <windows.h>

void FuzzDrawChart(QVGraph& chart, int nWidth, int nHeight)
{
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = nWidth;
    info.bmiHeader.biHeight = -nHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* pBits = nullptr;
    CBitmap canvas;
    canvas.Attach(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pBits, nullptr, 0));
    CBitmap* pOld = dc.SelectObject(&canvas);
    chart.SetFixedRect(CRect(0, 0, nWidth, nHeight), 0);
    try
    {
        chart.Draw(&dc, nullptr);
    }
    catch (...)
    {
        dc.SelectObject(pOld);
        throw;
    }
    dc.SelectObject(pOld);
}
