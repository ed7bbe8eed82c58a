#include "quarrow/app/DlgPropSheet.h"

IMPLEMENT_DYNAMIC(CDlgPropSheet, CPropertySheet)

BEGIN_MESSAGE_MAP(CDlgPropSheet, CPropertySheet)
END_MESSAGE_MAP()

CDlgPropSheet::CDlgPropSheet() : CPropertySheet("", nullptr, 1)
{
}

BOOL CDlgPropSheet::OnInitDialog()
{
    ModifyStyleEx(0, WS_EX_CONTROLPARENT);
    return CPropertySheet::OnInitDialog();
}
