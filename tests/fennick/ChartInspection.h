// Looking into the chart a document built: its components in list order, its labels, the values of a
// group, and the chart drawn into a memory picture.
#pragma once

#include "FennickTestSupport.h"

#include "chart/model/AxisScale.h"
#include "chart/model/ChartResourceIds.h"
#include "chart/model/Graph.h"
#include "chart/model/GraphData.h"
#include "chart/model/GraphLabel.h"
#include "framework/win/Dc.h"
#include "framework/win/Gdi.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace chart_inspection {

struct DocDeleter
{
    void operator()(CFennickDoc* pDoc) const { delete pDoc; }
};
using DocPtr = std::unique_ptr<CFennickDoc, DocDeleter>;

template <class T>
T* ComponentAt(QVGraph& chart, int nPlace)
{
    CObList* pList = chart.GetComponentList();
    POSITION pos = pList->FindIndex(nPlace);
    return pos != nullptr ? dynamic_cast<T*>(pList->GetAt(pos)) : nullptr;
}

inline QVGraphLabel* Label(QVGraph& chart, int n)
{
    return dynamic_cast<QVGraphLabel*>(chart.FindComponent(n, IDS_QVG_LABEL));
}

inline std::string LabelText(QVGraph& chart, int n)
{
    QVGraphLabel* pLabel = Label(chart, n);
    return pLabel != nullptr ? std::string(static_cast<LPCTSTR>(pLabel->GetCurrentText())) : "(none)";
}

// The values of the group's items that hold one (null items are no points).
inline std::vector<double> GroupValues(QVGraph& chart, int nGroup)
{
    std::vector<double> values;
    if (nGroup >= chart.GetGroupCount())
        return values;
    for (int i = 0; i < chart.GetGroupSize(nGroup); ++i)
    {
        QVGraphData* pItem = chart.FindItem(i, nGroup);
        if (!pItem->IsNull())
            values.push_back(pItem->GetValue());
    }
    return values;
}

inline std::string GroupText(QVGraph& chart, int nGroup)
{
    return nGroup < chart.GetGroupCount() ? std::string(static_cast<LPCTSTR>(chart.GetGroupText(nGroup, 1))) : "";
}

// The trimmed texts of a scale's labels, in scale order.
inline std::vector<std::string> ScaleLabelTexts(QVGDecimalScale* pScale)
{
    std::vector<std::string> texts;
    for (int i = 0; pScale != nullptr && i < pScale->GetLabelCount(); ++i)
    {
        CString text = pScale->GetLabel(i)->GetCurrentText();
        text.Trim();
        texts.push_back(static_cast<LPCTSTR>(text));
    }
    return texts;
}

// A plot data file Quarrow's writer makes, from the golden files built into the test program.
inline std::string GoldenFile(int nResource)
{
    HRSRC hResource = ::FindResourceA(nullptr, MAKEINTRESOURCEA(nResource), MAKEINTRESOURCEA(10) /* RT_RCDATA */);
    if (hResource == nullptr)
        return std::string();
    const char* pData = static_cast<const char*>(::LockResource(::LoadResource(nullptr, hResource)));
    return std::string(pData, ::SizeofResource(nullptr, hResource));
}

// A white 32-bit memory picture that a chart draws into whole.
class Canvas
{
public:
    Canvas(int nWidth, int nHeight) : width(nWidth), height(nHeight)
    {
        dc.CreateCompatibleDC(nullptr);
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = nWidth;
        info.bmiHeader.biHeight = -nHeight;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* pBits = nullptr;
        m_bitmap.Attach(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pBits, nullptr, 0));
        m_pOld = dc.SelectObject(&m_bitmap);
        dc.FillSolidRect(0, 0, nWidth, nHeight, RGB(255, 255, 255));
    }
    ~Canvas() { dc.SelectObject(m_pOld); }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    COLORREF Pixel(int x, int y) { return dc.GetPixel(x, y); }

    // A picture for a person to look at, into the working folder (the build folder of the tests).
    void SaveBmp(const char* pszFileName)
    {
        const int rowBytes = width * 3 + (4 - width * 3 % 4) % 4;
        std::vector<unsigned char> pixels(size_t(rowBytes) * size_t(height));
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
            {
                const COLORREF c = Pixel(x, height - 1 - y);
                unsigned char* p = &pixels[size_t(y) * size_t(rowBytes) + size_t(x) * 3];
                p[0] = GetBValue(c);
                p[1] = GetGValue(c);
                p[2] = GetRValue(c);
            }
        BITMAPFILEHEADER file = {};
        BITMAPINFOHEADER info = {};
        info.biSize = sizeof info;
        info.biWidth = width;
        info.biHeight = height;
        info.biPlanes = 1;
        info.biBitCount = 24;
        info.biSizeImage = DWORD(pixels.size());
        file.bfType = 0x4D42;
        file.bfOffBits = sizeof file + sizeof info;
        file.bfSize = DWORD(file.bfOffBits + pixels.size());
        if (FILE* pFile = std::fopen(pszFileName, "wb"))
        {
            std::fwrite(&file, sizeof file, 1, pFile);
            std::fwrite(&info, sizeof info, 1, pFile);
            std::fwrite(pixels.data(), 1, pixels.size(), pFile);
            std::fclose(pFile);
        }
    }

    void Draw(QVGraph& chart)
    {
        chart.SetFixedRect(CRect(0, 0, width, height), 0);
        chart.Draw(&dc, nullptr);
    }

    CDC dc;
    int width;
    int height;

private:
    CBitmap m_bitmap;
    CBitmap* m_pOld = nullptr;
};

} // namespace chart_inspection
