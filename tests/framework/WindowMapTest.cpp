// Window objects and handles: creation attaches, destruction detaches, temporaries wrap foreign
// windows, subclassing routes a control's messages, and a library's class window from a dialog
// template gets an object that is deleted with its window.
#include <gtest/gtest.h>

#include <string>

#include "framework/win/Dialog.h"
#include "framework/win/WinApp.h"
#include "framework/win/Wnd.h"
#include "tests/framework/WinCoreTestResources.h"
#include "tests/framework/WinTestSupport.h"

namespace {

class CProbeWnd : public CWnd
{
public:
    int creates = 0;
    int destroys = 0;
    int postNcDestroys = 0;
    bool failCreate = false;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct)
    {
        ++creates;
        if (failCreate)
            return -1;
        return CWnd::OnCreate(lpCreateStruct);
    }
    afx_msg void OnDestroy()
    {
        ++destroys;
        CWnd::OnDestroy();
    }
    void PostNcDestroy() override { ++postNcDestroys; }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CProbeWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

TEST(WindowMap, CreationAttachesAndDestructionDetaches)
{
    CProbeWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(CS_DBLCLKS), "Probe", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                             nullptr));
    HWND hWnd = wnd.m_hWnd;
    EXPECT_EQ(wnd.creates, 1);
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), &wnd);
    EXPECT_EQ(CWnd::FromHandle(hWnd), &wnd);
    EXPECT_EQ(WindowText(hWnd), "Probe");

    EXPECT_TRUE(wnd.DestroyWindow());
    EXPECT_EQ(wnd.destroys, 1);
    EXPECT_EQ(wnd.postNcDestroys, 1);
    EXPECT_EQ(wnd.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
}

TEST(WindowMap, AChildCreatedWithTheDefaultClassGetsItsId)
{
    CProbeWnd parent, child;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "Parent", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr));
    ASSERT_TRUE(child.Create(nullptr, "Child", WS_VISIBLE, CRect(0, 0, 50, 50), &parent, 77));
    EXPECT_EQ(child.GetDlgCtrlID(), 77);
    EXPECT_EQ(parent.GetDlgItem(77), &child);
    EXPECT_EQ(child.GetParent(), &parent);
    parent.DestroyWindow();
    EXPECT_EQ(child.m_hWnd, nullptr);   // destroyed with its parent, and let go
    EXPECT_EQ(child.postNcDestroys, 1);
}

