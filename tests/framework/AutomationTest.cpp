// COleDispatchDriver against a real COM object of this process (a class factory registered with
// CoRegisterClassObject and a ProgID under HKEY_CLASSES_ROOT), and through the recording seam.
#include "framework/ole/AutomationRecorder.h"
#include "framework/ole/DispatchDriver.h"
#include "framework/ole/OleInit.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

namespace {

// {6E1F3A52-8C4B-4D7A-9E21-5B0C7D3F1A64}
const CLSID CLSID_SieveDocument = {0x6e1f3a52, 0x8c4b, 0x4d7a, {0x9e, 0x21, 0x5b, 0x0c, 0x7d, 0x3f, 0x1a, 0x64}};

enum : DISPID
{
    DISPID_SIEVESIZE = 1,      // float property
    DISPID_REPEAT = 3,         // method (long count, BSTR text) -> BSTR
    DISPID_FAIL = 4,           // method that raises a server exception
};

int g_nLiveObjects = 0;

// A document object with the float property at dispatch id 1, as the plotting program has it.
class CSieveDocument : public IDispatch
{
public:
    CSieveDocument() { ++g_nLiveObjects; }
    virtual ~CSieveDocument() { --g_nLiveObjects; }

    float m_fSieveSize = 0.0f;
    VARTYPE m_vtLastPut = VT_EMPTY;
    int m_nPuts = 0;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (ppv == nullptr)
            return E_POINTER;
        *ppv = (riid == IID_IUnknown || riid == IID_IDispatch) ? static_cast<IDispatch*>(this) : nullptr;
        if (*ppv == nullptr)
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_nRefs; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG nRefs = --m_nRefs;
        if (nRefs == 0)
            delete this;
        return nRefs;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* pctinfo) override
    {
        *pctinfo = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override
    {
        return DISP_E_UNKNOWNNAME;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID dispID, REFIID, LCID, WORD wFlags, DISPPARAMS* pParams,
                                     VARIANT* pResult, EXCEPINFO* pExcepInfo, UINT*) override
    {
        switch (dispID)
        {
        case DISPID_SIEVESIZE:
            if (wFlags & DISPATCH_PROPERTYPUT)
            {
                if (pParams->cArgs != 1 || pParams->cNamedArgs != 1 ||
                    pParams->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT)
                    return DISP_E_BADPARAMCOUNT;
                VARIANT value;
                VariantInit(&value);
                if (FAILED(VariantChangeType(&value, &pParams->rgvarg[0], 0, VT_R4)))
                    return DISP_E_TYPEMISMATCH;
                m_vtLastPut = pParams->rgvarg[0].vt;
                m_fSieveSize = value.fltVal;
                ++m_nPuts;
                return S_OK;
            }
            if (pResult == nullptr)
                return E_INVALIDARG;
            pResult->vt = VT_R4;
            pResult->fltVal = m_fSieveSize;
            return S_OK;
        case DISPID_REPEAT:
        {
            // Arguments arrive last first.
            if (pParams->cArgs != 2 || pParams->rgvarg[1].vt != VT_I4 || pParams->rgvarg[0].vt != VT_BSTR)
                return DISP_E_TYPEMISMATCH;
            std::wstring text;
            for (long i = 0; i < pParams->rgvarg[1].lVal; ++i)
                text += pParams->rgvarg[0].bstrVal;
            pResult->vt = VT_BSTR;
            pResult->bstrVal = SysAllocString(text.c_str());
            return S_OK;
        }
        case DISPID_FAIL:
            *pExcepInfo = {};
            pExcepInfo->wCode = 7;
            pExcepInfo->bstrSource = SysAllocString(L"Fennick");
            pExcepInfo->bstrDescription = SysAllocString(L"Sieve size out of range");
            pExcepInfo->dwHelpContext = 42;
            return DISP_E_EXCEPTION;
        default:
            return DISP_E_MEMBERNOTFOUND;
        }
    }

private:
    ULONG m_nRefs = 1;
};

class CSieveDocumentFactory : public IClassFactory
{
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        *ppv = (riid == IID_IUnknown || riid == IID_IClassFactory) ? this : nullptr;
        return *ppv != nullptr ? S_OK : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(LPUNKNOWN pOuter, REFIID riid, void** ppv) override
    {
        if (pOuter != nullptr)
            return CLASS_E_NOAGGREGATION;
        auto* pDocument = new CSieveDocument;
        lastCreated = pDocument;
        const HRESULT hr = pDocument->QueryInterface(riid, ppv);
        pDocument->Release();
        return hr;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

    CSieveDocument* lastCreated = nullptr;
};

std::string ProgIDForRun()
{
    return "QuarrowTest.SieveDocument." + std::to_string(GetCurrentProcessId()) + "." +
           std::to_string(GetTickCount());
}

class DispatchDriverTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(AfxOleInit());
        ASSERT_EQ(CoRegisterClassObject(CLSID_SieveDocument, &m_factory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE,
                                        &m_dwRegister),
                  S_OK);
        // HKEY_CLASSES_ROOT: registrations under HKCU\Software\Classes are not found under Wine.
        m_progID = ProgIDForRun();
        HKEY hKey = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, (m_progID + "\\CLSID").c_str(), 0, nullptr, 0, KEY_WRITE,
                                  nullptr, &hKey, nullptr),
                  ERROR_SUCCESS);
        const char clsidText[] = "{6E1F3A52-8C4B-4D7A-9E21-5B0C7D3F1A64}";
        RegSetValueExA(hKey, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(clsidText), sizeof clsidText);
        RegCloseKey(hKey);
    }
    void TearDown() override
    {
        RegDeleteTreeA(HKEY_CLASSES_ROOT, m_progID.c_str());
        RegDeleteKeyA(HKEY_CLASSES_ROOT, m_progID.c_str());
        if (m_dwRegister != 0)
            CoRevokeClassObject(m_dwRegister);
        EXPECT_EQ(g_nLiveObjects, 0) << "a connection was not released";
    }

    CSieveDocumentFactory m_factory;
    DWORD m_dwRegister = 0;
    std::string m_progID;
};

