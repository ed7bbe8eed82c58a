#include "grid/controls/CheckBox.h"

#include "framework/win/Dc.h"
#include "framework/win/WinApp.h"
#include "framework/win/Wnd.h"
#include "grid/controls/CellEditState.h"
#include "grid/controls/DrawnCell.h"
#include "grid/controls/UxTheme.h"
#include "grid/core/AppData.h"
#include "grid/core/DrawingAndFormatting.h"
#include "grid/core/GridCore.h"
#include "grid/core/Range.h"
#include "grid/core/Style.h"
#include "grid/core/StylesMap.h"

#include <vssym32.h>

#include <algorithm>
#include <mbstring.h>

GRID_IMPLEMENT_CONTROL(CGXCheckBox, CGXControl)
GRID_IMPLEMENT_CONTROL(CGXCheckBoxEx, CGXCheckBox)

namespace
{
// The images of the strip are square.
const int kImageSize = 13;
const int kImageCount = 5;

// Multibyte comparison of a value with one of the box's texts.
BOOL SameText(const CString& a, const CString& b)
{
    return _mbscmp(reinterpret_cast<const unsigned char*>(static_cast<LPCTSTR>(a)),
                   reinterpret_cast<const unsigned char*>(static_cast<LPCTSTR>(b))) == 0;
}

BOOL IsStyleReadOnly(const CGXStyle& style)
{
    return style.GetIncludeReadOnly() && style.GetReadOnly();
}
}  // namespace

// ---- CGXCheckBox ----

CGXCheckBox::CGXCheckBox(CGXGridCore* pGrid, BOOL bDraw3dFrame, UINT nBitmapResourceId, UINT nPrintResourceId)
    : CGXControl(pGrid), m_bDraw3dFrame(bDraw3dFrame), m_nBitmapResourceId(nBitmapResourceId),
      m_nPrintResourceId(nPrintResourceId)
{
    if (m_nBitmapResourceId == 0)
    {
        if (!bDraw3dFrame)
            m_nBitmapResourceId = GX_IDB_CHECKBOX_FLAT;
        else
            m_nBitmapResourceId = GXGetAppData()->m_nCheckBoxLook > 0 ? GX_IDB_CHECKBOX_3D : GX_IDB_CHECKBOX_3D_OLD;
    }
    if (m_nPrintResourceId == 0)
        m_nPrintResourceId = GX_IDB_CHECKBOX_FLAT;
}

CGXCheckBox::~CGXCheckBox()
{
    FreeBitmaps();
}

void CGXCheckBox::FreeBitmaps()
{
    if (m_hbmScreen != nullptr)
        ::GlobalFree(m_hbmScreen);
    if (m_hbmPrint != nullptr)
        ::GlobalFree(m_hbmPrint);
    m_hbmScreen = nullptr;
    m_hbmPrint = nullptr;
}

CString CGXCheckBox::CheckedText(const CGXStyle& style)
{
    CString text;
    style.GetUserAttributeText(GX_IDS_UA_CHECKBOX_CHECKED, text);
    return text.IsEmpty() ? CString("1") : text;
}

CString CGXCheckBox::UncheckedText(const CGXStyle& style)
{
    CString text;
    style.GetUserAttributeText(GX_IDS_UA_CHECKBOX_UNCHECKED, text);
    return text.IsEmpty() ? CString("0") : text;
}

BOOL CGXCheckBox::IsTriState(const CGXStyle& style)
{
    return style.GetIncludeTriState() && style.GetTriState();
}

CString CGXCheckBox::NextValue(const CString& value, const CGXStyle& style)
{
    if (SameText(value, CheckedText(style)))
        return UncheckedText(style);
    if (IsTriState(style) && SameText(value, UncheckedText(style)))
        return CString();
    return CheckedText(style);
}

// ---- State and layout ----

