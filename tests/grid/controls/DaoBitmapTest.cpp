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

#include <cstring>
#include <memory>
#include <vector>

namespace
{
const COLORREF kPicture = RGB(10, 200, 30);

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

// A run-length bitmap file in one colour, nWidth (up to 255) x 4: each row one run and its end, then
// the end of the bitmap. nSizeImage replaces the header's image size when given.
std::vector<BYTE> RunLengthFile(DWORD nCompression, DWORD nSizeImage = 0, BYTE nWidth = 4)
{
    const BOOL bFourBits = nCompression == BI_RLE4;
    std::vector<BYTE> bits;
    for (int nRow = 0; nRow < 4; ++nRow)
        bits.insert(bits.end(), {nWidth, static_cast<BYTE>(bFourBits ? 0x11 : 0x01), 0, 0});
    bits.insert(bits.end(), {0, 1});
    const RGBQUAD palette[2] = {{255, 255, 255, 0}, {GetBValue(kPicture), GetGValue(kPicture), GetRValue(kPicture), 0}};
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info + sizeof palette;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(bits.size());
    info.biSize = sizeof info;
    info.biWidth = nWidth;
    info.biHeight = 4;
    info.biPlanes = 1;
    info.biBitCount = bFourBits ? 4 : 8;
    info.biCompression = nCompression;
    info.biSizeImage = nSizeImage != 0 ? nSizeImage : static_cast<DWORD>(bits.size());
    info.biClrUsed = 2;
    std::vector<BYTE> bytes(file.bfOffBits);
    std::memcpy(bytes.data(), &file, sizeof file);
    std::memcpy(bytes.data() + sizeof file, &info, sizeof info);
    std::memcpy(bytes.data() + sizeof file + sizeof info, palette, sizeof palette);
    bytes.insert(bytes.end(), bits.begin(), bits.end());
    return bytes;
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

    // Draws cell (1, 1) holding the attribute; whether its picture shows at the text area's corner.
    BOOL DrawsPicture(CGXAbstractUserAttribute* pAttribute)
    {
        CGXStyle style;
        style.SetControl(GX_IDS_CTRL_DAOBITMAP).SetInterior(RGB(255, 255, 255));
        style.SetUserAttributePtr(GX_IDS_UA_DAOBITMAP, pAttribute);
        grid.SetCell(1, 1, style);
        CGXControl* pCell = grid.GetRegisteredControl(GX_IDS_CTRL_DAOBITMAP);
        const CGXStyle& composed = grid.LookupStyleRowCol(1, 1);
        MemoryCanvas canvas(60, 20);
        pCell->Draw(&canvas.dc, CRect(0, 0, 60, 20), 1, 1, composed, nullptr);
        const CRect rect(0, 0, 60, 20);
        const CPoint corner = pCell->GetCellRect(1, 1, &rect, &composed).TopLeft();
        return canvas.At(corner.x + 1, corner.y + 1) == kPicture;
    }

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
// platform expands them to the whole picture at every paint: a picture larger than its runs could
// paint (at most 255 pixels a run) is not drawn.
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
    } cases[] = {
        {"8 bits", RunLengthFile(BI_RLE8), TRUE},
        {"4 bits", RunLengthFile(BI_RLE4), TRUE},
        {"8 bits behind a header", WithLeadingHeader(78, RunLengthFile(BI_RLE8)), TRUE},
        {"image size past the bytes", RunLengthFile(BI_RLE8, 1000), FALSE},
        {"no image size", noImageSize, FALSE},
        {"image size wrapping round", RunLengthFile(BI_RLE8, 0xFFFFFFFF), FALSE},
        {"24 bits", wrongDepth, FALSE},
        {"8 bits, runs of 255 pixels", RunLengthFile(BI_RLE8, 0, 255), TRUE},
        {"4 bits, runs of 255 pixels", RunLengthFile(BI_RLE4, 0, 255), TRUE},
        {"8 bits claiming 30,000 x 30,000", Claiming(RunLengthFile(BI_RLE8), 30000, 30000), FALSE},
        {"4 bits claiming 30,000 x 30,000", Claiming(RunLengthFile(BI_RLE4), 30000, 30000), FALSE},
        {"8 bits claiming rows of 30,000", Claiming(RunLengthFile(BI_RLE8), 30000, 4), FALSE},
        {"4 bits claiming 30,000 rows", Claiming(RunLengthFile(BI_RLE4), 4, 30000), FALSE},
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
        EXPECT_EQ(DrawsPicture(ByteAttribute(c.bytes)), c.drawn) << c.what;
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
