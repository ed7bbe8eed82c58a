#include "framework/win/Dc.h"

#include <memory>
#include <unordered_map>

#include "framework/core/Exceptions.h"
#include "framework/core/ThreadData.h"
#include "framework/win/PrinterSeam.h"
#include "framework/win/Wnd.h"


IMPLEMENT_DYNAMIC(CDC, CObject)
IMPLEMENT_DYNAMIC(CPaintDC, CDC)
IMPLEMENT_DYNAMIC(CClientDC, CDC)
IMPLEMENT_DYNAMIC(CWindowDC, CDC)

namespace {

// Per thread: the CDC attached to each output handle, and temporary wrappers made by FromHandle.
struct DcHandleMaps
{
    std::unordered_map<HDC, CDC*> permanent;
    std::unordered_map<HDC, std::unique_ptr<CDC>> temporary;

    ~DcHandleMaps() { DeleteTemporaries(); }

    void DeleteTemporaries()
    {
        for (auto& entry : temporary)
            entry.second->m_hDC = entry.second->m_hAttribDC = nullptr;  // never owned
        temporary.clear();
    }
};

// Deleted when the thread ends; wrappers of static or thread storage may be destroyed after that.
// From then on the thread has no maps: FromHandle gives NULL and Attach maps nothing.
using ThreadMaps = CThreadData<DcHandleMaps>;

// Runs a setter on the output handle (when it is a handle of its own) and on the attribute handle,
// and answers with the attribute handle's result (the output's when there is no attribute handle).
template <class Call>
auto OnBoth(HDC hDC, HDC hAttribDC, Call call) -> decltype(call(hDC))
{
    decltype(call(hDC)) result{};
    if (hDC != nullptr && hDC != hAttribDC)
        result = call(hDC);
    if (hAttribDC != nullptr)
        result = call(hAttribDC);
    return result;
}

HGDIOBJ SelectGdiObject(HDC hDC, HDC hAttribDC, HGDIOBJ hObject)
{
    if (hObject == nullptr)
        return nullptr;
    return OnBoth(hDC, hAttribDC, [hObject](HDC h) { return ::SelectObject(h, hObject); });
}

// The handle that answers queries: the attribute handle, or the output one when there is none.
HDC QueryHandle(const CDC& dc)
{
    return dc.m_hAttribDC != nullptr ? dc.m_hAttribDC : dc.m_hDC;
}

constexpr int kHimetricPerInch = 2540;

// Lines are drawn on the output handle; a separate attribute handle's current position follows.
void MoveAttribTo(const CDC& dc, int x, int y)
{
    if (dc.m_hAttribDC != nullptr && dc.m_hAttribDC != dc.m_hDC)
        ::MoveToEx(dc.m_hAttribDC, x, y, nullptr);
}

// For drawing whose end the caller does not know (arcs): the output handle's position after it.
void MoveAttribToOutputPosition(const CDC& dc)
{
    if (dc.m_hAttribDC != nullptr && dc.m_hAttribDC != dc.m_hDC)
    {
        POINT end = {0, 0};
        ::GetCurrentPositionEx(dc.m_hDC, &end);
        ::MoveToEx(dc.m_hAttribDC, end.x, end.y, nullptr);
    }
}

}  // namespace

// ---------------------------------------------------------------- construction and handles

CDC::CDC() : m_hDC(nullptr), m_hAttribDC(nullptr), m_bPrinting(FALSE) {}

CDC::~CDC()
{
    if (m_hDC != nullptr)
        DeleteDC();
}

CDC* PASCAL CDC::FromHandle(HDC hDC)
{
    if (hDC == nullptr)
        return nullptr;
    DcHandleMaps* pMaps = ThreadMaps::Get();
    if (pMaps == nullptr)
        return nullptr;
    auto found = pMaps->permanent.find(hDC);
    if (found != pMaps->permanent.end())
        return found->second;
    auto& slot = pMaps->temporary[hDC];
    if (!slot)
    {
        slot = std::make_unique<CDC>();
        slot->m_hDC = slot->m_hAttribDC = hDC;
    }
    return slot.get();
}

void PASCAL CDC::DeleteTempMap()
{
    if (DcHandleMaps* pMaps = ThreadMaps::Existing())
        pMaps->DeleteTemporaries();
}

BOOL CDC::Attach(HDC hDC)
{
    if (hDC == nullptr)
        return FALSE;
    if (m_hDC != nullptr && m_hDC != hDC)
        DeleteDC();
    m_hDC = hDC;
    m_hAttribDC = hDC;
    if (DcHandleMaps* pMaps = ThreadMaps::Get())
        pMaps->permanent[hDC] = this;
    return TRUE;
}

HDC CDC::Detach()
{
    HDC hDC = m_hDC;
    DcHandleMaps* pMaps = ThreadMaps::Existing();
    if (hDC != nullptr && pMaps != nullptr)
    {
        auto found = pMaps->permanent.find(hDC);
        if (found != pMaps->permanent.end() && found->second == this)
            pMaps->permanent.erase(found);
    }
    ReleaseAttribDC();
    ReleaseOutputDC();
    return hDC;
}

void CDC::SetAttribDC(HDC hDC)
{
    m_hAttribDC = hDC;
}

void CDC::SetOutputDC(HDC hDC)
{
    m_hDC = hDC;
}

