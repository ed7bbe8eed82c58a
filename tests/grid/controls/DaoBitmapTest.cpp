// The bitmap cell and the OLE variant user attribute that carries its bytes: a bitmap file behind a
// header of any length is drawn, anything else (a bare DIB, another variant type, a file cut short
// or with headers past its data) draws nothing and reads nothing past the bytes; the attribute's
// clones are independent and its archive form keeps the bytes.
#include "grid/controls/DaoBitmap.h"

#include "framework/core/Archive.h"
#include "framework/core/File.h"
#include "framework/core/Variant.h"
#include "grid/controls/OleVarUserAttribute.h"

#include "DrawnCellTestGrid.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace
{
const COLORREF kPicture = RGB(10, 200, 30);
const COLORREF kOther = RGB(200, 20, 180);

// A 4 x 4 bitmap file of 24 bits per pixel in one colour.
std::vector<BYTE> BitmapFile()
{
    const int nStride = 12;
    const DWORD nBits = nStride * 4;
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + nBits;
    info.biSize = sizeof info;
    info.biWidth = 4;
    info.biHeight = 4;
    info.biPlanes = 1;
    info.biBitCount = 24;
    std::vector<BYTE> bytes(file.bfSize);
    std::memcpy(bytes.data(), &file, sizeof file);
    std::memcpy(bytes.data() + sizeof file, &info, sizeof info);
    for (DWORD i = 0; i < nBits; i += 3)
    {
        bytes[file.bfOffBits + i] = GetBValue(kPicture);
        bytes[file.bfOffBits + i + 1] = GetGValue(kPicture);
        bytes[file.bfOffBits + i + 2] = GetRValue(kPicture);
    }
    return bytes;
}

// A run-length bitmap file of the given bits, in three colours: white, the picture's and another.
// nSizeImage replaces the header's image size when given.
std::vector<BYTE> RunLengthFileOf(DWORD nCompression, LONG nWidth, LONG nHeight, const std::vector<BYTE>& bits,
                                  DWORD nSizeImage = 0)
{
    const RGBQUAD palette[3] = {{255, 255, 255, 0},
                                {GetBValue(kPicture), GetGValue(kPicture), GetRValue(kPicture), 0},
                                {GetBValue(kOther), GetGValue(kOther), GetRValue(kOther), 0}};
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info + sizeof palette;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(bits.size());
    info.biSize = sizeof info;
    info.biWidth = nWidth;
    info.biHeight = nHeight;
    info.biPlanes = 1;
    info.biBitCount = nCompression == BI_RLE4 ? 4 : 8;
    info.biCompression = nCompression;
    info.biSizeImage = nSizeImage != 0 ? nSizeImage : static_cast<DWORD>(bits.size());
    info.biClrUsed = 3;
    std::vector<BYTE> bytes(file.bfOffBits);
    std::memcpy(bytes.data(), &file, sizeof file);
    std::memcpy(bytes.data() + sizeof file, &info, sizeof info);
    std::memcpy(bytes.data() + sizeof file + sizeof info, palette, sizeof palette);
    bytes.insert(bytes.end(), bits.begin(), bits.end());
    return bytes;
}

// Run-length codes: a run of n pixels in the picture's colour, the end of a row, the end of the bitmap
// and a move up of n rows.
void AddRun(std::vector<BYTE>& bits, DWORD nCompression, BYTE n)
{
    bits.insert(bits.end(), {n, static_cast<BYTE>(nCompression == BI_RLE4 ? 0x11 : 0x01)});
}
void AddEndOfLine(std::vector<BYTE>& bits) { bits.insert(bits.end(), {0, 0}); }
void AddEndOfBitmap(std::vector<BYTE>& bits) { bits.insert(bits.end(), {0, 1}); }
void AddMoveUp(std::vector<BYTE>& bits, BYTE n) { bits.insert(bits.end(), {0, 2, 0, n}); }

// A run-length bitmap file in one colour, nWidth (up to 255) x 4: each row one run and its end, then
// the end of the bitmap. nSizeImage replaces the header's image size when given.
std::vector<BYTE> RunLengthFile(DWORD nCompression, DWORD nSizeImage = 0, BYTE nWidth = 4)
{
    std::vector<BYTE> bits;
    for (int nRow = 0; nRow < 4; ++nRow)
    {
        AddRun(bits, nCompression, nWidth);
        AddEndOfLine(bits);
    }
    AddEndOfBitmap(bits);
    return RunLengthFileOf(nCompression, nWidth, 4, bits, nSizeImage);
}

// A run-length bitmap file whose runs paint four pixels of each of its top two rows and skip every
// other pixel: each lower row with an end-of-line code, or all of them with moves of up to 255 rows.
std::vector<BYTE> SkippingRunLengthFile(DWORD nCompression, LONG nWidth, LONG nHeight, bool bMoves)
{
    std::vector<BYTE> bits;
    for (LONG nLeft = nHeight - 2; nLeft > 0;)
    {
        const LONG nRows = bMoves ? std::min<LONG>(nLeft, 255) : 1;
        if (bMoves)
            AddMoveUp(bits, static_cast<BYTE>(nRows));
        else
            AddEndOfLine(bits);
        nLeft -= nRows;
    }
    AddRun(bits, nCompression, 4);
    AddEndOfLine(bits);
    AddRun(bits, nCompression, 4);
    AddEndOfBitmap(bits);
    return RunLengthFileOf(nCompression, nWidth, nHeight, bits);
}

// The file with its header claiming another size.
std::vector<BYTE> Claiming(std::vector<BYTE> file, LONG nWidth, LONG nHeight)
{
    std::memcpy(file.data() + sizeof(BITMAPFILEHEADER) + 4, &nWidth, sizeof nWidth);
    std::memcpy(file.data() + sizeof(BITMAPFILEHEADER) + 8, &nHeight, sizeof nHeight);
    return file;
}

std::vector<BYTE> WithLeadingHeader(size_t nHeader, const std::vector<BYTE>& file)
{
    std::vector<BYTE> bytes(nHeader, 0x01);
    bytes.insert(bytes.end(), file.begin(), file.end());
    return bytes;
}

CGXOleVarUserAttribute* ByteAttribute(const std::vector<BYTE>& bytes)
{
    VARIANT variant;
    GXMakeByteArrayVariant(variant, bytes.data(), static_cast<DWORD>(bytes.size()));
    CGXOleVarUserAttribute* pAttribute = new CGXOleVarUserAttribute;
    pAttribute->SetVariant(variant);
    ::VariantClear(&variant);
    return pAttribute;
}

std::vector<BYTE> BytesOf(const CGXOleVarUserAttribute& attribute)
{
    CByteArray bytes;
    if (attribute.GetVariant() != nullptr)
        GXGetByteArrayVariant(*attribute.GetVariant(), bytes);
    return std::vector<BYTE>(bytes.GetData(), bytes.GetData() + bytes.GetSize());
}

class DaoBitmapTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(grid.Open()); }

    // Draws cell (1, 1) holding the attribute on the interior; the colours at the points, each from the
    // text area's corner.
    std::vector<COLORREF> DrawnAt(CGXAbstractUserAttribute* pAttribute, const std::vector<CPoint>& points,
                                  COLORREF interior = RGB(255, 255, 255))
    {
        CGXStyle style;
        style.SetControl(GX_IDS_CTRL_DAOBITMAP).SetInterior(interior);
        style.SetUserAttributePtr(GX_IDS_UA_DAOBITMAP, pAttribute);
        grid.SetCell(1, 1, style);
        CGXControl* pCell = grid.GetRegisteredControl(GX_IDS_CTRL_DAOBITMAP);
        const CGXStyle& composed = grid.LookupStyleRowCol(1, 1);
        MemoryCanvas canvas(60, 20);
        pCell->Draw(&canvas.dc, CRect(0, 0, 60, 20), 1, 1, composed, nullptr);
        const CRect rect(0, 0, 60, 20);
        const CPoint corner = pCell->GetCellRect(1, 1, &rect, &composed).TopLeft();
        std::vector<COLORREF> colors;
        for (const CPoint& point : points)
            colors.push_back(canvas.At(corner.x + point.x, corner.y + point.y));
        return colors;
    }

    // Whether the picture shows at the text area's corner.
    BOOL DrawsPicture(CGXAbstractUserAttribute* pAttribute) { return DrawnAt(pAttribute, {CPoint(1, 1)})[0] == kPicture; }

    BrowserGrid grid;
};
}  // namespace

