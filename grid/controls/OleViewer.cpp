#include "grid/controls/OleViewer.h"

#include "framework/ole/OleInit.h"
#include "framework/win/Seams.h"
#include "framework/win/WinApp.h"
#include "framework/win/Wnd.h"
#include "grid/controls/OleVarUserAttribute.h"
#include "grid/core/BrowserGridHooks.h"
#include "grid/core/Control.h"
#include "grid/core/GridCore.h"
#include "grid/core/Style.h"

#include <oledlg.h>

#include <cstring>
#include <string>

namespace
{
// ---- Header fields ----

void PutWord(CByteArray& bytes, size_t nAt, WORD w)
{
    bytes[static_cast<INT_PTR>(nAt)] = LOBYTE(w);
    bytes[static_cast<INT_PTR>(nAt + 1)] = HIBYTE(w);
}

WORD GetWord(const BYTE* p)
{
    return static_cast<WORD>(p[0] | (p[1] << 8));
}

std::string Narrow(LPCOLESTR pszWide)
{
    if (pszWide == nullptr)
        return std::string();
    const int nLength = ::WideCharToMultiByte(CP_ACP, 0, pszWide, -1, nullptr, 0, nullptr, nullptr);
    std::string text(nLength > 0 ? nLength - 1 : 0, '\0');
    if (nLength > 1)
        ::WideCharToMultiByte(CP_ACP, 0, pszWide, -1, text.data(), nLength, nullptr, nullptr);
    return text;
}

std::wstring Wide(LPCSTR pszText)
{
    const int nLength = ::MultiByteToWideChar(CP_ACP, 0, pszText, -1, nullptr, 0);
    std::wstring text(nLength > 0 ? nLength - 1 : 0, L'\0');
    if (nLength > 1)
        ::MultiByteToWideChar(CP_ACP, 0, pszText, -1, text.data(), nLength);
    return text;
}

// ---- OLE 1 streams over an IStream ----

struct StreamOleStream : OLESTREAM
{
    OLESTREAMVTBL vtbl;
    IStream* pStream;
};

DWORD CALLBACK OleStreamGet(LPOLESTREAM pOleStream, void* pBuffer, DWORD nCount)
{
    ULONG nRead = 0;
    static_cast<StreamOleStream*>(pOleStream)->pStream->Read(pBuffer, nCount, &nRead);
    return nRead;
}

DWORD CALLBACK OleStreamPut(LPOLESTREAM pOleStream, const void* pBuffer, DWORD nCount)
{
    ULONG nWritten = 0;
    static_cast<StreamOleStream*>(pOleStream)->pStream->Write(pBuffer, nCount, &nWritten);
    return nWritten;
}

void InitOleStream(StreamOleStream& oleStream, IStream* pStream)
{
    oleStream.vtbl.Get = OleStreamGet;
    oleStream.vtbl.Put = OleStreamPut;
    oleStream.lpstbl = &oleStream.vtbl;
    oleStream.pStream = pStream;
}

// The object bytes of a style, NULL when it has no byte-array variant in attribute 52794.
const VARIANT* StyleVariant(const CGXStyle& style)
{
    if (!style.HasUserAttribute(GX_IDS_UA_DAOBITMAP))
        return nullptr;
    const CGXOleVarUserAttribute* pAttribute =
        dynamic_cast<const CGXOleVarUserAttribute*>(&style.GetUserAttribute(GX_IDS_UA_DAOBITMAP));
    return pAttribute != nullptr ? pAttribute->GetVariant() : nullptr;
}

void ShowText(UINT nId)
{
    AfxMessageBox(nId, MB_OK | MB_ICONEXCLAMATION);
}

// ---- The object's client site and advise sink ----

// What the viewer's two callback objects share: one interface besides IUnknown, a reference count
// that deletes the object at zero, and the viewer they report to until it detaches them.
template <class Interface, const IID& InterfaceId>
class CGXViewerObject : public Interface
{
public:
    explicit CGXViewerObject(CGXGenericViewerImpl* pViewer) : m_pViewer(pViewer) {}
    void Detach() { m_pViewer = nullptr; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** ppv) override
    {
        if (ppv == nullptr)
            return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, InterfaceId))
        {
            *ppv = static_cast<Interface*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_nRefs; }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const ULONG nRefs = --m_nRefs;
        if (nRefs == 0)
            delete this;
        return nRefs;
    }

