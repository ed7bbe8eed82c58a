#include "framework/core/Variant.h"

#include "framework/core/Time.h"

#include <cstring>

COleVariant::COleVariant() { VariantInit(this); }

COleVariant::COleVariant(const VARIANT& source)
{
    VariantInit(this);
    *this = source;
}

COleVariant::COleVariant(const COleVariant& source) : tagVARIANT()
{
    VariantInit(this);
    *this = static_cast<const VARIANT&>(source);
}

COleVariant::COleVariant(LPCVARIANT source)
{
    VariantInit(this);
    *this = source;
}

COleVariant::COleVariant(LPCTSTR text)
{
    VariantInit(this);
    *this = text;
}

COleVariant::COleVariant(const CString& text)
{
    VariantInit(this);
    *this = text;
}

COleVariant::COleVariant(BYTE value)
{
    VariantInit(this);
    *this = value;
}

COleVariant::COleVariant(short value, VARTYPE type)
{
    VariantInit(this);
    if (type == VT_BOOL) {
        vt = VT_BOOL;
        boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    } else {
        vt = VT_I2;
        iVal = value;
    }
}

COleVariant::COleVariant(long value, VARTYPE type)
{
    VariantInit(this);
    if (type == VT_BOOL) {
        vt = VT_BOOL;
        boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    } else if (type == VT_ERROR) {
        vt = VT_ERROR;
        scode = value;
    } else {
        vt = VT_I4;
        lVal = value;
    }
}

COleVariant::COleVariant(float value)
{
    VariantInit(this);
    *this = value;
}

COleVariant::COleVariant(double value)
{
    VariantInit(this);
    *this = value;
}

COleVariant::COleVariant(const COleDateTime& value)
{
    VariantInit(this);
    *this = value;
}

COleVariant::~COleVariant() { VariantClear(this); }

void COleVariant::Clear() { VariantClear(this); }

COleVariant& COleVariant::operator=(const VARIANT& source)
{
    if (&source != static_cast<const VARIANT*>(this)) {
        // VariantCopy clears the destination first and deep-copies BSTRs, arrays and interface references.
        if (FAILED(VariantCopy(this, const_cast<VARIANT*>(&source))))
            VariantClear(this);
    }
    return *this;
}

COleVariant& COleVariant::operator=(const COleVariant& source)
{
    return *this = static_cast<const VARIANT&>(source);
}

COleVariant& COleVariant::operator=(LPCVARIANT source)
{
    if (!source) {
        Clear();
        return *this;
    }
    return *this = *source;
}

COleVariant& COleVariant::operator=(LPCTSTR text)
{
    Clear();
    vt = VT_BSTR;
    bstrVal = CString(text ? text : "").AllocSysString();
    return *this;
}

COleVariant& COleVariant::operator=(const CString& text)
{
    Clear();
    vt = VT_BSTR;
    bstrVal = text.AllocSysString();
    return *this;
}

COleVariant& COleVariant::operator=(BYTE value)
{
    Clear();
    vt = VT_UI1;
    bVal = value;
    return *this;
}

COleVariant& COleVariant::operator=(short value)
{
    Clear();
    vt = VT_I2;
    iVal = value;
    return *this;
}

COleVariant& COleVariant::operator=(long value)
{
    Clear();
    vt = VT_I4;
    lVal = value;
    return *this;
}

COleVariant& COleVariant::operator=(float value)
{
    Clear();
    vt = VT_R4;
    fltVal = value;
    return *this;
}

COleVariant& COleVariant::operator=(double value)
{
    Clear();
    vt = VT_R8;
    dblVal = value;
    return *this;
}

COleVariant& COleVariant::operator=(const COleDateTime& value)
{
    Clear();
    vt = VT_DATE;
    date = value.m_dt;
    return *this;
}

bool COleVariant::operator==(const VARIANT& other) const
{
    if (vt != other.vt)
        return false;
    switch (vt) {
    case VT_EMPTY:
    case VT_NULL:
        return true;
    case VT_BOOL:
        return boolVal == other.boolVal;
    case VT_UI1:
        return bVal == other.bVal;
    case VT_I2:
        return iVal == other.iVal;
    case VT_I4:
    case VT_ERROR:
        return lVal == other.lVal;
    case VT_R4:
        return fltVal == other.fltVal;
    case VT_R8:
    case VT_DATE:
        return dblVal == other.dblVal;
    case VT_CY:
        return cyVal.int64 == other.cyVal.int64;
    case VT_BSTR: {
        const UINT length = SysStringByteLen(bstrVal);
        return length == SysStringByteLen(other.bstrVal) &&
               (length == 0 || std::memcmp(bstrVal, other.bstrVal, length) == 0);
    }
    case VT_UNKNOWN:
    case VT_DISPATCH:
        return punkVal == other.punkVal;
    default:
        return VarCmp(const_cast<VARIANT*>(static_cast<const VARIANT*>(this)), const_cast<VARIANT*>(&other),
                      LOCALE_USER_DEFAULT, 0) == static_cast<HRESULT>(VARCMP_EQ);
    }
}

HRESULT COleVariant::ChangeType(VARTYPE type, LPVARIANT source)
{
    if (!source)
        source = this;
    if (source == this && vt == type)
        return S_OK;
    return VariantChangeType(this, source, 0, type);
}

void COleVariant::Attach(VARIANT& source)
{
    Clear();
    std::memcpy(static_cast<VARIANT*>(this), &source, sizeof(VARIANT));
    source.vt = VT_EMPTY;
}

VARIANT COleVariant::Detach()
{
    VARIANT result;
    std::memcpy(&result, static_cast<VARIANT*>(this), sizeof(VARIANT));
    vt = VT_EMPTY;
    return result;
}
