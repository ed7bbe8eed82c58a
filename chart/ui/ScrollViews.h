// The scrolling chart views. QVGScrollView is the chart view on a scrolling base: it shows a chart that
// may be larger than its window. QVEScrollView holds a chart of its own instead of a document's, so
// that it can live as a child window outside the document/view pairing, and prints with a print loop
// of its own.
#pragma once

#include "chart/ui/GraphView.h"

class QVGraphComponent;

class QVGScrollView : public QVGraphViewImpl<CScrollView>
{
    DECLARE_DYNCREATE(QVGScrollView)
public:
    // The chart's fixed rectangle is the area scrolled over; a chart without one gets 1024 x 768.
    enum { defaultWidth = 1024, defaultHeight = 768 };

    QVGScrollView();
    ~QVGScrollView() override;

    void OnInitialUpdate() override;

    DECLARE_MESSAGE_MAP()
};

class QVEScrollView : public QVGScrollView
{
    DECLARE_DYNCREATE(QVEScrollView)
public:
    QVEScrollView();
    ~QVEScrollView() override;

    // The chart shown (not owned); none at construction.
    QVGraph* GetGraph() override;
    void SetGraph(QVGraph* pChart) { m_pChart = pChart; }
    // The view deletes itself after its window's last message (a view that is nobody's member).
    void SetDeleteOnDestroy(BOOL bDelete) { m_bDeleteOnDestroy = bDelete ? 1 : 0; }
    BOOL GetDeleteOnDestroy() const { return m_bDeleteOnDestroy; }

    // The print job of the view: the printer (Print Direct: the application's), the file name when the
    // dialog asks to print to a file, the job named by the parent window's title ("No name document"
    // without a parent), the pages from the dialog's from-page to its to-page (backwards when from is
    // above to), and the chart as it was afterwards.
    virtual void PrintChart(BOOL bDirect);
    // The last component of the chart's list whose rectangle in this view holds the chart point.
    virtual QVGraphComponent* ComponentAt(int x, int y);

    void PostNcDestroy() override;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg void OnFilePrint(UINT nID);

    QVGraph* m_pChart;
    int m_bDeleteOnDestroy;
    int m_nReserved1;
    int m_nReserved2;

    DECLARE_MESSAGE_MAP()
};
