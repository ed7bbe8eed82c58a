#include "grid/controls/Calculator.h"

#include "framework/core/NumberText.h"
#include "framework/win/Dc.h"
#include "framework/win/Seams.h"
#include "framework/win/WinApp.h"
#include "grid/controls/UxTheme.h"
#include "grid/controls/WindowPainting.h"
#include "grid/core/AppData.h"
#include "grid/core/DrawingAndFormatting.h"

#include <vssym32.h>
#include <windowsx.h>

#include <algorithm>
#include <cctype>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>

IMPLEMENT_DYNAMIC(CGXBCalcBtn, CObject)
IMPLEMENT_DYNAMIC(CGXBCalculator, CWnd)
IMPLEMENT_DYNAMIC(CGXBPopupCalculator, CGXBCalculator)

namespace
{
const UINT kEnterBitmap = 20037;
const UINT kEnterText = 20124;
const UINT kErrorText = 20125;
const COLORREF kDigitColor = RGB(128, 0, 0);
const COLORREF kOperatorColor = RGB(0, 0, 128);

const CGXSysColors& SysColors()
{
    return GXGetAppData()->m_sysColors;
}


CString LoadText(UINT nId, LPCTSTR pszFallback)
{
    CString text;
    if (!AfxLoadString(nId, text) || text.IsEmpty())
        text = pszFallback;
    return text;
}

// The C runtime's decimal point, which strtod and printf use.
char RuntimePoint()
{
    const lconv* pConv = std::localeconv();
    return pConv != nullptr && pConv->decimal_point != nullptr && *pConv->decimal_point != '\0'
               ? *pConv->decimal_point
               : '.';
}
}  // namespace

// ---- CGXBCalcBtn ----

CGXBCalcBtn::CGXBCalcBtn(int nOp, LPCTSTR pszLabel, LPCTSTR pszKeys, UINT nVirtKey, int nWidth, BOOL bNewRow,
                         COLORREF textColor, HFONT hFont, HBITMAP* phBitmap)
    : m_hFont(hFont), m_phBitmap(phBitmap), m_textColor(textColor), m_strLabel(pszLabel), m_nWidth(nWidth),
      m_nVirtKey(nVirtKey), m_nState(bNewRow ? static_cast<UINT>(stateNewRow) : 0u), m_nOp(nOp)
{
    SetKeys(pszKeys);
}

void CGXBCalcBtn::SetKeys(LPCTSTR pszKeys)
{
    m_strKeys = pszKeys;
    m_strKeys.MakeLower();
}

BOOL CGXBCalcBtn::HasKey(char ch) const
{
    return ch != '\0' && std::strchr(m_strKeys, ch) != nullptr;
}

void CGXBCalcBtn::Draw(CDC* pDC)
{
    const HDC hDC = pDC->GetSafeHdc();
    const CGXSysColors& colors = SysColors();
    CRect rect = m_rect;
    const BOOL bPressed = (m_nState & statePressed) != 0;
    int nState = PBS_NORMAL;
    if (bPressed)
        nState = PBS_PRESSED;
    else if ((m_nState & stateHot) != 0)
        nState = PBS_HOT;
    CWnd* pMain = AfxGetMainWnd();
    if (GXUxTheme::DrawThemedBackground(pMain != nullptr ? pMain->GetSafeHwnd() : nullptr, L"Button", hDC,
                                        BP_PUSHBUTTON, nState, &rect))
        rect.DeflateRect(2, 2);
    else
    {
        GXFrameRect3d(hDC, rect, colors.m_clrBtnShadow, colors.m_clrBtnHilight);
        rect.DeflateRect(1, 1);
        GXFrameRect3d(hDC, rect, colors.m_clrWindowFrame, colors.m_clrWindowFrame);
        rect.DeflateRect(1, 1);
        if (!bPressed)
        {
            GXFrameRect3d(hDC, rect, colors.m_clrBtnHilight, colors.m_clrBtnShadow);
            rect.DeflateRect(1, 1);
            GXFrameRect3d(hDC, rect, colors.m_clr3DLight, colors.m_clrBtnShadow);
            rect.DeflateRect(1, 1);
            CGXDrawingAndFormatting::FillSolidRect(pDC, rect, colors.m_clrBtnFace);
        }
        else
        {
            GXFrameRect3d(hDC, rect, colors.m_clrBtnShadow, colors.m_clrBtnShadow);
            rect.DeflateRect(1, 1);
            CGXDrawingAndFormatting::FillSolidRect(pDC, rect, colors.m_clrBtnFace);
            rect.OffsetRect(2, 2);
        }
    }

    if (m_phBitmap != nullptr && *m_phBitmap != nullptr)
    {
        BITMAP bm = {};
        ::GetObjectA(*m_phBitmap, sizeof bm, &bm);
        const int x = m_strLabel.IsEmpty() ? rect.left + (rect.Width() - bm.bmWidth) / 2 : rect.left + 5;
        const int y = rect.top + (rect.Height() - bm.bmHeight) / 2;
        if (const HDC hMem = ::CreateCompatibleDC(hDC))
        {
            const HGDIOBJ hOld = ::SelectObject(hMem, *m_phBitmap);
            ::BitBlt(hDC, x, y, bm.bmWidth, bm.bmHeight, hMem, 0, 0, SRCCOPY);
            ::SelectObject(hMem, hOld);
            ::DeleteDC(hMem);
        }
    }
    if (!m_strLabel.IsEmpty())
    {
        const HGDIOBJ hOldFont = m_hFont != nullptr ? ::SelectObject(hDC, m_hFont) : nullptr;
        const int nOldMode = ::SetBkMode(hDC, TRANSPARENT);
        const COLORREF oldText = ::SetTextColor(hDC, m_textColor);
        RECT text = rect;
        ::DrawTextA(hDC, m_strLabel, m_strLabel.GetLength(), &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        ::SetTextColor(hDC, oldText);
        ::SetBkMode(hDC, nOldMode);
        if (hOldFont != nullptr)
            ::SelectObject(hDC, hOldFont);
    }
}

// ---- CGXBCalculator ----

CGXBCalculator::CGXBCalculator() = default;

CGXBCalculator::~CGXBCalculator()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
    if (m_hEnterBitmap != nullptr)
        ::DeleteObject(m_hEnterBitmap);
    for (INT_PTR i = 0; i < m_buttons.GetSize(); ++i)
        delete m_buttons.GetAt(i);
    m_buttons.RemoveAll();
}