UINT CGXCheckBox::GetState(ROWCOL nRow, ROWCOL nCol, const CGXStyle& style)
{
    // Bits are or-ed: a disabled box that is also held must not read as checked.
    UINT nState = 0;
    if (style.GetIncludeEnabled() && !style.GetEnabled())
        nState |= statePressed;
    if (m_bInit && m_pGrid->IsCurrentCell(nRow, nCol))
    {
        nState |= stateFocus;
        if (m_bPressed)
            nState |= statePressed;
    }
    const CString& value = style.GetValue();
    if (SameText(value, CheckedText(style)))
        nState |= stateChecked;
    else if (!IsTriState(style) || SameText(value, UncheckedText(style)))
        nState |= stateUnchecked;
    return nState;
}

int CGXCheckBox::ImageIndex(UINT nState)
{
    if ((nState & (stateChecked | stateUnchecked)) == 0)
        return 4;
    int nImage = (nState & statePressed) != 0 ? 2 : 0;
    if ((nState & stateChecked) != 0)
        ++nImage;
    return nImage;
}

CRect CGXCheckBox::ComputeCheckBoxRect(CDC* pDC, int left, int top, int right, int bottom, LPCTSTR pszLabel,
                                       UINT nAlign)
{
    int h = m_nCheckBoxSize;
    int w = m_nCheckBoxSize;
    if (pszLabel != nullptr && *pszLabel != '\0' && pDC != nullptr)
    {
        TEXTMETRICA tm = {};
        ::GetTextMetricsA(pDC->GetSafeHdc(), &tm);
        h = std::min<int>(m_nCheckBoxSize, tm.tmHeight + tm.tmInternalLeading);
        SIZE extent = {};
        ::GetTextExtentPoint32A(pDC->GetSafeHdc(), pszLabel, lstrlenA(pszLabel), &extent);
        w = m_nCheckBoxSize * 3 / 2 + extent.cx;
    }
    const int nFreeHeight = bottom - top - h;
    const int nFreeWidth = right - left - w;
    int x = left + 3;
    int y = nFreeHeight >= 4 ? top + 3 : top + std::max(nFreeHeight, 0);
    if ((nAlign & DT_CENTER) != 0)
        x = left + (nFreeWidth < 2 ? 0 : nFreeWidth / 2);
    else if ((nAlign & DT_RIGHT) != 0)
        x = left + std::max(nFreeWidth, 0);
    if ((nAlign & DT_VCENTER) != 0)
        y = top + (nFreeHeight < 1 ? 0 : nFreeHeight / 2);
    else if ((nAlign & DT_BOTTOM) != 0)
        y = top + std::max(nFreeHeight, 0);
    return CRect(x, y, std::min(right, x + m_nCheckBoxSize), std::min(bottom, y + m_nCheckBoxSize));
}

CRect CGXCheckBox::LayoutBox()
{
    if (!m_bInit)
        return CRect(0, 0, 0, 0);
    const CGXStyle& style = GetCachedStyle();
    const CRect rect = GetCellRect(m_nRow, m_nCol, nullptr, &style);
    GXDrawnCell::GridWindowDC dc(m_pGrid);
    GXDrawnCell::FontScope font(m_pGrid, dc.Get(), style);
    m_rectBox = ComputeCheckBoxRect(dc.Get(), rect.left, rect.top, rect.right, rect.bottom, style.GetChoiceList(),
                                    GXDrawnCell::AlignmentFlags(style));
    return m_rectBox;
}

// ---- Bitmaps ----

COLORREF CGXCheckBox::MapBitmapColor(COLORREF color, BOOL bPrint)
{
    const CGXAppData* pAppData = GXGetAppData();
    const COLORREF frame =
        pAppData->m_bColorOverride ? pAppData->m_clrOverrideFrame : ::GetSysColor(COLOR_WINDOWFRAME);
    const COLORREF window = pAppData->m_bColorOverride ? pAppData->m_clrOverrideWindow : ::GetSysColor(COLOR_WINDOW);
    switch (color)
    {
    case RGB(255, 0, 0):
        return bPrint ? RGB(255, 255, 255) : window;
    case RGB(0, 255, 0):
        return frame;
    case RGB(0, 0, 0):
        return bPrint ? RGB(0, 0, 0) : ::GetSysColor(COLOR_WINDOWTEXT);
    case RGB(192, 192, 192):
        return ::GetSysColor(COLOR_BTNFACE);
    default:
        return color;
    }
}

