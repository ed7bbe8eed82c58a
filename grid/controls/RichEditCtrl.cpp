#include "grid/controls/RichEditCtrl.h"

#include "framework/win/Clipboard.h"
#include "framework/win/Dc.h"
#include "grid/controls/CellEditState.h"
#include "grid/core/AppData.h"
#include "grid/core/DrawingAndFormatting.h"
#include "grid/core/Font.h"
#include "grid/core/GridCore.h"
#include "grid/core/GridParam.h"
#include "grid/core/Properties.h"
#include "grid/core/Range.h"
#include "grid/core/Style.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

IMPLEMENT_DYNAMIC(CGXRichEditCtrl, CRichEditCtrl)
GRID_IMPLEMENT_CONTROL(CGXRichEditCtrl, CGXControl)

BOOL CGXRichEditCtrl::s_bSuppressResize = FALSE;

namespace
{
const int kTwipsPerInch = 1440;
// Where the helper windows lie, out of sight.
const RECT kHelperRect = {30000, 30000, 30100, 30100};

BOOL CtrlHeld()
{
    return (::GetKeyState(VK_CONTROL) & 0x8000) != 0;
}

BOOL ShiftHeld()
{
    return (::GetKeyState(VK_SHIFT) & 0x8000) != 0;
}

struct StreamBuffer
{
    const std::string* pIn = nullptr;
    size_t nPos = 0;
    std::string out;
};

DWORD CALLBACK StreamInCallback(DWORD_PTR dwCookie, LPBYTE pbBuff, LONG cb, LONG* pcb)
{
    StreamBuffer* pBuffer = reinterpret_cast<StreamBuffer*>(dwCookie);
    const size_t nLeft = pBuffer->pIn->size() - pBuffer->nPos;
    const LONG nGiven = static_cast<LONG>(std::min<size_t>(nLeft, cb > 0 ? static_cast<size_t>(cb) : 0));
    std::memcpy(pbBuff, pBuffer->pIn->data() + pBuffer->nPos, static_cast<size_t>(nGiven));
    pBuffer->nPos += static_cast<size_t>(nGiven);
    *pcb = nGiven;
    return 0;
}

DWORD CALLBACK StreamOutCallback(DWORD_PTR dwCookie, LPBYTE pbBuff, LONG cb, LONG* pcb)
{
    StreamBuffer* pBuffer = reinterpret_cast<StreamBuffer*>(dwCookie);
    pBuffer->out.append(reinterpret_cast<const char*>(pbBuff), static_cast<size_t>(cb));
    *pcb = cb;
    return 0;
}

// Character positions of the text (a paragraph break counts one).
long TextLength(HWND hWnd)
{
    GETTEXTLENGTHEX length = {GTL_NUMCHARS | GTL_PRECISE, CP_ACP};
    return static_cast<long>(::SendMessageA(hWnd, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0));
}

CGXStyle* TakeComposedStyle(CGXGridCore* pGrid, ROWCOL nRow, ROWCOL nCol)
{
    CGXStyle* pStyle = pGrid->NewStyle();
    pGrid->BuildEffectiveStyle(nRow, nCol, *pStyle, TRUE);
    return pStyle;
}

// The colours an interior gives the rich edit background: its colour, a hollow one's back colour.
COLORREF InteriorColor(const CGXStyle& style)
{
    const CGXStyleBrush& interior = style.GetInterior();
    return interior.GetStyle() == CGXStyleBrush::bsHollow ? interior.GetBkColor() : interior.GetColor();
}
}  // namespace

CGXRichEditCtrl::CGXRichEditCtrl(CGXGridCore* pGrid) : CGXControl(pGrid)
{
}

CGXRichEditCtrl::~CGXRichEditCtrl()
{
    for (CHelperWindow* pHelper : {&m_draw, &m_convert, &m_measure, &m_format})
        if (pHelper->wnd.m_hWnd != nullptr && ::IsWindow(pHelper->wnd.m_hWnd))
            pHelper->wnd.DestroyWindow();
    if (m_hWnd != nullptr && ::IsWindow(m_hWnd))
        DestroyWindow();
}

CRuntimeClass* CGXRichEditCtrl::GetWndRuntimeClass()
{
    return RUNTIME_CLASS(CGXRichEditCtrl);
}

CWnd* CGXRichEditCtrl::GetWnd()
{
    return this;
}

BOOL CGXRichEditCtrl::CreateControl(DWORD dwStyle, UINT nID)
{
    CWnd* pGridWnd = GetGridWnd();
    if (pGridWnd == nullptr || pGridWnd->GetSafeHwnd() == nullptr)
        return FALSE;
    const DWORD dwEditStyle = (dwStyle & ~static_cast<DWORD>(WS_VISIBLE | WS_BORDER)) | WS_CHILD;
    if (m_hWnd == nullptr && !Create(dwEditStyle, CRect(0, 0, 10, 10), pGridWnd, nID))
        return FALSE;
    BOOL bCreated = TRUE;
    if (m_measure.wnd.m_hWnd == nullptr)
        bCreated &= m_measure.wnd.Create(dwEditStyle, kHelperRect, this, 0);
    for (CHelperWindow* pHelper : {&m_draw, &m_convert, &m_format})
        if (pHelper->wnd.m_hWnd == nullptr)
            bCreated &= pHelper->wnd.Create(dwEditStyle | WS_BORDER | ES_MULTILINE, kHelperRect, this, 0);
    return bCreated;
}

// ---- RTF ----

CString CGXRichEditCtrl::WrapPlainText(const CString& text)
{
    CString rtf = "{";
    for (int i = 0; i < text.GetLength(); ++i)
    {
        const char ch = text[i];
        switch (ch)
        {
        case '\\':
        case '{':
        case '}':
            rtf += '\\';
            rtf += ch;
            break;
        case '\r':
            if (i + 1 < text.GetLength() && text[i + 1] == '\n')
                ++i;
            rtf += "\\par ";
            break;
        case '\n':
            rtf += "\\par ";
            break;
        default:
            rtf += ch;
            break;
        }
    }
    rtf += "}";
    return rtf;
}

BOOL CGXRichEditCtrl::StreamInRTF(CRichEditCtrl& wnd, const CString& text)
{
    if (wnd.m_hWnd == nullptr)
        return FALSE;
    if (text.IsEmpty())
    {
        ::SetWindowTextA(wnd.m_hWnd, "");
        return TRUE;
    }
    // The rich edit reads RTF only from "{\rtf"; the body of any other group is given that header,
    // and a text that is no group at all is read as plain text.
    std::string data = static_cast<LPCTSTR>(text);
    int nFormat = SF_RTF;
    if (data.compare(0, 5, "{\\rtf") != 0 && data.compare(0, 6, "{\\urtf") != 0)
    {
        if (data[0] == '{')
            data.insert(1, "\\rtf1 ");
        else
            nFormat = SF_TEXT;
    }
    StreamBuffer buffer;
    buffer.pIn = &data;
    EDITSTREAM es = {};
    es.dwCookie = reinterpret_cast<DWORD_PTR>(&buffer);
    es.pfnCallback = StreamInCallback;
    wnd.StreamIn(nFormat, es);
    return es.dwError == 0;
}

