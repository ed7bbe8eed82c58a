// The chart edit dialog: the tree, its pop-up menus and double clicks, and the commands on the chart.
#include "chart/ui/GraphEditDialog.h"

#include "chart/model/ChartResourceIds.h"
#include "chart/model/DynamicData.h"
#include "chart/model/Graph.h"
#include "chart/model/GraphBackground.h"
#include "chart/model/GraphData.h"
#include "chart/model/GraphDataList.h"
#include "chart/model/GraphDisplay.h"
#include "chart/model/GraphLabel.h"
#include "chart/model/GraphLegend.h"
#include "chart/model/GraphTitle.h"
#include "chart/model/LabelBlock.h"
#include "chart/ui/ChartEditIds.h"
#include "chart/ui/ComponentProperties.h"
#include "chart/ui/GraphEditForms.h"
#include "framework/core/Exceptions.h"
#include "framework/core/File.h"
#include "framework/dialogs/FileDialog.h"
#include "framework/win/Menu.h"

IMPLEMENT_DYNAMIC(QVGraphEditDialog, CDialog)

BEGIN_MESSAGE_MAP(QVGraphEditDialog, CDialog)
    ON_NOTIFY(NM_RCLICK, IDC_QVG_TREE, OnTreeRightClick)
    ON_NOTIFY(NM_DBLCLK, IDC_QVG_TREE, OnTreeDoubleClick)
    ON_COMMAND(ID_QVG_LOAD_COMPONENTS, OnLoadComponents)
    ON_COMMAND(ID_QVG_SAVE_COMPONENTS, OnSaveComponents)
    ON_COMMAND(ID_QVG_ADD_COMPONENT, OnAddComponent)
    ON_COMMAND(ID_QVG_DELETE_COMPONENT, OnDeleteComponent)
    ON_COMMAND(ID_QVG_PROPERTIES, OnProperties)
    ON_COMMAND(ID_QVG_BRING_TO_TOP, OnBringToTop)
    ON_COMMAND(ID_QVG_SEND_TO_BACK, OnSendToBack)
    ON_COMMAND(ID_QVG_FORWARD_ONE, OnForwardOne)
    ON_COMMAND(ID_QVG_BACK_ONE, OnBackOne)
    ON_COMMAND(ID_QVG_ADD_ANNOTATION, OnAddAnnotation)
    ON_COMMAND(ID_QVG_ADD_TEXT, OnAddText)
    ON_COMMAND(ID_QVG_ADD_LABEL, OnAddLabel)
END_MESSAGE_MAP()

namespace {

const char kTemplateFilter[] = "Chart templates (*.qgt)|*.qgt|All files (*.*)|*.*||";

CString KindName(int nTypeId)
{
    CString name;
    name.LoadString(UINT(nTypeId));
    return name;
}

CString ValueText(double value)
{
    CString text;
    text.Format("%s [%g]", (LPCTSTR)KindName(IDS_QVG_VALUE), value);
    return text;
}

// A chart that only takes a template in: it remembers whether reading it failed, and reports an
// unknown command as the error it is for a file the user chose.
class CTemplateTrialChart : public QVGraph
{
public:
    BOOL m_bFailed = FALSE;
    void ShowTemplateError(LPCTSTR lpszLine) override
    {
        m_bFailed = TRUE;
        QVGraph::ShowTemplateError(lpszLine);
    }
    BOOL OnUnknownTemplateCommand(LPCTSTR lpszLine) override
    {
        m_bFailed = TRUE;
        QVGraph::ShowTemplateError(lpszLine);
        return FALSE;
    }
};

} // namespace

QVGraphEditDialog::QVGraphEditDialog(CWnd* pParent) : CDialog(IDD_QVG_GRAPH_EDIT, pParent)
{
}

QVGraphEditDialog::~QVGraphEditDialog() = default;

BOOL QVGraphEditDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_tree.SubclassDlgItem(IDC_QVG_TREE, this);
    if (m_images.Create(IDB_QVG_TREE_IMAGES, 16, 1, RGB(255, 255, 255)))
        m_tree.SetImageList(&m_images, TVSIL_NORMAL);
    BuildTree();
    return TRUE;
}

// ---- The tree ----

