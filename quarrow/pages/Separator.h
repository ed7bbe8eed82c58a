#pragma once

#include "framework/win/PropertySheet.h"

class CProjectData;

// Page 4: the separator layer between the base and the subgrade, and its filter criteria.
class CSeparator : public CPropertyPage
{
    DECLARE_DYNCREATE(CSeparator)
public:
    CSeparator();
    ~CSeparator() override;

    CProjectData* m_pProjectData = nullptr;   // the main dialog's record, not owned
    CPropertySheet* m_pSheetOfPage = nullptr; // the sheet that holds the page, to switch pages

protected:
    DECLARE_MESSAGE_MAP()
};