CString CGXRichEditCtrl::StreamOutRTF(CRichEditCtrl& wnd)
{
    if (wnd.m_hWnd == nullptr)
        return CString();
    StreamBuffer buffer;
    EDITSTREAM es = {};
    es.dwCookie = reinterpret_cast<DWORD_PTR>(&buffer);
    es.pfnCallback = StreamOutCallback;
    wnd.StreamOut(SF_RTF, es);
    return CString(buffer.out.data(), static_cast<int>(buffer.out.size()));
}

CString CGXRichEditCtrl::PlainText(CRichEditCtrl& wnd)
{
    const long nLength = TextLength(wnd.m_hWnd);
    if (nLength <= 0)
        return CString();
    std::vector<char> buffer(static_cast<size_t>(nLength) * 2 + 2, '\0');
    GETTEXTEX request = {};
    request.cb = static_cast<DWORD>(buffer.size());
    request.flags = GT_DEFAULT;
    request.codepage = CP_ACP;
    const LRESULT nRead = ::SendMessageA(wnd.m_hWnd, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&request),
                                         reinterpret_cast<LPARAM>(buffer.data()));
    return CString(buffer.data(), nRead > 0 ? static_cast<int>(nRead) : 0);
}

void CGXRichEditCtrl::Load(CHelperWindow& helper, const CString& text)
{
    if (helper.valid && helper.text == text)
        return;
    StreamInRTF(helper.wnd, text);
    helper.text = text;
    helper.valid = TRUE;
}

void CGXRichEditCtrl::Load(CHelperWindow& helper, const CString& text, const CGXStyle& style)
{
    // Text without formats of its own takes the cell's font, as the edit window gives it.
    PARAFORMAT2 pf;
    CHARFORMAT cf;
    StyleToFormats(pf, cf, style);
    if (!helper.valid || std::memcmp(&cf, &helper.charFormat, sizeof cf) != 0)
    {
        ::SetWindowTextA(helper.wnd.m_hWnd, "");
        helper.wnd.SetDefaultCharFormat(cf);
        helper.charFormat = cf;
        helper.valid = FALSE;
    }
    Load(helper, text);
}

// ---- Formats ----

void CGXRichEditCtrl::StyleToFormats(PARAFORMAT2& pf, CHARFORMAT& cf, const CGXStyle& style)
{
    std::memset(&pf, 0, sizeof pf);
    std::memset(&cf, 0, sizeof cf);
    pf.cbSize = sizeof pf;
    cf.cbSize = sizeof cf;
    if (style.GetIncludeHorizontalAlignment())
    {
        pf.dwMask |= PFM_ALIGNMENT;
        const UINT nAlign = style.GetHorizontalAlignment();
        pf.wAlignment = nAlign == DT_RIGHT ? PFA_RIGHT : nAlign == DT_CENTER ? PFA_CENTER : PFA_LEFT;
    }
    if (style.GetIncludeFont())
    {
        const CGXFont& font = style.GetFont();
        if (font.GetIncludeWeight())
        {
            cf.dwMask |= CFM_BOLD;
            if (font.GetWeight() >= FW_BOLD)
                cf.dwEffects |= CFE_BOLD;
        }
        if (font.GetIncludeItalic())
        {
            cf.dwMask |= CFM_ITALIC;
            if (font.GetItalic())
                cf.dwEffects |= CFE_ITALIC;
        }
        if (font.GetIncludeStrikeOut())
        {
            cf.dwMask |= CFM_STRIKEOUT;
            if (font.GetStrikeOut())
                cf.dwEffects |= CFE_STRIKEOUT;
        }
        if (font.GetIncludeUnderline())
        {
            cf.dwMask |= CFM_UNDERLINE;
            if (font.GetUnderline())
                cf.dwEffects |= CFE_UNDERLINE;
        }
        if (font.GetIncludeFaceName())
        {
            cf.dwMask |= CFM_FACE;
            lstrcpynA(cf.szFaceName, font.GetFaceName(), LF_FACESIZE);
        }
        if (font.GetIncludeSize())
        {
            cf.dwMask |= CFM_SIZE;
            cf.yHeight = static_cast<LONG>(font.GetSize() * 20);
        }
        const LOGFONT& lf = font.GetLogFont();
        cf.bCharSet = lf.lfCharSet;
        cf.bPitchAndFamily = lf.lfPitchAndFamily;
    }
    if (style.GetIncludeTextColor())
    {
        cf.dwMask |= CFM_COLOR;
        cf.crTextColor = style.GetResolvedTextColor();
    }
}

void CGXRichEditCtrl::FormatsToStyle(const PARAFORMAT2& pf, const CHARFORMAT& cf, CGXStyle& style)
{
    if ((pf.dwMask & PFM_ALIGNMENT) != 0)
        style.SetHorizontalAlignment(pf.wAlignment == PFA_RIGHT    ? DT_RIGHT
                                     : pf.wAlignment == PFA_CENTER ? DT_CENTER
                                                                   : DT_LEFT);
    CGXFont font;
    BOOL bFont = FALSE;
    if ((cf.dwMask & CFM_BOLD) != 0)
    {
        font.SetBold((cf.dwEffects & CFE_BOLD) != 0);
        bFont = TRUE;
    }
    if ((cf.dwMask & CFM_ITALIC) != 0)
    {
        font.SetItalic((cf.dwEffects & CFE_ITALIC) != 0);
        bFont = TRUE;
    }
    if ((cf.dwMask & CFM_STRIKEOUT) != 0)
    {
        font.SetStrikeOut((cf.dwEffects & CFE_STRIKEOUT) != 0);
        bFont = TRUE;
    }
    if ((cf.dwMask & CFM_UNDERLINE) != 0)
    {
        font.SetUnderline((cf.dwEffects & CFE_UNDERLINE) != 0);
        bFont = TRUE;
    }
    if ((cf.dwMask & CFM_FACE) != 0 && cf.szFaceName[0] != 0)
    {
        font.SetFaceName(cf.szFaceName);
        bFont = TRUE;
    }
    if ((cf.dwMask & CFM_SIZE) != 0)
    {
        font.SetSize(cf.yHeight / 20);
        bFont = TRUE;
    }
    if (bFont)
        style.SetFont(font, gxOverride);
    if ((cf.dwMask & CFM_COLOR) != 0)
        style.SetTextColor(cf.crTextColor);
}

// ---- State ----

void CGXRichEditCtrl::SetActive(BOOL bActive)
{
    GXCellEditState::SetActive(*this, m_bActive, bActive && m_hWnd != nullptr);
}

BOOL CGXRichEditCtrl::IsActive()
{
    return m_bActive;
}

