// The chart edit dialog on a small chart: the tree it builds, the pop-up menu of each kind of item, the
// ordering, adding and deleting of components, the template file it saves and loads (a missing or bad
// file leaving the components in place), and what double clicks edit, driven with the tree's own mouse
// messages and the modal hook.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "chart/model/ChartResourceIds.h"
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
#include "chart/ui/GraphEditDialog.h"
#include "chart/ui/GraphEditForms.h"
#include "framework/dialogs/FileDialog.h"
#include "framework/win/Menu.h"
#include "framework/win/SeamRecorders.h"
#include "framework/win/WinApp.h"
#include "tests/framework/WinTestSupport.h"

namespace {

std::string FreshPath(const char* name)
{
    char folder[MAX_PATH] = "";
    ::GetCurrentDirectoryA(sizeof folder, folder);
    const std::string path = std::string(folder) + "\\" + name;
    ::DeleteFileA(path.c_str());
    return path;
}

std::string FileText(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

void WriteFile(const std::string& path, const std::string& text)
{
    std::ofstream file(path, std::ios::binary);
    file << text;
}

class GraphEditDialogTest : public ::testing::Test
{
protected:
    CWinApp app{"ChartExplorer"};
    CRecordingMessageBox messageBox;
    CScopedMessageBoxSeam messageBoxSeam{&messageBox};
    CFunctionModalHook hook;
    CScopedModalHook hookSeam{&hook};
    QVGraph chart;
    QVGraphEditDialog dialog;
    QVGraphBackground* pBackground = nullptr;
    QVGraphTitle* pTitle = nullptr;
    QVGraphDisplay* pDisplay = nullptr;
    QVGraphLabel* pLabel = nullptr;
    QVGraphLabelBlock* pBlock = nullptr;
    // The sub-menu each pop-up showed (its items' ids), and the command the test then chooses.
    std::vector<std::vector<UINT>> menus;
    UINT nChoose = 0;
    // What the file dialogs answer (empty: Cancel).
    std::string filePath;

    void SetUp() override
    {
        ::SetCursorPos(1270, 1010);
        hook.onDialog = [](CWnd* pDialog) {
            ADD_FAILURE() << "an unexpected dialog";
            pDialog->SendMessage(WM_COMMAND, IDCANCEL);
        };
        hook.onPopupMenu = [this](CMenu* pMenu, UINT, CPoint, CWnd* pWnd, BOOL& nResult) -> BOOL {
            std::vector<UINT> ids;
            for (int n = 0; n < pMenu->GetMenuItemCount(); ++n)
                if (pMenu->GetMenuItemID(n) != 0)
                    ids.push_back(pMenu->GetMenuItemID(n));
            menus.push_back(ids);
            if (nChoose != 0)
                pWnd->PostMessage(WM_COMMAND, nChoose);
            nResult = TRUE;
            return TRUE;
        };
        hook.onCommonDialog = [this](CCommonDialog* pDialog, INT_PTR& nResult) -> BOOL {
            auto* pFile = dynamic_cast<CFileDialog*>(pDialog);
            if (pFile == nullptr)
                return FALSE;
            if (filePath.empty()) {
                nResult = IDCANCEL;
                return TRUE;
            }
            lstrcpynA(pFile->m_ofn.lpstrFile, filePath.c_str(), (int)pFile->m_ofn.nMaxFile);
            nResult = IDOK;
            return TRUE;
        };

        chart.SetManagerText("Gradation", 1);
        pBackground = new QVGraphBackground;
        chart.AddComponent(pBackground);
        pTitle = new QVGraphTitle;
        chart.AddComponent(pTitle);
        pDisplay = new QVGraphDisplay;
        chart.AddComponent(pDisplay);
        pLabel = new QVGraphLabel;
        pLabel->SetAnnotation(1, "Base");
        pLabel->SetAnnotation(2, "Subgrade");
        chart.AddComponent(pLabel);
        pBlock = new QVGraphLabelBlock;
        pBlock->AddTextLabel("first");
        pBlock->AddTextLabel("second");
        chart.AddComponent(pBlock);
        for (int g = 0; g < 2; ++g)
            for (int i = 0; i < 3; ++i)
                chart.SetValue(i, g, 10 * g + i + 0.5);

        dialog.m_pGraph = &chart;
        ASSERT_TRUE(dialog.Create(IDD_QVG_GRAPH_EDIT));
        dialog.ShowWindow(SW_SHOW);
        PumpPendingMessages();
    }
    void TearDown() override
    {
        dialog.DestroyWindow();
        PumpPendingMessages();
    }

    CTreeCtrl& Tree() { return dialog.GetTree(); }

    std::vector<QVGraphComponent*> Components()
    {
        std::vector<QVGraphComponent*> list;
        CObList* pList = chart.GetComponentList();
        for (POSITION pos = pList->GetHeadPosition(); pos != nullptr;)
            list.push_back(static_cast<QVGraphComponent*>(pList->GetNext(pos)));
        return list;
    }

    // The tree item whose data is the object, searched from the root.
    HTREEITEM ItemOf(const void* pObject, HTREEITEM hFrom = nullptr)
    {
        for (HTREEITEM h = hFrom != nullptr ? hFrom : Tree().GetRootItem(); h != nullptr; h = Tree().GetNextSiblingItem(h)) {
            if (reinterpret_cast<const void*>(Tree().GetItemData(h)) == pObject)
                return h;
            if (HTREEITEM hChild = Tree().GetChildItem(h))
                if (HTREEITEM hFound = ItemOf(pObject, hChild))
                    return hFound;
        }
        return nullptr;
    }

    std::vector<std::string> ChildTexts(HTREEITEM hParent)
    {
        std::vector<std::string> texts;
        for (HTREEITEM h = Tree().GetChildItem(hParent); h != nullptr; h = Tree().GetNextSiblingItem(h))
            texts.emplace_back(Tree().GetItemText(h));
        return texts;
    }

    CPoint PointOf(HTREEITEM hItem)
    {
        Tree().EnsureVisible(hItem);
        CRect rect;
        Tree().GetItemRect(hItem, &rect, TRUE);
        return rect.CenterPoint();
    }

    // A right click on the item, the command chosen from its menu (0: none).
    void RightClick(HTREEITEM hItem, UINT nCommand = 0)
    {
        nChoose = nCommand;
        const CPoint point = PointOf(hItem);
        Tree().SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y));
        Tree().PostMessage(WM_RBUTTONUP, 0, MAKELPARAM(point.x, point.y));
        Tree().SendMessage(WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(point.x, point.y));
        PumpPendingMessages();
        nChoose = 0;
    }

