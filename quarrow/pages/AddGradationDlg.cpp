#include "quarrow/pages/AddGradationDlg.h"

#include <cctype>
#include <cstring>

#include "framework/win/DataExchange.h"
#include "framework/win/Seams.h"
#include "quarrow/app/QuarrowApp.h"
#include "resources/quarrow/resource.h"

const char CAddGradationDlg::ControlCharactersMessage[] = "File system control characters (:\\?*) not allowed";
const char CAddGradationDlg::UnusableNameMessage[] = "This name cannot be used for a library file.";

BEGIN_MESSAGE_MAP(CAddGradationDlg, CDialog)
    ON_WM_HELPINFO()
END_MESSAGE_MAP()

CAddGradationDlg::CAddGradationDlg(CWnd* pParent) : CDialog(IDD_ADD_GRADATION, pParent)
{
}

CAddGradationDlg::~CAddGradationDlg() = default;

void CAddGradationDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_AG_NAME, m_strName);
    DDV_MaxChars(pDX, m_strName, MaxNameLength);
}

bool CAddGradationDlg::IsUsableFileName(const CString& strName)
{
    const std::string name = static_cast<LPCTSTR>(strName);
    if (name.empty() || name == "." || name == ".." || name.back() == '.' || name.back() == ' ')
        return false;
    for (unsigned char ch : name)
        if (ch < 0x20 || std::strchr("/<>|\"", ch) != nullptr)
            return false;
    // Windows opens the device of a reserved name whatever extension follows it.
    std::string base = name.substr(0, name.find('.'));
    while (!base.empty() && base.back() == ' ')
        base.pop_back();
    for (char& ch : base)
        ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    if (base == "CON" || base == "PRN" || base == "AUX" || base == "NUL")
        return false;
    if (base.size() == 4 && (base.compare(0, 3, "COM") == 0 || base.compare(0, 3, "LPT") == 0) && base[3] >= '1' &&
        base[3] <= '9')
        return false;
    return true;
}

void CAddGradationDlg::OnOK()
{
    CString strName;
    GetDlgItemText(IDC_AG_NAME, strName);
    if (strName.FindOneOf(":\\?*") >= 0)
    {
        AfxMessageBox(ControlCharactersMessage, MB_OKCANCEL);
        return;
    }
    if (!IsUsableFileName(strName))
    {
        AfxMessageBox(UnusableNameMessage, MB_OKCANCEL);
        return;
    }
    // The framework's exchange refuses a name longer than 80 characters and keeps the dialog open.
    CDialog::OnOK();
}

BOOL CAddGradationDlg::OnHelpInfo(HELPINFO* pHelpInfo)
{
    QuarrowShowHelpTopic(static_cast<HWND>(pHelpInfo->hItemHandle), "add_sieve.htm");
    return TRUE;
}