void CDC::ReleaseAttribDC()
{
    m_hAttribDC = nullptr;
}

void CDC::ReleaseOutputDC()
{
    m_hDC = nullptr;
}

BOOL CDC::CreateDC(LPCTSTR lpszDriverName, LPCTSTR lpszDeviceName, LPCTSTR lpszOutput, const void* lpInitData)
{
    return Attach(::CreateDC(lpszDriverName, lpszDeviceName, lpszOutput, static_cast<const DEVMODE*>(lpInitData)));
}

BOOL CDC::CreateIC(LPCTSTR lpszDriverName, LPCTSTR lpszDeviceName, LPCTSTR lpszOutput, const void* lpInitData)
{
    return Attach(::CreateIC(lpszDriverName, lpszDeviceName, lpszOutput, static_cast<const DEVMODE*>(lpInitData)));
}

BOOL CDC::CreateCompatibleDC(CDC* pDC)
{
    return Attach(::CreateCompatibleDC(pDC != nullptr ? pDC->m_hDC : nullptr));
}

BOOL CDC::DeleteDC()
{
    if (m_hDC == nullptr)
        return FALSE;
    return ::DeleteDC(Detach());
}

// ---------------------------------------------------------------- device state

int CDC::SaveDC()
{
    // Both handles are saved; a caller restores with the attribute handle's level (or -1).
    int saved = 0;
    if (m_hAttribDC != nullptr)
        saved = ::SaveDC(m_hAttribDC);
    if (m_hDC != nullptr && m_hDC != m_hAttribDC)
    {
        int outputSaved = ::SaveDC(m_hDC);
        if (m_hAttribDC == nullptr)
            saved = outputSaved;
        else if (outputSaved != 0)
            saved = -1;
    }
    return saved;
}

BOOL CDC::RestoreDC(int nSavedDC)
{
    BOOL restored = TRUE;
    if (m_hDC != nullptr && m_hDC != m_hAttribDC)
        restored = ::RestoreDC(m_hDC, nSavedDC);
    if (m_hAttribDC != nullptr)
        restored = ::RestoreDC(m_hAttribDC, nSavedDC) && restored;
    return restored;
}

int CDC::GetDeviceCaps(int nIndex) const
{
    return AfxGetDeviceCaps(QueryHandle(*this), nIndex);
}

CPoint CDC::GetBrushOrg() const
{
    POINT point = {0, 0};
    ::GetBrushOrgEx(m_hDC, &point);
    return point;
}

CPoint CDC::SetBrushOrg(int x, int y)
{
    POINT point = {0, 0};
    ::SetBrushOrgEx(m_hDC, x, y, &point);
    return point;
}

CPoint CDC::SetBrushOrg(POINT point)
{
    return SetBrushOrg(point.x, point.y);
}

// ---------------------------------------------------------------- selection

CGdiObject* CDC::SelectStockObject(int nIndex)
{
    return CGdiObject::FromHandle(SelectGdiObject(m_hDC, m_hAttribDC, ::GetStockObject(nIndex)));
}

CPen* CDC::SelectObject(CPen* pPen)
{
    if (pPen == nullptr)
        return nullptr;
    return CPen::FromHandle(static_cast<HPEN>(SelectGdiObject(m_hDC, m_hAttribDC, pPen->m_hObject)));
}

CBrush* CDC::SelectObject(CBrush* pBrush)
{
    if (pBrush == nullptr)
        return nullptr;
    return CBrush::FromHandle(static_cast<HBRUSH>(SelectGdiObject(m_hDC, m_hAttribDC, pBrush->m_hObject)));
}

CFont* CDC::SelectObject(CFont* pFont)
{
    if (pFont == nullptr)
        return nullptr;
    return CFont::FromHandle(static_cast<HFONT>(SelectGdiObject(m_hDC, m_hAttribDC, pFont->m_hObject)));
}

CBitmap* CDC::SelectObject(CBitmap* pBitmap)
{
    // A bitmap is a drawing surface: it goes into the output handle only.
    if (pBitmap == nullptr || pBitmap->m_hObject == nullptr)
        return nullptr;
    return CBitmap::FromHandle(static_cast<HBITMAP>(::SelectObject(m_hDC, pBitmap->m_hObject)));
}

int CDC::SelectObject(CRgn* pRgn)
{
    if (pRgn == nullptr || pRgn->m_hObject == nullptr)
        return ERROR;
    return static_cast<int>(reinterpret_cast<INT_PTR>(SelectGdiObject(m_hDC, m_hAttribDC, pRgn->m_hObject)));
}

CGdiObject* CDC::SelectObject(CGdiObject* pObject)
{
    if (pObject == nullptr)
        return nullptr;
    return CGdiObject::FromHandle(SelectGdiObject(m_hDC, m_hAttribDC, pObject->m_hObject));
}

HGDIOBJ CDC::SelectObject(HGDIOBJ hObject)
{
    return SelectGdiObject(m_hDC, m_hAttribDC, hObject);
}

CPen* CDC::GetCurrentPen() const
{
    return CPen::FromHandle(static_cast<HPEN>(::GetCurrentObject(m_hDC, OBJ_PEN)));
}

CBrush* CDC::GetCurrentBrush() const
{
    return CBrush::FromHandle(static_cast<HBRUSH>(::GetCurrentObject(m_hDC, OBJ_BRUSH)));
}