TEST(WindowMap, AFailedCreationLeavesNoWindowBehind)
{
    CProbeWnd wnd;
    wnd.failCreate = true;
    EXPECT_FALSE(wnd.CreateEx(0, AfxRegisterWndClass(0), "Refused", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    EXPECT_EQ(wnd.m_hWnd, nullptr);

    CProbeWnd unknown;
    EXPECT_FALSE(unknown.CreateEx(0, "NoSuchClassAnywhere", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    EXPECT_EQ(unknown.m_hWnd, nullptr);
    EXPECT_EQ(unknown.postNcDestroys, 1);
}

TEST(WindowMap, ForeignWindowsGetTemporaryWrappers)
{
    HWND hStatic = ::CreateWindowExA(0, "STATIC", "Foreign", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr,
                                     ::GetModuleHandleA(nullptr), nullptr);
    CWnd* pTemp = CWnd::FromHandle(hStatic);
    ASSERT_NE(pTemp, nullptr);
    EXPECT_EQ(pTemp->m_hWnd, hStatic);
    EXPECT_EQ(CWnd::FromHandle(hStatic), pTemp);
    EXPECT_EQ(CWnd::FromHandlePermanent(hStatic), nullptr);
    EXPECT_EQ(CWnd::FromHandle(nullptr), nullptr);

    CWnd::DeleteTempMap();
    EXPECT_TRUE(::IsWindow(hStatic));   // a wrapper never destroys what it wraps

    CWnd owner;
    ASSERT_TRUE(owner.Attach(hStatic));
    EXPECT_EQ(CWnd::FromHandle(hStatic), &owner);
    CWnd second;
    EXPECT_FALSE(second.Attach(hStatic));
    EXPECT_EQ(owner.Detach(), hStatic);
    EXPECT_EQ(CWnd::FromHandlePermanent(hStatic), nullptr);
    ::DestroyWindow(hStatic);
}

class CKeyEdit : public CWnd
{
public:
    std::string typed;
    afx_msg void OnChar(UINT nChar, UINT, UINT)
    {
        typed += (char)nChar;
        Default();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CKeyEdit, CWnd)
    ON_WM_CHAR()
END_MESSAGE_MAP()

TEST(WindowMap, ASubclassedControlSeesItsMessagesAndKeepsItsBehaviour)
{
    HWND hEdit = ::CreateWindowExA(0, "EDIT", "", WS_POPUP, 0, 0, 100, 20, nullptr, nullptr,
                                   ::GetModuleHandleA(nullptr), nullptr);
    CKeyEdit edit;
    ASSERT_TRUE(edit.SubclassWindow(hEdit));
    ::SendMessageA(hEdit, WM_CHAR, 'a', 1);
    ::SendMessageA(hEdit, WM_CHAR, 'b', 1);
    EXPECT_EQ(edit.typed, "ab");
    EXPECT_EQ(WindowText(hEdit), "ab");

    EXPECT_EQ(edit.UnsubclassWindow(), hEdit);
    ::SendMessageA(hEdit, WM_CHAR, 'c', 1);
    EXPECT_EQ(edit.typed, "ab");
    EXPECT_EQ(WindowText(hEdit), "abc");
    ::DestroyWindow(hEdit);
}

// A library's window class whose procedure makes the object on the first message, as a grid
// library does for its controls in dialog templates.
class CLibraryWnd : public CWnd
{
public:
    static int s_nLive;
    int creates = 0;
    CLibraryWnd() { ++s_nLive; }
    ~CLibraryWnd() override { --s_nLive; }

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct)
    {
        ++creates;
        return CWnd::OnCreate(lpCreateStruct);
    }
    afx_msg LRESULT OnPing(WPARAM wParam, LPARAM) { return (LRESULT)wParam + creates; }
    void PostNcDestroy() override { delete this; }

    DECLARE_MESSAGE_MAP()
};
int CLibraryWnd::s_nLive = 0;

const UINT WM_LIBRARY_PING = WM_APP + 7;

BEGIN_MESSAGE_MAP(CLibraryWnd, CWnd)
    ON_WM_CREATE()
    ON_MESSAGE(WM_LIBRARY_PING, OnPing)
END_MESSAGE_MAP()

LRESULT CALLBACK LibraryClassProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    auto* pWnd = new CLibraryWnd;
    pWnd->Attach(hWnd);
    ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AfxGetAfxWndProc()));
    return AfxWndProc(hWnd, nMsg, wParam, lParam);
}

void RegisterLibraryClass()
{
    WNDCLASSA wndcls = {};
    if (::GetClassInfoA(::GetModuleHandleA(nullptr), "WinCoreLibWnd", &wndcls))
        return;
    wndcls.style = CS_GLOBALCLASS | CS_DBLCLKS;
    wndcls.lpfnWndProc = LibraryClassProc;
    wndcls.hInstance = ::GetModuleHandleA(nullptr);
    wndcls.lpszClassName = "WinCoreLibWnd";
    ASSERT_NE(::RegisterClassA(&wndcls), 0);
}

TEST(WindowMap, AClassWindowOfADialogTemplateIsAttachedAndDeletedWithIt)
{
    RegisterLibraryClass();
    CDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_LIBRARY_CONTROL));
    HWND hLibrary = ::GetDlgItem(dlg.m_hWnd, IDC_LIBRARY_WINDOW);
    auto* pLibrary = dynamic_cast<CLibraryWnd*>(CWnd::FromHandlePermanent(hLibrary));
    ASSERT_NE(pLibrary, nullptr);
    EXPECT_EQ(pLibrary->creates, 1);
    EXPECT_EQ(CLibraryWnd::s_nLive, 1);
    EXPECT_EQ(::SendMessageA(hLibrary, WM_LIBRARY_PING, 41, 0), 42);

    dlg.DestroyWindow();
    EXPECT_EQ(CLibraryWnd::s_nLive, 0);
    EXPECT_EQ(CWnd::FromHandlePermanent(hLibrary), nullptr);
}

} // namespace
