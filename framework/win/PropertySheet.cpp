#include "framework/win/PropertySheet.h"

#include <algorithm>

#include "framework/win/WinApp.h"

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)
IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)

namespace {

// The sheet whose window PropertySheetA is making now (its template is adjusted before creation).
thread_local CPropertySheet* t_pSheetBeingCreated = nullptr;
// The page whose window the system is about to make: the creation hook attaches it.
thread_local CPropertyPage* t_pPageBeingCreated = nullptr;

// Ends a page creation that never reached the page's WM_INITDIALOG (a template the system refused),
// so that the creation hook cannot catch some later window.
void EndPageCreation()
{
    if (t_pPageBeingCreated != nullptr)
    {
        t_pPageBeingCreated = nullptr;
        AfxUnhookWindowCreate();
    }
}

// The style words of a dialog template in either form (DLGTEMPLATEEX starts with version 1 and
// signature 0xFFFF).
struct TemplateStyles
{
    DWORD* pStyle;
    DWORD* pExStyle;
};

TemplateStyles StylesOf(void* pTemplate)
{
    auto* pWords = static_cast<WORD*>(pTemplate);
    auto* pBytes = static_cast<BYTE*>(pTemplate);
    if (pWords[0] == 1 && pWords[1] == 0xFFFF)
        return {reinterpret_cast<DWORD*>(pBytes + 12), reinterpret_cast<DWORD*>(pBytes + 8)};
    return {reinterpret_cast<DWORD*>(pBytes), reinterpret_cast<DWORD*>(pBytes + 4)};
}

} // namespace

// The dialog procedure of pages: attaches a page window that the creation hook missed, then works
// as the framework's dialog procedure (WM_INITDIALOG goes to OnInitDialog).
INT_PTR CALLBACK AfxPropPageDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
    {
        EndPageCreation();
        auto* pPropPage = reinterpret_cast<PROPSHEETPAGEA*>(lParam);
        auto* pPage = pPropPage != nullptr ? reinterpret_cast<CPropertyPage*>(pPropPage->lParam) : nullptr;
        if (pPage != nullptr && CWnd::FromHandlePermanent(hWnd) == nullptr && pPage->m_hWnd == nullptr)
            pPage->SubclassWindow(hWnd);
    }
    return AfxDlgProc(hWnd, message, wParam, lParam);
}

// Told before the system makes a page's window: the window is attached to the page from its first
// message on.
UINT CALLBACK AfxPropPageCallback(HWND, UINT message, LPPROPSHEETPAGEA pPropPage)
{
    if (message == PSPCB_CREATE && pPropPage != nullptr)
    {
        auto* pPage = reinterpret_cast<CPropertyPage*>(pPropPage->lParam);
        if (pPage != nullptr && pPage->m_hWnd == nullptr)
        {
            EndPageCreation();
            t_pPageBeingCreated = pPage;
            AfxHookWindowCreate(pPage);
        }
    }
    return TRUE;
}

// Told before the system makes the sheet's window: the template takes the style Create asked for.
int CALLBACK AfxPropSheetCallback(HWND, UINT message, LPARAM lParam)
{
    if (message == PSCB_PRECREATE && lParam != 0 && t_pSheetBeingCreated != nullptr)
    {
        TemplateStyles styles = StylesOf(reinterpret_cast<void*>(lParam));
        const DWORD fontStyles = DS_SETFONT | DS_FIXEDSYS | DS_3DLOOK;
        *styles.pStyle = (*styles.pStyle & fontStyles) | t_pSheetBeingCreated->m_dwCreateStyle;
        *styles.pExStyle = t_pSheetBeingCreated->m_dwCreateExStyle;
    }
    return 0;
}

// ---- CPropertyPage ----

CPropertyPage::CPropertyPage()
{
    CommonConstruct(nullptr, 0);
}

CPropertyPage::CPropertyPage(UINT nIDTemplate, UINT nIDCaption)
{
    CommonConstruct(MAKEINTRESOURCEA(nIDTemplate), nIDCaption);
}

CPropertyPage::CPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption)
{
    CommonConstruct(lpszTemplateName, nIDCaption);
}

CPropertyPage::~CPropertyPage() = default;

void CPropertyPage::Construct(UINT nIDTemplate, UINT nIDCaption)
{
    CommonConstruct(MAKEINTRESOURCEA(nIDTemplate), nIDCaption);
}

void CPropertyPage::Construct(LPCTSTR lpszTemplateName, UINT nIDCaption)
{
    CommonConstruct(lpszTemplateName, nIDCaption);
}

