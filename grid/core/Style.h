#pragma once
// The attributes of a cell (or of a row, column, base or standard style). Every attribute has an
// include flag that says whether the style sets it, so that styles can be layered: a cell's
// effective style is its own completed by the styles beneath it (ApplyStyle with gxApplyNew).

#include "framework/core/Archive.h"
#include "framework/core/CString.h"
#include "framework/core/Object.h"
#include "grid/core/Color.h"
#include "grid/core/Font.h"
#include "grid/core/GridTypes.h"
#include "grid/core/StylePenBrush.h"
#include "grid/core/UserAttribute.h"

class CGXStylesMap;

// Value types of a style's value.
enum
{
    GX_VT_TEXT = 0,
    GX_VT_NUMERIC = 1,
    GX_VT_EXPRESSION = 2,
    GX_VT_ERROR = 3
};

// Border edges, in the order of the style's border array.
enum
{
    gxBorderAll = -1,
    gxBorderTop = 0,
    gxBorderLeft = 1,
    gxBorderBottom = 2,
    gxBorderRight = 3
};

// Cell control ids that the styles of the library name.
enum : WORD
{
    GX_IDS_CTRL_EDIT = 52512,
    GX_IDS_CTRL_STATIC = 52513,
    GX_IDS_CTRL_HEADER = 52520
};

// The 26 include flags as one word: bit n is the flag of attribute n.
class CGXStyleIncludeBits
{
public:
    enum
    {
        allBits = 0x03FFFFFF
    };

    DWORD GetMask() const { return m_dwMask; }
    void SetMask(DWORD dwMask) { m_dwMask = dwMask & allBits; }
    BOOL Get(int nBit) const { return (m_dwMask >> nBit) & 1; }
    void Set(int nBit, BOOL bInclude)
    {
        if (bInclude)
            m_dwMask |= 1u << nBit;
        else
            m_dwMask &= ~(1u << nBit);
    }

private:
    DWORD m_dwMask = 0;
};

class CGXStyle : public CObject
{
    DECLARE_SERIAL(CGXStyle)

public:
    // Attributes in include-bit order.
    enum Attribute
    {
        ibHorizontalAlignment = 0,
        ibVerticalAlignment = 1,
        ibReadOnly = 2,
        ibControl = 3,
        ibInterior = 4,
        ibTextColor = 5,
        ibWrapText = 6,
        ibAllowEnter = 7,
        ibBorders = 8,
        ibFont = 9,
        ibValue = 10,
        ibChoiceList = 11,
        ibVerticalScrollbar = 12,
        ibMaxLength = 13,
        ibBaseStyle = 14,
        ibEnabled = 15,
        ibTriState = 16,
        ibDraw3dFrame = 17,
        ibUserAttributes = 18,
        ibAutoSize = 19,
        ibItemDataPtr = 20,
        ibFloatCell = 21,
        ibFloodCell = 22,
        ibMergeCell = 23,
        ibFormat = 24,
        ibPlaces = 25,
        attributeCount = 26
    };

    // The names under which the profile component writes the attributes (font before borders,
    // the four edge names behind "Borders").
    static const LPCTSTR ProfileNames[28];

    CGXStyle();
    CGXStyle(const CGXStyle& other);
    ~CGXStyle() override;

    // Virtual operations in the order of the class's table.
    void Serialize(CArchive& ar) override;
    virtual CGXStyle* Clone() const;
    virtual CGXStyle& AssignValueText(LPCTSTR pszValue);
    virtual CGXStyle& operator=(const CGXStyle& other);
    virtual CGXStyle& SetStandardDefaults();
    virtual BOOL CompareSubset(const CGXStyle& subset) const;
    virtual void SerializeWithStylesMap(CArchive& ar, const CGXStylesMap* pStylesMap);
    virtual void WriteProfile(LPCTSTR pszSection, const CGXStylesMap* pStylesMap = NULL) const;
    virtual BOOL ReadProfile(LPCTSTR pszSection, const CGXStylesMap* pStylesMap = NULL);
    virtual void ResolveBaseStyles(const CGXStylesMap* pStylesMap);
    virtual CGXStyle& ApplyStyle(const CGXStyle& other, GXModifyType mode);
    virtual CGXStyle& ClearAll();

    CGXStyle& ChangeStyle(const CGXStyle& other, GXModifyType mode) { return ApplyStyle(other, mode); }

    // Include flags.
    const CGXStyleIncludeBits& GetIncludeBits() const { return m_include; }
    CGXStyleIncludeBits& GetIncludeBits() { return m_include; }
    BOOL GetInclude(Attribute attribute) const { return m_include.Get(attribute); }
    // TRUE when the style sets nothing.
    BOOL IsEmpty() const { return m_include.GetMask() == 0; }

