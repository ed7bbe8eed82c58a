// Shared helpers of the chart model tests: catching chart errors, archive round trips, memory DCs with
// pixels to read, and pictures for a person to look at.
#pragma once

#include "chart/model/GraphException.h"
#include "framework/core/Archive.h"
#include "framework/core/File.h"
#include "framework/win/Dc.h"
#include "framework/win/Gdi.h"

#include <functional>
#include <string>

// The code of the chart error that action raises; -1 when it raises none.
inline int ChartErrorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (QVGraphException* e) {
        const int code = e->m_nErrorCode;
        e->Delete();
        return code;
    }
    return -1;
}

// Stores source into memory and loads it back into target.
template <class T>
void RoundTrip(T& source, T& target)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        source.Serialize(ar);
        ar.Close();
    }
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    target.Serialize(ar);
    ar.Close();
}

// A screen-compatible memory DC with a 32-bit bitmap of the given size, painted white.
class CMemoryCanvas
{
public:
    CMemoryCanvas(int width, int height);
    ~CMemoryCanvas();

    CDC dc;
    int width;
    int height;

    COLORREF Pixel(int x, int y) { return dc.GetPixel(x, y); }
    // Writes the picture into the build folder (the working directory of the test run).
    void SaveBmp(const char* fileName);

private:
    CBitmap m_bitmap;
    CBitmap* m_pOld;
};
