#pragma once

#include "framework/win/PropertySheet.h"

class CProjectData;

// Page 5: the edge drain (pipe or geocomposite) and the spacing of its outlets.
class CEdgeDrain : public CPropertyPage
{
    DECLARE_DYNCREATE(CEdgeDrain)
public:
    CEdgeDrain();
    ~CEdgeDrain() override;

    CProjectData* m_pProjectData = nullptr;   // the main dialog's record, not owned
    CPropertySheet* m_pSheetOfPage = nullptr; // the sheet that holds the page, to switch pages

protected:
    DECLARE_MESSAGE_MAP()
};
