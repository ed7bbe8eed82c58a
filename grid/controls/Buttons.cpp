#include "grid/controls/Buttons.h"

#include "framework/win/Dc.h"
#include "framework/win/Seams.h"
#include "framework/win/WinApp.h"
#include "framework/win/Wnd.h"
#include "grid/controls/ComboBox.h"
#include "grid/controls/ComboBoxWnd.h"
#include "grid/controls/UxTheme.h"
#include "grid/core/AppData.h"
#include "grid/core/DrawingAndFormatting.h"
#include "grid/core/GridCore.h"
#include "grid/core/Style.h"

#include <algorithm>
#include <cstdlib>

namespace
{
// The pushed and focus looks of a button: bit 1 it is the focus child of the current cell, bit 4
// it is pressed as well.
const UINT kStateFocus = 1;
const UINT kStatePushed = 4;

// Theme parts and states of the buttons.
const int kPartPushButton = 1;
const int kPartSpinUp = 1;
const int kPartSpinDown = 2;
const int kStateNormal = 1;
const int kStatePressed = 3;

HWND ThemeOwnerWindow()
{
    CWnd* pMainWnd = AfxGetMainWnd();
    return pMainWnd != nullptr ? pMainWnd->GetSafeHwnd() : nullptr;
}

void FillBlack(CDC* pDC, int x, int y, int cx, int cy)
{
    CGXDrawingAndFormatting::FillSolidRect(pDC, x, y, cx, cy, RGB(0, 0, 0));
}
}  // namespace

// ---- CGXButton ----

CGXButton::CGXButton(CGXControl* pComposite) : CGXChild(pComposite)
{
}

void CGXButton::SetPressed(BOOL bPressed, BOOL bTracking)
{
    const BOOL bChanged = bPressed != m_bPressed || bTracking != m_bTracking;
    m_bPressed = bPressed;
    m_bTracking = bTracking;
    if (bChanged && m_bRedrawOnChange)
        Refresh();
}

BOOL CGXButton::DrawFace(CDC* pDC, BOOL bPushed, LPCWSTR pszClassList, int nPart, int nState)
{
    if (pDC == nullptr)
        return FALSE;
    if (GXUxTheme::DrawThemedBackground(ThemeOwnerWindow(), pszClassList, pDC->GetSafeHdc(), nPart, nState,
                                        &m_rect))
        return TRUE;
    DrawClassicFace(pDC, bPushed, GXGetAppData()->m_sysColors.GetColor(COLOR_BTNFACE));
    return FALSE;
}

void CGXButton::DrawClassicFace(CDC* pDC, BOOL bPushed, COLORREF face)
{
    CGXDrawingAndFormatting::FillSolidRect(pDC, m_rect, face);
    CGXDrawingAndFormatting::DrawEdgeRect(pDC, m_rect.left, m_rect.top, m_rect.right, m_rect.bottom,
                                          bPushed ? EDGE_SUNKEN : EDGE_RAISED, FALSE);
}

void CGXButton::DrawCaption(CDC* pDC, UINT nState)
{
    CRect rectCaption(m_rect.left + 1, m_rect.top + 1, m_rect.right - 2, m_rect.bottom - 2);
    if ((nState & kStatePushed) != 0)
        rectCaption.OffsetRect(1, 1);
    const CString caption = GetText();
    // An empty caption shows "--".
    CGXDrawingAndFormatting::GetInstance()->DrawCenteredCaption(
        pDC, rectCaption, (nState & kStateFocus) != 0, caption.IsEmpty() ? "--" : static_cast<LPCTSTR>(caption),
        DT_WORDBREAK);
}

void CGXButton::OnDraw(CDC* pDC, BOOL bActive)
{
    if (pDC == nullptr)
        return;
    UINT nState = bActive && HasFocus() ? kStateFocus : 0;
    if (nState != 0 && m_bPressed)
        nState |= kStatePushed;
    const BOOL bPushed = (nState & kStatePushed) != 0;
    DrawFace(pDC, bPushed, L"BUTTON", kPartPushButton, bPushed ? kStatePressed : kStateNormal);
    DrawCaption(pDC, nState);
}

