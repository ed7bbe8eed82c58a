#include "framework/win/Dc.h"
#include "grid/controls/Calendar.h"
#include "grid/controls/UxTheme.h"
#include "grid/core/AppData.h"
#include "grid/core/DrawingAndFormatting.h"

#include <vssym32.h>

#include <cstdio>

IMPLEMENT_DYNCREATE(CGXBPanel, CObject)
IMPLEMENT_DYNCREATE(CGXBDayBox, CGXBPanel)
IMPLEMENT_DYNCREATE(CGXBCalTitle, CGXBPanel)

namespace
{
const CGXSysColors& SysColors()
{
    return GXGetAppData()->m_sysColors;
}

void Frame(HDC hDC, const RECT& rect, int nWidth, COLORREF topLeft, COLORREF bottomRight)
{
    CDC* pDC = CDC::FromHandle(hDC);
    for (int i = 0; i < nWidth; ++i)
    {
        const int cx = rect.right - rect.left - 2 * i;
        const int cy = rect.bottom - rect.top - 2 * i;
        if (cx <= 0 || cy <= 0)
            return;
        const int x = rect.left + i;
        const int y = rect.top + i;
        CGXDrawingAndFormatting::FillSolidRect(pDC, x, y, cx - 1, 1, topLeft);
        CGXDrawingAndFormatting::FillSolidRect(pDC, x, y, 1, cy - 1, topLeft);
        CGXDrawingAndFormatting::FillSolidRect(pDC, x + cx - 1, y, 1, cy, bottomRight);
        CGXDrawingAndFormatting::FillSolidRect(pDC, x, y + cy - 1, cx, 1, bottomRight);
    }
}

LCID UserLocale()
{
    const LCID lcid = GXGetAppData()->m_lcidUser;
    return lcid != 0 ? lcid : ::GetUserDefaultLCID();
}
}  // namespace

// ---- CGXBPanel ----

void CGXBPanel::Create(const RECT& rect, CWnd* pOwner, BOOL bSelected, BOOL bMarked, DWORD dwFrameStyle,
                       DWORD dwBehaviour, int nInset)
{
    m_rect = rect;
    m_pOwner = pOwner;
    m_dwFrameStyle = dwFrameStyle;
    m_dwBehaviour = dwBehaviour;
    m_nInset = nInset;
    m_bSelected = bSelected;
    m_bMarked = bMarked;
    m_bCreated = TRUE;
    m_bNeedsLayout = TRUE;
    Layout();
}

CRect CGXBPanel::SetRect(const RECT& rect)
{
    const CRect old = m_rect;
    m_rect = rect;
    m_bNeedsLayout = TRUE;
    return old;
}

DWORD CGXBPanel::SetBehaviour(DWORD dwBehaviour)
{
    const DWORD dwOld = m_dwBehaviour;
    m_dwBehaviour = dwBehaviour;
    m_bNeedsLayout = TRUE;
    return dwOld;
}

DWORD CGXBPanel::SetFrameStyle(DWORD dwStyle)
{
    const DWORD dwOld = m_dwFrameStyle;
    m_dwFrameStyle = dwStyle;
    m_bNeedsLayout = TRUE;
    return dwOld;
}

int CGXBPanel::SetInset(int nInset)
{
    const int nOld = m_nInset;
    m_nInset = nInset;
    m_bNeedsLayout = TRUE;
    return nOld;
}

COLORREF CGXBPanel::SetTextColor(COLORREF color)
{
    const COLORREF old = m_textColor;
    m_textColor = color;
    m_bNeedsLayout = TRUE;
    return old;
}

void CGXBPanel::Invalidate()
{
    if (!m_bCreated || m_pOwner == nullptr || m_pOwner->GetSafeHwnd() == nullptr)
        return;
    CRect rect = m_rect;
    rect.InflateRect(1, 1);
    ::InvalidateRect(m_pOwner->GetSafeHwnd(), &rect, FALSE);
    ::UpdateWindow(m_pOwner->GetSafeHwnd());
}

