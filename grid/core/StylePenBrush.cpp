#include "grid/core/StylePenBrush.h"

#include "grid/core/LibraryLinks.h"

#include <cstdlib>

namespace
{
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Reads up to nMax blank-separated numbers; each converts from its first character on (trailing
// characters of a number are ignored). Returns how many were found.
int ReadNumberList(LPCTSTR pszText, long* pValues, int nMax)
{
    int nCount = 0;
    if (pszText == NULL)
        return 0;
    const char* p = pszText;
    while (IsBlank(*p))
        ++p;
    while (*p != '\0' && nCount < nMax)
    {
        pValues[nCount++] = std::atol(p);
        while (*p != '\0' && !IsBlank(*p))
            ++p;
        while (IsBlank(*p))
            ++p;
    }
    return nCount;
}

DWORD RgbWord(long red, long green, long blue)
{
    return static_cast<DWORD>(red & 255) | (static_cast<DWORD>(green & 255) << 8) |
           (static_cast<DWORD>(blue & 255) << 16);
}

// The top byte of a colour's text form: the kind, or 254 minus the system colour number.
int TopByteOf(unsigned nKind, DWORD nValue)
{
    return nKind == gxColorSystem ? static_cast<int>(254 - nValue) : static_cast<int>(nKind);
}
}  // namespace

// ---------------------------------------------------------------------------------------------
// CGXStylePen

CGXStylePen::CGXStylePen() : m_dwWord0(styleNotSet | (1u << 3)), m_dwWord1(0) {}

CGXStylePen::CGXStylePen(UINT nStyle, UINT nWidth, COLORREF color) : CGXStylePen()
{
    SetStyle(nStyle);
    SetWidth(nWidth);
    SetColor(color);
    SetStyle(nStyle);
}

CGXStylePen& CGXStylePen::SetStyle(UINT nStyle)
{
    m_dwWord0 = (m_dwWord0 & ~0x7u) | (nStyle & 0x7);
    return *this;
}

CGXStylePen& CGXStylePen::SetWidth(UINT nWidth)
{
    m_dwWord0 = (m_dwWord0 & ~(0xFFFFu << 3)) | ((nWidth & 0xFFFF) << 3);
    return SetInclude(TRUE);
}

void CGXStylePen::StoreColor(COLORREF color)
{
    unsigned nKind = 0;
    DWORD nValue = 0;
    GXSplitColor(color, nKind, nValue);
    m_dwWord0 = (m_dwWord0 & ~(0x3u << 19)) | (nKind << 19);
    m_dwWord1 = nValue & 0xFFFFFF;
}

CGXStylePen& CGXStylePen::SetColor(COLORREF color)
{
    StoreColor(color);
    return SetInclude(TRUE);
}

CGXStylePen& CGXStylePen::SetInclude(BOOL bInclude)
{
    if (!bInclude)
        SetStyle(styleNotSet);
    else if (GetStyle() == styleNotSet)
        SetStyle(PS_SOLID);
    return *this;
}

void CGXStylePen::GetLogPen(LOGPEN& logPen) const
{
    logPen.lopnStyle = GetStyle();
    logPen.lopnWidth.x = static_cast<LONG>(GetWidth());
    logPen.lopnWidth.y = 0;
    logPen.lopnColor = GetResolvedColor();
}

const LOGPEN* CGXStylePen::GetLogPen() const
{
    static LOGPEN s_logPen;
    GetLogPen(s_logPen);
    return &s_logPen;
}

CString& CGXStylePen::GetDescription(CString& text) const
{
    const unsigned nKind = GetColorKind();
    // A system colour is written with its current red, green and blue.
    const DWORD rgb = nKind == gxColorSystem ? (GXGetSysColor(static_cast<int>(GetColorValue())) & 0xFFFFFF)
                                             : GetColorValue();
    text.Format("%lu %ld %d %d %d %d", static_cast<unsigned long>(GetStyle()), static_cast<long>(GetWidth()),
                static_cast<int>(rgb & 255), static_cast<int>((rgb >> 8) & 255), static_cast<int>((rgb >> 16) & 255),
                TopByteOf(nKind, GetColorValue()));
    return text;
}

CGXStylePen& CGXStylePen::SetDescription(LPCTSTR pszText)
{
    long values[6] = {};
    const int nCount = ReadNumberList(pszText, values, 6);
    DWORD colorWord = 0;
    if (nCount >= 5)
    {
        SetStyle(static_cast<UINT>(values[0] & 7));
        SetWidth(static_cast<UINT>(values[1]));
        colorWord = RgbWord(values[2], values[3], values[4]);
        if (nCount >= 6)
            colorWord |= (static_cast<DWORD>(values[5]) & 0xFF) << 24;
    }
    StoreColor(colorWord);
    SetInclude(nCount >= 5);
    return *this;
}

// ---------------------------------------------------------------------------------------------
// CGXStyleBrush

CGXStyleBrush::CGXStyleBrush() : m_dwWord0(0), m_dwWord1(0x3FFFFFFF) {}

CGXStyleBrush::CGXStyleBrush(UINT nStyle, COLORREF color, UINT nHatch) : CGXStyleBrush()
{
    SetBrush(nStyle, color, nHatch);
}

CGXStyleBrush& CGXStyleBrush::SetBrush(UINT nStyle, COLORREF color, UINT nHatch)
{
    m_dwWord1 = 0x3FFFFFFF | ((nStyle & 0x3) << 30);
    SetColor(color);
    return SetHatch(nHatch);
}

CGXStyleBrush& CGXStyleBrush::SetStyle(UINT nStyle)
{
    m_dwWord1 = (m_dwWord1 & 0x3FFFFFFF) | ((nStyle & 0x3) << 30);
    return *this;
}

CGXStyleBrush& CGXStyleBrush::SetHatch(UINT nHatch)
{
    m_dwWord0 = (m_dwWord0 & ~0x7u) | (nHatch & 0x7);
    return *this;
}

CGXStyleBrush& CGXStyleBrush::SetPattern(UINT nPattern)
{
    m_dwWord1 = (m_dwWord1 & ~(0x3Fu << 24)) | ((nPattern & 0x3F) << 24);
    return SetStyle(bsPattern);
}

CGXStyleBrush& CGXStyleBrush::SetColor(COLORREF color)
{
    unsigned nKind = 0;
    DWORD nValue = 0;
    GXSplitColor(color, nKind, nValue);
    m_dwWord0 = (m_dwWord0 & 0x0F) | (nKind << 4) | (m_dwWord0 & (0x3u << 6)) | ((nValue & 0xFFFFFF) << 8);
    return *this;
}

CGXStyleBrush& CGXStyleBrush::SetBkColor(COLORREF color)
{
    unsigned nKind = 0;
    DWORD nValue = 0;
    GXSplitColor(color, nKind, nValue);
    m_dwWord0 = (m_dwWord0 & ~(0x3u << 6)) | (nKind << 6);
    m_dwWord1 = (m_dwWord1 & 0xFF000000) | (nValue & 0xFFFFFF);
    return *this;
}

CString& CGXStyleBrush::GetDescription(CString& text) const
{
    const UINT nStyle = GetStyle();
    const DWORD fore = GetColorValue();
    const DWORD back = GetBkColorValue();
    text.Format("%lu %ld %d %d %d %d %d %d %d", static_cast<unsigned long>(nStyle),
                static_cast<long>(nStyle == bsPattern ? GetPattern() : GetHatch()), static_cast<int>(fore & 255),
                static_cast<int>((fore >> 8) & 255), static_cast<int>((fore >> 16) & 255), static_cast<int>(back & 255),
                static_cast<int>((back >> 8) & 255), static_cast<int>((back >> 16) & 255),
                TopByteOf(GetColorKind(), fore));
    return text;
}

CGXStyleBrush& CGXStyleBrush::SetDescription(LPCTSTR pszText)
{
    long values[9] = {};
    const int nCount = ReadNumberList(pszText, values, 9);
    if (nCount < 5)
    {
        SetColor(0);
        SetBkColor(0);
        return *this;
    }
    SetStyle(static_cast<UINT>(values[0] & 3));
    if (GetStyle() == bsPattern)
        SetPattern(static_cast<UINT>(values[1]));
    else
        SetHatch(static_cast<UINT>(values[1] & 7));

    DWORD foreWord = RgbWord(values[2], values[3], values[4]);
    if (nCount >= 9)
    {
        if (values[8] == 1)
            foreWord = static_cast<DWORD>((values[2] & 255) + 256 * (values[3] & 255)) | (1u << 24);
        else
            foreWord |= (static_cast<DWORD>(values[8]) & 0xFF) << 24;
    }
    SetColor(foreWord);
    SetBkColor(nCount >= 8 ? RgbWord(values[5], values[6], values[7]) : 0);
    return *this;
}

// ---------------------------------------------------------------------------------------------

void GXSerializeBrush(CArchive& ar, CGXStyleBrush& brush)
{
    if (CGXAbstractStyleSerializeImp* pImp = GXGetLibraryLinks().pStyleSerializeImp)
        pImp->SerializeBrush(brush, ar);
}

void GXSerializePen(CArchive& ar, CGXStylePen& pen)
{
    if (CGXAbstractStyleSerializeImp* pImp = GXGetLibraryLinks().pStyleSerializeImp)
        pImp->SerializePen(pen, ar);
}
