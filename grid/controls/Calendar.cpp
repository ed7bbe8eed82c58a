#include "grid/controls/Calendar.h"

#include "framework/win/Dc.h"
#include "framework/win/Seams.h"
#include "framework/win/WinApp.h"
#include "grid/core/AppData.h"

#include <windowsx.h>

#include <algorithm>

IMPLEMENT_DYNAMIC(CGXBCalendar, CWnd)
IMPLEMENT_DYNAMIC(CGXBPopupCalendar, CGXBCalendar)

namespace
{
const double kRows[7] = {0.25, 0.375, 0.5, 0.625, 0.75, 0.875, 1.0};
const double kColumns[8] = {0, 0.143, 0.286, 0.429, 0.572, 0.715, 0.858, 1.0};

COleDateTime AddDays(const COleDateTime& date, int nDays)
{
    return date + COleDateTimeSpan(static_cast<double>(nDays));
}

int DaysInMonth(int nYear, int nMonth)
{
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const BOOL bLeap = (nYear % 4 == 0 && nYear % 100 != 0) || nYear % 400 == 0;
    return nMonth == 2 && bLeap ? 29 : kDays[nMonth - 1];
}

CSize TextSize(HDC hDC, HFONT hFont, const CString& text)
{
    const HGDIOBJ hOld = ::SelectObject(hDC, hFont);
    SIZE size = {};
    ::GetTextExtentPoint32A(hDC, text, text.GetLength(), &size);
    ::SelectObject(hDC, hOld);
    return CSize(size.cx, size.cy);
}
}  // namespace

CGXBCalendar::CGXBCalendar() : m_displayed(1970, 1, 1, 12, 0, 0)
{
    LOGFONTA system = {};
    ::GetObjectA(::GetStockObject(SYSTEM_FONT), sizeof system, &system);
    system.lfQuality = DRAFT_QUALITY;
    lstrcpynA(system.lfFaceName, "Arial", LF_FACESIZE);
    m_lfTitle = system;
    m_lfTitle.lfHeight *= 2;
    m_lfTitle.lfWidth *= 2;
    m_lfTitle.lfOutPrecision = OUT_CHARACTER_PRECIS;
    m_lfTitle.lfPitchAndFamily = VARIABLE_PITCH;
    m_lfDayBar = system;
    m_lfDayBar.lfOutPrecision = OUT_TT_ONLY_PRECIS;
    m_lfDayBox = m_lfDayBar;
}

CGXBCalendar::~CGXBCalendar()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
    m_marked.RemoveAll();
}

COleDateTime CGXBCalendar::Noon(const COleDateTime& date)
{
    COleDateTime noon;
    noon.SetDateTime(date.GetYear(), date.GetMonth(), date.GetDay(), 12, 0, 0);
    return noon;
}

void CGXBCalendar::SetInitialDate(const COleDateTime& date)
{
    m_displayed = date.GetStatus() == COleDateTime::valid && date.m_dt != 0.0 ? Noon(date) : date;
}

void CGXBCalendar::SetSizeToContent(BOOL bOn)
{
    m_dwStyle = bOn ? (m_dwStyle | GXBCAL_SIZETOCONTENT) : (m_dwStyle & ~GXBCAL_SIZETOCONTENT);
}

int CGXBCalendar::SetAutoClose(int nOn)
{
    const int nOld = m_bAutoClose ? 1 : 2;
    m_bAutoClose = nOn == 1;
    return nOld;
}

void CGXBCalendar::LoadColors()
{
    static const int kIndexes[7] = {COLOR_WINDOWTEXT, COLOR_BTNTEXT,     COLOR_BTNTEXT, COLOR_BTNFACE,
                                    COLOR_CAPTIONTEXT, COLOR_ACTIVECAPTION, COLOR_GRAYTEXT};
    for (int i = 0; i < 7; ++i)
        m_colors[i] = ::GetSysColor(kIndexes[i]);
}

