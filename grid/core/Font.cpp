#include "grid/core/Font.h"

#include "grid/core/LibraryLinks.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace
{
// Set when the registry is gone at program exit; fonts destroyed later release nothing.
bool s_bRegistryDestroyed = false;

// The display's logical pixels per inch, read once: font sizes in points become pixels with them.
SIZE DisplayPixelsPerInch()
{
    static SIZE s_pixels = {0, 0};
    if (s_pixels.cy == 0)
    {
        HDC hdc = ::GetDC(NULL);
        s_pixels.cx = hdc != NULL ? ::GetDeviceCaps(hdc, LOGPIXELSX) : 96;
        s_pixels.cy = hdc != NULL ? ::GetDeviceCaps(hdc, LOGPIXELSY) : 96;
        if (hdc != NULL)
            ::ReleaseDC(NULL, hdc);
        if (s_pixels.cx <= 0)
            s_pixels.cx = 96;
        if (s_pixels.cy <= 0)
            s_pixels.cy = 96;
    }
    return s_pixels;
}

int DisplayPixelsPerInchY() { return DisplayPixelsPerInch().cy; }

int CompareFaceNames(LPCTSTR a, LPCTSTR b) { return ::_stricmp(a, b); }

// The order of the faces added beyond the enumerated ones, for searching them by name.
bool AddedFaceBefore(const GXFontFaceEntry* entry, LPCTSTR pszName)
{
    return CompareFaceNames(entry->szFaceName, pszName) < 0;
}

void CopyBounded(char* pszTarget, size_t cchTarget, LPCTSTR pszSource)
{
    ::lstrcpynA(pszTarget, pszSource != NULL ? pszSource : "", static_cast<int>(cchTarget));
}

// The face of a font text form, cut to what a LOGFONT holds (31 bytes). A "face (script)" name
// keeps its script part, within what a registry entry holds.
CString BoundFaceField(const CString& field)
{
    const int nMaxFace = LF_FACESIZE - 1;
    const int nSuffix = field.Find(" (");
    if (nSuffix >= 0 && field.GetLength() > 0 && field[field.GetLength() - 1] == ')')
    {
        CString face = field.Left(std::min(nSuffix, nMaxFace));
        CString named = face + field.Mid(nSuffix);
        return named.Left(CGXFontFaceRegistry::maxFaceName);
    }
    return field.Left(nMaxFace);
}
}  // namespace

SIZE GXGetFontLogPixels()
{
    return DisplayPixelsPerInch();
}

// ---------------------------------------------------------------------------------------------
// Face registry

CGXFontFaceRegistry::CGXFontFaceRegistry()
{
    std::memset(m_scriptNames, 0, sizeof(m_scriptNames));
    std::memset(m_szLastFace, 0, sizeof(m_szLastFace));
}

CGXFontFaceRegistry::~CGXFontFaceRegistry()
{
    for (POSITION pos = m_fontData.GetStartPosition(); pos != NULL;)
    {
        ULONGLONG key = 0;
        CGXFontData* pData = nullptr;
        m_fontData.GetNextAssoc(pos, key, pData);
        delete pData;
    }
    m_fontData.RemoveAll();
    s_bRegistryDestroyed = true;
}

CGXFontFaceRegistry& GXGetFontFaceRegistry()
{
    static CGXFontFaceRegistry s_registry;
    return s_registry;
}

