#include "framework/core/Archive.h"

#include "framework/core/File.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace
{
constexpr WORD kNullTag = 0x0000;
constexpr WORD kNewClassTag = 0xFFFF;
constexpr WORD kClassTag = 0x8000;
constexpr WORD kBigObjectTag = 0x7FFF;
constexpr DWORD kBigClassTag = 0x80000000;
constexpr DWORD kMaxIndex = 0x7FFFFFFE;

constexpr UINT kMinBufferSize = 128;
// Long strings are read in steps, so a damaged length runs into the end of the file
// before it can ask for gigabytes.
constexpr size_t kStringReadStep = 64 * 1024;
}

CArchive::CArchive(CFile* pFile, UINT nMode, int nBufSize, void* lpBuf)
    : m_pDocument(nullptr), m_pFile(pFile), m_nMode(nMode), m_nObjectSchema(static_cast<UINT>(-1)),
      m_lpBufStart(nullptr), m_lpBufCur(nullptr), m_lpBufMax(nullptr), m_nBufSize(0), m_bUserBuf(FALSE)
{
    if (lpBuf != nullptr && nBufSize > 0)
    {
        m_lpBufStart = static_cast<BYTE*>(lpBuf);
        m_nBufSize = static_cast<UINT>(nBufSize);
        m_bUserBuf = TRUE;
    }
    else
    {
        m_nBufSize = std::max<UINT>(nBufSize > 0 ? static_cast<UINT>(nBufSize) : 0, kMinBufferSize);
        m_lpBufStart = new BYTE[m_nBufSize];
    }
    m_lpBufCur = m_lpBufStart;
    // Loading starts with an empty buffer; storing with an empty one that can take m_nBufSize bytes.
    m_lpBufMax = IsLoading() ? m_lpBufStart : m_lpBufStart + m_nBufSize;
}

CArchive::~CArchive()
{
    if (m_pFile != nullptr && !(m_nMode & bNoFlushOnDelete))
    {
        // A destructor cannot report; callers that need to know call Close().
        try
        {
            Close();
        }
        catch (CException* e)
        {
            e->Delete();
        }
    }
    if (!m_bUserBuf)
        delete[] m_lpBufStart;
}

void CArchive::ThrowArchive(int cause) const
{
    const CString fileName = m_pFile != nullptr ? m_pFile->GetFilePath() : CString();
    AfxThrowArchiveException(cause, fileName.IsEmpty() ? nullptr : static_cast<LPCTSTR>(fileName));
}

void CArchive::CheckStoring() const
{
    if (m_pFile == nullptr)
        ThrowArchive(CArchiveException::genericException);
    if (IsLoading())
        ThrowArchive(CArchiveException::readOnly);
}

void CArchive::CheckLoading() const
{
    if (m_pFile == nullptr)
        ThrowArchive(CArchiveException::genericException);
    if (IsStoring())
        ThrowArchive(CArchiveException::writeOnly);
}

// --- bytes ------------------------------------------------------------------------------

void CArchive::FlushBuffer()
{
    const UINT pending = static_cast<UINT>(m_lpBufCur - m_lpBufStart);
    m_lpBufCur = m_lpBufStart;
    if (pending > 0)
        m_pFile->Write(m_lpBufStart, pending);
}

void CArchive::Write(const void* lpBuf, UINT nMax)
{
    CheckStoring();
    const BYTE* source = static_cast<const BYTE*>(lpBuf);
    while (nMax > 0)
    {
        const UINT room = static_cast<UINT>(m_lpBufMax - m_lpBufCur);
        const UINT part = std::min(room, nMax);
        std::memcpy(m_lpBufCur, source, part);
        m_lpBufCur += part;
        source += part;
        nMax -= part;
        if (m_lpBufCur == m_lpBufMax)
            FlushBuffer();
    }
}

UINT CArchive::Read(void* lpBuf, UINT nMax)
{
    CheckLoading();
    BYTE* target = static_cast<BYTE*>(lpBuf);
    UINT total = 0;
    while (total < nMax)
    {
        if (m_lpBufCur == m_lpBufMax)
        {
            const UINT filled = m_pFile->Read(m_lpBufStart, m_nBufSize);
            m_lpBufCur = m_lpBufStart;
            m_lpBufMax = m_lpBufStart + filled;
            if (filled == 0)
                break;
        }
        const UINT part = std::min(static_cast<UINT>(m_lpBufMax - m_lpBufCur), nMax - total);
        std::memcpy(target + total, m_lpBufCur, part);
        m_lpBufCur += part;
        total += part;
    }
    return total;
}

