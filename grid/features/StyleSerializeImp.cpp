#include "grid/features/StyleSerializeImp.h"

#include "framework/core/Archive.h"
#include "framework/core/Exceptions.h"
#include "grid/core/AppData.h"
#include "grid/core/DrawingAndFormatting.h"
#include "grid/core/Font.h"
#include "grid/core/Style.h"
#include "grid/core/StylePenBrush.h"
#include "grid/core/StylesMap.h"
#include "grid/core/UserAttribute.h"
#include "grid/features/ArchiveLoading.h"

#include <cmath>
#include <cstring>
#include <memory>
#include <new>

namespace
{

using namespace GXArchiveLoading;

// The library's pattern brushes: a pattern index at or beyond this many draws nothing.
const DWORD patternCount = 41;

BOOL Bit(DWORD dwMask, int nBit) { return (dwMask >> nBit) & 1; }

void StoreByte(CArchive& ar, DWORD dwValue) { ar << static_cast<BYTE>(dwValue); }

const CGXStylesMap* StylesMapFor(const CArchive& ar, const CGXStylesMap* pStylesMap)
{
    return pStylesMap != nullptr ? pStylesMap : GXGetArchiveStylesMap(ar);
}

} // namespace

const CGXStylesMap* GXGetArchiveStylesMap(const CArchive& ar)
{
    // The document pointer carries any object derived from CObject (CDocument among them): its class
    // says what it is.
    const CObject* pObject = reinterpret_cast<const CObject*>(ar.m_pDocument);
    if (pObject == nullptr || !pObject->IsKindOf(RUNTIME_CLASS(CGXStylesMap)))
        return nullptr;
    return static_cast<const CGXStylesMap*>(pObject);
}

CDocument* GXSetArchiveStylesMap(CArchive& ar, const CGXStylesMap* pStylesMap)
{
    CDocument* pPrevious = ar.m_pDocument;
    const CObject* pObject = pStylesMap;
    ar.m_pDocument = reinterpret_cast<CDocument*>(const_cast<CObject*>(pObject));
    return pPrevious;
}

// ---------------------------------------------------------------------------------------------
// Font

