// CColorDialog: the system's colour chooser.
#pragma once

#include "framework/dialogs/CommonDialog.h"

class CColorDialog : public CCommonDialog
{
    DECLARE_DYNAMIC(CColorDialog)
public:
    explicit CColorDialog(COLORREF clrInit = 0, DWORD dwFlags = 0, CWnd* pParentWnd = nullptr);

    INT_PTR DoModal() override;

    COLORREF GetColor() const { return m_cc.rgbResult; }
    void SetCurrentColor(COLORREF clr);

    // The sixteen custom colours, kept for the program's run and shared by all colour dialogs.
    static COLORREF* PASCAL GetSavedCustomColors();

    CHOOSECOLORA m_cc;
};
