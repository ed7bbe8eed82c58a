#pragma once
// The grid test host running inside the test program: its application started with a sample, its
// commands sent to the main frame as a user's menu choice would (the values dialog answered), and
// its dump read back line by line.

#include "framework/docview/MDIFrameWnd.h"
#include "framework/win/SeamRecorders.h"
#include "tests/framework/WinTestSupport.h"
#include "tests/gridhost/GridHostApp.h"
#include "tests/gridhost/GridHostCommands.h"
#include "tests/gridhost/GridHostDoc.h"
#include "tests/gridhost/GridHostDump.h"
#include "tests/gridhost/GridHostResources.h"
#include "tests/gridhost/GridHostView.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

class GridHostTest : public ::testing::Test
{
protected:
    // Call under ASSERT_NO_FATAL_FAILURE.
    void StartHost(ROWCOL nRows = 20, ROWCOL nCols = 6)
    {
        app.m_nRows = nRows;
        app.m_nCols = nCols;
        ASSERT_TRUE(app.InitInstance());
        PumpPendingMessages();
    }

    void TearDown() override
    {
        if (app.m_pMainWnd != nullptr && app.m_pMainWnd->GetSafeHwnd() != nullptr)
            app.m_pMainWnd->DestroyWindow();
        app.m_pMainWnd = nullptr;
        PumpPendingMessages();
    }

    // The command as the menu sends it; its dialog, when it has one, gets the values and OK.
    void Command(UINT nID, const std::vector<std::string>& values = {})
    {
        CFunctionModalHook hook([&](CWnd* pDialog) {
            for (size_t i = 0; i < values.size(); ++i)
                ::SetDlgItemTextA(pDialog->GetSafeHwnd(), IDC_GRIDHOST_VALUE1 + static_cast<int>(i),
                                  values[i].c_str());
            PressButton(pDialog->GetSafeHwnd(), IDOK);
        });
        CScopedModalHook scoped(&hook);
        app.GetMainFrame()->SendMessage(WM_COMMAND, nID);
        PumpPendingMessages();
    }

    std::vector<std::string> Dump(bool bCells = true)
    {
        std::vector<std::string> lines;
        std::istringstream text(static_cast<LPCTSTR>(GridHostDumpText(app, bCells)));
        for (std::string line; std::getline(text, line);)
        {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            lines.push_back(line);
        }
        return lines;
    }

    // The first line of the dump that starts with the prefix (the whole line), or "". Lines other
    // than a cell's can be read without dumping the cells, which is much quicker in a large table.
    std::string DumpLine(const std::string& prefix, bool bCells = true)
    {
        for (const std::string& line : Dump(bCells))
            if (line.compare(0, prefix.size(), prefix) == 0)
                return line;
        return "";
    }

    CGridHostView& View(size_t nIndex) { return *app.GetViews().at(nIndex); }

    CGridHostApp app;
};