TEST_F(DaoBitmapTest, ABitmapFileAfterALeadingHeaderIsDrawn)
{
    EXPECT_TRUE(DrawsPicture(ByteAttribute(WithLeadingHeader(78, BitmapFile()))));
    EXPECT_TRUE(DrawsPicture(ByteAttribute(BitmapFile())));
    EXPECT_EQ(grid.nHeldAsked, 2);
    EXPECT_EQ(grid.offered.size(), 2u);
}

TEST_F(DaoBitmapTest, BytesThatHoldNoWholeBitmapFileDrawNothing)
{
    const std::vector<BYTE> file = BitmapFile();
    const std::vector<BYTE> bareDib(file.begin() + sizeof(BITMAPFILEHEADER), file.end());
    const std::vector<BYTE> truncated(file.begin(), file.end() - 5);
    std::vector<BYTE> hugeHeader = file;
    const DWORD nHugeSize = 0x7FFFFFF0;
    std::memcpy(hugeHeader.data() + sizeof(BITMAPFILEHEADER), &nHugeSize, sizeof nHugeSize);
    std::vector<BYTE> hugeWidth = file;
    const LONG nHugeWidth = 0x40000000;
    std::memcpy(hugeWidth.data() + sizeof(BITMAPFILEHEADER) + 4, &nHugeWidth, sizeof nHugeWidth);
    std::vector<BYTE> paletteBeyond = file;
    const WORD nEightBits = 8;
    std::memcpy(paletteBeyond.data() + sizeof(BITMAPFILEHEADER) + 14, &nEightBits, sizeof nEightBits);
    const std::vector<BYTE> onlyMagic = {'x', 'B', 'M'};

    const std::vector<const std::vector<BYTE>*> refused = {&bareDib,   &truncated,     &hugeHeader,
                                                           &hugeWidth, &paletteBeyond, &onlyMagic};
    for (const std::vector<BYTE>* pBytes : refused)
    {
        VARIANT variant;
        GXMakeByteArrayVariant(variant, pBytes->data(), static_cast<DWORD>(pBytes->size()));
        EXPECT_EQ(GXDIBFromVariantBytes(&variant), nullptr) << pBytes->size();
        ::VariantClear(&variant);
        EXPECT_FALSE(DrawsPicture(ByteAttribute(*pBytes))) << pBytes->size();
    }

    COleVariant text("BM and more");
    CGXOleVarUserAttribute* pText = new CGXOleVarUserAttribute;
    pText->SetVariant(text);
    EXPECT_EQ(GXDIBFromVariantBytes(&text), nullptr);
    EXPECT_FALSE(DrawsPicture(pText));
    EXPECT_TRUE(grid.offered.empty());
}

