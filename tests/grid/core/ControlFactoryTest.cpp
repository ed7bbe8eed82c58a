#include "grid/core/ControlFactory.h"

#include "framework/win/Dc.h"
#include "framework/win/Gdi.h"
#include "grid/core/AppData.h"

#include "ControlTestSupport.h"

#include <gtest/gtest.h>

#include <memory>

TEST(CGXControlFactory, EveryIdWithoutAControlOfItsOwnGetsTheDefaultControl)
{
    RecordingGrid grid;
    CGXControlFactory factory;
    const UINT ids[] = {0, GX_IDS_CTRL_EDIT, GX_IDS_CTRL_STATIC, GX_IDS_CTRL_ARROWHEADER, GX_IDS_CTRL_ROWHEADER,
                        GX_IDS_CTRL_COLORWELL, 12345};
    for (UINT nId : ids)
    {
        std::unique_ptr<CGXControl> pControl(factory.CreateControl(nId, &grid));
        ASSERT_NE(pControl, nullptr) << nId;
        EXPECT_TRUE(pControl->IsKindOf(GRID_CONTROL_CLASSINFO(CGXControl))) << nId;
        EXPECT_EQ(pControl->Grid(), &grid);
    }
}

TEST(CGXControlFactory, ThePreviewControlNeedsAnOleBrowserGrid)
{
    RecordingGrid grid;
    CGXControlFactory factory;
    EXPECT_EQ(factory.CreateControl(GX_IDS_CTRL_OLEPREVIEW, &grid), nullptr);
}

TEST(CGXControlFactory, RegistersTheDisplayNamesOfTheStandardControls)
{
    CGXStylesMap stylesMap;
    CGXControlFactory factory;
    factory.RegisterAllControls(&stylesMap);
    CString name;
    ASSERT_TRUE(stylesMap.LookupControlName(GX_IDS_CTRL_EDIT, name));
    EXPECT_EQ(name, "Edit Control");
    ASSERT_TRUE(stylesMap.LookupControlName(GX_IDS_CTRL_CURRENCY, name));
    EXPECT_EQ(name, "Currency control");
    ASSERT_TRUE(stylesMap.LookupControlName(GX_IDS_CTRL_OLEPREVIEW, name));
    EXPECT_EQ(name, "Dao object preview control");
    // Named in the string table but not registered.
    EXPECT_FALSE(stylesMap.LookupControlName(GX_IDS_CTRL_ARROWHEADER, name));
    EXPECT_FALSE(stylesMap.LookupControlName(GX_IDS_CTRL_ROWHEADER, name));
    EXPECT_FALSE(stylesMap.LookupControlName(GX_IDS_CTRL_COLORWELL, name));
    // The bitmap control has no display name: it is left out rather than ending the registration.
    EXPECT_FALSE(stylesMap.LookupControlName(GX_IDS_CTRL_BROWSEARROWHEADER, name));
    EXPECT_EQ(stylesMap.GetControlNameMap().GetCount(), 36);
}

