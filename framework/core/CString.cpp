#include "framework/core/CString.h"

#include "framework/core/NumberText.h"
#include "framework/win/WinApp.h"

#include <cctype>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

namespace {

// Every empty string points at this one; it is never freed and never written (nRefs -1 keeps it unshared).
struct NilString {
    CStringData header{-1, 0, 0};
    TCHAR text[1]{};
};
NilString g_nil;

LPTSTR NilData() { return g_nil.text; }
bool IsNil(const CStringData* data) { return data == &g_nil.header; }

int SafeLength(LPCTSTR text) { return text ? static_cast<int>(std::strlen(text)) : 0; }

bool IsSpace(TCHAR ch) { return std::isspace(static_cast<unsigned char>(ch)) != 0; }

} // namespace

// Strings come from the module the program chose for its resources, as every other resource does.
HINSTANCE AfxStringResourceHandle()
{
    return AfxGetResourceHandle();
}

// ---- storage ----

void CString::Init()
{
    m_pchData = NilData();
}

void CString::AllocBuffer(int length)
{
    if (length <= 0) {
        Init();
        return;
    }
    void* block = std::malloc(sizeof(CStringData) + static_cast<std::size_t>(length) + 1);
    if (!block)
        throw std::bad_alloc();
    CStringData* data = static_cast<CStringData*>(block);
    data->nRefs = 1;
    data->nDataLength = length;
    data->nAllocLength = length;
    data->data()[length] = '\0';
    m_pchData = data->data();
}

void CString::Release()
{
    CStringData* data = GetData();
    if (!IsNil(data)) {
        if (data->nRefs < 0 || InterlockedDecrement(&data->nRefs) <= 0)
            std::free(data);
    }
    Init();
}

void CString::CopyBeforeWrite()
{
    CStringData* data = GetData();
    if (data->nRefs > 1) {
        Release();
        AllocBuffer(data->nDataLength);
        std::memcpy(m_pchData, data->data(), static_cast<std::size_t>(data->nDataLength) + 1);
        // The released reference did not free the block: another copy still holds it.
    }
}

void CString::AllocBeforeWrite(int length)
{
    CStringData* data = GetData();
    if (IsNil(data) || data->nRefs > 1 || length > data->nAllocLength) {
        Release();
        AllocBuffer(length);
    }
}

void CString::AssignCopy(int length, LPCTSTR text)
{
    if (length <= 0) {
        Empty();
        return;
    }
    // The text may point into this string's own buffer: copy it out first.
    std::string copy(text, static_cast<std::size_t>(length));
    AllocBeforeWrite(length);
    std::memcpy(m_pchData, copy.data(), static_cast<std::size_t>(length));
    GetData()->nDataLength = length;
    m_pchData[length] = '\0';
}

void CString::Reallocate(int room)
{
    const std::string keep(m_pchData, static_cast<std::size_t>(GetLength()));
    Release();
    AllocBuffer(room);
    if (room > 0) {
        std::memcpy(m_pchData, keep.data(), keep.size());
        GetData()->nDataLength = static_cast<int>(keep.size());
        m_pchData[keep.size()] = '\0';
    }
}

void CString::ConcatInPlace(int length, LPCTSTR text)
{
    if (length <= 0)
        return;
    CStringData* data = GetData();
    const int oldLength = data->nDataLength;
    if (data->nRefs > 1 || IsNil(data) || oldLength + length > data->nAllocLength) {
        // Grow geometrically so repeated appends stay linear.
        int room = oldLength + length;
        if (!IsNil(data) && data->nRefs == 1)
            room += room / 2;
        // The text may point into the buffer about to be replaced: copy it out first.
        const std::string appended(text, static_cast<std::size_t>(length));
        Reallocate(room);
        std::memcpy(m_pchData + oldLength, appended.data(), appended.size());
    } else {
        std::memmove(m_pchData + oldLength, text, static_cast<std::size_t>(length));
    }
    GetData()->nDataLength = oldLength + length;
    m_pchData[oldLength + length] = '\0';
}

// ---- construction ----

CString::CString() { Init(); }

