#include "grid/core/UserAttribute.h"

#include "framework/core/Exceptions.h"
#include "grid/core/GridCollections.h"
#include "grid/core/LibraryLinks.h"
#include "grid/core/MapDWordToString.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

// ---------------------------------------------------------------------------------------------
// CGXAbstractUserAttribute

IMPLEMENT_SERIAL(CGXAbstractUserAttribute, CObject, 0)

CString& CGXAbstractUserAttribute::SharedValueText()
{
    static CString s_text;
    return s_text;
}

CGXAbstractUserAttribute& CGXAbstractUserAttribute::SetValue(LPCTSTR) { return *this; }

CGXAbstractUserAttribute& CGXAbstractUserAttribute::SetValue(const CString& value)
{
    return SetValue(static_cast<LPCTSTR>(value));
}

const CString& CGXAbstractUserAttribute::GetValue() const
{
    CString& text = SharedValueText();
    text.Empty();
    return text;
}

LONG CGXAbstractUserAttribute::GetLongValue() const { return std::atol(GetValue()); }

DWORD CGXAbstractUserAttribute::GetDWordValue() const { return static_cast<DWORD>(std::atol(GetValue())); }

double CGXAbstractUserAttribute::GetDoubleValue() const { return std::atof(GetValue()); }

CGXAbstractUserAttribute* CGXAbstractUserAttribute::Clone() const { return NULL; }

BOOL CGXAbstractUserAttribute::IsEqual(const CGXAbstractUserAttribute& other) const
{
    if (GetId() != other.GetId())
        return FALSE;
    const CString mine = GetValue();  // a copy: the next GetValue reuses the buffer
    return std::strcmp(mine, other.GetValue()) == 0;
}

BOOL CGXAbstractUserAttribute::IsEmpty() const { return GetValue().IsEmpty(); }

void CGXAbstractUserAttribute::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
    {
        const CString text = GetValue();
        ar << text;
    }
    else
    {
        CString text;
        ar >> text;
        SetValue(text);
    }
}

// ---------------------------------------------------------------------------------------------
// CGXUserAttribute

IMPLEMENT_SERIAL(CGXUserAttribute, CGXAbstractUserAttribute, 0)

CGXUserAttribute::CGXUserAttribute() { m_value.dw[0] = m_value.dw[1] = 0; }

CGXUserAttribute::CGXUserAttribute(LPCTSTR pszValue) : CGXUserAttribute() { Assign(pszValue, true); }

CGXUserAttribute::CGXUserAttribute(const CString& value) : CGXUserAttribute() { Assign(value, true); }

CGXUserAttribute::CGXUserAttribute(const CGXUserAttribute& other) : CGXAbstractUserAttribute()
{
    m_value.dw[0] = m_value.dw[1] = 0;
    *this = other;
}

CGXUserAttribute& CGXUserAttribute::operator=(const CGXUserAttribute& other)
{
    if (&other == this)
        return *this;
    FreeText();
    if (other.m_nKind == vtString)
    {
        AssignText(other.m_value.psz, std::strlen(other.m_value.psz));
    }
    else
    {
        m_nKind = other.m_nKind;
        m_value = other.m_value;
    }
    return *this;
}

CGXUserAttribute::~CGXUserAttribute() { FreeText(); }

void CGXUserAttribute::FreeText()
{
    if (m_nKind == vtString)
        delete[] m_value.psz;
    m_nKind = vtEmpty;
    m_value.dw[0] = m_value.dw[1] = 0;
}

void CGXUserAttribute::AssignText(const char* pszText, size_t nLength)
{
    FreeText();
    if (nLength > sizeof(m_value.sz))
    {
        m_value.psz = new char[nLength + 1];
        std::memcpy(m_value.psz, pszText, nLength);
        m_value.psz[nLength] = '\0';
        m_nKind = vtString;
    }
    else
    {
        std::memcpy(m_value.sz, pszText, nLength);
        m_nKind = vtShortString;
    }
}

