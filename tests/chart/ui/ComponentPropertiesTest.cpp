// The component style editors: which pages each kind of object gets, the values between the pages and
// the component or data style (the conversions of lists, checks, sizes and justification), the pages'
// validation, and their colour, font and file commands, driven through the modal hook.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <functional>
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
#include "chart/model/TextPanel.h"
#include "chart/ui/ChartEditIds.h"
#include "chart/ui/ComponentProperties.h"
#include "framework/dialogs/ColorDialog.h"
#include "framework/dialogs/FileDialog.h"
#include "framework/dialogs/FontDialog.h"
#include "framework/win/Dc.h"
#include "framework/win/SeamRecorders.h"
#include "framework/win/WinApp.h"
#include "tests/framework/WinTestSupport.h"

namespace {

std::string ComboText(HWND hPage, int nID)
{
    const int nSel = (int)::SendDlgItemMessageA(hPage, nID, CB_GETCURSEL, 0, 0);
    if (nSel < 0)
        return "";
    char text[256] = "";
    ::SendDlgItemMessageA(hPage, nID, CB_GETLBTEXT, nSel, (LPARAM)text);
    return text;
}

std::vector<std::string> ComboEntries(HWND hPage, int nID)
{
    std::vector<std::string> entries;
    const int nCount = (int)::SendDlgItemMessageA(hPage, nID, CB_GETCOUNT, 0, 0);
    for (int n = 0; n < nCount; ++n) {
        char text[256] = "";
        ::SendDlgItemMessageA(hPage, nID, CB_GETLBTEXT, n, (LPARAM)text);
        entries.emplace_back(text);
    }
    return entries;
}

bool Checked(HWND hPage, int nID)
{
    return ::IsDlgButtonChecked(hPage, nID) == BST_CHECKED;
}

void Click(HWND hPage, int nID)
{
    ::SendMessageA(::GetDlgItem(hPage, nID), BM_CLICK, 0, 0);
}

class ComponentPropertiesTest : public ::testing::Test
{
protected:
    CWinApp app{"StyleEditors"};
    CRecordingMessageBox messageBox;
    CScopedMessageBoxSeam messageBoxSeam{&messageBox};
    CFunctionModalHook hook;
    CScopedModalHook hookSeam{&hook};
    QVGraph chart;

    // Runs the sheet; drive sees it with its window and says how it ends (IDOK, IDCANCEL) after acting.
    INT_PTR Run(QVGraphComponentProperties& sheet, const std::function<int(QVGraphComponentProperties&)>& drive)
    {
        hook.onDialog = [&](CWnd*) {
            const int nEnd = drive(sheet);
            if (nEnd == IDOK)
                sheet.PressButton(PSBTN_OK);
            // An OK that a page refused leaves the sheet open: Cancel then.
            if (nEnd == IDCANCEL || ::IsWindow(sheet.m_hWnd))
                ::PostMessageA(sheet.m_hWnd, WM_COMMAND, IDCANCEL, 0);
        };
        return sheet.DoModal();
    }