    // Alignments: DT_LEFT, DT_CENTER, DT_RIGHT and DT_TOP, DT_VCENTER, DT_BOTTOM.
    BOOL GetIncludeHorizontalAlignment() const { return m_include.Get(ibHorizontalAlignment); }
    CGXStyle& SetIncludeHorizontalAlignment(BOOL b) { return Include(ibHorizontalAlignment, b); }
    DWORD GetHorizontalAlignment() const;
    CGXStyle& SetHorizontalAlignment(DWORD nAlign);
    BOOL GetIncludeVerticalAlignment() const { return m_include.Get(ibVerticalAlignment); }
    CGXStyle& SetIncludeVerticalAlignment(BOOL b) { return Include(ibVerticalAlignment, b); }
    DWORD GetVerticalAlignment() const;
    CGXStyle& SetVerticalAlignment(DWORD nAlign);

    BOOL GetIncludeReadOnly() const { return m_include.Get(ibReadOnly); }
    CGXStyle& SetIncludeReadOnly(BOOL b) { return Include(ibReadOnly, b); }
    BOOL GetReadOnly() const { return m_packed.bReadOnly; }
    CGXStyle& SetReadOnly(BOOL b);

    BOOL GetIncludeControl() const { return m_include.Get(ibControl); }
    CGXStyle& SetIncludeControl(BOOL b) { return Include(ibControl, b); }
    WORD GetControl() const { return m_nControl; }
    CGXStyle& SetControl(WORD nControlId);

    BOOL GetIncludeInterior() const { return m_include.Get(ibInterior); }
    CGXStyle& SetIncludeInterior(BOOL b) { return Include(ibInterior, b); }
    const CGXStyleBrush& GetInterior() const { return m_interior; }
    CGXStyle& SetInterior(const CGXStyleBrush& brush);
    // A solid interior of that colour.
    CGXStyle& SetInterior(COLORREF color);

    // The text colour: GetTextColor can be stored again unchanged (a system colour keeps its top
    // byte); GetResolvedTextColor is the colour to draw with.
    BOOL GetIncludeTextColor() const { return m_include.Get(ibTextColor); }
    CGXStyle& SetIncludeTextColor(BOOL b) { return Include(ibTextColor, b); }
    COLORREF GetTextColor() const { return GXJoinColor(m_packed.nTextColorKind, m_packed.nTextColor); }
    COLORREF GetResolvedTextColor() const { return GXResolveColor(m_packed.nTextColorKind, m_packed.nTextColor); }
    unsigned GetTextColorKind() const { return m_packed.nTextColorKind; }
    DWORD GetTextColorValue() const { return m_packed.nTextColor; }
    CGXStyle& SetTextColor(COLORREF color);

    BOOL GetIncludeWrapText() const { return m_include.Get(ibWrapText); }
    CGXStyle& SetIncludeWrapText(BOOL b) { return Include(ibWrapText, b); }
    BOOL GetWrapText() const { return m_packed.bWrapText; }
    CGXStyle& SetWrapText(BOOL b);

    BOOL GetIncludeAllowEnter() const { return m_include.Get(ibAllowEnter); }
    CGXStyle& SetIncludeAllowEnter(BOOL b) { return Include(ibAllowEnter, b); }
    BOOL GetAllowEnter() const { return m_packed.bAllowEnter; }
    CGXStyle& SetAllowEnter(BOOL b);

    // Borders: four pens in the edge order top, left, bottom, right, absent until one is set.
    BOOL GetIncludeBorders() const { return m_include.Get(ibBorders); }
    // FALSE deletes the borders.
    CGXStyle& SetIncludeBorders(BOOL b);
    CGXStyle& SetIncludeBorders(int nEdge, BOOL bInclude);
    BOOL IsBorderIncluded(int nEdge) const;
    // The pen of an edge (a not-set pen when the style has no borders).
    const CGXStylePen& GetBorders(int nEdge) const;
    void GetBorder(CGXStylePen& pen, int nEdge) const { pen = GetBorders(nEdge); }
    // Four pens, or NULL to delete the borders.
    CGXStyle& SetBorders(const CGXStylePen* pPens);
    CGXStyle& SetBorders(int nEdge, const CGXStylePen& pen);

