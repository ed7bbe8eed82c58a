// The chart edit dialog ("Chart Explorer"): the chart as a tree of its annotations, its components (with
// the labels of label blocks and the annotations of labels) and its data groups, items and values. From
// the tree's pop-up menus and double clicks the user adds, deletes and reorders components, edits their
// styles, annotations, data values and the chart's two flags, and loads or saves the component list as a
// chart template. Every change is made on the chart at once.
#pragma once

#include <map>

#include "chart/ui/GTreeCtrl.h"
#include "framework/core/CollectionBase.h"
#include "framework/win/Dialog.h"
#include "framework/win/ImageList.h"

class QVGraph;
class QVGraphAnnotationList;
class QVGraphComponent;

class QVGraphEditDialog : public CDialog
{
    DECLARE_DYNAMIC(QVGraphEditDialog)
public:
    // The normal image of each kind of tree item; its selected image is the one before it.
    enum {
        imageChart = 1,
        imageComponents = 3,
        imageComponent = 5,
        imageAnnotation = 7,
        imageGroup = 9,
        imageItem = 11,
        imageValue = 13
    };
    // The sub-menus of menu 21556.
    enum { menuComponents = 0, menuComponent = 1, menuLabel = 2, menuLabelBlock = 3, menuData = 4 };

    explicit QVGraphEditDialog(CWnd* pParent = nullptr);
    ~QVGraphEditDialog() override;

    // The chart edited (not owned); set before the dialog runs.
    QVGraph* m_pGraph = nullptr;

    // Empties the tree and builds it again from the chart.
    void BuildTree();
    QVGTreeCtrl& GetTree() { return m_tree; }
    HTREEITEM GetRootItem() const { return m_hRoot; }
    HTREEITEM GetComponentsItem() const { return m_hComponents; }

    // The component of the component chooser's entry (0 background, 1 display, 2 legend, 3 title,
    // 4 label, 5 label block); other entries go to CreateOtherComponent, which makes none.
    virtual QVGraphComponent* CreateComponent(int nChoice);
    virtual QVGraphComponent* CreateOtherComponent(int nChoice);

protected:
    BOOL OnInitDialog() override;

    afx_msg void OnTreeRightClick(NMHDR* pNotify, LRESULT* pResult);
    afx_msg void OnTreeDoubleClick(NMHDR* pNotify, LRESULT* pResult);
    afx_msg void OnLoadComponents();
    afx_msg void OnSaveComponents();
    afx_msg void OnAddComponent();
    afx_msg void OnDeleteComponent();
    afx_msg void OnProperties();
    afx_msg void OnBringToTop();
    afx_msg void OnSendToBack();
    afx_msg void OnForwardOne();
    afx_msg void OnBackOne();
    afx_msg void OnAddAnnotation();
    afx_msg void OnAddText();
    afx_msg void OnAddLabel();

    // The item the last click hit (the selected one when the click hit none), and its normal image.
    HTREEITEM ClickedItem();
    int ImageOf(HTREEITEM hItem);
    // The component of the clicked item; NULL when it is no component.
    QVGraphComponent* ClickedComponent();
    // The clicked component's place in the chart's list; NULL when it is not in the list.
    POSITION ClickedComponentPosition();
    // Moves the clicked component in the chart's list, which is its drawing order (the tail is drawn
    // last, on top), and shows the tree again.
    enum class ListMove { ToTop, ToBack, ForwardOne, BackOne };
    void MoveClickedComponent(ListMove move);
    // The annotation list an annotation item belongs to, from the item above it.
    QVGraphAnnotationList* OwnerAnnotations(HTREEITEM hAnnotation);

    HTREEITEM InsertItem(LPCTSTR lpszText, int nImage, HTREEITEM hParent, const void* pData);
    void InsertAnnotations(HTREEITEM hParent, QVGraphAnnotationList& annotations);
    void InsertComponent(HTREEITEM hParent, QVGraphComponent* pComponent);
    void InsertData();

    void EditProperties(QVGraphComponent* pComponent);
    void EditChartFlags();
    void EditAnnotation(HTREEITEM hItem);
    void EditDataStyle(HTREEITEM hItem);
    void EditValue(HTREEITEM hItem);

    QVGTreeCtrl m_tree;
    CImageList m_images;
    HTREEITEM m_hRoot = nullptr;
    HTREEITEM m_hComponents = nullptr;
    // The slot of each value item of a dynamic group's buffer.
    std::map<HTREEITEM, int> m_bufferSlots;

    DECLARE_MESSAGE_MAP()
};