BOOL CGXBPanel::SetSelected(BOOL bSelected, BOOL bRedraw)
{
    if ((m_dwBehaviour & GXBCAL_SELECTABLE) == 0)
        return FALSE;
    m_bSelected = bSelected;
    m_bNeedsLayout = TRUE;
    if (bRedraw)
        Invalidate();
    return TRUE;
}

BOOL CGXBPanel::SetMarked(BOOL bMarked, BOOL bRedraw)
{
    if ((m_dwBehaviour & GXBCAL_MARKABLE) == 0)
    {
        m_bMarked = FALSE;
        return FALSE;
    }
    m_bMarked = bMarked;
    m_bNeedsLayout = TRUE;
    if (bRedraw)
        Invalidate();
    return TRUE;
}

void CGXBPanel::Layout()
{
    m_nOuter = (m_dwFrameStyle & (m_bSelected ? 0x8 : 0x10)) != 0 ? 1 : 0;
    m_nInsetFrame = (m_dwFrameStyle & (m_bSelected ? 0x2 : 0x4)) != 0 ? m_nInset : 0;
    m_nMarkFrame = m_bMarked && (m_dwFrameStyle & (m_bSelected ? 0x20 : 0x40)) != 0 ? m_nInset : 0;
    m_nTotalInset = m_nOuter + m_nInsetFrame + m_nMarkFrame;
    m_bNeedsLayout = FALSE;
}

CRect CGXBPanel::GetInnerRect()
{
    if (m_bNeedsLayout)
        Layout();
    CRect inner = m_rect;
    inner.DeflateRect(m_nTotalInset, m_nTotalInset);
    if (inner.IsRectEmpty())
        inner.SetRectEmpty();
    return inner;
}

BOOL CGXBPanel::Themed() const
{
    return GXUxTheme::IsAppThemed() && GXUxTheme::IsThemeActive();
}

void CGXBPanel::DrawOuterFrame(CDC* pDC)
{
    if (m_nOuter > 0)
        Frame(pDC->GetSafeHdc(), m_rect, 1, m_frameColor, m_frameColor);
}

void CGXBPanel::DrawInsetFrame(CDC* pDC)
{
    if (m_nInsetFrame == 0)
        return;
    const CGXSysColors& colors = SysColors();
    CRect rect = m_rect;
    rect.DeflateRect(m_nOuter, m_nOuter);
    if (m_bSelected)
        Frame(pDC->GetSafeHdc(), rect, m_nInsetFrame, colors.m_clrBtnShadow, colors.m_clrBtnHilight);
    else
        Frame(pDC->GetSafeHdc(), rect, m_nInsetFrame, colors.m_clrBtnHilight, colors.m_clrBtnShadow);
}

void CGXBPanel::DrawMarkFrame(CDC* pDC)
{
    if (m_nMarkFrame == 0)
        return;
    CRect rect = m_rect;
    rect.DeflateRect(m_nOuter + m_nInsetFrame, m_nOuter + m_nInsetFrame);
    Frame(pDC->GetSafeHdc(), rect, m_nMarkFrame, m_markColor, m_markColor);
}

void CGXBPanel::FillInside(CDC* pDC)
{
    const CRect inner = GetInnerRect();
    ::ExtTextOutA(pDC->GetSafeHdc(), 0, 0, ETO_OPAQUE, &inner, nullptr, 0, nullptr);
}