void CPropertyPage::CommonConstruct(LPCTSTR lpszTemplateName, UINT nIDCaption)
{
    m_psp = PROPSHEETPAGEA();
    m_psp.dwSize = sizeof m_psp;
    m_psp.dwFlags = PSP_DLGINDIRECT | PSP_USECALLBACK;
    m_psp.pfnDlgProc = AfxPropPageDlgProc;
    m_psp.pfnCallback = AfxPropPageCallback;
    m_psp.lParam = reinterpret_cast<LPARAM>(this);
    m_lpszTemplateName = lpszTemplateName;
    if (IS_INTRESOURCE(lpszTemplateName))
        m_nIDHelp = LOWORD(reinterpret_cast<ULONG_PTR>(lpszTemplateName));
    m_strCaption.Empty();
    if (nIDCaption != 0)
    {
        m_strCaption.LoadString(nIDCaption);
        m_psp.dwFlags |= PSP_USETITLE;
    }
}

HPROPSHEETPAGE CPropertyPage::CreatePageHandle()
{
    if (m_psp.pResource == nullptr)
        m_psp.pResource = m_lpDialogTemplate != nullptr ? m_lpDialogTemplate : LoadDialogTemplate(m_lpszTemplateName);
    if (m_psp.pResource == nullptr)
        return nullptr;
    if (m_psp.dwFlags & PSP_USETITLE)
        m_psp.pszTitle = m_strCaption;
    m_psp.hInstance = AfxGetResourceHandle();
    m_bFirstSetActive = TRUE;
    return ::CreatePropertySheetPageA(&m_psp);
}

void CPropertyPage::SetModified(BOOL bChanged)
{
    HWND hWndSheet = ::GetParent(m_hWnd);
    if (m_hWnd == nullptr || hWndSheet == nullptr)
        return;
    ::SendMessageA(hWndSheet, bChanged ? PSM_CHANGED : PSM_UNCHANGED, (WPARAM)m_hWnd, 0);
}

void CPropertyPage::CancelToClose()
{
    HWND hWndSheet = ::GetParent(m_hWnd);
    if (m_hWnd != nullptr && hWndSheet != nullptr)
        ::SendMessageA(hWndSheet, PSM_CANCELTOCLOSE, 0, 0);
}

LRESULT CPropertyPage::QuerySiblings(WPARAM wParam, LPARAM lParam)
{
    HWND hWndSheet = ::GetParent(m_hWnd);
    if (m_hWnd == nullptr || hWndSheet == nullptr)
        return 0;
    return ::SendMessageA(hWndSheet, PSM_QUERYSIBLINGS, wParam, lParam);
}

BOOL CPropertyPage::OnSetActive()
{
    if (m_bFirstSetActive)
        m_bFirstSetActive = FALSE;   // OnInitDialog has just filled the controls
    else
        UpdateData(FALSE);
    return TRUE;
}

BOOL CPropertyPage::OnKillActive()
{
    return UpdateData(TRUE);
}

BOOL CPropertyPage::OnApply()
{
    OnOK();
    return TRUE;
}

void CPropertyPage::OnOK()
{
}

void CPropertyPage::OnReset()
{
    OnCancel();
}

void CPropertyPage::OnCancel()
{
}

BOOL CPropertyPage::OnQueryCancel()
{
    return TRUE;
}

LRESULT CPropertyPage::OnWizardBack()
{
    return 0;
}

LRESULT CPropertyPage::OnWizardNext()
{
    return 0;
}

BOOL CPropertyPage::OnWizardFinish()
{
    return TRUE;
}

BOOL CPropertyPage::PreTranslateMessage(MSG* pMsg)
{
    // The dialog keyboard is the sheet's (or, for a child sheet, its dialog's): the page itself
    // leaves the message to the windows above it.
    return CWnd::PreTranslateMessage(pMsg);
}

BOOL CPropertyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    auto* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    LRESULT lResult = 0;
    switch (pNMHDR->code)
    {
    case PSN_SETACTIVE:
        lResult = OnSetActive() ? 0 : -1;
        break;
    case PSN_KILLACTIVE:
        lResult = OnKillActive() ? FALSE : TRUE;
        break;
    case PSN_APPLY:
        lResult = OnApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE;
        break;
    case PSN_RESET:
        OnReset();
        break;
    case PSN_QUERYCANCEL:
        lResult = OnQueryCancel() ? FALSE : TRUE;
        break;
    case PSN_WIZBACK:
        lResult = OnWizardBack();
        break;
    case PSN_WIZNEXT:
        lResult = OnWizardNext();
        break;
    case PSN_WIZFINISH:
        lResult = OnWizardFinish() ? FALSE : TRUE;
        break;
    default:
        return CDialog::OnNotify(wParam, lParam, pResult);
    }
    // The system reads the answer from the window procedure's result, or (through the dialog
    // manager) from DWLP_MSGRESULT: both hold it.
    ::SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, lResult);
    *pResult = lResult;
    return TRUE;
}

