// BWKPicture: loading and saving through files and archives, buffered file access and the BMP form.
#include "chart/ui/image/Picture.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "chart/ui/image/BmpFormat.h"
#include "chart/ui/image/Dib.h"
#include "framework/core/Archive.h"
#include "framework/core/Exceptions.h"
#include "framework/core/SafeSave.h"

static_assert(sizeof(BITMAPINFOHEADER) == BmpFormat::InfoHeaderSize, "the BMP info header is 40 bytes");
static_assert(sizeof(RGBQUAD) == 4, "a colour table entry is 4 bytes");

namespace {

// The info header of a BMP may be a later, longer version; anything beyond this is not a sane header
// plus colour table.
const uint32_t MaxHeaderAndTable = 64 * 1024;

} // namespace

void BWKPicture::SetExceptionMessage(CException* e)
{
    char text[256] = "";
    if (e && e->GetErrorMessage(text, sizeof(text)))
        m_lastMessage = text;
}

CFile* BWKPicture::OwnFile()
{
    // Path operations always use a file object of the picture's own: a file handed to Load or Save
    // belongs to its caller and may be gone by now.
    if (!m_ownFiles.IsEmpty())
        return static_cast<CFile*>(m_ownFiles.GetHead());
    CFile* file = new CFile;
    m_ownFiles.AddTail(file);
    return file;
}

void BWKPicture::CloseOwnFiles()
{
    POSITION position = m_ownFiles.GetHeadPosition();
    while (position) {
        CFile* file = static_cast<CFile*>(m_ownFiles.GetNext(position));
        if (file == m_file)
            m_file = NULL;
        if (file->m_hFile != CFile::hFileNull)
            file->Abort();
        delete file;
    }
    m_ownFiles.RemoveAll();
}

BOOL BWKPicture::LoadFromPath(LPCTSTR path)
{
    m_lastMessage.Empty();
    CFile* file = OwnFile();
    CFileException error;
    if (!file->Open(path, CFile::modeRead | CFile::shareDenyWrite, &error)) {
        SetExceptionMessage(&error);
        return FALSE;
    }
    const BOOL loaded = Load(file);
    file->Abort();
    return loaded;
}

BOOL BWKPicture::Load(CFile* file)
{
    m_lastMessage.Empty();
    // The image in hand survives a failed load.
    BWKDib* spare = NULL;
    if (m_hasImage) {
        spare = new BWKDib;
        spare->TakeImageFrom(*this);
    }
    Free();
    m_file = file;
    BOOL loaded = FALSE;
    try {
        loaded = ReadImage(file) && PrepareHeader();
    } catch (CException* e) {
        SetExceptionMessage(e);
        e->Delete();
        loaded = FALSE;
    }
    m_file = NULL;
    if (loaded) {
        delete spare;
        return TRUE;
    }
    Free();
    if (spare) {
        TakeImageFrom(*spare);
        delete spare;
    }
    return FALSE;
}

BOOL BWKPicture::SaveToPath(LPCTSTR path)
{
    m_lastMessage.Empty();
    CFile* file = OwnFile();
    // The image goes to a temporary file that replaces the chosen one only when it is whole: a failed
    // save leaves an earlier picture of that name as it was, and no half-written image anywhere.
    const BOOL saved = AfxSaveFileSafely(path, [&](LPCTSTR temporary) -> BOOL {
        CFileException error;
        if (!file->Open(temporary, CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive, &error)) {
            SetExceptionMessage(&error);
            return FALSE;
        }
        BOOL written = Save(file);
        try {
            file->Close();
        } catch (CException* e) {
            if (written)
                SetExceptionMessage(e);
            e->Delete();
            file->Abort();
            written = FALSE;
        }
        return written;
    });
    if (!saved && m_lastMessage.IsEmpty()) {
        // The temporary file could not be made, or could not take the target's place.
        const LONG osError = static_cast<LONG>(::GetLastError());
        CFileException error(CFileException::OsErrorToException(osError), osError, path);
        SetExceptionMessage(&error);
    }
    return saved;
}

BOOL BWKPicture::Save(CFile* file)
{
    m_lastMessage.Empty();
    m_file = file;
    BOOL saved = FALSE;
    try {
        saved = OnBeforeSave() && WriteImage(file);
    } catch (CException* e) {
        SetExceptionMessage(e);
        e->Delete();
        saved = FALSE;
    }
    const BOOL after = OnAfterSave();
    m_file = NULL;
    return saved && after;
}

BOOL BWKPicture::OnBeforeSave()
{
    return TRUE;
}

BOOL BWKPicture::OnAfterSave()
{
    return TRUE;
}

