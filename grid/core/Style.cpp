#include "grid/core/Style.h"

#include "framework/core/Exceptions.h"
#include "grid/core/LibraryLinks.h"
#include "grid/core/StylesMap.h"

#include <cstring>

IMPLEMENT_SERIAL(CGXStyle, CObject, 0)

const LPCTSTR CGXStyle::ProfileNames[28] = {
    "HorizontalAlignment", "VerticalAlignment", "ReadOnly", "ControlId", "Interior", "TextColor", "WrapText",
    "AllowEnter", "Font", "Borders", "Top", "Left", "Bottom", "Right", "Value", "MaxLength", "VerticalScrollbar",
    "ChoicesList", "Enabled", "TriState", "Draw3dFrame", "AutoSize", "BaseStyle", "FloatCell", "FloodCell",
    "MergeCell", "Format", "Places"};

namespace
{
const CGXStylePen& NotSetPen()
{
    static const CGXStylePen s_pen;
    return s_pen;
}

const CGXFont& EmptyFont()
{
    static const CGXFont s_font;
    return s_font;
}
}  // namespace

CGXStyle::CGXStyle()
{
    std::memset(&m_packed, 0, sizeof(m_packed));
    m_packed.nPlaces = 13;
}

CGXStyle::CGXStyle(const CGXStyle& other)
    : CObject(),
      m_include(other.m_include),
      m_packed(other.m_packed),
      m_nMaxLength(other.m_nMaxLength),
      m_nControl(other.m_nControl),
      m_nBaseStyle(other.m_nBaseStyle),
      m_interior(other.m_interior),
      m_pFont(other.m_pFont != nullptr ? new CGXFont(*other.m_pFont) : nullptr),
      m_strValue(other.m_strValue),
      m_strChoiceList(other.m_strChoiceList),
      m_pUserAttributes(other.m_pUserAttributes != nullptr ? new CGXUserAttributeMap(*other.m_pUserAttributes)
                                                           : nullptr),
      m_pItemData(other.m_pItemData)
{
    if (other.m_pBorders != nullptr)
    {
        m_pBorders = new CGXStylePen[4];
        for (int i = 0; i < 4; ++i)
            m_pBorders[i] = other.m_pBorders[i];
    }
}

CGXStyle::~CGXStyle() { ClearAll(); }

// ---------------------------------------------------------------------------------------------
// Virtual operations

void CGXStyle::Serialize(CArchive& ar) { SerializeWithStylesMap(ar, NULL); }

CGXStyle* CGXStyle::Clone() const { return new CGXStyle(*this); }

CGXStyle& CGXStyle::AssignValueText(LPCTSTR pszValue) { return SetValue(pszValue); }

CGXStyle& CGXStyle::operator=(const CGXStyle& other)
{
    if (&other == this)
        return *this;
    if (other.IsEmpty())
        return ClearAll();

    m_include = other.m_include;
    m_interior = other.m_interior;
    m_nMaxLength = other.m_nMaxLength;
    m_nControl = other.m_nControl;
    m_pItemData = other.m_pItemData;
    m_packed = other.m_packed;
    m_nBaseStyle = other.m_nBaseStyle;

    if (other.GetIncludeValue())
        m_strValue = other.m_strValue;
    else
        m_strValue.Empty();
    if (other.GetIncludeChoiceList())
        m_strChoiceList = other.m_strChoiceList;
    else
        m_strChoiceList.Empty();

    if (other.m_pUserAttributes != nullptr)
        EnsureUserAttributes().ApplyMap(*other.m_pUserAttributes, gxCopy);
    else
    {
        delete m_pUserAttributes;
        m_pUserAttributes = nullptr;
    }

    if (other.m_pBorders != nullptr)
    {
        CGXStylePen* pPens = EnsureBorders();
        for (int i = 0; i < 4; ++i)
            pPens[i] = other.m_pBorders[i];
    }
    else
    {
        delete[] m_pBorders;
        m_pBorders = nullptr;
    }

    if (other.m_pFont != nullptr)
    {
        if (m_pFont == nullptr)
            m_pFont = new CGXFont(*other.m_pFont);
        else
            m_pFont->ChangeFont(*other.m_pFont, gxCopy);
    }
    else
    {
        delete m_pFont;
        m_pFont = nullptr;
    }
    return *this;
}