// ---- CPropertySheet ----

CPropertySheet::CPropertySheet()
{
    CommonConstruct(nullptr, 0);
}

CPropertySheet::CPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    Construct(nIDCaption, pParentWnd, iSelectPage);
}

CPropertySheet::CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    Construct(pszCaption, pParentWnd, iSelectPage);
}

CPropertySheet::~CPropertySheet() = default;

void CPropertySheet::Construct(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    CommonConstruct(pParentWnd, iSelectPage);
    m_strCaption.LoadString(nIDCaption);
}

void CPropertySheet::Construct(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    CommonConstruct(pParentWnd, iSelectPage);
    // A caption given as MAKEINTRESOURCE is a string id: the CString constructor loads it.
    if (pszCaption != nullptr)
        m_strCaption = CString(pszCaption);
}

void CPropertySheet::CommonConstruct(CWnd* pParentWnd, UINT iSelectPage)
{
    m_psh = PROPSHEETHEADERA();
    m_psh.dwSize = sizeof m_psh;
    m_psh.nStartPage = iSelectPage;
    m_pParentWnd = pParentWnd;
}

BOOL CPropertySheet::CreateSheetWindow(HWND hWndParent, DWORD dwStyle, DWORD dwExStyle)
{
    if (m_hWnd != nullptr)
        return FALSE;

    std::vector<HPROPSHEETPAGE> pageHandles;
    for (CPropertyPage* pPage : m_pages)
    {
        HPROPSHEETPAGE hPage = pPage->CreatePageHandle();
        if (hPage == nullptr)
        {
            for (HPROPSHEETPAGE hMade : pageHandles)
                ::DestroyPropertySheetPage(hMade);
            return FALSE;
        }
        pageHandles.push_back(hPage);
    }

    m_dwCreateStyle = dwStyle;
    m_dwCreateExStyle = dwExStyle;
    m_nEndCommand = IDCANCEL;
    m_psh.dwFlags = (m_psh.dwFlags & ~PSH_PROPSHEETPAGE) | PSH_MODELESS | PSH_USECALLBACK;
    m_psh.pfnCallback = AfxPropSheetCallback;
    m_psh.hwndParent = hWndParent;
    m_psh.hInstance = AfxGetResourceHandle();
    m_psh.pszCaption = m_strCaption;
    m_psh.nPages = (UINT)pageHandles.size();
    m_psh.phpage = pageHandles.data();
    if (m_psh.nStartPage >= m_psh.nPages)
        m_psh.nStartPage = 0;

    CPropertySheet* pOuterSheet = t_pSheetBeingCreated;
    t_pSheetBeingCreated = this;
    AfxHookWindowCreate(this);
    INT_PTR nResult = ::PropertySheetA(&m_psh);
    AfxUnhookWindowCreate();
    EndPageCreation();
    t_pSheetBeingCreated = pOuterSheet;
    m_psh.phpage = nullptr;

    HWND hWnd = nResult != 0 && nResult != -1 ? reinterpret_cast<HWND>(nResult) : nullptr;
    if (hWnd == nullptr || !::IsWindow(hWnd))
    {
        if (m_hWnd != nullptr)
            Detach();
        return FALSE;
    }
    // The creation hook attached it; should the system have made a window before it, attach now.
    if (m_hWnd == nullptr)
        SubclassWindow(hWnd);
    return m_hWnd == hWnd;
}

BOOL CPropertySheet::Create(CWnd* pParentWnd, DWORD dwStyle, DWORD dwExStyle)
{
    if (dwStyle == (DWORD)-1)
        dwStyle = WS_SYSMENU | WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_CONTEXTHELP | WS_VISIBLE;
    if (pParentWnd == nullptr)
        pParentWnd = m_pParentWnd;
    if (pParentWnd == nullptr && !(dwStyle & WS_CHILD))
        pParentWnd = AfxGetMainWnd();
    if ((dwStyle & WS_CHILD) && pParentWnd->GetSafeHwnd() == nullptr)
        return FALSE;   // a child needs a parent
    m_bModeless = TRUE;
    return CreateSheetWindow(pParentWnd->GetSafeHwnd(), dwStyle, dwExStyle);
}