// Compressed bits are bounded by the header's image size: within the bytes they are drawn. The
// platform expands them to the whole picture at every paint: a picture of more than 64 MB when
// expanded is not drawn, however few bytes its runs take.
TEST_F(DaoBitmapTest, ARunLengthBitmapIsDrawnWhenItsImageSizeLiesWithinTheBytes)
{
    std::vector<BYTE> wrongDepth = RunLengthFile(BI_RLE8);
    const WORD nTwentyFour = 24;
    std::memcpy(wrongDepth.data() + sizeof(BITMAPFILEHEADER) + 14, &nTwentyFour, sizeof nTwentyFour);
    std::vector<BYTE> noImageSize = RunLengthFile(BI_RLE8);
    const DWORD nZero = 0;
    std::memcpy(noImageSize.data() + sizeof(BITMAPFILEHEADER) + 20, &nZero, sizeof nZero);
    const struct
    {
        const char* what;
        std::vector<BYTE> bytes;
        BOOL drawn;
        BOOL shown;  // the picture's colour at the corner: its top rows are painted
    } cases[] = {
        {"8 bits", RunLengthFile(BI_RLE8), TRUE, TRUE},
        {"4 bits", RunLengthFile(BI_RLE4), TRUE, TRUE},
        {"8 bits behind a header", WithLeadingHeader(78, RunLengthFile(BI_RLE8)), TRUE, TRUE},
        {"image size past the bytes", RunLengthFile(BI_RLE8, 1000), FALSE, FALSE},
        {"no image size", noImageSize, FALSE, FALSE},
        {"image size wrapping round", RunLengthFile(BI_RLE8, 0xFFFFFFFF), FALSE, FALSE},
        {"24 bits", wrongDepth, FALSE, FALSE},
        {"8 bits, runs of 255 pixels", RunLengthFile(BI_RLE8, 0, 255), TRUE, TRUE},
        {"4 bits, runs of 255 pixels", RunLengthFile(BI_RLE4, 0, 255), TRUE, TRUE},
        {"8 bits claiming 30,000 x 30,000", Claiming(RunLengthFile(BI_RLE8), 30000, 30000), FALSE, FALSE},
        {"4 bits claiming 30,000 x 30,000", Claiming(RunLengthFile(BI_RLE4), 30000, 30000), FALSE, FALSE},
        {"8 bits claiming rows of 30,000", Claiming(RunLengthFile(BI_RLE8), 30000, 4), TRUE, TRUE},
        // The runs paint the bottom rows: the top ones, which the cell shows, are skipped.
        {"4 bits claiming 30,000 rows", Claiming(RunLengthFile(BI_RLE4), 4, 30000), TRUE, FALSE},
        {"8 bits, 8,192 x 8,192: 64 MB expanded", SkippingRunLengthFile(BI_RLE8, 8192, 8192, true), TRUE, TRUE},
        {"8 bits, 8,192 x 8,193", SkippingRunLengthFile(BI_RLE8, 8192, 8193, true), FALSE, FALSE},
        {"4 bits, 8,192 x 16,385", SkippingRunLengthFile(BI_RLE4, 8192, 16385, true), FALSE, FALSE},
    };
    for (const auto& c : cases)
    {
        VARIANT variant;
        GXMakeByteArrayVariant(variant, c.bytes.data(), static_cast<DWORD>(c.bytes.size()));
        HGLOBAL hDIB = GXDIBFromVariantBytes(&variant);
        EXPECT_EQ(hDIB != nullptr, c.drawn) << c.what;
        if (hDIB != nullptr)
            ::GlobalFree(hDIB);
        ::VariantClear(&variant);
        EXPECT_EQ(DrawsPicture(ByteAttribute(c.bytes)), c.shown) << c.what;
    }
}