BOOL CGXUserAttribute::IsCanonicalNumber(LPCTSTR pszText, double& dValue)
{
    if (pszText == NULL || pszText[0] == '\0')
        return FALSE;
    double dParsed = 0.0;
    if (!GXParseNumber(pszText, dParsed))
        return FALSE;
    CString printed;
    printed.Format("%.13g", dParsed);
    if (std::strcmp(printed, pszText) != 0)
        return FALSE;
    dValue = dParsed;
    return TRUE;
}

void CGXUserAttribute::Assign(LPCTSTR pszValue, bool bEmptyIsText)
{
    FreeText();
    if (pszValue == NULL || pszValue[0] == '\0')
    {
        m_nKind = bEmptyIsText ? vtShortString : vtEmpty;
        return;
    }
    double dValue = 0.0;
    if (IsCanonicalNumber(pszValue, dValue))
    {
        m_value.d = dValue;
        m_nKind = vtDouble;
        return;
    }
    AssignText(pszValue, std::strlen(pszValue));
}

CGXAbstractUserAttribute& CGXUserAttribute::SetValue(LPCTSTR pszValue)
{
    Assign(pszValue, false);
    return *this;
}

CString CGXUserAttribute::Text() const
{
    if (m_nKind == vtString)
        return CString(m_value.psz);
    if (m_nKind == vtShortString)
    {
        // Eight bytes carry no terminator when the text fills them.
        const size_t nLength = strnlen(m_value.sz, sizeof(m_value.sz));
        return CString(m_value.sz, static_cast<int>(nLength));
    }
    return CString();
}

const CString& CGXUserAttribute::GetValue() const
{
    CString& text = SharedValueText();
    switch (m_nKind)
    {
    case vtEmpty: text.Empty(); break;
    case vtDWord: text.Format("%lu", static_cast<unsigned long>(m_value.dw[0])); break;
    case vtLong: text.Format("%ld", static_cast<long>(static_cast<LONG>(m_value.dw[0]))); break;
    case vtShortString:
    case vtString: text = Text(); break;
    case vtDouble: text.Format("%.13g", m_value.d); break;
    case vtBinary: text.Format("%08x%08x", static_cast<unsigned>(m_value.dw[0]), static_cast<unsigned>(m_value.dw[1])); break;
    default: text = "Value?"; break;
    }
    return text;
}

LONG CGXUserAttribute::GetLongValue() const
{
    switch (m_nKind)
    {
    case vtDWord:
    case vtLong: return static_cast<LONG>(m_value.dw[0]);
    case vtShortString:
    case vtString: return std::atol(Text());
    case vtDouble:
    {
        // Truncated toward zero; values beyond the 32-bit range are held at its ends.
        const double d = m_value.d;
        if (std::isnan(d))
            return 0;
        if (d >= static_cast<double>(LONG_MAX))
            return LONG_MAX;
        if (d <= static_cast<double>(LONG_MIN))
            return LONG_MIN;
        return static_cast<LONG>(d);
    }
    default: return 0;
    }
}

DWORD CGXUserAttribute::GetDWordValue() const { return static_cast<DWORD>(GetLongValue()); }

double CGXUserAttribute::GetDoubleValue() const
{
    switch (m_nKind)
    {
    case vtDWord: return static_cast<double>(m_value.dw[0]);
    case vtLong: return static_cast<double>(static_cast<LONG>(m_value.dw[0]));
    case vtShortString:
    case vtString: return std::atof(Text());
    case vtDouble: return m_value.d;
    default: return 0.0;
    }
}

CGXAbstractUserAttribute* CGXUserAttribute::Clone() const { return new CGXUserAttribute(*this); }

BOOL CGXUserAttribute::IsEqual(const CGXAbstractUserAttribute& otherAttribute) const
{
    if (GetId() != otherAttribute.GetId() || !otherAttribute.IsKindOf(RUNTIME_CLASS(CGXUserAttribute)))
        return FALSE;
    const auto& other = static_cast<const CGXUserAttribute&>(otherAttribute);
    if (other.m_nKind != m_nKind)
        return FALSE;
    switch (m_nKind)
    {
    case vtEmpty: return TRUE;
    case vtDWord:
    case vtLong: return m_value.dw[0] == other.m_value.dw[0];
    case vtShortString:
    case vtString: return std::strcmp(Text(), other.Text()) == 0;
    case vtDouble:
        if (m_value.d == other.m_value.d)
            return TRUE;
        break;  // a NaN from an archive still equals its own copy
    default: break;  // binary, and kinds of later versions held as their two words
    }
    return m_value.dw[0] == other.m_value.dw[0] && m_value.dw[1] == other.m_value.dw[1];
}