TEST_F(DispatchDriverTest, SetsTheFloatPropertyByProgIDAndReadsItBack)
{
    COleDispatchDriver driver;
    ASSERT_TRUE(driver.CreateDispatch(m_progID.c_str()));
    ASSERT_NE(driver.m_lpDispatch, nullptr);

    driver.SetProperty(DISPID_SIEVESIZE, VT_R4, 1.0f);
    ASSERT_NE(m_factory.lastCreated, nullptr);
    EXPECT_EQ(m_factory.lastCreated->m_vtLastPut, VT_R4);
    EXPECT_EQ(m_factory.lastCreated->m_fSieveSize, 1.0f);

    float fSieveSize = 0.0f;
    driver.GetProperty(DISPID_SIEVESIZE, VT_R4, &fSieveSize);
    EXPECT_EQ(fSieveSize, 1.0f);

    driver.SetProperty(DISPID_SIEVESIZE, VT_R4, 0.375f);
    double dSieveSize = 0.0;
    driver.GetProperty(DISPID_SIEVESIZE, VT_R8, &dSieveSize);   // converted by the driver
    EXPECT_EQ(dSieveSize, 0.375);
    EXPECT_EQ(m_factory.lastCreated->m_nPuts, 2);
}

TEST_F(DispatchDriverTest, ReleasesTheConnectionWhenItGoesOutOfScope)
{
    {
        COleDispatchDriver driver;
        ASSERT_TRUE(driver.CreateDispatch(CLSID_SieveDocument));
        EXPECT_EQ(g_nLiveObjects, 1);
    }
    EXPECT_EQ(g_nLiveObjects, 0);
}

TEST_F(DispatchDriverTest, UnknownProgIDAnswersFalseWithoutThrowing)
{
    COleDispatchDriver driver;
    EXPECT_FALSE(driver.CreateDispatch("QuarrowTest.NoSuchServer"));
    EXPECT_EQ(driver.m_lpDispatch, nullptr);

    COleException error;
    EXPECT_FALSE(driver.CreateDispatch("QuarrowTest.NoSuchServer", &error));
    EXPECT_TRUE(FAILED(error.m_sc));
}

TEST_F(DispatchDriverTest, InvokeHelperPassesArgumentsInOrderAndConvertsTheResult)
{
    COleDispatchDriver driver;
    ASSERT_TRUE(driver.CreateDispatch(m_progID.c_str()));
    CString result;
    static const BYTE params[] = VTS_I4 VTS_BSTR;
    driver.InvokeHelper(DISPID_REPEAT, DISPATCH_METHOD, VT_BSTR, &result, params, 3L, "ab");
    EXPECT_STREQ(result, "ababab");
}