int CALLBACK CGXFontFaceRegistry::EnumFaceProc(const LOGFONT* pLogFont, const TEXTMETRIC*, DWORD nFontType,
                                               LPARAM lParam)
{
    auto* pRegistry = reinterpret_cast<CGXFontFaceRegistry*>(lParam);
    const auto* pEnumFont = reinterpret_cast<const ENUMLOGFONTEXA*>(pLogFont);
    const LOGFONTA& lf = pEnumFont->elfLogFont;
    const char* pszScript = reinterpret_cast<const char*>(pEnumFont->elfScript);

    if (pszScript[0] != '\0' && pRegistry->m_scriptNames[lf.lfCharSet][0] == '\0')
        CopyBounded(pRegistry->m_scriptNames[lf.lfCharSet], sizeof(pRegistry->m_scriptNames[0]), pszScript);

    GXFontFaceEntry entry = {};
    entry.nCharSet = lf.lfCharSet;
    entry.nCharSet2 = lf.lfCharSet;
    entry.nPitchAndFamily = lf.lfPitchAndFamily;
    entry.nFaceId = noFace;
    entry.nFontType = static_cast<BYTE>(nFontType & 0x7);
    entry.bEnumerated = true;

    // The faces arrive grouped, one call per character set: the plain name is taken once.
    if (std::strcmp(pRegistry->m_szLastFace, lf.lfFaceName) != 0)
    {
        CopyBounded(pRegistry->m_szLastFace, sizeof(pRegistry->m_szLastFace), lf.lfFaceName);
        CopyBounded(entry.szFaceName, sizeof(entry.szFaceName), lf.lfFaceName);
        pRegistry->m_table.push_back(entry);
    }
    if (pszScript[0] != '\0')
    {
        GXFontFaceEntry named = entry;
        named.bScriptSuffix = true;
        CString text;
        text.Format("%s (%s)", lf.lfFaceName, pszScript);
        CopyBounded(named.szFaceName, sizeof(named.szFaceName), text);
        pRegistry->m_table.push_back(named);
    }
    return 1;
}

void CGXFontFaceRegistry::EnsureBuilt()
{
    if (m_bBuilt)
        return;
    m_bBuilt = true;
    HDC hdc = ::CreateDCA("DISPLAY", NULL, NULL, NULL);
    if (hdc != NULL)
    {
        LOGFONTA lf = {};
        lf.lfCharSet = DEFAULT_CHARSET;
        ::EnumFontFamiliesExA(hdc, &lf, &EnumFaceProc, reinterpret_cast<LPARAM>(this), 0);
        ::DeleteDC(hdc);
    }
    std::sort(m_table.begin(), m_table.end(), [](const GXFontFaceEntry& a, const GXFontFaceEntry& b) {
        return CompareFaceNames(a.szFaceName, b.szFaceName) < 0;
    });
    // One entry per name.
    m_table.erase(std::unique(m_table.begin(), m_table.end(),
                              [](const GXFontFaceEntry& a, const GXFontFaceEntry& b) {
                                  return CompareFaceNames(a.szFaceName, b.szFaceName) == 0;
                              }),
                  m_table.end());
}

GXFontFaceEntry* CGXFontFaceRegistry::Find(LPCTSTR pszName)
{
    auto byName = [](const GXFontFaceEntry& e, LPCTSTR pszKey) { return CompareFaceNames(e.szFaceName, pszKey) < 0; };
    auto it = std::lower_bound(m_table.begin(), m_table.end(), pszName, byName);
    if (it != m_table.end() && CompareFaceNames(it->szFaceName, pszName) == 0)
        return &*it;
    auto itAdded = std::lower_bound(m_added.begin(), m_added.end(), pszName, AddedFaceBefore);
    if (itAdded != m_added.end() && CompareFaceNames((*itAdded)->szFaceName, pszName) == 0)
        return *itAdded;
    return nullptr;
}