protected:
    virtual ~CGXViewerObject() = default;
    CGXGenericViewerImpl* m_pViewer;

private:
    ULONG m_nRefs = 1;
};

class CGXClientSite : public CGXViewerObject<IOleClientSite, IID_IOleClientSite>
{
public:
    using CGXViewerObject::CGXViewerObject;

    HRESULT STDMETHODCALLTYPE SaveObject() override
    {
        if (m_pViewer == nullptr || m_pViewer->GetOleObject() == nullptr)
            return E_FAIL;
        IPersistStorage* pPersist = nullptr;
        if (FAILED(m_pViewer->GetOleObject()->QueryInterface(IID_IPersistStorage, reinterpret_cast<void**>(&pPersist))))
            return E_FAIL;
        HRESULT hr = S_OK;
        if (pPersist->IsDirty() == S_OK)
        {
            hr = ::OleSave(pPersist, m_pViewer->GetStorage(), TRUE);
            pPersist->SaveCompleted(nullptr);
        }
        pPersist->Release();
        if (FAILED(hr) || !m_pViewer->SaveToVariant())
            return E_FAIL;
        m_pViewer->OnObjectChanged();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE ShowObject() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override { return E_NOTIMPL; }

private:
    ~CGXClientSite() override = default;
};

class CGXAdviseSink : public CGXViewerObject<IAdviseSink, IID_IAdviseSink>
{
public:
    using CGXViewerObject::CGXViewerObject;

    void STDMETHODCALLTYPE OnDataChange(FORMATETC*, STGMEDIUM*) override {}
    void STDMETHODCALLTYPE OnViewChange(DWORD, LONG) override {}
    void STDMETHODCALLTYPE OnRename(IMoniker*) override {}
    void STDMETHODCALLTYPE OnSave() override {}
    void STDMETHODCALLTYPE OnClose() override
    {
        if (m_pViewer != nullptr)
            m_pViewer->Close();
    }

private:
    ~CGXAdviseSink() override = default;
};
}  // namespace

// ---- Header ----

void GXBuildOleObjectHeader(LPCSTR pszUserType, LPCSTR pszProgId, CByteArray& header)
{
    const size_t nName = std::strlen(pszUserType != nullptr ? pszUserType : "") + 1;
    const size_t nClass = std::strlen(pszProgId != nullptr ? pszProgId : "") + 1;
    header.SetSize(static_cast<INT_PTR>(GX_OLE_HEADER_SIZE + nName + nClass));
    std::memset(header.GetData(), 0, static_cast<size_t>(header.GetSize()));
    PutWord(header, 0, GX_OLE_HEADER_SIGNATURE);
    PutWord(header, 2, GX_OLE_HEADER_SIZE);
    PutWord(header, 4, 2);  // embedded; the high word of the 32-bit type stays 0
    PutWord(header, 8, static_cast<WORD>(nName));
    PutWord(header, 10, static_cast<WORD>(nClass));
    PutWord(header, 12, GX_OLE_HEADER_SIZE);
    PutWord(header, 14, static_cast<WORD>(GX_OLE_HEADER_SIZE + nName));
    PutWord(header, 16, 0xFFFF);
    PutWord(header, 18, 0xFFFF);
    std::memcpy(header.GetData() + GX_OLE_HEADER_SIZE, pszUserType != nullptr ? pszUserType : "", nName);
    std::memcpy(header.GetData() + GX_OLE_HEADER_SIZE + nName, pszProgId != nullptr ? pszProgId : "", nClass);
}

BOOL GXReadOleObjectHeader(const BYTE* pData, size_t nSize, CString& userType, CString& progId,
                           size_t& nHeaderLength)
{
    if (pData == nullptr || nSize < GX_OLE_HEADER_SIZE || GetWord(pData) != GX_OLE_HEADER_SIGNATURE)
        return FALSE;
    const size_t nName = GetWord(pData + 8);
    const size_t nClass = GetWord(pData + 10);
    const size_t nNameAt = GetWord(pData + 12);
    const size_t nClassAt = GetWord(pData + 14);
    // Both strings lie inside the bytes and end with their zero.
    if (nName == 0 || nClass == 0 || nNameAt + nName > nSize || nClassAt + nClass > nSize ||
        pData[nNameAt + nName - 1] != '\0' || pData[nClassAt + nClass - 1] != '\0')
        return FALSE;
    userType = reinterpret_cast<LPCSTR>(pData + nNameAt);
    progId = reinterpret_cast<LPCSTR>(pData + nClassAt);
    nHeaderLength = nClassAt + nClass;
    return TRUE;
}

