// Fennick's start-up in this process: the registry error that ends it, and a start that registers the
// automation server, shows the main frame and keeps no document of the plain start's own.
#include "FennickTestSupport.h"

#include "framework/ole/ObjectFactory.h"
#include "framework/win/SeamRecorders.h"

namespace {

const char RegistryErrorText[] = "Registry Error. Reinstall the QUARROW application.";

std::string ClassesRootValue(const std::string& subKey)
{
    char value[MAX_PATH] = {};
    LONG size = sizeof value;
    if (::RegQueryValueA(HKEY_CLASSES_ROOT, subKey.c_str(), value, &size) != ERROR_SUCCESS)
        return "(missing)";
    return value;
}

TEST(Startup, WithoutTheInstallationsRegistryValueItSaysSoAndEnds)
{
    struct Case
    {
        TestInstallation::Value value;
        int nAnswer;
    };
    for (const Case& c : {Case{TestInstallation::Value::Missing, IDOK}, Case{TestInstallation::Value::Missing, IDCANCEL},
                          Case{TestInstallation::Value::KeyOnly, IDOK}})
    {
        SCOPED_TRACE(std::to_string(int(c.value)) + " " + std::to_string(c.nAnswer));
        TestInstallation installation(c.value);
        CRecordingMessageBox box;
        box.defaultAnswer = c.nAnswer;
        CScopedMessageBoxSeam seam(&box);
        CFennickApp app;
        EXPECT_FALSE(app.InitInstance());
        ASSERT_EQ(box.calls.size(), 1u);
        EXPECT_EQ(box.calls[0].text, RegistryErrorText);
        EXPECT_EQ(box.calls[0].nType & MB_TYPEMASK, UINT(MB_OKCANCEL));
        EXPECT_EQ(app.m_pMainWnd, nullptr);
    }
}

class StartedFennick : public ::testing::Test
{
protected:
    std::string folder = FreshFolder("startup");

    void TearDown() override
    {
        AfxOleUnregisterClass(CLSID_FennickDocument, "Fennick.Document");
        ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Local AppWizard-Generated Applications");
    }

    static void Stop(CFennickApp& app)
    {
        if (app.m_pMainWnd != nullptr && app.m_pMainWnd->GetSafeHwnd() != nullptr)
            app.m_pMainWnd->DestroyWindow();
        PumpPendingMessages();
        app.ExitInstance();
    }

    static int DocumentCount(CFennickApp& app)
    {
        int nCount = 0;
        POSITION pos = app.GetFirstDocTemplatePosition();
        CDocTemplate* pTemplate = pos != nullptr ? app.GetNextDocTemplate(pos) : nullptr;
        for (POSITION doc = pTemplate != nullptr ? pTemplate->GetFirstDocPosition() : nullptr; doc != nullptr;)
        {
            pTemplate->GetNextDoc(doc);
            ++nCount;
        }
        return nCount;
    }
};

TEST_F(StartedFennick, RegistersTheServerShowsTheFrameAndRefusesThePlainNewDocument)
{
    TestInstallation installation(folder);
    // A kind that opens nothing: whatever document exists came from the start itself.
    WriteFile(folder + "\\plot.tmp", "7 0 0 0 0\n");
    CFennickApp app;
    ASSERT_TRUE(app.InitInstance());
    PumpPendingMessages();

    EXPECT_EQ(app.m_strInstallDir, CString(folder.c_str()));
    ASSERT_NE(app.m_pMainWnd, nullptr);
    EXPECT_TRUE(app.m_pMainWnd->IsWindowVisible());
    EXPECT_EQ(WindowText(app.m_pMainWnd->GetSafeHwnd()), "Fennick");
    EXPECT_EQ(DocumentCount(app), 0);
    EXPECT_EQ(app.m_nCurrentPlotType, CFennickApp::NoPlot);
    EXPECT_EQ(app.m_nGradationCount, 1);
    const double portrait[4] = {10, 60, 10, 90};
    const double landscape[4] = {10, 90, 10, 90};
    for (int i = 0; i < 4; ++i)
    {
        EXPECT_EQ(app.m_dPortraitPositions[i], portrait[i]);
        EXPECT_EQ(app.m_dLandscapePositions[i], landscape[i]);
    }

    const std::string clsid = ClassesRootValue("Fennick.Document\\CLSID");
    EXPECT_EQ(clsid, "{C3336F9F-1601-49E0-818E-8193F8F88F51}");
    EXPECT_EQ(ClassesRootValue("Fennick.Document"), "Fennic Document");
    EXPECT_NE(ClassesRootValue("CLSID\\" + clsid + "\\LocalServer32"), "(missing)");
    Stop(app);
}

TEST_F(StartedFennick, TheFirstPlotsOpenAtTheEndOfTheStart)
{
    TestInstallation installation(folder);
    WriteFile(folder + "\\plot.tmp", TimeToDrainFile(1, "6010010", {}));
    CFennickApp app;
    ASSERT_TRUE(app.InitInstance());
    PumpPendingMessages();
    EXPECT_EQ(DocumentCount(app), 2);
    auto* pFrame = dynamic_cast<CMDIFrameWnd*>(app.m_pMainWnd);
    ASSERT_NE(pFrame, nullptr);
    CMDIChildWnd* pActive = pFrame->MDIGetActive();
    ASSERT_NE(pActive, nullptr);
    EXPECT_EQ(WindowText(pActive->GetSafeHwnd()), "Thickness");
    Stop(app);
}

} // namespace