HTREEITEM QVGraphEditDialog::InsertItem(LPCTSTR lpszText, int nImage, HTREEITEM hParent, const void* pData)
{
    HTREEITEM hItem = m_tree.InsertItem(lpszText, nImage, nImage - 1, hParent);
    m_tree.SetItemData(hItem, reinterpret_cast<DWORD_PTR>(pData));
    return hItem;
}

void QVGraphEditDialog::InsertAnnotations(HTREEITEM hParent, QVGraphAnnotationList& annotations)
{
    for (POSITION pos = annotations.GetHeadPosition(); pos != nullptr;) {
        QVGraphAnnotation* pAnnotation = annotations.GetNext(pos);
        CString text;
        text.Format("%s [%2d]", (LPCTSTR)pAnnotation->m_strText, pAnnotation->m_nIndex);
        InsertItem(text, imageAnnotation, hParent, pAnnotation);
    }
}

void QVGraphEditDialog::InsertComponent(HTREEITEM hParent, QVGraphComponent* pComponent)
{
    HTREEITEM hItem = InsertItem(KindName(pComponent->GetTypeId()), imageComponent, hParent, pComponent);
    if (auto* pBlock = dynamic_cast<QVGraphLabelBlock*>(pComponent)) {
        for (POSITION pos = pBlock->m_labels.GetHeadPosition(); pos != nullptr;)
            InsertComponent(hItem, static_cast<QVGraphComponent*>(pBlock->m_labels.GetNext(pos)));
    } else if (auto* pLabel = dynamic_cast<QVGraphLabel*>(pComponent)) {
        InsertAnnotations(hItem, pLabel->GetAnnotations());
    }
}

void QVGraphEditDialog::InsertData()
{
    for (POSITION pos = m_pGraph->GetFirstGroupPosition(); pos != nullptr;) {
        QVGraphDataList* pGroup = m_pGraph->GetNextGroup(pos);
        HTREEITEM hGroup = InsertItem(KindName(IDS_QVG_DATA_LIST), imageGroup, m_hRoot, pGroup);
        InsertAnnotations(hGroup, *pGroup->GetAnnotations());
        CObList& items = pGroup->GetItemList();
        for (POSITION itemPos = items.GetHeadPosition(); itemPos != nullptr;) {
            auto* pItem = static_cast<QVGraphData*>(items.GetNext(itemPos));
            HTREEITEM hItem = InsertItem(KindName(IDS_QVG_DATA_ITEM), imageItem, hGroup, pItem);
            InsertAnnotations(hItem, *pItem->GetAnnotations());
            if (auto* pBuffer = dynamic_cast<QVGraphDynamicData*>(pItem)) {
                // A buffered item holds a value per slot written.
                const int nCount = pBuffer->GetCount();
                for (int nSlot = 0; nSlot < nCount; ++nSlot) {
                    pBuffer->SetReadPosition(nSlot);
                    m_bufferSlots[InsertItem(ValueText(pBuffer->GetValue()), imageValue, hItem, pItem)] = nSlot;
                }
                pBuffer->ResetReadPosition();
            } else {
                InsertItem(ValueText(pItem->GetValue()), imageValue, hItem, pItem);
            }
        }
    }
}

void QVGraphEditDialog::BuildTree()
{
    m_tree.DeleteAllItems();
    m_bufferSlots.clear();
    m_hRoot = m_hComponents = nullptr;
    if (m_pGraph == nullptr || m_tree.m_hWnd == nullptr)
        return;
    m_hRoot = InsertItem(m_pGraph->GetManagerText(1), imageChart, TVI_ROOT, m_pGraph);
    if (QVGraphAnnotationList* pAnnotations = m_pGraph->GetManagerAnnotations())
        InsertAnnotations(m_hRoot, *pAnnotations);
    CObList* pComponents = m_pGraph->GetComponentList();
    m_hComponents = InsertItem(KindName(IDS_QVG_COMPONENTS), imageComponents, m_hRoot, pComponents);
    for (POSITION pos = pComponents->GetHeadPosition(); pos != nullptr;)
        InsertComponent(m_hComponents, static_cast<QVGraphComponent*>(pComponents->GetNext(pos)));
    InsertData();
    m_tree.Expand(m_hRoot, TVE_EXPAND);
    m_tree.Expand(m_hComponents, TVE_EXPAND);
}

HTREEITEM QVGraphEditDialog::ClickedItem()
{
    HTREEITEM hItem = m_tree.GetHitItem();
    return hItem != nullptr ? hItem : m_tree.GetSelectedItem();
}

