// The chart: construction, components, data forwarders, feedback records and archiving.
#include "chart/model/Graph.h"

#include "chart/model/AxisManager.h"
#include "chart/model/AxisScale.h"
#include "chart/model/ChartArchive.h"
#include "chart/model/ChartResourceIds.h"
#include "chart/model/CompiledPolygon.h"
#include "chart/model/CompoundComponent.h"
#include "chart/model/CompoundDisplay.h"
#include "chart/model/GraphBackground.h"
#include "chart/model/GraphComponent.h"
#include "chart/model/GraphDisplay.h"
#include "chart/model/GraphException.h"
#include "chart/model/GraphFeedback.h"
#include "chart/model/GraphLegend.h"
#include "chart/model/GridLines.h"
#include "chart/model/LabelBlock.h"
#include "chart/model/TextPanel.h"
#include "chart/model/TickMarks.h"
#include "framework/core/Archive.h"
#include "framework/win/Dc.h"
#include "framework/win/Gdi.h"
#include "framework/win/Seams.h"

IMPLEMENT_SERIAL(QVGraph, CObject, VERSIONABLE_SCHEMA | 1)

QVGraph::QVGraph()
    : m_bChanged(1),
      m_nLabelAnnotation(1),
      m_nInvalidateValue(0),
      m_nInvalidateMode(0),
      m_bInvalidatePending(0),
      m_bDoubleBuffering(1),
      m_components(10),
      m_pDataManager(new QVGDataManager),
      m_bOwnsDataManager(1),
      m_bFeedbackEnabled(1),
      m_feedback(10),
      m_rectDrawing(0, 0, 0, 0),
      m_bNoData(1),
      m_bImageCached(0),
      m_penCache(10),
      m_fontCache(10),
      m_polygons(10),
      m_nPaletteSize(16),
      m_bPaletteDevice(0),
      m_pPalette(NULL),
      m_rectPage(0, 0, 0, 0),
      m_bBanding(0),
      m_posCurrent(NULL),
      m_bDrawing(0),
      m_pView(NULL),
      m_pDC(NULL),
      m_rectCachedImage(0, 0, 0, 0),
      m_pBitmap(NULL),
      m_rectFixed(0, 0, 0, 0),
      m_nPlacement(0),
      m_bFixedRect(0)
{
    m_chartStyle.m_nFlags = (m_chartStyle.m_nFlags & ~0xF) | 0x3;
}

QVGraph::~QVGraph()
{
    DeletePolygons();
    if (m_bOwnsDataManager)
        delete m_pDataManager;
    m_pDataManager = NULL;
    DeleteComponents();
    DeleteFeedback();
    delete m_pBitmap;
    delete m_pPalette;
    DeleteCaches();
    while (!m_clipStack.IsEmpty())
        delete static_cast<CRgn*>(m_clipStack.RemoveHead());
}

void QVGraph::DeletePolygons()
{
    while (!m_polygons.IsEmpty())
        delete m_polygons.RemoveHead();
}

void QVGraph::DeleteComponents()
{
    while (!m_components.IsEmpty())
        delete m_components.RemoveHead();
    m_posCurrent = NULL;
}

void QVGraph::DeleteFeedback()
{
    while (!m_feedback.IsEmpty())
        delete m_feedback.RemoveHead();
}

namespace {
// The cache holds T objects it owns.
template <class T>
void DeleteCachedObjects(CMapStringToPtr& cache)
{
    CString key;
    void* pValue = NULL;
    for (POSITION pos = cache.GetStartPosition(); pos != NULL;) {
        cache.GetNextAssoc(pos, key, pValue);
        delete static_cast<T*>(pValue);
    }
    cache.RemoveAll();
}
}  // namespace

void QVGraph::DeleteCaches()
{
    DeleteCachedObjects<CPen>(m_penCache);
    DeleteCachedObjects<CFont>(m_fontCache);
}

BOOL QVGraph::IsFeedbackEnabled()
{
    return m_bFeedbackEnabled;
}

void QVGraph::ShowTemplateError(LPCTSTR lpszLine)
{
    CString text;
    text.LoadString(IDS_QVG_TEMPLATE_SYNTAX);
    text += lpszLine;
    AfxMessageBox(text, MB_ICONEXCLAMATION);
}

