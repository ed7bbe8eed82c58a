#include "framework/win/Clipboard.h"

#include <cstring>

CClipboard::CClipboard(HWND hWndOwner) : m_bOpen(::OpenClipboard(hWndOwner)) {}

CClipboard::~CClipboard()
{
    Close();
}

void CClipboard::Close()
{
    if (m_bOpen)
    {
        ::CloseClipboard();
        m_bOpen = FALSE;
    }
}

BOOL CClipboard::Empty()
{
    return m_bOpen && ::EmptyClipboard();
}

BOOL CClipboard::SetData(UINT nFormat, HGLOBAL hData)
{
    if (hData == nullptr)
        return FALSE;
    if (m_bOpen && ::SetClipboardData(nFormat, hData) != nullptr)
        return TRUE;
    ::GlobalFree(hData);
    return FALSE;
}

BOOL CClipboard::SetText(LPCTSTR lpszText, UINT nFormat)
{
    if (!m_bOpen)
        return FALSE;
    if (lpszText == nullptr)
        lpszText = "";
    const size_t nBytes = std::strlen(lpszText) + 1;
    HGLOBAL hData = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, nBytes);
    if (hData == nullptr)
        return FALSE;
    void* pData = ::GlobalLock(hData);
    if (pData == nullptr)
    {
        ::GlobalFree(hData);
        return FALSE;
    }
    std::memcpy(pData, lpszText, nBytes);
    ::GlobalUnlock(hData);
    return SetData(nFormat, hData);
}

BOOL CClipboard::SetFile(UINT nFormat, CSharedFile& file)
{
    if (!m_bOpen || file.GetLength() == 0)
        return FALSE;
    return SetData(nFormat, file.Detach());
}

BOOL CClipboard::SetBitmap(HBITMAP hBitmap)
{
    if (hBitmap == nullptr)
        return FALSE;
    if (m_bOpen && ::SetClipboardData(CF_BITMAP, hBitmap) != nullptr)
        return TRUE;
    ::DeleteObject(hBitmap);
    return FALSE;
}

HGLOBAL CClipboard::GetData(UINT nFormat) const
{
    if (!m_bOpen)
        return nullptr;
    return static_cast<HGLOBAL>(::GetClipboardData(nFormat));
}

BOOL CClipboard::GetText(CString& rText, UINT nFormat) const
{
    rText.Empty();
    HGLOBAL hData = GetData(nFormat);
    if (hData == nullptr)
        return FALSE;
    const char* pText = static_cast<const char*>(::GlobalLock(hData));
    if (pText == nullptr)
        return FALSE;
    // Another program's block need not end with a NUL: read no further than the block.
    const size_t nSize = ::GlobalSize(hData);
    const void* pEnd = std::memchr(pText, '\0', nSize);
    const size_t nLength = pEnd != nullptr ? static_cast<const char*>(pEnd) - pText : nSize;
    rText = CString(pText, static_cast<int>(nLength));
    ::GlobalUnlock(hData);
    return TRUE;
}

BOOL CClipboard::GetFile(UINT nFormat, CSharedFile& file) const
{
    HGLOBAL hData = GetData(nFormat);
    if (hData == nullptr)
        return FALSE;
    // No growth: the block belongs to the clipboard and must not be reallocated.
    file.SetHandle(hData, FALSE);
    return TRUE;
}

HBITMAP CClipboard::GetBitmap() const
{
    if (!m_bOpen)
        return nullptr;
    HBITMAP hBitmap = static_cast<HBITMAP>(::GetClipboardData(CF_BITMAP));
    if (hBitmap == nullptr)
        return nullptr;
    return static_cast<HBITMAP>(::CopyImage(hBitmap, IMAGE_BITMAP, 0, 0, 0));
}

BOOL CClipboard::IsFormatAvailable(UINT nFormat)
{
    return ::IsClipboardFormatAvailable(nFormat);
}

HWND CClipboard::GetOpenWindow()
{
    return ::GetOpenClipboardWindow();
}

UINT CClipboard::RegisterFormat(LPCTSTR lpszFormatName)
{
    return ::RegisterClipboardFormatA(lpszFormatName);
}
