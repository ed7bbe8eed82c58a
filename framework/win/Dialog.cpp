#include "framework/win/Dialog.h"

#include "framework/core/Exceptions.h"
#include "framework/win/WinApp.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

LPCDLGTEMPLATE PASCAL CDialog::LoadDialogTemplate(LPCTSTR lpszTemplateName)
{
    if (lpszTemplateName == nullptr)
        return nullptr;
    HINSTANCE hInst = AfxFindResourceHandle(lpszTemplateName, RT_DIALOG);
    HRSRC hResource = ::FindResourceA(hInst, lpszTemplateName, RT_DIALOG);
    if (hResource == nullptr)
        return nullptr;
    HGLOBAL hTemplate = ::LoadResource(hInst, hResource);
    return hTemplate != nullptr ? static_cast<LPCDLGTEMPLATE>(::LockResource(hTemplate)) : nullptr;
}

INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM, LPARAM)
{
    if (message != WM_INITDIALOG)
        return FALSE;
    auto* pDialog = dynamic_cast<CDialog*>(CWnd::FromHandlePermanent(hWnd));
    if (pDialog == nullptr)
        return TRUE;
    // The dialog manager calls this from inside the system: nothing may unwind through it.
    MSG msg = {hWnd, message, 0, 0, 0, {0, 0}};
    try
    {
        return pDialog->OnInitDialog();
    }
    catch (...)
    {
        AfxHandleWndProcException(&msg);
    }
    return FALSE;
}

CDialog::CDialog() = default;

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_lpszTemplateName(MAKEINTRESOURCEA(nIDTemplate)), m_nIDHelp(nIDTemplate), m_pParentWnd(pParentWnd)
{
}

CDialog::CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
    : m_lpszTemplateName(lpszTemplateName), m_pParentWnd(pParentWnd)
{
    if (IS_INTRESOURCE(lpszTemplateName))
        m_nIDHelp = LOWORD(reinterpret_cast<ULONG_PTR>(lpszTemplateName));
}

CDialog::~CDialog() = default;

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    if (m_nIDHelp == 0)
        m_nIDHelp = nIDTemplate;
    return Create(MAKEINTRESOURCEA(nIDTemplate), pParentWnd);
}

BOOL CDialog::Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
{
    m_lpszTemplateName = lpszTemplateName;
    LPCDLGTEMPLATE lpTemplate = LoadDialogTemplate(lpszTemplateName);
    if (lpTemplate == nullptr)
        return FALSE;
    return CreateIndirect(lpTemplate, pParentWnd);
}

BOOL CDialog::CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd)
{
    if (pParentWnd == nullptr)
        pParentWnd = AfxGetMainWnd();
    m_pParentWnd = pParentWnd;
    return CreateDlgIndirect(lpDialogTemplate, pParentWnd);
}

BOOL CDialog::CreateDlgIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd)
{
    // EndDialog during WM_INITDIALOG clears this, and the modal loop is then not entered.
    m_nModalResult = -1;
    m_nFlags |= WF_CONTINUEMODAL;

    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateDialogIndirectParamA(AfxGetInstanceHandle(), lpDialogTemplate, pParentWnd->GetSafeHwnd(),
                                             AfxDlgProc, 0);
    if (!AfxUnhookWindowCreate())
        PostNcDestroy();   // no window was made for this object
    if (hWnd == nullptr)
    {
        m_nFlags &= ~WF_CONTINUEMODAL;
        return FALSE;
    }
    return TRUE;
}

INT_PTR CDialog::DoModal()
{
    LPCDLGTEMPLATE lpTemplate = m_lpDialogTemplate;
    if (lpTemplate == nullptr)
        lpTemplate = LoadDialogTemplate(m_lpszTemplateName);
    if (lpTemplate == nullptr)
        return -1;

    HWND hWndParent = CWnd::GetSafeOwner(m_pParentWnd)->GetSafeHwnd();
    BOOL bEnableParent = AfxDisableModalOwner(hWndParent);

    try
    {
        if (CreateDlgIndirect(lpTemplate, CWnd::FromHandle(hWndParent)) && (m_nFlags & WF_CONTINUEMODAL))
            RunModalLoop(MLF_SHOWONIDLE);
    }
    catch (CException* e)
    {
        e->Delete();
        m_nModalResult = -1;
    }

    AfxEndModalWindow(this, hWndParent, bEnableParent);
    return m_nModalResult;
}

