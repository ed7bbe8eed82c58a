#include "grid/core/Properties.h"

#include "framework/core/Archive.h"
#include "grid/core/Font.h"
#include "grid/core/LibraryLinks.h"

#include <cstring>
#include <ctime>
#include <mbstring.h>

IMPLEMENT_SERIAL(CGXProperties, CObject, 0)

int GXGetPrintUnitsPerInch()
{
    return GXGetFontLogPixels().cy;
}

CGXAbstractPropertiesPrintImp* (*CGXProperties::s_pfnFindPrintImp)(const CGXProperties&) = nullptr;

namespace
{
CString LoadText(UINT nId)
{
    CString text;
    if (!text.LoadString(nId))
        text.Empty();
    return text;
}

// The margin and distance defaults: the product in floating point, 0.51 added, truncated.
int PrintUnits(double dInches) { return static_cast<int>(dInches * GXGetPrintUnitsPerInch() + 0.51); }
}  // namespace

CGXProperties::CGXProperties()
{
    static const UINT frameIds[5] = {GX_IDS_INVERTTHIN, GX_IDS_INVERTTHICK, GX_IDS_THINBORDER, GX_IDS_THICKBORDER,
                                     GX_IDS_NOBORDER};
    for (int i = 0; i < 5; ++i)
        m_sFrameNames[i] = LoadText(frameIds[i]);
    SetDefaults();
}

CGXProperties::CGXProperties(const CGXProperties& other) : CObject()
{
    // Without the copy component the copy keeps the defaults rather than holding nothing.
    if (GXGetLibraryLinks().pParamCopyOperatorImp == nullptr)
    {
        for (int i = 0; i < 5; ++i)
            m_sFrameNames[i] = other.m_sFrameNames[i];
        SetDefaults();
        return;
    }
    *this = other;
}

// The switches, page settings and zoom start at their member initialisers; the section, the colours
// (named from the string table), the margins (measured on the display) and the tokens are set here.
void CGXProperties::SetDefaults()
{
    m_sSection = "Grid";
    AddColorProperty(GX_IDS_COLOR_GRIDLINES, GXJoinColor(gxColorSystem, COLOR_GRAYTEXT));
    AddColorProperty(GX_IDS_COLOR_FIXEDLINES, GXJoinColor(gxColorSystem, COLOR_ACTIVECAPTION));
    AddColorProperty(GX_IDS_COLOR_TRACKINGLINE, RGB(255, 0, 0));
    AddColorProperty(GX_IDS_COLOR_DRAGGINGLINE, RGB(255, 0, 0));
    AddColorProperty(GX_IDS_COLOR_BACKGROUND, GXJoinColor(gxColorSystem, COLOR_BTNFACE));
    m_nTopMargin = m_nBottomMargin = PrintUnits(1.5);
    m_nLeftMargin = m_nRightMargin = PrintUnits(1.0);
    m_nDistTop = m_nDistBottom = PrintUnits(0.4);
    static const LPCTSTR tokens[] = {"$F", "$A", "$P", "$N", "$D", "$R"};
    for (LPCTSTR pszToken : tokens)
        AddToken(pszToken);

    // Header: the grid's name centred in a bold 16-point font; footer: the date on the left and
    // "page/pages" on the right.
    m_dataHeader.SetColCount(3);
    m_dataHeader.SetRowCount(10);
    CGXStyle title;
    title.SetFont(CGXFont().SetBold(TRUE).SetSize(16)).SetValue("$R");
    m_dataHeader.StoreStyleRowCol(1, 2, &title, gxCopy);
    m_dataFooter.SetColCount(3);
    m_dataFooter.SetRowCount(10);
    CGXStyle date;
    date.SetValue("$D");
    m_dataFooter.StoreStyleRowCol(1, 1, &date, gxCopy);
    CGXStyle pages;
    pages.SetValue("$P/$N");
    m_dataFooter.StoreStyleRowCol(1, 3, &pages, gxCopy);
}

CGXProperties::~CGXProperties() { FreeAll(); }

CGXProperties& CGXProperties::operator=(const CGXProperties& other)
{
    if (this == &other)
        return *this;
    if (CGXAbstractParamCopyOperatorImp* pImp = GXGetLibraryLinks().pParamCopyOperatorImp)
        pImp->CopyProperties(*this, other);
    return *this;
}

