#include "quarrow/pages/Separator.h"

#include "resources/quarrow/resource.h"

IMPLEMENT_DYNCREATE(CSeparator, CPropertyPage)

BEGIN_MESSAGE_MAP(CSeparator, CPropertyPage)
END_MESSAGE_MAP()

CSeparator::CSeparator() : CPropertyPage(IDD_SEPARATOR)
{
}

CSeparator::~CSeparator() = default;
