// Automation objects in this process: a CCmdTarget with a dispatch map and an interface map,
// called through its own IDispatch (with COleDispatchDriver or directly), its reference count and
// OnFinalRelease, and the program lock that automation objects hold.
#include "framework/ole/DispatchMap.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "framework/core/Variant.h"
#include "framework/ole/DispatchDriver.h"
#include "framework/ole/OleAppLock.h"
#include "framework/ole/OleInit.h"
#include "framework/win/WinApp.h"
#include "framework/win/Wnd.h"

namespace {

// {0B7E54D1-2F9A-4C61-8E0D-3A5B7C9E1F24}
const IID IID_IGauge = {0x0b7e54d1, 0x2f9a, 0x4c61, {0x8e, 0x0d, 0x3a, 0x5b, 0x7c, 0x9e, 0x1f, 0x24}};

int g_nGaugesAlive = 0;

// A small automation object: a float, a text, a count and a flag, and a set function that refuses
// negative counts with an exception the client sees.
class CGauge : public CCmdTarget
{
public:
    CGauge()
    {
        EnableAutomation();
        ++g_nGaugesAlive;
    }
    ~CGauge() override { --g_nGaugesAlive; }

    float m_fValue = 0.0f;
    CString m_strLabel;
    long m_nCount = 0;
    BOOL m_bEnabled = FALSE;
    int m_nFinalReleases = 0;

    float GetValue() { return m_fValue; }
    void SetValue(float fValue) { m_fValue = fValue; }
    BSTR GetLabel() { return m_strLabel.AllocSysString(); }
    void SetLabel(LPCTSTR lpszLabel) { m_strLabel = lpszLabel; }
    long GetCount() { return m_nCount; }
    void SetCount(long nCount)
    {
        if (nCount < 0)
            AfxThrowOleDispatchException(11, "The count cannot be negative.");
        m_nCount = nCount;
    }
    BOOL GetEnabled() { return m_bEnabled; }
    void SetEnabled(BOOL bEnabled) { m_bEnabled = bEnabled; }

    void OnFinalRelease() override
    {
        ++m_nFinalReleases;
        CCmdTarget::OnFinalRelease();
    }

    DECLARE_DISPATCH_MAP()
    DECLARE_INTERFACE_MAP()
};

BEGIN_DISPATCH_MAP(CGauge, CCmdTarget)
    DISP_PROPERTY_EX(CGauge, "Value", GetValue, SetValue, VT_R4)
    DISP_PROPERTY_EX(CGauge, "Label", GetLabel, SetLabel, VT_BSTR)
    DISP_PROPERTY_EX(CGauge, "Count", GetCount, SetCount, VT_I4)
    DISP_PROPERTY_EX(CGauge, "Enabled", GetEnabled, SetEnabled, VT_BOOL)
END_DISPATCH_MAP()

BEGIN_INTERFACE_MAP(CGauge, CCmdTarget)
    INTERFACE_PART(CGauge, IID_IGauge, Dispatch)
END_INTERFACE_MAP()

// A derived class: its own property comes first, the base class's follow one level up.
class CDialGauge : public CGauge
{
public:
    double m_dAngle = 0.0;
    double GetAngle() { return m_dAngle; }
    void SetAngle(double dAngle) { m_dAngle = dAngle; }

    DECLARE_DISPATCH_MAP()
};

BEGIN_DISPATCH_MAP(CDialGauge, CGauge)
    DISP_PROPERTY_EX(CDialGauge, "Angle", GetAngle, SetAngle, VT_R8)
END_DISPATCH_MAP()

DISPID IdOfName(IDispatch* pDispatch, const wchar_t* name, HRESULT* phr = nullptr)
{
    LPOLESTR names[1] = {const_cast<LPOLESTR>(name)};
    DISPID dispid = 0;
    const HRESULT hr = pDispatch->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &dispid);
    if (phr != nullptr)
        *phr = hr;
    return dispid;
}