CPalette* CDC::GetCurrentPalette() const
{
    return CPalette::FromHandle(static_cast<HPALETTE>(::GetCurrentObject(m_hDC, OBJ_PAL)));
}

CFont* CDC::GetCurrentFont() const
{
    return CFont::FromHandle(static_cast<HFONT>(::GetCurrentObject(m_hDC, OBJ_FONT)));
}

CBitmap* CDC::GetCurrentBitmap() const
{
    return CBitmap::FromHandle(static_cast<HBITMAP>(::GetCurrentObject(m_hDC, OBJ_BITMAP)));
}

// ---------------------------------------------------------------- colours and modes

COLORREF CDC::GetNearestColor(COLORREF crColor) const
{
    return ::GetNearestColor(QueryHandle(*this), crColor);
}

CPalette* CDC::SelectPalette(CPalette* pPalette, BOOL bForceBackground)
{
    if (pPalette == nullptr)
        return nullptr;
    return CPalette::FromHandle(::SelectPalette(m_hDC, static_cast<HPALETTE>(pPalette->m_hObject), bForceBackground));
}

UINT CDC::RealizePalette()
{
    return ::RealizePalette(m_hDC);
}

void CDC::UpdateColors()
{
    ::UpdateColors(m_hDC);
}

COLORREF CDC::GetBkColor() const
{
    return ::GetBkColor(QueryHandle(*this));
}

int CDC::GetBkMode() const
{
    return ::GetBkMode(QueryHandle(*this));
}

int CDC::GetPolyFillMode() const
{
    return ::GetPolyFillMode(QueryHandle(*this));
}

int CDC::GetROP2() const
{
    return ::GetROP2(QueryHandle(*this));
}

int CDC::GetStretchBltMode() const
{
    return ::GetStretchBltMode(QueryHandle(*this));
}

COLORREF CDC::GetTextColor() const
{
    return ::GetTextColor(QueryHandle(*this));
}

COLORREF CDC::SetBkColor(COLORREF crColor)
{
    return OnBoth(m_hDC, m_hAttribDC, [crColor](HDC h) { return ::SetBkColor(h, crColor); });
}

int CDC::SetBkMode(int nBkMode)
{
    return OnBoth(m_hDC, m_hAttribDC, [nBkMode](HDC h) { return ::SetBkMode(h, nBkMode); });
}

int CDC::SetPolyFillMode(int nPolyFillMode)
{
    return OnBoth(m_hDC, m_hAttribDC, [nPolyFillMode](HDC h) { return ::SetPolyFillMode(h, nPolyFillMode); });
}

int CDC::SetROP2(int nDrawMode)
{
    return OnBoth(m_hDC, m_hAttribDC, [nDrawMode](HDC h) { return ::SetROP2(h, nDrawMode); });
}

int CDC::SetStretchBltMode(int nStretchMode)
{
    return OnBoth(m_hDC, m_hAttribDC, [nStretchMode](HDC h) { return ::SetStretchBltMode(h, nStretchMode); });
}

COLORREF CDC::SetTextColor(COLORREF crColor)
{
    return OnBoth(m_hDC, m_hAttribDC, [crColor](HDC h) { return ::SetTextColor(h, crColor); });
}

// ---------------------------------------------------------------- mapping

int CDC::GetMapMode() const
{
    return ::GetMapMode(QueryHandle(*this));
}

CPoint CDC::GetViewportOrg() const
{
    POINT point = {0, 0};
    ::GetViewportOrgEx(QueryHandle(*this), &point);
    return point;
}

int CDC::SetMapMode(int nMapMode)
{
    return OnBoth(m_hDC, m_hAttribDC, [nMapMode](HDC h) { return ::SetMapMode(h, nMapMode); });
}

CPoint CDC::SetViewportOrg(int x, int y)
{
    POINT previous = {0, 0};
    OnBoth(m_hDC, m_hAttribDC, [&](HDC h) { return ::SetViewportOrgEx(h, x, y, &previous); });
    return previous;
}

CPoint CDC::SetViewportOrg(POINT point)
{
    return SetViewportOrg(point.x, point.y);
}

CPoint CDC::OffsetViewportOrg(int nWidth, int nHeight)
{
    POINT previous = {0, 0};
    OnBoth(m_hDC, m_hAttribDC, [&](HDC h) { return ::OffsetViewportOrgEx(h, nWidth, nHeight, &previous); });
    return previous;
}

CSize CDC::GetViewportExt() const
{
    SIZE size = {0, 0};
    ::GetViewportExtEx(QueryHandle(*this), &size);
    return size;
}

CSize CDC::SetViewportExt(int cx, int cy)
{
    SIZE previous = {0, 0};
    OnBoth(m_hDC, m_hAttribDC, [&](HDC h) { return ::SetViewportExtEx(h, cx, cy, &previous); });
    return previous;
}

CSize CDC::SetViewportExt(SIZE size)
{
    return SetViewportExt(size.cx, size.cy);
}

CSize CDC::ScaleViewportExt(int xNum, int xDenom, int yNum, int yDenom)
{
    SIZE previous = {0, 0};
    OnBoth(m_hDC, m_hAttribDC, [&](HDC h) { return ::ScaleViewportExtEx(h, xNum, xDenom, yNum, yDenom, &previous); });
    return previous;
}