CString::CString(const CString& other)
{
    CStringData* data = other.GetData();
    if (data->nRefs >= 0 && !IsNil(data)) {
        InterlockedIncrement(&data->nRefs);
        m_pchData = other.m_pchData;
    } else {
        Init();
        AssignCopy(data->nDataLength, other.m_pchData);
    }
}

CString::CString(CString&& other) noexcept : m_pchData(other.m_pchData) { other.Init(); }

CString::CString(LPCTSTR text)
{
    Init();
    if (text && IS_INTRESOURCE(text))
        LoadString(static_cast<UINT>(reinterpret_cast<ULONG_PTR>(text)));
    else
        AssignCopy(SafeLength(text), text);
}

CString::CString(LPCTSTR text, int length)
{
    Init();
    if (text && length > 0)
        AssignCopy(length, text);
}

CString::CString(const unsigned char* text) : CString(reinterpret_cast<LPCTSTR>(text)) {}

CString::CString(LPCWSTR text)
{
    Init();
    *this = text;
}

CString::CString(TCHAR ch, int repeat)
{
    Init();
    if (repeat > 0) {
        AllocBuffer(repeat);
        std::memset(m_pchData, ch, static_cast<std::size_t>(repeat));
    }
}

CString::~CString() { Release(); }

CString& CString::operator=(const CString& other)
{
    if (m_pchData == other.m_pchData)
        return *this;
    CStringData* source = other.GetData();
    CStringData* own = GetData();
    const bool ownLocked = own->nRefs < 0 && !IsNil(own);
    if (source->nRefs >= 0 && !IsNil(source) && !ownLocked) {
        InterlockedIncrement(&source->nRefs);
        Release();
        m_pchData = other.m_pchData;
    } else {
        AssignCopy(source->nDataLength, other.m_pchData);
    }
    return *this;
}

CString& CString::operator=(CString&& other) noexcept
{
    if (this != &other) {
        Release();
        m_pchData = other.m_pchData;
        other.Init();
    }
    return *this;
}

CString& CString::operator=(LPCTSTR text)
{
    AssignCopy(SafeLength(text), text);
    return *this;
}

CString& CString::operator=(const unsigned char* text)
{
    return *this = reinterpret_cast<LPCTSTR>(text);
}

CString& CString::operator=(LPCWSTR text)
{
    const int wideLength = text ? static_cast<int>(wcslen(text)) : 0;
    if (wideLength == 0) {
        Empty();
        return *this;
    }
    const int bytes = WideCharToMultiByte(CP_ACP, 0, text, wideLength, nullptr, 0, nullptr, nullptr);
    std::string converted(static_cast<std::size_t>(bytes > 0 ? bytes : 0), '\0');
    if (bytes > 0)
        WideCharToMultiByte(CP_ACP, 0, text, wideLength, converted.data(), bytes, nullptr, nullptr);
    AssignCopy(static_cast<int>(converted.size()), converted.data());
    return *this;
}

CString& CString::operator=(TCHAR ch)
{
    AssignCopy(1, &ch);
    return *this;
}

// ---- concatenation ----

CString& CString::operator+=(const CString& other)
{
    if (IsEmpty() && other.GetData()->nRefs >= 0)
        return *this = other;
    const CString keep(other);  // other may be *this
    ConcatInPlace(keep.GetLength(), keep.m_pchData);
    return *this;
}

CString& CString::operator+=(LPCTSTR text)
{
    ConcatInPlace(SafeLength(text), text);
    return *this;
}

CString& CString::operator+=(TCHAR ch)
{
    ConcatInPlace(1, &ch);
    return *this;
}

namespace {
CString Join(LPCTSTR a, int lengthA, LPCTSTR b, int lengthB)
{
    CString result;
    LPTSTR buffer = result.GetBuffer(lengthA + lengthB);
    if (lengthA > 0)
        std::memcpy(buffer, a, static_cast<std::size_t>(lengthA));
    if (lengthB > 0)
        std::memcpy(buffer + lengthA, b, static_cast<std::size_t>(lengthB));
    result.ReleaseBuffer(lengthA + lengthB);
    return result;
}
} // namespace

