// Shared helpers of Fennick's tests: an installation folder with its registry value, plot data
// files, an application object that records the plots it opens, and Fennick's windows in this
// process.
#pragma once

#include "fennick/ChildFrm.h"
#include "fennick/FennickApp.h"
#include "fennick/FennickDoc.h"
#include "fennick/FennickView.h"
#include "fennick/MainFrm.h"
#include "framework/docview/DocTemplate.h"
#include "resources/fennick/resource.h"
#include "tests/framework/WinTestSupport.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <array>
#include <cstdio>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

inline void PrintTo(const CString& text, std::ostream* os)
{
    *os << '"' << static_cast<LPCTSTR>(text) << '"';
}

// A new empty folder in the temporary folder, named by the process, the run and a counter (process
// ids repeat under Wine).
inline std::string FreshFolder(const char* name)
{
    static int counter = 0;
    static LARGE_INTEGER runStart = [] {
        LARGE_INTEGER now;
        ::QueryPerformanceCounter(&now);
        return now;
    }();
    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    std::string folder = std::string(temp) + "fennick-" + std::to_string(::GetCurrentProcessId()) + "-" +
                         std::to_string(runStart.QuadPart) + "-" + std::to_string(++counter) + "-" + name;
    ::CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

// Writes the text as it stands (binary), so a test decides every byte.
inline void WriteFile(const std::string& path, const std::string& text)
{
    FILE* pFile = std::fopen(path.c_str(), "wb");
    ASSERT_NE(pFile, nullptr) << path;
    std::fwrite(text.data(), 1, text.size(), pFile);
    std::fclose(pFile);
}

// Sets or removes HKCU "Software\Norrith\QUARROW" with its "ExecutePath" for one test, and puts back
// what was there.
class TestInstallation
{
public:
    static constexpr const char* Key = "Software\\Norrith\\QUARROW";
    enum class Value { Path, KeyOnly, Missing };

    TestInstallation(Value value, const char* pszPath = "")
    {
        HKEY hKey = nullptr;
        if (::RegOpenKeyA(HKEY_CURRENT_USER, Key, &hKey) == ERROR_SUCCESS)
        {
            char sz[512] = {};
            DWORD cb = sizeof sz - 1;
            m_bHad = ::RegQueryValueExA(hKey, "ExecutePath", nullptr, nullptr, reinterpret_cast<BYTE*>(sz), &cb) ==
                     ERROR_SUCCESS;
            m_strOld = sz;
            ::RegCloseKey(hKey);
        }
        Apply(value, pszPath);
    }
    explicit TestInstallation(const std::string& path) : TestInstallation(Value::Path, path.c_str()) {}
    ~TestInstallation() { Apply(m_bHad ? Value::Path : Value::Missing, m_strOld.c_str()); }

private:
    static void Apply(Value value, const char* pszPath)
    {
        ::RegDeleteKeyA(HKEY_CURRENT_USER, Key);
        if (value == Value::Missing)
            return;
        HKEY hKey = nullptr;
        ASSERT_EQ(::RegCreateKeyA(HKEY_CURRENT_USER, Key, &hKey), ERROR_SUCCESS);
        if (value == Value::Path)
            ::RegSetValueExA(hKey, "ExecutePath", 0, REG_SZ, reinterpret_cast<const BYTE*>(pszPath),
                             static_cast<DWORD>(strlen(pszPath) + 1));
        ::RegCloseKey(hKey);
    }

    bool m_bHad = false;
    std::string m_strOld;
};

// Fennick's application object that notes the plot type of every document it asks for instead of
// making it, and stays in the background.
class CRecordingFennickApp : public CFennickApp
{
public:
    std::vector<int> opened;
    std::vector<int> gradationCounts;   // the counter at each document asked for
    int nFrontCalls = 0;

protected:
    void NewPlotDocument() override
    {
        opened.push_back(m_nCurrentPlotType);
        gradationCounts.push_back(m_nGradationCount);
    }
    void BringToFront() override { ++nFrontCalls; }
};

// A kind-3 file (time to drain) in the writer's layout: n rows of "x y z" per curve, then its caption.
inline std::string TimeToDrainFile(int nUnits, const char* pszSelection,
                                   const std::vector<std::vector<std::array<double, 3>>>& curves)
{
    std::ostringstream text;
    const size_t nRows = curves.empty() ? 0 : curves[0].size();
    text << "3 " << nRows << ' ' << nUnits << " 0 " << pszSelection << "\n";
    for (size_t k = 0; k < 6; ++k)
    {
        for (size_t i = 0; i < nRows; ++i)
        {
            const std::array<double, 3> row = k < curves.size() ? curves[k][i] : std::array<double, 3>{};
            text << row[0] << ' ' << row[1] << ' ' << row[2] << "\n";
        }
        text << "curve " << k << "\n";
    }
    return text.str();
}

// A kind-4 file (required base thickness): n rows of "x y" per curve, then its caption.
inline std::string ThicknessFile(int nUnits, const char* pszSelection,
                                 const std::vector<std::vector<std::array<double, 2>>>& curves,
                                 const std::vector<std::string>& captions)
{
    std::ostringstream text;
    const size_t nRows = curves.empty() ? 0 : curves[0].size();
    text << "4 " << nRows << ' ' << nUnits << " 0 " << pszSelection << "\n";
    for (size_t k = 0; k < 4; ++k)
    {
        for (size_t i = 0; i < nRows; ++i)
        {
            const std::array<double, 2> row = k < curves.size() ? curves[k][i] : std::array<double, 2>{};
            text << row[0] << ' ' << row[1] << "\n";
        }
        text << (k < captions.size() ? captions[k] : "caption") << "\n";
    }
    return text.str();
}

// Fennick's main frame and document template in this process, as the start-up makes them, with
// the install directory a fresh folder; everything goes at the end.
class FennickWindowsTest : public ::testing::Test
{
protected:
    CFennickApp app;
    CMultiDocTemplate* pTemplate = nullptr;
    CMainFrame* pMainFrame = nullptr;
    std::string folder;

    void SetUp() override
    {
        folder = FreshFolder("install");
        app.m_strInstallDir = folder.c_str();
        app.m_nGradationCount = 1;
        pTemplate = new CMultiDocTemplate(IDR_FENNICTYPE, RUNTIME_CLASS(CFennickDoc), RUNTIME_CLASS(CChildFrame),
                                          ViewClass());
        app.AddDocTemplate(pTemplate);
        pMainFrame = new CMainFrame;
        ASSERT_TRUE(pMainFrame->LoadFrame(IDR_MAINFRAME, 0x00CF8000));
        app.m_pMainWnd = pMainFrame;
        pMainFrame->ShowWindow(SW_SHOW);
        PumpPendingMessages();
    }

    void TearDown() override
    {
        if (app.m_pMainWnd != nullptr && app.m_pMainWnd->GetSafeHwnd() != nullptr)
            app.m_pMainWnd->DestroyWindow();
        PumpPendingMessages();
    }

    // The view class of the template.
    virtual CRuntimeClass* ViewClass() { return RUNTIME_CLASS(CFennickView); }

    void WritePlotFile(const std::string& text) { WriteFile(folder + "\\plot.tmp", text); }

    // The documents of the template in the order they were made.
    std::vector<CFennickDoc*> Documents() const
    {
        std::vector<CFennickDoc*> docs;
        POSITION pos = pTemplate->GetFirstDocPosition();
        while (pos != nullptr)
            docs.push_back(static_cast<CFennickDoc*>(pTemplate->GetNextDoc(pos)));
        return docs;
    }

    std::vector<std::string> Titles() const
    {
        std::vector<std::string> titles;
        for (CFennickDoc* pDoc : Documents())
            titles.push_back(static_cast<LPCTSTR>(pDoc->GetTitle()));
        return titles;
    }

    // The caption of the child frame that shows the document.
    static std::string FrameCaption(CDocument* pDoc)
    {
        POSITION pos = pDoc->GetFirstViewPosition();
        CView* pView = pos != nullptr ? pDoc->GetNextView(pos) : nullptr;
        CWnd* pFrame = pView != nullptr ? pView->GetParent() : nullptr;
        return pFrame != nullptr ? WindowText(pFrame->GetSafeHwnd()) : std::string();
    }
};
