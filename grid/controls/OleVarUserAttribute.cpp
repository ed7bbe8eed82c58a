#include "grid/controls/OleVarUserAttribute.h"

#include "framework/core/Archive.h"
#include "framework/core/Variant.h"

#include <algorithm>
#include <cstring>
#include <deque>
#include <vector>

IMPLEMENT_SERIAL(CGXOleVarUserAttribute, CGXAbstractUserAttribute, 0)

namespace
{
// The process's free variant objects. A variant given back is not cleared; the next taker clears
// it. The pool clears and deletes what it holds when the process ends.
class VariantPool
{
public:
    ~VariantPool()
    {
        for (COleVariant* pVariant : m_free)
            delete pVariant;
        m_free.clear();
        s_bGone = true;
    }
    COleVariant* Take()
    {
        if (m_free.empty())
            return new COleVariant;
        COleVariant* pVariant = m_free.front();
        m_free.pop_front();
        pVariant->Clear();
        return pVariant;
    }
    void Give(COleVariant* pVariant) { m_free.push_back(pVariant); }

    // Attributes of static styles may outlive the pool: they delete their variants themselves.
    static inline bool s_bGone = false;

private:
    std::deque<COleVariant*> m_free;
};

VariantPool& Pool()
{
    static VariantPool s_pool;
    return s_pool;
}

// The byte size of the fixed-size value types the archive form carries; 0 for any other.
UINT ScalarSize(VARTYPE vt)
{
    switch (vt)
    {
    case VT_I1:
    case VT_UI1:
        return 1;
    case VT_I2:
    case VT_UI2:
    case VT_BOOL:
        return 2;
    case VT_I4:
    case VT_UI4:
    case VT_INT:
    case VT_UINT:
    case VT_R4:
    case VT_ERROR:
        return 4;
    case VT_R8:
    case VT_CY:
    case VT_DATE:
    case VT_I8:
    case VT_UI8:
        return 8;
    default:
        return 0;
    }
}

// Reads a counted block in pieces, so that a count larger than the archive holds ends in the
// archive's end-of-file exception before anything that large is allocated.
std::vector<BYTE> ReadBlock(CArchive& ar, DWORD nCount)
{
    std::vector<BYTE> bytes;
    const DWORD nPiece = 0x10000;
    while (bytes.size() < nCount)
    {
        const DWORD nThis = std::min<DWORD>(nPiece, nCount - static_cast<DWORD>(bytes.size()));
        const size_t nAt = bytes.size();
        bytes.resize(nAt + nThis);
        if (ar.Read(bytes.data() + nAt, nThis) != nThis)
            AfxThrowArchiveException(CArchiveException::endOfFile);
    }
    return bytes;
}

BOOL SameVariant(const VARIANT& a, const VARIANT& b)
{
    if (a.vt != b.vt)
        return FALSE;
    if (a.vt == (VT_ARRAY | VT_UI1))
    {
        CByteArray bytesA;
        CByteArray bytesB;
        GXGetByteArrayVariant(a, bytesA);
        GXGetByteArrayVariant(b, bytesB);
        return bytesA.GetSize() == bytesB.GetSize() &&
               (bytesA.GetSize() == 0 || std::memcmp(bytesA.GetData(), bytesB.GetData(), bytesA.GetSize()) == 0);
    }
    COleVariant copy(a);
    return copy == b;
}
}  // namespace

void GXMakeByteArrayVariant(VARIANT& variant, const void* pBytes, DWORD nCount)
{
    ::VariantInit(&variant);
    SAFEARRAY* pArray = ::SafeArrayCreateVector(VT_UI1, 0, nCount);
    if (pArray == nullptr)
        return;
    void* pData = nullptr;
    if (nCount > 0 && SUCCEEDED(::SafeArrayAccessData(pArray, &pData)))
    {
        std::memcpy(pData, pBytes, nCount);
        ::SafeArrayUnaccessData(pArray);
    }
    variant.vt = VT_ARRAY | VT_UI1;
    variant.parray = pArray;
}

BOOL GXGetByteArrayVariant(const VARIANT& variant, CByteArray& bytes)
{
    bytes.RemoveAll();
    if (variant.vt != (VT_ARRAY | VT_UI1) || variant.parray == nullptr || ::SafeArrayGetDim(variant.parray) != 1)
        return FALSE;
    LONG nLower = 0;
    LONG nUpper = -1;
    ::SafeArrayGetLBound(variant.parray, 1, &nLower);
    ::SafeArrayGetUBound(variant.parray, 1, &nUpper);
    const LONG nCount = nUpper - nLower + 1;
    if (nCount <= 0)
        return TRUE;
    void* pData = nullptr;
    if (FAILED(::SafeArrayAccessData(variant.parray, &pData)))
        return FALSE;
    bytes.SetSize(nCount);
    std::memcpy(bytes.GetData(), pData, static_cast<size_t>(nCount));
    ::SafeArrayUnaccessData(variant.parray);
    return TRUE;
}