void CGXBPanel::DrawPanelText(CDC* pDC, const CString& text, COLORREF color)
{
    const HDC hDC = pDC->GetSafeHdc();
    const CRect inner = GetInnerRect();
    const COLORREF oldColor = ::SetTextColor(hDC, color);
    const int nOldMode = ::SetBkMode(hDC, Themed() ? TRANSPARENT : OPAQUE);
    if ((m_dwFrameStyle & 0x80) != 0)
    {
        TEXTMETRICA tm = {};
        ::GetTextMetricsA(hDC, &tm);
        const UINT nOldAlign = ::SetTextAlign(hDC, TA_CENTER | TA_BASELINE);
        ::ExtTextOutA(hDC, inner.left + inner.Width() / 2, inner.top + inner.Height() / 2 + tm.tmAscent / 2,
                      Themed() ? 0 : ETO_OPAQUE, &inner, text, text.GetLength(), nullptr);
        ::SetTextAlign(hDC, nOldAlign);
    }
    else
        ::ExtTextOutA(hDC, inner.left + inner.Width() / 10, inner.top + inner.Height() / 10,
                      Themed() ? 0 : ETO_OPAQUE, &inner, text, text.GetLength(), nullptr);
    ::SetBkMode(hDC, nOldMode);
    ::SetTextColor(hDC, oldColor);
}

void CGXBPanel::DrawText(CDC* pDC)
{
    DrawPanelText(pDC, m_strText, m_textColor);
}

void CGXBPanel::Draw(CDC* pDC)
{
    if (m_bNeedsLayout)
        Layout();
    const HDC hDC = pDC->GetSafeHdc();
    const CGXSysColors& colors = SysColors();
    const COLORREF oldBack = ::SetBkColor(hDC, colors.m_clrBtnFace);
    const COLORREF oldText = ::SetTextColor(hDC, m_textColor);
    int nState = PBS_NORMAL;
    if (m_bSelected)
        nState = PBS_PRESSED;
    else if ((m_dwBehaviour & GXBCAL_SELECTABLE) == 0)
        nState = PBS_DISABLED;
    const HWND hOwner = m_pOwner != nullptr ? m_pOwner->GetSafeHwnd() : nullptr;
    if (Themed() && GXUxTheme::DrawThemedBackground(hOwner, L"Button", hDC, BP_PUSHBUTTON, nState, &m_rect))
        DrawText(pDC);
    else
    {
        DrawOuterFrame(pDC);
        DrawInsetFrame(pDC);
        FillInside(pDC);
        DrawText(pDC);
    }
    DrawMarkFrame(pDC);
    ::SetTextColor(hDC, oldText);
    ::SetBkColor(hDC, oldBack);
}

// ---- CGXBDayBox ----

COleDateTime CGXBDayBox::SetDate(const COleDateTime& date)
{
    const COleDateTime old = m_date;
    m_date = date;
    m_strText.Format("%d", date.GetDay());
    m_bNeedsLayout = TRUE;
    return old;
}

BOOL CGXBDayBox::SetOtherMonth(BOOL bOther)
{
    const BOOL bOld = m_bOtherMonth;
    m_bOtherMonth = bOther;
    if (!bOther)
        m_dwBehaviour |= GXBCAL_SELECTABLE | GXBCAL_MARKABLE;
    else if ((m_dwBehaviour & GXBCAL_OTHERMONTHSELECTABLE) != 0)
        m_dwBehaviour &= ~GXBCAL_MARKABLE;
    else
        m_dwBehaviour &= ~(GXBCAL_SELECTABLE | GXBCAL_MARKABLE);
    m_bNeedsLayout = TRUE;
    return bOld;
}

void CGXBDayBox::DrawText(CDC* pDC)
{
    const BOOL bOther = m_bOtherMonth && (m_dwFrameStyle & 0x100) != 0;
    DrawPanelText(pDC, m_strText, bOther ? m_otherMonthColor : m_textColor);
}

CGXBCalendar* CGXBDayBox::Calendar() const
{
    return dynamic_cast<CGXBCalendar*>(m_pOwner);
}

