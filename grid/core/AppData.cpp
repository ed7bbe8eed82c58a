#include "grid/core/AppData.h"

#include "framework/core/Exceptions.h"
#include "framework/win/WinApp.h"
#include "framework/win/Wnd.h"
#include "grid/core/AppComponents.h"
#include "grid/core/ControlFactory.h"
#include "grid/core/PrintDevice.h"

const UINT GXOperationTextIds[GX_OPERATION_TEXT_COUNT] = {
    GX_IDS_REDOING,        GX_IDS_UNDOING,         GX_IDS_GENERATINGUNDO, GX_IDS_STORINGCELLS,
    GX_IDS_RESTORINGCELLS, GX_IDS_CELLS,           GX_IDS_REMOVINGROWS,   GX_IDS_REMOVINGCOLS,
    GX_IDS_MOVEROWS,       GX_IDS_MOVECOLS,        GX_IDS_INSERTROWS,     GX_IDS_INSERTCOLS,
    GX_IDS_COPYINGTEXT,    GX_IDS_COPYINGINTERNAL, GX_IDS_CUTDATA,        GX_IDS_CLEARCELLS,
    GX_IDS_CUTTINGDATA,    GX_IDS_PASTINGDATA,     GX_IDS_PASTE,          GX_IDS_REPLACINGVALUES,
    GX_IDS_REPLACEALL,     GX_IDS_SEARCHINGVALUES, GX_IDS_RESIZINGROWS,   GX_IDS_RESIZINGCOLS,
    GX_IDS_FREEZEROWS,     GX_IDS_FREEZECOLS,      GX_IDS_CURRENTCELLCMD, GX_IDS_CLIPBOARDSIZE,
    GX_IDS_COPYCMD,        GX_IDS_MOVECMD};

namespace
{
int WindowsMajorVersion(DWORD dwVersion)
{
    return LOBYTE(LOWORD(dwVersion));
}

HBITMAP LoadProgramBitmap(UINT nId)
{
    HINSTANCE hResource = AfxFindResourceHandle(MAKEINTRESOURCE(nId), RT_BITMAP);
    return ::LoadBitmapA(hResource, MAKEINTRESOURCE(nId));
}

COLORREF CachedSysColor(int nIndex)
{
    return GXGetAppData()->m_sysColors.GetColor(nIndex);
}

void NormalizeSeparator(CString& text)
{
    GXGetAppData()->NormalizeDecimalSeparator(text);
}

// A copy of a system control class under another name, global to the process.
void RegisterSystemClassCopy(HINSTANCE hInstance, LPCSTR lpszSystemClass, LPCSTR lpszName)
{
    WNDCLASSA existing;
    if (::GetClassInfoA(hInstance, lpszName, &existing))
        return;
    WNDCLASSA wndcls;
    if (!::GetClassInfoA(nullptr, lpszSystemClass, &wndcls))
        return;
    wndcls.style |= CS_GLOBALCLASS;
    wndcls.hInstance = hInstance;
    wndcls.lpszClassName = lpszName;
    ::RegisterClassA(&wndcls);
}

} // namespace

void GXRegisterPlainWndClass(HINSTANCE hInstance, LPCSTR lpszName, UINT nStyle)
{
    WNDCLASSA existing;
    if (::GetClassInfoA(hInstance, lpszName, &existing))
        return;
    WNDCLASSA wndcls = {};
    wndcls.style = nStyle;
    wndcls.lpfnWndProc = ::DefWindowProcA;
    wndcls.hInstance = hInstance;
    wndcls.lpszClassName = lpszName;
    ::RegisterClassA(&wndcls);
}

// ---- CGXSysColors ----

CGXSysColors::CGXSysColors() : m_hcurArrow(::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)))
{
}

CGXSysColors::~CGXSysColors()
{
    if (m_hbm1 != nullptr)
        ::DeleteObject(m_hbm1);
    if (m_hbm2 != nullptr)
        ::DeleteObject(m_hbm2);
}

