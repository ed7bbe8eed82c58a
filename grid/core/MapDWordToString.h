#pragma once
// A hashed map from 32-bit numbers to strings. Styles stored by version 5 of the grid library keep
// their user attributes in this form (attribute id to value text).

#include "framework/core/Archive.h"
#include "framework/core/CString.h"
#include "framework/core/Object.h"
#include "grid/core/GridCollections.h"
#include "grid/core/HashMapCore.h"

class CGXCollMapDWordToString : public CObject
{
    DECLARE_SERIAL(CGXCollMapDWordToString)

public:
    typedef GXHashMapCore<DWORD, CString, GXHashDWordShift4>::Assoc CAssoc;

    explicit CGXCollMapDWordToString(INT_PTR nBlockSize = 10);
    ~CGXCollMapDWordToString() override;

    INT_PTR GetCount() const { return m_map.GetCount(); }
    BOOL IsEmpty() const { return m_map.IsEmpty(); }
    // The association of a key and its bucket index, or NULL.
    CAssoc* Lookup(DWORD key, UINT& nHashBucket) const { return m_map.Find(key, nHashBucket); }
    BOOL Lookup(DWORD key, CString& rValue) const { return m_map.Lookup(key, rValue); }
    // A missing key is added with an empty value.
    CString& operator[](DWORD key) { return m_map[key]; }
    void SetAt(DWORD key, LPCTSTR pszValue);
    BOOL RemoveKey(DWORD key) { return m_map.RemoveKey(key); }
    void RemoveAll() { m_map.RemoveAll(); }
    POSITION GetStartPosition() const { return m_map.GetStartPosition(); }
    void GetNextAssoc(POSITION& rNextPosition, DWORD& rKey, CString& rValue) const
    {
        m_map.GetNextAssoc(rNextPosition, rKey, rValue);
    }

    // A 16-bit count, then per entry the key (32-bit) and the value in the string form.
    void Serialize(CArchive& ar) override;

private:
    GXHashMapCore<DWORD, CString, GXHashDWordShift4> m_map;
};
