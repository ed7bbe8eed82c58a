#include "tests/framework/SheetTestPages.h"

BEGIN_MESSAGE_MAP(CFirstPage, CLoggingPage)
    ON_EN_CHANGE(IDC_FIRST_NAME, OnNameChange)
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CSecondPage, CLoggingPage)
    ON_WM_CREATE()
END_MESSAGE_MAP()
