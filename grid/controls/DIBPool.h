#pragma once
// Bitmaps in cell values: a value "#BMP(123)" or "#BMP("NAME")" names a bitmap resource. The pool
// loads each named resource once per process as a packed DIB (header, colour table, bits in one
// movable global block) and keeps it, a failed load included, until the program ends.

#include "framework/core/Collections.h"
#include "framework/core/Geometry.h"
#include "framework/core/CString.h"
#include "framework/core/Object.h"

#include <windows.h>

class CDC;

// The prefix of a bitmap reference, compared without regard to case.
#define GX_BMP_PREFIX "#BMP("

// One DIB, held or borrowed: callers hand a pool handle in with Attach and take it back with
// Detach before the holder is destroyed, so the pool keeps ownership.
class CGXDIB : public CObject
{
    DECLARE_DYNAMIC(CGXDIB)

public:
    CGXDIB();
    ~CGXDIB() override;

    // Releases the held handle and takes the new one (NULL only releases); reads the colour count and
    // size from its header. FALSE when the block is too small to be a DIB (it is not taken).
    BOOL Attach(HGLOBAL hDIB);
    HGLOBAL Detach();
    HGLOBAL GetHandle() const { return m_hDIB; }
    int GetWidth() const { return m_nWidth; }
    int GetHeight() const { return m_nHeight; }
    UINT GetNumColors() const { return m_nColors; }

    // Modes: natural size, stretched, uniformly scaled.
    enum
    {
        drawNatural = 0,
        drawStretch = 1,
        drawScale = 2
    };

    // Draws the DIB into the destination with StretchDIBits; alignment flags are the DrawText ones
    // (DT_CENTER, DT_RIGHT, DT_VCENTER, DT_BOTTOM). Returns the rectangle drawn into (empty when
    // nothing could be drawn).
    static CRect Draw(CDC* pDC, HGLOBAL hDIB, const RECT& destRect, int nMode, UINT nAlign,
                      const RECT* pSrcRect = nullptr);

private:
    void Release();

    HGLOBAL m_hDIB = nullptr;
    UINT m_nColors = 0;
    int m_nWidth = 0;
    int m_nHeight = 0;
    BOOL m_bDeleteObject = TRUE;  // how the handle is freed: DeleteObject, else GlobalFree
};

class CGXDIBPool : public CObject
{
    DECLARE_DYNAMIC(CGXDIBPool)

public:
    CGXDIBPool();
    ~CGXDIBPool() override;

    // The DIB a reference names, loaded on first use; NULL for no reference or a missing resource.
    virtual HGLOBAL LookupDIB(LPCTSTR pszReference);
    // The resource (an id as MAKEINTRESOURCE, or the name as sKey) a reference names; NULL when the
    // text is not a reference. sKey is "#<id>" for ids, the name otherwise.
    virtual LPCTSTR ParseReference(LPCTSTR pszReference, CString& sKey);
    // A new DIB copied from the resource, or NULL.
    virtual HGLOBAL LoadDIB(LPCTSTR pszReference, LPCTSTR pszResource);
    virtual void FormatNamedReference(LPCTSTR pszResourceName, CString& sReference);
    virtual void FormatIdReference(UINT nResourceId, CString& sReference);

private:
    CMapStringToPtr m_mapDIBs;  // key -> HGLOBAL, NULL kept for failed loads
};

// The pool of this process, created on first use.
CGXDIBPool* GXGetDIBPool();