void QVGraph::AddComponent(QVGraphComponent* pComponent)
{
    pComponent->SetChart(this);
    m_components.AddTail(pComponent);
}

namespace {
// A display whose graph type and axis style come with their bytes in place in the line-style word.
QVGraphDisplay* NewStandardDisplay(int nGraphType, int nAxisStyle)
{
    QVGraphDisplay* pDisplay = new QVGraphDisplay;
    QVGraphStyle* pStyle = pDisplay->GetStyle();
    pStyle->m_nLineStyle = int((unsigned(pStyle->m_nLineStyle) & 0x0000FFFFu) | (unsigned(nGraphType) & 0x00FF0000u) |
                               (unsigned(nAxisStyle) & 0xFF000000u));
    pStyle->m_bModified = 1;
    return pDisplay;
}
}  // namespace

QVGraphComponent* QVGraph::BuildStandardChart(int nTypeId, int nMeasurement, const RECT& rect, int nBorder,
                                              int nShadow, int nFill, int nGraphType, int nAxisStyle)
{
    QVGraphComponent* pComponent = NULL;
    switch (nTypeId) {
    case IDS_QVG_BACKGROUND:
        pComponent = new QVGraphBackground;
        break;
    case IDS_QVG_DISPLAY:
        pComponent = NewStandardDisplay(nGraphType, nAxisStyle);
        break;
    case IDS_QVG_COMPOUND_DISPLAY: {
        // A display on the left axis, values up the left, indexes along the bottom, each scale with
        // its tick marks and grid lines.
        QVGCompoundDisplay* pCompound = new QVGCompoundDisplay;
        pCompound->SetLeftDisplay(NewStandardDisplay(nGraphType, nAxisStyle));
        QVGDecimalScale* pValues = new QVGDecimalScale;
        pValues->SetStep(0.0);
        pCompound->SetLeftScale(pValues);
        pCompound->SetLeftTickMarks(new QVGTickMarks);
        pCompound->SetLeftGridLines(new QVGGridLines);
        // The index labels stand level under the axis, as the classic frame puts them.
        QVGIndexScale* pIndexes = new QVGIndexScale;
        pIndexes->GetStyle()->SetOption(QVGDecimalScale::optionFixedAngle, TRUE);
        pIndexes->GetStyle()->m_dTextAngle = 0.0;
        pIndexes->SetJustification(2);
        pCompound->SetBottomScale(pIndexes);
        pCompound->SetBottomTickMarks(new QVGTickMarks);
        pCompound->SetBottomGridLines(new QVGGridLines);
        pComponent = pCompound;
        break;
    }
    case IDS_QVG_TITLE:
        pComponent = new QVGraphTitle;
        break;
    case IDS_QVG_LEGEND:
        pComponent = new QVGraphLegend;
        break;
    case IDS_QVG_LABEL:
        pComponent = new QVGraphLabel;
        break;
    case IDS_QVG_LABEL_BLOCK:
        pComponent = new QVGraphLabelBlock;
        break;
    case IDS_QVG_TEXT_PANEL:
        pComponent = new QVGTextPanel;
        break;
    default:
        return NULL;
    }
    pComponent->SetMeasurement(nMeasurement);
    pComponent->SetIntRect(rect);
    QVGraphStyle* pStyle = pComponent->GetStyle();
    pStyle->m_nComponentStyle = (pStyle->m_nComponentStyle & ~0xFFF) | (nBorder & 0xF) | (nShadow & 0xF0) | (nFill & 0xF00);
    AddComponent(pComponent);
    return pComponent;
}

void QVGraph::SetDefaultStyle(const QVGraphStyle& style)
{
    if (m_pDataManager != NULL)
        m_pDataManager->SetDefaultStyle(style);
}

QVGraphStyle* QVGraph::GetDefaultStyle()
{
    return m_pDataManager != NULL ? m_pDataManager->GetDefaultStyle() : NULL;
}

void QVGraph::SetPaletteSize(int nSize)
{
    m_nPaletteSize = nSize;
}

int QVGraph::GetPaletteSize()
{
    return m_nPaletteSize;
}

