// The host's commands as one table: each line names its id, the menu pop-up its item goes to, its
// name (menu text and dialog caption), the values it asks for in the values dialog, and the library
// calls it makes. Later features add their lines to the table.
#pragma once

#include "framework/core/CString.h"
#include "framework/win/Dialog.h"

#include <windows.h>

#include <vector>

class CGridHostApp;
class CGridHostDoc;
class CGridHostView;

using CGridHostValues = std::vector<CString>;

// What a command works on: the application, its document and the active grid view (NULL without one).
struct CGridHostContext
{
    CGridHostApp& app;
    CGridHostDoc* pDoc;
    CGridHostView* pView;
};

struct CGridHostCommand
{
    UINT nID;
    LPCTSTR pszMenu;
    LPCTSTR pszName;
    // The labels of the values asked for; NULL ends them (at most four).
    LPCTSTR apszFields[4];
    // The command needs an active grid view.
    BOOL bNeedsView;
    void (*pfnRun)(CGridHostContext& context, const CGridHostValues& values);
};

const std::vector<CGridHostCommand>& GridHostCommands();
const CGridHostCommand* GridHostFindCommand(UINT nID);
// Asks for the command's values (when it has any) and runs it.
void GridHostRunCommand(UINT nID);
BOOL GridHostCanRunCommand(UINT nID);
// Adds the items of the table that a menu bar lacks, each to its pop-up (made before "&Window" when
// the bar has none of that name).
void GridHostAddCommandMenus(HMENU hMenuBar);

// The values dialog: its caption is the command's name, one labelled edit per value.
class CGridHostValuesDlg : public CDialog
{
public:
    explicit CGridHostValuesDlg(const CGridHostCommand& command);
    BOOL OnInitDialog() override;
    void OnOK() override;

    CGridHostValues m_values;

private:
    const CGridHostCommand& m_command;
};
