#include "quarrow/pages/EdgeDrain.h"

#include "resources/quarrow/resource.h"

IMPLEMENT_DYNCREATE(CEdgeDrain, CPropertyPage)

BEGIN_MESSAGE_MAP(CEdgeDrain, CPropertyPage)
END_MESSAGE_MAP()

CEdgeDrain::CEdgeDrain() : CPropertyPage(IDD_EDGE_DRAIN)
{
}

CEdgeDrain::~CEdgeDrain() = default;