void QVGraph::RemoveTaggedComponents(LPCTSTR lpszTag)
{
    // One walk: each draw pass removes the data labels of the last one this way.
    for (POSITION pos = m_components.GetHeadPosition(); pos != NULL;) {
        const POSITION at = pos;
        QVGraphComponent* pComponent = static_cast<QVGraphComponent*>(m_components.GetNext(pos));
        if (pComponent->GetTag() != lpszTag)
            continue;
        if (at == m_posCurrent)
            m_posCurrent = NULL;
        m_components.RemoveAt(at);
        delete pComponent;
    }
}

QVGraphComponent* QVGraph::FindComponentByTag(LPCTSTR lpszTag)
{
    for (POSITION pos = m_components.GetHeadPosition(); pos != NULL;) {
        QVGraphComponent* pComponent = static_cast<QVGraphComponent*>(m_components.GetNext(pos));
        if (pComponent->GetTag() == lpszTag)
            return pComponent;
    }
    return NULL;
}

void QVGraph::SerializeComponents(CArchive& ar)
{
    if (!ar.IsStoring())
        DeleteComponents();
    SerializeOwnedChartList(ar, m_components, RUNTIME_CLASS(QVGraphComponent));
    if (ar.IsStoring())
        return;
    for (POSITION pos = m_components.GetHeadPosition(); pos != NULL;)
        static_cast<QVGraphComponent*>(m_components.GetNext(pos))->SetChart(this);
    m_bChanged = 1;
}

void QVGraph::AddFeedbackRect(int nIndex, int nGroup, const RECT& rect)
{
    AddFeedback(nIndex, nGroup, rect, 5);
}

void QVGraph::AddFeedback(int nIndex, int nGroup, const RECT& rect, int nKind)
{
    if (nKind == 5) {
        AddFeedbackRegion(rect, nIndex, nGroup);
        return;
    }
    if (!m_bFeedbackEnabled)
        return;
    const int radius = rect.right > 0 ? int(rect.right) : int(feedbackRadius);
    m_feedback.AddTail(new QVGraphFeedback(CPoint(rect.left, rect.top), radius, nIndex, nGroup, this));
}

void QVGraph::AddFeedbackPoint(int x, int y, int nGroup, int nIndex)
{
    if (m_bFeedbackEnabled)
        m_feedback.AddTail(new QVGraphFeedback(CPoint(x, y), feedbackRadius, nIndex, nGroup, this));
}

void QVGraph::AddFeedbackRegion(const RECT& rect, int nIndex, int nGroup)
{
    if (!m_bFeedbackEnabled)
        return;
    CRect area(rect);
    area.NormalizeRect();
    m_feedback.AddTail(new QVGraphFeedback(area, nIndex, nGroup, this));
}

void QVGraph::AddFeedbackPolygon(const POINT* pPoints, int nCount, int nIndex, int nGroup)
{
    if (m_bFeedbackEnabled)
        m_feedback.AddTail(new QVGraphFeedback(pPoints, nCount, nIndex, nGroup, this));
}

QVGraphFeedback* QVGraph::FindFeedback(int x, int y)
{
    for (POSITION pos = m_feedback.GetTailPosition(); pos != NULL;) {
        QVGraphFeedback* pFeedback = static_cast<QVGraphFeedback*>(m_feedback.GetPrev(pos));
        if (pFeedback->HitTest(x, y))
            return pFeedback;
    }
    return NULL;
}

void QVGraph::RemoveAllData()
{
    if (m_pDataManager != NULL)
        m_pDataManager->RemoveAll();
}

void QVGraph::ResetDataCursor()
{
    if (m_pDataManager != NULL)
        m_pDataManager->ResetCursor();
}

POSITION QVGraph::GetCurrentPosition()
{
    return m_posCurrent;
}

QVGraphComponent* QVGraph::GetCurrentComponent()
{
    return m_posCurrent != NULL ? static_cast<QVGraphComponent*>(m_components.GetAt(m_posCurrent)) : NULL;
}

QVGraphDataList* QVGraph::CreateGroup()
{
    return m_pDataManager != NULL ? m_pDataManager->CreateGroup() : NULL;
}

QVGraphData* QVGraph::FindItem(int nIndex, int nGroup)
{
    return m_pDataManager != NULL ? m_pDataManager->FindItem(nIndex, nGroup) : NULL;
}