void CGXRichEditCtrl::SetModify(BOOL bModified)
{
    if (m_hWnd != nullptr)
        CRichEditCtrl::SetModify(bModified);
}

BOOL CGXRichEditCtrl::GetModify()
{
    return m_hWnd != nullptr && CRichEditCtrl::GetModify();
}

void CGXRichEditCtrl::Init(ROWCOL nRow, ROWCOL nCol)
{
    CGXControl::Init(nRow, nCol);
    if (m_hWnd == nullptr)
        CreateControl(ES_MULTILINE, 0);
    const CGXStyle& style = GetCachedStyle();
    CGXGridParam* pParam = m_pGrid->GetParam();
    SetActive(pParam != nullptr && (pParam->m_wActivateCell & 4) != 0 && OnStartEditing());
    if (m_hWnd == nullptr)
        return;
    PARAFORMAT2 pf;
    CHARFORMAT cf;
    StyleToFormats(pf, cf, style);
    SetDefaultCharFormat(cf);
    SetParaFormat(pf);
    StreamInRTF(*this, style.GetValue());
    SetSel(0, -1);
    SetModify(FALSE);
    m_nInitialRowHeight = m_bKeepRowHeight ? m_pGrid->GetRowHeight(nRow) : 0;
}

BOOL CGXRichEditCtrl::Store()
{
    if (m_pStyle == nullptr || !GetModify())
        return TRUE;
    CString value;
    if (!GetValue(value))
        return TRUE;
    SetActive(FALSE);
    return m_pGrid->SetValueRange(CGXRange(m_nRow, m_nCol), value, gxOverride, GX_INVALIDATE);
}

void CGXRichEditCtrl::Hide()
{
    if (m_hWnd == nullptr || !::IsWindowVisible(m_hWnd))
        return;
    CGXFlagScope guard(m_pGrid->m_bFocusChanging, TRUE);
    ShowWindow(SW_HIDE);
}

// ---- Geometry ----

CRect CGXRichEditCtrl::GetCellRect(ROWCOL nRow, ROWCOL nCol, LPCRECT pRectItem, const CGXStyle* pStyle)
{
    CRect rect = CGXControl::GetCellRect(nRow, nCol, pRectItem, pStyle);
    const int d = std::max(2, ::GetSystemMetrics(SM_CXFRAME) / 2);
    rect.left += d;
    rect.right -= d / 2;
    return rect;
}

CSize CGXRichEditCtrl::GetBorderSize(ROWCOL, ROWCOL, const CGXStyle& style)
{
    const int d = std::max(2, ::GetSystemMetrics(SM_CXFRAME) / 2);
    return m_pGrid->AddBorders(CSize(d + d / 2, 0), style);
}

CGXRange CGXRichEditCtrl::CellRange(ROWCOL nRow, ROWCOL nCol)
{
    CGXRange range;
    if (!m_pGrid->GetCoveredCellsRowCol(nRow, nCol, range))
        range = CGXRange(nRow, nCol);
    return range;
}

void CGXRichEditCtrl::ApplyTargetDevice(CRichEditCtrl& wnd, CDC* pDC, int nWidth)
{
    if (pDC == nullptr || pDC->m_hAttribDC == pDC->m_hDC)
    {
        wnd.SetTargetDevice(static_cast<HDC>(nullptr), 0);
        return;
    }
    const HDC hScreen = ::GetDC(nullptr);
    const int nScreenPixels = ::GetDeviceCaps(hScreen, LOGPIXELSX);
    ::ReleaseDC(nullptr, hScreen);
    wnd.SetTargetDevice(pDC->m_hAttribDC, ::MulDiv(nWidth, kTwipsPerInch, nScreenPixels > 0 ? nScreenPixels : 96));
}

CSize CGXRichEditCtrl::CalcSize(CDC* pDC, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style, const CGXStyle*, BOOL)
{
    if (m_hWnd == nullptr && !CreateControl(ES_MULTILINE, 0))
        return CSize(0, 0);
    const CGXRange range = CellRange(nRow, nCol);
    const int nWidth = m_pGrid->CalcSumOfColWidths(range.left, range.right);
    const int nHeight = m_pGrid->CalcSumOfRowHeights(range.top, range.bottom);
    const CRect rectSpan(0, 0, nWidth, nHeight);
    const CRect rectCell = GetCellRect(nRow, nCol, &rectSpan, &style);

    s_bSuppressResize = FALSE;
    // The text wraps at the cell's width: the helper takes that width.
    m_measure.wnd.MoveWindow(kHelperRect.left, kHelperRect.top, std::max(1, rectCell.Width()),
                             std::max(1, rectCell.Height()), FALSE);
    ApplyTargetDevice(m_measure.wnd, pDC, rectCell.Width());
    m_measure.wnd.SetEventMask(ENM_REQUESTRESIZE);
    Load(m_measure, style.GetValue(), style);

    m_rectRequested = rectCell;
    m_bMeasuring = TRUE;
    m_measure.wnd.ShowWindow(SW_SHOWNA);
    m_measure.wnd.RequestResize();
    m_measure.wnd.ShowWindow(SW_HIDE);
    m_bMeasuring = FALSE;
    const CSize requested(m_rectRequested.right - m_rectRequested.left, m_rectRequested.bottom - m_rectRequested.top);
    return CSize(requested.cx, requested.cy + 1) + GetBorderSize(nRow, nCol, style);
}

// ---- Drawing ----

