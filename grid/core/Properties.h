#pragma once
// The settings of a table that concern its look and its printed page rather than its cells:
// display switches, named colours, zoom, margins and page settings, grid-wide user properties,
// and the substitution tokens of the printed header and footer. Storage (archive, profile, copy)
// and printing are done by components that the object forwards to.

#include "framework/core/Collections.h"
#include "framework/core/CString.h"
#include "framework/core/Object.h"
#include "grid/core/Data.h"
#include "grid/core/Style.h"

class CDC;
class CDocument;
class CGXGridParam;
class CGXProperties;
struct CPrintInfo;

// String-table ids of the properties' names.
enum : UINT
{
    GX_IDS_CURRENTCELL = 51005,  // user property "Current Cell."
    GX_IDS_INVERTTHIN = 51006,
    GX_IDS_INVERTTHICK = 51007,
    GX_IDS_THINBORDER = 51008,
    GX_IDS_THICKBORDER = 51009,
    GX_IDS_NOBORDER = 20059,
    GX_IDS_COLOR_GRIDLINES = 52232,
    GX_IDS_COLOR_FIXEDLINES = 52233,
    GX_IDS_COLOR_TRACKINGLINE = 52234,
    GX_IDS_COLOR_BACKGROUND = 52235,
    GX_IDS_COLOR_DRAGGINGLINE = 52236
};

// Token indices of header and footer texts.
enum
{
    GX_TOKEN_DOCTITLE = 0,  // "$F"
    GX_TOKEN_APPNAME = 1,   // "$A"
    GX_TOKEN_PAGE = 2,      // "$P"
    GX_TOKEN_PAGES = 3,     // "$N"
    GX_TOKEN_DATE = 4,      // "$D", with an optional strftime format in braces
    GX_TOKEN_TITLE = 5      // "$R"
};

// Logical units per inch of the printing mapping (the vertical one of the library-wide printing
// window extent, the display's logical pixels per inch): the margins and distances are in these units.
int GXGetPrintUnitsPerInch();

// The header-and-footer services of a grid's print component. The token services are text work and
// implemented here; drawing the header and footer tables is the component's.
class CGXAbstractPropertiesPrintImp
{
public:
    virtual ~CGXAbstractPropertiesPrintImp() = default;

    virtual BOOL OnPrintHeaderAndFooter(CGXProperties& properties, CDC* pDC, CPrintInfo* pInfo, CDocument* pDoc,
                                        CGXGridParam* pParam) = 0;
    virtual int CalcHeaderFooterHeight(CGXProperties& properties, CDC* pDC, CGXData* pData,
                                       const CGXStylesMap* pStylesMap) = 0;
    virtual void PrintHeaderFooterData(CGXProperties& properties, CDC* pDC, CPrintInfo* pInfo, const RECT& rect,
                                       CGXData* pData, const CGXStylesMap* pStylesMap) = 0;

    // Every token at the start of the rest of the text (compared without regard to case) is
    // replaced by its value; every other character is copied.
    virtual CString SubstTokenText(CGXProperties& properties, const CString& text);
    // The value of a token: for the date the braced format is taken off the rest of the text.
    virtual CString GetTokenValue(CGXProperties& properties, int nToken, CString& rest);
    // "{...}" at the start of the rest: its inside, cut off with the braces; else empty.
    virtual CString ExtractTokenArgument(CGXProperties& properties, CString& rest);

    // The token arguments of one page: document title, application name, the page number (the
    // properties' first page number counts from the job's lowest page when it is not -1), the page
    // count (the job's highest page) and the parameter object's text.
    static void FillTokenArguments(CGXProperties& properties, LPCTSTR pszDocTitle, LPCTSTR pszAppName,
                                   UINT nCurPage, UINT nMinPage, UINT nMaxPage, LPCTSTR pszTitle);
};

// A registered user property: its value and how it is edited live in its style.
struct CGXPropertiesUserPropertyInfo
{
    WORD nId = 0;
    CString sName;
    CGXStyle* pStyle = nullptr;  // owned
};

class CGXProperties : public CObject
{
    DECLARE_SERIAL(CGXProperties)

public:
    CGXProperties();
    CGXProperties(const CGXProperties& other);
    ~CGXProperties() override;

    // Through the parameter-copy component; nothing while it is not installed.
    CGXProperties& operator=(const CGXProperties& other);