void CGXSysColors::Update()
{
    m_nCached = cachedCount;
    m_adwColors.SetSize(cachedCount);
    for (int i = 0; i < cachedCount; ++i)
        m_adwColors[i] = ::GetSysColor(i);

    const int nMajor = WindowsMajorVersion(::GetVersion());
    m_nBorderX = m_nBorderY = nMajor >= 4 ? 2 : 1;
    m_bNewLook = nMajor > 3;
    m_clrBtnFace = ::GetSysColor(COLOR_BTNFACE);
    m_clrBtnShadow = ::GetSysColor(COLOR_BTNSHADOW);
    m_clrBtnHilight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    m_clrWindowFrame = ::GetSysColor(COLOR_WINDOWFRAME);
    m_clr3DLight = ::GetSysColor(COLOR_3DLIGHT);
    m_clr3DDkShadow = ::GetSysColor(COLOR_3DDKSHADOW);
    m_clrWindowText = ::GetSysColor(COLOR_WINDOWTEXT);
    m_clrWindow = ::GetSysColor(COLOR_WINDOW);
    m_clrHighlight = ::GetSysColor(COLOR_HIGHLIGHT);
    m_clrHighlightText = ::GetSysColor(COLOR_HIGHLIGHTTEXT);

    if (m_hbm1 != nullptr)
        ::DeleteObject(m_hbm1);
    if (m_hbm2 != nullptr)
        ::DeleteObject(m_hbm2);
    m_hbm1 = LoadProgramBitmap(GX_IDB_SYSCOLORS_1);
    m_hbm2 = LoadProgramBitmap(GX_IDB_SYSCOLORS_2);
}

COLORREF CGXSysColors::GetColor(int nIndex) const
{
    if (nIndex >= 0 && nIndex < m_nCached && nIndex < m_adwColors.GetSize())
        return m_adwColors[nIndex];
    return ::GetSysColor(nIndex);
}

// ---- CGXAppData ----

CGXAppData::CGXAppData() = default;

CGXAppData::~CGXAppData()
{
    delete m_pControlFactory;
    m_pControlFactory = nullptr;
    DeleteOwnedObjects();
    POSITION pos = m_sharedObjectUsers.GetStartPosition();
    while (pos != nullptr)
    {
        void* pKey = nullptr;
        void* pList = nullptr;
        m_sharedObjectUsers.GetNextAssoc(pos, pKey, pList);
        delete static_cast<CPtrList*>(pList);
    }
    m_sharedObjectUsers.RemoveAll();
}

BOOL GXIsPopupOpening()
{
    return GXGetAppData()->m_bPopupOpening;
}

void GXSetPopupOpening(BOOL bOpening)
{
    GXGetAppData()->m_bPopupOpening = bOpening;
}

CGXAppData* GXGetAppData()
{
    static CGXAppData appData;
    return &appData;
}

void CGXAppData::ClearComponentFields()
{
    m_links = GXLibraryLinks();
    m_pPrintDeviceImp = nullptr;
    m_pDateTimeImp = nullptr;
    m_pSortMoveDataImp = nullptr;
    m_pDataCopyMoveCellsImp = nullptr;
    m_pCoveredCellPoolImp = nullptr;
    m_pLongOperationImp = nullptr;
    m_pSpanCellPoolImp = nullptr;
    m_pDelayedRangePoolImp = nullptr;
    m_pTabWndInterface = nullptr;
}

void CGXAppData::DeleteOwnedObjects()
{
    // The links' colour and separator functions are this record's own, not owned objects.
    auto pfnGetSysColor = m_links.pfnGetSysColor;
    auto pfnNormalize = m_links.pfnNormalizeDecimalSeparator;
    std::vector<OwnedObject> owned;
    owned.swap(m_ownedObjects);
    ClearComponentFields();
    m_links.pfnGetSysColor = pfnGetSysColor;
    m_links.pfnNormalizeDecimalSeparator = pfnNormalize;
    for (const OwnedObject& object : owned)
        object.pfnDelete(object.pObject);
}

void GXStartLibrary(DWORD, DWORD, DWORD)
{
    GXGetAppData()->Start(new CGXControlFactory);
}