void CGXProperties::Serialize(CArchive& ar)
{
    if (CGXAbstractDocSerializeImp* pImp = GXGetLibraryLinks().pDocSerializeImp)
        pImp->SerializeProperties(*this, ar);
}

void CGXProperties::WriteProfile() const
{
    if (CGXAbstractGridProfileImp* pImp = GXGetLibraryLinks().pProfileImp)
        pImp->WritePropertiesProfile(*this);
}

BOOL CGXProperties::ReadProfile()
{
    if (CGXAbstractGridProfileImp* pImp = GXGetLibraryLinks().pProfileImp)
        return pImp->ReadPropertiesProfile(*this);
    return FALSE;
}

void CGXProperties::FreeAll()
{
    m_ColorNameArray.RemoveAll();
    m_ColorArray.RemoveAll();
    POSITION pos = m_UserPropertyInfoMap.GetStartPosition();
    while (pos != nullptr)
    {
        WORD nId = 0;
        void* pValue = nullptr;
        m_UserPropertyInfoMap.GetNextAssoc(pos, nId, pValue);
        CGXPropertiesUserPropertyInfo* pInfo = static_cast<CGXPropertiesUserPropertyInfo*>(pValue);
        delete pInfo->pStyle;
        delete pInfo;
    }
    m_UserPropertyInfoMap.RemoveAll();
}

// ---------------------------------------------------------------------------------------------
// Colours

int CGXProperties::AddColorProperty(LPCTSTR pszName, COLORREF color)
{
    if (pszName != nullptr)
    {
        for (INT_PTR i = 0; i < m_ColorNameArray.GetSize(); ++i)
            if (std::strcmp(m_ColorNameArray[i], pszName) == 0)
                return static_cast<int>(i);
    }
    m_ColorNameArray.Add(CString(pszName != nullptr ? pszName : ""));
    return static_cast<int>(m_ColorArray.Add(color));
}

int CGXProperties::AddColorProperty(UINT nStringId, COLORREF color)
{
    CString name = LoadText(nStringId);
    if (name.IsEmpty())
        name.Format("COLOR%u", nStringId);
    return AddColorProperty(static_cast<LPCTSTR>(name), color);
}

COLORREF CGXProperties::GetColor(int nIndex) const
{
    if (nIndex < 0 || nIndex >= m_ColorArray.GetSize())
        return 0;
    return m_ColorArray[nIndex];
}

void CGXProperties::SetColor(int nIndex, COLORREF color)
{
    if (nIndex >= 0 && nIndex < m_ColorArray.GetSize())
        m_ColorArray[nIndex] = color;
}

// ---------------------------------------------------------------------------------------------
// User properties

void CGXProperties::AddUserProperty(WORD nId, const CGXStyle& style)
{
    void* pValue = nullptr;
    CGXPropertiesUserPropertyInfo* pInfo = nullptr;
    if (m_UserPropertyInfoMap.Lookup(nId, pValue))
    {
        pInfo = static_cast<CGXPropertiesUserPropertyInfo*>(pValue);
        delete pInfo->pStyle;
        pInfo->pStyle = nullptr;
    }
    else
    {
        pInfo = new CGXPropertiesUserPropertyInfo;
        pInfo->nId = nId;
        pInfo->sName = LoadText(nId);
        if (pInfo->sName.IsEmpty())
            pInfo->sName.Format("USERPROP%u", nId);
        m_UserPropertyInfoMap.SetAt(nId, pInfo);
    }
    pInfo->pStyle = style.Clone();
}

const CGXStyle& CGXProperties::GetUserProperty(WORD nId) const
{
    const CGXPropertiesUserPropertyInfo* pInfo = LookupUserPropertyInfo(nId);
    if (pInfo == nullptr || pInfo->pStyle == nullptr)
        return m_styleDefault;
    return *pInfo->pStyle;
}

const CGXPropertiesUserPropertyInfo* CGXProperties::LookupUserPropertyInfo(WORD nId) const
{
    void* pValue = nullptr;
    if (!m_UserPropertyInfoMap.Lookup(nId, pValue))
        return nullptr;
    return static_cast<const CGXPropertiesUserPropertyInfo*>(pValue);
}

