#pragma once

#include "framework/win/PropertySheet.h"

class CProjectData;

// Page 1: gradations and porosities of the base, subgrade and separator materials.
class CSieveAnalysis : public CPropertyPage
{
    DECLARE_DYNCREATE(CSieveAnalysis)
public:
    CSieveAnalysis();
    ~CSieveAnalysis() override;

    CProjectData* m_pProjectData = nullptr;   // the main dialog's record, not owned
    // Set after New, Open and a change of units: the page reloads its table from the record.
    BOOL m_bReloadSieveTable = FALSE;

    // Takes the shown layer's table, as edited, into the record's sieve columns.
    void StoreSieveTable();

protected:
    DECLARE_MESSAGE_MAP()
};
