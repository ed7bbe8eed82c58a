#include "quarrow/pages/Inflow.h"

#include "resources/quarrow/resource.h"

IMPLEMENT_DYNCREATE(CInflow, CPropertyPage)

BEGIN_MESSAGE_MAP(CInflow, CPropertyPage)
END_MESSAGE_MAP()

CInflow::CInflow() : CPropertyPage(IDD_INFLOW)
{
}

CInflow::~CInflow() = default;
