// Dispatch maps and interface maps: what an automation object (a CCmdTarget after
// EnableAutomation) offers through IDispatch.
//
// A dispatch map is a table per class, read like a message map: the class's own entries, then its
// base class's. An entry's dispatch id is its place in its class's table counted from 1, with the
// number of classes between it and the object's own class in the high word (so the object's own
// properties are 1, 2, ...). GetIDsOfNames matches names ignoring case. A put converts the value
// to the property's declared type first and answers DISP_E_TYPEMISMATCH (or DISP_E_OVERFLOW)
// when it cannot; an unknown id answers DISP_E_MEMBERNOTFOUND.
//
//   BEGIN_DISPATCH_MAP(CFennickDoc, CDocument)
//       DISP_PROPERTY_EX(CFennickDoc, "SieveSize", GetSieveSize, SetSieveSize, VT_R4)
//   END_DISPATCH_MAP()
//
// The get function returns the declared type and the set function takes it: VT_I2 short, VT_I4
// long, VT_R4 float, VT_R8 double, VT_BOOL BOOL, VT_DATE DATE, VT_CY CY, VT_UI1 BYTE, VT_ERROR
// SCODE, VT_BSTR BSTR from the get (the caller frees it) and LPCTSTR to the set, VT_VARIANT
// VARIANT from the get (the caller clears it) and const VARIANT& to the set, VT_DISPATCH
// LPDISPATCH (the get hands out a reference). A set function may throw COleException to answer
// its SCODE, or COleDispatchException for an exception the client sees with its text.
//
// An interface map adds interface ids under which the object answers QueryInterface; the one
// part there is, Dispatch, is the object's IDispatch:
//
//   BEGIN_INTERFACE_MAP(CFennickDoc, CDocument)
//       INTERFACE_PART(CFennickDoc, IID_IFennick, Dispatch)
//   END_INTERFACE_MAP()
#pragma once

#include <windows.h>
#include <ole2.h>

#include "framework/core/CString.h"
#include "framework/win/CmdTarget.h"

struct AFX_DISPMAP_ENTRY
{
    LPCSTR lpszName;                                             // NULL ends the table
    VARTYPE vt;                                                  // the property's declared type
    void (*pfnGet)(CCmdTarget* pTarget, VARIANT& result);       // result receives a value of vt
    void (*pfnSet)(CCmdTarget* pTarget, const VARIANT& value);  // value is already of vt
};

struct AFX_DISPMAP
{
    const AFX_DISPMAP* (PASCAL* pfnGetBaseMap)();
    const AFX_DISPMAP_ENTRY* lpEntries;
};

// The entry of a dispatch id in the object's maps, or NULL.
const AFX_DISPMAP_ENTRY* AfxFindDispatchEntry(const AFX_DISPMAP* pMap, DISPID dispid);
// The dispatch id of a name (any case), or DISPID_UNKNOWN.
DISPID AfxFindDispatchID(const AFX_DISPMAP* pMap, LPCSTR lpszName);

// ---- Values of the declared types ----

template <VARTYPE vt>
struct CDispatchType;

#define AFX_DISPATCH_TYPE(vtType, CType, member)                              \
    template <>                                                               \
    struct CDispatchType<vtType>                                              \
    {                                                                         \
        static void Store(VARIANT& v, CType value) { v.vt = vtType; v.member = value; } \
        static CType Load(const VARIANT& v) { return v.member; }             \
    };

AFX_DISPATCH_TYPE(VT_I2, short, iVal)
AFX_DISPATCH_TYPE(VT_I4, long, lVal)
AFX_DISPATCH_TYPE(VT_R4, float, fltVal)
AFX_DISPATCH_TYPE(VT_R8, double, dblVal)
AFX_DISPATCH_TYPE(VT_DATE, DATE, date)
AFX_DISPATCH_TYPE(VT_CY, CY, cyVal)
AFX_DISPATCH_TYPE(VT_UI1, BYTE, bVal)
AFX_DISPATCH_TYPE(VT_ERROR, SCODE, scode)
AFX_DISPATCH_TYPE(VT_DISPATCH, LPDISPATCH, pdispVal)
AFX_DISPATCH_TYPE(VT_BSTR, BSTR, bstrVal)
#undef AFX_DISPATCH_TYPE