void GXShowOleError(HRESULT hr)
{
    LPSTR pszText = nullptr;
    const DWORD nLength =
        ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS,
                         nullptr, static_cast<DWORD>(hr), 0, reinterpret_cast<LPSTR>(&pszText), 0, nullptr);
    if (nLength > 0 && pszText != nullptr)
        AfxMessageBox(pszText, MB_OK | MB_ICONEXCLAMATION);
    if (pszText != nullptr)
        ::LocalFree(pszText);
}

// ---- CGXInterfaceManager ----

void CGXInterfaceManager::Set(REFIID iid, IUnknown* pUnknown)
{
    for (auto it = m_entries.begin(); it != m_entries.end(); ++it)
    {
        if (!IsEqualIID(it->first, iid))
            continue;
        IUnknown* pOld = it->second;
        if (pUnknown != nullptr)
            it->second = pUnknown;
        else
            m_entries.erase(it);
        if (pOld != nullptr && pOld != pUnknown)
            pOld->Release();
        return;
    }
    if (pUnknown != nullptr)
        m_entries.emplace_back(iid, pUnknown);
}

IUnknown* CGXInterfaceManager::Get(REFIID iid) const
{
    for (const auto& entry : m_entries)
        if (IsEqualIID(entry.first, iid))
            return entry.second;
    return nullptr;
}

void CGXInterfaceManager::ReleaseAll()
{
    std::vector<std::pair<IID, IUnknown*>> entries;
    entries.swap(m_entries);
    // The object before its storage, the storage before its bytes.
    for (auto& entry : entries)
        if (entry.second != nullptr)
            entry.second->Release();
}

// ---- CGXGenericViewerImpl ----

CGXGenericViewerImpl::CGXGenericViewerImpl()
{
    ::VariantInit(&m_variant);
    AfxOleInit();
}

CGXGenericViewerImpl::~CGXGenericViewerImpl()
{
    if (IOleObject* pObject = GetOleObject())
    {
        if (m_dwAdviseConnection != 0)
            pObject->Unadvise(m_dwAdviseConnection);
        pObject->Close(OLECLOSE_NOSAVE);
    }
    m_dwAdviseConnection = 0;
    m_interfaces.ReleaseAll();
    ::VariantClear(&m_variant);
    for (IUnknown* pHelper : m_helpers)
    {
        IOleClientSite* pSite = nullptr;
        if (SUCCEEDED(pHelper->QueryInterface(IID_IOleClientSite, reinterpret_cast<void**>(&pSite))))
        {
            static_cast<CGXClientSite*>(pSite)->Detach();
            pSite->Release();
        }
        else
            static_cast<CGXAdviseSink*>(static_cast<IAdviseSink*>(pHelper))->Detach();
        pHelper->Release();
    }
}

HWND CGXGenericViewerImpl::GridWindow() const
{
    return m_pGrid != nullptr && m_pGrid->GridWnd() != nullptr ? m_pGrid->GridWnd()->GetSafeHwnd() : nullptr;
}

void CGXGenericViewerImpl::TellActionBegin()
{
    if (m_pGrid != nullptr && m_pOwner != nullptr)
        if (CGXBrowserGridHooks* pHooks = m_pGrid->GetBrowserGridHooks())
            pHooks->OnOleActionBegin(m_pOwner->m_nRow, m_pOwner->m_nCol);
}

void CGXGenericViewerImpl::TellActionEnd()
{
    if (m_pGrid != nullptr && m_pOwner != nullptr)
        if (CGXBrowserGridHooks* pHooks = m_pGrid->GetBrowserGridHooks())
            pHooks->OnOleActionEnd(m_pOwner->m_nRow, m_pOwner->m_nCol);
}

IStorage* CGXGenericViewerImpl::GetStorage()
{
    return static_cast<IStorage*>(m_interfaces.Get(IID_IStorage));
}

IOleObject* CGXGenericViewerImpl::GetOleObject()
{
    return static_cast<IOleObject*>(m_interfaces.Get(IID_IOleObject));
}