TEST_F(DispatchDriverTest, ServerExceptionBecomesDispatchException)
{
    COleDispatchDriver driver;
    ASSERT_TRUE(driver.CreateDispatch(m_progID.c_str()));
    COleDispatchException* pCaught = nullptr;
    try
    {
        driver.InvokeHelper(DISPID_FAIL, DISPATCH_METHOD, VT_EMPTY, nullptr, reinterpret_cast<const BYTE*>(VTS_NONE));
    }
    catch (COleDispatchException* e)
    {
        pCaught = e;
    }
    ASSERT_NE(pCaught, nullptr);
    EXPECT_EQ(pCaught->m_wCode, 7);
    EXPECT_STREQ(pCaught->m_strDescription, "Sieve size out of range");
    EXPECT_STREQ(pCaught->m_strSource, "Fennick");
    EXPECT_EQ(pCaught->m_dwHelpContext, 42u);
    EXPECT_EQ(pCaught->m_scError, DISP_E_EXCEPTION);
    char message[64];
    EXPECT_TRUE(pCaught->GetErrorMessage(message, sizeof message));
    EXPECT_STREQ(message, "Sieve size out of range");
    pCaught->Delete();
}

TEST_F(DispatchDriverTest, OtherFailuresBecomeOleExceptionsWithTheHResult)
{
    COleDispatchDriver driver;
    ASSERT_TRUE(driver.CreateDispatch(m_progID.c_str()));
    SCODE sc = S_OK;
    try
    {
        long value = 0;
        driver.GetProperty(99, VT_I4, &value);
    }
    catch (COleException* e)
    {
        sc = e->m_sc;
        e->Delete();
    }
    EXPECT_EQ(sc, DISP_E_MEMBERNOTFOUND);
}

TEST_F(DispatchDriverTest, CopiesShareTheObjectWithReferencesOfTheirOwn)
{
    COleDispatchDriver first;
    ASSERT_TRUE(first.CreateDispatch(CLSID_SieveDocument));
    {
        COleDispatchDriver second(first);
        COleDispatchDriver third;
        third = second;
        third.SetProperty(DISPID_SIEVESIZE, VT_R4, 2.0f);
    }
    float fSieveSize = 0.0f;
    first.GetProperty(DISPID_SIEVESIZE, VT_R4, &fSieveSize);
    EXPECT_EQ(fSieveSize, 2.0f);
    EXPECT_EQ(g_nLiveObjects, 1);
}

TEST(DispatchDriver, CallWithoutConnectionThrowsOleException)
{
    COleDispatchDriver driver;
    SCODE sc = S_OK;
    try
    {
        driver.SetProperty(DISPID_SIEVESIZE, VT_R4, 1.0f);
    }
    catch (COleException* e)
    {
        sc = e->m_sc;
        e->Delete();
    }
    EXPECT_EQ(sc, CO_E_OBJNOTCONNECTED);
}

TEST(OleInit, InitialisesTheThreadForApartmentsOnceAndTermUndoesIt)
{
    bool bSecondInit = false;
    HRESULT hrWhileInitialised = S_OK;
    HRESULT hrAfterTerm = E_FAIL;
    std::thread worker([&] {
        bSecondInit = AfxOleInit() && AfxOleInit();
        // A single-threaded apartment now: the multithreaded model is refused.
        hrWhileInitialised = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        AfxOleTerm();
        hrAfterTerm = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        if (SUCCEEDED(hrAfterTerm))
            CoUninitialize();
    });
    worker.join();
    EXPECT_TRUE(bSecondInit);
    EXPECT_EQ(hrWhileInitialised, RPC_E_CHANGED_MODE);
    EXPECT_EQ(hrAfterTerm, S_OK);
}

TEST(DispatchDriver, FirstConnectionOfAThreadInitialisesOle)
{
    BOOL bCreated = FALSE;
    HRESULT hrAfterwards = S_OK;
    std::thread worker([&] {
        {
            COleDispatchDriver driver;
            bCreated = driver.CreateDispatch("Scripting.Dictionary");
        }
        hrAfterwards = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        if (SUCCEEDED(hrAfterwards))
            CoUninitialize();
    });
    worker.join();
    EXPECT_TRUE(bCreated);
    EXPECT_EQ(hrAfterwards, RPC_E_CHANGED_MODE);
}

// --- the seam ---------------------------------------------------------------------------

TEST(AutomationSeam, RecordsTheReloadRequestWithoutAServer)
{
    CRecordingAutomation recorder;
    CScopedAutomationSeam seam(&recorder);
    {
        COleDispatchDriver driver;
        ASSERT_TRUE(driver.CreateDispatch("Fennick.Document"));
        driver.SetProperty(1, VT_R4, 1.0f);
    }
    ASSERT_EQ(recorder.calls.size(), 3u);
    EXPECT_EQ(recorder.calls[0].kind, CRecordingAutomation::Call::createDispatch);
    EXPECT_EQ(recorder.calls[0].progID, "Fennick.Document");
    const CRecordingAutomation::Call& put = recorder.calls[1];
    EXPECT_EQ(put.kind, CRecordingAutomation::Call::invoke);
    EXPECT_EQ(put.dispID, 1);
    EXPECT_EQ(put.wFlags, DISPATCH_PROPERTYPUT);
    ASSERT_EQ(put.args.size(), 1u);
    EXPECT_EQ(put.args[0].vt, VT_R4);
    EXPECT_EQ(put.args[0].fltVal, 1.0f);
    EXPECT_EQ(recorder.calls[2].kind, CRecordingAutomation::Call::release);
    EXPECT_EQ(recorder.OpenConnections(), 0);
}