void CGXAppData::InitInstance(CGXAbstractControlFactory* pFactory)
{
    HINSTANCE hInstance = AfxGetInstanceHandle();
    char szFormatName[32];
    wsprintfA(szFormatName, "Grid Styles %08x", static_cast<unsigned>(reinterpret_cast<UINT_PTR>(hInstance)));
    m_uiStylesClipboardFormat = ::RegisterClipboardFormatA(szFormatName);
    m_uiMaskDataClipboardFormat = ::RegisterClipboardFormatA("GX_MASKDATA");
    m_uiRichTextClipboardFormat = ::RegisterClipboardFormatA("Rich Text Format");

    if (m_pControlFactory != pFactory)
        delete m_pControlFactory;
    m_pControlFactory = pFactory;

    const DWORD dwVersion = ::GetVersion();
    const int nMajor = WindowsMajorVersion(dwVersion);
    m_nWinVersion = nMajor * 256 + HIBYTE(LOWORD(dwVersion));
    m_bNotNT = (dwVersion & 0x80000000u) != 0;
    m_bNewLook = nMajor >= 4;
    m_bOldLook = nMajor < 4;
    m_bWin32s = m_bNotNT && m_bOldLook;
    // Without the Windows combo of later versions the tabbed combos are drawn by the grid.
    m_bTabbedComboGridDrawn = m_bTabbedComboGridDrawn || m_bWin32s;
    m_lcidUser = ::GetUserDefaultLCID();

    if (m_pControlFactory != nullptr)
        m_pControlFactory->InstallApplicationComponents();
}

void CGXAppData::Start(CGXAbstractControlFactory* pFactory)
{
    InitInstance(pFactory);

    HINSTANCE hResourceSaved = AfxGetResourceHandle();
    LoadOperationTexts();

    try
    {
        m_strPopupWndClass = AfxRegisterWndClass(CS_SAVEBITS);
    }
    catch (CException* e)
    {
        // Start-up reports nothing: the class name stays empty.
        e->Delete();
    }
    RegisterWindowClasses(AfxGetInstanceHandle());
    AfxSetResourceHandle(hResourceSaved);

    m_sysColors.Update();
    m_links.pfnGetSysColor = &CachedSysColor;
    m_links.pfnNormalizeDecimalSeparator = &NormalizeSeparator;

    if (m_pDateTimeImp != nullptr)
        m_pDateTimeImp->InitDateTimeFormats();

    m_bInitDone = TRUE;
}

void CGXAppData::RegisterWindowClasses(HINSTANCE hInstance)
{
    if (m_pControlFactory != nullptr)
        m_pControlFactory->RegisterWndClasses(hInstance);
    RegisterSystemClassCopy(hInstance, "edit", "GXEDIT");
    RegisterSystemClassCopy(hInstance, "listbox", "GXLISTBOX");
    RegisterSystemClassCopy(hInstance, "combobox", "GXCOMBOBOX");
    GXRegisterPlainWndClass(hInstance, "GXWND", CS_GLOBALCLASS | CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW);
    GXRegisterPlainWndClass(hInstance, "GXNDBLCLKSWND", CS_GLOBALCLASS | CS_HREDRAW | CS_VREDRAW);
    GXRegisterPlainWndClass(hInstance, "GxMdiFrame", CS_GLOBALCLASS | CS_DBLCLKS);
}

void CGXAppData::LoadOperationTexts()
{
    // Missing strings leave their texts empty here; only GXLoadResourceString insists.
    for (int i = 0; i < GX_OPERATION_TEXT_COUNT; ++i)
        AfxLoadString(GXOperationTextIds[i], m_astrOperationTexts[i]);
    AfxLoadString(GX_IDS_ABORTQUESTION, m_strAbortQuestion);
    AfxLoadString(GX_IDS_PROCESSING, m_strProcessing);
    AfxLoadString(GX_IDS_DONE, m_strDone);
    AfxLoadString(GX_IDS_PRESSESC, m_strPressEsc);
}

const CString& CGXAppData::GetOperationText(UINT nId) const
{
    for (int i = 0; i < GX_OPERATION_TEXT_COUNT; ++i)
        if (GXOperationTextIds[i] == nId)
            return m_astrOperationTexts[i];
    static const CString empty;
    return empty;
}

