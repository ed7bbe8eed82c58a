#pragma once
// What a print job (or print preview) tells the view that prints a page: the print dialog with the
// printer and the page range, the page being printed and the rectangle of the page left for drawing.

#include "framework/core/CString.h"
#include "framework/core/Geometry.h"

#include <windows.h>

class CPrintDialog;

struct CPrintInfo
{
    // The dialog asks for all pages (PD_ALLPAGES); the range is 1 to 0xFFFF (not known) until the
    // view sets it.
    CPrintInfo();
    // Deletes the dialog and the printer device context it holds (the printer names and device
    // mode are the application's).
    ~CPrintInfo();
    CPrintInfo(const CPrintInfo&) = delete;
    CPrintInfo& operator=(const CPrintInfo&) = delete;

    CPrintDialog* m_pPD;
    BOOL m_bDirect = FALSE;           // printed without the dialog, on the application's printer
    BOOL m_bPreview = FALSE;          // drawn for print preview
    BOOL m_bContinuePrinting = TRUE;  // the view says whether page m_nCurPage exists (OnPrepareDC)
    UINT m_nCurPage = 1;
    UINT m_nNumPreviewPages = 0;      // pages preview shows side by side; 0: the application's choice
    // The preview's page text: "Page %u" for one page, "Pages %u-%u" for two, and after a second
    // "\n" a suffix shown with both.
    CString m_strPageDesc;
    // The usable page in logical units of the printing mapping; the view narrows it.
    CRect m_rectDraw;
    LPVOID m_lpUserData = nullptr;

    void SetMinPage(UINT nMinPage);
    void SetMaxPage(UINT nMaxPage);
    UINT GetMinPage() const;
    UINT GetMaxPage() const;
    // The range the user asked for (the whole range unless the dialog gave pages).
    UINT GetFromPage() const;
    UINT GetToPage() const;
};