// A run-length picture may skip pixels with end-of-line codes, moves and its end: a picture of
// 1,000 x 1,000 pixels whose rows are each one end-of-line code takes about two kilobytes. It is
// drawn, and what its runs skip shows the cell's background.
TEST_F(DaoBitmapTest, ARunLengthPictureThatSkipsMostOfItsPixelsIsDrawnOnTheBackground)
{
    const COLORREF interior = RGB(250, 240, 10);
    for (DWORD nCompression : {DWORD(BI_RLE8), DWORD(BI_RLE4)})
        for (bool bMoves : {false, true})
        {
            const std::vector<BYTE> bytes = SkippingRunLengthFile(nCompression, 1000, 1000, bMoves);
            const char* what = nCompression == BI_RLE8 ? (bMoves ? "8 bits, moves" : "8 bits, ends of rows")
                                                       : (bMoves ? "4 bits, moves" : "4 bits, ends of rows");
            EXPECT_LT(bytes.size(), 2200u) << what;
            // A painted pixel of the top rows, one skipped beside it, and one of a skipped row.
            const std::vector<COLORREF> colors = DrawnAt(ByteAttribute(bytes), {CPoint(1, 1), CPoint(9, 1), CPoint(1, 5)}, interior);
            EXPECT_EQ(colors[0], kPicture) << what;
            EXPECT_EQ(colors[1], interior) << what;
            EXPECT_EQ(colors[2], interior) << what;
        }
}

