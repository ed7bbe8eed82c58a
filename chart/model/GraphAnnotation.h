// Numbered texts of data items, groups, the data manager and labels.
#pragma once

#include "framework/core/CString.h"
#include "framework/core/Lists.h"

class CStdioFile;

class QVGraphAnnotation : public CObject
{
    DECLARE_SERIAL(QVGraphAnnotation)
public:
    QVGraphAnnotation();
    QVGraphAnnotation(int nIndex, LPCTSTR lpszText);

    void Serialize(CArchive& ar) override;

    int m_nIndex;
    CString m_strText;
};

class QVGraphAnnotationList : public CObject
{
    DECLARE_SERIAL(QVGraphAnnotationList)
public:
    QVGraphAnnotationList();
    ~QVGraphAnnotationList() override;

    // Replaces the text of the first annotation with that index, or appends one.
    void SetAnnotation(int nIndex, LPCTSTR lpszText);
    // The annotation's text; an empty text when there is none.
    const CString& GetText(int nIndex) const;
    // One "annotation %d %s\n" line per annotation, in list order.
    void WriteTemplate(CStdioFile* pFile) const;
    void CleanUp();
    void CopyFrom(const QVGraphAnnotationList& other);

    INT_PTR GetCount() const { return m_list.GetCount(); }
    POSITION GetHeadPosition() const { return m_list.GetHeadPosition(); }
    QVGraphAnnotation* GetNext(POSITION& pos) const { return static_cast<QVGraphAnnotation*>(m_list.GetNext(pos)); }

    void Serialize(CArchive& ar) override;

private:
    CObList m_list;
    CString m_strEmpty;
};