CGXStyle& CGXStyle::SetStandardDefaults()
{
    ClearAll();
    SetHorizontalAlignment(DT_LEFT);
    SetVerticalAlignment(DT_TOP);
    SetReadOnly(FALSE);
    SetControl(GX_IDS_CTRL_EDIT);
    SetInterior(CGXStyleBrush(CGXStyleBrush::bsSolid, GXSysColorValue(COLOR_WINDOW)));
    SetTextColor(GXSysColorValue(COLOR_WINDOWTEXT));
    SetWrapText(TRUE);
    SetAllowEnter(FALSE);
    CGXFont font;
    font.SetStandardFont();
    SetFont(font, gxCopy);
    SetValue("");
    SetChoiceList("");
    SetVerticalScrollbar(FALSE);
    SetMaxLength(0);
    SetEnabled(TRUE);
    SetTriState(FALSE);
    SetDraw3dFrame(0);
    SetAutoSize(FALSE);
    SetItemDataPtr(nullptr);
    SetFloatCell(TRUE);
    SetFloodCell(TRUE);
    SetMergeCell(0);
    SetFormat(0);
    SetPlaces(13);
    return *this;
}

BOOL CGXStyle::CompareSubset(const CGXStyle& subset) const
{
    if (CGXAbstractStyleCompareSubsetImp* pImp = GXGetLibraryLinks().pStyleCompareSubsetImp)
        return pImp->IsSubset(*this, subset);
    return FALSE;
}

void CGXStyle::SerializeWithStylesMap(CArchive& ar, const CGXStylesMap* pStylesMap)
{
    if (CGXAbstractStyleSerializeImp* pImp = GXGetLibraryLinks().pStyleSerializeImp)
        pImp->SerializeStyle(*this, ar, pStylesMap);
}

void CGXStyle::WriteProfile(LPCTSTR pszSection, const CGXStylesMap* pStylesMap) const
{
    if (CGXAbstractGridProfileImp* pImp = GXGetLibraryLinks().pProfileImp)
        pImp->WriteStyleProfile(*this, pszSection, pStylesMap);
}

BOOL CGXStyle::ReadProfile(LPCTSTR pszSection, const CGXStylesMap* pStylesMap)
{
    if (CGXAbstractGridProfileImp* pImp = GXGetLibraryLinks().pProfileImp)
        return pImp->ReadStyleProfile(*this, pszSection, pStylesMap);
    return FALSE;
}

void CGXStyle::ResolveBaseStyles(const CGXStylesMap* pStylesMap)
{
    if (pStylesMap == NULL)
        return;
    // This style's own base-style id stays as it was.
    const BOOL bOwnInclude = GetIncludeBaseStyle();
    const WORD nOwnBaseStyle = m_nBaseStyle;
    const CGXStyle* pWalk = this;
    // A map from outside is refused with a longer chain or a circle of base styles; whatever a
    // program puts in its map, the walk ends at the bound.
    for (unsigned nSteps = 0; pWalk->GetIncludeBaseStyle() && nSteps < CGXStylesMap::nMaxBaseStyleDepth; ++nSteps)
    {
        const CGXStyle* pBase = GXLookupBaseStyle(pStylesMap, pWalk->GetBaseStyle());
        if (pBase == nullptr)
            break;
        ApplyStyle(*pBase, gxApplyNew);
        pWalk = pBase;
    }
    m_include.Set(ibBaseStyle, bOwnInclude);
    m_nBaseStyle = nOwnBaseStyle;
}

