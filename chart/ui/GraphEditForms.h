// The small dialogs of the chart edit dialog: the kind of component to add, an annotation's text and
// code, the chart's two drawing flags, and one data value.
#pragma once

#include "framework/core/CString.h"
#include "framework/win/Dialog.h"

// "Choose Component": the kind chosen from Background, Data display, Legend, Title, Label.
class QVGComponentChoice : public CDialog
{
    DECLARE_DYNAMIC(QVGComponentChoice)
public:
    explicit QVGComponentChoice(CWnd* pParent = nullptr);

    int m_nChoice = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};

// "Annotation Editor": the text and its code, 1 to 99 (a code outside is refused and the editor stays).
class QVGraphAnnotationEdit : public CDialog
{
    DECLARE_DYNAMIC(QVGraphAnnotationEdit)
public:
    explicit QVGraphAnnotationEdit(CWnd* pParent = nullptr);

    CString m_strText;
    int m_nCode = 1;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};

// "Editing Graph": the chart's draw-in-background and feedback-logging flags.
class QVGraphItemEdit : public CDialog
{
    DECLARE_DYNAMIC(QVGraphItemEdit)
public:
    explicit QVGraphItemEdit(CWnd* pParent = nullptr);

    int m_bDrawInBackground = 0;
    int m_bFeedbackLogging = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};

// "Editing Data Value": one value.
class QVGraphValueEdit : public CDialog
{
    DECLARE_DYNAMIC(QVGraphValueEdit)
public:
    explicit QVGraphValueEdit(CWnd* pParent = nullptr);

    double m_dValue = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