void CGXBDayBox::OnClick()
{
    CGXBCalendar* pCalendar = Calendar();
    if (pCalendar == nullptr)
        return;
    if (m_bOtherMonth && (m_dwBehaviour & GXBCAL_OTHERMONTHSELECTABLE) == 0)
    {
        const COleDateTime date = m_date;
        if (!pCalendar->ShowDate(date))
            return;
        // The boxes were refilled: the date now lies in another box.
        if ((m_dwBehaviour & GXBCAL_CLICKSELECTS) != 0)
            pCalendar->SelectDate(date, TRUE);
        else
            pCalendar->ToggleDate(date);
        return;
    }
    if ((m_dwBehaviour & GXBCAL_CLICKSELECTS) != 0)
        pCalendar->SelectDate(m_date, TRUE);
    else
        pCalendar->ToggleDate(m_date);
}

void CGXBDayBox::OnRightClick()
{
    CGXBCalendar* pCalendar = Calendar();
    if (pCalendar == nullptr)
        return;
    const COleDateTime date = m_date;
    if (m_bOtherMonth && (m_dwBehaviour & GXBCAL_OTHERMONTHSELECTABLE) == 0 && !pCalendar->ShowDate(date))
        return;
    pCalendar->ToggleMark(date);
}

void CGXBDayBox::OnDoubleClick()
{
    if (!m_bSelected)
        OnClick();
    if ((m_dwBehaviour & GXBCAL_DBLCLKCHOOSES) != 0 && m_pOwner != nullptr && m_pOwner->GetSafeHwnd() != nullptr)
        ::PostMessageA(m_pOwner->GetSafeHwnd(), GXBM_CALENDAR_CHOSEN, 0, reinterpret_cast<LPARAM>(this));
}

// ---- CGXBDayBar ----

CString CGXBDayBar::GetDayName(int nWeekday) const
{
    // Weekday 1 (Sunday) is the locale's seventh day name, 2-7 (Monday-Saturday) its first six.
    const int nIndex = nWeekday == 1 ? 6 : nWeekday - 2;
    const LCTYPE type =
        static_cast<LCTYPE>(((m_dwFrameStyle & 0x20000000) != 0 ? LOCALE_SDAYNAME1 : LOCALE_SABBREVDAYNAME1) + nIndex);
    char sz[256] = {};
    ::GetLocaleInfoA(UserLocale(), type, sz, sizeof sz);
    return sz;
}

void CGXBDayBar::DrawText(CDC* pDC)
{
    const HDC hDC = pDC->GetSafeHdc();
    const CRect inner = GetInnerRect();
    static const double kColumns[8] = {0, 0.143, 0.286, 0.429, 0.572, 0.715, 0.858, 1.0};
    TEXTMETRICA tm = {};
    ::GetTextMetricsA(hDC, &tm);
    const UINT nOldAlign = ::SetTextAlign(hDC, TA_CENTER | TA_BASELINE);
    const int nOldMode = ::SetBkMode(hDC, TRANSPARENT);
    const COLORREF oldColor = ::SetTextColor(hDC, m_textColor);
    for (int i = 0; i < 7; ++i)
    {
        const int nLeft = inner.left + static_cast<int>(kColumns[i] * (inner.Width() - 1));
        const int nRight = inner.left + static_cast<int>(kColumns[i + 1] * (inner.Width() - 1));
        const CString name = GetDayName((m_nFirstDayOfWeek - 1 + i) % 7 + 1);
        ::TextOutA(hDC, (nLeft + nRight) / 2, inner.top + inner.Height() / 2 + tm.tmAscent / 2, name,
                   name.GetLength());
    }
    ::SetTextColor(hDC, oldColor);
    ::SetBkMode(hDC, nOldMode);
    ::SetTextAlign(hDC, nOldAlign);
}

// ---- CGXBCalTitle ----

CGXBCalTitle::~CGXBCalTitle()
{
    for (CButton*& pButton : m_pButtons)
    {
        delete pButton;
        pButton = nullptr;
    }
}