void CGXRichEditCtrl::Draw(CDC* pDC, CRect rect, ROWCOL nRow, ROWCOL nCol, const CGXStyle& style,
                           const CGXStyle* pStandardStyle)
{
    if (pDC == nullptr)
        return;
    CGXProperties* pProperties = m_pGrid->GetProperties();
    const BOOL bBlackWhite = pProperties != nullptr && pProperties->GetBlackWhite();
    if (IsInitAt(nRow, nCol) && m_bActive && !m_pGrid->IsPrinting() && m_hWnd != nullptr)
    {
        CGXFlagScope suppress(s_bSuppressResize, TRUE);
        const CGXStyle& cached = GetCachedStyle();
        DrawBackground(pDC, rect, cached, TRUE);
        const CRect rectCell = GetCellRect(nRow, nCol, &rect, &cached);
        const COLORREF background = bBlackWhite ? RGB(255, 255, 255) : InteriorColor(cached);
        const COLORREF text = bBlackWhite ? RGB(0, 0, 0) : cached.GetResolvedTextColor();
        ::SetTextColor(pDC->GetSafeHdc(), text);
        SetBackgroundColor(FALSE, background);
        ApplyTargetDevice(*this, pDC, rectCell.Width());

        DWORD dwOptions = m_dwOptions;
        if (cached.GetAllowEnter())
            dwOptions |= ECO_WANTRETURN;
        m_bAutoGrow = cached.GetIncludeAutoSize() && cached.GetAutoSize();
        SetEventMask(m_dwEventMask);
        SetOptions(ECOOP_SET, dwOptions);
        SetReadOnly(IsReadOnly());
        ::MoveWindow(m_hWnd, rectCell.left, rectCell.top, rectCell.Width(), rectCell.Height(), FALSE);

        SetActive(TRUE);
        CWnd* pGridWnd = GetGridWnd();
        if (pGridWnd != nullptr && ::GetFocus() == pGridWnd->GetSafeHwnd())
        {
            CGXFlagScope guard(m_pGrid->m_bFocusChanging, TRUE);
            ::SetFocus(m_hWnd);
        }
        ::SendMessageA(m_hWnd, EM_SCROLL, SB_PAGEUP, 0);
        ::SendMessageA(m_hWnd, EM_SCROLLCARET, 0, 0);
        LimitText(cached.GetIncludeMaxLength() ? static_cast<long>(cached.GetMaxLength()) : 0);
        ShowWindow(SW_SHOW);

        // A cell scrolled away behind the frozen rows or columns repaints only the painted part.
        const BOOL bBehindRows = nRow > m_pGrid->GetFrozenRows() && nRow < m_pGrid->GetTopRow();
        const BOOL bBehindCols = nCol > m_pGrid->GetFrozenCols() && nCol < m_pGrid->GetLeftCol();
        RECT clip = {};
        if ((bBehindRows || bBehindCols) && pGridWnd != nullptr &&
            ::GetClipBox(pDC->GetSafeHdc(), &clip) != NULLREGION && !::IsRectEmpty(&clip))
        {
            CRect visible;
            const CRect gridRect = m_pGrid->GetGridRect();
            visible.IntersectRect(&rect, &gridRect);
            ::MapWindowPoints(pGridWnd->GetSafeHwnd(), m_hWnd, reinterpret_cast<POINT*>(&visible), 2);
            ::MapWindowPoints(pGridWnd->GetSafeHwnd(), m_hWnd, reinterpret_cast<POINT*>(&clip), 2);
            ::ValidateRect(m_hWnd, &visible);
            ::InvalidateRect(m_hWnd, &clip, TRUE);
            ::HideCaret(m_hWnd);
        }
        ::UpdateWindow(m_hWnd);
        CGXControl::Draw(pDC, rect, nRow, nCol, style, pStandardStyle);
        return;
    }

    DrawBackground(pDC, rect, style, FALSE);
    const CRect rectCell = GetCellRect(nRow, nCol, &rect, &style);
    if (rect.Width() <= 1 || rect.Height() <= 1 || m_draw.wnd.m_hWnd == nullptr)
    {
        if (m_hWnd == nullptr)
            CreateControl(ES_MULTILINE, 0);
        if (m_draw.wnd.m_hWnd == nullptr || rect.Width() <= 1 || rect.Height() <= 1)
            return;
    }
    const COLORREF text = bBlackWhite ? RGB(0, 0, 0) : style.GetResolvedTextColor();
    const COLORREF background = bBlackWhite ? RGB(255, 255, 255) : InteriorColor(style);
    const HDC hDC = pDC->GetSafeHdc();
    const COLORREF oldText = ::SetTextColor(hDC, text);
    const COLORREF oldBack = ::SetBkColor(hDC, background);
    m_draw.wnd.SetBackgroundColor(FALSE, background);

    // An empty value draws nothing (the helper still holds the last cell's text).
    const CString& value = style.GetValue();
    if (!value.IsEmpty())
        Load(m_draw, value, style);
    if (!value.IsEmpty() && m_draw.wnd.GetTextLength() > 0)
    {
        int nPixelsX = 96, nPixelsY = 96;
        {
            const HDC hScreen = ::GetDC(nullptr);
            nPixelsX = ::GetDeviceCaps(hScreen, LOGPIXELSX);
            nPixelsY = ::GetDeviceCaps(hScreen, LOGPIXELSY);
            ::ReleaseDC(nullptr, hScreen);
        }
        const BOOL bPrintingOwnDC = pDC->IsPrinting() && pDC->m_hAttribDC == pDC->m_hDC;
        if (!pDC->IsPrinting() || pDC->m_hAttribDC != pDC->m_hDC)
        {
            nPixelsX = ::GetDeviceCaps(hDC, LOGPIXELSX);
            nPixelsY = ::GetDeviceCaps(hDC, LOGPIXELSY);
        }
        int nOldMode = 0;
        SIZE oldWindowExt = {}, oldViewportExt = {};
        if (bPrintingOwnDC)
        {
            ::GetViewportExtEx(hDC, &oldViewportExt);
            nOldMode = ::SetMapMode(hDC, MM_ANISOTROPIC);
            ::SetWindowExtEx(hDC, nPixelsX, nPixelsY, &oldWindowExt);
            ::SetViewportExtEx(hDC, oldViewportExt.cx, oldViewportExt.cy, nullptr);
        }
        const int nFactorX = kTwipsPerInch / std::max(1, nPixelsX);
        const int nFactorY = kTwipsPerInch / std::max(1, nPixelsY);
        const CRect gridRect = m_pGrid->GetGridRect();
        FORMATRANGE range = {};
        range.hdc = hDC;
        range.hdcTarget = hDC;
        range.rcPage = {gridRect.left * nFactorX, gridRect.top * nFactorY, gridRect.right * nFactorX,
                        gridRect.bottom * nFactorY};
        range.rc = {::MulDiv(rectCell.left, kTwipsPerInch, nPixelsX), ::MulDiv(rectCell.top, kTwipsPerInch, nPixelsY),
                    ::MulDiv(rectCell.right, kTwipsPerInch, nPixelsX),
                    ::MulDiv(rectCell.bottom + m_pGrid->GetRowSizeUnit(), kTwipsPerInch, nPixelsY)};
        range.chrg = {0, -1};
        m_draw.wnd.FormatRange(nullptr, FALSE);
        m_draw.wnd.FormatRange(&range, TRUE);
        m_draw.wnd.FormatRange(nullptr, FALSE);
        if (bPrintingOwnDC)
        {
            ::SetWindowExtEx(hDC, oldWindowExt.cx, oldWindowExt.cy, nullptr);
            ::SetMapMode(hDC, nOldMode);
            ::SetViewportExtEx(hDC, oldViewportExt.cx, oldViewportExt.cy, nullptr);
        }
    }
    ::SetBkColor(hDC, oldBack);
    ::SetTextColor(hDC, oldText);
    CGXControl::Draw(pDC, rect, nRow, nCol, style, pStandardStyle);
}

// ---- Values ----

BOOL CGXRichEditCtrl::GetCurrentText(CString& text)
{
    if (m_bActive && m_hWnd != nullptr)
        text = PlainText(*this);
    else if (m_bInit)
        GetControlText(text, m_nRow, m_nCol, nullptr, GetCachedStyle());
    else
        text.Empty();
    return TRUE;
}

