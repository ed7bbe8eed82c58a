#pragma once

#include "framework/win/PropertySheet.h"

// The sheet of the six design pages, a child window of the main dialog.
class CDlgPropSheet : public CPropertySheet
{
    DECLARE_DYNAMIC(CDlgPropSheet)
public:
    CDlgPropSheet();

    // Lets the pages' controls take part in the dialog's keyboard navigation.
    BOOL OnInitDialog() override;

protected:
    DECLARE_MESSAGE_MAP()
};