CString operator+(const CString& a, const CString& b) { return Join(a, a.GetLength(), b, b.GetLength()); }
CString operator+(const CString& a, LPCTSTR b) { return Join(a, a.GetLength(), b, SafeLength(b)); }
CString operator+(LPCTSTR a, const CString& b) { return Join(a, SafeLength(a), b, b.GetLength()); }
CString operator+(const CString& a, TCHAR b) { return Join(a, a.GetLength(), &b, 1); }
CString operator+(TCHAR a, const CString& b) { return Join(&a, 1, b, b.GetLength()); }

// ---- access ----

void CString::Empty()
{
    CStringData* data = GetData();
    if (data->nRefs < 0 && !IsNil(data)) {
        // A locked buffer stays locked and allocated.
        data->nDataLength = 0;
        m_pchData[0] = '\0';
        return;
    }
    Release();
}

TCHAR CString::GetAt(int index) const
{
    if (index < 0 || index >= GetLength())
        return '\0';
    return m_pchData[index];
}

void CString::SetAt(int index, TCHAR ch)
{
    if (index < 0 || index >= GetLength())
        return;
    CopyBeforeWrite();
    m_pchData[index] = ch;
}

int CString::Compare(LPCTSTR text) const { return std::strcmp(m_pchData, text ? text : ""); }
int CString::CompareNoCase(LPCTSTR text) const { return _stricmp(m_pchData, text ? text : ""); }
int CString::Collate(LPCTSTR text) const { return std::strcoll(m_pchData, text ? text : ""); }
int CString::CollateNoCase(LPCTSTR text) const { return _stricoll(m_pchData, text ? text : ""); }

// ---- extraction ----

CString CString::Mid(int first) const { return Mid(first, GetLength() - first); }

CString CString::Mid(int first, int count) const
{
    const int length = GetLength();
    if (first < 0)
        first = 0;
    if (count < 0)
        count = 0;
    if (first > length)
        first = length;
    if (count > length - first)
        count = length - first;
    if (first == 0 && count == length)
        return *this;
    return CString(m_pchData + first, count);
}

CString CString::Left(int count) const
{
    if (count < 0)
        count = 0;
    if (count >= GetLength())
        return *this;
    return CString(m_pchData, count);
}

CString CString::Right(int count) const
{
    const int length = GetLength();
    if (count < 0)
        count = 0;
    if (count >= length)
        return *this;
    return CString(m_pchData + length - count, count);
}

CString CString::SpanIncluding(LPCTSTR charSet) const
{
    return Left(static_cast<int>(std::strspn(m_pchData, charSet ? charSet : "")));
}

CString CString::SpanExcluding(LPCTSTR charSet) const
{
    return Left(static_cast<int>(std::strcspn(m_pchData, charSet ? charSet : "")));
}

// ---- searching ----

int CString::Find(TCHAR ch, int start) const
{
    if (start < 0)
        start = 0;
    const int length = GetLength();
    if (start >= length)
        return -1;
    const void* hit = std::memchr(m_pchData + start, ch, static_cast<std::size_t>(length - start));
    return hit ? static_cast<int>(static_cast<const TCHAR*>(hit) - m_pchData) : -1;
}

int CString::Find(LPCTSTR sub, int start) const
{
    if (!sub)
        return -1;
    if (start < 0)
        start = 0;
    if (start > GetLength())
        return -1;
    const TCHAR* hit = std::strstr(m_pchData + start, sub);
    return hit ? static_cast<int>(hit - m_pchData) : -1;
}

int CString::ReverseFind(TCHAR ch) const
{
    const TCHAR* hit = std::strrchr(m_pchData, ch);
    return hit ? static_cast<int>(hit - m_pchData) : -1;
}

int CString::FindOneOf(LPCTSTR charSet) const
{
    if (!charSet)
        return -1;
    const TCHAR* hit = std::strpbrk(m_pchData, charSet);
    return hit ? static_cast<int>(hit - m_pchData) : -1;
}

// ---- editing ----

int CString::Insert(int index, TCHAR ch)
{
    return Insert(index, CString(ch, 1));
}