void CGXButton::Draw(CDC* pDC, BOOL bActive, const CGXStyle& style)
{
    if (pDC == nullptr)
        return;
    if (!style.HasUserAttribute(GX_IDS_UA_PUSHBUTTON_FACECOLOR))
    {
        OnDraw(pDC, bActive);
        return;
    }
    // A face colour of its own is always drawn in the classic look.
    CString faceText;
    style.GetUserAttributeText(GX_IDS_UA_PUSHBUTTON_FACECOLOR, faceText);
    UINT nState = bActive && HasFocus() ? kStateFocus : 0;
    if (nState != 0 && m_bPressed)
        nState |= kStatePushed;
    DrawClassicFace(pDC, (nState & kStatePushed) != 0, static_cast<COLORREF>(std::atol(faceText)));
    const BOOL bDisabled = style.GetIncludeEnabled() && !style.GetEnabled();
    const COLORREF oldText = bDisabled ? ::SetTextColor(pDC->GetSafeHdc(), ::GetSysColor(COLOR_GRAYTEXT)) : 0;
    DrawCaption(pDC, nState);
    if (bDisabled)
        ::SetTextColor(pDC->GetSafeHdc(), oldText);
}

BOOL CGXButton::LButtonDown(UINT, CPoint)
{
    SetPressed(TRUE, TRUE);
    if (m_pComposite != nullptr && m_pComposite->IsActive())
        if (CWnd* pGridWnd = m_pComposite->GetGridWnd())
            ::UpdateWindow(pGridWnd->GetSafeHwnd());
    return TRUE;
}

BOOL CGXButton::MouseMove(UINT, CPoint point)
{
    const BOOL bInside = PtInRect(point);
    // The button pops up while the held mouse is outside it and goes down again when it returns.
    if (m_bTracking && bInside != m_bPressed)
        SetPressed(bInside, m_bTracking);
    return TRUE;
}

BOOL CGXButton::LButtonUp(UINT, CPoint point)
{
    if (m_bPressed && PtInRect(point) && m_pComposite != nullptr)
        m_pComposite->OnClickedButton(this);
    SetPressed(FALSE, FALSE);
    return TRUE;
}

BOOL CGXButton::KeyDown(UINT nChar, UINT, UINT)
{
    if (nChar != VK_SPACE)
        return FALSE;
    SetPressed(TRUE, m_bTracking);
    return TRUE;
}

BOOL CGXButton::KeyUp(UINT nChar, UINT, UINT)
{
    if (nChar != VK_SPACE || !m_bPressed)
        return FALSE;
    if (m_pComposite != nullptr)
        m_pComposite->OnClickedButton(this);
    SetPressed(FALSE, m_bTracking);
    return TRUE;
}

void CGXButton::OnGridCancelMode()
{
    if (!m_bPressed && !m_bTracking)
        return;
    m_bPressed = FALSE;
    m_bTracking = FALSE;
    Refresh();
}

// ---- CGXHotSpotButton ----

CGXHotSpotButton::CGXHotSpotButton(CGXControl* pComposite) : CGXButton(pComposite)
{
}

void CGXHotSpotButton::OnDraw(CDC* pDC, BOOL bActive)
{
    if (pDC == nullptr || !bActive)
        return;
    const BOOL bPushed = IsPushed(bActive);
    const BOOL bThemed = DrawFace(pDC, bPushed, L"BUTTON", kPartPushButton, bPushed ? kStatePressed : kStateNormal);
    if (m_rect.Height() < 12)
        return;
    // An arrow that comes down and points downwards; the classic pushed face moves it with the face.
    const int x = m_rect.left + (!bThemed && bPushed ? 1 : 0);
    const int y = m_rect.top + (!bThemed && bPushed ? 1 : 0);
    FillBlack(pDC, x + 3, y + 3, 6, 2);
    FillBlack(pDC, x + 6, y + 4, 3, 3);
    FillBlack(pDC, x + 4, y + 7, 7, 1);
    FillBlack(pDC, x + 5, y + 8, 5, 1);
    FillBlack(pDC, x + 6, y + 9, 3, 1);
    FillBlack(pDC, x + 7, y + 10, 1, 1);
}

// ---- CGXArrowButton ----

CGXArrowButton::CGXArrowButton(CGXControl* pComposite) : CGXButton(pComposite)
{
}