HGLOBAL CGXCheckBox::LoadStrip(UINT nResourceId, BOOL bPrint)
{
    LPCTSTR pszName = MAKEINTRESOURCE(nResourceId);
    HGLOBAL hDIB = CGXDrawingAndFormatting::CopyBitmapResource(AfxFindResourceHandle(pszName, RT_BITMAP), pszName);
    if (hDIB == nullptr)
        hDIB = CGXDrawingAndFormatting::CopyBitmapResource(AfxGetInstanceHandle(), pszName);
    if (hDIB == nullptr)
        return nullptr;
    BYTE* pDIB = static_cast<BYTE*>(::GlobalLock(hDIB));
    const BITMAPINFOHEADER* pHeader = reinterpret_cast<const BITMAPINFOHEADER*>(pDIB);
    const UINT nColors = std::min<UINT>(GXGetDibNumColors(pHeader), 256);
    if (pHeader->biSize >= sizeof(BITMAPINFOHEADER) &&
        pHeader->biSize + nColors * sizeof(RGBQUAD) <= ::GlobalSize(hDIB))
    {
        RGBQUAD* pColors = reinterpret_cast<RGBQUAD*>(pDIB + pHeader->biSize);
        for (UINT i = 0; i < nColors; ++i)
        {
            const COLORREF color = RGB(pColors[i].rgbRed, pColors[i].rgbGreen, pColors[i].rgbBlue);
            const COLORREF mapped = MapBitmapColor(color, bPrint);
            if (mapped == color)
                continue;
            pColors[i].rgbRed = GetRValue(mapped);
            pColors[i].rgbGreen = GetGValue(mapped);
            pColors[i].rgbBlue = GetBValue(mapped);
        }
    }
    ::GlobalUnlock(hDIB);
    return hDIB;
}

BOOL CGXCheckBox::LoadBitmaps()
{
    FreeBitmaps();
    m_hbmScreen = LoadStrip(m_nBitmapResourceId, FALSE);
    if (m_hbmScreen == nullptr)
        return FALSE;
    m_hbmPrint = LoadStrip(m_nPrintResourceId, TRUE);
    return TRUE;
}

// ---- Drawing ----

void CGXCheckBox::DrawThemedCheckBox(HTHEME hTheme, CDC* pDC, CRect rect, UINT nState, UINT nAlign,
                                     LPCTSTR pszLabel)
{
    m_rectBox = ComputeCheckBoxRect(pDC, rect.left, rect.top, rect.right, rect.bottom, pszLabel, nAlign);
    static const int themeStates[kImageCount] = {CBS_UNCHECKEDNORMAL, CBS_CHECKEDNORMAL, CBS_UNCHECKEDPRESSED,
                                                 CBS_CHECKEDPRESSED, CBS_CHECKEDDISABLED};
    CRect box;
    box.IntersectRect(&m_rectBox, &rect);
    GXUxTheme::DrawThemeBackground(hTheme, pDC->GetSafeHdc(), BP_CHECKBOX, themeStates[ImageIndex(nState)], &box,
                                   nullptr);
}