CGXStyle& CGXStyle::ApplyStyle(const CGXStyle& other, GXModifyType mode)
{
    if (&other == this)
        return *this;

    if (mode == gxExclude)
    {
        for (int nBit = 0; nBit < attributeCount; ++nBit)
        {
            if (!other.m_include.Get(nBit))
                continue;
            switch (nBit)
            {
            case ibBorders:
                if (GetIncludeBorders() && m_pBorders != nullptr && other.m_pBorders != nullptr)
                {
                    for (int nEdge = 0; nEdge < 4; ++nEdge)
                        if (other.m_pBorders[nEdge].GetInclude())
                            m_pBorders[nEdge].SetInclude(FALSE);
                    UpdateBordersFlag();
                }
                break;
            case ibFont:
                if (GetIncludeFont() && m_pFont != nullptr && other.m_pFont != nullptr)
                {
                    m_pFont->ChangeFont(*other.m_pFont, gxExclude);
                    if (m_pFont->IsEmpty())
                        SetIncludeFont(FALSE);
                }
                break;
            case ibValue:
                m_include.Set(ibValue, FALSE);
                m_strValue.Empty();
                break;
            case ibUserAttributes:
                if (m_pUserAttributes != nullptr && other.m_pUserAttributes != nullptr &&
                    !other.m_pUserAttributes->IsEmpty())
                {
                    m_pUserAttributes->ApplyMap(*other.m_pUserAttributes, gxExclude);
                    if (m_pUserAttributes->IsEmpty())
                        SetIncludeUserAttributes(FALSE);
                }
                break;
            default:
                m_include.Set(nBit, FALSE);
                break;
            }
        }
        return *this;
    }

    if (mode == gxCopy || IsEmpty())
        return *this = other;
    if (other.IsEmpty())
        return *this;

    const bool bOverride = mode == gxOverride;
    auto take = [&](int nBit) { return other.m_include.Get(nBit) && (bOverride || !m_include.Get(nBit)); };

    if (take(ibHorizontalAlignment))
        SetHorizontalAlignment(other.GetHorizontalAlignment());
    if (take(ibVerticalAlignment))
        SetVerticalAlignment(other.GetVerticalAlignment());
    if (take(ibReadOnly))
        SetReadOnly(other.GetReadOnly());
    if (take(ibControl))
        SetControl(other.GetControl());
    if (take(ibInterior))
        SetInterior(other.GetInterior());
    if (take(ibTextColor))
        SetTextColor(other.GetTextColor());
    if (take(ibWrapText))
        SetWrapText(other.GetWrapText());
    if (take(ibAllowEnter))
        SetAllowEnter(other.GetAllowEnter());
    if (other.GetIncludeBorders() && other.m_pBorders != nullptr)
    {
        for (int nEdge = 0; nEdge < 4; ++nEdge)
        {
            const CGXStylePen& pen = other.m_pBorders[nEdge];
            if (pen.GetInclude() && (bOverride || !IsBorderIncluded(nEdge)))
                SetBorders(nEdge, pen);
        }
    }
    if (other.GetIncludeFont() && other.m_pFont != nullptr)
    {
        if (m_pFont == nullptr)
            m_pFont = new CGXFont(*other.m_pFont);
        else
            m_pFont->ChangeFont(*other.m_pFont, mode);
        m_include.Set(ibFont, TRUE);
    }
    if (take(ibValue))
    {
        m_strValue = other.m_strValue;
        m_packed.nValueType = other.m_packed.nValueType;
        m_include.Set(ibValue, TRUE);
    }
    if (take(ibChoiceList))
        SetChoiceList(other.GetChoiceList());
    if (take(ibVerticalScrollbar))
        SetVerticalScrollbar(other.GetVerticalScrollbar());
    if (take(ibMaxLength))
        SetMaxLength(other.GetMaxLength());
    if (take(ibBaseStyle))
        SetBaseStyle(other.GetBaseStyle());
    if (take(ibEnabled))
        SetEnabled(other.GetEnabled());
    if (take(ibTriState))
        SetTriState(other.GetTriState());
    if (take(ibDraw3dFrame))
        SetDraw3dFrame(other.GetDraw3dFrame());
    if (other.GetIncludeUserAttributes() && other.m_pUserAttributes != nullptr && !other.m_pUserAttributes->IsEmpty())
    {
        EnsureUserAttributes().ApplyMap(*other.m_pUserAttributes, mode);
        m_include.Set(ibUserAttributes, TRUE);
    }
    if (take(ibAutoSize))
        SetAutoSize(other.GetAutoSize());
    if (take(ibItemDataPtr))
        SetItemDataPtr(other.GetItemDataPtr());
    if (take(ibFloatCell))
        SetFloatCell(other.GetFloatCell());
    if (take(ibFloodCell))
        SetFloodCell(other.GetFloodCell());
    if (take(ibMergeCell))
        SetMergeCell(other.GetMergeCell());
    if (take(ibFormat))
        SetFormat(other.GetFormat());
    if (take(ibPlaces))
        SetPlaces(other.GetPlaces());
    return *this;
}

CGXStyle& CGXStyle::ClearAll()
{
    delete[] m_pBorders;
    m_pBorders = nullptr;
    delete m_pFont;
    m_pFont = nullptr;
    delete m_pUserAttributes;
    m_pUserAttributes = nullptr;
    m_strValue.Empty();
    m_strChoiceList.Empty();
    m_include.SetMask(0);
    return *this;
}

