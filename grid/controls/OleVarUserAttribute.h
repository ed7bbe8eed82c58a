#pragma once
// A user attribute that holds an OLE VARIANT instead of text, so that binary values (the bytes of
// pictures and OLE objects, user attribute 52794) can ride in a cell style. The variants come from
// a process-wide pool of variant objects. The attribute has no text form: its text is empty and
// setting a text changes nothing. Its archive form is the variant's type and value bytes.

#include "grid/core/UserAttribute.h"

#include <windows.h>
#include <oleauto.h>

class COleVariant;

// The attribute that carries a cell's picture or OLE object bytes ("Dao bitmap user attribute").
const WORD GX_IDS_UA_DAOBITMAP = 52794;

class CGXOleVarUserAttribute : public CGXAbstractUserAttribute
{
    DECLARE_SERIAL(CGXOleVarUserAttribute)

public:
    CGXOleVarUserAttribute();
    ~CGXOleVarUserAttribute() override;
    CGXOleVarUserAttribute(const CGXOleVarUserAttribute&) = delete;
    CGXOleVarUserAttribute& operator=(const CGXOleVarUserAttribute&) = delete;

    using CGXAbstractUserAttribute::SetValue;
    // No text form: ignored.
    CGXAbstractUserAttribute& SetValue(LPCTSTR pszValue) override;
    // The library's shared empty text.
    const CString& GetValue() const override;
    // A new attribute with its own copy of the variant.
    CGXAbstractUserAttribute* Clone() const override;
    // Same id, and variants of the same type and value (byte arrays compared byte for byte).
    BOOL IsEqual(const CGXAbstractUserAttribute& other) const override;
    // No variant held, or an empty one.
    BOOL IsEmpty() const override;
    // TRUE only when the other attribute holds this very variant object.
    virtual BOOL IsIdentical(const CGXAbstractUserAttribute& other) const;

    // A WORD type, then the value: a DWORD count and the bytes for a byte array or a string, the
    // value's own bytes for a number, date or currency; other types are stored as empty. Loading
    // checks every count against what the archive still holds.
    void Serialize(CArchive& ar) override;

    // Takes a copy of the variant.
    CGXOleVarUserAttribute& SetVariant(const VARIANT& variant);
    // The held variant, NULL when none.
    const VARIANT* GetVariant() const;

private:
    COleVariant* m_pVariant = nullptr;
    DWORD m_dwReserved = 0;
};

// A VARIANT of type VT_ARRAY | VT_UI1 holding a copy of the bytes (VT_EMPTY when none).
void GXMakeByteArrayVariant(VARIANT& variant, const void* pBytes, DWORD nCount);
// The bytes of a VT_ARRAY | VT_UI1 variant; FALSE for any other.
BOOL GXGetByteArrayVariant(const VARIANT& variant, CByteArray& bytes);
