// What the drawn cells need of the library: the factory makes each of them for its ids (the OLE
// object cell only on a browser grid), the styles map learns their user attributes, the start-up
// registers the window classes and the pop-up class, and the grid ignores the focus change of a
// pop-up that is opening.
#include "grid/controls/CheckBox.h"
#include "grid/controls/CheckListComboBox.h"
#include "grid/controls/ComboBox.h"
#include "grid/controls/ComboBoxWnd.h"
#include "grid/controls/ListBox.h"
#include "grid/controls/TabbedComboBox.h"
#include "grid/controls/TabbedComboBoxWnd.h"
#include "grid/controls/DaoBitmap.h"
#include "grid/controls/OlePreview.h"
#include "grid/controls/ProgressCtrl.h"
#include "grid/controls/Pushbutton.h"
#include "grid/controls/RadioButton.h"
#include "grid/core/AppData.h"
#include "grid/core/GridParam.h"

#include "DrawnCellTestGrid.h"

#include <gtest/gtest.h>

#include <memory>

TEST(DrawnCellsFactory, EveryIdMakesItsClass)
{
    BrowserGrid grid;
    ASSERT_TRUE(grid.Open());
    CGXControlFactory factory;
    const struct
    {
        UINT nId;
        const CGXControlClassInfo* pClass;
    } cases[] = {
        {52514, GRID_CONTROL_CLASSINFO(CGXPushbutton)},   {52515, GRID_CONTROL_CLASSINFO(CGXRadioButton)},
        {52524, GRID_CONTROL_CLASSINFO(CGXRadioButton)},  {20136, GRID_CONTROL_CLASSINFO(CGXRadioButtonEx)},
        {20137, GRID_CONTROL_CLASSINFO(CGXRadioButtonEx)}, {52516, GRID_CONTROL_CLASSINFO(CGXCheckBox)},
        {52523, GRID_CONTROL_CLASSINFO(CGXCheckBox)},     {20130, GRID_CONTROL_CLASSINFO(CGXCheckBoxEx)},
        {20131, GRID_CONTROL_CLASSINFO(CGXCheckBoxEx)},   {52536, GRID_CONTROL_CLASSINFO(CGXProgressCtrl)},
        {20128, GRID_CONTROL_CLASSINFO(CGXDaoBitmap)},    {20132, GRID_CONTROL_CLASSINFO(CGXOlePreview)},
    };
    for (const auto& c : cases)
    {
        std::unique_ptr<CGXControl> pControl(factory.CreateControl(c.nId, &grid));
        ASSERT_NE(pControl, nullptr) << c.nId;
        EXPECT_EQ(pControl->GetClassInfo(), c.pClass) << c.nId;
        EXPECT_EQ(pControl->Grid(), &grid);
    }
    // The "Ex" check box is a check box; the "Ex" radio group is no radio group of the other kind.
    std::unique_ptr<CGXControl> pCheckEx(factory.CreateControl(20130, &grid));
    EXPECT_TRUE(pCheckEx->IsKindOf(GRID_CONTROL_CLASSINFO(CGXCheckBox)));
    std::unique_ptr<CGXControl> pRadioEx(factory.CreateControl(20136, &grid));
    EXPECT_FALSE(pRadioEx->IsKindOf(GRID_CONTROL_CLASSINFO(CGXRadioButton)));
}

TEST(DrawnCellsFactory, TheStylesMapListsTheUserAttributesOfTheDrawnCells)
{
    GXStartLibrary();
    CGXStylesMap stylesMap;
    CGXControlFactory factory;
    factory.RegisterAllUserAttributes(&stylesMap);
    const struct
    {
        WORD nId;
        const char* pszName;
    } cases[] = {
        {51019, "Checkbox: Checked Value"},  {51020, "Checkbox: Unchecked Value"},
        {51025, "Progress: Lower Bound"},    {51026, "Progress: Upper Bound"},
        {51027, "Progress: Caption"},        {51057, "RadioButton: Alignment"},
        {52568, "RadioButton: Text Alignment"},
    };
    for (const auto& c : cases)
    {
        const CGXStylesMapUserAttributeInfo* pInfo = stylesMap.LookupUserAttributeInfo(c.nId);
        ASSERT_NE(pInfo, nullptr) << c.nId;
        EXPECT_EQ(pInfo->sName, c.pszName);
    }
    // The radio group's layout is chosen from a zero-based list.
    const CGXStylesMapUserAttributeInfo* pAlign = stylesMap.LookupUserAttributeInfo(51057);
    ASSERT_NE(pAlign->pStyle, nullptr);
    EXPECT_EQ(pAlign->pStyle->GetControl(), 52532);
    EXPECT_EQ(pAlign->pStyle->GetChoiceList(), "Vertical\nHorizontal");
}

