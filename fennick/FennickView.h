// The window that shows a chart document's chart.
#pragma once

#include "framework/docview/View.h"

class CFennickDoc;

class CFennickView : public CView
{
    DECLARE_DYNCREATE(CFennickView)
public:
    CFennickView();
    ~CFennickView() override;

    CFennickDoc* GetDocument() const;
    void OnDraw(CDC* pDC) override;

protected:
    DECLARE_MESSAGE_MAP()
};