// Every code of both depths paints its own pixels: runs (of two alternating colours at 4 bits),
// pixels taken as they are (padded to a word), ends of rows, a move and the end of the bitmap. What
// no code paints shows the cell's background.
TEST_F(DaoBitmapTest, TheCodesOfARunLengthPicturePaintTheirPixels)
{
    const COLORREF interior = RGB(250, 240, 10);
    // Rows from the bottom: two of the picture's and three as they are; a move of two pixels and two
    // of the other colour; a run over the whole row.
    const std::vector<BYTE> eightBits = {2, 1, 0, 3, 2, 0, 1, 0, 0, 0, 0, 2, 2, 0, 2, 2, 0, 0, 6, 1, 0, 1};
    const std::vector<BYTE> fourBits = {2, 0x11, 0, 3, 0x20, 0x10, 0, 0, 0, 2, 2, 0, 2, 0x22, 0, 0, 6, 0x12, 0, 1};
    const struct
    {
        DWORD nCompression;
        const std::vector<BYTE>& bits;
        const char* rows[3];  // from the top: P the picture's colour, O the other, W white, . the background
    } cases[] = {
        {BI_RLE8, eightBits, {"PPPPPP", "..OO..", "PPOWP."}},
        {BI_RLE4, fourBits, {"POPOPO", "..OO..", "PPOWP."}},
    };
    for (const auto& c : cases)
    {
        std::vector<CPoint> points;
        std::string expected;
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 6; ++x)
            {
                points.emplace_back(x, y);
                expected += c.rows[y][x];
            }
        const std::vector<COLORREF> colors =
            DrawnAt(ByteAttribute(RunLengthFileOf(c.nCompression, 6, 3, c.bits)), points, interior);
        std::string drawn;
        for (COLORREF color : colors)
            drawn += color == kPicture ? 'P' : color == kOther ? 'O' : color == RGB(255, 255, 255) ? 'W' : color == interior ? '.' : '?';
        EXPECT_EQ(drawn, expected) << (c.nCompression == BI_RLE8 ? "8 bits" : "4 bits");
    }
}

TEST_F(DaoBitmapTest, TheConversionKeepsTheFileHeaderOnlyWhenAsked)
{
    VARIANT variant;
    const std::vector<BYTE> bytes = WithLeadingHeader(10, BitmapFile());
    GXMakeByteArrayVariant(variant, bytes.data(), static_cast<DWORD>(bytes.size()));
    for (BOOL bKeep : {TRUE, FALSE})
    {
        HGLOBAL hDIB = GXDIBFromVariantBytes(&variant, bKeep);
        ASSERT_NE(hDIB, nullptr);
        const BYTE* p = static_cast<const BYTE*>(::GlobalLock(hDIB));
        if (bKeep)
            EXPECT_EQ(std::memcmp(p, "BM", 2), 0);
        else
            EXPECT_EQ(reinterpret_cast<const BITMAPINFOHEADER*>(p)->biWidth, 4);
        ::GlobalUnlock(hDIB);
        ::GlobalFree(hDIB);
    }
    ::VariantClear(&variant);
}

TEST_F(DaoBitmapTest, ABrowserGridMayKeepTheConvertedBitmap)
{
    grid.bKeep = TRUE;
    EXPECT_TRUE(DrawsPicture(ByteAttribute(BitmapFile())));
    ASSERT_EQ(grid.offered.size(), 1u);
    // Kept by the grid: still a live block, the grid's to free.
    EXPECT_NE(::GlobalSize(grid.offered[0]), 0u);
    ::GlobalFree(grid.offered[0]);
}

TEST_F(DaoBitmapTest, ACellWithoutTheAttributeIsStaticText)
{
    CGXStyle style;
    style.SetControl(GX_IDS_CTRL_DAOBITMAP).SetValue("WWWW").SetTextColor(RGB(0, 0, 0));
    grid.SetCell(1, 1, style);
    MemoryCanvas canvas(60, 20);
    grid.GetRegisteredControl(GX_IDS_CTRL_DAOBITMAP)
        ->Draw(&canvas.dc, CRect(0, 0, 60, 20), 1, 1, grid.LookupStyleRowCol(1, 1), nullptr);
    int nDark = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 60; ++x)
            nDark += canvas.At(x, y) == RGB(0, 0, 0);
    EXPECT_GT(nDark, 10);
}

