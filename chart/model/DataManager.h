// The values of a chart: groups of items addressed by (index, group), with texts, styles and statistics.
#pragma once

#include "chart/model/GraphDataList.h"

class QVGDataManager : public CObject
{
    DECLARE_SERIAL(QVGDataManager)
public:
    QVGDataManager();
    ~QVGDataManager() override;

    void Serialize(CArchive& ar) override;

    virtual QVGraphDataList* CreateGroup();
    virtual void RemoveAll();
    // Creates the group and item (and every one before them) when missing.
    virtual void SetValue(int nIndex, int nGroup, double value, BOOL bCopyDefaultStyle = FALSE);
    virtual void SetItemText(int nIndex, int nGroup, LPCTSTR lpszText);
    virtual void SetGroupText(int nGroup, LPCTSTR lpszText, BOOL bClearFirst = FALSE);
    // Error 2 for a negative, missing (unless bCreate) or hidden group.
    virtual QVGraphDataList* GetGroup(int nGroup, BOOL bCreate);
    virtual void GetValueRange(CScale& range, BOOL bUseItemRanges);
    virtual int GetMaxGroupSize();
    virtual int GetGroupCount();
    virtual double GetRangeSum(int nFirstGroup, int nFirstIndex, int nLastGroup, int nLastIndex);
    virtual int GetGroupSize(int nGroup, BOOL bCreate = FALSE);
    virtual void SetManagerText(LPCTSTR lpszText, int nIndex);
    virtual double GetIndexAverage(int nFirstIndex, int nLastIndex, int nGroup);
    virtual double GetGroupAverage(int nGroup);
    virtual double GetIndexSum(int nIndex, int nFirstGroup, int nLastGroup);
    virtual double GetTotal();
    virtual double GetItemValue(int nIndex, int nGroup);
    virtual CObList* GetGroupList();
    virtual POSITION GetFirstGroupPosition();
    virtual QVGraphDataList* GetNextGroup(POSITION& pos);
    virtual QVGraphAnnotationList* GetManagerAnnotations();
    // -1 as a first bound means 0, as a last bound the last one.
    virtual void ApplyStyle(int nFirstGroup, int nLastGroup, int nFirstIndex, int nLastIndex,
                            const QVGraphStyle& style, BOOL bGroupsToo);
    virtual void PushValue(int nGroup, double value, BOOL bAtStart);
    // Raises errors 2 and 3 for what is missing.
    virtual QVGraphData* GetItem(int nIndex, int nGroup);
    // The dummy (null, value 0, deaf to sets) for a missing group or item.
    virtual QVGraphData* FindItem(int nIndex, int nGroup);
    virtual void ResetCursor();

    // -1: the current group.
    double GetGroupSum(int nGroup);
    void SetDefaultStyle(const QVGraphStyle& style);
    QVGraphStyle* GetDefaultStyle() { return &m_defaultStyle; }
    const CString& GetManagerText(int nIndex);
    const CString& GetItemText(int nGroup, int nIndex, int nAnnotation);
    const CString& GetGroupText(int nGroup, int nAnnotation);

    int GetCurrentGroup() const { return m_nCurrentGroup; }
    void SetCurrentGroup(int nGroup) { m_nCurrentGroup = nGroup; }
    // The group count, then the groups; loading replaces the groups. The manager's archive and the
    // chart's both carry this part.
    void SerializeGroups(CArchive& ar);

protected:
    POSITION FindGroupPosition(int nGroup);

    CObList m_groups;
    QVGraphAnnotationList m_annotations;    // annotation 1: the corner text of data read as a table
    QVGraphStyle m_defaultStyle;
    POSITION m_posCursor;
    int m_nCursorIndex;
    QVGraphDummyData m_dummy;
    int m_nCurrentGroup;
    CString m_strEmpty;
};