void CGXRichEditCtrl::SetCurrentText(const CString& text)
{
    if (!m_bInit || m_hWnd == nullptr)
        return;
    SetActive(TRUE);
    if (!ValidateString(text))
        return;
    StreamInRTF(*this, WrapPlainText(text));
    SetModify(TRUE);
    OnModifyCell();
}

BOOL CGXRichEditCtrl::GetValue(CString& value)
{
    if (!m_bInit)
        return FALSE;
    if (!m_bActive || m_hWnd == nullptr)
    {
        value = GetCachedStyle().GetValue();
        return TRUE;
    }
    value = StreamOutRTF(*this);
    // A content without formatting of its own keeps the compact form of its plain text: a helper set
    // up as the edit window was, given that form, streams out the same RTF.
    if (m_convert.wnd.m_hWnd != nullptr)
    {
        const CString compact = WrapPlainText(PlainText(*this));
        PARAFORMAT2 pf;
        CHARFORMAT cf;
        StyleToFormats(pf, cf, GetCachedStyle());
        ::SetWindowTextA(m_convert.wnd.m_hWnd, "");
        m_convert.wnd.SetDefaultCharFormat(cf);
        m_convert.wnd.SetParaFormat(pf);
        StreamInRTF(m_convert.wnd, compact);
        m_convert.valid = FALSE;
        if (StreamOutRTF(m_convert.wnd) == value)
            value = compact;
    }
    return TRUE;
}

void CGXRichEditCtrl::SetValue(LPCTSTR pszValue)
{
    if (m_hWnd != nullptr)
        StreamInRTF(*this, pszValue != nullptr ? pszValue : "");
}

BOOL CGXRichEditCtrl::GetControlText(CString& text, ROWCOL, ROWCOL, LPCTSTR pszValue, const CGXStyle& style)
{
    text.Empty();
    if (pszValue == nullptr && !style.GetIncludeValue())
        return FALSE;
    if (m_convert.wnd.m_hWnd == nullptr && !CreateControl(ES_MULTILINE, 0))
        return FALSE;
    Load(m_convert, pszValue != nullptr ? CString(pszValue) : style.GetValue(), style);
    text = PlainText(m_convert.wnd);
    return TRUE;
}

BOOL CGXRichEditCtrl::ConvertTextToValue(CString& text, ROWCOL, ROWCOL, const CGXStyle* pOldStyle)
{
    // Cut first, so an escape never loses its character.
    if (pOldStyle != nullptr && pOldStyle->GetIncludeMaxLength() && pOldStyle->GetMaxLength() > 0 &&
        text.GetLength() > static_cast<int>(pOldStyle->GetMaxLength()))
        text = text.Left(static_cast<int>(pOldStyle->GetMaxLength()));
    text = WrapPlainText(text);
    return TRUE;
}

BOOL CGXRichEditCtrl::SetControlText(ROWCOL nRow, ROWCOL nCol, const CString& text, UINT nFlags,
                                     const CGXStyle* pOldStyle)
{
    CGXStyle* pTaken = nullptr;
    if (pOldStyle == nullptr)
        pOldStyle = pTaken = TakeComposedStyle(m_pGrid, nRow, nCol);
    BOOL bResult = FALSE;
    CGXGridParam* pParam = m_pGrid->GetParam();
    const BOOL bReadOnly = pParam != nullptr && pParam->IsLockReadOnly() &&
                           (m_pGrid->IsReadOnly() || (pOldStyle->GetIncludeReadOnly() && pOldStyle->GetReadOnly()));
    CString value = text;
    if (!bReadOnly && ConvertTextToValue(value, nRow, nCol, pOldStyle))
        bResult = m_pGrid->SetValueRange(CGXRange(nRow, nCol), value, gxOverride, nFlags);
    if (pTaken != nullptr)
        m_pGrid->RecycleStyle(pTaken);
    return bResult;
}

BOOL CGXRichEditCtrl::ApplyStyleToCell(ROWCOL nRow, ROWCOL nCol, const CGXStyle* pStyle, GXModifyType mode,
                                       int nType, const CGXStyle* pComposedStyle)
{
    if (pStyle == nullptr || mode == gxCopy || mode == gxExclude)
        return CGXControl::ApplyStyleToCell(nRow, nCol, pStyle, mode, nType, pComposedStyle);
    PARAFORMAT2 pfNew, pfOld;
    CHARFORMAT cfNew, cfOld;
    StyleToFormats(pfNew, cfNew, *pStyle);
    const CGXStyle emptyStyle;
    const CGXStyle& oldStyle = pComposedStyle != nullptr ? *pComposedStyle : emptyStyle;
    StyleToFormats(pfOld, cfOld, oldStyle);
    // Without a format to put into the text the style is stored as it is: a value stays the value
    // given (the compact form of plain text included).
    if (pfNew.dwMask == 0 && cfNew.dwMask == 0)
        return CGXControl::ApplyStyleToCell(nRow, nCol, pStyle, mode, nType, pComposedStyle);

    CGXStyle* pCopy = m_pGrid->NewStyle();
    *pCopy = *pStyle;
    pCopy->SetIncludeHorizontalAlignment(FALSE);
    pCopy->SetIncludeTextColor(FALSE);
    pCopy->SetIncludeFont(FALSE);

    const BOOL bActiveCell = IsInitAt(nRow, nCol) && m_bActive && m_pGrid->IsCurrentCell(nRow, nCol);
    if (!bActiveCell || pStyle->GetIncludeValue() || pStyle->GetIncludeControl())
    {
        const CString value = pStyle->GetIncludeValue() ? pStyle->GetValue() : oldStyle.GetValue();
        if (m_convert.wnd.m_hWnd != nullptr || CreateControl(ES_MULTILINE, 0))
        {
            if (!(m_convert.valid && m_convert.text == value && !value.IsEmpty()))
            {
                ::SetWindowTextA(m_convert.wnd.m_hWnd, "");
                m_convert.wnd.SetDefaultCharFormat(cfOld);
                m_convert.wnd.SetParaFormat(pfOld);
                Load(m_convert, value);
            }
            m_convert.wnd.SetSel(0, -1);
            m_convert.wnd.SetParaFormat(pfNew);
            m_convert.wnd.SetSelectionCharFormat(cfNew);
            pCopy->SetValue(StreamOutRTF(m_convert.wnd));
            m_convert.valid = FALSE;
        }
    }
    if (bActiveCell)
    {
        SetWordCharFormat(cfNew);
        SetParaFormat(pfNew);
        SetModify(TRUE);
        OnModifyCell();
    }
    BOOL bResult = FALSE;
    if (!pCopy->IsEmpty())
        bResult = CGXControl::ApplyStyleToCell(nRow, nCol, pCopy, mode, nType, pComposedStyle);
    m_pGrid->RecycleStyle(pCopy);
    return bResult || bActiveCell;
}