void CGXStyleSerializeImp::SerializeFont(CGXFont& font, CArchive& ar)
{
    enum : DWORD
    {
        italicSet = 1u << 0,
        underlineSet = 1u << 1,
        strikeOutSet = 1u << 2,
        italicOn = 1u << 3,
        underlineOn = 1u << 4,
        strikeOutOn = 1u << 5,
        hasWeight = 1u << 6,
        hasSize = 1u << 7,
        hasOrientation = 1u << 8,
        hasFace = 1u << 9
    };

    if (ar.IsStoring())
    {
        DWORD dwMask = 0;
        if (font.GetIncludeItalic())
            dwMask |= italicSet;
        if (font.GetIncludeUnderline())
            dwMask |= underlineSet;
        if (font.GetIncludeStrikeOut())
            dwMask |= strikeOutSet;
        if (font.GetItalic())
            dwMask |= italicOn;
        if (font.GetUnderline())
            dwMask |= underlineOn;
        if (font.GetStrikeOut())
            dwMask |= strikeOutOn;
        if (font.GetIncludeWeight())
            dwMask |= hasWeight;
        if (font.GetIncludeSize())
            dwMask |= hasSize;
        if (font.GetIncludeOrientation())
            dwMask |= hasOrientation;
        if (font.GetIncludeFaceName())
            dwMask |= hasFace;

        ar << static_cast<WORD>(fontSchema) << dwMask;
        if (dwMask & hasWeight)
            ar << static_cast<WORD>(font.GetWeightCode() * 100);
        if (dwMask & hasSize)
            ar << static_cast<WORD>(font.GetQuarterPoints() * 2.5);  // tenths of a point, truncated
        if (dwMask & hasOrientation)
            ar << static_cast<WORD>(font.GetOrientationDegrees() * 10);
        if (dwMask & hasFace)
        {
            const GXFontFaceEntry* pEntry = GXGetFontFaceEntry(font.GetFaceId());
            ar << CString(pEntry != nullptr ? pEntry->szFaceName : "");
            StoreByte(ar, pEntry != nullptr ? pEntry->nCharSet : DEFAULT_CHARSET);
            StoreByte(ar, pEntry != nullptr ? pEntry->nPitchAndFamily : 0);
        }
        return;
    }

    const WORD nSchema = LoadWord(ar);
    if (nSchema > fontSchema)
        ThrowBadSchema();
    font.Clear();

    if (nSchema == 1)
    {
        // The older form: a LOGFONT's main fields, then which of them the font sets.
        LOGFONT lf;
        std::memset(&lf, 0, sizeof lf);
        lf.lfHeight = static_cast<LONG>(LoadDWord(ar));
        lf.lfWeight = static_cast<LONG>(LoadDWord(ar));
        lf.lfItalic = LoadByte(ar);
        lf.lfUnderline = LoadByte(ar);
        lf.lfPitchAndFamily = LoadByte(ar);
        const CString face = LoadString(ar);
        // The face field holds 31 characters and its terminating zero.
        std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
        const DWORD dwInclude = LoadDWord(ar);
        font.SetLogFont(lf);
        font.SetIncludeWeight(Bit(dwInclude, 0));
        font.SetIncludeItalic(Bit(dwInclude, 1));
        font.SetIncludeUnderline(Bit(dwInclude, 2));
        font.SetIncludeStrikeOut(Bit(dwInclude, 3));
        font.SetIncludeSize(Bit(dwInclude, 4));
        if (Bit(dwInclude, 5))
            font.SetFaceName(lf.lfFaceName);
        else
            font.SetIncludeFaceName(FALSE);
        font.SetOrientation(Bit(dwInclude, 6) ? static_cast<LONG>(LoadDWord(ar)) : 0);
        return;
    }

    const DWORD dwMask = LoadDWord(ar);
    font.SetItalic((dwMask & italicOn) != 0).SetIncludeItalic((dwMask & italicSet) != 0);
    font.SetUnderline((dwMask & underlineOn) != 0).SetIncludeUnderline((dwMask & underlineSet) != 0);
    font.SetStrikeOut((dwMask & strikeOutOn) != 0).SetIncludeStrikeOut((dwMask & strikeOutSet) != 0);
    if (dwMask & hasWeight)
        font.SetWeight(LoadWord(ar));
    if (dwMask & hasSize)
    {
        // The nearest quarter point: the tenths were truncated from quarters, so each comes back.
        const WORD nTenths = LoadWord(ar);
        font.SetSize(std::floor(nTenths * 0.4 + 0.5) * 0.25);
    }
    if (dwMask & hasOrientation)
        font.SetOrientation(LoadWord(ar));
    if (dwMask & hasFace)
    {
        const CString face = LoadString(ar);
        const BYTE nCharSet = LoadByte(ar);
        const BYTE nPitchAndFamily = LoadByte(ar);
        font.SetFaceId(GXGetFontFaceRegistry().FindOrAddFace(face, nCharSet, nPitchAndFamily));
    }
}

// ---------------------------------------------------------------------------------------------
// Brush and pen

COLORREF CGXStyleSerializeImp::SerializeBrush(CGXStyleBrush& brush, CArchive& ar)
{
    if (ar.IsStoring())
    {
        const COLORREF back = brush.GetStoredBkColor();
        ar << static_cast<DWORD>(brush.GetStyle()) << static_cast<DWORD>(brush.GetStoredColor())
           << static_cast<DWORD>(brush.GetHatch()) << static_cast<DWORD>(brush.GetPattern()) << static_cast<DWORD>(back);
        return back;
    }
    const DWORD dwStyle = LoadDWord(ar) & 0x3;
    const DWORD dwFore = LoadDWord(ar);
    const DWORD dwHatch = LoadDWord(ar);
    const DWORD dwPattern = LoadDWord(ar);
    UINT nStyle = dwStyle;
    if (nStyle == CGXStyleBrush::bsPattern)
    {
        if (dwPattern >= patternCount)
            nStyle = CGXStyleBrush::bsHollow;
        else
            CGXDrawingAndFormatting::GetInstance()->GetPatternBitmap(static_cast<int>(dwPattern));
    }
    brush.SetColor(dwFore);
    brush.SetHatch(dwHatch & 0x7);
    brush.SetPattern(dwPattern & 0x3F);  // makes it a pattern brush: the style follows
    brush.SetStyle(nStyle);
    const DWORD dwBack = LoadDWord(ar);
    brush.SetBkColor(dwBack);
    return dwBack;
}

