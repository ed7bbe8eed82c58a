#pragma once
// Growable arrays indexed from 0: the CArray template and the framework's typed arrays.
// An index outside the array is a programming error: it asserts, then throws CNotSupportedException and
// leaves the array as it was (never a write or read outside the elements).
#include <windows.h>
#include <utility>
#include <vector>

#include "framework/core/CollectionBase.h"
#include "framework/core/CString.h"

template<class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public CObject
{
public:
    CArray() = default;
    ~CArray() override = default;

    INT_PTR GetSize() const { return INT_PTR(m_elements.size()); }
    INT_PTR GetCount() const { return INT_PTR(m_elements.size()); }
    BOOL IsEmpty() const { return m_elements.empty(); }
    INT_PTR GetUpperBound() const { return INT_PTR(m_elements.size()) - 1; }

    // New elements are value-initialised (0, NULL, empty string). Growth is geometric, so nGrowBy is
    // accepted for compatibility only.
    void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1)
    {
        (void)nGrowBy;
        if (nNewSize < 0)
            AfxThrowCollectionMisuse();
        AfxCollectionAllocate([&] { m_elements.resize(size_t(nNewSize)); });
    }
    void FreeExtra() { m_elements.shrink_to_fit(); }
    void RemoveAll() { std::vector<TYPE>().swap(m_elements); }

    const TYPE& GetAt(INT_PTR nIndex) const { return m_elements[Checked(nIndex)]; }
    TYPE& GetAt(INT_PTR nIndex) { return m_elements[Checked(nIndex)]; }
    void SetAt(INT_PTR nIndex, ARG_TYPE newElement) { m_elements[Checked(nIndex)] = newElement; }
    const TYPE& ElementAt(INT_PTR nIndex) const { return m_elements[Checked(nIndex)]; }
    TYPE& ElementAt(INT_PTR nIndex) { return m_elements[Checked(nIndex)]; }
    const TYPE& operator[](INT_PTR nIndex) const { return m_elements[Checked(nIndex)]; }
    TYPE& operator[](INT_PTR nIndex) { return m_elements[Checked(nIndex)]; }

    // Direct access to the elements; valid until the size changes. NULL when the array is empty.
    const TYPE* GetData() const { return m_elements.empty() ? nullptr : m_elements.data(); }
    TYPE* GetData() { return m_elements.empty() ? nullptr : m_elements.data(); }

    // Sets the element, growing the array (new elements value-initialised) when nIndex is past the end.
    void SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement)
    {
        if (nIndex < 0)
            AfxThrowCollectionMisuse();
        if (size_t(nIndex) >= m_elements.size()) {
            TYPE copy(newElement);  // newElement may refer into this array
            AfxCollectionAllocate([&] { m_elements.resize(size_t(nIndex) + 1); });
            m_elements[size_t(nIndex)] = std::move(copy);
        } else {
            m_elements[size_t(nIndex)] = newElement;
        }
    }

    INT_PTR Add(ARG_TYPE newElement)
    {
        AfxCollectionAllocate([&] { m_elements.push_back(TYPE(newElement)); });
        return INT_PTR(m_elements.size()) - 1;
    }

    // Appends a copy of src's elements (src may be this array); returns the index of the first one.
    INT_PTR Append(const CArray& src)
    {
        INT_PTR oldSize = GetSize();
        std::vector<TYPE> copy(src.m_elements);
        AfxCollectionAllocate([&] { m_elements.insert(m_elements.end(), copy.begin(), copy.end()); });
        return oldSize;
    }

    void Copy(const CArray& src)
    {
        if (&src != this)
            AfxCollectionAllocate([&] { m_elements = src.m_elements; });
    }

    // Inserts nCount copies of newElement before nIndex; an index past the end grows the array first.
    void InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount = 1)
    {
        if (nIndex < 0 || nCount < 0)
            AfxThrowCollectionMisuse();
        TYPE copy(newElement);  // newElement may refer into this array
        AfxCollectionAllocate([&] {
            if (size_t(nIndex) > m_elements.size())
                m_elements.resize(size_t(nIndex));
            m_elements.insert(m_elements.begin() + nIndex, size_t(nCount), copy);
        });
    }

    // Inserts a copy of every element of pNewArray (may be this array) before nStartIndex.
    void InsertAt(INT_PTR nStartIndex, const CArray* pNewArray)
    {
        if (nStartIndex < 0 || pNewArray == nullptr)
            AfxThrowCollectionMisuse();
        std::vector<TYPE> copy(pNewArray->m_elements);
        AfxCollectionAllocate([&] {
            if (size_t(nStartIndex) > m_elements.size())
                m_elements.resize(size_t(nStartIndex));
            m_elements.insert(m_elements.begin() + nStartIndex, copy.begin(), copy.end());
        });
    }

    // Removes nCount elements from nIndex on; the whole run must lie inside the array.
    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1)
    {
        if (nIndex < 0 || nCount < 0 || nCount > GetSize() - nIndex)
            AfxThrowCollectionMisuse();
        m_elements.erase(m_elements.begin() + nIndex, m_elements.begin() + nIndex + nCount);
    }

protected:
    size_t Checked(INT_PTR nIndex) const
    {
        if (nIndex < 0 || size_t(nIndex) >= m_elements.size())
            AfxThrowCollectionMisuse();
        return size_t(nIndex);
    }

    std::vector<TYPE> m_elements;
};

class CByteArray : public CArray<BYTE, BYTE>
{
    DECLARE_SERIAL(CByteArray)
public:
    void Serialize(CArchive& ar) override;
};

class CWordArray : public CArray<WORD, WORD>
{
    DECLARE_SERIAL(CWordArray)
public:
    void Serialize(CArchive& ar) override;
};

class CDWordArray : public CArray<DWORD, DWORD>
{
    DECLARE_SERIAL(CDWordArray)
public:
    void Serialize(CArchive& ar) override;
};

// UINT has no archive form of its own, so this array is not serializable.
class CUIntArray : public CArray<UINT, UINT>
{
    DECLARE_DYNAMIC(CUIntArray)
};

class CPtrArray : public CArray<void*, void*>
{
    DECLARE_DYNAMIC(CPtrArray)
};

// Holds CObject pointers without owning them; Serialize writes each through CArchive's object operators.
class CObArray : public CArray<CObject*, CObject*>
{
    DECLARE_SERIAL(CObArray)
public:
    void Serialize(CArchive& ar) override;
};

class CStringArray : public CArray<CString, const CString&>
{
    DECLARE_SERIAL(CStringArray)
public:
    void Serialize(CArchive& ar) override;
};