// ---------------------------------------------------------------------------------------------
// Scalar attributes

DWORD CGXStyle::GetHorizontalAlignment() const
{
    switch (m_packed.nHorzAlign)
    {
    case 1: return DT_CENTER;
    case 2: return DT_RIGHT;
    default: return DT_LEFT;
    }
}

CGXStyle& CGXStyle::SetHorizontalAlignment(DWORD nAlign)
{
    m_packed.nHorzAlign = nAlign == DT_CENTER ? 1 : nAlign == DT_RIGHT ? 2 : 0;
    return Include(ibHorizontalAlignment, TRUE);
}

DWORD CGXStyle::GetVerticalAlignment() const
{
    switch (m_packed.nVertAlign)
    {
    case 1: return DT_VCENTER;
    case 2: return DT_BOTTOM;
    default: return DT_TOP;
    }
}

CGXStyle& CGXStyle::SetVerticalAlignment(DWORD nAlign)
{
    m_packed.nVertAlign = nAlign == DT_VCENTER ? 1 : nAlign == DT_BOTTOM ? 2 : 0;
    return Include(ibVerticalAlignment, TRUE);
}

CGXStyle& CGXStyle::SetReadOnly(BOOL b)
{
    m_packed.bReadOnly = b ? 1 : 0;
    return Include(ibReadOnly, TRUE);
}

CGXStyle& CGXStyle::SetControl(WORD nControlId)
{
    m_nControl = nControlId;
    return Include(ibControl, TRUE);
}

CGXStyle& CGXStyle::SetInterior(const CGXStyleBrush& brush)
{
    m_interior = brush;
    return Include(ibInterior, TRUE);
}

CGXStyle& CGXStyle::SetInterior(COLORREF color)
{
    return SetInterior(CGXStyleBrush(CGXStyleBrush::bsSolid, color));
}

CGXStyle& CGXStyle::SetTextColor(COLORREF color)
{
    unsigned nKind = 0;
    DWORD nValue = 0;
    GXSplitColor(color, nKind, nValue);
    m_packed.nTextColorKind = nKind;
    m_packed.nTextColor = nValue & 0xFFFFFF;
    return Include(ibTextColor, TRUE);
}

CGXStyle& CGXStyle::SetWrapText(BOOL b)
{
    m_packed.bWrapText = b ? 1 : 0;
    return Include(ibWrapText, TRUE);
}

CGXStyle& CGXStyle::SetAllowEnter(BOOL b)
{
    m_packed.bAllowEnter = b ? 1 : 0;
    return Include(ibAllowEnter, TRUE);
}

CGXStyle& CGXStyle::SetVerticalScrollbar(BOOL b)
{
    m_packed.bVerticalScrollbar = b ? 1 : 0;
    return Include(ibVerticalScrollbar, TRUE);
}

CGXStyle& CGXStyle::SetMaxLength(WORD nLength)
{
    m_nMaxLength = nLength;
    return Include(ibMaxLength, TRUE);
}

CGXStyle& CGXStyle::SetBaseStyle(WORD nStyleId)
{
    m_nBaseStyle = nStyleId;
    return Include(ibBaseStyle, TRUE);
}

CGXStyle& CGXStyle::SetEnabled(BOOL b)
{
    m_packed.bEnabled = b ? 1 : 0;
    return Include(ibEnabled, TRUE);
}

CGXStyle& CGXStyle::SetTriState(BOOL b)
{
    m_packed.bTriState = b ? 1 : 0;
    return Include(ibTriState, TRUE);
}

CGXStyle& CGXStyle::SetDraw3dFrame(unsigned nFrame)
{
    m_packed.nDraw3dFrame = nFrame & 0x3;
    return Include(ibDraw3dFrame, TRUE);
}

CGXStyle& CGXStyle::SetAutoSize(BOOL b)
{
    m_packed.bAutoSize = b ? 1 : 0;
    return Include(ibAutoSize, TRUE);
}

CGXStyle& CGXStyle::SetItemDataPtr(void* pItemData)
{
    m_pItemData = pItemData;
    return Include(ibItemDataPtr, TRUE);
}

CGXStyle& CGXStyle::SetFloatCell(BOOL b)
{
    m_packed.bFloatCell = b ? 1 : 0;
    return Include(ibFloatCell, TRUE);
}

CGXStyle& CGXStyle::SetFloodCell(BOOL b)
{
    m_packed.bFloodCell = b ? 1 : 0;
    return Include(ibFloodCell, TRUE);
}