unsigned CGXFontFaceRegistry::FindOrAddFace(LPCTSTR pszName, BYTE nCharSet, BYTE nPitchAndFamily)
{
    if (pszName == NULL || pszName[0] == '\0')
        return noFace;
    EnsureBuilt();

    char szName[maxFaceName + 1];
    CopyBounded(szName, sizeof(szName), pszName);
    GXFontFaceEntry* pEntry = Find(szName);
    if (pEntry == nullptr)
    {
        if (m_addedStore.size() >= noFace)
            return noFace;
        // Reserved once for every id: the entries never move, so the pointers to them hold.
        m_addedStore.reserve(noFace);
        m_added.reserve(noFace);
        m_addedStore.push_back(GXFontFaceEntry{});
        GXFontFaceEntry* added = &m_addedStore.back();
        CopyBounded(added->szFaceName, sizeof(added->szFaceName), szName);
        added->nCharSet = nCharSet;
        added->nCharSet2 = nCharSet;
        added->nPitchAndFamily = nPitchAndFamily;
        added->nFaceId = noFace;
        pEntry = added;
        auto it = std::lower_bound(m_added.begin(), m_added.end(), szName, AddedFaceBefore);
        m_added.insert(it, added);
    }
    if (pEntry->nFaceId == noFace)
    {
        if (m_byId.size() >= noFace)
            return noFace;
        m_byId.reserve(noFace);
        pEntry->nFaceId = static_cast<WORD>(m_byId.size());
        m_byId.push_back(pEntry);
    }
    return pEntry->nFaceId;
}

const GXFontFaceEntry* CGXFontFaceRegistry::GetFaceEntry(unsigned nFaceId)
{
    return nFaceId < m_byId.size() ? m_byId[nFaceId] : nullptr;
}

BYTE CGXFontFaceRegistry::GetPitchAndFamily(unsigned nFaceId)
{
    const GXFontFaceEntry* pEntry = GetFaceEntry(nFaceId);
    return pEntry != nullptr ? pEntry->nPitchAndFamily : 0;
}

LPCTSTR CGXFontFaceRegistry::GetScriptName(BYTE nCharSet)
{
    EnsureBuilt();
    return m_scriptNames[nCharSet];
}

unsigned GXFindOrAddFontFace(LPCTSTR pszName, BYTE nCharSet, BYTE nPitchAndFamily)
{
    return GXGetFontFaceRegistry().FindOrAddFace(pszName, nCharSet, nPitchAndFamily);
}

const GXFontFaceEntry* GXGetFontFaceEntry(unsigned nFaceId) { return GXGetFontFaceRegistry().GetFaceEntry(nFaceId); }

// ---------------------------------------------------------------------------------------------
// CGXFont

IMPLEMENT_SERIAL(CGXFont, CObject, 0)

namespace
{
const DWORD kEmptyWord0 = (static_cast<DWORD>(CGXFont::unsetWeight) << 7) |
                          (static_cast<DWORD>(CGXFont::unsetOrientation) << 21);
const DWORD kEmptyWord1 = CGXFont::unsetFace;
}  // namespace

CGXFont::CGXFont() : m_dwWord0(kEmptyWord0), m_dwWord1(kEmptyWord1), m_pFontData(nullptr) {}

CGXFont::CGXFont(const CGXFont& other)
    : CObject(), m_dwWord0(other.m_dwWord0), m_dwWord1(other.m_dwWord1), m_pFontData(nullptr)
{
    if (other.HoldsFontData())
    {
        m_pFontData = other.m_pFontData;
        ::InterlockedIncrement(&m_pFontData->nRefCount);
    }
}

CGXFont::CGXFont(LPCTSTR pszDescription) : CGXFont() { SetDescription(pszDescription); }

CGXFont::~CGXFont() { ReleaseFontData(); }

CGXFont& CGXFont::operator=(const CGXFont& other)
{
    if (GetKey() == other.GetKey())
        return *this;
    ReleaseFontData();
    m_dwWord0 = other.m_dwWord0;
    m_dwWord1 = other.m_dwWord1;
    m_pFontData = nullptr;
    if (other.HoldsFontData())
    {
        m_pFontData = other.m_pFontData;
        ::InterlockedIncrement(&m_pFontData->nRefCount);
    }
    return *this;
}

BOOL CGXFont::IsEmpty() const
{
    return GetKey() == ((static_cast<ULONGLONG>(kEmptyWord1) << 32) | kEmptyWord0);
}

