#include "quarrow/pages/Roadway.h"

#include "resources/quarrow/resource.h"

IMPLEMENT_DYNCREATE(CRoadway, CPropertyPage)

BEGIN_MESSAGE_MAP(CRoadway, CPropertyPage)
END_MESSAGE_MAP()

CRoadway::CRoadway() : CPropertyPage(IDD_ROADWAY)
{
}

CRoadway::~CRoadway() = default;
