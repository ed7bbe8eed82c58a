// Encodes and decodes a 2000 x 1500 picture through BWKJpeg and through plain libjpeg calls with
// stdio files, and prints the best of several runs of each. Both encodes write to a file opened for
// them; the toolkit's save by path, which also makes the file safe on the disk and moves it over the
// target, is timed on its own line.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "chart/ui/image/Jpeg.h"

#include <jpeglib.h>

namespace {

const int Width = 2000;
const int Height = 1500;
const int Runs = 30;

class BenchJpeg : public BWKJpeg
{
public:
    BOOL Create()
    {
        m_displayColorCount = 0; // always the 24-bit path
        if (!AllocateImage(Width, Height, 24))
            return FALSE;
        m_hasImage = TRUE;
        return PrepareHeader();
    }
    BYTE* Row(int row) { return RowAt(row); }
};

// Smooth gradients with a little texture, something like a chart with shading.
BYTE Sample(int x, int y, int channel)
{
    const int texture = ((x * 7 + y * 13) ^ (x >> 3)) & 15;
    switch (channel) {
    case 0: return static_cast<BYTE>((x * 255 / Width + texture) & 255);
    case 1: return static_cast<BYTE>((y * 255 / Height + texture) & 255);
    default: return static_cast<BYTE>(((x + y) * 255 / (Width + Height)) ^ texture);
    }
}

long long Now()
{
    LARGE_INTEGER counter;
    ::QueryPerformanceCounter(&counter);
    return counter.QuadPart;
}

long long Microseconds(long long ticks)
{
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return ticks * 1000000 / frequency.QuadPart;
}

void PlainEncode(const char* path, const std::vector<BYTE>& rgb)
{
    FILE* output = fopen(path, "wb");
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, output);
    info.image_width = Width;
    info.image_height = Height;
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<BYTE*>(&rgb[static_cast<size_t>(info.next_scanline) * Width * 3]);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    fclose(output);
}

bool PlainDecode(const char* path, std::vector<BYTE>& rgb)
{
    FILE* input = fopen(path, "rb");
    jpeg_decompress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, input);
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    rgb.resize(static_cast<size_t>(info.output_width) * info.output_height * 3);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = &rgb[static_cast<size_t>(info.output_scanline) * info.output_width * 3];
        jpeg_read_scanlines(&info, &row, 1);
    }
    const bool sized = info.output_width == Width && info.output_height == Height;
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    fclose(input);
    return sized;
}

std::string Milliseconds(long long micros)
{
    return std::to_string(micros / 1000) + "." + std::to_string(micros / 100 % 10) + " ms";
}

std::string Ratio(long long toolkit, long long plain)
{
    const long long hundredths = plain > 0 ? (toolkit * 100 + plain / 2) / plain : 0;
    const long long fraction = hundredths % 100;
    return std::to_string(hundredths / 100) + (fraction < 10 ? ".0" : ".") + std::to_string(fraction);
}

} // namespace

int main()
{
    char folder[MAX_PATH];
    ::GetTempPathA(MAX_PATH, folder);
    const std::string toolkitPath = std::string(folder) + "jpeg_bench_toolkit.jpg";
    const std::string plainPath = std::string(folder) + "jpeg_bench_plain.jpg";

    BenchJpeg picture;
    if (!picture.Create()) {
        std::puts("cannot allocate the picture");
        return 1;
    }
    std::vector<BYTE> rgb(static_cast<size_t>(Width) * Height * 3);
    for (int y = 0; y < Height; ++y) {
        BYTE* bgr = picture.Row(Height - 1 - y);
        BYTE* plain = &rgb[static_cast<size_t>(y) * Width * 3];
        for (int x = 0; x < Width; ++x) {
            const BYTE red = Sample(x, y, 0), green = Sample(x, y, 1), blue = Sample(x, y, 2);
            bgr[3 * x] = blue;
            bgr[3 * x + 1] = green;
            bgr[3 * x + 2] = red;
            plain[3 * x] = red;
            plain[3 * x + 1] = green;
            plain[3 * x + 2] = blue;
        }
    }

    long long toolkitEncode = -1, toolkitDecode = -1, toolkitSaveByPath = -1, plainEncode = -1, plainDecode = -1;
    auto best = [](long long& slot, long long value) { slot = slot < 0 ? value : std::min(slot, value); };
    auto toolkitRun = [&]() {
        // Opened as the plain encode opens its file: created or truncated, then written.
        long long start = Now();
        CFile file;
        if (!file.Open(toolkitPath.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive) ||
            !picture.Save(&file)) {
            std::puts("toolkit save failed");
            return false;
        }
        file.Close();
        best(toolkitEncode, Now() - start);

        BWKJpeg loaded;
        start = Now();
        if (!loaded.LoadFromPath(toolkitPath.c_str()) || loaded.GetWidth() != Width) {
            std::puts("toolkit load failed");
            return false;
        }
        best(toolkitDecode, Now() - start);

        // Last, so that the decode follows the encode as the plain decode does.
        start = Now();
        if (!picture.SaveToPath(toolkitPath.c_str())) {
            std::puts("toolkit save by path failed");
            return false;
        }
        best(toolkitSaveByPath, Now() - start);
        return true;
    };
    auto plainRun = [&]() {
        long long start = Now();
        PlainEncode(plainPath.c_str(), rgb);
        best(plainEncode, Now() - start);

        std::vector<BYTE> decoded;
        start = Now();
        if (!PlainDecode(plainPath.c_str(), decoded)) {
            std::puts("plain decode failed");
            return false;
        }
        best(plainDecode, Now() - start);
        return true;
    };
    // The two take turns at going first, so that neither always finds the caches as the other left them.
    for (int run = 0; run < Runs; ++run) {
        const bool ok = run % 2 == 0 ? toolkitRun() && plainRun() : plainRun() && toolkitRun();
        if (!ok)
            return 1;
    }
    ::DeleteFileA(toolkitPath.c_str());
    ::DeleteFileA(plainPath.c_str());

    const long long toolkitTotal = Microseconds(toolkitEncode) + Microseconds(toolkitDecode);
    const long long plainTotal = Microseconds(plainEncode) + Microseconds(plainDecode);
    std::printf("JPEG %d x %d, best of %d runs\n", Width, Height, Runs);
    std::printf("toolkit (BWKJpeg): encode %s, decode %s, total %s\n", Milliseconds(Microseconds(toolkitEncode)).c_str(),
                Milliseconds(Microseconds(toolkitDecode)).c_str(), Milliseconds(toolkitTotal).c_str());
    std::printf("plain libjpeg:     encode %s, decode %s, total %s\n", Milliseconds(Microseconds(plainEncode)).c_str(),
                Milliseconds(Microseconds(plainDecode)).c_str(), Milliseconds(plainTotal).c_str());
    std::printf("ratio toolkit / plain: encode %s, decode %s, total %s\n",
                Ratio(Microseconds(toolkitEncode), Microseconds(plainEncode)).c_str(),
                Ratio(Microseconds(toolkitDecode), Microseconds(plainDecode)).c_str(),
                Ratio(toolkitTotal, plainTotal).c_str());
    // The temporary file, its flush to the disk and the move over the target come on top of the encode.
    std::printf("toolkit save by path (encode, flush to disk, move over the target): %s, ratio to plain encode %s\n",
                Milliseconds(Microseconds(toolkitSaveByPath)).c_str(),
                Ratio(Microseconds(toolkitSaveByPath), Microseconds(plainEncode)).c_str());
    return 0;
}
