#include "grid/controls/GridCombo.h"

#include "framework/win/Controls.h"
#include "framework/win/Dc.h"
#include "framework/win/WinApp.h"
#include "grid/controls/DIBPool.h"
#include "grid/controls/UxTheme.h"
#include "grid/core/AppData.h"
#include "grid/core/DrawingAndFormatting.h"

#include <vssym32.h>

#include <cstring>

IMPLEMENT_DYNAMIC(CGXGridCombo, CWnd)
IMPLEMENT_DYNAMIC(CGXTabbedLBoxHeader, CWnd)

namespace
{
int FieldLength(LPCTSTR pszField)
{
    const char* pTab = std::strchr(pszField, '\t');
    return pTab != nullptr ? static_cast<int>(pTab - pszField) : static_cast<int>(std::strlen(pszField));
}

// Where the shown fields of a row start: a row of all columns whose text column lies further right
// begins with a copy of the text field, which is not shown.
LPCTSTR ShownFields(LPCTSTR pszRow, BOOL bTextOnly, int nTextColumn)
{
    if (bTextOnly || nTextColumn <= 0)
        return pszRow;
    const char* pTab = std::strchr(pszRow, '\t');
    return pTab != nullptr ? pTab + 1 : pszRow + std::strlen(pszRow);
}

// The field after this one, NULL after the last.
LPCTSTR NextField(LPCTSTR pszField)
{
    const char* pTab = std::strchr(pszField, '\t');
    return pTab != nullptr ? pTab + 1 : nullptr;
}

void DrawField(CDC* pDC, LPCTSTR pszField, const CRect& rect, UINT nBitmapAlign, UINT nTextFormat)
{
    if (HGLOBAL hDIB = GXFieldBitmap(pszField))
    {
        CGXDIB::Draw(pDC, hDIB, rect, CGXDIB::drawNatural, nBitmapAlign);
        return;
    }
    CRect rectText(rect);
    GridDrawText(pDC, pszField, FieldLength(pszField), &rectText, nTextFormat, &rect);
}

HWND MainWindow()
{
    CWnd* pMain = AfxGetMainWnd();
    return pMain != nullptr ? pMain->GetSafeHwnd() : nullptr;
}
}  // namespace

HGLOBAL GXFieldBitmap(LPCTSTR pszField)
{
    if (_strnicmp(pszField, GX_BMP_PREFIX, std::strlen(GX_BMP_PREFIX)) != 0)
        return nullptr;
    return GXGetDIBPool()->LookupDIB(pszField);
}

// ---- Routines for tabbed rows ----

void GXMeasureTabbedColumns(CDC* pDC, LPCTSTR pszRow, int nMaxColumns, int* pnWidths)
{
    if (pDC == nullptr || pszRow == nullptr || pnWidths == nullptr)
        return;
    LPCTSTR pszField = pszRow;
    for (int i = 0; i < nMaxColumns && pszField != nullptr; ++i, pszField = NextField(pszField))
    {
        int nWidth = 0;
        if (HGLOBAL hDIB = GXFieldBitmap(pszField))
        {
            CGXDIB dib;
            dib.Attach(hDIB);
            nWidth = dib.GetWidth();
            dib.Detach();
        }
        else
        {
            SIZE extent = {};
            ::GetTextExtentPoint32A(pDC->GetSafeHdc(), pszField, FieldLength(pszField), &extent);
            nWidth = extent.cx;
        }
        if (nWidth > pnWidths[i])
            pnWidths[i] = nWidth;
    }
}