void CGXBCalendar::Beep()
{
    AfxMessageBeep(MB_ICONEXCLAMATION);
}

BOOL CGXBCalendar::IsValidMonth(int nYear, int nMonth, int)
{
    if (nYear < 100 || (nYear == 100 && nMonth < 2))
        return FALSE;
    if (nYear > 9999 || (nYear == 9999 && nMonth > 11))
        return FALSE;
    return TRUE;
}

void CGXBCalendar::CreateFonts()
{
    m_fontTitle.DeleteObject();
    m_fontDayBar.DeleteObject();
    m_fontDayBox.DeleteObject();
    m_fontTitle.CreateFontIndirect(&m_lfTitle);
    m_fontDayBar.CreateFontIndirect(&m_lfDayBar);
    m_fontDayBox.CreateFontIndirect(&m_lfDayBox);
}

CSize CGXBCalendar::CalcNaturalSize(CDC* pDC)
{
    const HDC hDC = pDC->GetSafeHdc();
    if (m_fontTitle.GetSafeHandle() == nullptr)
        CreateFonts();
    const int nInsets = 2 * (1 + 2 * m_nPanelInset);
    const CSize box = TextSize(hDC, m_fontDayBox, "88") + CSize(nInsets, nInsets);
    const CSize bar = TextSize(hDC, m_fontDayBar, m_dayBar.GetDayName(4));
    const BOOL bFullMonths = ((m_dwOtherDayStyle | 0x80) & 0x10000000) != 0;
    const CSize title = TextSize(hDC, m_fontTitle, bFullMonths ? "September, 2000" : "Sep, 2000");
    const int cx = std::max({static_cast<int>(title.cx), 7 * static_cast<int>(box.cx), 7 * static_cast<int>(bar.cx)});
    const int cy = title.cy + bar.cy + 6 * box.cy;
    return CSize(cx, cy);
}

BOOL CGXBCalendar::Create(DWORD dwStyle, const RECT& rect, CWnd* pParent, UINT nID, LPVOID lpParam)
{
    GXGetAppData()->m_sysColors.Update();
    LoadColors();
    m_hOwner = m_hNotify = pParent != nullptr ? pParent->GetSafeHwnd() : nullptr;
    const LPCTSTR pszClass = AfxRegisterWndClass(GetClassStyle(), ::LoadCursorA(nullptr, IDC_ARROW),
                                                 reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1), nullptr);
    DWORD dwWindowStyle = dwStyle | WS_CLIPCHILDREN;
    if ((dwStyle & WS_POPUP) == 0)
        dwWindowStyle |= WS_CHILD;
    CRect rectWindow = rect;
    CreateFonts();
    if ((m_dwStyle & GXBCAL_SIZETOCONTENT) != 0 && (dwStyle & WS_POPUP) == 0)
    {
        CClientDC dc(pParent);
        const CSize size = CalcNaturalSize(&dc);
        rectWindow.right = rectWindow.left + size.cx;
        rectWindow.bottom = rectWindow.top + size.cy;
    }
    if (!CreateEx(0, pszClass, "CGXBCalendar", dwWindowStyle, rectWindow.left, rectWindow.top, rectWindow.Width(),
                  rectWindow.Height(), m_hOwner, (dwStyle & WS_POPUP) != 0 ? nullptr : reinterpret_cast<HMENU>(
                                                                                      static_cast<UINT_PTR>(nID)),
                  lpParam))
        return FALSE;
    for (CGXBDayBox& box : m_boxes)
        box.Create(CRect(0, 0, 0, 0), this, FALSE, FALSE, m_dwDayStyle, m_dwStyle, m_nPanelInset);
    m_dayBar.Create(CRect(0, 0, 0, 0), this, FALSE, FALSE, m_dwOtherDayStyle,
                    m_dwStyle & ~(GXBCAL_SELECTABLE | GXBCAL_MARKABLE), m_nPanelInset);
    m_title.Create(CRect(0, 0, 0, 0), this, FALSE, FALSE, m_dwOtherDayStyle | 0x80,
                   m_dwStyle & ~(GXBCAL_SELECTABLE | GXBCAL_MARKABLE), m_nPanelInset);
    m_title.CreateButtons(this, m_dwStyle);
    if (m_displayed.GetStatus() != COleDateTime::valid || m_displayed.m_dt == 0.0)
        m_displayed = Noon(COleDateTime::GetCurrentTime());
    m_title.SetDate(m_displayed);
    FillBoxes();
    LayoutPanels();
    if ((m_dwStyle & GXBCAL_FITFONTS) != 0)
    {
        CClientDC dc(this);
        FitFonts(&dc);
    }
    m_title.SetTextColor(m_colors[0]);
    m_title.SetOtherMonthColor(m_colors[6]);
    m_dayBar.SetTextColor(m_colors[0]);
    m_dayBar.SetOtherMonthColor(m_colors[6]);
    for (CGXBDayBox& box : m_boxes)
    {
        box.SetTextColor(m_colors[0]);
        box.SetOtherMonthColor(m_colors[6]);
    }
    m_bCreated = TRUE;
    ::UpdateWindow(m_hWnd);
    FocusSelf();
    return TRUE;
}

