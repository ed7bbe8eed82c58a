// One Quarrow session from outside, as an engineer works through it: a whole design in English units
// from the roadway to the edge drain, typed and clicked on the pages; the project saved, cleared and
// opened again; a foreign file refused; the gradation plotted twice; the HTML summary exported; the
// units switched to metric; and the program left without saving.
//
// The session is one test whose steps run in the order written here: each step goes on from the
// state that the steps before it left, so no test order (a shuffled run's included) takes them apart. Every expected figure was computed
// apart from the program, by tests/outside/expected_design.py.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "tests/outside/QuarrowOutside.h"

using namespace outside;

namespace {

// Controls of the roadway geometry page.
enum { RwB = 1012, RwC = 1013, RwW = 1025, RwS = 1020, RwSx = 1032, RwSr = 1030, RwLr = 1037 };
enum { RwCalcW = 1024, RwCalcSr = 1026, RwCalcLr = 1036, RwGeometryA = 1016 };
// The sieve analysis page.
enum { SvGrid = 1122, SvGradation = 1137, SvPlot = 1153, SvBase = 1127, SvValue = 1132 };
enum { SvD10 = 1262, SvD12 = 1270, SvD15 = 1263, SvD30 = 1264, SvD50 = 1271, SvD60 = 1265, SvD85 = 1266 };
enum { SvP200 = 1267, SvCu = 1268, SvCc = 1269 };
enum { SvUnitWeight = 1148, SvGravity = 1150, SvPorosity = 1151, SvWater = 1157, SvEffective = 1350, SvK = 1158 };
enum { SvCalcPorosity = 1146, SvCalcEffective = 1147, SvCalcK = 1152, SvWaterContent = 1155 };
// The inflow page.
enum { InCrack = 1054, InIc = 1102, InNc = 1103, InWc = 1104, InW = 1105, InCs = 1107, InKp = 1108 };
enum { InQi = 1097, InCalcQi = 1090, InMeltwater = 1052, InHeave = 1058, InHeaveRate = 1057 };
// The permeable base page.
enum { PbTtd = 1159, PbDof = 1160, PbInput = 1166, PbK = 1168, PbS = 1169, PbL = 1170, PbH = 1171 };
enum { PbHmin = 1172, PbQ = 1176, PbPsat = 1177, PbN = 1179, PbT = 1181, PbU = 1184 };
enum { PbCalcT = 1182, PbCalcHmin = 1174, PbCalcQ = 1192, PbCalcPsat = 1193 };
// The separator page.
enum { SpGeotextile = 1161, SpP200 = 1328, SpKsub = 1329, SpCu = 1330, SpD15 = 1318, SpD85 = 1327 };
enum { SpAos = 1345, SpKmin = 1346, SpKsep = 1347, SpTmax = 1348, SpCalcAos = 1343, SpCalcTmax = 1344 };
enum { SpCheck = 1365, SpVerdict1 = 1355, SpVerdict2 = 1357, SpVerdict3 = 1359, SpRecommendation = 1387 };
// The edge drain page.
enum { EdPipe = 1164, EdS = 1177, EdD = 1173, EdN = 1224, EdSmooth = 1225, EdInfiltration = 1209 };
enum { EdW = 1105, EdQi = 1109, EdQ = 1185, EdLo = 1182, EdCalcQ = 1213, EdCalcLo = 1215 };
// The summary panel of the main dialog.
enum { SumW = 1005, SumSr = 1007, SumLr = 1010, SumQi = 1012, SumQm = 1013, SumH = 1206, SumU = 1207 };
enum { SumT = 1208, SumQd = 1209, SumD = 1240, SumLo = 1241, SumQ = 1242 };
enum { SumBase = 1147, SumSubgrade = 1148, SumSeparator = 1149 };
enum { SumUnitW = 1003, SumUnitSr = 1026, SumUnitLr = 1011, SumUnitH = 1008, SumUnitD = 1015, SumUnitLo = 1014 };
// Menu commands.
enum { MenuNew = 57600, MenuOpen = 57601, MenuSaveAs = 32781, MenuExit = 57602, MenuExport = 32785 };
enum { MenuMetric = 32773 };

const char* const SavePrompt = "Unsaved data will be lost. Save now?";
const char* const SaveTitle = "Save generated QUARROW data file.";
const char* const OpenTitle = "Open previously Saved/Generated QUARROW data file.";
const char* const SummaryTitle = "Create QUARROW summary file.";

// The percent passing typed into the sieve table of the base: grid row (1 the 0.001 mm sieve) and
// text, and the text the page keeps of it.
struct SieveEntry
{
    int row;
    const char* typed;
    const char* kept;
    const char* key;   // the sieve's key in the project file
};
const SieveEntry BaseSieves[] = {
    {4, "2", "2.0", "#200_1"},      {9, "5", "5.0", "#40_1"},       {13, "10", "10.0", "#10_1"},
    {15, "25", "25.0", "#4_1"},     {16, "45", "45.0", "3/8\"_1"},  {17, "60", "60.0", "1/2\"_1"},
    {18, "80", "80.0", "3/4\"_1"},  {19, "95", "95.0", "1\"_1"},    {20, "100", "100.0", "1 1/2\"_1"},
};

} // namespace