TEST(DrawnCellsFactory, EveryComboAndListIdMakesItsClass)
{
    DrawnCellGrid grid;
    ASSERT_TRUE(grid.Open());
    CGXControlFactory factory;
    const struct
    {
        UINT nId;
        const CGXControlClassInfo* pClass;
    } cases[] = {
        {52517, GRID_CONTROL_CLASSINFO(CGXComboBox)},           {52525, GRID_CONTROL_CLASSINFO(CGXComboBox)},
        {52526, GRID_CONTROL_CLASSINFO(CGXComboBox)},           {52527, GRID_CONTROL_CLASSINFO(CGXComboBox)},
        {52531, GRID_CONTROL_CLASSINFO(CGXComboBox)},           {52532, GRID_CONTROL_CLASSINFO(CGXComboBox)},
        {52528, GRID_CONTROL_CLASSINFO(CGXComboBoxWnd)},        {52529, GRID_CONTROL_CLASSINFO(CGXComboBoxWnd)},
        {52522, GRID_CONTROL_CLASSINFO(CGXListBox)},            {52542, GRID_CONTROL_CLASSINFO(CGXCheckListComboBox)},
        {52541, GRID_CONTROL_CLASSINFO(CGXTabbedComboBox)},     {52539, GRID_CONTROL_CLASSINFO(CGXTabbedComboBoxWnd)},
        {52540, GRID_CONTROL_CLASSINFO(CGXTabbedComboBoxWnd)},
    };
    for (const auto& c : cases)
    {
        std::unique_ptr<CGXControl> pControl(factory.CreateControl(c.nId, &grid));
        ASSERT_NE(pControl, nullptr) << c.nId;
        EXPECT_EQ(pControl->GetClassInfo(), c.pClass) << c.nId;
    }
    // The Windows combos are created with their kind.
    for (const UINT nId : {52528u, 52529u, 52539u, 52540u})
    {
        std::unique_ptr<CGXControl> pControl(factory.CreateControl(nId, &grid));
        CGXComboBoxWnd* pCombo = dynamic_cast<CGXComboBoxWnd*>(pControl.get());
        ASSERT_NE(pCombo, nullptr);
        ASSERT_NE(pCombo->m_hWnd, nullptr) << nId;
        EXPECT_EQ(pCombo->IsDropDownList(), nId == 52529u || nId == 52540u) << nId;
        EXPECT_EQ(::GetDlgCtrlID(pCombo->m_hWnd), static_cast<int>(nId));
    }
}

TEST(DrawnCellsFactory, TheStylesMapListsTheTabbedComboAttributes)
{
    GXStartLibrary();
    CGXStylesMap stylesMap;
    CGXControlFactory factory;
    factory.RegisterAllUserAttributes(&stylesMap);
    const struct
    {
        WORD nId;
        const char* pszName;
        BOOL bCheckBox;
    } cases[] = {
        {51028, "TabList: Key Column", FALSE},           {51029, "TabList: Text Column", FALSE},
        {51030, "TabList: Show all columns", TRUE},      {51031, "TabList: Display Column Titles", TRUE},
        {51033, "TabList: Sort Columns", FALSE},         {51055, "TabList: Unique choicelist id", FALSE},
    };
    for (const auto& c : cases)
    {
        const CGXStylesMapUserAttributeInfo* pInfo = stylesMap.LookupUserAttributeInfo(c.nId);
        ASSERT_NE(pInfo, nullptr) << c.nId;
        EXPECT_EQ(pInfo->sName, c.pszName);
        const BOOL bEditor = pInfo->pStyle != nullptr && pInfo->pStyle->GetIncludeControl();
        EXPECT_EQ(bEditor, c.bCheckBox) << c.nId;
        if (c.bCheckBox && bEditor)
        {
            EXPECT_EQ(pInfo->pStyle->GetControl(), 52523);
            EXPECT_EQ(pInfo->pStyle->GetHorizontalAlignment(), static_cast<DWORD>(DT_CENTER));
            EXPECT_EQ(pInfo->pStyle->GetVerticalAlignment(), static_cast<DWORD>(DT_VCENTER));
        }
    }
    EXPECT_EQ(stylesMap.LookupUserAttributeInfo(51032), nullptr) << "the widths are read, not offered";
}