CGXStyle& CGXStyle::SetMergeCell(unsigned nMode)
{
    m_packed.nMergeCell = nMode & 0x7;
    return Include(ibMergeCell, TRUE);
}

CGXStyle& CGXStyle::SetFormat(unsigned nFormat)
{
    m_packed.nFormat = nFormat & 0x1F;
    return Include(ibFormat, TRUE);
}

CGXStyle& CGXStyle::SetPlaces(unsigned nPlaces)
{
    m_packed.nPlaces = nPlaces & 0xF;
    return Include(ibPlaces, TRUE);
}

// ---------------------------------------------------------------------------------------------
// Value and choice list

CGXStyle& CGXStyle::SetIncludeValue(BOOL b)
{
    if (!b)
        m_strValue.Empty();
    return Include(ibValue, b);
}

CGXStyle& CGXStyle::SetValueType(unsigned nType)
{
    m_packed.nValueType = nType & 0x7;
    return *this;
}

CGXStyle& CGXStyle::SetValue(LPCTSTR pszValue)
{
    m_strValue = pszValue != NULL ? pszValue : "";
    m_packed.nValueType = GX_VT_TEXT;
    return Include(ibValue, TRUE);
}

CGXStyle& CGXStyle::SetValue(const CString& value)
{
    m_strValue = value;
    m_packed.nValueType = GX_VT_TEXT;
    return Include(ibValue, TRUE);
}

CGXStyle& CGXStyle::SetValue(double dValue)
{
    CString text;
    text.Format("%.13g", dValue);
    if (auto pfnNormalize = GXGetLibraryLinks().pfnNormalizeDecimalSeparator)
        pfnNormalize(text);
    m_strValue = text;
    m_packed.nValueType = GX_VT_NUMERIC;
    return Include(ibValue, TRUE);
}

CGXStyle& CGXStyle::SetValue(unsigned long nValue)
{
    m_strValue.Format("%lu", nValue);
    m_packed.nValueType = GX_VT_NUMERIC;
    return Include(ibValue, TRUE);
}

CGXStyle& CGXStyle::SetIncludeChoiceList(BOOL b)
{
    if (!b)
        m_strChoiceList.Empty();
    return Include(ibChoiceList, b);
}

CGXStyle& CGXStyle::SetChoiceList(LPCTSTR pszChoiceList)
{
    m_strChoiceList = pszChoiceList != NULL ? pszChoiceList : "";
    return Include(ibChoiceList, TRUE);
}

CGXStyle& CGXStyle::SetChoiceList(const CString& choiceList)
{
    m_strChoiceList = choiceList;
    return Include(ibChoiceList, TRUE);
}

// ---------------------------------------------------------------------------------------------
// Borders

CGXStylePen* CGXStyle::EnsureBorders()
{
    if (m_pBorders == nullptr)
        m_pBorders = new CGXStylePen[4];
    return m_pBorders;
}

void CGXStyle::UpdateBordersFlag()
{
    BOOL bAny = FALSE;
    for (int nEdge = 0; m_pBorders != nullptr && nEdge < 4; ++nEdge)
        bAny = bAny || m_pBorders[nEdge].GetInclude();
    m_include.Set(ibBorders, bAny);
}

CGXStyle& CGXStyle::SetIncludeBorders(BOOL b)
{
    if (!b)
        return SetBorders(nullptr);
    EnsureBorders();
    return Include(ibBorders, TRUE);
}

CGXStyle& CGXStyle::SetIncludeBorders(int nEdge, BOOL bInclude)
{
    if (nEdge < gxBorderAll || nEdge > gxBorderRight)
        return *this;
    if (m_pBorders == nullptr && !bInclude)
        return *this;
    CGXStylePen* pPens = EnsureBorders();
    for (int i = 0; i < 4; ++i)
        if (nEdge == gxBorderAll || nEdge == i)
            pPens[i].SetInclude(bInclude);
    UpdateBordersFlag();
    return *this;
}

BOOL CGXStyle::IsBorderIncluded(int nEdge) const
{
    return GetIncludeBorders() && m_pBorders != nullptr && nEdge >= 0 && nEdge < 4 && m_pBorders[nEdge].GetInclude();
}

const CGXStylePen& CGXStyle::GetBorders(int nEdge) const
{
    if (m_pBorders == nullptr || nEdge < 0 || nEdge >= 4)
        return NotSetPen();
    return m_pBorders[nEdge];
}