class OutsideDesign : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_installation = std::make_unique<Installation>();
        s_quarrow = std::make_unique<Quarrow>();
        s_started = s_quarrow->Start(*s_installation);
    }

    static void TearDownTestSuite()
    {
        s_quarrow.reset();
        s_installation.reset();
    }

    void SetUp() override { ASSERT_TRUE(s_started) << "Quarrow did not start"; }

    static Quarrow& q() { return *s_quarrow; }
    static Installation& installation() { return *s_installation; }

    // Answers a message box that must come, with the text given; the box is answered in any case.
    static void ExpectBox(const std::string& text, int button)
    {
        MessageBoxSeen seen;
        ASSERT_TRUE(q().AnswerBox(button, seen)) << "no message box \"" << text << "\"";
        EXPECT_EQ(seen.text, text);
    }

    // Types the percent passing into the sieve grid with the keyboard: a click into the table,
    // Ctrl+Home to its first cell, then the arrow key down to each row and the digits; the arrow key
    // also ends the editing of a cell. The digits and the arrow keys come at a typist's pace, faster
    // than the program handles them.
    static void TypeSieveTable(const SieveEntry* entries, size_t count)
    {
        HWND grid = q().PageControl(SvGrid);
        ASSERT_NE(grid, nullptr);
        RECT client{};
        GetClientRect(grid, &client);
        ClickAt(grid, POINT{client.right - 20, client.bottom - 10});
        PressKey(VK_HOME, true);
        int row = 1;
        for (size_t index = 0; index < count; ++index) {
            for (; row < entries[index].row; ++row)
                PressKey(VK_DOWN, false, false, TypistPauseMs);
            Type(entries[index].typed);
            // The cell's own edit shows what was typed before the cell is left.
            EXPECT_TRUE(WaitUntil([&] { return Text(CellEditOf(grid)) == entries[index].typed; }, 3000))
                << "row " << entries[index].row << " shows \"" << Text(CellEditOf(grid)) << "\"";
            PressKey(VK_DOWN, false, false, TypistPauseMs);
            ++row;
        }
    }

    // The edit window that the grid shows on its current cell.
    static HWND CellEditOf(HWND grid)
    {
        for (HWND child = GetWindow(grid, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
            if (IsWindowVisible(child))
                return child;
        return nullptr;
    }

public:
    // The steps of the session, in the order they run.
    void RoadwayGeometryComputesWidthSlopeAndLength();
    void SieveAnalysisOfTheBaseFromTheTypedTable();
    void MaterialPropertiesOfTheBase();
    void InflowByTheCrackMethod();
    void PermeableBaseTimeToDrainAndDepthOfFlow();
    void GeotextileSeparatorIsChecked();
    void EdgeDrainPipeCapacityAndOutletSpacing();
    void SaveAsWritesEveryKeyOfTheProjectFile();
    void NewThenOpenBringsEveryValueBack();
    void AForeignFileIsRefused();
    void GradationPlotStartsFennickThenReloadsIt();
    void HtmlSummaryExport();
    void HeaveRateFromAClickedRowOfItsTable();
    void MetricUnitsConvertTheShownValues();
    void ExitWithUnsavedChangesAsksAndNoEndsWithoutWriting();

protected:
    static std::unique_ptr<Installation> s_installation;
    static std::unique_ptr<Quarrow> s_quarrow;
    static bool s_started;
};

std::unique_ptr<Installation> OutsideDesign::s_installation;
std::unique_ptr<Quarrow> OutsideDesign::s_quarrow;
bool OutsideDesign::s_started = false;

void OutsideDesign::RoadwayGeometryComputesWidthSlopeAndLength()
{
    ASSERT_TRUE(q().ShowPage(RoadwayPage));
    EXPECT_TRUE(IsChecked(q().PageControl(RwGeometryA)));
    ASSERT_TRUE(q().Fill(RwB, "24"));
    ASSERT_TRUE(q().Fill(RwC, "2"));
    ASSERT_TRUE(q().Press(RwCalcW)) << "the width button is not enabled";
    EXPECT_TRUE(WaitUntil([] { return q().PageText(RwW) == "14."; })) << q().PageText(RwW);

    ASSERT_TRUE(q().Fill(RwS, "0.02"));
    ASSERT_TRUE(q().Fill(RwSx, "0.03"));
    EXPECT_EQ(q().PageText(RwS), "0.0200");
    EXPECT_EQ(q().PageText(RwSx), "0.0300");
    ASSERT_TRUE(q().Press(RwCalcSr)) << "the slope button is not enabled";
    EXPECT_TRUE(WaitUntil([] { return q().PageText(RwSr) == "0.0361"; })) << q().PageText(RwSr);
    ASSERT_TRUE(q().Press(RwCalcLr)) << "the length button is not enabled";
    EXPECT_TRUE(WaitUntil([] { return q().PageText(RwLr) == "16.83"; })) << q().PageText(RwLr);

    EXPECT_EQ(q().SummaryText(SumW), "14.");
    EXPECT_EQ(q().SummaryText(SumSr), "0.0361");
    EXPECT_EQ(q().SummaryText(SumLr), "16.83");
    EXPECT_EQ(q().SummaryText(SumUnitW), "ft");
    EXPECT_EQ(q().SummaryText(SumUnitSr), "ft/ft");
}

void OutsideDesign::SieveAnalysisOfTheBaseFromTheTypedTable()
{
    ASSERT_TRUE(q().ShowPage(SievePage));
    EXPECT_TRUE(IsChecked(q().PageControl(SvBase)));
    EXPECT_TRUE(IsChecked(q().PageControl(SvValue)));
    TypeSieveTable(BaseSieves, std::size(BaseSieves));
    ASSERT_TRUE(q().Press(SvGradation)) << "the gradation button is not enabled";
    EXPECT_TRUE(WaitUntil([] { return q().PageText(SvD10) == "0.0743"; })) << q().PageText(SvD10);
    EXPECT_EQ(q().PageText(SvD12), "0.0861");
    EXPECT_EQ(q().PageText(SvD15), "0.1057");
    EXPECT_EQ(q().PageText(SvD30), "0.2272");
    EXPECT_EQ(q().PageText(SvD50), "0.4114");
    EXPECT_EQ(q().PageText(SvD60), "0.4921");
    EXPECT_EQ(q().PageText(SvD85), "0.8228");
    EXPECT_EQ(q().PageText(SvP200), "2.00");
    EXPECT_EQ(q().PageText(SvCu), "6.62");
    EXPECT_EQ(q().PageText(SvCc), "1.41");
    EXPECT_EQ(q().SummaryText(SumBase), "Base - Defined");
}

void OutsideDesign::MaterialPropertiesOfTheBase()
{
    ASSERT_TRUE(q().ShowPage(SievePage));
    EXPECT_TRUE(IsChecked(q().PageControl(SvWaterContent)));
    ASSERT_TRUE(q().Fill(SvUnitWeight, "110"));
    ASSERT_TRUE(q().Fill(SvGravity, "2.65"));
    EXPECT_EQ(q().PageText(SvUnitWeight), "110.");
    ASSERT_TRUE(q().Press(SvCalcPorosity)) << "the porosity button is not enabled";
    EXPECT_TRUE(WaitUntil([] { return q().PageText(SvPorosity) == "0.335"; })) << q().PageText(SvPorosity);
    ASSERT_TRUE(q().Fill(SvWater, "2"));
    EXPECT_EQ(q().PageText(SvWater), "2.00");
    ASSERT_TRUE(q().Press(SvCalcEffective)) << "the effective porosity button is not enabled";
    EXPECT_TRUE(WaitUntil([] { return q().PageText(SvEffective) == "0.300"; })) << q().PageText(SvEffective);
    ASSERT_TRUE(q().Press(SvCalcK)) << "the permeability button is not enabled";
    EXPECT_TRUE(WaitUntil([] { return q().PageText(SvK) == "726.056"; })) << q().PageText(SvK);
}

void OutsideDesign::InflowByTheCrackMethod()
{
    ASSERT_TRUE(q().ShowPage(InflowPage));
    EXPECT_TRUE(IsChecked(q().PageControl(InCrack)));
    EXPECT_FALSE(IsChecked(q().PageControl(InMeltwater)));
    // What the page takes from the roadway and its own default.
    EXPECT_EQ(q().PageText(InIc), "2.4");
    EXPECT_EQ(q().PageText(InWc), "12.");
    EXPECT_EQ(q().PageText(InW), "14.");
    EXPECT_EQ(q().PageText(InKp), "0");
    ASSERT_TRUE(q().Fill(InNc, "3"));
    ASSERT_TRUE(q().Fill(InCs, "40"));
    ASSERT_TRUE(q().Press(InCalcQi)) << "the inflow button is not enabled";
    EXPECT_TRUE(WaitUntil([] { return q().PageText(InQi) == "0.56571"; })) << q().PageText(InQi);
    EXPECT_EQ(q().SummaryText(SumQi), "0.56571");
    EXPECT_EQ(q().SummaryText(SumQm), "");
}

void OutsideDesign::PermeableBaseTimeToDrainAndDepthOfFlow()
{
    ASSERT_TRUE(q().ShowPage(BasePage));
    EXPECT_TRUE(IsChecked(q().PageControl(PbTtd)));
    // What the page takes from the sieve analysis and the roadway.
    EXPECT_EQ(q().PageText(PbInput), "0.300");
    EXPECT_EQ(q().PageText(PbK), "726.056");
    EXPECT_EQ(q().PageText(PbS), "0.0361");
    EXPECT_EQ(q().PageText(PbL), "16.83");
    EXPECT_EQ(q().PageText(PbN), "0.335");
    ASSERT_TRUE(q().Fill(PbH, "0.5"));
    ASSERT_TRUE(q().Fill(PbU, "50"));
    EXPECT_EQ(q().PageText(PbU), "50.");
    ASSERT_TRUE(q().Press(PbCalcT)) << "the time-to-drain button is not enabled";
    EXPECT_TRUE(WaitUntil([] { return q().PageText(PbT) == "1.23"; })) << q().PageText(PbT);
    ASSERT_TRUE(q().Press(PbCalcPsat)) << "the percent saturation button is not enabled";
    EXPECT_TRUE(WaitUntil([] { return q().PageText(PbPsat) == "55.224"; })) << q().PageText(PbPsat);

    Click(q().PageControl(PbDof));
    ASSERT_TRUE(WaitUntil([] { return IsShown(q().PageControl(PbCalcHmin)); })) << "no depth-of-flow controls";
    EXPECT_EQ(q().PageText(PbInput), "0.56571");
    ASSERT_TRUE(q().Press(PbCalcHmin)) << "the minimum thickness button is not enabled";
    EXPECT_TRUE(WaitUntil([] { return q().PageText(PbHmin) == "0.22515"; })) << q().PageText(PbHmin);
    ASSERT_TRUE(q().Press(PbCalcQ)) << "the discharge button is not enabled";
    // The program's search for the capacity stops within 0.0001 ft of the thickness.
    ASSERT_TRUE(WaitUntil([] { return !q().PageText(PbQ).empty(); }));
    const std::string capacity = q().PageText(PbQ);
    EXPECT_NEAR(std::atof(capacity.c_str()), 28.205, 0.01) << capacity;

    Click(q().PageControl(PbTtd));
    ASSERT_TRUE(WaitUntil([] { return IsShown(q().PageControl(PbCalcT)); }));
    EXPECT_EQ(q().SummaryText(SumH), "0.5");
    EXPECT_EQ(q().SummaryText(SumU), "50.");
    EXPECT_EQ(q().SummaryText(SumT), "1.23");
    EXPECT_EQ(q().SummaryText(SumQd), capacity);
}

void OutsideDesign::GeotextileSeparatorIsChecked()
{
    ASSERT_TRUE(q().ShowPage(SeparatorPage));
    Click(q().PageControl(SpGeotextile));
    ASSERT_TRUE(WaitUntil([] { return IsShown(q().PageControl(SpP200)); })) << "no geotextile controls";
    EXPECT_EQ(q().SummaryText(SumSeparator), "Separator - Geotextile");

    // Grain sizes typed here rather than taken from a sieve analysis of the subgrade: each typed
    // grain-size figure brings the program's advice, which is answered.
    const char* const advice = "Consider setting grain size distribution parameters with Sieve Analysis.";
    ASSERT_TRUE(q().Fill(SpP200, "40"));
    ExpectBox(advice, IDOK);
    ASSERT_TRUE(q().Fill(SpKsub, "0.5"));
    ASSERT_TRUE(q().Fill(SpCu, "5"));
    ExpectBox(advice, IDOK);
    ASSERT_TRUE(q().Fill(SpD15, "0.006"));
    ExpectBox(advice, IDOK);
    ASSERT_TRUE(q().Fill(SpD85, "0.01"));
    ExpectBox(advice, IDOK);
    EXPECT_EQ(q().PageText(SpP200), "40.0");
    EXPECT_EQ(q().PageText(SpKsub), "0.5");
    EXPECT_EQ(q().PageText(SpCu), "5.0000");
    EXPECT_EQ(q().PageText(SpD15), "0.0060");
    EXPECT_EQ(q().PageText(SpD85), "0.0100");

    ASSERT_TRUE(q().Press(SpCalcAos)) << "the opening size button is not enabled";
    EXPECT_TRUE(WaitUntil([] { return q().PageText(SpAos) == "1.6e-002"; })) << q().PageText(SpAos);
    EXPECT_EQ(q().PageText(SpKmin), "5.00e-001");
    ASSERT_TRUE(q().Fill(SpKsep, "2"));
    EXPECT_EQ(q().PageText(SpKsep), "2.0");
    ASSERT_TRUE(q().Press(SpCalcTmax)) << "the thickness button is not enabled";
    EXPECT_TRUE(WaitUntil([] { return q().PageText(SpTmax) == "1.39e-003"; })) << q().PageText(SpTmax);

    ASSERT_TRUE(q().Press(SpCheck)) << "the check button is not enabled";
    EXPECT_TRUE(WaitUntil([] { return q().PageText(SpVerdict1) == "=>  Fail"; })) << q().PageText(SpVerdict1);
    EXPECT_EQ(q().PageText(SpVerdict2), "=>  Pass");
    EXPECT_EQ(q().PageText(SpVerdict3), "=>  Pass");
    EXPECT_EQ(q().PageText(SpRecommendation), "The porosity of the geotextile should\nbe greater than 50%.");
}

void OutsideDesign::EdgeDrainPipeCapacityAndOutletSpacing()
{
    ASSERT_TRUE(q().ShowPage(EdgeDrainPage));
    EXPECT_TRUE(IsChecked(q().PageControl(EdPipe)));
    EXPECT_TRUE(IsChecked(q().PageControl(EdInfiltration)));
    EXPECT_EQ(q().PageText(EdS), "0.0200");
    EXPECT_EQ(q().PageText(EdW), "14.");
    EXPECT_EQ(q().PageText(EdQi), "0.56571");
    ASSERT_TRUE(q().Fill(EdD, "6"));
    Click(q().PageControl(EdSmooth));
    EXPECT_TRUE(WaitUntil([] { return q().PageText(EdN) == "0.012"; })) << q().PageText(EdN);
    ASSERT_TRUE(q().Press(EdCalcQ)) << "the pipe capacity button is not enabled";
    EXPECT_TRUE(WaitUntil([] { return q().PageText(EdQ) == "74261.1"; })) << q().PageText(EdQ);
    ASSERT_TRUE(q().Press(EdCalcLo)) << "the outlet spacing button is not enabled";
    EXPECT_TRUE(WaitUntil([] { return q().PageText(EdLo) == "9376.5"; })) << q().PageText(EdLo);

    // The summary panel holds the whole design.
    EXPECT_EQ(q().SummaryText(SumD), "6.");
    EXPECT_EQ(q().SummaryText(SumQ), "74261.1");
    EXPECT_EQ(q().SummaryText(SumLo), "9376.5");
    EXPECT_EQ(q().SummaryText(SumUnitD), "in");
    EXPECT_EQ(q().SummaryText(SumUnitLo), "ft");
    EXPECT_EQ(q().SummaryText(SumW), "14.");
    EXPECT_EQ(q().SummaryText(SumQi), "0.56571");
    EXPECT_EQ(q().SummaryText(SumT), "1.23");
    EXPECT_EQ(q().SummaryText(SumBase), "Base - Defined");
    EXPECT_EQ(q().SummaryText(SumSubgrade), "Subgrade - Undefined");
    EXPECT_EQ(q().SummaryText(SumSeparator), "Separator - Geotextile");
    q().SavePicture("outside-design");
}

namespace {

// The sections of a project file in the order of the file, as a new file has them.
std::vector<std::string> ProjectSections()
{
    std::vector<std::string> sections = {"Units"};
    for (const char* quantity :
         {"Longitudinal slope", "Cross slope", "Resultant slope", "Resultant length of flow through base",
          "Width of permeable base", "Width of base inflow", "Angle between roadway cross slope and resultant slope",
          "Rate of pavement infiltration", "Infiltration ratio", "Rainfall rate", "Crack infiltration rate",
          "Number of longitudinal joints or cracks", "Length of contributing transverse joints or cracks",
          "Spacing of contributing transverse joints or cracks", "Number of contributing traffic lanes",
          "Permeable base discharge rate", "Pipe flow", "Longitudinal length of contributing roadway",
          "Width of contributing roadway", "Water content", "Total inflow into drainage layer", "Volume of voids",
          "Volume of water", "Total volume", "Water loss", "Percent drained", "Percent saturation",
          "Hydraulic gradient", "Cross-sectional area of flow", "Seepage velocity", "Discharge velocity",
          "Time to drain", "Time factor", "m factor", "Slope factor", "Apparent opening size", "Pipe diameter",
          "Manning's coefficient", "Flow area in pipe", "Wetted perimeter", "Hydraulic radius", "Conveyance",
          "Velocity in pipe", "Geometry coefficient b", "Geometry coefficient c", "Heave rate",
          "Thickness of pavement", "Pavement load", "Meltwater flow", "Geotextile multiplier", "Depth of flow zone",
          "Depth at outlet", "Fin-drain flow constant", "Outlet spacing"})
        sections.emplace_back(quantity);
    for (const char* section : {"Geotextile", "Pavememt", "Base", "Subgrade", "Seperator", "Controls"})
        sections.emplace_back(section);
    return sections;
}

// A layer section's keys: its properties, then three keys per sieve, finest first.
std::vector<std::string> LayerKeys(std::vector<std::string> keys)
{
    for (const char* sieve : {"0.001mm", "0.002mm", "0.020mm", "#200", "#100", "#70", "#60", "#50", "#40", "#30",
                              "#20", "#16", "#10", "#8", "#4", "3/8\"", "1/2\"", "3/4\"", "1\"", "1 1/2\"", "2\"",
                              "2 1/2\"", "3\"", "3 1/2\""})
        for (const char* bound : {"_0", "_1", "_2"})
            keys.push_back(std::string(sieve) + bound);
    return keys;
}

// Points the shell's "open" of HTML files at the recorder program of the installation while it
// lives, so that an exported summary opens no browser; what was there is put back.
class ShellOpenRecorder
{
public:
    explicit ShellOpenRecorder(const Installation& installation)
    {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CLASSES_ROOT, ".htm", 0, KEY_READ, &key) == ERROR_SUCCESS) {
            m_bHadKey = true;
            char old[256] = {};
            DWORD size = sizeof old - 1;
            m_bHadClass = RegQueryValueExA(key, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(old), &size) ==
                          ERROR_SUCCESS;
            m_oldClass = old;
            RegCloseKey(key);
        }
        // Built in steps: GCC 12 warns falsely about a literal put in front of a string.
        std::string command(1, '"');
        command += installation.PathOf("open_recorder.exe");
        command += "\" \"%1\"";
        m_bReady = SetDefault(".htm", ClassName) &&
                   SetDefault(std::string(ClassName) + "\\shell\\open\\command", command);
    }
    ~ShellOpenRecorder()
    {
        if (m_bHadClass) {
            SetDefault(".htm", m_oldClass);
        } else if (m_bHadKey) {
            HKEY key = nullptr;
            if (RegOpenKeyExA(HKEY_CLASSES_ROOT, ".htm", 0, KEY_WRITE, &key) == ERROR_SUCCESS) {
                RegDeleteValueA(key, nullptr);
                RegCloseKey(key);
            }
        } else {
            RegDeleteKeyA(HKEY_CLASSES_ROOT, ".htm");
        }
        RegDeleteTreeA(HKEY_CLASSES_ROOT, ClassName);
    }
    bool IsReady() const { return m_bReady; }

private:
    static constexpr const char* ClassName = "QuarrowOutsideTest.htm";

    static bool SetDefault(const std::string& keyName, const std::string& value)
    {
        HKEY key = nullptr;
        if (RegCreateKeyExA(HKEY_CLASSES_ROOT, keyName.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
            ERROR_SUCCESS)
            return false;
        const bool set = RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                        static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
        RegCloseKey(key);
        return set;
    }

    bool m_bReady = false;
    bool m_bHadKey = false;
    bool m_bHadClass = false;
    std::string m_oldClass;
};

} // namespace