void CGXCheckBox::DrawCheckBox(CDC* pDC, CRect rect, UINT nState, UINT nAlign, LPCTSTR pszLabel)
{
    if (pDC == nullptr)
        return;
    if (GXUxTheme::IsAppThemed() && GXUxTheme::IsThemeActive())
    {
        if (HTHEME hTheme = GXUxTheme::OpenThemeData(GXDrawnCell::GridWindow(m_pGrid), L"Button"))
        {
            DrawThemedCheckBox(hTheme, pDC, rect, nState, nAlign, pszLabel);
            GXUxTheme::CloseThemeData(hTheme);
            return;
        }
    }
    m_rectBox = ComputeCheckBoxRect(pDC, rect.left, rect.top, rect.right, rect.bottom, pszLabel, nAlign);
    if (m_hbmScreen == nullptr && !LoadBitmaps())
        return;
    HGLOBAL hDIB = m_pGrid->IsPrinting() && m_hbmPrint != nullptr ? m_hbmPrint : m_hbmScreen;
    CRect box;
    if (!box.IntersectRect(&m_rectBox, &rect))
        return;
    const BYTE* pDIB = static_cast<const BYTE*>(::GlobalLock(hDIB));
    if (pDIB == nullptr)
        return;
    const BITMAPINFOHEADER* pHeader = reinterpret_cast<const BITMAPINFOHEADER*>(pDIB);
    const int nImageHeight = pHeader->biHeight < 0 ? -pHeader->biHeight : pHeader->biHeight;
    const size_t nBitsOffset = pHeader->biSize + std::min<UINT>(GXGetDibNumColors(pHeader), 256) * sizeof(RGBQUAD);
    // A box cut by a small cell shows the image's top left part, not a squeezed image; the source
    // rows of a bottom-up DIB count from its bottom.
    const int cx = std::min(box.Width(), kImageSize);
    const int cy = std::min(box.Height(), kImageSize);
    const int xSrc = ImageIndex(nState) * kImageSize + (box.left - m_rectBox.left);
    const int ySrc = nImageHeight - cy - (box.top - m_rectBox.top);
    ::StretchDIBits(pDC->GetSafeHdc(), box.left, box.top, cx, cy, xSrc, ySrc, cx, cy, pDIB + nBitsOffset,
                    reinterpret_cast<const BITMAPINFO*>(pDIB), DIB_RGB_COLORS, SRCCOPY);
    ::GlobalUnlock(hDIB);
}

void CGXCheckBox::Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
                       const CGXStyle* pStandardStyle)
{
    if (pDC == nullptr)
        return;
    const UINT nState = GetState(nRow, nCol, style);
    const UINT nAlign = GXDrawnCell::AlignmentFlags(style);
    GXDrawnCell::FontScope font(m_pGrid, pDC, style);
    DrawBackground(pDC, rect, style);
    const BOOL bBlackWhite = GXDrawnCell::IsBlackWhite(m_pGrid);
    const COLORREF oldText = ::SetTextColor(pDC->GetSafeHdc(), GXDrawnCell::TextColor(style, bBlackWhite));
    const COLORREF oldBack = ::SetBkColor(pDC->GetSafeHdc(), GXDrawnCell::InteriorColor(style, bBlackWhite));
    const CRect rectCell = GetCellRect(nRow, nCol, &rect, &style);
    const CString& label = style.GetChoiceList();
    DrawCheckBox(pDC, rectCell, nState, nAlign, label);

    const int nLabelLeft = rectCell.left + m_nCheckBoxSize * 3 / 2;
    if (!label.IsEmpty() && nLabelLeft < rectCell.right)
    {
        CRect rectLabel(nLabelLeft, rectCell.top, rectCell.right, rectCell.bottom);
        const UINT nFormat = DT_NOPREFIX | (style.GetIncludeWrapText() && style.GetWrapText() ? DT_WORDBREAK
                                                                                               : DT_SINGLELINE) |
                             nAlign;
        const int nOldMode = ::SetBkMode(pDC->GetSafeHdc(), TRANSPARENT);
        ::DrawTextA(pDC->GetSafeHdc(), label, label.GetLength(), &rectLabel, nFormat);
        ::SetBkMode(pDC->GetSafeHdc(), nOldMode);
    }
    CGXControl::Draw(pDC, rect, nRow, nCol, style, pStandardStyle);
    ::SetTextColor(pDC->GetSafeHdc(), oldText);
    ::SetBkColor(pDC->GetSafeHdc(), oldBack);
}