    void DoubleClick(HTREEITEM hItem)
    {
        const CPoint point = PointOf(hItem);
        Tree().PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
        Tree().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
        PumpPendingMessages();
        Tree().PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
        Tree().SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(point.x, point.y));
        PumpPendingMessages();
    }
};

TEST_F(GraphEditDialogTest, TheTreeShowsTheChartItsComponentsAndItsData)
{
    HTREEITEM hRoot = Tree().GetRootItem();
    EXPECT_EQ(std::string(Tree().GetItemText(hRoot)), "Gradation");
    int nImage = 0, nSelected = 0;
    Tree().GetItemImage(hRoot, nImage, nSelected);
    EXPECT_EQ(nImage, 1);
    EXPECT_EQ(nSelected, 0);
    EXPECT_EQ(ChildTexts(hRoot),
              (std::vector<std::string>{"Gradation [ 1]", "Components", "Data list", "Data list"}));
    EXPECT_EQ(ChildTexts(dialog.GetComponentsItem()),
              (std::vector<std::string>{"Background", "Title", "Display", "Label", "Label block"}));
    EXPECT_EQ(ChildTexts(ItemOf(pLabel)), (std::vector<std::string>{"Base [ 1]", "Subgrade [ 2]"}));
    EXPECT_EQ(ChildTexts(ItemOf(pBlock)), (std::vector<std::string>{"Label", "Label"}));
    EXPECT_EQ(ChildTexts(ItemOf(pBlock->GetLabel(0))), (std::vector<std::string>{"first [ 1]"}));

    QVGraphDataList* pGroup = chart.GetGroup(1, FALSE);
    HTREEITEM hGroup = ItemOf(pGroup);
    ASSERT_NE(hGroup, nullptr);
    EXPECT_EQ(ChildTexts(hGroup), (std::vector<std::string>{"Data item", "Data item", "Data item"}));
    HTREEITEM hItem = ItemOf(chart.FindItem(2, 1), hGroup);
    EXPECT_EQ(ChildTexts(hItem), (std::vector<std::string>{"Value [12.5]"}));
    Tree().GetItemImage(Tree().GetChildItem(hItem), nImage, nSelected);
    EXPECT_EQ(nImage, 13);
    EXPECT_EQ(nSelected, 12);
}

