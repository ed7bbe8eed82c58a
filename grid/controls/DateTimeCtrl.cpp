#include "grid/controls/DateTimeCtrl.h"

#include "framework/win/Dc.h"
#include "framework/win/Seams.h"
#include "framework/win/WinApp.h"
#include "grid/controls/Calendar.h"
#include "grid/controls/UxTheme.h"
#include "grid/core/AppData.h"
#include "grid/core/DrawingAndFormatting.h"

#include <oleauto.h>
#include <vssym32.h>
#include <windowsx.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <map>

IMPLEMENT_DYNAMIC(CGXBDTGadget, CObject)
IMPLEMENT_DYNAMIC(CGXBDTStaticGadget, CGXBDTGadget)
IMPLEMENT_DYNAMIC(CGXBDTNumericGadget, CGXBDTGadget)
IMPLEMENT_DYNAMIC(CGXBDTListGadget, CGXBDTGadget)
IMPLEMENT_DYNAMIC(CGXBDTSpinGadget, CGXBDTGadget)
IMPLEMENT_DYNAMIC(CGXBDTButtonGadget, CGXBDTGadget)
IMPLEMENT_DYNAMIC(CGXBDateTimeCtrl, CWnd)

namespace
{
const double kMinDate = -657434.0;
const double kMaxDate = 2958465.0;
const UINT kTypeAheadDelay = 2000;

// The gadgets whose thread timers run, by timer id.
std::map<UINT_PTR, CGXBDTGadget*>& TimerMap()
{
    static std::map<UINT_PTR, CGXBDTGadget*> map;
    return map;
}

void CALLBACK GadgetTimerProc(HWND, UINT, UINT_PTR nId, DWORD)
{
    CGXBDTGadget::TimerTick(nId);
}

LCID UserLocale()
{
    const LCID lcid = GXGetAppData()->m_lcidUser;
    return lcid != 0 ? lcid : ::GetUserDefaultLCID();
}

CString LocaleText(LCTYPE type)
{
    char sz[256] = {};
    ::GetLocaleInfoA(UserLocale(), type, sz, sizeof sz);
    return sz;
}

int DaysInMonth(int nYear, int nMonth)
{
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const BOOL bLeap = (nYear % 4 == 0 && nYear % 100 != 0) || nYear % 400 == 0;
    return nMonth == 2 && bLeap ? 29 : kDays[nMonth - 1];
}

// Whole seconds of a span, rounded half a second away from zero.
long long SpanSeconds(double days)
{
    const double half = 1.0 / 172800.0;
    return static_cast<long long>((days + (days < 0 ? -half : half)) * 86400.0);
}

void DrawArrow(HDC hDC, const RECT& rect, BOOL bUp, BOOL bPressed)
{
    const CGXSysColors& colors = GXGetAppData()->m_sysColors;
    CDC* pDC = CDC::FromHandle(hDC);
    CGXDrawingAndFormatting::FillSolidRect(pDC, rect, colors.m_clrBtnFace);
    ::DrawEdge(hDC, const_cast<RECT*>(&rect), bPressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    const int cx = (rect.left + rect.right) / 2 + (bPressed ? 1 : 0);
    const int cy = (rect.top + rect.bottom) / 2 + (bPressed ? 1 : 0);
    POINT points[3];
    if (bUp)
    {
        points[0] = {cx - 3, cy + 1};
        points[1] = {cx + 3, cy + 1};
        points[2] = {cx, cy - 2};
    }
    else
    {
        points[0] = {cx - 3, cy - 1};
        points[1] = {cx + 3, cy - 1};
        points[2] = {cx, cy + 2};
    }
    const HBRUSH hBrush = ::CreateSolidBrush(colors.m_clrWindowText);
    const HGDIOBJ hOldBrush = ::SelectObject(hDC, hBrush);
    const HGDIOBJ hOldPen = ::SelectObject(hDC, ::GetStockObject(NULL_PEN));
    ::Polygon(hDC, points, 3);
    ::SelectObject(hDC, hOldPen);
    ::SelectObject(hDC, hOldBrush);
    ::DeleteObject(hBrush);
}

// Draws a field's text centred in its rectangle, highlighted when it has the focus.
void DrawFieldText(HDC hDC, const CRect& rect, const CString& text, BOOL bFocus)
{
    const CGXSysColors& colors = GXGetAppData()->m_sysColors;
    RECT r = rect;
    if (bFocus)
    {
        const COLORREF oldBack = ::SetBkColor(hDC, colors.m_clrHighlight);
        const COLORREF oldText = ::SetTextColor(hDC, colors.m_clrHighlightText);
        const int nOldMode = ::SetBkMode(hDC, OPAQUE);
        ::ExtTextOutA(hDC, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
        ::DrawTextA(hDC, text, text.GetLength(), &r, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
        ::SetBkMode(hDC, nOldMode);
        ::SetTextColor(hDC, oldText);
        ::SetBkColor(hDC, oldBack);
    }
    else
        ::DrawTextA(hDC, text, text.GetLength(), &r, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
}

CSize MeasureLine(CDC* pDC, const CString& text)
{
    SIZE size = {};
    ::GetTextExtentPoint32A(pDC->GetSafeHdc(), text.IsEmpty() ? " " : static_cast<LPCTSTR>(text),
                            text.IsEmpty() ? 1 : text.GetLength(), &size);
    return CSize(text.IsEmpty() ? 0 : size.cx, size.cy);
}
}  // namespace

// ---- CGXBDTGadget ----

void CGXBDTGadget::SetFocusState(BOOL bFocus)
{
    m_bFocus = bFocus;
    Redraw();
}

void CGXBDTGadget::Redraw()
{
    if (m_pCtrl == nullptr || m_pCtrl->GetSafeHwnd() == nullptr)
        return;
    CRect rect = m_rect;
    if ((m_nFlags & flagFixed) == 0)
        rect.OffsetRect(-m_pCtrl->m_nScroll, 0);
    ::InvalidateRect(m_pCtrl->GetSafeHwnd(), &rect, FALSE);
}

void CGXBDTGadget::StartTimer(UINT nElapse)
{
    StopTimer();
    m_nTimer = ::SetTimer(nullptr, 0, nElapse, &GadgetTimerProc);
    if (m_nTimer != 0)
        TimerMap()[m_nTimer] = this;
}

void CGXBDTGadget::StopTimer()
{
    if (m_nTimer == 0)
        return;
    auto it = TimerMap().find(m_nTimer);
    if (it != TimerMap().end())
    {
        ::KillTimer(nullptr, m_nTimer);
        TimerMap().erase(it);
    }
    m_nTimer = 0;
}

void CGXBDTGadget::TimerTick(UINT_PTR nId)
{
    auto it = TimerMap().find(nId);
    if (it != TimerMap().end())
        it->second->OnTimer();
}

UINT_PTR CGXBDTGadget::TimerOf(const CGXBDTGadget* pGadget)
{
    return pGadget != nullptr ? pGadget->m_nTimer : 0;
}

// ---- Static ----

void CGXBDTStaticGadget::CalcSize(CDC* pDC)
{
    const CSize size = MeasureLine(pDC, m_strText);
    m_rect.right = m_rect.left + size.cx;
    m_rect.bottom = m_rect.top + size.cy;
}

void CGXBDTStaticGadget::Draw(CDC* pDC)
{
    RECT rect = m_rect;
    ::DrawTextA(pDC->GetSafeHdc(), m_strText, m_strText.GetLength(), &rect, DT_SINGLELINE | DT_NOPREFIX);
}

// ---- Numeric ----

CGXBDTNumericGadget::CGXBDTNumericGadget(int nId, int nMin, int nMax, BOOL bLeadingZero)
    : m_nMin(nMin), m_nMax(nMax), m_nWidth(nMax < 10 ? 1 : nMax < 100 ? 2 : nMax < 1000 ? 3 : 4),
      m_bLeadingZero(bLeadingZero)
{
    m_nId = nId;
}

void CGXBDTNumericGadget::CalcSize(CDC* pDC)
{
    const CSize size = MeasureLine(pDC, CString("00000").Left(m_nWidth));
    m_rect.right = m_rect.left + size.cx;
    m_rect.bottom = m_rect.top + size.cy;
}

CString CGXBDTNumericGadget::GetText() const
{
    const int nShown = m_nTypedCount > 0 ? m_nTyped : m_nValue;
    CString text;
    if (m_bLeadingZero)
    {
        char format[16];
        std::snprintf(format, sizeof format, "%%0%dd", m_nWidth);
        text.Format(format, nShown);
    }
    else
        text.Format("%d", nShown);
    return text;
}

void CGXBDTNumericGadget::Draw(CDC* pDC)
{
    DrawFieldText(pDC->GetSafeHdc(), m_rect, GetText(), m_bFocus);
}

BOOL CGXBDTNumericGadget::Commit()
{
    if (m_nTypedCount == 0)
        return TRUE;
    m_nTypedCount = 0;
    const int nTyped = m_nTyped;
    BOOL bAccepted = m_pCtrl->OnFieldAction(CGXBDateTimeCtrl::actTest, m_nId, nTyped);
    if (bAccepted)
    {
        m_nValue = nTyped;
        bAccepted = m_pCtrl->OnFieldAction(CGXBDateTimeCtrl::actSet, m_nId, nTyped);
    }
    if (!bAccepted)
    {
        AfxMessageBeep(0xFFFFFFFF);
        Redraw();
    }
    m_pCtrl->OnFieldAction(CGXBDateTimeCtrl::actTyping, m_nId, 0);
    Redraw();
    return bAccepted;
}

void CGXBDTNumericGadget::SetFocusState(BOOL bFocus)
{
    if (!bFocus)
        Commit();
    CGXBDTGadget::SetFocusState(bFocus);
}

void CGXBDTNumericGadget::OnCancelMode()
{
    Commit();
}

void CGXBDTNumericGadget::OnKeyDown(UINT nChar)
{
    const BOOL bDigit = (nChar >= '0' && nChar <= '9') || (nChar >= VK_NUMPAD0 && nChar <= VK_NUMPAD9);
    if (!bDigit && !Commit())
        return;
    switch (nChar)
    {
    case VK_END:
        m_pCtrl->OnFieldAction(CGXBDateTimeCtrl::actLast, m_nId, 0);
        break;
    case VK_HOME:
        m_pCtrl->OnFieldAction(CGXBDateTimeCtrl::actFirst, m_nId, 0);
        break;
    case VK_UP:
    case VK_ADD:
        m_pCtrl->OnFieldAction(CGXBDateTimeCtrl::actUp, m_nId, 0);
        break;
    case VK_DOWN:
    case VK_SUBTRACT:
        m_pCtrl->OnFieldAction(CGXBDateTimeCtrl::actDown, m_nId, 0);
        break;
    default:
        break;
    }
}

void CGXBDTNumericGadget::OnChar(UINT nChar)
{
    if (nChar < '0' || nChar > '9')
    {
        if (m_nTypedCount > 0)
        {
            AfxMessageBeep(0xFFFFFFFF);
            m_nTypedCount = 0;
            Redraw();
            m_pCtrl->OnFieldAction(CGXBDateTimeCtrl::actTyping, m_nId, 0);
        }
        return;
    }
    const int nDigit = static_cast<int>(nChar - '0');
    // A typed 0 counts as a digit even while the number is still 0: "00" sets 0, "05" is complete.
    if (m_nTypedCount == 0)
    {
        m_pCtrl->OnFieldAction(CGXBDateTimeCtrl::actTyping, m_nId, 1);
        m_nTyped = nDigit;
        m_nTypedCount = 1;
    }
    else
    {
        m_nTyped = m_nTyped * 10 + nDigit;
        ++m_nTypedCount;
    }
    Redraw();
    if (m_nTypedCount >= m_nWidth && Commit())
        m_pCtrl->OnFieldAction(CGXBDateTimeCtrl::actComplete, m_nId, 0);
}

// ---- List ----

void CGXBDTListGadget::CalcSize(CDC* pDC)
{
    CSize size(0, MeasureLine(pDC, " ").cy);
    for (INT_PTR i = 0; i < m_strings.GetSize(); ++i)
    {
        const CSize item = MeasureLine(pDC, m_strings.GetAt(i));
        size.cx = std::max(size.cx, item.cx);
        size.cy = std::max(size.cy, item.cy);
    }
    m_rect.right = m_rect.left + size.cx;
    m_rect.bottom = m_rect.top + size.cy;
}

CString CGXBDTListGadget::GetText() const
{
    return m_nValue >= 0 && m_nValue < m_strings.GetSize() ? m_strings.GetAt(m_nValue) : CString();
}

void CGXBDTListGadget::Draw(CDC* pDC)
{
    DrawFieldText(pDC->GetSafeHdc(), m_rect, GetText(), m_bFocus);
}

void CGXBDTListGadget::EndTypeAhead()
{
    StopTimer();
    m_strPrefix.Empty();
}

void CGXBDTListGadget::SetFocusState(BOOL bFocus)
{
    EndTypeAhead();
    CGXBDTGadget::SetFocusState(bFocus);
}

void CGXBDTListGadget::OnCancelMode()
{
    EndTypeAhead();
}

void CGXBDTListGadget::OnTimer()
{
    EndTypeAhead();
}

void CGXBDTListGadget::OnKeyDown(UINT nChar)
{
    switch (nChar)
    {
    case VK_END:
        EndTypeAhead();
        m_pCtrl->OnFieldAction(CGXBDateTimeCtrl::actLast, m_nId, 0);
        break;
    case VK_HOME:
        EndTypeAhead();
        m_pCtrl->OnFieldAction(CGXBDateTimeCtrl::actFirst, m_nId, 0);
        break;
    case VK_UP:
    case VK_ADD:
        EndTypeAhead();
        m_pCtrl->OnFieldAction(CGXBDateTimeCtrl::actUp, m_nId, 0);
        break;
    case VK_DOWN:
    case VK_SUBTRACT:
        EndTypeAhead();
        m_pCtrl->OnFieldAction(CGXBDateTimeCtrl::actDown, m_nId, 0);
        break;
    default:
        break;
    }
}

int CGXBDTListGadget::FindItem(const CString& text, int nFrom)
{
    const INT_PTR nCount = m_strings.GetSize();
    for (INT_PTR n = 0; n < nCount; ++n)
    {
        const int nIndex = static_cast<int>((nFrom + n) % nCount);
        if (m_strings.GetAt(nIndex).Left(text.GetLength()).CompareNoCase(text) == 0 &&
            m_pCtrl->OnFieldAction(CGXBDateTimeCtrl::actTest, m_nId, nIndex))
            return nIndex;
    }
    return -1;
}

void CGXBDTListGadget::OnChar(UINT nChar)
{
    if (m_strings.GetSize() == 0 || nChar < 0x20)
        return;
    const char ch = static_cast<char>(nChar);
    int nFound = -1;
    if (m_strPrefix.IsEmpty())
    {
        nFound = FindItem(CString(ch), m_nValue + 1);
        if (nFound < 0)
        {
            AfxMessageBeep(0xFFFFFFFF);
            return;
        }
        m_strPrefix = CString(ch);
    }
    else if (m_strPrefix.GetLength() == 1 && std::tolower(static_cast<unsigned char>(m_strPrefix[0])) ==
                                                 std::tolower(static_cast<unsigned char>(ch)))
    {
        // The same initial again cycles through the items that begin with it.
        nFound = FindItem(m_strPrefix, m_nValue + 1);
    }
    else
    {
        const CString prefix = m_strPrefix + CString(ch);
        nFound = FindItem(prefix, m_nValue);
        if (nFound < 0)
        {
            EndTypeAhead();
            AfxMessageBeep(0xFFFFFFFF);
            return;
        }
        m_strPrefix = prefix;
    }
    if (nFound >= 0)
        m_pCtrl->OnFieldAction(CGXBDateTimeCtrl::actSet, m_nId, nFound);
    StartTimer(kTypeAheadDelay);
}

// ---- Spin ----

CGXBDTSpinGadget::CGXBDTSpinGadget()
{
    m_nId = CGXBDateTimeCtrl::idSpin;
    m_nFlags = flagMouse;
}

UINT CGXBDTSpinGadget::GetInitialDelay()
{
    return m_pCtrl != nullptr ? m_pCtrl->m_nSpinDelay : 500;
}

UINT CGXBDTSpinGadget::GetRepeatDelay()
{
    return m_pCtrl != nullptr ? m_pCtrl->m_nSpinRepeat : 100;
}

void CGXBDTSpinGadget::CalcSize(CDC*)
{
    RECT client = {};
    if (m_pCtrl != nullptr && m_pCtrl->GetSafeHwnd() != nullptr)
        ::GetClientRect(m_pCtrl->GetSafeHwnd(), &client);
    m_rect.right = m_rect.left + 16;
    m_rect.bottom = m_rect.top + client.bottom;
}

void CGXBDTSpinGadget::Draw(CDC* pDC)
{
    const HDC hDC = pDC->GetSafeHdc();
    const int nMiddle = (m_rect.top + m_rect.bottom) / 2;
    RECT up = {m_rect.left, m_rect.top, m_rect.right, nMiddle};
    RECT down = {m_rect.left, nMiddle, m_rect.right, m_rect.bottom};
    const BOOL bUpPressed = (m_nSpinState & (spinUp | spinPressed)) == (spinUp | spinPressed);
    const BOOL bDownPressed = (m_nSpinState & (spinDown | spinPressed)) == (spinDown | spinPressed);
    const HWND hWnd = m_pCtrl != nullptr ? m_pCtrl->GetSafeHwnd() : nullptr;
    if (!GXUxTheme::DrawThemedBackground(hWnd, L"SPIN", hDC, SPNP_UP, bUpPressed ? UPS_PRESSED : UPS_NORMAL, &up))
        DrawArrow(hDC, up, TRUE, bUpPressed);
    if (!GXUxTheme::DrawThemedBackground(hWnd, L"SPIN", hDC, SPNP_DOWN, bDownPressed ? DNS_PRESSED : DNS_NORMAL, &down))
        DrawArrow(hDC, down, FALSE, bDownPressed);
}

void CGXBDTSpinGadget::OnLButtonDown(UINT, CPoint point)
{
    const BOOL bDown = point.y > (m_rect.top + m_rect.bottom) / 2;
    m_nSpinState = (bDown ? spinDown : spinUp) | spinPressed;
    m_nRepeatCount = 0;
    m_pCtrl->m_pCaptured = this;
    ::SetCapture(m_pCtrl->GetSafeHwnd());
    Redraw();
    m_pCtrl->OnFieldAction(bDown ? CGXBDateTimeCtrl::actDownBy : CGXBDateTimeCtrl::actUpBy, m_nId, 1);
    StartTimer(GetInitialDelay());
}

void CGXBDTSpinGadget::OnMouseMove(UINT, CPoint point)
{
    if ((m_nSpinState & (spinUp | spinDown)) == 0)
        return;
    const int nMiddle = (m_rect.top + m_rect.bottom) / 2;
    const BOOL bUp = (m_nSpinState & spinUp) != 0;
    const CRect half(m_rect.left, bUp ? m_rect.top : nMiddle, m_rect.right, bUp ? nMiddle : m_rect.bottom);
    const BOOL bOver = half.PtInRect(point);
    if (bOver == ((m_nSpinState & spinPressed) != 0))
        return;
    if (bOver)
    {
        m_nSpinState |= spinPressed;
        StartTimer(GetRepeatDelay());
    }
    else
    {
        m_nSpinState &= ~spinPressed;
        StopTimer();
    }
    Redraw();
}

void CGXBDTSpinGadget::Release()
{
    StopTimer();
    m_nSpinState = 0;
    if (m_pCtrl->m_pCaptured == this)
    {
        m_pCtrl->m_pCaptured = nullptr;
        ::ReleaseCapture();
    }
    Redraw();
}

void CGXBDTSpinGadget::OnLButtonUp(UINT, CPoint)
{
    Release();
}

void CGXBDTSpinGadget::OnCancelMode()
{
    Release();
}

void CGXBDTSpinGadget::OnTimer()
{
    if ((m_nSpinState & spinPressed) == 0)
        return;
    if ((m_nSpinState & spinRepeating) == 0)
    {
        m_nSpinState |= spinRepeating;
        StartTimer(GetRepeatDelay());
    }
    ++m_nRepeatCount;
    const int nStep = m_nRepeatCount <= 20 ? 1 : m_nRepeatCount <= 50 ? 2 : 5;
    const BOOL bDown = (m_nSpinState & spinDown) != 0;
    m_pCtrl->OnFieldAction(bDown ? CGXBDateTimeCtrl::actDownBy : CGXBDateTimeCtrl::actUpBy, m_nId, nStep);
}

// ---- Button ----

CGXBDTButtonGadget::CGXBDTButtonGadget(UINT nBitmapId) : m_nBitmapId(nBitmapId)
{
    m_nId = CGXBDateTimeCtrl::idButton;
    m_nFlags = flagMouse;
    LoadImage();
}

CGXBDTButtonGadget::~CGXBDTButtonGadget()
{
    if (m_hBitmap != nullptr)
        ::DeleteObject(m_hBitmap);
}

BOOL CGXBDTButtonGadget::LoadImage()
{
    if (m_hBitmap != nullptr)
        ::DeleteObject(m_hBitmap);
    m_hBitmap = nullptr;
    CBitmap bitmap;
    if (!CGXDrawingAndFormatting::LoadBitmapResource(bitmap, MAKEINTRESOURCEA(m_nBitmapId)))
        return FALSE;
    m_hBitmap = static_cast<HBITMAP>(bitmap.Detach());
    return TRUE;
}

void CGXBDTButtonGadget::OnSysColorChange()
{
    LoadImage();
}

void CGXBDTButtonGadget::CalcSize(CDC*)
{
    RECT client = {};
    if (m_pCtrl != nullptr && m_pCtrl->GetSafeHwnd() != nullptr)
        ::GetClientRect(m_pCtrl->GetSafeHwnd(), &client);
    m_rect.right = m_rect.left + 16;
    m_rect.bottom = m_rect.top + client.bottom;
}

void CGXBDTButtonGadget::Draw(CDC* pDC)
{
    const HDC hDC = pDC->GetSafeHdc();
    RECT rect = m_rect;
    const HWND hWnd = m_pCtrl != nullptr ? m_pCtrl->GetSafeHwnd() : nullptr;
    if (!GXUxTheme::DrawThemedBackground(hWnd, L"BUTTON", hDC, BP_PUSHBUTTON, m_bPressed ? PBS_PRESSED : PBS_NORMAL,
                                         &rect))
    {
        CGXDrawingAndFormatting::FillSolidRect(pDC, rect, GXGetAppData()->m_sysColors.m_clrBtnFace);
        ::DrawEdge(hDC, &rect, m_bPressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    }
    if (m_hBitmap == nullptr)
        return;
    BITMAP bm = {};
    ::GetObjectA(m_hBitmap, sizeof bm, &bm);
    const int nShift = m_bPressed ? 1 : 0;
    if (const HDC hMem = ::CreateCompatibleDC(hDC))
    {
        const HGDIOBJ hOld = ::SelectObject(hMem, m_hBitmap);
        ::BitBlt(hDC, m_rect.left + (m_rect.Width() - bm.bmWidth) / 2 + nShift,
                 m_rect.top + (m_rect.Height() - bm.bmHeight) / 2 + nShift, bm.bmWidth, bm.bmHeight, hMem, 0, 0,
                 SRCCOPY);
        ::SelectObject(hMem, hOld);
        ::DeleteDC(hMem);
    }
}

void CGXBDTButtonGadget::OnLButtonDown(UINT, CPoint)
{
    m_bPressed = TRUE;
    m_pCtrl->m_pCaptured = this;
    ::SetCapture(m_pCtrl->GetSafeHwnd());
    Redraw();
}

void CGXBDTButtonGadget::OnMouseMove(UINT, CPoint point)
{
    if (m_pCtrl->m_pCaptured != this)
        return;
    const BOOL bOver = m_rect.PtInRect(point);
    if (bOver != m_bPressed)
    {
        m_bPressed = bOver;
        Redraw();
    }
}

void CGXBDTButtonGadget::OnLButtonUp(UINT, CPoint point)
{
    if (m_pCtrl->m_pCaptured != this)
        return;
    m_pCtrl->m_pCaptured = nullptr;
    ::ReleaseCapture();
    m_bPressed = FALSE;
    Redraw();
    if (m_rect.PtInRect(point))
        m_pCtrl->OnFieldAction(CGXBDateTimeCtrl::actButton, m_nId, 0);
}

void CGXBDTButtonGadget::OnCancelMode()
{
    if (m_pCtrl->m_pCaptured == this)
    {
        m_pCtrl->m_pCaptured = nullptr;
        ::ReleaseCapture();
    }
    m_bPressed = FALSE;
    Redraw();
}

// ---- CGXBDateTimeCtrl ----

CGXBDateTimeCtrl::CGXBDateTimeCtrl()
    : m_textColor(GXGetAppData()->m_sysColors.m_clrWindowText), m_backColor(GXGetAppData()->m_sysColors.m_clrWindow),
      m_value(COleDateTime::GetCurrentTime()), m_min(kMinDate), m_max(kMaxDate)
{
}

CGXBDateTimeCtrl::~CGXBDateTimeCtrl()
{
    EndCapture();
    DeleteCalendar();
    if (m_hWnd != nullptr)
        DestroyWindow();
    for (INT_PTR i = 0; i < m_gadgets.GetSize(); ++i)
    {
        m_gadgets.GetAt(i)->StopTimer();
        delete m_gadgets.GetAt(i);
    }
    m_gadgets.RemoveAll();
}

BOOL CGXBDateTimeCtrl::Split(const COleDateTime& date, Parts& parts)
{
    if (date.GetStatus() != COleDateTime::valid || date.m_dt < kMinDate || date.m_dt > kMaxDate)
        return FALSE;
    parts.year = date.GetYear();
    parts.month = date.GetMonth();
    parts.day = date.GetDay();
    parts.hour = date.GetHour();
    parts.minute = date.GetMinute();
    parts.second = date.GetSecond();
    parts.dayOfWeek = date.GetDayOfWeek();
    return parts.year > 0;
}

BOOL CGXBDateTimeCtrl::Build(const Parts& parts, COleDateTime& date)
{
    return date.SetDateTime(parts.year, parts.month, parts.day, parts.hour, parts.minute, parts.second) == 0 &&
           date.GetStatus() == COleDateTime::valid;
}

BOOL CGXBDateTimeCtrl::Create(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParent, UINT nID,
                              LPVOID lpParam)
{
    const LPCTSTR pszClass = AfxRegisterWndClass(0, GXGetAppData()->m_sysColors.m_hcurArrow, nullptr, nullptr);
    if (!CreateEx(dwExStyle, pszClass, "", dwStyle | WS_CHILD, rect, pParent, nID, lpParam))
        return FALSE;
    HFONT hFont = pParent != nullptr && pParent->GetSafeHwnd() != nullptr
                      ? reinterpret_cast<HFONT>(::SendMessageA(pParent->GetSafeHwnd(), WM_GETFONT, 0, 0))
                      : nullptr;
    m_hFont = hFont != nullptr ? hFont : static_cast<HFONT>(::GetStockObject(SYSTEM_FONT));
    if ((dwStyle & GXDT_DTS_CALENDAR) != 0)
    {
        CGXBDTButtonGadget* pButton = new CGXBDTButtonGadget(m_nButtonBitmap);
        pButton->m_nFlags |= CGXBDTGadget::flagFixed;
        AddGadget(pButton);
    }
    if ((dwStyle & GXDT_DTS_UPDOWN) != 0)
    {
        CGXBDTSpinGadget* pSpin = new CGXBDTSpinGadget;
        pSpin->m_nFlags |= CGXBDTGadget::flagFixed;
        AddGadget(pSpin);
    }
    m_nFixed = GetGadgetCount();
    m_nCurrent = m_nFixed;
    ParseFormat();
    LayoutGadgets();
    return TRUE;
}

void CGXBDateTimeCtrl::AddGadget(CGXBDTGadget* pGadget)
{
    pGadget->m_pCtrl = this;
    m_gadgets.Add(pGadget);
}

void CGXBDateTimeCtrl::AddStatic(const CString& text)
{
    if (!text.IsEmpty())
        AddGadget(new CGXBDTStaticGadget(text));
}

CString CGXBDateTimeCtrl::FormatString() const
{
    switch (m_nFormatType)
    {
    case fmtTime:
        return LocaleText(LOCALE_STIMEFORMAT);
    case fmtShortDate:
        return LocaleText(LOCALE_SSHORTDATE);
    case fmtLongDate:
        return LocaleText(LOCALE_SLONGDATE);
    case fmtCustom:
        return m_strCustom;
    default:
        return LocaleText(LOCALE_SSHORTDATE) + " " + LocaleText(LOCALE_STIMEFORMAT);
    }
}

void CGXBDateTimeCtrl::ParseFormat()
{
    m_bHasDateFields = FALSE;
    const CString format = FormatString();
    CString pending;
    const int nLength = format.GetLength();
    int i = 0;
    while (i < nLength)
    {
        const char c = format[i];
        if (c == '\'' || c == '"')
        {
            AddStatic(pending);
            pending.Empty();
            int j = i + 1;
            while (j < nLength && format[j] != c)
                ++j;
            AddStatic(format.Mid(i + 1, j - i - 1));
            i = j < nLength ? j + 1 : j;
            continue;
        }
        if (::IsDBCSLeadByte(static_cast<BYTE>(c)) && i + 1 < nLength)
        {
            pending += format.Mid(i, 2);
            i += 2;
            continue;
        }
        const BOOL bCode = std::strchr("hHmstdMyg", c) != nullptr;
        if (!bCode)
        {
            pending += c;
            ++i;
            continue;
        }
        AddStatic(pending);
        pending.Empty();
        const int nMax = (c == 'd' || c == 'M' || c == 'y') ? 4 : 2;
        int n = 0;
        while (i < nLength && format[i] == c && n < nMax)
        {
            ++i;
            ++n;
        }
        CGXBDTGadget* pGadget = nullptr;
        UINT nNoEditBit = 0;
        switch (c)
        {
        case 'h':
            pGadget = new CGXBDTNumericGadget(idHour12, 1, 12, n == 2);
            nNoEditBit = noEditHour;
            break;
        case 'H':
            pGadget = new CGXBDTNumericGadget(idHour24, 0, 23, n == 2);
            nNoEditBit = noEditHour;
            break;
        case 'm':
            pGadget = new CGXBDTNumericGadget(idMinute, 0, 59, n == 2);
            nNoEditBit = noEditMinute;
            break;
        case 's':
            pGadget = new CGXBDTNumericGadget(idSecond, 0, 59, n == 2);
            nNoEditBit = noEditSecond;
            break;
        case 't':
        {
            CGXBDTListGadget* pList = new CGXBDTListGadget(idAmPm);
            for (LCTYPE type : {LOCALE_S1159, LOCALE_S2359})
            {
                const CString designator = LocaleText(type);
                pList->m_strings.Add(n == 1 ? designator.Left(1) : designator);
            }
            pGadget = pList;
            nNoEditBit = noEditHour;
            break;
        }
        case 'd':
            m_bHasDateFields = TRUE;
            nNoEditBit = noEditDay;
            if (n <= 2)
                pGadget = new CGXBDTNumericGadget(idDay, 1, 31, n == 2);
            else
            {
                CGXBDTListGadget* pList = new CGXBDTListGadget(idDayName);
                const LCTYPE base = n == 3 ? LOCALE_SABBREVDAYNAME1 : LOCALE_SDAYNAME1;
                pList->m_strings.Add(LocaleText(base + 6));
                for (int d = 0; d < 6; ++d)
                    pList->m_strings.Add(LocaleText(base + static_cast<LCTYPE>(d)));
                pGadget = pList;
            }
            break;
        case 'M':
            m_bHasDateFields = TRUE;
            nNoEditBit = noEditMonth;
            if (n <= 2)
                pGadget = new CGXBDTNumericGadget(idMonth, 1, 12, n == 2);
            else
            {
                CGXBDTListGadget* pList = new CGXBDTListGadget(idMonthName);
                const LCTYPE base = n == 3 ? LOCALE_SABBREVMONTHNAME1 : LOCALE_SMONTHNAME1;
                for (int m = 0; m < 12; ++m)
                    pList->m_strings.Add(LocaleText(base + static_cast<LCTYPE>(m)));
                pGadget = pList;
            }
            break;
        case 'y':
            m_bHasDateFields = TRUE;
            nNoEditBit = noEditYear;
            pGadget = n <= 2 ? new CGXBDTNumericGadget(idYear2, 0, 99, n == 2)
                             : new CGXBDTNumericGadget(idYear4, 0, 9999, FALSE);
            break;
        default:
            // The era ("g", "gg") is skipped.
            m_bHasDateFields = TRUE;
            break;
        }
        if (pGadget != nullptr)
        {
            if ((m_nNoEdit & nNoEditBit) != 0)
                pGadget->m_nFlags &= ~CGXBDTGadget::flagFocus;
            AddGadget(pGadget);
        }
    }
    AddStatic(pending);
    RefreshGadgets(nullptr);
}

void CGXBDateTimeCtrl::DeleteScrollingGadgets()
{
    for (INT_PTR i = m_gadgets.GetSize() - 1; i >= m_nFixed; --i)
    {
        m_gadgets.GetAt(i)->StopTimer();
        delete m_gadgets.GetAt(i);
        m_gadgets.RemoveAt(i);
    }
}

void CGXBDateTimeCtrl::RebuildGadgets()
{
    if (m_hWnd == nullptr)
        return;
    EndCapture();
    DeleteCalendar();
    m_nCurrent = 0;
    m_nScroll = 0;
    DeleteScrollingGadgets();
    ParseFormat();
    LayoutGadgets();
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CGXBDateTimeCtrl::SetFormatType(int nType)
{
    m_nFormatType = nType;
    RebuildGadgets();
}

void CGXBDateTimeCtrl::SetCustomFormat(LPCTSTR pszFormat)
{
    m_strCustom = pszFormat != nullptr ? pszFormat : "";
    m_nFormatType = fmtCustom;
    RebuildGadgets();
}

void CGXBDateTimeCtrl::SetNoEdit(UINT nMask)
{
    m_nNoEdit = nMask;
    RebuildGadgets();
}

void CGXBDateTimeCtrl::RefreshGadgets(const Parts* pOld)
{
    Parts parts = {};
    if (!Split(m_value, parts))
        return;
    m_bPM = parts.hour >= 12;
    for (INT_PTR i = 0; i < m_gadgets.GetSize(); ++i)
    {
        CGXBDTGadget* pGadget = m_gadgets.GetAt(i);
        BOOL bChanged = pOld == nullptr;
        int nValue = pGadget->m_nValue;
        switch (pGadget->m_nId)
        {
        case idHour12:
        case idHour24:
        case idAmPm:
            bChanged = bChanged || pOld->hour != parts.hour;
            nValue = pGadget->m_nId == idHour24 ? parts.hour
                     : pGadget->m_nId == idAmPm ? (parts.hour >= 12 ? 1 : 0)
                                                : (parts.hour % 12 == 0 ? 12 : parts.hour % 12);
            break;
        case idMinute:
            bChanged = bChanged || pOld->minute != parts.minute;
            nValue = parts.minute;
            break;
        case idSecond:
            bChanged = bChanged || pOld->second != parts.second;
            nValue = parts.second;
            break;
        case idDay:
            bChanged = bChanged || pOld->day != parts.day;
            nValue = parts.day;
            break;
        case idDayName:
            bChanged = bChanged || pOld->dayOfWeek != parts.dayOfWeek;
            nValue = parts.dayOfWeek - 1;
            break;
        case idMonth:
        case idMonthName:
            bChanged = bChanged || pOld->month != parts.month;
            nValue = pGadget->m_nId == idMonth ? parts.month : parts.month - 1;
            break;
        case idYear2:
        case idYear4:
            bChanged = bChanged || pOld->year != parts.year;
            nValue = pGadget->m_nId == idYear2 ? parts.year % 100 : parts.year;
            break;
        default:
            bChanged = FALSE;
            break;
        }
        if (bChanged && nValue != pGadget->m_nValue)
        {
            pGadget->m_nValue = nValue;
            pGadget->Redraw();
        }
    }
}

BOOL CGXBDateTimeCtrl::SetDateTime(const COleDateTime& value)
{
    if (value.GetStatus() != COleDateTime::valid)
        return FALSE;
    Parts old = {};
    const BOOL bOld = Split(m_value, old);
    m_value = value;
    RefreshGadgets(bOld ? &old : nullptr);
    return TRUE;
}

BOOL CGXBDateTimeCtrl::SetRange(const COleDateTime& minimumIn, const COleDateTime& maximumIn, int nMode)
{
    if (minimumIn.GetStatus() != COleDateTime::valid || maximumIn.GetStatus() != COleDateTime::valid ||
        minimumIn > maximumIn)
        return FALSE;
    COleDateTime minimum = minimumIn;
    COleDateTime maximum = maximumIn;
    if (nMode == 1 || nMode == 2)
    {
        for (COleDateTime* pBound : {&minimum, &maximum})
        {
            Parts parts = {};
            if (!Split(*pBound, parts))
                return FALSE;
            if (nMode == 1)
                pBound->SetDateTime(1899, 12, 30, parts.hour, parts.minute, parts.second);
            else
                pBound->SetDateTime(parts.year, parts.month, parts.day, 0, 0, 0);
            if (pBound->GetStatus() != COleDateTime::valid)
                return FALSE;
        }
    }
    m_min = minimum;
    m_max = maximum;
    m_nMode = nMode;
    COleDateTime value = m_value;
    if (Validate(value, -1) && m_hWnd != nullptr)
        SetDateTime(value);
    return TRUE;
}

BOOL CGXBDateTimeCtrl::Comparable(const COleDateTime& date, COleDateTime& comparable) const
{
    Parts parts = {};
    switch (m_nMode)
    {
    case 1:
        if (!Split(date, parts))
            return FALSE;
        comparable.SetDateTime(1899, 12, 30, parts.hour, parts.minute, parts.second);
        return TRUE;
    case 2:
        if (!Split(date, parts))
            return FALSE;
        comparable.SetDateTime(parts.year, parts.month, parts.day, 0, 0, 0);
        return TRUE;
    case 3:
        comparable = date;
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL CGXBDateTimeCtrl::Validate(COleDateTime& date, int nLevel)
{
    Parts parts = {};
    if (!Split(date, parts))
        return FALSE;
    if (m_nMode == 0)
        return TRUE;
    COleDateTime comparable;
    if (!Comparable(date, comparable))
        return FALSE;
    if (comparable >= m_min && comparable <= m_max)
        return TRUE;
    const COleDateTime& bound = comparable < m_min ? m_min : m_max;
    const double linear = COleDateTime::LinearFromDate(comparable.m_dt) - COleDateTime::LinearFromDate(bound.m_dt);
    if (SpanSeconds(linear) == 0)
        return TRUE;
    if (nLevel == 0)
        return FALSE;
    Parts have = {};
    Parts limit = {};
    if (!Split(comparable, have) || !Split(bound, limit))
        return FALSE;
    // The parts above the level must agree with the bound; those from the level down are snapped.
    const int kAbove[6] = {0, 5, 4, 3, 2, 1};
    const int nAgree = nLevel < 0 ? 0 : kAbove[std::min(nLevel, 5)];
    const int haveParts[5] = {have.year, have.month, have.day, have.hour, have.minute};
    const int limitParts[5] = {limit.year, limit.month, limit.day, limit.hour, limit.minute};
    for (int i = 0; i < nAgree; ++i)
        if (haveParts[i] != limitParts[i])
            return FALSE;
    Parts snapped = parts;
    if (nLevel < 0)
        snapped = limit;
    else
    {
        if (nLevel >= 5)
            snapped.month = limit.month;
        if (nLevel >= 4)
            snapped.day = limit.day;
        if (nLevel >= 3)
            snapped.hour = limit.hour;
        if (nLevel >= 2)
            snapped.minute = limit.minute;
        snapped.second = limit.second;
    }
    COleDateTime result;
    if (!Build(snapped, result) || !Comparable(result, comparable))
        return FALSE;
    if (comparable < m_min || comparable > m_max)
        return FALSE;
    date = result;
    return TRUE;
}

BOOL CGXBDateTimeCtrl::OnChanging(const COleDateTime&)
{
    return TRUE;
}

void CGXBDateTimeCtrl::OnChanged()
{
    if ((::GetWindowLongA(m_hWnd, GWL_EXSTYLE) & WS_EX_NOPARENTNOTIFY) != 0)
        return;
    const HWND hParent = ::GetParent(m_hWnd);
    if (hParent != nullptr)
        ::SendMessageA(hParent, WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(m_hWnd), GXDT_DTN_CHANGED),
                       reinterpret_cast<LPARAM>(m_hWnd));
}

int CGXBDateTimeCtrl::GetCenturyOffset(int nTwoDigitYear)
{
    const COleDateTime sample(1999, 1, 1, 0, 0, 0);
    CString text = sample.Format(VAR_DATEVALUEONLY, UserLocale());
    char year[16];
    std::snprintf(year, sizeof year, "%d", nTwoDigitYear);
    if (text.Find("1999") >= 0)
        text.Replace("1999", year);
    else
        text.Replace("99", year);
    COleDateTime parsed;
    if (!parsed.ParseDateTime(text, VAR_DATEVALUEONLY, UserLocale()))
        return 1900;
    return parsed.GetYear() - nTwoDigitYear;
}

BOOL CGXBDateTimeCtrl::OnFieldAction(int nAction, int nId, int nValue)
{
    if (nAction == actTyping)
    {
        m_nState = nValue != 0 ? (m_nState | 4) : (m_nState & ~4u);
        return TRUE;
    }
    if (nAction == actComplete)
    {
        if (GetFastInput())
            MoveToNext(TRUE);
        return TRUE;
    }
    if (nId == idSpin)
    {
        CGXBDTGadget* pCurrent = GetCurrentGadget();
        if (pCurrent == nullptr || (pCurrent->m_nFlags & CGXBDTGadget::flagFocus) == 0)
            return FALSE;
        nId = pCurrent->m_nId;
    }
    if (nId == idButton)
    {
        ShowCalendar();
        return TRUE;
    }
    Parts parts = {};
    if (!Split(m_value, parts) && !Split(COleDateTime::GetCurrentTime(), parts))
        return FALSE;
    const BOOL bUp = nAction == actUp || nAction == actUpBy;
    const BOOL bStep = nAction >= actUp && nAction <= actDownBy;
    const int nStep = nAction == actUpBy || nAction == actDownBy ? nValue : 1;
    const BOOL bSet = nAction == actTest || nAction == actSet;
    int nLevel = 0;
    BOOL bLowerDay = TRUE;
    switch (nId)
    {
    case idHour12:
    case idHour24:
        nLevel = nAction == actFirst || nAction == actLast ? 3 : 2;
        if (bStep)
            parts.hour = ((parts.hour + (bUp ? 1 : -1) * std::min(nStep, 2)) % 24 + 24) % 24;
        else if (bSet)
        {
            if (nId == idHour24)
            {
                if (nValue < 0 || nValue > 23)
                    return FALSE;
                parts.hour = nValue;
            }
            else
            {
                if (nValue < 1 || nValue > 12)
                    return FALSE;
                parts.hour = (nValue == 12 ? 0 : nValue) + (m_bPM ? 12 : 0);
            }
        }
        else if (nAction == actFirst || nAction == actLast)
            parts.hour = nAction == actFirst ? 0 : 23;
        break;
    case idMinute:
    case idSecond:
    {
        int& field = nId == idMinute ? parts.minute : parts.second;
        nLevel = (nId == idMinute ? 1 : 0) + (nAction == actFirst || nAction == actLast ? 1 : 0);
        if (bStep)
            field = ((field + (bUp ? 1 : -1) * std::min(nStep, 2)) % 60 + 60) % 60;
        else if (bSet)
        {
            if (nValue < 0 || nValue > 59)
                return FALSE;
            field = nValue;
        }
        else if (nAction == actFirst || nAction == actLast)
            field = nAction == actFirst ? 0 : 59;
        break;
    }
    case idAmPm:
        nLevel = 2;
        if (bStep)
            parts.hour = parts.hour < 12 ? parts.hour + 12 : parts.hour - 12;
        else if (bSet)
        {
            if (nValue == 1 && parts.hour < 12)
                parts.hour += 12;
            else if (nValue == 0 && parts.hour >= 12)
                parts.hour -= 12;
        }
        else if (nAction == actFirst && parts.hour >= 12)
            parts.hour -= 12;
        else if (nAction == actLast && parts.hour < 12)
            parts.hour += 12;
        break;
    case idDay:
    case idDayName:
        nLevel = nAction == actFirst || nAction == actLast ? 4 : 3;
        if (bStep)
        {
            parts.day += (bUp ? 1 : -1) * std::min(nStep, 2);
            if (parts.day > DaysInMonth(parts.year, parts.month))
                parts.day = bUp ? 1 : DaysInMonth(parts.year, parts.month);
            if (parts.day < 1)
                parts.day = 31;
        }
        else if (bSet && nId == idDay)
        {
            parts.day = nValue;
            bLowerDay = FALSE;
        }
        else if (bSet)
        {
            if (nValue < 0 || nValue > 6)
                return FALSE;
            COleDateTime moved;
            if (!Build(parts, moved))
                return FALSE;
            moved += COleDateTimeSpan(static_cast<double>(nValue - (parts.dayOfWeek - 1)));
            if (!Split(moved, parts))
                return FALSE;
        }
        else if (nId == idDay)
            parts.day = nAction == actFirst ? 1 : 31;
        else
        {
            COleDateTime moved;
            if (!Build(parts, moved))
                return FALSE;
            const int nShift = nAction == actFirst ? -(parts.dayOfWeek - 1) : 7 - parts.dayOfWeek;
            moved += COleDateTimeSpan(static_cast<double>(nShift));
            if (!Split(moved, parts))
                return FALSE;
        }
        break;
    case idMonth:
    case idMonthName:
        nLevel = nAction == actFirst || nAction == actLast ? 5 : 4;
        if (bStep)
            parts.month = bUp ? parts.month % 12 + 1 : (parts.month + 10) % 12 + 1;
        else if (bSet)
        {
            const int nMonth = nId == idMonthName ? nValue + 1 : nValue;
            if (nMonth < 1 || nMonth > 12)
                return FALSE;
            parts.month = nMonth;
        }
        else if (nAction == actFirst || nAction == actLast)
            parts.month = nAction == actFirst ? 1 : 12;
        break;
    case idYear2:
    case idYear4:
        nLevel = 5;
        if (bStep)
        {
            parts.year += (bUp ? 1 : -1) * nStep;
            parts.year = std::clamp(parts.year, 100, 9999);
        }
        else if (bSet)
        {
            if (nId == idYear4)
                parts.year = nValue;
            else if ((::GetWindowLongA(m_hWnd, GWL_STYLE) & GXDT_DTS_CENTURY) != 0)
            {
                Parts current = {};
                const int nYear = Split(m_value, current) ? current.year : COleDateTime::GetCurrentTime().GetYear();
                parts.year = nYear / 100 * 100 + nValue;
            }
            else
                parts.year = nValue + GetCenturyOffset(nValue);
        }
        else if (nAction == actFirst || nAction == actLast)
        {
            Parts bound = {};
            if (!Split(nAction == actFirst ? m_min : m_max, bound))
                return FALSE;
            parts.year = bound.year;
        }
        break;
    default:
        return FALSE;
    }
    COleDateTime date;
    BOOL bBuilt = parts.year >= 100 && parts.year <= 9999 && Build(parts, date);
    while (!bBuilt && bLowerDay && parts.day >= 29)
    {
        --parts.day;
        bBuilt = Build(parts, date);
    }
    if (!bBuilt || !Validate(date, nLevel))
        return FALSE;
    if (nAction == actTest)
        return TRUE;
    if (!OnChanging(date))
        return FALSE;
    SetDateTime(date);
    m_nState |= 1;
    OnChanged();
    if (m_hWnd != nullptr)
    {
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
        ::UpdateWindow(m_hWnd);
    }
    return TRUE;
}

// ---- Layout, focus and navigation ----

void CGXBDateTimeCtrl::LayoutGadgets()
{
    if (m_hWnd == nullptr)
        return;
    const HDC hDC = ::GetDC(m_hWnd);
    const HGDIOBJ hOld = ::SelectObject(hDC, m_hFont);
    CDC* pDC = CDC::FromHandle(hDC);
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    int x = 1;
    int nRight = client.right;
    m_nFixedWidth = 0;
    for (INT_PTR i = 0; i < m_gadgets.GetSize(); ++i)
    {
        CGXBDTGadget* pGadget = m_gadgets.GetAt(i);
        pGadget->m_rect.SetRect(0, 0, 0, 0);
        pGadget->CalcSize(pDC);
        const int cx = pGadget->m_rect.Width();
        const int cy = pGadget->m_rect.Height();
        if ((pGadget->m_nFlags & CGXBDTGadget::flagFixed) != 0)
        {
            pGadget->m_rect.SetRect(nRight - cx, 0, nRight, cy);
            nRight -= cx;
            m_nFixedWidth += cx;
        }
        else
        {
            pGadget->m_rect.SetRect(x, 1, x + cx, 1 + cy);
            x += cx;
        }
    }
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(m_hWnd, hDC);
}

int CGXBDateTimeCtrl::NextFocusable(int nFrom, BOOL bForward) const
{
    for (int i = nFrom + (bForward ? 1 : -1); i >= 0 && i < GetGadgetCount(); i += bForward ? 1 : -1)
        if ((GetGadget(i)->m_nFlags & CGXBDTGadget::flagFocus) != 0)
            return i;
    return -1;
}

void CGXBDateTimeCtrl::SetFieldFocusStates()
{
    const BOOL bHasFocus = m_hWnd != nullptr && ::GetFocus() == m_hWnd;
    for (int i = 0; i < GetGadgetCount(); ++i)
    {
        const BOOL bFocus = bHasFocus && i == m_nCurrent;
        if (GetGadget(i)->m_bFocus != bFocus)
            GetGadget(i)->SetFocusState(bFocus);
    }
}

BOOL CGXBDateTimeCtrl::SetCurrentIndex(int nIndex)
{
    CGXBDTGadget* pGadget = GetGadget(nIndex);
    if (pGadget == nullptr || (pGadget->m_nFlags & CGXBDTGadget::flagFocus) == 0)
        return FALSE;
    if (CGXBDTGadget* pOld = GetCurrentGadget())
        if (pOld->m_bFocus)
            pOld->SetFocusState(FALSE);
    m_nCurrent = nIndex;
    SetFieldFocusStates();
    ScrollIntoView(nIndex);
    return TRUE;
}

void CGXBDateTimeCtrl::MoveToNext(BOOL bForward)
{
    const int nNext = NextFocusable(m_nCurrent, bForward);
    if (nNext >= m_nFixed)
        SetCurrentIndex(nNext);
}

void CGXBDateTimeCtrl::ScrollIntoView(int nIndex)
{
    CGXBDTGadget* pGadget = GetGadget(nIndex);
    if (pGadget == nullptr || m_hWnd == nullptr || (pGadget->m_nFlags & CGXBDTGadget::flagFixed) != 0)
        return;
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    const int nBand = client.right - 2 - m_nFixedWidth;
    if (pGadget->m_rect.left - m_nScroll < 1)
        m_nScroll = pGadget->m_rect.left;
    else if (pGadget->m_rect.right - m_nScroll > nBand)
        m_nScroll = std::min<int>(pGadget->m_rect.right - nBand, pGadget->m_rect.left);
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

CString CGXBDateTimeCtrl::GetFieldsText() const
{
    CString text;
    for (int i = m_nFixed; i < GetGadgetCount(); ++i)
        text += GetGadget(i)->GetText();
    return text;
}

CGXBDTGadget* CGXBDateTimeCtrl::HitTest(CPoint point) const
{
    for (int i = 0; i < m_nFixed; ++i)
    {
        CGXBDTGadget* pGadget = GetGadget(i);
        if ((pGadget->m_nFlags & (CGXBDTGadget::flagFocus | CGXBDTGadget::flagMouse)) != 0 &&
            pGadget->m_rect.PtInRect(point))
            return pGadget;
    }
    const int x = point.x + m_nScroll;
    CGXBDTGadget* pLast = nullptr;
    for (int i = m_nFixed; i < GetGadgetCount(); ++i)
    {
        CGXBDTGadget* pGadget = GetGadget(i);
        if ((pGadget->m_nFlags & (CGXBDTGadget::flagFocus | CGXBDTGadget::flagMouse)) == 0)
            continue;
        pLast = pGadget;
        if (pGadget->m_rect.right >= x)
            return pGadget;
    }
    return pLast != nullptr ? pLast : (GetGadgetCount() > 0 ? GetGadget(GetGadgetCount() - 1) : nullptr);
}

// ---- Calendar ----

void CGXBDateTimeCtrl::CreateCalendar()
{
    m_pCalendar = new CGXBPopupCalendar;
}

void CGXBDateTimeCtrl::DeleteCalendar()
{
    CGXBPopupCalendar* pCalendar = m_pCalendar;
    m_pCalendar = nullptr;
    delete pCalendar;
}

void CGXBDateTimeCtrl::ShowCalendar()
{
    if (CGXBDTGadget* pCurrent = GetCurrentGadget())
        pCurrent->OnCancelMode();
    DeleteCalendar();
    GXSetPopupOpening(TRUE);
    CreateCalendar();
    if (m_pCalendar != nullptr)
    {
        m_pCalendar->SetAutoClose(2);
        m_pCalendar->SetCalendarStyle(m_pCalendar->GetCalendarStyle() | 0x1000200);
        m_pCalendar->SetDayStyle(m_pCalendar->GetDayStyle() | 0x102);
        m_pCalendar->SetInitialDate(m_value);
        m_pCalendar->SelectDate(m_value, TRUE);
        RECT rect;
        ::GetWindowRect(m_hWnd, &rect);
        if (!m_pCalendar->Create(WS_POPUP | WS_VISIBLE | WS_THICKFRAME | 0x1, rect, this))
            DeleteCalendar();
        else
            m_pCalendar->SetNotifyWindow(m_hWnd);
    }
    GXSetPopupOpening(FALSE);
}

void CGXBDateTimeCtrl::EndCapture()
{
    if (m_pCaptured != nullptr)
    {
        CGXBDTGadget* pCaptured = m_pCaptured;
        m_pCaptured = nullptr;
        pCaptured->OnCancelMode();
        if (::GetCapture() == m_hWnd)
            ::ReleaseCapture();
    }
}

// ---- Painting ----

void CGXBDateTimeCtrl::DrawGadgets(CDC* pDC)
{
    const HDC hDC = pDC->GetSafeHdc();
    const HGDIOBJ hOldFont = ::SelectObject(hDC, m_hFont);
    RECT clip = {};
    ::GetClipBox(hDC, &clip);
    for (int i = 0; i < m_nFixed; ++i)
    {
        RECT overlap;
        if (::IntersectRect(&overlap, &GetGadget(i)->m_rect, &clip))
            GetGadget(i)->Draw(pDC);
        ::ExcludeClipRect(hDC, GetGadget(i)->m_rect.left, GetGadget(i)->m_rect.top, GetGadget(i)->m_rect.right,
                          GetGadget(i)->m_rect.bottom);
    }
    POINT oldOrigin;
    ::OffsetViewportOrgEx(hDC, -m_nScroll, 0, &oldOrigin);
    const COLORREF oldBack = ::SetBkColor(hDC, m_backInUse);
    const COLORREF oldText = ::SetTextColor(hDC, m_textColor);
    const int nOldMode = ::SetBkMode(hDC, TRANSPARENT);
    ::OffsetRect(&clip, m_nScroll, 0);
    for (int i = m_nFixed; i < GetGadgetCount(); ++i)
    {
        RECT overlap;
        if (::IntersectRect(&overlap, &GetGadget(i)->m_rect, &clip))
            GetGadget(i)->Draw(pDC);
    }
    ::SetBkMode(hDC, nOldMode);
    ::SetTextColor(hDC, oldText);
    ::SetBkColor(hDC, oldBack);
    ::SetViewportOrgEx(hDC, oldOrigin.x, oldOrigin.y, nullptr);
    ::SelectObject(hDC, hOldFont);
}

void CGXBDateTimeCtrl::Paint(HDC hDC, const RECT& clip)
{
    m_backInUse = ::IsWindowEnabled(m_hWnd) ? m_backColor : ::GetSysColor(m_nDisabledBackIndex);
    const int cx = clip.right - clip.left;
    const int cy = clip.bottom - clip.top;
    const HDC hMem = ::CreateCompatibleDC(hDC);
    const HBITMAP hBitmap = hMem != nullptr && cx > 0 && cy > 0 ? ::CreateCompatibleBitmap(hDC, cx, cy) : nullptr;
    if (hMem == nullptr || hBitmap == nullptr)
    {
        if (hMem != nullptr)
            ::DeleteDC(hMem);
        DrawGadgets(CDC::FromHandle(hDC));
        return;
    }
    const HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
    ::SetViewportOrgEx(hMem, -clip.left, -clip.top, nullptr);
    ::BitBlt(hMem, clip.left, clip.top, cx, cy, hDC, clip.left, clip.top, SRCCOPY);
    ::IntersectClipRect(hMem, clip.left, clip.top, clip.right, clip.bottom);
    DrawGadgets(CDC::FromHandle(hMem));
    ::SetViewportOrgEx(hMem, 0, 0, nullptr);
    ::BitBlt(hDC, clip.left, clip.top, cx, cy, hMem, 0, 0, SRCCOPY);
    ::SelectObject(hMem, hOld);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hMem);
}

// ---- Messages ----

LRESULT CGXBDateTimeCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_PAINT:
    {
        PAINTSTRUCT ps;
        const HDC hDC = ::BeginPaint(m_hWnd, &ps);
        Paint(hDC, ps.rcPaint);
        ::EndPaint(m_hWnd, &ps);
        return 0;
    }
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTCHARS;
    case WM_SETFOCUS:
        if ((::GetKeyState(VK_TAB) & 0x8000) != 0)
        {
            const BOOL bBack = (::GetKeyState(VK_SHIFT) & 0x8000) != 0;
            const int nIndex = bBack ? NextFocusable(GetGadgetCount(), FALSE) : NextFocusable(m_nFixed - 1, TRUE);
            if (nIndex >= m_nFixed)
                m_nCurrent = nIndex;
        }
        SetFieldFocusStates();
        return 0;
    case WM_KILLFOCUS:
        if (CGXBDTGadget* pCurrent = GetCurrentGadget())
            if (pCurrent->m_bFocus)
                pCurrent->SetFocusState(FALSE);
        return 0;
    case WM_KEYDOWN:
    {
        if (GetGadgetCount() == 0)
            break;
        const BOOL bShift = (::GetKeyState(VK_SHIFT) & 0x8000) != 0;
        switch (wParam)
        {
        case VK_LEFT:
            MoveToNext(FALSE);
            return 0;
        case VK_RIGHT:
            MoveToNext(TRUE);
            return 0;
        case VK_TAB:
            MoveToNext(!bShift);
            return 0;
        case VK_F4:
            if ((::GetWindowLongA(m_hWnd, GWL_STYLE) & GXDT_DTS_CALENDAR) != 0)
                ShowCalendar();
            return 0;
        default:
            if (CGXBDTGadget* pCurrent = GetCurrentGadget())
                pCurrent->OnKeyDown(static_cast<UINT>(wParam));
            return 0;
        }
    }
    case WM_SYSKEYDOWN:
        if (wParam == VK_DOWN && (::GetWindowLongA(m_hWnd, GWL_STYLE) & GXDT_DTS_CALENDAR) != 0)
        {
            ShowCalendar();
            return 0;
        }
        break;
    case WM_CHAR:
    {
        if (GetGadgetCount() == 0)
            break;
        if (wParam == '\t')
            return 0;
        const char ch = static_cast<char>(wParam);
        CGXBDTGadget* pNext = GetGadget(m_nCurrent + 1);
        if (CGXBDTStaticGadget* pStatic = dynamic_cast<CGXBDTStaticGadget*>(pNext))
        {
            CString trimmed = pStatic->m_strText;
            trimmed.Trim();
            if ((trimmed.IsEmpty() && ch == ' ') || pStatic->m_strText == CString(ch) || trimmed == CString(ch))
            {
                if (CGXBDTGadget* pCurrent = GetCurrentGadget())
                    if (CGXBDTNumericGadget* pNumber = dynamic_cast<CGXBDTNumericGadget*>(pCurrent))
                        pNumber->Commit();
                MoveToNext(TRUE);
                return 0;
            }
        }
        if (CGXBDTGadget* pCurrent = GetCurrentGadget())
            pCurrent->OnChar(static_cast<UINT>(wParam));
        return 0;
    }
    case WM_LBUTTONDOWN:
    {
        const CPoint point(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        CGXBDTGadget* pHit = HitTest(point);
        if (pHit == nullptr)
            break;
        if ((pHit->m_nFlags & CGXBDTGadget::flagFocus) != 0)
        {
            if (::GetFocus() != m_hWnd)
                ::SetFocus(m_hWnd);
            for (int i = 0; i < GetGadgetCount(); ++i)
                if (GetGadget(i) == pHit)
                    SetCurrentIndex(i);
        }
        if ((pHit->m_nFlags & CGXBDTGadget::flagMouse) != 0)
        {
            CPoint at = point;
            if ((pHit->m_nFlags & CGXBDTGadget::flagFixed) == 0)
                at.x += m_nScroll;
            pHit->OnLButtonDown(static_cast<UINT>(wParam), at);
        }
        return 0;
    }
    case WM_LBUTTONUP:
    case WM_MOUSEMOVE:
        if (m_pCaptured != nullptr)
        {
            CPoint at(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            if ((m_pCaptured->m_nFlags & CGXBDTGadget::flagFixed) == 0)
                at.x += m_nScroll;
            if (message == WM_LBUTTONUP)
                m_pCaptured->OnLButtonUp(static_cast<UINT>(wParam), at);
            else
                m_pCaptured->OnMouseMove(static_cast<UINT>(wParam), at);
            return 0;
        }
        break;
    case WM_CANCELMODE:
        EndCapture();
        break;
    case WM_SIZE:
        LayoutGadgets();
        break;
    case WM_SETFONT:
        m_hFont = wParam != 0 ? reinterpret_cast<HFONT>(wParam) : static_cast<HFONT>(::GetStockObject(SYSTEM_FONT));
        LayoutGadgets();
        if (LOWORD(lParam) != 0)
            ::InvalidateRect(m_hWnd, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(m_hFont);
    case WM_ENABLE:
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
        break;
    case WM_SYSCOLORCHANGE:
        GXGetAppData()->m_sysColors.Update();
        for (int i = 0; i < GetGadgetCount(); ++i)
            GetGadget(i)->OnSysColorChange();
        break;
    case WM_SETTINGCHANGE:
        RebuildGadgets();
        break;
    case WM_DESTROY:
        EndCapture();
        DeleteCalendar();
        m_nCurrent = 0;
        m_nScroll = 0;
        break;
    case WM_NCCALCSIZE:
        if ((::GetWindowLongA(m_hWnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0 &&
            !GXGetAppData()->m_sysColors.m_bSystemBorders)
        {
            RECT* pRect = reinterpret_cast<RECT*>(lParam);
            ::InflateRect(pRect, -2, -2);
            return 0;
        }
        break;
    case WM_NCPAINT:
        if ((::GetWindowLongA(m_hWnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0 &&
            !GXGetAppData()->m_sysColors.m_bSystemBorders)
        {
            const HDC hDC = ::GetWindowDC(m_hWnd);
            RECT window;
            ::GetWindowRect(m_hWnd, &window);
            RECT rect = {0, 0, window.right - window.left, window.bottom - window.top};
            ::DrawEdge(hDC, &rect, EDGE_SUNKEN, BF_RECT);
            ::ReleaseDC(m_hWnd, hDC);
            return 0;
        }
        break;
    case GXBM_CALENDAR_CHOSEN:
    {
        // Only the first report of a calendar counts; a later one finds none.
        if (m_pCalendar == nullptr)
            return 0;
        const COleDateTime chosen = m_pCalendar->GetSelectedBoxDate();
        Parts parts = {};
        Parts time = {};
        if (chosen.GetStatus() == COleDateTime::valid && Split(chosen, parts))
        {
            if (Split(m_value, time))
            {
                parts.hour = time.hour;
                parts.minute = time.minute;
                parts.second = time.second;
            }
            COleDateTime date;
            if (Build(parts, date))
            {
                COleDateTime comparable;
                const BOOL bInRange =
                    m_nMode == 0 || (Comparable(date, comparable) && comparable >= m_min && comparable <= m_max);
                if (bInRange && OnChanging(date))
                {
                    SetDateTime(date);
                    m_nState |= 1;
                    OnChanged();
                    ::InvalidateRect(m_hWnd, nullptr, FALSE);
                }
            }
        }
        DeleteCalendar();
        return 0;
    }
    case GXBM_CALENDAR_CANCELLED:
        DeleteCalendar();
        return 0;
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}