INT_PTR CPropertySheet::DoModal()
{
    if (m_hWnd != nullptr)
        return -1;

    HWND hWndParent = CWnd::GetSafeOwner(m_pParentWnd)->GetSafeHwnd();
    if (hWndParent == ::GetDesktopWindow())
        hWndParent = nullptr;
    BOOL bEnableParent = AfxDisableModalOwner(hWndParent);

    m_bModeless = FALSE;
    m_nModalResult = -1;
    if (CreateSheetWindow(hWndParent, WS_SYSMENU | WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_CONTEXTHELP, 0))
        RunModalLoop(MLF_SHOWONIDLE);

    AfxEndModalWindow(this, hWndParent, bEnableParent);
    return m_nModalResult;
}

BOOL CPropertySheet::OnInitDialog()
{
    BOOL bResult = (BOOL)Default();
    if (m_bModeless && !(m_psh.dwFlags & PSH_WIZARD))
        HideButtons();
    return bResult;
}

void CPropertySheet::HideButtons()
{
    static const int buttonIds[] = {IDOK, IDCANCEL, 0x3021 /* Apply */, IDHELP};
    for (int nID : buttonIds)
    {
        HWND hButton = ::GetDlgItem(m_hWnd, nID);
        if (hButton != nullptr)
        {
            ::ShowWindow(hButton, SW_HIDE);
            ::EnableWindow(hButton, FALSE);
        }
    }
    // The sheet ends below the tabs, with the same margin as at their left.
    HWND hTab = (HWND)::SendMessageA(m_hWnd, PSM_GETTABCONTROL, 0, 0);
    if (hTab == nullptr)
        return;
    RECT tabRect;
    ::GetWindowRect(hTab, &tabRect);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<LPPOINT>(&tabRect), 2);
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    int nNewClientHeight = tabRect.bottom + std::max<LONG>(tabRect.left, 0);
    if (nNewClientHeight >= client.bottom)
        return;
    RECT window;
    ::GetWindowRect(m_hWnd, &window);
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, window.right - window.left,
                   (window.bottom - window.top) - (client.bottom - nNewClientHeight),
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CPropertySheet::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // Remember how a modal run is ended, for when the system closes its pages.
    switch (message)
    {
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL || LOWORD(wParam) == ID_WIZFINISH)
            m_nEndCommand = LOWORD(wParam);
        break;
    case PSM_PRESSBUTTON:
        if (wParam == PSBTN_OK)
            m_nEndCommand = IDOK;
        else if (wParam == PSBTN_FINISH)
            m_nEndCommand = ID_WIZFINISH;
        else if (wParam == PSBTN_CANCEL)
            m_nEndCommand = IDCANCEL;
        break;
    case WM_CLOSE:
        m_nEndCommand = IDCANCEL;
        break;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE)
            m_nEndCommand = IDCANCEL;
        break;
    default:
        break;
    }

    ++m_nMessageDepth;
    LRESULT lResult = message == WM_INITDIALOG ? (LRESULT)OnInitDialog() : CWnd::WindowProc(message, wParam, lParam);
    --m_nMessageDepth;

    if (m_nMessageDepth == 0)
    {
        EndPageCreation();
        // A modal sheet whose pages the system has closed (OK, Cancel, Finish) ends its loop.
        if (!m_bCheckingEnd && m_hWnd != nullptr && (m_nFlags & WF_MODALLOOP) && (m_nFlags & WF_CONTINUEMODAL))
        {
            m_bCheckingEnd = true;
            HWND hWndPage = (HWND)::SendMessageA(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0);
            m_bCheckingEnd = false;
            if (hWndPage == nullptr)
                EndModalLoop(m_nEndCommand);
        }
    }
    return lResult;
}

BOOL CPropertySheet::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    if (pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST)
    {
        if (pMsg->message < WM_MOUSEFIRST || pMsg->message > WM_MOUSELAST)
            return FALSE;
    }
    if (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd))
        return FALSE;
    if (GetStyle() & WS_CHILD)
    {
        // Inside a dialog: only the page-switching keys are the sheet's; the dialog around it does
        // the rest of the dialog keyboard.
        bool bPageKey = pMsg->message == WM_KEYDOWN && (::GetKeyState(VK_CONTROL) & 0x8000) &&
                        (pMsg->wParam == VK_TAB || pMsg->wParam == VK_PRIOR || pMsg->wParam == VK_NEXT);
        return bPageKey && ::SendMessageA(m_hWnd, PSM_ISDIALOGMESSAGE, 0, (LPARAM)pMsg);
    }
    return (BOOL)::SendMessageA(m_hWnd, PSM_ISDIALOGMESSAGE, 0, (LPARAM)pMsg);
}