void CGXBCalendar::FocusSelf()
{
    if (m_hWnd != nullptr && ::GetFocus() != m_hWnd)
        ::SetFocus(m_hWnd);
}

void CGXBCalendar::LayoutPanels()
{
    if (m_hWnd == nullptr)
        return;
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    const int W = client.right;
    const int H = client.bottom;
    const int nTitleBottom = static_cast<int>(0.175 * (H - 1));
    const int nBarBottom = static_cast<int>(0.25 * H);
    m_title.SetTitleRect(CRect(0, 0, W, nTitleBottom));
    m_dayBar.SetRect(CRect(0, nTitleBottom, W, nBarBottom));
    for (int i = 0; i < 42; ++i)
    {
        const int nCol = i % 7;
        const int nRow = i / 7;
        const int top = static_cast<int>((nRow == 0 ? 0.25 : kRows[nRow - 1]) * H);
        const int bottom = static_cast<int>(kRows[nRow] * H);
        const int left = static_cast<int>(kColumns[nCol] * W);
        const int right = static_cast<int>(kColumns[nCol + 1] * W);
        m_boxes[i].SetRect(CRect(left, top, right - 1, bottom - 1));
    }
}

void CGXBCalendar::FitFonts(CDC* pDC)
{
    const HDC hDC = pDC->GetSafeHdc();
    LOGFONTA system = {};
    ::GetObjectA(::GetStockObject(SYSTEM_FONT), sizeof system, &system);
    // Doubles while the sample fits, then shrinks until it does; the limit ends the shrinking.
    auto fit = [&](LOGFONTA& lf, const CRect& panel, const CString& sample, int nExtra, int nLimit) {
        if (panel.IsRectEmpty())
        {
            lf.lfHeight = lf.lfWidth = 0;
            return;
        }
        lf.lfHeight = std::max<LONG>(std::labs(system.lfHeight), 8);
        lf.lfWidth = std::max<LONG>(system.lfWidth, 0);
        auto measure = [&]() {
            CFont font;
            font.CreateFontIndirect(&lf);
            return TextSize(hDC, font, sample) + CSize(nExtra, nExtra);
        };
        for (int n = 0; n < 8; ++n)
        {
            const CSize size = measure();
            if (size.cx >= panel.Width() || size.cy >= panel.Height())
                break;
            lf.lfHeight *= 2;
            lf.lfWidth *= 2;
        }
        for (;;)
        {
            const CSize size = measure();
            if ((size.cx <= panel.Width() && size.cy <= panel.Height()) || lf.lfHeight < nLimit)
                break;
            lf.lfHeight = std::max<LONG>(lf.lfHeight - std::max<LONG>(lf.lfHeight / 10, 1), 0);
            lf.lfWidth = lf.lfWidth > 0 ? std::max<LONG>(lf.lfWidth - std::max<LONG>(lf.lfWidth / 10, 1), 0) : 0;
        }
    };
    const BOOL bFullMonths = (m_title.GetFrameStyle() & 0x10000000) != 0;
    fit(m_lfTitle, m_title.GetRect(), bFullMonths ? "September, 2000" : "Sep, 2000", 0, 2);
    fit(m_lfDayBar, CRect(0, 0, m_dayBar.GetRect().Width() / 7, m_dayBar.GetRect().Height()), m_dayBar.GetDayName(4),
        0, 3);
    fit(m_lfDayBox, m_boxes[0].GetRect(), "88", 2 * (1 + m_nPanelInset), 1);
    CreateFonts();
}

