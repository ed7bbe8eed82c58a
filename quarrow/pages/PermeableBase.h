#pragma once

#include "framework/win/PropertySheet.h"

class CProjectData;

// Page 3: capacity and time to drain of the permeable base.
class CPermeableBase : public CPropertyPage
{
    DECLARE_DYNCREATE(CPermeableBase)
public:
    CPermeableBase();
    ~CPermeableBase() override;

    CProjectData* m_pProjectData = nullptr;   // the main dialog's record, not owned
    CPropertySheet* m_pSheetOfPage = nullptr; // the sheet that holds the page, to switch pages

protected:
    DECLARE_MESSAGE_MAP()
};