    // The page's window, made active first.
    HWND Page(QVGraphComponentProperties& sheet, CPropertyPage& page)
    {
        sheet.SetActivePage(&page);
        return page.m_hWnd;
    }
};

TEST_F(ComponentPropertiesTest, EachKindGetsItsPagesInOrder)
{
    using Pages = std::vector<CPropertyPage*>;
    struct Case
    {
        const char* name;
        int nKind;
        BOOL bWithFont;
        std::function<Pages(QVGraphComponentProperties&)> expected;
    };
    auto common = [](QVGraphComponentProperties& s) {
        return Pages{&s.m_typeAndPos, &s.m_fill, &s.m_border, &s.m_shadow};
    };
    const std::vector<Case> cases = {
        {"background", IDS_QVG_BACKGROUND, FALSE, common},
        {"text panel", IDS_QVG_TEXT_PANEL, FALSE, common},
        {"title", IDS_QVG_TITLE, TRUE, [common](auto& s) { Pages p = common(s); p.push_back(&s.m_font); return p; }},
        {"display", IDS_QVG_DISPLAY, TRUE,
         [common](auto& s) { Pages p = common(s); p.push_back(&s.m_display); p.push_back(&s.m_font); return p; }},
        {"legend", IDS_QVG_LEGEND, TRUE,
         [common](auto& s) { Pages p = common(s); p.push_back(&s.m_legend); p.push_back(&s.m_font); return p; }},
        {"label in a block", IDS_QVG_LABEL, FALSE,
         [common](auto& s) { Pages p = common(s); p.push_back(&s.m_label); return p; }},
        {"label block", IDS_QVG_LABEL_BLOCK, TRUE,
         [common](auto& s) { Pages p = common(s); p.push_back(&s.m_labelBlock); p.push_back(&s.m_font); return p; }},
        {"data item", IDS_QVG_DATA_ITEM, FALSE, [](auto& s) { return Pages{&s.m_object, &s.m_interior}; }},
        {"data group with its font", IDS_QVG_DATA_LIST, TRUE,
         [](auto& s) { return Pages{&s.m_object, &s.m_interior, &s.m_font}; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QVGraphComponentProperties sheet(nullptr, c.bWithFont, c.nKind);
        Pages pages;
        for (int n = 0; n < sheet.GetPageCount(); ++n)
            pages.push_back(sheet.GetPage(n));
        EXPECT_EQ(pages, c.expected(sheet));
    }
}

TEST_F(ComponentPropertiesTest, TheFontIsEditedForTextComponentsButNotForALabelThatTakesItsBlocksFont)
{
    QVGraphDisplay display;
    QVGraphTitle title;
    QVGraphLegend legend;
    QVGraphLabelBlock block;
    QVGraphLabel freeLabel;
    QVGraphBackground background;
    QVGTextPanel panel;
    auto* pOwnStyle = new QVGraphLabel;
    auto* pBlockStyle = new QVGraphLabel;
    block.AddLabel(pOwnStyle, TRUE);
    block.AddLabel(pBlockStyle, FALSE);
    const struct
    {
        const char* name;
        QVGraphComponent* pComponent;
        BOOL bFont;
    } cases[] = {
        {"display", &display, TRUE},          {"title", &title, TRUE},
        {"legend", &legend, TRUE},            {"label block", &block, TRUE},
        {"label of its own", &freeLabel, TRUE}, {"label with its own style in a block", pOwnStyle, TRUE},
        {"label in a block", pBlockStyle, FALSE}, {"background", &background, FALSE},
        {"text panel", &panel, FALSE},
    };
    for (const auto& c : cases)
        EXPECT_EQ(QVGraphComponentProperties::TakesFontPage(c.pComponent), c.bFont) << c.name;
}

TEST_F(ComponentPropertiesTest, TheDisplayPagesListsHoldTheLibrarysNamesInValueOrder)
{
    QVGraphComponentProperties sheet(nullptr, FALSE, IDS_QVG_DISPLAY);
    std::vector<std::string> graphs, axes, labels;
    Run(sheet, [&](QVGraphComponentProperties& s) {
        HWND hPage = Page(s, s.m_display);
        graphs = ComboEntries(hPage, IDC_QVG_GRAPH_STYLE);
        axes = ComboEntries(hPage, IDC_QVG_AXIS_STYLE);
        labels = ComboEntries(hPage, IDC_QVG_LABEL_STYLE);
        return IDCANCEL;
    });
    ASSERT_EQ(graphs.size(), 47u);
    EXPECT_EQ(graphs[9], "3D bar chart \"Manhattan\"");
    EXPECT_EQ(graphs[29], "Hi-Lo-Open-Close");
    EXPECT_EQ(graphs[36], "Step-LineOnly");
    EXPECT_EQ(graphs[46], "Shaded Candle");
    ASSERT_EQ(axes.size(), 26u);
    EXPECT_EQ(axes[1], "Automatic axis selection");
    EXPECT_EQ(axes[25], "Gantt chart with date scale");
    ASSERT_EQ(labels.size(), 13u);
    EXPECT_EQ(labels[12], "Move Labels (Label Block Style)");
}

TEST_F(ComponentPropertiesTest, ADisplaysStyleGoesToThePageAndComesBack)
{
    auto* pDisplay = new QVGraphDisplay;
    chart.AddComponent(pDisplay);
    pDisplay->SetGraphType(21);
    pDisplay->SetAxisStyle(15);
    pDisplay->SetDataRange(2, 9, 0, 1);
    QVGraphStyle* pStyle = pDisplay->GetStyle();
    pStyle->m_nOptions = 0;
    pStyle->SetOption(16, TRUE);   // no X grid lines

    QVGraphComponentProperties sheet(nullptr, FALSE, IDS_QVG_DISPLAY);
    sheet.LoadComponent(pDisplay);
    std::string graph, axis;
    std::vector<bool> checks;
    std::string firstIndex;
    const INT_PTR nResult = Run(sheet, [&](QVGraphComponentProperties& s) {
        HWND hPage = Page(s, s.m_display);
        graph = ComboText(hPage, IDC_QVG_GRAPH_STYLE);
        axis = ComboText(hPage, IDC_QVG_AXIS_STYLE);
        for (int n = 0; n < QVGCDisplayStyle::checkCount; ++n)
            checks.push_back(Checked(hPage, IDC_QVG_LOG_SCALE + n));
        firstIndex = ItemText(hPage, IDC_QVG_FIRST_INDEX);
        // Step-LineOnly, log scale on, zero no longer shown, grid on top.
        ::SendDlgItemMessageA(hPage, IDC_QVG_GRAPH_STYLE, CB_SETCURSEL, 36, 0);
        Click(hPage, IDC_QVG_LOG_SCALE);
        Click(hPage, IDC_QVG_SHOW_ZERO);
        Click(hPage, IDC_QVG_GRID_ON_TOP);
        ::SetDlgItemTextA(hPage, IDC_QVG_LAST_GROUP, "3");
        return IDOK;
    });
    ASSERT_EQ(nResult, IDOK);
    EXPECT_EQ(graph, "Scatter graph (groups)");
    EXPECT_EQ(axis, "Scatter graph");
    EXPECT_EQ(firstIndex, "2");
    // Log scale and grid on top are checked when their bits are set; the eight others when clear.
    EXPECT_EQ(checks, (std::vector<bool>{false, true, true, true, true, false, true, true, true, false}));

    sheet.ApplyComponent(pDisplay);
    EXPECT_EQ(pDisplay->GetGraphType(), 36);
    EXPECT_EQ(pDisplay->GetAxisStyle(), 15);
    EXPECT_TRUE(pStyle->IsLogScale());
    EXPECT_TRUE(pStyle->GetOption(13));   // "Always Show Zero" unchecked
    EXPECT_TRUE(pStyle->GetOption(8));
    EXPECT_TRUE(pStyle->GetOption(16));
    EXPECT_FALSE(pStyle->GetOption(12));
    int nMinIndex = 0, nMaxIndex = 0, nMinGroup = 0, nMaxGroup = 0;
    pDisplay->GetDataRange(nMinIndex, nMaxIndex, nMinGroup, nMaxGroup);
    EXPECT_EQ(nMinIndex, 2);
    EXPECT_EQ(nMaxIndex, 9);
    EXPECT_EQ(nMinGroup, 0);
    EXPECT_EQ(nMaxGroup, 3);
}

TEST_F(ComponentPropertiesTest, AlwaysShowZeroIsCheckedWhenOptionBit13IsClear)
{
    for (const bool bBit : {false, true}) {
        SCOPED_TRACE(bBit ? "bit set" : "bit clear");
        QVGraphDisplay display;
        display.GetStyle()->SetOption(13, bBit);
        QVGraphComponentProperties sheet(nullptr, FALSE, IDS_QVG_DISPLAY);
        sheet.LoadComponent(&display);
        bool bChecked = false;
        Run(sheet, [&](QVGraphComponentProperties& s) {
            bChecked = Checked(Page(s, s.m_display), IDC_QVG_SHOW_ZERO);
            return IDOK;
        });
        EXPECT_EQ(bChecked, !bBit);
        sheet.ApplyComponent(&display);
        EXPECT_EQ(display.GetStyle()->GetOption(13) != 0, bBit);
    }
}

TEST_F(ComponentPropertiesTest, AFontSizeInPixelsShowsItsAbsoluteValueAndIsStoredNegativeAgain)
{
    const struct
    {
        int nStored;
        const char* shown;
        bool bPixels;
    } cases[] = {{-12, "12", true}, {14, "14", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nStored);
        QVGraphTitle title;
        title.SetFont(c.nStored, QVGraphTitle::fontItalic | QVGraphTitle::fontSunken, "Courier New");
        QVGraphComponentProperties sheet(nullptr, TRUE, IDS_QVG_TITLE);
        sheet.LoadComponent(&title);
        std::string size, face;
        bool bPixels = false, bItalic = false;
        Run(sheet, [&](QVGraphComponentProperties& s) {
            HWND hPage = Page(s, s.m_font);
            size = ItemText(hPage, IDC_QVG_FONT_SIZE);
            face = ItemText(hPage, IDC_QVG_FONT_FACE);
            bPixels = Checked(hPage, IDC_QVG_FONT_PIXELS);
            bItalic = Checked(hPage, IDC_QVG_FONT_ITALIC);
            Click(hPage, IDC_QVG_FONT_BOLD);
            return IDOK;
        });
        EXPECT_EQ(size, c.shown);
        EXPECT_EQ(face, "Courier New");
        EXPECT_EQ(bPixels, c.bPixels);
        EXPECT_TRUE(bItalic);
        sheet.ApplyComponent(&title);
        EXPECT_EQ(title.GetStoredFontSize(), c.nStored);
        // Bold is added; the sunken effect, which the page does not show, stays.
        EXPECT_EQ(title.GetFontStyle(), QVGraphTitle::fontBold | QVGraphTitle::fontItalic | QVGraphTitle::fontSunken);
    }
}

TEST_F(ComponentPropertiesTest, TheJustificationRadiosNameTheTitlesAlignment)
{
    const struct
    {
        int nAlignment;
        int nRadio;
    } cases[] = {
        {QVGraphTitle::alignLeft, IDC_QVG_JUSTIFY_LEFT},
        {QVGraphTitle::alignRight, IDC_QVG_JUSTIFY_RIGHT},
        {QVGraphTitle::alignCentre, IDC_QVG_JUSTIFY_CENTER},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nAlignment);
        QVGraphTitle title;
        title.SetAlignment(c.nAlignment);
        QVGraphComponentProperties sheet(nullptr, TRUE, IDS_QVG_TITLE);
        sheet.LoadComponent(&title);
        bool bChecked = false;
        Run(sheet, [&](QVGraphComponentProperties& s) {
            HWND hPage = Page(s, s.m_font);
            bChecked = Checked(hPage, c.nRadio);
            // Then the user picks the next place round.
            Click(hPage, c.nRadio == IDC_QVG_JUSTIFY_CENTER ? IDC_QVG_JUSTIFY_RIGHT : c.nRadio + 1);
            return IDOK;
        });
        EXPECT_TRUE(bChecked);
        sheet.ApplyComponent(&title);
        const int expected = c.nRadio == IDC_QVG_JUSTIFY_RIGHT  ? QVGraphTitle::alignLeft
                             : c.nRadio == IDC_QVG_JUSTIFY_LEFT ? QVGraphTitle::alignCentre
                                                                : QVGraphTitle::alignRight;
        EXPECT_EQ(title.GetAlignment(), expected);
    }
}

TEST_F(ComponentPropertiesTest, TheFontButtonTakesTheChosenFontInPoints)
{
    QVGraphTitle title;
    title.SetFont(-20, 0, "Arial");
    QVGraphComponentProperties sheet(nullptr, TRUE, IDS_QVG_TITLE);
    sheet.LoadComponent(&title);
    std::string seenFace;
    hook.onCommonDialog = [&](CCommonDialog* pDialog, INT_PTR& nResult) -> BOOL {
        auto* pFont = dynamic_cast<CFontDialog*>(pDialog);
        if (pFont == nullptr)
            return FALSE;
        EXPECT_EQ(pFont->m_cf.Flags & (CF_SCREENFONTS | CF_EFFECTS), (DWORD)(CF_SCREENFONTS | CF_EFFECTS));
        seenFace = pFont->m_lf.lfFaceName;
        lstrcpynA(pFont->m_lf.lfFaceName, "Times New Roman", LF_FACESIZE);
        pFont->m_lf.lfWeight = FW_BOLD;
        pFont->m_lf.lfItalic = 0;
        pFont->m_lf.lfUnderline = 1;
        pFont->m_cf.iPointSize = 180;
        pFont->m_cf.rgbColors = RGB(0, 0, 255);
        nResult = IDOK;
        return TRUE;
    };
    Run(sheet, [&](QVGraphComponentProperties& s) {
        Click(Page(s, s.m_font), IDC_QVG_FONT_CHOOSE);
        return IDOK;
    });
    EXPECT_EQ(seenFace, "Arial");
    sheet.ApplyComponent(&title);
    EXPECT_EQ(title.GetFaceName(), "Times New Roman");
    EXPECT_EQ(title.GetStoredFontSize(), 18);
    EXPECT_EQ(title.GetFontStyle(), QVGraphTitle::fontBold | QVGraphTitle::fontUnderline);
    EXPECT_EQ(title.GetTextColor(), RGB(0, 0, 255));
}

TEST_F(ComponentPropertiesTest, AViewAngleOutside0To360OrAFrameWidthOutside1To10IsRefused)
{
    const struct
    {
        const char* name;
        int nKind;
        int nControl;
        const char* value;
    } cases[] = {
        {"view angle X 400", IDS_QVG_TITLE, IDC_QVG_VIEW_X, "400"},
        {"view angle Z -1", IDS_QVG_TITLE, IDC_QVG_VIEW_Z, "-1"},
        {"frame width 11", IDS_QVG_DATA_ITEM, IDC_QVG_FRAME_WIDTH, "11"},
        {"frame width 0", IDS_QVG_DATA_ITEM, IDC_QVG_FRAME_WIDTH, "0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        messageBox.calls.clear();
        QVGraphComponentProperties sheet(nullptr, FALSE, c.nKind);
        bool bStillOpen = false;
        const INT_PTR nResult = Run(sheet, [&](QVGraphComponentProperties& s) {
            CPropertyPage& page = c.nKind == IDS_QVG_DATA_ITEM ? static_cast<CPropertyPage&>(s.m_object)
                                                               : static_cast<CPropertyPage&>(s.m_typeAndPos);
            ::SetDlgItemTextA(Page(s, page), c.nControl, c.value);
            s.PressButton(PSBTN_OK);
            bStillOpen = ::SendMessageA(s.m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0) != 0;
            return IDCANCEL;
        });
        EXPECT_TRUE(bStillOpen);
        EXPECT_EQ(nResult, IDCANCEL);
        ASSERT_EQ(messageBox.calls.size(), 1u);
        EXPECT_NE(messageBox.calls[0].text.find("between"), std::string::npos) << messageBox.calls[0].text;
    }
}

TEST_F(ComponentPropertiesTest, AnObjectStyleOf7To9ShowsAsNoneAndIsStoredAs0)
{
    const struct
    {
        int nShape;
        const char* shown;
        int nStored;
    } cases[] = {
        {7, "None", 0}, {8, "None", 0}, {9, "None", 0}, {3, "Point with wiget", 3}, {10, "Polygon Bar", 10},
        {11, "3D Line", 11},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nShape);
        QVGraphData item;
        item.GetStyle()->SetShapeType(c.nShape);
        QVGraphComponentProperties sheet(nullptr, FALSE, IDS_QVG_DATA_ITEM);
        sheet.LoadDataStyle(*item.GetStyle());
        std::string shown;
        Run(sheet, [&](QVGraphComponentProperties& s) {
            shown = ComboText(Page(s, s.m_object), IDC_QVG_OBJECT);
            return IDOK;
        });
        EXPECT_EQ(shown, c.shown);
        sheet.ApplyDataStyle(*item.GetStyle(), nullptr);
        EXPECT_EQ(item.GetStyle()->GetShapeType(), c.nStored);
    }
}

TEST_F(ComponentPropertiesTest, FrameAndInteriorListsConvertByTheirTablesBothWays)
{
    const struct
    {
        int nStored;
        int nIndex;
        int nBack;
    } frames[] = {{0, 0, 0}, {1, 1, 1}, {2, 2, 2}, {3, 0, 0}, {4, 4, 4}, {9, 0, 0}};
    for (const auto& f : frames) {
        EXPECT_EQ(QVGraphComponentProperties::FrameIndexOf(f.nStored), f.nIndex) << f.nStored;
        EXPECT_EQ(QVGraphComponentProperties::FrameOfIndex(f.nIndex), f.nBack) << f.nStored;
    }
    EXPECT_EQ(QVGraphComponentProperties::FrameOfIndex(3), 0);
    const struct
    {
        int nStored;
        int nIndex;
    } interiors[] = {{0, 0}, {5, 5}, {6, 6}, {7, 0}, {8, 8}};
    for (const auto& i : interiors)
        EXPECT_EQ(QVGraphComponentProperties::InteriorIndexOf(i.nStored), i.nIndex) << i.nStored;
    EXPECT_EQ(QVGraphComponentProperties::InteriorOfIndex(7), 0);
    EXPECT_EQ(QVGraphComponentProperties::InteriorOfIndex(8), 8);
}

TEST_F(ComponentPropertiesTest, ADataGroupsStyleGoesToEveryItemWhenAllObjectsIsChecked)
{
    for (const bool bAll : {false, true}) {
        SCOPED_TRACE(bAll ? "all objects" : "the group only");
        QVGraph data;
        for (int i = 0; i < 3; ++i)
            data.SetValue(i, 0, i + 1.0);
        QVGraphDataList* pGroup = data.GetGroup(0, FALSE);
        QVGraphComponentProperties sheet(nullptr, FALSE, IDS_QVG_DATA_LIST);
        sheet.LoadDataStyle(*pGroup->GetStyle());
        bool bAllEnabled = false;
        Run(sheet, [&](QVGraphComponentProperties& s) {
            HWND hPage = Page(s, s.m_object);
            bAllEnabled = ::IsWindowEnabled(::GetDlgItem(hPage, IDC_QVG_ALL_OBJECTS)) != FALSE;
            ::SendDlgItemMessageA(hPage, IDC_QVG_OBJECT, CB_SETCURSEL, 5, 0);   // 2D Bar
            if (bAll)
                Click(hPage, IDC_QVG_ALL_OBJECTS);
            return IDOK;
        });
        EXPECT_TRUE(bAllEnabled);
        sheet.ApplyDataStyle(*pGroup->GetStyle(), pGroup);
        EXPECT_EQ(pGroup->GetStyle()->GetShapeType(), 5);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(data.FindItem(i, 0)->GetStyle()->GetShapeType() == 5, bAll) << i;
    }
}

TEST_F(ComponentPropertiesTest, TheDimensionsAreEnabledOnlyWithUseMaxDimensionsAndAllObjectsOnlyForAGroup)
{
    QVGraphData item;
    QVGraphComponentProperties sheet(nullptr, FALSE, IDS_QVG_DATA_ITEM);
    sheet.LoadDataStyle(*item.GetStyle());
    std::vector<bool> widthEnabled;
    bool bAllEnabled = true;
    Run(sheet, [&](QVGraphComponentProperties& s) {
        HWND hPage = Page(s, s.m_object);
        bAllEnabled = ::IsWindowEnabled(::GetDlgItem(hPage, IDC_QVG_ALL_OBJECTS)) != FALSE;
        widthEnabled.push_back(::IsWindowEnabled(::GetDlgItem(hPage, IDC_QVG_OBJECT_WIDTH)) != FALSE);
        Click(hPage, IDC_QVG_USE_MAX_DIMENSIONS);
        widthEnabled.push_back(::IsWindowEnabled(::GetDlgItem(hPage, IDC_QVG_OBJECT_DEPTH)) != FALSE);
        ::SetDlgItemTextA(hPage, IDC_QVG_OBJECT_DEPTH, "14.5");
        return IDOK;
    });
    EXPECT_FALSE(bAllEnabled);
    EXPECT_EQ(widthEnabled, (std::vector<bool>{false, true}));
    sheet.ApplyDataStyle(*item.GetStyle(), nullptr);
    EXPECT_TRUE(item.GetStyle()->HasExplicitSizes());
    EXPECT_EQ(item.GetStyle()->m_dBarDepth, 14.5);
}

TEST_F(ComponentPropertiesTest, TheStretchBoxIsBit31OfTheComponentStyleWord)
{
    QVGraphData item;
    item.GetStyle()->SetImageStretched(TRUE);
    QVGraphComponentProperties sheet(nullptr, FALSE, IDS_QVG_DATA_ITEM);
    sheet.LoadDataStyle(*item.GetStyle());
    bool bShown = false;
    Run(sheet, [&](QVGraphComponentProperties& s) {
        HWND hPage = Page(s, s.m_interior);
        bShown = Checked(hPage, IDC_QVG_INTERIOR_STRETCH);
        Click(hPage, IDC_QVG_INTERIOR_STRETCH);
        return IDOK;
    });
    EXPECT_TRUE(bShown);
    sheet.ApplyDataStyle(*item.GetStyle(), nullptr);
    EXPECT_FALSE(item.GetStyle()->IsImageStretched());
}

TEST_F(ComponentPropertiesTest, AColourButtonAsksWithItsColourAndShowsTheChosenOne)
{
    QVGraphBackground background;
    background.SetFillColors(RGB(10, 20, 30), RGB(0, 0, 0));
    QVGraphComponentProperties sheet(nullptr, FALSE, IDS_QVG_BACKGROUND);
    sheet.LoadComponent(&background);
    COLORREF seen = 0;
    hook.onCommonDialog = [&](CCommonDialog* pDialog, INT_PTR& nResult) -> BOOL {
        auto* pColor = dynamic_cast<CColorDialog*>(pDialog);
        if (pColor == nullptr)
            return FALSE;
        seen = pColor->m_cc.rgbResult;
        pColor->m_cc.rgbResult = RGB(0, 200, 100);
        nResult = IDOK;
        return TRUE;
    };
    COLORREF painted = 0;
    Run(sheet, [&](QVGraphComponentProperties& s) {
        HWND hPage = Page(s, s.m_fill);
        Click(hPage, IDC_QVG_FILL_COLOR1);
        HWND hSwatch = ::GetDlgItem(hPage, IDC_QVG_FILL_COLOR1);
        ::UpdateWindow(hSwatch);
        HDC hDC = ::GetDC(hSwatch);
        painted = ::GetPixel(hDC, 4, 4);
        ::ReleaseDC(hSwatch, hDC);
        return IDOK;
    });
    EXPECT_EQ(seen, RGB(10, 20, 30));
    EXPECT_EQ(painted, RGB(0, 200, 100));
    sheet.ApplyComponent(&background);
    EXPECT_EQ(background.GetStyle()->m_crFill1, RGB(0, 200, 100));
}

TEST_F(ComponentPropertiesTest, TheResourceBrowserLooksForPolygonFiles)
{
    QVGraphBackground background;
    QVGraphComponentProperties sheet(nullptr, FALSE, IDS_QVG_BACKGROUND);
    sheet.LoadComponent(&background);
    std::string defExt;
    std::string filter;
    hook.onCommonDialog = [&](CCommonDialog* pDialog, INT_PTR& nResult) -> BOOL {
        auto* pFile = dynamic_cast<CFileDialog*>(pDialog);
        if (pFile == nullptr)
            return FALSE;
        defExt = pFile->m_ofn.lpstrDefExt != nullptr ? pFile->m_ofn.lpstrDefExt : "";
        for (const char* p = pFile->m_ofn.lpstrFilter; *p != '\0'; p += strlen(p) + 1)
            filter += std::string(p) + "|";
        lstrcpynA(pFile->m_ofn.lpstrFile, "C:\\shapes\\star.PLY", (int)pFile->m_ofn.nMaxFile);
        nResult = IDOK;
        return TRUE;
    };
    std::string field;
    Run(sheet, [&](QVGraphComponentProperties& s) {
        HWND hPage = Page(s, s.m_fill);
        Click(hPage, IDC_QVG_FILL_BROWSE);
        field = ItemText(hPage, IDC_QVG_FILL_RESOURCE);
        return IDOK;
    });
    EXPECT_EQ(filter, "Polygon file|*.PLY|");
    EXPECT_EQ(defExt, "PLY");
    EXPECT_EQ(field, "C:\\shapes\\star.PLY");
    sheet.ApplyComponent(&background);
    EXPECT_STREQ(background.GetStyle()->m_strFillImage, "C:\\shapes\\star.PLY");
}

TEST_F(ComponentPropertiesTest, AFillTheRadiosDoNotOfferIsKept)
{
    QVGraphBackground background;
    background.GetStyle()->SetFillType(6);
    background.GetStyle()->SetBorderStyle(9);
    QVGraphComponentProperties sheet(nullptr, FALSE, IDS_QVG_BACKGROUND);
    sheet.LoadComponent(&background);
    Run(sheet, [&](QVGraphComponentProperties& s) {
        Page(s, s.m_fill);
        Page(s, s.m_border);
        return IDOK;
    });
    sheet.ApplyComponent(&background);
    EXPECT_EQ(background.GetStyle()->GetFillType(), 6);
    EXPECT_EQ(background.GetStyle()->GetBorderStyle(), 9);
}

TEST_F(ComponentPropertiesTest, TypePositionBorderAndShadowRoundTrip)
{
    QVGraphBackground background;
    background.SetMeasurement(QVGraphRect::millimetres);
    background.SetRect(5, 6, 70.5, 80);
    background.GetStyle()->SetBorderStyle(3);
    QVGraphComponentProperties sheet(nullptr, FALSE, IDS_QVG_BACKGROUND);
    sheet.LoadComponent(&background);
    std::string type, right;
    bool bMillimetres = false;
    Run(sheet, [&](QVGraphComponentProperties& s) {
        HWND hPage = Page(s, s.m_typeAndPos);
        type = ItemText(hPage, IDC_QVG_TYPE_NAME);
        right = ItemText(hPage, IDC_QVG_RECT_RIGHT);
        bMillimetres = Checked(hPage, IDC_QVG_MILLIMETERS);
        Click(hPage, IDC_QVG_PERCENT);
        ::SetDlgItemTextA(hPage, IDC_QVG_RECT_BOTTOM, "90");
        Click(Page(s, s.m_shadow), 1157);   // Medium Shadow
        return IDOK;
    });
    EXPECT_EQ(type, "Background");
    EXPECT_EQ(right, "70.5");
    EXPECT_TRUE(bMillimetres);
    sheet.ApplyComponent(&background);
    EXPECT_EQ(background.GetRectObject()->GetMeasurement(), QVGraphRect::percent);
    EXPECT_EQ(background.GetRectObject()->m_dBottom, 90.0);
    EXPECT_EQ(background.GetRectObject()->m_dRight, 70.5);
    EXPECT_EQ(background.GetStyle()->GetBorderStyle(), 3);
    EXPECT_EQ(background.GetStyle()->GetShadowStyle(), 2);
}

TEST_F(ComponentPropertiesTest, ALegendsTypeAndKeyStyleAreListIndexes)
{
    QVGraphLegend legend;
    legend.SetKeyKind(3);
    legend.SetSampleStyle(4);
    QVGraphComponentProperties sheet(nullptr, FALSE, IDS_QVG_LEGEND);
    sheet.LoadComponent(&legend);
    std::string type, key;
    std::vector<std::string> keys;
    Run(sheet, [&](QVGraphComponentProperties& s) {
        HWND hPage = Page(s, s.m_legend);
        type = ComboText(hPage, IDC_QVG_LEGEND_TYPE);
        key = ComboText(hPage, IDC_QVG_KEY_STYLE);
        keys = ComboEntries(hPage, IDC_QVG_KEY_STYLE);
        ::SendDlgItemMessageA(hPage, IDC_QVG_KEY_STYLE, CB_SETCURSEL, 3, 0);
        return IDOK;
    });
    EXPECT_EQ(type, "Legend from Groups");
    EXPECT_EQ(key, "Wiget symbol");
    ASSERT_EQ(keys.size(), 16u);
    EXPECT_EQ(keys[3], "Box ");
    sheet.ApplyComponent(&legend);
    EXPECT_EQ(legend.GetStoredKeyKind(), 3);
    EXPECT_EQ(legend.GetSampleStyle(), 3);
}

TEST_F(ComponentPropertiesTest, ALabelsLocationOrientationAndPositionGoThroughItsSetters)
{
    QVGraphLabel label;
    label.SetJustification(5);
    label.SetTextAngle(90);
    label.SetPosition(12.5, 40);
    QVGraphComponentProperties sheet(nullptr, TRUE, IDS_QVG_LABEL);
    sheet.LoadComponent(&label);
    bool bBottomRight = false;
    Run(sheet, [&](QVGraphComponentProperties& s) {
        HWND hPage = Page(s, s.m_label);
        bBottomRight = Checked(hPage, IDC_QVG_LOCATION_FIRST + 8);
        Click(hPage, IDC_QVG_LOCATION_FIRST + 4);
        ::SetDlgItemTextA(hPage, IDC_QVG_TEXT_X, "30");
        return IDOK;
    });
    EXPECT_TRUE(bBottomRight);
    sheet.ApplyComponent(&label);
    EXPECT_EQ(label.GetJustification(), 8);
    EXPECT_EQ(label.GetTextAngle(), 90.0);
    EXPECT_EQ(label.GetX(), 30.0);
    EXPECT_EQ(label.GetY(), 40.0);
}

TEST_F(ComponentPropertiesTest, EachLocationRadioStandsForTheAnchorItsCaptionNames)
{
    // The label's anchor codes: 0 left middle, 1 top left, 2 top centre, 3 top right, 4 right middle,
    // 5 bottom right, 6 bottom centre, 7 bottom left, 8 centre (a Fennick title's anchor).
    const struct
    {
        const char* caption;
        int nAnchor;
    } cases[] = {
        {"Top Left", 1},    {"Mid Left", 0},      {"Bottom Left", 7},  {"Top Center", 2},   {"Mid Center", 8},
        {"Bottom Center", 6}, {"Top Right", 3}, {"Mid Right", 4}, {"Bottom Right", 5},
    };
    const size_t count = sizeof cases / sizeof cases[0];
    for (size_t n = 0; n < count; ++n) {
        // Shown: the radio of the label's anchor carries its caption; chosen: the radio with the next
        // case's caption stores that case's anchor.
        const auto& shown = cases[n];
        const auto& chosen = cases[(n + 1) % count];
        SCOPED_TRACE(std::string(shown.caption) + " then " + chosen.caption);
        QVGraphLabel label;
        label.SetJustification(shown.nAnchor);
        QVGraphComponentProperties sheet(nullptr, TRUE, IDS_QVG_LABEL);
        sheet.LoadComponent(&label);
        std::string checked;
        Run(sheet, [&](QVGraphComponentProperties& s) {
            HWND hPage = Page(s, s.m_label);
            int nChosen = -1;
            for (int radio = 0; radio < 9; ++radio) {
                char text[64] = "";
                ::GetDlgItemTextA(hPage, IDC_QVG_LOCATION_FIRST + radio, text, sizeof text);
                if (Checked(hPage, IDC_QVG_LOCATION_FIRST + radio))
                    checked += text;
                if (std::string(text) == chosen.caption)
                    nChosen = radio;
            }
            if (nChosen >= 0)
                Click(hPage, IDC_QVG_LOCATION_FIRST + nChosen);
            return IDOK;
        });
        EXPECT_EQ(checked, shown.caption);
        sheet.ApplyComponent(&label);
        EXPECT_EQ(label.GetJustification(), chosen.nAnchor);
    }
}

TEST_F(ComponentPropertiesTest, ALabelTurnedBelowZeroIsConfirmedAndKeepsItsAngle)
{
    QVGraphLabel label;
    label.SetTextAngle(-30);
    QVGraphComponentProperties sheet(nullptr, TRUE, IDS_QVG_LABEL);
    sheet.LoadComponent(&label);
    std::string shownZ;
    const INT_PTR result = Run(sheet, [&](QVGraphComponentProperties& s) {
        HWND hPage = Page(s, s.m_typeAndPos);
        char text[64] = "";
        ::GetDlgItemTextA(hPage, IDC_QVG_VIEW_Z, text, sizeof text);
        shownZ = text;
        return IDOK;
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_TRUE(messageBox.calls.empty());
    EXPECT_EQ(std::atof(shownZ.c_str()), 330.0) << shownZ;
    sheet.ApplyComponent(&label);
    EXPECT_EQ(label.GetTextAngle(), -30.0);

    // A scale's angle of its own (-500: none) stays as it is when the page is confirmed untouched.
    QVGraphLabel scaleLike;
    scaleLike.SetTextAngle(-500);
    QVGraphComponentProperties untouched(nullptr, TRUE, IDS_QVG_LABEL);
    untouched.LoadComponent(&scaleLike);
    EXPECT_EQ(Run(untouched, [](QVGraphComponentProperties&) { return IDOK; }), IDOK);
    untouched.ApplyComponent(&scaleLike);
    EXPECT_EQ(scaleLike.GetTextAngle(), -500.0);
}

} // namespace