void CArchive::ReadExactly(void* lpBuf, UINT nCount)
{
    if (Read(lpBuf, nCount) != nCount)
        ThrowArchive(CArchiveException::endOfFile);
}

void CArchive::Flush()
{
    if (m_pFile == nullptr)
        return;
    if (IsStoring())
    {
        FlushBuffer();
    }
    else
    {
        // Give back what was read ahead, so the file stands right after the archive's data.
        const LONGLONG unread = m_lpBufMax - m_lpBufCur;
        m_lpBufCur = m_lpBufMax = m_lpBufStart;
        if (unread > 0)
            m_pFile->Seek(-unread, CFile::current);
    }
}

void CArchive::Close()
{
    Flush();
    m_pFile = nullptr;
}

void CArchive::Abort()
{
    m_lpBufCur = m_lpBufStart;
    m_lpBufMax = IsLoading() ? m_lpBufStart : m_lpBufStart + m_nBufSize;
    m_pFile = nullptr;
}

CArchive& CArchive::operator>>(int& i)
{
    LONG value = 0;
    ReadValue(value);
    i = value;
    return *this;
}

CArchive& CArchive::operator>>(unsigned& u)
{
    DWORD value = 0;
    ReadValue(value);
    u = value;
    return *this;
}

CArchive& CArchive::operator>>(bool& b)
{
    BYTE value = 0;
    ReadValue(value);
    b = value != 0;
    return *this;
}

// --- text lines -------------------------------------------------------------------------

void CArchive::WriteString(LPCTSTR lpsz)
{
    if (lpsz != nullptr)
        Write(lpsz, static_cast<UINT>(std::strlen(lpsz)));
    else
        CheckStoring();
}

LPTSTR CArchive::ReadString(LPTSTR lpsz, UINT nMax)
{
    CheckLoading();
    if (nMax == 0)
        return nullptr;
    UINT length = 0;
    bool readAnything = false;
    while (length + 1 < nMax)
    {
        char ch = 0;
        if (Read(&ch, 1) == 0)
            break;
        readAnything = true;
        if (ch == '\r')
            continue;
        lpsz[length++] = ch;
        if (ch == '\n')
            break;
    }
    lpsz[length] = '\0';
    return readAnything ? lpsz : nullptr;
}

BOOL CArchive::ReadString(CString& rString)
{
    CheckLoading();
    std::string line;
    bool readAnything = false;
    for (;;)
    {
        char ch = 0;
        if (Read(&ch, 1) == 0)
            break;
        readAnything = true;
        if (ch == '\n')
            break;
        line += ch;
    }
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    rString = CString(line.data(), static_cast<int>(line.size()));
    return readAnything;
}

// --- counts -----------------------------------------------------------------------------

void CArchive::WriteCount(DWORD_PTR dwCount)
{
    if (dwCount < 0xFFFF)
    {
        *this << static_cast<WORD>(dwCount);
        return;
    }
    *this << static_cast<WORD>(0xFFFF);
    if (dwCount < 0xFFFFFFFF)
    {
        *this << static_cast<DWORD>(dwCount);
        return;
    }
    *this << static_cast<DWORD>(0xFFFFFFFF) << static_cast<ULONGLONG>(dwCount);
}

DWORD_PTR CArchive::ReadCount()
{
    WORD shortCount = 0;
    *this >> shortCount;
    if (shortCount != 0xFFFF)
        return shortCount;
    DWORD count = 0;
    *this >> count;
    if (count != 0xFFFFFFFF)
        return count;
    ULONGLONG longCount = 0;
    *this >> longCount;
    return static_cast<DWORD_PTR>(longCount);
}

// --- classes and objects ----------------------------------------------------------------

void CArchive::WriteTag(DWORD index, bool isClass)
{
    if (index < kBigObjectTag)
        *this << static_cast<WORD>(isClass ? (kClassTag | index) : index);
    else
        *this << kBigObjectTag << static_cast<DWORD>(isClass ? (kBigClassTag | index) : index);
}