CString CGXBCalculator::GetDecimalSeparator()
{
    char sz[4] = {};
    if (::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, sz, 3) == 0 || sz[0] == '\0')
        return ".";
    return sz;
}

void CGXBCalculator::LoadEnterBitmap()
{
    if (m_hEnterBitmap != nullptr)
        ::DeleteObject(m_hEnterBitmap);
    m_hEnterBitmap = nullptr;
    CBitmap bitmap;
    if (CGXDrawingAndFormatting::LoadBitmapResource(bitmap, MAKEINTRESOURCEA(kEnterBitmap)))
        m_hEnterBitmap = static_cast<HBITMAP>(bitmap.Detach());
}

BOOL CGXBCalculator::CreateButtons(CWnd*)
{
    struct Row
    {
        int nOp;
        const char* pszLabel;
        const char* pszKeys;
        UINT nVirtKey;
        int nWidth;
        BOOL bNewRow;
    };
    static const Row rows[] = {
        {opClear, "C", "c", 0, 1, TRUE},        {opClearEntry, "CE", "e", 0, 1, FALSE},
        {opBackspace, "<-", "\b", VK_DELETE, 1, FALSE}, {opPercent, "%", "%", 0, 1, FALSE},
        {16, "7", "7", 0, 1, TRUE},             {17, "8", "8", 0, 1, FALSE},
        {18, "9", "9", 0, 1, FALSE},            {opDivide, "/", "/", 0, 1, FALSE},
        {13, "4", "4", 0, 1, TRUE},             {14, "5", "5", 0, 1, FALSE},
        {15, "6", "6", 0, 1, FALSE},            {opMultiply, "*", "*", 0, 1, FALSE},
        {10, "1", "1", 0, 1, TRUE},             {11, "2", "2", 0, 1, FALSE},
        {12, "3", "3", 0, 1, FALSE},            {opSubtract, "-", "-", 0, 1, FALSE},
        {opDigit0, "0", "0", 0, 2, TRUE},       {opDecimal, nullptr, nullptr, 0, 1, FALSE},
        {opAdd, "+", "+", 0, 1, FALSE},         {opEquals, nullptr, "=", VK_RETURN, 4, TRUE},
    };
    const HFONT hFont = static_cast<HFONT>(m_buttonFont.GetSafeHandle());
    LoadEnterBitmap();
    for (const Row& row : rows)
    {
        CString label = row.pszLabel != nullptr ? row.pszLabel : "";
        CString keys = row.pszKeys != nullptr ? row.pszKeys : "";
        COLORREF color = kOperatorColor;
        HBITMAP* phBitmap = nullptr;
        if (row.nOp == opDecimal)
        {
            label = m_strSeparator;
            keys = m_strSeparator;
        }
        if ((row.nOp >= opDigit0 && row.nOp <= opDigit9) || row.nOp == opDecimal)
            color = kDigitColor;
        if (row.nOp == opEquals)
        {
            color = RGB(0, 0, 0);
            if (m_hEnterBitmap != nullptr)
                phBitmap = &m_hEnterBitmap;
            else
                label = LoadText(kEnterText, "Enter");
        }
        m_buttons.Add(new CGXBCalcBtn(row.nOp, label, keys, row.nVirtKey, row.nWidth, row.bNewRow, color, hFont,
                                      phBitmap));
    }
    return TRUE;
}