int CString::Insert(int index, LPCTSTR text)
{
    const int insertLength = SafeLength(text);
    const int length = GetLength();
    if (insertLength == 0)
        return length;
    if (index < 0)
        index = 0;
    if (index > length)
        index = length;
    std::string result(m_pchData, static_cast<std::size_t>(length));
    result.insert(static_cast<std::size_t>(index), text, static_cast<std::size_t>(insertLength));
    AssignCopy(static_cast<int>(result.size()), result.data());
    return GetLength();
}

int CString::Delete(int index, int count)
{
    const int length = GetLength();
    if (index < 0)
        index = 0;
    if (count > 0 && index < length) {
        if (count > length - index)
            count = length - index;
        CopyBeforeWrite();
        std::memmove(m_pchData + index, m_pchData + index + count,
                     static_cast<std::size_t>(length - index - count) + 1);
        GetData()->nDataLength = length - count;
    }
    return GetLength();
}

int CString::Replace(TCHAR oldCh, TCHAR newCh)
{
    if (oldCh == newCh)
        return 0;
    int replaced = 0;
    const int length = GetLength();
    for (int i = 0; i < length; ++i) {
        if (m_pchData[i] == oldCh) {
            if (replaced++ == 0)
                CopyBeforeWrite();
            m_pchData[i] = newCh;
        }
    }
    return replaced;
}

int CString::Replace(LPCTSTR oldText, LPCTSTR newText)
{
    const int oldLength = SafeLength(oldText);
    if (oldLength == 0)
        return 0;
    const int newLength = SafeLength(newText);
    std::string result;
    int replaced = 0;
    const TCHAR* scan = m_pchData;
    const TCHAR* end = m_pchData + GetLength();
    while (scan < end) {
        const TCHAR* hit = std::strstr(scan, oldText);
        if (!hit) {
            result.append(scan, end);
            break;
        }
        result.append(scan, hit);
        result.append(newText ? newText : "", static_cast<std::size_t>(newLength));
        scan = hit + oldLength;
        ++replaced;
    }
    if (replaced > 0)
        AssignCopy(static_cast<int>(result.size()), result.data());
    return replaced;
}

int CString::Remove(TCHAR ch)
{
    const int length = GetLength();
    if (!std::memchr(m_pchData, ch, static_cast<std::size_t>(length)))
        return 0;
    CopyBeforeWrite();
    int kept = 0;
    for (int i = 0; i < length; ++i) {
        if (m_pchData[i] != ch)
            m_pchData[kept++] = m_pchData[i];
    }
    m_pchData[kept] = '\0';
    GetData()->nDataLength = kept;
    return length - kept;
}

CString& CString::MakeUpper()
{
    if (!IsEmpty()) {
        CopyBeforeWrite();
        for (int i = 0; i < GetLength(); ++i)
            m_pchData[i] = static_cast<TCHAR>(std::toupper(static_cast<unsigned char>(m_pchData[i])));
    }
    return *this;
}

CString& CString::MakeLower()
{
    if (!IsEmpty()) {
        CopyBeforeWrite();
        for (int i = 0; i < GetLength(); ++i)
            m_pchData[i] = static_cast<TCHAR>(std::tolower(static_cast<unsigned char>(m_pchData[i])));
    }
    return *this;
}

CString& CString::MakeReverse()
{
    const int length = GetLength();
    if (length > 1) {
        CopyBeforeWrite();
        for (int i = 0, j = length - 1; i < j; ++i, --j) {
            const TCHAR swap = m_pchData[i];
            m_pchData[i] = m_pchData[j];
            m_pchData[j] = swap;
        }
    }
    return *this;
}

namespace {
template <typename Keep>
int LeadingCount(LPCTSTR text, int length, Keep isTrimmed)
{
    int count = 0;
    while (count < length && isTrimmed(text[count]))
        ++count;
    return count;
}

template <typename Keep>
int TrailingCount(LPCTSTR text, int length, Keep isTrimmed)
{
    int count = 0;
    while (count < length && isTrimmed(text[length - 1 - count]))
        ++count;
    return count;
}
} // namespace

CString& CString::TrimLeft()
{
    const int count = LeadingCount(m_pchData, GetLength(), IsSpace);
    if (count > 0)
        Delete(0, count);
    return *this;
}

