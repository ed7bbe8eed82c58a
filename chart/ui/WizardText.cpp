// The wizard's text lines and layouts: every read has a field width, so that no line, word or name of a
// resource or a layout file can overrun its buffer.
#include "chart/ui/WizardText.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "chart/model/ChartResourceIds.h"
#include "chart/model/Graph.h"
#include "chart/model/GraphComponent.h"
#include "framework/core/Exceptions.h"
#include "framework/core/File.h"
#include "framework/win/Dc.h"
#include "framework/win/WinApp.h"

namespace {

// Longest line and longest word of a wizard text, without the terminator.
constexpr int kMaxLine = 1023;
constexpr int kMaxWord = 255;

// The kinds of component a layout holds, by type id.
const int kLayoutKinds[] = {IDS_QVG_BACKGROUND, IDS_QVG_TITLE, IDS_QVG_DISPLAY, IDS_QVG_LEGEND};

bool IsLayoutKind(int nTypeId)
{
    for (int nKind : kLayoutKinds)
        if (nKind == nTypeId)
            return true;
    return false;
}

// A side of a rectangle in percent of the size along it, by the side's measurement mode.
int SideInPercent(double side, int nMeasurement, int nSize, int nLogPixels)
{
    if (side < 0)
        return -1;
    double percent = side;
    switch (nMeasurement) {
    case 0: percent = nSize > 0 ? side / nSize * 100 : 0; break;
    case 1: percent = nSize > 0 ? side * nLogPixels / (nSize * 25.4) * 100 : 0; break;
    case 2: percent = nSize > 0 ? side * nLogPixels / nSize * 100 : 0; break;
    default: break;
    }
    return int(percent);
}

} // namespace

QVGWizardLines::QVGWizardLines(LPCTSTR lpszText) : m_pNext(lpszText != nullptr ? lpszText : "")
{
}

BOOL QVGWizardLines::Next(CString& line)
{
    for (;;) {
        char buffer[kMaxLine + 1] = "";
        int nUsed = 0;
        if (std::sscanf(m_pNext, " %1023[^\n]%n", buffer, &nUsed) != 1)
            return FALSE;
        m_pNext += nUsed;
        if (buffer[0] == '/')
            continue;
        line = buffer;
        return TRUE;
    }
}

BOOL LoadWizardResource(LPCTSTR lpszName, CString& text)
{
    HINSTANCE hInstance = AfxFindResourceHandle(lpszName, "GRAPHTYPE");
    HRSRC hResource = ::FindResourceA(hInstance, lpszName, "GRAPHTYPE");
    if (hResource == nullptr)
        return FALSE;
    HGLOBAL hData = ::LoadResource(hInstance, hResource);
    const auto* pData = hData != nullptr ? static_cast<const char*>(::LockResource(hData)) : nullptr;
    if (pData == nullptr)
        return FALSE;
    // A resource's text has no terminator of its own.
    text = CString(pData, int(::SizeofResource(hInstance, hResource)));
    return TRUE;
}

BOOL LoadLayoutText(LPCTSTR lpszName, CString& text)
{
    if (LoadWizardResource(lpszName, text))
        return TRUE;
    try {
        CFile file(lpszName, CFile::modeRead | CFile::shareDenyWrite);
        const ULONGLONG nLength = file.GetLength();
        if (nLength > 0x7FFFFFFF)
            AfxThrowFileException(CFileException::invalidFile, -1, lpszName);
        std::string buffer(size_t(nLength), '\0');
        if (file.Read(buffer.data(), UINT(nLength)) != UINT(nLength))
            AfxThrowFileException(CFileException::endOfFile, -1, lpszName);
        text = CString(buffer.data(), int(nLength));
    } catch (CFileException* e) {
        // No layout file, or one that cannot be read whole: no layouts.
        e->Delete();
        text.Empty();
        return FALSE;
    }
    return TRUE;
}