void CGXBCalculator::CreateDisplayFont()
{
    const HDC hDC = ::GetDC(nullptr);
    const HGDIOBJ hOld = ::SelectObject(hDC, m_displayFont.GetSafeHandle());
    TEXTMETRICA tm = {};
    ::GetTextMetricsA(hDC, &tm);
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(nullptr, hDC);
    m_nDisplayHeight = tm.tmHeight + 4;
}

BOOL CGXBCalculator::EnsureResources(CWnd* pParent)
{
    if (m_strSeparator.IsEmpty())
        m_strSeparator = GetDecimalSeparator();
    if (m_buttonFont.GetSafeHandle() == nullptr)
    {
        HFONT hBase = nullptr;
        if (pParent != nullptr && pParent->GetSafeHwnd() != nullptr)
            hBase = reinterpret_cast<HFONT>(::SendMessageA(pParent->GetSafeHwnd(), WM_GETFONT, 0, 0));
        if (hBase == nullptr)
            hBase = static_cast<HFONT>(::GetStockObject(SYSTEM_FONT));
        LOGFONTA lf = {};
        ::GetObjectA(hBase, sizeof lf, &lf);
        lf.lfWeight = FW_NORMAL;
        m_displayFont.CreateFontIndirect(&lf);
        lf.lfWeight = FW_BOLD;
        m_buttonFont.CreateFontIndirect(&lf);
        CreateDisplayFont();
    }
    if (m_buttons.GetSize() == 0 && !CreateButtons(pParent))
        return FALSE;

    // Button cells of 16 x 14 dialog units of the button font.
    const HDC hDC = ::GetDC(nullptr);
    const HGDIOBJ hOld = ::SelectObject(hDC, m_buttonFont.GetSafeHandle());
    TEXTMETRICA tm = {};
    ::GetTextMetricsA(hDC, &tm);
    SIZE size = {};
    static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    ::GetTextExtentPoint32A(hDC, kLetters, 52, &size);
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(nullptr, hDC);
    int nBaseX = (size.cx + 26) / 52;
    int nBaseY = tm.tmHeight + tm.tmExternalLeading;
    if (nBaseX <= 0 || nBaseY <= 0)
    {
        const LONG units = ::GetDialogBaseUnits();
        nBaseX = LOWORD(units);
        nBaseY = HIWORD(units);
    }
    m_nCellWidth = 16 * nBaseX / 4;
    m_nCellHeight = 14 * nBaseY / 8;
    return TRUE;
}

void CGXBCalculator::Layout()
{
    const int nTop = (m_dwCalcStyle & GXBCS_ETCHED) != 0 ? 8 : m_nTopMargin;
    int x = m_nLeftMargin;
    int y = nTop + m_nDisplayHeight + m_nRowGap;
    int nRight = x;
    for (INT_PTR i = 0; i < m_buttons.GetSize(); ++i)
    {
        CGXBCalcBtn* pButton = m_buttons.GetAt(i);
        if (i > 0 && (pButton->m_nState & CGXBCalcBtn::stateNewRow) != 0)
        {
            x = m_nLeftMargin;
            y += m_nCellHeight + m_nRowGap;
        }
        else if (i > 0)
            x += m_nColGap;
        pButton->m_rect.SetRect(x, y, x + pButton->m_nWidth * m_nCellWidth, y + m_nCellHeight);
        x = pButton->m_rect.right;
        nRight = std::max(nRight, x);
    }
    m_rectDisplay.SetRect(m_nLeftMargin, nTop, nRight, nTop + m_nDisplayHeight);
    MeasureDigitCapacity();
}

void CGXBCalculator::MeasureDigitCapacity()
{
    const HDC hDC = ::GetDC(nullptr);
    const HGDIOBJ hOld = ::SelectObject(hDC, m_displayFont.GetSafeHandle());
    SIZE zero = {};
    SIZE separator = {};
    ::GetTextExtentPoint32A(hDC, "0", 1, &zero);
    ::GetTextExtentPoint32A(hDC, m_strSeparator, m_strSeparator.GetLength(), &separator);
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(nullptr, hDC);
    m_nDigitCapacity = zero.cx > 0 ? (m_rectDisplay.Width() - 4 - separator.cx) / zero.cx - 1 : 15;
    m_nDecimals = std::min(m_nDecimals, std::max(m_nDigitCapacity, 0));
}