void CGXBCalendar::FillBoxes()
{
    COleDateTime date = Noon(m_displayed);
    date = AddDays(date, 1 - date.GetDay());
    while (date.GetDayOfWeek() != m_dayBar.m_nFirstDayOfWeek)
        date = AddDays(date, -1);
    BOOL bInMonth = FALSE;
    m_pSelectedBox = nullptr;
    for (CGXBDayBox& box : m_boxes)
    {
        if (date.GetDay() == 1)
            bInMonth = !bInMonth;
        box.SetFrameStyle(bInMonth ? m_dwDayStyle : m_dwOtherDayStyle);
        box.SetBehaviour(m_dwStyle);
        box.SetOtherMonth(!bInMonth);
        box.SetDate(date);
        box.SetMarked(IsMarked(date), FALSE);
        const BOOL bSelected = m_pSelected != nullptr && *m_pSelected == date;
        box.SetSelected(FALSE, FALSE);
        if (bSelected && box.SetSelected(TRUE, FALSE))
        {
            m_pSelectedBox = &box;
            m_anchor = date;
        }
        date = AddDays(date, 1);
    }
}

BOOL CGXBCalendar::IsMarked(const COleDateTime& date) const
{
    for (POSITION pos = m_marked.GetHeadPosition(); pos != nullptr;)
        if (m_marked.GetNext(pos) == date)
            return TRUE;
    return FALSE;
}

BOOL CGXBCalendar::ShowDate(const COleDateTime& date, BOOL bRepaint)
{
    const BOOL bFixed = m_hWnd != nullptr && (m_dwStyle & GXBCAL_FIXEDMONTH) != 0;
    if (bFixed || date.GetStatus() != COleDateTime::valid ||
        !IsValidMonth(date.GetYear(), date.GetMonth(), date.GetDay()))
    {
        Beep();
        return FALSE;
    }
    m_displayed = Noon(date);
    m_title.SetDate(m_displayed);
    FillBoxes();
    if (bRepaint && m_hWnd != nullptr)
    {
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
        ::UpdateWindow(m_hWnd);
    }
    return TRUE;
}

COleDateTime CGXBCalendar::GetSelectedBoxDate() const
{
    if (m_pSelectedBox != nullptr)
        return m_pSelectedBox->GetDate();
    COleDateTime none;
    none.SetStatus(COleDateTime::invalid);
    return none;
}

void CGXBCalendar::Post(UINT message, WPARAM wParam, LPARAM lParam)
{
    // A choice or a cancellation goes through the calendar itself, which hides and passes it on.
    const HWND hTarget = message == GXBM_CALENDAR_CHOSEN || message == GXBM_CALENDAR_CANCELLED ? m_hWnd : m_hNotify;
    if (hTarget != nullptr)
        ::PostMessageA(hTarget, message, wParam, lParam);
}