BOOL ParseChoiceLine(LPCTSTR lpszLine, DWORD& value, CString& text)
{
    unsigned int nValue = 0;
    int nUsed = 0;
    if (std::sscanf(lpszLine, "%x %n", &nValue, &nUsed) != 1)
        return FALSE;
    value = nValue;
    text = lpszLine + nUsed;
    text.TrimRight();
    return TRUE;
}

BOOL ParseGraphTypeLine(LPCTSTR lpszLine, DWORD& value, CString& word, CString& text)
{
    unsigned int nValue = 0;
    char buffer[kMaxWord + 1] = "";
    int nUsed = 0;
    if (std::sscanf(lpszLine, "%x %255s %n", &nValue, buffer, &nUsed) != 2)
        return FALSE;
    value = nValue;
    word = buffer;
    text = lpszLine + nUsed;
    text.TrimRight();
    return TRUE;
}

CLayout ParseLayoutLine(LPCTSTR lpszLine)
{
    CLayout layout;
    LPCTSTR pText = lpszLine;
    for (;;) {
        char name[kMaxWord + 1] = "";
        CLayoutItem item;
        int nUsed = 0;
        const int nRead = std::sscanf(pText, " %255s %d %d %d %d %d %d %d %d %n", name, &item.m_nMeasurement,
                                      &item.m_nBorderStyle, &item.m_nShadowStyle, &item.m_nFill, &item.m_nLeft,
                                      &item.m_nTop, &item.m_nRight, &item.m_nBottom, &nUsed);
        if (nRead != 9 || nUsed == 0)
            return layout;
        item.m_strName = name;
        layout.push_back(item);
        pText += nUsed;
    }
}

std::vector<CLayout> ParseLayouts(LPCTSTR lpszText)
{
    std::vector<CLayout> layouts;
    QVGWizardLines lines(lpszText);
    CString line;
    while (lines.Next(line))
        layouts.push_back(ParseLayoutLine(line));
    return layouts;
}

CString FormatLayoutLine(QVGraph* pChart, CSize size)
{
    CString text = "\n\n";
    if (pChart == nullptr)
        return text;
    CWindowDC screen(nullptr);
    const int nLogPixelsX = screen.GetDeviceCaps(LOGPIXELSX);
    const int nLogPixelsY = screen.GetDeviceCaps(LOGPIXELSY);
    CObList* pList = pChart->GetComponentList();
    for (POSITION pos = pList->GetHeadPosition(); pos != nullptr;) {
        auto* pComponent = static_cast<QVGraphComponent*>(pList->GetNext(pos));
        if (!IsLayoutKind(pComponent->GetTypeId()))
            continue;
        CString name;
        name.LoadString(UINT(pComponent->GetTypeId()));
        QVGraphRect* pRect = pComponent->GetRectObject();
        const int nMode = pRect->GetMeasurement();
        QVGraphStyle* pStyle = pComponent->GetStyle();
        text.AppendFormat("%s %d %d %d %d %d %d %d %d ", (LPCTSTR)name, 3, pStyle->GetBorderStyle(),
                          pStyle->GetShadowStyle(), pStyle->GetFillType(),
                          SideInPercent(pRect->m_dLeft, nMode, size.cx, nLogPixelsX),
                          SideInPercent(pRect->m_dTop, nMode, size.cy, nLogPixelsY),
                          SideInPercent(pRect->m_dRight, nMode, size.cx, nLogPixelsX),
                          SideInPercent(pRect->m_dBottom, nMode, size.cy, nLogPixelsY));
    }
    return text;
}

BOOL AppendToLayoutFile(LPCTSTR lpszPath, const CString& text)
{
    CFile file;
    if (!file.Open(lpszPath, CFile::modeWrite | CFile::modeCreate | CFile::modeNoTruncate))
        return FALSE;
    try {
        file.SeekToEnd();
        file.Write((LPCTSTR)text, UINT(text.GetLength()));
        file.Close();
    } catch (CFileException* e) {
        e->Delete();
        file.Abort();
        return FALSE;
    }
    return TRUE;
}
