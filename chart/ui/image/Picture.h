// BWKPicture: one device-independent bitmap held in movable global memory, with its header,
// colour table and palette; subclasses read and write it in a file format.
#pragma once

#include <windows.h>

#include "framework/core/CString.h"
#include "framework/core/Collections.h"
#include "framework/core/File.h"
#include "framework/core/Object.h"

class CArchive;
class CBitmap;
class CDC;
class CPalette;

class BWKPicture : public CObject
{
    DECLARE_DYNAMIC(BWKPicture)

public:
    BWKPicture();
    virtual ~BWKPicture();

    // Storing writes the BMP form into the archive; loading reads it back, whatever the subclass.
    virtual void Serialize(CArchive& ar) override;

    virtual BOOL CreatePalette();
    // Open the file by path, load or save, close. A file that cannot be opened or written gives FALSE
    // (the error text in GetLastMessage); a failed load keeps the previous image.
    virtual BOOL LoadFromPath(LPCTSTR path);
    virtual BOOL Load(CFile* file);
    virtual BOOL SaveToPath(LPCTSTR path);
    virtual BOOL Save(CFile* file);
    virtual void Free();
    virtual BOOL PrepareHeader();
    virtual BOOL OnBeforeSave();
    virtual BOOL OnAfterSave();
    virtual BOOL WriteImage(CFile* file) = 0;
    virtual BOOL ReadImage(CFile* file) = 0;
    virtual void CloseOwnFiles();

    // Fill from a device-dependent bitmap (not selected into a DC); TRUE on success.
    BOOL CreateFromBitmap(CDC* dc, CBitmap* bitmap);
    // A new bitmap compatible with dc with the picture drawn into it; the caller owns it (NULL on failure).
    CBitmap* CreateBitmap(CDC* dc);
    // Loads the file and makes a bitmap for the screen from it; the caller owns it (NULL on failure).
    CBitmap* CreateBitmap(LPCTSTR path);
    // StretchDIBits of the picture's bits (or the given ones) through a halftone palette when the display
    // cannot show the picture's colours directly. Returns the number of lines drawn (0 on failure).
    int Draw(CDC* dc, const RECT& destination, const RECT& source, const void* bits = NULL,
             const BITMAPINFO* header = NULL, UINT usage = DIB_RGB_COLORS, DWORD rasterOperation = SRCCOPY);

    // A deep copy of the other picture's header, bits and image facts.
    BOOL Copy(const BWKPicture& other);

    // Pixel operations; FALSE when there is no image or memory runs out.
    BOOL Mirror();
    BOOL Flip();
    BOOL AdjustContrast(int amount);
    BOOL Crop(int x, int y, int width, int height);
    // A quarter turn: clockwise for a positive direction, else counter-clockwise.
    BOOL Rotate90(int direction);

    // In-place conversion between packed rows and rows padded to 4 bytes.
    BOOL AlignRows();
    BOOL PackRows();

    // Buffered access to the current file (the one Load or Save works on).
    BOOL AttachBuffer(UINT size, BOOL forReading);
    UINT BufferedRead(void* data, UINT count);
    BOOL BufferedWrite(const void* data, UINT count);
    BOOL FlushBuffer();
    void FreeBuffer();

    BOOL HasImage() const { return m_hasImage; }
    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }
    int GetBitsPerPixel() const { return m_bitsPerPixel; }
    // Bytes per row as the bits are held now (aligned or packed).
    UINT GetStride() const { return m_stride; }
    int GetColorCount() const { return m_colorCount; }
    BOOL AreRowsAligned() const { return m_rowsAligned; }
    BYTE* GetBits() const { return m_bits; }
    BITMAPINFO* GetHeader() const { return m_header; }
    RGBQUAD* GetColorTable() const { return m_colorTable; }
    CPalette* GetPalette() const { return m_palette; }
    BOOL NeedsHalftone() const { return m_needsHalftone; }
    // The last message of a load or save: the codec's or the file's error, or the codec's warning.
    const CString& GetLastMessage() const { return m_lastMessage; }

    static UINT PackedRowSize(int width, int bitsPerPixel);
    static UINT AlignedRowSize(int width, int bitsPerPixel);
    static int ColorCountFor(int bitsPerPixel);

protected:
    // Allocates zeroed bits (replacing any) and a header for the given facts; sets stride and colour
    // count, rows aligned. FALSE (nothing allocated) when memory runs out or the size is absurd.
    BOOL AllocateImage(int width, int height, int bitsPerPixel);
    BOOL AllocateHeader();
    void FreeBits();
    void FreeHeader();
    void FreePalette();
    void SetMessage(const char* text) { m_lastMessage = text; }
    void SetExceptionMessage(CException* e);
    BYTE* RowAt(int row) const { return m_bits + static_cast<size_t>(row) * m_stride; }
    // Moves the image (bits, header, palette, facts) from other into this picture; other is left empty.
    void TakeImageFrom(BWKPicture& other);
    // Size, depth, row layout and display needs of the other picture's image; no memory changes hands.
    void CopyImageFacts(const BWKPicture& other);
    // New dimensions and row size of the bits, in the fields and the header alike.
    void SetImageGeometry(int width, int height, UINT stride);

    // BMP form shared by BWKDib and Serialize.
    BOOL WriteBmpForm(CFile* file, CArchive* archive);
    BOOL ReadBmpForm(CFile* file, CArchive* archive);

    // Display facts, from the screen DC at construction.
    int m_displayBitsPerPixel; // 0 when above 8
    int m_displayPlanes;
    int m_displayColorCount;   // 0 above 8 bits

    int m_bitsPerPixel;
    int m_width;
    int m_height;
    UINT m_stride;
    int m_colorCount;
    BOOL m_hasImage;
    BOOL m_rowsAligned;

    HGLOBAL m_hBits;
    BYTE* m_bits;
    SIZE_T m_bitsSize;
    HGLOBAL m_hHeader;
    BITMAPINFO* m_header;
    RGBQUAD* m_colorTable;
    CPalette* m_palette;
    BOOL m_needsHalftone;

    int m_bitOrder;        // 1-bit images: 1 = most significant bit first

    CFile* m_file;         // the file Load or Save works on, NULL between operations
    CPtrList m_ownFiles;   // file objects the picture opened itself

    HGLOBAL m_hBuffer;
    BYTE* m_buffer;
    UINT m_bufferSize;
    UINT m_bufferHeld;
    UINT m_bufferPosition;
    BOOL m_bufferForReading;

    CString m_lastMessage;

private:
    BWKPicture(const BWKPicture&) = delete;
    BWKPicture& operator=(const BWKPicture&) = delete;
    CFile* OwnFile();
};