BOOL CGXGenericViewerImpl::HasData()
{
    return m_variant.vt == (VT_ARRAY | VT_UI1);
}

IOleClientSite* CGXGenericViewerImpl::CreateClientSite()
{
    CGXClientSite* pSite = new CGXClientSite(this);
    pSite->AddRef();
    m_helpers.push_back(pSite);
    return pSite;
}

IAdviseSink* CGXGenericViewerImpl::CreateAdviseSink()
{
    CGXAdviseSink* pSink = new CGXAdviseSink(this);
    pSink->AddRef();
    m_helpers.push_back(pSink);
    return pSink;
}

HRESULT CGXGenericViewerImpl::CreateMemoryStorage()
{
    HGLOBAL hBytes = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT | GMEM_NODISCARD, 0);
    if (hBytes == nullptr)
        return E_OUTOFMEMORY;
    ILockBytes* pLockBytes = nullptr;
    HRESULT hr = ::CreateILockBytesOnHGlobal(hBytes, TRUE, &pLockBytes);
    if (FAILED(hr))
    {
        ::GlobalFree(hBytes);
        return hr;
    }
    IStorage* pStorage = nullptr;
    hr = ::StgCreateDocfileOnILockBytes(pLockBytes, STGM_TRANSACTED | STGM_CREATE | STGM_SHARE_EXCLUSIVE | STGM_READWRITE,
                                        0, &pStorage);
    m_interfaces.Set(IID_ILockBytes, pLockBytes);
    if (SUCCEEDED(hr))
        m_interfaces.Set(IID_IStorage, pStorage);
    return hr;
}

void CGXGenericViewerImpl::AdviseObject(IOleObject* pObject)
{
    IAdviseSink* pSink = CreateAdviseSink();
    if (FAILED(pObject->Advise(pSink, &m_dwAdviseConnection)))
        m_dwAdviseConnection = 0;
    pSink->Release();
}

HGLOBAL CGXGenericViewerImpl::GetData(const CGXStyle& style)
{
    const VARIANT* pVariant = StyleVariant(style);
    if (pVariant == nullptr || pVariant->vt == VT_EMPTY)
        return nullptr;
    CByteArray bytes;
    if (!GXGetByteArrayVariant(*pVariant, bytes))
    {
        ShowText(GX_IDS_OLE_INVALIDDATA);
        return nullptr;
    }
    HGLOBAL hData = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, static_cast<SIZE_T>(bytes.GetSize()));
    if (hData == nullptr)
        return nullptr;
    if (bytes.GetSize() > 0)
    {
        std::memcpy(::GlobalLock(hData), bytes.GetData(), static_cast<size_t>(bytes.GetSize()));
        ::GlobalUnlock(hData);
    }
    return hData;
}

BOOL CGXGenericViewerImpl::Open(const CGXStyle& style, CGXGridCore* pGrid, CGXControl* pOwner, BOOL bShow)
{
    m_pGrid = pGrid;
    m_pOwner = pOwner;
    const VARIANT* pVariant = StyleVariant(style);
    BOOL bOpened = FALSE;
    if (pVariant == nullptr || pVariant->vt == VT_EMPTY)
        bOpened = InsertNew(pGrid);
    else if (HGLOBAL hData = GetData(style))
    {
        bOpened = LoadFromData(hData, pGrid, bShow);
        ::GlobalFree(hData);
    }
    if (!bOpened)
        m_pOwner = nullptr;
    return bOpened;
}

