#pragma once
// CObject and run-time class records: class names, base-class walks, creation by
// class record or by name, and the schema numbers that archives store.

#include <windows.h>

class CObject;
class CArchive;
class CDumpContext;

// Added to a class schema: loading accepts any stored schema of that class and the
// object's Serialize asks CArchive::GetObjectSchema which one it was.
#define VERSIONABLE_SCHEMA (0x80000000)

struct CRuntimeClass
{
    LPCSTR m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema;                     // 0xFFFF for classes that cannot be archived
    CObject* (*m_pfnCreateObject)();    // NULL when the class is not dynamically creatable
    CRuntimeClass* m_pBaseClass;

    CObject* CreateObject() const;
    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;

    // Look-up among the registered classes (those with IMPLEMENT_DYNCREATE or IMPLEMENT_SERIAL).
    static CRuntimeClass* FromName(LPCSTR lpszClassName);
    static CObject* CreateObject(LPCSTR lpszClassName);

    // Class record in an archive: WORD schema, WORD name length, name bytes.
    void Store(CArchive& ar) const;
    static CRuntimeClass* Load(CArchive& ar, UINT* pwSchemaNum);
};

// One static node per registered class; constructed during static initialisation.
struct AFX_CLASSINIT
{
    explicit AFX_CLASSINIT(CRuntimeClass* pNewClass);
    CRuntimeClass* m_pClass;
    const AFX_CLASSINIT* m_pNext;
};

class CObject
{
public:
    virtual CRuntimeClass* GetRuntimeClass() const;
    virtual ~CObject() = default;
    virtual void Serialize(CArchive& ar);
    virtual void AssertValid() const;
    virtual void Dump(CDumpContext& dc) const;

    BOOL IsKindOf(const CRuntimeClass* pClass) const;
    BOOL IsSerializable() const;

    static const CRuntimeClass classCObject;

protected:
    CObject() = default;

private:
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;
};

// A new object of the class as a T: NULL, with nothing left behind, when pClass is NULL, cannot
// create objects or creates something that is not a T.
template <class T>
T* AfxCreateObjectAs(const CRuntimeClass* pClass)
{
    CObject* pObject = pClass != nullptr ? pClass->CreateObject() : nullptr;
    T* pResult = dynamic_cast<T*>(pObject);
    if (pResult == nullptr)
        delete pObject;
    return pResult;
}

#define RUNTIME_CLASS(class_name) (const_cast<CRuntimeClass*>(&class_name::class##class_name))

#define DECLARE_DYNAMIC(class_name) \
public: \
    static const CRuntimeClass class##class_name; \
    virtual CRuntimeClass* GetRuntimeClass() const;

#define DECLARE_DYNCREATE(class_name) \
    DECLARE_DYNAMIC(class_name) \
    static CObject* CreateObject();

#define DECLARE_SERIAL(class_name) \
    DECLARE_DYNCREATE(class_name) \
    friend CArchive& operator>>(CArchive& ar, class_name*& pOb);

#define IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, pfnNew) \
    const CRuntimeClass class_name::class##class_name = { \
        #class_name, static_cast<int>(sizeof(class class_name)), (wSchema), (pfnNew), \
        RUNTIME_CLASS(base_class_name) }; \
    CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); }

#define IMPLEMENT_DYNAMIC(class_name, base_class_name) \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name) \
    CObject* class_name::CreateObject() { return new class_name; } \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, class_name::CreateObject) \
    static const AFX_CLASSINIT _init_##class_name(RUNTIME_CLASS(class_name));

#define IMPLEMENT_SERIAL(class_name, base_class_name, wSchema) \
    CObject* class_name::CreateObject() { return new class_name; } \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, class_name::CreateObject) \
    static const AFX_CLASSINIT _init_##class_name(RUNTIME_CLASS(class_name)); \
    CArchive& operator>>(CArchive& ar, class_name*& pOb) \
    { \
        pOb = static_cast<class_name*>(AfxReadObjectOfClass(ar, RUNTIME_CLASS(class_name))); \
        return ar; \
    }

// CArchive::ReadObject, reachable from IMPLEMENT_SERIAL without including Archive.h.
CObject* AfxReadObjectOfClass(CArchive& ar, const CRuntimeClass* pClass);