CPoint CDC::GetWindowOrg() const
{
    POINT point = {0, 0};
    ::GetWindowOrgEx(QueryHandle(*this), &point);
    return point;
}

CPoint CDC::SetWindowOrg(int x, int y)
{
    POINT previous = {0, 0};
    OnBoth(m_hDC, m_hAttribDC, [&](HDC h) { return ::SetWindowOrgEx(h, x, y, &previous); });
    return previous;
}

CPoint CDC::SetWindowOrg(POINT point)
{
    return SetWindowOrg(point.x, point.y);
}

CPoint CDC::OffsetWindowOrg(int nWidth, int nHeight)
{
    POINT previous = {0, 0};
    OnBoth(m_hDC, m_hAttribDC, [&](HDC h) { return ::OffsetWindowOrgEx(h, nWidth, nHeight, &previous); });
    return previous;
}

CSize CDC::GetWindowExt() const
{
    SIZE size = {0, 0};
    ::GetWindowExtEx(QueryHandle(*this), &size);
    return size;
}

CSize CDC::SetWindowExt(int cx, int cy)
{
    SIZE previous = {0, 0};
    OnBoth(m_hDC, m_hAttribDC, [&](HDC h) { return ::SetWindowExtEx(h, cx, cy, &previous); });
    return previous;
}

CSize CDC::SetWindowExt(SIZE size)
{
    return SetWindowExt(size.cx, size.cy);
}

CSize CDC::ScaleWindowExt(int xNum, int xDenom, int yNum, int yDenom)
{
    SIZE previous = {0, 0};
    OnBoth(m_hDC, m_hAttribDC, [&](HDC h) { return ::ScaleWindowExtEx(h, xNum, xDenom, yNum, yDenom, &previous); });
    return previous;
}

// ---------------------------------------------------------------- coordinates

void CDC::DPtoLP(LPPOINT lpPoints, int nCount) const
{
    ::DPtoLP(QueryHandle(*this), lpPoints, nCount);
}

void CDC::DPtoLP(LPRECT lpRect) const
{
    ::DPtoLP(QueryHandle(*this), reinterpret_cast<LPPOINT>(lpRect), 2);
}

void CDC::DPtoLP(LPSIZE lpSize) const
{
    // A size has no origin: convert it as the distance between two converted points.
    POINT points[2] = {{0, 0}, {lpSize->cx, lpSize->cy}};
    ::DPtoLP(QueryHandle(*this), points, 2);
    lpSize->cx = points[1].x - points[0].x;
    lpSize->cy = points[1].y - points[0].y;
}

void CDC::LPtoDP(LPPOINT lpPoints, int nCount) const
{
    ::LPtoDP(QueryHandle(*this), lpPoints, nCount);
}

void CDC::LPtoDP(LPRECT lpRect) const
{
    ::LPtoDP(QueryHandle(*this), reinterpret_cast<LPPOINT>(lpRect), 2);
}

void CDC::LPtoDP(LPSIZE lpSize) const
{
    POINT points[2] = {{0, 0}, {lpSize->cx, lpSize->cy}};
    ::LPtoDP(QueryHandle(*this), points, 2);
    lpSize->cx = points[1].x - points[0].x;
    lpSize->cy = points[1].y - points[0].y;
}

void CDC::DPtoHIMETRIC(LPSIZE lpSize) const
{
    HDC hDC = QueryHandle(*this);
    lpSize->cx = ::MulDiv(lpSize->cx, kHimetricPerInch, ::GetDeviceCaps(hDC, LOGPIXELSX));
    lpSize->cy = ::MulDiv(lpSize->cy, kHimetricPerInch, ::GetDeviceCaps(hDC, LOGPIXELSY));
}

void CDC::LPtoHIMETRIC(LPSIZE lpSize) const
{
    LPtoDP(lpSize);
    DPtoHIMETRIC(lpSize);
}

void CDC::HIMETRICtoDP(LPSIZE lpSize) const
{
    HDC hDC = QueryHandle(*this);
    lpSize->cx = ::MulDiv(lpSize->cx, ::GetDeviceCaps(hDC, LOGPIXELSX), kHimetricPerInch);
    lpSize->cy = ::MulDiv(lpSize->cy, ::GetDeviceCaps(hDC, LOGPIXELSY), kHimetricPerInch);
}

void CDC::HIMETRICtoLP(LPSIZE lpSize) const
{
    HIMETRICtoDP(lpSize);
    DPtoLP(lpSize);
}

// ---------------------------------------------------------------- regions and clipping

BOOL CDC::FillRgn(CRgn* pRgn, CBrush* pBrush)
{
    return ::FillRgn(m_hDC, static_cast<HRGN>(pRgn->m_hObject), static_cast<HBRUSH>(pBrush->m_hObject));
}

BOOL CDC::FrameRgn(CRgn* pRgn, CBrush* pBrush, int nWidth, int nHeight)
{
    return ::FrameRgn(m_hDC, static_cast<HRGN>(pRgn->m_hObject), static_cast<HBRUSH>(pBrush->m_hObject), nWidth,
                      nHeight);
}

BOOL CDC::InvertRgn(CRgn* pRgn)
{
    return ::InvertRgn(m_hDC, static_cast<HRGN>(pRgn->m_hObject));
}

BOOL CDC::PaintRgn(CRgn* pRgn)
{
    return ::PaintRgn(m_hDC, static_cast<HRGN>(pRgn->m_hObject));
}

