// Fennick's application object: its start-up with the automation server, and all the plot data
// that the reader takes from "plot.tmp" and the chart builders turn into charts.
#pragma once

#include "framework/ole/TemplateServer.h"
#include "framework/win/Dialog.h"
#include "framework/win/WinApp.h"

// The class of Fennick's document as automation clients create it ("Fennick.Document"), and the id
// of its dispatch interface.
extern const CLSID CLSID_FennickDocument;
extern const IID IID_IFennickDocument;

class CAboutDlg : public CDialog
{
public:
    CAboutDlg();

protected:
    DECLARE_MESSAGE_MAP()
};

class CFennickApp : public CWinApp
{
public:
    // Limits of the plot data file: rows of one point table, entries of the separator lists, captions.
    enum
    {
        PointTableCount = 10,
        PointRows = 60,
        SeparatorEntries = 120,
        SeparatorCaptionCount = 5,
        MaxCaptionLength = 1023
    };
    // Plot types of the current plot type; 0 to 9 are the sensitivity plots.
    enum { NoPlot = -1, NoSeparatorPlot = 10, SeparatorPlot = 11, GradationPlot = 12 };
    // Print positions: top, bottom, left and right edge of the chart in percent of the page.
    enum { PositionTop, PositionBottom, PositionLeft, PositionRight };

    CFennickApp();
    ~CFennickApp() override;

    BOOL InitInstance() override;
    int ExitInstance() override;

    // Reads "plot.tmp" of the install directory into the data below and opens the plots it asks for.
    void ReadPlotData();
    // A new document of the gradation plot (type 12), in front.
    void OpenGradationPlot();
    // What setting the automation property does: a gradation of the base or the subgrade (kinds 0
    // and 1) numbers a new gradation plot, any other kind is read again. A file that cannot be
    // opened or holds no number at its start does nothing.
    void ReloadPlot();
    // "plot.tmp" in the install directory.
    CString GetPlotFilePath() const;

    afx_msg void OnAppAbout();

    CString m_strInstallDir;
    double m_dPointTables[PointTableCount][PointRows][3];
    CString m_strCurveCaptions[PointTableCount];
    // The separator point lists back to back, each ended by an entry whose x is 0.
    double m_dSeparatorX[SeparatorEntries];
    double m_dSeparatorY[SeparatorEntries];
    CString m_strSeparatorCaptions[SeparatorCaptionCount];
    int m_nGradationCount = 0;
    int m_nPlotKind = 0;
    int m_nUnits = 0;              // non-zero: metric
    int m_nPointCount = 0;         // rows per curve of kinds 3 and 4
    int m_nCurrentPlotType = NoPlot;
    int m_nAxis = 0;               // non-zero: logarithmic sieve axis
    double m_dPortraitPositions[4];
    double m_dLandscapePositions[4];
    int m_nGradationUnits = 0;     // 1: the last gradation plot was in millimetres (each chart keeps its own)
    COleTemplateServer m_server;

protected:
    // Has the main window make a document of the current plot type (WM_COMMAND ID_FILE_NEW, sent, so
    // the document exists when this returns).
    virtual void NewPlotDocument();
    // The main window to the foreground.
    virtual void BringToFront();
    // Step 1 of the start-up: the install directory from the registry; FALSE after the error message.
    BOOL ReadInstallDir();
    void ResetPlotData();

    DECLARE_MESSAGE_MAP()
};

// The application object while Fennick runs; NULL in a program that has another one.
CFennickApp* FennickApp();