// ---- CGXOleVarUserAttribute ----

CGXOleVarUserAttribute::CGXOleVarUserAttribute() = default;

CGXOleVarUserAttribute::~CGXOleVarUserAttribute()
{
    if (m_pVariant == nullptr)
        return;
    if (VariantPool::s_bGone)
        delete m_pVariant;
    else
        Pool().Give(m_pVariant);
}

CGXAbstractUserAttribute& CGXOleVarUserAttribute::SetValue(LPCTSTR)
{
    return *this;
}

const CString& CGXOleVarUserAttribute::GetValue() const
{
    static const CString empty;
    return empty;
}

CGXOleVarUserAttribute& CGXOleVarUserAttribute::SetVariant(const VARIANT& variant)
{
    if (m_pVariant == nullptr)
        m_pVariant = Pool().Take();
    else
        m_pVariant->Clear();
    *m_pVariant = variant;
    return *this;
}

const VARIANT* CGXOleVarUserAttribute::GetVariant() const
{
    return m_pVariant;
}

CGXAbstractUserAttribute* CGXOleVarUserAttribute::Clone() const
{
    CGXOleVarUserAttribute* pClone = new CGXOleVarUserAttribute;
    pClone->SetId(GetId());
    if (m_pVariant != nullptr)
        pClone->SetVariant(*m_pVariant);
    return pClone;
}

BOOL CGXOleVarUserAttribute::IsEmpty() const
{
    return m_pVariant == nullptr || m_pVariant->vt == VT_EMPTY;
}

BOOL CGXOleVarUserAttribute::IsEqual(const CGXAbstractUserAttribute& other) const
{
    const CGXOleVarUserAttribute* pOther = dynamic_cast<const CGXOleVarUserAttribute*>(&other);
    if (pOther == nullptr || pOther->GetId() != GetId())
        return FALSE;
    if (IsEmpty() || pOther->IsEmpty())
        return IsEmpty() && pOther->IsEmpty();
    return SameVariant(*m_pVariant, *pOther->m_pVariant);
}

BOOL CGXOleVarUserAttribute::IsIdentical(const CGXAbstractUserAttribute& other) const
{
    const CGXOleVarUserAttribute* pOther = dynamic_cast<const CGXOleVarUserAttribute*>(&other);
    return pOther != nullptr && m_pVariant != nullptr && pOther->m_pVariant == m_pVariant;
}

void CGXOleVarUserAttribute::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
    {
        const VARTYPE vt = m_pVariant != nullptr ? m_pVariant->vt : static_cast<VARTYPE>(VT_EMPTY);
        if (vt == (VT_ARRAY | VT_UI1))
        {
            CByteArray bytes;
            GXGetByteArrayVariant(*m_pVariant, bytes);
            ar << static_cast<WORD>(vt) << static_cast<DWORD>(bytes.GetSize());
            if (bytes.GetSize() > 0)
                ar.Write(bytes.GetData(), static_cast<UINT>(bytes.GetSize()));
        }
        else if (vt == VT_BSTR)
        {
            const DWORD nBytes = m_pVariant->bstrVal != nullptr ? ::SysStringByteLen(m_pVariant->bstrVal) : 0;
            ar << static_cast<WORD>(vt) << nBytes;
            if (nBytes > 0)
                ar.Write(m_pVariant->bstrVal, nBytes);
        }
        else if (vt == VT_NULL || ScalarSize(vt) > 0)
        {
            ar << static_cast<WORD>(vt);
            if (ScalarSize(vt) > 0)
                ar.Write(&m_pVariant->llVal, ScalarSize(vt));
        }
        else
            ar << static_cast<WORD>(VT_EMPTY);
        return;
    }

    WORD vt = VT_EMPTY;
    ar >> vt;
    VARIANT variant;
    ::VariantInit(&variant);
    if (vt == (VT_ARRAY | VT_UI1))
    {
        DWORD nCount = 0;
        ar >> nCount;
        const std::vector<BYTE> bytes = ReadBlock(ar, nCount);
        GXMakeByteArrayVariant(variant, bytes.data(), nCount);
    }
    else if (vt == VT_BSTR)
    {
        DWORD nBytes = 0;
        ar >> nBytes;
        const std::vector<BYTE> bytes = ReadBlock(ar, nBytes);
        variant.vt = VT_BSTR;
        variant.bstrVal = ::SysAllocStringByteLen(reinterpret_cast<LPCSTR>(bytes.data()), nBytes);
    }
    else if (vt == VT_NULL)
        variant.vt = VT_NULL;
    else if (ScalarSize(vt) > 0)
    {
        const std::vector<BYTE> bytes = ReadBlock(ar, ScalarSize(vt));
        variant.vt = vt;
        std::memcpy(&variant.llVal, bytes.data(), bytes.size());
    }
    else if (vt != VT_EMPTY)
        AfxThrowArchiveException(CArchiveException::badSchema);
    SetVariant(variant);
    ::VariantClear(&variant);
}