CSize CGXBCalculator::WindowSizeFor(DWORD dwStyle, DWORD dwExStyle)
{
    int cx = 0;
    int cy = 0;
    for (INT_PTR i = 0; i < m_buttons.GetSize(); ++i)
    {
        cx = std::max<int>(cx, m_buttons.GetAt(i)->m_rect.right);
        cy = std::max<int>(cy, m_buttons.GetAt(i)->m_rect.bottom);
    }
    RECT rect = {0, 0, cx + m_nLeftMargin, cy + m_nTopMargin};
    ::AdjustWindowRectEx(&rect, dwStyle, FALSE, dwExStyle);
    if ((m_dwCalcStyle & GXBCS_OWNFRAME) != 0)
        ::InflateRect(&rect, 2, 2);
    return CSize(rect.right - rect.left, rect.bottom - rect.top);
}

BOOL CGXBCalculator::Create(DWORD dwExStyle, DWORD dwStyle, const RECT& rect, CWnd* pParent, UINT nID,
                            LPVOID lpParam)
{
    m_dwCalcStyle = dwStyle & 0xFFFF;
    if ((m_dwCalcStyle & GXBCS_OWNFRAME) != 0)
    {
        dwStyle &= ~WS_BORDER;
        dwExStyle &= ~(WS_EX_CLIENTEDGE | WS_EX_STATICEDGE);
    }
    Reset();
    if (!EnsureResources(pParent))
        return FALSE;
    Layout();
    const CSize size = WindowSizeFor(dwStyle & 0xFFFF0000, dwExStyle);
    const LPCTSTR pszClass = AfxRegisterWndClass(GetClassStyle(), GXGetAppData()->m_sysColors.m_hcurArrow, nullptr, nullptr);
    if (!CreateEx(dwExStyle, pszClass, "", dwStyle & 0xFFFF0000, rect.left, rect.top, size.cx, size.cy,
                  pParent != nullptr ? pParent->GetSafeHwnd() : nullptr,
                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), lpParam))
        return FALSE;
    if ((m_nState & stateValueSet) != 0)
    {
        m_nState &= ~stateValueSet;
        ShowAccumulator();
    }
    return TRUE;
}

void CGXBCalculator::Reset()
{
    if ((m_nState & stateValueSet) == 0)
        m_dAccum = 0.0;
    m_strDisplay.Empty();
    m_nState &= ~stateError;
    m_nPendingOp = opNone;
    m_bStartNew = TRUE;
}

void CGXBCalculator::SetValue(double value)
{
    if (m_hWnd == nullptr)
    {
        m_nState |= stateValueSet;
        m_dAccum = value;
        return;
    }
    m_nState &= ~stateValueSet;
    Reset();
    m_dAccum = value;
    ShowAccumulator();
    Invalidate(FALSE);
}

CGXBCalcBtn* CGXBCalculator::FindButton(int nOp) const
{
    for (INT_PTR i = 0; i < m_buttons.GetSize(); ++i)
        if (m_buttons.GetAt(i)->m_nOp == nOp)
            return m_buttons.GetAt(i);
    return nullptr;
}

void CGXBCalculator::ShowAccumulator()
{
    const double magnitude = std::fabs(m_dAccum);
    const int nLimit = std::min(m_nDigitCapacity, magnitude >= 1.0 ? 15 : 16);
    int nDecimals = m_nDecimals;
    for (;;)
    {
        std::string text = NumberText::FormatDouble(m_dAccum, 'f', std::max(nDecimals, 0));
        const std::string::size_type nPoint = text.rfind(RuntimePoint());
        if (nPoint != std::string::npos)
        {
            std::string::size_type nEnd = text.size();
            while (nEnd > nPoint + 1 && text[nEnd - 1] == '0')
                --nEnd;
            text = text.substr(0, nPoint) + std::string(m_strSeparator) + text.substr(nPoint + 1, nEnd - nPoint - 1);
        }
        const size_t nSkip = !text.empty() && text[0] == '-' ? 1 : 0;
        const std::string::size_type nSep = text.find(std::string(m_strSeparator), nSkip);
        const int nInteger = static_cast<int>((nSep == std::string::npos ? text.size() : nSep) - nSkip);
        const int nFraction =
            nSep == std::string::npos ? 0 : static_cast<int>(text.size() - nSep - m_strSeparator.GetLength());
        if (nInteger > nLimit || nInteger > 13)
        {
            m_nState |= stateError;
            m_strDisplay = text.c_str();
            return;
        }
        if (nInteger + nFraction <= nLimit || nDecimals <= 0)
        {
            m_strDisplay = text.c_str();
            return;
        }
        const int nNext = nLimit - nInteger;
        nDecimals = nNext < nDecimals ? nNext : nDecimals - 1;
    }
}

