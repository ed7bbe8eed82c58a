#include "chart/ui/GraphTip.h"

#include <algorithm>
#include <cstdarg>
#include <vector>

#include "framework/win/Dc.h"
#include "framework/win/WinApp.h"

IMPLEMENT_DYNAMIC(QVGraphTip, CWnd)

BEGIN_MESSAGE_MAP(QVGraphTip, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_TIMER()
    ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

namespace {

const COLORREF kTipColour = RGB(255, 255, 223);
const char kTipClassName[] = "QVGraphTip";
const int kMaxFormatted = 1023;

std::vector<CString> LinesOf(const CString& text)
{
    std::vector<CString> lines;
    int start = 0;
    for (;;) {
        const int end = text.Find('\n', start);
        if (end < 0) {
            lines.push_back(text.Mid(start));
            return lines;
        }
        lines.push_back(text.Mid(start, end - start));
        start = end + 1;
    }
}

// The height of one line: that of "A" in the font selected.
int LineHeight(CDC& dc)
{
    return dc.GetTextExtent("A", 1).cy;
}

} // namespace

QVGraphTip::QVGraphTip() : m_nDelay(5000), m_anchor(0, 0), m_bCreated(FALSE), m_bShown(FALSE)
{
    m_brush.CreateSolidBrush(kTipColour);
}

QVGraphTip::~QVGraphTip()
{
    if (m_hWnd != nullptr && ::IsWindow(m_hWnd))
        DestroyWindow();
}

CSize QVGraphTip::MeasureText(LPCTSTR lpszText)
{
    CWindowDC dc(nullptr);
    CFont* pOld = dc.SelectObject(CFont::FromHandle((HFONT)::GetStockObject(DEFAULT_GUI_FONT)));
    int widest = 4;
    const std::vector<CString> lines = LinesOf(lpszText != nullptr ? lpszText : "");
    for (const CString& line : lines)
        widest = std::max(widest, (int)dc.GetTextExtent(line, line.GetLength()).cx);
    const int lineHeight = LineHeight(dc);
    dc.SelectObject(pOld);
    return CSize(widest + 4 * ::GetSystemMetrics(SM_CXBORDER),
                 lineHeight * (int)lines.size() + 4 * ::GetSystemMetrics(SM_CYBORDER));
}

CRect QVGraphTip::PlaceTip(CPoint anchor, CSize size, const CRect& desktop)
{
    const int left = anchor.x + size.cx >= desktop.right ? anchor.x - size.cx : anchor.x;
    int top = anchor.y - size.cy - 5;
    if (top < 1)
        top = anchor.y + 5 + size.cy;
    return CRect(left, top, left + size.cx, top + size.cy);
}

void QVGraphTip::Show(LPCTSTR lpszText, int x, int y, CWnd* pParent)
{
    Show(lpszText, x, y, pParent->GetSafeHwnd());
}

void QVGraphTip::Show(LPCTSTR lpszText, int x, int y, HWND hWndParent)
{
    if (!m_bCreated || !::IsWindow(m_hWnd)) {
        WNDCLASSA wndcls = {};
        wndcls.style = CS_VREDRAW | CS_HREDRAW | CS_SAVEBITS | CS_BYTEALIGNWINDOW;
        wndcls.lpfnWndProc = ::DefWindowProcA;   // the creation hook puts the framework's procedure in front
        wndcls.hInstance = AfxGetInstanceHandle();
        wndcls.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
        wndcls.hbrBackground = m_brush;
        wndcls.lpszClassName = kTipClassName;
        AfxRegisterClass(&wndcls);
        if (!CreateEx(WS_EX_WINDOWEDGE, kTipClassName, "", WS_POPUP, 0, 0, 0, 0, hWndParent, nullptr))
            return;
        m_bCreated = TRUE;
    } else {
        Hide();
    }
    m_strText = lpszText != nullptr ? lpszText : "";
    m_anchor = CPoint(x, y);
    CRect desktop;
    ::GetClientRect(::GetDesktopWindow(), &desktop);
    const CRect place = PlaceTip(m_anchor, MeasureText(m_strText), desktop);
    ::SetWindowPos(m_hWnd, HWND_TOP, place.left, place.top, place.Width(), place.Height(), SWP_NOACTIVATE);
    ShowWindow(SW_SHOWNOACTIVATE);
    UpdateWindow();
    m_bShown = TRUE;
    if (m_nDelay > 0)
        SetTimer(hideTimerId, (UINT)m_nDelay);
}

void QVGraphTip::ShowFormatted(int x, int y, CWnd* pParent, LPCTSTR lpszFormat, ...)
{
    va_list args;
    va_start(args, lpszFormat);
    CString text;
    text.FormatV(lpszFormat, args);
    va_end(args);
    Show(text.Left(kMaxFormatted), x, y, pParent->GetSafeHwnd());
}

void QVGraphTip::ShowFormatted(int x, int y, HWND hWndParent, LPCTSTR lpszFormat, ...)
{
    va_list args;
    va_start(args, lpszFormat);
    CString text;
    text.FormatV(lpszFormat, args);
    va_end(args);
    Show(text.Left(kMaxFormatted), x, y, hWndParent);
}

void QVGraphTip::Hide()
{
    if (!m_bShown)
        return;
    if (::IsWindow(m_hWnd)) {
        KillTimer(hideTimerId);
        ShowWindow(SW_HIDE);
    }
    m_bShown = FALSE;
}

BOOL QVGraphTip::OnEraseBkgnd(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    pDC->FillRect(&client, &m_brush);
    return TRUE;
}

void QVGraphTip::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillRect(&client, &m_brush);
    dc.FrameRect(&client, CBrush::FromHandle((HBRUSH)::GetStockObject(BLACK_BRUSH)));
    CFont* pOld = dc.SelectObject(CFont::FromHandle((HFONT)::GetStockObject(DEFAULT_GUI_FONT)));
    dc.SetBkMode(TRANSPARENT);
    const int lineHeight = LineHeight(dc);
    int top = 2 * ::GetSystemMetrics(SM_CYBORDER);
    for (const CString& line : LinesOf(m_strText)) {
        CRect band(client.left, top, client.right, top + lineHeight);
        dc.DrawText(line, &band, DT_CENTER | DT_SINGLELINE | DT_VCENTER);
        top += lineHeight;
    }
    dc.SelectObject(pOld);
}

void QVGraphTip::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == hideTimerId)
        Hide();
    else
        CWnd::OnTimer(nIDEvent);
}

void QVGraphTip::OnMouseMove(UINT, CPoint)
{
    Hide();
}