void OutsideDesign::SaveAsWritesEveryKeyOfTheProjectFile()
{
    const std::string path = installation().PathOf("design.qrw");
    ChooseMenuCommand(q().Main(), MenuSaveAs);
    ASSERT_TRUE(AnswerFileDialog(q().Id(), SaveTitle, path)) << "no save dialog, or it did not close";
    EXPECT_TRUE(WaitUntil([] { return Text(q().Main()) == "Quarrow - design.qrw"; })) << Text(q().Main());
    ASSERT_TRUE(WaitUntil([&] { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }));

    EXPECT_EQ(IniSections(path), ProjectSections());
    for (const char* quantity : {"Units", "Resultant slope", "Pipe flow", "Outlet spacing"})
        EXPECT_EQ(IniKeys(path, quantity), std::vector<std::string>{"VALUE"}) << quantity;
    EXPECT_EQ(IniKeys(path, "Geotextile"), std::vector<std::string>{"Permeability"});
    EXPECT_EQ(IniKeys(path, "Pavememt"), (std::vector<std::string>{"k", "UW", "Thickness"}));
    EXPECT_EQ(IniKeys(path, "Base"),
              LayerKeys({"Thickness", "D10", "D12", "D15", "D30", "D50", "D60", "D85", "UW", "p200", "SG", "CU", "CC",
                         "k", "Porosity", "Effective Porosity", "Minimum Thickness", "Description", "Water"}));
    EXPECT_EQ(IniKeys(path, "Subgrade"),
              LayerKeys({"D10", "D12", "D15", "D30", "D50", "D60", "D85", "UW", "p200", "SG", "CU", "CC", "k",
                         "Porosity", "Effective Porosity", "Description", "Water"}));
    EXPECT_EQ(IniKeys(path, "Seperator"),
              LayerKeys({"D10", "D12", "D15", "D30", "D50", "D60", "D85", "UW", "p200", "SG", "CU", "CC", "k",
                         "Porosity", "Effective Porosity", "MaxH", "Min_k", "Description", "Water"}));
    EXPECT_EQ(IniKeys(path, "Controls"),
              (std::vector<std::string>{"Geometry", "Expert", "Meltwater", "Infiltration Method", "Concrete", "Rain",
                                        "Base", "Drain", "TimeToDrain", "Edge Drain", "Discharge", "Sieve",
                                        "Sieve Type", "Sieve Layer", "Seperator", "WaterBase", "WaterSub", "WaterSep",
                                        "FillType", "Retention", "Permeability", "Clogging", "Geotextile"}));

    // The values are the texts the pages showed.
    struct Entry
    {
        const char* section;
        const char* key;
        const char* value;
    };
    const Entry entries[] = {
        {"Units", "VALUE", "english"},
        {"Geometry coefficient b", "VALUE", "24."},
        {"Width of permeable base", "VALUE", "14."},
        {"Longitudinal slope", "VALUE", "0.0200"},
        {"Resultant slope", "VALUE", "0.0361"},
        {"Resultant length of flow through base", "VALUE", "16.83"},
        {"Length of contributing transverse joints or cracks", "VALUE", "12."},
        {"Rate of pavement infiltration", "VALUE", "0.56571"},
        {"Crack infiltration rate", "VALUE", "2.4"},
        {"Percent drained", "VALUE", "50."},
        {"Percent saturation", "VALUE", "55.224"},
        {"Time to drain", "VALUE", "1.23"},
        {"Apparent opening size", "VALUE", "1.6e-002"},
        {"Pipe diameter", "VALUE", "6."},
        {"Manning's coefficient", "VALUE", "0.012"},
        {"Pipe flow", "VALUE", "74261.1"},
        {"Outlet spacing", "VALUE", "9376.5"},
        {"Heave rate", "VALUE", ""},
        {"Geotextile", "Permeability", "2.0"},
        {"Pavememt", "k", "0"},
        {"Base", "Thickness", "0.5"},
        {"Base", "D10", "0.0743"},
        {"Base", "D85", "0.8228"},
        {"Base", "CU", "6.62"},
        {"Base", "k", "726.056"},
        {"Base", "Porosity", "0.335"},
        {"Base", "Effective Porosity", "0.300"},
        {"Base", "Minimum Thickness", "0.22515"},
        {"Base", "Water", "2.00"},
        {"Base", "Description", "<user defined>"},
        {"Base", "0.001mm_1", ""},
        {"Base", "#200_0", "2.0"},
        {"Subgrade", "p200", "40.0"},
        {"Subgrade", "CU", "5.0000"},
        {"Subgrade", "D15", "0.0060"},
        {"Seperator", "Min_k", "5.00e-001"},
        {"Controls", "Infiltration Method", "crack"},
        {"Controls", "Meltwater", "no"},
        {"Controls", "Base", "TTD"},
        {"Controls", "Seperator", "geotextile"},
        {"Controls", "Edge Drain", "pipe"},
        {"Controls", "Discharge", "Infiltration"},
        {"Controls", "Sieve Type", "value"},
    };
    for (const Entry& entry : entries)
        EXPECT_EQ(IniValue(path, entry.section, entry.key), entry.value) << entry.section << " " << entry.key;
    for (const SieveEntry& sieve : BaseSieves)
        EXPECT_EQ(IniValue(path, "Base", sieve.key), sieve.kept) << sieve.key;
}

