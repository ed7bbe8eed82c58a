#include "framework/win/DataExchange.h"

#include <cerrno>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <string>

#include "framework/core/Exceptions.h"
#include "framework/core/NumberText.h"
#include "framework/win/FrameworkIds.h"
#include "framework/win/Seams.h"
#include "framework/win/WinApp.h"

// Defined with the window procedure: the window whose control notifications UpdateData holds back.
extern thread_local HWND t_hLockoutNotifyWindow;

namespace {

bool IsBlank(char ch)
{
    return ch == ' ' || ch == '\t';
}

// Sets a control's text only when it differs, so that an unchanged edit keeps its selection and
// sends no change notification.
void SetControlText(HWND hWndCtrl, LPCTSTR lpszNew)
{
    CString current = AfxGetWindowText(hWndCtrl);
    if (lstrcmpA(current, lpszNew) != 0)
        ::SetWindowTextA(hWndCtrl, lpszNew);
}

// A whole signed integer, blanks around it allowed.
bool ParseSigned(LPCTSTR lpszText, long long minValue, long long maxValue, long long& value)
{
    while (IsBlank(*lpszText))
        ++lpszText;
    char* pEnd = nullptr;
    errno = 0;
    long long parsed = std::strtoll(lpszText, &pEnd, 10);
    if (pEnd == lpszText || errno == ERANGE)
        return false;
    while (IsBlank(*pEnd))
        ++pEnd;
    if (*pEnd != '\0' || parsed < minValue || parsed > maxValue)
        return false;
    value = parsed;
    return true;
}

// A whole unsigned integer; a minus sign is refused (strtoull would wrap it around).
bool ParseUnsigned(LPCTSTR lpszText, unsigned long long maxValue, unsigned long long& value)
{
    while (IsBlank(*lpszText))
        ++lpszText;
    if (*lpszText == '-')
        return false;
    char* pEnd = nullptr;
    errno = 0;
    unsigned long long parsed = std::strtoull(lpszText, &pEnd, 10);
    if (pEnd == lpszText || errno == ERANGE)
        return false;
    while (IsBlank(*pEnd))
        ++pEnd;
    if (*pEnd != '\0' || parsed > maxValue)
        return false;
    value = parsed;
    return true;
}

// A finite number within +-maxMagnitude, blanks around it allowed.
bool ParseReal(LPCTSTR lpszText, double maxMagnitude, double& value)
{
    while (IsBlank(*lpszText))
        ++lpszText;
    char* pEnd = nullptr;
    double parsed = std::strtod(lpszText, &pEnd);
    if (pEnd == lpszText)
        return false;
    while (IsBlank(*pEnd))
        ++pEnd;
    if (*pEnd != '\0' || !std::isfinite(parsed) || std::fabs(parsed) > maxMagnitude)
        return false;
    value = parsed;
    return true;
}

template <class Integer>
void ExchangeSigned(CDataExchange* pDX, int nIDC, Integer& value, LPCTSTR lpszFormat)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
    {
        long long parsed = 0;
        if (!ParseSigned(AfxGetWindowText(hWndCtrl), INT_MIN, INT_MAX, parsed))
        {
            AfxMessageBox(AFX_IDP_PARSE_INT);
            pDX->Fail();
        }
        value = (Integer)parsed;
    }
    else
    {
        char text[32];
        wsprintfA(text, lpszFormat, value);
        SetControlText(hWndCtrl, text);
    }
}

template <class Integer>
void ExchangeUnsigned(CDataExchange* pDX, int nIDC, Integer& value, LPCTSTR lpszFormat)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
    {
        unsigned long long parsed = 0;
        if (!ParseUnsigned(AfxGetWindowText(hWndCtrl), UINT_MAX, parsed))
        {
            AfxMessageBox(AFX_IDP_PARSE_UINT);
            pDX->Fail();
        }
        value = (Integer)parsed;
    }
    else
    {
        char text[32];
        wsprintfA(text, lpszFormat, value);
        SetControlText(hWndCtrl, text);
    }
}

// The text of a number as the dialogs show it: "%.*g" with the type's significant digits.
CString RealText(double value, int nDigits)
{
    return NumberText::FormatDouble(value, 'g', nDigits).c_str();
}

// maxMagnitude is the type's range, nDigits its significant digits.
template <class Real>
void ExchangeReal(CDataExchange* pDX, int nIDC, Real& value, double maxMagnitude, int nDigits)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
    {
        double parsed = 0;
        if (!ParseReal(AfxGetWindowText(hWndCtrl), maxMagnitude, parsed))
        {
            AfxMessageBox(AFX_IDP_PARSE_REAL);
            pDX->Fail();
        }
        value = (Real)parsed;
    }
    else
    {
        SetControlText(hWndCtrl, RealText(value, nDigits));
    }
}