void BWKPicture::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        if (!WriteBmpForm(NULL, &ar))
            AfxThrowArchiveException(CArchiveException::genericException);
        return;
    }
    if (!ReadBmpForm(NULL, &ar) || !PrepareHeader()) {
        Free();
        AfxThrowArchiveException(CArchiveException::genericException);
    }
}

// ---- buffered file access ----

BOOL BWKPicture::AttachBuffer(UINT size, BOOL forReading)
{
    FreeBuffer();
    if (size == 0 || !m_file)
        return FALSE;
    m_hBuffer = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    if (!m_hBuffer)
        return FALSE;
    m_buffer = static_cast<BYTE*>(::GlobalLock(m_hBuffer));
    if (!m_buffer) {
        ::GlobalFree(m_hBuffer);
        m_hBuffer = NULL;
        return FALSE;
    }
    m_bufferSize = size;
    m_bufferForReading = forReading;
    if (forReading)
        m_bufferHeld = m_file->Read(m_buffer, size);
    return TRUE;
}

UINT BWKPicture::BufferedRead(void* data, UINT count)
{
    if (!m_buffer || !m_bufferForReading)
        return m_file ? m_file->Read(data, count) : 0;
    BYTE* target = static_cast<BYTE*>(data);
    UINT copied = 0;
    while (copied < count) {
        if (m_bufferPosition >= m_bufferHeld) {
            m_bufferPosition = 0;
            m_bufferHeld = m_file->Read(m_buffer, m_bufferSize);
            if (m_bufferHeld == 0)
                break;
        }
        const UINT chunk = std::min(count - copied, m_bufferHeld - m_bufferPosition);
        std::memcpy(target + copied, m_buffer + m_bufferPosition, chunk);
        m_bufferPosition += chunk;
        copied += chunk;
    }
    return copied;
}

BOOL BWKPicture::BufferedWrite(const void* data, UINT count)
{
    if (!m_file)
        return FALSE;
    if (!m_buffer || m_bufferForReading) {
        m_file->Write(data, count);
        return TRUE;
    }
    const BYTE* source = static_cast<const BYTE*>(data);
    while (count > 0) {
        const UINT chunk = std::min(count, m_bufferSize - m_bufferHeld);
        std::memcpy(m_buffer + m_bufferHeld, source, chunk);
        m_bufferHeld += chunk;
        source += chunk;
        count -= chunk;
        if (m_bufferHeld == m_bufferSize && !FlushBuffer())
            return FALSE;
    }
    return TRUE;
}

BOOL BWKPicture::FlushBuffer()
{
    if (!m_buffer || m_bufferForReading || !m_file)
        return m_buffer != NULL;
    if (m_bufferHeld > 0)
        m_file->Write(m_buffer, m_bufferHeld);
    m_bufferHeld = 0;
    return TRUE;
}

void BWKPicture::FreeBuffer()
{
    if (m_hBuffer) {
        ::GlobalUnlock(m_hBuffer);
        ::GlobalFree(m_hBuffer);
    }
    m_hBuffer = NULL;
    m_buffer = NULL;
    m_bufferSize = 0;
    m_bufferHeld = 0;
    m_bufferPosition = 0;
}

// ---- BMP form ----

BOOL BWKPicture::WriteBmpForm(CFile* file, CArchive* archive)
{
    if (!m_hasImage || !m_bits || !m_header || !AlignRows())
        return FALSE;
    const uint32_t colorCount = static_cast<uint32_t>(ColorCountFor(m_bitsPerPixel));
    const uint32_t tableSize = 4 * colorCount;
    uint32_t bitsSize = m_header->bmiHeader.biSizeImage;
    if (bitsSize == 0)
        bitsSize = m_stride * static_cast<uint32_t>(m_height);
    if (bitsSize > m_bitsSize)
        return FALSE;

    BmpFormat::FileHeader fileHeader;
    fileHeader.fileSize = m_stride * static_cast<uint32_t>(m_height) + tableSize + BmpFormat::InfoHeaderSize +
                          BmpFormat::FileHeaderSize;
    fileHeader.bitsOffset = BmpFormat::InfoHeaderSize + tableSize + BmpFormat::FileHeaderSize;
    uint8_t encoded[BmpFormat::FileHeaderSize];
    BmpFormat::Encode(fileHeader, encoded);

    // The header block always holds a 40-byte header and a full colour table for the bit depth.
    BITMAPINFOHEADER info = m_header->bmiHeader;
    info.biSize = BmpFormat::InfoHeaderSize;
    auto put = [&](const void* data, UINT count) {
        if (file)
            file->Write(data, count);
        else
            archive->Write(data, count);
    };
    put(encoded, sizeof(encoded));
    put(&info, sizeof(info));
    if (tableSize)
        put(m_colorTable, tableSize);
    put(m_bits, bitsSize);
    return TRUE;
}