BOOL CGXArrowButton::LButtonDown(UINT nFlags, CPoint point)
{
    CGXButton::LButtonDown(nFlags, point);
    m_dwLastTick = AfxGetTickCount();
    m_dwRepeatDelay = 500;
    // The grid hands the held button the resting mouse on its timer, so the repeat needs no move.
    if (CWnd* pGridWnd = m_pComposite != nullptr ? m_pComposite->GetGridWnd() : nullptr)
        if (pGridWnd->GetSafeHwnd() != nullptr)
            ::SetTimer(pGridWnd->GetSafeHwnd(), GX_CHILDREPEAT_TIMER, 25, nullptr);
    // The press is the first click.
    if (m_pComposite != nullptr)
        m_pComposite->OnClickedButton(this);
    return TRUE;
}

BOOL CGXArrowButton::MouseMove(UINT nFlags, CPoint point)
{
    CGXButton::MouseMove(nFlags, point);
    const DWORD dwNow = AfxGetTickCount();
    // Unsigned arithmetic keeps the wait right across the tick count's wrap.
    if (m_bPressed && PtInRect(point) && dwNow - m_dwLastTick >= m_dwRepeatDelay)
    {
        if (m_dwRepeatDelay > 150)
            m_dwRepeatDelay = 150;
        else if (m_dwRepeatDelay > 50)
            m_dwRepeatDelay -= 5;
        m_dwLastTick = dwNow;
        if (m_pComposite != nullptr)
            m_pComposite->OnClickedButton(this);
    }
    return TRUE;
}

BOOL CGXArrowButton::LButtonUp(UINT, CPoint)
{
    SetPressed(FALSE, FALSE);
    if (CWnd* pGridWnd = m_pComposite != nullptr ? m_pComposite->GetGridWnd() : nullptr)
        if (pGridWnd->GetSafeHwnd() != nullptr)
            ::KillTimer(pGridWnd->GetSafeHwnd(), GX_CHILDREPEAT_TIMER);
    return TRUE;
}

void CGXArrowButton::DrawArrow(CDC* pDC, BOOL bActive, BOOL bUp)
{
    if (pDC == nullptr || !bActive)
        return;
    const BOOL bPushed = IsPushed(bActive);
    if (DrawFace(pDC, bPushed, L"SPIN", bUp ? kPartSpinUp : kPartSpinDown, bPushed ? kStatePressed : kStateNormal))
        return;
    const int h = m_rect.Height();
    const int w = m_rect.Width();
    if (h < 5)
        return;
    const BOOL bSmall = h < 8;
    int dy = bUp ? (bSmall ? (h - 3) / 2 : (h - 5) / 2) : (bSmall ? (h - 2) / 2 : (h - 4) / 2);
    int dx = bSmall ? (w - 5) / 2 : (w - 7) / 2;
    if (dy < 1)
        dy = 0;
    if (dx < 1)
        dx = 0;
    const int x = m_rect.left + dx + (bPushed ? 1 : 0);
    const int y = m_rect.top + dy + (bPushed ? 1 : 0);
    // Rows from the origin downwards: (offset, width); the widest (or narrowest) row only from 8 pixels.
    const int rowsUp[4][2] = {{3, 1}, {2, 3}, {1, 5}, {0, 7}};
    const int rowsDown[4][2] = {{0, 7}, {1, 5}, {2, 3}, {3, 1}};
    const int(*rows)[2] = bUp ? rowsUp : rowsDown;
    const int nRows = bSmall ? 3 : 4;
    for (int i = 0; i < nRows && y + i < m_rect.bottom; ++i)
        FillBlack(pDC, x + rows[i][0], y + i, rows[i][1], 1);
}

CGXUpArrowButton::CGXUpArrowButton(CGXControl* pComposite) : CGXArrowButton(pComposite)
{
}

void CGXUpArrowButton::OnDraw(CDC* pDC, BOOL bActive)
{
    DrawArrow(pDC, bActive, TRUE);
}

CGXDownArrowButton::CGXDownArrowButton(CGXControl* pComposite) : CGXArrowButton(pComposite)
{
}

void CGXDownArrowButton::OnDraw(CDC* pDC, BOOL bActive)
{
    DrawArrow(pDC, bActive, FALSE);
}

// ---- CGXComboBoxButton ----

CGXComboBoxButton::CGXComboBoxButton(CGXControl* pComposite) : CGXButton(pComposite)
{
}