BOOL CGXGenericViewerImpl::LoadFromData(HGLOBAL hData, CGXGridCore* pGrid, BOOL bShow)
{
    m_pGrid = pGrid;
    HRESULT hr = E_FAIL;
    IStream* pStream = nullptr;
    IOleObject* pObject = nullptr;
    IOleClientSite* pSite = nullptr;
    do
    {
        const BYTE* pData = hData != nullptr ? static_cast<const BYTE*>(::GlobalLock(hData)) : nullptr;
        if (pData == nullptr)
            break;
        const size_t nSize = ::GlobalSize(hData);
        CString userType;
        CString progId;
        size_t nHeader = 0;
        const BOOL bHeader = GXReadOleObjectHeader(pData, nSize, userType, progId, nHeader);
        HGLOBAL hStream = nullptr;
        if (bHeader)
        {
            hStream = ::GlobalAlloc(GMEM_MOVEABLE, nSize - nHeader);
            if (hStream != nullptr && nSize > nHeader)
            {
                std::memcpy(::GlobalLock(hStream), pData + nHeader, nSize - nHeader);
                ::GlobalUnlock(hStream);
            }
        }
        ::GlobalUnlock(hData);
        if (!bHeader || hStream == nullptr)
            break;
        CLSID clsid;
        if (FAILED(::CLSIDFromProgID(Wide(progId).c_str(), &clsid)) ||
            FAILED(::CreateStreamOnHGlobal(hStream, TRUE, &pStream)))
        {
            ::GlobalFree(hStream);
            break;
        }
        if (FAILED(CreateMemoryStorage()))
            break;
        hr = ::CoCreateInstance(clsid, nullptr, CLSCTX_LOCAL_SERVER, IID_IOleObject, reinterpret_cast<void**>(&pObject));
        if (FAILED(hr))
            break;
        StreamOleStream reader;
        InitOleStream(reader, pStream);
        hr = ::OleConvertOLESTREAMToIStorage(&reader, GetStorage(), nullptr);
        if (FAILED(hr))
            break;
        pSite = CreateClientSite();
        pObject->SetClientSite(pSite);
        IPersistStorage* pPersist = nullptr;
        hr = pObject->QueryInterface(IID_IPersistStorage, reinterpret_cast<void**>(&pPersist));
        if (FAILED(hr))
            break;
        hr = pPersist->Load(GetStorage());
        m_interfaces.Set(IID_IPersistStorage, pPersist);
        if (FAILED(hr))
            break;
        m_interfaces.Set(IID_IStream, pStream);
        pStream = nullptr;
        m_interfaces.Set(IID_IOleObject, pObject);
        pObject = nullptr;
        if (bShow)
        {
            TellActionBegin();
            GetOleObject()->DoVerb(GetVerb(), nullptr, pSite, 0, GridWindow(), nullptr);
            TellActionEnd();
        }
        AdviseObject(GetOleObject());
        pSite->Release();
        return TRUE;
    } while (false);

    if (pObject != nullptr)
        pObject->Release();
    if (pStream != nullptr)
        pStream->Release();
    if (pSite != nullptr)
        pSite->Release();
    m_interfaces.ReleaseAll();
    ShowText(GX_IDS_OLE_INVALIDDATA);
    return FALSE;
}

BOOL CGXGenericViewerImpl::SaveToVariant()
{
    if (WriteVariant())
        return TRUE;
    ShowText(GX_IDS_OLE_INVALIDDATA);
    return FALSE;
}

BOOL CGXGenericViewerImpl::WriteVariant()
{
    IOleObject* pObject = GetOleObject();
    IStorage* pStorage = GetStorage();
    BOOL bSaved = FALSE;
    if (pObject != nullptr && pStorage != nullptr)
    {
        LPOLESTR pszUserType = nullptr;
        LPOLESTR pszProgId = nullptr;
        CLSID clsid;
        IStream* pStream = nullptr;
        if (SUCCEEDED(pObject->GetUserType(USERCLASSTYPE_SHORT, &pszUserType)) &&
            SUCCEEDED(pObject->GetUserClassID(&clsid)) && SUCCEEDED(::ProgIDFromCLSID(clsid, &pszProgId)) &&
            SUCCEEDED(::CreateStreamOnHGlobal(nullptr, TRUE, &pStream)))
        {
            StreamOleStream writer;
            InitOleStream(writer, pStream);
            HGLOBAL hStream = nullptr;
            if (SUCCEEDED(::OleConvertIStorageToOLESTREAM(pStorage, &writer)) &&
                SUCCEEDED(::GetHGlobalFromStream(pStream, &hStream)))
            {
                ULARGE_INTEGER nEnd = {};
                const LARGE_INTEGER zero = {};
                pStream->Seek(zero, STREAM_SEEK_CUR, &nEnd);
                CByteArray bytes;
                GXBuildOleObjectHeader(Narrow(pszUserType).c_str(), Narrow(pszProgId).c_str(), bytes);
                const INT_PTR nHeader = bytes.GetSize();
                const size_t nStream = static_cast<size_t>(nEnd.QuadPart);
                bytes.SetSize(nHeader + static_cast<INT_PTR>(nStream) + 4);
                std::memcpy(bytes.GetData() + nHeader, ::GlobalLock(hStream), nStream);
                ::GlobalUnlock(hStream);
                std::memset(bytes.GetData() + nHeader + nStream, 0, 4);
                ::VariantClear(&m_variant);
                GXMakeByteArrayVariant(m_variant, bytes.GetData(), static_cast<DWORD>(bytes.GetSize()));
                bSaved = TRUE;
            }
        }
        if (pStream != nullptr)
            pStream->Release();
        ::CoTaskMemFree(pszUserType);
        ::CoTaskMemFree(pszProgId);
    }
    return bSaved;
}