void OutsideDesign::NewThenOpenBringsEveryValueBack()
{
    ChooseMenuCommand(q().Main(), MenuNew);
    ASSERT_TRUE(WaitUntil([] { return Text(q().Main()) == "Quarrow - Unsaved File"; })) << Text(q().Main());
    EXPECT_TRUE(q().NoBoxWithin(500)) << "the design was saved: no question";
    EXPECT_TRUE(WaitUntil([] { return q().SummaryText(SumW).empty(); })) << q().SummaryText(SumW);
    EXPECT_EQ(q().SummaryText(SumQ), "");
    EXPECT_EQ(q().SummaryText(SumBase), "Base - Undefined");
    ASSERT_TRUE(q().ShowPage(RoadwayPage));
    EXPECT_EQ(q().PageText(RwB), "");

    // The new design has changes of its own, so opening asks first.
    ChooseMenuCommand(q().Main(), MenuOpen);
    ExpectBox(SavePrompt, IDNO);
    const std::string path = installation().PathOf("design.qrw");
    ASSERT_TRUE(AnswerFileDialog(q().Id(), OpenTitle, path)) << "no open dialog, or it did not close";
    EXPECT_TRUE(WaitUntil([] { return Text(q().Main()) == "Quarrow - design.qrw"; })) << Text(q().Main());

    const std::pair<int, const char*> summary[] = {
        {SumW, "14."}, {SumSr, "0.0361"}, {SumLr, "16.83"}, {SumQi, "0.56571"}, {SumQm, ""},
        {SumH, "0.5"}, {SumU, "50."}, {SumT, "1.23"}, {SumD, "6."}, {SumLo, "9376.5"}, {SumQ, "74261.1"},
        {SumBase, "Base - Defined"}, {SumSubgrade, "Subgrade - Undefined"}, {SumSeparator, "Separator - Geotextile"}};
    for (const auto& [id, text] : summary)
        EXPECT_EQ(q().SummaryText(id), text) << "summary control " << id;
    ASSERT_TRUE(q().ShowPage(RoadwayPage));
    EXPECT_EQ(q().PageText(RwB), "24.");
    EXPECT_EQ(q().PageText(RwC), "2.");
    EXPECT_EQ(q().PageText(RwLr), "16.83");
    ASSERT_TRUE(q().ShowPage(SievePage));
    EXPECT_EQ(q().PageText(SvD10), "0.0743");
    EXPECT_EQ(q().PageText(SvK), "726.056");
    ASSERT_TRUE(q().ShowPage(EdgeDrainPage));
    EXPECT_EQ(q().PageText(EdQ), "74261.1");

    // Saved again, the design gives the same file: every stored value came back.
    const std::string again = installation().PathOf("design2.qrw");
    ChooseMenuCommand(q().Main(), MenuSaveAs);
    ASSERT_TRUE(AnswerFileDialog(q().Id(), SaveTitle, again));
    ASSERT_TRUE(WaitUntil([&] { return Text(q().Main()) == "Quarrow - design2.qrw"; })) << Text(q().Main());
    EXPECT_EQ(FileBytes(again), FileBytes(path));
}