void CGXBCalendar::SelectDate(const COleDateTime& dateIn, BOOL bSelect)
{
    const COleDateTime date = Noon(dateIn);
    if (bSelect)
    {
        m_selected = date;
        m_pSelected = &m_selected;
        m_anchor = date;
    }
    else if (m_pSelected != nullptr && *m_pSelected == date)
        m_pSelected = nullptr;
    for (CGXBDayBox& box : m_boxes)
    {
        if (box.GetDate() == date && bSelect)
        {
            const BOOL bWas = box.IsSelected();
            if (box.SetSelected(TRUE, TRUE))
            {
                m_pSelectedBox = &box;
                if (m_bCreated && !bWas)
                    Post(GXBM_CALENDAR_SELECTED, TRUE, reinterpret_cast<LPARAM>(&box));
                if (m_bCreated && (m_dwStyle & GXBCAL_CHOOSEONSELECT) != 0)
                    Post(GXBM_CALENDAR_CHOSEN, TRUE, reinterpret_cast<LPARAM>(&box));
            }
        }
        else if (box.IsSelected())
        {
            box.SetSelected(FALSE, TRUE);
            if (m_pSelectedBox == &box)
                m_pSelectedBox = nullptr;
            if (m_bCreated)
                Post(GXBM_CALENDAR_SELECTED, FALSE, reinterpret_cast<LPARAM>(&box));
        }
    }
    if (m_hWnd != nullptr)
        FocusSelf();
}

void CGXBCalendar::ToggleDate(const COleDateTime& date)
{
    const BOOL bSelected = m_pSelected != nullptr && *m_pSelected == Noon(date);
    SelectDate(date, !bSelected);
}

void CGXBCalendar::ToggleMark(const COleDateTime& date)
{
    SetMark(date, !IsMarked(Noon(date)));
}

void CGXBCalendar::SetMark(const COleDateTime& dateIn, BOOL bMark)
{
    const COleDateTime date = Noon(dateIn);
    for (CGXBDayBox& box : m_boxes)
        if (box.GetDate() == date)
        {
            box.SetMarked(bMark, TRUE);
            Post(GXBM_CALENDAR_MARKED, bMark, reinterpret_cast<LPARAM>(&box));
        }
    POSITION pos = m_marked.GetHeadPosition();
    while (pos != nullptr)
    {
        const POSITION at = pos;
        const COleDateTime& entry = m_marked.GetNext(pos);
        if (entry == date)
        {
            if (!bMark)
                m_marked.RemoveAt(at);
            return;
        }
        if (entry > date)
        {
            if (bMark)
                m_marked.InsertBefore(at, date);
            return;
        }
    }
    if (bMark)
        m_marked.AddTail(date);
}

BOOL CGXBCalendar::MoveTo(const COleDateTime& date, BOOL bSelection)
{
    if (date.GetStatus() != COleDateTime::valid || !IsValidMonth(date.GetYear(), date.GetMonth(), date.GetDay()))
    {
        Beep();
        return FALSE;
    }
    if (!bSelection)
    {
        if (!ShowDate(date))
            return FALSE;
        if (m_pSelected != nullptr)
            SelectDate(*m_pSelected, TRUE);
        return TRUE;
    }
    if (m_pSelected == nullptr)
    {
        Beep();
        return FALSE;
    }
    if ((date.GetMonth() != m_displayed.GetMonth() || date.GetYear() != m_displayed.GetYear()) && !ShowDate(date))
        return FALSE;
    SelectDate(date, TRUE);
    return TRUE;
}

BOOL CGXBCalendar::MoveSelectionBy(const COleDateTimeSpan& span)
{
    if (m_pSelected == nullptr)
    {
        Beep();
        return FALSE;
    }
    return MoveTo(Noon(*m_pSelected + span), TRUE);
}

BOOL CGXBCalendar::ShowBy(const COleDateTimeSpan& span)
{
    return MoveTo(Noon(m_displayed + span), FALSE);
}

BOOL CGXBCalendar::StepDays(int nDays, BOOL bSelection)
{
    const COleDateTimeSpan span(static_cast<double>(nDays));
    return bSelection ? MoveSelectionBy(span) : ShowBy(span);
}

