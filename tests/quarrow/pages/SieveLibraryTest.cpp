// The gradation library of the sieve analysis page in the real main dialog, on a temporary
// installation folder: the .sgd file format, the list, Add, loading an entry and Remove.
#include "tests/quarrow/pages/SievePageTestSupport.h"

#include <fstream>
#include <iterator>

#include "quarrow/pages/AddGradationDlg.h"
#include "quarrow/pages/GradationLibrary.h"
#include "tests/quarrow/pages/LibraryGolden.h"

namespace {

std::string FileBytes(const CString& strPath)
{
    std::ifstream file(static_cast<LPCTSTR>(strPath), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

bool FileExists(const CString& strPath)
{
    return ::GetFileAttributesA(strPath) != INVALID_FILE_ATTRIBUTES;
}

void WriteBytes(const CString& strPath, const std::string& bytes)
{
    std::ofstream file(static_cast<LPCTSTR>(strPath), std::ios::binary);
    file << bytes;
}

// ---- The file format ----

CGradationLibrary::Gradation EmptyGradation()
{
    CGradationLibrary::Gradation gradation;
    for (auto& row : gradation.rows)
        row[0] = row[1] = row[2] = -1.0;
    for (double& value : gradation.material)
        value = -1.0;
    return gradation;
}

TEST(GradationLibraryFile, RowsThenTheMaterialLineAsPercentFormats)
{
    CGradationLibrary::Gradation gradation = EmptyGradation();
    const struct { int nRow; double value; } values[] = {
        {3, 5}, {8, 15}, {13, 30}, {14, 45}, {15, 60}, {17, 85}, {18, 100}};
    for (const auto& v : values)
        gradation.rows[v.nRow][0] = gradation.rows[v.nRow][1] = gradation.rows[v.nRow][2] = v.value;
    gradation.material[CGradationLibrary::UnitWeight] = 2000 * 0.06242976651267324;
    gradation.material[CGradationLibrary::SpecificGravity] = 2.65;
    gradation.material[CGradationLibrary::Porosity] = 0.245;
    gradation.material[CGradationLibrary::Permeability] = 115.851 * 3.280839895013123;
    const std::string text = CGradationLibrary::Format(gradation);
    EXPECT_EQ(text, GoldenText(IDR_GOLDEN_LIBRARY_CRUSHED_57));
    EXPECT_EQ(text.size(), 291u);

    // Ranges keep their three numbers; small numbers get a two-digit exponent.
    CGradationLibrary::Gradation range = EmptyGradation();
    range.rows[0][0] = 0.5;
    range.rows[0][1] = 2.25;
    range.rows[0][2] = 4;
    range.material[CGradationLibrary::Permeability] = 3.5e-05;
    const std::string rangeText = CGradationLibrary::Format(range);
    EXPECT_EQ(rangeText.substr(0, 14), "0.5 2.25 4\r\n -");
    EXPECT_EQ(rangeText.substr(rangeText.size() - 22), "1\r\n -1 -1 -1 3.5e-05\r\n");
}

TEST(GradationLibraryFile, ReadingTakesTheNumbersInTheirOrderAndNeedsAll72)
{
    CGradationLibrary::Gradation read = EmptyGradation();
    ASSERT_TRUE(CGradationLibrary::Parse(GoldenText(IDR_GOLDEN_LIBRARY_CRUSHED_57) + "tail that is ignored", read));
    EXPECT_EQ(read.rows[3][1], 5.0);
    EXPECT_EQ(read.rows[18][2], 100.0);
    EXPECT_EQ(read.rows[23][0], -1.0);
    EXPECT_EQ(read.material[CGradationLibrary::UnitWeight], 124.86);
    EXPECT_EQ(read.material[CGradationLibrary::Permeability], 380.089);

    std::string rows;
    for (int i = 0; i < 24; ++i)
        rows += " 10 20 30\n";
    const struct { std::string text; bool bRead; double dLastMaterial; } cases[] = {
        {rows, true, -1.0},                              // no material line: every value -1
        {rows + "120 2.6", true, -1.0},
        {rows + "120 2.6 0.3 1000 77", true, 1000.0},
        {rows + "120 x 0.3 1000", true, -1.0},           // the values stop at a word
        {rows.substr(0, rows.size() - 4), false, 0},     // 71 numbers
        {"10 20 abc" + rows, false, 0},
        {"150" + rows.substr(3), false, 0},              // no percentage
        {"-2" + rows.substr(3), false, 0},
        {"1e999" + rows.substr(3), false, 0},
        {"", false, 0},
    };
    for (const auto& c : cases) {
        CGradationLibrary::Gradation gradation = EmptyGradation();
        gradation.material[CGradationLibrary::Permeability] = 42.0;
        EXPECT_EQ(CGradationLibrary::Parse(c.text, gradation), c.bRead) << c.text.substr(0, 30);
        if (c.bRead)
            EXPECT_EQ(gradation.material[CGradationLibrary::Permeability], c.dLastMaterial) << c.text.substr(0, 30);
        else
            EXPECT_EQ(gradation.material[CGradationLibrary::Permeability], 42.0) << "a refused file changes nothing";
    }
}

// ---- The library on the page ----

// A temporary installation with its library folder, emptied again afterwards.
class SieveLibraryTest : public SievePageTest
{
protected:
    SieveLibraryTest()
    {
        ::CreateDirectoryA(m_strInstallDir, nullptr);
        ::CreateDirectoryA(Library(), nullptr);
    }
    ~SieveLibraryTest() override
    {
        WIN32_FIND_DATAA found;
        HANDLE hSearch = ::FindFirstFileA(Library() + "*", &found);
        if (hSearch != INVALID_HANDLE_VALUE) {
            do {
                if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
                    ::RemoveDirectoryA(Library() + found.cFileName);
                else
                    ::DeleteFileA(Library() + found.cFileName);
            } while (::FindNextFileA(hSearch, &found));
            ::FindClose(hSearch);
        }
        ::RemoveDirectoryA(Library());
        ::DeleteFileA(m_strInstallDir + "\\x.sgd");
        ::RemoveDirectoryA(m_strInstallDir);
    }

    CString Library() const { return m_strInstallDir + "\\GradFiles\\"; }
    CString EntryFile(const char* pszName) const { return Library() + pszName + ".sgd"; }
    void PutEntry(const char* pszName, const std::string& bytes) const { WriteBytes(EntryFile(pszName), bytes); }

    // Add with the dialog answered: the name typed and OK. A dialog that refuses the name is
    // cancelled; bDialogShown tells whether the dialog came at all.
    void Add(SievePage& page, const char* pszName, bool* pbDialogShown = nullptr)
    {
        bool bShown = false;
        CFunctionModalHook hook([&](CWnd* pWnd) {
            auto* pDialog = dynamic_cast<CAddGradationDlg*>(pWnd);
            ASSERT_NE(pDialog, nullptr);
            bShown = true;
            ::SetDlgItemTextA(pDialog->GetSafeHwnd(), IDC_AG_NAME, pszName);
            ::SendMessageA(::GetDlgItem(pDialog->GetSafeHwnd(), IDOK), BM_CLICK, 0, 0);
            if (pDialog->m_nFlags & CWnd::WF_CONTINUEMODAL)
                pDialog->EndDialog(IDCANCEL);
        });
        CScopedModalHook scopedHook(&hook);
        page.Click(IDC_SV_ADD);
        if (pbDialogShown != nullptr)
            *pbDialogShown = bShown;
    }

    // Chooses a list entry as the mouse does: the selection changes, the page is told.
    static void Choose(SievePage& page, const char* pszName)
    {
        CComboBox& list = page.m_page.m_cboLibrary;
        const int nEntry = list.FindStringExact(-1, pszName);
        ASSERT_NE(nEntry, CB_ERR) << pszName;
        list.SetCurSel(nEntry);
        page.m_page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SV_LIBRARY, CBN_SELCHANGE),
                                reinterpret_cast<LPARAM>(list.GetSafeHwnd()));
        PumpMessages();
    }

    static std::vector<std::string> Entries(SievePage& page)
    {
        std::vector<std::string> entries;
        CComboBox& list = page.m_page.m_cboLibrary;
        for (int i = 0; i < list.GetCount(); ++i) {
            CString strEntry;
            list.GetLBText(i, strEntry);
            entries.push_back(static_cast<LPCTSTR>(strEntry));
        }
        return entries;
    }

    CString m_strInstallDir = FreshTempPath("library");
    TestInstallation m_tempInstall{m_strInstallDir};
};

void EnterCrushed57(SievePage& page)
{
    page.SetValues({{No200, "5"}, {No40, "15"}, {No8, "30"}, {No4, "45"}, {ThreeEighths, "60"},
                    {ThreeQuarters, "85"}, {One, "100"}});
}

// The material of the base as computed or typed before (the edits show the record's texts).
void Crushed57Material(CProjectData& data)
{
    data.m_strBaseUnitWeight = "2000";
    data.m_strBaseSpecificGravity = "2.65";
    data.m_strBasePorosity = "0.245";
    data.m_strBaseK = "115.851";
}

TEST_F(SieveLibraryTest, TheListHoldsUserDefinedThenTheFolderEntries)
{
    PutEntry("Open graded", "");
    PutEntry("Dense", "");
    WriteBytes(Library() + "notes.txt", "");
    ::CreateDirectoryA(Library() + "folder.sgd", nullptr);
    Run([&](SievePage& page) {
        std::vector<std::string> entries = Entries(page);
        ASSERT_EQ(entries.size(), 3u);
        EXPECT_EQ(entries[0], "<user defined>");
        std::sort(entries.begin() + 1, entries.end());
        EXPECT_EQ(entries[1], "Dense");
        EXPECT_EQ(entries[2], "Open graded");
    });
}

TEST_F(SieveLibraryTest, AddSavesTheTableAndMaterialInEnglishUnitsAndSelectsIt)
{
    Run(
        [&](SievePage& page) {
            EnterCrushed57(page);
            Add(page, "Crushed 57");
            EXPECT_EQ(FileBytes(EntryFile("Crushed 57")), GoldenText(IDR_GOLDEN_LIBRARY_CRUSHED_57));
            EXPECT_EQ(page.LibrarySelection(), "Crushed 57");
            EXPECT_EQ(page.m_data.m_strBaseDescription, "Crushed 57");
            EXPECT_EQ(Entries(page).size(), 2u);
            // The analysis ran first, and the material stays.
            EXPECT_EQ(page.m_data.m_strBaseD10, "0.2106");
            EXPECT_EQ(page.m_data.m_strBaseUnitWeight, "2000");
            EXPECT_TRUE(page.m_page.m_bLibraryMaterial);
        },
        [](CProjectData& data) {
            data.m_strUnits = "metric";
            data.m_strMode = "expert";
            Crushed57Material(data);
        });
    EXPECT_TRUE(m_messages.calls.empty());
}

TEST_F(SieveLibraryTest, AMaterialValueBeyondTheLibrarysNumbersIsRefusedAndNoFileWritten)
{
    bool bDialogShown = true;
    Run(
        [&](SievePage& page) {
            EnterCrushed57(page);
            Add(page, "Huge", &bDialogShown);
        },
        [](CProjectData& data) {
            data.m_strUnits = "metric";
            data.m_strMode = "expert";
            Crushed57Material(data);
            // Metres a day beyond what feet a day can hold.
            data.m_strBaseK = "1.5e+308";
        });
    EXPECT_FALSE(bDialogShown);
    EXPECT_EQ(::GetFileAttributesA(EntryFile("Huge")), INVALID_FILE_ATTRIBUTES);
    ASSERT_EQ(m_messages.calls.size(), 1u);
    EXPECT_EQ(m_messages.calls[0].text, "A material value is too large for the library.");
    EXPECT_EQ(m_messages.calls[0].nType & 0xF, static_cast<UINT>(MB_OKCANCEL));
}

TEST_F(SieveLibraryTest, LoadingAnEntryFillsTheLayerWithItsTableAndMaterial)
{
    PutEntry("Crushed 57", GoldenText(IDR_GOLDEN_LIBRARY_CRUSHED_57));
    Run(
        [&](SievePage& page) {
            CProjectData& data = page.m_data;
            Choose(page, "Crushed 57");
            EXPECT_TRUE(m_messages.calls.empty()) << "a library table is replaced without asking";
            const struct { int nRow; const char* pszText; } texts[] = {
                {No200, "5.0"}, {No40, "15.0"}, {No8, "30.0"}, {No4, "45.0"}, {ThreeEighths, "60.0"},
                {ThreeQuarters, "85.0"}, {One, "100.0"}, {0, ""}, {Half, ""}, {ThreeAndHalf, ""}};
            for (const auto& t : texts) {
                EXPECT_EQ(page.Cell(t.nRow + 1, 1), t.pszText) << t.nRow;
                for (int nPart : {CProjectData::SieveLower, CProjectData::SieveValue, CProjectData::SieveUpper})
                    EXPECT_EQ(SieveText(data, 1, t.nRow, nPart), t.pszText) << t.nRow;
            }
            EXPECT_EQ(SieveNumber(data, 1, One, CProjectData::SieveUpper), 100.0);
            EXPECT_EQ(SieveNumber(data, 1, Half, CProjectData::SieveValue), -1.0);
            EXPECT_EQ(data.m_strSubgradeDescription, "Crushed 57");
            for (const CString* pResult : {&data.m_strSubgradeD10, &data.m_strSubgradeP200, &data.m_strSubgradeCc})
                EXPECT_TRUE(pResult->IsEmpty());
            EXPECT_EQ(page.Summary(IDC_SUBGRADE_STATUS), "Subgrade - Undefined");
            EXPECT_EQ(data.m_strSubgradeUnitWeight, "2000.0");
            EXPECT_EQ(data.m_strSubgradeSpecificGravity, "2.650");
            EXPECT_EQ(data.m_strSubgradePorosity, "0.245");
            EXPECT_EQ(data.m_strSubgradeK, "115.85");
            EXPECT_EQ(page.Text(IDC_SV_PERMEABILITY), "115.85");
            EXPECT_TRUE(data.m_strSubgradeWater.IsEmpty());
            EXPECT_TRUE(data.m_strSubgradeEffectivePorosity.IsEmpty());
            EXPECT_EQ(data.m_bSeparatorChecked, 0);
            // The base keeps its own.
            EXPECT_EQ(SieveText(data, 0, No200, CProjectData::SieveValue), "9.0");
            EXPECT_EQ(data.m_strBaseDescription, "<user defined>");
        },
        [](CProjectData& data) {
            data.m_strUnits = "metric";
            data.m_strSieveLayer = "subgrade";
            data.m_strSubgradeD10 = "0.1000";
            data.m_strSubgradeCc = "1.00";
            data.m_strSubgradeWater = "5.00";
            data.m_strSubgradeEffectivePorosity = "0.2";
            data.m_strSieve[No200][CProjectData::SieveValue] = "9.0";
            data.m_bSeparatorChecked = 1;
        });
}

TEST_F(SieveLibraryTest, AfterACellEditLoadingAsksFirstInNormalModeOnly)
{
    PutEntry("Crushed 57", GoldenText(IDR_GOLDEN_LIBRARY_CRUSHED_57));
    const char Question[] =
        "Selecting a gradation from the Material Library will overwrite previously entered <user defined> data.\n"
        "Select OK to overwrite current data or CANCEL to keep current user defined data.\n"
        "To permanently save <user defined> data use the Add button";
    Run([&](SievePage& page) {
        page.TypeIntoCell(No200 + 1, 1, "7");
        page.Key(VK_DOWN);
        ASSERT_EQ(page.Cell(No200 + 1, 1), "7");
        EXPECT_FALSE(page.m_page.m_bLibraryMaterial);

        m_messages.answers = {IDCANCEL};
        Choose(page, "Crushed 57");
        ASSERT_EQ(m_messages.calls.size(), 1u);
        EXPECT_EQ(m_messages.calls[0].text, Question);
        EXPECT_EQ(m_messages.calls[0].nType, static_cast<UINT>(MB_OKCANCEL));
        EXPECT_EQ(page.LibrarySelection(), "<user defined>");
        EXPECT_EQ(page.Cell(No200 + 1, 1), "7");
        EXPECT_EQ(page.m_data.m_strBaseDescription, "<user defined>");

        m_messages.answers = {IDOK};
        Choose(page, "Crushed 57");
        EXPECT_EQ(m_messages.calls.size(), 2u);
        EXPECT_EQ(page.Cell(No200 + 1, 1), "5.0");
        EXPECT_EQ(page.m_data.m_strBaseDescription, "Crushed 57");
    });

    m_messages.calls.clear();
    Run(
        [&](SievePage& page) {
            page.TypeIntoCell(No200 + 1, 1, "7");
            page.Key(VK_DOWN);
            Choose(page, "Crushed 57");
            EXPECT_EQ(page.Cell(No200 + 1, 1), "5.0");
        },
        [](CProjectData& data) { data.m_strMode = "expert"; });
    EXPECT_TRUE(m_messages.calls.empty());
}

TEST_F(SieveLibraryTest, TheLayersEntryIsTheOneOfItsWholeName)
{
    PutEntry("Crushed 57", GoldenText(IDR_GOLDEN_LIBRARY_CRUSHED_57));
    Run(
        [&](SievePage& page) {
            EXPECT_EQ(page.LibrarySelection(), "<none>");
            page.Click(IDC_SV_SUBGRADE);
            EXPECT_EQ(page.LibrarySelection(), "Crushed 57");
            // Stored, a layer without an entry keeps its own name.
            page.Click(IDC_SV_BASE);
            EXPECT_EQ(page.m_data.m_strBaseDescription, "Crushed");
        },
        [](CProjectData& data) {
            data.m_strBaseDescription = "Crushed";
            data.m_strSubgradeDescription = "crushed 57";
        });
}

TEST_F(SieveLibraryTest, AFileThatCannotBeReadChangesNothingAndSaysSo)
{
    PutEntry("Short", "1 2 3\r\n");
    Run(
        [&](SievePage& page) {
            Choose(page, "Short");
            ASSERT_EQ(m_messages.calls.size(), 1u);
            EXPECT_EQ(m_messages.calls[0].text,
                      "The library file could not be read:\n" + std::string(EntryFile("Short")));
            EXPECT_EQ(page.Cell(No4 + 1, 1), "45.0");
            EXPECT_EQ(SieveText(page.m_data, 0, No4, CProjectData::SieveValue), "45.0");
            EXPECT_EQ(page.m_data.m_strBaseDescription, "<user defined>");
            EXPECT_EQ(page.LibrarySelection(), "<user defined>");
            EXPECT_EQ(page.m_data.m_strBaseUnitWeight, "125.");
        },
        [](CProjectData& data) {
            data.m_strMode = "expert";
            data.m_strSieve[No4][CProjectData::SieveValue] = "45.0";
            data.m_strBaseUnitWeight = "125.";
        });
}

TEST_F(SieveLibraryTest, SavingUnderAnExistingNameReplacesTheWholeFile)
{
    PutEntry("Crushed 57", GoldenText(IDR_GOLDEN_LIBRARY_CRUSHED_57) + std::string(500, '9'));
    Run(
        [&](SievePage& page) {
            page.SetValues({{No4, "20"}, {ThreeEighths, "50"}});
            Add(page, "crushed 57");
            const std::string bytes = FileBytes(EntryFile("Crushed 57"));
            EXPECT_EQ(bytes, CGradationLibrary::Format([] {
                          CGradationLibrary::Gradation gradation = EmptyGradation();
                          gradation.rows[No4][0] = gradation.rows[No4][1] = gradation.rows[No4][2] = 20;
                          gradation.rows[ThreeEighths][0] = gradation.rows[ThreeEighths][1] =
                              gradation.rows[ThreeEighths][2] = 50;
                          return gradation;
                      }()));
            EXPECT_EQ(Entries(page).size(), 2u);
            EXPECT_EQ(page.LibrarySelection(), "Crushed 57");
            EXPECT_EQ(page.m_data.m_strBaseDescription, "crushed 57");
        },
        [](CProjectData& data) { data.m_strMode = "expert"; });
}

TEST_F(SieveLibraryTest, NamesMatchWholeAndRemoveDeletesOnlyTheChosenEntry)
{
    PutEntry("Base course", GoldenText(IDR_GOLDEN_LIBRARY_CRUSHED_57));
    Run(
        [&](SievePage& page) {
            page.SetValues({{No4, "20"}, {ThreeEighths, "50"}});
            Add(page, "Base");
            std::vector<std::string> entries = Entries(page);
            ASSERT_EQ(entries.size(), 3u);
            EXPECT_EQ(entries[2], "Base");
            EXPECT_EQ(page.LibrarySelection(), "Base");
            EXPECT_TRUE(FileExists(EntryFile("Base")));

            page.Click(IDC_SV_REMOVE);
            EXPECT_FALSE(FileExists(EntryFile("Base")));
            EXPECT_TRUE(FileExists(EntryFile("Base course")));
            entries = Entries(page);
            ASSERT_EQ(entries.size(), 2u);
            EXPECT_EQ(entries[1], "Base course");
            // The layer's table is emptied, its material user defined.
            EXPECT_EQ(page.Cell(No4 + 1, 1), "");
            EXPECT_EQ(SieveNumber(page.m_data, 0, No4, CProjectData::SieveValue), -1.0);
            EXPECT_EQ(SieveNumber(page.m_data, 0, No4, CProjectData::SieveLower), -1.0);
            EXPECT_EQ(page.m_data.m_strBaseDescription, "<user defined>");
            EXPECT_EQ(page.LibrarySelection(), "<user defined>");
            EXPECT_FALSE(page.m_page.m_bLibraryMaterial);
        },
        [](CProjectData& data) { data.m_strMode = "expert"; });
}

TEST_F(SieveLibraryTest, RemovingUserDefinedEmptiesTheTableAndDeletesNothing)
{
    PutEntry("Crushed 57", GoldenText(IDR_GOLDEN_LIBRARY_CRUSHED_57));
    Run(
        [&](SievePage& page) {
            ASSERT_EQ(page.LibrarySelection(), "<user defined>");
            page.Click(IDC_SV_REMOVE);
            for (int nPart : {CProjectData::SieveLower, CProjectData::SieveValue, CProjectData::SieveUpper}) {
                EXPECT_EQ(SieveNumber(page.m_data, 0, No200, nPart), -1.0);
                EXPECT_EQ(SieveText(page.m_data, 0, No200, nPart), "");
            }
            EXPECT_EQ(page.Cell(No200 + 1, 1), "");
            EXPECT_TRUE(page.m_data.m_strBaseD10.IsEmpty());
            EXPECT_EQ(Entries(page).size(), 2u);
            EXPECT_FALSE(page.m_page.m_bLibraryMaterial);
        },
        [](CProjectData& data) {
            for (int nPart : {CProjectData::SieveLower, CProjectData::SieveValue, CProjectData::SieveUpper}) {
                data.m_strSieve[No200][nPart] = "5.0";
                data.m_dSieve[No200][nPart] = 5.0;
            }
            data.m_strBaseD10 = "0.2106";
        });
    EXPECT_TRUE(FileExists(EntryFile("Crushed 57")));
}

TEST_F(SieveLibraryTest, ChoosingUserDefinedEmptiesTheLayersTable)
{
    PutEntry("Crushed 57", GoldenText(IDR_GOLDEN_LIBRARY_CRUSHED_57));
    Run(
        [&](SievePage& page) {
            Choose(page, "Crushed 57");
            Choose(page, "<user defined>");
            EXPECT_EQ(page.Cell(No200 + 1, 1), "");
            EXPECT_EQ(SieveText(page.m_data, 0, No200, CProjectData::SieveUpper), "");
            EXPECT_EQ(SieveNumber(page.m_data, 0, No200, CProjectData::SieveValue), -1.0);
            EXPECT_EQ(page.m_data.m_strBaseDescription, "<user defined>");
            EXPECT_TRUE(page.m_data.m_strBaseUnitWeight.IsEmpty());
        },
        [](CProjectData& data) { data.m_strMode = "expert"; });
}

TEST_F(SieveLibraryTest, NothingIsSavedFromAnEmptyOrDisorderedTableOrUnderARefusedName)
{
    Run(
        [&](SievePage& page) {
            bool bDialogShown = true;
            Add(page, "Empty", &bDialogShown);
            EXPECT_FALSE(bDialogShown);
            ASSERT_EQ(m_messages.calls.size(), 1u);
            EXPECT_EQ(m_messages.calls[0].text, "Enter sieve/gradation data before saving.");

            page.SetValues({{No200, "20"}, {No4, "10"}});
            Add(page, "Disordered", &bDialogShown);
            EXPECT_FALSE(bDialogShown);
            EXPECT_EQ(page.CellColour(No4 + 1, 1), RGB(255, 0, 0));
            EXPECT_EQ(m_messages.calls.size(), 1u);

            page.SetCell(No4 + 1, 1, "30");
            for (const char* pszName : {"../x", "..\\x", "CON"}) {
                Add(page, pszName, &bDialogShown);
                EXPECT_TRUE(bDialogShown);
            }
            EXPECT_EQ(Entries(page).size(), 1u);
        },
        [](CProjectData& data) { data.m_strMode = "expert"; });
    EXPECT_FALSE(FileExists(m_strInstallDir + "\\x.sgd"));
    WIN32_FIND_DATAA found;
    HANDLE hSearch = ::FindFirstFileA(Library() + "*.sgd", &found);
    EXPECT_EQ(hSearch, INVALID_HANDLE_VALUE) << found.cFileName;
    if (hSearch != INVALID_HANDLE_VALUE)
        ::FindClose(hSearch);
}

TEST_F(SieveLibraryTest, WithoutTheLibraryFolderTheListIsUserDefinedAloneAndAddSaysSo)
{
    ::RemoveDirectoryA(Library());
    Run(
        [&](SievePage& page) {
            EXPECT_EQ(Entries(page), std::vector<std::string>{"<user defined>"});
            page.SetValues({{No4, "20"}});
            Add(page, "Anything");
            ASSERT_EQ(m_messages.calls.size(), 1u);
            EXPECT_EQ(m_messages.calls[0].text, "File not created");
            EXPECT_EQ(Entries(page).size(), 1u);
            EXPECT_EQ(page.m_data.m_strBaseDescription, "<user defined>");
        },
        [](CProjectData& data) { data.m_strMode = "expert"; });
    EXPECT_FALSE(FileExists(Library()));
}

TEST_F(SieveLibraryTest, ARangeTableIsSavedWithTheMiddleAndLoadsBackAsItsBounds)
{
    Run(
        [&](SievePage& page) {
            page.SetCell(No200 + 1, 1, "2");
            page.SetCell(No200 + 1, 2, "8");
            page.SetCell(No4 + 1, 1, "30");
            page.SetCell(No4 + 1, 2, "55");
            Add(page, "Band");
            const std::string bytes = FileBytes(EntryFile("Band"));
            EXPECT_NE(bytes.find(" 2 5 8\r\n"), std::string::npos) << bytes;
            EXPECT_NE(bytes.find(" 30 42.5 55\r\n"), std::string::npos) << bytes;

            page.Click(IDC_SV_SUBGRADE);
            Choose(page, "Band");
            EXPECT_EQ(page.Cell(No4 + 1, 1), "30.0");
            EXPECT_EQ(page.Cell(No4 + 1, 2), "55.0");
            EXPECT_EQ(SieveText(page.m_data, 1, No4, CProjectData::SieveValue), "42.5");
        },
        [](CProjectData& data) {
            data.m_strMode = "expert";
            data.m_strSieveType = "range";
        });
}

} // namespace