BOOL CGXRichEditCtrl::GetModifiedValue(CGXStyle& style)
{
    if (!m_bInit || m_hWnd == nullptr)
        return FALSE;
    PARAFORMAT2 pf = {};
    CHARFORMAT cf = {};
    if (m_bActive && m_pGrid->IsCurrentCell(m_nRow, m_nCol))
    {
        GetParaFormat(pf);
        GetSelectionCharFormat(cf);
    }
    else
    {
        Load(m_format, GetCachedStyle().GetValue());
        m_format.wnd.SetSel(0, -1);
        m_format.wnd.GetParaFormat(pf);
        m_format.wnd.GetSelectionCharFormat(cf);
    }
    FormatsToStyle(pf, cf, style);
    return pf.dwMask != 0 || cf.dwMask != 0;
}

// ---- Growing the row ----

void CGXRichEditCtrl::GrowRow(const RECT& requested)
{
    const CGXRange range = CellRange(m_nRow, m_nCol);
    CGXFlagScope suppress(s_bSuppressResize, TRUE);
    const ROWCOL nRow = range.bottom;
    int nNeeded = (requested.bottom - requested.top) + GetBorderSize(m_nRow, m_nCol, GetCachedStyle()).cy + 1;
    if (range.bottom > range.top)
        nNeeded -= m_pGrid->CalcSumOfRowHeights(range.top, range.bottom - 1);
    const int nPresent = m_pGrid->GetRowHeight(nRow);
    if (nNeeded <= nPresent)
    {
        // Shrinks again, never below the height the row had when editing began.
        const int nNew = std::max(nNeeded, m_nInitialRowHeight);
        if (nNew < nPresent && m_bKeepRowHeight)
            m_pGrid->SetRowHeight(nRow, nRow, nNew, nullptr, GX_SMART);
        return;
    }
    // Grows up to what the grid shows below the rows that stay in place.
    const ROWCOL nFrozen = m_pGrid->GetFrozenRows();
    int nLimit = m_pGrid->GetGridRect().Height() - 1;
    nLimit -= nRow > nFrozen ? m_pGrid->CalcSumOfRowHeights(0, nFrozen)
                             : (nRow > 0 ? m_pGrid->CalcSumOfRowHeights(0, nRow - 1) : 0);
    nLimit = std::max(nLimit, 0);
    if (CWnd* pGridWnd = GetGridWnd())
        ::UpdateWindow(pGridWnd->GetSafeHwnd());
    if (nPresent < nLimit)
    {
        m_pGrid->SetRowHeight(nRow, nRow, std::min(nNeeded, nLimit), nullptr, GX_SMART);
        m_pGrid->ScrollCellInView(m_nRow, m_nCol, GX_SMART, FALSE);
    }
}

// ---- Keys ----

void CGXRichEditCtrl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    s_bSuppressResize = FALSE;
    if (m_bInit)
        m_pGrid->ScrollCellInView(m_nRow, m_nCol, GX_SMART, FALSE);
    const BOOL bCtrl = CtrlHeld();
    const BOOL bShift = ShiftHeld();
    long nStart = 0, nEnd = 0;
    GetSel(nStart, nEnd);
    const BOOL bSelection = nStart != nEnd;
    BOOL bToGrid = FALSE;
    switch (nChar)
    {
    case VK_TAB:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_ESCAPE:
        bToGrid = TRUE;
        break;
    case VK_RETURN:
        bToGrid = !bCtrl && (GetOptions() & ECO_WANTRETURN) == 0;
        break;
    case VK_LEFT:
        bToGrid = !bCtrl && nStart == 0;
        break;
    case VK_RIGHT:
        bToGrid = !bCtrl && nEnd >= TextLength(m_hWnd);
        break;
    case VK_UP:
        bToGrid = !bCtrl && LineFromChar(nStart) == 0;
        break;
    case VK_DOWN:
        bToGrid = !bCtrl && LineFromChar(nEnd) + 1 >= GetLineCount();
        break;
    case 'C':
    case 'V':
    case 'X':
        bToGrid = bCtrl;
        break;
    case VK_INSERT:
        if (bShift)
        {
            Paste();
            return;
        }
        if (bCtrl && bSelection)
        {
            Copy();
            return;
        }
        break;
    case VK_DELETE:
        if (bShift && bSelection)
        {
            Cut();
            return;
        }
        break;
    default:
        bToGrid = nChar >= VK_F1 && nChar <= VK_F24;
        break;
    }
    if (bToGrid && m_pGrid->DispatchKeyMessage(this, WM_KEYDOWN, nChar, nRepCnt, nFlags))
        return;
    Default();
}

void CGXRichEditCtrl::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (!m_bInit || !m_bActive || (GetStyle() & ES_READONLY) != 0 || (nChar == VK_BACK && nRepCnt == 0))
        return;
    m_pGrid->ScrollCellInView(m_nRow, m_nCol, GX_SMART, FALSE);
    if (CtrlHeld())
    {
        switch (nChar)
        {
        case 3:
            Copy();
            return;
        case 22:
            Paste();
            return;
        case 24:
            Cut();
            return;
        default:
            break;
        }
    }
    else
    {
        CString ch;
        if (GXAppendDbcsChar(nChar, ch, m_bDbcsLeadPending, m_dbcsLeadByte) && m_bDbcsLeadPending)
        {
            Default();
            return;
        }
        // Every text is valid here; a control derived from this one may refuse it.
        long nStart = 0, nEnd = 0;
        GetSel(nStart, nEnd);
        const CString current = PlainText(*this);
        if (!ValidateString(current.Left(nStart) + ch + current.Mid(nEnd)))
            return;
    }
    Default();
    m_pGrid->DispatchKeyMessage(this, WM_CHAR, nChar, nRepCnt, nFlags);
}

BOOL CGXRichEditCtrl::KeyDown(UINT nChar, UINT, UINT)
{
    if (m_hWnd == nullptr || CtrlHeld())
        return FALSE;
    switch (nChar)
    {
    case VK_END:
    case VK_HOME:
    {
        if (!OnStartEditing())
            return FALSE;
        if (!m_bInit)
            Init(m_nRow, m_nCol);
        SetActive(TRUE);
        const long nCaret = nChar == VK_END ? TextLength(m_hWnd) : 0;
        SetSel(nCaret, nCaret);
        break;
    }
    case VK_DELETE:
    {
        CGXGridParam* pParam = m_pGrid->GetParam();
        if (ShiftHeld() || (pParam != nullptr && pParam->m_bGridPastesOwnFormat) || IsReadOnly() ||
            !OnDeleteCell() || !OnStartEditing())
            return FALSE;
        SetActive(TRUE);
        SetCurrentText("");
        SetModify(TRUE);
        OnModifyCell();
        break;
    }
    default:
        return FALSE;
    }
    if (!m_pGrid->ScrollCellInView(m_nRow, m_nCol, GX_SMART, FALSE))
        Refresh();
    return TRUE;
}

