#include "fennick/FennickView.h"

#include "fennick/FennickDoc.h"

IMPLEMENT_DYNCREATE(CFennickView, CView)

BEGIN_MESSAGE_MAP(CFennickView, CView)
END_MESSAGE_MAP()

CFennickView::CFennickView() = default;

CFennickView::~CFennickView() = default;

CFennickDoc* CFennickView::GetDocument() const
{
    return dynamic_cast<CFennickDoc*>(m_pDocument);
}

void CFennickView::OnDraw(CDC* pDC)
{
    if (CFennickDoc* pDoc = GetDocument())
        pDoc->GetChart().Draw(pDC, const_cast<CFennickView*>(this));
}