// A property put of one value, as a client sends it.
HRESULT Put(IDispatch* pDispatch, DISPID dispid, VARIANT value)
{
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params = {&value, &named, 1, 1};
    return pDispatch->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr,
                             nullptr);
}

SCODE OleErrorOf(const std::function<void()>& call)
{
    try
    {
        call();
    }
    catch (COleException* e)
    {
        const SCODE sc = e->m_sc;
        e->Delete();
        return sc;
    }
    return S_OK;
}

class DispatchMap : public ::testing::Test
{
protected:
    CGauge* pGauge = nullptr;
    COleDispatchDriver driver;

    void SetUp() override
    {
        ASSERT_TRUE(AfxOleInit());
        pGauge = new CGauge;
        // The driver takes the creator's reference.
        driver.AttachDispatch(pGauge->GetIDispatch(FALSE), TRUE);
    }

    void TearDown() override
    {
        driver.ReleaseDispatch();
        EXPECT_EQ(g_nGaugesAlive, 0);
    }
};

TEST_F(DispatchMap, NamesFindTheirIdsInAnyCase)
{
    struct Case
    {
        const wchar_t* name;
        DISPID dispid;
    };
    const Case cases[] = {{L"Value", 1}, {L"VALUE", 1}, {L"label", 2}, {L"Count", 3}, {L"eNaBlEd", 4}};
    for (const Case& c : cases)
    {
        HRESULT hr = E_FAIL;
        EXPECT_EQ(IdOfName(driver.m_lpDispatch, c.name, &hr), c.dispid);
        EXPECT_EQ(hr, S_OK);
    }
}

TEST_F(DispatchMap, UnknownNameAnswersUnknownName)
{
    HRESULT hr = S_OK;
    EXPECT_EQ(IdOfName(driver.m_lpDispatch, L"Values", &hr), DISPID_UNKNOWN);
    EXPECT_EQ(hr, DISP_E_UNKNOWNNAME);
}

TEST_F(DispatchMap, FloatPropertyIsPutAndReadBack)
{
    driver.SetProperty(1, VT_R4, 2.5f);
    EXPECT_EQ(pGauge->m_fValue, 2.5f);
    float fValue = 0.0f;
    driver.GetProperty(1, VT_R4, &fValue);
    EXPECT_EQ(fValue, 2.5f);
}

TEST_F(DispatchMap, PutIsConvertedToTheDeclaredType)
{
    struct Case
    {
        VARIANT value;
        float expected;
    };
    VARIANT asDouble = {};
    asDouble.vt = VT_R8;
    asDouble.dblVal = 0.375;
    VARIANT asLong = {};
    asLong.vt = VT_I4;
    asLong.lVal = 7;
    COleVariant asText("4");
    for (const Case& c : {Case{asDouble, 0.375f}, Case{asLong, 7.0f}, Case{asText, 4.0f}})
    {
        EXPECT_EQ(Put(driver.m_lpDispatch, 1, c.value), S_OK);
        EXPECT_EQ(pGauge->m_fValue, c.expected);
    }
}

