// libjpeg built for the target compresses and decompresses in memory.
#include <cstdio>
#include <vector>

#include <jpeglib.h>

#include <gtest/gtest.h>

TEST(JpegSmoke, RoundTripKeepsSize)
{
    const int width = 40, height = 24;
    std::vector<unsigned char> rgb(width * height * 3);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            unsigned char* p = &rgb[(y * width + x) * 3];
            p[0] = static_cast<unsigned char>(x * 6);
            p[1] = static_cast<unsigned char>(y * 10);
            p[2] = 128;
        }

    jpeg_compress_struct cinfo{};
    jpeg_error_mgr cerr{};
    cinfo.err = jpeg_std_error(&cerr);
    jpeg_create_compress(&cinfo);
    unsigned char* encoded = nullptr;
    unsigned long encodedSize = 0;
    jpeg_mem_dest(&cinfo, &encoded, &encodedSize);
    cinfo.image_width = width;
    cinfo.image_height = height;
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 90, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = &rgb[cinfo.next_scanline * width * 3];
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    ASSERT_GT(encodedSize, 0u);

    jpeg_decompress_struct dinfo{};
    jpeg_error_mgr derr{};
    dinfo.err = jpeg_std_error(&derr);
    jpeg_create_decompress(&dinfo);
    jpeg_mem_src(&dinfo, encoded, encodedSize);
    ASSERT_EQ(jpeg_read_header(&dinfo, TRUE), JPEG_HEADER_OK);
    jpeg_start_decompress(&dinfo);
    EXPECT_EQ(dinfo.output_width, static_cast<JDIMENSION>(width));
    EXPECT_EQ(dinfo.output_height, static_cast<JDIMENSION>(height));
    EXPECT_EQ(dinfo.output_components, 3);
    std::vector<unsigned char> decoded(width * height * 3);
    while (dinfo.output_scanline < dinfo.output_height) {
        JSAMPROW row = &decoded[dinfo.output_scanline * width * 3];
        jpeg_read_scanlines(&dinfo, &row, 1);
    }
    jpeg_finish_decompress(&dinfo);
    jpeg_destroy_decompress(&dinfo);
    free(encoded);

    // Lossy, but a smooth gradient stays close.
    const unsigned char* mid = &decoded[(12 * width + 20) * 3];
    EXPECT_NEAR(mid[0], 120, 12);
    EXPECT_NEAR(mid[1], 120, 12);
    EXPECT_NEAR(mid[2], 128, 12);
}
