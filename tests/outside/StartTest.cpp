// Quarrow started as a person starts it: the splash, then the main dialog with its caption, menu,
// summary panel and the six pages in order.
#include <gtest/gtest.h>

#include "tests/outside/QuarrowOutside.h"

using namespace outside;

TEST(OutsideStart, SplashThenMainDialogWithMenuSummaryAndSixPages)
{
    Installation installation;
    ASSERT_TRUE(installation.IsReady());
    Quarrow quarrow;
    ASSERT_TRUE(quarrow.Start(installation)) << "no splash or no main dialog";

    // The splash (396 x 245 dialog units) stands for at least 2500 ms before the main dialog comes.
    EXPECT_GT(quarrow.SplashSize().cx, 300);
    EXPECT_GE(quarrow.SplashMilliseconds(), 2000u);
    EXPECT_EQ(TopWindows(quarrow.Id()).size(), 1u) << "the splash is gone once the main dialog shows";

    HWND main = quarrow.Main();
    EXPECT_EQ(Text(main), "Quarrow - Unsaved File");
    EXPECT_EQ(TabTexts(quarrow.Tabs()), PageCaptions);
    EXPECT_EQ(Text(quarrow.ActivePage()), "Roadway Geometry");
    EXPECT_EQ(quarrow.SummaryText(1147), "Base - Undefined");
    EXPECT_EQ(quarrow.SummaryText(1148), "Subgrade - Undefined");
    EXPECT_EQ(quarrow.SummaryText(1149), "Separator - None");

    // The dialog carries menu 130 of the installed program; under Wine a menu cannot be read from
    // another process, so the program file's own resource is read.
    EXPECT_NE(GetMenu(main), nullptr);
    const std::vector<std::string> menu = {
        "&File>&New=57600", "&File>&Open=57601", "&File>-", "&File>&Save=57603", "&File>Save &As=32781",
        "&File>-", "&File>&Export Summary=32785", "&File>&Print Summary=32798", "&File>-", "&File>E&xit=57602",
        "&Options>Units>&Metric=32773", "&Options>Units>&English=32774",
        "&Options>Mode>Expert=32776", "&Options>Mode>Normal=32777",
        "&Options>Sensitivity>&Length=32791 checked", "&Options>Sensitivity>&Slope=32790 checked",
        "&Options>Sensitivity>&Permeablity=32792 checked", "&Options>Sensitivity>&Inflow=32789 checked",
        "&Options>Sensitivity>&Drain=32793 checked", "&Options>Sensitivity>&Thickness=32794 checked",
        "&Options>Sensitivity>&Porosity=32795 checked",
        "&Options>&Plot Scale>&Power 0.45=32787 checked", "&Options>&Plot Scale>Semi-log=32797",
        "&Help>&Contents=32771", "&Help>&About QUARROW=32772"};
    EXPECT_EQ(ProgramMenu(installation.PathOf("quarrow.exe"), 130), menu);
    // The menu answers the keyboard as a person uses it: Alt+H, then A for About.
    ChooseMenuByKeys("HA");
    HWND about = WaitForTopWindow(quarrow.Id(), "About Quarrow");
    ASSERT_NE(about, nullptr) << "Help > About did not open the about box";
    Click(GetDlgItem(about, IDOK));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(about); }));

    // Every page comes in front when its tab is clicked.
    for (int page = EdgeDrainPage; page >= RoadwayPage; --page)
        EXPECT_TRUE(quarrow.ShowPage(static_cast<PageIndex>(page))) << PageCaptions[page];
    quarrow.SavePicture("outside-start");
}
