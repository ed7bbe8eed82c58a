// A stand-in for Fennick in tests with real processes and real automation: at its start it registers
// "Fennick.Document" under HKEY_CLASSES_ROOT with a local-server class factory, and it logs its start
// and each put of property 1 to "fennick-standin.log" beside its program file. It reads nothing but
// the first number of the plot data file beside it, which it logs with its start.
// It ends when its process is ended, or by itself after two minutes so that no test leaves it behind.
//
// Its class id is its own for each folder it is installed in: Wine keeps the class registration of a
// server whose process was ended without revoking it, and finds that dead registration first for its
// class id, so a stand-in ended by an earlier test would stand in the way of every later one.
#include <windows.h>
#include <ole2.h>

#include <cstdio>
#include <string>

namespace {

// {3C7B2A91-5E4D-4F1A-8B6C-2D9E0F1A7B35}, the class id that the folder's own one is made from.
const CLSID CLSID_StandInBase = {0x3c7b2a91, 0x5e4d, 0x4f1a, {0x8b, 0x6c, 0x2d, 0x9e, 0x0f, 0x1a, 0x7b, 0x35}};
const UINT LifetimeMilliseconds = 120000;

std::string g_folder;   // with its closing backslash

void Log(const std::string& line)
{
    const std::string path = g_folder + "fennick-standin.log";
    HANDLE hFile = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return;
    const std::string text = line + "\r\n";
    DWORD cbWritten = 0;
    WriteFile(hFile, text.data(), static_cast<DWORD>(text.size()), &cbWritten, nullptr);
    CloseHandle(hFile);
}

// The plot kind: the first number of the plot data file, "-" without one.
std::string PlotKind()
{
    char szKind[16] = "-";
    if (FILE* pFile = std::fopen((g_folder + "plot.tmp").c_str(), "rb"))
    {
        int nKind = 0;
        if (std::fscanf(pFile, "%d", &nKind) == 1)
            std::snprintf(szKind, sizeof szKind, "%d", nKind);
        std::fclose(pFile);
    }
    return szKind;
}

// The base class id with the first eight bytes mixed with a hash of the folder's path (FNV-1a).
CLSID FolderClassId()
{
    unsigned long long hash = 14695981039346656037ull;
    for (const char c : g_folder) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    CLSID clsid = CLSID_StandInBase;
    clsid.Data1 ^= static_cast<unsigned long>(hash);
    clsid.Data2 ^= static_cast<unsigned short>(hash >> 32);
    clsid.Data3 ^= static_cast<unsigned short>(hash >> 48);
    return clsid;
}

std::string ClassIdText(const CLSID& clsid)
{
    char text[40];
    std::snprintf(text, sizeof text, "{%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", clsid.Data1, clsid.Data2,
                  clsid.Data3, clsid.Data4[0], clsid.Data4[1], clsid.Data4[2], clsid.Data4[3], clsid.Data4[4],
                  clsid.Data4[5], clsid.Data4[6], clsid.Data4[7]);
    return text;
}

bool SetKeyText(const std::string& key, const std::string& text)
{
    HKEY hKey = nullptr;
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &hKey, nullptr) !=
        ERROR_SUCCESS)
        return false;
    const bool bSet = RegSetValueExA(hKey, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                     static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
    RegCloseKey(hKey);
    return bSet;
}

class CStandInDocument final : public IDispatch
{
public:
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
    HRESULT STDMETHODCALLTYPE Invoke(DISPID dispID, REFIID, LCID, WORD wFlags, DISPPARAMS* pParams, VARIANT* pResult,
                                     EXCEPINFO*, UINT*) override
    {
        if (dispID != 1)
            return DISP_E_MEMBERNOTFOUND;
        if ((wFlags & DISPATCH_PROPERTYPUT) != 0)
        {
            if (pParams == nullptr || pParams->cArgs != 1)
                return DISP_E_BADPARAMCOUNT;
            const VARIANT& value = pParams->rgvarg[0];
            char szLine[64];
            if (value.vt == VT_R4)
                std::snprintf(szLine, sizeof szLine, "put 1 VT_R4 %.3f", static_cast<double>(value.fltVal));
            else
                std::snprintf(szLine, sizeof szLine, "put 1 vt %u", static_cast<unsigned>(value.vt));
            Log(szLine);
            return S_OK;
        }
        if (pResult != nullptr)
        {
            pResult->vt = VT_R4;
            pResult->fltVal = 0.0f;
        }
        return S_OK;
    }

private:
    ULONG m_nRefs = 1;
};

class CStandInFactory : public IClassFactory
{
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (ppv == nullptr)
            return E_POINTER;
        *ppv = (riid == IID_IUnknown || riid == IID_IClassFactory) ? this : nullptr;
        return *ppv != nullptr ? S_OK : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(LPUNKNOWN pOuter, REFIID riid, void** ppv) override
    {
        if (pOuter != nullptr)
            return CLASS_E_NOAGGREGATION;
        auto* pDocument = new CStandInDocument;
        const HRESULT hr = pDocument->QueryInterface(riid, ppv);
        pDocument->Release();
        return hr;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char szProgram[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, szProgram, MAX_PATH);
    g_folder = szProgram;
    g_folder.erase(g_folder.find_last_of('\\') + 1);

    if (FAILED(OleInitialize(nullptr)))
        return 1;
    // Registered at every start, as Fennick does.
    const CLSID clsid = FolderClassId();
    const std::string clsidText = ClassIdText(clsid);
    const std::string clsidKey = "CLSID\\" + clsidText;
    if (!SetKeyText("Fennick.Document\\CLSID", clsidText) || !SetKeyText(clsidKey, "Fennick Document") ||
        !SetKeyText(clsidKey + "\\LocalServer32", szProgram) || !SetKeyText(clsidKey + "\\ProgID", "Fennick.Document"))
    {
        Log("registry refused");
        return 2;
    }
    CStandInFactory factory;
    DWORD dwRegister = 0;
    if (FAILED(CoRegisterClassObject(clsid, &factory, CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE,
                                     &dwRegister)))
    {
        Log("class refused");
        return 3;
    }
    // Logged once the class can be reached, so a test that waits for it can ask at once.
    Log("start " + PlotKind());

    SetTimer(nullptr, 0, LifetimeMilliseconds, nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0)
    {
        if (msg.message == WM_TIMER && msg.hwnd == nullptr)
            break;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    CoRevokeClassObject(dwRegister);
    OleUninitialize();
    return 0;
}