unsigned CGXFont::PointsToQuarterPoints(double dPoints)
{
    const double dQuarter = std::fabs(dPoints) * 4.0;
    if (!(dQuarter < static_cast<double>(maxQuarterPoints)))  // also catches NaN and infinity
        return std::isnan(dQuarter) ? 0 : maxQuarterPoints;
    return static_cast<unsigned>(dQuarter);
}

unsigned CGXFont::TenthsToDegrees(LONG nTenths)
{
    LONG nNormal = nTenths % 3600;
    if (nNormal < 0)
        nNormal += 3600;
    return static_cast<unsigned>(nNormal / 10);
}

void CGXFont::SetField(DWORD& word, unsigned nShift, DWORD nMask, DWORD nValue)
{
    ReleaseFontData();
    word = (word & ~(nMask << nShift)) | ((nValue & nMask) << nShift);
}

void CGXFont::SetFlag(DWORD nFlag, BOOL bOn)
{
    ReleaseFontData();
    if (bOn)
        m_dwWord0 |= nFlag;
    else
        m_dwWord0 &= ~nFlag;
}

CGXFont& CGXFont::Clear()
{
    ReleaseFontData();
    m_dwWord0 = kEmptyWord0;
    m_dwWord1 = kEmptyWord1;
    return *this;
}

CGXFont& CGXFont::SetWeight(LONG nWeight)
{
    const LONG nCode = std::clamp<LONG>(nWeight / 100, 0, unsetWeight);
    SetField(m_dwWord0, 7, 0xF, static_cast<DWORD>(nCode));
    return *this;
}

CGXFont& CGXFont::SetIncludeWeight(BOOL bInclude)
{
    if (!bInclude)
        SetField(m_dwWord0, 7, 0xF, unsetWeight);
    return *this;
}

CGXFont& CGXFont::SetSize(double dPoints)
{
    SetField(m_dwWord0, 11, 0x3FF, PointsToQuarterPoints(dPoints));
    return *this;
}

CGXFont& CGXFont::SetIncludeSize(BOOL bInclude)
{
    if (!bInclude)
        SetField(m_dwWord0, 11, 0x3FF, unsetSize);
    return *this;
}

CGXFont& CGXFont::SetItalic(BOOL bItalic)
{
    SetFlag(flagItalic, bItalic);
    SetFlag(flagItalicSet, TRUE);
    return *this;
}

CGXFont& CGXFont::SetIncludeItalic(BOOL bInclude)
{
    SetFlag(flagItalicSet, bInclude);
    return *this;
}

CGXFont& CGXFont::SetUnderline(BOOL bUnderline)
{
    SetFlag(flagUnderline, bUnderline);
    SetFlag(flagUnderlineSet, TRUE);
    return *this;
}

CGXFont& CGXFont::SetIncludeUnderline(BOOL bInclude)
{
    SetFlag(flagUnderlineSet, bInclude);
    return *this;
}

CGXFont& CGXFont::SetStrikeOut(BOOL bStrikeOut)
{
    SetFlag(flagStrikeOut, bStrikeOut);
    SetFlag(flagStrikeOutSet, TRUE);
    return *this;
}

CGXFont& CGXFont::SetIncludeStrikeOut(BOOL bInclude)
{
    SetFlag(flagStrikeOutSet, bInclude);
    return *this;
}

CGXFont& CGXFont::SetOrientation(LONG nTenths)
{
    SetField(m_dwWord0, 21, 0x1FF, TenthsToDegrees(nTenths));
    return *this;
}

CGXFont& CGXFont::SetIncludeOrientation(BOOL bInclude)
{
    if (!bInclude)
        SetField(m_dwWord0, 21, 0x1FF, unsetOrientation);
    return *this;
}

LPCTSTR CGXFont::GetFaceName() const
{
    const GXFontFaceEntry* pEntry = GetIncludeFaceName() ? GXGetFontFaceEntry(GetFaceId()) : nullptr;
    return pEntry != nullptr ? pEntry->szFaceName : "";
}

CGXFont& CGXFont::SetFaceId(unsigned nFaceId)
{
    SetField(m_dwWord1, 0, 0x3FF, nFaceId);
    return *this;
}

