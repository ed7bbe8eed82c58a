// The automation property "SieveSize" of the document: its dispatch id and type, its value, and the
// reload rule that setting it runs on the application.
#include "FennickTestSupport.h"

#include "framework/ole/DispatchDriver.h"

namespace {

class ReloadProperty : public ::testing::Test
{
protected:
    CRecordingFennickApp app;
    std::string folder;
    CFennickDoc* pDoc = nullptr;

    void SetUp() override
    {
        folder = FreshFolder("reload");
        app.m_strInstallDir = folder.c_str();
        app.m_nGradationCount = 1;
        // A client's object, as the template server makes it.
        pDoc = new CFennickDoc;
        pDoc->m_bEmbedded = TRUE;
        ASSERT_TRUE(pDoc->OnNewDocument());
    }

    void TearDown() override
    {
        // The creator's reference goes: the document closes and deletes itself.
        pDoc->InternalRelease();
    }

    void WritePlotFile(const std::string& text) { WriteFile(folder + "\\plot.tmp", text); }

    void SetSieveSize(float fValue)
    {
        COleDispatchDriver driver(pDoc->GetIDispatch(FALSE), FALSE);
        driver.SetProperty(1, VT_R4, fValue);
    }
};

TEST_F(ReloadProperty, SieveSizeIsDispatchIdOneOfTheDocumentsInterface)
{
    LPDISPATCH lpDispatch = pDoc->GetIDispatch(FALSE);
    OLECHAR name[] = L"SieveSize";
    LPOLESTR names[] = {name};
    DISPID dispid = 0;
    ASSERT_EQ(lpDispatch->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &dispid), S_OK);
    EXPECT_EQ(dispid, 1);

    IUnknown* pInterface = nullptr;
    ASSERT_EQ(lpDispatch->QueryInterface(IID_IFennickDocument, reinterpret_cast<void**>(&pInterface)), S_OK);
    pInterface->Release();
}

TEST_F(ReloadProperty, ReadingGivesZeroWhateverWasSet)
{
    WritePlotFile("7 0 0 0 0\n");
    COleDispatchDriver driver(pDoc->GetIDispatch(FALSE), FALSE);
    for (float fSet : {1.0f, 2.5f})
    {
        driver.SetProperty(1, VT_R4, fSet);
        float fValue = -1.0f;
        driver.GetProperty(1, VT_R4, &fValue);
        EXPECT_EQ(fValue, 0.0f);
    }
}

TEST_F(ReloadProperty, AnyValueReadsTheFileAgain)
{
    for (float fValue : {1.0f, 0.0f})
    {
        SCOPED_TRACE(fValue);
        app.opened.clear();
        WritePlotFile("4 1 0 0 40100\n1 2\na\n3 4\nb\n5 6\nc\n7 8\nd\n");
        SetSieveSize(fValue);
        EXPECT_EQ(app.opened, (std::vector<int>{7}));
        EXPECT_EQ(app.m_dPointTables[7][0][1], 4.0);
        EXPECT_EQ(app.m_strCurveCaptions[9], "d");
    }
}

TEST_F(ReloadProperty, GradationsOfBaseAndSubgradeAreNumberedTheSeparatorIsNot)
{
    struct Case
    {
        int nKind;
        int nCountAtOpen;
    };
    for (const Case& c : {Case{0, 2}, Case{1, 2}, Case{2, 1}})
    {
        SCOPED_TRACE(c.nKind);
        app.m_nGradationCount = 1;
        app.opened.clear();
        app.gradationCounts.clear();
        WritePlotFile(std::to_string(c.nKind) + " 0 0 0\n0.075 5\n0 0\nlayer");
        SetSieveSize(1.0f);
        EXPECT_EQ(app.opened, (std::vector<int>{CFennickApp::GradationPlot}));
        EXPECT_EQ(app.gradationCounts, (std::vector<int>{c.nCountAtOpen}));
        EXPECT_EQ(app.m_nGradationCount, c.nCountAtOpen);
    }
}

TEST_F(ReloadProperty, TwoReloadsOfABaseGradationHaveConsecutiveNumbers)
{
    WritePlotFile("0 0 0 0\n0.075 5\n0 0\nBase");
    SetSieveSize(1.0f);
    SetSieveSize(1.0f);
    EXPECT_EQ(app.gradationCounts, (std::vector<int>{2, 3}));
}

TEST_F(ReloadProperty, AMissingFileOrOneWithoutANumberDoesNothing)
{
    SetSieveSize(1.0f);
    WritePlotFile("no number here\n");
    SetSieveSize(1.0f);
    WritePlotFile("");
    SetSieveSize(1.0f);
    EXPECT_TRUE(app.opened.empty());
    EXPECT_EQ(app.nFrontCalls, 0);
    EXPECT_EQ(app.m_nGradationCount, 1);
}

} // namespace