BOOL CGXGenericViewerImpl::Activate()
{
    IOleObject* pObject = GetOleObject();
    if (pObject == nullptr)
        return FALSE;
    TellActionBegin();
    IOleClientSite* pSite = nullptr;
    pObject->GetClientSite(&pSite);
    const HRESULT hr = pObject->DoVerb(GetVerb(), nullptr, pSite, 0, GridWindow(), nullptr);
    if (pSite != nullptr)
        pSite->Release();
    TellActionEnd();
    return SUCCEEDED(hr);
}

void CGXGenericViewerImpl::Close()
{
    IOleObject* pObject = GetOleObject();
    if (pObject == nullptr)
        return;
    if (m_dwAdviseConnection != 0)
    {
        pObject->Unadvise(m_dwAdviseConnection);
        m_dwAdviseConnection = 0;
    }
    const HRESULT hr = pObject->Close(OLECLOSE_SAVEIFDIRTY);
    if (FAILED(hr))
        GXShowOleError(hr);
    m_interfaces.Set(IID_IOleObject, nullptr);
    TellActionEnd();
}

void CGXGenericViewerImpl::OnObjectChanged()
{
    if (m_pOwner == nullptr)
        return;
    m_pOwner->SetModify(TRUE);
    m_pOwner->OnModifyCell();
}

void CGXGenericViewerImpl::Reset()
{
    if (IOleObject* pObject = GetOleObject())
        if (m_dwAdviseConnection != 0)
            pObject->Unadvise(m_dwAdviseConnection);
    m_dwAdviseConnection = 0;
    ::VariantClear(&m_variant);
    m_interfaces.ReleaseAll();
}

BOOL CGXGenericViewerImpl::CanPaste()
{
    IDataObject* pData = nullptr;
    if (FAILED(::OleGetClipboard(&pData)) || pData == nullptr)
        return FALSE;
    pData->Release();
    return TRUE;
}

BOOL CGXGenericViewerImpl::PasteFromClipboard(CGXGridCore* pGrid, CGXControl* pOwner)
{
    m_pGrid = pGrid;
    m_pOwner = pOwner;
    IDataObject* pData = nullptr;
    if (FAILED(::OleGetClipboard(&pData)) || pData == nullptr)
        return FALSE;
    BOOL bPasted = FALSE;
    if (SUCCEEDED(CreateMemoryStorage()))
    {
        IOleClientSite* pSite = CreateClientSite();
        IOleObject* pObject = nullptr;
        if (SUCCEEDED(::OleCreateFromData(pData, IID_IOleObject, OLERENDER_DRAW, nullptr, pSite, GetStorage(),
                                          reinterpret_cast<void**>(&pObject))))
        {
            m_interfaces.Set(IID_IOleObject, pObject);
            AdviseObject(pObject);
            // The cell reports a failed paste itself, once.
            bPasted = WriteVariant();
        }
        pSite->Release();
    }
    pData->Release();
    if (!bPasted)
        m_interfaces.ReleaseAll();
    return bPasted;
}

IDataObject* CGXGenericViewerImpl::ClipboardData(const CGXStyle& style, CGXGridCore* pGrid, CGXControl* pOwner,
                                                 UINT nFailedText)
{
    m_pGrid = pGrid;
    m_pOwner = pOwner;
    HRESULT hr = S_OK;
    IDataObject* pData = nullptr;
    HGLOBAL hData = GetData(style);
    if (hData != nullptr && LoadFromData(hData, pGrid, FALSE))
    {
        hr = GetOleObject()->GetClipboardData(0, &pData);
        if (FAILED(hr))
            pData = nullptr;
    }
    if (hData != nullptr)
        ::GlobalFree(hData);
    if (pData == nullptr)
    {
        if (FAILED(hr))
            GXShowOleError(hr);
        ShowText(nFailedText);
        Close();
    }
    return pData;
}

