// COleVariant: owns one real VARIANT (cleared with VariantClear when replaced or destroyed).
#pragma once

#include "framework/core/CString.h"

#include <windows.h>
#include <oleauto.h>

class COleDateTime;

typedef const VARIANT* LPCVARIANT;

class COleVariant : public tagVARIANT {
public:
    COleVariant();
    COleVariant(const VARIANT& source);
    COleVariant(const COleVariant& source);
    COleVariant(LPCVARIANT source);
    // Text becomes a BSTR (VT_BSTR).
    COleVariant(LPCTSTR text);
    COleVariant(const CString& text);
    COleVariant(BYTE value);
    // VT_I2 or VT_BOOL (any non-zero value is VARIANT_TRUE).
    COleVariant(short value, VARTYPE type = VT_I2);
    // VT_I4, VT_BOOL or VT_ERROR.
    COleVariant(long value, VARTYPE type = VT_I4);
    COleVariant(float value);
    COleVariant(double value);
    COleVariant(const COleDateTime& value);
    ~COleVariant();

    COleVariant& operator=(const VARIANT& source);
    COleVariant& operator=(const COleVariant& source);
    COleVariant& operator=(LPCVARIANT source);
    COleVariant& operator=(LPCTSTR text);
    COleVariant& operator=(const CString& text);
    COleVariant& operator=(BYTE value);
    COleVariant& operator=(short value);
    COleVariant& operator=(long value);
    COleVariant& operator=(float value);
    COleVariant& operator=(double value);
    COleVariant& operator=(const COleDateTime& value);

    // Same type and value (VarCmp for the ordinary types, exact for the rest).
    bool operator==(const VARIANT& other) const;
    bool operator!=(const VARIANT& other) const { return !(*this == other); }

    operator LPVARIANT() { return this; }
    operator LPCVARIANT() const { return this; }

    void Clear();
    // Converts in place (or from source into this); the result of VariantChangeType.
    HRESULT ChangeType(VARTYPE type, LPVARIANT source = nullptr);
    void Attach(VARIANT& source);
    VARIANT Detach();
};