int QVGraphEditDialog::ImageOf(HTREEITEM hItem)
{
    int nImage = -1, nSelected = -1;
    if (hItem == nullptr || !m_tree.GetItemImage(hItem, nImage, nSelected))
        return -1;
    return nImage;
}

QVGraphComponent* QVGraphEditDialog::ClickedComponent()
{
    HTREEITEM hItem = ClickedItem();
    if (ImageOf(hItem) != imageComponent)
        return nullptr;
    return reinterpret_cast<QVGraphComponent*>(m_tree.GetItemData(hItem));
}

POSITION QVGraphEditDialog::ClickedComponentPosition()
{
    QVGraphComponent* pComponent = ClickedComponent();
    if (pComponent == nullptr || m_pGraph == nullptr)
        return nullptr;
    return m_pGraph->GetComponentList()->Find(pComponent);
}

QVGraphAnnotationList* QVGraphEditDialog::OwnerAnnotations(HTREEITEM hAnnotation)
{
    HTREEITEM hOwner = m_tree.GetParentItem(hAnnotation);
    void* pOwner = reinterpret_cast<void*>(m_tree.GetItemData(hOwner));
    switch (ImageOf(hOwner)) {
    case imageChart: return m_pGraph->GetManagerAnnotations();
    case imageComponent: {
        auto* pLabel = dynamic_cast<QVGraphLabel*>(static_cast<QVGraphComponent*>(pOwner));
        return pLabel != nullptr ? &pLabel->GetAnnotations() : nullptr;
    }
    case imageGroup: return static_cast<QVGraphDataList*>(pOwner)->GetAnnotations();
    case imageItem: return static_cast<QVGraphData*>(pOwner)->GetAnnotations();
    default: return nullptr;
    }
}

// ---- Pop-up menus and double clicks ----

void QVGraphEditDialog::OnTreeRightClick(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    HTREEITEM hItem = m_tree.GetHitItem();
    int nMenu = -1;
    switch (ImageOf(hItem)) {
    case imageComponents: nMenu = menuComponents; break;
    case imageComponent: {
        auto* pComponent = reinterpret_cast<QVGraphComponent*>(m_tree.GetItemData(hItem));
        nMenu = dynamic_cast<QVGraphLabelBlock*>(pComponent) != nullptr ? menuLabelBlock
                : dynamic_cast<QVGraphLabel*>(pComponent) != nullptr    ? menuLabel
                                                                         : menuComponent;
        break;
    }
    case imageGroup:
    case imageItem: nMenu = menuData; break;
    default: return;
    }
    CMenu menu;
    if (!menu.LoadMenu(IDR_QVG_GRAPH_EDIT_MENU))
        return;
    CMenu* pPopup = menu.GetSubMenu(nMenu);
    const CPoint point = m_tree.GetCursorPoint();
    if (pPopup != nullptr)
        pPopup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, this);
    *pResult = 1;
}

void QVGraphEditDialog::OnTreeDoubleClick(NMHDR*, LRESULT* pResult)
{
    *pResult = 0;
    HTREEITEM hItem = ClickedItem();
    switch (ImageOf(hItem)) {
    case imageChart: EditChartFlags(); break;
    case imageComponent: EditProperties(reinterpret_cast<QVGraphComponent*>(m_tree.GetItemData(hItem))); break;
    case imageAnnotation:
        EditAnnotation(hItem);
        // An edit rebuilds the tree, deleting the clicked item: the tree must not go on to expand or
        // collapse it as its own handling of the double click would.
        *pResult = 1;
        break;
    case imageGroup:
    case imageItem: EditDataStyle(hItem); break;
    case imageValue: EditValue(hItem); break;
    default: break;
    }
}

void QVGraphEditDialog::EditChartFlags()
{
    QVGraphItemEdit dialog(this);
    dialog.m_bDrawInBackground = m_pGraph->GetDoubleBuffering() ? 1 : 0;
    dialog.m_bFeedbackLogging = m_pGraph->GetFeedbackEnabled() ? 1 : 0;
    if (dialog.DoModal() != IDOK)
        return;
    m_pGraph->SetDoubleBuffering(dialog.m_bDrawInBackground);
    m_pGraph->SetFeedbackEnabled(dialog.m_bFeedbackLogging);
}