CSize CGXCheckBox::CalcSize(CDC* pDC, ROWCOL, ROWCOL, const CGXStyle& style, const CGXStyle*, BOOL)
{
    int nMargin = std::max(3, ::GetSystemMetrics(SM_CXFRAME) / 2);
    CSize size(m_nCheckBoxSize + 2 * nMargin, m_nCheckBoxSize + 4);
    const CString& label = style.GetChoiceList();
    if (pDC != nullptr && !label.IsEmpty())
    {
        GXDrawnCell::FontScope font(m_pGrid, pDC, style);
        CRect rect(0, 0, 32767, 32767);
        const BOOL bWrap = style.GetIncludeWrapText() && style.GetWrapText();
        ::DrawTextA(pDC->GetSafeHdc(), label, label.GetLength(), &rect,
                    DT_CALCRECT | DT_NOPREFIX | (bWrap ? DT_WORDBREAK : 0));
        size.cx = m_nCheckBoxSize + 6 + rect.Width();
        size.cy = std::max<LONG>(size.cy, rect.Height());
    }
    return m_pGrid->AddBorders(size, style);
}

BOOL CGXCheckBox::ConvertTextToValue(CString& text, ROWCOL nRow, ROWCOL nCol, const CGXStyle* pOldStyle)
{
    const CGXStyle& style = pOldStyle != nullptr ? *pOldStyle : m_pGrid->LookupStyleRowCol(nRow, nCol);
    if (IsTriState(style) && !SameText(text, CheckedText(style)) && !SameText(text, UncheckedText(style)))
        text.Empty();
    return TRUE;
}

// ---- Toggling ----

void CGXCheckBox::OnClickedButton(CGXChild* pChild)
{
    if (!OnStartEditing() || IsReadOnly())
        return;
    const CGXStyle& style = GetCachedStyle();
    if (IsStyleReadOnly(style))
        return;
    const CString next = NextValue(style.GetValue(), style);
    m_pGrid->SetValueRange(CGXRange(m_nRow, m_nCol), next);
    CGXControl::OnClickedButton(pChild);
}

BOOL CGXCheckBox::LButtonDown(UINT, CPoint point, UINT)
{
    if (!m_bInit || IsReadOnly() || IsStyleReadOnly(GetCachedStyle()))
        return FALSE;
    if (LayoutBox().PtInRect(point))
    {
        m_bPressed = TRUE;
        Refresh();
    }
    return TRUE;
}

BOOL CGXCheckBox::MouseMove(UINT, CPoint point)
{
    if (!m_bInit || IsReadOnly())
        return FALSE;
    // Pressed while the held mouse is over the box, released once it leaves it.
    const BOOL bInside = CGXControl::GetCellRect(m_nRow, m_nCol).PtInRect(point) && LayoutBox().PtInRect(point);
    if (bInside != m_bPressed)
    {
        m_bPressed = bInside;
        Refresh();
    }
    return TRUE;
}

BOOL CGXCheckBox::LButtonUp(UINT nFlags, CPoint point, UINT nHitState)
{
    if (m_bPressed)
    {
        m_bPressed = FALSE;
        Refresh();
    }
    if (!m_bInit)
        return FALSE;
    if (CGXControl::LButtonUp(nFlags, point, nHitState))
        return TRUE;
    if (CGXControl::GetCellRect(m_nRow, m_nCol).PtInRect(point) && LayoutBox().PtInRect(point))
        OnClickedButton(nullptr);
    return TRUE;
}

BOOL CGXCheckBox::LButtonDblClk(UINT nFlags, CPoint point)
{
    m_bPressed = FALSE;
    if (m_bInit && LayoutBox().PtInRect(point))
    {
        OnClickedButton(nullptr);
        return TRUE;
    }
    return CGXControl::LButtonDblClk(nFlags, point);
}

BOOL CGXCheckBox::DispatchKeyMessage(UINT nMessage, UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (CGXControl::DispatchKeyMessage(nMessage, nChar, nRepCnt, nFlags))
        return TRUE;
    if (nMessage == WM_CHAR && nChar == VK_SPACE)
    {
        OnClickedButton(nullptr);
        return TRUE;
    }
    return FALSE;
}