size_t CArchive::StoredHome(const void* pItem) const
{
    // Fibonacci hashing spreads the aligned addresses over the table; the probe is linear.
    return static_cast<size_t>((reinterpret_cast<ULONGLONG>(pItem) * 0x9E3779B97F4A7C15ull) >> 32) &
           (m_storedItems.size() - 1);
}

size_t CArchive::StoredSlot(const void* pItem) const
{
    const size_t nMask = m_storedItems.size() - 1;
    size_t nSlot = StoredHome(pItem);
    while (m_storedItems[nSlot].pItem != nullptr && m_storedItems[nSlot].pItem != pItem)
        nSlot = (nSlot + 1) & nMask;
    return nSlot;
}

DWORD CArchive::FindStoredItem(const void* pItem) const
{
    return m_storedItems.empty() ? 0 : m_storedItems[StoredSlot(pItem)].index;
}

void CArchive::RegisterStoredItem(const void* pItem)
{
    if (m_nStoredItems >= kMaxIndex)
        ThrowArchive(CArchiveException::genericException);
    // At most half full, so probes stay short.
    if ((static_cast<size_t>(m_nStoredItems) + 1) * 2 > m_storedItems.size())
    {
        std::vector<StoredItem> old(std::max<size_t>(m_storedItems.size() * 2, 64), StoredItem{nullptr, 0});
        old.swap(m_storedItems);
        for (const StoredItem& item : old)
            if (item.pItem != nullptr)
                m_storedItems[StoredSlot(item.pItem)] = item;
    }
    StoredItem& slot = m_storedItems[StoredSlot(pItem)];
    if (slot.pItem != nullptr)
        return;
    slot.pItem = pItem;
    slot.index = ++m_nStoredItems;
}

void CArchive::RemoveStoredItem(const void* pItem)
{
    if (m_storedItems.empty())
        return;
    const size_t nMask = m_storedItems.size() - 1;
    size_t nHole = StoredSlot(pItem);
    if (m_storedItems[nHole].pItem == nullptr)
        return;
    // Backward shift: an entry after the hole moves into it unless its home lies cyclically in
    // (hole, entry], so every remaining entry stays reachable from its home without a gap.
    for (size_t nNext = (nHole + 1) & nMask; m_storedItems[nNext].pItem != nullptr; nNext = (nNext + 1) & nMask)
    {
        const size_t nHome = StoredHome(m_storedItems[nNext].pItem);
        const bool bStays = nHole <= nNext ? (nHole < nHome && nHome <= nNext) : (nHole < nHome || nHome <= nNext);
        if (bStays)
            continue;
        m_storedItems[nHole] = m_storedItems[nNext];
        nHole = nNext;
    }
    m_storedItems[nHole] = StoredItem{nullptr, 0};
}

void CArchive::BeginTemporaryObjects()
{
    CheckStoring();
    m_bTemporaryObjects = true;
}

void CArchive::ForgetTemporaryObjects()
{
    for (const void* pItem : m_temporaryObjects)
        RemoveStoredItem(pItem);
    m_temporaryObjects.clear();
    m_bTemporaryObjects = false;
}

void CArchive::RegisterLoadedItem(const LoadedItem& item)
{
    if (m_loadedItems.size() >= kMaxIndex)
        ThrowArchive(CArchiveException::genericException);
    m_loadedItems.push_back(item);
}

void CArchive::WriteClass(const CRuntimeClass* pClassRef)
{
    CheckStoring();
    if (pClassRef == nullptr || pClassRef->m_wSchema == 0xFFFF)
        ThrowArchive(CArchiveException::badClass);

    if (const DWORD index = FindStoredItem(pClassRef))
    {
        WriteTag(index, true);
        return;
    }
    *this << kNewClassTag;
    pClassRef->Store(*this);
    RegisterStoredItem(pClassRef);
}

