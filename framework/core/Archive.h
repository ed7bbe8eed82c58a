#pragma once
// CArchive: a buffered, little-endian binary stream over a CFile that stores values,
// strings and whole objects with their run-time class.
//
// Object references (our own layout; writer and reader agree):
//   WORD 0x0000            null reference
//   WORD 0xFFFF            new class: WORD schema, WORD name length, name bytes; the
//                          object's own data follows
//   WORD 0x8000 | n        class already stored under index n; the object's data follows
//   WORD n (1..0x7FFE)     object already stored under index n
//   WORD 0x7FFF, DWORD x   the same with a 32-bit index (bit 31 set for a class)
// Classes and objects share one numbering from 1, in the order they first appear.
//
// Strings: BYTE length below 0xFF; else 0xFF and a WORD length below 0xFFFE; else 0xFF,
// 0xFFFF and a DWORD length. A WORD 0xFFFE after the first 0xFF marks 16-bit characters
// (read only; converted to the ANSI code page).
//
// Counts (WriteCount): WORD below 0xFFFF, else WORD 0xFFFF and a DWORD.

#include "framework/core/CString.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Object.h"

#include <cstring>
#include <vector>
#include <windows.h>

class CFile;
class CDocument;

class CArchive
{
public:
    enum Mode
    {
        store = 0,
        load = 1,
        bNoFlushOnDelete = 2
    };

    CArchive(CFile* pFile, UINT nMode, int nBufSize = 4096, void* lpBuf = NULL);
    ~CArchive();

    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    BOOL IsLoading() const { return (m_nMode & load) != 0; }
    BOOL IsStoring() const { return (m_nMode & load) == 0; }
    BOOL IsByteSwapping() const { return FALSE; }
    BOOL IsBufferEmpty() const { return m_lpBufCur == m_lpBufMax; }
    CFile* GetFile() const { return m_pFile; }

    // The schema stored with the object being loaded, for versionable classes; (UINT)-1
    // outside an object's Serialize during loading.
    UINT GetObjectSchema() const { return m_nObjectSchema; }
    void SetObjectSchema(UINT nSchema) { m_nObjectSchema = nSchema; }

    // Free for the application; the framework never reads it.
    CDocument* m_pDocument;

    // Bytes: Read returns fewer than asked only at the end of the file.
    UINT Read(void* lpBuf, UINT nMax);
    void Write(const void* lpBuf, UINT nMax);
    // Writes the buffer to the file (storing), or gives unread bytes back to the file (loading).
    void Flush();
    void Close();
    // Forgets the buffer without writing it and detaches from the file.
    void Abort();

    // Text lines: WriteString writes the text as it is; ReadString reads up to LF and drops CR LF.
    void WriteString(LPCTSTR lpsz);
    LPTSTR ReadString(LPTSTR lpsz, UINT nMax);
    BOOL ReadString(CString& rString);

    // Objects and classes.
    void WriteObject(const CObject* pOb);
    // How many objects may be in the middle of loading at once, each inside the one before. Every reader
    // that holds objects within objects recurses once per level; an archive nested deeper than any real
    // document would otherwise run the reader off the end of its stack. A deeper object throws
    // genericException before it is made.
    static constexpr UINT nMaxLoadNesting = 256;

    // Throws badClass when the object is not of pClassRefRequested (or derived).
    CObject* ReadObject(const CRuntimeClass* pClassRefRequested);
    // For a reader that owns what it reads (and deletes it with itself): a reference back to an
    // object read before, which its first reader owns, throws badIndex instead of giving the object a
    // second owner that would delete it again. Null stays null.
    CObject* ReadOwnedObject(const CRuntimeClass* pClassRefRequested);
    void WriteClass(const CRuntimeClass* pClassRef);
    // Storing objects that each live only while they are written (one scratch object refilled for
    // every element of a long list, say): WriteObject remembers every object it stores, so a later
    // one at the same address would go out as a reference back to the earlier. Objects stored
    // between BeginTemporaryObjects and ForgetTemporaryObjects are forgotten at the end; classes
    // stay, and the numbering goes on, so the bytes are those of distinct objects all alive at once.
    void BeginTemporaryObjects();
    void ForgetTemporaryObjects();
    CRuntimeClass* ReadClass(const CRuntimeClass* pClassRefRequested = NULL, UINT* pSchema = NULL, DWORD* pObTag = NULL);
    void SerializeClass(const CRuntimeClass* pClassRef);

    // Element counts of collections.
    void WriteCount(DWORD_PTR dwCount);
    DWORD_PTR ReadCount();