QVGraphData* QVGraph::GetItem(int nIndex, int nGroup)
{
    return m_pDataManager != NULL ? m_pDataManager->GetItem(nIndex, nGroup) : NULL;
}

void QVGraph::SetDataManager(QVGDataManager* pManager, BOOL bOwns)
{
    if (m_bOwnsDataManager && pManager != m_pDataManager)
        delete m_pDataManager;
    m_pDataManager = pManager;
    m_bOwnsDataManager = bOwns ? 1 : 0;
    Refresh();
}

void QVGraph::PushValue(int nGroup, double value, BOOL bAtStart)
{
    if (m_pDataManager != NULL)
        m_pDataManager->PushValue(nGroup, value, bAtStart);
}

void QVGraph::Refresh()
{
    if (m_bChanged)
        return;
    m_bChanged = 1;
    for (POSITION pos = m_components.GetHeadPosition(); pos != NULL;)
        static_cast<QVGraphComponent*>(m_components.GetNext(pos))->SetChanged(TRUE);
}

void QVGraph::ApplyStyle(int nFirstGroup, int nLastGroup, int nFirstIndex, int nLastIndex, const QVGraphStyle& style,
                         BOOL bGroupsToo)
{
    if (m_pDataManager != NULL)
        m_pDataManager->ApplyStyle(nFirstGroup, nLastGroup, nFirstIndex, nLastIndex, style, bGroupsToo);
    Refresh();
}

void QVGraph::SetComponentMinIndex(int n, int nValue, int nTypeId)
{
    if (QVGraphComponent* pComponent = FindComponent(n, nTypeId)) {
        pComponent->m_nMinIndex = nValue;
        pComponent->SetChanged(TRUE);
    }
}

void QVGraph::SetComponentMaxIndex(int n, int nValue, int nTypeId)
{
    if (QVGraphComponent* pComponent = FindComponent(n, nTypeId)) {
        pComponent->m_nMaxIndex = nValue;
        pComponent->SetChanged(TRUE);
    }
}

void QVGraph::SetComponentMinGroup(int n, int nValue, int nTypeId)
{
    if (QVGraphComponent* pComponent = FindComponent(n, nTypeId)) {
        pComponent->m_nMinGroup = nValue;
        pComponent->SetChanged(TRUE);
    }
}

void QVGraph::SetComponentMaxGroup(int n, int nValue, int nTypeId)
{
    if (QVGraphComponent* pComponent = FindComponent(n, nTypeId)) {
        pComponent->m_nMaxGroup = nValue;
        pComponent->SetChanged(TRUE);
    }
}

double QVGraph::GetIndexAverage(int nFirstIndex, int nLastIndex, int nGroup)
{
    return m_pDataManager != NULL ? m_pDataManager->GetIndexAverage(nFirstIndex, nLastIndex, nGroup) : 0.0;
}

double QVGraph::GetGroupAverage(int nGroup)
{
    return m_pDataManager != NULL ? m_pDataManager->GetGroupAverage(nGroup) : 0.0;
}

double QVGraph::GetIndexSum(int nIndex, int nFirstGroup, int nLastGroup)
{
    return m_pDataManager != NULL ? m_pDataManager->GetIndexSum(nIndex, nFirstGroup, nLastGroup) : 0.0;
}

void QVGraph::DeleteAllComponents()
{
    DeleteComponents();
}

void QVGraph::SetManagerText(LPCTSTR lpszText, int nIndex)
{
    if (m_pDataManager != NULL)
        m_pDataManager->SetManagerText(lpszText, nIndex);
}

void QVGraph::InvalidateComponents(CWnd* pView, int nMode, int nValue)
{
    m_nInvalidateMode = nMode;
    m_nInvalidateValue = nValue;
    m_bInvalidatePending = 1;
    for (POSITION pos = m_components.GetHeadPosition(); pos != NULL;)
        static_cast<QVGraphComponent*>(m_components.GetNext(pos))->InvalidateOnView(pView);
}

void QVGraph::Clear()
{
    RemoveAllData();
    DeleteAllComponents();
    DeleteFeedback();
    ResetDataCursor();
    m_bNoData = 1;
}