    BOOL GetIncludeFont() const { return m_include.Get(ibFont); }
    // FALSE deletes the font.
    CGXStyle& SetIncludeFont(BOOL b);
    // The style's font, or an empty one when it has none.
    const CGXFont& GetFont() const;
    const CGXFont* GetFontPtr() const { return m_pFont; }
    // gxOverride, gxApplyNew, gxCopy merge the font into the style's own; gxExclude removes its
    // set attributes from the style's font.
    CGXStyle& SetFont(const CGXFont& font, GXModifyType mode = gxOverride);

    BOOL GetIncludeValue() const { return m_include.Get(ibValue); }
    // FALSE also empties the value.
    CGXStyle& SetIncludeValue(BOOL b);
    const CString& GetValue() const { return m_strValue; }
    unsigned GetValueType() const { return m_packed.nValueType; }
    CGXStyle& SetValueType(unsigned nType);
    CGXStyle& SetValue(LPCTSTR pszValue);
    CGXStyle& SetValue(const CString& value);
    CGXStyle& SetValue(double dValue);
    CGXStyle& SetValue(unsigned long nValue);

    BOOL GetIncludeChoiceList() const { return m_include.Get(ibChoiceList); }
    CGXStyle& SetIncludeChoiceList(BOOL b);
    const CString& GetChoiceList() const { return m_strChoiceList; }
    CGXStyle& SetChoiceList(LPCTSTR pszChoiceList);
    CGXStyle& SetChoiceList(const CString& choiceList);

    BOOL GetIncludeVerticalScrollbar() const { return m_include.Get(ibVerticalScrollbar); }
    CGXStyle& SetIncludeVerticalScrollbar(BOOL b) { return Include(ibVerticalScrollbar, b); }
    BOOL GetVerticalScrollbar() const { return m_packed.bVerticalScrollbar; }
    CGXStyle& SetVerticalScrollbar(BOOL b);

    BOOL GetIncludeMaxLength() const { return m_include.Get(ibMaxLength); }
    CGXStyle& SetIncludeMaxLength(BOOL b) { return Include(ibMaxLength, b); }
    WORD GetMaxLength() const { return m_nMaxLength; }
    CGXStyle& SetMaxLength(WORD nLength);

    BOOL GetIncludeBaseStyle() const { return m_include.Get(ibBaseStyle); }
    CGXStyle& SetIncludeBaseStyle(BOOL b) { return Include(ibBaseStyle, b); }
    WORD GetBaseStyle() const { return m_nBaseStyle; }
    CGXStyle& SetBaseStyle(WORD nStyleId);

    BOOL GetIncludeEnabled() const { return m_include.Get(ibEnabled); }
    CGXStyle& SetIncludeEnabled(BOOL b) { return Include(ibEnabled, b); }
    BOOL GetEnabled() const { return m_packed.bEnabled; }
    CGXStyle& SetEnabled(BOOL b);

    BOOL GetIncludeTriState() const { return m_include.Get(ibTriState); }
    CGXStyle& SetIncludeTriState(BOOL b) { return Include(ibTriState, b); }
    BOOL GetTriState() const { return m_packed.bTriState; }
    CGXStyle& SetTriState(BOOL b);

    // 0 none; the other values name frame kinds.
    BOOL GetIncludeDraw3dFrame() const { return m_include.Get(ibDraw3dFrame); }
    CGXStyle& SetIncludeDraw3dFrame(BOOL b) { return Include(ibDraw3dFrame, b); }
    unsigned GetDraw3dFrame() const { return m_packed.nDraw3dFrame; }
    CGXStyle& SetDraw3dFrame(unsigned nFrame);

    // User attributes: the map is created on first use.
    BOOL GetIncludeUserAttributes() const { return m_include.Get(ibUserAttributes); }
    // FALSE deletes the map.
    CGXStyle& SetIncludeUserAttributes(BOOL b);
    const CGXUserAttributeMap* GetUserAttributeMap() const { return m_pUserAttributes; }
    CGXStyle& SetUserAttribute(WORD nId, LPCTSTR pszValue);
    CGXStyle& SetUserAttribute(WORD nId, const CString& value) { return SetUserAttribute(nId, static_cast<LPCTSTR>(value)); }
    CGXStyle& SetUserAttribute(WORD nId, const CGXAbstractUserAttribute& attribute);
    // Takes ownership of the attribute.
    CGXStyle& SetUserAttributePtr(WORD nId, CGXAbstractUserAttribute* pAttribute);
    CGXStyle& SetUserAttributeText(UINT nId, LPCTSTR pszValue) { return SetUserAttribute(static_cast<WORD>(nId), pszValue); }
    // Copies a whole map in; NULL or an empty map deletes the style's map.
    CGXStyle& SetUserAttributeMap(const CGXUserAttributeMap* pMap);
    BOOL HasUserAttribute(WORD nId) const;
    // The attribute of an id, or one shared empty attribute.
    const CGXAbstractUserAttribute& GetUserAttribute(WORD nId) const;
    // The value text of an attribute, empty when the style does not have it.
    void GetUserAttributeText(UINT nId, CString& text) const;