CButton* CGXBCalTitle::GetButton(UINT nId)
{
    for (CButton* pButton : m_pButtons)
        if (pButton != nullptr && static_cast<UINT>(::GetDlgCtrlID(pButton->m_hWnd)) == nId)
            return pButton;
    return nullptr;
}

void CGXBCalTitle::CreateButtons(CGXBCalendar* pCalendar, DWORD dwCalendarStyle)
{
    m_pCalendar = pCalendar;
    struct TitleButton
    {
        const char* pszCaption;
        UINT nId;
        DWORD dwBit;
    } buttons[4] = {{"<<", GX_IDC_CAL_PREVYEAR, GXBCAL_YEARBUTTONS},
                  {"<", GX_IDC_CAL_PREVMONTH, GXBCAL_MONTHBUTTONS},
                  {">", GX_IDC_CAL_NEXTMONTH, GXBCAL_MONTHBUTTONS},
                  {">>", GX_IDC_CAL_NEXTYEAR, GXBCAL_YEARBUTTONS}};
    for (int i = 0; i < 4; ++i)
    {
        if ((dwCalendarStyle & buttons[i].dwBit) == 0 || m_pButtons[i] != nullptr)
            continue;
        m_pButtons[i] = new CButton;
        if (!m_pButtons[i]->Create(buttons[i].pszCaption, WS_CHILD | BS_PUSHBUTTON, CRect(0, 0, 0, 0), pCalendar,
                                   buttons[i].nId))
        {
            delete m_pButtons[i];
            m_pButtons[i] = nullptr;
        }
    }
}

void CGXBCalTitle::SetTitleRect(const RECT& rect)
{
    SetRect(rect);
    const int w = m_rect.Width();
    const int h = m_rect.Height();
    const int top = m_rect.top + h / 5;
    const int bottom = m_rect.bottom - h / 5;
    const BOOL bDouble = m_pButtons[0] != nullptr || m_pButtons[3] != nullptr;
    auto place = [&](CButton* pButton, double from, double to, BOOL bLeft) {
        if (pButton == nullptr)
            return;
        const int a = static_cast<int>(from * w);
        const int b = static_cast<int>(to * w);
        const int left = bLeft ? m_rect.left + a : m_rect.right - b;
        const int right = bLeft ? m_rect.left + b : m_rect.right - a;
        ::MoveWindow(pButton->m_hWnd, left, top, right - left, bottom - top, FALSE);
        ::ShowWindow(pButton->m_hWnd, SW_SHOWNA);
    };
    place(m_pButtons[0], 0.05, 0.15, TRUE);
    place(m_pButtons[3], 0.05, 0.15, FALSE);
    place(m_pButtons[1], bDouble ? 0.15 : 0.05, bDouble ? 0.25 : 0.15, TRUE);
    place(m_pButtons[2], bDouble ? 0.15 : 0.05, bDouble ? 0.25 : 0.15, FALSE);
}

void CGXBCalTitle::SetDate(const COleDateTime& date)
{
    const int nMonth = date.GetMonth();
    if (nMonth < 1)
        return;
    const LCTYPE type = static_cast<LCTYPE>(
        ((m_dwFrameStyle & 0x10000000) != 0 ? LOCALE_SMONTHNAME1 : LOCALE_SABBREVMONTHNAME1) + nMonth - 1);
    char sz[256] = {};
    ::GetLocaleInfoA(UserLocale(), type, sz, sizeof sz);
    m_strText.Format("%s %d", sz, date.GetYear());
    m_bNeedsLayout = TRUE;
}

void CGXBCalTitle::Draw(CDC* pDC)
{
    CGXBPanel::Draw(pDC);
    const HGDIOBJ hFont = ::GetCurrentObject(pDC->GetSafeHdc(), OBJ_FONT);
    for (CButton* pButton : m_pButtons)
        if (pButton != nullptr)
        {
            ::SendMessageA(pButton->m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(hFont), TRUE);
            ::RedrawWindow(pButton->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        }
}