BOOL CGXRichEditCtrl::Char(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar < 0x20 || nChar == 0x7F)
        return FALSE;
    const char sz[2] = {static_cast<char>(nChar), 0};
    return CharDbcs(CString(sz), nRepCnt, nFlags);
}

BOOL CGXRichEditCtrl::CharDbcs(const CString& text, UINT, UINT)
{
    if (IsReadOnly() || m_hWnd == nullptr)
        return FALSE;
    s_bSuppressResize = FALSE;
    if (!m_bActive)
    {
        if (!ValidateString(text) || !OnStartEditing())
            return FALSE;
        SetActive(TRUE);
        // The typed text replaces the cell's content.
        SetCurrentText(text);
        const long nEnd = TextLength(m_hWnd);
        SetSel(nEnd, nEnd);
        Refresh();
        return TRUE;
    }
    const long nEnd = TextLength(m_hWnd);
    SetSel(nEnd, nEnd);
    const CGXStyle& style = GetCachedStyle();
    const long nMax = style.GetIncludeMaxLength() ? static_cast<long>(style.GetMaxLength()) : 0;
    if ((nMax == 0 || nEnd + text.GetLength() <= nMax) && ValidateString(PlainText(*this) + text))
        ReplaceSel(text);
    return TRUE;
}

// ---- Mouse ----

BOOL CGXRichEditCtrl::LButtonUp(UINT nFlags, CPoint point, UINT nHitState)
{
    CGXGridParam* pParam = m_pGrid->GetParam();
    const WORD wActivate = pParam != nullptr ? pParam->m_wActivateCell : 0;
    if ((nHitState & GX_HITLEFTCELL) != 0 || (wActivate & 7) == 0 || !m_bInit || m_hWnd == nullptr)
        return CGXControl::LButtonUp(nFlags, point, nHitState);
    if (!m_bActive && !OnStartEditing())
        return FALSE;
    SetActive(TRUE);
    Refresh();
    if (!CGXControl::LButtonUp(nFlags, point, nHitState))
    {
        // The rich edit puts the caret where the click was.
        SetSel(0, 0);
        CWnd* pGridWnd = GetGridWnd();
        if (pGridWnd != nullptr)
            ::UpdateWindow(pGridWnd->GetSafeHwnd());
        const CRect rectCell = GetCellRect(m_nRow, m_nCol);
        const LPARAM at = MAKELPARAM(point.x - rectCell.left, point.y - rectCell.top);
        ::SendMessageA(m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
        ::SendMessageA(m_hWnd, WM_LBUTTONUP, 0, at);
    }
    return TRUE;
}

BOOL CGXRichEditCtrl::LButtonDblClk(UINT nFlags, CPoint point)
{
    CGXGridParam* pParam = m_pGrid->GetParam();
    if (!m_bActive && pParam != nullptr && (pParam->m_wActivateCell & 8) != 0)
        return LButtonUp(nFlags, point, 0);
    return CGXControl::LButtonDblClk(nFlags, point);
}

// ---- Clipboard ----

BOOL CGXRichEditCtrl::GetSelectedText(CString& text)
{
    if (!m_bActive || m_hWnd == nullptr)
        return CGXControl::GetSelectedText(text);
    long nStart = 0, nEnd = 0;
    GetSel(nStart, nEnd);
    if (nStart == nEnd)
    {
        text = PlainText(*this);
        return FALSE;
    }
    text = GetSelText();
    return TRUE;
}

BOOL CGXRichEditCtrl::Copy()
{
    // The rich edit puts its selection on the clipboard itself, as RTF and as text; an inactive
    // cell's window holds the whole value, all of it selected.
    if (!m_bInit || m_hWnd == nullptr || !m_pGrid->IsCurrentCell(m_nRow, m_nCol))
        return FALSE;
    CRichEditCtrl::Copy();
    return ::IsClipboardFormatAvailable(CF_TEXT);
}

BOOL CGXRichEditCtrl::Cut()
{
    if (m_bActive)
    {
        if (!Copy())
            return FALSE;
        ReplaceSel("");
        return TRUE;
    }
    return CGXControl::Cut();
}

BOOL CGXRichEditCtrl::CanPaste()
{
    if (m_bInit)
    {
        const CGXStyle& style = GetCachedStyle();
        if (style.GetIncludeReadOnly() && style.GetReadOnly())
            return FALSE;
        const UINT nRtf = GXGetAppData()->m_uiRichTextClipboardFormat;
        if (nRtf != 0 && ::IsClipboardFormatAvailable(nRtf))
            return TRUE;
    }
    return CGXControl::CanPaste();
}

BOOL CGXRichEditCtrl::Paste()
{
    if (m_bInit && m_hWnd != nullptr && CClipboard::GetOpenWindow() == nullptr)
    {
        const UINT nRtf = GXGetAppData()->m_uiRichTextClipboardFormat;
        BOOL bRtf = FALSE;
        {
            CWnd* pGridWnd = GetGridWnd();
            CClipboard clipboard(pGridWnd != nullptr ? pGridWnd->GetSafeHwnd() : nullptr);
            bRtf = clipboard.IsOpen() && nRtf != 0 && ::IsClipboardFormatAvailable(nRtf);
        }
        if (bRtf)
        {
            if (IsReadOnly())
                return FALSE;
            if (!m_bActive)
            {
                SetActive(TRUE);
                SetSel(0, -1);
            }
            {
                CGXFlagScope suppress(s_bSuppressResize, TRUE);
                CRichEditCtrl::Paste();
            }
            SetModify(TRUE);
            OnModifyCell();
            Refresh();
            if (CWnd* pGridWnd = GetGridWnd())
                ::UpdateWindow(pGridWnd->GetSafeHwnd());
            RequestResize();
            return TRUE;
        }
    }
    return CGXControl::Paste();
}

void CGXRichEditCtrl::ReplaceSel(LPCTSTR pszText)
{
    if (!m_bActive || m_hWnd == nullptr)
    {
        CGXControl::ReplaceSel(pszText);
        return;
    }
    CRichEditCtrl::ReplaceSel(pszText != nullptr ? pszText : "", TRUE);
    SetModify(TRUE);
    OnModifyCell();
}

// ---- Find and replace ----

int CGXRichEditCtrl::FindIn(CRichEditCtrl& wnd, const CString& find, BOOL bCase, long nFrom, CHARRANGE& found)
{
    FINDTEXTEXA request = {};
    request.chrg.cpMin = nFrom;
    request.chrg.cpMax = TextLength(wnd.m_hWnd);
    request.lpstrText = find;
    const long nHit = wnd.FindText(FR_DOWN | (bCase ? FR_MATCHCASE : 0), &request);
    found = request.chrgText;
    return static_cast<int>(nHit);
}

BOOL CGXRichEditCtrl::FindText(const CGXFindReplaceSettings& settings, ROWCOL nRow, ROWCOL nCol, BOOL bCurrentPos,
                               BOOL bSetCell)
{
    return FindTextRowCol(settings.strFind, settings.bCase, nRow, nCol, bCurrentPos, bSetCell);
}

BOOL CGXRichEditCtrl::ReplaceAll(const CGXFindReplaceSettings& settings, ROWCOL nRow, ROWCOL nCol)
{
    return ReplaceAllRowCol(settings.strFind, settings.strReplace, settings.bCase, nRow, nCol);
}

BOOL CGXRichEditCtrl::FindTextRowCol(LPCTSTR pszFind, BOOL bCase, ROWCOL nRow, ROWCOL nCol, BOOL bCurrentPos,
                                     BOOL bSetCell)
{
    // An empty search text would match everywhere and never move on.
    if (pszFind == nullptr || *pszFind == 0 || (m_hWnd == nullptr && !CreateControl(ES_MULTILINE, 0)))
        return FALSE;
    const CString find = pszFind;
    CHARRANGE found = {0, 0};
    if (IsInitAt(nRow, nCol) && m_bActive && m_pGrid->IsCurrentCell(nRow, nCol))
    {
        long nStart = 0, nEnd = 0;
        GetSel(nStart, nEnd);
        const long nFrom = nStart + (!bCurrentPos && nStart != nEnd ? 1 : 0);
        if (FindIn(*this, find, bCase, nFrom, found) < 0)
            return FALSE;
        if (bSetCell)
        {
            m_pGrid->ScrollCellInView(nRow, nCol, GX_SMART, FALSE);
            SetSel(found);
        }
        return TRUE;
    }
    Load(m_convert, m_pGrid->LookupStyleRowCol(nRow, nCol).GetValue());
    if (FindIn(m_convert.wnd, find, bCase, 0, found) < 0)
        return FALSE;
    if (bSetCell)
    {
        m_pGrid->ScrollCellInView(nRow, nCol, GX_SMART, FALSE);
        m_pGrid->MoveCurrentCell(nRow, nCol, GX_SCROLLINVIEW | GX_SMART);
        if (!IsInitAt(nRow, nCol))
            Init(nRow, nCol);
        SetActive(TRUE);
        SetSel(found);
        Refresh();
    }
    return TRUE;
}

BOOL CGXRichEditCtrl::ReplaceAllRowCol(LPCTSTR pszFind, LPCTSTR pszReplace, BOOL bCase, ROWCOL nRow, ROWCOL nCol)
{
    // An empty search text would match everywhere and never move on.
    if (pszFind == nullptr || *pszFind == 0 || (m_hWnd == nullptr && !CreateControl(ES_MULTILINE, 0)))
        return FALSE;
    const CString find = pszFind;
    const CString replacement = pszReplace != nullptr ? pszReplace : "";
    CHARRANGE found = {0, 0};
    BOOL bReplaced = FALSE;
    if (IsInitAt(nRow, nCol) && m_bActive && m_pGrid->IsCurrentCell(nRow, nCol))
    {
        long nStart = 0, nEnd = 0;
        GetSel(nStart, nEnd);
        for (long nFrom = nStart; FindIn(*this, find, bCase, nFrom, found) >= 0;)
        {
            SetSel(found);
            ReplaceSel(replacement);
            nFrom = found.cpMin + replacement.GetLength();
            bReplaced = TRUE;
        }
        if (bReplaced)
            Store();
        return bReplaced;
    }
    Load(m_convert, m_pGrid->LookupStyleRowCol(nRow, nCol).GetValue());
    for (long nFrom = 0; FindIn(m_convert.wnd, find, bCase, nFrom, found) >= 0;)
    {
        m_convert.wnd.SetSel(found);
        m_convert.wnd.ReplaceSel(replacement);
        nFrom = found.cpMin + replacement.GetLength();
        bReplaced = TRUE;
    }
    if (!bReplaced)
        return FALSE;
    m_convert.valid = FALSE;
    return m_pGrid->SetValueRange(CGXRange(nRow, nCol), StreamOutRTF(m_convert.wnd), gxOverride, GX_INVALIDATE);
}

// ---- Window messages ----

BOOL CGXRichEditCtrl::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_COMMAND && reinterpret_cast<HWND>(lParam) == m_hWnd)
    {
        if (HIWORD(wParam) == EN_CHANGE && m_bActive)
            OnModifyCell();
        return CRichEditCtrl::OnChildNotify(message, wParam, lParam, pResult);
    }
    if (message == WM_NOTIFY)
    {
        const NMHDR* pHeader = reinterpret_cast<const NMHDR*>(lParam);
        if (pHeader != nullptr && pHeader->hwndFrom == m_hWnd && pHeader->code == EN_REQUESTRESIZE)
        {
            // Growing the row while the current cell is edited.
            if (s_bSuppressResize || !m_bInit || !m_pGrid->IsCurrentCell(m_nRow, m_nCol) || !m_bAutoGrow ||
                !m_bActive)
                return FALSE;
            GrowRow(reinterpret_cast<const REQRESIZE*>(lParam)->rc);
            if (pResult != nullptr)
                *pResult = 0;
            return TRUE;
        }
    }
    return CRichEditCtrl::OnChildNotify(message, wParam, lParam, pResult);
}