TEST(DrawnCellsServices, TheStartUpRegistersTheListAndComboClassesAndThePopupClass)
{
    GXStartLibrary();
    HINSTANCE hInstance = ::GetModuleHandleA(nullptr);
    WNDCLASSA copy;
    WNDCLASSA system;
    ASSERT_TRUE(::GetClassInfoA(hInstance, "GXCOMBOBOX", &copy));
    ASSERT_TRUE(::GetClassInfoA(nullptr, "combobox", &system));
    EXPECT_EQ(copy.lpfnWndProc, system.lpfnWndProc);
    EXPECT_NE(copy.style & CS_GLOBALCLASS, 0u);
    ASSERT_TRUE(::GetClassInfoA(hInstance, "GXLISTBOX", &copy));
    ASSERT_TRUE(::GetClassInfoA(nullptr, "listbox", &system));
    EXPECT_EQ(copy.lpfnWndProc, system.lpfnWndProc);

    const CGXAppData* pAppData = GXGetAppData();
    ASSERT_FALSE(pAppData->m_strPopupWndClass.IsEmpty());
    WNDCLASSA popup;
    ASSERT_TRUE(::GetClassInfoA(hInstance, pAppData->m_strPopupWndClass, &popup));
    EXPECT_EQ(popup.style, static_cast<UINT>(CS_SAVEBITS));
    EXPECT_EQ(popup.hCursor, nullptr);
    EXPECT_EQ(popup.hbrBackground, nullptr);
    EXPECT_EQ(popup.hIcon, nullptr);
    EXPECT_EQ(pAppData->m_lcidUser, ::GetUserDefaultLCID());
}

TEST(DrawnCellsServices, TheParameterObjectOwnsTheTabbedChoiceMaps)
{
    CGXGridParam param;
    EXPECT_EQ(param.m_nDropDownHeight, 100);
    EXPECT_EQ(param.m_nChoiceListGeneration, 0);
    auto pKeys = std::make_unique<CMapStringToString>();
    pKeys->SetAt("1", "1\tApples");
    param.m_tabbedKeyMaps[3] = std::move(pKeys);
    param.m_tabbedTextMaps[3] = std::make_unique<CMapStringToString>();
    param.DeleteTabbedChoiceMaps();
    EXPECT_TRUE(param.m_tabbedKeyMaps.empty());
    EXPECT_TRUE(param.m_tabbedTextMaps.empty());
    // Maps left in it go with the parameter object.
    param.m_tabbedKeyMaps[1] = std::make_unique<CMapStringToString>();
}

TEST(DrawnCellsServices, TheGridIgnoresTheFocusChangeOfAnOpeningPopup)
{
    DrawnCellGrid grid;
    ASSERT_TRUE(grid.Open());
    grid.SetText(1, 1, "old");
    grid.MoveCurrentCell(1, 1);
    CGXControl* pEdit = grid.GetCurrentCellControl();
    ASSERT_NE(pEdit, nullptr);
    pEdit->SetActive(TRUE);
    HWND hOther = ::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);

    GXSetPopupOpening(TRUE);
    EXPECT_TRUE(GXIsPopupOpening());
    ::SendMessageA(grid.m_hWnd, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hOther), 0);
    EXPECT_TRUE(pEdit->IsActive()) << "the opening pop-up takes the focus without ending the edit";
    GXSetPopupOpening(FALSE);

    ::SendMessageA(grid.m_hWnd, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hOther), 0);
    EXPECT_FALSE(pEdit->IsActive()) << "any other window's focus ends it";
    ::DestroyWindow(hOther);
}