CRuntimeClass* CArchive::ReadClass(const CRuntimeClass* pClassRefRequested, UINT* pSchema, DWORD* pObTag)
{
    CheckLoading();
    WORD tag = 0;
    *this >> tag;

    CRuntimeClass* pClassRef = nullptr;
    UINT schema = 0;
    if (tag == kNewClassTag)
    {
        pClassRef = CRuntimeClass::Load(*this, &schema);
        if (pClassRef == nullptr || pClassRef->m_wSchema == 0xFFFF)
            ThrowArchive(CArchiveException::badClass);
        if ((pClassRef->m_wSchema & ~VERSIONABLE_SCHEMA) != schema && !(pClassRef->m_wSchema & VERSIONABLE_SCHEMA))
            ThrowArchive(CArchiveException::badSchema);
        RegisterLoadedItem({ nullptr, pClassRef, schema });
        if (pObTag != nullptr)
            *pObTag = kBigClassTag | static_cast<DWORD>(m_loadedItems.size());
    }
    else
    {
        DWORD obTag = 0;
        if (tag == kBigObjectTag)
            *this >> obTag;
        else
            obTag = (static_cast<DWORD>(tag & kClassTag) << 16) | (tag & ~kClassTag);
        if (pObTag != nullptr)
            *pObTag = obTag;

        if (!(obTag & kBigClassTag))
        {
            // An object reference or null where only a class may stand.
            if (pObTag == nullptr)
                ThrowArchive(CArchiveException::badIndex);
            return nullptr;
        }
        const DWORD index = obTag & ~kBigClassTag;
        if (index == 0 || index > m_loadedItems.size() || m_loadedItems[index - 1].pClass == nullptr)
            ThrowArchive(CArchiveException::badIndex);
        pClassRef = m_loadedItems[index - 1].pClass;
        schema = m_loadedItems[index - 1].schema;
    }

    if (pClassRefRequested != nullptr && !pClassRef->IsDerivedFrom(pClassRefRequested))
        ThrowArchive(CArchiveException::badClass);
    if (pSchema != nullptr)
        *pSchema = schema;
    return pClassRef;
}

void CArchive::SerializeClass(const CRuntimeClass* pClassRef)
{
    if (IsStoring())
        WriteClass(pClassRef);
    else
        ReadClass(pClassRef, &m_nObjectSchema);
}

void CArchive::WriteObject(const CObject* pOb)
{
    CheckStoring();
    if (pOb == nullptr)
    {
        *this << kNullTag;
        return;
    }
    if (const DWORD index = FindStoredItem(pOb))
    {
        WriteTag(index, false);
        return;
    }
    WriteClass(pOb->GetRuntimeClass());
    // Registered before its contents, so a reference back to it from inside is a tag.
    RegisterStoredItem(pOb);
    if (m_bTemporaryObjects)
        m_temporaryObjects.push_back(pOb);
    const_cast<CObject*>(pOb)->Serialize(*this);
}

CObject* CArchive::ReadObject(const CRuntimeClass* pClassRefRequested)
{
    return ReadObjectOrReference(pClassRefRequested, false);
}

CObject* CArchive::ReadOwnedObject(const CRuntimeClass* pClassRefRequested)
{
    return ReadObjectOrReference(pClassRefRequested, true);
}

CObject* CArchive::ReadObjectOrReference(const CRuntimeClass* pClassRefRequested, bool bOwned)
{
    UINT schema = 0;
    DWORD obTag = 0;
    const CRuntimeClass* pClassRef = ReadClass(pClassRefRequested, &schema, &obTag);

    if (pClassRef == nullptr)
    {
        if (obTag == 0)
            return nullptr;
        if (bOwned)
            ThrowArchive(CArchiveException::badIndex);
        if (obTag > m_loadedItems.size() || m_loadedItems[obTag - 1].object == nullptr)
            ThrowArchive(CArchiveException::badIndex);
        CObject* pOb = m_loadedItems[obTag - 1].object;
        if (pClassRefRequested != nullptr && !pOb->IsKindOf(pClassRefRequested))
            ThrowArchive(CArchiveException::badClass);
        return pOb;
    }

    if (m_nLoadNesting >= nMaxLoadNesting)
        ThrowArchive(CArchiveException::genericException);
    CObject* pOb = pClassRef->CreateObject();
    if (pOb == nullptr)
        ThrowArchive(CArchiveException::badClass);
    const size_t slot = m_loadedItems.size();
    const UINT outerSchema = m_nObjectSchema;
    ++m_nLoadNesting;
    try
    {
        RegisterLoadedItem({ pOb, nullptr, 0 });
        m_nObjectSchema = schema;
        pOb->Serialize(*this);
    }
    catch (...)
    {
        // Nobody else holds the half-read object: free it, and let no later tag reach it or
        // anything read inside it.
        --m_nLoadNesting;
        m_nObjectSchema = outerSchema;
        for (size_t i = slot; i < m_loadedItems.size(); ++i)
            m_loadedItems[i].object = nullptr;
        delete pOb;
        throw;
    }
    --m_nLoadNesting;
    m_nObjectSchema = outerSchema;
    return pOb;
}

