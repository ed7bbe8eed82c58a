#pragma once
// The grid library's one process-wide record: the control factory, the Windows version, the
// operation texts, the application-wide feature components, the scroll-parent classes, which grids
// share a parameter object (or its data object, styles map or properties), and the system-colour
// cache. GXStartLibrary fills it once, before the first grid window exists.

#include "framework/core/Collections.h"
#include "framework/core/CString.h"
#include "framework/core/Object.h"
#include "grid/core/LibraryLinks.h"

#include <windows.h>

#include <string>
#include <unordered_map>
#include <vector>

class CGXAbstractControlFactory;
class CGXAbstractCoveredCellPoolImp;
class CGXAbstractDataCopyMoveCellsImp;
class CGXAbstractDateTimeImp;
class CGXAbstractLongOperationImp;
class CGXAbstractDelayedRangePoolImp;
class CGXAbstractPrintDeviceImp;
class CGXAbstractSortMoveDataImp;
class CGXAbstractSpanCellPoolImp;
class CGXGridCore;
class CWnd;

// The tab window's interface the grid library reaches (the first tab window fills it).
class CGXTabWndInterface
{
public:
    virtual ~CGXTabWndInterface() = default;
    // Gives the tab of the sheet window its name.
    virtual void SetTabName(CWnd* pSheetWnd, LPCTSTR pszName, BOOL bRedraw) = 0;
    // The name on the sheet window's tab; FALSE when the window is no sheet of a tab window.
    virtual BOOL GetTabName(CWnd*, CString&) { return FALSE; }
};

// String-table ids of the operation texts, in the order of CGXAppData::m_astrOperationTexts.
enum : UINT
{
    GX_IDS_REDOING = 20139,
    GX_IDS_UNDOING = 20140,
    GX_IDS_GENERATINGUNDO = 20141,
    GX_IDS_STORINGCELLS = 20142,
    GX_IDS_RESTORINGCELLS = 20143,
    GX_IDS_CELLS = 20144,
    GX_IDS_REMOVINGROWS = 20145,
    GX_IDS_REMOVINGCOLS = 20146,
    GX_IDS_MOVEROWS = 20162,
    GX_IDS_MOVECOLS = 20163,
    GX_IDS_INSERTROWS = 20164,
    GX_IDS_INSERTCOLS = 20165,
    GX_IDS_COPYINGTEXT = 20147,
    GX_IDS_COPYINGINTERNAL = 20148,
    GX_IDS_CUTDATA = 20150,
    GX_IDS_CLEARCELLS = 20180,
    GX_IDS_CUTTINGDATA = 20151,
    GX_IDS_PASTINGDATA = 20152,
    GX_IDS_PASTE = 20154,
    GX_IDS_REPLACINGVALUES = 20155,
    GX_IDS_REPLACEALL = 20156,
    GX_IDS_SEARCHINGVALUES = 20157,
    GX_IDS_RESIZINGROWS = 20172,
    GX_IDS_RESIZINGCOLS = 20173,
    GX_IDS_SORTROWS = 20181,
    GX_IDS_SORTCOLS = 20182,
    GX_IDS_NOTENOUGHMEMORY = 20183,
    GX_IDS_CANCELED = 20184,
    GX_IDS_FREEZEROWS = 20169,
    GX_IDS_FREEZECOLS = 20168,
    GX_IDS_CURRENTCELLCMD = 20174,
    GX_IDS_CLIPBOARDSIZE = 20175,
    GX_IDS_COPYCMD = 20178,
    GX_IDS_MOVECMD = 20179,
    // The long operation's texts.
    GX_IDS_ABORTQUESTION = 20081,
    GX_IDS_PROCESSING = 20075,
    GX_IDS_DONE = 20076,
    GX_IDS_PRESSESC = 20077
};

const int GX_OPERATION_TEXT_COUNT = 30;
// The ids of the operation texts in field order.
extern const UINT GXOperationTextIds[GX_OPERATION_TEXT_COUNT];

// Ids of the two bitmaps the colour cache loads from the program's resources.
enum : UINT
{
    GX_IDB_SYSCOLORS_1 = 20028,
    GX_IDB_SYSCOLORS_2 = 20211
};

// System colours that drawing code asks for many times.
class CGXSysColors
{
public:
    CGXSysColors();
    ~CGXSysColors();
    CGXSysColors(const CGXSysColors&) = delete;
    CGXSysColors& operator=(const CGXSysColors&) = delete;