void CPropertySheet::AddPage(CPropertyPage* pPage)
{
    if (pPage == nullptr)
        return;
    m_pages.push_back(pPage);
    if (m_hWnd == nullptr)
        return;
    HPROPSHEETPAGE hPage = pPage->CreatePageHandle();
    if (hPage == nullptr || !::SendMessageA(m_hWnd, PSM_ADDPAGE, 0, (LPARAM)hPage))
    {
        if (hPage != nullptr)
            ::DestroyPropertySheetPage(hPage);
        m_pages.pop_back();
    }
}

void CPropertySheet::RemovePage(CPropertyPage* pPage)
{
    int nPage = GetPageIndex(pPage);
    if (nPage >= 0)
        RemovePage(nPage);
}

void CPropertySheet::RemovePage(int nPage)
{
    if (nPage < 0 || nPage >= GetPageCount())
        return;
    if (m_hWnd != nullptr)
        ::SendMessageA(m_hWnd, PSM_REMOVEPAGE, (WPARAM)nPage, 0);
    m_pages.erase(m_pages.begin() + nPage);
}

CPropertyPage* CPropertySheet::GetPage(int nPage) const
{
    if (nPage < 0 || nPage >= GetPageCount())
        return nullptr;
    return m_pages[(size_t)nPage];
}

int CPropertySheet::GetPageIndex(CPropertyPage* pPage) const
{
    auto found = std::find(m_pages.begin(), m_pages.end(), pPage);
    return found != m_pages.end() ? (int)(found - m_pages.begin()) : -1;
}

CPropertyPage* CPropertySheet::GetActivePage() const
{
    int nPage = GetActiveIndex();
    return GetPage(nPage);
}

int CPropertySheet::GetActiveIndex() const
{
    if (m_hWnd == nullptr)
        return (int)m_psh.nStartPage;
    HWND hWndPage = (HWND)::SendMessageA(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0);
    if (hWndPage != nullptr)
    {
        for (size_t i = 0; i < m_pages.size(); ++i)
        {
            if (m_pages[i]->m_hWnd == hWndPage)
                return (int)i;
        }
    }
    HWND hTab = (HWND)::SendMessageA(m_hWnd, PSM_GETTABCONTROL, 0, 0);
    return hTab != nullptr ? (int)::SendMessageA(hTab, TCM_GETCURSEL, 0, 0) : -1;
}

BOOL CPropertySheet::SetActivePage(int nPage)
{
    if (nPage < 0 || nPage >= GetPageCount())
        return FALSE;
    if (m_hWnd == nullptr)
    {
        m_psh.nStartPage = (UINT)nPage;
        return TRUE;
    }
    return (BOOL)::SendMessageA(m_hWnd, PSM_SETCURSEL, (WPARAM)nPage, 0);
}

BOOL CPropertySheet::SetActivePage(CPropertyPage* pPage)
{
    return SetActivePage(GetPageIndex(pPage));
}

CTabCtrl* CPropertySheet::GetTabControl() const
{
    HWND hTab = (HWND)::SendMessageA(m_hWnd, PSM_GETTABCONTROL, 0, 0);
    // A tab control wrapper adds no data to CWnd: the temporary wrapper serves as one.
    return static_cast<CTabCtrl*>(CWnd::FromHandle(hTab));
}

void CPropertySheet::SetTitle(LPCTSTR lpszText, UINT nStyle)
{
    m_strCaption = lpszText != nullptr ? lpszText : "";
    m_psh.dwFlags = (m_psh.dwFlags & ~PSH_PROPTITLE) | (nStyle & PSH_PROPTITLE);
    if (m_hWnd != nullptr)
        ::SendMessageA(m_hWnd, PSM_SETTITLEA, nStyle, (LPARAM)(LPCTSTR)m_strCaption);
}

void CPropertySheet::EndDialog(int nEndID)
{
    if (m_nFlags & WF_CONTINUEMODAL)
        EndModalLoop(nEndID);
    else if (m_hWnd != nullptr)
        DestroyWindow();
}
