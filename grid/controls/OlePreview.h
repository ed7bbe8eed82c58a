#pragma once
// The OLE object cell (control id 20132, on a browser grid only): an embedded OLE object held as
// bytes in the cell's style (user attribute 52794), shown as static text with a small hot-spot
// button at the cell's right edge. The button opens the object in its server (or the insert-object
// dialog for an empty cell); copy, cut and paste go through the OLE clipboard; Delete empties the
// cell. The OLE work is the viewer's (OleViewer.h), made through the browser grid's hooks: on a
// grid without them the cell is static text and its OLE operations do nothing.

#include "grid/controls/Static.h"

class CGXHotSpotButton;
class CGXOleViewer;
class CGXViewerManager;

// The optional number of the viewer the cell asks for (-1 when not set).
const WORD GX_IDS_UA_OLEVIEWERID = 52801;

class CGXOlePreview : public CGXStatic
{
    GRID_DECLARE_CONTROL(CGXOlePreview)

public:
    explicit CGXOlePreview(CGXGridCore* pGrid);
    ~CGXOlePreview() override;

    void SetActive(BOOL bActive) override;
    BOOL IsActive() override;
    void SetModify(BOOL bModified) override;
    BOOL GetModify() override;
    void Init(ROWCOL nRow, ROWCOL nCol) override;
    // Writes the open viewer's bytes into the cell; nothing without an open viewer.
    BOOL Store() override;
    BOOL OnCancelEditing() override;
    BOOL OnLeftCell(ROWCOL nNewRow, ROWCOL nNewCol) override;
    // The static text less the button's column.
    CRect GetCellRect(ROWCOL nRow, ROWCOL nCol, LPCRECT pRectItem = nullptr, const CGXStyle* pStyle = nullptr) override;
    BOOL LButtonDblClk(UINT nFlags, CPoint point) override;
    // Delete (without Ctrl) empties the cell when no viewer is open.
    BOOL KeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) override;
    BOOL Copy() override;
    BOOL Paste() override;
    BOOL Cut() override;
    BOOL IsInit() override;
    BOOL CanCut() override;
    BOOL CanPaste() override;
    // The hot-spot button: activates the open object, or opens the cell's object (a new one when
    // the cell has none).
    void OnClickedButton(CGXChild* pChild) override;
    void LayoutChildren(ROWCOL nRow, ROWCOL nCol, const CRect& rect) override;

    // The style's attribute 52794 holds a byte array.
    virtual BOOL HasObjectData();
    // Tells the grid that a modal OLE action runs, drops the focus window's pending keys; returns
    // the focus window.
    virtual HWND BeginModal();
    virtual void EndModal(HWND hFocus);
    virtual void RestoreLock();
    virtual void SaveLock();
    virtual void ShowViewerOpen();
    // A viewer of the cell's viewer id, made known to the browser grid; NULL on another grid.
    virtual CGXOleViewer* CreateViewer();

    CGXOleViewer* GetActiveViewer() const { return m_pActiveViewer; }
    CGXHotSpotButton* GetButton() const { return m_pButton; }

protected:
    // Closes, resets and deletes the active viewer.
    void ReleaseActiveViewer();
    void ReleaseViewer(CGXOleViewer* pViewer);
    // A new viewer for copying or cutting the cell; NULL, after saying so, while a viewer is open.
    CGXOleViewer* ClipboardViewer();

    CGXOleViewer* m_pActiveViewer = nullptr;
    CGXViewerManager* m_pViewerManager;
    BOOL m_bActive = FALSE;
    BOOL m_bModified = FALSE;
    BOOL m_bSavedLock = FALSE;
    BOOL m_bLockSaved = FALSE;
    CGXHotSpotButton* m_pButton;
};
