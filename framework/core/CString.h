// CString: an 8-bit string whose copies share one reference-counted buffer until one of them is written.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <cstdarg>

struct CStringData {
    long nRefs;         // -1: locked by LockBuffer (never shared)
    int nDataLength;    // characters, without the terminator
    int nAllocLength;   // room for characters, without the terminator
    TCHAR* data() { return reinterpret_cast<TCHAR*>(this + 1); }
};

class CString {
public:
    CString();
    CString(const CString& other);
    CString(CString&& other) noexcept;
    // A pointer whose value is a resource id (MAKEINTRESOURCE) loads that string from the string table.
    CString(LPCTSTR text);
    CString(LPCTSTR text, int length);
    CString(const unsigned char* text);
    CString(LPCWSTR text);
    CString(TCHAR ch, int repeat = 1);
    ~CString();

    CString& operator=(const CString& other);
    CString& operator=(CString&& other) noexcept;
    CString& operator=(LPCTSTR text);
    CString& operator=(const unsigned char* text);
    CString& operator=(LPCWSTR text);
    CString& operator=(TCHAR ch);

    CString& operator+=(const CString& other);
    CString& operator+=(LPCTSTR text);
    CString& operator+=(TCHAR ch);

    friend CString operator+(const CString& a, const CString& b);
    friend CString operator+(const CString& a, LPCTSTR b);
    friend CString operator+(LPCTSTR a, const CString& b);
    friend CString operator+(const CString& a, TCHAR b);
    friend CString operator+(TCHAR a, const CString& b);

    operator LPCTSTR() const { return m_pchData; }
    LPCTSTR GetString() const { return m_pchData; }

    int GetLength() const { return GetData()->nDataLength; }
    BOOL IsEmpty() const { return GetData()->nDataLength == 0; }
    void Empty();

    TCHAR GetAt(int index) const;
    TCHAR operator[](int index) const { return GetAt(index); }
    void SetAt(int index, TCHAR ch);

    // strcmp order; CompareNoCase ignores ASCII case; Collate follows the runtime's locale.
    int Compare(LPCTSTR text) const;
    int CompareNoCase(LPCTSTR text) const;
    int Collate(LPCTSTR text) const;
    int CollateNoCase(LPCTSTR text) const;

    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Left(int count) const;
    CString Right(int count) const;
    CString SpanIncluding(LPCTSTR charSet) const;
    CString SpanExcluding(LPCTSTR charSet) const;

    // -1 when not found, or when start lies beyond the end.
    int Find(TCHAR ch, int start = 0) const;
    int Find(LPCTSTR sub, int start = 0) const;
    int ReverseFind(TCHAR ch) const;
    int FindOneOf(LPCTSTR charSet) const;

    // Insert and Delete return the new length; Replace and Remove the number of replacements or removals.
    int Insert(int index, TCHAR ch);
    int Insert(int index, LPCTSTR text);
    int Delete(int index, int count = 1);
    int Replace(TCHAR oldCh, TCHAR newCh);
    int Replace(LPCTSTR oldText, LPCTSTR newText);
    int Remove(TCHAR ch);

    CString& MakeUpper();
    CString& MakeLower();
    CString& MakeReverse();

    // Without argument: white space.
    CString& TrimLeft();
    CString& TrimLeft(TCHAR ch);
    CString& TrimLeft(LPCTSTR charSet);
    CString& TrimRight();
    CString& TrimRight(TCHAR ch);
    CString& TrimRight(LPCTSTR charSet);
    CString& Trim();
    CString& Trim(TCHAR ch);
    CString& Trim(LPCTSTR charSet);

    // printf semantics; floating point is written as the Microsoft runtime writes it (NumberText).
    void Format(LPCTSTR format, ...) __attribute__((format(gnu_printf, 2, 3)));
    void Format(UINT formatId, ...);
    void FormatV(LPCTSTR format, va_list args);
    void AppendFormat(LPCTSTR format, ...) __attribute__((format(gnu_printf, 2, 3)));
    // FormatMessage inserts (%1, %2!d! ...) through the system's FormatMessage.
    void FormatMessage(LPCTSTR format, ...);
    void FormatMessage(UINT formatId, ...);

    // Loads the string from the string table of the resource module; FALSE (and empty) when absent.
    BOOL LoadString(UINT id);

    LPTSTR GetBuffer(int minBufferLength);
    void ReleaseBuffer(int newLength = -1);
    LPTSTR GetBufferSetLength(int newLength);
    void FreeExtra();
    LPTSTR LockBuffer();
    void UnlockBuffer();

    BSTR AllocSysString() const;
    BSTR SetSysString(BSTR* target) const;

private:
    CStringData* GetData() const { return reinterpret_cast<CStringData*>(m_pchData) - 1; }
    void Init();
    void AllocBuffer(int length);
    void Release();
    // Moves the text into a new buffer of its own with room for `room` characters (at least the text's length).
    void Reallocate(int room);
    void AssignCopy(int length, LPCTSTR text);
    void ConcatInPlace(int length, LPCTSTR text);
    void CopyBeforeWrite();
    void AllocBeforeWrite(int length);

    LPTSTR m_pchData;
};

bool operator==(const CString& a, const CString& b);
bool operator==(const CString& a, LPCTSTR b);
bool operator==(LPCTSTR a, const CString& b);
bool operator!=(const CString& a, const CString& b);
bool operator!=(const CString& a, LPCTSTR b);
bool operator!=(LPCTSTR a, const CString& b);
bool operator<(const CString& a, const CString& b);
bool operator<(const CString& a, LPCTSTR b);
bool operator<(LPCTSTR a, const CString& b);
bool operator>(const CString& a, const CString& b);
bool operator>(const CString& a, LPCTSTR b);
bool operator>(LPCTSTR a, const CString& b);
bool operator<=(const CString& a, const CString& b);
bool operator<=(const CString& a, LPCTSTR b);
bool operator<=(LPCTSTR a, const CString& b);
bool operator>=(const CString& a, const CString& b);
bool operator>=(const CString& a, LPCTSTR b);
bool operator>=(LPCTSTR a, const CString& b);

// The module whose string table LoadString reads (the resource module of the application).
HINSTANCE AfxStringResourceHandle();
