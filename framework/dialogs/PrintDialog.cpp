#include "framework/dialogs/PrintDialog.h"

#include <cstddef>

#include "framework/win/PrinterSeam.h"

IMPLEMENT_DYNAMIC(CPrintDialog, CCommonDialog)
IMPLEMENT_DYNAMIC(CPageSetupDialog, CCommonDialog)

namespace {

BOOL RunPrintDialog(CCommonDialog* pDialog)
{
    return ::PrintDlgA(&static_cast<CPrintDialog*>(pDialog)->m_pd);
}

BOOL RunPageSetupDialog(CCommonDialog* pDialog)
{
    return ::PageSetupDlgA(&static_cast<CPageSetupDialog*>(pDialog)->m_psd);
}

// One of the three names of a DEVNAMES block, by its offset field. The block may come from
// anywhere (a file, a test): offsets outside it give an empty name, and the text never reads past
// the block's end.
CString DevNamesText(HGLOBAL hDevNames, WORD DEVNAMES::*pOffset)
{
    if (hDevNames == nullptr)
        return CString();
    SIZE_T nSize = ::GlobalSize(hDevNames);
    auto* pNames = static_cast<const DEVNAMES*>(::GlobalLock(hDevNames));
    if (pNames == nullptr)
        return CString();
    CString text;
    SIZE_T nOffset = pNames->*pOffset;
    if (nSize >= sizeof(DEVNAMES) && nOffset < nSize)
    {
        const char* pText = reinterpret_cast<const char*>(pNames) + nOffset;
        SIZE_T nLength = 0;
        while (nOffset + nLength < nSize && pText[nLength] != '\0')
            ++nLength;
        text = CString(pText, (int)nLength);
    }
    ::GlobalUnlock(hDevNames);
    return text;
}

LPDEVMODEA DevModeOf(HGLOBAL hDevMode)
{
    if (hDevMode == nullptr)
        return nullptr;
    // Movable blocks do not move while the handle lives (nothing reallocates them), so the pointer
    // stays good after the unlock.
    auto* pDevMode = static_cast<LPDEVMODEA>(::GlobalLock(hDevMode));
    ::GlobalUnlock(hDevMode);
    return pDevMode;
}

} // namespace

BOOL AfxDevModeHolds(const DEVMODEA* pDevMode, size_t nFieldEnd)
{
    return pDevMode != nullptr && pDevMode->dmSize >= nFieldEnd;
}

HDC AfxCreateDC(HGLOBAL hDevNames, HGLOBAL hDevMode)
{
    if (hDevNames == nullptr)
        return nullptr;
    CString driver = DevNamesText(hDevNames, &DEVNAMES::wDriverOffset);
    CString device = DevNamesText(hDevNames, &DEVNAMES::wDeviceOffset);
    CString port = DevNamesText(hDevNames, &DEVNAMES::wOutputOffset);
    if (device.IsEmpty())
        return nullptr;
    // A device mode read from a file is used only when its own sizes fit in its block.
    const DEVMODEA* pDevMode = nullptr;
    if (hDevMode != nullptr)
    {
        SIZE_T nBlockSize = ::GlobalSize(hDevMode);
        pDevMode = static_cast<const DEVMODEA*>(::GlobalLock(hDevMode));
        if (pDevMode != nullptr &&
            (nBlockSize < offsetof(DEVMODEA, dmFields) ||
             (SIZE_T)pDevMode->dmSize + pDevMode->dmDriverExtra > nBlockSize))
        {
            ::GlobalUnlock(hDevMode);
            pDevMode = nullptr;
        }
    }
    HDC hDC = AfxCreatePrinterDC(driver.IsEmpty() ? nullptr : (LPCTSTR)driver, device,
                                 port.IsEmpty() ? nullptr : (LPCTSTR)port, pDevMode);
    if (pDevMode != nullptr)
        ::GlobalUnlock(hDevMode);
    return hDC;
}

// ---- CPrintDialog ----

