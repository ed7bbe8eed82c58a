// The system clipboard, opened by a window for the length of one scope: text, bitmaps, and blocks
// of registered formats, with CSharedFile for archives on the clipboard.
#pragma once

#include "framework/core/CString.h"
#include "framework/core/File.h"

#include <windows.h>

class CClipboard
{
public:
    // Opens the clipboard for hWndOwner (OpenClipboard); IsOpen tells whether that worked: it fails
    // while another window holds the clipboard open.
    explicit CClipboard(HWND hWndOwner);
    // Closes the clipboard when this object opened it.
    ~CClipboard();
    CClipboard(const CClipboard&) = delete;
    CClipboard& operator=(const CClipboard&) = delete;

    BOOL IsOpen() const { return m_bOpen; }
    // Closes it now (nothing when not open).
    void Close();

    // EmptyClipboard: the owner window becomes the clipboard's owner.
    BOOL Empty();

    // SetClipboardData with a global block; the clipboard owns the block when TRUE, and the block is
    // freed here when the clipboard refuses it, so the caller never frees it.
    BOOL SetData(UINT nFormat, HGLOBAL hData);
    // The text with its closing NUL in a new block (CF_TEXT, CF_OEMTEXT or a registered format).
    BOOL SetText(LPCTSTR lpszText, UINT nFormat = CF_TEXT);
    // The file's block, given up by the file (empty afterwards); FALSE for an empty file.
    BOOL SetFile(UINT nFormat, CSharedFile& file);
    // CF_BITMAP: the clipboard owns the bitmap when TRUE; it is deleted here when refused.
    BOOL SetBitmap(HBITMAP hBitmap);

    // The block of a format (the clipboard's: never freed by the caller), NULL when absent.
    HGLOBAL GetData(UINT nFormat) const;
    // Text up to its NUL, never beyond the block; FALSE (and an empty text) when absent.
    BOOL GetText(CString& rText, UINT nFormat = CF_TEXT) const;
    // Lets the file read the block of a format; the block stays the clipboard's. FALSE when absent.
    BOOL GetFile(UINT nFormat, CSharedFile& file) const;
    // A copy of the CF_BITMAP bitmap for the caller to delete; NULL when absent.
    HBITMAP GetBitmap() const;

    // These need no open clipboard.
    static BOOL IsFormatAvailable(UINT nFormat);
    // The window that holds the clipboard open, NULL when none does.
    static HWND GetOpenWindow();
    // RegisterClipboardFormatA: the same number for the same name within the session, 0 on failure.
    static UINT RegisterFormat(LPCTSTR lpszFormatName);

private:
    BOOL m_bOpen;
};