BOOL CGXBCalendar::StepMonth(int nDirection, BOOL bSelection)
{
    const COleDateTime base = bSelection && m_pSelected != nullptr ? *m_pSelected : m_displayed;
    int nYear = base.GetYear();
    int nMonth = base.GetMonth() + nDirection;
    if (nMonth > 12)
    {
        nMonth = 1;
        ++nYear;
    }
    else if (nMonth < 1)
    {
        nMonth = 12;
        --nYear;
    }
    if (!IsValidMonth(nYear, nMonth, 1))
    {
        Beep();
        return FALSE;
    }
    FocusSelf();
    return MoveTo(COleDateTime(nYear, nMonth, 1, 12, 0, 0), bSelection);
}

BOOL CGXBCalendar::StepYear(int nDirection, BOOL bSelection)
{
    const COleDateTime base = bSelection && m_pSelected != nullptr ? *m_pSelected : m_displayed;
    const int nYear = base.GetYear();
    if (!IsValidMonth(nDirection > 0 ? nYear : nYear - 1, 12, 1))
    {
        Beep();
        return FALSE;
    }
    const int nMonth = base.GetMonth();
    const int nDay = std::min(base.GetDay(), DaysInMonth(nYear + nDirection, nMonth));
    FocusSelf();
    return MoveTo(COleDateTime(nYear + nDirection, nMonth, nDay, 12, 0, 0), bSelection);
}

BOOL CGXBCalendar::NextDay(BOOL bSelection)
{
    return StepDays(1, bSelection);
}
BOOL CGXBCalendar::PrevDay(BOOL bSelection)
{
    return StepDays(-1, bSelection);
}
BOOL CGXBCalendar::NextWeek(BOOL bSelection)
{
    FocusSelf();
    return StepDays(7, bSelection);
}
BOOL CGXBCalendar::PrevWeek(BOOL bSelection)
{
    FocusSelf();
    return StepDays(-7, bSelection);
}
BOOL CGXBCalendar::NextMonth(BOOL bSelection)
{
    return StepMonth(1, bSelection);
}
BOOL CGXBCalendar::PrevMonth(BOOL bSelection)
{
    return StepMonth(-1, bSelection);
}
BOOL CGXBCalendar::NextYear(BOOL bSelection)
{
    return StepYear(1, bSelection);
}
BOOL CGXBCalendar::PrevYear(BOOL bSelection)
{
    return StepYear(-1, bSelection);
}

CGXBDayBox* CGXBCalendar::BoxAt(CPoint point)
{
    for (CGXBDayBox& box : m_boxes)
        if (box.HitTest(point))
            return &box;
    return nullptr;
}

void CGXBCalendar::Paint(CDC* pDC)
{
    const HDC hDC = pDC->GetSafeHdc();
    HGDIOBJ hOld = ::SelectObject(hDC, m_fontTitle.GetSafeHandle());
    m_title.Draw(pDC);
    ::SelectObject(hDC, m_fontDayBar.GetSafeHandle());
    m_dayBar.Draw(pDC);
    ::SelectObject(hDC, m_fontDayBox.GetSafeHandle());
    RECT clip = {};
    ::GetClipBox(hDC, &clip);
    for (CGXBDayBox& box : m_boxes)
    {
        RECT overlap;
        if (::IntersectRect(&overlap, &box.GetRect(), &clip))
            box.Draw(pDC);
    }
    ::SelectObject(hDC, hOld);
}