void OutsideDesign::AForeignFileIsRefused()
{
    // A picture of 1 x 1 pixel under a project file's name.
    const std::string path = installation().PathOf("picture.qrw");
    {
        const unsigned char bmp[] = {'B', 'M', 58, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0,
                                     1, 0, 24, 0, 0, 0, 0, 0, 4, 0, 0, 0, 0x13, 0x0B, 0, 0, 0x13, 0x0B, 0, 0, 0, 0, 0, 0,
                                     0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0};
        HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        DWORD written = 0;
        WriteFile(file, bmp, sizeof bmp, &written, nullptr);
        CloseHandle(file);
    }
    ChooseMenuCommand(q().Main(), MenuOpen);
    ASSERT_TRUE(AnswerFileDialog(q().Id(), OpenTitle, path)) << "no open dialog, or it did not close";
    ExpectBox("The file is not a QUARROW data file:\n" + path, IDOK);
    EXPECT_EQ(Text(q().Main()), "Quarrow - design2.qrw");
    EXPECT_EQ(q().SummaryText(SumW), "14.");
}

void OutsideDesign::GradationPlotStartsFennickThenReloadsIt()
{
    ASSERT_TRUE(q().ShowPage(SievePage));
    ASSERT_TRUE(q().Press(SvGradation));
    ASSERT_TRUE(WaitUntil([] { return IsWindowEnabled(q().PageControl(SvPlot)); })) << "the plot button stays off";
    ASSERT_TRUE(q().Press(SvPlot));
    const std::string log = installation().PathOf("fennick-standin.log");
    ASSERT_TRUE(WaitUntil([&] { return !Lines(FileBytes(log)).empty(); })) << "Fennick was not started";
    EXPECT_EQ(Lines(FileBytes(log)), std::vector<std::string>{"start 0"});

    // The base gradation in millimetres (English units on the 0.45-power scale), then the end row and
    // the layer's description.
    const std::string plot = FileBytes(installation().PathOf("plot.tmp"));
    ASSERT_FALSE(plot.empty());
    EXPECT_EQ(Lines(plot).front(), "0 0 0 0");
    EXPECT_EQ(plot.size(), 106u) << plot;

    // A second plot while Fennick runs: no second Fennick, a reload through automation.
    ASSERT_TRUE(q().Press(SvGradation));
    ASSERT_TRUE(WaitUntil([] { return IsWindowEnabled(q().PageControl(SvPlot)); })) << "the plot button stays off";
    ASSERT_TRUE(q().Press(SvPlot));
    EXPECT_TRUE(WaitUntil([&] { return Lines(FileBytes(log)).size() >= 2; })) << "no reload";
    EXPECT_EQ(Lines(FileBytes(log)), (std::vector<std::string>{"start 0", "put 1 VT_R4 1.000"}));
    EXPECT_EQ(ProcessesOf(installation().PathOf("fennick.exe")).size(), 1u);
}