void CDialog::EndDialog(int nResult)
{
    if (m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL))
        EndModalLoop(nResult);
    ::EndDialog(m_hWnd, nResult);
}

BOOL CDialog::OnInitDialog()
{
    ExecuteDlgInit(m_lpszTemplateName);
    if (!UpdateData(FALSE))
    {
        EndDialog(-1);
        return FALSE;
    }
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;   // the failing control has the focus; the dialog stays open
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    // Escape in a multi-line edit would otherwise be eaten by the edit: it still cancels the dialog.
    if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_ESCAPE || pMsg->wParam == VK_CANCEL) &&
        (::GetWindowLongPtrA(pMsg->hwnd, GWL_STYLE) & ES_MULTILINE))
    {
        char className[8] = {};
        ::GetClassNameA(pMsg->hwnd, className, sizeof className);
        if (lstrcmpiA(className, "Edit") == 0 && (pMsg->hwnd == m_hWnd || ::IsChild(m_hWnd, pMsg->hwnd)))
        {
            HWND hCancel = ::GetDlgItem(m_hWnd, IDCANCEL);
            if (hCancel == nullptr || ::IsWindowEnabled(hCancel))
            {
                SendMessage(WM_COMMAND, IDCANCEL, 0);
                return TRUE;
            }
        }
    }
    return PreTranslateInput(pMsg);
}

BOOL CDialog::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    // Only commands (not control notifications or system commands) go on to the application.
    if ((nCode != CN_COMMAND && nCode != (int)CN_UPDATE_COMMAND_UI) || !(nID & 0x8000) || nID >= 0xF000)
        return FALSE;
    CWinApp* pApp = AfxGetApp();
    return pApp != nullptr && pApp->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CDialog::ExecuteDlgInit(LPCTSTR lpszResourceName)
{
    if (lpszResourceName == nullptr)
        return TRUE;
    LPCTSTR RT_DLGINIT_TYPE = MAKEINTRESOURCEA(240);
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_DLGINIT_TYPE);
    HRSRC hResource = ::FindResourceA(hInst, lpszResourceName, RT_DLGINIT_TYPE);
    if (hResource == nullptr)
        return TRUE;
    HGLOBAL hData = ::LoadResource(hInst, hResource);
    auto* pData = hData != nullptr ? static_cast<const BYTE*>(::LockResource(hData)) : nullptr;
    DWORD dwSize = ::SizeofResource(hInst, hResource);
    if (pData == nullptr)
        return FALSE;
    // Records: control id (16 bits), message (16 bits), length (32 bits), text; a zero id ends.
    const BYTE* pEnd = pData + dwSize;
    while (pData + 8 <= pEnd)
    {
        WORD nIDC = *reinterpret_cast<const WORD*>(pData);
        if (nIDC == 0)
            break;
        WORD nMsg = *reinterpret_cast<const WORD*>(pData + 2);
        DWORD dwLength = *reinterpret_cast<const DWORD*>(pData + 4);
        pData += 8;
        if (dwLength > (DWORD)(pEnd - pData))
            return FALSE;   // a damaged resource is not read past its end
        // 0x0401 and 0x0403 are the 16-bit list and combo "add string" messages.
        UINT nMessage = nMsg == 0x0401 ? LB_ADDSTRING : nMsg == 0x0403 ? CB_ADDSTRING : nMsg;
        if (dwLength > 0 && pData[dwLength - 1] == '\0')
            ::SendDlgItemMessageA(m_hWnd, nIDC, nMessage, 0, reinterpret_cast<LPARAM>(pData));
        pData += dwLength;
    }
    return TRUE;
}