void CGXBCalculator::Execute(int nOp)
{
    if (IsError() && nOp != opClear && nOp != opClearEntry)
    {
        AfxMessageBeep(0xFFFFFFFF);
        return;
    }
    if (nOp >= opDigit0 && nOp <= opDigit9)
    {
        if (m_bStartNew)
        {
            m_strDisplay.Empty();
            m_bStartNew = FALSE;
        }
        const char digit = static_cast<char>(nOp + 39);
        if (digit == '0' && m_strDisplay.IsEmpty())
            return;
        const CString body = m_strDisplay.Left(1) == "-" ? m_strDisplay.Mid(1) : m_strDisplay;
        const int nSep = body.Find(m_strSeparator);
        const int nInteger = nSep < 0 ? body.GetLength() : nSep;
        const int nFraction = nSep < 0 ? 0 : body.GetLength() - nSep - m_strSeparator.GetLength();
        const int nLimit = std::min(m_nDigitCapacity, body.Left(1) == "0" ? 16 : 15);
        if (nFraction < m_nDecimals && (nSep >= 0 || nInteger < 13) && nInteger + nFraction < nLimit)
            m_strDisplay += digit;
        else
            AfxMessageBeep(0xFFFFFFFF);
    }
    else if (nOp == opDecimal)
    {
        if (m_bStartNew)
        {
            m_strDisplay.Empty();
            m_bStartNew = FALSE;
        }
        if (m_strDisplay.Find(m_strSeparator) < 0)
        {
            if (m_strDisplay.IsEmpty())
                m_strDisplay = "0";
            m_strDisplay += m_strSeparator;
        }
    }
    else if (nOp == opBackspace)
    {
        if (!m_bStartNew && !m_strDisplay.IsEmpty())
            m_strDisplay = m_strDisplay.Left(m_strDisplay.GetLength() - 1);
    }
    else if (nOp == opClearEntry && !IsError())
    {
        m_strDisplay.Empty();
        m_bStartNew = TRUE;
    }
    else if (nOp == opClear || nOp == opClearEntry)
    {
        Reset();
    }
    else if (nOp >= opMultiply && nOp <= opEquals)
    {
        double x = 0.0;
        if (!m_strDisplay.IsEmpty())
        {
            CString number = m_strDisplay;
            number.Replace(m_strSeparator, CString(RuntimePoint()));
            char* pEnd = nullptr;
            x = std::strtod(number, &pEnd);
            if (pEnd == static_cast<LPCTSTR>(number) || *pEnd != '\0')
                return;
        }
        int nNewPending = nOp == opEquals ? opNone : nOp;
        if (nOp == opPercent)
        {
            x = m_nPendingOp == opMultiply || m_nPendingOp == opDivide ? m_dAccum * x * 0.01 : 0.0;
            nNewPending = opNone;
        }
        else
        {
            switch (m_nPendingOp)
            {
            case opMultiply:
                x = m_dAccum * x;
                break;
            case opAdd:
                x = m_dAccum + x;
                break;
            case opSubtract:
                x = m_dAccum - x;
                break;
            case opDivide:
                if (x == 0.0)
                    m_nState |= stateError;
                else
                    x = m_dAccum / x;
                break;
            default:
                break;
            }
        }
        if (!IsError())
        {
            m_dAccum = x;
            m_bStartNew = TRUE;
            m_nPendingOp = nNewPending;
            ShowAccumulator();
        }
    }
    if (m_hWnd != nullptr)
        ::InvalidateRect(m_hWnd, &m_rectDisplay, FALSE);
}

CString CGXBCalculator::GetDisplayText() const
{
    if (IsError())
        return LoadText(kErrorText, "Error ");
    if (m_strDisplay.IsEmpty())
        return "0" + m_strSeparator;
    if (m_strDisplay.Find(m_strSeparator) < 0)
        return m_strDisplay + m_strSeparator;
    return m_strDisplay;
}

void CGXBCalculator::PressButton(CGXBCalcBtn* pButton)
{
    if (pButton == nullptr)
        return;
    INT_PTR nIndex = 0;
    while (nIndex < m_buttons.GetSize() && m_buttons.GetAt(nIndex) != pButton)
        ++nIndex;
    pButton->m_nState |= CGXBCalcBtn::statePressed;
    RedrawButton(static_cast<int>(nIndex));
    // The button may close the window (the pop-up's "="): keep hold of what is needed.
    const HWND hWnd = m_hWnd;
    Execute(pButton->m_nOp);
    if (!::IsWindow(hWnd) || m_hWnd != hWnd)
        return;
    pButton->m_nState &= ~CGXBCalcBtn::statePressed;
    RedrawButton(static_cast<int>(nIndex));
}