TEST(CGXOleVarUserAttribute, ANewAttributeIsEmptyAndHasNoText)
{
    CGXOleVarUserAttribute attribute;
    EXPECT_TRUE(attribute.IsEmpty());
    EXPECT_EQ(attribute.GetValue(), "");
    attribute.SetValue("text is ignored");
    EXPECT_TRUE(attribute.IsEmpty());
    EXPECT_EQ(attribute.GetLongValue(), 0);
}

TEST(CGXOleVarUserAttribute, AClonesBytesAreItsOwn)
{
    std::unique_ptr<CGXOleVarUserAttribute> pOriginal(ByteAttribute({1, 2, 3}));
    pOriginal->SetId(GX_IDS_UA_DAOBITMAP);
    std::unique_ptr<CGXOleVarUserAttribute> pClone(static_cast<CGXOleVarUserAttribute*>(pOriginal->Clone()));
    ASSERT_NE(pClone, nullptr);
    EXPECT_TRUE(pClone->IsEqual(*pOriginal));
    EXPECT_FALSE(pClone->IsIdentical(*pOriginal)) << "equal, but not the same variant";
    EXPECT_TRUE(pOriginal->IsIdentical(*pOriginal));

    VARIANT other;
    const BYTE changed[] = {9};
    GXMakeByteArrayVariant(other, changed, 1);
    pOriginal->SetVariant(other);
    ::VariantClear(&other);
    EXPECT_EQ(BytesOf(*pClone), (std::vector<BYTE>{1, 2, 3}));
    EXPECT_FALSE(pClone->IsEqual(*pOriginal));
}

TEST(CGXOleVarUserAttribute, TheArchiveKeepsTheVariantsTypeAndBytes)
{
    std::vector<BYTE> bytes = WithLeadingHeader(78, BitmapFile());
    CGXUserAttributeMap map;
    map.SetAttributePtr(GX_IDS_UA_DAOBITMAP, ByteAttribute(bytes));
    CGXOleVarUserAttribute* pNumber = new CGXOleVarUserAttribute;
    pNumber->SetVariant(COleVariant(2.5));
    map.SetAttributePtr(52795, pNumber);
    map.SetAttributePtr(52796, new CGXOleVarUserAttribute);

    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        map.Serialize(ar);
        ar.Close();
    }
    file.Seek(0, CFile::begin);
    CGXUserAttributeMap loaded;
    {
        CArchive ar(&file, CArchive::load);
        loaded.Serialize(ar);
        ar.Close();
    }
    const CGXOleVarUserAttribute* pBytes =
        dynamic_cast<const CGXOleVarUserAttribute*>(loaded.GetAttribute(GX_IDS_UA_DAOBITMAP));
    ASSERT_NE(pBytes, nullptr);
    EXPECT_EQ(BytesOf(*pBytes), bytes);
    const CGXOleVarUserAttribute* pLoadedNumber =
        dynamic_cast<const CGXOleVarUserAttribute*>(loaded.GetAttribute(52795));
    ASSERT_NE(pLoadedNumber, nullptr);
    EXPECT_EQ(pLoadedNumber->GetVariant()->vt, VT_R8);
    EXPECT_EQ(pLoadedNumber->GetVariant()->dblVal, 2.5);
    EXPECT_TRUE(loaded.GetAttribute(52796)->IsEmpty());
}

TEST(CGXOleVarUserAttribute, ACountLargerThanTheArchiveEndsInItsException)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar << static_cast<WORD>(VT_ARRAY | VT_UI1) << static_cast<DWORD>(0xFFFFFFF0);
        ar << static_cast<DWORD>(1234);
        ar.Close();
    }
    file.Seek(0, CFile::begin);
    CGXOleVarUserAttribute attribute;
    BOOL bThrown = FALSE;
    try
    {
        CArchive ar(&file, CArchive::load);
        attribute.Serialize(ar);
    }
    catch (CArchiveException* e)
    {
        bThrown = e->m_cause == CArchiveException::endOfFile;
        e->Delete();
    }
    EXPECT_TRUE(bThrown);
    EXPECT_TRUE(attribute.IsEmpty());
}