    BOOL GetIncludeAutoSize() const { return m_include.Get(ibAutoSize); }
    CGXStyle& SetIncludeAutoSize(BOOL b) { return Include(ibAutoSize, b); }
    BOOL GetAutoSize() const { return m_packed.bAutoSize; }
    CGXStyle& SetAutoSize(BOOL b);

    // A value the style carries for the application and never interprets.
    BOOL GetIncludeItemDataPtr() const { return m_include.Get(ibItemDataPtr); }
    CGXStyle& SetIncludeItemDataPtr(BOOL b) { return Include(ibItemDataPtr, b); }
    void* GetItemDataPtr() const { return m_pItemData; }
    CGXStyle& SetItemDataPtr(void* pItemData);

    BOOL GetIncludeFloatCell() const { return m_include.Get(ibFloatCell); }
    CGXStyle& SetIncludeFloatCell(BOOL b) { return Include(ibFloatCell, b); }
    BOOL GetFloatCell() const { return m_packed.bFloatCell; }
    CGXStyle& SetFloatCell(BOOL b);

    BOOL GetIncludeFloodCell() const { return m_include.Get(ibFloodCell); }
    CGXStyle& SetIncludeFloodCell(BOOL b) { return Include(ibFloodCell, b); }
    BOOL GetFloodCell() const { return m_packed.bFloodCell; }
    CGXStyle& SetFloodCell(BOOL b);

    BOOL GetIncludeMergeCell() const { return m_include.Get(ibMergeCell); }
    CGXStyle& SetIncludeMergeCell(BOOL b) { return Include(ibMergeCell, b); }
    unsigned GetMergeCell() const { return m_packed.nMergeCell; }
    CGXStyle& SetMergeCell(unsigned nMode);

    BOOL GetIncludeFormat() const { return m_include.Get(ibFormat); }
    CGXStyle& SetIncludeFormat(BOOL b) { return Include(ibFormat, b); }
    unsigned GetFormat() const { return m_packed.nFormat; }
    CGXStyle& SetFormat(unsigned nFormat);

    BOOL GetIncludePlaces() const { return m_include.Get(ibPlaces); }
    CGXStyle& SetIncludePlaces(BOOL b) { return Include(ibPlaces, b); }
    unsigned GetPlaces() const { return m_packed.nPlaces; }
    CGXStyle& SetPlaces(unsigned nPlaces);

private:
    CGXStyle& Include(Attribute attribute, BOOL bInclude)
    {
        m_include.Set(attribute, bInclude);
        return *this;
    }
    CGXStylePen* EnsureBorders();
    void UpdateBordersFlag();
    CGXUserAttributeMap& EnsureUserAttributes();

    struct Packed
    {
        unsigned nHorzAlign : 2;  // 0 left, 1 centre, 2 right
        unsigned nVertAlign : 2;  // 0 top, 1 centre, 2 bottom
        unsigned bReadOnly : 1;
        unsigned bWrapText : 1;
        unsigned bAllowEnter : 1;
        unsigned bEnabled : 1;
        unsigned bTriState : 1;
        unsigned bAutoSize : 1;
        unsigned bVerticalScrollbar : 1;
        unsigned bFloatCell : 1;
        unsigned bFloodCell : 1;
        unsigned nDraw3dFrame : 2;
        unsigned nMergeCell : 3;
        unsigned nValueType : 3;
        unsigned nFormat : 5;
        unsigned nPlaces : 4;
        unsigned nTextColorKind : 2;
        unsigned nTextColor : 24;
    };

    CGXStyleIncludeBits m_include;
    Packed m_packed;
    WORD m_nMaxLength = 0;
    WORD m_nControl = 0;
    // Held in 16 bits like the styles map's ids, so that no id is cut.
    WORD m_nBaseStyle = 0;
    CGXStyleBrush m_interior;
    CGXStylePen* m_pBorders = nullptr;  // four pens or none
    CGXFont* m_pFont = nullptr;
    CString m_strValue;
    CString m_strChoiceList;
    CGXUserAttributeMap* m_pUserAttributes = nullptr;
    void* m_pItemData = nullptr;
};

// The base style that a styles map registers under an id; NULL when it has none.
const CGXStyle* GXLookupBaseStyle(const CGXStylesMap* pStylesMap, WORD nStyleId);