[[noreturn]] void FailMinMax(CDataExchange* pDX, LPCTSTR lpszMin, LPCTSTR lpszMax, UINT nIDPrompt)
{
    CString prompt = AfxFormatString2(nIDPrompt, lpszMin, lpszMax);
    AfxMessageBox(prompt, MB_ICONEXCLAMATION, nIDPrompt);
    pDX->Fail();
}

} // namespace

// ---- CDataExchange ----

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd)
{
}

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    HWND hWndCtrl = ::GetDlgItem(m_pDlgWnd->GetSafeHwnd(), nIDC);
    if (hWndCtrl == nullptr)
        AfxThrowNotSupportedException();   // the dialog template has no such control
    m_hWndLastControl = hWndCtrl;
    m_bEditLastControl = FALSE;
    return hWndCtrl;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    HWND hWndCtrl = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return hWndCtrl;
}

void CDataExchange::Fail()
{
    if (m_bSaveAndValidate && m_hWndLastControl != nullptr)
    {
        ::SetFocus(m_hWndLastControl);
        if (m_bEditLastControl)
            ::SendMessageA(m_hWndLastControl, EM_SETSEL, 0, -1);
    }
    AfxThrowUserException();
}

// ---- CWnd::UpdateData ----

void CWnd::DoDataExchange(CDataExchange*)
{
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    HWND hPreviousLockout = t_hLockoutNotifyWindow;
    t_hLockoutNotifyWindow = m_hWnd;
    BOOL bOK = FALSE;
    try
    {
        DoDataExchange(&dx);
        bOK = TRUE;
    }
    catch (CUserException* e)
    {
        e->Delete();   // the user has been told what is wrong
    }
    catch (CException* e)
    {
        e->ReportError(MB_ICONEXCLAMATION, AFX_IDP_INTERNAL_FAILURE);
        e->Delete();
    }
    t_hLockoutNotifyWindow = hPreviousLockout;
    return bOK;
}

// ---- DDX ----

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = AfxGetWindowText(hWndCtrl);
    else
        SetControlText(hWndCtrl, value);
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    ExchangeSigned(pDX, nIDC, value, "%d");
}

void DDX_Text(CDataExchange* pDX, int nIDC, long& value)
{
    ExchangeSigned(pDX, nIDC, value, "%ld");
}

void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value)
{
    ExchangeUnsigned(pDX, nIDC, value, "%u");
}

void DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value)
{
    ExchangeUnsigned(pDX, nIDC, value, "%lu");
}

void DDX_Text(CDataExchange* pDX, int nIDC, double& value)
{
    ExchangeReal(pDX, nIDC, value, DBL_MAX, DBL_DIG);
}

void DDX_Text(CDataExchange* pDX, int nIDC, float& value)
{
    // A number beyond the float range would become infinite: refused like any bad number.
    ExchangeReal(pDX, nIDC, value, FLT_MAX, FLT_DIG);
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
    {
        value = (int)::SendMessageA(hWndCtrl, BM_GETCHECK, 0, 0);
    }
    else
    {
        if (value < 0 || value > 2)
            value = 0;   // only unchecked, checked and indeterminate exist
        ::SendMessageA(hWndCtrl, BM_SETCHECK, (WPARAM)value, 0);
    }
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = -1;
    // The group runs from nIDC to the next control with WS_GROUP; only radio buttons count.
    int nButton = 0;
    do
    {
        if (::SendMessageA(hWndCtrl, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON)
        {
            if (pDX->m_bSaveAndValidate)
            {
                if (::SendMessageA(hWndCtrl, BM_GETCHECK, 0, 0) != 0)
                    value = nButton;
            }
            else
            {
                ::SendMessageA(hWndCtrl, BM_SETCHECK, nButton == value, 0);
            }
            ++nButton;
        }
        hWndCtrl = ::GetWindow(hWndCtrl, GW_HWNDNEXT);
    } while (hWndCtrl != nullptr && !(::GetWindowLongPtrA(hWndCtrl, GWL_STYLE) & WS_GROUP));
}

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = (int)::SendMessageA(hWndCtrl, CB_GETCURSEL, 0, 0);
    else
        ::SendMessageA(hWndCtrl, CB_SETCURSEL, (WPARAM)index, 0);
}

