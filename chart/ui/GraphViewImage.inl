// The chart view's pictures: drawing into a bitmap, the clipboard copy and the BMP and JPEG files.

#include "chart/model/Graph.h"
#include "chart/ui/image/Dib.h"
#include "chart/ui/image/Jpeg.h"
#include "framework/core/Exceptions.h"
#include "framework/dialogs/FileDialog.h"
#include "framework/win/Clipboard.h"
#include "framework/win/Dc.h"

template <class TBase>
void QVGraphViewImpl<TBase>::DrawToBitmap(CDC* pDC, CBitmap* pBitmap)
{
    m_tip.Hide();
    QVGraph* pChart = GetGraph();
    BITMAP info = {};
    if (pChart == nullptr || pBitmap == nullptr || pBitmap->GetBitmap(&info) == 0)
        return;
    CDC memoryDC;
    if (!memoryDC.CreateCompatibleDC(pDC))
        return;
    CBitmap* pOld = memoryDC.SelectObject(pBitmap);

    // The chart is drawn as large as the bitmap, straight into it; its own settings come back after.
    const BOOL bDoubleBuffering = pChart->GetDoubleBuffering();
    const CRect fixedRect = pChart->GetFixedRect();
    const BOOL bFixedRect = pChart->HasFixedRect();
    const int nPlacement = pChart->GetPlacement();
    pChart->SetFixedRect(CRect(0, 0, info.bmWidth, info.bmHeight), nPlacement);
    pChart->SetDoubleBuffering(FALSE);
    // The scrolling view passes itself, as its drawing does.
    pChart->Draw(&memoryDC, kScrolls ? static_cast<CWnd*>(this) : nullptr);
    pChart->SetDoubleBuffering(bDoubleBuffering);
    pChart->SetFixedRect(fixedRect, nPlacement);
    if (!bFixedRect)
        pChart->ClearFixedRect();

    memoryDC.SelectObject(pOld);
}

template <class TBase>
CSize QVGraphViewImpl<TBase>::GetClientSize()
{
    CRect client;
    this->GetClientRect(&client);
    return client.Size();
}

template <class TBase>
CBitmap* QVGraphViewImpl<TBase>::MakeChartBitmap(CDC* pDC, CSize size)
{
    auto* pBitmap = new CBitmap;
    if (size.cx <= 0 || size.cy <= 0 || !pBitmap->CreateCompatibleBitmap(pDC, size.cx, size.cy)) {
        delete pBitmap;
        return nullptr;
    }
    DrawToBitmap(pDC, pBitmap);
    return pBitmap;
}

template <class TBase>
void QVGraphViewImpl<TBase>::OnEditCopy()
{
    // The scrolling view copies the whole chart, not only what the window shows.
    if constexpr (kScrolls)
        CopyToClipboard(this->GetTotalSize());
    else
        CopyToClipboard(GetClientSize());
}

template <class TBase>
void QVGraphViewImpl<TBase>::CopyToClipboard(CSize size)
{
    CBitmap* pBitmap = nullptr;
    {
        CClientDC dc(this);
        pBitmap = MakeChartBitmap(&dc, size);
    }
    if (pBitmap == nullptr)
        return;
    CClipboard clipboard(this->m_hWnd);
    if (clipboard.IsOpen() && clipboard.Empty())
        clipboard.SetBitmap(static_cast<HBITMAP>(pBitmap->Detach()));   // the clipboard's now
    // A clipboard that cannot be opened drops the picture.
    delete pBitmap;
}

template <class TBase>
CString QVGraphViewImpl<TBase>::AskSavePath(LPCTSTR lpszDefExt, LPCTSTR lpszFilter)
{
    // A new file is what the user wants to give here: the name need not exist yet.
    CFileDialog dialog(FALSE, lpszDefExt, nullptr,
                       OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_EXPLORER | OFN_LONGNAMES,
                       lpszFilter, this);
    if (dialog.DoModal() != IDOK)
        return CString();
    return dialog.GetPathName();
}

template <class TBase>
void QVGraphViewImpl<TBase>::OnSaveAsDib()
{
    const CString path = AskSavePath("bmp", "Dib bitmap files(*.bmp)|*.bmp|All files(*.*)|*.*||");
    if (!path.IsEmpty())
        SaveAsDib(path);
}

template <class TBase>
void QVGraphViewImpl<TBase>::OnSaveAsJpeg()
{
    const CString path = AskSavePath("jpg", "Jpeg files(*.jpg)|*.jpg|All files(*.*)|*.*||");
    if (!path.IsEmpty())
        SaveAsJpeg(path);
}

template <class TBase>
BOOL QVGraphViewImpl<TBase>::SaveAsDib(LPCTSTR lpszPath)
{
    BWKDib picture;
    return SavePicture(picture, lpszPath, "Create Image form bitmap failed.", GetClientSize());
}

template <class TBase>
BOOL QVGraphViewImpl<TBase>::SaveAsJpeg(LPCTSTR lpszPath)
{
    BWKJpeg picture;
    return SavePicture(picture, lpszPath, "Can't create jpeg image.", GetClientSize());
}

template <class TBase>
BOOL QVGraphViewImpl<TBase>::SavePicture(BWKPicture& picture, LPCTSTR lpszPath, LPCTSTR lpszFillFailed,
                                         CSize size)
{
    CClientDC dc(this);
    CBitmap* pBitmap = MakeChartBitmap(&dc, size);
    if (pBitmap == nullptr || !picture.CreateFromBitmap(&dc, pBitmap)) {
        delete pBitmap;
        AfxMessageBox(lpszFillFailed, MB_OK);
        return FALSE;
    }
    delete pBitmap;

    // A picture that cannot be written is reported, never dropped in silence.
    CString error;
    BOOL bSaved = FALSE;
    try {
        bSaved = picture.SaveToPath(lpszPath);
        if (!bSaved)
            error = picture.GetLastMessage();
    } catch (CException* e) {
        char text[256] = "";
        if (e->GetErrorMessage(text, sizeof text))
            error = text;
        e->Delete();
    }
    if (!bSaved) {
        if (error.IsEmpty())
            error.Format("The picture could not be written to %s.", lpszPath);
        AfxMessageBox(error, MB_OK | MB_ICONEXCLAMATION);
    }
    return bSaved;
}