LRESULT CGXBCalendar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_PAINT:
    {
        PAINTSTRUCT ps;
        const HDC hDC = ::BeginPaint(m_hWnd, &ps);
        Paint(CDC::FromHandle(hDC));
        ::EndPaint(m_hWnd, &ps);
        return 0;
    }
    case WM_SIZE:
        if (m_bCreated)
            LayoutPanels();
        break;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTALLKEYS;
    case WM_COMMAND:
        switch (LOWORD(wParam))
        {
        case GX_IDC_CAL_PREVMONTH:
            PrevMonth(FALSE);
            return 0;
        case GX_IDC_CAL_NEXTMONTH:
            NextMonth(FALSE);
            return 0;
        case GX_IDC_CAL_PREVYEAR:
            PrevYear(FALSE);
            return 0;
        case GX_IDC_CAL_NEXTYEAR:
            NextYear(FALSE);
            return 0;
        default:
            break;
        }
        break;
    case GXBM_CALENDAR_CHOSEN:
    case GXBM_CALENDAR_CANCELLED:
        if (m_hNotify != nullptr)
            ::PostMessageA(m_hNotify, message, wParam, lParam);
        ::ShowWindow(m_hWnd, SW_HIDE);
        return 0;
    case WM_KEYDOWN:
    {
        if ((m_dwStyle & GXBCAL_KEYBOARD) == 0)
            return 0;
        switch (wParam)
        {
        case VK_LEFT:
        case VK_NUMPAD4:
            PrevDay(TRUE);
            break;
        case VK_RIGHT:
        case VK_NUMPAD6:
            NextDay(TRUE);
            break;
        case VK_UP:
        case VK_NUMPAD8:
            PrevWeek(TRUE);
            break;
        case VK_DOWN:
        case VK_NUMPAD2:
            NextWeek(TRUE);
            break;
        case VK_PRIOR:
            PrevMonth(TRUE);
            break;
        case VK_NEXT:
            NextMonth(TRUE);
            break;
        case VK_HOME:
            SelectDate(COleDateTime(m_displayed.GetYear(), m_displayed.GetMonth(), 1, 12, 0, 0), TRUE);
            break;
        case VK_END:
            SelectDate(COleDateTime(m_displayed.GetYear(), m_displayed.GetMonth(),
                                    DaysInMonth(m_displayed.GetYear(), m_displayed.GetMonth()), 12, 0, 0),
                       TRUE);
            break;
        case VK_SPACE:
            ToggleDate(m_anchor);
            break;
        case VK_RETURN:
            if (m_pSelectedBox != nullptr)
                Post(GXBM_CALENDAR_CHOSEN, TRUE, reinterpret_cast<LPARAM>(m_pSelectedBox));
            else
                Post(GXBM_CALENDAR_CANCELLED, 0, 0);
            break;
        case VK_ESCAPE:
        case VK_CANCEL:
            Post(GXBM_CALENDAR_CANCELLED, 0, 0);
            break;
        default:
            break;
        }
        break;
    }
    case WM_LBUTTONDOWN:
    {
        CGXBDayBox* pBox = BoxAt(CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
        if (pBox == nullptr)
            return 0;
        const COleDateTime previous = m_pSelected != nullptr ? *m_pSelected : COleDateTime();
        const BOOL bHadPrevious = m_pSelected != nullptr && previous.GetMonth() == m_displayed.GetMonth() &&
                                  previous.GetYear() == m_displayed.GetYear();
        pBox->OnClick();
        if (m_pSelectedBox != nullptr && (m_dwStyle & GXBCAL_CLICKSELECTS) != 0)
        {
            m_bTracking = TRUE;
            m_bHaveTrackedDate = bHadPrevious;
            m_tracked = previous;
            ::SetCapture(m_hWnd);
        }
        return 0;
    }
    case WM_MOUSEMOVE:
        if (m_bTracking)
        {
            const CPoint point(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            RECT client;
            ::GetClientRect(m_hWnd, &client);
            CGXBDayBox* pBox = BoxAt(point);
            if (pBox != nullptr && !pBox->IsSelected())
                pBox->OnClick();
            else if (!::PtInRect(&client, point) && m_pSelected != nullptr)
                SelectDate(*m_pSelected, FALSE);
            return 0;
        }
        break;
    case WM_LBUTTONUP:
        if (m_bTracking)
        {
            m_bTracking = FALSE;
            ::ReleaseCapture();
            const CPoint point(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            RECT client;
            ::GetClientRect(m_hWnd, &client);
            if (::PtInRect(&client, point))
            {
                CGXBDayBox* pBox = BoxAt(point);
                if (pBox != nullptr && !pBox->IsSelected())
                    pBox->OnClick();
                if ((m_dwStyle & GXBCAL_DBLCLKCHOOSES) != 0)
                    Post(GXBM_CALENDAR_CHOSEN, TRUE, reinterpret_cast<LPARAM>(m_pSelectedBox));
            }
            else if (m_bHaveTrackedDate)
                SelectDate(m_tracked, TRUE);
        }
        return 0;
    case WM_CANCELMODE:
        if (m_bTracking)
        {
            m_bTracking = FALSE;
            ::ReleaseCapture();
            if (m_bHaveTrackedDate)
                SelectDate(m_tracked, TRUE);
        }
        break;
    case WM_LBUTTONDBLCLK:
        if (CGXBDayBox* pBox = BoxAt(CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))))
            pBox->OnDoubleClick();
        return 0;
    case WM_RBUTTONDOWN:
        if (CGXBDayBox* pBox = BoxAt(CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))))
            pBox->OnRightClick();
        return 0;
    case WM_NCHITTEST:
    {
        const LRESULT lHit = CWnd::WindowProc(message, wParam, lParam);
        if ((m_dwStyle & GXBCAL_RESIZABLE) == 0 && ((lHit >= HTLEFT && lHit <= HTBOTTOMRIGHT) || lHit == HTBORDER))
            return HTCLIENT;
        return lHit;
    }
    case WM_SYSCOLORCHANGE:
        GXGetAppData()->m_sysColors.Update();
        LoadColors();
        break;
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