void OutsideDesign::HtmlSummaryExport()
{
    ShellOpenRecorder recorder(installation());
    ASSERT_TRUE(recorder.IsReady());
    const std::string path = installation().PathOf("summary.htm");
    ChooseMenuCommand(q().Main(), MenuExport);
    ASSERT_TRUE(AnswerFileDialog(q().Id(), SummaryTitle, path)) << "no save dialog, or it did not close";
    const std::string opened = installation().PathOf("open-recorder.log");
    ASSERT_TRUE(WaitUntil([&] { return !FileBytes(opened).empty(); })) << "the shell did not open the summary";
    EXPECT_NE(FileBytes(opened).find(path), std::string::npos) << FileBytes(opened);

    const std::vector<std::string> lines = Lines(FileBytes(path));
    ASSERT_GT(lines.size(), 10u);
    EXPECT_EQ(lines[0], "<html>");
    EXPECT_EQ(lines[1], "<title>QUARROW Summary File - " + path + "</title>");
    EXPECT_EQ(lines[3], "<h2>Summary of QUARROW file - design2.qrw</h2>");
    const auto has = [&](const std::string& line) {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    };
    for (const char* line : {
             "Width of drainage path (W) = 14.   ft<br>",
             "Resultant slope of drainage path (S<sub>R</sub>) = 0.0361   ft/ft<br>",
             "<TR><TD>D<sub>10</sub> = </TD><TD>0.0743   in<br> </TD></TR>",
             "<TR><TD>#200</TD><TD>2.0</TD></TR>",
             "Rate of infiltration through surface (q<sub>i</sub>) = 0.56571   ft<sup>3</sup>/d/ft<sup>2</sup><br>",
             "AOS >= 3D<sub>15</sub><sup>Subgrade</sup> -------- Fail<br>",
             "Pipe diameter (D) = 6.   in<br>",
             "<p style=\"line-height: 150%\" >Pipe capacity (Q) = 74261.1   ft<sup>3</sup>/day<br>",
             "Outlet spacing (L<sub>o</sub>) = 9376.5   ft<br>",
         })
        EXPECT_TRUE(has(line)) << line;
    EXPECT_EQ(lines.back(), "</html>");
}