CGXPropertiesUserPropertyInfo* CGXProperties::CopyUserPropertyEntry(const CGXPropertiesUserPropertyInfo& other)
{
    CGXPropertiesUserPropertyInfo* pInfo = new CGXPropertiesUserPropertyInfo;
    pInfo->nId = other.nId;
    pInfo->sName = other.sName;
    pInfo->pStyle = other.pStyle != nullptr ? other.pStyle->Clone() : nullptr;
    return pInfo;
}

void CGXProperties::AddDefaultUserProperties()
{
    CGXStyle style;
    CString choices;
    for (int i = 0; i < 5; ++i)
    {
        if (i > 0)
            choices += "\n";
        choices += m_sFrameNames[i];
    }
    style.SetControl(52529).SetChoiceList(choices).SetValue(m_sFrameNames[0]);
    AddUserProperty(GX_IDS_CURRENTCELL, style);
}

// ---------------------------------------------------------------------------------------------
// Tokens, header and footer

int CGXProperties::AddToken(LPCTSTR pszToken)
{
    return static_cast<int>(m_sTokenArray.Add(CString(pszToken != nullptr ? pszToken : "")));
}

CGXAbstractPropertiesPrintImp* CGXProperties::GetPrintImp() const
{
    return s_pfnFindPrintImp != nullptr ? s_pfnFindPrintImp(*this) : nullptr;
}

CString CGXProperties::SubstTokenText(const CString& text)
{
    CGXAbstractPropertiesPrintImp* pImp = GetPrintImp();
    return pImp != nullptr ? pImp->SubstTokenText(*this, text) : CString();
}

CString CGXProperties::GetTokenValue(int nToken, CString& rest)
{
    CGXAbstractPropertiesPrintImp* pImp = GetPrintImp();
    return pImp != nullptr ? pImp->GetTokenValue(*this, nToken, rest) : CString();
}

CString CGXProperties::ExtractTokenArgument(CString& rest)
{
    CGXAbstractPropertiesPrintImp* pImp = GetPrintImp();
    return pImp != nullptr ? pImp->ExtractTokenArgument(*this, rest) : CString();
}

BOOL CGXProperties::OnPrintHeaderAndFooter(CDC* pDC, CPrintInfo* pInfo, CDocument* pDoc, CGXGridParam* pParam)
{
    CGXAbstractPropertiesPrintImp* pImp = GetPrintImp();
    return pImp != nullptr ? pImp->OnPrintHeaderAndFooter(*this, pDC, pInfo, pDoc, pParam) : FALSE;
}

int CGXProperties::CalcHeaderFooterHeight(CDC* pDC, CGXData* pData, const CGXStylesMap* pStylesMap)
{
    CGXAbstractPropertiesPrintImp* pImp = GetPrintImp();
    return pImp != nullptr ? pImp->CalcHeaderFooterHeight(*this, pDC, pData, pStylesMap) : 0;
}

BOOL CGXProperties::PrintHeaderFooterData(CDC* pDC, CPrintInfo* pInfo, const RECT& rect, CGXData* pData,
                                          const CGXStylesMap* pStylesMap)
{
    CGXAbstractPropertiesPrintImp* pImp = GetPrintImp();
    if (pImp == nullptr)
        return FALSE;
    pImp->PrintHeaderFooterData(*this, pDC, pInfo, rect, pData, pStylesMap);
    return TRUE;
}

void CGXProperties::GetMargins(int& top, int& left, int& bottom, int& right) const
{
    top = m_nTopMargin;
    left = m_nLeftMargin;
    bottom = m_nBottomMargin;
    right = m_nRightMargin;
}

void CGXProperties::SetMargins(int top, int left, int bottom, int right)
{
    m_nTopMargin = top;
    m_nLeftMargin = left;
    m_nBottomMargin = bottom;
    m_nRightMargin = right;
}

// ---------------------------------------------------------------------------------------------
// Token services of the print component

namespace
{
// Every '%' of the format starts a conversion the runtime knows: the code, with the '#' flag or not.
BOOL IsKnownTimeFormat(const CString& format)
{
    static const char kCodes[] = "aAbBcdHIjmMpSUwWxXyYzZ";
    for (const char* p = format; *p != '\0'; ++p)
    {
        if (*p != '%')
            continue;
        ++p;
        if (*p == '%')
            continue;
        if (*p == '#')
            ++p;
        if (*p == '\0' || std::strchr(kCodes, *p) == nullptr)
            return FALSE;
    }
    return TRUE;
}
} // namespace

