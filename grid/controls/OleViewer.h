#pragma once
// The OLE side of the OLE object cell: a viewer opens the object a cell's bytes hold (or a new one
// from the insert-object dialog, or the clipboard's) in its server, and saves it back into bytes.
// The bytes are an object header (signature, the object's short type name and its ProgID), the
// object's storage as an OLE 1 stream, and a 32-bit zero. CGXOleViewer is the interface,
// CGXGenericViewerImpl the one implementation; CGXViewerManager keeps a cell control's viewers.

#include "framework/core/Collections.h"
#include "framework/core/CString.h"

#include <windows.h>
#include <ole2.h>

#include <map>
#include <utility>
#include <vector>

class CGXControl;
class CGXGridCore;
class CGXStyle;

// Texts of the OLE object cell.
enum : UINT
{
    GX_IDS_OLE_INVALIDDATA = 20134,
    GX_IDS_OLE_COPYFAILED = 20203,
    GX_IDS_OLE_CUTFAILED = 20204,
    GX_IDS_OLE_INSERTCAPTION = 20205,
    GX_IDS_OLE_VIEWERSPAWNED = 20206,
    GX_IDS_OLE_INSERTFAILED = 20207
};

const WORD GX_OLE_HEADER_SIGNATURE = 0x1C15;
const WORD GX_OLE_HEADER_SIZE = 20;

// The object header of the stored bytes: 20 bytes, then the two strings with their zeros.
void GXBuildOleObjectHeader(LPCSTR pszUserType, LPCSTR pszProgId, CByteArray& header);
// Reads the header at the start of nSize bytes: FALSE when the signature is not 0x1C15 or a
// string (or the header) runs past the bytes. The header's length is where the stream starts.
BOOL GXReadOleObjectHeader(const BYTE* pData, size_t nSize, CString& userType, CString& progId,
                           size_t& nHeaderLength);

// The interfaces of an open object by interface id; storing under an id present releases the one
// held there. Destroying it releases them all.
class CGXInterfaceManager
{
public:
    CGXInterfaceManager() = default;
    ~CGXInterfaceManager() { ReleaseAll(); }
    CGXInterfaceManager(const CGXInterfaceManager&) = delete;
    CGXInterfaceManager& operator=(const CGXInterfaceManager&) = delete;

    // Takes over one reference of the interface (NULL removes the entry).
    void Set(REFIID iid, IUnknown* pUnknown);
    IUnknown* Get(REFIID iid) const;
    void ReleaseAll();

private:
    std::vector<std::pair<IID, IUnknown*>> m_entries;
};

class CGXOleViewer
{
public:
    virtual ~CGXOleViewer() = default;
    // Opens the object of the style's bytes, or a new one from the insert-object dialog when it has
    // none; bShow runs the object's primary verb.
    virtual BOOL Open(const CGXStyle& style, CGXGridCore* pGrid, CGXControl* pOwner, BOOL bShow) = 0;
    // Runs the primary verb on the open object.
    virtual BOOL Activate() = 0;
    // A new block with a copy of the style's object bytes; NULL when it has none.
    virtual HGLOBAL GetData(const CGXStyle& style) = 0;
    // Saves a changed object, closes and releases it.
    virtual void Close() = 0;
    // The owner cell hears that the object changed.
    virtual void OnObjectChanged() = 0;
    // Forgets the bytes and releases every interface.
    virtual void Reset() = 0;
    // The open object's bytes into the held variant.
    virtual BOOL SaveToVariant() = 0;
    virtual const VARIANT& GetVariant() const = 0;
    virtual IStorage* GetStorage() = 0;
    virtual IOleObject* GetOleObject() = 0;
    // A new client site (one reference for the caller).
    virtual IOleClientSite* CreateClientSite() = 0;
    virtual BOOL CanPaste() = 0;
    // A new object from the clipboard's data.
    virtual BOOL PasteFromClipboard(CGXGridCore* pGrid, CGXControl* pOwner) = 0;
    // The object loaded from the style and its clipboard data (one reference); NULL after the
    // failure was shown.
    virtual IDataObject* GetCopyData(const CGXStyle& style, CGXGridCore* pGrid, CGXControl* pOwner) = 0;
    // As GetCopyData, then the held bytes are cleared and the owner is modified.
    virtual IDataObject* GetCutData(const CGXStyle& style, CGXGridCore* pGrid, CGXControl* pOwner) = 0;
    virtual IAdviseSink* CreateAdviseSink() = 0;
    virtual BOOL InsertNew(CGXGridCore* pGrid) = 0;
    virtual LONG GetVerb() = 0;
    virtual BOOL LoadFromData(HGLOBAL hData, CGXGridCore* pGrid, BOOL bShow) = 0;
    virtual CGXInterfaceManager& GetInterfaces() = 0;
    // The held variant is a byte array.
    virtual BOOL HasData() = 0;
};

