#include "chart/model/GraphAnnotation.h"

#include "chart/model/ChartArchive.h"
#include "framework/core/Archive.h"
#include "framework/core/File.h"
#include "framework/core/NumberText.h"

IMPLEMENT_SERIAL(QVGraphAnnotation, CObject, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(QVGraphAnnotationList, CObject, VERSIONABLE_SCHEMA | 1)

QVGraphAnnotation::QVGraphAnnotation() : m_nIndex(1) {}

QVGraphAnnotation::QVGraphAnnotation(int nIndex, LPCTSTR lpszText) : m_nIndex(nIndex), m_strText(lpszText) {}

void QVGraphAnnotation::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        ar << m_nIndex << m_strText;
    else
        ar >> m_nIndex >> m_strText;
}

QVGraphAnnotationList::QVGraphAnnotationList() : m_list(10) {}

QVGraphAnnotationList::~QVGraphAnnotationList()
{
    CleanUp();
}

void QVGraphAnnotationList::SetAnnotation(int nIndex, LPCTSTR lpszText)
{
    for (POSITION pos = m_list.GetHeadPosition(); pos != NULL;) {
        QVGraphAnnotation* pAnnotation = GetNext(pos);
        if (pAnnotation->m_nIndex == nIndex) {
            pAnnotation->m_strText = lpszText;
            return;
        }
    }
    m_list.AddTail(new QVGraphAnnotation(nIndex, lpszText));
}

const CString& QVGraphAnnotationList::GetText(int nIndex) const
{
    for (POSITION pos = m_list.GetHeadPosition(); pos != NULL;) {
        const QVGraphAnnotation* pAnnotation = GetNext(pos);
        if (pAnnotation->m_nIndex == nIndex)
            return pAnnotation->m_strText;
    }
    return m_strEmpty;
}

void QVGraphAnnotationList::WriteTemplate(CStdioFile* pFile) const
{
    for (POSITION pos = m_list.GetHeadPosition(); pos != NULL;) {
        const QVGraphAnnotation* pAnnotation = GetNext(pos);
        // A template line ends at a line break: a text of several lines is written as one, its breaks
        // as blanks, so that the lines after it are still read.
        std::string text = static_cast<LPCTSTR>(pAnnotation->m_strText);
        for (char& c : text)
            if (c == '\r' || c == '\n')
                c = ' ';
        const std::string line = NumberText::Format("annotation %d %s\n", pAnnotation->m_nIndex, text.c_str());
        pFile->WriteString(line.c_str());
    }
}

void QVGraphAnnotationList::CleanUp()
{
    while (!m_list.IsEmpty())
        delete m_list.RemoveHead();
}

void QVGraphAnnotationList::CopyFrom(const QVGraphAnnotationList& other)
{
    if (&other == this)
        return;
    CleanUp();
    for (POSITION pos = other.GetHeadPosition(); pos != NULL;) {
        const QVGraphAnnotation* pAnnotation = other.GetNext(pos);
        m_list.AddTail(new QVGraphAnnotation(pAnnotation->m_nIndex, pAnnotation->m_strText));
    }
}

void QVGraphAnnotationList::Serialize(CArchive& ar)
{
    if (!ar.IsStoring())
        CleanUp();
    SerializeOwnedChartList(ar, m_list, RUNTIME_CLASS(QVGraphAnnotation));
}