BOOL BWKPicture::ReadBmpForm(CFile* file, CArchive* archive)
{
    auto get = [&](void* data, UINT count) -> UINT {
        return file ? file->Read(data, count) : archive->Read(data, count);
    };
    Free();
    uint8_t encoded[BmpFormat::FileHeaderSize];
    if (get(encoded, sizeof(encoded)) != sizeof(encoded))
        return FALSE;
    const BmpFormat::FileHeader fileHeader = BmpFormat::Decode(encoded);
    if (fileHeader.type != BmpFormat::Signature)
        return FALSE;
    if (fileHeader.bitsOffset < BmpFormat::FileHeaderSize + BmpFormat::InfoHeaderSize ||
        fileHeader.bitsOffset - BmpFormat::FileHeaderSize > MaxHeaderAndTable)
        return FALSE;
    const uint32_t headerBytes = fileHeader.bitsOffset - BmpFormat::FileHeaderSize;
    std::vector<uint8_t> headerBlock(headerBytes);
    if (get(headerBlock.data(), headerBytes) != headerBytes)
        return FALSE;

    BITMAPINFOHEADER info;
    std::memcpy(&info, headerBlock.data(), sizeof(info));
    const int bitsPerPixel = info.biBitCount;
    const bool topDown = info.biHeight < 0;
    const long long height = topDown ? -static_cast<long long>(info.biHeight) : info.biHeight;
    if (info.biSize < BmpFormat::InfoHeaderSize || info.biSize > headerBytes || info.biWidth <= 0 || height <= 0 ||
        height > 0x7FFFFFFF || info.biCompression != BI_RGB ||
        (bitsPerPixel != 1 && bitsPerPixel != 4 && bitsPerPixel != 8 && bitsPerPixel != 24))
        return FALSE;
    const int colorCount = ColorCountFor(bitsPerPixel);
    int used = static_cast<int>(info.biClrUsed);
    if (used <= 0 || used > colorCount)
        used = colorCount;
    if (info.biSize + 4ull * used > headerBytes)
        return FALSE;
    // The header may claim any size: before the bits are allocated (up to a gigabyte, and as long to
    // turn over) the file must hold them, so that a file of a few bytes cannot make a picture of one
    // row as wide as a gigabyte. Some writers leave out the padding of the last row: a file may lack
    // that and nothing more. An archive holds the whole image.
    const unsigned long long rowBytes = (static_cast<unsigned long long>(info.biWidth) * bitsPerPixel + 7) / 8;
    const unsigned long long stride = (rowBytes + 3) / 4 * 4;
    const unsigned long long imageBytes = stride * static_cast<unsigned long long>(height);
    if (file) {
        const ULONGLONG length = file->GetLength();
        const ULONGLONG available = length > fileHeader.bitsOffset ? length - fileHeader.bitsOffset : 0;
        if (available + (stride - rowBytes) < imageBytes)
            return FALSE;
    } else {
        CFile* archiveFile = archive->GetFile();
        auto rest = [archiveFile] {
            const ULONGLONG length = archiveFile->GetLength();
            const ULONGLONG position = archiveFile->GetPosition();
            return length > position ? length - position : 0;
        };
        // The archive's read-ahead is not in the file's rest until it is given back.
        if (rest() < imageBytes) {
            archive->Flush();
            if (rest() < imageBytes)
                return FALSE;
        }
    }
    if (!AllocateImage(info.biWidth, static_cast<int>(height), bitsPerPixel))
        return FALSE;

    BITMAPINFOHEADER& held = m_header->bmiHeader;
    held.biXPelsPerMeter = info.biXPelsPerMeter;
    held.biYPelsPerMeter = info.biYPelsPerMeter;
    held.biClrUsed = used == colorCount ? 0 : static_cast<DWORD>(used);
    if (used)
        std::memcpy(m_colorTable, headerBlock.data() + info.biSize, 4 * static_cast<size_t>(used));

    // From a file the bits are what follows the offset, never more than the image holds; from an
    // archive exactly the image size.
    UINT bitsSize = static_cast<UINT>(m_bitsSize);
    if (file) {
        const ULONGLONG length = file->GetLength();
        const ULONGLONG available = length > fileHeader.bitsOffset ? length - fileHeader.bitsOffset : 0;
        bitsSize = static_cast<UINT>(std::min<ULONGLONG>(available, bitsSize));
        if (get(m_bits, bitsSize) != bitsSize) {
            Free();
            return FALSE;
        }
    } else if (get(m_bits, bitsSize) != bitsSize) {
        Free();
        return FALSE;
    }
    m_hasImage = TRUE;
    if (topDown)
        Flip();
    return TRUE;
}