    // Refills the cache (start-up, and the grid window on WM_SYSCOLORCHANGE).
    void Update();
    // The cached colour of an index below the cached count, else GetSysColor.
    COLORREF GetColor(int nIndex) const;

    static const int cachedCount = 24;

    CDWordArray m_adwColors;
    int m_nCached = 0;
    int m_nBorderX = 1;
    int m_nBorderY = 1;
    COLORREF m_clrBtnFace = 0;
    COLORREF m_clrBtnShadow = 0;
    COLORREF m_clrBtnHilight = 0;
    COLORREF m_clrWindowFrame = 0;
    COLORREF m_clr3DLight = 0;
    COLORREF m_clr3DDkShadow = 0;
    COLORREF m_clrWindowText = 0;
    COLORREF m_clrWindow = 0;
    COLORREF m_clrHighlight = 0;
    COLORREF m_clrHighlightText = 0;
    HCURSOR m_hcurArrow = nullptr;
    BOOL m_bNewLook = FALSE;
    // Set, the cells' own windows with a client edge leave that frame to the system instead of
    // drawing it themselves.
    BOOL m_bSystemBorders = FALSE;
    // NULL when the program has no such bitmap resource.
    HBITMAP m_hbm1 = nullptr;
    HBITMAP m_hbm2 = nullptr;
};

class CGXAppData
{
public:
    CGXAppData();
    ~CGXAppData();
    CGXAppData(const CGXAppData&) = delete;
    CGXAppData& operator=(const CGXAppData&) = delete;

    // Start-up: takes ownership of the factory.
    void Start(CGXAbstractControlFactory* pFactory);
    void InitInstance(CGXAbstractControlFactory* pFactory);
    void LoadOperationTexts();

    // Grids that use a shared object (parameter object, data object, styles map, properties).
    void AddGridUser(const void* pShared, CGXGridCore* pGrid);
    CGXGridCore* GetFirstGridUser(const void* pShared) const;
    // The grids registered for a shared object, in order of registration; NULL when none.
    const CPtrList* GetGridUsers(const void* pShared) const;
    // Removes the grid from every list; empty lists go with their key.
    void RemoveGridUser(CGXGridCore* pGrid);

    void RegisterScrollParentClass(CRuntimeClass* pClass);
    const CPtrList& GetScrollParentClasses() const { return m_scrollParentClasses; }

    // With the locale-separator option on, the first locale decimal separator becomes ".".
    void NormalizeDecimalSeparator(CString& text) const;

    // Hands an application-wide object to the record: it is deleted at clean-up.
    template <class T>
    void AddOwnedObject(T* pObject)
    {
        if (pObject != nullptr)
            m_ownedObjects.push_back({pObject, [](void* p) { delete static_cast<T*>(p); }});
    }
    INT_PTR GetOwnedObjectCount() const { return static_cast<INT_PTR>(m_ownedObjects.size()); }
    // Deletes every owned object and clears the component fields that pointed to them.
    void DeleteOwnedObjects();

    const CString& GetOperationText(UINT nId) const;

    BOOL m_bInitDone = FALSE;
    UINT m_uiStylesClipboardFormat = 0;
    // "GX_MASKDATA" (the entered characters of a masked cell) and "Rich Text Format".
    UINT m_uiMaskDataClipboardFormat = 0;
    UINT m_uiRichTextClipboardFormat = 0;
    CString m_astrOperationTexts[GX_OPERATION_TEXT_COUNT];
    CString m_strAbortQuestion;
    CString m_strProcessing;
    CString m_strDone;
    CString m_strPressEsc;
    CString m_strPopupWndClass;

    // Major version * 256 + minor version.
    int m_nWinVersion = 0;
    BOOL m_bNotNT = FALSE;
    BOOL m_bNewLook = FALSE;
    BOOL m_bOldLook = FALSE;
    BOOL m_bWin32s = FALSE;

    // Cleared again by every grid's initialisation.
    CGXGridCore* m_pGridLink = nullptr;
    // The grid that holds the focus (set when a grid gains it, cleared when that grid goes).
    CGXGridCore* m_pFocusGrid = nullptr;
    // The grid-line defaults that every new parameter object copies: grid lines drawn on the
    // right and bottom edge of a cell (else left and top), and their pen style.
    BOOL m_bLinesRightBottom = TRUE;
    WORD m_nGridLinePenStyle = PS_SOLID;

    CGXAbstractControlFactory* m_pControlFactory = nullptr;

