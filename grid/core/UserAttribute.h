#pragma once
// User attributes: named values that cell controls and features keep in a cell style besides its
// fixed attributes, keyed by a 16-bit id that is also the string-table id of the attribute's name.

#include "framework/core/Archive.h"
#include "framework/core/CString.h"
#include "framework/core/Collections.h"
#include "framework/core/Object.h"
#include "grid/core/GridTypes.h"

class CGXCollMapDWordToString;

class CGXAbstractUserAttribute : public CObject
{
    DECLARE_SERIAL(CGXAbstractUserAttribute)

public:
    CGXAbstractUserAttribute() = default;
    ~CGXAbstractUserAttribute() override = default;

    WORD GetId() const { return m_nId; }
    void SetId(WORD nId) { m_nId = nId; }

    virtual CGXAbstractUserAttribute& SetValue(LPCTSTR pszValue);
    virtual CGXAbstractUserAttribute& SetValue(const CString& value);
    // The text lives in one buffer shared by every user attribute: valid until the next GetValue.
    virtual const CString& GetValue() const;
    virtual LONG GetLongValue() const;
    virtual DWORD GetDWordValue() const;
    virtual double GetDoubleValue() const;
    // A new copy owned by the caller, or NULL.
    virtual CGXAbstractUserAttribute* Clone() const;
    virtual BOOL IsEqual(const CGXAbstractUserAttribute& other) const;
    virtual BOOL IsEmpty() const;
    LPCTSTR GetValueText() const { return GetValue(); }

    void Serialize(CArchive& ar) override;

protected:
    // The one text buffer behind every GetValue.
    static CString& SharedValueText();

private:
    WORD m_nId = 0;
};

class CGXUserAttribute : public CGXAbstractUserAttribute
{
    DECLARE_SERIAL(CGXUserAttribute)

public:
    enum Kind
    {
        vtEmpty = 0,
        vtDWord = 1,
        vtLong = 2,
        vtShortString = 3,  // up to 8 bytes held in place
        vtString = 4,       // a heap copy
        vtDouble = 5,
        vtBinary = 6
    };

    CGXUserAttribute();
    // A number text becomes a double, other text a string; an empty text is an empty short string.
    explicit CGXUserAttribute(LPCTSTR pszValue);
    explicit CGXUserAttribute(const CString& value);
    CGXUserAttribute(const CGXUserAttribute& other);
    CGXUserAttribute& operator=(const CGXUserAttribute& other);
    ~CGXUserAttribute() override;

    int GetKind() const { return m_nKind; }

    using CGXAbstractUserAttribute::SetValue;
    CGXAbstractUserAttribute& SetValue(LPCTSTR pszValue) override;
    const CString& GetValue() const override;
    LONG GetLongValue() const override;
    DWORD GetDWordValue() const override;
    double GetDoubleValue() const override;
    CGXAbstractUserAttribute* Clone() const override;
    BOOL IsEqual(const CGXAbstractUserAttribute& other) const override;

    // Kind as one byte; a text in the string form, any other kind as two 32-bit words.
    void Serialize(CArchive& ar) override;

    // A number is a text that the library's number parser takes and that "%.13g" prints back unchanged.
    static BOOL IsCanonicalNumber(LPCTSTR pszText, double& dValue);

private:
    void Assign(LPCTSTR pszValue, bool bEmptyIsText);
    void AssignText(const char* pszText, size_t nLength);
    void FreeText();
    CString Text() const;

    int m_nKind = vtEmpty;
    union
    {
        DWORD dw[2];
        char sz[8];
        char* psz;
        double d;
    } m_value;
};

// The user attributes of one style: owned objects sorted by ascending id, at most one per id.
class CGXUserAttributeMap : public CObArray
{
    DECLARE_SERIAL(CGXUserAttributeMap)

public:
    CGXUserAttributeMap();
    CGXUserAttributeMap(const CGXUserAttributeMap& other);
    CGXUserAttributeMap& operator=(const CGXUserAttributeMap& other);
    ~CGXUserAttributeMap() override;

    // Index of the id by bisection, -1 when absent.
    INT_PTR FindIndex(WORD nId) const;
    CGXAbstractUserAttribute* GetAttribute(WORD nId) const;
    CGXAbstractUserAttribute* GetAttributeAt(INT_PTR nIndex) const;
    // Takes ownership; replaces (and deletes) an entry of the same id.
    void SetAttributePtr(WORD nId, CGXAbstractUserAttribute* pAttribute);
    void SetAttribute(WORD nId, const CGXAbstractUserAttribute& attribute);
    void DeleteAttribute(WORD nId);
    void DeleteAll();
    void ApplyMap(const CGXUserAttributeMap& other, GXModifyType mode);
    BOOL IsEmpty() const { return GetSize() == 0; }
    void Sort();
    // Fills the map from a map of ids to value texts (the form of older archives).
    void ImportStringMap(const CGXCollMapDWordToString& stringMap);

    // One profile entry "UA<id>" per attribute.
    void WriteProfile(LPCTSTR pszSection) const;
    // A 16-bit count, then per entry the attribute object and its 16-bit id.
    void Serialize(CArchive& ar) override;

private:
    // Sorts and keeps the last entry of each id.
    void SortUnique();
};
