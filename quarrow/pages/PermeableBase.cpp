#include "quarrow/pages/PermeableBase.h"

#include "resources/quarrow/resource.h"

IMPLEMENT_DYNCREATE(CPermeableBase, CPropertyPage)

BEGIN_MESSAGE_MAP(CPermeableBase, CPropertyPage)
END_MESSAGE_MAP()

CPermeableBase::CPermeableBase() : CPropertyPage(IDD_PERMEABLE_BASE)
{
}

CPermeableBase::~CPermeableBase() = default;
