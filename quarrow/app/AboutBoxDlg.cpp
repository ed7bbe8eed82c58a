#include "quarrow/app/AboutBoxDlg.h"

#include "resources/quarrow/resource.h"

BEGIN_MESSAGE_MAP(CAboutBoxDlg, CDialog)
END_MESSAGE_MAP()

CAboutBoxDlg::CAboutBoxDlg() : CDialog(IDD_ABOUTBOX, nullptr)
{
}