CObject* AfxReadObjectOfClass(CArchive& ar, const CRuntimeClass* pClass)
{
    return ar.ReadObject(pClass);
}

// --- strings and objects as operators ---------------------------------------------------

CArchive& operator<<(CArchive& ar, const CString& string)
{
    const DWORD length = static_cast<DWORD>(string.GetLength());
    if (length < 0xFF)
    {
        ar << static_cast<BYTE>(length);
    }
    else if (length < 0xFFFE)
    {
        ar << static_cast<BYTE>(0xFF) << static_cast<WORD>(length);
    }
    else
    {
        ar << static_cast<BYTE>(0xFF) << static_cast<WORD>(0xFFFF) << length;
    }
    ar.Write(static_cast<LPCTSTR>(string), length);
    return ar;
}

namespace
{
// Reads a string length after the 0xFF / 0xFFFE markers; wide tells whether 0xFFFE came.
ULONGLONG ReadStringLength(CArchive& ar, bool& wide)
{
    wide = false;
    for (;;)
    {
        BYTE shortLength = 0;
        ar >> shortLength;
        if (shortLength < 0xFF)
            return shortLength;
        WORD wordLength = 0;
        ar >> wordLength;
        if (wordLength == 0xFFFE)
        {
            if (wide)    // two markers in a row: not a string
                AfxThrowArchiveException(CArchiveException::genericException);
            wide = true;
            continue;
        }
        if (wordLength < 0xFFFF)
            return wordLength;
        DWORD longLength = 0;
        ar >> longLength;
        if (longLength < 0xFFFFFFFF)
            return longLength;
        ULONGLONG veryLongLength = 0;
        ar >> veryLongLength;
        return veryLongLength;
    }
}
}

CArchive& operator>>(CArchive& ar, CString& string)
{
    bool wide = false;
    const ULONGLONG length = ReadStringLength(ar, wide);
    const ULONGLONG bytes = wide ? length * 2 : length;
    if (length > 0x7FFFFFFF)
        AfxThrowArchiveException(CArchiveException::genericException);

    std::string data;
    while (data.size() < bytes)
    {
        const size_t step = static_cast<size_t>(std::min<ULONGLONG>(bytes - data.size(), kStringReadStep));
        const size_t oldSize = data.size();
        data.resize(oldSize + step);
        if (ar.Read(&data[oldSize], static_cast<UINT>(step)) != step)
            AfxThrowArchiveException(CArchiveException::endOfFile);
    }

    if (!wide)
    {
        string = CString(data.data(), static_cast<int>(data.size()));
        return ar;
    }

    const int wideLength = static_cast<int>(length);
    if (wideLength == 0)
    {
        string.Empty();
        return ar;
    }
    std::wstring wideText(static_cast<size_t>(wideLength), L'\0');
    std::memcpy(&wideText[0], data.data(), data.size());
    const int ansiLength = ::WideCharToMultiByte(CP_ACP, 0, wideText.data(), wideLength, nullptr, 0, nullptr, nullptr);
    std::string ansi(static_cast<size_t>(std::max(ansiLength, 0)), '\0');
    if (ansiLength > 0)
        ::WideCharToMultiByte(CP_ACP, 0, wideText.data(), wideLength, &ansi[0], ansiLength, nullptr, nullptr);
    string = CString(ansi.data(), static_cast<int>(ansi.size()));
    return ar;
}

CArchive& operator<<(CArchive& ar, const CObject* pOb)
{
    ar.WriteObject(pOb);
    return ar;
}

CArchive& operator>>(CArchive& ar, CObject*& pOb)
{
    pOb = ar.ReadObject(nullptr);
    return ar;
}

CArchive& operator>>(CArchive& ar, const CObject*& pOb)
{
    pOb = ar.ReadObject(nullptr);
    return ar;
}