void CGXUserAttribute::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
    {
        ar << static_cast<BYTE>(m_nKind);
        if (m_nKind == vtShortString || m_nKind == vtString)
            ar << Text();
        else
            ar << m_value.dw[0] << m_value.dw[1];
        return;
    }
    BYTE nKind = 0;
    ar >> nKind;
    if (nKind == vtShortString || nKind == vtString)
    {
        // The loaded kind follows the text's length, not the stored byte.
        CString text;
        ar >> text;
        AssignText(text, static_cast<size_t>(text.GetLength()));
    }
    else
    {
        DWORD dw0 = 0, dw1 = 0;
        ar >> dw0 >> dw1;
        FreeText();
        m_nKind = nKind;
        m_value.dw[0] = dw0;
        m_value.dw[1] = dw1;
    }
}

// ---------------------------------------------------------------------------------------------
// CGXUserAttributeMap

IMPLEMENT_SERIAL(CGXUserAttributeMap, CObArray, 0)

namespace
{
CGXAbstractUserAttribute* AsAttribute(const CObject* pObject)
{
    return static_cast<CGXAbstractUserAttribute*>(const_cast<CObject*>(pObject));
}
}  // namespace

CGXUserAttributeMap::CGXUserAttributeMap() = default;

CGXUserAttributeMap::CGXUserAttributeMap(const CGXUserAttributeMap& other) : CObArray() { ApplyMap(other, gxCopy); }

CGXUserAttributeMap& CGXUserAttributeMap::operator=(const CGXUserAttributeMap& other)
{
    ApplyMap(other, gxCopy);
    return *this;
}

CGXUserAttributeMap::~CGXUserAttributeMap() { DeleteAll(); }

CGXAbstractUserAttribute* CGXUserAttributeMap::GetAttributeAt(INT_PTR nIndex) const
{
    return AsAttribute(GetAt(nIndex));
}

INT_PTR CGXUserAttributeMap::FindIndex(WORD nId) const
{
    INT_PTR nLow = 0;
    INT_PTR nHigh = GetSize() - 1;
    while (nLow <= nHigh)
    {
        const INT_PTR nMid = nLow + (nHigh - nLow) / 2;
        const WORD nMidId = GetAttributeAt(nMid)->GetId();
        if (nMidId == nId)
            return nMid;
        if (nMidId < nId)
            nLow = nMid + 1;
        else
            nHigh = nMid - 1;
    }
    return -1;
}

CGXAbstractUserAttribute* CGXUserAttributeMap::GetAttribute(WORD nId) const
{
    const INT_PTR nIndex = FindIndex(nId);
    return nIndex >= 0 ? GetAttributeAt(nIndex) : NULL;
}

void CGXUserAttributeMap::SetAttributePtr(WORD nId, CGXAbstractUserAttribute* pAttribute)
{
    if (pAttribute == NULL)
        return;
    pAttribute->SetId(nId);
    const INT_PTR nIndex = FindIndex(nId);
    if (nIndex >= 0)
    {
        CGXAbstractUserAttribute* pOld = GetAttributeAt(nIndex);
        SetAt(nIndex, pAttribute);
        if (pOld != pAttribute)
            delete pOld;
        return;
    }
    Add(pAttribute);
    Sort();
}

void CGXUserAttributeMap::SetAttribute(WORD nId, const CGXAbstractUserAttribute& attribute)
{
    SetAttributePtr(nId, attribute.Clone());
}

void CGXUserAttributeMap::DeleteAttribute(WORD nId)
{
    const INT_PTR nIndex = FindIndex(nId);
    if (nIndex < 0)
        return;
    delete GetAttributeAt(nIndex);
    RemoveAt(nIndex);
}

void CGXUserAttributeMap::DeleteAll()
{
    for (INT_PTR i = 0; i < GetSize(); ++i)
        delete GetAttributeAt(i);
    RemoveAll();
}

