#pragma once

#include "framework/win/Dialog.h"

// "About Quarrow": product, version and credits.
class CAboutBoxDlg : public CDialog
{
public:
    CAboutBoxDlg();

protected:
    DECLARE_MESSAGE_MAP()
};
