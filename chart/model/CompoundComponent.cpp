#include "chart/model/CompoundComponent.h"

#include "chart/model/ChartArchive.h"
#include "chart/model/ChartResourceIds.h"
#include "chart/model/Graph.h"
#include "framework/core/Archive.h"

IMPLEMENT_SERIAL(QVGCompoundComponent, QVGraphComponent, VERSIONABLE_SCHEMA | 1)

QVGCompoundComponent* AsCompound(QVGraphComponent* pComponent)
{
    if (pComponent != NULL && pComponent->IsKindOf(RUNTIME_CLASS(QVGCompoundComponent)))
        return static_cast<QVGCompoundComponent*>(pComponent);
    return NULL;
}

QVGCompoundComponent::QVGCompoundComponent()
    : m_children(10), m_bAfterPass(0), m_bTwoPass(0), m_nHookCondition(0), m_nHookSuppress(0), m_nFrameHook(0),
      m_nDerivedValue(0), m_rectInner(0, 0, 0, 0)
{
    m_nTypeId = IDS_QVG_COMPOUND_COMPONENT;
}

QVGCompoundComponent::~QVGCompoundComponent()
{
    while (!m_children.IsEmpty())
        delete m_children.RemoveHead();
}

void QVGCompoundComponent::SetChart(QVGraph* pChart)
{
    QVGraphComponent::SetChart(pChart);
    for (POSITION pos = m_children.GetHeadPosition(); pos != NULL;)
        static_cast<QVGraphComponent*>(m_children.GetNext(pos))->SetChart(pChart);
}

void QVGCompoundComponent::Draw(CDC* pDC, CWnd* pView)
{
    SetDrawContext(pDC, pView);
    m_rect.ToDeviceRect(pDC, pView);
    if (m_bVisible && IsFrameDrawn()) {
        if (m_nFrameHook)
            OnPreDraw();
        DrawInterior();
        DrawShadow();
        DrawBorder();
    }
    // Drawn in the layout pass of a compound it belongs to, a compound lays its children out and draws
    // nothing: its own drawing pass and after pass come with its parent's. Otherwise every two-pass
    // compound would draw all below it once for each pass of each compound above it, twice as often
    // for every level of nesting.
    if (m_bTwoPass) {
        OnBeforeFirstPass();
        DrawChildren(0);
        OnAfterFirstPass();
        if (m_bVisible) {
            OnBeforeSecondPass();
            DrawChildren(1);
            OnAfterSecondPass();
        }
    } else {
        DrawChildren(m_bVisible);
    }
    if (m_bAfterPass && m_bVisible)
        DrawAfterPass();
    m_bDrawing = 0;
    m_bChanged = 0;
}

void QVGCompoundComponent::DrawChildren(int nPass)
{
    const int saved = m_bVisible;
    m_bVisible = nPass;
    m_bDrawing = 1;
    DrawContent();
    m_bVisible = saved;
}

void QVGCompoundComponent::DrawContent()
{
    const int pass = m_bVisible;
    if (!m_style.GetOption(7))
        m_rectInner = GetInnerRect(m_rect.ToDeviceRect(m_pDC, m_pView));
    const bool emptyHook = m_nHookCondition != 0 && m_nHookSuppress == 0 && pass;
    if (emptyHook)
        OnEmptyCondition();
    for (POSITION pos = m_children.GetHeadPosition(); pos != NULL;) {
        QVGraphComponent* pChild = static_cast<QVGraphComponent*>(m_children.GetNext(pos));
        // Children marked draw-after wait for DrawAfterPass in the second pass. A compound child drawn
        // after is drawn there only: drawn here as well, its drawing would double with each level of
        // compounds drawn after.
        if (pass && pChild->GetStyle()->GetOption(0) && (!m_bAfterPass || AsCompound(pChild) != NULL))
            continue;
        pChild->SetVisible(pass);
        pChild->Draw(m_pDC, m_pView);
    }
    if (emptyHook)
        OnEmptyCondition();
}

void QVGCompoundComponent::DrawAfterPass()
{
    for (POSITION pos = m_children.GetHeadPosition(); pos != NULL;) {
        QVGraphComponent* pChild = static_cast<QVGraphComponent*>(m_children.GetNext(pos));
        if (pChild->GetStyle()->GetOption(0)) {
            pChild->GetStyle()->SetOption(0, FALSE);
            pChild->SetVisible(TRUE);
            pChild->Draw(m_pDC, m_pView);
            pChild->GetStyle()->SetOption(0, TRUE);
        } else if (QVGCompoundComponent* pCompound = AsCompound(pChild)) {
            pCompound->SetDrawContext(m_pDC, m_pView);
            pCompound->DrawAfterPass();
            pCompound->EndDrawing();
        }
    }
}

