#include "quarrow/pages/SieveAnalysis.h"

#include "resources/quarrow/resource.h"

IMPLEMENT_DYNCREATE(CSieveAnalysis, CPropertyPage)

BEGIN_MESSAGE_MAP(CSieveAnalysis, CPropertyPage)
END_MESSAGE_MAP()

CSieveAnalysis::CSieveAnalysis() : CPropertyPage(IDD_SIEVE_ANALYSIS)
{
}

CSieveAnalysis::~CSieveAnalysis() = default;

void CSieveAnalysis::StoreSieveTable()
{
    // The record is the table's only store until the page has its sieve grid.
}