TEST(AutomationSeam, RefusedConnectionIsNeitherUsedNorReleased)
{
    CRecordingAutomation recorder;
    recorder.createResult = REGDB_E_CLASSNOTREG;
    CScopedAutomationSeam seam(&recorder);
    {
        COleDispatchDriver driver;
        COleException error;
        EXPECT_FALSE(driver.CreateDispatch("Fennick.Document", &error));
        EXPECT_EQ(error.m_sc, REGDB_E_CLASSNOTREG);
        driver.ReleaseDispatch();
    }
    ASSERT_EQ(recorder.calls.size(), 1u);
    EXPECT_EQ(recorder.calls[0].kind, CRecordingAutomation::Call::createDispatch);
}

TEST(AutomationSeam, AttachWithoutAutoReleaseLeavesTheReferenceToTheCaller)
{
    CRecordingAutomation recorder;
    CScopedAutomationSeam seam(&recorder);
    LPDISPATCH lpDispatch = nullptr;
    ASSERT_EQ(AfxCreateDispatch("Fennick.Document", &lpDispatch), S_OK);
    {
        COleDispatchDriver borrowed;
        borrowed.AttachDispatch(lpDispatch, FALSE);
        COleDispatchDriver detached(lpDispatch);
        EXPECT_EQ(detached.DetachDispatch(), lpDispatch);
    }
    EXPECT_EQ(recorder.OpenConnections(), 1);
    COleDispatchDriver owner(lpDispatch);
    owner.ReleaseDispatch();
    EXPECT_EQ(owner.m_lpDispatch, nullptr);
    EXPECT_EQ(recorder.OpenConnections(), 0);
}

TEST(AutomationSeam, TypedArgumentsArriveAsTheirVariants)
{
    CRecordingAutomation recorder;
    CScopedAutomationSeam seam(&recorder);
    COleDispatchDriver driver;
    ASSERT_TRUE(driver.CreateDispatch("Fennick.Document"));
    COleVariant variant(12L);
    static const BYTE params[] = VTS_I2 VTS_R8 VTS_BOOL VTS_BSTR VTS_VARIANT;
    driver.InvokeHelper(7, DISPATCH_METHOD, VT_EMPTY, nullptr, params, 5, 2.5, TRUE, "sieve",
                        static_cast<const VARIANT*>(&variant));
    ASSERT_EQ(recorder.calls.size(), 2u);
    const auto& args = recorder.calls[1].args;
    ASSERT_EQ(args.size(), 5u);
    EXPECT_EQ(args[0].vt, VT_I2);
    EXPECT_EQ(args[0].iVal, 5);
    EXPECT_EQ(args[1].vt, VT_R8);
    EXPECT_EQ(args[1].dblVal, 2.5);
    EXPECT_EQ(args[2].vt, VT_BOOL);
    EXPECT_EQ(args[2].boolVal, VARIANT_TRUE);
    EXPECT_EQ(args[3].vt, VT_BSTR);
    EXPECT_STREQ(CString(args[3].bstrVal), "sieve");
    EXPECT_EQ(args[4].vt, VT_I4);
    EXPECT_EQ(args[4].lVal, 12);
}

TEST(AutomationSeam, UnknownParameterCodeThrowsBeforeAnyCall)
{
    CRecordingAutomation recorder;
    CScopedAutomationSeam seam(&recorder);
    COleDispatchDriver driver;
    ASSERT_TRUE(driver.CreateDispatch("Fennick.Document"));
    static const BYTE params[] = VTS_BSTR "\x0E";   // VT_DECIMAL has no code
    SCODE sc = S_OK;
    try
    {
        driver.InvokeHelper(7, DISPATCH_METHOD, VT_EMPTY, nullptr, params, "leaked?", 1);
    }
    catch (COleException* e)
    {
        sc = e->m_sc;
        e->Delete();
    }
    EXPECT_EQ(sc, DISP_E_BADVARTYPE);
    EXPECT_EQ(recorder.calls.size(), 1u);
}

} // namespace
