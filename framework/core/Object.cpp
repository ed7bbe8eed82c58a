#include "framework/core/Object.h"

#include "framework/core/Archive.h"
#include "framework/core/Exceptions.h"

#include <cstring>

namespace
{
// Head of the registered classes; constant-initialised, so it is valid before any
// AFX_CLASSINIT constructor runs.
constinit const AFX_CLASSINIT* s_firstRegisteredClass = nullptr;

// Longest class name an archive may name; longer names mark a damaged archive.
constexpr UINT kMaxClassNameLength = 64;
}

const CRuntimeClass CObject::classCObject = { "CObject", static_cast<int>(sizeof(CObject)), 0xFFFF, nullptr, nullptr };

AFX_CLASSINIT::AFX_CLASSINIT(CRuntimeClass* pNewClass)
    : m_pClass(pNewClass), m_pNext(s_firstRegisteredClass)
{
    s_firstRegisteredClass = this;
}

CObject* CRuntimeClass::CreateObject() const
{
    if (m_pfnCreateObject == nullptr)
        return nullptr;
    return m_pfnCreateObject();
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const
{
    for (const CRuntimeClass* pClass = this; pClass != nullptr; pClass = pClass->m_pBaseClass)
    {
        if (pClass == pBaseClass)
            return TRUE;
    }
    return FALSE;
}

CRuntimeClass* CRuntimeClass::FromName(LPCSTR lpszClassName)
{
    if (lpszClassName == nullptr)
        return nullptr;
    for (const AFX_CLASSINIT* pNode = s_firstRegisteredClass; pNode != nullptr; pNode = pNode->m_pNext)
    {
        if (std::strcmp(pNode->m_pClass->m_lpszClassName, lpszClassName) == 0)
            return pNode->m_pClass;
    }
    return nullptr;
}

CObject* CRuntimeClass::CreateObject(LPCSTR lpszClassName)
{
    const CRuntimeClass* pClass = FromName(lpszClassName);
    return pClass != nullptr ? pClass->CreateObject() : nullptr;
}

void CRuntimeClass::Store(CArchive& ar) const
{
    const WORD nameLength = static_cast<WORD>(std::strlen(m_lpszClassName));
    // Only the schema number is stored; the versionable flag belongs to the reader's class.
    ar << static_cast<WORD>(m_wSchema) << nameLength;
    ar.Write(m_lpszClassName, nameLength);
}

CRuntimeClass* CRuntimeClass::Load(CArchive& ar, UINT* pwSchemaNum)
{
    WORD schema = 0;
    WORD nameLength = 0;
    ar >> schema >> nameLength;
    if (nameLength == 0 || nameLength > kMaxClassNameLength)
        AfxThrowArchiveException(CArchiveException::badClass);

    char className[kMaxClassNameLength + 1];
    if (ar.Read(className, nameLength) != nameLength)
        AfxThrowArchiveException(CArchiveException::endOfFile);
    className[nameLength] = '\0';

    if (pwSchemaNum != nullptr)
        *pwSchemaNum = schema;
    return FromName(className);
}

CRuntimeClass* CObject::GetRuntimeClass() const
{
    return RUNTIME_CLASS(CObject);
}

void CObject::Serialize(CArchive&)
{
}

void CObject::AssertValid() const
{
}

void CObject::Dump(CDumpContext&) const
{
}

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const
{
    return GetRuntimeClass()->IsDerivedFrom(pClass);
}

BOOL CObject::IsSerializable() const
{
    return GetRuntimeClass()->m_wSchema != 0xFFFF;
}
