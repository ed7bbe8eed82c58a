// A chart view in a frame over a chart document whose chart is a type-21 scatter chart: a pale
// background and one display over the whole client area, its groups 0 and 1 the X and Y values of one
// curve. Helpers send the mouse and commands to the view and map values to client points.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "chart/model/Graph.h"
#include "chart/model/GraphDisplay.h"
#include "chart/model/GraphDoc.h"
#include "chart/ui/GraphView.h"
#include "framework/docview/FrameWnd.h"
#include "framework/win/SeamRecorders.h"
#include "framework/win/WinApp.h"

// The curve of the fixture: (0, 0.02), (1, 0.05), (2.5, 0.125), (4, 0.2).
extern const std::vector<double> kCurveX;
extern const std::vector<double> kCurveY;
// The background's colour.
extern const COLORREF kBackground;

class ChartViewTest : public ::testing::Test
{
protected:
    CWinApp app{"ChartView"};
    CRecordingMessageBox messageBox;
    CScopedMessageBoxSeam messageBoxSeam{&messageBox};
    CFunctionModalHook hook;
    CScopedModalHook hookSeam{&hook};
    CFrameWnd* pFrame = nullptr;
    QVGraphView* pView = nullptr;
    CGraphDoc* pDoc = nullptr;
    QVGraphDisplay* pDisplay = nullptr;

    void SetUp() override;
    void TearDown() override;
    // The view class the frame makes (a subclass of QVGraphView).
    virtual CRuntimeClass* ViewClass();

    QVGraph& Chart() { return pDoc->GetChart(); }
    CRect Client() const;
    // Paints the view now.
    void Paint();
    // Where the chart drew the item (its feedback record's point).
    CPoint PointOf(int nIndex, int nGroup);
    // The values a client point stands for on the display's drawn axis ranges, and back.
    double XAt(int x);
    double YAt(int y);
    CPoint PointAt(double x, double y);

    void Move(CPoint point);
    void Press(CPoint point);
    void Release(CPoint point);
    void Drag(CPoint from, CPoint to);
    void Command(UINT nID);
    // Whether the view enables the command now (its update handler).
    bool IsEnabled(UINT nID);
};