    void Serialize(CArchive& ar) override;
    virtual void AddDefaultUserProperties();
    virtual void WriteProfile() const;
    virtual BOOL ReadProfile();
    virtual CString SubstTokenText(const CString& text);
    virtual CString GetTokenValue(int nToken, CString& rest);
    CString ExtractTokenArgument(CString& rest);

    // The print component of the first grid that uses this object; NULL when there is none.
    // The library's grid bookkeeping sets the finder; until then the token operations answer empty.
    static CGXAbstractPropertiesPrintImp* (*s_pfnFindPrintImp)(const CGXProperties& properties);
    CGXAbstractPropertiesPrintImp* GetPrintImp() const;

    BOOL OnPrintHeaderAndFooter(CDC* pDC, CPrintInfo* pInfo, CDocument* pDoc, CGXGridParam* pParam);
    int CalcHeaderFooterHeight(CDC* pDC, CGXData* pData, const CGXStylesMap* pStylesMap);
    BOOL PrintHeaderFooterData(CDC* pDC, CPrintInfo* pInfo, const RECT& rect, CGXData* pData,
                               const CGXStylesMap* pStylesMap);

    // Colours.
    int AddColorProperty(LPCTSTR pszName, COLORREF color);
    int AddColorProperty(UINT nStringId, COLORREF color);
    COLORREF GetColor(int nIndex) const;
    void SetColor(int nIndex, COLORREF color);
    int GetColorCount() const { return static_cast<int>(m_ColorNameArray.GetSize()); }
    const CStringArray& GetColorNameArray() const { return m_ColorNameArray; }
    CStringArray& GetColorNameArray() { return m_ColorNameArray; }
    CDWordArray& GetColorArray() { return m_ColorArray; }

    // User properties.
    void AddUserProperty(WORD nId, const CGXStyle& style);
    const CGXStyle& GetUserProperty(WORD nId) const;
    const CGXPropertiesUserPropertyInfo* LookupUserPropertyInfo(WORD nId) const;
    CMapWordToPtr& GetUserPropertyInfoMap() { return m_UserPropertyInfoMap; }
    // A record copy: same id and name, a clone of the style (none when the other has none).
    static CGXPropertiesUserPropertyInfo* CopyUserPropertyEntry(const CGXPropertiesUserPropertyInfo& other);

    // Tokens.
    int AddToken(LPCTSTR pszToken);
    const CStringArray& GetTokenArray() const { return m_sTokenArray; }
    CStringArray& GetTokenArgs() { return m_sTokenArgs; }

    // The five current-cell frame names.
    const CString& GetFrameName(int nIndex) const { return m_sFrameNames[nIndex >= 0 && nIndex < 5 ? nIndex : 0]; }

    // Display switches: while printing the print settings, else the screen settings.
    BOOL GetDisplayHorzLines() const { return m_bPrinting ? m_bPrintHorzLines : m_bDisplayHorzLines; }
    BOOL GetDisplayVertLines() const { return m_bPrinting ? m_bPrintVertLines : m_bDisplayVertLines; }
    void SetDisplayHorzLines(BOOL b) { m_bDisplayHorzLines = b; }
    void SetDisplayVertLines(BOOL b) { m_bDisplayVertLines = b; }
    BOOL GetBlackWhite() const { return m_bPrinting && m_bBlackWhite; }
    void SetBlackWhite(BOOL b) { m_bBlackWhite = b; }
    BOOL GetDisplay3dHeader() const { return m_b3dHeader; }
    void SetDisplay3dHeader(BOOL b) { m_b3dHeader = b; }
    BOOL GetMarkRowHeader() const { return m_bMarkRowHeader; }
    void SetMarkRowHeader(BOOL b) { m_bMarkRowHeader = b; }
    BOOL GetMarkColHeader() const { return m_bMarkColHeader; }
    void SetMarkColHeader(BOOL b) { m_bMarkColHeader = b; }
    BOOL GetPrinting() const { return m_bPrinting; }
    void SetPrinting(BOOL b) { m_bPrinting = b; }
    const CString& GetSection() const { return m_sSection; }
    void SetSection(LPCTSTR pszSection) { m_sSection = pszSection; }
    int GetZoom() const { return m_nZoom; }
    void SetZoom(int nZoom) { m_nZoom = nZoom; }