CString CGXAbstractPropertiesPrintImp::SubstTokenText(CGXProperties& properties, const CString& text)
{
    CString result;
    CString rest = text;
    const CStringArray& tokens = properties.GetTokenArray();
    while (!rest.IsEmpty())
    {
        int nToken = -1;
        for (INT_PTR i = 0; i < tokens.GetSize() && nToken < 0; ++i)
        {
            const CString& token = tokens[i];
            const size_t nLength = static_cast<size_t>(token.GetLength());
            if (nLength > 0 && static_cast<size_t>(rest.GetLength()) >= nLength &&
                _mbsnbicmp(reinterpret_cast<const unsigned char*>(static_cast<LPCTSTR>(rest)),
                           reinterpret_cast<const unsigned char*>(static_cast<LPCTSTR>(token)), nLength) == 0)
                nToken = static_cast<int>(i);
        }
        if (nToken >= 0)
        {
            rest = rest.Mid(tokens[nToken].GetLength());
            result += GetTokenValue(properties, nToken, rest);
            continue;
        }
        // One character, a double-byte character whole.
        const int nChar = (::IsDBCSLeadByte(static_cast<BYTE>(rest[0])) && rest.GetLength() > 1) ? 2 : 1;
        result += rest.Left(nChar);
        rest = rest.Mid(nChar);
    }
    return result;
}

CString CGXAbstractPropertiesPrintImp::GetTokenValue(CGXProperties& properties, int nToken, CString& rest)
{
    if (nToken == GX_TOKEN_DATE)
    {
        CString format = ExtractTokenArgument(properties, rest);
        if (format.IsEmpty())
            format = "%c";
        // A format the runtime does not know could end the program in its invalid-parameter handler:
        // such a format, like one whose text does not fit, gives an empty value.
        if (!IsKnownTimeFormat(format))
            return CString();
        const std::time_t now = std::time(nullptr);
        const std::tm* pLocal = std::localtime(&now);
        char buffer[256];
        // strftime answers 0 when the text does not fit: the value is then empty.
        if (pLocal == nullptr || std::strftime(buffer, 255, format, pLocal) == 0)
            return CString();
        return CString(buffer);
    }
    const CStringArray& args = properties.GetTokenArgs();
    if (nToken < 0 || nToken >= args.GetSize())
        return CString();
    return args[nToken];
}

CString CGXAbstractPropertiesPrintImp::ExtractTokenArgument(CGXProperties&, CString& rest)
{
    if (rest.IsEmpty() || rest[0] != '{')
        return CString();
    const int nClose = rest.Find('}');
    if (nClose < 0)
        return CString();
    CString argument = rest.Mid(1, nClose - 1);
    rest = rest.Mid(nClose + 1);
    return argument;
}

void CGXAbstractPropertiesPrintImp::FillTokenArguments(CGXProperties& properties, LPCTSTR pszDocTitle,
                                                      LPCTSTR pszAppName, UINT nCurPage, UINT nMinPage,
                                                      UINT nMaxPage, LPCTSTR pszTitle)
{
    CStringArray& args = properties.GetTokenArgs();
    if (args.GetSize() < 6)
        args.SetSize(6);
    args[GX_TOKEN_DOCTITLE] = pszDocTitle != nullptr ? pszDocTitle : "";
    args[GX_TOKEN_APPNAME] = pszAppName != nullptr ? pszAppName : "";
    long nPage = static_cast<long>(nCurPage);
    if (properties.GetFirstPage() != -1)
        nPage = static_cast<long>(nCurPage) - static_cast<long>(nMinPage) + properties.GetFirstPage();
    args[GX_TOKEN_PAGE].Format("%d", static_cast<int>(nPage));
    args[GX_TOKEN_PAGES].Format("%d", static_cast<int>(nMaxPage));
    args[GX_TOKEN_DATE].Empty();
    args[GX_TOKEN_TITLE] = pszTitle != nullptr ? pszTitle : "";
}