int CDC::GetClipBox(LPRECT lpRect) const
{
    return ::GetClipBox(m_hDC, lpRect);
}

BOOL CDC::PtVisible(int x, int y) const
{
    return ::PtVisible(m_hDC, x, y);
}

BOOL CDC::PtVisible(POINT point) const
{
    return PtVisible(point.x, point.y);
}

BOOL CDC::RectVisible(LPCRECT lpRect) const
{
    return ::RectVisible(m_hDC, lpRect);
}

int CDC::SelectClipRgn(CRgn* pRgn)
{
    HRGN hRgn = pRgn != nullptr ? static_cast<HRGN>(pRgn->m_hObject) : nullptr;
    return OnBoth(m_hDC, m_hAttribDC, [hRgn](HDC h) { return ::SelectClipRgn(h, hRgn); });
}

int CDC::SelectClipRgn(CRgn* pRgn, int nMode)
{
    HRGN hRgn = pRgn != nullptr ? static_cast<HRGN>(pRgn->m_hObject) : nullptr;
    return OnBoth(m_hDC, m_hAttribDC, [hRgn, nMode](HDC h) { return ::ExtSelectClipRgn(h, hRgn, nMode); });
}

int CDC::ExcludeClipRect(int x1, int y1, int x2, int y2)
{
    return OnBoth(m_hDC, m_hAttribDC, [=](HDC h) { return ::ExcludeClipRect(h, x1, y1, x2, y2); });
}

int CDC::ExcludeClipRect(LPCRECT lpRect)
{
    return ExcludeClipRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

int CDC::IntersectClipRect(int x1, int y1, int x2, int y2)
{
    return OnBoth(m_hDC, m_hAttribDC, [=](HDC h) { return ::IntersectClipRect(h, x1, y1, x2, y2); });
}

int CDC::IntersectClipRect(LPCRECT lpRect)
{
    return IntersectClipRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

int CDC::OffsetClipRgn(int x, int y)
{
    return OnBoth(m_hDC, m_hAttribDC, [=](HDC h) { return ::OffsetClipRgn(h, x, y); });
}

int CDC::OffsetClipRgn(SIZE size)
{
    return OffsetClipRgn(size.cx, size.cy);
}

// ---------------------------------------------------------------- lines

CPoint CDC::GetCurrentPosition() const
{
    POINT point = {0, 0};
    ::GetCurrentPositionEx(QueryHandle(*this), &point);
    return point;
}

CPoint CDC::MoveTo(int x, int y)
{
    POINT previous = {0, 0};
    OnBoth(m_hDC, m_hAttribDC, [&](HDC h) { return ::MoveToEx(h, x, y, &previous); });
    return previous;
}

CPoint CDC::MoveTo(POINT point)
{
    return MoveTo(point.x, point.y);
}

BOOL CDC::LineTo(int x, int y)
{
    MoveAttribTo(*this, x, y);
    return ::LineTo(m_hDC, x, y);
}

BOOL CDC::LineTo(POINT point)
{
    return LineTo(point.x, point.y);
}

BOOL CDC::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    return ::Arc(m_hDC, x1, y1, x2, y2, x3, y3, x4, y4);
}

BOOL CDC::Arc(LPCRECT lpRect, POINT ptStart, POINT ptEnd)
{
    return Arc(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom, ptStart.x, ptStart.y, ptEnd.x, ptEnd.y);
}

BOOL CDC::ArcTo(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    BOOL drawn = ::ArcTo(m_hDC, x1, y1, x2, y2, x3, y3, x4, y4);
    MoveAttribToOutputPosition(*this);
    return drawn;
}

BOOL CDC::ArcTo(LPCRECT lpRect, POINT ptStart, POINT ptEnd)
{
    return ArcTo(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom, ptStart.x, ptStart.y, ptEnd.x, ptEnd.y);
}

BOOL CDC::AngleArc(int x, int y, int nRadius, float fStartAngle, float fSweepAngle)
{
    BOOL drawn = ::AngleArc(m_hDC, x, y, static_cast<DWORD>(nRadius), fStartAngle, fSweepAngle);
    MoveAttribToOutputPosition(*this);
    return drawn;
}

BOOL CDC::Polyline(const POINT* lpPoints, int nCount)
{
    return ::Polyline(m_hDC, lpPoints, nCount);
}

BOOL CDC::PolylineTo(const POINT* lpPoints, int nCount)
{
    BOOL drawn = ::PolylineTo(m_hDC, lpPoints, static_cast<DWORD>(nCount));
    if (nCount > 0)
        MoveAttribTo(*this, lpPoints[nCount - 1].x, lpPoints[nCount - 1].y);
    return drawn;
}

BOOL CDC::PolyPolyline(const POINT* lpPoints, const DWORD* lpPolyPoints, int nCount)
{
    return ::PolyPolyline(m_hDC, lpPoints, lpPolyPoints, static_cast<DWORD>(nCount));
}

BOOL CDC::PolyBezier(const POINT* lpPoints, int nCount)
{
    return ::PolyBezier(m_hDC, lpPoints, static_cast<DWORD>(nCount));
}

BOOL CDC::PolyBezierTo(const POINT* lpPoints, int nCount)
{
    BOOL drawn = ::PolyBezierTo(m_hDC, lpPoints, static_cast<DWORD>(nCount));
    if (nCount > 0)
        MoveAttribTo(*this, lpPoints[nCount - 1].x, lpPoints[nCount - 1].y);
    return drawn;
}

// ---------------------------------------------------------------- simple drawing

void CDC::FillRect(LPCRECT lpRect, CBrush* pBrush)
{
    ::FillRect(m_hDC, lpRect, static_cast<HBRUSH>(pBrush->m_hObject));
}

void CDC::FrameRect(LPCRECT lpRect, CBrush* pBrush)
{
    ::FrameRect(m_hDC, lpRect, static_cast<HBRUSH>(pBrush->m_hObject));
}

void CDC::InvertRect(LPCRECT lpRect)
{
    ::InvertRect(m_hDC, lpRect);
}

BOOL CDC::DrawIcon(int x, int y, HICON hIcon)
{
    return ::DrawIcon(m_hDC, x, y, hIcon);
}

BOOL CDC::DrawIcon(POINT point, HICON hIcon)
{
    return DrawIcon(point.x, point.y, hIcon);
}

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF clr)
{
    COLORREF previous = ::SetBkColor(m_hDC, clr);
    ::ExtTextOut(m_hDC, 0, 0, ETO_OPAQUE, lpRect, nullptr, 0, nullptr);
    ::SetBkColor(m_hDC, previous);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF clr)
{
    RECT rect = {x, y, x + cx, y + cy};
    FillSolidRect(&rect, clr);
}

