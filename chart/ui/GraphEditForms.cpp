#include "chart/ui/GraphEditForms.h"

#include "chart/ui/ChartEditIds.h"
#include "framework/win/DataExchange.h"

IMPLEMENT_DYNAMIC(QVGComponentChoice, CDialog)

QVGComponentChoice::QVGComponentChoice(CWnd* pParent) : CDialog(IDD_QVG_COMPONENT_CHOICE, pParent)
{
}

void QVGComponentChoice::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_CBIndex(pDX, IDC_QVG_COMPONENT_LIST, m_nChoice);
}

IMPLEMENT_DYNAMIC(QVGraphAnnotationEdit, CDialog)

QVGraphAnnotationEdit::QVGraphAnnotationEdit(CWnd* pParent) : CDialog(IDD_QVG_ANNOTATION_EDIT, pParent)
{
}

void QVGraphAnnotationEdit::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_QVG_ANNOTATION_TEXT, m_strText);
    DDX_Text(pDX, IDC_QVG_ANNOTATION_CODE, m_nCode);
    DDV_MinMaxInt(pDX, m_nCode, 1, 99);
}

IMPLEMENT_DYNAMIC(QVGraphItemEdit, CDialog)

QVGraphItemEdit::QVGraphItemEdit(CWnd* pParent) : CDialog(IDD_QVG_ITEM_EDIT, pParent)
{
}

void QVGraphItemEdit::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_QVG_DRAW_IN_BACKGROUND, m_bDrawInBackground);
    DDX_Check(pDX, IDC_QVG_FEEDBACK_LOGGING, m_bFeedbackLogging);
}

IMPLEMENT_DYNAMIC(QVGraphValueEdit, CDialog)

QVGraphValueEdit::QVGraphValueEdit(CWnd* pParent) : CDialog(IDD_QVG_VALUE_EDIT, pParent)
{
}

void QVGraphValueEdit::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_QVG_DATA_VALUE, m_dValue);
}