double QVGraph::GetGroupSum(int nGroup)
{
    return m_pDataManager != NULL ? m_pDataManager->GetGroupSum(nGroup) : 0.0;
}

double QVGraph::GetRangeSum(int nFirstGroup, int nFirstIndex, int nLastGroup, int nLastIndex)
{
    return m_pDataManager != NULL ? m_pDataManager->GetRangeSum(nFirstGroup, nFirstIndex, nLastGroup, nLastIndex)
                                  : 0.0;
}

int QVGraph::GetGroupSize(int nGroup)
{
    return m_pDataManager != NULL ? m_pDataManager->GetGroupSize(nGroup) : 0;
}

BOOL QVGraph::OnUnknownTemplateCommand(LPCTSTR)
{
    return FALSE;
}

CString QVGraph::GetGroupText(int nGroup, int nAnnotation)
{
    return m_pDataManager != NULL ? m_pDataManager->GetGroupText(nGroup, nAnnotation) : CString();
}

CString QVGraph::GetItemText(int nGroup, int nIndex, int nAnnotation)
{
    return m_pDataManager != NULL ? m_pDataManager->GetItemText(nGroup, nIndex, nAnnotation) : CString();
}

CString QVGraph::GetManagerText(int nIndex)
{
    return m_pDataManager != NULL ? m_pDataManager->GetManagerText(nIndex) : CString();
}

int QVGraph::GetGroupCount()
{
    return m_pDataManager != NULL ? m_pDataManager->GetGroupCount() : 0;
}

int QVGraph::GetMaxGroupSize()
{
    return m_pDataManager != NULL ? m_pDataManager->GetMaxGroupSize() : 0;
}

void QVGraph::GetValueRange(CScale& range, BOOL bUseItemRanges)
{
    if (m_pDataManager != NULL)
        m_pDataManager->GetValueRange(range, bUseItemRanges);
    else
        range.Reset();
}

QVGraphDataList* QVGraph::GetGroup(int nGroup, BOOL bCreate)
{
    return m_pDataManager != NULL ? m_pDataManager->GetGroup(nGroup, bCreate) : NULL;
}

double QVGraph::GetTotal()
{
    return m_pDataManager != NULL ? m_pDataManager->GetTotal() : 0.0;
}

BOOL QVGraph::GetDoubleBuffering()
{
    return m_bDoubleBuffering;
}

void QVGraph::SetDoubleBuffering(BOOL bOn)
{
    m_bDoubleBuffering = bOn ? 1 : 0;
}

BOOL QVGraph::GetFeedbackEnabled()
{
    return m_bFeedbackEnabled;
}

void QVGraph::SetFeedbackEnabled(BOOL bOn)
{
    m_bFeedbackEnabled = bOn ? 1 : 0;
}

QVGraphAnnotationList* QVGraph::GetManagerAnnotations()
{
    return m_pDataManager != NULL ? m_pDataManager->GetManagerAnnotations() : NULL;
}

CObList* QVGraph::GetFeedbackList()
{
    return &m_feedback;
}

CObList* QVGraph::GetComponentList()
{
    return &m_components;
}

QVGraphStyle* QVGraph::GetChartStyle()
{
    return &m_chartStyle;
}

double QVGraph::GetItemValue(int nIndex, int nGroup)
{
    return m_pDataManager != NULL ? m_pDataManager->GetItemValue(nIndex, nGroup) : 0.0;
}

QVGraphComponent* QVGraph::FindComponent(int n, int nTypeId)
{
    int counter = 0;
    for (POSITION pos = m_components.GetHeadPosition(); pos != NULL;) {
        QVGraphComponent* pComponent = static_cast<QVGraphComponent*>(m_components.GetNext(pos));
        if (nTypeId == -1 || pComponent->GetTypeId() == nTypeId) {
            if (counter == n)
                return pComponent;
            ++counter;
        }
        if (nTypeId != -1) {
            if (QVGCompoundComponent* pCompound = AsCompound(pComponent)) {
                if (QVGraphComponent* pFound = pCompound->FindComponent(n, nTypeId, counter))
                    return pFound;
            }
        }
    }
    return NULL;
}

