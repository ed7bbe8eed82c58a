// CFontDialog: the system's font chooser.
#pragma once

#include "framework/core/CString.h"
#include "framework/dialogs/CommonDialog.h"

class CDC;

class CFontDialog : public CCommonDialog
{
    DECLARE_DYNAMIC(CFontDialog)
public:
    // lplfInitial, when given, is the font the dialog starts on. pdcPrinter adds its fonts.
    explicit CFontDialog(LPLOGFONTA lplfInitial = nullptr, DWORD dwFlags = CF_EFFECTS | CF_SCREENFONTS,
                         CDC* pdcPrinter = nullptr, CWnd* pParentWnd = nullptr);

    INT_PTR DoModal() override;

    // The chosen font (or, while the dialog is up, the one it shows).
    void GetCurrentFont(LPLOGFONTA lplf);
    CString GetFaceName() const { return CString(m_cf.lpLogFont->lfFaceName); }
    CString GetStyleName() const { return CString(m_cf.lpszStyle != nullptr ? m_cf.lpszStyle : ""); }
    int GetSize() const { return m_cf.iPointSize; }   // tenths of a point
    COLORREF GetColor() const { return m_cf.rgbColors; }
    int GetWeight() const { return (int)m_cf.lpLogFont->lfWeight; }
    BOOL IsStrikeOut() const { return m_cf.lpLogFont->lfStrikeOut != 0; }
    BOOL IsUnderline() const { return m_cf.lpLogFont->lfUnderline != 0; }
    BOOL IsBold() const { return m_cf.lpLogFont->lfWeight >= FW_SEMIBOLD; }
    BOOL IsItalic() const { return m_cf.lpLogFont->lfItalic != 0; }

    // m_cf.lpLogFont points at m_lf.
    CHOOSEFONTA m_cf;
    LOGFONTA m_lf;

protected:
    TCHAR m_szStyleName[64];
};