void CGXUserAttributeMap::ApplyMap(const CGXUserAttributeMap& other, GXModifyType mode)
{
    if (&other == this)
    {
        if (mode == gxExclude)
            DeleteAll();
        return;
    }
    if (mode == gxExclude)
    {
        for (INT_PTR i = 0; i < other.GetSize(); ++i)
            DeleteAttribute(other.GetAttributeAt(i)->GetId());
        return;
    }
    if (mode == gxCopy)
        DeleteAll();

    // Searching sees only the entries already here, so the map stays sorted during the loop.
    std::vector<CGXAbstractUserAttribute*> collected;
    for (INT_PTR i = 0; i < other.GetSize(); ++i)
    {
        const CGXAbstractUserAttribute* pOther = other.GetAttributeAt(i);
        const INT_PTR nIndex = FindIndex(pOther->GetId());
        if (mode == gxApplyNew && nIndex >= 0)
            continue;
        CGXAbstractUserAttribute* pClone = pOther->Clone();
        if (pClone == NULL)
            continue;
        pClone->SetId(pOther->GetId());
        if (nIndex >= 0)
        {
            delete GetAttributeAt(nIndex);
            SetAt(nIndex, pClone);
        }
        else
            collected.push_back(pClone);
    }
    if (!collected.empty())
    {
        for (CGXAbstractUserAttribute* pAttribute : collected)
            Add(pAttribute);
        Sort();
    }
}

void CGXUserAttributeMap::Sort()
{
    CObject** pData = GetData();
    std::stable_sort(pData, pData + GetSize(), [](const CObject* a, const CObject* b) {
        return AsAttribute(a)->GetId() < AsAttribute(b)->GetId();
    });
}

void CGXUserAttributeMap::SortUnique()
{
    Sort();
    // Of entries with the same id, the one read last wins.
    for (INT_PTR i = GetSize() - 1; i > 0; --i)
    {
        if (GetAttributeAt(i - 1)->GetId() == GetAttributeAt(i)->GetId())
        {
            delete GetAttributeAt(i - 1);
            RemoveAt(i - 1);
        }
    }
}

void CGXUserAttributeMap::ImportStringMap(const CGXCollMapDWordToString& stringMap)
{
    for (POSITION pos = stringMap.GetStartPosition(); pos != NULL;)
    {
        DWORD nKey = 0;
        CString text;
        stringMap.GetNextAssoc(pos, nKey, text);
        auto* pAttribute = new CGXUserAttribute(text);
        pAttribute->SetId(static_cast<WORD>(nKey));
        Add(pAttribute);
    }
    SortUnique();
}

void CGXUserAttributeMap::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
    {
        GXCheckWordCount(GetSize());
        ar << static_cast<WORD>(GetSize());
        for (INT_PTR i = 0; i < GetSize(); ++i)
        {
            const CGXAbstractUserAttribute* pAttribute = GetAttributeAt(i);
            ar << static_cast<const CObject*>(pAttribute);
            ar << static_cast<WORD>(pAttribute->GetId());
        }
        return;
    }

    // The entries go into a map of their own and replace this one's only when all were read: a
    // refused archive leaves the map as it was, and the entries read so far go with the temporary map.
    CGXUserAttributeMap loaded;
    WORD nCount = 0;
    ar >> nCount;
    // Entries are taken one by one as they are read: nothing is allocated for the count itself. Each
    // entry is an object of its own; a reference back to one read before would have two owners.
    for (WORD i = 0; i < nCount; ++i)
    {
        CObject* pObject = ar.ReadOwnedObject(RUNTIME_CLASS(CGXAbstractUserAttribute));
        if (pObject != NULL)
            loaded.Add(pObject);
        WORD nId = 0;
        ar >> nId;
        if (pObject != NULL)
            AsAttribute(pObject)->SetId(nId);
    }
    // Lookups bisect: a map read from a file is put in order whatever order the file had.
    loaded.SortUnique();
    DeleteAll();
    for (INT_PTR i = 0; i < loaded.GetSize(); ++i)
        Add(loaded.GetAt(i));
    loaded.RemoveAll();
}
