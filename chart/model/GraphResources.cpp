// What the chart caches for its components: pens, fonts, the default palette, and the polygons of the
// stock shapes and the shape resources.
#include "chart/model/Graph.h"

#include "chart/model/ChartText.h"
#include "chart/model/CompiledPolygon.h"
#include "chart/model/GraphException.h"
#include "chart/model/GraphRect.h"
#include "framework/core/Exceptions.h"
#include "framework/core/File.h"
#include "framework/core/NumberText.h"
#include "framework/win/Dc.h"
#include "framework/win/Gdi.h"
#include "framework/win/WinApp.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

namespace {
const char* const kStockShapes[] = {"BOX", "CIRCLE", "TRIANGLE", "FLASH", "HEXAGON", "PENTAGON", "DIAMOND"};
const int kUnknownStockShape = 7;
// Wider (taller) than the largest page a chart is drawn on, at any resolution.
const int kMaxPenWidth = 2000;
const int kMaxFontHeight = 2000;

}  // namespace

ChartTextSource ReadChartText(LPCTSTR lpszName, LPCTSTR lpszType, std::string& text)
{
    HINSTANCE hModule = AfxFindResourceHandle(lpszName, lpszType);
    if (HRSRC hResource = ::FindResourceA(hModule, lpszName, lpszType)) {
        HGLOBAL hData = ::LoadResource(hModule, hResource);
        const void* pData = hData != NULL ? ::LockResource(hData) : NULL;
        if (pData == NULL)
            return ChartTextSource::unlockable;
        text.assign(static_cast<const char*>(pData), ::SizeofResource(hModule, hResource));
        return ChartTextSource::resource;
    }
    CFile file;
    if (!file.Open(lpszName, CFile::modeRead | CFile::shareDenyWrite))
        return ChartTextSource::none;
    const ULONGLONG length = file.GetLength();
    // Templates and shapes are a few kilobytes; anything huge is not one.
    if (length > 16 * 1024 * 1024)
        AfxThrowFileException(CFileException::invalidFile, -1, lpszName);
    text.resize(size_t(length));
    if (length > 0 && file.Read(text.data(), UINT(length)) != UINT(length))
        AfxThrowFileException(CFileException::endOfFile, -1, lpszName);
    return ChartTextSource::file;
}

CPen* QVGraph::GetPen(int nStyle, int nWidth, COLORREF crColor)
{
    // A width read from a chart file may be anything; a pen wider than any drawing surface draws
    // nothing more, and the platform takes seconds over a pen a million pixels wide.
    nWidth = std::clamp(nWidth, 0, kMaxPenWidth);
    std::string key(10, 'A');
    key[0] = char('A' + nStyle);
    key[1] = char('A' + nWidth);
    for (int i = 0; i < 8; ++i)
        key[2 + size_t(i)] = char('A' + ((crColor >> (4 * i)) & 0xF));
    // One character holds a style or width below 64; beyond that two pens would share a key.
    if (nStyle < 0 || nStyle >= 64 || nWidth < 0 || nWidth >= 64)
        key += NumberText::Format("#%d,%d", nStyle, nWidth);
    void* pCached = NULL;
    if (m_penCache.Lookup(key.c_str(), pCached))
        return static_cast<CPen*>(pCached);

    CPen* pPen = new CPen;
    if (nStyle >= PS_DASH && nStyle <= PS_DASHDOTDOT && nWidth > 1) {
        // Dashes in units of the width, so a wide dashed line still looks dashed; a 1 stays one unit.
        static const DWORD kDash[] = {2, 4};
        static const DWORD kDot[] = {1, 3};
        static const DWORD kDashDot[] = {2, 4, 1, 4};
        static const DWORD kDashDotDot[] = {2, 3, 1, 3, 1, 3};
        static const DWORD* const kPatterns[] = {kDash, kDot, kDashDot, kDashDotDot};
        static const int kCounts[] = {2, 2, 4, 6};
        const DWORD* pattern = kPatterns[nStyle - PS_DASH];
        const int count = kCounts[nStyle - PS_DASH];
        DWORD scaled[6];
        for (int i = 0; i < count; ++i)
            scaled[i] = pattern[i] == 1 ? 1 : pattern[i] * DWORD(nWidth);
        LOGBRUSH brush = {BS_SOLID, crColor, 0};
        pPen->CreatePen(PS_GEOMETRIC | PS_ENDCAP_SQUARE | PS_USERSTYLE, nWidth, &brush, count, scaled);
    } else {
        pPen->CreatePen(nStyle, nWidth, crColor);
    }
    m_penCache.SetAt(key.c_str(), pPen);
    return pPen;
}