TEST(CGXControlFactory, RegistersTheUserAttributesTheControlsRead)
{
    CGXStylesMap stylesMap;
    CGXControlFactory factory;
    factory.RegisterAllUserAttributes(&stylesMap);
    const WORD ids[] = {GX_IDS_UA_VALID_MIN, GX_IDS_UA_VALID_MAX, GX_IDS_UA_VALID_MSG, GX_IDS_UA_RTLREADING,
                        GX_IDS_UA_TOOLTIPTEXT, GX_IDS_UA_ELLIPSISTYPE};
    for (WORD nId : ids)
        EXPECT_NE(stylesMap.LookupUserAttributeInfo(nId), nullptr) << nId;
    WORD nId = 0;
    ASSERT_TRUE(stylesMap.LookupUserAttributeId("Valid: Warning Msg", nId));
    EXPECT_EQ(nId, GX_IDS_UA_VALID_MSG);

    const CGXStylesMapUserAttributeInfo* pEllipsis = stylesMap.LookupUserAttributeInfo(GX_IDS_UA_ELLIPSISTYPE);
    ASSERT_NE(pEllipsis, nullptr);
    ASSERT_NE(pEllipsis->pStyle, nullptr);
    EXPECT_EQ(pEllipsis->pStyle->GetControl(), GX_IDS_CTRL_CBS_DROPDOWNLIST);
    EXPECT_EQ(pEllipsis->pStyle->GetChoiceList(), "No ellipse\nDotted....\nPound###");
    const CGXStylesMapUserAttributeInfo* pMaximum = stylesMap.LookupUserAttributeInfo(GX_IDS_UA_VALID_MAX);
    EXPECT_EQ(pMaximum->pStyle->GetControl(), GX_IDS_CTRL_SPINEDIT);
}

TEST(CGXControlFactory, RegistersAndUnregistersTheGridWindowClasses)
{
    CGXControlFactory factory;
    HINSTANCE hInstance = ::GetModuleHandleA(nullptr);
    factory.UnregisterWndClasses(hInstance);
    WNDCLASSA wndcls;
    EXPECT_FALSE(::GetClassInfoA(hInstance, "CGXTabWnd", &wndcls));
    factory.RegisterWndClasses(hInstance);
    EXPECT_TRUE(::GetClassInfoA(hInstance, "CGXGridWnd", &wndcls));
    EXPECT_TRUE(::GetClassInfoA(hInstance, "CGXTabBeam", &wndcls));
    EXPECT_TRUE(::GetClassInfoA(hInstance, "CGXTabWnd", &wndcls));
}

TEST(CGXGridCore, KeepsOneControlPerIdAndFallsBackToTheDefaultControl)
{
    RecordingGrid grid;
    CGXControl* pEdit = grid.GetRegisteredControl(GX_IDS_CTRL_EDIT);
    ASSERT_NE(pEdit, nullptr);
    EXPECT_EQ(grid.GetRegisteredControl(GX_IDS_CTRL_EDIT), pEdit);
    EXPECT_EQ(grid.GetRegisteredControl(0), pEdit);
    // An id the factory makes nothing for uses the default control.
    EXPECT_EQ(grid.GetRegisteredControl(GX_IDS_CTRL_OLEPREVIEW), pEdit);
    EXPECT_NE(grid.GetRegisteredControl(GX_IDS_CTRL_STATIC), pEdit);
}

TEST(CGXControlFactory, TheDefaultControlDrawsTheValueAsText)
{
    RecordingGrid grid;
    CGXStyle style;
    style.SetValue("WWW").SetTextColor(RGB(0, 0, 0));
    grid.StoreCell(1, 1, style);
    CGXControl* pControl = grid.GetRegisteredControl(0);
    ASSERT_NE(pControl, nullptr);

    WhiteCanvas canvas(60, 20);
    pControl->Draw(&canvas.dc, CRect(0, 0, 60, 20), 1, 1, grid.LookupStyleRowCol(1, 1), nullptr);
    EXPECT_GT(canvas.Count(RGB(0, 0, 0)), 10);
}

TEST(CGXControlFactory, StandardEntriesOfAStylesMapIncludeTheControlsAfterStartUp)
{
    GXStartLibrary();
    CGXStylesMap stylesMap;
    stylesMap.CreateStandardStyles();
    CString name;
    EXPECT_TRUE(stylesMap.LookupControlName(GX_IDS_CTRL_HEADER, name));
    EXPECT_EQ(name, "Header");
    EXPECT_NE(stylesMap.LookupUserAttributeInfo(GX_IDS_UA_VALID_MSG), nullptr);
    EXPECT_NE(stylesMap.LookupUserAttributeInfo(GX_IDS_UA_TOOLTIPTEXT), nullptr);
}