void CDC::Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    Draw3dRect(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, clrTopLeft,
               clrBottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    // One pixel wide: top and left lines in the first colour, right and bottom lines (which own
    // the corners they share with the others) in the second.
    FillSolidRect(x, y, cx - 1, 1, clrTopLeft);
    FillSolidRect(x, y, 1, cy - 1, clrTopLeft);
    FillSolidRect(x + cx - 1, y, 1, cy, clrBottomRight);
    FillSolidRect(x, y + cy - 1, cx, 1, clrBottomRight);
}

BOOL CDC::DrawEdge(LPRECT lpRect, UINT nEdge, UINT nFlags)
{
    return ::DrawEdge(m_hDC, lpRect, nEdge, nFlags);
}

BOOL CDC::DrawFrameControl(LPRECT lpRect, UINT nType, UINT nState)
{
    return ::DrawFrameControl(m_hDC, lpRect, nType, nState);
}

// ---------------------------------------------------------------- ellipses and polygons

BOOL CDC::Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    return ::Chord(m_hDC, x1, y1, x2, y2, x3, y3, x4, y4);
}

BOOL CDC::Chord(LPCRECT lpRect, POINT ptStart, POINT ptEnd)
{
    return Chord(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom, ptStart.x, ptStart.y, ptEnd.x, ptEnd.y);
}

void CDC::DrawFocusRect(LPCRECT lpRect)
{
    ::DrawFocusRect(m_hDC, lpRect);
}

BOOL CDC::Ellipse(int x1, int y1, int x2, int y2)
{
    return ::Ellipse(m_hDC, x1, y1, x2, y2);
}

BOOL CDC::Ellipse(LPCRECT lpRect)
{
    return Ellipse(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

BOOL CDC::Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
{
    return ::Pie(m_hDC, x1, y1, x2, y2, x3, y3, x4, y4);
}

BOOL CDC::Pie(LPCRECT lpRect, POINT ptStart, POINT ptEnd)
{
    return Pie(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom, ptStart.x, ptStart.y, ptEnd.x, ptEnd.y);
}

BOOL CDC::Polygon(const POINT* lpPoints, int nCount)
{
    return ::Polygon(m_hDC, lpPoints, nCount);
}

BOOL CDC::PolyPolygon(const POINT* lpPoints, const INT* lpPolyCounts, int nCount)
{
    return ::PolyPolygon(m_hDC, lpPoints, lpPolyCounts, nCount);
}

BOOL CDC::Rectangle(int x1, int y1, int x2, int y2)
{
    return ::Rectangle(m_hDC, x1, y1, x2, y2);
}

BOOL CDC::Rectangle(LPCRECT lpRect)
{
    return Rectangle(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

BOOL CDC::RoundRect(int x1, int y1, int x2, int y2, int x3, int y3)
{
    return ::RoundRect(m_hDC, x1, y1, x2, y2, x3, y3);
}

BOOL CDC::RoundRect(LPCRECT lpRect, POINT point)
{
    return RoundRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom, point.x, point.y);
}

// ---------------------------------------------------------------- bitmaps

BOOL CDC::PatBlt(int x, int y, int nWidth, int nHeight, DWORD dwRop)
{
    return ::PatBlt(m_hDC, x, y, nWidth, nHeight, dwRop);
}

BOOL CDC::BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop)
{
    return ::BitBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC != nullptr ? pSrcDC->m_hDC : nullptr, xSrc, ySrc, dwRop);
}

BOOL CDC::StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, int nSrcWidth,
                     int nSrcHeight, DWORD dwRop)
{
    return ::StretchBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC != nullptr ? pSrcDC->m_hDC : nullptr, xSrc, ySrc,
                        nSrcWidth, nSrcHeight, dwRop);
}