TEST_F(DispatchMap, TextThatIsNoNumberIsATypeMismatch)
{
    pGauge->m_fValue = 1.0f;
    EXPECT_EQ(OleErrorOf([&] { driver.SetProperty(1, VT_BSTR, "abc"); }), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(pGauge->m_fValue, 1.0f);
}

TEST_F(DispatchMap, UnknownIdIsMemberNotFound)
{
    EXPECT_EQ(OleErrorOf([&] { driver.SetProperty(9, VT_R4, 1.0f); }), DISP_E_MEMBERNOTFOUND);
    float fValue = 0.0f;
    EXPECT_EQ(OleErrorOf([&] { driver.GetProperty(0, VT_R4, &fValue); }), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(OleErrorOf([&] { driver.GetProperty(MAKELONG(1, 5), VT_R4, &fValue); }), DISP_E_MEMBERNOTFOUND);
}

TEST_F(DispatchMap, TextAndFlagPropertiesRoundTrip)
{
    driver.SetProperty(2, VT_BSTR, "Sieve No. 200");
    EXPECT_STREQ(pGauge->m_strLabel, "Sieve No. 200");
    CString label;
    driver.GetProperty(2, VT_BSTR, &label);
    EXPECT_STREQ(label, "Sieve No. 200");

    driver.SetProperty(4, VT_BOOL, TRUE);
    BOOL bEnabled = FALSE;
    driver.GetProperty(4, VT_BOOL, &bEnabled);
    EXPECT_TRUE(bEnabled);
}

TEST_F(DispatchMap, SetFunctionExceptionReachesTheClientWithItsText)
{
    COleDispatchException* pCaught = nullptr;
    try
    {
        driver.SetProperty(3, VT_I4, -1L);
    }
    catch (COleDispatchException* e)
    {
        pCaught = e;
    }
    ASSERT_NE(pCaught, nullptr);
    EXPECT_EQ(pCaught->m_wCode, 11);
    EXPECT_STREQ(pCaught->m_strDescription, "The count cannot be negative.");
    pCaught->Delete();
    EXPECT_EQ(pGauge->m_nCount, 0);
}

TEST_F(DispatchMap, GetWithArgumentsOrPutWithoutValueIsABadParameterCount)
{
    VARIANT arg = {};
    arg.vt = VT_I4;
    DISPPARAMS oneArgument = {&arg, nullptr, 1, 0};
    VARIANT result;
    ::VariantInit(&result);
    EXPECT_EQ(driver.m_lpDispatch->Invoke(1, IID_NULL, 0, DISPATCH_PROPERTYGET, &oneArgument, &result, nullptr, nullptr),
              DISP_E_BADPARAMCOUNT);
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    EXPECT_EQ(driver.m_lpDispatch->Invoke(1, IID_NULL, 0, DISPATCH_PROPERTYPUT, &none, nullptr, nullptr, nullptr),
              DISP_E_BADPARAMCOUNT);
}

TEST_F(DispatchMap, InterfaceMapAndIdentity)
{
    IUnknown* pUnknown = nullptr;
    IDispatch* pByMap = nullptr;
    IClassFactory* pFactory = nullptr;
    ASSERT_EQ(driver.m_lpDispatch->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&pUnknown)), S_OK);
    ASSERT_EQ(driver.m_lpDispatch->QueryInterface(IID_IGauge, reinterpret_cast<void**>(&pByMap)), S_OK);
    EXPECT_EQ(driver.m_lpDispatch->QueryInterface(IID_IClassFactory, reinterpret_cast<void**>(&pFactory)), E_NOINTERFACE);
    EXPECT_EQ(pFactory, nullptr);
    EXPECT_EQ(static_cast<void*>(pUnknown), static_cast<void*>(driver.m_lpDispatch));
    EXPECT_EQ(pByMap, driver.m_lpDispatch);
    EXPECT_EQ(pGauge->m_dwRef, 3);
    pUnknown->Release();
    pByMap->Release();
    EXPECT_EQ(pGauge->m_dwRef, 1);
}

TEST_F(DispatchMap, LastReleaseCallsOnFinalReleaseWhichDeletesTheObject)
{
    LPDISPATCH lpSecond = pGauge->GetIDispatch(TRUE);
    driver.ReleaseDispatch();
    EXPECT_EQ(g_nGaugesAlive, 1);
    EXPECT_EQ(pGauge->m_nFinalReleases, 0);
    lpSecond->Release();
    EXPECT_EQ(g_nGaugesAlive, 0);
}