    CArchive& operator<<(BYTE by) { return WriteValue(by); }
    CArchive& operator<<(WORD w) { return WriteValue(w); }
    CArchive& operator<<(LONG l) { return WriteValue(l); }
    CArchive& operator<<(DWORD dw) { return WriteValue(dw); }
    CArchive& operator<<(int i) { return WriteValue(static_cast<LONG>(i)); }
    CArchive& operator<<(unsigned u) { return WriteValue(static_cast<DWORD>(u)); }
    CArchive& operator<<(short s) { return WriteValue(s); }
    CArchive& operator<<(char ch) { return WriteValue(ch); }
    CArchive& operator<<(bool b) { return WriteValue(static_cast<BYTE>(b ? 1 : 0)); }
    CArchive& operator<<(float f) { return WriteValue(f); }
    CArchive& operator<<(double d) { return WriteValue(d); }
    CArchive& operator<<(LONGLONG ll) { return WriteValue(ll); }
    CArchive& operator<<(ULONGLONG ull) { return WriteValue(ull); }
    // Catches "ar << text" and other stray pointers, which would otherwise store a bool.
    // Objects go through operator<<(CArchive&, const CObject*), strings through CString.
    CArchive& operator<<(const void*) = delete;

    CArchive& operator>>(BYTE& by) { return ReadValue(by); }
    CArchive& operator>>(WORD& w) { return ReadValue(w); }
    CArchive& operator>>(LONG& l) { return ReadValue(l); }
    CArchive& operator>>(DWORD& dw) { return ReadValue(dw); }
    CArchive& operator>>(int& i);
    CArchive& operator>>(unsigned& u);
    CArchive& operator>>(short& s) { return ReadValue(s); }
    CArchive& operator>>(char& ch) { return ReadValue(ch); }
    CArchive& operator>>(bool& b);
    CArchive& operator>>(float& f) { return ReadValue(f); }
    CArchive& operator>>(double& d) { return ReadValue(d); }
    CArchive& operator>>(LONGLONG& ll) { return ReadValue(ll); }
    CArchive& operator>>(ULONGLONG& ull) { return ReadValue(ull); }

private:
    template <class T>
    CArchive& WriteValue(T value)
    {
        // The target is little-endian, as the format is. A value that fits in the buffer with room to
        // spare goes straight in: large archives are millions of small values.
        if (IsStoring() && m_pFile != nullptr && static_cast<size_t>(m_lpBufMax - m_lpBufCur) > sizeof value)
        {
            std::memcpy(m_lpBufCur, &value, sizeof value);
            m_lpBufCur += sizeof value;
        }
        else
            Write(&value, sizeof value);
        return *this;
    }

    template <class T>
    CArchive& ReadValue(T& value)
    {
        ReadExactly(&value, sizeof value);
        return *this;
    }

    void ReadExactly(void* lpBuf, UINT nCount);
    void FlushBuffer();
    void CheckStoring() const;
    void CheckLoading() const;
    [[noreturn]] void ThrowArchive(int cause) const;
    void WriteTag(DWORD index, bool isClass);
    void RegisterStoredItem(const void* pItem);
    size_t StoredHome(const void* pItem) const;
    void RemoveStoredItem(const void* pItem);
    CObject* ReadObjectOrReference(const CRuntimeClass* pClassRefRequested, bool bOwned);

    struct LoadedItem
    {
        CObject* object;          // set for an object
        CRuntimeClass* pClass;    // set for a class
        UINT schema;              // stored schema of a class
    };
    // Gives a loaded class or object the next index, as RegisterStoredItem does when storing.
    void RegisterLoadedItem(const LoadedItem& item);

    CFile* m_pFile;
    UINT m_nMode;
    UINT m_nObjectSchema;
    UINT m_nLoadNesting = 0;    // objects whose Serialize is loading them now
    BYTE* m_lpBufStart;
    BYTE* m_lpBufCur;
    BYTE* m_lpBufMax;
    UINT m_nBufSize;
    BOOL m_bUserBuf;

    // Storing: object or class -> index, in an open-addressed table whose size is a power of two (a
    // slot with a NULL key is free). A large archive registers hundreds of thousands of objects: one
    // allocation per entry would cost more than writing them.
    struct StoredItem
    {
        const void* pItem;
        DWORD index;
    };
    // The index of a registered object or class, 0 when it is not registered.
    DWORD FindStoredItem(const void* pItem) const;
    size_t StoredSlot(const void* pItem) const;
    std::vector<StoredItem> m_storedItems;
    DWORD m_nStoredItems = 0;
    bool m_bTemporaryObjects = false;
    std::vector<const void*> m_temporaryObjects;            // stored since BeginTemporaryObjects
    std::vector<LoadedItem> m_loadedItems;                  // loading: index - 1 -> item
};

CArchive& operator<<(CArchive& ar, const CString& string);
CArchive& operator>>(CArchive& ar, CString& string);

CArchive& operator<<(CArchive& ar, const CObject* pOb);
CArchive& operator>>(CArchive& ar, CObject*& pOb);
CArchive& operator>>(CArchive& ar, const CObject*& pOb);
