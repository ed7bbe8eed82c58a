// The chart document: its data block (template or data text) and its data commands.
#include "chart/model/GraphDoc.h"

#include "chart/model/ChartResourceIds.h"
#include "chart/model/GraphData.h"
#include "chart/model/GraphDataList.h"

#include <cstring>
#include <string>

IMPLEMENT_DYNCREATE(CGraphDoc, BWKComDoc)

namespace {
// The highlight nibble of an item's style flag word.
void SetHighlight(QVGraphData* pItem, bool bOn)
{
    // A missing item is the data manager's shared dummy: it is never changed.
    if (pItem == NULL || pItem->IsKindOf(RUNTIME_CLASS(QVGraphDummyData)))
        return;
    QVGraphStyle* pStyle = pItem->GetStyle();
    pStyle->m_nFlags = (pStyle->m_nFlags & ~0xF00) | (bOn ? 0x100 : 0);
}
}  // namespace

CGraphDoc::CGraphDoc() {}

CGraphDoc::~CGraphDoc() {}

BOOL CGraphDoc::OnNewDocument()
{
    return BWKComDoc::OnNewDocument() ? TRUE : FALSE;
}

void CGraphDoc::Serialize(CArchive& ar)
{
    m_chart.Serialize(ar);
}

int CGraphDoc::OnDataBlock(LPCTSTR lpszName, HGLOBAL hBlock)
{
    // The block is freed on every way out, a chart error in its text included.
    struct BlockOwner
    {
        HGLOBAL hBlock;
        ~BlockOwner()
        {
            if (hBlock != NULL)
                ::GlobalFree(hBlock);
        }
    } owner{hBlock};
    if (lpszName != NULL && *lpszName != '\0')
        m_chart.ReadChartTemplate(lpszName);
    if (hBlock != NULL) {
        if (const char* pText = static_cast<const char*>(::GlobalLock(hBlock))) {
            // The text ends at its terminator or at the block's end, whichever comes first.
            const size_t size = ::GlobalSize(hBlock);
            const std::string text(pText, ::strnlen(pText, size));
            ::GlobalUnlock(hBlock);
            m_chart.ReadDataText(text.c_str());
        }
    }
    return 1;
}

int CGraphDoc::OnDataCommand(WPARAM nCode, LPARAM lData)
{
    switch (nCode) {
    case dataItemText:
    case dataGroupText: {
        const QVGTextCommandRecord* pRecord = reinterpret_cast<const QVGTextCommandRecord*>(lData);
        // A record that addresses nothing changes nothing.
        if (pRecord == NULL || pRecord->nGroup < 0 || (nCode == dataItemText && pRecord->nIndex < 0))
            return 0;
        if (nCode == dataItemText)
            m_chart.SetItemText(pRecord->nIndex, pRecord->nGroup, pRecord->szText);
        else
            m_chart.SetGroupText(pRecord->nGroup, pRecord->szText, TRUE);
        break;
    }
    case dataValue: {
        const QVGValueCommandRecord* pRecord = reinterpret_cast<const QVGValueCommandRecord*>(lData);
        if (pRecord == NULL || pRecord->nGroup < 0 || pRecord->nIndex < 0)
            return 0;
        if (pRecord->bNull) {
            QVGraphDataList* pGroup = m_chart.GetGroup(pRecord->nGroup, TRUE);
            if (pGroup != NULL)
                pGroup->GetItem(pRecord->nIndex, TRUE)->SetNull(TRUE);
        } else {
            m_chart.SetValue(pRecord->nIndex, pRecord->nGroup, pRecord->dValue);
        }
        break;
    }
    case dataHighlight:
    case dataUnhighlight: {
        const DWORD value = DWORD(lData);
        const int index = LOWORD(value), group = HIWORD(value);
        if (group < m_chart.GetGroupCount() && index < m_chart.GetMaxGroupSize())
            SetHighlight(m_chart.FindItem(index, group), nCode == dataHighlight);
        break;
    }
    case dataMinGroup:
    case dataMaxGroup:
    case dataMinIndex:
    case dataMaxIndex: {
        const DWORD value = DWORD(lData);
        const int n = HIWORD(value);
        const int limit = short(LOWORD(value));
        if (nCode == dataMinGroup)
            m_chart.SetComponentMinGroup(n, limit, IDS_QVG_DISPLAY);
        else if (nCode == dataMaxGroup)
            m_chart.SetComponentMaxGroup(n, limit, IDS_QVG_DISPLAY);
        else if (nCode == dataMinIndex)
            m_chart.SetComponentMinIndex(n, limit, IDS_QVG_DISPLAY);
        else
            m_chart.SetComponentMaxIndex(n, limit, IDS_QVG_DISPLAY);
        return 1;
    }
    default:
        return 0;
    }
    UpdateAllViews(NULL);
    return 1;
}