void QVGraphEditDialog::EditProperties(QVGraphComponent* pComponent)
{
    if (pComponent == nullptr)
        return;
    QVGraphComponentProperties sheet(this, QVGraphComponentProperties::TakesFontPage(pComponent),
                                     pComponent->GetTypeId());
    sheet.LoadComponent(pComponent);
    if (sheet.DoModal() == IDOK)
        sheet.ApplyComponent(pComponent);
}

void QVGraphEditDialog::EditAnnotation(HTREEITEM hItem)
{
    auto* pAnnotation = reinterpret_cast<QVGraphAnnotation*>(m_tree.GetItemData(hItem));
    QVGraphAnnotationList* pOwner = OwnerAnnotations(hItem);
    if (pAnnotation == nullptr || pOwner == nullptr)
        return;
    QVGraphAnnotationEdit dialog(this);
    dialog.m_strText = pAnnotation->m_strText;
    dialog.m_nCode = pAnnotation->m_nIndex;
    if (dialog.DoModal() != IDOK)
        return;
    pOwner->SetAnnotation(dialog.m_nCode, dialog.m_strText);
    BuildTree();
}

void QVGraphEditDialog::EditDataStyle(HTREEITEM hItem)
{
    const bool bGroup = ImageOf(hItem) == imageGroup;
    QVGraphDataList* pGroup = bGroup ? reinterpret_cast<QVGraphDataList*>(m_tree.GetItemData(hItem)) : nullptr;
    QVGraphStyle* pStyle = bGroup ? pGroup->GetStyle() : reinterpret_cast<QVGraphData*>(m_tree.GetItemData(hItem))->GetStyle();
    QVGraphComponentProperties sheet(this, FALSE, bGroup ? IDS_QVG_DATA_LIST : IDS_QVG_DATA_ITEM);
    sheet.LoadDataStyle(*pStyle);
    if (sheet.DoModal() == IDOK)
        sheet.ApplyDataStyle(*pStyle, pGroup);
}

void QVGraphEditDialog::EditValue(HTREEITEM hItem)
{
    auto* pItem = reinterpret_cast<QVGraphData*>(m_tree.GetItemData(hItem));
    auto* pBuffer = dynamic_cast<QVGraphDynamicData*>(pItem);
    const auto slot = m_bufferSlots.find(hItem);
    QVGraphValueEdit dialog(this);
    if (pBuffer != nullptr && slot != m_bufferSlots.end()) {
        pBuffer->SetReadPosition(slot->second);
        dialog.m_dValue = pBuffer->GetValue();
        pBuffer->ResetReadPosition();
    } else {
        dialog.m_dValue = pItem->GetValue();
    }
    if (dialog.DoModal() != IDOK)
        return;
    if (pBuffer != nullptr && slot != m_bufferSlots.end() && !pBuffer->SetWritePosition(slot->second))
        return;
    pItem->SetValue(dialog.m_dValue);
    m_tree.SetItemText(hItem, ValueText(dialog.m_dValue));
}

// ---- Commands ----

void QVGraphEditDialog::OnLoadComponents()
{
    CFileDialog dialog(TRUE, "qgt", nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, kTemplateFilter, this);
    if (dialog.DoModal() != IDOK || m_pGraph == nullptr)
        return;
    const CString path = dialog.GetPathName();
    // The template is read into a chart of its own first: a missing or bad file leaves the components
    // as they are.
    CFileStatus status;
    if (!CFile::GetStatus(path, status)) {
        AfxMessageBox(IDS_QVG_TEMPLATE_NOT_FOUND, MB_OK | MB_ICONSTOP);
        return;
    }
    CTemplateTrialChart trial;
    trial.ReadChartTemplate(path);
    if (trial.m_bFailed)
        return;
    m_pGraph->DeleteAllComponents();
    CObList* pRead = trial.GetComponentList();
    while (!pRead->IsEmpty())
        m_pGraph->AddComponent(static_cast<QVGraphComponent*>(pRead->RemoveHead()));
    m_pGraph->Refresh();
    BuildTree();
}

void QVGraphEditDialog::OnSaveComponents()
{
    CFileDialog dialog(FALSE, "qgt", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, kTemplateFilter, this);
    if (dialog.DoModal() != IDOK || m_pGraph == nullptr)
        return;
    try {
        m_pGraph->WriteChartTemplate(dialog.GetPathName());
    } catch (CException* e) {
        // A template that could not be written is reported, never dropped in silence.
        e->ReportError(MB_OK | MB_ICONEXCLAMATION);
        e->Delete();
    }
}