POSITION QVGraph::GetFirstComponentPosition(int nTypeId)
{
    for (POSITION pos = m_components.GetHeadPosition(); pos != NULL;) {
        const POSITION at = pos;
        if (nTypeId == -1 || static_cast<QVGraphComponent*>(m_components.GetNext(pos))->GetTypeId() == nTypeId)
            return at;
    }
    return NULL;
}

QVGraphComponent* QVGraph::GetNextComponent(POSITION& pos, int nTypeId)
{
    QVGraphComponent* pComponent = static_cast<QVGraphComponent*>(m_components.GetNext(pos));
    while (pos != NULL && nTypeId != -1 &&
           static_cast<QVGraphComponent*>(m_components.GetAt(pos))->GetTypeId() != nTypeId)
        m_components.GetNext(pos);
    return pComponent;
}

CObList* QVGraph::GetGroupList()
{
    return m_pDataManager != NULL ? m_pDataManager->GetGroupList() : NULL;
}

POSITION QVGraph::GetFirstGroupPosition()
{
    return m_pDataManager != NULL ? m_pDataManager->GetFirstGroupPosition() : NULL;
}

QVGraphDataList* QVGraph::GetNextGroup(POSITION& pos)
{
    return m_pDataManager != NULL ? m_pDataManager->GetNextGroup(pos) : NULL;
}

void QVGraph::SetLabelAnnotation(int nIndex)
{
    m_nLabelAnnotation = nIndex;
    Refresh();
}

int QVGraph::GetLabelAnnotation()
{
    return m_nLabelAnnotation;
}

void QVGraph::SetBanding(BOOL bBanding)
{
    m_bBanding = bBanding ? 1 : 0;
}

BOOL QVGraph::GetBanding()
{
    return m_bBanding;
}

void QVGraph::SetPaletteDevice(BOOL bPalette)
{
    m_bPaletteDevice = bPalette ? 1 : 0;
}

BOOL QVGraph::GetPaletteDevice()
{
    return m_bPaletteDevice;
}

void QVGraph::SetImageCached(BOOL bCached)
{
    m_bImageCached = bCached ? 1 : 0;
}

BOOL QVGraph::GetImageCached()
{
    return m_bImageCached;
}

CPalette* QVGraph::GetPalette()
{
    return m_pPalette;
}

void QVGraph::SetFixedRect(const RECT& rect, int nPlacement)
{
    m_rectFixed = rect;
    m_nPlacement = nPlacement;
    m_bFixedRect = 1;
}

void QVGraph::SetValue(int nIndex, int nGroup, double value, BOOL bCopyDefaultStyle)
{
    if (m_pDataManager == NULL)
        return;
    m_pDataManager->SetValue(nIndex, nGroup, value, bCopyDefaultStyle);
    m_bNoData = 0;
}

void QVGraph::SetItemText(int nIndex, int nGroup, LPCTSTR lpszText)
{
    if (m_pDataManager == NULL)
        return;
    m_pDataManager->SetItemText(nIndex, nGroup, lpszText);
    Refresh();
}

void QVGraph::SetGroupText(int nGroup, LPCTSTR lpszText, BOOL bClearFirst)
{
    if (m_pDataManager == NULL)
        return;
    m_pDataManager->SetGroupText(nGroup, lpszText, bClearFirst);
    Refresh();
}

void QVGraph::Serialize(CArchive& ar)
{
    SerializeComponents(ar);
    m_chartStyle.Serialize(ar);
    if (m_pDataManager == NULL) {
        m_pDataManager = new QVGDataManager;
        m_bOwnsDataManager = 1;
    }
    // The chart's own flags and the current group sit between the manager's annotations and its groups.
    m_pDataManager->GetManagerAnnotations()->Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_bDoubleBuffering << m_bNoData << m_pDataManager->GetCurrentGroup();
        m_pDataManager->SerializeGroups(ar);
        ar << m_nLabelAnnotation;
        return;
    }
    int currentGroup = 0;
    ar >> m_bDoubleBuffering >> m_bNoData >> currentGroup;
    m_pDataManager->SetCurrentGroup(currentGroup);
    m_pDataManager->SerializeGroups(ar);
    ar >> m_nLabelAnnotation;
    m_bChanged = 1;
}

BOOL QVGraph::IsDynamic()
{
    return FALSE;
}