void GXDrawTabbedRow(CDC* pDC, const CRect& rect, LPCTSTR pszRow, BOOL bTextOnly, int nTextColumn, int nTabStops,
                     const int* pnTabStops, COLORREF rgbLine, COLORREF rgbBack, COLORREF rgbText)
{
    if (pDC == nullptr || pszRow == nullptr)
        return;
    const HDC hDC = pDC->GetSafeHdc();
    CGXDrawingAndFormatting::FillSolidRect(pDC, rect, rgbBack);
    if (pnTabStops == nullptr)
        nTabStops = 0;
    if (!bTextOnly)
        for (int i = 0; i < nTabStops; ++i)
            CGXDrawingAndFormatting::FillSolidRect(pDC, rect.left + pnTabStops[i] - 2, rect.top, 1, rect.Height(), rgbLine);
    ::SetBkColor(hDC, rgbBack);
    const COLORREF oldText = ::SetTextColor(hDC, rgbText);
    const int nOldMode = ::SetBkMode(hDC, TRANSPARENT);
    const int nColumns = bTextOnly ? 1 : nTabStops + 1;
    LPCTSTR pszField = ShownFields(pszRow, bTextOnly, nTextColumn);
    for (int i = 0; i < nColumns && pszField != nullptr; ++i, pszField = NextField(pszField))
    {
        const int nLeft = i == 0 ? rect.left : rect.left + pnTabStops[i - 1];
        const int nRight = i < nColumns - 1 ? rect.left + pnTabStops[i] : rect.right;
        if (nRight > nLeft)
            DrawField(pDC, pszField, CRect(nLeft, rect.top, nRight, rect.bottom), DT_VCENTER, DT_SINGLELINE | DT_VCENTER);
    }
    ::SetBkMode(hDC, nOldMode);
    ::SetTextColor(hDC, oldText);
}

void GXCalcTabbedRowHeight(LPCTSTR pszRow, int& nHeight, BOOL bTextOnly, int nTextColumn, int nTabStops)
{
    if (pszRow == nullptr)
        return;
    const int nColumns = bTextOnly ? 1 : nTabStops + 1;
    LPCTSTR pszField = ShownFields(pszRow, bTextOnly, nTextColumn);
    for (int i = 0; i < nColumns && pszField != nullptr; ++i, pszField = NextField(pszField))
    {
        HGLOBAL hDIB = GXFieldBitmap(pszField);
        if (hDIB == nullptr)
            continue;
        CGXDIB dib;
        dib.Attach(hDIB);
        if (static_cast<unsigned>(dib.GetHeight()) > static_cast<unsigned>(nHeight))
            nHeight = dib.GetHeight();
        dib.Detach();
    }
}

// ---- CGXGridCombo ----

CGXGridCombo::CGXGridCombo(CWnd* pNotifyWnd, CWnd*, const CRect& rect) : m_pNotifyWnd(pNotifyWnd)
{
    SetDropDownFlag(TRUE);
    CreateEx(WS_EX_TOOLWINDOW, GetWindowClassName(), nullptr, WS_POPUP | WS_VISIBLE, rect.left - 1, rect.top,
             rect.Width() + 1, rect.Height(), CWnd::GetDesktopWindow()->GetSafeHwnd(), nullptr);
    SetDropDownFlag(FALSE);
}

CGXGridCombo::~CGXGridCombo()
{
    CListBox* pListBox = m_pListBox;
    m_pListBox = nullptr;
    if (m_hWnd != nullptr)
        DestroyWindow();
    delete pListBox;
    m_brBack.DeleteObject();
}

void CGXGridCombo::SetDropDownFlag(BOOL bDropDown)
{
    GXSetPopupOpening(bDropDown);
}

CString CGXGridCombo::GetWindowClassName()
{
    return GXGetAppData()->m_strPopupWndClass;
}

void CGXGridCombo::SetColors(COLORREF rgbText, COLORREF rgbBack)
{
    m_brBack.DeleteObject();
    m_rgbText = rgbText;
    m_rgbBack = rgbBack;
    m_bColors = TRUE;
    m_brBack.CreateSolidBrush(rgbBack);
}

BOOL CGXGridCombo::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (m_pListBox != nullptr && reinterpret_cast<HWND>(lParam) == m_pListBox->GetSafeHwnd() &&
        m_pNotifyWnd != nullptr && m_pNotifyWnd->GetSafeHwnd() != nullptr)
    {
        ::SendMessageA(m_pNotifyWnd->GetSafeHwnd(), WM_COMMAND, wParam, lParam);
        return TRUE;
    }
    return CWnd::OnCommand(wParam, lParam);
}

LRESULT CGXGridCombo::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC && m_bColors)
    {
        const HDC hDC = reinterpret_cast<HDC>(wParam);
        ::SetBkColor(hDC, m_rgbBack);
        ::SetTextColor(hDC, m_rgbText);
        return reinterpret_cast<LRESULT>(m_brBack.GetSafeHandle());
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

// ---- CGXTabbedLBoxHeader ----

CGXTabbedLBoxHeader::~CGXTabbedLBoxHeader()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
}