    // Printed page.
    void GetMargins(int& top, int& left, int& bottom, int& right) const;
    void SetMargins(int top, int left, int bottom, int right);
    BOOL GetCenterHorizontal() const { return m_bCenterHorizontal; }
    void SetCenterHorizontal(BOOL b) { m_bCenterHorizontal = b; }
    BOOL GetCenterVertical() const { return m_bCenterVertical; }
    void SetCenterVertical(BOOL b) { m_bCenterVertical = b; }
    BOOL GetPrintColHeaders() const { return m_bPrintColHeaders; }
    void SetPrintColHeaders(BOOL b) { m_bPrintColHeaders = b; }
    BOOL GetPrintRowHeaders() const { return m_bPrintRowHeaders; }
    void SetPrintRowHeaders(BOOL b) { m_bPrintRowHeaders = b; }
    BOOL GetPrintHorzLines() const { return m_bPrintHorzLines; }
    void SetPrintHorzLines(BOOL b) { m_bPrintHorzLines = b; }
    BOOL GetPrintVertLines() const { return m_bPrintVertLines; }
    void SetPrintVertLines(BOOL b) { m_bPrintVertLines = b; }
    BOOL GetPrintBlackWhite() const { return m_bBlackWhite; }
    int GetPageOrder() const { return m_nPageOrder; }
    void SetPageOrder(int nOrder) { m_nPageOrder = nOrder; }
    BOOL GetPrintFrame() const { return m_bPrintFrame; }
    void SetPrintFrame(BOOL b) { m_bPrintFrame = b; }
    void GetDistances(int& nHeader, int& nFooter) const
    {
        nHeader = m_nDistTop;
        nFooter = m_nDistBottom;
    }
    void SetDistances(int nHeader, int nFooter)
    {
        m_nDistTop = nHeader;
        m_nDistBottom = nFooter;
    }
    int GetFirstPage() const { return m_nFirstPage; }
    void SetFirstPage(int nPage) { m_nFirstPage = nPage; }
    // The printed header and footer: tables of 10 rows and 3 columns (left, centred and right part
    // of each line), whose texts may hold tokens.
    CGXData& GetDataFooter() { return m_dataFooter; }
    CGXData& GetDataHeader() { return m_dataHeader; }
    const CGXData& GetDataFooter() const { return m_dataFooter; }
    const CGXData& GetDataHeader() const { return m_dataHeader; }
    WORD m_w1 = 0;
    WORD m_w2 = 0;
    CDWordArray m_awRowBreaks;
    CDWordArray m_awColBreaks;

    // Empties colours and user properties; tokens, arguments (and header and footer) stay.
    void FreeAll();

private:
    void SetDefaults();

    CString m_sFrameNames[5];
    CGXStyle m_styleDefault;
    CStringArray m_sTokenArray;
    CStringArray m_sTokenArgs;
    CMapWordToPtr m_UserPropertyInfoMap;  // id -> CGXPropertiesUserPropertyInfo*
    BOOL m_b3dHeader = TRUE;
    BOOL m_bDisplayVertLines = TRUE;
    BOOL m_bDisplayHorzLines = TRUE;
    BOOL m_bMarkRowHeader = TRUE;
    BOOL m_bMarkColHeader = TRUE;
    BOOL m_bPrinting = FALSE;
    CString m_sSection;
    CStringArray m_ColorNameArray;
    CDWordArray m_ColorArray;
    int m_nZoom = 100;
    int m_nBottomMargin = 0;
    int m_nLeftMargin = 0;
    int m_nTopMargin = 0;
    int m_nRightMargin = 0;
    BOOL m_bCenterHorizontal = TRUE;
    BOOL m_bCenterVertical = FALSE;
    BOOL m_bPrintColHeaders = TRUE;
    BOOL m_bPrintHorzLines = TRUE;
    BOOL m_bPrintRowHeaders = TRUE;
    BOOL m_bPrintVertLines = TRUE;
    int m_nPageOrder = 0;
    BOOL m_bBlackWhite = TRUE;
    BOOL m_bPrintFrame = TRUE;
    int m_nDistTop = 0;
    int m_nDistBottom = 0;
    int m_nFirstPage = -1;
    CGXData m_dataFooter;
    CGXData m_dataHeader;
};