CGXFont& CGXFont::SetFaceName(LPCTSTR pszFaceName) { return SetFaceId(GXFindOrAddFontFace(pszFaceName)); }

CGXFont& CGXFont::SetIncludeFaceName(BOOL bInclude)
{
    if (!bInclude)
        SetFaceId(unsetFace);
    return *this;
}

CGXFont& CGXFont::SetLogFont(const LOGFONT& lf)
{
    ReleaseFontData();
    CGXFontFaceRegistry& registry = GXGetFontFaceRegistry();
    CString face(lf.lfFaceName);
    if (lf.lfCharSet != ANSI_CHARSET && lf.lfCharSet != DEFAULT_CHARSET && !face.IsEmpty())
    {
        LPCTSTR pszScript = registry.GetScriptName(lf.lfCharSet);
        if (pszScript[0] != '\0')
        {
            CString named;
            named.Format("%s (%s)", static_cast<LPCTSTR>(face), pszScript);
            face = named;
        }
    }
    SetFaceId(registry.FindOrAddFace(face, lf.lfCharSet, lf.lfPitchAndFamily));
    const LONG nHeight = lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight;
    const int nQuarter = ::MulDiv(nHeight, 288, DisplayPixelsPerInchY());
    SetField(m_dwWord0, 11, 0x3FF, static_cast<DWORD>(std::clamp(nQuarter, 0, static_cast<int>(maxQuarterPoints))));
    SetWeight(lf.lfWeight);
    SetItalic(lf.lfItalic != 0);
    SetUnderline(lf.lfUnderline != 0);
    SetStrikeOut(lf.lfStrikeOut != 0);
    SetOrientation(lf.lfOrientation);
    return *this;
}

CGXFont& CGXFont::SetStandardFont()
{
    LOGFONT lf = {};
    lstrcpynA(lf.lfFaceName, "Arial", LF_FACESIZE);
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    if (::GetSystemMetrics(SM_DBCSENABLED))
    {
        HGDIOBJ hFont = ::GetStockObject(DEFAULT_GUI_FONT);
        if (hFont == NULL)
            hFont = ::GetStockObject(SYSTEM_FONT);
        LOGFONT stock = {};
        if (hFont != NULL && ::GetObjectA(hFont, sizeof(stock), &stock) != 0)
        {
            lstrcpynA(lf.lfFaceName, stock.lfFaceName, LF_FACESIZE);
            lf.lfCharSet = stock.lfCharSet;
            lf.lfPitchAndFamily = stock.lfPitchAndFamily;
        }
    }
    SetLogFont(lf);
    return SetSize(10);
}

CGXFontData* CGXFont::GetFontData() const
{
    AttachFontData();
    return m_pFontData;
}

void CGXFont::AttachFontData() const
{
    if (HoldsFontData())
        return;
    CGXMapFontData& map = GXGetFontFaceRegistry().GetFontDataMap();
    const ULONGLONG key = GetKey();
    CGXFontData* pData = nullptr;
    if (!map.Lookup(key, pData))
    {
        pData = new CGXFontData{};
        pData->nRefCount = 0;
        pData->key = key;
        LOGFONT& lf = pData->lf;
        if (GetIncludeSize())
            lf.lfHeight = -::MulDiv(static_cast<int>(GetQuarterPoints()), DisplayPixelsPerInchY(), 288);
        lf.lfWeight = GetIncludeWeight() ? GetWeight() : FW_DONTCARE;
        lf.lfItalic = GetIncludeItalic() && GetItalic();
        lf.lfUnderline = GetIncludeUnderline() && GetUnderline();
        lf.lfStrikeOut = GetIncludeStrikeOut() && GetStrikeOut();
        lf.lfEscapement = lf.lfOrientation = GetIncludeOrientation() ? GetOrientation() : 0;
        lf.lfCharSet = DEFAULT_CHARSET;
        if (const GXFontFaceEntry* pEntry = GetIncludeFaceName() ? GXGetFontFaceEntry(GetFaceId()) : nullptr)
        {
            CString face(pEntry->szFaceName);
            // A "face (script)" entry names the face and its character set.
            if (pEntry->bScriptSuffix || (pEntry->nCharSet != ANSI_CHARSET && pEntry->nCharSet != DEFAULT_CHARSET))
            {
                const int nSuffix = face.Find(" (");
                if (nSuffix > 0)
                    face = face.Left(nSuffix);
            }
            lstrcpynA(lf.lfFaceName, face, LF_FACESIZE);
            lf.lfCharSet = pEntry->nCharSet;
            lf.lfPitchAndFamily = pEntry->nPitchAndFamily;
        }
        map.SetAt(key, pData);
    }
    ::InterlockedIncrement(&pData->nRefCount);
    m_pFontData = pData;
    m_dwWord0 |= flagReference;
}