// The heave determination table of the inflow page: one click on a row and OK give the row's rate.
// The row under the click depends on the table's font, so the rate is one of those the rows give.
void OutsideDesign::HeaveRateFromAClickedRowOfItsTable()
{
    ASSERT_TRUE(q().ShowPage(InflowPage));
    Click(q().PageControl(InMeltwater));
    ASSERT_TRUE(WaitUntil([] { return IsWindowEnabled(q().PageControl(InHeave)) != FALSE; }))
        << "the heave button stays off";
    ASSERT_TRUE(q().Press(InHeave));
    HWND dialog = WaitForTopWindow(q().Id(), "Heave Determination");
    ASSERT_NE(dialog, nullptr);
    HWND table = GetDlgItem(dialog, 1121);
    RECT client{};
    GetClientRect(table, &client);
    ClickAt(table, POINT{client.right / 2, client.bottom / 2});
    Click(GetDlgItem(dialog, IDOK));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(dialog); }));
    const std::vector<std::string> rates = {"0.11", "0.12", "0.15", "0.16", "0.2", "0.24", "0.29", "0.3", "0.33",
                                            "0.51", "0.77", "0.98", "2.6e-002", "3.1e-002", "3.3e-002", "7.9e-002",
                                            "8.9e-002", "9.8e-002"};
    const std::string rate = q().PageText(InHeaveRate);
    EXPECT_NE(std::find(rates.begin(), rates.end(), rate), rates.end()) << "heave rate \"" << rate << "\"";
    // The design goes on without meltwater.
    Click(q().PageControl(InMeltwater));
    EXPECT_TRUE(WaitUntil([] { return !IsChecked(q().PageControl(InMeltwater)); }));
}