void CGXAppData::AddGridUser(const void* pShared, CGXGridCore* pGrid)
{
    if (pShared == nullptr)
        return;
    void* pList = nullptr;
    if (!m_sharedObjectUsers.Lookup(const_cast<void*>(pShared), pList))
    {
        pList = new CPtrList(10);
        m_sharedObjectUsers.SetAt(const_cast<void*>(pShared), pList);
    }
    static_cast<CPtrList*>(pList)->AddTail(pGrid);
}

const CPtrList* CGXAppData::GetGridUsers(const void* pShared) const
{
    void* pList = nullptr;
    if (!m_sharedObjectUsers.Lookup(const_cast<void*>(pShared), pList))
        return nullptr;
    return static_cast<const CPtrList*>(pList);
}

CGXGridCore* CGXAppData::GetFirstGridUser(const void* pShared) const
{
    const CPtrList* pList = GetGridUsers(pShared);
    if (pList == nullptr || pList->IsEmpty())
        return nullptr;
    return static_cast<CGXGridCore*>(pList->GetHead());
}

void CGXAppData::RemoveGridUser(CGXGridCore* pGrid)
{
    if (m_pFocusGrid == pGrid)
        m_pFocusGrid = nullptr;
    CPtrArray emptied;
    POSITION pos = m_sharedObjectUsers.GetStartPosition();
    while (pos != nullptr)
    {
        void* pKey = nullptr;
        void* pValue = nullptr;
        m_sharedObjectUsers.GetNextAssoc(pos, pKey, pValue);
        CPtrList* pList = static_cast<CPtrList*>(pValue);
        POSITION found;
        while ((found = pList->Find(pGrid)) != nullptr)
            pList->RemoveAt(found);
        if (pList->IsEmpty())
            emptied.Add(pKey);
    }
    for (INT_PTR i = 0; i < emptied.GetSize(); ++i)
    {
        void* pValue = nullptr;
        m_sharedObjectUsers.Lookup(emptied[i], pValue);
        delete static_cast<CPtrList*>(pValue);
        m_sharedObjectUsers.RemoveKey(emptied[i]);
    }
}

void CGXAppData::RegisterScrollParentClass(CRuntimeClass* pClass)
{
    if (pClass != nullptr && m_scrollParentClasses.Find(pClass) == nullptr)
        m_scrollParentClasses.AddTail(pClass);
}

void CGXAppData::NormalizeDecimalSeparator(CString& text) const
{
    if (!m_bUseLocaleSeparators || m_cDecimalSeparator == '.' || m_cDecimalSeparator == '\0')
        return;
    const int nAt = text.Find(m_cDecimalSeparator);
    if (nAt >= 0)
        text.SetAt(nAt, '.');
}

CWnd* GXGetParentOfClass(const CWnd* pWnd, CRuntimeClass* pClass, BOOL bAnyState)
{
    if (pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr)
        return nullptr;
    HWND hParent = ::GetParent(pWnd->GetSafeHwnd());
    CWnd* pParent = hParent != nullptr ? CWnd::FromHandlePermanent(hParent) : nullptr;
    if (pParent == nullptr || !pParent->IsKindOf(pClass))
        return nullptr;
    if (!bAnyState)
    {
        for (HWND hAncestor = hParent; hAncestor != nullptr; hAncestor = ::GetParent(hAncestor))
            if (::IsIconic(hAncestor))
                return nullptr;
    }
    return pParent;
}

CString GXLoadResourceString(UINT nId)
{
    CString text;
    if (!AfxLoadString(nId, text))
        AfxThrowResourceException();
    return text;
}

CGXDateTestMemoScope::CGXDateTestMemoScope(CGXAppData* pAppData)
    : m_pAppData(pAppData != nullptr && pAppData->m_pDateTestMemo == nullptr ? pAppData : nullptr)
{
    if (m_pAppData != nullptr)
        m_pAppData->m_pDateTestMemo = &m_memo;
}

CGXDateTestMemoScope::~CGXDateTestMemoScope()
{
    if (m_pAppData != nullptr)
        m_pAppData->m_pDateTestMemo = nullptr;
}