int CGXBCalculator::ButtonAt(CPoint point) const
{
    for (INT_PTR i = 0; i < m_buttons.GetSize(); ++i)
        if (m_buttons.GetAt(i)->m_rect.PtInRect(point))
            return static_cast<int>(i);
    return -1;
}

void CGXBCalculator::RedrawButton(int nIndex)
{
    if (m_hWnd == nullptr || nIndex < 0 || nIndex >= m_buttons.GetSize())
        return;
    ::InvalidateRect(m_hWnd, &m_buttons.GetAt(nIndex)->m_rect, FALSE);
    ::UpdateWindow(m_hWnd);
}

void CGXBCalculator::ClearHot()
{
    for (INT_PTR i = 0; i < m_buttons.GetSize(); ++i)
        if ((m_buttons.GetAt(i)->m_nState & CGXBCalcBtn::stateHot) != 0)
        {
            m_buttons.GetAt(i)->m_nState &= ~CGXBCalcBtn::stateHot;
            RedrawButton(static_cast<int>(i));
        }
}

void CGXBCalculator::DrawDisplay(CDC* pDC)
{
    const HDC hDC = pDC->GetSafeHdc();
    const CGXSysColors& colors = SysColors();
    CRect rect = m_rectDisplay;
    if (GXUxTheme::DrawThemedBackground(m_hWnd, L"Edit", hDC, EP_EDITTEXT, ETS_READONLY, &rect))
        rect.DeflateRect(2, 2);
    else
    {
        GXFrameRect3d(hDC, rect, colors.m_clrBtnShadow, colors.m_clrBtnHilight);
        rect.DeflateRect(1, 1);
        GXFrameRect3d(hDC, rect, colors.m_clrWindowFrame, colors.m_clrBtnFace);
        rect.DeflateRect(1, 1);
    }
    const CString text = GetDisplayText();
    const HGDIOBJ hOld = ::SelectObject(hDC, m_displayFont.GetSafeHandle());
    const int nOldMode = ::SetBkMode(hDC, TRANSPARENT);
    RECT textRect = rect;
    textRect.right -= 2;
    ::DrawTextA(hDC, text, text.GetLength(), &textRect, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
    ::SetBkMode(hDC, nOldMode);
    ::SelectObject(hDC, hOld);
}

void CGXBCalculator::DrawFrame(CDC* pDC)
{
    if ((m_dwCalcStyle & GXBCS_OWNFRAME) == 0)
        return;
    const CGXSysColors& colors = SysColors();
    RECT window;
    ::GetWindowRect(m_hWnd, &window);
    RECT rect = {0, 0, window.right - window.left, window.bottom - window.top};
    const HDC hDC = pDC->GetSafeHdc();
    GXFrameRect3d(hDC, rect, colors.m_clr3DLight, colors.m_clr3DDkShadow);
    ::InflateRect(&rect, -1, -1);
    GXFrameRect3d(hDC, rect, colors.m_clrBtnHilight, colors.m_clrBtnShadow);
}

void CGXBCalculator::Draw(CDC* pDC)
{
    const CGXSysColors& colors = SysColors();
    CRect client;
    ::GetClientRect(m_hWnd, &client);
    CGXDrawingAndFormatting::FillSolidRect(pDC, client, colors.m_clrBtnFace);
    if ((m_dwCalcStyle & GXBCS_ETCHED) != 0)
    {
        CGXDrawingAndFormatting::FillSolidRect(pDC, 0, m_nTopMargin + 2, client.Width(), 1, colors.m_clrBtnShadow);
        CGXDrawingAndFormatting::FillSolidRect(pDC, 0, m_nTopMargin + 3, client.Width(), 1, colors.m_clrBtnHilight);
    }
    DrawDisplay(pDC);
    for (INT_PTR i = 0; i < m_buttons.GetSize(); ++i)
        m_buttons.GetAt(i)->Draw(pDC);
}

BOOL CGXBCalculator::HandleKey(UINT nChar)
{
    BOOL bTaken = FALSE;
    for (INT_PTR i = 0; i < m_buttons.GetSize() && m_hWnd != nullptr; ++i)
        if (m_buttons.GetAt(i)->m_nVirtKey != 0 && m_buttons.GetAt(i)->m_nVirtKey == nChar)
        {
            PressButton(m_buttons.GetAt(i));
            bTaken = TRUE;
        }
    return bTaken;
}

BOOL CGXBCalculator::HandleChar(char ch)
{
    const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    BOOL bTaken = FALSE;
    for (INT_PTR i = 0; i < m_buttons.GetSize() && m_hWnd != nullptr; ++i)
        if (m_buttons.GetAt(i)->HasKey(lower))
        {
            PressButton(m_buttons.GetAt(i));
            bTaken = TRUE;
        }
    return bTaken;
}

LRESULT CGXBCalculator::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_PAINT:
        GXPaintBuffered(m_hWnd, [this](CDC* pDC) { Draw(pDC); });
        return 0;
    case WM_ERASEBKGND:
        return TRUE;
    case WM_NCCALCSIZE:
        if ((m_dwCalcStyle & GXBCS_OWNFRAME) != 0)
        {
            RECT* pRect = reinterpret_cast<RECT*>(lParam);
            const LRESULT lResult = CWnd::WindowProc(message, wParam, lParam);
            ::InflateRect(pRect, -2, -2);
            return lResult;
        }
        break;
    case WM_NCPAINT:
        if ((m_dwCalcStyle & GXBCS_OWNFRAME) != 0)
        {
            const HDC hDC = ::GetWindowDC(m_hWnd);
            DrawFrame(CDC::FromHandle(hDC));
            ::ReleaseDC(m_hWnd, hDC);
            return 0;
        }
        break;
    case WM_GETDLGCODE:
        return DLGC_WANTALLKEYS | DLGC_WANTCHARS;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    {
        if (::GetFocus() != m_hWnd)
            ::SetFocus(m_hWnd);
        const int nHit = ButtonAt(CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
        if (nHit >= 0)
        {
            m_nCaptured = nHit;
            m_nState |= stateCaptured;
            ::SetCapture(m_hWnd);
            m_buttons.GetAt(nHit)->m_nState |= CGXBCalcBtn::statePressed;
            RedrawButton(nHit);
        }
        return 0;
    }
    case WM_MOUSEMOVE:
    {
        const CPoint point(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        const int nHit = ButtonAt(point);
        if ((m_nState & stateCaptured) != 0)
        {
            CGXBCalcBtn* pButton = m_buttons.GetAt(m_nCaptured);
            const BOOL bOver = nHit == m_nCaptured;
            if (bOver != ((pButton->m_nState & CGXBCalcBtn::statePressed) != 0))
            {
                pButton->m_nState ^= CGXBCalcBtn::statePressed;
                RedrawButton(m_nCaptured);
            }
            return 0;
        }
        for (INT_PTR i = 0; i < m_buttons.GetSize(); ++i)
        {
            CGXBCalcBtn* pButton = m_buttons.GetAt(i);
            const BOOL bHot = i == nHit;
            if (bHot != ((pButton->m_nState & CGXBCalcBtn::stateHot) != 0))
            {
                pButton->m_nState ^= CGXBCalcBtn::stateHot;
                RedrawButton(static_cast<int>(i));
            }
        }
        if (nHit >= 0 && !m_bTrackingLeave)
        {
            TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, m_hWnd, HOVER_DEFAULT};
            m_bTrackingLeave = GXUxTheme::TrackMouseEvent(&track);
        }
        return 0;
    }
    case WM_MOUSELEAVE:
        m_bTrackingLeave = FALSE;
        ClearHot();
        return 0;
    case WM_LBUTTONUP:
        if ((m_nState & stateCaptured) != 0)
        {
            const int nCaptured = m_nCaptured;
            m_nState &= ~stateCaptured;
            m_nCaptured = -1;
            ::ReleaseCapture();
            CGXBCalcBtn* pButton = m_buttons.GetAt(nCaptured);
            pButton->m_nState &= ~CGXBCalcBtn::statePressed;
            RedrawButton(nCaptured);
            if (ButtonAt(CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam))) == nCaptured)
                Execute(pButton->m_nOp);
        }
        return 0;
    case WM_CANCELMODE:
        if ((m_nState & stateCaptured) != 0)
        {
            m_nState &= ~stateCaptured;
            ::ReleaseCapture();
            m_buttons.GetAt(m_nCaptured)->m_nState &= ~CGXBCalcBtn::statePressed;
            RedrawButton(m_nCaptured);
            m_nCaptured = -1;
        }
        break;
    case WM_KEYDOWN:
        if (wParam == VK_TAB && (::GetWindowLongA(m_hWnd, GWL_STYLE) & WS_POPUP) == 0)
        {
            const HWND hParent = ::GetParent(m_hWnd);
            if (hParent != nullptr)
                ::PostMessageA(hParent, WM_NEXTDLGCTL, (::GetKeyState(VK_SHIFT) & 0x8000) != 0 ? 1 : 0, 0);
            return 0;
        }
        if (HandleKey(static_cast<UINT>(wParam)))
            return 0;
        break;
    case WM_CHAR:
    {
        const BYTE ch = static_cast<BYTE>(wParam);
        if ((m_nState & stateLeadByte) != 0)
        {
            // A double-byte character presses nothing; its trail byte only ends it.
            m_nState &= ~stateLeadByte;
            return 0;
        }
        if (::IsDBCSLeadByte(ch))
        {
            m_nLeadByte = ch;
            m_nState |= stateLeadByte;
            return 0;
        }
        HandleChar(static_cast<char>(ch));
        return 0;
    }
    case WM_SYSCOLORCHANGE:
        GXGetAppData()->m_sysColors.Update();
        LoadEnterBitmap();
        break;
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

