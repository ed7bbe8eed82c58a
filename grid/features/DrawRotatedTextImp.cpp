#include "grid/features/DrawRotatedTextImp.h"

#include "framework/win/Dc.h"
#include "grid/core/AppData.h"

#include <cmath>
#include <cstring>
#include <new>

CPoint GXRotatedTextOrigin(const RECT& rect, CSize extent, UINT nFormat, LONG lfOrientation)
{
    const double w = extent.cx;
    const double h = extent.cy;
    const double W = rect.right - rect.left;
    const double H = rect.bottom - rect.top;
    double a = lfOrientation * 0.1;
    while (a < 0)
        a += 360;
    while (a >= 360)
        a -= 360;
    const double kRadians = 0.017453292519444445;
    double x = rect.left;
    double y = rect.top;
    double r = 0;
    const BOOL bThirdQuadrant = a >= 180 && a <= 270;
    // The base point: where the text's baseline starts for the text to lie in the rectangle's corner.
    if (a <= 90)
    {
        r = a * kRadians;
        y = rect.top + std::sin(r) * w + h / 2;
    }
    else if (a < 180)
    {
        r = (a - 90) * kRadians;
        x = rect.left + std::sin(r) * w;
        if (x > rect.right)
            x = rect.right - h;
        y = rect.top + std::cos(r) * w + h;
    }
    else if (bThirdQuadrant)
    {
        r = (a - 180) * kRadians;
        x = rect.left + std::cos(r) * w + h;
    }
    else
    {
        r = (a - 270) * kRadians;
        x = rect.left + std::sin(r) * h;
    }
    if ((nFormat & DT_RIGHT) != 0)
        x += (W - std::cos(r) * w) - h;
    else if ((nFormat & DT_CENTER) != 0)
        x += (W - std::cos(r) * w) / 2 - h / 2;
    if ((nFormat & DT_BOTTOM) != 0)
        y += (H - std::sin(r) * w) - h;
    else if ((nFormat & DT_VCENTER) != 0)
        y += bThirdQuadrant ? (H - std::sin(r) * w) / 2 : (H - std::sin(r) * w) / 2 - h / 2;
    return CPoint(static_cast<int>(x), static_cast<int>(y));
}

int CGXDrawRotatedTextImp::DrawRotatedText(CDC* pDC, LPCTSTR pszText, int nLength, RECT& rect, UINT nFormat,
                                           LONG lfOrientation, const RECT* pClipRect)
{
    if (pDC == nullptr || pszText == nullptr)
        return 0;
    if (nLength < 0)
        nLength = static_cast<int>(std::strlen(pszText));
    if (nLength == 0)
        return 0;
    const CSize extent = pDC->GetTextExtent(pszText, nLength);
    const HDC hDC = pDC->GetSafeHdc();
    const int nSaved = ::SaveDC(hDC);
    const RECT& clip = pClipRect != nullptr ? *pClipRect : rect;
    ::IntersectClipRect(hDC, clip.left, clip.top, clip.right, clip.bottom);
    const CPoint origin = GXRotatedTextOrigin(rect, extent, nFormat, lfOrientation);
    pDC->TextOut(origin.x, origin.y, pszText, nLength);
    ::RestoreDC(hDC, nSaved);
    return 0;
}

void InstallDrawRotatedTextImp()
{
    GXLibraryLinks& links = GXGetLibraryLinks();
    if (links.pDrawRotatedTextImp != nullptr)
        return;
    // Without memory the feature is simply missing.
    auto* pImp = new (std::nothrow) CGXDrawRotatedTextImp;
    if (pImp == nullptr)
        return;
    links.pDrawRotatedTextImp = pImp;
    GXGetAppData()->AddOwnedObject(pImp);
}