COLORREF CGXStyleSerializeImp::SerializePen(CGXStylePen& pen, CArchive& ar)
{
    if (ar.IsStoring())
    {
        const COLORREF color = pen.GetColor();
        ar << static_cast<DWORD>(pen.GetStyle()) << static_cast<WORD>(pen.GetWidth())
           << static_cast<WORD>(pen.GetInclude() ? 1 : 0) << static_cast<DWORD>(color);
        return color;
    }
    const DWORD dwStyle = LoadDWord(ar) & 0x7;
    const WORD nWidth = LoadWord(ar);
    const WORD nSet = LoadWord(ar);
    const DWORD dwColor = LoadDWord(ar);
    pen.SetColor(dwColor);
    pen.SetWidth(nWidth);
    pen.SetStyle(nSet != 0 ? dwStyle : static_cast<DWORD>(CGXStylePen::styleNotSet));
    return dwColor;
}

// ---------------------------------------------------------------------------------------------
// Style

void CGXStyleSerializeImp::SerializeStyle(CGXStyle& style, CArchive& ar, const CGXStylesMap* pStylesMap)
{
    if (ar.IsStoring())
        StoreStyle(style, ar, StylesMapFor(ar, pStylesMap));
    else
        LoadStyle(style, ar, StylesMapFor(ar, pStylesMap));
}

void CGXStyleSerializeImp::StoreStyle(const CGXStyle& style, CArchive& ar, const CGXStylesMap* pStylesMap)
{
    const DWORD dwMask = style.GetIncludeBits().GetMask();
    ar << static_cast<WORD>(styleSchema) << dwMask;

    if (Bit(dwMask, CGXStyle::ibHorizontalAlignment))
        ar << static_cast<DWORD>(style.GetHorizontalAlignment());
    if (Bit(dwMask, CGXStyle::ibVerticalAlignment))
        ar << static_cast<DWORD>(style.GetVerticalAlignment());
    if (Bit(dwMask, CGXStyle::ibReadOnly))
        StoreByte(ar, style.GetReadOnly());
    if (Bit(dwMask, CGXStyle::ibControl))
        ar << static_cast<DWORD>(style.GetControl());
    if (Bit(dwMask, CGXStyle::ibInterior))
    {
        CGXStyleBrush brush = style.GetInterior();
        SerializeBrush(brush, ar);
    }
    if (Bit(dwMask, CGXStyle::ibTextColor))
    {
        // A system text colour goes as the colour it has now: it loads back as a plain colour.
        const COLORREF color =
            style.GetTextColorKind() == gxColorSystem ? style.GetResolvedTextColor() : style.GetTextColor();
        ar << static_cast<DWORD>(color);
    }
    if (Bit(dwMask, CGXStyle::ibWrapText))
        StoreByte(ar, style.GetWrapText());
    if (Bit(dwMask, CGXStyle::ibAllowEnter))
        StoreByte(ar, style.GetAllowEnter());
    if (Bit(dwMask, CGXStyle::ibFont))
        ar << static_cast<const CObject*>(style.GetFontPtr());
    if (Bit(dwMask, CGXStyle::ibValue))
        ar << style.GetValue();
    if (Bit(dwMask, CGXStyle::ibChoiceList))
        ar << style.GetChoiceList();
    if (Bit(dwMask, CGXStyle::ibVerticalScrollbar))
        StoreByte(ar, style.GetVerticalScrollbar());
    if (Bit(dwMask, CGXStyle::ibMaxLength))
        ar << static_cast<WORD>(style.GetMaxLength());
    if (Bit(dwMask, CGXStyle::ibEnabled))
        StoreByte(ar, style.GetEnabled());
    if (Bit(dwMask, CGXStyle::ibTriState))
        StoreByte(ar, style.GetTriState());
    if (Bit(dwMask, CGXStyle::ibDraw3dFrame))
        StoreByte(ar, style.GetDraw3dFrame());
    if (Bit(dwMask, CGXStyle::ibAutoSize))
        StoreByte(ar, style.GetAutoSize());

    // Borders: always a WORD; the edges only when the style sets borders.
    if (!Bit(dwMask, CGXStyle::ibBorders))
        ar << static_cast<WORD>(0);
    else
    {
        ar << static_cast<WORD>(1);
        for (int nEdge = 0; nEdge < 4; ++nEdge)
        {
            const CGXStylePen& pen = style.GetBorders(nEdge);
            if (!pen.GetInclude())
            {
                ar << static_cast<WORD>(0);
                continue;
            }
            CString text;
            ar << static_cast<WORD>(1) << pen.GetDescription(text);
        }
    }

    // The base style by the string-table id it is registered under, else by its name.
    if (Bit(dwMask, CGXStyle::ibBaseStyle))
    {
        UINT nResourceId = 0;
        LPCTSTR pszName = nullptr;
        if (pStylesMap != nullptr)
            pszName = pStylesMap->GetStyleName(style.GetBaseStyle(), nResourceId);
        if (pszName == nullptr)
            nResourceId = 0;
        ar << static_cast<DWORD>(nResourceId);
        if (nResourceId == 0)
            ar << CString(pszName != nullptr ? pszName : "");
    }

    ar << static_cast<const CObject*>(style.GetUserAttributeMap());

    if (Bit(dwMask, CGXStyle::ibFloatCell))
        StoreByte(ar, style.GetFloatCell());
    if (Bit(dwMask, CGXStyle::ibFloodCell))
        StoreByte(ar, style.GetFloodCell());
    if (Bit(dwMask, CGXStyle::ibMergeCell))
        StoreByte(ar, style.GetMergeCell());
    if (Bit(dwMask, CGXStyle::ibItemDataPtr))
        ar << static_cast<DWORD>(reinterpret_cast<UINT_PTR>(style.GetItemDataPtr()));
    if (Bit(dwMask, CGXStyle::ibFormat))
        StoreByte(ar, style.GetFormat());
    if (Bit(dwMask, CGXStyle::ibPlaces))
        StoreByte(ar, style.GetPlaces());
    if (Bit(dwMask, CGXStyle::ibValue))
        StoreByte(ar, style.GetValueType());
}

