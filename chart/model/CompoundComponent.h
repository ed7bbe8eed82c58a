// A component that holds and draws other components, optionally in two passes (layout, then drawing).
#pragma once

#include "chart/model/GraphComponent.h"

class QVGCompoundComponent : public QVGraphComponent
{
    DECLARE_SERIAL(QVGCompoundComponent)
public:
    QVGCompoundComponent();
    ~QVGCompoundComponent() override;

    void Serialize(CArchive& ar) override;
    void SetChart(QVGraph* pChart) override;
    void Draw(CDC* pDC, CWnd* pView) override;
    void DrawContent() override;

    virtual void MarkChildrenChanged();
    virtual void SetAfterPass(BOOL bAfter);
    virtual BOOL GetAfterPass();
    // The n-th child (counting on from nCounter) of the type id, searching compound children too.
    virtual QVGraphComponent* FindComponent(int n, int nTypeId, int& nCounter);
    virtual CObList* GetComponentList();
    virtual void AddSubComponent(QVGraphComponent* pComponent);
    virtual void SetHookCondition(int nValue);
    virtual int GetHookCondition();
    virtual void SetHookSuppress(int nValue);
    virtual int GetHookSuppress();
    virtual void SetFrameHook(int nValue);
    virtual int GetFrameHook();
    virtual void SetDerivedValue(int nValue);
    virtual int GetDerivedValue();
    // For the compound display: whether the frame (interior, shadow, border) is drawn.
    virtual BOOL IsFrameDrawn();
    virtual int GetFrameHookValue();
    virtual void SetTwoPass(BOOL bTwoPass);
    virtual BOOL GetTwoPass();
    virtual void DrawAfterPass();
    virtual void OnBeforeFirstPass();
    virtual void OnAfterFirstPass();
    virtual void OnBeforeSecondPass();
    virtual void OnAfterSecondPass();
    virtual void OnPreDraw();
    virtual void OnEmptyCondition();

    const CRect& GetInnerDeviceRect() const { return m_rectInner; }

protected:
    void DrawChildren(int nPass);

    CObList m_children;
    int m_bAfterPass;
    int m_bTwoPass;
    int m_nHookCondition;       // with m_nHookSuppress 0 and the pass flag set: the empty-condition hook runs
    int m_nHookSuppress;
    int m_nFrameHook;           // set: the pre-draw hook runs before the frame
    int m_nDerivedValue;
    CRect m_rectInner;
};

// The component as a compound one, NULL when it is not.
QVGCompoundComponent* AsCompound(QVGraphComponent* pComponent);