LRESULT CGXRichEditCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const UINT nChar = static_cast<UINT>(wParam);
    const UINT nRepCnt = LOWORD(lParam);
    const UINT nFlags = HIWORD(lParam);
    switch (message)
    {
    case WM_KEYDOWN:
        OnKeyDown(nChar, nRepCnt, nFlags);
        return 0;
    case WM_CHAR:
        OnChar(nChar, nRepCnt, nFlags);
        return 0;
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSCHAR:
    case WM_DEADCHAR:
    case WM_SYSDEADCHAR:
        if (m_pGrid->DispatchKeyMessage(this, message, nChar, nRepCnt, nFlags))
            return 0;
        break;
    case WM_LBUTTONDOWN:
        s_bSuppressResize = TRUE;
        break;
    case WM_KILLFOCUS:
    {
        const LRESULT lResult = CRichEditCtrl::WindowProc(message, wParam, lParam);
        NotifyKillFocus(CWnd::FromHandle(reinterpret_cast<HWND>(wParam)));
        return lResult;
    }
    case WM_GETDLGCODE:
        return CRichEditCtrl::WindowProc(message, wParam, lParam) | DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTALLKEYS;
    case WM_NOTIFY:
    {
        const NMHDR* pHeader = reinterpret_cast<const NMHDR*>(lParam);
        if (pHeader != nullptr && pHeader->hwndFrom == m_measure.wnd.m_hWnd && pHeader->code == EN_REQUESTRESIZE)
        {
            if (!s_bSuppressResize && m_bMeasuring)
            {
                m_rectRequested = reinterpret_cast<const REQRESIZE*>(lParam)->rc;
                return TRUE;
            }
            return FALSE;
        }
        break;
    }
    case WM_CONTEXTMENU:
        return 0;
    default:
        break;
    }
    return CRichEditCtrl::WindowProc(message, wParam, lParam);
}
