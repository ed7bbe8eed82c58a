// The chart window of a document: the library's chart view without data dragging or zooming by a
// dragged rectangle, which prints the chart at the application's print positions.
#pragma once

#include "chart/ui/GraphView.h"
#include "framework/core/Geometry.h"

class CFennickDoc;

class CFennickView : public QVGraphView
{
    DECLARE_DYNCREATE(CFennickView)
public:
    CFennickView();
    ~CFennickView() override;

    CFennickDoc* GetDocument() const;

    // On a printer (or in print preview) the chart's rectangle on the page comes from the print
    // positions of the page's orientation; then the chart draws, with that rectangle for the page only.
    void OnDraw(CDC* pDC) override;
    // Keeps the page's drawing rectangle for OnDraw, then prints the page.
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;

    // The drawing rectangle of the page being printed, in the printer's device units.
    CRect m_rectPrint;

protected:
    DECLARE_MESSAGE_MAP()
};