QVGraphComponent* QVGraphEditDialog::CreateComponent(int nChoice)
{
    switch (nChoice) {
    case 0: return new QVGraphBackground;
    case 1: return new QVGraphDisplay;
    case 2: return new QVGraphLegend;
    case 3: return new QVGraphTitle;
    case 4: return new QVGraphLabel;
    case 5: return new QVGraphLabelBlock;
    default: return CreateOtherComponent(nChoice);
    }
}

QVGraphComponent* QVGraphEditDialog::CreateOtherComponent(int)
{
    return nullptr;
}

void QVGraphEditDialog::OnAddComponent()
{
    QVGComponentChoice dialog(this);
    if (dialog.DoModal() != IDOK || m_pGraph == nullptr)
        return;
    QVGraphComponent* pComponent = CreateComponent(dialog.m_nChoice);
    if (pComponent == nullptr)
        return;
    m_pGraph->AddComponent(pComponent);
    BuildTree();
}

void QVGraphEditDialog::OnDeleteComponent()
{
    // A label of a label block is not in the chart's list and stays.
    POSITION pos = ClickedComponentPosition();
    if (pos == nullptr)
        return;
    CObList* pList = m_pGraph->GetComponentList();
    auto* pComponent = static_cast<QVGraphComponent*>(pList->GetAt(pos));
    pList->RemoveAt(pos);
    delete pComponent;
    BuildTree();
}

void QVGraphEditDialog::OnProperties()
{
    EditProperties(ClickedComponent());
}

void QVGraphEditDialog::OnBringToTop()
{
    MoveClickedComponent(ListMove::ToTop);
}

void QVGraphEditDialog::OnSendToBack()
{
    MoveClickedComponent(ListMove::ToBack);
}

void QVGraphEditDialog::OnForwardOne()
{
    MoveClickedComponent(ListMove::ForwardOne);
}

void QVGraphEditDialog::OnBackOne()
{
    MoveClickedComponent(ListMove::BackOne);
}

void QVGraphEditDialog::MoveClickedComponent(ListMove move)
{
    POSITION pos = ClickedComponentPosition();
    if (pos == nullptr)
        return;
    CObList* pList = m_pGraph->GetComponentList();
    POSITION neighbour = pos;
    if (move == ListMove::ForwardOne)
        pList->GetNext(neighbour);
    else if (move == ListMove::BackOne)
        pList->GetPrev(neighbour);
    if (neighbour == nullptr)
        return;   // the last is drawn last already, or the first first
    CObject* pComponent = pList->GetAt(pos);
    pList->RemoveAt(pos);
    switch (move) {
    case ListMove::ToTop: pList->AddTail(pComponent); break;
    case ListMove::ToBack: pList->AddHead(pComponent); break;
    case ListMove::ForwardOne: pList->InsertAfter(neighbour, pComponent); break;
    case ListMove::BackOne: pList->InsertBefore(neighbour, pComponent); break;
    }
    BuildTree();
}

void QVGraphEditDialog::OnAddAnnotation()
{
    HTREEITEM hItem = ClickedItem();
    const int nImage = ImageOf(hItem);
    void* pOwner = reinterpret_cast<void*>(m_tree.GetItemData(hItem));
    auto* pLabel = nImage == imageComponent ? dynamic_cast<QVGraphLabel*>(static_cast<QVGraphComponent*>(pOwner))
                                            : nullptr;
    if (pLabel == nullptr && nImage != imageGroup && nImage != imageItem)
        return;
    QVGraphAnnotationEdit dialog(this);
    dialog.m_strText.Empty();
    dialog.m_nCode = 1;
    if (dialog.DoModal() != IDOK)
        return;
    if (pLabel != nullptr)
        pLabel->SetAnnotation(dialog.m_nCode, dialog.m_strText);
    else if (nImage == imageGroup)
        static_cast<QVGraphDataList*>(pOwner)->SetAnnotation(dialog.m_nCode, dialog.m_strText);
    else
        static_cast<QVGraphData*>(pOwner)->SetAnnotation(dialog.m_nCode, dialog.m_strText);
    BuildTree();
}

void QVGraphEditDialog::OnAddText()
{
}

void QVGraphEditDialog::OnAddLabel()
{
}
