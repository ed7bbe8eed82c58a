// CImageList: owns one common-controls image list (HIMAGELIST); each member is one ImageList_ call.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "framework/core/Object.h"
#include "framework/core/Geometry.h"

class CBitmap;
class CDC;

class CImageList : public CObject
{
    DECLARE_DYNCREATE(CImageList)
public:
    CImageList();
    // Destroys the image list it owns.
    ~CImageList() override;

    HIMAGELIST m_hImageList = nullptr;

    operator HIMAGELIST() const { return GetSafeHandle(); }
    // Callable through a null pointer (the empty asm keeps the compiler from assuming `this` is set).
    HIMAGELIST GetSafeHandle() const
    {
        const CImageList* self = this;
        __asm__("" : "+r"(self));
        return self != nullptr ? self->m_hImageList : nullptr;
    }

    // The attached object for the handle, or a temporary wrapper that lives until the thread's
    // message loop is next idle. NULL for a NULL handle.
    static CImageList* PASCAL FromHandle(HIMAGELIST hImageList);
    static CImageList* PASCAL FromHandlePermanent(HIMAGELIST hImageList);
    static void PASCAL DeleteTempMap();
    BOOL Attach(HIMAGELIST hImageList);
    HIMAGELIST Detach();
    BOOL DeleteImageList();

    // Empty list of images cx by cy (nFlags: ILC_COLOR..., ILC_MASK), room for nInitial, growing by nGrow.
    BOOL Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow);
    // The images of a bitmap resource, each cx wide; pixels of crMask become transparent.
    BOOL Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask);
    BOOL Create(LPCTSTR lpszBitmapID, int cx, int nGrow, COLORREF crMask);

    int GetImageCount() const { return ::ImageList_GetImageCount(m_hImageList); }
    BOOL SetImageCount(UINT uNewCount) { return ::ImageList_SetImageCount(m_hImageList, uNewCount); }
    BOOL GetImageInfo(int nImage, IMAGEINFO* pImageInfo) const
    {
        return ::ImageList_GetImageInfo(m_hImageList, nImage, pImageInfo);
    }
    COLORREF SetBkColor(COLORREF cr) { return ::ImageList_SetBkColor(m_hImageList, cr); }
    COLORREF GetBkColor() const { return ::ImageList_GetBkColor(m_hImageList); }

    // The index of the first image added, or -1.
    int Add(CBitmap* pbmImage, CBitmap* pbmMask);
    int Add(CBitmap* pbmImage, COLORREF crMask);
    int Add(HICON hIcon) { return ::ImageList_AddIcon(m_hImageList, hIcon); }
    BOOL Remove(int nImage) { return ::ImageList_Remove(m_hImageList, nImage); }
    BOOL Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask);
    HICON ExtractIcon(int nImage) { return ::ImageList_ExtractIcon(nullptr, m_hImageList, nImage); }

    // nStyle: ILD_NORMAL, ILD_TRANSPARENT, ILD_SELECTED, ...
    BOOL Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle);
};