// ---- CGXBPopupCalculator ----

BOOL CGXBPopupCalculator::Create(DWORD dwStyle, const RECT& rectOwner, CWnd* pOwner, UINT nID)
{
    m_dwCalcStyle = dwStyle & 0xFFFF;
    DWORD dwExStyle = 0;
    dwStyle |= WS_POPUP;
    if ((m_dwCalcStyle & GXBCS_OWNFRAME) != 0)
        dwStyle &= ~WS_BORDER;
    Reset();
    if (!EnsureResources(pOwner))
        return FALSE;
    Layout();
    const CSize size = WindowSizeFor(dwStyle & 0xFFFF0000, dwExStyle);
    RECT work = {};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    int x = rectOwner.left;
    int y = rectOwner.bottom;
    if (y + size.cy > work.bottom)
        y = rectOwner.top - size.cy;
    if (x + size.cx > work.right)
        x = rectOwner.right - size.cx;
    const LPCTSTR pszClass = AfxRegisterWndClass(GetClassStyle(), GXGetAppData()->m_sysColors.m_hcurArrow, nullptr, nullptr);
    if (!CreateEx(dwExStyle, pszClass, "", dwStyle & 0xFFFF0000, x, y, size.cx, size.cy,
                  pOwner != nullptr ? pOwner->GetSafeHwnd() : nullptr, nullptr, nullptr))
        return FALSE;
    (void)nID;
    if ((m_nState & stateValueSet) != 0)
    {
        m_nState &= ~stateValueSet;
        ShowAccumulator();
    }
    ::SetFocus(m_hWnd);
    return TRUE;
}