template <>
struct CDispatchType<VT_BOOL>
{
    static void Store(VARIANT& v, BOOL value)
    {
        v.vt = VT_BOOL;
        v.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    }
    static BOOL Load(const VARIANT& v) { return v.boolVal != VARIANT_FALSE; }
};

template <>
struct CDispatchType<VT_VARIANT>
{
    static void Store(VARIANT& v, const VARIANT& value) { v = value; }
    static const VARIANT& Load(const VARIANT& v) { return v; }
};

// A BSTR put reaches the set function as text.
struct CDispatchText
{
    static CString Load(const VARIANT& v) { return v.bstrVal != nullptr ? CString(v.bstrVal) : CString(); }
};

template <VARTYPE vt>
struct CDispatchSetType : CDispatchType<vt>
{
};

template <>
struct CDispatchSetType<VT_BSTR> : CDispatchText
{
};

// ---- Dispatch map declaration and definition ----

#define DECLARE_DISPATCH_MAP()                                    \
public:                                                           \
    static const AFX_DISPMAP* PASCAL GetThisDispatchMap();        \
    const AFX_DISPMAP* GetDispatchMap() const override;           \
protected:

#define BEGIN_DISPATCH_MAP(theClass, baseClass)                                            \
    const AFX_DISPMAP* theClass::GetDispatchMap() const { return GetThisDispatchMap(); }  \
    const AFX_DISPMAP* PASCAL theClass::GetThisDispatchMap()                              \
    {                                                                                      \
        typedef baseClass TheBaseClass;                                                    \
        static const AFX_DISPMAP_ENTRY _dispatchEntries[] = {

#define END_DISPATCH_MAP()                                                              \
            {nullptr, VT_EMPTY, nullptr, nullptr}                                       \
        };                                                                              \
        static const AFX_DISPMAP dispatchMap = {&TheBaseClass::GetThisDispatchMap,     \
                                                &_dispatchEntries[0]};                 \
        return &dispatchMap;                                                            \
    }

// A property read with pfnGet and written with pfnSet (member functions of theClass).
#define DISP_PROPERTY_EX(theClass, szExternalName, pfnGet, pfnSet, vtPropType)                        \
    {szExternalName, vtPropType,                                                                      \
     [](CCmdTarget* pTarget, VARIANT& result) {                                                       \
         CDispatchType<vtPropType>::Store(result, static_cast<theClass*>(pTarget)->pfnGet());       \
     },                                                                                               \
     [](CCmdTarget* pTarget, const VARIANT& value) {                                                 \
         static_cast<theClass*>(pTarget)->pfnSet(CDispatchSetType<vtPropType>::Load(value));       \
     }},

// ---- Interface maps ----

enum AFX_INTERFACE_PART
{
    AFX_INTERFACE_PART_Dispatch = 1,   // the object's IDispatch
};

struct AFX_INTERFACEMAP_ENTRY
{
    const IID* piid;   // NULL ends the table
    int nPart;
};

struct AFX_INTERFACEMAP
{
    const AFX_INTERFACEMAP* (PASCAL* pfnGetBaseMap)();
    const AFX_INTERFACEMAP_ENTRY* lpEntries;
};

#define DECLARE_INTERFACE_MAP()                                       \
public:                                                               \
    static const AFX_INTERFACEMAP* PASCAL GetThisInterfaceMap();      \
    const AFX_INTERFACEMAP* GetInterfaceMap() const override;         \
protected:

#define BEGIN_INTERFACE_MAP(theClass, baseClass)                                                 \
    const AFX_INTERFACEMAP* theClass::GetInterfaceMap() const { return GetThisInterfaceMap(); } \
    const AFX_INTERFACEMAP* PASCAL theClass::GetThisInterfaceMap()                              \
    {                                                                                            \
        typedef baseClass TheBaseClass;                                                          \
        static const AFX_INTERFACEMAP_ENTRY _interfaceEntries[] = {

// localClass names the part: Dispatch.
#define INTERFACE_PART(theClass, iid, localClass) {&(iid), AFX_INTERFACE_PART_##localClass},

#define END_INTERFACE_MAP()                                                                    \
            {nullptr, 0}                                                                       \
        };                                                                                     \
        static const AFX_INTERFACEMAP interfaceMap = {&TheBaseClass::GetThisInterfaceMap,     \
                                                      &_interfaceEntries[0]};                 \
        return &interfaceMap;                                                                  \
    }