void CGXFont::ReleaseFontData() const
{
    if (!HoldsFontData())
        return;
    CGXFontData* pData = m_pFontData;
    m_pFontData = nullptr;
    m_dwWord0 &= ~static_cast<DWORD>(flagReference);
    if (s_bRegistryDestroyed || pData == nullptr)
        return;
    if (::InterlockedDecrement(&pData->nRefCount) == 0)
    {
        GXGetFontFaceRegistry().GetFontDataMap().RemoveKey(pData->key);
        delete pData;
    }
}

LOGFONT CGXFont::GetLogFontZoomed(int nZoomPercent) const
{
    LOGFONT lf = GetLogFont();
    lf.lfHeight = ::MulDiv(lf.lfHeight, nZoomPercent, 100);
    return lf;
}

CGXFont& CGXFont::ChangeFont(const CGXFont& other, GXModifyType mode)
{
    if (mode == gxCopy)
        return *this = other;
    if (mode == gxExclude)
    {
        if (other.GetIncludeWeight())
            SetIncludeWeight(FALSE);
        if (other.GetIncludeSize())
            SetIncludeSize(FALSE);
        if (other.GetIncludeItalic())
            SetIncludeItalic(FALSE);
        if (other.GetIncludeUnderline())
            SetIncludeUnderline(FALSE);
        if (other.GetIncludeStrikeOut())
            SetIncludeStrikeOut(FALSE);
        if (other.GetIncludeOrientation())
            SetIncludeOrientation(FALSE);
        if (other.GetIncludeFaceName())
            SetIncludeFaceName(FALSE);
        return *this;
    }
    const bool bOverride = mode == gxOverride;
    if (other.GetIncludeWeight() && (bOverride || !GetIncludeWeight()))
        SetField(m_dwWord0, 7, 0xF, other.GetWeightCode());
    if (other.GetIncludeSize() && (bOverride || !GetIncludeSize()))
        SetField(m_dwWord0, 11, 0x3FF, other.GetQuarterPoints());
    if (other.GetIncludeItalic() && (bOverride || !GetIncludeItalic()))
        SetItalic(other.GetItalic());
    if (other.GetIncludeUnderline() && (bOverride || !GetIncludeUnderline()))
        SetUnderline(other.GetUnderline());
    if (other.GetIncludeStrikeOut() && (bOverride || !GetIncludeStrikeOut()))
        SetStrikeOut(other.GetStrikeOut());
    if (other.GetIncludeOrientation() && (bOverride || !GetIncludeOrientation()))
        SetField(m_dwWord0, 21, 0x1FF, other.GetOrientationDegrees());
    if (other.GetIncludeFaceName() && (bOverride || !GetIncludeFaceName()))
        SetFaceId(other.GetFaceId());
    return *this;
}