void CGXBPopupCalculator::SendResult()
{
    if (m_hOwner == nullptr || !::IsWindow(m_hOwner) || IsError())
        return;
    const CString text = GetDisplayText();
    ::SendMessageA(m_hOwner, GXBM_CALCULATOR_RESULT, 0, reinterpret_cast<LPARAM>(static_cast<LPCTSTR>(text)));
}

void CGXBPopupCalculator::Execute(int nOp)
{
    CGXBCalculator::Execute(nOp);
    if (nOp == opEquals && (m_dwCalcStyle & GXBCS_SENDONEQUALS) != 0 && m_hWnd != nullptr)
    {
        SendResult();
        ::PostMessageA(m_hWnd, WM_CLOSE, 0, 0);
    }
}

LRESULT CGXBPopupCalculator::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE)
        {
            ::PostMessageA(m_hWnd, WM_CLOSE, 0, 0);
            return 0;
        }
        if (wParam == VK_RETURN && (m_dwCalcStyle & GXBCS_SENDONEQUALS) == 0)
        {
            PressButton(FindButton(opEquals));
            SendResult();
            ::PostMessageA(m_hWnd, WM_CLOSE, 0, 0);
            return 0;
        }
        break;
    case WM_SYSKEYDOWN:
        if (wParam == VK_DOWN)
        {
            PressButton(FindButton(opEquals));
            if ((m_dwCalcStyle & GXBCS_SENDONEQUALS) == 0)
            {
                SendResult();
                ::PostMessageA(m_hWnd, WM_CLOSE, 0, 0);
            }
            return 0;
        }
        break;
    case WM_KILLFOCUS:
    {
        const HWND hNew = reinterpret_cast<HWND>(wParam);
        if (hNew != m_hWnd && (hNew == nullptr || !::IsChild(m_hWnd, hNew)))
            ::PostMessageA(m_hWnd, WM_CLOSE, 0, 0);
        break;
    }
    case WM_CLOSE:
        DestroyWindow();
        return 0;
    default:
        break;
    }
    return CGXBCalculator::WindowProc(message, wParam, lParam);
}

void CGXBPopupCalculator::PostNcDestroy()
{
    CGXBCalculator::PostNcDestroy();
    if (m_bDeleteOnDestroy)
        delete this;
}