void OutsideDesign::MetricUnitsConvertTheShownValues()
{
    ASSERT_TRUE(q().ShowPage(RoadwayPage));
    ChooseMenuCommand(q().Main(), MenuMetric);
    EXPECT_TRUE(WaitUntil([] { return q().SummaryText(SumUnitW) == "m"; })) << q().SummaryText(SumUnitW);
    const std::pair<int, const char*> roadway[] = {
        {RwB, "7.3152"}, {RwC, "0.6096"}, {RwW, "4.2672"}, {RwLr, "5.1298"}, {RwS, "0.0200"}, {RwSr, "0.0361"}};
    for (const auto& [id, text] : roadway)
        EXPECT_EQ(q().PageText(id), text) << "roadway control " << id;
    const std::pair<int, const char*> summary[] = {
        {SumW, "4.2672"}, {SumLr, "5.1298"}, {SumH, "0.1524"}, {SumQi, "1.9958e-006"}, {SumSr, "0.0361"},
        {SumUnitSr, "m/m"}, {SumUnitLr, "m"}, {SumUnitH, "m"}, {SumUnitD, "mm"}, {SumUnitLo, "m"}};
    for (const auto& [id, text] : summary)
        EXPECT_EQ(q().SummaryText(id), text) << "summary control " << id;
    ASSERT_TRUE(q().ShowPage(SievePage));
    EXPECT_EQ(q().PageText(SvD15), "2.6848");
}

void OutsideDesign::ExitWithUnsavedChangesAsksAndNoEndsWithoutWriting()
{
    const std::vector<std::string> files = installation().FileNames();
    const std::string saved = FileBytes(installation().PathOf("design2.qrw"));
    ChooseMenuCommand(q().Main(), MenuExit);
    ExpectBox(SavePrompt, IDNO);
    EXPECT_TRUE(q().Program().WaitForExit(10000)) << "Quarrow still runs";
    EXPECT_EQ(installation().FileNames(), files);
    EXPECT_EQ(FileBytes(installation().PathOf("design2.qrw")), saved);
}

TEST_F(OutsideDesign, AWholeDesignFromTheRoadwayToTheEdgeDrainSavedOpenedPlottedExportedAndLeft)
{
    const struct
    {
        const char* pszStep;
        void (OutsideDesign::*pfnStep)();
    } steps[] = {
        {"RoadwayGeometryComputesWidthSlopeAndLength", &OutsideDesign::RoadwayGeometryComputesWidthSlopeAndLength},
        {"SieveAnalysisOfTheBaseFromTheTypedTable", &OutsideDesign::SieveAnalysisOfTheBaseFromTheTypedTable},
        {"MaterialPropertiesOfTheBase", &OutsideDesign::MaterialPropertiesOfTheBase},
        {"InflowByTheCrackMethod", &OutsideDesign::InflowByTheCrackMethod},
        {"PermeableBaseTimeToDrainAndDepthOfFlow", &OutsideDesign::PermeableBaseTimeToDrainAndDepthOfFlow},
        {"GeotextileSeparatorIsChecked", &OutsideDesign::GeotextileSeparatorIsChecked},
        {"EdgeDrainPipeCapacityAndOutletSpacing", &OutsideDesign::EdgeDrainPipeCapacityAndOutletSpacing},
        {"SaveAsWritesEveryKeyOfTheProjectFile", &OutsideDesign::SaveAsWritesEveryKeyOfTheProjectFile},
        {"NewThenOpenBringsEveryValueBack", &OutsideDesign::NewThenOpenBringsEveryValueBack},
        {"AForeignFileIsRefused", &OutsideDesign::AForeignFileIsRefused},
        {"GradationPlotStartsFennickThenReloadsIt", &OutsideDesign::GradationPlotStartsFennickThenReloadsIt},
        {"HtmlSummaryExport", &OutsideDesign::HtmlSummaryExport},
        {"HeaveRateFromAClickedRowOfItsTable", &OutsideDesign::HeaveRateFromAClickedRowOfItsTable},
        {"MetricUnitsConvertTheShownValues", &OutsideDesign::MetricUnitsConvertTheShownValues},
        {"ExitWithUnsavedChangesAsksAndNoEndsWithoutWriting", &OutsideDesign::ExitWithUnsavedChangesAsksAndNoEndsWithoutWriting},
    };
    for (const auto& step : steps)
    {
        SCOPED_TRACE(step.pszStep);
        ASSERT_TRUE(q().Program().IsRunning()) << "Quarrow has ended";
        const bool bFailedBefore = HasFailure();
        (this->*step.pfnStep)();
        // A picture of the screen the step left, for the step that failed first.
        if (HasFailure() && !bFailedBefore)
            q().SavePicture(std::string("outside-") + step.pszStep);
        if (HasFatalFailure())
            return;
    }
}
