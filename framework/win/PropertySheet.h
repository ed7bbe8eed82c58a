// CPropertySheet and CPropertyPage over the system's property sheet.
//
// A sheet runs modally (DoModal: the framework's own modal loop, so PreTranslateMessage reaches the
// pages) or modeless (Create), also as a child window of a dialog (Create with WS_CHILD). Its window
// is attached to the CPropertySheet object and every page's window to its CPropertyPage, so message
// maps of both work. Pages are made from their dialog templates; their windows exist from the first
// time they are shown until the sheet (or the page) is removed.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <vector>

#include "framework/core/CString.h"
#include "framework/win/Dialog.h"
#include "framework/win/TabCtrl.h"

// What DoModal returns when a wizard ends with Finish (the system's id of the Finish button).
#ifndef ID_WIZFINISH
#define ID_WIZFINISH 0x3025
#endif

class CPropertySheet;

class CPropertyPage : public CDialog
{
    DECLARE_DYNAMIC(CPropertyPage)
public:
    CPropertyPage();
    explicit CPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);
    explicit CPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption = 0);
    ~CPropertyPage() override;
    void Construct(UINT nIDTemplate, UINT nIDCaption = 0);
    void Construct(LPCTSTR lpszTemplateName, UINT nIDCaption = 0);

    // ---- Toward the sheet ----
    // Enables (or disables) the sheet's Apply button for this page.
    void SetModified(BOOL bChanged = TRUE);
    // After an irreversible change: the Cancel button becomes Close.
    void CancelToClose();
    // Sends PSM_QUERYSIBLINGS: every other page gets the message until one answers non-zero.
    LRESULT QuerySiblings(WPARAM wParam, LPARAM lParam);

    // ---- Notifications from the sheet ----
    // The page becomes the active one. The first time, OnInitDialog has just filled the controls;
    // later the values go into the controls again (UpdateData(FALSE)). FALSE refuses the page.
    virtual BOOL OnSetActive();
    // The page is left: the controls' values go into the members (UpdateData(TRUE)); FALSE (a value
    // failed validation) keeps the sheet on this page.
    virtual BOOL OnKillActive();
    // OK or Apply of the sheet, after OnKillActive of the active page.
    virtual BOOL OnApply();   // calls OnOK; FALSE keeps the sheet open on this page
    void OnOK() override;
    // Cancel of the sheet.
    virtual void OnReset();   // calls OnCancel
    void OnCancel() override;
    virtual BOOL OnQueryCancel();
    virtual LRESULT OnWizardBack();
    virtual LRESULT OnWizardNext();
    virtual BOOL OnWizardFinish();

    BOOL PreTranslateMessage(MSG* pMsg) override;

    // What the system is given for this page; callers may set flags (PSP_HASHELP, ...) before the
    // page is added.
    PROPSHEETPAGEA m_psp;

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    CString m_strCaption;
    BOOL m_bFirstSetActive = TRUE;

private:
    // The system's page handle, made from the template when the page goes into a sheet window.
    HPROPSHEETPAGE CreatePageHandle();
    void CommonConstruct(LPCTSTR lpszTemplateName, UINT nIDCaption);

    friend class CPropertySheet;
    friend UINT CALLBACK AfxPropPageCallback(HWND hWnd, UINT message, LPPROPSHEETPAGEA pPropPage);
};

class CPropertySheet : public CWnd
{
    DECLARE_DYNAMIC(CPropertySheet)
public:
    CPropertySheet();
    explicit CPropertySheet(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    explicit CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    ~CPropertySheet() override;
    void Construct(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    void Construct(LPCTSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);

    // Modal: IDOK, IDCANCEL (ID_WIZFINISH for a wizard), or -1 when the sheet could not be made.
    virtual INT_PTR DoModal();
    // Modeless. (DWORD)-1 is a pop-up sheet with caption and system menu; WS_CHILD | WS_VISIBLE puts
    // the sheet into pParentWnd as a child window. Modeless sheets show no OK, Cancel or Apply
    // buttons. pParentWnd NULL: the parent given at construction.
    virtual BOOL Create(CWnd* pParentWnd = nullptr, DWORD dwStyle = (DWORD)-1, DWORD dwExStyle = 0);

    // ---- Pages (the sheet does not own them) ----
    void AddPage(CPropertyPage* pPage);
    void RemovePage(CPropertyPage* pPage);
    void RemovePage(int nPage);
    int GetPageCount() const { return (int)m_pages.size(); }
    CPropertyPage* GetPage(int nPage) const;
    int GetPageIndex(CPropertyPage* pPage) const;
    // The page in front (before the window exists: the page it will start on).
    CPropertyPage* GetActivePage() const;
    int GetActiveIndex() const;
    // Leaves the active page (its OnKillActive may refuse) and shows page nPage; FALSE when refused
    // or out of range. Before the window exists it chooses the first page.
    BOOL SetActivePage(int nPage);
    BOOL SetActivePage(CPropertyPage* pPage);
    CTabCtrl* GetTabControl() const;

    // ---- The sheet ----
    void SetTitle(LPCTSTR lpszText, UINT nStyle = 0);
    void EndDialog(int nEndID);
    void PressButton(int nButton) { ::SendMessageA(m_hWnd, PSM_PRESSBUTTON, (WPARAM)nButton, 0); }
    void SetWizardMode() { m_psh.dwFlags |= PSH_WIZARD; }
    void SetWizardButtons(DWORD dwFlags) { ::PostMessageA(m_hWnd, PSM_SETWIZBUTTONS, 0, (LPARAM)dwFlags); }

    // The sheet's window is initialised: the base lets the system build the tabs, buttons and the
    // first page, then (modeless) hides the buttons. An override adds its own work before or after.
    virtual BOOL OnInitDialog();

    BOOL PreTranslateMessage(MSG* pMsg) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    PROPSHEETHEADERA m_psh;

protected:
    void CommonConstruct(CWnd* pParentWnd, UINT iSelectPage);
    // Makes the window (always modeless to the system: a modal run uses the framework's loop).
    BOOL CreateSheetWindow(HWND hWndParent, DWORD dwStyle, DWORD dwExStyle);
    // Removes the buttons' strip from a modeless sheet.
    void HideButtons();

    std::vector<CPropertyPage*> m_pages;
    CString m_strCaption;
    CWnd* m_pParentWnd = nullptr;
    BOOL m_bModeless = FALSE;
    DWORD m_dwCreateStyle = 0;
    DWORD m_dwCreateExStyle = 0;
    int m_nEndCommand = IDCANCEL;   // how a modal run ends when the system closes the sheet
    int m_nMessageDepth = 0;
    bool m_bCheckingEnd = false;

    friend int CALLBACK AfxPropSheetCallback(HWND hWnd, UINT message, LPARAM lParam);
};