CPrintDialog::CPrintDialog(BOOL bPrintSetupOnly, DWORD dwFlags, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd), m_pd()
{
    m_pd.lStructSize = sizeof m_pd;
    m_pd.Flags = dwFlags;
    if (bPrintSetupOnly)
        m_pd.Flags |= PD_PRINTSETUP;
    else
        m_pd.Flags |= PD_RETURNDC;
    m_pd.nCopies = 1;
    m_pd.nMinPage = 1;
    m_pd.nMaxPage = 0xFFFF;
    m_pd.nFromPage = 1;
    m_pd.nToPage = 1;
}

INT_PTR CPrintDialog::DoModal()
{
    m_pd.hwndOwner = GetOwnerForDialog();
    return RunCommonDialog(&RunPrintDialog);
}

BOOL CPrintDialog::GetDefaults()
{
    // The system refuses to return defaults into handles that are already set.
    m_pd.hDevMode = nullptr;
    m_pd.hDevNames = nullptr;
    m_pd.hwndOwner = nullptr;
    DWORD dwOldFlags = m_pd.Flags;
    m_pd.Flags = (m_pd.Flags | PD_RETURNDEFAULT) & ~PD_RETURNDC;
    INT_PTR nResult = IDCANCEL;
    if (!AfxAnswerCommonDialog(this, nResult))
        nResult = ::PrintDlgA(&m_pd) ? IDOK : IDCANCEL;
    m_pd.Flags = dwOldFlags;
    return nResult == IDOK;
}

HDC CPrintDialog::CreatePrinterDC()
{
    HDC hDC = AfxCreateDC(m_pd.hDevNames, m_pd.hDevMode);
    if (hDC != nullptr)
        m_pd.hDC = hDC;
    return hDC;
}

LPDEVMODEA CPrintDialog::GetDevMode() const
{
    return DevModeOf(m_pd.hDevMode);
}

CString CPrintDialog::GetDriverName() const
{
    return DevNamesText(m_pd.hDevNames, &DEVNAMES::wDriverOffset);
}

CString CPrintDialog::GetDeviceName() const
{
    return DevNamesText(m_pd.hDevNames, &DEVNAMES::wDeviceOffset);
}

CString CPrintDialog::GetPortName() const
{
    return DevNamesText(m_pd.hDevNames, &DEVNAMES::wOutputOffset);
}

int CPrintDialog::GetCopies() const
{
    // With PD_USEDEVMODECOPIES the driver keeps the count in the device mode.
    if (m_pd.Flags & PD_USEDEVMODECOPIES)
    {
        LPDEVMODEA pDevMode = GetDevMode();
        if (AfxDevModeHolds(pDevMode, offsetof(DEVMODEA, dmCopies) + sizeof pDevMode->dmCopies) &&
            (pDevMode->dmFields & DM_COPIES))
            return pDevMode->dmCopies;
    }
    return m_pd.nCopies;
}

// ---- CPageSetupDialog ----

CPageSetupDialog::CPageSetupDialog(DWORD dwFlags, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd), m_psd()
{
    m_psd.lStructSize = sizeof m_psd;
    m_psd.Flags = dwFlags;
}

INT_PTR CPageSetupDialog::DoModal()
{
    m_psd.hwndOwner = GetOwnerForDialog();
    return RunCommonDialog(&RunPageSetupDialog);
}

HDC CPageSetupDialog::CreatePrinterDC()
{
    return AfxCreateDC(m_psd.hDevNames, m_psd.hDevMode);
}

void CPageSetupDialog::GetMargins(LPRECT lpRectMargins, LPRECT lpRectMinMargins) const
{
    if (lpRectMargins != nullptr)
        *lpRectMargins = m_psd.rtMargin;
    if (lpRectMinMargins != nullptr)
        *lpRectMinMargins = m_psd.rtMinMargin;
}

LPDEVMODEA CPageSetupDialog::GetDevMode() const
{
    return DevModeOf(m_psd.hDevMode);
}

CString CPageSetupDialog::GetDriverName() const
{
    return DevNamesText(m_psd.hDevNames, &DEVNAMES::wDriverOffset);
}

CString CPageSetupDialog::GetDeviceName() const
{
    return DevNamesText(m_psd.hDevNames, &DEVNAMES::wDeviceOffset);
}

CString CPageSetupDialog::GetPortName() const
{
    return DevNamesText(m_psd.hDevNames, &DEVNAMES::wOutputOffset);
}
