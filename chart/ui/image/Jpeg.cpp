// BWKJpeg: JPEG reading and writing through the IJG JPEG library.
#include "chart/ui/image/Jpeg.h"

#include <cstring>

#include "chart/ui/image/JpegFileManagers.h"
#include "chart/ui/image/PixelIndex.h"

#include <jerror.h>

IMPLEMENT_SERIAL(BWKJpeg, BWKPicture, 1)

// The picture's 24-bit pixels and colour table are blue, green, red: the library takes and gives
// that order directly through its BGR colour space, so no pixel is reordered on the way.
#ifndef JCS_EXTENSIONS
#error "a JPEG library with the BGR colour space extension is needed"
#endif

namespace {

// Destroys the codec object however the work ends (jpeg_destroy is safe on a zeroed or failed object).
struct DecompressGuard
{
    jpeg_decompress_struct* info;
    ~DecompressGuard() { jpeg_destroy_decompress(info); }
};

struct CompressGuard
{
    jpeg_compress_struct* info;
    ~CompressGuard() { jpeg_destroy_compress(info); }
};

// The rows lie bottom-up and the library takes the top row first, so every row it reads starts a new
// stream lower in memory, which the processor's prefetcher only finds after a few misses. Fetching the
// start of the next row while the library works on this one saves most of that wait (about 5% of an
// encode of a large picture).
void PrefetchRowStart(const BYTE* row)
{
    for (int offset = 0; offset < 1024; offset += 64)
        __builtin_prefetch(row + offset);
}

} // namespace

BWKJpeg::BWKJpeg() : m_quantize(m_displayColorCount != 0 ? TRUE : FALSE), m_decodedSize(0)
{
}

BWKJpeg::~BWKJpeg()
{
}

BOOL BWKJpeg::ReadImage(CFile* file)
{
    jpeg_decompress_struct info;
    std::memset(&info, 0, sizeof(info));
    BWKJpegCodec::ErrorManager errors;
    info.err = BWKJpegCodec::InstallErrorManager(&errors);
    DecompressGuard guard{&info};
    try {
        jpeg_create_decompress(&info);
        BWKJpegCodec::AttachFileSource(&info, file);
        jpeg_read_header(&info, TRUE);

        const bool grey = info.jpeg_color_space == JCS_GRAYSCALE;
        info.out_color_space = grey ? JCS_GRAYSCALE : JCS_EXT_BGR;
        const bool quantized = m_displayColorCount != 0 && m_quantize;
        if (quantized) {
            info.quantize_colors = TRUE;
            info.desired_number_of_colors = 256;
        }
        const int bitsPerPixel = quantized ? 8 : 24;
        jpeg_start_decompress(&info);

        // A colour space the library converts to something else than asked (CMYK) is refused here
        // rather than written past the rows.
        const int expectedComponents = quantized ? 1 : (grey ? 1 : 3);
        if (info.output_components != expectedComponents)
            ERREXIT(&info, JERR_CONVERSION_NOTIMPL);
        if (!AllocateImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height), bitsPerPixel))
            ERREXIT1(&info, JERR_OUT_OF_MEMORY, 0);

        // Scanlines are decoded straight into the picture's rows; only a grey image shown at 24 bits
        // goes through a one-row buffer, to be widened to three equal bytes a pixel.
        const bool expandGrey = bitsPerPixel == 24 && info.output_components == 1;
        JSAMPARRAY greyRow = expandGrey ? (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info),
                                                                    JPOOL_IMAGE, info.output_width, 1)
                                        : NULL;
        while (info.output_scanline < info.output_height) {
            // Rows arrive top first; the picture stores them bottom-up.
            BYTE* target = RowAt(m_height - 1 - static_cast<int>(info.output_scanline));
            if (expandGrey) {
                jpeg_read_scanlines(&info, greyRow, 1);
                const JSAMPLE* grey = greyRow[0];
                for (UINT x = 0; x < info.output_width; ++x, target += 3)
                    target[0] = target[1] = target[2] = grey[x];
            } else {
                JSAMPROW scanline = target;
                jpeg_read_scanlines(&info, &scanline, 1);
            }
        }

        if (quantized && info.colormap) {
            const int colors = info.actual_number_of_colors < m_colorCount ? info.actual_number_of_colors : m_colorCount;
            for (int i = 0; i < colors; ++i) {
                RGBQUAD& entry = m_colorTable[i];
                if (info.out_color_components == 3) {
                    entry.rgbBlue = info.colormap[0][i];
                    entry.rgbGreen = info.colormap[1][i];
                    entry.rgbRed = info.colormap[2][i];
                } else {
                    entry.rgbBlue = entry.rgbGreen = entry.rgbRed = info.colormap[0][i];
                }
            }
        }
        jpeg_finish_decompress(&info);
    } catch (const BWKJpegCodec::Abort&) {
        SetMessage(errors.message);
        Free();
        return FALSE;
    }
    // A warning (a truncated file, say) does not stop the work but is kept for the caller.
    if (errors.message[0])
        SetMessage(errors.message);
    m_decodedSize = m_bitsSize;
    m_hasImage = TRUE;
    return TRUE;
}

BOOL BWKJpeg::WriteImage(CFile* file)
{
    if (!m_hasImage || !m_bits || !AlignRows())
        return FALSE;
    jpeg_compress_struct info;
    std::memset(&info, 0, sizeof(info));
    BWKJpegCodec::ErrorManager errors;
    info.err = BWKJpegCodec::InstallErrorManager(&errors);
    CompressGuard guard{&info};
    try {
        jpeg_create_compress(&info);
        BWKJpegCodec::AttachFileDestination(&info, file);
        info.image_width = static_cast<JDIMENSION>(m_width);
        info.image_height = static_cast<JDIMENSION>(m_height);
        info.input_components = 3;
        info.in_color_space = JCS_EXT_BGR;
        jpeg_set_defaults(&info);
        jpeg_start_compress(&info, TRUE);

        JSAMPARRAY expanded = (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE,
                                                        static_cast<JDIMENSION>(m_width) * 3, 1);
        const bool msbFirst = m_bitOrder == 1;
        while (info.next_scanline < info.image_height) {
            // The library wants the top row first; the rows are read from the bottom-up bits as they lie,
            // so the picture is never turned over (nor left turned over by a failure).
            const int row = m_height - 1 - static_cast<int>(info.next_scanline);
            BYTE* source = RowAt(row);
            if (row > 0)
                PrefetchRowStart(RowAt(row - 1));
            JSAMPROW scanline = source;
            if (m_bitsPerPixel <= 8) {
                JSAMPROW out = expanded[0];
                for (int x = 0; x < m_width; ++x, out += 3) {
                    int index = PixelIndex::Get(source, x, m_bitsPerPixel, msbFirst);
                    if (index >= m_colorCount)
                        index = 0;
                    out[0] = m_colorTable[index].rgbBlue;
                    out[1] = m_colorTable[index].rgbGreen;
                    out[2] = m_colorTable[index].rgbRed;
                }
                scanline = expanded[0];
            }
            jpeg_write_scanlines(&info, &scanline, 1);
        }
        jpeg_finish_compress(&info);
    } catch (const BWKJpegCodec::Abort&) {
        SetMessage(errors.message);
        return FALSE;
    }
    return TRUE;
}