BOOL CDC::TransparentBlt(int xDest, int yDest, int nDestWidth, int nDestHeight, CDC* pSrcDC, int xSrc, int ySrc,
                         int nSrcWidth, int nSrcHeight, UINT clrTransparent)
{
    if (pSrcDC == nullptr)
        return FALSE;
    return ::TransparentBlt(m_hDC, xDest, yDest, nDestWidth, nDestHeight, pSrcDC->m_hDC, xSrc, ySrc, nSrcWidth,
                            nSrcHeight, clrTransparent);
}

COLORREF CDC::GetPixel(int x, int y) const
{
    return ::GetPixel(m_hDC, x, y);
}

COLORREF CDC::GetPixel(POINT point) const
{
    return GetPixel(point.x, point.y);
}

COLORREF CDC::SetPixel(int x, int y, COLORREF crColor)
{
    return ::SetPixel(m_hDC, x, y, crColor);
}

COLORREF CDC::SetPixel(POINT point, COLORREF crColor)
{
    return SetPixel(point.x, point.y, crColor);
}

BOOL CDC::SetPixelV(int x, int y, COLORREF crColor)
{
    return ::SetPixelV(m_hDC, x, y, crColor);
}

BOOL CDC::FloodFill(int x, int y, COLORREF crColor)
{
    return ::FloodFill(m_hDC, x, y, crColor);
}

BOOL CDC::ExtFloodFill(int x, int y, COLORREF crColor, UINT nFillType)
{
    return ::ExtFloodFill(m_hDC, x, y, crColor, nFillType);
}

// ---------------------------------------------------------------- text

BOOL CDC::TextOut(int x, int y, LPCTSTR lpszString, int nCount)
{
    return ::TextOut(m_hDC, x, y, lpszString, nCount);
}

BOOL CDC::TextOut(int x, int y, const CString& str)
{
    return TextOut(x, y, static_cast<LPCTSTR>(str), str.GetLength());
}

BOOL CDC::ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, LPCTSTR lpszString, UINT nCount,
                     LPINT lpDxWidths)
{
    return ::ExtTextOut(m_hDC, x, y, nOptions, lpRect, lpszString, nCount, lpDxWidths);
}

BOOL CDC::ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, const CString& str, LPINT lpDxWidths)
{
    return ExtTextOut(x, y, nOptions, lpRect, static_cast<LPCTSTR>(str), static_cast<UINT>(str.GetLength()),
                      lpDxWidths);
}

CSize CDC::TabbedTextOut(int x, int y, LPCTSTR lpszString, int nCount, int nTabPositions,
                         LPINT lpnTabStopPositions, int nTabOrigin)
{
    LONG extent = ::TabbedTextOut(m_hDC, x, y, lpszString, nCount, nTabPositions, lpnTabStopPositions, nTabOrigin);
    return CSize(LOWORD(extent), HIWORD(extent));
}

CSize CDC::TabbedTextOut(int x, int y, const CString& str, int nTabPositions, LPINT lpnTabStopPositions,
                         int nTabOrigin)
{
    return TabbedTextOut(x, y, static_cast<LPCTSTR>(str), str.GetLength(), nTabPositions, lpnTabStopPositions,
                         nTabOrigin);
}

int CDC::DrawText(LPCTSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat)
{
    return ::DrawText(m_hDC, lpszString, nCount, lpRect, nFormat);
}

int CDC::DrawText(const CString& str, LPRECT lpRect, UINT nFormat)
{
    return DrawText(static_cast<LPCTSTR>(str), str.GetLength(), lpRect, nFormat);
}

CSize CDC::GetTextExtent(LPCTSTR lpszString, int nCount) const
{
    SIZE size = {0, 0};
    ::GetTextExtentPoint32(QueryHandle(*this), lpszString, nCount, &size);
    return size;
}

CSize CDC::GetTextExtent(const CString& str) const
{
    return GetTextExtent(static_cast<LPCTSTR>(str), str.GetLength());
}

CSize CDC::GetTabbedTextExtent(LPCTSTR lpszString, int nCount, int nTabPositions, LPINT lpnTabStopPositions) const
{
    DWORD extent = ::GetTabbedTextExtent(QueryHandle(*this), lpszString, nCount, nTabPositions, lpnTabStopPositions);
    return CSize(LOWORD(extent), HIWORD(extent));
}

CSize CDC::GetTabbedTextExtent(const CString& str, int nTabPositions, LPINT lpnTabStopPositions) const
{
    return GetTabbedTextExtent(static_cast<LPCTSTR>(str), str.GetLength(), nTabPositions, lpnTabStopPositions);
}

BOOL CDC::GetTextMetrics(LPTEXTMETRIC lpMetrics) const
{
    return ::GetTextMetrics(QueryHandle(*this), lpMetrics);
}

CSize CDC::GetOutputTextExtent(LPCTSTR lpszString, int nCount) const
{
    SIZE size = {0, 0};
    ::GetTextExtentPoint32(m_hDC, lpszString, nCount, &size);
    return size;
}

CSize CDC::GetOutputTextExtent(const CString& str) const
{
    return GetOutputTextExtent(static_cast<LPCTSTR>(str), str.GetLength());
}

BOOL CDC::GetOutputTextMetrics(LPTEXTMETRIC lpMetrics) const
{
    return ::GetTextMetrics(m_hDC, lpMetrics);
}

UINT CDC::GetTextAlign() const
{
    return ::GetTextAlign(QueryHandle(*this));
}