BOOL CGXTabbedLBoxHeader::Create(CWnd* pParentWnd)
{
    // A pop-up that stays above the list and never takes the activation (nor the focus) from it.
    const DWORD dwExStyle =
        (GXGetAppData()->m_bTabbedComboGridDrawn ? 0 : WS_EX_TOOLWINDOW) | WS_EX_TOPMOST | WS_EX_NOACTIVATE;
    return CreateEx(dwExStyle, CGXGridCombo::GetWindowClassName(), nullptr, WS_POPUP, 0, 0, 0, 0,
                    pParentWnd != nullptr ? pParentWnd->GetSafeHwnd() : nullptr, nullptr);
}

void CGXTabbedLBoxHeader::ShowAt(const CRect& rect)
{
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, rect.left, rect.top, rect.Width(), rect.Height(),
                   SWP_SHOWWINDOW | SWP_NOACTIVATE);
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
    ::UpdateWindow(m_hWnd);
}

void CGXTabbedLBoxHeader::HideHeader()
{
    if (m_hWnd != nullptr && ::IsWindowVisible(m_hWnd))
        ::ShowWindow(m_hWnd, SW_HIDE);
}

LRESULT CGXTabbedLBoxHeader::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    default:
        return CWnd::WindowProc(message, wParam, lParam);
    }
}

void CGXTabbedLBoxHeader::OnPaint()
{
    CPaintDC dc(this);
    CRect rect;
    GetClientRect(&rect);
    const CGXSysColors& colors = GXGetAppData()->m_sysColors;
    const COLORREF face = colors.GetColor(COLOR_BTNFACE);
    const COLORREF text = colors.GetColor(COLOR_BTNTEXT);
    const HDC hDC = dc.GetSafeHdc();

    HTHEME hTheme = nullptr;
    if (GXUxTheme::IsAppThemed() && GXUxTheme::IsThemeActive())
        hTheme = GXUxTheme::OpenThemeData(MainWindow(), L"HEADER");
    if (hTheme != nullptr)
        GXUxTheme::DrawThemeBackground(hTheme, hDC, HP_HEADERITEM, HIS_NORMAL, &rect, nullptr);
    else
        CGXDrawingAndFormatting::FillSolidRect(&dc, rect, face);
    ::SetBkColor(hDC, face);
    ::SetTextColor(hDC, text);
    ::SetBkMode(hDC, TRANSPARENT);
    const HGDIOBJ hOldFont =
        m_pFont != nullptr && m_pFont->GetSafeHandle() != nullptr ? ::SelectObject(hDC, m_pFont->GetSafeHandle()) : nullptr;

    // The header's own rule: the copy of the text field leads only when all columns show.
    LPCTSTR pszField = m_strTitle;
    if (m_bShowAllColumns && m_nTextColumn > 0)
        pszField = NextField(pszField);
    const int nColumns = m_bShowAllColumns ? m_nTabStops + 1 : 1;
    int nLeft = rect.left;
    for (int i = 0; i < nColumns && pszField != nullptr; ++i, pszField = NextField(pszField))
    {
        const int nRight = m_bShowAllColumns && i < m_nTabStops && m_pTabStops != nullptr
                               ? rect.left + m_pTabStops[i] - 1
                               : rect.right;
        const CRect column(nLeft, rect.top, nRight, rect.bottom);
        if (hTheme != nullptr)
            GXUxTheme::DrawThemeBackground(hTheme, hDC, HP_HEADERITEM, i == m_nTextColumn ? HIS_HOT : HIS_NORMAL,
                                           &column, nullptr);
        else
            CGXDrawingAndFormatting::DrawEdgeRect(&dc, column.left, column.top, column.right, column.bottom,
                                                  BDR_RAISEDINNER);
        CRect content(column);
        content.DeflateRect(1, 1);
        DrawField(&dc, pszField, content, DT_CENTER | DT_VCENTER, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        nLeft = column.right + 1;
    }
    if (hOldFont != nullptr)
        ::SelectObject(hDC, hOldFont);
    if (hTheme != nullptr)
        GXUxTheme::CloseThemeData(hTheme);
}