void CGXStyleSerializeImp::LoadStyle(CGXStyle& style, CArchive& ar, const CGXStylesMap* pStylesMap)
{
    const WORD nSchema = LoadWord(ar);
    if (nSchema > styleSchema)
        ThrowBadSchema();
    style.ClearAll();
    const DWORD dwMask = LoadDWord(ar) & CGXStyleIncludeBits::allBits;
    style.GetIncludeBits().SetMask(dwMask);

    if (Bit(dwMask, CGXStyle::ibHorizontalAlignment))
        style.SetHorizontalAlignment(LoadDWord(ar));
    if (Bit(dwMask, CGXStyle::ibVerticalAlignment))
        style.SetVerticalAlignment(LoadDWord(ar));
    if (Bit(dwMask, CGXStyle::ibReadOnly))
        style.SetReadOnly(LoadByte(ar) != 0);
    if (Bit(dwMask, CGXStyle::ibControl))
        style.SetControl(LOWORD(LoadDWord(ar)));
    if (Bit(dwMask, CGXStyle::ibInterior))
    {
        CGXStyleBrush brush;
        SerializeBrush(brush, ar);
        style.SetInterior(brush);
    }
    if (Bit(dwMask, CGXStyle::ibTextColor))
        style.SetTextColor(LoadDWord(ar));
    if (Bit(dwMask, CGXStyle::ibWrapText))
        style.SetWrapText(LoadByte(ar) != 0);
    if (Bit(dwMask, CGXStyle::ibAllowEnter))
        style.SetAllowEnter(LoadByte(ar) != 0);
    if (Bit(dwMask, CGXStyle::ibFont))
    {
        if (std::unique_ptr<CGXFont> pFont = LoadOwned<CGXFont>(ar, RUNTIME_CLASS(CGXFont)))
            style.SetFont(*pFont, gxCopy);
    }
    if (Bit(dwMask, CGXStyle::ibValue))
        style.SetValue(LoadString(ar));
    if (Bit(dwMask, CGXStyle::ibChoiceList))
        style.SetChoiceList(LoadString(ar));
    if (Bit(dwMask, CGXStyle::ibVerticalScrollbar))
        style.SetVerticalScrollbar(LoadByte(ar) != 0);
    if (Bit(dwMask, CGXStyle::ibMaxLength))
        style.SetMaxLength(LoadWord(ar));
    if (Bit(dwMask, CGXStyle::ibEnabled))
        style.SetEnabled(LoadByte(ar) != 0);
    if (Bit(dwMask, CGXStyle::ibTriState))
        style.SetTriState(LoadByte(ar) != 0);
    if (Bit(dwMask, CGXStyle::ibDraw3dFrame))
        style.SetDraw3dFrame(LoadByte(ar));
    if (Bit(dwMask, CGXStyle::ibAutoSize))
        style.SetAutoSize(LoadByte(ar) != 0);

    // The borders WORD is there whatever the mask says.
    if (LoadWord(ar) != 0)
    {
        for (int nEdge = 0; nEdge < 4; ++nEdge)
        {
            if (LoadWord(ar) == 0)
                continue;
            CGXStylePen pen;
            pen.SetDescription(LoadString(ar));
            style.SetBorders(nEdge, pen);
        }
    }

    if (Bit(dwMask, CGXStyle::ibBaseStyle))
    {
        const DWORD dwResourceId = LoadDWord(ar);
        WORD nStyleId = 0;
        if (dwResourceId == 0)
        {
            const CString name = LoadString(ar);
            if (pStylesMap != nullptr && !name.IsEmpty() && pStylesMap->LookupStyleId(name, nStyleId))
                style.SetBaseStyle(nStyleId);
        }
        else if (pStylesMap != nullptr)
        {
            // A string-table id the map does not know answers 0, as its lookup does.
            if (!pStylesMap->LookupResourceStyleId(dwResourceId, nStyleId))
                nStyleId = 0;
            style.SetBaseStyle(nStyleId);
        }
    }

    if (nSchema >= 5)
    {
        if (std::unique_ptr<CGXUserAttributeMap> pMap =
                LoadOwned<CGXUserAttributeMap>(ar, RUNTIME_CLASS(CGXUserAttributeMap)))
        {
            style.SetUserAttributeMap(pMap.get());
            style.GetIncludeBits().Set(CGXStyle::ibUserAttributes, Bit(dwMask, CGXStyle::ibUserAttributes));
        }
    }
    else
    {
        CGXAbstractSerializeLT5CompatibleImp* pOld = GXGetLibraryLinks().pSerializeLT5CompatibleImp;
        if (pOld == nullptr)
            ThrowBadSchema();
        pOld->ReadOldUserAttributes(style, ar);
    }

    if (nSchema >= 2)
    {
        if (Bit(dwMask, CGXStyle::ibFloatCell))
            style.SetFloatCell(LoadByte(ar) != 0);
        if (Bit(dwMask, CGXStyle::ibFloodCell))
            style.SetFloodCell(LoadByte(ar) != 0);
        if (Bit(dwMask, CGXStyle::ibMergeCell))
            style.SetMergeCell(LoadByte(ar));
    }
    if (nSchema >= 3 && Bit(dwMask, CGXStyle::ibItemDataPtr))
        style.SetItemDataPtr(reinterpret_cast<void*>(static_cast<UINT_PTR>(LoadDWord(ar))));
    if (nSchema >= 4)
    {
        if (nSchema < 6)
        {
            // Schemas 4 and 5 keep Format and Places together under the Format bit.
            if (Bit(dwMask, CGXStyle::ibFormat))
            {
                style.SetFormat(LoadByte(ar));
                style.SetPlaces(LoadByte(ar));
            }
        }
        else
        {
            if (Bit(dwMask, CGXStyle::ibFormat))
                style.SetFormat(LoadByte(ar));
            if (Bit(dwMask, CGXStyle::ibPlaces))
                style.SetPlaces(LoadByte(ar));
        }
        if (Bit(dwMask, CGXStyle::ibValue))
            style.SetValueType(LoadByte(ar));
    }
}

void InstallStyleSerializeImp()
{
    GXLibraryLinks& links = GXGetLibraryLinks();
    if (links.pStyleSerializeImp != nullptr)
        return;
    // Without memory the feature is simply missing.
    CGXStyleSerializeImp* pImp = new (std::nothrow) CGXStyleSerializeImp;
    if (pImp == nullptr)
        return;
    links.pStyleSerializeImp = pImp;
    GXGetAppData()->AddOwnedObject(pImp);
}