void CGXCheckBox::OnGridSysColorChange()
{
    if (m_hbmScreen != nullptr)
        LoadBitmaps();
    CGXControl::OnGridSysColorChange();
}

void CGXCheckBox::OnGridCancelMode()
{
    if (m_bPressed)
    {
        m_bPressed = FALSE;
        if (m_bInit)
            Refresh();
    }
    CGXControl::OnGridCancelMode();
}

void CGXCheckBox::AddUserAttributes(CGXStylesMap* pStylesMap)
{
    if (pStylesMap == nullptr)
        return;
    pStylesMap->AddUserAttribute(GX_IDS_UA_CHECKBOX_CHECKED);
    pStylesMap->AddUserAttribute(GX_IDS_UA_CHECKBOX_UNCHECKED);
}

// ---- CGXCheckBoxEx ----

CGXCheckBoxEx::CGXCheckBoxEx(CGXGridCore* pGrid, BOOL bDraw3dFrame, UINT nBitmapResourceId, UINT nPrintResourceId)
    : CGXCheckBox(pGrid, bDraw3dFrame, nBitmapResourceId, nPrintResourceId)
{
}

void CGXCheckBoxEx::SetActive(BOOL bActive)
{
    // Editing starts on a fresh copy of the cell's style.
    if (bActive && !m_bActive)
        FreeStyle(FALSE);
    m_bActive = bActive;
}

BOOL CGXCheckBoxEx::IsActive()
{
    return m_bActive;
}

void CGXCheckBoxEx::SetModify(BOOL bModified)
{
    m_bModified = bModified;
}

BOOL CGXCheckBoxEx::GetModify()
{
    return m_bModified;
}

void CGXCheckBoxEx::Init(ROWCOL nRow, ROWCOL nCol)
{
    m_bActive = FALSE;
    m_bModified = FALSE;
    CGXCheckBox::Init(nRow, nCol);
}

BOOL CGXCheckBoxEx::GetValue(CString& value)
{
    if (!m_bInit)
        return FALSE;
    value = GetCachedStyle().GetValue();
    return TRUE;
}

BOOL CGXCheckBoxEx::Store()
{
    return GXCellEditState::StoreStyleValue(*this, m_bInit && m_bActive, m_bModified);
}

void CGXCheckBoxEx::Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
                         const CGXStyle* pStandardStyle)
{
    // The cell being edited shows the own copy's value.
    if (m_bActive && IsInitAt(nRow, nCol) && !m_pGrid->IsPrinting())
        CGXCheckBox::Draw(pDC, rect, nRow, nCol, GetCachedStyle(), pStandardStyle);
    else
        CGXCheckBox::Draw(pDC, rect, nRow, nCol, style, pStandardStyle);
}

void CGXCheckBoxEx::ChangeEditedValue(const CString& value)
{
    GetCachedStyle().SetValue(value);
    m_pGrid->RedrawRowCol(m_nRow, m_nCol);
    m_bModified = TRUE;
    OnModifyCell();
}

void CGXCheckBoxEx::OnClickedButton(CGXChild* pChild)
{
    if (!m_bInit || IsReadOnly() || IsStyleReadOnly(GetCachedStyle()))
        return;
    if (!m_bActive)
    {
        if (!OnStartEditing())
            return;
        SetActive(TRUE);
    }
    const CGXStyle& style = GetCachedStyle();
    ChangeEditedValue(NextValue(style.GetValue(), style));
    CGXControl::OnClickedButton(pChild);
}

BOOL CGXCheckBoxEx::DispatchKeyMessage(UINT nMessage, UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nMessage == WM_KEYDOWN && nChar == VK_DELETE && m_bActive && !IsReadOnly())
    {
        ChangeEditedValue(CString());
        return TRUE;
    }
    return CGXCheckBox::DispatchKeyMessage(nMessage, nChar, nRepCnt, nFlags);
}