CFont* QVGraph::GetFont(LPCTSTR lpszFace, int nSize, int nStyleFlags, int nOrientation, CDC* pDC,
                        const LOGFONT* pLogFont)
{
    int logPixelsX = 0, logPixelsY = 0;
    GetChartLogPixels(pDC, logPixelsX, logPixelsY);
    // A size read from a chart file may be anything: letters taller than any page show nothing more,
    // and the platform takes seconds over a font forty thousand pixels high.
    const long long pixels = nSize >= 0 ? -((static_cast<long long>(nSize) * logPixelsY + 36) / 72) : nSize;
    const int height = static_cast<int>(std::clamp<long long>(pixels, -kMaxFontHeight, kMaxFontHeight));
    const std::string key = NumberText::Format("%s,%x,%x,%d", lpszFace != NULL ? lpszFace : "", unsigned(height),
                                               unsigned(nStyleFlags), nOrientation);
    void* pCached = NULL;
    if (m_fontCache.Lookup(key.c_str(), pCached))
        return static_cast<CFont*>(pCached);

    LOGFONT logFont;
    if (pLogFont != NULL) {
        logFont = *pLogFont;
        logFont.lfHeight = std::clamp<LONG>(logFont.lfHeight, -kMaxFontHeight, kMaxFontHeight);
        logFont.lfWidth = std::clamp<LONG>(logFont.lfWidth, -kMaxFontHeight, kMaxFontHeight);
    } else {
        std::memset(&logFont, 0, sizeof logFont);
        if (lpszFace != NULL)
            std::strncpy(logFont.lfFaceName, lpszFace, 30);
        logFont.lfHeight = height;
        logFont.lfWidth = 0;
        logFont.lfEscapement = logFont.lfOrientation = nOrientation * 10;
        logFont.lfWeight = (nStyleFlags & 1) ? FW_BOLD : FW_NORMAL;
        logFont.lfItalic = BYTE((nStyleFlags >> 1) & 1);
        logFont.lfUnderline = BYTE((nStyleFlags >> 2) & 1);
        logFont.lfStrikeOut = BYTE((nStyleFlags >> 3) & 1);
        logFont.lfCharSet = ANSI_CHARSET;
        logFont.lfOutPrecision = OUT_STROKE_PRECIS;
        logFont.lfClipPrecision = CLIP_STROKE_PRECIS;
        logFont.lfQuality = DRAFT_QUALITY;
        logFont.lfPitchAndFamily = 0;
    }
    CFont* pFont = new CFont;
    pFont->CreateFontIndirect(&logFont);
    m_fontCache.SetAt(key.c_str(), pFont);
    return pFont;
}

void QVGraph::CreateDefaultPalette()
{
    if (m_pPalette != NULL)
        return;
    std::string buffer(sizeof(LOGPALETTE) + 255 * sizeof(PALETTEENTRY), '\0');
    LOGPALETTE* pLogPalette = reinterpret_cast<LOGPALETTE*>(buffer.data());
    pLogPalette->palVersion = 0x300;
    pLogPalette->palNumEntries = 256;
    for (int i = 0; i < 256; ++i) {
        PALETTEENTRY& entry = pLogPalette->palPalEntry[i];
        entry.peRed = BYTE((i & 7) * 255 / 7);
        entry.peGreen = BYTE(((i >> 3) & 7) * 255 / 7);
        entry.peBlue = BYTE(((i >> 6) & 3) * 255 / 3);
        entry.peFlags = 0;
    }
    m_pPalette = new CPalette;
    if (!m_pPalette->CreatePalette(pLogPalette)) {
        delete m_pPalette;
        m_pPalette = NULL;
    }
}

QVGCompiledPolygon* QVGraph::LoadPolygon(LPCTSTR lpszName, LPCTSTR lpszType)
{
    std::string text;
    if (lpszName == NULL || *lpszName == '\0')
        return NULL;
    const ChartTextSource source = ReadChartText(lpszName, lpszType, text);
    if (source != ChartTextSource::resource && source != ChartTextSource::file)
        return NULL;
    const char* p = text.c_str();
    int count = 0, consumed = 0;
    if (std::sscanf(p, "%d %n", &count, &consumed) < 1 || count < 0 || size_t(count) > text.size())
        RaiseChartError(19);
    p += consumed;
    QVGCompiledPolygon* pPolygon = new QVGCompiledPolygon;
    for (int i = 0; i < count; ++i) {
        float x = 0, y = 0;
        consumed = 0;
        if (std::sscanf(p, "%g %g %n", &x, &y, &consumed) < 2) {
            delete pPolygon;
            RaiseChartError(19);
        }
        p += consumed;
        pPolygon->AddPoint(x, y);
    }
    pPolygon->SetName(lpszName);
    pPolygon->EnsureCapacity();
    m_polygons.AddTail(pPolygon);
    return pPolygon;
}

BOOL QVGraph::FindStockShape(LPCTSTR lpszName, LPCTSTR lpszType, QVGCompiledPolygon*& pPolygon, double angle)
{
    pPolygon = NULL;
    if (lpszName == NULL)
        return FALSE;
    for (POSITION pos = m_polygons.GetHeadPosition(); pos != NULL;) {
        QVGCompiledPolygon* pCandidate = static_cast<QVGCompiledPolygon*>(m_polygons.GetNext(pos));
        if (pCandidate->GetName() == lpszName) {
            pPolygon = pCandidate;
            break;
        }
    }
    const size_t prefixLength = std::strlen(QVG_STOCK_SHAPE_PREFIX);
    if (pPolygon == NULL && std::strncmp(lpszName, QVG_STOCK_SHAPE_PREFIX, prefixLength) == 0) {
        int index = 0;
        while (index < kUnknownStockShape && std::strcmp(lpszName + prefixLength, kStockShapes[index]) != 0)
            ++index;
        pPolygon = new QVGCompiledPolygon(index);
        pPolygon->SetName(lpszName);
        m_polygons.AddTail(pPolygon);
    }
    if (pPolygon == NULL)
        pPolygon = LoadPolygon(lpszName, lpszType);
    if (pPolygon == NULL)
        return FALSE;
    pPolygon->SetRotation(angle);
    return TRUE;
}
