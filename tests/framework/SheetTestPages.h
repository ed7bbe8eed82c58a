// Pages, a sheet and a host dialog that log what the framework calls on them, for the property
// sheet tests.
#pragma once

#include <string>
#include <vector>

#include "framework/win/DataExchange.h"
#include "framework/win/Dialog.h"
#include "framework/win/PropertySheet.h"
#include "tests/framework/SheetTestResources.h"

using CallLog = std::vector<std::string>;

class CLoggingPage : public CPropertyPage
{
public:
    CLoggingPage(UINT nIDTemplate, const char* name, CallLog& log) : CPropertyPage(nIDTemplate), m_name(name), m_log(log) {}

    BOOL OnInitDialog() override
    {
        m_log.push_back(m_name + " init");
        return CPropertyPage::OnInitDialog();
    }
    BOOL OnSetActive() override
    {
        m_log.push_back(m_name + " set");
        return CPropertyPage::OnSetActive();
    }
    BOOL OnKillActive() override
    {
        m_log.push_back(m_name + " kill");
        if (m_bRefuseLeave)
            return FALSE;
        return CPropertyPage::OnKillActive();
    }
    BOOL OnApply() override
    {
        m_log.push_back(m_name + " apply");
        return CPropertyPage::OnApply();
    }
    void OnReset() override
    {
        m_log.push_back(m_name + " reset");
        CPropertyPage::OnReset();
    }
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_KEYDOWN && pMsg->wParam == 'Q')
            m_log.push_back(m_name + " pretranslate");
        return CPropertyPage::PreTranslateMessage(pMsg);
    }

    bool m_bRefuseLeave = false;

protected:
    std::string m_name;
    CallLog& m_log;
};

// Two edits: a count (0 to 100) and a name; a change of the name is logged through the message map.
class CFirstPage : public CLoggingPage
{
public:
    explicit CFirstPage(CallLog& log) : CLoggingPage(IDD_PAGE_FIRST, "first", log) {}

    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Text(pDX, IDC_FIRST_COUNT, m_nCount);
        DDV_MinMaxInt(pDX, m_nCount, 0, 100);
        DDX_Text(pDX, IDC_FIRST_NAME, m_strName);
    }
    afx_msg void OnNameChange() { m_log.push_back("first name changed"); }

    int m_nCount = 5;
    CString m_strName = "alpha";

    DECLARE_MESSAGE_MAP()
};

class CSecondPage : public CLoggingPage
{
public:
    explicit CSecondPage(CallLog& log) : CLoggingPage(IDD_PAGE_SECOND, "second", log) {}

    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, IDC_SECOND_TEXT, m_strText); }
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct)
    {
        m_bSawCreate = true;
        return CLoggingPage::OnCreate(lpCreateStruct);
    }

    CString m_strText = "beta";
    bool m_bSawCreate = false;

    DECLARE_MESSAGE_MAP()
};

// As the design program's sheet: its initialisation makes it a control parent first.
class CLoggingSheet : public CPropertySheet
{
public:
    explicit CLoggingSheet(CallLog& log, LPCTSTR caption = "", UINT iSelectPage = 0)
        : CPropertySheet(caption, nullptr, iSelectPage), m_log(log)
    {
    }

    BOOL OnInitDialog() override
    {
        m_log.push_back("sheet init");
        ModifyStyleEx(0, WS_EX_CONTROLPARENT);
        return CPropertySheet::OnInitDialog();
    }
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_KEYDOWN && pMsg->wParam == 'Q')
            m_log.push_back("sheet pretranslate");
        return CPropertySheet::PreTranslateMessage(pMsg);
    }

private:
    CallLog& m_log;
};

// Holds the sheet as a visible child, placed over its frame control.
class CSheetHostDialog : public CDialog
{
public:
    CSheetHostDialog(CPropertySheet& sheet, CallLog& log) : CDialog(IDD_SHEET_HOST), m_sheet(sheet), m_log(log) {}

    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        if (!m_sheet.Create(this, WS_CHILD | WS_VISIBLE, 0))
        {
            m_bSheetCreated = false;
            return FALSE;
        }
        RECT frame;
        ::GetWindowRect(::GetDlgItem(m_hWnd, IDC_SHEET_FRAME), &frame);
        ScreenToClient(&frame);
        m_sheet.MoveWindow(frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top);
        return TRUE;
    }
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_KEYDOWN && pMsg->wParam == 'Q')
            m_log.push_back("dialog pretranslate");
        return CDialog::PreTranslateMessage(pMsg);
    }

    bool m_bSheetCreated = true;

private:
    CPropertySheet& m_sheet;
    CallLog& m_log;
};