void QVGCompoundComponent::MarkChildrenChanged()
{
    for (POSITION pos = m_children.GetHeadPosition(); pos != NULL;) {
        QVGraphComponent* pChild = static_cast<QVGraphComponent*>(m_children.GetNext(pos));
        pChild->SetChanged(TRUE);
        if (QVGCompoundComponent* pCompound = AsCompound(pChild))
            pCompound->MarkChildrenChanged();
    }
}

void QVGCompoundComponent::SetAfterPass(BOOL bAfter)
{
    m_bAfterPass = bAfter ? 1 : 0;
}

BOOL QVGCompoundComponent::GetAfterPass()
{
    return m_bAfterPass;
}

QVGraphComponent* QVGCompoundComponent::FindComponent(int n, int nTypeId, int& nCounter)
{
    for (POSITION pos = m_children.GetHeadPosition(); pos != NULL;) {
        QVGraphComponent* pChild = static_cast<QVGraphComponent*>(m_children.GetNext(pos));
        if (nTypeId == -1 || pChild->GetTypeId() == nTypeId) {
            if (nCounter == n)
                return pChild;
            ++nCounter;
        }
        if (QVGCompoundComponent* pCompound = AsCompound(pChild)) {
            if (QVGraphComponent* pFound = pCompound->FindComponent(n, nTypeId, nCounter))
                return pFound;
        }
    }
    return NULL;
}

CObList* QVGCompoundComponent::GetComponentList()
{
    return &m_children;
}

void QVGCompoundComponent::AddSubComponent(QVGraphComponent* pComponent)
{
    pComponent->SetChart(m_pChart);
    pComponent->SetSubComponent(TRUE);
    m_children.AddTail(pComponent);
}

void QVGCompoundComponent::SetHookCondition(int nValue)
{
    m_nHookCondition = nValue;
}

int QVGCompoundComponent::GetHookCondition()
{
    return m_nHookCondition;
}

void QVGCompoundComponent::SetHookSuppress(int nValue)
{
    m_nHookSuppress = nValue;
}

int QVGCompoundComponent::GetHookSuppress()
{
    return m_nHookSuppress;
}

void QVGCompoundComponent::SetFrameHook(int nValue)
{
    m_nFrameHook = nValue;
}

int QVGCompoundComponent::GetFrameHook()
{
    return m_nFrameHook;
}

void QVGCompoundComponent::SetDerivedValue(int nValue)
{
    m_nDerivedValue = nValue;
}

int QVGCompoundComponent::GetDerivedValue()
{
    return m_nDerivedValue;
}

BOOL QVGCompoundComponent::IsFrameDrawn()
{
    return TRUE;
}

int QVGCompoundComponent::GetFrameHookValue()
{
    return m_nFrameHook;
}

void QVGCompoundComponent::SetTwoPass(BOOL bTwoPass)
{
    m_bTwoPass = bTwoPass ? 1 : 0;
}

BOOL QVGCompoundComponent::GetTwoPass()
{
    return m_bTwoPass;
}

void QVGCompoundComponent::OnBeforeFirstPass() {}
void QVGCompoundComponent::OnAfterFirstPass() {}
void QVGCompoundComponent::OnBeforeSecondPass() {}
void QVGCompoundComponent::OnAfterSecondPass() {}
void QVGCompoundComponent::OnPreDraw() {}
void QVGCompoundComponent::OnEmptyCondition() {}

void QVGCompoundComponent::Serialize(CArchive& ar)
{
    QVGraphComponent::Serialize(ar);
    if (!ar.IsStoring()) {
        while (!m_children.IsEmpty())
            delete m_children.RemoveHead();
    }
    SerializeOwnedChartList(ar, m_children, RUNTIME_CLASS(QVGraphComponent));
    if (ar.IsStoring()) {
        ar << m_bAfterPass << m_bTwoPass << m_nHookCondition << m_nHookSuppress << m_nFrameHook << m_nDerivedValue;
        ar << int(m_rectInner.left) << int(m_rectInner.top) << int(m_rectInner.right) << int(m_rectInner.bottom);
        return;
    }
    int left = 0, top = 0, right = 0, bottom = 0;
    ar >> m_bAfterPass >> m_bTwoPass >> m_nHookCondition >> m_nHookSuppress >> m_nFrameHook >> m_nDerivedValue;
    ar >> left >> top >> right >> bottom;
    m_rectInner.SetRect(left, top, right, bottom);
    for (POSITION pos = m_children.GetHeadPosition(); pos != NULL;) {
        QVGraphComponent* pChild = static_cast<QVGraphComponent*>(m_children.GetNext(pos));
        pChild->SetSubComponent(TRUE);
        pChild->SetChart(m_pChart);
    }
}