class CGXGenericViewerImpl : public CGXOleViewer
{
public:
    CGXGenericViewerImpl();
    // Closes the object without saving, releases everything, clears the variant.
    ~CGXGenericViewerImpl() override;
    CGXGenericViewerImpl(const CGXGenericViewerImpl&) = delete;
    CGXGenericViewerImpl& operator=(const CGXGenericViewerImpl&) = delete;

    BOOL Open(const CGXStyle& style, CGXGridCore* pGrid, CGXControl* pOwner, BOOL bShow) override;
    BOOL Activate() override;
    HGLOBAL GetData(const CGXStyle& style) override;
    void Close() override;
    void OnObjectChanged() override;
    void Reset() override;
    BOOL SaveToVariant() override;
    const VARIANT& GetVariant() const override { return m_variant; }
    IStorage* GetStorage() override;
    IOleObject* GetOleObject() override;
    IOleClientSite* CreateClientSite() override;
    BOOL CanPaste() override;
    BOOL PasteFromClipboard(CGXGridCore* pGrid, CGXControl* pOwner) override;
    IDataObject* GetCopyData(const CGXStyle& style, CGXGridCore* pGrid, CGXControl* pOwner) override;
    IDataObject* GetCutData(const CGXStyle& style, CGXGridCore* pGrid, CGXControl* pOwner) override;
    IAdviseSink* CreateAdviseSink() override;
    BOOL InsertNew(CGXGridCore* pGrid) override;
    LONG GetVerb() override { return OLEIVERB_PRIMARY; }
    BOOL LoadFromData(HGLOBAL hData, CGXGridCore* pGrid, BOOL bShow) override;
    CGXInterfaceManager& GetInterfaces() override { return m_interfaces; }
    BOOL HasData() override;

private:
    // SaveToVariant without its message, for callers that report the failure themselves.
    BOOL WriteVariant();
    // A storage in memory for a new or loaded object (kept in the interface table).
    HRESULT CreateMemoryStorage();
    // Advises the open object with a new sink.
    void AdviseObject(IOleObject* pObject);
    // The object of the style loaded (hidden) and its clipboard data; without data the error and
    // the failure text are shown and the object is closed.
    IDataObject* ClipboardData(const CGXStyle& style, CGXGridCore* pGrid, CGXControl* pOwner, UINT nFailedText);
    HWND GridWindow() const;
    void TellActionBegin();
    void TellActionEnd();

    CGXControl* m_pOwner = nullptr;
    CGXGridCore* m_pGrid = nullptr;
    VARIANT m_variant;
    // The client sites and advise sinks this viewer made (one reference each): they forget the
    // viewer when it goes, whoever still holds them.
    std::vector<IUnknown*> m_helpers;
    CGXInterfaceManager m_interfaces;
    DWORD m_dwAdviseConnection = 0;
};

// The viewers of one cell control by viewer id; it deletes them.
class CGXViewerManager
{
public:
    CGXViewerManager() = default;
    ~CGXViewerManager();
    CGXViewerManager(const CGXViewerManager&) = delete;
    CGXViewerManager& operator=(const CGXViewerManager&) = delete;

    // A new viewer for the id (every id makes the generic one); one made before for the id goes.
    CGXOleViewer* CreateViewer(long nViewerId);
    // Deletes the viewer (it must be one of this manager's).
    void ReleaseViewer(CGXOleViewer* pViewer);

private:
    std::map<long, CGXOleViewer*> m_viewers;
};

// Shows an OLE result's system text (when it has one) through the message-box seam.
void GXShowOleError(HRESULT hr);