CGXStyle& CGXStyle::SetBorders(const CGXStylePen* pPens)
{
    if (pPens == nullptr)
    {
        delete[] m_pBorders;
        m_pBorders = nullptr;
        return Include(ibBorders, FALSE);
    }
    CGXStylePen* pOwn = EnsureBorders();
    for (int i = 0; i < 4; ++i)
        pOwn[i] = pPens[i];
    return Include(ibBorders, TRUE);
}

CGXStyle& CGXStyle::SetBorders(int nEdge, const CGXStylePen& pen)
{
    if (nEdge < gxBorderAll || nEdge > gxBorderRight)
        return *this;
    CGXStylePen* pPens = EnsureBorders();
    for (int i = 0; i < 4; ++i)
        if (nEdge == gxBorderAll || nEdge == i)
            pPens[i] = pen;
    return Include(ibBorders, TRUE);
}

// ---------------------------------------------------------------------------------------------
// Font

CGXStyle& CGXStyle::SetIncludeFont(BOOL b)
{
    if (!b)
    {
        delete m_pFont;
        m_pFont = nullptr;
    }
    else if (m_pFont == nullptr)
        m_pFont = new CGXFont;
    return Include(ibFont, b);
}

const CGXFont& CGXStyle::GetFont() const { return m_pFont != nullptr ? *m_pFont : EmptyFont(); }

CGXStyle& CGXStyle::SetFont(const CGXFont& font, GXModifyType mode)
{
    if (mode == gxExclude)
    {
        if (m_pFont != nullptr)
            m_pFont->ChangeFont(font, gxExclude);
        return *this;
    }
    if (m_pFont == nullptr)
        m_pFont = new CGXFont(font);
    else
        m_pFont->ChangeFont(font, mode);
    return Include(ibFont, TRUE);
}

// ---------------------------------------------------------------------------------------------
// User attributes

CGXUserAttributeMap& CGXStyle::EnsureUserAttributes()
{
    if (m_pUserAttributes == nullptr)
        m_pUserAttributes = new CGXUserAttributeMap;
    return *m_pUserAttributes;
}

CGXStyle& CGXStyle::SetIncludeUserAttributes(BOOL b)
{
    if (!b)
    {
        delete m_pUserAttributes;
        m_pUserAttributes = nullptr;
    }
    else
        EnsureUserAttributes();
    return Include(ibUserAttributes, b);
}

CGXStyle& CGXStyle::SetUserAttribute(WORD nId, LPCTSTR pszValue)
{
    return SetUserAttributePtr(nId, new CGXUserAttribute(pszValue));
}

CGXStyle& CGXStyle::SetUserAttribute(WORD nId, const CGXAbstractUserAttribute& attribute)
{
    return SetUserAttributePtr(nId, attribute.Clone());
}

CGXStyle& CGXStyle::SetUserAttributePtr(WORD nId, CGXAbstractUserAttribute* pAttribute)
{
    if (pAttribute == nullptr)
        return *this;
    EnsureUserAttributes().SetAttributePtr(nId, pAttribute);
    return Include(ibUserAttributes, TRUE);
}

CGXStyle& CGXStyle::SetUserAttributeMap(const CGXUserAttributeMap* pMap)
{
    if (pMap == nullptr || pMap->IsEmpty())
        return SetIncludeUserAttributes(FALSE);
    if (pMap != m_pUserAttributes)
        EnsureUserAttributes().ApplyMap(*pMap, gxCopy);
    return Include(ibUserAttributes, TRUE);
}

BOOL CGXStyle::HasUserAttribute(WORD nId) const
{
    return m_pUserAttributes != nullptr && m_pUserAttributes->FindIndex(nId) != -1;
}

const CGXAbstractUserAttribute& CGXStyle::GetUserAttribute(WORD nId) const
{
    static const CGXUserAttribute s_empty;
    const CGXAbstractUserAttribute* pAttribute = m_pUserAttributes != nullptr ? m_pUserAttributes->GetAttribute(nId) : nullptr;
    return pAttribute != nullptr ? *pAttribute : s_empty;
}

void CGXStyle::GetUserAttributeText(UINT nId, CString& text) const
{
    if (HasUserAttribute(static_cast<WORD>(nId)))
        text = GetUserAttribute(static_cast<WORD>(nId)).GetValue();
    else
        text.Empty();
}
