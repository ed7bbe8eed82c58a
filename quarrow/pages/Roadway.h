#pragma once

#include "framework/win/PropertySheet.h"

class CProjectData;

// Page 0: the geometry of the roadway and the drainage path through the base.
class CRoadway : public CPropertyPage
{
    DECLARE_DYNCREATE(CRoadway)
public:
    CRoadway();
    ~CRoadway() override;

    CProjectData* m_pProjectData = nullptr;   // the main dialog's record, not owned
    CPropertySheet* m_pSheetOfPage = nullptr; // the sheet that holds the page, to switch pages

protected:
    DECLARE_MESSAGE_MAP()
};