void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
    {
        // A drop-down list has no edit: its text is that of the selected item.
        DWORD dwStyle = (DWORD)::GetWindowLongPtrA(hWndCtrl, GWL_STYLE);
        int nSelection = (int)::SendMessageA(hWndCtrl, CB_GETCURSEL, 0, 0);
        if ((dwStyle & 0x3) == CBS_DROPDOWNLIST && nSelection != CB_ERR)
        {
            int nLength = (int)::SendMessageA(hWndCtrl, CB_GETLBTEXTLEN, (WPARAM)nSelection, 0);
            ::SendMessageA(hWndCtrl, CB_GETLBTEXT, (WPARAM)nSelection, (LPARAM)value.GetBufferSetLength(nLength));
            value.ReleaseBuffer();
        }
        else
        {
            value = AfxGetWindowText(hWndCtrl);
        }
    }
    else
    {
        // Selects the first item starting with the text; without one, the edit shows the text.
        if (::SendMessageA(hWndCtrl, CB_SELECTSTRING, (WPARAM)-1, (LPARAM)(LPCTSTR)value) == CB_ERR)
            ::SetWindowTextA(hWndCtrl, value);
    }
}

void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = (int)::SendMessageA(hWndCtrl, LB_GETCURSEL, 0, 0);
    else
        ::SendMessageA(hWndCtrl, LB_SETCURSEL, (WPARAM)index, 0);
}

void DDX_LBString(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
    {
        int nSelection = (int)::SendMessageA(hWndCtrl, LB_GETCURSEL, 0, 0);
        if (nSelection == LB_ERR)
        {
            value.Empty();
            return;
        }
        int nLength = (int)::SendMessageA(hWndCtrl, LB_GETTEXTLEN, (WPARAM)nSelection, 0);
        ::SendMessageA(hWndCtrl, LB_GETTEXT, (WPARAM)nSelection, (LPARAM)value.GetBufferSetLength(nLength));
        value.ReleaseBuffer();
    }
    else
    {
        if (::SendMessageA(hWndCtrl, LB_SELECTSTRING, (WPARAM)-1, (LPARAM)(LPCTSTR)value) == LB_ERR)
            ::SendMessageA(hWndCtrl, LB_SETCURSEL, (WPARAM)-1, 0);
    }
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd != nullptr)
        return;   // bound on an earlier exchange
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (!rControl.SubclassWindow(hWndCtrl))
        AfxThrowNotSupportedException();   // the control belongs to another object already
}

// ---- DDV ----

namespace {

template <class Integer>
void MinMaxInteger(CDataExchange* pDX, Integer value, Integer minVal, Integer maxVal)
{
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal))
        return;
    FailMinMax(pDX, std::to_string(minVal).c_str(), std::to_string(maxVal).c_str(), AFX_IDP_PARSE_INT_RANGE);
}

} // namespace

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal)
{
    MinMaxInteger(pDX, value, minVal, maxVal);
}

void DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal)
{
    MinMaxInteger(pDX, value, minVal, maxVal);
}

void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal)
{
    MinMaxInteger(pDX, value, minVal, maxVal);
}

void DDV_MinMaxDWord(CDataExchange* pDX, DWORD value, DWORD minVal, DWORD maxVal)
{
    MinMaxInteger(pDX, value, minVal, maxVal);
}

void DDV_MinMaxDouble(CDataExchange* pDX, double const& value, double minVal, double maxVal)
{
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal))
        return;
    FailMinMax(pDX, RealText(minVal, DBL_DIG), RealText(maxVal, DBL_DIG), AFX_IDP_PARSE_REAL_RANGE);
}

void DDV_MinMaxFloat(CDataExchange* pDX, float const& value, float minVal, float maxVal)
{
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal))
        return;
    FailMinMax(pDX, RealText(minVal, FLT_DIG), RealText(maxVal, FLT_DIG), AFX_IDP_PARSE_REAL_RANGE);
}

void DDV_MaxChars(CDataExchange* pDX, CString const& value, int nChars)
{
    if (pDX->m_bSaveAndValidate && value.GetLength() > nChars)
    {
        char szMax[32];
        wsprintfA(szMax, "%d", nChars);
        CString prompt = AfxFormatString1(AFX_IDP_PARSE_STRING_SIZE, szMax);
        AfxMessageBox(prompt, MB_ICONEXCLAMATION, AFX_IDP_PARSE_STRING_SIZE);
        pDX->Fail();
    }
    else if (!pDX->m_bSaveAndValidate && pDX->m_hWndLastControl != nullptr && pDX->m_bEditLastControl)
    {
        ::SendMessageA(pDX->m_hWndLastControl, EM_LIMITTEXT, (WPARAM)nChars, 0);
    }
}