CString& CString::TrimLeft(TCHAR ch)
{
    const int count = LeadingCount(m_pchData, GetLength(), [ch](TCHAR c) { return c == ch; });
    if (count > 0)
        Delete(0, count);
    return *this;
}

CString& CString::TrimLeft(LPCTSTR charSet)
{
    if (!charSet || !*charSet)
        return *this;
    const int count = LeadingCount(m_pchData, GetLength(), [charSet](TCHAR c) { return c && std::strchr(charSet, c); });
    if (count > 0)
        Delete(0, count);
    return *this;
}

CString& CString::TrimRight()
{
    const int count = TrailingCount(m_pchData, GetLength(), IsSpace);
    if (count > 0)
        Delete(GetLength() - count, count);
    return *this;
}

CString& CString::TrimRight(TCHAR ch)
{
    const int count = TrailingCount(m_pchData, GetLength(), [ch](TCHAR c) { return c == ch; });
    if (count > 0)
        Delete(GetLength() - count, count);
    return *this;
}

CString& CString::TrimRight(LPCTSTR charSet)
{
    if (!charSet || !*charSet)
        return *this;
    const int count = TrailingCount(m_pchData, GetLength(), [charSet](TCHAR c) { return c && std::strchr(charSet, c); });
    if (count > 0)
        Delete(GetLength() - count, count);
    return *this;
}

CString& CString::Trim() { return TrimRight().TrimLeft(); }
CString& CString::Trim(TCHAR ch) { return TrimRight(ch).TrimLeft(ch); }
CString& CString::Trim(LPCTSTR charSet) { return TrimRight(charSet).TrimLeft(charSet); }

// ---- formatting ----

void CString::FormatV(LPCTSTR format, va_list args)
{
    const std::string text = NumberText::FormatV(format, args);
    AssignCopy(static_cast<int>(text.size()), text.data());
}

