#pragma once

#include "framework/win/PropertySheet.h"

class CProjectData;

// Page 2: infiltration and meltwater inflow into the permeable base.
class CInflow : public CPropertyPage
{
    DECLARE_DYNCREATE(CInflow)
public:
    CInflow();
    ~CInflow() override;

    CProjectData* m_pProjectData = nullptr;   // the main dialog's record, not owned
    CPropertySheet* m_pSheetOfPage = nullptr; // the sheet that holds the page, to switch pages

protected:
    DECLARE_MESSAGE_MAP()
};