TEST(DispatchMapDerived, OwnPropertiesComeFirstAndTheBaseClassesFollowOneLevelUp)
{
    ASSERT_TRUE(AfxOleInit());
    auto* pDial = new CDialGauge;
    COleDispatchDriver driver(pDial->GetIDispatch(FALSE), TRUE);
    EXPECT_EQ(IdOfName(driver.m_lpDispatch, L"Angle"), 1);
    EXPECT_EQ(IdOfName(driver.m_lpDispatch, L"Value"), MAKELONG(1, 1));
    driver.SetProperty(1, VT_R8, 90.0);
    driver.SetProperty(MAKELONG(1, 1), VT_R4, 0.5f);
    EXPECT_EQ(pDial->m_dAngle, 90.0);
    EXPECT_EQ(pDial->m_fValue, 0.5f);
}

TEST(DispatchMapWithoutAutomation, AnswersNoInterface)
{
    CCmdTarget target;
    void* pInterface = nullptr;
    EXPECT_EQ(target.GetIDispatch(FALSE), nullptr);
    EXPECT_EQ(target.ExternalQueryInterface(IID_IUnknown, &pInterface), E_NOINTERFACE);
}

// ---- The program lock ----

class OleAppLock : public ::testing::Test
{
protected:
    CWinApp app{"Lock Test"};
    CWnd frame;

    void SetUp() override
    {
        ASSERT_TRUE(frame.CreateEx(0, AfxRegisterWndClass(0), "Main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200,
                                   100, nullptr, nullptr));
        app.m_pMainWnd = &frame;
        ASSERT_TRUE(AfxOleCanExitApp());
    }

    void TearDown() override
    {
        AfxOleSetUserCtrl(TRUE);
        app.m_pMainWnd = nullptr;
        frame.DestroyWindow();
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        {
        }
    }

    bool CloseWasPosted()
    {
        MSG msg;
        return ::PeekMessageA(&msg, frame.m_hWnd, WM_CLOSE, WM_CLOSE, PM_REMOVE) != FALSE;
    }
};

TEST_F(OleAppLock, ClosedMainWindowHidesWhileObjectsLiveAndTheLastUnlockClosesIt)
{
    AfxOleLockApp();
    AfxOleLockApp();
    EXPECT_FALSE(AfxOleCanExitApp());
    EXPECT_TRUE(AfxOleHideMainWindowOnClose(&frame));
    EXPECT_FALSE(frame.IsWindowVisible());
    EXPECT_FALSE(AfxOleGetUserCtrl());

    AfxOleUnlockApp();
    EXPECT_FALSE(CloseWasPosted());
    AfxOleUnlockApp();
    EXPECT_TRUE(AfxOleCanExitApp());
    EXPECT_TRUE(CloseWasPosted());
    // Now the close goes through.
    EXPECT_FALSE(AfxOleHideMainWindowOnClose(&frame));
}

TEST_F(OleAppLock, ProgramTheUserControlsGoesOnAfterTheLastUnlock)
{
    AfxOleLockApp();
    AfxOleUnlockApp();
    EXPECT_FALSE(CloseWasPosted());
    EXPECT_TRUE(frame.IsWindowVisible());
}

TEST_F(OleAppLock, UnbalancedUnlockIsIgnored)
{
    AfxOleUnlockApp();
    EXPECT_TRUE(AfxOleCanExitApp());
    AfxOleLockApp();
    EXPECT_FALSE(AfxOleCanExitApp());
    AfxOleUnlockApp();
}

TEST_F(OleAppLock, OnlyTheMainWindowHides)
{
    CWnd other;
    ASSERT_TRUE(other.CreateEx(0, AfxRegisterWndClass(0), "Other", WS_POPUP | WS_VISIBLE, 10, 10, 50, 50, nullptr, nullptr));
    AfxOleLockApp();
    EXPECT_FALSE(AfxOleHideMainWindowOnClose(&other));
    EXPECT_TRUE(other.IsWindowVisible());
    AfxOleUnlockApp();
    other.DestroyWindow();
}

} // namespace