    // The application-wide components that the value types reach (owned through AddOwnedObject
    // by whoever installs them), and the others, each NULL while not installed.
    GXLibraryLinks m_links;
    CGXAbstractPrintDeviceImp* m_pPrintDeviceImp = nullptr;
    CGXAbstractDateTimeImp* m_pDateTimeImp = nullptr;
    // The date test's answers by text while one operation stores many texts (a paste); NULL outside
    // such an operation. A change of the locale settings empties it.
    std::unordered_map<std::string, bool>* m_pDateTestMemo = nullptr;
    CGXAbstractSortMoveDataImp* m_pSortMoveDataImp = nullptr;
    CGXAbstractDataCopyMoveCellsImp* m_pDataCopyMoveCellsImp = nullptr;
    CGXAbstractCoveredCellPoolImp* m_pCoveredCellPoolImp = nullptr;
    CGXAbstractLongOperationImp* m_pLongOperationImp = nullptr;
    // Filled by the first tab window; NULL while the program has none.
    CGXTabWndInterface* m_pTabWndInterface = nullptr;
    CGXAbstractSpanCellPoolImp* m_pSpanCellPoolImp = nullptr;
    CGXAbstractDelayedRangePoolImp* m_pDelayedRangePoolImp = nullptr;

    // ---- Settings of the drawn and choice cells ----
    // The 3-D check box draws bitmap 20024 when this is above 0, else 20025.
    int m_nCheckBoxLook = 1;
    // The check boxes take these two colours for the frame and the window colour when set.
    BOOL m_bColorOverride = FALSE;
    COLORREF m_clrOverrideFrame = RGB(0, 0, 0);
    COLORREF m_clrOverrideWindow = RGB(255, 255, 255);
    // Set while an OLE object cell has a viewer open.
    BOOL m_bOleLock = FALSE;
    // Control ids 52539 and 52540 make grid-drawn tabbed combos instead of Windows ones.
    BOOL m_bTabbedComboGridDrawn = FALSE;
    // The user's locale at start-up (day and month names).
    LCID m_lcidUser = 0;
    // Set while a pop-up of a cell (a drop-down list, calculator or calendar) opens.
    BOOL m_bPopupOpening = FALSE;

    char m_cDecimalSeparator = '.';
    char m_cThousandSeparator = ',';
    BOOL m_bUseLocaleSeparators = FALSE;

    CGXSysColors m_sysColors;

private:
    struct OwnedObject
    {
        void* pObject;
        void (*pfnDelete)(void*);
    };

    void RegisterWindowClasses(HINSTANCE hInstance);
    void ClearComponentFields();

    CPtrList m_scrollParentClasses{10};
    CMapPtrToPtr m_sharedObjectUsers{10};  // shared object -> CPtrList* of CGXGridCore*
    std::vector<OwnedObject> m_ownedObjects;
};

// The record of this process, built on first use and torn down at program exit.
CGXAppData* GXGetAppData();

// The library-wide pop-up flag: set while a cell's pop-up window is being created or shown; the
// grid then ignores the focus change of its current cell.
BOOL GXIsPopupOpening();
void GXSetPopupOpening(BOOL bOpening);

// The start-up call; the three arguments are ignored.
void GXStartLibrary(DWORD dwArg1 = 0, DWORD dwArg2 = 0, DWORD dwArg3 = 0);

// The parent of a window when it is of the class (or derived from it), else NULL. Unless bAnyState,
// NULL also when an ancestor is minimised.
class CWnd;
CWnd* GXGetParentOfClass(const CWnd* pWnd, CRuntimeClass* pClass, BOOL bAnyState = FALSE);

// Registers a window class with the default window procedure unless the instance has one of that
// name already (windows of the class get their procedure when an object attaches to them).
void GXRegisterPlainWndClass(HINSTANCE hInstance, LPCSTR lpszName, UINT nStyle);

// A string of the string table; a missing string throws the framework's resource exception.
CString GXLoadResourceString(UINT nId);

// Keeps the date test's answer for each text while it lives, so a paste that stores the same text in
// many cells asks the platform's parser once per text. An inner scope leaves the outer one's answers.
class CGXDateTestMemoScope
{
public:
    explicit CGXDateTestMemoScope(CGXAppData* pAppData);
    ~CGXDateTestMemoScope();
    CGXDateTestMemoScope(const CGXDateTestMemoScope&) = delete;
    CGXDateTestMemoScope& operator=(const CGXDateTestMemoScope&) = delete;

    // Beyond this many texts the memo takes no more: the test is asked again for each further one.
    static const size_t MaxTexts = 4096;

private:
    CGXAppData* m_pAppData;
    std::unordered_map<std::string, bool> m_memo;
};