void CString::Format(LPCTSTR format, ...)
{
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

void CString::Format(UINT formatId, ...)
{
    CString format;
    format.LoadString(formatId);
    va_list args;
    va_start(args, formatId);
    FormatV(format, args);
    va_end(args);
}

void CString::AppendFormat(LPCTSTR format, ...)
{
    va_list args;
    va_start(args, format);
    const std::string text = NumberText::FormatV(format, args);
    va_end(args);
    ConcatInPlace(static_cast<int>(text.size()), text.data());
}

namespace {
CString FormatMessageText(LPCTSTR format, va_list* args)
{
    CString result;
    LPSTR buffer = nullptr;
    const DWORD length = ::FormatMessageA(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ALLOCATE_BUFFER, format, 0, 0,
                                          reinterpret_cast<LPSTR>(&buffer), 0, args);
    if (length > 0 && buffer)
        result = CString(buffer, static_cast<int>(length));
    if (buffer)
        LocalFree(buffer);
    return result;
}
} // namespace

void CString::FormatMessage(LPCTSTR format, ...)
{
    va_list args;
    va_start(args, format);
    *this = FormatMessageText(format, &args);
    va_end(args);
}

void CString::FormatMessage(UINT formatId, ...)
{
    CString format;
    format.LoadString(formatId);
    va_list args;
    va_start(args, formatId);
    *this = FormatMessageText(format, &args);
    va_end(args);
}

// ---- resources ----

BOOL CString::LoadString(UINT id)
{
    // LoadStringA truncates silently: grow until the text fits with room to spare.
    HINSTANCE module = AfxStringResourceHandle();
    for (int size = 256; size <= 65536 * 2; size *= 2) {
        std::string buffer(static_cast<std::size_t>(size), '\0');
        const int length = ::LoadStringA(module, id, buffer.data(), size);
        if (length <= 0) {
            Empty();
            return FALSE;
        }
        if (length < size - 1) {
            AssignCopy(length, buffer.data());
            return TRUE;
        }
    }
    Empty();
    return FALSE;
}

// ---- raw buffer ----

LPTSTR CString::GetBuffer(int minBufferLength)
{
    CStringData* data = GetData();
    if (minBufferLength < 0)
        minBufferLength = 0;
    if (data->nRefs > 1 || minBufferLength > data->nAllocLength)
        Reallocate(minBufferLength > data->nDataLength ? minBufferLength : data->nDataLength);
    return m_pchData;
}

void CString::ReleaseBuffer(int newLength)
{
    CopyBeforeWrite();
    CStringData* data = GetData();
    if (IsNil(data))
        return;
    if (newLength < 0)
        newLength = static_cast<int>(strnlen(m_pchData, static_cast<std::size_t>(data->nAllocLength)));
    if (newLength > data->nAllocLength)
        newLength = data->nAllocLength;
    data->nDataLength = newLength;
    m_pchData[newLength] = '\0';
}

LPTSTR CString::GetBufferSetLength(int newLength)
{
    if (newLength < 0)
        newLength = 0;
    GetBuffer(newLength);
    if (!IsNil(GetData())) {
        GetData()->nDataLength = newLength;
        m_pchData[newLength] = '\0';
    }
    return m_pchData;
}

void CString::FreeExtra()
{
    CStringData* data = GetData();
    // A locked buffer keeps its address.
    if (IsNil(data) || data->nRefs < 0 || data->nDataLength == data->nAllocLength)
        return;
    Reallocate(data->nDataLength);
}

LPTSTR CString::LockBuffer()
{
    LPTSTR buffer = GetBuffer(0);
    if (IsNil(GetData())) {
        // Even an empty string gets its own buffer, so the lock has something to hold.
        AllocBuffer(1);
        GetData()->nDataLength = 0;
        m_pchData[0] = '\0';
        buffer = m_pchData;
    }
    GetData()->nRefs = -1;
    return buffer;
}

void CString::UnlockBuffer()
{
    CStringData* data = GetData();
    if (!IsNil(data) && data->nRefs < 0)
        data->nRefs = 1;
}

// ---- BSTR ----

BSTR CString::AllocSysString() const
{
    const int length = GetLength();
    const int wideLength = length > 0 ? MultiByteToWideChar(CP_ACP, 0, m_pchData, length, nullptr, 0) : 0;
    BSTR result = SysAllocStringLen(nullptr, static_cast<UINT>(wideLength));
    if (result && wideLength > 0)
        MultiByteToWideChar(CP_ACP, 0, m_pchData, length, result, wideLength);
    return result;
}

BSTR CString::SetSysString(BSTR* target) const
{
    BSTR fresh = AllocSysString();
    if (target) {
        SysFreeString(*target);
        *target = fresh;
    }
    return fresh;
}

// ---- comparison ----

bool operator==(const CString& a, const CString& b)
{
    return a.GetLength() == b.GetLength() && a.Compare(b) == 0;
}
bool operator==(const CString& a, LPCTSTR b) { return a.Compare(b) == 0; }
bool operator==(LPCTSTR a, const CString& b) { return b.Compare(a) == 0; }
bool operator!=(const CString& a, const CString& b) { return !(a == b); }
bool operator!=(const CString& a, LPCTSTR b) { return a.Compare(b) != 0; }
bool operator!=(LPCTSTR a, const CString& b) { return b.Compare(a) != 0; }
bool operator<(const CString& a, const CString& b) { return a.Compare(b) < 0; }
bool operator<(const CString& a, LPCTSTR b) { return a.Compare(b) < 0; }
bool operator<(LPCTSTR a, const CString& b) { return b.Compare(a) > 0; }
bool operator>(const CString& a, const CString& b) { return a.Compare(b) > 0; }
bool operator>(const CString& a, LPCTSTR b) { return a.Compare(b) > 0; }
bool operator>(LPCTSTR a, const CString& b) { return b.Compare(a) < 0; }
bool operator<=(const CString& a, const CString& b) { return a.Compare(b) <= 0; }
bool operator<=(const CString& a, LPCTSTR b) { return a.Compare(b) <= 0; }
bool operator<=(LPCTSTR a, const CString& b) { return b.Compare(a) >= 0; }
bool operator>=(const CString& a, const CString& b) { return a.Compare(b) >= 0; }
bool operator>=(const CString& a, LPCTSTR b) { return a.Compare(b) >= 0; }
bool operator>=(LPCTSTR a, const CString& b) { return b.Compare(a) <= 0; }
