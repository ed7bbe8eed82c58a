#include "fennick/FennickApp.h"

#include "fennick/ChildFrm.h"
#include "fennick/FennickDoc.h"
#include "fennick/FennickView.h"
#include "fennick/MainFrm.h"
#include "framework/docview/DocTemplate.h"
#include "framework/ole/OleInit.h"
#include "framework/win/CommandLineInfo.h"
#include "framework/win/FrameworkIds.h"
#include "framework/win/Seams.h"
#include "resources/fennick/resource.h"

#include <fstream>

// {C3336F9F-1601-49E0-818E-8193F8F88F51}
const CLSID CLSID_FennickDocument = {0xc3336f9f, 0x1601, 0x49e0, {0x81, 0x8e, 0x81, 0x93, 0xf8, 0xf8, 0x8f, 0x51}};
// {65CDB7F0-67C7-4D85-A24C-C0BFCF004FB5}
const IID IID_IFennickDocument = {0x65cdb7f0, 0x67c7, 0x4d85, {0xa2, 0x4c, 0xc0, 0xbf, 0xcf, 0x00, 0x4f, 0xb5}};

namespace {

const char RegistryKey[] = "Software\\Norrith\\QUARROW";
const char RegistryErrorText[] = "Registry Error. Reinstall the QUARROW application.";
// WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE.
const DWORD MainFrameStyle = 0x00CF8000;

const double DefaultPortrait[4] = {10.0, 60.0, 10.0, 90.0};
const double DefaultLandscape[4] = {10.0, 90.0, 10.0, 90.0};

} // namespace

// ---- The about box ----

BEGIN_MESSAGE_MAP(CAboutDlg, CDialog)
END_MESSAGE_MAP()

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX)
{
}

// ---- The application ----

BEGIN_MESSAGE_MAP(CFennickApp, CWinApp)
    ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
    ON_COMMAND(ID_FILE_NEW, CWinApp::OnFileNew)
    ON_COMMAND(ID_FILE_OPEN, CWinApp::OnFileOpen)
    ON_COMMAND(ID_FILE_PRINT_SETUP, CWinApp::OnFilePrintSetup)
END_MESSAGE_MAP()

CFennickApp::CFennickApp() : CWinApp(nullptr)
{
    ResetPlotData();
    for (int i = 0; i < 4; ++i)
    {
        m_dPortraitPositions[i] = DefaultPortrait[i];
        m_dLandscapePositions[i] = DefaultLandscape[i];
    }
}

CFennickApp::~CFennickApp() = default;

CFennickApp* FennickApp()
{
    return dynamic_cast<CFennickApp*>(AfxGetApp());
}

void CFennickApp::ResetPlotData()
{
    for (auto& table : m_dPointTables)
        for (auto& row : table)
            row[0] = row[1] = row[2] = 0.0;
    for (int i = 0; i < SeparatorEntries; ++i)
        m_dSeparatorX[i] = m_dSeparatorY[i] = 0.0;
}

BOOL CFennickApp::ReadInstallDir()
{
    HKEY hKey = nullptr;
    if (::RegOpenKeyA(HKEY_CURRENT_USER, RegistryKey, &hKey) != ERROR_SUCCESS)
    {
        AfxMessageBox(RegistryErrorText, MB_OKCANCEL);
        return FALSE;
    }
    // A value stored without its terminating zero still ends inside the buffer.
    char szPath[512] = {};
    DWORD dwType = 0;
    DWORD cbPath = sizeof szPath - 1;
    const LONG lResult =
        ::RegQueryValueExA(hKey, "ExecutePath", nullptr, &dwType, reinterpret_cast<BYTE*>(szPath), &cbPath);
    ::RegCloseKey(hKey);
    if (lResult != ERROR_SUCCESS || (dwType != REG_SZ && dwType != REG_EXPAND_SZ))
    {
        AfxMessageBox(RegistryErrorText, MB_OKCANCEL);
        return FALSE;
    }
    szPath[cbPath < sizeof szPath ? cbPath : sizeof szPath - 1] = '\0';
    m_strInstallDir = szPath;
    return TRUE;
}

BOOL CFennickApp::InitInstance()
{
    if (!ReadInstallDir())
        return FALSE;

    if (!AfxOleInit())
    {
        AfxMessageBox(IDP_OLE_INIT_FAILED);
        return FALSE;
    }
    AfxEnableControlContainer();

    m_nGradationCount = 1;
    ResetPlotData();
    for (int i = 0; i < 4; ++i)
    {
        m_dPortraitPositions[i] = DefaultPortrait[i];
        m_dLandscapePositions[i] = DefaultLandscape[i];
    }

    SetRegistryKey("Local AppWizard-Generated Applications");
    LoadStdProfileSettings(4);

    auto* pDocTemplate = new CMultiDocTemplate(IDR_FENNICTYPE, RUNTIME_CLASS(CFennickDoc), RUNTIME_CLASS(CChildFrame),
                                               RUNTIME_CLASS(CFennickView));
    AddDocTemplate(pDocTemplate);

    // One running Fennick serves every automation client.
    m_server.ConnectTemplate(CLSID_FennickDocument, pDocTemplate, FALSE);
    COleTemplateServer::RegisterAll();

    auto* pMainFrame = new CMainFrame;
    // A frame that fails deletes itself.
    if (!pMainFrame->LoadFrame(IDR_MAINFRAME, MainFrameStyle))
        return FALSE;
    m_pMainWnd = pMainFrame;

    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);

    // Registered at every start, so the installation found is always this one.
    m_server.UpdateRegistry(OAT_DISPATCH_OBJECT);
    COleObjectFactory::UpdateRegistryAll();

    // With no plot type yet the plain start's new document is refused, and no window is left of it.
    if (!ProcessShellCommand(cmdInfo))
        return FALSE;

    pMainFrame->ShowWindow(m_nCmdShow);
    pMainFrame->UpdateWindow();

    ReadPlotData();
    return TRUE;
}

int CFennickApp::ExitInstance()
{
    COleObjectFactory::RevokeAll();
    return CWinApp::ExitInstance();
}

CString CFennickApp::GetPlotFilePath() const
{
    return m_strInstallDir + "\\plot.tmp";
}

void CFennickApp::NewPlotDocument()
{
    if (m_pMainWnd != nullptr && m_pMainWnd->GetSafeHwnd() != nullptr)
        m_pMainWnd->SendMessage(WM_COMMAND, ID_FILE_NEW);
}

void CFennickApp::BringToFront()
{
    if (m_pMainWnd != nullptr && m_pMainWnd->GetSafeHwnd() != nullptr)
        ::SetForegroundWindow(m_pMainWnd->GetSafeHwnd());
}

void CFennickApp::OpenGradationPlot()
{
    m_nCurrentPlotType = GradationPlot;
    NewPlotDocument();
    BringToFront();
}

void CFennickApp::ReloadPlot()
{
    int nKind = 0;
    {
        std::ifstream file(static_cast<LPCTSTR>(GetPlotFilePath()));
        if (!file.is_open() || !(file >> nKind))
            return;
    }
    if (nKind < 2)
    {
        ++m_nGradationCount;
        OpenGradationPlot();
    }
    else
    {
        ReadPlotData();
    }
}

void CFennickApp::OnAppAbout()
{
    CAboutDlg aboutDlg;
    aboutDlg.DoModal();
}
