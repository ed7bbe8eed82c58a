// CPrintDialog and CPageSetupDialog: the system's Print, Print Setup and Page Setup dialogs.
//
// The printer names (DEVNAMES) and device mode (DEVMODE) handles in m_pd and m_psd belong to the
// caller, as do device contexts made by CreatePrinterDC or returned by the dialog (PD_RETURNDC).
#pragma once

#include "framework/core/CString.h"
#include "framework/core/Geometry.h"
#include "framework/dialogs/CommonDialog.h"

class CPrintDialog : public CCommonDialog
{
    DECLARE_DYNAMIC(CPrintDialog)
public:
    // With bPrintSetupOnly the dialog is the Print Setup form (PD_PRINTSETUP).
    explicit CPrintDialog(BOOL bPrintSetupOnly,
                          DWORD dwFlags = PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE |
                                          PD_NOSELECTION,
                          CWnd* pParentWnd = nullptr);

    INT_PTR DoModal() override;
    // The default printer's names and device mode, without a window (PD_RETURNDEFAULT). The
    // handles in m_pd are replaced, not freed. The modal hook may answer this too (it sees the flag).
    BOOL GetDefaults();

    // A device context for the chosen printer, kept in m_pd.hDC; NULL without printer settings.
    HDC CreatePrinterDC();
    HDC GetPrinterDC() const { return m_pd.hDC; }

    LPDEVMODEA GetDevMode() const;
    CString GetDriverName() const;
    CString GetDeviceName() const;
    CString GetPortName() const;
    int GetCopies() const;
    BOOL PrintCollate() const { return (m_pd.Flags & PD_COLLATE) != 0; }
    BOOL PrintSelection() const { return (m_pd.Flags & PD_SELECTION) != 0; }
    BOOL PrintAll() const { return !PrintRange() && !PrintSelection(); }
    BOOL PrintRange() const { return (m_pd.Flags & PD_PAGENUMS) != 0; }
    BOOL PrintToFile() const { return (m_pd.Flags & PD_PRINTTOFILE) != 0; }
    int GetFromPage() const { return PrintRange() ? m_pd.nFromPage : -1; }
    int GetToPage() const { return PrintRange() ? m_pd.nToPage : -1; }

    PRINTDLGA m_pd;
};

class CPageSetupDialog : public CCommonDialog
{
    DECLARE_DYNAMIC(CPageSetupDialog)
public:
    explicit CPageSetupDialog(DWORD dwFlags = PSD_MARGINS | PSD_INWININIINTLMEASURE, CWnd* pParentWnd = nullptr);

    INT_PTR DoModal() override;

    HDC CreatePrinterDC();
    // Sizes in thousandths of an inch or hundredths of a millimetre (PSD_INTHOUSANDTHSOFINCHES,
    // PSD_INHUNDREDTHSOFMILLIMETERS), as the dialog reports them.
    CSize GetPaperSize() const { return CSize(m_psd.ptPaperSize.x, m_psd.ptPaperSize.y); }
    void GetMargins(LPRECT lpRectMargins, LPRECT lpRectMinMargins) const;
    LPDEVMODEA GetDevMode() const;
    CString GetDriverName() const;
    CString GetDeviceName() const;
    CString GetPortName() const;

    PAGESETUPDLGA m_psd;
};

// Whether a device mode holds the field that ends nFieldEnd bytes into it (offsetof plus sizeof):
// its own size (dmSize) must reach that far. A mode read from a file, or made by an older driver,
// may be shorter than this platform's DEVMODEA, and the bytes after it are the driver's own.
BOOL AfxDevModeHolds(const DEVMODEA* pDevMode, size_t nFieldEnd);

// A device context from printer names and a device mode (either handle may be NULL: then the
// default printer's names or the driver's default mode). NULL when there is nothing to make one of.
HDC AfxCreateDC(HGLOBAL hDevNames, HGLOBAL hDevMode);
