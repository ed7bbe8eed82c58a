// A group (series) of data items, addressed by index. A dynamic group holds one buffered item at its
// head, and its indexes address that item's buffer.
#pragma once

#include "chart/model/GraphData.h"
#include "framework/core/Lists.h"

class QVGraphDataList : public CObject
{
    DECLARE_SERIAL(QVGraphDataList)
public:
    QVGraphDataList();
    ~QVGraphDataList() override;

    void Serialize(CArchive& ar) override;

    virtual int GetCount();
    virtual QVGraphData* CreateItem();
    // nAt: -2 first, -1 last, an existing index replaces that item, beyond the end pads with new items.
    virtual void InsertItem(QVGraphData* pItem, int nAt);
    virtual void PushValue(double value, BOOL bAtStart);
    virtual QVGraphAnnotationList* GetAnnotations();
    virtual QVGraphStyle* GetStyle();
    // A dynamic group gets one QVGraphDynamicData (without buffer yet) in place of its items.
    virtual void SetDynamic(BOOL bDynamic);
    virtual const CString& GetAnnotationText(int nIndex);
    // Error 3 for a missing item unless bCreate; a dynamic group positions its buffer (error 6 when empty).
    virtual QVGraphData* GetItem(int nIndex, BOOL bCreate);
    virtual void ResetCursor();
    virtual BOOL IsDynamic();

    void SetAnnotation(int nIndex, LPCTSTR lpszText);
    void SetAnnotationText(LPCTSTR lpszText, BOOL bClearFirst, int nIndex);

    CObList& GetItemList() { return m_items; }
    void RemoveAll();

protected:
    POSITION FindPosition(int nIndex);

    CObList m_items;
    QVGraphStyle m_style;
    QVGraphAnnotationList m_annotations;
    int m_nCursorIndex;         // -1: no cursor
    POSITION m_posCursor;
    int m_bDynamic;
};