void CGXComboBoxButton::OnDraw(CDC* pDC, BOOL bActive)
{
    const CGXComboBox* pCombo = m_pComposite != nullptr && m_pComposite->IsKindOf(GRID_CONTROL_CLASSINFO(CGXComboBox))
                                    ? dynamic_cast<const CGXComboBox*>(m_pComposite)
                                    : nullptr;
    DrawDropButton(pDC, bActive, pCombo != nullptr && pCombo->m_bDisplayEveryCell, FALSE);
}

void CGXComboBoxButton::DrawDropButton(CDC* pDC, BOOL bActive, BOOL bShowAlways, BOOL bDisabled)
{
    if (pDC == nullptr || (!bActive && !bShowAlways))
        return;
    // Outside the current cell the button is never down.
    const BOOL bPushed = IsPushed(bActive);
    if (GXUxTheme::IsAppThemed() && GXUxTheme::IsThemeActive())
    {
        if (HTHEME hTheme = GXUxTheme::OpenThemeData(ThemeOwnerWindow(), L"COMBOBOX"))
        {
            const int nState = bPushed ? kStatePressed : bShowAlways ? 4 : kStateNormal;
            GXUxTheme::DrawThemeBackground(hTheme, pDC->GetSafeHdc(), 1, nState, &m_rect, nullptr);
            GXUxTheme::DrawThemeEdge(hTheme, pDC->GetSafeHdc(), 1, nState, &m_rect, bPushed ? EDGE_SUNKEN : EDGE_RAISED,
                                     BF_RECT, nullptr);
            GXUxTheme::CloseThemeData(hTheme);
            return;
        }
    }
    DrawClassicFace(pDC, bPushed, GXGetAppData()->m_sysColors.GetColor(COLOR_BTNFACE));
    const CGXSysColors& colors = GXGetAppData()->m_sysColors;
    const HBITMAP hArrow = bDisabled ? colors.m_hbm2 : colors.m_hbm1;
    if (hArrow == nullptr)
        return;
    CRect rect(m_rect);
    rect.DeflateRect(0, 2);
    BITMAP bitmap = {};
    ::GetObjectA(hArrow, sizeof bitmap, &bitmap);
    int x = rect.left + std::max(0, (rect.Width() - static_cast<int>(bitmap.bmWidth)) / 2);
    int y = rect.top + std::max(0, (rect.Height() - static_cast<int>(bitmap.bmHeight)) / 2);
    if (bPushed)
    {
        ++x;
        ++y;
    }
    const int cx = std::min<int>(bitmap.bmWidth, rect.Width() - 1);
    const int cy = std::min<int>(bitmap.bmHeight, rect.Height() - 1);
    if (cx <= 0 || cy <= 0)
        return;
    const HDC hMemDC = ::CreateCompatibleDC(pDC->GetSafeHdc());
    const HGDIOBJ hOld = ::SelectObject(hMemDC, hArrow);
    ::BitBlt(pDC->GetSafeHdc(), x, y, cx, cy, hMemDC, 0, 0, SRCCOPY);
    ::SelectObject(hMemDC, hOld);
    ::DeleteDC(hMemDC);
}

// ---- CGXComboBoxWndButton ----

CGXComboBoxWndButton::CGXComboBoxWndButton(CGXControl* pComposite) : CGXComboBoxButton(pComposite)
{
}

void CGXComboBoxWndButton::Draw(CDC* pDC, BOOL bActive, const CGXStyle& style)
{
    CGXComboBoxWnd* pCombo = m_pComposite != nullptr && m_pComposite->IsKindOf(GRID_CONTROL_CLASSINFO(CGXComboBoxWnd))
                                 ? dynamic_cast<CGXComboBoxWnd*>(m_pComposite)
                                 : nullptr;
    // The shown combo window draws its own button.
    if (bActive && m_pComposite != nullptr && m_pComposite->IsActive())
        return;
    const BOOL bDisabled = style.GetIncludeEnabled() && !style.GetEnabled();
    DrawDropButton(pDC, bActive, pCombo != nullptr && pCombo->m_bDisplayEveryCell, bDisabled);
}

void CGXComboBoxWndButton::OnDraw(CDC* pDC, BOOL bActive)
{
    const CGXStyle style;
    Draw(pDC, bActive, style);
}