IDataObject* CGXGenericViewerImpl::GetCopyData(const CGXStyle& style, CGXGridCore* pGrid, CGXControl* pOwner)
{
    return ClipboardData(style, pGrid, pOwner, GX_IDS_OLE_COPYFAILED);
}

IDataObject* CGXGenericViewerImpl::GetCutData(const CGXStyle& style, CGXGridCore* pGrid, CGXControl* pOwner)
{
    IDataObject* pData = ClipboardData(style, pGrid, pOwner, GX_IDS_OLE_CUTFAILED);
    if (pData == nullptr)
        return nullptr;
    ::VariantClear(&m_variant);
    OnObjectChanged();
    return pData;
}

BOOL CGXGenericViewerImpl::InsertNew(CGXGridCore* pGrid)
{
    m_pGrid = pGrid;
    if (FAILED(CreateMemoryStorage()))
    {
        ShowText(GX_IDS_OLE_INSERTFAILED);
        return FALSE;
    }
    IOleClientSite* pSite = CreateClientSite();
    CString caption;
    AfxLoadString(GX_IDS_OLE_INSERTCAPTION, caption);
    char szFile[255] = {};
    IOleObject* pObject = nullptr;
    OLEUIINSERTOBJECTA insert = {};
    insert.cbStruct = sizeof insert;
    insert.dwFlags = IOF_SELECTCREATENEW | IOF_CREATENEWOBJECT | IOF_CREATEFILEOBJECT | IOF_DISABLELINK |
                     IOF_DISABLEDISPLAYASICON;
    insert.hWndOwner = GridWindow();
    insert.lpszCaption = caption;
    insert.lpszFile = szFile;
    insert.cchFile = sizeof szFile;
    insert.iid = IID_IOleObject;
    insert.oleRender = OLERENDER_DRAW;
    insert.lpIOleClientSite = pSite;
    insert.lpIStorage = GetStorage();
    insert.ppvObj = reinterpret_cast<void**>(&pObject);

    TellActionBegin();
    // The dialog is a modal loop of the system: a test ends it through the modal hook.
    const INT_PTR nResult = AfxRunWatchingDialogActivation(
        [&]() -> INT_PTR { return ::OleUIInsertObjectA(&insert); },
        [](HWND hDialog) { AfxNotifyModalDialog(CWnd::FromHandle(hDialog)); });
    TellActionEnd();

    if (nResult == OLEUI_OK && pObject != nullptr)
    {
        m_interfaces.Set(IID_IOleObject, pObject);
        TellActionBegin();
        pObject->DoVerb(GetVerb(), nullptr, pSite, 0, GridWindow(), nullptr);
        TellActionEnd();
        AdviseObject(pObject);
        pSite->Release();
        return TRUE;
    }
    if (pObject != nullptr)
        pObject->Release();
    pSite->Release();
    Close();
    m_interfaces.ReleaseAll();
    // Wine's dialog ends a Cancel with OLEUI_FALSE where Windows answers OLEUI_CANCEL: neither is
    // a failure to report.
    if (nResult != OLEUI_CANCEL && nResult != OLEUI_FALSE)
        ShowText(GX_IDS_OLE_INSERTFAILED);
    return FALSE;
}

// ---- CGXViewerManager ----

CGXViewerManager::~CGXViewerManager()
{
    for (auto& entry : m_viewers)
        delete entry.second;
    m_viewers.clear();
}

CGXOleViewer* CGXViewerManager::CreateViewer(long nViewerId)
{
    auto it = m_viewers.find(nViewerId);
    if (it != m_viewers.end())
    {
        delete it->second;
        m_viewers.erase(it);
    }
    CGXOleViewer* pViewer = new CGXGenericViewerImpl;
    m_viewers[nViewerId] = pViewer;
    return pViewer;
}

void CGXViewerManager::ReleaseViewer(CGXOleViewer* pViewer)
{
    for (auto it = m_viewers.begin(); it != m_viewers.end(); ++it)
    {
        if (it->second != pViewer)
            continue;
        delete it->second;
        m_viewers.erase(it);
        return;
    }
}