// ---- CGXBPopupCalendar ----

CGXBPopupCalendar::CGXBPopupCalendar()
{
    m_dwStyle = 0x0039C100;
    m_dwDayStyle = 0x181;
    m_dwOtherDayStyle = 0x83;
    m_bAutoClose = TRUE;
}

BOOL CGXBPopupCalendar::Create(DWORD dwStyle, const RECT& rectOwner, CWnd* pParent)
{
    SetSizeToContent(TRUE);
    CSize size;
    {
        CClientDC dc(pParent);
        size = CalcNaturalSize(&dc);
    }
    RECT frame = {0, 0, size.cx, size.cy};
    ::AdjustWindowRectEx(&frame, (dwStyle | WS_POPUP) & 0xFFFF0000, FALSE, 0);
    const int cx = frame.right - frame.left;
    const int cy = frame.bottom - frame.top;
    RECT work = {};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    int y = rectOwner.bottom;
    if (y + cy > work.bottom)
        y = rectOwner.top - cy;
    int x = 0;
    if ((dwStyle & 0x1) != 0)
    {
        x = rectOwner.left;
        if (x + cx > work.right)
            x = rectOwner.right - cx;
    }
    else
    {
        x = rectOwner.right;
        if (x + cx > work.right)
            x = rectOwner.left - cx;
    }
    return CGXBCalendar::Create((dwStyle | WS_POPUP) & ~0xFFFFu, CRect(x, y, x + cx, y + cy), pParent, 0);
}

LRESULT CGXBPopupCalendar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ACTIVATE && LOWORD(wParam) == WA_INACTIVE && m_bCreated && ::IsWindowVisible(m_hWnd))
    {
        if (m_bAutoClose && m_pSelectedBox != nullptr)
            Post(GXBM_CALENDAR_CHOSEN, TRUE, reinterpret_cast<LPARAM>(m_pSelectedBox));
        else
            Post(GXBM_CALENDAR_CANCELLED, 0, 0);
    }
    return CGXBCalendar::WindowProc(message, wParam, lParam);
}
