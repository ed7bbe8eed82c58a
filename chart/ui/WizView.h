// The chart wizard's live preview: it draws its chart through an off-screen bitmap, lets the user pick a
// component with a Shift-click and move or resize it with a rectangle tracker on a snapping grid, saves
// the arrangement as a layout line, prints with a one-time page setup, and copies or saves its picture.
#pragma once

#include "chart/ui/ScrollViews.h"
#include "framework/docview/Document.h"
#include "framework/win/RectTracker.h"

class QVGraphComponent;

// The messages the preview's tracker sends its owner: the rectangle changed while tracking (lParam: the
// old rectangle), and a rectangle the mouse asks for (wParam: the handle, lParam: the rectangle, which
// the owner may change).
#define WM_QVG_TRACKER_CHANGED  (WM_USER + 15)   // 0x40F
#define WM_QVG_TRACKER_ADJUST   (WM_USER + 16)   // 0x410

// What the preview asks of the wizard sheet it lives in (its parent window).
class QVGWizPreviewOwner
{
public:
    virtual ~QVGWizPreviewOwner() = default;
    virtual BOOL IsEditingAllowed() = 0;
    virtual BOOL IsSnapToGrid() = 0;
    virtual int GetGridStep() = 0;
    virtual BOOL IsGridShown() = 0;
    // Redraw the chart while a component is dragged.
    virtual BOOL IsLiveResult() = 0;
    // The size the chart is drawn at and the size of the preview's place on the sheet; the preview
    // draws at the larger of the two in each direction.
    virtual CSize GetPreviewSize() = 0;
    virtual CSize GetPreviewRectSize() = 0;
    // Whether the component may be picked; a refused one counts as none.
    virtual BOOL CanPickComponent(QVGraphComponent* pComponent) = 0;
    // A component was picked, or moved: the sheet's component choice follows.
    virtual void OnComponentPicked(QVGraphComponent* pComponent) = 0;
    virtual void OnComponentMoved(QVGraphComponent* pComponent) = 0;
};

// The preview's tracker: tells its owner window of every rectangle the mouse asks for and of every change.
class QVGRectTracker : public CRectTracker
{
public:
    QVGRectTracker() = default;
    void SetOwner(CWnd* pOwner) { m_pOwner = pOwner; }
    CWnd* GetOwner() const { return m_pOwner; }

    void AdjustRect(int nHandle, LPRECT lpRect) override;
    void OnChangedRect(const CRect& rectOld) override;

protected:
    CWnd* m_pOwner = nullptr;
};

class QVGWizView : public QVEScrollView
{
    DECLARE_DYNCREATE(QVGWizView)
public:
    // The tracker's look: hatched border, resize handles inside.
    enum { trackerStyle = CRectTracker::hatchedBorder | CRectTracker::resizeInside };

    // A document only for the time of a print (the framework's print names the job by it).
    class CDummyDocument : public CDocument
    {
    public:
        CDummyDocument() = default;
    };

    QVGWizView();
    ~QVGWizView() override;

    // Stops tracking (command 21703) and repaints.
    virtual void CancelTracking();
    // Moves the rectangle so that its left and top lie on the nearest multiple of the grid step.
    virtual void SnapRect(CRect& rect);
    // Inverts a dot at every multiple of the grid step across the scroll area; remembers the flag.
    virtual void DrawGrid(BOOL bShow);

    void OnDraw(CDC* pDC) override;

    BOOL IsTracking() const { return m_bTracking; }
    QVGraphComponent* GetSelectedComponent() const { return m_pSelected; }
    QVGRectTracker& GetTracker() { return m_tracker; }
    BOOL IsGridDrawn() const { return m_bGridShown; }
    // The sheet around the preview, when it is one.
    QVGWizPreviewOwner* GetOwner();

protected:
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg LRESULT OnTrackerChanged(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnTrackerAdjust(WPARAM wParam, LPARAM lParam);
    afx_msg void OnCopy();
    afx_msg void OnSaveLayout();
    afx_msg void OnCancelTracking();
    afx_msg void OnPrintWithSetup();
    afx_msg void OnSaveDib();
    afx_msg void OnSaveJpeg();

    // The step of the grid (at least 1).
    int GridStep();
    // A value moved to the nearest multiple of the grid step.
    int SnapValue(int value);
    // The component's rectangle in this view (chart coordinates).
    CRect ComponentRect(QVGraphComponent* pComponent);
    // Gives the selected component the tracker's rectangle (client coordinates).
    void ApplyTrackerRect();
    // The size the chart is drawn at: the larger of the sheet's preview size and its place.
    CSize DrawingSize();
    // Saves a picture of the whole scroll area.
    void SaveScrollPicture(BWKPicture& picture, LPCTSTR lpszDefExt, LPCTSTR lpszFilter, LPCTSTR lpszFillFailed);

    QVGRectTracker m_tracker;
    QVGraphComponent* m_pSelected;
    int m_bTracking;
    CRect m_rectTracker;
    int m_nTrackerHandle;
    int m_bGridShown;

    DECLARE_MESSAGE_MAP()
};
