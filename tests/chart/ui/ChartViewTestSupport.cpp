#include "ChartViewTestSupport.h"

#include <cmath>

#include "chart/model/GraphBackground.h"
#include "chart/model/GraphFeedback.h"
#include "framework/win/CmdTarget.h"
#include "tests/framework/WinTestSupport.h"

const std::vector<double> kCurveX = {0.0, 1.0, 2.5, 4.0};
const std::vector<double> kCurveY = {0.02, 0.05, 0.125, 0.2};
const COLORREF kBackground = RGB(250, 245, 200);

CRuntimeClass* ChartViewTest::ViewClass()
{
    return RUNTIME_CLASS(QVGraphView);
}

void ChartViewTest::SetUp()
{
    // The real pointer stays away from the windows of the test.
    ::SetCursorPos(1270, 1010);
    // A dialog the test does not expect must not wait for a person.
    hook.onDialog = [](CWnd* pDialog) {
        ADD_FAILURE() << "an unexpected dialog";
        pDialog->SendMessage(WM_COMMAND, IDCANCEL);
    };
    pDoc = new CGraphDoc;
    CCreateContext context;
    context.m_pNewViewClass = ViewClass();
    context.m_pCurrentDoc = pDoc;
    pFrame = new CFrameWnd;
    ASSERT_TRUE(pFrame->Create(nullptr, "Chart", WS_OVERLAPPEDWINDOW, CRect(20, 20, 500, 380), nullptr, nullptr, 0,
                               &context));
    pFrame->InitialUpdateFrame(pDoc, TRUE);
    PumpPendingMessages();
    pView = dynamic_cast<QVGraphView*>(pFrame->GetActiveView());
    ASSERT_NE(pView, nullptr);

    QVGraph& chart = Chart();
    const CRect client = Client();
    auto* pBackground = new QVGraphBackground;
    pBackground->SetMeasurement(QVGraphRect::pixels);
    pBackground->SetIntRect(client);
    pBackground->GetStyle()->SetFillType(1);
    pBackground->SetFillColors(kBackground, kBackground);
    chart.AddComponent(pBackground);
    for (size_t i = 0; i < kCurveX.size(); ++i) {
        chart.SetValue(int(i), 0, kCurveX[i]);
        chart.SetValue(int(i), 1, kCurveY[i]);
    }
    pDisplay = new QVGraphDisplay;
    pDisplay->SetMeasurement(QVGraphRect::pixels);
    pDisplay->SetIntRect(client);
    pDisplay->SetGraphType(21);
    pDisplay->SetAxisStyle(15);
    pDisplay->GetStyle()->SetFillType(0);   // the background shows through
    chart.AddComponent(pDisplay);
    Paint();
}

void ChartViewTest::TearDown()
{
    if (pFrame != nullptr && ::IsWindow(pFrame->m_hWnd))
        pFrame->DestroyWindow();
    PumpPendingMessages();
}

CRect ChartViewTest::Client() const
{
    CRect client;
    pView->GetClientRect(&client);
    return client;
}

void ChartViewTest::Paint()
{
    pView->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    PumpPendingMessages();
}

CPoint ChartViewTest::PointOf(int nIndex, int nGroup)
{
    CObList* pList = Chart().GetFeedbackList();
    for (POSITION pos = pList->GetHeadPosition(); pos != nullptr;) {
        auto* pFeedback = static_cast<QVGraphFeedback*>(pList->GetNext(pos));
        if (pFeedback->GetIndex() == nIndex && pFeedback->GetGroup() == nGroup)
            return pFeedback->GetPoint();
    }
    ADD_FAILURE() << "no feedback record for item (" << nIndex << ", " << nGroup << ")";
    return CPoint(-1000, -1000);
}

double ChartViewTest::XAt(int x)
{
    const CRect plot = pDisplay->GetPlotRect();
    const CScale range = pDisplay->GetDrawnIndexAxisRange();
    return range.m_dMin + (x - plot.left) * (range.m_dMax - range.m_dMin) / plot.Width();
}

double ChartViewTest::YAt(int y)
{
    const CRect plot = pDisplay->GetPlotRect();
    const CScale range = pDisplay->GetDrawnValueAxisRange();
    return range.m_dMin + (plot.bottom - y) * (range.m_dMax - range.m_dMin) / plot.Height();
}

CPoint ChartViewTest::PointAt(double x, double y)
{
    const CRect plot = pDisplay->GetPlotRect();
    const CScale xRange = pDisplay->GetDrawnIndexAxisRange();
    const CScale yRange = pDisplay->GetDrawnValueAxisRange();
    return CPoint(int(std::floor(plot.left + (x - xRange.m_dMin) * plot.Width() / (xRange.m_dMax - xRange.m_dMin) + 0.5)),
                  int(std::floor(plot.bottom - (y - yRange.m_dMin) * plot.Height() / (yRange.m_dMax - yRange.m_dMin) + 0.5)));
}

void ChartViewTest::Move(CPoint point)
{
    pView->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y));
}

void ChartViewTest::Press(CPoint point)
{
    pView->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
}

void ChartViewTest::Release(CPoint point)
{
    pView->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
}

void ChartViewTest::Drag(CPoint from, CPoint to)
{
    Press(from);
    Move(CPoint((from.x + to.x) / 2, (from.y + to.y) / 2));
    Move(to);
    Release(to);
}

void ChartViewTest::Command(UINT nID)
{
    pView->SendMessage(WM_COMMAND, nID);
}

namespace {
class CEnableRecorder : public CCmdUI
{
public:
    int enabled = -1;
    void Enable(BOOL bOn) override { enabled = bOn ? 1 : 0; }
};
} // namespace

bool ChartViewTest::IsEnabled(UINT nID)
{
    CEnableRecorder state;
    state.m_nID = nID;
    EXPECT_TRUE(state.DoUpdate(pView, FALSE)) << nID << " has an update handler";
    return state.enabled == 1;
}