TEST_F(GraphEditDialogTest, EachKindOfItemShowsItsSubMenuOfMenu21556)
{
    const std::vector<UINT> components = {ID_QVG_LOAD_COMPONENTS, ID_QVG_SAVE_COMPONENTS, ID_QVG_ADD_COMPONENT};
    const struct
    {
        const char* name;
        std::function<HTREEITEM()> item;
        std::vector<UINT> first;   // the menu's first items; empty: no menu
    } cases[] = {
        {"components node", [&] { return dialog.GetComponentsItem(); }, components},
        {"display", [&] { return ItemOf(pDisplay); }, {ID_QVG_PROPERTIES, ID_QVG_DELETE_COMPONENT, ID_QVG_BRING_TO_TOP}},
        {"label", [&] { return ItemOf(pLabel); }, {ID_QVG_PROPERTIES, ID_QVG_DELETE_COMPONENT, ID_QVG_ADD_ANNOTATION,
                                                   ID_QVG_ADD_TEXT}},
        {"label block", [&] { return ItemOf(pBlock); }, {ID_QVG_PROPERTIES, ID_QVG_DELETE_COMPONENT,
                                                         ID_QVG_ADD_ANNOTATION, ID_QVG_ADD_LABEL}},
        {"data group", [&] { return ItemOf(chart.GetGroup(0, FALSE)); }, {ID_QVG_ADD_ANNOTATION}},
        {"chart", [&] { return Tree().GetRootItem(); }, {}},
        {"chart annotation", [&] { return Tree().GetChildItem(Tree().GetRootItem()); }, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        menus.clear();
        RightClick(c.item());
        if (c.first.empty()) {
            EXPECT_TRUE(menus.empty());
            continue;
        }
        ASSERT_EQ(menus.size(), 1u);
        ASSERT_GE(menus[0].size(), c.first.size());
        EXPECT_EQ(std::vector<UINT>(menus[0].begin(), menus[0].begin() + c.first.size()), c.first);
    }
}

TEST_F(GraphEditDialogTest, TheOrderingCommandsMoveTheClickedComponentAndStopAtTheEnds)
{
    using List = std::vector<QVGraphComponent*>;
    const struct
    {
        const char* name;
        int nClicked;   // its place in the list
        UINT nCommand;
        std::vector<int> order;   // the places of the old list, in the new order
    } cases[] = {
        {"Forward 1 on the last", 4, ID_QVG_FORWARD_ONE, {0, 1, 2, 3, 4}},
        {"Back 1 on the first", 0, ID_QVG_BACK_ONE, {0, 1, 2, 3, 4}},
        {"Forward 1", 1, ID_QVG_FORWARD_ONE, {0, 2, 1, 3, 4}},
        {"Back 1", 3, ID_QVG_BACK_ONE, {0, 1, 3, 2, 4}},
        {"Bring to top", 1, ID_QVG_BRING_TO_TOP, {0, 2, 3, 4, 1}},
        {"Send to back", 3, ID_QVG_SEND_TO_BACK, {3, 0, 1, 2, 4}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const List before = Components();
        RightClick(ItemOf(before[c.nClicked]), c.nCommand);
        List expected;
        for (int n : c.order)
            expected.push_back(before[n]);
        EXPECT_EQ(Components(), expected);
        // The tree follows the list.
        std::vector<std::string> names;
        for (QVGraphComponent* pComponent : expected) {
            CString name;
            name.LoadString(pComponent->GetTypeId());
            names.emplace_back(name);
        }
        EXPECT_EQ(ChildTexts(dialog.GetComponentsItem()), names);
        // Back to the fixture's order for the next case.
        CObList* pList = chart.GetComponentList();
        pList->RemoveAll();
        for (QVGraphComponent* pComponent : before)
            pList->AddTail(pComponent);
        dialog.BuildTree();
    }
}

TEST_F(GraphEditDialogTest, DeleteRemovesAComponentButNotALabelOfALabelBlock)
{
    RightClick(ItemOf(pBlock->GetLabel(1)), ID_QVG_DELETE_COMPONENT);
    EXPECT_EQ(Components().size(), 5u);
    EXPECT_EQ(pBlock->GetLabelCount(), 2);

    RightClick(ItemOf(pTitle), ID_QVG_DELETE_COMPONENT);
    EXPECT_EQ(Components(), (std::vector<QVGraphComponent*>{pBackground, pDisplay, pLabel, pBlock}));
    EXPECT_EQ(ItemOf(pTitle), nullptr);
}

TEST_F(GraphEditDialogTest, AddComponentMakesTheChosenKindAndAppendsIt)
{
    std::vector<std::string> entries;
    int nChoice = 2;
    hook.onDialog = [&](CWnd* pWnd) {
        auto* pChoice = dynamic_cast<QVGComponentChoice*>(pWnd);
        ASSERT_NE(pChoice, nullptr);
        CComboBox* pList = static_cast<CComboBox*>(pChoice->GetDlgItem(IDC_QVG_COMPONENT_LIST));
        entries.clear();
        for (int n = 0; n < pList->GetCount(); ++n) {
            CString text;
            pList->GetLBText(n, text);
            entries.emplace_back(text);
        }
        EXPECT_EQ(pList->GetCurSel(), 0);
        pList->SetCurSel(nChoice);
        pWnd->SendMessage(WM_COMMAND, nChoice >= 0 ? IDOK : IDCANCEL);
    };
    RightClick(dialog.GetComponentsItem(), ID_QVG_ADD_COMPONENT);
    EXPECT_EQ(entries, (std::vector<std::string>{"Background", "Data display", "Legend", "Title", "Label"}));
    ASSERT_EQ(Components().size(), 6u);
    EXPECT_NE(dynamic_cast<QVGraphLegend*>(Components().back()), nullptr);
    EXPECT_EQ(Components().back()->GetChart(), &chart);
    EXPECT_NE(ItemOf(Components().back()), nullptr);

    nChoice = -1;   // Cancel
    RightClick(dialog.GetComponentsItem(), ID_QVG_ADD_COMPONENT);
    EXPECT_EQ(Components().size(), 6u);
}

TEST_F(GraphEditDialogTest, TheOtherKindsOfTheChooserAreMadeByTheirHook)
{
    const struct
    {
        int nChoice;
        int nTypeId;
    } cases[] = {{0, IDS_QVG_BACKGROUND}, {1, IDS_QVG_DISPLAY}, {3, IDS_QVG_TITLE}, {4, IDS_QVG_LABEL},
                 {5, IDS_QVG_LABEL_BLOCK}};
    for (const auto& c : cases) {
        QVGraphComponent* pComponent = dialog.CreateComponent(c.nChoice);
        ASSERT_NE(pComponent, nullptr);
        EXPECT_EQ(pComponent->GetTypeId(), c.nTypeId);
        delete pComponent;
    }
    EXPECT_EQ(dialog.CreateComponent(6), nullptr);
}

TEST_F(GraphEditDialogTest, ASavedTemplateHasTheHeaderAndTheLiteralFooterAndLoadsBackKeepingTheData)
{
    filePath = FreshPath("explorer_components.qgt");
    RightClick(dialog.GetComponentsItem(), ID_QVG_SAVE_COMPONENTS);
    const std::string text = FileText(filePath);
    const std::string header = "//QVGraph template output system V1.0\n\n";
    const std::string footer = "// End of template/n/n";
    ASSERT_GE(text.size(), header.size() + footer.size());
    EXPECT_EQ(text.substr(0, header.size()), header);
    EXPECT_EQ(text.substr(text.size() - footer.size()), footer);
    EXPECT_NE(text.find("background "), std::string::npos);
    EXPECT_NE(text.find("data "), std::string::npos);

    // Another chart's components give way to the file's; the data stays.
    chart.DeleteAllComponents();
    chart.AddComponent(new QVGraphLegend);
    dialog.BuildTree();
    RightClick(dialog.GetComponentsItem(), ID_QVG_LOAD_COMPONENTS);
    const std::vector<QVGraphComponent*> loaded = Components();
    ASSERT_GE(loaded.size(), 3u);
    EXPECT_EQ(loaded[0]->GetTypeId(), IDS_QVG_BACKGROUND);
    EXPECT_EQ(loaded[1]->GetTypeId(), IDS_QVG_TITLE);
    EXPECT_EQ(loaded[2]->GetTypeId(), IDS_QVG_DISPLAY);
    for (QVGraphComponent* pComponent : loaded)
        EXPECT_EQ(pComponent->GetChart(), &chart);
    EXPECT_EQ(chart.GetGroupCount(), 2);
    EXPECT_EQ(chart.GetItemValue(2, 1), 12.5);
    EXPECT_EQ(ChildTexts(dialog.GetComponentsItem()).size(), loaded.size());
    EXPECT_TRUE(messageBox.calls.empty());
}

TEST_F(GraphEditDialogTest, AMissingOrBadTemplateLeavesEveryComponentInPlaceAndSaysSo)
{
    const struct
    {
        const char* name;
        std::string contents;   // empty: no file
        std::string message;
    } cases[] = {
        {"missing file", "", "QVGraph template not found"},
        {"unknown command", "background 0 0 100 100 0 0 0 0\nrect 1 2 3\n", "Syntax error in..>rect 1 2 3"},
        {"bad fill type", "title 0 0 10 10 0 0 6 0 0 0 0 \"Arial\" 10 0 2\n", "Syntax error in..>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        messageBox.calls.clear();
        filePath = FreshPath("explorer_bad.qgt");
        if (!c.contents.empty())
            WriteFile(filePath, c.contents);
        const std::vector<QVGraphComponent*> before = Components();
        RightClick(dialog.GetComponentsItem(), ID_QVG_LOAD_COMPONENTS);
        EXPECT_EQ(Components(), before);
        ASSERT_FALSE(messageBox.calls.empty());
        EXPECT_EQ(messageBox.calls.back().text.substr(0, c.message.size()), c.message);
    }
}

TEST_F(GraphEditDialogTest, AnAnnotationCodeOf100KeepsTheEditorOpen)
{
    HTREEITEM hAnnotation = Tree().GetChildItem(ItemOf(pLabel));   // "Base [ 1]"
    std::vector<std::string> seen;
    int nTries = 0;
    bool bOpenAfter100 = false;
    hook.onDialog = [&](CWnd* pWnd) {
        auto* pEditor = dynamic_cast<QVGraphAnnotationEdit*>(pWnd);
        ASSERT_NE(pEditor, nullptr);
        seen.push_back(ItemText(pWnd->m_hWnd, IDC_QVG_ANNOTATION_TEXT) + "|" +
                       ItemText(pWnd->m_hWnd, IDC_QVG_ANNOTATION_CODE));
        ::SetDlgItemTextA(pWnd->m_hWnd, IDC_QVG_ANNOTATION_TEXT, "Base course");
        ::SetDlgItemTextA(pWnd->m_hWnd, IDC_QVG_ANNOTATION_CODE, "100");
        pWnd->SendMessage(WM_COMMAND, IDOK);
        ++nTries;
        bOpenAfter100 = ::IsWindow(pWnd->m_hWnd) && ::IsWindowVisible(pWnd->m_hWnd);
        ::SetDlgItemTextA(pWnd->m_hWnd, IDC_QVG_ANNOTATION_CODE, "3");
        pWnd->SendMessage(WM_COMMAND, IDOK);
    };
    DoubleClick(hAnnotation);
    EXPECT_EQ(seen, (std::vector<std::string>{"Base|1"}));
    EXPECT_TRUE(bOpenAfter100);
    ASSERT_EQ(messageBox.calls.size(), 1u);
    EXPECT_EQ(std::string(pLabel->GetAnnotations().GetText(3)), "Base course");
    EXPECT_EQ(ChildTexts(ItemOf(pLabel)), (std::vector<std::string>{"Base [ 1]", "Subgrade [ 2]", "Base course [ 3]"}));
}

TEST_F(GraphEditDialogTest, AddAnnotationGivesADataItemANewAnnotation)
{
    QVGraphData* pItem = chart.FindItem(1, 0);
    Tree().Expand(ItemOf(chart.GetGroup(0, FALSE)), TVE_EXPAND);
    hook.onDialog = [&](CWnd* pWnd) {
        EXPECT_EQ(ItemText(pWnd->m_hWnd, IDC_QVG_ANNOTATION_TEXT), "");
        EXPECT_EQ(ItemText(pWnd->m_hWnd, IDC_QVG_ANNOTATION_CODE), "1");
        ::SetDlgItemTextA(pWnd->m_hWnd, IDC_QVG_ANNOTATION_TEXT, "sieve 200");
        ::SetDlgItemTextA(pWnd->m_hWnd, IDC_QVG_ANNOTATION_CODE, "4");
        pWnd->SendMessage(WM_COMMAND, IDOK);
    };
    RightClick(ItemOf(pItem), ID_QVG_ADD_ANNOTATION);
    EXPECT_EQ(std::string(pItem->GetAnnotationText(4)), "sieve 200");
}

TEST_F(GraphEditDialogTest, DoubleClicksEditTheValueTheChartsFlagsAndADataStyle)
{
    // A value: "Editing Data Value" with the value, then the new value in the item and the tree.
    QVGraphData* pItem = chart.FindItem(0, 1);
    HTREEITEM hValue = Tree().GetChildItem(ItemOf(pItem));
    hook.onDialog = [&](CWnd* pWnd) {
        ASSERT_NE(dynamic_cast<QVGraphValueEdit*>(pWnd), nullptr);
        EXPECT_EQ(ItemText(pWnd->m_hWnd, IDC_QVG_DATA_VALUE), "10.5");
        ::SetDlgItemTextA(pWnd->m_hWnd, IDC_QVG_DATA_VALUE, "42.25");
        pWnd->SendMessage(WM_COMMAND, IDOK);
    };
    DoubleClick(hValue);
    EXPECT_EQ(pItem->GetValue(), 42.25);
    EXPECT_EQ(std::string(Tree().GetItemText(hValue)), "Value [42.25]");

    // The chart: its drawing in the background and its feedback logging.
    chart.SetDoubleBuffering(TRUE);
    chart.SetFeedbackEnabled(TRUE);
    hook.onDialog = [&](CWnd* pWnd) {
        ASSERT_NE(dynamic_cast<QVGraphItemEdit*>(pWnd), nullptr);
        EXPECT_EQ(::IsDlgButtonChecked(pWnd->m_hWnd, IDC_QVG_DRAW_IN_BACKGROUND), (UINT)BST_CHECKED);
        ::CheckDlgButton(pWnd->m_hWnd, IDC_QVG_FEEDBACK_LOGGING, BST_UNCHECKED);
        pWnd->SendMessage(WM_COMMAND, IDOK);
    };
    DoubleClick(Tree().GetRootItem());
    EXPECT_TRUE(chart.GetDoubleBuffering());
    EXPECT_FALSE(chart.GetFeedbackEnabled());

    // A data group: the style editor with the object style and interior pages.
    QVGraphDataList* pGroup = chart.GetGroup(1, FALSE);
    int nPages = 0;
    hook.onDialog = [&](CWnd* pWnd) {
        auto* pSheet = dynamic_cast<QVGraphComponentProperties*>(pWnd);
        ASSERT_NE(pSheet, nullptr);
        nPages = pSheet->GetPageCount();
        pSheet->SetActivePage(&pSheet->m_object);
        ::SendDlgItemMessageA(pSheet->m_object.m_hWnd, IDC_QVG_OBJECT, CB_SETCURSEL, 6, 0);   // 3D Bar
        pSheet->PressButton(PSBTN_OK);
    };
    DoubleClick(ItemOf(pGroup));
    EXPECT_EQ(nPages, 2);
    EXPECT_EQ(pGroup->GetStyle()->GetShapeType(), 6);
}

TEST_F(GraphEditDialogTest, PropertiesEditsTheClickedComponentAndCancelLeavesIt)
{
    pTitle->SetFont(-12, 0, "Arial");
    for (const bool bOk : {false, true}) {
        SCOPED_TRACE(bOk ? "OK" : "Cancel");
        int nFontPages = 0;
        hook.onDialog = [&](CWnd* pWnd) {
            auto* pSheet = dynamic_cast<QVGraphComponentProperties*>(pWnd);
            ASSERT_NE(pSheet, nullptr);
            nFontPages = pSheet->GetPageIndex(&pSheet->m_font) >= 0 ? 1 : 0;
            pSheet->SetActivePage(&pSheet->m_font);
            ::SetDlgItemTextA(pSheet->m_font.m_hWnd, IDC_QVG_FONT_SIZE, "20");
            if (bOk)
                pSheet->PressButton(PSBTN_OK);
            else
                ::PostMessageA(pSheet->m_hWnd, WM_COMMAND, IDCANCEL, 0);
        };
        RightClick(ItemOf(pTitle), ID_QVG_PROPERTIES);
        EXPECT_EQ(nFontPages, 1);
        EXPECT_EQ(pTitle->GetStoredFontSize(), bOk ? -20 : -12);
    }
}

} // namespace