UINT CDC::SetTextAlign(UINT nFlags)
{
    return OnBoth(m_hDC, m_hAttribDC, [nFlags](HDC h) { return ::SetTextAlign(h, nFlags); });
}

int CDC::GetTextFace(int nCount, LPTSTR lpszFacename) const
{
    return ::GetTextFace(QueryHandle(*this), nCount, lpszFacename);
}

int CDC::GetTextFace(CString& rString) const
{
    char face[LF_FACESIZE] = {};
    int copied = ::GetTextFace(QueryHandle(*this), LF_FACESIZE, face);
    rString = face;
    return copied;
}

int CDC::GetTextCharacterExtra() const
{
    return ::GetTextCharacterExtra(QueryHandle(*this));
}

int CDC::SetTextCharacterExtra(int nCharExtra)
{
    return OnBoth(m_hDC, m_hAttribDC, [nCharExtra](HDC h) { return ::SetTextCharacterExtra(h, nCharExtra); });
}

int CDC::SetTextJustification(int nBreakExtra, int nBreakCount)
{
    return OnBoth(m_hDC, m_hAttribDC,
                  [=](HDC h) { return ::SetTextJustification(h, nBreakExtra, nBreakCount); });
}

BOOL CDC::GetCharWidth(UINT nFirstChar, UINT nLastChar, LPINT lpBuffer) const
{
    return ::GetCharWidth(QueryHandle(*this), nFirstChar, nLastChar, lpBuffer);
}

// ---------------------------------------------------------------- paths

BOOL CDC::AbortPath()
{
    return ::AbortPath(m_hDC);
}

BOOL CDC::BeginPath()
{
    return ::BeginPath(m_hDC);
}

BOOL CDC::CloseFigure()
{
    return ::CloseFigure(m_hDC);
}

BOOL CDC::EndPath()
{
    return ::EndPath(m_hDC);
}

BOOL CDC::FillPath()
{
    return ::FillPath(m_hDC);
}

BOOL CDC::FlattenPath()
{
    return ::FlattenPath(m_hDC);
}

BOOL CDC::StrokeAndFillPath()
{
    return ::StrokeAndFillPath(m_hDC);
}

BOOL CDC::StrokePath()
{
    return ::StrokePath(m_hDC);
}

BOOL CDC::WidenPath()
{
    return ::WidenPath(m_hDC);
}

BOOL CDC::SelectClipPath(int nMode)
{
    // The path lives in the output handle; the attribute handle gets the same clipping as a region.
    if (m_hAttribDC == nullptr || m_hAttribDC == m_hDC)
        return ::SelectClipPath(m_hDC, nMode);
    HRGN hRgn = ::PathToRegion(m_hDC);
    if (hRgn == nullptr)
        return FALSE;
    BOOL selected = ::ExtSelectClipRgn(m_hDC, hRgn, nMode) != ERROR;
    selected = ::ExtSelectClipRgn(m_hAttribDC, hRgn, nMode) != ERROR && selected;
    ::DeleteObject(hRgn);
    return selected;
}

// ---------------------------------------------------------------- printing

int CDC::Escape(int nEscape, int nCount, LPCSTR lpszInData, LPVOID lpOutData)
{
    return ::Escape(m_hDC, nEscape, nCount, lpszInData, lpOutData);
}

int CDC::StartDoc(LPDOCINFO lpDocInfo)
{
    return AfxStartDoc(m_hDC, lpDocInfo);
}

int CDC::StartDoc(LPCTSTR lpszDocName)
{
    DOCINFO docInfo = {};
    docInfo.cbSize = sizeof docInfo;
    docInfo.lpszDocName = lpszDocName;
    return StartDoc(&docInfo);
}

int CDC::StartPage()
{
    return AfxStartPage(m_hDC);
}

int CDC::EndPage()
{
    return AfxEndPage(m_hDC);
}

int CDC::SetAbortProc(BOOL(CALLBACK* lpfn)(HDC, int))
{
    return AfxSetAbortProc(m_hDC, lpfn);
}

int CDC::AbortDoc()
{
    return AfxAbortDoc(m_hDC);
}

int CDC::EndDoc()
{
    return AfxEndDoc(m_hDC);
}

// ---------------------------------------------------------------- window DCs

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd != nullptr ? pWnd->GetSafeHwnd() : nullptr), m_ps()
{
    if (!Attach(::BeginPaint(m_hWnd, &m_ps)))
        AfxThrowResourceException();
}

CPaintDC::~CPaintDC()
{
    if (m_hDC != nullptr)
    {
        Detach();
        ::EndPaint(m_hWnd, &m_ps);
    }
}

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd != nullptr ? pWnd->GetSafeHwnd() : nullptr)
{
    if (!Attach(::GetDC(m_hWnd)))
        AfxThrowResourceException();
}

CClientDC::~CClientDC()
{
    if (m_hDC != nullptr)
        ::ReleaseDC(m_hWnd, Detach());
}

CWindowDC::CWindowDC(CWnd* pWnd) : m_hWnd(pWnd != nullptr ? pWnd->GetSafeHwnd() : nullptr)
{
    if (!Attach(::GetWindowDC(m_hWnd)))
        AfxThrowResourceException();
}

CWindowDC::~CWindowDC()
{
    if (m_hDC != nullptr)
        ::ReleaseDC(m_hWnd, Detach());
}