BOOL CGXFont::CompareSubset(const CGXFont& other) const
{
    if (other.GetIncludeWeight() && (!GetIncludeWeight() || GetWeightCode() != other.GetWeightCode()))
        return FALSE;
    if (other.GetIncludeSize() && (!GetIncludeSize() || GetQuarterPoints() != other.GetQuarterPoints()))
        return FALSE;
    if (other.GetIncludeItalic() && (!GetIncludeItalic() || GetItalic() != other.GetItalic()))
        return FALSE;
    if (other.GetIncludeUnderline() && (!GetIncludeUnderline() || GetUnderline() != other.GetUnderline()))
        return FALSE;
    if (other.GetIncludeStrikeOut() && (!GetIncludeStrikeOut() || GetStrikeOut() != other.GetStrikeOut()))
        return FALSE;
    if (other.GetIncludeOrientation() &&
        (!GetIncludeOrientation() || GetOrientationDegrees() != other.GetOrientationDegrees()))
        return FALSE;
    if (other.GetIncludeFaceName() && (!GetIncludeFaceName() || GetFaceId() != other.GetFaceId()))
        return FALSE;
    return TRUE;
}

void CGXFont::FormatDescription(LPTSTR pszBuffer, size_t cchBuffer) const
{
    if (pszBuffer == NULL || cchBuffer == 0)
        return;
    CString text;
    GetDescription(text);
    lstrcpynA(pszBuffer, text, static_cast<int>(std::min<size_t>(cchBuffer, 0x7FFFFFFF)));
}

CString& CGXFont::GetDescription(CString& text) const
{
    CString number;
    text = GetIncludeFaceName() ? GetFaceName() : "";
    text += ',';
    if (GetIncludeSize())
    {
        number.Format("%u", GetQuarterPoints() / 4);
        text += number;
    }
    text += ',';
    if (GetIncludeWeight())
    {
        number.Format("%ld", static_cast<long>(GetWeight()));
        text += number;
    }
    text += ',';
    if (GetIncludeItalic())
        text += GetItalic() ? '1' : '0';
    text += ',';
    if (GetIncludeUnderline())
        text += GetUnderline() ? '1' : '0';
    text += ',';
    if (GetIncludeStrikeOut())
        text += GetStrikeOut() ? '1' : '0';
    text += ',';
    if (GetIncludeOrientation())
    {
        number.Format("%ld", static_cast<long>(GetOrientation()));
        text += number;
    }
    return text;
}

CGXFont& CGXFont::SetDescription(LPCTSTR pszDescription)
{
    if (pszDescription == NULL)
        return *this;
    Clear();
    const char* p = pszDescription;
    const char* pComma = std::strchr(p, ',');
    const CString face = pComma != nullptr ? CString(p, static_cast<int>(pComma - p)) : CString(p);
    if (!face.IsEmpty())
        SetFaceName(BoundFaceField(face));

    // Size, weight, italic, underline, strikeout: a field is applied unless it is empty in the
    // middle of the text (an empty last field reads as 0).
    for (int nField = 1; nField <= 5 && pComma != nullptr; ++nField)
    {
        p = pComma + 1;
        pComma = std::strchr(p, ',');
        if (*p == ',')
            continue;
        const long nValue = std::atol(p);
        switch (nField)
        {
        case 1: SetSize(static_cast<double>(nValue)); break;
        case 2: SetWeight(nValue); break;
        case 3: SetItalic(nValue != 0); break;
        case 4: SetUnderline(nValue != 0); break;
        default: SetStrikeOut(nValue != 0); break;
        }
    }
    if (pComma != nullptr)
    {
        p = pComma + 1;
        if (*p != '\0' && *p != ',')
            SetOrientation(std::atol(p));
    }
    return *this;
}

void CGXFont::Serialize(CArchive& ar)
{
    if (CGXAbstractStyleSerializeImp* pImp = GXGetLibraryLinks().pStyleSerializeImp)
        pImp->SerializeFont(*this, ar);
}

void CGXFont::WriteProfile(LPCTSTR pszSection, LPCTSTR pszEntry) const
{
    if (CGXAbstractGridProfileImp* pImp = GXGetLibraryLinks().pProfileImp)
        pImp->WriteFontProfile(*this, pszSection, pszEntry);
}
